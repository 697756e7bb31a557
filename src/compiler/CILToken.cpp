#include "CILToken.h"

#include "CCompileMessage.h"
#include "CCompileState.h"
#include "CompilerSymbols.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/DirectAddress.h"
#include "model/LanguageLibrary.h"
#include "model/MonitorItems.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"

#include <cstdlib>
#include <string_view>

namespace {

// Prefixes of typed constants, in the order they are tried.
struct ConstantForm {
    std::string_view prefix;
    OperandTypeFlags type;
};

const ConstantForm kConstantForms[] = {
    {"I#2#", OT_INT}, {"DI#2#", OT_DINT}, {"B#2#", OT_BYTE}, {"DW#2#", OT_DWORD}, {"W#2#", OT_WORD}, {"2#", OT_WORD},
    {"I#8#", OT_INT}, {"DI#8#", OT_DINT}, {"B#8#", OT_BYTE}, {"DW8#", OT_DWORD}, {"W#8#", OT_WORD}, {"8#", OT_WORD},
    {"I#16#", OT_INT}, {"DI#16#", OT_DINT}, {"B#16#", OT_BYTE}, {"DW16#", OT_DWORD}, {"W#16#", OT_WORD},
    {"16#", OT_WORD},
    {"I#", OT_INT}, {"DI#", OT_DINT}, {"B#", OT_BYTE}, {"DW#", OT_DWORD}, {"W#", OT_WORD},
};

// Operand flags of the function-block instances by FB type.
struct InstanceFlags {
    const char* fbType;
    OperandTypeFlags flags;
};

// Timers and counters read as their bit or their current value.
constexpr OperandTypeFlags kTimerInstance = OT_AREA_T | OT_DIRECT | OT_INT | OT_BOOL;
constexpr OperandTypeFlags kCounterInstance = OT_AREA_C | OT_DIRECT | OT_INT | OT_BOOL;
constexpr OperandTypeFlags kResetDominant = OT_AREA_RS | OT_DIRECT | OT_BOOL;
constexpr OperandTypeFlags kSetDominant = OT_AREA_SR | OT_DIRECT | OT_BOOL;

const InstanceFlags kInstanceFlags[] = {
    {"TON", kTimerInstance}, {"TOF", kTimerInstance}, {"TP", kTimerInstance},
    {"CTU", kCounterInstance}, {"CTD", kCounterInstance}, {"CTUD", kCounterInstance},
    {"RS", kResetDominant}, {"SR", kSetDominant},
};

const char kOutOfRange[] = " - Direct address is out of range";
const char kInvalidAddress[] = " - Invalid direct address";
const char kInvalidOperand[] = " - Invalid operand";

bool IsLargeFamily()
{
    return (GetCPUFamilyMask() & CPU_FAMILIES_LARGE) != 0;
}

std::string WithPercent(const std::string& text)
{
    if (!text.empty() && text[0] == '%')
        return text;
    return "%" + text;
}

bool IsReadOnlyArea(OperandTypeFlags areaFlags)
{
    return (areaFlags & OT_READABLE) && !(areaFlags & OT_WRITABLE);
}

long long NumberOf(const std::string& digits)
{
    return std::strtoll(digits.c_str(), nullptr, 10);
}

bool WithinArea(long long number, const std::string& prefix)
{
    return number >= g_pAppData->GetAreaMinIndex(prefix) && number <= g_pAppData->GetAreaMaxIndex(prefix);
}

// A data type that the low four type bits of a prefix row take.
bool TypeFitsRow(OperandTypeFlags rowBits, OperandTypeFlags type)
{
    switch (rowBits) {
    case OT_BOOL:
        return type == OT_BOOL;
    case OT_BYTE:
        return type == OT_BYTE;
    case OT_WORD:
        return type == OT_WORD || type == OT_INT;
    case OT_DWORD:
        return type == OT_DWORD || type == OT_DINT || type == OT_REAL;
    default:
        return false;
    }
}

// Families and image variants whose download marks the use of the data-backup bytes.
bool WatchesDataBackup()
{
    const DWORD family = GetCPUFamilyMask();
    const BYTE subType = g_pAppData->ProfileSubType;
    return (family == CPU_FAMILY_VB12 && (subType == 1 || subType == 3)) ||
           (family == CPU_FAMILY_VA10 && subType == 1);
}

void NoteDataBackupByte(long long byte)
{
    if (!g_pAppData->CompilingForDownload || !WatchesDataBackup())
        return;
    if (byte >= DataBackupFirstByte && byte <= DataBackupLastByte)
        g_pAppData->DataBackupUsed = 1;
}

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

OperandTypeFlags TypedConstantForm(const std::string& upper)
{
    // The two BOOL words count only as whole words, so that names such as
    // TRUE_COUNT stay names.
    if (upper == "TRUE" || upper == "FALSE")
        return OT_BOOL;
    // Every typed form has a "#"; plain words and numbers skip the list.
    const bool typed = upper.find('#') != std::string::npos;
    for (const ConstantForm& form : kConstantForms) {
        if (typed && ByteString::StartsWith(upper, form.prefix))
            return form.type;
    }
    if (ByteString::Find(upper, '.') < 0)
        return IsNumberText(upper, CONST_RADIX_DEC, false) ? OT_INT : 0;
    return IsNumberText(upper, CONST_RADIX_DEC, true) ? OT_REAL : 0;
}

CILToken::CILToken(const std::string& text)
    : m_text(text)
    , m_upper(ByteString::Upper(text))
{
}

std::string CILToken::GetText(bool asWritten) const
{
    return asWritten ? m_text : m_upper;
}

void CILToken::AddMessage(int code, int kind, const std::string& text)
{
    m_messages.push_back({code, kind, text});
}

bool CILToken::NextMessage(int& code, int& kind, std::string& text)
{
    if (m_messageCursor >= m_messages.size())
        return false;
    const CILTokenMsg& message = m_messages[m_messageCursor++];
    code = message.code;
    kind = message.kind;
    text = message.text;
    return true;
}

void CILToken::ClearMessages()
{
    m_messages.clear();
    m_messageCursor = 0;
}

bool CILToken::Fail(int code, const std::string& quoted, const char* fixedText)
{
    AddMessage(code, MESSAGE_KIND_ERROR, Quoted(quoted) + fixedText);
    return false;
}

void CILToken::Classify()
{
    m_class = TOKEN_UNCLASSIFIED;
    m_subClass = SUBCLASS_NONE;
    if (ClassifySeparator() || ClassifyKeyword())
        return;
    if (m_class != TOKEN_FUNCTION && IsInstructionSupported(m_upper)) {
        m_class = TOKEN_KEYWORD;
        m_subClass = SUBCLASS_INSTRUCTION;
        return;
    }
    const OperandTypeFlags constantType = TypedConstantForm(m_upper);
    if (constantType) {
        m_class = TOKEN_CONSTANT;
        m_constantType = constantType;
        m_areaRow.typeBits = constantType;
        return;
    }
    m_class = TOKEN_UNCLASSIFIED;
    m_subClass = SUBCLASS_NONE;
    if (ClassifyDirectAddress() || ClassifyPointer() || ClassifyAddressOf())
        return;
    ClassifyOperand();
}

bool CILToken::ClassifySeparator()
{
    if (!IsSeparatorMode1(m_upper))
        return false;
    m_class = TOKEN_SEPARATOR;
    if (m_upper == ";") {
        m_class = TOKEN_KEYWORD;
        m_subClass = SUBCLASS_STATEMENT_END;
    } else if (m_upper == ":") {
        m_class = TOKEN_KEYWORD;
        m_subClass = SUBCLASS_LABEL_COLON;
    } else if (m_upper == ":=") {
        ClassifyKeyword();
    }
    return true;
}

bool CILToken::ClassifyKeyword()
{
    CKeywordDef def = {};
    if (LookupKeywordMode1(m_upper, def) == KEYWORD_NONE)
        return false;
    if (m_upper == "TRUE" || m_upper == "FALSE")
        return false;
    const DWORD keywordClass = def.keywordClass;
    const bool inBlock = g_CompileState.InDeclarationBlock;
    m_class = TOKEN_KEYWORD;
    m_subClass = static_cast<int>(keywordClass);
    if (!inBlock && (keywordClass == KEYWORD_CLASS_DATA_TYPE || keywordClass == KEYWORD_CLASS_FB_TYPE)) {
        m_class = TOKEN_UNCLASSIFIED;
        m_subClass = SUBCLASS_NONE;
        return false;
    }
    if (!inBlock && keywordClass == KEYWORD_CLASS_ASSIGN) {
        m_class = TOKEN_UNCLASSIFIED;
        m_subClass = SUBCLASS_NONE;
    }
    if (g_CompileState.IsProgramFile()) {
        if (keywordClass == KEYWORD_CLASS_FUNCTION) {
            m_class = TOKEN_FUNCTION;
            m_subClass = SUBCLASS_INSTRUCTION;
        } else if (keywordClass == KEYWORD_CLASS_SECTION || keywordClass == KEYWORD_CLASS_END_VAR ||
                   keywordClass == KEYWORD_CLASS_DATA_TYPE || keywordClass == KEYWORD_CLASS_FB_TYPE ||
                   keywordClass == KEYWORD_CLASS_ASSIGN) {
            m_class = TOKEN_UNCLASSIFIED;
            m_subClass = SUBCLASS_NONE;
        }
    }
    if (!inBlock && m_upper != ":=" && m_class != TOKEN_FUNCTION && IsInstructionSupported(m_upper)) {
        m_class = TOKEN_KEYWORD;
        m_subClass = SUBCLASS_INSTRUCTION;
    }
    return true;
}

bool CILToken::ClassifyDirectAddress()
{
    std::string text = m_upper;
    if (ByteString::StartsWith(text, "AT"))
        text = text.substr(2);
    WORD row = 0;
    if (!FindMemoryArea(text, row))
        return false;
    GetMemoryAreaDef(row, m_areaRow);
    if (!g_CompileState.InDeclarationBlock) {
        g_CompileState.AddMonitorOperand(text);
        if (!CheckDirectAddress(text, m_areaRow.typeBits & OT_WIDTH_BITS, false))
            return false;
    }
    m_class = TOKEN_DIRECT_ADDRESS;
    return true;
}

bool CILToken::ClassifyPointer()
{
    if (!IsLargeFamily() || m_upper.empty() || m_upper[0] != '*')
        return false;
    const std::string rest = m_upper.substr(1);
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(rest, flags) || !(flags & OT_AREA_V) || !(flags & OT_DWORD))
        return false;
    m_encodedAddress = EncodeAddress(WithPercent(rest), 0);
    m_class = TOKEN_POINTER;
    return true;
}

