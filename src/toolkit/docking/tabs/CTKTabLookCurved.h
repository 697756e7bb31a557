#pragma once
// Tabs with softened corners in a one-pixel frame.

#include "toolkit/docking/tabs/CTKTabLook.h"

class CTKTabLookCurved : public CTKTabLook {
public:
    CRect FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet) override;
    void DrawTab(CDC* dc, CTKTabItem* tab) override;
    int GetStyleConstant() const override { return 7; }
    int GetDefaultColorType() const override { return 1; }
};
