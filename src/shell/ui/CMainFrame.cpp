#include "shell/ui/CMainFrame.h"

#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "ladder/ui/CLDDialogs.h"
#include "model/ProjectModified.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CStatusBar.h"
#include "platform/ui/CWinApp.h"
#include "pouedit/CPOUEditor.h"
#include "platform/ui/QtText.h"
#include "platform/FileSystem.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "platform/ui/CSettingsStore.h"
#include "plclink/CMonitorCommand.h"
#include "plclink/CPlcCommands.h"
#include "plclink/CProjectCompiler.h"
#include "plclink/ui/COnlineDialogs.h"
#include "shell/CProjectArchive.h"
#include "shell/CProjectCommands.h"
#include "shell/FrameCommandRules.h"
#include "shell/Settings.h"
#include "shell/ui/CSheetSettings.h"
#include "shell/ui/CUsedVarRefView.h"
#include "shell/CrossRefRules.h"
#include "shell/ui/CChFrmCrossRef.h"
#include "shell/ui/CChFrmInitData.h"
#include "pid/ui/CPIDWizard.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "shell/CForceCommands.h"
#include "shell/ui/CChildFrmStatus.h"
#include "shell/ui/CProjTreeView.h"
#include "shell/ui/CStatusTblView.h"
#include "shell/ui/CTableGridView.h"
#include "shell/ui/CZULApp.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CResourceStore.h"
#include "platform/ui/HelpMessages.h"
#include "shell/IHardwareWindow.h"
#include "shell/ui/CChildFrmEditor.h"
#include "shell/ui/CInsTreeView.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "shell/ui/CMinRowSplitter.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/COutputView.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CQtOutputSink.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "shell/ui/CSplashWindow.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKFramePlacement.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKProfileRegistry.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>
#include <QObject>

#include <ctime>
#include <vector>

namespace {

constexpr DWORD kStatusBarStyle = 0x50008200;
constexpr int kPlainRendererTheme = 1;
constexpr int kTopPosition = 0;
constexpr UINT kPaneViewId = 59648;
constexpr const char* kBarStateName = "ZULCommandBars";
constexpr const char* kPaneLayoutName = "ZULNormalLayout";
// Posted to the frame itself: the pane layout changed and is to be written.
constexpr UINT WM_PANE_LAYOUT_CHANGED = WM_APP + 1;
constexpr int kMessagePane = 0;
constexpr const char* kMenuBarTitle = "Standard";
constexpr UINT kMainMenuId = 123;
constexpr const char* kTabSection = "TabDocking";
constexpr const char* kTabPositionEntry = "Position";
constexpr int kTabPositionTop = 0;
constexpr int kTabPositionBottom = 2;
// Tabs without icons, scroll buttons always, no close button.
constexpr int kTabButtonFlags = 2;
constexpr UINT kTabContextMenu = 161;
constexpr DWORD kSingletonStyle = 0x50CF0000;
constexpr int kShowMaximized = 3;
constexpr int kFullScreenVarRowHeight = 50;

const UINT kIndicators[] = {0, 0, 0, ID_INDICATOR_NUM};

struct ToolBarRecord {
    const char* title;
    UINT resourceId;
};

const ToolBarRecord kToolBars[] = {
    {"Standard", 123},
    {"Project", 284},
    {"LD", 286},
    {"Debug", 288},
    {"PID", 290},
};

struct PaneSetup {
    UINT id;
    DWORD maskBit;
    BOOL shown;
    CRect dockingRect;
    int side;
    const char* viewClass;   // created when the pane is first shown; none for the catalogue
};

// Workspace, Output, Instructions, HW Catalog, in creation order.
const PaneSetup kPaneSetup[] = {
    {ID_PANE_WORKSPACE, kPaneBitWorkspace, TRUE, CRect(0, 0, 230, 140), CTKDockingPaneHost::kDockLeft,
     "CProjTreeView"},
    {ID_PANE_OUTPUT, kPaneBitOutput, TRUE, CRect(0, 0, 80, 120), CTKDockingPaneHost::kDockBottom, "COutputView"},
    {ID_PANE_INSTRUCTIONS, kPaneBitInstructions, TRUE, CRect(0, 0, 140, 100), CTKDockingPaneHost::kDockLeft,
     nullptr},
    {ID_PANE_HWCATALOG, kPaneBitHWCatalog, FALSE, CRect(0, 0, 160, 200), CTKDockingPaneHost::kDockLeft,
     "CQ7PLCTreeView"},
};

constexpr DWORD kPaneOptions = 5;
// The bitmap of the pane icons, one 16 by 16 picture per pane in this order.
constexpr UINT kPaneIconsBitmap = 292;
const UINT kPaneIconIds[] = {ID_PANE_WORKSPACE, ID_PANE_OUTPUT, ID_PANE_INSTRUCTIONS, ID_PANE_HWCATALOG};
constexpr int kPaneIconSize = 16;
constexpr DWORD kPaneViewStyle = 0x50800000;
constexpr UINT kCrossRefMenu = 167;
constexpr int kContentsHelpContext = 1;
constexpr const char* kWebSite = "https://www.orvel.example/";
constexpr int kInterfaceThemeCount = 3;
constexpr const char* kNoteCaption = "Note";
// The sizes of the project's local-address allocation maps: bit cells and byte cells.
constexpr size_t kLocalBitCells = 128;
constexpr size_t kLocalByteCells = 256;
constexpr const char* kReallocateQuestion =
    "The 'Reallocate Local Variables' operation will reallocate memories for the local variables.\n"
    "Are you sure you want to Reallocate Local Variables? ";
constexpr UINT ID_REALLOCATE_LOCALS = 32959;

// Frame commands and where they go.
constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_OPEN_PROJECT = 32696;
constexpr UINT ID_CLOSE_PROJECT = 32697;
constexpr UINT ID_SAVE_PROJECT = 32779;
constexpr UINT ID_SAVE_PROJECT_AS = 32780;
constexpr UINT ID_IMPORT = 32781;
constexpr UINT ID_EXPORT = 32782;
constexpr UINT ID_OPEN_ALL_POUS = 32962;
constexpr UINT ID_NEW_SUBROUTINE = 32921;
constexpr UINT ID_NEW_INTERRUPT = 32922;
constexpr int kNewMain = 0;
constexpr int kNewSubroutine = 1;
constexpr int kNewInterrupt = 2;
constexpr UINT ID_COMPILE_ALL = 32935;
constexpr UINT ID_GLOBAL_VARIABLE = 32936;
constexpr UINT ID_CROSS_REFERENCE = 32928;
constexpr UINT ID_SYMBOLIC_ADDRESSING = 32927;
constexpr UINT ID_STATUS_CHART = 32932;
constexpr UINT ID_OPTIONS = 32874;
constexpr UINT ID_WINDOW_MENU_CLOSE = 32910;
constexpr UINT ID_WINDOW_MENU_CLOSE_ALL = 32911;
constexpr UINT ID_THEME_FIRST = 32943;
constexpr UINT ID_THEME_SECOND = 32944;
constexpr UINT ID_THEME_THIRD = 32952;
constexpr UINT ID_HELP_CONTENTS = 32811;
constexpr UINT ID_WEB_SITE = 32812;
constexpr UINT ID_HARDWARE_MANUAL = 32961;
constexpr UINT ID_PID_TREND = 61449;
constexpr UINT ID_PID_WIZARD = 32967;

const UINT kThemeCommands[kInterfaceThemeCount] = {ID_THEME_FIRST, ID_THEME_SECOND, ID_THEME_THIRD};

struct SingletonRecord {
    SingletonWindow window;
    const char* className;
};

const SingletonRecord kSingletons[] = {
    {SingletonWindow::Hardware, "CChildFrameHW"},
    {SingletonWindow::StatusChart, "CChildFrmStatus"},
    {SingletonWindow::InitialData, "CChFrmInitData"},
    {SingletonWindow::CrossReference, "CChFrmCrossRef"},
    {SingletonWindow::GlobalVariables, "CChildFrameVar"},
    {SingletonWindow::PIDTrend, "CPIDDispFrm"},
};

} // namespace

IMPLEMENT_DYNAMIC(CMainFrame, CMDIFrameWnd)

