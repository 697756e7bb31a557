#pragma once
// Tabs as buttons; the client area is not drawn.

#include "toolkit/docking/tabs/CTKTabLook.h"

class CTKTabLookButton : public CTKTabLook {
public:
    void DrawTab(CDC* dc, CTKTabItem* tab) override;
    int GetStyleConstant() const override { return 15; }
    int GetDefaultColorType() const override { return 2; }
};
