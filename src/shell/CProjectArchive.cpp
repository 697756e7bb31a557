#include "CProjectArchive.h"

#include "CProjectCommands.h"
#include "IProfile.h"
#include "IProjectHost.h"
#include "ProjectFolders.h"
#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/ProjectFileHeader.h"
#include "model/SharedServices.h"
#include "model/SharedStrings.h"
#include "platform/ByteString.h"
#include "platform/CPathProvider.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"
#include "platform/Gbk.h"

#include <zip.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <vector>

namespace {

const char* const kBlankQuestion = "There is space character in the file name. Do you want to continue?";
const char* const kExportPathTooLong = "Unable to export file because the file name or path is too long.";
const char* const kExportDone = "Exporting completed successfully.";
const char* const kExportFailed = "An unpredictable error occurs while exporting. Please retry or restarting computer.";
const char* const kImportFailed = "An unpredictable error occurs while importing. Please retry or restarting computer.";
const char* const kImportRefused = "The archive cannot be imported: %s";
const char* const kReplaceQuestion = "A project with the same name already exists in the destination directory.\r\n"
                                     "Do you want to continue and replace existing project?";
const char* const kCreateFolderError = "Create folder error";
const char* const kBrowseCaption = "Select a directory to save the project...";
const char* const kImportWorkFolder = "import";
const char* const kProjectFileSuffix = ".qpj";
constexpr std::size_t kCopyChunk = 64 * 1024;

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// The number of continuation bytes a UTF-8 lead byte announces; -1 when it is none.
int Utf8Continuations(unsigned char lead)
{
    if (lead < 0x80)
        return 0;
    if ((lead & 0xE0) == 0xC0)
        return 1;
    if ((lead & 0xF0) == 0xE0)
        return 2;
    if ((lead & 0xF8) == 0xF0)
        return 3;
    return -1;
}

bool IsValidUtf8(const std::string& text)
{
    std::size_t at = 0;
    while (at < text.size()) {
        const int extra = Utf8Continuations(static_cast<unsigned char>(text[at]));
        if (extra < 0 || text.size() - at <= static_cast<std::size_t>(extra))
            return false;
        for (int k = 1; k <= extra; ++k) {
            if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80)
                return false;
        }
        at += extra + 1;
    }
    return true;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && ByteString::Lower(text.substr(text.size() - tail.size())) == tail;
}

// An archive entry as text with '/' separators; directory when it ends in '/'.
struct ArchiveEntry {
    zip_uint64_t index = 0;
    std::string name;
    bool folder = false;
    zip_uint64_t size = 0;
};

// The entry's name as text: names that are not UTF-8 are taken as GBK,
// which is what the program's own texts are.
std::string EntryText(zip_t* archive, zip_uint64_t index)
{
    const char* raw = zip_get_name(archive, index, ZIP_FL_ENC_RAW);
    if (!raw)
        return {};
    const std::string bytes(raw);
    return IsValidUtf8(bytes) ? FileSystem::FromNative(bytes) : bytes;
}

// "" when the name stays inside the folder it is extracted into; else why
// not, with its article ("a parent folder").
std::string CheckEntryName(std::string& name)
{
    // A backslash separates folders; the same byte as the second of a GBK pair does not.
    for (std::size_t at = 0; at < name.size(); at += GbkCharLength(name, at)) {
        if (name[at] == '\\')
            name[at] = '/';
    }
    if (name.empty() || name[0] == '/')
        return "an absolute path";
    if (name.size() >= 2 && name[1] == ':')
        return "a drive prefix";
    std::size_t start = 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find('/', start), name.size());
        if (name.compare(start, end - start, "..") == 0 && end - start == 2)
            return "a parent folder";
        start = end + 1;
    }
    return {};
}

bool IsPlainEntry(zip_t* archive, zip_uint64_t index)
{
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0)
        return false;
    if (system != ZIP_OPSYS_UNIX)
        return true;
    const mode_t mode = attributes >> 16;
    return mode == 0 || S_ISREG(mode) || S_ISDIR(mode);
}

