#include "CFindState.h"

void CFindState::ResetResultTable(int action)
{
    for (int i = 1; i < FIND_TABLE_SIZE; ++i)
        Results[i].Reset(action);
}

void CFindState::ResetMarkTable()
{
    for (int i = 1; i < FIND_TABLE_SIZE; ++i)
        MarkTable[i].Reset();
}
