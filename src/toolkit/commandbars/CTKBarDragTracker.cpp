#include "toolkit/commandbars/CTKBarDragTracker.h"

#include "platform/ui/CFrameWnd.h"
#include "platform/ui/CQtCursors.h"
#include "platform/ui/CTrackingLoop.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKDockBar.h"
#include "toolkit/commandbars/CTKToolBar.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>

#include <algorithm>

namespace {

constexpr DWORD kSideFlags[] = {kTKDockTop, kTKDockBottom, kTKDockLeft, kTKDockRight};
constexpr DWORD kFloatingMode = kTKLayoutHorz | kTKLayoutMRUWidth | kTKLayoutCommit;

CRect DesktopRect()
{
    QRect area;
    for (QScreen* screen : QGuiApplication::screens())
        area |= screen->geometry();
    return CRect(area.left(), area.top(), area.left() + area.width(), area.top() + area.height());
}

} // namespace

void MoveRectToIncludePoint(CRect* rect, int x, int y)
{
    int dx = 0;
    if (x < rect->left)
        dx = x - rect->left;
    else if (x > rect->right)
        dx = x - rect->right;
    int dy = 0;
    if (y < rect->top)
        dy = y - rect->top;
    else if (y > rect->bottom)
        dy = y - rect->bottom;
    rect->OffsetRect(dx, dy);
}

CTKBarDragTracker::CTKBarDragTracker(CTKToolBar* bar) : m_pBar(bar), m_pFrame(bar->GetFrameSite()) {}

void CTKBarDragTracker::BeginMove(int x, int y)
{
    m_nMode = kModeMove;
    m_nStartDockId = m_nMRUDockId;
    m_rcStartDock = m_rcMRUDock;
    m_bStartedFloating = m_pBar->GetPosition() == kTKPositionFloating;
    CRect window;
    m_pBar->GetWindowRect(&window);
    MoveRectToIncludePoint(&window, x, y);
    m_rcDocking = window;
    m_rcFloating = window;
    m_ptLast = CPoint(x, y);
}

void CTKBarDragTracker::EndMove()
{
    if (m_pBar->GetPosition() != kTKPositionFloating)
        return;
    m_ptMRUFloat = m_rcFloating.TopLeft();
    // A drag that ends floating keeps the docked place from before it.
    if (!m_bStartedFloating) {
        m_nMRUDockId = m_nStartDockId;
        m_rcMRUDock = m_rcStartDock;
    }
}

void CTKBarDragTracker::TrackMove(int x, int y)
{
    BeginMove(x, y);
    QApplication::setOverrideCursor(Qt::SizeAllCursor);
    RunLoop();
    QApplication::restoreOverrideCursor();
    EndMove();
}

void CTKBarDragTracker::BeginResize(int hitCode, int x, int y)
{
    m_nMode = hitCode;
    m_ptLast = CPoint(x, y);
    m_pBar->GetWindowRect(&m_rcFloating);
}

void CTKBarDragTracker::EndResize()
{
    CRect window;
    m_pBar->GetWindowRect(&window);
    m_ptMRUFloat = window.TopLeft();
    m_pBar->SetMRUWidth(window.Width());
}

void CTKBarDragTracker::TrackResize(int hitCode, int x, int y)
{
    BeginResize(hitCode, x, y);
    RunLoop();
    EndResize();
}

void CTKBarDragTracker::RunLoop()
{
    if (CWnd::GetCapture())
        return;
    CTrackingLoop loop(m_pBar);
    loop.SetFilter([this, &loop](const MSG& msg) {
        if (msg.message == WM_LBUTTONUP) {
            loop.End();
            return TRUE;
        }
        if (msg.message == WM_KEYDOWN)
            return TRUE;
        if (msg.message != WM_MOUSEMOVE)
            return FALSE;
        const QPoint cursor = QCursor::pos();
        CPoint point(cursor.x(), cursor.y());
        if (msg.hwnd) {
            point = CPoint(static_cast<short>(LOWORD(static_cast<DWORD>(msg.lParam))),
                           static_cast<short>(HIWORD(static_cast<DWORD>(msg.lParam))));
            msg.hwnd->ClientToScreen(&point);
        }
        if (point == m_ptLast)
            return FALSE;
        if (m_nMode == kModeMove)
            MoveStep(point.x, point.y);
        else
            ResizeStep(point.x, point.y);
        if (m_pFrame && m_pFrame->IsLayoutPending())
            m_pFrame->RecalcLayout(FALSE);
        return TRUE;
    });
    loop.Run();
}

