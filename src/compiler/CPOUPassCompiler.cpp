#include "CPOUPassCompiler.h"

#include "CCompileMessage.h"
#include "CCompileState.h"
#include "CObjectFile.h"
#include "CRowCounter.h"
#include "CommentFilter.h"
#include "CompilerSymbols.h"
#include "model/CZULAppData.h"
#include "model/LanguageLibrary.h"
#include "model/POULanguageTable.h"
#include "model/VarFileReader.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char kCommentOpen[] = "(*";
const char kCommentClose[] = "*)";

// Walks the lines from first on: every line goes to onRow, and what is left
// of it once comments and a network header are filtered out goes to onCode
// unless it is blank. True when a comment is still open at the end.
template <class OnRow, class OnCode>
bool WalkCodeLines(const std::vector<std::string>& lines, size_t first, OnRow onRow, OnCode onCode)
{
    bool commentOpen = false;
    for (size_t i = first; i < lines.size(); ++i) {
        onRow(lines[i]);
        std::string text = lines[i];
        commentOpen = FilterCommentsAndNetworkHeader(text, commentOpen, kCommentOpen, kCommentClose);
        if (!ByteString::Trim(text).empty())
            onCode(text);
    }
    return commentOpen;
}
const char kCallWord[] = "CAL";

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

bool IsCallLine(const std::string& line)
{
    return ByteString::StartsWith(ByteString::Upper(line), kCallWord);
}

bool IsBoolFormal(const CVariableEntry& formal)
{
    return (formal.typeFlags & OT_TYPE_BITS) == OT_BOOL;
}

// The lines that copy one operand into another around a call: a BOOL goes
// through the accumulator, any other type is moved.
std::vector<std::string> CopyLines(const std::string& from, const std::string& to, bool isBool)
{
    if (isBool)
        return {"LD " + from, "ST " + to, "__ZUL_CR"};
    return {"MOVE " + from + " " + to};
}

} // namespace

CPOUPassCompiler::CPOUPassCompiler(const std::string& sourcePath, const std::string& projectPath)
    : CPOUCompiler(sourcePath, projectPath)
{
}

BOOL CPOUPassCompiler::ReadSourceLines(const std::string& path, std::vector<std::string>& lines)
{
    lines.clear();
    std::string text;
    if (!g_CompileState.ReadSource(path, text))
        return FALSE;
    AppendTextLines(text, true, lines);
    return TRUE;
}

std::vector<CPOUPassCompiler::LineToken> CPOUPassCompiler::TokenizeLine(const std::string& line)
{
    m_context.SetLine(line);
    m_context.ClearLine();
    m_context.Tokenize();
    std::vector<LineToken> tokens;
    for (const CILToken* token = m_context.GetFirstToken(); token; token = token->GetNext())
        tokens.push_back({token->GetText(true), token->GetText(false), token->GetOperandFlags()});
    m_context.ClearLine();
    return tokens;
}

std::string CPOUPassCompiler::EndMarker() const
{
    switch (g_CompileState.CurrentFileKind) {
    case FILE_KIND_MAIN_PROGRAM:
        return "__MPEND";
    case FILE_KIND_SBR_PROGRAM:
        return "__SPEND";
    case FILE_KIND_INT_PROGRAM:
        return "__INTEND";
    default:
        return std::string();
    }
}

CPOUEntry* CPOUPassCompiler::CurrentPOUEntry() const
{
    std::string label;
    SplitLabel(GetFileNameFromPath(m_sourcePath), label);
    return GetPOU(label);
}

int CPOUPassCompiler::ExpansionRow() const
{
    return std::min(m_expandedCalls, EXPANSION_ROWS - 1);
}

std::array<std::string, EXPANSION_LINES>& CPOUPassCompiler::CurrentExpansion()
{
    // Room for every row at once: a row in use never moves while later rows are added.
    m_expansions.reserve(EXPANSION_ROWS);
    const size_t row = size_t(ExpansionRow());
    if (m_expansions.size() <= row)
        m_expansions.resize(row + 1);
    return m_expansions[row];
}

std::string CPOUPassCompiler::PreparedSource(const std::string& sourcePath)
{
    if (g_CompileState.SourceFiles) {
        // The run's files are known by the names they were listed and written
        // under; a work copy is found by the same name with its "~".
        std::string path = sourcePath;
        if (path.empty())
            return std::string();
        if (ByteString::Upper(GetFileExtension(path)) == "ILP")
            path = GetFolderFromPath(path) + "~" + GetFileNameFromPath(path);
        return g_CompileState.SourceExists(path) ? path : std::string();
    }
    // The file's own name on disk finds its work copy without a second search.
    const std::string existing = FileSystem::FindExisting(sourcePath);
    std::string path = existing.empty() ? sourcePath : existing;
    return RedirectToPreparedSource(path) ? path : std::string();
}

