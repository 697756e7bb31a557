// Find, mark, replace and go-to of the IL editor.

#include "CILEditor.h"

#include "CILProgram.h"
#include "IFindReplaceDialog.h"
#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <string_view>

namespace {
constexpr int FIND_MODE_REPORT = 0;
constexpr int FIND_MODE_UNMARK = 1;
constexpr int FIND_MODE_MARK = 2;
constexpr int FIND_ACTION_FOUND = 1;
constexpr int FIND_ACTION_REPLACED = 2;
constexpr int IL_HIT_LANGUAGE = 1;
constexpr int IL_HIT_NETWORK = -1;
constexpr int IL_HIT_ELEMENT_KIND = 255;
constexpr int IL_HIT_PARAM_INDEX = -1;
constexpr int LINES_ABOVE_GOTO = 10;
constexpr int PAGE_SCROLL_COLUMNS = 25;

// Word bounds of the current-file searches and of the other scopes.
constexpr std::string_view FIND_SEPARATORS = "\t (),";
constexpr std::string_view SCAN_SEPARATORS = "\t ";

const char* const FIND_REPORT = "    %d. IL program \"%s\": Row %d, \"%s\", Byte %d from Col.%d.";
const char* const REPLACE_REPORT =
    "    %d. IL program \"%s\": Row %d, \"%s\", Byte %d from Col.%d. \r\"%s\" is replaced as \"%s\".";
const char* const FIND_HEADER = "$$$ Find \"%s\" in the program \"%s\"...";
const char* const FINISHED_SEARCHING = "Finished searching for '";
const char* const FINISHED_TAIL = "' .";
const char* const NOTE_CAPTION = "Note";
const char* const HIT_VANISHED = "\xB5\xB1\xC7\xB0\xCE\xBB\xD6\xC3\xB6\xD4\xD3\xA6\xB5\xC4\xD7\xD6\xB7\xFB\xB4\xAE"
                                 "\xB2\xBB\xB4\xE6\xD4\xDA\xA3\xAC\xC7\xEB\xD6\xD8\xD0\xC2\xB2\xE9\xD5\xD2!";

bool IsSeparator(char c, std::string_view separators)
{
    return separators.find(c) != std::string_view::npos;
}

// The next hit in work[from, limit) with its word bounds, or -1; a
// candidate that is no whole word is passed over to its end.
int NextHit(const std::string& work, const std::string& key, int from, int limit, BOOL wholeWord,
            std::string_view separators)
{
    const int size = static_cast<int>(work.size());
    const int length = static_cast<int>(key.size());
    limit = std::min(limit, size);
    if (length == 0)
        return -1;
    int at = std::max(from, 0);
    while (at + length <= limit) {
        const std::string::size_type found = work.find(key, at);
        if (found == std::string::npos || static_cast<int>(found) + length > limit)
            return -1;
        const int start = static_cast<int>(found);
        const int end = start + length;
        const bool before = start == 0 || IsSeparator(work[start - 1], separators);
        const bool after = end == size || IsSeparator(work[end], separators);
        if (!wholeWord || (before && after))
            return start;
        at = end;
    }
    return -1;
}

// Every hit in work[from, limit), in order.
std::vector<int> HitsIn(const std::string& work, const std::string& key, int from, int limit, BOOL wholeWord,
                        std::string_view separators)
{
    std::vector<int> hits;
    for (int at = NextHit(work, key, from, limit, wholeWord, separators); at >= 0;
         at = NextHit(work, key, at + static_cast<int>(key.size()), limit, wholeWord, separators))
        hits.push_back(at);
    return hits;
}

std::string SearchCopy(const std::string& text, BOOL matchCase)
{
    return matchCase ? text : ByteString::Upper(text);
}

// Fills record n of a table when it exists and is still free.
void FillRecord(CFindTable& table, int number, int action, const std::string& pouName,
                const std::string& lineText, int row, int column, int length, int secondLength)
{
    if (number < 1 || number >= FIND_TABLE_SIZE || !table[number].POUName.empty())
        return;
    CFindResult& record = table[number];
    record.Action = action;
    record.Language = IL_HIT_LANGUAGE;
    record.POUName = pouName;
    record.Network = IL_HIT_NETWORK;
    record.ElementKind = IL_HIT_ELEMENT_KIND;
    record.ElementText.clear();
    record.InstanceFlag = 0;
    record.ParamIndex = IL_HIT_PARAM_INDEX;
    record.ParamGroup = 0;
    record.LineText = lineText;
    record.RowOrColumn = row;
    record.ColumnOrRow = column;
    record.LengthOrWidth = length;
    record.Length2OrHeight = secondLength;
}

void WriteFindLine(const std::string& text)
{
    CUserInterface::Output().AppendOutputLine(FIND_OUTPUT_LIST, text);
}

std::string ReplacementText(const std::string& replace)
{
    return replace.empty() ? std::string(" ") : replace;
}
} // namespace

