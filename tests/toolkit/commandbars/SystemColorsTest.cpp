// The colour manager: blends, the contrast rules of the weighted colour
// space, the derived table for the pinned desktop colours and for colours
// where the corrections fire, low-colour substitutions and luna schemes.

#include "platform/CSystemMetrics.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/draw/CTKVisualStyles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class SystemColorsTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override
    {
        CTKVisualStyles::PretendThemeName("", "");
        CSystemMetrics::Instance().Reset();
        CTKSystemColors::Instance().RefreshColors(FALSE);
    }
    // A fresh manager over the current system colours.
    CTKSystemColors Refreshed() { return CTKSystemColors(); }
};

struct BlendCase {
    COLORREF first;
    COLORREF second;
    int weight;
    COLORREF expected;
};

TEST_F(SystemColorsTest, BlendsArePerCentBelowHundredAndPerMilleFromHundredOn)
{
    const BlendCase cases[] = {
        {kWhite, kBlack, 99, RGB(252, 252, 252)},          // (255*99 + 50) / 100
        {kWhite, kBlack, 100, RGB(26, 26, 26)},            // (255*100 + 500) / 1000
        {kWhite, kBlack, 50, RGB(128, 128, 128)},          // 127.5 rounds up
        {kWhite, RGB(212, 208, 200), 165, RGB(219, 216, 209)},
        {RGB(212, 208, 200), kWhite, 205, RGB(246, 245, 244)},
        {RGB(10, 36, 106), kWhite, 30, RGB(182, 189, 210)},
        {kBlack, RGB(128, 128, 128), 20, RGB(102, 102, 102)},
        {RGB(1, 2, 3), RGB(4, 5, 6), 0, RGB(4, 5, 6)},
        {RGB(1, 2, 3), RGB(4, 5, 6), 1000, RGB(1, 2, 3)},
    };
    for (const BlendCase& c : cases) {
        EXPECT_EQ(CTKSystemColors::BlendColors(c.first, c.second, c.weight), c.expected)
            << std::hex << c.first << " " << c.second << " " << std::dec << c.weight;
    }
}

TEST_F(SystemColorsTest, ThresholdsAreDoubledForBlackAndKeptFromDistance220)
{
    EXPECT_FLOAT_EQ(CTKSystemColors::AdaptContrastThreshold(0, 50), 100.0f);
    EXPECT_FLOAT_EQ(CTKSystemColors::AdaptContrastThreshold(110, 50), 75.0f);
    EXPECT_NEAR(CTKSystemColors::AdaptContrastThreshold(220, 50), 50.0, 1e-4);
    EXPECT_NEAR(CTKSystemColors::AdaptContrastThreshold(440, 50), 50.0, 1e-4);
    // White lies about 440.85 from black in the weighted space.
    EXPECT_NEAR(CTKSystemColors::ColorDistance(kBlack, kWhite), 440.85, 0.01);
    EXPECT_NEAR(CTKSystemColors::WeightedGreen(RGB(0, 255, 0)), 390.0, 1e-9);
}

struct ContrastCase {
    COLORREF a;
    COLORREF b;
    BOOL adaptive;
    float threshold;
    BOOL expected;
};

TEST_F(SystemColorsTest, ContrastIsAStrictlyGreaterDistance)
{
    // Grey 43 lies 74.35 from black; black's adaptive threshold is doubled.
    const ContrastCase cases[] = {
        {kBlack, RGB(43, 43, 43), FALSE, 74.0f, TRUE},
        {kBlack, RGB(43, 43, 43), FALSE, 75.0f, FALSE},
        {kBlack, RGB(43, 43, 43), TRUE, 35.0f, TRUE},
        {kBlack, RGB(43, 43, 43), TRUE, 38.0f, FALSE},
        {kBlack, kBlack, FALSE, 0.0f, FALSE},
        {kWhite, kBlack, TRUE, 180.0f, TRUE},
    };
    for (const ContrastCase& c : cases) {
        EXPECT_EQ(CTKSystemColors::HasContrast(c.a, c.b, c.adaptive, c.threshold), c.expected)
            << std::hex << c.a << " " << c.b << " " << std::dec << c.threshold;
    }
}

TEST_F(SystemColorsTest, EnsureContrastMovesAlongTheLineFromBlackOrWhite)
{
    // Black on black lightens: from white towards black, stopping 100 (the
    // doubled 50) from black: 255 * 100 / 440.85 = 57.8.
    EXPECT_EQ(CTKSystemColors::EnsureContrast(kBlack, kBlack, 50), RGB(58, 58, 58));
    // White on white darkens to 50 from white: 255 * 390.85 / 440.85 = 226.1.
    EXPECT_EQ(CTKSystemColors::EnsureContrast(kWhite, kWhite, 50), RGB(226, 226, 226));
    // Grey 43 against black is pulled back to 70 (the doubled 35): 43 * 70 / 74.35.
    EXPECT_EQ(CTKSystemColors::ReduceContrast(kBlack, RGB(43, 43, 43), 35), RGB(40, 40, 40));
}

