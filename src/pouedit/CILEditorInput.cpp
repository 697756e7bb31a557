// The IL editor's answers to the keyboard and the mouse: typing, the caret
// and its moves, the selection, help on the caret's line, and the cursor.

#include "CILEditor.h"

#include "CILEditorShared.h"
#include "CILProgram.h"
#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/CursorShapes.h"
#include "platform/ui/WinMessages.h"

#include <algorithm>
#include <cctype>

using namespace ILEditorShared;

namespace {
constexpr int MAX_TYPED_COLUMN = 255;
constexpr int END_MARGIN_COLUMNS = 5;
constexpr int MIN_MONITOR_WIDTH = 34;
constexpr int PRESS_DRAG_SLACK = 4;
constexpr int PRESS_TEXT_SLACK = 3;
constexpr int GUTTER_CURSOR_MARGIN = 8;
constexpr int RESIZE_BAND_LEFT = 16;
constexpr int RESIZE_BAND_RIGHT = 8;
constexpr int AUTOSCROLL_EDGE = 5;
constexpr int ENTER_LOOKAHEAD_LINES = 3;
constexpr int IL_HELP_CONTEXT = 220; // help on a line that names no topic
constexpr UINT CHAR_BACKSPACE = 8;
constexpr UINT CHAR_TAB = 9;
constexpr UINT CHAR_ENTER = 13;
constexpr UINT CHAR_BLANK = 32;
constexpr BYTE HIGH_BYTE = 0x80;
const char* const HELP_TOPIC_LABEL = "LBL";
const char* const HELP_TOPIC_HEADER = "wangluo-IL";
const char* const HELP_TOPIC_MONITOR = "jianshi-IL";

// Character classes of the word and help rules.
constexpr int CC_WORD = 1;
constexpr int CC_DIGIT = 2;

bool IsHigh(char c) { return static_cast<BYTE>(c) >= HIGH_BYTE; }
} // namespace

// ---- caret and selection ----

void CILEditor::SetCaret(int line, int column)
{
    m_caretLine = line;
    m_caretColumn = column;
    m_anchorLine = line;
    m_anchorColumn = column;
    m_desiredColumn = column;
    m_selection = FALSE;
}

void CILEditor::ClampCaret()
{
    const int count = m_program.GetLineCount();
    m_caretLine = std::clamp(m_caretLine, 0, std::max(0, count - 1));
    const int length = count > 0 ? static_cast<int>(m_program.GetLines()[m_caretLine].size()) : 0;
    m_caretColumn = std::clamp(m_caretColumn, 0, length);
}

int CILEditor::FixGbkColumn(const std::string& line, int column)
{
    if (column <= 0 || column > static_cast<int>(line.size()) || !IsHigh(line[column - 1]))
        return column;
    const int high = static_cast<int>(std::count_if(line.begin(), line.begin() + column, IsHigh));
    return (high % 2 != 0) ? column + 1 : column;
}

int CILEditor::CharClass(char c) const
{
    const BYTE b = static_cast<BYTE>(c);
    if (b >= HIGH_BYTE || std::isalpha(b) || b == '_')
        return CC_WORD;
    if (std::isdigit(b))
        return CC_DIGIT;
    return 0;
}

BOOL CILEditor::IsWordByte(char c) const
{
    return CharClass(c) != 0 || c == '.';
}

CPoint CILEditor::GetCaretPoint() const
{
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    return CPoint(TextStart() + m_caretColumn * m_charWidth - x, m_caretLine * m_lineHeight - y);
}

void CILEditor::PlaceCaret()
{
    m_host->ShowCaretAt(GetCaretPoint());
}

void CILEditor::GetSelection(int& startLine, int& startColumn, int& endLine, int& endColumn) const
{
    startLine = m_selStartLine;
    startColumn = m_selStartColumn;
    endLine = m_selEndLine;
    endColumn = m_selEndColumn;
}

void CILEditor::SetSelection(int startLine, int startColumn, int endLine, int endColumn)
{
    m_selection = TRUE;
    m_selStartLine = startLine;
    m_selStartColumn = startColumn;
    m_selEndLine = endLine;
    m_selEndColumn = endColumn;
}

