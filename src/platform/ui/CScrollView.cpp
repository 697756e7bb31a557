#include "CScrollView.h"

#include "platform/CSystemMetrics.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CScrollView, CView)

namespace {
constexpr int DEFAULT_STEP_DIVISOR = 10;
constexpr int WHEEL_DELTA = 120;
constexpr int WHEEL_LINES = 3;
}

void CScrollView::SetScrollSizes(int mapMode, CSize total, CSize page, CSize line)
{
    m_mapMode = mapMode;
    m_total = CSize(std::max(0, total.cx), std::max(0, total.cy));
    m_page = page;
    if (m_page.cx == 0)
        m_page.cx = m_total.cx / DEFAULT_STEP_DIVISOR;
    if (m_page.cy == 0)
        m_page.cy = m_total.cy / DEFAULT_STEP_DIVISOR;
    m_line = line;
    if (m_line.cx == 0)
        m_line.cx = m_page.cx / DEFAULT_STEP_DIVISOR;
    if (m_line.cy == 0)
        m_line.cy = m_page.cy / DEFAULT_STEP_DIVISOR;
    UpdateBars();
    ScrollToPosition(m_position);
}

int CScrollView::MaxPosition(int bar) const
{
    CRect client;
    GetClientRect(&client);
    const int extent = bar == SB_VERT ? m_total.cy - client.Height() : m_total.cx - client.Width();
    return std::max(0, extent);
}

int CScrollView::SetScrollPos(int bar, int position, BOOL redraw)
{
    const int old = GetScrollPos(bar);
    const int clamped = std::clamp(position, 0, MaxPosition(bar));
    (bar == SB_VERT ? m_position.y : m_position.x) = clamped;
    (bar == SB_VERT ? m_track.y : m_track.x) = clamped;
    SyncBar(bar);
    if (redraw && clamped != old)
        Invalidate();
    return old;
}

void CScrollView::UpdateBars()
{
    CRect client;
    GetClientRect(&client);
    const DWORD style = GetStyle();
    // The area the view would have with no bars at all.
    int width = client.Width() + ((style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    int height = client.Height() + ((style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    bool needVert = m_total.cy > height;
    bool needHorz = m_total.cx > width;
    // One bar takes room from the other side and may make the other needed.
    if (needVert)
        needHorz = m_total.cx > width - GetSystemMetrics(SM_CXVSCROLL);
    if (needHorz)
        needVert = m_total.cy > height - GetSystemMetrics(SM_CYHSCROLL);
    ShowScrollBar(SB_HORZ, needHorz);
    ShowScrollBar(SB_VERT, needVert);
    for (int bar : {SB_HORZ, SB_VERT}) {
        const int clamped = std::clamp(GetScrollPos(bar), 0, MaxPosition(bar));
        (bar == SB_VERT ? m_position.y : m_position.x) = clamped;
        (bar == SB_VERT ? m_track.y : m_track.x) = clamped;
        SyncBar(bar);
    }
}

void CScrollView::SyncBar(int bar)
{
    CRect client;
    GetClientRect(&client);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = std::max(0, (bar == SB_VERT ? m_total.cy : m_total.cx) - 1);
    info.nPage = static_cast<UINT>(std::max(0, bar == SB_VERT ? client.Height() : client.Width()));
    info.nPos = GetScrollPos(bar);
    CWnd::SetScrollInfo(bar, &info, TRUE);
}

void CScrollView::OnSize(UINT type, int cx, int cy)
{
    CView::OnSize(type, cx, cy);
    UpdateBars();
}

void CScrollView::ScrollToPosition(CPoint position)
{
    SetScrollPos(SB_HORZ, position.x);
    SetScrollPos(SB_VERT, position.y);
}

void CScrollView::OnScroll(int bar, UINT code, int position)
{
    const int line = std::max(1, bar == SB_VERT ? m_line.cy : m_line.cx);
    const int page = std::max(1, bar == SB_VERT ? m_page.cy : m_page.cx);
    const int now = GetScrollPos(bar);
    switch (code) {
    case SB_LINEUP: SetScrollPos(bar, now - line); return;
    case SB_LINEDOWN: SetScrollPos(bar, now + line); return;
    case SB_PAGEUP: SetScrollPos(bar, now - page); return;
    case SB_PAGEDOWN: SetScrollPos(bar, now + page); return;
    case SB_TOP: SetScrollPos(bar, 0); return;
    case SB_BOTTOM: SetScrollPos(bar, MaxPosition(bar)); return;
    case SB_THUMBTRACK: (bar == SB_VERT ? m_track.y : m_track.x) = std::clamp(position, 0, MaxPosition(bar)); return;
    case SB_THUMBPOSITION: SetScrollPos(bar, position); return;
    default: return;
    }
}

BOOL CScrollView::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_HSCROLL || message == WM_VSCROLL) {
        OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(static_cast<DWORD>(wParam)), HIWORD(static_cast<DWORD>(wParam)));
        if (result)
            *result = 0;
        return TRUE;
    }
    return CView::OnWndMsg(message, wParam, lParam, result);
}

BOOL CScrollView::OnMouseWheel(UINT, short delta, CPoint)
{
    const int lines = delta / WHEEL_DELTA * WHEEL_LINES;
    SetScrollPos(SB_VERT, GetScrollPos(SB_VERT) - lines * std::max(1, m_line.cy));
    return TRUE;
}
