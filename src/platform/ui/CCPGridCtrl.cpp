#include "CCPGridCtrl.h"

#include "CCPCellCtrl.h"
#include "QtText.h"
#include "WinMessages.h"
#include "platform/CClipboard.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCache>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSet>
#include <QStaticText>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QValidator>

#include <memory>

namespace {

const QColor kErrorText(255, 0, 0);
const QColor kCommentText(0, 128, 0);
const QColor kForcedBackground(255, 255, 0);
constexpr int kDefaultRowHeight = 20;
// Laid-out cell texts kept between repaints: several screens full of cells.
constexpr int kKeptCellTexts = 2048;
// Set on a cell editor once it holds the cell's text.
constexpr const char* kEditorLoaded = "cellTextLoaded";

// The host's text and mark of a cell; an empty plain cell where it has none.
void ReadHostCell(CCPGridHost& host, int column, int row, std::string& text, BYTE& mark)
{
    if (host.GetCellText(column, row, text, mark))
        return;
    text.clear();
    mark = GRID_MARK_PLAIN;
}

// An edit box's limit counts the text's bytes in the program's code page,
// as the stored cell counts them: a Chinese character takes two.
class CByteLimitValidator : public QValidator {
public:
    CByteLimitValidator(size_t limit, QObject* parent)
        : QValidator(parent)
        , m_limit(limit)
    {
    }
    State validate(QString& input, int&) const override
    {
        return FromQString(input).size() <= m_limit ? Acceptable : Invalid;
    }

private:
    size_t m_limit;
};

} // namespace

// The cells as the host gives them.
class CCPGridCellModel : public QAbstractTableModel {
public:
    explicit CCPGridCellModel(CCPGridCtrl& grid)
        : QAbstractTableModel(&grid)
        , m_grid(grid)
    {
    }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : m_grid.GetGridRowCount();
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : m_grid.GetGridColCount();
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        // The view asks for many roles per cell on every repaint: only these
        // text and colour roles come from the host, so the others cost no cell look-up.
        if (!IsHostRole(role))
            return {};
        std::string text;
        BYTE mark = GRID_MARK_PLAIN;
        ReadCell(index, text, mark);
        return RoleValue(role, text, mark);
    }

    // A repaint asks for all roles of a cell at once: one host look-up serves them.
    void multiData(const QModelIndex& index, QModelRoleDataSpan roleDataSpan) const override
    {
        std::string text;
        BYTE mark = GRID_MARK_PLAIN;
        bool read = false;
        for (QModelRoleData& roleData : roleDataSpan) {
            if (!IsHostRole(roleData.role())) {
                roleData.clearData();
                continue;
            }
            if (!read) {
                ReadCell(index, text, mark);
                read = true;
            }
            roleData.setData(RoleValue(roleData.role(), text, mark));
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return {};
        const CCPGridColumn* column = m_grid.GetCore().GetColumn(section);
        return column ? ToQString(column->title) : QString();
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        const CCPGridColumn* column = m_grid.GetCore().GetColumn(index.column());
        if (column && (column->kind == CCPCellCtrl::KIND_EDIT || column->kind == CCPCellCtrl::KIND_DROPDOWN))
            flags |= Qt::ItemIsEditable;
        return flags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole)
            return false;
        m_grid.GetHost().OnSaveCellData(index.column(), index.row(), FromQString(value.toString()));
        Refresh();
        return true;
    }

    void Reload()
    {
        beginResetModel();
        endResetModel();
    }
    // Every cell may have changed: an edit moves addresses and marks of other rows.
    void Refresh()
    {
        if (rowCount({}) > 0 && columnCount({}) > 0)
            emit dataChanged(index(0, 0), index(rowCount({}) - 1, columnCount({}) - 1));
    }

