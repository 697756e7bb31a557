// The test programs' own open, open64, openat and openat64 come first in the
// link, so every open that the program's code, Qt or libmodbus makes asks
// the guard before the kernel opens the file.
#undef _FORTIFY_SOURCE

#include "CDeviceGuard.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct HarmlessDevice {
    unsigned int major;
    unsigned int minor;
    const char* name;
};

constexpr HarmlessDevice kHarmlessDevices[] = {
    {1, 3, "null"}, {1, 5, "zero"}, {1, 7, "full"}, {1, 8, "random"}, {1, 9, "urandom"}, {5, 2, "ptmx"},
};

struct GuardState {
    std::atomic<bool> installed {false};
    std::mutex lock;
    std::set<dev_t> terminals;
};

// Never destroyed: opens may still come while the program exits.
GuardState& State()
{
    static GuardState* state = new GuardState;
    return *state;
}

bool IsHarmless(dev_t device)
{
    for (const HarmlessDevice& harmless : kHarmlessDevices) {
        if (major(device) == harmless.major && minor(device) == harmless.minor)
            return true;
    }
    return false;
}

// The permission bits that follow the flags when the open may create a file.
int ModeArgument(int flags, va_list& rest)
{
    const bool creates = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return creates ? va_arg(rest, int) : 0;
}

int GuardedOpen(int directory, const char* path, int flags, int mode)
{
    if (!CDeviceGuard::MayOpen(directory, path)) {
        ADD_FAILURE() << "The test opened the device " << path
                      << ", which is no pseudo-terminal that the test made; a test talks only to the "
                         "simulator's terminal or to one it makes, never to the machine's ports.";
        errno = EACCES;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_openat, directory, path, flags, mode));
}

} // namespace

void CDeviceGuard::Install()
{
    State().installed.store(true);
}

void CDeviceGuard::AllowTerminal(dev_t device)
{
    GuardState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    state.terminals.insert(device);
}

void CDeviceGuard::ForgetTerminal(dev_t device)
{
    GuardState& state = State();
    std::lock_guard<std::mutex> hold(state.lock);
    state.terminals.erase(device);
}

bool CDeviceGuard::MayOpen(int directory, const char* path)
{
    GuardState& state = State();
    struct stat info {};
    if (!state.installed.load() || path == nullptr || ::fstatat(directory, path, &info, 0) != 0)
        return true;
    if (!S_ISCHR(info.st_mode) || IsHarmless(info.st_rdev))
        return true;
    std::lock_guard<std::mutex> hold(state.lock);
    return state.terminals.count(info.st_rdev) != 0;
}

extern "C" {

int open(const char* path, int flags, ...)
{
    va_list rest;
    va_start(rest, flags);
    const int mode = ModeArgument(flags, rest);
    va_end(rest);
    return GuardedOpen(AT_FDCWD, path, flags, mode);
}

int open64(const char* path, int flags, ...)
{
    va_list rest;
    va_start(rest, flags);
    const int mode = ModeArgument(flags, rest);
    va_end(rest);
    return GuardedOpen(AT_FDCWD, path, flags, mode);
}

int openat(int directory, const char* path, int flags, ...)
{
    va_list rest;
    va_start(rest, flags);
    const int mode = ModeArgument(flags, rest);
    va_end(rest);
    return GuardedOpen(directory, path, flags, mode);
}

int openat64(int directory, const char* path, int flags, ...)
{
    va_list rest;
    va_start(rest, flags);
    const int mode = ModeArgument(flags, rest);
    va_end(rest);
    return GuardedOpen(directory, path, flags, mode);
}

} // extern "C"
