#pragma once
// The rules of the two PDO parameter grids of the mapping page without
// their windows: eight rows of one slave's receive or transmit PDOs, the
// text of each cell (showing a row also brings its stored values into
// range) and the storing of an edited cell.

#include "CCanOpenPdoMapping.h"
#include "model/CCanOpenSlave.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

enum PdoGridColumn {
    PDO_COL_NAME = 0,
    PDO_COL_COB_ID = 1,
    PDO_COL_TYPE = 2,
    PDO_COL_EVENT_TIME = 3,
    PDO_COL_INHIBIT_TIME = 4,
};
constexpr int PDO_TYPE_EVENT = 254;
constexpr int PDO_TYPE_DEFAULT = 255;
constexpr int PDO_DEFAULT_EVENT_TIME = 10;
constexpr int PDO_DEFAULT_INHIBIT_TIME = 1000;
// PDO 5 to 8 have COB-IDs of their own; those of PDO 1 to 4 follow the node.
constexpr int PDO_FIRST_FREE_COB_ID = 4;

// One row of a PDO grid; PDO number -1 is an empty row.
struct CCanOpenPdoRow {
    int pdo = -1;
    int index = 0;
    int cobId = 0;
    int commType = PDO_TYPE_DEFAULT;
    int eventTime = PDO_DEFAULT_EVENT_TIME;
    int inhibitTime = PDO_DEFAULT_INHIBIT_TIME;
};

class CCanOpenPdoTable {
public:
    // list: PDO_LIST_RECEIVE or PDO_LIST_TRANSMIT.
    explicit CCanOpenPdoTable(int list);

    int List() const { return m_list; }
    int ColumnCount() const;
    static const char* ColumnHeader(int column);
    static int ColumnWidth(int column);
    // The entries of the type column's list.
    static std::vector<std::string> TypeEntries();
    // Whether a cell of the column can be edited.
    bool IsEditableColumn(int column) const;

    // The rows from a slave's PDOs of this list, and back.
    void Load(const CCanOpenSlave& slave);
    void Store(CCanOpenSlave& slave) const;
    // Every row empty.
    void Clear();
    const CCanOpenPdoRow& Row(int row) const { return m_rows[static_cast<size_t>(row)]; }

    std::string GetCellText(int column, int row);
    // Stores an edited cell and marks the project modified.
    void OnSaveCellData(int column, int row, const std::string& text);

private:
    bool IsReceive() const { return m_list == PDO_LIST_RECEIVE; }
    void StoreCobId(CCanOpenPdoRow& row, const std::string& text);

    int m_list;
    CCanOpenPdoRow m_rows[CANOPEN_PDOS];
};
