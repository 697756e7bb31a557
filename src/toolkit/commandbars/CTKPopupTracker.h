#pragma once
// The bars of the user-interface thread that are in tracking mode (open
// popups, a menu bar being navigated). It watches every mouse event of the
// application and closes those bars on a click elsewhere, counts the nested
// modal loops that run while popups are open and remembers the bar whose
// control is hot.

#include "toolkit/commandbars/CTKHookSink.h"

#include "platform/WinTypes.h"

#include <QObject>
#include <QPointer>

#include <vector>

class CTKCommandBar;
class CWnd;

// The timer that watches for the mouse leaving a window, and its period.
constexpr UINT_PTR kTKMouseLeaveTimer = 113341;
constexpr UINT kTKMouseLeavePeriod = 50;

class CTKPopupTracker : public QObject, public CTKHookSink {
public:
    CTKPopupTracker();
    ~CTKPopupTracker() override;

    // The tracker of the calling thread, made on first use.
    static CTKPopupTracker& Get();

    // The first bar to track clears the selection of another hot bar.
    void AddTrackedBar(CTKCommandBar* bar);
    // When the last bar leaves, the cursor is set where it is, so the
    // windows under it see a fresh move and update their hot state.
    void RemoveTrackedBar(CTKCommandBar* bar);
    // Ends the tracking of the outermost bar, which closes its popups.
    void CloseTrackedBars();
    const std::vector<CTKCommandBar*>& GetTrackedBars() const { return m_trackedBars; }
    BOOL IsTracked(const CTKCommandBar* bar) const;

    // Raised around a nested modal loop that runs while popups are open;
    // above 0 a button release elsewhere closes nothing.
    void EnterModal() { ++m_nModalDepth; }
    void LeaveModal() { --m_nModalDepth; }
    int GetModalDepth() const { return m_nModalDepth; }

    CTKCommandBar* GetHotBar() const { return m_pHotBar; }
    void SetHotBar(CTKCommandBar* bar) { m_pHotBar = bar; }
    // A going bar leaves the tracked bars and the hot bar.
    void OnBarDestroyed(CTKCommandBar* bar);

    // A popup menu was expanded to show its rarely used commands during
    // this tracking; popups opened afterwards open expanded.
    BOOL IsMenuExpanded() const { return m_bMenuExpanded; }
    void SetMenuExpanded(BOOL expanded) { m_bMenuExpanded = expanded; }

    // Watches the window for the mouse leaving it: the previously watched
    // window gets WM_MOUSELEAVE at once, this one when the cursor has left
    // it or its application is no longer in the foreground.
    void TrackMouseLeave(CWnd* window);
    CWnd* GetMouseLeaveWindow() const { return m_mouseLeaveWindow; }
    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override;

    // A mouse message at a screen point; TRUE eats it (a repeated move).
    // Events outside every tracked bar reach the bars: moves clear their hot
    // item, presses close them, left releases close them outside modal loops.
    BOOL OnMouseMessage(UINT message, CPoint screenPoint);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    BOOL IsInsideTrackedBars(CPoint screenPoint) const;
    void StopWatching();
    void OnMouseLeaveTimer(CWnd* window);

    int m_nModalDepth = 0;
    std::vector<CTKCommandBar*> m_trackedBars;
    CTKCommandBar* m_pHotBar = nullptr;
    BOOL m_bMenuExpanded = FALSE;
    CPoint m_ptLastMove{-1, -1};
    QPointer<CWnd> m_mouseLeaveWindow;
};
