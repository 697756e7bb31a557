#pragma once
// The command bars of one frame: the toolbars in creation order, the four
// dock bars at the frame's sides, the options, and the frame's relayout
// when bars dock, float, show or hide.

#include "platform/ui/CCmdTarget.h"
#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKControls.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class CFrameWnd;
class CSettingsStore;
struct CTKBarInfo;
class CTKBarStateInfo;
class CTKBarRenderer;
class CTKCommandBarsOptions;
class CTKCommandImages;
class CTKControl;
class CTKControlDragTracker;
class CMenu;
class CTKDockBar;
class CTKMenuBar;
class CTKPopupBar;
class CTKToolBar;

// Flags of a tracked popup: a right-button release executes too; the
// command comes back as the result instead of as WM_COMMAND.
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_RETURNCMD = 0x0100;

// The Customize command.
constexpr UINT kTKCustomizeCommand = 35001;
// Sent to the open customise sheet (else the frame) when the control
// selected for customising changes.
constexpr UINT WM_TK_CUSTOMIZE_SELECTION = 0x0532;
// A controls archive larger than this goes to a hidden file beside the settings.
constexpr std::size_t kTKMaxProfileArchive = 16000;
// Ids of the four dock bars, top, bottom, left, right.
constexpr UINT kTKDockBarIds[] = {59419, 59422, 59420, 59421};

// Docking flags of a bar.
constexpr DWORD kTKDockTop = 0x01;
constexpr DWORD kTKDockBottom = 0x02;
constexpr DWORD kTKDockLeft = 0x04;
constexpr DWORD kTKDockRight = 0x08;
constexpr DWORD kTKDockAnySide = 0x0F;
constexpr DWORD kTKDockFloat = 0x10;
constexpr DWORD kTKDockHideOverflow = 0x20;
constexpr DWORD kTKDockStretch = 0x40;
constexpr DWORD kTKToolBarDocking = 0x3F;

class CTKCommandBars : public CCmdTarget {
    DECLARE_SERIAL(CTKCommandBars)
public:
    CTKCommandBars();
    ~CTKCommandBars() override;

    // --- Creation and frame binding ---
    void SetFrame(CFrameWnd* frame);
    CFrameWnd* GetFrame() const { return m_pFrame; }
    // FALSE when a dock bar window cannot be made.
    BOOL CreateDockBars();
    // A bar of the class (CTKToolBar or derived) docked at position 0..3 or floating (4).
    CTKToolBar* AddToolBar(const std::string& title, int position, const CRuntimeClass* barClass);
    // The menu bar of the menu resource, docked at the top; NULL (and no
    // bar) when its window or its menu cannot be made.
    CTKMenuBar* CreateMenuBar(const std::string& title, UINT menuId);
    CTKMenuBar* GetMenuBar() const { return m_pMenuBar; }
    CTKToolBar* AddCustomToolBar(const std::string& title, UINT barId, BOOL temporary);
    void RemoveBar(CTKToolBar* bar);

    // --- Frame hooks ---
    // The frame's pre-translation offers every queued message here first;
    // TRUE: the message is handled. While bars track, key-downs and wheel
    // turns go to them, and Alt alone closes every open menu.
    BOOL HookKeyMessage(MSG* message);
    // The frame's window messages come here first; TRUE: handled, with
    // *result set. Commands from menus and accelerators and the
    // application's deactivation close every open menu.
    BOOL HookFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // --- Popup menus ---
    // Opens the popup at the screen point beside the exclusion rectangle
    // and runs the modal loop until it closes. With TPM_RETURNCMD the
    // chosen command id (0 when none), else TRUE; 0 when it cannot open.
    static int TrackPopupBar(CTKPopupBar* popup, UINT flags, int x, int y, CWnd* site, const CRect* exclude,
                             CWnd* owner);
    // A popup bar of the menu's items, tracked as above. With flags 0 the
    // chosen command reaches the owner (else the site) as WM_COMMAND.
    // FALSE for a handle that is no menu.
    // The toolbars menu at a screen point (not while customising): a check
    // box per listed toolbar, then Customize when customising is available.
    virtual void ShowToolBarsMenu(int x, int y);
    virtual CTKPopupBar* CreateToolBarsPopup();
    // Copies of the buttons that did not fit on the toolbars of the bar's dock row.
    virtual void FillExpandPopup(CTKToolBar* bar, CTKPopupBar* popup);
    // A submenu per toolbar of the bar's dock row, and Customize when available.
    virtual void FillAddRemovePopup(CTKToolBar* bar, CTKPopupBar* popup);
    static int ShowContextMenu(const CMenu* menu, UINT flags, int x, int y, CWnd* site, const CRect* exclude,
                               CWnd* owner, CTKCommandBars* bars);

