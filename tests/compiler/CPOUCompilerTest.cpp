#include "CompilerFixture.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CPOUCompiler.h"
#include "support/TempFolder.h"

#include <fstream>

namespace {

// A compile unit whose passes record the files they see; the precompile
// pass checks the line it is given at row 3.
class RecordingUnit : public CPOUCompiler {
public:
    RecordingUnit()
        : CPOUCompiler("", "")
    {
    }
    std::vector<std::string> precompiled;
    std::vector<std::string> generated;
    std::string lineToCheck;

protected:
    void Precompile() override
    {
        precompiled.push_back(GetFileNameFromPath(m_sourcePath));
        if (lineToCheck.empty())
            return;
        m_currentRow = 3;
        CheckCurrentLine(lineToCheck);
    }
    void GenerateCode(const std::string& sourcePath) override
    {
        generated.push_back(GetFileNameFromPath(sourcePath));
        EXPECT_EQ(Context().GetObjectPath(), GetObjectPath());
    }

private:
    static std::string GetFileNameFromPath(const std::string& path) { return path.substr(path.rfind('/') + 1); }
};

class CPOUCompilerTest : public CompilerFixture {
protected:
    std::string MakeFile(const std::string& name)
    {
        const std::string path = m_folder / name;
        std::ofstream(path) << "(*1*)\r\n";
        return path;
    }
    std::string Project() const { return m_folder / "DEMO.QPJ"; }

