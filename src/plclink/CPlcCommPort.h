#pragma once
// The PC side of the serial line to the PLC: the line settings, opening and
// closing the port, one request frame with its checksum, the wait for the
// first reply byte and the reading and checking of the reply. Every PLC
// command, the monitor, the station search and the PID trend display's
// Modbus requests work through the one global instance, g_PlcCommPort.

#include "platform/CSerialDevice.h"
#include "platform/WinTypes.h"

#include <mutex>
#include <string>

// Link result codes: what every frame-level operation of the link returns.
enum PlcLinkResult {
    PLC_OK = 0,
    PLC_TIMEOUT = 1,
    PLC_WRONG_REPLY = 3,
    PLC_BLOCK_MISMATCH = 4,
    PLC_SEND_FAILED = 5,
    PLC_RECEIVE_FAILED = 6,
    PLC_CHECKSUM = 7,
    PLC_OPEN_FAILED = 8,
    PLC_LINE_ERROR = 11,
    PLC_OVERRUN = 12,
    PLC_NOT_OPEN = 13,
    PLC_SHORT_MONITOR_REPLY = 15,
    PLC_PASSWORD = 16,
    PLC_PASSWORD_CANCELLED = 18,
    PLC_UPLOAD_DISABLED = 19,
    PLC_DATA_TOO_LONG = 20,  // more than 256 blocks: the block number cannot count them
    PLC_MONITOR_ENDED = 255,
    PLC_DECLINED = -1,
    PLC_NO_MEMORY = 65535,
};

// Event mask of WaitForData: a character was received.
constexpr DWORD EV_RXCHAR = 0x0001;

// Bytes of a reply around its L bytes: station, letter, L and the two
// checksum bytes. Modbus replies of function 3 have the same shape.
constexpr int PLC_REPLY_OVERHEAD = 5;

class CPlcCommPort {
public:
    static constexpr int BufferSize = 222;

    CPlcCommPort();
    virtual ~CPlcCommPort();
    CPlcCommPort(const CPlcCommPort&) = delete;
    CPlcCommPort& operator=(const CPlcCommPort&) = delete;

    // Copies the settings (not the buffers); the copy is not open.
    void CopySettings(const CPlcCommPort& other);

    BOOL Open();
    // Opens without applying the line settings: the device keeps its rate and framing.
    BOOL OpenRaw();
    // Applies rate, parity, data and stop bits and the flow mode to the open port.
    BOOL Configure();
    BOOL Close();
    BOOL IsOpen() const { return m_device.IsOpen(); }
    // Why the last Open or OpenRaw failed.
    CSerialDevice::OpenResult LastOpenResult() const { return m_lastOpenResult; }
    // The rate the open device runs at, as its driver reports it.
    int DeviceBaudRate() const { return m_device.BaudRate(); }

    // Drops both driver queues: the start of every exchange.
    BOOL Purge();
    // Sends the first n bytes of the transmit buffer and their checksum.
    BOOL SendFrame(int n);
    // TRUE as soon as a reply byte is queued, FALSE after ms without one.
    BOOL WaitForData(DWORD eventMask, DWORD ms);
    // Reads the reply into the receive buffer and checks it: 0, 6, 7, 11, 12 or 13.
    int ReceiveFrame();
    // Bytes of the last reply in the receive buffer, checksum included.
    int ReceivedLength() const { return m_receivedLength; }

    // The checksum bytes of n bytes in line order: high byte first on the line.
    static WORD Crc16(const BYTE* data, int n);
    // The device that a port name stands for: a path as it is, "COMn" for
    // n = 1..256 the n-th serial port, any other name a device under /dev.
    static std::string DeviceName(const std::string& portName);
    // The longest pause between two bytes of one reply at a rate.
    static int ReadIntervalFor(int baudRate);

    // The PC side's own waits as really waited: a port-lock wait (also a
    // force's wait for the end of a monitor cycle) or a reply settle time
    // scaled by its percent. The line timing does not change.
    DWORD LockWait(DWORD ms) const;
    DWORD SettleWait(DWORD ms) const;

    // Held by the monitor thread for the length of each cycle's exchange and
    // by a force command that borrows the open port between two cycles, so
    // that the two never share the line even when the borrower comes late.
    std::mutex& LineInUse() { return m_lineInUse; }

    int Station = 1;
    std::string PortName = "COM1";
    int BaudRate = 9600;
    BYTE ParityIndex = 0;  // 0 none, 1 odd, 2 even, 3 mark, 4 space
    BYTE DataBits = 8;
    BYTE StopBits = 1;
    int FlowMode = 0;
    int ReadIntervalTimeout = 20;  // ms; set from the rate on every open
    BYTE TxBuffer[BufferSize] = {};
    BYTE RxBuffer[BufferSize] = {};
    DWORD InputQueueSize = 1200;
    DWORD OutputQueueSize = 1200;
    char ParityLetter = 'N';
    // 100 in the program; tests lower them so that their waits cost little.
    // The reply wait scales the wait for a reply's first byte, whatever
    // time-out the caller took (the CPU profile's, the probe's).
    int LockWaitPercent = 100;
    int SettlePercent = 100;
    int ReplyWaitPercent = 100;

private:
    BOOL OpenDevice();
    int ReadRestOfReply();

    CSerialDevice m_device;
    CSerialDevice::OpenResult m_lastOpenResult = CSerialDevice::OpenOk;
    int m_receivedLength = 0;
    std::mutex m_lineInUse;
};

extern CPlcCommPort g_PlcCommPort;

// Opens the global port; on failure tells the user why and returns 8.
int OpenPlcPort();
