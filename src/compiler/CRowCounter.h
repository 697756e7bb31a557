#pragma once
// The row of the user's file that a line of a prepared POU source belongs
// to. Source preparation wraps a line with pointer operands in generated
// "PTR_R " lines before it and "PTR_W " lines after it; the whole group
// counts as one row, the row of the wrapped line. Blank and comment lines
// count as rows.

#include <string>

class CRowCounter {
public:
    // Counts one line read after the language line.
    void Count(const std::string& line);

    int Row() const { return m_row; }
    // The line begins a new row of the user's file.
    bool CountsAsRow() const { return m_countsAsRow; }
    // The line is the one that PTR_R lines wrap.
    bool IsWrappedLine() const { return m_wrapped; }

private:
    int m_row = 0;
    int m_depth = 0;
    bool m_inPtr = false;
    bool m_countsAsRow = true;
    bool m_rowPending = false;
    bool m_wrapped = false;
};
