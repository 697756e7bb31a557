#pragma once
// Who turns the PLC's force table into the project's force map: the status
// chart's force commands, which own the meaning of the table's entries.
// ReadForcedTable hands it every table that it has read and checked.

#include "platform/WinTypes.h"

#include <vector>

class IForceMapBuilder {
public:
    virtual ~IForceMapBuilder() = default;
    // Rebuilds the force map and the force image from a force-table block
    // whose own length field equals its size.
    virtual void RebuildForceMap(const std::vector<BYTE>& forceTable) = 0;
};
