#pragma once
// Style 2: style 0's metrics with a face-coloured caption and two etched
// grip lines after the title.

#include "toolkit/docking/CTKDockingPaneRendererSystem.h"

class CTKDockingPaneRendererGrip : public CTKDockingPaneRendererSystem {
public:
    void DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect) override;

protected:
    ButtonMetrics GetButtonMetrics(const CRect& band) const override;
};
