#include "CCPCellCtrl.h"

CCPCellCtrl::CCPCellCtrl(int kind, DWORD style, UINT id)
    : m_kind(kind)
    , m_style(style)
    , m_id(id)
{
}

int CCPCellCtrl::AddString(const std::string& item)
{
    m_items.push_back(item);
    return int(m_items.size()) - 1;
}
