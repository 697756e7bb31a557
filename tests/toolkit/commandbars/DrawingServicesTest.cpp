// Drawing services: banded gradients, shadow softening, the low-colour
// test, the object guards and the two back buffers.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKDCBrushGuard.h"
#include "toolkit/commandbars/draw/CTKDCPenGuard.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKDrawingServices.h"
#include "toolkit/commandbars/draw/CTKMemDC.h"
#include "toolkit/commandbars/draw/CTKOffscreenDC.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class DrawingServicesTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override { CSystemMetrics::Instance().Reset(); }

    COLORREF At(int x, int y) const { return ProbeColor(dc.GetImage(), x, y); }

    CQtImageDC dc{40, 20};
};

TEST_F(DrawingServicesTest, HorizontalBandsRunFromTheFirstColourTowardsTheSecond)
{
    const CRect rect(4, 2, 8, 10);
    GradientFillRect(&dc, &rect, kBlack, kWhite, TRUE);
    // t = 1 - x/4: 255 * (1 - t) truncated; the last band stops short of white.
    const int expected[] = {0, 63, 127, 191};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(At(4 + i, 2), RGB(expected[i], expected[i], expected[i])) << i;
        EXPECT_EQ(At(4 + i, 9), RGB(expected[i], expected[i], expected[i])) << i;
    }
    EXPECT_EQ(At(3, 5), kWhite);
    EXPECT_EQ(At(8, 5), kWhite);
    EXPECT_EQ(At(5, 10), kWhite);
}

TEST_F(DrawingServicesTest, VerticalBandsRunDownwards)
{
    const CRect rect(0, 0, 3, 4);
    GradientFillRect(&dc, &rect, kRed, kBlue, FALSE);
    EXPECT_EQ(At(1, 0), kRed);
    EXPECT_EQ(At(1, 1), RGB(191, 0, 63));
    EXPECT_EQ(At(2, 2), RGB(127, 0, 127));
    EXPECT_EQ(At(0, 3), RGB(63, 0, 191));
}

TEST_F(DrawingServicesTest, SolidFillsWhereNoGradientCanShow)
{
    struct Case {
        const char* what;
        CRect rect;
        COLORREF to;
        int bits;
    };
    const Case cases[] = {
        {"equal colours", CRect(0, 0, 6, 6), kRed, 32},
        {"256 colours", CRect(0, 0, 6, 6), kBlue, 8},
        {"one column", CRect(0, 0, 1, 6), kBlue, 32},
    };
    for (const Case& c : cases) {
        CQtImageDC target(10, 10);
        CSystemMetrics::Instance().SetBitsPerPixel(c.bits);
        GradientFillRect(&target, &c.rect, kRed, c.to, TRUE);
        for (int x = c.rect.left; x < c.rect.right; ++x)
            EXPECT_EQ(ProbeColor(target.GetImage(), x, c.rect.bottom - 1), kRed) << c.what << " x " << x;
    }
    CSystemMetrics::Instance().Reset();
    // Nothing for an empty rectangle or none at all.
    const CRect empty(5, 5, 5, 9);
    GradientFillRect(&dc, &empty, kRed, kBlue, TRUE);
    GradientFillRect(&dc, nullptr, kRed, kBlue, TRUE);
    EXPECT_EQ(At(5, 6), kWhite);
}

TEST_F(DrawingServicesTest, BandsStayInsideTheClipBoxButKeepTheirPlaceInTheGradient)
{
    const CRect rect(0, 0, 10, 4);
    dc.IntersectClipRect(CRect(5, 0, 7, 4));
    CTKColorPair pair;
    pair.SetColors(kBlack, kWhite);
    GradientFillRectPair(&dc, &rect, &pair, TRUE);
    EXPECT_EQ(At(4, 1), kWhite);
    EXPECT_EQ(At(5, 1), RGB(127, 127, 127));   // t = 0.5 at column 5 of 10
    EXPECT_EQ(At(6, 1), RGB(153, 153, 153));
    EXPECT_EQ(At(7, 1), kWhite);
}

