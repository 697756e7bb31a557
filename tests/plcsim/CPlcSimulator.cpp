#include "CPlcSimulator.h"

#include "model/CModuleCatalogEntry.h"
#include "model/CpuProfile.h"
#include "model/Crc16Modbus.h"
#include "plclink/CIdeaCipher.h"
#include "platform/Tick.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace {

constexpr int kBlockBytes = 200;
constexpr int kFrameGapMs = 5;  // a pause this long ends a request frame
constexpr BYTE kPasswordStatus = 16;
constexpr BYTE kUploadDisabledStatus = 19;

void AppendWord(std::vector<BYTE>& out, const std::vector<BYTE>& memory, int at, int bytes)
{
    for (int k = 0; k < bytes; ++k) {
        size_t index = static_cast<size_t>(at + k);
        out.push_back(index < memory.size() ? memory[index] : 0);
    }
}

// The reply turned into a refusal with a status, as the PLC refuses a request.
std::vector<BYTE> ReRefuse(const std::vector<BYTE>& reply, BYTE status)
{
    std::vector<BYTE> refused = {reply[0], static_cast<BYTE>(reply[1] + 0x80), 1, status};
    WORD crc = CRC16Modbus(refused.data(), static_cast<DWORD>(refused.size()));
    refused.push_back(HIBYTE(crc));
    refused.push_back(LOBYTE(crc));
    return refused;
}

// The project signature that a downloaded image carries in the last two
// bytes of its directory block, whose length is the image's first word; 0
// for an image too short to hold it.
WORD StoredSignature(const std::vector<BYTE>& image)
{
    if (image.size() < 2)
        return 0;
    const size_t directoryBytes = image[0] | (image[1] << 8);
    if (directoryBytes < 2 || directoryBytes > image.size())
        return 0;
    return static_cast<WORD>(image[directoryBytes - 2] | (image[directoryBytes - 1] << 8));
}

constexpr size_t kImageBlockHeaderBytes = 6;
constexpr BYTE kMonitorBlockNumber = 8;

// The length of the monitor reply that a downloaded image announces: the
// last word of its monitor block. The image's blocks follow each other, each
// beginning with its size word and carrying its number in byte 2; 0 for an
// image without a readable monitor block.
size_t AnnouncedMonitorReplyLength(const std::vector<BYTE>& image)
{
    size_t at = 0;
    while (at + kImageBlockHeaderBytes <= image.size()) {
        const size_t size = image[at] | (image[at + 1] << 8);
        if (size < kImageBlockHeaderBytes + 2 || at + size > image.size())
            return 0;
        if (image[at + 2] == kMonitorBlockNumber)
            return image[at + size - 2] | (image[at + size - 1] << 8);
        at += size;
    }
    return 0;
}

} // namespace

CPlcSimulator::CPlcSimulator()
    : m_passwordBlock(Encipher("")), m_memory(8192, 0)
{
}

CPlcSimulator::~CPlcSimulator()
{
    Stop();
}

std::vector<BYTE> CPlcSimulator::Encipher(const std::string& password)
{
    std::vector<BYTE> block(CIdeaCipher::BlockBytes);
    CIdeaCipher::MakePasswordBlock(password, block.data());
    CIdeaCipher cipher;
    cipher.SetKey(CIdeaCipher::ProgramKey());
    cipher.EncryptBlock(block.data());
    return block;
}

bool CPlcSimulator::Start()
{
    if (!m_pty.Open())
        return false;
    m_stop.store(false);
    m_thread = std::thread([this] { Run(); });
    return true;
}

void CPlcSimulator::Stop()
{
    m_stop.store(true);
    if (m_thread.joinable())
        m_thread.join();
    m_pty.Close();
}

