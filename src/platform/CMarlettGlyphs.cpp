#include "CMarlettGlyphs.h"

#include "CDC.h"
#include "CGlyphs.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kDefaultCell = 13;
constexpr int kMinimumCell = 6;

CRect Inset(const CRect& cell)
{
    const int margin = cell.Width() / 4;
    return CRect(cell.left + margin, cell.top + margin, cell.right - margin, cell.bottom - margin);
}

void DrawFrame(CDC& dc, const CRect& r, COLORREF color)
{
    dc.FillSolidRect(r.left, r.top, r.Width(), 2, color);
    dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, color);
    dc.FillSolidRect(r.left, r.top, 1, r.Height(), color);
    dc.FillSolidRect(r.right - 1, r.top, 1, r.Height(), color);
}

void DrawGlyph(CDC& dc, char glyph, const CRect& cell, COLORREF color)
{
    const CRect inner = Inset(cell);
    switch (glyph) {
    case '0':
        dc.FillSolidRect(inner.left, inner.bottom - 2, inner.Width(), 2, color);
        return;
    case '1':
        DrawFrame(dc, inner, color);
        return;
    case '2': {
        const int shift = inner.Width() / 3;
        DrawFrame(dc, CRect(inner.left + shift, inner.top, inner.right, inner.bottom - shift), color);
        DrawFrame(dc, CRect(inner.left, inner.top + shift, inner.right - shift, inner.bottom), color);
        return;
    }
    case 'r':
        CGlyphs::DrawCloseCross(&dc, inner, color);
        return;
    case 'u':
        CGlyphs::DrawArrow(&dc, inner, CGlyphs::Arrow::Down, color);
        return;
    default:
        return;
    }
}

} // namespace

BOOL CMarlettGlyphs::IsMarlett(const LOGFONT& font)
{
    const char* face = font.lfFaceName;
    const char* name = "marlett";
    for (std::size_t i = 0; i <= std::strlen(name); ++i) {
        if (std::tolower(static_cast<unsigned char>(face[i])) != name[i])
            return FALSE;
    }
    return TRUE;
}

int CMarlettGlyphs::CellSize(const LOGFONT& font)
{
    const int height = std::abs(static_cast<int>(font.lfHeight));
    if (height == 0)
        return kDefaultCell;
    return height < kMinimumCell ? kMinimumCell : height;
}

int CMarlettGlyphs::DrawText(CDC& dc, const std::string& text, CRect* rect, UINT format)
{
    const int cell = CellSize(dc.GetCurrentFont().GetRecord());
    const int width = cell * static_cast<int>(text.size());
    if (format & DT_CALCRECT) {
        rect->right = rect->left + width;
        rect->bottom = rect->top + cell;
        return cell;
    }
    int x = rect->left;
    if (format & DT_CENTER)
        x = rect->left + (rect->Width() - width) / 2;
    else if (format & DT_RIGHT)
        x = rect->right - width;
    int y = rect->top;
    if (format & DT_VCENTER)
        y = rect->top + (rect->Height() - cell) / 2;
    else if (format & DT_BOTTOM)
        y = rect->bottom - cell;
    const COLORREF color = dc.GetTextColor();
    for (char glyph : text) {
        DrawGlyph(dc, glyph, CRect(x, y, x + cell, y + cell), color);
        x += cell;
    }
    return cell;
}
