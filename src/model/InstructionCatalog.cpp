#include "InstructionCatalog.h"

#include "CZULAppData.h"
#include "CZULFB.h"
#include "CZULFunc.h"
#include "InstructionPinMasks.h"
#include "platform/ByteString.h"

#include <array>
#include <cstring>

namespace {

using namespace InstructionPinMasks;

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
    {"-|/|-", 1, 0, 1, {""}, {BOOL_IN}, 1, "Normally Closed Contact", 0xFF, 1},
    {"-|I|-", 1, 0, 1, {""}, {IMMEDIATE_CONTACT_PIN}, 1, "Normally Open Contact Immediate", 0xFF, 0},
    {"-|/I|-", 1, 0, 1, {""}, {IMMEDIATE_CONTACT_PIN}, 1, "Normally Closed Contact Immediate", 0xFF, 0},
    {"NCR", 3, 0, 2, {"IN", "Q"}, {BOOL_IN, BOOL_OUT}, 1, "Not", 0xD4, 0},
    {"-(NUL)", 2, 0, 0, {}, {}, 1, "Null", 0xFF, 0},
    {"-( )", 2, 0, 1, {""}, {COIL_PIN}, 1, "Coil", 0xFF, 1},
    {"-(/)", 2, 0, 1, {""}, {COIL_PIN}, 1, "Negated coil", 0xD4, 1},
    {"-(I)", 2, 0, 1, {""}, {IMMEDIATE_COIL_PIN}, 1, "Coil Immediate", 0xFF, 0},
    {"-(S)", 2, 0, 1, {""}, {COIL_PIN}, 1, "SET Coil", 0xFF, 1},
    {"-(SI)", 2, 0, 1, {""}, {IMMEDIATE_COIL_PIN}, 1, "SET Coil Immediate", 0xFF, 0},
    {"-(R)", 2, 0, 1, {""}, {COIL_PIN}, 1, "RESET Coil", 0xFF, 1},
    {"-(RI)", 2, 0, 1, {""}, {IMMEDIATE_COIL_PIN}, 1, "RESET Coil Immediate", 0xFF, 0},
    {"R_TRIG", 3, 0, 2, {"CLK", "Q"}, {BOOL_IN, BOOL_OUT}, 1, "Rising edge detector", 0xFF, 1},
    {"F_TRIG", 3, 0, 2, {"CLK", "Q"}, {BOOL_IN, BOOL_OUT}, 1, "Falling edge detector", 0xFF, 1},
    {"RS", 4, 0, 3, {"S", "R1", "Q1"}, {BOOL_IN, BOOL_IN, BOOL_OUT}, 1, "Reset-Dominant Bistable", 0xD4, 1},
    {"SR", 4, 0, 3, {"S1", "R", "Q1"}, {BOOL_IN, BOOL_IN, BOOL_OUT}, 1, "Set-Dominant Bistable", 0xD4, 1},
    {"NOP", 3, 0, 3, {"EN", "N", "ENO"}, {BOOL_IN, INT_CONSTANT, BOOL_OUT}, 1, "No operation", 0xD4, 0},
    {"ALT", 3, 0, 3, {"IN", "ENO", "Q"}, {BOOL_IN, BOOL_OUT, RdOut(OT_BOOL)}, 1, "Alternate", 0xD4, 0},
    {"MOVE", 3, 14, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(ANY_NUM_POINTER), BOOL_OUT, Out(ANY_NUM_POINTER)}, 1, "Move", 0xFF, 1},
    {"BLKMOVE", 3, 1, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(ANY_NUM_POINTER), In(OT_BYTE | OT_POINTER), BOOL_OUT, Out(ANY_NUM_POINTER)}, 1, "Block Move", 0xFF, 0},
    {"FILL", 3, 1, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(OT_WORD), INT_CONSTANT, BOOL_OUT, Out(OT_WORD | OT_POINTER)}, 1, "Fill Memory", 0xFF, 0},
    {"SWAP", 3, 15, 3, {"EN", "IN", "ENO"}, {BOOL_IN, InOut(OT_WORD | OT_POINTER), BOOL_OUT}, 1, "Exchange Words or Dwords", 0xD4, 0},
    {"GT", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Greater Than", 0xFF, 1},
    {"GE", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Greater Than or Equal", 0xFF, 1},
    {"EQ", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Equal", 0xFF, 1},
    {"NE", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Not Equal", 0xFF, 1},
    {"LT", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Less Than", 0xFF, 1},
    {"LE", 3, 2, 4, {"EN", "IN1", "IN2", "OUT"}, {BOOL_IN, In(COMPARE_TYPES), In(COMPARE_TYPES), BOOL_OUT}, 1, "Less Than or Equal", 0xFF, 1},
    {"NOT", 3, 3, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Logical Not", 0xFF, 1},
    {"AND", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Logical And", 0xFF, 1},
    {"ANDN", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Logical And Not", 0xFF, 1},
    {"OR", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Logical Or", 0xFF, 1},
    {"ORN", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Logical Or Not", 0xFF, 1},
    {"XOR", 3, 3, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(BIT_STRING), BOOL_OUT, Out(BIT_STRING)}, 1, "Logical Exclusive Or", 0xFF, 1},
    {"SHL", 3, 4, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(OT_BYTE), BOOL_OUT, Out(BIT_STRING)}, 1, "Shift Left", 0xFF, 1},
    {"ROL", 3, 4, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(OT_BYTE), BOOL_OUT, Out(BIT_STRING)}, 1, "Rotate Left", 0xFF, 1},
    {"SHL_BLK", 3, 15, 6, {"EN", "S_DATA", "S_N", "D_DATA", "D_N", "ENO"}, {BOOL_IN, BOOL_IN, In(OT_INT | OT_POINTER), InOut(OT_BOOL), In(OT_INT | OT_POINTER), BOOL_OUT}, 1, "Block Shift Left", 0xD4, 0},
    {"SHR", 3, 4, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(OT_BYTE), BOOL_OUT, Out(BIT_STRING)}, 1, "Shift Right", 0xFF, 1},
    {"ROR", 3, 4, 5, {"EN", "IN", "N", "ENO", "OUT"}, {BOOL_IN, In(BIT_STRING), In(OT_BYTE), BOOL_OUT, Out(BIT_STRING)}, 1, "Rotate Right", 0xFF, 1},
    {"SHR_BLK", 3, 15, 6, {"EN", "S_DATA", "S_N", "D_DATA", "D_N", "ENO"}, {BOOL_IN, BOOL_IN, In(OT_INT | OT_POINTER), InOut(OT_BOOL), In(OT_INT | OT_POINTER), BOOL_OUT}, 1, "Block Shift Right", 0xD4, 0},
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
    {"SEG", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_BYTE), BOOL_OUT, Out(OT_BYTE)}, 1, "Segment", 0xD4, 0},
    {"TRUNC", 3, 5, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_DINT)}, 1, "Truncate the fraction of a REAL number", 0xD4, 1},
    {"ADD", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(ARITHMETIC_TYPES), In(ARITHMETIC_TYPES), BOOL_OUT, Out(ARITHMETIC_TYPES)}, 1, "Addition", 0xFF, 1},
    {"SUB", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(ARITHMETIC_TYPES), In(ARITHMETIC_TYPES), BOOL_OUT, Out(ARITHMETIC_TYPES)}, 1, "Subtraction", 0xFF, 1},
    {"MUL", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(ARITHMETIC_TYPES), In(ARITHMETIC_TYPES), BOOL_OUT, Out(ARITHMETIC_TYPES)}, 1, "Multiplication", 0xFF, 1},
    {"DIV", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(ARITHMETIC_TYPES), In(ARITHMETIC_TYPES), BOOL_OUT, Out(ARITHMETIC_TYPES)}, 1, "Division", 0xFF, 1},
    {"MOD", 3, 6, 5, {"EN", "IN1", "IN2", "ENO", "OUT"}, {BOOL_IN, In(OT_INT | OT_DINT), In(OT_INT | OT_DINT), BOOL_OUT, Out(OT_INT | OT_DINT)}, 1, "Modulo-Division", 0xFF, 1},
    {"INC", 3, 6, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(INC_TYPES), BOOL_OUT, Out(INC_TYPES)}, 1, "Increment", 0xFF, 0},
    {"DEC", 3, 6, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(INC_TYPES), BOOL_OUT, Out(INC_TYPES)}, 1, "Decrement", 0xFF, 0},
    {"SQRT", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Square root", 0xD4, 1},
    {"LN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Natural logarithm", 0xD4, 1},
    {"LOG", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Logarithm base 10", 0xD4, 1},
    {"EXP", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Natural exponential", 0xD4, 1},
    {"SIN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Sine in radians", 0xD4, 1},
    {"COS", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Cosine in radians", 0xD4, 1},
    {"TAN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "Tangent in radians", 0xD4, 1},
    {"ASIN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "arc sine", 0xD4, 1},
    {"ACOS", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "arc cosine", 0xD4, 1},
    {"ATAN", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_REAL), BOOL_OUT, Out(OT_REAL)}, 1, "arc tangent", 0xD4, 1},
    {"ABS", 3, 15, 4, {"EN", "IN", "ENO", "OUT"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Absolute value", 0xD4, 1},
    {"FOR", 3, 7, 5, {"EN", "INDX", "INIT", "FINAL", "ENO"}, {BOOL_IN, LOOP_INDEX, In(OT_INT), In(OT_INT), BOOL_OUT}, 1, "FOR/NEXT Loop", 0xD4, 0},
    {"-(NEXT)", 2, 7, 0, {}, {}, 1, "FOR/NEXT Loop", 0xD4, 0},
    {"-(LBL)", 2, 7, 1, {""}, {LABEL_PIN}, 1, "Label", 0xFF, 1},
    {"-(JMP)", 2, 7, 1, {""}, {LABEL_PIN}, 1, "Jump", 0xFF, 1},
    {"-(JMPC)", 2, 7, 1, {""}, {LABEL_PIN}, 1, "Conditional Jump", 0xFF, 1},
    {"-(JMPCN)", 2, 7, 1, {""}, {LABEL_PIN}, 1, "Conditional (Not) Jump", 0xFF, 1},
    {"-(RET)", 2, 7, 0, {}, {}, 0, "Return from Subroutine", 0x00, 1},
    {"-(RETC)", 2, 7, 0, {}, {}, 1, "Conditional Return from Subroutine", 0xFF, 1},
    {"-(RETCN)", 2, 7, 0, {}, {}, 1, "Conditional (Not) Return from Subroutine", 0xFF, 1},
    {"-(END)", 2, 7, 0, {}, {}, 1, "Conditional End of Program (MAIN)", 0xD4, 0},
    {"-(STOP)", 2, 7, 0, {}, {}, 1, "Stop CPU", 0xD4, 0},
    {"-(WDR)", 2, 7, 0, {}, {}, 1, "Watchdog Reset", 0xD4, 0},
    {"-(ENI)", 2, 11, 0, {}, {}, 1, "Enable Interrupt", 0xFF, 0},
    {"-(DISI)", 2, 11, 0, {}, {}, 1, "Disable Interrupt", 0xFF, 0},
    {"ATCH", 3, 11, 4, {"EN", "INT", "EVENT", "ENO"}, {BOOL_IN, ROUTINE_REF, INT_CONSTANT, BOOL_OUT}, 1, "Attach Interrupt", 0xFF, 0},
    {"DTCH", 3, 11, 3, {"EN", "EVENT", "ENO"}, {BOOL_IN, INT_CONSTANT, BOOL_OUT}, 1, "Detach Interrupt", 0xFF, 0},
    {"READ_RTC", 3, 8, 3, {"EN", "ENO", "T"}, {BOOL_IN, BOOL_OUT, CLOCK_BUFFER_OUT}, 1, "Read Real Time Clock", 0xDE, 0},
    {"SET_RTC", 3, 8, 3, {"EN", "ENO", "T"}, {BOOL_IN, BOOL_OUT, CLOCK_BUFFER_IN}, 1, "Set Real Time Clock", 0xDE, 0},
    {"XMT", 3, 9, 4, {"EN", "TBL", "PORT", "ENO"}, {BOOL_IN, TABLE_IN, INT_CONSTANT, BOOL_OUT}, 1, "Transmit", 0xFF, 0},
    {"RCV", 3, 9, 4, {"EN", "TBL", "PORT", "ENO"}, {BOOL_IN, TABLE_OUT, INT_CONSTANT, BOOL_OUT}, 1, "Receive", 0xFF, 0},
    {"MBUSR", 3, 16, 10, {"EN", "EXEC", "PORT", "SLAVE", "FUN", "ADDR", "COUNT", "ENO", "READ", "RES"}, {BOOL_IN, BOOL_IN, INT_CONSTANT, In(OT_INT), INT_CONSTANT, In(OT_INT), In(OT_INT), NO_CHECK, Out(MODBUS_DATA), Out(OT_BYTE)}, 1, "Modbus Master Read", 0xD4, 0},
    {"MBUSW", 3, 16, 10, {"EN", "EXEC", "PORT", "SLAVE", "FUN", "ADDR", "COUNT", "WRITE", "ENO", "RES"}, {BOOL_IN, BOOL_IN, INT_CONSTANT, In(OT_INT), INT_CONSTANT, In(OT_INT), In(OT_INT), In(MODBUS_DATA), NO_CHECK, Out(OT_BYTE)}, 1, "Modbus Master Write", 0xD4, 0},
    {"SDO_WRITE", 3, 17, 10, {"EN", "EXEC", "NODE", "INDEX", "SUBINDEX", "DATA", "DATALEN", "ENO", "DONE", "ERROR"}, {BOOL_IN, BOOL_IN, In(OT_BYTE), In(OT_WORD), In(OT_BYTE), In(OT_BYTE), In(OT_BYTE), NO_CHECK, BOOL_OUT, Out(OT_DWORD)}, 0, "CANOPEN SDO write", 0xC0, 0},
    {"SDO_READ", 3, 17, 10, {"EN", "EXEC", "NODE", "INDEX", "SUBINDEX", "ENO", "DATA", "DATALEN", "DONE", "ERROR"}, {BOOL_IN, BOOL_IN, In(OT_BYTE), In(OT_WORD), In(OT_BYTE), NO_CHECK, Out(OT_BYTE), Out(OT_BYTE), BOOL_OUT, Out(OT_DWORD)}, 0, "CANOPEN SDO read", 0xC0, 0},
    {"CTU", 4, 10, 5, {"CU", "R", "PV", "Q", "CV"}, {BOOL_IN, BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Up-counter", 0xFF, 1},
    {"CTD", 4, 10, 5, {"CD", "LD", "PV", "Q", "CV"}, {BOOL_IN, BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Down-counter", 0xFF, 1},
    {"CTUD", 4, 10, 8, {"CU", "CD", "R", "LD", "PV", "QU", "QD", "CV"}, {BOOL_IN, BOOL_IN, BOOL_IN, BOOL_IN, In(OT_INT), BOOL_OUT, BOOL_OUT, Out(OT_INT)}, 1, "Up-down counter", 0xD4, 1},
    {"HDEF", 3, 15, 4, {"EN", "HSC", "MODE", "ENO"}, {BOOL_IN, INT_CONSTANT, INT_CONSTANT, BOOL_OUT}, 1, "High Speed Counter Definition", 0xFF, 0},
    {"HSC", 3, 15, 3, {"EN", "N", "ENO"}, {BOOL_IN, INT_CONSTANT, BOOL_OUT}, 1, "High Speed Counter", 0xFF, 0},
    {"PLS", 3, 15, 3, {"EN", "Q", "ENO"}, {BOOL_IN, INT_CONSTANT, BOOL_OUT}, 1, "Pulse Output", 0xDF, 0},
    {"TON", 4, 12, 4, {"IN", "PT", "Q", "ET"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "On-delay timing", 0xFF, 1},
    {"TOF", 4, 12, 4, {"IN", "PT", "Q", "ET"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Off-delay timing", 0xFF, 1},
    {"TP", 4, 12, 4, {"IN", "PT", "Q", "ET"}, {BOOL_IN, In(OT_INT), BOOL_OUT, Out(OT_INT)}, 1, "Pulse timing", 0xFF, 1},
    {"PID", 3, 13, 16, {"EN", "AUTO", "PV", "SP", "X0", "KP", "TR", "TD", "PV_H", "PV_L", "XOUTP_H", "XOUTP_L", "CYCLE", "ENO", "XOUT", "XOUTP"}, {BOOL_IN, BOOL_IN, PID_PV, In(OT_INT), PID_X0, In(OT_REAL), In(OT_REAL), In(OT_REAL), In(OT_INT), In(OT_INT), In(OT_INT), In(OT_INT), PID_CYCLE, BOOL_OUT, Out(OT_REAL), Out(OT_INT)}, 1, "Soft PID", 0xDE, 0},
    {"PHOME", 3, 15, 14, {"EN", "AXIS", "EXEC", "HOME", "NHOME", "MODE", "DIRC", "MINF", "MAXF", "TIME", "ENO", "DONE", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, BOOL_IN, BOOL_IN, In(OT_INT), BOOL_IN, In(OT_DINT), In(OT_DINT), In(OT_INT), BOOL_OUT, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Home", 0xD4, 0},
    {"PABS", 3, 15, 11, {"EN", "AXIS", "EXEC", "MINF", "MAXF", "TIME", "POS", "ENO", "DONE", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, In(OT_DINT), In(OT_DINT), In(OT_INT), In(OT_DINT), BOOL_OUT, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Move Absolute", 0xD4, 0},
    {"PREL", 3, 15, 11, {"EN", "AXIS", "EXEC", "MINF", "MAXF", "TIME", "DIST", "ENO", "DONE", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, In(OT_DINT), In(OT_DINT), In(OT_INT), In(OT_DINT), BOOL_OUT, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Move Relative", 0xD4, 0},
    {"PJOG", 3, 15, 9, {"EN", "AXIS", "EXEC", "MINF", "DIRC", "ENO", "DONE", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, In(OT_DINT), BOOL_IN, BOOL_OUT, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Jog", 0xD4, 0},
    {"PSTOP", 3, 15, 6, {"EN", "AXIS", "EXEC", "ENO", "ERR", "ERRID"}, {BOOL_IN, INT_CONSTANT, BOOL_IN, BOOL_OUT, BOOL_OUT, Out(OT_BYTE)}, 1, "Stop", 0xD4, 0},
    {"SPD", 3, 15, 5, {"EN", "HSC", "TIME", "ENO", "PNUM"}, {BOOL_IN, INT_CONSTANT, In(OT_INT), BOOL_OUT, Out(OT_DINT)}, 1, "Pulse Density Detection", 0xD4, 0},
    {"LINCO", 3, 15, 10, {"EN", "IN_L", "IN_H", "OUT_L", "OUT_H", "RATIO", "IN", "ENO", "DOUT", "ROUT"}, {BOOL_IN, In(OT_INT), In(OT_INT), In(OT_INT), In(OT_INT), In(OT_REAL), In(OT_INT), BOOL_OUT, Out(OT_INT), Out(OT_REAL)}, 1, "Linear computing", 0xD4, 0},
    {"CRC16", 3, 1, 5, {"EN", "IN", "LEN", "ENO", "OUT"}, {BOOL_IN, In(OT_BYTE), In(OT_BYTE), BOOL_OUT, Out(OT_WORD)}, 1, "CRC-16", 0xD4, 0},
    {"CUS", 3, 15, 5, {"EN", "IN", "FUN", "ENO", "OUT"}, {BOOL_IN, In(OT_WORD), INT_CONSTANT, BOOL_OUT, Out(OT_WORD)}, 0, "Custom-built functions", 0xD4, 0},
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