void CPlcSimulator::Run()
{
    std::vector<BYTE> frame;
    while (!m_stop.load()) {
        pollfd p {m_pty.MasterFd(), POLLIN, 0};
        int wait = frame.empty() ? 20 : kFrameGapMs;
        int ready = poll(&p, 1, wait);
        if (ready > 0 && (p.revents & POLLIN) != 0) {
            BYTE buffer[512];
            ssize_t got = ::read(m_pty.MasterFd(), buffer, sizeof(buffer));
            if (got > 0)
                frame.insert(frame.end(), buffer, buffer + got);
            continue;
        }
        if (ready > 0)
            Sleep(5);
        if (!frame.empty()) {
            HandleFrame(frame);
            frame.clear();
        }
    }
}

void CPlcSimulator::HandleFrame(const std::vector<BYTE>& frame)
{
    if (frame.size() < 5 || CRC16Modbus(frame.data(), static_cast<DWORD>(frame.size())) != 0)
        return;
    std::vector<BYTE> reply;
    PlcSimFault fault = PlcSimFault::Stall;
    bool hasFault = false;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_requests.push_back(frame);
        if (frame[0] != m_station)
            return;
        std::vector<BYTE> data(frame.begin() + 3, frame.end() - 2);
        reply = Answer(frame[1], frame[2], data);
        if (reply.empty())
            return;
        hasFault = TakeFault(fault);
    }
    Send(std::move(reply), hasFault, fault);
}

bool CPlcSimulator::TakeFault(PlcSimFault& fault)
{
    bool found = false;
    for (auto it = m_faults.begin(); it != m_faults.end();) {
        if (it->skip == 0 && !found) {
            fault = it->fault;
            found = true;
            it = m_faults.erase(it);
            continue;
        }
        if (it->skip > 0)
            --it->skip;
        ++it;
    }
    return found;
}

std::vector<BYTE> CPlcSimulator::Frame(BYTE letter, BYTE status, const std::vector<BYTE>& data) const
{
    std::vector<BYTE> reply = {m_station, letter, static_cast<BYTE>(data.size() + 1), status};
    reply.insert(reply.end(), data.begin(), data.end());
    WORD crc = CRC16Modbus(reply.data(), static_cast<DWORD>(reply.size()));
    reply.push_back(HIBYTE(crc));
    reply.push_back(LOBYTE(crc));
    return reply;
}

std::vector<BYTE> CPlcSimulator::Refused(BYTE letter, BYTE status) const
{
    return Frame(static_cast<BYTE>(letter + 0x80), status, {});
}

namespace {

// What a tagged identification carries for each CPU family: its first model
// code, the image variant of its profile and the edition its upload accepts.
struct PlcSimFamily {
    DWORD familyBit;
    BYTE firstModel;
    BYTE lastModel;
    BYTE imageVariant;
    BYTE edition;
};

constexpr PlcSimFamily kFamilies[] = {
    {CPU_FAMILY_VB12, 1, 3, PROFILE_SUBTYPE_VB, 1},
    {CPU_FAMILY_VB14, 4, 8, PROFILE_SUBTYPE_VB, 1},
    {CPU_FAMILY_VB14EX, 9, 11, PROFILE_SUBTYPE_VB16, 1},
    {CPU_FAMILY_VB16, 12, 15, PROFILE_SUBTYPE_VB16, 1},
    {CPU_FAMILY_VA10, 16, 16, PROFILE_SUBTYPE_VA10, 0},
    {CPU_FAMILY_VC14, 17, 19, PROFILE_SUBTYPE_VC, 2},
    {CPU_FAMILY_VC16, 20, 23, PROFILE_SUBTYPE_VC, 2},
};

} // namespace

