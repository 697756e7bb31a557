#include "CCaret.h"

CCaret& CCaret::Instance()
{
    static CCaret caret;
    return caret;
}

BOOL CCaret::Owns(const void* owner) const
{
    return m_owner != nullptr && (owner == nullptr || owner == m_owner);
}

void CCaret::Notify()
{
    if (m_view != nullptr)
        m_view->CaretChanged(m_owner, CRect(m_pos, m_size), IsVisible());
}

BOOL CCaret::Create(const void* owner, int width, int height)
{
    if (owner == nullptr)
        return FALSE;
    if (m_owner != nullptr && m_owner != owner)
        Destroy();
    m_owner = owner;
    m_size = CSize(width > 0 ? width : 1, height > 0 ? height : 1);
    m_hideCount = 1;
    Notify();
    return TRUE;
}

BOOL CCaret::Destroy()
{
    if (m_owner == nullptr)
        return FALSE;
    m_owner = nullptr;
    m_hideCount = 0;
    Notify();
    return TRUE;
}

BOOL CCaret::SetPos(int x, int y)
{
    if (m_owner == nullptr)
        return FALSE;
    m_pos = CPoint(x, y);
    Notify();
    return TRUE;
}

BOOL CCaret::Show(const void* owner)
{
    if (!Owns(owner))
        return FALSE;
    if (m_hideCount > 0)
        --m_hideCount;
    Notify();
    return TRUE;
}

BOOL CCaret::Hide(const void* owner)
{
    if (!Owns(owner))
        return FALSE;
    ++m_hideCount;
    Notify();
    return TRUE;
}
