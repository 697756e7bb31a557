#pragma once
// One 32-bit word describes what an operand is and what a place that takes
// an operand accepts: the operand parsers return it for a piece of text, the
// instruction table and the catalogue pins use it as a mask, cross references
// and variable classes use its access bits.

#include "platform/WinTypes.h"

#include <cstdint>
#include <string>

using OperandTypeFlags = std::uint32_t;

// Data types (an operand lists every type it can be read as).
constexpr OperandTypeFlags OT_BOOL = 0x1;
constexpr OperandTypeFlags OT_BYTE = 0x2;
constexpr OperandTypeFlags OT_WORD = 0x4;
constexpr OperandTypeFlags OT_DWORD = 0x8;
constexpr OperandTypeFlags OT_INT = 0x10;
constexpr OperandTypeFlags OT_DINT = 0x20;
constexpr OperandTypeFlags OT_REAL = 0x40;
// "*" followed by a V double word: the value at the address it holds.
constexpr OperandTypeFlags OT_POINTER = 0x80;
// "&" followed by a V address: the address itself.
constexpr OperandTypeFlags OT_ADDRESS_OF = 0x100;
constexpr OperandTypeFlags OT_FORCEABLE = 0x200;
// A label number or a subroutine or interrupt-routine name.
constexpr OperandTypeFlags OT_POU_REF = 0x400;
constexpr OperandTypeFlags OT_DIRECT = 0x800;
constexpr OperandTypeFlags OT_CONSTANT = 0x1000;
constexpr OperandTypeFlags OT_INPUT = 0x2000;
constexpr OperandTypeFlags OT_OUTPUT = 0x4000;
constexpr OperandTypeFlags OT_READABLE = 0x8000;
constexpr OperandTypeFlags OT_WRITABLE = 0x10000;

// Memory areas (0x2000000 is never set).
constexpr OperandTypeFlags OT_AREA_I = 0x20000;
constexpr OperandTypeFlags OT_AREA_Q = 0x40000;
constexpr OperandTypeFlags OT_AREA_M = 0x80000;
constexpr OperandTypeFlags OT_AREA_SM = 0x100000;
constexpr OperandTypeFlags OT_AREA_T = 0x200000;
constexpr OperandTypeFlags OT_AREA_C = 0x400000;
constexpr OperandTypeFlags OT_AREA_V = 0x800000;
constexpr OperandTypeFlags OT_AREA_L = 0x1000000;
constexpr OperandTypeFlags OT_AREA_HC = 0x4000000;
constexpr OperandTypeFlags OT_AREA_AI = 0x8000000;
constexpr OperandTypeFlags OT_AREA_AQ = 0x10000000;
constexpr OperandTypeFlags OT_AREA_RS = 0x20000000;
constexpr OperandTypeFlags OT_AREA_SR = 0x40000000;
constexpr OperandTypeFlags OT_AREA_BR = 0x80000000;

// Groups the matching rules compare.
constexpr OperandTypeFlags OT_TYPE_BITS = 0x1FF;
constexpr OperandTypeFlags OT_AREA_BITS = 0xFFFE0000;
// The width of a memory area's unit: bit, byte, word or double word.
constexpr OperandTypeFlags OT_WIDTH_BITS = OT_BOOL | OT_BYTE | OT_WORD | OT_DWORD;
constexpr OperandTypeFlags OT_DIRECTION_BITS = OT_INPUT | OT_OUTPUT;
constexpr OperandTypeFlags OT_ACCESS_BITS = OT_READABLE | OT_WRITABLE;

// Common type combinations of addresses.
constexpr OperandTypeFlags OT_WORD_INT = OT_WORD | OT_INT;
constexpr OperandTypeFlags OT_DWORD_DINT = OT_DWORD | OT_DINT;
constexpr OperandTypeFlags OT_BOOL_WORD_INT = OT_BOOL | OT_WORD | OT_INT;

// Variable classes of the local-variable tables.
constexpr OperandTypeFlags OT_VAR_INPUT = OT_READABLE | OT_INPUT;                              // 0xA000
constexpr OperandTypeFlags OT_VAR_IN_OUT = OT_WRITABLE | OT_READABLE | OT_OUTPUT | OT_INPUT;   // 0x1E000
constexpr OperandTypeFlags OT_VAR_OUTPUT = OT_WRITABLE | OT_READABLE | OT_OUTPUT;              // 0x1C000
constexpr OperandTypeFlags OT_VAR = OT_WRITABLE | OT_READABLE;                                 // 0x18000
// EN and ENO parameters of a call interface.
constexpr OperandTypeFlags OT_EN_PARAM = OT_INPUT | OT_BOOL;    // 0x2001
constexpr OperandTypeFlags OT_ENO_PARAM = OT_OUTPUT | OT_BOOL;  // 0x4001

// One row of the data-type names, in the order BOOL, BYTE, WORD, DWORD, INT, DINT, REAL.
struct DataTypeName {
    const char* name;
    OperandTypeFlags bit;
};
constexpr int DATA_TYPE_COUNT = 7;
extern const DataTypeName g_DataTypeNames[DATA_TYPE_COUNT];

// Readable becomes input, writable becomes output; every other bit is dropped.
OperandTypeFlags AccessToParamFlags(OperandTypeFlags flags);

// The IEEE single whose bit pattern is the value.
float DwordToFloat(DWORD bits);

// The value reassembled from its four bytes, low byte first.
DWORD RebuildDwordFromBytes(DWORD value);

// Packed BCD to binary (0x59 -> 59) and back (59 -> 0x59), kept to 8 bits.
BYTE BcdToByte(BYTE bcd);
BYTE ByteToBcd(BYTE value);

// Base-2 digits, most significant first, without leading zeros; 0 gives "0".
void FormatBinaryString(DWORD value, std::string& text);
