// The line rules of the IL editor: the check of each line with its labels,
// brackets and FB instances, the per-line records, and the rewriting of lines
// into one form.

#include "CILEditor.h"

#include "CILProgram.h"
#include "IPOUEditorHost.h"
#include "model/CZULAppData.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/InstrSignature.h"
#include "model/CZULProjectPOUs.h"
#include "model/TypedConstants.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int CHECK_WINDOW_LINES = 70;
constexpr size_t MAX_MNEMONIC_LENGTH = 12;
constexpr size_t MAX_TOKENS = 1 + OPCODE_MAX_OPERANDS;
constexpr int MAX_ATTACH_EVENT = 32;
constexpr size_t MNEMONIC_COLUMN = 8;
constexpr size_t COMMENT_COLUMN = 20;
const std::string COMMENT_GAP = "    ";
const std::string OPEN_COMMENT = "(*";
const std::string CLOSE_COMMENT = "*)";

// Symbol type flags keep these bits of the address's flags whatever they say.
constexpr OperandTypeFlags SYMBOL_KEEP_BITS = 0xFFFF8800;
// A call operand and its parameter share an area or the constant flag.
constexpr OperandTypeFlags AREA_OR_CONSTANT = OT_AREA_BITS | OT_CONSTANT;

// Operand ranges of instructions whose numeric operands the PLC limits.
struct NumericOperandRange {
    int minimum;
    int maximum;
};
constexpr NumericOperandRange ANY_VALUE = {-1, -1};
struct NumericOperandRangeRow {
    char mnemonic[12];
    int operandCount;
    NumericOperandRange ranges[5];
};
const NumericOperandRangeRow NumericOperandRangeTable[] = {
    {"HDEF", 2, {{0, 24}, {0, 30}, ANY_VALUE, ANY_VALUE, ANY_VALUE}},
    {"HSC", 1, {{0, 24}, ANY_VALUE, ANY_VALUE, ANY_VALUE, ANY_VALUE}},
    {"PLS", 1, {{0, 1}, ANY_VALUE, ANY_VALUE, ANY_VALUE, ANY_VALUE}},
    {"RCV", 2, {ANY_VALUE, {0, 1}, ANY_VALUE, ANY_VALUE, ANY_VALUE}},
    {"XMT", 2, {ANY_VALUE, {0, 1}, ANY_VALUE, ANY_VALUE, ANY_VALUE}},
};

// Mnemonics whose pointer operands the opcode table itself checks.
const char* const OPCODE_POINTER_MNEMONICS[] = {"BLKMOVE", "FILL", "SWAP", "ROL", "ROR"};

// Timer, counter and bistable declarations: instance prefix and the FB types.
struct InstancePrefixRow {
    const char* prefix;
    const char* types[3];
};
const InstancePrefixRow INSTANCE_PREFIXES[] = {
    {"T", {"TON", "TOF", "TP"}},
    {"C", {"CTU", "CTD", "CTUD"}},
    {"RS", {"RS", nullptr, nullptr}},
    {"SR", {"SR", nullptr, nullptr}},
};

bool IsDigits(const std::string& text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a digit text, saturated so that long texts stay out of every range.
long long DigitsValue(const std::string& text)
{
    constexpr long long cap = 1LL << 40;
    constexpr long long radix = 10;
    long long value = 0;
    for (char c : text)
        value = std::min(cap, value * radix + (c - '0'));
    return value;
}

bool IsSeparatorByte(char c)
{
    return IsAnySeparator(std::string(1, c));
}

constexpr unsigned char DOUBLE_BYTE_LEAD_BIT = 0x80;

bool IsLeadByte(char c)
{
    return (static_cast<unsigned char>(c) & DOUBLE_BYTE_LEAD_BIT) != 0;
}

// The end of the token that starts at pos: a run of non-separator bytes, a
// double-byte character taken whole.
size_t TokenEnd(const std::string& line, size_t pos)
{
    while (pos < line.size() && !IsSeparatorByte(line[pos]))
        pos += IsLeadByte(line[pos]) && pos + 1 < line.size() ? 2 : 1;
    return pos;
}

void ReplaceTrailingComma(std::string& line)
{
    if (!line.empty() && line.back() == ',')
        line.back() = ' ';
}

void PadTo(std::string& text, size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
}

std::vector<std::string> SplitAtBlanksAndTabs(const std::string& text)
{
    std::vector<std::string> parts;
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ' || text[pos] == '\t') {
            ++pos;
            continue;
        }
        const size_t end = text.find_first_of(" \t", pos);
        parts.push_back(text.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
        pos = end == std::string::npos ? text.size() : end;
    }
    return parts;
}
} // namespace

