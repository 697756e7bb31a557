#pragma once
// What an editor asks of the view that shows it: repainting, the scroll
// bars' positions, the scroll sizes and scroll requests.

#include "platform/WinTypes.h"

// Scroll bars and the scroll codes an editor posts and receives (left
// and right share the up and down codes).
constexpr int POU_SCROLL_HORZ = 0;
constexpr int POU_SCROLL_VERT = 1;
constexpr int POU_SCROLL_LINEUP = 0;
constexpr int POU_SCROLL_LINEDOWN = 1;
constexpr int POU_SCROLL_PAGEUP = 2;
constexpr int POU_SCROLL_PAGEDOWN = 3;
constexpr int POU_SCROLL_THUMBTRACK = 5;
constexpr int POU_SCROLL_TOP = 6;
constexpr int POU_SCROLL_BOTTOM = 7;

class IPOUEditorView {
public:
    virtual ~IPOUEditorView() = default;
    virtual BOOL TriggerRepaint() = 0;
    // The position of a scroll bar: the thumb's while it is dragged (tracking), else the bar's; 0 when unknown.
    virtual int GetScrollPosition(int bar, BOOL tracking) const = 0;
    virtual void SetScrollPosition(int bar, int position, BOOL redraw) = 0;
    virtual void ExtendScrollSizes(int width, int height) = 0;
    // Posts one scroll step to the view itself.
    virtual void PostScroll(int bar, int code) = 0;
};
