#pragma once
// Style 3: the whole container filled in the toolbar colours, tabs on top,
// caption buttons as squares with hot and pressed fills.

#include "toolkit/docking/CTKDockingPaneRendererFlat.h"

class CTKDockingPaneRendererStacked : public CTKDockingPaneRendererFlat {
public:
    CTKDockingPaneRendererStacked();
    void DrawContainer(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect) override;
    void DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect) override;
    void RefreshMetrics() override;
    void AdjustCaptionRect(const CTKDockingPaneTabbedContainer* container, CRect* rect) const override;
    CRect GetCaptionBand(const CRect& rect) const override;

protected:
    ButtonMetrics GetButtonMetrics(const CRect& band) const override;
};
