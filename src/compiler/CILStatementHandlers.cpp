// The statement handlers of CILParseContext until the declaration, network,
// label and instruction checks take them over: each consumes the tokens of
// its statement, so that the rest of the line is dispatched, and queues
// nothing.
#include "CILParseContext.h"

BOOL CILParseContext::CheckSectionStart()
{
    MarkStatement(m_statementToken ? m_statementToken->GetText(false) : std::string(";"));
    return AdvanceCursor();
}

BOOL CILParseContext::CheckSectionEnd()
{
    MarkStatement("END_VAR");
    return AdvanceCursor();
}

BOOL CILParseContext::CheckDeclaration()
{
    MarkStatement(";");
    return AdvanceCursor();
}

BOOL CILParseContext::CheckInstanceDeclaration()
{
    MarkStatement(";");
    return AdvanceCursor();
}

BOOL CILParseContext::CheckInstruction()
{
    MarkStatement(";");
    return AdvanceCursor();
}

BOOL CILParseContext::CheckLabel()
{
    MarkStatement(":");
    return AdvanceCursor();
}