void CILEditor::DropSelection()
{
    m_selection = FALSE;
}

void CILEditor::AnchorAtCaret()
{
    m_anchorLine = m_caretLine;
    m_anchorColumn = m_caretColumn;
}

// The selection between the anchor and the caret, start before end.
void CILEditor::SelectFromAnchor()
{
    const bool caretFirst = m_caretLine < m_anchorLine ||
                            (m_caretLine == m_anchorLine && m_caretColumn < m_anchorColumn);
    if (caretFirst)
        SetSelection(m_caretLine, m_caretColumn, m_anchorLine, m_anchorColumn);
    else
        SetSelection(m_anchorLine, m_anchorColumn, m_caretLine, m_caretColumn);
}

void CILEditor::OnSetFocus()
{
    m_host->CreateCaret(CSize(m_caretWidth, m_caretHeight));
    PlaceCaret();
}

void CILEditor::OnKillFocus()
{
    m_host->HideCaret();
    m_host->DestroyCaret();
}

// ---- typing and keys ----

void CILEditor::OnInsertNetwork()
{
    InsertNetwork();
}

void CILEditor::DeleteSelection(BOOL force)
{
    m_selection = FALSE;
    int startLine = m_selStartLine;
    int startColumn = m_selStartColumn;
    int endLine = m_selEndLine;
    int endColumn = m_selEndColumn;
    if (startLine == 0) {
        if (m_program.GetLineCount() < 2)
            return;
        startLine = 1;
        startColumn = 0;
    }
    if (m_program.IsHeaderLine(startLine) && startColumn >= LineLength(startLine) && startLine < LastLine()) {
        ++startLine;
        startColumn = 0;
    }
    if (endColumn == 0 && endLine > 0 && m_program.IsHeaderLine(endLine)) {
        --endLine;
        endColumn = LineLength(endLine);
    }
    if (endLine <= 0 || endLine > LastLine() || endLine < startLine ||
        (endLine == startLine && endColumn < startColumn))
        return;
    startColumn = std::clamp(startColumn, 0, LineLength(startLine));
    endColumn = std::clamp(endColumn, 0, LineLength(endLine));
    const BOOL hadHeader = m_program.AnyHeaderInRange(startLine, endLine);
    std::vector<std::string>& lines = m_program.GetLines();
    if (startLine == endLine) {
        lines[startLine].erase(startColumn, endColumn - startColumn);
    } else {
        lines[startLine] = lines[startLine].substr(0, startColumn) + lines[endLine].substr(endColumn);
        lines.erase(lines.begin() + startLine + 1, lines.begin() + endLine + 1);
    }
    if (hadHeader && !force)
        m_program.RenumberAll();
    if (m_caretLine >= endLine || (m_caretLine >= startLine && m_caretLine <= endLine)) {
        m_caretLine = startLine;
        m_caretColumn = startColumn;
    }
    m_selStartLine = m_selEndLine = startLine;
    m_selStartColumn = m_selEndColumn = startColumn;
    ClampCaret();
    AnchorAtCaret();
    m_host->SetFocus();
    EnsureCaretVisible();
}

// Inserts bytes at the caret while the caret column stays within the limit.
BOOL CILEditor::InsertBytes(const std::string& bytes, int limitColumn)
{
    if (m_caretColumn > limitColumn)
        return FALSE;
    Line(m_caretLine).insert(static_cast<size_t>(m_caretColumn), bytes);
    m_caretColumn += static_cast<int>(bytes.size());
    return TRUE;
}

