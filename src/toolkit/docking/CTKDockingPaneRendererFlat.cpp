#include "toolkit/docking/CTKDockingPaneRendererFlat.h"

#include "platform/CDC.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/docking/CTKDockingPaneCaptionButton.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

namespace {

constexpr int kTextInset = 4;
constexpr int kLookFlat = 5;
constexpr int kLookStrip = 6;
constexpr int kBackground = 51;
constexpr int kActiveFill = 2;
constexpr int kOutline = 52;
constexpr int kActiveText = 14;
constexpr int kInactiveText = 18;

} // namespace

CTKDockingPaneRendererFlat::CTKDockingPaneRendererFlat()
{
    m_containerTabs->SetLook(kLookFlat);
    m_stripTabs->SetLook(kLookStrip);
}

void CTKDockingPaneRendererFlat::DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect)
{
    const CRect band = GetCaptionBand(rect);
    const BOOL active = container->IsActive();
    dc->FillSolidRect(CRect(rect.left, rect.top, rect.right, band.bottom + 2), LookupColor(kBackground));
    if (active) {
        dc->FillSolidRect(band, LookupColor(kActiveFill));
    } else {
        CTKDCPenGuard pen(dc, LookupColor(kOutline));
        dc->MoveTo(band.left + 1, band.top);
        dc->LineTo(band.right - 1, band.top);
        dc->MoveTo(band.right - 1, band.top + 1);
        dc->LineTo(band.right - 1, band.bottom - 1);
        dc->MoveTo(band.right - 2, band.bottom - 1);
        dc->LineTo(band.left, band.bottom - 1);
        dc->MoveTo(band.left, band.bottom - 2);
        dc->LineTo(band.left, band.top);
    }
    PlaceCaptionButtons(container, band);
    const COLORREF text = LookupColor(active ? kActiveText : kInactiveText);
    const BOOL lying = (container->GetCaptionKind() & kCaptionPinLying) != 0;
    container->GetCloseButton()->DrawCaptionButton(dc, text, lying);
    container->GetPinButton()->DrawCaptionButton(dc, text, lying);
    DrawCaptionText(dc, container, band, kTextInset, text);
}
