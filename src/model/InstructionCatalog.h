#pragma once
// The instruction catalogue of the ladder editor and the instruction tree,
// and the lookup maps of the application data built from it: every visible
// instruction by name, the contacts, the coils, a call interface for every
// function box and every function block.

#include "CInstructionDef.h"
#include "platform/WinTypes.h"

#include <string>

// Posted by the instruction catalogue to the active POU editor view on a
// double-click: wParam INSERT_* flags, lParam the CInstructionDef row or
// the CZULFunc of a subroutine.
constexpr UINT WM_INSERT_FROM_CATALOGUE = 0x464; // WM_USER + 100

constexpr int LD_INSTRUCTION_COUNT = 119;
constexpr int IL_INSTRUCTION_COUNT = 129;
constexpr int INSTRUCTION_CATEGORY_COUNT = 16;
// PHOME and the rows after it are not searched by GetBoxInstructionGroup.
constexpr int BOX_GROUP_SEARCH_ROWS = 110;

// A catalogue category: its caption and its contiguous rows in each table.
struct CInstructionCategory {
    const char* name;
    int ldFirst;
    int ldLast;
    int ilFirst;
    int ilLast;
};

extern const CInstructionDef g_LDInstructionTable[LD_INSTRUCTION_COUNT];
extern const CInstructionDef g_ILInstructionTable[IL_INSTRUCTION_COUNT];
extern const CInstructionCategory g_InstructionCategories[INSTRUCTION_CATEGORY_COUNT];

// The group of a function box or function block row before PHOME; -1 for an
// empty name, a contact or coil, PHOME and later rows, or an unknown name.
int GetBoxInstructionGroup(const std::string& name);