private:
    static bool IsHostRole(int role)
    {
        return role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::ForegroundRole
            || role == Qt::BackgroundRole;
    }

    void ReadCell(const QModelIndex& index, std::string& text, BYTE& mark) const
    {
        ReadHostCell(m_grid.GetHost(), index.column(), index.row(), text, mark);
    }

    static QVariant RoleValue(int role, const std::string& text, BYTE mark)
    {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return ToQString(text);
        case Qt::ForegroundRole:
            if (mark == GRID_MARK_ERROR)
                return kErrorText;
            if (mark == GRID_MARK_COMMENT)
                return kCommentText;
            return {};
        case Qt::BackgroundRole:
            return mark == GRID_MARK_FORCED ? QVariant(kForcedBackground) : QVariant();
        default:
            return {};
        }
    }

    CCPGridCtrl& m_grid;
};

namespace {

// Draws each cell as the host gives it and opens the column's editor as
// the host fills it, storing its text.
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(CCPGridCtrl& grid)
        : QStyledItemDelegate(&grid)
        , m_grid(grid)
    {
    }

    // A cell is one line of text: it is drawn straight from the host's text
    // and mark, without the general item layout (icons, check boxes, word
    // wrap), which costs several text layouts per cell on every monitor cycle.
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        std::string text;
        BYTE mark = GRID_MARK_PLAIN;
        ReadHostCell(m_grid.GetHost(), index.column(), index.row(), text, mark);
        const QPalette::ColorGroup group = CellColorGroup(option);
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        else if (mark == GRID_MARK_FORCED)
            painter->fillRect(option.rect, kForcedBackground);
        if (!text.empty())
            DrawCellText(painter, option, ToQString(text), selected ? option.palette.color(group, QPalette::HighlightedText)
                                                                    : TextColor(option, group, mark));
        if (option.state & QStyle::State_HasFocus)
            DrawFocus(painter, option, group);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const CCPGridColumn* column = m_grid.GetCore().GetColumn(index.column());
        if (!column || !m_grid.GetHost().ActivateCtrl(index.column(), index.row(), TRUE))
            return nullptr;
        CCPCellCtrl control(column->kind, column->style, column->id);
        m_grid.GetHost().CreateCellCtrl(column->id, control);
        QWidget* editor = nullptr;
        if (control.GetKind() == CCPCellCtrl::KIND_DROPDOWN) {
            auto* combo = new QComboBox(parent);
            for (const std::string& item : control.GetItems())
                combo->addItem(ToQString(item));
            editor = combo;
        } else if (control.GetKind() == CCPCellCtrl::KIND_EDIT) {
            auto* edit = new QLineEdit(parent);
            if (control.GetLimitText() > 0) {
                edit->setMaxLength(control.GetLimitText());
                edit->setValidator(new CByteLimitValidator(size_t(control.GetLimitText()), edit));
            }
            editor = edit;
        }
        if (editor) {
            editor->setObjectName(QString::number(column->id));
            m_grid.SetOpenEditor(editor);
        }
        return editor;
    }

    // The view reloads every open editor whenever cells change, and the
    // monitor refresh changes them all each cycle: an editor takes the cell's
    // text once, when it opens, and keeps what is typed into it after that.
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (editor->property(kEditorLoaded).toBool())
            return;
        editor->setProperty(kEditorLoaded, true);
        const QString text = index.data(Qt::EditRole).toString();
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentIndex(combo->findText(text));
            return;
        }
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            edit->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            model->setData(index, combo->currentText(), Qt::EditRole);
        else if (auto* edit = qobject_cast<QLineEdit*>(editor))
            model->setData(index, edit->text(), Qt::EditRole);
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        m_grid.SetOpenEditor(nullptr);
        QStyledItemDelegate::destroyEditor(editor, index);
    }

