#include "CForceEntry.h"

CForceEntry::CForceEntry(const std::string& addressText, WORD encoded, OperandTypeFlags typeFlags, DWORD forcedValue)
    : address(addressText), encodedAddress(encoded), flags(typeFlags), value(forcedValue)
{
}
