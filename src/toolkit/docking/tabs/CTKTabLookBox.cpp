#include "toolkit/docking/tabs/CTKTabLookBox.h"

#include "platform/CDC.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"
#include "toolkit/docking/tabs/CTKTabTurn.h"

CRect CTKTabLookBox::FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    const COLORREF frame = m_renderer->GetColorSet()->frameColor;
    return FillClientFrameLine(dc, rect, tabSet, frame, frame);
}

void CTKTabLookBox::DrawTab(CDC* dc, CTKTabItem* tab)
{
    CTKTabSet* tabSet = tab->GetTabSet();
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const CTKTabTurn turn(tab->GetRect(), tabSet->GetPosition());
    CRect c = turn.Canonical();
    c.right += 1;
    colors->FillTab(dc, turn.Rect(c), tab);
    if (tabSet->GetSelectedTab() == tab)
        c.bottom += 1;
    const CRect frame = turn.Rect(c);
    dc->Draw3dRect(frame, colors->frameColor, colors->frameColor);
    DrawLabel(dc, tab, tab->GetRect());
}
