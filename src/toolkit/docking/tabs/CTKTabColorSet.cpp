#include "toolkit/docking/tabs/CTKTabColorSet.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/commandbars/draw/CTKDrawingServices.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabNavigateButton.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

#include <utility>

namespace {

constexpr int kTrapezoidLook = 7;
constexpr COLORREF kBaseHotText = RGB(0, 0, 128);
// Rows of the halftone pattern.
constexpr BYTE kHalftoneEven = 0x55;
constexpr BYTE kHalftoneOdd = 0xAA;
constexpr int kSeparatorWidth = 2;
constexpr int kSeparatorInset = 2;

} // namespace

COLORREF CTKTabColorSet::Color(int index)
{
    return CTKSystemColors::Instance().LookupColor(static_cast<UINT>(index));
}

BOOL CTKTabColorSet::IsLookType(int type) const
{
    return m_renderer && m_renderer->GetLookType() == type;
}

void CTKTabColorSet::RefreshColors()
{
    headerGradient.AssignColor(Color(COLOR_3DFACE));
    secondGradient = headerGradient;
    frameColor = Color(COLOR_3DSHADOW);
    faceColor = Color(COLOR_3DFACE);
    lightColor = Color(COLOR_3DHIGHLIGHT);
    selectedTabColor = IsLookType(kTrapezoidLook) ? Color(COLOR_WINDOW) : Color(COLOR_3DFACE);
    normalTabColor = Color(COLOR_3DFACE);
    textColor = Color(COLOR_BTNTEXT);
    inactiveTextColor = Color(COLOR_BTNTEXT);
    selectedTextColor = Color(COLOR_BTNTEXT);
    hotTextColor = kBaseHotText;
    disabledTextColor = Color(COLOR_GRAYTEXT);
    buttonFill.AssignColor(Color(COLOR_WINDOW));
    buttonBorder.AssignColor(Color(COLOR_HIGHLIGHT));
    light3D = Color(COLOR_3DHIGHLIGHT);
    shadow3D = Color(COLOR_3DSHADOW);
    darkShadow3D = Color(COLOR_3DDKSHADOW);
    slantShadow[0] = slantShadow[1] = GetSysColor(COLOR_3DSHADOW);
    slantFace[0] = slantFace[1] = GetSysColor(COLOR_3DFACE);
    const COLORREF selected[kOutlineCount] = {Color(COLOR_BTNTEXT), Color(COLOR_3DSHADOW), Color(COLOR_BTNTEXT),
                                              kNoColor, kNoColor, kNoColor};
    const COLORREF normal[kOutlineCount] = {Color(COLOR_BTNTEXT), Color(COLOR_3DSHADOW), Color(COLOR_BTNTEXT),
                                            Color(COLOR_WINDOW), Color(COLOR_3DSHADOW), kNoColor};
    for (int i = 0; i < kOutlineCount; ++i) {
        selectedOutline[i] = selected[i];
        outline[i] = normal[i];
    }
}

void CTKTabColorSet::SetTabTextColor(CDC* dc, CTKTabItem* tab)
{
    const CTKTabSet* tabSet = tab->GetTabSet();
    COLORREF color = textColor;
    if (!tab->IsEnabled())
        color = disabledTextColor;
    else if (tabSet && !tabSet->IsActive())
        color = inactiveTextColor;
    else if (tabSet && tabSet->GetHotTab() == tab)
        color = hotTextColor;
    else if (tabSet && tabSet->GetSelectedTab() == tab)
        color = selectedTextColor;
    dc->SetTextColor(color);
}

void CTKTabColorSet::FillHeaderGradient(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    FillGradientByPosition(dc, rect, headerGradient.first, headerGradient.second, tabSet->GetPosition());
}

COLORREF CTKTabColorSet::FillClient(CDC* dc, CRect rect, CTKTabSet* tabSet)
{
    CTKTabItem* selected = tabSet->GetSelectedTab();
    const COLORREF color = selected ? GetTabColor(selected) : selectedTabColor;
    dc->FillSolidRect(rect, color);
    return color;
}

