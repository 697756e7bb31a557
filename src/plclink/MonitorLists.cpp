#include "MonitorLists.h"

#include "model/CZULAppData.h"
#include "model/CZULStatus.h"
#include "model/MonitorItems.h"

void BuildMonitorLists(CZULAppData& app)
{
    CZULProject& project = app.Project;
    for (std::vector<WORD>& list : project.MonitorAddressLists)
        list.clear();
    for (const auto& [key, item] : project.Monitor.MonitorTable) {
        WORD code = 0;
        WORD number = 0;
        const int monitorClass = app.ResolveAddressOffset(key, code, number);
        if (monitorClass < MONITOR_CLASS_BYTE || monitorClass > MONITOR_CLASS_DWORD)
            continue;
        project.MonitorAddressLists[monitorClass - 1].push_back(code);
        item->operand = key;
        item->address = code;
        project.Monitor.MonitorCodeMap[code] = item.get();
    }
}

int MonitorReplyLength(const CZULAppData& app)
{
    int length = 0;
    for (int list = 0; list < MONITOR_ADDRESS_LISTS; ++list)
        length += (list + 1) * static_cast<int>(app.Project.MonitorAddressLists[list].size());
    return length;
}

BYTE* SetBit(BYTE* byte, int bit)
{
    *byte = static_cast<BYTE>(*byte | (1u << (bit & 7)));
    return byte;
}

BYTE* SetByteBit(BYTE* byte, int bit, int value)
{
    if (value)
        return SetBit(byte, bit);
    *byte = static_cast<BYTE>(*byte & ~(1u << (bit & 7)));
    return byte;
}
