// Instruction statements: the mnemonic is matched to a row of the
// instruction table, every operand token builds its operand against the
// row, the variant that fits the operand types is selected, and the
// instruction is counted (precompile pass) or written (code pass).
#include "CCompileMessage.h"
#include "CCompileState.h"
#include "CILStatementChecker.h"
#include "CLoopTargetTable.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "platform/ByteString.h"

#include <cstring>

namespace {

struct COpcodeRemap {
    WORD from;
    WORD to;
};

// Inside "AND(" / "OR(": the loads take their forms for a parenthesis.
const COpcodeRemap kParenthesisRemaps[] = {
    {0x000C, 0x0002},
    {0x000D, 0x0004},
    {0x0010, 0x0005},
};
// The same, except inside an EN block.
const COpcodeRemap kParenthesisLoadRemaps[] = {
    {0x0009, 0x0001},
    {0x000B, 0x0000},
};
// Outside an EN block, MOVE and BLKMOVE of INT and DINT data from memory
// take the opcodes of the WORD and DWORD forms.
const COpcodeRemap kMoveRemaps[] = {
    {0x01B8, 0x0117}, {0x01BA, 0x0119}, {0x01BC, 0x011F},
    {0x01BD, 0x0120}, {0x01BE, 0x0121}, {0x01BF, 0x0122},
};

template <size_t N>
WORD Remap(const COpcodeRemap (&table)[N], WORD opcode)
{
    for (const COpcodeRemap& remap : table) {
        if (remap.from == opcode)
            return remap.to;
    }
    return opcode;
}

bool IsOneOf(const std::string& text, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        if (text == name)
            return true;
    }
    return false;
}

void PutLittleEndian(BYTE* destination, DWORD value, int size)
{
    for (int i = 0; i < size; ++i)
        destination[i] = static_cast<BYTE>(value >> (8 * i));
}

// The fourth operand of an MBUSW, its function code, writes bits.
bool IsBitFunctionCode(const CILToken* token)
{
    if (!token)
        return false;
    OperandTypeFlags flags = 0;
    DWORD value = 0;
    float realValue = 0.0f;
    if (!ParseConstant(token->GetText(false), flags, value, realValue))
        return false;
    return value == 5 || value == 15;
}

} // namespace

std::string CILStatementChecker::RewriteMnemonic()
{
    const std::string text = m_cursor->GetText(false);
    const int following = TokensAfterMnemonic();
    if (IsOneOf(text, {"AND", "ANDN", "OR", "ORN", "XOR"}) && following >= 2)
        return text + "_2";
    if (text == "NOT" && following >= 1)
        return "NOT_2";
    if ((text == "RETC" || text == "RETCN") && g_CompileState.CurrentFileKind == FILE_KIND_INT_PROGRAM) {
        if (following == 0)
            return text == "RETC" ? "__RETCI" : "__RETCNI";
        AddMessage(MSG_INVALID_INSTRUCTION_FORMAT, MESSAGE_KIND_ERROR, Quoted(m_cursor->GetText(true)));
    }
    return text;
}