CMainFrame::CMainFrame(CZULAppData& app, IProfile& profile, CRecentFileList& recent)
    : m_app(app), m_profile(profile), m_recent(recent), m_force(std::make_unique<CForceCommands>(app))
{
    m_force->SetWaitCursorHook([this](bool on) { SetWaitCursor(on); });
    for (int i = 0; i < kPaneCount; ++i) {
        m_panes[i].id = kPaneSetup[i].id;
        m_panes[i].maskBit = kPaneSetup[i].maskBit;
        m_panes[i].shown = kPaneSetup[i].shown;
    }
    using Cmd = CCmdEntry<CMainFrame>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_PANE_WORKSPACE, &CMainFrame::OnViewWorkspace),
        Cmd::Update(ID_PANE_WORKSPACE, &CMainFrame::OnUpdateViewWorkspace),
        Cmd::Command(ID_PANE_OUTPUT, &CMainFrame::OnViewOutput),
        Cmd::Update(ID_PANE_OUTPUT, &CMainFrame::OnUpdateViewOutput),
        Cmd::Command(ID_VIEW_INSTRUCTION_TREE, &CMainFrame::OnViewNothing),
        Cmd::Update(ID_VIEW_INSTRUCTION_TREE, &CMainFrame::OnUpdateNothing),
        Cmd::Command(ID_VIEW_HWCATALOG, &CMainFrame::OnViewNothing),
        Cmd::Update(ID_VIEW_HWCATALOG, &CMainFrame::OnUpdateNothing),
        Cmd::Command(ID_VIEW_FULLSCREEN, &CMainFrame::OnFullScreen),
        Cmd::Command(ID_VIEW_RESTORE_PANES, &CMainFrame::OnRestorePanes),
        Cmd::Command(ID_WINDOW_CLOSE, &CMainFrame::OnWindowClose),
        Cmd::Command(ID_WINDOW_CLOSE_ALL, &CMainFrame::OnCloseAll),
        Cmd::Command(ID_TOGGLE_TAB, &CMainFrame::OnToggleTab),
        Cmd::Command(ID_WINDOW_MENU_CLOSE, &CMainFrame::OnWindowClose),
        Cmd::Command(ID_WINDOW_MENU_CLOSE_ALL, &CMainFrame::OnCloseAll),
        Cmd::Command(ID_NEW_PROJECT, &CMainFrame::OnNewProject),
        Cmd::Command(ID_OPEN_PROJECT, &CMainFrame::OnOpenProject),
        Cmd::Command(ID_CLOSE_PROJECT, &CMainFrame::OnCloseProject),
        Cmd::Command(ID_SAVE_PROJECT, &CMainFrame::OnSaveProject),
        Cmd::Command(ID_SAVE_PROJECT_AS, &CMainFrame::OnSaveProjectAs),
        Cmd::Command(ID_IMPORT, &CMainFrame::OnImportProject),
        Cmd::Command(ID_EXPORT, &CMainFrame::OnExportProject),
        Cmd::Command(ID_OPEN_ALL_POUS, &CMainFrame::OnOpenAllPous),
        Cmd::Command(ID_NEW_SUBROUTINE, &CMainFrame::OnNewSubroutine),
        Cmd::Command(ID_NEW_INTERRUPT, &CMainFrame::OnNewInterrupt),
        Cmd::Command(ID_REALLOCATE_LOCALS, &CMainFrame::OnReallocateLocalVariables),
        Cmd::Command(ID_COMPILE_ALL, &CMainFrame::OnCompileAll),
        Cmd::Command(ID_GLOBAL_VARIABLE, &CMainFrame::OpenGlobalVariableWindow),
        Cmd::Command(ID_CROSS_REFERENCE, &CMainFrame::OnProjectCrossReference),
        Cmd::Command(ID_STATUS_CHART, &CMainFrame::OpenStatusChartWindow),
        Cmd::Command(ID_PID_TREND, &CMainFrame::OnPIDDisplay),
        Cmd::Command(ID_PID_WIZARD, &CMainFrame::OnPIDWizard),
        Cmd::Command(ID_SYMBOLIC_ADDRESSING, &CMainFrame::OnSymbolicAddressing),
        Cmd::Command(ID_OPTIONS, &CMainFrame::OnOptions),
        Cmd::Command(ID_MONITOR, &CMainFrame::OnToggleMonitor),
        Cmd::Command(ID_PLC_UPLOAD, &CMainFrame::OnPlcUpload),
        Cmd::Command(ID_PLC_DOWNLOAD, &CMainFrame::OnPlcDownload),
        Cmd::Command(ID_PLC_COMPARE, &CMainFrame::OnPlcCompare),
        Cmd::Command(ID_PLC_CLEAR, &CMainFrame::OnPlcClear),
        Cmd::Command(ID_PLC_PASSWORD, &CMainFrame::OnPlcPassword),
        Cmd::Command(ID_PLC_INFORMATION, &CMainFrame::OnPlcInformation),
        Cmd::Command(ID_PLC_CLOCK, &CMainFrame::OnPlcClock),
        Cmd::Command(ID_PLC_RUN, &CMainFrame::OnPlcRun),
        Cmd::Command(ID_PLC_STOP, &CMainFrame::OnPlcStop),
        Cmd::Command(ID_TOOLS_COMMUNICATIONS, &CMainFrame::OnCommunications),
        Cmd::Command(ID_HELP_CONTENTS, &CMainFrame::OnHelpContents),
        Cmd::Command(ID_WEB_SITE, &CMainFrame::OnWebSite),
        Cmd::Command(ID_HARDWARE_MANUAL, &CMainFrame::OnHardwareManual),
        Cmd::CommandRange(ID_THEME_FIRST, ID_THEME_THIRD, &CMainFrame::OnInterfaceTheme),
    };
    AddCommandTable(kCommands);
}

CMainFrame::~CMainFrame()
{
    if (::GetProjectDocument() == m_projectDoc.get())
        AttachProjectDocument(nullptr);
}

CTKToolBar* CMainFrame::GetToolBar(int index) const
{
    if (index < 0 || index >= static_cast<int>(std::size(m_toolBars)))
        return nullptr;
    return m_toolBars[index];
}

void CMainFrame::SetInterfaceStyle(int barTheme, int dockingStyle)
{
    m_barTheme = barTheme;
    m_dockingStyle = dockingStyle;
}

// ---- Creation ----

int CMainFrame::OnCreate()
{
    if (CTKMDIFrameWnd::OnCreate() == -1)
        return -1;
    if (!CreateStatusBar())
        return -1;
    if (!CreateCommandBars())
        return -1;
    if (!CreateMenuBar())
        return -1;
    if (!CreateToolBars())
        return -1;
    m_projectDoc = std::make_unique<CProjTreeDOC>();
    AttachProjectDocument(m_projectDoc.get());
    m_commands = std::make_unique<CProjectCommands>(m_app, *m_projectDoc, m_profile, m_recent, *this);
    m_archive = std::make_unique<CProjectArchive>(m_app, m_profile, *this, *m_commands);
    m_settings = std::make_unique<CSettingsStore>(CSettingsStore::ProfileFilePath(AfxGetApp()->GetRegistryKey()),
                                                  AfxGetApp()->GetProfileName());
    m_compiler = std::make_unique<CProjectCompiler>(m_app, *this);
    m_onlineDialogs = std::make_unique<COnlineDialogs>(this, *m_settings);
    m_plcCommands = std::make_unique<CPlcCommands>(*m_compiler, *m_onlineDialogs, *this);
    m_monitor = std::make_unique<CMonitorCommand>(*this, *m_compiler);
    LoadBarState();
    CreateDockingPanes();
    AttachTabClient();
    CSplashWindow::ShowSplashScreen(this);
    return 0;
}

BOOL CMainFrame::CreateStatusBar()
{
    m_statusBar = std::make_unique<CTKThemedStatusBar>();
    if (!m_statusBar->CreateBar(this, kStatusBarStyle))
        return FALSE;
    return m_statusBar->SetIndicatorsWithFont(kIndicators, static_cast<int>(std::size(kIndicators)));
}

BOOL CMainFrame::CreateCommandBars()
{
    if (CTKBarRenderer::GetCurrent() == nullptr)
        CTKBarRenderer::SelectTheme(kPlainRendererTheme);
    auto* bars = new CTKCommandBars;
    SetCommandBars(bars);
    bars->SetFrame(this);
    if (!bars->CreateDockBars())
        return FALSE;
    CTKCommandBarsOptions* options = bars->GetCommandBarsOptions();
    // The expand button only where a bar hides buttons; tooltips on.
    options->bShowExpandButtonAlways = FALSE;
    options->bToolBarScreenTips = TRUE;
    return TRUE;
}

BOOL CMainFrame::CreateMenuBar()
{
    return GetCommandBars()->CreateMenuBar(kMenuBarTitle, kMainMenuId) != nullptr;
}

BOOL CMainFrame::CreateToolBars()
{
    CTKCommandBars* bars = GetCommandBars();
    for (size_t i = 0; i < std::size(kToolBars); ++i) {
        CTKToolBar* bar = bars->AddToolBar(kToolBars[i].title, kTopPosition, RUNTIME_CLASS(CTKToolBar));
        if (bar == nullptr || !bar->LoadToolBar(kToolBars[i].resourceId))
            return FALSE;
        m_toolBars[i] = bar;
    }
    RecalcLayout();
    // Each bar after the first goes on the same row, directly right of the one before.
    for (size_t i = 1; i < std::size(kToolBars); ++i) {
        CRect previous;
        CRect own;
        m_toolBars[i - 1]->GetWindowRect(&previous);
        m_toolBars[i]->GetWindowRect(&own);
        const CRect place(previous.right, previous.top, previous.right + own.Width(), previous.bottom);
        bars->DockBar(m_toolBars[i], &place, m_toolBars[i - 1]->GetDockBar());
        RecalcLayout();
    }
    return TRUE;
}

