#pragma once
// The window timers of the user-interface thread: WM_TIMER reaches a window
// every elapse milliseconds until the timer is killed or the window is
// destroyed. Tests switch to a fake clock and move it on with Advance; the
// timers that fall due fire then in time order, and no real timer runs.

#include "platform/ui/WinMessages.h"

#include <QPointer>

#include <cstdint>
#include <memory>
#include <vector>

class CWnd;
class QTimer;

class CTimerService {
public:
    static CTimerService& Instance();

    // Starts (or restarts) timer id of the window; 0 when id is 0.
    UINT_PTR SetTimer(CWnd* wnd, UINT_PTR id, UINT elapse);
    BOOL KillTimer(CWnd* wnd, UINT_PTR id);
    void KillTimers(CWnd* wnd);
    std::size_t GetTimerCount(const CWnd* wnd) const;

    // Timers started while the fake clock runs wait for Advance.
    void SetFakeClock(BOOL fake);
    BOOL IsFakeClock() const { return m_fake; }
    // Moves the fake clock on, sending WM_TIMER for every timer falling due.
    void Advance(UINT ms);

private:
    struct Timer {
        QPointer<CWnd> wnd;
        UINT_PTR id = 0;
        UINT elapse = 0;
        std::int64_t due = 0;
        std::uint64_t order = 0;
        std::unique_ptr<QTimer> real;
    };

    CTimerService() = default;
    std::vector<Timer>::iterator Find(const CWnd* wnd, UINT_PTR id);
    void Stop(Timer& timer);
    Timer* NextDue(std::int64_t until);

    std::vector<Timer> m_timers;
    std::int64_t m_now = 0;
    std::uint64_t m_nextOrder = 0;
    BOOL m_fake = FALSE;
};
