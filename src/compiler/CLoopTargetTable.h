#pragma once
// The loop targets of one compilation: for each FOR, found by its
// instruction index, the instruction index of its NEXT. The precompile pass
// stores them at NEXT, the code pass reads them at FOR, which carries its
// NEXT's index in the object code.

#include "platform/WinTypes.h"

constexpr int LOOP_TARGET_CAPACITY = 1024;

struct CLoopTarget {
    int key = 0;
    int target = 0;
};

class CLoopTargetTable {
public:
    void Clear() { m_count = 0; }
    int GetCount() const { return m_count; }
    // Stores nothing when the table is full, the key is 0 or it is not below
    // the CPU's instruction limit.
    BOOL Add(int key, int target);
    // The target of the first entry with the key.
    BOOL Lookup(int key, WORD& target) const;

private:
    CLoopTarget m_entries[LOOP_TARGET_CAPACITY];
    int m_count = 0;
};

// In the loop targets of the running compilation.
BOOL AddLoopTarget(int key, int target);
BOOL LookupLoopTarget(int key, WORD& target);
