#pragma once
// The device context over a QPainter: windows in their paint events, image
// back buffers, printers and PDF files. It converts logical to device units
// itself and draws with aliased pixels so that the pixel rules of CDC hold:
// one-pixel lines leave out their end pixel (axis-aligned ones filled as
// spans, others walked pixel by pixel),
// rectangles and fills cover right and bottom exclusive, inverting fills
// use exclusive-or raster operations.
//
// Text goes through a font cache of the device context; fixed-pitch fonts
// keep to their character grid (see CQtFontCache). Printers draw lines as
// plain lines, axis-aligned ones everywhere as filled spans.
//
// Several device contexts may share one painter (the paint of a window, see
// CPaintDC): each puts its own origin and clipping back on the painter when
// it draws after another one did.
//
// A window's OnPaint draws through CPaintDC; other code with a painter of
// its own uses CQtDC dc(&painter).

#include "CQtFontCache.h"
#include "platform/CDC.h"

#include <QColor>
#include <QFont>

class QImage;
class QPaintDevice;
class QPainter;
class QPainterPath;

class CQtDC : public CDC {
public:
    // The painter that several device contexts draw with, which of them last
    // set its state, the font cache they use (their own when null) and
    // whether it paints a window's back buffer (which CMemDC then draws into).
    struct PainterShare {
        QPainter* painter = nullptr;
        const CQtDC* lastUser = nullptr;
        CQtFontCache* fonts = nullptr;
        BOOL backBuffer = FALSE;
    };

    // Draws with the painter (not owned) on the painter's device.
    explicit CQtDC(QPainter* painter);
    // Measures on the device without drawing (printer attribute contexts).
    explicit CQtDC(QPaintDevice* device);
    ~CQtDC() override;

    QPainter* Painter() const { return m_painter; }
    QPaintDevice* Device() const { return m_device; }
    // The image drawn on, when the device is an image; else nullptr.
    QImage* Image() const { return m_image; }

    static QColor ToQColor(COLORREF color);
    static COLORREF FromQColor(const QColor& color);
    // The Qt font of a font record at the device's size of the mapping.
    static QFont ToQFont(const LOGFONT& record, const CDCMapping& mapping);
    // The device context's current font as a Qt font.
    QFont CurrentQFont() const;
    // Where the device context's device origin lies on the painter's device.
    CPoint GetDeviceOrigin() const { return m_origin; }
    PainterShare* GetShare() const { return m_share; }

protected:
    CQtDC();
    // Sets painter and device; used by subclasses that own them.
    void Attach(QPainter* painter, QPaintDevice* device);
    // Draws with a shared painter; the device context's device pixels start at
    // origin on the painter's device and end size later.
    void AttachShared(PainterShare* share, QPaintDevice* device, CPoint origin, CSize size);
    // Draws with the painter of another device context (the one a WM_PAINT
    // hands over in wParam), clipped as that one is.
    void Borrow(CQtDC* owner);

    void DoLine(CPoint from, CPoint to) override;
    void DoRectangle(const CRect& rect) override;
    void DoEllipse(const CRect& rect) override;
    void DoArc(const CRect& rect, CPoint start, CPoint end) override;
    void DoPolygon(const CPoint* points, int count) override;
    COLORREF DoSetPixel(int x, int y, COLORREF color) override;
    COLORREF DoGetPixel(int x, int y) const override;
    void DoFillSolidRect(const CRect& rect, COLORREF color) override;
    void DoPatBlt(const CRect& rect, const CBrush& brush, DWORD rop) override;
    BOOL DoStretchBlt(const CRect& target, CDC* source, const CRect& sourceRect, DWORD rop) override;
    void DoDrawImage(const CRect& target, const CIconImage& image) override;
    void DoTextOut(int x, int y, const std::string& text) override;
    CSize DoGetTextExtent(const std::string& text) const override;
    void DoGetTextMetrics(TEXTMETRIC* metrics) const override;
    int DoGetDeviceCaps(int index) const override;
    std::unique_ptr<CDC> DoCreateCompatibleDC(int cx, int cy) override;
    std::unique_ptr<CDC> DoCreateBufferDC(const CRect& deviceRect) override;
    void DoGetCharacterEnds(const std::string& text, std::vector<int>* ends) const override;

private:
    BOOL CanDraw();
    void ApplyClip();
    BOOL IsPrinter() const;
    int PenWidth() const;
    CQtFontCache::Entry& Font() const;
    void DrawCells(CQtFontCache::Entry& font, QPoint baseline, const std::string& text);
    void DeviceLine(CPoint from, CPoint to);
    void AxisLine(CPoint from, CPoint to, int on, int off);
    void PrinterLine(CPoint from, CPoint to, int on, int off);
    void FillDevice(const CRect& device, const CBrush& brush);
    void FillPath(const QPainterPath& path, const CBrush& brush);

    QPainter* m_painter = nullptr;
    QPaintDevice* m_device = nullptr;
    QImage* m_image = nullptr;
    PainterShare* m_share = nullptr;
    PainterShare m_lent;   // the share of our own painter once another context borrows it
    CPoint m_origin;
    CSize m_size;
    mutable CQtFontCache m_fonts;
    unsigned m_appliedClip = 0;
    BOOL m_clipApplied = FALSE;
};
