#pragma once
// The points of a parallel branch being drawn with the mouse: down from the
// rung, across, and back up. Each click, snapped to a cell boundary on a
// rung line, is added in turn; the third click completes the path when it
// is back on the first click's row, else the fourth does. The preview shows
// the path so far in black and the part that follows the mouse in red.
// Points are diagram pixels.

#include "platform/WinTypes.h"

class CDC;

class CLDBranchTracker {
public:
    // AddPoint results: the first point, the path down, the path across,
    // the path complete, and a call past completion.
    static constexpr int POINT_START = 1;
    static constexpr int POINT_DOWN = 2;
    static constexpr int POINT_ACROSS = 3;
    static constexpr int POINT_COMPLETE = 4;
    static constexpr int POINT_REFUSED = 5;
    static constexpr COLORREF PATH_COLOR = RGB(0, 0, 0);
    static constexpr COLORREF FOLLOW_COLOR = RGB(250, 0, 0);

    CLDBranchTracker();

    // No points; the mouse position stays.
    void Reset();
    // Takes a snapped point. The start cell is set with the first point, the
    // start and end cells on the first click's row when the path completes.
    int AddPoint(int x, int y, CPoint* startCell, CPoint* endCell);
    void SetMouse(int x, int y);
    // The preview in client pixels for the scroll position.
    void Draw(CDC* dc, int scrollX, int scrollY);
    // A contact symbol one cell wide with its rung line at y, from x.
    void DrawContact(CDC* dc, int x, int y) const;

    int GetCount() const { return m_count; }
    CPoint GetPoint(int index) const { return m_points[index]; }
    CPoint GetMouse() const { return CPoint(m_mouseX, m_mouseY); }

private:
    static constexpr int POINTS = 4;
    void Line(CDC* dc, CPoint from, CPoint to) const;

    int m_mouseX = -1;
    int m_mouseY = -1;
    CPoint m_points[POINTS];
    int m_count = 0;
    int m_cellWidth;
    int m_cellHeight;
    // The scroll position of the preview being drawn.
    CPoint m_scroll;
};
