#pragma once
// Small drawing services of the bars, panes and tabs: window rectangles,
// two-colour gradients, shadow softening and the low-colour test.

#include "platform/CDC.h"
#include "toolkit/commandbars/draw/CTKColorPair.h"

class CWnd;

CRect* MakeEmptyRect(CRect* out);
// The window's screen rectangle; an empty one for no window.
CRect* MakeWindowRect(CRect* out, const CWnd* window);
CRect* MakeClientRect(CRect* out, const CWnd* window);

// TRUE when the device (the screen for nullptr) has 1 to 8 bits per pixel.
BOOL IsLowColorDisplay(const CDC* dc);

// A gradient from the first colour at the left (top) edge towards the
// second, in one-pixel bands over the part of the rectangle not clipped
// away; a solid fill of the first colour when both are equal or on a
// low-colour display.
void GradientFillRect(CDC* dc, const CRect* rect, COLORREF from, COLORREF to, BOOL horizontal);
void GradientFillRectPair(CDC* dc, const CRect* rect, const CTKColorPair* pair, BOOL horizontal);

// The points are pairs (pixel, offset): each pixel becomes the average of
// itself and the pixel at the offset from it.
void SoftenShadowPixels(CDC* dc, const CPoint* points, int count);
