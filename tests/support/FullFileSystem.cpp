#include "FullFileSystem.h"

namespace {

constexpr rlim_t ROOM_LEFT = 8; // bytes a file may still take

} // namespace

FullFileSystem::FullFileSystem()
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &m_oldAction);
    ::getrlimit(RLIMIT_FSIZE, &m_oldLimit);
    struct rlimit full = m_oldLimit;
    full.rlim_cur = ROOM_LEFT;
    ::setrlimit(RLIMIT_FSIZE, &full);
}

FullFileSystem::~FullFileSystem()
{
    ::setrlimit(RLIMIT_FSIZE, &m_oldLimit);
    ::sigaction(SIGXFSZ, &m_oldAction, nullptr);
}
