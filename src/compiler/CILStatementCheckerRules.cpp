// The rules of single instructions: subroutine calls and interrupt
// attachments per POU, numbers of counters, outputs, events and ports on the
// current CPU, timer and counter instances called once, the Modbus master
// and motion instructions, immediate I/O on the CPU body, the MOVE of a
// constant to %SMW32, and the cross references of the operands.
#include "CCompileMessage.h"
#include "CCompileState.h"
#include "CILStatementChecker.h"
#include "CompilerSymbols.h"
#include "model/CXrefStore.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/DirectAddress.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"

#include <cstdlib>

namespace {

const char kInvalidParameter[] = " - Invalid actual parameter";
// "编译指针指令时出错(内部错误)" in code page 936.
const char kPointerSlotError[] =
    "\xb1\xe0\xd2\xeb\xd6\xb8\xd5\xeb\xd6\xb8\xc1\xee\xca\xb1\xb3\xf6\xb4\xed\x28\xc4\xda\xb2\xbf\xb4\xed\xce\xf3\x29";

constexpr int MAX_CALLED_INSTANCES = CALLED_INSTANCE_CAPACITY - 1;

bool IsOneOf(const std::string& text, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (text == name)
            return true;
    }
    return false;
}

// A digit string of at most maxLength characters whose value is at most maxValue.
bool IsNumberUpTo(const CILToken* token, int maxValue, size_t maxLength)
{
    if (!token)
        return false;
    const std::string text = token->GetText(false);
    if (!IsDigitString(text) || text.size() > maxLength)
        return false;
    return std::atoll(text.c_str()) <= maxValue;
}

bool IsEventNumber(const CILToken* token)
{
    if (!IsNumberUpTo(token, MaxEventNumber, std::string::npos))
        return false;
    const DWORD family = GetCPUFamilyMask();
    if (family != CPU_FAMILY_VB12 && family != CPU_FAMILY_VA10)
        return true;
    const long long event = std::atoll(token->GetText(false).c_str());
    return event < 5 || event > 12;
}

bool IsPort1ModbusMaster()
{
    return g_pAppData && g_pAppData->Project.GetModbusInt(1, MODBUS_SWITCH_OFFSET) != -1;
}

std::string UpperOf(const CILToken* token)
{
    return token ? token->GetText(false) : std::string();
}

int AccessOf(OperandTypeFlags rowMask)
{
    const bool input = (rowMask & OT_INPUT) != 0;
    const bool output = (rowMask & OT_OUTPUT) != 0;
    if (input && output)
        return int(OT_READABLE | OT_WRITABLE);
    if (input)
        return int(OT_READABLE);
    if (output)
        return int(OT_WRITABLE);
    return 0;
}

XrefPosition CompilerPosition()
{
    XrefPosition position;
    position.kind = g_CompileState.LadderSourceFlag == LADDER_SOURCE ? XREF_POSITION_LADDER_NETWORK
                                                                     : XREF_POSITION_IL_ROW;
    position.number = position.kind == XREF_POSITION_LADDER_NETWORK ? g_CompileState.CurrentNetwork
                                                                    : g_CompileState.CurrentRow;
    position.pou = g_CompileState.CurrentPOULabel;
    return position;
}

} // namespace

void InstallCompilerXrefPosition()
{
    static bool installed = false;
    if (installed)
        return;
    SetXrefPositionSource(CompilerPosition);
    installed = true;
}

BOOL IsCPUBodyChannel(const std::string& address, char area, DWORD familyBit)
{
    std::string text = address;
    if (text.empty() || text[0] != '%')
        text = "%" + text;
    if (text.size() < 3 || text[1] != area)
        return FALSE;
    const std::string number = text.substr(2);
    const size_t dot = number.find('.');
    if (dot == std::string::npos || !IsDigitString(number.substr(0, dot)) || !IsDigitString(number.substr(dot + 1)))
        return FALSE;
    const long long byte = std::atoll(number.substr(0, dot).c_str());
    const long long bit = std::atoll(number.substr(dot + 1).c_str());
    const bool input = area == 'I';
    switch (familyBit) {
    case CPU_FAMILY_VB14:
    case CPU_FAMILY_VB14EX:
    case CPU_FAMILY_VC14:
        if (byte > 1)
            return FALSE;
        return byte == 0 || bit <= (input ? 5 : 1);
    case CPU_FAMILY_VB16:
    case CPU_FAMILY_VC16:
        return byte <= (input ? 2 : 1);
    default:
        return byte == 0 && (input || bit <= 5);
    }
}

