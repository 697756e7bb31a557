#include "CIconImage.h"

#include <cstddef>

using std::size_t;

CIconImage::CIconImage(int cx, int cy, DWORD fill)
{
    if (cx <= 0 || cy <= 0)
        return;
    m_cx = cx;
    m_cy = cy;
    m_pixels.assign(static_cast<size_t>(cx) * static_cast<size_t>(cy), fill);
}

DWORD CIconImage::ArgbFromColor(COLORREF color, int alpha)
{
    return (static_cast<DWORD>(alpha & 0xFF) << 24) | (static_cast<DWORD>(GetRValue(color)) << 16)
        | (static_cast<DWORD>(GetGValue(color)) << 8) | static_cast<DWORD>(GetBValue(color));
}

COLORREF CIconImage::ColorFromArgb(DWORD argb)
{
    return RGB(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF),
               static_cast<int>(argb & 0xFF));
}

DWORD CIconImage::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return 0;
    return m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_cx) + static_cast<size_t>(x)];
}

void CIconImage::SetPixel(int x, int y, DWORD argb)
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
        return;
    m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_cx) + static_cast<size_t>(x)] = argb;
}

CIconImage CIconImage::Copy(int x, int y, int cx, int cy) const
{
    CIconImage part(cx, cy);
    part.m_alpha = m_alpha;
    for (int row = 0; row < part.m_cy; ++row) {
        for (int col = 0; col < part.m_cx; ++col)
            part.SetPixel(col, row, GetPixel(x + col, y + row));
    }
    return part;
}

void CIconImage::ApplyMaskColor(COLORREF mask)
{
    const DWORD maskRgb = ArgbFromColor(mask, 0) & 0x00FFFFFF;
    for (DWORD& pixel : m_pixels)
        pixel = (pixel & 0x00FFFFFF) == maskRgb ? 0 : (pixel | 0xFF000000);
}

CIconImage CIconImage::Silhouette(COLORREF color) const
{
    CIconImage shape(*this);
    const DWORD rgb = ArgbFromColor(color, 0);
    for (DWORD& pixel : shape.m_pixels) {
        if (AlphaOf(pixel) != 0)
            pixel = (pixel & 0xFF000000) | rgb;
    }
    return shape;
}
