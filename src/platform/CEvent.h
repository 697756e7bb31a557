#pragma once
// An auto-reset event: SetEvent lets exactly one waiter through (or the next
// one to come) and the event is clear again.

#include "WinTypes.h"

#include <condition_variable>
#include <mutex>

class CEvent {
public:
    explicit CEvent(BOOL initiallySignalled = FALSE) : m_signalled(initiallySignalled != FALSE) {}
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    BOOL SetEvent();
    BOOL ResetEvent();
    // Waits up to timeoutMs for the signal and consumes it; FALSE on time-out.
    BOOL Lock(DWORD timeoutMs);
    BOOL IsSignalled() const;

private:
    mutable std::mutex m_guard;
    std::condition_variable m_cond;
    bool m_signalled;
};
