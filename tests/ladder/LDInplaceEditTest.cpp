// The ladder editor's one-line operand editor: the typing limits of a
// 31-byte operand, GBK characters kept whole by typing, caret keys,
// deletion and the mouse, the 15-byte window of the box, the clipboard
// without the typing limit, undo to the opening text, and its drawing.

#include "ladder/CLDInplaceEdit.h"
#include "platform/CClipboard.h"
#include "platform/CMemoryClipboard.h"
#include "platform/CRecordingDC.h"
#include "platform/ui/WinMessages.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int GLYPH_WIDTH = 8;
constexpr int LINE_HEIGHT = 16;
// The box's label corner in diagram pixels: cell (2, 3).
constexpr int BOX_LEFT = 200;
constexpr int BOX_TOP = 120;
// "当" in GBK: a lead and a trail byte.
const std::string GBK_CHAR = "\xB5\xB1";

void Type(CLDInplaceEdit& edit, const std::string& bytes)
{
    for (unsigned char c : bytes)
        edit.InsertChar(c);
}

// The diagram x of the left edge of the byte at index (first visible 0).
int ByteX(int index)
{
    return BOX_LEFT + CLDInplaceEdit::TEXT_INSET + index * GLYPH_WIDTH;
}

class LDInplaceEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CClipboard::Set(&m_clipboard);
        LOGFONT font {};
        font.lfHeight = LINE_HEIGHT;
        TEXTMETRIC metrics;
        metrics.tmAveCharWidth = GLYPH_WIDTH;
        metrics.tmHeight = LINE_HEIGHT;
        m_edit.CreateFont(font, metrics);
    }
    void TearDown() override { CClipboard::Set(nullptr); }

    void Open(const std::string& text) { m_edit.Open(CPoint(BOX_LEFT, BOX_TOP), 100, text); }

    CMemoryClipboard m_clipboard;
    CLDInplaceEdit m_edit;
};

} // namespace

TEST_F(LDInplaceEditTest, OpeningSelectsAllInABoxOneCellWideAndALineHigh)
{
    Open("%I0.1");
    EXPECT_EQ(m_edit.GetBox(), CRect(BOX_LEFT, BOX_TOP, BOX_LEFT + 100, BOX_TOP + LINE_HEIGHT + 5));
    EXPECT_TRUE(m_edit.HasSelection());
    EXPECT_EQ(m_edit.GetSelectionStart(), 0);
    EXPECT_EQ(m_edit.GetSelectionEnd(), 5);
    EXPECT_EQ(m_edit.GetCaret(), 5);
    // Typing replaces the selected operand.
    Type(m_edit, "Q");
    EXPECT_EQ(m_edit.GetText(), "Q");
    EXPECT_FALSE(m_edit.HasSelection());
}

