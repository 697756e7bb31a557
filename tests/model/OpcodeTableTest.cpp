#include "AppDataFixture.h"

#include "model/DirectAddress.h"
#include "model/ILVocabulary.h"
#include "model/TypedConstants.h"

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

enum FamilyIndex { VB12 = 0, VB14 = 1, VB16 = 2, VB14EX = 4, VA10 = 5, VC14 = 6, VC16 = 7 };

// Operand flags by a text as the editors and the compiler build them:
// "*VD.." a pointer, "&.." an address-of operand, "LABEL" a label reference,
// "#..." a hexadecimal flag word, anything else a direct address or a constant.
OperandTypeFlags FlagsOf(const std::string& text)
{
    if (text == "LABEL")
        return OT_POU_REF | OT_CONSTANT;
    if (text[0] == '*')
        return OT_POINTER;
    if (text[0] == '#')
        return static_cast<OperandTypeFlags>(std::stoul(text.substr(1), nullptr, 16));
    OperandTypeFlags flags = 0;
    if (text[0] == '&' && ParseAddressOfOperand(text, flags))
        return flags;
    if (ParseDirectAddress(text, flags))
        return flags;
    DWORD value = 0;
    float real = 0;
    EXPECT_TRUE(ParseConstant(text, flags, value, real)) << text;
    return flags;
}

COpcodeDef Signature(const std::vector<std::string>& operands)
{
    COpcodeDef signature{};
    signature.operandCount = static_cast<DWORD>(operands.size());
    for (size_t i = 0; i < operands.size(); ++i)
        signature.operandMasks[i] = FlagsOf(operands[i]);
    return signature;
}

class OpcodeTableTest : public AppDataFixture {
protected:
    void UseCpu(int familyIndex, BYTE subType)
    {
        UseFamily(familyIndex);
        m_app->ProfileSubType = subType;
    }
};

TEST(OpcodeTable, Consistency)
{
    ASSERT_EQ(std::size(g_OpcodeTable), size_t(OPCODE_COUNT));
    EXPECT_EQ(OPCODE_COUNT, 424);

    std::map<WORD, int> rowsPerOpcode;
    std::set<std::pair<std::string, WORD>> variants;
    std::map<std::vector<DWORD>, int> cpuForms;
    int resultTypeRows = 0;
    for (const COpcodeDef& row : g_OpcodeTable) {
        const std::string name3 = row.name3;
        EXPECT_EQ(row.enabled, 1) << name3;
        ASSERT_LE(row.operandCount, DWORD(OPCODE_MAX_OPERANDS)) << name3;
        ++rowsPerOpcode[row.opcode];
        EXPECT_TRUE(variants.insert({std::string(row.name1) + "/" + name3, row.opcode}).second)
            << name3 << " " << row.opcode;
        for (DWORD i = 0; i < DWORD(OPCODE_MAX_OPERANDS); ++i) {
            const OperandTypeFlags mask = row.operandMasks[i];
            if (i >= row.operandCount) {
                EXPECT_EQ(mask, 0u) << name3 << " slot " << i;
                continue;
            }
            // The object-code reader tells an operand's kind from its mask:
            // a reference, a direct address, a constant, a pointer or an
            // address-of operand; a constant names exactly one data type.
            const int kinds = !!(mask & OT_POU_REF) + !!(mask & OT_DIRECT) + !!(mask & OT_POINTER) +
                              !!(mask & OT_ADDRESS_OF) + !!((mask & OT_CONSTANT) && !(mask & OT_POU_REF));
            EXPECT_EQ(kinds, 1) << name3 << " operand " << i << std::hex << " mask " << mask;
            if ((mask & OT_CONSTANT) && !(mask & OT_POU_REF)) {
                const OperandTypeFlags type = mask & OT_TYPE_BITS;
                EXPECT_TRUE(type != 0 && (type & (type - 1)) == 0) << name3 << " operand " << i;
                EXPECT_EQ(mask & OT_AREA_BITS, 0u) << name3;
            }
            EXPECT_NE(mask & OT_DIRECTION_BITS, 0u) << name3 << " operand " << i;
            EXPECT_EQ(mask & (OT_READABLE | OT_WRITABLE | OT_FORCEABLE), 0u) << name3;
            if (mask & OT_DIRECT) {
                EXPECT_NE(mask & OT_AREA_BITS, 0u) << name3 << " operand " << i;
            }
        }
        for (int slot = 4; slot < OPCODE_CPU_SLOTS; ++slot)
            EXPECT_EQ(row.cpuMasks[slot], 0u) << name3;
        ++cpuForms[{row.cpuMasks[0], row.cpuMasks[1], row.cpuMasks[2], row.cpuMasks[3]}];
        resultTypeRows += row.resultTypeFlag;
        EXPECT_LE(row.resultTypeFlag, 1);
    }

    // Only these opcodes are carried by more than one row.
    std::set<WORD> shared;
    for (const auto& [opcode, count] : rowsPerOpcode) {
        if (count > 1)
            shared.insert(opcode);
    }
    EXPECT_EQ(shared, (std::set<WORD>{0x009, 0x01C, 0x022, 0x030, 0x12A, 0x12B, 0x12C, 0x12D, 0x12E}));

    const std::map<std::vector<DWORD>, int> expectedForms = {
        {{0x00, 0x00, 0x00, 0x00}, 11}, {{0xFF, 0xFF, 0xFF, 0xFF}, 269}, {{0xD4, 0xD4, 0xD4, 0xFF}, 9},
        {{0xD4, 0xD4, 0xD4, 0xD4}, 127}, {{0xDF, 0xDF, 0xDF, 0xDF}, 1}, {{0xDE, 0xDE, 0xDE, 0xDE}, 3},
        {{0xC0, 0xC0, 0xC0, 0xC0}, 4},
    };
    EXPECT_EQ(cpuForms, expectedForms);
    EXPECT_EQ(resultTypeRows, 14);
}

