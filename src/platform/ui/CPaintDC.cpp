#include "CPaintDC.h"

#include "CWnd.h"

#include <QWidget>

CPaintDC::CPaintDC(QWidget* widget) : m_painter(widget)
{
    Attach(&m_painter, widget);
    // A window with a frame paints its client area only, from its corner.
    auto* wnd = dynamic_cast<CWnd*>(widget);
    if (!wnd)
        return;
    CRect client;
    wnd->GetClientRect(&client);
    CPoint origin = wnd->GetClientOrigin();
    if (origin.x == 0 && origin.y == 0 && client.Width() == widget->width() && client.Height() == widget->height())
        return;
    m_painter.translate(origin.x, origin.y);
    IntersectClipRect(client);
}

CPaintDC::~CPaintDC()
{
    m_painter.end();
}
