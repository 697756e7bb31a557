#pragma once
// The halftone frame shown over the desktop while a bar, pane or splitter is
// dragged. The window system offers no drawing on the desktop, so the frame
// is thin opaque strip windows (top, bottom, left, right; or one per
// rectangle of an outline region), always on top, taking neither focus nor
// mouse, painted with the 50 % checkerboard fixed to the screen. Rectangles
// are in screen coordinates.

#include "platform/WinTypes.h"

#include <QImage>
#include <QWidget>

#include <memory>
#include <vector>

class CDragOutline {
public:
    CDragOutline();
    ~CDragOutline();
    CDragOutline(const CDragOutline&) = delete;
    CDragOutline& operator=(const CDragOutline&) = delete;

    // Shows the frame of thickness size inside rect in place of the last one;
    // a zero size hides it (the last rectangle is what the caller drew before).
    void DrawDragRect(const CRect& rect, CSize size, const CRect* lastRect, CSize lastSize);
    // Shows an outline made of the given rectangles in place of the last one
    // (a tab-shaped outline); none hides it.
    void DrawRegion(const std::vector<CRect>& rects);
    void Hide();

    BOOL IsShown() const;
    CRect GetRect() const { return m_rect; }
    CSize GetThickness() const { return m_size; }
    // The frame as its strips paint it, frame-local (transparent outside the frame).
    QImage Render() const;
    // The strip windows that are shown.
    std::vector<QWidget*> Strips() const;

private:
    class CStrip;
    static constexpr int kStripCount = 4;

    // Shows strip i at r, creating strips as needed; an empty r hides it.
    void PlaceStrip(std::size_t i, const QRect& r);
    void HideFrom(std::size_t first);

    std::vector<std::unique_ptr<CStrip>> m_strips;
    CRect m_rect;
    CSize m_size;
};