TEST(OpcodeTable, InternalRowsAreNeverSelectable)
{
    const std::set<std::string> internal = {"__FOR", "__SMW32", "__NEXT", "__LD", "__LDN", "__LDI", "__LDNI"};
    int count = 0;
    for (const COpcodeDef& row : g_OpcodeTable) {
        const bool isInternal = internal.count(row.name1) != 0;
        EXPECT_EQ(row.cpuMasks[0] == 0, isInternal) << row.name1;
        count += isInternal;
    }
    EXPECT_EQ(count, 11);
}

TEST(OpcodeTable, ResultTypeRows)
{
    const std::set<std::string> expected = {"ANDI", "ORI", "ANDNI", "ORNI", "ST", "ST_BOOL", "STN_BOOL",
                                            "STI", "AND", "AND_BOOL", "ANDN_BOOL", "OR", "OR_BOOL", "ORN_BOOL"};
    std::set<std::string> flagged;
    for (const COpcodeDef& row : g_OpcodeTable) {
        if (row.resultTypeFlag)
            flagged.insert(row.name3);
    }
    EXPECT_EQ(flagged, expected);
}

TEST(OpcodeTable, ModelRowsInFull)
{
    struct Case {
        const char* name3;
        WORD opcode;
        std::vector<OperandTypeFlags> masks;
    };
    const OperandTypeFlags bitRead = 0xE1FE0000; // I Q M SM T C V L RS SR BR
    const OperandTypeFlags byteRead = OT_AREA_I | OT_AREA_Q | OT_AREA_M | OT_AREA_SM | OT_AREA_V | OT_AREA_L;
    const OperandTypeFlags byteWrite = byteRead & ~OT_AREA_I;
    const OperandTypeFlags intRead = byteRead | OT_AREA_T | OT_AREA_C | OT_AREA_AI | OT_AREA_AQ;
    const OperandTypeFlags intWrite = byteWrite | OT_AREA_AQ;
    const OperandTypeFlags rd = OT_DIRECT | OT_INPUT;
    const OperandTypeFlags wr = OT_DIRECT | OT_OUTPUT;
    const OperandTypeFlags rdwr = rd | OT_OUTPUT;
    const OperandTypeFlags con = OT_CONSTANT | OT_INPUT;
    const Case cases[] = {
        {"LD_BOOL", 0x009, {OT_BOOL | rd | bitRead}},
        {"LD_CON_7", 0x00B, {OT_BOOL | con}},
        {"ST_BOOL", 0x01C, {OT_BOOL | wr | byteWrite | OT_AREA_BR}},
        {"AND_2", 0x024, {OT_BYTE | rd | byteRead, OT_BYTE | rdwr | byteWrite}},
        {"AND_2", 0x023, {OT_BYTE | con, OT_BYTE | rdwr | byteWrite}},
        {"ADD_INT", 0x049, {OT_INT | rd | intRead, OT_INT | rdwr | intWrite}},
        {"ADD_INT", 0x048, {OT_INT | con, OT_INT | rdwr | intWrite}},
        {"CTU", 0x0E6,
         {OT_INT | rd | OT_AREA_C, OT_BOOL | rd | (bitRead & ~OT_AREA_BR),
          OT_INT | rd | OT_AREA_I | OT_AREA_M | OT_AREA_SM | OT_AREA_V | OT_AREA_L | OT_AREA_AI | OT_AREA_AQ}},
        {"TON", 0x0EB, {OT_INT | rd | OT_AREA_T, OT_INT | con}},
        {"CAL_P", 0x12F, {OT_POU_REF | con}},
        {"JMP", 0x123, {OT_POU_REF | con}},
        {"LBL", 0x126, {OT_POU_REF | con}},
        {"FOR", 0x12D,
         {OT_INT | rdwr | OT_AREA_M | OT_AREA_SM | OT_AREA_V | OT_AREA_L,
          OT_INT | rd | OT_AREA_M | OT_AREA_SM | OT_AREA_T | OT_AREA_C | OT_AREA_V | OT_AREA_L, OT_INT | con}},
        {"PTR_R", 0x140, {OT_POINTER | OT_INPUT | OT_AREA_V, OT_INT | con}},
        {"MOV_DWORD", 0x142, {OT_ADDRESS_OF | OT_INPUT | OT_AREA_V, OT_DWORD | wr | OT_AREA_V}},
        {"ROL_PTR1", 0x230, {OT_POINTER | OT_INPUT | OT_OUTPUT | OT_AREA_V, OT_POINTER | OT_INPUT | OT_AREA_V}},
        {"SDO_READ", 0x209,
         {OT_BOOL | rd | bitRead, OT_BYTE | con, OT_WORD | con, OT_BYTE | con, OT_BYTE | wr | byteRead,
          OT_BYTE | wr | byteRead, OT_BOOL | wr | byteWrite | OT_AREA_BR, OT_DWORD | wr | byteWrite}},
    };
    for (const Case& c : cases) {
        const COpcodeDef* found = nullptr;
        for (const COpcodeDef& row : g_OpcodeTable) {
            if (row.opcode == c.opcode && !std::strcmp(row.name3, c.name3))
                found = &row;
        }
        ASSERT_NE(found, nullptr) << c.name3;
        ASSERT_EQ(found->operandCount, c.masks.size()) << c.name3;
        for (size_t i = 0; i < c.masks.size(); ++i)
            EXPECT_EQ(found->operandMasks[i], c.masks[i]) << c.name3 << " operand " << i << std::hex;
    }

    COpcodeDef pid{};
    ASSERT_TRUE(LookupInstruction("PID", pid));
    EXPECT_EQ(pid.opcode, 0x14C);
    EXPECT_EQ(pid.operandCount, 14u);
    EXPECT_EQ(pid.operandMasks[1], OT_INT | rd | OT_AREA_M | OT_AREA_V | OT_AREA_L | OT_AREA_AI);
    EXPECT_EQ(pid.operandMasks[12], OT_REAL | wr | OT_AREA_V | OT_AREA_L);
    EXPECT_EQ(pid.operandMasks[13], OT_INT | wr | OT_AREA_M | OT_AREA_V | OT_AREA_L | OT_AREA_AQ);
}

