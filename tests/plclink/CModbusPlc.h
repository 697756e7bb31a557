#pragma once
// The PLC side of the PID display's Modbus requests: libmodbus as server
// (slave 1) on the master side of a pseudo-terminal, with coils 0..599 and
// holding registers 1200..1549 (loops 7 to 1; loop 0 at 1550 lies outside).

#include "LinkTestSupport.h"

#include "platform/WinTypes.h"

#include <atomic>
#include <mutex>
#include <string>
#include <thread>

typedef struct _modbus modbus_t;
struct _modbus_mapping_t;

class CModbusPlc {
public:
    static constexpr int kFirstRegister = 1200;
    static constexpr int kRegisterCount = 350;
    static constexpr int kCoilCount = 600;

    CModbusPlc();
    ~CModbusPlc();
    CModbusPlc(const CModbusPlc&) = delete;
    CModbusPlc& operator=(const CModbusPlc&) = delete;

    const std::string& Device() const { return m_pty.SlavePath(); }

    void SetRegister(int address, WORD value);
    BYTE Coil(int address);
    void SetCoil(int address, BYTE value);
    // Requests answered so far.
    int Requests() const { return m_requests.load(); }

private:
    void Serve();

    CRawPty m_pty;
    _modbus_mapping_t* m_mapping = nullptr;
    modbus_t* m_context = nullptr;
    std::mutex m_lock;
    std::atomic<bool> m_stop {false};
    std::atomic<int> m_requests {0};
    std::thread m_thread;
};
