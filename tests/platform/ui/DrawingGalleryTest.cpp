// The drawing gallery: every primitive painted into one image back buffer,
// with the pixels checked at the edges that the pixel rules fix. The image
// is written beside the test program as drawing_gallery.png.

#include "platform/CDrawText.h"
#include "platform/CGlyphs.h"
#include "platform/CImageList.h"
#include "platform/CMemDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtDC.h"
#include "platform/ui/CQtImageDC.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 160, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

QImage Area(const CQtImageDC& dc, const CRect& rect)
{
    return dc.GetImage().copy(rect.left, rect.top, rect.Width(), rect.Height());
}

// Pixels in the rectangle that are not the background colour.
int InkCount(const CQtImageDC& dc, const CRect& rect, COLORREF background = kWhite)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            count += dc.GetPixel(x, y) != background ? 1 : 0;
    }
    return count;
}

void ExpectPixels(const CQtImageDC& dc, const std::vector<std::pair<CPoint, COLORREF>>& pixels)
{
    for (const auto& [point, color] : pixels)
        EXPECT_EQ(dc.GetPixel(point.x, point.y), color) << "at " << point.x << "," << point.y;
}

void PaintLines(CQtImageDC& dc)
{
    SCOPED_TRACE("lines");
    dc.MoveTo(10, 10);
    dc.LineTo(30, 10);
    dc.MoveTo(10, 14);
    dc.LineTo(10, 30);
    dc.MoveTo(40, 10);
    dc.LineTo(50, 20);
    dc.MoveTo(30, 40);
    dc.LineTo(14, 40);
    ExpectPixels(dc, {{{10, 10}, kBlack}, {{29, 10}, kBlack}, {{30, 10}, kWhite},
                      {{10, 29}, kBlack}, {{10, 30}, kWhite},
                      {{40, 10}, kBlack}, {{49, 19}, kBlack}, {{50, 20}, kWhite},
                      {{30, 40}, kBlack}, {{15, 40}, kBlack}, {{14, 40}, kWhite}});

    // A dotted pen: three on, three off, the gaps in the background colour when opaque.
    CPen dots(PS_DOT, 1, kBlack);
    CPen* old = dc.SelectObject(&dots);
    dc.SetBkColor(kRed);
    dc.MoveTo(10, 34);
    dc.LineTo(40, 34);
    dc.SetBkColor(kWhite);
    dc.SelectObject(old);
    ExpectPixels(dc, {{{10, 34}, kBlack}, {{12, 34}, kBlack}, {{13, 34}, kRed}, {{15, 34}, kRed}, {{16, 34}, kBlack},
                      {{40, 34}, kWhite}});
}

void PaintRectangles(CQtImageDC& dc)
{
    SCOPED_TRACE("rectangles");
    CBrush red(kRed);
    CBrush* oldBrush = dc.SelectObject(&red);
    dc.Rectangle(60, 10, 80, 30);
    ExpectPixels(dc, {{{60, 10}, kBlack}, {{79, 10}, kBlack}, {{60, 29}, kBlack}, {{79, 29}, kBlack},
                      {{80, 10}, kWhite}, {{60, 30}, kWhite}, {{80, 30}, kWhite},
                      {{61, 11}, kRed}, {{78, 28}, kRed}});

    CBrush blue(kBlue);
    dc.SelectObject(&blue);
    CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(90, 10, 100, 20);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
    ExpectPixels(dc, {{{90, 10}, kBlue}, {{99, 19}, kBlue}, {{100, 19}, kWhite}, {{99, 20}, kWhite}});

    dc.FillSolidRect(110, 10, 10, 10, kGreen);
    ExpectPixels(dc, {{{110, 10}, kGreen}, {{119, 19}, kGreen}, {{120, 19}, kWhite}, {{119, 20}, kWhite}, {{109, 10}, kWhite}});

    // 3-D frame: top and left in the first colour but for the far corners.
    dc.Draw3dRect(70, 50, 20, 10, kBlue, kRed);
    ExpectPixels(dc, {{{70, 50}, kBlue}, {{88, 50}, kBlue}, {{89, 50}, kRed}, {{70, 58}, kBlue}, {{70, 59}, kRed},
                      {{89, 59}, kRed}, {{80, 55}, kWhite}, {{90, 55}, kWhite}});
}