TEST(OpcodeTable, FindByOpcodeGivesTheFirstRow)
{
    struct Case {
        WORD opcode;
        int row;
        const char* name1;
        const char* name3;
    };
    const Case cases[] = {
        {0x12A, 0, "__FOR", "__FOR"}, {0x12E, 5, "__NEXT", "__NEXT"}, {0x009, 9, "LD", "LD"},
        {0x000, 7, "__LD", " "},      {0x01C, 21, "ST", "ST"},        {0x1B9, -2, "MOVE", "MOV_INT"},
        {0x0CC, -2, "AND(", "AND("},  {0x23B, -2, "ROR", "ROR_PTR6"}, {0x208, 423, "SDO_WRITE", "SDO_WRITE"},
    };
    for (const Case& c : cases) {
        COpcodeDef def{};
        const int row = FindInstructionByOpcode(c.opcode, def);
        if (c.row != -2) {
            EXPECT_EQ(row, c.row) << std::hex << c.opcode;
        }
        ASSERT_GE(row, 0);
        EXPECT_STREQ(def.name1, c.name1);
        EXPECT_STREQ(def.name3, c.name3);
        EXPECT_EQ(def.opcode, c.opcode);
    }
    COpcodeDef untouched{};
    EXPECT_EQ(FindInstructionByOpcode(0x0FFF, untouched), -1);
    EXPECT_EQ(untouched.opcode, 0);
}

