#include "CEvent.h"

#include <chrono>

BOOL CEvent::SetEvent()
{
    std::lock_guard<std::mutex> guard(m_guard);
    m_signalled = true;
    m_cond.notify_one();
    return TRUE;
}

BOOL CEvent::ResetEvent()
{
    std::lock_guard<std::mutex> guard(m_guard);
    m_signalled = false;
    return TRUE;
}

BOOL CEvent::Lock(DWORD timeoutMs)
{
    std::unique_lock<std::mutex> guard(m_guard);
    if (!m_cond.wait_for(guard, std::chrono::milliseconds(timeoutMs), [this] { return m_signalled; }))
        return FALSE;
    m_signalled = false;
    return TRUE;
}

BOOL CEvent::IsSignalled() const
{
    std::lock_guard<std::mutex> guard(m_guard);
    return m_signalled;
}
