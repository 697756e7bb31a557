#pragma once
// Formatted text in a rectangle: one line or several, left, centred or
// right, top, centred or bottom for one line, "..." at the end of text too
// wide for the rectangle, "&" marking the underlined mnemonic ("&&" for a
// plain "&"), or only the measured rectangle. Double-byte characters are
// never split.

#include "WinTypes.h"

#include <string>
#include <vector>

class CDC;

// One drawn line: where it starts, its text and the span of its underlined mnemonic.
struct CTextPiece {
    CPoint at;
    std::string text;
    BOOL underline = FALSE;
    int underlineLeft = 0;
    int underlineRight = 0;
};

class CDrawText {
public:
    // The text without its prefix marks; *mnemonic is the byte index of the
    // underlined character in the result, -1 for none.
    static std::string StripPrefix(const std::string& text, int* mnemonic);
    // The line cut at a character boundary with "..." added so that it fits
    // the width; the line itself when it fits. *kept receives the bytes kept.
    static std::string EndEllipsis(const CDC& dc, const std::string& line, int width, size_t* kept);
    // Lays the text out in the rectangle; with DT_CALCRECT the rectangle's
    // right and bottom edges become those of the text and nothing is laid out.
    // Returns the text height.
    static int Layout(const CDC& dc, const std::string& text, CRect* rect, UINT format, std::vector<CTextPiece>* pieces);
    // Lays out and draws, clipped to the rectangle unless DT_NOCLIP.
    static int Draw(CDC& dc, const std::string& text, CRect* rect, UINT format);
};
