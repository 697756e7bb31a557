#include "ILProgramFixture.h"

#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace {
constexpr int MODE_REPORT = 0;
constexpr int MODE_UNMARK = 1;
constexpr int MODE_MARK = 2;
const char* const HEADER = "(* Network 0 *)";
const std::string VANISHED = "\xB5\xB1\xC7\xB0\xCE\xBB\xD6\xC3\xB6\xD4\xD3\xA6\xB5\xC4\xD7\xD6\xB7\xFB\xB4\xAE"
                             "\xB2\xBB\xB4\xE6\xD4\xDA\xA3\xAC\xC7\xEB\xD6\xD8\xD0\xC2\xB2\xE9\xD5\xD2!";
} // namespace

class CILEditorFindTest : public ILProgramFixture {
protected:
    void SetUp() override
    {
        ILProgramFixture::SetUp();
        m_app->Find.CurrentPOUName = "MAIN";
        m_app->Find.ResetResultTable();
        m_app->Find.ResetMarkTable();
    }
    FakeFindReplaceDialog& Dialog() { return m_host.findDialog; }
    std::vector<std::string> Report() const { return m_ui.output.Lines(FIND_OUTPUT_LIST); }

    CScopedUi m_ui;
};

TEST_F(CILEditorFindTest, ForwardSearchHonoursCaseWordsAndStart)
{
    struct Case {
        const char* line;
        const char* text;
        int start;
        BOOL matchCase;
        BOOL wholeWord;
        int expected;
    };
    const Case cases[] = {
        {"LD      %I0.0", "i0.0", 0, FALSE, FALSE, 9},
        {"LD      %I0.0", "i0.0", 0, TRUE, FALSE, -1},
        {"LD      %I0.0", "LD", 1, FALSE, FALSE, -1},
        {"CAL     SBR(count)", "count", 0, FALSE, TRUE, 12},   // brackets bound a word here
        {"LD      counter, count", "count", 0, FALSE, TRUE, 17}, // the part of a longer word is passed over
        {"LDN     X1", "X", 0, FALSE, TRUE, -1},
        {"AND     A,A", "A", 0, FALSE, TRUE, 8},
        {"AND     A,A", "A", 9, FALSE, TRUE, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " / " + c.text);
        EXPECT_EQ(CILEditor::FindInLine(c.line, c.text, c.start, c.matchCase, c.wholeWord), c.expected);
    }
}

TEST_F(CILEditorFindTest, BackwardSearchGivesTheEndOfTheLastHitBeforeTheSkippedBytes)
{
    struct Case {
        const char* line;
        const char* text;
        int skip;
        BOOL matchCase;
        BOOL wholeWord;
        int expected;
    };
    const Case cases[] = {
        {"ST  Q, Q", "q", 0, FALSE, FALSE, 8},
        {"ST  Q, Q", "q", 1, FALSE, FALSE, 5},
        {"ST  Q, Q", "q", 0, TRUE, FALSE, -1},
        {"ST  Q, QQ", "Q", 0, FALSE, TRUE, 5},
        {"ST  Q", "Q", 5, FALSE, FALSE, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " / " + c.text + " skip " + std::to_string(c.skip));
        EXPECT_EQ(CILEditor::FindInLineBackward(c.line, c.text, c.skip, c.matchCase, c.wholeWord), c.expected);
    }
}

TEST_F(CILEditorFindTest, ScanAndCollectDifferInSeparatorsAndRecordedCase)
{
    const std::string line = "CAL     SBR(val), val";
    EXPECT_EQ(Editor().CollectInLine(line, "VAL", 3, 0, FALSE, TRUE), 12);
    EXPECT_EQ(Editor().ScanLine(line, "VAL", 4, MODE_REPORT, FALSE, TRUE), 1);
    EXPECT_EQ(m_app->Find.ResultCount, 3);
    EXPECT_EQ(Report(), (std::vector<std::string> {
                            "    1. IL program \"MAIN\": Row 4, \"CAL     SBR(val), val\", Byte 3 from Col.13.",
                            "    2. IL program \"MAIN\": Row 4, \"CAL     SBR(val), val\", Byte 3 from Col.19.",
                            "    3. IL program \"MAIN\": Row 5, \"CAL     SBR(VAL), VAL\", Byte 3 from Col.19.",
                        }));
    const CFindResult& first = m_app->Find.Results[1];
    EXPECT_EQ(first.Action, 1);
    EXPECT_EQ(first.Language, 1);
    EXPECT_EQ(first.POUName, "MAIN");
    EXPECT_EQ(first.Network, -1);
    EXPECT_EQ(first.ElementKind, 255);
    EXPECT_EQ(first.ParamIndex, -1);
    EXPECT_EQ(first.LineText, line);
    EXPECT_EQ(first.RowOrColumn, 3);
    EXPECT_EQ(first.ColumnOrRow, 12);
    EXPECT_EQ(first.LengthOrWidth, 3);
    EXPECT_EQ(m_app->Find.Results[3].LineText, "CAL     SBR(VAL), VAL");
    EXPECT_EQ(line, "CAL     SBR(val), val");
}

