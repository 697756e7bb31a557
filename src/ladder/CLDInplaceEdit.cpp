#include "CLDInplaceEdit.h"

#include "CLDElement.h"
#include "model/CZULAppData.h"
#include "platform/CBrush.h"
#include "platform/CClipboard.h"
#include "platform/CDC.h"
#include "platform/CFont.h"
#include "platform/CPen.h"
#include "platform/Gbk.h"
#include "platform/ui/WinMessages.h"

#include <algorithm>

namespace {
constexpr UINT CHAR_BACKSPACE = 0x08;
constexpr UINT CHAR_TAB = 0x09;
constexpr UINT CHAR_RETURN = 0x0D;
constexpr UINT FIRST_PRINTABLE = 32;
constexpr UINT LAST_SINGLE_BYTE = 127;
constexpr UINT LAST_BYTE = 255;
constexpr int BOX_EXTRA_HEIGHT = 5;
constexpr BYTE HIGH_BIT = 0x80;
} // namespace

CLDInplaceEdit::CLDInplaceEdit() = default;

void CLDInplaceEdit::CreateFont(const LOGFONT& font, const TEXTMETRIC& metrics)
{
    m_font = font;
    m_charWidth = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    m_lineHeight = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
}

void CLDInplaceEdit::Open(const CPoint& labelCorner, int cellWidth, const std::string& text)
{
    m_left = labelCorner.x;
    m_top = labelCorner.y;
    m_right = m_left + cellWidth;
    m_bottom = m_top + m_lineHeight + BOX_EXTRA_HEIGHT;
    // A lead byte typed into the last edit must not pair with this one's first byte.
    m_pendingTrail = FALSE;
    SetText(text);
    SetSelection(-1, -1);
    m_mouseSelect = FALSE;
}

void CLDInplaceEdit::Close()
{
    m_text.clear();
    m_initialText.clear();
    m_caret = 0;
    m_anchor = 0;
    m_firstVisible = 0;
    m_mouseSelect = FALSE;
    ClearSelection();
}

void CLDInplaceEdit::SetText(const std::string& text)
{
    m_text = text;
    m_initialText = text;
    m_caret = Length();
    m_firstVisible = 0;
    ScrollToCaret();
}

BOOL CLDInplaceEdit::IsHighByte(int index) const
{
    if (index < 0 || index >= Length())
        return FALSE;
    return (static_cast<BYTE>(m_text[size_t(index)]) & HIGH_BIT) ? TRUE : FALSE;
}

BOOL CLDInplaceEdit::IsTrailByte(int index) const
{
    return CZULAppData::GetDbcsByteKind(m_text, index) == DBCS_TRAIL ? TRUE : FALSE;
}

// The window never ends inside a double-byte character: when its last
// byte would be a lead byte, that character is left for the next window.
int CLDInplaceEdit::VisibleCount() const
{
    const int last = m_firstVisible + VISIBLE_BYTES - 1;
    const int count = CZULAppData::GetDbcsByteKind(m_text, last) == DBCS_LEAD ? VISIBLE_BYTES - 1 : VISIBLE_BYTES;
    return std::max(0, std::min(count, Length() - m_firstVisible));
}

std::string CLDInplaceEdit::GetVisibleText() const
{
    if (m_firstVisible >= Length())
        return std::string();
    return m_text.substr(size_t(m_firstVisible), size_t(VisibleCount()));
}

void CLDInplaceEdit::ScrollToCaret()
{
    if (m_caret - m_firstVisible > VISIBLE_BYTES)
        m_firstVisible = m_caret - VISIBLE_BYTES;
    if (m_caret < m_firstVisible)
        m_firstVisible = m_caret;
    m_firstVisible = std::clamp(m_firstVisible, 0, Length());
    if (IsTrailByte(m_firstVisible))
        ++m_firstVisible;
}

BOOL CLDInplaceEdit::Contains(int x, int y) const
{
    return x >= m_left && x < m_right && y >= m_top && y < m_bottom ? TRUE : FALSE;
}

void CLDInplaceEdit::ClearSelection()
{
    m_hasSelection = FALSE;
    m_selStart = 0;
    m_selEnd = 0;
}

void CLDInplaceEdit::SelectRange(int a, int b)
{
    m_selStart = std::min(a, b);
    m_selEnd = std::max(a, b);
    m_hasSelection = m_selStart < m_selEnd ? TRUE : FALSE;
}

