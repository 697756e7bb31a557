#include "CILEditor.h"

#include "CILProgram.h"
#include "ForceOperand.h"
#include "IFindReplaceDialog.h"
#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "model/CZULProjectPOUs.h"
#include "platform/ByteString.h"
#include "platform/CSystemMetrics.h"
#include "platform/CUserInterface.h"
#include "platform/CursorShapes.h"
#include "platform/ui/WinMessages.h"
#include "platform/CClipboard.h"
#include "platform/CDC.h"
#include "platform/CPrintInfo.h"
#include "LocalTimeText.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int INITIAL_LINE_STATES = 500;
} // namespace

CILEditor::CILEditor(CILProgram& program, CZULAppData& app, IPOUEditorHost* host)
    : CPOUEditor(POU_LANGUAGE_IL)
    , m_program(program)
    , m_app(app)
    , m_host(host)
    , m_lineStates(INITIAL_LINE_STATES, IL_LINE_OK)
{
}

void CILEditor::Reserved() {}
BOOL CILEditor::InsertFromInstructionTree(std::uintptr_t, std::intptr_t) { return FALSE; }
int CILEditor::OnCreate() { return 0; }
void CILEditor::OnUpdateUnforce(IPOUCommandUI& ui) { UpdateForceAny(ui); }
void CILEditor::OnUpdateForceFalse(IPOUCommandUI& ui) { UpdateForceBool(ui); }
void CILEditor::OnUpdateForceTrue(IPOUCommandUI& ui) { UpdateForceBool(ui); }
void CILEditor::OnUpdateForce(IPOUCommandUI& ui) { UpdateForceAny(ui); }

CSize CILEditor::GetExtent(CSize& size)
{
    size = CSize(m_extentWidth, m_extentHeight);
    return size;
}


CZULProject& CILEditor::Project() const
{
    return m_app.Project;
}

BOOL CILEditor::IsMonitoring() const
{
    return m_app.Monitoring.load() != 0;
}

std::string CILEditor::GetPOUName() const
{
    return m_host ? m_host->GetPOUName() : std::string();
}

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

// ---- text, caret and keyboard ----

namespace {
constexpr int MAX_TYPED_COLUMN = 255;
constexpr int TAB_WIDTH = 8;
constexpr int EXTENT_COLUMNS = 5000;
constexpr int MIN_SCROLL_LINES = 100;
constexpr int PAGE_COLUMNS = 25;
constexpr int PAGE_LINES = 10;
constexpr int LINE_COLUMNS = 2;
constexpr int EDGE_COLUMNS = 10;
constexpr int END_MARGIN_COLUMNS = 5;
constexpr int HSCROLL_PAGE_COLUMNS = 20;
constexpr int PRINT_FONT_HEIGHT = 197;
constexpr int GUTTER_PADDING = 2;
constexpr int MIN_MONITOR_WIDTH = 34;
constexpr int PRESS_DRAG_SLACK = 4;
constexpr int PRESS_TEXT_SLACK = 3;
constexpr int GUTTER_CURSOR_MARGIN = 8;
constexpr int RESIZE_BAND_LEFT = 16;
constexpr int RESIZE_BAND_RIGHT = 8;
constexpr int AUTOSCROLL_EDGE = 5;
constexpr int ENTER_LOOKAHEAD_LINES = 3;
constexpr int IL_HELP_CONTEXT = 220; // help on a line that names no topic
constexpr int IL_TEXT_FONT = 0;  // the application's IL text font record
constexpr int IL_PRINT_FONT = 3; // the record the print font copies
constexpr UINT CHAR_BACKSPACE = 8;
constexpr UINT CHAR_TAB = 9;
constexpr UINT CHAR_ENTER = 13;
constexpr UINT CHAR_BLANK = 32;
constexpr BYTE HIGH_BYTE = 0x80;
const char* const GUTTER_SAMPLE = "88888";
const char* const FIRST_HEADER = "(* Network 0 *)";
const char* const HELP_TOPIC_LABEL = "LBL";
const char* const HELP_TOPIC_HEADER = "wangluo-IL";
const char* const HELP_TOPIC_MONITOR = "jianshi-IL";

// Character classes of the word and help rules.
constexpr int CC_WORD = 1;
constexpr int CC_DIGIT = 2;

bool IsHigh(char c) { return static_cast<BYTE>(c) >= HIGH_BYTE; }
} // namespace

