#pragma once
// The dockable command bar: a row (or column) of buttons loaded from a
// toolbar resource that lives in one of the frame's dock bars or floats in
// its own small pop-up window with a caption, a close button and an expand
// button, and that hides itself for print preview.

#include "toolkit/commandbars/CTKCommandBar.h"

#include <memory>

class CTKBarDragTracker;
class CTKDockBar;
class CTKPopupBar;

// The resource type of toolbar command lists.
constexpr UINT kTKResourceToolBar = 241;
// The bit of floating frames that follow the frame's activation.
constexpr DWORD kTKSyncActivation = 0x100;

class CTKToolBar : public CTKCommandBar {
    DECLARE_SERIAL(CTKToolBar)
public:
    CTKToolBar();
    ~CTKToolBar() override;

    // --- Virtual operations ---
    void SetVisible(BOOL visible) override;
    BOOL IsVisible() const override;
    BOOL SetPosition(int position) override;
    void OnRecalcLayout() override;
    CSize CalcDynamicLayout(int length, DWORD mode) override;
    void Copy(const CTKCommandBar* source, BOOL recursive) override;
    CTKCommandBar* Clone(BOOL recursive) const override;
    // The bar's stored form, then built in and temporary.
    void Serialize(CArchive& ar) override;
    // Asks, then puts back the buttons as first loaded.
    void Reset() override;
    virtual BOOL CreateBarWindow(CWnd* frame, BOOL floating);

    // Creates the window docked at position 0..3 or floating (4).
    BOOL CreateToolBar(DWORD style, CTKCommandBars* commandBars, int position);
    void EnableDocking(DWORD flags);
    DWORD GetDockingFlags() const { return m_dwFlags; }
    // Buttons from a toolbar command list, with their icons when asked.
    BOOL LoadToolBar(UINT id, BOOL loadBitmap = TRUE);
    // Buttons from command ids; 0 begins a group.
    void SetButtons(const UINT* ids, int count);

    CSize CalcDockingLayout(int length, DWORD mode, int rowHeight);
    void HideForPrintPreview(BOOL hide);
    // Fills the list with one check box per button the bar has or had when
    // loaded (buttons the user hid come back to the bar as hidden copies),
    // then Reset for a built-in bar.
    void BuildAddRemoveList(CTKPopupBar* list);

    CTKDockBar* GetDockBar() const { return m_pDockBar; }
    void SetDockBar(CTKDockBar* dockBar) { m_pDockBar = dockBar; }
    CTKBarDragTracker* GetDragTracker() const { return m_pTracker.get(); }
    BOOL IsBuiltIn() const { return m_bBuiltIn; }
    void SetBuiltIn(BOOL builtIn) { m_bBuiltIn = builtIn; }
    BOOL IsTemporary() const { return m_bTemporary; }
    void SetTemporary(BOOL temporary) { m_bTemporary = temporary; }
    // The state the command bars keep in step while docking and floating.
    void SetVisibleFlag(BOOL visible) { m_bVisible = visible; }
    void SetPositionValue(int position) { m_nPosition = position; }
    // Swaps the window between a docked child and a floating pop-up of the frame.
    BOOL MakeBarWindow(CWnd* frame, BOOL floating);

protected:
    // Asks whether the changes to this bar may be reset (string 9349 with the title).
    BOOL ConfirmReset() const;
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNcHitTest(CPoint screenPoint) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonDblClk(UINT flags, CPoint point) override;
    // Ends the tracking and opens the toolbars menu.
    void OnRButtonDown(UINT flags, CPoint point) override;
    void OnClose() override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    CRect GetBorders();
    CTKControl* FindOrAddSpecial(UINT id);
    // Removes or inserts a control at the index keeping the selected and
    // open controls where they are.
    void RemoveKeepingMarks(int index);
    CTKControl* InsertCopyKeepingMarks(const CTKControl* source, int index);
    LRESULT OnFloatStatus(WPARAM flags);
    BOOL IsTopParentActive() const;

    CTKDockBar* m_pDockBar = nullptr;
    std::unique_ptr<CTKBarDragTracker> m_pTracker;
    BOOL m_bBuiltIn = TRUE;
    BOOL m_bTemporary = FALSE;
    BOOL m_bPreviewVisible = FALSE;
};
