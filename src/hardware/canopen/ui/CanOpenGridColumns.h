#pragma once
// Column widths of the CANopen grids: the given widths were laid out for a
// narrower font, so a column grows until its header and the widest text of
// its fixed format show whole.

#include <string>

class CCPGridCtrl;

// At least width; wide enough for the header and the widest text.
int FitColumnWidth(const CCPGridCtrl& grid, int width, const std::string& header, const std::string& widest);
