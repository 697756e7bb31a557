#include "DecompilerFixture.h"

#include "platform/ByteString.h"

#include <cstring>

using B = ObjectCodeBuilder;

namespace {

DWORD FloatBits(float value)
{
    DWORD bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

class ObjectDecompilerTest : public DecompilerFixture {
};

TEST_F(ObjectDecompilerTest, MainWithBitLogicBecomesItsProgramAndEmptyVariables)
{
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF)
                                       .Op(B::NETWORK)
                                       .Op(B::LD).Addr("%I0.0")
                                       .Op(B::AND).Addr("%I0.1")
                                       .Op(B::ST).Addr("%Q0.0")
                                       .Op(B::NETWORK)
                                       .Op(B::LD).Addr("%M1.7")
                                       .Op(B::ST).Addr("%V10.2")
                                       .Op(B::MPEND)
                                       .Finish();
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(code, names));
    EXPECT_EQ(std::vector<std::string>{"MAIN"}, names);
    EXPECT_EQ("(*1*)\n"
              "(* Network 0 *)\n"
              "LD      %I0.0\n"
              "AND     %I0.1\n"
              "ST      %Q0.0\n"
              "(* Network 1 *)\n"
              "LD      %M1.7\n"
              "ST      %V10.2\n",
              ReadText("MAIN_MAIN.ilp"));
    EXPECT_EQ(kEmptyVarFile, ReadText("MAIN_MAIN.ilv"));
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

TEST_F(ObjectDecompilerTest, LabelsAndJumpsGetGeneratedNames)
{
    // LD 0, JMPC 1, LD 2, ST 3, LBL 4 (operand 5), LD 5, JMP 6 back to the label.
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF, 2)
                                       .Op(B::LD).Addr("%I0.0")
                                       .Op(B::JMPC).Word(5)
                                       .Op(B::LD).Addr("%I0.1")
                                       .Op(B::ST).Addr("%Q0.0")
                                       .Op(B::LBL).Word(5)
                                       .Op(B::LD).Addr("%I0.2")
                                       .Op(B::JMP).Word(5)
                                       .Op(B::MPEND)
                                       .Finish();
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(code, names));
    EXPECT_EQ("(*2*)\n"
              "LD      %I0.0\n"
              "JMPC    LBL1\n"
              "LD      %I0.1\n"
              "ST      %Q0.0\n"
              "LBL1:\n"
              "LD      %I0.2\n"
              "JMP     LBL1\n",
              ReadText("MAIN_MAIN.ilp"));
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

TEST_F(ObjectDecompilerTest, ParenthesesTakeTwoNumbersBeforeALabel)
{
    // LD 0, AND( 1 and 2, LD 3, ) 4: the label is number 5 and must carry 6.
    auto build = [](WORD labelOperand) {
        return B()
            .Pou(1, 0xFF)
            .Op(B::LD).Addr("%I0.0")
            .Op(B::AND_OPEN)
            .Op(B::LD).Addr("%I0.1")
            .Op(B::CLOSE)
            .Op(B::LBL).Word(labelOperand)
            .Op(B::JMP).Word(labelOperand)
            .Op(B::MPEND)
            .Finish();
    };
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(build(6), names));
    EXPECT_TRUE(m_ui.box.Texts().empty());
    // Instructions without operands keep the blank after their name and are padded like the others.
    EXPECT_EQ("(*1*)\nLD      %I0.0\nAND(    \nLD      %I0.1\n)       \nLBL1:\nJMP     LBL1\n",
              ReadText("MAIN_MAIN.ilp"));

    // A label whose number does not fit is only a warning; the label keeps its number.
    names.clear();
    ASSERT_TRUE(Decompile(build(7), names));
    EXPECT_EQ(std::vector<std::string>{"error LBL"}, m_ui.box.Texts());
}

