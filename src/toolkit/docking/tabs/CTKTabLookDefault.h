#pragma once
// Classic raised tabs in 3-D edges, the client area in a 3-D frame.

#include "toolkit/docking/tabs/CTKTabLook.h"

class CTKTabLookDefault : public CTKTabLook {
public:
    CRect GetClientMargins() const override;
    CRect FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet) override;
    void DrawTab(CDC* dc, CTKTabItem* tab) override;
    int GetStyleConstant() const override { return 13; }
    int GetDefaultColorType() const override { return 1; }
};
