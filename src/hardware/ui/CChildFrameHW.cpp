#include "CChildFrameHW.h"

#include "hardware/CHardwareConfigCheck.h"
#include "hardware/HardwareTexts.h"
#include "hardware/ui/CAioUsePic.h"
#include "hardware/ui/CCPUInfoView.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CHWInfoView.h"
#include "hardware/ui/CHWModulePage.h"
#include "hardware/ui/CHardwareGridView.h"
#include "hardware/ui/CSheetCPU.h"
#include "model/CZULAppData.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "shell/CGlobalVarTable.h"
#include "shell/CInitDataTable.h"
#include "shell/IProjectHost.h"
#include "shell/ui/CMinRowSplitter.h"

#include <QApplication>

IMPLEMENT_DYNCREATE(CChildFrameHW, CMDIChildWnd)

namespace {

constexpr int kGridRow = 0;
constexpr int kInfoRow = 1;
constexpr int kRows = 2;
const CSize kGridSize(100, 160);
const CSize kInfoSize(200, 300);
constexpr int kShowMaximized = 3;
constexpr int kCpuTab = 1;
constexpr int kCpuRow = 1;
constexpr int kModuleColumn = 1;

} // namespace

CChildFrameHW::CChildFrameHW() = default;
// The focus moves while the panes go; the frame no longer follows it.
CChildFrameHW::~CChildFrameHW()
{
    disconnect(qApp, nullptr, this, nullptr);
}

int CChildFrameHW::OnCreate()
{
    if (CMDIChildWnd::OnCreate() == -1)
        return -1;
    auto* splitter = new CMinRowSplitter;
    if (!splitter->CreateStatic(this, kRows, 1)) {
        delete splitter;
        return -1;
    }
    m_splitter = splitter;
    if (!splitter->CreateView(kGridRow, 0, RUNTIME_CLASS(CHardwareGridView), kGridSize, nullptr)
        || !splitter->CreateView(kInfoRow, 0, RUNTIME_CLASS(CHWInfoView), kInfoSize, nullptr))
        return -1;
    CRect client;
    GetClientRect(&client);
    splitter->MoveWindow(client);
    if (!g_pAppData)
        return 0;
    GetGridView()->OnInitialUpdate(*g_pAppData, *this);
    GetInfoView()->SetGridView(GetGridView());
    GetInfoView()->OnInitialUpdate(*g_pAppData);
    SetActiveView(GetGridView());
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FollowFocus(now); });
    return 0;
}

CHardwareGridView* CChildFrameHW::GetGridView() const
{
    return m_splitter ? dynamic_cast<CHardwareGridView*>(m_splitter->GetPane(kGridRow, 0)) : nullptr;
}

CHWInfoView* CChildFrameHW::GetInfoView() const
{
    return m_splitter ? dynamic_cast<CHWInfoView*>(m_splitter->GetPane(kInfoRow, 0)) : nullptr;
}

// The pane that holds the keyboard focus is the frame's active view.
void CChildFrameHW::FollowFocus(QWidget* now)
{
    CHardwareGridView* grid = GetGridView();
    CHWInfoView* info = GetInfoView();
    if (grid && now && (now == grid || grid->isAncestorOf(now)))
        SetActiveView(grid);
    else if (info && now && (now == info || info->isAncestorOf(now)))
        SetActiveView(info);
}

void CChildFrameHW::ActivateFrame(int cmdShow)
{
    CMDIChildWnd::ActivateFrame(cmdShow == -1 ? kShowMaximized : cmdShow);
}

void CChildFrameHW::OnPaint()
{
    CMDIChildWnd::OnPaint();
    if (!m_splitter)
        return;
    int height = 0;
    int minimum = 0;
    m_splitter->GetRowInfo(kGridRow, height, minimum);
    if (height >= kMinUpperRowHeight)
        return;
    m_splitter->SetRowInfo(kGridRow, kMinUpperRowHeight, kMinUpperRowHeight);
    m_splitter->RecalcLayout();
}

void CChildFrameHW::OnClose()
{
    if (CheckHardwareConfig())
        CMDIChildWnd::OnClose();
}

void CChildFrameHW::OnMDIActivate(BOOL activate, CWnd* activateWnd, CWnd* deactivateWnd)
{
    CMDIChildWnd::OnMDIActivate(activate, activateWnd, deactivateWnd);
    if (auto* host = dynamic_cast<IHardwareWindowHost*>(GetMDIFrame()))
        host->OnHardwareWindowActivated(activate);
    if (activate && GetGridView()) {
        GetGridView()->SetFocus();
        SetActiveView(GetGridView());
    }
}

