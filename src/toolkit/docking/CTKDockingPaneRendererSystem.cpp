#include "toolkit/docking/CTKDockingPaneRendererSystem.h"

#include "platform/CDC.h"
#include "platform/CGlyphs.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/docking/CTKDockingPaneCaptionButton.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

namespace {

constexpr int kTextInset = 4;

} // namespace

CTKDockingPaneRendererSystem::CTKDockingPaneRendererSystem()
{
    m_containerTabs->SetLook(0);
    m_stripTabs->SetLook(0);
}

CTKDockingPaneRenderer::ButtonMetrics CTKDockingPaneRendererSystem::GetButtonMetrics(const CRect&) const
{
    return {12, 2, 14};
}

void CTKDockingPaneRendererSystem::DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect)
{
    const CRect band = GetCaptionBand(rect);
    const BOOL active = container->IsActive();
    dc->FillSolidRect(CRect(rect.left, rect.top, rect.right, band.bottom + 2), GetSysColor(COLOR_3DFACE));
    dc->FillSolidRect(band, GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    PlaceCaptionButtons(container, band);
    CTKDockingPaneCaptionButton* close = container->GetCloseButton();
    if (!close->GetRect().IsRectEmpty()) {
        CRect frame = close->GetRect();
        CGlyphs::DrawFrameControl(dc, &frame, DFC_CAPTION, DFCS_CAPTIONCLOSE | (close->IsPressed() ? DFCS_PUSHED : 0));
    }
    CTKDockingPaneCaptionButton* pin = container->GetPinButton();
    if (!pin->GetRect().IsRectEmpty()) {
        CRect frame = pin->GetRect();
        CGlyphs::DrawFrameControl(dc, &frame, DFC_BUTTON,
                                  DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pin->IsPressed() ? DFCS_PUSHED : 0));
        CPoint centre = pin->GetRect().CenterPoint();
        if (pin->IsPressed())
            centre.Offset(1, 1);
        CTKDockingPaneCaptionButton::DrawPinGlyph(dc, centre, GetSysColor(COLOR_BTNTEXT),
                                                  (container->GetCaptionKind() & kCaptionPinLying) != 0);
    }
    DrawCaptionText(dc, container, band, kTextInset,
                    GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
}
