#pragma once
// Where Qt-free code finds the clipboard, and the registered format numbers.
// The window layer installs the desktop clipboard at start-up; until then
// (and in headless tests) an in-memory clipboard stands in.

#include "IClipboard.h"

#include <string>

// The names of the two image formats of the command bars.
constexpr const char* kToolBarImageFormat = "ToolBar Image";
constexpr const char* kAlphaBitmapImageFormat = "Alpha Bitmap Image";

class CClipboard {
public:
    static IClipboard& Get();
    // nullptr puts the in-memory clipboard back.
    static void Set(IClipboard* clipboard);

    // The number of a named format: the same name always gives the same
    // number, from 0xC000 up; 0 for an empty name.
    static UINT RegisterFormat(const std::string& name);
    // The name of a registered format, empty for another number.
    static std::string FormatName(UINT format);
};