BOOL CILStatementChecker::FailOperand(CILToken* token, const char* fixedText)
{
    AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR, Quoted(UpperOf(token)) + fixedText);
    return FALSE;
}

BOOL CILStatementChecker::CheckBeforeLookup(const std::string& mnemonic)
{
    if (mnemonic == "READ_RTC" || mnemonic == "SET_RTC") {
        CILToken* block = TokenAfterMnemonic(1);
        if (!block) {
            AddMessage(MSG_INVALID_INSTRUCTION_FORMAT, MESSAGE_KIND_ERROR, Quoted(m_cursor->GetText(true)));
            return FALSE;
        }
        if (!IsEightByteBlockOperand(block)) {
            AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
                       Quoted(block->GetText(true)) +
                           " - Memory space can not store the data type of \"RTC\"(date and time)");
            return FALSE;
        }
        return TRUE;
    }
    if (mnemonic == "CAL")
        return CheckCall();
    return TRUE;
}

BOOL CILStatementChecker::CheckCall()
{
    if (++m_subroutineCalls > MAX_CALLS_PER_POU)
        AddMessage(MSG_OVERFLOW, MESSAGE_KIND_ERROR,
                   "The number of subroutine callings in a program exceeds the upper limit.");
    CILToken* callee = TokenAfterMnemonic(1);
    if (!callee)
        return TRUE;
    const std::string name = callee->GetText(false);
    const std::string& label = g_CompileState.CurrentPOULabel;
    if (!label.empty() && name == label) {
        AddMessage(MSG_INVALID_SUBROUTINE_CALL, MESSAGE_KIND_ERROR, "The subroutines can not call itself");
        return FALSE;
    }
    if (!IsSubroutineLabel(label))
        return TRUE;
    CPOUEntry* caller = GetPOU(label);
    if (caller && !name.empty() && !caller->AddCallee(name))
        AddMessage(MSG_OVERFLOW, MESSAGE_KIND_WARNING,
                   "This overflow may cause a error judgement about subroutine recursion call");
    return TRUE;
}

BOOL CILStatementChecker::CheckResolvedInstruction(const std::string& name, const std::string& mnemonic)
{
    if (IsOneOf(name, {"TON", "TOF", "TP", "CTU", "CTD", "CTUD", "SR", "RS"}))
        return CheckInstanceCall(name);
    if (name == "MBUSR" || name == "MBUSW")
        return CheckModbusMaster(name);
    int motion = 0;
    if (FindMotionInstruction(name, motion))
        return CheckMotion(name);
    if (!CheckNumericOperands(name))
        return FALSE;
    if (name == "MOVE") {
        DWORD value = 0;
        const int backup = CheckSMW32Move(value);
        if (backup < 0)
            return FALSE;
        if (backup > 0) {
            m_objectSize += 4;
            ++g_CompileState.InstructionCounter;
            return TRUE;
        }
    }
    CheckImmediate(name);
    if (mnemonic == "FOR")
        m_writePosition += 2;
    return TRUE;
}

BOOL CILStatementChecker::CheckInstanceCall(const std::string& name)
{
    CILToken* instance = TokenAfterMnemonic(1);
    const std::string text = UpperOf(instance);
    const CVariableEntry* symbol = GetVariable(text);
    if (symbol && symbol->kind == VARIABLE_KIND_FB_INSTANCE && symbol->fbType != name)
        AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
                   Quoted(text) + " - The instance of function block is not defined as \"" + name + "\"");
    if (IsInstanceCalled(text)) {
        AddMessage(MSG_INSTANCE_ASSIGNED, MESSAGE_KIND_ERROR,
                   Quoted(text) + " - The instance of function block has been assigned");
        return FALSE;
    }
    if (static_cast<int>(m_calledInstances.size()) >= MAX_CALLED_INSTANCES)
        AddMessage(MSG_OVERFLOW, MESSAGE_KIND_ERROR, Quoted(text) + " - Too many instances of function block");
    else
        m_calledInstances.push_back(text);
    return TRUE;
}