void CILEditor::OnChar(UINT character, UINT, UINT)
{
    m_goToShown = FALSE;
    if (!m_host || IsMonitoring() || m_dragging)
        return;
    ClampCaret();
    const BOOL onHeader = m_program.IsHeaderLine(m_caretLine);
    if (onHeader && character != CHAR_ENTER && character != CHAR_BACKSPACE)
        return;
    if (character == CHAR_ENTER) {
        TypeEnter();
    } else if (character == CHAR_BACKSPACE) {
        TypeBackspace();
    } else if (character < CHAR_BLANK && character != CHAR_TAB) {
        // Other control codes insert nothing.
    } else {
        SetLineState(m_caretLine, IL_LINE_OK);
        BOOL changed = FALSE;
        if (m_selection) {
            DeleteSelection(FALSE);
            changed = TRUE;
        }
        if (character == CHAR_TAB) {
            const int blanks = TAB_WIDTH - m_caretColumn % TAB_WIDTH;
            changed |= InsertBytes(std::string(blanks, ' '), MAX_TYPED_COLUMN - TAB_WIDTH);
        } else if (character == CHAR_BLANK) {
            changed |= InsertBytes(" ", MAX_TYPED_COLUMN - 1);
        } else {
            changed |= InsertBytes(std::string(1, static_cast<char>(character)), MAX_TYPED_COLUMN);
        }
        if (changed)
            PushSnapshot();
        EnsureCaretVisible();
        m_host->Invalidate();
    }
    AfterCharacter();
}

void CILEditor::AfterCharacter()
{
    DropSelection();
    AnchorAtCaret();
    PlaceCaret();
    m_desiredColumn = m_caretColumn;
    m_host->SetModified();
}

void CILEditor::TypeEnter()
{
    if (m_selection) {
        DeleteSelection(FALSE);
        CheckLines(TRUE, 0);
    }
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    ScrollToPosition(0, y);
    if ((m_caretLine + ENTER_LOOKAHEAD_LINES) * m_lineHeight > y + m_host->GetClientSize().cy)
        ScrollByLines(1);
    std::vector<std::string>& lines = m_program.GetLines();
    const BOOL onHeader = m_program.IsHeaderLine(m_caretLine);
    if ((onHeader && m_caretColumn != 0) || m_caretLine == 0) {
        m_program.RenumberFrom(m_caretLine);
        lines.insert(lines.begin() + m_caretLine + 1, std::string());
        ++m_caretLine;
        m_caretColumn = 0;
        // The empty line below a header is no undo step of its own.
        InsertLineRows(m_caretLine);
        CheckVisibleLines();
        m_host->Invalidate();
        return;
    }
    if (onHeader)
        m_program.RenumberFrom(m_caretLine);
    std::string& line = Line(m_caretLine);
    const std::string tail = line.substr(static_cast<size_t>(m_caretColumn));
    line.erase(static_cast<size_t>(m_caretColumn));
    lines.insert(lines.begin() + m_caretLine + 1, tail);
    ++m_caretLine;
    m_caretColumn = 0;
    UpdateScrollHeight();
    m_program.RemoveEmbeddedHeaders(m_caretLine - 1);
    NormaliseLine(Line(m_caretLine - 1));
    PushSnapshot();
    InsertLineRows(m_caretLine);
    CheckVisibleLines();
    m_host->Invalidate();
}

void CILEditor::TypeBackspace()
{
    if (m_selection) {
        DeleteSelection(FALSE);
        CheckLines(TRUE, 0);
        UpdateScrollHeight();
        PushSnapshot();
        return;
    }
    if (m_program.IsHeaderLine(m_caretLine)) {
        KeyLeft(FALSE);
        return;
    }
    SetLineState(m_caretLine, IL_LINE_OK);
    if (m_caretColumn > 0) {
        const int width = (IsHigh(Line(m_caretLine)[m_caretColumn - 1]) && m_caretColumn > 1) ? 2 : 1;
        Line(m_caretLine).erase(static_cast<size_t>(m_caretColumn - width), static_cast<size_t>(width));
        m_caretColumn -= width;
    } else {
        if (m_caretLine == 0)
            return;
        if (m_program.IsHeaderLine(m_caretLine - 1)) {
            KeyLeft(FALSE);
            return;
        }
        std::vector<std::string>& lines = m_program.GetLines();
        m_caretColumn = LineLength(m_caretLine - 1);
        lines[m_caretLine - 1] += lines[m_caretLine];
        lines.erase(lines.begin() + m_caretLine);
        RemoveLineRows(m_caretLine);
        --m_caretLine;
        CheckVisibleLines();
        UpdateScrollHeight();
    }
    SetLineState(m_caretLine, IL_LINE_OK);
    PushSnapshot();
    EnsureCaretVisible();
    m_host->Invalidate();
}

