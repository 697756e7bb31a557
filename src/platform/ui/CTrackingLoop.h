#pragma once
// A nested modal loop for dragging and popup tracking: it holds the mouse
// capture for its window and runs until the tracker ends it, until Escape
// is pressed, until the window loses the capture, until a modal dialog
// appears, or until the application quits (the quit still ends the main
// loop afterwards). While it runs, every mouse message goes to the window
// in the window's client coordinates, as with the capture, and key and
// mouse messages are first offered to the tracker's filter. A loop made
// without the capture (popup menus) leaves the mouse where it is: its
// filter sees the messages of the window under the mouse, and capture
// changes do not end it.

#include "platform/ui/CWindowHook.h"

#include <QEventLoop>

#include <functional>
#include <memory>

class CTrackingLoop : public CWindowHook {
public:
    enum class EndReason { None, Ended, Escape, CaptureLost, ModalDialog, Quit, NoWindow };
    // TRUE eats the message.
    using Filter = std::function<BOOL(const MSG& msg)>;

    explicit CTrackingLoop(CWnd* window, BOOL holdCapture = TRUE);
    ~CTrackingLoop() override;

    void SetFilter(Filter filter) { m_filter = std::move(filter); }
    EndReason Run();
    // Ends the loop (the tracker's own end: button released, item chosen).
    void End() { Finish(EndReason::Ended); }
    BOOL IsRunning() const { return m_running; }
    EndReason GetEndReason() const { return m_reason; }
    CWnd* GetWindow() const { return m_window; }

    // Application-wide watch of keys, mouse and modal dialogs during the loop.
    bool WatchApplicationEvent(QObject* watched, QEvent* event);

protected:
    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override;
    void OnWindowDestroyed(CWnd* window) override;

private:
    void Finish(EndReason reason);
    bool RouteMouse(QEvent* event);

    QPointer<CWnd> m_window;
    QEventLoop m_loop;
    Filter m_filter;
    std::unique_ptr<QObject> m_watcher;
    EndReason m_reason = EndReason::None;
    BOOL m_holdCapture;
    BOOL m_running = FALSE;
};