TEST(OpcodeTable, LookupInstructionByAnyName)
{
    COpcodeDef def{};
    ASSERT_TRUE(LookupInstruction("ADD", def));
    EXPECT_EQ(def.opcode, 0x049);
    ASSERT_TRUE(LookupInstruction("AND_2", def));
    EXPECT_EQ(def.opcode, 0x024);
    ASSERT_TRUE(LookupInstruction("LBL", def));
    EXPECT_EQ(def.opcode, 0x126);
    ASSERT_TRUE(LookupInstruction("__RETCI", def));
    EXPECT_EQ(def.opcode, 0x127);
    EXPECT_FALSE(LookupInstruction("add", def)); // compared exactly
    EXPECT_FALSE(LookupInstruction("", def));
    EXPECT_FALSE(LookupInstruction("NOSUCH", def));
}

TEST_F(OpcodeTableTest, SupportByFamilyAndSubType)
{
    struct Case {
        const char* name;
        int family;
        BYTE subType;
        bool supported;
    };
    const Case cases[] = {
        {"LDI", VB12, 3, true},       {"LDI", VA10, 0, false},      {"LDI", VB16, 1, true},
        {"STI", VB14, 3, true},       {"STI", VB14, 0, false},      {"SDO_READ", VC14, 2, true},
        {"SDO_READ", VC16, 2, true},  {"SDO_READ", VB16, 1, false}, {"SDO_WRITE", VB12, 3, false},
        {"PLS", VA10, 0, false},      {"PLS", VB12, 3, true},       {"READ_RTC", VB12, 3, false},
        {"READ_RTC", VB14, 3, true},  {"PID", VA10, 0, false},      {"DI_TO_R", VA10, 0, true},
        {"B_TO_I", VA10, 0, false},   {"B_TO_I", VB14EX, 1, true},  {"ADD", VA10, 0, true},
        {"ADD_REAL", VB12, 3, true},  {"SQRT", VB12, 3, false},     {"SQRT", VC16, 2, true},
        {"__LD", VB16, 1, false},     {"__FOR", VC14, 2, false},    {"FOR", VC14, 2, true},
        {"FOR", VB14, 3, false},      {"LBL", VA10, 0, true},       {"", VB16, 1, false},
        {"ADD", VB16, 40, false}, // no CPU mask slot for that sub-type
    };
    for (const Case& c : cases) {
        UseCpu(c.family, c.subType);
        EXPECT_EQ(IsInstructionSupported(c.name), c.supported) << c.name << " family " << c.family;
    }
}

