#include "FileTimes.h"

#include "FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>

BOOL GetFileTimes(const std::string& path, CFileTimes& times)
{
    const std::string native = FileSystem::ToNative(path);
    struct statx sx {};
    if (statx(AT_FDCWD, native.c_str(), 0, STATX_BTIME | STATX_MTIME | STATX_CTIME, &sx) != 0)
        return FALSE;
    times.lastWrite = static_cast<std::time_t>(sx.stx_mtime.tv_sec);
    times.statusChange = static_cast<std::time_t>(sx.stx_ctime.tv_sec);
    times.hasCreation = (sx.stx_mask & STATX_BTIME) ? TRUE : FALSE;
    times.creation = times.hasCreation ? static_cast<std::time_t>(sx.stx_btime.tv_sec) : 0;
    return TRUE;
}
