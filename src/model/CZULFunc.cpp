#include "CZULFunc.h"

#include "OperandTypeFlags.h"
#include "ParaListLookup.h"
#include "platform/ByteString.h"
#include "platform/CArchive.h"

IMPLEMENT_SERIAL(CZULFunc, CObject, 1)

CZULFunc& CZULFunc::operator=(const CZULFunc& other)
{
    if (this == &other)
        return *this;
    name = other.name;
    number = other.number;
    inputs.CopyFrom(other.inputs);
    outputs.CopyFrom(other.outputs);
    return *this;
}

void CZULFunc::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << name << static_cast<WORD>(number);
    } else {
        WORD value = 0;
        ar >> name >> value;
        number = value;
    }
    inputs.Serialize(ar);
    outputs.Serialize(ar);
}

int CZULFunc::SetName(const std::string& text)
{
    const std::string trimmed = ByteString::Trim(text);
    if (!trimmed.empty())
        name = trimmed;
    return 0;
}

int CZULFunc::SetNumber(int value)
{
    if ((value & 0xFFFF) == 0)
        return 0;
    number = value;
    return 1;
}

void CZULFunc::AddParam(CZULFBPara* para, DWORD flags)
{
    if (!para)
        return;
    if (flags & OT_INPUT)
        inputs.Add(para);
    else if (flags & OT_OUTPUT)
        outputs.Add(para);
}

int CZULFunc::GetInput(int index, CZULFBPara*& para) const
{
    return GetParaAt(inputs, index, para);
}

int CZULFunc::GetOutput(int index, CZULFBPara*& para) const
{
    return GetParaAt(outputs, index, para);
}

BOOL CZULFunc::FindPin(const std::string& pinName, CZULFBPara*& para) const
{
    return FindParaByPin(inputs, outputs, pinName, para);
}

int CZULFunc::ClearParams()
{
    inputs.RemoveAll();
    outputs.RemoveAll();
    return 1;
}

void CZULFunc::Reset()
{
    name.clear();
    number = 0;
    ClearParams();
}
