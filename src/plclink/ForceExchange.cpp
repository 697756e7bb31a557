#include "ForceExchange.h"

#include "CMonitorThread.h"
#include "CPlcCommPort.h"
#include "CPlcCommandLock.h"
#include "ForceTableLayout.h"
#include "PlcProtocol.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/SharedServices.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <mutex>

namespace {

IForceMapBuilder* g_ForceMapBuilder = nullptr;

// The codes the error box is shown with: writing and clearing the table, reading it.
constexpr char kWriteErrorCode = 74;
constexpr char kReadErrorCode = 75;

struct ForceCommand {
    int (*exchange)();
    char errorCode;
    bool noTableIsSuccess;  // 'P': a PLC without a force table refuses with a wrong reply
    bool reportsOpenFailure;  // 'P' also reports a port that cannot be opened
};

// Waits for the end of a monitor cycle, pauses the thread and exchanges on
// its open port. FALSE, with a word to the user, when no cycle ended in time.
bool BorrowMonitorPort(const ForceCommand& command, int& result)
{
    CZULAppData& app = *g_pAppData;
    if (!app.MonitorRoundEvent->Lock(g_PlcCommPort.LockWait(FORCE_ROUND_WAIT_MS))) {
        ShowMessage("Note", FORCE_NO_MONITOR_CYCLE_TEXT, MB_OK | MB_ICONINFORMATION);
        return false;
    }
    app.MonitorPause = 1;
    {
        std::lock_guard<std::mutex> line(g_PlcCommPort.LineInUse());
        result = command.exchange();
    }
    app.MonitorPause = 0;
    return true;
}

bool Succeeded(const ForceCommand& command, int result)
{
    return result == PLC_OK || (command.noTableIsSuccess && result == PLC_WRONG_REPLY);
}

// Runs one force-table command with the port arbitration; TRUE on success.
// While monitoring a failed exchange says nothing: the monitor thread
// reports a line that has gone bad.
BOOL Exchange(const ForceCommand& command)
{
    int result = PLC_OK;
    if (g_pAppData->Monitoring.load() != 0)
        return BorrowMonitorPort(command, result) && Succeeded(command, result) ? TRUE : FALSE;
    CPlcCommandLock lock;
    if (!lock.Take(FORCE_PORT_LOCK_WAIT_MS))
        return FALSE;
    result = OpenPlcPort();
    if (result != PLC_OK) {
        g_PlcCommPort.Close();
        lock.Release();
        if (command.reportsOpenFailure)
            ShowCommError(nullptr, 1, command.errorCode, result);
        return FALSE;
    }
    result = command.exchange();
    g_PlcCommPort.Close();
    lock.Release();
    if (Succeeded(command, result))
        return TRUE;
    ShowCommError(nullptr, 1, command.errorCode, result);
    return FALSE;
}

} // namespace

std::vector<BYTE> MakeEmptyForceTable(BYTE blockType)
{
    std::vector<BYTE> block(FORCE_TABLE_EMPTY_BYTES, 0);
    block[0] = LOBYTE(FORCE_TABLE_EMPTY_BYTES);
    block[1] = HIBYTE(FORCE_TABLE_EMPTY_BYTES);
    block[2] = blockType;
    block[3] = FORCE_TABLE_HEADER_BYTES;
    block[4] = blockType;
    return block;
}

int ForceTableLengthField(const std::vector<BYTE>& block)
{
    if (block.size() < 2)
        return -1;
    return block[0] | (block[1] << 8);
}

BOOL RequestForcedTable()
{
    return Exchange({PlcReadForceTable, kReadErrorCode, true, true});
}

BOOL SendForceTable()
{
    return Exchange({PlcWriteForceTable, kWriteErrorCode, false, false});
}

BOOL SendUnforceAll()
{
    return Exchange({PlcUnforceAll, kWriteErrorCode, false, false});
}

BOOL ReadForcedTable()
{
    std::vector<BYTE>& block = g_pAppData->Project.ForceTableBlock;
    block = MakeEmptyForceTable(static_cast<BYTE>(ForceTableBlockType));
    if (!RequestForcedTable())
        return FALSE;
    std::vector<ForceTableItem> items;
    const size_t imageCells = size_t(std::max(g_pAppData->Project.ForceImageSize, 0));
    if (!ParseForceTable(block, imageCells, items)) {
        ShowMessage("Error", "Received Data error.", MB_OK | MB_ICONERROR);
        return FALSE;
    }
    if (g_ForceMapBuilder != nullptr)
        g_ForceMapBuilder->RebuildForceMap(block);
    return TRUE;
}

void SetForceMapBuilder(IForceMapBuilder* builder)
{
    g_ForceMapBuilder = builder;
}
