#include "toolkit/commandbars/CTKToolBarsMenuItem.h"

#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKPopupTracker.h"

CTKToolBarsMenuItem::CTKToolBarsMenuItem(CTKCommandBars* commandBars, int barIndex) : m_pCommandBars(commandBars)
{
    m_dwTag = static_cast<DWORD>(barIndex);
    m_dwFlags = kTKFlagNoUpdate;
}

void CTKToolBarsMenuItem::Execute()
{
    CTKPopupTracker::Get().CloseTrackedBars();
    if (m_pCommandBars)
        m_pCommandBars->ToggleBarVisible(static_cast<int>(m_dwTag));
}
