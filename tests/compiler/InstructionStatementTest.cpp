#include "StatementFixture.h"

#include "compiler/CCompileMessage.h"
#include "support/FileBytes.h"

namespace {

class InstructionStatementTest : public StatementFixture {
protected:
    void SetUp() override
    {
        StatementFixture::SetUp();
        OpenNetwork();
    }
};

struct CEmitCase {
    const char* line;
    const char* bytes;
    int instructions;
};

// Opcode, then each operand: addresses 16 bits, BYTE, WORD and INT constants
// 16 bits, DWORD, DINT and REAL constants and address-of operands 32 bits.
const CEmitCase kEmitCases[] = {
    {"LD %I0.0", "09 00 00 00", 1},
    {"AND %I0.1", "22 00 00 20", 1},
    {"AND %VW0, %VW2", "26 00 94 02 96 02", 1},
    {"LDN %M0.0", "0C 00 40 00", 1},
    {"LDI %I0.0", "0D 00 00 00", 1},
    {"ST %Q0.0", "1C 00 20 00", 1},
    {"MOVE 5, %VW0", "B9 01 05 00 94 02", 1},
    {"MOVE -2, %VW0", "B9 01 FE FF 94 02", 1},
    {"MOVE %VW0, %VW2", "17 01 94 02 96 02", 1},
    {"MOVE B#5, %VB0", "16 01 05 00 94 02", 1},
    {"MOVE 16#FFFF, %VW0", "18 01 FF FF 94 02", 1},
    {"MOVE DW#16#12345678, %VD0", "1A 01 78 56 34 12 94 02", 1},
    {"MOVE &VB0, %VD4", "42 01 94 02 02 00 98 02", 1},
    // A block move names source, destination and count, as ladder writes it.
    {"BLKMOVE %VB0, %VB4, B#12", "1E 01 94 02 98 02 0C 00", 1},
    {"BLKMOVE %VW0, %VW4, %VB8", "1F 01 94 02 98 02 9C 02", 1},
    {"NOT %VW0", "46 00 94 02", 1},
    {"ADD %VW0, %VW2", "49 00 94 02 96 02", 1},
    {"__ZUL_EN", "32 01", 1},
    {"__ZUL_ENO", "33 01", 1},
    {"__NETWORK 1", "34 01", 0},
};

TEST_F(InstructionStatementTest, StatementsEmitTheirBytesAndIndexesInBothPassesAlike)
{
    for (const CEmitCase& item : kEmitCases) {
        const CLineResult result = Line(item.line);
        EXPECT_TRUE(result.messages.empty()) << item.line << "\n" << result.Messages();
        EXPECT_EQ(HexBytes(result.code), item.bytes) << item.line;
        EXPECT_EQ(result.codeInstructions, item.instructions) << item.line;
        ExpectPassesAgree(result, item.line);
    }
}

TEST_F(InstructionStatementTest, ConstantsTakeTheSizeOfTheirType)
{
    Line("LD TRUE");
    const CLineResult boolean = Line("LD TRUE");
    EXPECT_EQ(HexBytes(boolean.code), "0B 00 01 00");
    const CLineResult dint = Line("MOVE DI#100000, %VD0");
    EXPECT_EQ(HexBytes(dint.code), "BB 01 A0 86 01 00 94 02");
    ExpectPassesAgree(dint, "DINT");

    CompilingFile(FILE_KIND_MAIN_VARS, "MAIN");
    Lines({"VAR", "RATE AT %VD8 : REAL;", "END_VAR"});
    CompilingFile(FILE_KIND_MAIN_PROGRAM, "MAIN");
    const CLineResult real = Line("MOVE 1.5, RATE");
    EXPECT_TRUE(real.messages.empty()) << real.Messages();
    EXPECT_EQ(HexBytes(real.code), "1C 01 00 00 C0 3F 9C 02");
    ExpectPassesAgree(real, "REAL");
}

TEST_F(InstructionStatementTest, ParenthesesCountTwoAndTheirLoadsTakeTheParenthesisForms)
{
    const CLineResult open = Line("AND(");
    EXPECT_EQ(HexBytes(open.code), "CC 00");
    EXPECT_EQ(open.codeInstructions, 2);
    ExpectPassesAgree(open, "AND(");
    EXPECT_EQ(HexBytes(Line("LD %I0.0").code), "01 00 00 00");
    EXPECT_EQ(HexBytes(Line("LDN %I0.0").code), "02 00 00 00");
    EXPECT_EQ(HexBytes(Line("LDI %I0.0").code), "04 00 00 00");
    EXPECT_EQ(HexBytes(Line("LD TRUE").code), "00 00 01 00");
    EXPECT_EQ(HexBytes(Line(")").code), "CA 00");
    EXPECT_EQ(HexBytes(Line("LD %I0.0").code), "09 00 00 00");
    const CLineResult orOpen = Line("OR(");
    EXPECT_EQ(HexBytes(orOpen.code), "CB 00");
    EXPECT_EQ(orOpen.countedInstructions, 2);
}

TEST_F(InstructionStatementTest, IntAndDintMovesFromMemoryKeepTheirOwnOpcodesOnlyInsideAnENBlock)
{
    CompilingFile(FILE_KIND_MAIN_VARS, "MAIN");
    Lines({"VAR", "COUNT AT %VW0 : INT;", "TOTAL AT %VW2 : INT;", "END_VAR"});
    CompilingFile(FILE_KIND_MAIN_PROGRAM, "MAIN");
    EXPECT_EQ(HexBytes(Line("MOVE COUNT, TOTAL").code), "17 01 94 02 96 02");
    Lines({"__ZUL_EN"});
    EXPECT_EQ(HexBytes(Line("MOVE COUNT, TOTAL").code), "B8 01 94 02 96 02");
    Lines({"__ZUL_ENO"});
    EXPECT_EQ(HexBytes(Line("MOVE COUNT, TOTAL").code), "17 01 94 02 96 02");
}

TEST_F(InstructionStatementTest, TwoStatementsOnOneLineAreBothEmitted)
{
    const CLineResult result = Line("LD %I0.0 ; ST %Q0.0");
    EXPECT_TRUE(result.messages.empty()) << result.Messages();
    EXPECT_EQ(HexBytes(result.code), "09 00 00 00 1C 00 20 00");
    EXPECT_EQ(result.codeInstructions, 2);
    ExpectPassesAgree(result, "two statements");
}

struct CErrorCase {
    const char* line;
    int code;
    const char* detail;
};

const CErrorCase kErrorCases[] = {
    {"FOO %I0.0", MSG_INVALID_STRING, "\"FOO\""},
    {"ST", MSG_INVALID_INSTRUCTION_FORMAT, "The instruction of \"ST\" need 1 operands"},
    {"ST %Q0.0, %Q0.1", MSG_INVALID_INSTRUCTION_FORMAT, "\"%Q0.0\""},
    {"ADD %VW0", MSG_MISSING, "\"ADD\" - Missing operand"},
    {"add %VW0", MSG_MISSING, "\"add\" - Missing operand"},
    {"MOVE %VB0, %VW0", MSG_INVALID_INSTRUCTION,
     "\"MOVE\" - The data type of operand does not match, or not supported by current CPU type"},
    {"ST %I0.0", MSG_INVALID_OPERAND, "\"%I0.0\" - The read-only memory can not be used for output"},
    {"BLKMOVE %VB0, B#12, %VB4", MSG_INVALID_OPERAND, "\"B#12\" - The constant can not be used for output"},
    {"LBL", MSG_INVALID_INSTRUCTION, ""},
    {"__ZUL_CR %I0.0", MSG_INVALID_INSTRUCTION_FORMAT, "\"__ZUL_CR\""},
};

TEST_F(InstructionStatementTest, FaultyStatementsAreReportedAndNeitherCountedNorEmitted)
{
    for (const CErrorCase& item : kErrorCases) {
        const CLineResult result = Line(item.line);
        ASSERT_FALSE(result.messages.empty()) << item.line;
        EXPECT_EQ(result.messages[0].code, item.code) << item.line;
        EXPECT_EQ(result.messages[0].kind, MESSAGE_KIND_ERROR) << item.line;
        EXPECT_EQ(result.messages[0].text, item.detail) << item.line;
        EXPECT_TRUE(result.code.empty()) << item.line;
        EXPECT_EQ(result.countedBytes, 0) << item.line;
        EXPECT_EQ(result.countedInstructions, 0) << item.line;
        EXPECT_EQ(result.codeInstructions, 0) << item.line;
    }
}

TEST_F(InstructionStatementTest, ResultTypeMustFollowTheLastLoad)
{
    // A fresh checker has met no load yet.
    CILStatementChecker fresh;
    fresh.CheckLine("__NETWORK 0");
    EXPECT_FALSE(fresh.CheckLine("ST %Q0.0"));
    int code = 0;
    int kind = 0;
    std::string text;
    std::vector<int> codes;
    std::string last;
    while (fresh.GetNextMessage(code, kind, text)) {
        codes.push_back(code);
        last = text;
    }
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), MSG_LOAD_TYPE_MISMATCH);
    EXPECT_EQ(last, "\"ST\"");
    EXPECT_EQ(fresh.GetObjectSize(), 2);

    const CLineResult afterLoad = Line("ST %Q0.0");
    EXPECT_TRUE(afterLoad.messages.empty()) << afterLoad.Messages();
}

