// The main road through the menus: a new project shows MAIN in the tree,
// Compile All reports in the Compile list with the Compile tab in front.

#include "WorkbenchFixture.h"

#include "pouedit/ui/CFindReplaceDlg.h"
#include "pouedit/ui/CPOUEditorDoc.h"

#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/FileSystem.h"
#include "platform/ui/CDocument.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/COutputView.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "shell/ui/CProjTreeView.h"

#include "support/ModalScript.h"

#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

namespace {

class MainRoadTest : public WorkbenchFixture {};

} // namespace

TEST_F(MainRoadTest, NewProjectShowsMainAndCompileAllReports)
{
    Start();
    // MAIN is made in IL.
    m_app->GetAppData()->DefaultPOULang = 1;
    const std::string path = m_folder / "Tank.qpj";
    AnswerFileDialog(path);
    m_frame->SendMessage(WM_COMMAND, 32695);
    CZULAppData& app = *m_app->GetAppData();
    ASSERT_EQ(app.ProjectOpen, 1);
    CProjTreeView* tree = m_frame->GetProjTreeView();
    ASSERT_NE(tree, nullptr);
    EXPECT_NE(tree->FindPOUItem("(MAIN) "), nullptr);
    EXPECT_EQ(m_app->GetPOUTemplate()->GetDocuments().size(), 1u);

    m_frame->SendMessage(WM_COMMAND, 32935);
    EXPECT_EQ(m_frame->GetOutputView()->GetCurrentList(), OUTPUT_LIST_COMPILE);
    const std::vector<std::string> expected = {
        "$$$ Compiling  : Initial data...",
        "$$$ compiling  : Hardware... ",
        "$$$ Handling variable $$$",
        "$$$ compiling   : The variable of POU \"MAIN\" ...",
        "$$$ Precompiling $$$",
        "$$$ Handling instruction $$$",
        "$$$ compiling   : POU \"MAIN\" ...",
        " ",
        "$$$ Compilation successful   :  0 errors, 0 warnings. Total instructions 1 .",
    };
    EXPECT_EQ(OutputLines(OUTPUT_LIST_COMPILE), expected);
}

TEST_F(MainRoadTest, FindOpensTheDialogOverThePOUInFrontAndMonitoringClosesIt)
{
    Start();
    m_app->GetAppData()->DefaultPOULang = 1;
    AnswerFileDialog(m_folder / "Pump.qpj");
    m_frame->SendMessage(WM_COMMAND, 32695);
    ASSERT_EQ(m_app->GetAppData()->ProjectOpen, 1);

    IFindReplaceHost& host = *m_frame;
    CPOUEditorDoc* main = host.GetActivePOUDocument();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(host.GetOpenPOUDocuments(), std::vector<CPOUEditorDoc*>{main});

    IFindReplaceDialog* dialog = main->OpenFindReplaceDialog(FALSE);
    ASSERT_NE(dialog, nullptr);
    dialog->Show(TRUE);
    CFindReplaceDlg* shown = m_frame->GetFindReplaceDialog();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    // The same dialog serves the next request.
    EXPECT_EQ(main->OpenFindReplaceDialog(TRUE), dialog);

    IMonitorFrame& monitor = *m_frame;
    monitor.CloseFindReplaceDialog();
    EXPECT_FALSE(shown->isVisible());
}