void CTKTabColorSet::FillButtonTab(CDC* dc, CRect rect, CTKTabItem* tab)
{
    const CTKTabSet* tabSet = tab->GetTabSet();
    const int position = tabSet->GetPosition();
    if (tabSet->GetSelectedTab() == tab) {
        if (m_renderer && m_renderer->IsColorCoded())
            dc->FillSolidRect(rect, GetTabColor(tab));
        else
            FillGradientByPosition(dc, rect, buttonFill.first, buttonFill.second, position);
        dc->Draw3dRect(rect, buttonBorder.first, buttonBorder.second);
        return;
    }
    const COLORREF dark = Color(COLOR_3DSHADOW);
    const COLORREF light = Color(COLOR_3DHIGHLIGHT);
    if (CTKTabRenderer::IsHorizontal(position)) {
        dc->Draw3dRect(rect.right, rect.top + kSeparatorInset, kSeparatorWidth, rect.Height() - 2 * kSeparatorInset,
                       dark, light);
        return;
    }
    dc->Draw3dRect(rect.left + kSeparatorInset, rect.bottom, rect.Width() - 2 * kSeparatorInset, kSeparatorWidth,
                   dark, light);
}

COLORREF CTKTabColorSet::FillTab(CDC* dc, CRect rect, CTKTabItem* tab)
{
    const COLORREF color = GetTabColor(tab);
    dc->FillSolidRect(rect, color);
    return color;
}

void CTKTabColorSet::FillHeader(CDC*, CRect, CTKTabSet*)
{
}

COLORREF CTKTabColorSet::GetTabColor(CTKTabItem* tab)
{
    if (m_renderer && m_renderer->IsColorCoded())
        return tab->GetColor();
    const CTKTabSet* tabSet = tab->GetTabSet();
    return tabSet && tabSet->GetSelectedTab() == tab ? selectedTabColor : normalTabColor;
}

void CTKTabColorSet::FillGradientByPosition(CDC* dc, CRect rect, COLORREF from, COLORREF to, int position)
{
    if (from == kHalftone) {
        CBrush brush;
        brush.CreatePatternBrush({kHalftoneEven, kHalftoneOdd, kHalftoneEven, kHalftoneOdd, kHalftoneEven,
                                  kHalftoneOdd, kHalftoneEven, kHalftoneOdd});
        const COLORREF oldBack = dc->SetBkColor(GetSysColor(COLOR_3DFACE));
        const COLORREF oldText = dc->SetTextColor(GetSysColor(COLOR_3DHIGHLIGHT));
        CBrush* old = dc->SelectObject(&brush);
        dc->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
        dc->SelectObject(old);
        dc->SetTextColor(oldText);
        dc->SetBkColor(oldBack);
        return;
    }
    if (position == CTKTabRenderer::kBottom || position == CTKTabRenderer::kRight)
        std::swap(from, to);
    if (m_renderer && m_renderer->IsGradientReversed())
        std::swap(from, to);
    GradientFillRect(dc, &rect, from, to, CTKTabRenderer::IsHorizontal(position) ? FALSE : TRUE);
}

void CTKTabColorSet::DrawButtonFrameDefault(CDC* dc, CTKTabNavigateButton* button, CRect* rect)
{
    if (button->IsEnabled()) {
        if (button->IsPressed()) {
            dc->Draw3dRect(*rect, Color(COLOR_3DSHADOW), Color(COLOR_3DHIGHLIGHT));
            rect->OffsetRect(1, 1);
        } else if (button->IsHover()) {
            dc->Draw3dRect(*rect, Color(COLOR_3DHIGHLIGHT), Color(COLOR_3DSHADOW));
        }
    }
    dc->SetTextColor(Color(COLOR_BTNTEXT));
}
