#pragma once
// Drags a control between command bars while the bars are customised: a
// drop on a bar moves the control there, or copies it with Ctrl held (or
// always when the caller asks for a copy, as the Commands page does); a
// drop away from every bar tells the caller to delete it. Escape, the right
// button, the loss of the mouse capture and the application's end cancel.
// Bars register as drop targets; where bars overlap, the one registered
// last takes the control.

#include "platform/WinTypes.h"

#include <vector>

class CTKCommandBar;
class CTKCommandBars;
class CTKControl;
class CWnd;

class CTKControlDragTracker {
public:
    // Results of Track.
    static constexpr int kDroppedAway = 0;
    static constexpr int kCopied = 1;
    static constexpr int kMoved = 2;
    static constexpr int kNothing = 5;
    // The context menu of a customised control.
    static constexpr UINT kContextMenu = 9336;
    // Cursors of the drag.
    static constexpr UINT kCopyCursor = 9301;
    static constexpr UINT kMoveCursor = 9302;
    static constexpr UINT kNoDropCursor = 9303;

    explicit CTKControlDragTracker(CTKCommandBars* owner);
    virtual ~CTKControlDragTracker();

    void AddDropTarget(CTKCommandBar* bar);
    // Removes every entry of the bar.
    void RemoveDropTarget(CTKCommandBar* bar);
    const std::vector<CTKCommandBar*>& GetDropTargets() const { return m_targets; }
    // The open customise sheet, which holds the mouse during a drag; null
    // when none is open (the frame holds it then).
    void SetCustomizeWindow(CWnd* window) { m_pCustomizeWindow = window; }
    CWnd* GetCustomizeWindow() const { return m_pCustomizeWindow; }

    // Opens the context menu of the customise selection at the screen
    // point: its items ask the sheet for their controls, their commands go
    // to the sheet.
    void ShowCustomizeContextMenu(CWnd* sheet, int x, int y);

    // Runs the drag of the control from the cursor's place until the drop
    // or the cancel; one of the results above.
    int Track(CTKControl* control, BOOL copyOnly);

    // The steps of the drag, at screen points.
    void Begin(CTKControl* control, BOOL copyOnly, CPoint start);
    void MouseStep(CPoint point, BOOL ctrl);
    // Ctrl pressed (TRUE) or released (FALSE) during the drag.
    void CtrlKey(BOOL down);
    // The drop at the point: the result, after the target bar took the control.
    int Drop(CPoint point);
    // The drag ends without a drop: kNothing.
    int Cancel();

    CTKCommandBar* GetCurrentTarget() const { return m_pTarget; }
    BOOL IsMoving() const { return m_bMove; }
    // The cursor that shows the drag's state now.
    UINT GetCursorId() const;

private:
    void FindTarget(CPoint point);
    void LeaveTarget();
    void UpdateCursor() const;

    CTKControl* m_pControl = nullptr;
    BOOL m_bMove = FALSE;
    BOOL m_bCopyOnly = FALSE;
    BOOL m_bMoved = FALSE;
    CTKCommandBar* m_pTarget = nullptr;
    CWnd* m_pCustomizeWindow = nullptr;
    CPoint m_ptStart;
    std::vector<CTKCommandBar*> m_targets;
    CTKCommandBars* m_pOwner;
    BOOL m_bTracking = FALSE;
};
