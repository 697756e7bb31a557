#include "CSerialDevice.h"

#include "Tick.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct StandardRate {
    int baudRate;
    speed_t code;
};

// The rates the driver knows by constant; any other goes through termios2.
const StandardRate kStandardRates[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000},
};

const StandardRate* FindStandardRate(int baudRate)
{
    for (const StandardRate& rate : kStandardRates) {
        if (rate.baudRate == baudRate)
            return &rate;
    }
    return nullptr;
}

CSerialDevice::OpenResult OpenResultOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
    case ENOTDIR:
        return CSerialDevice::OpenNotFound;
    case EBUSY:
    case EWOULDBLOCK:
        return CSerialDevice::OpenBusy;
    case EACCES:
    case EPERM:
        return CSerialDevice::OpenNotPermitted;
    default:
        return CSerialDevice::OpenFailed;
    }
}

// No echo, no line editing, no character translation; rate and framing stay.
void MakeRaw(termios& tio)
{
    tio.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
    tio.c_oflag &= ~OPOST;
    tio.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
}

BOOL SetFraming(termios& tio, char parity, int dataBits, int stopBits)
{
    static const tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    if (dataBits < 5 || dataBits > 8 || (stopBits != 1 && stopBits != 2))
        return FALSE;
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR);
    tio.c_cflag |= kSizes[dataBits - 5];
    if (stopBits == 2)
        tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~INPCK;
    switch (parity) {
    case 'N':
        return TRUE;
    case 'O':
        tio.c_cflag |= PARENB | PARODD;
        break;
    case 'E':
        tio.c_cflag |= PARENB;
        break;
    case 'M':
        tio.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case 'S':
        tio.c_cflag |= PARENB | CMSPAR;
        break;
    default:
        return FALSE;
    }
    tio.c_iflag |= INPCK;
    return TRUE;
}

BOOL SetFlow(termios& tio, int flowMode)
{
    if (flowMode < 0 || flowMode > 5)
        return FALSE;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (flowMode == 1 || flowMode == 2)
        tio.c_cflag |= CRTSCTS;
    if (flowMode == 5) {
        tio.c_iflag |= IXON | IXOFF;
        tio.c_cc[VSTART] = 17;
        tio.c_cc[VSTOP] = 19;
    }
    return TRUE;
}

} // namespace

CSerialDevice::~CSerialDevice()
{
    Close();
}

BOOL CSerialDevice::StandardSpeed(int baudRate, unsigned int& code)
{
    const StandardRate* rate = FindStandardRate(baudRate);
    if (rate == nullptr)
        return FALSE;
    code = rate->code;
    return TRUE;
}

BOOL CSerialDevice::Fail()
{
    m_lastError = errno;
    return FALSE;
}

CSerialDevice::OpenResult CSerialDevice::Open(const std::string& path)
{
    Close();
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_lastError = errno;
        return OpenResultOf(m_lastError);
    }
    // Another program that holds the line (or locks it the same way) makes it busy.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_lastError = errno;
        ::close(fd);
        return OpenBusy;
    }
    termios tio {};
    if (tcgetattr(fd, &tio) != 0) {
        m_lastError = errno;
        ::close(fd);
        return OpenFailed;
    }
    MakeRaw(tio);
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
        m_lastError = errno;
        ::close(fd);
        return OpenFailed;
    }
    ioctl(fd, TIOCEXCL);
    m_fd = fd;
    m_lastError = 0;
    ReadErrorCounts(m_frameErrors, m_parityErrors);
    return OpenOk;
}

BOOL CSerialDevice::Close()
{
    if (m_fd < 0)
        return FALSE;
    ioctl(m_fd, TIOCNXCL);
    int result = ::close(m_fd);
    m_fd = -1;
    return result == 0 ? TRUE : Fail();
}

