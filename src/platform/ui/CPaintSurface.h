#pragma once
// What a window paints on: one back buffer at the window's size and device
// pixel ratio, kept from paint to paint, and the paint in progress. A paint
// event opens one painter on the buffer; every device context opened for
// the window during the event (the window's own CPaintDC, a hook's, a
// CMemDC over them) shares it and starts clipped to the paint region. The
// frame of a window with a non-client area is painted first (WM_NCPAINT),
// into the same buffer. When the window has painted, the paint region of
// the buffer is shown and the caret is inverted over it. A paint that only
// the caret's blink asked for shows the buffer again without calling
// OnPaint. The window's invalidations not painted yet are kept here too
// (UpdateWindow paints them at once).

#include "CQtDC.h"

#include <QImage>
#include <QRegion>

class CWnd;
class QPaintEvent;

class CPaintSurface {
public:
    explicit CPaintSurface(CWnd* window);
    ~CPaintSurface();
    CPaintSurface(const CPaintSurface&) = delete;
    CPaintSurface& operator=(const CPaintSurface&) = delete;

    // Runs one paint event of the window.
    void Paint(const QPaintEvent* event);

    // While a paint event runs: the shared painter, the buffer it draws on
    // and the region to paint (widget coordinates, the frame included).
    BOOL IsPainting() const { return m_share.painter != nullptr; }
    CQtDC::PainterShare* GetShare() { return &m_share; }
    QImage* GetBuffer() { return &m_buffer; }
    const QRegion& GetPaintRegion() const { return m_region; }
    // TRUE once per paint while the background still needs erasing.
    BOOL TakeErase();

    // The window was invalidated over area (widget coordinates; may be empty).
    void Invalidated(const QRect& area, BOOL erase);
    // Invalidated and not painted since (widget coordinates).
    const QRegion& GetPendingRegion() const { return m_contentPending; }
    // The caret's pixels over rect (client coordinates) changed: show them
    // again without painting.
    void InvalidateCaret(const CRect& rect);

    // Paint events served from the buffer alone, without OnPaint.
    int GetBufferShowCount() const { return m_bufferShows; }

private:
    BOOL EnsureBuffer();
    void PaintFrame(const QRegion& region);
    void Show(const QRegion& region);
    // The caret's rectangle on the widget, within the client area.
    QRect CaretArea(const CRect& rect) const;

    CWnd* m_window;
    QImage m_buffer;
    CQtDC::PainterShare m_share;
    CQtFontCache m_fonts;   // the fonts of the window's paints, kept from paint to paint
    QRegion m_region;
    QRegion m_caretOnly;        // asked for by the caret alone
    QRegion m_contentPending;   // invalidated by the window since it last painted there
    BOOL m_erasePending = FALSE;
    BOOL m_eraseRequested = TRUE;
    int m_bufferShows = 0;
};
