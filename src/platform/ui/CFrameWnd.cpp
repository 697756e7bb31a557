#include "CFrameWnd.h"

#include "CIdlePump.h"
#include "CResourceStore.h"
#include "CView.h"
#include "CWinApp.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::LoadFrame(UINT resourceId, DWORD style, CWnd* parent)
{
    std::string title = CResourceStore::Instance().LoadString(resourceId);
    title = title.substr(0, title.find('\n'));
    LoadAccelTable(resourceId);
    return Create(parent, CRect(), 0, style, title);
}

BOOL CFrameWnd::LoadAccelTable(UINT resourceId)
{
    const CAcceleratorTable* table = CResourceStore::Instance().FindAccelerators(resourceId);
    if (!table)
        return FALSE;
    m_accelerators = *table;
    return TRUE;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_inLayout) {
        DelayRecalcLayout();
        return;
    }
    m_inLayout = TRUE;
    m_layoutPending = FALSE;
    AFX_SIZEPARENTPARAMS layout;
    GetClientRect(&layout.rect);
    CWnd* leftOver = nullptr;
    for (CWnd* child : GetChildWindows()) {
        if (child->GetDlgCtrlID() == AFX_IDW_PANE_FIRST) {
            if (!leftOver)
                leftOver = child;
            continue;
        }
        child->SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }
    if (leftOver) {
        CRect rest = layout.rect;
        if (rest.right < rest.left)
            rest.right = rest.left;
        if (rest.bottom < rest.top)
            rest.bottom = rest.top;
        leftOver->CalcWindowRect(&rest, 0);
        leftOver->MoveWindow(rest);
    }
    m_inLayout = FALSE;
}

void CFrameWnd::DelayRecalcLayout(BOOL)
{
    m_layoutPending = TRUE;
    CIdlePump::Instance().Arm();
}

void CFrameWnd::SetActiveView(CView* view)
{
    m_activeView = view;
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_activeView ? m_activeView->GetDocument() : nullptr;
}

void CFrameWnd::ActivateFrame(int cmdShow)
{
    ShowWindow(cmdShow == -1 ? SW_SHOW : cmdShow);
    raise();
    activateWindow();
}

void CFrameWnd::SetMessageText(const std::string& text)
{
    if (CWnd* bar = GetMessageBar())
        bar->SetWindowText(text);
}

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    if (RouteOwnCommand(id, code, extra, info))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return RoutesToApp() && app && app->OnCmdMsg(id, code, extra, info);
}

BOOL CFrameWnd::RouteOwnCommand(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    if (m_activeView && m_activeView->OnCmdMsg(id, code, extra, info))
        return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, info);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* msg)
{
    WORD command = m_accelerators.FindCommand(*msg, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
    if (command == 0)
        return FALSE;
    SendMessage(WM_COMMAND, MAKELONG(command, 1), 0);
    return TRUE;
}

void CFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnIdleUpdateCmdUI(BOOL)
{
    if (m_layoutPending)
        RecalcLayout();
}

void CFrameWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        deleteLater();
}
