#pragma once
// The slave list of the CANopen network page without its window: the
// working copy of all 126 slave slots while the CANopen configuration is
// open, the texts of its nine columns, the rules by which an edited cell is
// stored, moving a slave to the nearest free node and deleting it. It also
// owns the local-memory usage map that the PDO mapping fills.

#include "model/CCanOpenSlave.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

class CZULProject;

enum SlaveListColumn {
    SLAVE_COL_ADDRESS = 0,
    SLAVE_COL_NAME = 1,
    SLAVE_COL_SUPERVISION = 2,
    SLAVE_COL_GUARD_TIME = 3,
    SLAVE_COL_LIFE_FACTOR = 4,
    SLAVE_COL_CONSUMER_TIME = 5,
    SLAVE_COL_ERROR_HANDLING = 6,
    SLAVE_COL_TYPE = 7,
    SLAVE_COL_VALID = 8,
};
constexpr int SLAVE_LIST_COLUMNS = 9;

// Marks of V bytes 3000 upwards.
constexpr int LOCAL_MEMORY_MARKS = 65536;

class CCanOpenSlaveGrid {
public:
    // All slots at their defaults, then every slot the project has in use copied in.
    explicit CCanOpenSlaveGrid(const CZULProject& project);

    // The whole working copy back into the project (the network page's Save).
    void StoreToProject(CZULProject& project) const;

    static const char* ColumnHeader(int column);
    static int ColumnWidth(int column);
    // The drop-down entries of columns 2, 6 and 8, in order; none for the others.
    static std::vector<std::string> CreateCellCtrl(int column);

    // The text a cell shows (row 0 is slot 0); empty for every column of a free slot.
    std::string GetCellText(int column, int row) const;
    // Stores an edited cell (editor text or selected entry) of a slot in use
    // and marks the project modified; a free slot ignores the edit.
    void OnSaveCellData(int column, int row, const std::string& text);

    // Act on the slot of the focus row; TRUE when they changed something.
    BOOL MoveSlaveUp();
    BOOL MoveSlaveDown();
    BOOL DeleteSlave();

    void SetFocusCell(int row, int column);
    void GetFocusCell(int& row, int& column) const;

    CCanOpenSlave& Slave(int slot) { return m_slaves[static_cast<size_t>(slot)]; }
    const CCanOpenSlave& Slave(int slot) const { return m_slaves[static_cast<size_t>(slot)]; }
    bool IsConfigured(int slot) const;
    std::vector<BYTE>& UsageMap() { return m_usage; }

private:
    BOOL MoveSlave(int step);
    std::string SupervisionTimeText(const CCanOpenSlave& slave) const;
    std::string LifeFactorText(const CCanOpenSlave& slave) const;
    std::string ConsumerTimeText(const CCanOpenSlave& slave) const;
    void StoreSupervisionTime(CCanOpenSlave& slave, int value);
    void StoreConsumerTime(CCanOpenSlave& slave, int value);

    std::vector<CCanOpenSlave> m_slaves;
    std::vector<BYTE> m_usage;
    int m_focusRow = 0;
    int m_focusColumn = 0;
};
