#pragma once
// Trapezoid tabs that lean over their neighbours.

#include "toolkit/docking/tabs/CTKTabLook.h"

class CTKTabLookTrapezoid : public CTKTabLook {
public:
    CRect GetTabAreaMargins() const override;
    CRect FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet) override;
    void DrawTab(CDC* dc, CTKTabItem* tab) override;
    int GetStyleConstant() const override { return 7; }
    int GetDefaultColorType() const override { return 2; }
};
