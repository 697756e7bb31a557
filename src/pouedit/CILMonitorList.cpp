#include "CILMonitorList.h"

void CILMonitorList::AddItem(const std::string& operand, const std::string& address, OperandTypeFlags flags,
                             BOOL showStatusBit)
{
    for (const CILMonitorItem& item : m_items) {
        if (item.operand == operand)
            return;
    }
    m_items.push_back({operand, address, flags, showStatusBit, std::string()});
}
