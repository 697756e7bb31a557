#include "CProjectCommands.h"

#include "CRecentFileList.h"
#include "IProfile.h"
#include "IProjectHost.h"
#include "POURename.h"
#include "ProjectFolders.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeDOC.h"
#include "model/CXrefStore.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/GlobalVarFileWriter.h"
#include "model/SharedServices.h"
#include "model/SharedStrings.h"
#include "platform/ByteString.h"
#include "platform/CPathProvider.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <memory>

namespace {

const char* const kNewProjectFolder = "Q7Proj";
const char* const kSaveQuestion = "Do you want to save the changes to your project?";
const char* const kCreatePathTooLong = "Unable to create file because the file name or path is too long.";
const char* const kSavePathTooLong = "Unable to save file because the file name or path is too long.";
const char* const kStopMonitoring = "Please stop monitoring befor opening another project.";
const char* const kCopyFailed = "Unable to save the project. Please retry after restarting computer.";
const char* const kReplaceProject = "The project \"%s\" or its folder already exists.\r\nDo you want to replace it?";
const char* const kFolderNotEmpty =
    "The folder \"%s\" is not empty.\r\nDo you want to save the project into it anyway?";
const char* const kSymbolsOmitted =
    "The global variable file holds the first %d symbols in address order; %d further symbols are not in it.";

// Family index of the default CPU row: rows up to lastRow give the index.
struct CpuRowFamily {
    int lastRow;
    int familyIndex;
};

const CpuRowFamily kCpuRowFamilies[] = {
    {0, 5}, {3, 0}, {9, 1}, {12, 4}, {16, 2}, {18, 6}, {22, 7},
};

int FamilyIndexOfCpuRow(int row)
{
    for (const CpuRowFamily& entry : kCpuRowFamilies) {
        if (row <= entry.lastRow)
            return entry.familyIndex;
    }
    return kCpuRowFamilies[std::size(kCpuRowFamilies) - 1].familyIndex;
}

void ClearReadOnly(const std::string& path)
{
    const DWORD attributes = FileSystem::GetAttributes(path);
    if (attributes == 0xFFFFFFFF)
        return;
    FileSystem::SetAttributes(path, attributes & ~(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                   FILE_ATTRIBUTE_SYSTEM));
}

} // namespace

CProjectCommands::CProjectCommands(CZULAppData& app, CProjTreeDOC& document, IProfile& profile,
                                   CRecentFileList& recent, IProjectHost& host)
    : m_app(app), m_document(document), m_profile(profile), m_recent(recent), m_host(host)
{
}

std::string CProjectCommands::PreviousProjectFolder(const std::string& fallback) const
{
    const std::string folder = m_profile.GetProfileString(kSectionConfiguration, kKeyPrevProj, "");
    return folder.empty() ? fallback : folder;
}

void CProjectCommands::SetPreviousProjectFolder(const std::string& folder)
{
    m_app.PrevProj = folder;
    m_profile.WriteProfileString(kSectionConfiguration, kKeyPrevProj, folder);
}

bool CProjectCommands::ReportOmittedSymbols()
{
    const int symbols = CountGlobalVarFileSymbols(m_app.Project);
    if (symbols <= GLOBAL_VAR_FILE_MAX_SYMBOLS)
        return false;
    ShowMessage("Note",
                ByteString::Format(kSymbolsOmitted, GLOBAL_VAR_FILE_MAX_SYMBOLS, symbols - GLOBAL_VAR_FILE_MAX_SYMBOLS),
                MB_OK | MB_ICONWARNING);
    return true;
}

BOOL CProjectCommands::SaveAllProjectFiles()
{
    CZULProject& project = m_app.Project;
    if (!m_host.SaveOpenDocuments(project.ProjectFolder))
        return FALSE;
    if (!m_host.CheckHardwareConfig())
        return FALSE;
    ReportOmittedSymbols();
    if (!WriteGlobalVarFile(project))
        return FALSE;
    if (!m_document.OnSaveDocument(project.ProjectPath))
        return FALSE;
    CommitPOUFileRenames(m_document.PendingFileRenames(), project.ProjectFolder);
    return TRUE;
}

void CProjectCommands::OnSaveProject()
{
    if (SaveAllProjectFiles())
        m_document.SetModifiedFlag(FALSE);
}

void CProjectCommands::RefreshCatalogue()
{
    m_host.RefreshInstructionTree();
}

