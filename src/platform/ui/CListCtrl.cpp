#include "CListCtrl.h"

#include "CScrollBar.h"

#include "QtText.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableWidget>

#include <cstdlib>

namespace {

// Width of a column inserted without one.
constexpr int kDefaultColumnWidth = 100;

Qt::Alignment ColumnAlignment(int format)
{
    switch (format) {
    case LVCFMT_RIGHT: return Qt::AlignRight | Qt::AlignVCenter;
    case LVCFMT_CENTER: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// The notification a mouse message of the table gives the parent; 0 for none.
UINT ClickNotification(UINT message)
{
    switch (message) {
    case WM_LBUTTONUP: return NM_CLICK;
    case WM_LBUTTONDBLCLK: return NM_DBLCLK;
    case WM_RBUTTONUP: return NM_RCLICK;
    default: return 0;
    }
}

} // namespace

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

CListCtrl::CListCtrl(QWidget* parent) : CWnd(parent)
{
    SetClassStyle(CS_DBLCLKS);
    m_table = new QTableWidget(this);
    m_table->setColumnCount(0);
    // The list's own styles (WS_BORDER, WS_EX_CLIENTEDGE) draw its frame.
    m_table->setFrameShape(QFrame::NoFrame);
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_table->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_table->setWordWrap(false);
    m_table->setCornerButtonEnabled(false);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->viewport()->installEventFilter(this);
    m_table->installEventFilter(this);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CListCtrl::OnTableSelectionChanged);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column) {
                // The parent reads the new scroll range: lay the table out first.
                QMetaObject::invokeMethod(m_table, "updateGeometries");
                NotifyParent(HDN_ITEMCHANGED, -1, column, CPoint());
            });
}

BOOL CListCtrl::CreateInDialog(DWORD style, UINT id)
{
    return Create(nullptr, CRect(), id, style | WS_CHILD | WS_VISIBLE);
}

// A list scrolls with its table's own bars, shown as its rows and columns
// need them; the scroll styles would add the window's bars beside them.
int CListCtrl::OnCreate()
{
    ModifyStyle(WS_HSCROLL | WS_VSCROLL, 0);
    ApplyStyles();
    return CWnd::OnCreate();
}

void CListCtrl::SetExtendedStyle(DWORD style)
{
    m_extendedStyle = style;
    ApplyStyles();
}

void CListCtrl::ApplyStyles()
{
    DWORD style = GetStyle();
    m_table->horizontalHeader()->setVisible(!(style & LVS_NOCOLUMNHEADER));
    m_table->setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                      : QAbstractItemView::ExtendedSelection);
    m_table->setShowGrid((m_extendedStyle & LVS_EX_GRIDLINES) != 0);
    m_table->setMouseTracking((m_extendedStyle & LVS_EX_TRACKSELECT) != 0);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
}

QSize CListCtrl::sizeHint() const
{
    CPoint inset = GetClientOrigin();
    return m_table->sizeHint() + QSize(2 * inset.x, 2 * inset.y);
}

void CListCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    CPoint origin = GetClientOrigin();
    m_table->setGeometry(origin.x, origin.y, cx, cy);
}

int CListCtrl::InsertColumn(int column, const std::string& heading, int format, int width)
{
    if (column < 0)
        return -1;
    column = std::min(column, m_table->columnCount());
    m_table->insertColumn(column);
    auto* header = new QTableWidgetItem(ToQString(heading));
    header->setTextAlignment(ColumnAlignment(format));
    header->setData(Qt::UserRole, format);
    m_table->setHorizontalHeaderItem(column, header);
    m_table->setColumnWidth(column, width >= 0 ? width : kDefaultColumnWidth);
    return column;
}

BOOL CListCtrl::DeleteColumn(int column)
{
    if (column < 0 || column >= m_table->columnCount())
        return FALSE;
    m_table->removeColumn(column);
    return TRUE;
}

int CListCtrl::GetColumnCount() const
{
    return m_table->columnCount();
}

int CListCtrl::GetColumnWidth(int column) const
{
    if (column < 0 || column >= m_table->columnCount())
        return 0;
    return m_table->columnWidth(column);
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= m_table->columnCount())
        return FALSE;
    m_table->setColumnWidth(column, width);
    return TRUE;
}

BOOL CListCtrl::IsRow(int item) const
{
    return item >= 0 && item < m_table->rowCount();
}

int CListCtrl::InsertItem(int item, const std::string& text)
{
    if (item < 0 || m_table->columnCount() == 0)
        return -1;
    item = std::min(item, m_table->rowCount());
    m_table->insertRow(item);
    SetItemText(item, 0, text);
    if (m_selectionMark >= item)
        ++m_selectionMark;
    return item;
}

