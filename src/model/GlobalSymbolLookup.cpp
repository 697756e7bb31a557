// Global symbol lookup of the application data.

#include "CZULAppData.h"
#include "CZULSymbol.h"
#include "DirectAddress.h"
#include "platform/ByteString.h"

BOOL CZULAppData::FindGlobalSymbol(const std::string& text, CZULSymbol*& symbol) const
{
    const std::string key = ByteString::Upper(ByteString::Trim(text));
    if (key.empty())
        return FALSE;
    OperandTypeFlags flags = 0;
    if (ParseDirectAddress(key, flags)) {
        const std::string address = key[0] == '%' ? key : "%" + key;
        for (CZULSymbol* candidate : Project.OrderedSymbols) {
            if (!candidate)
                continue;
            const std::string stored = ByteString::Upper(ByteString::Trim(candidate->address));
            if (stored == address || "%" + stored == address) {
                symbol = candidate;
                return TRUE;
            }
        }
        return FALSE;
    }
    const auto found = Project.SymbolsUpper.find(key);
    if (found == Project.SymbolsUpper.end() || !found->second)
        return FALSE;
    symbol = found->second;
    return TRUE;
}
