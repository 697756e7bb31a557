#include "InstructionCatalog.h"

#include "CZULAppData.h"
#include "CZULFB.h"
#include "CZULFunc.h"
#include "OperandTypeFlags.h"
#include "platform/ByteString.h"

#include <array>
#include <cstring>

namespace {

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
constexpr DWORD COMPARE_TYPES = OT_BYTE | OT_INT | OT_DINT | OT_REAL;
constexpr DWORD BIT_STRING = OT_BYTE | OT_WORD | OT_DWORD;
constexpr DWORD ARITHMETIC_TYPES = OT_INT | OT_DINT | OT_REAL;
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

// The rows that the catalogue maps point to: copies of the visible rows
// without their CPU mask and IEC flag, which only the instruction tree reads.
std::array<CInstructionDef, LD_INSTRUCTION_COUNT>& CatalogRows()
{
    static std::array<CInstructionDef, LD_INSTRUCTION_COUNT> rows = [] {
        std::array<CInstructionDef, LD_INSTRUCTION_COUNT> copies {};
        for (int i = 0; i < LD_INSTRUCTION_COUNT; ++i) {
            copies[size_t(i)] = g_LDInstructionTable[i];
            copies[size_t(i)].cpuMask = 0;
            copies[size_t(i)].iecFlag = 0;
        }
        return copies;
    }();
    return rows;
}

template <class Interface>
void AddPins(Interface& target, const CInstructionDef& row)
{
    for (int pin = 0; pin < row.pinCount && pin < INSTRUCTION_PIN_SLOTS; ++pin) {
        auto* para = new CZULFBPara;
        para->name = row.pinNames[pin];
        para->flags = row.pinMasks[pin];
        if (row.pinMasks[pin] & OT_INPUT)
            target.AddInput(para);
        else
            target.AddOutput(para);
    }
}

std::string LookupName(const std::string& name)
{
    return ByteString::Upper(ByteString::Trim(name));
}

} // namespace

