#pragma once
// The symbol font "Marlett" as the caption and scroll buttons use it: no
// such font exists here, so text drawn in a font of that face becomes
// glyphs drawn pixel by pixel, one square cell of the font's height per
// character: "0" minimise, "1" maximise, "2" restore, "r" close cross,
// "u" down arrow. Other characters leave their cell empty.

#include "WinTypes.h"

#include <string>

class CDC;
struct LOGFONT;

class CMarlettGlyphs {
public:
    // TRUE when the font record names the symbol font.
    static BOOL IsMarlett(const LOGFONT& font);
    // Lays the cells out in the rectangle by DT_CENTER, DT_RIGHT, DT_VCENTER
    // and DT_BOTTOM, in the text colour; DT_CALCRECT only sizes the
    // rectangle. Returns the cells' height.
    static int DrawText(CDC& dc, const std::string& text, CRect* rect, UINT format);
    // The cell size of a font record.
    static int CellSize(const LOGFONT& font);
};
