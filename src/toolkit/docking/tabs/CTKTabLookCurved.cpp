#include "toolkit/docking/tabs/CTKTabLookCurved.h"

#include "platform/CDC.h"
#include "toolkit/commandbars/draw/CTKDrawingServices.h"
#include "toolkit/commandbars/draw/ExcludeRectCorners.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"
#include "toolkit/docking/tabs/CTKTabTurn.h"

namespace {

constexpr int kSoftenedPixels = 10;

} // namespace

CRect CTKTabLookCurved::FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    const COLORREF frame = m_renderer->GetColorSet()->frameColor;
    return FillClientFrameLine(dc, rect, tabSet, frame, frame);
}

void CTKTabLookCurved::DrawTab(CDC* dc, CTKTabItem* tab)
{
    CTKTabSet* tabSet = tab->GetTabSet();
    CTKTabColorSet* colors = m_renderer->GetColorSet();
    const int position = tabSet->GetPosition();
    const CTKTabTurn base(tab->GetRect(), position);
    CRect c = base.Canonical();
    c.right += 1;
    const CTKTabTurn turn(base.Rect(c), position);
    c = turn.Canonical();

    CRect saved;
    dc->GetClipBox(&saved);
    const CRect filled = turn.Rect(CRect(c.left, c.top, c.right, c.bottom + 1));
    ExcludeRectCorners(dc, filled.left, filled.top, filled.right, filled.bottom);
    colors->FillTab(dc, filled, tab);
    CRect framed = c;
    if (tabSet->GetSelectedTab() == tab)
        framed.bottom += 1;
    const CRect frame = turn.Rect(framed);
    dc->Draw3dRect(frame, colors->frameColor, colors->frameColor);
    CRgn restore;
    dc->LPtoDP(&saved);
    restore.CreateRectRgnIndirect(saved);
    dc->SelectClipRgn(&restore);

    const int l = c.left;
    const int t = c.top;
    const int r = c.right;
    const CPoint above(0, -1);
    const CPoint left(-1, 0);
    const CPoint right(1, 0);
    const CPoint soft[kSoftenedPixels][2] = {
        {{l, t + 1}, above},     {{l + 1, t}, left},      {{r - 2, t}, right},     {{r - 1, t + 1}, above},
        {{l + 1, t + 1}, left},  {{r - 2, t + 1}, right}, {{l + 2, t + 1}, left},  {{l + 1, t + 2}, above},
        {{r - 3, t + 1}, right}, {{r - 2, t + 2}, above},
    };
    CPoint points[kSoftenedPixels * 2];
    for (int i = 0; i < kSoftenedPixels; ++i) {
        points[2 * i] = turn.Point(soft[i][0]);
        points[2 * i + 1] = turn.Offset(soft[i][1]);
    }
    SoftenShadowPixels(dc, points, kSoftenedPixels * 2);
    DrawLabel(dc, tab, tab->GetRect());
}
