#include "CPOUVarView.h"

#include "CPOUEditorDoc.h"

#include "model/CZULAppData.h"
#include "pouedit/IPOUWorkbenchHost.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/CCmdUI.h"

namespace {

// Cell-editor ids, one per column.
constexpr UINT kFirstEditorId = 100;
constexpr int kFixedColumnWidth = 24;

struct ColumnEditor {
    int kind;
    int limit;
};

// Address shown only; symbol and comment typed; class and data type picked.
constexpr ColumnEditor COLUMN_EDITORS[CPOUVarTable::COLUMN_COUNT] = {
    {CCPCellCtrl::KIND_DISPLAY, 0},
    {CCPCellCtrl::KIND_EDIT, CPOUVarTable::SYMBOL_MAX_LENGTH},
    {CCPCellCtrl::KIND_DROPDOWN, 0},
    {CCPCellCtrl::KIND_DROPDOWN, 0},
    {CCPCellCtrl::KIND_EDIT, 0},
};

} // namespace

IMPLEMENT_DYNCREATE(CPOUVarView, CCPGridView)

CPOUVarView::CPOUVarView()
    : m_table(std::make_unique<CPOUVarTable>(m_noBits, m_noBytes, false))
{
    using Cmd = CCmdEntry<CPOUVarView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_EDIT_CUT, &CPOUVarView::OnCut),
        Cmd::Update(ID_EDIT_CUT, &CPOUVarView::OnUpdateEdit),
        Cmd::Command(ID_EDIT_COPY, &CPOUVarView::OnCopy),
        Cmd::Command(ID_EDIT_PASTE, &CPOUVarView::OnPaste),
        Cmd::Update(ID_EDIT_PASTE, &CPOUVarView::OnUpdateEdit),
        Cmd::Command(ID_EDIT_CLEAR, &CPOUVarView::OnClear),
        Cmd::Update(ID_EDIT_CLEAR, &CPOUVarView::OnUpdateClear),
        Cmd::Command(ID_EDIT_SELECT_ALL, &CPOUVarView::OnSelectAll),
        Cmd::Command(ID_TABLE_DELETE_ROW, &CPOUVarView::OnDeleteRow),
        Cmd::Update(ID_TABLE_DELETE_ROW, &CPOUVarView::OnUpdateDeleteRow),
        Cmd::Command(ID_TABLE_INSERT_ROW_ABOVE, &CPOUVarView::OnInsertAbove),
        Cmd::Update(ID_TABLE_INSERT_ROW_ABOVE, &CPOUVarView::OnUpdateInsertRow),
        Cmd::Command(ID_TABLE_INSERT_ROW_BELOW, &CPOUVarView::OnInsertBelow),
        Cmd::Update(ID_TABLE_INSERT_ROW_BELOW, &CPOUVarView::OnUpdateInsertRow),
    };
    AddCommandTable(kCommands);
}

CPOUVarView::~CPOUVarView() = default;

CPOUEditorDoc* CPOUVarView::GetDocument() const
{
    return dynamic_cast<CPOUEditorDoc*>(CView::GetDocument());
}

int CPOUVarView::OnCreate()
{
    if (CCPGridView::OnCreate() == -1)
        return -1;
    CCPGridCtrl& grid = GetGridCtrl();
    for (int column = 0; column < CPOUVarTable::COLUMN_COUNT; ++column) {
        grid.AddCol(CPOUVarTable::COLUMNS[column].width, CPOUVarTable::COLUMNS[column].title);
        grid.DefineColCtrl(column, COLUMN_EDITORS[column].kind, 0, kFirstEditorId + UINT(column));
    }
    grid.SetFixedColCount(1, FALSE);
    grid.SetFixedColWidth(kFixedColumnWidth, FALSE);
    return 0;
}

