#include "shell/ui/CChildFrameVar.h"

#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "shell/ui/CGlobalFBIView.h"
#include "shell/ui/CGlobalVarView.h"
#include "platform/ui/CView.h"
#include "shell/ui/CreateViewByName.h"
#include "toolkit/docking/tabs/CTKFlatTabCtrl.h"

#include <algorithm>

namespace {

constexpr UINT kTabStripId = 32900;
constexpr UINT kSymbolViewId = 32902;
constexpr UINT kFBInstanceViewId = 32903;
constexpr DWORD kTabStripStyle = 0x3;
constexpr int kLeastSymbolRows = 6;
constexpr int kLeastFBRows = 1;
constexpr int kFBInstanceTab = 1;

int SymbolCount()
{
    return g_pAppData != nullptr ? static_cast<int>(g_pAppData->Project.OrderedSymbols.size()) : 0;
}

int FBInstanceCount()
{
    return g_pAppData != nullptr ? static_cast<int>(g_pAppData->Project.FBTable.FBInstances.size()) : 0;
}

} // namespace

IMPLEMENT_DYNCREATE(CChildFrameVar, CMDIChildWnd)

CChildFrameVar::CChildFrameVar() = default;

CChildFrameVar::~CChildFrameVar() = default;

int CChildFrameVar::OnCreate()
{
    ModifyStyle(0, WS_CLIPCHILDREN | WS_BORDER);
    if (CMDIChildWnd::OnCreate() == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    m_tabs = std::make_unique<CTKFlatTabCtrl>();
    if (!m_tabs->Create(WS_CHILD | WS_VISIBLE | kTabStripStyle, client, this, kTabStripId))
        return -1;
    m_symbolRows = std::max(SymbolCount(), kLeastSymbolRows);
    m_fbRows = std::max(FBInstanceCount(), kLeastFBRows);
    m_symbolView = CreateViewByName("CGlobalVarView", this, kSymbolViewId, WS_CHILD);
    m_fbView = CreateViewByName("CGlobalFBIView", this, kFBInstanceViewId, WS_CHILD);
    if (auto* symbols = dynamic_cast<CGlobalVarView*>(m_symbolView))
        symbols->SetRowCount(m_symbolRows);
    if (auto* instances = dynamic_cast<CGlobalFBIView*>(m_fbView))
        instances->SetRowCount(m_fbRows);
    m_tabs->InsertItem(0, "Global Variable", m_symbolView);
    m_tabs->InsertItem(1, "FB Instance", m_fbView);
    m_tabs->SetCurSel(0);
    // The symbol table takes the frame's commands (Edit and the table commands).
    SetActiveView(dynamic_cast<CView*>(m_symbolView));
    return 0;
}

void CChildFrameVar::OnSize(UINT type, int cx, int cy)
{
    CMDIChildWnd::OnSize(type, cx, cy);
    if (m_tabs)
        m_tabs->MoveWindow(CRect(0, 0, cx, cy));
}

void CChildFrameVar::OnSetFocus(CWnd* oldWnd)
{
    CMDIChildWnd::OnSetFocus(oldWnd);
    CWnd* view = ViewInFront();
    if (view != nullptr)
        view->SetFocus();
}

void CChildFrameVar::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
    ShowCellOnStatusBar(activate);
    if (!activate)
        return;
    // Symbols or instances may have changed while another window was in front.
    m_fbRows = std::max(FBInstanceCount(), kLeastFBRows);
    if (auto* instances = dynamic_cast<CGlobalFBIView*>(m_fbView))
        instances->SetRowCount(m_fbRows);
    if (auto* symbols = dynamic_cast<CGlobalVarView*>(m_symbolView))
        symbols->Revalidate();
}

CWnd* CChildFrameVar::ViewInFront() const
{
    return m_tabs && m_tabs->GetCurSel() == kFBInstanceTab ? m_fbView : m_symbolView;
}

void CChildFrameVar::ShowCellOnStatusBar(BOOL shown)
{
    CWnd* front = ViewInFront();
    if (auto* symbols = dynamic_cast<CGlobalVarView*>(front))
        symbols->ShowCellOnStatusBar(shown);
    else if (auto* instances = dynamic_cast<CGlobalFBIView*>(front))
        instances->ShowCellOnStatusBar(shown);
}
