#include "CObjectDecompiler.h"

#include "model/CZULProject.h"
#include "model/POULanguageTable.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <cstring>

namespace {

constexpr int POU_HEADER_BYTES = 6;
constexpr BYTE POU_KIND_MAIN = 1;
constexpr BYTE POU_KIND_SBR = 2;
constexpr BYTE POU_KIND_INT = 3;
constexpr BYTE MAIN_NUMBER = 0xFF;
constexpr int MAX_SBR_NUMBER = 99;
constexpr int MAX_INT_NUMBER = 64;
constexpr BYTE LANGUAGE_LD = 2;

void ShowNote(const std::string& text)
{
    ShowMessage("", text, MB_OK);
}

void ShowError(const std::string& text)
{
    ShowMessage("", text, MB_OK | MB_ICONERROR);
}

std::string RowName(const COpcodeDef& row)
{
    return std::string(row.name1, strnlen(row.name1, sizeof(row.name1)));
}

std::string LanguageLine(int language)
{
    return ByteString::Format("(*%d*)", language == LANGUAGE_LD ? 2 : 1);
}

// The text before the first blank, and the text after it.
std::string FirstWord(const std::string& line)
{
    const int blank = ByteString::Find(line, ' ');
    return blank < 0 ? line : ByteString::Left(line, blank);
}

std::string AfterFirstBlank(const std::string& line)
{
    const int blank = ByteString::Find(line, ' ');
    return blank < 0 ? std::string() : ByteString::Mid(line, blank + 1);
}

// "MOVE s, t" -> s and t, trimmed.
void SplitMove(const std::string& line, std::string& source, std::string& target)
{
    const std::string operands = AfterFirstBlank(line);
    const int comma = ByteString::Find(operands, ',');
    source = ByteString::Trim(comma < 0 ? operands : ByteString::Left(operands, comma));
    target = comma < 0 ? std::string() : ByteString::Trim(ByteString::Mid(operands, comma + 1));
}

struct ParamTypeName {
    OperandTypeFlags type;
    const char* nameFormat;
    const char* typeName;
};

const ParamTypeName kParamTypeNames[] = {
    {OT_BOOL, "bP%02d", "BOOL"},   {OT_BYTE, "byP%02d", "BYTE"}, {OT_WORD, "wP%02d", "WORD"},
    {OT_DWORD, "dwP%02d", "DWORD"}, {OT_INT, "iP%02d", "INT"},    {OT_DINT, "diP%02d", "DINT"},
    {OT_REAL, "fP%02d", "REAL"},
};

// Lines of the program file laid out as the editor writes them: the first
// word, blanks up to column 8, then the rest.
std::string LayoutLine(const std::string& line)
{
    if (ByteString::Find(line, ' ') < 0 || ByteString::Find(line, "(* Network") >= 0)
        return line;
    const std::string word = FirstWord(line);
    std::string text = word + ' ';
    while (text.size() < 8)
        text += ' ';
    return text + AfterFirstBlank(line);
}

bool ParseDecimal(const std::string& text, int& value)
{
    const std::string digits = ByteString::Trim(text);
    if (digits.empty() || digits.size() > 9)
        return false;
    value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

} // namespace

CObjectDecompiler::CObjectDecompiler(int uploadFormat)
    : m_uploadFormat(uploadFormat)
{
}

CObjectDecompiler::~CObjectDecompiler() = default;

BOOL CObjectDecompiler::CheckRange(int index, int size, int count) const
{
    if (index < 0 || size <= 0 || count <= 0) {
        ShowNote("A unknown array error occured.");
        return FALSE;
    }
    if (index + count > size) {
        ShowNote("Array overflow.");
        return FALSE;
    }
    return TRUE;
}

void CObjectDecompiler::ResetDecompilerState()
{
    m_instructionCounter = -1;
    m_position = 0;
    m_length = 0;
    m_current = 0;
    m_callees.clear();
    m_pous.clear();
    m_folder.clear();
    m_radix = 10;
    m_openBlock = CDecompiledCallBlock();
}

BOOL CObjectDecompiler::ResetDecompiledPOU(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pous.size()) || !m_pous[index])
        return FALSE;
    *m_pous[index] = CDecompiledPOU();
    return TRUE;
}

