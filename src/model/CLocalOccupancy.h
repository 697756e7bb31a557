#pragma once
// First-fit allocation of local (L) addresses over the project's two
// occupancy maps: one cell per bit of the BOOL part (the first LocalBitBytes
// bytes) and one cell per byte of the data part (the next LocalDataBytes
// bytes). A cell is 0 when free, 1 when used.

#include "CLocalVarEntry.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

// Cells of the two maps of a new project (the largest CPU's sizes).
constexpr int LOCAL_BIT_CELLS = 128;
constexpr int LOCAL_BYTE_CELLS = 256;

class CLocalOccupancy {
public:
    CLocalOccupancy(std::vector<BYTE>& bitCells, std::vector<BYTE>& byteCells);

    // Assigns the first free address that fits the entry's data-type mask
    // without releasing its old one; FALSE (address emptied) when none fits.
    BOOL AssignNewAddress(CLocalVarEntry& entry);
    // Frees the cells of the entry's address and empties the address text.
    void Release(CLocalVarEntry& entry);
    // Marks the cells of the entry's address as used; the text stays.
    void MarkUsed(const CLocalVarEntry& entry);
    // Frees or marks the cells of one address text. Cells outside the
    // current CPU's L area stay as they are and are reported, unless the
    // application has switched the allocation warnings off.
    void SetAddressCells(const std::string& address, BYTE value);

private:
    BOOL FindFreeBytes(int count, int step, int& first) const;
    void SetByteCell(int byte, BYTE value);
    void SetBitCell(int position, BYTE value);

    std::vector<BYTE>& m_bits;
    std::vector<BYTE>& m_bytes;
};
