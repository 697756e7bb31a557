#pragma once
// Stands in for a full file system while it lives: every file the process
// writes takes at most a few bytes, and a write beyond them fails (EFBIG,
// with the signal that would end the process ignored).

#include <sys/resource.h>

#include <csignal>

class FullFileSystem {
public:
    FullFileSystem();
    ~FullFileSystem();
    FullFileSystem(const FullFileSystem&) = delete;
    FullFileSystem& operator=(const FullFileSystem&) = delete;

private:
    struct rlimit m_oldLimit {};
    struct sigaction m_oldAction {};
};
