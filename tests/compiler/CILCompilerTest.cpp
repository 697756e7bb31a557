#include "ProjectFolderFixture.h"

#include "compiler/CCompileMessage.h"
#include "compiler/CILCompiler.h"
#include "compiler/InitialDataReport.h"
#include "model/CZULInitData.h"
#include "model/CpuProfile.h"
#include "model/POULanguageTable.h"
#include "platform/ByteString.h"

#include <algorithm>

#include <unistd.h>

namespace {

const char kProgram[] = "(* Network 0 *)\r\nLD %I0.0\r\nST %Q0.0\r\n";

struct Block {
    int size;
    BYTE language;
    BYTE headerLength;
    BYTE kind;
    BYTE number;
};

// The POU blocks of an object file, each found at the end of the one before.
std::vector<Block> ReadBlocks(const std::vector<BYTE>& bytes)
{
    std::vector<Block> blocks;
    size_t offset = 0;
    while (offset + 6 <= bytes.size()) {
        const Block block{bytes[offset] | (bytes[offset + 1] << 8), bytes[offset + 2], bytes[offset + 3],
                          bytes[offset + 4], bytes[offset + 5]};
        blocks.push_back(block);
        if (block.size < 6)
            break;
        offset += size_t(block.size);
    }
    EXPECT_EQ(offset, bytes.size()) << "the blocks do not cover the object file";
    return blocks;
}

class CILCompilerTest : public ProjectFolderFixture {
protected:
    // Compiles the list. The statement emitters count the instructions of a
    // program; a counter set to one instruction before the passes stands in
    // for them where a test needs a compilation to get through.
    BOOL Compile(std::vector<std::string> list, bool presetInstruction)
    {
        CILCompiler compiler(list.data(), int(list.size()));
        if (presetInstruction)
            g_CompileState.InstructionCounter = 0;
        const BOOL result = compiler.Compile();
        m_errors = compiler.GetErrorCount();
        m_warnings = compiler.GetWarningCount();
        m_objectOffset = g_CompileState.ObjectOffset;
        return result;
    }

    int m_objectOffset = 0;
    int m_errors = 0;
    int m_warnings = 0;
};

TEST_F(CILCompilerTest, PathsComeFromTheProjectFileEntry)
{
    std::vector<std::string> list = FileList({"MAIN_Main"});
    CILCompiler compiler(list.data(), int(list.size()));
    EXPECT_EQ(compiler.GetProjectPath(), InFolder("Demo.qpj"));
    EXPECT_EQ(compiler.GetMessageListPath(), InFolder("Demo.COI"));
    EXPECT_EQ(compiler.GetObjectPath(), InFolder("Demo.EPL"));
    EXPECT_EQ(list[1], ByteString::Upper(InFolder("MAIN_Main.ilv"))); // the caller's list is upper-cased
}

TEST_F(CILCompilerTest, AProjectFileWithoutFolderStopsTheCompilation)
{
    std::vector<std::string> list{"Demo.qpj"};
    CILCompiler compiler(list.data(), int(list.size()));
    EXPECT_FALSE(compiler.Compile());
    EXPECT_EQ(m_ui.box.Texts(), (std::vector<std::string>{"Invalid project file path and Name.",
                                                          "The compiler can not get the project name, compilation "
                                                          "abort!"}));
}

TEST_F(CILCompilerTest, SubroutinesAndInterruptRoutinesAreRegisteredOncePerLabel)
{
    std::vector<std::string> list = FileList({"MAIN_Main", "SBR01_Pump", "SBR01_Fan", "SBRX_Bad", "INT00_Tick"});
    CILCompiler compiler(list.data(), int(list.size()));
    std::vector<std::string> registered;
    for (const CPOUEntry* entry = FirstPOU(); entry; entry = entry->next)
        registered.push_back(entry->label + "=" + entry->name + "/" + std::to_string(entry->kind));
    EXPECT_EQ(registered, (std::vector<std::string>{"INT00=Tick/3", "SBR01=Pump/2"}));
    EXPECT_TRUE(FindVariable("SBR01.EN"));
    EXPECT_TRUE(FindVariable("SBR01.ENO"));
    EXPECT_EQ(GetVariable("SBR01.EN")->typeFlags, OT_BOOL);
}

TEST_F(CILCompilerTest, AProjectCompilesIntoBlocksInCompileOrder)
{
    WritePOU("MAIN_Main", kProgram);
    WritePOU("SBR00_Pump", kProgram);
    WritePOU("INT00_Tick", kProgram);
    WriteFile(InFolder("Demo.qgv"), "VAR_GLOBAL\r\nEND_VAR\r\n");
    // MAIN is compiled first wherever it stands in the list.
    std::vector<std::string> list = FileList({"SBR00_Pump", "INT00_Tick", "MAIN_Main"}, true);
    ASSERT_TRUE(Compile(list, true));

    std::vector<BYTE> bytes;
    ASSERT_TRUE(FileSystem::ReadFileBytes(ObjectPath(), bytes));
    const std::vector<Block> blocks = ReadBlocks(bytes);
    ASSERT_EQ(blocks.size(), 3u);
    const BYTE expected[3][4] = {{1, 6, 1, 255}, {1, 6, 2, 0}, {1, 6, 3, 0}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(blocks[i].language, expected[i][0]) << i;
        EXPECT_EQ(blocks[i].headerLength, expected[i][1]) << i;
        EXPECT_EQ(blocks[i].kind, expected[i][2]) << i;
        EXPECT_EQ(blocks[i].number, expected[i][3]) << i;
    }
    EXPECT_EQ(size_t(m_objectOffset), bytes.size());

    const std::vector<std::string> messages = MessageListLines();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), "$$$ Handling variable $$$");
    EXPECT_TRUE(ByteString::StartsWith(messages.back(),
                                       "$$$ Compilation successful   :  0 errors, 0 warnings. Total instructions "));
    for (const char* work : {"Demo.CGV", "Demo.cgv"})
        EXPECT_FALSE(FileSystem::FileExists(InFolder(work)));
    EXPECT_TRUE(CompileLinesContain("$$$ Compiling  : Initial data..."));
    EXPECT_TRUE(CompileLinesContain("$$$ compiling  : Hardware... "));
}