// Reads and checks every entry; the reason of the first refusal, else "".
std::string ListEntries(zip_t* archive, std::vector<ArchiveEntry>& entries)
{
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    if (count < 0 || count > IMPORT_MAX_ENTRIES)
        return "it holds too many entries.";
    unsigned long long total = 0;
    for (zip_uint64_t k = 0; k < static_cast<zip_uint64_t>(count); ++k) {
        zip_stat_t info;
        zip_stat_init(&info);
        if (zip_stat_index(archive, k, 0, &info) != 0 || !(info.valid & ZIP_STAT_SIZE))
            return "an entry cannot be read.";
        ArchiveEntry entry;
        entry.index = k;
        entry.name = EntryText(archive, k);
        const std::string why = CheckEntryName(entry.name);
        if (!why.empty())
            return "the entry \"" + entry.name + "\" has " + why + ".";
        if (!IsPlainEntry(archive, k))
            return "the entry \"" + entry.name + "\" is not a plain file or folder.";
        entry.folder = entry.name.back() == '/';
        entry.size = info.size;
        total += info.size;
        if (info.size > IMPORT_MAX_ENTRY_BYTES || total > IMPORT_MAX_TOTAL_BYTES)
            return "it is larger than a project can be.";
        entries.push_back(entry);
    }
    return {};
}

// Extracts one file, never more bytes than its entry declares.
bool ExtractFile(zip_t* archive, const ArchiveEntry& entry, const std::string& path)
{
    std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive, entry.index, 0));
    if (!file || !FileSystem::CreateFolder(FileSystem::FolderOf(path)))
        return false;
    std::ofstream out(FileSystem::ToNative(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    std::vector<char> buffer(kCopyChunk);
    zip_uint64_t written = 0;
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0)
            return false;
        if (got == 0)
            break;
        written += static_cast<zip_uint64_t>(got);
        if (written > entry.size)
            return false;
        out.write(buffer.data(), got);
    }
    return written == entry.size && static_cast<bool>(out.flush());
}

// The project file of the archive: a root ".qpj"; of several, the one whose
// title names a root folder of the archive, else the first.
std::string PickProjectFile(const std::vector<ArchiveEntry>& entries)
{
    std::set<std::string> rootFolders;
    std::vector<std::string> projectFiles;
    for (const ArchiveEntry& entry : entries) {
        const std::size_t slash = entry.name.find('/');
        if (slash != std::string::npos)
            rootFolders.insert(entry.name.substr(0, slash));
        else if (EndsWithNoCase(entry.name, kProjectFileSuffix))
            projectFiles.push_back(entry.name);
    }
    for (const std::string& name : projectFiles) {
        if (rootFolders.count(FileSystem::FileTitleOf(name)))
            return name;
    }
    return projectFiles.empty() ? std::string() : projectFiles.front();
}

bool HasProjectHeader(const std::string& path)
{
    std::vector<BYTE> bytes;
    if (!FileSystem::ReadFileBytes(path, bytes) || bytes.size() <= sizeof(CURRENT_PROJECT_HEADER))
        return false;
    return std::equal(CURRENT_PROJECT_HEADER, CURRENT_PROJECT_HEADER + HEADER_PRODUCT_LETTER, bytes.begin());
}

bool AddFolderToArchive(zip_t* archive, const std::string& folder, const std::string& entryPrefix)
{
    if (zip_dir_add(archive, FileSystem::ToNative(entryPrefix).c_str(), ZIP_FL_ENC_UTF_8) < 0)
        return false;
    for (const CFileEntry& item : FileSystem::ListFolder(folder)) {
        const std::string path = FileSystem::JoinPath(folder, item.name);
        const std::string entry = entryPrefix + "/" + item.name;
        struct stat info {};
        if (::lstat(FileSystem::ToNative(path).c_str(), &info) != 0)
            return false;
        if (S_ISDIR(info.st_mode)) {
            if (!AddFolderToArchive(archive, path, entry))
                return false;
            continue;
        }
        if (!S_ISREG(info.st_mode))
            continue;
        zip_source_t* source = zip_source_file(archive, FileSystem::ToNative(path).c_str(), 0, 0);
        if (!source)
            return false;
        if (zip_file_add(archive, FileSystem::ToNative(entry).c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            return false;
        }
    }
    return true;
}

void EmptyTempFolder()
{
    DeleteFolderTree(CPathProvider::TempFolder());
}

} // namespace

std::string ShortenBrowsePath(const std::string& path, int width)
{
    if (static_cast<int>(path.size()) <= width)
        return path;
    const std::size_t slash = path.rfind('/');
    const std::string last = slash == std::string::npos ? path : path.substr(slash);
    const int head = std::max(0, width - static_cast<int>(last.size()));
    return ByteString::Format("%s...%s", path.substr(0, head).c_str(), last.c_str());
}

