#include "CTableGridView.h"

#include "ITableViewHost.h"

#include "model/SharedStrings.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/IMessageBox.h"
#include "platform/ui/StandardCommands.h"

IMPLEMENT_DYNAMIC(CTableGridView, CCPGridView)

ITableViewHost* CTableGridView::GetHost()
{
    return ITableViewHost::FindFor(this);
}

void CTableGridView::SetActiveCell(int column, int row)
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SaveModifyed();
    if (grid.SetFocusCell(column, row))
        ShowStatusText();
}

void CTableGridView::MoveToNextCell()
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SaveModifyed();
    int column = grid.GetCore().GetActiveCol() + 1;
    int row = grid.GetCore().GetActiveRow();
    if (column >= grid.GetGridColCount()) {
        column = 0;
        ++row;
    }
    if (row >= grid.GetGridRowCount() && !AppendRow())
        return;
    SetActiveCell(column, row);
}

void CTableGridView::OnSetActiveCell(int, int)
{
    ShowStatusText();
}

std::string CTableGridView::FormatStatusText(int column, int row) const
{
    return ByteString::Format("  Row %d , Col %d ", row + 1, column + 1);
}

void CTableGridView::ShowStatusText()
{
    ITableViewHost* host = GetHost();
    if (!host)
        return;
    const CCPGridCore& core = GetGridCtrl().GetCore();
    host->SetStatusPane(STATUS_CELL_PANE, FormatStatusText(core.GetActiveCol(), core.GetActiveRow()));
}

void CTableGridView::ShowCellOnStatusBar(BOOL shown)
{
    if (shown) {
        ShowStatusText();
        return;
    }
    if (ITableViewHost* host = GetHost())
        host->SetStatusPane(STATUS_CELL_PANE, "");
}

void CTableGridView::OnContextMenu(CWnd*, CPoint point)
{
    if (ITableViewHost* host = GetHost())
        host->ShowContextMenu(TABLE_CONTEXT_MENU, point.x, point.y, this);
}

BOOL CTableGridView::ReportPasteResult(int code)
{
    if (code == 0)
        return TRUE;
    if (code > 0 && code < SharedListSize(kGridPasteMessages))
        ShowMessage(kGridPasteCaption, kGridPasteMessages[code], MB_OK | MB_ICONINFORMATION);
    return FALSE;
}
