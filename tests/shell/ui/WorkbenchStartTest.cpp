#include "WorkbenchFixture.h"

#include "model/CProjTreeDOC.h"
#include "model/CXrefStore.h"
#include "platform/CSystemMetrics.h"
#include "platform/FileSystem.h"
#include "model/CZULAppData.h"
#include "platform/ui/CStatusBar.h"
#include "platform/ui/QtText.h"
#include "shell/Settings.h"
#include "model/CpuProfile.h"
#include "model/ProjectModified.h"
#include "shell/ui/CInsTreeView.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKToolBar.h"

#include <QDir>

namespace {

using WorkbenchStartTest = WorkbenchFixture;

int CountCrossReferences()
{
    constexpr int kCapacity = 4;
    CXrefEntry entries[kCapacity];
    int count = kCapacity;
    CollectXrefEntries(0xFFFFFFFF, count, entries);
    return count;
}

constexpr int kWideScreen = 1280;
constexpr int kTallScreen = 800;

TEST_F(WorkbenchStartTest, StartsToTheFullMainWindow)
{
    Start();
    EXPECT_EQ(m_frame->windowTitle().toStdString().rfind("OrvelBuilder V1.1.8.0", 0), 0u);
    EXPECT_EQ(m_app->GetMainWnd(), m_frame.data());
    // LD POUs can open: the ladder library's programs are registered.
    EXPECT_NE(g_pAppData->ProgramFactory, nullptr);
    // The IL text and print fonts are the fixed-pitch stock font, the LD ones the GUI font.
    const std::string fixedFace = CSystemMetrics::Instance().GetFixedFont().lfFaceName;
    const std::string guiFace = CSystemMetrics::Instance().GetGuiFont().lfFaceName;
    EXPECT_EQ(std::string(g_pAppData->Fonts[0].lfFaceName), fixedFace);
    EXPECT_EQ(std::string(g_pAppData->Fonts[1].lfFaceName), guiFace);
    EXPECT_EQ(std::string(g_pAppData->Fonts[2].lfFaceName), fixedFace);
    EXPECT_EQ(std::string(g_pAppData->Fonts[3].lfFaceName), guiFace);
    EXPECT_NE(g_pAppData->Fonts[0].lfHeight, 0);

    CStatusBar* status = m_frame->GetStatusBar();
    ASSERT_NE(status, nullptr);
    ASSERT_EQ(status->GetCount(), 4);
    EXPECT_EQ(status->GetItemID(3), ID_INDICATOR_NUM);
    EXPECT_TRUE(status->isVisible());

    const char* const titles[] = {"Standard", "Project", "LD", "Debug", "PID"};
    // The main menu's bar comes first, on its own row above the toolbars.
    ASSERT_EQ(m_frame->GetCommandBars()->GetCount(), 1 + CMainFrame::kToolBarCount);
    CTKMenuBar* menuBar = m_frame->GetCommandBars()->GetMenuBar();
    ASSERT_NE(menuBar, nullptr);
    EXPECT_EQ(m_frame->GetCommandBars()->GetBarAt(0), menuBar);
    EXPECT_EQ(menuBar->GetControlCount(), 9);
    EXPECT_EQ(menuBar->GetControl(0)->GetCaption(), "&File");
    for (int i = 0; i < CMainFrame::kToolBarCount; ++i) {
        ASSERT_NE(m_frame->GetToolBar(i), nullptr);
        EXPECT_EQ(m_frame->GetToolBar(i)->GetBarTitle(), titles[i]);
        EXPECT_TRUE(m_frame->GetToolBar(i)->IsVisible());
    }
    // On a screen wide enough the bars after Standard sit on Standard's
    // row, each right of the one before, in the order they were made.
    m_frame->MoveWindow(CRect(0, 0, kWideScreen, kTallScreen));
    m_frame->RecalcLayout();
    for (int i = 1; i < CMainFrame::kToolBarCount; ++i) {
        CRect previous;
        CRect bar;
        m_frame->GetToolBar(i - 1)->GetWindowRect(&previous);
        m_frame->GetToolBar(i)->GetWindowRect(&bar);
        EXPECT_EQ(bar.top, previous.top) << titles[i];
        EXPECT_GE(bar.left, previous.right) << titles[i];
    }
    CRect menuRect;
    CRect standardRect;
    menuBar->GetWindowRect(&menuRect);
    m_frame->GetToolBar(0)->GetWindowRect(&standardRect);
    EXPECT_LE(menuRect.bottom, standardRect.top);

    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_WORKSPACE));
    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_OUTPUT));
    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_INSTRUCTIONS));
    // HW Catalog waits as a tab beside Instructions; its view comes when it is first shown.
    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_HWCATALOG));
    EXPECT_FALSE(m_frame->IsPaneShown(ID_PANE_HWCATALOG));
    EXPECT_NE(m_frame->GetOutputView(), nullptr);
    ASSERT_NE(m_frame->GetInsTreeView(), nullptr);
    EXPECT_EQ(m_app->GetAppData()->InsTreeViewCreated, 1);
    EXPECT_NE(m_frame->GetInsTreeView()->GetSubroutineItem(), nullptr);

    EXPECT_EQ(ReplyTimeout, DEFAULT_REPLY_TIMEOUT);
    EXPECT_EQ(ProbeTimeout, DEFAULT_PROBE_TIMEOUT);
    EXPECT_EQ(m_app->GetAppData()->ProjectOpen, 0);
    EXPECT_EQ(GetProjectDocument(), m_frame->GetProjectDocument());
}

