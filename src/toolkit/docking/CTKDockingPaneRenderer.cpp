#include "toolkit/docking/CTKDockingPaneRenderer.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneRendererFlat.h"
#include "toolkit/docking/CTKDockingPaneRendererGradient.h"
#include "toolkit/docking/CTKDockingPaneRendererGrip.h"
#include "toolkit/docking/CTKDockingPaneRendererStacked.h"
#include "toolkit/docking/CTKDockingPaneRendererSystem.h"
#include "toolkit/docking/CTKDockingPaneRendererThemed.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kCaptionExtra = 4;
constexpr int kStripExtra = 10;
constexpr int kStripMinimum = 24;
constexpr int kSmallestHeight = -11;
constexpr int kCaptionGap = 3;
constexpr int kVerticalEscapement = 2700;
constexpr int kVerticalOrientation = 900;
constexpr BYTE kLatinCharsetLimit = 2;
constexpr int kHotFill = 31;
constexpr int kPressedFill = 33;
constexpr int kButtonFrame = 32;
constexpr int kHotGlyph = 45;
constexpr int kPressedGlyph = 47;
constexpr int kNormalGlyph = 18;
constexpr int kThickCloseHalf = 4;

} // namespace

std::unique_ptr<CTKDockingPaneRenderer> CTKDockingPaneRenderer::CreateOfType(int type)
{
    std::unique_ptr<CTKDockingPaneRenderer> renderer;
    switch (type) {
    case kTypeSystem: renderer = std::make_unique<CTKDockingPaneRendererSystem>(); break;
    case kTypeFlat: renderer = std::make_unique<CTKDockingPaneRendererFlat>(); break;
    case kTypeGrip: renderer = std::make_unique<CTKDockingPaneRendererGrip>(); break;
    case kTypeStacked: renderer = std::make_unique<CTKDockingPaneRendererStacked>(); break;
    case kTypeGradient: renderer = std::make_unique<CTKDockingPaneRendererGradient>(); break;
    case kTypeThemed: renderer = std::make_unique<CTKDockingPaneRendererThemed>(); break;
    default: return nullptr;
    }
    renderer->m_type = type;
    return renderer;
}

CTKDockingPaneRenderer::CTKDockingPaneRenderer()
    : m_containerTabs(std::make_unique<CTKTabRenderer>()), m_stripTabs(std::make_unique<CTKTabRenderer>())
{
    m_containerTabs->SetLayoutMode(CTKTabRenderer::kLayoutShrink);
    m_containerTabs->SetPosition(CTKTabRenderer::kBottom);
    m_containerTabs->SetClientFrame(CTKTabRenderer::kFrameSingle);
    m_containerTabs->SetBoldSelected(FALSE);
    m_stripTabs->SetLayoutMode(CTKTabRenderer::kLayoutSelectedCaption);
    m_stripTabs->SetClientFrame(CTKTabRenderer::kFrameNone);
    m_stripTabs->SetBoldSelected(FALSE);
    m_stripTabs->SetGradientReversed(TRUE);
    m_stripTabs->SetFillBackground(FALSE);
    CTKDockingPaneRenderer::RefreshMetrics();
}

CTKDockingPaneRenderer::~CTKDockingPaneRenderer() = default;

int CTKDockingPaneRenderer::SpaceHeight(CFont* font)
{
    CQtImageDC dc(1, 1);
    CTKDCSelectGuard guard(&dc, font);
    return dc.GetTextExtent(" ").cy;
}

void CTKDockingPaneRenderer::BuildFont(LOGFONT record, CFont* font, BOOL clampHeight)
{
    const BOOL latin = CSystemMetrics::Instance().GetMenuFont().lfCharSet <= kLatinCharsetLimit;
    if (m_useCustomFace && latin && CTKUIMetrics::FontExists(m_customFace)) {
        std::strncpy(record.lfFaceName, m_customFace.c_str(), LF_FACESIZE - 1);
        record.lfFaceName[LF_FACESIZE - 1] = 0;
    }
    if (clampHeight && record.lfHeight < 0 && record.lfHeight > kSmallestHeight)
        record.lfHeight = kSmallestHeight;
    font->DeleteObject();
    font->CreateFontIndirect(&record);
}

