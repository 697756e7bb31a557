#pragma once
// The frame's menu as a command bar: one popup control per top-level menu
// of the menu resource. Alt or F10 released alone selects its first menu,
// Alt+letter opens the menu with that mnemonic, and it follows the menu of
// the active document type.

#include "toolkit/commandbars/CTKToolBar.h"

// The bar id of the menu bar and its docking flags (any side, floating, stretched).
constexpr UINT kTKMenuBarId = 1;
constexpr DWORD kTKMenuBarDocking = 0x5F;
// Posted (never set) to the menu bar when the MDI children change.
constexpr UINT_PTR kTKMenuBarRefreshTimer = 12223;

class CTKMenuBar : public CTKToolBar {
    DECLARE_SERIAL(CTKMenuBar)
public:
    CTKMenuBar();
    ~CTKMenuBar() override;

    // Loads the menu resource into controls and hooks the frame and its MDI
    // client; FALSE when the resource is missing or empty.
    BOOL LoadMenuBar(UINT menuId);
    // Shows the controls of the menu with that id; nothing when it is the current one.
    BOOL SwitchMenu(UINT menuId);
    // Follows the menu id the command bars report for the active child.
    void RefreshMenu();
    UINT GetDefaultMenuId() const { return m_nDefaultMenuId; }
    UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }

    // The toolbar's stored form, then the default menu id and the parked
    // control sets (none are kept here; stored ones are read and dropped).
    void Serialize(CArchive& ar) override;

    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override;

protected:
    void OnTimer(UINT_PTR id) override;

private:
    BOOL FillFromMenu(UINT menuId);
    void EnterKeyboardTracking();

    BOOL m_bMDIFrame = FALSE;
    UINT m_nDefaultMenuId = 0;
    UINT m_nCurrentMenuId = 0;
};