TEST_F(OpcodeTableTest, SelectVariantByOperandKinds)
{
    struct Case {
        int family;
        const char* name;
        std::vector<std::string> operands;
        int opcode; // -1: no variant
    };
    const Case cases[] = {
        {VB14, "ADD", {"10", "%VW0"}, 0x048},
        {VB14, "ADD", {"%VW0", "%VW2"}, 0x049},
        {VB14, "ADD", {"%AIW0", "%AQW2"}, 0x049},
        {VB14, "ADD", {"%VW0", "%IW2"}, -1},      // input words cannot be written
        {VB14, "ADD", {"DI#10", "%VD0"}, 0x04A},
        {VB14, "ADD", {"%VD0", "%VD4"}, 0x04B},
        {VB14, "ADD", {"%HC0", "%VD4"}, 0x04B},
        {VB14, "ADD", {"%VR0", "%VR4"}, 0x04D},
        {VB14, "ADD", {"1.5", "%VR0"}, 0x04C},
        {VB14, "ADD", {"16#10", "%VW0"}, -1},     // a WORD constant is no INT
        {VB14, "ADD", {"%VW0"}, -1},
        {VB14, "MOVE", {"1700", "%SMW32"}, 0x1B9},
        {VB14, "MOVE", {"%VW0", "%VW2"}, 0x117},  // WORD before INT
        {VB14, "MOVE", {"#00800810", "%VW2"}, 0x1B8}, // a V variable declared INT
        {VB14, "MOVE", {"16#FF", "%VW0"}, 0x118},
        {VB14, "MOVE", {"%VB0", "%QB0"}, 0x115},
        {VB14, "MOVE", {"B#5", "%VB0"}, 0x116},
        {VB14, "MOVE", {"DI#5", "%VD0"}, 0x1BB},
        {VB14, "MOVE", {"DW#16#5", "%VD0"}, 0x11A},
        {VB14, "MOVE", {"%VR0", "%VR4"}, 0x11B},
        {VB14, "MOVE", {"1.0", "%VR0"}, 0x11C},
        {VB16, "MOVE", {"&VB0", "%VD0"}, 0x142},
        {VB14, "MOVE", {"&VB0", "%VD0"}, -1},     // the address-of form needs a large CPU
        {VB14, "AND_2", {"%VB0", "%VB1"}, 0x024},
        {VB14, "AND_2", {"B#16#F", "%VB0"}, 0x023},
        {VB14, "AND_2", {"%VW0", "%VW2"}, 0x026},
        {VB14, "AND_2", {"16#FF", "%VW0"}, 0x025},
        {VB14, "AND_2", {"%VD0", "%VD4"}, 0x028},
        {VB14, "AND_2", {"DW#16#FF", "%VD0"}, 0x027},
        {VB14, "AND", {"%I0.0"}, 0x022},
        {VB14, "LD", {"%I0.0"}, 0x009},
        {VB14, "LD", {"%T5"}, 0x009},
        {VB14, "LD", {"TRUE"}, 0x00B},
        {VB14, "LD", {"%VW0"}, -1},
        {VB14, "ST", {"%Q0.0"}, 0x01C},
        {VB14, "ST", {"%I0.0"}, -1},
        {VB14, "STN", {"%Q0.0"}, -1},             // large CPUs only
        {VB16, "STN", {"%Q0.0"}, 0x021},
        {VB14, "GT", {"%VB0", "%VB1"}, 0x06A},
        {VB14, "GT", {"%VW0", "5"}, 0x06F},
        {VB14, "GT", {"5", "%VW0"}, 0x070},
        {VB14, "GT", {"5", "6"}, 0x071},
        {VB14, "LT", {"%VR0", "1.0"}, 0x0C7},
        {VB14, "TON", {"%T37", "100"}, 0x0EB},
        {VB14, "TON", {"%T37", "%VW0"}, 0x0EC},
        {VB14, "CTU", {"%C5", "%I0.1", "10"}, 0x0E5},
        {VB14, "JMP", {"LABEL"}, 0x123},
        {VB14, "JMP", {"5"}, -1},                 // a reference is required
        {VB14, "NOT_2", {"%VW0"}, 0x046},
        {VB14, "NOT", {}, -1},                    // the bit NOT has no row of its own
        {VB14, "SQRT", {"%VR0", "%VR4"}, -1},
        {VC14, "SQRT", {"%VR0", "%VR4"}, 0x191},
        {VC14, "SQRT", {"2.0", "%VR4"}, 0x190},
        {VB16, "ROL", {"*VD0", "*VD4"}, 0x230},
        {VB16, "ROL", {"*VD0", "3"}, 0x232},
        {VB16, "ROL", {"%VW0", "3"}, 0x0E1},
        {VB16, "PTR_R", {"*VD0", "1"}, 0x140},
        {VB16, "FOR", {"%VW0", "%VW2", "10"}, 0x12D},
        {VB16, "FOR", {"%VW0", "1", "10"}, 0x12C},
        {VC16, "SDO_READ", {"%M0.0", "B#1", "W#16#1000", "B#0", "%VB0", "%VB1", "%M0.1", "%VD4"}, 0x209},
        {VB14, "NCR", {}, -1},
        {VB16, "NCR", {}, 0x013},
        {VB14, "__NETWORK", {}, 0x134},
    };
    for (const Case& c : cases) {
        UseCpu(c.family, c.family == VB16 || c.family == VB14EX ? 1 : c.family == VC14 || c.family == VC16 ? 2 : 3);
        COpcodeDef selected{};
        const bool found = SelectInstructionVariant(c.name, Signature(c.operands), selected);
        EXPECT_EQ(found, c.opcode >= 0) << c.name << " " << (c.operands.empty() ? "" : c.operands[0]);
        if (found && c.opcode >= 0) {
            EXPECT_EQ(selected.opcode, c.opcode) << c.name << " " << (c.operands.empty() ? "" : c.operands[0])
                                                 << std::hex;
        }
    }
}

