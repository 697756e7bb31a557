#include "StatementFixture.h"

#include "compiler/CCompileMessage.h"
#include "support/FileBytes.h"

#include <string>
#include <vector>

namespace {

class NetworkStatementTest : public StatementFixture {
protected:
    void SetUp() override
    {
        StatementFixture::SetUp();
        AddLabel("MAIN.L1");
        AddLabel("MAIN.L2");
    }
};

TEST_F(NetworkStatementTest, ForAndNextCarryEachOthersInstructionIndex)
{
    const std::vector<std::string> lines = {
        "__NETWORK 0", "LD %I0.0", "FOR %VW0, 1, 10",                   // indexes 0, 1
        "__NETWORK 1", "LD %I0.1", "ST %Q0.0",                          // 2, 3
        "__NETWORK 2", "LD %I0.2", "NEXT",                              // 4, 5
        "__MPEND",                                                      // 6
    };
    const std::vector<CLineResult> results = Program(lines);
    int counted = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(results[i].messages.empty()) << lines[i] << "\n" << results[i].Messages();
        ExpectPassesAgree(results[i], lines[i]);
        counted += results[i].countedInstructions;
    }
    EXPECT_EQ(HexBytes(results[2].code), "2C 01 94 02 01 00 0A 00 05 00");
    EXPECT_EQ(HexBytes(results[8].code), "2E 01 01 00");
    EXPECT_EQ(HexBytes(results[9].code), "31 01");
    EXPECT_EQ(counted, 7);
    EXPECT_EQ(g_CompileState.InstructionCounter, 6);
    EXPECT_EQ(m_code.GetCodeInstructionIndex(), 6);
}

TEST_F(NetworkStatementTest, NextWithoutForIsReportedAndCarriesZero)
{
    const std::vector<CLineResult> results = Program({"__NETWORK 0", "LD %I0.0", "NEXT"});
    ASSERT_EQ(results[2].messages.size(), 1u) << results[2].Messages();
    EXPECT_EQ(results[2].messages[0].code, MSG_MISSING);
    EXPECT_EQ(results[2].messages[0].text, "Missing \"FOR\" correspond to the current \"NEXT\"");
    EXPECT_EQ(HexBytes(results[2].code), "2E 01 00 00");
    ExpectPassesAgree(results[2], "NEXT");
}

TEST_F(NetworkStatementTest, LabelsAreLblInstructionsCarryingTheIndexAfterThem)
{
    const std::vector<std::string> lines = {"__NETWORK 0", "L1:", "LD %I0.0", "JMP L1", "__NETWORK 1",
                                            "LD %I0.1", "L2: ST %Q0.0"};
    const std::vector<CLineResult> results = Program(lines);
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_TRUE(results[i].messages.empty()) << lines[i] << "\n" << results[i].Messages();
        ExpectPassesAgree(results[i], lines[i]);
    }
    // L1 is instruction 0, so the code after it starts at 1.
    EXPECT_EQ(HexBytes(results[1].code), "26 01 01 00");
    EXPECT_EQ(GetLabel("MAIN.L1")->firstInstruction, 1);
    EXPECT_EQ(HexBytes(results[3].code), "23 01 01 00");
    // LD (3), then L2 (4) and ST (5) on one line.
    EXPECT_EQ(HexBytes(results[6].code), "26 01 05 00 1C 00 20 00");
    EXPECT_EQ(results[6].codeInstructions, 2);
}

struct CStructureCase {
    std::vector<std::string> lines;
    int code;
    int kind;
    const char* detail;
};

const char kFirstInstruction[] =
    "The first instruction in the network must be a label or a \"load instruction\" such as \"LD or LDN\", etc.";

