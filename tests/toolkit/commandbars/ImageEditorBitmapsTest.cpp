// The pixel routines of the button editor: copies that move and recolour,
// the transparent marks and restored alpha, the iterative flood fill, the
// figures by the device-context rules, 32-bit .bmp files (damaged ones
// included) and the clipboard names that mark alpha bitmaps.

#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/images/ImageEditorBitmaps.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr DWORD kClear = kImageEditorTransparentPixel;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr DWORD kRedPixel = 0x00FF0000;
constexpr DWORD kBluePixel = 0x000000FF;

// A plain image whose pixel (x, y) holds x + 16 * y, so that any misplaced
// pixel is seen.
CIconImage Numbered(int cx, int cy)
{
    CIconImage image(cx, cy);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            image.SetPixel(x, y, static_cast<DWORD>(x + 16 * y));
    return image;
}

// The cells of a row that are not transparent, as text: "#" drawn, "." clear.
std::string RowText(const CIconImage& image, int row)
{
    std::string text;
    for (int x = 0; x < image.Width(); ++x)
        text += image.GetPixel(x, row) == kClear ? '.' : '#';
    return text;
}

class ImageEditorBitmapsTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
};

TEST_F(ImageEditorBitmapsTest, MovedCopiesLoseTheEdgeTheyLeaveAndClearTheOtherEdge)
{
    struct Case {
        int dx;
        int dy;
    };
    const Case cases[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {3, -2}};
    const CIconImage source = Numbered(16, 16);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
        const CIconImage moved = CopyImage(source, 16, 16, c.dx, c.dy, 0, 0);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const int fromX = x - c.dx;
                const int fromY = y - c.dy;
                const BOOL inside = fromX >= 0 && fromX < 16 && fromY >= 0 && fromY < 16;
                ASSERT_EQ(moved.GetPixel(x, y), inside ? source.GetPixel(fromX, fromY) : kClear) << x << "," << y;
            }
        }
    }
}

TEST_F(ImageEditorBitmapsTest, CopiesRecolourOnlyPlainImagesAndKeepTheAlphaFlag)
{
    CIconImage plain(2, 1, kRedPixel);
    CIconImage alpha(2, 1, 0xFFFF0000);
    alpha.SetAlpha(TRUE);
    const CIconImage recoloured = CopyImage(plain, 2, 1, 0, 0, kRed, kBlue);
    EXPECT_EQ(recoloured.GetPixel(0, 0), kBluePixel);
    EXPECT_FALSE(recoloured.IsAlpha());
    const CIconImage kept = CopyImage(alpha, 2, 1, 0, 0, kRed, kBlue);
    EXPECT_EQ(kept.GetPixel(1, 0), 0xFFFF0000u);
    EXPECT_TRUE(kept.IsAlpha());
    const CIconImage fromNothing = CopyImage(CIconImage(), 3, 2, 0, 0, kRed, kBlue);
    EXPECT_EQ(fromNothing.GetSize(), CSize(3, 2));
    EXPECT_EQ(fromNothing.GetPixel(2, 1), kClear);
    EXPECT_FALSE(fromNothing.IsAlpha());
}

