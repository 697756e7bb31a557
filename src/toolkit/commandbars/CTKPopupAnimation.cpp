#include "toolkit/commandbars/CTKPopupAnimation.h"

#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <algorithm>

CTKPopupAnimation::CTKPopupAnimation(int type, int steps, std::unique_ptr<CDC> image, std::unique_ptr<CDC> below,
                                     CRect rect)
    : m_nType(type), m_nSteps(std::max(steps, 1)), m_image(std::move(image)), m_below(std::move(below)), m_rect(rect)
{
}

UINT CTKPopupAnimation::GetPeriod(const CTKBarRenderer* renderer)
{
    if (!renderer || renderer->m_nAnimationSteps <= 0)
        return 1;
    return static_cast<UINT>(std::max(renderer->m_nAnimationDuration / renderer->m_nAnimationSteps, 1));
}

BOOL CTKPopupAnimation::Step()
{
    if (IsLastStep())
        return FALSE;
    ++m_nStep;
    return TRUE;
}

void CTKPopupAnimation::Draw(CTKBarRenderer* renderer, CDC* target) const
{
    if (!renderer || !target)
        return;
    // A growing or sliding image leaves the rest of the window as it was.
    if (m_nType != kTKAnimateFade && m_below)
        target->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_below.get(), 0, 0, SRCCOPY);
    renderer->DrawPopupFrame(target, m_image.get(), m_below.get(), m_rect, m_nType, m_nStep, m_nSteps);
}
