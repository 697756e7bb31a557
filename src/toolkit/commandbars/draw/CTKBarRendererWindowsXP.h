#pragma once
// The Windows XP bar theme: the desktop's visual styles for toolbar buttons
// and the rebar background where the desktop offers them; without them it
// draws as the Classic theme with faded idle icons.

#include "toolkit/commandbars/draw/CTKBarRendererClassic.h"
#include "toolkit/commandbars/draw/CTKVisualStyles.h"

class CTKBarRendererWindowsXP : public CTKBarRendererClassic {
public:
    CTKBarRendererWindowsXP();

    void RefreshMetrics() override;
    int GetThemeStyle() const override { return kTKThemeWindowsXP; }

private:
    CTKVisualStyles m_themeRebar;
    CTKVisualStyles m_themeToolbar;
};
