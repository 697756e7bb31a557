#include "CLDBlockParamCheck.h"

#include "model/CZULAppData.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/InstructionCatalog.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

namespace {
const char* const UNSET_OPERAND = "????";
// The interrupt-number input of the attach function names an interrupt routine.
const char* const ATTACH_FUNCTION = "ATCH";
const char* const ATTACH_INTERRUPT_PIN = "INT";
const char* const CAPTION_NOTE = "Note";
const char* const MSG_BAD_INSTANCE =
    "This is not a legal FB instance name, or A duplicate FB instance already existed.";
// Instruction groups whose FB outputs may stay empty.
constexpr int GROUP_COUNTERS = 10;
constexpr int GROUP_TIMERS = 12;

BOOL SharesTypeAnd(OperandTypeFlags flags, DWORD mask, OperandTypeFlags classBits)
{
    return (flags & mask & OT_TYPE_BITS) && (flags & mask & classBits);
}

CZULFBPara* FindIn(const CZULFBParaArray& list, const std::string& name)
{
    for (int i = 0; i < list.GetSize(); ++i) {
        CZULFBPara* para = list.GetAt(i);
        if (para && para->name == name)
            return para;
    }
    return nullptr;
}
} // namespace

CLDBlockParamCheck::CLDBlockParamCheck(CZULAppData& app, LDLocalLookup locals) : m_app(app), m_locals(std::move(locals))
{
}

BOOL CLDBlockParamCheck::CheckActualParameter(DWORD flags, const std::string& text, CZULFBPara& parameter) const
{
    if (!m_locals)
        return FALSE;
    OperandTypeFlags found = 0;
    if (m_locals(text, found)) {
        if (!SharesTypeAnd(found, flags, OT_VAR))
            return FALSE;
        parameter.typeText = text;
        return TRUE;
    }
    CZULSymbol* symbol = nullptr;
    if (m_app.FindGlobalSymbol(text, symbol)) {
        OperandTypeFlags addressFlags = 0;
        ParseDirectAddress(symbol->address, addressFlags);
        if (!SharesTypeAnd(addressFlags | symbol->typeFlags, flags, OT_AREA_BITS))
            return FALSE;
        parameter.typeText = symbol->address;
        return TRUE;
    }
    if (ParseDirectAddress(text, found)) {
        if (!SharesTypeAnd(found, flags, OT_AREA_BITS))
            return FALSE;
        parameter.typeText = ByteString::Upper(text);
        return TRUE;
    }
    if (!(flags & OT_CONSTANT) || !ClassifyConstant(text, found) || !(found & flags & OT_TYPE_BITS))
        return FALSE;
    parameter.typeText = text;
    return TRUE;
}

CZULFBPara* CLDBlockParamCheck::FindParameter(CZULFunc* function, CZULFB* block, BOOL input,
                                              const std::string& name) const
{
    if (function)
        return FindIn(input ? function->inputs : function->outputs, name);
    if (block)
        return FindIn(input ? block->inputs : block->outputs, name);
    return nullptr;
}

BOOL CLDBlockParamCheck::ApplyEntry(CZULFunc* function, CZULFB* block, BOOL input, const std::string& name,
                                    const std::string& text) const
{
    CZULFBPara* parameter = FindParameter(function, block, input, name);
    if (!parameter)
        return FALSE;
    if (function) {
        if (function->name == ATTACH_FUNCTION && name == ATTACH_INTERRUPT_PIN) {
            std::string alias;
            if (!m_app.Project.POUs.ConvertInterruptName(text, alias, TRUE))
                return FALSE;
            parameter->typeText = text;
            return TRUE;
        }
        return CheckActualParameter(m_app.GetFunctionPinFlags(name, function->name), text, *parameter);
    }
    const int group = GetBoxInstructionGroup(block->typeName);
    if (!input && ByteString::Trim(text).empty() && (group == GROUP_COUNTERS || group == GROUP_TIMERS)) {
        parameter->typeText.clear();
        return TRUE;
    }
    return CheckActualParameter(m_app.GetFBPinFlags(name, block->typeName), text, *parameter);
}

BOOL CLDBlockParamCheck::ApplyInstanceName(CZULFB& block, const std::string& text, const std::string& pouName) const
{
    const std::string instance = ByteString::Upper(ByteString::Trim(text));
    if (instance.empty() || instance == UNSET_OPERAND)
        return TRUE;
    const std::string& current = block.instanceName;
    CFBInstanceTable& table = m_app.Project.FBTable;
    const BOOL done = (current != UNSET_OPERAND && !current.empty())
                          ? table.RenameFBInstance(current, instance)
                          : table.AddFBInstance(instance, block.typeName, pouName, FB_LIST_TABLE);
    if (!done) {
        ShowMessage(CAPTION_NOTE, MSG_BAD_INSTANCE, MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    block.instanceName = instance;
    return TRUE;
}