bool CILToken::ClassifyAddressOf()
{
    if (!IsLargeFamily() || m_upper.empty() || m_upper[0] != '&')
        return false;
    const std::string rest = m_upper.substr(1);
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(rest, flags) || !(flags & OT_AREA_V))
        return false;
    static const OperandTypeFlags kWidths[] = {OT_BYTE, OT_WORD, OT_DWORD, OT_REAL};
    for (OperandTypeFlags width : kWidths) {
        if (!(flags & width))
            continue;
        m_encodedAddress = EncodeAddress(WithPercent(rest), 0);
        m_bitNumber = static_cast<WORD>(width);
        m_class = TOKEN_ADDRESS_OF;
        return true;
    }
    return false;
}

void CILToken::ClassifyOperand()
{
    const int dot = ByteString::Find(m_upper, '.');
    if (dot >= 1) {
        const std::string owner = m_upper.substr(0, size_t(dot));
        const CVariableEntry* instance = GetVariable(owner);
        if (instance && instance->kind == VARIABLE_KIND_FB_INSTANCE) {
            m_class = TOKEN_FB_PIN;
            m_subClass = SUBCLASS_FB_PIN;
            m_memberText = instance->fbType + "." + m_upper.substr(size_t(dot) + 1);
            return;
        }
        if (IsFunctionKeyword(owner)) {
            m_class = TOKEN_FUNCTION_MEMBER;
            m_subClass = static_cast<int>(KEYWORD_CLASS_FUNCTION);
            return;
        }
    }
    if (FindPOU(m_upper)) {
        m_class = TOKEN_POU;
        m_constantType = TOKEN_REFERENCE_TYPE;
        return;
    }
    const std::string local = g_CompileState.CurrentPOULabel + "." + m_upper;
    if (FindLabel(local)) {
        m_class = TOKEN_LABEL;
        m_constantType = TOKEN_REFERENCE_TYPE;
        return;
    }
    const CVariableEntry* variable = GetVariable(local);
    if (variable && variable->kind == VARIABLE_KIND_DECLARED) {
        m_class = TOKEN_VARIABLE;
        m_areaRow.typeBits = variable->typeFlags;
        return;
    }
    variable = GetVariable(m_upper);
    if (!variable)
        return;
    if (variable->kind == VARIABLE_KIND_FB_INSTANCE) {
        m_class = TOKEN_FB_INSTANCE;
        m_subClass = SUBCLASS_INSTRUCTION;
        m_FBTypeName = variable->fbType;
        return;
    }
    if (variable->kind == VARIABLE_KIND_DECLARED) {
        m_class = TOKEN_VARIABLE;
        m_areaRow.typeBits = variable->typeFlags;
    }
}