TEST_F(CILEditorFindTest, CollectingBackwardRecordsTheNearestHitFirst)
{
    EXPECT_EQ(Editor().CollectInLineBackward("LD  A, A, A", "A", 0, 3, FALSE, FALSE), 7);
    EXPECT_EQ(m_app->Find.Results[1].ColumnOrRow, 7);
    EXPECT_EQ(m_app->Find.Results[2].ColumnOrRow, 4);
    EXPECT_EQ(m_app->Find.ResultCount, 2);
}

TEST_F(CILEditorFindTest, FilledRecordsStayAndHitsBeyondTheTableAreOnlyReported)
{
    m_app->Find.Results[1].POUName = "OTHER";
    m_app->Find.ResultCount = 0;
    Editor().ScanLine("LD  X", "X", 0, MODE_REPORT, TRUE, FALSE);
    EXPECT_EQ(m_app->Find.Results[1].POUName, "OTHER");

    m_app->Find.ResultCount = FIND_TABLE_SIZE - 1;
    Editor().ScanLine("LD  X", "X", 0, MODE_REPORT, TRUE, FALSE);
    EXPECT_EQ(m_app->Find.ResultCount, FIND_TABLE_SIZE);
    EXPECT_EQ(Report().back(), "    10000. IL program \"MAIN\": Row 1, \"LD  X\", Byte 1 from Col.5.");
}

TEST_F(CILEditorFindTest, ReplaceInLineReportsEveryReplacementAgainstTheLineAsItWas)
{
    std::string line = "LD  a A AB";
    EXPECT_EQ(Editor().ReplaceInLine(line, "BB", "a", 2, FALSE, TRUE), 2);
    EXPECT_EQ(line, "LD  BB BB AB");
    EXPECT_EQ(Report(), (std::vector<std::string> {
                            "    1. IL program \"MAIN\": Row 3, \"LD  a A AB\", Byte 1 from Col.5. \r\"a\" is replaced as \"BB\".",
                            "    2. IL program \"MAIN\": Row 3, \"LD  a A AB\", Byte 1 from Col.8. \r\"a\" is replaced as \"BB\".",
                        }));
    const CFindResult& second = m_app->Find.Results[2];
    EXPECT_EQ(second.Action, 2);
    EXPECT_EQ(second.LineText, "LD  BB BB AB");
    EXPECT_EQ(second.LengthOrWidth, 2);
    EXPECT_EQ(second.Length2OrHeight, 1);

    struct Case {
        const char* line;
        const char* replace;
        const char* find;
        int count;
        const char* after;
    };
    const Case cases[] = {
        {"LD  X", "X", "X", 0, "LD  X"},
        {"", "Y", "X", 0, ""},
        {"LD  X", "Y", "", 0, "LD  X"},
        {"LD  XX", "XXX", "X", 2, "LD  XXXXXX"}, // goes on behind the inserted text
        {"LD  x", "Y", "X", 0, "LD  x"},          // match case
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        std::string text = c.line;
        EXPECT_EQ(Editor().ReplaceInLine(text, c.replace, c.find, 0, TRUE, FALSE), c.count);
        EXPECT_EQ(text, c.after);
    }
}

TEST_F(CILEditorFindTest, NewSearchCollectsFromTheCaretAndSelectsTheFirstHit)
{
    SetLines({HEADER, "LD      %I0.0", "ST      %Q0.0", "LD      %I0.0", "(* Network 1 *)", "LD      %I0.0"});
    Editor().SetCaret(2, 0);
    m_app->Find.NewSearch = 1;
    Editor().Find("%I0.0", MODE_REPORT);

    EXPECT_EQ(Report(), (std::vector<std::string> {
                            "\r\n",
                            "$$$ Find \"%I0.0\" in the program \"MAIN\"...",
                            "    1. IL program \"MAIN\": Row 4, \"LD      %I0.0\", Byte 5 from Col.9.",
                            "    2. IL program \"MAIN\": Row 6, \"LD      %I0.0\", Byte 5 from Col.9.",
                        }));
    int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    Editor().GetSelection(startLine, startColumn, endLine, endColumn);
    EXPECT_TRUE(Editor().HasSelection());
    EXPECT_EQ(std::vector<int>({startLine, startColumn, endLine, endColumn}), std::vector<int>({3, 8, 3, 13}));
    EXPECT_EQ(Editor().GetCaretColumn(), 13);
    EXPECT_EQ(Editor().GetFindStartColumn(), 13);
}

