#include "CMemDC.h"

CMemDC::CMemDC(CDC* target, const CRect* rect, COLORREF background) : m_target(target)
{
    if (target == nullptr)
        return;
    if (rect != nullptr && !rect->IsRectEmpty())
        m_rect = *rect;
    else
        target->GetClipBox(&m_rect);
    if (m_rect.IsRectEmpty())
        return;
    m_memory = target->CreateBufferDC(m_rect);
    m_inTargetBuffer = m_memory != nullptr;
    if (!m_memory)
        m_memory = target->CreateCompatibleDC(m_rect.Width(), m_rect.Height());
    if (!m_memory)
        return;
    m_memory->SetMapMode(target->GetMapMode());
    m_memory->FillSolidRect(CRect(0, 0, m_rect.Width(), m_rect.Height()), background);
}

CMemDC::~CMemDC()
{
    if (!m_memory || m_inTargetBuffer)
        return;
    m_target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_memory.get(), 0, 0, SRCCOPY);
}
