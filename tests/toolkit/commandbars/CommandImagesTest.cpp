// The command image store: masked and alpha strips for command lists with
// separators, nearest icons and their scaled copies, icon sets through the
// archive and the clipboard, damaged records, and the icon gallery.

#include "platform/CArchive.h"
#include "platform/CClipboard.h"
#include "platform/CImageList.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "platform/ui/CResourceStore.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/commandbars/images/IconBitmaps.h"

#include <gtest/gtest.h>

#include <set>

namespace {

constexpr UINT kCommands[] = {100, 0, 101, 102, 0, 103, 104};
constexpr int kCommandCount = 7;
constexpr UINT kAlphaCommands[] = {200, 201, 0, 202, 203, 204};
constexpr DWORD kOpaqueRed = 0xFFFF0000;
constexpr DWORD kOpaqueBlue = 0xFF0000FF;

CIconImage MakeIcon(int cx, int cy, DWORD fill, BOOL alpha = FALSE)
{
    CIconImage icon(cx, cy, fill);
    icon.SetAlpha(alpha);
    return icon;
}

class CommandImagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CClipboard::Get().Empty();
    }
    void TearDown() override { CClipboard::Get().Empty(); }

    // The pixel of a command's icon of that width.
    DWORD Pixel(CTKCommandImages& store, UINT command, int width, int x, int y)
    {
        CTKCommandIcon* icon = store.FindIcon(command, width);
        return icon ? icon->GetNormalImage().GetIcon().GetPixel(x, y) : 0xDEADBEEF;
    }

    CTKCommandImages store;
};

TEST_F(CommandImagesTest, StripsGiveTheirPicturesToTheCommandsButNotToSeparators)
{
    ASSERT_TRUE(store.SetIcons(kMaskedStripId, kCommands, kCommandCount, 16, 15, CTKCommandImages::kNormal));
    ASSERT_TRUE(store.SetIcons(kAlphaStripId, kAlphaCommands, 6, 16, 16, CTKCommandImages::kNormal));
    EXPECT_EQ(store.GetCommandIcons(0), nullptr);
    for (UINT command : {100u, 101u, 102u, 103u, 104u, 200u, 201u, 202u, 203u, 204u}) {
        CTKCommandIcon* icon = store.FindIcon(command, 16);
        ASSERT_NE(icon, nullptr) << command;
        EXPECT_EQ(icon->IsAlpha(), command >= 200) << command;
        EXPECT_EQ(icon->GetSize(), CSize(16, command >= 200 ? 16 : 15)) << command;
    }
    // Page, folder, disk, red square, green arrow: the mask colour is transparent.
    EXPECT_EQ(CIconImage::AlphaOf(Pixel(store, 100, 16, 0, 0)), 0);
    EXPECT_EQ(Pixel(store, 100, 16, 3, 1), 0xFF000000u);
    EXPECT_EQ(Pixel(store, 100, 16, 5, 5), 0xFFFFFFFFu);
    EXPECT_EQ(Pixel(store, 101, 16, 5, 8), 0xFFFFCE50u);
    EXPECT_EQ(Pixel(store, 103, 16, 7, 7), kOpaqueRed);
    EXPECT_EQ(Pixel(store, 104, 16, 7, 3), 0xFF00A000u);
    // The alpha strip keeps its soft halo.
    EXPECT_EQ(Pixel(store, 203, 16, 7, 7), kOpaqueRed);
    EXPECT_EQ(Pixel(store, 203, 16, 1, 7), 0x40000000u);
    EXPECT_EQ(Pixel(store, 203, 16, 0, 0), 0u);
    EXPECT_EQ(Pixel(store, 204, 16, 7, 3), 0xFF00A000u);
}

