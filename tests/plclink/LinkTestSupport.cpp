#include "LinkTestSupport.h"

#include "model/Crc16Modbus.h"
#include "model/CpuProfile.h"
#include "plclink/CPlcCommPort.h"
#include "support/TestWaitScale.h"

#include <algorithm>
#include <chrono>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// How often a wait for the line looks again.
constexpr int kLookAgainMs = 1;
constexpr int kProgramsOwnPercent = 100;

// A shortened wait stretched by the tests' wait factor, never beyond the
// program's own: a test of the program's full wait keeps it.
int Stretched(int percent)
{
    if (percent >= kProgramsOwnPercent)
        return percent;
    return std::min(percent * TestWaitScale(), kProgramsOwnPercent);
}

} // namespace

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

int CRawPty::Queued() const
{
    int queued = 0;
    return ::ioctl(m_pty.SlaveFd(), FIONREAD, &queued) == 0 ? queued : -1;
}

bool CRawPty::WaitFor(bool (*holds)(int queued, int count), int count, int waitMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        const int queued = Queued();
        if (queued >= 0 && holds(queued, count))
            return true;
        if (queued < 0 || std::chrono::steady_clock::now() >= end)
            return false;
        poll(nullptr, 0, kLookAgainMs);
    }
}

bool CRawPty::WaitArrived(int count, int waitMs)
{
    return WaitFor([](int queued, int wanted) { return queued >= wanted; }, count, waitMs);
}

bool CRawPty::WaitTaken(int waitMs)
{
    return WaitFor([](int queued, int) { return queued == 0; }, 0, waitMs);
}

CScopedGlobalPort::CScopedGlobalPort(const std::string& device, int baudRate, LinkWaitPercents waits)
{
    g_PlcCommPort.LockWaitPercent = Stretched(waits.lockWait);
    g_PlcCommPort.SettlePercent = Stretched(waits.settle);
    g_PlcCommPort.ReplyWaitPercent = Stretched(waits.reply);
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
    g_PlcCommPort.ReplyWaitPercent = kRealWaits.reply;
}

CScopedTimeouts::CScopedTimeouts(int replyMs, int probeMs) : m_reply(ReplyTimeout), m_probe(ProbeTimeout)
{
    ReplyTimeout = ScaledWaitMs(replyMs);
    ProbeTimeout = ScaledWaitMs(probeMs);
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
