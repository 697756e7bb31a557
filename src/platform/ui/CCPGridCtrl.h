#pragma once
// The grid control, once for every table of the program: a Qt table view
// inside the window whose model asks the host for each cell's text and
// mark, and whose delegates open the column's editor (edit box with a
// length limit or drop-down list filled by the host) and store the edited
// text through the host. One fixed column at the left; header clicks, keys
// and cell changes reach the host; Enter moves on to the next cell, Tab
// ends the cell's edit and moves across; copy,
// cut and paste of a range go over the platform clipboard.

#include "platform/ui/CCPGridCore.h"
#include "platform/ui/CCPGridHost.h"
#include "platform/ui/CWnd.h"

#include <QPointer>

class QTableView;
class QModelIndex;
class QItemSelection;

class CCPGridCtrl : public CWnd, public CCPGridHost {
    Q_OBJECT
    DECLARE_DYNAMIC(CCPGridCtrl)
public:
    explicit CCPGridCtrl(QWidget* parent = nullptr);
    ~CCPGridCtrl() override;

    // The window whose hooks the grid calls; the grid itself by default.
    void SetHost(CCPGridHost* host) { m_host = host ? host : this; }
    CCPGridHost& GetHost() const { return *m_host; }
    CCPGridCore& GetCore() { return m_core; }
    const CCPGridCore& GetCore() const { return m_core; }
    QTableView* GetTableView() const { return m_table; }

    // Columns, defined once, left to right.
    int AddCol(int width, const std::string& title);
    BOOL DefineColCtrl(int column, int kind, DWORD style, UINT id);
    void SetFixedColCount(int count, BOOL redraw);
    void SetFixedColWidth(int width, BOOL redraw);
    void SetGridRowCount(int rows, BOOL redraw);
    int GetGridRowCount() const { return m_core.GetGridRowCount(); }
    int GetGridColCount() const { return m_core.GetGridColCount(); }
    BOOL InsertRows(int at, int count);
    BOOL RemoveRows(int first, int count);
    void UpdateScrollSizes();
    // Shows the texts the host gives now.
    void RefreshCells();

    void GetSelectRange(int& firstCol, int& lastCol, int& firstRow, int& lastRow) const;
    BOOL SetSelectRange(int firstCol, int lastCol, int firstRow, int lastRow);
    BOOL SetActiveCell(int column, int row);
    BOOL SetActiveRow(int row) { return SetActiveCell(m_core.GetActiveCol(), row); }
    BOOL SetActiveCol(int column) { return SetActiveCell(column, m_core.GetActiveRow()); }
    BOOL SetFocusCell(int column, int row);
    // The cell under a client point; FALSE when there is none.
    BOOL SetFocusCell(CPoint point);
    // Client coordinates to a data column or row; -1 outside the cells.
    int XToCol(int x) const;
    int YToRow(int y) const;

    // Ends a pending cell edit and stores its text.
    void SaveModifyed();
    BOOL IsEditing() const { return m_editor != nullptr; }

    void SetSortCol(int column, BOOL ascending);
    int GetSortCol() const { return m_core.GetSortCol(); }
    void SetGridStyle(int style) { m_core.SetGridStyle(style); }

    // The selection as text (and the grid format) on the clipboard.
    BOOL CopySelectedCellText();
    BOOL CutSelectedCellText();
    // 0, or the refusal 1 to 5 (GridPasteResult).
    int PasteTextToSelectedCells();
    void ClearSelectedCells();
    void SelectAllGridCells();

    // The default key handling: Enter moves to the next cell, Delete clears.
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override;
    // Enter: the next column, from the last column to the first of the next row.
    void MoveToNextCell();
    // Tab (step 1) and Shift+Tab (step -1): ends a pending edit and moves one
    // cell across, wrapping to the next or previous row; stops at either end.
    void MoveAcross(int step);

    // Tab and Shift+Tab in a grid with editors move across its cells; Enter
    // in an open cell editor stores the edit and moves on as Enter does.
    BOOL PreTranslateMessage(MSG* msg) override;

    // Used by the cell editors.
    void SetOpenEditor(QWidget* editor) { m_editor = editor; }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool ForwardContextMenu(QEvent* event);

private:
    void ApplyShape();
    void ShowSelection();
    void OnViewSelectionChanged();
    void OnViewCurrentChanged(const QModelIndex& current);
    bool HasEditableColumn() const;

    CCPGridCore m_core;
    CCPGridHost* m_host = this;
    QTableView* m_table = nullptr;       // child, owned by Qt
    class CCPGridCellModel* m_model = nullptr;  // owned by Qt
    QPointer<QWidget> m_editor;
    bool m_syncing = false;
};
