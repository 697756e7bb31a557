#include "StringCRC16.h"

#include "Crc16Modbus.h"

BOOL StringCRC16(const std::string& text, WORD& value)
{
    value = CRC16Modbus(reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()));
    return TRUE;
}
