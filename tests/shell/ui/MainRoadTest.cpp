// The main road through the menus: a new project shows MAIN in the tree,
// Compile All reports in the Compile list with the Compile tab in front.

#include "WorkbenchFixture.h"

#include "pouedit/ui/CFindReplaceDlg.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUVarView.h"

#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/FileSystem.h"
#include "platform/ui/CDocument.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/COutputView.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "shell/ui/CProjTreeView.h"

#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "support/FileBytes.h"
#include "support/FullFileSystem.h"
#include "support/ModalScript.h"
#include "support/ReadOnlyFolder.h"

#include <optional>

#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_COMPILE_ALL = 32935;
constexpr UINT ID_REALLOCATE_LOCALS = 32959;

class MainRoadTest : public WorkbenchFixture {
protected:
    // The program started and a new project made in the test's folder, its
    // MAIN in IL; MAIN's document, open in front, or null when that failed.
    CPOUEditorDoc* StartWithNewProject(const std::string& fileName = "Mixer.qpj")
    {
        Start();
        if (HasFatalFailure())
            return nullptr;
        App().DefaultPOULang = 1;
        AnswerFileDialog(m_folder / fileName);
        Command(ID_NEW_PROJECT);
        EXPECT_EQ(App().ProjectOpen, 1);
        return App().ProjectOpen == 1 ? m_frame->GetActivePOUDocument() : nullptr;
    }

    // The POU's variable table in its window.
    static CPOUVarView* VarView(CPOUEditorDoc& doc) { return dynamic_cast<CPOUVarView*>(doc.GetVarView()); }
};

} // namespace

TEST_F(MainRoadTest, NewProjectShowsMainAndCompileAllReports)
{
    ASSERT_NE(StartWithNewProject("Tank.qpj"), nullptr);
    CProjTreeView* tree = m_frame->GetProjTreeView();
    ASSERT_NE(tree, nullptr);
    EXPECT_NE(tree->FindPOUItem("(MAIN) "), nullptr);
    EXPECT_EQ(m_app->GetPOUTemplate()->GetDocuments().size(), 1u);

    Command(ID_COMPILE_ALL);
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
    CPOUEditorDoc* main = StartWithNewProject("Pump.qpj");
    ASSERT_NE(main, nullptr);
    IFindReplaceHost& host = *m_frame;
    EXPECT_EQ(host.GetActivePOUDocument(), main);
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
    ASSERT_NE(StartWithNewProject(), nullptr);
    CZULAppData& app = App();
    // Cells left used by variables that no POU declares any more.
    app.Project.LocalBitUsage.assign(16, 1);
    app.Project.LocalByteUsage.assign(300, 1);

    m_ui.box.Answer(IDYES);
    Command(ID_REALLOCATE_LOCALS);
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
    ASSERT_NE(StartWithNewProject(), nullptr);
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

// Local variables typed into a POU window whose variable file cannot be
// written are not lost: neither closing the project (answering Yes to save)
// nor saving the project reports a saved document. The project and the
// window stay open, the POU modified and the old variable file whole.
TEST_F(MainRoadTest, AVariableFileThatCannotBeWrittenKeepsThePOUOpenAndModified)
{
    constexpr UINT ID_SAVE_PROJECT = 32779;
    constexpr UINT ID_CLOSE_PROJECT = 32697;
    enum class Fault { ReadOnlyFolder, FullFileSystem };
    struct Case {
        const char* name;
        Fault fault;
        UINT command;
    };
    const Case cases[] = {
        {"close the project, read-only folder", Fault::ReadOnlyFolder, ID_CLOSE_PROJECT},
        {"close the project, full file system", Fault::FullFileSystem, ID_CLOSE_PROJECT},
        {"save the project, read-only folder", Fault::ReadOnlyFolder, ID_SAVE_PROJECT},
        {"save the project, full file system", Fault::FullFileSystem, ID_SAVE_PROJECT},
    };
    CPOUEditorDoc* main = StartWithNewProject();
    ASSERT_NE(main, nullptr);
    CPOUVarView* vars = VarView(*main);
    ASSERT_NE(vars, nullptr);
    const std::string varPath = main->GetVarPathName();
    const std::string folder = FileSystem::FolderOf(varPath);
    const bool hadFile = FileSystem::FileExists(varPath) != FALSE;
    const std::string oldVars = hadFile ? ReadFileText(varPath) : std::string();

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vars->OnSaveCellData(CPOUVarTable::COL_SYMBOL, 0, "START");
        ASSERT_TRUE(main->IsModified());
        m_ui.box.Clear();
        m_ui.box.Answer(IDYES);
        const auto reported = [&] {
            for (const RecordedMessage& message : m_ui.box.Messages()) {
                if (message.caption == "System Error" && message.text == "Unable to create the local variable file.")
                    return true;
            }
            return false;
        };
        {
            std::optional<ReadOnlyFolder> readOnly;
            std::optional<FullFileSystem> full;
            if (c.fault == Fault::ReadOnlyFolder)
                readOnly.emplace(folder);
            else
                full.emplace();
            Command(c.command);
            EXPECT_TRUE(QTest::qWaitFor(reported, 5000));
        }
        QApplication::processEvents();
        EXPECT_EQ(App().ProjectOpen, 1);
        ASSERT_EQ(m_frame->GetOpenPOUDocuments(), std::vector<CPOUEditorDoc*>{main});
        EXPECT_TRUE(main->IsModified());
        EXPECT_EQ(FileSystem::FileExists(varPath) != FALSE, hadFile);
        if (hadFile) {
            EXPECT_EQ(ReadFileText(varPath), oldVars);
        }
        vars->OnSaveCellData(CPOUVarTable::COL_SYMBOL, 0, "");
    }
}

