// The IL editor's painting and scrolling: the text with its colours, the
// selection and the find marks, the gutter with line numbers and marks, the
// monitor column with its live values, the status panes, and the scroll
// range and position that keep the caret in view.

#include "CILEditor.h"

#include "CILEditorShared.h"
#include "CILProgram.h"
#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CDC.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

using namespace ILEditorShared;

namespace {
constexpr int EDGE_COLUMNS = 10;
constexpr int HSCROLL_PAGE_COLUMNS = 20;
constexpr COLORREF WORD_COLOR = RGB(0, 0, 0);
constexpr COLORREF RESERVED_COLOR = RGB(31, 10, 218);
constexpr COLORREF SEPARATOR_COLOR = RGB(53, 32, 120);
constexpr COLORREF COMMENT_COLOR = RGB(0, 127, 0);
constexpr COLORREF SELECTED_TEXT_COLOR = RGB(250, 250, 250);
constexpr COLORREF SELECTED_BACK_COLOR = RGB(0, 0, 0);
constexpr COLORREF GUTTER_PEN_COLOR = RGB(250, 250, 250);
constexpr COLORREF GUTTER_COLOR = RGB(216, 216, 216);
constexpr COLORREF GOTO_MARK_COLOR = RGB(128, 64, 64);
constexpr COLORREF ERROR_MARK_COLOR = RGB(255, 0, 0);
constexpr COLORREF MONITOR_FRAME_COLOR = RGB(255, 255, 0);
constexpr int MAX_PAINT_LINES = 100;
constexpr int MONITOR_TEXT_SHIFT = 8;
constexpr int MONITOR_GOTO_SHIFT = 10;
constexpr int MONITOR_COLUMN_WIDTH = 300;
constexpr DWORD MONITOR_LOCK_WAIT_MS = 100;
constexpr int GUTTER_FONT_HEIGHT = 16;
constexpr int GUTTER_NUMBER_X = 1;
constexpr int GOTO_MARK_LEFT = 15;
constexpr int GOTO_MARK_RIGHT = 5;
constexpr int GOTO_MARK_INSET = 3;
constexpr int IL_LANGUAGE = 1;
constexpr int STATUS_PANE_NETWORK = 1;
constexpr int STATUS_PANE_POSITION = 2;
const char* const NOT_RESERVED[] = {"Q1", "R1", "L", "D"};

// Separators of the colouring: the blank and the printable ASCII punctuation.
bool IsPaintSeparator(char c)
{
    const BYTE b = static_cast<BYTE>(c);
    return (b >= 0x20 && b <= 0x2F) || (b >= 0x3A && b <= 0x40) || (b >= 0x5B && b <= 0x5E) || b == 0x60 ||
           (b >= 0x7B && b <= 0x7F);
}

bool IsOperatorByte(char c)
{
    return std::strchr("%&*+-/:<=>@", c) != nullptr && c != '\0';
}

bool IsColouredReserved(const std::string& word)
{
    const std::string upper = ByteString::Upper(word);
    for (const char* excluded : NOT_RESERVED) {
        if (upper == excluded)
            return false;
    }
    return IsReservedWord(upper);
}

// The end (exclusive) of the comment that opens at pos: after its "*)" or the line's end.
size_t CommentEnd(const std::string& line, size_t pos)
{
    for (size_t k = pos + 2; k < line.size(); ++k) {
        if (line[k] == ')' && line[k - 1] == '*' && line[k - 2] != '(')
            return k + 1;
    }
    return line.size();
}
} // namespace

// ---- scrolling ----

int CILEditor::FirstVisibleLine() const
{
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    return y / m_lineHeight;
}

void CILEditor::UpdateScrollHeight()
{
    m_host->SetScrollSizes(CSize(EXTENT_COLUMNS * m_charWidth,
                                 std::max(MIN_SCROLL_LINES, m_program.GetLineCount()) * m_lineHeight),
                           CSize(PAGE_COLUMNS * m_charWidth, PAGE_LINES * m_lineHeight),
                           CSize(LINE_COLUMNS * m_charWidth, m_lineHeight));
}

