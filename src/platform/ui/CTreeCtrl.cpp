#include "CTreeCtrl.h"

#include "QtText.h"
#include "platform/CImageList.h"

#include <algorithm>

#include <QCoreApplication>
#include <QList>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTreeWidget>

namespace {

// Where an item keeps its value and its images.
constexpr int kDataRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;
constexpr int kSelectedImageRole = Qt::UserRole + 2;

QIcon IconOf(const CImageList* images, int image)
{
    if (!images)
        return QIcon();
    const CIconImage icon = images->GetIcon(image);
    if (icon.IsEmpty())
        return QIcon();
    // CIconImage holds 0xAARRGGBB words, the layout of Format_ARGB32.
    const QImage pixels(reinterpret_cast<const uchar*>(icon.Pixels().data()), icon.Width(), icon.Height(),
                        QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(pixels.copy()));
}

} // namespace

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

CTreeCtrl::CTreeCtrl(QWidget* parent) : CWnd(parent)
{
    SetClassStyle(CS_DBLCLKS);
    m_tree = new QTreeWidget(this);
    m_tree->setColumnCount(1);
    m_tree->header()->hide();
    m_tree->setFrameShape(QFrame::NoFrame);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click reaches the owner; it does not toggle the item.
    m_tree->setExpandsOnDoubleClick(false);
    m_tree->viewport()->installEventFilter(this);
    m_tree->installEventFilter(this);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &CTreeCtrl::OnCurrentItemChanged);
    connect(m_tree, &QTreeWidget::itemChanged, this, &CTreeCtrl::OnItemEdited);
    connect(m_tree->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this] { m_labelEditorOpen = false; });
}

int CTreeCtrl::OnCreate()
{
    ApplyStyles();
    return CWnd::OnCreate();
}

void CTreeCtrl::ApplyStyles()
{
    const DWORD style = GetStyle();
    m_tree->setRootIsDecorated((style & TVS_LINESATROOT) != 0);
    m_tree->setItemsExpandable((style & TVS_HASBUTTONS) != 0);
    // Hovering reaches the owner (tooltips, hot tracking) only with tracking on.
    m_tree->setMouseTracking((style & TVS_TRACKSELECT) != 0);
    m_tree->viewport()->setMouseTracking((style & TVS_TRACKSELECT) != 0);
}

void CTreeCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    const CPoint origin = GetClientOrigin();
    m_tree->setGeometry(origin.x, origin.y, cx, cy);
}

void CTreeCtrl::SetImageList(const CImageList* images)
{
    m_images = images;
    const CSize size = images ? images->GetIconSize() : CSize();
    if (images)
        m_tree->setIconSize(QSize(size.cx, size.cy));
}

BOOL CTreeCtrl::IsItem(HTREEITEM item) const
{
    return item && item->treeWidget() == m_tree;
}

void CTreeCtrl::ApplyImage(HTREEITEM item, int image)
{
    const QSignalBlocker quiet(m_tree);
    item->setIcon(0, IconOf(m_images, image));
}

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after)
{
    if (parent != TVI_ROOT && !IsItem(parent))
        return nullptr;
    QTreeWidgetItem* container = parent == TVI_ROOT ? m_tree->invisibleRootItem() : parent;
    int index = container->childCount();
    if (after == TVI_FIRST)
        index = 0;
    else if (after != TVI_LAST && IsItem(after) && after->parent() == parent)
        index = container->indexOfChild(after) + 1;
    auto* item = new QTreeWidgetItem;
    item->setText(0, ToQString(text));
    item->setData(0, kImageRole, image);
    item->setData(0, kSelectedImageRole, selectedImage);
    if (GetStyle() & TVS_EDITLABELS)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    {
        const QSignalBlocker quiet(m_tree);
        container->insertChild(index, item);
    }
    ApplyImage(item, image);
    return item;
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item)
{
    if (!IsItem(item))
        return FALSE;
    ForgetEditsOf(item);
    delete item;
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    m_editing = nullptr;
    m_committed = nullptr;
    m_tree->clear();
    return TRUE;
}

UINT CTreeCtrl::GetCount() const
{
    UINT count = 0;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it)
        ++count;
    return count;
}

HTREEITEM CTreeCtrl::GetRootItem() const
{
    return m_tree->topLevelItem(0);
}

HTREEITEM CTreeCtrl::GetChildItem(HTREEITEM item) const
{
    if (item == TVI_ROOT)
        return GetRootItem();
    return IsItem(item) ? item->child(0) : nullptr;
}

HTREEITEM CTreeCtrl::GetNextSiblingItem(HTREEITEM item) const
{
    if (!IsItem(item))
        return nullptr;
    QTreeWidgetItem* container = item->parent() ? item->parent() : m_tree->invisibleRootItem();
    return container->child(container->indexOfChild(item) + 1);
}

