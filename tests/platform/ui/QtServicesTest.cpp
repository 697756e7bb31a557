// The desktop services behind the Qt-free interfaces: clipboard, caret,
// cursor shapes and the drag outline overlay.

#include "platform/CCaret.h"
#include "platform/CClipboard.h"
#include "platform/ui/CDragOutline.h"
#include "platform/ui/CQtCaret.h"
#include "platform/ui/CQtClipboard.h"
#include "platform/ui/CQtCursors.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QWidget>

TEST(CQtClipboardTest, TextCrossesAsUnicodeAndComesBackAsGbk)
{
    CQtClipboard clipboard;
    clipboard.Empty();
    EXPECT_FALSE(clipboard.IsFormatAvailable(CF_TEXT));
    ASSERT_TRUE(clipboard.SetText("LD %I0.0 (* \xC6\xF4\xB6\xAF *)"));
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("LD %I0.0 (* \xE5\x90\xAF\xE5\x8A\xA8 *)"));
    std::string text;
    ASSERT_TRUE(clipboard.GetText(&text));
    EXPECT_EQ(text, "LD %I0.0 (* \xC6\xF4\xB6\xAF *)");
}

TEST(CQtClipboardTest, RegisteredFormatsAndTheBitmapTravelTogether)
{
    CQtClipboard clipboard;
    const UINT toolbar = CClipboard::RegisterFormat(kToolBarImageFormat);
    const UINT marker = CClipboard::RegisterFormat(kAlphaBitmapImageFormat);
    EXPECT_EQ(CQtClipboard::MimeType(toolbar), QString("application/x-orvelbuilder-ToolBar-Image"));
    clipboard.Empty();
    CIconImage bitmap(3, 2, 0xFF336699);
    ASSERT_TRUE(clipboard.SetBitmap(bitmap));
    ASSERT_TRUE(clipboard.SetData(marker, {1}));
    ASSERT_TRUE(clipboard.SetData(toolbar, {0, 255, 7}));
    EXPECT_FALSE(clipboard.SetData(0x1234, {1}));

    EXPECT_TRUE(clipboard.IsFormatAvailable(CF_BITMAP));
    EXPECT_TRUE(clipboard.IsFormatAvailable(marker));
    EXPECT_FALSE(clipboard.IsFormatAvailable(CF_TEXT));
    std::vector<BYTE> bytes;
    ASSERT_TRUE(clipboard.GetData(toolbar, &bytes));
    EXPECT_EQ(bytes, (std::vector<BYTE> {0, 255, 7}));
    CIconImage back;
    ASSERT_TRUE(clipboard.GetBitmap(&back));
    EXPECT_EQ(back.GetSize(), CSize(3, 2));
    EXPECT_EQ(back.GetPixel(2, 1), 0xFF336699u);

    // Another program's offer has none of our formats.
    auto* foreign = new QMimeData;
    foreign->setText("x");
    QApplication::clipboard()->setMimeData(foreign);
    EXPECT_FALSE(clipboard.IsFormatAvailable(toolbar));
    EXPECT_FALSE(clipboard.GetData(toolbar, &bytes));
    EXPECT_TRUE(clipboard.IsFormatAvailable(CF_TEXT));
}

TEST(CQtCaretTest, TheCaretFollowsItsOwnerWidget)
{
    QWidget owner;
    owner.resize(200, 100);
    owner.show();
    CQtCaret view;
    CCaret& caret = CCaret::Instance();
    caret.SetView(&view);
    caret.Create(&owner, 2, 16);
    EXPECT_EQ(view.GetOwner(), &owner);
    EXPECT_FALSE(view.IsShownOn(&owner));

    caret.SetPos(40, 20);
    caret.Show(&owner);
    EXPECT_TRUE(view.IsShownOn(&owner));
    EXPECT_EQ(view.GetCaretRect(), CRect(40, 20, 42, 36));
    view.Blink();
    EXPECT_FALSE(view.IsShownOn(&owner));
    view.Blink();
    EXPECT_TRUE(view.IsShownOn(&owner));
    caret.Hide(&owner);
    EXPECT_FALSE(view.IsShownOn(&owner));

    caret.Destroy();
    EXPECT_EQ(view.GetOwner(), nullptr);
    caret.SetView(nullptr);
}

TEST(CQtCursorsTest, StandardShapesMapAndProgramCursorsNeedRegistering)
{
    const struct {
        UINT id;
        Qt::CursorShape shape;
    } cases[] = {
        {IDC_ARROW, Qt::ArrowCursor},   {IDC_IBEAM, Qt::IBeamCursor},        {IDC_SIZEALL, Qt::SizeAllCursor},
        {IDC_HAND, Qt::PointingHandCursor}, {IDC_SIZEWE, Qt::SizeHorCursor}, {IDC_NO, Qt::ForbiddenCursor},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CQtCursors::Cursor(c.id).shape(), c.shape) << c.id;

    QCursor cursor;
    EXPECT_FALSE(CQtCursors::Find(9970, &cursor));
    EXPECT_EQ(cursor.shape(), Qt::ArrowCursor);
    CQtCursors::Register(9970, QCursor(Qt::SplitHCursor));
    EXPECT_TRUE(CQtCursors::Find(9970, &cursor));
    EXPECT_EQ(cursor.shape(), Qt::SplitHCursor);
}

TEST(CDragOutlineTest, AHalftoneFrameFollowsTheDrag)
{
    CDragOutline outline;
    const CRect first(100, 80, 140, 110);
    outline.DrawDragRect(first, CSize(3, 3), nullptr, CSize());
    ASSERT_TRUE(outline.IsShown());
    // Four opaque strips that take no focus cover the frame and nothing else.
    const std::vector<QWidget*> strips = outline.Strips();
    ASSERT_EQ(strips.size(), 4u);
    QRegion covered;
    for (QWidget* strip : strips) {
        EXPECT_TRUE(strip->isWindow());
        EXPECT_FALSE(strip->testAttribute(Qt::WA_TranslucentBackground));
        EXPECT_TRUE(strip->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        covered += strip->geometry();
    }
    EXPECT_EQ(covered, QRegion(100, 80, 40, 30) - QRegion(103, 83, 34, 24));

    const QImage frame = outline.Render();
    // The frame alternates black and white; its inside stays transparent.
    EXPECT_NE(frame.pixel(0, 0), frame.pixel(1, 0));
    EXPECT_EQ(qAlpha(frame.pixel(0, 0)), 255);
    EXPECT_EQ(qAlpha(frame.pixel(2, 2)), 255);
    EXPECT_EQ(qAlpha(frame.pixel(3, 3)), 0);
    EXPECT_EQ(qAlpha(frame.pixel(36, 26)), 0);
    EXPECT_EQ(qAlpha(frame.pixel(37, 26)), 255);

    const CRect second(101, 80, 141, 110);
    outline.DrawDragRect(second, CSize(3, 3), &first, CSize(3, 3));
    EXPECT_EQ(outline.GetRect(), second);
    // The checkerboard stays fixed to the screen: the same screen pixel keeps its colour.
    EXPECT_EQ(outline.Render().pixel(0, 0), frame.pixel(1, 0));

    outline.DrawDragRect(second, CSize(0, 0), &second, CSize(3, 3));
    EXPECT_FALSE(outline.IsShown());
}
