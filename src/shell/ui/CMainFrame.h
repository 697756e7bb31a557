#pragma once
// The workbench's main window: an MDI frame with the command bars, the
// status bar, the docking panes (Workspace, Output, Instructions, HW
// Catalog), the one project document and one slot per single-instance
// child window. It is the host the project commands, the catalogue and the
// POU editors call back into.

#include "ladder/ILDForceQuery.h"
#include "platform/IOutputSink.h"
#include "plclink/ICompileAllHost.h"
#include "plclink/IMonitorFrame.h"
#include "pid/IPIDGeneratorHost.h"
#include "plclink/IPlcCommandHost.h"
#include "pouedit/IPOUWorkbenchHost.h"
#include "shell/IProjectHost.h"
#include "shell/ui/ICrossRefHost.h"
#include "shell/ui/IInsTreeHost.h"
#include "pouedit/ui/CFindReplaceDlg.h"
#include "pouedit/ui/IFindReplaceHost.h"
#include "shell/IHardwareWindow.h"
#include "shell/ui/ITableViewHost.h"
#include "shell/ui/IOutputViewHost.h"
#include "shell/ui/IProjTreeHost.h"
#include "toolkit/commandbars/CTKMDIFrameWnd.h"
#include "toolkit/commandbars/CTKThemedStatusBar.h"
#include "toolkit/commandbars/ITKRecentFileSource.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/tabs/CTKTabClientWnd.h"

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

class CCmdUI;
class CInsTreeView;
class CLDDialogs;
class CMDIChildWnd;
class CMonitorCommand;
class COnlineDialogs;
class CPlcCommands;
class CProjectArchive;
class CProjectCompiler;
class CSettingsStore;
struct CFrameCommandState;
class COutputView;
class CQtOutputSink;
class CPOUEditorDoc;
class CProjTreeDOC;
class CProjTreeView;
class CProjectCommands;
class CRecentFileList;
class CTKDockingPaneItem;
class CTKToolBar;
class CZULAppData;
class IProfile;

// Resource and window ids of the frame.
constexpr UINT IDR_MAINFRAME = 122;
constexpr UINT IDR_MAINMENU = 123;
constexpr UINT IDR_TABMENU = 161;
constexpr DWORD kMainFrameStyle = 0xCF8000;

// Panes and their View commands.
constexpr UINT ID_PANE_WORKSPACE = 32690;
constexpr UINT ID_PANE_OUTPUT = 32692;
constexpr UINT ID_PANE_INSTRUCTIONS = 32554;
constexpr UINT ID_PANE_INSTRUCTIONS_IL = 32555;
constexpr UINT ID_PANE_HWCATALOG = 32845;
constexpr UINT ID_VIEW_INSTRUCTION_TREE = 32694;
constexpr UINT ID_VIEW_HWCATALOG = 32871;
constexpr UINT ID_VIEW_FULLSCREEN = 32964;
constexpr UINT ID_VIEW_RESTORE_PANES = 32966;
constexpr UINT ID_MONITOR = 32806;
constexpr UINT ID_WINDOW_CLOSE = 32876;
constexpr UINT ID_WINDOW_CLOSE_ALL = 32880;
constexpr UINT ID_TOGGLE_TAB = 32879;

// The docking host's notification.
constexpr UINT WM_DOCKINGPANE_NOTIFY = CTKDockingPaneHost::kPaneNotify;

// Pane bits of the full-screen and print-preview masks.
constexpr DWORD kPaneBitWorkspace = 0x01;
constexpr DWORD kPaneBitInstructions = 0x02;
constexpr DWORD kPaneBitOutput = 0x08;
constexpr DWORD kPaneBitHWCatalog = 0x10;

// The single-instance child windows, in slot order.
enum class SingletonWindow { Hardware, StatusChart, InitialData, CrossReference, GlobalVariables, PIDTrend, Count };

// A single-instance window's slot: the frame (null once destroyed) and whether it counts as open.
struct CSingletonSlot {
    QPointer<CMDIChildWnd> frame;
    BOOL open = FALSE;
};

class CForceCommands;