BOOL CObjectDecompiler::RebuildSources(const BYTE* code, int length, int radix, const std::string& folder,
                                       std::vector<std::string>& pouNames)
{
    const std::vector<BYTE> copy(code, code + (code && length > 0 ? length : 0));
    ResetDecompilerState();
    m_code = copy;
    m_folder = folder;
    m_length = static_cast<int>(m_code.size());
    m_radix = radix;
    m_position = 0;

    for (int file = 1; m_position < m_length; ++file) {
        if (!ReadPOUHeader()) {
            ShowNote(file == 1 ? std::string("Error in first file in first process.")
                               : ByteString::Format("Error in file %d in first process.", file));
            ResetDecompilerState();
            return FALSE;
        }
    }
    const int count = static_cast<int>(m_pous.size());
    for (m_current = 0; m_current < count; ++m_current) {
        if (!DecodePOU()) {
            ShowNote(ByteString::Format("Error in \"POU\" %d in second process.", m_current + 1));
            ResetDecompilerState();
            return FALSE;
        }
    }
    for (m_current = 0; m_current < count; ++m_current) {
        if (!ResolveReferences()) {
            ShowNote(ByteString::Format("Error in \"POU\" %d in third process.", m_current + 1));
            ResetDecompilerState();
            return FALSE;
        }
    }
    for (m_current = 0; m_current < count; ++m_current) {
        if (!WritePOUFiles()) {
            ShowNote(ByteString::Format("Error in \"POU\" %d in forth process.", m_current + 1));
            ResetDecompilerState();
            return FALSE;
        }
        pouNames.push_back(Current().pouName);
    }
    ResetDecompilerState();
    return TRUE;
}

BOOL CObjectDecompiler::ReadBytes(int position, int count, DWORD& value) const
{
    if (position < 0 || count <= 0 || position + count > m_length)
        return FALSE;
    value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | m_code[position + i];
    return TRUE;
}

BOOL CObjectDecompiler::ReadPOUHeader()
{
    const int index = static_cast<int>(m_pous.size());
    if (!CheckRange(index, DECOMPILER_MAX_POUS, 1))
        return FALSE;
    m_pous.push_back(std::make_unique<CDecompiledPOU>());
    ResetDecompiledPOU(index);
    CDecompiledPOU& pou = *m_pous[index];

    DWORD size = 0;
    if (m_length - m_position < POU_HEADER_BYTES || !ReadBytes(m_position, 2, size))
        return FALSE;
    // A block shorter than its own header would never move the reader on.
    if (size < static_cast<DWORD>(POU_HEADER_BYTES))
        return FALSE;
    pou.firstByte = m_position;
    pou.lastByte = m_position + static_cast<int>(size) - 1;
    if (pou.lastByte >= m_length)
        return FALSE;

    pou.language = m_code[m_position + 2];
    const BYTE kind = m_code[m_position + 4];
    const int number = m_code[m_position + 5];
    int languageEntry = 0;
    if (kind == POU_KIND_MAIN && number == MAIN_NUMBER) {
        pou.pouName = "MAIN";
        pou.programFile = pou.pouName + "_MAIN" + ".ilp";
        pou.variableFile = pou.pouName + "_MAIN" + ".ilv";
    } else if (kind == POU_KIND_SBR && number < MAX_SBR_NUMBER) {
        pou.pouName = ByteString::Format("SBR%02d", number);
        pou.programFile = ByteString::Format("%s_SBR_%d%s", pou.pouName.c_str(), number, ".ilp");
        pou.variableFile = ByteString::Format("%s_SBR_%d%s", pou.pouName.c_str(), number, ".ilv");
        languageEntry = POU_LANGUAGE_FIRST_SBR + number;
    } else if (kind == POU_KIND_INT && number < MAX_INT_NUMBER) {
        pou.pouName = ByteString::Format("INT%02d", number);
        pou.programFile = ByteString::Format("%s_INT_%d%s", pou.pouName.c_str(), number, ".ilp");
        pou.variableFile = ByteString::Format("%s_INT_%d%s", pou.pouName.c_str(), number, ".ilv");
        languageEntry = POU_LANGUAGE_FIRST_INT + number;
    } else {
        return FALSE;
    }
    if (m_uploadFormat >= 1 && m_uploadFormat <= 3)
        pou.language = g_POULanguageTable[languageEntry];
    pou.languageLine = LanguageLine(pou.language);
    m_position = pou.lastByte + 1;
    return TRUE;
}

