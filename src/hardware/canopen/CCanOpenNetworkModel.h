#pragma once
// The CANopen network page without its window: the working copy of the
// slave list for the whole CANopen sheet, adding a slave of a library type
// at the lowest free node, moving and deleting slaves, deleting a slave type
// with its file, the boot-up steps of a slave and the Save into the project.
// The rebuild-needed flag tells the mapping page that the slaves or the
// library changed.

#include "CCanOpenSlaveGrid.h"
#include "platform/WinTypes.h"

#include <string>

class CZULAppData;

constexpr int NETWORK_MAX_SLAVES = 64;

// Where a slave type stands in the type tree.
enum SlaveTypeBranch { SLAVE_BRANCH_ROOT = 0, SLAVE_BRANCH_IO = 1, SLAVE_BRANCH_DRIVE = 2 };

class CCanOpenNetworkModel {
public:
    // userCanOpenFolder: where imported slave-type files lie.
    CCanOpenNetworkModel(CZULAppData& app, std::string userCanOpenFolder);

    CCanOpenSlaveGrid& SlaveGrid() { return m_slaves; }
    static SlaveTypeBranch BranchOf(const std::string& category);

    void SetInitialised(bool initialised) { m_initialised = initialised; }
    bool IsInitialised() const { return m_initialised; }
    BOOL IsRebuildNeeded() const { return m_rebuildNeeded; }
    void SetRebuildNeeded(BOOL needed) { m_rebuildNeeded = needed; }

    // A slave of the named type at the lowest free slot; the slot, or -1
    // after a message (no such type, network full).
    int AddSlaveToNetwork(const std::string& typeName);
    // Asks, then removes the type from the library and its file from the
    // user's folder; refuses an item that is no type. TRUE when removed.
    BOOL DeleteSlaveType(const std::string& itemText, bool isTypeItem);

    BOOL MoveSlaveUp();
    BOOL MoveSlaveDown();
    BOOL DeleteSlave();

    // The slot of the focus row when it holds a slave, else -1.
    int FocusSlave() const;
    // The boot-up steps chosen in the dialog for that slot.
    void StoreBootSteps(int slot, WORD steps);

    // All 126 slots into the project once the page was initialised.
    BOOL SaveToProject();

private:
    BOOL AfterSlaveCommand(BOOL changed);

    CZULAppData& m_app;
    std::string m_userFolder;
    CCanOpenSlaveGrid m_slaves;
    bool m_initialised = false;
    BOOL m_rebuildNeeded = FALSE;
};
