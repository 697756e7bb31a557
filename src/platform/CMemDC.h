#pragma once
// Flicker-free painting: a memory device context over a rectangle of a
// target, filled with a background colour, copied to the target when it goes
// out of scope. Drawing at (x, y) lands at (left + x, top + y) on the target.
//
// A target that paints into a back buffer of its own (a window's paint)
// lends that buffer: the memory device context then draws straight into it
// within the paint region, nothing is allocated and nothing is copied here;
// the window shows the paint region of its buffer when the paint ends.

#include "CDC.h"

#include <memory>

class CMemDC {
public:
    // An empty or missing rectangle takes the target's clipping box.
    CMemDC(CDC* target, const CRect* rect, COLORREF background);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // FALSE for an empty area (and a target without a clip box); drawing
    // then goes straight to the target.
    BOOL IsValid() const { return m_memory != nullptr; }
    CDC* GetDC() { return m_memory ? m_memory.get() : m_target; }
    CDC* operator->() { return GetDC(); }
    const CRect& GetRect() const { return m_rect; }
    // TRUE when drawing goes into the target's own back buffer.
    BOOL IsInTargetBuffer() const { return m_inTargetBuffer; }

private:
    CDC* m_target;
    CRect m_rect;
    std::unique_ptr<CDC> m_memory;
    BOOL m_inTargetBuffer = FALSE;
};