void CILEditor::OnKeyDown(UINT virtualKey, UINT, UINT)
{
    m_goToShown = FALSE;
    if (!m_host)
        return;
    if (virtualKey == VK_F1) {
        ShowHelp();
        return;
    }
    if (IsMonitoring() || !m_host->HasDocument() || m_dragging)
        return;
    ClampCaret();
    const BOOL shift = m_host->IsKeyDown(VK_SHIFT);
    const BOOL ctrl = m_host->IsKeyDown(VK_CONTROL);
    // Paging and Ctrl+Home/End move the view, not the caret.
    const bool viewOnly = ((virtualKey == VK_PRIOR || virtualKey == VK_NEXT) && !shift) ||
                          ((virtualKey == VK_HOME || virtualKey == VK_END) && ctrl);
    switch (virtualKey) {
    case VK_PRIOR:
    case VK_NEXT:
        KeyPage(virtualKey == VK_NEXT, shift);
        break;
    case VK_HOME:
        KeyHome(shift, ctrl);
        break;
    case VK_END:
        KeyEnd(shift, ctrl);
        break;
    case VK_LEFT:
        KeyLeft(shift);
        break;
    case VK_RIGHT:
        KeyRight(shift);
        break;
    case VK_UP:
    case VK_DOWN:
        KeyVertical(virtualKey == VK_DOWN, shift);
        break;
    case VK_DELETE:
        KeyDelete();
        AnchorAtCaret();
        break;
    default:
        m_host->Invalidate();
        PlaceCaret();
        return;
    }
    if (!viewOnly)
        EnsureCaretVisible();
    PlaceCaret();
    m_host->Invalidate();
}

void CILEditor::KeyPage(BOOL down, BOOL shift)
{
    const int page = PageLines();
    if (shift) {
        if (down) {
            m_caretLine = std::min(m_caretLine + page, LastLine());
            m_caretColumn = LineLength(m_caretLine);
        } else {
            m_caretLine = std::max(m_caretLine - page, 0);
            m_caretColumn = 0;
        }
        SelectFromAnchor();
    }
    CheckVisibleLines();
    ScrollByLines(down ? page : -page);
}

void CILEditor::KeyHome(BOOL shift, BOOL ctrl)
{
    if (!shift) {
        DropSelection();
    } else if (!m_selection) {
        SetSelection(m_caretLine, 0, m_caretLine, m_caretColumn);
    } else if (m_selStartLine == m_selEndLine) {
        if (m_caretColumn != 0)
            SetSelection(m_caretLine, 0, m_caretLine, m_selStartColumn);
    } else if (m_selStartLine == m_caretLine) {
        m_selStartColumn = 0;
    } else if (m_selEndLine == m_caretLine) {
        m_selEndColumn = 0;
    }
    m_caretColumn = 0;
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    ScrollToPosition(0, ctrl ? 0 : y);
    AnchorAtCaret();
}

void CILEditor::KeyEnd(BOOL shift, BOOL ctrl)
{
    const int end = LineLength(m_caretLine);
    if (!shift) {
        DropSelection();
    } else if (!m_selection) {
        SetSelection(m_caretLine, m_caretColumn, m_caretLine, end);
    } else if (m_selStartLine == m_selEndLine) {
        if (m_caretColumn != end)
            SetSelection(m_caretLine, m_selEndColumn, m_caretLine, end);
    } else if (m_selStartLine == m_caretLine) {
        m_selStartColumn = end;
    } else if (m_selEndLine == m_caretLine) {
        m_selEndColumn = end;
    }
    m_caretColumn = end;
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    const int caretX = TextStart() + end * m_charWidth;
    if (caretX > x + m_host->GetClientSize().cx)
        x = caretX - END_MARGIN_COLUMNS * m_charWidth - TextStart();
    ScrollToPosition(x, ctrl ? m_host->GetTotalSize().cy : y);
    AnchorAtCaret();
}

