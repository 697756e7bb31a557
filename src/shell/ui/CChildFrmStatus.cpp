#include "shell/ui/CChildFrmStatus.h"

#include "model/CZULAppData.h"
#include "shell/ui/CStatusTblView.h"
#include "platform/ui/CView.h"
#include "shell/ui/CreateViewByName.h"

#include <algorithm>

namespace {

constexpr UINT kViewId = 5602;
constexpr int kLeastRows = 6;

} // namespace

IMPLEMENT_DYNCREATE(CChildFrmStatus, CMDIChildWnd)

CChildFrmStatus::CChildFrmStatus() = default;
CChildFrmStatus::~CChildFrmStatus() = default;

int CChildFrmStatus::OnCreate()
{
    if (CMDIChildWnd::OnCreate() == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    m_nRows = std::max(g_pAppData != nullptr ? static_cast<int>(g_pAppData->Project.StatusRows.size()) : 0, kLeastRows);
    m_view = CreateViewByName("CStatusTblView", this, kViewId, WS_CHILD | WS_VISIBLE, client);
    if (auto* chart = dynamic_cast<CStatusTblView*>(m_view))
        chart->SetRowCount(m_nRows);
    // The table takes the frame's commands (Edit, the table and force commands).
    SetActiveView(dynamic_cast<CView*>(m_view));
    if (m_view != nullptr)
        m_view->SetFocus();
    return 0;
}

void CChildFrmStatus::OnSize(UINT type, int cx, int cy)
{
    CMDIChildWnd::OnSize(type, cx, cy);
    if (m_view == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_view->MoveWindow(client);
    m_view->SetFocus();
}

void CChildFrmStatus::OnSetFocus(CWnd* oldWnd)
{
    CMDIChildWnd::OnSetFocus(oldWnd);
    if (m_view != nullptr)
        m_view->SetFocus();
}

void CChildFrmStatus::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
    if (auto* table = dynamic_cast<CTableGridView*>(m_view))
        table->ShowCellOnStatusBar(activate);
    if (activate && m_view != nullptr)
        m_view->Invalidate(FALSE);
}