int CILEditor::FindInLine(const std::string& line, const std::string& text, int start, BOOL matchCase,
                          BOOL wholeWord)
{
    return NextHit(SearchCopy(line, matchCase), SearchCopy(text, matchCase), start,
                   static_cast<int>(line.size()), wholeWord, FIND_SEPARATORS);
}

int CILEditor::FindInLineBackward(const std::string& line, const std::string& text, int skip, BOOL matchCase,
                                  BOOL wholeWord)
{
    const int limit = static_cast<int>(line.size()) - std::max(skip, 0);
    const std::vector<int> hits =
        HitsIn(SearchCopy(line, matchCase), SearchCopy(text, matchCase), 0, limit, wholeWord, FIND_SEPARATORS);
    return hits.empty() ? -1 : hits.back() + static_cast<int>(text.size());
}

void CILEditor::ReportHit(int number, int row, const std::string& lineText, int length, int column) const
{
    WriteFindLine(ByteString::Format(FIND_REPORT, number, m_app.Find.CurrentPOUName.c_str(), row + 1,
                                     lineText.c_str(), length, column + 1));
}

int CILEditor::CollectInLine(const std::string& line, const std::string& text, int row, int start, BOOL matchCase,
                             BOOL wholeWord)
{
    const std::vector<int> hits = HitsIn(SearchCopy(line, matchCase), SearchCopy(text, matchCase), start,
                                         static_cast<int>(line.size()), wholeWord, FIND_SEPARATORS);
    const int length = static_cast<int>(text.size());
    for (int column : hits) {
        const int number = ++m_app.Find.ResultCount;
        FillRecord(m_app.Find.Results, number, FIND_ACTION_FOUND, m_app.Find.CurrentPOUName, line, row, column,
                   length, 0);
        ReportHit(number, row, line, length, column);
    }
    return hits.empty() ? -1 : hits.front();
}

int CILEditor::CollectInLineBackward(const std::string& line, const std::string& text, int row, int skip,
                                     BOOL matchCase, BOOL wholeWord)
{
    const int limit = static_cast<int>(line.size()) - std::max(skip, 0);
    std::vector<int> hits =
        HitsIn(SearchCopy(line, matchCase), SearchCopy(text, matchCase), 0, limit, wholeWord, FIND_SEPARATORS);
    std::reverse(hits.begin(), hits.end());
    const int length = static_cast<int>(text.size());
    for (int column : hits) {
        const int number = ++m_app.Find.ResultCount;
        FillRecord(m_app.Find.Results, number, FIND_ACTION_FOUND, m_app.Find.CurrentPOUName, line, row, column,
                   length, 0);
        ReportHit(number, row, line, length, column);
    }
    return hits.empty() ? -1 : hits.front();
}

// Without match case the recorded and reported line is the upper-cased copy.
int CILEditor::ScanLine(const std::string& line, const std::string& text, int row, int mode, BOOL matchCase,
                        BOOL wholeWord)
{
    if (line.empty())
        return 0;
    const std::string work = SearchCopy(line, matchCase);
    const std::vector<int> hits =
        HitsIn(work, SearchCopy(text, matchCase), 0, static_cast<int>(work.size()), wholeWord, SCAN_SEPARATORS);
    const int length = static_cast<int>(text.size());
    CFindState& find = m_app.Find;
    for (int column : hits) {
        if (mode == FIND_MODE_MARK) {
            ++find.MarkCounter;
            const int number = ++find.MarkCount;
            FillRecord(find.MarkTable, number, FIND_ACTION_FOUND, find.CurrentPOUName, work, row, column, length, 0);
            continue;
        }
        const int number = ++find.ResultCount;
        FillRecord(find.Results, number, FIND_ACTION_FOUND, find.CurrentPOUName, work, row, column, length, 0);
        ReportHit(number, row, work, length, column);
    }
    return static_cast<int>(hits.size());
}

