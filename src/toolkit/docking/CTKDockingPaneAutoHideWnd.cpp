#include "toolkit/docking/CTKDockingPaneAutoHideWnd.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CRedrawLock.h"
#include "platform/ui/CTrackingLoop.h"
#include "toolkit/commandbars/draw/CTKSplitterTracker.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"
#include "toolkit/docking/CTKDockingPaneAutoHideStrip.h"
#include "toolkit/docking/CTKDockingPaneHost.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include <QApplication>
#include <QCursor>

#include <algorithm>

namespace {

constexpr DWORD kSlideStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr UINT kFillColor = 51;

enum Side { kLeft = 0, kRight = 1, kTop = 2, kBottom = 3 };

} // namespace

CTKDockingPaneAutoHideWnd::CTKDockingPaneAutoHideWnd(CTKDockingPaneAutoHideStrip* strip,
                                                     CTKDockingPaneTabbedContainer* container)
    : m_container(container), m_strip(strip), m_side(strip->GetSide()), m_vertical(m_side == kTop || m_side == kBottom)
{
    CTKDockingPaneLayout* layout = strip->GetLayout();
    CWnd* frame = strip->GetFrame();
    CTKDockingPaneItem* selected = container->GetSelected();
    const int extent = selected ? (m_vertical ? selected->dockingCY : selected->dockingCX) : 0;
    const CRect area = layout && layout->GetTopGroup() ? layout->GetTopGroup()->GetRect() : CRect();
    m_target = CutToExtent(area, m_side, extent);
    const int cursor = m_vertical ? CTKUIMetrics::kCursor9971 : CTKUIMetrics::kCursorSplitter;
    setCursor(GetUIMetrics()->cursors[cursor]);
    {
        CRedrawLock lock(frame);
        Create(frame, m_target, 0, kSlideStyle);
    }
    m_steps = std::max<int>(1, kDurationMs / kStepMs);
    m_closing = FALSE;
    if (m_steps < 2)
        PlaceStep();
    else
        SetTimer(kTimerSlideOut, kStepMs);
    SetTimer(kTimerCheck, kCheckMs);
    m_awayCount = 0;
}

CTKDockingPaneAutoHideWnd::~CTKDockingPaneAutoHideWnd()
{
    ReturnContainer();
    if (m_strip)
        m_strip->ClearSlideWnd(this);
}

CRect CTKDockingPaneAutoHideWnd::CutToExtent(const CRect& area, int side, int extent)
{
    CRect target = area;
    switch (side) {
    case kLeft: target.right = target.left + extent; break;
    case kRight: target.left = target.right - extent; break;
    case kTop: target.bottom = target.top + extent; break;
    default: target.top = target.bottom - extent; break;
    }
    return target;
}

CRect CTKDockingPaneAutoHideWnd::StepRect(const CRect& target, int side, int step, int steps)
{
    const int k = step + 1;
    const int width = target.Width() * k / steps;
    const int height = target.Height() * k / steps;
    switch (side) {
    case kLeft: return CRect(target.left, target.top, target.left + width, target.bottom);
    case kRight: return CRect(target.right - width, target.top, target.right, target.bottom);
    case kTop: return CRect(target.left, target.top, target.right, target.top + height);
    default: return CRect(target.left, target.bottom - height, target.right, target.bottom);
    }
}

CRect CTKDockingPaneAutoHideWnd::GripRect(const CRect& window, int side)
{
    switch (side) {
    case kLeft: return CRect(window.right - kGrip, window.top, window.right, window.bottom);
    case kRight: return CRect(window.left, window.top, window.left + kGrip, window.bottom);
    case kTop: return CRect(window.left, window.bottom - kGrip, window.right, window.bottom);
    default: return CRect(window.left, window.top, window.right, window.top + kGrip);
    }
}

void CTKDockingPaneAutoHideWnd::PlaceStep()
{
    // Showing the window must not pull the focus into the pane it slides out.
    QWidget* before = QApplication::focusWidget();
    MoveWindow(StepRect(m_target, m_side, m_step, m_steps), TRUE);
    raise();
    ShowWindow(SW_SHOWNA);
    Invalidate(FALSE);
    QWidget* after = QApplication::focusWidget();
    if (after == before || !after || !isAncestorOf(after))
        return;
    if (before)
        before->setFocus();
    else
        after->clearFocus();
}

