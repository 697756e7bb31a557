#pragma once
// The project's function-block instances: the table the editors keep and
// the buffer a scan of the POU programs fills. Each entry carries the FB
// type, the instance name and the owning POU, all upper case; empty slots
// may occur and lookups skip them.

#include "CZULFB.h"
#include "platform/WinTypes.h"

#include <memory>
#include <string>
#include <vector>

// The lists of AddFBInstance.
constexpr int FB_LIST_TABLE = 1;
constexpr int FB_LIST_SCAN = 2;

class CFBInstanceTable {
public:
    // Adds an instance unless the names are empty, the name does not suit
    // the type or the list already has it; list is FB_LIST_TABLE or FB_LIST_SCAN.
    BOOL AddFBInstance(const std::string& instanceName, const std::string& fbType, const std::string& ownerPou,
                       int list);
    BOOL GetFBInstancesOfPOU(const std::string& pouName, std::vector<std::string>& names,
                             std::vector<std::string>& types) const;
    void RemoveFBInstance(const std::string& instanceName);
    void RemoveFBInstancesOfPOU(const std::string& pouName);
    BOOL RenameFBInstance(const std::string& oldName, const std::string& newName);
    // Moves the instances of a renamed POU to its new name; empty slots go.
    void RenameOwner(const std::string& oldName, const std::string& newName);

    // TRUE when the scan buffer holds the same instances as the table, in any order.
    BOOL ScanMatchesTable() const;
    // Replaces the table by copies of the scanned instances.
    void TakeScannedInstances();

    std::vector<std::unique_ptr<CZULFB>> FBInstances;
    std::vector<std::unique_ptr<CZULFB>> FBScanBuffer;
};
