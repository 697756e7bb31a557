#pragma once
// The list of the frame's toolbars in a menu: one check box per toolbar
// (the menu bar left out), which hides or shows that toolbar.

#include "toolkit/commandbars/CTKControlList.h"

constexpr UINT kTKToolbarsListId = 59392;
// The parameter that marks the generated items.
constexpr char kTKToolbarItemParameter[] = "CTKControlToolbar";

class CTKControlToolbars : public CTKControlList {
    DECLARE_SERIAL(CTKControlToolbars)
public:
    CTKControlToolbars();

    void OnCalcDynamicSize(DWORD layoutMode) override;
};
