#pragma once
// The window under every command bar: toolbars, the menu bar, popup bars
// and the list of a combo box. It owns the bar's controls, paints them
// through the bar renderer, gathers their enabled, checked and caption
// states from the owner's update handlers at idle time and sends their
// commands to the owner window. Laying out and docking belong to the
// classes derived from it.

#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKHookSink.h"

#include <QPointer>

#include <string>
#include <vector>

class CDC;
class CMenu;
class CTKBarRenderer;
class CTKCommandBars;
class CTKCommandImages;
class CTKControl;
class CTKControlDragTracker;
class CTKControlPopup;
class CTKControls;

// Bar types.
constexpr int kTKBarMenu = 0;
constexpr int kTKBarToolbar = 1;
constexpr int kTKBarPopup = 2;

// Bar positions.
constexpr int kTKPositionTop = 0;
constexpr int kTKPositionBottom = 1;
constexpr int kTKPositionLeft = 2;
constexpr int kTKPositionRight = 3;
constexpr int kTKPositionFloating = 4;
constexpr int kTKPositionPopup = 5;
constexpr int kTKPositionList = 6;
constexpr int kTKPositionNone = 7;

// Bar style: draw a gripper.
constexpr DWORD kTKBarStyleGripper = 0x400000;

// The drop result of a control dropped on itself.
constexpr DWORD kTKDropOnItself = 5;
// No drop effect was set.
constexpr DWORD kTKDropNone = static_cast<DWORD>(-1);

// Sent to the site when a control becomes selected (wParam its id or 0).
constexpr UINT WM_TK_CONTROL_SELECTED = 0x0531;

// The pause before a hovered control acts (a popup opens), and its timer.
constexpr UINT_PTR kTKHoverTimer = 112223;
constexpr UINT kTKHoverDelay = 300;
// The pause after which an open menu shows its rarely used commands, and its timer.
constexpr UINT_PTR kTKExpandTimer = 112224;
constexpr UINT kTKExpandDelay = 800;

// Navigation codes of ProcessSpecialKey.
constexpr int kTKKeyNext = 0;
constexpr int kTKKeyPrevious = 1;
constexpr int kTKKeyClosePopup = 2;
constexpr int kTKKeyOpenPopup = 3;
constexpr int kTKKeyEscape = 4;
constexpr int kTKKeyEnter = 5;
constexpr int kTKKeyFirst = 6;
constexpr int kTKKeyLast = 7;

class CTKCommandBar : public CWnd, public CTKHookSink {
    DECLARE_SERIAL(CTKCommandBar)
public:
    CTKCommandBar();
    ~CTKCommandBar() override;

    // --- Virtual operations, in slot order ---
    virtual void DelayRedraw();
    virtual BOOL SetTrackingMode(int mode, BOOL selectFirst, BOOL keyboard);
    virtual BOOL SetSelected(int index, BOOL keyboard);
    virtual BOOL Popup(CTKControlPopup* parentControl, BOOL keyboard);
    virtual void SetVisible(BOOL visible);
    virtual BOOL IsVisible() const;
    virtual BOOL SetPosition(int position);
    virtual BOOL IsCustomizable() const { return m_bCustomizable; }
    void SetCustomizable(BOOL customizable) { m_bCustomizable = customizable; }
    virtual void OnRecalcLayout();
    virtual CTKCommandBar* GetParentCommandBar() const;
    virtual CSize CalcDynamicLayout(int length, DWORD mode);
    virtual void DrawCommandBar(CDC* dc);
    virtual void OnControlsChanged();
    virtual void Copy(const CTKCommandBar* source, BOOL recursive);
    virtual CTKCommandBar* Clone(BOOL recursive) const;
    virtual void Reset();
    // Lists the bar for the controls archive (once) and, unless it is a
    // toolbar, gives it the next serial id; then the child bars of its
    // popup controls and of their reference copy follow.
    virtual void SaveBarState(int* nextId, std::vector<CTKCommandBar*>* bars);
    // Links every loaded popup control that waits for a serial id to the
    // child bar of that id in the list, and continues into that bar.
    virtual void LoadBarState(const std::vector<CTKCommandBar*>& bars);

    // The stored form in the controls archive: the bar's fields, then its controls.
    void Serialize(CArchive& ar) override;