OperandTypeFlags CILToken::GetOperandFlags() const
{
    switch (m_class) {
    case TOKEN_CONSTANT:
        return m_constantType | OT_CONSTANT;
    case TOKEN_DIRECT_ADDRESS: {
        const CVariableEntry* declared = GetVariableByAddress(m_upper);
        const OperandTypeFlags type = declared ? (declared->typeFlags & OT_TYPE_BITS) : m_areaRow.typeBits;
        return m_areaRow.areaFlags | type | OT_DIRECT;
    }
    case TOKEN_LABEL:
    case TOKEN_POU:
        return OT_POU_REF | OT_CONSTANT;
    case TOKEN_VARIABLE:
        return m_areaRow.typeBits | OT_DIRECT;
    case TOKEN_FB_INSTANCE: {
        const CVariableEntry* instance = GetVariable(m_upper);
        if (instance && instance->kind == VARIABLE_KIND_FB_INSTANCE) {
            for (const InstanceFlags& row : kInstanceFlags) {
                if (instance->fbType == row.fbType)
                    return row.flags;
            }
        }
        return m_constantType | OT_CONSTANT;
    }
    case TOKEN_POINTER:
        return OT_POINTER;
    case TOKEN_ADDRESS_OF:
        return OT_ADDRESS_OF;
    default:
        return 0;
    }
}

