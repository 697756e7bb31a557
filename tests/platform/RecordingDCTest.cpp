// The device-context state and the recording device: a small painting
// routine of the kind the editors have, compared call by call.

#include "platform/CDC.h"
#include "platform/CGlyphs.h"
#include "platform/CMemDC.h"
#include "platform/CRecordingDC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A gutter with line numbers and an error mark, drawn the way a text editor does.
void PaintGutter(CDC* dc, int height)
{
    CPen pen(PS_SOLID, 1, RGB(250, 250, 250));
    CBrush brush(RGB(216, 216, 216));
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Rectangle(0, 0, 30, height);
    CFont font;
    font.CreateFont(16, FW_NORMAL, FALSE, FALSE, "Arial");
    CFont* oldFont = dc->SelectObject(&font);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->TextOut(1, 0, "  1");
    const COLORREF oldColor = dc->SetTextColor(RGB(255, 0, 0));
    dc->TextOut(22, 16, "?");
    dc->SetTextColor(oldColor);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldFont);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

} // namespace

TEST(CRecordingDCTest, ADrawingIsRecordedCallByCall)
{
    CRecordingDC dc;
    PaintGutter(&dc, 40);
    const std::vector<std::string> expected = {
        "SelectPen(0,1,RGB(250,250,250))",
        "SelectBrush(RGB(216,216,216))",
        "Rectangle(0,0,30,40)",
        "SelectFont(Arial,16,400)",
        "SetBkMode(TRANSPARENT)",
        "TextOut(1,0,\"  1\")",
        "SetTextColor(RGB(255,0,0))",
        "TextOut(22,16,\"?\")",
        "SetTextColor(RGB(0,0,0))",
        "SetBkMode(OPAQUE)",
        "SelectFont(DejaVu Sans,-12,400)",
        "SelectBrush(RGB(255,255,255))",
        "SelectPen(0,0,RGB(0,0,0))",
    };
    EXPECT_EQ(dc.Calls(), expected);
}

TEST(CRecordingDCTest, SelectingTheDisplacedObjectRestoresTheState)
{
    CRecordingDC dc;
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    EXPECT_TRUE(dc.GetCurrentBrush().IsNull());
    {
        // The context keeps a copy: the pen may die while selected.
        CPen pen(PS_DOT, 2, RGB(1, 2, 3));
        dc.SelectObject(&pen);
    }
    EXPECT_EQ(dc.GetCurrentPen().GetStyle(), PS_DOT);
    EXPECT_EQ(dc.GetCurrentPen().GetColor(), RGB(1, 2, 3));
    dc.SelectObject(oldBrush);
    EXPECT_FALSE(dc.GetCurrentBrush().IsNull());
    EXPECT_EQ(dc.GetCurrentBrush().GetColor(), RGB(255, 255, 255));
    EXPECT_EQ(dc.SelectStockObject(12345), nullptr);
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);

    dc.SetMapMode(MM_TWIPS);
    dc.SetTextAlign(TA_RIGHT);
    dc.ResetState();
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetTextAlign(), TA_LEFT | TA_TOP);
    EXPECT_EQ(dc.GetCurrentPen().GetColor(), RGB(0, 0, 0));
}

TEST(CRecordingDCTest, CompositeOperationsAreRecordedOnce)
{
    CRecordingDC dc;
    dc.Draw3dRect(1, 2, 10, 5, RGB(255, 255, 255), RGB(128, 128, 128));
    dc.DrawFocusRect(CRect(0, 0, 4, 4));
    dc.DrawIcon(3, 4, CIconImage(16, 16));
    const std::vector<std::string> expected = {
        "Draw3dRect(1,2,11,7,RGB(255,255,255),RGB(128,128,128))",
        "DrawFocusRect(0,0,4,4)",
        "DrawIcon(3,4,16x16,0,0)",
    };
    EXPECT_EQ(dc.Calls(), expected);
}

TEST(CRecordingDCTest, LinesMoveTheCurrentPosition)
{
    CRecordingDC dc;
    dc.MoveTo(1, 1);
    dc.LineTo(5, 1);
    dc.LineTo(5, 9);
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(5, 9));
    const CPoint points[] = {{0, 0}, {3, 3}};
    EXPECT_FALSE(dc.Polyline(points, 1));
    EXPECT_TRUE(dc.Polyline(points, 2));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(5, 9));
    EXPECT_EQ(dc.Calls().back(), "Polyline(0:0,3:3)");
}

TEST(CRecordingDCTest, ClippingFollowsIntersectAndExclude)
{
    CRecordingDC dc(CSize(200, 100));
    CRect box;
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 200, 100));

    dc.IntersectClipRect(CRect(10, 10, 50, 40));
    dc.ExcludeClipRect(CRect(20, 10, 30, 40));
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(10, 10, 50, 40));
    EXPECT_TRUE(dc.PtVisible(15, 20));
    EXPECT_FALSE(dc.PtVisible(25, 20));
    EXPECT_TRUE(dc.PtVisible(30, 20));
    EXPECT_FALSE(dc.PtVisible(50, 20));

    // Formatted text clips to its rectangle only while it draws.
    CRect rect(0, 0, 5, 5);
    dc.DrawText("x", &rect, DT_SINGLELINE);
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(10, 10, 50, 40));

    dc.SelectClipRgn(nullptr);
    EXPECT_TRUE(dc.PtVisible(25, 20));
}

TEST(CRecordingDCTest, MemoryContextCoversItsRectangleAndCopiesBack)
{
    CRecordingDC target(CSize(300, 200));
    {
        const CRect rect(10, 20, 110, 70);
        CMemDC memory(&target, &rect, RGB(255, 255, 255));
        ASSERT_TRUE(memory.IsValid());
        EXPECT_NE(memory.GetDC(), &target);
        memory->LineTo(3, 3);
    }
    {
        // An empty rectangle takes the clip box of the target.
        target.IntersectClipRect(CRect(5, 5, 45, 25));
        const CRect empty;
        CMemDC memory(&target, &empty, RGB(0, 0, 0));
        EXPECT_EQ(memory.GetRect(), CRect(5, 5, 45, 25));
    }
    const std::vector<std::string> expected = {
        "CreateCompatibleDC(100,50)",
        "BitBlt(10,20,100,50,0,0," + std::to_string(SRCCOPY) + ")",
        "IntersectClipRect(5,5,45,25)",
        "CreateCompatibleDC(40,20)",
        "BitBlt(5,5,40,20,0,0," + std::to_string(SRCCOPY) + ")",
    };
    EXPECT_EQ(target.Calls(), expected);
}

TEST(CRecordingDCTest, FrameControlsOfOtherKindsAreRefused)
{
    CRecordingDC dc;
    CRect rect(0, 0, 16, 14);
    EXPECT_FALSE(CGlyphs::DrawFrameControl(&dc, &rect, DFC_BUTTON, 0x0005));
    EXPECT_TRUE(dc.Calls().empty());
    EXPECT_TRUE(CGlyphs::DrawFrameControl(&dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
    EXPECT_EQ(rect, CRect(2, 2, 14, 12));
}
