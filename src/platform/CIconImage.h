#pragma once
// An icon or bitmap as 32-bit pixels 0xAARRGGBB (not premultiplied). A plain
// icon has fully transparent or fully opaque pixels (its mask); an alpha icon
// blends every pixel by its own alpha. Drawing code hands these to
// CDC::DrawIcon and CDC::DrawState.

#include "WinTypes.h"

#include <vector>

class CIconImage {
public:
    CIconImage() = default;
    CIconImage(int cx, int cy, DWORD fill = 0);

    static DWORD ArgbFromColor(COLORREF color, int alpha = 255);
    static COLORREF ColorFromArgb(DWORD argb);
    static int AlphaOf(DWORD argb) { return static_cast<int>(argb >> 24); }

    BOOL IsEmpty() const { return m_cx <= 0 || m_cy <= 0; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    CSize GetSize() const { return CSize(m_cx, m_cy); }
    BOOL IsAlpha() const { return m_alpha; }
    void SetAlpha(BOOL alpha) { m_alpha = alpha; }

    // 0 (transparent black) outside the image.
    DWORD GetPixel(int x, int y) const;
    void SetPixel(int x, int y, DWORD argb);
    const std::vector<DWORD>& Pixels() const { return m_pixels; }

    // A copy of the part (x, y, cx, cy); pixels outside the image are transparent.
    CIconImage Copy(int x, int y, int cx, int cy) const;
    // Every pixel of the mask colour made transparent, the others opaque.
    void ApplyMaskColor(COLORREF mask);
    // The one-colour silhouette of disabled images: every pixel that is not
    // transparent takes the colour and keeps its alpha.
    CIconImage Silhouette(COLORREF color) const;

private:
    int m_cx = 0;
    int m_cy = 0;
    BOOL m_alpha = FALSE;
    std::vector<DWORD> m_pixels;
};