BOOL CILStatementChecker::CheckInstruction()
{
    m_operand = COperandDesc();
    m_instructionRow = {};
    m_resolvedRow = {};
    std::memset(m_buffer, 0, sizeof m_buffer);
    m_writePosition = 2;
    MarkStatement(";");
    if (g_CompileState.InDeclarationBlock) {
        const CILToken* token = m_statementToken ? m_statementToken : m_cursor;
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                   Quoted(token->GetText(true)) +
                       " - Invalid \"variable definition begin\" in current routine (internal error)");
        return AdvanceCursor();
    }
    const std::string mnemonic = RewriteMnemonic();
    const std::string asWritten = Quoted(m_cursor->GetText(true));
    if (g_CompileState.CurrentFileKind == FILE_KIND_INT_PROGRAM && (mnemonic == "ENI" || mnemonic == "DISI"))
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
                   "The instructions of \"ENI or DISI\" can not be used in interrupt routines");
    if (g_CompileState.CurrentFileKind == FILE_KIND_MAIN_PROGRAM && (mnemonic == "RETC" || mnemonic == "RETCN"))
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
                   "The instructions of \"RETC or RETCN\" can not be used in \"MAIN\"");
    m_bitOperand = IsOneOf(mnemonic, {"LD", "LDN", "OR", "ORN", "SR", "RS", "AND", "ANDN", "PID"}) ? 1 : 0;
    if (CheckNetworkStructure(mnemonic) || !CheckBeforeLookup(mnemonic))
        return AdvanceCursor();
    if (!LookupInstruction(mnemonic, m_instructionRow)) {
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, asWritten);
        return AdvanceCursor();
    }
    if (!HasOperands()) {
        if (TokenAfterMnemonic(1) && mnemonic != "__NETWORK") {
            AddMessage(MSG_INVALID_INSTRUCTION_FORMAT, MESSAGE_KIND_ERROR, asWritten);
            return AdvanceCursor();
        }
        if (!SelectInstructionVariant(mnemonic, m_instructionRow, m_resolvedRow)) {
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, asWritten);
            return AdvanceCursor();
        }
        m_writePosition = 0;
        PutWord(m_resolvedRow.opcode);
        if (mnemonic == "NEXT")
            CheckNext();
    } else {
        if (!TokenAfterMnemonic(1)) {
            AddMessage(MSG_INVALID_INSTRUCTION_FORMAT, MESSAGE_KIND_ERROR,
                       ByteString::Format("The instruction of \"%s\" need %d operands", mnemonic.c_str(),
                                          int(m_instructionRow.operandCount)));
            return AdvanceCursor();
        }
        if (!BuildOperands(mnemonic))
            return AdvanceCursor();
        RemapOpcode();
    }
    if (!CheckLoadType())
        return AdvanceCursor();
    const std::string name = m_resolvedRow.name1;
    if (m_pass == 0)
        CountInstruction(name, mnemonic);
    else
        EmitInstruction(name);
    return AdvanceCursor();
}

BOOL CILStatementChecker::BuildOperands(const std::string& mnemonic)
{
    const int count = static_cast<int>(m_instructionRow.operandCount);
    const bool counterBits = IsOneOf(mnemonic, {"CTU", "CTD", "CTUD"});
    const bool modbusBits = mnemonic == "MBUSW" && TokensAfterMnemonic() >= 8 && IsBitFunctionCode(TokenAfterMnemonic(7));
    CILToken* token = TokenAfterMnemonic(1);
    for (int k = 0;;) {
        if (k >= 1 && (counterBits || modbusBits))
            m_bitOperand = 1;
        const OperandTypeFlags rowMask = k < OPCODE_MAX_OPERANDS ? m_instructionRow.operandMasks[k] : OT_DIRECTION_BITS;
        int size = 0;
        if (!token->BuildInstructionOperand(k, m_instructionRow, m_operand, size, m_bitOperand != 0)) {
            CopyTokenMessages(token);
            return FALSE;
        }
        if (m_writePosition + size > INSTRUCTION_BUFFER_BYTES) {
            AddMessage(MSG_INVALID_INSTRUCTION_FORMAT, MESSAGE_KIND_ERROR, Quoted(token->GetText(true)));
            return FALSE;
        }
        if (m_pass == 1) {
            BYTE* destination = m_buffer + m_writePosition;
            if (m_operand.isConstant)
                EncodeConstantOperand(destination, size);
            else if (m_operand.isAddressOf)
                PutLittleEndian(destination, m_operand.addressOfValue, 4);
            else
                PutLittleEndian(destination, m_operand.address, 2);
        } else if (!AddOperandXref(k, token, rowMask, mnemonic)) {
            return FALSE;
        }
        m_writePosition += size;
        if (++k >= count)
            break;
        CILToken* next = token->GetNext();
        if (next && next != m_statementEnd && next->GetText(false) == ",")
            next = next->GetNext();
        if (!next || next == m_statementEnd) {
            AddMessage(MSG_MISSING, MESSAGE_KIND_ERROR, Quoted(m_cursor->GetText(true)) + " - Missing operand");
            return FALSE;
        }
        token = next;
    }
    if (g_CompileState.WrappedLineFlag)
        ClearParameterSlots();
    CILToken* after = token->GetNext();
    if (after && after != m_statementEnd) {
        AddMessage(MSG_INVALID_INSTRUCTION_FORMAT, MESSAGE_KIND_ERROR, Quoted(token->GetText(true)));
        return FALSE;
    }
    if (!SelectInstructionVariant(mnemonic, m_instructionRow, m_resolvedRow)) {
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
                   Quoted(m_cursor->GetText(true)) +
                       " - The data type of operand does not match, or not supported by current CPU type");
        return FALSE;
    }
    return TRUE;
}

