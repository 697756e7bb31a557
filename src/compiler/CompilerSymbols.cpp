#include "CompilerSymbols.h"

#include "CCompileState.h"

#include "model/MonitorItems.h"
#include "platform/ByteString.h"

namespace {

BOOL IsMemberOfKind(const std::string& qualifiedName, int kind)
{
    const int dot = ByteString::Find(qualifiedName, '.');
    if (dot < 0)
        return FALSE;
    const CPOUEntry* entry = GetPOU(qualifiedName.substr(0, size_t(dot)));
    return entry && entry->kind == kind;
}

// A parameter of the subroutine with this label in the given section.
bool IsParameterOf(const CVariableEntry* entry, const std::string& label, int sectionNumber)
{
    return entry->sectionNumber == sectionNumber && IsSubroutineMember(entry->name) &&
           GetOwnerLabel(entry->name) == label;
}

CVariableEntry* NextParam(const std::string& label, CVariableEntry* from, int sectionNumber)
{
    for (CVariableEntry* entry = from; entry; entry = entry->next) {
        if (IsParameterOf(entry, label, sectionNumber))
            return entry;
    }
    return nullptr;
}

CVariableEntry* FirstParam(const std::string& label, int sectionNumber)
{
    if (!FindPOU(label))
        return nullptr;
    return NextParam(label, g_CompileState.VariableList.Head(), sectionNumber);
}

} // namespace

void AddPOU(const std::string& label, const std::string& name, int number, int kind)
{
    auto entry = std::make_unique<CPOUEntry>();
    entry->label = ByteString::Upper(label);
    entry->name = name;
    entry->kind = kind;
    if (kind == POU_KIND_SUBROUTINE)
        entry->subroutineNumber = number;
    if (kind == POU_KIND_INTERRUPT)
        entry->interruptNumber = number;
    g_CompileState.POUList.Append(std::move(entry));
}

BOOL FindPOU(const std::string& label)
{
    return GetPOU(label) != nullptr;
}

CPOUEntry* GetPOU(const std::string& label)
{
    return g_CompileState.POUList.FindByLabel(label);
}

CPOUEntry* FirstPOU()
{
    return g_CompileState.POUList.Head();
}

BOOL IsSubroutineLabel(const std::string& label)
{
    const CPOUEntry* entry = GetPOU(label);
    return entry && entry->kind == POU_KIND_SUBROUTINE;
}

BOOL IsInterruptLabel(const std::string& label)
{
    const CPOUEntry* entry = GetPOU(label);
    return entry && entry->kind == POU_KIND_INTERRUPT;
}

std::string FindPOUNameByName(const std::string& text)
{
    const std::string upper = ByteString::Upper(text);
    for (const CPOUEntry* entry = g_CompileState.POUList.Head(); entry; entry = entry->next) {
        if (ByteString::Upper(entry->name) == upper)
            return entry->name;
    }
    return text;
}

void AddLabel(const std::string& label)
{
    auto entry = std::make_unique<CPOUEntry>();
    entry->name = label;
    entry->label = ByteString::Upper(label);
    g_CompileState.LabelList.Append(std::move(entry));
}

BOOL FindLabel(const std::string& text)
{
    return GetLabel(text) != nullptr;
}

CPOUEntry* GetLabel(const std::string& text)
{
    return g_CompileState.LabelList.FindByLabel(text);
}

void ClearPOULists()
{
    g_CompileState.POUList.Clear();
    g_CompileState.LabelList.Clear();
}

std::string SplitLabel(const std::string& fileName, std::string& label)
{
    const int underscore = ByteString::Find(fileName, '_');
    label = underscore < 0 ? std::string() : fileName.substr(0, size_t(underscore));
    return label;
}

std::string GetOwnerLabel(const std::string& qualifiedName)
{
    const int dot = ByteString::Find(qualifiedName, '.');
    return dot < 0 ? std::string() : qualifiedName.substr(0, size_t(dot));
}

