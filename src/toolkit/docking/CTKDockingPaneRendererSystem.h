#pragma once
// Style 0: captions in the system's caption colours with system frame buttons.

#include "toolkit/docking/CTKDockingPaneRenderer.h"

class CTKDockingPaneRendererSystem : public CTKDockingPaneRenderer {
public:
    CTKDockingPaneRendererSystem();
    void DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect) override;

protected:
    ButtonMetrics GetButtonMetrics(const CRect& band) const override;
};