// MAIN's variable table, reopened from the tree, shows its declarations with
// one empty row below them, however many there are.
TEST_F(MainRoadTest, AReopenedPOUsVariableTableHasOneEmptyRowBelowItsDeclarations)
{
    CPOUEditorDoc* main = StartWithNewProject();
    ASSERT_NE(main, nullptr);
    const std::string varPath = main->GetVarPathName();
    Command(ID_WINDOW_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_frame->GetOpenPOUDocuments().empty(); }, 5000));

    std::string vars = "VAR\r\n";
    for (int i = 0; i < 6; ++i)
        vars += "    V" + std::to_string(i) + "  AT  %LB" + std::to_string(16 + i) + " : BYTE ; (*  *) \r\n";
    ASSERT_TRUE(FileSystem::SafeSave(varPath, vars + "END_VAR\r\n"));
    CProjTreeView* tree = m_frame->GetProjTreeView();
    tree->OpenTreeNode(tree->FindPOUItem("(MAIN) "));
    ASSERT_EQ(m_frame->GetOpenPOUDocuments().size(), 1u);
    CPOUVarView* table = VarView(*m_frame->GetOpenPOUDocuments()[0]);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetGridCtrl().GetGridRowCount(), 7);
    EXPECT_EQ(table->GetTable()->GetEntry(5)->Symbol, "V5");
    EXPECT_TRUE(table->GetTable()->GetEntry(6)->Symbol.empty());
}

// Editing the comment of a declared variable in MAIN's table moves it to
// the lowest free address that fits.
TEST_F(MainRoadTest, EditingAVariablesCommentMovesItToTheFirstFreeAddress)
{
    CPOUEditorDoc* main = StartWithNewProject();
    ASSERT_NE(main, nullptr);
    CPOUVarView* vars = VarView(*main);
    ASSERT_NE(vars, nullptr);
    const CPOUVarTable& table = *vars->GetTable();
    for (int row : {0, 1}) {
        vars->OnSaveCellData(CPOUVarTable::COL_TYPE, row, "BYTE");
        vars->OnSaveCellData(CPOUVarTable::COL_SYMBOL, row, row == 0 ? "A" : "B");
    }
    const std::string lowest = table.GetEntry(0)->Address;
    ASSERT_FALSE(lowest.empty());
    ASSERT_NE(table.GetEntry(1)->Address, lowest);
    // A grows to a WORD and leaves its byte free.
    vars->OnSaveCellData(CPOUVarTable::COL_TYPE, 0, "WORD");
    ASSERT_NE(table.GetEntry(0)->Address, lowest);

    vars->OnSaveCellData(CPOUVarTable::COL_COMMENT, 1, "speed");
    EXPECT_EQ(table.GetEntry(1)->Address, lowest);
    EXPECT_EQ(table.GetEntry(1)->Comment, "speed");
}

// Enter on MAIN's network header line opens an empty line below it without
// an undo step of its own.
TEST_F(MainRoadTest, EnterOnANetworkHeaderTakesNoUndoStep)
{
    CPOUEditorDoc* main = StartWithNewProject();
    ASSERT_NE(main, nullptr);
    auto* program = dynamic_cast<CILProgram*>(main->GetProgram());
    ASSERT_NE(program, nullptr);
    CPOUEditorView* view = main->GetEditorView();
    // Up to the header line, then to its end.
    for (size_t line = 0; line < program->GetLines().size(); ++line)
        QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_End);
    const std::vector<std::string> before = program->GetLines();
    ASSERT_EQ(program->GetILEditor().GetCaretLine(), 0);
    const int snapshots = program->GetUndoCount();

    QTest::keyClick(view, Qt::Key_Return);
    std::vector<std::string> expected = before;
    expected.insert(expected.begin() + 1, std::string());
    EXPECT_EQ(program->GetLines(), expected);
    EXPECT_EQ(program->GetUndoCount(), snapshots);
}

// MAIN's program file gone from the project folder: opening MAIN from the
// tree asks as for any POU, and Yes takes its item out of the tree while the
// project keeps MAIN's record and variable file.
TEST_F(MainRoadTest, MainWithoutItsProgramFileIsHandledAsAnyPOUWithoutOne)
{
    ASSERT_NE(StartWithNewProject(), nullptr);
    CZULAppData& app = App();
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
