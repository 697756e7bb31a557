#include "CLineGate.h"

#include "platform/CSerialDevice.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

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
    : m_plcDevice(plcDevice), m_parity(parity)
{
    if (!CSerialDevice::StandardSpeed(baudRate, m_speed))
        m_speed = B0;
}

CLineGate::~CLineGate()
{
    m_stop.store(true);
    if (m_thread.joinable())
        m_thread.join();
    if (m_plc >= 0)
        ::close(m_plc);
}

bool CLineGate::Start()
{
    if (!m_pty.Open())
        return false;
    m_plc = ::open(m_plcDevice.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_plc < 0)
        return false;
    CPseudoTerminal::MakeRaw(m_plc);
    m_thread = std::thread([this] { Run(); });
    return true;
}

// The line settings live with the terminal, so the gate sees what the link
// set. A pseudo-terminal drops the parity-enable flag but keeps the input
// parity check and the odd flag, which tell the three parities apart.
bool CLineGate::LineMatches() const
{
    termios tio {};
    if (tcgetattr(m_pty.SlaveFd(), &tio) != 0 || cfgetospeed(&tio) != m_speed)
        return false;
    int parity = 0;
    if ((tio.c_iflag & INPCK) != 0)
        parity = (tio.c_cflag & PARODD) != 0 ? 1 : 2;
    return parity == m_parity;
}

void CLineGate::Run()
{
    while (!m_stop.load()) {
        pollfd fds[2] = {{m_pty.MasterFd(), POLLIN, 0}, {m_plc, POLLIN, 0}};
        if (poll(fds, 2, 20) <= 0)
            continue;
        unsigned char buffer[512];
        if ((fds[0].revents & POLLIN) != 0) {
            ssize_t got = ::read(m_pty.MasterFd(), buffer, sizeof(buffer));
            if (got > 0 && LineMatches())
                WriteAll(m_plc, buffer, got);
        }
        if ((fds[1].revents & POLLIN) != 0) {
            ssize_t got = ::read(m_plc, buffer, sizeof(buffer));
            if (got > 0)
                WriteAll(m_pty.MasterFd(), buffer, got);
        }
        if (((fds[0].revents | fds[1].revents) & (POLLHUP | POLLERR)) != 0)
            usleep(5000);
    }
}