// Scrolls to a position clamped to the scroll range.
void CILEditor::ScrollToPosition(int x, int y)
{
    const CSize total = m_host->GetTotalSize();
    const CSize client = m_host->GetClientSize();
    m_host->ScrollTo(std::clamp(x, 0, std::max(0, total.cx - client.cx)),
                     std::clamp(y, 0, std::max(0, total.cy - client.cy)));
}

void CILEditor::ScrollByLines(int lines)
{
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    ScrollToPosition(x, y + lines * m_lineHeight);
}

int CILEditor::PageLines() const
{
    return std::max(1, m_host->GetClientSize().cy / m_lineHeight - 1);
}

BOOL CILEditor::EnsureCaretVisible()
{
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    const CSize client = m_host->GetClientSize();
    const int caretX = TextStart() + m_caretColumn * m_charWidth;
    const int caretY = m_caretLine * m_lineHeight;
    int newX = x;
    int newY = y;
    if (caretX > x + client.cx - EDGE_COLUMNS * m_charWidth)
        newX = caretX - client.cx + EDGE_COLUMNS * m_charWidth;
    else if (caretX < x + TextStart())
        newX = caretX - TextStart() - EDGE_COLUMNS * m_charWidth;
    if (caretY < y)
        newY = caretY;
    else if (caretY + m_lineHeight > y + client.cy)
        newY = caretY + m_lineHeight - client.cy;
    if (newX == x && newY == y)
        return FALSE;
    ScrollToPosition(newX, newY);
    return TRUE;
}

void CILEditor::ScrollToCaret(int extraColumns)
{
    const CSize client = m_host->GetClientSize();
    const int page = PageLines();
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    const int first = y / m_lineHeight;
    if (m_caretLine < first || m_caretLine > first + page) {
        const int step = std::abs(m_caretLine - first) > page ? page : 1;
        const int target = m_caretLine < first ? std::max(0, m_caretLine) : m_caretLine - page;
        int line = first;
        while (line != target && std::abs(target - line) >= step)
            line += (target > line ? step : -step);
        y = std::max(0, target) * m_lineHeight;
    }
    const int right = TextStart() + (m_caretColumn + extraColumns) * m_charWidth;
    if (right > x + client.cx)
        x = right - client.cx;
    else if (TextStart() + m_caretColumn * m_charWidth < x + TextStart())
        x = m_caretColumn * m_charWidth;
    ScrollToPosition(x, y);
    PlaceCaret();
}

void CILEditor::OnVScroll(UINT code, UINT position)
{
    if (!m_host)
        return;
    m_host->HideCaret();
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    const int page = PageLines() * m_lineHeight;
    switch (code) {
    case POU_SCROLL_LINEUP:
        y -= m_lineHeight;
        break;
    case POU_SCROLL_LINEDOWN:
        y += m_lineHeight;
        break;
    case POU_SCROLL_PAGEUP:
        y -= page;
        break;
    case POU_SCROLL_PAGEDOWN:
        y += page;
        break;
    case POU_SCROLL_THUMBTRACK:
        y = static_cast<int>(position);
        break;
    case POU_SCROLL_TOP:
        y = 0;
        break;
    case POU_SCROLL_BOTTOM:
        y = m_host->GetTotalSize().cy;
        break;
    default:
        break;
    }
    ScrollToPosition(x, y);
    PlaceCaret();
    m_host->Invalidate();
}

void CILEditor::OnHScroll(UINT code, UINT position)
{
    if (!m_host)
        return;
    m_host->HideCaret();
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    switch (code) {
    case POU_SCROLL_LINEUP:
        x -= m_charWidth;
        break;
    case POU_SCROLL_LINEDOWN:
        x += m_charWidth;
        break;
    case POU_SCROLL_PAGEUP:
        x -= HSCROLL_PAGE_COLUMNS * m_charWidth;
        break;
    case POU_SCROLL_PAGEDOWN:
        x += HSCROLL_PAGE_COLUMNS * m_charWidth;
        break;
    case POU_SCROLL_THUMBTRACK:
        x = static_cast<int>(position);
        break;
    case POU_SCROLL_TOP:
        x = 0;
        break;
    default:
        break;
    }
    ScrollToPosition(x, y);
    PlaceCaret();
    m_host->Invalidate();
}

