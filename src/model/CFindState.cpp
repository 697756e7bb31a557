#include "CFindState.h"

void CFindState::ResetResultTable(int action)
{
    Results.ResetRecords(action);
}

void CFindState::ResetMarkTable()
{
    MarkTable.ResetRecords(1);
}
