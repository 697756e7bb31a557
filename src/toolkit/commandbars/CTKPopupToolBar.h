#pragma once
// A popup whose controls are laid out in rows like a toolbar's.

#include "toolkit/commandbars/CTKPopupBar.h"

class CTKPopupToolBar : public CTKPopupBar {
    DECLARE_SERIAL(CTKPopupToolBar)
public:
    CTKPopupToolBar();

    // An empty popup toolbar of the command bars (which may be null).
    static CTKPopupToolBar* NewPopupToolBar(CTKCommandBars* commandBars);
};
