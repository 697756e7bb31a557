#include "shell/ui/CChFrmCrossRef.h"

#include "model/CZULAppData.h"
#include "shell/ui/CUsedVarRefView.h"
#include "shell/ui/ICrossRefHost.h"
#include "platform/ui/CView.h"
#include "shell/ui/CreateViewByName.h"
#include "toolkit/docking/tabs/CTKFlatTabCtrl.h"

namespace {

constexpr UINT kTabStripId = 32901;
constexpr UINT kViewId = 32891;
constexpr DWORD kTabStripStyle = 0x3;
constexpr const char* kTabLabel = "Cross Reference";

} // namespace

IMPLEMENT_DYNCREATE(CChFrmCrossRef, CMDIChildWnd)

CChFrmCrossRef::CChFrmCrossRef() = default;

CChFrmCrossRef::~CChFrmCrossRef() = default;

int CChFrmCrossRef::OnCreate()
{
    ModifyStyle(0, WS_CLIPCHILDREN | WS_BORDER);
    if (CMDIChildWnd::OnCreate() == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    m_tabs = std::make_unique<CTKFlatTabCtrl>();
    if (!m_tabs->Create(WS_CHILD | WS_VISIBLE | kTabStripStyle, client, this, kTabStripId))
        return -1;
    m_view = CreateViewByName("CUsedVarRefView", this, kViewId, WS_CHILD);
    // The list shows what the last Compile All found as soon as it opens.
    if (auto* list = dynamic_cast<CUsedVarRefView*>(m_view)) {
        list->Attach(g_pAppData, FindCrossRefHost());
        list->OnRefresh();
    }
    // The table takes the frame's commands (Edit, the table and force commands).
    SetActiveView(dynamic_cast<CView*>(m_view));
    m_tabs->InsertItem(0, kTabLabel, m_view);
    m_tabs->SetCurSel(0);
    return 0;
}

// The main window that follows the list's references, among the parents.
ICrossRefHost* CChFrmCrossRef::FindCrossRefHost()
{
    for (QWidget* parent = parentWidget(); parent != nullptr; parent = parent->parentWidget()) {
        if (auto* host = dynamic_cast<ICrossRefHost*>(parent))
            return host;
    }
    return nullptr;
}

void CChFrmCrossRef::OnSize(UINT type, int cx, int cy)
{
    CMDIChildWnd::OnSize(type, cx, cy);
    if (m_tabs)
        m_tabs->MoveWindow(CRect(0, 0, cx, cy));
}

void CChFrmCrossRef::OnClose()
{
    m_tabs.reset();
    CMDIChildWnd::OnClose();
}