BOOL CChildFrameHW::CheckHardwareConfig()
{
    if (!g_pAppData || !GetGridView() || !GetInfoView())
        return TRUE;
    const CZULProject& project = g_pAppData->Project;
    if (project.Modules.empty())
        return TRUE;
    const CHardwareCheckResult emptySlot = CheckNoEmptySlot(project);
    if (!emptySlot.passed) {
        CWnd* focus = CWnd::GetFocus();
        ShowMessage(kHardwareErrorCaption, emptySlot.message, MB_OK | emptySlot.icon);
        if (focus)
            focus->SetFocus();
        MDIActivate();
        return FALSE;
    }
    if (!ApplyPages())
        return FALSE;
    const CHardwareCheckResult counts = CheckChannelCounts(project);
    if (!counts.passed)
        return ReportFailure(counts);
    const CHardwareCheckResult addresses = CheckModuleAddresses(project);
    if (!addresses.passed)
        return ReportFailure(addresses);
    return TRUE;
}

BOOL CChildFrameHW::ReportFailure(const CHardwareCheckResult& result)
{
    ShowMessage(kHardwareErrorCaption, result.message, MB_OK | result.icon);
    MDIActivate();
    if (result.row > 0) {
        GetGridView()->SelectModuleRow(result.row, result.column);
        SetCurrentTab(result.row);
    }
    return FALSE;
}

// Tab i holds the page of slot i - 1; the CPU's sheet refuses with its own message.
BOOL CChildFrameHW::ApplyPages()
{
    const int slotCount = static_cast<int>(g_pAppData->Project.Modules.size());
    for (int tab = 1; tab <= slotCount && tab < GetTabCount(); ++tab) {
        CWnd* page = GetInfoView()->GetPage(tab);
        CSheetCPU* sheet = nullptr;
        if (auto* cpu = dynamic_cast<CCPUInfoView*>(page))
            sheet = cpu->GetSheet();
        else if (auto* canOpen = dynamic_cast<CCanOpenFrame*>(page))
            sheet = canOpen->GetSheet();
        if (sheet) {
            if (sheet->ApplyPages())
                continue;
            MDIActivate();
            if (!sheet->CanOpenPage() || sheet->GetActivePage() != sheet->CanOpenPage()) {
                SetCurrentTab(kCpuTab);
                GetGridView()->SelectModuleRow(kCpuRow, kModuleColumn);
            }
            return FALSE;
        }
        if (auto* modulePage = dynamic_cast<CHWModulePage*>(page); modulePage && modulePage->StoresOnApply())
            modulePage->ApplyToModule();
        else if (auto* aio = dynamic_cast<CAioUsePic*>(page))
            aio->ApplyToModule();
    }
    return TRUE;
}

int CChildFrameHW::GetTabCount() const
{
    return GetInfoView() ? GetInfoView()->GetTabCount() : 0;
}

int CChildFrameHW::GetCurrentTab() const
{
    return GetInfoView() ? GetInfoView()->GetCurrentTab() : -1;
}

void CChildFrameHW::SetCurrentTab(int tab)
{
    if (GetInfoView())
        GetInfoView()->SetCurrentTab(tab);
}

void CChildFrameHW::AddModulePage(int tab, CZUL_Q7_PLC* record)
{
    if (GetInfoView())
        GetInfoView()->AddModulePage(tab, record);
}

void CChildFrameHW::RemoveTab(int tab)
{
    if (GetInfoView())
        GetInfoView()->RemoveTab(tab);
}

void CChildFrameHW::ReplaceWithNotePage(int tab, const std::string& label)
{
    if (GetInfoView())
        GetInfoView()->ReplaceWithNotePage(tab, label);
}

void CChildFrameHW::RebuildInstructionCatalog()
{
    auto* host = dynamic_cast<IProjectHost*>(GetMDIFrame());
    if (!host)
        return;
    host->RefreshInstructionTree();
    host->AddSubroutinesToInstructionTree();
}

void CChildFrameHW::RebuildFBInstanceTable()
{
    if (g_pAppData)
        g_pAppData->RebuildFBInstanceTable();
}

void CChildFrameHW::RecheckInitialData()
{
    if (g_pAppData)
        ::RecheckInitialData(*g_pAppData);
}

void CChildFrameHW::RecheckGlobalVariables()
{
    if (g_pAppData)
        ::RecheckGlobalVariables(g_pAppData->Project);
}

void CChildFrameHW::RedrawGrid()
{
    if (GetGridView())
        GetGridView()->GetGridCtrl().RefreshCells();
}

void CChildFrameHW::PostHelpKey()
{
    if (CMDIFrameWnd* frame = GetMDIFrame())
        frame->PostMessage(WM_KEYDOWN, VK_F1);
}
