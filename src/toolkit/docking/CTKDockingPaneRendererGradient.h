#pragma once
// Style 5: a caption band shaded from a light to a dark face colour with a
// column of gripper dots and hot-tracked square caption buttons.

#include "toolkit/docking/CTKDockingPaneRendererFlat.h"

class CTKDockingPaneRendererGradient : public CTKDockingPaneRendererFlat {
public:
    CTKDockingPaneRendererGradient();
    void DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect) override;
    void RefreshMetrics() override;
    CRect GetCaptionBand(const CRect& rect) const override;

    COLORREF GetGradientLight() const { return m_gradientLight; }
    COLORREF GetGradientDark() const { return m_gradientDark; }

protected:
    ButtonMetrics GetButtonMetrics(const CRect& band) const override;

private:
    void DrawGripper(CDC* dc, const CRect& band) const;

    COLORREF m_gradientLight = 0;
    COLORREF m_gradientDark = 0;
};
