#include "StatementFixture.h"

#include "compiler/CCompileMessage.h"
#include "model/CZULProject.h"
#include "support/FileBytes.h"

#include <string>
#include <vector>

namespace {

constexpr int FAMILY_INDEX_VA10 = 5;

struct CRuleCase {
    const char* line;
    int code; // 0: accepted
    const char* detail;
};

class InstructionRuleTest : public StatementFixture {
protected:
    void SetUp() override
    {
        StatementFixture::SetUp();
        AddPOU("SBR1", "Motor", 1, POU_KIND_SUBROUTINE);
        AddPOU("SBR2", "Pump", 2, POU_KIND_SUBROUTINE);
        AddPOU("INT0", "Tick", 0, POU_KIND_INTERRUPT);
        OpenNetwork();
    }

    void UseSmallFamily(int familyIndex, BYTE subType)
    {
        UseFamily(familyIndex);
        m_app->ProfileSubType = subType;
    }

    void MakePort1ModbusMaster() { m_app->Project.SetModbusInt(1, MODBUS_SWITCH_OFFSET, 0); }

    // Each line in the precompile pass: accepted and counted, or its first finding.
    void RunCases(const std::vector<CRuleCase>& cases)
    {
        for (const CRuleCase& item : cases) {
            const CLineResult result = Precompile(item.line);
            if (item.code == 0) {
                EXPECT_TRUE(result.messages.empty()) << item.line << "\n" << result.Messages();
                EXPECT_GT(result.countedBytes, 0) << item.line;
                continue;
            }
            ExpectFinding(result, item.code, item.detail, item.line);
        }
    }

