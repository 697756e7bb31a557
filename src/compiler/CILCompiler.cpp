#include "CILCompiler.h"

#include "CCompileMessage.h"
#include "CCompileMessageList.h"
#include "CCompileState.h"
#include "CObjectFile.h"
#include "CLoopTargetTable.h"
#include "CPOUPassCompiler.h"
#include "CanOpenConfigCheck.h"
#include "CompilerSymbols.h"
#include "InitialDataReport.h"
#include "model/CLocalAddressTable.h"
#include "model/CSourceFileCache.h"
#include "model/CXrefStore.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdlib>

namespace {

const char kErrorCaption[] = "Error";
const char kNoProjectName[] = "The compiler can not get the project name, compilation abort!";
const char kInvalidProjectPath[] = "Invalid project file path and Name.";
const char kCannotOpen[] = "Can not open file \"%s\", compilation failed.";
const char kHardwareLine[] = "$$$ compiling  : Hardware... ";
const char kFileError[] = "File error";
const char kTooManyFiles[] = "The compiler has too many files to handle";
const char kDeclarationErrors[] =
    "There is some errors in variable definition of the project, compilation abort(internal error).";
const char kNoInstruction[] = "No instruction in the project(internal error)";
const char kInstructionLimit[] =
    "The number of instruction reach limit, you can input %d instructions with current CPU type.";
const char kRecursion[] = "There is recursion in subroutine call, ";
const char kRecursionPath[] = "The path of calling subroutines ";
const char kNestingDepth[] = "Subroutines can be nested to a depth of three, the calling sequence:";
const char kPlainSummary[] = " %d errors, %d warnings. Total instructions %d .";
const char kPlcSummary[] = " %d errors, %d warinings.  Total instructions %d. Connected PLC: Firmware V%d.%d.%d%s, OBJ "
                           "V%s, Module %s";
const char kDownloadNote[] = "Connected PLC: Firmware vresion %d.%d.%d%s, OBJ version V%s, Module type %s";

// Identification type bytes whose edition flags name the maker.
constexpr BYTE kTypeWithEdition = 16;
constexpr BYTE kFirstNumberedType = 1;
constexpr BYTE kLastNumberedType = 8;
constexpr BYTE kEditionZul = 0x80;
constexpr BYTE kEditionOrvel = 0x40;

bool IsDeletableWorkFile(const std::string& path)
{
    const std::string extension = GetFileExtension(path);
    return extension == "CGV" || extension == "CIV" || extension == "CIP";
}

std::string LabelOfFileName(const std::string& fileName)
{
    const int underscore = ByteString::Find(fileName, '_');
    return underscore < 0 ? std::string() : fileName.substr(0, size_t(underscore));
}

// The number after the three letters of an "SBRnn" or "INTnn" label; FALSE
// when the rest is not a string of digits.
BOOL LabelNumber(const std::string& label, int& number)
{
    const std::string digits = label.size() > 3 ? label.substr(3) : std::string();
    if (!IsDigitString(digits))
        return FALSE;
    number = std::atoi(digits.c_str());
    return TRUE;
}

} // namespace

void ResetCompilerState()
{
    g_CompileState.Reset();
}

int CompileProjectFiles(const std::vector<std::string>& files, CSourceFileCache* sources)
{
    std::vector<std::string> list = files;
    CILCompiler compiler(list.data(), int(list.size()), sources);
    return compiler.Compile() ? 1 : 0;
}

CILCompiler::CILCompiler(std::string* list, int count, CSourceFileCache* sources)
    : m_ownSources(sources ? nullptr : std::make_unique<CSourceFileCache>())
    , m_sources(sources ? sources : m_ownSources.get())
{
    SetupFiles(list, count);
}

CILCompiler::~CILCompiler()
{
    CObjectFile::Close();
    ResetCompilerState();
}

