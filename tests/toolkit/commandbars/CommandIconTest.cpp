// Command icons: the generated faded, shadow and grey images of plain and
// alpha icons, the choice of images, scaling, drawing, the icon record
// bytes and damaged records, and .ico parsing with truncated and lying files.

#include "platform/CArchive.h"
#include "platform/ui/CQtImageDC.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/commandbars/images/IconBitmaps.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr DWORD kTransparent = 0x00C0C0C0;   // the mask colour, masked out
constexpr DWORD kOpaqueBlack = 0xFF000000;
constexpr DWORD kOpaqueWhite = 0xFFFFFFFF;
constexpr DWORD kOpaqueRed = 0xFFFF0000;
constexpr DWORD kOpaqueGreen = 0xFF00FF00;
constexpr DWORD kOpaqueBlue = 0xFF0000FF;
constexpr DWORD kHalfRed = 0x80FF0000;

CIconImage MakeIcon(int cx, int cy, DWORD fill, BOOL alpha = FALSE)
{
    CIconImage icon(cx, cy, fill);
    icon.SetAlpha(alpha);
    return icon;
}

// Red, masked out / green, blue: the 2 by 2 icon of the record bytes.
CIconImage SmallPlainIcon()
{
    CIconImage icon(2, 2);
    icon.SetPixel(0, 0, kOpaqueRed);
    icon.SetPixel(1, 0, kTransparent & 0x00FFFFFF);
    icon.SetPixel(0, 1, kOpaqueGreen);
    icon.SetPixel(1, 1, kOpaqueBlue);
    return icon;
}

std::vector<BYTE> Stored(CTKCommandIcon& icon)
{
    CArchive ar;
    icon.Serialize(ar);
    return ar.GetBuffer();
}

class CommandIconTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
};

TEST_F(CommandIconTest, GeneratedImagesFollowTheirChannelRules)
{
    EXPECT_EQ(CTKCommandIcon::FadeChannel(0), 76);
    EXPECT_EQ(CTKCommandIcon::FadeChannel(255), 255);
    EXPECT_EQ(CTKCommandIcon::FadeChannel(128), 166);
    EXPECT_EQ(CTKCommandIcon::GreyLevel(RGB(255, 0, 0)), 139);   // 255 * sqrt(76.245 / 255)
    EXPECT_EQ(CTKCommandIcon::GreyLevel(RGB(0, 0, 0)), 0);
    EXPECT_EQ(CTKCommandIcon::GreyLevel(RGB(255, 255, 255)), 255);
    EXPECT_EQ(CTKCommandIcon::ShadowColor(RGB(128, 64, 0)), RGB(96, 48, 0));

    const COLORREF shadow = CTKCommandIcon::ShadowColor(CTKSystemColors::Instance().LookupColor(31));
    const DWORD shadowArgb = CIconImage::ArgbFromColor(shadow);
    struct PixelCase {
        const char* what;
        BOOL alpha;
        DWORD source;
        DWORD faded;
        DWORD grey;
        DWORD shadowed;
    };
    const PixelCase cases[] = {
        {"plain black", FALSE, kOpaqueBlack, 0xFF4C4C4C, kOpaqueBlack, shadowArgb},
        {"plain white", FALSE, kOpaqueWhite, kOpaqueWhite, kOpaqueWhite, shadowArgb},
        {"plain red", FALSE, kOpaqueRed, 0xFFFF4C4C, 0xFF8B8B8B, shadowArgb},
        {"plain transparent", FALSE, kTransparent, kTransparent, kTransparent, kTransparent},
        {"alpha red", TRUE, kOpaqueRed, 0xFFFF4C4C, 0xFF8B8B8B, shadowArgb},
        {"alpha half red", TRUE, kHalfRed, 0x80FF4C4C, 0x808B8B8B, (shadowArgb & 0x00FFFFFF) | 0x80000000},
        {"alpha clear black", TRUE, 0x00000000, 0x004C4C4C, 0x00000000, shadowArgb & 0x00FFFFFF},
    };
    for (const PixelCase& c : cases) {
        CTKCommandIcon icon(1, 4, 4, nullptr);
        icon.SetIcon(MakeIcon(4, 4, c.source, c.alpha), c.alpha);
        EXPECT_EQ(icon.GetFadedImage().GetIcon().GetPixel(2, 2), c.faded) << c.what;
        EXPECT_EQ(icon.GetDisabledImage().GetIcon().GetPixel(2, 2), c.grey) << c.what;
        EXPECT_EQ(icon.GetShadowImage().GetIcon().GetPixel(2, 2), c.shadowed) << c.what;
        EXPECT_EQ(icon.GetNormalImage().GetIcon().GetPixel(2, 2), c.source) << c.what;
    }
}