void CLDInplaceEdit::SetSelection(int start, int end)
{
    if (start == -1 && end == -1) {
        SelectRange(0, Length());
        m_anchor = 0;
        m_caret = Length();
        ScrollToCaret();
        return;
    }
    start = std::clamp(start, 0, Length());
    end = std::clamp(end, 0, Length());
    if (end < start)
        return;
    SelectRange(start, end);
    m_anchor = start;
    m_caret = end;
    ScrollToCaret();
}

void CLDInplaceEdit::Erase(int start, int end)
{
    start = std::clamp(start, 0, Length());
    end = std::clamp(end, start, Length());
    m_text.erase(size_t(start), size_t(end - start));
    m_caret = start;
    ScrollToCaret();
}

void CLDInplaceEdit::DeleteSelection()
{
    if (m_hasSelection)
        Erase(m_selStart, m_selEnd);
    ClearSelection();
}

void CLDInplaceEdit::BackSpace()
{
    if (m_hasSelection) {
        DeleteSelection();
        return;
    }
    if (m_caret <= 0)
        return;
    const int width = IsHighByte(m_caret - 1) ? 2 : 1;
    Erase(std::max(0, m_caret - width), m_caret);
}

void CLDInplaceEdit::DeleteForward()
{
    if (m_hasSelection) {
        DeleteSelection();
        return;
    }
    if (m_caret >= Length())
        return;
    const int width = IsHighByte(m_caret) ? 2 : 1;
    Erase(m_caret, m_caret + width);
}

void CLDInplaceEdit::InsertChar(UINT ch)
{
    if (ch == CHAR_RETURN || ch == CHAR_TAB)
        return;
    if (ch == CHAR_BACKSPACE) {
        BackSpace();
        return;
    }
    if (ch < FIRST_PRINTABLE || ch > LAST_BYTE)
        return;
    DeleteSelection();
    if (Length() > MAX_BYTES_FOR_CHAR)
        return;
    if (ch > LAST_SINGLE_BYTE) {
        if (!m_pendingTrail) {
            if (Length() > MAX_BYTES_FOR_LEAD)
                return;
            m_pendingTrail = TRUE;
        } else {
            m_pendingTrail = FALSE;
        }
    }
    m_text.insert(size_t(m_caret), 1, static_cast<char>(ch));
    ++m_caret;
    ScrollToCaret();
}

void CLDInplaceEdit::MoveCaret(int caret, BOOL shift)
{
    const int old = m_caret;
    m_caret = std::clamp(caret, 0, Length());
    if (!shift) {
        ClearSelection();
    } else if (m_hasSelection) {
        SelectRange(m_anchor, m_caret);
    } else {
        m_anchor = old;
        SelectRange(old, m_caret);
    }
    ScrollToCaret();
}

void CLDInplaceEdit::HandleKey(UINT key, BOOL shift)
{
    switch (key) {
    case VK_LEFT:
        if (m_caret <= 0) {
            if (!shift)
                ClearSelection();
            return;
        }
        MoveCaret(m_caret - (IsHighByte(m_caret - 1) ? 2 : 1), shift);
        return;
    case VK_RIGHT:
        if (m_caret >= Length()) {
            if (!shift)
                ClearSelection();
            return;
        }
        MoveCaret(m_caret + (IsHighByte(m_caret) ? 2 : 1), shift);
        return;
    case VK_HOME:
        MoveCaret(0, shift);
        return;
    case VK_END:
        MoveCaret(Length(), shift);
        return;
    case VK_DELETE:
        DeleteForward();
        return;
    default:
        return;
    }
}

int CLDInplaceEdit::GapX(int index) const
{
    const int shown = static_cast<int>(m_gaps.size()) - 1;
    const BOOL measured = shown >= 0 && m_gapsFirst == m_firstVisible && m_gapsText == m_text;
    const int k = index - m_firstVisible;
    if (!measured || k < 0)
        return k * m_charWidth;
    if (k > shown)
        return m_gaps[size_t(shown)] + (k - shown) * m_charWidth;
    return m_gaps[size_t(k)];
}

int CLDInplaceEdit::IndexAt(int x) const
{
    const int offset = x - m_left - TEXT_INSET;
    if (offset < 0)
        return std::max(0, m_firstVisible - 1);
    int index = m_firstVisible;
    while (index < Length() && GapX(index + 1) <= offset)
        ++index;
    return index;
}

BOOL CLDInplaceEdit::PastHalf(int index, int x) const
{
    if (index >= Length())
        return FALSE;
    const int offset = x - m_left - TEXT_INSET;
    return offset * 2 > GapX(index) + GapX(index + 1) ? TRUE : FALSE;
}

