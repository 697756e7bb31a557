#include "toolkit/docking/CTKDockingPaneRendererStacked.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

namespace {

constexpr int kLookStacked = 8;
constexpr int kActiveFill = 31;
constexpr int kInactiveFill = 30;
constexpr int kEdge = 51;
constexpr int kActiveGrip = 18;
constexpr int kInactiveGrip = 38;
constexpr int kBorder = 3;
constexpr int kCaptionExtra = 2;
constexpr int kStripExtra = 5;
constexpr int kTextInset = 4;
constexpr int kGripGap = 6;

} // namespace

CTKDockingPaneRendererStacked::CTKDockingPaneRendererStacked()
{
    m_containerTabs->SetLook(kLookStacked);
    m_containerTabs->SetPosition(CTKTabRenderer::kTop);
    CTKDockingPaneRendererStacked::RefreshMetrics();
}

void CTKDockingPaneRendererStacked::RefreshMetrics()
{
    CTKDockingPaneRenderer::RefreshMetrics();
    BuildFont(CSystemMetrics::Instance().GetSmallCaptionFont(), &m_captionFont, TRUE);
    BuildFont(CSystemMetrics::Instance().GetIconTitleFont(), &m_tabFont, TRUE);
    m_captionHeight = SpaceHeight(&m_captionFont) + kCaptionExtra;
    m_stripHeight = SpaceHeight(&m_tabFont) + kStripExtra;
}

CRect CTKDockingPaneRendererStacked::GetCaptionBand(const CRect& rect) const
{
    return CRect(rect.left, rect.top + 2, rect.right, rect.top + m_captionHeight + 3);
}

CTKDockingPaneRenderer::ButtonMetrics CTKDockingPaneRendererStacked::GetButtonMetrics(const CRect& band) const
{
    return {band.Height(), 1, band.Height()};
}

void CTKDockingPaneRendererStacked::AdjustCaptionRect(const CTKDockingPaneTabbedContainer* container,
                                                      CRect* rect) const
{
    CTKDockingPaneRenderer::AdjustCaptionRect(container, rect);
    rect->left += kBorder;
    rect->right -= kBorder;
    rect->bottom -= kBorder;
    if (!container->IsCaptionVisible())
        rect->top += kBorder;
    if (!container->IsTabsVisible() && m_containerTabs->GetClientFrame() != CTKTabRenderer::kFrameNone)
        rect->DeflateRect(1, 1);
}

void CTKDockingPaneRendererStacked::DrawContainer(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect)
{
    const CRect whole = rect;
    dc->FillSolidRect(rect, LookupColor(container->IsActive() ? kActiveFill : kInactiveFill));
    dc->SetBkMode(TRANSPARENT);
    const BOOL caption = container->IsCaptionVisible();
    if (caption) {
        dc->FillSolidRect(CRect(rect.left, rect.top, rect.right, rect.top + 1), LookupColor(kEdge));
        DrawCaption(dc, container, rect);
    }
    AdjustCaptionRect(container, &rect);
    if (container->IsTabsVisible() || m_alwaysShowTabs) {
        m_containerTabs->DrawTabSet(dc, rect, container);
    } else if (m_containerTabs->GetClientFrame() != CTKTabRenderer::kFrameNone) {
        CRect frame = rect;
        frame.InflateRect(1, 1);
        const COLORREF color = m_containerTabs->GetColorSet() ? m_containerTabs->GetColorSet()->GetFrameColor()
                                                              : GetSysColor(COLOR_3DSHADOW);
        dc->Draw3dRect(frame, color, color);
    }
    const int top = caption ? whole.top + 1 : whole.top;
    dc->SetPixel(whole.left, top, LookupColor(kEdge));
    dc->SetPixel(whole.right - 1, top, LookupColor(kEdge));
    dc->SetPixel(whole.left, whole.bottom - 1, LookupColor(kEdge));
    dc->SetPixel(whole.right - 1, whole.bottom - 1, LookupColor(kEdge));
}

void CTKDockingPaneRendererStacked::DrawCaption(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect)
{
    const CRect band = GetCaptionBand(rect);
    PlaceCaptionButtons(container, band);
    DrawStateButtons(dc, container);
    const int textEnd = DrawCaptionText(dc, container, band, kTextInset, GetSysColor(COLOR_BTNTEXT));
    const int left = textEnd + kGripGap;
    const int right = ButtonsLeft(container, band) - kGripGap;
    if (right <= left)
        return;
    const int cy = (band.top + band.bottom) / 2;
    CTKDCPenGuard pen(dc, LookupColor(container->IsActive() ? kActiveGrip : kInactiveGrip));
    for (int y : {cy - 1, cy + 1}) {
        dc->MoveTo(left, y);
        dc->LineTo(right, y);
    }
}
