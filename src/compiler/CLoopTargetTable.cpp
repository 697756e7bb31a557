#include "CLoopTargetTable.h"

#include "CCompileState.h"
#include "model/CpuProfile.h"

BOOL CLoopTargetTable::Add(int key, int target)
{
    if (m_count >= LOOP_TARGET_CAPACITY || key == 0 || key >= MaxInstructions)
        return FALSE;
    m_entries[m_count].key = key;
    m_entries[m_count].target = target;
    ++m_count;
    return TRUE;
}

BOOL CLoopTargetTable::Lookup(int key, WORD& target) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].key == key) {
            target = static_cast<WORD>(m_entries[i].target);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL AddLoopTarget(int key, int target)
{
    return g_CompileState.LoopTargets.Add(key, target);
}

BOOL LookupLoopTarget(int key, WORD& target)
{
    return g_CompileState.LoopTargets.Lookup(key, target);
}
