#pragma once
// The popup window of a menu or a drop-down: it lays its items out in a
// column (or in rows for a popup toolbar), places itself beside the control
// that opened it or at a point on the work area, scrolls when it is taller
// than the room it gets, hides rarely used commands behind an expand
// button, and closes with its tracking.

#include "toolkit/commandbars/CTKCommandBar.h"

#include <memory>
#include <string>

class CTKControlExpandButton;
class CTKPopupAnimation;
class CTKToolBar;

// The arrow bands of a scrolling popup, and their timers.
constexpr int kTKScrollBandHeight = 16;
constexpr UINT_PTR kTKScrollDownTimer = 5001;
constexpr UINT_PTR kTKScrollUpTimer = 5002;
constexpr UINT kTKScrollPeriod = 80;
// Watches the mouse over the tear-off strip, as often as the scroll timers.
constexpr UINT_PTR kTKTearOffTimer = 5003;
// A tear-off drag shows the toolbar once the mouse leaves the strip by more than this.
constexpr int kTKTearOffSlack = 10;
// The least item width of a menu, and the height of an empty one.
constexpr int kTKPopupMinimumExtent = 22;
// Sent to the owner before an opening popup is measured; lParam the popup.
constexpr UINT WM_TK_POPUP_OPENING = 0x0533;
// Popup animations: none at all.
constexpr int kTKAnimateNone = 5;

class CTKPopupBar : public CTKCommandBar {
    DECLARE_SERIAL(CTKPopupBar)
public:
    CTKPopupBar();
    ~CTKPopupBar() override;

    // An empty popup bar of the command bars (which may be null).
    static CTKPopupBar* NewPopupBar(CTKCommandBars* commandBars);

    // --- Overrides of the bar ---
    void DelayRedraw() override;
    BOOL SetTrackingMode(int mode, BOOL selectFirst, BOOL keyboard) override;
    BOOL SetSelected(int index, BOOL keyboard) override;
    BOOL Popup(CTKControlPopup* parentControl, BOOL selectFirst) override;
    void OnRecalcLayout() override;
    CTKCommandBar* GetParentCommandBar() const override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    void DrawCommandBar(CDC* dc) override;
    void OnControlsChanged() override;
    void Copy(const CTKCommandBar* source, BOOL recursive) override;
    // The bar's stored form, then the tear-off part, the toolbar borders and the shadow.
    void Serialize(CArchive& ar) override;
    BOOL DestroyWindow() override;
    // Down past the last shown item (or Ctrl+Down) first shows the rarely used commands.
    BOOL OnHookKeyDown(UINT key) override;

    // Opens the popup at a screen point beside the rectangle it must not cover.
    BOOL SetPopupPosition(int x, int y, const CRect* exclude);
    // Shows the rarely used commands too.
    void ExpandMenu();
    // The first visible default item: its index by position, else its id; -1 when none.
    int GetDefaultItem(UINT reserved, BOOL byPosition) const;
    int GetAnimationType() const;
    // The opening animation while it runs, else null.
    const CTKPopupAnimation* GetOpeningAnimation() const { return m_pAnimation.get(); }

    // Gives the popup a tear-off strip: dragged out, it becomes a temporary
    // floating toolbar with this title and bar id, of this remembered width.
    void SetTearOffPopup(const std::string& title, UINT barId, int width);
    BOOL IsTearOffPopup() const { return m_bTearOff; }
    const std::string& GetTearOffTitle() const { return m_strTearOffTitle; }
    UINT GetTearOffBarId() const { return m_nTearOffBarId; }
    int GetTearOffWidth() const { return m_nTearOffWidth; }
    const CRect& GetTearOffArea() const { return m_rcTearOff; }
    BOOL IsTearOffHot() const { return m_bTearOffHot; }
    BOOL IsTearing() const { return m_bTearing; }
    // The toolbar the last tear-off drag showed (null when dragged back).
    CTKToolBar* GetTornToolBar() const { return m_pTornToolBar; }
    // The drag of the tear-off strip, until the button is released or Escape.
    void TrackTearOff();
    // Shows the popup while the point is over it, else the torn toolbar under the point.
    void ShowTearOff(BOOL overPopup, CPoint point);