int CObjectDecompiler::ReadOpcode(int& position, COpcodeDef& row, WORD& opcode)
{
    DWORD value = 0;
    if (!ReadBytes(position, 2, value))
        return -1;
    opcode = static_cast<WORD>(value);
    position += 2;
    return FindInstructionByOpcode(opcode, row);
}

int CObjectDecompiler::OperandKind(const COpcodeDef& row, int operand, OperandTypeFlags& typeBits) const
{
    if (operand < 0 || operand >= OPCODE_MAX_OPERANDS)
        return OPERAND_KIND_NONE;
    const OperandTypeFlags mask = row.operandMasks[operand];
    typeBits = mask & OT_TYPE_BITS;
    const int kinds[] = {OPERAND_KIND_NUMBER, OPERAND_KIND_DIRECT, OPERAND_KIND_CONSTANT, OPERAND_KIND_POINTER,
                         OPERAND_KIND_ADDRESS_OF};
    for (int kind : kinds) {
        if (mask & static_cast<OperandTypeFlags>(kind))
            return kind;
    }
    return OPERAND_KIND_NONE;
}

BOOL CObjectDecompiler::DecodePOU()
{
    CDecompiledPOU& pou = Current();
    int position = pou.firstByte + POU_HEADER_BYTES;
    if (position > pou.lastByte)
        return FALSE;
    bool inBlock = false;
    bool nonCallLine = false;
    m_openBlock = CDecompiledCallBlock();
    bool first = true;
    while (pou.lastByte - position + 1 >= 2) {
        COpcodeDef row{};
        WORD opcode = 0;
        if (ReadOpcode(position, row, opcode) < 0)
            return FALSE;
        if (FormatInstructionLine(row, position) < 0)
            return FALSE;
        if (TrackCallBlock(pou.lines.back(), row.operandMasks[0] & OT_TYPE_BITS, inBlock, nonCallLine) < 0)
            return FALSE;
        if (first) {
            pou.firstInstruction = m_instructionCounter + (RowName(row) == "__NETWORK" ? 1 : 0);
            first = false;
        }
    }
    // A call block still open at the end would pair with another POU's lines.
    return position == pou.lastByte + 1 && !inBlock;
}

BOOL CObjectDecompiler::NoteNumberOperand(const std::string& line, int lineIndex, int number)
{
    CDecompiledPOU& pou = Current();
    if (ByteString::StartsWith(line, "LBL")) {
        if (number != m_instructionCounter + 2)
            ShowNote("error LBL");
        if (!CheckRange(static_cast<int>(pou.labels.size()), DECOMPILED_MAX_LIST, 1))
            return FALSE;
        CDecompiledLabel label;
        label.name = ByteString::Format("LBL%d", static_cast<int>(pou.labels.size()) + 1);
        label.id = number;
        pou.labels.push_back(label);
        pou.labelLines.push_back(lineIndex);
        return TRUE;
    }
    std::vector<int>* list = nullptr;
    if (ByteString::StartsWith(line, "CAL"))
        list = &pou.callLines;
    else if (ByteString::StartsWith(line, "JMP"))
        list = &pou.jumpLines;
    else if (ByteString::StartsWith(line, "ATCH"))
        list = &pou.attachLines;
    if (!list)
        return TRUE;
    if (!CheckRange(static_cast<int>(list->size()), DECOMPILED_MAX_LIST, 1))
        return FALSE;
    list->push_back(lineIndex);
    return TRUE;
}

