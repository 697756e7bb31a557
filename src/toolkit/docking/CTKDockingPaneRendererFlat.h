#pragma once
// Style 1: flat captions, filled when active and outlined when not, with
// the framed caption buttons.

#include "toolkit/docking/CTKDockingPaneRenderer.h"

class CTKDockingPaneRendererFlat : public CTKDockingPaneRenderer {
public:
    CTKDockingPaneRendererFlat();
    void DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect) override;
};