TEST_F(WorkbenchStartTest, CommandLineNamesTheProject)
{
    const std::string current = FromQString(QDir::currentPath());
    struct Case {
        std::vector<std::string> args;
        std::string path;
    };
    const Case cases[] = {
        {{}, ""},
        {{"--no-splash"}, ""},
        {{"", "   "}, ""},
        {{"/home/user/Line 1/Line 1.qpj"}, "/home/user/Line 1/Line 1.qpj"},
        {{"--no-splash", "plant/plant.qpj", "other.qpj"}, current + "/plant/plant.qpj"},
        {{"./a/../b.qpj"}, current + "/b.qpj"},
        {{"C.qpj"}, current + "/C.qpj"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CZULApp::CommandLineProjectPath(c.args), c.path) << testing::PrintToString(c.args);
}

TEST_F(WorkbenchStartTest, OpensTheProjectOnTheCommandLine)
{
    Start();
    const std::string path = m_folder / "plant/plant.qpj";
    ASSERT_TRUE(FileSystem::CreateFolder(m_folder / "plant"));
    {
        CProjTreeDOC document;
        ASSERT_TRUE(document.CreateProject(path));
    }
    Stop();

    Start({"--no-splash", path});
    EXPECT_EQ(m_app->GetAppData()->ProjectOpen, 1);
    EXPECT_EQ(m_frame->GetProjectDocument()->GetPathName(), path);
}

TEST_F(WorkbenchStartTest, MissingCommandLineProjectLeavesTheProjectClosed)
{
    Start({"--no-splash", m_folder / "gone.qpj"});
    EXPECT_EQ(m_app->GetAppData()->ProjectOpen, 0);
    EXPECT_FALSE(m_ui.box.Messages().empty());
    EXPECT_TRUE(m_frame->isVisible());
}

TEST_F(WorkbenchStartTest, OnlyProjectFilesEnterTheRecentList)
{
    Start();
    struct Case {
        const char* path;
        bool added;
    };
    const Case cases[] = {
        {"/p/MAIN.ilp", false},
        {"/p/plant.QPJ", true},
        {"/p/line.qpj", true},
        {"/p/notes.txt", false},
        {"pj", false},
    };
    for (const Case& c : cases) {
        const int before = m_app->GetRecentFiles().GetSize();
        m_app->AddToRecentFileList(c.path);
        const bool added = m_app->GetRecentFiles().GetSize() > before
                           && m_app->GetRecentFiles().GetEntry(0) == c.path;
        EXPECT_EQ(added, c.added) << c.path;
    }
}

TEST_F(WorkbenchStartTest, InterfaceThemeChoosesBarsAndDockingAndKeepsTheStoredValue)
{
    Start();
    struct Case {
        int theme;
        int barTheme;
        int dockingStyle;
    };
    const Case cases[] = {{0, 3, 3}, {1, 0, 5}, {2, 2, 5}, {3, 1, 3}, {7, 2, 5}, {-1, 2, 5}};
    for (const Case& c : cases) {
        m_app->SetInterfaceTheme(c.theme);
        EXPECT_EQ(m_frame->GetBarTheme(), c.barTheme) << c.theme;
        EXPECT_EQ(m_frame->GetDockingStyle(), c.dockingStyle) << c.theme;
        EXPECT_EQ(m_app->GetAppData()->Interface, c.theme);
    }
    m_app->SetInterfaceTheme(7);
    Stop();
    EXPECT_EQ(ProfileTextToInt(Settings().GetString("Configuration", "Interface")), 7);
}

TEST_F(WorkbenchStartTest, ExitWritesTheSettingsWithoutAProject)
{
    Start();
    Stop();
    std::string value;
    EXPECT_TRUE(Settings().ReadString("Configuration", "DefaultCPU", &value));
    EXPECT_TRUE(Settings().ReadString("Recent File List", "File1", &value));
}

TEST_F(WorkbenchStartTest, CrossReferencesOfOneRunAreGoneInTheNext)
{
    // A run that ends with its project compiled and still open.
    Start();
    ASSERT_TRUE(AddAddressXref(1, "%I0.0"));
    EXPECT_EQ(CountCrossReferences(), 1);
    Stop();

    Start();
    EXPECT_EQ(CountCrossReferences(), 0);
}

TEST_F(WorkbenchStartTest, ClosingTheMainWindowStoresItsPlacement)
{
    Start();
    m_frame->SendMessage(WM_CLOSE);
    std::vector<BYTE> placement;
    EXPECT_TRUE(Settings().ReadBinary("Settings", "Window Position", &placement));
    EXPECT_EQ(placement.size(), 48u);
    Stop();
}

} // namespace

namespace {

using NewPOUFileTest = WorkbenchFixture;

TEST_F(NewPOUFileTest, NewPOUFileIsMadeThroughTheTemplateOfItsExtension)
{
    Start();
    struct Case {
        std::string name;
        BOOL withWindow;
        BOOL created;
    };
    const Case cases[] = {
        {"MAIN", TRUE, FALSE},
        {".ilp", TRUE, FALSE},
        {"notes.txt", FALSE, FALSE},
        {"MAIN.ilp", TRUE, TRUE},
        {"SBR_0.ILP", FALSE, TRUE},
    };
    for (const Case& c : cases) {
        const std::string path = c.name.front() == '.' ? c.name : m_folder / c.name;
        EXPECT_EQ(m_app->CreatePOUDocumentFile(path, c.withWindow), c.created) << c.name;
        EXPECT_EQ(FileSystem::FileExists(path), c.created) << c.name;
    }
}

} // namespace
