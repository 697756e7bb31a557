#include "CILToLDConverter.h"

#include "CBlock.h"
#include "CCoil.h"
#include "CComment.h"
#include "CContact.h"
#include "CLogicNode.h"
#include "platform/ByteString.h"

const char* const CILToLDConverter::INVALID_MARK = "\xA1\xAA"
                                                   "23569_42_256738AETH3578KLLFSW3VYUX2TIP,L\xA1\xAA";

namespace {

const char* const CRLF = "\r\n";
const char* const UNSET_OPERAND = "????";
const char* const EMPTY_NETWORK_LOAD = "LD  ????";
const char* const IMPLICIT_HEADER = "(* Network 0 *)";
const char* const OPEN_PARALLEL = "OR(";
const char* const OPEN_SERIES = "AND(";
const char* const CLOSE_BLOCK = ")";
const char* const NUL_COIL = "-(NUL)";
const char* const LABEL_COIL = "-(LBL)";
const char* const NOT_CONTACT = "-|NOT|-";
constexpr char LINE_BREAK_MARK = '\x01';

constexpr int BLOCK_KIND_SERIES = 1;   // "AND("
constexpr int BLOCK_KIND_PARALLEL = 2; // "OR("
constexpr int NO_BLOCK_KIND = -1;
// A logic line with this many tokens or more is a box (AND or OR of words).
constexpr size_t BOX_LOGIC_TOKENS = 3;

// Messages of the first pass; %d is the input line's index.
const char* const MSG_LINE = "\xB2\xBB\xC4\xDC\xD7\xAA\xBB\xBB\xB5\xDA%d\xD0\xD0!";
const char* const MSG_LINE_SHORT = "\xB2\xBB\xC4\xDC\xD7\xAA\xB5\xDA%d\xD0\xD0";
const char* const MSG_LOAD_FIRST = "OR() \xBB\xF2\xD5\xDF AND() \xD6\xD0\xB5\xDA\xD2\xBB\xCC\xF5\xD6\xB8\xC1\xEE\xB1\xD8"
                                   "\xD0\xEB\xCA\xC7LD\xD6\xB8\xC1\xEE!";
const char* const MSG_COIL_LAST = "\xCF\xDF\xC8\xA6\xD6\xB8\xC1\xEE\xD6\xBB\xC4\xDC\xB3\xF6\xCF\xD6\xD4\xDA\xC3\xBF\xB8"
                                  "\xF6\xCC\xDD\xBC\xB6\xB5\xC4\xD7\xEE\xBA\xF3\xA1\xA3";
const char* const MSG_LOAD_ONLY_FIRST = "LD\xC0\xE0\xD6\xB8\xC1\xEE\xD6\xBB\xD4\xCA\xD0\xED\xD4\xDA\xD2\xBB\xB8\xF6\xCD"
                                        "\xF8\xC2\xE7\xA1\xA2OR\xBF\xE9\xBB\xF2\xD5\xDF"
                                        "AND\xBF\xE9\xB5\xC4\xB5\xDA\xD2\xBB\xD0\xD0\xCA\xB9\xD3\xC3\xA1\xA3";
const char* const MSG_BLOCK_END = "ADN\xBF\xE9\xD7\xEE\xBA\xF3\xD6\xB8\xC1\xEE\xB1\xD8\xD0\xEB\xCA\xC7\xB2\xA2\xC1\xAA"
                                  "\xC0\xE0\xD0\xCD\xD6\xB8\xC1\xEE,OR\xBF\xE9\xD7\xEE\xBA\xF3\xD2\xBB\xCC\xF5\xD6\xB8"
                                  "\xC1\xEE\xB1\xD8\xD0\xEB\xCA\xC7\xB4\xAE\xC1\xAA\xC0\xE0\xD0\xCD\xD6\xB8\xC1\xEE";

struct LoadContact {
    const char* mnemonic;
    const char* typeText;
};

constexpr LoadContact LOAD_CONTACTS[] = {
    {"LD", "-| |-"},
    {"LDN", "-|/|-"},
    {"LDI", "-|I|-"},
    {"LDNI", "-|/I|-"},
};

constexpr const char* OR_CONTACTS[] = {"OR", "ORN", "ORI", "ORNI"};
constexpr const char* AND_CONTACTS[] = {"AND", "ANDN", "ANDI", "ANDNI"};

bool IsOneOf(const std::string& text, const char* const* first, const char* const* last)
{
    for (const char* const* name = first; name != last; ++name) {
        if (text == *name)
            return true;
    }
    return false;
}

bool IsOrContact(const std::string& mnemonic)
{
    return IsOneOf(mnemonic, std::begin(OR_CONTACTS), std::end(OR_CONTACTS));
}

bool IsAndContact(const std::string& mnemonic)
{
    return IsOneOf(mnemonic, std::begin(AND_CONTACTS), std::end(AND_CONTACTS));
}

bool IsLoadClass(const std::string& mnemonic)
{
    for (const LoadContact& load : LOAD_CONTACTS) {
        if (mnemonic == load.mnemonic)
            return true;
    }
    return false;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The tokens of a collected line, token 0 upper-cased.
std::vector<std::string> UpperTokens(const CILLineScanner& scanner, const std::string& line)
{
    std::vector<std::string> tokens;
    scanner.SplitTokens(line, tokens);
    if (!tokens.empty())
        tokens[0] = ByteString::Upper(tokens[0]);
    return tokens;
}

void Link(CLDElement* parent, CLDElement* child, bool asChildA)
{
    if (asChildA)
        parent->SetChildA(child);
    else
        parent->SetChildB(child);
    child->SetParent(parent);
}

CLogicNode* NewNode(int link)
{
    auto* node = new CLogicNode;
    node->SetLink(link);
    return node;
}

} // namespace

void LDTreeDeleter::operator()(CLDElement* element) const
{
    if (element)
        element->DeleteTree(FALSE);
}

CILToLDConverter::CILToLDConverter(const CLDContext& context)
    : m_scanner(context)
    , m_blockBuilder(context)
{
}

void CILToLDConverter::SetPasteMode(const std::vector<int>* values)
{
    m_values = values;
    m_pasteMode = 1;
    m_valuePosition = 0;
}

BOOL CILToLDConverter::IsNetworkMarked(int network) const
{
    if (network < 0 || network >= int(m_headerTexts.size()))
        return FALSE;
    return EndsWith(m_headerTexts[size_t(network)], INVALID_MARK);
}

// ---- First pass ------------------------------------------------------------

BOOL CILToLDConverter::Parse(const std::vector<std::string>& lines, std::string* errorText)
{
    m_lines.clear();
    if (lines.empty())
        return FALSE;
    m_blockRecords.clear();
    m_networkStarts.clear();
    m_firstCoilLines.clear();
    m_headerTexts.clear();
    m_sources.clear();
    m_blockStack.clear();
    m_errorText = errorText;
    BOOL expectLoad = TRUE;
    BOOL coilAwaited = FALSE;
    BOOL previousWasHeader = FALSE;
    BOOL noInstructionYet = TRUE;
    std::vector<std::string> beforeFirstHeader;

    auto report = [this](int number, const char* first, const char* second, BOOL replace) {
        if (!m_errorText)
            return;
        const std::string message = ByteString::Format(first, number) + CRLF + second;
        *m_errorText = replace ? message : *m_errorText + message;
    };

    for (size_t i = 0; i < lines.size(); ++i) {
        const int number = int(i);
        std::string line = ByteString::Trim(lines[i]);
        if (line.empty()) {
            AppendSource(lines[i]);
            continue;
        }
        ByteString::Replace(line, ",", " ");
        std::string headerNumber;
        if (m_scanner.IsNetworkHeader(line, headerNumber)) {
            if (previousWasHeader)
                continue;
            CloseOpenBlocks();
            StartNetwork();
            if (i + 1 < lines.size()) {
                const std::string& next = lines[i + 1];
                std::string nextNumber;
                if (next.size() >= 4 && next.compare(0, 2, "(*") == 0 && EndsWith(next, "*)")
                    && !m_scanner.IsNetworkHeader(next, nextNumber)) {
                    m_headerTexts.back() = next.substr(2, next.size() - 4);
                    ++i;
                }
            }
            m_lines.push_back(line);
            coilAwaited = TRUE;
            previousWasHeader = TRUE;
            expectLoad = TRUE;
            beforeFirstHeader.clear();
            continue;
        }
        if (m_networkStarts.empty())
            beforeFirstHeader.push_back(lines[i]);
        else
            AppendSource(lines[i]);
        line = ByteString::Trim(m_scanner.StripComments(line));
        if (line.empty())
            continue;
        if (m_networkStarts.empty()) {
            // Instructions before any header form network 0.
            StartNetwork();
            m_sources.back() = beforeFirstHeader;
            m_lines.push_back(IMPLICIT_HEADER);
            coilAwaited = TRUE;
            expectLoad = TRUE;
        }
        const std::string mnemonic = ByteString::Upper(m_scanner.GetMnemonic(line));
        previousWasHeader = FALSE;
        noInstructionYet = FALSE;

        if (IsLoadClass(mnemonic)) {
            if (!expectLoad) {
                report(number, MSG_LINE, MSG_LOAD_ONLY_FIRST, FALSE);
                MarkNetwork();
            }
            expectLoad = FALSE;
            m_lines.push_back(line);
            continue;
        }
        if (expectLoad) {
            if (line.back() == ':') {
                if (coilAwaited) {
                    m_firstCoilLines.back() = int(m_lines.size());
                    coilAwaited = FALSE;
                }
            } else {
                report(number, MSG_LINE, MSG_LOAD_FIRST, TRUE);
                MarkNetwork();
            }
            m_lines.push_back(line);
            expectLoad = FALSE;
            continue;
        }
        if (m_scanner.IsCoilLine(mnemonic)) {
            if (coilAwaited) {
                m_firstCoilLines.back() = int(m_lines.size());
                coilAwaited = FALSE;
            }
            m_lines.push_back(line);
            continue;
        }
        if (!coilAwaited) {
            report(number, MSG_LINE_SHORT, (std::string(MSG_COIL_LAST) + CRLF).c_str(), FALSE);
            MarkNetwork();
            m_lines.push_back(line);
            continue;
        }
        if (mnemonic == OPEN_PARALLEL || mnemonic == OPEN_SERIES) {
            const int kind = mnemonic == OPEN_PARALLEL ? BLOCK_KIND_PARALLEL : BLOCK_KIND_SERIES;
            m_blockRecords.push_back({int(m_lines.size()), -1, kind});
            m_blockStack.push_back(kind);
            expectLoad = TRUE;
        } else if (mnemonic == CLOSE_BLOCK) {
            if (m_blockStack.empty()) {
                // Nothing to close: the network cannot be drawn.
                MarkNetwork();
            } else {
                if (m_blockStack.back() == GetBlockEndType()) {
                    MarkNetwork();
                    if (m_errorText)
                        *m_errorText = MSG_BLOCK_END;
                }
                m_blockStack.pop_back();
                for (auto record = m_blockRecords.rbegin(); record != m_blockRecords.rend(); ++record) {
                    if (record->end == -1) {
                        record->end = int(m_lines.size());
                        break;
                    }
                }
            }
            expectLoad = FALSE;
        } else {
            expectLoad = FALSE;
        }
        m_lines.push_back(line);
    }

    CloseOpenBlocks();
    if (noInstructionYet) {
        m_lines.push_back(EMPTY_NETWORK_LOAD);
        if (!m_firstCoilLines.empty())
            m_firstCoilLines.back() = -1;
    } else if (previousWasHeader && !m_networkStarts.empty()) {
        m_networkStarts.pop_back();
        m_lines.pop_back();
        m_headerTexts.pop_back();
        m_firstCoilLines.pop_back();
        m_sources.pop_back();
    }
    m_errorText = nullptr;
    return TRUE;
}

void CILToLDConverter::StartNetwork()
{
    m_networkStarts.push_back(int(m_lines.size()));
    m_firstCoilLines.push_back(-1);
    m_headerTexts.emplace_back();
    m_sources.emplace_back();
}

void CILToLDConverter::AppendSource(const std::string& line)
{
    if (!m_sources.empty())
        m_sources.back().push_back(line);
}

void CILToLDConverter::MarkNetwork()
{
    if (m_headerTexts.empty())
        return;
    std::string& text = m_headerTexts.back();
    if (!EndsWith(text, INVALID_MARK))
        text += INVALID_MARK;
}

void CILToLDConverter::CloseOpenBlocks()
{
    // A block must end inside its own network.
    if (m_blockStack.empty())
        return;
    MarkNetwork();
    m_blockStack.clear();
}

int CILToLDConverter::GetBlockEndType() const
{
    if (m_lines.empty())
        return NO_BLOCK_KIND;
    const int lastLine = int(m_lines.size()) - 1;
    const std::string& last = m_lines.back();
    if (last == CLOSE_BLOCK) {
        for (const BlockRecord& record : m_blockRecords) {
            if (record.end == lastLine)
                return record.kind;
        }
        return NO_BLOCK_KIND;
    }
    const std::vector<std::string> tokens = UpperTokens(m_scanner, last);
    const bool parallel = !tokens.empty() && IsOrContact(tokens[0]) && tokens.size() < BOX_LOGIC_TOKENS;
    return parallel ? BLOCK_KIND_PARALLEL : BLOCK_KIND_SERIES;
}

// ---- Second pass -----------------------------------------------------------

BOOL CILToLDConverter::Build()
{
    DeleteResults();
    if (m_lines.size() < 2 || m_networkStarts.empty())
        return FALSE;
    const int networks = int(m_networkStarts.size());
    for (int k = 0; k < networks; ++k) {
        const int start = m_networkStarts[size_t(k)];
        const int end = k + 1 < networks ? m_networkStarts[size_t(k + 1)] : int(m_lines.size());
        int number = k;
        if (m_pasteMode && m_values && m_valuePosition < int(m_values->size()))
            number = (*m_values)[size_t(m_valuePosition++)];
        const std::string& text = m_headerTexts[size_t(k)];
        if (IsNetworkMarked(k)) {
            KeepNetworkAsIL(k, number, text);
            continue;
        }
        const size_t before = m_results.size();
        AddNetworkHeader(text, number);
        if (BuildNetwork(start + 1, end - 1, m_firstCoilLines[size_t(k)]))
            continue;
        if (!m_keepUnbuildable) {
            DeleteResults();
            return FALSE;
        }
        m_results.resize(before);
        KeepNetworkAsIL(k, number, text);
    }
    return TRUE;
}

std::vector<LDItemPtr> CILToLDConverter::TakeResults()
{
    std::vector<LDItemPtr> items = std::move(m_results);
    m_results.clear();
    return items;
}

void CILToLDConverter::DeleteResults()
{
    m_results.clear();
}

void CILToLDConverter::AddNetworkHeader(const std::string& text, int network)
{
    auto* comment = new CComment;
    m_results.emplace_back(comment);
    comment->SetNetworkNumber(network);
    std::string shown = text;
    ByteString::Replace(shown, std::string(1, LINE_BREAK_MARK), CRLF);
    comment->SetText(shown);
}

void CILToLDConverter::KeepNetworkAsIL(int network, int number, const std::string& text)
{
    auto* comment = new CComment;
    m_results.emplace_back(comment);
    comment->SetNetworkNumber(number);
    comment->SetValidFlag(0);
    comment->SetText(EndsWith(text, INVALID_MARK) ? text.substr(0, text.size() - std::string(INVALID_MARK).size())
                                                  : text);
    // The network's own lines, as written.
    std::vector<std::string> source = m_sources[size_t(network)];
    while (!source.empty() && ByteString::Trim(source.back()).empty())
        source.pop_back();
    std::string il;
    for (const std::string& line : source)
        il += line + CRLF;
    auto* coil = new CCoil;
    m_results.emplace_back(coil);
    coil->SetGraphicalFlag(0);
    coil->SetLink(LD_LINK_SERIES);
    coil->SetHeldILText(il);
}

BOOL CILToLDConverter::BuildNetwork(int first, int last, int coilLine)
{
    CLDElement* root = BuildCoilChain(coilLine, last);
    if (coilLine >= 0)
        last = coilLine - 1;
    if (last < first)
        return TRUE;
    return BuildSeries(first, last, root);
}

CLDElement* CILToLDConverter::BuildCoilChain(int start, int end)
{
    if (start < 0) {
        auto* coil = new CCoil;
        m_results.emplace_back(coil);
        coil->SetTypeText(NUL_COIL);
        coil->SetLink(LD_LINK_SERIES);
        return coil;
    }
    const int link = end > start ? LD_LINK_PARALLEL : LD_LINK_SERIES;
    CCoil* root = nullptr;
    CCoil* previous = nullptr;
    for (int line = start; line <= end; ++line) {
        std::vector<std::string> tokens;
        m_scanner.SplitTokens(m_lines[size_t(line)], tokens);
        if (tokens.empty())
            continue;
        const std::string mnemonic = ByteString::Upper(tokens[0]);
        const std::string operand = tokens.size() > 1 ? tokens[1] : std::string();
        auto* coil = new CCoil;
        coil->SetLink(link);
        if (mnemonic == "ST") {
            const std::string upper = ByteString::Upper(operand);
            const bool internal = ByteString::StartsWith(upper, "%BR") || ByteString::StartsWith(upper, "BR");
            coil->SetTypeText(internal ? NUL_COIL : "-( )");
            if (!internal)
                coil->SetOperand(operand);
        } else if (mnemonic == "STN" || mnemonic == "STI") {
            coil->SetTypeText(mnemonic == "STN" ? "-(/)" : "-(I)");
            coil->SetOperand(operand);
        } else if (tokens.size() == 1 && tokens[0].back() == ':') {
            coil->SetTypeText(LABEL_COIL);
            coil->SetOperand(tokens[0].substr(0, tokens[0].size() - 1));
        } else {
            coil->SetTypeText("-(" + mnemonic + ")");
            if (tokens.size() > 1)
                coil->SetOperand(operand);
        }
        if (previous)
            Link(previous, coil, false);
        else
            root = coil;
        previous = coil;
    }
    if (!root) {
        root = new CCoil;
        root->SetTypeText(NUL_COIL);
        root->SetLink(LD_LINK_SERIES);
    }
    m_results.emplace_back(root);
    return root;
}

CLDElement* CILToLDConverter::MakeFirstContact(int line)
{
    const std::vector<std::string> tokens = UpperTokens(m_scanner, m_lines[size_t(line)]);
    if (tokens.empty())
        return nullptr;
    const char* typeText = nullptr;
    for (const LoadContact& load : LOAD_CONTACTS) {
        if (tokens[0] == load.mnemonic)
            typeText = load.typeText;
    }
    if (!typeText)
        return nullptr;
    auto* contact = new CContact;
    contact->SetTypeText(typeText);
    contact->SetOperand(tokens.size() > 1 ? tokens[1] : UNSET_OPERAND);
    contact->SetLink(LD_LINK_SERIES);
    if (line + 1 < int(m_lines.size())) {
        const std::vector<std::string> next = UpperTokens(m_scanner, m_lines[size_t(line + 1)]);
        if (!next.empty() && (IsOrContact(next[0]) || next[0] == OPEN_PARALLEL) && next.size() < BOX_LOGIC_TOKENS)
            contact->SetLink(LD_LINK_PARALLEL);
    }
    return contact;
}

CLDElement* CILToLDConverter::MakeContact(const std::vector<std::string>& tokens)
{
    const std::string& mnemonic = tokens[0];
    auto* contact = new CContact;
    if (mnemonic == "NOT") {
        contact->SetTypeText(NOT_CONTACT);
        contact->SetLink(LD_LINK_SERIES);
        return contact;
    }
    contact->SetOperand(tokens.size() > 1 ? tokens[1] : UNSET_OPERAND);
    if (EndsWith(mnemonic, "NI"))
        contact->SetTypeText("-|/I|-");
    else if (EndsWith(mnemonic, "N"))
        contact->SetTypeText("-|/|-");
    else if (EndsWith(mnemonic, "I"))
        contact->SetTypeText("-|I|-");
    else
        contact->SetTypeText("-| |-");
    contact->SetLink(ByteString::StartsWith(mnemonic, "OR") ? LD_LINK_PARALLEL : LD_LINK_SERIES);
    return contact;
}

CLogicNode* CILToLDConverter::MakeBlockNode(const std::vector<std::string>& tokens)
{
    return NewNode(tokens[0] == OPEN_PARALLEL ? LD_LINK_PARALLEL : LD_LINK_SERIES);
}

int CILToLDConverter::FindBlockEnd(int line)
{
    const int count = int(m_blockRecords.size());
    if (m_blockLookup < count && m_blockRecords[size_t(m_blockLookup)].start == line)
        return m_blockRecords[size_t(m_blockLookup++)].end;
    for (int i = 0; i < count; ++i) {
        if (m_blockRecords[size_t(i)].start == line) {
            m_blockLookup = i + 1;
            return m_blockRecords[size_t(i)].end;
        }
    }
    return -1;
}

int CILToLDConverter::BlockEndWithin(int line, int last)
{
    const int end = FindBlockEnd(line);
    return end > line && end <= last ? end : -1;
}

BOOL CILToLDConverter::MakeBox(int line, int last, std::vector<std::string>& tokens, CLDElement** box, int* consumed)
{
    std::unique_ptr<CBlock> block;
    const int result = m_blockBuilder.BuildBlock(m_lines, line, last, tokens, block, *consumed);
    if (result != IL_BLOCK_BUILT)
        return FALSE;
    block->SetLink(LD_LINK_SERIES);
    *box = block.release();
    return TRUE;
}

BOOL CILToLDConverter::BuildSeries(int first, int last, CLDElement* parent)
{
    CLDElement* contact = MakeFirstContact(first);
    if (!contact)
        return FALSE;
    Chain chain {parent, nullptr, nullptr};
    AttachFirst(chain, LD_LINK_SERIES, contact);
    for (int line = first + 1; line <= last; ++line) {
        std::vector<std::string> tokens = UpperTokens(m_scanner, m_lines[size_t(line)]);
        if (tokens.empty())
            continue;
        const std::string& t = tokens[0];
        const size_t n = tokens.size();
        CLDElement* element = nullptr;
        BOOL parallel = FALSE;
        int end = line;
        BOOL nested = FALSE;
        if (t == OPEN_PARALLEL || t == OPEN_SERIES) {
            end = BlockEndWithin(line, last);
            if (end < 0)
                return FALSE;
            element = MakeBlockNode(tokens);
            parallel = t == OPEN_PARALLEL;
            nested = TRUE;
        } else if ((IsOrContact(t) || IsAndContact(t)) && n < BOX_LOGIC_TOKENS) {
            element = MakeContact(tokens);
            parallel = IsOrContact(t);
        } else if (t == "NOT" && n == 1) {
            element = MakeContact(tokens);
        } else {
            int consumed = 0;
            if (!MakeBox(line, last, tokens, &element, &consumed))
                return FALSE;
            end = line + consumed;
        }
        const BOOL joined = parallel ? AddParallelPart(chain, element) : AddSeriesPart(chain, element);
        if (!joined) {
            element->DeleteTree(FALSE);
            return FALSE;
        }
        if (nested) {
            const BOOL built = parallel ? BuildSeries(line + 1, end - 1, element) : BuildParallel(line + 1, end - 1, element);
            if (!built)
                return FALSE;
        }
        line = end;
    }
    return TRUE;
}

BOOL CILToLDConverter::BuildParallel(int first, int last, CLDElement* parent)
{
    CLDElement* contact = MakeFirstContact(first);
    if (!contact)
        return FALSE;
    Chain chain {parent, nullptr, nullptr};
    AttachFirst(chain, LD_LINK_PARALLEL, contact);
    for (int line = first + 1; line <= last; ++line) {
        std::vector<std::string> tokens = UpperTokens(m_scanner, m_lines[size_t(line)]);
        if (tokens.empty())
            continue;
        const std::string& t = tokens[0];
        const size_t n = tokens.size();
        CLDElement* element = nullptr;
        BOOL parallel = FALSE;
        int end = line;
        BOOL nested = FALSE;
        if (t == OPEN_PARALLEL || t == OPEN_SERIES) {
            end = BlockEndWithin(line, last);
            if (end < 0)
                return FALSE;
            element = MakeBlockNode(tokens);
            parallel = t == OPEN_PARALLEL;
            nested = TRUE;
        } else if ((IsOrContact(t) || IsAndContact(t)) && n < BOX_LOGIC_TOKENS) {
            element = MakeContact(tokens);
            parallel = IsOrContact(t);
        } else if (t == "NOT" && n == 1) {
            element = MakeContact(tokens);
        } else {
            int consumed = 0;
            if (!MakeBox(line, last, tokens, &element, &consumed))
                return FALSE;
            end = line + consumed;
        }
        const BOOL joined = parallel ? AddParallelPartInParallel(chain, element) : AddSeriesPartInParallel(chain, element);
        if (!joined) {
            element->DeleteTree(FALSE);
            return FALSE;
        }
        // A nested block that cannot be built fails the whole build rather than leaving a part out.
        if (nested) {
            const BOOL built = parallel ? BuildSeries(line + 1, end - 1, element) : BuildParallel(line + 1, end - 1, element);
            if (!built)
                return FALSE;
        }
        line = end;
    }
    return TRUE;
}

void CILToLDConverter::AttachFirst(Chain& chain, int mode, CLDElement* element)
{
    chain.last = element;
    if (mode == LD_LINK_SERIES) {
        if (element->GetLink() == LD_LINK_SERIES) {
            Link(chain.parent, element, true);
            return;
        }
        CLogicNode* series = NewNode(LD_LINK_SERIES);
        Link(series, element, false);
        Link(chain.parent, series, true);
        chain.open = series;
        return;
    }
    if (element->GetLink() == LD_LINK_PARALLEL) {
        Link(chain.parent, element, false);
        return;
    }
    CLogicNode* parallel = NewNode(LD_LINK_PARALLEL);
    Link(parallel, element, true);
    Link(chain.parent, parallel, false);
    chain.open = parallel;
}

BOOL CILToLDConverter::AddParallelPart(Chain& chain, CLDElement* element)
{
    if (chain.last->GetLink() == LD_LINK_PARALLEL) {
        if (chain.last->GetChildB())
            return FALSE;
        Link(chain.last, element, false);
        chain.last = element;
        return TRUE;
    }
    CLDElement* upper = chain.parent->GetChildA();
    if (!upper)
        return FALSE;
    CLogicNode* parallel = NewNode(LD_LINK_PARALLEL);
    Link(parallel, upper, true);
    Link(parallel, element, false);
    CLogicNode* series = NewNode(LD_LINK_SERIES);
    Link(series, parallel, false);
    Link(chain.parent, series, true);
    chain.open = series;
    chain.last = element;
    return TRUE;
}

BOOL CILToLDConverter::AddSeriesPart(Chain& chain, CLDElement* element)
{
    CLDElement* holder = chain.last->GetLink() == LD_LINK_PARALLEL ? chain.open : chain.last;
    if (!holder || holder->GetChildA())
        return FALSE;
    Link(holder, element, true);
    chain.last = element;
    return TRUE;
}

BOOL CILToLDConverter::AddSeriesPartInParallel(Chain& chain, CLDElement* element)
{
    if (chain.last->GetLink() == LD_LINK_SERIES) {
        if (chain.last->GetChildA())
            return FALSE;
        Link(chain.last, element, true);
        chain.last = element;
        return TRUE;
    }
    CLDElement* left = chain.parent->GetChildB();
    if (!left)
        return FALSE;
    CLogicNode* series = NewNode(LD_LINK_SERIES);
    Link(series, left, false);
    Link(series, element, true);
    CLogicNode* parallel = NewNode(LD_LINK_PARALLEL);
    Link(parallel, series, true);
    Link(chain.parent, parallel, false);
    chain.open = parallel;
    chain.last = element;
    return TRUE;
}

BOOL CILToLDConverter::AddParallelPartInParallel(Chain& chain, CLDElement* element)
{
    CLDElement* holder = chain.last->GetLink() == LD_LINK_SERIES ? chain.open : chain.last;
    if (!holder || holder->GetChildB())
        return FALSE;
    Link(holder, element, false);
    chain.last = element;
    return TRUE;
}
