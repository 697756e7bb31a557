#include "CVariableEntry.h"

CVariableEntry::~CVariableEntry()
{
    CVariableEntry* rest = next;
    next = nullptr;
    while (rest) {
        CVariableEntry* following = rest->next;
        rest->next = nullptr;
        delete rest;
        rest = following;
    }
}
