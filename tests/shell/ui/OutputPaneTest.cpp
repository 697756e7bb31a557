#include "WorkbenchFixture.h"

#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "platform/FileSystem.h"
#include "pouedit/CILEditor.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "support/FileBytes.h"
#include "platform/CUserInterface.h"
#include "platform/ui/CCmdUI.h"
#include "shell/ui/CChFrmInitData.h"
#include "shell/ui/CChildFrameVar.h"
#include "platform/ui/CCPGridView.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/COutputView.h"
#include "shell/ui/CTableGridView.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/tabs/CTKFlatTabCtrl.h"
#include "support/ModalScript.h"

#include <QTableWidget>
#include <QTest>

#include <algorithm>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_COMPILE_ALL = 32935;

class OutputPaneTest : public WorkbenchFixture {
protected:
    void StartWithOutput()
    {
        Start();
        m_view = m_frame->GetOutputView();
        ASSERT_NE(m_view, nullptr);
    }

    int ViewOutputCheck()
    {
        CCmdUI cmdUI(ID_PANE_OUTPUT);
        cmdUI.DoUpdate(m_frame, FALSE);
        return cmdUI.GetCheck();
    }

    std::vector<std::string> Lines(unsigned list) const
    {
        std::vector<std::string> lines;
        const COutputList* target = m_view->GetList(list);
        for (int row = 0; row < target->GetItemCount(); ++row)
            lines.push_back(target->GetItemText(row, 0));
        return lines;
    }

    COutputView* m_view = nullptr;
};

} // namespace

TEST_F(OutputPaneTest, StartsWithThreeTabsAndCommonInFront)
{
    StartWithOutput();
    CTKFlatTabCtrl* tabs = m_view->GetTabs();
    ASSERT_EQ(tabs->GetItemCount(), 3);
    EXPECT_EQ(tabs->GetCurSel(), 0);
    for (unsigned list = 0; list < OUTPUT_LIST_COUNT; ++list) {
        EXPECT_EQ(m_view->GetList(list)->GetIndex(), list);
        EXPECT_EQ(m_view->GetList(list)->GetBackgroundColor(), RGB(255, 255, 255));
    }
}

// A new project empties the find list without bringing it to the front;
// Compile All brings its own list forward.
TEST_F(OutputPaneTest, ANewProjectKeepsCommonInFrontAndCompileAllShowsItsList)
{
    StartWithOutput();
    AnswerFileDialog(m_folder / "Fresh.qpj");
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1);
    EXPECT_EQ(m_view->GetCurrentList(), OUTPUT_LIST_COMMON);
    EXPECT_TRUE(Lines(OUTPUT_LIST_FINDREPLACE).empty());

    Command(ID_COMPILE_ALL);
    EXPECT_EQ(m_view->GetCurrentList(), OUTPUT_LIST_COMPILE);
}

TEST_F(OutputPaneTest, ALineReopensAClosedPaneAndSelectsItsTab)
{
    StartWithOutput();
    m_frame->ClosePane(ID_PANE_OUTPUT);
    ASSERT_EQ(ViewOutputCheck(), 0);

    EXPECT_FALSE(CUserInterface::Output().AppendOutputLine(3, "lost"));
    EXPECT_TRUE(m_frame->IsPaneClosed(ID_PANE_OUTPUT));

    EXPECT_TRUE(CUserInterface::Output().AppendOutputLine(1, "        POU \"MAIN\" (row 1): [Error 001]x;  y."));
    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_OUTPUT));
    EXPECT_EQ(ViewOutputCheck(), 1);
    EXPECT_EQ(m_view->GetCurrentList(), OUTPUT_LIST_COMPILE);
    EXPECT_EQ(Lines(1), std::vector<std::string>{"        POU \"MAIN\" (row 1): [Error 001]x;  y."});
    EXPECT_TRUE(Lines(0).empty());
}