TEST_F(OpcodeTableTest, CheckOperandsReportsTheBadPosition)
{
    UseCpu(VB14, 3);
    struct Case {
        const char* name;
        std::vector<std::string> operands;
        bool ok;
        int position;
        WORD opcode;
    };
    const Case cases[] = {
        // ADD_INT's memory form fails at operand 2; the rows after it fail at
        // operand 1 and set the position back to 1.
        {"ADD", {"%VW0", "%IW0"}, false, 1, 0},
        {"add", {"%VW0", "%VW2"}, true, -1, 0x049},
        {"ADD", {"%VW0", "%VW2", "%VW4"}, false, -1, 0}, // no row with three operands
        {"SDO_READ", {"%M0.0", "B#1", "W#16#1000", "B#0", "%VB0", "%VB1", "%M0.1", "%VD4"}, false, -1, 0},
        {"CTU", {"%C5", "%I0.1", "%VR0"}, false, 3, 0},
        {"LBL", {"LABEL"}, false, -1, 0},                // compiler-internal: no second name
        {"__LD", {"%I0.0"}, false, -1, 0},
        {"MOVE", {"%VW0", "%IW0"}, false, 1, 0},
    };
    for (const Case& c : cases) {
        COpcodeDef signature = Signature(c.operands);
        int position = 99;
        EXPECT_EQ(CheckInstructionOperands(c.name, signature, position), c.ok) << c.name;
        if (c.ok) {
            EXPECT_EQ(signature.opcode, c.opcode) << c.name;
            EXPECT_STREQ(signature.name2, "ADD");
        } else {
            EXPECT_EQ(position, c.position) << c.name;
        }
    }
}

TEST_F(OpcodeTableTest, OnlyTheEditorsCheckTheDirection)
{
    UseCpu(VB14, 3);
    // A V bit that may only be written, as an output parameter of a call interface.
    COpcodeDef signature{};
    signature.operandCount = 1;
    signature.operandMasks[0] = OT_BOOL | OT_DIRECT | OT_WRITABLE | OT_AREA_V;
    COpcodeDef selected{};
    EXPECT_TRUE(SelectInstructionVariant("LD", signature, selected));
    EXPECT_EQ(selected.opcode, 0x009);
    int position = 0;
    EXPECT_FALSE(CheckInstructionOperands("LD", signature, position));
    EXPECT_EQ(position, 1);
    EXPECT_TRUE(CheckInstructionOperands("ST", signature, position));
}

TEST(OpcodeTable, NonLogicInstructions)
{
    for (const char* name : {"LD", "LDN", "LDI", "LDNI", "PTR_R", "ANDI", "ANDNI", "AND", "AND(", "OR", "ORI",
                             "ORNI", "OR(", "R_TRIG", "F_TRIG", "ANDN", "ORN", "__NETWORK", "__CR_EQ_1",
                             "__CR_RESTORE", "__INTEND", "__SPEND", "__MPEND", "__ZUL_EN"})
        EXPECT_FALSE(IsNonLogicInstruction(name)) << name;
    for (const char* name : {"ST", "MOVE", "ADD", "__ZUL_ENO", "TON", ")", "NOT", "ld"})
        EXPECT_TRUE(IsNonLogicInstruction(name)) << name;
}

} // namespace
