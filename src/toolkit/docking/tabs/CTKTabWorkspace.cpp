#include "toolkit/docking/tabs/CTKTabWorkspace.h"

#include "platform/ui/CMDIClient.h"
#include "platform/ui/CPaintDC.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"
#include "toolkit/docking/tabs/CTKMDITabGroup.h"
#include "toolkit/docking/tabs/CTKTabClientWnd.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

namespace {

constexpr DWORD kWorkspaceStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

} // namespace

IMPLEMENT_DYNAMIC(CTKTabWorkspace, CWnd)

CTKTabWorkspace::CTKTabWorkspace(CTKMDITabGroup* group) : m_group(group)
{
}

CTKTabWorkspace::~CTKTabWorkspace()
{
    if (IsWindow())
        DestroyWindow();
}

BOOL CTKTabWorkspace::CreateWorkspace(CWnd* frame)
{
    if (!Create(frame, CRect(), 0, kWorkspaceStyle))
        return FALSE;
    // The MDI client lies over the page area: the strip stays beneath it.
    lower();
    return TRUE;
}

BOOL CTKTabWorkspace::PreTranslateMessage(MSG* msg)
{
    switch (msg->message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
        if (msg->hwnd == this && GetParent() != nullptr
            && GetParent()->SendMessage(kTKMsgTabNotify, msg->message, msg->lParam) != 0)
            return TRUE;
        break;
    default:
        break;
    }
    return CWnd::PreTranslateMessage(msg);
}

INT_PTR CTKTabWorkspace::OnToolHitTest(CPoint point, TOOLINFO* info) const
{
    CTKTabItem* tab = m_group->HitTest(point.x, point.y);
    return m_group->FillToolInfo(const_cast<CTKTabWorkspace*>(this), tab, info);
}

void CTKTabWorkspace::OnPaint()
{
    CPaintDC paint(this);
    CRect rect;
    GetClientRect(&rect);
    CTKTabClientWnd* client = m_group->GetClient();
    if (client == nullptr || client->GetRenderer() == nullptr)
        return;
    CTKOffscreenDC buffer(&paint, rect);
    if (CMDIClient* mdiClient = client->GetMDIClient()) {
        CRect covered;
        mdiClient->GetWindowRect(&covered);
        ScreenToClient(&covered);
        paint.ExcludeClipRect(covered);
    }
    client->GetRenderer()->DrawTabSet(buffer.GetDC(), rect, m_group);
}

BOOL CTKTabWorkspace::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKTabWorkspace::PressInTabs(CPoint point)
{
    CTKTabClientWnd* client = m_group->GetClient();
    if (client == nullptr)
        return;
    client->SetBusy(TRUE);
    m_group->OnMouseDown(this, point.x, point.y, FALSE);
    client->SetBusy(FALSE);
}

void CTKTabWorkspace::OnLButtonDown(UINT, CPoint point)
{
    PressInTabs(point);
}

void CTKTabWorkspace::OnLButtonDblClk(UINT, CPoint point)
{
    PressInTabs(point);
}

void CTKTabWorkspace::OnRButtonDown(UINT, CPoint)
{
}

void CTKTabWorkspace::OnMouseMove(UINT flags, CPoint point)
{
    m_group->OnMouseMove(this, point.x, point.y);
    CWnd::OnMouseMove(flags, point);
}

void CTKTabWorkspace::OnMouseLeave()
{
    m_group->OnMouseMove(this, -1, -1);
}