TEST_F(LDInplaceEditTest, TypingStopsAtThirtyOneBytesAndKeepsDoubleByteCharactersWhole)
{
    struct Case {
        const char* name;
        std::string text;
        std::string typed;
        std::string expected;
    } cases[] = {
        {"a character fits into 30 bytes", std::string(30, 'A'), "B", std::string(30, 'A') + "B"},
        {"31 bytes refuse a character", std::string(31, 'A'), "B", std::string(31, 'A')},
        {"29 bytes take a double-byte character", std::string(29, 'A'), GBK_CHAR, std::string(29, 'A') + GBK_CHAR},
        {"30 bytes refuse a double-byte character whole", std::string(30, 'A'), GBK_CHAR, std::string(30, 'A')},
        {"a refused character refuses the rest", std::string(30, 'A'), GBK_CHAR + "BC",
         std::string(30, 'A') + "B"},
        {"tab, return and control codes are ignored", "X", std::string("\t\r\x01\x1F", 4) + std::string(1, '\0'),
         "X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_edit.SetText(c.text);
        Type(m_edit, c.typed);
        EXPECT_EQ(m_edit.GetText(), c.expected);
        EXPECT_LE(m_edit.GetText().size(), 31u);
    }
}

TEST_F(LDInplaceEditTest, AHalfTypedCharacterOfOneEditDoesNotPairWithTheNext)
{
    Open("A");
    Type(m_edit, "\xB5");
    ASSERT_TRUE(m_edit.IsTrailPending());
    m_edit.Close();
    // Opened again on a 30-byte operand, a double-byte character is refused
    // whole instead of its lead byte taken for a trail byte.
    Open(std::string(30, 'A'));
    EXPECT_FALSE(m_edit.IsTrailPending());
    m_edit.SetSelection(30, 30);
    Type(m_edit, GBK_CHAR);
    EXPECT_EQ(m_edit.GetText(), std::string(30, 'A'));
}

TEST_F(LDInplaceEditTest, DeletionStepsOverDoubleByteCharacters)
{
    const std::string text = "A" + GBK_CHAR + "B"; // A, lead, trail, B
    struct Case {
        const char* name;
        int caret;
        bool backspace; // else the Delete key
        std::string expected;
        int caretAfter;
    } cases[] = {
        {"backspace after the character removes both bytes", 3, true, "AB", 1},
        {"backspace after a single byte removes it", 4, true, "A" + GBK_CHAR, 3},
        {"backspace at the start does nothing", 0, true, text, 0},
        {"delete before the character removes both bytes", 1, false, "AB", 1},
        {"delete at the end does nothing", 4, false, text, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_edit.SetText(text);
        m_edit.SetSelection(c.caret, c.caret);
        if (c.backspace)
            m_edit.InsertChar(VK_BACK);
        else
            m_edit.HandleKey(VK_DELETE, FALSE);
        EXPECT_EQ(m_edit.GetText(), c.expected);
        EXPECT_EQ(m_edit.GetCaret(), c.caretAfter);
    }
    // With a selection both keys remove just the selection.
    m_edit.SetText("ABCDE");
    m_edit.SetSelection(1, 3);
    m_edit.InsertChar(VK_BACK);
    EXPECT_EQ(m_edit.GetText(), "ADE");
    m_edit.SetSelection(0, 2);
    m_edit.HandleKey(VK_DELETE, FALSE);
    EXPECT_EQ(m_edit.GetText(), "E");
    EXPECT_EQ(m_edit.GetCaret(), 0);
}

TEST_F(LDInplaceEditTest, CaretKeysMoveAndSelectByCharacters)
{
    struct Step {
        UINT key;
        BOOL shift;
    };
    struct Case {
        const char* name;
        std::string text;
        int caret;
        std::vector<Step> keys;
        int caretAfter;
        int selStart;
        int selEnd; // equal to selStart: no selection
        int anchor;
    } cases[] = {
        {"two Shift+Left from the end select the last two bytes", "ABCDE", 5,
         {{VK_LEFT, TRUE}, {VK_LEFT, TRUE}}, 3, 3, 5, 5},
        {"Left steps back over a double-byte character", "A" + GBK_CHAR, 3, {{VK_LEFT, FALSE}}, 1, 0, 0, 3},
        {"Right steps over a double-byte character", GBK_CHAR + "B", 0, {{VK_RIGHT, FALSE}}, 2, 0, 0, 0},
        {"Shift+Home selects back to the start", "ABCD", 3, {{VK_HOME, TRUE}}, 0, 0, 3, 3},
        {"Shift+End then Shift+Left shrinks from the anchor", "ABCD", 1, {{VK_END, TRUE}, {VK_LEFT, TRUE}}, 3, 1, 3,
         1},
        {"a plain key clears the selection", "ABCD", 1, {{VK_END, TRUE}, {VK_LEFT, FALSE}}, 3, 0, 0, 1},
        {"Left at the start stays", "AB", 0, {{VK_LEFT, FALSE}}, 0, 0, 0, 0},
        {"Right at the end stays", "AB", 2, {{VK_RIGHT, TRUE}}, 2, 0, 0, 2},
        {"other keys are ignored", "AB", 1, {{VK_UP, FALSE}, {VK_F1, TRUE}}, 1, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_edit.SetText(c.text);
        m_edit.SetSelection(c.caret, c.caret);
        for (const Step& step : c.keys)
            m_edit.HandleKey(step.key, step.shift);
        EXPECT_EQ(m_edit.GetCaret(), c.caretAfter);
        EXPECT_EQ(m_edit.HasSelection() != FALSE, c.selStart != c.selEnd);
        if (c.selStart != c.selEnd) {
            EXPECT_EQ(m_edit.GetSelectionStart(), c.selStart);
            EXPECT_EQ(m_edit.GetSelectionEnd(), c.selEnd);
            EXPECT_EQ(m_edit.GetAnchor(), c.anchor);
        }
        EXPECT_EQ(m_edit.GetText(), c.text);
    }
}

TEST_F(LDInplaceEditTest, TheBoxShowsFifteenBytesAroundTheCaret)
{
    std::string twenty;
    for (int i = 0; i < 20; ++i)
        twenty += static_cast<char>('a' + i);
    Open(twenty);
    EXPECT_EQ(m_edit.GetFirstVisible(), 5);
    EXPECT_EQ(m_edit.GetVisibleText(), twenty.substr(5, 15));
    m_edit.HandleKey(VK_HOME, FALSE);
    EXPECT_EQ(m_edit.GetFirstVisible(), 0);
    EXPECT_EQ(m_edit.GetVisibleText(), twenty.substr(0, 15));

    // The window never starts or ends inside a double-byte character.
    const std::string mixed = "ABCDEFGHIJKLMN" + GBK_CHAR + "OPQRS" + GBK_CHAR; // 23 bytes
    Open(mixed);
    EXPECT_EQ(m_edit.GetFirstVisible(), 8);
    m_edit.HandleKey(VK_HOME, FALSE);
    EXPECT_EQ(m_edit.GetVisibleText(), mixed.substr(0, 14));
    const std::string trailFirst = "ABCDEF" + GBK_CHAR + "GHIJKLMNOPQRST"; // caret - 15 falls on the trail byte
    Open(trailFirst);
    EXPECT_EQ(m_edit.GetFirstVisible(), 8);

    // The caret point follows the window and the scroll origin.
    Open(twenty);
    EXPECT_EQ(m_edit.GetCaretPos(1, 2), CPoint(15 * GLYPH_WIDTH + BOX_LEFT - 100 + 3, BOX_TOP - 80 + 3));
}

TEST_F(LDInplaceEditTest, APressPlacesTheCaretInTheNearestGapAndADragSelects)
{
    const std::string text = "AB" + GBK_CHAR + "CD"; // A B lead trail C D
    struct Case {
        const char* name;
        int x;
        int caret;
    } cases[] = {
        {"left part of B", ByteX(1) + 2, 1},
        {"right part of B", ByteX(1) + 6, 2},
        {"right part of the lead byte moves past the character", ByteX(2) + 6, 4},
        {"left of the box", BOX_LEFT - 30, 0},
        {"far right", BOX_LEFT + 400, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open(text);
        m_edit.PlaceCaret(c.x);
        EXPECT_EQ(m_edit.GetCaret(), c.caret);
        EXPECT_FALSE(m_edit.HasSelection());
    }

    Open(text);
    // Without a press first, mouse selection is off and a drag does nothing.
    m_edit.DragTo(ByteX(5), BOX_TOP, TRUE);
    EXPECT_EQ(m_edit.GetSelectionEnd(), 6);
    EXPECT_EQ(m_edit.GetCaret(), 6);
    m_edit.PlaceCaret(ByteX(1));
    m_edit.DragTo(ByteX(3) + 1, BOX_TOP, FALSE);
    EXPECT_FALSE(m_edit.HasSelection());
    // Onto the trail byte, right of the anchor: the selection takes the whole character.
    m_edit.DragTo(ByteX(3) + 1, BOX_TOP, TRUE);
    EXPECT_TRUE(m_edit.HasSelection());
    EXPECT_EQ(m_edit.GetSelectionStart(), 1);
    EXPECT_EQ(m_edit.GetSelectionEnd(), 4);
    // Past half of C, the selection rounds up behind it.
    m_edit.DragTo(ByteX(4) + 5, BOX_TOP, TRUE);
    EXPECT_EQ(m_edit.GetSelectionEnd(), 5);
    EXPECT_EQ(m_edit.GetCaret(), 5);
    // Back left of the anchor onto a trail byte: it stops before the character.
    m_edit.PlaceCaret(ByteX(5));
    m_edit.DragTo(ByteX(3) + 1, BOX_TOP, TRUE);
    EXPECT_EQ(m_edit.GetSelectionStart(), 2);
    EXPECT_EQ(m_edit.GetSelectionEnd(), 5);
}

TEST_F(LDInplaceEditTest, ClipboardCarriesTheSelectionAndPasteHasNoLimit)
{
    Open("%IW10");
    m_edit.SetSelection(1, 3);
    ASSERT_TRUE(m_edit.Copy());
    std::string text;
    ASSERT_TRUE(m_clipboard.GetText(&text));
    EXPECT_EQ(text, "IW");

    m_edit.SetSelection(2, 2);
    EXPECT_FALSE(m_edit.Copy());

    const std::string forty(40, 'X');
    m_clipboard.SetText(forty);
    m_edit.SetText("ab");
    m_edit.SetSelection(0, 1);
    ASSERT_TRUE(m_edit.Paste());
    EXPECT_EQ(m_edit.GetText(), forty + "b");
    EXPECT_EQ(m_edit.GetCaret(), 40);
    EXPECT_FALSE(m_edit.HasSelection());
    // Typing is still limited after the paste.
    Type(m_edit, "Z");
    EXPECT_EQ(m_edit.GetText(), forty + "b");

    m_clipboard.Empty();
    EXPECT_FALSE(m_edit.Paste());
    EXPECT_EQ(m_edit.GetText(), forty + "b");
}

TEST_F(LDInplaceEditTest, UndoRestoresTheOpeningTextAllSelected)
{
    Open("%Q0.0");
    EXPECT_FALSE(m_edit.Undo());
    Type(m_edit, "%M1.");
    m_edit.HandleKey(VK_LEFT, FALSE);
    Type(m_edit, GBK_CHAR);
    ASSERT_NE(m_edit.GetText(), "%Q0.0");
    EXPECT_TRUE(m_edit.Undo());
    EXPECT_EQ(m_edit.GetText(), "%Q0.0");
    EXPECT_EQ(m_edit.GetSelectionStart(), 0);
    EXPECT_EQ(m_edit.GetSelectionEnd(), 5);
    EXPECT_EQ(m_edit.GetCaret(), 5);
    m_edit.Close();
    EXPECT_EQ(m_edit.GetText(), "");
}

TEST_F(LDInplaceEditTest, PaintDrawsTheBoxTextAndSelectionAndRestoresTheDevice)
{
    Open("%I0.1");
    m_edit.SetSelection(1, 3);
    CRecordingDC dc;
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetBkColor(RGB(4, 5, 6));
    dc.SetBkMode(TRANSPARENT);
    dc.ClearCalls();
    m_edit.Paint(&dc, 1, 2);
    const std::vector<std::string>& calls = dc.Calls();
    auto at = [&](const std::string& call) {
        return std::find(calls.begin(), calls.end(), call) - calls.begin();
    };
    const auto size = static_cast<long>(calls.size());
    const auto box = at("Rectangle(100,40,200,61)");
    const auto text = at("TextOut(103,43,\"%I0.1\")");
    const auto selected = at("TextOut(111,43,\"I0\")");
    ASSERT_LT(box, size);
    ASSERT_LT(text, size);
    ASSERT_LT(selected, size);
    EXPECT_LT(box, text);
    EXPECT_LT(text, selected);
    EXPECT_LT(at("SetBkColor(RGB(16,5,116))"), selected);
    EXPECT_LT(at("SetTextColor(RGB(250,250,250))"), selected);
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));
    EXPECT_EQ(dc.GetBkColor(), RGB(4, 5, 6));
    EXPECT_EQ(dc.GetBkMode(), TRANSPARENT);
}

TEST_F(LDInplaceEditTest, AfterAPaintTheCaretAndPressesFollowTheMeasuredGlyphs)
{
    // The device measures 10 pixels a byte, wider than the font's average of 8.
    LOGFONT wide {};
    wide.lfHeight = 20;
    TEXTMETRIC metrics;
    metrics.tmAveCharWidth = GLYPH_WIDTH;
    metrics.tmHeight = LINE_HEIGHT;
    m_edit.CreateFont(wide, metrics);
    Open("ABCD");
    EXPECT_EQ(m_edit.GetCaretPos(0, 0).x, BOX_LEFT + 3 + 4 * GLYPH_WIDTH);
    CRecordingDC dc;
    m_edit.SetSelection(2, 4);
    m_edit.Paint(&dc, 0, 0);
    EXPECT_NE(std::find(dc.Calls().begin(), dc.Calls().end(), "TextOut(" + std::to_string(BOX_LEFT + 3 + 20) + "," +
                                                                    std::to_string(BOX_TOP + 3) + ",\"CD\")"),
              dc.Calls().end());
    EXPECT_EQ(m_edit.GetCaretPos(0, 0).x, BOX_LEFT + 3 + 40);
    m_edit.PlaceCaret(BOX_LEFT + 3 + 26);
    EXPECT_EQ(m_edit.GetCaret(), 3);
    EXPECT_EQ(m_edit.GetCaretPos(0, 0).x, BOX_LEFT + 3 + 30);
    // Typing changes the text: until the next paint the average width counts again.
    Type(m_edit, "X");
    EXPECT_EQ(m_edit.GetCaretPos(0, 0).x, BOX_LEFT + 3 + 4 * GLYPH_WIDTH);
}
