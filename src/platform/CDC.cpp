#include "CDC.h"

#include "CDrawText.h"
#include "CMarlettGlyphs.h"
#include "CSystemMetrics.h"
#include "Gbk.h"

#include <cstdio>

namespace {

constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

int RegionType(const CRgn& region)
{
    if (region.IsEmpty())
        return NULLREGION;
    return region.GetRects().size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

struct StockBrush {
    int index;
    int grey;
};

// The stock brushes, in index order (NULL_BRUSH is made separately).
constexpr StockBrush kStockBrushes[] = {
    {WHITE_BRUSH, 255},
    {LTGRAY_BRUSH, 192},
    {GRAY_BRUSH, 128},
    {DKGRAY_BRUSH, 64},
    {BLACK_BRUSH, 0},
};

struct StockObjects {
    CBrush brushes[5];
    CBrush nullBrush;
    CPen whitePen;
    CPen blackPen;
    CPen nullPen;
    CFont guiFont;
    CBrush halftone;

    StockObjects()
    {
        for (const StockBrush& stock : kStockBrushes)
            brushes[stock.index].CreateSolidBrush(RGB(stock.grey, stock.grey, stock.grey));
        nullBrush.CreateNullBrush();
        whitePen.CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
        blackPen.CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
        nullPen.CreatePen(PS_NULL, 0, RGB(0, 0, 0));
        halftone.CreatePatternBrush({0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA});
    }
};

StockObjects& Stock()
{
    static StockObjects objects;
    return objects;
}

std::string Num(int value)
{
    return std::to_string(value);
}

} // namespace

CDC::CDC()
{
    ResetState();
}

CDC::~CDC() = default;

void CDC::Record(const std::string&)
{
}

std::string CDC::ColorText(COLORREF color)
{
    char text[32];
    std::snprintf(text, sizeof(text), "RGB(%d,%d,%d)", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

std::string CDC::RectText(const CRect& rect)
{
    return Num(rect.left) + "," + Num(rect.top) + "," + Num(rect.right) + "," + Num(rect.bottom);
}

CGdiObject* CDC::GetStockObject(int index)
{
    StockObjects& stock = Stock();
    if (index >= WHITE_BRUSH && index <= BLACK_BRUSH)
        return &stock.brushes[index];
    switch (index) {
    case NULL_BRUSH:
        return &stock.nullBrush;
    case WHITE_PEN:
        return &stock.whitePen;
    case BLACK_PEN:
        return &stock.blackPen;
    case NULL_PEN:
        return &stock.nullPen;
    case DEFAULT_GUI_FONT: {
        const LOGFONT record = CSystemMetrics::Instance().GetMenuFont();
        stock.guiFont.CreateFontIndirect(&record);
        return &stock.guiFont;
    }
    default:
        return nullptr;
    }
}

CBrush* CDC::GetHalftoneBrush()
{
    return &Stock().halftone;
}

void CDC::ResetState()
{
    m_penObject = static_cast<CPen*>(GetStockObject(BLACK_PEN));
    m_brushObject = static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
    m_fontObject = static_cast<CFont*>(GetStockObject(DEFAULT_GUI_FONT));
    m_pen = *m_penObject;
    m_brush = *m_brushObject;
    m_font = *m_fontObject;
    m_textColor = RGB(0, 0, 0);
    m_bkColor = RGB(255, 255, 255);
    m_bkMode = OPAQUE;
    m_textAlign = TA_LEFT | TA_TOP;
    m_position = CPoint();
    m_mapping.SetMapMode(MM_TEXT);
    m_mapping.SetWindowOrg(0, 0);
    m_mapping.SetViewportOrg(0, 0);
    m_clip = CRgn();
    m_hasClip = FALSE;
    ++m_clipGeneration;
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* old = m_penObject;
    if (pen == nullptr)
        return nullptr;
    if (IsRecording())
        Record("SelectPen(" + Num(pen->GetStyle()) + "," + Num(pen->GetWidth()) + "," + ColorText(pen->GetColor()) + ")");
    m_penObject = pen;
    m_pen = *pen;
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_brushObject;
    if (brush == nullptr)
        return nullptr;
    if (IsRecording()) {
        const std::string kind = brush->IsNull() ? "null" : brush->GetStyle() == BS_PATTERN ? "pattern" : ColorText(brush->GetColor());
        Record("SelectBrush(" + kind + ")");
    }
    m_brushObject = brush;
    m_brush = *brush;
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* old = m_fontObject;
    if (font == nullptr)
        return nullptr;
    if (IsRecording()) {
        const LOGFONT& record = font->GetRecord();
        Record("SelectFont(" + std::string(record.lfFaceName) + "," + Num(record.lfHeight) + "," + Num(record.lfWeight) + ")");
    }
    m_fontObject = font;
    m_font = *font;
    return old;
}

CGdiObject* CDC::SelectObject(CGdiObject* object)
{
    if (object == nullptr)
        return nullptr;
    switch (object->GetKind()) {
    case CGdiObject::Kind::Pen:
        return SelectObject(static_cast<CPen*>(object));
    case CGdiObject::Kind::Brush:
        return SelectObject(static_cast<CBrush*>(object));
    case CGdiObject::Kind::Font:
        return SelectObject(static_cast<CFont*>(object));
    }
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return SelectObject(GetStockObject(index));
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    if (IsRecording())
        Record("SetTextColor(" + ColorText(color) + ")");
    const COLORREF old = m_textColor;
    m_textColor = color;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    if (IsRecording())
        Record("SetBkColor(" + ColorText(color) + ")");
    const COLORREF old = m_bkColor;
    m_bkColor = color;
    return old;
}

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    if (IsRecording())
        Record(std::string("SetBkMode(") + (mode == TRANSPARENT ? "TRANSPARENT" : "OPAQUE") + ")");
    const int old = m_bkMode;
    m_bkMode = mode;
    return old;
}

UINT CDC::SetTextAlign(UINT align)
{
    if (IsRecording())
        Record("SetTextAlign(" + Num(static_cast<int>(align)) + ")");
    const UINT old = m_textAlign;
    m_textAlign = align;
    return old;
}

int CDC::SetMapMode(int mode)
{
    if (IsRecording())
        Record("SetMapMode(" + Num(mode) + ")");
    return m_mapping.SetMapMode(mode);
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    if (IsRecording())
        Record("SetWindowOrg(" + Num(x) + "," + Num(y) + ")");
    return m_mapping.SetWindowOrg(x, y);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    if (IsRecording())
        Record("SetViewportOrg(" + Num(x) + "," + Num(y) + ")");
    return m_mapping.SetViewportOrg(x, y);
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    if (IsRecording())
        Record("SetWindowExt(" + Num(cx) + "," + Num(cy) + ")");
    return m_mapping.SetWindowExt(cx, cy);
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    if (IsRecording())
        Record("SetViewportExt(" + Num(cx) + "," + Num(cy) + ")");
    return m_mapping.SetViewportExt(cx, cy);
}

void CDC::LPtoDP(CPoint* points, int count) const
{
    for (int i = 0; i < count; ++i)
        points[i] = m_mapping.LPtoDP(points[i]);
}

void CDC::LPtoDP(CRect* rect) const
{
    *rect = m_mapping.LPtoDP(*rect);
}

void CDC::DPtoLP(CPoint* points, int count) const
{
    for (int i = 0; i < count; ++i)
        points[i] = m_mapping.DPtoLP(points[i]);
}

void CDC::DPtoLP(CRect* rect) const
{
    *rect = m_mapping.DPtoLP(*rect);
}

CPoint CDC::MoveTo(int x, int y)
{
    if (IsRecording())
        Record("MoveTo(" + Num(x) + "," + Num(y) + ")");
    const CPoint old = m_position;
    m_position = CPoint(x, y);
    return old;
}

BOOL CDC::LineTo(int x, int y)
{
    if (IsRecording())
        Record("LineTo(" + Num(x) + "," + Num(y) + ")");
    DoLine(m_position, CPoint(x, y));
    m_position = CPoint(x, y);
    return TRUE;
}

BOOL CDC::Polyline(const CPoint* points, int count)
{
    if (points == nullptr || count < 2)
        return FALSE;
    if (IsRecording()) {
        std::string call = "Polyline(";
        for (int i = 0; i < count; ++i)
            call += (i ? "," : "") + Num(points[i].x) + ":" + Num(points[i].y);
        Record(call + ")");
    }
    for (int i = 1; i < count; ++i)
        DoLine(points[i - 1], points[i]);
    return TRUE;
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom)
{
    if (IsRecording())
        Record("Rectangle(" + RectText(CRect(left, top, right, bottom)) + ")");
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    DoRectangle(rect);
    return TRUE;
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom)
{
    if (IsRecording())
        Record("Ellipse(" + RectText(CRect(left, top, right, bottom)) + ")");
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    DoEllipse(rect);
    return TRUE;
}

BOOL CDC::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY)
{
    if (IsRecording())
        Record("Arc(" + RectText(CRect(left, top, right, bottom)) + "," + Num(startX) + "," + Num(startY) + ","
               + Num(endX) + "," + Num(endY) + ")");
    CRect rect(left, top, right, bottom);
    rect.NormalizeRect();
    DoArc(rect, CPoint(startX, startY), CPoint(endX, endY));
    return TRUE;
}

BOOL CDC::Polygon(const CPoint* points, int count)
{
    if (points == nullptr || count < 2)
        return FALSE;
    if (IsRecording()) {
        std::string call = "Polygon(";
        for (int i = 0; i < count; ++i)
            call += (i ? "," : "") + Num(points[i].x) + ":" + Num(points[i].y);
        Record(call + ")");
    }
    DoPolygon(points, count);
    return TRUE;
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    if (IsRecording())
        Record("SetPixel(" + Num(x) + "," + Num(y) + "," + ColorText(color) + ")");
    return DoSetPixel(x, y, color);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return DoGetPixel(x, y);
}

void CDC::FillSolidRect(const CRect& rect, COLORREF color)
{
    if (IsRecording())
        Record("FillSolidRect(" + RectText(rect) + "," + ColorText(color) + ")");
    CRect area(rect);
    area.NormalizeRect();
    DoFillSolidRect(area, color);
}

void CDC::FillRect(const CRect& rect, CBrush* brush)
{
    if (brush == nullptr)
        return;
    if (IsRecording())
        Record("FillRect(" + RectText(rect) + "," + (brush->IsNull() ? std::string("null") : ColorText(brush->GetColor())) + ")");
    CRect area(rect);
    area.NormalizeRect();
    DoPatBlt(area, *brush, PATCOPY);
}

void CDC::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight)
{
    if (IsRecording())
        Record("Draw3dRect(" + RectText(rect) + "," + ColorText(topLeft) + "," + ColorText(bottomRight) + ")");
    const int x = rect.left;
    const int y = rect.top;
    const int cx = rect.Width();
    const int cy = rect.Height();
    if (cx <= 0 || cy <= 0)
        return;
    DoFillSolidRect(CRect(x, y, x + cx - 1, y + 1), topLeft);
    DoFillSolidRect(CRect(x, y, x + 1, y + cy - 1), topLeft);
    DoFillSolidRect(CRect(x + cx - 1, y, x + cx, y + cy), bottomRight);
    DoFillSolidRect(CRect(x, y + cy - 1, x + cx, y + cy), bottomRight);
}

