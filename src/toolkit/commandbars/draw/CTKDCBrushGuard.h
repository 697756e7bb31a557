#pragma once
// A solid brush of a colour, selected for one painting step.

#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"

class CTKDCBrushGuard {
public:
    CTKDCBrushGuard(CDC* dc, COLORREF color);
    virtual ~CTKDCBrushGuard() = default;

    void SetColor(COLORREF color);

private:
    CBrush m_brush;
    CTKDCSelectGuard m_select;
};
