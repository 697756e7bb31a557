#include "CILProgram.h"

#include "CILEditor.h"
#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "model/CZULFunc.h"
#include "model/DirectAddress.h"
#include "model/CZULProjectPOUs.h"
#include "platform/ByteString.h"

#include <algorithm>

namespace {
const std::string LINE_END = "\r\n";
const char* const HEADER_FORMAT = "(* Network %d *)";
const std::string TAB_AS_BLANKS(8, ' ');
const std::string OPEN_COMMENT = "(*";
const std::string CLOSE_COMMENT = "*)";

// The first snapshot of a new POU: caret on line 1, no scrolling, the header.
constexpr int FIRST_SNAPSHOT_CARET_LINE = 1;

// Monitor item flags.
constexpr OperandTypeFlags TIMER_COUNTER_AREAS = OT_AREA_T | OT_AREA_C;
constexpr OperandTypeFlags NO_OPERAND_MASK_FLAGS = OT_INT;
constexpr int MAX_QUERY_OPERANDS = 16;

std::string HeaderText(int number)
{
    return ByteString::Format(HEADER_FORMAT, number);
}

std::string ExpandTabs(const std::string& line)
{
    std::string out;
    for (char c : line) {
        if (c == '\t')
            out += TAB_AS_BLANKS;
        else
            out += c;
    }
    return out;
}
} // namespace

CILProgram::CILProgram(CZULAppData& app, IPOUEditorHost* host)
    : CPOUProgram(app)
    , m_host(host)
{
    m_language = POU_LANGUAGE_IL;
    m_editor = std::make_unique<CILEditor>(*this, app, host);
    m_pEditor = m_editor.get();
}

CILProgram::~CILProgram() = default;

void CILProgram::WriteLines(CArchive& ar) const
{
    for (const std::string& line : m_lines) {
        ar.Write(line.data(), line.size());
        ar.Write(LINE_END.data(), LINE_END.size());
    }
}

void CILProgram::ReadLines(CArchive& ar)
{
    m_lines.clear();
    ar.ReadLines(m_lines);
    for (std::string& line : m_lines)
        line = ExpandTabs(line);
}

void CILProgram::Serialize(CArchive& ar, BOOL toFile)
{
    if (toFile) {
        if (ar.IsStoring()) {
            WriteLines(ar);
            if (!m_lines.empty() && !m_lines.back().empty())
                ar.Write(LINE_END.data(), LINE_END.size());
        } else {
            ReadLines(ar);
        }
        return;
    }
    if (ar.IsStoring()) {
        int x = 0;
        int y = 0;
        if (m_host)
            m_host->GetScrollPosition(x, y);
        ar << m_editor->GetCaretLine() << m_editor->GetCaretColumn() << x << y;
        WriteLines(ar);
        return;
    }
    int caretLine = 0;
    int caretColumn = 0;
    int x = 0;
    int y = 0;
    ar >> caretLine >> caretColumn >> x >> y;
    m_editor->SetCaret(caretLine, caretColumn);
    m_lines.clear();
    if (m_host)
        m_host->ScrollTo(x, y);
    ReadLines(ar);
    if (m_lines.empty())
        m_lines.emplace_back();
    m_editor->ClampCaret();
}

void CILProgram::Clear()
{
    m_lines.clear();
    m_lines.emplace_back();
}

BOOL CILProgram::InitNew()
{
    if (m_lines.empty())
        m_lines.emplace_back();
    m_lines[0] = HeaderText(0);
    m_lines.insert(m_lines.begin() + 1, std::string());
    CArchive ar;
    ar << FIRST_SNAPSHOT_CARET_LINE << 0 << 0 << 0;
    const std::string header = HeaderText(0);
    ar.Write(header.data(), header.size());
    ar.Write(LINE_END.data(), LINE_END.size());
    AddUndoSnapshot(ar.GetBuffer());
    return TRUE;
}

BOOL CILProgram::OnOpened(const std::string&)
{
    if (m_lines.empty()) {
        m_lines.push_back(HeaderText(0));
        m_lines.emplace_back();
        return TRUE;
    }
    if (IsHeaderLine(0))
        m_lines[0] = HeaderText(0);
    else
        m_lines.insert(m_lines.begin(), HeaderText(0));
    return TRUE;
}