TEST_F(OutputPaneTest, StatusCodesWriteTimeStampedCommonLines)
{
    StartWithOutput();
    m_app->GetAppData()->DownloadNoteText = "Q7-VB16";
    m_frame->ClosePane(ID_PANE_OUTPUT);
    m_frame->LogStatusMessage(1, 2, 0);
    m_frame->LogStatusMessage(0, 5, 0);
    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_OUTPUT));
    EXPECT_TRUE(Lines(0).empty());

    m_frame->LogStatusMessage(0, 2, 0);
    const std::vector<std::string> lines = Lines(0);
    ASSERT_EQ(lines.size(), 1u);
    const std::string tail = "   Note:  Download completed successfully.  Q7-VB16";
    ASSERT_EQ(lines[0].size(), 8 + tail.size());
    EXPECT_EQ(lines[0].substr(8), tail);
    EXPECT_EQ(lines[0][2], ':');
    EXPECT_EQ(lines[0][5], ':');
}

TEST_F(OutputPaneTest, ClearEmptiesOnlyTheListInFront)
{
    StartWithOutput();
    m_frame->AppendOutputLine(0, "common");
    m_frame->AppendOutputLine(1, "compile");
    m_frame->AppendOutputLine(2, "found");
    ASSERT_EQ(m_view->GetCurrentList(), OUTPUT_LIST_FINDREPLACE);
    m_view->SendMessage(WM_COMMAND, ID_OUTPUT_CLEAR);
    EXPECT_TRUE(Lines(2).empty());
    EXPECT_EQ(Lines(0), std::vector<std::string>{"common"});
    EXPECT_EQ(Lines(1), std::vector<std::string>{"compile"});
}

TEST_F(OutputPaneTest, F1InAListOpensTheOutputTopic)
{
    StartWithOutput();
    m_view->GetList(1)->SendMessage(WM_KEYDOWN, VK_F1);
    const std::vector<RecordedHelp> requests = m_ui.help.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].topic, "Output");
}

TEST_F(OutputPaneTest, AnInitialDataLineOpensTheTableAtItsCell)
{
    StartWithOutput();
    m_frame->AppendOutputLine(1, "        Initial Data, Row  4, Col  2:  Initial value is not assigned.");
    COutputList* list = m_view->GetList(1);
    m_view->OnListDoubleClick(*list, 0);

    auto* frame = dynamic_cast<CChFrmInitData*>(m_frame->GetSlot(SingletonWindow::InitialData).frame.data());
    ASSERT_NE(frame, nullptr);
    auto* view = dynamic_cast<CTableGridView*>(frame->GetView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetGridCtrl().GetCore().GetActiveRow(), 4);
    EXPECT_EQ(view->GetGridCtrl().GetCore().GetActiveCol(), 2);
}

TEST_F(OutputPaneTest, TheCompilersLineOfAnUnassignedInitialValueOpensTheTableAtItsRow)
{
    StartWithOutput();
    m_app->GetAppData()->DefaultPOULang = 1;
    AnswerFileDialog(m_folder / "Tank.qpj");
    Command(ID_NEW_PROJECT);
    ASSERT_EQ(App().ProjectOpen, 1);
    m_frame->OpenInitialDataWindow();
    auto* frame = dynamic_cast<CChFrmInitData*>(m_frame->GetSlot(SingletonWindow::InitialData).frame.data());
    ASSERT_NE(frame, nullptr);
    constexpr int kThirdRow = 2;
    dynamic_cast<CTableGridView*>(frame->GetView())->GetGridCtrl().GetHost().OnSaveCellData(0, kThirdRow, "%VB0");
    frame->SendMessage(WM_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_frame->GetSlot(SingletonWindow::InitialData).frame.isNull(); }, 5000));

    Command(ID_COMPILE_ALL);
    const std::vector<std::string> lines = Lines(OUTPUT_LIST_COMPILE);
    const std::string written = "        Initial Data, Row   3, Col  1:  Initial value is not assigned.";
    const auto line = std::find(lines.begin(), lines.end(), written);
    ASSERT_NE(line, lines.end()) << ::testing::PrintToString(lines);
    COutputList* list = m_view->GetList(OUTPUT_LIST_COMPILE);
    QTableWidget* table = list->Table();
    const int row = static_cast<int>(line - lines.begin());
    table->scrollToItem(table->item(row, 0));
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                       table->visualItemRect(table->item(row, 0)).center());

    frame = dynamic_cast<CChFrmInitData*>(m_frame->GetSlot(SingletonWindow::InitialData).frame.data());
    ASSERT_NE(frame, nullptr);
    auto* view = dynamic_cast<CTableGridView*>(frame->GetView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetGridCtrl().GetCore().GetActiveRow(), 3);
    EXPECT_EQ(view->GetGridCtrl().GetCore().GetActiveCol(), 1);
}