TEST_F(CommandImagesTest, StripsThatDoNotFitTheCommandsAreRefused)
{
    const CIconImage* alphaStrip = CResourceStore::Instance().FindBitmap(kAlphaStripId);
    ASSERT_NE(alphaStrip, nullptr);
    ASSERT_TRUE(alphaStrip->IsAlpha());
    // 80 pixels do not cut into 15-pixel pieces.
    EXPECT_FALSE(store.SetIconsFromBitmap(*alphaStrip, kCommands, kCommandCount, 15, 16, 0, TRUE));
    EXPECT_EQ(store.GetCommandIcons(100), nullptr);
    // A count of 0 has no width to divide the strip by.
    EXPECT_FALSE(store.SetIcons(kMaskedStripId, kCommands, 0, 0, 0, 0));
    EXPECT_FALSE(store.SetIcons(9999, kCommands, kCommandCount, 16, 15, 0));
    EXPECT_FALSE(store.SetIconsFromBitmap(*alphaStrip, kCommands, kCommandCount, 0, 16, 0, TRUE));
    EXPECT_FALSE(store.SetIconsFromBitmap(*alphaStrip, kCommands, kCommandCount, 16, 1 << 20, 0, FALSE));
    EXPECT_EQ(store.GetCommandIcons(100), nullptr);

    // cx and cy 0 divide the width by the count: 80 / 5 gives 16 by 16,
    // 80 / 4 gives 20 by 15 from the masked strip.
    const UINT five[] = {210, 211, 212, 213, 214};
    ASSERT_TRUE(store.SetIcons(kAlphaStripId, five, 5, 0, 0, 0));
    EXPECT_EQ(store.FindIcon(214, 16)->GetSize(), CSize(16, 16));
    ASSERT_TRUE(store.SetIcons(kMaskedStripId, five, 4, 0, 0, 0));
    EXPECT_EQ(store.FindIcon(213, 20)->GetSize(), CSize(20, 15));
    EXPECT_FALSE(store.FindIcon(213, 20)->IsAlpha());
}

TEST_F(CommandImagesTest, HotAndDisabledImagesNeedAnIconSet)
{
    const CIconImage icon = MakeIcon(16, 16, kOpaqueRed);
    EXPECT_FALSE(store.SetIcon(icon, 300, 16, 16, CTKCommandImages::kHot, FALSE));
    EXPECT_FALSE(store.SetIcon(icon, 300, 16, 16, CTKCommandImages::kDisabled, FALSE));
    EXPECT_EQ(store.GetCommandIcons(300), nullptr);
    EXPECT_FALSE(store.SetIcon(CIconImage(), 300, 16, 16, CTKCommandImages::kNormal, FALSE));
    EXPECT_FALSE(store.SetIcon(icon, 300, -16, 16, CTKCommandImages::kNormal, FALSE));
    EXPECT_EQ(store.GetCommandIcons(300), nullptr);
    EXPECT_TRUE(store.SetIcon(icon, 300, 0, 0, CTKCommandImages::kNormal, FALSE));
    EXPECT_TRUE(store.SetIcon(MakeIcon(16, 16, kOpaqueBlue), 300, 16, 16, CTKCommandImages::kHot, FALSE));
    EXPECT_TRUE(store.SetIcon(icon, 300, 16, 16, 7, FALSE));
    EXPECT_EQ(store.FindIcon(300, 16)->GetHotOrNormalImage().GetIcon().GetPixel(0, 0), kOpaqueBlue);
}

TEST_F(CommandImagesTest, ImageListsSkipSeparatorsAndStopAtTheFirstMissingImage)
{
    CImageList list;
    ASSERT_TRUE(list.Create(16, 16, ILC_COLOR32 | ILC_MASK));
    list.Add(MakeIcon(16, 16, kOpaqueRed));
    list.Add(MakeIcon(16, 16, kOpaqueBlue));
    const UINT commands[] = {400, 0, 401, 402};
    EXPECT_FALSE(store.AddIconsFromImageList(&list, commands, 4, 16, 16, 0, FALSE));
    EXPECT_EQ(Pixel(store, 400, 16, 0, 0), kOpaqueRed);
    EXPECT_EQ(Pixel(store, 401, 16, 0, 0), kOpaqueBlue);
    EXPECT_EQ(store.GetCommandIcons(402), nullptr);
}

