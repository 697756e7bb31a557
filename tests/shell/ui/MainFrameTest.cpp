#include "WorkbenchFixture.h"

#include "model/CForceEntry.h"
#include "model/CProjTreeDOC.h"
#include "platform/FileSystem.h"
#include "model/CZULAppData.h"
#include "platform/ui/CCmdUI.h"
#include "model/ProjectModified.h"
#include "platform/ui/CMDIChildWnd.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupShadow.h"
#include "toolkit/commandbars/CTKShadowWnd.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "shell/ui/CChildFrmEditor.h"
#include "shell/ui/CMinRowSplitter.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "shell/ui/CPageGenSetting.h"
#include "shell/ui/CSheetSettings.h"
#include "shell/ui/CSplashWindow.h"
#include "platform/ui/CDocument.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "support/ModalScript.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTest>

namespace {

using MainFrameTest = WorkbenchFixture;

constexpr UINT ID_NEW_PROJECT = 32695;

int ViewCheck(CMainFrame* frame, UINT id)
{
    CCmdUI cmdUI(id);
    cmdUI.DoUpdate(frame, FALSE);
    return cmdUI.GetCheck();
}

std::vector<UINT> OpenPanes(const CMainFrame* frame)
{
    std::vector<UINT> open;
    for (UINT id : {ID_PANE_WORKSPACE, ID_PANE_OUTPUT, ID_PANE_INSTRUCTIONS, ID_PANE_HWCATALOG}) {
        if (!frame->IsPaneClosed(id))
            open.push_back(id);
    }
    return open;
}

CMDIChildWnd* NewChild(CMainFrame* frame, const char* title)
{
    auto* child = new CMDIChildWnd;
    if (!child->Create(title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(), frame)) {
        delete child;
        return nullptr;
    }
    return child;
}

TEST_F(MainFrameTest, ClosingTheOutputPaneClearsItsViewCheck)
{
    Start();
    EXPECT_EQ(ViewCheck(m_frame, ID_PANE_OUTPUT), 1);
    // The pane's close button: the docking host closes it and tells the frame.
    m_frame->ClosePane(ID_PANE_OUTPUT);
    EXPECT_EQ(ViewCheck(m_frame, ID_PANE_OUTPUT), 0);
    m_frame->SendMessage(WM_COMMAND, ID_PANE_OUTPUT);
    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_OUTPUT));
    EXPECT_EQ(ViewCheck(m_frame, ID_PANE_OUTPUT), 1);
}

TEST_F(MainFrameTest, EditorsAndTablesShareTheFramesForceMap)
{
    Start();
    ASSERT_NE(m_frame->GetForceCommands(), nullptr);
    IPOUWorkbenchHost& workbench = *m_frame;
    EXPECT_FALSE(workbench.ForceMapHasEntries());
    g_pAppData->Project.ForceMap["%Q0.0"] = std::make_unique<CForceEntry>("%Q0.0", 0, OT_BOOL, 1);
    EXPECT_TRUE(workbench.ForceMapHasEntries());
    workbench.ClearForceMap();
    EXPECT_TRUE(g_pAppData->Project.ForceMap.empty());
    // A force that no PLC answers leaves the map empty.
    EXPECT_FALSE(workbench.ForceAddress("%Q0.0", 1));
    EXPECT_TRUE(g_pAppData->Project.ForceMap.empty());
}

TEST_F(MainFrameTest, TheHardwareWindowInFrontShowsItsCatalogueInPlaceOfTheInstructions)
{
    Start();
    IHardwareWindowHost& host = *m_frame;
    host.OnHardwareWindowActivated(TRUE);
    EXPECT_TRUE(m_frame->IsPaneShown(ID_PANE_HWCATALOG));
    EXPECT_FALSE(m_frame->IsPaneShown(ID_PANE_INSTRUCTIONS));
    host.OnHardwareWindowActivated(FALSE);
    EXPECT_FALSE(m_frame->IsPaneShown(ID_PANE_HWCATALOG));
    EXPECT_TRUE(m_frame->IsPaneShown(ID_PANE_INSTRUCTIONS));
}

