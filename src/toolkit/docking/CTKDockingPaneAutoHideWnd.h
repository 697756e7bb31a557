#pragma once
// The sliding window of an auto-hide strip: it slides an auto-hidden
// container out over the docked area in 8 steps of 16 ms, checks every
// 100 ms whether the pointer or the focus is still with it, and slides back
// after 6 checks away. The 4-pixel band on the side away from the strip is
// a grip that resizes the pane. It deletes itself once closed.

#include "platform/ui/CFrameWnd.h"

#include <QPointer>

class CTKDockingPaneAutoHideStrip;
class CTKDockingPaneTabbedContainer;

class CTKDockingPaneAutoHideWnd : public CFrameWnd {
public:
    enum Timer : UINT_PTR { kTimerCheck = 1, kTimerSlideOut = 2, kTimerSlideBack = 3, kTimerClose = 4 };
    static constexpr UINT kStepMs = 16;
    static constexpr UINT kDurationMs = 128;
    static constexpr UINT kCheckMs = 100;
    static constexpr UINT kCloseDelayMs = 50;
    static constexpr int kAwayChecks = 6;
    static constexpr int kGrip = 4;
    static constexpr UINT kCursorHorizontal = 9970;
    static constexpr UINT kCursorVertical = 9971;

    CTKDockingPaneAutoHideWnd(CTKDockingPaneAutoHideStrip* strip, CTKDockingPaneTabbedContainer* container);
    ~CTKDockingPaneAutoHideWnd() override;

    // The rectangle of a step k (0-based) of steps for a side, sliding out of target.
    static CRect StepRect(const CRect& target, int side, int step, int steps);
    // The fully slid-out rectangle: the docked area cut to the pane's extent from the strip side.
    static CRect CutToExtent(const CRect& area, int side, int extent);
    // The resize grip of a window rectangle: the band away from the strip.
    static CRect GripRect(const CRect& window, int side);

    // Hides the window, hands the container back to the frame and closes.
    void Hide();
    // Gives the container back without closing at once (the delayed close).
    void DetachContainer();
    // The 100-ms check: pointer or focus inside keeps the window out.
    void CheckPointer();
    void RecalcLayout(BOOL notify = TRUE) override;

    CTKDockingPaneTabbedContainer* GetContainer() const { return m_container; }
    int GetStep() const { return m_step; }
    int GetSteps() const { return m_steps; }
    BOOL IsClosing() const { return m_closing; }
    int GetAwayCount() const { return m_awayCount; }
    CRect GetTarget() const { return m_target; }
    BOOL IsResizing() const { return m_resizing; }

protected:
    void OnTimer(UINT_PTR id) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnDestroy() override;
    void PostNcDestroy() override;

private:
    void PlaceStep();
    void TrackResize(CPoint screenPoint);
    // Without the tracker the pane resizes as the grip moves.
    void ResizeLive(const CRect& limits, CRect grip);
    void ApplyResize(const CRect& grip);
    // Gives the container window back to the frame.
    void ReturnContainer();

    QPointer<CTKDockingPaneTabbedContainer> m_container;
    QPointer<CTKDockingPaneAutoHideStrip> m_strip;
    int m_side;
    BOOL m_vertical;
    int m_step = 0;
    int m_steps = 1;
    BOOL m_closing = FALSE;
    CRect m_target;
    int m_awayCount = 0;
    BOOL m_resizing = FALSE;
};
