#include "WorkbenchFixture.h"

#include "model/CForceEntry.h"
#include "model/CProjTreeDOC.h"
#include "platform/FileSystem.h"
#include "model/CZULAppData.h"
#include "platform/ui/CCmdUI.h"
#include "model/ProjectModified.h"
#include "platform/ui/CMDIChildWnd.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKDockBar.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/docking/CTKDockingPaneAutoHideStrip.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupShadow.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
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

#include <QApplication>
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

// Whether the opaque pixels of the icon show somewhere in the picture.
bool ShowsIcon(const QImage& picture, const CIconImage& icon)
{
    for (int top = 0; top + icon.Height() <= picture.height(); ++top) {
        for (int left = 0; left + icon.Width() <= picture.width(); ++left) {
            bool same = true;
            for (int y = 0; same && y < icon.Height(); ++y) {
                for (int x = 0; same && x < icon.Width(); ++x) {
                    const DWORD pixel = icon.GetPixel(x, y);
                    if (CIconImage::AlphaOf(pixel) == 255)
                        same = (picture.pixel(left + x, top + y) & 0xFFFFFFu) == (pixel & 0xFFFFFFu);
                }
            }
            if (same)
                return true;
        }
    }
    return false;
}

// Every pane has its picture; the tab of the Instructions pane beside the
// Workspace shows it, and so does Output's tab on the side bar once the
// output is hidden there, where a tab shows no caption when it is not the
// one pointed at.
TEST_F(MainFrameTest, PanesShowTheirIconsOnTheirTabsAndOnTheSideBar)
{
    constexpr int kBottomStrip = 3;
    Start();
    CTKDockingPaneHost& host = m_frame->GetPaneHost();
    for (UINT id : {ID_PANE_WORKSPACE, ID_PANE_OUTPUT, ID_PANE_INSTRUCTIONS, ID_PANE_HWCATALOG}) {
        CTKCommandIcon* icon = host.FindPane(id)->GetIcon();
        ASSERT_NE(icon, nullptr) << id;
        EXPECT_EQ(icon->GetSize(), CSize(16, 16)) << id;
    }
    auto picture = [&](UINT id) { return host.FindPane(id)->GetIcon()->GetNormalImage().GetIcon(); };
    CTKDockingPaneTabbedContainer* left = host.FindPane(ID_PANE_WORKSPACE)->GetContainer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return left->GetTabCount() == 3 && left->isVisible(); }, 5000));
    const CRect tab = left->GetTab(1)->GetRect();
    const QImage tabs = left->grab(QRect(tab.left, tab.top, tab.Width(), tab.Height())).toImage();
    EXPECT_TRUE(ShowsIcon(tabs, picture(ID_PANE_INSTRUCTIONS)));

    m_frame->GetOutputView()->SendMessage(WM_COMMAND, ID_OUTPUT_AUTOHIDE);
    CTKDockingPaneAutoHideStrip* strip = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        strip = host.GetLayout()->GetStrip(kBottomStrip);
        return strip != nullptr && strip->isVisible();
    }, 5000));
    EXPECT_TRUE(ShowsIcon(strip->grab().toImage(), picture(ID_PANE_OUTPUT)));
    EXPECT_FALSE(ShowsIcon(strip->grab().toImage(), picture(ID_PANE_WORKSPACE)));
}

