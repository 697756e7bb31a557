#include "StatementFixture.h"

#include "compiler/CCompileMessage.h"
#include "model/CLocalAddressTable.h"

namespace {

class DeclarationStatementTest : public StatementFixture {
protected:
    void SetUp() override
    {
        StatementFixture::SetUp();
        g_LocalAddresses.Reset();
        CompilingFile(FILE_KIND_SBR_VARS, "SBR1");
    }

    // The declaration inside a section in both passes: the findings of the
    // precompile pass; declarations count and emit nothing.
    CLineResult Declare(const std::string& section, const std::string& declaration)
    {
        Lines({section.c_str()});
        const CLineResult result = Line(declaration);
        ExpectPassesAgree(result, declaration);
        EXPECT_EQ(result.countedBytes, 0) << declaration;
        Lines({"END_VAR"});
        return result;
    }

    const CPOUVarList& List(int index) const { return m_app->Project.POUVarLists[index]; }
};

TEST_F(DeclarationStatementTest, InputParameterIsFiledWithItsSectionAndParameterBits)
{
    const CLineResult result = Declare("VAR_INPUT", "IN1 AT %L0.0 : BOOL;");
    EXPECT_TRUE(result.messages.empty()) << result.Messages();
    ASSERT_EQ(List(3).varCount, 1);
    EXPECT_EQ(List(3).vars[0].name, "IN1");
    EXPECT_EQ(List(3).vars[0].section, 1);
    EXPECT_EQ(List(3).vars[0].typeBits, 1u);
    const CVariableEntry* symbol = GetVariable("SBR1.IN1");
    ASSERT_NE(symbol, nullptr);
    EXPECT_EQ(symbol->typeFlags, 0x2001u);
    EXPECT_EQ(symbol->addressText, "%L0.0");
    EXPECT_EQ(symbol->sectionNumber, 1);
}

struct CSectionCase {
    const char* section;
    int sectionField;
    OperandTypeFlags typeFlags;
};

TEST_F(DeclarationStatementTest, SectionsGiveSectionNumbersAndParameterBits)
{
    const CSectionCase cases[] = {
        {"VAR_IN_OUT", 2, 0x6004},
        {"VAR_OUTPUT", 3, 0x6004},
        {"VAR", 5, 0x0004},
    };
    int slot = 0;
    for (const CSectionCase& item : cases) {
        const std::string name = "W" + std::to_string(slot);
        const std::string line = name + " AT %VW" + std::to_string(2 * slot) + " : WORD;";
        EXPECT_TRUE(Declare(item.section, line).messages.empty()) << line;
        ASSERT_EQ(List(3).varCount, slot + 1);
        EXPECT_EQ(List(3).vars[size_t(slot)].section, item.sectionField) << item.section;
        EXPECT_EQ(GetVariable("SBR1." + name)->typeFlags, item.typeFlags) << item.section;
        ++slot;
    }
}

TEST_F(DeclarationStatementTest, DataTypesGiveTheirTypeBits)
{
    const std::pair<const char*, DWORD> cases[] = {
        {"D AT %VD0 : DINT;", 0x20}, {"RV AT %VD4 : REAL;", 0x40}, {"DW AT %VD8 : DWORD;", 0x08},
        {"I AT %VW12 : INT;", 0x10}, {"B AT %VB14 : BYTE;", 0x02}, {"X AT %V15.0 : BOOL;", 0x01},
    };
    size_t filed = 0;
    for (const auto& [line, typeBits] : cases) {
        EXPECT_TRUE(Declare("VAR", line).messages.empty()) << line;
        ASSERT_EQ(List(3).vars.size(), ++filed) << line;
        EXPECT_EQ(List(3).vars.back().typeBits, typeBits) << line;
    }
}

TEST_F(DeclarationStatementTest, GlobalMainAndTemporaryVariablesGoToTheirLists)
{
    CompilingFile(FILE_KIND_GLOBAL_VARS, "");
    EXPECT_TRUE(Declare("VAR_GLOBAL", "LEVEL AT %VW10 : INT := 7;").messages.empty());
    ASSERT_EQ(List(0).varCount, 1);
    EXPECT_EQ(List(0).vars[0].section, 4);
    const CVariableEntry* global = GetVariable("LEVEL");
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(global->initialValue.intValue, 7);
    EXPECT_EQ(global->hasInitialValue, 1);
    EXPECT_EQ(global->globalFlag, 1);

    CompilingFile(FILE_KIND_MAIN_VARS, "MAIN");
    EXPECT_TRUE(Declare("VAR", "RUN AT %M0.0 : BOOL;").messages.empty());
    ASSERT_EQ(List(1).varCount, 1);
    EXPECT_EQ(List(1).vars[0].section, 5);

    CompilingFile(FILE_KIND_INT_VARS, "INT2");
    EXPECT_TRUE(Declare("VAR_TEMP", "SCRATCH AT %VB20 : BYTE;").messages.empty());
    EXPECT_EQ(List(103).varCount, 0);
    EXPECT_NE(GetVariable("INT2.SCRATCH"), nullptr);
}

TEST_F(DeclarationStatementTest, OneStatementDeclaresSeveralVariables)
{
    EXPECT_TRUE(Declare("VAR", "A AT %VB0, B AT %VB1 : BYTE;").messages.empty());
    ASSERT_EQ(List(3).varCount, 2);
    EXPECT_EQ(List(3).vars[1].name, "B");
    EXPECT_NE(GetVariable("SBR1.B"), nullptr);
}

struct CDeclarationCase {
    const char* section;
    const char* line;
    int code;
    const char* detail;
    int filed; // entries in the subroutine's list afterwards
};

const CDeclarationCase kDeclarationCases[] = {
    {"VAR", "A, B AT %VB0 : BYTE;", MSG_VARIABLE_DEFINITION, "\"A\" - Missing direct address (internal error)", 0},
    {"VAR", "X AT %IB0 : BYTE := 5;", MSG_VARIABLE_DEFINITION, "\"AT%IB0\" - The read-only memory can not be written",
     0},
    {"VAR", "W AT %VW0 : WORD := 70000;", MSG_VARIABLE_DEFINITION,
     "\"70000\" - Invalid initializtion (internal error)", 0},
    {"VAR", "W AT %VW0 : WORD 5;", MSG_VARIABLE_DEFINITION, "\"WORD\" - Invalid initializtion (internal error)", 0},
    {"VAR", "W AT %VW0 : WORD :=;", MSG_VARIABLE_DEFINITION, "\"WORD\" - Invalid initializtion (internal error)", 0},
    {"VAR", "MOTOR AT %VB2 : BYTE;", MSG_VARIABLE_DEFINITION,
     "\"MOTOR\" - Variable can not use the same string as any POU", 1},
    {"VAR", ": BYTE;", MSG_VARIABLE_DEFINITION, "\":\" - Invalid definition (internal error)", 0},
    {"VAR", "W AT %VW1 : WORD;", MSG_ADDRESS_SYNTAX, "\"AT%VW1\" - The address of WORD and DWORD data type should be even",
     0},
    {"VAR", "W %VW0 : WORD;", MSG_ADDRESS_SYNTAX,
     "\"%VW0\" - The word \"AT\" should be added befor direct address", 0},
    {"VAR", "VAR_X AT %VB0 : BYTE;", 0, "", 1},
    {"VAR", "TRUE AT %VB0 : BYTE;", MSG_INVALID_USER_IDENTIFIER,
     "\"TRUE\" - Constant can not be used as the user defined identifier", 0},
    {"VAR", "LD AT %VB0 : BYTE;", MSG_VARIABLE_DEFINITION,
     "\"LD\" - Invalid \"variable definition begin\" in current routine (internal error)", 0},
    {"VAR", "T37 : TON;", 0, "", 0},
    {"VAR", "X : TON;", MSG_VARIABLE_DEFINITION, "\"X\" - Invalid instance of function block (internal error)", 0},
    {"VAR", "T37 T38 : TON;", MSG_VARIABLE_DEFINITION, "Missing a \",\" between two variables", 0},
    {"VAR", "T37 : TON X;", MSG_VARIABLE_DEFINITION, "\"TON\" - Invalid variable definition (internal error)", 0},
};

TEST_F(DeclarationStatementTest, FaultyDeclarationsAreReported)
{
    for (const CDeclarationCase& item : kDeclarationCases) {
        ResetCompiler();
        m_app->Project.ResetPOUVariableLists();
        CompilingFile(FILE_KIND_SBR_VARS, "SBR1");
        AddPOU("SBR1", "Motor", 1, POU_KIND_SUBROUTINE);
        const CLineResult result = Declare(item.section, item.line);
        if (item.code == 0) {
            EXPECT_TRUE(result.messages.empty()) << item.line << "\n" << result.Messages();
        } else {
            ASSERT_FALSE(result.messages.empty()) << item.line;
            EXPECT_EQ(result.messages[0].code, item.code) << item.line;
            EXPECT_EQ(result.messages[0].text, item.detail) << item.line;
        }
        EXPECT_EQ(List(3).varCount, item.filed) << item.line;
    }
}

TEST_F(DeclarationStatementTest, RedefinitionsAreReported)
{
    EXPECT_TRUE(Declare("VAR", "A AT %VB0 : BYTE;").messages.empty());
    const CLineResult twice = Declare("VAR", "A AT %VB1 : BYTE;");
    ASSERT_EQ(twice.messages.size(), 1u);
    EXPECT_EQ(twice.messages[0].text, "\"A\" - Variable redefined");
    EXPECT_EQ(List(3).varCount, 1);

    EXPECT_TRUE(Declare("VAR", "T37, T38 : TON;").messages.empty());
    const CVariableEntry* instance = GetVariable("T38");
    ASSERT_NE(instance, nullptr);
    EXPECT_EQ(instance->kind, VARIABLE_KIND_FB_INSTANCE);
    EXPECT_EQ(instance->fbType, "TON");
    const CLineResult again = Declare("VAR", "T37 : TOF;");
    ASSERT_EQ(again.messages.size(), 1u);
    EXPECT_EQ(again.messages[0].text, "\"T37\" - The instance of function block redefined");
}

TEST_F(DeclarationStatementTest, SectionsMustOpenAndClose)
{
    Lines({"VAR_INPUT"});
    const CLineResult second = Line("VAR_INPUT");
    ASSERT_EQ(second.messages.size(), 1u);
    EXPECT_EQ(second.messages[0].text, "Missing \"END_VAR\" (internal error)");
    EXPECT_TRUE(g_CompileState.InDeclarationBlock);
    Lines({"END_VAR"});
    EXPECT_FALSE(g_CompileState.InDeclarationBlock);
    const CLineResult end = Line("END_VAR");
    ASSERT_EQ(end.messages.size(), 1u);
    EXPECT_EQ(end.messages[0].text, "Missing \"VAR\" (internal error)");
    const CLineResult before = Line("X VAR");
    ASSERT_FALSE(before.messages.empty());
    EXPECT_EQ(before.messages.back().text, "\"X\" - (internal error)");
}

TEST_F(DeclarationStatementTest, LocalAddressThatDoesNotSuitTheCPUIsReportedAndStillFiled)
{
    // The first local bytes hold BOOL locals only.
    const CLineResult result = Declare("VAR", "SMALL AT %LB0 : BYTE;");
    ASSERT_EQ(result.messages.size(), 1u) << result.Messages();
    EXPECT_EQ(result.messages[0].code, MSG_VARIABLE_DEFINITION);
    EXPECT_EQ(result.messages[0].text,
              "\"SMALL\" The memory allocation for the local variables does not suit the current CPU. Please "
              "execute 'Reallocate Local Variables' menu command to correct it.");
    EXPECT_EQ(List(3).varCount, 1);
    EXPECT_NE(GetVariable("SBR1.SMALL"), nullptr);
}

} // namespace
