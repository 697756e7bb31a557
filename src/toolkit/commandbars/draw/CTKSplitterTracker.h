#pragma once
// The modal drag of splitters and resize bars: a halftone bar follows the
// mouse inside the limits (screen coordinates) until the button is released
// (accepted) or Escape is pressed (not accepted).

#include "platform/WinTypes.h"

class CWnd;

class CTKSplitterTracker {
public:
    // trackRect holds the last shown position; the caller applies it only
    // when the drag was accepted. A horizontal drag moves the bar sideways.
    BOOL Track(CWnd* owner, CRect limits, CRect* trackRect, CPoint scratch, BOOL horizontal);
};
