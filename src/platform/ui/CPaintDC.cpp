#include "CPaintDC.h"

#include "CPaintSurface.h"
#include "CWnd.h"

#include <QWidget>

CPaintDC::CPaintDC(QWidget* widget)
{
    auto* wnd = dynamic_cast<CWnd*>(widget);
    if (wnd == nullptr) {
        m_painter = std::make_unique<QPainter>(widget);
        Attach(m_painter.get(), widget);
        return;
    }
    const MSG* message = wnd->GetCurrentMessage();
    if (message != nullptr && message->message == WM_PAINT && message->wParam != 0) {
        if (auto* given = dynamic_cast<CQtDC*>(reinterpret_cast<CDC*>(message->wParam)))
            Borrow(given);
        return;
    }
    CPaintSurface* surface = wnd->GetPaintSurface();
    if (!surface->IsPainting())
        return;
    // A window with a frame paints its client area only, from its corner.
    CRect client;
    wnd->GetClientRect(&client);
    const CPoint origin = wnd->GetClientOrigin();
    AttachShared(surface->GetShare(), surface->GetBuffer(), origin, client.Size());
    const QRegion paint =
        surface->GetPaintRegion().translated(-origin.x, -origin.y) & QRect(0, 0, client.Width(), client.Height());
    CRgn region;
    for (const QRect& rect : paint)
        region.AddRect(CRect(rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1));
    SelectClipRgn(&region);
    if (surface->TakeErase())
        wnd->SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(static_cast<CDC*>(this)));
}

CPaintDC::~CPaintDC()
{
    if (m_painter)
        m_painter->end();
}