TEST_F(ObjectDecompilerTest, CallBlocksFoldBackIntoCallsAndGiveTheCalleeItsInterface)
{
    // MAIN: __ZUL_EN 0, LD 1, ST 2, MOVE 3, CAL 4, MOVE 5, __ZUL_ENO 6; the same
    // call again 7..13; a call without parameters 14..16; __MPEND 17. SBR01 starts at 18.
    const WORD sbr01 = 18;
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF)
                                       .Op(B::NETWORK)
                                       .Op(B::ZUL_EN)
                                       .Op(B::LD).Addr("%I0.0")
                                       .Op(B::ST).Addr("%L0.0")
                                       .Op(B::MOVE_INT).Addr("%VW10").Addr("%LW2")
                                       .Op(B::CAL).Word(sbr01)
                                       .Op(B::MOVE_INT).Addr("%LW4").Addr("%VW20")
                                       .Op(B::ZUL_ENO)
                                       .Op(B::ZUL_EN)
                                       .Op(B::LD).Addr("%I0.1")
                                       .Op(B::ST).Addr("%L0.0")
                                       .Op(B::MOVE_INT).Addr("%VW12").Addr("%LW2")
                                       .Op(B::CAL).Word(sbr01)
                                       .Op(B::MOVE_INT).Addr("%LW4").Addr("%VW22")
                                       .Op(B::ZUL_ENO)
                                       .Op(B::ZUL_EN)
                                       .Op(B::CAL).Word(sbr01)
                                       .Op(B::ZUL_ENO)
                                       .Op(B::MPEND)
                                       .Pou(2, 1)
                                       .Op(B::NETWORK)
                                       .Op(B::LD).Addr("%L0.0")
                                       .Op(B::ST).Addr("%Q0.0")
                                       .Op(B::SPEND)
                                       .Finish();
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(code, names));
    EXPECT_EQ((std::vector<std::string>{"MAIN", "SBR01"}), names);
    EXPECT_EQ("(*1*)\n"
              "(* Network 0 *)\n"
              "CAL     SBR01 %I0.0, %VW10, %VW20\n"
              "CAL     SBR01 %I0.1, %VW12, %VW22\n"
              "CAL     SBR01\n",
              ReadText("MAIN_MAIN.ilp"));
    EXPECT_EQ("(*1*)\n(* Network 0 *)\nLD      %L0.0\nST      %Q0.0\n", ReadText("SBR01_SBR_1.ilp"));
    EXPECT_EQ("VAR_INPUT\n"
              "bP00 AT %L0.0 : BOOL ;\n"
              "iP01 AT %LW2 : INT ;\n"
              "END_VAR\n"
              "VAR_OUTPUT\n"
              "iP02 AT %LW4 : INT ;\n"
              "END_VAR\n"
              "VAR_IN_OUT\n"
              "END_VAR\n"
              "VAR\n"
              "END_VAR\n",
              ReadText("SBR01_SBR_1.ilv"));
}

TEST_F(ObjectDecompilerTest, AParameterWrittenAndReadBackBecomesInOut)
{
    // MAIN: __ZUL_EN 0, LD 1, ST 2, MOVE 3, CAL 4, LD 5, ST 6, MOVE 7, __ZUL_ENO 8, __MPEND 9; SBR00 at 10.
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF)
                                       .Op(B::ZUL_EN)
                                       .Op(B::LD).Addr("%M0.0")
                                       .Op(B::ST).Addr("%L0.1")
                                       .Op(B::MOVE_INT).Addr("%VW0").Addr("%LW4")
                                       .Op(B::CAL).Word(10)
                                       .Op(B::LD).Addr("%L0.1")
                                       .Op(B::ST).Addr("%M0.0")
                                       .Op(B::MOVE_INT).Addr("%LW4").Addr("%VW0")
                                       .Op(B::ZUL_ENO)
                                       .Op(B::MPEND)
                                       .Pou(2, 0)
                                       .Op(B::LD).Addr("%L0.1")
                                       .Op(B::SPEND)
                                       .Finish();
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(code, names));
    EXPECT_EQ("(*1*)\nCAL     SBR00 %M0.0, %VW0\n", ReadText("MAIN_MAIN.ilp"));
    EXPECT_EQ("VAR_INPUT\nEND_VAR\nVAR_OUTPUT\nEND_VAR\n"
              "VAR_IN_OUT\nbP00 AT %L0.1 : BOOL ;\niP01 AT %LW4 : INT ;\nEND_VAR\n"
              "VAR\nEND_VAR\n",
              ReadText("SBR00_SBR_0.ilv"));
}

