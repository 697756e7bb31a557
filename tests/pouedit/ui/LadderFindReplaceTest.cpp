// Find, Replace and force in an LD POU window offscreen, through the real
// Find/Replace dialog: the report lines read back to their hits, stepping
// with the found marks and the restart question, Replace of one hit and
// Replace all with their undo snapshots, a hit whose element was deleted,
// Compile All with an operand still being typed, and the Force dialog of a
// block pin.

#include "LadderWindowFixture.h"
#include "ladder/NetworkElements.h"

#include "ladder/CBlock.h"
#include "ladder/CComment.h"
#include "ladder/CContact.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "model/CZULSymbol.h"
#include "model/LanguageLibrary.h"
#include "plclink/CProjectCompiler.h"
#include "plclink/ICompileAllHost.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TextLines.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

// Hits of "pump": the comment of network 0 (1), the contact of network 0
// (2) and the contact of network 2 (3); the block of network 1 has word pins.
const char* const SOURCE = "(* Network 0 *)\n(*start pump*)\nLD %I0.1\nST %Q0.0\n"
                           "(* Network 1 *)\nLD %I0.2\nMOVE %VW0, %VW2\nST %Q0.1\n"
                           "(* Network 2 *)\nLD %I0.1\nST %Q0.2";

// "Finished searching for the string "pump"! Search again from the start?"
const std::string RESTART_PUMP = "\xD2\xD1\xCD\xEA\xB3\xC9\xB6\xD4\xD7\xD6\xB7\xFB\xB4\xAE\xA1\xB0pump\xA1\xB1"
                                 "\xB5\xC4\xB2\xE9\xD5\xD2\xA3\xA1\xCA\xC7\xB7\xF1\xB4\xD3\xCD\xB7\xBF\xAA\xCA\xBC"
                                 "\xD6\xD8\xD0\xC2\xB2\xE9\xD5\xD2\xA3\xBF";
// "Finished replacing the string "pump"!"
const std::string REPLACED_PUMP = "\xD2\xD1\xCD\xEA\xB3\xC9\xB6\xD4\xD7\xD6\xB7\xFB\xB4\xAE\xA1\xB0pump\xA1\xB1"
                                  "\xB5\xC4\xCC\xE6\xBB\xBB\xA3\xA1";
// "The element at this place no longer exists; search again."
const std::string ELEMENT_GONE = "\xB5\xB1\xC7\xB0\xCE\xBB\xD6\xC3\xB6\xD4\xD3\xA6\xB5\xC4\xD4\xAA\xBC\xFE\xB2\xBB"
                                 "\xB4\xE6\xD4\xDA\xA3\xAC\xC7\xEB\xD6\xD8\xD0\xC2\xB2\xE9\xD5\xD2";

} // namespace

class LadderFindReplaceTest : public LadderWindowFixture {
protected:
    void SetUp() override
    {
        LadderWindowFixture::SetUp();
        // Operands show as symbols: the contacts of %I0.1 read "PumpRun".
        auto* symbol = new CZULSymbol;
        symbol->name = "PumpRun";
        symbol->address = "%I0.1";
        symbol->dataType = "BOOL";
        symbol->typeFlags = OT_BOOL;
        m_app->Project.AddSymbol(symbol);
        m_app->SymbolicAddressing = 1;
    }

    BOOL OpenLadder(const std::string& path)
    {
        if (!OpenLadderWindow(path, SplitLines(SOURCE)))
            return FALSE;
        m_workbench.activeDocument = m_doc.get();
        m_workbench.openDocuments = {m_doc.get()};
        return ShowFrameActive();
    }
    BOOL OpenLadder() { return OpenLadder(m_folder / "MAIN_Pump.ilp"); }

    // The dialog as Edit > Replace opens it over the POU.
    void OpenDialog(const std::string& find, const std::string& replace = std::string())
    {
        ASSERT_TRUE(RunCommand(ID_EDIT_REPLACE));
        ASSERT_NE(m_workbench.findDialog, nullptr);
        Control<QComboBox>("1333")->setEditText(QString::fromStdString(find));
        Control<QLineEdit>("1026")->setText(QString::fromStdString(replace));
        Control<QRadioButton>("1320")->click();
    }
    template <class Widget> Widget* Control(const char* id) { return m_workbench.findDialog->findChild<Widget*>(id); }
    void Click(const char* id) { Control<QPushButton>(id)->click(); }