TEST_F(CILCompilerTest, LadderPOUsAreMarkedByProfileSubType)
{
    struct LanguageCase {
        BYTE subType;
        BYTE headerLanguage;
        BYTE tableEntry;
    } const cases[] = {{0, 2, 0}, {1, 1, 2}, {2, 1, 2}, {3, 1, 2}};
    WritePOU("MAIN_Main", kProgram);
    WritePOU("SBR03_Valve", kProgram, 2);
    for (const LanguageCase& c : cases) {
        ClearPOULanguageTable();
        m_app->ProfileSubType = c.subType;
        ASSERT_TRUE(Compile(FileList({"MAIN_Main", "SBR03_Valve"}), true));
        std::vector<BYTE> bytes;
        ASSERT_TRUE(FileSystem::ReadFileBytes(ObjectPath(), bytes));
        const std::vector<Block> blocks = ReadBlocks(bytes);
        ASSERT_EQ(blocks.size(), 2u);
        EXPECT_EQ(blocks[0].language, 1) << int(c.subType);
        EXPECT_EQ(blocks[1].language, c.headerLanguage) << int(c.subType);
        EXPECT_EQ(blocks[1].number, 3);
        EXPECT_EQ(g_POULanguageTable[POU_LANGUAGE_FIRST_SBR + 3], c.tableEntry) << int(c.subType);
        EXPECT_EQ(g_POULanguageTable[0], 0);
    }
}

TEST_F(CILCompilerTest, DeclarationErrorsSkipTheProgramPassesAndLeaveNoObjectFile)
{
    WritePOU("MAIN_Main", kProgram);
    WriteFile(ObjectPath(), "stale object code");
    // The global-variable file is listed but missing.
    EXPECT_FALSE(Compile(FileList({"MAIN_Main"}, true), false));
    EXPECT_FALSE(FileSystem::FileExists(ObjectPath()));
    EXPECT_EQ(m_errors, 1);
    EXPECT_EQ(MessageListLines(), (std::vector<std::string>{
                                      "$$$ Handling variable $$$",
                                      "$$$ [Error 010]The file does not exist:File error.",
                                      "$$$ compiling   : The variable of POU \"MAIN\" ...",
                                      "$$$ Compilation failed   : There is some errors in variable definition of the "
                                      "project, compilation abort(internal error).",
                                      " ",
                                      "$$$ Compilation failed   :  1 errors, 0 warnings. Total instructions 0 .",
                                  }));
}

