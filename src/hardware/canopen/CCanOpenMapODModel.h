#pragma once
// The object dictionary and PDO mapping page without its window: the
// current slave's transmit and receive PDO rows, the 64 mapping rows of the
// PDO the mapping grid shows, loading a slave and a PDO from the network
// page's working list and writing them back, and the local-memory cell of
// a mapping row.

#include "CCanOpenPdoMapping.h"
#include "CCanOpenPdoTable.h"
#include "model/CCanOpenPdo.h"
#include "platform/WinTypes.h"

#include <string>

class CCanOpenSlaveGrid;

enum MapGridColumn { MAP_COL_NAME = 0, MAP_COL_INDEX = 1, MAP_COL_SIZE = 2, MAP_COL_MEMORY = 3 };
constexpr int MAP_GRID_COLUMNS = 4;
constexpr int NO_SLAVE = 0;

class CCanOpenMapODModel {
public:
    explicit CCanOpenMapODModel(CCanOpenSlaveGrid& slaves);

    static const char* MapColumnHeader(int column);
    static int MapColumnWidth(int column);

    void SetInitialised(bool initialised) { m_initialised = initialised; }
    CCanOpenPdoTable& TransmitTable() { return m_transmit; }
    CCanOpenPdoTable& ReceiveTable() { return m_receive; }
    // Node 1 to 126, NO_SLAVE when none is current.
    int CurrentSlave() const { return m_node; }
    bool IsMapLoaded() const { return m_mapLoaded; }
    int ShownPdo() const { return m_pdo; }
    int ShownList() const { return m_list; }
    const CCanOpenMappedObject& MapRow(int row) const { return m_rows[row]; }

    // Loads a configured slave (node 1..126) with its receive PDO 1 shown,
    // after writing the current one back; nothing for other nodes.
    void SelectSlave(int node);
    // Shows another PDO of the current slave, writing the shown one back;
    // TRUE when the mapping grid changed to it.
    BOOL OnSelectPdo(int pdo, int list);
    // Writes the PDO rows and the shown mapping into the current slave;
    // marks the project modified. Always TRUE.
    BOOL StoreCurrentSlave();
    // The mapping rows again from the record (after a reassignment).
    void ReloadMapGrid();
    // No slave current, every grid empty.
    void Clear();

    // The texts above the transmit, receive and mapping grids.
    std::string TransmitLabel() const;
    std::string ReceiveLabel() const;
    std::string MapLabel() const;

    std::string GetMapCellText(int column, int row) const;
    // Only the local memory of a used row: a direct address that suits the
    // object's size and the PDO's direction, else the old text stays.
    void OnSaveMapCell(int column, int row, const std::string& text);

private:
    bool HasCurrentSlave() const;
    CCanOpenPdo& ShownRecord();
    void WriteBack();

    CCanOpenSlaveGrid& m_slaves;
    CCanOpenPdoTable m_transmit{PDO_LIST_TRANSMIT};
    CCanOpenPdoTable m_receive{PDO_LIST_RECEIVE};
    CCanOpenMappedObject m_rows[CANOPEN_PDO_ROWS];
    bool m_initialised = false;
    bool m_slaveLoaded = false;
    bool m_mapLoaded = false;
    int m_node = NO_SLAVE;
    int m_pdo = 0;
    int m_list = PDO_LIST_RECEIVE;
};
