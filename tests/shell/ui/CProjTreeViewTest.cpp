#include "shell/ui/CProjTreeView.h"

#include "model/CProjTreeDOC.h"
#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/CZULFunc.h"
#include "model/ProjectModified.h"
#include "platform/FileSystem.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/QtText.h"
#include "shell/POUNameRules.h"
#include "shell/ProjTreeRules.h"
#include "shell/ui/CPOUPropertyDlg.h"
#include "shell/ui/IProjTreeHost.h"
#include "shell/ui/RegisterShellUiClasses.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr DWORD kWaitForeverMs = 0xFFFFFFFF;

struct ShownMenu {
    int menuId;
    CWnd* target;
};

// Records what the tree asks of the main frame; new POU documents write
// their two files as the real document does.
class CRecordingProjTreeHost : public IProjTreeHost {
public:
    std::vector<std::string> calls;
    std::vector<std::string> titles;
    std::vector<ShownMenu> menus;
    std::vector<std::string> catalogue;
    BOOL documentsFail = FALSE;

    BOOL OpenPOUDocument(const std::string& path) override { return Record("open " + path); }
    BOOL CreatePOUDocument(const std::string& path) override
    {
        if (documentsFail)
            return FALSE;
        FileSystem::SafeSave(path, std::string("IL\n"));
        FileSystem::SafeSave(path.substr(0, path.size() - 4) + ".ilv", std::string());
        return Record("create " + path);
    }
    std::vector<std::string> GetDocumentTitles() override { return titles; }
    void SyncTabs() override { Record("sync tabs"); }
    void OpenInitialDataWindow() override { Record("initial data"); }
    void OpenGlobalVariableWindow() override { Record("global variables"); }
    void OpenStatusChartWindow() override { Record("status chart"); }
    void OpenHardwareWindow() override { Record("hardware"); }
    void ShowCommunicationsDialog() override { Record("communications"); }
    void AddCatalogueSubroutine(CZULFunc* function) override { catalogue.push_back("add " + function->name); }
    void RemoveCatalogueSubroutine(const std::string& name) override { catalogue.push_back("remove " + name); }
    void RenameCatalogueSubroutine(const std::string& oldName, const std::string& newName) override
    {
        catalogue.push_back("rename " + oldName + " " + newName);
    }
    void ResetProject() override { Record("reset project"); }
    void OpenAllPrograms() override { Record("open all"); }
    void CloseAllWindows() override { Record("close all"); }
    int ShowContextMenu(int menuId, int, int, CWnd* target) override
    {
        menus.push_back({menuId, target});
        return 0;
    }

private:
    BOOL Record(const std::string& call)
    {
        calls.push_back(call);
        return TRUE;
    }
};

class ProjTreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(RegisterShellUiClasses(&error)) << error;
        g_pAppData = m_app.get();
        AttachProjectDocument(&m_document);
        m_app->Project.ProjectName = "Plant";
        m_app->Project.ProjectFolder = m_folder.Path();
        m_app->DefaultPOULang = 1;
        m_view = std::make_unique<CProjTreeView>();
        m_view->m_bAutoDelete = FALSE;
        m_view->Attach(m_app.get(), &m_host);
        ASSERT_TRUE(m_view->Create(nullptr, CRect(0, 0, 300, 600), 1, WS_VISIBLE));
    }
    void TearDown() override
    {
        m_view.reset();
        AttachProjectDocument(nullptr);
        g_pAppData = nullptr;
    }

    CTreeCtrl& Tree() { return m_view->GetTreeCtrl(); }
    CZULProject& Project() { return m_app->Project; }

    // A new project: the skeleton, MAIN, and the given new subroutines.
    void NewProject(int subroutines = 0)
    {
        m_view->BuildProjectTree();
        ASSERT_TRUE(m_view->NewPOU(0));
        for (int n = 0; n < subroutines; ++n)
            ASSERT_TRUE(m_view->NewPOU(1));
        m_host.calls.clear();
        m_host.catalogue.clear();
        m_document.SetModifiedFlag(FALSE);
    }

    std::vector<std::string> Children(HTREEITEM parent)
    {
        std::vector<std::string> texts;
        for (HTREEITEM item = Tree().GetChildItem(parent); item; item = Tree().GetNextSiblingItem(item))
            texts.push_back(Tree().GetItemText(item));
        return texts;
    }

    HTREEITEM Find(const std::string& text, HTREEITEM parent = TVI_ROOT)
    {
        for (HTREEITEM item = Tree().GetChildItem(parent); item; item = Tree().GetNextSiblingItem(item)) {
            if (Tree().GetItemText(item) == text)
                return item;
            if (HTREEITEM found = Find(text, item))
                return found;
        }
        return nullptr;
    }

    int Image(HTREEITEM item)
    {
        int image = -1;
        int selected = -1;
        Tree().GetItemImage(item, image, selected);
        EXPECT_EQ(image, selected);
        return image;
    }

    QPoint Reveal(HTREEITEM item)
    {
        Tree().Tree()->scrollToItem(item);
        CRect text;
        EXPECT_TRUE(Tree().GetItemRect(item, &text, TRUE));
        return Tree().Tree()->viewport()->mapFrom(m_view.get(), QPoint(text.left + 3, (text.top + text.bottom) / 2));
    }
    void Click(HTREEITEM item, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(Tree().Tree()->viewport(), button, {}, Reveal(item));
    }
    void DoubleClick(HTREEITEM item)
    {
        QTest::mouseDClick(Tree().Tree()->viewport(), Qt::LeftButton, {}, Reveal(item));
    }
    void Key(Qt::Key key) { QTest::keyClick(Tree().Tree(), key); }
    // The label editor open on an item.
    QLineEdit* Editor(HTREEITEM item) { return qobject_cast<QLineEdit*>(Tree().Tree()->itemWidget(item, 0)); }

    BOOL Enabled(UINT command)
    {
        CCmdUI cmdUI(command);
        EXPECT_TRUE(cmdUI.DoUpdate(m_view.get(), FALSE));
        return cmdUI.IsEnabled();
    }

    bool Exists(const std::string& name) { return FileSystem::FileExists(m_folder.Path() + "/" + name) != FALSE; }
    std::string InFolder(const std::string& name) { return m_folder.Path() + "/" + name; }
    BOOL Modified() { return m_document.IsModified(); }

    TempFolder m_folder;
    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app = std::make_unique<CZULAppData>();
    CProjTreeDOC m_document;
    CRecordingProjTreeHost m_host;
    std::unique_ptr<CProjTreeView> m_view;
};

