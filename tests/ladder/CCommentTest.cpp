// The network header: its shown and IL text, its drawing on the recording
// device with its size taken from the drawn text, and its find and replace
// passes with report lines that the output window reads back.

#include "LadderFixture.h"
#include "ladder/CComment.h"
#include "model/CProjTreeDOC.h"
#include "model/LanguageLibrary.h"
#include "model/ProjectModified.h"
#include "platform/CFont.h"
#include "platform/CRecordingDC.h"

#include <gtest/gtest.h>

namespace {

constexpr int COMMENT_FONT_HEIGHT = 20; // the recording device's text cells are 10 x 20 pixels

class CommentTest : public LadderFixture {
protected:
    void SetUp() override
    {
        LadderFixture::SetUp();
        LOGFONT font {};
        font.lfHeight = COMMENT_FONT_HEIGHT;
        CFont::SetFaceName(font, "Comment");
        m_app->Fonts[2] = font;
        m_header.SetNetworkNumber(3);
        m_header.SetLayoutRect(CLDCellRect(1, 4, 0, 6));
    }

    std::vector<std::string> Draw(BOOL highlight = FALSE, BOOL printing = FALSE)
    {
        m_dc.SetPrinting(printing);
        m_dc.ClearCalls();
        m_cells.clear();
        m_size = m_header.LayoutAndDraw(LD_CELL_WIDTH, LD_CELL_HEIGHT, 0, 2, "MAIN", &m_cells, &m_dc, highlight);
        return m_dc.Calls();
    }

    CComment m_header;
    CRecordingDC m_dc;
    CLDPositionMap m_cells;
    CSize m_size;
};

TEST_F(CommentTest, ILTextAndShownText)
{
    const struct {
        const char* text;
        int valid;
        const char* il;
        const char* shown;
    } cases[] = {
        {"", 1, "(* Network 3 *)\r\n", "(* Network 3 *)\r\n"},
        {"Pump", 1, "(* Network 3 *)\r\n(*Pump*)\r\n", "(* Network 3 *)\r\n(* Pump *)"},
        {"Pump\r\nstart", 1, "(* Network 3 *)\r\n(*Pump\x01start*)\r\n", "(* Network 3 *)\r\n(* Pump\r\nstart *)"},
        {"", 0, "(* Network 3 *)\r\n", "(* Network 3 *)\r\n(* Invalid Network *)"},
        {"Pump", 0, "(* Network 3 *)\r\n(*Pump*)\r\n", "(* Network 3 *)\r\n(* Invalid Network *)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_header.SetText(c.text);
        m_header.SetValidFlag(c.valid);
        EXPECT_EQ(m_header.GetILText(), c.il);
        EXPECT_EQ(m_header.GetShownText(), c.shown);
    }
}

TEST_F(CommentTest, DrawsItsLinesInGreenAndTakesTheirSize)
{
    m_header.SetText("  Start the pump  ");
    const std::vector<std::string> expected = {
        "SelectFont(Comment,20,0)",
        "SetTextColor(RGB(0,127,0))",
        "TextOut(100,80,\"(* Network 3 *)\")",
        "TextOut(100,100,\"(* Start the pump *)\")",
        "SetTextColor(RGB(0,0,0))",
        "SelectFont(DejaVu Sans,-12,400)",
        "SetBkColor(RGB(255,255,255))",
    };
    const std::vector<std::string> calls = Draw();
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(m_header.GetText(), "Start the pump");
    // 20 bytes of 10 pixels: 2 cells; two lines of 20 pixels: 1 cell.
    EXPECT_EQ(m_size, CSize(2, 1));
    EXPECT_EQ(m_header.GetPosition(), CLDCellRect(1, 4, 0, 6));
    EXPECT_EQ(m_header.GetSize(FALSE), CSize(2, 1));
}

TEST_F(CommentTest, HeaderOccupiesEveryCellItCovers)
{
    // The longest line is 23 bytes, 230 pixels: 3 cells; three lines of 20 pixels: 2 cells.
    m_header.SetText("Start the pump today\r\nif low");
    Draw();
    EXPECT_EQ(m_size, CSize(3, 2));
    ASSERT_EQ(m_cells.size(), 6u);
    for (int row = 4; row < 6; ++row) {
        for (int column = 1; column < 4; ++column)
            EXPECT_EQ(m_cells[CLDElement::PositionKey(column, row)], &m_header) << column << "," << row;
    }

    // LayoutOnly keeps the size of the last drawing.
    m_cells.clear();
    m_header.SetLayoutRect(CLDCellRect(1, 10, 0, 6));
    EXPECT_EQ(m_header.LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_cells, 0, 0), CSize(3, 2));
    EXPECT_EQ(m_cells.size(), 6u);
    EXPECT_EQ(m_cells.count(CLDElement::PositionKey(3, 11)), 1u);
}

TEST_F(CommentTest, InvalidHeaderIsRedAlsoWhenHighlighted)
{
    m_header.SetValidFlag(0);
    for (const BOOL highlight : {FALSE, TRUE}) {
        const std::vector<std::string> calls = Draw(highlight);
        ASSERT_GE(calls.size(), 4u);
        EXPECT_EQ(calls[1], "SetTextColor(RGB(250,0,0))");
        EXPECT_EQ(calls[2], "TextOut(100,80,\"(* Network 3 *)\")");
        EXPECT_EQ(calls[3], "TextOut(100,100,\"(* Invalid Network *)\")");
    }
}

TEST_F(CommentTest, HighlightedAndPrintedColours)
{
    m_header.SetText("Pump");
    std::vector<std::string> calls = Draw(TRUE);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls[1], "SetTextColor(RGB(250,250,250))");
    EXPECT_EQ(calls[2], "SetBkColor(RGB(0,0,0))");
    EXPECT_EQ(calls.back(), "SetBkColor(RGB(255,255,255))");

