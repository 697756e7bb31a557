#pragma once
// The local (L) memory that the declarations of the POU being compiled
// occupy: the recorded pairs of variable name and L address, and one use
// flag per bit of L memory. The first LocalBitBytes bytes take BOOL locals,
// the next LocalDataBytes bytes BYTE, WORD and DWORD locals. The compiler
// resets the table at the start of each compile phase.

#include "platform/WinTypes.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

constexpr int LOCAL_PAIR_CAPACITY = 1000;
constexpr int LOCAL_MEMORY_BITS = 2176; // 272 bytes

class CLocalAddressTable {
public:
    void Reset();
    // Records that variable name lives at the L address and marks the bits
    // it occupies. Addresses outside L memory are accepted and not recorded.
    // FALSE when the address does not suit the CPU's local memory, overlaps
    // another variable or the table is full; nothing is marked then.
    BOOL Reserve(const std::string& name, const std::string& address);

    BOOL IsBitUsed(int bit) const;
    int PairCount() const { return int(m_pairs.size()); }

private:
    BOOL MarkBits(int first, int count);

    std::vector<std::pair<std::string, std::string>> m_pairs;
    std::array<BYTE, LOCAL_MEMORY_BITS> m_used {};
};

// The table of the compilation in progress.
extern CLocalAddressTable g_LocalAddresses;

// Reserve on the table of the compilation in progress.
BOOL ReserveLocalAddress(const std::string& name, const std::string& address);
