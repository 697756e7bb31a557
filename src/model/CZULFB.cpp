#include "CZULFB.h"

#include "ParaListLookup.h"
#include "platform/CArchive.h"

IMPLEMENT_SERIAL(CZULFB, CObject, 1)

CZULFB& CZULFB::operator=(const CZULFB& other)
{
    if (this == &other)
        return *this;
    typeName = other.typeName;
    instanceName = other.instanceName;
    ownerPou = other.ownerPou;
    fourthText = other.fourthText;
    inputs.CopyFrom(other.inputs);
    outputs.CopyFrom(other.outputs);
    return *this;
}

void CZULFB::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << typeName << instanceName << fourthText << ownerPou;
    else
        ar >> typeName >> instanceName >> fourthText >> ownerPou;
    inputs.Serialize(ar);
    outputs.Serialize(ar);
}

int CZULFB::GetInput(int index, CZULFBPara*& para) const
{
    return GetParaAt(inputs, index, para);
}

int CZULFB::GetOutput(int index, CZULFBPara*& para) const
{
    return GetParaAt(outputs, index, para);
}

BOOL CZULFB::FindPin(const std::string& pinName, CZULFBPara*& para) const
{
    return FindParaByPin(inputs, outputs, pinName, para);
}

void CZULFB::Reset()
{
    typeName.clear();
    instanceName.clear();
    ownerPou.clear();
    fourthText.clear();
    inputs.RemoveAll();
    outputs.RemoveAll();
}