void CTKDockingPaneRenderer::RefreshMetrics()
{
    CSystemMetrics& system = CSystemMetrics::Instance();
    LOGFONT caption = system.GetSmallCaptionFont();
    m_captionFont.DeleteObject();
    m_captionFont.CreateFontIndirect(&caption);
    LOGFONT tab = system.GetIconTitleFont();
    BuildFont(tab, &m_tabFont, FALSE);
    LOGFONT vertical = tab;
    if (vertical.lfHeight < 0 && vertical.lfHeight > kSmallestHeight)
        vertical.lfHeight = kSmallestHeight;
    vertical.lfEscapement = kVerticalEscapement;
    vertical.lfOrientation = kVerticalOrientation;
    const BOOL custom = CTKUIMetrics::FontExists(m_customFace) && std::strcmp(tab.lfFaceName, "Arial") != 0;
    std::strncpy(vertical.lfFaceName, custom ? m_customFace.c_str() : "Arial", LF_FACESIZE - 1);
    m_verticalFont.DeleteObject();
    m_verticalFont.CreateFontIndirect(&vertical);
    m_captionHeight = SpaceHeight(&m_captionFont) + kCaptionExtra;
    m_stripHeight = std::max(SpaceHeight(&m_tabFont) + kStripExtra, kStripMinimum);
    CTKSystemColors& colors = CTKSystemColors::Instance();
    colors.RefreshColors(TRUE);
    for (int i = 0; i < kColorCount; ++i)
        m_colors[i] = colors.LookupColor(i);
    m_containerTabs->RefreshMetrics();
    m_stripTabs->RefreshMetrics();
}

COLORREF CTKDockingPaneRenderer::LookupColor(UINT index) const
{
    return index < static_cast<UINT>(kColorCount) ? m_colors[index] : index;
}

void CTKDockingPaneRenderer::SetColorEntries(int count, const int* indices, const COLORREF* colors)
{
    for (int i = 0; i < count; ++i) {
        if (indices[i] >= 0 && indices[i] < kColorCount)
            m_colors[indices[i]] = colors[i];
    }
}

void CTKDockingPaneRenderer::DrawContainer(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect rect)
{
    dc->FillSolidRect(rect, GetSysColor(COLOR_3DFACE));
    if (container->IsCaptionVisible())
        DrawCaption(dc, container, rect);
    AdjustCaptionRect(container, &rect);
    if (container->IsTabsVisible() || m_alwaysShowTabs)
        m_containerTabs->DrawTabSet(dc, rect, container);
}

void CTKDockingPaneRenderer::AdjustCaptionRect(const CTKDockingPaneTabbedContainer* container, CRect* rect) const
{
    if (container->IsCaptionVisible())
        rect->top += m_captionHeight + kCaptionGap;
}

void CTKDockingPaneRenderer::RepositionContainer(CTKDockingPaneTabbedContainer* container, CRect* rect)
{
    AdjustCaptionRect(container, rect);
    if (!container->IsTabsVisible() && !m_alwaysShowTabs)
        return;
    CQtImageDC dc(1, 1);
    m_containerTabs->RepositionTabs(container, &dc, *rect);
    *rect = container->CTKTabSet::GetClientRect();
}

CRect CTKDockingPaneRenderer::GetCaptionBand(const CRect& rect) const
{
    return CRect(rect.left, rect.top + 2, rect.right, rect.top + m_captionHeight + 1);
}

CTKDockingPaneRenderer::ButtonMetrics CTKDockingPaneRenderer::GetButtonMetrics(const CRect&) const
{
    return {14, 2, 16};
}

