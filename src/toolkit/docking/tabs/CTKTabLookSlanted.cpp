#include "toolkit/docking/tabs/CTKTabLookSlanted.h"

#include "platform/CDC.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"
#include "toolkit/docking/tabs/CTKTabTurn.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kFillPoints = 4;
constexpr int kOutlinePoints = 7;
constexpr int kFirstInnerPoints = 3;
constexpr int kSecondInnerPoints = 4;

// A polyline through points of the top position's frame.
void DrawTurnedPolyline(CDC* dc, const CTKTabTurn& turn, COLORREF color, const CPoint* points, int count)
{
    if (color == CTKTabLook::kNoColor)
        return;
    CPoint turned[kOutlinePoints];
    for (int i = 0; i < count; ++i)
        turned[i] = turn.Point(points[i]);
    CPen pen(PS_SOLID, 1, color);
    CTKDCSelectGuard select(dc, &pen);
    dc->Polyline(turned, count);
}

} // namespace

CRect CTKTabLookSlanted::GetTabAreaMargins() const
{
    CRect margins = m_margins;
    margins.left += m_textHeight;
    return margins;
}

CRect CTKTabLookSlanted::FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    const COLORREF frame = m_renderer->GetColorSet()->slantShadow[1];
    return FillClientFrameLine(dc, rect, tabSet, frame, frame);
}

void CTKTabLookSlanted::DrawTab(CDC* dc, CTKTabItem* tab)
{
    CTKTabSet* tabSet = tab->GetTabSet();
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const int position = tabSet->GetPosition();
    const BOOL selected = tabSet->GetSelectedTab() == tab;
    const CTKTabTurn turn(tab->GetRect(), position);
    const CRect c = turn.Canonical();
    const int l = c.left;
    const int t = c.top;
    const int r = c.right;
    const int b = c.bottom;
    const int h = b - t;

    const CPoint fill[kFillPoints] = {{r - 1, b - 1}, {r - 1, t + 2}, {l + 4, t + 2}, {l + 8 - h, b - 2}};
    CPoint turnedFill[kFillPoints];
    for (int i = 0; i < kFillPoints; ++i)
        turnedFill[i] = turn.Point(fill[i]);
    const COLORREF fillColor = FillTabPolygon(dc, tab, turnedFill, kFillPoints, position, TRUE);

    const COLORREF outline = selected ? colors->slantShadow[1] : colors->slantShadow[0];
    const COLORREF firstInner = selected ? kWhite : colors->slantFace[0];
    const COLORREF secondInner = selected ? kWhite : colors->slantFace[1];
    const CPoint edge[kOutlinePoints] = {{r, b - 2},     {r, t + 2},         {r - 2, t},         {l + 7, t},
                                         {l + 2, t + 2}, {l + 6 - h, b - 2}, {l + 4 - h, b - 2}};
    DrawTurnedPolyline(dc, turn, outline, edge, kOutlinePoints);
    const CPoint inner1[kFirstInnerPoints] = {{r - 1, b - 2}, {r - 1, t + 2}, {r - 3, t}};
    DrawTurnedPolyline(dc, turn, firstInner, inner1, kFirstInnerPoints);
    const CPoint inner2[kSecondInnerPoints] = {{r - 3, t + 1}, {l + 6, t + 1}, {l + 1, t + 4}, {l + 6 - h, b - 1}};
    DrawTurnedPolyline(dc, turn, secondInner, inner2, kSecondInnerPoints);
    if (selected)
        FillEdge(dc, turn.Rect(l + 5 - h, b - 1, r - l + h - 4, 1), fillColor);
    DrawLabel(dc, tab, tab->GetRect());
}
