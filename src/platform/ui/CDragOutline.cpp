#include "CDragOutline.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {

QImage HalftoneTile()
{
    QImage tile(2, 2, QImage::Format_RGB32);
    tile.setPixel(0, 0, qRgb(0, 0, 0));
    tile.setPixel(1, 1, qRgb(0, 0, 0));
    tile.setPixel(1, 0, qRgb(255, 255, 255));
    tile.setPixel(0, 1, qRgb(255, 255, 255));
    return tile;
}

// Fills area (painter coordinates) whose top left corner lies at screenCorner
// with the checkerboard, aligned to the screen as the frame moves.
void PaintHalftone(QPainter& painter, const QRect& area, QPoint screenCorner)
{
    painter.setBrushOrigin(area.topLeft() - QPoint(screenCorner.x() & 1, screenCorner.y() & 1));
    painter.fillRect(area, QBrush(HalftoneTile()));
}

// The four strips of a frame: top, bottom, left, right.
std::array<QRect, 4> StripRects(const CRect& rect, CSize size)
{
    const int w = rect.Width();
    const int h = rect.Height();
    const int cy = std::min(size.cy, h);
    const int cx = std::min(size.cx, w);
    const int sideHeight = std::max(h - 2 * cy, 0);
    return {QRect(rect.left, rect.top, w, cy), QRect(rect.left, rect.bottom - cy, w, h > cy ? cy : 0),
            QRect(rect.left, rect.top + cy, cx, sideHeight), QRect(rect.right - cx, rect.top + cy, cx, sideHeight)};
}

} // namespace

class CDragOutline::CStrip : public QWidget {
public:
    CStrip()
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool | Qt::WindowDoesNotAcceptFocus
                               | Qt::X11BypassWindowManagerHint)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        PaintHalftone(painter, rect(), pos());
    }
};

CDragOutline::CDragOutline()
{
    for (int i = 0; i < kStripCount; ++i)
        m_strips.push_back(std::make_unique<CStrip>());
}

void CDragOutline::PlaceStrip(std::size_t i, const QRect& r)
{
    while (m_strips.size() <= i)
        m_strips.push_back(std::make_unique<CStrip>());
    CStrip& strip = *m_strips[i];
    if (r.isEmpty()) {
        strip.hide();
        return;
    }
    strip.setGeometry(r);
    strip.update();
    strip.show();
    strip.raise();
}

void CDragOutline::HideFrom(std::size_t first)
{
    for (std::size_t i = first; i < m_strips.size(); ++i)
        m_strips[i]->hide();
}

void CDragOutline::DrawRegion(const std::vector<CRect>& rects)
{
    CRect bounds;
    std::size_t used = 0;
    for (const CRect& rect : rects) {
        if (rect.IsRectEmpty())
            continue;
        bounds.UnionRect(bounds, rect);
        PlaceStrip(used++, QRect(rect.left, rect.top, rect.Width(), rect.Height()));
    }
    HideFrom(used);
    m_rect = bounds;
    m_size = CSize();
}

CDragOutline::~CDragOutline() = default;

void CDragOutline::DrawDragRect(const CRect& rect, CSize size, const CRect*, CSize)
{
    CRect frame(rect);
    frame.NormalizeRect();
    if ((size.cx <= 0 && size.cy <= 0) || frame.IsRectEmpty()) {
        Hide();
        return;
    }
    m_rect = frame;
    m_size = size;
    const std::array<QRect, 4> rects = StripRects(frame, size);
    for (std::size_t i = 0; i < rects.size(); ++i)
        PlaceStrip(i, rects[i]);
    HideFrom(rects.size());
}

void CDragOutline::Hide()
{
    HideFrom(0);
    m_rect = CRect();
    m_size = CSize();
}

std::vector<QWidget*> CDragOutline::Strips() const
{
    std::vector<QWidget*> shown;
    for (const auto& strip : m_strips)
        if (strip->isVisible())
            shown.push_back(strip.get());
    return shown;
}

BOOL CDragOutline::IsShown() const
{
    return Strips().empty() ? FALSE : TRUE;
}

QImage CDragOutline::Render() const
{
    QImage image(m_rect.Width() > 0 ? m_rect.Width() : 1, m_rect.Height() > 0 ? m_rect.Height() : 1,
                 QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (m_rect.IsRectEmpty())
        return image;
    QPainter painter(&image);
    for (QWidget* strip : Strips()) {
        const QRect local = strip->geometry().translated(-m_rect.left, -m_rect.top);
        PaintHalftone(painter, local, strip->pos());
    }
    return image;
}
