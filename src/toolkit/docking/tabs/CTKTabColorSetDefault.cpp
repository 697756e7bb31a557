#include "toolkit/docking/tabs/CTKTabColorSetDefault.h"

#include "platform/CSystemMetrics.h"

namespace {

constexpr int kTrapezoidLook = 7;

} // namespace

void CTKTabColorSetDefault::RefreshColors()
{
    CTKTabColorSet::RefreshColors();
    buttonFill.AssignColor(kHalftone);
    buttonBorder.SetColors(Color(COLOR_3DSHADOW), Color(COLOR_3DHIGHLIGHT));
    const COLORREF text = Color(COLOR_BTNTEXT);
    const COLORREF selected[kOutlineCount] = {text, text, text, Color(COLOR_WINDOW), Color(COLOR_3DSHADOW),
                                              Color(COLOR_3DSHADOW)};
    const COLORREF normal[kOutlineCount] = {text, text, text, kNoColor, kNoColor, kNoColor};
    for (int i = 0; i < kOutlineCount; ++i) {
        selectedOutline[i] = selected[i];
        outline[i] = normal[i];
    }
    if (!IsLookType(kTrapezoidLook))
        return;
    selectedTabColor = Color(COLOR_3DFACE);
    normalTabColor = Color(COLOR_WINDOW);
    frameColor = Color(COLOR_BTNTEXT);
}

void CTKTabColorSetDefault::DrawNavigateButtonFrame(CDC* dc, CTKTabNavigateButton* button, CRect* rect)
{
    DrawButtonFrameDefault(dc, button, rect);
}
