#include "CGlobalVarView.h"

#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/StandardCommands.h"

namespace {

// Cell-editor ids, one per column.
constexpr UINT kFirstEditorId = 100;

constexpr int COLUMN_EDITORS[CGlobalVarTable::COLUMN_COUNT] = {
    CCPCellCtrl::KIND_EDIT,
    CCPCellCtrl::KIND_EDIT,
    CCPCellCtrl::KIND_DROPDOWN,
    CCPCellCtrl::KIND_EDIT,
};

} // namespace

IMPLEMENT_DYNCREATE(CGlobalVarView, CTableGridView)

CGlobalVarView::CGlobalVarView()
{
    using Cmd = CCmdEntry<CGlobalVarView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_EDIT_CUT, &CGlobalVarView::OnCut),
        Cmd::Command(ID_EDIT_COPY, &CGlobalVarView::OnCopy),
        Cmd::Command(ID_EDIT_PASTE, &CGlobalVarView::OnPaste),
        Cmd::Command(ID_EDIT_CLEAR, &CGlobalVarView::OnClear),
        Cmd::Command(ID_EDIT_SELECT_ALL, &CGlobalVarView::OnSelectAll),
        Cmd::Command(ID_TABLE_DELETE_ROW, &CGlobalVarView::OnDeleteRow),
        Cmd::Command(ID_TABLE_INSERT_ROW_ABOVE, &CGlobalVarView::OnInsertRowAbove),
        Cmd::Command(ID_TABLE_INSERT_ROW_BELOW, &CGlobalVarView::OnInsertRowBelow),
    };
    AddCommandTable(kCommands);
}

CGlobalVarView::~CGlobalVarView() = default;

int CGlobalVarView::OnCreate()
{
    if (!g_pAppData || CTableGridView::OnCreate() == -1)
        return -1;
    m_table = std::make_unique<CGlobalVarTable>(g_pAppData->Project);
    CCPGridCtrl& grid = GetGridCtrl();
    for (int column = 0; column < CGlobalVarTable::COLUMN_COUNT; ++column) {
        grid.AddCol(CGlobalVarTable::COLUMNS[column].width, CGlobalVarTable::COLUMNS[column].title);
        grid.DefineColCtrl(column, COLUMN_EDITORS[column], 0, kFirstEditorId + UINT(column));
    }
    grid.SetFixedColCount(1, FALSE);
    grid.SetFixedColWidth(FIXED_COLUMN_WIDTH, FALSE);
    m_table->RebuildSortedByAddress();
    return 0;
}

void CGlobalVarView::SetRowCount(int n)
{
    m_table->SetRowCount(n);
    GetGridCtrl().SetGridRowCount(n, TRUE);
    GetGridCtrl().UpdateScrollSizes();
}

void CGlobalVarView::Revalidate()
{
    m_table->Revalidate();
    GetGridCtrl().RefreshCells();
}

void CGlobalVarView::ShowRows()
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SetGridRowCount(m_table->GetRecordCount(), TRUE);
    grid.RefreshCells();
}

BOOL CGlobalVarView::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    return m_table->GetCellText(column, row, text, mark);
}

void CGlobalVarView::OnSaveCellData(int column, int row, const std::string& text)
{
    m_table->SaveCellData(column, row, text);
    m_choicesRow = -1;
    GetGridCtrl().RefreshCells();
}

void CGlobalVarView::CreateCellCtrl(UINT id, CCPCellCtrl& control)
{
    // A name is stored with at most its first 16 bytes: the editor takes no more.
    if (id == kFirstEditorId + UINT(CGlobalVarTable::COL_SYMBOL))
        control.LimitText(int(CGlobalVarTable::NAME_MAX_BYTES));
    if (id != kFirstEditorId + UINT(CGlobalVarTable::COL_TYPE))
        return;
    const int row = GetGridCtrl().GetCore().GetActiveRow();
    control.ResetContent();
    const std::vector<std::string> choices = row == m_choicesRow ? m_choices : m_table->GetTypeChoices(row, false);
    for (const std::string& choice : choices)
        control.AddString(choice);
}

void CGlobalVarView::OnSetActiveCell(int column, int row)
{
    CTableGridView::OnSetActiveCell(column, row);
    if (column != CGlobalVarTable::COL_TYPE) {
        m_choicesRow = -1;
        return;
    }
    m_choicesRow = row;
    m_choices = m_table->GetTypeChoices(row, true);
}

void CGlobalVarView::OnFixedRowDown(int column)
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SaveModifyed();
    const bool ascending = !grid.GetCore().IsSortAscending();
    if (!m_table->SortByColumn(column, ascending))
        return;
    grid.SetSortCol(column, ascending ? TRUE : FALSE);
    grid.RefreshCells();
}

void CGlobalVarView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
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

BOOL CGlobalVarView::AppendRow()
{
    if (!m_table->InsertSymbolRows(m_table->GetRecordCount(), 1))
        return FALSE;
    ShowRows();
    return TRUE;
}

void CGlobalVarView::OnEditClear()
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

BOOL CGlobalVarView::OnEditCut()
{
    if (!OnEditCopy())
        return FALSE;
    OnEditClear();
    return TRUE;
}

int CGlobalVarView::OnEditPaste()
{
    const int code = CTableGridView::OnEditPaste();
    if (ReportPasteResult(code))
        SetProjectModified(TRUE);
    m_table->CheckDuplicates();
    GetGridCtrl().RefreshCells();
    GetGridCtrl().SetFocus();
    return code;
}

void CGlobalVarView::OnInsertRowAbove()
{
    if (m_table->InsertSymbolRows(GetGridCtrl().GetCore().GetActiveRow(), 1))
        ShowRows();
}

void CGlobalVarView::OnInsertRowBelow()
{
    if (m_table->InsertSymbolRows(GetGridCtrl().GetCore().GetActiveRow() + 1, 1))
        ShowRows();
}

void CGlobalVarView::OnDeleteRow()
{
    if (!m_table->DeleteSymbolRows(GetGridCtrl().GetCore().GetActiveRow(), 1))
        return;
    ShowRows();
    SetProjectModified(TRUE);
}