bool PlcSimIdentityOfCpu(const std::string& model, PlcSimIdentity& identity)
{
    for (int row = 0; row < MODULE_CATALOG_CPU_ROWS; ++row) {
        const CModuleCatalogEntry& cpu = ModuleCatalog[row];
        if (model != cpu.model)
            continue;
        const DWORD familyBit = CpuFamilyMaskOfIndex(CpuFamilyIndexFromHardwareCode(cpu.hardwareCode));
        // The CPUs of a family take its model codes in catalogue order.
        int position = 0;
        for (int before = 0; before < row; ++before) {
            if (CpuFamilyMaskOfIndex(CpuFamilyIndexFromHardwareCode(ModuleCatalog[before].hardwareCode)) == familyBit)
                ++position;
        }
        for (const PlcSimFamily& family : kFamilies) {
            if (family.familyBit != familyBit)
                continue;
            identity.modules = {{cpu.hardwareCode, 0}};
            // A VA10 reports firmware 1.9.5, which alone selects its profile;
            // a zero tag does not count, so its image variant tag is not zero.
            if (familyBit == CPU_FAMILY_VA10) {
                identity.firmware[0] = 1;
                identity.firmware[1] = 9;
                identity.firmware[2] = 5;
            }
            identity.imageVariant = family.imageVariant != 0 ? family.imageVariant : PROFILE_SUBTYPE_VB16;
            identity.cpuModel = static_cast<BYTE>(std::min(family.firstModel + position, int(family.lastModel)));
            identity.edition = family.edition;
            return true;
        }
    }
    return false;
}

std::vector<BYTE> CPlcSimulator::IdentityData() const
{
    const PlcSimIdentity& id = m_identity;
    std::vector<BYTE> data = {id.firmware[0], id.firmware[1], id.firmware[2], id.brandFlags,
                              static_cast<BYTE>(id.modules.size())};
    for (const PlcSimModule& module : id.modules) {
        data.push_back(module.hardwareCode);
        data.push_back(module.failureCode);
    }
    if (!id.tagged)
        return data;
    for (BYTE tag : {id.imageVariant, id.cpuModel, id.edition})
        data.insert(data.end(), 3, tag);
    return data;
}

std::vector<BYTE> CPlcSimulator::MonitorData() const
{
    // Nobody told the monitor codes' sizes: a reply of the announced length.
    if (!m_monitorListsSet)
        return std::vector<BYTE>(AnnouncedMonitorReplyLength(m_image), 0);
    std::vector<BYTE> data;
    for (WORD code : m_monitorBytes)
        AppendWord(data, m_memory, code, 1);
    for (WORD code : m_monitorWords)
        AppendWord(data, m_memory, code, 2);
    for (WORD code : m_monitorTimers) {
        auto status = m_timerStatus.find(code);
        data.push_back(status != m_timerStatus.end() ? status->second : 0);
        AppendWord(data, m_memory, code, 2);
    }
    for (WORD code : m_monitorDwords)
        AppendWord(data, m_memory, code, 4);
    return data;
}

// The first request (block 255) fixes the data and is answered with its
// first piece, numbered with the count of pieces that follow.
std::vector<BYTE> CPlcSimulator::ServeBlockRead(BYTE letter, BYTE parameter, const std::vector<BYTE>& whole)
{
    if (parameter == 255) {
        m_readData = whole;
        m_readBlocks = std::max<int>(1, static_cast<int>((whole.size() + kBlockBytes - 1) / kBlockBytes));
        parameter = static_cast<BYTE>(m_readBlocks - 1);
    }
    if (parameter >= m_readBlocks)
        return Refused(letter, parameter);
    size_t start = static_cast<size_t>(m_readBlocks - 1 - parameter) * kBlockBytes;
    size_t end = std::min(m_readData.size(), start + kBlockBytes);
    std::vector<BYTE> piece(m_readData.begin() + static_cast<long>(std::min(start, end)), m_readData.begin() + static_cast<long>(end));
    return Frame(letter, parameter, piece);
}

// Collects a block write; a block out of the expected order starts a new transfer.
std::vector<BYTE> CPlcSimulator::TakeBlockWrite(BYTE letter, BYTE parameter, const std::vector<BYTE>& data, bool& complete)
{
    if (m_writeNext < 0 || m_writeLetter != letter || parameter != m_writeNext) {
        m_writeLetter = letter;
        m_writeData.clear();
    }
    m_writeData.insert(m_writeData.end(), data.begin(), data.end());
    m_writeNext = parameter - 1;
    complete = parameter == 0;
    return Frame(letter, parameter, {});
}