TEST_F(MainFrameTest, ViewWorkspaceTogglesTheLeftGroup)
{
    Start();
    EXPECT_EQ(ViewCheck(m_frame, ID_PANE_WORKSPACE), 1);
    m_frame->SendMessage(WM_COMMAND, ID_PANE_WORKSPACE);
    EXPECT_EQ(OpenPanes(m_frame), std::vector<UINT>{ID_PANE_OUTPUT});
    EXPECT_EQ(ViewCheck(m_frame, ID_PANE_WORKSPACE), 0);
    m_frame->SendMessage(WM_COMMAND, ID_PANE_WORKSPACE);
    EXPECT_EQ(OpenPanes(m_frame),
              (std::vector<UINT>{ID_PANE_WORKSPACE, ID_PANE_OUTPUT, ID_PANE_INSTRUCTIONS, ID_PANE_HWCATALOG}));
}

TEST_F(MainFrameTest, FullScreenTwiceThenRestoreReopensThePanesOfTheFirst)
{
    Start();
    m_frame->ClosePane(ID_PANE_OUTPUT);
    m_frame->SendMessage(WM_COMMAND, ID_VIEW_FULLSCREEN);
    EXPECT_TRUE(OpenPanes(m_frame).empty());
    // The catalogue panes are tabs beside Workspace, so they count as open.
    const DWORD leftGroup = kPaneBitWorkspace | kPaneBitInstructions | kPaneBitHWCatalog;
    EXPECT_EQ(m_frame->GetFullScreenMask(), leftGroup);
    m_frame->SendMessage(WM_COMMAND, ID_VIEW_FULLSCREEN);
    EXPECT_EQ(m_frame->GetFullScreenMask(), leftGroup);
    EXPECT_EQ(ViewCheck(m_frame, ID_PANE_WORKSPACE), 0);

    m_frame->SendMessage(WM_COMMAND, ID_VIEW_RESTORE_PANES);
    EXPECT_EQ(OpenPanes(m_frame), (std::vector<UINT>{ID_PANE_WORKSPACE, ID_PANE_INSTRUCTIONS, ID_PANE_HWCATALOG}));
    EXPECT_EQ(ViewCheck(m_frame, ID_PANE_WORKSPACE), 1);
    EXPECT_EQ(ViewCheck(m_frame, ID_PANE_OUTPUT), 0);
}

TEST_F(MainFrameTest, FullScreenLowersTheVariableRowOfTheActivePOUEditor)
{
    Start();
    std::unique_ptr<CDocument> document = CPOUDocTemplate::NewDocument(*m_app->GetAppData(), m_frame);
    auto* editor = new CChildFrmEditor;
    ASSERT_TRUE(editor->Create("MAIN", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(), m_frame));
    ASSERT_TRUE(editor->CreateEditorPanes(document.get()));
    editor->RecalcLayout();
    ASSERT_EQ(m_frame->MDIGetActive(), editor);

    m_frame->SendMessage(WM_COMMAND, ID_VIEW_FULLSCREEN);
    int height = 0;
    int minimum = 0;
    editor->GetSplitter()->GetRowInfo(0, height, minimum);
    EXPECT_EQ(height, 50);
    EXPECT_EQ(minimum, kMinUpperRowHeight);
    editor->DestroyWindow();
}

TEST_F(MainFrameTest, FullScreenLowersTheModuleTableOfTheHardwareWindowInFront)
{
    std::string error;
    ASSERT_TRUE(RegisterHardwareUiClasses(&error)) << error;
    Start();
    App().DefaultPOULang = 1;
    AnswerFileDialog(m_folder / "Press.qpj");
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1);
    m_frame->OpenHardwareWindow();
    CMDIChildWnd* hardware = m_frame->GetSlot(SingletonWindow::Hardware).frame.data();
    ASSERT_NE(hardware, nullptr);
    ASSERT_EQ(m_frame->MDIGetActive(), hardware);
    auto* splitter = ChildOf<CMinRowSplitter>(hardware);
    ASSERT_NE(splitter, nullptr);
    constexpr int kTallTable = 200;
    splitter->SetRowInfo(0, kTallTable, kMinUpperRowHeight);
    splitter->RecalcLayout();

    Command(ID_VIEW_FULLSCREEN);
    int height = 0;
    int minimum = 0;
    splitter->GetRowInfo(0, height, minimum);
    EXPECT_EQ(height, 35);
    EXPECT_EQ(minimum, 35);
}

