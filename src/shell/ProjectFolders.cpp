#include "ProjectFolders.h"

#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "platform/FileSystem.h"

#include <sys/stat.h>

namespace {

bool IsSymbolicLink(const std::string& path)
{
    struct stat info {};
    return ::lstat(FileSystem::ToNative(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

} // namespace

BOOL CopyFolderTree(const std::string& source, const std::string& destination, std::vector<std::string>* copied)
{
    if (!FileSystem::FolderExists(source))
        return TRUE;
    // A destination inside the source would copy itself without end.
    if (destination == source || destination.rfind(source + "/", 0) == 0)
        return FALSE;
    if (!FileSystem::CreateFolder(destination))
        return FALSE;
    for (const CFileEntry& entry : FileSystem::ListFolder(source)) {
        const std::string from = FileSystem::JoinPath(source, entry.name);
        const std::string to = FileSystem::JoinPath(destination, entry.name);
        if (IsSymbolicLink(from))
            continue;
        if (entry.IsFolder()) {
            if (!CopyFolderTree(from, to, copied))
                return FALSE;
            continue;
        }
        if (!FileSystem::CopyFile(from, to, FALSE))
            return FALSE;
        if (copied)
            copied->push_back(to);
    }
    return TRUE;
}

bool FolderHasEntries(const std::string& folder)
{
    return FileSystem::FolderExists(folder) && !FileSystem::ListFolder(folder).empty();
}

void ResetProjectModel()
{
    g_pAppData->Project.ClearProject();
    ReplyTimeout = DEFAULT_REPLY_TIMEOUT;
    ProbeTimeout = DEFAULT_PROBE_TIMEOUT;
}
