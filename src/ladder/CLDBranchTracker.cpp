#include "CLDBranchTracker.h"

#include "CLDElement.h"
#include "platform/CDC.h"
#include "platform/CPen.h"

#include <cstdlib>

namespace {
// A click this close to the first click's row is back on the rung.
constexpr int SAME_ROW_TOLERANCE = 5;
// Cells are picked this far inside the path's ends.
constexpr int CELL_INSET = 5;
// The contact symbol: its bars at 40 and 60 of its 100 pixels, 10 above and below the rung.
constexpr int CONTACT_BAR_LEFT = 40;
constexpr int CONTACT_BAR_RIGHT = 60;
constexpr int CONTACT_BAR_HALF = 10;
const CPoint NO_POINT(-1, -1);
} // namespace

CLDBranchTracker::CLDBranchTracker() : m_cellWidth(LD_CELL_WIDTH), m_cellHeight(LD_CELL_HEIGHT)
{
    Reset();
}

void CLDBranchTracker::Reset()
{
    m_count = 0;
    for (CPoint& point : m_points)
        point = NO_POINT;
}

void CLDBranchTracker::SetMouse(int x, int y)
{
    m_mouseX = x;
    m_mouseY = y;
}

int CLDBranchTracker::AddPoint(int x, int y, CPoint* startCell, CPoint* endCell)
{
    switch (m_count) {
    case 0:
        m_points[0] = CPoint(x, y);
        m_count = 1;
        if (startCell)
            *startCell = CPoint((x + CELL_INSET) / m_cellWidth, y / m_cellHeight);
        return POINT_START;
    case 1:
        m_points[1] = CPoint(m_points[0].x, y);
        m_count = 2;
        return POINT_DOWN;
    case 2:
        if (std::abs(y - m_points[0].y) >= SAME_ROW_TOLERANCE) {
            m_points[2] = CPoint(x, m_points[1].y);
            m_count = 3;
            return POINT_ACROSS;
        }
        m_points[2] = CPoint(x, m_points[0].y);
        break;
    case 3:
        break;
    default:
        return POINT_REFUSED;
    }
    m_points[3] = CPoint(m_points[2].x, y);
    const int row = m_points[0].y / m_cellHeight;
    if (startCell)
        *startCell = CPoint((m_points[0].x + CELL_INSET) / m_cellWidth, row);
    if (endCell)
        *endCell = CPoint((m_points[3].x - CELL_INSET) / m_cellWidth, row);
    Reset();
    return POINT_COMPLETE;
}

void CLDBranchTracker::Line(CDC* dc, CPoint from, CPoint to) const
{
    dc->MoveTo(from.x - m_scroll.x, from.y - m_scroll.y);
    dc->LineTo(to.x - m_scroll.x, to.y - m_scroll.y);
}

void CLDBranchTracker::DrawContact(CDC* dc, int x, int y) const
{
    Line(dc, CPoint(x, y), CPoint(x + CONTACT_BAR_LEFT, y));
    Line(dc, CPoint(x + CONTACT_BAR_LEFT, y - CONTACT_BAR_HALF), CPoint(x + CONTACT_BAR_LEFT, y + CONTACT_BAR_HALF));
    Line(dc, CPoint(x + CONTACT_BAR_RIGHT, y - CONTACT_BAR_HALF), CPoint(x + CONTACT_BAR_RIGHT, y + CONTACT_BAR_HALF));
    Line(dc, CPoint(x + CONTACT_BAR_RIGHT, y), CPoint(x + m_cellWidth, y));
}

void CLDBranchTracker::Draw(CDC* dc, int scrollX, int scrollY)
{
    if (!dc || m_count == 0)
        return;
    if (m_count > 3) {
        Reset();
        return;
    }
    m_scroll = CPoint(scrollX, scrollY);
    CPen black(PS_SOLID, 1, PATH_COLOR);
    CPen red(PS_SOLID, 1, FOLLOW_COLOR);
    const COLORREF oldText = dc->GetTextColor();
    CPen* oldPen = dc->SelectObject(m_count == 1 ? &red : &black);
    const CPoint p1 = m_points[0];
    const CPoint p2 = m_points[1];
    const CPoint p3 = m_points[2];
    if (m_count == 1) {
        Line(dc, p1, CPoint(p1.x, m_mouseY));
        DrawContact(dc, p1.x, m_mouseY);
    } else {
        Line(dc, p1, p2);
        DrawContact(dc, p2.x, p2.y);
        const CPoint across(p2.x + m_cellWidth, p2.y);
        if (m_count == 2) {
            dc->SelectObject(&red);
            Line(dc, across, CPoint(m_mouseX, p2.y));
            Line(dc, CPoint(m_mouseX, p2.y), CPoint(m_mouseX, m_mouseY));
        } else {
            Line(dc, across, p3);
            dc->SelectObject(&red);
            Line(dc, p3, CPoint(p3.x, m_mouseY));
        }
    }
    dc->SelectObject(oldPen);
    dc->SetTextColor(oldText);
}
