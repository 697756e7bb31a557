#include "CListView.h"

namespace {

// The id of the list inside its view.
constexpr UINT kListId = 1;

} // namespace

IMPLEMENT_DYNAMIC(CListView, CView)

CListView::CListView()
{
    m_list = new CListCtrl(this);
}

int CListView::OnCreate()
{
    if (CView::OnCreate() == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    return m_list->Create(this, client, kListId, WS_CHILD | WS_VISIBLE | GetListStyle()) ? 0 : -1;
}

void CListView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_list->IsWindow())
        m_list->MoveWindow(CRect(0, 0, cx, cy));
}

void CListView::OnSetFocus(CWnd* oldWnd)
{
    CView::OnSetFocus(oldWnd);
    if (m_list->IsWindow())
        m_list->SetFocus();
}