int CMainFrame::GetRecentFileCount() const
{
    return m_recent.GetSize();
}

BOOL CMainFrame::GetRecentDisplayName(int index, const std::string& currentFolder, std::string* name) const
{
    const std::string path = m_recent.GetEntry(index);
    if (path.empty())
        return FALSE;
    const BOOL inFolder = !currentFolder.empty() && path.compare(0, currentFolder.size(), currentFolder) == 0 &&
                          path.find('/', currentFolder.size()) == std::string::npos;
    *name = inFolder ? path.substr(currentFolder.size()) : path;
    return TRUE;
}

// The options of the bars, then their arrangement and customised content.
void CMainFrame::LoadBarState()
{
    GetCommandBars()->LoadOptions(kBarStateName);
    GetCommandBars()->LoadState(kBarStateName, FALSE);
}

void CMainFrame::SaveBarState()
{
    GetCommandBars()->SaveOptions(kBarStateName);
    GetCommandBars()->SaveState(kBarStateName);
}

// Workspace selected, Instructions and HW Catalog tabbed beside it, Output
// at the bottom. The catalogue is built for LD.
void CMainFrame::CreateDockingPanes()
{
    if (!m_paneHost.AttachToFrame(this))
        return;
    for (const PaneSetup& setup : kPaneSetup) {
        if (setup.id == ID_PANE_HWCATALOG) {
            m_app.InsTreeLDShown = 1;
            m_app.InsTreeILShown = 0;
        }
        CTKDockingPaneItem* pane = m_paneHost.NewPane(setup.id, setup.dockingRect, setup.side, nullptr);
        if (pane != nullptr)
            pane->SetOptions(pane->GetOptions() | kPaneOptions);
    }
    m_paneHost.GetImages()->SetIcons(kPaneIconsBitmap, kPaneIconIds, static_cast<int>(std::size(kPaneIconIds)),
                                     kPaneIconSize, kPaneIconSize, 0);
    m_paneHost.PlacePane(m_paneHost.FindPane(ID_PANE_INSTRUCTIONS), m_paneHost.FindPane(ID_PANE_WORKSPACE));
    m_paneHost.PlacePane(m_paneHost.FindPane(ID_PANE_HWCATALOG), m_paneHost.FindPane(ID_PANE_INSTRUCTIONS));
    m_paneHost.OpenPaneById(ID_PANE_WORKSPACE);
    m_previousOutput = &CUserInterface::Output();
    m_outputSink = std::make_unique<CQtOutputSink>(this);
    CUserInterface::SetOutput(m_outputSink.get());
}

// The MDI children as tabs: one strip, no icons, scroll buttons always, no
// close button, on the side the profile keeps.
void CMainFrame::AttachTabClient()
{
    if (!m_tabClient.AttachToFrame(this, FALSE))
        return;
    m_tabClient.GetRenderer()->SetShowIcons(FALSE);
    m_tabClient.SetTabButtonFlags(kTabButtonFlags);
    m_tabClient.GetRenderer()->SetPosition(
        AfxGetApp()->GetProfileInt(kTabSection, kTabPositionEntry, kTabPositionTop));
}

void CMainFrame::SyncTabs()
{
    m_tabClient.SyncTabs();
}

// A right click on a tab activates its window and opens the tab menu there.
LRESULT CMainFrame::OnTabClientNotify(WPARAM mouseMessage, LPARAM point)
{
    if (mouseMessage != WM_RBUTTONDOWN)
        return 0;
    CPoint at(GET_X_LPARAM(point), GET_Y_LPARAM(point));
    CTKTabItem* tab = m_tabClient.HitTestTab(at.x, at.y);
    if (tab != nullptr && tab->GetHandle() != nullptr)
        GetMDIClient()->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(tab->GetHandle()));
    m_tabClient.Refresh(TRUE);
    CMenu menu;
    if (menu.LoadMenu(kTabContextMenu) && menu.GetSubMenu(0) != nullptr && m_tabClient.TabPointToScreen(&at))
        CTKCommandBars::ShowContextMenu(menu.GetSubMenu(0), TPM_RIGHTBUTTON, at.x, at.y, this, nullptr, this,
                                        GetCommandBars());
    m_tabClient.Refresh(TRUE);
    return 1;
}

// A copy of the live pane layout goes to the profile.
void CMainFrame::SavePaneLayout()
{
    m_paneLayoutSavePending = FALSE;
    CTKDockingPaneLayout layout(&m_paneHost);
    m_paneHost.CopyLayoutTo(&layout);
    layout.WriteToRegistry(kPaneLayoutName);
}

// A pane docked, floated, hidden or closed: the layout is written as soon as
// the move is over, once for all the panes that moved together, so a program
// that ends uncleanly keeps it.
void CMainFrame::PaneLayoutChanged()
{
    if (m_paneLayoutSavePending)
        return;
    m_paneLayoutSavePending = TRUE;
    PostMessage(WM_PANE_LAYOUT_CHANGED);
}

// ---- Panes ----

CMainFrame::PaneRecord* CMainFrame::FindPane(UINT paneId)
{
    for (PaneRecord& pane : m_panes) {
        if (pane.id == paneId)
            return &pane;
    }
    return nullptr;
}

const CMainFrame::PaneRecord* CMainFrame::FindPane(UINT paneId) const
{
    for (const PaneRecord& pane : m_panes) {
        if (pane.id == paneId)
            return &pane;
    }
    return nullptr;
}

void CMainFrame::OpenPane(UINT paneId)
{
    m_paneHost.OpenPaneById(paneId);
    PaneLayoutChanged();
}

void CMainFrame::ClosePane(UINT paneId)
{
    m_paneHost.ClosePane(m_paneHost.FindPane(paneId));
    PaneLayoutChanged();
}

BOOL CMainFrame::IsPaneClosed(UINT paneId) const
{
    const CTKDockingPaneItem* pane = m_paneHost.FindPane(paneId);
    return pane == nullptr || pane->IsClosed();
}

BOOL CMainFrame::IsPaneShown(UINT paneId) const
{
    const PaneRecord* pane = FindPane(paneId == ID_PANE_INSTRUCTIONS_IL ? ID_PANE_INSTRUCTIONS : paneId);
    return pane != nullptr && pane->shown;
}

CWnd* CMainFrame::GetPaneView(UINT paneId) const
{
    const CTKDockingPaneItem* pane = m_paneHost.FindPane(paneId);
    return pane != nullptr ? pane->GetHostedWindow() : nullptr;
}

COutputView* CMainFrame::GetOutputView() const
{
    return dynamic_cast<COutputView*>(GetPaneView(ID_PANE_OUTPUT));
}

namespace {

// Whether a completed pane action changed the layout.
bool IsLayoutChange(int action)
{
    switch (action) {
    case CTKDockingPaneHost::kActionFloated:
    case CTKDockingPaneHost::kActionClosed:
    case CTKDockingPaneHost::kActionDocked:
    case CTKDockingPaneHost::kActionAttached:
    case CTKDockingPaneHost::kActionAutoHidden:
        return true;
    default:
        return false;
    }
}

} // namespace

// A pane about to show gets its view the first time; a closed pane clears
// its shown flag and is never vetoed; a completed move or close has the
// layout written.
LRESULT CMainFrame::OnDockingPaneNotify(WPARAM kind, LPARAM lParam)
{
    if (kind == CTKDockingPaneHost::kNotifyAction) {
        const auto* action = reinterpret_cast<const CTKDockingPaneAction*>(lParam);
        if (action != nullptr && IsLayoutChange(action->action))
            PaneLayoutChanged();
        return 0;
    }
    auto* item = reinterpret_cast<CTKDockingPaneItem*>(lParam);
    if (kind != CTKDockingPaneHost::kNotifyShowing && kind != CTKDockingPaneHost::kNotifyClosing)
        return 0;
    if (item == nullptr)
        return 1;
    UINT id = item->GetId();
    if (id == ID_PANE_INSTRUCTIONS_IL)
        id = ID_PANE_INSTRUCTIONS;
    PaneRecord* pane = FindPane(id);
    if (kind == CTKDockingPaneHost::kNotifyClosing) {
        if (pane != nullptr)
            pane->shown = FALSE;
        return 1;
    }
    if (pane == nullptr)
        return 1;
    pane->shown = TRUE;
    if (!item->HasHostedWindow())
        HostPaneView(item);
    if (item->GetId() == ID_PANE_WORKSPACE || item->GetId() == ID_PANE_INSTRUCTIONS)
        HostInstructionTree();
    return 1;
}

