// The structure of a POU program: networks and their first and last
// instructions, "AND(" / "OR(" nesting, FOR / NEXT loops, labels and jumps,
// and the instruction indexes that labels and loops carry.
#include "CCompileMessage.h"
#include "CCompileState.h"
#include "CILStatementChecker.h"
#include "CLoopTargetTable.h"
#include "CompilerSymbols.h"
#include "model/DirectAddress.h"
#include "platform/ByteString.h"

#include <cstdlib>

namespace {

const char kNextLast[] = "The instruction of \"NEXT\" must be the last instruction in the network";
const char kFirstInstruction[] =
    "The first instruction in the network must be a label or a \"load instruction\" such as \"LD or LDN\", etc.";
const char kFirstAfterParenthesis[] =
    "The first instruction after the \"AND( or OR(\" must be a label or a \"load instruction\" such as \"LD or "
    "LDN\", etc.";
const char kEmptyNetwork[] = "The network can not be empty";

bool IsPOUEndMarker(const std::string& name)
{
    return name == "__MPEND" || name == "__SPEND" || name == "__INTEND";
}

bool IsMarker(const std::string& name)
{
    return name == "__NETWORK" || IsPOUEndMarker(name);
}

bool IsLoad(const std::string& name)
{
    return name == "LD" || name == "LDN" || name == "LDI" || name == "LDNI";
}

// The opcode of the instruction-table row with this first name.
WORD OpcodeOfRow(const char* name)
{
    for (const COpcodeDef& row : g_OpcodeTable) {
        if (std::string(row.name1) == name)
            return row.opcode;
    }
    return 0;
}

} // namespace

void CILStatementChecker::ResetNetworkState()
{
    m_parenthesisDepth = -1;
    m_networkNumber = -1;
    m_networkPosition = 0;
    m_expectLoadAfterNetwork = 0;
    m_expectLoadAfterParenthesis = 0;
    m_endInstructionSeen = 0;
    m_nextSeen = 0;
    m_expectLoadAfterLabel = 0;
    m_insideENBlock = 0;
}

void CILStatementChecker::PushParenthesis()
{
    if (m_parenthesisDepth >= MAX_PARENTHESIS_DEPTH - 1) {
        AddMessage(MSG_OVERFLOW, MESSAGE_KIND_ERROR,
                   "Nesting level of \"AND( and )\" or \"OR( and )\" exceed the maximum number (16)");
        return;
    }
    ++m_parenthesisDepth;
}

void CILStatementChecker::PopParenthesis()
{
    if (m_parenthesisDepth < 0) {
        AddMessage(MSG_MISSING, MESSAGE_KIND_ERROR, "Missing \"AND( or OR(\" correspond to the current \")\"");
        return;
    }
    --m_parenthesisDepth;
}

void CILStatementChecker::PushFor()
{
    if (m_forDepth >= FOR_STACK_DEPTH - 1) {
        AddMessage(MSG_OVERFLOW, MESSAGE_KIND_ERROR, "Nesting level of \"FOR and NEXT\" exceed the maximum number (8)");
        return;
    }
    ++m_forDepth;
    m_forCodeIndex[m_forDepth] = m_codeInstructionIndex + 1;
    m_forPrecompileIndex[m_forDepth] = g_CompileState.InstructionCounter + 1;
}

int CILStatementChecker::PopFor(int& precompileIndex)
{
    if (m_forDepth < 0) {
        AddMessage(MSG_MISSING, MESSAGE_KIND_ERROR, "Missing \"FOR\" correspond to the current \"NEXT\"");
        m_forDepth = -1;
        precompileIndex = 0;
        return 0;
    }
    precompileIndex = m_forPrecompileIndex[m_forDepth];
    const int codeIndex = m_forCodeIndex[m_forDepth];
    --m_forDepth;
    return codeIndex;
}

void CILStatementChecker::ResetForStack()
{
    m_forDepth = -1;
    for (int i = 0; i < FOR_STACK_DEPTH; ++i) {
        m_forCodeIndex[i] = 0;
        m_forPrecompileIndex[i] = 0;
    }
}