TEST_F(CommandIconTest, GivenImagesAreUsedAndRemovingOneBringsTheGeneratedBack)
{
    CTKCommandIcon icon(1, 16, 16, nullptr);
    icon.SetIcon(MakeIcon(16, 16, kOpaqueRed), FALSE);
    icon.SetDisabledIcon(MakeIcon(16, 16, kOpaqueGreen));
    icon.SetHotIcon(MakeIcon(16, 16, kOpaqueBlue));
    EXPECT_EQ(icon.GetDisabledImage().GetIcon().GetPixel(0, 0), kOpaqueGreen);
    EXPECT_EQ(icon.GetHotOrNormalImage().GetIcon().GetPixel(0, 0), kOpaqueBlue);
    icon.SetDisabledIcon(CIconImage());
    EXPECT_EQ(icon.GetDisabledImage().GetIcon().GetPixel(0, 0), 0xFF8B8B8Bu);
    icon.SetHotIcon(CIconImage());
    EXPECT_EQ(icon.GetHotOrNormalImage().GetIcon().GetPixel(0, 0), kOpaqueRed);

    // A new normal image drops the given hot and disabled images too.
    icon.SetHotIcon(MakeIcon(16, 16, kOpaqueBlue));
    icon.SetIcon(MakeIcon(20, 18, kOpaqueWhite), FALSE);
    EXPECT_EQ(icon.GetSize(), CSize(20, 18));
    EXPECT_EQ(icon.GetWidth(), 20);
    EXPECT_EQ(icon.GetHotOrNormalImage().GetIcon().GetPixel(0, 0), kOpaqueWhite);

    CTKCommandIcon empty(2, 16, 15, nullptr);
    EXPECT_FALSE(empty.GetFadedImage().HasIcon());
    EXPECT_FALSE(empty.GetDisabledImage().HasIcon());
    EXPECT_EQ(empty.Scale(24), nullptr);
}

TEST_F(CommandIconTest, ScalingKeepsTheProportionsAndTheGivenImages)
{
    EXPECT_TRUE(ScaleIcon(MakeIcon(16, 15, kOpaqueRed), 16, 15, 0).IsEmpty());
    EXPECT_TRUE(ScaleIcon(MakeIcon(16, 15, kOpaqueRed), 0, 0, 24).IsEmpty());
    EXPECT_EQ(ScaleIcon(MakeIcon(16, 15, kOpaqueRed), 16, 15, 16).GetSize(), CSize(16, 15));
    // MulDiv(15, 24, 16) = 22.5, rounded to 23.
    EXPECT_EQ(ScaleIcon(MakeIcon(16, 15, kOpaqueRed), 16, 15, 24).GetSize(), CSize(24, 23));
    EXPECT_TRUE(ScaleIcon(MakeIcon(16, 15, kOpaqueRed), 16, 15, 100000).IsEmpty());
    EXPECT_TRUE(ScaleIcon(MakeIcon(1, 200, kOpaqueRed), 1, 200, 2).IsEmpty());

    CTKCommandIcon icon(7, 16, 15, nullptr);
    icon.SetIcon(MakeIcon(16, 15, kHalfRed, TRUE), TRUE);
    icon.SetHotIcon(MakeIcon(16, 15, kOpaqueBlue));
    std::unique_ptr<CTKCommandIcon> scaled(icon.Scale(32));
    ASSERT_NE(scaled, nullptr);
    EXPECT_EQ(scaled->GetCommand(), 7u);
    EXPECT_EQ(scaled->GetSize(), CSize(32, 30));
    EXPECT_TRUE(scaled->IsAlpha());
    EXPECT_EQ(scaled->GetHotOrNormalImage().GetIcon().GetSize(), CSize(32, 30));
    EXPECT_EQ(scaled->GetHotOrNormalImage().GetIcon().GetPixel(31, 29), kOpaqueBlue);
}

