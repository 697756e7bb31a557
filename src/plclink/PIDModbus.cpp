#include "PIDModbus.h"

#include "CPlcCommPort.h"
#include "PlcProtocol.h"
#include "model/CpuProfile.h"
#include "platform/Tick.h"

#include <cstring>
#include <iterator>
#include <algorithm>
#include <mutex>

namespace {

constexpr int kLoopCount = 8;
constexpr int kRegisterCount = 50;
constexpr int kImageBytes = 2 * kRegisterCount;
constexpr int kRequestBytes = 6;
constexpr DWORD kRequestPollMs = 10;

struct CoilKind {
    int base;   // coil of loop 0
    WORD value; // what function 5 writes
};

// Coil kinds 1 to 4.
const CoilKind kCoilKinds[] = {
    {560, 0xFF00},
    {560, 0x0000},
    {568, 0xFF00},
    {568, 0x0000},
};

int FirstRegisterOf(int loop)
{
    return (29 - loop) * 50 + 100;
}

void PutWord(BYTE* at, int value)
{
    at[0] = HIBYTE(static_cast<DWORD>(value));
    at[1] = LOBYTE(static_cast<DWORD>(value));
}

// Builds the request in the transmit buffer; FALSE when the coil kind is unknown.
BOOL BuildRequest(CPlcCommPort& port, int loop, int command, int function)
{
    BYTE* frame = port.TxBuffer;
    frame[0] = LOBYTE(port.Station);
    frame[1] = static_cast<BYTE>(function);
    if (function == 3) {
        PutWord(frame + 2, FirstRegisterOf(loop));
        PutWord(frame + 4, kRegisterCount);
        return TRUE;
    }
    if (command < 1 || command > static_cast<int>(std::size(kCoilKinds)))
        return FALSE;
    const CoilKind& kind = kCoilKinds[command - 1];
    PutWord(frame + 2, kind.base + loop);
    PutWord(frame + 4, kind.value);
    return TRUE;
}

// Reply bytes 3 to 102 hold the registers high byte first; the image keeps
// them little-endian.
int StoreRegisters(const CPlcCommPort& port, CPIDMonitorBlock& block)
{
    const BYTE* reply = port.RxBuffer;
    if (reply[2] != kImageBytes || port.ReceivedLength() != kImageBytes + PLC_REPLY_OVERHEAD)
        return PLC_WRONG_REPLY;
    BYTE image[kImageBytes];
    for (int k = 0; k < kRegisterCount; ++k) {
        image[2 * k] = reply[3 + 2 * k + 1];
        image[2 * k + 1] = reply[3 + 2 * k];
    }
    std::lock_guard<std::mutex> hold(block.LoopDataLock);
    std::memcpy(block.LoopData, image, kImageBytes);
    return PLC_OK;
}

} // namespace

int PIDModbusRequest(CPIDMonitorBlock& block)
{
    // The display changes the loop and the command from its own thread.
    const int loop = std::atomic_ref<BYTE>(block.MonitorLoop).load();
    if (loop >= kLoopCount)
        return PID_LOOP_OUT_OF_RANGE;
    CPlcCommPort& port = g_PlcCommPort;
    const int command = std::atomic_ref<BYTE>(block.Command).load();
    const int function = std::atomic_ref<int>(block.FunctionCode).load();
    if ((function != 3 && function != 5) || !BuildRequest(port, loop, command, function))
        return PLC_WRONG_REPLY;
    port.Purge();
    if (!port.SendFrame(kRequestBytes))
        return PLC_SEND_FAILED;
    if (!port.WaitForData(EV_RXCHAR, static_cast<DWORD>(ReplyTimeout)))
        return PLC_TIMEOUT;
    Sleep(port.SettleWait(PlcSettleTime(SETTLE_LONG, port.BaudRate)));
    int result = port.ReceiveFrame();
    if (result != PLC_OK)
        return result;
    if (port.RxBuffer[1] != function)
        return PLC_WRONG_REPLY;
    return function == 3 ? StoreRegisters(port, block) : PLC_OK;
}

UINT PIDModbusThreadProc(CPIDMonitorBlock& block, const std::atomic<bool>& stop)
{
    if (std::atomic_ref<BYTE>(block.MonitorLoop).load() >= kLoopCount)
        return PID_LOOP_OUT_OF_RANGE;
    if (OpenPlcPort() != PLC_OK)
        return PID_PORT_NOT_OPENED;
    std::atomic_ref<BYTE> request(block.RequestFlag);
    std::atomic_ref<BYTE> writeCoil(block.CommandPending);
    std::atomic_ref<int> function(block.FunctionCode);
    std::atomic_ref<int> result(block.LastResult);
    while (!stop.load()) {
        if (request.load() != 1) {
            Sleep(kRequestPollMs);
            continue;
        }
        request.store(0);
        if (writeCoil.load() == 1) {
            writeCoil.store(0);
            function.store(5);
        } else {
            function.store(3);
        }
        result.store(PIDModbusRequest(block));
    }
    return 0;
}

void ReadPIDRegisterImage(const CPIDMonitorBlock& block, BYTE image[100])
{
    std::lock_guard<std::mutex> hold(block.LoopDataLock);
    std::memcpy(image, block.LoopData, kImageBytes);
}

void ClearPIDRegisterImage(CPIDMonitorBlock& block, size_t bytes)
{
    std::lock_guard<std::mutex> hold(block.LoopDataLock);
    std::memset(block.LoopData, 0, std::min(bytes, sizeof block.LoopData));
}

CPIDModbusWorker::~CPIDModbusWorker()
{
    Stop();
}

void CPIDModbusWorker::Start(CPIDMonitorBlock& block)
{
    Stop();
    m_stop.store(false);
    m_exitCode.store(0);
    m_thread = std::thread([this, &block] { m_exitCode.store(PIDModbusThreadProc(block, m_stop)); });
}

void CPIDModbusWorker::Stop()
{
    if (!m_thread.joinable())
        return;
    m_stop.store(true);
    m_thread.join();
    g_PlcCommPort.Close();
}