    // --- Parents and owners ---
    CTKCommandBars* GetCommandBars() const;
    void SetCommandBars(CTKCommandBars* commandBars) { m_pCommandBars = commandBars; }
    BOOL IsCustomizeMode() const;
    // The customise context of the command bars; null without them.
    CTKControlDragTracker* GetCustomizeContext() const;
    // The bar reached by following the parent bars to the end.
    CTKCommandBar* GetRootBar() const;
    CWnd* GetSite() const;
    void SetSite(CWnd* site) { m_pSite = site; }
    // Where commands and command-state queries go.
    CWnd* GetOwnerSite() const;
    void SetOwnerWindow(CWnd* owner) { m_pOwner = owner; }
    CFrameWnd* GetFrameSite() const;
    CTKBarRenderer* GetBarRenderer() const;
    // Takes a reference; releases the previous override.
    void SetBarRenderer(CTKBarRenderer* renderer);
    CTKCommandImages* GetImageStore() const;
    void SetImageStore(CTKCommandImages* images);

    CTKControls* GetControls() const { return m_pControls; }
    CTKControl* GetControl(int index) const;
    int GetControlCount() const;
    std::string GetBarTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }
    int GetType() const { return m_nBarType; }
    // Listed in the toolbars menu.
    BOOL IsListed() const { return m_bListed; }
    void SetListed(BOOL listed) { m_bListed = listed; }
    int GetPosition() const { return m_nPosition; }
    UINT GetBarID() const { return m_nBarId; }
    void SetBarID(UINT id) { m_nBarId = id; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD style) { m_dwStyle = style; }
    int GetSelectedIndex() const { return m_nSelected; }
    int GetPopupedIndex() const { return m_nPopuped; }
    int GetTrackingMode() const { return m_nTrackingMode; }
    // Tracking was entered by the mouse alone (a popup opened then animates).
    BOOL IsMouseOnlyTracking() const { return m_bMouseOnlyTracking; }
    void SetMouseOnlyTracking(BOOL mouseOnly) { m_bMouseOnlyTracking = mouseOnly; }
    // The control whose mnemonic (the character after a single '&', else
    // the caption's first character) is the upper-cased character, searched
    // once around from the control after the selected one; -1 when none.
    // *several tells whether the character picks more than one control.
    int FindMnemonic(char character, BOOL* several) const;
    // The caption's mnemonic character, upper-cased; 0 when "&&" pairs or a
    // final '&' leave none.
    static char GetMnemonic(const std::string& caption);
    // --- Keys while tracking ---
    // Key-downs reach a tracking bar through the tracking hooks.
    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override;
    virtual BOOL OnHookKeyDown(UINT key);
    BOOL ProcessSpecialKey(int code);
    // The navigation code of an arrow or paging key on a horizontal or
    // vertical bar; -1 for other keys.
    static int GetNavigationCode(UINT key, BOOL vertical);

    // Closes the open popup (-1) or opens that of the control at index.
    BOOL SetPopuped(int index, BOOL keyboard);

    // The width a floating bar had when the user last sized it.
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int width) { m_nMRUWidth = width; }

    // The icon box of the buttons: the explicit icon size, else 16 by 16.
    CSize GetButtonIconSize() const;
    void SetIconSize(CSize size) { m_szIcons = size; }
    // 0 icons only, 1 text labels, 2 the manager's option.
    void SetTextLabels(int mode) { m_nTextLabels = mode; }
    BOOL ShowsButtonText() const;

    // The window that had the focus when tracking began; it gets the focus
    // back while it exists. Forgotten when tracking ends.
    CWnd* GetSavedFocus() const { return m_pSavedFocus.data(); }
    void SetSavedFocus(CWnd* window) { m_pSavedFocus = window; }
    // The control that takes the keys while the bar tracks (a control whose
    // edit box has the focus).
    CTKControl* GetKeyReceiver() const { return m_pKeyReceiver; }
    void SetKeyReceiver(CTKControl* control) { m_pKeyReceiver = control; }

    // A popup opened for a returned command writes the executed id here.
    void SetReturnCommandSlot(UINT* slot) { m_pReturnCommand = slot; }
    UINT* GetReturnCommandSlot() const { return m_pReturnCommand; }

    // --- Controls from a menu ---
    BOOL LoadMenu(const CMenu* menu, BOOL removeExisting);

    // --- Document-type filter ---
    // Hides (hide flag 0x40) the controls that are not for the document type
    // of the active menu id; TRUE when any hide flags changed (a layout is due).
    BOOL FilterDocumentTypes(UINT activeMenuId);

    // --- Commands and status text ---
    void SetStatusText(const CTKControl* control);

    // --- Deferred work ---
    BOOL IsLayoutDue() const { return (m_dwPendingWork & kLayoutDue) != 0; }
    BOOL IsRedrawDue() const { return (m_dwPendingWork & kRedrawDue) != 0; }
    void DelayLayout() { m_dwPendingWork |= kLayoutDue; }

    // --- Customise drop marker ---
    // The insertion index (-1 at the start), the marker rectangle (empty when
    // the dragged control would stay where it is) and whether it goes after.
    int CalcInsertPosition(const CTKControl* dragged, CPoint point, CRect* marker, BOOL* after) const;
    void SetDropMarker(const CRect& marker, BOOL vertical);
    const CRect& GetDropMarker() const { return m_rcMarker; }
    void DrawDropMarker(CDC* dc) const;

    // A control dragged over the bar: the control under the point sees it,
    // the dragged control decides whether the bar takes it, and only then
    // the marker shows. The drop effect the events set, or kTKDropNone.
    DWORD OnCustomizeDragOver(CTKControl* dragged, CPoint point);
    void OnCustomizeDragLeave();
    // Inserts a copy of the dragged control at the marker, or on itself
    // (moved more than a few pixels from start) sets only its group flag.
    DWORD OnCustomizeDrop(CTKControl* dragged, DWORD dropEffect, CPoint point, CPoint start);

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override;