TEST_F(CommandIconTest, DrawingStretchesToTheWidthAndKeepsTheProportions)
{
    const struct {
        CSize icon;
        int cx;
        CSize drawn;
    } cases[] = {{CSize(16, 16), 0, CSize(16, 16)}, {CSize(16, 15), 32, CSize(32, 30)}, {CSize(16, 15), 0, CSize(16, 15)}};
    for (const auto& c : cases) {
        CQtImageDC dc(48, 48);
        CTKCommandIcon icon(1, c.icon.cx, c.icon.cy, nullptr);
        icon.SetIcon(MakeIcon(c.icon.cx, c.icon.cy, kOpaqueRed), FALSE);
        icon.DrawImage(&dc, 2, 3, icon.GetNormalImage(), c.cx, 0);
        const QImage& image = dc.GetImage();
        EXPECT_EQ(ProbeColor(image, 2, 3), RGB(255, 0, 0)) << c.cx;
        EXPECT_EQ(ProbeColor(image, 1 + c.drawn.cx, 2 + c.drawn.cy), RGB(255, 0, 0)) << c.cx;
        EXPECT_EQ(ProbeColor(image, 2 + c.drawn.cx, 2 + c.drawn.cy), RGB(255, 255, 255)) << c.cx;
        EXPECT_EQ(ProbeColor(image, 1 + c.drawn.cx, 3 + c.drawn.cy), RGB(255, 255, 255)) << c.cx;
    }
}

TEST_F(CommandIconTest, APlainIconRecordHoldsColourAndMaskBitmaps)
{
    CTKCommandIcon icon(1, 2, 2, nullptr);
    icon.SetIcon(SmallPlainIcon(), FALSE);
    const std::vector<BYTE> expected = BytesFromHex(
        "02000000 00000000"                                   // height, alpha
        "3400 28000000 02000000 02000000 0100 2000 00000000 10000000"
        "00000000 00000000 00000000 00000000 00000000 00000000 00000000"
        "1000 00FF0000 FF000000 0000FF00 00000000"            // bottom row first, no alpha
        "3400 28000000 02000000 02000000 0100 0100 00000000 08000000"
        "00000000 00000000 00000000 00000000 00000000 FFFFFF00 00000000"
        "0800 00000000 40000000"                              // 1 is masked out
        "0000 0000"                                           // no disabled image
        "0000 0000");                                         // no hot image
    EXPECT_TRUE(BytesEqual(expected, Stored(icon)));

    CArchive ar(Stored(icon));
    CTKCommandIcon loaded(1, 2, 0, nullptr);
    loaded.Serialize(ar);
    ASSERT_TRUE(ar.IsOK()) << ar.GetErrorText();
    EXPECT_EQ(ar.GetRemaining(), 0u);
    EXPECT_EQ(loaded.GetHeight(), 2);
    EXPECT_FALSE(loaded.IsAlpha());
    EXPECT_EQ(loaded.GetNormalImage().GetIcon().Pixels(), (std::vector<DWORD>{kOpaqueRed, 0, kOpaqueGreen, kOpaqueBlue}));
}

