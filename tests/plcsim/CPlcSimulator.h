#pragma once
// A PLC on a pseudo-terminal for the link's tests: it answers the PLC's
// request/reply protocol on the master side while the code under test opens
// the slave device by its path. Identification, RUN/STOP, clock, password
// with privilege level, stored image with signature and upload lock,
// monitor blocks from a memory image, force table, and faults injected into
// chosen replies.

#include "platform/WinTypes.h"
#include "support/CPseudoTerminal.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

enum class PlcSimFault {
    BadChecksum,     // last checksum byte flipped
    WrongEcho,       // another letter in byte 1
    WrongBlock,      // block number one higher than it should be
    Stall,           // no reply at all
    ShortReply,      // a well-formed frame whose length byte claims 4 bytes more
    TruncatedReply,  // only the first half of the frame
    Status16,        // refused: password required or wrong
    Status19,        // refused: upload disabled
    SlowReply,       // one byte at a time with the slow gap between bytes
};

struct PlcSimModule {
    BYTE hardwareCode = 0;
    BYTE failureCode = 0;
};

struct PlcSimIdentity {
    BYTE firmware[3] = {5, 2, 1};
    BYTE brandFlags = 0;
    std::vector<PlcSimModule> modules = {{0x16, 0}};
    bool tagged = true;        // newer firmware: the three triples at the end
    BYTE imageVariant = 1;
    BYTE cpuModel = 7;
    BYTE edition = 0x41;       // Plus, V1.1
};

// The CPU the standalone simulator reports unless told another.
constexpr const char* PLCSIM_DEFAULT_CPU = "VB16-40AR";

// The identification of a CPU of the module catalogue by its model name
// ("VB16-40AR"): its hardware code as the first module, and the image
// variant, model code and edition of its family, so that a project made for
// that CPU downloads, uploads and compares. False for a name that is not a CPU.
bool PlcSimIdentityOfCpu(const std::string& model, PlcSimIdentity& identity);

class CPlcSimulator {
public:
    // Privilege levels: 1 full access, 2 download needs the password,
    // 3 download and upload need it.
    static constexpr BYTE LevelFull = 1;
    static constexpr BYTE LevelPartial = 2;
    static constexpr BYTE LevelMinimum = 3;

    CPlcSimulator();
    ~CPlcSimulator();
    CPlcSimulator(const CPlcSimulator&) = delete;
    CPlcSimulator& operator=(const CPlcSimulator&) = delete;

    // Opens the pseudo-terminal and starts answering; false when the system has none.
    bool Start();
    void Stop();
    // The device the link opens.
    const std::string& SlavePath() const { return m_pty.SlavePath(); }

    void SetStation(BYTE station);
    void SetIdentity(const PlcSimIdentity& identity);
    void SetRunning(bool running);
    bool Running() const;
    // Year (two digits), month, day, hour, minute, second, packed BCD.
    void SetClock(const std::vector<BYTE>& bcd);
    std::vector<BYTE> LastClockWrite() const;
    // An empty password with level 1 is an unprotected PLC. The PLC keeps
    // the enciphered block and compares what 'N' and 'O' send against it.
    void SetPassword(const std::string& password, BYTE level);
    BYTE PrivilegeLevel() const;
    std::vector<BYTE> PasswordBlock() const;
    bool Authorised() const;

    void SetImage(const std::vector<BYTE>& image);
    // The image of the last complete download, option bytes included.
    std::vector<BYTE> Image() const;
    void SetUploadDisabled(bool disabled);
    bool UploadDisabled() const;
    void SetSignature(WORD signature);

    // The memory image that monitor replies are answered from.
    void SetMemory(int offset, const std::vector<BYTE>& bytes);
    // Monitor codes of the byte, word, timer/counter and double-word lists.
    // Until they are set, a monitor read gets as many zero bytes as the
    // downloaded image's monitor block announces.
    void SetMonitorLists(const std::vector<WORD>& bytes, const std::vector<WORD>& words,
                         const std::vector<WORD>& timers, const std::vector<WORD>& dwords);
    // Status byte sent before a timer or counter's value.
    void SetTimerStatus(WORD code, BYTE status);

    void SetForceTable(const std::vector<BYTE>& table);
    std::vector<BYTE> ForceTable() const;

    // The fault hits the reply after `skip` more replies (0: the next one).
    void InjectFault(PlcSimFault fault, int skip = 0);
    void SetSlowGap(int ms);

    // Every good request frame received, checksum included.
    std::vector<std::vector<BYTE>> Requests() const;
    void ClearRequests();
    int ClearCount() const;
    // Monitor block requests answered so far.
    int MonitorReadCount() const;

private:
    struct PendingFault {
        PlcSimFault fault;
        int skip;
    };

    void Run();
    void HandleFrame(const std::vector<BYTE>& frame);
    std::vector<BYTE> Answer(BYTE letter, BYTE parameter, const std::vector<BYTE>& data);
    std::vector<BYTE> Frame(BYTE letter, BYTE status, const std::vector<BYTE>& data) const;
    std::vector<BYTE> Refused(BYTE letter, BYTE status) const;
    std::vector<BYTE> IdentityData() const;
    std::vector<BYTE> MonitorData() const;
    std::vector<BYTE> ServeBlockRead(BYTE letter, BYTE parameter, const std::vector<BYTE>& whole);
    std::vector<BYTE> TakeBlockWrite(BYTE letter, BYTE parameter, const std::vector<BYTE>& data, bool& complete);
    bool TakeFault(PlcSimFault& fault);
    void Send(std::vector<BYTE> reply, bool hasFault, PlcSimFault fault);
    void WriteAll(const BYTE* data, size_t n);
    static std::vector<BYTE> Encipher(const std::string& password);

    mutable std::mutex m_lock;
    CPseudoTerminal m_pty;
    std::thread m_thread;
    std::atomic<bool> m_stop {false};

    BYTE m_station = 1;
    PlcSimIdentity m_identity;
    bool m_running = false;
    std::vector<BYTE> m_clock = {0x26, 0x12, 0x10, 0x13, 0x00, 0x00};
    std::vector<BYTE> m_clockWrite;
    std::vector<BYTE> m_passwordBlock;
    BYTE m_level = LevelFull;
    bool m_authorised = false;
    std::vector<BYTE> m_image;
    bool m_uploadDisabled = false;
    WORD m_signature = 0;
    std::vector<BYTE> m_memory;
    bool m_monitorListsSet = false;
    std::vector<WORD> m_monitorBytes, m_monitorWords, m_monitorTimers, m_monitorDwords;
    std::map<WORD, BYTE> m_timerStatus;
    std::vector<BYTE> m_forceTable;
    std::vector<PendingFault> m_faults;
    int m_slowGapMs = 20;
    std::vector<std::vector<BYTE>> m_requests;
    int m_clearCount = 0;
    int m_monitorReads = 0;

    // Block write in progress ('F' or 'J'): the letter, the bytes so far and
    // the block number expected next (-1: none).
    BYTE m_writeLetter = 0;
    std::vector<BYTE> m_writeData;
    int m_writeNext = -1;
    // Block read in progress: the data fixed at its first block.
    std::vector<BYTE> m_readData;
    int m_readBlocks = 0;
};
