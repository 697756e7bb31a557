// The IL editor's construction and fonts, the clipboard, undo, forcing,
// printing and the opening of Find and Replace. The line rules are in
// CILEditorLines.cpp, keys and mouse in CILEditorInput.cpp, painting and
// scrolling in CILEditorPaint.cpp, the searches in CILEditorFind.cpp.

#include "CILEditor.h"

#include "CILEditorShared.h"
#include "CILProgram.h"
#include "ForceOperand.h"
#include "IFindReplaceDialog.h"
#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "model/CZULProjectPOUs.h"
#include "platform/ByteString.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/WinMessages.h"
#include "platform/CClipboard.h"
#include "platform/CDC.h"
#include "platform/CPrintInfo.h"
#include "LocalTimeText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace ILEditorShared;

namespace {
constexpr int INITIAL_LINE_STATES = 500;
constexpr int PRINT_FONT_HEIGHT = 197;
constexpr int GUTTER_PADDING = 2;
constexpr int IL_TEXT_FONT = 0;  // the application's IL text font record
constexpr int IL_PRINT_FONT = 3; // the record the print font copies
const char* const GUTTER_SAMPLE = "88888";
const char* const FIRST_HEADER = "(* Network 0 *)";
constexpr int CONTEXT_MENU_EDITING = 157;
constexpr int CONTEXT_MENU_MONITORING = 126;
constexpr int MAX_PASTE_LINE = 260;
constexpr int REDO_EXTENT_COLUMNS = 255;

bool IsDoubleByteLead(char c)
{
    return (static_cast<BYTE>(c) & 0x80) != 0;
}
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

void CILEditor::PushSnapshot()
{
    m_program.PushUndoSnapshot();
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

void CILEditor::OnUpdateEditDelete(IPOUCommandUI& ui)
{
    ui.Enable(IsMonitoring() ? FALSE : TRUE);
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