TEST_F(DrawingServicesTest, SofteningAveragesEachPixelWithItsOffsetPixel)
{
    dc.SetPixel(1, 1, RGB(100, 0, 51));
    dc.SetPixel(2, 1, RGB(201, 255, 0));
    dc.SetPixel(5, 5, kBlack);
    const CPoint points[] = {CPoint(1, 1), CPoint(1, 0), CPoint(5, 5), CPoint(0, -1)};
    SoftenShadowPixels(&dc, points, 4);
    EXPECT_EQ(At(1, 1), RGB(150, 127, 25));
    EXPECT_EQ(At(2, 1), RGB(201, 255, 0));
    EXPECT_EQ(At(5, 5), RGB(127, 127, 127));
    SoftenShadowPixels(&dc, points, 0);
    EXPECT_EQ(At(1, 1), RGB(150, 127, 25));
}

TEST_F(DrawingServicesTest, LowColourMeansOneToEightBitsPerPixel)
{
    const struct {
        int bits;
        BOOL low;
    } cases[] = {{1, TRUE}, {8, TRUE}, {16, FALSE}, {32, FALSE}, {0, FALSE}};
    for (const auto& c : cases) {
        CSystemMetrics::Instance().SetBitsPerPixel(c.bits);
        EXPECT_EQ(IsLowColorDisplay(nullptr), c.low) << c.bits;
        EXPECT_EQ(IsLowColorDisplay(&dc), c.low) << c.bits;
    }
}

TEST_F(DrawingServicesTest, GuardsPutBackWhatTheyDisplaced)
{
    CPen red(PS_DASH, 3, kRed);
    dc.SelectObject(&red);
    {
        CTKDCPenGuard pen(&dc, kBlue);
        EXPECT_EQ(pen.GetColor(), kBlue);
        EXPECT_EQ(dc.GetCurrentPen().GetColor(), kBlue);
        EXPECT_EQ(dc.GetCurrentPen().GetWidth(), 1);
        CTKDCBrushGuard brush(&dc, kRed);
        EXPECT_EQ(dc.GetCurrentBrush().GetColor(), kRed);
        brush.SetColor(kBlack);
        EXPECT_EQ(dc.GetCurrentBrush().GetColor(), kBlack);
    }
    EXPECT_EQ(dc.GetCurrentPen().GetColor(), kRed);
    EXPECT_EQ(dc.GetCurrentPen().GetStyle(), PS_DASH);
    EXPECT_EQ(dc.GetCurrentBrush().GetColor(), kWhite);

    CBrush first(kRed);
    CBrush second(kBlue);
    {
        CTKDCSelectGuard guard(&dc, &first);
        guard.Select(&second);
        EXPECT_EQ(dc.GetCurrentBrush().GetColor(), kBlue);
    }
    EXPECT_EQ(dc.GetCurrentBrush().GetColor(), kWhite);
}

TEST_F(DrawingServicesTest, BackBuffersLandWhereTheirCoordinatesSay)
{
    const CRect rect(10, 5, 20, 15);
    {
        CTKMemDC memory(&dc, &rect, kBlue);
        ASSERT_TRUE(memory.IsValid());
        memory->SetPixel(0, 0, kRed);
    }
    EXPECT_EQ(At(10, 5), kRed);
    EXPECT_EQ(At(19, 14), kBlue);
    EXPECT_EQ(At(20, 14), kWhite);
    {
        // An empty rectangle covers the clip box.
        CTKMemDC memory(&dc, nullptr, kBlack);
        EXPECT_EQ(memory.GetRect(), CRect(0, 0, 40, 20));
    }
    EXPECT_EQ(At(39, 19), kBlack);

    CQtImageDC target(30, 20);
    {
        CTKOffscreenDC offscreen(&target, CRect(5, 5, 10, 10));
        offscreen->FillSolidRect(CRect(0, 0, 10, 10), kRed);
    }
    // Only the rectangle goes back, at its own place.
    EXPECT_EQ(ProbeColor(target.GetImage(), 5, 5), kRed);
    EXPECT_EQ(ProbeColor(target.GetImage(), 9, 9), kRed);
    EXPECT_EQ(ProbeColor(target.GetImage(), 4, 4), kWhite);
}

} // namespace
