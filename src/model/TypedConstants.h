#pragma once
// Constants written as text (TRUE, 100, -5, 1.5E3, 16#FF, B#16#FF, DW#2#1010,
// DI#-5): recognising a text as a constant, choosing its data type,
// converting it into a value of one type with range checks, and telling an
// invalid text from a value out of range.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

// One slot per data type; a parser writes only the slot of its type.
struct CConstantValue {
    BYTE boolValue = 0;
    BYTE byteValue = 0;
    WORD wordValue = 0;
    DWORD dwordValue = 0;
    short intValue = 0;
    int dintValue = 0;
    float realValue = 0.0f;
};

// Results of ParseTypedConstant and the per-type parsers.
constexpr int CONST_PARSE_OK = 0;
constexpr int CONST_PARSE_TYPE_NOT_SUPPORTED = 1;
constexpr int CONST_PARSE_INVALID_TEXT = 2;
// The slot holds the nearest limit (the DWORD slot is left unchanged).
constexpr int CONST_PARSE_OUT_OF_RANGE = 3;

// Radix codes of SplitConstantPrefix.
constexpr int CONST_RADIX_BIN = 2;
constexpr int CONST_RADIX_OCT = 8;
constexpr int CONST_RADIX_DEC = 10;
constexpr int CONST_RADIX_HEX = 16;
constexpr int CONST_RADIX_TIME = 17;          // "T#"
constexpr int CONST_RADIX_TIME_OF_DAY = 18;   // "TOD#"
constexpr int CONST_RADIX_DATE = 19;          // "D#"
constexpr int CONST_RADIX_DATE_AND_TIME = 20; // "DT#"

// Type limits: the maximum, then the minimum. REAL gives the largest finite
// and the smallest normalised magnitude of a single.
void GetByteLimits(BYTE& maximum, BYTE& minimum);
void GetWordLimits(WORD& maximum, WORD& minimum);
void GetDwordLimits(DWORD& maximum, DWORD& minimum);
void GetIntLimits(short& maximum, short& minimum);
void GetDintLimits(int& maximum, int& minimum);
void GetRealLimits(float& maximum, float& minimum);

// Character check of a number: radix 2 or less base 2, 3 to 8 octal, 11 to 16
// hexadecimal, anything else decimal (only then does a fraction count). 1 to
// 100 characters, at least one digit.
bool IsNumberText(const std::string& text, int radix, bool fractionAllowed);
// The same without the length limit and with "E" a hexadecimal digit only.
bool IsPlainNumberText(const std::string& text, int radix, bool fractionAllowed);

// Digit conversions of upper-case text; false and 0 on a bad digit or a value
// that does not fit; an empty text gives 0 and true.
bool HexToDword(const std::string& text, DWORD& value);
bool HexToWord(const std::string& text, WORD& value);
bool HexToByte(const std::string& text, BYTE& value);
bool OctToDword(const std::string& text, DWORD& value);
bool OctToWord(const std::string& text, WORD& value);
bool OctToByte(const std::string& text, BYTE& value);
bool BinToDword(const std::string& text, DWORD& value);
bool BinToWord(const std::string& text, WORD& value);
bool BinToByte(const std::string& text, BYTE& value);

// The radix code of the text's prefix and the digits after it, leading blanks removed.
int SplitConstantPrefix(const std::string& text, std::string& digits);

int ParseBoolConstant(const std::string& text, CConstantValue& value);
int ParseByteConstant(const std::string& text, CConstantValue& value);
int ParseWordConstant(const std::string& text, CConstantValue& value);
int ParseDwordConstant(const std::string& text, CConstantValue& value);
int ParseIntConstant(const std::string& text, CConstantValue& value);
int ParseDintConstant(const std::string& text, CConstantValue& value);
int ParseRealConstant(const std::string& text, CConstantValue& value);

// The parser of the one data type given; any other value gives 1.
int ParseTypedConstant(const std::string& text, OperandTypeFlags typeBits, CConstantValue& value);
bool IsConstantInRange(OperandTypeFlags type, const CConstantValue& value);
bool CheckConstantText(const std::string& text, OperandTypeFlags type, CConstantValue& value);

// Recognises a constant: flags = its type | constant | readable; on failure
// false and flags 0xFFFFFFFF.
bool ClassifyConstant(const std::string& text, OperandTypeFlags& flags);
// The same recognition; flags = its type | constant, the value widened to 32
// bits (REAL: the bit pattern, and the REAL value set).
bool ParseConstant(const std::string& text, OperandTypeFlags& flags, DWORD& value, float& realValue);