CProjectArchive::CProjectArchive(CZULAppData& app, IProfile& profile, IProjectHost& host, CProjectCommands& commands)
    : m_app(app), m_profile(profile), m_host(host), m_commands(commands)
{
}

std::string CProjectArchive::ArchiveFolder() const
{
    const std::string folder = m_profile.GetProfileString(kSectionConfiguration, kKeyZipPath, "");
    return folder.empty() ? CPathProvider::DefaultProjectFolder() : folder;
}

void CProjectArchive::SetArchiveFolder(const std::string& folder)
{
    m_app.ZipPath = folder;
    m_profile.WriteProfileString(kSectionConfiguration, kKeyZipPath, folder);
}

void CProjectArchive::OnExportProject()
{
    const CZULProject& project = m_app.Project;
    std::string source = project.ProjectPath;
    const bool blanks = FileSystem::FileNameOf(source).find(' ') != std::string::npos;
    if (blanks) {
        if (ShowMessage("Note", kBlankQuestion, MB_YESNO | MB_ICONINFORMATION) != IDYES)
            return;
        if (!m_commands.SaveAllProjectFiles())
            return;
        source = CopyProjectWithoutBlanks(project.ProjectPath);
        if (source.empty())
            return;
    }
    CFileDialogRequest request;
    request.title = "Export Project...";
    request.defaultExtension = "zip";
    request.filter = kArchiveFilter;
    request.initialFolder = ArchiveFolder();
    request.proposedName = project.ProjectName + "_bak";
    request.promptOverwrite = true;
    std::string chosen;
    if (!m_host.RunFileDialog(request, chosen)) {
        EmptyTempFolder();
        return;
    }
    std::string archive = ByteString::Trim(chosen);
    if (blanks)
        archive = RemoveSpacesFromFileTitle(archive);
    if (archive.empty() || static_cast<int>(archive.size()) > ARCHIVE_PATH_LIMIT) {
        ShowMessage("Error", kExportPathTooLong, MB_OK | MB_ICONINFORMATION);
        EmptyTempFolder();
        return;
    }
    SetArchiveFolder(FileSystem::FolderOf(archive));
    ExportProjectArchive(source, archive, TRUE);
}

BOOL CProjectArchive::ExportProjectArchive(const std::string& projectFile, const std::string& archive, BOOL show)
{
    m_host.SetWaitCursor(true);
    const std::string title = FileSystem::FileTitleOf(projectFile);
    const std::string partial = archive + ".part";
    FileSystem::DeleteFile(partial);
    int error = 0;
    bool done = false;
    if (zip_t* raw = zip_open(FileSystem::ToNative(partial).c_str(), ZIP_CREATE | ZIP_EXCL, &error)) {
        ZipHandle zip(raw);
        zip_source_t* source = zip_source_file(raw, FileSystem::ToNative(projectFile).c_str(), 0, 0);
        bool added = FileSystem::FileExists(projectFile) && source &&
                     zip_file_add(raw, FileSystem::ToNative(title + kProjectFileSuffix).c_str(), source,
                                  ZIP_FL_ENC_UTF_8) >= 0;
        if (!added && source)
            zip_source_free(source);
        added = added && AddFolderToArchive(raw, CProjTreeDOC::StripExtension(projectFile), title);
        if (added) {
            zip_t* writing = zip.release();
            done = zip_close(writing) == 0;
            if (!done)
                zip_discard(writing);
        }
    }
    done = done && FileSystem::MoveFile(partial, archive);
    if (!done)
        FileSystem::DeleteFile(partial);
    m_host.SetWaitCursor(false);
    if (show)
        ShowMessage(done ? "Note" : "Error", done ? kExportDone : kExportFailed,
                    MB_OK | (done ? MB_ICONINFORMATION : MB_ICONERROR));
    EmptyTempFolder();
    return done ? TRUE : FALSE;
}

