// The caret's owner and hide count, and the clipboard's formats.

#include "platform/CCaret.h"
#include "platform/CClipboard.h"
#include "platform/CMemoryClipboard.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CRecordingCaretView : public ICaretView {
public:
    void CaretChanged(const void* owner, const CRect& rect, BOOL visible) override
    {
        owners.push_back(owner);
        rects.push_back(rect);
        shown.push_back(visible);
    }
    std::vector<const void*> owners;
    std::vector<CRect> rects;
    std::vector<BOOL> shown;
};

class CCaretTest : public ::testing::Test {
protected:
    void SetUp() override { CCaret::Instance().SetView(&view); }
    void TearDown() override
    {
        CCaret::Instance().Destroy();
        CCaret::Instance().SetView(nullptr);
    }
    CRecordingCaretView view;
    int editor = 0;
    int other = 0;
};

} // namespace

TEST_F(CCaretTest, ANewCaretIsHiddenAndEveryHideNeedsAShow)
{
    CCaret& caret = CCaret::Instance();
    ASSERT_TRUE(caret.Create(&editor, 2, 16));
    EXPECT_FALSE(caret.IsVisible());
    caret.SetPos(40, 32);
    caret.Show(&editor);
    EXPECT_TRUE(caret.IsVisible());
    caret.Hide(&editor);
    caret.Hide(nullptr);
    caret.Show(&editor);
    EXPECT_FALSE(caret.IsVisible());
    caret.Show(&editor);
    EXPECT_TRUE(caret.IsVisible());
    // More shows than hides do not bank.
    caret.Show(&editor);
    caret.Hide(&editor);
    EXPECT_FALSE(caret.IsVisible());
    EXPECT_EQ(view.rects.back(), CRect(40, 32, 42, 48));
    EXPECT_EQ(view.owners.back(), &editor);
}

TEST_F(CCaretTest, OnlyTheOwnerShowsItAndANewOwnerReplacesIt)
{
    CCaret& caret = CCaret::Instance();
    EXPECT_FALSE(caret.SetPos(1, 1));
    EXPECT_FALSE(caret.Show(&editor));
    EXPECT_FALSE(caret.Create(nullptr, 2, 2));
    caret.Create(&editor, 2, 16);
    EXPECT_FALSE(caret.Show(&other));
    EXPECT_FALSE(caret.IsVisible());
    caret.Create(&other, 0, 10);
    EXPECT_EQ(caret.GetOwner(), &other);
    EXPECT_EQ(caret.GetSize(), CSize(1, 10));
    // The old owner's caret went away first.
    ASSERT_GE(view.owners.size(), 3u);
    EXPECT_EQ(view.owners[view.owners.size() - 2], nullptr);
    EXPECT_TRUE(caret.Destroy());
    EXPECT_FALSE(caret.Destroy());
    EXPECT_FALSE(caret.Exists());
}

TEST(CClipboardTest, RegisteredFormatsKeepTheirNumbers)
{
    const UINT toolbar = CClipboard::RegisterFormat(kToolBarImageFormat);
    const UINT alpha = CClipboard::RegisterFormat(kAlphaBitmapImageFormat);
    EXPECT_GE(toolbar, 0xC000u);
    EXPECT_NE(toolbar, alpha);
    EXPECT_EQ(CClipboard::RegisterFormat("ToolBar Image"), toolbar);
    EXPECT_EQ(CClipboard::FormatName(alpha), "Alpha Bitmap Image");
    EXPECT_EQ(CClipboard::RegisterFormat(""), 0u);
    EXPECT_EQ(CClipboard::FormatName(CF_TEXT), "");
    EXPECT_EQ(CClipboard::FormatName(0xFFFF), "");
}

TEST(CClipboardTest, FormatsStayTogetherUntilEmpty)
{
    CMemoryClipboard clipboard;
    CClipboard::Set(&clipboard);
    IClipboard& board = CClipboard::Get();
    const UINT toolbar = CClipboard::RegisterFormat(kToolBarImageFormat);
    const UINT marker = CClipboard::RegisterFormat(kAlphaBitmapImageFormat);
    board.Empty();
    EXPECT_FALSE(board.IsFormatAvailable(CF_TEXT));
    EXPECT_TRUE(board.SetData(toolbar, {21, 'C'}));
    EXPECT_TRUE(board.SetBitmap(CIconImage(2, 2, 0xFF000000)));
    EXPECT_TRUE(board.SetData(marker, {1}));
    EXPECT_TRUE(board.SetText("LD %I0.0\r\n"));
    EXPECT_FALSE(board.SetData(CF_TEXT, {1}));
    EXPECT_FALSE(board.SetBitmap(CIconImage()));

    std::vector<BYTE> bytes;
    ASSERT_TRUE(board.GetData(toolbar, &bytes));
    EXPECT_EQ(bytes, (std::vector<BYTE> {21, 'C'}));
    EXPECT_TRUE(board.IsFormatAvailable(marker));
    EXPECT_TRUE(board.IsFormatAvailable(CF_BITMAP));
    std::string text;
    ASSERT_TRUE(board.GetText(&text));
    EXPECT_EQ(text, "LD %I0.0\r\n");

    board.Empty();
    EXPECT_FALSE(board.IsFormatAvailable(toolbar));
    EXPECT_FALSE(board.GetText(&text));
    CIconImage bitmap;
    EXPECT_FALSE(board.GetBitmap(&bitmap));
    CClipboard::Set(nullptr);
}
