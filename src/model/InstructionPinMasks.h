#pragma once
// Operand type flags of the pins of the instruction catalogue rows, shared by
// the LD and the IL instruction tables.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

namespace InstructionPinMasks {

// Pin masks of the catalogue rows (operand type flags).
constexpr DWORD CONTACT_PIN = 0x61FEB001;           // BOOL input that also takes a constant
constexpr DWORD IMMEDIATE_CONTACT_PIN = 0x0002A001; // area I only
constexpr DWORD COIL_PIN = 0x019D4001;
constexpr DWORD IMMEDIATE_COIL_PIN = 0x00054001;    // area Q only
constexpr DWORD LABEL_PIN = 0x00000400;
constexpr DWORD BOOL_IN = 0x61FEA001;               // I Q M SM T C V L RS SR, input, reads
constexpr DWORD BOOL_OUT = 0x019D4001;              // Q M SM V L, output, writes
constexpr DWORD INT_CONSTANT = 0x0000B010;

constexpr DWORD AREAS_MVL = OT_AREA_M | OT_AREA_V | OT_AREA_L;
constexpr DWORD AREAS_WRITABLE = OT_AREA_Q | OT_AREA_M | OT_AREA_SM | OT_AREA_V | OT_AREA_L;
constexpr DWORD AREAS_BYTE_READ = OT_AREA_I | AREAS_WRITABLE;

// Type sets of generic pins.
constexpr DWORD ANY_NUM = OT_BYTE | OT_WORD | OT_DWORD | OT_INT | OT_DINT | OT_REAL;
constexpr DWORD ANY_NUM_POINTER = ANY_NUM | OT_POINTER;
constexpr DWORD COMPARE_TYPES = OT_BYTE | OT_INT | OT_DINT | OT_REAL | OT_POINTER;
constexpr DWORD BIT_STRING = OT_BYTE | OT_WORD | OT_DWORD;
constexpr DWORD ARITHMETIC_TYPES = OT_INT | OT_DINT | OT_REAL | OT_POINTER;
constexpr DWORD INC_TYPES = OT_BYTE | OT_INT | OT_DINT;
constexpr DWORD MODBUS_DATA = OT_BOOL | OT_WORD | OT_INT;

// Areas that may hold an operand of the types, read and written.
constexpr DWORD ReadAreas(DWORD types)
{
    DWORD areas = 0;
    if (types & OT_BOOL)
        areas |= 0x61FE0000;
    if (types & (OT_BYTE | OT_WORD | OT_DWORD))
        areas |= AREAS_BYTE_READ;
    if (types & OT_INT)
        areas |= AREAS_BYTE_READ | OT_AREA_T | OT_AREA_C | OT_AREA_AI | OT_AREA_AQ;
    if (types & OT_DINT)
        areas |= AREAS_BYTE_READ | OT_AREA_HC;
    if (types & OT_REAL)
        areas |= OT_AREA_V | OT_AREA_L;
    return areas;
}

constexpr DWORD WrittenAreas(DWORD types)
{
    DWORD areas = 0;
    if (types & (OT_BOOL | OT_BYTE | OT_WORD | OT_DWORD | OT_DINT))
        areas |= AREAS_WRITABLE;
    if (types & OT_INT)
        areas |= AREAS_WRITABLE | OT_AREA_AQ;
    if (types & OT_REAL)
        areas |= OT_AREA_V | OT_AREA_L;
    return areas;
}

// An input pin: memory of the types or a constant.
constexpr DWORD In(DWORD types)
{
    return types | OT_CONSTANT | OT_INPUT | OT_READABLE | ReadAreas(types);
}

constexpr DWORD Out(DWORD types)
{
    return types | OT_OUTPUT | OT_WRITABLE | WrittenAreas(types);
}

// An input pin whose operand the instruction also writes.
constexpr DWORD InOut(DWORD types)
{
    return types | OT_INPUT | OT_READABLE | OT_WRITABLE | WrittenAreas(types);
}

// An output pin whose operand the instruction also reads.
constexpr DWORD RdOut(DWORD types)
{
    return Out(types) | OT_READABLE;
}

constexpr DWORD ASCII_OUT = OT_BYTE | OT_OUTPUT | OT_WRITABLE | AREAS_MVL;
constexpr DWORD LOOP_INDEX = OT_INT | OT_INPUT | OT_READABLE | OT_WRITABLE | AREAS_MVL | OT_AREA_SM;
constexpr DWORD ROUTINE_REF = OT_POU_REF | OT_CONSTANT | OT_INPUT | OT_READABLE;
constexpr DWORD CLOCK_BUFFER_OUT = OT_BYTE | OT_OUTPUT | OT_WRITABLE | AREAS_MVL;
constexpr DWORD CLOCK_BUFFER_IN = OT_BYTE | OT_OUTPUT | OT_READABLE | AREAS_MVL;
constexpr DWORD TABLE_IN = OT_BYTE | OT_INPUT | OT_READABLE | AREAS_MVL;
constexpr DWORD TABLE_OUT = OT_BYTE | OT_INPUT | OT_WRITABLE | AREAS_MVL;

// The PID loop's process value, set point start and cycle come from memory only.
constexpr DWORD PID_PV = OT_INT | OT_INPUT | OT_READABLE | OT_AREA_AI | AREAS_MVL;
constexpr DWORD PID_X0 = OT_REAL | OT_INPUT | OT_READABLE | OT_AREA_V | OT_AREA_L;
constexpr DWORD PID_CYCLE = OT_DINT | OT_INPUT | OT_READABLE | AREAS_MVL;
// The ENO of the Modbus and SDO boxes takes any operand unchecked.
constexpr DWORD NO_CHECK = 0;

} // namespace InstructionPinMasks