void CMainFrame::HostPaneView(CTKDockingPaneItem* pane)
{
    for (const PaneSetup& setup : kPaneSetup) {
        if (setup.id != pane->GetId() || setup.viewClass == nullptr)
            continue;
        const CRuntimeClass* viewClass = CRuntimeClass::FromName(setup.viewClass);
        pane->HostView(this, viewClass, nullptr, kPaneViewStyle, nullptr, kPaneViewId);
        if (auto* output = dynamic_cast<COutputView*>(pane->GetHostedWindow()))
            output->SetHost(this);
        if (auto* tree = dynamic_cast<CProjTreeView*>(pane->GetHostedWindow()))
            tree->Attach(&m_app, this);
        return;
    }
}

// The catalogue is made the first time Workspace or Instructions is shown, built for LD.
void CMainFrame::HostInstructionTree()
{
    if (m_app.InsTreeViewCreated != 0 && m_insTreeView != nullptr)
        return;
    auto* view = new CInsTreeView;
    view->Attach(&m_app, this);
    if (!view->Create(this, CRect(), kPaneViewId, kPaneViewStyle)) {
        delete view;
        return;
    }
    view->BuildInstructionTree(TRUE);
    m_insTreeView = view;
    if (CTKDockingPaneItem* pane = m_paneHost.FindPane(ID_PANE_INSTRUCTIONS))
        pane->SetHostedWindow(view);
    m_app.InsTreeViewCreated = 1;
}

DWORD CMainFrame::OpenPanesMask() const
{
    DWORD mask = 0;
    for (const PaneRecord& pane : m_panes) {
        if (!IsPaneClosed(pane.id))
            mask |= pane.maskBit;
    }
    return mask;
}

void CMainFrame::CloseAllPanes()
{
    m_paneHost.CloseAllPanes();
}

void CMainFrame::OnViewWorkspace()
{
    const BOOL wasShown = m_leftGroupShown;
    m_leftGroupShown = !m_leftGroupShown;
    if (wasShown) {
        ClosePane(ID_PANE_WORKSPACE);
        ClosePane(ID_PANE_INSTRUCTIONS);
        ClosePane(ID_PANE_HWCATALOG);
        return;
    }
    OpenPane(ID_PANE_WORKSPACE);
    OpenPane(ID_PANE_INSTRUCTIONS);
    OpenPane(ID_PANE_HWCATALOG);
    OpenPane(ID_PANE_WORKSPACE);
}

void CMainFrame::OnUpdateViewWorkspace(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_leftGroupShown ? 1 : 0);
}

void CMainFrame::OnViewOutput()
{
    PaneRecord& output = m_panes[kOutput];
    output.shown = !output.shown;
    if (output.shown)
        OpenPane(ID_PANE_OUTPUT);
    else
        ClosePane(ID_PANE_OUTPUT);
}

void CMainFrame::OnUpdateViewOutput(CCmdUI* cmdUI)
{
    cmdUI->SetCheck(m_panes[kOutput].shown ? 1 : 0);
}

void CMainFrame::OnViewNothing()
{
}

void CMainFrame::OnUpdateNothing(CCmdUI*)
{
}

void CMainFrame::OnFullScreen()
{
    const DWORD mask = OpenPanesMask();
    m_leftGroupShown = FALSE;
    m_panes[kOutput].shown = FALSE;
    if (mask != 0) {
        m_fullScreenMask = mask;
        AdjustActiveChildForFullScreen();
    }
    CloseAllPanes();
}

// A POU editor in front keeps a low variable row while the panes are gone,
// the hardware window its module table at the least height.
void CMainFrame::AdjustActiveChildForFullScreen()
{
    CMDIChildWnd* child = MDIGetActive();
    if (child == nullptr)
        return;
    if (auto* editor = dynamic_cast<CChildFrmEditor*>(child)) {
        if (editor->GetSplitter() == nullptr)
            return;
        editor->GetSplitter()->SetRowInfo(0, kFullScreenVarRowHeight, kMinUpperRowHeight);
        editor->GetSplitter()->RecalcLayout();
        return;
    }
    if (child != GetSlot(SingletonWindow::Hardware).frame.data())
        return;
    for (QWidget* widget : child->findChildren<QWidget*>()) {
        if (auto* splitter = dynamic_cast<CMinRowSplitter*>(widget)) {
            splitter->SetRowInfo(0, kMinUpperRowHeight, kMinUpperRowHeight);
            splitter->RecalcLayout();
            return;
        }
    }
}

void CMainFrame::OnRestorePanes()
{
    if (m_fullScreenMask & kPaneBitWorkspace) {
        OpenPane(ID_PANE_WORKSPACE);
        m_panes[kWorkspace].shown = TRUE;
    }
    if (m_fullScreenMask & kPaneBitOutput)
        OpenPane(ID_PANE_OUTPUT);
    if (m_fullScreenMask & kPaneBitHWCatalog)
        OpenPane(ID_PANE_HWCATALOG);
    if (m_fullScreenMask & kPaneBitInstructions)
        OpenPane(ID_PANE_INSTRUCTIONS);
    if (m_fullScreenMask & kPaneBitWorkspace)
        OpenPane(ID_PANE_WORKSPACE);
    if (m_panes[kWorkspace].shown)
        m_leftGroupShown = TRUE;
}

void CMainFrame::OpenPanesOfMask(DWORD mask)
{
    const UINT order[] = {ID_PANE_WORKSPACE, ID_PANE_OUTPUT, ID_PANE_INSTRUCTIONS, ID_PANE_HWCATALOG};
    for (UINT id : order) {
        PaneRecord* pane = FindPane(id);
        if (pane->maskBit & mask) {
            OpenPane(id);
            pane->shown = TRUE;
        }
    }
}

void CMainFrame::OnSetPreviewMode(BOOL preview)
{
    CTKCommandBars* bars = GetCommandBars();
    for (int i = 0; bars != nullptr && i < bars->GetCount(); ++i)
        bars->GetBarAt(i)->HideForPrintPreview(preview);
    m_tabClient.SetTabsVisible(!preview);
    if (preview) {
        m_previewMask = OpenPanesMask();
        CloseAllPanes();
        return;
    }
    OpenPanesOfMask(m_previewMask);
}

// ---- Single-instance windows ----

CSingletonSlot& CMainFrame::GetSlot(SingletonWindow window)
{
    return m_slots[static_cast<int>(window)];
}

const char* CMainFrame::SlotClassName(SingletonWindow window)
{
    for (const SingletonRecord& record : kSingletons) {
        if (record.window == window)
            return record.className;
    }
    return "";
}

// Flag set with a live frame: that frame comes to the front. A flag left
// set without a frame is cleared and the window is made at once.
void CMainFrame::OpenSingleton(SingletonWindow window, const char* title)
{
    CSingletonSlot& slot = GetSlot(window);
    if (slot.open && slot.frame) {
        slot.frame->ActivateFrame(kShowMaximized);
        SyncTabs();
        return;
    }
    slot.open = FALSE;
    slot.frame = nullptr;
    const CRuntimeClass* frameClass = CRuntimeClass::FromName(SlotClassName(window));
    CObject* object = frameClass != nullptr ? frameClass->CreateObject() : nullptr;
    auto* frame = dynamic_cast<CMDIChildWnd*>(object);
    if (frame == nullptr) {
        delete object;
        SyncTabs();
        return;
    }
    slot.open = TRUE;
    slot.frame = frame;
    QObject::connect(frame, &QObject::destroyed, this, [this, window] {
        CSingletonSlot& own = GetSlot(window);
        own.open = FALSE;
        own.frame = nullptr;
        SyncTabs();
    });
    if (frame->Create(title, kSingletonStyle, CRect(), this))
        frame->ActivateFrame(kShowMaximized);
    SyncTabs();
}

void CMainFrame::OpenHardwareWindow()
{
    OpenSingleton(SingletonWindow::Hardware, "Hardware");
}

// The uploaded configuration is shown at once: the hardware window in front, made when needed.
void CMainFrame::ActivateHardwareWindow()
{
    OpenHardwareWindow();
}

void CMainFrame::OpenInitialDataWindow()
{
    OpenSingleton(SingletonWindow::InitialData, "Initial Data");
}

void CMainFrame::OpenGlobalVariableWindow()
{
    OpenSingleton(SingletonWindow::GlobalVariables, "VAR_GLOBAL");
}

void CMainFrame::OpenStatusChartWindow()
{
    OpenSingleton(SingletonWindow::StatusChart, "Status Chart");
}

void CMainFrame::OnProjectCrossReference()
{
    OpenSingleton(SingletonWindow::CrossReference, "Cross Reference");
}

void CMainFrame::OnPIDDisplay()
{
    m_app.PIDTrendOpen = 1;
    OpenSingleton(SingletonWindow::PIDTrend, "PID\xD7\xD4\xD5\xFB\xB6\xA8");
}

void CMainFrame::OnPIDWizard()
{
    CPIDWizard wizard(m_app, *this);
    wizard.Run(this);
}

// ---- Windows and project ----

void CMainFrame::OnWindowClose()
{
    if (CMDIChildWnd* child = MDIGetActive())
        child->PostMessage(WM_CLOSE);
}