    CLDElement* Element(int kind, int network) const { return FirstElementOfKind(*Ladder(), kind, network); }
    CComment* Header(int network) const { return static_cast<CComment*>(Ladder()->GetItems()[size_t(2 * network)].get()); }
    CContact* Contact(int network) const { return static_cast<CContact*>(Element(LD_KIND_CONTACT, network)); }
    // The found marks of the three hits of "pump", in result order.
    std::vector<int> Marks() const
    {
        return {Header(0)->GetFoundMark(), Contact(0)->GetOperandFoundMark(), Contact(2)->GetOperandFoundMark()};
    }
    int ScrolledRow() const { return m_view->GetScrollPosition(POU_SCROLL_VERT, FALSE) / LD_CELL_HEIGHT; }
    // The view scrolls the element's row to the second row of the client area.
    int RowShownFor(const CLDElement* element) const { return std::max(element->GetPosition().row - 1, 0); }
    // The found marks' blue in the view as it is drawn now.
    int BluePixels()
    {
        const QImage image = m_view->grab().toImage();
        image.save(QString::fromStdString(m_folder / "find-mark.png"));
        int blue = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                blue += image.pixelColor(x, y) == QColor(0, 0, 255) ? 1 : 0;
        return blue;
    }
    Lines ReportLines() const
    {
        Lines lines;
        for (const std::string& line : m_ui.output.Lines(FIND_OUTPUT_LIST)) {
            if (line.rfind("    ", 0) == 0)
                lines.push_back(line);
        }
        return lines;
    }

    CScopedUi m_ui;
};

TEST_F(LadderFindReplaceTest, FindNextStepsThroughTheHitsAndAsksToStartAgain)
{
    ASSERT_TRUE(OpenLadder());
    OpenDialog("pump");
    Click("1022");
    ASSERT_EQ(ReportLines().size(), 3u);
    EXPECT_EQ(m_ui.output.Lines(FIND_OUTPUT_LIST).back(), "$$$ 3 occurrence(s) have been found.");
    EXPECT_EQ(Marks(), (std::vector<int> {1, 0, 0}));
    EXPECT_GT(BluePixels(), 0);

    Click("1022");
    EXPECT_EQ(Marks(), (std::vector<int> {0, 1, 0}));
    EXPECT_EQ(ScrolledRow(), RowShownFor(Contact(0)));
    Click("1022");
    EXPECT_EQ(Marks(), (std::vector<int> {0, 0, 1}));
    EXPECT_EQ(ScrolledRow(), RowShownFor(Contact(2)));
    EXPECT_TRUE(m_ui.box.Texts().empty());

    // Past the last hit: Yes starts again from the first one without a new search.
    m_ui.box.Answer(IDYES);
    Click("1022");
    EXPECT_EQ(m_ui.box.Texts(), Lines({RESTART_PUMP}));
    EXPECT_EQ(Marks(), (std::vector<int> {0, 0, 0}));
    Click("1022");
    EXPECT_EQ(Marks(), (std::vector<int> {1, 0, 0}));
    EXPECT_EQ(ReportLines().size(), 3u);

    // No: the next Find next starts a new search.
    Click("1022");
    Click("1022");
    m_ui.box.Clear();
    m_ui.box.Answer(IDNO);
    Click("1022");
    EXPECT_EQ(m_ui.box.Texts(), Lines({RESTART_PUMP}));
    m_ui.output.Clear();
    Click("1022");
    EXPECT_EQ(m_ui.output.Lines(FIND_OUTPUT_LIST).front(), "$$$ Begin to find \"pump\" in the current file.");
    EXPECT_EQ(ReportLines().size(), 3u);
    EXPECT_EQ(Marks(), (std::vector<int> {1, 0, 0}));
    EXPECT_EQ(m_ui.box.Texts(), Lines({RESTART_PUMP}));
}

