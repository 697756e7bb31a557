#pragma once
// One monitored operand: the operand text of the program, its encoded PLC
// address, and the bit state and value that the monitor thread last read.

#include "platform/CObject.h"

#include <string>

class CZULStatus : public CObject {
    DECLARE_SERIAL(CZULStatus)
public:
    void Serialize(CArchive& ar) override;

    std::string operand;
    WORD address = 0;
    int statusBit = 0;
    int value = 0;
};
