#pragma once
// The button at the end of a menu that hides rarely used commands: two
// down chevrons; pressing it (or resting on it, when the option asks for
// that) shows the whole menu.

#include "toolkit/commandbars/CTKControlButton.h"

constexpr UINT kTKMenuExpandButtonId = 9402;

class CTKControlExpandButton : public CTKControlButton {
public:
    CTKControlExpandButton();

    CSize GetSize(CDC* dc) override;
    void Draw(CDC* dc) override;
    void Execute() override;
    void OnMouseHover() override;
};
