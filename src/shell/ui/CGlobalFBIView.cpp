#include "CGlobalFBIView.h"

#include "ITableViewHost.h"

#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "platform/ByteString.h"
#include "platform/ui/CCPCellCtrl.h"

namespace {

struct ColumnDef {
    const char* title;
    int width;
};

const ColumnDef kColumns[CGlobalFBIView::COLUMN_COUNT] = {
    {"Instance", 140},
    {"FB", 140},
    {"Position", 160},
};

constexpr int kFixedColumnWidth = 50;
constexpr int kReadOnlyStyle = 3;
constexpr int kStatusTextPane = 1;
constexpr int kStatusCellPane = 2;
// "  第 %d 行, 第 %d 列" in code page 936.
constexpr const char* kStatusFormat = "  \xB5\xDA %d \xD0\xD0, \xB5\xDA %d \xC1\xD0";

} // namespace

IMPLEMENT_DYNCREATE(CGlobalFBIView, CCPGridView)

int CGlobalFBIView::OnCreate()
{
    if (CCPGridView::OnCreate() == -1)
        return -1;
    CCPGridCtrl& grid = GetGridCtrl();
    for (const ColumnDef& column : kColumns) {
        const int index = grid.AddCol(column.width, column.title);
        grid.DefineColCtrl(index, CCPCellCtrl::KIND_DISPLAY, 0, 0);
    }
    grid.SetFixedColCount(1, FALSE);
    grid.SetFixedColWidth(kFixedColumnWidth, FALSE);
    grid.SetGridStyle(kReadOnlyStyle);
    return 0;
}

void CGlobalFBIView::SetRowCount(int n)
{
    GetGridCtrl().SetGridRowCount(n, TRUE);
    GetGridCtrl().UpdateScrollSizes();
    GetGridCtrl().RefreshCells();
}

const CZULFB* CGlobalFBIView::GetRecord(int row) const
{
    if (!g_pAppData)
        return nullptr;
    const auto& instances = g_pAppData->Project.FBTable.FBInstances;
    if (row < 0 || size_t(row) >= instances.size())
        return nullptr;
    return instances[size_t(row)].get();
}

BOOL CGlobalFBIView::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    text.clear();
    mark = 0;
    const CZULFB* record = GetRecord(row);
    if (!record)
        return TRUE;
    if (column == COL_INSTANCE)
        text = record->instanceName;
    else if (column == COL_FB)
        text = record->typeName;
    else if (column == COL_POSITION)
        text = record->ownerPou;
    return TRUE;
}

void CGlobalFBIView::OnSetActiveCell(int, int)
{
    ShowStatusText();
}

void CGlobalFBIView::ShowStatusText()
{
    ITableViewHost* host = ITableViewHost::FindFor(this);
    if (!host)
        return;
    const CCPGridCore& core = GetGridCtrl().GetCore();
    host->SetStatusPane(kStatusTextPane, "");
    host->SetStatusPane(kStatusCellPane,
                        ByteString::Format(kStatusFormat, core.GetActiveRow() + 1, core.GetActiveCol() + 1));
}

void CGlobalFBIView::ShowCellOnStatusBar(BOOL shown)
{
    if (shown) {
        ShowStatusText();
        return;
    }
    if (ITableViewHost* host = ITableViewHost::FindFor(this))
        host->SetStatusPane(kStatusCellPane, "");
}

void CGlobalFBIView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_RETURN || ch == VK_DELETE)
        return;
    CCPGridView::OnKeyDown(ch, repeat, flags);
}
