#pragma once
// CRC-16/MODBUS: the checksum of the PLC link's frames, of the download image
// and of the CANopen slave-type names.

#include "platform/WinTypes.h"

// Reflected polynomial 0xA001, initial value 0xFFFF, no final xor. Only the
// low 16 bits of the length count. The result packs the two checksum bytes
// in line order: its high byte is the CRC's low-order byte, the byte that is
// sent first ("123456789" gives 0x374B; the standard CRC is 0x4B37).
WORD CRC16Modbus(const BYTE* data, DWORD length);