protected:
    static constexpr DWORD kLayoutDue = 0x01;
    static constexpr DWORD kRedrawDue = 0x02;

    // The archive steps of SaveBarState and LoadBarState for the popup
    // controls of one collection and of its reference copy.
    static void SaveChildBarStates(const CTKControls* controls, int* nextId, std::vector<CTKCommandBar*>* bars);
    void LoadChildBarStates(const CTKControls* controls, const std::vector<CTKCommandBar*>& bars);

    int OnCreate() override;
    void OnDestroy() override;
    // A bar whose window still exists destroys it before it goes.
    void OnFinalRelease() override;
    void OnPaint() override;
    // The mouse over a bar: hot tracking, and the control under the point
    // gets the presses, releases and double clicks.
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnMouseLeave() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnRButtonUp(UINT flags, CPoint point) override;
    void OnTimer(UINT_PTR id) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnIdleUpdateCmdUI(BOOL disableIfNoHandler) override;
    LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    // Offers the command-state record of one control to the bar's own
    // handlers, then to the target's routing.
    void UpdateControlState(CTKControl* control, int index, CCmdTarget* target, BOOL disableIfNoHandler);
    BOOL IsVerticalBar() const;

    int m_nMRUWidth = 32767;
    int m_nSelected = -1;
    int m_nPopuped = -1;
    QPointer<CWnd> m_pSavedFocus;
    UINT m_nBarId = 0;
    BOOL m_bVisible = TRUE;
    int m_nTrackingMode = 0;
    CWnd* m_pSite = nullptr;
    DWORD m_dwPendingWork = 0;
    DWORD m_dwFlags = 0;
    DWORD m_dwStyle = 0;
    std::string m_strTitle;
    int m_nBarType = kTKBarToolbar;
    CTKControl* m_pKeyReceiver = nullptr;
    CTKControls* m_pControls = nullptr;
    int m_nPosition = kTKPositionNone;
    CTKCommandBars* m_pCommandBars = nullptr;
    CWnd* m_pOwner = nullptr;
    CSize m_szIcons;
    int m_nTextLabels = 2;
    BOOL m_bRightButtonTracking = FALSE;
    BOOL m_bCustomizable = TRUE;
    CRect m_rcMarker;
    BOOL m_bMarkerVertical = FALSE;
    UINT* m_pReturnCommand = nullptr;
    BOOL m_bListed = TRUE;
    BOOL m_bMouseOnlyTracking = FALSE;
    CTKBarRenderer* m_pRenderer = nullptr;
    CTKCommandImages* m_pImages = nullptr;
};