private:
    static const QStyle* CellStyle(const QStyleOptionViewItem& option)
    {
        return option.widget ? option.widget->style() : QApplication::style();
    }

    static QPalette::ColorGroup CellColorGroup(const QStyleOptionViewItem& option)
    {
        if (!(option.state & QStyle::State_Enabled))
            return QPalette::Disabled;
        return (option.state & QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
    }

    static QColor TextColor(const QStyleOptionViewItem& option, QPalette::ColorGroup group, BYTE mark)
    {
        if (mark == GRID_MARK_ERROR)
            return kErrorText;
        if (mark == GRID_MARK_COMMENT)
            return kCommentText;
        return option.palette.color(group, QPalette::Text);
    }

    // Left aligned and centred in height inside the style's text margins;
    // a text wider than the cell ends in an ellipsis.
    void DrawCellText(QPainter* painter, const QStyleOptionViewItem& option, const QString& text, const QColor& color) const
    {
        const int margin = CellStyle(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
        const QRect area = option.rect.adjusted(margin, 0, -margin, 0);
        if (area.width() <= 0)
            return;
        const QFontMetrics& metrics = option.fontMetrics;
        const QPoint topLeft(area.left(), area.top() + (area.height() - metrics.height()) / 2);
        painter->save();
        painter->setClipRect(option.rect);
        painter->setFont(option.font);
        painter->setPen(color);
        const QStaticText* kept = KeptText(text, option.font);
        if (kept && kept->size().width() <= area.width())
            painter->drawStaticText(topLeft, *kept);
        else
            painter->drawText(QPoint(topLeft.x(), topLeft.y() + metrics.ascent()), FittedText(text, metrics, area.width()));
        painter->restore();
    }

    // The text, or its start and an ellipsis when it is wider than width.
    static QString FittedText(const QString& text, const QFontMetrics& metrics, int width)
    {
        // No character is wider than the font's widest: short texts need no measuring.
        if (qsizetype(metrics.maxWidth()) * text.size() <= width || metrics.horizontalAdvance(text) <= width)
            return text;
        return metrics.elidedText(text, Qt::ElideRight, width);
    }

    // Most cells show the same text from one repaint to the next: a text
    // seen a second time is kept laid out, the least recently drawn given up
    // first. A value that changes on every monitor cycle is never laid out twice.
    const QStaticText* KeptText(const QString& text, const QFont& font) const
    {
        if (font != m_textFont) {
            m_keptTexts.clear();
            m_textsSeenOnce.clear();
            m_textFont = font;
        }
        if (const QStaticText* kept = m_keptTexts.object(text))
            return kept;
        if (!m_textsSeenOnce.contains(text)) {
            if (m_textsSeenOnce.size() >= kKeptCellTexts)
                m_textsSeenOnce.clear();
            m_textsSeenOnce.insert(text);
            return nullptr;
        }
        m_textsSeenOnce.remove(text);
        auto laidOut = std::make_unique<QStaticText>(text);
        laidOut->setTextFormat(Qt::PlainText);
        laidOut->prepare(QTransform(), font);
        const QStaticText* result = laidOut.get();
        m_keptTexts.insert(text, laidOut.release());
        return result;
    }

    static void DrawFocus(QPainter* painter, const QStyleOptionViewItem& option, QPalette::ColorGroup group)
    {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.state |= QStyle::State_KeyboardFocusChange;
        focus.state |= QStyle::State_Item;
        focus.backgroundColor = option.palette.color(group, (option.state & QStyle::State_Selected) ? QPalette::Highlight
                                                                                                    : QPalette::Window);
        CellStyle(option)->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }

    CCPGridCtrl& m_grid;
    mutable QCache<QString, QStaticText> m_keptTexts{kKeptCellTexts};
    mutable QSet<QString> m_textsSeenOnce;
    mutable QFont m_textFont;
};

} // namespace

IMPLEMENT_DYNAMIC(CCPGridCtrl, CWnd)

CCPGridCtrl::CCPGridCtrl(QWidget* parent)
    : CWnd(parent)
{
    m_core.SetGridWnd(this);
    m_table = new QTableView(this);
    m_model = new CCPGridCellModel(*this);
    m_table->setModel(m_model);
    m_table->setItemDelegate(new GridDelegate(*this));
    m_table->setFrameShape(QFrame::NoFrame);
    // The table covers the grid window and paints all of it: the window's
    // own picture underneath is never drawn or copied.
    m_table->setAutoFillBackground(true);
    m_table->setWordWrap(false);
    m_table->setCornerButtonEnabled(false);
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                             | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(kDefaultRowHeight);
    m_table->verticalHeader()->hide();
    m_table->installEventFilter(this);
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { m_host->OnFixedRowDown(column); });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { OnViewSelectionChanged(); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnViewCurrentChanged(current); });
}

