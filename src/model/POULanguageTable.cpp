#include "POULanguageTable.h"

#include <cstring>

BYTE g_POULanguageTable[POU_LANGUAGE_TABLE_BYTES] = {};

void ClearPOULanguageTable()
{
    std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
}