// ---- line check ----

int CILEditor::GetLineState(int row) const
{
    if (row < 0 || row >= GetLineStateCount())
        return IL_LINE_OK;
    return m_lineStates[row];
}

void CILEditor::SetLineState(int row, int state)
{
    if (row < 0)
        return;
    if (row >= GetLineStateCount())
        m_lineStates.resize(row + 1, IL_LINE_OK);
    m_lineStates[row] = state;
}

void CILEditor::RebuildLabels()
{
    m_labels.clear();
    const std::vector<std::string>& lines = m_program.GetLines();
    for (size_t row = 0; row < lines.size(); ++row) {
        std::string name;
        if (ParseLabelLine(lines[row], name) == LABEL_VALID)
            m_labels.emplace(ByteString::Upper(name), std::to_string(row));
    }
}

int CILEditor::NetworkOfRow(int row, int carried) const
{
    std::string number;
    if (m_parser.IsNetworkHeader(m_program.GetLines()[row], number))
        return std::atoi(number.c_str());
    return carried;
}

void CILEditor::CheckLines(BOOL all, int firstVisibleLine)
{
    if (IsMonitoring())
        return;
    RebuildLabels();
    const int count = m_program.GetLineCount();
    const int first = all ? 0 : std::clamp(firstVisibleLine, 0, std::max(0, count - 1));
    const int end = all ? count : std::min(first + CHECK_WINDOW_LINES, count);
    if (all) {
        // Every bracket is recorded again; none of a line that no longer exists may stay.
        m_lineStates.clear();
        ReleaseInstanceEntries(-1, -1);
        m_parens.RemoveAll();
    } else {
        ReleaseInstanceEntries(first, end - 1);
    }
    if (!all && end > first) {
        const int lastLength = static_cast<int>(m_program.GetLines()[end - 1].size());
        m_parens.RemoveRange(first, 0, end - 1, lastLength);
    }
    const std::string pou = GetPOUName();
    std::string above;
    int network = m_program.FindHeaderAbove(first, above) ? std::atoi(above.c_str()) : 0;
    for (int row = first; row < end; ++row) {
        network = NetworkOfRow(row, network);
        const std::string& line = m_program.GetLines()[row];
        SetLineState(row, CheckLine(line, row, network, pou) ? IL_LINE_OK : IL_LINE_ERROR);
    }
    MarkUnbalancedBrackets();
}

void CILEditor::CheckVisibleLines()
{
    CheckLines(FALSE, FirstVisibleLine());
}

BOOL CILEditor::CheckLine(const std::string& line, int row, int network, const std::string& pouName)
{
    if (ByteString::Trim(line).empty())
        return TRUE;
    const std::string code = m_parser.StripComments(line);
    if (code.empty())
        return TRUE;
    m_parens.AddBracketsOfLine(code, row, network);
    if (code == "AND(")
        return TRUE;
    std::string label;
    const int labelKind = ParseLabelLine(line, label);
    if (labelKind == LABEL_INVALID)
        return FALSE;
    if (labelKind == LABEL_VALID) {
        const std::string key = ByteString::Upper(label);
        const auto found = m_labels.find(key);
        if (found == m_labels.end()) {
            m_labels.emplace(key, std::to_string(row));
            return TRUE;
        }
        return found->second == std::to_string(row);
    }
    std::vector<std::string> tokens;
    if (!TokenizeLine(line, tokens))
        return FALSE;
    if (tokens.empty())
        return TRUE;
    if (tokens[0] == "ATCH")
        return CheckAttachLine(tokens);
    const int jump = CheckJumpLine(tokens);
    if (jump != -1)
        return jump;
    COpcodeDef query{};
    const int verdict = CheckInstruction(tokens, query);
    if (verdict == INSTR_REJECTED)
        return FALSE;
    if (verdict == INSTR_ACCEPTED || verdict == INSTR_ACCEPTED_POINTER)
        return RegisterTimerCounterInstance(tokens, row, pouName);
    return CheckSubroutineCall(tokens, pouName, query);
}

