#include "shell/ui/CMainFrame.h"

#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CStatusBar.h"
#include "platform/ui/CWinApp.h"
#include "shell/CProjectCommands.h"
#include "shell/ui/CChildFrmEditor.h"
#include "shell/ui/CInsTreeView.h"
#include "shell/ui/CMinRowSplitter.h"
#include "shell/ui/CSplashWindow.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKFramePlacement.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKProfileRegistry.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QObject>

namespace {

constexpr DWORD kStatusBarStyle = 0x50008200;
constexpr int kPlainRendererTheme = 1;
constexpr int kTopPosition = 0;
constexpr UINT kPaneViewId = 59648;
constexpr const char* kBarStateName = "ZULCommandBars";
constexpr const char* kMenuBarTitle = "Standard";
constexpr UINT kMainMenuId = 123;
constexpr const char* kTabSection = "TabDocking";
constexpr const char* kTabPositionEntry = "Position";
constexpr int kTabPositionTop = 0;
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
};

struct PaneSetup {
    UINT id;
    DWORD maskBit;
    BOOL shown;
};

// Workspace, Output, Instructions, HW Catalog.
const PaneSetup kPaneSetup[] = {
    {ID_PANE_WORKSPACE, kPaneBitWorkspace, TRUE},
    {ID_PANE_OUTPUT, kPaneBitOutput, TRUE},
    {ID_PANE_INSTRUCTIONS, kPaneBitInstructions, TRUE},
    {ID_PANE_HWCATALOG, kPaneBitHWCatalog, FALSE},
};

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
    : m_app(app), m_profile(profile), m_recent(recent)
{
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
    LoadBarState();
    CreateDockingPanes();
    AttachTabClient();
    CSplashWindow::ShowSplashScreen(this);
    return 0;
}

BOOL CMainFrame::CreateStatusBar()
{
    m_statusBar = std::make_unique<CStatusBar>();
    if (!m_statusBar->CreateBar(this, kStatusBarStyle))
        return FALSE;
    return m_statusBar->SetIndicators(kIndicators, static_cast<int>(std::size(kIndicators)));
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
    options->bToolBarScreenTips = TRUE;
    options->bSyncFloatingBars = FALSE;
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

// The options of the bars; the docked places of the bars join them with the toolkit's bar state.
void CMainFrame::LoadBarState()
{
    GetCommandBars()->LoadOptions(kBarStateName);
}

void CMainFrame::SaveBarState()
{
    GetCommandBars()->SaveOptions(kBarStateName);
}

// The four panes start as the docking host builds them: Workspace selected,
// Instructions and HW Catalog tabbed beside it, Output at the bottom. The
// host itself joins here with the toolkit's docking panes.
void CMainFrame::CreateDockingPanes()
{
    m_app.InsTreeLDShown = 1;
    m_app.InsTreeILShown = 0;
    OpenPane(ID_PANE_OUTPUT);
    OpenPane(ID_PANE_INSTRUCTIONS);
    OpenPane(ID_PANE_WORKSPACE);
}

// The tab client of the MDI children attaches here (tabs on top, close
// button hidden, scroll buttons always) with the toolkit's tab client.
void CMainFrame::AttachTabClient()
{
}

void CMainFrame::SyncTabs()
{
}

// The live pane layout goes to the profile with the docking host.
void CMainFrame::SavePaneLayout()
{
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
    PaneRecord* pane = FindPane(paneId);
    if (pane == nullptr || pane->open)
        return;
    OnDockingPaneNotify(kPaneAction_Showing, static_cast<LPARAM>(paneId));
    pane->open = TRUE;
}

void CMainFrame::ClosePane(UINT paneId)
{
    PaneRecord* pane = FindPane(paneId);
    if (pane == nullptr || !pane->open)
        return;
    pane->open = FALSE;
    OnDockingPaneNotify(kPaneAction_Closed, static_cast<LPARAM>(paneId));
}

BOOL CMainFrame::IsPaneClosed(UINT paneId) const
{
    const PaneRecord* pane = FindPane(paneId);
    return pane == nullptr || !pane->open;
}

BOOL CMainFrame::IsPaneShown(UINT paneId) const
{
    const PaneRecord* pane = FindPane(paneId == ID_PANE_INSTRUCTIONS_IL ? ID_PANE_INSTRUCTIONS : paneId);
    return pane != nullptr && pane->shown;
}

LRESULT CMainFrame::OnDockingPaneNotify(WPARAM action, LPARAM paneId)
{
    UINT id = static_cast<UINT>(paneId);
    if (id == ID_PANE_INSTRUCTIONS_IL)
        id = ID_PANE_INSTRUCTIONS;
    PaneRecord* pane = FindPane(id);
    if (action == kPaneAction_Closed) {
        if (pane != nullptr)
            pane->shown = FALSE;
        return 1;
    }
    if (action != kPaneAction_Showing)
        return 0;
    if (pane == nullptr)
        return 1;
    pane->shown = TRUE;
    if (id == ID_PANE_WORKSPACE || id == ID_PANE_INSTRUCTIONS)
        HostInstructionTree();
    return 1;
}

// The catalogue is made the first time Workspace or Instructions is shown, built for LD.
void CMainFrame::HostInstructionTree()
{
    if (m_app.InsTreeViewCreated != 0 && m_insTreeView != nullptr)
        return;
    auto* view = new CInsTreeView;
    view->Attach(&m_app, this);
    if (!view->Create(this, CRect(), kPaneViewId, WS_CHILD)) {
        delete view;
        return;
    }
    view->BuildInstructionTree(TRUE);
    m_insTreeView = view;
    m_panes[kInstructions].view = view;
    m_app.InsTreeViewCreated = 1;
}

DWORD CMainFrame::OpenPanesMask() const
{
    DWORD mask = 0;
    for (const PaneRecord& pane : m_panes) {
        if (pane.open)
            mask |= pane.maskBit;
    }
    return mask;
}

void CMainFrame::CloseAllPanes()
{
    for (const PaneRecord& pane : m_panes)
        ClosePane(pane.id);
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

// A POU editor in front keeps a low variable row while the panes are gone;
// the hardware window does the same with its own frame.
void CMainFrame::AdjustActiveChildForFullScreen()
{
    auto* editor = dynamic_cast<CChildFrmEditor*>(MDIGetActive());
    if (editor == nullptr || editor->GetSplitter() == nullptr)
        return;
    editor->GetSplitter()->SetRowInfo(0, kFullScreenVarRowHeight, kMinUpperRowHeight);
    editor->GetSplitter()->RecalcLayout();
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
// goes to the next MDI child.
BOOL CMainFrame::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
        if (GetKeyState(VK_CONTROL) < 0)
            MDINext();
        return TRUE;
    }
    return CTKMDIFrameWnd::PreTranslateMessage(msg);
}

BOOL CMainFrame::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_DOCKINGPANE_NOTIFY) {
        *result = OnDockingPaneNotify(wParam, lParam);
        return TRUE;
    }
    return CTKMDIFrameWnd::OnWndMsg(message, wParam, lParam, result);
}