TEST_F(MainFrameTest, PrintPreviewHidesBarsPanesAndTabsAndBringsThemBack)
{
    Start();
    m_frame->ClosePane(ID_PANE_OUTPUT);
    m_frame->OnSetPreviewMode(TRUE);
    EXPECT_TRUE(OpenPanes(m_frame).empty());
    for (int i = 0; i < CMainFrame::kToolBarCount; ++i)
        EXPECT_FALSE(m_frame->GetToolBar(i)->isVisible()) << i;
    EXPECT_FALSE(m_frame->GetTabClient().AreTabsVisible());
    m_frame->OnSetPreviewMode(FALSE);
    EXPECT_EQ(OpenPanes(m_frame), (std::vector<UINT>{ID_PANE_WORKSPACE, ID_PANE_INSTRUCTIONS, ID_PANE_HWCATALOG}));
    for (int i = 0; i < CMainFrame::kToolBarCount; ++i)
        EXPECT_TRUE(m_frame->GetToolBar(i)->isVisible()) << i;
    EXPECT_TRUE(m_frame->GetTabClient().AreTabsVisible());
}

TEST_F(MainFrameTest, TabIsTakenAndCtrlTabCyclesTheChildren)
{
    Start();
    CMDIChildWnd* first = NewChild(m_frame, "first");
    CMDIChildWnd* second = NewChild(m_frame, "second");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_EQ(m_frame->MDIGetActive(), second);

    QTest::keyClick(second, Qt::Key_Tab);
    EXPECT_EQ(m_frame->MDIGetActive(), second);
    QTest::keyClick(second, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(m_frame->MDIGetActive(), first);
    QTest::keyClick(first, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(m_frame->MDIGetActive(), second);
}

TEST_F(MainFrameTest, TabMovesBetweenMenuTitlesWhileTheMenuBarHasTheKeyboard)
{
    Start();
    CTKMenuBar* menuBar = m_frame->GetCommandBars()->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    ASSERT_TRUE(menuBar->SetTrackingMode(1, TRUE, TRUE));
    ASSERT_EQ(menuBar->GetSelectedIndex(), 0);
    QTest::keyClick(m_frame, Qt::Key_Tab);
    EXPECT_EQ(menuBar->GetSelectedIndex(), 1);
    QTest::keyClick(m_frame, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(menuBar->GetSelectedIndex(), 0);
    menuBar->SetTrackingMode(0, FALSE, FALSE);
}

int VisibleShadowStrips()
{
    const CTKPopupShadow& shadows = CTKPopupShadow::Get();
    int visible = 0;
    for (int i = 0; i < shadows.GetShadowCount(); ++i)
        visible += shadows.GetShadow(i)->isVisible() ? 1 : 0;
    return visible;
}

// Without a compositor a shadow strip left on screen is a dark bar beside
// the menu title.
TEST_F(MainFrameTest, NoShadowStaysBesideTheMenuTitlesAfterTheMenusClose)
{
    Start();
    CTKMenuBar* menuBar = m_frame->GetCommandBars()->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    ASSERT_TRUE(menuBar->SetPopuped(0, FALSE));
    ASSERT_GT(VisibleShadowStrips(), 0);
    ASSERT_TRUE(menuBar->SetPopuped(2, FALSE));
    QTest::keyClick(m_frame, Qt::Key_Escape);
    QTest::keyClick(m_frame, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return menuBar->GetTrackingMode() == 0; }));
    EXPECT_EQ(VisibleShadowStrips(), 0);
}

TEST_F(MainFrameTest, ClosingAModifiedProjectAsksAndCanBeCancelled)
{
    Start();
    const std::string path = m_folder / "plant/plant.qpj";
    ASSERT_TRUE(FileSystem::CreateFolder(m_folder / "plant"));
    m_frame->GetProjectDocument()->CreateProject(path);
    m_frame->OpenProjectByPath(path);
    ASSERT_EQ(m_app->GetAppData()->ProjectOpen, 1);
    SetProjectModified(TRUE);

    m_ui.box.Answer(IDCANCEL);
    m_frame->SendMessage(WM_CLOSE);
    QCoreApplication::processEvents();
    ASSERT_TRUE(m_frame);
    EXPECT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_app->GetAppData()->ProjectOpen, 1);
    EXPECT_FALSE(Settings().HasSection("TabDocking"));

    m_ui.box.Answer(IDNO);
    m_frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_app->GetAppData()->ProjectOpen, 0);
    EXPECT_EQ(Settings().GetInt("TabDocking", "Position", -1), 0);
    EXPECT_TRUE(Settings().HasSection("ZULCommandBars-Options"));
    EXPECT_EQ(GetProjectDocument(), nullptr);
}

