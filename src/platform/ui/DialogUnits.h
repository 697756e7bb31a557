#pragma once
// Dialog templates give places in dialog units of their font; the pages and
// form views lay their controls out in pixels of the fixed dialog font
// ("MS Sans Serif" 8: 6 by 13 pixels per average character, 4 by 8 units).

#include "platform/WinTypes.h"

#include <QRect>

constexpr int DIALOG_BASE_X = 6;
constexpr int DIALOG_BASE_Y = 13;
constexpr int DIALOG_UNITS_X = 4;
constexpr int DIALOG_UNITS_Y = 8;

inline int DialogUnitsToPixelsX(int units)
{
    return units * DIALOG_BASE_X / DIALOG_UNITS_X;
}

inline int DialogUnitsToPixelsY(int units)
{
    return units * DIALOG_BASE_Y / DIALOG_UNITS_Y;
}

// A rectangle given as left, top, width and height in dialog units.
inline QRect DialogRect(int left, int top, int width, int height)
{
    return {DialogUnitsToPixelsX(left), DialogUnitsToPixelsY(top), DialogUnitsToPixelsX(width),
            DialogUnitsToPixelsY(height)};
}