TEST_F(MainRoadTest, ReallocatingLocalVariablesEmptiesTheAllocationMapsAndReopensThePOUs)
{
    Start();
    m_app->GetAppData()->DefaultPOULang = 1;
    AnswerFileDialog(m_folder / "Mixer.qpj");
    m_frame->SendMessage(WM_COMMAND, 32695);
    CZULAppData& app = *m_app->GetAppData();
    ASSERT_EQ(app.ProjectOpen, 1);
    // Cells left used by variables that no POU declares any more.
    app.Project.LocalBitUsage.assign(16, 1);
    app.Project.LocalByteUsage.assign(300, 1);

    m_ui.box.Answer(IDYES);
    m_frame->SendMessage(WM_COMMAND, 32959);
    const std::vector<RecordedMessage> boxes = m_ui.box.Messages();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes[0].caption, "Note");
    EXPECT_EQ(app.Project.LocalBitUsage, std::vector<BYTE>(128, 0));
    EXPECT_EQ(app.Project.LocalByteUsage, std::vector<BYTE>(256, 0));
    EXPECT_EQ(app.CheckLocalVarAllocation, 1);
    EXPECT_EQ(app.ProjectOpen, 1);
    // The request ends with the reopening; the next POU opened keeps its addresses.
    EXPECT_EQ(app.LocalVarMapOption, 0);
    EXPECT_FALSE(m_app->GetPOUTemplate()->GetDocuments().empty());
}


// A POU window closed with Window > Close takes its document along: it is no
// longer listed as open, and opening the POU again from the tree shows it.
TEST_F(MainRoadTest, ClosedPOUWindowCanBeOpenedAgain)
{
    Start();
    m_app->GetAppData()->DefaultPOULang = 1;
    AnswerFileDialog(m_folder / "Mixer.qpj");
    m_frame->SendMessage(WM_COMMAND, 32695);
    ASSERT_EQ(m_app->GetAppData()->ProjectOpen, 1);
    ASSERT_EQ(m_frame->GetOpenPOUDocuments().size(), 1u);

    for (int round = 0; round < 2; ++round) {
        m_frame->SendMessage(WM_COMMAND, ID_WINDOW_CLOSE);
        EXPECT_TRUE(QTest::qWaitFor([&] { return m_frame->GetOpenPOUDocuments().empty(); }, 5000)) << round;
        CProjTreeView* tree = m_frame->GetProjTreeView();
        tree->OpenTreeNode(tree->FindPOUItem("(MAIN) "));
        ASSERT_EQ(m_frame->GetOpenPOUDocuments().size(), 1u) << round;
        EXPECT_NE(m_frame->GetActivePOUDocument(), nullptr) << round;
    }
}

// MAIN's program file gone from the project folder: opening MAIN from the
// tree asks as for any POU, and Yes takes its item out of the tree while the
// project keeps MAIN's record and variable file.
TEST_F(MainRoadTest, MainWithoutItsProgramFileIsHandledAsAnyPOUWithoutOne)
{
    Start();
    m_app->GetAppData()->DefaultPOULang = 1;
    AnswerFileDialog(m_folder / "Mixer.qpj");
    m_frame->SendMessage(WM_COMMAND, 32695);
    CZULAppData& app = *m_app->GetAppData();
    ASSERT_EQ(app.ProjectOpen, 1);
    m_frame->SendMessage(WM_COMMAND, ID_WINDOW_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_frame->GetOpenPOUDocuments().empty(); }, 5000));
    const std::string folder = app.Project.ProjectFolder;
    ASSERT_TRUE(FileSystem::DeleteFile(folder + "/MAIN_MAIN.ilp"));
    SetProjectModified(FALSE);

    m_ui.box.Clear();
    m_ui.box.Answer(IDYES);
    CProjTreeView* tree = m_frame->GetProjTreeView();
    tree->OpenTreeNode(tree->FindPOUItem("(MAIN) "));
    const std::vector<RecordedMessage> boxes = m_ui.box.Messages();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Note");
    EXPECT_EQ(boxes[0].text.rfind("The corresponding file does not exist, and this node will be deleted.", 0), 0u);
    EXPECT_EQ(tree->FindPOUItem("(MAIN) "), nullptr);
    EXPECT_TRUE(m_frame->GetOpenPOUDocuments().empty());
    EXPECT_EQ(app.Project.MainPresent, 1);
    EXPECT_TRUE(FileSystem::FileExists(folder + "/MAIN_MAIN.ilv"));
    EXPECT_TRUE(GetProjectDocument()->IsModified());
}