TEST_F(ObjectDecompilerTest, InterruptAttachmentsTimersLoopsAndConstants)
{
    // MAIN: ATCH 0, TON 1, LD 2, ADD 3, FOR 4 (its NEXT is 6), LD 5, NEXT 6, __MPEND 7; INT03 at 8.
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF)
                                       .Op(B::ATCH).Word(8).Word(10)
                                       .Op(B::TON).Addr("%T5").Word(100)
                                       .Op(B::LD_CONST).Word(1)
                                       .Op(B::ADD_INT_CONST).Word(0xFFFB).Addr("%VW4")
                                       .Op(B::FOR).Addr("%VW0").Addr("%VW2").Addr("%VW6").Word(6)
                                       .Op(B::LD).Addr("%SM0.0")
                                       .Op(B::NEXT).Word(4)
                                       .Op(B::MPEND)
                                       .Pou(3, 3)
                                       .Op(B::LD).Addr("%I0.0")
                                       .Op(B::INTEND)
                                       .Finish();
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(code, names));
    EXPECT_EQ((std::vector<std::string>{"MAIN", "INT03"}), names);
    EXPECT_EQ("(*1*)\n"
              "ATCH    INT03,  10\n"
              "TON     T5, 100\n"
              "LD      TRUE\n"
              "ADD     -5, %VW4\n"
              "FOR     %VW0, %VW2, %VW6\n"
              "LD      %SM0.0\n"
              "NEXT\n",
              ReadText("MAIN_MAIN.ilp"));
    EXPECT_EQ("(*1*)\nLD      %I0.0\n", ReadText("INT03_INT_3.ilp"));
    EXPECT_EQ(kEmptyVarFile, ReadText("INT03_INT_3.ilv"));
}

TEST_F(ObjectDecompilerTest, PointerOperandsArePutBackIntoTheWrappedLine)
{
    const WORD vd100 = static_cast<WORD>(g_LiveAreaTable[MEM_ROW_V].imageOffset + 100);
    const WORD vw20 = static_cast<WORD>(g_LiveAreaTable[MEM_ROW_V].imageOffset + 20);
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF)
                                       .Op(B::PTR_R).Word(vd100).Word(0x21)
                                       .Op(B::MOVE_INT).Addr("%LW0").Addr("%VW30")
                                       .Op(B::PTR_W).Word(vd100).Word(0x21)
                                       .Op(B::MOVE_ADDRESS_OF).Dword((DWORD{OT_WORD} << 16) | vw20).Addr("%VD40")
                                       .Op(B::MPEND)
                                       .Finish();
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(code, names));
    EXPECT_EQ("(*1*)\nMOVE    *VD100, %VW30\nMOVE    &VW20, %VD40\n", ReadText("MAIN_MAIN.ilp"));
}

TEST_F(ObjectDecompilerTest, ConstantsAreWrittenInTheirTypedForms)
{
    const struct {
        DWORD value;
        OperandTypeFlags type;
        const char* text;
    } cases[] = {
        {0, OT_BOOL, "FALSE"},
        {2, OT_BOOL, "TRUE"},
        {200, OT_BYTE, "B#200"},
        {65531, OT_WORD, "W#65531"},
        {0xFFFFFFFB, OT_INT, "-5"},
        {0xFFFFFFFF, OT_DWORD, "DW#4294967295"},
        {0x80000000, OT_DINT, "DI#-2147483648"},
        {FloatBits(1.0E10f), OT_REAL, "1.0E+010"},
        {FloatBits(3.0f), OT_REAL, "3.0"},
        {FloatBits(-0.125f), OT_REAL, "-0.125"},
        {1, OT_WORD | OT_INT, ""},
    };
    CObjectDecompiler decompiler(0);
    for (const auto& c : cases)
        EXPECT_EQ(c.text, decompiler.FormatConstant(c.value, c.type, 10)) << c.text;
}