bool CILToken::CheckUserIdentifier(const std::string& text, [[maybe_unused]] int mode)
{
    ClearMessages();
    const std::string upper = ByteString::Upper(text);
    CKeywordDef keyword = {};
    if (upper.empty())
        return Fail(MSG_INVALID_USER_IDENTIFIER, text, "");
    if (IsSeparatorMode1(upper))
        return Fail(MSG_INVALID_USER_IDENTIFIER, text, " - Separator can not be used as the user defined identifier");
    if (LookupKeywordMode1(upper, keyword) != KEYWORD_NONE && upper != "TRUE" && upper != "FALSE")
        return Fail(MSG_INVALID_USER_IDENTIFIER, text, " - Keyword can not be used as the user defined identifier.");
    if (IsInstructionSupported(upper))
        return Fail(MSG_INVALID_USER_IDENTIFIER, text,
                    " - Instruction can not be used as the user defined identifier");
    if (TypedConstantForm(upper))
        return Fail(MSG_INVALID_USER_IDENTIFIER, text, " - Constant can not be used as the user defined identifier");
    WORD row = 0;
    if (FindMemoryArea(upper, row))
        return Fail(MSG_INVALID_USER_IDENTIFIER, text,
                    " - Direct address can not be used as the user defined identifier");
    CILToken known(text);
    known.ClassifyOperand();
    if (known.GetClass() == TOKEN_UNCLASSIFIED && !IsValidIdentifier(upper))
        return Fail(MSG_INVALID_USER_IDENTIFIER, text, "");
    return true;
}

