#include "ILProgramFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/CursorShapes.h"
#include "platform/ui/WinMessages.h"
#include "pouedit/IPOUEditorView.h"

namespace {

// The scroll code that ends a thumb drag.
constexpr UINT END_OF_THUMB_DRAG = 8;

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
        Editor().SetView(&m_view);
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
        LeftDown(flags, point);
        LeftUp(flags, point);
    }

    std::vector<int> Selection()
    {
        std::vector<int> s(4);
        Editor().GetSelection(s[0], s[1], s[2], s[3]);
        return s;
    }

    CILEditor& Editor() const { return m_program->GetILEditor(); }

    // The view's mouse messages at a client point.
    void LeftDown(UINT flags, const CPoint& p) { Editor().OnLButtonDown(flags, p.x, p.y); }
    void LeftUp(UINT flags, const CPoint& p) { Editor().OnLButtonUp(flags, p.x, p.y); }
    void Move(UINT flags, const CPoint& p) { Editor().OnMouseMove(flags, p.x, p.y); }
    void DoubleClick(UINT flags, const CPoint& p) { Editor().OnLButtonDblClk(flags, p.x, p.y); }
    void RightDown(UINT flags, const CPoint& p) { Editor().OnRButtonDown(flags, p.x, p.y); }

    FakePOUView m_view;
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
    LeftDown(0, Cell(2, 1));
    EXPECT_EQ(Text()[1], "LD      %I0.0");
    EXPECT_EQ(Text()[2], "st q0.0");
    // The release normalises the line the caret went to.
    LeftUp(0, Cell(2, 1));
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
    LeftDown(0, Cell(2, 5));
    ASSERT_TRUE(Editor().IsDragging());
    EXPECT_TRUE(m_host.captured);

    Move(MK_LBUTTON, Cell(4, 2));
    EXPECT_EQ(Selection(), (std::vector<int> {2, 5, 4, 2}));
    EXPECT_TRUE(m_view.postedScrolls.empty());

    Move(MK_LBUTTON, Cell(1, 1));
    EXPECT_EQ(Selection(), (std::vector<int> {1, 1, 2, 5}));

    // Below the client area: one line down per move, as the view carries out.
    for (int move = 0; move < 3; ++move) {
        Move(MK_LBUTTON, CPoint(GUTTER + 3 * CELL_WIDTH, m_host.clientSize.cy + 10));
        ASSERT_EQ(m_view.postedScrolls.size(), 1u);
        EXPECT_EQ(m_view.postedScrolls.back(), std::make_pair(POU_SCROLL_VERT, POU_SCROLL_LINEDOWN));
        Editor().OnVScroll(static_cast<UINT>(m_view.postedScrolls.back().second), 0);
        m_view.postedScrolls.clear();
    }
    EXPECT_EQ(m_host.scrollY, 3 * LINE_HEIGHT);
    EXPECT_EQ(Selection()[2], (m_host.clientSize.cy + 10 + 2 * LINE_HEIGHT) / LINE_HEIGHT);

    Move(MK_LBUTTON, CPoint(2, 2));
    EXPECT_EQ(m_view.postedScrolls,
              (std::vector<std::pair<int, int>> {{POU_SCROLL_VERT, POU_SCROLL_LINEUP}, {POU_SCROLL_HORZ, POU_SCROLL_LINEUP}}));

    LeftUp(0, CPoint(2, 2));
    EXPECT_FALSE(Editor().IsDragging());
    EXPECT_FALSE(m_host.captured);
    EXPECT_EQ(m_program->GetUndoCount(), m_undo);
}

TEST_F(CILEditorMouseTest, MoveWithoutButtonSelectsNothing)
{
    Start({H0, "abcdef"}, 1, 0);
    Move(0, Cell(1, 4));
    EXPECT_FALSE(Editor().HasSelection());
    EXPECT_EQ(Editor().GetCaretColumn(), 0);
}

TEST_F(CILEditorMouseTest, MonitorColumnResizesDownTo34Pixels)
{
    Start({H0, "abc"}, 1, 0);
    m_app->Monitoring = 1;
    Editor().SetMonitorColumnWidth(300);
    const CPoint border(GUTTER + 300 - 2, 20);
    EXPECT_TRUE(Editor().OnSetCursor(static_cast<UINT>(HTCLIENT), 0, border.x, border.y));
    EXPECT_EQ(m_host.cursor, IDC_SIZEWE);
    ASSERT_TRUE(Editor().IsResizingMonitorColumn());
    LeftDown(0, border);
    Move(MK_LBUTTON, CPoint(GUTTER + 120, 20));
    EXPECT_EQ(Editor().GetMonitorColumnWidth(), 120);
    Move(MK_LBUTTON, CPoint(GUTTER + 5, 20));
    EXPECT_EQ(Editor().GetMonitorColumnWidth(), 34);
    LeftUp(0, CPoint(GUTTER + 5, 20));
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
        DoubleClick(0, Cell(1, c.column));
        EXPECT_EQ(Selection(), (std::vector<int> {1, c.start, 1, c.end})) << c.name;
        EXPECT_TRUE(Editor().HasSelection()) << c.name;
        EXPECT_EQ(Editor().GetCaretColumn(), c.end) << c.name;
        EXPECT_EQ(Editor().GetAnchorColumn(), 0) << c.name;
    }
    Start({H0, "LD"}, 1, 0);
    DoubleClick(0, Cell(9, 1));
    EXPECT_FALSE(Editor().HasSelection()) << "below the text";
}

