#pragma once
// The common part of the menu items that stand for a changing list (open
// windows, toolbars, OLE verbs, recent files, tab-group commands): before
// every layout of its bar such an item removes what it generated last time,
// hides itself and inserts fresh temporary items right after itself. In
// customise mode it generates nothing and shows itself, and it can be
// dropped into menus only.

#include "toolkit/commandbars/CTKControlButton.h"

#include <functional>

// The generated items of the window, toolbar and recent-file lists set
// their checked state themselves.
constexpr DWORD kTKListItemFlags = kTKFlagNoUpdate;

class CTKControlList : public CTKControlButton {
public:
    BOOL IsCustomizeDragOverAvail(CTKCommandBar* target, CPoint point, DWORD* dropEffect) override;

protected:
    // Removes the controls right after this one while they are generated ones.
    void RemoveFollowing(const std::function<BOOL(const CTKControl*)>& generated);
    // Customise mode shows the placeholder alone (TRUE: generate nothing);
    // otherwise it hides itself.
    BOOL ShowPlaceholderForCustomising();
};
