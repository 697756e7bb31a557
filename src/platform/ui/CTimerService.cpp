#include "CTimerService.h"

#include "CWnd.h"

#include <QTimer>

#include <algorithm>

namespace {

// The shortest period a timer runs at, as the window system clamps it.
constexpr UINT kMinimumElapse = 10;

} // namespace

CTimerService& CTimerService::Instance()
{
    static CTimerService service;
    return service;
}

UINT_PTR CTimerService::SetTimer(CWnd* wnd, UINT_PTR id, UINT elapse)
{
    if (id == 0 || !wnd)
        return 0;
    KillTimer(wnd, id);
    Timer timer;
    timer.wnd = wnd;
    timer.id = id;
    timer.elapse = std::max(elapse, kMinimumElapse);
    timer.due = m_now + timer.elapse;
    timer.order = m_nextOrder++;
    if (!m_fake) {
        timer.real = std::make_unique<QTimer>();
        timer.real->setInterval(static_cast<int>(timer.elapse));
        QPointer<CWnd> target(wnd);
        QObject::connect(timer.real.get(), &QTimer::timeout, [target, id] {
            if (target)
                target->SendMessage(WM_TIMER, id);
        });
        timer.real->start();
    }
    m_timers.push_back(std::move(timer));
    return id;
}

BOOL CTimerService::KillTimer(CWnd* wnd, UINT_PTR id)
{
    auto it = Find(wnd, id);
    if (it == m_timers.end())
        return FALSE;
    Stop(*it);
    m_timers.erase(it);
    return TRUE;
}

void CTimerService::KillTimers(CWnd* wnd)
{
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        if (it->wnd != wnd && it->wnd) {
            ++it;
            continue;
        }
        Stop(*it);
        it = m_timers.erase(it);
    }
}

std::size_t CTimerService::GetTimerCount(const CWnd* wnd) const
{
    return static_cast<std::size_t>(
        std::count_if(m_timers.begin(), m_timers.end(), [wnd](const Timer& t) { return t.wnd == wnd; }));
}

void CTimerService::SetFakeClock(BOOL fake)
{
    m_fake = fake;
}

void CTimerService::Advance(UINT ms)
{
    const std::int64_t until = m_now + ms;
    while (Timer* timer = NextDue(until)) {
        m_now = timer->due;
        timer->due += timer->elapse;
        QPointer<CWnd> wnd = timer->wnd;
        UINT_PTR id = timer->id;
        // The handler may kill or start timers: timer is not used after this.
        if (wnd)
            wnd->SendMessage(WM_TIMER, id);
    }
    m_now = until;
}

std::vector<CTimerService::Timer>::iterator CTimerService::Find(const CWnd* wnd, UINT_PTR id)
{
    return std::find_if(m_timers.begin(), m_timers.end(),
                        [wnd, id](const Timer& t) { return t.wnd == wnd && t.id == id; });
}

void CTimerService::Stop(Timer& timer)
{
    if (!timer.real)
        return;
    timer.real->stop();
    // The timer may be the one whose timeout is being delivered.
    timer.real.release()->deleteLater();
}

CTimerService::Timer* CTimerService::NextDue(std::int64_t until)
{
    Timer* next = nullptr;
    for (Timer& t : m_timers) {
        if (t.real || !t.wnd || t.due > until)
            continue;
        if (!next || t.due < next->due || (t.due == next->due && t.order < next->order))
            next = &t;
    }
    return next;
}
