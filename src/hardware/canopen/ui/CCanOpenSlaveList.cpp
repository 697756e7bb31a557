#include "CCanOpenSlaveList.h"

#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "model/CCanOpenSlave.h"
#include "platform/ui/CCPCellCtrl.h"

namespace {

// Editor ids: this base plus the column.
constexpr UINT kFirstEditorId = 5000;

int EditorKind(int column)
{
    switch (column) {
    case SLAVE_COL_SUPERVISION:
    case SLAVE_COL_ERROR_HANDLING:
    case SLAVE_COL_VALID:
        return CCPCellCtrl::KIND_DROPDOWN;
    case SLAVE_COL_GUARD_TIME:
    case SLAVE_COL_LIFE_FACTOR:
    case SLAVE_COL_CONSUMER_TIME:
        return CCPCellCtrl::KIND_EDIT;
    default:
        return CCPCellCtrl::KIND_DISPLAY;
    }
}

} // namespace

CCanOpenSlaveList::CCanOpenSlaveList(CCanOpenSlaveGrid& slaves, QWidget* parent)
    : CCPGridCtrl(parent), m_slaves(slaves)
{
    for (int column = 0; column < SLAVE_LIST_COLUMNS; ++column) {
        AddCol(CCanOpenSlaveGrid::ColumnWidth(column), CCanOpenSlaveGrid::ColumnHeader(column));
        DefineColCtrl(column, EditorKind(column), 0, kFirstEditorId + UINT(column));
    }
    SetGridRowCount(CANOPEN_SLAVES, TRUE);
}

BOOL CCanOpenSlaveList::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    if (row < 0 || row >= CANOPEN_SLAVES)
        return FALSE;
    text = m_slaves.GetCellText(column, row);
    mark = GRID_MARK_PLAIN;
    return TRUE;
}

void CCanOpenSlaveList::OnSaveCellData(int column, int row, const std::string& text)
{
    m_slaves.OnSaveCellData(column, row, text);
}

void CCanOpenSlaveList::CreateCellCtrl(UINT id, CCPCellCtrl& control)
{
    control.ResetContent();
    for (const std::string& entry : CCanOpenSlaveGrid::CreateCellCtrl(int(id - kFirstEditorId)))
        control.AddString(entry);
}

void CCanOpenSlaveList::OnSetActiveCell(int column, int row)
{
    m_slaves.SetFocusCell(row, column);
}
