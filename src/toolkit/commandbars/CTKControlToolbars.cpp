#include "toolkit/commandbars/CTKControlToolbars.h"

#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/CTKToolBarsMenuItem.h"

IMPLEMENT_SERIAL(CTKControlToolbars, CTKControlButton, 0x80000006)

CTKControlToolbars::CTKControlToolbars()
{
    m_nId = kTKToolbarsListId;
}

void CTKControlToolbars::OnCalcDynamicSize(DWORD)
{
    RemoveFollowing([](const CTKControl* control) { return control->GetParameter() == kTKToolbarItemParameter; });
    if (ShowPlaceholderForCustomising())
        return;
    CTKCommandBars* commandBars = m_pParent ? m_pParent->GetCommandBars() : nullptr;
    if (!commandBars)
        return;
    int before = m_nIndex + 1;
    for (int i = 0; i < commandBars->GetCount(); ++i) {
        const CTKToolBar* bar = commandBars->GetBarAt(i);
        if (bar->GetType() != kTKBarToolbar)
            continue;
        auto* item = new CTKToolBarsMenuItem(commandBars, i);
        m_pControls->InsertControl(item, m_nId, kTKToolbarItemParameter, before++, TRUE);
        item->SetCaption(bar->GetBarTitle());
        item->SetFlags(kTKListItemFlags);
        item->SetChecked(bar->IsVisible());
    }
}
