#pragma once
// Moves a toolbar between the frame's dock bars and the floating state
// while the mouse drags it, resizes a floating toolbar by its edges,
// toggles docked and floating on a double click, and remembers the last
// docked place and floating position for that toggle and the saved state.

#include "platform/ui/CWnd.h"

class CFrameWnd;
class CTKToolBar;

// Shifts the rectangle by the least amount that brings the point inside it.
void MoveRectToIncludePoint(CRect* rect, int x, int y);

class CTKBarDragTracker {
public:
    // Moving; any other mode is the hit-test code of the edge being dragged.
    static constexpr int kModeMove = 1;

    explicit CTKBarDragTracker(CTKToolBar* bar);

    void TrackMove(int x, int y);
    void TrackResize(int hitCode, int x, int y);
    BOOL ToggleDocking();

    // One mouse step of the loops, at a screen point.
    void MoveStep(int x, int y);
    void ResizeStep(int x, int y);
    // What TrackMove and TrackResize set up before their loop and keep after it.
    void BeginMove(int x, int y);
    void EndMove();
    void BeginResize(int hitCode, int x, int y);
    void EndResize();

    int GetMRUDockId() const { return m_nMRUDockId; }
    void SetMRUDockId(int id) { m_nMRUDockId = id; }
    const CRect& GetMRUDockRect() const { return m_rcMRUDock; }
    void SetMRUDockRect(const CRect& rect) { m_rcMRUDock = rect; }
    CPoint GetMRUFloatPosition() const { return m_ptMRUFloat; }
    void SetMRUFloatPosition(CPoint point) { m_ptMRUFloat = point; }

private:
    void RunLoop();

    CTKToolBar* m_pBar;
    CFrameWnd* m_pFrame;
    int m_nMode = kModeMove;
    CPoint m_ptLast;
    int m_nMRUDockId = 0;
    CRect m_rcMRUDock;
    CPoint m_ptMRUFloat;
    CRect m_rcDocking;
    CRect m_rcFloating;
    // What the move started from, put back when the bar ends up floating.
    int m_nStartDockId = 0;
    CRect m_rcStartDock;
    BOOL m_bStartedFloating = FALSE;
};
