#pragma once
// Classic raised tabs of which only the selected and the hot one have edges.

#include "toolkit/docking/tabs/CTKTabLookDefault.h"

class CTKTabLookClassicHot : public CTKTabLookDefault {
public:
    void DrawTab(CDC* dc, CTKTabItem* tab) override;
};