TEST_F(CommandImagesTest, TheNearestIconIsScaledOnceAndAlphaIconsAreStretchedWhenDrawn)
{
    store.SetIcon(MakeIcon(16, 16, kOpaqueRed), 500, 16, 16, 0, FALSE);
    store.SetIcon(MakeIcon(32, 32, kOpaqueBlue), 500, 32, 32, 0, FALSE);
    CTKCommandIcon* scaled = store.FindIcon(500, 24);
    ASSERT_NE(scaled, nullptr);
    EXPECT_TRUE(scaled->IsScaledCopy());
    EXPECT_EQ(scaled->GetSize(), CSize(24, 24));
    EXPECT_EQ(store.FindIcon(500, 24), scaled);

    // A width no icon may have gets the nearest icon as it is.
    EXPECT_EQ(store.FindIcon(500, 100000), store.GetCommandIcons(500)->Lookup(32));

    store.SetIcon(MakeIcon(16, 16, kOpaqueRed, TRUE), 501, 16, 16, 0, TRUE);
    EXPECT_EQ(store.FindIcon(501, 24), store.FindIcon(501, 16));
    EXPECT_EQ(store.FindIcon(502, 16), nullptr);

    // A fresh normal image drops the scaled copies.
    store.SetIcon(MakeIcon(16, 16, kOpaqueBlue), 500, 16, 16, 0, FALSE);
    EXPECT_EQ(store.GetCommandIcons(500)->Lookup(24), nullptr);
}

TEST_F(CommandImagesTest, AScaledCopyIsNeverTheSourceOfAnotherAndSurvivesIt)
{
    store.SetIcon(MakeIcon(16, 16, kOpaqueRed), 600, 16, 16, 0, FALSE);
    store.SetIcon(MakeIcon(32, 32, kOpaqueBlue), 600, 32, 32, 0, FALSE);
    CTKCommandIcon* first = store.FindIcon(600, 24);
    ASSERT_NE(first, nullptr);
    // 23 is nearest to the copy of 24; it is made from the given 16 instead,
    // and the copy of 24 stays valid.
    CTKCommandIcon* second = store.FindIcon(600, 23);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(store.GetCommandIcons(600)->Lookup(24), first);
    EXPECT_EQ(first->GetNormalImage().GetIcon().GetPixel(0, 0), kOpaqueRed);
    EXPECT_EQ(second->GetNormalImage().GetIcon().GetPixel(0, 0), kOpaqueRed);
    EXPECT_EQ(second->GetSize(), CSize(23, 23));
    // Widths nearer to 32 scale the 32.
    EXPECT_EQ(store.FindIcon(600, 30)->GetNormalImage().GetIcon().GetPixel(0, 0), kOpaqueBlue);

    // A colour change regenerates images and drops every copy.
    first->GetFadedImage();
    store.RefreshAll();
    EXPECT_EQ(store.GetCommandIcons(600)->Lookup(24), nullptr);
    EXPECT_EQ(store.GetCommandIcons(600)->Lookup(23), nullptr);
    EXPECT_NE(store.GetCommandIcons(600)->Lookup(16), nullptr);
}

// Same commands, widths, heights, alpha flags and pixels.
void ExpectSameStore(CTKCommandImages& expected, CTKCommandImages& actual, const std::set<UINT>& commands)
{
    for (UINT command : commands) {
        CTKImageManagerIcons* a = expected.GetCommandIcons(command);
        CTKImageManagerIcons* b = actual.GetCommandIcons(command);
        ASSERT_NE(b, nullptr) << command;
        const auto walkA = a->Walk();
        const auto walkB = b->Walk();
        ASSERT_EQ(walkA.size(), walkB.size()) << command;
        for (std::size_t i = 0; i < walkA.size(); ++i) {
            CTKCommandIcon* x = walkA[i].second;
            CTKCommandIcon* y = walkB[i].second;
            EXPECT_EQ(walkA[i].first, walkB[i].first) << command;
            EXPECT_EQ(x->GetHeight(), y->GetHeight()) << command;
            EXPECT_EQ(x->IsAlpha(), y->IsAlpha()) << command;
            EXPECT_EQ(x->GetNormalImage().GetIcon().Pixels(), y->GetNormalImage().GetIcon().Pixels()) << command;
            EXPECT_EQ(x->GetHotOrNormalImage().GetIcon().Pixels(), y->GetHotOrNormalImage().GetIcon().Pixels())
                << command;
            EXPECT_EQ(x->GetDisabledImage().GetIcon().Pixels(), y->GetDisabledImage().GetIcon().Pixels()) << command;
        }
    }
}