BOOL CSerialDevice::SetLine(const LineSettings& settings)
{
    if (m_fd < 0 || settings.baudRate <= 0)
        return FALSE;
    termios tio {};
    if (tcgetattr(m_fd, &tio) != 0)
        return Fail();
    MakeRaw(tio);
    if (!SetFraming(tio, settings.parity, settings.dataBits, settings.stopBits) || !SetFlow(tio, settings.flowMode)) {
        m_lastError = EINVAL;
        return FALSE;
    }
    const StandardRate* rate = FindStandardRate(settings.baudRate);
    if (rate != nullptr) {
        cfsetispeed(&tio, rate->code);
        cfsetospeed(&tio, rate->code);
    }
    if (tcsetattr(m_fd, TCSANOW, &tio) != 0)
        return Fail();
    if (rate == nullptr && !SetCustomBaudRate(m_fd, settings.baudRate))
        return Fail();
    // Flow mode 0 drops both modem control lines; on lines without them
    // (USB adapters without handshake, pseudo-terminals) there is nothing to drop.
    if (settings.flowMode == 0) {
        int lines = TIOCM_DTR | TIOCM_RTS;
        ioctl(m_fd, TIOCMBIC, &lines);
    }
    return TRUE;
}

int CSerialDevice::BaudRate() const
{
    return m_fd < 0 ? 0 : GetDeviceBaudRate(m_fd);
}

BOOL CSerialDevice::Purge()
{
    if (m_fd < 0)
        return FALSE;
    return tcflush(m_fd, TCIOFLUSH) == 0 ? TRUE : Fail();
}

BOOL CSerialDevice::Write(const BYTE* data, int n, DWORD timeoutMs)
{
    if (m_fd < 0)
        return FALSE;
    DWORD start = GetTickCount();
    int done = 0;
    while (done < n) {
        ssize_t written = ::write(m_fd, data + done, static_cast<size_t>(n - done));
        if (written > 0) {
            done += static_cast<int>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return Fail();
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return FALSE;
        pollfd p {m_fd, POLLOUT, 0};
        poll(&p, 1, static_cast<int>(timeoutMs - elapsed));
    }
    return TRUE;
}

BOOL CSerialDevice::WaitReadable(DWORD timeoutMs)
{
    if (m_fd < 0)
        return FALSE;
    DWORD start = GetTickCount();
    for (;;) {
        if (QueuedBytes() > 0)
            return TRUE;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return FALSE;
        pollfd p {m_fd, POLLIN, 0};
        int ready = poll(&p, 1, static_cast<int>(timeoutMs - elapsed));
        if (ready < 0 && errno != EINTR)
            return Fail();
        // A hang-up without data (the other end went away) is no reply byte.
        if (ready > 0 && (p.revents & POLLIN) == 0)
            Sleep(1);
    }
}

int CSerialDevice::QueuedBytes()
{
    if (m_fd < 0)
        return -1;
    int count = 0;
    if (ioctl(m_fd, FIONREAD, &count) != 0) {
        Fail();
        return -1;
    }
    return count;
}

int CSerialDevice::Read(BYTE* data, int n)
{
    if (m_fd < 0 || n < 0)
        return -1;
    ssize_t got = ::read(m_fd, data, static_cast<size_t>(n));
    if (got >= 0)
        return static_cast<int>(got);
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    Fail();
    return -1;
}

void CSerialDevice::ReadErrorCounts(long& frame, long& parity) const
{
    serial_icounter_struct counts {};
    if (ioctl(m_fd, TIOCGICOUNT, &counts) != 0)
        return;
    frame = counts.frame;
    parity = counts.parity;
}

BOOL CSerialDevice::TakeLineErrors()
{
    if (m_fd < 0)
        return FALSE;
    long frame = m_frameErrors;
    long parity = m_parityErrors;
    ReadErrorCounts(frame, parity);
    BOOL errors = (frame != m_frameErrors || parity != m_parityErrors) ? TRUE : FALSE;
    m_frameErrors = frame;
    m_parityErrors = parity;
    return errors;
}