CCPGridCtrl::~CCPGridCtrl() = default;

void CCPGridCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    const CPoint origin = GetClientOrigin();
    m_table->setGeometry(origin.x, origin.y, cx, cy);
}

int CCPGridCtrl::AddCol(int width, const std::string& title)
{
    const int column = m_core.AddCol(width, title);
    ApplyShape();
    return column;
}

BOOL CCPGridCtrl::DefineColCtrl(int column, int kind, DWORD style, UINT id)
{
    return m_core.DefineColCtrl(column, kind, style, id);
}

void CCPGridCtrl::SetFixedColCount(int count, BOOL redraw)
{
    m_core.SetFixedColCount(count);
    if (redraw)
        ApplyShape();
}

void CCPGridCtrl::SetFixedColWidth(int width, BOOL redraw)
{
    m_core.SetFixedColWidth(width);
    if (redraw)
        ApplyShape();
}

void CCPGridCtrl::SetGridRowCount(int rows, BOOL redraw)
{
    m_core.SetGridRowCount(rows);
    if (redraw)
        ApplyShape();
}

BOOL CCPGridCtrl::InsertRows(int at, int count)
{
    if (!m_core.InsertRows(at, count))
        return FALSE;
    ApplyShape();
    return TRUE;
}

BOOL CCPGridCtrl::RemoveRows(int first, int count)
{
    if (!m_core.RemoveRows(first, count))
        return FALSE;
    ApplyShape();
    return TRUE;
}

void CCPGridCtrl::UpdateScrollSizes()
{
    m_table->updateGeometry();
}

void CCPGridCtrl::ApplyShape()
{
    SaveModifyed();
    m_model->Reload();
    for (int column = 0; column < m_core.GetGridColCount(); ++column)
        m_table->setColumnWidth(column, m_core.GetColumn(column)->width);
    QHeaderView* fixed = m_table->verticalHeader();
    fixed->setVisible(m_core.GetFixedColCount() > 0);
    fixed->setFixedWidth(m_core.GetFixedColWidth());
    ShowSelection();
}

void CCPGridCtrl::RefreshCells()
{
    m_model->Refresh();
}

void CCPGridCtrl::ShowSelection()
{
    if (m_core.GetGridRowCount() == 0 || m_core.GetGridColCount() == 0)
        return;
    m_syncing = true;
    const CCPGridRange& range = m_core.GetSelection();
    const QItemSelection selection(m_model->index(range.firstRow, range.firstCol),
                                   m_model->index(range.lastRow, range.lastCol));
    QItemSelectionModel* model = m_table->selectionModel();
    model->setCurrentIndex(m_model->index(m_core.GetActiveRow(), m_core.GetActiveCol()),
                           QItemSelectionModel::NoUpdate);
    model->select(selection, QItemSelectionModel::ClearAndSelect);
    m_syncing = false;
}

void CCPGridCtrl::OnViewSelectionChanged()
{
    if (m_syncing)
        return;
    const QModelIndexList cells = m_table->selectionModel()->selectedIndexes();
    if (cells.isEmpty())
        return;
    int firstCol = cells.front().column(), lastCol = firstCol;
    int firstRow = cells.front().row(), lastRow = firstRow;
    for (const QModelIndex& cell : cells) {
        firstCol = std::min(firstCol, cell.column());
        lastCol = std::max(lastCol, cell.column());
        firstRow = std::min(firstRow, cell.row());
        lastRow = std::max(lastRow, cell.row());
    }
    m_core.SetSelectRange(firstCol, lastCol, firstRow, lastRow);
}