// ---------------------------------------------------------------------------
// Precompile pass

void CPOUPassCompiler::Precompile()
{
    const std::string path = PreparedSource(m_filePath);
    if (path.empty()) {
        Report(MSG_FILE_ERROR, MESSAGE_KIND_ERROR, m_sourcePath, "File open failed.", MESSAGE_ROW_FILE);
        return;
    }
    const bool programFile = GetFileExtension(ByteString::Upper(m_sourcePath)) == "ILP";
    std::vector<std::string> lines;
    if (g_CompileState.IsProgramFile()) {
        if (ReadSourceLines(path, lines))
            CollectLabels(lines, programFile);
        else
            Report(MSG_FILE_ERROR, MESSAGE_KIND_ERROR, m_sourcePath, "", MESSAGE_ROW_FILE);
    }
    if (!ReadSourceLines(path, lines)) {
        Report(MSG_FILE_ERROR, MESSAGE_KIND_ERROR, m_sourcePath, "", MESSAGE_ROW_FILE);
        return;
    }
    PrecompileLines(lines, programFile);
}

void CPOUPassCompiler::CollectLabels(const std::vector<std::string>& lines, bool programFile)
{
    CILParseContext splitter;
    CRowCounter rows;
    const auto countRow = [&rows](const std::string& raw) { rows.Count(raw); };
    WalkCodeLines(lines, programFile ? 1 : 0, countRow, [&](const std::string& text) {
        splitter.SetLine(text);
        splitter.ClearLine();
        splitter.Tokenize();
        const CILToken* first = splitter.GetFirstToken();
        const CILToken* second = first ? first->GetNext() : nullptr;
        if (!second || second->GetNext())
            return;
        if (first->GetText(false) == "__NETWORK" && IsDigitString(second->GetText(false)))
            g_CompileState.CurrentNetwork = std::atoi(second->GetText(false).c_str());
        if (second->GetText(false) == ":")
            CheckLabelDefinition({first->GetText(true), first->GetText(false), 0}, rows.Row());
    });
}

void CPOUPassCompiler::CheckLabelDefinition(const LineToken& name, int row)
{
    const auto fail = [&](int code, const char* text) {
        Report(code, MESSAGE_KIND_ERROR, m_sourcePath, Quoted(name.written) + text, row);
    };
    if (!IsValidLabelName(name.written, 1)) {
        fail(MSG_INVALID_LABEL, " - Invalid label");
        return;
    }
    if (FindPOU(name.upper))
        fail(MSG_LABEL_REDEFINED, " - Label can not use the same string as any POU");
    if (FindVariable(name.upper))
        fail(MSG_LABEL_REDEFINED, " - Label can not use the same string as any global variable");
    std::string qualified = name.upper;
    QualifyName(g_CompileState.CurrentPOULabel, qualified);
    if (FindVariable(qualified))
        fail(MSG_LABEL_REDEFINED, " - Label can not use the same string as any local variable in current POU");
    if (FindLabel(qualified))
        fail(MSG_LABEL_REDEFINED, " - Redefined label");
    else
        AddLabel(qualified);
}

