#pragma once
// The colour manager of the command bars, docking panes and tabs: one table
// of 56 colours addressed by a small colour index. 1 to 27 are the system
// colours; 30 to 55 are derived from them by blending and by contrast
// corrections in a weighted colour space (plain substitutions on displays
// of 8 bits per pixel or fewer); a luna colour scheme replaces entry 54 and
// the light gradient pair.

#include "toolkit/commandbars/draw/CTKColorPair.h"

class CTKSystemColors {
public:
    static constexpr int kColorCount = 56;

    CTKSystemColors();

    // The one manager of the process.
    static CTKSystemColors& Instance();

    // The table entry for 0..55, otherwise the index itself (a literal colour).
    COLORREF LookupColor(UINT index) const;
    // Rebuilds the table; with TRUE only when no refresh has run yet.
    void RefreshColors(BOOL onlyIfNotDone);
    BOOL IsLunaColorsDisabled() const { return m_lunaColorsDisabled; }
    const CTKColorPair& GetLightGradient() const { return m_lightGradient; }

    // Per channel (first * weight + second * (d - weight) + d / 2) / d with
    // d = 100 for weights below 100 (per cent) and 1000 from 100 on (per mille).
    static COLORREF BlendColors(COLORREF first, COLORREF second, int weight);

    // Coordinates of the weighted colour space (ratio 3 : 6 : 1).
    static double WeightedRed(COLORREF color);
    static double WeightedGreen(COLORREF color);
    static double WeightedBlue(COLORREF color);
    static double ColorDistanceSquared(COLORREF a, COLORREF b);
    static double ColorDistance(COLORREF a, COLORREF b);
    static double AdaptContrastThreshold(int distance, int threshold);
    static BOOL HasContrast(COLORREF a, COLORREF b, BOOL adaptive, float threshold);
    // Moves the colour along its line from black (or white) to the threshold distance from the background.
    static COLORREF EnsureContrast(COLORREF background, COLORREF color, float threshold);
    // Moves the colour straight towards the reference to the threshold distance.
    static COLORREF ReduceContrast(COLORREF reference, COLORREF color, float threshold);

    // 0 without the luna style, else its colour scheme 1 (blue), 2 (olive) or 3 (silver).
    static int IsLunaVisualStyle();

private:
    void RefreshHighColor();
    void ApplyContrastCorrections();

    CTKColorPair m_lightGradient;
    BOOL m_initialized = FALSE;
    BOOL m_lunaColorsDisabled = FALSE;
    COLORREF m_colors[kColorCount] {};
};
