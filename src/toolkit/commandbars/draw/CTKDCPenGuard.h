#pragma once
// A solid one-pixel pen of a colour, selected for one painting step.

#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"

class CTKDCPenGuard {
public:
    CTKDCPenGuard(CDC* dc, COLORREF color);
    virtual ~CTKDCPenGuard() = default;

    COLORREF GetColor() const { return m_pen.GetColor(); }

private:
    CPen m_pen;
    CTKDCSelectGuard m_select;
};