void CDC::DrawFocusRect(const CRect& rect)
{
    if (IsRecording())
        Record("DrawFocusRect(" + RectText(rect) + ")");
    CRect frame(rect);
    frame.NormalizeRect();
    if (frame.IsRectEmpty())
        return;
    // Every other pixel inverted, whatever the context's colours.
    const COLORREF text = m_textColor;
    const COLORREF back = m_bkColor;
    m_textColor = RGB(0, 0, 0);
    m_bkColor = RGB(255, 255, 255);
    const CBrush& halftone = *GetHalftoneBrush();
    DoPatBlt(CRect(frame.left, frame.top, frame.right, frame.top + 1), halftone, PATINVERT);
    if (frame.Height() > 1)
        DoPatBlt(CRect(frame.left, frame.bottom - 1, frame.right, frame.bottom), halftone, PATINVERT);
    if (frame.Height() > 2) {
        DoPatBlt(CRect(frame.left, frame.top + 1, frame.left + 1, frame.bottom - 1), halftone, PATINVERT);
        if (frame.Width() > 1)
            DoPatBlt(CRect(frame.right - 1, frame.top + 1, frame.right, frame.bottom - 1), halftone, PATINVERT);
    }
    m_textColor = text;
    m_bkColor = back;
}

void CDC::InvertRect(const CRect& rect)
{
    if (IsRecording())
        Record("InvertRect(" + RectText(rect) + ")");
    CRect area(rect);
    area.NormalizeRect();
    DoPatBlt(area, m_brush, DSTINVERT);
}