BOOL CILEditor::TokenizeLine(const std::string& line, std::vector<std::string>& tokens) const
{
    tokens.clear();
    std::string text = ByteString::Trim(line);
    if (text.empty())
        return TRUE;
    if (!StripCallMnemonic(text))
        return FALSE;
    const size_t open = text.find(OPEN_COMMENT);
    const size_t close = text.rfind(CLOSE_COMMENT);
    if (open != std::string::npos && close != std::string::npos && close >= open)
        text.replace(open, close + CLOSE_COMMENT.size() - open, " ");
    text = ByteString::Trim(text);
    ByteString::Replace(text, ":=", "  ");
    ByteString::Replace(text, "=>", "  ");
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = text.find_first_not_of(" \t,", pos);
        if (start == std::string::npos)
            break;
        size_t end = text.find_first_of(" \t,", start);
        if (end == std::string::npos)
            end = text.size();
        tokens.push_back(text.substr(start, end - start));
        pos = end;
    }
    return TRUE;
}

int CILEditor::ParseLabelLine(const std::string& line, std::string& name) const
{
    std::string text = m_parser.StripComments(line);
    if (text.empty() || text.back() != ':')
        return LABEL_NONE;
    text.pop_back();
    name = ByteString::Trim(text);
    return IsValidLabelName(name) ? LABEL_VALID : LABEL_INVALID;
}

BOOL CILEditor::IsValidLabelName(const std::string& name) const
{
    OperandTypeFlags flags = 0;
    if (ParseDirectAddress(name, flags) || ClassifyConstant(name, flags) || IsReservedWord(name)
        || !IsValidIdentifier(name))
        return FALSE;
    CZULFunc function;
    return Project().POUs.CopySubroutineInterface(name, &function) == 0;
}

BOOL CILEditor::CheckAttachLine(const std::vector<std::string>& tokens) const
{
    if (tokens.size() != 3)
        return FALSE;
    std::string other;
    if (!Project().POUs.SwapInterruptName(tokens[1], other))
        return FALSE;
    return IsDigits(tokens[2]) && DigitsValue(tokens[2]) <= MAX_ATTACH_EVENT;
}

int CILEditor::CheckJumpLine(const std::vector<std::string>& tokens) const
{
    const std::string& mnemonic = tokens[0];
    if (mnemonic == "JMP" || mnemonic == "JMPC" || mnemonic == "JMPCN") {
        return tokens.size() == 2 && IsValidLabelName(tokens[1])
            && m_labels.count(ByteString::Upper(tokens[1])) != 0;
    }
    if (mnemonic == "RET" || mnemonic == "RETCN" || mnemonic == "RETC")
        return tokens.size() == 1;
    return -1;
}

BOOL CILEditor::GetOperandFlags(const std::string& operand, OperandTypeFlags& flags) const
{
    OperandTypeFlags own = 0;
    if (ParseDirectAddress(operand, own) || ClassifyConstant(operand, own)) {
        flags = own | AccessToParamFlags(own);
        return TRUE;
    }
    CZULSymbol* symbol = nullptr;
    OperandTypeFlags address = 0;
    if (m_app.FindGlobalSymbol(operand, symbol) && symbol && ParseDirectAddress(symbol->address, address)) {
        flags = (address & (symbol->typeFlags | SYMBOL_KEEP_BITS)) | AccessToParamFlags(address) | OT_DIRECT;
        return TRUE;
    }
    return m_host && m_host->LookupLocalSymbolType(operand, flags);
}

