#pragma once
// One global symbol: its name, direct address, comment, data type and the
// operand type flags of address and type together.

#include "platform/CObject.h"

#include <string>

// Findings of the global variable table's checks (error flags).
constexpr DWORD SYMBOL_DUPLICATE_NAME = 0x01;
constexpr DWORD SYMBOL_ILLEGAL_NAME = 0x02;
constexpr DWORD SYMBOL_DUPLICATE_ADDRESS = 0x04;
constexpr DWORD SYMBOL_ILLEGAL_ADDRESS = 0x08;
constexpr DWORD SYMBOL_NAME_ERRORS = SYMBOL_DUPLICATE_NAME | SYMBOL_ILLEGAL_NAME;
constexpr DWORD SYMBOL_ADDRESS_ERRORS = SYMBOL_DUPLICATE_ADDRESS | SYMBOL_ILLEGAL_ADDRESS;

class CZULSymbol : public CObject {
    DECLARE_SERIAL(CZULSymbol)
public:
    // Storing puts a missing "%" in front of the address, in the record too.
    void Serialize(CArchive& ar) override;
    // The address as it is stored: with "%" in front.
    std::string StoredAddress() const;

    std::string name;
    std::string address;
    std::string comment;
    std::string dataType;
    DWORD typeFlags = 0;
    int runValue = 0;     // not stored
    DWORD errorFlags = 0; // not stored; 0 when the row is clean
    int orderIndex = -1;  // position in the project's ordered symbol array
};
