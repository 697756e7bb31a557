#include "AppDataFixture.h"

#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

enum FamilyIndex { VB12 = 0, VB14 = 1, VB16 = 2, NONE8 = 3, VB14EX = 4, VA10 = 5, VC14 = 6, VC16 = 7 };
const int kAllFamilies[] = {VB12, VB14, VB16, NONE8, VB14EX, VA10, VC14, VC16};

constexpr OperandTypeFlags kInputBit = OT_AREA_I | OT_READABLE | OT_DIRECT | OT_FORCEABLE | OT_BOOL;
constexpr OperandTypeFlags kTimer = OT_AREA_T | OT_WRITABLE | OT_READABLE | OT_DIRECT | OT_BOOL_WORD_INT;
constexpr OperandTypeFlags kVWord =
    OT_AREA_V | OT_WRITABLE | OT_READABLE | OT_DIRECT | OT_FORCEABLE | OT_WORD_INT;

class DirectAddressTest : public AppDataFixture {};

TEST_F(DirectAddressTest, AddressesByFamily)
{
    struct Case {
        const char* text;
        std::vector<int> validOn;
        OperandTypeFlags flags; // 0: not compared
    };
    const std::vector<int> all(std::begin(kAllFamilies), std::end(kAllFamilies));
    const std::vector<int> large = {VB16, VB14EX, VC14, VC16};
    const std::vector<int> notVB12 = {VB14, VB16, NONE8, VB14EX, VC14, VC16};
    const Case cases[] = {
        {"%i0.0", all, kInputBit},
        {"I0.0", all, kInputBit},
        {"%I0.1", all, 0},
        {"%I01.1", {}, 0},             // no leading zero
        {"%VB0", all, 0},
        {"%VB00", {}, 0},
        {"%Q0.7", all, 0},
        {"%Q1.0", notVB12, 0},         // VB12 and VA10 have output byte 0 only
        {"%V100.8", {}, 0},
        {"%V100.10", {}, 0},
        {"%V1.", {}, 0},
        {"%V.1", {}, 0},
        {"%VB1.0", {}, 0},
        {"%VW0", all, kVWord},
        {"%VW2046", all, 0},           // V of VB12 and VA10: 2048 bytes
        {"%VW2047", {}, 0},            // odd
        {"%VD2044", all, 0},
        {"%VD2046", notVB12, 0},       // the last double word of 2048 bytes starts at 2044
        {"%VW4094", notVB12, 0},
        {"%VW4096", {}, 0},
        {"%VD4092", notVB12, 0},
        {"%VD4094", {}, 0},
        {"%VR0", all, OT_AREA_V | OT_WRITABLE | OT_READABLE | OT_DIRECT | OT_FORCEABLE | OT_REAL},
        {"%T255", large, kTimer},
        {"%T127", notVB12, 0},
        {"%T5.1", {}, 0},
        {"%C63", all, 0},
        {"%SR31", large, OT_AREA_SR | OT_WRITABLE | OT_READABLE | OT_DIRECT | OT_BOOL},
        {"%SR32", {}, 0},
        {"%RS0.1", {}, 0},
        {"%VB+1", {}, 0},
        {"%VB-1", {}, 0},
        {"%VB 1", {}, 0},
        {"%AIW0", {VB14, VB16, NONE8, VB14EX}, OT_AREA_AI | OT_READABLE | OT_DIRECT | OT_FORCEABLE | OT_WORD_INT},
        {"%AIW1", {}, 0},
        {"%AQW62", {VB16, VB14EX}, 0},
        {"%HC5", notVB12, OT_AREA_HC | OT_READABLE | OT_DIRECT | OT_DINT},
        {"%HC1", all, 0},
        {"%SM0.1", all, 0},
        {"%SMW298", all, 0},
        {"%SMD296", all, 0},
        {"%SMD298", {}, 0},
        {"%LD0", all, OT_AREA_L | OT_WRITABLE | OT_READABLE | OT_DIRECT | OT_DWORD_DINT | OT_REAL},
        {"%L15.7", all, 0},
        {"%L16.0", large, 0},
        {"%BR1.7", all, 0},
        {"%BR2.0", {}, 0},
        {"%X0", {}, 0},
        {"%", {}, 0},
        {"", {}, 0},
        {"%VB", {}, 0},
        {"%VB99999999999999999999", {}, 0},
    };
    for (int family : kAllFamilies) {
        UseFamily(family);
        for (const Case& c : cases) {
            const bool expected = std::find(c.validOn.begin(), c.validOn.end(), family) != c.validOn.end();
            OperandTypeFlags flags = 0;
            EXPECT_EQ(ParseDirectAddress(c.text, flags), expected) << c.text << " on family index " << family;
            if (!expected) {
                EXPECT_EQ(flags, 0xFFFFFFFFu) << c.text;
            } else if (c.flags) {
                EXPECT_EQ(flags, c.flags) << c.text << std::hex;
            }
        }
    }
}

