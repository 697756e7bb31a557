#include "platform/ui/CHoverTracker.h"

#include "platform/ui/CTimerService.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/WinMessages.h"

CHoverTracker::CHoverTracker(CWnd* owner) : m_owner(owner) {}

void CHoverTracker::Track(UINT flags, CPoint point)
{
    if (!m_owner)
        return;
    m_flags = flags;
    m_point = point;
    m_armed = TRUE;
    CTimerService::Instance().SetTimer(m_owner, kTimerId, kHoverTime);
}

void CHoverTracker::Cancel()
{
    if (!m_armed)
        return;
    m_armed = FALSE;
    if (m_owner)
        CTimerService::Instance().KillTimer(m_owner, kTimerId);
}

BOOL CHoverTracker::OnTimer(UINT_PTR id)
{
    if (id != kTimerId)
        return FALSE;
    Cancel();
    if (m_owner)
        m_owner->SendMessage(WM_MOUSEHOVER, m_flags, MAKELPARAM(m_point.x, m_point.y));
    return TRUE;
}
