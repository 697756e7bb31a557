#include "ILProgramFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/CursorShapes.h"
#include "platform/ui/WinMessages.h"
#include "pouedit/IPOUEditorView.h"

namespace {

using Lines = std::vector<std::string>;

const std::string H0 = "(* Network 0 *)";
const std::string H1 = "(* Network 1 *)";
// One GBK character: two bytes, both 0x80 or above.
const std::string ZHONG = "\xD6\xD0";

struct Caret {
    int line;
    int column;
};

struct Selection {
    int startLine;
    int startColumn;
    int endLine;
    int endColumn;
};

bool operator==(const Selection& a, const Selection& b)
{
    return a.startLine == b.startLine && a.startColumn == b.startColumn && a.endLine == b.endLine &&
           a.endColumn == b.endColumn;
}

std::ostream& operator<<(std::ostream& out, const Selection& s)
{
    return out << "(" << s.startLine << "," << s.startColumn << ")-(" << s.endLine << "," << s.endColumn << ")";
}

// An IL editor after its initial update, with a text font of 8 x 16 pixel
// cells (gutter 42 pixels) in a 400 x 200 pixel view.
class CILEditorEditingTest : public ILProgramFixture {
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

    // Replaces the text and puts the caret there, as after a snapshot reload.
    void Start(const Lines& lines, Caret caret)
    {
        Text() = lines;
        Editor().SetCaret(caret.line, caret.column);
        m_undo = m_program->GetUndoCount();
        m_redo = m_program->GetRedoCount();
    }

    void Type(const std::string& bytes)
    {
        for (char c : bytes)
            Editor().OnChar(static_cast<BYTE>(c), 1, 0);
    }

    void Press(UINT key, bool shift = false, bool ctrl = false)
    {
        m_host.heldKeys.clear();
        if (shift)
            m_host.heldKeys.insert(VK_SHIFT);
        if (ctrl)
            m_host.heldKeys.insert(VK_CONTROL);
        Editor().OnKeyDown(key, 1, 0);
        m_host.heldKeys.clear();
    }

    Caret CaretNow() { return {Editor().GetCaretLine(), Editor().GetCaretColumn()}; }

    Selection SelectionNow()
    {
        Selection s {};
        Editor().GetSelection(s.startLine, s.startColumn, s.endLine, s.endColumn);
        return s;
    }

    // The client point of the middle of a text cell.
    static CPoint Cell(int line, int column)
    {
        return CPoint(GUTTER + column * CELL_WIDTH + CELL_WIDTH / 2, line * LINE_HEIGHT + LINE_HEIGHT / 2);
    }

    // Snapshots pushed since Start; the redo chain must be gone after an edit.
    int Pushed() const { return m_program->GetUndoCount() - m_undo; }

    void ExpectCaret(Caret expected, const std::string& where)
    {
        EXPECT_EQ(Editor().GetCaretLine(), expected.line) << where;
        EXPECT_EQ(Editor().GetCaretColumn(), expected.column) << where;
    }

    // The view's mouse messages at a client point.
    void LeftDown(UINT flags, const CPoint& p) { Editor().OnLButtonDown(flags, p.x, p.y); }
    void LeftUp(UINT flags, const CPoint& p) { Editor().OnLButtonUp(flags, p.x, p.y); }
    void Move(UINT flags, const CPoint& p) { Editor().OnMouseMove(flags, p.x, p.y); }
    void DoubleClick(UINT flags, const CPoint& p) { Editor().OnLButtonDblClk(flags, p.x, p.y); }
    void RightDown(UINT flags, const CPoint& p) { Editor().OnRButtonDown(flags, p.x, p.y); }

