#pragma once
// The project's monitor items: one CZULStatus per monitored byte, timer,
// counter, flip-flop byte, high-speed counter or analog word, under its
// normalised key ("%VB100", "%T5", "%AIW4"), and the same items by monitor
// code. The table owns the items; the code map holds plain pointers.

#include "CZULStatus.h"
#include "platform/WinTypes.h"

#include <map>
#include <memory>
#include <string>

class CMonitorTable {
public:
    // Adds the item under the key ("%" put in front when missing) unless the
    // key is taken; the table owns what it takes and deletes a refused item at once.
    void InsertMonitorEntry(const std::string& key, CZULStatus* item);
    // Deletes every item; the table and the map by monitor code are emptied.
    void ClearMonitorTable();

    std::map<std::string, std::unique_ptr<CZULStatus>> MonitorTable;
    std::map<WORD, CZULStatus*> MonitorCodeMap;
};