BOOL CObjectDecompiler::FormatOperand(const COpcodeDef& row, int operand, int lineIndex, const std::string& line,
                                      int& position, std::string& text)
{
    const CDecompiledPOU& pou = Current();
    OperandTypeFlags typeBits = 0;
    const int kind = OperandKind(row, operand, typeBits);
    int width = 2;
    if (kind == OPERAND_KIND_ADDRESS_OF)
        width = 4;
    if (kind == OPERAND_KIND_CONSTANT) {
        if (typeBits == OT_DWORD || typeBits == OT_DINT || typeBits == OT_REAL)
            width = 4;
        else if (typeBits != OT_BOOL && typeBits != OT_BYTE && typeBits != OT_WORD && typeBits != OT_INT)
            return FALSE;
    }
    DWORD value = 0;
    if (kind == OPERAND_KIND_NONE || position + width - 1 > pou.lastByte || !ReadBytes(position, width, value))
        return FALSE;
    position += width;
    switch (kind) {
    case OPERAND_KIND_NUMBER:
        text = ByteString::Format("%d", static_cast<int>(value));
        if (!NoteNumberOperand(line, lineIndex, static_cast<int>(value)))
            return FALSE;
        break;
    case OPERAND_KIND_DIRECT:
        text = CZULProject::FormatAddress(static_cast<EncodedPlcAddress>(value), typeBits);
        break;
    case OPERAND_KIND_CONSTANT:
        if (typeBits == OT_INT)
            value = static_cast<DWORD>(static_cast<int>(static_cast<short>(value)));
        text = FormatConstant(value, typeBits, m_radix);
        break;
    case OPERAND_KIND_POINTER:
        text = FormatPointerOperand(static_cast<int>(value), typeBits);
        break;
    default:
        text = FormatAddressOfOperand(value, typeBits);
        break;
    }
    return text.empty() ? FALSE : TRUE;
}

int CObjectDecompiler::FormatInstructionLine(const COpcodeDef& row, int& position)
{
    CDecompiledPOU& pou = Current();
    const std::string name = RowName(row);
    if (row.operandCount > OPCODE_MAX_OPERANDS)
        return -1;
    std::string line = name + " ";
    if (name == "AND(" || name == "OR(")
        ++m_instructionCounter;
    const int lineIndex = static_cast<int>(pou.lines.size());
    for (int i = 0; i < static_cast<int>(row.operandCount); ++i) {
        std::string text;
        if (!FormatOperand(row, i, lineIndex, line, position, text))
            return -1;
        line += (i > 0 ? ", " : "") + text;
    }
    if (!CheckRange(lineIndex, DECOMPILED_MAX_LINES, 1))
        return -1;
    pou.lines.push_back(line);
    if (name != "__NETWORK")
        ++m_instructionCounter;
    return 1;
}

std::string CObjectDecompiler::FormatConstant(DWORD value, OperandTypeFlags typeBits, int /*radix*/) const
{
    switch (typeBits) {
    case OT_BOOL:
        return value != 0 ? "TRUE" : "FALSE";
    case OT_BYTE:
        return ByteString::Format("B#%d", static_cast<int>(value));
    case OT_WORD:
        return ByteString::Format("W#%d", static_cast<int>(value));
    case OT_DWORD:
        return ByteString::Format("DW#%u", static_cast<unsigned>(value));
    case OT_INT:
        return ByteString::Format("%d", static_cast<int>(value));
    case OT_DINT:
        return ByteString::Format("DI#%d", static_cast<int>(value));
    case OT_REAL: {
        std::string text = ByteString::FormatDouble("%.6G", DwordToFloat(value));
        if (ByteString::Find(text, '.') >= 0)
            return text;
        const int exponent = ByteString::Find(text, 'E');
        if (exponent < 0)
            return text + ".0";
        return ByteString::Left(text, exponent) + ".0" + ByteString::Mid(text, exponent);
    }
    default:
        return std::string();
    }
}

std::string CObjectDecompiler::FormatPointerOperand(int imageOffset, OperandTypeFlags typeBits) const
{
    int index = -1;
    const std::string area = CZULProject::FindAreaOfOffset(imageOffset, index);
    if (!(typeBits & OT_POINTER) || area != "%V")
        return std::string();
    return ByteString::Format("*%sD%d", area.c_str() + 1, index);
}

std::string CObjectDecompiler::FormatAddressOfOperand(DWORD operand, OperandTypeFlags typeBits) const
{
    int index = -1;
    const std::string area = CZULProject::FindAreaOfOffset(static_cast<int>(operand & 0xFFFF), index);
    if (!(typeBits & OT_ADDRESS_OF) || area != "%V")
        return std::string();
    const char* unit = nullptr;
    switch (operand >> 16) {
    case OT_BYTE:
        unit = "B";
        break;
    case OT_WORD:
        unit = "W";
        break;
    case OT_DWORD:
        unit = "D";
        break;
    case OT_REAL:
        unit = "R";
        break;
    default:
        return std::string();
    }
    return ByteString::Format("&%s%s%d", area.c_str() + 1, unit, index);
}

