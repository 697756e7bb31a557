#pragma once
// One row of the instruction catalogue: an instruction that the ladder
// editor can place and the instruction tree offers, with its pins.

#include "platform/WinTypes.h"

constexpr int INSTRUCTION_PIN_SLOTS = 17; // at most 16 used, the last always empty

// Kinds of catalogue rows.
constexpr int INSTRUCTION_KIND_IL = 0;
constexpr int INSTRUCTION_KIND_CONTACT = 1;
constexpr int INSTRUCTION_KIND_COIL = 2;
constexpr int INSTRUCTION_KIND_FUNCTION = 3;
constexpr int INSTRUCTION_KIND_FB = 4;

class CInstructionDef {
public:
    char name[10];
    int kind;
    int group;        // 0 to 17
    int pinCount;
    char pinNames[INSTRUCTION_PIN_SLOTS][9];
    DWORD pinMasks[INSTRUCTION_PIN_SLOTS]; // operand type flags of each pin
    int visible;      // 0: not shown and not in the catalogue maps
    char description[80];
    DWORD cpuMask;    // family bits that have the instruction
    DWORD iecFlag;    // 1 for the IEC instruction set
};
