#include "toolkit/docking/tabs/CTKTabTurn.h"

#include "toolkit/docking/tabs/CTKTabRenderer.h"

CRect CTKTabTurn::Canonical() const
{
    if (CTKTabRenderer::IsHorizontal(m_position))
        return m_actual;
    return CRect(m_actual.top, m_actual.left, m_actual.bottom, m_actual.right);
}

CRect CTKTabTurn::Rect(const CRect& c) const
{
    const CRect& a = m_actual;
    switch (m_position) {
    case CTKTabRenderer::kBottom:
        return CRect(c.left, a.top + a.bottom - c.bottom, c.right, a.top + a.bottom - c.top);
    case CTKTabRenderer::kLeft:
        return CRect(c.top, c.left, c.bottom, c.right);
    case CTKTabRenderer::kRight:
        return CRect(a.left + a.right - c.bottom, c.left, a.left + a.right - c.top, c.right);
    default:
        return c;
    }
}

CPoint CTKTabTurn::Point(CPoint c) const
{
    const CRect& a = m_actual;
    switch (m_position) {
    case CTKTabRenderer::kBottom:
        return CPoint(c.x, a.top + a.bottom - 1 - c.y);
    case CTKTabRenderer::kLeft:
        return CPoint(c.y, c.x);
    case CTKTabRenderer::kRight:
        return CPoint(a.left + a.right - 1 - c.y, c.x);
    default:
        return c;
    }
}

CPoint CTKTabTurn::Offset(CPoint o) const
{
    switch (m_position) {
    case CTKTabRenderer::kBottom:
        return CPoint(o.x, -o.y);
    case CTKTabRenderer::kLeft:
        return CPoint(o.y, o.x);
    case CTKTabRenderer::kRight:
        return CPoint(-o.y, o.x);
    default:
        return o;
    }
}