BOOL CILEditor::OnMouseWheel(UINT, short delta, int, int)
{
    return ScrollByWheel(delta);
}

void CILEditor::SetScrollHeightLines(int lines)
{
    m_host->SetScrollSizes(CSize(EXTENT_COLUMNS * m_charWidth, lines * m_lineHeight),
                           CSize(PAGE_COLUMNS * m_charWidth, PAGE_LINES * m_lineHeight),
                           CSize(LINE_COLUMNS * m_charWidth, m_lineHeight));
}

// ---- painting and live values ----

void CILEditor::SetGoToMarker(int line, BOOL shown)
{
    m_goToLine = line;
    m_goToShown = shown;
}

void CILEditor::OnPaint(CDC* dc)
{
    if (!dc || !m_host)
        return;
    const CSize client = m_host->GetClientSize();
    std::unique_ptr<CDC> memory = dc->CreateCompatibleDC(client.cx, client.cy);
    if (!memory)
        return;
    PaintClient(*memory);
    dc->BitBlt(0, 0, client.cx, client.cy, memory.get(), 0, 0, SRCCOPY);
    UpdateStatusPanes();
}

void CILEditor::PaintClient(CDC& dc)
{
    if (!m_host)
        return;
    const CSize client = m_host->GetClientSize();
    CPen* oldPen = static_cast<CPen*>(dc.SelectStockObject(WHITE_PEN));
    dc.Rectangle(0, 0, client.cx, client.cy);
    dc.SelectObject(oldPen);
    CFont font;
    font.CreateFontIndirect(&m_textFont);
    CFont* oldFont = dc.SelectObject(&font);
    PaintText(dc);
    if (IsMonitoring())
        PaintMonitorColumn(dc);
    dc.SelectObject(oldFont);
    PaintGutter(dc);
}

int CILEditor::PaintTextStart() const
{
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    return TextStart() - x;
}

void CILEditor::DrawPiece(CDC& dc, const std::string& line, size_t start, size_t end, int x0, int y,
                          COLORREF color) const
{
    dc.SetTextColor(color);
    dc.TextOut(x0 + static_cast<int>(start) * m_charWidth, y, line.substr(start, end - start));
}

void CILEditor::PaintLine(CDC& dc, const std::string& line, int x0, int y) const
{
    size_t pos = 0;
    while (pos < line.size()) {
        const char c = line[pos];
        if (c == '(' && pos + 1 < line.size() && line[pos + 1] == '*') {
            const size_t end = CommentEnd(line, pos);
            DrawPiece(dc, line, pos, end, x0, y, COMMENT_COLOR);
            pos = end;
        } else if (c == '\'') {
            const size_t quote = line.find('\'', pos + 1);
            const size_t end = quote == std::string::npos ? line.size() : quote + 1;
            DrawPiece(dc, line, pos, end, x0, y, WORD_COLOR);
            pos = end;
        } else if (IsPaintSeparator(c)) {
            DrawPiece(dc, line, pos, pos + 1, x0, y, IsOperatorByte(c) ? RESERVED_COLOR : SEPARATOR_COLOR);
            ++pos;
        } else {
            size_t end = pos;
            while (end < line.size() && !IsPaintSeparator(line[end]))
                ++end;
            const std::string word = line.substr(pos, end - pos);
            DrawPiece(dc, line, pos, end, x0, y, IsColouredReserved(word) ? RESERVED_COLOR : WORD_COLOR);
            pos = end;
        }
    }
}

