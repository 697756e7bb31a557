#include "model/TypedConstants.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(TypedConstants, NumberTextCharacters)
{
    struct Case {
        std::string text;
        int radix;
        bool fraction;
        bool number;      // IsNumberText
        bool plainNumber; // IsPlainNumberText
    };
    const Case cases[] = {
        {"101", 2, false, true, true},
        {"102", 2, false, false, false},
        {"101", 0, false, true, true},        // radix 2 or less is base 2
        {"777", 8, false, true, true},
        {"778", 8, false, false, false},
        {"19", 10, false, true, true},
        {"19", 9, false, true, true},         // 9 counts as decimal
        {"FF", 16, false, true, true},
        {"ff", 16, false, false, false},      // lower-case digits are refused
        {"1E", 16, false, true, true},
        {"1G", 16, false, false, false},
        {"1.5", 10, true, true, true},
        {"1.5", 10, false, false, false},
        {"1.5", 16, true, false, false},      // the fraction flag counts in decimal only
        {"1.2.3", 10, true, false, false},
        {"-5", 10, false, true, true},
        {"+5", 10, false, true, true},
        {"5-", 10, false, false, false},
        {"-5", 16, false, false, false},
        {"1.0E5", 10, true, true, false},     // "E" needs a "." in the text
        {"1E5", 10, true, false, false},
        {"1.5E-3", 10, true, true, false},
        {"1.5E+3", 10, true, true, false},
        {"1 5", 10, false, false, false},
        {"", 10, false, false, false},
        {"-", 10, false, false, false},       // a lone sign is no number
        {"+", 10, true, false, false},
        {".", 10, true, false, false},        // a lone point neither
        {"-.", 10, true, false, false},
        {std::string(100, '7'), 10, false, true, true},
        {std::string(101, '7'), 10, false, false, true}, // only the full check limits the length
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsNumberText(c.text, c.radix, c.fraction), c.number) << c.text << " radix " << c.radix;
        EXPECT_EQ(IsPlainNumberText(c.text, c.radix, c.fraction), c.plainNumber) << c.text << " radix " << c.radix;
    }
}

TEST(TypedConstants, DigitConversions)
{
    DWORD d = 7;
    EXPECT_TRUE(HexToDword("FFFFFFFF", d));
    EXPECT_EQ(d, 0xFFFFFFFFu);
    EXPECT_FALSE(HexToDword("100000000", d));
    EXPECT_EQ(d, 0u);
    EXPECT_TRUE(HexToDword("", d));
    EXPECT_EQ(d, 0u);
    EXPECT_TRUE(OctToDword("37777777777", d));
    EXPECT_EQ(d, 0xFFFFFFFFu);
    EXPECT_FALSE(OctToDword("40000000000", d));
    EXPECT_TRUE(BinToDword(std::string(32, '1'), d));
    EXPECT_FALSE(BinToDword(std::string(33, '0'), d));  // at most 32 digits

    WORD w = 7;
    EXPECT_TRUE(HexToWord("ABCD", w));
    EXPECT_EQ(w, 0xABCD);
    EXPECT_FALSE(HexToWord("0ABCD", w));                // at most four digits
    EXPECT_EQ(w, 0);
    EXPECT_TRUE(OctToWord("177777", w));
    EXPECT_EQ(w, 0xFFFF);
    EXPECT_FALSE(OctToWord("200000", w));
    EXPECT_TRUE(BinToWord("1010", w));
    EXPECT_EQ(w, 10);
    EXPECT_FALSE(BinToWord("102", w));

    BYTE b = 7;
    EXPECT_TRUE(HexToByte("7F", b));
    EXPECT_EQ(b, 0x7F);
    EXPECT_FALSE(HexToByte("1FF", b));
    EXPECT_FALSE(HexToByte("G", b));
    EXPECT_EQ(b, 0);
    EXPECT_TRUE(OctToByte("377", b));
    EXPECT_EQ(b, 0xFF);
    EXPECT_FALSE(OctToByte("400", b));
    EXPECT_FALSE(OctToByte("8", b));
    EXPECT_TRUE(BinToByte("11111111", b));
    EXPECT_FALSE(BinToByte("111111111", b));
}