BOOL CProjectCommands::CloseProject()
{
    if (!m_app.ProjectOpen)
        return TRUE;
    if (m_host.AnyDocumentModified())
        m_document.SetModifiedFlag(TRUE);
    if (m_document.IsModified()) {
        const int answer = ShowMessage("Note", kSaveQuestion, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL)
            return FALSE;
        if (answer == IDYES && !SaveAllProjectFiles())
            return FALSE;
    }
    DiscardPOUFileRenames(m_document.PendingFileRenames(), m_app.Project.ProjectFolder);
    m_host.CloseAllDocuments();
    m_host.DestroySingletonWindows();
    m_host.ClearProjectTree();
    m_host.ClearSubroutinesInInstructionTree();
    ClearXrefTables();
    m_host.ResetOutputWindow();
    m_app.ProjectOpen = 0;
    RefreshCatalogue();
    ResetProjectModel();
    m_document.SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CProjectCommands::CheckProjectPathLength(const std::string& path)
{
    const int prefix = static_cast<int>(CProjTreeDOC::StripExtension(path).size()) + 1;
    const int name = static_cast<int>(FileSystem::FileNameOf(path).size());
    m_app.ProjectFolderLength = prefix;
    m_app.LongestPOUPathLength = prefix + std::max(SHORTEST_POU_FILE_NAME, name);
    if (m_app.LongestPOUPathLength < PROJECT_PATH_LIMIT)
        return TRUE;
    ShowMessage("Error", kCreatePathTooLong, MB_OK | MB_ICONERROR);
    return FALSE;
}

BOOL CProjectCommands::CheckSaveAsPathLength(const std::string& path)
{
    const int prefix = static_cast<int>(CProjTreeDOC::StripExtension(path).size()) + 1;
    const int name = static_cast<int>(FileSystem::FileNameOf(path).size());
    const int longest = prefix + std::max(name, m_app.LongestPOUPathLength - m_app.ProjectFolderLength);
    if (longest > SAVE_AS_PATH_LIMIT) {
        ShowMessage("Error", kSavePathTooLong, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    m_app.ProjectFolderLength = prefix;
    m_app.LongestPOUPathLength = std::max(longest, m_app.LongestPOUPathLength);
    return TRUE;
}

bool CProjectCommands::ConfirmReplaceForNew(const std::string& chosen, const std::string& path)
{
    // The dialog asked about the chosen name; the name without blanks and
    // the project folder that goes with it were not asked about.
    const bool fileTaken = path != chosen && FileSystem::FileExists(path);
    if (!fileTaken && !FolderHasEntries(CProjTreeDOC::StripExtension(path)))
        return true;
    return ShowMessage("Note", ByteString::Format(kReplaceProject, path.c_str()), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

void CProjectCommands::AddCpuModule()
{
    CZULProject& project = m_app.Project;
    auto cpu = std::make_unique<CZUL_Q7_PLC>();
    if (const CModuleCatalogEntry* row = GetCatalogRow(m_app.DefaultCPU))
        cpu->InitFromCatalog(*row);
    project.AllocInputBytes(cpu.get());
    project.AllocOutputBytes(cpu.get());
    project.Modules.push_back(std::move(cpu));
}

void CProjectCommands::OnNewProject()
{
    CFileDialogRequest request;
    request.title = "New Project...";
    request.defaultExtension = kProjectExtension;
    request.filter = kProjectFilter;
    request.initialFolder = PreviousProjectFolder(CPathProvider::UserDataFolder() + "/" + kNewProjectFolder);
    request.proposedName = "project-" + GetTimestampString() + ".qpj";
    request.promptOverwrite = true;
    std::string chosen;
    if (!m_host.RunFileDialog(request, chosen))
        return;
    const std::string path = RemoveSpacesFromFileTitle(chosen);
    if (path.empty() || !CheckProjectPathLength(path))
        return;
    if (!ConfirmReplaceForNew(chosen, path))
        return;
    ClearReadOnly(path);
    SetPreviousProjectFolder(FileSystem::FolderOf(path));
    if (!CloseProject())
        return;

    CZULProject& project = m_app.Project;
    project.CPUFamilyIndex = FamilyIndexOfCpuRow(m_app.DefaultCPU);
    AddCpuModule();
    project.LocalBitUsage.assign(LOCAL_BIT_TABLE_ENTRIES, 0);
    project.LocalByteUsage.assign(LOCAL_BYTE_TABLE_ENTRIES, 0);
    if (!m_document.CreateProject(path)) {
        ResetProjectModel();
        return;
    }
    m_recent.Add(path);
    m_host.BuildProjectTree();
    m_app.ProjectOpen = 1;
    m_host.CreateMainProgram();
    m_app.LoadAreaTable();
    m_app.ApplyFamilyProfile();
    RefreshCatalogue();
    project.FreeForceBuffers();
    project.AllocateForceBuffers();
    SaveAllProjectFiles();
}

void CProjectCommands::OnOpenProject()
{
    CFileDialogRequest request;
    request.save = false;
    request.title = "Open Project...";
    request.defaultExtension = kProjectExtension;
    request.filter = kProjectFilter;
    request.initialFolder = PreviousProjectFolder(CPathProvider::DefaultProjectFolder());
    std::string chosen;
    if (!m_host.RunFileDialog(request, chosen))
        return;
    const std::string path = ByteString::Trim(chosen);
    if (path.empty())
        return;
    SetPreviousProjectFolder(FileSystem::FolderOf(path));
    ClearReadOnly(path);
    OpenProjectByPath(path);
}

void CProjectCommands::OpenProjectByPath(const std::string& path)
{
    CZULProject& project = m_app.Project;
    if (m_app.ProjectOpen && path == project.ProjectPath)
        return;
    if (!CloseProject())
        return;
    if (m_document.OpenProject(path)) {
        m_host.FillProjectTree();
        m_app.ProjectOpen = 1;
        m_recent.Add(path);
    } else {
        m_host.ClearProjectTree();
        m_app.ProjectOpen = 0;
        project.ClearProject();
    }
    RefreshCatalogue();
    m_host.AddSubroutinesToInstructionTree();
}

void CProjectCommands::OnOpenRecentProject(int index)
{
    const std::string path = m_recent.GetEntry(index);
    if (path.empty())
        return;
    if (m_app.Monitoring) {
        ShowMessage("Note", kStopMonitoring, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (m_app.ProjectOpen && path == m_app.Project.ProjectPath)
        return;
    if (!CloseProject())
        return;
    SetPreviousProjectFolder(FileSystem::FolderOf(path));
    if (m_document.OpenProject(path)) {
        m_host.FillProjectTree();
        m_app.ProjectOpen = 1;
        m_recent.Add(path);
    } else {
        m_recent.Remove(index);
    }
    RefreshCatalogue();
    m_host.AddSubroutinesToInstructionTree();
}

void CProjectCommands::OnSaveProjectAs()
{
    CFileDialogRequest request;
    request.title = "Save Project As...";
    request.defaultExtension = kProjectExtension;
    request.filter = kProjectFilter;
    request.initialFolder = PreviousProjectFolder(CPathProvider::DefaultProjectFolder());
    request.promptOverwrite = true;
    std::string chosen;
    if (!m_host.RunFileDialog(request, chosen))
        return;
    const std::string path = RemoveSpacesFromFileTitle(ByteString::Trim(chosen));
    if (path.empty() || !CheckSaveAsPathLength(path))
        return;
    const BOOL saved = path != m_app.Project.ProjectPath ? SaveProjectAs(path) : SaveAllProjectFiles();
    if (saved)
        m_document.SetModifiedFlag(FALSE);
}

BOOL CProjectCommands::SaveProjectAs(const std::string& newPath)
{
    CZULProject& project = m_app.Project;
    SetPreviousProjectFolder(FileSystem::FolderOf(newPath));
    const std::string oldFolder = project.ProjectFolder;
    const std::string oldTitle = project.ProjectName;
    const std::string newFolder = CProjTreeDOC::StripExtension(newPath);
    if (FolderHasEntries(newFolder) &&
        ShowMessage("Note", ByteString::Format(kFolderNotEmpty, newFolder.c_str()), MB_YESNO | MB_ICONQUESTION) !=
            IDYES)
        return FALSE;

    // Copy first: the project moves to the new path only once its files are there.
    std::vector<std::string> copied;
    if (!CopyFolderTree(oldFolder, newFolder, &copied)) {
        for (const std::string& file : copied)
            FileSystem::DeleteFile(file);
        ShowMessage("Error", kCopyFailed, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    // The old project's own files (its .qgv and kin) came along; only those go.
    for (const std::string& file : copied) {
        if (FileSystem::FolderOf(file) == newFolder && FileSystem::FileTitleOf(file) == oldTitle)
            FileSystem::DeleteFile(file);
    }
    project.ProjectPath = newPath;
    project.ProjectFolder = newFolder;
    project.ProjectName = FileSystem::FileTitleOf(ByteString::Trim(FileSystem::FileNameOf(newPath)));
    if (!SaveAllProjectFiles())
        return FALSE;
    m_recent.Add(newPath);
    m_host.SetProjectTreeRoot("Project: " + project.ProjectName);
    return TRUE;
}

void CProjectCommands::OnCloseAll()
{
    if (!m_host.SaveModifiedDocuments())
        return;
    m_host.CloseAllDocuments();
    m_host.DestroySingletonWindows();
}