TEST_F(OutputPaneTest, TableWindowsShowAtLeastTheirLeastRows)
{
    StartWithOutput();
    m_frame->OpenInitialDataWindow();
    m_frame->OpenGlobalVariableWindow();
    auto* initial = dynamic_cast<CChFrmInitData*>(m_frame->GetSlot(SingletonWindow::InitialData).frame.data());
    auto* globals = dynamic_cast<CChildFrameVar*>(m_frame->GetSlot(SingletonWindow::GlobalVariables).frame.data());
    ASSERT_NE(initial, nullptr);
    ASSERT_NE(globals, nullptr);

    struct Case {
        const char* what;
        CWnd* view;
        int rows;
    };
    const Case cases[] = {
        {"initial data", initial->GetView(), 6},
        {"global variables", globals->GetSymbolView(), 6},
        {"FB instances", globals->GetFBInstanceView(), 1},
    };
    for (const Case& test : cases) {
        auto* grid = dynamic_cast<CCPGridView*>(test.view);
        ASSERT_NE(grid, nullptr) << test.what;
        EXPECT_EQ(grid->GetGridCtrl().GetGridRowCount(), test.rows) << test.what;
    }
}

TEST_F(OutputPaneTest, ACompilerMessageOpensItsPOUAtTheRow)
{
    StartWithOutput();
    CZULAppData& app = *m_app->GetAppData();
    const std::string folder = m_folder / "tank";
    ASSERT_TRUE(FileSystem::CreateFolder(folder));
    WriteFileText(folder + "/MAIN_Tank.ilp", "(*1*)\r\n(* Network 0 *)\r\nLD %I0.0\r\nST %Q0.0\r\nLD %I0.1\r\n");
    WriteFileText(folder + "/MAIN_Tank.ilv", "VAR\r\nEND_VAR\r\n");
    app.Project.ProjectFolder = folder;
    app.Project.MainNode.name = "Tank";
    app.Project.MainNode.kind = NODE_MAIN;
    app.Project.MainNode.language = 1;

    m_frame->AppendOutputLine(1, "        POU \"Tank\" (row 3): [Error 012]Unknown operand;  X.");
    m_frame->AppendOutputLine(1, "        POU \"Nobody\" (row 3): [Error 012]Unknown operand;  X.");
    m_view->OnListDoubleClick(*m_view->GetList(1), 1);
    EXPECT_EQ(m_app->GetPOUTemplate()->GetDocuments().size(), 0u);

    m_view->OnListDoubleClick(*m_view->GetList(1), 0);
    const std::vector<CDocument*> documents = m_app->GetPOUTemplate()->GetDocuments();
    ASSERT_EQ(documents.size(), 1u);
    auto* document = dynamic_cast<CPOUEditorDoc*>(documents[0]);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->GetPathName(), folder + "/MAIN_Tank.ilp");
    auto* editor = dynamic_cast<CILEditor*>(document->GetEditorView()->GetEditor());
    ASSERT_NE(editor, nullptr);
    // Row 3 counts from 1.
    EXPECT_TRUE(editor->IsGoToMarkerShown());
    EXPECT_EQ(editor->GetGoToLine(), 2);
}

TEST_F(OutputPaneTest, AutoHideMovesThePaneAsideAndTheNextLineBringsItBack)
{
    StartWithOutput();
    m_view->SendMessage(WM_COMMAND, ID_OUTPUT_AUTOHIDE);
    EXPECT_EQ(ViewOutputCheck(), 0);
    EXPECT_FALSE(m_frame->IsPaneClosed(ID_PANE_OUTPUT));
    bool inStrip = false;
    for (const CTKDockingPaneNode* node = m_frame->GetPaneHost().FindPane(ID_PANE_OUTPUT); node != nullptr;
         node = node->GetParentNode())
        inStrip = inStrip || node->GetType() == CTKDockingPaneNode::kAutoHideStrip;
    EXPECT_TRUE(inStrip);
    EXPECT_TRUE(m_frame->AppendOutputLine(0, "back"));
    EXPECT_EQ(ViewOutputCheck(), 1);
    EXPECT_EQ(Lines(0), std::vector<std::string>{"back"});
}
