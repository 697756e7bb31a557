#include "ILVocabulary.h"

#include "CZULAppData.h"
#include "CpuProfile.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

constexpr OperandTypeFlags kReadForce = OT_READABLE | OT_FORCEABLE;
constexpr OperandTypeFlags kReadWrite = OT_READABLE | OT_WRITABLE;
constexpr OperandTypeFlags kReadWriteForce = OT_READABLE | OT_WRITABLE | OT_FORCEABLE;

} // namespace

// Fields: id, text, enabled in mode 0 (program lines), enabled in mode 1 (declaration lines).
const CSeparatorDef g_SeparatorTable[SEPARATOR_COUNT] = {
    {0, "(*", 1, 1},
    {1, "*)", 1, 1},
    {2, ":=", 1, 1},
    {3, "=>", 0, 0},
    {4, " ", 1, 1},
    {5, "\t", 1, 1},
    {6, ":", 1, 1},
    {7, ",", 1, 1},
    {8, ";", 1, 1},
    {10, "[", 1, 0},
    {11, "]", 1, 0},
    {9, "(", 1, 0},
    {12, "+", 0, 0},
    {13, "-", 0, 0},
    {14, "*", 0, 0},
    {15, "/", 0, 0},
    {16, ")", 1, 0},
    {17, "<>", 0, 0},
    {18, "<=", 0, 0},
    {19, "<", 0, 0},
    {20, ">=", 0, 0},
    {21, ">", 0, 0},
    {22, "=", 0, 0},
};

// Fields: prefix, prefix length, type bits, area flags. A longer prefix comes
// before every shorter one that begins it ("%IB" before "%I").
const CMemAreaDef g_MemAreaDefTable[MEM_AREA_DEF_COUNT] = {
    {"%IB", 3, OT_BYTE, OT_AREA_I | kReadForce},
    {"%QB", 3, OT_BYTE, OT_AREA_Q | kReadWriteForce},
    {"%MB", 3, OT_BYTE, OT_AREA_M | kReadWriteForce},
    {"%SMB", 4, OT_BYTE, OT_AREA_SM | kReadWrite},
    {"%VB", 3, OT_BYTE, OT_AREA_V | kReadWriteForce},
    {"%LB", 3, OT_BYTE, OT_AREA_L | kReadWrite},
    {"%IW", 3, OT_WORD_INT, OT_AREA_I | kReadForce},
    {"%QW", 3, OT_WORD_INT, OT_AREA_Q | kReadWriteForce},
    {"%MW", 3, OT_WORD_INT, OT_AREA_M | kReadWriteForce},
    {"%SMW", 4, OT_WORD_INT, OT_AREA_SM | kReadWrite},
    {"%VW", 3, OT_WORD_INT, OT_AREA_V | kReadWriteForce},
    {"%AIW", 4, OT_WORD_INT, OT_AREA_AI | kReadForce},
    {"%AQW", 4, OT_WORD_INT, OT_AREA_AQ | kReadWriteForce},
    {"%LW", 3, OT_WORD_INT, OT_AREA_L | kReadWrite},
    {"%ID", 3, OT_DWORD_DINT, OT_AREA_I | kReadForce},
    {"%QD", 3, OT_DWORD_DINT, OT_AREA_Q | kReadWriteForce},
    {"%MD", 3, OT_DWORD_DINT, OT_AREA_M | kReadWriteForce},
    {"%SMD", 4, OT_DWORD_DINT, OT_AREA_SM | kReadWrite},
    {"%VD", 3, OT_DWORD_DINT, OT_AREA_V | kReadWriteForce},
    {"%VR", 3, OT_REAL, OT_AREA_V | kReadWriteForce},
    {"%HC", 3, OT_DINT, OT_AREA_HC | OT_READABLE},
    {"%LD", 3, OT_DWORD_DINT | OT_REAL, OT_AREA_L | kReadWrite},
    {"%I", 2, OT_BOOL, OT_AREA_I | kReadForce},
    {"%Q", 2, OT_BOOL, OT_AREA_Q | kReadWriteForce},
    {"%M", 2, OT_BOOL, OT_AREA_M | kReadWriteForce},
    {"%SM", 3, OT_BOOL, OT_AREA_SM | kReadWrite},
    {"%V", 2, OT_BOOL, OT_AREA_V | kReadWriteForce},
    {"%T", 2, OT_BOOL_WORD_INT, OT_AREA_T | kReadWrite},
    {"%C", 2, OT_BOOL_WORD_INT, OT_AREA_C | kReadWrite},
    {"%L", 2, OT_BOOL, OT_AREA_L | kReadWrite},
    {"%SR", 3, OT_BOOL, OT_AREA_SR | kReadWrite},
    {"%RS", 3, OT_BOOL, OT_AREA_RS | kReadWrite},
    {"%BR", 3, OT_BOOL, OT_AREA_BR | kReadWrite},
};

