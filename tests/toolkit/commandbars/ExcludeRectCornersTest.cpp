// Rounding a fill off by its four corner pixels.

#include "platform/ui/CQtImageDC.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/ExcludeRectCorners.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

TEST(ExcludeRectCornersTest, OnlyTheFourCornerPixelsStayUnpainted)
{
    CQtImageDC dc(12, 10);
    ExcludeRectCorners(&dc, 2, 1, 9, 8);
    dc.FillSolidRect(CRect(0, 0, 12, 10), kRed);
    const QImage& image = dc.GetImage();
    for (const CPoint corner : {CPoint(2, 1), CPoint(8, 1), CPoint(2, 7), CPoint(8, 7)})
        EXPECT_EQ(ProbeColor(image, corner.x, corner.y), kWhite) << corner.x << "," << corner.y;
    for (const CPoint beside : {CPoint(3, 1), CPoint(2, 2), CPoint(7, 7), CPoint(9, 1), CPoint(1, 1), CPoint(8, 8)})
        EXPECT_EQ(ProbeColor(image, beside.x, beside.y), kRed) << beside.x << "," << beside.y;
    // A missing device context is ignored.
    ExcludeRectCorners(nullptr, 0, 0, 1, 1);
}

} // namespace
