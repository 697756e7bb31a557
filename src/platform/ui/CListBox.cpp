#include "platform/ui/CListBox.h"

#include "platform/ui/QtText.h"

#include <QListWidget>

#include <algorithm>
#include <cstring>

namespace {

// The answer of LB_ITEMFROMPOINT: the index in the low word, the outside flag in the high word.
constexpr LRESULT kOutsideFlag = 0x10000;

} // namespace

CListBox::CListBox(QWidget* parent) : CWnd(parent)
{
    m_list = new QListWidget(this);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setUniformItemSizes(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
}

int CListBox::AddString(const std::string& text)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

std::string CListBox::GetText(int index)
{
    const LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length == LB_ERR)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

UINT CListBox::ItemFromPoint(CPoint point, BOOL& outside)
{
    const LRESULT answer = SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    outside = (answer & kOutsideFlag) != 0;
    return static_cast<UINT>(LOWORD(answer));
}

BOOL CListBox::IsIndex(int index) const
{
    return index >= 0 && index < m_list->count();
}

LRESULT CListBox::InsertString(int index, const char* text)
{
    if (!text)
        return LB_ERR;
    if (index < 0 || index > m_list->count())
        index = m_list->count();
    m_list->insertItem(index, ToQString(text));
    return index;
}

LRESULT CListBox::CopyText(int index, char* buffer) const
{
    if (!IsIndex(index) || !buffer)
        return LB_ERR;
    const std::string text = FromQString(m_list->item(index)->text());
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<LRESULT>(text.size());
}

LRESULT CListBox::ItemAt(CPoint point) const
{
    const CPoint origin = GetClientOrigin();
    const QPoint inList = QPoint(point.x, point.y) - QPoint(m_list->x() - origin.x, m_list->y() - origin.y);
    const QModelIndex hit = m_list->indexAt(m_list->viewport()->mapFrom(m_list, inList));
    if (hit.isValid())
        return hit.row();
    // Nearest item, flagged as outside.
    const int last = m_list->count() - 1;
    return kOutsideFlag | (last < 0 ? 0 : last);
}

LRESULT CListBox::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int index = static_cast<int>(static_cast<std::intptr_t>(wParam));
    switch (message) {
    case LB_ADDSTRING:
        return InsertString(m_list->count(), reinterpret_cast<const char*>(lParam));
    case LB_INSERTSTRING:
        return InsertString(index, reinterpret_cast<const char*>(lParam));
    case LB_DELETESTRING:
        if (!IsIndex(index))
            return LB_ERR;
        delete m_list->takeItem(index);
        return m_list->count();
    case LB_RESETCONTENT:
        m_list->clear();
        return 0;
    case LB_SETCURSEL:
        if (!IsIndex(index)) {
            m_list->setCurrentRow(-1);
            return index == -1 ? 0 : LB_ERR;
        }
        m_list->setCurrentRow(index);
        m_list->scrollToItem(m_list->item(index));
        return index;
    case LB_GETCURSEL:
        return m_list->currentRow() >= 0 ? m_list->currentRow() : LB_ERR;
    case LB_GETTEXT:
        return CopyText(index, reinterpret_cast<char*>(lParam));
    case LB_GETTEXTLEN:
        return IsIndex(index) ? static_cast<LRESULT>(FromQString(m_list->item(index)->text()).size()) : LB_ERR;
    case LB_GETCOUNT:
        return m_list->count();
    case LB_GETITEMHEIGHT:
        return m_list->sizeHintForRow(0) > 0 ? m_list->sizeHintForRow(0) : m_list->fontMetrics().height();
    case LB_ITEMFROMPOINT:
        return ItemAt(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
    case WM_KEYDOWN:
        return MoveByKey(static_cast<UINT>(wParam));
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

int CListBox::RowsPerPage() const
{
    const int row = m_list->sizeHintForRow(0) > 0 ? m_list->sizeHintForRow(0) : m_list->fontMetrics().height();
    return std::max(1, m_list->viewport()->height() / std::max(row, 1));
}

LRESULT CListBox::MoveByKey(UINT key)
{
    const int count = m_list->count();
    if (count == 0)
        return 0;
    const int current = m_list->currentRow();
    int next = current;
    switch (key) {
    case VK_UP:
        next = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
        next = current + 1;
        break;
    case VK_HOME:
        next = 0;
        break;
    case VK_END:
        next = count - 1;
        break;
    case VK_PRIOR:
        next = current - (RowsPerPage() - 1);
        break;
    case VK_NEXT:
        next = current + (RowsPerPage() - 1);
        break;
    default:
        return 0;
    }
    next = std::clamp(next, 0, count - 1);
    if (next != current)
        SendMessage(LB_SETCURSEL, static_cast<WPARAM>(next));
    return 0;
}

void CListBox::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    const CPoint origin = GetClientOrigin();
    m_list->setGeometry(origin.x, origin.y, cx, cy);
}
