#pragma once
// The one-line operand editor of the ladder editor. It has no window of its
// own: the ladder editor owns it, passes it the keys, characters and mouse
// events while an operand is typed, and lets it draw itself into the
// diagram. It keeps the text (GBK bytes, a double-byte character never
// split), the caret, a selection, the window of bytes the box shows, and
// the text it was opened with, which Undo restores.
//
// Coordinates are diagram pixels; drawing and the caret position subtract
// the scroll origin, given in whole cells. Character positions are the
// average character width apart until a paint has measured the shown text
// in the real font; from then on the caret, the selection and a press
// follow the measured glyphs.

#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CDC;

class CLDInplaceEdit {
public:
    // Typing: a character only while the text has at most 30 bytes, a GBK
    // lead byte only while it has at most 29, so text stays within 31 bytes.
    static constexpr int MAX_BYTES_FOR_CHAR = 30;
    static constexpr int MAX_BYTES_FOR_LEAD = 29;
    // The box shows this many bytes from the first visible one.
    static constexpr int VISIBLE_BYTES = 15;
    // The text starts this far right of and below the box's corner.
    static constexpr int TEXT_INSET = 3;
    static constexpr COLORREF TEXT_COLOR = RGB(0, 0, 0);
    static constexpr COLORREF BACK_COLOR = RGB(250, 250, 250);
    static constexpr COLORREF SELECTED_TEXT_COLOR = RGB(250, 250, 250);
    static constexpr COLORREF SELECTED_BACK_COLOR = RGB(16, 5, 116);

    CLDInplaceEdit();

    // The LD text font and its measures: average character width and line
    // height (height plus external leading).
    void CreateFont(const LOGFONT& font, const TEXTMETRIC& metrics);
    int GetCharWidth() const { return m_charWidth; }
    int GetLineHeight() const { return m_lineHeight; }

    // Opening on an operand label at the label's top-left corner: the box is
    // one cell wide and a line plus 5 pixels high, the text all selected,
    // mouse selection off and no half-typed double-byte character pending.
    void Open(const CPoint& labelCorner, int cellWidth, const std::string& text);
    // Back to idle after a commit: the text is emptied.
    void Close();

    // Text and initial text become the text; the caret goes to the end.
    void SetText(const std::string& text);
    const std::string& GetText() const { return m_text; }
    const std::string& GetInitialText() const { return m_initialText; }

    void Paint(CDC* dc, int column, int row);
    // The caret's client point for the scroll origin (column, row); kept.
    CPoint GetCaretPos(int column, int row);

    void InsertChar(UINT ch);
    // Left, Right, Home, End (with Shift: selecting) and Delete.
    void HandleKey(UINT key, BOOL shift);
    void PlaceCaret(int x);
    // (-1, -1) selects all; otherwise the range clamped to the text.
    void SetSelection(int start, int end);
    void DragTo(int x, int y, BOOL buttonDown);
    void DeleteSelection();
    // The selected text to the clipboard; FALSE when nothing is selected.
    BOOL Copy() const;
    // The clipboard's text at the caret, without the typing limit.
    BOOL Paste();
    // The initial text back, all selected; FALSE when the text is unchanged.
    BOOL Undo();
    void EnableMouseSelect(BOOL on) { m_mouseSelect = on ? TRUE : FALSE; }

    BOOL HasSelection() const { return m_hasSelection; }
    int GetSelectionStart() const { return m_selStart; }
    int GetSelectionEnd() const { return m_selEnd; }
    int GetCaret() const { return m_caret; }
    int GetAnchor() const { return m_anchor; }
    int GetFirstVisible() const { return m_firstVisible; }
    BOOL IsTrailPending() const { return m_pendingTrail; }
    // The bytes the box shows now.
    std::string GetVisibleText() const;
    // Whether a diagram point lies inside the box.
    BOOL Contains(int x, int y) const;
    CRect GetBox() const { return CRect(m_left, m_top, m_right, m_bottom); }

private:
    int Length() const { return static_cast<int>(m_text.size()); }
    BOOL IsHighByte(int index) const;
    BOOL IsTrailByte(int index) const;
    int VisibleCount() const;
    // The x of the gap before a byte, from the start of the shown text.
    int GapX(int index) const;
    // The byte under a diagram x (the last one left of it), clamped to the text.
    int IndexAt(int x) const;
    // Whether x lies nearer the gap after byte index than the one before it.
    BOOL PastHalf(int index, int x) const;
    // Measures the gaps of the shown text in the device's selected font.
    void MeasureGaps(CDC* dc, const std::string& shown);
    void ClearSelection();
    void SelectRange(int a, int b);
    // Moves the caret by a caret key with the selection rules of Shift.
    void MoveCaret(int caret, BOOL shift);
    void Erase(int start, int end);
    void ScrollToCaret();
    void BackSpace();
    void DeleteForward();

    BOOL m_pendingTrail = FALSE;
    BOOL m_hasSelection = FALSE;
    int m_selStart = 0;
    int m_selEnd = 0;
    std::string m_text;
    std::string m_initialText;
    int m_anchor = 0;
    int m_caret = 0;
    LOGFONT m_font {};
    int m_caretX = 0;
    int m_caretY = 0;
    int m_firstVisible = 0;
    BOOL m_mouseSelect = FALSE;
    int m_dragStart = 0;
    int m_left = 50;
    int m_top = 50;
    int m_right = 150;
    int m_bottom = 100;
    int m_charWidth = 8;
    int m_lineHeight = 16;
    // The measured gaps of the shown bytes, for this text from this first visible byte.
    std::vector<int> m_gaps;
    std::string m_gapsText;
    int m_gapsFirst = -1;
};
