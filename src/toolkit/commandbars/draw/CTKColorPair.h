#pragma once
// The two ends of a gradient.

#include "platform/WinTypes.h"

struct CTKColorPair {
    COLORREF first = 0;
    COLORREF second = 0;

    void SetColors(COLORREF a, COLORREF b)
    {
        first = a;
        second = b;
    }
    // Both ends the one colour.
    CTKColorPair& AssignColor(const COLORREF& color)
    {
        first = color;
        second = color;
        return *this;
    }
};