void CILStatementChecker::EncodeConstantOperand(BYTE* destination, int size) const
{
    const CConstantValue& value = m_operand.constantValue;
    switch (m_operand.flags & OT_TYPE_BITS) {
    case OT_BOOL:
        destination[0] = value.boolValue ? 1 : 0;
        destination[1] = 0;
        break;
    case OT_BYTE:
        destination[0] = value.byteValue;
        destination[1] = 0;
        break;
    case OT_WORD:
        PutLittleEndian(destination, value.wordValue, size);
        break;
    case OT_DWORD:
        PutLittleEndian(destination, value.dwordValue, size);
        break;
    case OT_INT:
        PutLittleEndian(destination, static_cast<WORD>(value.intValue), size);
        break;
    case OT_DINT:
        PutLittleEndian(destination, static_cast<DWORD>(value.dintValue), size);
        break;
    case OT_REAL: {
        DWORD bits = 0;
        std::memcpy(&bits, &value.realValue, sizeof bits);
        PutLittleEndian(destination, bits, size);
        break;
    }
    default:
        std::memset(destination, 0, size_t(size));
        break;
    }
}

void CILStatementChecker::RemapOpcode()
{
    WORD opcode = m_resolvedRow.opcode;
    if (m_parenthesisDepth >= 0) {
        opcode = Remap(kParenthesisRemaps, opcode);
        if (!m_insideENBlock)
            opcode = Remap(kParenthesisLoadRemaps, opcode);
    }
    if (!m_insideENBlock)
        opcode = Remap(kMoveRemaps, opcode);
    PutLittleEndian(m_buffer, opcode, 2);
}

BOOL CILStatementChecker::CheckLoadType()
{
    const std::string name = m_resolvedRow.name1;
    const OperandTypeFlags firstType = m_resolvedRow.operandMasks[0] & OT_TYPE_BITS;
    if (IsOneOf(name, {"LD", "LDI", "LDN", "LDNI"})) {
        m_loadResultType = static_cast<int>(firstType);
        return TRUE;
    }
    if (m_resolvedRow.resultTypeFlag && static_cast<int>(firstType) != m_loadResultType) {
        AddMessage(MSG_LOAD_TYPE_MISMATCH, MESSAGE_KIND_ERROR, Quoted(m_cursor->GetText(true)));
        return FALSE;
    }
    return TRUE;
}

void CILStatementChecker::CountInstruction(const std::string& name, const std::string& mnemonic)
{
    if (!CheckResolvedInstruction(name, mnemonic))
        return;
    m_objectSize += m_writePosition;
    if (name != "__NETWORK")
        ++g_CompileState.InstructionCounter;
}

void CILStatementChecker::EmitInstruction(const std::string& name)
{
    DWORD value = 0;
    const int backup = name == "MOVE" ? CheckSMW32Move(value) : 0;
    if (backup < 0)
        return;
    if (backup > 0) {
        PutWord(OPCODE_SMW32_ADDITION);
        PutWord(static_cast<WORD>(value - DWORD(DataBackupFirstByte - 1)));
        ++m_codeInstructionIndex;
        const DWORD family = GetCPUFamilyMask();
        if (g_pAppData && g_pAppData->CompilingForDownload &&
            (family == CPU_FAMILY_VB12 || family == CPU_FAMILY_VA10) && g_pAppData->ProfileSubType == 0)
            g_pAppData->DataBackupUsed = 1;
    } else if (name == "FOR") {
        WORD target = 0;
        LookupLoopTarget(m_codeInstructionIndex + 1, target);
        PutWord(target);
    }
    AppendObjectCode(m_buffer, m_writePosition);
    if (name != "__NETWORK")
        ++m_codeInstructionIndex;
}
