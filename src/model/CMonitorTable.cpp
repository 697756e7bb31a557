#include "CMonitorTable.h"

void CMonitorTable::InsertMonitorEntry(const std::string& key, CZULStatus* item)
{
    if (!item)
        return;
    const std::string name = !key.empty() && key[0] == '%' ? key : "%" + key;
    // A key taken already keeps its first item; this one goes.
    MonitorTable.try_emplace(name, std::unique_ptr<CZULStatus>(item));
}

void CMonitorTable::ClearMonitorTable()
{
    MonitorTable.clear();
    MonitorCodeMap.clear();
}
