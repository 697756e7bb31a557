#include "toolkit/commandbars/images/ImageEditorBitmaps.h"

#include "platform/ui/CQtImageDC.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

constexpr DWORD kRgbMask = 0x00FFFFFF;
constexpr DWORD kOpaque = 0xFF000000;
constexpr int kOpaqueEnough = 128;
// The marks of the coverage image: where the pen drew and where the fill did.
constexpr COLORREF kPenMark = RGB(255, 255, 255);
constexpr COLORREF kFillMark = RGB(1, 1, 1);
constexpr COLORREF kNoMark = RGB(0, 0, 0);

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr WORD kBitmapMagic = 0x4D42;   // "BM"
constexpr WORD kAlphaBits = 32;
constexpr DWORD kUncompressed = 0;

WORD Word(const std::vector<BYTE>& b, std::size_t at)
{
    return static_cast<WORD>(b[at] | (b[at + 1] << 8));
}

DWORD Dword(const std::vector<BYTE>& b, std::size_t at)
{
    return static_cast<DWORD>(b[at]) | (static_cast<DWORD>(b[at + 1]) << 8) | (static_cast<DWORD>(b[at + 2]) << 16)
        | (static_cast<DWORD>(b[at + 3]) << 24);
}

BOOL SameColor(DWORD pixel, COLORREF color)
{
    return (pixel & kRgbMask) == (ImageEditorPixel(color) & kRgbMask);
}

} // namespace

DWORD ImageEditorPixel(COLORREF color)
{
    return CIconImage::ArgbFromColor(color, 0);
}

CIconImage CopyImage(const CIconImage& source, int cx, int cy, int x, int y, COLORREF from, COLORREF to)
{
    CIconImage target(cx, cy, kImageEditorTransparentPixel);
    if (source.IsEmpty() || target.IsEmpty())
        return target;
    target.SetAlpha(source.IsAlpha());
    const BOOL replace = from != to && !source.IsAlpha();
    const int firstRow = std::max(0, y);
    const int lastRow = std::min(cy, y + source.Height());
    const int firstCol = std::max(0, x);
    const int lastCol = std::min(cx, x + source.Width());
    for (int row = firstRow; row < lastRow; ++row) {
        for (int col = firstCol; col < lastCol; ++col) {
            const DWORD pixel = source.GetPixel(col - x, row - y);
            target.SetPixel(col, row, replace && SameColor(pixel, from) ? ImageEditorPixel(to) : pixel);
        }
    }
    return target;
}

void SetAlphaBytes(CIconImage* image, BYTE alpha)
{
    const DWORD alphaBits = static_cast<DWORD>(alpha) << 24;
    for (int row = 0; row < image->Height(); ++row) {
        for (int col = 0; col < image->Width(); ++col)
            image->SetPixel(col, row, (image->GetPixel(col, row) & kRgbMask) | alphaBits);
    }
}

CIconImage PlainImageFromIcon(const CIconImage& icon, int cx, int cy)
{
    CIconImage image(cx, cy, kImageEditorTransparentPixel);
    const int rows = std::min(cy, icon.Height());
    const int cols = std::min(cx, icon.Width());
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const DWORD pixel = icon.GetPixel(col, row);
            if (CIconImage::AlphaOf(pixel) >= kOpaqueEnough)
                image.SetPixel(col, row, pixel & kRgbMask);
        }
    }
    return image;
}

void MarkTransparentPixels(CIconImage* image)
{
    for (int row = 0; row < image->Height(); ++row) {
        for (int col = 0; col < image->Width(); ++col) {
            if (image->GetPixel(col, row) == 0)
                image->SetPixel(col, row, kImageEditorTransparentPixel);
        }
    }
}

void RestoreAlpha(CIconImage* changed, const CIconImage& before)
{
    if (changed->IsEmpty() || before.IsEmpty() || changed->GetSize() != before.GetSize())
        return;
    for (int row = 0; row < changed->Height(); ++row) {
        for (int col = 0; col < changed->Width(); ++col) {
            const DWORD pixel = changed->GetPixel(col, row);
            if (pixel != before.GetPixel(col, row) && pixel != kImageEditorTransparentPixel)
                changed->SetPixel(col, row, pixel | kOpaque);
        }
    }
}

