#pragma once
// The colour set of type 4: gradient tabs and strips with palettes for the
// three luna colour schemes.

#include "toolkit/docking/tabs/CTKTabColorSet.h"

class CTKTabColorSetType4 : public CTKTabColorSet {
public:
    // One luna colour scheme's colours.
    struct LunaPalette {
        COLORREF frame;
        COLORREF darkShadow;
        COLORREF shadow;
        COLORREF slantFaceSecond;
        COLORREF buttonFill;
        COLORREF buttonBorder;
        COLORREF headerFrom;
        COLORREF headerTo;
        COLORREF secondFrom;
        COLORREF secondTo;
        COLORREF normalTab;
        COLORREF selectedTab;
        COLORREF hotTab;
    };

    void RefreshColors() override;
    COLORREF FillTab(CDC* dc, CRect rect, CTKTabItem* tab) override;
    void DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect) override;

    COLORREF hotTabColor = 0;
    COLORREF lunaButtonBorder = 0;
    BOOL lunaPalette = FALSE;

private:
    void ApplyPalette(const LunaPalette& palette);
};