BOOL QualifyName(const std::string& owner, std::string& name)
{
    if (owner.empty() || name.empty())
        return FALSE;
    name = owner + "." + name;
    return TRUE;
}

BOOL IsSubroutineMember(const std::string& qualifiedName)
{
    return IsMemberOfKind(qualifiedName, POU_KIND_SUBROUTINE);
}

BOOL IsInterruptMember(const std::string& qualifiedName)
{
    return IsMemberOfKind(qualifiedName, POU_KIND_INTERRUPT);
}

void AddVariable(const std::string& name, OperandTypeFlags typeFlags, const std::string& addressText,
                 const CMemAreaDef& areaRow, EncodedPlcAddress encodedAddress, const CConstantValue& initialValue,
                 BYTE hasInitialValue, BYTE globalFlag, int sectionNumber)
{
    auto entry = std::make_unique<CVariableEntry>();
    entry->kind = VARIABLE_KIND_DECLARED;
    entry->name = name;
    entry->typeFlags = typeFlags;
    entry->addressText = addressText;
    entry->areaRow = areaRow;
    entry->encodedAddress = encodedAddress;
    entry->initialValue = initialValue;
    entry->hasInitialValue = hasInitialValue;
    entry->globalFlag = globalFlag;
    entry->sectionNumber = sectionNumber;
    g_CompileState.VariableList.Append(std::move(entry));
}

void AddFBInstanceEntry(const std::string& instance, const std::string& fbType)
{
    AddMonitorAddress(instance);
    auto entry = std::make_unique<CVariableEntry>();
    entry->kind = VARIABLE_KIND_FB_INSTANCE;
    entry->name = instance;
    entry->fbType = fbType;
    g_CompileState.VariableList.Append(std::move(entry));
}

BOOL FindVariable(const std::string& name)
{
    return GetVariable(name) != nullptr;
}

CVariableEntry* GetVariable(const std::string& name)
{
    return g_CompileState.VariableList.FindByName(name);
}

CVariableEntry* GetVariableByAddress(const std::string& addressText)
{
    return g_CompileState.VariableList.FindByAddress(addressText);
}

BOOL CountParameters(const std::string& label, int& inputs, int& outputs, int& inOuts)
{
    if (!FindPOU(label))
        return FALSE;
    inputs = 0;
    outputs = 0;
    inOuts = 0;
    for (const CVariableEntry* entry = g_CompileState.VariableList.Head(); entry; entry = entry->next) {
        if (IsParameterOf(entry, label, SECTION_NUMBER_INPUT))
            ++inputs;
        else if (IsParameterOf(entry, label, SECTION_NUMBER_OUTPUT))
            ++outputs;
        else if (IsParameterOf(entry, label, SECTION_NUMBER_IN_OUT))
            ++inOuts;
    }
    return TRUE;
}

CVariableEntry* FirstInputParam(const std::string& label)
{
    return FirstParam(label, SECTION_NUMBER_INPUT);
}

CVariableEntry* FirstOutputParam(const std::string& label)
{
    return FirstParam(label, SECTION_NUMBER_OUTPUT);
}

CVariableEntry* FirstInOutParam(const std::string& label)
{
    return FirstParam(label, SECTION_NUMBER_IN_OUT);
}

CVariableEntry* NextInputParam(const std::string& label, CVariableEntry* from)
{
    return NextParam(label, from, SECTION_NUMBER_INPUT);
}

CVariableEntry* NextOutputParam(const std::string& label, CVariableEntry* from)
{
    return NextParam(label, from, SECTION_NUMBER_OUTPUT);
}

CVariableEntry* NextInOutParam(const std::string& label, CVariableEntry* from)
{
    return NextParam(label, from, SECTION_NUMBER_IN_OUT);
}

void ClearVariableList()
{
    g_CompileState.VariableList.Clear();
}
