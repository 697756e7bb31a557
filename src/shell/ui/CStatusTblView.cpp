#include "CStatusTblView.h"

#include "ITableViewHost.h"

#include "model/CStatusInput.h"
#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/StandardCommands.h"
#include "shell/CForceCommands.h"

namespace {

// Cell-editor ids, one per column.
constexpr UINT kFirstEditorId = 100;
constexpr int kGridStyle = 6;

constexpr int COLUMN_EDITORS[CStatusChartTable::COLUMN_COUNT] = {
    CCPCellCtrl::KIND_EDIT,
    CCPCellCtrl::KIND_NONE,
    CCPCellCtrl::KIND_DROPDOWN,
    CCPCellCtrl::KIND_DISPLAY,
    CCPCellCtrl::KIND_EDIT,
};

} // namespace

IMPLEMENT_DYNCREATE(CStatusTblView, CTableGridView)

CStatusTblView::CStatusTblView()
{
    using Cmd = CCmdEntry<CStatusTblView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_EDIT_CUT, &CStatusTblView::OnCut),
        Cmd::Command(ID_EDIT_COPY, &CStatusTblView::OnCopy),
        Cmd::Command(ID_EDIT_PASTE, &CStatusTblView::OnPaste),
        Cmd::Command(ID_EDIT_CLEAR, &CStatusTblView::OnClear),
        Cmd::Command(ID_EDIT_SELECT_ALL, &CStatusTblView::OnSelectAll),
        Cmd::Command(ID_TABLE_DELETE_ROW, &CStatusTblView::OnDeleteRow),
        Cmd::Command(ID_TABLE_INSERT_ROW_ABOVE, &CStatusTblView::OnInsertRowAbove),
        Cmd::Command(ID_TABLE_INSERT_ROW_BELOW, &CStatusTblView::OnInsertRowBelow),
        Cmd::Command(ID_STATUS_FORCE, &CStatusTblView::OnForce),
        Cmd::Update(ID_STATUS_FORCE, &CStatusTblView::OnUpdateForce),
        Cmd::Command(ID_STATUS_UNFORCE, &CStatusTblView::OnUnforce),
        Cmd::Update(ID_STATUS_UNFORCE, &CStatusTblView::OnUpdateUnforce),
        Cmd::Command(ID_STATUS_FORCE_ALL, &CStatusTblView::OnForceAll),
        Cmd::Update(ID_STATUS_FORCE_ALL, &CStatusTblView::OnUpdateChartCommand),
        Cmd::Command(ID_STATUS_UNFORCE_ALL, &CStatusTblView::OnUnforceAll),
        Cmd::Update(ID_STATUS_UNFORCE_ALL, &CStatusTblView::OnUpdateChartCommand),
        Cmd::Command(ID_STATUS_READ_ALL_FORCED, &CStatusTblView::OnReadAllForced),
        Cmd::Update(ID_STATUS_READ_ALL_FORCED, &CStatusTblView::OnUpdateChartCommand),
    };
    AddCommandTable(kCommands);
}

CStatusTblView::~CStatusTblView() = default;

int CStatusTblView::OnCreate()
{
    if (!g_pAppData || CTableGridView::OnCreate() == -1)
        return -1;
    m_table = std::make_unique<CStatusChartTable>(*g_pAppData);
    CCPGridCtrl& grid = GetGridCtrl();
    for (int column = 0; column < CStatusChartTable::COLUMN_COUNT; ++column) {
        grid.AddCol(CStatusChartTable::COLUMNS[column].width, CStatusChartTable::COLUMNS[column].title);
        grid.DefineColCtrl(column, COLUMN_EDITORS[column], 0, kFirstEditorId + UINT(column));
    }
    grid.SetFixedColCount(1, FALSE);
    grid.SetFixedColWidth(FIXED_COLUMN_WIDTH, FALSE);
    grid.SetGridStyle(kGridStyle);
    return 0;
}

void CStatusTblView::SetRowCount(int n)
{
    m_table->SetRowCount(n);
    GetGridCtrl().SetGridRowCount(n, TRUE);
    GetGridCtrl().UpdateScrollSizes();
}

void CStatusTblView::RefreshMonitorValues()
{
    GetGridCtrl().RefreshCells();
}

void CStatusTblView::ShowRows()
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SetGridRowCount(m_table->GetRecordCount(), TRUE);
    grid.RefreshCells();
}

CStatusInput* CStatusTblView::ActiveRecord()
{
    return m_table->GetRecord(GetGridCtrl().GetCore().GetActiveRow());
}

CForceCommands* CStatusTblView::GetForceCommands()
{
    ITableViewHost* host = GetHost();
    return host ? host->GetForceCommands() : nullptr;
}

BOOL CStatusTblView::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    return m_table->GetCellText(column, row, text, mark);
}

void CStatusTblView::OnSaveCellData(int column, int row, const std::string& text)
{
    m_table->SaveCellData(column, row, text);
    m_choicesRow = -1;
    if (m_table->GetRecordCount() > GetGridCtrl().GetGridRowCount())
        GetGridCtrl().SetGridRowCount(m_table->GetRecordCount(), TRUE);
    GetGridCtrl().RefreshCells();
}