TEST_F(ProjTreeViewTest, ANewProjectShowsTheSkeletonWithMainAndWritesItsFiles)
{
    m_view->BuildProjectTree();
    ASSERT_TRUE(m_view->NewPOU(0));

    HTREEITEM root = Tree().GetRootItem();
    EXPECT_EQ(Tree().GetItemText(root), "Project: Plant");
    EXPECT_EQ(Children(TVI_ROOT), (std::vector<std::string>{"Project: Plant"}));
    EXPECT_EQ(Children(root), (std::vector<std::string>{"PROGRAM", "CONFIGURATION", "Status Chart", "Communications"}));
    EXPECT_EQ(Children(Find("PROGRAM")), (std::vector<std::string>{"Initial Data", "(MAIN)  MAIN"}));
    EXPECT_EQ(Children(Find("CONFIGURATION")), (std::vector<std::string>{"RESOURCE"}));
    EXPECT_EQ(Children(Find("RESOURCE")), (std::vector<std::string>{"Hardware", "Global Variable"}));

    const std::pair<const char*, int> images[] = {
        {"Project: Plant", 0}, {"PROGRAM", 1},    {"Status Chart", 3},    {"Hardware", 4},
        {"CONFIGURATION", 5},  {"RESOURCE", 6},   {"Global Variable", 7}, {"Communications", 8},
        {"(MAIN)  MAIN", 9},   {"Initial Data", 11},
    };
    for (const auto& [text, image] : images)
        EXPECT_EQ(Image(Find(text)), image) << text;
    EXPECT_EQ(m_view->GetItemNode(Find("CONFIGURATION")), nullptr);
    EXPECT_EQ(m_view->GetItemNode(Find("RESOURCE")), nullptr);
    EXPECT_EQ(m_view->GetItemNode(Find("(MAIN)  MAIN")), &Project().MainNode);
    for (const char* expanded : {"Project: Plant", "PROGRAM", "CONFIGURATION", "RESOURCE"})
        EXPECT_TRUE(Tree().GetItemState(Find(expanded), TVIS_EXPANDED)) << expanded;

    EXPECT_EQ(m_view->GetCurrentItem(), Find("(MAIN)  MAIN"));
    EXPECT_EQ(Project().MainPresent, 1);
    EXPECT_EQ(Project().MainNode.language, 1);
    EXPECT_EQ(m_app->PIDVarFilePath, InFolder("MAIN_MAIN.ilv"));
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"create " + InFolder("MAIN_MAIN.ilp"), "sync tabs"}));
    EXPECT_TRUE(Exists("MAIN_MAIN.ilp"));
    EXPECT_TRUE(Modified());
}

TEST_F(ProjTreeViewTest, NewRoutinesTakeTheLowestFreeNumberAndSortIntoProgram)
{
    NewProject(2);
    // SBR_0 and SBR_1 exist; deleting SBR_0 leaves the gap New Subroutine fills.
    m_ui.box.Answer(IDOK);
    m_view->SetCurrentItem(Find("(SBR00)  SBR_0"));
    m_view->OnDelete();
    m_host.catalogue.clear();
    m_view->OnNewInterrupt();
    m_view->OnNewSubroutine();
    m_view->OnNewSubroutine();

    EXPECT_EQ(Children(m_view->GetProgramItem()),
              (std::vector<std::string>{"Initial Data", "(MAIN)  MAIN", "(INT00)  INT_0", "(SBR00)  SBR_0",
                                        "(SBR01)  SBR_1", "(SBR02)  SBR_2"}));
    EXPECT_EQ(m_host.catalogue, (std::vector<std::string>{"add SBR_0", "add SBR_2"}));
    EXPECT_EQ(m_view->GetCurrentItem(), Find("(SBR02)  SBR_2"));
    EXPECT_EQ(Image(Find("(SBR02)  SBR_2")), 10);
    EXPECT_TRUE(Exists("SBR02_SBR_2.ilp"));
    EXPECT_TRUE(Exists("SBR02_SBR_2.ilv"));
    EXPECT_TRUE(Exists("INT00_INT_0.ilp"));

    // An LD default gives the LD image.
    m_app->DefaultPOULang = 2;
    m_view->OnNewSubroutine();
    EXPECT_EQ(Image(Find("(SBR03)  SBR_3")), 2);
}

TEST_F(ProjTreeViewTest, ARefusedNewPOUCreatesNothing)
{
    NewProject();
    for (int n = 0; n < 64; ++n)
        ASSERT_TRUE(m_view->NewPOU(2));
    m_host.calls.clear();
    m_document.SetModifiedFlag(FALSE);
    const UINT before = Tree().GetCount();

    EXPECT_FALSE(m_view->NewPOU(2));
    EXPECT_EQ(m_ui.box.Texts().back(), "The number of interrupt routines reaches the upper limit.\r\nThe "
                                       "application supports 64 interrupt subroutines at most.");
    EXPECT_EQ(Tree().GetCount(), before);
    EXPECT_TRUE(m_host.calls.empty());
    EXPECT_FALSE(Modified());
}