    calls = Draw(FALSE, TRUE);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "SelectFont(Comment,21,0)");
    EXPECT_EQ(calls[1], "SetTextColor(RGB(0,0,0))");
}

TEST_F(CommentTest, FoundMarkIsABlueFrameOnScreenOnly)
{
    m_header.SetText("Pump");
    m_app->Find.CurrentFileSearch = 1;
    m_app->Find.CurrentPOUName = "MAIN";
    ASSERT_EQ(m_header.Find("pump", LD_FIND_MARK), 1);
    ASSERT_EQ(m_header.GetFoundMark(), 1);

    const std::vector<std::string> screen = Draw();
    const std::vector<std::string> frame = {
        "SelectPen(0,2,RGB(0,0,255))",
        "SelectBrush(null)",
        "Rectangle(95,78,230,95)",
    };
    ASSERT_GE(screen.size(), 3u);
    EXPECT_NE(std::search(screen.begin(), screen.end(), frame.begin(), frame.end()), screen.end());
    const std::vector<std::string> printed = Draw(FALSE, TRUE);
    EXPECT_EQ(std::find(printed.begin(), printed.end(), "Rectangle(95,78,230,95)"), printed.end());
}

} // namespace

namespace {

class CommentFindTest : public CommentTest {
protected:
    void SetUp() override
    {
        CommentTest::SetUp();
        m_app->Find.CurrentFileSearch = 1;
        m_app->Find.CurrentPOUName = "MAIN";
        m_header.SetText("Start Pump");
        Draw();
        AttachProjectDocument(&m_document);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        CommentTest::TearDown();
    }

    std::vector<std::string> Report() const { return m_ui.output.Lines(2); }

