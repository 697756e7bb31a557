// The fixed desktop that makes layouts reproducible, and its overrides.

#include "platform/CSystemMetrics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CSystemMetricsTest : public ::testing::Test {
protected:
    void TearDown() override { CSystemMetrics::Instance().Reset(); }
};

} // namespace

TEST_F(CSystemMetricsTest, FixedDefaults)
{
    struct Case {
        int index;
        int value;
    };
    const Case metrics[] = {
        {SM_CXVSCROLL, 17}, {SM_CYHSCROLL, 17}, {SM_CXEDGE, 2},   {SM_CYEDGE, 2},
        {SM_CXSMICON, 16},  {SM_CYSMICON, 16},  {SM_CXBORDER, 1}, {SM_CXFRAME, 4},
        {SM_CXHTHUMB, 17},  {SM_CYMENU, 19},    {SM_CXSCREEN, 1280},
    };
    for (const Case& c : metrics)
        EXPECT_EQ(GetSystemMetrics(c.index), c.value) << c.index;
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));

    const LOGFONT menu = CSystemMetrics::Instance().GetMenuFont();
    EXPECT_EQ(std::string(menu.lfFaceName), "DejaVu Sans");
    EXPECT_EQ(menu.lfHeight, -12);
    EXPECT_EQ(menu.lfWeight, FW_NORMAL);

    const CSystemMetrics& service = CSystemMetrics::Instance();
    EXPECT_FALSE(service.IsAppThemed());
    EXPECT_FALSE(service.HasGradientFill());
    EXPECT_TRUE(service.HasAlphaBlend());
    EXPECT_TRUE(service.HasLayeredWindows());
    EXPECT_FALSE(service.SoundsEnabled());
    EXPECT_EQ(service.GetComCtlVersion(), (5u << 16) | 82u);
}

TEST_F(CSystemMetricsTest, OverridesHoldUntilReset)
{
    CSystemMetrics& service = CSystemMetrics::Instance();
    service.SetSysColor(COLOR_BTNFACE, RGB(0, 0, 0));
    service.SetMetric(SM_CXVSCROLL, 21);
    LOGFONT font = service.GetMenuFont();
    font.lfHeight = -8;
    service.SetMenuFont(font);
    service.SetBitsPerPixel(8);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(0, 0, 0));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 21);
    EXPECT_EQ(service.GetMenuFont().lfHeight, -8);
    EXPECT_EQ(service.GetBitsPerPixel(), 8);

    service.Reset();
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSystemMetrics(SM_CXVSCROLL), 17);
    EXPECT_EQ(service.GetMenuFont().lfHeight, -12);
    EXPECT_EQ(service.GetBitsPerPixel(), 32);
}

TEST_F(CSystemMetricsTest, IndicesOutsideTheTablesAnswerZeroAndChangeNothing)
{
    CSystemMetrics& service = CSystemMetrics::Instance();
    service.SetSysColor(-1, RGB(1, 1, 1));
    service.SetSysColor(kSysColorCount, RGB(1, 1, 1));
    service.SetMetric(100000, 5);
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(kSysColorCount), 0u);
    EXPECT_EQ(GetSystemMetrics(100000), 0);
    EXPECT_EQ(GetSystemMetrics(-5), 0);
}

TEST_F(CSystemMetricsTest, FontFamiliesCompareWithoutCase)
{
    CSystemMetrics& service = CSystemMetrics::Instance();
    EXPECT_TRUE(service.FontExists("dejavu sans"));
    EXPECT_FALSE(service.FontExists("Arial"));
    service.SetFontFamilies({"Arial"});
    EXPECT_TRUE(service.FontExists("ARIAL"));
    EXPECT_FALSE(service.FontExists("DejaVu Sans"));
}

TEST_F(CSystemMetricsTest, StatusAndSmallCaptionFontsHoldTheirOverridesUntilReset)
{
    CSystemMetrics& service = CSystemMetrics::Instance();
    EXPECT_EQ(std::string(service.GetStatusFont().lfFaceName), "DejaVu Sans");
    EXPECT_EQ(service.GetStatusFont().lfHeight, -12);
    EXPECT_EQ(service.GetSmallCaptionFont().lfHeight, -11);
    EXPECT_EQ(service.GetSmallCaptionFont().lfWeight, FW_BOLD);

    LOGFONT font = service.GetStatusFont();
    font.lfHeight = -20;
    service.SetStatusFont(font);
    service.SetSmallCaptionFont(font);
    EXPECT_EQ(service.GetStatusFont().lfHeight, -20);
    EXPECT_EQ(service.GetSmallCaptionFont().lfWeight, FW_NORMAL);
    service.Reset();
    EXPECT_EQ(service.GetStatusFont().lfHeight, -12);
    EXPECT_EQ(service.GetSmallCaptionFont().lfHeight, -11);
}

TEST_F(CSystemMetricsTest, StockFontsAreFixedPitchAndGuiFacesThatExist)
{
    CSystemMetrics& service = CSystemMetrics::Instance();
    const LOGFONT fixed = service.GetFixedFont();
    const LOGFONT gui = service.GetGuiFont();
    EXPECT_EQ(std::string(fixed.lfFaceName), "DejaVu Sans Mono");
    EXPECT_EQ(fixed.lfPitchAndFamily & 0x03, FIXED_PITCH);
    EXPECT_EQ(std::string(gui.lfFaceName), "DejaVu Sans");
    EXPECT_EQ(gui.lfPitchAndFamily & 0x03, VARIABLE_PITCH);
    for (const LOGFONT& font : {fixed, gui}) {
        EXPECT_TRUE(service.FontExists(font.lfFaceName)) << font.lfFaceName;
        EXPECT_LT(font.lfHeight, 0);
        EXPECT_EQ(font.lfCharSet, GB2312_CHARSET);
    }
}
