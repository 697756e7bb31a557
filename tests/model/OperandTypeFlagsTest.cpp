#include "model/CZULAppData.h"
#include "model/OperandTypeFlags.h"

#include <gtest/gtest.h>

#include <string>

TEST(OperandTypeFlagsTest, TypeNameToMask)
{
    struct Case {
        const char* name;
        BOOL known;
        int mask;
    };
    const Case cases[] = {
        {"BOOL", TRUE, 0x1}, {"byte", TRUE, 0x2}, {"Word", TRUE, 0x4}, {"DWORD", TRUE, 0x8},
        {"INT", TRUE, 0x10}, {"dint", TRUE, 0x20}, {" real ", TRUE, 0x40}, {"\tREAL\t", TRUE, 0x40},
        {"TIME", FALSE, 0}, {"", FALSE, 0}, {"BOOL BYTE", FALSE, 0}, {"LWORD", FALSE, 0},
    };
    for (const Case& c : cases) {
        int mask = -1;
        EXPECT_EQ(CZULAppData::TypeNameToMask(c.name, mask), c.known) << c.name;
        EXPECT_EQ(mask, c.mask) << c.name;
    }
}

TEST(OperandTypeFlagsTest, AccessToParamFlags)
{
    const OperandTypeFlags inputBit0 = OT_AREA_I | OT_READABLE | OT_DIRECT | OT_FORCEABLE | OT_BOOL;
    const OperandTypeFlags vw0 = OT_AREA_V | OT_WRITABLE | OT_READABLE | OT_DIRECT | OT_FORCEABLE | OT_WORD_INT;
    EXPECT_EQ(inputBit0, 0x28A01u);
    EXPECT_EQ(AccessToParamFlags(0x18000), 0x6000u);
    EXPECT_EQ(AccessToParamFlags(inputBit0), 0x2000u);
    EXPECT_EQ(AccessToParamFlags(vw0), 0x6000u);
    EXPECT_EQ(AccessToParamFlags(0x1010), 0u);
    EXPECT_EQ(AccessToParamFlags(0xFFFFFFFF), 0x6000u);
}

// The class and parameter flags are stored in variable files and call interfaces.
TEST(OperandTypeFlagsTest, VariableClassesKeepTheirStoredValues)
{
    EXPECT_EQ(OT_VAR_INPUT, 0xA000u);
    EXPECT_EQ(OT_VAR_IN_OUT, 0x1E000u);
    EXPECT_EQ(OT_VAR_OUTPUT, 0x1C000u);
    EXPECT_EQ(OT_VAR, 0x18000u);
    EXPECT_EQ(OT_EN_PARAM, 0x2001u);
    EXPECT_EQ(OT_ENO_PARAM, 0x4001u);
    EXPECT_EQ(OT_AREA_BITS & 0x2000000u, 0x2000000u);
    EXPECT_EQ(OT_AREA_BITS & (OT_TYPE_BITS | OT_DIRECTION_BITS | OT_ACCESS_BITS | OT_DIRECT | OT_CONSTANT), 0u);
}

TEST(OperandTypeFlagsTest, FormatBinaryString)
{
    struct Case {
        DWORD value;
        std::string text;
    };
    const Case cases[] = {
        {5, "101"}, {0, "0"}, {1, "1"}, {0x80000000, "1" + std::string(31, '0')},
        {0xFFFFFFFF, std::string(32, '1')}, {0x40, "1000000"},
    };
    for (const Case& c : cases) {
        std::string text = "old";
        FormatBinaryString(c.value, text);
        EXPECT_EQ(text, c.text) << c.value;
    }
}

TEST(OperandTypeFlagsTest, BcdConversions)
{
    EXPECT_EQ(BcdToByte(0x59), 59);
    EXPECT_EQ(ByteToBcd(59), 0x59);
    for (int value = 0; value <= 99; ++value)
        EXPECT_EQ(BcdToByte(ByteToBcd(static_cast<BYTE>(value))), value);
    EXPECT_EQ(ByteToBcd(0), 0x00);
    EXPECT_EQ(ByteToBcd(9), 0x09);
    EXPECT_EQ(ByteToBcd(10), 0x10);
}

TEST(OperandTypeFlagsTest, RealBitPatterns)
{
    EXPECT_EQ(DwordToFloat(0x3F800000), 1.0f);
    EXPECT_EQ(DwordToFloat(0xC0490FDB), -3.14159274f);
    EXPECT_EQ(DwordToFloat(0), 0.0f);
    for (DWORD value : {0u, 0x12345678u, 0xFFFFFFFFu, 0x3F800000u})
        EXPECT_EQ(RebuildDwordFromBytes(value), value);
}