int CILEditor::CheckInstruction(const std::vector<std::string>& tokens, COpcodeDef& query) const
{
    const std::string& mnemonic = tokens[0];
    if (mnemonic.size() > MAX_MNEMONIC_LENGTH || !IsReservedWord(mnemonic))
        return INSTR_NOT_INSTRUCTION;
    if (tokens.size() > MAX_TOKENS)
        return INSTR_NOT_INSTRUCTION;
    const int operands = static_cast<int>(tokens.size()) - 1;
    OperandTypeFlags flags[OPCODE_MAX_OPERANDS] = {};
    bool indirect = false;
    for (int i = 0; i < operands; ++i) {
        const std::string& operand = tokens[i + 1];
        if (ParseAddressOfOperand(operand, flags[i]))
            continue;
        if (IsIndirectOperand(operand)) {
            flags[i] = OT_POINTER;
            indirect = true;
            continue;
        }
        if (!GetOperandFlags(operand, flags[i]))
            return INSTR_NOT_INSTRUCTION;
    }
    const bool opcodeChecksPointers = std::any_of(std::begin(OPCODE_POINTER_MNEMONICS),
        std::end(OPCODE_POINTER_MNEMONICS), [&](const char* m) { return mnemonic == m; });
    if (indirect && !opcodeChecksPointers) {
        InstrSignature signature{};
        std::strncpy(signature.name, mnemonic.c_str(), sizeof(signature.name) - 1);
        signature.operandCount = operands;
        std::copy(flags, flags + operands, signature.operandMasks);
        if (!MatchInstructionSignature(&signature))
            return INSTR_REJECTED;
        std::copy(signature.operandMasks, signature.operandMasks + operands, query.operandMasks);
        query.operandCount = static_cast<DWORD>(operands);
        return INSTR_ACCEPTED_POINTER;
    }
    query.operandCount = static_cast<DWORD>(operands);
    std::copy(flags, flags + operands, query.operandMasks);
    int badOperand = 0;
    if (!CheckInstructionOperands(mnemonic, query, badOperand))
        return INSTR_NOT_INSTRUCTION;
    return CheckNumericOperands(tokens) ? INSTR_ACCEPTED : INSTR_NOT_INSTRUCTION;
}

BOOL CILEditor::CheckNumericOperands(const std::vector<std::string>& tokens) const
{
    for (const NumericOperandRangeRow& row : NumericOperandRangeTable) {
        if (tokens[0] != row.mnemonic || static_cast<size_t>(row.operandCount) + 1 != tokens.size())
            continue;
        for (int i = 0; i < row.operandCount; ++i) {
            const NumericOperandRange& range = row.ranges[i];
            if (range.minimum == ANY_VALUE.minimum && range.maximum == ANY_VALUE.maximum)
                continue;
            const std::string& operand = tokens[i + 1];
            if (!IsDigits(operand))
                return FALSE;
            const long long value = DigitsValue(operand);
            if (value < range.minimum || value > range.maximum)
                return FALSE;
        }
        return TRUE;
    }
    return TRUE;
}

BOOL CILEditor::RegisterTimerCounterInstance(const std::vector<std::string>& tokens, int row,
                                             const std::string& pouName)
{
    if (tokens.size() < 2)
        return TRUE;
    std::string operand = tokens[1];
    if (!operand.empty() && operand[0] == '%')
        operand.erase(0, 1);
    bool declares = false;
    for (const InstancePrefixRow& prefix : INSTANCE_PREFIXES) {
        const std::string p = prefix.prefix;
        if (!ByteString::StartsWith(operand, p) || !IsDigits(operand.substr(p.size())))
            continue;
        for (const char* type : prefix.types)
            declares = declares || (type && tokens[0] == type);
    }
    if (!declares)
        return TRUE;
    if (!Project().FBTable.AddFBInstance(operand, tokens[0], pouName, FB_LIST_TABLE)
        && !IsUnclaimedInstanceOfPOU(operand, tokens[0], pouName))
        return FALSE;
    m_instances.insert(m_instances.begin(), {operand, tokens[0], row});
    return TRUE;
}