void PaintPolygons(CQtImageDC& dc)
{
    SCOPED_TRACE("polygons");
    CBrush green(kGreen);
    CBrush* oldBrush = dc.SelectObject(&green);
    CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
    const CPoint square[] = {{130, 10}, {150, 10}, {150, 30}, {130, 30}};
    dc.Polygon(square, 4);
    ExpectPixels(dc, {{{130, 10}, kGreen}, {{149, 29}, kGreen}, {{150, 29}, kWhite}, {{149, 30}, kWhite},
                      {{129, 20}, kWhite}, {{140, 9}, kWhite}});
    dc.SelectObject(oldPen);

    // With a pen every vertex is drawn: each edge leaves out its end and the next one starts there.
    const CPoint triangle[] = {{160, 30}, {170, 10}, {180, 30}};
    dc.Polygon(triangle, 3);
    dc.SelectObject(oldBrush);
    ExpectPixels(dc, {{{160, 30}, kBlack}, {{170, 10}, kBlack}, {{180, 30}, kBlack}, {{170, 25}, kGreen},
                      {{181, 30}, kWhite}, {{170, 31}, kWhite}});
}

void PaintEllipses(CQtImageDC& dc)
{
    SCOPED_TRACE("ellipses and arcs");
    CBrush yellow(RGB(255, 255, 0));
    CBrush* oldBrush = dc.SelectObject(&yellow);
    dc.Ellipse(100, 50, 140, 80);
    dc.SelectObject(oldBrush);
    ExpectPixels(dc, {{{120, 65}, RGB(255, 255, 0)}, {{100, 50}, kWhite}, {{139, 79}, kWhite}, {{140, 65}, kWhite}});
    EXPECT_GT(InkCount(dc, CRect(100, 64, 102, 67)), 0);

    // The upper half, counter-clockwise from the right to the left.
    dc.Arc(150, 50, 190, 80, 190, 65, 150, 65);
    EXPECT_GT(InkCount(dc, CRect(168, 50, 173, 53)), 0);
    EXPECT_EQ(InkCount(dc, CRect(155, 70, 186, 80)), 0);
}

void PaintInverting(CQtImageDC& dc)
{
    SCOPED_TRACE("inverting fills");
    const CRect area(10, 50, 60, 80);
    dc.FillSolidRect(10, 50, 25, 30, kRed);
    const QImage before = Area(dc, area);

    dc.InvertRect(area);
    ExpectPixels(dc, {{{10, 50}, RGB(0, 255, 255)}, {{59, 79}, kBlack}, {{60, 79}, kWhite}});
    dc.InvertRect(area);
    EXPECT_EQ(Area(dc, area), before);

    CBrush* oldBrush = dc.SelectObject(CDC::GetHalftoneBrush());
    dc.PatBlt(area.left, area.top, area.Width(), area.Height(), PATINVERT);
    EXPECT_NE(dc.GetPixel(40, 60), dc.GetPixel(41, 60));
    dc.PatBlt(area.left, area.top, area.Width(), area.Height(), PATINVERT);
    dc.SelectObject(oldBrush);
    EXPECT_EQ(Area(dc, area), before);

    // A focus rectangle inverts every other pixel of its frame, whatever the colours.
    dc.SetTextColor(kBlue);
    dc.DrawFocusRect(CRect(36, 52, 56, 70));
    dc.SetTextColor(kBlack);
    EXPECT_EQ(dc.GetPixel(36, 52) ^ dc.GetPixel(37, 52), kWhite);
    EXPECT_EQ(dc.GetPixel(36, 53) ^ dc.GetPixel(36, 54), kWhite);
    EXPECT_EQ(dc.GetPixel(46, 60), kWhite);
    EXPECT_EQ(dc.GetPixel(56, 60), kWhite);
    dc.DrawFocusRect(CRect(36, 52, 56, 70));
    EXPECT_EQ(Area(dc, area), before);

    // The drag frame: moving it leaves shared pixels alone, erasing it restores everything.
    const CRect drag(100, 150, 160, 190);
    const QImage clean = Area(dc, drag);
    const CRect first(100, 150, 140, 180);
    const CRect second(105, 152, 145, 182);
    dc.DrawDragRect(first, CSize(3, 3), nullptr, CSize());
    EXPECT_GT(InkCount(dc, CRect(100, 150, 140, 153)), 0);
    dc.DrawDragRect(second, CSize(3, 3), &first, CSize(3, 3));
    EXPECT_EQ(InkCount(dc, CRect(100, 150, 105, 180)), 0);
    EXPECT_GT(InkCount(dc, CRect(105, 152, 108, 182)), 0);
    dc.DrawDragRect(second, CSize(0, 0), &second, CSize(3, 3));
    EXPECT_EQ(Area(dc, drag), clean);
}

