#pragma once
// A clipping region in device units: the union of rectangles.

#include "WinTypes.h"

#include <vector>

class CRgn {
public:
    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateRectRgnIndirect(const CRect& rect) { return CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom); }
    // Adds a rectangle to the union; an empty rectangle adds nothing.
    void AddRect(const CRect& rect);
    void OffsetRgn(int dx, int dy);
    // Keeps only what lies inside the rectangle.
    void IntersectRect(const CRect& rect);
    // Removes the rectangle from the region.
    void SubtractRect(const CRect& rect);

    BOOL PtInRegion(int x, int y) const;
    // Bounding box; empty for an empty region.
    CRect GetRgnBox() const;
    BOOL IsEmpty() const { return m_rects.empty(); }
    const std::vector<CRect>& GetRects() const { return m_rects; }

private:
    std::vector<CRect> m_rects;
};
