#include "toolkit/docking/tabs/CTKTabLookFlat.h"

#include "platform/CDC.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"
#include "toolkit/docking/tabs/CTKTabTurn.h"

namespace {

constexpr int kSeparatorInset = 2;

} // namespace

CRect CTKTabLookFlat::FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    return FillClientFrameLine(dc, rect, tabSet, colors->lightColor, colors->selectedTextColor);
}

void CTKTabLookFlat::DrawTab(CDC* dc, CTKTabItem* tab)
{
    CTKTabSet* tabSet = tab->GetTabSet();
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const CRect rect = tab->GetRect();
    const CTKTabTurn turn(rect, tabSet->GetPosition());
    const CRect c = turn.Canonical();
    if (tabSet->GetSelectedTab() == tab) {
        colors->FillTab(dc, rect, tab);
        dc->Draw3dRect(turn.Rect(CRect(c.left, c.top, c.right, c.bottom + 1)), colors->lightColor,
                       colors->selectedTextColor);
    } else {
        FillEdge(dc, turn.Rect(c.right, c.top + kSeparatorInset, 1, c.Height() - 2 * kSeparatorInset),
                 colors->frameColor);
    }
    DrawLabel(dc, tab, rect);
}
