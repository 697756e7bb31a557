#include "CProjTreeDOC.h"

#include "CZULAppData.h"
#include "ProjectFileHeader.h"
#include "platform/ByteString.h"
#include "platform/CArchive.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CProjTreeDOC, CObject)

namespace {

constexpr const char* kInvalidProjectFile = "Invalid project file.  ";
constexpr const char* kHigherVersion =
    "Unable to open this project because it was created by a higher version of OrvelBuilder";
constexpr const char* kPathTooLong = "Unable to open file because the filen name or path is too long. ";
constexpr int kMagicBytes = 7;
constexpr int kLongestPathLimit = 259;
constexpr int kShortestPouFileName = 19;

// Why a header is refused, or null when its letter and version may be opened.
const char* RefuseHeader(const BYTE* header)
{
    const auto byte = [header](int i) { return static_cast<signed char>(header[i]); };
    const signed char letter = byte(HEADER_PRODUCT_LETTER);
    if (letter == 'P' || letter == 'E')
        return kInvalidProjectFile;
    const int major = byte(HEADER_VERSION), minor = byte(HEADER_VERSION + 1), patch = byte(HEADER_VERSION + 2);
    if (major > 2 || (major == 2 && minor > 0) || (major == 2 && minor == 0 && patch > 1))
        return kHigherVersion;
    if (HeaderVersionIs(header, 1, 9, 3, 0) || HeaderVersionIs(header, 2, 0, 0, 1) || HeaderVersionIs(header, 2, 0, 0, 2))
        return kInvalidProjectFile;
    if (major < 2 || minor < 0 || patch < 1)
        return kInvalidProjectFile;
    return nullptr;
}

void ReportArchiveError(const CArchive& ar)
{
    ShowMessage("Error", ar.GetErrorText(), MB_OK | MB_ICONERROR);
}

} // namespace

std::string CProjTreeDOC::StripExtension(const std::string& path)
{
    const std::string extension = FileSystem::ExtensionOf(path);
    return path.substr(0, path.size() - extension.size());
}

void CProjTreeDOC::Serialize(CArchive& ar)
{
    CZULAppData& app = *g_pAppData;
    if (ar.IsStoring()) {
        ar.Write(CURRENT_PROJECT_HEADER, sizeof CURRENT_PROJECT_HEADER);
        app.Project.Serialize(ar);
        // A blob's recorded length is the number of bytes written for it.
        for (int i = 0; i < PROJECT_BLOB_COUNT; ++i) {
            app.BlobLengths[i] = static_cast<DWORD>(app.Blobs[i].size());
            ar << app.BlobLengths[i];
        }
        for (const std::vector<BYTE>& blob : app.Blobs)
            ar.Write(blob.data(), blob.size());
        return;
    }
    BYTE header[PROJECT_HEADER_BYTES] = {};
    ar.Read(header, sizeof header);
    app.Project.Serialize(ar);
    app.ClearProjectBlobs();
    if (header[HEADER_BLOB_FLAG] != 0)
        LoadBlobTable(ar);
    if (ar.IsOK() && static_cast<signed char>(app.ProjectFileHeader[HEADER_BLOB_FLAG]) > 0 && !app.Blobs[0].empty())
        app.Project.ReadCanOpenConfig();
}

void CProjTreeDOC::LoadBlobTable(CArchive& ar)
{
    CZULAppData& app = *g_pAppData;
    for (DWORD& length : app.BlobLengths)
        ar >> length;
    for (int i = 0; i < PROJECT_BLOB_COUNT && ar.IsOK(); ++i) {
        if (app.BlobLengths[i] > ar.GetRemaining()) {
            ar.SetError(CArchive::badCount);
            return;
        }
        app.Blobs[i].resize(app.BlobLengths[i]);
        ar.Read(app.Blobs[i].data(), app.Blobs[i].size());
    }
}

