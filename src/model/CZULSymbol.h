#pragma once
// One global symbol: its name, direct address, comment, data type and the
// operand type flags of address and type together.

#include "platform/CObject.h"

#include <string>

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
    int orderIndex = -1;  // position in the project's ordered symbol array
};
