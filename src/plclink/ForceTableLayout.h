#pragma once
// The entries of a force-table block: after the header and the five count
// bytes come the BOOL, BYTE, WORD, DWORD and REAL sections, each with the
// encoded addresses of its entries and then their values (BOOL values packed
// eight to a byte, least significant bit first; the others little-endian).

#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <vector>

struct ForceTableSection {
    OperandTypeFlags type;       // the type the addresses are read as
    OperandTypeFlags entryFlags; // flags of a force-map entry made from the section
    OperandTypeFlags sortBits;   // a force-map entry with one of these bits goes here
    int valueBytes;              // bytes per value; 0 for the packed BOOL bits
    int imageCells;              // force-image cells one entry covers
};

constexpr int FORCE_TABLE_SECTIONS = 5;
constexpr int FORCE_TABLE_COUNTS_OFFSET = 6;
constexpr int FORCE_TABLE_MAX_ENTRIES = 255; // the counts are single bytes
constexpr int BITS_PER_BYTE = 8;

// In block order: BOOL, BYTE, WORD, DWORD, REAL.
extern const ForceTableSection g_ForceTableSections[FORCE_TABLE_SECTIONS];

struct ForceTableItem {
    int section = 0;
    WORD address = 0;
    DWORD value = 0;
};

// The entries of a block in block order. FALSE when the block is not one
// well-formed table: its length field and the sizes of its sections must
// add up to its size, and every entry must lie inside the force image of
// imageCells cells.
bool ParseForceTable(const std::vector<BYTE>& block, size_t imageCells, std::vector<ForceTableItem>& items);
