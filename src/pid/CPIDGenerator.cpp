#include "CPIDGenerator.h"

#include "IPIDGeneratorHost.h"
#include "PIDTemplate.h"

#include "model/CZULAppData.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

namespace {

const char* const APP_TITLE = "ZUL_Q7";
const char* const LINE_END = "\r\n";
const char* const LADDER_LANGUAGE_LINE = "(*2*)";
const char* const PROGRAM_OPEN_FAILED = "\xCE\xC4\xBC\xFE %s \xB4\xF2\xBF\xAA\xCA\xA7\xB0\xDC";
const char* const REGENERATED =
    "\xD2\xD1\xBE\xAD\xD6\xD8\xD0\xC2\xC9\xFA\xB3\xC9PID %d \xB5\xC4\xB3\xCC\xD0\xF2\xA3\xAC\xC7\xEB\xBC\xEC\xB2\xE9"
    "\xD4\xDAMAIN\xD6\xD0\xB5\xC4PID %d \xB5\xC4\xB5\xF7\xD3\xC3\xCA\xC7\xB7\xF1\xD0\xE8\xD2\xAA\xD0\xDE\xB8\xC4";
const char* const NO_SUCH_LOOP = "PID loop %d does not exist; nothing was generated.";
const char* const SAVE_BEFORE_REGENERATING =
    "%s has unsaved changes. Its program is about to be replaced by the PID template.\r\n"
    "Save the changes first?";
const char* const VAR_EXTENSION = "ilv";
constexpr size_t EXTENSION_LENGTH = 3;

bool IsGenerating(int mode)
{
    return mode == PID_GENERATE_WIZARD || mode == PID_GENERATE_AUTOTUNE;
}

// Puts back what a file held before a failed regeneration.
void RestoreFile(const std::string& path, bool existed, const std::vector<BYTE>& bytes)
{
    if (existed)
        FileSystem::SafeSave(path, bytes);
    else
        FileSystem::DeleteFile(path);
}

} // namespace

CPIDGenerator::CPIDGenerator(CZULAppData& app, IPIDGeneratorHost& host) : m_app(app), m_host(host) {}

std::string CPIDGenerator::ProgramText(const std::vector<std::string>& lines)
{
    std::string text = std::string(LADDER_LANGUAGE_LINE) + LINE_END;
    for (const std::string& line : lines)
        text += line + LINE_END;
    return text;
}

BOOL CPIDGenerator::LoopIsValid() const
{
    if (m_app.CurrentPIDLoop >= 0 && m_app.CurrentPIDLoop < PID_LOOPS_USED)
        return TRUE;
    ShowMessage(APP_TITLE, ByteString::Format(NO_SUCH_LOOP, m_app.CurrentPIDLoop), MB_OK | MB_ICONSTOP);
    return FALSE;
}

std::string CPIDGenerator::SubroutineKey() const
{
    return ByteString::Format("SBR%d", m_app.PIDSubroutineBase + m_app.CurrentPIDLoop);
}

BOOL CPIDGenerator::GeneratePIDCode(int mode)
{
    if (!LoopIsValid())
        return FALSE;
    m_app.PIDGenerateMode = mode;
    const int number = m_app.PIDSubroutineBase + m_app.CurrentPIDLoop;
    std::string name;
    BOOL generated = TRUE;
    if (m_app.Project.POUs.ConvertSubroutineName(ByteString::Format("SBR%02d", number), name, FALSE)) {
        const std::string path = FileSystem::JoinPath(m_app.Project.ProjectFolder,
                                                      ByteString::Format("SBR%d_%s.ilp", number, name.c_str()));
        generated = RegeneratePIDProgram(path);
    } else {
        m_host.NewPIDSubroutine();
    }
    m_app.PIDGenerateMode = PID_GENERATE_NONE;
    return generated;
}

BOOL CPIDGenerator::SettleOpenDocuments(std::string& programPath, std::vector<std::string>& openPaths)
{
    const std::string key = SubroutineKey();
    for (const std::string& path : m_host.OpenDocumentPaths()) {
        if (!ByteString::StartsWith(GetFileNameFromPath(path), key))
            continue;
        if (m_host.IsDocumentModified(path)) {
            const int answer = ShowMessage(APP_TITLE, ByteString::Format(SAVE_BEFORE_REGENERATING, path.c_str()),
                                           MB_YESNOCANCEL | MB_ICONEXCLAMATION);
            if (answer == IDCANCEL || (answer == IDYES && !m_host.SaveDocument(path)))
                return FALSE;
        }
        programPath = path;
        openPaths.push_back(path);
    }
    return TRUE;
}

BOOL CPIDGenerator::WriteFiles(const std::string& programPath)
{
    std::vector<std::string> lines;
    BuildCurrentPIDLoopIL(m_app, lines);
    std::vector<BYTE> oldProgram;
    const bool programExisted = FileSystem::ReadFileBytes(programPath, oldProgram);
    if (!FileSystem::SafeSave(programPath, ProgramText(lines))) {
        ShowMessage(APP_TITLE, ByteString::Format(PROGRAM_OPEN_FAILED, programPath.c_str()), MB_OK | MB_ICONSTOP);
        return FALSE;
    }
    if (IsGenerating(m_app.PIDGenerateMode)) {
        const std::string varPath = programPath.substr(0, programPath.size() - EXTENSION_LENGTH) + VAR_EXTENSION;
        if (!m_app.WritePIDVarFile(varPath)) {
            RestoreFile(programPath, programExisted, oldProgram);
            return FALSE;
        }
    }
    ClearReadOnlyAttribute(programPath);
    return TRUE;
}

BOOL CPIDGenerator::RegeneratePIDProgram(const std::string& path)
{
    if (!LoopIsValid())
        return FALSE;
    std::string programPath = path;
    std::vector<std::string> openPaths;
    if (!SettleOpenDocuments(programPath, openPaths) || programPath.size() < EXTENSION_LENGTH)
        return FALSE;
    if (!WriteFiles(programPath))
        return FALSE;

    // The open windows still show the old program: they close without saving.
    CProjTreeNode* node = m_host.SelectProgramItem(SubroutineKey());
    for (const std::string& open : openPaths) {
        m_host.DiscardDocumentChanges(open);
        m_host.CloseDocument(open);
    }
    if (node) {
        m_app.Project.LoadSubroutineInterface(node);
        m_host.RebuildInstructionCatalogue();
    }
    const int n = m_app.CurrentPIDLoop;
    ShowMessage(APP_TITLE, ByteString::Format(REGENERATED, n, n), MB_OK | MB_ICONSTOP);
    return TRUE;
}
