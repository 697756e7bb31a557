#pragma once
// The colour set of type 1 and of every type without a set of its own:
// 3-D face tabs, a halftone selected button.

#include "toolkit/docking/tabs/CTKTabColorSet.h"

class CTKTabColorSetDefault : public CTKTabColorSet {
public:
    void RefreshColors() override;
    void DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect) override;
};
