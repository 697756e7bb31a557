#include "shell/ui/CChFrmInitData.h"

#include "model/CZULAppData.h"
#include "model/CZULInitData.h"
#include "shell/ui/CInitDataView.h"
#include "platform/ui/CView.h"
#include "shell/ui/CreateViewByName.h"

#include <algorithm>

namespace {

constexpr UINT kViewId = 32875;
constexpr int kLeastRows = 6;

} // namespace

IMPLEMENT_DYNCREATE(CChFrmInitData, CMDIChildWnd)

CChFrmInitData::CChFrmInitData() = default;
CChFrmInitData::~CChFrmInitData() = default;

int CChFrmInitData::OnCreate()
{
    if (CMDIChildWnd::OnCreate() == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    m_nRows = std::max(g_pAppData != nullptr ? static_cast<int>(g_pAppData->Project.InitialData.size()) : 0, kLeastRows);
    m_view = CreateViewByName("CInitDataView", this, kViewId, WS_CHILD | WS_VISIBLE, client);
    if (auto* table = dynamic_cast<CInitDataView*>(m_view))
        table->SetRowCount(m_nRows);
    // The table takes the frame's commands (Edit, the table and force commands).
    SetActiveView(dynamic_cast<CView*>(m_view));
    if (m_view != nullptr)
        m_view->SetFocus();
    return 0;
}

void CChFrmInitData::OnSize(UINT type, int cx, int cy)
{
    CMDIChildWnd::OnSize(type, cx, cy);
    if (m_view == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_view->MoveWindow(client);
    m_view->SetFocus();
}

void CChFrmInitData::OnSetFocus(CWnd* oldWnd)
{
    CMDIChildWnd::OnSetFocus(oldWnd);
    if (m_view != nullptr)
        m_view->SetFocus();
}

void CChFrmInitData::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
    if (auto* table = dynamic_cast<CTableGridView*>(m_view))
        table->ShowCellOnStatusBar(activate);
    if (activate && m_view != nullptr)
        m_view->Invalidate(FALSE);
}
