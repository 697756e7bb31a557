#pragma once
// The rows of the address overview without its window: every mapped object
// with local memory of every configured slave of the working slave list,
// receive PDOs before transmit PDOs, and the texts of the eight columns
// with the global variable at each local address.

#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CCanOpenSlaveGrid;
class CZULProject;

constexpr int CROSS_REF_COLUMNS = 8;
// Empty rows shown below the list.
constexpr int CROSS_REF_SPARE_ROWS = 10;

struct CCanOpenCrossRefRow {
    std::string odName;
    int index = 0;
    int subIndex = -1;
    int sizeBits = 0;
    std::string memory;
    int pdoNumber = 0;
    int mappingIndex = 0;
    int cobId = 0;
    int direction = 0;
    int nodeId = 0;
    std::string slaveName;
};

class CCanOpenCrossRefList {
public:
    static const char* ColumnHeader(int column);
    static int ColumnWidth(int column);

    void RebuildList(const CCanOpenSlaveGrid& slaves);
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // The rows the grid shows: the list and the spare rows.
    int GetGridRowCount() const { return GetRowCount() + CROSS_REF_SPARE_ROWS; }
    const CCanOpenCrossRefRow& Row(int row) const { return m_rows[static_cast<size_t>(row)]; }

    // Empty for every cell of a row beyond the list.
    std::string GetCellText(int column, int row, const CZULProject& project) const;

private:
    std::vector<CCanOpenCrossRefRow> m_rows;
};
