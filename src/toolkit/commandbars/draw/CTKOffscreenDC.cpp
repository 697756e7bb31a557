#include "toolkit/commandbars/draw/CTKOffscreenDC.h"

CTKOffscreenDC::CTKOffscreenDC(CDC* target, const CRect& rect) : m_target(target), m_rect(rect)
{
    if (target == nullptr || rect.right <= 0 || rect.bottom <= 0)
        return;
    m_memory = target->CreateCompatibleDC(rect.right, rect.bottom);
}

CTKOffscreenDC::~CTKOffscreenDC()
{
    if (!m_memory)
        return;
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_memory.get(), m_rect.left,
                     m_rect.top, SRCCOPY);
}
