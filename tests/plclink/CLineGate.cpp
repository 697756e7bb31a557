#include "CLineGate.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

void MakeRaw(int fd)
{
    termios tio {};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
}

speed_t SpeedOf(int baudRate)
{
    switch (baudRate) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    default: return B38400;
    }
}

void WriteAll(int fd, const unsigned char* data, ssize_t n)
{
    ssize_t done = 0;
    while (done < n) {
        ssize_t written = ::write(fd, data + done, static_cast<size_t>(n - done));
        if (written > 0) {
            done += written;
            continue;
        }
        pollfd p {fd, POLLOUT, 0};
        poll(&p, 1, 20);
    }
}

} // namespace

CLineGate::CLineGate(const std::string& plcDevice, int baudRate, int parity)
    : m_plcDevice(plcDevice), m_speed(SpeedOf(baudRate)), m_parity(parity)
{
}

CLineGate::~CLineGate()
{
    m_stop.store(true);
    if (m_thread.joinable())
        m_thread.join();
    for (int fd : {m_plc, m_slave, m_master}) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool CLineGate::Start()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[PATH_MAX] = {};
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 || ptsname_r(m_master, name, sizeof(name)) != 0)
        return false;
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    m_plc = ::open(m_plcDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slave < 0 || m_plc < 0)
        return false;
    MakeRaw(m_slave);
    MakeRaw(m_master);
    MakeRaw(m_plc);
    m_thread = std::thread([this] { Run(); });
    return true;
}

// The line settings live with the terminal, so the gate sees what the link
// set. A pseudo-terminal drops the parity-enable flag but keeps the input
// parity check and the odd flag, which tell the three parities apart.
bool CLineGate::LineMatches() const
{
    termios tio {};
    if (tcgetattr(m_slave, &tio) != 0 || cfgetospeed(&tio) != m_speed)
        return false;
    int parity = 0;
    if ((tio.c_iflag & INPCK) != 0)
        parity = (tio.c_cflag & PARODD) != 0 ? 1 : 2;
    return parity == m_parity;
}

void CLineGate::Run()
{
    while (!m_stop.load()) {
        pollfd fds[2] = {{m_master, POLLIN, 0}, {m_plc, POLLIN, 0}};
        if (poll(fds, 2, 20) <= 0)
            continue;
        unsigned char buffer[512];
        if ((fds[0].revents & POLLIN) != 0) {
            ssize_t got = ::read(m_master, buffer, sizeof(buffer));
            if (got > 0 && LineMatches())
                WriteAll(m_plc, buffer, got);
        }
        if ((fds[1].revents & POLLIN) != 0) {
            ssize_t got = ::read(m_plc, buffer, sizeof(buffer));
            if (got > 0)
                WriteAll(m_master, buffer, got);
        }
        if (((fds[0].revents | fds[1].revents) & (POLLHUP | POLLERR)) != 0)
            usleep(5000);
    }
}
