#pragma once
// The module grid of the hardware window without its window: one row per
// module slot of the project's configuration (slot 0 the CPU), the focus
// cell and the selected rows, and the rules that change the configuration's
// shape: inserting a catalogue module into an empty slot, the CPU change
// rules, and removing modules. The window draws the rows from GetCellText
// and forwards its mouse clicks and keys here; what the model needs of the
// window goes through IHardwareHost.
//
// Rows and columns given to SelectModuleRow and the focus cell count the
// grid's header row and row-header column (grid numbers); selections and
// cell texts use data rows (slot numbers) and data columns.

#include "platform/WinTypes.h"

#include <memory>
#include <string>

class CZULAppData;
class CZUL_Q7_PLC;
class IHardwareHost;
struct CModuleCatalogEntry;

constexpr int HW_GRID_DATA_COLUMNS = 4;
constexpr int HW_GRID_ROW_HEADER_WIDTH = 50;
// Grid rows when the configuration has no CPU.
constexpr int HW_GRID_EMPTY_ROWS = 2;
// The grid library's style value of the Comment cells; every other cell has 0.
constexpr int HW_GRID_COMMENT_STYLE = 254;

struct CHardwareGridColumn {
    const char* header;
    int width;
    bool centred;
};

// The data columns in order: Module, I Address, Q Address, Comment.
extern const CHardwareGridColumn HardwareGridColumns[HW_GRID_DATA_COLUMNS];

struct CModuleCellText {
    std::string text;
    int style = 0;
};

// Keys of the grid; the window maps its key codes onto them.
enum class HardwareGridKey { Shift, Control, Up, Down, PageUp, PageDown, Delete, F1, Other };

class CHardwareGridModel {
public:
    CHardwareGridModel(CZULAppData& app, IHardwareHost& host);

    // Empties a configuration without CPU, sets the row count, selects the
    // first row and fixes the page of Page Up and Page Down.
    void OnInitialUpdate();

    // The text and style of a cell, by data column and slot.
    CModuleCellText GetCellText(int column, int slot) const;

    // Moves the focus to a data cell (grid numbers), selects its whole row
    // and brings the row's page to the front (the note page for a row
    // without page). Cells outside the data area: nothing.
    void SelectModuleRow(int row, int column);

    // A key press; FALSE for the keys the grid library handles itself.
    bool OnKeyDown(HardwareGridKey key, bool shiftHeld);
    // A right-button press on a data cell, before the context menu shows:
    // inside a selection of several rows only the focus moves.
    void OnRightButtonCell(int row, int column);

    // A catalogue row double-clicked: inserted into the slot under the focus
    // when that slot is empty or the one after the last.
    void InsertCatalogModule(const CModuleCatalogEntry* row);
    // Makes the record of the row, places its address ranges and stores it
    // in the slot under the focus; FALSE with nothing stored when the row's
    // kind is unknown or an address area has no room (reported).
    BOOL AddModuleToConfig(const CModuleCatalogEntry* row);
    // Empties the selected slots after asking; trailing empty slots go.
    void RemoveModule();
    // The Remove command is offered while the focus row shows a slot.
    bool CanRemoveModule() const;

    int GetRowCount() const { return m_rowCount; }
    int GetFocusRow() const { return m_focusRow; }
    int GetFocusColumn() const { return m_focusColumn; }
    int GetSelectionFirst() const { return m_selectionFirst; }
    int GetSelectionLast() const { return m_selectionLast; }
    int GetPageRows() const { return m_pageRows; }

private:
    bool ApplyCpuChangeRule(const CModuleCatalogEntry& row);
    void ResetAfterCpuChange();
    void SetupCpu(CZUL_Q7_PLC& cpu);
    void MoveFocusTo(int row, bool extendSelection);
    void ExtendSelectionTo(int row);
    void SelectDataRowZero();
    int ProfileRowCount() const;

    // The configuration's slots; an empty slot holds no record.
    int SlotCount() const;
    CZUL_Q7_PLC* SlotRecord(int slot) const;
    void StoreInSlot(int slot, std::unique_ptr<CZUL_Q7_PLC> record);
    void EmptySlot(int slot);
    void DropLastSlot();
    void DropAllSlots();

    CZULAppData& m_app;
    IHardwareHost& m_host;
    int m_rowCount = HW_GRID_EMPTY_ROWS;
    int m_focusRow = 1;
    int m_focusColumn = 1;
    int m_selectionFirst = 0;
    int m_selectionLast = 0;
    int m_selectionAnchor = 0;
    int m_pageRows = HW_GRID_EMPTY_ROWS + 1;
};