TEST(TypedConstants, SplitConstantPrefix)
{
    struct Case {
        const char* text;
        int radix;
        const char* digits;
    };
    const Case cases[] = {
        {"I#2#101", 2, "101"},   {"DW#2#1010", 2, "1010"}, {"2#11", 2, "11"},    {"B#8#17", 8, "17"},
        {"8#17", 8, "17"},       {"W#16#FF", 16, "FF"},    {"DI#16#  FF", 16, "FF"}, {"16#FF", 16, "FF"},
        {"T#5S", 17, "5S"},      {"TOD#10:00", 18, "10:00"}, {"D#2020-1-1", 19, "2020-1-1"},
        {"DT#X", 20, "X"},       {"DI#-5", 10, "-5"},      {"B#  7", 10, "7"},    {"100", 10, "100"},
        {"-5", 10, "-5"},
    };
    for (const Case& c : cases) {
        std::string digits;
        EXPECT_EQ(SplitConstantPrefix(c.text, digits), c.radix) << c.text;
        EXPECT_EQ(digits, c.digits) << c.text;
    }
}

TEST(TypedConstants, ParseByType)
{
    struct Case {
        const char* text;
        OperandTypeFlags type;
        int result;
        long long slot; // the slot of the type afterwards (REAL: not compared)
    };
    const Case cases[] = {
        {"TRUE", OT_BOOL, CONST_PARSE_OK, 1},
        {"FALSE", OT_BOOL, CONST_PARSE_OK, 0},
        {"true", OT_BOOL, CONST_PARSE_INVALID_TEXT, 9},
        {"16#10", OT_BOOL, CONST_PARSE_OK, 1},
        {"0", OT_BOOL, CONST_PARSE_OK, 0},
        {"-3", OT_BOOL, CONST_PARSE_OK, 1},
        {"1.5", OT_BOOL, CONST_PARSE_INVALID_TEXT, 9},
        {"255", OT_BYTE, CONST_PARSE_OK, 255},
        {"300", OT_BYTE, CONST_PARSE_OUT_OF_RANGE, 255},
        {"-1", OT_BYTE, CONST_PARSE_OUT_OF_RANGE, 0},
        {"16#1FF", OT_BYTE, CONST_PARSE_INVALID_TEXT, 9},
        {"W#16#FF", OT_BYTE, CONST_PARSE_OK, 255},   // the type letters play no part
        {"2#101", OT_BYTE, CONST_PARSE_OK, 5},
        {"65535", OT_WORD, CONST_PARSE_OK, 65535},
        {"65536", OT_WORD, CONST_PARSE_OUT_OF_RANGE, 65535},
        {"8#177777", OT_WORD, CONST_PARSE_OK, 65535},
        {"4294967295", OT_DWORD, CONST_PARSE_OK, 4294967295LL},
        {"-1", OT_DWORD, CONST_PARSE_OUT_OF_RANGE, 9},  // the slot is left as it was
        {"4294967296", OT_DWORD, CONST_PARSE_OUT_OF_RANGE, 9},
        {"DW#16#FFFFFFFF", OT_DWORD, CONST_PARSE_OK, 4294967295LL},
        {"-32768", OT_INT, CONST_PARSE_OK, -32768},
        {"32768", OT_INT, CONST_PARSE_OUT_OF_RANGE, 32767},
        {"-40000", OT_INT, CONST_PARSE_OUT_OF_RANGE, -32768},
        {"16#FFFF", OT_INT, CONST_PARSE_OK, -1},
        {"I#16#8000", OT_INT, CONST_PARSE_OK, -32768},
        {"-", OT_INT, CONST_PARSE_INVALID_TEXT, 9},     // a lone sign is no zero
        {"T#5S", OT_INT, CONST_PARSE_INVALID_TEXT, 9},
        {"DI#-5", OT_DINT, CONST_PARSE_OK, -5},
        {"2147483648", OT_DINT, CONST_PARSE_OUT_OF_RANGE, 2147483647LL},
        {"-2147483649", OT_DINT, CONST_PARSE_OUT_OF_RANGE, -2147483648LL},
        {"99999999999999999999999", OT_DINT, CONST_PARSE_OUT_OF_RANGE, 2147483647LL},
        {"16#80000000", OT_DINT, CONST_PARSE_OK, -2147483648LL},
        {"1.5E3", OT_REAL, CONST_PARSE_OK, 0},
        {"R#1.5", OT_REAL, CONST_PARSE_INVALID_TEXT, 0},
        {"5", OT_WORD | OT_INT, CONST_PARSE_TYPE_NOT_SUPPORTED, 9},
        {"5", OT_POINTER, CONST_PARSE_TYPE_NOT_SUPPORTED, 9},
    };
    for (const Case& c : cases) {
        CConstantValue v;
        v.boolValue = 9;
        v.byteValue = 9;
        v.wordValue = 9;
        v.dwordValue = 9;
        v.intValue = 9;
        v.dintValue = 9;
        EXPECT_EQ(ParseTypedConstant(c.text, c.type, v), c.result) << c.text;
        long long slot = 0;
        switch (c.type) {
        case OT_BOOL: slot = v.boolValue; break;
        case OT_BYTE: slot = v.byteValue; break;
        case OT_WORD: slot = v.wordValue; break;
        case OT_DWORD: slot = v.dwordValue; break;
        case OT_INT: slot = v.intValue; break;
        case OT_DINT: slot = v.dintValue; break;
        case OT_REAL: continue;
        default: slot = v.wordValue; break;
        }
        EXPECT_EQ(slot, c.slot) << c.text;
    }
    CConstantValue real;
    ASSERT_EQ(ParseRealConstant("1.5E3", real), CONST_PARSE_OK);
    EXPECT_FLOAT_EQ(real.realValue, 1500.0f);
}