TEST_F(SystemColorsTest, PinnedColoursGiveTheDerivedTable)
{
    const CTKSystemColors colors = Refreshed();
    struct Entry {
        UINT index;
        COLORREF expected;
    };
    // Worked from the default table: face (212,208,200), window white,
    // shadow and grey text 128, highlight (10,36,106), texts black, highlight text white.
    const Entry entries[] = {
        {0, kBlack},
        {COLOR_BTNFACE, RGB(212, 208, 200)},
        {22, RGB(227, 223, 215)},
        {28, kBlack},
        {29, kBlack},
        {30, RGB(219, 216, 209)},
        {31, RGB(182, 189, 210)},
        {32, RGB(10, 36, 106)},
        {33, RGB(133, 146, 181)},
        {34, RGB(136, 141, 157)},
        {35, RGB(166, 166, 166)},
        {36, RGB(212, 213, 216)},
        {37, RGB(10, 36, 106)},
        {38, RGB(160, 160, 160)},
        {39, RGB(166, 166, 166)},
        {40, RGB(141, 141, 141)},
        {41, RGB(249, 248, 247)},
        {42, RGB(204, 200, 193)},
        {43, RGB(102, 102, 102)},
        {44, kBlack},
        {45, kBlack},
        {46, kBlack},
        {47, kWhite},
        {48, RGB(247, 242, 233)},
        {49, RGB(85, 85, 85)},
        {50, RGB(10, 36, 106)},
        {51, RGB(212, 208, 200)},
        {52, RGB(128, 128, 128)},
        {53, RGB(219, 216, 209)},
        {54, RGB(128, 128, 128)},
        {55, RGB(212, 208, 200)},
    };
    for (const Entry& e : entries)
        EXPECT_EQ(colors.LookupColor(e.index), e.expected) << "entry " << e.index;
    EXPECT_EQ(colors.LookupColor(56), 56u);
    EXPECT_EQ(colors.GetLightGradient().first, RGB(212, 208, 200));
    EXPECT_EQ(colors.GetLightGradient().second, RGB(246, 245, 244));
}

TEST_F(SystemColorsTest, ABlackFaceIsPulledBackAndGivesTheFixedBrightAndDarkEntries)
{
    CSystemMetrics::Instance().SetSysColor(COLOR_BTNFACE, kBlack);
    const CTKSystemColors colors = Refreshed();
    // Blend(window, black, 165) = 43 contrasts with black by more than the
    // doubled 35 and is pulled back to 40.
    EXPECT_EQ(colors.LookupColor(30), RGB(40, 40, 40));
    EXPECT_EQ(colors.LookupColor(53), RGB(40, 40, 40));
    EXPECT_EQ(colors.LookupColor(48), RGB(35, 35, 35));
    EXPECT_EQ(colors.LookupColor(49), RGB(127, 127, 127));
    EXPECT_EQ(colors.LookupColor(22), RGB(15, 15, 15));
}

TEST_F(SystemColorsTest, AWhiteFaceStaysWhiteWhenBrightened)
{
    CSystemMetrics::Instance().SetSysColor(COLOR_BTNFACE, kWhite);
    CSystemMetrics::Instance().SetSysColor(COLOR_BTNSHADOW, kBlack);
    const CTKSystemColors colors = Refreshed();
    EXPECT_EQ(colors.LookupColor(48), kWhite);
    EXPECT_EQ(colors.LookupColor(49), kBlack);
    EXPECT_EQ(colors.LookupColor(22), kWhite);
}

TEST_F(SystemColorsTest, AHighlightWithoutContrastIsDarkenedOnItsOwnLine)
{
    // The highlight equals the face: entry 32 must be made to stand off
    // entry 30 by the threshold 100, darker and in the same hue.
    const COLORREF face = RGB(212, 208, 200);
    CSystemMetrics::Instance().SetSysColor(COLOR_HIGHLIGHT, face);
    const CTKSystemColors colors = Refreshed();
    const COLORREF corrected = colors.LookupColor(32);
    EXPECT_NE(corrected, face);
    EXPECT_NEAR(CTKSystemColors::ColorDistance(colors.LookupColor(30), corrected), 100.0, 2.0);
    EXPECT_LT(GetRValue(corrected), GetRValue(face));
    // On the line from black through the face colour: channels in the same ratio.
    EXPECT_NEAR(GetGValue(corrected) * 212.0 / GetRValue(corrected), 208.0, 2.0);
    EXPECT_NEAR(GetBValue(corrected) * 212.0 / GetRValue(corrected), 200.0, 2.0);
    // Entry 37 stands off entry 33 by 100 in the same way.
    EXPECT_GE(CTKSystemColors::ColorDistance(colors.LookupColor(33), colors.LookupColor(37)), 98.0);
}

