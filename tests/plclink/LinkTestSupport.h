#pragma once
// Helpers of the link tests: a bare pseudo-terminal whose master side the
// test drives byte by byte, the global port pointed at a device, and short
// reply time-outs for the length of one test.

#include "platform/WinTypes.h"
#include "support/CPseudoTerminal.h"

#include <string>
#include <vector>

class CRawPty {
public:
    CRawPty();
    ~CRawPty();
    CRawPty(const CRawPty&) = delete;
    CRawPty& operator=(const CRawPty&) = delete;

    bool IsValid() const { return m_pty.IsOpen(); }
    int MasterFd() const { return m_pty.MasterFd(); }
    const std::string& SlavePath() const { return m_pty.SlavePath(); }
    void Write(const std::vector<BYTE>& bytes);
    // Reads until nothing more comes for idleMs (or nothing at all within waitMs).
    std::vector<BYTE> Read(int waitMs = 1000, int idleMs = 20);
    // Waits until at least count written bytes wait for the port to read
    // them, or until the port has read everything; FALSE when waitMs passed first.
    bool WaitArrived(int count, int waitMs = 1000);
    bool WaitTaken(int waitMs = 1000);

private:
    // The bytes that wait on the port's side; -1 when that cannot be told.
    int Queued() const;
    bool WaitFor(bool (*holds)(int queued, int count), int count, int waitMs);

    CPseudoTerminal m_pty;
};

// How much of the port-lock waits, the reply settle times and the waits for
// a reply's first byte a test really waits, in percent of the program's own.
// The shortened ones are stretched by the tests' wait factor
// (ORVEL_TEST_WAIT_SCALE, support/TestWaitScale.h), never beyond 100.
struct LinkWaitPercents {
    int lockWait;
    int settle;
    int reply;
};
constexpr LinkWaitPercents kRealWaits {100, 100, 100};
constexpr LinkWaitPercents kShortWaits {10, 10, 100};
// Also the reply time-outs that the program itself sets from the CPU's
// profile with every project (a VB16's 2000 ms become 100 ms, the 8000 ms
// of the start-up 400 ms), for tests of the whole program, which cannot hold
// them short with CScopedTimeouts. A PLC that answers is not waited for
// longer than it takes; one that does not costs this much per request.
constexpr LinkWaitPercents kShortWaitsAndReplies {10, 10, 5};

// Points the global port at a device with a rate whose settle times are the
// shortest and scales its own waits, and closes it again at the end of the
// test with the program's waits back.
class CScopedGlobalPort {
public:
    explicit CScopedGlobalPort(const std::string& device, int baudRate = 115200, LinkWaitPercents waits = kShortWaits);
    ~CScopedGlobalPort();
};

// Short first-byte waits, so that time-outs cost little; stretched by the
// tests' wait factor.
class CScopedTimeouts {
public:
    explicit CScopedTimeouts(int replyMs = 300, int probeMs = 300);
    ~CScopedTimeouts();

private:
    int m_reply;
    int m_probe;
};

// A frame with its checksum appended in line order.
std::vector<BYTE> WithCrc(std::vector<BYTE> frame);
