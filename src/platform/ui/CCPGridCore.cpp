#include "CCPGridCore.h"

#include "CCPCellCtrl.h"
#include "CCPGridHost.h"
#include "platform/ByteString.h"

#include <algorithm>

namespace {

constexpr int kFormatFields = 4; // table type, start column, rows, columns
constexpr size_t kMaxFieldDigits = 9; // keeps every field within int

// Lines at CR LF or LF; a last empty line (the end of the last line) is dropped.
std::vector<std::vector<std::string>> SplitCells(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> cells;
        size_t from = 0;
        for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', from)) {
            cells.push_back(line.substr(from, tab - from));
            from = tab + 1;
        }
        cells.push_back(line.substr(from));
        rows.push_back(cells);
        start = end + 1;
    }
    return rows;
}

bool ParseFormat(const std::vector<BYTE>& bytes, int fields[kFormatFields])
{
    const std::string text(bytes.begin(), bytes.end());
    size_t from = 0;
    for (int i = 0; i < kFormatFields; ++i) {
        const size_t comma = text.find(',', from);
        const std::string field = text.substr(from, comma == std::string::npos ? std::string::npos : comma - from);
        if (field.empty() || field.size() > kMaxFieldDigits || field.find_first_not_of("0123456789") != std::string::npos)
            return false;
        fields[i] = std::stoi(field);
        if ((comma == std::string::npos) != (i == kFormatFields - 1))
            return false;
        from = comma + 1;
    }
    return true;
}

} // namespace

int CCPGridCore::AddCol(int width, const std::string& title)
{
    CCPGridColumn column;
    column.width = width;
    column.title = title;
    m_columns.push_back(column);
    return int(m_columns.size()) - 1;
}

BOOL CCPGridCore::DefineColCtrl(int column, int kind, DWORD style, UINT id)
{
    if (column < 0 || column >= GetGridColCount())
        return FALSE;
    CCPGridColumn& definition = m_columns[size_t(column)];
    definition.kind = kind;
    definition.style = style;
    definition.id = id;
    return TRUE;
}

const CCPGridColumn* CCPGridCore::GetColumn(int column) const
{
    if (column < 0 || column >= GetGridColCount())
        return nullptr;
    return &m_columns[size_t(column)];
}

bool CCPGridCore::IsCell(int column, int row) const
{
    return column >= 0 && column < GetGridColCount() && row >= 0 && row < m_rows;
}

bool CCPGridCore::IsEditable(int column) const
{
    const CCPGridColumn* definition = GetColumn(column);
    return definition
           && (definition->kind == CCPCellCtrl::KIND_EDIT || definition->kind == CCPCellCtrl::KIND_DROPDOWN);
}

void CCPGridCore::SetGridRowCount(int rows)
{
    m_rows = std::max(rows, 0);
    const int lastRow = std::max(m_rows - 1, 0);
    m_activeRow = std::min(m_activeRow, lastRow);
    m_selection.firstRow = std::min(m_selection.firstRow, lastRow);
    m_selection.lastRow = std::min(m_selection.lastRow, lastRow);
}

BOOL CCPGridCore::InsertRows(int at, int count)
{
    if (count < 1 || at < 0 || at > m_rows)
        return FALSE;
    m_rows += count;
    return TRUE;
}

BOOL CCPGridCore::RemoveRows(int first, int count)
{
    if (count < 1 || first < 0 || first + count > m_rows)
        return FALSE;
    SetGridRowCount(m_rows - count);
    return TRUE;
}

BOOL CCPGridCore::SetSelectRange(int firstCol, int lastCol, int firstRow, int lastRow)
{
    if (m_rows == 0 || m_columns.empty())
        return FALSE;
    auto clampCol = [this](int c) { return std::clamp(c, 0, GetGridColCount() - 1); };
    auto clampRow = [this](int r) { return std::clamp(r, 0, m_rows - 1); };
    m_selection.firstCol = clampCol(std::min(firstCol, lastCol));
    m_selection.lastCol = clampCol(std::max(firstCol, lastCol));
    m_selection.firstRow = clampRow(std::min(firstRow, lastRow));
    m_selection.lastRow = clampRow(std::max(firstRow, lastRow));
    return TRUE;
}