const std::vector<CStructureCase> kStructureCases = {
    {{"__NETWORK 0", "AND %I0.0"}, MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstInstruction},
    {{"__NETWORK 0", "L1:", "AND %I0.0"}, MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstInstruction},
    {{"__NETWORK 0", "X9:"}, MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR, kFirstInstruction},
    {{"__NETWORK 0", "LD %I0.0", "AND(", "AND %I0.0"}, MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
     "The first instruction after the \"AND( or OR(\" must be a label or a \"load instruction\" such as \"LD or "
     "LDN\", etc."},
    {{"LD %I0.0"}, MSG_INVALID_NETWORK, MESSAGE_KIND_ERROR, "The network can not be empty"},
    {{"__NETWORK 0", "LD %I0.0", "__NETWORK 1"}, MSG_INVALID_NETWORK, MESSAGE_KIND_ERROR,
     "Missing \"end instruction\" in previous network"},
    {{"__NETWORK 0", "LD %I0.0", "__MPEND"}, MSG_INVALID_NETWORK, MESSAGE_KIND_ERROR,
     "Missing \"end instruction\" in the last network"},
    {{"__NETWORK 0", "LD %I0.0", "ST %Q0.0", "__NETWORK 1", "LD %I0.0", "ST %Q0.0", "__NETWORK 2", "LD %I0.0",
      "ST %Q0.0", "__NETWORK 5"},
     MSG_INVALID_NETWORK, MESSAGE_KIND_WARNING, "The network No. should be 3 (internal error)"},
    {{"__NETWORK 0", "LD %I0.0", "AND(", "LD %I0.1", "ST %Q0.0", "__NETWORK 1"}, MSG_MISSING, MESSAGE_KIND_ERROR,
     "Missing 1 \")\" correspond to the \"AND( or OR(\", in previous network"},
    {{"__NETWORK 0", "LD %I0.0", "AND(", "LD %I0.1", "ST %Q0.0", "__MPEND"}, MSG_MISSING, MESSAGE_KIND_ERROR,
     "Missing 1 \")\" correspond to the \"AND( or OR(\", in the last network"},
    {{"__NETWORK 0", "LD %I0.0", ")"}, MSG_MISSING, MESSAGE_KIND_ERROR,
     "Missing \"AND( or OR(\" correspond to the current \")\""},
    {{"__NETWORK 0", "LD %I0.0", "ST %Q0.0", "FOR %VW0, 1, 10"}, MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
     "The instruction of \"FOR\" must be the second instruction in the network"},
    {{"__NETWORK 0", "LD %I0.0", "FOR %VW0, 1, 10", "__NETWORK 1", "LD %I0.0", "ST %Q0.0", "NEXT"},
     MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
     "The instruction of \"NEXT\" must be the second instruction in the network"},
    {{"__NETWORK 0", "LD %I0.0", "FOR %VW0, 1, 10", "__NETWORK 1", "LD %I0.0", "NEXT", "ST %Q0.0"},
     MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
     "The instruction of \"NEXT\" must be the last instruction in the network"},
    {{"__NETWORK 0", "LD %I0.0", "FOR %VW0, 1, 10", "__MPEND"}, MSG_MISSING, MESSAGE_KIND_ERROR,
     "Missing 1 \"NEXT\" correspond to the \"FOR\""},
    {{"__NETWORK 0", "LD %I0.0", "AND(", "LD %I0.1", "JMP L1"}, MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
     "A \"jump instruction\" can not exist between a pair of \"FOR and NEXT\" or \"AND( and )\" or \"OR( and )\""},
    {{"__NETWORK 0", "LD %I0.0", "AND(", "LD %I0.1", "L1:"}, MSG_INVALID_INSTRUCTION, MESSAGE_KIND_ERROR,
     "A label can not be defined between a pair of \"FOR and NEXT\" or \"AND( and )\" or \"OR( and )\""},
    {{"__NETWORK 0", "LD %I0.0", "X9:"}, MSG_INVALID_OPERAND, MESSAGE_KIND_ERROR,
     "\"X9\" - Label does not defined in current POU"},
    {{"__NETWORK 0", "LD %I0.0", "A B:"}, MSG_INVALID_LABEL, MESSAGE_KIND_ERROR, ""},
    {{"__NETWORK 0", "LD %I0.0", ":"}, MSG_INVALID_LABEL, MESSAGE_KIND_ERROR,
     "Label can not be empty (internal error)"},
};

