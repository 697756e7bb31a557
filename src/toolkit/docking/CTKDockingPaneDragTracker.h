#pragma once
// The modal drag of a pane, a container or a floating frame's group. While
// the mouse moves it shows where the node would go: a frame outline where
// it would float, half of a container, of the client area or of the whole
// docked area where it would dock, or a tab-shaped outline over a
// container's caption where it would join as a tab. Ctrl held floats only;
// Escape cancels. The drop asks the host to move the node and announces
// the action for every pane. Coordinates are screen coordinates.

#include "platform/WinTypes.h"
#include "platform/ui/CDragOutline.h"

#include <QRegion>

#include <vector>

class CTKDockingPaneHost;
class CTKDockingPaneNode;
class CTKDockingPaneItem;
class CWnd;

class CTKDockingPaneDragTracker {
public:
    static constexpr int kStartThreshold = 4;
    static constexpr int kEdgeBand = 20;
    static constexpr int kOutlineThickness = 4;
    static constexpr int kTabHeight = 20;
    static constexpr int kTabInset = 5;
    static constexpr int kTabWidth = 50;

    explicit CTKDockingPaneDragTracker(CTKDockingPaneHost* host);

    // Drags node from the press point until the button is released or the drag ends.
    void Track(CTKDockingPaneNode* node, int x, int y);

    // The edge of rect nearest to the point within the edge band (top,
    // bottom, left, right; an earlier edge wins ties) and the half of rect it
    // stands for. Inside: the point must lie in rect; outside: on or beyond the edge.
    static BOOL ChooseSide(const CRect& rect, int x, int y, BOOL inside, int* side, CRect* preview);
    // The outline of rect: a 4-pixel frame, or a body with a tab below it
    // whose shared line is open; empty when erasing.
    static QRegion Outline(const CRect& rect, BOOL tab, BOOL erase);

    // The drag's first steps without the loop: the floating rectangle and whether the node may float.
    void Prepare(CTKDockingPaneNode* node, int x, int y);
    // Re-evaluates the target for a pointer position; ctrl keeps it floating.
    void Move(int x, int y, BOOL ctrl);
    void FindTarget(int x, int y);
    BOOL TestSides(const CRect& rect, int x, int y, CTKDockingPaneNode* node, BOOL inside);
    // Performs the drop (after a real drag) and announces it.
    void Drop();

    CTKDockingPaneNode* GetTarget() const { return m_target; }
    CRect GetTargetRect() const { return m_targetRect; }
    CRect GetFloatRect() const { return m_floatRect; }
    int GetSide() const { return m_side; }
    BOOL IsAttach() const { return m_attach; }
    BOOL CanFloat() const { return m_canFloat; }
    BOOL IsStarted() const { return m_started; }
    CRect GetDrawnRect() const { return m_drawnRect; }
    BOOL IsDrawnTab() const { return m_drawnTab; }
    const CDragOutline& GetOutline() const { return m_outline; }

private:
    void BeginDrag();
    void EndDrag();
    void Draw(BOOL erase);
    // The panes of the dragged node (the node itself when it is a pane).
    std::vector<CTKDockingPaneItem*> DraggedPanes() const;
    // TRUE when the frame refuses the action for one of the dragged panes.
    BOOL RefusedForAny(int action, CTKDockingPaneNode* target, int extra) const;
    // The window that holds the capture while the node is dragged.
    CWnd* DragWindow() const;

    int m_lastX = 0;
    int m_lastY = 0;
    int m_pressX = 0;
    int m_pressY = 0;
    BOOL m_started = FALSE;
    CRect m_floatRect;
    CTKDockingPaneNode* m_dragged = nullptr;
    CTKDockingPaneNode* m_target = nullptr;
    CRect m_targetRect;
    BOOL m_drawnTab = FALSE;
    BOOL m_attach = FALSE;
    BOOL m_canFloat = TRUE;
    CRect m_drawnRect;
    int m_side = 0;
    CTKDockingPaneHost* m_host;
    CDragOutline m_outline;
};
