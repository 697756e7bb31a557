#pragma once
// A back buffer that draws in the target's own coordinates: it covers
// (0, 0) to the rectangle's bottom-right corner and copies only the
// rectangle back, to the same place, when it goes out of scope.

#include "platform/CDC.h"

#include <memory>

class CTKOffscreenDC {
public:
    CTKOffscreenDC(CDC* target, const CRect& rect);
    virtual ~CTKOffscreenDC();
    CTKOffscreenDC(const CTKOffscreenDC&) = delete;
    CTKOffscreenDC& operator=(const CTKOffscreenDC&) = delete;

    // The target itself when no buffer could be made.
    CDC* GetDC() { return m_memory ? m_memory.get() : m_target; }
    CDC* operator->() { return GetDC(); }

private:
    CDC* m_target;
    CRect m_rect;
    std::unique_ptr<CDC> m_memory;
};
