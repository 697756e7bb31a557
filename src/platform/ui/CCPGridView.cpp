#include "CCPGridView.h"

namespace {

// The id of the grid inside its view.
constexpr UINT kGridId = 1;

} // namespace

IMPLEMENT_DYNAMIC(CCPGridView, CView)

CCPGridView::CCPGridView()
{
    m_grid = new CCPGridCtrl(this);
    m_grid->SetHost(this);
}

int CCPGridView::OnCreate()
{
    if (CView::OnCreate() == -1)
        return -1;
    CRect client;
    GetClientRect(&client);
    return m_grid->Create(this, client, kGridId, WS_CHILD | WS_VISIBLE) ? 0 : -1;
}

void CCPGridView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    if (m_grid->IsWindow())
        m_grid->MoveWindow(CRect(0, 0, cx, cy));
}

void CCPGridView::OnSetFocus(CWnd* oldWnd)
{
    CView::OnSetFocus(oldWnd);
    if (m_grid->IsWindow())
        m_grid->SetFocus();
}

BOOL CCPGridView::OnEditCopy()
{
    return m_grid->CopySelectedCellText();
}

BOOL CCPGridView::OnEditCut()
{
    return m_grid->CutSelectedCellText();
}

int CCPGridView::OnEditPaste()
{
    return m_grid->PasteTextToSelectedCells();
}

void CCPGridView::OnEditClear()
{
    m_grid->ClearSelectedCells();
}

void CCPGridView::OnKeyDown(UINT ch, UINT repeat, UINT flags)
{
    m_grid->OnKeyDown(ch, repeat, flags);
}