void PaintText(CQtImageDC& dc)
{
    SCOPED_TRACE("text");
    CFont font;
    font.CreateFont(-14, FW_NORMAL, FALSE, FALSE, "DejaVu Sans");
    CFont* oldFont = dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);

    // The measured rectangle holds the text drawn in it.
    CRect measured(10, 90, 10, 90);
    const int height = dc.DrawText("Project Name:", &measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured.Size(), dc.GetTextExtent("Project Name:"));
    EXPECT_EQ(height, measured.Height());
    TEXTMETRIC metrics;
    dc.GetTextMetrics(&metrics);
    EXPECT_EQ(metrics.tmHeight, measured.Height());
    EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, metrics.tmHeight);
    dc.DrawText("Project Name:", &measured, DT_SINGLELINE);
    EXPECT_GT(InkCount(dc, measured), 20);
    CRect around(measured);
    around.InflateRect(4, 4);
    EXPECT_EQ(InkCount(dc, around) - InkCount(dc, measured), 0);

    // Too wide: cut with "..." and nothing past the rectangle.
    const std::string stamp = "Printed:  2026-12-10  12:00:00";
    CRect narrow(10, 112, 90, 130);
    std::vector<CTextPiece> pieces;
    CRect layoutRect(narrow);
    CDrawText::Layout(dc, stamp, &layoutRect, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, &pieces);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0].text.substr(pieces[0].text.size() - 3), "...");
    EXPECT_LE(dc.GetTextExtent(pieces[0].text).cx, narrow.Width());
    dc.DrawText(stamp, &narrow, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    EXPECT_GT(InkCount(dc, narrow), 20);
    EXPECT_EQ(InkCount(dc, CRect(90, 112, 130, 130)), 0);
    // Without the ellipsis the rectangle still clips.
    CRect clipped(10, 132, 90, 150);
    dc.DrawText(stamp, &clipped, DT_SINGLELINE);
    EXPECT_EQ(InkCount(dc, CRect(90, 132, 130, 150)), 0);

    // The mnemonic is underlined under its own character only.
    CRect menu(100, 110, 160, 130);
    pieces.clear();
    CRect menuLayout(menu);
    CDrawText::Layout(dc, "&File", &menuLayout, DT_SINGLELINE, &pieces);
    dc.DrawText("&File", &menu, DT_SINGLELINE);
    ASSERT_TRUE(pieces[0].underline);
    const int lineY = pieces[0].at.y + metrics.tmAscent + 1;
    for (int x = pieces[0].underlineLeft; x < pieces[0].underlineRight; ++x)
        EXPECT_EQ(dc.GetPixel(x, lineY), kBlack) << x;
    EXPECT_EQ(dc.GetPixel(pieces[0].underlineRight + 1, lineY), kWhite);

    // Opaque text fills its cell with the background colour.
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(0, 255, 255));
    dc.TextOut(200, 90, "Ab");
    const CSize cell = dc.GetTextExtent("Ab");
    ExpectPixels(dc, {{{200, 90}, RGB(0, 255, 255)}, {{200 + cell.cx - 1, 90}, RGB(0, 255, 255)},
                      {{200 + cell.cx, 90}, kWhite}, {{200, 90 + cell.cy}, kWhite}});
    // Right-aligned text ends at its reference point.
    dc.SetTextAlign(TA_RIGHT | TA_TOP);
    dc.TextOut(300, 110, "Ab");
    dc.SetTextAlign(TA_LEFT | TA_TOP);
    ExpectPixels(dc, {{{299, 110}, RGB(0, 255, 255)}, {{300, 110}, kWhite}, {{300 - cell.cx, 110}, RGB(0, 255, 255)}});
    dc.SetBkColor(kWhite);
    dc.SelectObject(oldFont);
}

