// Text in the symbol font "Marlett" becomes the caption and arrow glyphs,
// one square cell of the font's height per character, placed by the text
// format like any text.

#include "platform/CFont.h"
#include "platform/CMarlettGlyphs.h"
#include "platform/ui/CQtImageDC.h"

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

namespace {

constexpr int kCell = 16;
constexpr int kImage = 20;
const COLORREF kInk = RGB(0, 0, 128);
const COLORREF kPaper = RGB(255, 255, 255);

COLORREF Pixel(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

CFont MarlettFont(int height)
{
    LOGFONT lf;
    lf.lfHeight = -height;
    lf.lfCharSet = DEFAULT_CHARSET;
    CFont::SetFaceName(lf, "Marlett");
    CFont font;
    font.CreateFontIndirect(&lf);
    return font;
}

TEST(MarlettGlyphsTest, EachGlyphInksItsOwnShapeInTheTextColour)
{
    struct Case {
        const char* glyph;
        std::vector<CPoint> inked;
        std::vector<CPoint> blank;
    };
    // A 16-pixel cell centred in 20 by 20: the glyph's box is (6, 6)-(14, 14).
    const Case cases[] = {
        {"0", {CPoint(10, 13), CPoint(6, 12)}, {CPoint(10, 7), CPoint(10, 10)}},
        {"1", {CPoint(10, 6), CPoint(10, 7), CPoint(6, 10), CPoint(13, 10), CPoint(10, 13)}, {CPoint(10, 10)}},
        {"2", {CPoint(13, 6), CPoint(6, 13), CPoint(10, 11)}, {CPoint(9, 12), CPoint(7, 6)}},
        {"r", {CPoint(6, 6), CPoint(13, 6), CPoint(9, 9)}, {CPoint(10, 6), CPoint(6, 10)}},
        {"u", {CPoint(9, 10), CPoint(9, 7), CPoint(6, 7)}, {CPoint(6, 10), CPoint(9, 12)}},
        {"x", {}, {CPoint(9, 9), CPoint(6, 6)}},
    };
    for (const Case& c : cases) {
        CQtImageDC dc(kImage, kImage);
        dc.FillSolidRect(CRect(0, 0, kImage, kImage), kPaper);
        CFont font = MarlettFont(kCell);
        dc.SelectObject(&font);
        dc.SetTextColor(kInk);
        CRect rect(0, 0, kImage, kImage);
        EXPECT_EQ(dc.DrawText(c.glyph, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE), kCell);
        for (CPoint p : c.inked)
            EXPECT_EQ(Pixel(dc.GetImage(), p.x, p.y), kInk) << c.glyph << " " << p.x << "," << p.y;
        for (CPoint p : c.blank)
            EXPECT_EQ(Pixel(dc.GetImage(), p.x, p.y), kPaper) << c.glyph << " " << p.x << "," << p.y;
    }
}

TEST(MarlettGlyphsTest, CellsAreMeasuredAndPlacedByTheFormat)
{
    CQtImageDC dc(40, 20);
    CFont font = MarlettFont(kCell);
    dc.SelectObject(&font);
    CRect measured(3, 4, 3, 4);
    dc.DrawText("0r", &measured, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(measured, CRect(3, 4, 3 + 2 * kCell, 4 + kCell));

    // Right-aligned at the bottom: the close cross's corner lands in the last cell.
    dc.FillSolidRect(CRect(0, 0, 40, 20), kPaper);
    dc.SetTextColor(kInk);
    CRect rect(0, 0, 40, 20);
    dc.DrawText("r", &rect, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    EXPECT_EQ(Pixel(dc.GetImage(), 40 - kCell + 4, 20 - kCell + 4), kInk);
    EXPECT_EQ(Pixel(dc.GetImage(), 4, 4), kPaper);

    LOGFONT other;
    CFont::SetFaceName(other, "MARLETT");
    EXPECT_TRUE(CMarlettGlyphs::IsMarlett(other));
    CFont::SetFaceName(other, "Marlett Sans");
    EXPECT_FALSE(CMarlettGlyphs::IsMarlett(other));
}

} // namespace