bool CILToken::CheckDirectAddress(const std::string& text, OperandTypeFlags typeBits, bool requireAT)
{
    ClearMessages();
    std::string address = ByteString::Upper(text);
    if (requireAT) {
        if (!ByteString::StartsWith(address, "AT"))
            return Fail(MSG_ADDRESS_SYNTAX, text, " - The word \"AT\" should be added befor direct address");
        address = address.substr(2);
    }
    address = ByteString::Trim(address);
    if (address.empty()) {
        AddMessage(MSG_ADDRESS_SYNTAX, MESSAGE_KIND_ERROR, text);
        return false;
    }
    WORD row = 0;
    if (!FindMemoryArea(address, row))
        return Fail(MSG_ADDRESS_SYNTAX, text, kInvalidAddress);
    if (!IsAlignedDirectAddress(address))
        return Fail(MSG_ADDRESS_SYNTAX, text, " - The address of WORD and DWORD data type should be even");
    GetMemoryAreaDef(row, m_areaRow);
    const std::string prefix = m_areaRow.prefix;
    const OperandTypeFlags rowBits = m_areaRow.typeBits & OT_WIDTH_BITS;
    const std::string lead = address.substr(0, 3);
    if (!TypeFitsRow(rowBits, typeBits & OT_TYPE_BITS) && lead != "%HC" && lead != "%VR")
        return Fail(MSG_ADDRESS_SYNTAX, text, " - The memory type does not match the data type");
    const std::string number = address.substr(m_areaRow.prefixLength);
    if (number.size() >= 2 && number[0] == '0' && number[1] != '.')
        return Fail(MSG_ADDRESS_SYNTAX, text, kInvalidAddress);

    long long byte = 0;
    if (rowBits == OT_BOOL) {
        if (prefix == "%RS" || prefix == "%SR")
            return false;
        const int dot = ByteString::Find(number, '.');
        if (dot < 1)
            return Fail(MSG_ADDRESS_SYNTAX, text, kInvalidAddress);
        const std::string bitText = number.substr(size_t(dot) + 1);
        if (bitText.size() != 1)
            return false;
        const std::string byteText = number.substr(0, size_t(dot));
        if (!IsNumberText(byteText, CONST_RADIX_DEC, false) || !IsNumberText(bitText, CONST_RADIX_DEC, false))
            return Fail(MSG_ADDRESS_SYNTAX, text, kInvalidAddress);
        byte = NumberOf(byteText);
        const long long bit = NumberOf(bitText);
        if (!WithinArea(byte, prefix) || bit < g_pAppData->GetAreaMinIndex(prefix) ||
            bit > g_pAppData->GetBitMaxIndex(prefix))
            return Fail(MSG_ADDRESS_SYNTAX, text, kOutOfRange);
        m_bitNumber = static_cast<WORD>(bit);
        m_encodedAddress = EncodeBitAddress(g_pAppData->GetAreaBase(prefix, FALSE) + byte, bit);
    } else {
        if (ByteString::Find(number, '.') >= 0 || !IsNumberText(number, CONST_RADIX_DEC, false))
            return Fail(MSG_ADDRESS_SYNTAX, text, kInvalidAddress);
        byte = NumberOf(number);
        if (!WithinArea(byte, prefix))
            return Fail(MSG_ADDRESS_SYNTAX, text, kOutOfRange);
        m_bitNumber = 0;
        m_encodedAddress = static_cast<EncodedPlcAddress>(g_pAppData->GetAreaBase(prefix, FALSE) + byte);
    }
    NoteDataBackupByte(byte);
    return true;
}

bool CILToken::CheckConstantOperand(const std::string& text, OperandTypeFlags typeBits, CConstantValue& value)
{
    ClearMessages();
    const OperandTypeFlags type = typeBits & OT_TYPE_BITS;
    switch (ParseTypedConstant(text, type, value)) {
    case CONST_PARSE_OK:
        break;
    case CONST_PARSE_TYPE_NOT_SUPPORTED:
        return Fail(MSG_INVALID_OPERAND, m_text, " - The data type is not supported");
    case CONST_PARSE_INVALID_TEXT:
        return Fail(MSG_INVALID_OPERAND, m_text, " - The value of the constant is error");
    case CONST_PARSE_OUT_OF_RANGE:
        return Fail(MSG_INVALID_OPERAND, m_text, " - The value of the constant is out of range");
    default:
        return Fail(MSG_INVALID_OPERAND, m_text, " - The data type does not match the constant");
    }
    if (!IsConstantInRange(type, value))
        return Fail(MSG_VALUE_OUT_OF_RANGE, text, " - The value of the constant is out of range");
    return true;
}

