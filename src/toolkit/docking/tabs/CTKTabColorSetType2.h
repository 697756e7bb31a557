#pragma once
// The colour set of type 2: a light strip and grey captions, the look of
// the Office XP themes.

#include "toolkit/docking/tabs/CTKTabColorSet.h"

class CTKTabColorSetType2 : public CTKTabColorSet {
public:
    void RefreshColors() override;
    void DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect) override;
};