int CILEditor::ReplaceInLine(std::string& line, const std::string& replace, const std::string& find, int row,
                             BOOL matchCase, BOOL wholeWord)
{
    if (line.empty() || find.empty() || find == replace)
        return 0;
    const std::string before = line;
    std::string work = SearchCopy(line, matchCase);
    const std::string key = SearchCopy(find, matchCase);
    const std::string workReplace = SearchCopy(replace, matchCase);
    const int findLength = static_cast<int>(find.size());
    const int replaceLength = static_cast<int>(replace.size());
    int count = 0;
    for (int at = NextHit(work, key, 0, static_cast<int>(work.size()), wholeWord, SCAN_SEPARATORS); at >= 0;
         at = NextHit(work, key, at + replaceLength, static_cast<int>(work.size()), wholeWord, SCAN_SEPARATORS)) {
        work.replace(at, findLength, workReplace);
        line.replace(at, findLength, replace);
        ++count;
        const int number = ++m_app.Find.ResultCount;
        FillRecord(m_app.Find.Results, number, FIND_ACTION_REPLACED, m_app.Find.CurrentPOUName, line, row, at,
                   replaceLength, findLength);
        WriteFindLine(ByteString::Format(REPLACE_REPORT, number, m_app.Find.CurrentPOUName.c_str(), row + 1,
                                         before.c_str(), findLength, at + 1, find.c_str(), replace.c_str()));
    }
    return count;
}

void CILEditor::SelectHit(int row, int start, int end, BOOL caretAtStart)
{
    m_caretLine = row;
    m_caretColumn = end;
    m_desiredColumn = end;
    SetSelection(row, start, row, end);
    m_findStartColumn = caretAtStart ? start : end;
    ScrollToCaret(end - start);
    PlaceCaret();
}

void CILEditor::Find(const std::string& findText, int mode)
{
    const BOOL marks = mode == FIND_MODE_MARK ? TRUE : FALSE;
    m_program.SetMarksShown(marks);
    m_app.Find.MarksShown = marks;
    if (mode == FIND_MODE_UNMARK || !m_host)
        return;
    const IFindReplaceDialog* dialog = m_host->GetFindReplaceDialog();
    const std::string text = ByteString::Trim(findText);
    if (!dialog || text.empty() || LastLine() < 0)
        return;
    ClampCaret();
    if (m_findStartColumn > LineLength(m_caretLine))
        m_findStartColumn = 0;
    const int scope = dialog->GetScope();
    if (mode == FIND_MODE_REPORT && (scope != FIND_SCOPE_CURRENT_FILE || m_app.Find.NewSearch == 1)) {
        WriteFindLine("\r\n");
        WriteFindLine(ByteString::Format(FIND_HEADER, text.c_str(), m_app.Find.CurrentPOUName.c_str()));
    }
    if (scope == FIND_SCOPE_CURRENT_FILE) {
        FindInCurrentFile(text, mode, *dialog);
        return;
    }
    for (int row = 0; row <= LastLine(); ++row) {
        if (!m_program.IsHeaderLine(row))
            ScanLine(Line(row), text, row, mode, dialog->GetMatchCase(), dialog->GetWholeWord());
    }
}

void CILEditor::FindInCurrentFile(const std::string& text, int mode, const IFindReplaceDialog& dialog)
{
    if (mode == FIND_MODE_MARK) {
        for (int row = 0; row <= LastLine(); ++row) {
            if (!m_program.IsHeaderLine(row))
                ScanLine(Line(row), text, row, FIND_MODE_MARK, dialog.GetMatchCase(), dialog.GetWholeWord());
        }
        m_host->Invalidate();
        return;
    }
    if (m_app.Find.NewSearch == 1)
        CollectHits(text, dialog);
    else
        FindNextHit(text, dialog);
    m_host->Invalidate();
}

