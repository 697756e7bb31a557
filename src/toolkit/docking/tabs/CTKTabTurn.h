#pragma once
// Turns a tab figure stated for the top position to the tab set's side.
// Figures are drawn in the frame of Canonical(): x runs along the strip,
// y from the outer edge towards the client.

#include "platform/WinTypes.h"

class CTKTabTurn {
public:
    CTKTabTurn(const CRect& actual, int position) : m_actual(actual), m_position(position) {}

    // The tab's rectangle in the top position's frame.
    CRect Canonical() const;
    // A rectangle (right and bottom exclusive) of that frame in device terms.
    CRect Rect(const CRect& canonical) const;
    CRect Rect(int x, int y, int cx, int cy) const { return Rect(CRect(x, y, x + cx, y + cy)); }
    // A pixel of that frame.
    CPoint Point(CPoint canonical) const;
    CPoint Point(int x, int y) const { return Point(CPoint(x, y)); }
    // A one-pixel offset (for pixel averaging) turned the same way.
    CPoint Offset(CPoint offset) const;
    int GetPosition() const { return m_position; }

private:
    CRect m_actual;
    int m_position;
};