BOOL CILStatementChecker::CheckModbusMaster(const std::string& name)
{
    if (!IsPort1ModbusMaster()) {
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
                   "The MBUSR and MBUSW instructions can only be used when the PORT1 is configured as a modbus RTU "
                   "master.");
        return FALSE;
    }
    CILToken* port = TokenAfterMnemonic(3);
    if (UpperOf(port) != "1")
        return FailOperand(port, kInvalidParameter);
    CILToken* function = TokenAfterMnemonic(7);
    OperandTypeFlags constantFlags = 0;
    DWORD code = 0;
    float realValue = 0.0f;
    if (!function || !ParseConstant(UpperOf(function), constantFlags, code, realValue))
        return FailOperand(function, kInvalidParameter);
    CILToken* data = TokenAfterMnemonic(13);
    OperandTypeFlags dataFlags = 0;
    if (!data || !ParseDirectAddress(UpperOf(data), dataFlags))
        dataFlags = 0;
    OperandTypeFlags required = 0;
    if (name == "MBUSR")
        required = (code == 1 || code == 2) ? OT_BOOL : (code == 3 || code == 4) ? OT_WORD_INT : 0;
    else
        required = (code == 5 || code == 15) ? OT_BOOL : (code == 6 || code == 16) ? OT_WORD_INT : 0;
    if (!required)
        return FailOperand(function, kInvalidParameter);
    if (!(dataFlags & required)) {
        AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
                   "At least two of the operands have conflicting data types. (\"" + UpperOf(function) + "\" and \"" +
                       UpperOf(data) + "\")");
        return FALSE;
    }
    return TRUE;
}

BOOL CILStatementChecker::CheckMotion(const std::string& name)
{
    int index = 0;
    FindMotionInstruction(name, index);
    CILToken* axisToken = TokenAfterMnemonic(1);
    const std::string axis = UpperOf(axisToken);
    if (axis != "0" && axis != "1")
        return FailOperand(axisToken, kInvalidParameter);
    int* flags = axis == "1" ? m_axis1Flags : m_axis0Flags;
    if (flags[index]) {
        AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
                   "The values of the \"Axis\" parameters in any two \"" + name + "\" instructions can not be the same.");
        return FALSE;
    }
    flags[index] = 1;
    return TRUE;
}

BOOL CILStatementChecker::CheckNumericOperands(const std::string& name)
{
    CILToken* first = TokenAfterMnemonic(1);
    if (IsOneOf(name, {"SPD", "HSC", "HDEF"}) && !IsNumberUpTo(first, MaxHscNumber, 1))
        return FailOperand(first, kInvalidParameter);
    if (name == "HDEF" && !IsNumberUpTo(SecondOperand(), MaxHscMode, 2))
        return FailOperand(SecondOperand(), kInvalidParameter);
    if (name == "PLS" && !IsNumberUpTo(first, MaxPulseOutput, 1))
        return FailOperand(first, kInvalidParameter);
    if (name == "ATCH") {
        if (++m_attachCount > MAX_ATTACHES_PER_POU)
            AddMessage(MSG_OVERFLOW, MESSAGE_KIND_ERROR,
                       "The number of ATCH instructions in a program exceeds the upper limit.");
        if (!IsEventNumber(SecondOperand()))
            return FailOperand(SecondOperand(), kInvalidParameter);
    }
    if (name == "DTCH" && !IsEventNumber(first))
        return FailOperand(first, kInvalidParameter);
    if (name == "RCV" || name == "XMT") {
        CILToken* port = SecondOperand();
        if (!IsNumberUpTo(port, MaxPortNumber, 1))
            return FailOperand(port, kInvalidParameter);
        if (IsPort1ModbusMaster() && UpperOf(port) == "1") {
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, "PORT1 has been configured to be a modbus master.");
            return FALSE;
        }
    }
    return TRUE;
}

