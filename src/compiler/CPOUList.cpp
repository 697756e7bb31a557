#include "CPOUList.h"

CPOUEntry* CPOUList::Append(std::unique_ptr<CPOUEntry> entry)
{
    CPOUEntry* added = m_entries.Append(std::move(entry));
    m_byLabel.emplace(added->label, added);
    return added;
}

void CPOUList::Clear()
{
    m_byLabel.clear();
    m_entries.Clear();
}

CPOUEntry* CPOUList::FindByLabel(const std::string& label) const
{
    const auto found = m_byLabel.find(label);
    return found == m_byLabel.end() ? nullptr : found->second;
}
