#pragma once
// Flat tabs between separators; only the selected one is framed.

#include "toolkit/docking/tabs/CTKTabLook.h"

class CTKTabLookFlat : public CTKTabLook {
public:
    CRect FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet) override;
    void DrawTab(CDC* dc, CTKTabItem* tab) override;
    int GetStyleConstant() const override { return 7; }
    int GetDefaultColorType() const override { return 2; }
};