TEST_F(SystemColorsTest, LowColourDisplaysSubstituteSystemColours)
{
    CSystemMetrics::Instance().SetBitsPerPixel(8);
    const CTKSystemColors colors = Refreshed();
    struct Entry {
        UINT index;
        int system;
    };
    const Entry entries[] = {
        {22, COLOR_3DLIGHT},  {30, COLOR_BTNFACE},   {31, COLOR_WINDOW},     {32, COLOR_HIGHLIGHT},
        {34, COLOR_BTNSHADOW}, {35, COLOR_GRAYTEXT}, {36, COLOR_WINDOW},     {41, COLOR_WINDOW},
        {43, COLOR_BTNSHADOW}, {48, COLOR_BTNFACE},  {49, COLOR_BTNTEXT},    {53, COLOR_BTNFACE},
    };
    for (const Entry& e : entries)
        EXPECT_EQ(colors.LookupColor(e.index), GetSysColor(e.system)) << "entry " << e.index;
    EXPECT_EQ(colors.GetLightGradient().second, RGB(246, 245, 244));
}

TEST_F(SystemColorsTest, OnlyAFullRefreshPicksUpAChangedSystemColour)
{
    CTKSystemColors colors = Refreshed();
    CSystemMetrics::Instance().SetSysColor(COLOR_BTNFACE, RGB(100, 100, 100));
    colors.RefreshColors(TRUE);
    EXPECT_EQ(colors.LookupColor(COLOR_BTNFACE), RGB(212, 208, 200));
    colors.RefreshColors(FALSE);
    EXPECT_EQ(colors.LookupColor(COLOR_BTNFACE), RGB(100, 100, 100));
    EXPECT_EQ(colors.LookupColor(51), RGB(100, 100, 100));
}

TEST_F(SystemColorsTest, LunaSchemesReplaceEntry54AndTheLightGradient)
{
    EXPECT_EQ(CTKSystemColors::IsLunaVisualStyle(), 0);
    struct Scheme {
        const char* file;
        const char* color;
        int scheme;
        COLORREF entry54;
        COLORREF first;
        COLORREF second;
    };
    const char* kLuna = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
    const Scheme schemes[] = {
        {kLuna, "NormalColor", 1, RGB(0, 45, 150), RGB(158, 190, 245), RGB(196, 218, 250)},
        {kLuna, "homestead", 2, RGB(96, 128, 88), RGB(217, 217, 167), RGB(242, 241, 228)},
        {kLuna, "METALLIC", 3, RGB(124, 124, 148), RGB(215, 215, 229), RGB(243, 243, 247)},
        {kLuna, "royale", 0, RGB(128, 128, 128), RGB(212, 208, 200), RGB(246, 245, 244)},
        {"C:\\Themes\\Other.msstyles", "metallic", 0, RGB(128, 128, 128), RGB(212, 208, 200), RGB(246, 245, 244)},
    };
    for (const Scheme& s : schemes) {
        CTKVisualStyles::PretendThemeName(s.file, s.color);
        EXPECT_EQ(CTKSystemColors::IsLunaVisualStyle(), s.scheme) << s.color;
        const CTKSystemColors colors = Refreshed();
        EXPECT_EQ(colors.LookupColor(54), s.entry54) << s.color;
        EXPECT_EQ(colors.GetLightGradient().first, s.first) << s.color;
        EXPECT_EQ(colors.GetLightGradient().second, s.second) << s.color;
    }
}

TEST_F(SystemColorsTest, VisualStylesAnswerTheirFailureValues)
{
    CTKVisualStyles styles;
    styles.OpenThemeData(nullptr, "TOOLBAR");
    EXPECT_FALSE(styles.IsThemeOpen());
    EXPECT_FALSE(styles.IsAppThemed());
    const CRect rect(0, 0, 10, 10);
    EXPECT_EQ(styles.DrawThemeBackground(nullptr, 1, 1, &rect, nullptr), E_FAIL);
    std::string file;
    EXPECT_EQ(styles.GetCurrentThemeName(&file, nullptr, nullptr), E_FAIL);
}

} // namespace