    FakePOUView m_view;
    int m_undo = 0;
    int m_redo = 0;
};

TEST_F(CILEditorEditingTest, InitialUpdateMeasuresFontAndShowsNewProgram)
{
    Text().clear();
    Editor().OnInitialUpdate();

    EXPECT_EQ(Text(), (Lines {H0, ""}));
    EXPECT_EQ(Editor().GetCaretLine(), 1);
    EXPECT_EQ(Editor().GetCaretColumn(), 0);
    EXPECT_EQ(Editor().GetCharWidth(), CELL_WIDTH);
    EXPECT_EQ(Editor().GetLineHeight(), LINE_HEIGHT);
    EXPECT_EQ(Editor().GetGutterWidth(), GUTTER);
    EXPECT_EQ(Editor().GetCaretSize().cy, LINE_HEIGHT);
    EXPECT_EQ(Editor().GetPrintFont().lfHeight, 197);
    EXPECT_STREQ(Editor().GetPrintFont().lfFaceName, "DejaVu Sans");
    EXPECT_STREQ(m_host.measured.lfFaceName, "DejaVu Sans Mono");
    EXPECT_EQ(m_host.totalSize.cx, 5000 * CELL_WIDTH);
    EXPECT_EQ(m_host.totalSize.cy, 100 * LINE_HEIGHT);
    EXPECT_EQ(m_host.pageSize.cx, 25 * CELL_WIDTH);
    EXPECT_EQ(m_host.pageSize.cy, 10 * LINE_HEIGHT);
    EXPECT_EQ(m_host.lineSize.cx, 2 * CELL_WIDTH);
    CSize extent;
    EXPECT_EQ(Editor().GetExtent(extent).cx, 5000 * CELL_WIDTH);
    // SetUp's initial update and this one each leave one snapshot.
    EXPECT_EQ(m_program->GetUndoCount(), 2);
}

struct CharCase {
    const char* name;
    Lines before;
    Caret caret;
    std::string typed;
    Lines after;
    Caret caretAfter;
    int snapshots;
};

TEST_F(CILEditorEditingTest, TypedCharacters)
{
    const std::string line255(255, 'x');
    const std::string line256(256, 'x');
    const std::string line240(240, 'x');
    const std::string line245(245, 'x');
    const std::string line248(248, 'x');
    const CharCase cases[] = {
        {"letter", {H0, ""}, {1, 0}, "a", {H0, "a"}, {1, 1}, 1},
        {"letter mid-line", {H0, "ac"}, {1, 1}, "b", {H0, "abc"}, {1, 2}, 1},
        {"GBK pair", {H0, "a"}, {1, 1}, ZHONG, {H0, "a" + ZHONG}, {1, 3}, 2},
        {"tab from column 0", {H0, ""}, {1, 0}, "\t", {H0, "        "}, {1, 8}, 1},
        {"tab to next multiple", {H0, "abc"}, {1, 3}, "\t", {H0, "abc     "}, {1, 8}, 1},
        {"tab after GBK pair", {H0, ZHONG}, {1, 2}, "\t", {H0, ZHONG + "      "}, {1, 8}, 1},
        {"tab at 240", {H0, line240}, {1, 240}, "\t", {H0, line240 + "        "}, {1, 248}, 1},
        {"tab at 245", {H0, line245}, {1, 245}, "\t", {H0, line245 + "   "}, {1, 248}, 1},
        {"tab at 248 refused", {H0, line248}, {1, 248}, "\t", {H0, line248}, {1, 248}, 0},
        {"blank", {H0, "ab"}, {1, 1}, " ", {H0, "a b"}, {1, 2}, 1},
        {"blank at 255 refused", {H0, line255}, {1, 255}, " ", {H0, line255}, {1, 255}, 0},
        {"letter at 255", {H0, line255}, {1, 255}, "y", {H0, line255 + "y"}, {1, 256}, 1},
        {"letter at 256 refused", {H0, line256}, {1, 256}, "y", {H0, line256}, {1, 256}, 0},
        {"letter on header ignored", {H0, ""}, {0, 3}, "a", {H0, ""}, {0, 3}, 0},
        {"control code ignored", {H0, "ab"}, {1, 1}, "\x01", {H0, "ab"}, {1, 1}, 0},
        {"backspace", {H0, "abc"}, {1, 2}, "\b", {H0, "ac"}, {1, 1}, 1},
        {"backspace at column 1", {H0, "abc"}, {1, 1}, "\b", {H0, "bc"}, {1, 0}, 1},
        {"backspace GBK pair", {H0, "a" + ZHONG + "b"}, {1, 3}, "\b", {H0, "ab"}, {1, 1}, 1},
        {"backspace after header moves only", {H0, "ab"}, {1, 0}, "\b", {H0, "ab"}, {0, 15}, 0},
        {"backspace on header moves only", {H0, "ab"}, {0, 4}, "\b", {H0, "ab"}, {0, 3}, 0},
        {"backspace joins lines", {H0, "ab", "cd"}, {2, 0}, "\b", {H0, "abcd"}, {1, 2}, 1},
        {"backspace at line 0 start", {H0, ""}, {0, 0}, "\b", {H0, ""}, {0, 0}, 0},
        // The empty line below a header takes no undo step.
        {"enter on line 0", {H0, "ab"}, {0, 0}, "\r", {H0, "", "ab"}, {1, 0}, 0},
        {"enter mid-header", {H0, "ab", H1}, {2, 4}, "\r", {H0, "ab", H1, ""}, {3, 0}, 0},
        {"enter before header", {H0, "ab", H1}, {2, 0}, "\r", {H0, "ab", "", H1}, {3, 0}, 1},
        {"enter splits", {H0, "abcd"}, {1, 2}, "\r", {H0, "ab", "cd"}, {2, 0}, 1},
        {"enter splits before GBK", {H0, "a" + ZHONG}, {1, 1}, "\r", {H0, "a", ZHONG}, {2, 0}, 1},
        {"enter at line end", {H0, "ab"}, {1, 2}, "\r", {H0, "ab", ""}, {2, 0}, 1},
    };
    for (const CharCase& c : cases) {
        Start(c.before, c.caret);
        Type(c.typed);
        EXPECT_EQ(Text(), c.after) << c.name;
        ExpectCaret(c.caretAfter, c.name);
        EXPECT_EQ(Pushed(), c.snapshots) << c.name;
        if (c.snapshots > 0) {
            EXPECT_EQ(m_program->GetRedoCount(), 0) << c.name;
        }
        EXPECT_FALSE(Editor().HasSelection()) << c.name;
    }
}

TEST_F(CILEditorEditingTest, EnterShiftsLineStatesBelow)
{
    Start({H0, "LD %I0.0", "bogus line", "ST %Q0.0"}, {1, 0});
    Editor().CheckLines(TRUE, 0);
    ASSERT_EQ(Editor().GetLineState(2), IL_LINE_ERROR);

    Type("\r");

    EXPECT_EQ(Editor().GetLineState(3), IL_LINE_ERROR);
    EXPECT_EQ(Pushed(), 1);
    Type("\b");
    EXPECT_EQ(Editor().GetLineState(2), IL_LINE_ERROR);
    EXPECT_EQ(Pushed(), 2);
}

TEST_F(CILEditorEditingTest, EnterNormalisesLineLeftBehind)
{
    Start({H0, "ld i0.0 (* Network 5 *)x"}, {1, 25});
    Type("\r");
    EXPECT_EQ(Text(), (Lines {H0, "LD      %I0.0, x", ""}));
    EXPECT_EQ(Pushed(), 1);
}

TEST_F(CILEditorEditingTest, TypingOverSelectionIsOneEdit)
{
    Start({H0, "abcdef"}, {1, 1});
    Editor().SetSelection(1, 1, 1, 4);
    Type("X");
    EXPECT_EQ(Text(), (Lines {H0, "aXef"}));
    ExpectCaret({1, 2}, "typed over");
    EXPECT_EQ(Pushed(), 1);

    Editor().SetSelection(1, 0, 1, 2);
    Type("\t");
    EXPECT_EQ(Text(), (Lines {H0, "        ef"}));
    EXPECT_EQ(Pushed(), 2);

    Editor().SetSelection(1, 0, 1, 8);
    Type("\b");
    EXPECT_EQ(Text(), (Lines {H0, "ef"}));
    EXPECT_EQ(Pushed(), 3);
}

TEST_F(CILEditorEditingTest, TypingDoesNotTouchFindMarks)
{
    for (BOOL shown : {FALSE, TRUE}) {
        m_program->SetMarksShown(shown);
        Start({H0, ""}, {1, 0});
        Type("\xB0" "a" + ZHONG);
        EXPECT_EQ(m_program->GetMarksShown(), shown);
    }
}

TEST_F(CILEditorEditingTest, EditsRefusedWhileMonitoring)
{
    Start({H0, "abc", "de"}, {1, 1});
    m_app->Monitoring = 1;
    Type("x\r\b\t ");
    Press(VK_DELETE);
    Press(VK_RIGHT);
    Editor().InsertNetwork();
    EXPECT_EQ(Text(), (Lines {H0, "abc", "de"}));
    ExpectCaret({1, 1}, "monitoring");
    EXPECT_EQ(Pushed(), 0);
    FakeCommandUI ui;
    Editor().OnUpdateEditDelete(ui);
    EXPECT_FALSE(ui.enabled);
    m_app->Monitoring = 0;
    Editor().OnUpdateEditDelete(ui);
    EXPECT_TRUE(ui.enabled);
}

TEST_F(CILEditorEditingTest, CharactersIgnoredWhileDragging)
{
    Start({H0, "abc"}, {1, 1});
    LeftDown(0, Cell(1, 2));
    ASSERT_TRUE(Editor().IsDragging());
    const int before = m_program->GetUndoCount();
    Type("x");
    Press(VK_LEFT);
    EXPECT_EQ(Text(), (Lines {H0, "abc"}));
    ExpectCaret({1, 2}, "dragging");
    EXPECT_EQ(m_program->GetUndoCount(), before);
}

struct KeyCase {
    const char* name;
    Lines before;
    Caret caret;
    std::vector<std::pair<UINT, bool>> keys; // key, Shift held
    Caret caretAfter;
    bool selected;
    Selection selection;
};

TEST_F(CILEditorEditingTest, CaretKeys)
{
    const std::string gbk = "a" + ZHONG + "b";
    const KeyCase cases[] = {
        {"left", {H0, "abc"}, {1, 2}, {{VK_LEFT, false}}, {1, 1}, false, {}},
        {"left at column 1", {H0, "abc"}, {1, 1}, {{VK_LEFT, false}}, {1, 0}, false, {}},
        {"left over GBK", {H0, gbk}, {1, 3}, {{VK_LEFT, false}}, {1, 1}, false, {}},
        {"left over single byte twin", {H0, "axyb"}, {1, 3}, {{VK_LEFT, false}}, {1, 2}, false, {}},
        {"left to previous line", {H0, "abc", "abc"}, {2, 0}, {{VK_LEFT, false}}, {1, 3}, false, {}},
        {"left at text start", {H0, "ab"}, {0, 0}, {{VK_LEFT, false}}, {0, 0}, false, {}},
        {"right over GBK", {H0, gbk}, {1, 1}, {{VK_RIGHT, false}}, {1, 3}, false, {}},
        {"right over single byte twin", {H0, "axyb"}, {1, 1}, {{VK_RIGHT, false}}, {1, 2}, false, {}},
        {"right to next line", {H0, "ab", "cd"}, {1, 2}, {{VK_RIGHT, false}}, {2, 0}, false, {}},
        {"right at text end", {H0, "ab"}, {1, 2}, {{VK_RIGHT, false}}, {1, 2}, false, {}},
        {"up keeps column", {H0, "abcdef", "abc"}, {2, 2}, {{VK_UP, false}}, {1, 2}, false, {}},
        {"down to shorter line end", {H0, "abcdef", "ab"}, {1, 5}, {{VK_DOWN, false}}, {2, 2}, false, {}},
        {"down keeps desired column", {H0, "abcdef", "ab", "abcdef"}, {1, 1},
         {{VK_RIGHT, false}, {VK_DOWN, false}, {VK_DOWN, false}}, {3, 2}, false, {}},
        {"down into GBK", {H0, "abcdef", gbk}, {1, 2}, {{VK_DOWN, false}}, {2, 3}, false, {}},
        {"up on line 0", {H0, "ab"}, {0, 3}, {{VK_UP, false}}, {0, 3}, false, {}},
        {"down on last line", {H0, "ab"}, {1, 1}, {{VK_DOWN, false}}, {1, 1}, false, {}},
        {"home", {H0, "abc"}, {1, 2}, {{VK_HOME, false}}, {1, 0}, false, {}},
        {"end", {H0, "abc"}, {1, 1}, {{VK_END, false}}, {1, 3}, false, {}},
        {"shift left", {H0, "abc"}, {1, 2}, {{VK_LEFT, true}}, {1, 1}, true, {1, 1, 1, 2}},
        {"shift left over GBK", {H0, gbk}, {1, 3}, {{VK_LEFT, true}}, {1, 1}, true, {1, 1, 1, 3}},
        {"shift left to previous line", {H0, "abc", "abc"}, {2, 0}, {{VK_LEFT, true}}, {1, 3}, true, {1, 3, 2, 0}},
        {"shift right and back", {H0, "abc"}, {1, 1}, {{VK_RIGHT, true}, {VK_RIGHT, true}, {VK_LEFT, true}},
         {1, 2}, true, {1, 1, 1, 2}},
        {"shift right to next line", {H0, "ab", "cd"}, {1, 2}, {{VK_RIGHT, true}}, {2, 0}, true, {1, 2, 2, 0}},
        {"shift down", {H0, "abc", "def"}, {1, 1}, {{VK_DOWN, true}}, {2, 1}, true, {1, 1, 2, 1}},
        {"shift up", {H0, "abc", "def"}, {2, 1}, {{VK_UP, true}}, {1, 1}, true, {1, 1, 2, 1}},
        {"shift home", {H0, "abcd"}, {1, 3}, {{VK_HOME, true}}, {1, 0}, true, {1, 0, 1, 3}},
        {"shift end", {H0, "abcd"}, {1, 1}, {{VK_END, true}}, {1, 4}, true, {1, 1, 1, 4}},
        {"shift home on one-line selection", {H0, "abcdef"}, {1, 2}, {{VK_RIGHT, true}, {VK_HOME, true}}, {1, 0},
         true, {1, 0, 1, 2}},
        {"shift end on one-line selection", {H0, "abcdef"}, {1, 4}, {{VK_LEFT, true}, {VK_END, true}}, {1, 6},
         true, {1, 4, 1, 6}},
        {"shift home over lines", {H0, "abc", "def"}, {1, 1}, {{VK_DOWN, true}, {VK_HOME, true}}, {2, 0}, true,
         {1, 1, 2, 0}},
        {"shift end over lines", {H0, "abc", "def"}, {2, 1}, {{VK_UP, true}, {VK_END, true}}, {1, 3}, true,
         {1, 3, 2, 1}},
        {"left drops selection at start", {H0, "abcd"}, {1, 1}, {{VK_RIGHT, true}, {VK_RIGHT, true}, {VK_LEFT, false}},
         {1, 1}, false, {1, 1, 1, 3}},
        {"right drops selection at end", {H0, "abcd"}, {1, 3}, {{VK_LEFT, true}, {VK_LEFT, true}, {VK_RIGHT, false}},
         {1, 3}, false, {1, 1, 1, 3}},
        {"insert key does nothing", {H0, "ab"}, {1, 1}, {{VK_INSERT, false}}, {1, 1}, false, {}},
    };
    for (const KeyCase& c : cases) {
        Start(c.before, c.caret);
        for (const auto& [key, shift] : c.keys)
            Press(key, shift);
        ExpectCaret(c.caretAfter, c.name);
        EXPECT_EQ(Editor().HasSelection(), c.selected ? TRUE : FALSE) << c.name;
        if (c.selected) {
            EXPECT_EQ(SelectionNow(), c.selection) << c.name;
        }
        EXPECT_EQ(Pushed(), 0) << c.name;
        EXPECT_EQ(Text(), c.before) << c.name;
    }
}

TEST_F(CILEditorEditingTest, LeavingLineNormalisesIt)
{
    const std::pair<UINT, Caret> moves[] = {
        {VK_UP, {2, 0}}, {VK_DOWN, {2, 0}}, {VK_LEFT, {2, 0}}, {VK_RIGHT, {2, 8}}};
    for (const auto& [key, caret] : moves) {
        Start({H0, "ld i0.0", "st q0.0", "ld i0.1"}, caret);
        Press(key);
        EXPECT_EQ(Text()[2], "ST      %Q0.0") << key;
        EXPECT_EQ(Text()[1], "ld i0.0") << key;
        EXPECT_EQ(Pushed(), 0) << key;
    }
}

TEST_F(CILEditorEditingTest, LeavingHeaderRenumbersNetworks)
{
    Start({H0, "ab", "(* Network 7 *)", "cd", "(* Network 9 *)"}, {2, 3});
    Press(VK_DOWN);
    EXPECT_EQ(Text(), (Lines {H0, "ab", H1, "cd", "(* Network 2 *)"}));
}

TEST_F(CILEditorEditingTest, PageKeys)
{
    Lines text {H0};
    for (int i = 1; i < 60; ++i)
        text.push_back("line" + std::to_string(i));
    // 200 pixels of 16-pixel lines: a page is 11 lines.
    Start(text, {5, 2});
    Press(VK_NEXT);
    ExpectCaret({5, 2}, "page down");
    EXPECT_EQ(m_host.scrollY, 11 * LINE_HEIGHT);
    Press(VK_PRIOR);
    EXPECT_EQ(m_host.scrollY, 0);
    ExpectCaret({5, 2}, "page up");

    Press(VK_NEXT, true);
    ExpectCaret({16, 6}, "shift page down");
    EXPECT_EQ(SelectionNow(), (Selection {5, 2, 16, 6}));
    Press(VK_PRIOR, true);
    Press(VK_PRIOR, true);
    ExpectCaret({0, 0}, "shift page up past the top");
    EXPECT_EQ(SelectionNow(), (Selection {0, 0, 5, 2}));

    Start(text, {55, 1});
    Press(VK_NEXT, true);
    ExpectCaret({59, 6}, "shift page down past the end");
    EXPECT_EQ(Pushed(), 0);
}

TEST_F(CILEditorEditingTest, CtrlHomeAndEndScrollToTopAndBottom)
{
    Lines text {H0};
    for (int i = 1; i < 150; ++i)
        text.push_back("x");
    Start(text, {20, 1});
    Press(VK_END, false, true);
    ExpectCaret({20, 1}, "ctrl end");
    EXPECT_EQ(m_host.scrollY, m_host.totalSize.cy - m_host.clientSize.cy);
    Press(VK_HOME, false, true);
    ExpectCaret({20, 0}, "ctrl home");
    EXPECT_EQ(m_host.scrollY, 0);
}

struct DeleteCase {
    const char* name;
    Lines before;
    Caret caret;
    Lines after;
    int snapshots;
};

TEST_F(CILEditorEditingTest, DeleteKey)
{
    const DeleteCase cases[] = {
        {"byte", {H0, "abc"}, {1, 1}, {H0, "ac"}, 1},
        {"GBK pair", {H0, "a" + ZHONG + "b"}, {1, 1}, {H0, "ab"}, 1},
        {"single byte twin", {H0, "axyb"}, {1, 1}, {H0, "ayb"}, 1},
        {"last byte", {H0, "abc"}, {1, 2}, {H0, "ab"}, 1},
        {"joins next line", {H0, "ab", "cd"}, {1, 2}, {H0, "abcd"}, 1},
        {"joins next header", {H0, "ab", H1}, {1, 2}, {H0, "ab" + H1}, 1},
        {"on header", {H0, "ab"}, {0, 2}, {H0, "ab"}, 0},
        {"at text end", {H0, "ab"}, {1, 2}, {H0, "ab"}, 0},
    };
    for (const DeleteCase& c : cases) {
        Start(c.before, c.caret);
        Press(VK_DELETE);
        EXPECT_EQ(Text(), c.after) << c.name;
        ExpectCaret(c.caret, c.name);
        EXPECT_EQ(Pushed(), c.snapshots) << c.name;
    }
}

struct SelectionDeleteCase {
    const char* name;
    Lines before;
    Selection selection;
    Lines after;
    Caret caretAfter;
};

TEST_F(CILEditorEditingTest, DeletingSelectionSparesHeaders)
{
    const SelectionDeleteCase cases[] = {
        {"within a line", {H0, "abcdef"}, {1, 1, 1, 4}, {H0, "aef"}, {1, 1}},
        {"over lines", {H0, "abc", "def", "ghi"}, {1, 1, 3, 2}, {H0, "ai"}, {1, 1}},
        {"from line 0 to the end", {H0, "abc", H1, "def"}, {0, 0, 3, 3}, {H0, ""}, {1, 0}},
        {"from a header's end", {H0, "abc", H1, "def"}, {2, 15, 3, 2}, {H0, "abc", H1, "f"}, {3, 0}},
        {"to a header's start", {H0, "abc", H1, "def"}, {1, 1, 2, 0}, {H0, "a", H1, "def"}, {1, 1}},
        {"over a header renumbers", {H0, "abc", H1, "d", "(* Network 2 *)"}, {1, 1, 3, 0},
         {H0, "ad", H1}, {1, 1}},
    };
    for (const SelectionDeleteCase& c : cases) {
        Start(c.before, {c.selection.endLine, c.selection.endColumn});
        Editor().SetSelection(c.selection.startLine, c.selection.startColumn, c.selection.endLine,
                              c.selection.endColumn);
        Press(VK_DELETE);
        EXPECT_EQ(Text(), c.after) << c.name;
        ExpectCaret(c.caretAfter, c.name);
        EXPECT_FALSE(Editor().HasSelection()) << c.name;
        EXPECT_EQ(Pushed(), 1) << c.name;
    }
}

TEST_F(CILEditorEditingTest, InsertNetwork)
{
    Start({H0, "LD      %I0.0", "", "(* Network 1 *)"}, {1, 3});
    Editor().InsertNetwork();
    EXPECT_EQ(Text(), (Lines {H0, "LD      %I0.0", H1, "", "(* Network 2 *)"}));
    ExpectCaret({2, 15}, "after a line");
    EXPECT_EQ(Pushed(), 1);

    Start({H0, "", "LD      %I0.0"}, {1, 0});
    Editor().InsertNetwork();
    EXPECT_EQ(Text(), (Lines {H0, H1, "LD      %I0.0"}));
    ExpectCaret({1, 15}, "on an empty line");
    EXPECT_EQ(Pushed(), 1);
}

TEST_F(CILEditorEditingTest, UndoAfterEachEditGoesBackOneEdit)
{
    Start({H0, ""}, {1, 0});
    Type("ab");
    Type("\r");
    Type("c");
    Editor().InsertNetwork();
    EXPECT_EQ(Pushed(), 5);
    EXPECT_EQ(Text(), (Lines {H0, "ab", "c", H1}));
    ASSERT_TRUE(m_program->Undo());
    EXPECT_EQ(Text(), (Lines {H0, "ab", "c"}));
    EXPECT_EQ(m_program->GetRedoCount(), 1);
    ASSERT_TRUE(m_program->Undo());
    EXPECT_EQ(Text(), (Lines {H0, "ab", ""}));
    ASSERT_TRUE(m_program->Undo());
    EXPECT_EQ(Text(), (Lines {H0, "ab"}));
    EXPECT_EQ(m_program->GetRedoCount(), 3);
    ASSERT_TRUE(m_program->Redo());
    EXPECT_EQ(Text(), (Lines {H0, "ab", ""}));
    Type("x");
    EXPECT_EQ(m_program->GetRedoCount(), 0);
}

TEST_F(CILEditorEditingTest, HelpTopicFollowsCaretLine)
{
    struct HelpCase {
        Lines text;
        Caret caret;
        BOOL monitoring;
        std::string topic;
    };
    const HelpCase cases[] = {
        {{H0, "Loop:"}, {1, 0}, FALSE, "LBL"},
        {{H0, ""}, {0, 0}, FALSE, "wangluo-IL"},
        {{H0, "LD      %I0.0"}, {1, 0}, FALSE, "LD"},
        {{H0, "LD      %I0.0"}, {1, 0}, TRUE, "jianshi-IL"},
    };
    for (const HelpCase& c : cases) {
        Start(c.text, c.caret);
        m_app->Monitoring = c.monitoring;
        Press(VK_F1);
        m_app->Monitoring = 0;
        const auto requests = m_ui.help.Requests();
        ASSERT_FALSE(requests.empty());
        EXPECT_EQ(requests.back().topic, c.topic);
    }
    Start({H0, "zzz"}, {1, 0});
    Press(VK_F1);
    EXPECT_EQ(m_ui.help.Requests().back().context, 220);
}

} // namespace
