#include "toolkit/docking/tabs/CTKTabLookDefault.h"

#include "platform/CDC.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"
#include "toolkit/docking/tabs/CTKTabTurn.h"

namespace {

// How far the selected tab stands out of the row.
constexpr int kSelectedGrowth = 2;
constexpr int kThemedFrameExtra = 2;

} // namespace

CRect CTKTabLookDefault::GetClientMargins() const
{
    CRect margins = m_renderer->GetClientMargins();
    if (!m_renderer->GetColorSet()->IsThemed() || m_renderer->GetClientFrame() != CTKTabRenderer::kFrame3D)
        return margins;
    margins.right += kThemedFrameExtra;
    const int position = m_renderer->GetPosition();
    if (position == CTKTabRenderer::kTop || position == CTKTabRenderer::kLeft)
        margins.bottom += kThemedFrameExtra;
    return margins;
}

CRect CTKTabLookDefault::FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    return FillClientFrame3D(dc, rect, tabSet);
}

void CTKTabLookDefault::DrawTab(CDC* dc, CTKTabItem* tab)
{
    CTKTabSet* tabSet = tab->GetTabSet();
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const int position = tabSet->GetPosition();
    const BOOL selected = tabSet->GetSelectedTab() == tab;
    CRect actual = tab->GetRect();
    CRect label = actual;
    if (selected) {
        const int g = kSelectedGrowth;
        switch (position) {
        case CTKTabRenderer::kLeft:
            actual.left -= g;
            actual.top -= g;
            actual.bottom += g;
            break;
        case CTKTabRenderer::kBottom:
        case CTKTabRenderer::kRight:
            actual.InflateRect(g, g);
            break;
        default:
            actual.left -= g;
            actual.top -= g;
            actual.right += g;
            break;
        }
        label = actual;
        if (position == CTKTabRenderer::kBottom)
            label.bottom += g;
        if (position == CTKTabRenderer::kRight)
            label.right += g;
    }
    const CTKTabTurn turn(actual, position);
    const CRect c = turn.Canonical();
    const int l = c.left;
    const int t = c.top;
    const int r = c.right;
    const int b = c.bottom;
    const COLORREF fill = colors->FillTab(dc, turn.Rect(CRect(l + 1, t + 1, r - 1, b - 1)), tab);
    FillEdge(dc, turn.Rect(l, t + 2, 1, b - t - 2), colors->light3D);
    FillEdge(dc, turn.Rect(l + 1, t + 1, 1, 1), colors->light3D);
    FillEdge(dc, turn.Rect(l + 2, t, r - l - 4, 1), colors->light3D);
    FillEdge(dc, turn.Rect(r - 2, t + 1, 1, 1), colors->darkShadow3D);
    FillEdge(dc, turn.Rect(r - 1, t + 2, 1, b - t - 3), colors->darkShadow3D);
    FillEdge(dc, turn.Rect(r - 2, t + 2, 1, b - t - 3), colors->shadow3D);
    if (selected)
        FillEdge(dc, turn.Rect(l + 1, b - 1, r - l - 3, 1), fill);
    DrawLabel(dc, tab, label);
}
