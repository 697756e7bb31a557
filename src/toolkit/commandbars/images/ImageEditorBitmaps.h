#pragma once
// Pixel routines of the button editor. An edited image is a 32-bit image
// (0xAARRGGBB, rows top-down as on the screen). In a plain image one
// reserved colour marks the transparent pixels and the alpha byte means
// nothing; in an alpha image transparency is alpha 0 and such pixels carry
// the reserved colour. Drawing writes colours with alpha 0, as drawing on a
// 32-bit bitmap does, and RestoreAlpha then makes drawn pixels of an alpha
// image opaque. An empty image stands for an empty picture.

#include "platform/CIconImage.h"

#include <string>
#include <vector>

// The colour that marks transparent pixels.
constexpr COLORREF kImageEditorTransparent = RGB(255, 254, 255);
// A transparent pixel of an alpha image: the reserved colour with alpha 0.
constexpr DWORD kImageEditorTransparentPixel = 0x00FFFEFF;

// The largest side of a picture file the editor reads.
constexpr int kMaxPictureSide = 4096;

// The figures drawn from the start cell to the current cell.
enum class ImageEditorFigure { kLine, kRectangle, kEllipse };

// The colour drawing writes: alpha 0.
DWORD ImageEditorPixel(COLORREF color);

// A cx by cy image filled with the transparent colour with the source drawn
// at (x, y) (what falls outside is lost); when from differs from to and the
// source is plain, its pixels of colour from become to. The alpha flag
// follows the source (plain without one).
CIconImage CopyImage(const CIconImage& source, int cx, int cy, int x, int y, COLORREF from, COLORREF to);
// Gives every pixel the same alpha byte: 255 to hand a plain image to
// programs that read it as opaque, 0 to take a bitmap as a plain image.
void SetAlphaBytes(CIconImage* image, BYTE alpha);
// A cx by cy plain image filled with the transparent colour with the
// pixels of the icon that are opaque enough drawn at the top-left corner.
CIconImage PlainImageFromIcon(const CIconImage& icon, int cx, int cy);
// Every pixel whose value is 0 (black with alpha 0) becomes the transparent pixel.
void MarkTransparentPixels(CIconImage* image);
// After drawing on an alpha image: every pixel that differs from the same
// pixel of before and is not the transparent pixel becomes fully opaque.
// Nothing happens when either image is empty or their sizes differ.
void RestoreAlpha(CIconImage* changed, const CIconImage& before);
// Fills the 4-connected area of pixels of the surface colour around (x, y)
// with the colour. Iterative, so any image size is safe. FALSE when the
// point is outside the image or not of the surface colour.
BOOL FloodFillSurface(CIconImage* image, int x, int y, COLORREF surface, COLORREF color);
// Draws a figure by the device-context rules from cell from to cell to:
// a line leaves out its end cell; a rectangle and an ellipse use the
// normalised rectangle between the cells (right and bottom outside), the
// rectangle as a one-pixel frame in the pen colour, the ellipse outlined
// in the pen colour and filled with the fill colour.
void DrawFigure(CIconImage* image, ImageEditorFigure figure, CPoint from, CPoint to, COLORREF pen, COLORREF fill);

// The pixels of a 32-bit uncompressed .bmp file as they are stored, alpha
// included; FALSE when the file is damaged or of another kind.
BOOL ParseAlphaBitmapFile(const std::vector<BYTE>& file, CIconImage* image);
// A clipboard format name that marks the bitmap as carrying alpha: one
// holding "DIB32" after its first character.
BOOL IsAlphaClipboardFormatName(const std::string& name);