bool CILToken::CheckVariableOperand(const std::string& name, OperandTypeFlags required, COperandDesc& desc)
{
    ClearMessages();
    const CVariableEntry* symbol = GetVariable(g_CompileState.CurrentPOULabel + "." + name);
    const bool local = symbol != nullptr;
    if (!symbol)
        symbol = GetVariable(name);
    if (!symbol)
        return Fail(MSG_INVALID_OPERAND, name, " - Undefined variable");
    if (!symbol->addressText.empty())
        g_CompileState.AddMonitorOperand(symbol->addressText);
    const OperandTypeFlags symbolType = symbol->typeFlags & OT_TYPE_BITS;
    if ((symbolType & ~required) != 0 && m_areaRow.typeBits == symbol->typeFlags)
        return Fail(MSG_INVALID_OPERAND, name, " - The data type does not match the variable");
    if (symbol->kind == VARIABLE_KIND_FB_INSTANCE)
        return true;
    if (required & OT_OUTPUT) {
        if (IsReadOnlyArea(symbol->areaRow.areaFlags))
            return Fail(MSG_INVALID_OPERAND, name, " - The read-only memory can not be used for output");
        if (local && (symbol->typeFlags & OT_DIRECTION_BITS) == OT_INPUT)
            return Fail(MSG_INVALID_OPERAND, name, " - Input parameter of the subroutine, can not be written");
    }
    desc.flags = (symbol->areaRow.areaFlags & (OT_AREA_BITS | OT_DIRECT)) | m_areaRow.typeBits | OT_DIRECT;
    desc.address = symbol->encodedAddress;
    return true;
}

bool CILToken::BuildOperand(OperandTypeFlags required, COperandDesc& desc, bool bitAccess)
{
    const OperandTypeFlags flags = GetOperandFlags() | required;
    desc = COperandDesc();
    ClearMessages();
    switch (m_class) {
    case TOKEN_CONSTANT:
        desc.isConstant = 1;
        if (!CheckConstantOperand(m_upper, flags, desc.constantValue))
            return false;
        if (required & OT_OUTPUT)
            return Fail(MSG_INVALID_OPERAND, m_text, " - The constant can not be used for output");
        desc.flags = flags;
        return true;
    case TOKEN_DIRECT_ADDRESS:
        return BuildDirectAddressOperand(flags, required, desc);
    case TOKEN_LABEL: {
        const CPOUEntry* label = GetLabel(g_CompileState.CurrentPOULabel + "." + m_upper);
        if (!label)
            return Fail(MSG_INVALID_OPERAND, m_text, " - Undefined label in current POU");
        desc.flags = flags;
        desc.address = static_cast<WORD>(label->firstInstruction);
        return true;
    }
    case TOKEN_POU: {
        const CPOUEntry* pou = GetPOU(m_upper);
        if (!pou)
            return Fail(MSG_INVALID_OPERAND, m_text, " - Undefined subroutine");
        desc.flags = flags;
        desc.address = static_cast<WORD>(pou->firstInstruction);
        return true;
    }
    case TOKEN_VARIABLE:
        return CheckVariableOperand(m_upper, flags, desc);
    case TOKEN_FB_INSTANCE:
        return BuildInstanceOperand(flags, desc, bitAccess);
    case TOKEN_POINTER:
        desc.flags = flags;
        desc.address = m_encodedAddress;
        return true;
    case TOKEN_ADDRESS_OF:
        desc.isAddressOf = 1;
        desc.addressOfValue = DWORD(m_encodedAddress) | (DWORD(m_bitNumber) << 16);
        desc.flags = flags | OT_AREA_V;
        return true;
    default:
        return Fail(MSG_INVALID_OPERAND, m_text, kInvalidOperand);
    }
}

