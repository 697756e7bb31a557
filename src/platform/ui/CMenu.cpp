#include "CMenu.h"

#include "CResourceStore.h"

namespace {

constexpr UINT kNotFound = static_cast<UINT>(-1);

} // namespace

CMenu::CMenu(const CMenu& other) : m_valid(other.m_valid)
{
    for (const Item& item : other.m_items)
        m_items.push_back(CopyItem(item));
}

CMenu& CMenu::operator=(const CMenu& other)
{
    if (this == &other)
        return *this;
    CMenu copy(other);
    *this = std::move(copy);
    return *this;
}

CMenu::Item CMenu::CopyItem(const Item& item)
{
    Item copy;
    copy.flags = item.flags;
    copy.id = item.id;
    copy.text = item.text;
    if (item.submenu)
        copy.submenu = std::make_unique<CMenu>(*item.submenu);
    return copy;
}

BOOL CMenu::LoadMenu(UINT resourceId)
{
    const CMenu* menu = CResourceStore::Instance().FindMenu(resourceId);
    if (!menu)
        return FALSE;
    *this = *menu;
    return TRUE;
}

void CMenu::CreatePopupMenu()
{
    m_items.clear();
    m_valid = TRUE;
}

void CMenu::DestroyMenu()
{
    m_items.clear();
    m_valid = FALSE;
}

BOOL CMenu::AppendMenu(UINT flags, UINT id, const std::string& text)
{
    if (flags & MF_POPUP)
        return FALSE;
    Item item;
    item.flags = flags;
    item.id = (flags & MF_SEPARATOR) ? 0 : id;
    item.text = (flags & MF_SEPARATOR) ? std::string() : text;
    m_items.push_back(std::move(item));
    m_valid = TRUE;
    return TRUE;
}

BOOL CMenu::AppendPopup(UINT flags, const CMenu& submenu, const std::string& text)
{
    Item item;
    item.flags = (flags | MF_POPUP) & ~MF_SEPARATOR;
    item.id = kNotFound;
    item.text = text;
    item.submenu = std::make_unique<CMenu>(submenu);
    item.submenu->m_valid = TRUE;
    m_items.push_back(std::move(item));
    m_valid = TRUE;
    return TRUE;
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags)
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        bool hit = (flags & MF_BYPOSITION) ? i == position : (m_items[i].id == position && !m_items[i].submenu);
        if (hit) {
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
            return TRUE;
        }
    }
    return FALSE;
}

const CMenu::Item* CMenu::FindItem(UINT item, UINT flags) const
{
    if (flags & MF_BYPOSITION)
        return item < m_items.size() ? &m_items[item] : nullptr;
    for (const Item& entry : m_items) {
        if (entry.submenu) {
            if (const Item* inner = entry.submenu->FindItem(item, flags))
                return inner;
            continue;
        }
        if (!(entry.flags & MF_SEPARATOR) && entry.id == item)
            return &entry;
    }
    return nullptr;
}

CMenu::Item* CMenu::FindItem(UINT item, UINT flags)
{
    return const_cast<Item*>(static_cast<const CMenu*>(this)->FindItem(item, flags));
}

UINT CMenu::GetMenuItemID(int position) const
{
    if (position < 0 || static_cast<size_t>(position) >= m_items.size())
        return kNotFound;
    const Item& item = m_items[static_cast<size_t>(position)];
    return item.submenu ? kNotFound : item.id;
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const
{
    const Item* found = FindItem(item, flags);
    return found ? found->flags : kNotFound;
}

std::string CMenu::GetMenuString(UINT item, UINT flags) const
{
    const Item* found = FindItem(item, flags);
    return found ? found->text : std::string();
}

CMenu* CMenu::GetSubMenu(int position) const
{
    if (position < 0 || static_cast<size_t>(position) >= m_items.size())
        return nullptr;
    return m_items[static_cast<size_t>(position)].submenu.get();
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable)
{
    Item* found = FindItem(item, enable & MF_BYPOSITION);
    if (!found)
        return kNotFound;
    UINT old = found->flags & (MF_GRAYED | MF_DISABLED);
    found->flags = (found->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
    return old;
}

UINT CMenu::CheckMenuItem(UINT item, UINT check)
{
    Item* found = FindItem(item, check & MF_BYPOSITION);
    if (!found)
        return kNotFound;
    UINT old = found->flags & MF_CHECKED;
    found->flags = (found->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return old;
}
