#include "LinkTestSupport.h"

#include "model/Crc16Modbus.h"
#include "model/CpuProfile.h"
#include "plclink/CPlcCommPort.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
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

} // namespace

CRawPty::CRawPty()
{
    m_master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[PATH_MAX] = {};
    if (m_master < 0 || grantpt(m_master) != 0 || unlockpt(m_master) != 0 || ptsname_r(m_master, name, sizeof(name)) != 0)
        return;
    m_slavePath = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    MakeRaw(m_slave);
    MakeRaw(m_master);
}

CRawPty::~CRawPty()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

void CRawPty::Write(const std::vector<BYTE>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = ::write(m_master, bytes.data() + done, bytes.size() - done);
        if (written > 0)
            done += static_cast<size_t>(written);
        else {
            pollfd p {m_master, POLLOUT, 0};
            poll(&p, 1, 20);
        }
    }
}

std::vector<BYTE> CRawPty::Read(int waitMs, int idleMs)
{
    std::vector<BYTE> bytes;
    int wait = waitMs;
    for (;;) {
        pollfd p {m_master, POLLIN, 0};
        if (poll(&p, 1, wait) <= 0 || (p.revents & POLLIN) == 0)
            return bytes;
        BYTE buffer[512];
        ssize_t got = ::read(m_master, buffer, sizeof(buffer));
        if (got <= 0)
            return bytes;
        bytes.insert(bytes.end(), buffer, buffer + got);
        wait = idleMs;
    }
}

CScopedGlobalPort::CScopedGlobalPort(const std::string& device, int baudRate, LinkWaitPercents waits)
{
    g_PlcCommPort.LockWaitPercent = waits.lockWait;
    g_PlcCommPort.SettlePercent = waits.settle;
    g_PlcCommPort.Close();
    g_PlcCommPort.PortName = device;
    g_PlcCommPort.BaudRate = baudRate;
    g_PlcCommPort.ParityIndex = 0;
    g_PlcCommPort.DataBits = 8;
    g_PlcCommPort.StopBits = 1;
    g_PlcCommPort.FlowMode = 0;
    g_PlcCommPort.Station = 1;
}

CScopedGlobalPort::~CScopedGlobalPort()
{
    g_PlcCommPort.Close();
    g_PlcCommPort.LockWaitPercent = kRealWaits.lockWait;
    g_PlcCommPort.SettlePercent = kRealWaits.settle;
}

CScopedTimeouts::CScopedTimeouts(int replyMs, int probeMs) : m_reply(ReplyTimeout), m_probe(ProbeTimeout)
{
    ReplyTimeout = replyMs;
    ProbeTimeout = probeMs;
}

CScopedTimeouts::~CScopedTimeouts()
{
    ReplyTimeout = m_reply;
    ProbeTimeout = m_probe;
}

std::vector<BYTE> WithCrc(std::vector<BYTE> frame)
{
    WORD crc = CRC16Modbus(frame.data(), static_cast<DWORD>(frame.size()));
    frame.push_back(HIBYTE(crc));
    frame.push_back(LOBYTE(crc));
    return frame;
}