void CILEditor::KeyLeft(BOOL shift)
{
    if (!shift && m_selection) {
        m_caretLine = m_selStartLine;
        m_caretColumn = m_selStartColumn;
        DropSelection();
    } else if (m_caretColumn > 0) {
        const int width = (m_caretColumn > 1 && IsHigh(Line(m_caretLine)[m_caretColumn - 1])) ? 2 : 1;
        m_caretColumn -= width;
    } else if (m_caretLine > 0) {
        if (!shift) {
            CheckVisibleLines();
            LeaveLine(m_caretLine, TRUE);
        }
        --m_caretLine;
        m_caretColumn = LineLength(m_caretLine);
    }
    m_desiredColumn = m_caretColumn;
    if (shift)
        SelectFromAnchor();
    else
        AnchorAtCaret();
}

void CILEditor::KeyRight(BOOL shift)
{
    if (!shift && LastLine() > m_caretLine) {
        int x = 0;
        int y = 0;
        m_host->GetScrollPosition(x, y);
        if ((m_caretLine + 2) * m_lineHeight > y + m_host->GetClientSize().cy)
            ScrollByLines(1);
    }
    const int length = LineLength(m_caretLine);
    if (!shift && m_selection) {
        m_caretLine = m_selEndLine;
        m_caretColumn = m_selEndColumn;
        DropSelection();
    } else if (m_caretColumn < length) {
        const int width = (m_caretColumn + 1 < length && IsHigh(Line(m_caretLine)[m_caretColumn])) ? 2 : 1;
        m_caretColumn += width;
    } else if (m_caretLine < LastLine()) {
        if (shift) {
            m_program.RemoveEmbeddedHeaders(m_caretLine);
        } else {
            CheckVisibleLines();
            LeaveLine(m_caretLine, FALSE);
        }
        ++m_caretLine;
        m_caretColumn = 0;
    }
    m_desiredColumn = m_caretColumn;
    if (shift)
        SelectFromAnchor();
    else
        AnchorAtCaret();
}

void CILEditor::KeyVertical(BOOL down, BOOL shift)
{
    const int target = m_caretLine + (down ? 1 : -1);
    if (target < 0 || target > LastLine()) {
        if (!shift)
            DropSelection();
        return;
    }
    if (shift) {
        m_program.RemoveEmbeddedHeaders(m_caretLine);
    } else {
        DropSelection();
        LeaveLine(m_caretLine, FALSE);
        CheckVisibleLines();
    }
    const int length = LineLength(target);
    const int column = (m_desiredColumn < length && m_caretColumn < length) ? m_desiredColumn : length;
    m_caretLine = target;
    m_caretColumn = FixGbkColumn(Line(target), column);
    if (shift)
        SelectFromAnchor();
    else
        AnchorAtCaret();
}

void CILEditor::KeyDelete()
{
    if (m_selection) {
        DeleteSelection(FALSE);
        CheckLines(TRUE, 0);
    } else {
        if (m_program.IsHeaderLine(m_caretLine))
            return;
        std::string& line = Line(m_caretLine);
        const int length = static_cast<int>(line.size());
        if (m_caretColumn < length) {
            const int width = (m_caretColumn + 1 < length && IsHigh(line[m_caretColumn])) ? 2 : 1;
            line.erase(static_cast<size_t>(m_caretColumn), static_cast<size_t>(width));
        } else if (m_caretLine < LastLine()) {
            std::vector<std::string>& lines = m_program.GetLines();
            line += lines[m_caretLine + 1];
            lines.erase(lines.begin() + m_caretLine + 1);
            if (m_caretLine + 1 < GetLineStateCount())
                m_lineStates.erase(m_lineStates.begin() + m_caretLine + 1);
        } else {
            return;
        }
        CheckVisibleLines();
    }
    UpdateScrollHeight();
    PushSnapshot();
    m_host->SetModified();
}

void CILEditor::InsertNetwork()
{
    if (!m_host || IsMonitoring())
        return;
    ClampCaret();
    if (m_program.InsertNetworkHeader(m_caretLine))
        ++m_caretLine;
    NormaliseLine(Line(m_caretLine));
    m_caretColumn = LineLength(m_caretLine);
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    if ((m_caretLine + 2) * m_lineHeight >= y + m_host->GetClientSize().cy)
        ScrollByLines(1);
    DropSelection();
    AnchorAtCaret();
    UpdateScrollHeight();
    PushSnapshot();
    m_host->SetModified();
    PlaceCaret();
    m_host->Invalidate();
}

