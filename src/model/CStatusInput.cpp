#include "CStatusInput.h"

#include "platform/CArchive.h"

IMPLEMENT_SERIAL(CStatusInput, CObject, 1)

void CStatusInput::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << addressText << symbol << newValueText << encodedAddress << flags << valid << format << newValue << spare
           << newValueValid;
    else
        ar >> addressText >> symbol >> newValueText >> encodedAddress >> flags >> valid >> format >> newValue >> spare
            >> newValueValid;
}
