#pragma once
// Bitmap routines that the image store, the icon generation and the button
// editor share. Icons are 32-bit pixel images: a plain icon has fully
// opaque or fully transparent pixels (its mask), an alpha icon blends every
// pixel by its own alpha. An empty image stands for no icon.

#include "platform/CIconImage.h"

#include <string>
#include <vector>

// The largest icon side that stored records and files may give.
constexpr int kMaxIconSide = 256;

// 0 by 0 for no icon.
CSize GetIconSize(const CIconImage& icon);
// The icon stretched to newCx by MulDiv(cy, newCx, cx); a plain copy when
// newCx equals cx; empty when newCx is 0, cx and cy are both 0, or the new
// size is larger than an icon may be.
CIconImage ScaleIcon(const CIconImage& icon, int cx, int cy, int newCx);
// The bitmap taken as an alpha icon.
CIconImage CreateAlphaIcon(const CIconImage& bitmap);

// The 32-bit image of the given width in the bytes of an .ico file;
// FALSE when the file is damaged or holds no such image.
BOOL ParseAlphaIcon(const std::vector<BYTE>& file, int width, CIconImage* icon);
// Reads an .ico file: an empty image when it cannot be read or holds no
// 32-bit image of that width.
CIconImage LoadAlphaIcon(const std::string& path, int width);
// TRUE when the .bmp file's header says 32 bits per pixel.
BOOL IsAlphaBitmapFile(const std::string& path);