BOOL CILStatementChecker::CheckNetworkStructure(const std::string& mnemonic)
{
    const bool marker = IsMarker(mnemonic);
    const bool load = IsLoad(mnemonic);
    if (m_nextSeen) {
        if (!marker)
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kNextLast);
        else
            m_nextSeen = 0;
    }
    if (m_expectLoadAfterLabel) {
        if (!load && !marker)
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstInstruction);
        if (marker)
            m_endInstructionSeen = 1;
        m_expectLoadAfterLabel = 0;
    }
    if (m_expectLoadAfterNetwork) {
        if (!load)
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstInstruction);
        m_expectLoadAfterNetwork = 0;
    }
    if (m_expectLoadAfterParenthesis) {
        if (!load)
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstAfterParenthesis);
        m_expectLoadAfterParenthesis = 0;
    }
    if (!marker) {
        if (m_networkNumber == -1)
            AddMessage(MSG_INVALID_NETWORK, MESSAGE_KIND_ERROR, kEmptyNetwork);
        ++m_networkPosition;
        m_endInstructionSeen = IsNonLogicInstruction(mnemonic) ? 1 : 0;
    }

    if (mnemonic == "LBL") {
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, "");
        return TRUE;
    }
    if (IsPOUEndMarker(mnemonic)) {
        CheckPOUEnd();
    } else if (mnemonic == "FOR") {
        PushFor();
        if (m_networkPosition != 2)
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
                       "The instruction of \"FOR\" must be the second instruction in the network");
    } else if (mnemonic == "__NETWORK") {
        CheckNetworkHeader();
    } else if (mnemonic == "OR(" || mnemonic == "AND(") {
        if (m_pass == 0)
            ++g_CompileState.InstructionCounter;
        else
            ++m_codeInstructionIndex;
        PushParenthesis();
        m_expectLoadAfterParenthesis = 1;
    } else if (mnemonic == ")") {
        PopParenthesis();
    } else if (mnemonic == "JMP" || mnemonic == "JMPC" || mnemonic == "JMPCN") {
        if (++m_jumpCount > MAX_JUMPS_PER_POU)
            AddMessage(MSG_OVERFLOW, MESSAGE_KIND_ERROR,
                       "The number of JMP, JMPC and JMPCN instructions in a program exceeds the upper limit.");
        if (m_parenthesisDepth >= 0 || m_forDepth >= 0)
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
                       "A \"jump instruction\" can not exist between a pair of \"FOR and NEXT\" or \"AND( and )\" or "
                       "\"OR( and )\"");
    } else if (mnemonic == "__ZUL_EN") {
        m_insideENBlock = 1;
    } else if (mnemonic == "__ZUL_ENO") {
        m_insideENBlock = 0;
    }
    return FALSE;
}

void CILStatementChecker::CheckPOUEnd()
{
    m_subroutineCalls = 0;
    m_attachCount = 0;
    m_jumpCount = 0;
    m_labelCount = 0;
    if (m_forDepth >= 0) {
        AddMessage(MSG_MISSING, MESSAGE_KIND_ERROR,
                   ByteString::Format("Missing %d \"NEXT\" correspond to the \"FOR\"", m_forDepth + 1));
        ResetForStack();
    }
    if (!m_endInstructionSeen && m_networkNumber != -1)
        AddMessage(MSG_INVALID_NETWORK, MESSAGE_KIND_ERROR, "Missing \"end instruction\" in the last network");
    else if (m_parenthesisDepth >= 0)
        AddMessage(MSG_MISSING, MESSAGE_KIND_ERROR,
                   ByteString::Format("Missing %d \")\" correspond to the \"AND( or OR(\", in the last network",
                                      m_parenthesisDepth + 1));
    ResetNetworkState();
}

