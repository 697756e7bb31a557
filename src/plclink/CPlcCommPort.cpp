#include "CPlcCommPort.h"

#include "model/Crc16Modbus.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <cstring>

CPlcCommPort g_PlcCommPort;

namespace {

constexpr DWORD kWriteTimeoutMs = 3000;

const char kParityLetters[] = {'N', 'O', 'E', 'M', 'S'};

struct ReadInterval {
    int baudRate;
    int ms;
};

// Longest pause between two bytes of a reply; any other rate gets 10 ms.
const ReadInterval kReadIntervals[] = {
    {1200, 240},
    {2400, 120},
    {4800, 50},
    {9600, 20},
};

constexpr int kPercent = 100;

// A reply frame: station, letter, L, then L bytes (block number and data),
// then the checksum.
int ExpectedReplyLength(const BYTE* reply)
{
    return reply[2] + PLC_REPLY_OVERHEAD;
}

DWORD ScaledWait(DWORD ms, int percent)
{
    return static_cast<DWORD>(static_cast<unsigned long long>(ms) * static_cast<unsigned>(std::max(percent, 0)) / kPercent);
}

} // namespace

CPlcCommPort::CPlcCommPort() = default;

CPlcCommPort::~CPlcCommPort() = default;

void CPlcCommPort::CopySettings(const CPlcCommPort& other)
{
    if (&other == this)
        return;
    Station = other.Station;
    PortName = other.PortName;
    BaudRate = other.BaudRate;
    ParityIndex = other.ParityIndex;
    DataBits = other.DataBits;
    StopBits = other.StopBits;
    FlowMode = other.FlowMode;
    ReadIntervalTimeout = other.ReadIntervalTimeout;
    InputQueueSize = other.InputQueueSize;
    OutputQueueSize = other.OutputQueueSize;
    m_device.Close();
}

std::string CPlcCommPort::DeviceName(const std::string& portName)
{
    if (!portName.empty() && portName[0] == '/')
        return portName;
    if (portName.size() > 3 && portName.compare(0, 3, "COM") == 0
        && portName.find_first_not_of("0123456789", 3) == std::string::npos && portName.size() <= 6) {
        int number = std::stoi(portName.substr(3));
        if (number >= 1 && number <= 256)
            return "/dev/ttyS" + std::to_string(number - 1);
    }
    return "/dev/" + portName;
}

int CPlcCommPort::ReadIntervalFor(int baudRate)
{
    for (const ReadInterval& row : kReadIntervals) {
        if (row.baudRate == baudRate)
            return row.ms;
    }
    return 10;
}

DWORD CPlcCommPort::LockWait(DWORD ms) const
{
    return ScaledWait(ms, LockWaitPercent);
}

DWORD CPlcCommPort::SettleWait(DWORD ms) const
{
    return ScaledWait(ms, SettlePercent);
}

BOOL CPlcCommPort::OpenDevice()
{
    m_device.Close();
    m_lastOpenResult = m_device.Open(DeviceName(PortName));
    return m_lastOpenResult == CSerialDevice::OpenOk ? TRUE : FALSE;
}

BOOL CPlcCommPort::Open()
{
    if (!OpenDevice())
        return FALSE;
    // A port whose set-up fails is closed again, not left half open.
    if (!Configure()) {
        m_lastOpenResult = CSerialDevice::OpenFailed;
        m_device.Close();
        return FALSE;
    }
    ReadIntervalTimeout = ReadIntervalFor(BaudRate);
    return TRUE;
}

BOOL CPlcCommPort::OpenRaw()
{
    if (!OpenDevice())
        return FALSE;
    ReadIntervalTimeout = ReadIntervalFor(BaudRate);
    return TRUE;
}

