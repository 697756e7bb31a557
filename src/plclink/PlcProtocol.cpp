#include "PlcProtocol.h"

#include "CPlcIdentification.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "platform/CUserInterface.h"
#include "platform/Tick.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct SettleRow {
    int baudRate;
    DWORD shortMs;
    DWORD longMs;
    DWORD uploadMs;
    DWORD downloadMs;
};

// Settle times by rate; the last row serves every other rate.
const SettleRow kSettleRows[] = {
    {1200, 200, 1800, 1800, 600},
    {2400, 100, 900, 900, 300},
    {4800, 100, 500, 600, 200},
    {9600, 100, 300, 300, 100},
    {0, 100, 200, 300, 100},
};

// Request: station, letter, parameter, then the request data.
constexpr int kRequestStation = 0;
constexpr int kRequestLetter = 1;
constexpr int kRequestParameter = 2;
constexpr int kHeaderBytes = 3;
// Reply: station, echoed letter, L, status or block number, then the data.
constexpr int kReplyLetter = 1;
constexpr int kReplyLength = 2;
constexpr int kReplyStatus = 3;
constexpr int kReplyData = 4;

constexpr BYTE kFirstReadBlock = 255;
constexpr BYTE kLastBlock = 0;
constexpr BYTE kStateRun = 1;
constexpr BYTE kModeStop = 0;

// An image travels with its options byte appended this many times.
constexpr size_t kOptionCopies = 3;

// The download's share of the progress bar: a step for stopping the PLC,
// then the blocks spread over the rest.
constexpr int kProgressAfterStop = 5;
constexpr double kProgressForBlocks = 60.0;

constexpr BYTE kPasswordStatus = 16;
constexpr BYTE kUploadDisabledStatus = 19;
constexpr BYTE kProbeAnswer = 0x55;

DWORD ReplyWait()
{
    return static_cast<DWORD>(ReplyTimeout);
}

// The common exchange of every command: request header, purge, send, wait
// for the first reply byte, settle, read and check the reply. The reply's
// length byte must agree with what arrived (a short or lying reply is a
// wrong reply) before anyone reads its data.
int Transact(BYTE letter, BYTE parameter, int dataLength, DWORD waitMs, PlcSettleSchedule schedule)
{
    CPlcCommPort& port = g_PlcCommPort;
    port.TxBuffer[kRequestStation] = LOBYTE(port.Station);
    port.TxBuffer[kRequestLetter] = letter;
    port.TxBuffer[kRequestParameter] = parameter;
    port.Purge();
    if (!port.SendFrame(kHeaderBytes + dataLength))
        return PLC_SEND_FAILED;
    if (!port.WaitForData(EV_RXCHAR, waitMs))
        return PLC_TIMEOUT;
    Sleep(port.SettleWait(PlcSettleTime(schedule, port.BaudRate)));
    int result = port.ReceiveFrame();
    if (result != PLC_OK)
        return result;
    int length = port.RxBuffer[kReplyLength];
    if (length < 1 || port.ReceivedLength() != length + PLC_REPLY_OVERHEAD)
        return PLC_WRONG_REPLY;
    return PLC_OK;
}

bool Echoes(BYTE letter)
{
    return g_PlcCommPort.RxBuffer[kReplyLetter] == letter;
}

// One frame whose reply must echo the letter and carry at least minData data bytes.
int SingleFrame(BYTE letter, int dataLength, DWORD waitMs, PlcSettleSchedule schedule, int minData = 0)
{
    int result = Transact(letter, 0, dataLength, waitMs, schedule);
    if (result != PLC_OK)
        return result;
    if (!Echoes(letter) || PlcReplyDataLength() < minData)
        return PLC_WRONG_REPLY;
    return PLC_OK;
}

// What a refused first reply says: its status when the command knows it.
int RefusalOf(bool statusAllowed, bool uploadStatus)
{
    if (!statusAllowed)
        return PLC_WRONG_REPLY;
    BYTE status = PlcReplyStatus();
    if (status == kPasswordStatus)
        return PLC_PASSWORD;
    if (uploadStatus && status == kUploadDisabledStatus)
        return PLC_UPLOAD_DISABLED;
    return PLC_WRONG_REPLY;
}

struct BlockWritePlan {
    BYTE letter;
    DWORD waitMs;
    PlcSettleSchedule schedule;
    bool passwordOnFirst;          // a refused first block may carry status 16
    IDownloadProgress* progress;   // advanced before each block when set
    double progressStep;
};