void CILStatementChecker::CheckNetworkHeader()
{
    CILToken* number = TokenAfterMnemonic(1);
    if (!number)
        return;
    const int value = std::atoi(number->GetText(true).c_str());
    g_CompileState.CurrentNetwork = value;
    if (value != m_networkNumber + 1)
        AddMessage(MSG_INVALID_NETWORK, MESSAGE_KIND_WARNING,
                   ByteString::Format("The network No. should be %d (internal error)", m_networkNumber + 1));
    if (!m_endInstructionSeen && m_networkNumber != -1)
        AddMessage(MSG_INVALID_NETWORK, MESSAGE_KIND_ERROR, "Missing \"end instruction\" in previous network");
    if (m_parenthesisDepth >= 0)
        AddMessage(MSG_MISSING, MESSAGE_KIND_ERROR,
                   ByteString::Format("Missing %d \")\" correspond to the \"AND( or OR(\", in previous network",
                                      m_parenthesisDepth + 1));
    const int next = m_networkNumber + 1;
    ResetNetworkState();
    m_networkNumber = next;
    m_expectLoadAfterNetwork = 1;
}

void CILStatementChecker::CheckNext()
{
    if (m_networkPosition != 2)
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
                   "The instruction of \"NEXT\" must be the second instruction in the network");
    else
        m_nextSeen = 1;
    int precompileIndex = 0;
    const int forIndex = PopFor(precompileIndex);
    if (m_pass == 0)
        AddLoopTarget(precompileIndex, g_CompileState.InstructionCounter + 1);
    PutWord(static_cast<WORD>(forIndex));
}

BOOL CILStatementChecker::CheckLabel()
{
    MarkStatement(":");
    if (++m_labelCount > MAX_LABELS_PER_POU)
        AddMessage(MSG_OVERFLOW, MESSAGE_KIND_ERROR,
                   "The number of label definitions in a program exceeds the upper limit.");
    ++m_networkPosition;
    if (m_nextSeen)
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kNextLast);
    if (m_expectLoadAfterLabel) {
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstInstruction);
        m_expectLoadAfterLabel = 0;
    }
    CILToken* name = m_cursor;
    std::string qualified = name ? name->GetText(false) : std::string();
    QualifyName(g_CompileState.CurrentPOULabel, qualified);
    if (m_expectLoadAfterNetwork) {
        if (FindLabel(qualified))
            m_expectLoadAfterLabel = 1;
        else
            AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstInstruction);
        m_expectLoadAfterNetwork = 0;
    }
    if (m_expectLoadAfterParenthesis) {
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstAfterParenthesis);
        m_expectLoadAfterParenthesis = 0;
    }
    m_endInstructionSeen = 1;
    if (m_networkNumber == -1)
        AddMessage(MSG_INVALID_NETWORK, MESSAGE_KIND_ERROR, kEmptyNetwork);
    if (m_parenthesisDepth >= 0 || m_forDepth >= 0)
        AddMessage(MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
                   "A label can not be defined between a pair of \"FOR and NEXT\" or \"AND( and )\" or \"OR( and )\"");

    CILToken* colon = FindDeclarationColon();
    if (!colon)
        return AdvanceCursor();
    if (name->GetNext() != colon) {
        AddMessage(MSG_INVALID_LABEL, MESSAGE_KIND_ERROR, "");
        return AdvanceCursor();
    }
    if (m_pass == 0) {
        if (!IsValidIdentifier(name->GetText(true))) {
            AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR, Quoted(name->GetText(true)) + " - Syntax error");
            return AdvanceCursor();
        }
        CPOUEntry* label = GetLabel(qualified);
        if (!label) {
            AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
                       Quoted(name->GetText(true)) + " - Label does not defined in current POU");
            return AdvanceCursor();
        }
        label->firstInstruction = g_CompileState.InstructionCounter + 2;
        m_objectSize += 4;
        ++g_CompileState.InstructionCounter;
        return AdvanceCursor();
    }
    CPOUEntry* label = GetLabel(qualified);
    if (!label) {
        AddMessage(MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
                   Quoted(name->GetText(true)) + " - Label does not defined in current POU (internal error)");
        return AdvanceCursor();
    }
    m_writePosition = 0;
    PutWord(OpcodeOfRow("LBL"));
    PutWord(static_cast<WORD>(label->firstInstruction));
    AppendObjectCode(m_buffer, m_writePosition);
    ++m_codeInstructionIndex;
    return AdvanceCursor();
}