void CTKDockingPaneRenderer::PlaceCaptionButtons(CTKDockingPaneTabbedContainer* container, const CRect& band) const
{
    const ButtonMetrics metrics = GetButtonMetrics(band);
    const int cy = (band.top + band.bottom) / 2;
    const int half = metrics.size / 2;
    const CRect close(band.right - metrics.rightInset - metrics.size, cy - half, band.right - metrics.rightInset,
                      cy - half + metrics.size);
    CRect pin = close;
    pin.OffsetRect(-metrics.step, 0);
    CTKDockingPaneItem* pane = container->GetSelected();
    const DWORD options = pane ? pane->GetOptions() : 0;
    const BOOL closeOffered = pane && !(options & CTKDockingPaneItem::kNoClose);
    const BOOL pinOffered =
        pane && (container->GetCaptionKind() & kCaptionPin) && !(options & CTKDockingPaneItem::kNoAutoHide);
    container->GetCloseButton()->SetButtonRect(closeOffered ? close : CRect());
    container->GetPinButton()->SetButtonRect(pinOffered ? pin : CRect());
}

int CTKDockingPaneRenderer::ButtonsLeft(const CTKDockingPaneTabbedContainer* container, const CRect& band)
{
    int left = band.right;
    for (const CTKDockingPaneCaptionButton* button : {container->GetCloseButton(), container->GetPinButton()}) {
        if (!button->GetRect().IsRectEmpty())
            left = std::min(left, static_cast<int>(button->GetRect().left));
    }
    return left;
}

int CTKDockingPaneRenderer::DrawCaptionText(CDC* dc, CTKDockingPaneTabbedContainer* container, CRect band,
                                            int left, COLORREF color)
{
    CRect text(band.left + left, band.top, ButtonsLeft(container, band), band.bottom);
    if (!container->GetSelected() || text.right <= text.left)
        return text.left;
    CTKDCSelectGuard font(dc, &m_captionFont);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(color);
    const std::string caption = container->GetCaption();
    dc->DrawText(caption, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    return std::min(static_cast<int>(text.left + dc->GetTextExtent(caption).cx), static_cast<int>(text.right));
}

COLORREF CTKDockingPaneRenderer::FillButtonState(CDC* dc, const CTKDockingPaneCaptionButton& button) const
{
    const CRect rect = button.GetRect();
    if (button.IsPressed()) {
        dc->FillSolidRect(rect, LookupColor(kPressedFill));
        dc->Draw3dRect(rect, LookupColor(kButtonFrame), LookupColor(kButtonFrame));
        return LookupColor(kPressedGlyph);
    }
    if (button.IsHot()) {
        dc->FillSolidRect(rect, LookupColor(kHotFill));
        dc->Draw3dRect(rect, LookupColor(kButtonFrame), LookupColor(kButtonFrame));
        return LookupColor(kHotGlyph);
    }
    return LookupColor(kNormalGlyph);
}

void CTKDockingPaneRenderer::DrawStateButtons(CDC* dc, CTKDockingPaneTabbedContainer* container)
{
    const BOOL lying = (container->GetCaptionKind() & kCaptionPinLying) != 0;
    CTKDockingPaneCaptionButton* close = container->GetCloseButton();
    if (!close->GetRect().IsRectEmpty()) {
        const COLORREF color = FillButtonState(dc, *close);
        const CPoint c = close->GetRect().CenterPoint();
        CTKDCPenGuard pen(dc, color);
        for (int shift = 0; shift < 2; ++shift) {
            dc->MoveTo(c.x - kThickCloseHalf + shift, c.y - kThickCloseHalf);
            dc->LineTo(c.x + kThickCloseHalf + shift, c.y + kThickCloseHalf);
            dc->MoveTo(c.x - kThickCloseHalf + shift, c.y + kThickCloseHalf - 1);
            dc->LineTo(c.x + kThickCloseHalf + shift, c.y - kThickCloseHalf - 1);
        }
    }
    CTKDockingPaneCaptionButton* pin = container->GetPinButton();
    if (!pin->GetRect().IsRectEmpty()) {
        const COLORREF color = FillButtonState(dc, *pin);
        CTKDockingPaneCaptionButton::DrawPinGlyph(dc, pin->GetRect().CenterPoint(), color, lying);
    }
}