BOOL CDC::PatBlt(int x, int y, int cx, int cy, DWORD rop)
{
    if (IsRecording())
        Record("PatBlt(" + Num(x) + "," + Num(y) + "," + Num(cx) + "," + Num(cy) + "," + Num(static_cast<int>(rop)) + ")");
    CRect area(x, y, x + cx, y + cy);
    area.NormalizeRect();
    DoPatBlt(area, m_brush, rop);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int cx, int cy, CDC* source, int sourceX, int sourceY, DWORD rop)
{
    if (IsRecording())
        Record("BitBlt(" + Num(x) + "," + Num(y) + "," + Num(cx) + "," + Num(cy) + "," + Num(sourceX) + ","
               + Num(sourceY) + "," + Num(static_cast<int>(rop)) + ")");
    if (source == nullptr) {
        DoPatBlt(CRect(x, y, x + cx, y + cy), m_brush, rop);
        return TRUE;
    }
    return DoStretchBlt(CRect(x, y, x + cx, y + cy), source, CRect(sourceX, sourceY, sourceX + cx, sourceY + cy), rop);
}

BOOL CDC::StretchBlt(int x, int y, int cx, int cy, CDC* source, int sourceX, int sourceY, int sourceCx, int sourceCy,
                     DWORD rop)
{
    if (IsRecording())
        Record("StretchBlt(" + Num(x) + "," + Num(y) + "," + Num(cx) + "," + Num(cy) + "," + Num(sourceX) + ","
               + Num(sourceY) + "," + Num(sourceCx) + "," + Num(sourceCy) + "," + Num(static_cast<int>(rop)) + ")");
    if (source == nullptr)
        return FALSE;
    return DoStretchBlt(CRect(x, y, x + cx, y + cy), source,
                        CRect(sourceX, sourceY, sourceX + sourceCx, sourceY + sourceCy), rop);
}

