#include "CInitDataView.h"

#include "model/CZULAppData.h"
#include "model/ProjectModified.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/StandardCommands.h"

namespace {

// Cell-editor ids, one per column.
constexpr UINT kFirstEditorId = 100;
constexpr int kGridStyle = 1;

} // namespace

IMPLEMENT_DYNCREATE(CInitDataView, CTableGridView)

CInitDataView::CInitDataView()
{
    using Cmd = CCmdEntry<CInitDataView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_EDIT_CUT, &CInitDataView::OnCut),
        Cmd::Update(ID_EDIT_CUT, &CInitDataView::OnUpdateEdit),
        Cmd::Command(ID_EDIT_COPY, &CInitDataView::OnCopy),
        Cmd::Command(ID_EDIT_PASTE, &CInitDataView::OnPaste),
        Cmd::Update(ID_EDIT_PASTE, &CInitDataView::OnUpdateEdit),
        Cmd::Command(ID_EDIT_CLEAR, &CInitDataView::OnClear),
        Cmd::Update(ID_EDIT_CLEAR, &CInitDataView::OnUpdateEdit),
        Cmd::Command(ID_EDIT_SELECT_ALL, &CInitDataView::OnSelectAll),
        Cmd::Command(ID_TABLE_DELETE_ROW, &CInitDataView::OnDeleteRow),
        Cmd::Update(ID_TABLE_DELETE_ROW, &CInitDataView::OnUpdateEdit),
        Cmd::Command(ID_TABLE_INSERT_ROW_ABOVE, &CInitDataView::OnInsertRowAbove),
        Cmd::Command(ID_TABLE_INSERT_ROW_BELOW, &CInitDataView::OnInsertRowBelow),
    };
    AddCommandTable(kCommands);
}

CInitDataView::~CInitDataView() = default;

int CInitDataView::OnCreate()
{
    if (!g_pAppData || CTableGridView::OnCreate() == -1)
        return -1;
    m_table = std::make_unique<CInitDataTable>(*g_pAppData);
    CCPGridCtrl& grid = GetGridCtrl();
    grid.AddCol(CInitDataTable::ADDRESS_WIDTH, "Address");
    for (int value = 0; value < CInitDataTable::VALUE_COLUMNS; ++value)
        grid.AddCol(CInitDataTable::VALUE_WIDTH, "Value");
    for (int column = 0; column < CInitDataTable::COLUMN_COUNT; ++column)
        grid.DefineColCtrl(column, CCPCellCtrl::KIND_EDIT, 0, kFirstEditorId + UINT(column));
    grid.SetFixedColCount(1, FALSE);
    grid.SetFixedColWidth(FIXED_COLUMN_WIDTH, FALSE);
    grid.SetGridStyle(kGridStyle);
    return 0;
}

void CInitDataView::SetRowCount(int n)
{
    m_table->SetRowCount(n);
    GetGridCtrl().SetGridRowCount(n, TRUE);
    GetGridCtrl().UpdateScrollSizes();
}

void CInitDataView::OnUpdateEdit(CCmdUI* ui)
{
    ui->Enable(m_table && !m_table->IsMonitoring());
}

void CInitDataView::ShowRows()
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SetGridRowCount(m_table->GetRecordCount(), TRUE);
    grid.RefreshCells();
}

BOOL CInitDataView::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    return m_table->GetCellText(column, row, text, mark);
}

void CInitDataView::OnSaveCellData(int column, int row, const std::string& text)
{
    if (m_table->SaveCellData(column, row, text))
        GetGridCtrl().RefreshCells();
}

BOOL CInitDataView::ActivateCtrl(int, int, BOOL editable)
{
    return editable && !m_table->IsMonitoring();
}

void CInitDataView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
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

BOOL CInitDataView::AppendRow()
{
    if (!m_table->InsertInitRows(m_table->GetRecordCount(), 1))
        return FALSE;
    ShowRows();
    return TRUE;
}

void CInitDataView::OnEditClear()
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SaveModifyed();
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    grid.GetSelectRange(firstCol, lastCol, firstRow, lastRow);
    if (m_table->ClearCells(firstCol, lastCol, firstRow, lastRow))
        ShowRows();
}

BOOL CInitDataView::OnEditCut()
{
    if (m_table->IsMonitoring() || !OnEditCopy())
        return FALSE;
    OnEditClear();
    return TRUE;
}

int CInitDataView::OnEditPaste()
{
    if (m_table->IsMonitoring())
        return GRID_PASTE_OK;
    const int code = CTableGridView::OnEditPaste();
    if (ReportPasteResult(code))
        SetProjectModified(TRUE);
    GetGridCtrl().RefreshCells();
    return code;
}

void CInitDataView::OnInsertRowAbove()
{
    if (m_table->InsertInitRows(GetGridCtrl().GetCore().GetActiveRow(), 1))
        ShowRows();
}

void CInitDataView::OnInsertRowBelow()
{
    if (m_table->InsertInitRows(GetGridCtrl().GetCore().GetActiveRow() + 1, 1))
        ShowRows();
}

void CInitDataView::OnDeleteRow()
{
    if (m_table->IsMonitoring() || !m_table->DeleteInitRows(GetGridCtrl().GetCore().GetActiveRow(), 1))
        return;
    ShowRows();
    SetProjectModified(TRUE);
}
