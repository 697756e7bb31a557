#pragma once
// What a grid asks of the window that owns its data: the text and mark of
// each cell, the storing of an edited text, the filling of a cell editor,
// and the notices of clicks, keys and cell changes. Every hook has a
// harmless default, so a host overrides only what it needs.

#include "platform/WinTypes.h"

#include <string>

class CCPCellCtrl;

// Cell marks: how a cell is shown.
constexpr BYTE GRID_MARK_PLAIN = 0;
constexpr BYTE GRID_MARK_FORCED = 1;    // yellow background
constexpr BYTE GRID_MARK_COMMENT = 254; // comment colour
constexpr BYTE GRID_MARK_ERROR = 255;   // red text

class CCPGridHost {
public:
    virtual ~CCPGridHost() = default;

    // The text and mark of a data cell; FALSE shows an empty plain cell.
    virtual BOOL GetCellText(int column, int row, std::string& text, BYTE& mark);
    // Stores the edited (or pasted, or cleared) text of a cell.
    virtual void OnSaveCellData(int column, int row, const std::string& text);
    // An editor of the column with this id is being made: fill its list or limit its length.
    virtual void CreateCellCtrl(UINT id, CCPCellCtrl& control);
    // An editor is about to open on the cell; FALSE keeps it closed.
    virtual BOOL ActivateCtrl(int column, int row, BOOL editable);
    virtual void OnSetActiveCell(int column, int row);
    // A header cell was clicked.
    virtual void OnFixedRowDown(int column);
    // A key went down in the grid while no cell editor had it. Enter and
    // Delete end here; other keys go on to the grid's own moves and typing.
    // A window that is also a CWnd overrides both with one OnKeyDown.
    virtual void OnKeyDown(UINT ch, UINT repeat, UINT flags);
};
