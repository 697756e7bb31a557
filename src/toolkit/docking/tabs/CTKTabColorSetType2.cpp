#include "toolkit/docking/tabs/CTKTabColorSetType2.h"

#include "platform/CDC.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/docking/tabs/CTKTabNavigateButton.h"

namespace {

constexpr int kButtonLook = 4;
constexpr int kFlatLook = 5;
constexpr int kTrapezoidLook = 7;
constexpr int kColorStrip = 48;
constexpr int kColorGreyText = 49;

} // namespace

void CTKTabColorSetType2::RefreshColors()
{
    CTKTabColorSet::RefreshColors();
    if (!IsLookType(kTrapezoidLook) && !IsLookType(kButtonLook))
        headerGradient.AssignColor(Color(kColorStrip));
    if (IsLookType(kFlatLook)) {
        textColor = Color(kColorGreyText);
        inactiveTextColor = Color(kColorGreyText);
    }
    secondGradient = headerGradient;
}

void CTKTabColorSetType2::DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect)
{
    if (IsLookType(kTrapezoidLook) || IsLookType(kButtonLook)) {
        DrawButtonFrameDefault(dc, button, rect);
        return;
    }
    if (button->IsEnabled()) {
        if (button->IsPressed()) {
            dc->Draw3dRect(*rect, Color(COLOR_BTNTEXT), Color(COLOR_3DFACE));
            rect->OffsetRect(1, 1);
        } else if (button->IsHover()) {
            dc->Draw3dRect(*rect, Color(COLOR_3DFACE), Color(COLOR_BTNTEXT));
        }
    }
    dc->SetTextColor(Color(kColorGreyText));
}