TEST_F(NetworkStatementTest, StructureFaultsAreReported)
{
    for (const CStructureCase& item : kStructureCases) {
        ResetCompiler();
        CompilingFile(FILE_KIND_MAIN_PROGRAM, "MAIN");
        AddLabel("MAIN.L1");
        CILStatementChecker checker;
        std::vector<CILTokenMsg> messages;
        for (const std::string& line : item.lines) {
            messages.clear();
            checker.CheckLine(line);
            int code = 0;
            int kind = 0;
            std::string text;
            while (checker.GetNextMessage(code, kind, text))
                messages.push_back({code, kind, text});
        }
        bool found = false;
        std::string all;
        for (const CILTokenMsg& message : messages) {
            found = found || (message.code == item.code && message.kind == item.kind && message.text == item.detail);
            all += std::to_string(message.code) + " " + message.text + "\n";
        }
        EXPECT_TRUE(found) << item.lines.back() << " expected " << item.detail << "\ngot\n" << all;
    }
}

TEST_F(NetworkStatementTest, NestingLimits)
{
    Lines({"__NETWORK 0", "LD %I0.0"});
    for (int level = 0; level < 16; ++level)
        Lines({"AND(", "LD %I0.0"});
    const CLineResult seventeenth = Precompile("AND(");
    ASSERT_EQ(seventeenth.messages.size(), 1u) << seventeenth.Messages();
    EXPECT_EQ(seventeenth.messages[0].code, MSG_OVERFLOW);
    EXPECT_EQ(seventeenth.messages[0].text,
              "Nesting level of \"AND( and )\" or \"OR( and )\" exceed the maximum number (16)");

    CILStatementChecker loops;
    for (int level = 0; level < 8; ++level) {
        EXPECT_TRUE(loops.CheckLine("__NETWORK " + std::to_string(level)));
        EXPECT_TRUE(loops.CheckLine("LD %I0.0"));
        EXPECT_TRUE(loops.CheckLine("FOR %VW0, 1, 10"));
    }
    loops.CheckLine("__NETWORK 8");
    loops.CheckLine("LD %I0.0");
    EXPECT_FALSE(loops.CheckLine("FOR %VW0, 1, 10"));
    int code = 0;
    int kind = 0;
    std::string text;
    ASSERT_TRUE(loops.GetNextMessage(code, kind, text));
    EXPECT_EQ(code, MSG_OVERFLOW);
    EXPECT_EQ(text, "Nesting level of \"FOR and NEXT\" exceed the maximum number (8)");
}

TEST_F(NetworkStatementTest, LabelLimitCountsPerPOU)
{
    Lines({"__NETWORK 0", "LD %I0.0"});
    for (int i = 0; i < 128; ++i)
        Lines({"L1:"});
    const CLineResult over = Precompile("L1:");
    ASSERT_EQ(over.messages.size(), 1u) << over.Messages();
    EXPECT_EQ(over.messages[0].code, MSG_OVERFLOW);
    EXPECT_EQ(over.messages[0].text, "The number of label definitions in a program exceeds the upper limit.");
    Lines({"ST %Q0.0", "__MPEND", "__NETWORK 0", "LD %I0.0"});
    EXPECT_TRUE(Precompile("L1:").messages.empty());
}

TEST_F(NetworkStatementTest, JumpLimitCountsPerPOU)
{
    Lines({"__NETWORK 0", "LD %I0.0"});
    for (int i = 0; i < 128; ++i)
        Lines({"JMP L1"});
    const CLineResult over = Precompile("JMP L1");
    ASSERT_EQ(over.messages.size(), 1u) << over.Messages();
    EXPECT_EQ(over.messages[0].code, MSG_OVERFLOW);
    EXPECT_EQ(over.messages[0].text,
              "The number of JMP, JMPC and JMPCN instructions in a program exceeds the upper limit.");
}

} // namespace
