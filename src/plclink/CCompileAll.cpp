#include "CCompileAll.h"

#include "CDownloadImageBuilder.h"
#include "ICompileAllHost.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CILCompiler.h"
#include "model/CSourceFileCache.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/GlobalVarFileWriter.h"
#include "model/LanguageLibrary.h"
#include "model/POULanguageTable.h"
#include "model/SourceCollection.h"
#include "platform/ByteString.h"
#include "platform/CMemoryWorkFolder.h"
#include "platform/CUserInterface.h"

#include <cstdlib>

namespace {

const char* const APP_TITLE = "ZUL_Q7";
const char* const NOTE = "Note";
const char* const CPU_NOT_SUPPORTED = "This type of CPU is not supported.";
const char* const NO_HARDWARE = "$$$ compilation aborted due to missing hardware configuration.";
const char* const NO_MAIN = "$$$ compilation aborted due to missing 'MAIN' program.";
const char* const INVALID_FILE_NAME = "Compilation aborted due to an invalid file name: ";
const char* const TOO_MANY_SUBROUTINES = "Compilation aborted because the number of subroutines reaches the upper "
                                         "limit.\r\nThe current CPU supports %d subroutines at most.";
const char* const TOO_MANY_INTERRUPTS = "Compilation aborted because the number of interrupt routines reaches the "
                                        "upper limit.\r\nThe current CPU supports %d interrupt routines at most.";
const char* const NUMBER_OUT_OF_RANGE = "$$$ compilation aborted due to a POU number out of range: %s";
const char* const FILE_LIST_FAILED = "Failed to creat the list of the files to be compiled.";
const char* const IMAGE_FAILED = "An unpredictable error occured while creating the object file, \r\nMaybe because "
                                 "the version of OrvelBuilder does not match that of the connected CPU's firmware.";

// The wait cursor from construction to the end of the scope.
class CWaitCursor {
public:
    explicit CWaitCursor(ICompileAllHost& host) : m_host(host) { m_host.BeginWaitCursor(); }
    ~CWaitCursor() { m_host.EndWaitCursor(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    ICompileAllHost& m_host;
};

struct PouFileName {
    std::string name;      // upper case, without the folder
    std::string extension; // upper case, without the dot
};

PouFileName SplitEntry(const std::string& entry)
{
    const std::string upper = ByteString::Upper(entry);
    return {GetFileNameFromPath(upper), GetFileExtension(upper)};
}

// The number between the prefix and the first "_"; -1 when there is no "_".
int PouNumber(const std::string& name)
{
    const size_t underscore = name.find('_');
    if (underscore == std::string::npos)
        return -1;
    return std::atoi(name.substr(3, underscore >= 3 ? underscore - 3 : 0).c_str());
}

} // namespace

CCompileAll::CCompileAll(CZULAppData& app, ICompileAllHost& host) : m_app(app), m_host(host)
{
}

BOOL CCompileAll::SubTypeOfFamily(DWORD familyBit, BYTE& subType)
{
    switch (familyBit) {
    case CPU_FAMILY_VA10:
        subType = PROFILE_SUBTYPE_VA10;
        return TRUE;
    case CPU_FAMILY_VB12:
    case CPU_FAMILY_VB14:
    case CPU_FAMILY_NONE8:
        subType = PROFILE_SUBTYPE_VB;
        return TRUE;
    case CPU_FAMILY_VB16:
    case CPU_FAMILY_VB14EX:
        subType = PROFILE_SUBTYPE_VB16;
        return TRUE;
    case CPU_FAMILY_VC14:
    case CPU_FAMILY_VC16:
        subType = PROFILE_SUBTYPE_VC;
        return TRUE;
    default:
        return FALSE;
    }
}

void CCompileAll::OnCompileAll()
{
    if (m_app.CompilingForDownload == 0 && m_app.Monitoring == 0) {
        if (!SubTypeOfFamily(m_app.GetCPUFamilyMask(), m_app.ProfileSubType))
            ShowMessage(APP_TITLE, CPU_NOT_SUPPORTED, MB_OK);
    }
    ClearPOULanguageTable();
    CompileAll();
    DeleteWorkCopies();
}

void CCompileAll::DeleteWorkCopies() const
{
    const std::string& folder = m_app.Project.ProjectFolder;
    DeleteMatchingFiles(folder, "*.ilp", "~");
    DeleteMatchingFiles(folder, "*.ilv", "~");
}

int CCompileAll::CompileAll()
{
    CZULProject& project = m_app.Project;
    m_host.EndPendingEdit();
    m_host.ShowOutputPane();
    project.Monitor.MonitorCodeMap.clear();
    m_app.Project.Monitor.ClearMonitorTable();
    // A run that stops early must not leave the result of an earlier run behind.
    project.CompileResult = 0;
    project.ImageResult = 0;
    CWaitCursor waitCursor(m_host);

    if (!m_host.SaveAllProjectFiles())
        return COMPILE_ALL_STOPPED;
    // Every POU file is read once in this run, from here on, as saved now.
    // The work copies stay out of the project folder, in memory where the
    // machine allows.
    const CMemoryWorkFolder workFolder;
    CSourceFileCache sources(workFolder.Path());
    m_app.RebuildFBInstanceTable(&sources);
    WriteGlobalVarFile(project);
    IOutputSink& output = CUserInterface::Output();
    output.ClearOutputList(OUTPUT_LIST_COMPILE);
    if (project.Modules.empty()) {
        output.AppendOutputLine(OUTPUT_LIST_COMPILE, NO_HARDWARE);
        return COMPILE_ALL_STOPPED;
    }
    if (!project.MainPresent) {
        output.AppendOutputLine(OUTPUT_LIST_COMPILE, NO_MAIN);
        return COMPILE_ALL_STOPPED;
    }

    std::vector<std::string> files;
    CollectPouFiles(&files, COLLECT_FOR_COMPILE, &sources);
    FileCheck check;
    if (!CheckPouFiles(files, check) || !ReportFileCheck(check))
        return COMPILE_ALL_STOPPED;
    if (!check.outOfRange.empty()) {
        for (const std::string& entry : check.outOfRange)
            output.AppendOutputLine(OUTPUT_LIST_COMPILE, ByteString::Format(NUMBER_OUT_OF_RANGE, entry.c_str()));
        return COMPILE_ALL_NUMBER_OUT_OF_RANGE;
    }
    const std::vector<std::string> ordered = OrderFiles(files);

    project.ResetPOUVariableLists();
    project.CompileResult = CompileProjectFiles(ordered, &sources);
    m_host.ScrollCompileListToEnd();
    if (project.CompileResult && !BuildImage())
        return COMPILE_ALL_STOPPED;
    return COMPILE_ALL_RAN;
}

BOOL CCompileAll::CheckPouFiles(const std::vector<std::string>& files, FileCheck& check) const
{
    for (const std::string& entry : files) {
        const PouFileName file = SplitEntry(entry);
        const bool subroutine = ByteString::StartsWith(file.name, "SBR");
        if (file.extension != "ILP" || (!subroutine && !ByteString::StartsWith(file.name, "INT")))
            continue;
        const int number = PouNumber(file.name);
        if (number < 0) {
            ShowMessage(NOTE, INVALID_FILE_NAME + ByteString::Upper(entry), MB_OK | MB_ICONINFORMATION);
            return FALSE;
        }
        if (subroutine) {
            if (number >= MaxSubroutineNumber)
                check.outOfRange.push_back(ByteString::Upper(entry));
            if (++check.subroutines > MaxSubroutineCount)
                check.tooManySubroutines = true;
        } else {
            if (number >= MaxInterruptNumber)
                check.outOfRange.push_back(ByteString::Upper(entry));
            if (++check.interrupts > MaxInterruptCount)
                check.tooManyInterrupts = true;
        }
    }
    return TRUE;
}

BOOL CCompileAll::ReportFileCheck(const FileCheck& check) const
{
    if (check.tooManySubroutines)
        ShowMessage(NOTE, ByteString::Format(TOO_MANY_SUBROUTINES, MaxSubroutineCount), MB_OK | MB_ICONINFORMATION);
    if (check.tooManyInterrupts)
        ShowMessage(NOTE, ByteString::Format(TOO_MANY_INTERRUPTS, MaxInterruptCount), MB_OK | MB_ICONINFORMATION);
    return !check.tooManySubroutines && !check.tooManyInterrupts;
}

std::vector<std::string> CCompileAll::OrderFiles(const std::vector<std::string>& files) const
{
    std::vector<PouFileName> names;
    for (const std::string& entry : files)
        names.push_back(SplitEntry(entry));
    std::vector<std::string> ordered;
    bool faulty = false;

    // The project file, the global-variable file and MAIN's two files: one each.
    const auto takeSingle = [&](const char* extension, const char* namePrefix) {
        bool found = false;
        for (size_t i = 0; i < files.size(); ++i) {
            if (names[i].extension != extension || !ByteString::StartsWith(names[i].name, namePrefix))
                continue;
            if (found) {
                faulty = true;
                continue;
            }
            found = true;
            ordered.push_back(files[i]);
        }
        return found;
    };
    const auto takeNumbered = [&](const char* format, int count, const char* extension) {
        for (int n = 0; n < count; ++n) {
            const std::string prefix = ByteString::Format(format, n);
            for (size_t i = 0; i < files.size(); ++i) {
                if (names[i].extension == extension && ByteString::StartsWith(names[i].name, prefix))
                    ordered.push_back(files[i]);
            }
        }
    };
    takeSingle("QPJ", "");
    takeSingle("QGV", "");
    const bool mainVars = takeSingle("ILV", "MAIN_");
    const bool mainProgram = takeSingle("ILP", "MAIN_");
    takeNumbered("SBR%02d_", MaxSubroutineNumber, "ILV");
    takeNumbered("INT%02d_", MaxInterruptNumber, "ILV");
    takeNumbered("SBR%02d_", MaxSubroutineNumber, "ILP");
    takeNumbered("INT%02d_", MaxInterruptNumber, "ILP");

    if (faulty || ordered.size() < files.size() || !mainVars || !mainProgram)
        ShowMessage(NOTE, FILE_LIST_FAILED, MB_OK | MB_ICONINFORMATION);
    ordered.resize(files.size());
    return ordered;
}

int CCompileAll::BuildImage()
{
    CZULProject& project = m_app.Project;
    CDownloadImageBuilder builder(m_app);
    project.ImageResult = builder.BuildDownloadImage();
    if (!project.ImageResult) {
        ShowMessage(NOTE, IMAGE_FAILED, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    project.ProjectSignature = builder.ComputeImageCRC();
    std::vector<BYTE>& directory = project.ImageBlocks[0];
    directory[directory.size() - 2] = LOBYTE(project.ProjectSignature);
    directory[directory.size() - 1] = HIBYTE(project.ProjectSignature);
    project.CompileResult = builder.WriteObjFile();
    // An object file that could not be written is no download image.
    if (!project.CompileResult)
        ShowMessage(NOTE, IMAGE_FAILED, MB_OK | MB_ICONINFORMATION);
    m_host.RefreshCrossReference(m_app.AreaTypes, m_app.TypesOfArea);
    return 1;
}