int CObjectDecompiler::TrackCallBlock(const std::string& line, OperandTypeFlags type, bool& inBlock,
                                      bool& nonCallLine)
{
    CDecompiledPOU& pou = Current();
    const int lineIndex = static_cast<int>(pou.lines.size()) - 1;
    if (ByteString::StartsWith(line, "__ZUL_EN") && !ByteString::StartsWith(line, "__ZUL_ENO")) {
        if (inBlock)
            return -1;
        inBlock = true;
        nonCallLine = false;
        m_openBlock = CDecompiledCallBlock();
        m_openBlock.enLine = lineIndex;
        return 1;
    }
    if (ByteString::StartsWith(line, "__ZUL_ENO")) {
        if (!inBlock)
            return -1;
        if (nonCallLine) {
            if (!CheckRange(static_cast<int>(pou.callBlocks.size()), DECOMPILED_MAX_LIST, 1))
                return -1;
            m_openBlock.enoLine = lineIndex;
            pou.callBlocks.push_back(m_openBlock);
        }
        inBlock = false;
        nonCallLine = false;
        m_openBlock = CDecompiledCallBlock();
        return 1;
    }
    if (!inBlock)
        return 1;
    if (ByteString::StartsWith(line, "MOVE ")) {
        if (!CheckRange(static_cast<int>(m_openBlock.moves.size()), DECOMPILED_MAX_LIST, 1))
            return -1;
        m_openBlock.moves.push_back({lineIndex, type});
    }
    if (ByteString::StartsWith(line, "CAL "))
        m_openBlock.calLine = lineIndex;
    else
        nonCallLine = true;
    return 1;
}

std::string CObjectDecompiler::LabelById(const std::string& id) const
{
    const std::string wanted = ByteString::TrimRight(id);
    for (const CDecompiledLabel& label : Current().labels) {
        if (ByteString::Format("%d", label.id) == wanted)
            return label.name;
    }
    return std::string();
}

std::string CObjectDecompiler::POUByFirstInstruction(const std::string& number) const
{
    const std::string wanted = ByteString::TrimRight(number);
    for (const auto& pou : m_pous) {
        if (ByteString::Format("%d", pou->firstInstruction) == wanted)
            return pou->pouName;
    }
    return std::string();
}

std::string CObjectDecompiler::LabelName(const std::string& line) const
{
    if (!ByteString::StartsWith(line, "LBL "))
        return std::string();
    return LabelById(ByteString::Mid(line, 4));
}

std::string CObjectDecompiler::JumpTarget(const std::string& line) const
{
    const std::string word = FirstWord(line);
    if (word == line || (word != "JMP" && word != "JMPC" && word != "JMPCN"))
        return std::string();
    return LabelById(AfterFirstBlank(line));
}

std::string CObjectDecompiler::CalleeName(const std::string& line) const
{
    if (FirstWord(line) != "CAL" || ByteString::Find(line, ' ') < 0)
        return std::string();
    return POUByFirstInstruction(AfterFirstBlank(line));
}

std::string CObjectDecompiler::AttachTarget(const std::string& line) const
{
    if (FirstWord(line) != "ATCH" || ByteString::Find(line, ' ') < 0)
        return std::string();
    const std::string operands = AfterFirstBlank(line);
    const int comma = ByteString::Find(operands, ',');
    if (comma < 0)
        return std::string();
    return POUByFirstInstruction(ByteString::Left(operands, comma));
}

BOOL CObjectDecompiler::ResolveReferences()
{
    CDecompiledPOU& pou = Current();
    const int lineCount = static_cast<int>(pou.lines.size());
    BOOL ok = TRUE;
    for (int index : pou.labelLines) {
        if (!CheckRange(index, lineCount, 1))
            return FALSE;
        const std::string name = LabelName(pou.lines[index]);
        if (name.empty())
            ok = FALSE;
        else
            pou.lines[index] = "LBL " + name;
    }
    for (int index : pou.jumpLines) {
        if (!CheckRange(index, lineCount, 1))
            return FALSE;
        std::string& line = pou.lines[index];
        const std::string name = JumpTarget(line);
        if (name.empty())
            ok = FALSE;
        else
            line = FirstWord(line) + " " + name;
    }
    for (int index : pou.callLines) {
        if (!CheckRange(index, lineCount, 1))
            return FALSE;
        const std::string name = CalleeName(pou.lines[index]);
        if (name.empty())
            ok = FALSE;
        else
            pou.lines[index] = "CAL " + name;
    }
    for (int index : pou.attachLines) {
        if (!CheckRange(index, lineCount, 1))
            return FALSE;
        std::string& line = pou.lines[index];
        const std::string name = AttachTarget(line);
        if (name.empty())
            ok = FALSE;
        else
            line = "ATCH " + name + ", " + ByteString::Mid(line, ByteString::Find(line, ',') + 1);
    }
    for (int block = 0; block < static_cast<int>(pou.callBlocks.size()); ++block) {
        if (RebuildCallBlock(block) < 0)
            ok = FALSE;
    }
    return ok;
}