void CPOUPassCompiler::PrecompileLines(const std::vector<std::string>& lines, bool programFile)
{
    const bool pouProgram = g_CompileState.IsProgramFile();
    int startOffset = 0;
    CPOUEntry* entry = nullptr;
    if (pouProgram) {
        startOffset = m_context.GetObjectSize();
        m_context.SetObjectSize(startOffset + POU_HEADER_BYTES);
        if (g_CompileState.CurrentFileKind != FILE_KIND_MAIN_PROGRAM)
            entry = CurrentPOUEntry();
        if (entry && g_CompileState.InstructionCounter >= 0)
            entry->firstInstruction = g_CompileState.InstructionCounter + 1;
    }

    CRowCounter rows;
    const auto countRow = [&](const std::string& raw) {
        rows.Count(raw);
        m_currentRow = rows.Row();
        g_CompileState.CurrentRow = m_currentRow;
        g_CompileState.RowStartFlag = rows.CountsAsRow();
        g_CompileState.WrappedLineFlag = rows.IsWrappedLine();
    };
    const bool commentOpen = WalkCodeLines(lines, programFile ? 1 : 0, countRow, [&](const std::string& text) {
        m_currentLine = text;
        if (int(m_currentLine.size()) > MAX_PRECOMPILE_LINE) {
            Report(MSG_LINE_TOO_LONG, MESSAGE_KIND_ERROR, m_sourcePath, m_currentLine, m_currentRow);
            m_currentLine.resize(MAX_PRECOMPILE_LINE);
        }
        if (programFile && IsCallLine(m_currentLine))
            PrecompileCall(m_currentLine);
        else
            CheckCurrentLine(m_currentLine);
    });
    g_CompileState.WrappedLineFlag = false;

    if (pouProgram) {
        CheckCurrentLine(EndMarker());
        const int size = m_context.GetObjectSize() - startOffset;
        if (g_CompileState.CurrentFileKind == FILE_KIND_MAIN_PROGRAM)
            m_mainObjectSize = size;
        else if (entry)
            entry->objectSize = size;
    }
    if (commentOpen)
        Report(MSG_MISSING, MESSAGE_KIND_ERROR, m_sourcePath, kCommentClose, m_currentRow);
    if (g_CompileState.CurrentFileKind == FILE_KIND_MAIN_VARS && g_CompileState.InDeclarationBlock) {
        g_CompileState.InDeclarationBlock = false;
        Report(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, m_sourcePath, "Missing \"END_VAR\" (internal error)",
               m_currentRow);
    }
}

void CPOUPassCompiler::ReportCall(const std::string& detail)
{
    Report(MSG_INVALID_SUBROUTINE_CALL, MESSAGE_KIND_ERROR, m_sourcePath, detail, m_currentRow);
}

void CPOUPassCompiler::PrecompileCall(const std::string& line)
{
    const std::vector<LineToken> tokens = TokenizeLine(line);
    if (tokens.size() < 2 || tokens[0].written.empty()) {
        ReportCall("The subroutine does not exist");
        return;
    }
    const std::string name = tokens[1].upper;
    if (tokens[0].upper != kCallWord || !IsSubroutineLabel(name)) {
        ReportCall("Missing subroutine or invalid subroutine call");
        return;
    }
    if (tokens.size() > 2) {
        ExpandCallWithParameters(tokens, name);
        return;
    }
    const CPOUEntry* entry = GetPOU(name);
    int inputs = entry->inputCount;
    int outputs = entry->outputCount;
    int inOuts = entry->inOutCount;
    if (inputs == -1 && outputs == -1 && inOuts == -1)
        CountParameters(name, inputs, outputs, inOuts);
    if (inputs > 0 || outputs > 0 || inOuts > 0)
        ReportCall("Missing parameters in subroutine call");
    CheckCurrentLine("__ZUL_EN");
    CheckCurrentLine(std::string(kCallWord) + " " + name);
    CheckCurrentLine("__ZUL_ENO");
}

void CPOUPassCompiler::ExpandCallWithParameters(const std::vector<LineToken>& tokens, const std::string& name)
{
    CPOUEntry* entry = GetPOU(name);
    if (!entry) {
        ReportCall("The subroutine does not exist");
        return;
    }
    if (entry->inputCount == -1 && entry->outputCount == -1 && entry->inOutCount == -1) {
        int inputs = -1;
        int outputs = -1;
        int inOuts = -1;
        CountParameters(name, inputs, outputs, inOuts);
        if (inputs >= 0)
            entry->inputCount = inputs;
        if (outputs >= 0)
            entry->outputCount = outputs;
        if (inOuts >= 0)
            entry->inOutCount = inOuts;
    }
    CallState call;
    call.name = name;
    call.inputs = std::max(entry->inputCount, 0);
    call.outputs = std::max(entry->outputCount, 0);
    call.inOuts = std::max(entry->inOutCount, 0);
    if (call.inputs == 0 && call.outputs == 0 && call.inOuts == 0) {
        ReportCall("No parameter needed for this subroutine");
        return;
    }
    if (call.inputs + call.outputs + call.inOuts > MAX_CALL_PARAMETERS) {
        ReportCall(" One subroutine supports 16 parameters at most.");
        return;
    }
    if (m_expandedCalls >= MAX_EXPANDED_CALLS)
        ReportCall("The quantify of subroutine with parameter exceeds limit");
    m_expansionLine = 0;
    CurrentExpansion().fill(std::string());

    bool stopped = false;
    for (size_t i = 2; i < tokens.size(); i += 2) {
        if (call.AllConsumed()) {
            ReportCall(Quoted(tokens[i].written) + " - The quantify of actual parameter exceeds limit");
            stopped = true;
            break;
        }
        if (!ExpandActual(call, tokens[i]))
            break;
    }
    if (!stopped) {
        if (!call.AllConsumed())
            Report(MSG_MISSING, MESSAGE_KIND_ERROR, m_sourcePath, "Missing some of actual parameter", m_currentRow);
        else if (!call.calGenerated)
            GenerateCall(call);
    }

    CheckCurrentLine("__ZUL_EN");
    const auto& row = CurrentExpansion();
    for (const std::string& generated : row) {
        if (generated.empty())
            break;
        CheckCurrentLine(generated);
    }
    CheckCurrentLine("__ZUL_ENO");
    ++m_expandedCalls;
}