TEST_F(CommandImagesTest, TheStoreRoundTripsThroughItsArchive)
{
    ASSERT_TRUE(store.SetIcons(kMaskedStripId, kCommands, kCommandCount, 16, 15, 0));
    ASSERT_TRUE(store.SetIcons(kAlphaStripId, kAlphaCommands, 6, 16, 16, 0));
    store.SetIcon(MakeIcon(32, 32, kOpaqueBlue), 100, 32, 32, 0, FALSE);
    store.SetIcon(MakeIcon(16, 15, kOpaqueRed), 100, 16, 15, CTKCommandImages::kDisabled, FALSE);
    store.SetIcon(MakeIcon(16, 15, kOpaqueBlue), 101, 16, 15, CTKCommandImages::kHot, FALSE);
    const UINT custom = store.AddCustomIcon(MakeIcon(20, 20, 0x80808080, TRUE), TRUE);
    CArchive out;
    store.Serialize(out);

    CTKCommandImages loaded;
    loaded.SetIcon(MakeIcon(16, 16, kOpaqueRed), 999, 16, 16, 0, FALSE);
    CArchive in(out.GetBuffer());
    loaded.Serialize(in);
    ASSERT_TRUE(in.IsOK()) << in.GetErrorText();
    EXPECT_EQ(in.GetRemaining(), 0u);
    EXPECT_EQ(loaded.GetCommandIcons(999), nullptr);
    ExpectSameStore(store, loaded, {100, 101, 102, 103, 104, 200, 201, 202, 203, 204, custom});
    // Written again, the same records come out (sets of one hash bucket in turned order).
    CArchive again;
    loaded.Serialize(again);
    EXPECT_EQ(again.GetBuffer().size(), out.GetBuffer().size());
    // Ids read back are never handed out again.
    EXPECT_EQ(loaded.AddCustomIcon(MakeIcon(16, 16, kOpaqueRed), FALSE), custom + 1);
}

TEST_F(CommandImagesTest, AnIconSetRecordCarriesItsWholeTag)
{
    store.SetIcon(MakeIcon(16, 16, kOpaqueRed), 700, 16, 16, 0, FALSE);
    CArchive out;
    store.SerializeIcons(700, out);
    const std::vector<BYTE>& bytes = out.GetBuffer();
    ASSERT_GT(bytes.size(), 23u);
    EXPECT_EQ(bytes[0], 20);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 21), "CTKImageManagerIcons");
    EXPECT_EQ(bytes[21], 1);   // one icon
    EXPECT_EQ(bytes[22], 0);

    // A set whose tag differs, or is cut short, is refused; the sets read before stay.
    const struct {
        const char* what;
        std::string tag;
    } tags[] = {{"other tag", "CTKImageManagerIconz"}, {"shorter tag", "CTKImageManagerIcon"},
                {"longer tag", "CTKImageManagerIconsX"}};
    for (const auto& t : tags) {
        CArchive damaged;
        damaged.WriteCount(2);
        damaged << static_cast<DWORD>(700);
        store.SerializeIcons(700, damaged);
        damaged << static_cast<DWORD>(701) << t.tag;
        damaged.WriteCount(0);
        CTKCommandImages loaded;
        CArchive in(damaged.GetBuffer());
        loaded.Serialize(in);
        EXPECT_EQ(in.GetError(), CArchive::badClass) << t.what;
        EXPECT_NE(loaded.GetCommandIcons(700), nullptr) << t.what;
        EXPECT_EQ(loaded.GetCommandIcons(701), nullptr) << t.what;
    }
}

