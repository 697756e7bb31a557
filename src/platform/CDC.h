#pragma once
// The device context through which editors, renderers and printouts draw.
// Coordinates are logical units of the mapping mode. The pixel rules are
// those the drawing code was written for: a line leaves out its end pixel;
// a rectangle covers left..right-1 and top..bottom-1, its outline drawn
// inside with the pen and its inside filled with the brush; polygons fill
// what lies inside their edges with right and bottom edges outside; an
// inverting fill applied twice gives back the original pixels.
//
// The base keeps the state (selected objects, colours, modes, mapping,
// clipping) and builds the composite operations (3-D rectangles, focus
// rectangles, formatted text, one-colour images, drag rectangles) from the
// primitives that each device implements.

#include "CBrush.h"
#include "CDCMapping.h"
#include "CFont.h"
#include "CIconImage.h"
#include "CPen.h"
#include "CRgn.h"
#include "GdiTypes.h"

#include <memory>
#include <string>

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // Drawing objects. Each returns the object it displaced; selecting that
    // one again restores the previous state.
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CGdiObject* SelectObject(CGdiObject* object);
    CGdiObject* SelectStockObject(int index);
    const CPen& GetCurrentPen() const { return m_pen; }
    const CBrush& GetCurrentBrush() const { return m_brush; }
    const CFont& GetCurrentFont() const { return m_font; }
    // Stock objects live for the whole process; NULL for an unknown index.
    static CGdiObject* GetStockObject(int index);
    // The 50 % checkerboard of tracking and drag rectangles.
    static CBrush* GetHalftoneBrush();

    // Attributes; each setter returns the previous value.
    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_textColor; }
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_bkColor; }
    int SetBkMode(int mode);
    int GetBkMode() const { return m_bkMode; }
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const { return m_textAlign; }

    // Mapping.
    int SetMapMode(int mode);
    int GetMapMode() const { return m_mapping.GetMapMode(); }
    CPoint SetWindowOrg(int x, int y);
    CPoint SetViewportOrg(int x, int y);
    CSize SetWindowExt(int cx, int cy);
    CSize SetViewportExt(int cx, int cy);
    CPoint GetViewportOrg() const { return m_mapping.GetViewportOrg(); }
    CPoint GetWindowOrg() const { return m_mapping.GetWindowOrg(); }
    void LPtoDP(CPoint* points, int count = 1) const;
    void LPtoDP(CRect* rect) const;
    void DPtoLP(CPoint* points, int count = 1) const;
    void DPtoLP(CRect* rect) const;
    const CDCMapping& GetMapping() const { return m_mapping; }

    // Lines and figures with the selected pen and brush.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(CPoint point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(CPoint point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const { return m_position; }
    BOOL Polyline(const CPoint* points, int count);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const CRect& rect) { return Rectangle(rect.left, rect.top, rect.right, rect.bottom); }
    BOOL Ellipse(int left, int top, int right, int bottom);
    BOOL Ellipse(const CRect& rect) { return Ellipse(rect.left, rect.top, rect.right, rect.bottom); }
    // The part of the ellipse in the rectangle from the ray through start
    // counter-clockwise to the ray through end.
    BOOL Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY);
    BOOL Polygon(const CPoint* points, int count);

    // Pixels and fills.
    COLORREF SetPixel(int x, int y, COLORREF color);
    // CLR_INVALID where the device cannot be read.
    COLORREF GetPixel(int x, int y) const;
    void FillSolidRect(const CRect& rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color) { FillSolidRect(CRect(x, y, x + cx, y + cy), color); }
    void FillRect(const CRect& rect, CBrush* brush);
    // Top and left edges in the first colour, right and bottom edges in the
    // second; the top-right and bottom-left corner pixels take the second.
    void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
    {
        Draw3dRect(CRect(x, y, x + cx, y + cy), topLeft, bottomRight);
    }
    // A dotted frame drawn by inverting; drawing it twice removes it.
    void DrawFocusRect(const CRect& rect);
    void InvertRect(const CRect& rect);
    // Fills with the selected brush: PATCOPY, PATINVERT, DSTINVERT, BLACKNESS, WHITENESS.
    BOOL PatBlt(int x, int y, int cx, int cy, DWORD rop);
    // Copies from another device context of the same kind: SRCCOPY, SRCINVERT, SRCAND, SRCPAINT.
    BOOL BitBlt(int x, int y, int cx, int cy, CDC* source, int sourceX, int sourceY, DWORD rop);
    BOOL StretchBlt(int x, int y, int cx, int cy, CDC* source, int sourceX, int sourceY, int sourceCx,
                    int sourceCy, DWORD rop);
    // Erases the last halftone frame and draws the new one, leaving pixels
    // that both share untouched. A zero size draws nothing.
    void DrawDragRect(const CRect& rect, CSize size, const CRect* lastRect, CSize lastSize);

    // Images, blended by their alpha; cx, cy of 0 take the image's size.
    void DrawIcon(int x, int y, const CIconImage& image, int cx = 0, int cy = 0);
    // DSS_NORMAL draws the image; DSS_MONO draws its silhouette in the
    // brush's colour (the text colour without a brush).
    BOOL DrawState(CPoint point, CSize size, const CIconImage& image, UINT flags, CBrush* brush = nullptr);

    // Clipping. A region is in device units; rectangles are logical.
    int SelectClipRgn(const CRgn* region);
    int IntersectClipRect(const CRect& rect);
    int ExcludeClipRect(const CRect& rect);
    // The logical bounding box of the clipping area (the whole device without clipping).
    int GetClipBox(CRect* rect) const;
    BOOL PtVisible(int x, int y) const;

    // Text in the selected font. TextOut places the text by the text
    // alignment; in opaque mode its cell is filled with the background colour.
    BOOL TextOut(int x, int y, const std::string& text);
    CSize GetTextExtent(const std::string& text) const;
    BOOL GetTextMetrics(TEXTMETRIC* metrics) const;
    // Formatted text in a rectangle; returns the text height (CDrawText).
    int DrawText(const std::string& text, CRect* rect, UINT format);

    // Device.
    int GetDeviceCaps(int index) const;
    // A memory device context of cx by cy device pixels that draws like this one.
    std::unique_ptr<CDC> CreateCompatibleDC(int cx, int cy);
    // Ends a print job from within its page; the print job stops printing.
    int EndDoc();
    BOOL IsDocEnded() const { return m_docEnded; }
    // A context that draws a printout (or its preview); drawing code leaves
    // out screen-only marks and uses print colours there.
    BOOL IsPrinting() const { return m_printing; }
    void SetPrinting(BOOL printing) { m_printing = printing ? TRUE : FALSE; }
    // Puts the state back to a fresh context's (objects, colours, modes, mapping, clipping).
    void ResetState();