void CCPGridCtrl::OnViewCurrentChanged(const QModelIndex& current)
{
    if (m_syncing || !current.isValid())
        return;
    m_core.SetActiveCell(current.column(), current.row());
    m_host->OnSetActiveCell(current.column(), current.row());
}

void CCPGridCtrl::GetSelectRange(int& firstCol, int& lastCol, int& firstRow, int& lastRow) const
{
    m_core.GetSelectRange(firstCol, lastCol, firstRow, lastRow);
}

BOOL CCPGridCtrl::SetSelectRange(int firstCol, int lastCol, int firstRow, int lastRow)
{
    if (!m_core.SetSelectRange(firstCol, lastCol, firstRow, lastRow))
        return FALSE;
    ShowSelection();
    return TRUE;
}

BOOL CCPGridCtrl::SetActiveCell(int column, int row)
{
    if (!m_core.SetActiveCell(column, row))
        return FALSE;
    ShowSelection();
    m_host->OnSetActiveCell(column, row);
    return TRUE;
}

BOOL CCPGridCtrl::SetFocusCell(int column, int row)
{
    SaveModifyed();
    if (!m_core.SetFocusCell(column, row))
        return FALSE;
    ShowSelection();
    m_table->scrollTo(m_model->index(row, column));
    m_host->OnSetActiveCell(column, row);
    return TRUE;
}

BOOL CCPGridCtrl::SetFocusCell(CPoint point)
{
    const int column = XToCol(point.x);
    const int row = YToRow(point.y);
    if (column < 0 || row < 0)
        return FALSE;
    return SetFocusCell(column, row);
}

int CCPGridCtrl::XToCol(int x) const
{
    const QPoint inTable = m_table->mapFrom(this, QPoint(x, 0));
    const int viewportX = inTable.x() - m_table->viewport()->x();
    if (viewportX < 0 || viewportX >= m_table->viewport()->width())
        return -1;
    return m_table->columnAt(viewportX);
}

int CCPGridCtrl::YToRow(int y) const
{
    const QPoint inTable = m_table->mapFrom(this, QPoint(0, y));
    const int viewportY = inTable.y() - m_table->viewport()->y();
    if (viewportY < 0 || viewportY >= m_table->viewport()->height())
        return -1;
    return m_table->rowAt(viewportY);
}