std::string& CILEditor::Line(int row)
{
    return m_program.GetLines()[row];
}

int CILEditor::LineLength(int row) const
{
    return static_cast<int>(m_program.GetLines()[row].size());
}

int CILEditor::LastLine() const
{
    return m_program.GetLineCount() - 1;
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

int CILEditor::FirstVisibleLine() const
{
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    return y / m_lineHeight;
}

void CILEditor::PushSnapshot()
{
    m_program.PushUndoSnapshot();
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

void CILEditor::SetEditorFont(const LOGFONT& font)
{
    m_textFont = font;
    TEXTMETRIC metrics;
    m_host->MeasureFont(font, metrics);
    m_gutterWidth = m_host->GetTextWidth(font, GUTTER_SAMPLE) + GUTTER_PADDING;
    m_charWidth = std::max(1, static_cast<int>(metrics.tmAveCharWidth));
    m_lineHeight = std::max(1, static_cast<int>(metrics.tmHeight + metrics.tmExternalLeading));
    m_caretHeight = m_lineHeight;
    m_caretWidth = 2 * CSystemMetrics::Instance().GetMetric(SM_CXBORDER);
}

void CILEditor::OnInitialUpdate()
{
    if (!m_host)
        return;
    SetEditorFont(m_app.Fonts[IL_TEXT_FONT]);
    m_printFont = m_app.Fonts[IL_PRINT_FONT];
    m_printFont.lfHeight = PRINT_FONT_HEIGHT;
    m_caretLine = 1;
    m_caretColumn = 0;
    m_desiredColumn = 0;
    m_monitorWidth = 0;
    m_dragging = FALSE;
    DropSelection();
    m_extentWidth = EXTENT_COLUMNS * m_charWidth;
    m_extentHeight = MIN_SCROLL_LINES * m_lineHeight;
    if (m_program.GetLines().empty()) {
        m_program.GetLines().emplace_back(FIRST_HEADER);
        m_program.GetLines().emplace_back();
    }
    ClampCaret();
    AnchorAtCaret();
    UpdateScrollHeight();
    m_host->ScrollTo(0, 0);
    if (!IsMonitoring()) {
        LoadInstanceEntries();
        RewriteAllLines(m_app.SymbolicAddressing != 0, ROUTINES_TO_NAMES);
        CheckLines(TRUE, 0);
    }
    PushSnapshot();
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

void CILEditor::OnUpdateEditDelete(IPOUCommandUI& ui)
{
    ui.Enable(IsMonitoring() ? FALSE : TRUE);
}

void CILEditor::OnInsertNetwork()
{
    InsertNetwork();
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

// ---- mouse and scrolling ----

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

// Painting and live values.

namespace {
constexpr COLORREF WORD_COLOR = RGB(0, 0, 0);
constexpr COLORREF RESERVED_COLOR = RGB(31, 10, 218);
constexpr COLORREF SEPARATOR_COLOR = RGB(53, 32, 120);
constexpr COLORREF COMMENT_COLOR = RGB(0, 127, 0);
constexpr COLORREF SELECTED_TEXT_COLOR = RGB(250, 250, 250);
constexpr COLORREF SELECTED_BACK_COLOR = RGB(0, 0, 0);
constexpr COLORREF WHITE_COLOR = RGB(255, 255, 255);
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
constexpr int CONTEXT_MENU_EDITING = 157;
constexpr int CONTEXT_MENU_MONITORING = 126;
constexpr int MAX_PASTE_LINE = 260;
constexpr int REDO_EXTENT_COLUMNS = 255;
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

bool IsDoubleByteLead(char c)
{
    return (static_cast<BYTE>(c) & 0x80) != 0;
}
} // namespace

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

// Clipboard, undo and the force commands.

std::string CILEditor::GetSelectedText() const
{
    const int last = LastLine();
    if (m_selStartLine < 0 || m_selEndLine > last || m_selEndLine < m_selStartLine)
        return std::string();
    const std::vector<std::string>& lines = m_program.GetLines();
    auto column = [&](int row, int value) { return std::clamp(value, 0, LineLength(row)); };
    if (m_selStartLine == m_selEndLine) {
        const int start = column(m_selStartLine, m_selStartColumn);
        const int end = std::max(start, column(m_selEndLine, m_selEndColumn));
        return lines[m_selStartLine].substr(start, end - start);
    }
    std::string text = lines[m_selStartLine].substr(column(m_selStartLine, m_selStartColumn)) + "\r\n";
    for (int row = m_selStartLine + 1; row < m_selEndLine; ++row)
        text += lines[row] + "\r\n";
    return text + lines[m_selEndLine].substr(0, column(m_selEndLine, m_selEndColumn));
}

BOOL CILEditor::IsSelectionEmpty() const
{
    return m_selStartLine == m_selEndLine && m_selStartColumn == m_selEndColumn;
}

void CILEditor::OnEditCopy()
{
    if (!m_selection)
        return;
    IClipboard& clipboard = CClipboard::Get();
    clipboard.Empty();
    clipboard.SetText(GetSelectedText());
}

void CILEditor::OnUpdateEditCopy(IPOUCommandUI& ui)
{
    ui.Enable(m_selection && !IsSelectionEmpty() ? TRUE : FALSE);
}

void CILEditor::SetScrollHeightLines(int lines)
{
    m_host->SetScrollSizes(CSize(EXTENT_COLUMNS * m_charWidth, lines * m_lineHeight),
                           CSize(PAGE_COLUMNS * m_charWidth, PAGE_LINES * m_lineHeight),
                           CSize(LINE_COLUMNS * m_charWidth, m_lineHeight));
}

void CILEditor::OnEditCut()
{
    if (!m_host || IsMonitoring() || !m_selection)
        return;
    OnEditCopy();
    OnKeyDown(VK_DELETE, 1, 0);
    SetScrollHeightLines(std::max(MIN_SCROLL_LINES, m_program.GetLineCount() + 2));
    m_host->Invalidate();
}

void CILEditor::OnUpdateEditCut(IPOUCommandUI& ui)
{
    ui.Enable(!IsMonitoring() && m_selection && !IsSelectionEmpty() ? TRUE : FALSE);
}

// A pasted line is finished: no embedded headers, one form.
void CILEditor::FinishPastedLine(int row)
{
    m_program.RemoveEmbeddedHeaders(row);
    NormaliseLine(Line(row));
}

int CILEditor::StartPastedLine(int row)
{
    m_program.GetLines().insert(m_program.GetLines().begin() + row + 1, std::string());
    InsertLineRows(row + 1);
    return row + 1;
}

void CILEditor::OnEditPaste()
{
    if (!m_host || IsMonitoring() || m_caretLine == 0)
        return;
    std::string text;
    if (!CClipboard::Get().GetText(&text))
        return;
    if (m_selection)
        DeleteSelection(TRUE);
    m_host->HideCaret();
    ClampCaret();
    int row = m_caretLine;
    const std::string tail = Line(row).substr(m_caretColumn);
    Line(row).erase(m_caretColumn);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 == text.size())
            break;
        if (c == '\r' || c == '\n') {
            if (c == '\r' && text[i + 1] == '\n')
                ++i;
            FinishPastedLine(row);
            row = StartPastedLine(row);
            continue;
        }
        if (c == '\t') {
            Line(row).append(TAB_WIDTH, ' ');
            continue;
        }
        // A double-byte character moves to the next line whole.
        const size_t width = IsDoubleByteLead(c) && i + 1 < text.size() ? 2 : 1;
        if (Line(row).size() + width > static_cast<size_t>(MAX_PASTE_LINE))
            row = StartPastedLine(row);
        Line(row).append(text, i, width);
        i += width - 1;
    }
    Line(row) += tail;
    FinishPastedLine(row);
    m_program.RenumberAll();
    m_caretLine = row;
    m_caretColumn = LineLength(row);
    m_desiredColumn = m_caretColumn;
    m_selStartLine = m_selEndLine = m_caretLine;
    m_selStartColumn = m_selEndColumn = m_caretColumn;
    SetScrollHeightLines(m_program.GetLineCount() + 2);
    EnsureCaretVisible();
    PlaceCaret();
    if (!m_host->HasDocument())
        return;
    m_host->SetModified();
    CheckLines(TRUE, FirstVisibleLine());
    AnchorAtCaret();
    PushSnapshot();
    m_host->Invalidate();
}

void CILEditor::OnUpdateEditPaste(IPOUCommandUI& ui)
{
    ui.Enable(!IsMonitoring() && CClipboard::Get().IsFormatAvailable(CF_TEXT) ? TRUE : FALSE);
}

void CILEditor::OnEditUndo()
{
    if (!m_host || IsMonitoring() || !m_program.Undo())
        return;
    DropSelection();
    ClampCaret();
    AnchorAtCaret();
    PlaceCaret();
    CheckLines(TRUE, FirstVisibleLine());
    SetScrollHeightLines(std::max(MIN_SCROLL_LINES, m_program.GetLineCount() + 2));
    m_host->Invalidate();
}

void CILEditor::OnUpdateEditUndo(IPOUCommandUI& ui)
{
    ui.Enable(!IsMonitoring() && m_program.CanUndo() ? TRUE : FALSE);
}

void CILEditor::OnEditRedo()
{
    if (!m_host || IsMonitoring() || !m_program.Redo())
        return;
    DropSelection();
    ClampCaret();
    m_caretColumn = LineLength(m_caretLine);
    m_desiredColumn = m_caretColumn;
    AnchorAtCaret();
    m_host->SetScrollSizes(CSize(REDO_EXTENT_COLUMNS * m_charWidth,
                                 std::max(MIN_SCROLL_LINES, m_program.GetLineCount()) * m_lineHeight),
                           CSize(PAGE_COLUMNS * m_charWidth, PAGE_LINES * m_lineHeight),
                           CSize(LINE_COLUMNS * m_charWidth, m_lineHeight));
    PlaceCaret();
    CheckLines(TRUE, FirstVisibleLine());
    m_host->Invalidate();
}

void CILEditor::OnUpdateEditRedo(IPOUCommandUI& ui)
{
    ui.Enable(!IsMonitoring() && m_program.CanRedo() ? TRUE : FALSE);
}

void CILEditor::OnEditSelectAll()
{
    if (!m_host)
        return;
    const int last = LastLine();
    SetSelection(0, 0, last, LineLength(last));
    m_caretLine = last;
    m_caretColumn = LineLength(last);
    int scrollX = 0;
    int scrollY = 0;
    m_host->GetScrollPosition(scrollX, scrollY);
    m_host->ShowCaretAt(CPoint(TextStart() - scrollX, -scrollY));
    m_host->Invalidate();
}

int CILEditor::GetContextMenuId(CPoint& point)
{
    if (point.x == -1 && point.y == -1)
        point = CPoint((m_caretColumn + 1) * m_charWidth + m_monitorWidth, (m_caretLine + 1) * m_lineHeight);
    return IsMonitoring() ? CONTEXT_MENU_MONITORING : CONTEXT_MENU_EDITING;
}

void CILEditor::PickForceOperand()
{
    if (m_caretLine < 0 || m_caretLine > LastLine())
        return;
    const std::string& line = Line(m_caretLine);
    m_forceOperand.clear();
    m_forceable = 0;
    m_forceFlags = 0;
    if (m_caretColumn < 0 || m_caretColumn >= static_cast<int>(line.size()))
        return;
    auto isDelimiter = [](char c) { return c == ',' || c == ' '; };
    size_t start = static_cast<size_t>(m_caretColumn);
    size_t end = start;
    while (start > 0 && !isDelimiter(line[start - 1]))
        --start;
    while (end < line.size() && !isDelimiter(line[end]))
        ++end;
    if (isDelimiter(line[m_caretColumn]))
        end = start = static_cast<size_t>(m_caretColumn);
    m_forceOperand = line.substr(start, end - start);
    std::string address = m_forceOperand;
    if (m_host)
        m_host->FindLocalAddress(ByteString::Upper(m_forceOperand), address);
    m_forceable = IsForceableOperand(Project(), address, m_forceFlags);
}

void CILEditor::ForcePicked(int value)
{
    if (!m_host || !IsMonitoring() || !m_forceable)
        return;
    ForceOrUnforceOperand(m_app, *m_host, m_forceOperand, value);
}

void CILEditor::OnForceTrue()
{
    if (m_forceFlags & OT_BOOL)
        ForcePicked(1);
}

void CILEditor::OnForceFalse()
{
    if (m_forceFlags & OT_BOOL)
        ForcePicked(0);
}

void CILEditor::OnUnforce()
{
    ForcePicked(UNFORCE_VALUE);
}

void CILEditor::OnForce()
{
    if (!m_host || !IsMonitoring() || !m_forceable)
        return;
    RunForceDialogOn(m_app, *m_host, m_forceOperand);
}

int CILEditor::SetSymbolicAddressing(BOOL symbolic)
{
    DropSelection();
    RewriteAllLines(symbolic, ROUTINES_UNCHANGED);
    if (m_host)
        m_host->Invalidate();
    return TRUE;
}

BOOL CILEditor::EndPendingEdit()
{
    const BOOL pending = m_selection;
    m_selection = FALSE;
    return pending;
}

// Printing.

namespace {
constexpr int PRINT_MARGIN_ROWS = 10;
constexpr int PRINT_MARGIN_COLUMNS = 15;
constexpr int PRINT_LEFT_COLUMNS = 7;
constexpr int PRINT_RIGHT_PAD_COLUMNS = 6;
constexpr int HEADER_ROW = 3;
constexpr int HEADER_RULE_ROW = 4;
constexpr int HEADER_RULE_GAP = 20;
constexpr int FOOTER_RULE_ROWS = 4;
constexpr int FOOTER_ROWS = 3;
constexpr int FOOTER_GAP = 100;
constexpr int BODY_FIRST_ROW = 5;
constexpr int BODY_BOTTOM_ROWS = 6;
constexpr UINT COVER_PAGE = 1;
constexpr UINT FIRST_TEXT_PAGE = 2;
constexpr size_t MIN_COVER_DECLARATIONS = 2;

// The length of the run of double-byte bytes that ends just before pos.
int HighRunBefore(const std::string& line, int pos)
{
    int run = 0;
    while (pos - run > 0 && IsDoubleByteLead(line[pos - run - 1]))
        ++run;
    return run;
}

// A row boundary that splits no double-byte character.
int SafeBreak(const std::string& line, int pos)
{
    if (pos <= 0 || pos >= static_cast<int>(line.size()))
        return std::min(pos, static_cast<int>(line.size()));
    return HighRunBefore(line, pos) % 2 != 0 ? pos - 1 : pos;
}
} // namespace

BOOL CILEditor::MeasurePrinter(CDC& dc, CPrintMetrics& metrics) const
{
    dc.SetMapMode(MM_TWIPS);
    TEXTMETRIC text {};
    dc.GetTextMetrics(&text);
    metrics.lineHeight = std::max(1, static_cast<int>(text.tmHeight + text.tmExternalLeading));
    metrics.charWidth = std::max(1, static_cast<int>(text.tmAveCharWidth));
    CRect printable(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
    dc.DPtoLP(&printable);
    metrics.rows = std::abs(printable.Height()) / metrics.lineHeight - PRINT_MARGIN_ROWS;
    metrics.columns = std::abs(printable.Width()) / metrics.charWidth - PRINT_MARGIN_COLUMNS;
    return metrics.rows > 0 && metrics.columns > 0;
}

// Every line as its printed rows: C bytes each, a line of n bytes taking
// n / C + 1 rows, no row splitting a double-byte character.
void CILEditor::BuildPrintRows(int columns, std::vector<std::string>& rows) const
{
    for (const std::string& line : m_program.GetLines()) {
        const int segments = static_cast<int>(line.size()) / columns + 1;
        for (int k = 0; k < segments; ++k) {
            const int start = SafeBreak(line, k * columns);
            const int end = k + 1 == segments ? static_cast<int>(line.size()) : SafeBreak(line, (k + 1) * columns);
            rows.push_back(line.substr(start, std::max(0, end - start)));
        }
    }
}

BOOL CILEditor::OnPreparePrinting(CPrintInfo* info)
{
    if (!info || !info->DoPreparePrinting())
        return FALSE;
    CDC* printer = info->GetPrinterDC();
    if (!printer)
        return FALSE;
    CFont font;
    font.CreateFontIndirect(&m_printFont);
    CFont* oldFont = printer->SelectObject(&font);
    CPrintMetrics metrics;
    const BOOL measured = MeasurePrinter(*printer, metrics);
    printer->SelectObject(oldFont);
    if (!measured)
        return FALSE;
    std::vector<std::string> rows;
    BuildPrintRows(metrics.columns, rows);
    info->SetMaxPage(static_cast<UINT>(static_cast<int>(rows.size()) / metrics.rows) + FIRST_TEXT_PAGE);
    m_printRow = 0;
    return TRUE;
}

void CILEditor::OnPrint(CDC* dc, CPrintInfo* info)
{
    if (!dc || !info)
        return;
    CFont font;
    font.CreateFontIndirect(&m_printFont);
    CFont* oldFont = dc->SelectObject(&font);
    CPrintMetrics metrics;
    if (m_host && m_host->HasDocument() && MeasurePrinter(*dc, metrics)) {
        CRect draw = info->m_rectDraw;
        dc->DPtoLP(&draw);
        PrintFrame(*dc, *info, draw, metrics);
        if (info->m_nCurPage == COVER_PAGE)
            PrintCover(*dc, metrics);
        else
            PrintText(*dc, *info, draw, metrics);
    }
    dc->SelectObject(oldFont);
}

void CILEditor::PrintFrame(CDC& dc, const CPrintInfo& info, const CRect& draw, const CPrintMetrics& metrics)
{
    const int h = metrics.lineHeight;
    const int w = metrics.charWidth;
    const int left = PRINT_LEFT_COLUMNS * w;
    const int right = draw.right - PRINT_LEFT_COLUMNS * w - draw.left;
    const int height = draw.bottom - draw.top;
    dc.TextOut(left, -HEADER_ROW * h, m_host->GetDocumentTitle());
    const std::string printed = "Printed:  " + FormatLocalTime(std::time(nullptr));
    dc.TextOut(draw.right - (static_cast<int>(printed.size()) + PRINT_RIGHT_PAD_COLUMNS) * w - draw.left,
               -HEADER_ROW * h, printed);
    dc.MoveTo(left, -HEADER_RULE_ROW * h - HEADER_RULE_GAP);
    dc.LineTo(right, -HEADER_RULE_ROW * h - HEADER_RULE_GAP);
    dc.MoveTo(left, height + FOOTER_RULE_ROWS * h);
    dc.LineTo(right, height + FOOTER_RULE_ROWS * h);
    char footer[32];
    std::snprintf(footer, sizeof(footer), " %u/%u ", info.m_nCurPage, info.GetMaxPage());
    dc.TextOut((draw.right - static_cast<int>(std::strlen(footer)) * w) / 2, height + FOOTER_ROWS * h + FOOTER_GAP,
               footer);
}

void CILEditor::PrintCover(CDC& dc, const CPrintMetrics& metrics)
{
    const int h = metrics.lineHeight;
    const int x = PRINT_LEFT_COLUMNS * metrics.charWidth;
    std::string created;
    std::string modified;
    m_host->GetFileTimes(created, modified);
    const std::string texts[] = {
        "Project Name:  " + m_app.Project.ProjectName,
        "    POU Name:  " + m_host->GetDocumentTitle(),
        "     Created:  " + created,
        "    Modified:  " + modified,
    };
    int row = BODY_FIRST_ROW;
    for (const std::string& text : texts)
        dc.TextOut(x, -(row++) * h, text);
    std::vector<std::string> declarations;
    m_host->GetLocalVarDeclLines(declarations);
    if (declarations.size() < MIN_COVER_DECLARATIONS)
        return;
    for (const std::string& line : declarations)
        dc.TextOut(x, -(row++) * h, line);
}

// A text page prints the next R printed rows, so that broken lines
// continue row after row and the page count holds.
void CILEditor::PrintText(CDC& dc, const CPrintInfo& info, const CRect& draw, const CPrintMetrics& metrics)
{
    std::vector<std::string> rows;
    BuildPrintRows(metrics.columns, rows);
    const int h = metrics.lineHeight;
    const int bottom = draw.bottom - draw.top + BODY_BOTTOM_ROWS * h;
    m_printRow = static_cast<int>(info.m_nCurPage - FIRST_TEXT_PAGE) * metrics.rows;
    const int last = std::min(static_cast<int>(rows.size()), m_printRow + metrics.rows);
    int y = -BODY_FIRST_ROW * h;
    for (; m_printRow < last; ++m_printRow, y -= h) {
        if (y < bottom)
            return;
        dc.TextOut(PRINT_LEFT_COLUMNS * metrics.charWidth, y, rows[m_printRow]);
    }
}

void CILEditor::OnEndPrinting(CDC*, CPrintInfo*)
{
    if (!m_host)
        return;
    m_caretLine = 0;
    m_caretColumn = 0;
    m_host->ShowCaretAt(CPoint(m_gutterWidth + m_monitorWidth, 0));
}

// Find and Replace.

namespace {
constexpr int FIND_DIALOG_FIND = 1;
constexpr int FIND_DIALOG_REPLACE = 2;
} // namespace

// The find text: the selected bytes of the selection's start line.
std::string CILEditor::SelectionFindText() const
{
    if (m_selStartLine < 0 || m_selStartLine > LastLine())
        return std::string();
    const std::string& line = m_program.GetLines()[m_selStartLine];
    const int size = static_cast<int>(line.size());
    const int start = std::clamp(m_selStartColumn, 0, size);
    const int end = m_selEndLine == m_selStartLine ? std::clamp(m_selEndColumn, start, size) : size;
    return line.substr(start, end - start);
}

void CILEditor::OpenFindReplace(BOOL replace)
{
    if (!m_host || IsMonitoring())
        return;
    m_selection = FALSE;
    m_host->Invalidate();
    if (m_app.Find.DialogMode == (replace ? FIND_DIALOG_FIND : FIND_DIALOG_REPLACE))
        return;
    IFindReplaceDialog* dialog = m_host->OpenFindReplaceDialog(!replace);
    if (!dialog)
        return;
    m_app.Find.DialogMode = replace ? FIND_DIALOG_REPLACE : FIND_DIALOG_FIND;
    // Without a selection the last search is offered again.
    std::string text = SelectionFindText();
    if (text.empty())
        text = m_app.Find.LastFindText;
    m_findStartColumn = m_selStartColumn;
    dialog->SetFindText(text);
    dialog->AddFindHistory(m_app.Find.LastFindText);
    const BOOL any = text.empty() ? FALSE : TRUE;
    dialog->EnableFindButtons(any);
    dialog->SetFindOnly(!replace);
    if (!replace) {
        dialog->Show(FALSE);
        return;
    }
    dialog->Show(TRUE);
    dialog->EnableReplaceButtons(any && !dialog->IsScopeBeyondWindow(), any);
    m_host->SetFocus();
}

void CILEditor::OnEditFind()
{
    OpenFindReplace(FALSE);
}

void CILEditor::OnEditReplace()
{
    OpenFindReplace(TRUE);
}
