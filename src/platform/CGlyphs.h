#pragma once
// The small glyphs that menus, buttons and caption buttons show, drawn
// pixel by pixel so that they look the same on every device: the check
// mark, the four arrows, the close cross, and push and close buttons.

#include "WinTypes.h"

class CDC;

class CGlyphs {
public:
    enum class Arrow { Up, Down, Left, Right };

    // A 7 by 7 check mark, three pixels thick, centred in the rectangle.
    static void DrawCheckMark(CDC* dc, const CRect& rect, COLORREF color);
    // A filled triangle as large as the rectangle allows (height half its
    // base), centred, pointing in the direction given.
    static void DrawArrow(CDC* dc, const CRect& rect, Arrow direction, COLORREF color);
    // Two crossing diagonals two pixels thick in the largest square centred in the rectangle.
    static void DrawCloseCross(CDC* dc, const CRect& rect, COLORREF color);
    // DFC_BUTTON with DFCS_BUTTONPUSH, or DFC_CAPTION with DFCS_CAPTIONCLOSE,
    // in the system colours; DFCS_PUSHED sinks it, DFCS_ADJUSTRECT leaves the
    // face rectangle in *rect. FALSE for other kinds.
    static BOOL DrawFrameControl(CDC* dc, CRect* rect, UINT type, UINT state);
};