// A scan of the project's programs (Compile All, a download) may have entered
// this POU's instance in the table before the editor checked its line, as
// happens when the text was typed into a window that has not painted since.
// The line then claims that entry instead of counting as a second declaration.
BOOL CILEditor::IsUnclaimedInstanceOfPOU(const std::string& name, const std::string& fbType,
                                         const std::string& pouName) const
{
    const std::string instance = ByteString::Upper(name);
    for (const CILInstanceEntry& entry : m_instances) {
        if (ByteString::Upper(entry.name) == instance)
            return FALSE;
    }
    std::vector<std::string> names;
    std::vector<std::string> types;
    Project().FBTable.GetFBInstancesOfPOU(pouName, names, types);
    for (size_t i = 0; i < names.size() && i < types.size(); ++i) {
        if (names[i] == instance && types[i] == ByteString::Upper(fbType))
            return TRUE;
    }
    return FALSE;
}

BOOL CILEditor::CheckSubroutineCall(const std::vector<std::string>& tokens, const std::string& pouName,
                                    COpcodeDef& query) const
{
    // A POU does not call itself: the upper-cased call against the name as the POU has it.
    if (ByteString::Upper(tokens[0]) == pouName)
        return FALSE;
    CZULFunc function;
    if (!Project().POUs.CopySubroutineInterface(tokens[0], &function))
        return FALSE;
    const int inputs = function.GetInputCount() - 1;
    const int outputs = function.GetOutputCount() - 1;
    const int operands = static_cast<int>(tokens.size()) - 1;
    if (operands != inputs + outputs)
        return FALSE;
    for (int k = 1; k <= operands; ++k) {
        CZULFBPara* para = nullptr;
        const int found = k <= inputs ? function.GetInput(k, para) : function.GetOutput(k - inputs, para);
        OperandTypeFlags actual = 0;
        if (!found || !para || !GetOperandFlags(tokens[k], actual))
            return FALSE;
        const OperandTypeFlags common = actual & para->flags;
        if ((common & OT_ACCESS_BITS) == 0 || (common & AREA_OR_CONSTANT) == 0 || (common & OT_TYPE_BITS) == 0)
            return FALSE;
        if (k <= OPCODE_MAX_OPERANDS)
            query.operandMasks[k - 1] = para->flags & OT_TYPE_BITS;
    }
    return TRUE;
}

void CILEditor::MarkUnbalancedBrackets()
{
    std::vector<int> open;
    int network = 0;
    bool first = true;
    auto flushOpen = [&] {
        for (int row : open)
            SetLineState(row, IL_LINE_ERROR);
        open.clear();
    };
    for (const CParenEntry& entry : m_parens.GetEntries()) {
        if (!first && entry.network != network)
            flushOpen();
        first = false;
        network = entry.network;
        if (entry.token == "(") {
            open.push_back(entry.row);
        } else if (!open.empty()) {
            open.pop_back();
        } else {
            SetLineState(entry.row, IL_LINE_ERROR);
        }
    }
    flushOpen();
}

// ---- FB-instance list ----

void CILEditor::LoadInstanceEntries()
{
    ClearInstanceEntries();
    std::vector<std::string> names;
    std::vector<std::string> types;
    Project().FBTable.GetFBInstancesOfPOU(GetPOUName(), names, types);
    for (size_t i = 0; i < names.size() && i < types.size(); ++i)
        m_instances.push_back({names[i], types[i], -1});
}

void CILEditor::ShiftInstanceEntries(int fromRow, int delta)
{
    for (CILInstanceEntry& entry : m_instances) {
        if (entry.row >= fromRow)
            entry.row += delta;
    }
}

void CILEditor::ReleaseInstanceEntries(int firstRow, int lastRow)
{
    const bool all = firstRow == -1 && lastRow == -1;
    std::erase_if(m_instances, [&](const CILInstanceEntry& entry) {
        if (!all && (entry.row < firstRow || entry.row > lastRow))
            return false;
        Project().FBTable.RemoveFBInstance(entry.name);
        return true;
    });
}

// ---- rewriting ----

BOOL CILEditor::IsSubroutineName(const std::string& text) const
{
    CZULFunc function;
    return Project().POUs.CopySubroutineInterface(text, &function) != 0;
}

BOOL CILEditor::ResolveToAddress(const std::string& name, std::string& address) const
{
    CZULSymbol* symbol = nullptr;
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(name, flags) && m_app.FindGlobalSymbol(name, symbol) && symbol) {
        address = symbol->address;
    } else if (!m_host || !m_host->FindLocalAddress(ByteString::Upper(name), address)) {
        return FALSE;
    }
    if (!ByteString::StartsWith(address, "%"))
        address.insert(0, "%");
    return TRUE;
}

