#include "CILStatementChecker.h"

#include "CCompileState.h"
#include "CObjectFile.h"

CILStatementChecker::CILStatementChecker()
{
    ClearParameterSlots();
    InstallCompilerXrefPosition();
}

std::string CILStatementChecker::Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::vector<BYTE> CILStatementChecker::TakeEmittedCode()
{
    std::vector<BYTE> code;
    code.swap(m_emitted);
    return code;
}

void CILStatementChecker::CopyTokenMessages(CILToken* token)
{
    int code = 0;
    int kind = 0;
    std::string text;
    while (token->NextMessage(code, kind, text)) {
        if (code != 0)
            AddMessage(code, kind, text);
    }
}

BOOL CILStatementChecker::FindMotionInstruction(const std::string& name, int& index) const
{
    for (int i = 0; i < MOTION_INSTRUCTIONS; ++i) {
        if (m_motionNames[i] == name) {
            index = i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CILStatementChecker::IsInstanceCalled(const std::string& name) const
{
    for (const std::string& instance : m_calledInstances) {
        if (instance == name)
            return TRUE;
    }
    return FALSE;
}

void CILStatementChecker::ClearParameterSlots()
{
    for (CParameterSlot& slot : m_parameterSlots) {
        slot.operand.clear();
        slot.used = 0;
    }
}

CILToken* CILStatementChecker::TokenAfterMnemonic(int n) const
{
    CILToken* token = m_cursor;
    for (int i = 0; i < n && token; ++i) {
        token = token->GetNext();
        if (token == m_statementEnd)
            return nullptr;
    }
    return token;
}

CILToken* CILStatementChecker::SecondOperand() const
{
    CILToken* second = TokenAfterMnemonic(2);
    if (second && second->GetText(false) == ",")
        return TokenAfterMnemonic(3);
    return second;
}

int CILStatementChecker::TokensAfterMnemonic() const
{
    int count = 0;
    while (TokenAfterMnemonic(count + 1))
        ++count;
    return count;
}

void CILStatementChecker::PutWord(WORD value)
{
    if (m_writePosition + 2 > INSTRUCTION_BUFFER_BYTES)
        return;
    m_buffer[m_writePosition] = static_cast<BYTE>(value & 0xFF);
    m_buffer[m_writePosition + 1] = static_cast<BYTE>(value >> 8);
    m_writePosition += 2;
}

void CILStatementChecker::AppendObjectCode(const BYTE* bytes, int count)
{
    g_CompileState.ObjectOffset += count;
    m_emitted.insert(m_emitted.end(), bytes, bytes + count);
    CObjectFile::Append(bytes, count);
}