void CILEditor::ShowHelp()
{
    std::string topic = HELP_TOPIC_MONITOR;
    if (!IsMonitoring()) {
        ClampCaret();
        const std::string line = ByteString::Upper(ByteString::Trim(Line(m_caretLine)));
        int context = 0;
        if (!line.empty() && line.back() == ':')
            topic = HELP_TOPIC_LABEL;
        else if (m_program.IsHeaderLine(m_caretLine))
            topic = HELP_TOPIC_HEADER;
        else if (CZULAppData::FindHelpContext(line, context))
            topic = line;
        else
            topic = line.substr(0, line.find(' '));
    }
    int context = 0;
    if (!CZULAppData::FindHelpContext(topic, context))
        context = IL_HELP_CONTEXT;
    CUserInterface::Help().ShowHelp(topic, context);
}

// ---- mouse ----

CPoint CILEditor::ToLogical(const CPoint& point) const
{
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    return CPoint(point.x + x, point.y + y);
}

// The (line, column) under a point; monitorShift: the column one less while
// monitoring, where the text is drawn further right.
void CILEditor::MapPoint(const CPoint& point, BOOL monitorShift, int& line, int& column) const
{
    const CPoint logical = ToLogical(point);
    line = std::clamp(logical.y / m_lineHeight, 0, std::max(0, LastLine()));
    column = (logical.x - TextStart()) / m_charWidth;
    if (monitorShift && IsMonitoring())
        --column;
    const std::string& text = m_program.GetLines()[line];
    column = FixGbkColumn(text, std::clamp(column, 0, static_cast<int>(text.size())));
}

void CILEditor::OnLButtonDown(UINT flags, int x, int y)
{
    const CPoint point(x, y);
    if (!m_host || m_program.GetLines().empty())
        return;
    ClampCaret();
    NormaliseLine(Line(m_caretLine));
    m_program.RenumberFrom(m_caretLine);
    m_host->SetFocus();
    m_host->SetCapture();
    int scrollX = 0;
    int scrollY = 0;
    m_host->GetScrollPosition(scrollX, scrollY);
    if (point.x > TextStart() - PRESS_DRAG_SLACK) {
        m_dragging = TRUE;
        ScrollToPosition(0, scrollY);
    }
    if (point.x < m_gutterWidth - PRESS_DRAG_SLACK) {
        const int line = ToLogical(point).y / m_lineHeight;
        if (line >= 0 && line < LastLine())
            SetSelection(line, 0, line + 1, 0);
        else
            SetSelection(LastLine(), 0, LastLine(), LineLength(LastLine()));
        m_caretLine = m_selEndLine;
        m_caretColumn = 0;
        ScrollToPosition(0, scrollY);
        PlaceCaret();
        m_host->Invalidate();
        return;
    }
    if (point.x <= TextStart() - PRESS_TEXT_SLACK)
        return;
    MapPoint(point, TRUE, m_caretLine, m_caretColumn);
    m_findStartColumn = m_caretColumn;
    if (flags & MK_SHIFT) {
        SelectFromAnchor();
    } else {
        AnchorAtCaret();
        DropSelection();
    }
    PlaceCaret();
    m_host->Invalidate();
}

void CILEditor::OnMouseMove(UINT, int x, int y)
{
    const CPoint point(x, y);
    if (!m_host)
        return;
    if (!m_dragging) {
        m_resizing = FALSE;
        return;
    }
    if (m_resizing && IsMonitoring()) {
        m_monitorWidth = std::max(MIN_MONITOR_WIDTH, point.x - m_gutterWidth);
        PlaceCaret();
        m_host->Invalidate();
        return;
    }
    const CSize client = m_host->GetClientSize();
    if (m_view && point.y > client.cy - AUTOSCROLL_EDGE)
        m_view->PostScroll(POU_SCROLL_VERT, POU_SCROLL_LINEDOWN);
    if (m_view && point.y < AUTOSCROLL_EDGE)
        m_view->PostScroll(POU_SCROLL_VERT, POU_SCROLL_LINEUP);
    if (m_view && point.x < AUTOSCROLL_EDGE)
        m_view->PostScroll(POU_SCROLL_HORZ, POU_SCROLL_LINEUP);
    if (m_view && point.x > client.cx - AUTOSCROLL_EDGE)
        m_view->PostScroll(POU_SCROLL_HORZ, POU_SCROLL_LINEDOWN);
    MapPoint(point, FALSE, m_caretLine, m_caretColumn);
    SelectFromAnchor();
    m_selection = (m_selStartLine != m_selEndLine || m_selStartColumn != m_selEndColumn) ? TRUE : FALSE;
    if (m_selection)
        m_host->Invalidate();
}