BOOL CObjectDecompiler::IsCalleeDone(const std::string& name) const
{
    for (const std::string& callee : m_callees) {
        if (callee == name)
            return TRUE;
    }
    return FALSE;
}

int CObjectDecompiler::FindPOUByName(const std::string& name) const
{
    for (int i = 0; i < static_cast<int>(m_pous.size()); ++i) {
        if (m_pous[i]->pouName == name)
            return i;
    }
    return -1;
}

int CObjectDecompiler::FindParameter(const std::string& location, int pou) const
{
    const std::vector<CDecompiledParam>& params = m_pous[pou]->params;
    for (int i = static_cast<int>(params.size()) - 1; i >= 0; --i) {
        if (params[i].location == location)
            return i;
    }
    return -1;
}

int CObjectDecompiler::FindInOutParameter(const std::string& location, int pou) const
{
    const std::vector<CDecompiledParam>& params = m_pous[pou]->params;
    for (int i = static_cast<int>(params.size()) - 1; i >= 0; --i) {
        if (params[i].location == location && params[i].paramClass == PARAM_CLASS_IN_OUT)
            return i;
    }
    return -1;
}

BOOL CObjectDecompiler::AddParameter(int pou, const std::string& location, OperandTypeFlags type, int paramClass)
{
    std::vector<CDecompiledParam>& params = m_pous[pou]->params;
    const int index = static_cast<int>(params.size());
    if (!CheckRange(index, DECOMPILED_MAX_PARAMS, 1))
        return FALSE;
    CDecompiledParam param;
    param.location = location;
    param.type = type;
    param.paramClass = paramClass;
    for (const ParamTypeName& entry : kParamTypeNames) {
        if (entry.type == type) {
            param.name = ByteString::Format(entry.nameFormat, index);
            param.typeName = entry.typeName;
        }
    }
    params.push_back(param);
    return TRUE;
}

int CObjectDecompiler::RebuildCallBlock(int block)
{
    CDecompiledPOU& pou = Current();
    if (!CheckRange(block, static_cast<int>(pou.callBlocks.size()), 1))
        return -1;
    CDecompiledCallBlock& entry = pou.callBlocks[block];
    const int lineCount = static_cast<int>(pou.lines.size());
    if (entry.calLine < 0 || !CheckRange(entry.enLine, lineCount, 1) || !CheckRange(entry.enoLine, lineCount, 1))
        return -1;
    const std::string callee = ByteString::Right(pou.lines[entry.calLine], 5);
    const bool building = !IsCalleeDone(callee);
    const int target = FindPOUByName(callee);
    if (target < 0)
        return -1;

    std::string text = pou.lines[entry.calLine];
    size_t nextMove = 0;
    auto moveType = [&]() -> OperandTypeFlags {
        return nextMove < entry.moves.size() ? entry.moves[nextMove++].type : 0;
    };
    auto lookup = [&](const std::string& location) {
        return building ? FindParameter(location, target) : FindInOutParameter(location, target);
    };
    bool output = false;
    bool skipStore = false;
    for (int i = entry.enLine + 1; i < entry.enoLine; ++i) {
        const std::string& line = pou.lines[i];
        const std::string operand = ByteString::Trim(AfterFirstBlank(line));
        if (!output) {
            if (ByteString::StartsWith(line, "LD ")) {
                text += " " + operand + ",";
            } else if (ByteString::StartsWith(line, "ST ")) {
                if (building && !AddParameter(target, operand, OT_BOOL, PARAM_CLASS_INPUT))
                    return -1;
            } else if (ByteString::StartsWith(line, "MOVE ")) {
                std::string source;
                std::string location;
                SplitMove(line, source, location);
                text += " " + source + ",";
                if (building && !AddParameter(target, location, moveType(), PARAM_CLASS_INPUT))
                    return -1;
            } else if (ByteString::StartsWith(line, "CAL ")) {
                output = true;
            }
            continue;
        }
        if (ByteString::StartsWith(line, "LD ")) {
            const int found = lookup(operand);
            if (found >= 0) {
                if (building)
                    m_pous[target]->params[found].paramClass = PARAM_CLASS_IN_OUT;
                skipStore = true;
            } else if (building && !AddParameter(target, operand, OT_BOOL, PARAM_CLASS_OUTPUT)) {
                return -1;
            }
        } else if (ByteString::StartsWith(line, "ST ")) {
            if (skipStore)
                skipStore = false;
            else
                text += " " + operand + ",";
        } else if (ByteString::StartsWith(line, "MOVE ")) {
            std::string location;
            std::string destination;
            SplitMove(line, location, destination);
            const int found = lookup(location);
            const OperandTypeFlags type = building ? moveType() : 0;
            if (found >= 0) {
                if (building)
                    m_pous[target]->params[found].paramClass = PARAM_CLASS_IN_OUT;
            } else {
                if (building && !AddParameter(target, location, type, PARAM_CLASS_OUTPUT))
                    return -1;
                text += " " + destination + ",";
            }
        }
    }
    if (building) {
        if (!CheckRange(static_cast<int>(m_callees.size()), DECOMPILER_MAX_CALLEES, 1))
            return -1;
        m_callees.push_back(callee);
    }
    entry.text = text;
    return 1;
}