// Fields: id, name, class, enabled in mode 0, enabled in mode 1, support mask.
// The id is the row number except in rows 40 to 42.
const CKeywordDef g_KeywordTable[KEYWORD_COUNT] = {
    {0, "FALSE", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {1, "TRUE", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {2, "CONSTANT", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {3, "BOOL", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {4, "BYTE", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {5, "WORD", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {6, "DWORD", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {7, "LWORD", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {8, "SINT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {9, "USINT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {10, "INT", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {11, "UINT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {12, "DINT", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {13, "UDINT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {14, "LINT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {15, "ULINT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {16, "REAL", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {17, "LREAL", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {18, "D", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {19, "TIME", KEYWORD_CLASS_DATA_TYPE, 0, 0, 0xFF},
    {20, "DATE", KEYWORD_CLASS_DATA_TYPE, 0, 0, 0xFF},
    {21, "DATE_AND_TIME", KEYWORD_CLASS_DATA_TYPE, 0, 0, 0xFF},
    {22, "TOD", KEYWORD_CLASS_DATA_TYPE, 0, 0, 0xFF},
    {23, "TIME_OF_DAY", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {24, "STRING", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {25, "ANY", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {26, "ANY_BIT", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {27, "ANY_INT", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {28, "ANY_NUM", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {29, "ANY_REAL", KEYWORD_CLASS_DATA_TYPE, 1, 1, 0xFF},
    {30, "ANY_DATE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {31, "ARRAY", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {32, "OF", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {33, "STRUCT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {34, "END_STRUCT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {35, "TYPE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {36, "END_TYPE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {37, "AT", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {38, "READ_ONLY", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {39, "READ_WRITE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {41, "VAR", KEYWORD_CLASS_SECTION, 1, 1, 0xFF},
    {42, "VAR_ACCESS", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {40, "VAR_CONFIG", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {43, "VAR_EXTERNAL", KEYWORD_CLASS_SECTION, 1, 1, 0xFF},
    {44, "VAR_GLOBAL", KEYWORD_CLASS_SECTION, 1, 1, 0xFF},
    {45, "VAR_INPUT", KEYWORD_CLASS_SECTION, 1, 1, 0xFF},
    {46, "VAR_IN_OUT", KEYWORD_CLASS_SECTION, 1, 1, 0xFF},
    {47, "VAR_OUTPUT", KEYWORD_CLASS_SECTION, 1, 1, 0xFF},
    {48, "VAR_TEMP", KEYWORD_CLASS_SECTION, 1, 1, 0xFF},
    {49, "END_VAR", KEYWORD_CLASS_END_VAR, 1, 1, 0xFF},
    {50, "AND", KEYWORD_CLASS_BIT_LOGIC, 1, 1, 0xFF},
    {51, "ANDN", KEYWORD_CLASS_BIT_LOGIC, 1, 1, 0xFF},
    {52, "OR", KEYWORD_CLASS_BIT_LOGIC, 1, 1, 0xFF},
    {53, "ORN", KEYWORD_CLASS_BIT_LOGIC, 1, 1, 0xFF},
    {54, "XOR", KEYWORD_CLASS_BIT_LOGIC, 1, 1, 0xFF},
    {55, "XORN", KEYWORD_CLASS_BIT_LOGIC, 1, 1, 0xFF},
    {56, "NOT", KEYWORD_CLASS_BIT_LOGIC, 1, 1, 0xFF},
    {57, "__AND", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {58, "__ANDN", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {59, "__OR", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {60, "__ORN", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {61, "__XOR", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {62, "__XORN", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {63, "__NOT", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {64, "NOT_B", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {65, "ADD", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {66, "SUB", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {67, "MUL", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {68, "DIV", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {69, "ABS", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {70, "SQRT", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {71, "MOD", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {72, "SIN", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {73, "ASIN", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {74, "COS", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {75, "ACOS", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {76, "TAN", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {77, "ATAN", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {78, "EXP", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {79, "MAX", KEYWORD_CLASS_FUNCTION, 0, 0, 0xFF},
    {80, "MID", KEYWORD_CLASS_FUNCTION, 0, 0, 0xFF},
    {81, "MIN", KEYWORD_CLASS_FUNCTION, 0, 0, 0xFF},
    {82, "LN", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {83, "LOG", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {84, "GT", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {85, "GE", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {86, "EQ", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {87, "NE", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {88, "LE", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {89, "LT", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {90, "EN", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {91, "ENO", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {92, "ROL", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {93, "ROR", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {94, "SHL", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {95, "SHR", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {96, "CTD", KEYWORD_CLASS_FB_TYPE, 1, 1, 0xFF},
    {97, "CTU", KEYWORD_CLASS_FB_TYPE, 1, 1, 0xFF},
    {98, "HDEF", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {99, "HSC", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {100, "PLS", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {101, "TOF", KEYWORD_CLASS_FB_TYPE, 1, 1, 0xFF},
    {102, "TON", KEYWORD_CLASS_FB_TYPE, 1, 1, 0xFF},
    {103, "TP", KEYWORD_CLASS_FB_TYPE, 1, 1, 0xFF},
    {104, "CTUD", KEYWORD_CLASS_FB_TYPE, 1, 1, 0xFF},
    {105, "LD", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {106, "LDN", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {107, "ST", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {108, "STN", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {109, "MOVE", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {110, "BLKMOVE", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {111, "RS", KEYWORD_CLASS_FB_TYPE, 1, 1, 0xFF},
    {112, "SR", KEYWORD_CLASS_FB_TYPE, 1, 1, 0xFF},
    {113, "JMP", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {114, "JMPC", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {115, "JMPCN", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {116, "CAL", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {117, "CALC", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {118, "CALCN", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {119, "RET", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {120, "RETC", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {121, "RETCN", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {122, "EXIT", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {123, "RETURN", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {124, "F_EGDG", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {125, "F_TRIG", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {126, "BY", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {127, "CD", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {128, "CDT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {129, "CLK", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {130, "CONCAT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {131, "CU", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {132, "CV", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {133, "DS", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {134, "DT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {135, "RETAIN", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {136, "ET", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {137, "INTERVAL", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {138, "LEN", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {139, "MUX", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {140, "N", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {141, "NEG", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {142, "PT", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {143, "PV", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {144, "Q", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {145, "Q1", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {146, "QU", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {147, "QD", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {148, "R", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {149, "R1", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {150, "R_TRIG", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {151, "S1", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {152, "RTC", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {153, "R_EDGE", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {154, "S", KEYWORD_CLASS_OTHER, 1, 1, 0xFF},
    {155, "TASK", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {156, ":=", KEYWORD_CLASS_ASSIGN, 1, 1, 0xFF},
    {157, "=>", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {158, "PROGRAM", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {159, "END_PROGRAM", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {160, "CONFIGURATION", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {161, "END_CONFIGURATION", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {162, "FUNCTON", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {163, "END_FUNCTION", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {164, "FUNCTION_BLOCK", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {165, "END_FUNCTION_BLOCK", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {166, "RESOURCE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {167, "END_RESOURCE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {168, "CASE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {169, "END_CASE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {170, "IF", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {171, "THEN", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {172, "ELSE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {173, "ELSEIF", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {174, "END_IF", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {175, "REPEAT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {176, "END_REPEAT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {177, "UNTIL", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {178, "INITIAL_STEP", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {179, "STEP", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {180, "END_STEP", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {181, "ACTION", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {182, "END_ACTION", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {183, "TRANSITION", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {184, "END_TRANSITON", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {185, "DO", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {186, "END_WHILE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {187, "FOR", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {188, "NEXT", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {189, "END_FOR", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {190, "LINIT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {191, "DELETE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {192, "INSERT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {193, "FIND", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {194, "LEFT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {195, "RIGHT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {196, "RELEASE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {197, "REPLACE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {198, "EXPT", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {199, "FROM", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {200, "IN", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {201, "L", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {202, "ON", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {203, "P", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {204, "PRORITY", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {205, "SD", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {206, "SEL", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {207, "SEMA", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {208, "SL", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {209, "SINGLE", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {210, "TO", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {211, "WITH", KEYWORD_CLASS_OTHER, 0, 0, 0xFF},
    {212, "B_TO_I", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {213, "I_TO_B", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {214, "I_TO_DI", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {215, "DI_TO_I", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {216, "DI_TO_R", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {217, "R_TO_DI", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {218, "BCD_TO_I", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {219, "I_TO_BCD", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {220, "I_TO_A", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {221, "A_TO_H", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {222, "H_TO_A", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {223, "INC", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {224, "DEC", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {225, "ATCH", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {226, "DTCH", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {227, "ENI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {228, "DISI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {229, "RETI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {230, "RCV", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {231, "XMT", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {232, "EU", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {233, "ED", KEYWORD_CLASS_INSTRUCTION, 0, 0, 0xFF},
    {234, "NOP", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {235, "READ_RTC", KEYWORD_CLASS_FUNCTION, 1, 1, 0x02},
    {236, "SET_RTC", KEYWORD_CLASS_FUNCTION, 1, 1, 0x02},
    {237, "__INTEND", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {238, "__SPEND", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {239, "__MPEND", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {240, "__NETWORK", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {241, "__CR_EQ_1", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {242, "__CR_RESTORE", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {243, "__ZUL_EN", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {244, "__ZUL_ENO", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {245, "__ZUL_CR", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {246, "PID", KEYWORD_CLASS_FUNCTION, 1, 1, 0x02},
    {247, "FILL", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {248, "PTR_R", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {249, "PTR_W", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {250, "LDI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {251, "ANDI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {252, "ORI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {253, "LDNI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {254, "ANDNI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {255, "ORNI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {256, "STI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {257, "SI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {258, "RI", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {259, "DI_TO_A", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {260, "R_TO_A", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {261, "DECO", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {262, "ENCO", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {263, "SEG", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {264, "SWAP", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {265, "SHL_BLK", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {266, "SHR_BLK", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {267, "STOP", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {268, "END", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {269, "WDR", KEYWORD_CLASS_INSTRUCTION, 1, 1, 0xFF},
    {270, "MBUSR", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {271, "MBUSW", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {272, "PSTOP", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {273, "SPD", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {274, "CRC16", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {275, "CUS", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {276, "LINCO", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {277, "PJOG", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {278, "PREL", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {279, "PABS", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {280, "PHOME", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {281, "ALT", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {282, "TRUNC", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {283, "NCR", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {284, "SDO_READ", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
    {285, "SDO_WRITE", KEYWORD_CLASS_FUNCTION, 1, 1, 0xFF},
};

namespace {

bool SeparatorEquals(const CSeparatorDef& row, const std::string& text)
{
    return text == row.text;
}

// The length of the longest separator; a longer token is none. Worked out
// once, on first use; the table never changes.
size_t LongestSeparator()
{
    static const size_t longest = [] {
        size_t length = 0;
        for (const CSeparatorDef& row : g_SeparatorTable)
            length = std::max(length, std::strlen(row.text));
        return length;
    }();
    return longest;
}

// The rows of a static table under each of their names, in table order.
// Built once, on first use; the tables never change.
using RowsByName = std::unordered_map<std::string_view, std::vector<int>>;

const RowsByName& KeywordRows()
{
    static const RowsByName rows = [] {
        RowsByName index;
        for (int i = 0; i < KEYWORD_COUNT; ++i)
            index[g_KeywordTable[i].name].push_back(i);
        return index;
    }();
    return rows;
}

// A row is listed once under each distinct one of its three names; rows
// without a user name are listed under "".
const RowsByName& OpcodeRows()
{
    static const RowsByName rows = [] {
        RowsByName index;
        for (int i = 0; i < OPCODE_COUNT; ++i) {
            const COpcodeDef& row = g_OpcodeTable[i];
            for (const char* name : {row.name1, row.name2, row.name3}) {
                std::vector<int>& named = index[name];
                if (named.empty() || named.back() != i)
                    named.push_back(i);
            }
        }
        return index;
    }();
    return rows;
}

const std::vector<int>& RowsNamed(const RowsByName& index, const std::string& name)
{
    static const std::vector<int> none;
    const auto found = index.find(name);
    return found == index.end() ? none : found->second;
}

// The instruction rows that carry this name; an empty name names none.
const std::vector<int>& InstructionRowsNamed(const std::string& name)
{
    static const std::vector<int> none;
    return name.empty() ? none : RowsNamed(OpcodeRows(), name);
}

// The first keyword row with this name; nullptr when there is none.
const CKeywordDef* FirstKeywordRow(const std::string& name)
{
    const std::vector<int>& rows = RowsNamed(KeywordRows(), name);
    return rows.empty() ? nullptr : &g_KeywordTable[rows.front()];
}

bool RowSupportedOnCpu(const COpcodeDef& row)
{
    const BYTE subType = g_pAppData->ProfileSubType;
    if (subType >= OPCODE_CPU_SLOTS)
        return false;
    return (row.cpuMasks[subType] & GetCPUFamilyMask()) != 0;
}

// Compares one operand's flags F with the row's mask R; the direction test
// is the editors' addition.
bool OperandFits(OperandTypeFlags mask, OperandTypeFlags flags, bool first, bool testDirection)
{
    if ((mask & OT_TYPE_BITS & ~flags) != 0)
        return false;
    if ((flags & OT_CONSTANT) && !(mask & OT_CONSTANT))
        return false;
    if ((flags & OT_DIRECT) && !(mask & OT_DIRECT))
        return false;
    if (testDirection) {
        const OperandTypeFlags direction = AccessToParamFlags(flags);
        if (direction != 0 && (direction & mask & OT_DIRECTION_BITS) == 0)
            return false;
    }
    if ((flags & OT_AREA_BITS & ~mask) != 0)
        return false;
    if (first && (mask & OT_POU_REF) && !(flags & OT_POU_REF))
        return false;
    return true;
}

// The index of the first operand that does not fit, or -1 when all fit.
int FirstMismatch(const COpcodeDef& row, const COpcodeDef& signature, bool testDirection)
{
    const int count = static_cast<int>(row.operandCount);
    for (int i = 0; i < count && i < OPCODE_MAX_OPERANDS; ++i) {
        if (!OperandFits(row.operandMasks[i], signature.operandMasks[i], i == 0, testDirection))
            return i;
    }
    return -1;
}

int LookupKeyword(const std::string& name, CKeywordDef& def, bool modeOne)
{
    const CKeywordDef* row = FirstKeywordRow(name);
    if (!row)
        return KEYWORD_NONE;
    const BYTE enabled = modeOne ? row->mode1 : row->mode0;
    if (!enabled)
        return KEYWORD_NONE;
    def.id = row->id;
    std::memcpy(def.name, row->name, sizeof def.name);
    def.keywordClass = row->keywordClass;
    if (modeOne)
        def.mode1 = row->mode1;
    else
        def.mode0 = row->mode0;
    return static_cast<int>(row->id);
}

} // namespace

bool IsSeparatorMode0(const std::string& token)
{
    if (token.size() > LongestSeparator())
        return false;
    for (const CSeparatorDef& row : g_SeparatorTable) {
        if (row.mode0 && SeparatorEquals(row, token))
            return true;
    }
    return false;
}

bool IsSeparatorMode1(const std::string& token)
{
    if (token.size() > LongestSeparator())
        return false;
    for (const CSeparatorDef& row : g_SeparatorTable) {
        if (row.mode1 && SeparatorEquals(row, token))
            return true;
    }
    return false;
}

std::string GetSeparatorText(int row)
{
    if (row < 0 || row >= SEPARATOR_COUNT || !g_SeparatorTable[row].mode1)
        return std::string();
    return g_SeparatorTable[row].text;
}

bool IsAnySeparator(const std::string& text)
{
    const std::string upper = ByteString::Upper(text);
    for (const CSeparatorDef& row : g_SeparatorTable) {
        if ((row.mode0 || row.mode1) && SeparatorEquals(row, upper))
            return true;
    }
    return false;
}

namespace {

constexpr size_t kByteValues = 256;
using AreaRowsByLetter = std::array<std::vector<WORD>, kByteValues>;

// The memory-area rows under the character that follows their "%", in table
// order, so that a look-up compares only the prefixes that can match and a
// longer prefix is still tried before a shorter one that begins it.
const AreaRowsByLetter& AreaRowsAfterPercent()
{
    static const AreaRowsByLetter rows = [] {
        AreaRowsByLetter index;
        for (int i = 0; i < MEM_AREA_DEF_COUNT; ++i)
            index[static_cast<unsigned char>(g_MemAreaDefTable[i].prefix[1])].push_back(static_cast<WORD>(i));
        return index;
    }();
    return rows;
}

} // namespace

bool FindMemoryArea(const std::string& address, WORD& row)
{
    if (address.size() < 2 || address[0] != '%')
        return false;
    for (WORD i : AreaRowsAfterPercent()[static_cast<unsigned char>(address[1])]) {
        if (address.compare(0, g_MemAreaDefTable[i].prefixLength, g_MemAreaDefTable[i].prefix) == 0) {
            row = i;
            return true;
        }
    }
    return false;
}

bool GetMemoryAreaDef(int row, CMemAreaDef& def)
{
    if (row < 0 || row >= MEM_AREA_DEF_COUNT)
        return false;
    def = g_MemAreaDefTable[row];
    return true;
}

int GetKeywordId(const std::string& name)
{
    const CKeywordDef* row = FirstKeywordRow(name);
    return row && row->mode0 ? static_cast<int>(row->id) : KEYWORD_NONE;
}

int LookupKeywordMode0(const std::string& name, CKeywordDef& def)
{
    return LookupKeyword(name, def, false);
}

int LookupKeywordMode1(const std::string& name, CKeywordDef& def)
{
    return LookupKeyword(name, def, true);
}

bool IsFunctionKeyword(const std::string& name)
{
    for (int i : RowsNamed(KeywordRows(), name)) {
        if (g_KeywordTable[i].mode0 && g_KeywordTable[i].keywordClass == KEYWORD_CLASS_FUNCTION)
            return true;
    }
    return false;
}

bool IsReservedWord(const std::string& word)
{
    const std::string upper = ByteString::Upper(word);
    if (!RowsNamed(KeywordRows(), upper).empty())
        return true;
    for (int i : RowsNamed(OpcodeRows(), upper)) {
        if (upper == g_OpcodeTable[i].name2)
            return true;
    }
    return false;
}

bool IsInstructionSupported(const std::string& name)
{
    for (int i : InstructionRowsNamed(name)) {
        if (RowSupportedOnCpu(g_OpcodeTable[i]))
            return true;
    }
    return false;
}

bool LookupInstruction(const std::string& name, COpcodeDef& def)
{
    for (int i : InstructionRowsNamed(name)) {
        if (g_OpcodeTable[i].enabled) {
            def = g_OpcodeTable[i];
            return true;
        }
    }
    return false;
}

int FindInstructionByOpcode(WORD opcode, COpcodeDef& def)
{
    for (int i = 0; i < OPCODE_COUNT; ++i) {
        if (g_OpcodeTable[i].enabled && g_OpcodeTable[i].opcode == opcode) {
            def = g_OpcodeTable[i];
            return i;
        }
    }
    return -1;
}

bool CheckInstructionOperands(const std::string& name, COpcodeDef& signature, int& badPosition)
{
    const std::string upper = ByteString::Upper(name);
    badPosition = -1;
    if (upper.empty())
        return false;
    for (int i : RowsNamed(OpcodeRows(), upper)) {
        const COpcodeDef& row = g_OpcodeTable[i];
        if (!row.enabled || upper != row.name2 || !RowSupportedOnCpu(row))
            continue;
        if (row.operandCount != signature.operandCount)
            continue;
        const int failed = FirstMismatch(row, signature, true);
        if (failed < 0) {
            signature = row;
            return true;
        }
        if (failed == 0)
            badPosition = 1;
        else if (badPosition < failed + 1)
            badPosition = failed + 1;
    }
    return false;
}

bool SelectInstructionVariant(const std::string& name, COpcodeDef signature, COpcodeDef& selected)
{
    for (int i : InstructionRowsNamed(name)) {
        const COpcodeDef& row = g_OpcodeTable[i];
        if (!row.enabled || !RowSupportedOnCpu(row))
            continue;
        if (row.operandCount != signature.operandCount)
            continue;
        if (FirstMismatch(row, signature, false) < 0) {
            selected = row;
            return true;
        }
    }
    return false;
}

bool IsNonLogicInstruction(const std::string& name)
{
    static const char* const kLogic[] = {
        "LD", "LDN", "LDI", "LDNI", "PTR_R", "ANDI", "ANDNI", "AND", "AND(", "OR", "ORI", "ORNI", "OR(",
        "R_TRIG", "F_TRIG", "ANDN", "ORN", "__NETWORK", "__CR_EQ_1", "__CR_RESTORE", "__INTEND", "__SPEND",
        "__MPEND", "__ZUL_EN",
    };
    for (const char* logic : kLogic) {
        if (name == logic)
            return false;
    }
    return true;
}