void CILEditor::OnLButtonUp(UINT, int, int)
{
    if (!m_host || m_program.GetLines().empty())
        return;
    ClampCaret();
    NormaliseLine(Line(m_caretLine));
    m_program.RenumberFrom(m_caretLine);
    m_dragging = FALSE;
    m_resizing = FALSE;
    m_host->ReleaseCapture();
    if (!IsMonitoring()) {
        CheckVisibleLines();
        m_host->Invalidate();
    }
}

void CILEditor::OnLButtonDblClk(UINT, int x, int y)
{
    const CPoint point(x, y);
    if (!m_host)
        return;
    const CPoint logical = ToLogical(point);
    const int line = logical.y / m_lineHeight;
    if (line < 0 || line > LastLine())
        return;
    const std::string& text = m_program.GetLines()[line];
    int column = (logical.x - TextStart()) / m_charWidth;
    column = std::min(column, static_cast<int>(text.size()));
    if (column < 0)
        return;
    int start = column;
    while (start > 0 && IsWordByte(text[start - 1]))
        --start;
    int end = column;
    while (end < static_cast<int>(text.size()) && IsWordByte(text[end]))
        ++end;
    SetSelection(line, start, line, end);
    m_caretLine = line;
    m_caretColumn = end;
    m_host->Invalidate();
}

void CILEditor::OnRButtonDown(UINT, int x, int y)
{
    const CPoint point(x, y);
    if (!m_host || m_program.GetLines().empty())
        return;
    ClampCaret();
    if (!IsMonitoring()) {
        CheckLines(TRUE, 0);
        NormaliseLine(Line(m_caretLine));
        m_program.RenumberFrom(m_caretLine);
    }
    if (point.x > TextStart() - PRESS_TEXT_SLACK) {
        MapPoint(point, TRUE, m_caretLine, m_caretColumn);
        m_findStartColumn = m_caretColumn;
        AnchorAtCaret();
        // The selection counts as the rectangle of its lines and columns.
        if (m_caretLine < m_selStartLine || m_caretLine > m_selEndLine || m_caretColumn < m_selStartColumn ||
            m_caretColumn > m_selEndColumn)
            DropSelection();
        PlaceCaret();
    }
    m_host->Invalidate();
}

BOOL CILEditor::OnSetCursor(UINT hitTest, UINT, int x, int)
{
    if (!m_host)
        return TRUE;
    if (hitTest == HTHSCROLL || hitTest == HTVSCROLL) {
        m_host->SetCursorShape(IDC_ARROW);
        return TRUE;
    }
    if (hitTest != HTCLIENT)
        return TRUE;
    const CPoint point(x, 0);
    const int border = TextStart();
    if (IsMonitoring() && point.x > border - RESIZE_BAND_LEFT && point.x < border + RESIZE_BAND_RIGHT) {
        m_host->SetCursorShape(IDC_SIZEWE);
        if (!m_dragging)
            m_resizing = TRUE;
    } else if (point.x > border) {
        m_host->SetCursorShape(IDC_IBEAM);
    } else if (point.x < m_gutterWidth - GUTTER_CURSOR_MARGIN) {
        m_host->SetCursorShape(IDC_IL_GUTTER);
    } else if (point.x > m_gutterWidth && point.x < border - RESIZE_BAND_LEFT) {
        m_host->SetCursorShape(IDC_ARROW);
    }
    return TRUE;
}
