#pragma once
// Hover notification for one window: each mouse move re-arms a timer of the
// window, and when the pointer has rested for the hover time the window
// gets WM_MOUSEHOVER (wParam the key flags, lParam the point). The window
// passes its WM_TIMER through OnTimer first. Runs on the timer service, so
// a test's fake clock drives it.

#include "platform/ui/WinMessages.h"

#include <QPointer>

class CWnd;

class CHoverTracker {
public:
    static constexpr UINT_PTR kTimerId = 0xFFF1;
    static constexpr UINT kHoverTime = 400;

    explicit CHoverTracker(CWnd* owner);

    // Arms (or re-arms) the notification for a point in client coordinates.
    void Track(UINT flags, CPoint point);
    void Cancel();
    // TRUE when the timer was the hover timer; sends WM_MOUSEHOVER then.
    BOOL OnTimer(UINT_PTR id);
    BOOL IsArmed() const { return m_armed; }

private:
    QPointer<CWnd> m_owner;
    CPoint m_point;
    UINT m_flags = 0;
    BOOL m_armed = FALSE;
};
