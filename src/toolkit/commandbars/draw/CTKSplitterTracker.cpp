#include "toolkit/commandbars/draw/CTKSplitterTracker.h"

#include "platform/ui/CDragOutline.h"
#include "platform/ui/CTrackingLoop.h"
#include "platform/ui/CWnd.h"

#include <algorithm>

namespace {

// The outline strips are as thick as half the bar, so they fill it.
CSize FillingThickness(const CRect& rect)
{
    return CSize((rect.Width() + 1) / 2, (rect.Height() + 1) / 2);
}

// Clamps into [low, high]; the lower bound wins when the limits cross.
int ClampToLimits(int value, int low, int high)
{
    return std::max(std::min(value, high), low);
}

} // namespace

BOOL CTKSplitterTracker::Track(CWnd* owner, CRect limits, CRect* trackRect, CPoint, BOOL horizontal)
{
    if (owner == nullptr || trackRect == nullptr)
        return FALSE;
    CDragOutline outline;
    outline.DrawDragRect(*trackRect, FillingThickness(*trackRect), nullptr, CSize());

    BOOL accepted = FALSE;
    CTrackingLoop loop(owner);
    loop.SetFilter([&](const MSG& msg) -> BOOL {
        if (msg.message == WM_LBUTTONUP) {
            accepted = TRUE;
            loop.End();
            return TRUE;
        }
        if (msg.message != WM_MOUSEMOVE)
            return FALSE;
        CPoint point(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        owner->ClientToScreen(&point);
        point.x = ClampToLimits(point.x, limits.left, limits.right);
        point.y = ClampToLimits(point.y, limits.top, limits.bottom);
        const CRect last = *trackRect;
        if (horizontal && point.x != trackRect->left)
            trackRect->OffsetRect(point.x - trackRect->left, 0);
        else if (!horizontal && point.y != trackRect->top)
            trackRect->OffsetRect(0, point.y - trackRect->top);
        if (*trackRect != last)
            outline.DrawDragRect(*trackRect, FillingThickness(*trackRect), &last, FillingThickness(last));
        return TRUE;
    });
    loop.Run();
    outline.Hide();
    return accepted;
}