std::vector<BYTE> CPlcSimulator::Answer(BYTE letter, BYTE parameter, const std::vector<BYTE>& data)
{
    bool complete = false;
    std::vector<BYTE> reply;
    switch (letter) {
    case 'E':
        return Frame(letter, 0, IdentityData());
    case 'I':
        ++m_clearCount;
        m_image.clear();
        m_signature = 0;
        m_forceTable.clear();
        m_running = false;
        return Frame(letter, 0, {});
    case 'B':
        if (data.size() != 1)
            return Refused(letter, 0);
        m_running = data[0] == 1;
        return Frame(letter, 0, {});
    case 'C':
        return Frame(letter, 0, m_clock);
    case 'D':
        if (data.size() != 8)
            return Refused(letter, 0);
        m_clockWrite = data;
        return Frame(letter, 0, {});
    case 'A':
        return Frame(letter, 0, {static_cast<BYTE>(m_running ? 1 : 0)});
    case 'N':
        if (data.size() != 8)
            return Refused(letter, 0);
        m_authorised = data == m_passwordBlock;
        return Frame(letter, 0, {});
    case 'O':
        if (data.size() != 17 || !std::equal(m_passwordBlock.begin(), m_passwordBlock.end(), data.begin()))
            return Refused(letter, kPasswordStatus);
        m_level = data[8];
        m_passwordBlock.assign(data.begin() + 9, data.end());
        return Frame(letter, 0, {});
    case 'F':
        if (m_level >= LevelPartial && !m_authorised)
            return Refused(letter, kPasswordStatus);
        reply = TakeBlockWrite(letter, parameter, data, complete);
        if (complete) {
            m_image = m_writeData;
            m_uploadDisabled = m_image.size() >= 3 && (m_image.back() & 1) != 0;
            m_signature = StoredSignature(m_image);
        }
        return reply;
    case 'G':
        if (m_uploadDisabled)
            return Refused(letter, kUploadDisabledStatus);
        if (m_level >= LevelMinimum && !m_authorised)
            return Refused(letter, kPasswordStatus);
        return ServeBlockRead(letter, parameter, m_image);
    case 'H':
        return Frame(letter, 0, {LOBYTE(m_signature), HIBYTE(m_signature)});
    case 'L':
        ++m_monitorReads;
        return ServeBlockRead(letter, parameter, MonitorData());
    case 'J':
        reply = TakeBlockWrite(letter, parameter, data, complete);
        if (complete)
            m_forceTable = m_writeData;
        return reply;
    case 'K':
        m_forceTable.clear();
        return Frame(letter, 0, {});
    case 'P':
        if (m_forceTable.empty())
            return Refused(letter, 0);
        return ServeBlockRead(letter, parameter, m_forceTable);
    case '@':
        return Frame(letter, 0, {0x55});
    default:
        return {};
    }
}

void CPlcSimulator::WriteAll(const BYTE* data, size_t n)
{
    size_t done = 0;
    while (done < n && !m_stop.load()) {
        ssize_t written = ::write(m_pty.MasterFd(), data + done, n - done);
        if (written > 0) {
            done += static_cast<size_t>(written);
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR)
            return;
        pollfd p {m_pty.MasterFd(), POLLOUT, 0};
        poll(&p, 1, 20);
    }
}

