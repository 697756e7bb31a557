#include "CZULStatus.h"

#include "platform/CArchive.h"

IMPLEMENT_SERIAL(CZULStatus, CObject, 1)

void CZULStatus::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << operand << address;
    else
        ar >> operand >> address;
}
