#pragma once
// The frame's menu as a command bar: one popup control per top-level menu
// of the menu resource. Alt or F10 released alone selects its first menu,
// Alt+letter opens the menu with that mnemonic, and it follows the menu of
// the active document type. While an MDI child is maximised it carries the
// child's minimise, restore and close buttons at its right end and, when
// asked, the child's system-menu icon first.

#include "toolkit/commandbars/CTKToolBar.h"

#include <QPointer>

#include <map>

class CMDIChildWnd;
class CTKControls;

// The bar id of the menu bar and its docking flags (any side, floating, stretched).
constexpr UINT kTKMenuBarId = 1;
constexpr DWORD kTKMenuBarDocking = 0x5F;
// Posted (never set) to the menu bar when the MDI children change.
constexpr UINT_PTR kTKMenuBarRefreshTimer = 12223;
// Docking flags of the menu bar that leave out one MDI control, keep the
// menu from following the document type, or ask for the system-menu icon.
constexpr DWORD kTKMenuBarNoMinimize = 0x100;
constexpr DWORD kTKMenuBarNoRestore = 0x200;
constexpr DWORD kTKMenuBarNoMenuSwitch = 0x400;
constexpr DWORD kTKMenuBarNoClose = 0x1000;
constexpr DWORD kTKMenuBarSysMenu = 0x2000;

class CTKMenuBar : public CTKToolBar {
    DECLARE_SERIAL(CTKMenuBar)
public:
    CTKMenuBar();
    ~CTKMenuBar() override;

    // Loads the menu resource into controls and hooks the frame and its MDI
    // client; FALSE when the resource is missing or empty.
    BOOL LoadMenuBar(UINT menuId);
    // Shows the controls of the menu with that id; nothing when it is the
    // current one. With customising available every menu keeps its own
    // (possibly customised) controls, parked while another menu shows.
    BOOL SwitchMenu(UINT menuId);
    // Follows the menu id the command bars report for the active child.
    void RefreshMenu();
    UINT GetDefaultMenuId() const { return m_nDefaultMenuId; }
    UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
    // The controls parked under a menu id; null when none are.
    CTKControls* GetParkedControls(UINT menuId) const;
    int GetParkedCount() const { return static_cast<int>(m_parked.size()); }

    // The active MDI child of the frame and whether it is maximised; null
    // for a frame without MDI client or without children.
    CMDIChildWnd* GetActiveMDIChild(BOOL* maximized) const;
    // Hooks the active child and adds or removes the MDI controls.
    void RefreshMDIButtons();

    // Before the state is saved: shows the default menu's controls when
    // others are parked, and drops the parked sets nobody changed.
    void PrepareForSave();
    BOOL IsSwitchedForSaving() const { return m_bSwitchedForSaving; }
    // After the state is saved: shows the active document type's menu again.
    void FinishSave();

    void Copy(const CTKCommandBar* source, BOOL recursive) override;
    CTKCommandBar* Clone(BOOL recursive) const override;
    // The toolbar's archive steps, then those of the parked control sets,
    // so that the submenus of other document types' menus are kept too.
    void SaveBarState(int* nextId, std::vector<CTKCommandBar*>* bars) override;
    void LoadBarState(const std::vector<CTKCommandBar*>& bars) override;
    // Asks (string 9349) and loads the current menu anew when menus are
    // parked or nothing was kept to reset to; else the toolbar's reset.
    void Reset() override;

    // The toolbar's stored form, then the default menu id and the parked
    // control sets.
    void Serialize(CArchive& ar) override;

    int OnHookMessage(CWnd* window, UINT message, WPARAM* wParam, LPARAM* lParam, LRESULT* result) override;

protected:
    void OnTimer(UINT_PTR id) override;

private:
    BOOL FillFromMenu(UINT menuId);
    void EnterKeyboardTracking();
    void Park(UINT menuId, CTKControls* controls);
    void ReleaseParked();
    void HookChild(CMDIChildWnd* child);
    // Adds the MDI control of that id when wanted and missing, removes it
    // when not wanted; TRUE when the controls changed.
    BOOL ShowMDIButton(UINT id, const char* glyph, BOOL wanted);
    BOOL ShowSysMenuControl(CMDIChildWnd* child, BOOL wanted);
    void RemoveMDIControls();

    BOOL m_bMDIFrame = FALSE;
    QPointer<CMDIChildWnd> m_hookedChild;
    UINT m_nDefaultMenuId = 0;
    UINT m_nCurrentMenuId = 0;
    BOOL m_bSwitchedForSaving = FALSE;
    std::map<UINT, CTKControls*> m_parked;
};