TEST_F(CommandIconTest, AnAlphaIconRecordKeepsItsAlphaAndHoldsNoMask)
{
    CTKCommandIcon icon(1, 1, 1, nullptr);
    icon.SetIcon(MakeIcon(1, 1, kHalfRed, TRUE), TRUE);
    icon.SetHotIcon(MakeIcon(1, 1, 0x40000000, TRUE));
    const std::vector<BYTE> bytes = Stored(icon);
    const std::vector<BYTE> normal = BytesFromHex(
        "01000000 01000000"
        "3400 28000000 01000000 01000000 0100 2000 00000000 04000000"
        "00000000 00000000 00000000 00000000 00000000 00000000 00000000"
        "0400 0000FF80"
        "0000"                                                // no mask for alpha icons
        "0000 0000");                                         // no disabled image
    ASSERT_GT(bytes.size(), normal.size());
    EXPECT_TRUE(BytesEqual(normal, std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<long>(normal.size()))));

    CArchive ar(bytes);
    CTKCommandIcon loaded(1, 1, 0, nullptr);
    loaded.Serialize(ar);
    ASSERT_TRUE(ar.IsOK()) << ar.GetErrorText();
    EXPECT_TRUE(loaded.IsAlpha());
    EXPECT_EQ(loaded.GetNormalImage().GetIcon().GetPixel(0, 0), kHalfRed);
    EXPECT_EQ(loaded.GetHotOrNormalImage().GetIcon().GetPixel(0, 0), 0x40000000u);
    EXPECT_FALSE(loaded.GetDisabledImage().GetIcon().IsEmpty());   // generated grey
}

TEST_F(CommandIconTest, DamagedIconRecordsAreRefusedWithoutReadingPastTheirEnd)
{
    CTKCommandIcon icon(1, 2, 2, nullptr);
    icon.SetIcon(SmallPlainIcon(), FALSE);
    const std::vector<BYTE> good = Stored(icon);
    for (std::size_t length = 0; length < good.size(); ++length) {
        CArchive ar(std::vector<BYTE>(good.begin(), good.begin() + static_cast<long>(length)));
        CTKCommandIcon loaded(1, 2, 0, nullptr);
        loaded.Serialize(ar);
        EXPECT_FALSE(ar.IsOK()) << "cut at " << length;
        EXPECT_FALSE(loaded.GetNormalImage().HasIcon()) << "cut at " << length;
    }

    // Offsets into the record: 8 colour header count, 10 its info size,
    // 14 width, 24 bit count, 62 pixel size count, 86 mask width.
    struct Lie {
        const char* what;
        std::size_t offset;
        std::vector<BYTE> bytes;
    };
    const Lie lies[] = {
        {"height beyond an icon", 0, {0x00, 0x10}},
        {"header block of 40", 8, {0x28, 0x00}},
        {"info header of 12", 10, {0x0C}},
        {"width 0", 14, {0x00}},
        {"width 100000", 14, {0xA0, 0x86, 0x01, 0x00}},
        {"24 bits", 24, {0x18}},
        {"pixel bytes larger than the image", 62, {0x11}},
        {"pixel count beyond the record", 62, {0xFE, 0xFF}},
        {"mask narrower than the colours", 86, {0x01}},
    };
    for (const Lie& lie : lies) {
        std::vector<BYTE> bytes = good;
        std::copy(lie.bytes.begin(), lie.bytes.end(), bytes.begin() + static_cast<long>(lie.offset));
        CArchive ar(bytes);
        CTKCommandIcon loaded(1, 2, 0, nullptr);
        loaded.Serialize(ar);
        EXPECT_FALSE(ar.IsOK()) << lie.what;
        EXPECT_FALSE(loaded.GetNormalImage().HasIcon()) << lie.what;
    }
}

// An .ico file with one 16 by 16 image of the given bit count: the top row
// red, the rest half-transparent blue.
std::vector<BYTE> MakeIcoFile(WORD bits = 32, BYTE widthByte = 16)
{
    const int side = 16;
    std::vector<BYTE> file;
    auto word = [&](WORD v) { file.push_back(LOBYTE(v)); file.push_back(HIBYTE(v)); };
    auto dword = [&](DWORD v) { word(LOWORD(v)); word(HIWORD(v)); };
    const DWORD imageBytes = 40 + side * side * 4 + side * 4;
    word(0); word(1); word(1);
    file.push_back(widthByte); file.push_back(side); file.push_back(0); file.push_back(0);
    word(1); word(bits); dword(imageBytes); dword(22);
    dword(40); dword(side); dword(2 * side); word(1); word(bits); dword(0); dword(0);
    dword(0); dword(0); dword(0); dword(0);
    for (int row = side - 1; row >= 0; --row) {
        for (int x = 0; x < side; ++x)
            dword(row == 0 ? kOpaqueRed : 0x800000FF);
    }
    for (int row = 0; row < side; ++row)
        dword(0);
    return file;
}

