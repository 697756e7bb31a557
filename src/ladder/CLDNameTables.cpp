#include "CLDNameTables.h"

#include "ILDForceQuery.h"

#include <algorithm>

BOOL CLDNameTables::RemoveLabel(const std::string& name)
{
    const auto found = std::find(LDLabelList.begin(), LDLabelList.end(), name);
    if (found == LDLabelList.end())
        return FALSE;
    LDLabelList.erase(found);
    return TRUE;
}

BOOL CLDNameTables::FindLocalSymbol(const std::string& address, std::string& symbol) const
{
    const auto found = LocalAddressToSymbol.find(address);
    if (found == LocalAddressToSymbol.end())
        return FALSE;
    symbol = found->second;
    return TRUE;
}

BOOL CLDNameTables::FindLocalAddress(const std::string& symbol, std::string& address) const
{
    const auto found = LocalSymbolToAddress.find(symbol);
    if (found == LocalSymbolToAddress.end())
        return FALSE;
    address = found->second;
    return TRUE;
}

void CLDNameTables::AddLabel(const std::string& name)
{
    if (std::find(LDLabelList.begin(), LDLabelList.end(), name) == LDLabelList.end())
        LDLabelList.push_back(name);
}

BOOL CLDNameTables::IsForced(const std::string& key) const
{
    return ForceQuery && ForceQuery->IsForced(key);
}