void CPlcSimulator::Send(std::vector<BYTE> reply, bool hasFault, PlcSimFault fault)
{
    auto reseal = [&reply] {
        size_t body = reply.size() - 2;
        WORD crc = CRC16Modbus(reply.data(), static_cast<DWORD>(body));
        reply[body] = HIBYTE(crc);
        reply[body + 1] = LOBYTE(crc);
    };
    if (hasFault) {
        switch (fault) {
        case PlcSimFault::Stall:
            return;
        case PlcSimFault::BadChecksum:
            reply.back() ^= 0x5A;
            break;
        case PlcSimFault::WrongEcho:
            reply[1] ^= 0x20;
            reseal();
            break;
        case PlcSimFault::WrongBlock:
            reply[3] = static_cast<BYTE>(reply[3] + 1);
            reseal();
            break;
        case PlcSimFault::ShortReply:
            reply[2] = static_cast<BYTE>(reply[2] + 4);
            reseal();
            break;
        case PlcSimFault::TruncatedReply:
            reply.resize(std::max<size_t>(2, reply.size() / 2));
            break;
        case PlcSimFault::Status16:
            reply = ReRefuse(reply, kPasswordStatus);
            break;
        case PlcSimFault::Status19:
            reply = ReRefuse(reply, kUploadDisabledStatus);
            break;
        case PlcSimFault::SlowReply: {
            int gap = 0;
            {
                std::lock_guard<std::mutex> hold(m_lock);
                gap = m_slowGapMs;
            }
            for (BYTE b : reply) {
                WriteAll(&b, 1);
                Sleep(static_cast<DWORD>(gap));
            }
            return;
        }
        }
    }
    WriteAll(reply.data(), reply.size());
}

void CPlcSimulator::SetStation(BYTE station)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_station = station;
}

void CPlcSimulator::SetIdentity(const PlcSimIdentity& identity)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_identity = identity;
}

void CPlcSimulator::SetRunning(bool running)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_running = running;
}

bool CPlcSimulator::Running() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_running;
}

void CPlcSimulator::SetClock(const std::vector<BYTE>& bcd)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_clock = bcd;
}

std::vector<BYTE> CPlcSimulator::LastClockWrite() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_clockWrite;
}

void CPlcSimulator::SetPassword(const std::string& password, BYTE level)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_passwordBlock = Encipher(password);
    m_level = level;
    m_authorised = false;
}

BYTE CPlcSimulator::PrivilegeLevel() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_level;
}

std::vector<BYTE> CPlcSimulator::PasswordBlock() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_passwordBlock;
}

bool CPlcSimulator::Authorised() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_authorised;
}

void CPlcSimulator::SetImage(const std::vector<BYTE>& image)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_image = image;
}

std::vector<BYTE> CPlcSimulator::Image() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_image;
}

void CPlcSimulator::SetUploadDisabled(bool disabled)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_uploadDisabled = disabled;
}

bool CPlcSimulator::UploadDisabled() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_uploadDisabled;
}

void CPlcSimulator::SetSignature(WORD signature)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_signature = signature;
}

void CPlcSimulator::SetMemory(int offset, const std::vector<BYTE>& bytes)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_memory.size() < offset + bytes.size())
        m_memory.resize(offset + bytes.size(), 0);
    std::copy(bytes.begin(), bytes.end(), m_memory.begin() + offset);
}

void CPlcSimulator::SetMonitorLists(const std::vector<WORD>& bytes, const std::vector<WORD>& words,
                                    const std::vector<WORD>& timers, const std::vector<WORD>& dwords)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_monitorListsSet = true;
    m_monitorBytes = bytes;
    m_monitorWords = words;
    m_monitorTimers = timers;
    m_monitorDwords = dwords;
}

void CPlcSimulator::SetTimerStatus(WORD code, BYTE status)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_timerStatus[code] = status;
}

void CPlcSimulator::SetForceTable(const std::vector<BYTE>& table)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_forceTable = table;
}

std::vector<BYTE> CPlcSimulator::ForceTable() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_forceTable;
}

void CPlcSimulator::InjectFault(PlcSimFault fault, int skip)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_faults.push_back({fault, skip});
}

void CPlcSimulator::SetSlowGap(int ms)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_slowGapMs = ms;
}

std::vector<std::vector<BYTE>> CPlcSimulator::Requests() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_requests;
}

void CPlcSimulator::ClearRequests()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_requests.clear();
}

int CPlcSimulator::ClearCount() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_clearCount;
}

int CPlcSimulator::MonitorReadCount() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_monitorReads;
}
