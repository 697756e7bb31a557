#include "toolkit/docking/tabs/CTKTabLookButton.h"

#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

void CTKTabLookButton::DrawTab(CDC* dc, CTKTabItem* tab)
{
    m_renderer->GetColorSet()->FillButtonTab(dc, tab->GetRect(), tab);
    DrawLabel(dc, tab, tab->GetRect());
}