void CCPGridCtrl::SaveModifyed()
{
    if (!m_editor)
        return;
    QWidget* editor = m_editor;
    QAbstractItemDelegate* delegate = m_table->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void CCPGridCtrl::SetSortCol(int column, BOOL ascending)
{
    m_core.SetSortCol(column, ascending);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSortIndicatorShown(column >= 0);
    header->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

BOOL CCPGridCtrl::CopySelectedCellText()
{
    SaveModifyed();
    const CCPGridRange& range = m_core.GetSelection();
    IClipboard& clipboard = CClipboard::Get();
    clipboard.Empty();
    if (!clipboard.SetText(m_core.GetRangeText(*m_host, range)))
        return FALSE;
    return clipboard.SetData(CClipboard::RegisterFormat(kGridCellsFormat), m_core.GetRangeFormat(range));
}

BOOL CCPGridCtrl::CutSelectedCellText()
{
    if (!CopySelectedCellText())
        return FALSE;
    ClearSelectedCells();
    return TRUE;
}

int CCPGridCtrl::PasteTextToSelectedCells()
{
    SaveModifyed();
    const IClipboard& clipboard = CClipboard::Get();
    std::string text;
    std::vector<BYTE> format;
    const bool hasText = clipboard.GetText(&text);
    const bool hasFormat = clipboard.GetData(CClipboard::RegisterFormat(kGridCellsFormat), &format);
    const int result = m_core.PasteText(*m_host, hasText ? &text : nullptr, hasFormat ? &format : nullptr);
    RefreshCells();
    return result;
}

void CCPGridCtrl::ClearSelectedCells()
{
    SaveModifyed();
    m_core.ClearSelection(*m_host);
    RefreshCells();
}

void CCPGridCtrl::SelectAllGridCells()
{
    m_core.SelectAll();
    ShowSelection();
}

void CCPGridCtrl::MoveToNextCell()
{
    SaveModifyed();
    const int columns = m_core.GetGridColCount();
    int column = m_core.GetActiveCol() + 1;
    int row = m_core.GetActiveRow();
    if (column >= columns) {
        column = columns > 1 ? 1 : 0;
        ++row;
    }
    if (row >= m_core.GetGridRowCount())
        return;
    SetFocusCell(column, row);
}

void CCPGridCtrl::MoveAcross(int step)
{
    SaveModifyed();
    const int columns = m_core.GetGridColCount();
    int column = m_core.GetActiveCol() + step;
    int row = m_core.GetActiveRow();
    if (column >= columns) {
        column = 0;
        ++row;
    } else if (column < 0) {
        column = columns - 1;
        --row;
    }
    if (columns == 0 || row < 0 || row >= m_core.GetGridRowCount())
        return;
    SetFocusCell(column, row);
}

bool CCPGridCtrl::HasEditableColumn() const
{
    for (int column = 0; column < m_core.GetGridColCount(); ++column) {
        const int kind = m_core.GetColumn(column)->kind;
        if (kind == CCPCellCtrl::KIND_EDIT || kind == CCPCellCtrl::KIND_DROPDOWN)
            return true;
    }
    return false;
}

// The frame keeps a plain Tab for itself, and the cell editor would then
// take the next typing into the same cell: in a grid that edits, Tab is the
// grid's. Ctrl+Tab goes on to the frame. Enter in an open cell editor stores
// the edit and then is the grid's Enter, so it moves on as in the cells.
BOOL CCPGridCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN || GetKeyState(VK_CONTROL) < 0)
        return CWnd::PreTranslateMessage(msg);
    if (msg->wParam == VK_TAB && HasEditableColumn()) {
        MoveAcross(GetKeyState(VK_SHIFT) < 0 ? -1 : 1);
        return TRUE;
    }
    if (msg->wParam == VK_RETURN && m_editor) {
        SaveModifyed();
        m_host->OnKeyDown(VK_RETURN, UINT(msg->lParam & 0xFFFF), UINT(msg->lParam >> 16));
        return TRUE;
    }
    return CWnd::PreTranslateMessage(msg);
}

void CCPGridCtrl::OnKeyDown(UINT ch, UINT, UINT)
{
    if (ch == VK_RETURN)
        MoveToNextCell();
    else if (ch == VK_DELETE)
        ClearSelectedCells();
}

// A right click in the cells asks the window around the grid for its
// context menu at the mouse, in screen coordinates, as a control passes
// WM_CONTEXTMENU on to its parent.
bool CCPGridCtrl::ForwardContextMenu(QEvent* event)
{
    const auto* menu = static_cast<QContextMenuEvent*>(event);
    CWnd* parent = GetParent();
    if (menu->reason() != QContextMenuEvent::Mouse || parent == nullptr)
        return false;
    const QPoint at = menu->globalPos();
    parent->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(this), MAKELPARAM(at.x(), at.y()));
    return true;
}

bool CCPGridCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && event->type() == QEvent::ContextMenu && ForwardContextMenu(event))
        return true;
    if (watched != m_table || event->type() != QEvent::KeyPress || m_editor)
        return CWnd::eventFilter(watched, event);
    const std::vector<MSG> messages = MessagesFromEvent(m_table, event);
    if (messages.empty() || messages.front().message != WM_KEYDOWN)
        return CWnd::eventFilter(watched, event);
    const MSG& key = messages.front();
    const UINT vk = UINT(key.wParam);
    m_host->OnKeyDown(vk, UINT(key.lParam & 0xFFFF), UINT(key.lParam >> 16));
    if (vk == VK_RETURN || vk == VK_DELETE)
        return true;
    return CWnd::eventFilter(watched, event);
}