CVariableEntry* CPOUPassCompiler::TakeFormal(const CallState& call, const LineToken& actual, FormalWalk walk,
                                             CVariableEntry*& last, int& used, const char* what, bool& matches)
{
    CVariableEntry* formal = last ? walk.next(call.name, last->next) : walk.first(call.name);
    if (!formal)
        return nullptr;
    last = formal;
    ++used;
    matches = CheckFormal(*formal, actual, what, used);
    return formal;
}

bool CPOUPassCompiler::ExpandActual(CallState& call, const LineToken& actual)
{
    // An actual of the wrong type has been reported; it generates no line,
    // so that the report stands alone, and the walk goes on with the next.
    const std::string& a = actual.upper;
    bool matches = false;
    if (call.inputsUsed < call.inputs) {
        CVariableEntry* formal = TakeFormal(call, actual, {FirstInputParam, NextInputParam}, call.lastInput,
                                            call.inputsUsed, " - The type of input parameter No. ", matches);
        if (!formal)
            return false;
        if (!matches)
            return true;
        for (const std::string& line : CopyLines(a, formal->name, IsBoolFormal(*formal)))
            Generate(line);
        return true;
    }
    if (call.inOutsUsed < call.inOuts) {
        CVariableEntry* formal = TakeFormal(call, actual, {FirstInOutParam, NextInOutParam}, call.lastInOut,
                                            call.inOutsUsed, " - The type of in_out parameter No. ", matches);
        if (!formal)
            return false;
        if (!matches)
            return true;
        const bool isBool = IsBoolFormal(*formal);
        for (const std::string& line : CopyLines(a, formal->name, isBool))
            Generate(line);
        for (const std::string& line : CopyLines(formal->name, a, isBool))
            call.copyBack.push_back(line);
        return true;
    }
    if (!call.calGenerated)
        GenerateCall(call);
    CVariableEntry* formal = TakeFormal(call, actual, {FirstOutputParam, NextOutputParam}, call.lastOutput,
                                        call.outputsUsed, " - The type of output parameter No. ", matches);
    if (!formal)
        return false;
    if (!matches)
        return true;
    for (const std::string& line : CopyLines(formal->name, a, IsBoolFormal(*formal)))
        Generate(line);
    return true;
}

bool CPOUPassCompiler::CheckFormal(const CVariableEntry& formal, const LineToken& actual, const char* what, int number)
{
    const OperandTypeFlags required = formal.typeFlags & OT_TYPE_BITS;
    if ((actual.flags & required) == required)
        return true;
    ReportCall(Quoted(actual.written) + what + std::to_string(number) + " does not match the form parameter");
    return false;
}

void CPOUPassCompiler::Generate(const std::string& line)
{
    if (m_expansionLine >= EXPANSION_LINES)
        return;
    CurrentExpansion()[size_t(m_expansionLine++)] = line;
}

void CPOUPassCompiler::GenerateCall(CallState& call)
{
    Generate(std::string(kCallWord) + " " + call.name);
    for (const std::string& line : call.copyBack)
        Generate(line);
    call.calGenerated = true;
}

// ---------------------------------------------------------------------------
// Code pass

