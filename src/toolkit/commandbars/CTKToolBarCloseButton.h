#pragma once
// The close button on the caption of a floating toolbar: hides the bar.

#include "toolkit/commandbars/CTKControlButton.h"

constexpr UINT kTKCloseButtonId = 9401;

class CTKToolBarCloseButton : public CTKControlButton {
public:
    CTKToolBarCloseButton();

    void Draw(CDC* dc) override;
    void Execute() override;
};