CIconImage FramedIcon(COLORREF color, int alpha)
{
    CIconImage icon(8, 8, CIconImage::ArgbFromColor(color, alpha));
    for (int y = 2; y < 6; ++y) {
        for (int x = 2; x < 6; ++x)
            icon.SetPixel(x, y, 0);
    }
    return icon;
}

void PaintIcons(CQtImageDC& dc)
{
    SCOPED_TRACE("icons");
    dc.DrawIcon(220, 10, FramedIcon(kRed, 255));
    ExpectPixels(dc, {{{220, 10}, kRed}, {{227, 17}, kRed}, {{223, 13}, kWhite}, {{228, 10}, kWhite}});

    CIconImage half = FramedIcon(kRed, 128);
    half.SetAlpha(TRUE);
    dc.DrawIcon(232, 10, half);
    const COLORREF blended = dc.GetPixel(232, 10);
    EXPECT_EQ(GetRValue(blended), 255);
    EXPECT_NEAR(GetGValue(blended), 127, 2);
    EXPECT_NEAR(GetBValue(blended), 127, 2);

    // Disabled: the silhouette in the brush's colour, transparent pixels untouched.
    CBrush grey(RGB(128, 128, 128));
    dc.DrawState(CPoint(244, 10), CSize(), FramedIcon(kBlue, 255), DSS_MONO, &grey);
    ExpectPixels(dc, {{{244, 10}, RGB(128, 128, 128)}, {{251, 17}, RGB(128, 128, 128)}, {{247, 13}, kWhite}});
    dc.DrawState(CPoint(256, 10), CSize(16, 16), FramedIcon(kBlue, 255), DSS_NORMAL);
    ExpectPixels(dc, {{{256, 10}, kBlue}, {{271, 25}, kBlue}, {{264, 18}, kWhite}});

    // An image list from a strip with a mask colour.
    CIconImage strip(16, 8, CIconImage::ArgbFromColor(kGreen));
    strip.SetPixel(8, 0, CIconImage::ArgbFromColor(RGB(255, 0, 255)));
    CImageList list;
    list.Create(8, 8, ILC_COLOR24 | ILC_MASK);
    list.Add(strip, RGB(255, 0, 255));
    EXPECT_TRUE(list.Draw(&dc, 1, CPoint(280, 10), ILD_NORMAL));
    ExpectPixels(dc, {{{280, 10}, kWhite}, {{281, 10}, kGreen}, {{287, 17}, kGreen}});
}

void PaintCopies(CQtImageDC& dc)
{
    SCOPED_TRACE("block copies and memory contexts");
    std::unique_ptr<CDC> memory = dc.CreateCompatibleDC(20, 20);
    memory->FillSolidRect(0, 0, 20, 20, RGB(255, 0, 255));
    memory->SetPixel(5, 5, kBlack);
    EXPECT_EQ(memory->GetPixel(5, 5), kBlack);
    EXPECT_EQ(memory->GetPixel(20, 5), CLR_INVALID);
    EXPECT_TRUE(dc.BitBlt(200, 50, 20, 20, memory.get(), 0, 0, SRCCOPY));
    ExpectPixels(dc, {{{200, 50}, RGB(255, 0, 255)}, {{205, 55}, kBlack}, {{219, 69}, RGB(255, 0, 255)}, {{220, 50}, kWhite}});

    const QImage before = Area(dc, CRect(200, 50, 220, 70));
    dc.BitBlt(200, 50, 20, 20, memory.get(), 0, 0, SRCINVERT);
    EXPECT_EQ(dc.GetPixel(200, 50), kBlack);
    dc.BitBlt(200, 50, 20, 20, memory.get(), 0, 0, SRCINVERT);
    EXPECT_EQ(Area(dc, CRect(200, 50, 220, 70)), before);

    {
        const CRect rect(230, 50, 250, 70);
        CMemDC buffer(&dc, &rect, RGB(255, 255, 0));
        buffer->MoveTo(0, 0);
        buffer->LineTo(5, 0);
        // Nothing reaches the target before the buffer is copied.
        EXPECT_EQ(dc.GetPixel(230, 50), kWhite);
    }
    ExpectPixels(dc, {{{230, 50}, kBlack}, {{234, 50}, kBlack}, {{235, 50}, RGB(255, 255, 0)}, {{249, 69}, RGB(255, 255, 0)},
                      {{250, 69}, kWhite}});

}