int CILEditor::SymbolToAddress(std::string& line, int position, const std::string& token) const
{
    OperandTypeFlags flags = 0;
    std::string address;
    if (ParseDirectAddress(token, flags) || !ResolveToAddress(token, address))
        return static_cast<int>(token.size());
    line.replace(position, token.size(), address);
    return static_cast<int>(address.size());
}

int CILEditor::AddressToSymbol(std::string& line, int position, const std::string& token) const
{
    std::string address = ByteString::Upper(token);
    if (ByteString::StartsWith(address, "%"))
        address.erase(0, 1);
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(address, flags))
        return static_cast<int>(token.size());
    CZULSymbol* symbol = nullptr;
    std::string name;
    if (m_app.FindGlobalSymbol(address, symbol) && symbol)
        name = symbol->name;
    else if (!m_host || !m_host->FindLocalName(address, name))
        return static_cast<int>(token.size());
    line.replace(position, token.size(), name);
    return static_cast<int>(name.size());
}

void CILEditor::NormaliseLine(std::string& line)
{
    line = ByteString::Trim(line);
    if (line.empty())
        return;
    std::string label;
    const int labelKind = ParseLabelLine(line, label);
    if (labelKind != LABEL_NONE) {
        if (labelKind == LABEL_VALID && line.find(OPEN_COMMENT) == std::string::npos)
            line = label + ":";
        return;
    }
    ReplaceTrailingComma(line);
    // Pin names after a dot.
    for (size_t dot = line.find('.'); dot != std::string::npos; dot = line.find('.', dot + 1)) {
        const size_t end = TokenEnd(line, dot + 1);
        const std::string word = line.substr(dot + 1, end - dot - 1);
        if (!word.empty() && IsReservedWord(word))
            line.replace(dot + 1, word.size(), ByteString::Upper(word));
    }
    const BOOL symbolic = m_app.SymbolicAddressing != 0;
    size_t pos = 0;
    while (pos < line.size()) {
        if (line.compare(pos, OPEN_COMMENT.size(), OPEN_COMMENT) == 0) {
            const size_t close = line.find(CLOSE_COMMENT, pos + OPEN_COMMENT.size());
            pos = close == std::string::npos ? line.size() : close + CLOSE_COMMENT.size();
            continue;
        }
        if (IsSeparatorByte(line[pos])) {
            ++pos;
            continue;
        }
        const size_t end = TokenEnd(line, pos);
        std::string token = line.substr(pos, end - pos);
        if (IsReservedWord(token)) {
            line.replace(pos, token.size(), ByteString::Upper(token));
            pos = end;
            continue;
        }
        OperandTypeFlags flags = 0;
        const bool direct = ParseDirectAddress(token, flags);
        const std::string upper = ByteString::Upper(token);
        if (direct) {
            token = upper;
            const bool bare = upper[0] != '%' && upper[0] != 'T' && upper[0] != 'C'
                && !ByteString::StartsWith(upper, "RS") && !ByteString::StartsWith(upper, "SR");
            if (bare)
                token.insert(0, "%");
        } else if (IsIndirectOperand(upper) || IsAddressOfOperand(upper)) {
            token = upper;
        }
        line.replace(pos, end - pos, token);
        int length = static_cast<int>(token.size());
        if (!symbolic && !direct)
            length = SymbolToAddress(line, static_cast<int>(pos), token);
        else if (symbolic && direct)
            length = AddressToSymbol(line, static_cast<int>(pos), token);
        pos += static_cast<size_t>(length);
    }
    FormatLine(line);
}

