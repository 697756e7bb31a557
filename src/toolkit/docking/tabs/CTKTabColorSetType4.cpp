#include "toolkit/docking/tabs/CTKTabColorSetType4.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/commandbars/draw/CTKDrawingServices.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabNavigateButton.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabSet.h"

namespace {

constexpr int kButtonLook = 4;
constexpr int kHeaderBlendWeight = 205;
constexpr int kTabBlendWeight = 300;
constexpr int kColorHighlightFill = 36;
constexpr int kColorHighlightBorder = 37;
constexpr int kColorPressedFill = 33;
constexpr int kColorPressedFrame = 50;
constexpr int kColorPressedText = 47;
constexpr int kColorHotFill = 31;
constexpr int kColorHotFrame = 32;
constexpr int kColorHotText = 45;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kLunaPressedFrom = RGB(254, 142, 75);
constexpr COLORREF kLunaPressedTo = RGB(255, 207, 139);
constexpr COLORREF kLunaHotFrom = RGB(255, 242, 200);
constexpr COLORREF kLunaHotTo = RGB(255, 212, 151);

// The palettes of the schemes 1 "normalcolor", 2 "homestead", 3 "metallic".
constexpr CTKTabColorSetType4::LunaPalette kLunaPalettes[] = {
    {RGB(59, 97, 156), RGB(0, 53, 154), RGB(117, 166, 241), RGB(255, 255, 255), RGB(255, 192, 111),
     RGB(0, 0, 128), RGB(196, 218, 250), RGB(252, 253, 254), RGB(158, 190, 245), RGB(196, 218, 250),
     RGB(162, 192, 246), RGB(255, 194, 115), RGB(255, 240, 201)},
    {RGB(96, 128, 88), RGB(96, 119, 107), RGB(176, 194, 140), RGB(255, 255, 255), RGB(255, 192, 111),
     RGB(63, 93, 56), RGB(242, 241, 228), RGB(252, 254, 254), RGB(217, 217, 167), RGB(242, 241, 228),
     RGB(208, 222, 170), RGB(255, 194, 115), RGB(255, 240, 199)},
    {RGB(124, 124, 148), RGB(118, 116, 146), RGB(186, 185, 206), RGB(255, 255, 255), RGB(255, 192, 111),
     RGB(75, 75, 111), RGB(243, 243, 247), RGB(252, 254, 254), RGB(215, 215, 229), RGB(243, 243, 247),
     RGB(217, 217, 230), RGB(255, 194, 115), RGB(255, 238, 194)},
};
constexpr int kLunaSchemeCount = 3;

} // namespace

void CTKTabColorSetType4::RefreshColors()
{
    CTKTabColorSet::RefreshColors();
    const COLORREF face = Color(COLOR_3DFACE);
    headerGradient.SetColors(face, CTKSystemColors::BlendColors(face, Color(COLOR_WINDOW), kHeaderBlendWeight));
    buttonFill.AssignColor(Color(kColorHighlightFill));
    buttonBorder.AssignColor(Color(kColorHighlightBorder));
    hotTabColor = Color(kColorHighlightFill);
    hotTextColor = Color(COLOR_BTNTEXT);
    lunaPalette = FALSE;
    secondGradient = headerGradient;
    const BOOL lunaOff = m_renderer ? m_renderer->IsLunaColorsOff() : FALSE;
    if (!lunaOff) {
        const int scheme = CTKSystemColors::IsLunaVisualStyle();
        if (scheme >= 1 && scheme <= kLunaSchemeCount)
            ApplyPalette(kLunaPalettes[scheme - 1]);
        else
            selectedTabColor = Color(kColorHighlightFill);
    }
    for (int i = 0; i < kOutlineCount; ++i) {
        selectedOutline[i] = i < kOutlineCount / 2 ? frameColor : kNoColor;
        outline[i] = selectedOutline[i];
    }
    if (IsLookType(kButtonLook)) {
        headerGradient.AssignColor(face);
        secondGradient.AssignColor(face);
    }
}

void CTKTabColorSetType4::ApplyPalette(const LunaPalette& palette)
{
    frameColor = palette.frame;
    slantShadow[1] = palette.frame;
    darkShadow3D = palette.darkShadow;
    slantShadow[0] = palette.darkShadow;
    shadow3D = palette.shadow;
    slantFace[0] = palette.shadow;
    slantFace[1] = palette.slantFaceSecond;
    buttonFill.AssignColor(palette.buttonFill);
    buttonBorder.AssignColor(palette.buttonBorder);
    lunaButtonBorder = palette.buttonBorder;
    headerGradient.SetColors(palette.headerFrom, palette.headerTo);
    secondGradient.SetColors(palette.secondFrom, palette.secondTo);
    normalTabColor = palette.normalTab;
    selectedTabColor = palette.selectedTab;
    hotTabColor = palette.hotTab;
    lunaPalette = TRUE;
}

COLORREF CTKTabColorSetType4::FillTab(CDC* dc, CRect rect, CTKTabItem* tab)
{
    COLORREF color = GetTabColor(tab);
    const CTKTabSet* tabSet = tab->GetTabSet();
    if (tabSet && tabSet->GetHotTab() == tab)
        color = hotTabColor;
    FillGradientByPosition(dc, rect, CTKSystemColors::BlendColors(color, kWhite, kTabBlendWeight), color,
                           tabSet ? tabSet->GetPosition() : CTKTabRenderer::kTop);
    return color;
}

void CTKTabColorSetType4::DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect)
{
    COLORREF text = Color(COLOR_BTNTEXT);
    const BOOL pressed = button->IsPressed() && button->IsHover();
    const BOOL hot = (button->IsPressed() ? 1 : 0) + (button->IsHover() ? 1 : 0) == 1;
    if (button->IsEnabled() && (pressed || hot)) {
        if (lunaPalette) {
            GradientFillRect(dc, rect, pressed ? kLunaPressedFrom : kLunaHotFrom, pressed ? kLunaPressedTo : kLunaHotTo,
                             FALSE);
            dc->Draw3dRect(*rect, lunaButtonBorder, lunaButtonBorder);
        } else {
            dc->FillSolidRect(*rect, Color(pressed ? kColorPressedFill : kColorHotFill));
            const COLORREF frame = Color(pressed ? kColorPressedFrame : kColorHotFrame);
            dc->Draw3dRect(*rect, frame, frame);
            text = Color(pressed ? kColorPressedText : kColorHotText);
        }
    }
    dc->SetTextColor(text);
}
