#include "CTreeView.h"

namespace {

// The id of the tree inside its view.
constexpr UINT kTreeId = 1;

} // namespace

IMPLEMENT_DYNAMIC(CTreeView, CView)

CTreeView::CTreeView()
{
    m_tree = new CTreeCtrl(this);
    m_tree->SetInputTarget(this);
}

int CTreeView::OnCreate()
{
    if (CView::OnCreate() == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    return m_tree->Create(this, client, kTreeId, WS_CHILD | WS_VISIBLE | GetTreeStyle()) ? 0 : -1;
}

void CTreeView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_tree->IsWindow())
        m_tree->MoveWindow(CRect(0, 0, cx, cy));
}

void CTreeView::OnSetFocus(CWnd* oldWnd)
{
    CView::OnSetFocus(oldWnd);
    if (m_tree->IsWindow())
        m_tree->SetFocus();
}