    // Marks the commands the command bars count as rarely used, and hides
    // them while the menu is collapsed and shows an ordinary item.
    void UpdateHiddenCommands();
    // The frame's accelerators give every item its shortcut text.
    void UpdateShortcuts();
    // Placement flags, exclusion rectangle and start point from the parent control.
    void UpdateLocation();
    // The final place on the work area; the popup is shown there.
    void UpdatePosition(CSize size);
    // Places the items of a scrolling popup from first shown (or back from
    // end shown) within the size (null: the window's).
    void LayoutScrolled(const CSize* size, BOOL fromEnd, BOOL repaint);

    CTKControlPopup* GetParentControl() const { return m_pParentControl; }
    DWORD GetPlacementFlags() const { return m_dwPlacement; }
    const CRect& GetExcludeRect() const { return m_rcExclude; }
    BOOL IsScrolling() const { return m_bScrolling; }
    int GetFirstShown() const { return m_nFirstShown; }
    int GetEndShown() const { return m_nEndShown; }
    const CRect& GetScrollDownArea() const { return m_rcScrollDown; }
    const CRect& GetScrollUpArea() const { return m_rcScrollUp; }
    BOOL HasHiddenCommands() const { return m_bHiddenCommands; }
    BOOL IsExpanded() const { return m_bExpanded; }
    BOOL HasShadow() const { return m_bShadow; }
    void SetShadow(BOOL shadow) { m_bShadow = shadow; }
    // TPM_RIGHTBUTTON: a right-button release executes too.
    void SetRightButtonTracking(BOOL rightButton) { m_bRightButtonTracking = rightButton; }
    BOOL IsReleaseSuppressed() const { return m_bReleaseSuppressed; }
    // One step of the scroll timers (as when they fire).
    void ScrollDownStep();
    void ScrollUpStep();

protected:
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;
    void OnPaint() override;
    static BOOL IsAnimated(int type);

    CSize CalcMenuLayout();
    CSize CalcToolBarLayout();
    CTKControlExpandButton* FindExpandButton() const;
    // Margins of the items and the separator height, as the renderer draws them.
    CRect GetMargins(int* separatorHeight) const;
    int MeasureExpandButton() const;
    // The height of the tear-off strip; 0 without one.
    int MeasureTearOff() const;
    void DrawOpening();
    void StartOpeningAnimation(int type);
    void StopOpeningAnimation();
    void OnTearOffTimer();
    void StopTearOffTimer();
    void MoveTornToolBar(CPoint point);
    void StartScrollTimer(UINT_PTR id, UINT_PTR* handle);
    void StopScrollTimer(UINT_PTR id, UINT_PTR* handle);

    BOOL m_bScrolling = FALSE;
    int m_nFirstShown = 0;
    int m_nEndShown = 0;
    CRect m_rcScrollDown;
    UINT_PTR m_nScrollDownTimer = 0;
    CRect m_rcScrollUp;
    UINT_PTR m_nScrollUpTimer = 0;
    CTKControlPopup* m_pParentControl = nullptr;
    CPoint m_ptPopup;
    CRect m_rcExclude;
    DWORD m_dwPlacement = 0;
    BOOL m_bInLayout = FALSE;
    BOOL m_bHiddenCommands = FALSE;
    BOOL m_bExpanded = FALSE;
    BOOL m_bAnimateExpanding = FALSE;
    BOOL m_bShadow = TRUE;
    CRect m_rcToolBarBorders{2, 4, 2, 4};
    BOOL m_bReleaseSuppressed = FALSE;
    std::unique_ptr<CTKPopupAnimation> m_pAnimation;
    BOOL m_bTearOff = FALSE;
    std::string m_strTearOffTitle;
    CRect m_rcTearOff;
    BOOL m_bTearOffHot = FALSE;
    UINT_PTR m_nTearOffTimer = 0;
    BOOL m_bTearing = FALSE;
    CSize m_szTorn;
    CTKToolBar* m_pTornToolBar = nullptr;
    UINT m_nTearOffBarId = 0;
    int m_nTearOffWidth = 0;
};
