#include "toolkit/commandbars/draw/CTKDCBrushGuard.h"

CTKDCBrushGuard::CTKDCBrushGuard(CDC* dc, COLORREF color) : m_brush(color), m_select(dc, &m_brush)
{
}

void CTKDCBrushGuard::SetColor(COLORREF color)
{
    m_brush.CreateSolidBrush(color);
    m_select.Select(&m_brush);
}
