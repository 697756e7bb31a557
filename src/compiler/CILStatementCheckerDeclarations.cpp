// VAR sections, variable declarations and FB instance declarations. The
// precompile pass files each declared variable in the project's variable
// list of its POU and in the compiler's symbol list; the code pass only
// consumes the statements.
#include "CCompileMessage.h"
#include "CCompileState.h"
#include "CILStatementChecker.h"
#include "CompilerSymbols.h"
#include "model/CLocalAddressTable.h"
#include "model/CZULAppData.h"
#include "model/DirectAddress.h"
#include "platform/ByteString.h"

#include <cstdlib>

namespace {

const char kInvalidDefinition[] = "Invalid variable definition (internal error)";
const char kInternalError[] = " - (internal error)";
const char kInvalidInitialization[] = " - Invalid initializtion (internal error)";
const char kMissingComma[] = "Missing a \",\" between two variables";
const char kLocalMemory[] =
    " The memory allocation for the local variables does not suit the current CPU. Please execute "
    "'Reallocate Local Variables' menu command to correct it.";

// Data-type keywords (by keyword id) and their type bits.
struct CTypeKeyword {
    int keywordId;
    OperandTypeFlags typeBits;
};

const CTypeKeyword kTypeKeywords[] = {
    {3, OT_BOOL},  // BOOL
    {26, OT_BOOL}, // ANY_BIT
    {4, OT_BYTE},  // BYTE
    {5, OT_WORD},  // WORD
    {6, OT_DWORD}, // DWORD
    {10, OT_INT},  // INT
    {27, OT_INT},  // ANY_INT
    {12, OT_DINT}, // DINT
    {16, OT_REAL}, // REAL
    {29, OT_REAL}, // ANY_REAL
};

// What a VAR section gives its variables.
struct CSectionRule {
    int keywordId;
    int sectionNumber;
    OperandTypeFlags parameterBits;
    BYTE globalFlag;
};

const CSectionRule kSectionRules[] = {
    {KEYWORD_ID_VAR_INPUT, SECTION_NUMBER_INPUT, 0x2000, 0},
    {KEYWORD_ID_VAR_IN_OUT, SECTION_NUMBER_IN_OUT, 0x6000, 0},
    {KEYWORD_ID_VAR_OUTPUT, SECTION_NUMBER_OUTPUT, 0x6000, 0},
    {KEYWORD_ID_VAR, SECTION_NUMBER_VAR, 0, 0},
    {KEYWORD_ID_VAR_GLOBAL, SECTION_NUMBER_OTHER, 0, 1},
};

CSectionRule SectionRule(int section)
{
    for (const CSectionRule& rule : kSectionRules) {
        if (rule.keywordId == section)
            return rule;
    }
    return {section, SECTION_NUMBER_OTHER, 0, 0};
}

bool IsSectionKeyword(int id)
{
    return id == KEYWORD_ID_VAR || id == KEYWORD_ID_VAR_GLOBAL || id == KEYWORD_ID_VAR_INPUT ||
           id == KEYWORD_ID_VAR_IN_OUT || id == KEYWORD_ID_VAR_OUTPUT || id == KEYWORD_ID_VAR_TEMP;
}

// Section fields of the project's variable lists.
constexpr int LIST_SECTION_GLOBAL = 4;
constexpr int LIST_SECTION_MAIN = 5;
constexpr int LIST_MAIN = 1;
constexpr int LIST_FIRST_SUBROUTINE = 2;
constexpr int LIST_FIRST_INTERRUPT = 101;
constexpr int SUBROUTINE_LISTS = 99;
constexpr int INTERRUPT_LISTS = 64;

// The list of a POU label; -1 when the label files nothing.
int ListOfLabel(const std::string& label)
{
    if (label == "MAIN")
        return LIST_MAIN;
    const bool subroutine = ByteString::StartsWith(label, "SBR");
    if (!subroutine && !ByteString::StartsWith(label, "INT"))
        return -1;
    const std::string digits = label.substr(3);
    if (digits.empty() || digits.size() > 3 || digits.find_first_not_of("0123456789") != std::string::npos)
        return -1;
    const int number = std::atoi(digits.c_str());
    if (subroutine)
        return number < SUBROUTINE_LISTS ? LIST_FIRST_SUBROUTINE + number : -1;
    return number < INTERRUPT_LISTS ? LIST_FIRST_INTERRUPT + number : -1;
}

} // namespace

OperandTypeFlags TypeKeywordToTypeBits(int keywordId)
{
    for (const CTypeKeyword& row : kTypeKeywords) {
        if (row.keywordId == keywordId)
            return row.typeBits;
    }
    return 0;
}

BOOL CILStatementChecker::CheckSectionStart()
{
    const std::string keyword = m_statementToken ? m_statementToken->GetText(false) : std::string(";");
    MarkStatement(keyword);
    if (g_CompileState.InDeclarationBlock)
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, "Missing \"END_VAR\" (internal error)");
    if (m_cursor && m_cursor != m_statementToken)
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, Quoted(m_cursor->GetText(true)) + kInternalError);
    g_CompileState.InDeclarationBlock = true;
    const int id = GetKeywordId(keyword);
    if (IsSectionKeyword(id))
        m_currentSection = id;
    return AdvanceCursor();
}