TEST_F(CommandImagesTest, IconSetRecordsWithImpossibleWidthsAreRefused)
{
    store.SetIcon(MakeIcon(16, 16, kOpaqueRed), 710, 16, 16, 0, FALSE);
    CArchive out;
    store.SerializeIcons(710, out);
    // The width key follows the 21 bytes of the tag and the 2 of the count.
    for (DWORD width : {0u, 257u, 0xFFFFFFFFu}) {
        std::vector<BYTE> bytes = out.GetBuffer();
        for (int i = 0; i < 4; ++i)
            bytes[23 + static_cast<std::size_t>(i)] = static_cast<BYTE>(width >> (8 * i));
        CTKCommandImages loaded;
        CArchive in(bytes);
        EXPECT_FALSE(loaded.SerializeIcons(710, in)) << width;
        EXPECT_FALSE(in.IsOK()) << width;
        EXPECT_EQ(loaded.GetCommandIcons(710), nullptr) << width;
    }
}

TEST_F(CommandImagesTest, IconSetsMoveThroughTheClipboardUnderNewCustomIds)
{
    store.SetIcon(MakeIcon(16, 16, kOpaqueRed), 800, 16, 16, 0, FALSE);
    store.SetIcon(MakeIcon(24, 24, 0x80FF00FF, TRUE), 800, 24, 24, 0, TRUE);
    store.CopyToClipboard(800);
    EXPECT_TRUE(CClipboard::Get().IsFormatAvailable(store.GetToolBarImageFormat()));
    EXPECT_EQ(CClipboard::FormatName(store.GetToolBarImageFormat()), "ToolBar Image");
    EXPECT_EQ(CClipboard::FormatName(store.GetAlphaMarkerFormat()), "Alpha Bitmap Image");

    const UINT pasted = store.PasteFromClipboard();
    EXPECT_EQ(pasted, CTKCommandImages::kFirstCustomId + 1);
    ASSERT_NE(store.GetCommandIcons(pasted), nullptr);
    EXPECT_EQ(store.FindIcon(pasted, 24)->GetNormalImage().GetIcon().GetPixel(5, 5), 0x80FF00FFu);
    EXPECT_TRUE(store.FindIcon(pasted, 24)->IsAlpha());
    EXPECT_EQ(store.FindIcon(pasted, 16)->GetNormalImage().GetIcon().GetPixel(5, 5), kOpaqueRed);
    EXPECT_EQ(store.AddCustomIcon(MakeIcon(16, 16, kOpaqueRed), FALSE), pasted + 1);
}

TEST_F(CommandImagesTest, ADamagedClipboardRecordGivesNoIdAndNoHalfReadSet)
{
    store.SetIcon(MakeIcon(16, 16, kOpaqueRed), 900, 16, 16, 0, FALSE);
    store.SetIcon(MakeIcon(32, 32, kOpaqueBlue), 900, 32, 32, 0, FALSE);
    store.CopyToClipboard(900);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(CClipboard::Get().GetData(store.GetToolBarImageFormat(), &bytes));
    for (std::size_t cut : {std::size_t(0), std::size_t(10), std::size_t(30), bytes.size() / 2, bytes.size() - 1}) {
        CClipboard::Get().Empty();
        CClipboard::Get().SetData(store.GetToolBarImageFormat(),
                                  std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<long>(cut)));
        const UINT before = store.AddCustomIcon(MakeIcon(16, 16, kOpaqueRed), FALSE);
        EXPECT_EQ(store.PasteFromClipboard(), 0u) << "cut at " << cut;
        EXPECT_EQ(store.GetCommandIcons(before + 1), nullptr) << "cut at " << cut;
    }
    CClipboard::Get().Empty();
    EXPECT_EQ(store.PasteFromClipboard(), 0u);
}

