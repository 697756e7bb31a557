#pragma once
// The brackets of an IL program's lines, kept sorted by (row, column), for
// the bracket balance pass of the line check.

#include <string>
#include <vector>

struct CParenEntry {
    std::string token; // "(" or ")"
    int row;
    int column;        // byte position in the comment-free, trimmed line
    int network;
};

class CParenMatcher {
public:
    // Records every "(" and ")" of a comment-free line.
    void AddBracketsOfLine(const std::string& text, int row, int network);
    // Removes the entries from (row1, column1) through (row2, column2).
    void RemoveRange(int row1, int column1, int row2, int column2);
    // Every entry at or after (row, column) moves delta rows.
    void ShiftRows(int row, int column, int delta);
    void RemoveAll() { m_entries.clear(); }

    const std::vector<CParenEntry>& GetEntries() const { return m_entries; }

private:
    void Insert(CParenEntry entry);

    std::string m_openToken = "(";
    std::string m_closeToken = ")";
    std::vector<CParenEntry> m_entries;
};