BOOL CILStatementChecker::CheckSectionEnd()
{
    MarkStatement("END_VAR");
    if (!g_CompileState.InDeclarationBlock)
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, "Missing \"VAR\" (internal error)");
    if (m_cursor && m_cursor != m_statementToken)
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, Quoted(m_cursor->GetText(true)) + kInternalError);
    g_CompileState.InDeclarationBlock = false;
    m_currentSection = NO_SECTION;
    return AdvanceCursor();
}

CILToken* CILStatementChecker::FindDeclarationColon()
{
    CILToken* colon = FindText(":");
    const bool isColon = colon && colon->GetText(false) == ":";
    if (isColon && colon == m_cursor) {
        if (g_CompileState.InDeclarationBlock)
            AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                       Quoted(colon->GetText(true)) + " - Invalid definition (internal error)");
        else
            AddMessage(MSG_INVALID_LABEL, MESSAGE_KIND_ERROR, "Label can not be empty (internal error)");
        return nullptr;
    }
    if (!isColon && g_CompileState.InDeclarationBlock) {
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, "Invalid definition (internal error)");
        return nullptr;
    }
    return colon;
}

CILToken* CILStatementChecker::ParseInitialValue(CILToken* typeToken, OperandTypeFlags typeBits, BYTE& hasValue,
                                                 CConstantValue& value)
{
    hasValue = 1;
    value = CConstantValue();
    CILToken* assign = FindSubClass(KEYWORD_CLASS_ASSIGN);
    if (!assign || assign->GetSubClass() != int(KEYWORD_CLASS_ASSIGN)) {
        hasValue = 0;
        if (typeToken->GetNext() == m_statementEnd)
            return typeToken;
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, Quoted(typeToken->GetText(true)) + kInvalidInitialization);
        return nullptr;
    }
    CILToken* first = assign->GetNext();
    if (typeToken->GetNext() != assign || !first || first == m_statementEnd) {
        hasValue = 0;
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, Quoted(typeToken->GetText(true)) + kInvalidInitialization);
        return nullptr;
    }
    std::string upper;
    std::string written;
    for (CILToken* token = first; token && token != m_statementEnd && token->GetText(false) != ";";
         token = token->GetNext()) {
        upper += token->GetText(false);
        written += token->GetText(true);
    }
    const int result = ParseTypedConstant(upper, typeBits, value);
    if (result == CONST_PARSE_TYPE_NOT_SUPPORTED || result == CONST_PARSE_INVALID_TEXT ||
        result == CONST_PARSE_OUT_OF_RANGE) {
        hasValue = 0;
        const std::string quoted = result == CONST_PARSE_TYPE_NOT_SUPPORTED ? typeToken->GetText(true) : written;
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, Quoted(quoted) + kInvalidInitialization);
        return nullptr;
    }
    return assign;
}

BOOL CILStatementChecker::CheckDeclaration()
{
    MarkStatement(";");
    if (!g_CompileState.InDeclarationBlock) {
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, kInvalidDefinition);
        return AdvanceCursor();
    }
    CILToken* colon = FindDeclarationColon();
    if (!colon)
        return AdvanceCursor();
    CILToken* typeToken = colon->GetNext();
    if (!typeToken || typeToken != m_statementToken) {
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, kInvalidDefinition);
        return AdvanceCursor();
    }
    const OperandTypeFlags typeBits = TypeKeywordToTypeBits(GetKeywordId(typeToken->GetText(false)));
    BYTE hasValue = 0;
    CConstantValue value;
    if (!ParseInitialValue(typeToken, typeBits, hasValue, value))
        return AdvanceCursor();
    CILToken* name = m_cursor;
    while (name) {
        CILToken* after = DeclareVariable(name, colon, typeBits, hasValue, value);
        if (!after || after == colon)
            break;
        if (after->GetText(false) != ",") {
            AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, kMissingComma);
            break;
        }
        name = after->GetNext();
    }
    return AdvanceCursor();
}