void CMainFrame::OnCloseAll()
{
    m_commands->OnCloseAll();
}

BOOL CMainFrame::CloseProject()
{
    return m_commands->CloseProject();
}

void CMainFrame::OpenProjectByPath(const std::string& path)
{
    m_commands->OpenProjectByPath(path);
}

// Tab alone never moves the focus between the frame's windows; Ctrl+Tab
// goes to the next MDI child. An Alt key of the frame's own table does its
// command before the menu bar takes the letter as a mnemonic (Alt+T toggles
// the tabs, the Tools menu stays on Alt, then T).
BOOL CMainFrame::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        if (GetKeyState(VK_CONTROL) < 0) {
            MDINext();
            return TRUE;
        }
        // While the menu bar has the keyboard, Tab moves between its titles;
        // otherwise the frame keeps it.
        if (CTKCommandBars* bars = GetCommandBars())
            bars->HookKeyMessage(msg);
        return TRUE;
    }
    if (msg->message == WM_SYSKEYDOWN && CTKPopupTracker::Get().GetTrackedBars().empty()
        && CFrameWnd::PreTranslateMessage(msg))
        return TRUE;
    return CTKMDIFrameWnd::PreTranslateMessage(msg);
}

BOOL CMainFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DOCKINGPANE_NOTIFY) {
        *result = OnDockingPaneNotify(wParam, lParam);
        return TRUE;
    }
    if (message == kTKMsgTabNotify) {
        *result = OnTabClientNotify(wParam, lParam);
        return TRUE;
    }
    if (message == WM_PANE_LAYOUT_CHANGED) {
        // The frame is laid out first: a group that the move made gets its size there.
        if (m_paneLayoutSavePending) {
            RecalcLayout();
            SavePaneLayout();
        }
        *result = 0;
        return TRUE;
    }
    if (message == WM_SETMESSAGESTRING || message == WM_POPMESSAGESTRING) {
        *result = OnMessageString(message, wParam, lParam);
        return TRUE;
    }
    return CTKMDIFrameWnd::OnWndMsg(message, wParam, lParam, result);
}

// A bar's prompt goes to the first pane of the status bar: the text given,
// or the prompt part (before the line feed) of the string of the id given;
// popping it shows the idle string of the id.
LRESULT CMainFrame::OnMessageString(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::string text;
    if (message == WM_SETMESSAGESTRING && lParam != 0)
        text = reinterpret_cast<const char*>(lParam);
    else if (wParam != 0)
        text = CResourceStore::Instance().LoadString(static_cast<UINT>(wParam));
    text = text.substr(0, text.find('\n'));
    if (m_statusBar)
        m_statusBar->SetPaneText(kMessagePane, text);
    return 0;
}

// Monitoring off, the project closed (the user may refuse), then the
// layout, the tab position and the bars saved for the next start.
void CMainFrame::OnClose()
{
    if (m_app.Monitoring)
        SendMessage(WM_COMMAND, ID_MONITOR);
    if (!CloseProject())
        return;
    m_monitor.reset();
    m_plcCommands.reset();
    m_archive.reset();
    m_commands.reset();
    AttachProjectDocument(nullptr);
    m_projectDoc.reset();
    SavePaneLayout();
    AfxGetApp()->WriteProfileInt(kTabSection, kTabPositionEntry, m_tabClient.GetRenderer()->GetPosition());
    SaveBarState();
    CWinApp* app = AfxGetApp();
    CTKFramePlacement placement;
    placement.SaveWindowPlacement(this, nullptr, CTKProfileRegistry(app->GetRegistryKey(), app->GetProfileName()));
    CTKMDIFrameWnd::OnClose();
}

void CMainFrame::OnToggleTab()
{
    CTKTabRenderer* renderer = m_tabClient.GetRenderer();
    renderer->SetPosition(renderer->GetPosition() == kTabPositionTop ? kTabPositionBottom : kTabPositionTop);
    m_tabClient.Refresh(TRUE);
    AfxGetApp()->WriteProfileInt(kTabSection, kTabPositionEntry, renderer->GetPosition());
}

void CMainFrame::OnDestroy()
{
    if (m_outputSink) {
        CUserInterface::SetOutput(m_previousOutput);
        m_outputSink.reset();
    }
    CTKMDIFrameWnd::OnDestroy();
    m_tabClient.Detach();
}

// ---- IProjectHost ----

