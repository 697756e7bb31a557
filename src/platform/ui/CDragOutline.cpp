#include "CDragOutline.h"

#include <QPainter>
#include <QRegion>

namespace {

// The frame's pixels, frame-local.
QRegion FrameRegion(const CRect& rect, CSize size)
{
    const QRect outer(0, 0, rect.Width(), rect.Height());
    QRegion frame(outer);
    const QRect inner = outer.adjusted(size.cx, size.cy, -size.cx, -size.cy);
    if (inner.isValid())
        frame -= QRegion(inner);
    return frame;
}

QImage HalftoneTile()
{
    QImage tile(2, 2, QImage::Format_RGB32);
    tile.setPixel(0, 0, qRgb(0, 0, 0));
    tile.setPixel(1, 1, qRgb(0, 0, 0));
    tile.setPixel(1, 0, qRgb(255, 255, 255));
    tile.setPixel(0, 1, qRgb(255, 255, 255));
    return tile;
}

} // namespace

class CDragOutline::COverlay : public QWidget {
public:
    COverlay()
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool | Qt::WindowDoesNotAcceptFocus
                               | Qt::X11BypassWindowManagerHint)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TranslucentBackground);
    }

    void SetFrame(const CRect& rect, CSize size)
    {
        m_frame = FrameRegion(rect, size);
        // The checkerboard stays aligned to the screen as the frame moves.
        m_origin = QPoint(rect.left & 1, rect.top & 1);
        setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
        setMask(m_frame);
        update();
    }

    void PaintFrame(QPainter& painter) const
    {
        painter.setClipRegion(m_frame);
        painter.setBrushOrigin(-m_origin);
        painter.fillRect(rect(), QBrush(HalftoneTile()));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        PaintFrame(painter);
    }

private:
    QRegion m_frame;
    QPoint m_origin;
};

CDragOutline::CDragOutline() : m_window(new COverlay)
{
}

CDragOutline::~CDragOutline()
{
    delete m_window;
}

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
    m_window->SetFrame(frame, size);
    m_window->show();
    m_window->raise();
}

void CDragOutline::Hide()
{
    m_window->hide();
    m_rect = CRect();
    m_size = CSize();
}

QWidget* CDragOutline::Widget() const
{
    return m_window;
}

BOOL CDragOutline::IsShown() const
{
    return m_window->isVisible() ? TRUE : FALSE;
}

QImage CDragOutline::Render() const
{
    QImage image(m_rect.Width() > 0 ? m_rect.Width() : 1, m_rect.Height() > 0 ? m_rect.Height() : 1,
                 QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (m_rect.IsRectEmpty())
        return image;
    QPainter painter(&image);
    m_window->PaintFrame(painter);
    return image;
}
