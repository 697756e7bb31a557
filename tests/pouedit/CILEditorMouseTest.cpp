#include "ILProgramFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/CursorShapes.h"
#include "platform/ui/WinMessages.h"

namespace {

using Lines = std::vector<std::string>;

const std::string H0 = "(* Network 0 *)";
const std::string ZHONG = "\xD6\xD0";

// An IL editor after its initial update, with 8 x 16 pixel cells (gutter
// 42 pixels) in a 400 x 200 pixel view.
class CILEditorMouseTest : public ILProgramFixture {
protected:
    static constexpr int CELL_WIDTH = 8;
    static constexpr int LINE_HEIGHT = 16;
    static constexpr int GUTTER = 5 * CELL_WIDTH + 2;

    void SetUp() override
    {
        ILProgramFixture::SetUp();
        m_app->Fonts[0] = CSystemMetrics::Instance().GetFixedFont();
        m_app->Fonts[3] = CSystemMetrics::Instance().GetGuiFont();
        Editor().OnInitialUpdate();
    }

    void Start(const Lines& lines, int line, int column)
    {
        Text() = lines;
        Editor().SetCaret(line, column);
        m_undo = m_program->GetUndoCount();
    }

    // The client point inside a text cell, at a pixel offset from its left edge.
    CPoint Cell(int line, int column, int offset = CELL_WIDTH / 2) const
    {
        return CPoint(GUTTER + Editor().GetMonitorColumnWidth() + column * CELL_WIDTH + offset - m_host.scrollX,
                      line * LINE_HEIGHT + LINE_HEIGHT / 2 - m_host.scrollY);
    }

    void Click(const CPoint& point, UINT flags = 0)
    {
        Editor().OnLButtonDown(flags, point);
        Editor().OnLButtonUp(flags, point);
    }

    std::vector<int> Selection()
    {
        std::vector<int> s(4);
        Editor().GetSelection(s[0], s[1], s[2], s[3]);
        return s;
    }

    CILEditor& Editor() const { return m_program->GetILEditor(); }