namespace {

// The frame of thickness size inside rect, as non-overlapping bands.
CRgn FrameRegion(const CRect& rect, CSize size)
{
    CRgn frame;
    if (size.cx <= 0 && size.cy <= 0)
        return frame;
    CRect outer(rect);
    outer.NormalizeRect();
    frame.AddRect(outer);
    CRect inner(outer);
    inner.DeflateRect(size.cx, size.cy);
    if (!inner.IsRectEmpty())
        frame.SubtractRect(inner);
    return frame;
}

} // namespace

void CDC::DrawDragRect(const CRect& rect, CSize size, const CRect* lastRect, CSize lastSize)
{
    if (IsRecording())
        Record("DrawDragRect(" + RectText(rect) + "," + Num(size.cx) + "," + Num(size.cy) + ","
               + (lastRect ? RectText(*lastRect) : std::string("none")) + "," + Num(lastSize.cx) + ","
               + Num(lastSize.cy) + ")");
    const CRgn next = FrameRegion(rect, size);
    const CRgn last = lastRect ? FrameRegion(*lastRect, lastSize) : CRgn();
    // What changes is in one frame and not in the other.
    CRgn added = next;
    for (const CRect& piece : last.GetRects())
        added.SubtractRect(piece);
    CRgn removed = last;
    for (const CRect& piece : next.GetRects())
        removed.SubtractRect(piece);
    const COLORREF text = m_textColor;
    const COLORREF back = m_bkColor;
    m_textColor = RGB(0, 0, 0);
    m_bkColor = RGB(255, 255, 255);
    for (const CRect& piece : added.GetRects())
        DoPatBlt(piece, *GetHalftoneBrush(), PATINVERT);
    for (const CRect& piece : removed.GetRects())
        DoPatBlt(piece, *GetHalftoneBrush(), PATINVERT);
    m_textColor = text;
    m_bkColor = back;
}

void CDC::DrawIcon(int x, int y, const CIconImage& image, int cx, int cy)
{
    if (IsRecording())
        Record("DrawIcon(" + Num(x) + "," + Num(y) + "," + Num(image.Width()) + "x" + Num(image.Height()) + ","
               + Num(cx) + "," + Num(cy) + ")");
    if (image.IsEmpty())
        return;
    DoDrawImage(CRect(x, y, x + (cx ? cx : image.Width()), y + (cy ? cy : image.Height())), image);
}

BOOL CDC::DrawState(CPoint point, CSize size, const CIconImage& image, UINT flags, CBrush* brush)
{
    if (IsRecording())
        Record("DrawState(" + Num(point.x) + "," + Num(point.y) + "," + Num(size.cx) + "," + Num(size.cy) + ","
               + Num(static_cast<int>(flags)) + ")");
    if (image.IsEmpty())
        return FALSE;
    const int cx = size.cx ? size.cx : image.Width();
    const int cy = size.cy ? size.cy : image.Height();
    const CRect target(point.x, point.y, point.x + cx, point.y + cy);
    if ((flags & DSS_MONO) == 0) {
        DoDrawImage(target, image);
        return TRUE;
    }
    const COLORREF color = brush != nullptr && !brush->IsNull() ? brush->GetColor() : m_textColor;
    DoDrawImage(target, image.Silhouette(color));
    return TRUE;
}

