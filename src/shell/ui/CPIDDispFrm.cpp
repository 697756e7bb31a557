#include "shell/ui/CPIDDispFrm.h"

#include "model/CZULAppData.h"
#include "pid/ui/CPIDDispView.h"
#include "shell/ui/CreateViewByName.h"
#include "toolkit/docking/tabs/CTKFlatTabCtrl.h"

namespace {

constexpr UINT kTabStripId = 61447;
constexpr UINT kViewId = 61448;
constexpr DWORD kTabStripStyle = 0x3;
constexpr const char* kTabLabel = "";

} // namespace

IMPLEMENT_DYNCREATE(CPIDDispFrm, CMDIChildWnd)

CPIDDispFrm::CPIDDispFrm() = default;

CPIDDispFrm::~CPIDDispFrm()
{
    if (g_pAppData != nullptr)
        g_pAppData->PIDTrendOpen = 0;
}

int CPIDDispFrm::OnCreate()
{
    ModifyStyle(0, WS_CLIPCHILDREN | WS_BORDER);
    if (CMDIChildWnd::OnCreate() == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    m_tabs = std::make_unique<CTKFlatTabCtrl>();
    if (!m_tabs->Create(WS_CHILD | WS_VISIBLE | kTabStripStyle, client, this, kTabStripId))
        return -1;
    m_view = CreateViewByName("CPIDDispView", this, kViewId, WS_CHILD);
    if (auto* view = dynamic_cast<CPIDDispView*>(m_view)) {
        view->SetWorker(&m_worker);
        view->OnInitialUpdate();
    }
    m_tabs->InsertItem(0, kTabLabel, m_view);
    m_tabs->SetCurSel(0);
    return 0;
}

void CPIDDispFrm::OnSize(UINT type, int cx, int cy)
{
    CMDIChildWnd::OnSize(type, cx, cy);
    if (m_tabs)
        m_tabs->MoveWindow(CRect(0, 0, cx, cy));
}

void CPIDDispFrm::OnClose()
{
    m_tabs.reset();
    CMDIChildWnd::OnClose();
}

void CPIDDispFrm::OnDestroy()
{
    m_worker.Stop();
    CMDIChildWnd::OnDestroy();
}