TEST_F(LadderFindReplaceTest, ReportLinesLeadBackToTheirHits)
{
    ASSERT_TRUE(OpenLadder());
    struct Case {
        const char* find;
        std::vector<std::function<int()>> marks; // per report line, the mark it must set
    };
    const Case cases[] = {
        {"pump",
         {[&] { return Header(0)->GetFoundMark(); }, [&] { return Contact(0)->GetOperandFoundMark(); },
          [&] { return Contact(2)->GetOperandFoundMark(); }}},
        {"%vw",
         {[&] { return static_cast<CBlock*>(Element(LD_KIND_BLOCK, 1))->GetLabelFound(1); },
          [&] {
              auto* block = static_cast<CBlock*>(Element(LD_KIND_BLOCK, 1));
              return block->GetLabelFound(block->OutputLabel(1));
          }}},
    };
    OpenDialog("");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.find);
        m_ui.output.Clear();
        Control<QComboBox>("1333")->setEditText(c.find);
        Click("1022");
        const Lines lines = ReportLines();
        ASSERT_EQ(lines.size(), c.marks.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            SCOPED_TRACE(lines[i]);
            int kind = 0, network = 0, row = 0, column = 0, item = 0;
            std::string pou;
            FindReportElement element;
            ASSERT_TRUE(ParseFindReportLine(lines[i], kind, pou, network, row, column, item, element));
            EXPECT_EQ(kind, FIND_REPORT_LD);
            EXPECT_EQ(pou, "Pump");
            EXPECT_EQ(item, int(i) + 1);
            // As the output window's double-click does it.
            ASSERT_TRUE(m_doc->GoToFindResult(item, network, element.column));
            EXPECT_EQ(c.marks[i](), 1);
            EXPECT_EQ(ScrolledRow(), std::max(element.row - 1, 0));
            for (size_t other = 0; other < i; ++other)
                EXPECT_EQ(c.marks[other](), 0) << other;
        }
    }
}

TEST_F(LadderFindReplaceTest, ReplaceChangesOneHitAtATimeAndReplaceAllEveryHit)
{
    ASSERT_TRUE(OpenLadder());
    const int undo = Ladder()->GetUndoCount();
    OpenDialog("pump", "Valve");
    // The first Replace collects the hits and replaces the first; the rest of each text keeps its case.
    Click("2013");
    EXPECT_EQ(Header(0)->GetText(), "start Valve");
    EXPECT_EQ(Contact(0)->GetOperand(), "PumpRun");
    EXPECT_TRUE(m_doc->IsModified());
    Click("2013");
    EXPECT_EQ(Contact(0)->GetOperand(), "ValveRun");
    EXPECT_EQ(Contact(2)->GetOperand(), "PumpRun");
    EXPECT_EQ(Marks(), (std::vector<int> {0, 1, 0}));
    Click("2013");
    EXPECT_EQ(Contact(2)->GetOperand(), "ValveRun");
    EXPECT_EQ(Ladder()->GetUndoCount(), undo + 3);
    EXPECT_TRUE(m_ui.box.Texts().empty());
    Click("2013");
    EXPECT_EQ(m_ui.box.Texts(), Lines({REPLACED_PUMP}));
    EXPECT_EQ(Ladder()->GetUndoCount(), undo + 3);

    // One undo step takes back the last replacement only.
    ASSERT_TRUE(RunCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Contact(2)->GetOperand(), "PumpRun");
    EXPECT_EQ(Contact(0)->GetOperand(), "ValveRun");

    m_doc->SetModifiedFlag(FALSE);
    m_ui.output.Clear();
    Control<QComboBox>("1333")->setEditText("valverun");
    Control<QLineEdit>("1026")->setText("Motor");
    Click("2014");
    EXPECT_EQ(Contact(0)->GetOperand(), "Motor");
    EXPECT_EQ(Ladder()->GetUndoCount(), undo + 3);
    EXPECT_EQ(m_ui.output.Lines(FIND_OUTPUT_LIST).back(), "$$$ 1 occurrence(s) have been replaced.");
    ASSERT_TRUE(RunCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Contact(0)->GetOperand(), "ValveRun");
}

