#pragma once
// What the project's table views have in common on top of the grid: Enter
// moves to the next cell (appending a row after the last cell), the status
// pane shows the active cell, the context menu comes from the command bars
// and a refused paste is explained in a box.

#include "platform/ui/CCPGridView.h"

#include <string>

class ITableViewHost;

class CTableGridView : public CCPGridView {
    Q_OBJECT
    DECLARE_DYNAMIC(CTableGridView)
public:
    // The cell the output window asks for: made active and shown.
    void SetActiveCell(int column, int row);

    // Enter: the next column, from the last column to the first of the next
    // row; after the last cell of the last row an empty row is appended first.
    void MoveToNextCell();

    void OnSetActiveCell(int column, int row) override;
    // The active cell on the status bar while the table is in front; leaving
    // the front takes it off.
    void ShowCellOnStatusBar(BOOL shown);

protected:
    // Appends one empty row to the list and the grid; FALSE when it cannot.
    virtual BOOL AppendRow() = 0;
    // The status-pane text of the active cell (row and column from 1).
    virtual std::string FormatStatusText(int column, int row) const;

    ITableViewHost* GetHost();
    void ShowStatusText();
    void OnContextMenu(CWnd* wnd, CPoint point) override;
    // TRUE for a paste that succeeded; a refusal is shown in a box.
    static BOOL ReportPasteResult(int code);

    // Status-bar pane that shows the active cell.
    static constexpr int STATUS_CELL_PANE = 2;
    static constexpr int FIXED_COLUMN_WIDTH = 50;
};
