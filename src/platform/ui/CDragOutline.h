#pragma once
// The halftone frame shown over the desktop while a bar, pane or splitter is
// dragged. The window system offers no drawing on the desktop, so the frame
// is a frameless always-on-top window shaped to the frame's pixels and
// painted with the 50 % checkerboard. Rectangles are in screen coordinates.

#include "platform/WinTypes.h"

#include <QImage>
#include <QWidget>

class CDragOutline {
public:
    CDragOutline();
    ~CDragOutline();
    CDragOutline(const CDragOutline&) = delete;
    CDragOutline& operator=(const CDragOutline&) = delete;

    // Shows the frame of thickness size inside rect in place of the last one;
    // a zero size hides it (the last rectangle is what the caller drew before).
    void DrawDragRect(const CRect& rect, CSize size, const CRect* lastRect, CSize lastSize);
    void Hide();

    BOOL IsShown() const;
    CRect GetRect() const { return m_rect; }
    CSize GetThickness() const { return m_size; }
    // The overlay as it paints itself, frame-local (transparent outside the frame).
    QImage Render() const;
    QWidget* Widget() const;

private:
    class COverlay;

    COverlay* m_window;
    CRect m_rect;
    CSize m_size;
};
