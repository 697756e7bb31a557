#include "CHardwareGridView.h"

#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/CCmdUI.h"
#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIFrameWnd.h"
#include "pouedit/IPOUWorkbenchHost.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTableView>

IMPLEMENT_DYNCREATE(CHardwareGridView, CCPGridView)

namespace {

constexpr int kReadOnlyStyle = 7;

struct CGridKeyMap {
    int qtKey;
    HardwareGridKey key;
};

const CGridKeyMap kGridKeys[] = {
    {Qt::Key_Shift, HardwareGridKey::Shift},     {Qt::Key_Control, HardwareGridKey::Control},
    {Qt::Key_Up, HardwareGridKey::Up},           {Qt::Key_Down, HardwareGridKey::Down},
    {Qt::Key_PageUp, HardwareGridKey::PageUp},   {Qt::Key_PageDown, HardwareGridKey::PageDown},
    {Qt::Key_Delete, HardwareGridKey::Delete},   {Qt::Key_F1, HardwareGridKey::F1},
};

HardwareGridKey GridKeyOf(int qtKey)
{
    for (const CGridKeyMap& map : kGridKeys) {
        if (map.qtKey == qtKey)
            return map.key;
    }
    return HardwareGridKey::Other;
}

} // namespace

CHardwareGridView::CHardwareGridView()
{
    using Cmd = CCmdEntry<CHardwareGridView>;
    static const Cmd kCommands[] = {
        Cmd::Command(ID_HW_REMOVE_MODULE, &CHardwareGridView::RemoveModule),
        Cmd::Update(ID_HW_REMOVE_MODULE, &CHardwareGridView::OnUpdateRemoveModule),
    };
    AddCommandTable(kCommands);
}

CHardwareGridView::~CHardwareGridView() = default;

int CHardwareGridView::OnCreate()
{
    if (CCPGridView::OnCreate() == -1)
        return -1;
    CCPGridCtrl& grid = GetGridCtrl();
    for (const CHardwareGridColumn& column : HardwareGridColumns) {
        const int index = grid.AddCol(column.width, column.header);
        grid.DefineColCtrl(index, CCPCellCtrl::KIND_DISPLAY, 0, 0);
    }
    grid.SetFixedColCount(1, FALSE);
    grid.SetFixedColWidth(HW_GRID_ROW_HEADER_WIDTH, FALSE);
    grid.SetGridStyle(kReadOnlyStyle);
    QTableView* table = grid.GetTableView();
    table->installEventFilter(this);
    table->viewport()->installEventFilter(this);
    table->horizontalHeader()->viewport()->installEventFilter(this);
    table->verticalHeader()->viewport()->installEventFilter(this);
    return 0;
}

void CHardwareGridView::OnInitialUpdate(CZULAppData& app, IHardwareHost& host)
{
    m_model = std::make_unique<CHardwareGridModel>(app, host);
    m_model->OnInitialUpdate();
    GetGridCtrl().SetGridRowCount(m_model->GetRowCount(), TRUE);
    ShowModelSelection();
}

void CHardwareGridView::SelectModuleRow(int row, int column)
{
    if (!m_model)
        return;
    m_model->SelectModuleRow(row, column);
    ShowModelSelection();
}

void CHardwareGridView::InsertCatalogModule(const CModuleCatalogEntry* row)
{
    if (!m_model)
        return;
    m_model->InsertCatalogModule(row);
    RedrawGrid();
}

void CHardwareGridView::RemoveModule()
{
    if (!m_model)
        return;
    m_model->RemoveModule();
    RedrawGrid();
}

void CHardwareGridView::OnUpdateRemoveModule(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_model && m_model->CanRemoveModule());
}

// The command bars show the menu; its command comes back to this view.
void CHardwareGridView::ShowContextMenu(QPoint screen)
{
    CMDIChildWnd* child = nullptr;
    for (QWidget* up = parentWidget(); up && !child; up = up->parentWidget())
        child = dynamic_cast<CMDIChildWnd*>(up);
    auto* host = child ? dynamic_cast<IPOUWorkbenchHost*>(child->GetMDIFrame()) : nullptr;
    if (host)
        host->ShowContextMenu(IDR_HW_GRID_MENU, screen.x(), screen.y(), this);
}

void CHardwareGridView::RedrawGrid()
{
    if (!m_model)
        return;
    CCPGridCtrl& grid = GetGridCtrl();
    if (grid.GetGridRowCount() != m_model->GetRowCount())
        grid.SetGridRowCount(m_model->GetRowCount(), TRUE);
    grid.RefreshCells();
    ShowModelSelection();
}

// The grid shows the model's focus cell and selected rows; the grid's own
// notices of that change go nowhere.
void CHardwareGridView::ShowModelSelection()
{
    if (!m_model || m_showing)
        return;
    m_showing = true;
    CCPGridCtrl& grid = GetGridCtrl();
    grid.SetFocusCell(m_model->GetFocusColumn() - 1, m_model->GetFocusRow() - 1);
    grid.SetSelectRange(0, HW_GRID_DATA_COLUMNS - 1, m_model->GetSelectionFirst(), m_model->GetSelectionLast());
    m_showing = false;
}

BOOL CHardwareGridView::GetCellText(int column, int row, std::string& text, BYTE& mark)
{
    if (!m_model)
        return FALSE;
    const CModuleCellText cell = m_model->GetCellText(column, row);
    text = cell.text;
    mark = static_cast<BYTE>(cell.style);
    return TRUE;
}

void CHardwareGridView::OnSetActiveCell(int, int)
{
}

void CHardwareGridView::OnKeyDown(UINT, UINT, UINT)
{
}

bool CHardwareGridView::eventFilter(QObject* watched, QEvent* event)
{
    QTableView* table = GetGridCtrl().GetTableView();
    if (watched == table && event->type() == QEvent::KeyPress)
        return OnGridKey(event);
    if (event->type() == QEvent::MouseButtonDblClick && watched == table->viewport())
        return true;
    if (event->type() == QEvent::MouseButtonPress)
        return OnMousePress(watched, event) || CCPGridView::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonRelease && watched == table->horizontalHeader()->viewport())
        ShowModelSelection();
    return CCPGridView::eventFilter(watched, event);
}

bool CHardwareGridView::OnGridKey(QEvent* event)
{
    if (!m_model)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const bool handled = m_model->OnKeyDown(GridKeyOf(key->key()), key->modifiers() & Qt::ShiftModifier);
    if (handled)
        RedrawGrid();
    return handled;
}

bool CHardwareGridView::OnMousePress(QObject* watched, QEvent* event)
{
    if (!m_model)
        return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    QTableView* table = GetGridCtrl().GetTableView();
    setFocus();
    table->setFocus();
    const QPoint at = mouse->position().toPoint();
    if (mouse->button() == Qt::LeftButton && watched == table->verticalHeader()->viewport()) {
        const int row = table->verticalHeader()->logicalIndexAt(at);
        if (row >= 0)
            SelectModuleRow(row + 1, m_model->GetFocusColumn());
        return true;
    }
    const QModelIndex index = table->indexAt(at);
    if (watched != table->viewport() || !index.isValid())
        return false;
    if (mouse->button() == Qt::LeftButton) {
        SelectModuleRow(index.row() + 1, index.column() + 1);
        return true;
    }
    if (mouse->button() == Qt::RightButton) {
        m_model->OnRightButtonCell(index.row() + 1, index.column() + 1);
        ShowModelSelection();
        ShowContextMenu(mouse->globalPosition().toPoint());
        return true;
    }
    return false;
}
