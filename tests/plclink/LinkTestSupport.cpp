#include "LinkTestSupport.h"

#include "model/Crc16Modbus.h"
#include "model/CpuProfile.h"
#include "plclink/CPlcCommPort.h"

#include <poll.h>
#include <unistd.h>

CRawPty::CRawPty()
{
    m_pty.Open();
}

CRawPty::~CRawPty() = default;

void CRawPty::Write(const std::vector<BYTE>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t written = ::write(m_pty.MasterFd(), bytes.data() + done, bytes.size() - done);
        if (written > 0)
            done += static_cast<size_t>(written);
        else {
            pollfd p {m_pty.MasterFd(), POLLOUT, 0};
            poll(&p, 1, 20);
        }
    }
}

std::vector<BYTE> CRawPty::Read(int waitMs, int idleMs)
{
    std::vector<BYTE> bytes;
    int wait = waitMs;
    for (;;) {
        pollfd p {m_pty.MasterFd(), POLLIN, 0};
        if (poll(&p, 1, wait) <= 0 || (p.revents & POLLIN) == 0)
            return bytes;
        BYTE buffer[512];
        ssize_t got = ::read(m_pty.MasterFd(), buffer, sizeof(buffer));
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
