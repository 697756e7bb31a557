#pragma once
// One row of the status chart: the operand as entered with its encoded
// address, flags and symbol, the display format, and the value typed for
// writing or forcing.

#include "platform/CObject.h"

#include <string>

class CStatusInput : public CObject {
    DECLARE_SERIAL(CStatusInput)
public:
    void Serialize(CArchive& ar) override;

    std::string addressText;
    WORD encodedAddress = 0;
    DWORD flags = 0;
    DWORD valid = 0;
    std::string symbol;
    DWORD format = 0;
    std::string newValueText;
    DWORD newValue = 0;
    DWORD spare = 0;
    DWORD newValueValid = 0;
};
