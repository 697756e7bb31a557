#include "ReadOnlyFolder.h"

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t READ_AND_SEARCH = 0555;
constexpr uid_t ORDINARY_USER = 65534; // "nobody"
constexpr uid_t ROOT = 0;

} // namespace

ReadOnlyFolder::ReadOnlyFolder(const std::string& folder)
    : m_folder(folder)
{
    struct stat status {};
    if (::stat(folder.c_str(), &status) == 0)
        m_oldMode = status.st_mode & 07777;
    ::chmod(folder.c_str(), READ_AND_SEARCH);
    if (::geteuid() != ROOT)
        return;
    // setfsuid changes only the calling thread and drops root's file
    // capabilities with it.
    ::setfsuid(ORDINARY_USER);
    m_droppedRoot = true;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_droppedRoot)
        ::setfsuid(ROOT);
    ::chmod(m_folder.c_str(), m_oldMode);
}
