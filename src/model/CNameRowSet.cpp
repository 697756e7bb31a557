#include "CNameRowSet.h"

void CNameRowSet::Shift(WORD from, int delta)
{
    std::map<WORD, WORD> shifted;
    for (const auto& [row, value] : m_rows) {
        const WORD moved = row >= from ? WORD(row + delta) : row;
        shifted[moved] = moved;
    }
    m_rows.swap(shifted);
}
