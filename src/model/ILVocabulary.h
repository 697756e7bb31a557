#pragma once
// The vocabulary of the instruction-list language: separators, direct-address
// prefixes, reserved words and the instruction table with the opcodes and
// operand signatures of every instruction variant. The tables are constant;
// they are scanned in row order and the first match wins.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

// One separator. mode0 is the token classifier's mode for program lines,
// mode1 its mode for declaration lines.
struct CSeparatorDef {
    DWORD id;
    char text[16];
    BYTE mode0;
    BYTE mode1;
};

// One direct-address prefix with the operand flags of its addresses.
struct CMemAreaDef {
    char prefix[12];
    DWORD prefixLength;
    OperandTypeFlags typeBits;
    OperandTypeFlags areaFlags;
};

// One reserved word. The two enable bytes are equal in every row.
struct CKeywordDef {
    DWORD id;
    char name[24];
    DWORD keywordClass;
    BYTE mode0;
    BYTE mode1;
    DWORD supportMask; // kept with the row; no lookup reads it
};

constexpr int OPCODE_MAX_OPERANDS = 16;
constexpr int OPCODE_CPU_SLOTS = 32;

// One instruction variant.
struct COpcodeDef {
    char name1[16];        // the mnemonic the compiler looks up
    char name2[16];        // as the user writes it; "" for compiler-internal rows
    char name3[16];        // the variant's own name (LD_BOOL, ADD_INT ...)
    WORD resultTypeFlag;   // 1: the first operand's type must equal the current result's
    WORD opcode;           // the code in the object file
    DWORD operandCount;
    OperandTypeFlags operandMasks[OPCODE_MAX_OPERANDS];
    BYTE enabled;
    DWORD cpuMasks[OPCODE_CPU_SLOTS]; // family bits, indexed by the profile sub-type
};

constexpr int SEPARATOR_COUNT = 23;
constexpr int MEM_AREA_DEF_COUNT = 33;
constexpr int KEYWORD_COUNT = 286;
constexpr int OPCODE_COUNT = 424;

// The id that the keyword lookups give for a word they do not accept.
constexpr int KEYWORD_NONE = KEYWORD_COUNT;

// Keyword classes.
constexpr DWORD KEYWORD_CLASS_SECTION = 0;
constexpr DWORD KEYWORD_CLASS_END_VAR = 1;
constexpr DWORD KEYWORD_CLASS_BIT_LOGIC = 2;
constexpr DWORD KEYWORD_CLASS_DATA_TYPE = 3;
constexpr DWORD KEYWORD_CLASS_FUNCTION = 4;
constexpr DWORD KEYWORD_CLASS_FB_TYPE = 5;
constexpr DWORD KEYWORD_CLASS_ASSIGN = 8;
constexpr DWORD KEYWORD_CLASS_INSTRUCTION = 9;
constexpr DWORD KEYWORD_CLASS_OTHER = 12;

extern const CSeparatorDef g_SeparatorTable[SEPARATOR_COUNT];
extern const CMemAreaDef g_MemAreaDefTable[MEM_AREA_DEF_COUNT];
extern const CKeywordDef g_KeywordTable[KEYWORD_COUNT];
extern const COpcodeDef g_OpcodeTable[OPCODE_COUNT];

// Separators.
bool IsSeparatorMode0(const std::string& token);
bool IsSeparatorMode1(const std::string& token);
std::string GetSeparatorText(int row);
bool IsAnySeparator(const std::string& text);

// Prefixes: the first row whose prefix stands at the beginning of the text
// (compared as given; callers upper-case it).
bool FindMemoryArea(const std::string& address, WORD& row);
bool GetMemoryAreaDef(int row, CMemAreaDef& def);

// Reserved words, compared exactly.
int GetKeywordId(const std::string& name);
int LookupKeywordMode0(const std::string& name, CKeywordDef& def);
int LookupKeywordMode1(const std::string& name, CKeywordDef& def);
bool IsFunctionKeyword(const std::string& name);
// Upper-cased; any keyword row, enabled or not, or any instruction's name 2.
bool IsReservedWord(const std::string& word);

// Instructions. The CPU tests read the current family bit and profile sub-type.
bool IsInstructionSupported(const std::string& name);
bool LookupInstruction(const std::string& name, COpcodeDef& def);
int FindInstructionByOpcode(WORD opcode, COpcodeDef& def);
bool CheckInstructionOperands(const std::string& name, COpcodeDef& signature, int& badPosition);
bool SelectInstructionVariant(const std::string& name, COpcodeDef signature, COpcodeDef& selected);
bool IsNonLogicInstruction(const std::string& name);
