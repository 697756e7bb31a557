#include "ProjectFolderFixture.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CCompileState.h"
#include "compiler/CPOUPassCompiler.h"
#include "compiler/CRowCounter.h"
#include "model/LanguageLibrary.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The pass unit with its call expansions in view.
class ExpansionUnit : public CPOUPassCompiler {
public:
    ExpansionUnit()
        : CPOUPassCompiler("", "")
    {
    }
    std::vector<std::string> Expansion(int row) const
    {
        std::vector<std::string> lines;
        for (const std::string& line : m_expansions[size_t(row)]) {
            if (line.empty())
                break;
            lines.push_back(line);
        }
        return lines;
    }
    int ExpandedCalls() const { return m_expandedCalls; }
};

class CPOUPassCompilerTest : public ProjectFolderFixture {
protected:
    void SetUp() override
    {
        ProjectFolderFixture::SetUp();
        // SBR01 "Pump": BOOL input F1, WORD in_out F2, BOOL output F3; SBR02 without parameters.
        AddPOU("SBR01", "Pump", 1, POU_KIND_SUBROUTINE);
        AddPOU("SBR02", "Idle", 2, POU_KIND_SUBROUTINE);
        AddPOU("INT00", "Tick", 0, POU_KIND_INTERRUPT);
        AddParameter("SBR01.F1", OT_BOOL, SECTION_NUMBER_INPUT);
        AddParameter("SBR01.F2", OT_WORD, SECTION_NUMBER_IN_OUT);
        AddParameter("SBR01.F3", OT_BOOL, SECTION_NUMBER_OUTPUT);
    }

    static void AddParameter(const std::string& name, OperandTypeFlags type, int section)
    {
        AddVariable(name, type, "", CMemAreaDef{}, 0, CConstantValue{}, 0, 0, section);
    }

    // Writes the file (language line added for programs) and its work copy
    // and runs the precompile pass over it.
    std::string Precompile(ExpansionUnit& unit, const std::string& name, const std::string& body)
    {
        const std::string path = InFolder(name);
        const bool program = GetFileExtension(name) == "ILP";
        const std::string text = program ? "(*1*)\r\n" + body : body;
        WriteFile(path, text);
        if (program)
            WriteFile(InFolder("~" + name), text);
        unit.SetFile(path, InFolder("Demo.qpj"));
        unit.SetSkipCodePass(1);
        unit.SetSkipPrecompile(0);
        unit.CompileFile(nullptr, nullptr);
        return path;
    }

    // Runs the code pass over a file the unit has precompiled, into a fresh object file.
    std::vector<BYTE> GenerateCode(ExpansionUnit& unit, const std::string& path)
    {
        WriteFile(ObjectPath(), "");
        EXPECT_TRUE(CObjectFile::Open(ObjectPath()));
        unit.ResetExpandedCallCount();
        unit.SetFile(path, InFolder("Demo.qpj"));
        unit.SetSkipCodePass(0);
        unit.SetSkipPrecompile(1);
        unit.CompileFile(nullptr, nullptr);
        CObjectFile::Close();
        std::vector<BYTE> bytes;
        FileSystem::ReadFileBytes(ObjectPath(), bytes);
        return bytes;
    }

    // Error lines of the Compile list.
    std::vector<std::string> Errors() const
    {
        std::vector<std::string> errors;
        for (const std::string& line : CompileLines()) {
            if (line.find("[Error") != std::string::npos)
                errors.push_back(line);
        }
        return errors;
    }
};

TEST_F(CPOUPassCompilerTest, ACallWithParametersExpandsIntoAssignmentsAroundTheCall)
{
    ExpansionUnit unit;
    Precompile(unit, "MAIN_MAIN.ILP", "CAL SBR01 %I0.0, %VW0, %Q0.0\r\n");
    EXPECT_EQ(unit.Expansion(0), (std::vector<std::string>{
                                     "LD %I0.0",
                                     "ST SBR01.F1",
                                     "__ZUL_CR",
                                     "MOVE %VW0 SBR01.F2",
                                     "CAL SBR01",
                                     "MOVE SBR01.F2 %VW0",
                                     "LD SBR01.F3",
                                     "ST %Q0.0",
                                     "__ZUL_CR",
                                 }));
    EXPECT_EQ(unit.ExpandedCalls(), 1);
    const CPOUEntry* entry = GetPOU("SBR01");
    EXPECT_EQ(entry->inputCount, 1);
    EXPECT_EQ(entry->inOutCount, 1);
    EXPECT_EQ(entry->outputCount, 1);
}