// The first step of a search: every hit from the caret on (or back from
// it) is recorded and reported, and the first one is selected.
void CILEditor::CollectHits(const std::string& text, const IFindReplaceDialog& dialog)
{
    const BOOL matchCase = dialog.GetMatchCase();
    const BOOL wholeWord = dialog.GetWholeWord();
    const int length = static_cast<int>(text.size());
    const int caretRow = m_caretLine;
    BOOL selected = FALSE;
    if (dialog.GetDirection() == FIND_DIRECTION_DOWN) {
        const int startColumn = m_selection ? m_selEndColumn : m_findStartColumn;
        for (int row = caretRow; row <= LastLine(); ++row) {
            if (m_program.IsHeaderLine(row))
                continue;
            const std::string line = Line(row);
            const int first = CollectInLine(line, text, row, row == caretRow ? startColumn : 0, matchCase, wholeWord);
            if (first >= 0 && !selected) {
                SelectHit(row, first, first + length, FALSE);
                selected = TRUE;
            }
        }
        return;
    }
    for (int row = caretRow; row >= 0; --row) {
        if (m_program.IsHeaderLine(row))
            continue;
        const std::string line = Line(row);
        const int skip = row == caretRow ? LineLength(row) - m_findStartColumn : 0;
        const int first = CollectInLineBackward(line, text, row, skip, matchCase, wholeWord);
        if (first >= 0 && !selected) {
            SelectHit(row, first, first + length, TRUE);
            selected = TRUE;
        }
    }
}

// A continued search: the next hit is selected, nothing is recorded; at the
// end of the text the search stops with a note.
void CILEditor::FindNextHit(const std::string& text, const IFindReplaceDialog& dialog)
{
    const BOOL matchCase = dialog.GetMatchCase();
    const BOOL wholeWord = dialog.GetWholeWord();
    const int length = static_cast<int>(text.size());
    const int caretRow = m_caretLine;
    if (dialog.GetDirection() == FIND_DIRECTION_DOWN) {
        const int startColumn = m_selection ? m_selEndColumn : m_findStartColumn;
        for (int row = caretRow; row <= LastLine(); ++row) {
            if (m_program.IsHeaderLine(row))
                continue;
            const int at = FindInLine(Line(row), text, row == caretRow ? startColumn : 0, matchCase, wholeWord);
            if (at >= 0) {
                SelectHit(row, at, at + length, FALSE);
                AnchorAtCaret();
                return;
            }
        }
    } else {
        for (int row = caretRow; row >= 0; --row) {
            if (m_program.IsHeaderLine(row))
                continue;
            const int skip = row == caretRow ? LineLength(row) - m_findStartColumn : 0;
            const int end = FindInLineBackward(Line(row), text, skip, matchCase, wholeWord);
            if (end >= 0) {
                SelectHit(row, end - length, end, TRUE);
                AnchorAtCaret();
                return;
            }
        }
    }
    ShowMessage(NOTE_CAPTION, FINISHED_SEARCHING + text + FINISHED_TAIL, MB_OK | MB_ICONINFORMATION);
}

void CILEditor::ReplaceAll(const std::string& findText, const std::string& replaceText)
{
    const IFindReplaceDialog* dialog = m_host ? m_host->GetFindReplaceDialog() : nullptr;
    const std::string find = ByteString::Trim(findText);
    if (!dialog || find.empty())
        return;
    const std::string replace = ReplacementText(ByteString::Trim(replaceText));
    const std::vector<std::string> before = m_program.GetLines();
    for (int row = 0; row <= LastLine(); ++row) {
        if (m_program.IsHeaderLine(row))
            continue;
        ReplaceInLine(Line(row), replace, find, row, dialog->GetMatchCase(), dialog->GetWholeWord());
        NormaliseLine(Line(row));
    }
    // One undo step for a POU that changed; an untouched POU stays unmodified.
    if (m_program.GetLines() != before) {
        PushSnapshot();
        m_host->SetModified();
    }
    ClampCaret();
    AnchorAtCaret();
    m_host->Invalidate();
}

