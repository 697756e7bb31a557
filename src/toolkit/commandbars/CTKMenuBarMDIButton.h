#pragma once
// A button of the menu bar that sends a system command to the active MDI
// child: the minimise, restore and close buttons of a maximised child
// (drawn as a symbol glyph, which is the control's parameter) and the items
// of the child's system menu (drawn as ordinary menu items).

#include "toolkit/commandbars/CTKControlButton.h"

// Ids of the MDI buttons; their strings carry the tooltips.
constexpr UINT kTKMDIMinimizeId = 9405;
constexpr UINT kTKMDIRestoreId = 9404;
constexpr UINT kTKMDICloseId = 9403;
// Control flags of the MDI buttons: right-aligned, skipped by keyboard
// navigation, no command-state update, not customisable.
constexpr DWORD kTKMDIButtonFlags = 0x1B;
// Each MDI control is this wide and high.
constexpr int kTKMDIControlSize = 16;

class CTKMenuBarMDIButton : public CTKControlButton {
    DECLARE_SERIAL(CTKMenuBarMDIButton)
public:
    CTKMenuBarMDIButton();

    // Closes every open menu and posts WM_SYSCOMMAND with the control's id
    // to the menu bar's active MDI child.
    void Execute() override;
    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;

private:
    BOOL HasGlyph() const { return !GetParameter().empty(); }
};