TEST_F(ProjTreeViewTest, APOUWhoseDocumentCannotBeCreatedIsWithdrawn)
{
    NewProject(1);
    const UINT before = Tree().GetCount();
    m_host.documentsFail = TRUE;
    EXPECT_FALSE(m_view->NewPOU(1));
    EXPECT_FALSE(m_view->NewPOU(2));
    EXPECT_EQ(Tree().GetCount(), before);
    EXPECT_EQ(Project().POUs.SubroutineNodes.size(), 1u);
    EXPECT_EQ(Project().POUs.SubroutineInterfacesByNumber.count(1), 0u);
    EXPECT_TRUE(Project().POUs.InterruptNodes.empty());
    EXPECT_EQ(m_host.catalogue, (std::vector<std::string>{"add SBR_1", "remove SBR_1"}));
    EXPECT_EQ(m_view->GetCurrentItem(), nullptr);
    EXPECT_FALSE(Modified());

    m_view->ClearProjectTree();
    m_view->BuildProjectTree();
    Project().MainPresent = 0;
    EXPECT_FALSE(m_view->NewPOU(0));
    EXPECT_EQ(Project().MainPresent, 0);
    EXPECT_EQ(Children(m_view->GetProgramItem()), (std::vector<std::string>{"Initial Data"}));
}

TEST_F(ProjTreeViewTest, FillingShowsTheProjectsPOUsSortedWithTheirImages)
{
    NewProject(3);
    // Reorder the numbers the way a stored project may have them.
    m_view->SetCurrentItem(Find("(SBR00)  SBR_0"));
    m_ui.box.Answer(IDOK);
    m_view->OnDelete();
    m_view->NewPOU(2);
    Project().POUs.SubroutineNodes.at("SBR_1")->language = 2;
    m_view->ClearProjectTree();
    EXPECT_EQ(Tree().GetCount(), 0u);
    EXPECT_EQ(m_view->GetProgramItem(), nullptr);

    m_view->FillProjectTree();
    EXPECT_EQ(Children(m_view->GetProgramItem()),
              (std::vector<std::string>{"Initial Data", "(MAIN)  MAIN", "(INT00)  INT_0", "(SBR01)  SBR_1",
                                        "(SBR02)  SBR_2"}));
    EXPECT_EQ(Image(Find("(SBR01)  SBR_1")), 2);
    EXPECT_EQ(Image(Find("(SBR02)  SBR_2")), 10);
    EXPECT_EQ(m_view->GetItemNode(Find("(INT00)  INT_0")), Project().POUs.InterruptNodes.at("INT_0"));
    EXPECT_EQ(m_view->FindNodeItem(Project().POUs.SubroutineNodes.at("SBR_2")), Find("(SBR02)  SBR_2"));
    EXPECT_EQ(m_view->FindNodeItem(&Project().MainNode), Find("(MAIN)  MAIN"));
    EXPECT_EQ(m_view->FindPOUItem("(SBR01) "), Find("(SBR01)  SBR_1"));
    EXPECT_EQ(m_view->FindPOUItem("(SBR07) "), nullptr);

    // Filling again replaces the tree rather than adding a second skeleton.
    m_view->FillProjectTree();
    EXPECT_EQ(Children(TVI_ROOT).size(), 1u);
}

TEST_F(ProjTreeViewTest, APathTooLongOnOpenResetsTheProjectAndKeepsTheTree)
{
    NewProject(1);
    const UINT before = Tree().GetCount();
    Project().POUs.SubroutineNodes.at("SBR_0")->label = std::string(300, 'x');
    m_view->FillProjectTree();
    EXPECT_EQ(m_ui.box.Texts().back(), "Unable to open file because the file name or path is too long.");
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"reset project"}));
    EXPECT_EQ(Tree().GetCount(), before);
}