TEST_F(CILEditorFindTest, ContinuedSearchStepsWithoutWrappingInBothDirections)
{
    SetLines({HEADER, "LD      %I0.0", "AND     %I0.1", "ST      %Q0.0"});
    m_app->Find.NewSearch = 0;
    Dialog().direction = FIND_DIRECTION_DOWN;
    Editor().SetCaret(1, 0);
    Editor().Find("%i0", MODE_REPORT);
    EXPECT_EQ(Editor().GetCaretLine(), 1);
    Editor().Find("%i0", MODE_REPORT);
    EXPECT_EQ(Editor().GetCaretLine(), 2);
    EXPECT_EQ(Editor().GetCaretColumn(), 11);
    EXPECT_TRUE(m_ui.box.Texts().empty());
    Editor().Find("%i0", MODE_REPORT);
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>({"Finished searching for '%i0' ."}));
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note");
    EXPECT_EQ(Editor().GetCaretLine(), 2);

    m_ui.box.Clear();
    Dialog().direction = FIND_DIRECTION_UP;
    Editor().Find("%i0", MODE_REPORT);
    EXPECT_EQ(Editor().GetCaretLine(), 2);
    EXPECT_EQ(Editor().GetFindStartColumn(), 8);
    Editor().Find("%i0", MODE_REPORT);
    EXPECT_EQ(Editor().GetCaretLine(), 1);
    EXPECT_EQ(Editor().GetCaretColumn(), 11);
    Editor().Find("%i0", MODE_REPORT);
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>({"Finished searching for '%i0' ."}));
    EXPECT_TRUE(Report().empty());
}

TEST_F(CILEditorFindTest, MarkAllSkipsHeadersWritesNothingAndUnmarkHidesTheMarks)
{
    SetLines({HEADER, "LD      x", "ST      X"});
    Dialog().scope = FIND_SCOPE_CURRENT_FILE;
    Editor().Find("network", MODE_MARK);
    EXPECT_EQ(m_app->Find.MarkCount, 0);
    Editor().Find("x", MODE_MARK);
    EXPECT_EQ(m_app->Find.MarkCount, 2);
    EXPECT_EQ(m_app->Find.MarkCounter, 2);
    EXPECT_EQ(m_app->Find.MarkTable[1].LineText, "LD      X");
    EXPECT_TRUE(m_program->GetMarksShown());
    EXPECT_TRUE(Report().empty());
    EXPECT_EQ(Text()[1], "LD      x");

    Editor().Find("x", MODE_UNMARK);
    EXPECT_FALSE(m_program->GetMarksShown());
    EXPECT_EQ(m_app->Find.MarksShown, 0);
}

TEST_F(CILEditorFindTest, ReplaceAllPushesOneSnapshotOnlyWhenTheTextChanges)
{
    SetLines({HEADER, "LD      %I0.0", "ST      %Q0.0"});
    m_program->PushUndoSnapshot();
    const int undo = m_program->GetUndoCount();
    Editor().ReplaceAll("%I0.0", "%I0.1");
    EXPECT_EQ(Text(), (std::vector<std::string> {HEADER, "LD      %I0.1", "ST      %Q0.0"}));
    EXPECT_EQ(m_program->GetUndoCount(), undo + 1);
    EXPECT_TRUE(m_host.modified);

    m_host.modified = FALSE;
    Editor().ReplaceAll("%M9.9", "%M1.1");
    EXPECT_EQ(m_program->GetUndoCount(), undo + 1);
    EXPECT_FALSE(m_host.modified);
}

TEST_F(CILEditorFindTest, ReplaceAllWithAnEmptyTextInsertsOneBlank)
{
    SetLines({HEADER, "LD      %I0.0 (* AxB *)"});
    Editor().ReplaceAll("x", "");
    EXPECT_NE(Text()[1].find("(* A B *)"), std::string::npos);
}

