// UI metrics: the font rules on the menu font, cursors from the resources
// and the system, the colour copies, and the one object of the process.

#include "platform/CSystemMetrics.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class UIMetricsTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override { CSystemMetrics::Instance().Reset(); }

    static void SetMenuFont(LONG height, const char* face, BYTE charSet)
    {
        LOGFONT font = CSystemMetrics::Instance().GetMenuFont();
        font.lfHeight = height;
        font.lfCharSet = charSet;
        CFont::SetFaceName(font, face);
        CSystemMetrics::Instance().SetMenuFont(font);
    }
    static LOGFONT Record(const CTKUIMetrics& metrics, int index)
    {
        LOGFONT record;
        metrics.fonts[index].GetLogFont(&record);
        return record;
    }
};

TEST_F(UIMetricsTest, SmallMenuFontsAreRaisedToHeightEleven)
{
    const struct {
        LONG menu;
        LONG expected;
    } cases[] = {{-8, -11}, {-1, -11}, {-10, -11}, {-11, -11}, {-13, -13}, {0, 0}, {12, 12}};
    for (const auto& c : cases) {
        SetMenuFont(c.menu, "DejaVu Sans", ANSI_CHARSET);
        const CTKUIMetrics metrics;
        for (int i = 0; i < CTKUIMetrics::kFontCount; ++i)
            EXPECT_EQ(Record(metrics, i).lfHeight, c.expected) << "menu " << c.menu << " font " << i;
    }
}

TEST_F(UIMetricsTest, EightFontsWithTheirWeightsAnglesAndFaces)
{
    CSystemMetrics::Instance().SetFontFamilies({"DejaVu Sans", "Arial", "Tahoma"});
    SetMenuFont(-12, "DejaVu Sans", ANSI_CHARSET);
    const CTKUIMetrics metrics;
    const struct {
        LONG weight;
        BYTE underline;
        LONG angle;
        const char* face;
    } expected[] = {
        {FW_NORMAL, 0, 0, "DejaVu Sans"}, {FW_BOLD, 0, 0, "DejaVu Sans"}, {FW_NORMAL, 1, 0, "DejaVu Sans"},
        {FW_NORMAL, 0, 0, "DejaVu Sans"}, {FW_NORMAL, 0, 900, "Arial"},  {FW_BOLD, 0, 900, "Arial"},
        {FW_NORMAL, 0, 2700, "Arial"},    {FW_BOLD, 0, 2700, "Arial"},
    };
    for (int i = 0; i < CTKUIMetrics::kFontCount; ++i) {
        const LOGFONT record = Record(metrics, i);
        EXPECT_EQ(record.lfWeight, expected[i].weight) << i;
        EXPECT_EQ(record.lfUnderline, expected[i].underline) << i;
        EXPECT_EQ(record.lfEscapement, expected[i].angle) << i;
        EXPECT_EQ(record.lfOrientation, expected[i].angle) << i;
        EXPECT_STREQ(record.lfFaceName, expected[i].face) << i;
    }
}

TEST_F(UIMetricsTest, RotatedFontsKeepTahomaChineseFacesAndFacesWithoutArial)
{
    const struct {
        const char* face;
        BYTE charSet;
        bool arialInstalled;
        const char* rotatedFace;
    } cases[] = {
        {"Tahoma", ANSI_CHARSET, true, "Tahoma"},
        {"tahoma", ANSI_CHARSET, true, "tahoma"},
        {"WenQuanYi Micro Hei", GB2312_CHARSET, true, "WenQuanYi Micro Hei"},
        {"DejaVu Sans", ANSI_CHARSET, false, "DejaVu Sans"},
        {"DejaVu Sans", SYMBOL_CHARSET, true, "Arial"},
    };
    for (const auto& c : cases) {
        CSystemMetrics::Instance().SetFontFamilies(c.arialInstalled ? std::vector<std::string>{"DejaVu Sans", "Arial"}
                                                                    : std::vector<std::string>{"DejaVu Sans"});
        SetMenuFont(-12, c.face, c.charSet);
        const CTKUIMetrics metrics;
        EXPECT_STREQ(Record(metrics, CTKUIMetrics::kVerticalUp).lfFaceName, c.rotatedFace) << c.face;
        EXPECT_STREQ(Record(metrics, CTKUIMetrics::kRegular).lfFaceName, c.face) << c.face;
        EXPECT_EQ(Record(metrics, CTKUIMetrics::kRegular).lfCharSet, c.charSet) << c.face;
    }
}

TEST_F(UIMetricsTest, CursorsMetricsAndColoursComeFromTheirServices)
{
    const CTKUIMetrics metrics;
    EXPECT_EQ(metrics.cursors[CTKUIMetrics::kCursorSplitter].shape(), Qt::SplitHCursor);
    EXPECT_EQ(metrics.cursors[CTKUIMetrics::kCursorHand].shape(), Qt::PointingHandCursor);
    EXPECT_EQ(metrics.cursors[CTKUIMetrics::kCursorSizeAll].shape(), Qt::SizeAllCursor);
    EXPECT_EQ(metrics.smallIconWidth, 16);
    EXPECT_EQ(metrics.buttonImageWidth, 18);
    EXPECT_EQ(metrics.menuHeight, 19);
    EXPECT_EQ(metrics.clrFace, RGB(212, 208, 200));
    EXPECT_EQ(metrics.clrLightFace, RGB(227, 223, 215));
    EXPECT_EQ(metrics.clrDerived[0], CTKSystemColors::Instance().LookupColor(30));
    EXPECT_EQ(metrics.clrDerived[19], CTKSystemColors::Instance().LookupColor(49));
    EXPECT_TRUE(metrics.profileName.empty());
}

TEST_F(UIMetricsTest, TheProcessHasOneMetricsObject)
{
    CTKUIMetrics* first = GetUIMetrics();
    EXPECT_EQ(GetUIMetrics(), first);
    EXPECT_EQ(first->GetComCtlVersion(), (5u << 16) | 82u);
}

} // namespace