TEST_F(DirectAddressTest, Alignment)
{
    struct Case {
        const char* text;
        bool aligned;
    };
    const Case cases[] = {
        {"%VW4", true},  {"vw3", false},   {"%SMD2", true}, {"%AIW10", true}, {"%ACW3", false},
        {"%LD6", true},  {"%VR1", false},  {"%VW", false},  {"%VWX", false},  {"%VB3", true},
        {"%I0.1", true}, {"nonsense", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAlignedDirectAddress(c.text), c.aligned) << c.text;
}

TEST_F(DirectAddressTest, EightByteBlocks)
{
    UseFamily(VB12);
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"%VB2040", true}, {"%VB2041", false}, {"%MB24", true}, {"MB25", false}, {"%LB8", true},
        {"%LB9", false},   {"%IB0", false},    {"%SMB0", false}, {"%VW0", false}, {"%VB", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsEightByteBlockAddress(c.text), c.ok) << c.text;
}

TEST_F(DirectAddressTest, Identifiers)
{
    struct Case {
        const char* text;
        bool ok;
    };
    const Case cases[] = {
        {"_MOTOR1", true}, {"motor", true},   {"_", true},     {"\xB5\xE7\xBB\xFA" "1", true},
        {"__X", false},    {"1MOTOR", false}, {"MOTOR 1", false}, {"A-B", false}, {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidIdentifier(c.text), c.ok) << c.text;
}

TEST_F(DirectAddressTest, PointerAndAddressOfOperands)
{
    struct Case {
        const char* text;
        int family;
        bool indirect;
        bool addressOf;
        bool parsedAddressOf;
    };
    const Case cases[] = {
        {"*VD100", VC14, true, false, false},   {"*vd100", VC14, true, false, false},
        {"*VD100", VB12, false, false, false},  {"*VW100", VC14, false, false, false},
        {"*MD0", VB16, false, false, false},    {"VD100", VB16, false, false, false},
        {"*", VB16, false, false, false},       {"&VB100", VB16, false, true, true},
        {"&VB100", VB14, false, false, true},   {"&vr8", VC16, false, true, true},
        {"&MB0", VB16, false, false, false},    {"&VB99999", VB16, false, false, false},
    };
    for (const Case& c : cases) {
        UseFamily(c.family);
        EXPECT_EQ(IsIndirectOperand(c.text), c.indirect) << c.text;
        EXPECT_EQ(IsAddressOfOperand(c.text), c.addressOf) << c.text;
        OperandTypeFlags flags = 0x1234;
        EXPECT_EQ(ParseAddressOfOperand(c.text, flags), c.parsedAddressOf) << c.text;
        EXPECT_EQ(flags, c.parsedAddressOf ? 0x800100u : 0x1234u) << c.text;
    }
}

TEST_F(DirectAddressTest, InstanceNames)
{
    struct Case {
        const char* name;
        int family;
        bool instance;
    };
    const Case cases[] = {
        {"T05", VB14, true},  {"t5", VB14, true},    {"T", VB14, false},    {"T255", VB16, true},
        {"T255", VB14, false}, {"C10", VA10, true},  {"RS3", VB16, true},   {"RS3", VB14, false},
        {"SR31", VC16, true}, {"SR32", VC16, false}, {"TX", VB14, false},   {"T-1", VB14, false},
        {"MOTOR", VB14, false},
    };
    for (const Case& c : cases) {
        UseFamily(c.family);
        EXPECT_EQ(IsFBInstanceName(c.name), c.instance) << c.name;
    }

    UseFamily(VB16);
    struct TypeCase {
        const char* name;
        const char* type;
        bool fits;
    };
    const TypeCase typeCases[] = {
        {"T37", "TON", true},  {"T37", "TP", true},   {"C37", "TON", false}, {"C5", "CTUD", true},
        {"t5", "ton", true},   {"RS1", "RS", true},   {"SR1", "RS", false},  {"SR1", "SR", true},
        {"T5", "MOVE", false}, {"T300", "TOF", false}, {"T", "TON", false},
    };
    for (const TypeCase& c : typeCases)
        EXPECT_EQ(IsValidFBInstanceName(c.name, c.type), c.fits) << c.name << " " << c.type;
}

TEST_F(DirectAddressTest, SymbolNames)
{
    UseFamily(VB14);
    struct Case {
        const char* name;
        bool ok;
    };
    const Case cases[] = {
        {"T5", false},     // timer 5 once "%" is added
        {"M1", true},      // %M1 lacks the bit number
        {"TON", false},    // reserved word
        {"ton", false},
        {"VW100", false},  // a direct address
        {"TRUE", false},   // a constant
        {"MOTOR", true},
        {" MOTOR ", true}, // trimmed
        {"", false},
        {"1MOTOR", false},
        {"ADD", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidSymbolName(c.name, false), c.ok) << c.name;
        EXPECT_EQ(IsValidSymbolName(c.name, true), c.ok) << c.name;
    }
}

TEST_F(DirectAddressTest, SymbolNameTakenByAGlobalSymbol)
{
    UseFamily(VB14);
    auto* symbol = new CZULSymbol;
    symbol->name = "Motor";
    symbol->address = "%Q0.0";
    m_app->Project.AddSymbol(symbol);
    EXPECT_FALSE(IsValidSymbolName(" MOTOR", false)); // compared in upper case
    EXPECT_TRUE(IsValidSymbolName(" MOTOR", true));
    EXPECT_TRUE(IsValidSymbolName("PUMP", false));
}

} // namespace
