#include "CZULSymbol.h"

#include "platform/CArchive.h"

IMPLEMENT_SERIAL(CZULSymbol, CObject, 1)

void CZULSymbol::Serialize(CArchive& ar)
{
    if (ar.IsLoading()) {
        ar >> name >> address >> dataType >> comment >> typeFlags;
        return;
    }
    if (address.empty() || address[0] != '%')
        address = "%" + address;
    ar << name << address << dataType << comment << typeFlags;
}
