#include "CILParseContext.h"

#include "CCompileMessage.h"
#include "CCompileState.h"
#include "platform/ByteString.h"

#include <algorithm>

namespace {

// Separators beyond this position are not looked for.
constexpr int kSeparatorSearchLimit = 1024;

// The separators that split a line into tokens, in table order.
const std::vector<std::string>& LineSeparators()
{
    static const std::vector<std::string> separators = [] {
        std::vector<std::string> texts;
        for (int row = 0; row < SEPARATOR_COUNT; ++row) {
            std::string text = GetSeparatorText(row);
            if (!text.empty())
                texts.push_back(std::move(text));
        }
        return texts;
    }();
    return separators;
}

// The separator that ends the next token of text: the one at the earliest
// position, and of those that begin there the first in table order. Only
// positions below the search limit count; null when none is found there.
const std::string* FirstSeparator(const std::string& text, size_t& position)
{
    const size_t limit = std::min(text.size(), size_t(kSeparatorSearchLimit));
    for (size_t at = 0; at < limit; ++at) {
        for (const std::string& separator : LineSeparators()) {
            if (separator[0] == text[at] && text.compare(at, separator.size(), separator) == 0) {
                position = at;
                return &separator;
            }
        }
    }
    return nullptr;
}

const char* const kMotionNames[MOTION_INSTRUCTIONS] = {"PHOME", "PREL", "PJOG", "PSTOP", "PABS"};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

} // namespace

CILParseContext::CILParseContext()
{
    for (int i = 0; i < MOTION_INSTRUCTIONS; ++i)
        m_motionNames[i] = kMotionNames[i];
}

CILParseContext::~CILParseContext()
{
    DeleteTokens();
}

void CILParseContext::SetPOULabel(const std::string& label)
{
    m_POULabel = label;
    g_CompileState.CurrentPOULabel = label;
}

BOOL CILParseContext::CheckLine(const std::string& line)
{
    if (!line.empty())
        m_line = line;
    m_pass = 0;
    ClearLine();
    Tokenize();
    return DispatchLine();
}

BOOL CILParseContext::CheckAndEmitLine(BYTE emit)
{
    m_emitFlag = emit;
    m_pass = 1;
    ClearLine();
    Tokenize();
    return DispatchLine();
}

BOOL CILParseContext::GetNextMessage(int& code, int& kind, std::string& text)
{
    if (m_messageRead >= m_messages.size())
        return FALSE;
    const CILTokenMsg& message = m_messages[m_messageRead++];
    code = message.code;
    kind = message.kind;
    text = message.text;
    return TRUE;
}

void CILParseContext::DeleteTokens()
{
    m_tokens.clear();
    m_head = nullptr;
    m_scan = nullptr;
    m_cursor = nullptr;
    m_statementToken = nullptr;
    m_statementEnd = nullptr;
}

void CILParseContext::ClearLine()
{
    DeleteTokens();
    m_messages.clear();
    m_messageRead = 0;
    m_messageCount = 0;
}

void CILParseContext::MakeToken(const std::string& text)
{
    auto owned = std::make_unique<CILToken>(text);
    CILToken* token = owned.get();
    token->Classify();
    int code = 0;
    int kind = 0;
    std::string detail;
    while (token->NextMessage(code, kind, detail)) {
        if (code != 0)
            AddMessage(code, kind, detail);
    }
    if (m_tokens.empty()) {
        m_head = token;
        m_cursor = token;
    } else {
        m_tokens.back()->SetNext(token);
    }
    m_tokens.push_back(std::move(owned));
}

void CILParseContext::Tokenize()
{
    m_line = ByteString::Trim(m_line);
    std::string rest = m_line;
    for (;;) {
        rest = ByteString::Trim(rest);
        if (rest.empty())
            return;
        size_t position = 0;
        const std::string* found = FirstSeparator(rest, position);
        if (!found) {
            MakeToken(rest);
            return;
        }
        const std::string& separator = *found;
        const std::string before = ByteString::Trim(rest.substr(0, position));
        if (!before.empty())
            MakeToken(before);
        const std::string mark = ByteString::Trim(separator);
        if (!mark.empty())
            MakeToken(mark);
        rest = rest.substr(position + separator.size());
    }
}

void CILParseContext::AddMessage(int code, int kind, const std::string& text)
{
    m_messages.push_back({code, kind, text});
    ++m_messageCount;
}

void CILParseContext::MarkStatement(const std::string& text)
{
    m_statementEnd = nullptr;
    for (CILToken* token = m_cursor; token; token = token->GetNext()) {
        token->SetConsumed(true);
        if (token->GetText(false) == text) {
            m_statementEnd = token;
            return;
        }
    }
}

BOOL CILParseContext::AdvanceCursor()
{
    while (m_cursor && m_cursor->IsConsumed())
        m_cursor = m_cursor->GetNext();
    return m_cursor == nullptr;
}

CILToken* CILParseContext::FindText(const std::string& text) const
{
    for (CILToken* token = m_cursor; token; token = token->GetNext()) {
        if (token->GetText(false) == text || token == m_statementEnd)
            return token;
    }
    return nullptr;
}

CILToken* CILParseContext::FindSubClass(int subClass) const
{
    for (CILToken* token = m_cursor; token; token = token->GetNext()) {
        if (token->GetSubClass() == subClass || token == m_statementEnd)
            return token;
    }
    return nullptr;
}

int CILParseContext::ClassifyStatement()
{
    m_statementKind = STATEMENT_OTHER;
    m_statementToken = nullptr;
    for (CILToken* token = m_cursor; token; token = token->GetNext()) {
        if (token->GetClass() == TOKEN_KEYWORD) {
            const int subClass = token->GetSubClass();
            m_statementKind = subClass;
            if (subClass == SUBCLASS_NONE)
                continue;
            if (subClass == SUBCLASS_LABEL_COLON && g_CompileState.InDeclarationBlock)
                continue;
            m_statementToken = token;
            return m_statementKind;
        }
        if (token->GetClass() == TOKEN_FUNCTION && token == m_cursor) {
            m_statementKind = token->GetSubClass();
            return m_statementKind;
        }
    }
    return m_statementKind;
}

BOOL CILParseContext::DispatchLine()
{
    for (;;) {
        const CILToken* before = m_cursor;
        BOOL done = FALSE;
        switch (ClassifyStatement()) {
        case STATEMENT_SECTION_START:
            done = CheckSectionStart();
            break;
        case STATEMENT_SECTION_END:
            done = CheckSectionEnd();
            break;
        case STATEMENT_DECLARATION:
            done = CheckDeclaration();
            break;
        case STATEMENT_INSTANCE_DECLARATION:
            done = CheckInstanceDeclaration();
            break;
        case STATEMENT_INSTRUCTION:
            done = CheckInstruction();
            break;
        case STATEMENT_LABEL:
            done = CheckLabel();
            break;
        default:
            done = CheckOtherStatement();
            break;
        }
        if (done)
            break;
        if (m_cursor == before) {
            // A handler that consumed nothing would hold the line forever.
            MarkStatement(std::string());
            AdvanceCursor();
            break;
        }
    }
    return m_messageCount == 0;
}

BOOL CILParseContext::CheckOtherStatement()
{
    MarkStatement(";");
    if (m_cursor != m_statementEnd) {
        if (g_CompileState.InDeclarationBlock)
            AddMessage(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR,
                       Quoted(m_cursor->GetText(true)) + " - Invalid variable definition");
        else
            AddMessage(MSG_INVALID_STRING, MESSAGE_KIND_ERROR, Quoted(m_cursor->GetText(true)));
    }
    return AdvanceCursor();
}
