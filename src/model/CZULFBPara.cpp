#include "CZULFBPara.h"

#include "platform/ByteString.h"
#include "platform/CArchive.h"

IMPLEMENT_SERIAL(CZULFBPara, CObject, 1)

CZULFBPara::CZULFBPara(const CZULFBPara& other)
    : CObject(), name(other.name), flags(other.flags), typeText(other.typeText), comment(other.comment)
{
}

CZULFBPara& CZULFBPara::operator=(const CZULFBPara& other)
{
    if (this == &other)
        return *this;
    name = other.name;
    typeText = other.typeText;
    comment = other.comment;
    flags = other.flags;
    return *this;
}

void CZULFBPara::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << name << typeText << flags << comment;
    else
        ar >> name >> typeText >> flags >> comment;
}

int CZULFBPara::SetNameAndFlags(const std::string& paramName, DWORD paramFlags)
{
    const std::string trimmed = ByteString::Trim(paramName);
    if (trimmed.empty())
        return 0;
    name = trimmed;
    flags = paramFlags;
    return 1;
}
