#include "CTKPopupTracker.h"

#include "CTKCommandBar.h"
#include "CTKWindowHookMap.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <memory>

namespace {

// The window message of a mouse event; 0 for events the tracker ignores.
UINT MessageOf(const QEvent* event)
{
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    switch (event->type()) {
    case QEvent::MouseMove:
        return WM_MOUSEMOVE;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (mouse->button() == Qt::LeftButton)
            return WM_LBUTTONDOWN;
        if (mouse->button() == Qt::RightButton)
            return WM_RBUTTONDOWN;
        return mouse->button() == Qt::MiddleButton ? WM_MBUTTONDOWN : 0;
    case QEvent::MouseButtonRelease:
        return mouse->button() == Qt::LeftButton ? WM_LBUTTONUP : 0;
    default:
        return 0;
    }
}

BOOL IsMove(UINT message)
{
    return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
}

BOOL IsPress(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

CTKPopupTracker::CTKPopupTracker()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

CTKPopupTracker::~CTKPopupTracker()
{
    CTKWindowHookMap::Get().RemoveHookFromAll(this);
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

CTKPopupTracker& CTKPopupTracker::Get()
{
    thread_local CTKPopupTracker tracker;
    return tracker;
}

BOOL CTKPopupTracker::IsTracked(const CTKCommandBar* bar) const
{
    return std::find(m_trackedBars.begin(), m_trackedBars.end(), bar) != m_trackedBars.end();
}

void CTKPopupTracker::AddTrackedBar(CTKCommandBar* bar)
{
    if (m_trackedBars.empty() && m_pHotBar && m_pHotBar != bar)
        m_pHotBar->SetSelected(-1, FALSE);
    if (!IsTracked(bar))
        m_trackedBars.push_back(bar);
}

void CTKPopupTracker::RemoveTrackedBar(CTKCommandBar* bar)
{
    auto it = std::find(m_trackedBars.begin(), m_trackedBars.end(), bar);
    if (it == m_trackedBars.end())
        return;
    m_trackedBars.erase(it);
    if (m_trackedBars.empty() && QCoreApplication::instance())
        QCursor::setPos(QCursor::pos());
}

void CTKPopupTracker::CloseTrackedBars()
{
    if (!m_trackedBars.empty())
        m_trackedBars.front()->SetTrackingMode(0, TRUE, FALSE);
}

void CTKPopupTracker::OnBarDestroyed(CTKCommandBar* bar)
{
    if (m_pHotBar == bar)
        m_pHotBar = nullptr;
    RemoveTrackedBar(bar);
}

void CTKPopupTracker::TrackMouseLeave(CWnd* window)
{
    if (window == m_mouseLeaveWindow)
        return;
    if (CWnd* previous = m_mouseLeaveWindow) {
        StopWatching();
        previous->SendMessage(WM_MOUSELEAVE);
    }
    if (!window)
        return;
    m_mouseLeaveWindow = window;
    CTKWindowHookMap::Get().AddHook(window, this);
    window->SetTimer(kTKMouseLeaveTimer, kTKMouseLeavePeriod);
}

void CTKPopupTracker::StopWatching()
{
    CWnd* window = m_mouseLeaveWindow;
    m_mouseLeaveWindow = nullptr;
    if (!window)
        return;
    window->KillTimer(kTKMouseLeaveTimer);
    CTKWindowHookMap::Get().RemoveHook(window, this);
}

int CTKPopupTracker::OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM*, LRESULT*)
{
    if (message != WM_TIMER || *wParam != kTKMouseLeaveTimer || window != m_mouseLeaveWindow)
        return kTKHookNotHandled;
    OnMouseLeaveTimer(window);
    return kTKHookHandled;
}

void CTKPopupTracker::OnMouseLeaveTimer(CWnd* window)
{
    CRect rect;
    window->GetWindowRect(&rect);
    const QPoint cursor = QCursor::pos();
    const BOOL inside = rect.PtInRect(CPoint(cursor.x(), cursor.y()));
    // A popup never takes the activation: the application in the
    // foreground is what counts, not the window itself.
    const BOOL foreground = !window->GetParent() || QApplication::activeWindow() != nullptr;
    if (inside && foreground)
        return;
    StopWatching();
    window->PostMessage(WM_MOUSELEAVE);
}

BOOL CTKPopupTracker::IsInsideTrackedBars(CPoint screenPoint) const
{
    const QWidget* under = QApplication::widgetAt(screenPoint.x, screenPoint.y);
    for (const CTKCommandBar* bar : m_trackedBars) {
        if (!bar->IsWindow())
            continue;
        if (under && (under == bar || bar->isAncestorOf(under)))
            return TRUE;
        CRect rect;
        bar->GetWindowRect(&rect);
        if (rect.PtInRect(screenPoint))
            return TRUE;
    }
    return FALSE;
}

BOOL CTKPopupTracker::OnMouseMessage(UINT message, CPoint screenPoint)
{
    if (!m_trackedBars.empty() && IsMove(message) && screenPoint == m_ptLastMove)
        return TRUE;
    if (IsMove(message))
        m_ptLastMove = screenPoint;
    if (m_trackedBars.empty() || IsInsideTrackedBars(screenPoint))
        return FALSE;
    const BOOL release = message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
    const std::vector<CTKCommandBar*> bars = m_trackedBars;
    for (CTKCommandBar* bar : bars) {
        if (!IsTracked(bar))
            continue;
        if (IsMove(message)) {
            CPoint client = screenPoint;
            bar->ScreenToClient(&client);
            bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
        } else if (IsPress(message) || (release && m_nModalDepth == 0)) {
            bar->SetTrackingMode(0, TRUE, FALSE);
        }
    }
    return FALSE;
}

bool CTKPopupTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (!watched->isWidgetType())
        return false;
    const UINT message = MessageOf(event);
    if (message == 0)
        return false;
    const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    return OnMouseMessage(message, CPoint(global.x(), global.y())) != FALSE;
}
