#include "Crc16Modbus.h"

#include <array>

namespace {

// The two byte tables of the Modbus RTU checksum: for a table index i, the
// byte that enters the register's high and low half after eight shifts of i.
struct CrcTables {
    std::array<BYTE, 256> hi{};
    std::array<BYTE, 256> lo{};
};

constexpr CrcTables MakeCrcTables()
{
    CrcTables tables;
    for (unsigned i = 0; i < 256; ++i) {
        unsigned crc = i;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
        tables.hi[i] = static_cast<BYTE>(crc & 0xFF);
        tables.lo[i] = static_cast<BYTE>(crc >> 8);
    }
    return tables;
}

constexpr CrcTables kTables = MakeCrcTables();

} // namespace

WORD CRC16Modbus(const BYTE* data, DWORD length)
{
    BYTE first = 0xFF;  // goes first on the line: the CRC's low-order byte
    BYTE second = 0xFF;
    DWORD count = length & 0xFFFF;
    for (DWORD k = 0; k < count; ++k) {
        BYTE index = first ^ data[k];
        first = second ^ kTables.hi[index];
        second = kTables.lo[index];
    }
    return static_cast<WORD>((first << 8) | second);
}
