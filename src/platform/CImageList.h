#pragma once
// A list of equally sized images, filled from bitmap strips whose mask
// colour marks the transparent pixels, or from icons with or without alpha.

#include "CIconImage.h"
#include "GdiTypes.h"

#include <vector>

class CDC;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

class CImageList {
public:
    // FALSE for a size that is not positive.
    BOOL Create(int cx, int cy, UINT flags);
    BOOL IsCreated() const { return m_cx > 0; }
    CSize GetIconSize() const { return CSize(m_cx, m_cy); }
    int GetImageCount() const { return static_cast<int>(m_images.size()); }

    // Cuts the strip into images of the list's width (a partial image at the
    // right end is dropped); with ILC_MASK the mask colour becomes
    // transparent. Returns the index of the first image added, -1 when none.
    int Add(const CIconImage& strip, COLORREF mask);
    // Adds one icon, scaled to the list's size when it differs; an alpha icon
    // keeps its alpha in a 32-bit list. Returns its index, -1 on failure.
    int Add(const CIconImage& icon);
    // -1 removes every image. FALSE for an index outside the list.
    BOOL Remove(int index);

    // An empty image for an index outside the list.
    CIconImage GetIcon(int index) const;
    BOOL Draw(CDC* dc, int index, CPoint point, UINT style) const;

private:
    int m_cx = 0;
    int m_cy = 0;
    UINT m_flags = 0;
    std::vector<CIconImage> m_images;
};
