#pragma once
// A serial device of the operating system (POSIX termios): opened for this
// process alone, raw, non-blocking; written and read in whole buffers, waited
// on with poll(). The PLC link's port object builds its exchanges on it.

#include "WinTypes.h"

#include <string>

class CSerialDevice {
public:
    // Why an open failed, as the user is told.
    enum OpenResult { OpenOk = 0, OpenNotFound, OpenBusy, OpenNotPermitted, OpenFailed };

    // Line settings: bits per second, parity letter 'N', 'O', 'E', 'M' or 'S',
    // data bits 5..8, stop bits 1 or 2, and the flow mode 0..5 (0 none, 1 and
    // 2 RTS/CTS, 3 and 4 DSR flow, which this system has no driver support for
    // and runs without, 5 XON/XOFF).
    struct LineSettings {
        int baudRate = 9600;
        char parity = 'N';
        int dataBits = 8;
        int stopBits = 1;
        int flowMode = 0;
    };

    // The driver's constant (a termios speed_t) for a rate it knows by
    // constant; FALSE for any other rate, which is set through termios2.
    static BOOL StandardSpeed(int baudRate, unsigned int& code);

    CSerialDevice() = default;
    ~CSerialDevice();
    CSerialDevice(const CSerialDevice&) = delete;
    CSerialDevice& operator=(const CSerialDevice&) = delete;

    // Opens the device read/write, refuses it when another program holds it,
    // and makes it raw (no echo, no line editing) keeping rate and framing.
    OpenResult Open(const std::string& path);
    BOOL IsOpen() const { return m_fd >= 0; }
    // FALSE when the device was not open.
    BOOL Close();
    // The operating system's error number of the last failing call.
    int LastError() const { return m_lastError; }

    BOOL SetLine(const LineSettings& settings);
    // The output rate the device runs at, read back from the driver; 0 when unknown.
    int BaudRate() const;

    // Drops what waits in both driver queues.
    BOOL Purge();
    // Writes all n bytes; FALSE when that does not complete within timeoutMs.
    BOOL Write(const BYTE* data, int n, DWORD timeoutMs);
    // TRUE as soon as a byte can be read, FALSE after timeoutMs without one.
    BOOL WaitReadable(DWORD timeoutMs);
    // Bytes waiting in the receive queue; -1 when the driver cannot tell.
    int QueuedBytes();
    // Reads what is there, up to n bytes, without waiting; -1 on failure or a negative n.
    int Read(BYTE* data, int n);
    // TRUE when the driver counted parity or framing errors since the last call.
    BOOL TakeLineErrors();

private:
    BOOL Fail();
    void ReadErrorCounts(long& frame, long& parity) const;

    int m_fd = -1;
    int m_lastError = 0;
    long m_frameErrors = 0;
    long m_parityErrors = 0;
};

// Rates outside the driver's standard constants (187500 for the PLC's fast
// line) go through termios2 with BOTHER, kept apart in SerialCustomRate.cpp
// because its kernel header cannot meet <termios.h> in one file.
BOOL SetCustomBaudRate(int fd, int baudRate);
int GetDeviceBaudRate(int fd);