TEST_F(CILEditorFindTest, ReplaceTakesASelectionThatDiffersOnlyInCaseAndFindsTheNext)
{
    SetLines({HEADER, "LD      %I0.0", "ST      %q0.0", "ST      %Q0.0"});
    Dialog().matchCase = TRUE;
    m_app->Find.NewSearch = 0;
    Editor().SetCaret(2, 0);
    Editor().SetSelection(2, 8, 2, 13);
    Editor().Replace("%Q0.0", "%Q0.1");
    EXPECT_EQ(Text()[2], "ST      %Q0.1");
    int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    Editor().GetSelection(startLine, startColumn, endLine, endColumn);
    EXPECT_EQ(std::vector<int>({startLine, startColumn, endColumn}), std::vector<int>({3, 8, 13}));

    // Without a selection Replace only finds.
    Editor().SetCaret(1, 0);
    Editor().Replace("%Q0.0", "%Q0.1");
    EXPECT_EQ(Text()[3], "ST      %Q0.0");
    EXPECT_EQ(Editor().GetCaretLine(), 3);
}

TEST_F(CILEditorFindTest, GoToLineMarksTheLineWithTenLinesAbove)
{
    std::vector<std::string> lines(30, "LD      %I0.0");
    lines[0] = HEADER;
    SetLines(lines);
    struct Case {
        int n;
        BOOL result;
        int marked;
        int topLine;
    };
    const Case cases[] = {
        {5, TRUE, 4, 0},
        {25, TRUE, 24, 14},
        {31, FALSE, 24, 14},
        {0, FALSE, 24, 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(Editor().GoToLine(c.n), c.result);
        EXPECT_EQ(Editor().GetGoToLine(), c.marked);
        EXPECT_EQ(m_host.scrollY, c.topLine * Editor().GetLineHeight());
    }
    EXPECT_TRUE(Editor().IsGoToMarkerShown());
}

TEST_F(CILEditorFindTest, GoToFindResultComparesUpperCasedAndSaysWhenTheHitIsGone)
{
    SetLines({HEADER, "LD      %I0.0 (* start *)"});
    m_app->Find.LastFindText = "START";
    Editor().ScanLine(Text()[1], "START", 1, MODE_REPORT, FALSE, FALSE);
    ASSERT_TRUE(m_program->GoToFindResult(1, 2, 18));
    int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    Editor().GetSelection(startLine, startColumn, endLine, endColumn);
    EXPECT_EQ(std::vector<int>({startLine, startColumn, endColumn}), std::vector<int>({1, 17, 22}));
    EXPECT_EQ(Text()[1], "LD      %I0.0 (* start *)");

    Text()[1] = "LD      %I0.0";
    EXPECT_FALSE(m_program->GoToFindResult(1, 2, 18));
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>({VANISHED}));
    EXPECT_FALSE(Editor().HasSelection());
    EXPECT_FALSE(m_program->GoToFindResult(1, 3, 1));
}

TEST_F(CILEditorFindTest, GoToAHitBeyondTheTableChecksTheLineItself)
{
    SetLines({HEADER, "LD      %I0.0"});
    m_app->Find.LastFindText = "%i0.0";
    EXPECT_TRUE(m_program->GoToFindResult(FIND_TABLE_SIZE + 5, 2, 9));
    EXPECT_EQ(Editor().GetCaretColumn(), 13);
    EXPECT_FALSE(m_program->GoToFindResult(FIND_TABLE_SIZE + 5, 2, 3));
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>({VANISHED}));
}

TEST_F(CILEditorFindTest, GoToAReplacedHitMarksItsLine)
{
    SetLines({HEADER, "LD      %I0.0"});
    m_app->Find.ResetResultTable(2);
    std::string line = Text()[1];
    Editor().ReplaceInLine(line, "%I0.1", "%I0.0", 1, TRUE, FALSE);
    EXPECT_TRUE(m_program->GoToFindResult(1, 2, 9));
    EXPECT_EQ(Editor().GetGoToLine(), 1);
    EXPECT_FALSE(Editor().HasSelection());
}

TEST_F(CILEditorFindTest, ReplaceGoesOnBehindTheReplacementNotInsideIt)
{
    SetLines({HEADER, "(* A A *)"});
    m_app->Find.NewSearch = 0;
    Editor().SetCaret(1, 4);
    Editor().SetSelection(1, 3, 1, 4);
    Editor().Replace("A", "BA");
    EXPECT_EQ(Text()[1], "(* BA A *)");
    int startLine = 0, startColumn = 0, endLine = 0, endColumn = 0;
    Editor().GetSelection(startLine, startColumn, endLine, endColumn);
    EXPECT_EQ(std::vector<int>({startLine, startColumn, endColumn}), std::vector<int>({1, 6, 7}));
    Editor().Replace("A", "BA");
    EXPECT_EQ(Text()[1], "(* BA BA *)");
}
