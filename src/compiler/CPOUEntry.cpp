#include "CPOUEntry.h"

std::string CPOUEntry::GetName(BOOL which) const
{
    return which ? name : label;
}

std::string CPOUEntry::GetCallee(int index) const
{
    if (index < 0 || index >= MAX_CALLEES)
        return std::string();
    return calleeLabels[index];
}

BOOL CPOUEntry::AddCallee(const std::string& callee)
{
    if (callee.empty())
        return FALSE;
    for (int i = 0; i < calleeCount; ++i) {
        if (calleeLabels[i] == callee)
            return TRUE;
    }
    if (calleeCount >= MAX_CALLEES)
        return FALSE;
    calleeLabels[calleeCount++] = callee;
    return TRUE;
}