void CILEditor::PaintText(CDC& dc)
{
    int scrollX = 0;
    int scrollY = 0;
    m_host->GetScrollPosition(scrollX, scrollY);
    const int x0 = PaintTextStart() + (IsMonitoring() ? MONITOR_TEXT_SHIFT : 0);
    const int first = scrollY / m_lineHeight;
    const int last = std::min(LastLine(), first + MAX_PAINT_LINES - 1);
    dc.SetBkMode(OPAQUE);
    for (int row = first; row <= last; ++row)
        PaintLine(dc, Line(row), x0, row * m_lineHeight - scrollY);
    const COLORREF oldBack = dc.GetBkColor();
    if (m_selection)
        PaintSelection(dc, x0, scrollY);
    if (m_goToShown && m_goToLine >= 0 && m_goToLine <= LastLine()) {
        const int y = m_goToLine * m_lineHeight - scrollY;
        const int base = PaintTextStart();
        dc.FillSolidRect(CRect(base, y, m_host->GetClientSize().cx, y + m_lineHeight), SELECTED_BACK_COLOR);
        dc.SetTextColor(SELECTED_TEXT_COLOR);
        dc.SetBkColor(SELECTED_BACK_COLOR);
        dc.TextOut(base + (IsMonitoring() ? MONITOR_GOTO_SHIFT : 0), y, Line(m_goToLine));
        dc.SetBkColor(oldBack);
    }
    m_app.Find.MarksShown = m_program.GetMarksShown();
    if (m_app.Find.MarksShown)
        PaintFindMarks(dc, x0, scrollY);
    dc.SetBkColor(oldBack);
    dc.SetTextColor(WORD_COLOR);
}

void CILEditor::PaintSelection(CDC& dc, int x0, int scrollY)
{
    dc.SetTextColor(SELECTED_TEXT_COLOR);
    dc.SetBkColor(SELECTED_BACK_COLOR);
    for (int row = std::max(0, m_selStartLine); row <= std::min(m_selEndLine, LastLine()); ++row) {
        const std::string& line = Line(row);
        const int size = static_cast<int>(line.size());
        const int start = row == m_selStartLine ? std::clamp(m_selStartColumn, 0, size) : 0;
        const int end = row == m_selEndLine ? std::clamp(m_selEndColumn, start, size) : size;
        if (end > start)
            DrawPiece(dc, line, start, end, x0, row * m_lineHeight - scrollY, SELECTED_TEXT_COLOR);
    }
}

void CILEditor::PaintFindMarks(CDC& dc, int x0, int scrollY)
{
    const std::string pouName = GetPOUName();
    dc.SetBkColor(SELECTED_BACK_COLOR);
    const int count = std::min(m_app.Find.MarkCount, FIND_TABLE_SIZE - 1);
    for (int i = 1; i <= count; ++i) {
        const CFindResult& mark = m_app.Find.MarkTable[i];
        const int row = mark.RowOrColumn;
        if (mark.Language != IL_LANGUAGE || mark.POUName != pouName || row < 0 || row > LastLine() ||
            !ByteString::EqualsNoCase(mark.LineText, Line(row)))
            continue;
        const int size = LineLength(row);
        const int start = std::clamp(mark.ColumnOrRow, 0, size);
        const int end = std::clamp(mark.ColumnOrRow + mark.LengthOrWidth, start, size);
        DrawPiece(dc, Line(row), start, end, x0, row * m_lineHeight - scrollY, SELECTED_TEXT_COLOR);
    }
}

void CILEditor::PaintGutter(CDC& dc)
{
    int scrollX = 0;
    int scrollY = 0;
    m_host->GetScrollPosition(scrollX, scrollY);
    const CSize client = m_host->GetClientSize();
    CPen pen(PS_SOLID, 1, GUTTER_PEN_COLOR);
    CBrush brush(GUTTER_COLOR);
    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    dc.Rectangle(0, 0, m_gutterWidth, client.cy);
    LOGFONT record {};
    record.lfHeight = GUTTER_FONT_HEIGHT;
    record.lfWeight = FW_NORMAL;
    record.lfCharSet = ANSI_CHARSET;
    record.lfPitchAndFamily = FF_SWISS;
    std::strcpy(record.lfFaceName, "Arial");
    CFont font;
    font.CreateFontIndirect(&record);
    CFont* oldFont = dc.SelectObject(&font);
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF oldColor = dc.SetTextColor(WORD_COLOR);
    const int first = scrollY / m_lineHeight;
    const int lastNumber = std::min(LastLine(), first + MAX_PAINT_LINES);
    for (int row = std::max(0, first - 1); row <= lastNumber; ++row) {
        char number[16];
        std::snprintf(number, sizeof(number), "%3d", row + 1);
        dc.TextOut(GUTTER_NUMBER_X, row * m_lineHeight - scrollY, number);
    }
    if (!IsMonitoring())
        PaintGutterMarks(dc, first, scrollX, scrollY);
    dc.SetTextColor(oldColor);
    dc.SetBkMode(oldMode);
    dc.SelectObject(oldFont);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
}