int BlockWrite(const BlockWritePlan& plan, const BYTE* data, size_t size)
{
    if (size == 0)
        return PLC_OK;
    size_t whole = size / PLC_BLOCK_BYTES;
    size_t remainder = size % PLC_BLOCK_BYTES;
    size_t blocks = remainder != 0 ? whole + 1 : whole;
    if (blocks > PLC_MAX_BLOCKS)
        return PLC_DATA_TOO_LONG;
    double position = plan.progress != nullptr ? plan.progress->ProgressPosition() : 0.0;
    size_t offset = 0;
    for (size_t k = blocks; k-- > 0;) {
        size_t count = (k == 0 && remainder != 0) ? remainder : PLC_BLOCK_BYTES;
        if (plan.progress != nullptr) {
            position += plan.progressStep;
            plan.progress->SetProgressPosition(static_cast<int>(position));
        }
        std::memcpy(g_PlcCommPort.TxBuffer + kHeaderBytes, data + offset, count);
        offset += count;
        BYTE blockNumber = static_cast<BYTE>(k);
        int result = Transact(plan.letter, blockNumber, static_cast<int>(count), plan.waitMs, plan.schedule);
        if (result != PLC_OK)
            return result;
        if (!Echoes(plan.letter))
            return RefusalOf(plan.passwordOnFirst && k == blocks - 1, false);
        if (PlcReplyStatus() != blockNumber)
            return PLC_BLOCK_MISMATCH;
    }
    return PLC_OK;
}

int BlockRead(BYTE letter, DWORD waitMs, PlcSettleSchedule schedule, bool statusOnFirst, std::vector<BYTE>& result)
{
    result.clear();
    BYTE block = kFirstReadBlock;
    bool first = true;
    for (;;) {
        int code = Transact(letter, block, 0, waitMs, schedule);
        if (code == PLC_OK && !Echoes(letter))
            code = RefusalOf(statusOnFirst && first, true);
        if (code == PLC_OK && !first && PlcReplyStatus() != block)
            code = PLC_BLOCK_MISMATCH;
        if (code != PLC_OK) {
            result.clear();
            return code;
        }
        const BYTE* data = PlcReplyData();
        result.insert(result.end(), data, data + PlcReplyDataLength());
        BYTE status = PlcReplyStatus();
        if (status == kLastBlock)
            return PLC_OK;
        block = static_cast<BYTE>(status - 1);
        first = false;
    }
}

// Asks before a running PLC is stopped for the download.
int StopRunningPlc()
{
    int result = PlcReadState();
    if (result != PLC_OK)
        return result;
    if (PlcReplyData()[0] != kStateRun)
        return PLC_OK;
    int answer = ShowMessage("Note",
        " The PLC is now in RUN mode.\r\nDo you want to place it in STOP mode and continue to download?",
        MB_YESNO | MB_ICONQUESTION);
    if (answer != IDYES)
        return PLC_DECLINED;
    return PlcSetRunStop(kModeStop);
}

int ObjectFileOpenFailed(int error)
{
    if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == EINVAL) {
        ShowMessage("Error", "The object file do not exist.\r\nPlease retry to compile or contact with us.",
                    MB_OK | MB_ICONERROR);
        return PLC_DECLINED;
    }
    ShowMessage("System Error", "Failed to access the object file.\r\nPlease retry after restarting computer.",
                MB_OK | MB_ICONERROR);
    return PLC_DECLINED;
}

// Reads the whole object file into the buffer with room for the option
// bytes; an error number, or ENOMEM when the buffer cannot be had.
int ReadObjectFile(const std::string& path, std::vector<BYTE>& buffer)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat info {};
    int error = 0;
    if (fstat(fd, &info) != 0)
        error = errno;
    else if (!S_ISREG(info.st_mode))
        error = EISDIR;
    if (error == 0) {
        try {
            buffer.assign(static_cast<size_t>(info.st_size) + kOptionCopies, 0);
        } catch (const std::bad_alloc&) {
            error = ENOMEM;
        }
    }
    size_t done = 0;
    size_t fileSize = buffer.size() - kOptionCopies;
    while (error == 0 && done < fileSize) {
        ssize_t got = ::read(fd, buffer.data() + done, fileSize - done);
        if (got <= 0)
            error = got < 0 ? errno : EIO;
        else
            done += static_cast<size_t>(got);
    }
    ::close(fd);
    return error;
}

} // namespace

DWORD PlcSettleTime(PlcSettleSchedule schedule, int baudRate)
{
    const SettleRow* row = &kSettleRows[std::size(kSettleRows) - 1];
    for (const SettleRow& candidate : kSettleRows) {
        if (candidate.baudRate == baudRate) {
            row = &candidate;
            break;
        }
    }
    switch (schedule) {
    case SETTLE_SHORT:
        return row->shortMs;
    case SETTLE_LONG:
        return row->longMs;
    case SETTLE_UPLOAD:
        return row->uploadMs;
    case SETTLE_DOWNLOAD:
        return row->downloadMs;
    }
    return row->longMs;
}

const BYTE* PlcReplyData()
{
    return g_PlcCommPort.RxBuffer + kReplyData;
}

int PlcReplyDataLength()
{
    int length = g_PlcCommPort.RxBuffer[kReplyLength];
    return length > 0 ? length - 1 : 0;
}

BYTE PlcReplyStatus()
{
    return g_PlcCommPort.RxBuffer[kReplyStatus];
}

