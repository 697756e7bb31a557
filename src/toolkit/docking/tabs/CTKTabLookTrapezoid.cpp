#include "toolkit/docking/tabs/CTKTabLookTrapezoid.h"

#include "platform/CDC.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"
#include "toolkit/docking/tabs/CTKTabTurn.h"

namespace {

constexpr int kFillPoints = 4;

} // namespace

CRect CTKTabLookTrapezoid::GetTabAreaMargins() const
{
    CRect margins = m_margins;
    margins.left += m_textHeight / 2;
    margins.right += m_textHeight / 2;
    return margins;
}

CRect CTKTabLookTrapezoid::FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    const COLORREF frame = m_renderer->GetColorSet()->frameColor;
    return FillClientFrameLine(dc, rect, tabSet, frame, frame);
}

void CTKTabLookTrapezoid::DrawTab(CDC* dc, CTKTabItem* tab)
{
    CTKTabSet* tabSet = tab->GetTabSet();
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const int position = tabSet->GetPosition();
    const BOOL selected = tabSet->GetSelectedTab() == tab;
    const CTKTabTurn turn(tab->GetRect(), position);
    const CRect c = turn.Canonical();
    const int t = c.top;
    const int b = c.bottom - 1;
    const int half = (b - t) / 2;
    const int l = c.left - half / 2;
    const int r = c.right - half / 2;

    const CPoint fill[kFillPoints] = {{l, b}, {l + half, b - 2 * half}, {r, b - 2 * half}, {r + half, b}};
    CPoint turnedFill[kFillPoints];
    for (int i = 0; i < kFillPoints; ++i)
        turnedFill[i] = turn.Point(fill[i]);
    const COLORREF fillColor = FillTabPolygon(dc, tab, turnedFill, kFillPoints, position, TRUE);

    const COLORREF* group = selected ? colors->selectedOutline : colors->outline;
    auto line = [&](int index, CPoint from, CPoint to) {
        const CPoint a = turn.Point(from);
        const CPoint z = turn.Point(to);
        DrawLine(dc, group[index], a.x, a.y, z.x, z.y);
    };
    line(3, {l + 1, b - 1}, {l + half + 1, t});
    line(3, {l + half, t + 1}, {r, t + 1});
    line(4, {r - 1, t}, {r + half - 1, b});
    line(0, {l, b - 1}, {l + half, t});
    line(0, {l + half, t}, {r, t});
    line(2, {r, t}, {r + half, b});
    if (selected)
        FillEdge(dc, turn.Rect(l, b, r - l + half, 1), fillColor);
    DrawLabel(dc, tab, turn.Rect(CRect(l, c.top, r, c.bottom)));
}
