#include "CImageList.h"

#include "CDC.h"

BOOL CImageList::Create(int cx, int cy, UINT flags)
{
    if (cx <= 0 || cy <= 0)
        return FALSE;
    m_cx = cx;
    m_cy = cy;
    m_flags = flags;
    m_images.clear();
    return TRUE;
}

int CImageList::Add(const CIconImage& strip, COLORREF mask)
{
    if (!IsCreated() || strip.Width() < m_cx)
        return -1;
    const int first = GetImageCount();
    for (int x = 0; x + m_cx <= strip.Width(); x += m_cx) {
        CIconImage image = strip.Copy(x, 0, m_cx, m_cy);
        image.SetAlpha(FALSE);
        if (m_flags & ILC_MASK)
            image.ApplyMaskColor(mask);
        m_images.push_back(image);
    }
    return first;
}

int CImageList::Add(const CIconImage& icon)
{
    if (!IsCreated() || icon.IsEmpty())
        return -1;
    CIconImage image(m_cx, m_cy);
    for (int y = 0; y < m_cy; ++y) {
        for (int x = 0; x < m_cx; ++x)
            image.SetPixel(x, y, icon.GetPixel(x * icon.Width() / m_cx, y * icon.Height() / m_cy));
    }
    const BOOL alpha = icon.IsAlpha() && (m_flags & ILC_COLOR32) == ILC_COLOR32;
    image.SetAlpha(alpha);
    if (!alpha) {
        // Without alpha a pixel is either shown or masked out.
        for (int y = 0; y < m_cy; ++y) {
            for (int x = 0; x < m_cx; ++x) {
                const DWORD pixel = image.GetPixel(x, y);
                image.SetPixel(x, y, CIconImage::AlphaOf(pixel) >= 128 ? (pixel | 0xFF000000) : 0);
            }
        }
    }
    m_images.push_back(image);
    return GetImageCount() - 1;
}

BOOL CImageList::Remove(int index)
{
    if (index == -1) {
        m_images.clear();
        return TRUE;
    }
    if (index < 0 || index >= GetImageCount())
        return FALSE;
    m_images.erase(m_images.begin() + index);
    return TRUE;
}

CIconImage CImageList::GetIcon(int index) const
{
    if (index < 0 || index >= GetImageCount())
        return CIconImage();
    return m_images[static_cast<size_t>(index)];
}

BOOL CImageList::Draw(CDC* dc, int index, CPoint point, UINT) const
{
    if (dc == nullptr || index < 0 || index >= GetImageCount())
        return FALSE;
    dc->DrawIcon(point.x, point.y, m_images[static_cast<size_t>(index)]);
    return TRUE;
}
