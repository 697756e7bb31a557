#include "CRgn.h"

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    m_rects.clear();
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    AddRect(rect);
    return TRUE;
}

void CRgn::AddRect(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    m_rects.push_back(rect);
}

void CRgn::OffsetRgn(int dx, int dy)
{
    for (CRect& rect : m_rects)
        rect.OffsetRect(dx, dy);
}

BOOL CRgn::PtInRegion(int x, int y) const
{
    for (const CRect& rect : m_rects) {
        if (rect.PtInRect(CPoint(x, y)))
            return TRUE;
    }
    return FALSE;
}

CRect CRgn::GetRgnBox() const
{
    CRect box;
    for (const CRect& rect : m_rects)
        box.UnionRect(box, rect);
    return box;
}

void CRgn::IntersectRect(const CRect& rect)
{
    std::vector<CRect> kept;
    for (const CRect& piece : m_rects) {
        CRect common;
        if (common.IntersectRect(piece, rect))
            kept.push_back(common);
    }
    m_rects.swap(kept);
}

void CRgn::SubtractRect(const CRect& rect)
{
    std::vector<CRect> kept;
    for (const CRect& piece : m_rects) {
        CRect common;
        if (!common.IntersectRect(piece, rect)) {
            kept.push_back(piece);
            continue;
        }
        // Up to four bands around the removed part: above, below, left, right.
        const CRect bands[] = {
            CRect(piece.left, piece.top, piece.right, common.top),
            CRect(piece.left, common.bottom, piece.right, piece.bottom),
            CRect(piece.left, common.top, common.left, common.bottom),
            CRect(common.right, common.top, piece.right, common.bottom),
        };
        for (const CRect& band : bands) {
            if (!band.IsRectEmpty())
                kept.push_back(band);
        }
    }
    m_rects.swap(kept);
}