BOOL FloodFillSurface(CIconImage* image, int x, int y, COLORREF surface, COLORREF color)
{
    const int cx = image->Width();
    const int cy = image->Height();
    if (x < 0 || y < 0 || x >= cx || y >= cy || !SameColor(image->GetPixel(x, y), surface))
        return FALSE;
    // Each pixel enters the stack at most once, so the stack never outgrows the image.
    std::vector<BYTE> seen(static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy), 0);
    const auto index = [cx](int col, int row) { return static_cast<std::size_t>(row) * cx + col; };
    std::vector<CPoint> stack;
    stack.push_back(CPoint(x, y));
    seen[index(x, y)] = 1;
    const DWORD fill = ImageEditorPixel(color);
    static constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!stack.empty()) {
        const CPoint point = stack.back();
        stack.pop_back();
        image->SetPixel(point.x, point.y, fill);
        for (const auto& step : kSteps) {
            const int col = point.x + step[0];
            const int row = point.y + step[1];
            if (col < 0 || row < 0 || col >= cx || row >= cy || seen[index(col, row)])
                continue;
            if (!SameColor(image->GetPixel(col, row), surface))
                continue;
            seen[index(col, row)] = 1;
            stack.push_back(CPoint(col, row));
        }
    }
    return TRUE;
}

void DrawFigure(CIconImage* image, ImageEditorFigure figure, CPoint from, CPoint to, COLORREF pen, COLORREF fill)
{
    if (image->IsEmpty())
        return;
    // The figure is drawn in marks on a device context of the image's size,
    // so that its pixels are exactly those the device-context rules give.
    CQtImageDC coverage(image->Width(), image->Height());
    coverage.FillSolidRect(CRect(0, 0, image->Width(), image->Height()), kNoMark);
    CPen markPen(PS_SOLID, 1, kPenMark);
    CBrush markBrush(kFillMark);
    CPen* oldPen = coverage.SelectObject(&markPen);
    CBrush* oldBrush = coverage.SelectObject(&markBrush);
    CRect rect(from.x, from.y, to.x, to.y);
    rect.NormalizeRect();
    switch (figure) {
    case ImageEditorFigure::kLine:
        coverage.MoveTo(from);
        coverage.LineTo(to);
        break;
    case ImageEditorFigure::kRectangle:
        coverage.Draw3dRect(rect, kPenMark, kPenMark);
        break;
    case ImageEditorFigure::kEllipse:
        coverage.Ellipse(rect);
        break;
    }
    coverage.SelectObject(oldBrush);
    coverage.SelectObject(oldPen);
    const CIconImage marks = coverage.ToIconImage();
    for (int row = 0; row < image->Height(); ++row) {
        for (int col = 0; col < image->Width(); ++col) {
            const DWORD mark = marks.GetPixel(col, row);
            if (SameColor(mark, kPenMark))
                image->SetPixel(col, row, ImageEditorPixel(pen));
            else if (SameColor(mark, kFillMark))
                image->SetPixel(col, row, ImageEditorPixel(fill));
        }
    }
}

BOOL ParseAlphaBitmapFile(const std::vector<BYTE>& file, CIconImage* image)
{
    if (file.size() < kFileHeaderSize + kInfoHeaderSize || Word(file, 0) != kBitmapMagic)
        return FALSE;
    const std::size_t pixels = Dword(file, 10);
    const DWORD headerSize = Dword(file, kFileHeaderSize);
    const LONG width = static_cast<LONG>(Dword(file, kFileHeaderSize + 4));
    const LONG height = static_cast<LONG>(Dword(file, kFileHeaderSize + 8));
    if (headerSize < kInfoHeaderSize || Word(file, kFileHeaderSize + 14) != kAlphaBits
        || Dword(file, kFileHeaderSize + 16) != kUncompressed)
        return FALSE;
    // A negative height stores the rows top-down.
    const BOOL topDown = height < 0;
    const LONG rows = topDown ? -height : height;
    if (width <= 0 || rows <= 0 || width > kMaxPictureSide || rows > kMaxPictureSide)
        return FALSE;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    if (pixels > file.size() || file.size() - pixels < rowBytes * static_cast<std::size_t>(rows))
        return FALSE;
    CIconImage picture(width, rows);
    for (int row = 0; row < rows; ++row) {
        const std::size_t at = pixels + static_cast<std::size_t>(row) * rowBytes;
        const int y = topDown ? row : rows - 1 - row;
        for (int x = 0; x < width; ++x)
            picture.SetPixel(x, y, Dword(file, at + static_cast<std::size_t>(x) * 4));
    }
    picture.SetAlpha(TRUE);
    *image = std::move(picture);
    return TRUE;
}

BOOL IsAlphaClipboardFormatName(const std::string& name)
{
    return name.find("DIB32", 1) != std::string::npos;
}