void CILEditor::PaintGutterMarks(CDC& dc, int first, int scrollX, int scrollY)
{
    CBrush markBrush(GOTO_MARK_COLOR);
    const int last = std::min({LastLine(), first + MAX_PAINT_LINES - 1, GetLineStateCount() - 1});
    for (int row = first; row <= last; ++row) {
        const int y = row * m_lineHeight - scrollY;
        if (m_goToShown && row == m_goToLine) {
            CBrush* old = dc.SelectObject(&markBrush);
            dc.Ellipse(m_gutterWidth - scrollX - GOTO_MARK_LEFT, y + GOTO_MARK_INSET,
                       m_gutterWidth - scrollX - GOTO_MARK_RIGHT, y + m_lineHeight - GOTO_MARK_INSET);
            dc.SelectObject(old);
        } else if (GetLineState(row) == IL_LINE_ERROR) {
            dc.SetTextColor(ERROR_MARK_COLOR);
            dc.TextOut(m_gutterWidth - m_charWidth - 1, y, "?");
        }
    }
}

// The monitor column: its frame, then every list's labels and values, all
// read under one take of the monitor-value lock so that a busy monitor
// thread costs one wait per paint, not one per line.
void CILEditor::PaintMonitorColumn(CDC& dc)
{
    int scrollX = 0;
    int scrollY = 0;
    m_host->GetScrollPosition(scrollX, scrollY);
    const CSize client = m_host->GetClientSize();
    const int right = m_gutterWidth + m_monitorWidth;
    CPen pen(PS_SOLID, 1, MONITOR_FRAME_COLOR);
    CPen* oldPen = dc.SelectObject(&pen);
    dc.Rectangle(m_gutterWidth, 0, right, client.cy);
    dc.SelectStockObject(BLACK_PEN);
    dc.MoveTo(right, 0);
    dc.LineTo(right, client.cy);
    dc.SelectObject(oldPen);
    if (!m_app.MonitorValueLock.Lock(MONITOR_LOCK_WAIT_MS))
        return;
    for (const std::unique_ptr<CILMonitorList>& list : m_monitorLists)
        list->Draw(dc, right, scrollY, m_app, m_host, m_app.SymbolicAddressing == 0);
    m_app.MonitorValueLock.Unlock();
}

void CILEditor::UpdateStatusPanes()
{
    char position[64];
    std::snprintf(position, sizeof(position), "  Row %d, Col %d, ", m_caretLine + 1, m_caretColumn + 1);
    m_host->SetStatusPane(STATUS_PANE_POSITION, position);
    std::string number;
    if (m_caretLine == 0)
        number = "0";
    else if (!m_program.FindHeaderAbove(std::min(m_caretLine, LastLine()), number))
        number.clear();
    m_host->SetStatusPane(STATUS_PANE_NETWORK, "  Network " + number);
}

void CILEditor::RebuildMonitorLists()
{
    m_monitorLists.clear();
    m_program.BuildMonitorLists(m_monitorLists);
    for (const std::unique_ptr<CILMonitorList>& list : m_monitorLists)
        list->SetMetrics(m_charWidth, m_lineHeight);
}

void CILEditor::UpdateMonitorDisplay()
{
    if (!m_host || !IsMonitoring())
        return;
    if (m_monitorWidth <= 0) {
        m_monitorWidth = MONITOR_COLUMN_WIDTH;
        PlaceCaret();
        RebuildMonitorLists();
    }
    m_host->Invalidate();
}

void CILEditor::ClearMonitorDisplay()
{
    if (!m_host)
        return;
    m_monitorWidth = 0;
    PlaceCaret();
    m_host->Invalidate();
}