// The keys go where a person's keys go: to the widget with the focus, the
// project tree's, from which Qt hands an unused key on to the windows around
// it, so the menu key passes several windows of ours on its way.
TEST_F(MainFrameTest, TabMovesBetweenMenuTitlesAfterAltOrF10)
{
    Start();
    m_frame->activateWindow();
    QApplication::setActiveWindow(m_frame);
    CTKMenuBar* menuBar = m_frame->GetCommandBars()->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    for (Qt::Key menuKey : {Qt::Key_F10, Qt::Key_Alt}) {
        SCOPED_TRACE(menuKey == Qt::Key_F10 ? "F10" : "Alt");
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        ASSERT_EQ(CWnd::FromWidget(focus)->window(), m_frame.data());
        QTest::keyClick(focus, menuKey);
        ASSERT_EQ(menuBar->GetTrackingMode(), 1);
        ASSERT_EQ(menuBar->GetSelectedIndex(), 0);
        QTest::keyClick(focus, Qt::Key_Tab);
        EXPECT_EQ(menuBar->GetSelectedIndex(), 1);
        QTest::keyClick(focus, Qt::Key_Tab);
        EXPECT_EQ(menuBar->GetSelectedIndex(), 2);
        QTest::keyClick(focus, Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(menuBar->GetSelectedIndex(), 1);
        // Alt gives the keyboard back.
        QTest::keyClick(focus, Qt::Key_Alt);
        EXPECT_EQ(menuBar->GetTrackingMode(), 0);
    }

    // Alt+F opens File; letting Alt go after the letter leaves it open.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(menuBar->GetTrackingMode(), 2);
    EXPECT_EQ(menuBar->GetPopupedIndex(), 0);
    CTKPopupTracker::Get().CloseTrackedBars();
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

// The bar ids of a dock bar's entries, 0 for a row break.
std::vector<UINT> DockEntries(const CMainFrame* frame, int side)
{
    std::vector<UINT> ids;
    const CTKDockBar* dock = frame->GetCommandBars()->GetDockBar(side);
    for (int i = 0; i < dock->GetEntryCount(); ++i)
        ids.push_back(dock->GetBarAt(i) ? dock->GetBarAt(i)->GetBarID() : 0);
    return ids;
}

// A toolbar docked at the left, one floating at a chosen place and one
// hidden are written at close and come back so at the next start.
TEST_F(MainFrameTest, ToolbarsDockedAtTheLeftFloatingAndHiddenComeBackInPlace)
{
    Start();
    CTKCommandBars* bars = m_frame->GetCommandBars();
    CTKToolBar* project = m_frame->GetToolBar(1);
    CTKToolBar* ladder = m_frame->GetToolBar(2);
    CTKToolBar* debug = m_frame->GetToolBar(3);
    CRect client;
    m_frame->GetClientRect(&client);
    m_frame->ClientToScreen(&client);
    const CRect leftEdge(client.left, client.top + 100, client.left + 30, client.top + 300);
    ASSERT_TRUE(bars->DockBar(project, &leftEdge, bars->GetDockBar(kTKPositionLeft)));
    ASSERT_TRUE(bars->FloatBar(debug));
    debug->SetWindowPos(nullptr, 300, 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ladder->SetVisible(FALSE);
    m_frame->RecalcLayout();
    QCoreApplication::processEvents();
    const std::vector<UINT> top = DockEntries(m_frame, kTKPositionTop);
    // A row of its own: row breaks around the bar.
    ASSERT_EQ(DockEntries(m_frame, kTKPositionLeft), (std::vector<UINT>{0, project->GetBarID(), 0}));
    CRect projectRect;
    project->GetWindowRect(&projectRect);
    m_frame->SendMessage(WM_CLOSE);
    QCoreApplication::processEvents();
    Stop();
    EXPECT_EQ(Settings().GetInt("ZULCommandBars-Bar2", "BarID", 0), static_cast<int>(project->GetBarID()));
    EXPECT_EQ(Settings().GetInt("ZULCommandBars-Bar4", "Floating", 0), 1);
    EXPECT_EQ(Settings().GetInt("ZULCommandBars-Bar4", "XPos", -1), 300);
    EXPECT_EQ(Settings().GetInt("ZULCommandBars-Bar4", "YPos", -1), 250);
    EXPECT_EQ(Settings().GetInt("ZULCommandBars-Bar3", "Visible", 1), 0);

    Start();
    project = m_frame->GetToolBar(1);
    ladder = m_frame->GetToolBar(2);
    debug = m_frame->GetToolBar(3);
    EXPECT_EQ(project->GetPosition(), kTKPositionLeft);
    EXPECT_EQ(DockEntries(m_frame, kTKPositionLeft), (std::vector<UINT>{0, project->GetBarID(), 0}));
    EXPECT_EQ(DockEntries(m_frame, kTKPositionTop), top);
    CRect projectAgain;
    project->GetWindowRect(&projectAgain);
    EXPECT_EQ(projectAgain, projectRect);
    EXPECT_EQ(debug->GetPosition(), kTKPositionFloating);
    CRect debugRect;
    debug->GetWindowRect(&debugRect);
    EXPECT_EQ(debugRect.TopLeft(), CPoint(300, 250));
    EXPECT_TRUE(debug->IsVisible());
    EXPECT_FALSE(ladder->IsVisible());
    EXPECT_TRUE(m_frame->GetToolBar(0)->IsVisible());
    EXPECT_EQ(m_frame->GetToolBar(0)->GetPosition(), kTKPositionTop);
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