// Monitoring off, the project closed (the user may refuse), then the
// layout, the tab position and the bars saved for the next start.
void CMainFrame::OnClose()
{
    if (m_app.Monitoring)
        SendMessage(WM_COMMAND, ID_MONITOR);
    if (!CloseProject())
        return;
    m_commands.reset();
    AttachProjectDocument(nullptr);
    m_projectDoc.reset();
    SavePaneLayout();
    AfxGetApp()->WriteProfileInt(kTabSection, kTabPositionEntry, kTabPositionTop);
    SaveBarState();
    CWinApp* app = AfxGetApp();
    CTKFramePlacement placement;
    placement.SaveWindowPlacement(this, nullptr, CTKProfileRegistry(app->GetRegistryKey(), app->GetProfileName()));
    CTKMDIFrameWnd::OnClose();
}

void CMainFrame::OnDestroy()
{
    CTKMDIFrameWnd::OnDestroy();
}

// ---- IProjectHost ----

BOOL CMainFrame::RunFileDialog(const CFileDialogRequest&, std::string&)
{
    return FALSE;
}

BOOL CMainFrame::BrowseForFolder(const std::string&, const std::string&, std::string&)
{
    return FALSE;
}

BOOL CMainFrame::SaveOpenDocuments(const std::string&)
{
    return TRUE;
}

BOOL CMainFrame::AnyDocumentModified()
{
    return FALSE;
}

BOOL CMainFrame::SaveModifiedDocuments()
{
    return TRUE;
}

void CMainFrame::CloseAllDocuments()
{
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
    return TRUE;
}

void CMainFrame::ClearProjectTree()
{
}

void CMainFrame::BuildProjectTree()
{
}

void CMainFrame::FillProjectTree()
{
}

void CMainFrame::SetProjectTreeRoot(const std::string&)
{
}

BOOL CMainFrame::CreateMainProgram()
{
    return TRUE;
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

void CMainFrame::ResetOutputWindow()
{
}

void CMainFrame::SetWaitCursor(bool)
{
}

// ---- IInsTreeHost ----

CWnd* CMainFrame::GetActivePOUEditorView()
{
    return nullptr;
}

bool CMainFrame::IsInstructionsPaneActive()
{
    return m_panes[kInstructions].open && m_insTreeView != nullptr && m_insTreeView->hasFocus();
}

// ---- IPOUWorkbenchHost ----

CProjTreeNode* CMainFrame::GetCurrentTreeNode()
{
    return nullptr;
}

void CMainFrame::SelectTreeNode(CProjTreeNode*)
{
}

IPOUEditorView* CMainFrame::GetActivePOUWindow()
{
    return nullptr;
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

void CMainFrame::OpenAllPous(BOOL)
{
}

BOOL CMainFrame::ForceAddress(const std::string&, int)
{
    return FALSE;
}

BOOL CMainFrame::UnforceAddress(const std::string&)
{
    return FALSE;
}

BOOL CMainFrame::SendUnforceAll()
{
    return FALSE;
}

BOOL CMainFrame::ForceMapHasEntries()
{
    return FALSE;
}

void CMainFrame::ClearForceMap()
{
}

CFindReplaceDlg* CMainFrame::GetFindReplaceDialog()
{
    return nullptr;
}

void CMainFrame::ResetFindState()
{
}

void CMainFrame::ActivateCodePane()
{
}

int CMainFrame::ShowContextMenu(int, int, int, CWnd*)
{
    return 0;
}