TEST_F(ObjectDecompilerTest, FirstInstructionNumbersCountOverAllPous)
{
    // MAIN has ten numbered instructions (0..9, __MPEND last) after a network
    // header; SBR00 starts with a network header and is number 10.
    B builder;
    builder.Pou(1, 0xFF).Op(B::NETWORK);
    for (int i = 0; i < 8; ++i)
        builder.Op(B::LD).Addr("%I0.0");
    builder.Op(B::CAL).Word(10).Op(B::MPEND);
    builder.Pou(2, 0).Op(B::NETWORK).Op(B::LD).Addr("%I0.1").Op(B::SPEND);
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(builder.Finish(), names));
    EXPECT_NE(std::string::npos, ReadText("MAIN_MAIN.ilp").find("CAL     SBR00\n"));
}

TEST_F(ObjectDecompilerTest, BrokenObjectCodeIsRefusedWithThePassMessage)
{
    const std::vector<BYTE> good = B().Pou(1, 0xFF).Op(B::LD).Addr("%I0.0").Op(B::MPEND).Finish();
    auto withByte = [&](size_t at, BYTE value) {
        std::vector<BYTE> code = good;
        code[at] = value;
        return code;
    };
    std::vector<BYTE> longer = good;
    longer.push_back(0x00);
    const struct {
        const char* what;
        std::vector<BYTE> code;
        const char* message;
    } cases[] = {
        {"size beyond the code", withByte(0, 0x40), "Error in first file in first process."},
        {"size below the header", withByte(0, 0x03), "Error in first file in first process."},
        {"MAIN with a number", withByte(5, 0x00), "Error in first file in first process."},
        {"unknown kind", withByte(4, 0x07), "Error in first file in first process."},
        {"subroutine 99", B().Pou(2, 99).Op(B::SPEND).Finish(), "Error in first file in first process."},
        {"interrupt routine 64", B().Pou(3, 64).Op(B::INTEND).Finish(), "Error in first file in first process."},
        {"second header cut", longer, "Error in file 2 in first process."},
        {"header only", B().Pou(1, 0xFF).Finish(), "Error in \"POU\" 1 in second process."},
        {"unknown opcode", withByte(6, 0xFF), "Error in \"POU\" 1 in second process."},
        {"odd byte left over", B().Pou(1, 0xFF).Op(B::MPEND).Byte(0).Finish(), "Error in \"POU\" 1 in second process."},
        {"operand cut off", B().Pou(1, 0xFF).Op(B::LD).Finish(), "Error in \"POU\" 1 in second process."},
        {"pointer outside V", B().Pou(1, 0xFF).Op(B::PTR_R).Word(0).Word(0x21).Finish(),
         "Error in \"POU\" 1 in second process."},
        {"end of call block without its start", B().Pou(1, 0xFF).Op(B::ZUL_ENO).Op(B::MPEND).Finish(),
         "Error in \"POU\" 1 in second process."},
        {"call block left open", B().Pou(1, 0xFF).Op(B::ZUL_EN).Op(B::MPEND).Finish(),
         "Error in \"POU\" 1 in second process."},
        {"jump to no label", B().Pou(1, 0xFF).Op(B::JMP).Word(3).Op(B::MPEND).Finish(),
         "Error in \"POU\" 1 in third process."},
        {"call of no POU", B().Pou(1, 0xFF).Op(B::CAL).Word(40).Op(B::MPEND).Finish(),
         "Error in \"POU\" 1 in third process."},
    };
    for (const auto& c : cases) {
        m_ui.box.Clear();
        std::vector<std::string> names;
        EXPECT_FALSE(Decompile(c.code, names)) << c.what;
        EXPECT_TRUE(names.empty()) << c.what;
        const std::vector<std::string> texts = m_ui.box.Texts();
        ASSERT_FALSE(texts.empty()) << c.what;
        EXPECT_EQ(c.message, texts.back()) << c.what;
        EXPECT_FALSE(FileSystem::FileExists(m_folder / "MAIN_MAIN.ilp")) << c.what;
    }
}

