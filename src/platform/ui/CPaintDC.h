#pragma once
// The device context of a window's WM_PAINT. For a window (CWnd) it draws
// with the one painter of the paint event on the window's back buffer (see
// CPaintSurface), its origin at the client area's corner and starting
// clipped to the paint region within the client area, so that nested
// device contexts (a hook's and the window's own) never fight over the
// window; the first one of a paint erases the background (WM_ERASEBKGND).
// A WM_PAINT whose wParam carries a device context paints into that one.
// Outside a paint event it draws nothing. Any other widget gets a painter
// of its own for as long as the object lives.

#include "CQtDC.h"

#include <QPainter>

#include <memory>

class QWidget;

class CPaintDC : public CQtDC {
public:
    explicit CPaintDC(QWidget* widget);
    ~CPaintDC() override;

private:
    std::unique_ptr<QPainter> m_painter;
};