int CILProgram::PrepareSave(const std::string&)
{
    m_editor->RewriteAllLines(FALSE, ROUTINES_TO_NUMBERED);
    for (int i = 0; i < GetLineCount(); ++i) {
        if (!ByteString::Trim(m_lines[i]).empty() && !IsHeaderLine(i))
            return 0;
    }
    m_setAsideLines = m_lines;
    m_lines.assign(1, " ");
    return 1;
}

void CILProgram::AfterSave(const std::string&, int prepared)
{
    if (prepared != 0) {
        m_lines = std::move(m_setAsideLines);
        m_setAsideLines.clear();
    }
    m_editor->RewriteAllLines(m_app.SymbolicAddressing != 0, ROUTINES_TO_NAMES);
    RecordInstances();
}

void CILProgram::RecordInstances()
{
    m_recordedNames.clear();
    m_recordedTypes.clear();
    if (!m_host)
        return;
    m_app.Project.FBTable.GetFBInstancesOfPOU(m_host->GetPOUName(), m_recordedNames, m_recordedTypes);
}

void CILProgram::DiscardChanges()
{
    if (!m_host)
        return;
    const std::string pou = m_host->GetPOUName();
    if (pou.empty())
        return;
    m_app.Project.FBTable.RemoveFBInstancesOfPOU(pou);
    const size_t count = std::min(m_recordedNames.size(), m_recordedTypes.size());
    for (size_t i = 0; i < count; ++i)
        m_app.Project.FBTable.AddFBInstance(m_recordedNames[i], m_recordedTypes[i], pou, FB_LIST_TABLE);
}

void CILProgram::GetILLines(std::vector<std::string>& lines)
{
    lines.insert(lines.end(), m_lines.begin(), m_lines.end());
}

BOOL CILProgram::GoToFindResult(int result, int row, int column)
{
    return m_editor->GoToFindResult(result, row, column);
}

BOOL CILProgram::GoToLine(int line)
{
    return m_editor->GoToLine(line);
}

BOOL CILProgram::IsValid()
{
    m_editor->CheckLines(TRUE, 0);
    const int count = std::min(GetLineCount(), m_editor->GetLineStateCount());
    for (int i = 0; i < count; ++i) {
        if (m_editor->GetLineState(i) == IL_LINE_ERROR)
            return FALSE;
    }
    return TRUE;
}

BOOL CILProgram::IsHeaderLine(int i) const
{
    if (i < 0 || i >= GetLineCount())
        return FALSE;
    std::string number;
    return m_parser.IsNetworkHeader(m_lines[i], number);
}

BOOL CILProgram::AnyHeaderInRange(int first, int last) const
{
    for (int i = first; i <= last; ++i) {
        if (IsHeaderLine(i))
            return TRUE;
    }
    return FALSE;
}

BOOL CILProgram::FindHeaderAbove(int n, std::string& number) const
{
    for (int i = std::min(n, GetLineCount() - 1); i >= 0; --i) {
        if (m_parser.IsNetworkHeader(m_lines[i], number))
            return TRUE;
    }
    return FALSE;
}

BOOL CILProgram::RenumberHeaderLine(std::string& line, const std::string& number) const
{
    std::string old;
    if (!m_parser.IsNetworkHeader(line, old))
        return FALSE;
    ByteString::Replace(line, old, number);
    return TRUE;
}

void CILProgram::RenumberAll()
{
    int next = 0;
    for (std::string& line : m_lines) {
        if (RenumberHeaderLine(line, std::to_string(next)))
            ++next;
    }
}

BOOL CILProgram::RenumberFrom(int i)
{
    if (i <= 0 || i >= GetLineCount() || !IsHeaderLine(i))
        return FALSE;
    std::string above;
    const int number = FindHeaderAbove(i - 1, above) ? std::atoi(above.c_str()) + 1 : 0;
    m_lines[i] = HeaderText(number);
    int next = number + 1;
    for (int j = i + 1; j < GetLineCount(); ++j) {
        if (RenumberHeaderLine(m_lines[j], std::to_string(next)))
            ++next;
    }
    return TRUE;
}