TEST_F(ProjTreeViewTest, OpeningANodeOpensWhatStandsBehindIt)
{
    NewProject(1);
    const std::pair<const char*, std::string> cases[] = {
        {"Initial Data", "initial data"},
        {"Global Variable", "global variables"},
        {"Status Chart", "status chart"},
        {"Hardware", "hardware"},
        {"Communications", "communications"},
        {"(SBR00)  SBR_0", "open " + InFolder("SBR00_SBR_0.ilp")},
        {"(MAIN)  MAIN", "open " + InFolder("MAIN_MAIN.ilp")},
        {"PROGRAM", ""},
        {"Project: Plant", ""},
        {"CONFIGURATION", ""},
    };
    for (const auto& [text, call] : cases) {
        SCOPED_TRACE(text);
        m_host.calls.clear();
        DoubleClick(Find(text));
        EXPECT_EQ(m_view->GetCurrentItem(), Find(text));
        EXPECT_EQ(m_host.calls.empty() ? std::string() : m_host.calls.front(), call);
        // Enter on the selected item does the same.
        m_host.calls.clear();
        Key(Qt::Key_Return);
        EXPECT_EQ(m_host.calls.empty() ? std::string() : m_host.calls.front(), call);
    }
    // Enter on an item reached from the keyboard makes it the item a new POU view takes.
    m_view->SetCurrentItem(Find("PROGRAM"));
    Tree().SelectItem(Find("(SBR00)  SBR_0"));
    Key(Qt::Key_Return);
    EXPECT_EQ(m_view->GetCurrentItem(), Find("(SBR00)  SBR_0"));
}

TEST_F(ProjTreeViewTest, CommunicationsWaitsForTheMonitorAndThePort)
{
    NewProject();
    HTREEITEM communications = Find("Communications");
    m_app->Monitoring = 1;
    m_view->OpenTreeNode(communications);
    m_app->Monitoring = 0;
    m_app->MonitorPause = 1;
    m_view->OpenTreeNode(communications);
    m_app->MonitorPause = 0;
    EXPECT_TRUE(m_host.calls.empty());

    // Another thread holds the port for the whole wait.
    std::mutex gate;
    std::condition_variable changed;
    bool held = false;
    bool release = false;
    std::thread holder([&] {
        while (!m_app->PortLock.Lock(kWaitForeverMs)) {
        }
        std::unique_lock<std::mutex> lock(gate);
        held = true;
        changed.notify_all();
        changed.wait(lock, [&] { return release; });
        m_app->PortLock.Unlock();
    });
    {
        std::unique_lock<std::mutex> lock(gate);
        changed.wait(lock, [&] { return held; });
    }
    m_view->OpenTreeNode(communications);
    EXPECT_TRUE(m_host.calls.empty());
    {
        std::lock_guard<std::mutex> lock(gate);
        release = true;
    }
    changed.notify_all();
    holder.join();

    m_view->OpenTreeNode(communications);
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"communications"}));
    EXPECT_FALSE(m_app->PortLock.IsHeldByCurrentThread());
}

