#include "CPaintSurface.h"

#include "CQtCaret.h"
#include "CWnd.h"

#include "platform/CCaret.h"
#include "platform/CSystemMetrics.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

// The resolution of a back buffer, as the screen's logical resolution.
constexpr double kDotsPerMeterAt96Dpi = 96 / 0.0254;

QRect ToQRect(const CRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

} // namespace

CPaintSurface::CPaintSurface(CWnd* window) : m_window(window)
{
}

CPaintSurface::~CPaintSurface() = default;

BOOL CPaintSurface::EnsureBuffer()
{
    // Whole scale factors only: one-pixel rules stay one device pixel wide each.
    const long rounded = std::lround(m_window->devicePixelRatioF());
    const int scale = rounded > 1 ? static_cast<int>(rounded) : 1;
    const QSize pixels = m_window->size() * scale;
    if (!m_buffer.isNull() && m_buffer.size() == pixels && m_buffer.devicePixelRatio() == scale)
        return FALSE;
    m_buffer = QImage(pixels.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_buffer.setDevicePixelRatio(scale);
    m_buffer.setDotsPerMeterX(static_cast<int>(std::lround(kDotsPerMeterAt96Dpi)));
    m_buffer.setDotsPerMeterY(static_cast<int>(std::lround(kDotsPerMeterAt96Dpi)));
    const CBrush& background = m_window->GetClassBackground();
    const COLORREF fill = background.IsCreated() && !background.IsNull() ? background.GetColor() : GetSysColor(COLOR_WINDOW);
    m_buffer.fill(CQtDC::ToQColor(fill));
    return TRUE;
}

void CPaintSurface::Paint(const QPaintEvent* event)
{
    const QRegion region = event->region();
    const BOOL fresh = EnsureBuffer();
    if (!fresh && region.subtracted(m_caretOnly).isEmpty() && !region.intersects(m_contentPending)) {
        ++m_bufferShows;
    } else {
        PaintFrame(region);
        QPainter painter(&m_buffer);
        m_share.painter = &painter;
        m_share.lastUser = nullptr;
        m_share.fonts = &m_fonts;
        m_share.backBuffer = TRUE;
        m_region = region;
        m_erasePending = fresh || m_eraseRequested;
        m_eraseRequested = FALSE;
        m_window->SendMessage(WM_PAINT);
        m_share.painter = nullptr;
        m_share.lastUser = nullptr;
        m_region = QRegion();
    }
    m_caretOnly -= region;
    m_contentPending -= region;
    Show(region);
}

void CPaintSurface::PaintFrame(const QRegion& region)
{
    CRect client;
    m_window->GetClientRect(&client);
    const CPoint origin = m_window->GetClientOrigin();
    const QRegion frame = QRegion(m_window->rect()) - QRegion(ToQRect(client).translated(origin.x, origin.y));
    const QRegion dirty = region & frame;
    if (dirty.isEmpty())
        return;
    QPainter painter(&m_buffer);
    painter.setClipRegion(dirty);
    CQtDC dc(&painter);
    m_window->SendMessage(WM_NCPAINT, reinterpret_cast<WPARAM>(static_cast<CDC*>(&dc)));
}

QRect CPaintSurface::CaretArea(const CRect& rect) const
{
    CRect client;
    m_window->GetClientRect(&client);
    const CPoint origin = m_window->GetClientOrigin();
    return (ToQRect(rect) & ToQRect(client)).translated(origin.x, origin.y);
}

void CPaintSurface::Show(const QRegion& region)
{
    QPainter painter(m_window);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const qreal scale = m_buffer.devicePixelRatio();
    for (const QRect& rect : region) {
        const QRectF source(rect.x() * scale, rect.y() * scale, rect.width() * scale, rect.height() * scale);
        painter.drawImage(QRectF(rect), m_buffer, source);
    }
    const auto* caret = dynamic_cast<const CQtCaret*>(CCaret::Instance().GetView());
    if (caret == nullptr || !caret->IsShownOn(m_window))
        return;
    const QRect caretRect = CaretArea(caret->GetCaretRect());
    if (caretRect.isEmpty() || !region.intersects(caretRect))
        return;
    // Inverted, so that it shows on any colour, black selections included.
    painter.setClipRegion(region);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(caretRect, Qt::white);
}

BOOL CPaintSurface::TakeErase()
{
    const BOOL erase = m_erasePending;
    m_erasePending = FALSE;
    return erase;
}

void CPaintSurface::Invalidated(const QRect& area, BOOL erase)
{
    m_contentPending += area;
    if (erase)
        m_eraseRequested = TRUE;
}

void CPaintSurface::InvalidateCaret(const CRect& rect)
{
    const QRect area = CaretArea(rect);
    if (area.isEmpty())
        return;
    m_caretOnly += area;
    m_window->update(area);
}