// A slot whose flag is set without a frame is cleared and the window opens in the same request.
TEST_F(MainFrameTest, StaleSingletonSlotIsClearedAndTheWindowOpens)
{
    Start();
    struct Case {
        SingletonWindow window;
        void (CMainFrame::*open)();
    };
    const Case cases[] = {
        {SingletonWindow::InitialData, &CMainFrame::OpenInitialDataWindow},
        {SingletonWindow::StatusChart, &CMainFrame::OpenStatusChartWindow},
    };
    for (const Case& c : cases) {
        CSingletonSlot& slot = m_frame->GetSlot(c.window);
        slot.open = TRUE;
        slot.frame = nullptr;
        (m_frame->*c.open)();
        ASSERT_TRUE(slot.frame) << CMainFrame::SlotClassName(c.window);
        EXPECT_TRUE(slot.open);
        EXPECT_EQ(m_frame->MDIGetActive(), slot.frame.data());
    }
}

TEST_F(MainFrameTest, SingletonWindowOpensActivatesAndReopensAfterClosing)
{
    Start();
    m_frame->OpenInitialDataWindow();
    CSingletonSlot& slot = m_frame->GetSlot(SingletonWindow::InitialData);
    QPointer<CMDIChildWnd> first = slot.frame;
    ASSERT_TRUE(first);
    EXPECT_EQ(first->GetWindowText(), "Initial Data");

    m_frame->OpenStatusChartWindow();
    EXPECT_NE(m_frame->MDIGetActive(), first.data());
    m_frame->OpenInitialDataWindow();
    EXPECT_EQ(slot.frame, first);
    EXPECT_EQ(m_frame->MDIGetActive(), first.data());

    first->DestroyWindow();
    QCoreApplication::processEvents();
    EXPECT_FALSE(slot.open);
    EXPECT_FALSE(slot.frame);
    m_frame->OpenInitialDataWindow();
    ASSERT_TRUE(slot.frame);
    EXPECT_TRUE(slot.open);
}

TEST_F(MainFrameTest, EveryClassTheFrameCreatesByNameIsThere)
{
    // The hardware window's frame comes with the hardware window.
    for (SingletonWindow window : {SingletonWindow::StatusChart, SingletonWindow::InitialData,
                                   SingletonWindow::CrossReference, SingletonWindow::GlobalVariables,
                                   SingletonWindow::PIDTrend}) {
        const char* name = CMainFrame::SlotClassName(window);
        EXPECT_NE(CRuntimeClass::FromName(name), nullptr) << name;
    }
}

class CRecordingClicks : public CWnd {
public:
    int presses = 0;

protected:
    void OnLButtonDown(UINT, CPoint) override { ++presses; }
};

TEST_F(MainFrameTest, SplashTakesTheFirstClickAndIsGone)
{
    Start({});
    ASSERT_NE(CSplashWindow::GetActive(), nullptr);
    auto* target = new CRecordingClicks;
    ASSERT_TRUE(target->Create(m_frame, CRect(10, 10, 60, 60), 1, WS_CHILD | WS_VISIBLE));

    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(CSplashWindow::GetActive(), nullptr);
    EXPECT_EQ(target->presses, 0);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(target->presses, 1);

    // Never twice in one run.
    CSplashWindow::ShowSplashScreen(m_frame);
    EXPECT_EQ(CSplashWindow::GetActive(), nullptr);
}

// The toolbars' arrangement is written at close and comes back at the next start.
TEST_F(MainFrameTest, HiddenAndFloatingToolbarsComeBackAtTheNextStart)
{
    Start();
    m_frame->GetToolBar(1)->SetVisible(FALSE);
    ASSERT_TRUE(m_frame->GetCommandBars()->FloatBar(m_frame->GetToolBar(2)));
    m_frame->SendMessage(WM_CLOSE);
    QCoreApplication::processEvents();
    Stop();
    EXPECT_EQ(Settings().GetInt("ZULCommandBars-Summary", "Bars", 0), 6);
    EXPECT_EQ(Settings().GetInt("ZULCommandBars-Bar2", "Visible", 1), 0);
    EXPECT_EQ(Settings().GetInt("ZULCommandBars-Bar3", "Floating", 0), 1);
    // The program has no Customize command: no controls archive.
    EXPECT_FALSE(Settings().HasSection("ZULCommandBars-Controls"));

    Start();
    EXPECT_FALSE(m_frame->GetToolBar(1)->IsVisible());
    EXPECT_EQ(m_frame->GetToolBar(2)->GetPosition(), kTKPositionFloating);
    EXPECT_TRUE(m_frame->GetToolBar(3)->IsVisible());
    EXPECT_EQ(m_frame->GetToolBar(3)->GetPosition(), kTKPositionTop);
}