TEST_F(ProjTreeViewTest, AMissingProgramFileAsksAndYesDropsTheNodeButKeepsTheOtherFiles)
{
    NewProject(2);
    ASSERT_TRUE(FileSystem::DeleteFile(InFolder("SBR01_SBR_1.ilp")));
    HTREEITEM item = Find("(SBR01)  SBR_1");

    m_ui.box.Answer(IDNO);
    m_view->OpenTreeNode(item);
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note");
    EXPECT_EQ(m_ui.box.Messages()[0].type & 0x0Fu, MB_YESNO);
    EXPECT_EQ(Find("(SBR01)  SBR_1"), item);
    EXPECT_EQ(Project().POUs.SubroutineNodes.count("SBR_1"), 1u);
    EXPECT_FALSE(Modified());

    m_ui.box.Answer(IDYES);
    m_view->OpenTreeNode(item);
    EXPECT_EQ(Find("(SBR01)  SBR_1"), nullptr);
    EXPECT_EQ(Project().POUs.SubroutineNodes.count("SBR_1"), 0u);
    EXPECT_EQ(Project().POUs.SubroutineInterfacesByNumber.count(1), 0u);
    EXPECT_EQ(m_host.catalogue, (std::vector<std::string>{"remove SBR_1"}));
    EXPECT_TRUE(Exists("SBR01_SBR_1.ilv"));
    EXPECT_TRUE(Exists("SBR00_SBR_0.ilp"));
    EXPECT_TRUE(Modified());
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"sync tabs", "sync tabs"}));
    // The number is free again.
    EXPECT_TRUE(m_view->NewPOU(1));
    EXPECT_NE(Find("(SBR01)  SBR_1"), nullptr);

    // MAIN is asked about as any POU; Yes drops its item, and its record and variable file stay.
    ASSERT_TRUE(FileSystem::DeleteFile(InFolder("MAIN_MAIN.ilp")));
    SetProjectModified(FALSE);
    m_ui.box.Clear();
    m_ui.box.Answer(IDYES);
    m_view->OpenTreeNode(Find("(MAIN)  MAIN"));
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].text, MESSAGE_POU_FILE_MISSING);
    EXPECT_EQ(Find("(MAIN)  MAIN"), nullptr);
    EXPECT_EQ(Project().MainPresent, 1);
    EXPECT_TRUE(Exists("MAIN_MAIN.ilv"));
    EXPECT_TRUE(Modified());
}

TEST_F(ProjTreeViewTest, DeleteAsksThenRemovesThePOUWithItsFiles)
{
    NewProject(1);
    m_view->NewPOU(2);
    HTREEITEM item = Find("(INT00)  INT_0");
    m_view->SetCurrentItem(item);

    m_ui.box.Answer(IDCANCEL);
    m_view->OnDelete();
    EXPECT_EQ(m_ui.box.Texts(), (std::vector<std::string>{"Are you sure you want to delete INT_0 ?"}));
    EXPECT_EQ(Find("(INT00)  INT_0"), item);

    m_ui.box.Answer(IDOK);
    m_view->OnDelete();
    EXPECT_EQ(Find("(INT00)  INT_0"), nullptr);
    EXPECT_EQ(Project().POUs.InterruptNodes.count("INT_0"), 0u);
    EXPECT_FALSE(Exists("INT00_INT_0.ilp"));
    EXPECT_FALSE(Exists("INT00_INT_0.ilv"));
    EXPECT_EQ(m_view->GetCurrentItem(), nullptr);
    EXPECT_TRUE(Modified());

    // The Delete key on a subroutine, and a catalogue entry that goes with it.
    m_ui.box.Answer(IDOK);
    Click(Find("(SBR00)  SBR_0"));
    Key(Qt::Key_Delete);
    EXPECT_EQ(Find("(SBR00)  SBR_0"), nullptr);
    EXPECT_EQ(m_host.catalogue, (std::vector<std::string>{"remove SBR_0"}));

    // MAIN is never deleted.
    m_ui.box.Clear();
    Click(Find("(MAIN)  MAIN"));
    Key(Qt::Key_Delete);
    m_view->OnDelete();
    EXPECT_TRUE(m_ui.box.Messages().empty());
    EXPECT_NE(Find("(MAIN)  MAIN"), nullptr);
}

TEST_F(ProjTreeViewTest, AnOpenDocumentDisablesRenameDeleteAndPropertyOfItsPOU)
{
    NewProject(1);
    m_view->SetCurrentItem(Find("(SBR00)  SBR_0"));
    for (UINT command : {ID_PROJTREE_DELETE, ID_PROJTREE_RENAME, ID_PROJTREE_PROPERTY})
        EXPECT_TRUE(Enabled(command)) << command;

    m_host.titles = {"MAIN", "SBR_0 *"};
    for (UINT command : {ID_PROJTREE_DELETE, ID_PROJTREE_RENAME, ID_PROJTREE_PROPERTY})
        EXPECT_FALSE(Enabled(command)) << command;
    m_view->OnDelete();
    Click(Find("(SBR00)  SBR_0"));
    Key(Qt::Key_Delete);
    m_view->OnRename();
    EXPECT_FALSE(m_view->IsRenaming());
    EXPECT_TRUE(m_ui.box.Messages().empty());
    EXPECT_NE(Find("(SBR00)  SBR_0"), nullptr);
}

