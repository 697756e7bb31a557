#include "CMemoryWorkFolder.h"

#include "CPathProvider.h"
#include "FileSystem.h"

#include <cstdlib>
#include <linux/magic.h>
#include <sys/statfs.h>

namespace {

const char kFolderPattern[] = "/orvelbuilder-work-XXXXXX";

// A folder held in memory: tmpfs or ramfs.
bool IsMemoryFileSystem(const std::string& nativeFolder)
{
    struct statfs info {};
    if (nativeFolder.empty() || ::statfs(nativeFolder.c_str(), &info) != 0)
        return false;
    return info.f_type == TMPFS_MAGIC || info.f_type == RAMFS_MAGIC;
}

// A new private folder below base; "" when it cannot be made there.
std::string MakeFolderIn(const std::string& nativeBase)
{
    if (nativeBase.empty())
        return "";
    std::string pattern = nativeBase + kFolderPattern;
    if (!::mkdtemp(pattern.data()))
        return "";
    return FileSystem::FromNative(pattern);
}

// A new private folder on the first memory file system that takes one.
std::string MakeFolderInMemory()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string candidates[] = {runtime ? runtime : "", "/dev/shm"};
    for (const std::string& base : candidates) {
        const std::string folder = IsMemoryFileSystem(base) ? MakeFolderIn(base) : std::string();
        if (!folder.empty())
            return folder;
    }
    return "";
}

} // namespace

CMemoryWorkFolder::CMemoryWorkFolder()
{
    m_path = MakeFolderInMemory();
    if (m_path.empty())
        m_path = MakeFolderIn(FileSystem::ToNative(CPathProvider::TempFolder()));
}

CMemoryWorkFolder::~CMemoryWorkFolder()
{
    if (!m_path.empty())
        FileSystem::DeleteTree(m_path);
}