TEST(TypedConstants, RealRange)
{
    struct Case {
        const char* text;
        bool inRange;
    };
    const Case cases[] = {
        {"1.0E-40", false}, // below the smallest normalised single
        {"0.0", true},      {"-0.0", true},  {"1.2E-38", true}, {"3.4E38", true},
        {"3.5E38", false},  {"1.0E300", false}, {"-1.0E300", false},
    };
    for (const Case& c : cases) {
        CConstantValue v;
        ASSERT_EQ(ParseRealConstant(c.text, v), CONST_PARSE_OK) << c.text;
        EXPECT_EQ(IsConstantInRange(OT_REAL, v), c.inRange) << c.text;
        EXPECT_EQ(CheckConstantText(c.text, OT_REAL, v), c.inRange) << c.text;
    }
    float maximum = 0;
    float minimum = 0;
    GetRealLimits(maximum, minimum);
    DWORD bits = 0;
    std::memcpy(&bits, &maximum, sizeof bits);
    EXPECT_EQ(bits, 0x7F7FFFFFu);
    std::memcpy(&bits, &minimum, sizeof bits);
    EXPECT_EQ(bits, 0x00800000u);
}

TEST(TypedConstants, ClassifyAndParseConstant)
{
    struct Case {
        const char* text;
        OperandTypeFlags type; // 0: not a constant
        DWORD value;
    };
    const Case cases[] = {
        {"b#16#ff", OT_BYTE, 255},
        {"32767", OT_INT, 32767},
        {"-32768", OT_INT, 0xFFFF8000},
        {"32768", 0, 0},            // a plain number is an INT
        {"DI#32768", OT_DINT, 32768},
        {"1E5", 0, 0},
        {"1.0E5", OT_REAL, 0x47C35000},
        {"T#5S", 0, 0},
        {"16#FFFF", OT_WORD, 65535},
        {"I#16#FFFF", OT_INT, 0xFFFFFFFF},
        {"8#17", OT_WORD, 15},
        {"2#101", OT_WORD, 5},
        {"DW#2#1010", OT_DWORD, 10},
        {"TRUE", OT_BOOL, 1},
        {"false", OT_BOOL, 0},
        {"B#300", 0, 0},            // out of range
        {"W#16#1FFFF", 0, 0},
        {"1.0E40", 0, 0},
        {"MOTOR", 0, 0},
        {"-", 0, 0},
        {".", 0, 0},
        {"", 0, 0},
    };
    for (const Case& c : cases) {
        OperandTypeFlags classified = 0;
        EXPECT_EQ(ClassifyConstant(c.text, classified), c.type != 0) << c.text;
        EXPECT_EQ(classified, c.type ? c.type | OT_CONSTANT | OT_READABLE : 0xFFFFFFFF) << c.text;

        OperandTypeFlags flags = 0;
        DWORD value = 0;
        float real = 0;
        EXPECT_EQ(ParseConstant(c.text, flags, value, real), c.type != 0) << c.text;
        if (!c.type)
            continue;
        EXPECT_EQ(flags, c.type | OT_CONSTANT) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    OperandTypeFlags flags = 0;
    DWORD value = 0;
    float real = 0;
    ASSERT_TRUE(ParseConstant("1.0E5", flags, value, real));
    EXPECT_FLOAT_EQ(real, 100000.0f);
}

} // namespace