TEST_F(ObjectDecompilerTest, EveryTruncationAndByteFlipEndsCleanly)
{
    const std::vector<BYTE> code = B()
                                       .Pou(1, 0xFF)
                                       .Op(B::NETWORK)
                                       .Op(B::ZUL_EN)
                                       .Op(B::LD).Addr("%I0.0")
                                       .Op(B::ST).Addr("%L0.0")
                                       .Op(B::CAL).Word(7)
                                       .Op(B::ZUL_ENO)
                                       .Op(B::LBL).Word(6)
                                       .Op(B::MPEND)
                                       .Pou(2, 0)
                                       .Op(B::LD).Addr("%L0.0")
                                       .Op(B::SPEND)
                                       .Finish();
    std::vector<std::string> names;
    ASSERT_TRUE(Decompile(code, names));
    for (size_t length = 0; length < code.size(); ++length) {
        names.clear();
        const std::vector<BYTE> cut(code.begin(), code.begin() + static_cast<long>(length));
        Decompile(cut, names);
    }
    for (size_t at = 0; at < code.size(); ++at) {
        for (BYTE value : {BYTE{0x00}, BYTE{0xFF}}) {
            std::vector<BYTE> flipped = code;
            flipped[at] = value;
            names.clear();
            Decompile(flipped, names);
        }
    }
    SUCCEED();
}

TEST_F(ObjectDecompilerTest, EveryInstructionRowDecodesWithOperandsOfItsKinds)
{
    // Each opcode alone in a MAIN, its operands encoded as its row asks;
    // references, call blocks and end markers need their context and are
    // covered above.
    const WORD vByte = g_LiveAreaTable[MEM_ROW_V].imageOffset + 10;
    std::vector<std::string> failed;
    for (const COpcodeDef& def : g_OpcodeTable) {
        COpcodeDef row{};
        if (FindInstructionByOpcode(def.opcode, row) < 0 || std::strcmp(row.name3, def.name3) != 0)
            continue;
        const std::string name = row.name1;
        if ((row.operandMasks[0] & OT_POU_REF) || name.rfind("__ZUL_EN", 0) == 0 || name == "__MPEND")
            continue;
        B builder;
        builder.Pou(1, 0xFF).Op(row.opcode);
        for (DWORD i = 0; i < row.operandCount; ++i) {
            const OperandTypeFlags mask = row.operandMasks[i];
            const OperandTypeFlags type = mask & OT_TYPE_BITS;
            if (mask & OT_POU_REF)
                builder.Word(4);
            else if (mask & OT_DIRECT)
                builder.Word(vByte);
            else if ((mask & OT_CONSTANT) && (type == OT_DWORD || type == OT_DINT || type == OT_REAL))
                builder.Dword(7);
            else if (mask & OT_CONSTANT)
                builder.Word(7);
            else if (mask & OT_POINTER)
                builder.Word(vByte);
            else
                builder.Dword((DWORD{OT_WORD} << 16) | vByte);
        }
        builder.Op(B::MPEND);
        std::vector<std::string> names;
        m_ui.box.Clear();
        if (!Decompile(builder.Finish(), names))
            failed.push_back(std::string(row.name3) + ByteString::Format(" %03X", row.opcode));
    }
    EXPECT_TRUE(failed.empty()) << ::testing::PrintToString(failed);
}