bool CILToken::BuildDirectAddressOperand(OperandTypeFlags flags, OperandTypeFlags required, COperandDesc& desc)
{
    g_CompileState.AddMonitorOperand(m_upper);
    const CVariableEntry* declared = GetVariableByAddress(m_upper);
    EncodedPlcAddress address = 0;
    if (declared) {
        flags = (declared->typeFlags & OT_TYPE_BITS) | (flags & ~OT_TYPE_BITS);
        address = declared->encodedAddress;
    } else {
        if (!CheckDirectAddress(m_upper, flags & OT_WIDTH_BITS, false))
            return false;
        address = m_encodedAddress;
    }
    if ((required & OT_OUTPUT) && IsReadOnlyArea(m_areaRow.areaFlags))
        return Fail(MSG_INVALID_OPERAND, m_text, " - The read-only memory can not be used for output");
    desc.flags = flags;
    desc.address = address;
    return true;
}

bool CILToken::BuildInstanceOperand(OperandTypeFlags flags, COperandDesc& desc, bool bitAccess)
{
    const bool flipFlop = ByteString::StartsWith(m_upper, "SR") || ByteString::StartsWith(m_upper, "RS");
    const size_t prefixLength = flipFlop ? 2 : 1;
    const std::string area = "%" + m_upper.substr(0, prefixLength);
    const std::string digits = m_upper.substr(prefixLength);
    if (!IsDigitString(digits) || !WithinArea(NumberOf(digits), area))
        return Fail(MSG_INVALID_OPERAND, m_text, " - Invalid instance of function block");
    const long long number = NumberOf(digits);
    if (flipFlop || bitAccess) {
        const long long byte = g_pAppData->GetAreaBase(area, flipFlop ? FALSE : TRUE) + number / 8;
        desc.address = EncodeBitAddress(byte, number % 8);
    } else {
        desc.address = static_cast<WORD>(g_pAppData->GetAreaBase(area, FALSE) + 2 * number);
    }
    desc.flags = flags;
    return true;
}

bool CILToken::BuildInstructionOperand(int index, COpcodeDef& row, COperandDesc& desc, int& size, bool bitAccess)
{
    size = 0;
    const bool inTable = index >= 0 && index < OPCODE_MAX_OPERANDS;
    const OperandTypeFlags required = inTable ? (row.operandMasks[index] & OT_DIRECTION_BITS) : OT_DIRECTION_BITS;
    if (!BuildOperand(required, desc, bitAccess))
        return false;
    size = OperandSize(desc);
    if (inTable)
        row.operandMasks[index] = desc.flags;
    return true;
}

void CILToken::GetAddress(CMemAreaDef& areaRow, EncodedPlcAddress& encodedAddress) const
{
    areaRow = m_areaRow;
    encodedAddress = m_encodedAddress;
}

int OperandSize(const COperandDesc& operand)
{
    if (operand.isAddressOf)
        return 4;
    if (!operand.isConstant)
        return 2;
    switch (operand.flags & OT_TYPE_BITS) {
    case OT_BOOL:
    case OT_BYTE:
    case OT_WORD:
    case OT_INT:
        return 2;
    case OT_DWORD:
    case OT_DINT:
    case OT_REAL:
        return 4;
    default:
        return 0;
    }
}

bool IsValidLabelName(const std::string& text, int mode)
{
    CILToken token(text);
    return token.CheckUserIdentifier(text, mode);
}

bool IsEightByteBlockOperand(const CILToken* token)
{
    if (!token)
        return false;
    if (token->GetClass() == TOKEN_DIRECT_ADDRESS)
        return IsEightByteBlockAddress(token->GetText(false));
    if (token->GetClass() != TOKEN_VARIABLE)
        return false;
    const std::string name = token->GetText(false);
    const CVariableEntry* symbol = GetVariable(g_CompileState.CurrentPOULabel + "." + name);
    if (!symbol)
        symbol = GetVariable(name);
    if (!symbol || symbol->kind != VARIABLE_KIND_DECLARED)
        return false;
    return IsEightByteBlockAddress(symbol->addressText);
}