// Fields: name, kind, group, pin count, pin names, pin masks, visible,
// description, CPU mask, IEC flag.
const CInstructionDef g_LDInstructionTable[LD_INSTRUCTION_COUNT] = {
    {"-| |-", 1, 0, 1, {""}, {CONTACT_PIN}, 1, "Normally Open Contact", 0xFF, 1},
    {"-|/|-", 1, 0, 1, {""}, {CONTACT_PIN}, 1, "Normally Closed Contact", 0xFF, 1},
    {"-|I|-", 1, 0, 1, {""}, {IMMEDIATE_CONTACT_PIN}, 1, "Immediate Normally Open Contact", 0xFF, 0},
    {"-|/I|-", 1, 0, 1, {""}, {IMMEDIATE_CONTACT_PIN}, 1, "Immediate Normally Closed Contact", 0xFF, 0},
    {"NCR", 3, 0, 2, {"IN", "Q"}, {BOOL_IN, BOOL_OUT}, 1, "Invert Power Flow", 0xD4, 0},
    {"-(NUL)", 2, 0, 0, {}, {}, 1, "Empty Coil", 0xFF, 0},
    {"-( )", 2, 0, 1, {""}, {COIL_PIN}, 1, "Output Coil", 0xFF, 1},
    {"-(/)", 2, 0, 1, {""}, {COIL_PIN}, 1, "Negated Output Coil", 0xD4, 1},
    {"-(I)", 2, 0, 1, {""}, {IMMEDIATE_COIL_PIN}, 1, "Immediate Output Coil", 0xFF, 0},
    {"-(S)", 2, 0, 1, {""}, {COIL_PIN}, 1, "Set Coil", 0xFF, 1},
    {"-(SI)", 2, 0, 1, {""}, {IMMEDIATE_COIL_PIN}, 1, "Immediate Set Coil", 0xFF, 0},
    {"-(R)", 2, 0, 1, {""}, {COIL_PIN}, 1, "Reset Coil", 0xFF, 1},
    {"-(RI)", 2, 0, 1, {""}, {IMMEDIATE_COIL_PIN}, 1, "Immediate Reset Coil", 0xFF, 0},
    {"R_TRIG", 3, 0, 2, {"CLK", "Q"}, {BOOL_IN, BOOL_OUT}, 1, "Rising Edge Detection", 0xFF, 1},
    {"F_TRIG", 3, 0, 2, {"CLK", "Q"}, {BOOL_IN, BOOL_OUT}, 1, "Falling Edge Detection", 0xFF, 1},
    {"RS", 4, 0, 3, {"S", "R1", "Q1"}, {BOOL_IN, BOOL_IN, BOOL_OUT}, 1, "Reset Dominant Bistable", 0xD4, 1},
    {"SR", 4, 0, 3, {"S1", "R", "Q1"}, {BOOL_IN, BOOL_IN, BOOL_OUT}, 1, "Set Dominant Bistable", 0xD4, 1},
    {"NOP", 3, 0, 3, {"EN", "N", "ENO"}, {BOOL_IN, INT_CONSTANT, BOOL_OUT}, 1, "No Operation", 0xD4, 0},
    {"ALT", 3, 0, 3, {"IN", "ENO", "Q"}, {BOOL_IN, BOOL_OUT, RdOut(OT_BOOL)}, 1, "Alternate Output", 0xD4, 0},
    {"MOVE", 3, 14, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(ANY_NUM), BOOL_OUT, Out(ANY_NUM)}, 1, "Move Value", 0xFF, 1},
    {"BLKMOVE", 3, 1, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(ANY_NUM), In(OT_BYTE), BOOL_OUT, Out(ANY_NUM)}, 1, "Block Move", 0xFF, 0},
    {"FILL", 3, 1, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(OT_WORD), INT_CONSTANT, BOOL_OUT, Out(OT_WORD)}, 1, "Memory Fill", 0xFF, 0},
    {"SWAP", 3, 15, 3, {"EN", "IN", "ENO"}, {BOOL_IN, InOut(OT_WORD), BOOL_OUT}, 1, "Swap Bytes", 0xD4, 0},
    {"GT", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Compare Greater Than", 0xFF, 1},
    {"GE", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Compare Greater Than or Equal", 0xFF, 1},
    {"EQ", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Compare Equal", 0xFF, 1},
    {"NE", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Compare Not Equal", 0xFF, 1},
    {"LT", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Compare Less Than", 0xFF, 1},
    {"LE", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Compare Less Than or Equal", 0xFF, 1},
    {"NOT", 3, 3, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Bitwise Invert", 0xFF, 1},
    {"AND", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Bitwise AND", 0xFF, 1},
    {"ANDN", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Bitwise AND NOT", 0xFF, 1},
    {"OR", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Bitwise OR", 0xFF, 1},
    {"ORN", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Bitwise OR NOT", 0xFF, 1},
    {"XOR", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Bitwise Exclusive OR", 0xFF, 1},
    {"SHL", 3, 4, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(OT_BYTE), BOOL_OUT, Out(BIT_STRING)}, 1, "Shift Left", 0xFF, 1},
    {"ROL", 3, 4, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(OT_BYTE), BOOL_OUT, Out(BIT_STRING)}, 1, "Rotate Left", 0xFF, 1},
    {"SHL_BLK", 3, 15, 6, {"EN", "S_DATA", "S_N", "D_DATA", "D_N", "ENO"}, {BOOL_IN, BOOL_IN, In(OT_INT), InOut(OT_BOOL), In(OT_INT), BOOL_OUT}, 1, "Shift Bit Block Left", 0xD4, 0},
    {"SHR", 3, 4, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(OT_BYTE), BOOL_OUT, Out(BIT_STRING)}, 1, "Shift Right", 0xFF, 1},
    {"ROR", 3, 4, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(OT_BYTE), BOOL_OUT, Out(BIT_STRING)}, 1, "Rotate Right", 0xFF, 1},
    {"SHR_BLK", 3, 15, 6, {"EN", "S_DATA", "S_N", "D_DATA", "D_N", "ENO"}, {BOOL_IN, BOOL_IN, In(OT_INT), InOut(OT_BOOL), In(OT_INT), BOOL_OUT}, 1, "Shift Bit Block Right", 0xD4, 0},
    {"B_TO_I", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_BYTE), BOOL_OUT, Out(OT_INT)}, 1, "Byte to Integer", 0xD4, 1},
    {"I_TO_B", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_BYTE)}, 1, "Integer to Byte", 0xD4, 1},
    {"DI_TO_I", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_DINT), BOOL_OUT, Out(OT_INT)}, 1, "Double Integer to Integer", 0xD4, 1},
    {"I_TO_DI", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_DINT)}, 1, "Integer to Double Integer", 0xD4, 1},
    {"DI_TO_R", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_DINT), BOOL_OUT, Out(OT_REAL)}, 1, "Double Integer to Real", 0xFF, 1},
    {"R_TO_DI", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_DINT)}, 1, "Real to Double Integer", 0xFF, 1},
    {"BCD_TO_I", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_WORD), BOOL_OUT, Out(OT_INT)}, 1, "BCD to Integer", 0xD4, 1},
    {"I_TO_BCD", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_WORD)}, 1, "Integer to BCD", 0xD4, 1},
    {"I_TO_A", 3, 1, 5, {"EN", "IN", "FMT", "ENO", "OUT"}, {BOOL_IN, In(OT_INT), INT_CONSTANT, BOOL_OUT, ASCII_OUT}, 1, "Integer to ASCII", 0xD4, 0},
    {"DI_TO_A", 3, 1, 5, {"EN", "IN", "FMT", "ENO", "OUT"}, {BOOL_IN, In(OT_DINT), INT_CONSTANT, BOOL_OUT, ASCII_OUT}, 1, "Double Integer to ASCII", 0xD4, 0},
    {"R_TO_A", 3, 1, 5, {"EN", "IN", "FMT", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), INT_CONSTANT, BOOL_OUT, ASCII_OUT}, 1, "Real to ASCII", 0xD4, 0},
    {"H_TO_A", 3, 1, 5, {"EN", "IN", "LEN", "ENO", "OUT"}, {BOOL_IN, In(OT_BYTE), In(OT_BYTE), BOOL_OUT, ASCII_OUT}, 1, "Hexadecimal to ASCII", 0xD4, 0},
    {"A_TO_H", 3, 1, 5, {"EN", "IN", "LEN", "ENO", "OUT"}, {BOOL_IN, In(OT_BYTE), In(OT_BYTE), BOOL_OUT, ASCII_OUT}, 1, "ASCII to Hexadecimal", 0xD4, 0},
    {"ENCO", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_WORD), BOOL_OUT, Out(OT_BYTE)}, 1, "Encode", 0xD4, 0},
    {"DECO", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_BYTE), BOOL_OUT, Out(OT_WORD)}, 1, "Decode", 0xD4, 0},
    {"SEG", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_BYTE), BOOL_OUT, Out(OT_BYTE)}, 1, "Seven Segment Display", 0xD4, 0},
    {"TRUNC", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_DINT)}, 1, "Truncate", 0xD4, 1},
    {"ADD", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(ARITHMETIC_TYPES), In(ARITHMETIC_TYPES), BOOL_OUT, Out(ARITHMETIC_TYPES)}, 1, "Add", 0xFF, 1},
    {"SUB", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(ARITHMETIC_TYPES), In(ARITHMETIC_TYPES), BOOL_OUT, Out(ARITHMETIC_TYPES)}, 1, "Subtract", 0xFF, 1},
    {"MUL", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(ARITHMETIC_TYPES), In(ARITHMETIC_TYPES), BOOL_OUT, Out(ARITHMETIC_TYPES)}, 1, "Multiply", 0xFF, 1},
    {"DIV", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(ARITHMETIC_TYPES), In(ARITHMETIC_TYPES), BOOL_OUT, Out(ARITHMETIC_TYPES)}, 1, "Divide", 0xFF, 1},
    {"MOD", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(OT_INT | OT_DINT), In(OT_INT | OT_DINT), BOOL_OUT, Out(OT_INT | OT_DINT)}, 1, "Modulo", 0xFF, 1},
    {"INC", 3, 6, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(INC_TYPES), BOOL_OUT, Out(INC_TYPES)}, 1, "Increment", 0xFF, 0},
    {"DEC", 3, 6, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(INC_TYPES), BOOL_OUT, Out(INC_TYPES)}, 1, "Decrement", 0xFF, 0},
    {"SQRT", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Square Root", 0xD4, 1},
    {"LN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Natural Logarithm", 0xD4, 1},
    {"LOG", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Common Logarithm", 0xD4, 1},
    {"EXP", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Natural Exponential", 0xD4, 1},
    {"SIN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Sine", 0xD4, 1},
    {"COS", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Cosine", 0xD4, 1},
    {"TAN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Tangent", 0xD4, 1},
    {"ASIN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Arc Sine", 0xD4, 1},
    {"ACOS", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Arc Cosine", 0xD4, 1},
    {"ATAN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Arc Tangent", 0xD4, 1},
    {"ABS", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Absolute Value", 0xD4, 1},
    {"FOR", 3, 7, 5, {"EN", "INDX", "INIT", "FINAL", "ENO"}, {BOOL_IN, LOOP_INDEX, In(OT_INT), In(OT_INT), BOOL_OUT}, 1, "For Loop", 0xD4, 0},
    {"-(NEXT)", 2, 7, 0, {}, {}, 1, "End of For Loop", 0xD4, 0},
    {"-(LBL)", 2, 7, 1, {""}, {LABEL_PIN}, 1, "Label", 0xFF, 1},
    {"-(JMP)", 2, 7, 1, {""}, {LABEL_PIN}, 1, "Jump to Label", 0xFF, 1},
    {"-(JMPC)", 2, 7, 1, {""}, {LABEL_PIN}, 1, "Conditional Jump to Label", 0xFF, 1},
    {"-(JMPCN)", 2, 7, 1, {""}, {LABEL_PIN}, 1, "Negated Conditional Jump to Label", 0xFF, 1},
    {"-(RET)", 2, 7, 0, {}, {}, 0, "Return", 0x00, 1},
    {"-(RETC)", 2, 7, 0, {}, {}, 1, "Conditional Return", 0xFF, 1},
    {"-(RETCN)", 2, 7, 0, {}, {}, 1, "Negated Conditional Return", 0xFF, 1},
    {"-(END)", 2, 7, 0, {}, {}, 1, "Conditional End", 0xD4, 0},
    {"-(STOP)", 2, 7, 0, {}, {}, 1, "Stop", 0xD4, 0},
    {"-(WDR)", 2, 7, 0, {}, {}, 1, "Watchdog Reset", 0xD4, 0},
    {"-(ENI)", 2, 11, 0, {}, {}, 1, "Enable Interrupts", 0xFF, 0},
    {"-(DISI)", 2, 11, 0, {}, {}, 1, "Disable Interrupts", 0xFF, 0},
    {"ATCH", 3, 11, 4, {"EN", "INT", "EVENT", "ENO"}, {BOOL_IN, ROUTINE_REF, INT_CONSTANT, BOOL_OUT}, 1, "Attach Interrupt", 0xFF, 0},
    {"DTCH", 3, 11, 3, {"EN", "EVENT", "ENO"}, {BOOL_IN, INT_CONSTANT, BOOL_OUT}, 1, "Detach Interrupt", 0xFF, 0},
    {"READ_RTC", 3, 8, 3, {"EN", "ENO", "T"}, {BOOL_IN, BOOL_OUT, CLOCK_BUFFER_OUT}, 1, "Read Real-Time Clock", 0xDE, 0},
    {"SET_RTC", 3, 8, 3, {"EN", "ENO", "T"}, {BOOL_IN, BOOL_OUT, CLOCK_BUFFER_IN}, 1, "Set Real-Time Clock", 0xDE, 0},
    {"XMT", 3, 9, 4, {"EN", "TBL", "PORT", "ENO"}, {BOOL_IN, TABLE_IN, INT_CONSTANT, BOOL_OUT}, 1, "Transmit", 0xFF, 0},
    {"RCV", 3, 9, 4, {"EN", "TBL", "PORT", "ENO"}, {BOOL_IN, TABLE_OUT, INT_CONSTANT, BOOL_OUT}, 1, "Receive", 0xFF, 0},
    {"MBUSR", 3, 16, 10, {"EN", "EXEC", "PORT", "SLAVE", "FUN", "ADDR", "COUNT", "ENO", "READ", "RES"}, {BOOL_IN, BOOL_IN, INT_CONSTANT, In(OT_INT), INT_CONSTANT, In(OT_INT), In(OT_INT), BOOL_OUT, Out(MODBUS_DATA), Out(OT_BYTE)}, 1, "Modbus Master Read", 0xD4, 0},
    {"MBUSW", 3, 16, 10, {"EN", "EXEC", "PORT", "SLAVE", "FUN", "ADDR", "COUNT", "WRITE", "ENO", "RES"}, {BOOL_IN, BOOL_IN, INT_CONSTANT, In(OT_INT), INT_CONSTANT, In(OT_INT), In(OT_INT), In(MODBUS_DATA), BOOL_OUT, Out(OT_BYTE)}, 1, "Modbus Master Write", 0xD4, 0},
    {"SDO_WRITE", 3, 17, 10, {"EN", "EXEC", "NODE", "INDEX", "SUBINDEX", "DATA", "DATALEN", "ENO", "DONE", "ERROR"}, {BOOL_IN, BOOL_IN, In(OT_BYTE), In(OT_WORD), In(OT_BYTE), In(OT_BYTE), In(OT_BYTE), BOOL_OUT, BOOL_OUT, Out(OT_DWORD)}, 0, "CANOPEN SDO write", 0xC0, 0},
    {"SDO_READ", 3, 17, 10, {"EN", "EXEC", "NODE", "INDEX", "SUBINDEX", "ENO", "DATA", "DATALEN", "DONE", "ERROR"}, {BOOL_IN, BOOL_IN, In(OT_BYTE), In(OT_WORD), In(OT_BYTE), BOOL_OUT, Out(OT_BYTE), Out(OT_BYTE), BOOL_OUT, Out(OT_DWORD)}, 0, "CANOPEN SDO read", 0xC0, 0},
    {"CTU", 4, 10, 5, {"CU", "R", "PV", "Q", "CV"}, {BOOL_IN, BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Up Counter", 0xFF, 1},
    {"CTD", 4, 10, 5, {"CD", "LD", "PV", "Q", "CV"}, {BOOL_IN, BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Down Counter", 0xFF, 1},
    {"CTUD", 4, 10, 8, {"CU", "CD", "R", "LD", "PV", "QU", "QD", "CV"}, {BOOL_IN, BOOL_IN, BOOL_IN, BOOL_IN, In(OT_INT), BOOL_OUT, BOOL_OUT, Out(OT_INT)}, 1, "Up-Down Counter", 0xD4, 1},
    {"HDEF", 3, 15, 4, {"EN", "HSC", "MODE", "ENO"}, {BOOL_IN, INT_CONSTANT, INT_CONSTANT, BOOL_OUT}, 1, "High-Speed Counter Definition", 0xFF, 0},
    {"HSC", 3, 15, 3, {"EN", "N", "ENO"}, {BOOL_IN, INT_CONSTANT, BOOL_OUT}, 1, "High-Speed Counter", 0xFF, 0},
    {"PLS", 3, 15, 3, {"EN", "Q", "ENO"}, {BOOL_IN, INT_CONSTANT, BOOL_OUT}, 1, "Pulse Output", 0xDF, 0},
    {"TON", 4, 12, 4, {"IN", "PT", "Q", "ET"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "On-delay timing", 0xFF, 1},
    {"TOF", 4, 12, 4, {"IN", "PT", "Q", "ET"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Off-delay timing", 0xFF, 1},
    {"TP", 4, 12, 4, {"IN", "PT", "Q", "ET"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Pulse timing", 0xFF, 1},
    {"PID", 3, 13, 16, {"EN", "AUTO", "PV", "SP", "X0", "KP", "TR", "TD", "PV_H", "PV_L", "XOUTP_H", "XOUTP_L", "CYCLE", "ENO", "XOUT", "XOUTP"}, {BOOL_IN, BOOL_IN, In(OT_INT), In(OT_INT), In(OT_REAL), In(OT_REAL), In(OT_REAL), In(OT_REAL), In(OT_INT), In(OT_INT), In(OT_INT), In(OT_INT), In(OT_DINT), BOOL_OUT, Out(OT_REAL), Out(OT_INT)}, 1, "PID Loop", 0xDE, 0},
    {"PHOME", 3, 15, 14, {"EN", "AXIS", "EXEC", "HOME", "NHOME", "MODE", "DIRC", "MINF", "MAXF", "TIME", "ENO", "DONE", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, BOOL_IN, BOOL_IN, In(OT_INT), BOOL_IN, In(OT_DINT), In(OT_DINT), In(OT_INT), BOOL_OUT, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Return to Home Position", 0xD4, 0},
    {"PABS", 3, 15, 11, {"EN", "AXIS", "EXEC", "MINF", "MAXF", "TIME", "POS", "ENO", "DONE", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, In(OT_DINT), In(OT_DINT), In(OT_INT), In(OT_DINT), BOOL_OUT, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Absolute Positioning", 0xD4, 0},
    {"PREL", 3, 15, 11, {"EN", "AXIS", "EXEC", "MINF", "MAXF", "TIME", "DIST", "ENO", "DONE", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, In(OT_DINT), In(OT_DINT), In(OT_INT), In(OT_DINT), BOOL_OUT, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Relative Positioning", 0xD4, 0},
    {"PJOG", 3, 15, 9, {"EN", "AXIS", "EXEC", "MINF", "DIRC", "ENO", "DONE", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, In(OT_DINT), BOOL_IN, BOOL_OUT, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Jog Positioning", 0xD4, 0},
    {"PSTOP", 3, 15, 6, {"EN", "AXIS", "EXEC", "ENO", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Stop Positioning", 0xD4, 0},
    {"SPD", 3, 15, 5, {"EN", "HSC", "TIME", "ENO", "PNUM"}, {BOOL_IN, INT_CONSTANT, In(OT_INT), BOOL_OUT, Out(OT_DINT)}, 1, "Pulse Speed Measurement", 0xD4, 0},
    {"LINCO", 3, 15, 10, {"EN", "IN_L", "IN_H", "OUT_L", "OUT_H", "RATIO", "IN", "ENO", "DOUT", "ROUT"}, {BOOL_IN, In(OT_INT), In(OT_INT), In(OT_INT), In(OT_INT), In(OT_REAL), In(OT_INT), BOOL_OUT, Out(OT_INT), Out(OT_REAL)}, 1, "Linear Conversion", 0xD4, 0},
    {"CRC16", 3, 1, 5, {"EN", "IN", "LEN", "ENO", "OUT"}, {BOOL_IN, In(OT_BYTE), In(OT_BYTE), BOOL_OUT, Out(OT_WORD)}, 1, "CRC-16 Checksum", 0xD4, 0},
    {"CUS", 3, 15, 5, {"EN", "IN", "FUN", "ENO", "OUT"}, {BOOL_IN, In(OT_WORD), INT_CONSTANT, BOOL_OUT, Out(OT_WORD)}, 0, "Custom Function", 0xD4, 0},
};

int GetBoxInstructionGroup(const std::string& name)
{
    const std::string wanted = LookupName(name);
    if (wanted.empty())
        return -1;
    for (int i = 0; i < BOX_GROUP_SEARCH_ROWS; ++i) {
        const CInstructionDef& row = g_LDInstructionTable[i];
        if ((row.kind == INSTRUCTION_KIND_FUNCTION || row.kind == INSTRUCTION_KIND_FB) && wanted == row.name)
            return row.group;
    }
    return -1;
}

void CZULAppData::BuildInstructionCatalog()
{
    for (CInstructionDef& row : CatalogRows()) {
        if (!row.visible)
            continue;
        const std::string name = row.name;
        InstructionCatalog[name] = &row;
        if (row.kind == INSTRUCTION_KIND_CONTACT)
            ContactCatalog[name] = &row;
        if (row.kind == INSTRUCTION_KIND_COIL)
            CoilCatalog[name] = &row;
        if (row.kind == INSTRUCTION_KIND_FUNCTION) {
            auto function = std::make_unique<CZULFunc>();
            function->Reset();
            function->SetName(name);
            AddPins(*function, row);
            FunctionCatalog[name] = std::move(function);
        }
        if (row.kind == INSTRUCTION_KIND_FB) {
            auto block = std::make_unique<CZULFB>();
            block->Reset();
            block->typeName = name;
            AddPins(*block, row);
            FBCatalog[name] = std::move(block);
        }
    }
}

int CZULAppData::LookupFunction(const std::string& name, CZULFunc& function) const
{
    const auto found = FunctionCatalog.find(LookupName(name));
    if (found == FunctionCatalog.end())
        return 0;
    function = *found->second;
    return 1;
}

int CZULAppData::LookupFunctionBlock(const std::string& name, CZULFB& block) const
{
    const auto found = FBCatalog.find(LookupName(name));
    if (found == FBCatalog.end())
        return 0;
    block = *found->second;
    return 1;
}

DWORD CZULAppData::GetFBPinFlags(const std::string& pinName, const std::string& fbName) const
{
    const auto found = FBCatalog.find(LookupName(fbName));
    CZULFBPara* para = nullptr;
    if (found == FBCatalog.end() || !found->second->FindPin(pinName, para) || !para)
        return 0;
    return para->flags;
}

DWORD CZULAppData::GetFunctionPinFlags(const std::string& pinName, const std::string& functionName) const
{
    const CZULFunc* function = nullptr;
    const auto catalogued = FunctionCatalog.find(LookupName(functionName));
    if (catalogued != FunctionCatalog.end()) {
        function = catalogued->second.get();
    } else {
        const auto& interfaces = Project.POUs.SubroutineInterfaces;
        const auto found = interfaces.find(ByteString::Trim(functionName));
        function = found == interfaces.end() ? nullptr : found->second;
    }
    CZULFBPara* para = nullptr;
    if (!function || !function->FindPin(pinName, para) || !para)
        return 0;
    return para->flags;
}