void CCPGridCore::GetSelectRange(int& firstCol, int& lastCol, int& firstRow, int& lastRow) const
{
    firstCol = m_selection.firstCol;
    lastCol = m_selection.lastCol;
    firstRow = m_selection.firstRow;
    lastRow = m_selection.lastRow;
}

void CCPGridCore::SelectAll()
{
    SetSelectRange(0, GetGridColCount() - 1, 0, m_rows - 1);
}

BOOL CCPGridCore::SetActiveCell(int column, int row)
{
    if (!IsCell(column, row))
        return FALSE;
    m_activeCol = column;
    m_activeRow = row;
    return TRUE;
}

BOOL CCPGridCore::SetFocusCell(int column, int row)
{
    if (!SetActiveCell(column, row))
        return FALSE;
    return SetSelectRange(column, column, row, row);
}

void CCPGridCore::SetSortCol(int column, BOOL ascending)
{
    m_sortCol = column;
    m_sortAscending = ascending;
}

std::string CCPGridCore::GetRangeText(CCPGridHost& host, const CCPGridRange& range) const
{
    std::string text;
    for (int row = range.firstRow; row <= range.lastRow; ++row) {
        for (int column = range.firstCol; column <= range.lastCol; ++column) {
            std::string cell;
            BYTE mark = 0;
            if (!host.GetCellText(column, row, cell, mark))
                cell.clear();
            text += cell;
            if (column < range.lastCol)
                text += '\t';
        }
        text += "\r\n";
    }
    return text;
}

std::vector<BYTE> CCPGridCore::GetRangeFormat(const CCPGridRange& range) const
{
    const std::string text = ByteString::Format("%d,%d,%d,%d", m_tableType, range.firstCol, range.RowCount(),
                                                range.ColCount());
    return std::vector<BYTE>(text.begin(), text.end());
}

int CCPGridCore::PasteText(CCPGridHost& host, const std::string* text, const std::vector<BYTE>* format) const
{
    if (!text)
        return GRID_PASTE_NO_DATA;
    int fields[kFormatFields] = {};
    if (format && !ParseFormat(*format, fields))
        return GRID_PASTE_BAD_FORMAT;
    if (format && fields[0] != m_tableType)
        return GRID_PASTE_TABLE_TYPE_DIFFERS;
    if (format && fields[1] != m_selection.firstCol)
        return GRID_PASTE_START_COLUMN_DIFFERS;
    const auto cells = SplitCells(*text);
    if (cells.empty())
        return GRID_PASTE_BAD_FORMAT;
    const size_t width = cells.front().size();
    const bool even = std::all_of(cells.begin(), cells.end(), [width](const auto& row) { return row.size() == width; });
    if (!even || (format && (fields[2] != int(cells.size()) || fields[3] != int(width))))
        return GRID_PASTE_BAD_FORMAT;
    CCPGridRange target = m_selection;
    if (target.RowCount() == 1 && target.ColCount() == 1) {
        target.lastRow = target.firstRow + int(cells.size()) - 1;
        target.lastCol = target.firstCol + int(width) - 1;
    }
    if (target.RowCount() != int(cells.size()) || target.ColCount() != int(width)
        || !IsCell(target.lastCol, target.lastRow))
        return GRID_PASTE_SHAPE_DIFFERS;
    for (int row = target.firstRow; row <= target.lastRow; ++row) {
        for (int column = target.firstCol; column <= target.lastCol; ++column) {
            if (IsEditable(column))
                host.OnSaveCellData(column, row, cells[size_t(row - target.firstRow)][size_t(column - target.firstCol)]);
        }
    }
    return GRID_PASTE_OK;
}

void CCPGridCore::ClearSelection(CCPGridHost& host) const
{
    for (int row = m_selection.firstRow; row <= m_selection.lastRow; ++row) {
        for (int column = m_selection.firstCol; column <= m_selection.lastCol; ++column) {
            if (IsEditable(column))
                host.OnSaveCellData(column, row, std::string());
        }
    }
}