CILToken* CILStatementChecker::DeclareVariable(CILToken* name, CILToken* colon, OperandTypeFlags typeBits,
                                               BYTE hasValue, const CConstantValue& value)
{
    if (!name->CheckUserIdentifier(name->GetText(true), 1)) {
        CopyTokenMessages(name);
        return nullptr;
    }
    CILToken* address = name->GetNext();
    if (!address || address == colon || address->GetText(false) == ",") {
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                   Quoted(name->GetText(true)) + " - Missing direct address (internal error)");
        return nullptr;
    }
    std::string upper;
    std::string written;
    CILToken* end = address;
    for (; end && end != colon && end->GetText(false) != ","; end = end->GetNext()) {
        upper += end->GetText(false);
        written += end->GetText(true);
    }
    if (!address->CheckDirectAddress(upper, typeBits, true)) {
        CopyTokenMessages(address);
        return nullptr;
    }
    CMemAreaDef areaRow = {};
    EncodedPlcAddress encoded = 0;
    address->GetAddress(areaRow, encoded);
    if ((areaRow.areaFlags & OT_READABLE) && !(areaRow.areaFlags & OT_WRITABLE) && hasValue) {
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                   Quoted(written) + " - The read-only memory can not be written");
        return nullptr;
    }
    if (m_pass == 0) {
        if (IsPOUName(name->GetText(false)))
            AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                       Quoted(name->GetText(true)) + " - Variable can not use the same string as any POU");
        std::string qualified = name->GetText(false);
        QualifyName(g_CompileState.CurrentPOULabel, qualified);
        if (FindVariable(qualified)) {
            AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                       Quoted(name->GetText(true)) + " - Variable redefined");
            return nullptr;
        }
        FileVariable(name, typeBits, upper.substr(2), areaRow, encoded, hasValue, value);
    }
    if (!end)
        return colon;
    return end;
}

void CILStatementChecker::FileVariable(CILToken* name, OperandTypeFlags typeBits, const std::string& addressText,
                                       const CMemAreaDef& areaRow, EncodedPlcAddress address, BYTE hasValue,
                                       const CConstantValue& value)
{
    const CSectionRule rule = SectionRule(m_currentSection);
    if (!ReserveLocalAddress(name->GetText(false), addressText))
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, Quoted(name->GetText(true)) + kLocalMemory);
    RecordPOUVariable(name->GetText(true), typeBits, rule.sectionNumber, rule.globalFlag, address,
                      g_CompileState.CurrentPOULabel);
    std::string qualified = name->GetText(false);
    QualifyName(g_CompileState.CurrentPOULabel, qualified);
    AddVariable(qualified, typeBits | rule.parameterBits, addressText, areaRow, address, value, hasValue,
                rule.globalFlag, rule.sectionNumber);
}

BOOL CILStatementChecker::IsPOUName(const std::string& upperName) const
{
    for (CPOUEntry* pou = FirstPOU(); pou; pou = pou->next) {
        // Upper case keeps the length, so only names of that length need it.
        if (pou->label == upperName ||
            (pou->name.size() == upperName.size() && ByteString::Upper(pou->name) == upperName))
            return TRUE;
    }
    return FALSE;
}

BOOL CILStatementChecker::RecordPOUVariable(const std::string& name, OperandTypeFlags typeBits, int sectionNumber,
                                            BYTE globalFlag, EncodedPlcAddress address, const std::string& POULabel)
{
    int list = 0;
    int section = LIST_SECTION_GLOBAL;
    if (!globalFlag) {
        if (POULabel.empty() || sectionNumber == SECTION_NUMBER_OTHER)
            return FALSE;
        list = ListOfLabel(POULabel);
        if (list < 0)
            return FALSE;
        section = list == LIST_MAIN ? LIST_SECTION_MAIN : sectionNumber;
    }
    if (!g_pAppData)
        return FALSE;
    CPOUVarList& vars = g_pAppData->Project.POUVarLists[list];
    CPOUVarInfo info;
    info.address = address;
    info.section = section;
    info.typeBits = typeBits & OT_TYPE_BITS;
    info.name = name;
    vars.vars.push_back(info);
    vars.varCount = static_cast<int>(vars.vars.size());
    return TRUE;
}

BOOL CILStatementChecker::CheckInstanceDeclaration()
{
    MarkStatement(";");
    if (!g_CompileState.InDeclarationBlock) {
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, kInvalidDefinition);
        return AdvanceCursor();
    }
    CILToken* fbType = m_statementToken;
    if (!fbType || fbType->GetNext() != m_statementEnd) {
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                   Quoted(fbType ? fbType->GetText(true) : std::string()) + " - Invalid variable definition (internal error)");
        return AdvanceCursor();
    }
    CILToken* colon = FindDeclarationColon();
    if (!colon)
        return AdvanceCursor();
    if (colon->GetNext() != fbType) {
        AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, kInvalidDefinition);
        return AdvanceCursor();
    }
    for (CILToken* name = m_cursor; name && name != colon;) {
        if (!name->CheckUserIdentifier(name->GetText(true), 1)) {
            CopyTokenMessages(name);
            break;
        }
        if (m_pass == 0) {
            OperandTypeFlags flags = 0;
            if (!ParseDirectAddress(name->GetText(false), flags)) {
                AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                           Quoted(name->GetText(true)) + " - Invalid instance of function block (internal error)");
                break;
            }
            if (FindVariable(name->GetText(false))) {
                AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                           Quoted(name->GetText(true)) + " - The instance of function block redefined");
                break;
            }
            AddFBInstanceEntry(name->GetText(false), fbType->GetText(false));
        }
        CILToken* after = name->GetNext();
        if (after == colon)
            break;
        if (!after || after->GetText(false) != ",") {
            AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, kMissingComma);
            break;
        }
        name = after->GetNext();
    }
    return AdvanceCursor();
}
