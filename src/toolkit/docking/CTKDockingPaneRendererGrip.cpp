#include "toolkit/docking/CTKDockingPaneRendererGrip.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/docking/CTKDockingPaneCaptionButton.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

namespace {

constexpr int kTextInset = 4;
constexpr int kGripGap = 8;
constexpr int kGripHeight = 3;

} // namespace

CTKDockingPaneRenderer::ButtonMetrics CTKDockingPaneRendererGrip::GetButtonMetrics(const CRect&) const
{
    return {14, 2, 16};
}

void CTKDockingPaneRendererGrip::DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect)
{
    const CRect band = GetCaptionBand(rect);
    dc->FillSolidRect(CRect(rect.left, rect.top, rect.right, band.bottom + 2), GetSysColor(COLOR_3DFACE));
    PlaceCaptionButtons(container, band);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    const BOOL lying = (container->GetCaptionKind() & kCaptionPinLying) != 0;
    container->GetCloseButton()->DrawCaptionButton(dc, text, lying);
    container->GetPinButton()->DrawCaptionButton(dc, text, lying);
    const int textEnd = DrawCaptionText(dc, container, band, kTextInset, text);
    const int left = textEnd + kGripGap;
    const int right = ButtonsLeft(container, band) - 2;
    if (right <= left)
        return;
    const int cy = (band.top + band.bottom) / 2;
    for (int top : {cy - 3, cy + 1}) {
        dc->Draw3dRect(CRect(left, top, right, top + kGripHeight), GetSysColor(COLOR_3DHIGHLIGHT),
                       GetSysColor(COLOR_3DSHADOW));
    }
}