TEST_F(CILEditorMouseTest, RightClickKeepsSelectionOnlyInsideItsRectangle)
{
    Start({H0, "abcdef", "ghijkl", "mnopqr"}, 1, 0);
    Editor().SetSelection(1, 2, 2, 4);
    RightDown(0, Cell(2, 3));
    EXPECT_TRUE(Editor().HasSelection());
    EXPECT_EQ(Editor().GetCaretLine(), 2);
    EXPECT_EQ(Editor().GetCaretColumn(), 3);

    RightDown(0, Cell(1, 5));
    EXPECT_FALSE(Editor().HasSelection());
    EXPECT_EQ(Editor().GetFindStartColumn(), 5);
}

TEST_F(CILEditorMouseTest, CursorFollowsZones)
{
    struct CursorCase {
        const char* name;
        LRESULT hitTest;
        int x;
        UINT cursor;
    };
    const CursorCase cases[] = {
        {"scroll bar", HTVSCROLL, 5, IDC_ARROW},
        {"gutter", HTCLIENT, 5, IDC_IL_GUTTER},
        {"text", HTCLIENT, GUTTER + 10, IDC_IBEAM},
        {"gutter edge leaves it", HTCLIENT, GUTTER - 4, 0},
    };
    for (const CursorCase& c : cases) {
        m_host.cursor = 0;
        EXPECT_TRUE(Editor().OnSetCursor(static_cast<UINT>(c.hitTest), 0, c.x, 10)) << c.name;
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
        {POU_SCROLL_LINEDOWN, 0, LINE_HEIGHT},     {POU_SCROLL_PAGEDOWN, 0, 12 * LINE_HEIGHT}, {POU_SCROLL_LINEUP, 0, 11 * LINE_HEIGHT},
        {POU_SCROLL_PAGEUP, 0, 0},                 {POU_SCROLL_LINEUP, 0, 0},                  {POU_SCROLL_THUMBTRACK, 100, 100},
        {END_OF_THUMB_DRAG, 0, 100},            {POU_SCROLL_BOTTOM, 0, maxY},               {POU_SCROLL_LINEDOWN, 0, maxY},
        {POU_SCROLL_TOP, 0, 0},
    };
    for (const ScrollCase& c : vertical) {
        Editor().OnVScroll(c.code, c.position);
        EXPECT_EQ(m_host.scrollY, c.expected) << c.code;
    }
    EXPECT_EQ(m_host.caretPoint.y, LINE_HEIGHT);

    const ScrollCase horizontal[] = {
        {POU_SCROLL_LINEDOWN, 0, CELL_WIDTH}, {POU_SCROLL_PAGEDOWN, 0, 21 * CELL_WIDTH}, {POU_SCROLL_LINEUP, 0, 20 * CELL_WIDTH},
        {POU_SCROLL_PAGEUP, 0, 0},           {POU_SCROLL_THUMBTRACK, 64, 64},            {POU_SCROLL_BOTTOM, 0, 64},
        {POU_SCROLL_TOP, 0, 0},
    };
    for (const ScrollCase& c : horizontal) {
        Editor().OnHScroll(c.code, c.position);
        EXPECT_EQ(m_host.scrollX, c.expected) << c.code;
    }

    EXPECT_TRUE(Editor().OnMouseWheel(0, 3 * 120, 0, 0));
    EXPECT_TRUE(Editor().OnMouseWheel(0, -120, 0, 0));
    EXPECT_TRUE(Editor().OnMouseWheel(0, 0, 0, 0));
    EXPECT_EQ(m_view.postedScrolls,
              (std::vector<std::pair<int, int>> {{POU_SCROLL_VERT, POU_SCROLL_LINEUP}, {POU_SCROLL_VERT, POU_SCROLL_LINEDOWN}, {POU_SCROLL_VERT, POU_SCROLL_LINEDOWN}}));
}

TEST_F(CILEditorMouseTest, TypingPastRightEdgeScrollsCaretIntoView)
{
    Start({H0, ""}, 1, 0);
    for (int i = 0; i < 60; ++i)
        Editor().OnChar('a', 1, 0);
    const int caretX = m_host.caretPoint.x;
    EXPECT_GT(caretX, GUTTER);
    EXPECT_LE(caretX, m_host.clientSize.cx - 10 * CELL_WIDTH);
    EXPECT_GT(m_host.scrollX, 0);
    EXPECT_EQ(m_program->GetUndoCount(), m_undo + 60);
    Editor().OnKeyDown(VK_HOME, 1, 0);
    EXPECT_EQ(m_host.scrollX, 0);
    EXPECT_EQ(m_host.caretPoint.x, GUTTER);
}

} // namespace
