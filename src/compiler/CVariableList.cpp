#include "CVariableList.h"

namespace {

CVariableEntry* Lookup(const std::unordered_map<std::string, CVariableEntry*>& index, const std::string& key)
{
    const auto found = index.find(key);
    return found == index.end() ? nullptr : found->second;
}

} // namespace

CVariableEntry* CVariableList::Append(std::unique_ptr<CVariableEntry> entry)
{
    CVariableEntry* added = m_entries.Append(std::move(entry));
    // An earlier entry keeps its name and address: lookups find the first.
    m_byName.emplace(added->name, added);
    if (added->kind == VARIABLE_KIND_DECLARED && !added->addressText.empty())
        m_byAddress.emplace(added->addressText, added);
    return added;
}

void CVariableList::Clear()
{
    m_byName.clear();
    m_byAddress.clear();
    m_entries.Clear();
}

CVariableEntry* CVariableList::FindByName(const std::string& name) const
{
    return Lookup(m_byName, name);
}

CVariableEntry* CVariableList::FindByAddress(const std::string& addressText) const
{
    if (addressText.empty())
        return nullptr;
    return Lookup(m_byAddress, addressText);
}