// The caret goes into the character gap nearest to the press, never
// between the two bytes of a double-byte character.
void CLDInplaceEdit::PlaceCaret(int x)
{
    int caret = IndexAt(x);
    if (PastHalf(caret, x))
        ++caret;
    if (IsTrailByte(caret))
        ++caret;
    m_caret = std::min(caret, Length());
    ClearSelection();
    m_mouseSelect = TRUE;
    m_anchor = m_caret;
    m_dragStart = m_caret;
}

void CLDInplaceEdit::DragTo(int x, int, BOOL buttonDown)
{
    if (!buttonDown || !m_mouseSelect)
        return;
    int p = IndexAt(x);
    if (p == m_dragStart)
        return;
    if (IsTrailByte(p))
        p += p < m_anchor ? -1 : 1;
    else if (!IsHighByte(p) && PastHalf(p, x))
        ++p;
    p = std::clamp(p, 0, Length());
    SelectRange(m_anchor, p);
    m_caret = p;
    ScrollToCaret();
}

BOOL CLDInplaceEdit::Copy() const
{
    if (!m_hasSelection || m_selEnd <= m_selStart)
        return FALSE;
    IClipboard& clipboard = CClipboard::Get();
    clipboard.Empty();
    return clipboard.SetText(m_text.substr(size_t(m_selStart), size_t(m_selEnd - m_selStart)));
}

BOOL CLDInplaceEdit::Paste()
{
    std::string pasted;
    if (!CClipboard::Get().GetText(&pasted))
        return FALSE;
    DeleteSelection();
    m_text.insert(size_t(m_caret), pasted);
    m_caret += static_cast<int>(pasted.size());
    ClearSelection();
    ScrollToCaret();
    return TRUE;
}

BOOL CLDInplaceEdit::Undo()
{
    if (m_text == m_initialText)
        return FALSE;
    m_text = m_initialText;
    SetSelection(-1, -1);
    return TRUE;
}

CPoint CLDInplaceEdit::GetCaretPos(int column, int row)
{
    m_caretX = GapX(m_caret) + m_left - column * LD_CELL_WIDTH + TEXT_INSET;
    m_caretY = m_top - row * LD_CELL_HEIGHT + TEXT_INSET;
    return CPoint(m_caretX, m_caretY);
}

void CLDInplaceEdit::Paint(CDC* dc, int column, int row)
{
    if (!dc)
        return;
    const int dx = column * LD_CELL_WIDTH;
    const int dy = row * LD_CELL_HEIGHT;
    const CRect box(m_left - dx, m_top - dy, m_right - dx, m_bottom - dy);
    CPen pen(PS_SOLID, 1, TEXT_COLOR);
    CBrush brush(BACK_COLOR);
    CFont font;
    font.CreateFontIndirect(&m_font);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    CFont* oldFont = dc->SelectObject(&font);
    const int oldMode = dc->SetBkMode(OPAQUE);
    const COLORREF oldText = dc->SetTextColor(TEXT_COLOR);
    const COLORREF oldBack = dc->SetBkColor(BACK_COLOR);
    dc->Rectangle(box);
    const int textX = box.left + TEXT_INSET;
    const int textY = box.top + TEXT_INSET;
    const std::string shown = GetVisibleText();
    MeasureGaps(dc, shown);
    dc->TextOut(textX, textY, shown);
    const int shownEnd = m_firstVisible + static_cast<int>(shown.size());
    const int from = std::max(m_selStart, m_firstVisible);
    const int to = std::min(m_selEnd, shownEnd);
    if (m_hasSelection && from < to) {
        dc->SetTextColor(SELECTED_TEXT_COLOR);
        dc->SetBkColor(SELECTED_BACK_COLOR);
        dc->TextOut(textX + GapX(from), textY,
                    m_text.substr(size_t(from), size_t(to - from)));
    }
    dc->SetBkColor(oldBack);
    dc->SetTextColor(oldText);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

void CLDInplaceEdit::MeasureGaps(CDC* dc, const std::string& shown)
{
    std::vector<int> ends;
    dc->GetCharacterEnds(shown, &ends);
    m_gaps.assign(1, 0);
    size_t byte = 0;
    for (int end : ends) {
        if (byte >= shown.size())
            break;
        const size_t length = static_cast<size_t>(std::max(1, GbkCharLength(shown, byte)));
        // Inside a double-byte character the gap is its middle.
        if (length == 2)
            m_gaps.push_back((m_gaps.back() + end) / 2);
        m_gaps.push_back(end);
        byte += length;
    }
    m_gaps.resize(shown.size() + 1, m_gaps.back());
    m_gapsText = m_text;
    m_gapsFirst = m_firstVisible;
}