TEST_F(CILCompilerTest, AnObjectFileThatCannotBeWrittenFailsTheCompilation)
{
    // The object file lies on a device that refuses every write (a full disk).
    if (::access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no writable /dev/full";
    WritePOU("MAIN_Main", kProgram);
    WriteFile(InFolder("Demo.qgv"), "VAR_GLOBAL\r\nEND_VAR\r\n");
    ASSERT_EQ(::symlink("/dev/full", ObjectPath().c_str()), 0);
    EXPECT_FALSE(Compile(FileList({"MAIN_Main"}, true), true));
    EXPECT_EQ(m_errors, 1);
    const std::vector<std::string> messages = MessageListLines();
    EXPECT_NE(std::find(messages.begin(), messages.end(), "$$$ [Error 008]File error:File error."), messages.end());
    EXPECT_FALSE(FileSystem::FileExists(ObjectPath()));

    // The next compilation to a good file starts clean.
    WritePOU("MAIN_Main", kProgram);
    EXPECT_TRUE(Compile(FileList({"MAIN_Main"}, true), true));
    EXPECT_EQ(m_errors, 0);
}

TEST_F(CILCompilerTest, LocalMemoryIsFreeAgainForTheNextCompilation)
{
    // The subroutine's input is renamed between two compilations; its L
    // address was reserved under the old name by the first one.
    WritePOU("MAIN_Main", kProgram);
    const char program[] = "(* Network 0 *)\r\nLD %L0.0\r\nST %Q0.0\r\n";
    for (const char* name : {"IN1", "Start"}) {
        WritePOU("SBR00_Pump", program, 1,
                 std::string("VAR_INPUT\r\n") + name + " AT %L0.0 : BOOL;\r\nEND_VAR\r\n");
        EXPECT_TRUE(Compile(FileList({"MAIN_Main", "SBR00_Pump"}), true)) << name;
        EXPECT_EQ(m_errors, 0) << name;
    }
}

TEST_F(CILCompilerTest, AProjectWithoutInstructionFails)
{
    WritePOU("MAIN_Main", "");
    CILCompiler compiler(nullptr, 0);
    compiler.CheckLimits(false);
    EXPECT_EQ(compiler.GetErrorCount(), 1);
    EXPECT_EQ(CompileLines(), (std::vector<std::string>{
                                  "$$$ [Error 024]Missing:No instruction in the project(internal error).",
                              }));
    // After declaration errors nothing is said about the missing instructions.
    m_ui.output.Clear();
    compiler.CheckLimits(true);
    EXPECT_TRUE(CompileLines().empty());
}

TEST_F(CILCompilerTest, InstructionAndObjectSizeLimits)
{
    CILCompiler compiler(nullptr, 0);
    const std::string tooMany = ByteString::Format(
        "$$$ [Error 038]Overflow:The number of instruction reach limit, you can input %d instructions with current "
        "CPU type..",
        MaxInstructions);
    struct LimitCase {
        int instructions;
        int objectBytes;
        std::vector<std::string> lines;
    } const cases[] = {
        {1, 0, {}},
        {MaxInstructions, 0xFFFE, {}},
        // The PLC takes one instruction more than the profile's limit.
        {MaxInstructions + 1, 100, {}},
        {MaxInstructions + 2, 100, {tooMany}},
        {MaxInstructions + 3, 100, {tooMany}},
        {10, 0xFFFF, {"$$$ [Error 030]The object file exceed 64k bytes:."}},
    };
    for (const LimitCase& c : cases) {
        m_ui.output.Clear();
        g_CompileState.InstructionCounter = c.instructions - 1;
        g_CompileState.ObjectOffset = c.objectBytes;
        const int before = compiler.GetErrorCount();
        compiler.CheckLimits(false);
        EXPECT_EQ(CompileLines(), c.lines) << c.instructions << " instructions";
        EXPECT_EQ(compiler.GetErrorCount() - before, int(c.lines.size()));
    }
}

class CallGraphTest : public CILCompilerTest {
protected:
    // Registers subroutines SBR00.. named A, B, C, ... and their calls.
    std::vector<std::string> CheckGraph(int subroutines, const std::vector<std::pair<int, int>>& calls)
    {
        std::vector<std::string> list;
        for (int n = 0; n < subroutines; ++n)
            list.push_back(InFolder(ByteString::Format("SBR%02d_%c.ilp", n, 'A' + n)));
        CILCompiler compiler(list.data(), int(list.size()));
        for (const auto& [caller, callee] : calls)
            GetPOU(ByteString::Format("SBR%02d", caller))->AddCallee(ByteString::Format("SBR%02d", callee));
        compiler.CheckCallGraph();
        m_errors = compiler.GetErrorCount();
        m_warnings = compiler.GetWarningCount();
        return CompileLines();
    }
};

TEST_F(CallGraphTest, ThreeLevelsPassAndAFourthIsTooDeep)
{
    EXPECT_TRUE(CheckGraph(3, {{0, 1}, {1, 2}}).empty());
    m_ui.output.Clear();
    EXPECT_EQ(CheckGraph(4, {{0, 1}, {1, 2}, {2, 3}}),
              (std::vector<std::string>{"$$$ [Error 038]Overflow:Subroutines can be nested to a depth of three, the "
                                        "calling sequence:Caller->(SBR00)->(SBR01)->(SBR02)->(SBR03)."}));
    EXPECT_EQ(m_errors, 1);
}

TEST_F(CallGraphTest, RecursionIsAWarningWithTheNamesOfThePath)
{
    EXPECT_EQ(CheckGraph(2, {{1, 1}}),
              (std::vector<std::string>{"$$$ [Warning 042]Recursion call:There is recursion in subroutine call, The "
                                        "path of calling subroutines ->(B)->(B)."}));
    EXPECT_EQ(m_warnings, 1);
    EXPECT_EQ(m_errors, 0);
    m_ui.output.Clear();
    EXPECT_EQ(CheckGraph(3, {{0, 1}, {1, 2}, {2, 1}}),
              (std::vector<std::string>{
                  "$$$ [Warning 042]Recursion call:There is recursion in subroutine call, The path of calling "
                  "subroutines ->(A)->(B)->(C)->(B).",
                  "$$$ [Warning 042]Recursion call:There is recursion in subroutine call, The path of calling "
                  "subroutines ->(B)->(C)->(B).",
                  "$$$ [Warning 042]Recursion call:There is recursion in subroutine call, The path of calling "
                  "subroutines ->(C)->(B)->(C).",
              }));
}

TEST_F(CILCompilerTest, SummaryNamesTheConnectedPLCOnceWhileDownloading)
{
    CILCompiler compiler(nullptr, 0);
    g_CompileState.InstructionCounter = 41;
    m_app->CompilingForDownload = 1;
    m_app->ProfileSubType = 2;
    const BYTE ident[5] = {3, 1, 4, 0x80, 0};
    std::copy(std::begin(ident), std::end(ident), m_app->PlcIdent);
    m_app->ConnectedCpuModel = 5;
    m_app->ConnectedCpuModelValid = 1;
    const std::string module = ByteString::Trim(GetCPUTypeName(0));
    EXPECT_EQ(compiler.SummaryLine(), " 0 errors, 0 warinings.  Total instructions 42. Connected PLC: Firmware "
                                      "V3.1.4 ZUL, OBJ V1.2, Module " + module);
    EXPECT_EQ(m_app->DownloadNoteText,
              "Connected PLC: Firmware vresion 3.1.4 ZUL, OBJ version V1.2, Module type " + module);
    EXPECT_EQ(m_app->PlcIdent[0], 0);
    EXPECT_EQ(m_app->ConnectedCpuModelValid, 0);
    EXPECT_EQ(compiler.SummaryLine(), " 0 errors, 0 warnings. Total instructions 42 .");
}

TEST_F(CILCompilerTest, InitialDataProblemsGoToTheCompileListOnly)
{
    auto& rows = m_app->Project.InitialData;
    rows.clear();
    rows.push_back(std::make_unique<CZULInitData>());
    CZULInitData* unassigned = rows.emplace_back(std::make_unique<CZULInitData>()).get();
    unassigned->texts = {"VB0"};
    CZULInitData* faulty = rows.emplace_back(std::make_unique<CZULInitData>()).get();
    faulty->texts = {"VW1", "x"};
    faulty->SetCode(0, 1);
    faulty->SetCode(1, 4);
    EXPECT_EQ(ReportInitialData(m_app->Project), 3);
    std::vector<std::string> lines = CompileLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "$$$ Compiling  : Initial data...");
    EXPECT_EQ(lines[1], "        Initial Data, Row   2, Col  1:  Initial value is not assigned.");
    std::sort(lines.begin() + 2, lines.end());
    EXPECT_EQ(lines[2], "        Initial Data, Row  3, Col  1:  The address is not legal.");
    EXPECT_EQ(lines[3], "        Initial Data, Row  3, Col  2:  The initial value is not legal.");
}

} // namespace
