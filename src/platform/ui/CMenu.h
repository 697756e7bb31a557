#pragma once
// A menu as data: items with their text (GBK), command id and state flags,
// and popup items with their submenu. Menu resources load into it; the
// command bars turn it into their popup bars.

#include "platform/ui/WinMessages.h"

#include <memory>
#include <string>
#include <vector>

constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_MENUBARBREAK = 0x0020;
constexpr UINT MF_MENUBREAK = 0x0040;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_HELP = 0x4000;

class CMenu {
public:
    CMenu() = default;
    CMenu(const CMenu& other);
    CMenu& operator=(const CMenu& other);
    CMenu(CMenu&&) = default;
    CMenu& operator=(CMenu&&) = default;

    // Replaces the items with those of menu resource id; FALSE when there is none.
    BOOL LoadMenu(UINT resourceId);
    // An empty menu that is not loaded counts as no menu.
    BOOL IsMenu() const { return m_valid; }
    void CreatePopupMenu();
    void DestroyMenu();

    // Flags MF_STRING (with id and text), MF_SEPARATOR, or MF_POPUP (with the submenu).
    BOOL AppendMenu(UINT flags, UINT id = 0, const std::string& text = {});
    BOOL AppendPopup(UINT flags, const CMenu& submenu, const std::string& text);
    BOOL DeleteMenu(UINT position, UINT flags);

    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    // The id at a position: 0 for a separator, -1 (as UINT) for a popup or a bad position.
    UINT GetMenuItemID(int position) const;
    // The flags of an item by command or position; -1 (as UINT) when not found.
    UINT GetMenuState(UINT item, UINT flags) const;
    std::string GetMenuString(UINT item, UINT flags) const;
    CMenu* GetSubMenu(int position) const;
    // Previous state, or -1 (as UINT) when not found.
    UINT EnableMenuItem(UINT item, UINT enable);
    UINT CheckMenuItem(UINT item, UINT check);

private:
    struct Item {
        UINT flags = 0;
        UINT id = 0;
        std::string text;
        std::unique_ptr<CMenu> submenu;
    };
    Item* FindItem(UINT item, UINT flags);
    const Item* FindItem(UINT item, UINT flags) const;
    static Item CopyItem(const Item& item);

    std::vector<Item> m_items;
    BOOL m_valid = FALSE;
};
