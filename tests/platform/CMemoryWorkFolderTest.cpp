#include "platform/CMemoryWorkFolder.h"
#include "platform/CPathProvider.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <linux/magic.h>
#include <string>
#include <sys/stat.h>
#include <sys/statfs.h>

namespace {

bool InMemory(const std::string& folder)
{
    struct statfs info {};
    return ::statfs(folder.c_str(), &info) == 0 && (info.f_type == TMPFS_MAGIC || info.f_type == RAMFS_MAGIC);
}

// Sets XDG_RUNTIME_DIR for one test and puts the old value back.
class CScopedRuntimeDir {
public:
    explicit CScopedRuntimeDir(const std::string& folder)
    {
        const char* old = std::getenv("XDG_RUNTIME_DIR");
        m_had = old != nullptr;
        m_old = old ? old : "";
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
    ~CScopedRuntimeDir()
    {
        if (m_had)
            ::setenv("XDG_RUNTIME_DIR", m_old.c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }
    CScopedRuntimeDir(const CScopedRuntimeDir&) = delete;
    CScopedRuntimeDir& operator=(const CScopedRuntimeDir&) = delete;

private:
    bool m_had = false;
    std::string m_old;
};

// The folder lies in the user's runtime folder when that is held in memory,
// else in /dev/shm when that is, else in the process's temporary folder;
// it is private and goes with everything in it.
TEST(MemoryWorkFolderTest, PrivateFolderInMemoryWhereThereIsOneRemovedWithItsFiles)
{
    const TempFolder onDisk;
    for (const std::string& base : {std::string("/dev/shm"), onDisk.Path()}) {
        CScopedRuntimeDir scoped(base);
        const std::string expected = InMemory(base)        ? base
                                     : InMemory("/dev/shm") ? std::string("/dev/shm")
                                                            : CPathProvider::TempFolder();
        std::string path;
        {
            const CMemoryWorkFolder folder;
            path = folder.Path();
            ASSERT_FALSE(path.empty()) << base;
            EXPECT_EQ(FileSystem::FolderOf(path), expected) << base;
            struct stat st {};
            ASSERT_EQ(::stat(path.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0700u);
            WriteFileText(path + "/~MAIN_Main.ilp", "(*1*)\r\n");
        }
        EXPECT_FALSE(FileSystem::FolderExists(path)) << base;
    }
}

} // namespace
