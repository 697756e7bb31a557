#pragma once
// Tabs with a slanted leading edge, each overlapping the one before.

#include "toolkit/docking/tabs/CTKTabLook.h"

class CTKTabLookSlanted : public CTKTabLook {
public:
    CRect GetTabAreaMargins() const override;
    CRect FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet) override;
    void DrawTab(CDC* dc, CTKTabItem* tab) override;
    int GetStyleConstant() const override { return 5; }
    int GetDefaultColorType() const override { return 4; }
};