    CProjTreeDOC m_document;
};

TEST_F(CommentFindTest, ReportLineNamesTheHeaderAndIsReadBack)
{
    EXPECT_EQ(m_header.Find("pump", LD_FIND_REPORT), 1);
    const std::string line = "    1. LD program \"MAIN\": (Network:3), Comment \"(* Network 3 *)\", "
                             "Position(1,4), Size(2,1).";
    ASSERT_EQ(Report(), std::vector<std::string> {line});
    EXPECT_EQ(m_app->Find.ResultCount, 1);
    EXPECT_EQ(m_header.GetFoundMark(), 1); // the first hit of a current-file search is marked
    EXPECT_EQ(m_app->Find.MarkCounter, 1);

    const CFindResult& record = m_app->Find.Results[1];
    EXPECT_EQ(CLDElement::FromFindResult(record), &m_header);
    EXPECT_EQ(record.Action, LD_FIND_ACTION_FOUND);
    EXPECT_EQ(record.Language, 2);
    EXPECT_EQ(record.POUName, "MAIN");
    EXPECT_EQ(record.Network, 3);
    EXPECT_EQ(record.ElementKind, LD_KIND_COMMENT);
    EXPECT_EQ(record.ElementText, std::string(1, '\x03'));
    EXPECT_EQ(record.LineText, "");
    EXPECT_EQ(record.RowOrColumn, 1);
    EXPECT_EQ(record.ColumnOrRow, 4);
    EXPECT_EQ(record.LengthOrWidth, 2);
    EXPECT_EQ(record.Length2OrHeight, 1);

    int kind = 0;
    std::string pou;
    int network = 0;
    int row = 0;
    int column = 0;
    int item = 0;
    FindReportElement element;
    ASSERT_TRUE(ParseFindReportLine(line, kind, pou, network, row, column, item, element));
    EXPECT_EQ(kind, FIND_REPORT_LD);
    EXPECT_EQ(pou, "MAIN");
    EXPECT_EQ(network, 3);
    EXPECT_EQ(item, 1);
    EXPECT_EQ(element.kind, LD_KIND_COMMENT);
    EXPECT_EQ(element.column, 1);
    EXPECT_EQ(element.row, 4);

    // A second hit is numbered on and, without the marks flag, not marked.
    EXPECT_EQ(m_header.Find("START", LD_FIND_REPORT), 1);
    EXPECT_EQ(m_app->Find.ResultCount, 2);
    EXPECT_EQ(m_header.GetFoundMark(), 0);
}

TEST_F(CommentFindTest, OptionsDecideWhatMatches)
{
    const struct {
        const char* text;
        int matchCase;
        int wholeWord;
        int ignoreMask;
        int hits;
    } cases[] = {
        {"pump", 0, 0, 0, 1},
        {"pump", 1, 0, 0, 0},
        {"Pump", 1, 0, 0, 1},
        {"pump", 0, 1, 0, 0},
        {"start pump", 0, 1, 0, 1},
        {"Start Pump", 1, 1, 0, 1},
        {"pump", 0, 0, 1, 0},
        {"pump", 0, 0, 2, 1},
        {"valve", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_app->Find.MatchCase = c.matchCase;
        m_app->Find.WholeWord = c.wholeWord;
        m_app->Find.LdIgnoreMask = c.ignoreMask;
        m_app->Find.ResultCount = 0;
        m_ui.output.Clear();
        EXPECT_EQ(m_header.Find(c.text, LD_FIND_REPORT), c.hits);
        EXPECT_EQ(Report().size(), size_t(c.hits));
    }
}

TEST_F(CommentFindTest, MarkAndClearModesWriteNothing)
{
    EXPECT_EQ(m_header.Find("pump", LD_FIND_MARK), 1);
    EXPECT_EQ(m_header.GetFoundMark(), 1);
    EXPECT_EQ(m_app->Find.MarkCounter, 1);
    EXPECT_EQ(m_app->Find.ResultCount, 0);
    EXPECT_EQ(m_header.Find("pump", LD_FIND_CLEAR), 0);
    EXPECT_EQ(m_header.GetFoundMark(), 0);
    EXPECT_TRUE(Report().empty());
}

TEST_F(CommentFindTest, ReplaceAllChangesTheTextReportsAndMarksTheProject)
{
    EXPECT_EQ(m_header.ReplaceAll("pump", "valve"), 1);
    EXPECT_EQ(m_header.GetText(), "Start valve");
    const std::string line = "    1. LD program \"MAIN\": (Network:3), Comment \"(* Network 3 *)\", "
                             "Position(1,4), Size(2,1).\r \"pump\" is replace as \"valve\".";
    ASSERT_EQ(Report(), std::vector<std::string> {line});
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(m_header.GetFoundMark(), 0);
    const CFindResult& record = m_app->Find.Results[1];
    EXPECT_EQ(record.Action, LD_FIND_ACTION_REPLACED);
    EXPECT_EQ(record.LineText, "START PUMP");

    int kind = 0;
    std::string pou;
    int network = 0;
    int row = 0;
    int column = 0;
    int item = 0;
    FindReportElement element;
    EXPECT_TRUE(ParseFindReportLine(line, kind, pou, network, row, column, item, element));
    EXPECT_EQ(element.kind, LD_KIND_COMMENT);
}

TEST_F(CommentFindTest, ReplaceOneChangesOnlyTheFirstHitAndReportsNothing)
{
    CComment second;
    second.SetNetworkNumber(4);
    second.SetText("Stop pump");
    EXPECT_EQ(m_header.ReplaceOne("PUMP", "valve"), 1);
    EXPECT_EQ(second.ReplaceOne("PUMP", "valve"), 1);

    EXPECT_EQ(m_header.GetText(), "Start valve");
    EXPECT_EQ(m_header.GetFoundMark(), 1);
    EXPECT_EQ(second.GetText(), "Stop pump");
    EXPECT_EQ(second.GetFoundMark(), 0);
    EXPECT_EQ(m_app->Find.ResultCount, 2);
    EXPECT_EQ(m_app->Find.Results[1].LineText, "START PUMP");
    EXPECT_EQ(CLDElement::FromFindResult(m_app->Find.Results[2]), &second);
    EXPECT_TRUE(Report().empty());
    EXPECT_FALSE(m_document.IsModified());
}

TEST_F(CommentFindTest, HitsBeyondTheResultTableAreReportedButNotRecorded)
{
    m_app->Find.ResultCount = FIND_TABLE_SIZE - 1;
    EXPECT_EQ(m_header.Find("pump", LD_FIND_REPORT), 1);
    EXPECT_EQ(m_app->Find.ResultCount, FIND_TABLE_SIZE);
    EXPECT_EQ(Report().size(), 1u);
    EXPECT_EQ(m_header.ReplaceAll("pump", "valve"), 1);
    EXPECT_EQ(m_header.GetText(), "Start valve");
}

} // namespace