void CStatusTblView::CreateCellCtrl(UINT id, CCPCellCtrl& control)
{
    if (id != kFirstEditorId + UINT(CStatusChartTable::COL_FORMAT))
        return;
    const int row = GetGridCtrl().GetCore().GetActiveRow();
    control.ResetContent();
    for (const std::string& choice : row == m_choicesRow ? m_choices : m_table->GetFormatChoices(row))
        control.AddString(choice);
}

void CStatusTblView::OnSetActiveCell(int column, int row)
{
    CTableGridView::OnSetActiveCell(column, row);
    if (column != CStatusChartTable::COL_FORMAT) {
        m_choicesRow = -1;
        return;
    }
    m_choicesRow = row;
    m_choices = m_table->GetFormatChoices(row);
}

BOOL CStatusTblView::ActivateCtrl(int column, int, BOOL editable)
{
    return editable || column == CStatusChartTable::COL_CURRENT;
}

void CStatusTblView::OnFixedRowDown(int column)
{
    if (column != CStatusChartTable::COL_ADDRESS)
        return;
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SaveModifyed();
    const bool ascending = !grid.GetCore().IsSortAscending();
    m_table->SortByAddress(ascending);
    grid.SetSortCol(CStatusChartTable::COL_ADDRESS, ascending ? TRUE : FALSE);
    grid.RefreshCells();
}

void CStatusTblView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_RETURN) {
        MoveToNextCell();
        return;
    }
    if (ch == VK_DELETE) {
        OnEditClear();
        return;
    }
    CTableGridView::OnKeyDown(ch, repeat, flags);
}

BOOL CStatusTblView::AppendRow()
{
    if (!m_table->InsertStatusRows(m_table->GetRecordCount(), 1))
        return FALSE;
    ShowRows();
    return TRUE;
}

void CStatusTblView::OnEditClear()
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SaveModifyed();
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    grid.GetSelectRange(firstCol, lastCol, firstRow, lastRow);
    m_table->ClearCells(firstCol, lastCol, firstRow, lastRow);
    ShowRows();
}

BOOL CStatusTblView::OnEditCut()
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SaveModifyed();
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    grid.GetSelectRange(firstCol, lastCol, firstRow, lastRow);
    if (!grid.CutSelectedCellText())
        return FALSE;
    if (lastCol >= CStatusChartTable::COLUMN_COUNT - 1)
        m_table->DeleteStatusRows(firstRow, lastRow - firstRow + 1);
    ShowRows();
    return TRUE;
}

int CStatusTblView::OnEditPaste()
{
    const int code = CTableGridView::OnEditPaste();
    if (ReportPasteResult(code))
        SetProjectModified(TRUE);
    ShowRows();
    return code;
}

void CStatusTblView::OnInsertRowAbove()
{
    if (m_table->InsertStatusRows(GetGridCtrl().GetCore().GetActiveRow(), 1))
        ShowRows();
}

void CStatusTblView::OnInsertRowBelow()
{
    if (m_table->InsertStatusRows(GetGridCtrl().GetCore().GetActiveRow() + 1, 1))
        ShowRows();
}

void CStatusTblView::OnDeleteRow()
{
    if (m_table->DeleteStatusRows(GetGridCtrl().GetCore().GetActiveRow(), 1))
        ShowRows();
}

void CStatusTblView::OnContextMenu(CWnd*, CPoint point)
{
    if (ITableViewHost* host = GetHost())
        host->ShowContextMenu(STATUS_CONTEXT_MENU, point.x, point.y, this);
}

void CStatusTblView::OnForce()
{
    CForceCommands* commands = GetForceCommands();
    if (commands && commands->CanForce(ActiveRecord()))
        commands->Force(ActiveRecord());
    GetGridCtrl().RefreshCells();
}

void CStatusTblView::OnUnforce()
{
    CForceCommands* commands = GetForceCommands();
    if (commands && commands->CanUnforce(ActiveRecord()))
        commands->Unforce(ActiveRecord());
    GetGridCtrl().RefreshCells();
}

void CStatusTblView::OnForceAll()
{
    CForceCommands* commands = GetForceCommands();
    if (commands && commands->CanRunCommands())
        commands->ForceAll(*m_table);
    GetGridCtrl().RefreshCells();
}

void CStatusTblView::OnUnforceAll()
{
    CForceCommands* commands = GetForceCommands();
    if (commands && commands->CanRunCommands())
        commands->UnforceAll();
    GetGridCtrl().RefreshCells();
}

void CStatusTblView::OnReadAllForced()
{
    CForceCommands* commands = GetForceCommands();
    if (commands && commands->CanRunCommands() && commands->ReadAllForced(*m_table) > 0)
        ShowRows();
    GetGridCtrl().RefreshCells();
}

void CStatusTblView::OnUpdateForce(CCmdUI* ui)
{
    CForceCommands* commands = GetForceCommands();
    ui->Enable(commands && m_table && commands->CanForce(ActiveRecord()));
}

void CStatusTblView::OnUpdateUnforce(CCmdUI* ui)
{
    CForceCommands* commands = GetForceCommands();
    ui->Enable(commands && m_table && commands->CanUnforce(ActiveRecord()));
}

void CStatusTblView::OnUpdateChartCommand(CCmdUI* ui)
{
    CForceCommands* commands = GetForceCommands();
    ui->Enable(commands && commands->CanRunCommands());
}