// The File menu names a project in the current folder by its file name, any other by its path.
TEST_F(MainFrameTest, RecentProjectsAreShortenedAgainstTheCurrentFolder)
{
    Start();
    CRecentFileList& recent = m_app->GetRecentFiles();
    while (recent.GetSize() > 0)
        recent.Remove(0);
    recent.Add("/work/other/b.qpj");
    recent.Add("/work/plant/sub/c.qpj");
    recent.Add("/work/plant/a.qpj");
    struct Case {
        int index;
        const char* name;   // nullptr: no entry
    };
    const Case cases[] = {{0, "a.qpj"}, {1, "/work/plant/sub/c.qpj"}, {2, "/work/other/b.qpj"}, {3, nullptr}};
    EXPECT_EQ(m_frame->GetRecentFileCount(), 3);
    for (const Case& test : cases) {
        std::string name;
        EXPECT_EQ(m_frame->GetRecentDisplayName(test.index, "/work/plant/", &name), test.name != nullptr)
            << test.index;
        if (test.name) {
            EXPECT_EQ(name, test.name) << test.index;
        }
    }
}

} // namespace

// Options accepted and a project made are in the settings file at once, so
// a program that does not end cleanly loses neither.
TEST_F(MainFrameTest, OptionsAndRecentProjectsAreWrittenWhenTheyChange)
{
    constexpr UINT ID_OPTIONS = 32874;
    constexpr int kLanguageIL = 0;
    Start();
    WhenModal<QDialog>([](QDialog* dialog) {
        CSheetSettings* sheet = ChildOf<CSheetSettings>(dialog);
        ASSERT_NE(sheet, nullptr);
        sheet->GeneralPage().findChild<QComboBox*>(QString::number(IDC_DEFAULT_LANGUAGE))->setCurrentIndex(kLanguageIL);
        sheet->PressButton(IDOK);
    });
    Command(ID_OPTIONS);
    ASSERT_EQ(App().DefaultPOULang, 1);
    EXPECT_EQ(Settings().GetInt("Configuration", "DefaultPOULang", -1), 1);

    const std::string project = m_folder / "Mixer.qpj";
    AnswerFileDialog(project);
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1);
    EXPECT_NE(Settings().GetString("Recent File List", "File1", "").find("Mixer.qpj"), std::string::npos);
}

// The File menu's "Recent File" stands greyed until the list has a project.
TEST_F(MainFrameTest, TheRecentFilePlaceholderIsGreyedWhileTheListIsEmpty)
{
    constexpr UINT ID_RECENT_FIRST = 57616;
    Start();
    ASSERT_EQ(m_app->GetRecentFiles().GetSize(), 0);
    EXPECT_FALSE(CommandEnabled(ID_RECENT_FIRST));
    AnswerFileDialog(m_folder / "Mixer.qpj");
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1);
    EXPECT_TRUE(CommandEnabled(ID_RECENT_FIRST));
}

// A theme chosen in the View menu and the tabs moved to the other side are
// in the settings file at once.
TEST_F(MainFrameTest, TheThemeAndTheTabSideAreWrittenWhenTheyChange)
{
    constexpr UINT ID_THEME_OFFICEXP = 32944;
    constexpr int kThemeOfficeXP = 1;
    constexpr int kTabsAtTheBottom = 2;
    Start();
    Command(ID_THEME_OFFICEXP);
    ASSERT_EQ(App().Interface, kThemeOfficeXP);
    EXPECT_EQ(Settings().GetString("Configuration", "Interface", ""), " 1");
    Command(ID_TOGGLE_TAB);
    EXPECT_EQ(Settings().GetInt("TabDocking", "Position", -1), kTabsAtTheBottom);
}
