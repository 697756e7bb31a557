#include "CQtDC.h"

#include "CQtImageDC.h"
#include "platform/CSystemMetrics.h"
#include "platform/Gbk.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>
#include <QTextLayout>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

QString ToQString(const std::string& gbk)
{
    for (const char c : gbk) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return QString::fromUtf8(GbkToUtf8(gbk));
    }
    return QString::fromLatin1(gbk.data(), static_cast<qsizetype>(gbk.size()));
}

// The UTF-16 index in the Qt text at the end of each GBK character.
std::vector<int> Utf16Ends(const std::string& gbk)
{
    std::vector<int> ends;
    int at = 0;
    for (size_t i = 0; i < gbk.size();) {
        const size_t length = static_cast<size_t>(GbkCharLength(gbk, i));
        at += static_cast<int>(ToQString(gbk.substr(i, length)).size());
        ends.push_back(at);
        i += length;
    }
    return ends;
}

// A laid-out line of proportional text: shaped once, then measured and drawn.
struct ShapedLine {
    ShapedLine(const QString& text, const QFont& font, QPaintDevice* device) : layout(text, font, device)
    {
        layout.setCacheEnabled(true);
        layout.beginLayout();
        line = layout.createLine();
        layout.endLayout();
    }
    int Width() const { return static_cast<int>(std::ceil(line.naturalTextWidth())); }

    QTextLayout layout;
    QTextLine line;
};

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

CQtDC::~CQtDC()
{
    // A later context at the same address must not take the painter's state for its own.
    if (m_share != nullptr && m_share->lastUser == this)
        m_share->lastUser = nullptr;
}

void CQtDC::Attach(QPainter* painter, QPaintDevice* device)
{
    m_painter = painter;
    m_device = device;
    m_image = nullptr;
    m_share = nullptr;
    m_origin = CPoint();
    m_size = CSize();
    if (device != nullptr && device->devType() == QInternal::Image)
        m_image = static_cast<QImage*>(device);
    if (device != nullptr)
        InitResolution(device->logicalDpiX(), device->logicalDpiY());
    m_clipApplied = FALSE;
}

void CQtDC::AttachShared(PainterShare* share, QPaintDevice* device, CPoint origin, CSize size)
{
    Attach(share->painter, device);
    m_share = share;
    m_origin = origin;
    m_size = size;
}

void CQtDC::Borrow(CQtDC* owner)
{
    if (owner->m_painter == nullptr)
        return;
    if (owner->m_share == nullptr) {
        owner->m_lent.painter = owner->m_painter;
        owner->m_lent.lastUser = owner;
        owner->m_share = &owner->m_lent;
    }
    const CSize size(owner->DoGetDeviceCaps(HORZRES), owner->DoGetDeviceCaps(VERTRES));
    AttachShared(owner->m_share, owner->m_device, owner->m_origin, size);
    if (owner->HasClip())
        SelectClipRgn(&owner->GetClipRegion());
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
    return CQtFontCache::MakeFont(record, mapping);
}

CQtFontCache::Entry& CQtDC::Font() const
{
    CQtFontCache& fonts = m_share != nullptr && m_share->fonts != nullptr ? *m_share->fonts : m_fonts;
    return fonts.Get(GetCurrentFont().GetRecord(), GetMapping(), m_device);
}

QFont CQtDC::CurrentQFont() const
{
    return Font().font;
}

BOOL CQtDC::CanDraw()
{
    if (m_painter == nullptr || !m_painter->isActive())
        return FALSE;
    if (m_share != nullptr && m_share->lastUser != this) {
        // Another device context drew with the painter since: put ours back.
        m_share->lastUser = this;
        m_clipApplied = FALSE;
    }
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
    if (m_share != nullptr)
        m_painter->setTransform(QTransform::fromTranslate(m_origin.x, m_origin.y));
    if (!HasClip()) {
        m_painter->setClipping(false);
        return;
    }
    QRegion region;
    for (const CRect& rect : GetClipRegion().GetRects())
        region += ToQRect(rect);
    m_painter->setClipRegion(region);
}