class CMainFrame : public CTKMDIFrameWnd,
                   public IProjectHost,
                   public IInsTreeHost,
                   public IPOUWorkbenchHost,
                   public IOutputSink,
                   public IOutputViewHost,
                   public ITableViewHost,
                   public ICrossRefHost,
                   public ICompileAllHost,
                   public IPlcCommandHost,
                   public IMonitorFrame,
                   public IProjTreeHost,
                   public IHardwareWindowHost,
                   public IFindReplaceHost,
                   public IPIDGeneratorHost,
                   public ITKRecentFileSource,
                   public ILDForceQuery {
    DECLARE_DYNAMIC(CMainFrame)
public:
    // The application data, the profile and the recent-project list outlive the frame.
    CMainFrame(CZULAppData& app, IProfile& profile, CRecentFileList& recent);
    ~CMainFrame() override;

    CTKThemedStatusBar* GetStatusBar() const { return m_statusBar.get(); }

    // The recent-project list for the File menu: a project in the current
    // folder by its file name, any other by its full path.
    int GetRecentStartIndex() const override { return 0; }
    int GetRecentFileCount() const override;
    BOOL GetRecentDisplayName(int index, const std::string& currentFolder, std::string* name) const override;
    // Standard, Project, LD, Debug and PID, in creation order.
    static constexpr int kToolBarCount = 5;
    CTKToolBar* GetToolBar(int index) const;
    CProjTreeDOC* GetProjectDocument() const { return m_projectDoc.get(); }
    CProjectCommands* GetProjectCommands() const { return m_commands.get(); }
    CInsTreeView* GetInsTreeView() const { return m_insTreeView; }

    // The bar theme and docking style the interface theme chose.
    void SetInterfaceStyle(int barTheme, int dockingStyle);
    int GetBarTheme() const { return m_barTheme; }
    int GetDockingStyle() const { return m_dockingStyle; }

    // Single-instance windows.
    CSingletonSlot& GetSlot(SingletonWindow window);
    // The run-time class name the slot's frame is created from.
    static const char* SlotClassName(SingletonWindow window);
    void OpenHardwareWindow() override;
    // After Upload: the hardware window in front (made when it is not open), the tabs rebuilt.
    void ActivateHardwareWindow();
    void OpenInitialDataWindow() override;
    void OpenGlobalVariableWindow() override;
    void OpenStatusChartWindow() override;
    void OnProjectCrossReference();
    void OnPIDDisplay();
    // The PID wizard, modal from its loop choice.
    void OnPIDWizard();

    // Panes: open, close, and whether closed; the docking host's notification.
    void OpenPane(UINT paneId);
    void ClosePane(UINT paneId);
    BOOL IsPaneClosed(UINT paneId) const;
    LRESULT OnDockingPaneNotify(WPARAM kind, LPARAM lParam);
    // A button went down on the tabs of the MDI children (message 1156).
    LRESULT OnTabClientNotify(WPARAM mouseMessage, LPARAM point);
    CTKTabClientWnd& GetTabClient() { return m_tabClient; }
    BOOL IsPaneShown(UINT paneId) const;
    CTKDockingPaneHost& GetPaneHost() { return m_paneHost; }
    // The window a pane hosts, null before the pane was first shown.
    CWnd* GetPaneView(UINT paneId) const;
    COutputView* GetOutputView() const;

    // IOutputSink: the Output pane's lists.
    BOOL AppendOutputLine(unsigned list, const std::string& text) override;
    void ClearOutputList(unsigned list) override;
    void LogStatusMessage(int category, int code, int reserved) override;

    // IOutputViewHost
    void GoToOutputTarget(const COutputLineTarget& target) override;
    const CZULProject& OutputProject() override;
    void AutoHideOutputPane() override;

    // ICrossRefHost
    void SelectPOUItem(const std::string& label) override;
    BOOL OpenPOUAt(const std::string& file, int number) override;
    void ShowCrossRefMenu(CPoint point) override;
    BOOL IsLeftGroupShown() const { return m_leftGroupShown; }
    DWORD GetFullScreenMask() const { return m_fullScreenMask; }

    void OnViewWorkspace();
    void OnViewOutput();
    void OnFullScreen();
    void OnRestorePanes();
    void OnSetPreviewMode(BOOL preview);
    void OnWindowClose();
    void OnCloseAll();
    // Tab menu and Alt+T: the tab strip moves between the top and the bottom.
    void OnToggleTab();
    BOOL CloseProject() override;
    void OpenProjectByPath(const std::string& path);

    BOOL PreTranslateMessage(MSG* msg) override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

    // What the enable rules of the frame's commands see now.
    CFrameCommandState CommandState();
    CMonitorCommand* GetMonitorCommand() const { return m_monitor.get(); }
    CPlcCommands* GetPlcCommands() const { return m_plcCommands.get(); }

    // Commands of the menus and toolbars.
    void OnCompileAll();
    void OnSymbolicAddressing();
    void OnOptions();
    void OnToggleMonitor();
    void OnHelpContents();
    void OnWebSite();
    void OnHardwareManual();
    // F1 reaching the frame: the topic of the active child window; FALSE
    // when the hardware window's pages had shown their own help already.
    BOOL ShowHelpOfActiveChild();
    CProjTreeView* GetProjTreeView() const;
    // The open POU document of a program file, or null.
    CPOUEditorDoc* FindOpenDocument(const std::string& path);

    // IProjTreeHost
    BOOL OpenPOUDocument(const std::string& path) override;
    BOOL CreatePOUDocument(const std::string& path) override;
    std::vector<std::string> GetDocumentTitles() override;
    void SyncTabs() override;
    void ShowCommunicationsDialog() override;
    void AddCatalogueSubroutine(CZULFunc* function) override;
    void RemoveCatalogueSubroutine(const std::string& name) override;
    void RenameCatalogueSubroutine(const std::string& oldName, const std::string& newName) override;
    void ResetProject() override;
    void OpenAllPrograms() override;
    void CloseAllWindows() override;

    // ICompileAllHost
    void EndPendingEdit() override;
    void ShowOutputPane() override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    BOOL SaveAllProjectFiles() override;
    void ScrollCompileListToEnd() override;
    void RefreshCrossReference(int areaTypes, int typesOfArea) override;

    // IPlcCommandHost
    BOOL ChooseUploadFile(const std::string& initialFolder, const std::string& initialName,
                          std::string& path) override;
    std::string PreviousProjectFolder() override;
    void SetPreviousProjectFolder(const std::string& folder) override;
    BOOL CheckProjectPathLength(const std::string& path) override;
    BOOL CreateProject(const std::string& path) override;
    void ShowUploadedProject() override;

    // IMonitorFrame
    void CloseFindReplaceDialog() override;
    void RefreshMonitorDisplay(BOOL monitoring) override;

    // IProjectHost
    BOOL RunFileDialog(const CFileDialogRequest& request, std::string& path) override;
    BOOL BrowseForFolder(const std::string& caption, const std::string& initialFolder,
                         std::string& folder) override;
    BOOL SaveOpenDocuments(const std::string& projectFolder) override;
    BOOL AnyDocumentModified() override;
    BOOL SaveModifiedDocuments() override;
    void CloseAllDocuments() override;
    void DestroySingletonWindows() override;
    BOOL CheckHardwareConfig() override;
    void ClearProjectTree() override;
    void BuildProjectTree() override;
    void FillProjectTree() override;
    void SetProjectTreeRoot(const std::string& text) override;
    BOOL CreateMainProgram() override;
    void RefreshInstructionTree() override;
    void AddSubroutinesToInstructionTree() override;
    void ClearSubroutinesInInstructionTree() override;
    void ResetOutputWindow() override;
    void SetWaitCursor(bool on) override;
    bool IsWaitCursorShown() const { return m_waitDepth > 0; }

    // IInsTreeHost
    CWnd* GetActivePOUEditorView() override;
    bool IsInstructionsPaneActive() override;

    // IPOUWorkbenchHost
    CProjTreeNode* GetCurrentTreeNode() override;
    void SelectTreeNode(CProjTreeNode* node) override;
    IPOUEditorView* GetActivePOUWindow() override;
    void RebuildInstructionTree(BOOL ld) override;
    void SetStatusPane(int pane, const std::string& text) override;
    void OpenAllPous(BOOL reallocate) override;
    BOOL ForceAddress(const std::string& address, int value) override;
    BOOL UnforceAddress(const std::string& address) override;
    BOOL SendUnforceAll() override;
    BOOL ForceMapHasEntries() override;
    void ClearForceMap() override;
    CFindReplaceDlg* GetFindReplaceDialog() override;
    CForceCommands* GetForceCommands() override { return m_force.get(); }
    void OnHardwareWindowActivated(BOOL active) override;
    void SetFindReplaceDialog(CFindReplaceDlg* dialog) override { m_findDialog = dialog; }
    QWidget* GetMainWindow() override { return this; }
    CPOUEditorDoc* GetActivePOUDocument() override;
    std::vector<CPOUEditorDoc*> GetOpenPOUDocuments() override;
    void ResetFindState() override;
    void ActivateCodePane() override;
    int ShowContextMenu(int menuId, int screenX, int screenY, CWnd* target) override;
    ILDDialogs* GetLDDialogs() override;
    const ILDForceQuery* GetLDForceQuery() override { return this; }

    // ILDForceQuery: the force map answers the ladder elements.
    BOOL IsForced(const std::string& key) const override;

    // IPIDGeneratorHost
    void NewPIDSubroutine() override;
    std::vector<std::string> OpenDocumentPaths() override;
    BOOL IsDocumentModified(const std::string& path) override;
    BOOL SaveDocument(const std::string& path) override;
    void DiscardDocumentChanges(const std::string& path) override;
    CProjTreeNode* SelectProgramItem(const std::string& key) override;
    void CloseDocument(const std::string& path) override;
    void RebuildInstructionCatalogue() override;

protected:
    int OnCreate() override;
    void OnClose() override;
    void OnDestroy() override;
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    LRESULT OnMessageString(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct PaneRecord {
        UINT id = 0;
        DWORD maskBit = 0;
        BOOL shown = FALSE;
    };
    enum PaneIndex { kWorkspace, kOutput, kInstructions, kHWCatalog, kPaneCount };

    BOOL CreateStatusBar();
    BOOL CreateCommandBars();
    BOOL CreateMenuBar();
    BOOL CreateToolBars();
    void LoadBarState();
    void CreateDockingPanes();
    void AttachTabClient();
    void SaveBarState();
    void SavePaneLayout();
    // The layout is written once the change under way is complete.
    void PaneLayoutChanged();

    PaneRecord* FindPane(UINT paneId);
    const PaneRecord* FindPane(UINT paneId) const;
    DWORD OpenPanesMask() const;
    void OpenPanesOfMask(DWORD mask);
    void CloseAllPanes();
    void HostInstructionTree();
    void HostPaneView(CTKDockingPaneItem* pane);
    CPOUEditorDoc* OpenPOUFile(const std::string& file);
    void OnNewSubroutine();
    void OnNewInterrupt();
    void OpenSingleton(SingletonWindow window, const char* title);
    void AdjustActiveChildForFullScreen();

    void OnNewProject();
    void OnOpenProject();
    void OnCloseProject();
    void OnSaveProject();
    void OnSaveProjectAs();
    void OnImportProject();
    void OnExportProject();
    void OnOpenAllPous();
    void OnReallocateLocalVariables();
    void OnPlcUpload();
    void OnPlcDownload();
    void OnPlcCompare();
    void OnPlcClear();
    void OnPlcPassword();
    void OnPlcInformation();
    void OnPlcClock();
    void OnPlcRun();
    void OnPlcStop();
    void OnCommunications();
    void OnInterfaceTheme(UINT id);

    void OnUpdateViewWorkspace(CCmdUI* cmdUI);
    void OnUpdateViewOutput(CCmdUI* cmdUI);
    void OnViewNothing();
    void OnUpdateNothing(CCmdUI* cmdUI);

    CZULAppData& m_app;
    IProfile& m_profile;
    CRecentFileList& m_recent;
    int m_barTheme = 0;
    int m_dockingStyle = 0;
    DWORD m_fullScreenMask = 0;
    DWORD m_previewMask = 0;
    std::unique_ptr<CTKThemedStatusBar> m_statusBar;
    CTKToolBar* m_toolBars[kToolBarCount] = {};
    CSingletonSlot m_slots[static_cast<int>(SingletonWindow::Count)];
    BOOL m_leftGroupShown = TRUE;
    BOOL m_paneLayoutSavePending = FALSE;
    PaneRecord m_panes[kPaneCount];
    std::unique_ptr<CProjTreeDOC> m_projectDoc;
    std::unique_ptr<CProjectCommands> m_commands;
    CInsTreeView* m_insTreeView = nullptr;
    CTKDockingPaneHost m_paneHost;
    CTKTabClientWnd m_tabClient;
    std::unique_ptr<CProjectArchive> m_archive;
    std::unique_ptr<CSettingsStore> m_settings;
    std::unique_ptr<CProjectCompiler> m_compiler;
    std::unique_ptr<COnlineDialogs> m_onlineDialogs;
    std::unique_ptr<CPlcCommands> m_plcCommands;
    std::unique_ptr<CMonitorCommand> m_monitor;
    // The one force-map builder of the program: editors, status chart and the link's reads share it.
    std::unique_ptr<CForceCommands> m_force;
    // The ladder editor's dialogs over this window, made on first use.
    std::unique_ptr<CLDDialogs> m_ldDialogs;
    // The modeless Find/Replace dialog; a child of this window, so it may go first.
    QPointer<CFindReplaceDlg> m_findDialog;
    std::unique_ptr<CQtOutputSink> m_outputSink;
    IOutputSink* m_previousOutput = nullptr;
    // Depth of the nested wait-cursor requests.
    int m_waitDepth = 0;

};
