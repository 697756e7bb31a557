#pragma once
// The shape and state of a grid: columns with their editors, the fixed
// column, the row count, the selection range, the active cell, the sort
// column and the table type; and the copy and paste of a range of cells
// with the paste's result codes. Rows and columns count from 0; the fixed
// column is not counted among the data columns.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CCPGridHost;
class CWnd;

struct CCPGridColumn {
    int width = 0;
    std::string title;
    int kind = 0; // CCPCellCtrl::Kind
    DWORD style = 0;
    UINT id = 0;
};

struct CCPGridRange {
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    int ColCount() const { return lastCol - firstCol + 1; }
    int RowCount() const { return lastRow - firstRow + 1; }
};

// Results of a paste.
enum GridPasteResult {
    GRID_PASTE_OK = 0,
    GRID_PASTE_SHAPE_DIFFERS = 1,
    GRID_PASTE_NO_DATA = 2,
    GRID_PASTE_BAD_FORMAT = 3,
    GRID_PASTE_START_COLUMN_DIFFERS = 4,
    GRID_PASTE_TABLE_TYPE_DIFFERS = 5,
};

// The name of the clipboard format that a grid's copy adds beside the text.
constexpr const char* kGridCellsFormat = "CPGrid Cells";

class CCPGridCore {
public:
    void SetGridWnd(CWnd* wnd) { m_wnd = wnd; }
    CWnd* GetGridWnd() const { return m_wnd; }

    int AddCol(int width, const std::string& title);
    BOOL DefineColCtrl(int column, int kind, DWORD style, UINT id);
    const CCPGridColumn* GetColumn(int column) const;
    int GetGridColCount() const { return int(m_columns.size()); }

    void SetFixedColCount(int count) { m_fixedCols = count; }
    int GetFixedColCount() const { return m_fixedCols; }
    void SetFixedColWidth(int width) { m_fixedWidth = width; }
    int GetFixedColWidth() const { return m_fixedWidth; }

    void SetGridRowCount(int rows);
    int GetGridRowCount() const { return m_rows; }
    BOOL InsertRows(int at, int count);
    BOOL RemoveRows(int first, int count);

    // The range is put in order and cut to the grid; FALSE for an empty grid.
    BOOL SetSelectRange(int firstCol, int lastCol, int firstRow, int lastRow);
    void GetSelectRange(int& firstCol, int& lastCol, int& firstRow, int& lastRow) const;
    const CCPGridRange& GetSelection() const { return m_selection; }
    void SelectAll();

    // FALSE, nothing changed, for a cell outside the grid.
    BOOL SetActiveCell(int column, int row);
    int GetActiveCol() const { return m_activeCol; }
    int GetActiveRow() const { return m_activeRow; }
    // The active cell and a selection of that one cell.
    BOOL SetFocusCell(int column, int row);

    void SetSortCol(int column, BOOL ascending);
    int GetSortCol() const { return m_sortCol; }
    BOOL IsSortAscending() const { return m_sortAscending; }

    void SetGridStyle(int style) { m_style = style; }
    int GetGridStyle() const { return m_style; }
    // Grids of one table type take each other's copies.
    void SetTableType(int type) { m_tableType = type; }
    int GetTableType() const { return m_tableType; }

    // The cells of the range as lines of tab-separated texts, CR LF between lines.
    std::string GetRangeText(CCPGridHost& host, const CCPGridRange& range) const;
    // The grid format of a copy of the range: table type, start column and shape.
    std::vector<BYTE> GetRangeFormat(const CCPGridRange& range) const;
    // Pastes text (with the grid format when copied from a grid; format null
    // otherwise) into the selection, or from the active cell when one cell
    // is selected; editable cells only, through the host.
    int PasteText(CCPGridHost& host, const std::string* text, const std::vector<BYTE>* format) const;
    // Stores an empty text into every editable cell of the selection.
    void ClearSelection(CCPGridHost& host) const;

private:
    bool IsCell(int column, int row) const;
    bool IsEditable(int column) const;

    CWnd* m_wnd = nullptr;
    std::vector<CCPGridColumn> m_columns;
    int m_fixedCols = 0;
    int m_fixedWidth = 0;
    int m_rows = 0;
    CCPGridRange m_selection;
    int m_activeCol = 0;
    int m_activeRow = 0;
    int m_sortCol = -1;
    BOOL m_sortAscending = TRUE;
    int m_style = 0;
    int m_tableType = 0;
};
