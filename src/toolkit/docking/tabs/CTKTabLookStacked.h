#pragma once
// Tabs stacked as full-width bars above and below the client area of the selected one.

#include "toolkit/docking/tabs/CTKTabLook.h"

class CTKTabLookStacked : public CTKTabLook {
public:
    CRect GetHeaderRect(CRect rect, CTKTabSet* tabSet) override;
    CRect GetClientAreaRect(CRect rect, CTKTabSet* tabSet) override;
    void RepositionTabs(CTKTabSet* tabSet, CDC* dc, CRect rect) override;
    void AdjustClientRect(CTKTabSet* tabSet, CRect* rect) override;
    void DrawTabSet(CDC* dc, CRect rect, CTKTabSet* tabSet) override;
    void DrawTab(CDC* dc, CTKTabItem* tab) override;
    int GetStyleConstant() const override { return 5; }
    int GetDefaultColorType() const override { return 1; }
};
