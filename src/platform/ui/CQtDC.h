#pragma once
// The device context over a QPainter: windows in their paint events, image
// back buffers, printers and PDF files. It converts logical to device units
// itself and draws with aliased pixels so that the pixel rules of CDC hold:
// one-pixel lines are walked pixel by pixel without their end pixel,
// rectangles and fills cover right and bottom exclusive, inverting fills
// use exclusive-or raster operations.
//
// A window's OnPaint draws through it like this:
//     void CMyView::paintEvent(QPaintEvent*) { CPaintDC dc(this); OnPaint(&dc); }
// or, with a painter of its own, CQtDC dc(&painter).

#include "platform/CDC.h"

#include <QColor>
#include <QFont>

class QImage;
class QPaintDevice;
class QPainter;
class QPainterPath;

class CQtDC : public CDC {
public:
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

protected:
    CQtDC();
    // Sets painter and device; used by subclasses that own them.
    void Attach(QPainter* painter, QPaintDevice* device);

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

private:
    BOOL CanDraw();
    void ApplyClip();
    int PenWidth() const;
    void DeviceLine(CPoint from, CPoint to);
    void FillDevice(const CRect& device, const CBrush& brush);
    void FillPath(const QPainterPath& path, const CBrush& brush);

    QPainter* m_painter = nullptr;
    QPaintDevice* m_device = nullptr;
    QImage* m_image = nullptr;
    unsigned m_appliedClip = 0;
    BOOL m_clipApplied = FALSE;
};
