#include "CMutex.h"

#include <chrono>

BOOL CMutex::Lock(DWORD timeoutMs)
{
    std::unique_lock<std::mutex> guard(m_guard);
    const auto self = std::this_thread::get_id();
    if (m_count > 0 && m_owner == self) {
        ++m_count;
        return TRUE;
    }
    const bool free = m_released.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                                          [this] { return m_count == 0; });
    if (!free)
        return FALSE;
    m_owner = self;
    m_count = 1;
    return TRUE;
}

BOOL CMutex::Unlock()
{
    std::lock_guard<std::mutex> guard(m_guard);
    if (m_count == 0 || m_owner != std::this_thread::get_id())
        return FALSE;
    if (--m_count == 0) {
        m_owner = std::thread::id();
        m_released.notify_one();
    }
    return TRUE;
}

BOOL CMutex::IsHeldByCurrentThread() const
{
    std::lock_guard<std::mutex> guard(m_guard);
    return m_count > 0 && m_owner == std::this_thread::get_id();
}