TEST_F(ProjTreeViewTest, RightClickShowsTheMenuOfTheKindUnlessMonitoring)
{
    NewProject(1);
    const struct {
        const char* text;
        int menu;
        bool frameTarget;
    } cases[] = {
        {"Project: Plant", 139, true}, {"PROGRAM", 140, false},        {"(SBR00)  SBR_0", 141, false},
        {"(MAIN)  MAIN", 151, false},  {"Global Variable", 143, false}, {"Status Chart", 145, false},
        {"Hardware", 147, false},      {"Communications", 150, false},  {"Initial Data", 159, false},
        {"CONFIGURATION", 0, false},   {"RESOURCE", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_host.menus.clear();
        Click(Find(c.text), Qt::RightButton);
        EXPECT_EQ(m_view->GetCurrentItem(), Find(c.text));
        EXPECT_EQ(Tree().GetSelectedItem(), Find(c.text));
        if (c.menu == 0) {
            EXPECT_TRUE(m_host.menus.empty());
            continue;
        }
        ASSERT_EQ(m_host.menus.size(), 1u);
        EXPECT_EQ(m_host.menus[0].menuId, c.menu);
        EXPECT_EQ(m_host.menus[0].target, c.frameTarget ? nullptr : static_cast<CWnd*>(m_view.get()));
    }
    m_host.menus.clear();
    m_app->Monitoring = 1;
    Click(Find("(SBR00)  SBR_0"), Qt::RightButton);
    EXPECT_TRUE(m_host.menus.empty());
    EXPECT_EQ(m_view->GetCurrentItem(), Find("(SBR00)  SBR_0"));
}

TEST_F(ProjTreeViewTest, F1OpensTheTopicOfTheSelectedItem)
{
    NewProject(1);
    const std::pair<const char*, const char*> cases[] = {
        {"(SBR00)  SBR_0", "chengxu"}, {"Project: Plant", "gongcheng"}, {"Hardware", "Hardware"}};
    for (const auto& [text, topic] : cases) {
        m_ui.help.Clear();
        Click(Find(text));
        Key(Qt::Key_F1);
        ASSERT_EQ(m_ui.help.Requests().size(), 1u) << text;
        EXPECT_EQ(m_ui.help.Requests()[0].topic, topic);
        int context = 1;
        CZULAppData::FindHelpContext(topic, context);
        EXPECT_EQ(m_ui.help.Requests()[0].context, context);
    }
    m_ui.help.Clear();
    Tree().SelectItem(nullptr);
    Key(Qt::Key_F1);
    ASSERT_EQ(m_ui.help.Requests().size(), 1u);
    EXPECT_EQ(m_ui.help.Requests()[0].topic, "");
    EXPECT_EQ(m_ui.help.Requests()[0].context, 1);
}

TEST_F(ProjTreeViewTest, RenameInPlaceEditsTheNameAndCarriesItEverywhere)
{
    NewProject(1);
    HTREEITEM item = Find("(SBR00)  SBR_0");
    m_view->SetCurrentItem(item);
    m_view->OnRename();
    ASSERT_TRUE(m_view->IsRenaming());
    auto* edit = Editor(item);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(FromQString(edit->text()), "SBR_0");
    EXPECT_EQ(edit->selectedText(), edit->text());

    edit->setText("Pump");
    QTest::keyClick(edit, Qt::Key_Return);
    // The delegate commits a Return through a queued call.
    ASSERT_TRUE(QTest::qWaitFor([&]() { return !m_view->IsRenaming(); }));
    EXPECT_FALSE(m_view->IsRenaming());
    EXPECT_EQ(Tree().GetItemText(item), "(SBR00)  Pump");
    EXPECT_EQ(Project().POUs.SubroutineNodes.count("Pump"), 1u);
    // The saved project file still names the old files; they go with the next save.
    EXPECT_TRUE(FileSystem::IsSameFile(InFolder("SBR00_SBR_0.ilp"), InFolder("SBR00_Pump.ilp")));
    EXPECT_EQ(m_host.catalogue, (std::vector<std::string>{"rename SBR_0 Pump"}));
    EXPECT_TRUE(Modified());

    // A keyword is refused and the label stays.
    m_view->OnRename();
    edit = Editor(item);
    ASSERT_NE(edit, nullptr);
    edit->setText("subroutine");
    QTest::keyClick(edit, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&]() { return !m_view->IsRenaming(); }));
    ASSERT_FALSE(m_ui.box.Texts().empty());
    EXPECT_EQ(m_ui.box.Texts().back(), "This is not a legal POU name.\r\nKeyword can not be used as a POU Name.");
    EXPECT_EQ(Tree().GetItemText(item), "(SBR00)  Pump");

    // Escape ends the rename without a change.
    m_view->OnRename();
    edit = Editor(item);
    ASSERT_NE(edit, nullptr);
    edit->setText("Other");
    QTest::keyClick(edit, Qt::Key_Escape);
    EXPECT_FALSE(m_view->IsRenaming());
    EXPECT_EQ(Tree().GetItemText(item), "(SBR00)  Pump");
}