std::string CProjectArchive::CopyProjectWithoutBlanks(const std::string& projectFile)
{
    const std::string title = FileSystem::FileTitleOf(projectFile);
    std::string clean = title;
    std::erase(clean, ' ');
    const std::string folder = CProjTreeDOC::StripExtension(projectFile);
    const std::string stamp = FileSystem::JoinPath(CPathProvider::TempFolder(), GetTimestampString());
    const std::string cleanFolder = FileSystem::JoinPath(stamp, clean);
    if (!FileSystem::CreateFolder(stamp) || !FileSystem::CreateFolder(cleanFolder)) {
        ShowMessage("Error", kCreateFolderError, MB_OK | MB_ICONINFORMATION);
        return {};
    }
    const std::string copy = FileSystem::JoinPath(stamp, clean + kProjectFileSuffix);
    FileSystem::CopyFile(projectFile, copy, FALSE);
    FileSystem::CopyFile(FileSystem::JoinPath(folder, title + ".qgv"), FileSystem::JoinPath(cleanFolder, clean + ".qgv"),
                         FALSE);
    for (const char* extension : {".ilp", ".ilv"}) {
        for (const CFileEntry& entry : FileSystem::ListFolder(folder)) {
            if (!entry.IsFolder() && EndsWithNoCase(entry.name, extension))
                FileSystem::CopyFile(FileSystem::JoinPath(folder, entry.name),
                                     FileSystem::JoinPath(cleanFolder, entry.name), FALSE);
        }
    }
    return copy;
}

void CProjectArchive::OnImportProject()
{
    CFileDialogRequest request;
    request.save = false;
    request.title = "Import Project...";
    request.defaultExtension = "zip";
    request.filter = kArchiveFilter;
    request.initialFolder = ArchiveFolder();
    std::string chosen;
    if (!m_host.RunFileDialog(request, chosen))
        return;
    const std::string archive = ByteString::Trim(chosen);
    if (archive.empty())
        return;
    SetArchiveFolder(FileSystem::FolderOf(archive));
    std::string destination;
    if (!m_host.BrowseForFolder(kBrowseCaption, m_commands.PreviousProjectFolder(CPathProvider::DefaultProjectFolder()),
                                destination) ||
        destination.empty())
        return;
    ImportProjectArchive(archive, destination);
}

BOOL CProjectArchive::ImportProjectArchive(const std::string& archive, const std::string& destination)
{
    const std::string work = FileSystem::JoinPath(CPathProvider::TempFolder(), kImportWorkFolder);
    EmptyTempFolder();
    struct Cleanup {
        IProjectHost& host;
        ~Cleanup()
        {
            host.SetWaitCursor(false);
            EmptyTempFolder();
        }
    } cleanup{m_host};
    m_host.SetWaitCursor(true);

    int error = 0;
    ZipHandle zip(zip_open(FileSystem::ToNative(archive).c_str(), ZIP_RDONLY, &error));
    if (!zip) {
        ShowMessage("Error", kImportFailed, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    std::vector<ArchiveEntry> entries;
    const std::string refusal = ListEntries(zip.get(), entries);
    if (!refusal.empty()) {
        ShowMessage("Error", ByteString::Format(kImportRefused, refusal.c_str()), MB_OK | MB_ICONERROR);
        return FALSE;
    }
    for (const ArchiveEntry& entry : entries) {
        const std::string path = FileSystem::JoinPath(work, entry.name);
        const bool extracted = entry.folder ? FileSystem::CreateFolder(path) == TRUE : ExtractFile(zip.get(), entry, path);
        if (!extracted) {
            ShowMessage("Error", kImportFailed, MB_OK | MB_ICONERROR);
            return FALSE;
        }
    }
    const std::string projectName = PickProjectFile(entries);
    if (projectName.empty() || !HasProjectHeader(FileSystem::JoinPath(work, projectName))) {
        ShowMessage("Error", kImportFailed, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    const std::string title = FileSystem::FileTitleOf(projectName);
    const std::string target = FileSystem::JoinPath(destination, projectName);
    const std::string targetFolder = FileSystem::JoinPath(destination, title);
    if ((FileSystem::FileExists(target) || FolderHasEntries(targetFolder)) &&
        ShowMessage("Note", kReplaceQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    if (m_app.ProjectOpen && !m_commands.CloseProject())
        return FALSE;
    const bool placed = FileSystem::CreateFolder(destination) &&
                        FileSystem::CopyFile(FileSystem::JoinPath(work, projectName), target, FALSE) &&
                        FileSystem::CreateFolder(targetFolder) && DeleteFolderTree(targetFolder) &&
                        CopyFolderTree(FileSystem::JoinPath(work, title), targetFolder);
    if (!placed) {
        ShowMessage("Error", kImportFailed, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    m_commands.OpenProjectByPath(target);
    return m_app.ProjectOpen ? TRUE : FALSE;
}
