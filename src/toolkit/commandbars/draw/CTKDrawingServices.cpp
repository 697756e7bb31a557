#include "toolkit/commandbars/draw/CTKDrawingServices.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CWnd.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLowColorBits = 8;

int BandChannel(int from, int to, float t)
{
    const int value = static_cast<int>(std::floor(static_cast<float>(from) * t + static_cast<float>(to) * (1.0f - t)));
    return std::min(value, 255);
}

COLORREF BandColor(COLORREF from, COLORREF to, float t)
{
    return RGB(BandChannel(GetRValue(from), GetRValue(to), t), BandChannel(GetGValue(from), GetGValue(to), t),
               BandChannel(GetBValue(from), GetBValue(to), t));
}

} // namespace

CRect* MakeEmptyRect(CRect* out)
{
    out->SetRectEmpty();
    return out;
}

CRect* MakeWindowRect(CRect* out, const CWnd* window)
{
    if (window == nullptr)
        return MakeEmptyRect(out);
    window->GetWindowRect(out);
    return out;
}

CRect* MakeClientRect(CRect* out, const CWnd* window)
{
    if (window == nullptr)
        return MakeEmptyRect(out);
    window->GetClientRect(out);
    return out;
}

BOOL IsLowColorDisplay(const CDC* dc)
{
    const int bits = dc ? dc->GetDeviceCaps(BITSPIXEL) : CSystemMetrics::Instance().GetBitsPerPixel();
    return bits >= 1 && bits <= kLowColorBits;
}

void GradientFillRect(CDC* dc, const CRect* rect, COLORREF from, COLORREF to, BOOL horizontal)
{
    if (dc == nullptr || rect == nullptr || rect->IsRectEmpty())
        return;
    if (from == to || IsLowColorDisplay(dc)) {
        dc->FillSolidRect(*rect, from);
        return;
    }
    // The window system has no gradient fill of its own: always the bands.
    const float width = static_cast<float>(std::max(rect->Width(), 1));
    const float height = static_cast<float>(std::max(rect->Height(), 1));
    CRect clip;
    dc->GetClipBox(&clip);
    CRect area = *rect;
    if (!clip.IsRectEmpty() && !area.IntersectRect(clip, *rect))
        return;
    if (horizontal) {
        for (int x = area.left; x < area.right; ++x) {
            const float t = 1.0f - static_cast<float>(x - rect->left) / width;
            dc->FillSolidRect(CRect(x, area.top, x + 1, area.bottom), BandColor(from, to, t));
        }
        return;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        const float t = 1.0f - static_cast<float>(y - rect->top) / height;
        dc->FillSolidRect(CRect(area.left, y, area.right, y + 1), BandColor(from, to, t));
    }
}

void GradientFillRectPair(CDC* dc, const CRect* rect, const CTKColorPair* pair, BOOL horizontal)
{
    if (pair == nullptr)
        return;
    GradientFillRect(dc, rect, pair->first, pair->second, horizontal);
}

void SoftenShadowPixels(CDC* dc, const CPoint* points, int count)
{
    if (dc == nullptr || points == nullptr)
        return;
    for (int i = 0; i + 1 < count; i += 2) {
        const CPoint pixel = points[i];
        const CPoint offset = points[i + 1];
        const COLORREF c0 = dc->GetPixel(pixel.x, pixel.y);
        const COLORREF c1 = dc->GetPixel(pixel.x + offset.x, pixel.y + offset.y);
        dc->SetPixel(pixel.x, pixel.y,
                     RGB((GetRValue(c0) + GetRValue(c1)) / 2, (GetGValue(c0) + GetGValue(c1)) / 2,
                         (GetBValue(c0) + GetBValue(c1)) / 2));
    }
}