void CPOUVarView::OnInitialUpdate()
{
    CPOUEditorDoc* doc = GetDocument();
    if (!doc)
        return;
    CZULProject& project = doc->GetApp().Project;
    m_table = std::make_unique<CPOUVarTable>(project.LocalBitUsage, project.LocalByteUsage,
                                             doc->IsSubroutine() != FALSE);
    m_table->ReadDocumentVarFile(doc->GetVarPathName());
    m_table->EnsureRowCount(CPOUVarTable::GetOpeningRowCount(m_table->GetRowCount()));
    ShowRows(FALSE);
}

BOOL CPOUVarView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message != WM_INITIALUPDATE)
        return CCPGridView::OnWndMsg(message, wParam, lParam, result);
    OnInitialUpdate();
    if (result)
        *result = 0;
    return TRUE;
}

void CPOUVarView::OnContextMenu(CWnd*, CPoint point)
{
    CPOUEditorDoc* doc = GetDocument();
    if (doc && doc->GetWorkbench())
        doc->GetWorkbench()->ShowContextMenu(TABLE_CONTEXT_MENU, point.x, point.y, this);
}

void CPOUVarView::GetSelection(int& firstCol, int& lastCol, int& firstRow, int& lastRow) const
{
    GetGridCtrl().GetSelectRange(firstCol, lastCol, firstRow, lastRow);
}

void CPOUVarView::OnUpdateEdit(CCmdUI* ui)
{
    ui->Enable(!IsMonitoring());
}

void CPOUVarView::OnUpdateClear(CCmdUI* ui)
{
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    GetSelection(firstCol, lastCol, firstRow, lastRow);
    ui->Enable(!IsMonitoring() && CPOUVarTable::CanClear(firstCol));
}

void CPOUVarView::OnUpdateInsertRow(CCmdUI* ui)
{
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    GetSelection(firstCol, lastCol, firstRow, lastRow);
    ui->Enable(!IsMonitoring() && m_table->CanInsertRow(firstCol, lastCol));
}

void CPOUVarView::OnUpdateDeleteRow(CCmdUI* ui)
{
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    GetSelection(firstCol, lastCol, firstRow, lastRow);
    ui->Enable(!IsMonitoring() && m_table->CanDeleteRow(firstCol, lastCol));
}

bool CPOUVarView::IsMonitoring() const
{
    const CPOUEditorDoc* doc = GetDocument();
    return doc && doc->GetApp().Monitoring.load() != 0;
}

void CPOUVarView::ShowRows(BOOL changed)
{
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SetGridRowCount(m_table->GetRowCount(), TRUE);
    grid.RefreshCells();
    CPOUEditorDoc* doc = GetDocument();
    if (changed && doc)
        doc->SetModifiedFlag(TRUE);
}

BOOL CPOUVarView::LookupLocalSymbol(const std::string& upperName, OperandTypeFlags& flags) const
{
    const auto& symbols = m_table->GetUpperSymbolMap();
    const auto found = symbols.find(upperName);
    if (found == symbols.end())
        return FALSE;
    flags = found->second->DataTypeMask | found->second->ClassFlags;
    return TRUE;
}

BOOL CPOUVarView::FindLocalAddress(const std::string& upperName, std::string& address) const
{
    const auto& symbols = m_table->GetUpperSymbolMap();
    const auto found = symbols.find(upperName);
    if (found == symbols.end())
        return FALSE;
    address = found->second->Address;
    return TRUE;
}

BOOL CPOUVarView::FindLocalName(const std::string& address, std::string& name) const
{
    const auto& addresses = m_table->GetAddressMap();
    const auto found = addresses.find(address);
    if (found == addresses.end())
        return FALSE;
    name = found->second->Symbol;
    return TRUE;
}

void CPOUVarView::GetLocalSymbols(std::vector<std::pair<std::string, std::string>>& symbols) const
{
    for (const auto& [name, entry] : m_table->GetSymbolMap())
        symbols.emplace_back(entry->Symbol, entry->Address);
}