int CILStatementChecker::CheckSMW32Move(DWORD& value)
{
    CILToken* comma = TokenAfterMnemonic(2);
    CILToken* target = TokenAfterMnemonic(3);
    if (!comma || comma->GetText(false) != "," || !target)
        return 0;
    std::string destination;
    if (target->GetClass() == TOKEN_DIRECT_ADDRESS) {
        destination = target->GetText(false);
    } else if (target->GetClass() == TOKEN_VARIABLE) {
        const CVariableEntry* symbol = GetVariable(target->GetText(false));
        if (symbol && symbol->kind == VARIABLE_KIND_DECLARED)
            destination = symbol->addressText;
    }
    if (!destination.empty() && destination[0] != '%')
        destination = "%" + destination;
    if (destination != "%SMW32")
        return 0;
    CILToken* source = TokenAfterMnemonic(1);
    if (!source)
        return 0;
    OperandTypeFlags flags = 0;
    float realValue = 0.0f;
    if (!ParseConstant(UpperOf(source), flags, value, realValue)) {
        AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR, Quoted(source->GetText(true)) + kInvalidParameter);
        return -1;
    }
    if (value < DWORD(DataBackupFirstByte) || value > DWORD(DataBackupLastByte)) {
        AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
                   Quoted(source->GetText(true)) + " - Invalid actual parameter, the value is out of range");
        return -1;
    }
    return 1;
}

BOOL CILStatementChecker::CheckImmediate(const std::string& name)
{
    char area = 0;
    if (IsOneOf(name, {"LDI", "LDNI", "ANDI", "ANDNI", "ORI", "ORNI"}))
        area = 'I';
    else if (IsOneOf(name, {"STI", "SI", "RI"}))
        area = 'Q';
    if (!area)
        return TRUE;
    CILToken* channel = TokenAfterMnemonic(1);
    if (channel && IsCPUBodyChannel(channel->GetText(false), area, GetCPUFamilyMask()))
        return TRUE;
    AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
               Quoted(channel ? channel->GetText(true) : std::string()) +
                   " - The Immediate instructions can be applied to the I/O channels on the CPU body.");
    return FALSE;
}

BOOL CILStatementChecker::AddOperandXref(int index, CILToken* token, OperandTypeFlags rowMask,
                                         const std::string& mnemonic)
{
    const int access = AccessOf(rowMask);
    if (g_CompileState.RowStartFlag)
        return AddOrdinaryXref(access, token, mnemonic, true);
    if (mnemonic == "PTR_R") {
        if (token->GetClass() != TOKEN_POINTER)
            return TRUE;
        CILToken* comma = token->GetNext();
        CILToken* code = comma ? comma->GetNext() : nullptr;
        if (!code || code == m_statementEnd || !IsDigitString(code->GetText(false))) {
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kPointerSlotError);
            return FALSE;
        }
        const int slot = (std::atoi(code->GetText(false).c_str()) & ~0x20) - 1;
        if (slot >= 0 && slot < PARAMETER_SLOTS) {
            m_parameterSlots[slot].operand = token->GetText(false);
            m_parameterSlots[slot].used = 1;
        }
        return TRUE;
    }
    if (!g_CompileState.WrappedLineFlag)
        return TRUE;
    if (index < PARAMETER_SLOTS && m_parameterSlots[index].used) {
        AddAddressXref(access, m_parameterSlots[index].operand);
        return TRUE;
    }
    return AddOrdinaryXref(access, token, mnemonic, false);
}

BOOL CILStatementChecker::AddOrdinaryXref(int access, CILToken* token, const std::string& mnemonic,
                                          bool recordPointer)
{
    const std::string text = token->GetText(false);
    switch (token->GetClass()) {
    case TOKEN_DIRECT_ADDRESS:
    case TOKEN_ADDRESS_OF:
        AddAddressXref(access, text);
        break;
    case TOKEN_VARIABLE: {
        std::string qualified = text;
        if (!QualifyName(g_CompileState.CurrentPOULabel, qualified) || !FindVariable(qualified))
            qualified = text;
        const CVariableEntry* symbol = GetVariable(qualified);
        if (symbol && symbol->kind == VARIABLE_KIND_DECLARED)
            AddAddressXref(access, symbol->addressText);
        break;
    }
    case TOKEN_FB_INSTANCE:
        AddInstanceXref(access, text);
        break;
    case TOKEN_POINTER:
        if (!recordPointer)
            break;
        if (mnemonic == "ROR" || mnemonic == "ROL")
            AddAddressXref(access, text);
        else
            AddInstanceXref(access, text);
        break;
    default:
        break;
    }
    return TRUE;
}
