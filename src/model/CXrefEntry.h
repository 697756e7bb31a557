#pragma once
// One cross reference: a use of a direct address, timer, counter or
// flip-flop by the program. In the store it is a node of its slot's list; as
// a row of a collected array its next is null.

#include "platform/WinTypes.h"

#include <string>

constexpr int XREF_TYPE_BOOL = 1;
constexpr int XREF_TYPE_BYTE = 2;
constexpr int XREF_TYPE_WORD = 4;
constexpr int XREF_TYPE_DWORD = 8;

struct CXrefEntry {
    std::string address;    // as the compiler passed it, "*" or "&" included
    int type = 0;           // XREF_TYPE_*
    WORD positionKind = 0;  // 1 network of an LD program, 2 row of an IL program
    int access = 0;         // 0x8000 read, 0x10000 written
    int number = 0;         // network or row
    std::string pou;        // label of the POU
    CXrefEntry* next = nullptr;
};
