#include "toolkit/docking/tabs/CTKTabLookClassicHot.h"

#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

void CTKTabLookClassicHot::DrawTab(CDC* dc, CTKTabItem* tab)
{
    const CTKTabSet* tabSet = tab->GetTabSet();
    if (tabSet->GetSelectedTab() == tab || tabSet->GetHotTab() == tab) {
        CTKTabLookDefault::DrawTab(dc, tab);
        return;
    }
    DrawLabel(dc, tab, tab->GetRect());
}
