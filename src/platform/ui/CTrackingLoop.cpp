#include "CTrackingLoop.h"

#include "CWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// Forwards the application's events to the loop while it runs.
class CApplicationWatcher : public QObject {
public:
    explicit CApplicationWatcher(CTrackingLoop* loop) : m_loop(loop) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return m_loop->WatchApplicationEvent(watched, event); }

private:
    CTrackingLoop* m_loop;
};

BOOL IsMouseEvent(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove || type == QEvent::Wheel;
}

} // namespace

CTrackingLoop::CTrackingLoop(CWnd* window, BOOL holdCapture) : m_window(window), m_holdCapture(holdCapture)
{
}

CTrackingLoop::~CTrackingLoop()
{
    Finish(EndReason::Ended);
}

CTrackingLoop::EndReason CTrackingLoop::Run()
{
    if (!m_window)
        return m_reason = EndReason::NoWindow;
    m_reason = EndReason::None;
    HookWindow(m_window);
    m_watcher = std::make_unique<CApplicationWatcher>(this);
    qApp->installEventFilter(m_watcher.get());
    if (m_holdCapture)
        m_window->SetCapture();
    if (m_reason == EndReason::None) {
        m_running = TRUE;
        m_loop.exec();
        m_running = FALSE;
    }
    if (m_reason == EndReason::None)
        m_reason = EndReason::Quit;
    qApp->removeEventFilter(m_watcher.get());
    m_watcher.reset();
    if (m_window) {
        UnhookWindow(m_window);
        if (m_holdCapture && CWnd::GetCapture() == m_window)
            CWnd::ReleaseCapture();
    }
    return m_reason;
}

void CTrackingLoop::Finish(EndReason reason)
{
    if (m_reason != EndReason::None)
        return;
    m_reason = reason;
    if (m_running)
        m_loop.exit(0);
}

int CTrackingLoop::OnHookMessage(CWnd* window, UINT message, WPARAM*, LPARAM* lParam, LRESULT*)
{
    if (m_holdCapture && message == WM_CAPTURECHANGED && reinterpret_cast<CWnd*>(*lParam) != window)
        Finish(EndReason::CaptureLost);
    return 0;
}

void CTrackingLoop::OnWindowDestroyed(CWnd*)
{
    Finish(EndReason::CaptureLost);
}

bool CTrackingLoop::WatchApplicationEvent(QObject* watched, QEvent* event)
{
    if (m_reason != EndReason::None)
        return false;
    QEvent::Type type = event->type();
    auto* widget = qobject_cast<QWidget*>(watched);
    if (type == QEvent::Show && widget && widget->isWindow() && widget->isModal()) {
        Finish(EndReason::ModalDialog);
        return false;
    }
    if (!widget)
        return false;
    if (IsMouseEvent(type) && m_holdCapture)
        return RouteMouse(event);
    if (IsMouseEvent(type)) {
        std::vector<MSG> messages = CWnd::MessagesFromEvent(widget, event);
        return !messages.empty() && messages.front().hwnd && m_filter && m_filter(messages.front());
    }
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    std::vector<MSG> messages = CWnd::MessagesFromEvent(widget, event);
    if (!messages.empty() && m_filter && m_filter(messages.front()))
        return true;
    if (type == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        Finish(EndReason::Escape);
        return true;
    }
    return false;
}

bool CTrackingLoop::RouteMouse(QEvent* event)
{
    if (!m_window)
        return false;
    std::vector<MSG> messages = CWnd::MessagesFromEvent(m_window, event);
    if (messages.empty())
        return true;
    MSG msg = messages.front();
    if (msg.message != WM_MOUSEWHEEL) {
        QPoint local = m_window->mapFromGlobal(QPoint(msg.pt.x, msg.pt.y));
        msg.lParam = MAKELPARAM(local.x(), local.y());
    }
    if (m_filter && m_filter(msg))
        return true;
    m_window->SendMessage(msg.message, msg.wParam, msg.lParam);
    return true;
}