void CILCompiler::SetupFiles(std::string* list, int count)
{
    m_list = count > 0 ? list : nullptr;
    m_fileCount = m_list ? std::min(count, COMPILER_FILE_SLOTS) : 0;
    m_projectPath.clear();
    m_messageListPath.clear();
    ClearXrefTables();
    ResetCompilerState();
    m_fileNames.assign(m_list, m_list + m_fileCount);
    for (int i = 0; i < m_fileCount; ++i)
        m_list[i] = ByteString::Upper(m_list[i]);
    for (int i = 0; i < m_fileCount; ++i)
        RegisterPOU(m_list[i], m_fileNames[size_t(i)]);
}

void CILCompiler::RegisterPOU(const std::string& entry, const std::string& entryAsGiven)
{
    const std::string fileName = GetFileNameFromPath(entry);
    const std::string name = GetPOUNameFromFileName(GetFileNameFromPath(entryAsGiven));
    const std::string label = LabelOfFileName(fileName);
    const std::string extension = GetFileExtension(fileName);
    int number = 0;
    if (ByteString::StartsWith(label, "SBR") && extension == "ILP") {
        if (!LabelNumber(label, number) || FindPOU(label))
            return;
        AddPOU(label, name, number, POU_KIND_SUBROUTINE);
        AddVariable(label + ".EN", OT_BOOL, "", CMemAreaDef{}, 0, CConstantValue{}, 0, 0, SECTION_NUMBER_OTHER);
        AddVariable(label + ".ENO", OT_BOOL, "", CMemAreaDef{}, 0, CConstantValue{}, 0, 0, SECTION_NUMBER_OTHER);
        return;
    }
    if (ByteString::StartsWith(label, "INT")) {
        if (LabelNumber(label, number) && !FindPOU(label))
            AddPOU(label, name, number, POU_KIND_INTERRUPT);
        return;
    }
    if (extension == "QPJ")
        SetProjectPath(entryAsGiven);
}

void CILCompiler::SetProjectPath(const std::string& entryAsGiven)
{
    const std::string fileName = GetFileNameFromPath(entryAsGiven);
    const int dot = ByteString::ReverseFind(fileName, '.');
    const std::string projectName = dot < 0 ? fileName : fileName.substr(0, size_t(dot));
    int separator = int(entryAsGiven.find_last_of("/\\"));
    if (separator <= 0)
        separator = ByteString::ReverseFind(entryAsGiven, ':');
    if (separator <= 0) {
        ShowMessage(kErrorCaption, kInvalidProjectPath, MB_OK | MB_ICONSTOP);
        return;
    }
    m_projectPath = entryAsGiven.substr(0, size_t(separator) + 1) + projectName + "/" + fileName;
    m_messageListPath = ReplaceFileExtension(m_projectPath, "COI");
    m_objectPath = ReplaceFileExtension(m_projectPath, "EPL");
}

void CILCompiler::Report(int code, int kind, const std::string& detail)
{
    CCompileMessageRecord record;
    record.code = code;
    record.kind = kind;
    record.row = MESSAGE_ROW_PROJECT;
    record.detail = detail;
    CCompileMessage(record).Write();
}

void CILCompiler::ReportError(int code, const std::string& detail)
{
    Report(code, MESSAGE_KIND_ERROR, detail);
    ++m_errorCount;
}

void CILCompiler::ReportWarning(int code, const std::string& detail)
{
    Report(code, MESSAGE_KIND_WARNING, detail);
    ++m_warningCount;
}