TEST_F(CommandImagesTest, TheGalleryShowsEveryGeneratedState)
{
    ASSERT_TRUE(store.SetIcons(kMaskedStripId, kCommands, kCommandCount, 16, 15, 0));
    ASSERT_TRUE(store.SetIcons(kAlphaStripId, kAlphaCommands, 6, 16, 16, 0));
    store.SetIcon(MakeIcon(16, 15, kOpaqueBlue), 103, 16, 15, CTKCommandImages::kHot, FALSE);
    constexpr int kCell = 36;
    constexpr int kColumns = 7;
    const UINT rows[] = {100, 101, 102, 103, 104, 200, 201, 202, 203, 204};
    const COLORREF face = CTKSystemColors::Instance().LookupColor(COLOR_BTNFACE);
    CQtImageDC dc(kColumns * kCell, static_cast<int>(std::size(rows)) * kCell);
    dc.FillSolidRect(CRect(0, 0, kColumns * kCell, static_cast<int>(std::size(rows)) * kCell), face);
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        const int y = static_cast<int>(row) * kCell + 2;
        CTKCommandIcon* icon = store.FindIcon(rows[row], 16);
        ASSERT_NE(icon, nullptr);
        icon->DrawImage(&dc, 2, y, icon->GetNormalImage(), 0, 0);
        icon->DrawImage(&dc, kCell + 2, y, icon->GetFadedImage(), 0, 0);
        icon->DrawImage(&dc, 2 * kCell + 2, y, icon->GetShadowImage(), 0, 0);
        icon->DrawImage(&dc, 3 * kCell + 2, y, icon->GetHotOrNormalImage(), 0, 0);
        icon->DrawImage(&dc, 4 * kCell + 2, y, icon->GetDisabledImage(), 0, 0);
        CTKCommandIcon* scaled = store.FindIcon(rows[row], 24);
        scaled->DrawImage(&dc, 5 * kCell + 2, y, scaled->GetNormalImage(), 24, 0);
        CTKCommandIcon* large = store.FindIcon(rows[row], 32);
        large->DrawImage(&dc, 6 * kCell + 2, y, large->GetNormalImage(), 32, 0);
    }
    const QImage& gallery = dc.GetImage();
    SaveArtefact(gallery, "icon_gallery.png");

    // The red square (row 3, plain; row 8, alpha) at its middle, (9, 9) of the cell.
    const COLORREF shadow = CTKCommandIcon::ShadowColor(CTKSystemColors::Instance().LookupColor(31));
    for (int row : {3, 8}) {
        const int y = row * kCell + 2 + 7;
        EXPECT_EQ(ProbeColor(gallery, 2 + 7, y), RGB(255, 0, 0)) << row;
        EXPECT_EQ(ProbeColor(gallery, kCell + 2 + 7, y), RGB(255, 76, 76)) << row;
        EXPECT_EQ(ProbeColor(gallery, 2 * kCell + 2 + 7, y), shadow) << row;
        EXPECT_EQ(ProbeColor(gallery, 4 * kCell + 2 + 7, y), RGB(139, 139, 139)) << row;
        EXPECT_EQ(ProbeColor(gallery, 5 * kCell + 2 + 12, y + 4), RGB(255, 0, 0)) << row;
        EXPECT_EQ(ProbeColor(gallery, 6 * kCell + 2 + 16, y + 8), RGB(255, 0, 0)) << row;
        // Masked-out and clear pixels show the face.
        EXPECT_EQ(ProbeColor(gallery, 2, row * kCell + 2), face) << row;
    }
    // The given hot image of the plain red square, and none for the alpha one.
    EXPECT_EQ(ProbeColor(gallery, 3 * kCell + 2 + 7, 3 * kCell + 9), RGB(0, 0, 255));
    EXPECT_EQ(ProbeColor(gallery, 3 * kCell + 2 + 7, 8 * kCell + 9), RGB(255, 0, 0));
    // The shadow of the plain square follows the hot image's shape, the frame included.
    EXPECT_EQ(ProbeColor(gallery, 2 * kCell + 2 + 2, 3 * kCell + 2 + 2), shadow);
}

} // namespace