protected:
    // Recording devices see every call as one text line.
    virtual BOOL IsRecording() const { return FALSE; }
    virtual void Record(const std::string& call);

    // The resolution of the device in pixels per inch; devices call it from their constructor.
    void InitResolution(int dpiX, int dpiY) { m_mapping.SetDeviceResolution(dpiX, dpiY); }
    // The clipping region in device units; HasClip is FALSE when nothing is clipped.
    BOOL HasClip() const { return m_hasClip; }
    const CRgn& GetClipRegion() const { return m_clip; }
    // Grows by one on every change of the clipping region.
    unsigned ClipGeneration() const { return m_clipGeneration; }

    // Primitives in logical units.
    virtual void DoLine(CPoint from, CPoint to) = 0;
    virtual void DoRectangle(const CRect& rect) = 0;
    virtual void DoEllipse(const CRect& rect) = 0;
    virtual void DoArc(const CRect& rect, CPoint start, CPoint end) = 0;
    virtual void DoPolygon(const CPoint* points, int count) = 0;
    virtual COLORREF DoSetPixel(int x, int y, COLORREF color) = 0;
    virtual COLORREF DoGetPixel(int x, int y) const = 0;
    virtual void DoFillSolidRect(const CRect& rect, COLORREF color) = 0;
    virtual void DoPatBlt(const CRect& rect, const CBrush& brush, DWORD rop) = 0;
    virtual BOOL DoStretchBlt(const CRect& target, CDC* source, const CRect& sourceRect, DWORD rop) = 0;
    virtual void DoDrawImage(const CRect& target, const CIconImage& image) = 0;
    virtual void DoTextOut(int x, int y, const std::string& text) = 0;
    virtual CSize DoGetTextExtent(const std::string& text) const = 0;
    virtual void DoGetTextMetrics(TEXTMETRIC* metrics) const = 0;
    virtual int DoGetDeviceCaps(int index) const = 0;
    virtual std::unique_ptr<CDC> DoCreateCompatibleDC(int cx, int cy) = 0;

private:
    friend class CDrawText;

    CRect DeviceBounds() const;
    void StartClip();
    static std::string ColorText(COLORREF color);
    static std::string RectText(const CRect& rect);

    CPen m_pen;
    CBrush m_brush;
    CFont m_font;
    CPen* m_penObject = nullptr;
    CBrush* m_brushObject = nullptr;
    CFont* m_fontObject = nullptr;
    COLORREF m_textColor = RGB(0, 0, 0);
    COLORREF m_bkColor = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
    UINT m_textAlign = TA_LEFT | TA_TOP;
    CPoint m_position;
    CDCMapping m_mapping;
    CRgn m_clip;
    BOOL m_hasClip = FALSE;
    unsigned m_clipGeneration = 0;
    BOOL m_docEnded = FALSE;
    BOOL m_printing = FALSE;
};
