#pragma once
// The rows of a variable table that declare the same name, keyed by row
// number. A name with such a set is valid on none of its rows.

#include "platform/WinTypes.h"

#include <map>

class CNameRowSet {
public:
    void Add(WORD row) { m_rows[row] = row; }
    void Remove(WORD row) { m_rows.erase(row); }
    BOOL Contains(WORD row) const { return m_rows.count(row) != 0; }
    int GetCount() const { return int(m_rows.size()); }
    // The lowest row of the set; 0 when it is empty.
    WORD First() const { return m_rows.empty() ? 0 : m_rows.begin()->first; }
    // Renumbers after rows were removed (delta < 0) or inserted (delta > 0)
    // at row from: every row at or after from moves by delta.
    void Shift(WORD from, int delta);

private:
    std::map<WORD, WORD> m_rows;
};