void CILEditor::Replace(const std::string& findText, const std::string& replaceText)
{
    const std::string find = ByteString::Trim(findText);
    if (!m_host)
        return;
    if (!m_selection || m_selStartLine != m_selEndLine || m_selStartLine < 0 || m_selStartLine > LastLine() ||
        IsSelectionEmpty()) {
        Find(find, FIND_MODE_REPORT);
        return;
    }
    const std::string replace = ReplacementText(ByteString::Trim(replaceText));
    const int row = m_selStartLine;
    std::string& line = Line(row);
    const int start = std::clamp(m_selStartColumn, 0, static_cast<int>(line.size()));
    const int end = std::clamp(m_selEndColumn, start, static_cast<int>(line.size()));
    const std::vector<std::string> before = m_program.GetLines();
    if (ByteString::EqualsNoCase(line.substr(start, end - start), find)) {
        line.replace(start, find.size(), replace);
        // The next search goes on behind the replacement, never inside it.
        DropSelection();
        m_caretLine = row;
        m_caretColumn = start + static_cast<int>(replace.size());
        m_findStartColumn = m_caretColumn;
    }
    NormaliseLine(line);
    if (m_program.GetLines() != before) {
        PushSnapshot();
        m_host->SetModified();
    }
    ClampCaret();
    m_anchorColumn = m_caretColumn;
    if (m_findStartColumn > LineLength(m_caretLine))
        m_findStartColumn = LineLength(m_caretLine);
    m_host->Invalidate();
    Find(find, FIND_MODE_REPORT);
}

void CILEditor::SetTopLine(int row)
{
    const int top = row > LINES_ABOVE_GOTO ? row - LINES_ABOVE_GOTO : 0;
    int x = 0;
    int y = 0;
    m_host->GetScrollPosition(x, y);
    m_host->ScrollTo(x, top * m_lineHeight);
}

BOOL CILEditor::GoToLine(int n)
{
    const int row = n - 1;
    if (!m_host || row < 0 || row > LastLine())
        return FALSE;
    SetGoToMarker(row, TRUE);
    SetTopLine(row);
    DropSelection();
    m_program.SetMarksShown(FALSE);
    m_app.Find.MarksShown = 0;
    m_host->Invalidate();
    return TRUE;
}

// Page steps sideways until the hit's columns are inside the client area.
void CILEditor::ScrollHitIntoView(int column, int length)
{
    if (!m_view)
        return;
    const int width = std::max(m_charWidth, 1);
    const int right = m_host->GetClientSize().cx;
    const int hitRight = (column + length + 1) * width;
    if (hitRight > right) {
        const int steps = (hitRight - right) / width / PAGE_SCROLL_COLUMNS + 1;
        for (int i = 0; i < steps; ++i)
            m_view->PostScroll(POU_SCROLL_HORZ, POU_SCROLL_PAGEDOWN);
    }
    if (column * width < TextStart()) {
        const int steps = (TextStart() + right - column * width) / width / PAGE_SCROLL_COLUMNS + 1;
        for (int i = 0; i < steps; ++i)
            m_view->PostScroll(POU_SCROLL_HORZ, POU_SCROLL_PAGEUP);
    }
}

BOOL CILEditor::GoToFindResult(int result, int row, int column)
{
    const int r = row - 1;
    const int c = column - 1;
    if (!m_host || r < 0 || r > LastLine())
        return FALSE;
    DropSelection();
    m_program.SetMarksShown(FALSE);
    m_app.Find.MarksShown = 0;
    const std::string& lastFind = m_app.Find.LastFindText;
    const int length = static_cast<int>(lastFind.size());
    const std::string line = ByteString::Upper(Line(r));
    const bool recorded = result >= 1 && result < FIND_TABLE_SIZE;
    const CFindResult* record = recorded ? &m_app.Find.Results[result] : nullptr;
    if (record && record->Action == FIND_ACTION_REPLACED) {
        SetGoToMarker(r, TRUE);
        SetTopLine(r);
        m_host->Invalidate();
        return TRUE;
    }
    // A hit past the table has no record: the line must still hold the text there.
    const bool present = record ? ByteString::Upper(record->LineText) == line
                                : c >= 0 && ByteString::Upper(ByteString::Mid(line, c, length)) ==
                                                ByteString::Upper(lastFind) && length > 0;
    if (!present) {
        ShowMessage("", HIT_VANISHED, MB_OK);
        return FALSE;
    }
    SetTopLine(r);
    ScrollHitIntoView(c, length);
    SetSelection(r, c, r, c + length);
    m_caretLine = r;
    m_caretColumn = c + length;
    m_desiredColumn = m_caretColumn;
    AnchorAtCaret();
    PlaceCaret();
    m_host->Invalidate();
    return TRUE;
}