void CILEditor::FormatLine(std::string& line)
{
    if (IsMonitoring())
        return;
    line = ByteString::Trim(line);
    if (line.empty()) {
        ClampCaret();
        return;
    }
    std::string code = line;
    std::string comment;
    const size_t open = line.find(OPEN_COMMENT);
    if (open != std::string::npos) {
        const size_t close = line.rfind(CLOSE_COMMENT);
        if (open == 0 || close == std::string::npos || close + CLOSE_COMMENT.size() != line.size()
            || close < open)
            return;
        comment = COMMENT_GAP + line.substr(open);
        code = ByteString::Trim(line.substr(0, open));
    }
    std::replace(code.begin(), code.end(), ',', ' ');
    code = ByteString::Trim(code);
    const std::vector<std::string> parts = SplitAtBlanksAndTabs(code);
    std::string out;
    if (parts.size() <= 1) {
        out = code;
    } else {
        out = parts[0];
        PadTo(out, MNEMONIC_COLUMN);
        if (parts[0].size() >= MNEMONIC_COLUMN)
            out += ' ';
        for (size_t i = 1; i < parts.size(); ++i) {
            out += parts[i];
            if (i + 1 == parts.size())
                break;
            const bool word = IsReservedWord(parts[i]) && parts[i] != "TRUE" && parts[i] != "FALSE";
            out += word || IsSubroutineName(parts[i]) ? " " : ", ";
        }
    }
    if (!comment.empty()) {
        PadTo(out, COMMENT_COLUMN);
        out += comment;
    }
    line = out;
    ClampCaret();
}

void CILEditor::RewriteAllLines(BOOL symbolic, int routineMode)
{
    for (std::string& line : m_program.GetLines()) {
        if (!ByteString::Trim(line).empty())
            RewriteOperands(line, !symbolic, routineMode);
    }
    ClampCaret();
}

void CILEditor::RewriteOperands(std::string& line, BOOL toAddresses, int routineMode) const
{
    line = ByteString::Trim(line);
    ReplaceTrailingComma(line);
    size_t pos = 0;
    while (pos < line.size()) {
        if (line.compare(pos, OPEN_COMMENT.size(), OPEN_COMMENT) == 0) {
            const size_t close = line.find(CLOSE_COMMENT, pos + OPEN_COMMENT.size());
            pos = close == std::string::npos ? line.size() : close + CLOSE_COMMENT.size();
            continue;
        }
        if (IsSeparatorByte(line[pos])) {
            ++pos;
            continue;
        }
        const size_t end = TokenEnd(line, pos);
        const std::string token = line.substr(pos, end - pos);
        if (IsReservedWord(token)) {
            pos = end;
            continue;
        }
        std::string routine;
        const BOOL toNumbered = routineMode == ROUTINES_TO_NUMBERED;
        const bool renamed = routineMode != ROUTINES_UNCHANGED
            && (Project().POUs.ConvertSubroutineName(token, routine, toNumbered)
                || Project().POUs.ConvertInterruptName(token, routine, toNumbered));
        if (renamed) {
            line.replace(pos, token.size(), routine);
            pos += routine.size();
            continue;
        }
        OperandTypeFlags flags = 0;
        const bool direct = ParseDirectAddress(token, flags);
        int length = static_cast<int>(token.size());
        if (toAddresses && !direct)
            length = SymbolToAddress(line, static_cast<int>(pos), token);
        else if (!toAddresses && direct)
            length = AddressToSymbol(line, static_cast<int>(pos), token);
        pos += static_cast<size_t>(length);
    }
}

// ---- per-line records ----

// What leaving a line does to it: embedded headers out, one form, networks renumbered.
void CILEditor::LeaveLine(int row, BOOL normaliseFirst)
{
    if (row < 0 || row > LastLine())
        return;
    if (normaliseFirst)
        NormaliseLine(Line(row));
    m_program.RemoveEmbeddedHeaders(row);
    if (!normaliseFirst)
        NormaliseLine(Line(row));
    if (m_program.IsHeaderLine(row))
        m_program.RenumberFrom(row);
}

// The per-line records follow a line inserted before row.
void CILEditor::InsertLineRows(int row)
{
    if (row <= GetLineStateCount())
        m_lineStates.insert(m_lineStates.begin() + row, IL_LINE_OK);
    ShiftInstanceEntries(row, 1);
    m_parens.ShiftRows(row, 0, 1);
}

// The per-line records follow the removal of line row.
void CILEditor::RemoveLineRows(int row)
{
    if (row < GetLineStateCount())
        m_lineStates.erase(m_lineStates.begin() + row);
    ShiftInstanceEntries(row, -1);
    m_parens.ShiftRows(row, 0, -1);
}