    // The first finding of the line in the precompile pass.
    static void ExpectFinding(const CLineResult& result, int code, const std::string& detail,
                              const std::string& line)
    {
        ASSERT_FALSE(result.messages.empty()) << line;
        EXPECT_EQ(result.messages[0].code, code) << line;
        EXPECT_EQ(result.messages[0].text, detail) << line;
    }
};

TEST_F(InstructionRuleTest, CounterOutputAndModeNumbersFollowTheProfile)
{
    const std::vector<CRuleCase> cases = {
        {"HDEF 0, 11", 0, ""},
        {"HDEF 0, 12", MSG_INVALID_OPERAND, "\"12\" - Invalid actual parameter"},
        {"HDEF 0, 011", MSG_INVALID_OPERAND, "\"011\" - Invalid actual parameter"},
        {"HDEF 01, 1", MSG_INVALID_OPERAND, "\"01\" - Invalid actual parameter"},
        {"HSC 9", MSG_INVALID_OPERAND, "\"9\" - Invalid actual parameter"},
        {"HSC 0", 0, ""},
        {"SPD 01, 2, %VD0", MSG_INVALID_OPERAND, "\"01\" - Invalid actual parameter"},
        {"PLS 0", 0, ""},
        {"PLS 9", MSG_INVALID_OPERAND, "\"9\" - Invalid actual parameter"},
        {"DTCH 99", MSG_INVALID_OPERAND, "\"99\" - Invalid actual parameter"},
        {"XMT %VB0, 9", MSG_INVALID_OPERAND, "\"9\" - Invalid actual parameter"},
        {"XMT %VB0, 1", 0, ""},
    };
    RunCases(cases);
}

TEST_F(InstructionRuleTest, EventsFiveToTwelveAreRefusedOnTheSmallFamilies)
{
    UseSmallFamily(FAMILY_INDEX_VA10, 0);
    const std::vector<CRuleCase> cases = {
        {"ATCH INT0, 10", MSG_INVALID_OPERAND, "\"10\" - Invalid actual parameter"},
        {"ATCH INT0, 13", 0, ""},
        {"ATCH INT0, 4", 0, ""},
        {"DTCH 5", MSG_INVALID_OPERAND, "\"5\" - Invalid actual parameter"},
    };
    RunCases(cases);
}

TEST_F(InstructionRuleTest, ModbusMasterInstructionsNeedPort1AsMaster)
{
    const std::string read = "MBUSR %I0.0, 1, 1, 3, 0, 4, %VW0, %VB10";
    ExpectFinding(Precompile(read), MSG_INVALID_INSTRUCTION,
                  "The MBUSR and MBUSW instructions can only be used when the PORT1 is configured as a modbus RTU "
                  "master.",
                  read);
    MakePort1ModbusMaster();
    const std::vector<CRuleCase> cases = {
        {"MBUSR %I0.0, 1, 1, 3, 0, 4, %VW0, %VB10", 0, ""},
        {"MBUSR %I0.0, 0, 1, 3, 0, 4, %VW0, %VB10", MSG_INVALID_OPERAND, "\"0\" - Invalid actual parameter"},
        {"MBUSR %I0.0, 1, 1, 5, 0, 4, %VW0, %VB10", MSG_INVALID_OPERAND, "\"5\" - Invalid actual parameter"},
        {"MBUSR %I0.0, 1, 1, 3, 0, 4, %Q0.0, %VB10", MSG_INVALID_OPERAND,
         "At least two of the operands have conflicting data types. (\"3\" and \"%Q0.0\")"},
        {"MBUSW %I0.0, 1, 1, 5, 0, 1, %M0.0, %VB10", 0, ""},
        {"RCV %VB0, 1", MSG_INVALID_INSTRUCTION, "PORT1 has been configured to be a modbus master."},
        {"XMT %VB0, 0", 0, ""},
    };
    RunCases(cases);
}

TEST_F(InstructionRuleTest, MotionInstructionsTakeEachAxisOnce)
{
    const std::string axis0 = "PHOME 0, %I0.0, %I0.1, %I0.2, 1, %I0.3, DI#100, DI#10, 5, %Q0.0, %Q0.1, %VB0";
    const std::string axis1 = "PHOME 1, %I0.0, %I0.1, %I0.2, 1, %I0.3, DI#100, DI#10, 5, %Q0.0, %Q0.1, %VB0";
    const std::string axis2 = "PHOME 2, %I0.0, %I0.1, %I0.2, 1, %I0.3, DI#100, DI#10, 5, %Q0.0, %Q0.1, %VB0";
    EXPECT_TRUE(Precompile(axis0).messages.empty()) << Precompile(axis0).Messages();
    EXPECT_TRUE(Precompile(axis1).messages.empty());
    ExpectFinding(Precompile(axis0), MSG_INVALID_OPERAND,
                  "The values of the \"Axis\" parameters in any two \"PHOME\" instructions can not be the same.",
                  axis0);
    ExpectFinding(Precompile(axis2), MSG_INVALID_OPERAND, "\"2\" - Invalid actual parameter", axis2);
}

TEST_F(InstructionRuleTest, TimerInstancesAreCalledOnceInTheWholeProgram)
{
    AddFBInstanceEntry("T37", "TON");
    AddFBInstanceEntry("T38", "TOF");
    const CLineResult first = Line("TON T37, 100");
    EXPECT_TRUE(first.messages.empty()) << first.Messages();
    ExpectPassesAgree(first, "TON T37, 100");
    Lines({"ST %Q0.0", "__MPEND"});
    CompilingFile(FILE_KIND_SBR_PROGRAM, "SBR1");
    Lines({"__NETWORK 0", "LD %I0.0"});
    ExpectFinding(Precompile("TON T37, 100"), MSG_INSTANCE_ASSIGNED,
                  "\"T37\" - The instance of function block has been assigned", "TON T37");
    const CLineResult otherType = Precompile("TON T38, 100");
    ExpectFinding(otherType, MSG_INVALID_OPERAND,
                  "\"T38\" - The instance of function block is not defined as \"TON\"", "TON T38");
    EXPECT_EQ(otherType.countedInstructions, 1);
    const CLineResult again = Precompile("TON T38, 100");
    ASSERT_FALSE(again.messages.empty());
    EXPECT_EQ(again.messages.back().code, MSG_INSTANCE_ASSIGNED);
    EXPECT_EQ(again.messages.back().text, "\"T38\" - The instance of function block has been assigned");
    EXPECT_EQ(again.countedInstructions, 0);
}

TEST_F(InstructionRuleTest, ImmediateInstructionsStayOnTheCPUBody)
{
    UseFamily(FAMILY_INDEX_VB14);
    const std::vector<CRuleCase> cases = {
        {"LDI %I1.5", 0, ""},
        {"LDI %I1.6", MSG_INVALID_OPERAND,
         "\"%I1.6\" - The Immediate instructions can be applied to the I/O channels on the CPU body."},
        {"STI %Q1.1", 0, ""},
        {"STI %Q1.2", MSG_INVALID_OPERAND,
         "\"%Q1.2\" - The Immediate instructions can be applied to the I/O channels on the CPU body."},
    };
    RunCases(cases);
    // The finding does not stop the instruction from being counted.
    EXPECT_EQ(Precompile("LDI %I1.6").countedBytes, 4);
}

TEST(IsCPUBodyChannelTest, ChannelsOfEachFamily)
{
    EXPECT_TRUE(IsCPUBodyChannel("%I1.5", 'I', 2));
    EXPECT_FALSE(IsCPUBodyChannel("%I1.6", 'I', 64));
    EXPECT_FALSE(IsCPUBodyChannel("%Q1.2", 'Q', 16));
    EXPECT_TRUE(IsCPUBodyChannel("%I2.7", 'I', 4));
    EXPECT_FALSE(IsCPUBodyChannel("%Q2.0", 'Q', 128));
    EXPECT_TRUE(IsCPUBodyChannel("%Q0.5", 'Q', 32));
    EXPECT_FALSE(IsCPUBodyChannel("%Q0.6", 'Q', 32));
    EXPECT_FALSE(IsCPUBodyChannel("%I1.0", 'I', 1));
    // A two-digit byte is never on the body.
    EXPECT_FALSE(IsCPUBodyChannel("%I10.0", 'I', 4));
    EXPECT_FALSE(IsCPUBodyChannel("%Q0.0", 'I', 4));
    EXPECT_FALSE(IsCPUBodyChannel("%I", 'I', 4));
}

TEST_F(InstructionRuleTest, ClockInstructionsNeedAnEightByteBlock)
{
    ExpectFinding(Precompile("READ_RTC"), MSG_INVALID_INSTRUCTION_FORMAT, "\"READ_RTC\"", "READ_RTC");
    ExpectFinding(Precompile("SET_RTC %IB0"), MSG_INVALID_OPERAND,
                  "\"%IB0\" - Memory space can not store the data type of \"RTC\"(date and time)", "SET_RTC");
    const CLineResult accepted = Line("READ_RTC %VB0");
    EXPECT_TRUE(accepted.messages.empty()) << accepted.Messages();
    EXPECT_EQ(HexBytes(accepted.code), "0C 01 94 02");
}

TEST_F(InstructionRuleTest, SubroutineCallsAreRecordedAsCallees)
{
    Lines({"ST %Q0.0", "__MPEND"});
    CompilingFile(FILE_KIND_SBR_PROGRAM, "SBR1");
    Lines({"__NETWORK 0", "LD %I0.0"});
    ExpectFinding(Precompile("CAL SBR1"), MSG_INVALID_SUBROUTINE_CALL, "The subroutines can not call itself", "self");
    const CLineResult call = Line("CAL SBR2");
    EXPECT_TRUE(call.messages.empty()) << call.Messages();
    ExpectPassesAgree(call, "CAL SBR2");
    Line("CAL SBR2");
    const CPOUEntry* caller = GetPOU("SBR1");
    ASSERT_EQ(caller->calleeCount, 1);
    EXPECT_EQ(caller->calleeLabels[0], "SBR2");
}

TEST_F(InstructionRuleTest, FullCalleeListWarns)
{
    Lines({"ST %Q0.0", "__MPEND"});
    CompilingFile(FILE_KIND_SBR_PROGRAM, "SBR1");
    Lines({"__NETWORK 0", "LD %I0.0"});
    CPOUEntry* caller = GetPOU("SBR1");
    for (int i = 0; i < MAX_CALLEES; ++i)
        caller->AddCallee("SBR" + std::to_string(10 + i));
    const CLineResult call = Precompile("CAL SBR2");
    ASSERT_EQ(call.messages.size(), 1u) << call.Messages();
    EXPECT_EQ(call.messages[0].code, MSG_OVERFLOW);
    EXPECT_EQ(call.messages[0].kind, MESSAGE_KIND_WARNING);
    EXPECT_EQ(call.messages[0].text, "This overflow may cause a error judgement about subroutine recursion call");
    EXPECT_EQ(call.countedInstructions, 1);
}

TEST_F(InstructionRuleTest, CallAndAttachLimitsPerPOU)
{
    for (int i = 0; i < MAX_CALLS_PER_POU; ++i)
        ASSERT_TRUE(Precompile("CAL SBR2").messages.empty());
    ExpectFinding(Precompile("CAL SBR2"), MSG_OVERFLOW,
                  "The number of subroutine callings in a program exceeds the upper limit.", "257th CAL");
    for (int i = 0; i < MAX_ATTACHES_PER_POU; ++i)
        ASSERT_TRUE(Precompile("ATCH INT0, 1").messages.empty());
    ExpectFinding(Precompile("ATCH INT0, 1"), MSG_OVERFLOW,
                  "The number of ATCH instructions in a program exceeds the upper limit.", "257th ATCH");
    Lines({"ST %Q0.0", "__MPEND", "__NETWORK 0", "LD %I0.0"});
    EXPECT_TRUE(Precompile("CAL SBR2").messages.empty());
}

class SMW32MoveTest : public InstructionRuleTest {
protected:
    void SetUp() override
    {
        InstructionRuleTest::SetUp();
        UseSmallFamily(FAMILY_INDEX_VA10, 0);
    }
};

TEST_F(SMW32MoveTest, DataBackupSettingGetsItsOwnInstruction)
{
    m_app->CompilingForDownload = 1;
    const CLineResult result = Line("MOVE 1700, %SMW32");
    EXPECT_TRUE(result.messages.empty()) << result.Messages();
    EXPECT_EQ(result.countedBytes, 10);
    EXPECT_EQ(result.countedInstructions, 2);
    ExpectPassesAgree(result, "MOVE 1700");
    ASSERT_EQ(result.code.size(), 10u);
    EXPECT_EQ(HexBytes(std::vector<BYTE>(result.code.begin(), result.code.begin() + 4)), "B9 01 A4 06");
    EXPECT_EQ(HexBytes(std::vector<BYTE>(result.code.begin() + 6, result.code.end())), "39 01 35 00");
    EXPECT_EQ(m_app->DataBackupUsed, 1);
}

TEST_F(SMW32MoveTest, EveryConstantSourceGetsTheAdditionInBothPasses)
{
    const CLineResult result = Line("MOVE W#16#6A4, %SMW32");
    EXPECT_TRUE(result.messages.empty()) << result.Messages();
    EXPECT_EQ(result.countedBytes, 10);
    EXPECT_EQ(result.countedInstructions, 2);
    ExpectPassesAgree(result, "MOVE W#16#6A4");
    EXPECT_EQ(HexBytes(std::vector<BYTE>(result.code.begin() + 6, result.code.end())), "39 01 35 00");
}

TEST_F(SMW32MoveTest, FaultySettingsAreReported)
{
    const std::vector<CRuleCase> cases = {
        {"MOVE 1600, %SMW32", MSG_INVALID_OPERAND, "\"1600\" - Invalid actual parameter, the value is out of range"},
        {"MOVE %VW0, %SMW32", MSG_INVALID_OPERAND, "\"%VW0\" - Invalid actual parameter"},
    };
    RunCases(cases);
    const CLineResult other = Line("MOVE 1600, %VW0");
    EXPECT_TRUE(other.messages.empty()) << other.Messages();
    EXPECT_EQ(other.code.size(), 6u);
}

class XrefTest : public InstructionRuleTest {
protected:
    static std::vector<std::string> References(XrefArea area, int number, int bit)
    {
        std::vector<std::string> texts;
        XrefSlot* slot = g_XrefStore.Slot(area, number);
        if (!slot)
            return texts;
        for (CXrefEntry* entry = bit < 0 ? slot->byteList : slot->bitLists[size_t(bit)]; entry; entry = entry->next)
            texts.push_back(entry->address + " " + std::to_string(entry->access) + " " + entry->pou + ":" +
                            std::to_string(entry->number));
        return texts;
    }
};

TEST_F(XrefTest, OperandsOfASmallNetworkAreRecordedWithTheirAccess)
{
    g_XrefStore.Clear();
    g_CompileState.CurrentRow = 7;
    Lines({"AND %M0.1", "ST %Q0.0", "MOVE %VW0, %VW2"});
    EXPECT_EQ(References(XREF_M, 0, 1), std::vector<std::string>{"%M0.1 32768 MAIN:7"});
    EXPECT_EQ(References(XREF_Q, 0, 0), std::vector<std::string>{"%Q0.0 65536 MAIN:7"});
    EXPECT_EQ(References(XREF_V, 0, -1), std::vector<std::string>{"%VW0 32768 MAIN:7"});
    EXPECT_EQ(References(XREF_V, 2, -1), std::vector<std::string>{"%VW2 65536 MAIN:7"});
}

TEST_F(XrefTest, PointerGroupRecordsThePointerForTheWrappedOperand)
{
    g_XrefStore.Clear();
    g_CompileState.CurrentRow = 3;
    g_CompileState.RowStartFlag = false;
    m_precompile.CheckLine("PTR_R *VD100, 33");
    g_CompileState.WrappedLineFlag = true;
    m_precompile.CheckLine("ADD %VW8, %VW0");
    g_CompileState.WrappedLineFlag = false;
    m_precompile.CheckLine("PTR_W *VD100, 33");
    EXPECT_EQ(References(XREF_V, 100, -1), std::vector<std::string>{"*VD100 32768 MAIN:3"});
    EXPECT_EQ(References(XREF_V, 0, -1), std::vector<std::string>{"%VW0 98304 MAIN:3"});
    EXPECT_TRUE(References(XREF_V, 8, -1).empty());

    EXPECT_FALSE(m_precompile.CheckLine("PTR_R *VD100, X"));
    int code = 0;
    int kind = 0;
    std::string text;
    ASSERT_TRUE(m_precompile.GetNextMessage(code, kind, text));
    EXPECT_EQ(code, MSG_INVALID_INSTRUCTION);
    EXPECT_EQ(text, "\xb1\xe0\xd2\xeb\xd6\xb8\xd5\xeb\xd6\xb8\xc1\xee\xca\xb1\xb3\xf6\xb4\xed\x28\xc4\xda\xb2\xbf\xb4"
                    "\xed\xce\xf3\x29");
}

} // namespace
