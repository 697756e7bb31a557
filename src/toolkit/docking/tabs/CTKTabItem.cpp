#include "toolkit/docking/tabs/CTKTabItem.h"

#include "toolkit/docking/tabs/CTKTabSet.h"

void CTKTabItem::SetCaption(const std::string& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    if (m_owner)
        m_owner->OnLayoutChanged();
}

std::string CTKTabItem::GetCaption() const
{
    return m_owner ? m_owner->GetTabCaption(this) : m_caption;
}

void CTKTabItem::SetColor(COLORREF color)
{
    m_color = color;
    if (m_owner)
        m_owner->Redraw();
}

COLORREF CTKTabItem::GetColor() const
{
    return m_owner ? m_owner->GetTabColor(this) : m_color;
}

void CTKTabItem::Remove()
{
    if (m_owner)
        m_owner->RemoveTabAt(m_index);
}
