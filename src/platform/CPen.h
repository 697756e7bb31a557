#pragma once
// A pen: style, width in logical units (0 and 1 draw one pixel) and colour.

#include "CGdiObject.h"
#include "GdiTypes.h"

class CPen : public CGdiObject {
public:
    CPen() : CGdiObject(Kind::Pen) {}
    CPen(int style, int width, COLORREF color) : CGdiObject(Kind::Pen) { CreatePen(style, width, color); }

    BOOL CreatePen(int style, int width, COLORREF color)
    {
        m_style = style;
        m_width = width < 0 ? 0 : width;
        m_color = color;
        SetCreated();
        return TRUE;
    }

    int GetStyle() const { return m_style; }
    int GetWidth() const { return m_width; }
    COLORREF GetColor() const { return m_color; }
    BOOL IsNull() const { return m_style == PS_NULL; }

private:
    int m_style = PS_SOLID;
    int m_width = 0;
    COLORREF m_color = RGB(0, 0, 0);
};