TEST_F(InstructionStatementTest, InstructionInsideADeclarationBlockIsRefused)
{
    g_CompileState.InDeclarationBlock = true;
    const CLineResult result = Precompile("LD %I0.0");
    g_CompileState.InDeclarationBlock = false;
    ASSERT_FALSE(result.messages.empty());
    EXPECT_EQ(result.messages.back().code, MSG_VARIABLE_DEFINITION);
    EXPECT_EQ(result.messages.back().text,
              "\"LD\" - Invalid \"variable definition begin\" in current routine (internal error)");
    EXPECT_EQ(result.countedBytes, 0);
}

TEST_F(InstructionStatementTest, ReturnInstructionsDependOnTheRoutine)
{
    const CLineResult inMain = Line("RETC");
    ASSERT_FALSE(inMain.messages.empty());
    EXPECT_EQ(inMain.messages[0].code, MSG_INVALID_INSTRUCTION);
    EXPECT_EQ(inMain.messages[0].text, "The instructions of \"RETC or RETCN\" can not be used in \"MAIN\"");

    CompilingFile(FILE_KIND_INT_PROGRAM, "INT0");
    const CLineResult inInterrupt = Line("RETC");
    EXPECT_TRUE(inInterrupt.messages.empty()) << inInterrupt.Messages();
    EXPECT_EQ(HexBytes(inInterrupt.code), "27 01");
    const CLineResult withOperand = Line("RETC %I0.0");
    ASSERT_FALSE(withOperand.messages.empty());
    EXPECT_EQ(withOperand.messages[0].code, MSG_INVALID_INSTRUCTION_FORMAT);
    EXPECT_EQ(withOperand.messages[0].text, "\"RETC\"");
    const CLineResult eni = Line("ENI");
    ASSERT_FALSE(eni.messages.empty());
    EXPECT_EQ(eni.messages[0].text, "The instructions of \"ENI or DISI\" can not be used in interrupt routines");
}

} // namespace
