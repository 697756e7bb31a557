#include "CParenMatcher.h"

#include <algorithm>

namespace {
bool Before(int row, int column, int otherRow, int otherColumn)
{
    return row < otherRow || (row == otherRow && column < otherColumn);
}
} // namespace

void CParenMatcher::AddBracketsOfLine(const std::string& text, int row, int network)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const std::string one(1, text[i]);
        if (one == m_openToken || one == m_closeToken)
            Insert({one, row, static_cast<int>(i), network});
    }
}

void CParenMatcher::Insert(CParenEntry entry)
{
    // After the entries at the same position.
    auto at = std::find_if(m_entries.begin(), m_entries.end(), [&](const CParenEntry& e) {
        return Before(entry.row, entry.column, e.row, e.column);
    });
    m_entries.insert(at, std::move(entry));
}

void CParenMatcher::RemoveRange(int row1, int column1, int row2, int column2)
{
    std::erase_if(m_entries, [&](const CParenEntry& e) {
        return !Before(e.row, e.column, row1, column1) && !Before(row2, column2, e.row, e.column);
    });
}

void CParenMatcher::ShiftRows(int row, int column, int delta)
{
    for (CParenEntry& e : m_entries) {
        if (!Before(e.row, e.column, row, column))
            e.row += delta;
    }
}
