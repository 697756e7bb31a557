#pragma once
// A lock with an owner, as the PLC link's port and monitor-value locks need:
// the owning thread may take it again (each take needs its release), a
// release by a thread that does not hold it does nothing, and a take waits
// at most the given time.

#include "WinTypes.h"

#include <condition_variable>
#include <mutex>
#include <thread>

class CMutex {
public:
    CMutex() = default;
    CMutex(const CMutex&) = delete;
    CMutex& operator=(const CMutex&) = delete;

    // Waits up to timeoutMs for the lock; TRUE when the calling thread holds it.
    BOOL Lock(DWORD timeoutMs);
    // Gives up one take of the lock; does nothing for a thread that does not hold it.
    BOOL Unlock();
    BOOL IsHeldByCurrentThread() const;

private:
    mutable std::mutex m_guard;
    std::condition_variable m_released;
    std::thread::id m_owner;
    int m_count = 0;
};