BOOL CQtDC::IsPrinter() const
{
    return m_device != nullptr && m_device->devType() == QInternal::Printer;
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
    int on = 0;
    int off = 0;
    for (const PenDashes& dashes : kPenDashes) {
        if (dashes.style == pen.GetStyle()) {
            on = dashes.on;
            off = dashes.off;
        }
    }
    // Printers take lines as lines; solid axis-aligned ones are one span anywhere.
    const BOOL axisAligned = from.x == to.x || from.y == to.y;
    if (IsPrinter() && (!axisAligned || on != 0)) {
        PrinterLine(from, to, on, off);
        return;
    }
    if (axisAligned) {
        AxisLine(from, to, on, off);
        return;
    }
    std::vector<QPoint> pixels;
    WalkLine(from, to, &pixels);
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

void CQtDC::AxisLine(CPoint from, CPoint to, int on, int off)
{
    // The pixels from..to without to, as runs of ink and gaps filled as spans.
    const int length = std::abs(to.x - from.x) + std::abs(to.y - from.y);
    const int dx = to.x > from.x ? 1 : (to.x < from.x ? -1 : 0);
    const int dy = to.y > from.y ? 1 : (to.y < from.y ? -1 : 0);
    const QColor ink = ToQColor(GetCurrentPen().GetColor());
    const QColor gap = ToQColor(GetBkColor());
    const BOOL fillGaps = GetBkMode() == OPAQUE;
    const int period = on == 0 ? length : on + off;
    for (int start = 0; start < length;) {
        const int inPeriod = start % (period > 0 ? period : 1);
        const BOOL drawn = on == 0 || inPeriod < on;
        int end = on == 0 ? length : start + (drawn ? on - inPeriod : period - inPeriod);
        end = end < length ? end : length;
        if (drawn || fillGaps) {
            const CPoint a(from.x + dx * start, from.y + dy * start);
            const CPoint b(from.x + dx * (end - 1), from.y + dy * (end - 1));
            const QRect span(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)), QPoint(std::max(a.x, b.x), std::max(a.y, b.y)));
            m_painter->fillRect(span, drawn ? ink : gap);
        }
        start = end;
    }
}

void CQtDC::PrinterLine(CPoint from, CPoint to, int on, int off)
{
    const QLine line(QPoint(from.x, from.y), QPoint(to.x, to.y));
    if (on != 0 && GetBkMode() == OPAQUE) {
        m_painter->setPen(QPen(ToQColor(GetBkColor()), 1));
        m_painter->drawLine(line);
    }
    QPen pen(ToQColor(GetCurrentPen().GetColor()), 1);
    if (on != 0)
        pen.setDashPattern({static_cast<qreal>(on), static_cast<qreal>(off)});
    m_painter->setPen(pen);
    m_painter->drawLine(line);
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
    if (!(m_size == CSize()) && !CRect(CPoint(0, 0), m_size).PtInRect(device))
        return CLR_INVALID;
    const int scale = static_cast<int>(std::lround(m_image->devicePixelRatio()));
    const QPoint pixel((device.x + m_origin.x) * scale, (device.y + m_origin.y) * scale);
    if (!m_image->rect().contains(pixel))
        return CLR_INVALID;
    return FromQColor(QColor(m_image->pixel(pixel)));
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
    CRect from = qtSource->GetMapping().LPtoDP(sourceRect);
    const CRect to = GetMapping().LPtoDP(target);
    if (from.IsRectEmpty() || to.IsRectEmpty())
        return FALSE;
    from.OffsetRect(qtSource->m_origin.x, qtSource->m_origin.y);
    const int scale = static_cast<int>(std::lround(qtSource->m_image->devicePixelRatio()));
    const QImage part = qtSource->m_image->copy(QRect(from.left * scale, from.top * scale, from.Width() * scale,
                                                      from.Height() * scale));
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
    // The pixels are 0xAARRGGBB words already: Qt draws them where they are.
    const QImage picture(reinterpret_cast<const uchar*>(image.Pixels().data()), image.Width(), image.Height(),
                         image.Width() * static_cast<int>(sizeof(DWORD)), QImage::Format_ARGB32);
    m_painter->drawImage(ToQRect(GetMapping().LPtoDP(target)), picture);
}

void CQtDC::DrawCells(CQtFontCache::Entry& font, QPoint baseline, const std::string& text)
{
    std::vector<CQtFontCache::Placed> placed;
    font.LayoutCells(text, &placed);
    // One glyph run per font: the font itself and the fallbacks the text needs.
    for (size_t raw = 0; raw < font.raws.size(); ++raw) {
        QList<quint32> glyphs;
        QList<QPointF> positions;
        for (const CQtFontCache::Placed& glyph : placed) {
            if (static_cast<size_t>(glyph.raw) != raw)
                continue;
            glyphs.append(glyph.glyph);
            positions.append(QPointF(glyph.x, 0));
        }
        if (glyphs.isEmpty())
            continue;
        QGlyphRun run;
        run.setRawFont(font.raws[raw]);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        m_painter->drawGlyphRun(baseline, run);
    }
    const int width = static_cast<int>(text.size()) * font.cell;
    if (font.font.underline())
        m_painter->fillRect(QRect(baseline.x(), baseline.y() + font.metrics.underlinePos(), width, font.metrics.lineWidth()),
                            m_painter->pen().color());
    if (font.font.strikeOut())
        m_painter->fillRect(QRect(baseline.x(), baseline.y() - font.metrics.strikeOutPos(), width, font.metrics.lineWidth()),
                            m_painter->pen().color());
}