BOOL CObjectDecompiler::ConvertLines(std::vector<std::string>& written)
{
    CDecompiledPOU& pou = Current();
    const int count = static_cast<int>(pou.lines.size());
    int nextBlock = 0;
    for (int i = 0; i < count; ++i) {
        const std::string& line = pou.lines[i];
        if (ByteString::StartsWith(line, "__NETWORK ")) {
            written.push_back("");
            written.push_back(ByteString::Format("(* Network %d *)", pou.networkCounter++));
        } else if (ByteString::StartsWith(line, "__LD ") || ByteString::StartsWith(line, "__LDN ") ||
                   ByteString::StartsWith(line, "__LDI ") || ByteString::StartsWith(line, "__LDNI ")) {
            written.push_back(ByteString::Mid(line, 2));
        } else if (ByteString::StartsWith(line, "__NEXT ")) {
            written.push_back("NEXT");
        } else if (ByteString::StartsWith(line, "__FOR ")) {
            const int comma = ByteString::ReverseFind(line, ',');
            written.push_back(ByteString::Mid(comma < 0 ? line : ByteString::Left(line, comma), 2));
        } else if (ByteString::StartsWith(line, "__RETCI ")) {
            written.push_back("RETC");
        } else if (ByteString::StartsWith(line, "__RETCNI ")) {
            written.push_back("RETCN");
        } else if (ByteString::StartsWith(line, "LBL ")) {
            written.push_back(ByteString::Mid(line, 4) + ":");
        } else if (ByteString::StartsWith(line, "__INTEND ") || ByteString::StartsWith(line, "__SPEND ") ||
                   ByteString::StartsWith(line, "__MPEND ") || ByteString::StartsWith(line, "__SMW32 ")) {
            continue;
        } else if (ByteString::StartsWith(line, "__ZUL_EN ")) {
            if (i + 2 < count && ByteString::StartsWith(pou.lines[i + 1], "CAL ") &&
                ByteString::StartsWith(pou.lines[i + 2], "__ZUL_ENO ")) {
                written.push_back(pou.lines[i + 1]);
                i += 2;
                continue;
            }
            if (!CheckRange(nextBlock, static_cast<int>(pou.callBlocks.size()), 1))
                return FALSE;
            const CDecompiledCallBlock& block = pou.callBlocks[nextBlock++];
            if (block.enoLine < i)
                return FALSE;
            std::string text = block.text;
            if (!text.empty() && text.back() == ',')
                text.pop_back();
            written.push_back(text);
            i = block.enoLine;
        } else {
            written.push_back(line);
        }
    }
    return TRUE;
}

int CObjectDecompiler::SplitOperands(const std::string& line, std::string tokens[DECOMPILER_OPERAND_SLOTS]) const
{
    int count = 0;
    std::string token;
    for (size_t i = 0; i <= line.size(); ++i) {
        const char c = i < line.size() ? line[i] : ' ';
        if (c != ' ' && c != ',' && c != '\t') {
            token += c;
            continue;
        }
        if (token.empty())
            continue;
        if (!CheckRange(count, DECOMPILER_OPERAND_SLOTS, 1))
            return -1;
        tokens[count++] = token;
        token.clear();
    }
    return count;
}