void PutDword(std::vector<BYTE>& file, std::size_t at, DWORD v)
{
    for (int i = 0; i < 4; ++i)
        file[at + static_cast<std::size_t>(i)] = static_cast<BYTE>(v >> (8 * i));
}

TEST_F(CommandIconTest, IcoFilesAreParsedAndDamagedOnesRefused)
{
    const std::vector<BYTE> good = MakeIcoFile();
    CIconImage icon;
    ASSERT_TRUE(ParseAlphaIcon(good, 16, &icon));
    EXPECT_EQ(icon.GetSize(), CSize(16, 16));
    EXPECT_TRUE(icon.IsAlpha());
    EXPECT_EQ(icon.GetPixel(0, 0), kOpaqueRed);
    EXPECT_EQ(icon.GetPixel(15, 15), 0x800000FFu);
    EXPECT_FALSE(ParseAlphaIcon(good, 32, &icon));

    for (std::size_t length = 0; length < good.size() - 16 * 4; ++length) {
        const std::vector<BYTE> cut(good.begin(), good.begin() + static_cast<long>(length));
        EXPECT_FALSE(ParseAlphaIcon(cut, 16, &icon)) << "cut at " << length;
    }

    struct Lie {
        const char* what;
        std::function<void(std::vector<BYTE>&)> change;
    };
    const Lie lies[] = {
        {"not an icon file", [](std::vector<BYTE>& f) { f[2] = 2; }},
        {"more entries than the file holds", [](std::vector<BYTE>& f) { f[4] = 200; }},
        {"image length beyond the file", [](std::vector<BYTE>& f) { PutDword(f, 14, 0x7FFFFFFF); }},
        {"image offset beyond the file", [](std::vector<BYTE>& f) { PutDword(f, 18, 0xFFFFFFF0); }},
        {"header of another size", [](std::vector<BYTE>& f) { PutDword(f, 22, 12); }},
        {"header of 24 bits", [](std::vector<BYTE>& f) { f[22 + 14] = 24; }},
        {"header wider than the entry", [](std::vector<BYTE>& f) { PutDword(f, 26, 32); }},
        {"header height 0", [](std::vector<BYTE>& f) { PutDword(f, 30, 0); }},
        {"header taller than the image", [](std::vector<BYTE>& f) { PutDword(f, 30, 64); }},
    };
    for (const Lie& lie : lies) {
        std::vector<BYTE> file = good;
        lie.change(file);
        EXPECT_FALSE(ParseAlphaIcon(file, 16, &icon)) << lie.what;
    }
    EXPECT_FALSE(ParseAlphaIcon(MakeIcoFile(24), 16, &icon));

    TempFolder folder;
    // A .bmp file counts as an alpha bitmap by the bit count of its info header.
    std::vector<BYTE> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    bmp[28] = 32;
    WriteFileBytes(folder / "alpha.bmp", bmp);
    bmp[28] = 24;
    WriteFileBytes(folder / "plain.bmp", bmp);
    WriteFileBytes(folder / "short.bmp", std::vector<BYTE>(bmp.begin(), bmp.begin() + 30));
    EXPECT_TRUE(IsAlphaBitmapFile(folder / "alpha.bmp"));
    EXPECT_FALSE(IsAlphaBitmapFile(folder / "plain.bmp"));
    EXPECT_FALSE(IsAlphaBitmapFile(folder / "short.bmp"));
    EXPECT_FALSE(IsAlphaBitmapFile(folder / "missing.bmp"));

    WriteFileBytes(folder / "tool.ico", good);
    EXPECT_EQ(LoadAlphaIcon(folder / "tool.ico", 16).GetPixel(3, 0), kOpaqueRed);
    EXPECT_TRUE(LoadAlphaIcon(folder / "missing.ico", 16).IsEmpty());
}

} // namespace