void CPOUPassCompiler::GenerateCode(const std::string& sourcePath)
{
    const std::string path = PreparedSource(sourcePath);
    if (path.empty()) {
        Report(MSG_FILE_ERROR, MESSAGE_KIND_ERROR, m_sourcePath, "File Open failed.", MESSAGE_ROW_FILE);
        return;
    }
    std::vector<std::string> lines;
    if (!ReadSourceLines(path, lines)) {
        Report(MSG_FILE_ERROR, MESSAGE_KIND_ERROR, m_sourcePath, "", MESSAGE_ROW_FILE);
        return;
    }
    const bool programFile = GetFileExtension(ByteString::Upper(sourcePath)) == "ILP";
    m_currentRow = 0;
    g_CompileState.InDeclarationBlock = false;
    if (g_CompileState.IsProgramFile())
        WriteBlockHeader();

    const auto countRow = [this](const std::string&) { g_CompileState.CurrentRow = ++m_currentRow; };
    const bool commentOpen = WalkCodeLines(lines, 0, countRow, [&](std::string text) {
        if (int(text.size()) > MAX_CODE_LINE) {
            Report(MSG_LINE_TOO_LONG, MESSAGE_KIND_ERROR, m_sourcePath, text, m_currentRow);
            if (int(text.size()) > MAX_PRECOMPILE_LINE)
                text.resize(MAX_PRECOMPILE_LINE);
        }
        if (programFile && IsCallLine(text))
            EmitCall(text);
        else
            EmitLine(text);
    });
    if (g_CompileState.IsProgramFile())
        EmitLine(EndMarker());

    if (commentOpen)
        Report(MSG_MISSING, MESSAGE_KIND_ERROR, m_sourcePath, kCommentClose, m_currentRow);
    if (g_CompileState.CurrentFileKind == FILE_KIND_MAIN_VARS && g_CompileState.InDeclarationBlock) {
        g_CompileState.InDeclarationBlock = false;
        Report(MSG_VARIABLE_DEFINITION, MESSAGE_KIND_ERROR, m_sourcePath, "Missing \"END_VAR\" (internal error)",
               m_currentRow);
    }
}

BYTE CPOUPassCompiler::LanguageByte(int tableEntry) const
{
    if (g_CompileState.LadderSourceFlag != LADDER_SOURCE)
        return POU_LANGUAGE_IL;
    if (!g_pAppData || g_pAppData->ProfileSubType == 0)
        return POU_LANGUAGE_LD;
    if (tableEntry >= 0 && tableEntry < POU_LANGUAGE_ENTRIES)
        g_POULanguageTable[tableEntry] = POU_LANGUAGE_LD;
    return POU_LANGUAGE_IL;
}

void CPOUPassCompiler::WriteBlockHeader()
{
    BYTE header[POU_HEADER_BYTES] = {};
    int size = 0;
    if (g_CompileState.CurrentFileKind == FILE_KIND_MAIN_PROGRAM) {
        size = m_mainObjectSize;
        header[2] = LanguageByte(0);
        header[4] = POU_BLOCK_MAIN;
        header[5] = POU_NUMBER_MAIN;
        header[3] = POU_HEADER_BYTES;
    } else if (const CPOUEntry* entry = CurrentPOUEntry()) {
        std::string label;
        SplitLabel(GetFileNameFromPath(m_sourcePath), label);
        const BYTE number = static_cast<BYTE>(std::atoi(label.substr(3).c_str()));
        const bool subroutine = g_CompileState.CurrentFileKind == FILE_KIND_SBR_PROGRAM;
        size = entry->objectSize;
        header[2] = LanguageByte(subroutine ? POU_LANGUAGE_FIRST_SBR + number : POU_LANGUAGE_FIRST_INT + number);
        header[4] = subroutine ? POU_BLOCK_SUBROUTINE : POU_BLOCK_INTERRUPT;
        header[5] = number;
        header[3] = POU_HEADER_BYTES;
    }
    header[0] = LOBYTE(size);
    header[1] = HIBYTE(size);
    CObjectFile::Append(header, POU_HEADER_BYTES);
    g_CompileState.ObjectOffset += POU_HEADER_BYTES;
}

void CPOUPassCompiler::EmitLine(const std::string& line)
{
    m_currentLine = line;
    EmitCurrentLine();
}

void CPOUPassCompiler::EmitCall(const std::string& line)
{
    const std::vector<LineToken> tokens = TokenizeLine(line);
    if (tokens.size() < 2 || tokens[0].written.empty())
        return;
    const std::string name = tokens[1].upper;
    if (tokens[0].upper != kCallWord || !IsSubroutineLabel(name))
        return;
    EmitLine("__ZUL_EN");
    if (tokens.size() == 2) {
        EmitLine(std::string(kCallWord) + " " + name);
    } else {
        const auto& row = CurrentExpansion();
        for (const std::string& generated : row) {
            if (generated.empty())
                break;
            EmitLine(generated);
        }
        ++m_expandedCalls;
    }
    EmitLine("__ZUL_ENO");
}