void CQtDC::DoTextOut(int x, int y, const std::string& text)
{
    if (!CanDraw() || text.empty())
        return;
    CQtFontCache::Entry& font = Font();
    const QFontMetrics& metrics = font.metrics;
    std::unique_ptr<ShapedLine> shaped;
    int width = 0;
    if (font.fixedPitch) {
        width = CQtFontCache::Entry::CountCells(text) * font.cell;
    } else {
        shaped = std::make_unique<ShapedLine>(ToQString(text), font.font, m_device);
        width = shaped->Width();
    }
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
    m_painter->setPen(ToQColor(GetTextColor()));
    if (font.fixedPitch) {
        DrawCells(font, QPoint(left, baseline), text);
    } else {
        m_painter->setFont(font.font);
        shaped->line.draw(m_painter, QPointF(left, baseline - shaped->line.ascent()));
    }
    m_painter->restore();
}

CSize CQtDC::DoGetTextExtent(const std::string& text) const
{
    CQtFontCache::Entry& font = Font();
    int width = 0;
    if (font.fixedPitch)
        width = CQtFontCache::Entry::CountCells(text) * font.cell;
    else if (!text.empty())
        width = ShapedLine(ToQString(text), font.font, m_device).Width();
    return CSize(GetMapping().LengthXToLP(width), GetMapping().LengthYToLP(font.metrics.height()));
}

void CQtDC::DoGetCharacterEnds(const std::string& text, std::vector<int>* ends) const
{
    CQtFontCache::Entry& font = Font();
    if (font.fixedPitch) {
        for (size_t i = 0; i < text.size();) {
            i += static_cast<size_t>(GbkCharLength(text, i));
            ends->push_back(GetMapping().LengthXToLP(static_cast<int>(i) * font.cell));
        }
        return;
    }
    const ShapedLine shaped(ToQString(text), font.font, m_device);
    for (const int end : Utf16Ends(text))
        ends->push_back(GetMapping().LengthXToLP(static_cast<int>(std::ceil(shaped.line.cursorToX(end)))));
}

void CQtDC::DoGetTextMetrics(TEXTMETRIC* tm) const
{
    const CQtFontCache::Entry& entry = Font();
    const QFont& font = entry.font;
    const QFontMetrics& metrics = entry.metrics;
    const CDCMapping& mapping = GetMapping();
    tm->tmHeight = mapping.LengthYToLP(metrics.height());
    tm->tmAscent = mapping.LengthYToLP(metrics.ascent());
    tm->tmDescent = mapping.LengthYToLP(metrics.descent());
    const int internal = metrics.height() - font.pixelSize();
    tm->tmInternalLeading = mapping.LengthYToLP(internal > 0 ? internal : 0);
    tm->tmExternalLeading = mapping.LengthYToLP(metrics.leading() > 0 ? metrics.leading() : 0);
    tm->tmAveCharWidth = mapping.LengthXToLP(entry.fixedPitch ? entry.cell : metrics.averageCharWidth());
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
        return m_size == CSize() ? m_device->width() : m_size.cx;
    case VERTRES:
        return m_size == CSize() ? m_device->height() : m_size.cy;
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

std::unique_ptr<CDC> CQtDC::DoCreateBufferDC(const CRect& deviceRect)
{
    if (m_share == nullptr || !m_share->backBuffer)
        return nullptr;
    std::unique_ptr<CQtDC> buffer(new CQtDC());
    buffer->AttachShared(m_share, m_device, CPoint(m_origin.x + deviceRect.left, m_origin.y + deviceRect.top),
                         deviceRect.Size());
    CRgn clip;
    if (HasClip())
        clip = GetClipRegion();
    else
        clip.AddRect(CRect(CPoint(0, 0), m_size));
    clip.OffsetRgn(-deviceRect.left, -deviceRect.top);
    clip.IntersectRect(CRect(CPoint(0, 0), deviceRect.Size()));
    buffer->SelectClipRgn(&clip);
    return buffer;
}