TEST_F(CPOUPassCompilerTest, CallFaultsAreReportedWithTheirRow)
{
    const std::string seventeen = [] {
        std::string call = "CAL SBR03 %I0.0";
        for (int i = 1; i < 17; ++i)
            call += ", %I0.0";
        return call;
    }();
    struct CallCase {
        std::string line;
        std::string error;
        int expandedCalls;
    } const cases[] = {
        {"CAL", "[Error 037]Invalid subroutine call;  The subroutine does not exist.", 0},
        {"CAL SBR09", "[Error 037]Invalid subroutine call;  Missing subroutine or invalid subroutine call.", 0},
        {"CAL INT00", "[Error 037]Invalid subroutine call;  Missing subroutine or invalid subroutine call.", 0},
        {"CALC SBR01", "[Error 037]Invalid subroutine call;  Missing subroutine or invalid subroutine call.", 0},
        {"CAL SBR01", "[Error 037]Invalid subroutine call;  Missing parameters in subroutine call.", 0},
        {"CAL SBR02 %I0.0", "[Error 037]Invalid subroutine call;  No parameter needed for this subroutine.", 0},
        {seventeen, "[Error 037]Invalid subroutine call;   One subroutine supports 16 parameters at most..", 0},
        {"CAL SBR01 %I0.0", "[Error 024]Missing;  Missing some of actual parameter.", 1},
        {"CAL SBR01 %I0.0, %VW0, %Q0.0, %Q0.1",
         "[Error 037]Invalid subroutine call;  \"%Q0.1\" - The quantify of actual parameter exceeds limit.", 1},
        {"CAL SBR01 %VW2, %VW0, %Q0.0",
         "[Error 037]Invalid subroutine call;  \"%VW2\" - The type of input parameter No. 1 does not match the form "
         "parameter.",
         1},
    };
    AddPOU("SBR03", "Many", 3, POU_KIND_SUBROUTINE);
    for (int i = 0; i < 17; ++i)
        AddParameter(ByteString::Format("SBR03.P%d", i), OT_BOOL, SECTION_NUMBER_INPUT);
    for (const CallCase& c : cases) {
        m_ui.output.Clear();
        ExpansionUnit unit;
        Precompile(unit, "MAIN_MAIN.ILP", "\r\n" + c.line + "\r\n");
        const std::vector<std::string> errors = Errors();
        const std::string expected = "        POU \"MAIN\" (row 2): " + c.error;
        EXPECT_NE(std::find(errors.begin(), errors.end(), expected), errors.end())
            << c.line << "\n" << (errors.empty() ? "no error" : errors.front());
        EXPECT_EQ(unit.ExpandedCalls(), c.expandedCalls) << c.line;
    }
}

TEST_F(CPOUPassCompilerTest, AtMost256CallsWithParametersPerCompilation)
{
    std::string body;
    for (int i = 0; i < 258; ++i)
        body += ByteString::Format("CAL SBR01 %%I0.%d, %%VW0, %%Q0.0\r\n", i % 8);
    ExpansionUnit unit;
    Precompile(unit, "MAIN_MAIN.ILP", body);
    std::vector<int> rows;
    for (const std::string& line : Errors()) {
        if (line.find("The quantify of subroutine with parameter exceeds limit") != std::string::npos)
            rows.push_back(std::atoi(line.substr(line.find("(row ") + 5).c_str()));
    }
    EXPECT_EQ(rows, (std::vector<int>{257, 258}));
    EXPECT_EQ(unit.ExpandedCalls(), 258);
    // The last row of the table holds the latest expansion.
    EXPECT_EQ(unit.Expansion(EXPANSION_ROWS - 1).front(), "LD %I0.1");
    EXPECT_EQ(unit.Expansion(255).front(), "LD %I0.7");
}