void PaintClipped(CQtImageDC& dc)
{
    SCOPED_TRACE("clipping");
    dc.IntersectClipRect(CRect(260, 50, 280, 70));
    dc.FillSolidRect(250, 40, 50, 40, kBlue);
    dc.ExcludeClipRect(CRect(265, 55, 270, 60));
    dc.FillSolidRect(250, 40, 50, 40, kGreen);
    dc.SelectClipRgn(nullptr);
    ExpectPixels(dc, {{{259, 60}, kWhite}, {{260, 60}, kGreen}, {{279, 69}, kGreen}, {{280, 69}, kWhite},
                      {{279, 70}, kWhite}, {{265, 55}, kBlue}, {{269, 59}, kBlue}, {{270, 59}, kGreen}});
}

void PaintMapped(CQtImageDC& dc)
{
    SCOPED_TRACE("mapping");
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(2, 2);
    dc.SetViewportOrg(10, 200);
    CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
    CGdiObject* oldBrush = dc.SelectStockObject(BLACK_BRUSH);
    dc.Rectangle(0, 0, 5, 5);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    EXPECT_EQ(dc.GetPixel(4, 4), kBlack);
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    ExpectPixels(dc, {{{10, 200}, kBlack}, {{19, 209}, kBlack}, {{20, 209}, kWhite}, {{19, 210}, kWhite}});
}

void PaintGlyphs(CQtImageDC& dc)
{
    SCOPED_TRACE("glyphs");
    CGlyphs::DrawCheckMark(&dc, CRect(40, 190, 53, 203), kBlack);
    ExpectPixels(dc, {{{43, 194}, kWhite}, {{43, 195}, kBlack}, {{43, 197}, kBlack}, {{43, 198}, kWhite},
                      {{46, 196}, kBlack}, {{49, 193}, kBlack}, {{50, 193}, kWhite}});

    CGlyphs::DrawArrow(&dc, CRect(60, 190, 69, 195), CGlyphs::Arrow::Down, kBlack);
    ExpectPixels(dc, {{{60, 190}, kBlack}, {{68, 190}, kBlack}, {{59, 190}, kWhite}, {{69, 190}, kWhite},
                      {{64, 194}, kBlack}, {{63, 194}, kWhite}, {{64, 195}, kWhite}});

    CGlyphs::DrawCloseCross(&dc, CRect(80, 190, 88, 198), kBlack);
    ExpectPixels(dc, {{{80, 190}, kBlack}, {{81, 190}, kBlack}, {{82, 190}, kWhite}, {{86, 190}, kBlack},
                      {{87, 190}, kBlack}, {{83, 193}, kBlack}, {{80, 197}, kBlack}, {{88, 190}, kWhite}});

    CRect button(100, 200, 116, 214);
    EXPECT_TRUE(CGlyphs::DrawFrameControl(&dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE));
    ExpectPixels(dc, {{{100, 200}, GetSysColor(COLOR_BTNHIGHLIGHT)}, {{115, 213}, GetSysColor(COLOR_3DDKSHADOW)},
                      {{116, 213}, kWhite}});
    CRect pushed(120, 200, 136, 214);
    CGlyphs::DrawFrameControl(&dc, &pushed, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(dc.GetPixel(120, 200), GetSysColor(COLOR_3DDKSHADOW));
}

} // namespace

