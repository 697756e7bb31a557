#pragma once
// Style 6: the window theme's captions; without visual styles (as here) it
// draws as style 1 with its own tab looks.

#include "toolkit/docking/CTKDockingPaneRendererFlat.h"

class CTKDockingPaneRendererThemed : public CTKDockingPaneRendererFlat {
public:
    CTKDockingPaneRendererThemed();
};