CRect CDC::DeviceBounds() const
{
    return CRect(0, 0, DoGetDeviceCaps(HORZRES), DoGetDeviceCaps(VERTRES));
}

void CDC::StartClip()
{
    if (m_hasClip)
        return;
    m_clip = CRgn();
    m_clip.AddRect(DeviceBounds());
    m_hasClip = TRUE;
}

int CDC::SelectClipRgn(const CRgn* region)
{
    if (IsRecording())
        Record("SelectClipRgn(" + (region ? RectText(region->GetRgnBox()) : std::string("none")) + ")");
    ++m_clipGeneration;
    if (region == nullptr) {
        m_clip = CRgn();
        m_hasClip = FALSE;
        return SIMPLEREGION;
    }
    m_clip = *region;
    m_hasClip = TRUE;
    return RegionType(m_clip);
}

int CDC::IntersectClipRect(const CRect& rect)
{
    if (IsRecording())
        Record("IntersectClipRect(" + RectText(rect) + ")");
    StartClip();
    m_clip.IntersectRect(m_mapping.LPtoDP(rect));
    ++m_clipGeneration;
    return RegionType(m_clip);
}

int CDC::ExcludeClipRect(const CRect& rect)
{
    if (IsRecording())
        Record("ExcludeClipRect(" + RectText(rect) + ")");
    StartClip();
    m_clip.SubtractRect(m_mapping.LPtoDP(rect));
    ++m_clipGeneration;
    return RegionType(m_clip);
}

int CDC::GetClipBox(CRect* rect) const
{
    if (rect == nullptr)
        return 0;
    const CRect box = m_hasClip ? m_clip.GetRgnBox() : DeviceBounds();
    *rect = m_mapping.DPtoLP(box);
    rect->NormalizeRect();
    return m_hasClip ? RegionType(m_clip) : SIMPLEREGION;
}

BOOL CDC::PtVisible(int x, int y) const
{
    const CPoint device = m_mapping.LPtoDP(CPoint(x, y));
    if (m_hasClip)
        return m_clip.PtInRegion(device.x, device.y);
    return DeviceBounds().PtInRect(device);
}

BOOL CDC::TextOut(int x, int y, const std::string& text)
{
    if (IsRecording())
        Record("TextOut(" + Num(x) + "," + Num(y) + ",\"" + text + "\")");
    DoTextOut(x, y, text);
    return TRUE;
}

CSize CDC::GetTextExtent(const std::string& text) const
{
    return DoGetTextExtent(text);
}

void CDC::GetCharacterEnds(const std::string& text, std::vector<int>* ends) const
{
    ends->clear();
    DoGetCharacterEnds(text, ends);
}

void CDC::DoGetCharacterEnds(const std::string& text, std::vector<int>* ends) const
{
    for (size_t i = 0; i < text.size();) {
        i += static_cast<size_t>(GbkCharLength(text, i));
        ends->push_back(DoGetTextExtent(text.substr(0, i)).cx);
    }
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const
{
    if (metrics == nullptr)
        return FALSE;
    *metrics = TEXTMETRIC();
    DoGetTextMetrics(metrics);
    return TRUE;
}

int CDC::DrawText(const std::string& text, CRect* rect, UINT format)
{
    if (rect == nullptr)
        return 0;
    if (IsRecording())
        Record("DrawText(\"" + text + "\"," + RectText(*rect) + "," + Num(static_cast<int>(format)) + ")");
    if (CMarlettGlyphs::IsMarlett(m_font.GetRecord()))
        return CMarlettGlyphs::DrawText(*this, text, rect, format);
    return CDrawText::Draw(*this, text, rect, format);
}

int CDC::GetDeviceCaps(int index) const
{
    return DoGetDeviceCaps(index);
}

std::unique_ptr<CDC> CDC::CreateCompatibleDC(int cx, int cy)
{
    if (IsRecording())
        Record("CreateCompatibleDC(" + Num(cx) + "," + Num(cy) + ")");
    return DoCreateCompatibleDC(cx > 0 ? cx : 1, cy > 0 ? cy : 1);
}

std::unique_ptr<CDC> CDC::CreateBufferDC(const CRect& rect)
{
    CRect device = m_mapping.LPtoDP(rect);
    device.NormalizeRect();
    if (device.IsRectEmpty())
        return nullptr;
    return DoCreateBufferDC(device);
}

std::unique_ptr<CDC> CDC::DoCreateBufferDC(const CRect&)
{
    return nullptr;
}

int CDC::EndDoc()
{
    if (IsRecording())
        Record("EndDoc()");
    m_docEnded = TRUE;
    return 1;
}
