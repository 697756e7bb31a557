#include "CPseudoTerminal.h"

#include "CDeviceGuard.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

CPseudoTerminal::~CPseudoTerminal()
{
    Close();
}

bool CPseudoTerminal::Open()
{
    Close();
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[PATH_MAX] = {};
    struct stat slave {};
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0
        || ptsname_r(m_master, name, sizeof(name)) != 0 || ::stat(name, &slave) != 0) {
        Close();
        return false;
    }
    // The tests may open this terminal's slave side, and only while it lives.
    m_device = slave.st_rdev;
    CDeviceGuard::AllowTerminal(m_device);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slave < 0) {
        Close();
        return false;
    }
    m_slavePath = name;
    MakeRaw(m_slave);
    MakeRaw(m_master);
    return true;
}

void CPseudoTerminal::Close()
{
    for (int* fd : {&m_slave, &m_master}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    if (m_device != 0)
        CDeviceGuard::ForgetTerminal(m_device);
    m_device = 0;
    m_slavePath.clear();
}

void CPseudoTerminal::MakeRaw(int fd)
{
    termios tio {};
    if (tcgetattr(fd, &tio) != 0)
        return;
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
}