TEST_F(CPOUPassCompilerTest, TooManyActualParametersStillCheckTheLinesSoFar)
{
    AddPOU("SBR04", "InOnly", 4, POU_KIND_SUBROUTINE);
    AddParameter("SBR04.A", OT_BOOL, SECTION_NUMBER_INPUT);
    ExpansionUnit unit;
    Precompile(unit, "MAIN_MAIN.ILP", "CAL SBR04 %I0.0, %I0.1\r\n");
    // No output follows the inputs, so no CAL line was generated.
    EXPECT_EQ(unit.Expansion(0), (std::vector<std::string>{"LD %I0.0", "ST SBR04.A", "__ZUL_CR"}));
}

TEST_F(CPOUPassCompilerTest, AnActualOfTheWrongTypeIsReportedAndGeneratesNothing)
{
    struct MismatchCase {
        const char* line;
        const char* error; // null for actuals that all match
        std::vector<std::string> expansion;
    } const cases[] = {
        {"CAL SBR01 %I0.0, %VW0, %Q0.0", nullptr,
         {"LD %I0.0", "ST SBR01.F1", "__ZUL_CR", "MOVE %VW0 SBR01.F2", "CAL SBR01", "MOVE SBR01.F2 %VW0", "LD SBR01.F3",
          "ST %Q0.0", "__ZUL_CR"}},
        {"CAL SBR01 %VW2, %VW0, %Q0.0", "\"%VW2\" - The type of input parameter No. 1",
         {"MOVE %VW0 SBR01.F2", "CAL SBR01", "MOVE SBR01.F2 %VW0", "LD SBR01.F3", "ST %Q0.0", "__ZUL_CR"}},
        // No copy-back either for an in_out that was refused.
        {"CAL SBR01 %I0.0, %I0.1, %Q0.0", "\"%I0.1\" - The type of in_out parameter No. 1",
         {"LD %I0.0", "ST SBR01.F1", "__ZUL_CR", "CAL SBR01", "LD SBR01.F3", "ST %Q0.0", "__ZUL_CR"}},
        {"CAL SBR01 %I0.0, %VW0, %VW4", "\"%VW4\" - The type of output parameter No. 1",
         {"LD %I0.0", "ST SBR01.F1", "__ZUL_CR", "MOVE %VW0 SBR01.F2", "CAL SBR01", "MOVE SBR01.F2 %VW0"}},
    };
    for (const MismatchCase& c : cases) {
        m_ui.output.Clear();
        ExpansionUnit unit;
        Precompile(unit, "MAIN_MAIN.ILP", "(* Network 0 *)\r\nLD %I0.7\r\n" + std::string(c.line) + "\r\n");
        std::vector<std::string> expected;
        if (c.error)
            expected.push_back("        POU \"MAIN\" (row 3): [Error 037]Invalid subroutine call;  " +
                               std::string(c.error) + " does not match the form parameter.");
        EXPECT_EQ(Errors(), expected) << c.line;
        EXPECT_EQ(g_CompileState.FileErrorCount, int(expected.size())) << c.line;
        EXPECT_EQ(unit.Expansion(0), c.expansion) << c.line;
        EXPECT_EQ(unit.ExpandedCalls(), 1) << c.line;
    }
}

TEST_F(CPOUPassCompilerTest, LabelDefinitionsAreCheckedAndCollected)
{
    AddParameter("SBR01.A1", OT_BOOL, SECTION_NUMBER_VAR);
    AddParameter("GLOBAL1", OT_BOOL, SECTION_NUMBER_OTHER);
    ExpansionUnit unit;
    Precompile(unit, "SBR01_PUMP.ILP",
               "A1 :\r\n"
               "A1:\r\n"
               "1BAD:\r\n"
               "SBR02:\r\n"
               "GLOBAL1:\r\n"
               "L2: LD %I0.0\r\n");
    const std::vector<std::string> errors = Errors();
    const std::vector<std::string> expected = {
        "        POU \"Pump\" (row 1): [Error 015]Label redefined;  \"A1\" - Label can not use the same string as any "
        "local variable in current POU.",
        "        POU \"Pump\" (row 2): [Error 015]Label redefined;  \"A1\" - Label can not use the same string as any "
        "local variable in current POU.",
        "        POU \"Pump\" (row 2): [Error 015]Label redefined;  \"A1\" - Redefined label.",
        "        POU \"Pump\" (row 3): [Error 016]Invalid Label;  \"1BAD\" - Invalid label.",
        "        POU \"Pump\" (row 4): [Error 015]Label redefined;  \"SBR02\" - Label can not use the same string as "
        "any POU.",
        "        POU \"Pump\" (row 5): [Error 015]Label redefined;  \"GLOBAL1\" - Label can not use the same string "
        "as any global variable.",
    };
    ASSERT_GE(errors.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(errors.begin(), errors.begin() + long(expected.size())), expected);
    EXPECT_TRUE(FindLabel("SBR01.A1"));
    EXPECT_TRUE(FindLabel("SBR01.SBR02"));
    EXPECT_FALSE(FindLabel("SBR01.1BAD"));
    EXPECT_FALSE(FindLabel("SBR01.L2")); // a label with an instruction on its line is not collected here
}

