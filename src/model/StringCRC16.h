#pragma once
// The 16-bit type id of a CANopen slave-type name: CRC-16/MODBUS over the
// name's bytes (no terminating zero), first transmitted byte high.

#include "platform/WinTypes.h"

#include <string>

// Stores the checksum of the text in value and returns TRUE.
BOOL StringCRC16(const std::string& text, WORD& value);
