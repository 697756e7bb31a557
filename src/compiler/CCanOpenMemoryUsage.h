#pragma once
// Which CANopen PDO mapping rows of the project land on which V byte: for
// each of the V bytes 0..12287 the first two receive and the first two
// transmit PDO rows mapped onto it and how many BYTE, WORD and DWORD
// mappings cover it. The compiler's CANopen checks read it to find PDOs of
// one kind that overlap in memory.

#include "platform/WinTypes.h"

#include <cstddef>
#include <string>
#include <vector>

class CZULProject;

constexpr int CANOPEN_V_BYTES = 12288;

// One mapping row: slave slot, PDO and row index, each -1 when not set.
struct CCanOpenRowRef {
    int slave = -1;
    int pdo = -1;
    int row = -1;
    bool IsSet() const { return slave >= 0; }
};

struct CCanOpenByteUsage {
    BYTE tpdoUsed = 0;
    BYTE rpdoUsed = 0;
    CCanOpenRowRef firstTpdo;
    CCanOpenRowRef secondTpdo;
    CCanOpenRowRef firstRpdo;
    CCanOpenRowRef secondRpdo;
    // The number of mappings of each width minus 1.
    int byteCount = -1;
    int wordCount = -1;
    int dwordCount = -1;
};

class CCanOpenMemoryUsage {
public:
    CCanOpenMemoryUsage();

    // Fills the table from the project's slaves in use; returns 1.
    int Build(const CZULProject& project);
    const CCanOpenByteUsage& At(int vByte) const { return m_entries[size_t(vByte)]; }

private:
    void AddRow(const std::string& memoryText, bool receive, const CCanOpenRowRef& ref);

    std::vector<CCanOpenByteUsage> m_entries;
};
