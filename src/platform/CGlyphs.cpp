#include "CGlyphs.h"

#include "CDC.h"
#include "CSystemMetrics.h"

void CGlyphs::DrawCheckMark(CDC* dc, const CRect& rect, COLORREF color)
{
    // Rows of the mark from the left column: the y of the top pixel of each column.
    static const int kTops[7] = {2, 3, 4, 3, 2, 1, 0};
    const int left = rect.left + (rect.Width() - 7) / 2;
    const int top = rect.top + (rect.Height() - 7) / 2;
    for (int column = 0; column < 7; ++column)
        dc->FillSolidRect(left + column, top + kTops[column], 1, 3, color);
}

void CGlyphs::DrawArrow(CDC* dc, const CRect& rect, Arrow direction, COLORREF color)
{
    const BOOL vertical = direction == Arrow::Up || direction == Arrow::Down;
    const int along = vertical ? rect.Width() : rect.Height();
    const int across = vertical ? rect.Height() : rect.Width();
    int depth = (along + 1) / 2;
    depth = depth < across ? depth : across;
    if (depth <= 0)
        return;
    const int centreX = rect.left + (rect.Width() - 1) / 2;
    const int centreY = rect.top + (rect.Height() - 1) / 2;
    for (int step = 0; step < depth; ++step) {
        // step 0 is the tip; each step one pixel wider on both sides.
        const int half = step;
        switch (direction) {
        case Arrow::Down:
            dc->FillSolidRect(centreX - half, centreY - depth / 2 + (depth - 1 - step), 2 * half + 1, 1, color);
            break;
        case Arrow::Up:
            dc->FillSolidRect(centreX - half, centreY - depth / 2 + step, 2 * half + 1, 1, color);
            break;
        case Arrow::Right:
            dc->FillSolidRect(centreX - depth / 2 + (depth - 1 - step), centreY - half, 1, 2 * half + 1, color);
            break;
        case Arrow::Left:
            dc->FillSolidRect(centreX - depth / 2 + step, centreY - half, 1, 2 * half + 1, color);
            break;
        }
    }
}

void CGlyphs::DrawCloseCross(CDC* dc, const CRect& rect, COLORREF color)
{
    const int size = rect.Width() < rect.Height() ? rect.Width() : rect.Height();
    if (size < 2)
        return;
    const int left = rect.left + (rect.Width() - size) / 2;
    const int top = rect.top + (rect.Height() - size) / 2;
    for (int i = 0; i < size; ++i) {
        const int width = i + 1 < size ? 2 : 1;
        dc->FillSolidRect(left + i, top + i, width, 1, color);
        dc->FillSolidRect(left + size - i - width, top + i, width, 1, color);
    }
}

BOOL CGlyphs::DrawFrameControl(CDC* dc, CRect* rect, UINT type, UINT state)
{
    if (dc == nullptr || rect == nullptr)
        return FALSE;
    const BOOL pushButton = type == DFC_BUTTON && (state & 0xFF) == DFCS_BUTTONPUSH;
    const BOOL closeButton = type == DFC_CAPTION && (state & 0xFF) == DFCS_CAPTIONCLOSE;
    if (!pushButton && !closeButton)
        return FALSE;
    const BOOL pushed = (state & DFCS_PUSHED) != 0;
    CRect face(*rect);
    dc->FillSolidRect(face, GetSysColor(COLOR_BTNFACE));
    if (pushed) {
        dc->Draw3dRect(face, GetSysColor(COLOR_3DDKSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
        face.DeflateRect(1, 1);
        dc->Draw3dRect(face, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_3DLIGHT));
    } else {
        dc->Draw3dRect(face, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_3DDKSHADOW));
        face.DeflateRect(1, 1);
        dc->Draw3dRect(face, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
    face.DeflateRect(1, 1);
    if (closeButton) {
        CRect cross(face);
        cross.DeflateRect(2, 2);
        if (pushed)
            cross.OffsetRect(1, 1);
        const COLORREF ink = (state & DFCS_INACTIVE) ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(COLOR_BTNTEXT);
        DrawCloseCross(dc, cross, ink);
    }
    if (state & DFCS_ADJUSTRECT)
        *rect = face;
    return TRUE;
}