int PlcReadInfo()
{
    int result = SingleFrame('E', 0, ReplyWait(), SETTLE_LONG);
    if (result != PLC_OK)
        return result;
    CPlcIdentification identification;
    return identification.Parse(PlcReplyData(), PlcReplyDataLength()) ? PLC_OK : PLC_WRONG_REPLY;
}

int PlcClear()
{
    int result = Transact('I', 0, 0, 2 * ReplyWait(), SETTLE_SHORT);
    if (result == PLC_SEND_FAILED || result == PLC_TIMEOUT || result == PLC_WRONG_REPLY)
        return result;
    if (result != PLC_OK)
        return PLC_RECEIVE_FAILED;
    return Echoes('I') ? PLC_OK : PLC_WRONG_REPLY;
}

int PlcSetRunStop(BYTE mode)
{
    g_PlcCommPort.TxBuffer[kHeaderBytes] = mode;
    return SingleFrame('B', 1, ReplyWait(), SETTLE_SHORT);
}

int PlcReadClock()
{
    return SingleFrame('C', 0, ReplyWait(), SETTLE_SHORT, 6);
}

int PlcWriteClock()
{
    return SingleFrame('D', 8, ReplyWait(), SETTLE_SHORT);
}

int PlcReadState()
{
    return SingleFrame('A', 0, ReplyWait(), SETTLE_SHORT, 1);
}

int PlcSendPassword()
{
    return SingleFrame('N', 8, ReplyWait(), SETTLE_SHORT);
}

int PlcChangePassword()
{
    return SingleFrame('O', 17, ReplyWait(), SETTLE_SHORT);
}

int PlcReadSignature()
{
    return SingleFrame('H', 0, ReplyWait(), SETTLE_SHORT, 2);
}

int PlcUnforceAll()
{
    return SingleFrame('K', 0, ReplyWait(), SETTLE_SHORT);
}

int PlcProbe()
{
    int result = SingleFrame('@', 0, static_cast<DWORD>(ProbeTimeout), SETTLE_SHORT, 1);
    if (result != PLC_OK)
        return result;
    return PlcReplyData()[0] == kProbeAnswer ? PLC_OK : PLC_WRONG_REPLY;
}

int PlcBlockWrite(BYTE letter, const std::vector<BYTE>& data)
{
    BlockWritePlan plan {letter, ReplyWait(), SETTLE_SHORT, false, nullptr, 0.0};
    return BlockWrite(plan, data.data(), data.size());
}

int PlcBlockRead(BYTE letter, std::vector<BYTE>& result)
{
    return BlockRead(letter, ReplyWait(), SETTLE_LONG, false, result);
}

int PlcUploadInto(std::vector<BYTE>& transfer)
{
    return BlockRead('G', ReplyWait(), SETTLE_UPLOAD, true, transfer);
}

int PlcWriteForceTableFrom(const std::vector<BYTE>& forceTable)
{
    return PlcBlockWrite('J', forceTable);
}

int PlcReadForceTableInto(std::vector<BYTE>& forceTable)
{
    std::vector<BYTE> table;
    int result = BlockRead('P', 3 * ReplyWait(), SETTLE_LONG, false, table);
    if (result == PLC_OK)
        forceTable = std::move(table);
    return result;
}

int PlcDownloadFile(const std::string& objectFile, IDownloadProgress* progress, BYTE options)
{
    int result = StopRunningPlc();
    if (result != PLC_OK)
        return result;
    if (progress != nullptr)
        progress->SetProgressPosition(progress->ProgressPosition() + kProgressAfterStop);
    std::vector<BYTE> image;
    int error = ReadObjectFile(objectFile, image);
    if (error == ENOMEM)
        return PLC_NO_MEMORY;
    if (error != 0)
        return ObjectFileOpenFailed(error);
    std::memset(image.data() + image.size() - kOptionCopies, options, kOptionCopies);
    // Images under one block still advance the bar by one whole step.
    size_t steps = image.size() / PLC_BLOCK_BYTES;
    BlockWritePlan plan {'F', ReplyWait(), SETTLE_DOWNLOAD, true, progress, kProgressForBlocks / static_cast<double>(steps > 0 ? steps : 1)};
    return BlockWrite(plan, image.data(), image.size());
}

std::string ProjectObjectFilePath()
{
    const CZULProject& project = g_pAppData->Project;
    return project.ProjectFolder + "/" + project.ProjectName + ".obj";
}

int PlcDownload(IDownloadProgress* progress, BYTE options)
{
    return PlcDownloadFile(ProjectObjectFilePath(), progress, options);
}

int PlcUpload()
{
    return PlcUploadInto(g_pAppData->Project.TransferBuffer);
}

int PlcWriteForceTable()
{
    return PlcWriteForceTableFrom(g_pAppData->Project.ForceTableBlock);
}

int PlcReadForceTable()
{
    return PlcReadForceTableInto(g_pAppData->Project.ForceTableBlock);
}