HTREEITEM CTreeCtrl::GetParentItem(HTREEITEM item) const
{
    return IsItem(item) ? item->parent() : nullptr;
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM item) const
{
    return IsItem(item) && item->childCount() > 0;
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const
{
    return IsItem(item) ? FromQString(item->text(0)) : std::string();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, const std::string& text)
{
    if (!IsItem(item))
        return FALSE;
    const QSignalBlocker quiet(m_tree);
    item->setText(0, ToQString(text));
    return TRUE;
}

LPARAM CTreeCtrl::GetItemData(HTREEITEM item) const
{
    return IsItem(item) ? static_cast<LPARAM>(item->data(0, kDataRole).toLongLong()) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, LPARAM data)
{
    if (!IsItem(item))
        return FALSE;
    const QSignalBlocker quiet(m_tree);
    item->setData(0, kDataRole, QVariant::fromValue<qint64>(data));
    return TRUE;
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
{
    if (!IsItem(item))
        return FALSE;
    image = item->data(0, kImageRole).toInt();
    selectedImage = item->data(0, kSelectedImageRole).toInt();
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage)
{
    if (!IsItem(item))
        return FALSE;
    {
        const QSignalBlocker quiet(m_tree);
        item->setData(0, kImageRole, image);
        item->setData(0, kSelectedImageRole, selectedImage);
    }
    ApplyImage(item, image);
    return TRUE;
}

HTREEITEM CTreeCtrl::GetSelectedItem() const
{
    return m_tree->currentItem();
}

BOOL CTreeCtrl::SelectItem(HTREEITEM item)
{
    if (item && !IsItem(item))
        return FALSE;
    m_tree->setCurrentItem(item);
    return TRUE;
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code)
{
    if (!IsItem(item))
        return FALSE;
    switch (code) {
    case TVE_EXPAND: item->setExpanded(true); return TRUE;
    case TVE_COLLAPSE: item->setExpanded(false); return TRUE;
    case TVE_TOGGLE: item->setExpanded(!item->isExpanded()); return TRUE;
    default: return FALSE;
    }
}

BOOL CTreeCtrl::SortChildren(HTREEITEM parent, const std::function<bool(LPARAM, LPARAM)>& less)
{
    if (!IsItem(parent))
        return FALSE;
    HTREEITEM current = m_tree->currentItem();
    const QSignalBlocker quiet(m_tree);
    QList<QTreeWidgetItem*> children = parent->takeChildren();
    std::stable_sort(children.begin(), children.end(), [&](QTreeWidgetItem* a, QTreeWidgetItem* b) {
        // Taken items belong to no tree until they are added back.
        return less(static_cast<LPARAM>(a->data(0, kDataRole).toLongLong()),
                    static_cast<LPARAM>(b->data(0, kDataRole).toLongLong()));
    });
    parent->addChildren(children);
    if (current)
        m_tree->setCurrentItem(current);
    return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    if (!IsItem(item))
        return 0;
    UINT state = 0;
    if (item->isSelected() || m_tree->currentItem() == item)
        state |= TVIS_SELECTED;
    if (item->isExpanded())
        state |= TVIS_EXPANDED;
    return state & mask;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, CRect* rect, BOOL textOnly) const
{
    if (!rect || !IsItem(item))
        return FALSE;
    QRect row = m_tree->visualItemRect(item);
    if (!row.isValid())
        return FALSE;
    if (textOnly) {
        // The text follows the icon, as wide as the text itself.
        const int iconWidth = item->icon(0).isNull() ? 0 : m_tree->iconSize().width() + 4;
        const int textWidth = m_tree->fontMetrics().horizontalAdvance(item->text(0)) + 4;
        row = QRect(row.left() + iconWidth, row.top(), textWidth, row.height());
    }
    row.translate(m_tree->viewport()->mapTo(this, QPoint(0, 0)));
    const CPoint origin = GetClientOrigin();
    row.translate(-origin.x, -origin.y);
    *rect = CRect(row.left(), row.top(), row.left() + row.width(), row.top() + row.height());
    return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint point, UINT* flags) const
{
    const CPoint origin = GetClientOrigin();
    const QPoint inViewport = m_tree->viewport()->mapFrom(this, QPoint(point.x + origin.x, point.y + origin.y));
    QTreeWidgetItem* item = m_tree->itemAt(inViewport);
    if (flags)
        *flags = TVHT_NOWHERE;
    if (!item)
        return nullptr;
    if (flags) {
        CRect text;
        CRect row;
        GetItemRect(item, &text, TRUE);
        GetItemRect(item, &row, FALSE);
        const int iconLeft = text.left - (item->icon(0).isNull() ? 0 : m_tree->iconSize().width() + 4);
        if (point.x >= text.right)
            *flags = TVHT_ONITEMRIGHT;
        else if (point.x >= text.left)
            *flags = TVHT_ONITEMLABEL;
        else if (point.x >= iconLeft)
            *flags = TVHT_ONITEMICON;
        else
            *flags = TVHT_ONITEMINDENT;
    }
    return item;
}

BOOL CTreeCtrl::EditLabel(HTREEITEM item)
{
    if (!IsItem(item) || !(GetStyle() & TVS_EDITLABELS))
        return FALSE;
    m_editing = item;
    m_textBeforeEdit = GetItemText(item);
    m_tree->editItem(item, 0);
    m_labelEditorOpen = true;
    return TRUE;
}

void CTreeCtrl::NotifyParent(NMHDR& header, UINT code)
{
    CWnd* parent = GetParent();
    if (!parent)
        return;
    header.hwndFrom = this;
    header.idFrom = GetDlgCtrlID();
    header.code = code;
    parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

void CTreeCtrl::OnCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous)
{
    NMTREEVIEW info;
    info.itemOld = previous;
    info.itemNew = current;
    NotifyParent(info.hdr, TVN_SELCHANGED);
}

void CTreeCtrl::ForgetEditsOf(HTREEITEM item)
{
    const auto within = [item](HTREEITEM edited) {
        for (QTreeWidgetItem* up = edited; up; up = up->parent())
            if (up == item)
                return true;
        return false;
    };
    if (within(m_editing))
        m_editing = nullptr;
    if (within(m_committed))
        m_committed = nullptr;
}

void CTreeCtrl::OnItemEdited(QTreeWidgetItem* item)
{
    if (item != m_editing)
        return;
    m_editing = nullptr;
    m_committed = item;
    m_committedText = GetItemText(item);
    // The tree has already taken the text; the parent decides whether it stays.
    SetItemText(item, m_textBeforeEdit);
    // This runs inside the editor's commit, which goes on using the editor
    // afterwards. The parent may show a message box or open a window, which
    // would close and delete the editor under the commit; it hears of the
    // edit once the commit is over.
    QMetaObject::invokeMethod(this, &CTreeCtrl::NotifyEndLabelEdit, Qt::QueuedConnection);
}

void CTreeCtrl::NotifyEndLabelEdit()
{
    HTREEITEM item = m_committed;
    CWnd* parent = GetParent();
    if (!item || !parent) {
        m_committed = nullptr;
        return;
    }
    const std::string edited = m_committedText;
    NMTVDISPINFO info;
    info.item = item;
    info.pszText = edited.c_str();
    info.hdr.hwndFrom = this;
    info.hdr.idFrom = GetDlgCtrlID();
    info.hdr.code = TVN_ENDLABELEDIT;
    QPointer<CTreeCtrl> self(this);
    const LRESULT accepted = parent->SendMessage(WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    // The parent may have deleted the item or the whole tree while it answered.
    if (!self || m_committed != item)
        return;
    m_committed = nullptr;
    if (accepted)
        SetItemText(item, edited);
}

void CTreeCtrl::ForwardInput(QObject* watched, QEvent* event)
{
    QPointer<CTreeCtrl> self(this);
    CWnd* target = m_inputTarget ? m_inputTarget : this;
    QPointer<CWnd> guard(target);
    for (const MSG& msg : MessagesFromEvent(static_cast<QWidget*>(watched), event)) {
        if (!self || !guard)
            return;
        MSG message = msg;
        if (message.message >= WM_MOUSEMOVE && message.message <= WM_MBUTTONDBLCLK) {
            // Mouse points in the target's client coordinates.
            QPoint point(GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam));
            point = target->mapFromGlobal(static_cast<QWidget*>(watched)->mapToGlobal(point));
            const CPoint origin = target->GetClientOrigin();
            message.lParam = MAKELPARAM(point.x() - origin.x, point.y() - origin.y);
        }
        target->SendMessage(message.message, message.wParam, message.lParam);
    }
}

bool CTreeCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_tree->viewport() && watched != m_tree)
        return CWnd::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (watched == m_tree->viewport()) {
            // The tree selects and expands first, as the control does before its owner sees the click.
            QPointer<CTreeCtrl> self(this);
            watched->removeEventFilter(this);
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
        // A key that reaches the tree from the label editor (the Return that
        // ends the edit) belongs to the edit alone.
        if (watched == m_tree && !m_labelEditorOpen)
            ForwardInput(watched, event);
        return false;
    default:
        return false;
    }
}
