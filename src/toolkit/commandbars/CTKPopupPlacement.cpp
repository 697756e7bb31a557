#include "CTKPopupPlacement.h"

namespace {

// The vertical middle of the work area; it need not start at 0 (a monitor
// below or above the primary one).
int MiddleOf(const CRect& area)
{
    return area.top + area.Height() / 2;
}

// Vertical placement; may shorten the popup and make it scroll.
void PlaceVertically(TKPOPUPPLACE& place, const CRect& r, const CRect& w)
{
    int& y = place.origin.y;
    int& cy = place.size.cy;
    const BOOL dropDown = (place.flags & kTKPopupDropDown) != 0;
    if (r.Height() == 0 && y > w.bottom) {
        y -= cy;
        return;
    }
    if (y + cy <= w.bottom)
        return;
    if (r.Height() != 0 && dropDown) {
        y = r.top - cy;
        if (y < w.top) {
            place.scrolling = TRUE;
            if ((r.top + r.bottom) / 2 > MiddleOf(w)) {
                y = w.top;
                cy = r.top - w.top;
            } else {
                y = r.bottom;
                cy = w.bottom - r.bottom;
            }
        }
    } else if (r.Height() != 0) {
        y = w.bottom - cy;
    } else if (y >= MiddleOf(w)) {
        y -= cy;
    } else {
        y = w.bottom - cy;
    }
    if (y < w.top)
        y = w.top;
    if (y + cy > w.bottom) {
        place.scrolling = TRUE;
        cy = w.bottom - y;
    }
}

void PlaceHorizontally(TKPOPUPPLACE& place, const CRect& r, const CRect& w)
{
    int& x = place.origin.x;
    const int cx = place.size.cx;
    const BOOL dropDown = (place.flags & kTKPopupDropDown) != 0;
    if (x + cx > w.right) {
        if (r.Width() == 0) {
            x = x > w.right ? x - cx : w.right - cx;
            return;
        }
        x = (dropDown ? w.right : r.left) - cx;
        place.flags |= kTKPopupLeftwards;
        return;
    }
    if (x < w.left && r.Width() != 0) {
        x = dropDown ? w.left : r.right;
        place.flags &= ~kTKPopupLeftwards;
    }
}

} // namespace

TKPOPUPPLACE CTKPopupPlacement::UpdatePosition(CPoint start, CSize size, DWORD flags, const CRect& exclude,
                                               const CRect& workArea)
{
    TKPOPUPPLACE place{start, size, flags, FALSE};
    CRect w = workArea;
    w.bottom -= kTKPopupBottomGap;
    if (flags == (kTKPopupLeftwards | kTKPopupDropDown) && exclude.Width() != 0)
        place.origin.x = exclude.right - size.cx;
    else if ((flags & kTKPopupLeftwards) && exclude.Width() != 0)
        place.origin.x = exclude.left - size.cx;
    PlaceVertically(place, exclude, w);
    PlaceHorizontally(place, exclude, w);
    return place;
}