TEST(DrawingGalleryTest, EveryPrimitiveKeepsItsPixelRules)
{
    CQtImageDC dc(320, 240);
    EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 320);
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 96);
    PaintLines(dc);
    PaintRectangles(dc);
    PaintPolygons(dc);
    PaintEllipses(dc);
    PaintInverting(dc);
    PaintText(dc);
    PaintIcons(dc);
    PaintCopies(dc);
    PaintClipped(dc);
    PaintMapped(dc);
    PaintGlyphs(dc);

    const std::string path = QCoreApplication::applicationDirPath().toStdString() + "/drawing_gallery.png";
    EXPECT_TRUE(dc.Save(path));
    EXPECT_TRUE(QFileInfo(QString::fromStdString(path)).size() > 0);
}

TEST(DrawingGalleryTest, FontRecordsBecomeQtFontsOfTheDeviceSize)
{
    LOGFONT record;
    record.lfHeight = -16;
    record.lfWeight = FW_BOLD;
    record.lfItalic = 1;
    CFont::SetFaceName(record, "Arial");
    CDCMapping screen;
    const QFont font = CQtDC::ToQFont(record, screen);
    EXPECT_EQ(font.pixelSize(), 16);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_EQ(font.family(), QString("Arial"));

    // No face: the default face; no height: the menu font's; twips on a 600 dpi printer.
    LOGFONT plain;
    plain.lfHeight = 197;
    CDCMapping printer;
    printer.SetDeviceResolution(600, 600);
    printer.SetMapMode(MM_TWIPS);
    const QFont printed = CQtDC::ToQFont(plain, printer);
    EXPECT_EQ(printed.family(), QString("DejaVu Sans"));
    EXPECT_GT(printed.pixelSize(), 60);
    EXPECT_LT(printed.pixelSize(), 82);
    plain.lfHeight = 0;
    EXPECT_EQ(CQtDC::ToQFont(plain, screen).pixelSize(), 12);
}

TEST(DrawingGalleryTest, AWidgetWithoutAPainterOnlyMeasures)
{
    QImage image(10, 10, QImage::Format_RGB32);
    CQtDC measuring(static_cast<QPaintDevice*>(&image));
    measuring.FillSolidRect(0, 0, 5, 5, kRed);
    EXPECT_GT(measuring.GetTextExtent("LD").cx, 0);
    CQtImageDC other(4, 4);
    EXPECT_FALSE(measuring.BitBlt(0, 0, 4, 4, &other, 0, 0, SRCCOPY));
}

TEST(DrawingGalleryTest, AxisAlignedLinesCoverTheWalkedPixelsInEveryDirection)
{
    struct Case {
        const char* name;
        CPoint from;
        CPoint to;
        int style;
        int on;
        int off;
    };
    const Case cases[] = {
        {"right", {5, 5}, {45, 5}, PS_SOLID, 0, 0},
        {"left", {45, 8}, {5, 8}, PS_SOLID, 0, 0},
        {"down dotted", {50, 5}, {50, 45}, PS_DOT, 3, 3},
        {"up dashed", {54, 58}, {54, 2}, PS_DASH, 18, 6},
        {"left dashed", {58, 12}, {3, 12}, PS_DASH, 18, 6},
        {"one pixel", {20, 20}, {21, 20}, PS_SOLID, 0, 0},
        {"empty", {30, 30}, {30, 30}, PS_SOLID, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CQtImageDC dc(64, 64);
        dc.SetBkColor(kRed);
        CPen pen(c.style, 1, kBlue);
        dc.SelectObject(&pen);
        dc.MoveTo(c.from);
        dc.LineTo(c.to);
        const int length = std::abs(c.to.x - c.from.x) + std::abs(c.to.y - c.from.y);
        const int dx = (c.to.x > c.from.x) - (c.to.x < c.from.x);
        const int dy = (c.to.y > c.from.y) - (c.to.y < c.from.y);
        for (int i = 0; i < length; ++i) {
            const BOOL ink = c.on == 0 || i % (c.on + c.off) < c.on;
            EXPECT_EQ(dc.GetPixel(c.from.x + dx * i, c.from.y + dy * i), ink ? kBlue : kRed) << i;
        }
        EXPECT_EQ(dc.GetPixel(c.to.x, c.to.y), kWhite);
        EXPECT_EQ(InkCount(dc, CRect(0, 0, 64, 64)), length);
    }
}
