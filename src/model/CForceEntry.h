#pragma once
// One operand of the PLC's force table as the project mirrors it: the force
// map keys it by its address text and owns it.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

class CForceEntry {
public:
    CForceEntry(const std::string& addressText, WORD encoded, OperandTypeFlags typeFlags, DWORD forcedValue);

    std::string address;
    WORD encodedAddress = 0;
    BYTE bit = 0;
    OperandTypeFlags flags = 0;
    // The value last forced by this program (0 for an entry read from the
    // PLC); the table sent is built from the force image, not from here.
    DWORD value = 0;
};