BOOL CListCtrl::DeleteItem(int item)
{
    if (!IsRow(item))
        return FALSE;
    m_table->removeRow(item);
    if (m_selectionMark == item)
        m_selectionMark = -1;
    else if (m_selectionMark > item)
        --m_selectionMark;
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    m_table->setRowCount(0);
    m_selectionMark = -1;
    return TRUE;
}

int CListCtrl::GetItemCount() const
{
    return m_table->rowCount();
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::string& text)
{
    if (!IsRow(item) || subItem < 0 || subItem >= m_table->columnCount())
        return FALSE;
    QTableWidgetItem* cell = m_table->item(item, subItem);
    if (!cell) {
        cell = new QTableWidgetItem;
        QTableWidgetItem* header = m_table->horizontalHeaderItem(subItem);
        cell->setTextAlignment(ColumnAlignment(header ? header->data(Qt::UserRole).toInt() : LVCFMT_LEFT));
        m_table->setItem(item, subItem, cell);
    }
    cell->setText(ToQString(text));
    return TRUE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const
{
    QTableWidgetItem* cell = m_table->item(item, subItem);
    return cell ? FromQString(cell->text()) : std::string();
}

BOOL CListCtrl::SetItemData(int item, LPARAM data)
{
    if (!IsRow(item))
        return FALSE;
    if (!m_table->item(item, 0))
        SetItemText(item, 0, {});
    m_table->item(item, 0)->setData(Qt::UserRole, QVariant::fromValue<qint64>(data));
    return TRUE;
}

LPARAM CListCtrl::GetItemData(int item) const
{
    QTableWidgetItem* cell = m_table->item(item, 0);
    return cell ? static_cast<LPARAM>(cell->data(Qt::UserRole).toLongLong()) : 0;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    if (!IsRow(item))
        return FALSE;
    QItemSelectionModel* selection = m_table->selectionModel();
    QModelIndex index = m_table->model()->index(item, 0);
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED))
        selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    if (mask & LVIS_SELECTED) {
        auto command = (state & LVIS_SELECTED) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
        if ((state & LVIS_SELECTED) && m_table->selectionMode() == QAbstractItemView::SingleSelection)
            command = QItemSelectionModel::ClearAndSelect;
        selection->select(index, command | QItemSelectionModel::Rows);
    }
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    if (!IsRow(item))
        return 0;
    UINT state = 0;
    if (m_table->selectionModel()->isRowSelected(item, QModelIndex()))
        state |= LVIS_SELECTED;
    if (m_table->currentRow() == item)
        state |= LVIS_FOCUSED;
    return state & mask;
}

int CListCtrl::GetNextItem(int item, UINT flags) const
{
    for (int row = std::max(item + 1, 0); row < m_table->rowCount(); ++row) {
        if (!(flags & LVNI_SELECTED) || GetItemState(row, LVIS_SELECTED))
            return row;
    }
    return -1;
}

int CListCtrl::SetSelectionMark(int item)
{
    int old = m_selectionMark;
    m_selectionMark = item;
    return old;
}

BOOL CListCtrl::Scroll(CSize size)
{
    return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy));
}

BOOL CListCtrl::EnsureVisible(int item)
{
    if (!IsRow(item))
        return FALSE;
    m_table->scrollTo(m_table->model()->index(item, 0));
    return TRUE;
}

int CListCtrl::GetTopIndex()
{
    return static_cast<int>(SendMessage(LVM_GETTOPINDEX));
}

BOOL CListCtrl::GetSubItemRect(int item, int subItem, CRect* rect) const
{
    if (!rect || !IsRow(item) || subItem < 0 || subItem >= m_table->columnCount())
        return FALSE;
    QRect cell = m_table->visualRect(m_table->model()->index(item, subItem));
    cell.translate(m_table->viewport()->mapTo(m_table, QPoint(0, 0)) + m_table->pos());
    CPoint origin = GetClientOrigin();
    cell.translate(-origin.x, -origin.y);
    *rect = CRect(cell.left(), cell.top(), cell.left() + cell.width(), cell.top() + cell.height());
    return TRUE;
}