    TempFolder m_folder;
};

TEST_F(CPOUCompilerTest, FilesAreClassifiedByName)
{
    struct KindCase {
        const char* source;
        const char* project;
        int kind;
        const char* label; // nullptr: an empty path leaves the label alone
        int status;
    } const cases[] = {
        {"/P/DEMO.CGV", "/P/DEMO.QPJ", FILE_KIND_GLOBAL_VARS, "", UNIT_STATUS_USABLE},
        {"/P/MAIN_MAIN.ILV", "/P/DEMO.QPJ", FILE_KIND_MAIN_VARS, "MAIN", UNIT_STATUS_USABLE},
        {"/P/MAIN_MAIN.CIV", "/P/DEMO.QPJ", FILE_KIND_MAIN_VARS, "MAIN", UNIT_STATUS_USABLE},
        {"/P/MAIN_MAIN.ILP", "/P/DEMO.QPJ", FILE_KIND_MAIN_PROGRAM, "MAIN", UNIT_STATUS_USABLE},
        {"/P/MAINX.ILP", "/P/DEMO.QPJ", FILE_KIND_MAIN_PROGRAM, "MAIN", UNIT_STATUS_USABLE},
        {"/P/INT02_TICK.CIP", "/P/DEMO.QPJ", FILE_KIND_INT_PROGRAM, "INT02", UNIT_STATUS_USABLE},
        {"/P/INT02_TICK.ILV", "/P/DEMO.QPJ", FILE_KIND_INT_VARS, "INT02", UNIT_STATUS_USABLE},
        {"/P/SBR01_PUMP.ILP", "/P/DEMO.QPJ", FILE_KIND_SBR_PROGRAM, "SBR01", UNIT_STATUS_USABLE},
        {"/P/SBR01_PUMP.ILV", "/P/DEMO.QPJ", FILE_KIND_SBR_VARS, "SBR01", UNIT_STATUS_USABLE},
        {"/P/SBR7.ILP", "/P/DEMO.QPJ", FILE_KIND_SBR_PROGRAM, "", UNIT_STATUS_USABLE},
        {"/P/PUMP.ILP", "/P/DEMO.QPJ", FILE_KIND_UNKNOWN, "", UNIT_STATUS_UNKNOWN_KIND},
        {"/P/SBR01_PUMP.TXT", "/P/DEMO.QPJ", FILE_KIND_UNKNOWN, "", UNIT_STATUS_UNKNOWN_KIND},
        {"/P/sbr01_pump.ilp", "/P/DEMO.QPJ", FILE_KIND_UNKNOWN, "", UNIT_STATUS_UNKNOWN_KIND},
        {"/P/MAIN_MAIN.ILP", "/P/DEMO", FILE_KIND_MAIN_PROGRAM, "MAIN", UNIT_STATUS_FILE_ERROR},
        {"  ", "/P/DEMO.QPJ", FILE_KIND_UNKNOWN, nullptr, UNIT_STATUS_FILE_ERROR},
    };
    for (const KindCase& c : cases) {
        CPOUCompiler unit(c.source, c.project);
        EXPECT_EQ(g_CompileState.CurrentFileKind, c.kind) << c.source;
        EXPECT_EQ(unit.GetStatus(), c.status) << c.source;
        if (!c.label)
            continue;
        EXPECT_EQ(unit.GetPOULabel(), c.label) << c.source;
        EXPECT_EQ(g_CompileState.CurrentPOULabel, c.label) << c.source;
        EXPECT_EQ(unit.Context().GetPOULabel(), c.label) << c.source;
    }
    CPOUCompiler unit("/P/SBR01_PUMP.ILP", " /P/DEMO.QPJ ");
    EXPECT_EQ(unit.GetObjectPath(), "/P/SBR01_PUMP.EPL");
    EXPECT_EQ(unit.GetMessageListPath(), "/P/DEMO.COI");
}

TEST_F(CPOUCompilerTest, UnusableFilesFailBeforeAnyPass)
{
    RecordingUnit unit;
    int errors = -1, warnings = -1;
    EXPECT_EQ(unit.CompileFile(&errors, &warnings), 1);
    unit.SetFile("/P/SBR01_PUMP.TXT", Project());
    EXPECT_EQ(unit.CompileFile(&errors, &warnings), 1);
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(warnings, 0);
    EXPECT_TRUE(unit.precompiled.empty());
    const std::vector<std::string> expected = {
        "        In project: [Error 008]File error;  .",
        "        In project: [Error 009]Unknown file extension(internal error);  .",
    };
    EXPECT_EQ(CompileLines(), expected);
}

TEST_F(CPOUCompilerTest, MissingSourceIsReportedAfterItsCompilingLine)
{
    RecordingUnit unit;
    unit.SetFile(m_folder / "MAIN_MAIN.ILP", Project());
    int errors = 0, warnings = 0;
    EXPECT_EQ(unit.CompileFile(&errors, &warnings), 1);
    const std::vector<std::string> expected = {
        "$$$ compiling   : POU \"MAIN\" ...",
        "        In project: [Error 010]The file does not exist;  .",
    };
    EXPECT_EQ(CompileLines(), expected);
    EXPECT_TRUE(unit.precompiled.empty());
}

TEST_F(CPOUCompilerTest, GlobalAndWorkCopyVariableFilesAreNotAnnounced)
{
    RecordingUnit unit;
    for (const char* name : {"DEMO.CGV", "MAIN_MAIN.CIV"}) {
        unit.SetFile(MakeFile(name), Project());
        unit.CompileFile(nullptr, nullptr);
    }
    EXPECT_TRUE(CompileLines().empty());
    EXPECT_EQ(unit.precompiled, (std::vector<std::string>{"DEMO.CGV", "MAIN_MAIN.CIV"}));
    EXPECT_EQ(unit.generated, unit.precompiled);
}

TEST_F(CPOUCompilerTest, FindingsOfThePrecompilePassKeepAFileFromTheCodePass)
{
    RecordingUnit unit;
    const std::string main = MakeFile("MAIN_MAIN.ILP");
    const std::string pump = MakeFile("SBR01_PUMP.ILP");
    AddPOU("SBR01", "Pump", 1, POU_KIND_SUBROUTINE);

    unit.SetSkipCodePass(1);
    unit.lineToCheck = "X1 Y1";
    unit.SetFile(main, Project());
    int errors = 0, warnings = 0;
    EXPECT_EQ(unit.CompileFile(&errors, &warnings), 1);
    unit.lineToCheck.clear();
    unit.SetFile(pump, Project());
    EXPECT_EQ(unit.CompileFile(&errors, &warnings), 0);
    EXPECT_EQ(unit.GetFileErrors(main), 1);
    EXPECT_EQ(unit.GetFileErrors(pump), 0);
    EXPECT_EQ(unit.GetFileErrors(""), 0);

    unit.SetSkipCodePass(0);
    unit.SetSkipPrecompile(1);
    for (const std::string& path : {main, pump}) {
        unit.SetFile(path, Project());
        unit.CompileFile(&errors, &warnings);
    }
    EXPECT_EQ(unit.precompiled, (std::vector<std::string>{"MAIN_MAIN.ILP", "SBR01_PUMP.ILP"}));
    EXPECT_EQ(unit.generated, std::vector<std::string>{"SBR01_PUMP.ILP"});
    const std::vector<std::string> expected = {
        "$$$ compiling   : POU \"MAIN\" ...",
        "        POU \"MAIN\" (row 3): [Error 022]Invalid string;  \"X1\".",
        "$$$ compiling   : POU \"Pump\" ...",
    };
    EXPECT_EQ(CompileLines(), expected);
}

TEST_F(CPOUCompilerTest, TheFiveHundredTwelfthFileOverflowsTheTable)
{
    RecordingUnit unit;
    const std::string path = MakeFile("SBR01_PUMP.CIV");
    for (int i = 0; i < PRECOMPILED_FILE_LIMIT; ++i) {
        unit.SetFile(path, Project());
        unit.CompileFile(nullptr, nullptr);
    }
    EXPECT_TRUE(CompileLines().empty());
    EXPECT_EQ(unit.GetPrecompiledFileCount(), PRECOMPILED_FILE_LIMIT);
    unit.SetFile(path, Project());
    int errors = 0, warnings = 0;
    EXPECT_EQ(unit.CompileFile(&errors, &warnings), 1);
    EXPECT_EQ(unit.GetPrecompiledFileCount(), PRECOMPILED_FILE_LIMIT);
    EXPECT_EQ(unit.precompiled.size(), size_t(PRECOMPILED_FILE_LIMIT + 1));
    EXPECT_EQ(unit.generated.size(), size_t(PRECOMPILED_FILE_LIMIT + 1));
    EXPECT_EQ(CompileLines(), std::vector<std::string>{"        In project: [Error 038]Overflow;  The compiler has too "
                                                       "many files to handle."});
}

} // namespace