BOOL CPOUVarView::GetDeclarationLines(std::vector<std::string>& lines) const
{
    std::vector<std::string> declarations;
    m_table->GetDeclarationLines(declarations);
    if (declarations.empty())
        return FALSE;
    lines = std::move(declarations);
    return TRUE;
}

BOOL CPOUVarView::CommitRows(BOOL writeFile)
{
    GetGridCtrl().SaveModifyed();
    CPOUEditorDoc* doc = GetDocument();
    if (!doc)
        return TRUE;
    if (m_table->IsSubroutine())
        m_table->RebuildCallInterface(doc->GetPathName(), doc->GetApp().Project);
    if (!writeFile || doc->GetVarPathName().empty())
        return TRUE;
    return m_table->WriteVarFile(doc->GetVarPathName());
}

BOOL CPOUVarView::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    return m_table->GetCellText(column, row, text, mark);
}

void CPOUVarView::OnSaveCellData(int column, int row, const std::string& text)
{
    if (m_table->OnCellEdited(column, row, text))
        ShowRows(TRUE);
}

void CPOUVarView::CreateCellCtrl(UINT id, CCPCellCtrl& control)
{
    const int column = int(id - kFirstEditorId);
    if (column < 0 || column >= CPOUVarTable::COLUMN_COUNT)
        return;
    control.LimitText(COLUMN_EDITORS[column].limit);
    control.ResetContent();
    for (const std::string& choice : m_table->GetColumnChoices(column))
        control.AddString(choice);
}

BOOL CPOUVarView::ActivateCtrl(int, int, BOOL editable)
{
    return editable && !IsMonitoring();
}

void CPOUVarView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    CCPGridCtrl& grid = GetGridCtrl();
    if (ch != VK_RETURN) {
        if (ch == VK_DELETE)
            OnEditClear();
        else
            CCPGridView::OnKeyDown(ch, repeat, flags);
        return;
    }
    int column = 0;
    int row = 0;
    if (IsMonitoring() || !m_table->GetEnterTarget(grid.GetCore().GetActiveCol(), grid.GetCore().GetActiveRow(),
                                                   column, row))
        return;
    ShowRows(FALSE);
    grid.SetActiveCell(column, row);
}

int CPOUVarView::OnEditPaste()
{
    if (IsMonitoring())
        return GRID_PASTE_OK;
    const int code = CCPGridView::OnEditPaste();
    if (CPOUVarTable::ReportPasteResult(code))
        ShowRows(TRUE);
    return code;
}

BOOL CPOUVarView::OnEditCut()
{
    if (IsMonitoring())
        return FALSE;
    if (!OnEditCopy())
        return FALSE;
    OnEditClear();
    return TRUE;
}

void CPOUVarView::OnEditClear()
{
    if (IsMonitoring())
        return;
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    GetSelection(firstCol, lastCol, firstRow, lastRow);
    if (!CPOUVarTable::CanClear(firstCol))
        return;
    if (m_table->ClearCells(firstCol, firstRow, lastCol, lastRow))
        ShowRows(TRUE);
}

BOOL CPOUVarView::InsertRows(int count, bool below)
{
    if (IsMonitoring())
        return FALSE;
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    GetGridCtrl().GetSelectRange(firstCol, lastCol, firstRow, lastRow);
    if (!m_table->CanInsertRow(firstCol, lastCol) || !m_table->InsertRows(below ? lastRow : firstRow, count, below))
        return FALSE;
    ShowRows(TRUE);
    return TRUE;
}

BOOL CPOUVarView::DeleteSelectedRows()
{
    if (IsMonitoring())
        return FALSE;
    int firstCol = 0;
    int lastCol = 0;
    int firstRow = 0;
    int lastRow = 0;
    GetGridCtrl().GetSelectRange(firstCol, lastCol, firstRow, lastRow);
    if (!m_table->CanDeleteRow(firstCol, lastCol) || !m_table->DeleteRows(firstRow, lastRow - firstRow + 1))
        return FALSE;
    ShowRows(TRUE);
    return TRUE;
}