TEST_F(ImageEditorBitmapsTest, MarksAndRestoredAlphaFollowThePixelValues)
{
    CIconImage image(4, 1);
    image.SetPixel(1, 0, 0x01000000);   // black, barely visible: kept
    image.SetPixel(2, 0, 0x80123456);
    MarkTransparentPixels(&image);
    EXPECT_EQ(image.GetPixel(0, 0), kClear);
    EXPECT_EQ(image.GetPixel(1, 0), 0x01000000u);
    EXPECT_EQ(image.GetPixel(3, 0), kClear);

    const CIconImage before = image;
    image.SetPixel(0, 0, kRedPixel);    // drawn: opaque
    image.SetPixel(1, 0, kClear);       // erased: stays transparent
    RestoreAlpha(&image, before);
    EXPECT_EQ(image.GetPixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(image.GetPixel(1, 0), kClear);
    EXPECT_EQ(image.GetPixel(2, 0), 0x80123456u);   // untouched keeps its alpha

    CIconImage other(2, 2, kRedPixel);
    RestoreAlpha(&other, before);   // sizes differ: nothing
    EXPECT_EQ(other.GetPixel(0, 0), kRedPixel);
}

TEST_F(ImageEditorBitmapsTest, FloodFillStaysInsideFourConnectedSurface)
{
    // A wall with a diagonal gap: the fill must not leak through the corner.
    const char* rows[] = {
        "....#...",
        "....#...",
        ".....#..",
        "....#...",
    };
    CIconImage image(8, 4, kClear);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            if (rows[y][x] == '#')
                image.SetPixel(x, y, kBluePixel);
    ASSERT_TRUE(FloodFillSurface(&image, 0, 0, kImageEditorTransparent, kRed));
    EXPECT_EQ(image.GetPixel(3, 3), kRedPixel);
    EXPECT_EQ(image.GetPixel(4, 2), kRedPixel);
    EXPECT_EQ(image.GetPixel(4, 0), kBluePixel);
    EXPECT_EQ(image.GetPixel(5, 0), kClear);
    EXPECT_EQ(image.GetPixel(6, 2), kClear);
    EXPECT_FALSE(FloodFillSurface(&image, 8, 0, kImageEditorTransparent, kRed));
    EXPECT_FALSE(FloodFillSurface(&image, 4, 0, kImageEditorTransparent, kRed));
}

TEST_F(ImageEditorBitmapsTest, FloodFillCoversALargeImageWithoutDeepening)
{
    // A serpentine path through a large image: a fill that recursed per
    // pixel would need millions of frames here.
    constexpr int kSide = 2048;
    CIconImage image(kSide, kSide, kClear);
    for (int y = 1; y < kSide; y += 2)
        for (int x = 0; x < kSide - 1; ++x)
            image.SetPixel((y / 2) % 2 ? x + 1 : x, y, kBluePixel);
    ASSERT_TRUE(FloodFillSurface(&image, 0, 0, kImageEditorTransparent, kRed));
    // The far end of the path, and the walls left standing.
    EXPECT_EQ(image.GetPixel(0, kSide - 2), kRedPixel);
    EXPECT_EQ(image.GetPixel(kSide - 1, kSide - 2), kRedPixel);
    EXPECT_EQ(image.GetPixel(kSide - 1, kSide - 1), kBluePixel);
    EXPECT_EQ(image.GetPixel(5, 1), kBluePixel);
    // Filling with the surface colour itself ends too.
    ASSERT_TRUE(FloodFillSurface(&image, 0, 0, kRed, kRed));
}

TEST_F(ImageEditorBitmapsTest, FiguresFollowTheDeviceContextRules)
{
    struct Case {
        const char* name;
        ImageEditorFigure figure;
        CPoint from;
        CPoint to;
        const char* rows[6];
    };
    const Case cases[] = {
        {"line leaves out its end", ImageEditorFigure::kLine, {0, 0}, {3, 0},
         {"###.....", "........", "........", "........", "........", "........"}},
        {"line backwards", ImageEditorFigure::kLine, {3, 1}, {0, 1},
         {"........", ".###....", "........", "........", "........", "........"}},
        {"rectangle frame, right and bottom outside", ImageEditorFigure::kRectangle, {5, 4}, {1, 0},
         {".####...", ".#..#...", ".#..#...", ".####...", "........", "........"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CIconImage image(8, 6, kClear);
        DrawFigure(&image, c.figure, c.from, c.to, kRed, kImageEditorTransparent);
        for (int y = 0; y < 6; ++y) {
            std::string drawn;
            for (int x = 0; x < 8; ++x)
                drawn += image.GetPixel(x, y) == kRedPixel ? '#' : '.';
            EXPECT_EQ(drawn, c.rows[y]) << "row " << y;
        }
    }
}

TEST_F(ImageEditorBitmapsTest, EllipseInsideIsClearedAndOutsideKept)
{
    CIconImage image(10, 10, kBluePixel);
    DrawFigure(&image, ImageEditorFigure::kEllipse, CPoint(0, 0), CPoint(10, 10), kRed, kImageEditorTransparent);
    EXPECT_EQ(image.GetPixel(5, 5), kClear);
    EXPECT_EQ(image.GetPixel(0, 0), kBluePixel);
    EXPECT_EQ(image.GetPixel(9, 9), kBluePixel);
    int outline = 0;
    for (int x = 0; x < 10; ++x)
        outline += image.GetPixel(x, 5) == kRedPixel;
    EXPECT_EQ(outline, 2) << RowText(image, 5);
    // A rectangle over the same area keeps its inside.
    CIconImage framed(10, 10, kBluePixel);
    DrawFigure(&framed, ImageEditorFigure::kRectangle, CPoint(0, 0), CPoint(10, 10), kRed, kImageEditorTransparent);
    EXPECT_EQ(framed.GetPixel(5, 5), kBluePixel);
    EXPECT_EQ(framed.GetPixel(0, 5), kRedPixel);
    EXPECT_EQ(framed.GetPixel(9, 5), kRedPixel);
}

std::vector<BYTE> AlphaBitmapFile(int width, int height, DWORD pixel)
{
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height < 0 ? -height : height);
    std::vector<BYTE> file(54 + pixels * 4, 0);
    const auto put = [&file](std::size_t at, DWORD value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + static_cast<std::size_t>(i)] = static_cast<BYTE>(value >> (8 * i));
    };
    put(0, 0x4D42, 2);
    put(2, static_cast<DWORD>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<DWORD>(width), 4);
    put(22, static_cast<DWORD>(height), 4);
    put(26, 1, 2);
    put(28, 32, 2);
    for (std::size_t i = 0; i < pixels; ++i)
        put(54 + i * 4, pixel, 4);
    return file;
}

TEST_F(ImageEditorBitmapsTest, AlphaBitmapFilesAreReadBottomUpAndDamagedOnesRefused)
{
    std::vector<BYTE> file = AlphaBitmapFile(2, 2, 0x80FF0000);
    // The first stored row is the bottom row.
    file[54] = 0x11;
    CIconImage image;
    ASSERT_TRUE(ParseAlphaBitmapFile(file, &image));
    EXPECT_TRUE(image.IsAlpha());
    EXPECT_EQ(image.GetPixel(0, 1), 0x80FF0011u);
    EXPECT_EQ(image.GetPixel(0, 0), 0x80FF0000u);

    std::vector<BYTE> topDown = AlphaBitmapFile(2, -2, 0x80FF0000);
    topDown[54] = 0x11;
    ASSERT_TRUE(ParseAlphaBitmapFile(topDown, &image));
    EXPECT_EQ(image.GetPixel(0, 0), 0x80FF0011u);

    struct Damage {
        const char* name;
        std::size_t at;
        DWORD value;
        int bytes;
        std::size_t keep;
    };
    const Damage damages[] = {
        {"truncated pixels", 0, 0x4D42, 2, 60},
        {"truncated header", 0, 0x4D42, 2, 30},
        {"pixel offset past the end", 10, 0xFFFFFFF0, 4, 0},
        {"huge width", 18, 0x7FFFFFFF, 4, 0},
        {"huge height", 22, 0x80000001, 4, 0},
        {"zero width", 18, 0, 4, 0},
        {"not 32 bits", 28, 24, 2, 0},
        {"compressed", 30, 1, 4, 0},
        {"not a bitmap", 0, 0x4949, 2, 0},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.name);
        std::vector<BYTE> damaged = AlphaBitmapFile(4, 4, 0xFF00FF00);
        for (int i = 0; i < d.bytes; ++i)
            damaged[d.at + static_cast<std::size_t>(i)] = static_cast<BYTE>(d.value >> (8 * i));
        if (d.keep)
            damaged.resize(d.keep);
        CIconImage untouched(1, 1, 7);
        EXPECT_FALSE(ParseAlphaBitmapFile(damaged, &untouched));
        EXPECT_EQ(untouched.GetPixel(0, 0), 7u);
    }
}

TEST_F(ImageEditorBitmapsTest, OnlyNamesWithDib32AfterTheirFirstCharacterMarkAlpha)
{
    struct Case {
        const char* name;
        BOOL alpha;
    };
    const Case cases[] = {
        {"DIB32", FALSE}, {"CF_DIB32", TRUE}, {"xDIB32", TRUE}, {"DIB32 Image", FALSE},
        {"dib32", FALSE}, {"", FALSE},        {"Alpha Bitmap Image", FALSE}, {"DIB3", FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAlphaClipboardFormatName(c.name), c.alpha) << c.name;
}

} // namespace
