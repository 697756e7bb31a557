#pragma once
// Where an open popup goes on the screen: beside or below the control that
// opened it (the exclusion rectangle), flipped to the other side or pushed
// back when it would leave the work area, and scrolling when it is taller
// than the room it gets.

#include "platform/ui/WinMessages.h"
#include "platform/WinTypes.h"

// Placement flags: the popup opens to the left of its control, below it.
constexpr DWORD kTKPopupLeftwards = 0x01;
constexpr DWORD kTKPopupDropDown = 0x02;

// Pixels kept free above the bottom of the work area.
constexpr int kTKPopupBottomGap = 5;

struct TKPOPUPPLACE {
    CPoint origin;
    CSize size;
    DWORD flags = 0;
    BOOL scrolling = FALSE;
};

class CTKPopupPlacement {
public:
    // start is the point the popup would open at, size its full size, exclude
    // the control's screen rectangle (empty for a context menu at a point).
    static TKPOPUPPLACE UpdatePosition(CPoint start, CSize size, DWORD flags, const CRect& exclude,
                                       const CRect& workArea);
};