void CTKDockingPaneAutoHideWnd::RecalcLayout(BOOL notify)
{
    CFrameWnd::RecalcLayout(notify);
    if (!m_container || !m_container->IsWindow())
        return;
    CRect client;
    GetClientRect(&client);
    const int width = m_target.Width();
    const int height = m_target.Height();
    CRect place;
    switch (m_side) {
    case kLeft: place = CRect(client.right - kGrip - width, 0, client.right - kGrip, height); break;
    case kRight: place = CRect(kGrip, 0, kGrip + width, height); break;
    case kTop: place = CRect(0, client.bottom - kGrip - height, width, client.bottom - kGrip); break;
    default: place = CRect(0, kGrip, width, kGrip + height); break;
    }
    AFX_SIZEPARENTPARAMS params;
    params.rect = place;
    m_container->Layout(this, place, &params);
    m_container->ShowWindow(SW_SHOWNA);
}

void CTKDockingPaneAutoHideWnd::ReturnContainer()
{
    CTKDockingPaneTabbedContainer* container = m_container;
    m_container = nullptr;
    if (!container || !container->IsWindow() || container->GetParent() != this)
        return;
    container->ShowWindow(SW_HIDE);
    CTKDockingPaneHost* host = m_strip ? m_strip->Host() : nullptr;
    container->SetParentFrame(host ? static_cast<CWnd*>(host->GetFrame()) : m_strip->GetFrame());
}

void CTKDockingPaneAutoHideWnd::DetachContainer()
{
    ReturnContainer();
    if (m_strip)
        m_strip->ClearSlideWnd(this);
}

void CTKDockingPaneAutoHideWnd::Hide()
{
    if (!IsWindow())
        return;
    ShowWindow(SW_HIDE);
    DetachContainer();
    PostMessage(WM_CLOSE);
}

void CTKDockingPaneAutoHideWnd::CheckPointer()
{
    const QPoint cursor = QCursor::pos();
    const CPoint point(cursor.x(), cursor.y());
    CRect window;
    GetWindowRect(&window);
    CRect strip;
    if (m_strip && m_strip->IsWindow())
        m_strip->GetWindowRect(&strip);
    CWnd* focus = CWnd::GetFocus();
    const BOOL active = m_container && focus && (focus == m_container || m_container->isAncestorOf(focus));
    const BOOL inside = active || (isVisible() && window.PtInRect(point)) || strip.PtInRect(point);
    if (inside) {
        m_awayCount = kAwayChecks;
        if (m_closing) {
            m_closing = FALSE;
            KillTimer(kTimerSlideBack);
            SetTimer(kTimerSlideOut, kStepMs);
        }
        return;
    }
    if (m_closing)
        return;
    if (--m_awayCount > 0)
        return;
    m_awayCount = 0;
    m_closing = TRUE;
    SetTimer(kTimerSlideBack, kStepMs);
}

void CTKDockingPaneAutoHideWnd::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kTimerSlideOut:
        if (m_closing)
            break;
        if (++m_step < m_steps) {
            PlaceStep();
        } else {
            m_step = m_steps - 1;
            KillTimer(kTimerSlideOut);
        }
        break;
    case kTimerSlideBack:
        if (!m_closing)
            break;
        if (--m_step < 0) {
            m_closing = FALSE;
            KillTimer(kTimerSlideBack);
            Hide();
        } else {
            PlaceStep();
        }
        break;
    case kTimerCheck:
        if (m_container && !m_resizing)
            CheckPointer();
        break;
    case kTimerClose:
        Hide();
        break;
    default:
        break;
    }
    CFrameWnd::OnTimer(id);
}

void CTKDockingPaneAutoHideWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    CTKDockingPaneHost* host = m_strip ? m_strip->Host() : nullptr;
    const COLORREF fill = host && host->GetRenderer() ? host->GetRenderer()->LookupColor(kFillColor)
                                                      : GetSysColor(COLOR_3DFACE);
    dc.FillSolidRect(rect, fill);
    switch (m_side) {
    case kLeft:
        dc.FillSolidRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom), GetSysColor(COLOR_BTNTEXT));
        dc.FillSolidRect(CRect(rect.right - 2, rect.top, rect.right - 1, rect.bottom), GetSysColor(COLOR_BTNSHADOW));
        break;
    case kRight:
        dc.FillSolidRect(CRect(rect.left + 1, rect.top, rect.left + 2, rect.bottom), GetSysColor(COLOR_BTNHIGHLIGHT));
        break;
    case kTop:
        dc.FillSolidRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom), GetSysColor(COLOR_BTNTEXT));
        dc.FillSolidRect(CRect(rect.left, rect.bottom - 2, rect.right, rect.bottom - 1), GetSysColor(COLOR_BTNSHADOW));
        break;
    default:
        dc.FillSolidRect(CRect(rect.left, rect.top + 1, rect.right, rect.top + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
        break;
    }
}

BOOL CTKDockingPaneAutoHideWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CTKDockingPaneAutoHideWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (m_closing && m_container)
        CheckPointer();
    CFrameWnd::OnMouseMove(flags, point);
}

void CTKDockingPaneAutoHideWnd::OnLButtonDown(UINT, CPoint point)
{
    ClientToScreen(&point);
    TrackResize(point);
}

void CTKDockingPaneAutoHideWnd::TrackResize(CPoint screenPoint)
{
    CTKDockingPaneLayout* layout = m_strip ? m_strip->GetLayout() : nullptr;
    if (!layout || !layout->GetTopGroup())
        return;
    CRect limits = layout->GetTopGroup()->GetScreenRect();
    if (m_vertical)
        limits.DeflateRect(0, kGrip);
    else
        limits.DeflateRect(kGrip, 0);
    CRect window;
    GetWindowRect(&window);
    CRect grip = GripRect(window, m_side);
    m_resizing = TRUE;
    CTKDockingPaneHost* host = m_strip->Host();
    if (!host || host->trackSplitters) {
        CTKSplitterTracker tracker;
        if (tracker.Track(this, limits, &grip, screenPoint, !m_vertical))
            ApplyResize(grip);
    } else {
        ResizeLive(limits, grip);
    }
    m_resizing = FALSE;
}

void CTKDockingPaneAutoHideWnd::ResizeLive(const CRect& limits, CRect grip)
{
    CTrackingLoop loop(this);
    loop.SetFilter([&](const MSG& msg) -> BOOL {
        if (msg.message == WM_LBUTTONUP) {
            loop.End();
            return TRUE;
        }
        if (msg.message != WM_MOUSEMOVE)
            return FALSE;
        CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        ClientToScreen(&point);
        point.x = std::clamp<int>(point.x, limits.left, std::max(limits.left, limits.right - 1));
        point.y = std::clamp<int>(point.y, limits.top, std::max(limits.top, limits.bottom - 1));
        if (m_vertical)
            grip.OffsetRect(0, point.y - grip.top);
        else
            grip.OffsetRect(point.x - grip.left, 0);
        ApplyResize(grip);
        return TRUE;
    });
    loop.Run();
}

void CTKDockingPaneAutoHideWnd::ApplyResize(const CRect& grip)
{
    CRect window;
    GetWindowRect(&window);
    switch (m_side) {
    case kLeft: window.right = grip.right; break;
    case kRight: window.left = grip.left; break;
    case kTop: window.bottom = grip.bottom; break;
    default: window.top = grip.top; break;
    }
    if (m_container && m_container->GetSelected()) {
        CTKDockingPaneItem* pane = m_container->GetSelected();
        (m_vertical ? pane->dockingCY : pane->dockingCX) = m_vertical ? window.Height() : window.Width();
    }
    if (CWnd* frame = GetParent())
        frame->ScreenToClient(&window);
    m_target = window;
    MoveWindow(window, TRUE);
    Invalidate(FALSE);
}

void CTKDockingPaneAutoHideWnd::OnDestroy()
{
    ReturnContainer();
    CFrameWnd::OnDestroy();
}

void CTKDockingPaneAutoHideWnd::PostNcDestroy()
{
    if (m_strip)
        m_strip->ClearSlideWnd(this);
    CFrameWnd::PostNcDestroy();
}