    int m_undo = 0;
};

TEST_F(CILEditorMouseTest, ClickPlacesCaretWithDoubleByteRule)
{
    struct ClickCase {
        const char* name;
        std::string line;
        int column;
        int offset;
        int expected;
    };
    const ClickCase cases[] = {
        {"single bytes", "abcd", 2, 1, 2},
        {"first byte of a GBK pair", "a" + ZHONG + "b", 1, 1, 1},
        {"second byte of a GBK pair", "a" + ZHONG + "b", 2, 1, 3},
        {"second byte twin", "axyb", 2, 1, 2},
        {"past the line end", "ab", 9, 1, 2},
    };
    for (const ClickCase& c : cases) {
        Start({H0, c.line}, 0, 0);
        Click(Cell(1, c.column, c.offset));
        EXPECT_EQ(Editor().GetCaretLine(), 1) << c.name;
        EXPECT_EQ(Editor().GetCaretColumn(), c.expected) << c.name;
        EXPECT_EQ(Editor().GetFindStartColumn(), c.expected) << c.name;
        EXPECT_FALSE(Editor().HasSelection()) << c.name;
        EXPECT_FALSE(Editor().IsDragging()) << c.name;
        EXPECT_FALSE(m_host.captured) << c.name;
    }
    Start({H0, "ab"}, 1, 0);
    Click(CPoint(GUTTER + CELL_WIDTH, 10 * LINE_HEIGHT));
    EXPECT_EQ(Editor().GetCaretLine(), 1) << "below the text";
    EXPECT_EQ(m_program->GetUndoCount(), m_undo);
}

TEST_F(CILEditorMouseTest, ClickNormalisesLineLeftBehind)
{
    Start({H0, "ld i0.0", "st q0.0"}, 1, 3);
    Editor().OnLButtonDown(0, Cell(2, 1));
    EXPECT_EQ(Text()[1], "LD      %I0.0");
    EXPECT_EQ(Text()[2], "st q0.0");
    // The release normalises the line the caret went to.
    Editor().OnLButtonUp(0, Cell(2, 1));
    EXPECT_EQ(Text()[2], "ST      %Q0.0");
}

TEST_F(CILEditorMouseTest, ClickWhileMonitoringLosesOneColumn)
{
    Start({H0, "abcdef"}, 1, 0);
    m_app->Monitoring = 1;
    Editor().SetMonitorColumnWidth(300);
    Click(Cell(1, 3));
    EXPECT_EQ(Editor().GetCaretColumn(), 2);
    m_app->Monitoring = 0;
}

TEST_F(CILEditorMouseTest, GutterClickSelectsLine)
{
    Start({H0, "ab", "cd", "ef", "gh", "ij"}, 1, 0);
    Click(CPoint(2, 4 * LINE_HEIGHT + 3));
    EXPECT_EQ(Selection(), (std::vector<int> {4, 0, 5, 0}));
    EXPECT_TRUE(Editor().HasSelection());
    EXPECT_EQ(Editor().GetCaretLine(), 5);
    EXPECT_EQ(Editor().GetCaretColumn(), 0);

    Click(CPoint(2, 20 * LINE_HEIGHT));
    EXPECT_EQ(Selection(), (std::vector<int> {5, 0, 5, 2}));
    EXPECT_EQ(Editor().GetCaretLine(), 5);
    EXPECT_EQ(Editor().GetCaretColumn(), 0);
}

TEST_F(CILEditorMouseTest, ShiftClickExtendsFromAnchor)
{
    Start({H0, "abcdef", "ghijkl"}, 1, 4);
    Click(Cell(1, 1), MK_SHIFT);
    EXPECT_EQ(Selection(), (std::vector<int> {1, 1, 1, 4}));
    Click(Cell(2, 2), MK_SHIFT);
    EXPECT_EQ(Selection(), (std::vector<int> {1, 4, 2, 2}));
    EXPECT_TRUE(Editor().HasSelection());
}

TEST_F(CILEditorMouseTest, DragSelectsAndScrollsAtEdges)
{
    Lines text {H0};
    for (int i = 1; i < 40; ++i)
        text.push_back("line text " + std::to_string(i));
    Start(text, 1, 0);
    Editor().OnLButtonDown(0, Cell(2, 5));
    ASSERT_TRUE(Editor().IsDragging());
    EXPECT_TRUE(m_host.captured);

    Editor().OnMouseMove(MK_LBUTTON, Cell(4, 2));
    EXPECT_EQ(Selection(), (std::vector<int> {2, 5, 4, 2}));
    EXPECT_TRUE(m_host.postedScrolls.empty());

    Editor().OnMouseMove(MK_LBUTTON, Cell(1, 1));
    EXPECT_EQ(Selection(), (std::vector<int> {1, 1, 2, 5}));

    // Below the client area: one line down per move, as the view carries out.
    for (int move = 0; move < 3; ++move) {
        Editor().OnMouseMove(MK_LBUTTON, CPoint(GUTTER + 3 * CELL_WIDTH, m_host.clientSize.cy + 10));
        ASSERT_EQ(m_host.postedScrolls.size(), 1u);
        EXPECT_EQ(m_host.postedScrolls.back(), std::make_pair(BOOL(TRUE), SB_LINEDOWN));
        Editor().OnVScroll(m_host.postedScrolls.back().second, 0);
        m_host.postedScrolls.clear();
    }
    EXPECT_EQ(m_host.scrollY, 3 * LINE_HEIGHT);
    EXPECT_EQ(Selection()[2], (m_host.clientSize.cy + 10 + 2 * LINE_HEIGHT) / LINE_HEIGHT);

    Editor().OnMouseMove(MK_LBUTTON, CPoint(2, 2));
    EXPECT_EQ(m_host.postedScrolls,
              (std::vector<std::pair<BOOL, UINT>> {{TRUE, SB_LINEUP}, {FALSE, SB_LINELEFT}}));

    Editor().OnLButtonUp(0, CPoint(2, 2));
    EXPECT_FALSE(Editor().IsDragging());
    EXPECT_FALSE(m_host.captured);
    EXPECT_EQ(m_program->GetUndoCount(), m_undo);
}

TEST_F(CILEditorMouseTest, MoveWithoutButtonSelectsNothing)
{
    Start({H0, "abcdef"}, 1, 0);
    Editor().OnMouseMove(0, Cell(1, 4));
    EXPECT_FALSE(Editor().HasSelection());
    EXPECT_EQ(Editor().GetCaretColumn(), 0);
}

TEST_F(CILEditorMouseTest, MonitorColumnResizesDownTo34Pixels)
{
    Start({H0, "abc"}, 1, 0);
    m_app->Monitoring = 1;
    Editor().SetMonitorColumnWidth(300);
    const CPoint border(GUTTER + 300 - 2, 20);
    EXPECT_TRUE(Editor().OnSetCursor(TRUE, border));
    EXPECT_EQ(m_host.cursor, IDC_SIZEWE);
    ASSERT_TRUE(Editor().IsResizingMonitorColumn());
    Editor().OnLButtonDown(0, border);
    Editor().OnMouseMove(MK_LBUTTON, CPoint(GUTTER + 120, 20));
    EXPECT_EQ(Editor().GetMonitorColumnWidth(), 120);
    Editor().OnMouseMove(MK_LBUTTON, CPoint(GUTTER + 5, 20));
    EXPECT_EQ(Editor().GetMonitorColumnWidth(), 34);
    Editor().OnLButtonUp(0, CPoint(GUTTER + 5, 20));
    EXPECT_FALSE(Editor().IsResizingMonitorColumn());
    m_app->Monitoring = 0;
}

TEST_F(CILEditorMouseTest, DoubleClickSelectsWord)
{
    struct WordCase {
        const char* name;
        std::string line;
        int column;
        int start;
        int end;
    };
    const WordCase cases[] = {
        {"operand without percent", "LD      %I0.0", 10, 9, 13},
        {"mnemonic", "LD      %I0.0", 1, 0, 2},
        {"blank between words", "LD      %I0.0", 5, 5, 5},
        {"GBK word", "ST " + ZHONG + "x", 4, 3, 6},
        {"past line end", "LD", 7, 0, 2},
    };
    for (const WordCase& c : cases) {
        Start({H0, c.line}, 1, 0);
        Editor().OnLButtonDblClk(0, Cell(1, c.column));
        EXPECT_EQ(Selection(), (std::vector<int> {1, c.start, 1, c.end})) << c.name;
        EXPECT_TRUE(Editor().HasSelection()) << c.name;
        EXPECT_EQ(Editor().GetCaretColumn(), c.end) << c.name;
        EXPECT_EQ(Editor().GetAnchorColumn(), 0) << c.name;
    }
    Start({H0, "LD"}, 1, 0);
    Editor().OnLButtonDblClk(0, Cell(9, 1));
    EXPECT_FALSE(Editor().HasSelection()) << "below the text";
}

TEST_F(CILEditorMouseTest, RightClickKeepsSelectionOnlyInsideItsRectangle)
{
    Start({H0, "abcdef", "ghijkl", "mnopqr"}, 1, 0);
    Editor().SetSelection(1, 2, 2, 4);
    Editor().OnRButtonDown(0, Cell(2, 3));
    EXPECT_TRUE(Editor().HasSelection());
    EXPECT_EQ(Editor().GetCaretLine(), 2);
    EXPECT_EQ(Editor().GetCaretColumn(), 3);

    Editor().OnRButtonDown(0, Cell(1, 5));
    EXPECT_FALSE(Editor().HasSelection());
    EXPECT_EQ(Editor().GetFindStartColumn(), 5);
}

TEST_F(CILEditorMouseTest, CursorFollowsZones)
{
    struct CursorCase {
        const char* name;
        BOOL inClient;
        int x;
        UINT cursor;
    };
    const CursorCase cases[] = {
        {"scroll bar", FALSE, 5, IDC_ARROW},
        {"gutter", TRUE, 5, IDC_IL_GUTTER},
        {"text", TRUE, GUTTER + 10, IDC_IBEAM},
        {"gutter edge leaves it", TRUE, GUTTER - 4, 0},
    };
    for (const CursorCase& c : cases) {
        m_host.cursor = 0;
        EXPECT_TRUE(Editor().OnSetCursor(c.inClient, CPoint(c.x, 10))) << c.name;
        EXPECT_EQ(m_host.cursor, c.cursor) << c.name;
    }
}

TEST_F(CILEditorMouseTest, ScrollBarsAndWheel)
{
    Lines text {H0};
    for (int i = 1; i < 60; ++i)
        text.push_back("x");
    Start(text, 1, 0);
    const int maxY = m_host.totalSize.cy - m_host.clientSize.cy;
    struct ScrollCase {
        UINT code;
        int position;
        int expected;
    };
    const ScrollCase vertical[] = {
        {SB_LINEDOWN, 0, LINE_HEIGHT},     {SB_PAGEDOWN, 0, 12 * LINE_HEIGHT}, {SB_LINEUP, 0, 11 * LINE_HEIGHT},
        {SB_PAGEUP, 0, 0},                 {SB_LINEUP, 0, 0},                  {SB_THUMBTRACK, 100, 100},
        {SB_ENDSCROLL, 0, 100},            {SB_BOTTOM, 0, maxY},               {SB_LINEDOWN, 0, maxY},
        {SB_TOP, 0, 0},
    };
    for (const ScrollCase& c : vertical) {
        Editor().OnVScroll(c.code, c.position);
        EXPECT_EQ(m_host.scrollY, c.expected) << c.code;
    }
    EXPECT_EQ(m_host.caretPoint.y, LINE_HEIGHT);

    const ScrollCase horizontal[] = {
        {SB_LINERIGHT, 0, CELL_WIDTH}, {SB_PAGERIGHT, 0, 21 * CELL_WIDTH}, {SB_LINELEFT, 0, 20 * CELL_WIDTH},
        {SB_PAGELEFT, 0, 0},           {SB_THUMBTRACK, 64, 64},            {SB_RIGHT, 0, 64},
        {SB_LEFT, 0, 0},
    };
    for (const ScrollCase& c : horizontal) {
        Editor().OnHScroll(c.code, c.position);
        EXPECT_EQ(m_host.scrollX, c.expected) << c.code;
    }

    EXPECT_TRUE(Editor().OnMouseWheel(0, 3 * 120, CPoint()));
    EXPECT_TRUE(Editor().OnMouseWheel(0, -120, CPoint()));
    EXPECT_TRUE(Editor().OnMouseWheel(0, 0, CPoint()));
    EXPECT_EQ(m_host.postedScrolls,
              (std::vector<std::pair<BOOL, UINT>> {{TRUE, SB_LINEUP}, {TRUE, SB_LINEDOWN}, {TRUE, SB_LINEDOWN}}));
}

TEST_F(CILEditorMouseTest, TypingPastRightEdgeScrollsCaretIntoView)
{
    Start({H0, ""}, 1, 0);
    for (int i = 0; i < 60; ++i)
        Editor().OnChar('a');
    const int caretX = m_host.caretPoint.x;
    EXPECT_GT(caretX, GUTTER);
    EXPECT_LE(caretX, m_host.clientSize.cx - 10 * CELL_WIDTH);
    EXPECT_GT(m_host.scrollX, 0);
    EXPECT_EQ(m_program->GetUndoCount(), m_undo + 60);
    Editor().OnKeyDown(VK_HOME);
    EXPECT_EQ(m_host.scrollX, 0);
    EXPECT_EQ(m_host.caretPoint.x, GUTTER);
}

} // namespace
