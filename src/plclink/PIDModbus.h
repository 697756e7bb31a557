#pragma once
// The Modbus RTU requests of the PID trend display: function 3 reads the 50
// holding registers of one PID loop, function 5 writes one of the loop's
// coils. A worker thread keeps the port open and runs one request each time
// the display raises the exchange block's request flag.

#include "model/CPIDMonitorBlock.h"
#include "platform/WinTypes.h"

#include <atomic>
#include <thread>

// Thread results besides the link result codes.
constexpr int PID_LOOP_OUT_OF_RANGE = 256;
constexpr int PID_PORT_NOT_OPENED = 258;

// Runs the request that the block's function field names (3 or 5); a link
// result code, or 256 when the loop number is above 7. A function-3 reply
// must carry exactly 50 registers; the register image changes only on a
// good reply and is written under the register-image lock.
int PIDModbusRequest(CPIDMonitorBlock& block);

// The worker: opens the port (258 when that fails, the user has been told),
// then serves requests until stop is set.
UINT PIDModbusThreadProc(CPIDMonitorBlock& block, const std::atomic<bool>& stop);

// Copies the register image as the worker last stored it, never half-written.
void ReadPIDRegisterImage(const CPIDMonitorBlock& block, BYTE image[100]);
// Clears the first bytes of the register image under the same lock.
void ClearPIDRegisterImage(CPIDMonitorBlock& block, size_t bytes);

// The trend display's worker thread: started when the display opens,
// stopped (cooperatively, at the end of a running request) and the port
// closed when it closes.
class CPIDModbusWorker {
public:
    CPIDModbusWorker() = default;
    ~CPIDModbusWorker();
    CPIDModbusWorker(const CPIDModbusWorker&) = delete;
    CPIDModbusWorker& operator=(const CPIDModbusWorker&) = delete;

    void Start(CPIDMonitorBlock& block);
    // Ends the thread, then closes the port.
    void Stop();
    BOOL IsRunning() const { return m_thread.joinable() ? TRUE : FALSE; }
    // What the thread returned once it has ended.
    UINT ExitCode() const { return m_exitCode; }

private:
    std::thread m_thread;
    std::atomic<bool> m_stop {false};
    std::atomic<UINT> m_exitCode {0};
};