void CTKBarDragTracker::MoveStep(int x, int y)
{
    const int dx = x - m_ptLast.x;
    const int dy = y - m_ptLast.y;
    m_rcFloating.OffsetRect(dx, dy);
    m_rcDocking.OffsetRect(dx, dy);
    CTKCommandBars* commandBars = m_pBar->GetCommandBars();
    const DWORD docking = m_pBar->GetDockingFlags();
    CTKDockBar* dock = commandBars ? commandBars->GetDockBarAt(x, y, m_pBar->GetDockBar()) : nullptr;
    if (dock && (docking & kSideFlags[dock->GetPosition()])) {
        const BOOL wasFloating = m_pBar->GetPosition() == kTKPositionFloating;
        CTKDockBar* before = m_pBar->GetDockBar();
        commandBars->DockBar(m_pBar, &m_rcDocking, dock);
        if ((before != m_pBar->GetDockBar() || wasFloating) && m_pFrame) {
            m_pFrame->RecalcLayout(FALSE);
            m_pBar->GetWindowRect(&m_rcDocking);
        }
        m_ptLast = CPoint(x, y);
        return;
    }
    if (commandBars && (docking & kTKDockFloat)) {
        if (m_pBar->GetPosition() != kTKPositionFloating) {
            commandBars->FloatBar(m_pBar);
            const CSize size = m_pBar->CalcDynamicLayout(0, kFloatingMode);
            m_rcFloating = CRect(m_rcFloating.TopLeft(), size);
            MoveRectToIncludePoint(&m_rcFloating, x, y);
            if (m_pFrame)
                m_pFrame->RecalcLayout(FALSE);
        }
        m_pBar->MoveWindow(m_rcFloating, TRUE);
    }
    m_ptLast = CPoint(x, y);
}

void CTKBarDragTracker::ResizeStep(int x, int y)
{
    CRect& floating = m_rcFloating;
    int length = 0;
    DWORD mode = kTKLayoutHorz | kTKLayoutCommit;
    switch (m_nMode) {
    case HTLEFT:
        floating.left += x - m_ptLast.x;
        length = floating.Width();
        break;
    case HTRIGHT:
        floating.right += x - m_ptLast.x;
        length = floating.Width();
        break;
    case HTTOP:
        floating.top += y - m_ptLast.y;
        length = floating.Height();
        mode |= kTKLayoutLengthY;
        break;
    default:
        floating.bottom += y - m_ptLast.y;
        length = floating.Height();
        mode |= kTKLayoutLengthY;
        break;
    }
    const CSize size = m_pBar->CalcDynamicLayout(std::max(length, 0), mode);
    CRect window;
    m_pBar->GetWindowRect(&window);
    m_ptLast = CPoint(x, y);
    if (size == window.Size())
        return;
    CRect place = window;
    switch (m_nMode) {
    case HTLEFT:
        place = CRect(window.right - size.cx, window.top, window.right, window.top + size.cy);
        break;
    case HTTOP:
        place = CRect(window.left, window.bottom - size.cy, window.left + size.cx, window.bottom);
        break;
    default:
        place = CRect(window.TopLeft(), size);
        break;
    }
    CRect visible;
    if (!visible.IntersectRect(place, DesktopRect()))
        return;
    m_pBar->MoveWindow(place, TRUE);
    m_pBar->Invalidate(FALSE);
}

BOOL CTKBarDragTracker::ToggleDocking()
{
    CTKCommandBars* commandBars = m_pBar->GetCommandBars();
    if (!commandBars)
        return FALSE;
    const DWORD docking = m_pBar->GetDockingFlags();
    if (m_pBar->GetPosition() == kTKPositionFloating) {
        CTKDockBar* dock = commandBars->GetDockBar(m_nMRUDockId);
        if (!(docking & kTKDockAnySide) || !dock)
            return FALSE;
        CRect rect = m_rcMRUDock;
        dock->ClientToScreen(&rect);
        commandBars->DockBar(m_pBar, &rect, dock);
        if (m_pFrame)
            m_pFrame->RecalcLayout(TRUE);
        return TRUE;
    }
    const CTKCommandBarsOptions* options = commandBars->GetCommandBarsOptions();
    if (!(docking & kTKDockFloat) || !options || !options->bDblClickFloat)
        return FALSE;
    CPoint position = m_ptMRUFloat;
    if (position.x <= 0 || position.y <= 0) {
        CRect rect = m_rcMRUDock;
        if (CWnd* parent = m_pBar->GetParent())
            parent->ClientToScreen(&rect);
        position = rect.TopLeft();
    }
    commandBars->FloatBar(m_pBar);
    const CSize size = m_pBar->CalcDynamicLayout(0, kFloatingMode);
    m_pBar->MoveWindow(CRect(position, size), TRUE);
    return TRUE;
}