BOOL CILProgram::InsertNetworkHeader(int index)
{
    if (index < 0 || index >= GetLineCount())
        return FALSE;
    std::string above;
    const int number = FindHeaderAbove(index, above) ? std::atoi(above.c_str()) + 1 : 0;
    BOOL inserted = FALSE;
    int headerRow = index;
    if (!ByteString::Trim(m_lines[index]).empty()) {
        m_lines.insert(m_lines.begin() + index + 1, HeaderText(number));
        headerRow = index + 1;
        inserted = TRUE;
    } else {
        m_lines[index] = HeaderText(number);
    }
    int next = number + 1;
    for (int j = headerRow + 1; j < GetLineCount(); ++j) {
        if (RenumberHeaderLine(m_lines[j], std::to_string(next)))
            ++next;
    }
    return inserted;
}

BOOL CILProgram::RemoveEmbeddedHeaders(int i)
{
    if (i < 0 || i >= GetLineCount() || IsHeaderLine(i))
        return FALSE;
    std::string& line = m_lines[i];
    size_t pos = 0;
    for (;;) {
        const size_t open = line.find(OPEN_COMMENT, pos);
        if (open == std::string::npos)
            break;
        const size_t close = line.find(CLOSE_COMMENT, open);
        if (close == std::string::npos)
            break;
        const size_t end = close + CLOSE_COMMENT.size();
        std::string number;
        if (m_parser.IsNetworkHeader(line.substr(open, end - open), number)) {
            line.erase(open, end - open);
            line.insert(open, 1, ' ');
            pos = open;
        } else {
            pos = end;
        }
    }
    return TRUE;
}

BOOL CILProgram::IsJumpKeyword(const std::string& text)
{
    static const char* const keywords[] = {"JMP", "JMPC", "JMPCN", "LBL", "RET", "RETC", "RETCN"};
    const std::string trimmed = ByteString::Trim(text);
    return std::any_of(std::begin(keywords), std::end(keywords),
                       [&](const char* k) { return trimmed == k; });
}

BOOL CILProgram::BuildMonitorLists(std::vector<std::unique_ptr<CILMonitorList>>& lists) const
{
    for (int i = 0; i < GetLineCount(); ++i) {
        if (ByteString::Trim(m_lines[i]).empty())
            continue;
        const std::string code = m_parser.StripComments(m_lines[i]);
        if (code.empty() || code == "AND(")
            continue;
        std::string label;
        if (m_editor->ParseLabelLine(m_lines[i], label) != LABEL_NONE)
            continue;
        std::vector<std::string> tokens;
        m_editor->TokenizeLine(m_lines[i], tokens);
        if (tokens.empty() || tokens[0] == "ATCH" || m_editor->CheckJumpLine(tokens) != -1)
            continue;
        COpcodeDef query{};
        const int verdict = m_editor->CheckInstruction(tokens, query);
        if (verdict != INSTR_ACCEPTED && verdict != INSTR_ACCEPTED_POINTER)
            m_editor->CheckSubroutineCall(tokens, m_host ? m_host->GetPOUName() : std::string(), query);
        auto list = std::make_unique<CILMonitorList>(i);
        AddMonitorItems(*list, tokens, query);
        lists.push_back(std::move(list));
    }
    return TRUE;
}

void CILProgram::AddMonitorItems(CILMonitorList& list, const std::vector<std::string>& tokens,
                                 const COpcodeDef& query) const
{
    for (size_t j = 0; j < tokens.size(); ++j) {
        const std::string token = ByteString::Trim(tokens[j]);
        if (IsReservedWord(token))
            continue;
        OperandTypeFlags area = 0;
        std::string address;
        if (ParseDirectAddress(token, area)) {
            address = token;
        } else {
            const std::string name = token.substr(0, token.find('.'));
            CZULFunc function;
            if (name.find(':') != std::string::npos || IsJumpKeyword(name) || name == "CAL" || name == "CALC"
                || name == "CALCN" || IsReservedWord(name) || m_app.LookupFunction(name, function))
                continue;
            if (!m_editor->ResolveToAddress(name, address) || !ParseDirectAddress(address, area))
                continue;
        }
        const int k = static_cast<int>(j);
        const OperandTypeFlags flags = (k >= 1 && k <= MAX_QUERY_OPERANDS)
            ? ((query.operandMasks[k - 1] & OT_TYPE_BITS) | (area & OT_AREA_BITS))
            : NO_OPERAND_MASK_FLAGS;
        const BOOL statusBit = (area & TIMER_COUNTER_AREAS) != 0 && (flags & OT_BOOL) != 0;
        list.AddItem(token, address, flags, statusBit);
    }
}