TEST_F(LadderFindReplaceTest, ReplaceAfterFindNextChangesTheBlockPinFound)
{
    ASSERT_TRUE(OpenLadder());
    OpenDialog("%vw2", "%VW8");
    Click("1022");
    auto* block = static_cast<CBlock*>(Element(LD_KIND_BLOCK, 1));
    ASSERT_EQ(block->GetLabelFound(block->OutputLabel(1)), 1);
    Click("2013");
    EXPECT_EQ(block->GetOutputOperand(1), "%VW8");
    EXPECT_EQ(block->GetInputOperand(1), "%VW0");
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(LadderFindReplaceTest, AllOpenFilesReportsTheLadderHits)
{
    ASSERT_TRUE(OpenLadder());
    OpenDialog("pump");
    Control<QRadioButton>("1318")->click();
    Click("1022");
    EXPECT_EQ(ReportLines().size(), 3u);
    EXPECT_EQ(m_ui.output.Lines(FIND_OUTPUT_LIST).back(), "$$$ 3 occurrence(s) have been found.");
}

TEST_F(LadderFindReplaceTest, ReplaceOnACommentHitKeepsTheRestOfTheComment)
{
    ASSERT_TRUE(OpenLadder());
    OpenDialog("PUMP", "valve");
    Click("1022");
    ASSERT_EQ(Marks(), (std::vector<int> {1, 0, 0}));
    const int undo = Ladder()->GetUndoCount();
    Click("2013");
    EXPECT_EQ(Header(0)->GetText(), "start valve");
    EXPECT_EQ(Header(0)->GetFoundMark(), 1);
    EXPECT_EQ(Ladder()->GetUndoCount(), undo + 1);
    EXPECT_TRUE(m_doc->IsModified());
    // The next Replace moves on and takes the comment's mark away.
    Click("2013");
    EXPECT_EQ(Marks(), (std::vector<int> {0, 1, 0}));
    EXPECT_EQ(Contact(0)->GetOperand(), "valveRun");

    // The hit that was recorded is replaced, not an earlier occurrence written since.
    Control<QComboBox>("1333")->setEditText("valve");
    Control<QLineEdit>("1026")->setText("pump");
    Click("1022");
    ASSERT_EQ(Header(0)->GetFoundMark(), 1);
    Header(0)->SetText("valve valve");
    Click("2013");
    EXPECT_EQ(Header(0)->GetText(), "valve pump");
}

TEST_F(LadderFindReplaceTest, AHitWhoseElementWasDeletedEndsTheSearchSafely)
{
    ASSERT_TRUE(OpenLadder());
    OpenDialog("pump");
    Click("1022");
    ASSERT_EQ(ReportLines().size(), 3u);
    // Undo puts back the networks as they were before the search: new elements.
    ASSERT_TRUE(RunCommand(ID_EDIT_UNDO));
    Click("1022");
    EXPECT_EQ(m_ui.box.Texts(), Lines({ELEMENT_GONE}));
    EXPECT_TRUE(m_ui.output.Lines(FIND_OUTPUT_LIST).empty());
    EXPECT_EQ(m_app->Find.ResultCount, 0);
    EXPECT_TRUE(m_app->Find.Results[1].POUName.empty());
    EXPECT_EQ(m_doc->GoToFindResult(2, 0, 1), FALSE);

    // The next Find next searches the networks as they are now.
    Click("1022");
    EXPECT_EQ(ReportLines().size(), 3u);
    EXPECT_EQ(Marks(), (std::vector<int> {1, 0, 0}));
}

namespace {

// Compile All as the main window drives it: the active POU view ends its
// pending edit, then every POU is saved.
class CWindowCompileHost : public ICompileAllHost {
public:
    CWindowCompileHost(CPOUEditorDoc& doc, std::string path) : m_doc(doc), m_path(std::move(path)) {}
    void EndPendingEdit() override
    {
        if (CPOUEditorView* view = m_doc.GetEditorView())
            view->EndPendingEdit();
    }
    void ShowOutputPane() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    BOOL SaveAllProjectFiles() override { return m_doc.OnSaveDocument(m_path); }
    void ScrollCompileListToEnd() override {}
    void RefreshCrossReference(int, int) override {}

private:
    CPOUEditorDoc& m_doc;
    std::string m_path;
};

} // namespace

TEST_F(LadderFindReplaceTest, CompileAllCompilesTheOperandBeingTyped)
{
    m_app->SymbolicAddressing = 0;
    std::string path;
    ASSERT_TRUE(CreateLadderMainProject(&path));
    CZULProject& project = m_app->Project;
    WriteFileText(project.ProjectFolder + "/MAIN_MAIN.ilv", "VAR\r\nEND_VAR\r\n");
    ASSERT_TRUE(OpenLadder(path));

    CContact* contact = Contact(2);
    ASSERT_NE(contact, nullptr);
    const CLDCellRect cell = contact->GetPosition();
    QTest::mouseClick(m_view, Qt::LeftButton, {},
                      QPoint(cell.column * LD_CELL_WIDTH + LD_CELL_WIDTH / 2, cell.row * LD_CELL_HEIGHT + 3) -
                          QPoint(0, m_view->GetScrollPosition(POU_SCROLL_VERT, FALSE)));
    WaitFor([&] { return Editor().IsEditingOperand() != FALSE; });
    ASSERT_TRUE(Editor().IsEditingOperand());
    QTest::keyClicks(m_view, "%i3.5");
    WaitFor([&] { return Editor().GetOperandEditor().GetText() == "%i3.5"; });

    CWindowCompileHost host(*m_doc, path);
    CProjectCompiler compiler(*m_app, host);
    EXPECT_TRUE(compiler.CompileAll()) << ::testing::PrintToString(m_ui.output.Lines(1));
    EXPECT_FALSE(Editor().IsEditingOperand());
    EXPECT_EQ(Contact(2)->GetOperand(), "%I3.5");
    EXPECT_NE(ReadFileText(path).find("%I3.5"), std::string::npos);
    // The compiler met the typed operand: its byte is monitored.
    EXPECT_EQ(project.Monitor.MonitorTable.count("%IB3"), 1u);
}

TEST_F(LadderFindReplaceTest, ForceDialogOpensForAWordPinPickedByARightPress)
{
    ASSERT_TRUE(OpenLadder());
    auto* block = static_cast<CBlock*>(Element(LD_KIND_BLOCK, 1));
    ASSERT_NE(block, nullptr);
    const QPoint scroll(0, m_view->GetScrollPosition(POU_SCROLL_VERT, FALSE));
    const CLDCellRect cell = block->GetPosition();
    QTest::mouseClick(m_view, Qt::LeftButton, {},
                      QPoint(cell.column * LD_CELL_WIDTH + 40, cell.row * LD_CELL_HEIGHT + 30) - scroll);
    WaitFor([&] { return Ladder()->GetSelection() == block; });
    ASSERT_EQ(Ladder()->GetSelection(), block);

    m_app->Monitoring = 1;
    const CPoint anchor = block->GetLabelAnchor(block->OutputLabel(1));
    QTest::mouseClick(m_view, Qt::RightButton, {}, QPoint(anchor.x + 5, anchor.y + 5) - scroll);
    WaitFor([&] { return !m_workbench.calls.empty() && m_workbench.calls.back().rfind("ShowContextMenu:126", 0) == 0; });
    EXPECT_EQ(Editor().GetForceOperand(), "%VW2");
    EXPECT_FALSE(IsEnabled(ID_FORCE_TRUE));
    EXPECT_TRUE(IsEnabled(ID_FORCE));

    std::string shownAddress;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shownAddress = dialog->findChild<QLabel*>("1214")->text().toStdString();
        dialog->reject();
    });
    ASSERT_TRUE(RunCommand(ID_FORCE));
    EXPECT_EQ(shownAddress, "%VW2");
}
