#include "platform/ui/CRedrawLock.h"

#include "platform/ui/CWnd.h"

CRedrawLock::CRedrawLock(CWnd* wnd) : m_wnd(wnd)
{
    if (!m_wnd)
        return;
    m_wasEnabled = m_wnd->updatesEnabled();
    m_wnd->setUpdatesEnabled(false);
}

CRedrawLock::~CRedrawLock()
{
    if (!m_wnd || !m_wasEnabled)
        return;
    m_wnd->setUpdatesEnabled(true);
    m_wnd->update();
}
