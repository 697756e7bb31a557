// Image lists from bitmap strips with a mask colour, icons with and without
// alpha, and the one-colour silhouettes of disabled images.

#include "platform/CImageList.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kMask = RGB(255, 0, 255);

// A strip of n images of 4 by 4: image i has colour (10 i, 0, 0) with a mask-coloured left column.
CIconImage Strip(int n, int extra = 0)
{
    CIconImage strip(4 * n + extra, 4);
    for (int x = 0; x < strip.Width(); ++x) {
        for (int y = 0; y < 4; ++y) {
            const COLORREF color = x % 4 == 0 ? kMask : RGB(10 * (x / 4), 0, 0);
            strip.SetPixel(x, y, CIconImage::ArgbFromColor(color));
        }
    }
    return strip;
}

} // namespace

TEST(CImageListTest, AStripIsCutIntoImagesWithTheMaskTransparent)
{
    CImageList list;
    ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK));
    EXPECT_EQ(list.Add(Strip(3), kMask), 0);
    EXPECT_EQ(list.GetImageCount(), 3);
    // A partial image at the right end is dropped; indices continue.
    EXPECT_EQ(list.Add(Strip(2, 3), kMask), 3);
    EXPECT_EQ(list.GetImageCount(), 5);

    const CIconImage second = list.GetIcon(1);
    EXPECT_FALSE(second.IsAlpha());
    EXPECT_EQ(second.GetPixel(0, 2), 0u);
    EXPECT_EQ(second.GetPixel(1, 2), CIconImage::ArgbFromColor(RGB(10, 0, 0)));
}

TEST(CImageListTest, WithoutTheMaskFlagTheMaskColourIsKept)
{
    CImageList list;
    list.Create(4, 4, ILC_COLOR24);
    list.Add(Strip(1), kMask);
    EXPECT_EQ(list.GetIcon(0).GetPixel(0, 0), CIconImage::ArgbFromColor(kMask));
}

TEST(CImageListTest, RefusedInput)
{
    CImageList list;
    EXPECT_EQ(list.Add(Strip(1), kMask), -1);
    EXPECT_FALSE(list.Create(0, 16, ILC_MASK));
    ASSERT_TRUE(list.Create(8, 4, ILC_MASK));
    EXPECT_EQ(list.Add(Strip(1), kMask), -1);
    EXPECT_EQ(list.Add(CIconImage()), -1);
    EXPECT_TRUE(list.GetIcon(0).IsEmpty());
    EXPECT_TRUE(list.GetIcon(-1).IsEmpty());
    EXPECT_FALSE(list.Remove(0));
    EXPECT_FALSE(list.Draw(nullptr, 0, CPoint(), ILD_NORMAL));
}

TEST(CImageListTest, AlphaSurvivesOnlyInA32BitList)
{
    CIconImage icon(2, 2, CIconImage::ArgbFromColor(RGB(0, 0, 255), 100));
    icon.SetPixel(0, 0, CIconImage::ArgbFromColor(RGB(0, 0, 255), 200));
    icon.SetAlpha(TRUE);

    CImageList deep;
    deep.Create(2, 2, ILC_COLOR32);
    ASSERT_EQ(deep.Add(icon), 0);
    EXPECT_TRUE(deep.GetIcon(0).IsAlpha());
    EXPECT_EQ(CIconImage::AlphaOf(deep.GetIcon(0).GetPixel(1, 1)), 100);

    CImageList plain;
    plain.Create(2, 2, ILC_COLOR24 | ILC_MASK);
    ASSERT_EQ(plain.Add(icon), 0);
    EXPECT_FALSE(plain.GetIcon(0).IsAlpha());
    EXPECT_EQ(plain.GetIcon(0).GetPixel(1, 1), 0u);
    EXPECT_EQ(CIconImage::AlphaOf(plain.GetIcon(0).GetPixel(0, 0)), 255);

    EXPECT_TRUE(plain.Remove(-1));
    EXPECT_EQ(plain.GetImageCount(), 0);
}

TEST(CImageListTest, AnIconOfAnotherSizeIsScaledToTheList)
{
    CIconImage big(8, 8, CIconImage::ArgbFromColor(RGB(1, 2, 3)));
    big.SetPixel(7, 7, 0);
    CImageList list;
    list.Create(4, 4, ILC_COLOR32);
    list.Add(big);
    const CIconImage small = list.GetIcon(0);
    EXPECT_EQ(small.GetSize(), CSize(4, 4));
    EXPECT_EQ(small.GetPixel(0, 0), CIconImage::ArgbFromColor(RGB(1, 2, 3)));
}

TEST(CIconImageTest, SilhouetteKeepsTheShapeAndTakesOneColour)
{
    CIconImage icon(3, 1);
    icon.SetPixel(0, 0, CIconImage::ArgbFromColor(RGB(200, 10, 10)));
    icon.SetPixel(1, 0, CIconImage::ArgbFromColor(RGB(10, 200, 10), 80));
    icon.SetAlpha(TRUE);
    const CIconImage shape = icon.Silhouette(RGB(128, 128, 128));
    EXPECT_EQ(shape.GetPixel(0, 0), CIconImage::ArgbFromColor(RGB(128, 128, 128)));
    EXPECT_EQ(shape.GetPixel(1, 0), CIconImage::ArgbFromColor(RGB(128, 128, 128), 80));
    EXPECT_EQ(shape.GetPixel(2, 0), 0u);
    EXPECT_TRUE(shape.IsAlpha());
    EXPECT_EQ(CIconImage::ColorFromArgb(0xFF102030), RGB(0x10, 0x20, 0x30));
}