BOOL CProjTreeDOC::OnNewDocument()
{
    m_pathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CProjTreeDOC::LoadBytes(const std::vector<BYTE>& bytes)
{
    CArchive ar(bytes);
    Serialize(ar);
    if (!ar.IsOK()) {
        ReportArchiveError(ar);
        return FALSE;
    }
    return TRUE;
}

BOOL CProjTreeDOC::OnOpenDocument(const std::string& path)
{
    std::vector<BYTE> bytes;
    if (!FileSystem::ReadFileBytes(path, bytes)) {
        CArchive failed(std::vector<BYTE>{});
        failed.SetError(CArchive::fileError);
        ReportArchiveError(failed);
        return FALSE;
    }
    if (!LoadBytes(bytes))
        return FALSE;
    m_pathName = path;
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CProjTreeDOC::OnSaveDocument(const std::string& path)
{
    CArchive ar;
    Serialize(ar);
    if (!ar.SaveToFile(path)) {
        ReportArchiveError(ar);
        return FALSE;
    }
    m_pathName = path;
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CProjTreeDOC::CheckPathLength(const std::string& path)
{
    const int folderLength = static_cast<int>(StripExtension(path).size());
    const int nameLength = static_cast<int>(FileSystem::FileNameOf(path).size());
    g_pAppData->ProjectFolderLength = folderLength + 1;
    g_pAppData->LongestPOUPathLength = folderLength + 1 + std::max(kShortestPouFileName, nameLength);
    if (g_pAppData->LongestPOUPathLength >= kLongestPathLimit) {
        ShowMessage("Error", kPathTooLong, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    return TRUE;
}

void CProjTreeDOC::ClearFailedProject()
{
    CZULProject& project = g_pAppData->Project;
    project.ClearProject();
    project.ResetModbusMasterConfig();
    project.ModbusRetries = 3;
    project.ResetCanOpenConfig();
    g_pAppData->ClearProjectBlobs();
}

BOOL CProjTreeDOC::OpenProject(const std::string& path)
{
    std::vector<BYTE> bytes;
    if (!FileSystem::ReadFileBytes(path, bytes)) {
        ShowMessage("System Error", "Unable to open the project file.", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    if (bytes.size() <= PROJECT_HEADER_BYTES ||
        std::memcmp(bytes.data(), CURRENT_PROJECT_HEADER, kMagicBytes) != 0) {
        ShowMessage("Error", kInvalidProjectFile, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    if (!CheckPathLength(path))
        return FALSE;
    CZULAppData& app = *g_pAppData;
    std::memcpy(app.ProjectFileHeader, bytes.data(), PROJECT_HEADER_BYTES);
    if (const char* refusal = RefuseHeader(app.ProjectFileHeader)) {
        ShowMessage("Note", refusal, MB_OK | MB_ICONINFORMATION);
        return FALSE;
    }
    // The file keeps its attributes: saving replaces it whole.
    app.LoadError = 0;
    const BOOL read = LoadBytes(bytes);
    if (!read || app.LoadError) {
        app.LoadError = 0;
        ClearFailedProject();
        return FALSE;
    }
    m_pathName = path;
    SetModifiedFlag(FALSE);

    CZULProject& project = app.Project;
    project.ProjectPath = path;
    project.ProjectFolder = StripExtension(path);
    project.ProjectName = FileSystem::FileTitleOf(path);
    app.ApplyFamilyProfile();
    app.LoadAreaTable();
    app.RebuildFBInstanceTable();
    project.FreeForceBuffers();
    project.AllocateForceBuffers();
    return TRUE;
}

BOOL CProjTreeDOC::CreateProject(const std::string& path)
{
    OnNewDocument();
    CZULAppData& app = *g_pAppData;
    CZULProject& project = app.Project;
    const std::string trimmed = ByteString::Trim(path);
    project.ProjectPath = trimmed;
    project.ProjectFolder = StripExtension(trimmed);
    project.ProjectName = ByteString::Trim(FileSystem::FileTitleOf(trimmed));
    app.ClearProjectBlobs();
    project.ResetModbusMasterConfig();
    project.ResetCanOpenConfig();
    // The old file stays whole until the new one has replaced it.
    if (!OnSaveDocument(trimmed))
        return FALSE;
    FileSystem::DeleteTree(project.ProjectFolder);
    return FileSystem::CreateFolder(project.ProjectFolder);
}
