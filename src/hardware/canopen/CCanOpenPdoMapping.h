#pragma once
// The mapping commands of the CANopen mapping page without its window:
// adding an object of the slave's type to the PDO that the mapping grid
// shows (with the checks of access, COB-ID, the network's PDO limits and the
// 64 bits of a PDO), deleting a mapped object, and placing mapped objects in
// local V memory, first fit from VB3000 inside the CPU's V area.

#include "platform/WinTypes.h"

#include <string>

class CCanOpenSlaveGrid;
class CZULAppData;
struct CCanOpenPdo;

// One item of the mapping page's object tree, as the walk up from a
// clicked item sees it.
struct CMapTreeItem {
    std::string text;
    const CMapTreeItem* parent = nullptr;
    bool hasChildren = false;
};

// Lists of a slave's PDOs: the slave sends its transmit PDOs, the master its receive PDOs.
constexpr int PDO_LIST_TRANSMIT = 1;
constexpr int PDO_LIST_RECEIVE = 2;

constexpr int PDO_MAX_BITS = 64;
constexpr int NETWORK_MAX_PDOS = 64; // of each list with mapped objects
constexpr int PDO_MIN_COB_ID = 0x181;
constexpr int PDO_MAX_COB_ID = 0x57F;
constexpr int LOCAL_MEMORY_FIRST_BYTE = 3000;

class CCanOpenPdoMapping {
public:
    CCanOpenPdoMapping(CCanOpenSlaveGrid& slaves, const CZULAppData& library);

    // The slave (slot, -1 for none) and the PDO (list, 0..7) that the
    // mapping grid shows, with the COB-ID of that PDO's row in the PDO grid.
    void ShowPdo(int slot, int list, int pdo, int gridCobId);

    // Identifies the object of a tree item by walking up through its
    // parents and inserts it; refuses items that have children.
    BOOL OnAddMappedObject(const CMapTreeItem& item);
    BOOL InsertMappedObject(const std::string& itemText, const std::string& slaveName, int index, int subIndex,
                            int treeList);
    // The COB-ID of the shown PDO and the network's PDO limits; shows its own messages.
    BOOL CheckPdoLimits();
    // First fit of bits / 8 bytes (words and double words on even
    // addresses); FALSE for sizes other than 8, 16 and 32 bits or when the
    // V area has no room. Unless
    // noRebuild, the usage map is first rebuilt from the slave list.
    BOOL AllocLocalMemory(int bits, int& address, BOOL noRebuild);
    // Empties a row of the shown PDO in place; TRUE when it held an object.
    BOOL OnDeleteMappedObject(int row);
    // Asks, then reassigns; TRUE when the user agreed.
    BOOL OnReassignMemory();
    // New local memory for every mapped object of the network, packed from
    // VB3000 in slot, receive-before-transmit, PDO and row order.
    void ReassignLocalMemory();

    // Bits of an object of a library data-type flag; 65 for unknown types.
    static int ObjectBits(int dataType);
    // "%VB3000", "%VW3002", "%VD3004"; "" for other sizes.
    static std::string LocalMemoryText(int bits, int address);

private:
    CCanOpenPdo* ShownPdo();
    bool IsShownPdo(int slot, int list, int pdo) const;
    int CountMappedPdos(int list, bool& shownListed) const;
    void RebuildUsageMap();
    void MarkLocalMemory(const std::string& text);
    int UsableMarks() const;

    CCanOpenSlaveGrid& m_slaves;
    const CZULAppData& m_library;
    int m_slot = -1;
    int m_list = PDO_LIST_RECEIVE;
    int m_pdo = 0;
    int m_gridCobId = 0;
};
