#include "CZULSymbol.h"

#include "platform/CArchive.h"

IMPLEMENT_SERIAL(CZULSymbol, CObject, 1)

void CZULSymbol::Serialize(CArchive& ar)
{
    if (ar.IsLoading()) {
        ar >> name >> address >> dataType >> comment >> typeFlags;
        return;
    }
    address = StoredAddress();
    ar << name << address << dataType << comment << typeFlags;
}

std::string CZULSymbol::StoredAddress() const
{
    if (!address.empty() && address[0] == '%')
        return address;
    return "%" + address;
}