int CListCtrl::SubItemHitTest(CPoint point, int* subItem) const
{
    CPoint origin = GetClientOrigin();
    QPoint inTable = QPoint(point.x + origin.x, point.y + origin.y) - m_table->pos();
    QModelIndex index = m_table->indexAt(m_table->viewport()->mapFrom(m_table, inTable));
    if (subItem)
        *subItem = index.isValid() ? index.column() : -1;
    return index.isValid() ? index.row() : -1;
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LVM_GETITEMCOUNT:
        return m_table->rowCount();
    case LVM_SCROLL: {
        int dx = static_cast<int>(static_cast<std::intptr_t>(wParam));
        int dy = static_cast<int>(lParam);
        int rowHeight = std::max(1, m_table->verticalHeader()->defaultSectionSize());
        QScrollBar* horizontal = m_table->horizontalScrollBar();
        QScrollBar* vertical = m_table->verticalScrollBar();
        horizontal->setValue(horizontal->value() + dx);
        // Vertically the list moves by whole rows, the nearest to dy.
        int rows = (std::abs(dy) + rowHeight / 2) / rowHeight;
        vertical->setValue(vertical->value() + (dy < 0 ? -rows : rows));
        return TRUE;
    }
    case WM_HSCROLL:
        ScrollHorizontally(LOWORD(static_cast<DWORD>(wParam)));
        return 0;
    case LVM_GETTOPINDEX: {
        int row = m_table->rowAt(0);
        return row < 0 ? 0 : row;
    }
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CListCtrl::ScrollHorizontally(UINT code)
{
    struct CodeAction {
        UINT code;
        QAbstractSlider::SliderAction action;
    };
    // The thumb codes move nothing here: LVM_SCROLL carries their distance.
    static const CodeAction actions[] = {
        {SB_LINELEFT, QAbstractSlider::SliderSingleStepSub}, {SB_LINERIGHT, QAbstractSlider::SliderSingleStepAdd},
        {SB_PAGELEFT, QAbstractSlider::SliderPageStepSub},   {SB_PAGERIGHT, QAbstractSlider::SliderPageStepAdd},
        {SB_LEFT, QAbstractSlider::SliderToMinimum},         {SB_RIGHT, QAbstractSlider::SliderToMaximum},
    };
    for (const CodeAction& row : actions) {
        if (row.code != code)
            continue;
        m_table->horizontalScrollBar()->triggerAction(row.action);
        return;
    }
}

BOOL CListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || header->code != LVN_ENDLABELEDIT || !header->hwndFrom || header->hwndFrom->GetParent() != this)
        return CWnd::OnNotify(wParam, lParam, result);
    // The cell editor's end of edit becomes the list's own notification.
    header->hwndFrom = this;
    header->idFrom = GetDlgCtrlID();
    CWnd* target = GetOwner() ? GetOwner() : GetParent();
    if (target) {
        *result = target->SendMessage(WM_NOTIFY, header->idFrom, lParam);
        return TRUE;
    }
    emit EndLabelEdit(reinterpret_cast<const NMLVDISPINFO*>(lParam));
    *result = 0;
    return TRUE;
}

void CListCtrl::NotifyParent(UINT code, int item, int subItem, CPoint point)
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    NMITEMACTIVATE info;
    info.hdr.hwndFrom = this;
    info.hdr.idFrom = GetDlgCtrlID();
    info.hdr.code = code;
    info.iItem = item;
    info.iSubItem = subItem;
    info.ptAction = point;
    if (code == LVN_ITEMCHANGED)
        info.uNewState = GetItemState(item, LVIS_SELECTED | LVIS_FOCUSED);
    parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
}

void CListCtrl::OnTableSelectionChanged()
{
    int current = m_table->currentRow();
    if (current >= 0 && GetItemState(current, LVIS_SELECTED))
        m_selectionMark = current;
    NotifyParent(LVN_ITEMCHANGED, current, 0, CPoint());
}

void CListCtrl::ForwardInput(QObject* watched, QEvent* event)
{
    QPointer<CListCtrl> self(this);
    for (const MSG& msg : MessagesFromEvent(static_cast<QWidget*>(watched), event)) {
        if (!self)
            return;
        SendMessage(msg.message, msg.wParam, msg.lParam);
        if (!self)
            return;
        UINT code = ClickNotification(msg.message);
        if (code == 0)
            continue;
        CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        int subItem = -1;
        int item = SubItemHitTest(point, &subItem);
        NotifyParent(code, item, subItem, point);
    }
}

bool CListCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_table->viewport() && watched != m_table)
        return CWnd::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (watched == m_table->viewport()) {
            // The table selects first, as the list does before it reports the click.
            QPointer<CListCtrl> self(this);
            static_cast<QWidget*>(watched)->removeEventFilter(this);
            QCoreApplication::sendEvent(watched, event);
            if (!self)
                return true;
            watched->installEventFilter(this);
            ForwardInput(watched, event);
            return true;
        }
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (watched == m_table) {
            ForwardInput(watched, event);
            return false;
        }
        return false;
    default:
        return false;
    }
}