    // --- Look-ups ---
    int GetCount() const { return static_cast<int>(m_bars.size()); }
    CTKToolBar* GetBarAt(int index) const;
    CTKToolBar* GetBarById(UINT id) const;
    void ToggleBarVisible(int index);
    CTKDockBar* GetDockBar(int side) const;
    // The dock bar whose window grown by 20 pixels holds the screen point, the preferred one first.
    CTKDockBar* GetDockBarAt(int x, int y, CTKDockBar* preferred) const;
    CTKBarRenderer* GetBarRenderer() const;
    CTKCommandImages* GetImageStore() const;
    virtual UINT GetActiveMenuId() const;
    UINT GetDefaultMenuId() const { return m_nDefaultMenuId; }

    // --- Docking and floating ---
    BOOL DockBar(CTKToolBar* bar, const CRect* screenRect, CTKDockBar* dockBar);
    BOOL DockBarAtSide(CTKToolBar* bar, int side);
    BOOL FloatBar(CTKToolBar* bar);

    // --- Layout ---
    void RelayoutFrame(BOOL delay);
    void RefreshAllBars();
    BOOL IsLayoutLocked() const { return m_bLayoutLock; }

    // --- Commands ---
    virtual BOOL IsHiddenCommand(UINT id) const;
    void SetCommandUsed(UINT id);
    BOOL IsCustomizeAvailable() const { return m_bCustomizeAvailable; }
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    // Enters or leaves customise mode; the bars are laid out again, leaving
    // clears the selection.
    void SetCustomizeMode(BOOL mode);
    // The drags of customised controls and their context menu; it also
    // knows the open customise sheet.
    CTKControlDragTracker* GetCustomizeContext() const { return m_pCustomizeContext.get(); }
    // The control selected while customising; holds a reference to it.
    CTKControl* GetCustomizeSelection() const { return m_pCustomizeSelection; }
    void SetCustomizeSelection(CTKControl* control);

    // --- Options ---
    CTKCommandBarsOptions* GetCommandBarsOptions() const { return m_pOptions; }
    void SaveOptions(const std::string& profile) const;
    void LoadOptions(const std::string& profile);
    // The "UsedCommands" bytes, and their merge into the used set; FALSE on bad bytes.
    std::vector<BYTE> UsedCommandsBytes() const;
    BOOL MergeUsedCommands(const std::vector<BYTE>& bytes);

    // --- Bar state ---
    // The arrangement of the toolbars under the profile name and, when
    // customising is available, the archive of the customised bars.
    void SaveState(const std::string& profile);
    // Restores what SaveState wrote; silent asks no question about
    // toolbars the program has changed since. A damaged state leaves the
    // bars as they were created.
    void LoadState(const std::string& profile, BOOL silent);
    // The archive of the customised bars; empty when it cannot be written.
    std::vector<BYTE> StoreControlsArchive();
    // Takes the customised bars of an archive; FALSE (no bar changed) for a damaged one.
    BOOL LoadControlsArchive(const std::vector<BYTE>& bytes, BOOL silent);
    // The hidden file of a large archive: beside the settings file, named
    // after it and the profile, with a leading dot.
    static std::string HiddenArchivePath(const std::string& settingsFile, const std::string& profile);

    // The id of the first MDI child window the Window menu lists: 0xFF00, or
    // 0x8000 once a child with an id from 0x8000 to 0x800E has been active.
    UINT GetFirstMDIChildId() const { return m_nFirstMDIChildId; }
    void SetFirstMDIChildId(UINT id) { m_nFirstMDIChildId = id; }

private:
    static void RunPopupLoop(CTKPopupBar* popup);
    void SaveControls(const CSettingsStore& store, const std::string& profile);
    void LoadControls(const CSettingsStore& store, const std::string& profile, BOOL silent);
    void RestoreLoadedBar(CTKToolBar* loaded, BOOL silent);
    void SaveDockBars(const CSettingsStore& store, const std::string& profile) const;
    void LoadDockBars(const CSettingsStore& store, const std::string& profile);
    void ApplyBarState(const CTKBarStateInfo& state);
    // A bar that its record keeps docked but that no dock bar holds yet is
    // docked at the side it last had (the top when that is unknown) before
    // the record applies.
    BOOL DockForRecord(CTKToolBar* bar, const CTKBarInfo& info);
    BOOL OpenMenuByMnemonic(const MSG& message);

    CTKBarRenderer* m_pRenderer = nullptr;
    CTKCommandImages* m_pImages = nullptr;
    std::unique_ptr<CTKControlDragTracker> m_pCustomizeContext;
    CTKControl* m_pCustomizeSelection = nullptr;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bCustomizeAvailable = FALSE;
    UINT m_nDefaultMenuId = 0;
    CTKCommandBarsOptions* m_pOptions = nullptr;
    std::vector<CTKToolBar*> m_bars;
    CTKMenuBar* m_pMenuBar = nullptr;
    // Owned; the frame's window may have taken them down with it already.
    QPointer<CTKDockBar> m_pDocks[4];
    CFrameWnd* m_pFrame = nullptr;
    BOOL m_bLayoutLock = FALSE;
    UINT m_nFirstMDIChildId = kTKMdiFirstChildId;
};