std::string CObjectDecompiler::SubstituteOperands(const std::string tokens[DECOMPILER_OPERAND_SLOTS],
                                                  int count) const
{
    std::string text = count > 0 ? tokens[0] + " " : std::string();
    for (int k = 1; k < count; ++k) {
        const OperandSlot& slot = m_slots[k - 1];
        text += (k > 1 ? ", " : "") + (slot.used ? slot.text : tokens[k]);
    }
    return text;
}

BOOL CObjectDecompiler::RestorePointerOperands(const std::vector<std::string>& written, std::string& program)
{
    int opened = 0;
    int closed = 0;
    bool wrappedDone = false;
    for (const std::string& raw : written) {
        const std::string line = ByteString::Upper(ByteString::Trim(raw));
        if (line.empty())
            continue;
        if (ByteString::StartsWith(line, "PTR_R ")) {
            const std::string operands = AfterFirstBlank(line);
            const int comma = ByteString::Find(operands, ',');
            int slot = 0;
            if (comma < 0 || !ParseDecimal(ByteString::Mid(operands, comma + 1), slot))
                return FALSE;
            slot &= ~0x20;
            if (!CheckRange(slot - 1, DECOMPILER_OPERAND_SLOTS, 1))
                return FALSE;
            m_slots[slot - 1].text = ByteString::Trim(ByteString::Left(operands, comma));
            m_slots[slot - 1].used = true;
            ++opened;
            continue;
        }
        if (ByteString::StartsWith(line, "PTR_W ")) {
            if (++closed >= opened) {
                opened = 0;
                closed = 0;
                wrappedDone = false;
            }
            continue;
        }
        if (opened > 0) {
            if (wrappedDone)
                continue;
            std::string tokens[DECOMPILER_OPERAND_SLOTS];
            const int count = SplitOperands(line, tokens);
            if (count < 0)
                return FALSE;
            program += LayoutLine(ByteString::Upper(SubstituteOperands(tokens, count))) + "\n";
            for (OperandSlot& slot : m_slots)
                slot = OperandSlot();
            wrappedDone = true;
            continue;
        }
        program += LayoutLine(raw) + "\n";
    }
    return TRUE;
}

std::string CObjectDecompiler::VariableFileText(const CDecompiledPOU& pou) const
{
    std::string text;
    const struct {
        const char* keyword;
        int paramClass;
    } sections[] = {{"VAR_INPUT\n", PARAM_CLASS_INPUT},
                    {"VAR_OUTPUT\n", PARAM_CLASS_OUTPUT},
                    {"VAR_IN_OUT\n", PARAM_CLASS_IN_OUT}};
    for (const auto& section : sections) {
        text += section.keyword;
        for (const CDecompiledParam& param : pou.params) {
            if (param.paramClass == section.paramClass)
                text += param.name + " AT " + param.location + " : " + param.typeName + " ;\n";
        }
        text += "END_VAR\n";
    }
    return text + "VAR\n" + "END_VAR\n";
}

BOOL CObjectDecompiler::WritePOUFiles()
{
    CDecompiledPOU& pou = Current();
    if (!FileSystem::FolderExists(m_folder)) {
        ShowNote("Invalid file path during decompilation.");
        return FALSE;
    }
    std::vector<std::string> written;
    if (!ConvertLines(written))
        return FALSE;
    // The language line stands alone on the first line, so that the first
    // instruction is not glued to it.
    std::string program = pou.languageLine + "\n";
    if (!RestorePointerOperands(written, program))
        return FALSE;
    if (!FileSystem::SafeSave(m_folder + pou.programFile, program)) {
        ShowError("Failed to create the program file during decompilation.");
        return FALSE;
    }
    if (static_cast<int>(pou.params.size()) >= DECOMPILED_MAX_PARAMS) {
        CheckRange(static_cast<int>(pou.params.size()), DECOMPILED_MAX_PARAMS, 1);
        return FALSE;
    }
    if (!FileSystem::SafeSave(m_folder + pou.variableFile, VariableFileText(pou))) {
        ShowError("Failed to create the variable file during decompilation.");
        return FALSE;
    }
    return TRUE;
}