BOOL CPlcCommPort::Configure()
{
    if (!m_device.IsOpen() || ParityIndex >= sizeof(kParityLetters))
        return FALSE;
    ParityLetter = kParityLetters[ParityIndex];
    CSerialDevice::LineSettings settings;
    settings.baudRate = BaudRate;
    settings.parity = ParityLetter;
    settings.dataBits = DataBits;
    settings.stopBits = StopBits;
    settings.flowMode = FlowMode;
    return m_device.SetLine(settings);
}

BOOL CPlcCommPort::Close()
{
    return m_device.Close();
}

BOOL CPlcCommPort::Purge()
{
    return m_device.Purge();
}

WORD CPlcCommPort::Crc16(const BYTE* data, int n)
{
    return CRC16Modbus(data, static_cast<DWORD>(n));
}

BOOL CPlcCommPort::SendFrame(int n)
{
    if (!m_device.IsOpen() || n < 0 || n + 2 > BufferSize)
        return FALSE;
    WORD crc = Crc16(TxBuffer, n);
    TxBuffer[n] = HIBYTE(crc);
    TxBuffer[n + 1] = LOBYTE(crc);
    return m_device.Write(TxBuffer, n + 2, kWriteTimeoutMs);
}

BOOL CPlcCommPort::WaitForData(DWORD eventMask, DWORD ms)
{
    if ((eventMask & EV_RXCHAR) == 0)
        return FALSE;
    return m_device.WaitReadable(ScaledWait(ms, ReplyWaitPercent));
}

// Reads on while the reply's length byte shows it incomplete and the next
// byte comes within the read-interval time-out, so a slow reply is read to
// its end instead of being taken for a checksum error.
int CPlcCommPort::ReadRestOfReply()
{
    while (m_receivedLength >= 3) {
        int expected = ExpectedReplyLength(RxBuffer);
        if (m_receivedLength >= expected || expected > BufferSize)
            return PLC_OK;
        if (!m_device.WaitReadable(static_cast<DWORD>(ReadIntervalTimeout)))
            return PLC_OK;
        int got = m_device.Read(RxBuffer + m_receivedLength, expected - m_receivedLength);
        if (got < 0)
            return PLC_RECEIVE_FAILED;
        m_receivedLength += got;
    }
    return PLC_OK;
}

int CPlcCommPort::ReceiveFrame()
{
    if (!m_device.IsOpen())
        return PLC_NOT_OPEN;
    if (m_device.TakeLineErrors())
        return PLC_LINE_ERROR;
    int queued = m_device.QueuedBytes();
    if (queued < 0)
        return PLC_RECEIVE_FAILED;
    if (queued > BufferSize)
        return PLC_OVERRUN;
    std::memset(RxBuffer, 0, sizeof(RxBuffer));
    m_receivedLength = 0;
    while (m_receivedLength < queued) {
        int got = m_device.Read(RxBuffer + m_receivedLength, queued - m_receivedLength);
        if (got <= 0)
            return PLC_RECEIVE_FAILED;
        m_receivedLength += got;
    }
    int result = ReadRestOfReply();
    if (result != PLC_OK)
        return result;
    if (Crc16(RxBuffer, m_receivedLength) != 0)
        return PLC_CHECKSUM;
    return PLC_OK;
}

int OpenPlcPort()
{
    if (g_PlcCommPort.Open())
        return PLC_OK;
    const char* text = nullptr;
    switch (g_PlcCommPort.LastOpenResult()) {
    case CSerialDevice::OpenNotFound:
        text = "The specified port does not exist.";
        break;
    case CSerialDevice::OpenBusy:
        text = "The specified port is busy now.";
        break;
    case CSerialDevice::OpenNotPermitted:
        text = "You are not permitted to use the specified port.\r\n"
               "Add your user to the group that owns the port (usually dialout) and log in again.";
        break;
    default:
        text = "Unable to initialize the port. \r\nCheck the port, communication parameters, or retry after restarting computer.";
        break;
    }
    ShowMessage("Error", text, MB_OK | MB_ICONERROR);
    return PLC_OPEN_FAILED;
}
