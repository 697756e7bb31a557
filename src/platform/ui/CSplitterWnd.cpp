#include "CSplitterWnd.h"

#include "platform/CObject.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CDocument.h"
#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CView.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

namespace {
constexpr UINT PANE_ROW_STEP = 16;
}

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int columns, DWORD style, UINT id)
{
    if (rows < 1 || columns != 1)
        return FALSE;
    m_rows.assign(rows, Row {});
    return Create(parent, CRect(), id, style);
}

BOOL CSplitterWnd::IsValidCell(int row, int column) const
{
    return row >= 0 && row < GetRowCount() && column == 0;
}

UINT CSplitterWnd::IdFromRowCol(int row, int column)
{
    return AFX_IDW_PANE_FIRST + static_cast<UINT>(row) * PANE_ROW_STEP + static_cast<UINT>(column);
}

BOOL CSplitterWnd::CreateView(int row, int column, const CRuntimeClass* viewClass, CSize initialSize,
                              CDocument* document)
{
    if (!IsValidCell(row, column) || !viewClass || m_rows[row].pane)
        return FALSE;
    CObject* object = viewClass->CreateObject();
    auto* pane = dynamic_cast<CWnd*>(object);
    if (!pane) {
        delete object;
        return FALSE;
    }
    auto* view = dynamic_cast<CView*>(pane);
    if (view && document)
        document->AddView(view);
    if (!pane->Create(this, CRect(0, 0, initialSize.cx, initialSize.cy), IdFromRowCol(row, column),
                      WS_CHILD | WS_VISIBLE)) {
        if (view && document)
            document->RemoveView(view);
        delete pane;
        return FALSE;
    }
    m_rows[row].pane = pane;
    m_rows[row].ideal = initialSize.cy;
    RecalcLayout();
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int column) const
{
    return IsValidCell(row, column) ? m_rows[row].pane : nullptr;
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum)
{
    if (!IsValidCell(row, 0))
        return;
    m_rows[row].ideal = std::max(0, ideal);
    m_rows[row].minimum = std::max(0, minimum);
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const
{
    if (!IsValidCell(row, 0))
        return;
    current = m_rows[row].current;
    minimum = m_rows[row].minimum;
}

CWnd* CSplitterWnd::GetActivePane(int* row, int* column) const
{
    CWnd* active = nullptr;
    if (CFrameWnd* frame = GetParentFrame())
        active = frame->GetActiveView();
    for (int i = 0; i < GetRowCount(); ++i) {
        CWnd* pane = m_rows[i].pane;
        if (!pane || (pane != active && !pane->hasFocus()))
            continue;
        if (row)
            *row = i;
        if (column)
            *column = 0;
        return pane;
    }
    return nullptr;
}

void CSplitterWnd::SetActivePane(int row, int column)
{
    CWnd* pane = GetPane(row, column);
    if (!pane)
        return;
    CFrameWnd* frame = GetParentFrame();
    if (auto* view = dynamic_cast<CView*>(pane); view && frame)
        frame->SetActiveView(view);
    pane->SetFocus();
}

void CSplitterWnd::RecalcLayout()
{
    CRect client;
    GetClientRect(&client);
    int top = client.top;
    for (int i = 0; i < GetRowCount(); ++i) {
        Row& row = m_rows[i];
        const bool last = i == GetRowCount() - 1;
        const int rest = std::max(0, client.bottom - top);
        row.current = last ? rest : std::min(rest, std::max(row.ideal, row.minimum));
        if (row.pane)
            row.pane->MoveWindow(CRect(client.left, top, client.right, top + row.current));
        top += row.current + (last ? 0 : kBarHeight);
    }
    Invalidate();
}

int CSplitterWnd::BarTop(int bar) const
{
    int top = 0;
    for (int i = 0; i <= bar; ++i)
        top += m_rows[i].current + (i < bar ? kBarHeight : 0);
    return top;
}

int CSplitterWnd::HitBar(CPoint point) const
{
    for (int bar = 0; bar + 1 < GetRowCount(); ++bar) {
        const int top = BarTop(bar);
        if (point.y >= top && point.y < top + kBarHeight)
            return bar;
    }
    return -1;
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    for (int bar = 0; bar + 1 < GetRowCount(); ++bar) {
        const int top = BarTop(bar);
        dc.FillSolidRect(CRect(client.left, top, client.right, top + kBarHeight), GetSysColor(COLOR_3DFACE));
        dc.FillSolidRect(CRect(client.left, top + kBarHeight - 1, client.right, top + kBarHeight), GetSysColor(COLOR_3DSHADOW));
    }
}

void CSplitterWnd::OnLButtonDown(UINT flags, CPoint point)
{
    const int bar = HitBar(point);
    if (bar < 0) {
        CWnd::OnLButtonDown(flags, point);
        return;
    }
    m_trackedBar = bar;
    m_trackOffset = point.y - BarTop(bar);
    SetCapture();
}

void CSplitterWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (!IsTracking()) {
        CWnd::OnMouseMove(flags, point);
        return;
    }
    // The row above the bar follows the mouse, never below its minimum.
    const int above = m_trackedBar > 0 ? BarTop(m_trackedBar - 1) + kBarHeight : 0;
    m_rows[m_trackedBar].ideal = std::max(m_rows[m_trackedBar].minimum, point.y - m_trackOffset - above);
    RecalcLayout();
}

void CSplitterWnd::OnLButtonUp(UINT flags, CPoint point)
{
    if (!IsTracking()) {
        CWnd::OnLButtonUp(flags, point);
        return;
    }
    OnMouseMove(flags, point);
    m_trackedBar = -1;
    ReleaseCapture();
}

void CSplitterWnd::OnCaptureChanged(CWnd* wnd)
{
    m_trackedBar = -1;
    CWnd::OnCaptureChanged(wnd);
}