TEST_F(ProjTreeViewTest, PropertyRenamesThroughTheDialogAndStoresAuthorAndComment)
{
    NewProject(1);
    HTREEITEM item = Find("(SBR00)  SBR_0");
    m_view->SetCurrentItem(item);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>(QString::number(IDC_POU_NAME));
        auto* author = dialog->findChild<QLineEdit*>(QString::number(IDC_POU_AUTHOR));
        if (!name || !author) {
            dialog->reject();
            return;
        }
        name->setText("Motor");
        author->setText("Li");
        dialog->accept();
    });
    m_view->OnProperty();
    EXPECT_EQ(Tree().GetItemText(item), "(SBR00)  Motor");
    CProjTreeNode* node = m_view->GetItemNode(item);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->name, "Motor");
    EXPECT_EQ(node->author, "Li");
    EXPECT_TRUE(Exists("SBR00_Motor.ilv"));
    EXPECT_EQ(m_host.catalogue, (std::vector<std::string>{"rename SBR_0 Motor"}));
}

TEST_F(ProjTreeViewTest, ForwardedCommandsReachTheFrame)
{
    NewProject();
    const std::pair<UINT, const char*> cases[] = {
        {ID_PROJTREE_OPEN_ALL_PROGRAMS, "open all"},
        {ID_PROJTREE_CLOSE_ALL, "close all"},
        {ID_PROJTREE_OPEN_HARDWARE, "hardware"},
        {ID_PROJTREE_OPEN_STATUS_CHART, "status chart"},
    };
    for (const auto& [command, call] : cases) {
        m_host.calls.clear();
        EXPECT_TRUE(m_view->OnCmdMsg(command, CN_COMMAND, nullptr, nullptr)) << command;
        EXPECT_EQ(m_host.calls, (std::vector<std::string>{call}));
    }
}

TEST(ProjTreeViewRegistry, TheViewIsCreatedByClassName)
{
    std::string error;
    ASSERT_TRUE(RegisterShellUiClasses(&error)) << error;
    const CRuntimeClass* runtime = CRuntimeClass::FromName("CProjTreeView");
    ASSERT_NE(runtime, nullptr);
    std::unique_ptr<CObject> object(runtime->CreateObject());
    EXPECT_NE(dynamic_cast<CProjTreeView*>(object.get()), nullptr);
}

} // namespace
