#include "toolkit/commandbars/draw/CTKDCPenGuard.h"

CTKDCPenGuard::CTKDCPenGuard(CDC* dc, COLORREF color) : m_pen(PS_SOLID, 1, color), m_select(dc, &m_pen)
{
}
