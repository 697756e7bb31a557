#include "CQtDC.h"

#include "CQtImageDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/Gbk.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

QString ToQString(const std::string& gbk)
{
    return QString::fromUtf8(GbkToUtf8(gbk));
}

QRect ToQRect(const CRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

// On and off run lengths of the styled one-pixel pens.
struct PenDashes {
    int style;
    int on;
    int off;
};

constexpr PenDashes kPenDashes[] = {
    {PS_DASH, 18, 6},
    {PS_DOT, 3, 3},
};

// The pixels of a line from a to b without b.
void WalkLine(CPoint a, CPoint b, std::vector<QPoint>* pixels)
{
    const int dx = std::abs(b.x - a.x);
    const int dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1;
    const int sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    int x = a.x;
    int y = a.y;
    while (x != b.x || y != b.y) {
        pixels->push_back(QPoint(x, y));
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

double AngleOf(CPoint point, double centreX, double centreY)
{
    const double degrees = std::atan2(-(point.y - centreY), point.x - centreX) * 180.0 / M_PI;
    return degrees < 0 ? degrees + 360.0 : degrees;
}

} // namespace

CQtDC::CQtDC() = default;

CQtDC::CQtDC(QPainter* painter)
{
    Attach(painter, painter ? painter->device() : nullptr);
}

CQtDC::CQtDC(QPaintDevice* device)
{
    Attach(nullptr, device);
}

CQtDC::~CQtDC() = default;

void CQtDC::Attach(QPainter* painter, QPaintDevice* device)
{
    m_painter = painter;
    m_device = device;
    m_image = nullptr;
    if (device != nullptr && device->devType() == QInternal::Image)
        m_image = static_cast<QImage*>(device);
    if (device != nullptr)
        InitResolution(device->logicalDpiX(), device->logicalDpiY());
    m_clipApplied = FALSE;
}

QColor CQtDC::ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

COLORREF CQtDC::FromQColor(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}

QFont CQtDC::ToQFont(const LOGFONT& record, const CDCMapping& mapping)
{
    QFont font(record.lfFaceName[0] ? QString::fromUtf8(GbkToUtf8(record.lfFaceName)) : QString(CSystemMetrics::DefaultFace()));
    int height = record.lfHeight;
    if (height == 0)
        height = CSystemMetrics::Instance().GetMenuFont().lfHeight;
    int pixels = mapping.LengthYToDP(std::abs(height));
    if (height > 0) {
        // A cell height: the character height is the part of it without the leading.
        QFont probe(font);
        probe.setPixelSize(100);
        const QFontMetricsF metrics(probe);
        pixels = static_cast<int>(std::lround(pixels * 100.0 / metrics.height()));
    }
    font.setPixelSize(pixels > 0 ? pixels : 1);
    const int weight = record.lfWeight <= 0 ? FW_NORMAL : record.lfWeight;
    font.setWeight(static_cast<QFont::Weight>(weight < 100 ? 100 : (weight > 900 ? 900 : weight)));
    font.setItalic(record.lfItalic != 0);
    font.setUnderline(record.lfUnderline != 0);
    font.setStrikeOut(record.lfStrikeOut != 0);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

QFont CQtDC::CurrentQFont() const
{
    return ToQFont(GetCurrentFont().GetRecord(), GetMapping());
}

BOOL CQtDC::CanDraw()
{
    if (m_painter == nullptr || !m_painter->isActive())
        return FALSE;
    ApplyClip();
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

void CQtDC::ApplyClip()
{
    if (m_clipApplied && m_appliedClip == ClipGeneration())
        return;
    m_appliedClip = ClipGeneration();
    m_clipApplied = TRUE;
    if (!HasClip()) {
        m_painter->setClipping(false);
        return;
    }
    QRegion region;
    for (const CRect& rect : GetClipRegion().GetRects())
        region += ToQRect(rect);
    m_painter->setClipRegion(region);
}

int CQtDC::PenWidth() const
{
    const int width = GetMapping().LengthXToDP(GetCurrentPen().GetWidth());
    return width < 1 ? 1 : width;
}

void CQtDC::DeviceLine(CPoint from, CPoint to)
{
    const CPen& pen = GetCurrentPen();
    if (pen.IsNull())
        return;
    const int width = PenWidth();
    if (width > 1) {
        QPen wide(ToQColor(pen.GetColor()), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        m_painter->setPen(wide);
        m_painter->drawLine(QPoint(from.x, from.y), QPoint(to.x, to.y));
        return;
    }
    std::vector<QPoint> pixels;
    WalkLine(from, to, &pixels);
    int on = 0;
    int off = 0;
    for (const PenDashes& dashes : kPenDashes) {
        if (dashes.style == pen.GetStyle()) {
            on = dashes.on;
            off = dashes.off;
        }
    }
    std::vector<QPoint> ink;
    std::vector<QPoint> gaps;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const BOOL drawn = on == 0 || static_cast<int>(i % static_cast<size_t>(on + off)) < on;
        (drawn ? ink : gaps).push_back(pixels[i]);
    }
    m_painter->setPen(QPen(ToQColor(pen.GetColor()), 1));
    if (!ink.empty())
        m_painter->drawPoints(ink.data(), static_cast<int>(ink.size()));
    if (GetBkMode() == OPAQUE && !gaps.empty()) {
        m_painter->setPen(QPen(ToQColor(GetBkColor()), 1));
        m_painter->drawPoints(gaps.data(), static_cast<int>(gaps.size()));
    }
}

void CQtDC::FillDevice(const CRect& device, const CBrush& brush)
{
    if (device.IsRectEmpty() || brush.IsNull())
        return;
    if (brush.GetStyle() != BS_PATTERN) {
        m_painter->fillRect(ToQRect(device), ToQColor(brush.GetColor()));
        return;
    }
    QImage tile(8, 8, QImage::Format_RGB32);
    const QRgb zero = ToQColor(GetTextColor()).rgb();
    const QRgb one = ToQColor(GetBkColor()).rgb();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            tile.setPixel(x, y, brush.PatternBit(x, y) ? one : zero);
    }
    m_painter->setBrushOrigin(0, 0);
    m_painter->fillRect(ToQRect(device), QBrush(tile));
}

void CQtDC::FillPath(const QPainterPath& path, const CBrush& brush)
{
    if (brush.IsNull())
        return;
    if (brush.GetStyle() != BS_PATTERN) {
        m_painter->fillPath(path, ToQColor(brush.GetColor()));
        return;
    }
    const QRect bounds = path.boundingRect().toAlignedRect();
    m_painter->save();
    m_painter->setClipPath(path, Qt::IntersectClip);
    FillDevice(CRect(bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1), brush);
    m_painter->restore();
}

void CQtDC::DoLine(CPoint from, CPoint to)
{
    if (!CanDraw())
        return;
    DeviceLine(GetMapping().LPtoDP(from), GetMapping().LPtoDP(to));
}

void CQtDC::DoRectangle(const CRect& rect)
{
    if (!CanDraw())
        return;
    const CRect device = GetMapping().LPtoDP(rect);
    const CPen& pen = GetCurrentPen();
    if (pen.IsNull()) {
        FillDevice(device, GetCurrentBrush());
        return;
    }
    const int width = PenWidth();
    CRect inside(device);
    inside.DeflateRect(width, width);
    FillDevice(inside, GetCurrentBrush());
    if (pen.GetStyle() == PS_SOLID || pen.GetStyle() == PS_INSIDEFRAME || width > 1) {
        const QColor color = ToQColor(pen.GetColor());
        const int w = width < device.Width() ? width : device.Width();
        const int h = width < device.Height() ? width : device.Height();
        m_painter->fillRect(QRect(device.left, device.top, device.Width(), h), color);
        m_painter->fillRect(QRect(device.left, device.bottom - h, device.Width(), h), color);
        m_painter->fillRect(QRect(device.left, device.top, w, device.Height()), color);
        m_painter->fillRect(QRect(device.right - w, device.top, w, device.Height()), color);
        return;
    }
    const CPoint corners[] = {
        CPoint(device.left, device.top), CPoint(device.right - 1, device.top),
        CPoint(device.right - 1, device.bottom - 1), CPoint(device.left, device.bottom - 1),
    };
    for (int i = 0; i < 4; ++i)
        DeviceLine(corners[i], corners[(i + 1) % 4]);
}

void CQtDC::DoEllipse(const CRect& rect)
{
    if (!CanDraw())
        return;
    const CRect device = GetMapping().LPtoDP(rect);
    if (device.Width() < 2 || device.Height() < 2)
        return;
    QPainterPath path;
    path.addEllipse(QRectF(device.left, device.top, device.Width(), device.Height()));
    FillPath(path, GetCurrentBrush());
    const CPen& pen = GetCurrentPen();
    if (pen.IsNull())
        return;
    m_painter->setPen(QPen(ToQColor(pen.GetColor()), PenWidth()));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawEllipse(QRect(device.left, device.top, device.Width() - 1, device.Height() - 1));
}

void CQtDC::DoArc(const CRect& rect, CPoint start, CPoint end)
{
    if (!CanDraw())
        return;
    const CPen& pen = GetCurrentPen();
    const CRect device = GetMapping().LPtoDP(rect);
    if (pen.IsNull() || device.Width() < 2 || device.Height() < 2)
        return;
    const double centreX = (device.left + device.right) / 2.0;
    const double centreY = (device.top + device.bottom) / 2.0;
    const double from = AngleOf(GetMapping().LPtoDP(start), centreX, centreY);
    double span = AngleOf(GetMapping().LPtoDP(end), centreX, centreY) - from;
    if (span <= 0)
        span += 360.0;
    m_painter->setPen(QPen(ToQColor(pen.GetColor()), PenWidth()));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawArc(QRect(device.left, device.top, device.Width() - 1, device.Height() - 1),
                       static_cast<int>(std::lround(from * 16)), static_cast<int>(std::lround(span * 16)));
}

void CQtDC::DoPolygon(const CPoint* points, int count)
{
    if (!CanDraw())
        return;
    std::vector<CPoint> device;
    QPolygon polygon;
    for (int i = 0; i < count; ++i) {
        device.push_back(GetMapping().LPtoDP(points[i]));
        polygon << QPoint(device.back().x, device.back().y);
    }
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    path.setFillRule(Qt::OddEvenFill);
    FillPath(path, GetCurrentBrush());
    for (size_t i = 0; i < device.size(); ++i)
        DeviceLine(device[i], device[(i + 1) % device.size()]);
}

COLORREF CQtDC::DoSetPixel(int x, int y, COLORREF color)
{
    if (!CanDraw())
        return CLR_INVALID;
    const CPoint device = GetMapping().LPtoDP(CPoint(x, y));
    m_painter->fillRect(QRect(device.x, device.y, 1, 1), ToQColor(color));
    return color;
}

COLORREF CQtDC::DoGetPixel(int x, int y) const
{
    if (m_image == nullptr)
        return CLR_INVALID;
    const CPoint device = GetMapping().LPtoDP(CPoint(x, y));
    if (!m_image->rect().contains(device.x, device.y))
        return CLR_INVALID;
    return FromQColor(QColor(m_image->pixel(device.x, device.y)));
}

void CQtDC::DoFillSolidRect(const CRect& rect, COLORREF color)
{
    if (!CanDraw())
        return;
    m_painter->fillRect(ToQRect(GetMapping().LPtoDP(rect)), ToQColor(color));
}

void CQtDC::DoPatBlt(const CRect& rect, const CBrush& brush, DWORD rop)
{
    if (!CanDraw())
        return;
    const CRect device = GetMapping().LPtoDP(rect);
    switch (rop) {
    case PATCOPY:
        FillDevice(device, brush);
        break;
    case PATINVERT:
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        FillDevice(device, brush);
        break;
    case DSTINVERT:
        m_painter->setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter->fillRect(ToQRect(device), Qt::black);
        break;
    case BLACKNESS:
        m_painter->fillRect(ToQRect(device), Qt::black);
        break;
    case WHITENESS:
        m_painter->fillRect(ToQRect(device), Qt::white);
        break;
    default:
        break;
    }
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

BOOL CQtDC::DoStretchBlt(const CRect& target, CDC* source, const CRect& sourceRect, DWORD rop)
{
    auto* qtSource = dynamic_cast<CQtDC*>(source);
    if (qtSource == nullptr || qtSource->m_image == nullptr || !CanDraw())
        return FALSE;
    const CRect from = qtSource->GetMapping().LPtoDP(sourceRect);
    const CRect to = GetMapping().LPtoDP(target);
    if (from.IsRectEmpty() || to.IsRectEmpty())
        return FALSE;
    const QImage part = qtSource->m_image->copy(ToQRect(from));
    switch (rop) {
    case SRCCOPY:
        m_painter->setCompositionMode(QPainter::CompositionMode_Source);
        break;
    case SRCINVERT:
        m_painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case SRCAND:
        m_painter->setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        break;
    case SRCPAINT:
        m_painter->setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        break;
    default:
        return FALSE;
    }
    m_painter->drawImage(ToQRect(to), part);
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return TRUE;
}

void CQtDC::DoDrawImage(const CRect& target, const CIconImage& image)
{
    if (!CanDraw())
        return;
    QImage picture(image.Width(), image.Height(), QImage::Format_ARGB32);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x)
            picture.setPixel(x, y, image.GetPixel(x, y));
    }
    m_painter->drawImage(ToQRect(GetMapping().LPtoDP(target)), picture);
}

void CQtDC::DoTextOut(int x, int y, const std::string& text)
{
    if (!CanDraw() || text.empty())
        return;
    const QFont font = CurrentQFont();
    const QFontMetrics metrics(font, m_device);
    const QString shown = ToQString(text);
    const int width = metrics.horizontalAdvance(shown);
    const UINT align = GetTextAlign();
    int left = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        left = -width / 2;
    else if (align & TA_RIGHT)
        left = -width;
    int baseline = metrics.ascent();
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = 0;
    else if (align & TA_BOTTOM)
        baseline = -metrics.descent();
    const CPoint reference = GetMapping().LPtoDP(CPoint(x, y));
    m_painter->save();
    m_painter->translate(reference.x, reference.y);
    const int escapement = GetCurrentFont().GetRecord().lfEscapement;
    if (escapement != 0)
        m_painter->rotate(-escapement / 10.0);
    if (GetBkMode() == OPAQUE)
        m_painter->fillRect(QRect(left, baseline - metrics.ascent(), width, metrics.height()), ToQColor(GetBkColor()));
    m_painter->setFont(font);
    m_painter->setPen(ToQColor(GetTextColor()));
    m_painter->drawText(QPoint(left, baseline), shown);
    m_painter->restore();
    m_clipApplied = FALSE;
}

CSize CQtDC::DoGetTextExtent(const std::string& text) const
{
    const QFontMetrics metrics(CurrentQFont(), m_device);
    const int width = metrics.horizontalAdvance(ToQString(text));
    return CSize(GetMapping().LengthXToLP(width), GetMapping().LengthYToLP(metrics.height()));
}

void CQtDC::DoGetTextMetrics(TEXTMETRIC* tm) const
{
    const QFont font = CurrentQFont();
    const QFontMetrics metrics(font, m_device);
    const CDCMapping& mapping = GetMapping();
    tm->tmHeight = mapping.LengthYToLP(metrics.height());
    tm->tmAscent = mapping.LengthYToLP(metrics.ascent());
    tm->tmDescent = mapping.LengthYToLP(metrics.descent());
    const int internal = metrics.height() - font.pixelSize();
    tm->tmInternalLeading = mapping.LengthYToLP(internal > 0 ? internal : 0);
    tm->tmExternalLeading = mapping.LengthYToLP(metrics.leading() > 0 ? metrics.leading() : 0);
    tm->tmAveCharWidth = mapping.LengthXToLP(metrics.averageCharWidth());
    tm->tmMaxCharWidth = mapping.LengthXToLP(metrics.maxWidth());
    tm->tmWeight = font.weight();
    tm->tmItalic = font.italic() ? 1 : 0;
    tm->tmUnderlined = font.underline() ? 1 : 0;
    tm->tmCharSet = GetCurrentFont().GetRecord().lfCharSet;
}

int CQtDC::DoGetDeviceCaps(int index) const
{
    if (m_device == nullptr)
        return 0;
    switch (index) {
    case HORZRES:
        return m_device->width();
    case VERTRES:
        return m_device->height();
    case BITSPIXEL:
        return CSystemMetrics::Instance().GetBitsPerPixel();
    case LOGPIXELSX:
        return m_device->logicalDpiX();
    case LOGPIXELSY:
        return m_device->logicalDpiY();
    default:
        return 0;
    }
}

std::unique_ptr<CDC> CQtDC::DoCreateCompatibleDC(int cx, int cy)
{
    const int dpi = m_device ? m_device->logicalDpiX() : 96;
    return std::make_unique<CQtImageDC>(cx, cy, dpi);
}
