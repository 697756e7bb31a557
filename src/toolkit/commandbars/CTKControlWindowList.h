#pragma once
// The Window menu's list of open MDI child windows: one numbered item per
// visible child (at most nine), the active one checked; the items carry the
// children's ids, from the first MDI child id on.

#include "toolkit/commandbars/CTKControlList.h"

// The placeholder's command id and the most windows listed.
constexpr UINT kTKWindowListId = 35000;
constexpr int kTKMaxWindowItems = 9;

class CTKControlWindowList : public CTKControlList {
    DECLARE_SERIAL(CTKControlWindowList)
public:
    CTKControlWindowList();

    void OnCalcDynamicSize(DWORD layoutMode) override;
};
