#include "CModbusPlc.h"

#include <modbus.h>

namespace {

constexpr int kIndicationTimeoutUs = 50000;

} // namespace

CModbusPlc::CModbusPlc()
{
    m_mapping = modbus_mapping_new_start_address(0, kCoilCount, 0, 0, kFirstRegister, kRegisterCount, 0, 0);
    m_context = modbus_new_rtu("/dev/null", 115200, 'N', 8, 1);
    modbus_set_slave(m_context, 1);
    modbus_set_socket(m_context, m_pty.MasterFd());
    modbus_set_indication_timeout(m_context, 0, kIndicationTimeoutUs);
    m_thread = std::thread([this] { Serve(); });
}

CModbusPlc::~CModbusPlc()
{
    m_stop.store(true);
    m_thread.join();
    modbus_free(m_context);
    modbus_mapping_free(m_mapping);
}

void CModbusPlc::SetRegister(int address, WORD value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_mapping->tab_registers[address - kFirstRegister] = value;
}

BYTE CModbusPlc::Coil(int address)
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_mapping->tab_bits[address];
}

void CModbusPlc::SetCoil(int address, BYTE value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_mapping->tab_bits[address] = value;
}

void CModbusPlc::Serve()
{
    while (!m_stop.load()) {
        uint8_t query[MODBUS_RTU_MAX_ADU_LENGTH];
        const int length = modbus_receive(m_context, query);
        if (length <= 0)
            continue;
        std::lock_guard<std::mutex> hold(m_lock);
        modbus_reply(m_context, query, length, m_mapping);
        ++m_requests;
    }
}
