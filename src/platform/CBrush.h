#pragma once
// A brush: a solid colour, nothing (hollow), or an 8 by 8 one-bit pattern
// whose 0 bits take the device context's text colour and whose 1 bits take
// its background colour. Patterns are aligned to the device origin.

#include "CGdiObject.h"
#include "GdiTypes.h"

#include <array>
#include <cstddef>

class CBrush : public CGdiObject {
public:
    using Pattern = std::array<BYTE, 8>;

    CBrush() : CGdiObject(Kind::Brush) {}
    explicit CBrush(COLORREF color) : CGdiObject(Kind::Brush) { CreateSolidBrush(color); }

    BOOL CreateSolidBrush(COLORREF color)
    {
        m_style = BS_SOLID;
        m_color = color;
        SetCreated();
        return TRUE;
    }
    BOOL CreateNullBrush()
    {
        m_style = BS_NULL;
        SetCreated();
        return TRUE;
    }
    // Row i of the pattern is byte i; bit 7 is the leftmost pixel.
    BOOL CreatePatternBrush(const Pattern& rows)
    {
        m_style = BS_PATTERN;
        m_pattern = rows;
        SetCreated();
        return TRUE;
    }

    UINT GetStyle() const { return m_style; }
    COLORREF GetColor() const { return m_color; }
    const Pattern& GetPattern() const { return m_pattern; }
    BOOL IsNull() const { return m_style == BS_NULL; }
    // The bit of the pattern at device pixel (x, y).
    BOOL PatternBit(int x, int y) const
    {
        const BYTE row = m_pattern[static_cast<std::size_t>(y & 7)];
        return (row >> (7 - (x & 7))) & 1;
    }

private:
    UINT m_style = BS_SOLID;
    COLORREF m_color = RGB(255, 255, 255);
    Pattern m_pattern {};
};
