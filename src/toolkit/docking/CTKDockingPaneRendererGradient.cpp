#include "toolkit/docking/CTKDockingPaneRendererGradient.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/commandbars/draw/CTKDrawingServices.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

#include <algorithm>

namespace {

constexpr int kLookGradient = 2;
constexpr int kGradientColors = 4;
constexpr int kCaptionExtra = 2;
constexpr int kCaptionMinimum = 20;
constexpr int kFace = 15;
constexpr int kWindow = 5;
constexpr int kLightWeight = 205;
constexpr int kBackground = 51;
constexpr int kDotLight = 20;
constexpr int kDotDark = 38;
constexpr int kFirstDot = 8;
constexpr int kDotStep = 4;
constexpr int kTextInset = 12;

} // namespace

CTKDockingPaneRendererGradient::CTKDockingPaneRendererGradient()
{
    for (CTKTabRenderer* tabs : {m_containerTabs.get(), m_stripTabs.get()}) {
        tabs->SetLook(kLookGradient);
        tabs->SetColors(kGradientColors);
        tabs->SetHotTracking(TRUE);
    }
    CTKDockingPaneRendererGradient::RefreshMetrics();
}

void CTKDockingPaneRendererGradient::RefreshMetrics()
{
    CTKDockingPaneRenderer::RefreshMetrics();
    m_captionHeight = std::max(SpaceHeight(&m_captionFont) + kCaptionExtra, kCaptionMinimum);
    m_gradientLight = CTKSystemColors::BlendColors(LookupColor(kFace), LookupColor(kWindow), kLightWeight);
    m_gradientDark = LookupColor(kFace);
}

CRect CTKDockingPaneRendererGradient::GetCaptionBand(const CRect& rect) const
{
    return CRect(rect.left, rect.top, rect.right, rect.top + m_captionHeight + 3);
}

CTKDockingPaneRenderer::ButtonMetrics CTKDockingPaneRendererGradient::GetButtonMetrics(const CRect&) const
{
    return {16, 4, 16};
}

void CTKDockingPaneRendererGradient::DrawGripper(CDC* dc, const CRect& band) const
{
    const int height = band.Height();
    for (int y = kFirstDot; y - 3 < height - 3; y += kDotStep) {
        dc->FillSolidRect(CRect(band.left + 6, band.top + y - 2, band.left + 8, band.top + y), LookupColor(kDotLight));
        dc->FillSolidRect(CRect(band.left + 5, band.top + y - 3, band.left + 7, band.top + y - 1), LookupColor(kDotDark));
    }
}

void CTKDockingPaneRendererGradient::DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect)
{
    const CRect band = GetCaptionBand(rect);
    dc->FillSolidRect(band, LookupColor(kBackground));
    CRect shade(band.left, band.top + 1, band.right, band.bottom);
    GradientFillRect(dc, &shade, m_gradientLight, m_gradientDark, FALSE);
    for (int x : {shade.left, static_cast<int>(shade.right) - 1}) {
        dc->SetPixel(x, shade.top, LookupColor(kBackground));
        dc->SetPixel(x, shade.bottom - 1, LookupColor(kBackground));
    }
    DrawGripper(dc, band);
    PlaceCaptionButtons(container, band);
    DrawStateButtons(dc, container);
    DrawCaptionText(dc, container, band, kTextInset, GetSysColor(COLOR_BTNTEXT));
}
