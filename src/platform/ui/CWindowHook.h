#pragma once
// Sees another window's messages before the window does: the hook is an
// event filter on the window and is offered every message the window gets,
// sent or posted, including the messages of its Qt input, paint and size
// events. Hooks attached later see a message first. The answer of
// OnHookMessage: 0 not handled (go on), 1 handled (the window never sees
// the message and *result is the answer), 2 not handled and hidden from the
// hooks attached before this one. A hook may change *wParam and *lParam;
// the changed values reach the window. For the window's own handling of a
// message the hook wraps, call CWnd::WindowProc.

#include "platform/ui/WinMessages.h"

#include <QObject>
#include <QPointer>

#include <vector>

class CWindowHook : public QObject {
public:
    CWindowHook() = default;
    ~CWindowHook() override;

    // Attaching twice, or removing a hook that is not attached, does nothing.
    BOOL HookWindow(CWnd* window);
    BOOL UnhookWindow(CWnd* window);
    void UnhookAll();
    BOOL IsHooked(const CWnd* window) const;

protected:
    virtual int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) = 0;
    // The window is being destroyed (WM_NCDESTROY); the hook has already left it.
    virtual void OnWindowDestroyed(CWnd* window);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPointer<CWnd>> m_windows;
};
