#pragma once
// A table of FIND_TABLE_SIZE find records (the marks of the editors or the
// project-wide hits). Most sessions never search, so the records are stored
// only once one is written: until then every record reads as a free one.
// Reading through a const reference never stores.

#include "CFindResult.h"

#include <cstddef>
#include <memory>

constexpr int FIND_TABLE_SIZE = 10000;

class CFindTable {
public:
    CFindTable() = default;
    CFindTable(const CFindTable&) = delete;
    CFindTable& operator=(const CFindTable&) = delete;

    static constexpr std::size_t size() { return FIND_TABLE_SIZE; }
    static constexpr bool empty() { return false; }

    // A record to change: the table is stored from here on.
    CFindResult& operator[](std::size_t record);
    const CFindResult& operator[](std::size_t record) const { return begin()[record]; }
    const CFindResult* begin() const;
    const CFindResult* end() const { return begin() + FIND_TABLE_SIZE; }

    // Records 1 .. FIND_TABLE_SIZE-1 become free with the given action.
    void ResetRecords(int action);

private:
    std::unique_ptr<CFindResult[]> m_records;
};