// The request's filter "Text (*.x)|*.x||" becomes Qt's "Text (*.x)" list.
BOOL CMainFrame::RunFileDialog(const CFileDialogRequest& request, std::string& path)
{
    QStringList filters;
    const QStringList parts = ToQString(request.filter).split(QLatin1Char('|'));
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty())
            filters << parts[i];
    }
    QFileDialog dialog(this, ToQString(request.title), ToQString(request.initialFolder));
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    if (!request.promptOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.proposedName.empty())
        dialog.selectFile(ToQString(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return FALSE;
    path = FromQString(dialog.selectedFiles().constFirst());
    return TRUE;
}

BOOL CMainFrame::BrowseForFolder(const std::string& caption, const std::string& initialFolder, std::string& folder)
{
    const QString chosen = QFileDialog::getExistingDirectory(this, ToQString(caption), ToQString(initialFolder));
    if (chosen.isEmpty())
        return FALSE;
    folder = FromQString(chosen);
    return TRUE;
}

// What the editors hold goes to the files that Compile All, Save and
// Save As work on: each POU under its own file name in the project folder.
BOOL CMainFrame::SaveOpenDocuments(const std::string& projectFolder)
{
    for (CPOUEditorDoc* document : GetOpenPOUDocuments()) {
        const std::string path = FileSystem::JoinPath(projectFolder, FileSystem::FileNameOf(document->GetPathName()));
        if (path != document->GetPathName())
            document->SetPathName(path);
        if (!document->OnSaveDocument(path))
            return FALSE;
        document->SetModifiedFlag(FALSE);
    }
    return TRUE;
}

BOOL CMainFrame::AnyDocumentModified()
{
    for (CPOUEditorDoc* document : GetOpenPOUDocuments()) {
        if (document->IsModified())
            return TRUE;
    }
    return FALSE;
}

BOOL CMainFrame::SaveModifiedDocuments()
{
    for (CPOUEditorDoc* document : GetOpenPOUDocuments()) {
        if (!document->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CMainFrame::CloseAllDocuments()
{
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    if (app == nullptr || app->GetPOUTemplate() == nullptr)
        return;
    for (CDocument* document : app->GetPOUTemplate()->GetDocuments())
        app->GetPOUTemplate()->CloseDocument(document);
}

void CMainFrame::DestroySingletonWindows()
{
    for (CSingletonSlot& slot : m_slots) {
        if (slot.frame)
            slot.frame->DestroyWindow();
        slot.frame = nullptr;
        slot.open = FALSE;
    }
    SyncTabs();
}

BOOL CMainFrame::CheckHardwareConfig()
{
    const CSingletonSlot& slot = GetSlot(SingletonWindow::Hardware);
    auto* window = dynamic_cast<IHardwareWindow*>(slot.frame.data());
    return slot.open && window ? window->CheckHardwareConfig() : TRUE;
}

void CMainFrame::ClearProjectTree()
{
    if (CProjTreeView* tree = GetProjTreeView())
        tree->ClearProjectTree();
}

void CMainFrame::BuildProjectTree()
{
    if (CProjTreeView* tree = GetProjTreeView())
        tree->BuildProjectTree();
}

void CMainFrame::FillProjectTree()
{
    if (CProjTreeView* tree = GetProjTreeView())
        tree->FillProjectTree();
}

void CMainFrame::SetProjectTreeRoot(const std::string& text)
{
    if (CProjTreeView* tree = GetProjTreeView())
        tree->SetProjectItemText(text);
}

BOOL CMainFrame::CreateMainProgram()
{
    CProjTreeView* tree = GetProjTreeView();
    return tree != nullptr && tree->NewPOU(kNewMain);
}

void CMainFrame::RefreshInstructionTree()
{
    HostInstructionTree();
    if (m_insTreeView != nullptr)
        m_insTreeView->RebuildInstructionTree(m_app.InsTreeILShown ? FALSE : TRUE);
}

void CMainFrame::AddSubroutinesToInstructionTree()
{
    if (m_insTreeView != nullptr)
        m_insTreeView->AddSubroutines(m_app.Project.POUs.SubroutineInterfaces);
}

void CMainFrame::ClearSubroutinesInInstructionTree()
{
    if (m_insTreeView != nullptr)
        m_insTreeView->ClearSubroutines();
}

// Closing the project empties the three lists and leaves the Compile tab in front.
void CMainFrame::ResetOutputWindow()
{
    COutputView* view = GetOutputView();
    if (view == nullptr)
        return;
    for (unsigned list = 0; list < OUTPUT_LIST_COUNT; ++list)
        view->ClearList(list);
    view->SelectList(OUTPUT_LIST_COMPILE);
}

// Nested waits (a force exchange inside a command) show one wait cursor
// until the outermost ends.
void CMainFrame::SetWaitCursor(bool on)
{
    if (on) {
        if (m_waitDepth++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    if (m_waitDepth == 0)
        return;
    if (--m_waitDepth == 0)
        QApplication::restoreOverrideCursor();
}

// ---- IInsTreeHost ----

// The code view of the POU window in front, whichever of its panes has the focus.
CWnd* CMainFrame::GetActivePOUEditorView()
{
    auto* editor = dynamic_cast<CChildFrmEditor*>(MDIGetActive());
    return editor != nullptr ? editor->GetEditorView() : nullptr;
}

bool CMainFrame::IsInstructionsPaneActive()
{
    return !IsPaneClosed(ID_PANE_INSTRUCTIONS) && m_insTreeView != nullptr && m_insTreeView->hasFocus();
}

// ---- IPOUWorkbenchHost ----

CProjTreeNode* CMainFrame::GetCurrentTreeNode()
{
    CProjTreeView* tree = GetProjTreeView();
    return tree != nullptr ? tree->GetItemNode(tree->GetCurrentItem()) : nullptr;
}

void CMainFrame::SelectTreeNode(CProjTreeNode* node)
{
    CProjTreeView* tree = GetProjTreeView();
    if (tree == nullptr || node == nullptr)
        return;
    if (HTREEITEM item = tree->FindNodeItem(node))
        tree->SetCurrentItem(item);
}

IPOUEditorView* CMainFrame::GetActivePOUWindow()
{
    auto* editor = dynamic_cast<CChildFrmEditor*>(MDIGetActive());
    return editor != nullptr ? editor->GetEditorView() : nullptr;
}

void CMainFrame::RebuildInstructionTree(BOOL ld)
{
    HostInstructionTree();
    if (m_insTreeView != nullptr)
        m_insTreeView->RebuildInstructionTree(ld);
}

void CMainFrame::SetStatusPane(int pane, const std::string& text)
{
    m_statusBar->SetPaneText(pane, text);
}

// Every subroutine and interrupt routine with a program, then MAIN, each
// selected in the project tree and opened as a document.
void CMainFrame::OpenAllPous(BOOL reallocate)
{
    std::vector<std::string> names;
    for (const auto& [name, node] : m_app.Project.POUs.SubroutineNodes)
        names.push_back(name);
    for (const auto& [name, node] : m_app.Project.POUs.InterruptNodes)
        names.push_back(name);
    names.push_back(m_app.Project.MainNode.name);
    for (const std::string& name : names) {
        const CXrefTarget pou = XrefTargetOfPOU(m_app.Project, name);
        if (pou.file.empty())
            continue;
        SelectPOUItem(pou.label);
        // The POU's variable table reads the request while it opens; a POU that
        // was already open reads nothing, so the request never outlives its open.
        m_app.LocalVarMapOption = reallocate ? 1 : 0;
        OpenPOUFile(pou.file);
        m_app.LocalVarMapOption = 0;
    }
}

// The question first; the open programs are saved and closed, then opened
// again so that their local variables are laid out anew.
void CMainFrame::OnReallocateLocalVariables()
{
    if (ShowMessage(kNoteCaption, kReallocateQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    m_app.CheckLocalVarAllocation = 0;
    if (!SaveAllProjectFiles()) {
        m_app.CheckLocalVarAllocation = 1;
        return;
    }
    OnCloseAll();
    m_app.ProjectOpen = 1;
    // Empty maps: every POU's variable table allocates its addresses anew, first fit, while it opens.
    m_app.Project.LocalBitUsage.assign(kLocalBitCells, 0);
    m_app.Project.LocalByteUsage.assign(kLocalByteCells, 0);
    OpenAllPous(TRUE);
    SaveAllProjectFiles();
    m_app.CheckLocalVarAllocation = 1;
}

BOOL CMainFrame::ForceAddress(const std::string& address, int value)
{
    return m_force->ForceAddress(address, value);
}

BOOL CMainFrame::UnforceAddress(const std::string& address)
{
    return m_force->UnforceAddress(address);
}

BOOL CMainFrame::SendUnforceAll()
{
    return m_force->SendUnforceAll();
}

BOOL CMainFrame::ForceMapHasEntries()
{
    return m_force->ForceMapHasEntries();
}

void CMainFrame::ClearForceMap()
{
    m_force->ClearForceMap();
}

CFindReplaceDlg* CMainFrame::GetFindReplaceDialog()
{
    return m_findDialog.data();
}

ILDDialogs* CMainFrame::GetLDDialogs()
{
    if (!m_ldDialogs)
        m_ldDialogs = std::make_unique<CLDDialogs>(m_app, this);
    return m_ldDialogs.get();
}

BOOL CMainFrame::IsForced(const std::string& key) const
{
    return m_force && m_force->IsForced(key);
}

// The next Find next or Replace starts a new search.
void CMainFrame::ResetFindState()
{
    m_app.SearchFlag = 0;
}

void CMainFrame::ActivateCodePane()
{
    auto* editor = dynamic_cast<CChildFrmEditor*>(MDIGetActive());
    if (editor != nullptr && editor->GetEditorView() != nullptr)
        editor->SetActiveView(editor->GetEditorView());
}

// ---- IFindReplaceHost ----

CPOUEditorDoc* CMainFrame::GetActivePOUDocument()
{
    auto* editor = dynamic_cast<CChildFrmEditor*>(MDIGetActive());
    if (editor == nullptr || editor->GetEditorView() == nullptr)
        return nullptr;
    ActivateCodePane();
    return editor->GetEditorView()->GetDocument();
}

std::vector<CPOUEditorDoc*> CMainFrame::GetOpenPOUDocuments()
{
    std::vector<CPOUEditorDoc*> documents;
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    if (app == nullptr || app->GetPOUTemplate() == nullptr)
        return documents;
    for (CDocument* document : app->GetPOUTemplate()->GetDocuments()) {
        if (auto* pou = dynamic_cast<CPOUEditorDoc*>(document))
            documents.push_back(pou);
    }
    return documents;
}

// Every context menu of the program goes through here: the first popup of
// the menu resource opens as a popup bar of the command bars at the screen
// point, drawn in the interface theme, with each item's state and shortcut
// taken from the target window's command routing and the frame's
// accelerators; the chosen command reaches the target window (the frame
// when there is none) as WM_COMMAND. Answers whether the menu opened.
int CMainFrame::ShowContextMenu(int menuId, int screenX, int screenY, CWnd* target)
{
    CMenu menu;
    if (!menu.LoadMenu(static_cast<UINT>(menuId)))
        return 0;
    CWnd* site = target != nullptr ? target : this;
    return CTKCommandBars::ShowContextMenu(menu.GetSubMenu(0), 0, screenX, screenY, site, nullptr, nullptr,
                                           GetCommandBars());
}

// ---- Output service ----

void CMainFrame::ShowOutputPane()
{
    if (!m_panes[kOutput].shown) {
        OnViewOutput();
        SyncTabs();
    }
}

BOOL CMainFrame::AppendOutputLine(unsigned list, const std::string& text)
{
    if (list >= OUTPUT_LIST_COUNT)
        return FALSE;
    ShowOutputPane();
    COutputView* view = GetOutputView();
    return view != nullptr && view->AppendLine(list, text);
}

// Compile All brings its list to the front as it empties it; emptying the
// find list (a project opened or made, a CPU placed) leaves the tab in front
// as it is.
void CMainFrame::ClearOutputList(unsigned list)
{
    COutputView* view = GetOutputView();
    if (view == nullptr)
        return;
    if (list == OUTPUT_LIST_COMPILE)
        view->SelectList(list);
    view->ClearList(list);
}

void CMainFrame::LogStatusMessage(int category, int code, int reserved)
{
    (void)reserved;
    ShowOutputPane();
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    localtime_r(&now, &local);
    std::string line;
    if (!FormatStatusLine(category, code, local, m_app.DownloadNoteText, line))
        return;
    if (COutputView* view = GetOutputView())
        view->AppendLine(OUTPUT_LIST_COMMON, line);
}

// ---- Following a line of the Output pane ----

void CMainFrame::AutoHideOutputPane()
{
    m_panes[kOutput].shown = FALSE;
    m_paneHost.AutoHidePane(m_paneHost.FindPane(ID_PANE_OUTPUT));
}

const CZULProject& CMainFrame::OutputProject()
{
    return m_app.Project;
}

void CMainFrame::GoToOutputTarget(const COutputLineTarget& target)
{
    if (target.kind == COutputLineTarget::InitialDataCell) {
        OpenInitialDataWindow();
        auto* frame = dynamic_cast<CChFrmInitData*>(GetSlot(SingletonWindow::InitialData).frame.data());
        if (auto* view = frame != nullptr ? dynamic_cast<CTableGridView*>(frame->GetView()) : nullptr)
            view->SetActiveCell(target.column, target.row);
        return;
    }
    const CXrefTarget pou = XrefTargetOfPOU(m_app.Project, target.pouName);
    if (pou.file.empty())
        return;
    SelectPOUItem(pou.label);
    CPOUEditorDoc* document = OpenPOUFile(pou.file);
    if (document == nullptr)
        return;
    if (target.kind == COutputLineTarget::MessagePosition) {
        document->GoToLine(target.row);
        return;
    }
    if (target.programKind == 1 || target.programKind == 2)
        document->GoToFindResult(target.resultIndex, target.row, target.column);
}

// A POU already open comes to the front; a second window on the same file
// would let one save over the other's edits.
CPOUEditorDoc* CMainFrame::OpenPOUFile(const std::string& file)
{
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    if (app == nullptr || app->GetPOUTemplate() == nullptr)
        return nullptr;
    for (CPOUEditorDoc* open : GetOpenPOUDocuments()) {
        if (open->GetPathName() != file)
            continue;
        if (CFrameWnd* frame = app->GetPOUTemplate()->GetFrameOf(open))
            MDIActivate(frame);
        return open;
    }
    return dynamic_cast<CPOUEditorDoc*>(app->GetPOUTemplate()->OpenDocumentFile(file, this));
}

// ---- ICrossRefHost ----

void CMainFrame::SelectPOUItem(const std::string& label)
{
    CProjTreeView* tree = GetProjTreeView();
    if (tree == nullptr)
        return;
    if (HTREEITEM item = tree->FindPOUItem(label))
        tree->SetCurrentItem(item);
}

BOOL CMainFrame::OpenPOUAt(const std::string& file, int number)
{
    CPOUEditorDoc* document = OpenPOUFile(file);
    if (document == nullptr)
        return FALSE;
    document->GoToLine(number);
    return TRUE;
}

void CMainFrame::ShowCrossRefMenu(CPoint point)
{
    auto* frame = dynamic_cast<CChFrmCrossRef*>(GetSlot(SingletonWindow::CrossReference).frame.data());
    CWnd* target = frame != nullptr ? frame->GetView() : nullptr;
    ShowContextMenu(static_cast<int>(kCrossRefMenu), point.x, point.y, target);
}

// ---- Command table ----

CFrameCommandState CMainFrame::CommandState()
{
    CFrameCommandState state;
    state.monitoring = m_app.Monitoring != 0;
    state.projectOpen = m_app.ProjectOpen != 0;
    state.pidTrendOpen = m_app.PIDTrendOpen != 0;
    state.cpuFamilyMask = m_app.GetCPUFamilyMask();
    CMDIChildWnd* child = MDIGetActive();
    state.childActive = child != nullptr;
    state.pouEditorActive = dynamic_cast<CChildFrmEditor*>(child) != nullptr;
    return state;
}

// The update handlers of the frame's commands follow their enable rules; the
// marks come from the state they show.
BOOL CMainFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info)
{
    EnableRule rule = EnableRule::Always;
    if (code != CN_UPDATE_COMMAND_UI || extra == nullptr || info != nullptr || !FindFrameCommandRule(id, rule)
        || rule == EnableRule::Untouched)
        return CTKMDIFrameWnd::OnCmdMsg(id, code, extra, info);
    auto* cmdUI = static_cast<CCmdUI*>(extra);
    if (id == ID_MONITOR && m_monitor) {
        BOOL enabled = FALSE;
        BOOL checked = FALSE;
        m_monitor->OnUpdateMonitor(enabled, checked);
        cmdUI->Enable(enabled);
        cmdUI->SetCheck(checked ? 1 : 0);
        return TRUE;
    }
    if (id == ID_TOOLS_COMMUNICATIONS && m_plcCommands) {
        cmdUI->Enable(m_plcCommands->OnUpdateToolsCommunications());
        return TRUE;
    }
    cmdUI->Enable(IsRuleEnabled(rule, CommandState()));
    if (id == ID_SYMBOLIC_ADDRESSING)
        cmdUI->SetRadio(m_app.SymbolicAddressing != 0);
    for (int theme = 0; theme < kInterfaceThemeCount; ++theme) {
        if (id == kThemeCommands[theme])
            cmdUI->SetRadio(m_app.Interface == theme);
    }
    return TRUE;
}

void CMainFrame::OnNewProject()
{
    m_commands->OnNewProject();
}

void CMainFrame::OnOpenProject()
{
    m_commands->OnOpenProject();
}

void CMainFrame::OnCloseProject()
{
    CloseProject();
}

void CMainFrame::OnSaveProject()
{
    m_commands->OnSaveProject();
}

void CMainFrame::OnSaveProjectAs()
{
    m_commands->OnSaveProjectAs();
}

void CMainFrame::OnImportProject()
{
    m_archive->OnImportProject();
}

void CMainFrame::OnExportProject()
{
    m_archive->OnExportProject();
}

void CMainFrame::OnOpenAllPous()
{
    OpenAllPous(FALSE);
}

void CMainFrame::OnCompileAll()
{
    CCompileAll command(m_app, *this);
    command.OnCompileAll();
}

// Earlier find results no longer point at the text once operands change form.
void CMainFrame::OnSymbolicAddressing()
{
    m_app.SearchFlag = 0;
    m_app.SymbolicAddressing = m_app.SymbolicAddressing ? 0 : 1;
    if (auto* editor = dynamic_cast<CChildFrmEditor*>(MDIGetActive())) {
        if (CPOUEditorView* view = editor->GetEditorView())
            view->SetSymbolicAddressing(m_app.SymbolicAddressing);
    }
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    if (app == nullptr || app->GetPOUTemplate() == nullptr)
        return;
    for (CDocument* document : app->GetPOUTemplate()->GetDocuments()) {
        auto* pou = dynamic_cast<CPOUEditorDoc*>(document);
        if (CPOUEditorView* view = pou != nullptr ? pou->GetEditorView() : nullptr)
            view->TriggerRepaint();
    }
}

void CMainFrame::OnOptions()
{
    CSheetSettings sheet(m_app, this);
    sheet.DoModal();
    // What OK or Apply stored is written at once, not only at exit.
    SaveSettings(m_profile, m_app);
}

void CMainFrame::OnToggleMonitor()
{
    if (m_monitor)
        m_monitor->ToggleMonitor();
}

void CMainFrame::OnPlcUpload()
{
    m_plcCommands->OnPlcUpload();
}

void CMainFrame::OnPlcDownload()
{
    m_plcCommands->OnPlcDownload();
}

void CMainFrame::OnPlcCompare()
{
    m_plcCommands->OnPlcCompare();
}

void CMainFrame::OnPlcClear()
{
    m_plcCommands->OnPlcClear();
}

void CMainFrame::OnPlcPassword()
{
    m_plcCommands->OnPlcPassword();
}

void CMainFrame::OnPlcInformation()
{
    m_plcCommands->OnPlcInformation();
}

void CMainFrame::OnPlcClock()
{
    m_plcCommands->OnPlcClock();
}

void CMainFrame::OnPlcRun()
{
    m_plcCommands->OnPlcRun();
}

void CMainFrame::OnPlcStop()
{
    m_plcCommands->OnPlcStop();
}

void CMainFrame::OnCommunications()
{
    m_plcCommands->OnToolsCommunications();
}

void CMainFrame::OnInterfaceTheme(UINT id)
{
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    for (int theme = 0; app != nullptr && theme < kInterfaceThemeCount; ++theme) {
        if (id == kThemeCommands[theme])
            app->SetInterfaceTheme(theme);
    }
    // The theme chosen is written at once, not only at exit.
    SaveSettings(m_profile, m_app);
}

// ---- Help ----

void CMainFrame::OnHelpContents()
{
    CUserInterface::Help().ShowHelp({}, kContentsHelpContext);
}

void CMainFrame::OnWebSite()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebSite)));
}

void CMainFrame::OnHardwareManual()
{
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    if (app == nullptr)
        return;
    const std::string path = app->GetProgramFolder() + "/" + m_app.HardwareManualName;
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

// The hardware window's CANopen pages may have shown their own help for
// this F1 already; then the flag is only reset.
BOOL CMainFrame::ShowHelpOfActiveChild()
{
    CMDIChildWnd* child = MDIGetActive();
    const char* className = child != nullptr ? child->GetRuntimeClass()->m_lpszClassName : nullptr;
    if (className != nullptr && std::string(className) == SlotClassName(SingletonWindow::Hardware)
        && m_app.HelpShownByPage == 1) {
        m_app.HelpShownByPage = 0;
        return FALSE;
    }
    const std::string topic = ChildHelpTopic(className);
    int context = kContentsHelpContext;
    if (!CZULAppData::FindHelpContext(topic, context))
        context = kContentsHelpContext;
    CUserInterface::Help().ShowHelp(topic, context);
    return TRUE;
}

void CMainFrame::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_F1 && !ShowHelpOfActiveChild())
        return;
    CTKMDIFrameWnd::OnKeyDown(ch, repeat, flags);
}

// ---- ICompileAllHost ----

void CMainFrame::EndPendingEdit()
{
    CPOUEditorDoc* document = GetActivePOUDocument();
    if (CPOUEditorView* view = document != nullptr ? document->GetEditorView() : nullptr)
        view->EndPendingEdit();
}

void CMainFrame::BeginWaitCursor()
{
    SetWaitCursor(true);
}

void CMainFrame::EndWaitCursor()
{
    SetWaitCursor(false);
}

BOOL CMainFrame::SaveAllProjectFiles()
{
    return m_commands->SaveAllProjectFiles();
}

void CMainFrame::ScrollCompileListToEnd()
{
    COutputView* view = GetOutputView();
    COutputList* list = view != nullptr ? view->GetList(OUTPUT_LIST_COMPILE) : nullptr;
    if (list != nullptr && list->GetItemCount() > 0)
        list->EnsureVisible(list->GetItemCount() - 1);
}

void CMainFrame::RefreshCrossReference(int, int)
{
    auto* frame = dynamic_cast<CChFrmCrossRef*>(GetSlot(SingletonWindow::CrossReference).frame.data());
    if (auto* list = frame != nullptr ? dynamic_cast<CUsedVarRefView*>(frame->GetView()) : nullptr)
        list->OnRefresh();
}

// ---- IPlcCommandHost ----

BOOL CMainFrame::ChooseUploadFile(const std::string& initialFolder, const std::string& initialName,
                                  std::string& path)
{
    CFileDialogRequest request;
    request.save = true;
    request.title = "Upload to...";
    request.initialFolder = initialFolder;
    request.proposedName = initialName;
    request.promptOverwrite = true;
    request.filter = kProjectFilter;
    request.defaultExtension = kProjectExtension;
    return RunFileDialog(request, path);
}

std::string CMainFrame::PreviousProjectFolder()
{
    return m_commands->PreviousProjectFolder("");
}

void CMainFrame::SetPreviousProjectFolder(const std::string& folder)
{
    m_commands->SetPreviousProjectFolder(folder);
}

BOOL CMainFrame::CheckProjectPathLength(const std::string& path)
{
    return m_commands->CheckProjectPathLength(path);
}

// Upload's new project: an empty project at the path, saved once, in the recent list.
BOOL CMainFrame::CreateProject(const std::string& path)
{
    if (!m_projectDoc || !m_projectDoc->CreateProject(path))
        return FALSE;
    m_recent.Add(path);
    return TRUE;
}

void CMainFrame::ShowUploadedProject()
{
    FillProjectTree();
    RefreshInstructionTree();
    AddSubroutinesToInstructionTree();
    ActivateHardwareWindow();
    OpenAllPous(FALSE);
}

// ---- IHardwareWindowHost ----

// While the hardware window is in front its catalogue counts as the shown
// pane of the group, the instruction catalogue while it is not.
void CMainFrame::OnHardwareWindowActivated(BOOL active)
{
    if (PaneRecord* catalog = FindPane(ID_PANE_HWCATALOG))
        catalog->shown = active;
    if (PaneRecord* instructions = FindPane(ID_PANE_INSTRUCTIONS))
        instructions->shown = !active;
}

// ---- IMonitorFrame ----

void CMainFrame::CloseFindReplaceDialog()
{
    ::CloseFindReplaceDialog(GetFindReplaceDialog());
}

// The POU editor in front shows the live values while monitoring and drops
// them afterwards; any other window (the status chart) repaints and reads
// the new values itself.
void CMainFrame::RefreshMonitorDisplay(BOOL monitoring)
{
    CMDIChildWnd* child = MDIGetActive();
    if (child == nullptr)
        return;
    if (auto* status = dynamic_cast<CChildFrmStatus*>(child)) {
        if (auto* chart = dynamic_cast<CStatusTblView*>(status->GetView()))
            chart->RefreshMonitorValues();
        return;
    }
    auto* editor = dynamic_cast<CChildFrmEditor*>(child);
    CPOUEditorView* view = editor != nullptr ? editor->GetEditorView() : nullptr;
    if (view == nullptr || view->GetEditor() == nullptr) {
        child->Invalidate(FALSE);
        return;
    }
    if (monitoring)
        view->GetEditor()->UpdateMonitorDisplay();
    else
        view->GetEditor()->ClearMonitorDisplay();
    view->Invalidate(FALSE);
}

// ---- IProjTreeHost ----

CProjTreeView* CMainFrame::GetProjTreeView() const
{
    return dynamic_cast<CProjTreeView*>(GetPaneView(ID_PANE_WORKSPACE));
}

void CMainFrame::OnNewSubroutine()
{
    if (CProjTreeView* tree = GetProjTreeView())
        tree->NewPOU(kNewSubroutine);
}

void CMainFrame::OnNewInterrupt()
{
    if (CProjTreeView* tree = GetProjTreeView())
        tree->NewPOU(kNewInterrupt);
}

// ---- IPIDGeneratorHost ----

// A PID generation creates its subroutine as the user's New Subroutine does.
void CMainFrame::NewPIDSubroutine()
{
    OnNewSubroutine();
}

std::vector<std::string> CMainFrame::OpenDocumentPaths()
{
    std::vector<std::string> paths;
    for (CPOUEditorDoc* document : GetOpenPOUDocuments())
        paths.push_back(document->GetPathName());
    return paths;
}

CPOUEditorDoc* CMainFrame::FindOpenDocument(const std::string& path)
{
    for (CPOUEditorDoc* document : GetOpenPOUDocuments()) {
        if (document->GetPathName() == path)
            return document;
    }
    return nullptr;
}

BOOL CMainFrame::IsDocumentModified(const std::string& path)
{
    CPOUEditorDoc* document = FindOpenDocument(path);
    return document != nullptr && document->IsModified() ? TRUE : FALSE;
}

BOOL CMainFrame::SaveDocument(const std::string& path)
{
    CPOUEditorDoc* document = FindOpenDocument(path);
    return document != nullptr && document->OnSaveDocument(path) ? TRUE : FALSE;
}

void CMainFrame::DiscardDocumentChanges(const std::string& path)
{
    if (CPOUEditorDoc* document = FindOpenDocument(path))
        document->SetModifiedFlag(FALSE);
}

CProjTreeNode* CMainFrame::SelectProgramItem(const std::string& key)
{
    CProjTreeView* tree = GetProjTreeView();
    if (tree == nullptr)
        return nullptr;
    HTREEITEM item = tree->FindPOUItem(key);
    if (item == nullptr)
        return nullptr;
    tree->SetCurrentItem(item);
    tree->GetTreeCtrl().SelectItem(item);
    return tree->GetItemNode(item);
}

// The window closes once messages run; the tabs follow at once.
void CMainFrame::CloseDocument(const std::string& path)
{
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    CPOUEditorDoc* document = FindOpenDocument(path);
    if (app == nullptr || app->GetPOUTemplate() == nullptr || document == nullptr)
        return;
    if (CFrameWnd* frame = app->GetPOUTemplate()->GetFrameOf(document))
        MDIActivate(frame);
    if (CMDIChildWnd* child = MDIGetActive())
        child->PostMessage(WM_CLOSE);
    SyncTabs();
}

void CMainFrame::RebuildInstructionCatalogue()
{
    RefreshInstructionTree();
    AddSubroutinesToInstructionTree();
}

BOOL CMainFrame::OpenPOUDocument(const std::string& path)
{
    return OpenPOUFile(path) != nullptr;
}

BOOL CMainFrame::CreatePOUDocument(const std::string& path)
{
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    return app != nullptr && app->CreatePOUDocumentFile(path, TRUE);
}

std::vector<std::string> CMainFrame::GetDocumentTitles()
{
    std::vector<std::string> titles;
    auto* app = dynamic_cast<CZULApp*>(AfxGetApp());
    if (app == nullptr || app->GetPOUTemplate() == nullptr)
        return titles;
    for (const CDocument* document : app->GetPOUTemplate()->GetDocuments())
        titles.push_back(document->GetTitle());
    return titles;
}

void CMainFrame::ShowCommunicationsDialog()
{
    if (m_onlineDialogs)
        m_onlineDialogs->ShowCommSettings();
}

void CMainFrame::AddCatalogueSubroutine(CZULFunc* function)
{
    if (m_insTreeView != nullptr && function != nullptr)
        m_insTreeView->AddSubroutine(function);
}

void CMainFrame::RemoveCatalogueSubroutine(const std::string& name)
{
    if (m_insTreeView != nullptr)
        m_insTreeView->RemoveSubroutine(name);
}

void CMainFrame::RenameCatalogueSubroutine(const std::string& oldName, const std::string& newName)
{
    if (m_insTreeView != nullptr)
        m_insTreeView->RenameSubroutine(oldName, newName);
}

void CMainFrame::ResetProject()
{
    m_app.Project.ClearProject();
    m_app.ProjectOpen = 0;
}

void CMainFrame::OpenAllPrograms()
{
    OpenAllPous(FALSE);
}

void CMainFrame::CloseAllWindows()
{
    OnCloseAll();
}