TEST_F(CPOUPassCompilerTest, RowsOfWrappedPointerLines)
{
    struct RowCase {
        const char* line;
        int row;
        bool startsRow;
        bool wrapped;
    } const cases[] = {
        {"LD %I0.0", 1, true, false},
        {"", 2, true, false},
        {"PTR_R *VD0", 3, false, false},
        {"PTR_R *VD4", 3, false, false},
        {"MOVE *VD0, *VD4", 3, false, true},
        {"PTR_W *VD4", 3, false, false},
        {"ptr_w *VD0", 3, false, false},
        {"ST %Q0.0", 4, true, false},
    };
    CRowCounter rows;
    for (const RowCase& c : cases) {
        rows.Count(c.line);
        EXPECT_EQ(rows.Row(), c.row) << c.line;
        EXPECT_EQ(rows.CountsAsRow(), c.startsRow) << c.line;
        EXPECT_EQ(rows.IsWrappedLine(), c.wrapped) << c.line;
    }
}

TEST_F(CPOUPassCompilerTest, TheCodePassWritesTheMeasuredBlock)
{
    ExpansionUnit unit;
    const std::string path = Precompile(unit, "SBR01_PUMP.ILP", "(* Network 0 *)\r\nLD %I0.0\r\nST %Q0.0\r\n");
    ASSERT_TRUE(Errors().empty());
    const std::vector<BYTE> bytes = GenerateCode(unit, path);
    const int size = GetPOU("SBR01")->objectSize;
    ASSERT_EQ(bytes.size(), size_t(size));
    ASSERT_GE(size, POU_HEADER_BYTES);
    EXPECT_EQ(HexBytes(std::vector<BYTE>(bytes.begin() + 2, bytes.begin() + 6)), HexBytes({1, 6, 2, 1}));
    EXPECT_EQ(bytes[0] | (bytes[1] << 8), size);
}

TEST_F(CPOUPassCompilerTest, LinesTheCodePassRefuses)
{
    ExpansionUnit unit;
    const std::string longLine = "LD" + std::string(300, ' ') + "%I0.0";
    const std::string path = Precompile(unit, "MAIN_MAIN.ILP", "(* Network 0 *)\r\n" + longLine + "\r\nST %Q0.0\r\n");
    ASSERT_TRUE(Errors().empty());
    GenerateCode(unit, path);
    EXPECT_EQ(Errors(), (std::vector<std::string>{"        POU \"MAIN\" (row 3): [Error 014]Too many character in a "
                                                  "line(except comment);  " +
                                                  longLine + "."}));
}

TEST_F(CPOUPassCompilerTest, ACommentLeftOpenIsMissingItsEnd)
{
    ExpansionUnit unit;
    Precompile(unit, "MAIN_MAIN.ILP", "(* Network 0 *)\r\nLD %I0.0\r\nST %Q0.0 (* never closed\r\nLD %I0.1\r\n");
    EXPECT_EQ(Errors(), (std::vector<std::string>{"        POU \"MAIN\" (row 4): [Error 024]Missing;  *)."}));
}

TEST_F(CPOUPassCompilerTest, AMissingWorkCopyFailsToOpen)
{
    ExpansionUnit unit;
    WriteFile(InFolder("MAIN_MAIN.ILP"), "(*1*)\r\n");
    unit.SetFile(InFolder("MAIN_MAIN.ILP"), InFolder("Demo.qpj"));
    unit.SetSkipCodePass(1);
    unit.CompileFile(nullptr, nullptr);
    EXPECT_EQ(Errors(), (std::vector<std::string>{"        In project: [Error 008]File error;  File open failed.."}));
}

} // namespace