BOOL CILCompiler::OpenOutputFiles()
{
    if (!CObjectFile::Open(m_objectPath)) {
        ShowMessage(kErrorCaption, ByteString::Format(kCannotOpen, m_objectPath.c_str()), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (!CCompileMessageList::Open(m_messageListPath)) {
        CObjectFile::Close();
        ShowMessage(kErrorCaption, ByteString::Format(kCannotOpen, m_messageListPath.c_str()), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    return TRUE;
}

BOOL CILCompiler::Compile()
{
    if (m_projectPath.empty()) {
        ShowMessage(kErrorCaption, kNoProjectName, MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    m_errorCount = 0;
    m_warningCount = 0;
    g_CompileState.ObjectOffset = 0;
    g_CompileState.SourceFiles = m_sources;
    // A compilation that stops early must not leave the object file of an
    // earlier one behind.
    if (!CreateCompilerFile(m_messageListPath) || !CreateCompilerFile(m_objectPath) || !OpenOutputFiles()) {
        if (FileExists(m_objectPath))
            FileSystem::DeleteFile(m_objectPath);
        return FALSE;
    }

    if (g_pAppData)
        m_errorCount += ReportInitialData(g_pAppData->Project);
    m_errorCount += CheckHardware();
    Report(MSG_HANDLING_VARIABLE, MESSAGE_KIND_INFO, "");

    const int errorsBeforeDeclarations = m_errorCount;
    CopySources("QGV", "", "CGV");
    CompilePhase("", "CGV");
    DeleteWorkFiles();
    CopySources("LDV", "ILV", "CIV");
    CompilePhase("ILV", "CIV");
    DeleteWorkFiles();
    const bool declarationErrors = m_errorCount > errorsBeforeDeclarations;

    if (declarationErrors) {
        Report(MSG_SUMMARY_FAILED, MESSAGE_KIND_INFO, kDeclarationErrors);
    } else {
        Report(MSG_PRECOMPILING_PHASE, MESSAGE_KIND_INFO, "");
        CopySources("STP", "ILP", "CIP");
        Report(MSG_HANDLING_INSTRUCTION, MESSAGE_KIND_INFO, "");
        CompilePhase("ILP", "CIP");
    }
    DeleteWorkFiles();
    Report(MSG_BLANK, MESSAGE_KIND_INFO, "");
    CObjectFile::Close();
    // A short object file (disk full, lost device) must not pass for a good one.
    if (CObjectFile::WriteFailed())
        ReportError(MSG_FILE_ERROR, kFileError);

    CheckLimits(declarationErrors);
    return Finish(m_errorCount > 0);
}

BOOL CILCompiler::Finish(bool failed)
{
    const std::string line = SummaryLine();
    if (failed) {
        Report(MSG_SUMMARY_FAILED, MESSAGE_KIND_INFO, line);
        if (FileExists(m_objectPath))
            FileSystem::DeleteFile(m_objectPath);
        CCompileMessageList::Close();
        return FALSE;
    }
    Report(MSG_SUMMARY_SUCCESS, MESSAGE_KIND_INFO, line);
    CCompileMessageList::Close();
    return TRUE;
}

int CILCompiler::CheckHardware()
{
    CUserInterface::Output().AppendOutputLine(OUTPUT_LIST_COMPILE, kHardwareLine);
    if (!g_pAppData)
        return 0;
    const DWORD family = GetCPUFamilyMask();
    if (family != CPU_FAMILY_VC14 && family != CPU_FAMILY_VC16)
        return 0;
    int errors = 0;
    CheckCanOpenConfig(errors, m_warningCount,
                       [this](int code, int kind, const std::string& detail) { Report(code, kind, detail); });
    return errors;
}

void CILCompiler::CheckLimits(bool declarationErrors)
{
    if (g_CompileState.ObjectOffset > MAX_OBJECT_BYTES)
        ReportError(MSG_OBJECT_TOO_LARGE, "");
    if (g_CompileState.InstructionCounter < 0 && !declarationErrors)
        ReportError(MSG_MISSING, kNoInstruction);
    // The counter is the number of instructions minus 1; the PLC accepts
    // MaxInstructions + 1 instructions, and existing projects rely on that.
    if (g_CompileState.InstructionCounter > MaxInstructions)
        ReportError(MSG_OVERFLOW, ByteString::Format(kInstructionLimit, MaxInstructions));
}

std::string CILCompiler::SummaryLine()
{
    const int instructions = g_CompileState.InstructionCounter + 1;
    CZULAppData* app = g_pAppData;
    const bool plcKnown = app && (app->PlcIdent[0] || app->PlcIdent[1] || app->PlcIdent[2]);
    if (!plcKnown || (!app->CompilingForDownload && !app->Monitoring))
        return ByteString::Format(kPlainSummary, m_errorCount, m_warningCount, instructions);

    std::string suffix;
    const BYTE type = app->ConnectedCpuModel;
    const bool typeWithEdition = type == kTypeWithEdition || (type >= kFirstNumberedType && type <= kLastNumberedType);
    if (typeWithEdition && app->ConnectedCpuModelValid) {
        if (app->PlcIdent[3] & kEditionZul)
            suffix = " ZUL";
        else if (app->PlcIdent[3] & kEditionOrvel)
            suffix = " Orvel";
    }
    const std::string objectVersion = ByteString::Format("1.%d", int(app->ProfileSubType));
    const std::string module = ByteString::Trim(GetCPUTypeName(app->PlcIdent[4]));
    const std::string line =
        ByteString::Format(kPlcSummary, m_errorCount, m_warningCount, instructions, app->PlcIdent[0],
                           app->PlcIdent[1], app->PlcIdent[2], suffix.c_str(), objectVersion.c_str(), module.c_str());
    app->DownloadNoteText = ByteString::Format(kDownloadNote, app->PlcIdent[0], app->PlcIdent[1], app->PlcIdent[2],
                                               suffix.c_str(), objectVersion.c_str(), module.c_str());
    std::fill(std::begin(app->PlcIdent), std::end(app->PlcIdent), BYTE(0));
    app->ConnectedCpuModel = 0;
    app->ConnectedCpuModelValid = 0;
    return line;
}

void CILCompiler::CopySources(const std::string& copyExtension, const std::string& keepExtension,
                              const std::string& workExtension)
{
    for (int i = 0; i < m_fileCount; ++i) {
        const std::string& entry = m_list[i];
        const std::string extension = GetFileExtension(entry);
        if (extension == keepExtension) {
            if (m_workFileCount < COMPILER_FILE_SLOTS)
                AddWorkFile(entry, m_fileNames[size_t(i)]);
            continue;
        }
        if (extension != copyExtension)
            continue;
        const std::string& source = m_fileNames[size_t(i)];
        if (!FileExists(source)) {
            ReportError(MSG_FILE_MISSING, kFileError);
            continue;
        }
        // The copy is taken from the disk as it is now, and kept where the
        // run keeps its work files.
        const std::string existing = FileSystem::FindExisting(source);
        const std::string target = ReplaceFileExtension(existing, workExtension);
        std::string text;
        if (target.empty() || !FileSystem::ReadFileText(existing, text) || !m_sources->WriteWorkFile(target, text)) {
            ReportError(MSG_FILE_ERROR, kFileError);
            continue;
        }
        if (m_workFileCount < COMPILER_WORK_FILE_LIMIT)
            AddWorkFile(ByteString::Upper(target), target);
        else
            ReportError(MSG_OVERFLOW, kTooManyFiles);
    }
}

void CILCompiler::DeleteWorkFiles()
{
    for (int i = 0; i < m_workFileCount; ++i) {
        if (IsDeletableWorkFile(m_workFileNames[size_t(i)]))
            m_sources->DropWorkFile(m_workFilesAsGiven[size_t(i)]);
    }
    m_workFileNames.clear();
    m_workFilesAsGiven.clear();
    m_workFileCount = 0;
}

void CILCompiler::AddWorkFile(const std::string& file, const std::string& fileAsGiven)
{
    m_workFileNames.push_back(file);
    m_workFilesAsGiven.push_back(fileAsGiven);
    ++m_workFileCount;
}

void CILCompiler::CompileWorkFile(CPOUCompiler& unit, int index, bool programPhase)
{
    const std::string& file = m_workFilesAsGiven[size_t(index)];
    if (programPhase) {
        const BYTE language = g_CompileState.SourceLanguage(file);
        g_CompileState.LadderSourceFlag = language == POU_LANGUAGE_LD ? LADDER_SOURCE : IL_SOURCE;
    }
    unit.SetFile(m_workFileNames[size_t(index)], m_projectPath, file);
    int errors = 0;
    int warnings = 0;
    unit.CompileFile(&errors, &warnings);
    unit.Context().SetPOULabel("");
    m_errorCount += errors;
    m_warningCount += warnings;
}

void CILCompiler::CompilePhase(const std::string& extension1, const std::string& extension2)
{
    // Every phase starts with free local memory; what an earlier phase or
    // compilation reserved must not clash with the declarations read now.
    g_LocalAddresses.Reset();
    CPOUPassCompiler unit("", "");
    std::vector<int> taken;
    for (int i = 0; i < m_workFileCount; ++i) {
        const std::string extension = GetFileExtension(m_workFileNames[size_t(i)]);
        if (extension == extension1 || extension == extension2)
            taken.push_back(i);
    }
    if (extension1 != "ILP") {
        for (int index : taken)
            CompileWorkFile(unit, index, false);
        return;
    }

    const auto isMain = [this](int index) {
        return ByteString::StartsWith(GetFileNameFromPath(m_workFileNames[size_t(index)]), "MAIN_");
    };
    const auto runPass = [&]() {
        for (int index : taken) {
            if (isMain(index))
                CompileWorkFile(unit, index, true);
        }
        for (int index : taken) {
            if (!isMain(index))
                CompileWorkFile(unit, index, true);
        }
    };
    unit.SetSkipPrecompile(0);
    unit.SetSkipCodePass(1);
    runPass();
    CheckCallGraph();
    unit.ResetExpandedCallCount();
    unit.SetSkipPrecompile(1);
    unit.SetSkipCodePass(0);
    runPass();
}

void CILCompiler::CheckCallGraph()
{
    // A trace reads only the part of the path it wrote itself.
    std::vector<std::string> path(MAX_CALL_PATH);
    for (CPOUEntry* record = FirstPOU(); record; record = record->next) {
        if (record->kind != POU_KIND_SUBROUTINE)
            continue;
        m_callDepth = 0;
        m_callPath.clear();
        m_nestingExceeded = 0;
        std::string recursion;
        if (TraceCallPath(path.data(), 0, record, recursion))
            ReportWarning(MSG_RECURSION, std::string(kRecursion) + kRecursionPath + recursion);
        if (m_nestingExceeded)
            ReportError(MSG_OVERFLOW, kNestingDepth + m_callPath);
    }
}

BOOL CILCompiler::TraceCallPath(std::string* path, int length, CPOUEntry* record, std::string& recursion)
{
    ++m_callDepth;
    if (m_callDepth > MAX_CALL_DEPTH && !m_nestingExceeded) {
        m_callPath = "Caller->(" + path[0] + ")->(" + path[1] + ")->(" + path[2] + ")->(" + record->label + ")";
        m_nestingExceeded = 1;
    }
    if (m_callDepth > MAX_CALL_PATH || length >= MAX_CALL_PATH)
        return FALSE;
    path[length++] = record->label;
    for (int i = 0; i < record->calleeCount; ++i) {
        const std::string callee = record->GetCallee(i);
        CPOUEntry* next = GetPOU(callee);
        if (!next || next->kind != POU_KIND_SUBROUTINE)
            continue;
        if (IsInPath(path, length, callee)) {
            recursion = "->(" + next->name + ")" + recursion;
            recursion = "->(" + record->name + ")" + recursion;
            return TRUE;
        }
        if (TraceCallPath(path, length, next, recursion)) {
            recursion = "->(" + record->name + ")" + recursion;
            return TRUE;
        }
    }
    --m_callDepth;
    return FALSE;
}

BOOL CILCompiler::IsInPath(const std::string* path, int length, const std::string& label)
{
    if (label.empty())
        return FALSE;
    for (int i = 0; i < length; ++i) {
        if (path[i] == label)
            return TRUE;
    }
    return FALSE;
}
