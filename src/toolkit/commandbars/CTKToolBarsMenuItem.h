#pragma once
// One line of the toolbars menu: a check box for one toolbar of the command
// bars (its index is the tag); choosing it closes the menus and shows or
// hides that toolbar.

#include "toolkit/commandbars/CTKControlButton.h"

class CTKCommandBars;

class CTKToolBarsMenuItem : public CTKControlButton {
public:
    CTKToolBarsMenuItem(CTKCommandBars* commandBars, int barIndex);

    void Execute() override;

private:
    CTKCommandBars* m_pCommandBars;
};
