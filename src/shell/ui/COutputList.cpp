#include "shell/ui/COutputList.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtDC.h"
#include "shell/ui/COutputView.h"

#include <QPalette>
#include <QTableWidget>

IMPLEMENT_DYNAMIC(COutputList, CListCtrl)

COutputList::COutputList(COutputView& view, unsigned index)
    : m_view(view), m_index(index), m_background(GetSysColor(COLOR_BTNFACE))
{
}

// The list paints its rows over its own colour in one pass; nothing is erased first.
void COutputList::SetBackgroundColor(COLORREF color)
{
    m_background = color;
    if (Table() == nullptr)
        return;
    QPalette palette = Table()->palette();
    palette.setColor(QPalette::Base, CQtDC::ToQColor(color));
    Table()->setPalette(palette);
}

BOOL COutputList::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

int COutputList::AppendLine(const std::string& text)
{
    const int row = InsertItem(GetItemCount(), text);
    if (row >= 0)
        EnsureVisible(row);
    return row;
}

void COutputList::OnLButtonDblClk(UINT flags, CPoint point)
{
    CListCtrl::OnLButtonDblClk(flags, point);
    const int row = SubItemHitTest(point);
    if (row >= 0)
        m_view.OnListDoubleClick(*this, row);
}

void COutputList::OnRButtonDown(UINT flags, CPoint point)
{
    m_view.OnListRightButton(*this, point);
    CListCtrl::OnRButtonDown(flags, point);
}

void COutputList::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    if (ch == VK_F1)
        m_view.OnListHelp();
    CListCtrl::OnKeyDown(ch, repeat, flags);
}
