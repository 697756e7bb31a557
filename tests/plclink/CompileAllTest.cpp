#include "ImageProjectFixture.h"

#include "plclink/CCompileAll.h"
#include "plclink/CDownloadImageBuilder.h"
#include "plclink/CProjectCompiler.h"
#include "plclink/ICompileAllHost.h"

#include "model/CProjTreeNode.h"
#include "model/CZULSymbol.h"
#include "model/CpuProfile.h"
#include "model/Crc16Modbus.h"
#include "model/LanguageLibrary.h"
#include "model/MonitorItems.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

#include <algorithm>


namespace {

using Bytes = std::vector<unsigned char>;

constexpr int VA10 = 5;
constexpr int VB14EX = 4;

const char kProgram[] = "(* Network 0 *)\r\nLD %I0.0\r\nST %Q0.0\r\n";

// The window side of a run, recorded.
class CRecordingHost : public ICompileAllHost {
public:
    void EndPendingEdit() override { calls.push_back("end edit"); }
    void ShowOutputPane() override { calls.push_back("output"); }
    void BeginWaitCursor() override { calls.push_back("wait"); }
    void EndWaitCursor() override { calls.push_back("end wait"); }
    BOOL SaveAllProjectFiles() override
    {
        calls.push_back("save");
        return saveResult;
    }
    void ScrollCompileListToEnd() override
    {
        calls.push_back("scroll");
        if (!watchedFolder.empty()) {
            for (const CFileEntry& entry : FileSystem::ListFolder(watchedFolder))
                namesWhileCompiled.push_back(entry.name);
        }
    }
    void RefreshCrossReference(int, int) override { calls.push_back("xref"); }

    BOOL saveResult = TRUE;
    std::vector<std::string> calls;
    // The folder listed right after the compiler ran, while the work copies exist.
    std::string watchedFolder;
    std::vector<std::string> namesWhileCompiled;
};

// Profile limits for one test.
class CScopedLimits {
public:
    CScopedLimits(int subroutines, int interrupts)
        : m_saved{MaxSubroutineCount, MaxInterruptCount, MaxSubroutineNumber, MaxInterruptNumber}
    {
        MaxSubroutineCount = subroutines;
        MaxInterruptCount = interrupts;
        MaxSubroutineNumber = 99;
        MaxInterruptNumber = 64;
    }
    ~CScopedLimits()
    {
        MaxSubroutineCount = m_saved[0];
        MaxInterruptCount = m_saved[1];
        MaxSubroutineNumber = m_saved[2];
        MaxInterruptNumber = m_saved[3];
    }

private:
    int m_saved[4];
};

class CompileAllTest : public ImageProjectFixture {
protected:
    // The project "demo": its file beside the project folder, which holds
    // the POU files and everything the compilation writes.
    void SetUp() override
    {
        ImageProjectFixture::SetUp();
        Project().ProjectFolder = m_folder / "demo";
        FileSystem::CreateFolder(Project().ProjectFolder);
        UseFamily(VA10, 0);
        CZUL_Q7_PLC& cpu = AddModule(50);
        cpu.iStart = 0;
        cpu.iEnd = 1;
        WriteFileText(m_folder / "demo.qpj", "project");
        Project().MainPresent = 1;
        Project().MainNode.name = "MAIN";
        Project().MainNode.language = POU_LANGUAGE_IL;
        WritePou("MAIN_MAIN", kProgram);
    }

    std::string InProject(const std::string& name) { return Project().ProjectFolder + "/" + name; }

    void WritePou(const std::string& stem, const std::string& program)
    {
        WriteFileText(InProject(stem + ".ilp"), "(*1*)\r\n" + program);
        WriteFileText(InProject(stem + ".ilv"), "VAR\r\nEND_VAR\r\n");
    }

    // The lines of the Compile list that announce a POU program.
    std::vector<std::string> CompiledPrograms() const
    {
        std::vector<std::string> programs;
        for (const std::string& line : m_ui.output.Lines(1)) {
            if (ByteString::StartsWith(line, "$$$ compiling   : POU "))
                programs.push_back(line);
        }
        return programs;
    }

    std::string LastCompileLine() const
    {
        const std::vector<std::string> lines = m_ui.output.Lines(1);
        return lines.empty() ? std::string() : lines.back();
    }

    void AddSubroutine(const std::string& name, int number)
    {
        auto* node = new CProjTreeNode;
        node->kind = NODE_SUBROUTINE;
        node->name = name;
        node->number = number;
        node->language = POU_LANGUAGE_IL;
        Project().POUs.AddSubroutineNode(node);
        WritePou(ByteString::Format("SBR%02d_%s", number, name.c_str()), kProgram);
    }

    int Run()
    {
        CCompileAll command(*m_app, m_host);
        return command.CompileAll();
    }

    bool WorkCopiesLeft()
    {
        for (const CFileEntry& entry : FileSystem::ListFolder(Project().ProjectFolder)) {
            if (entry.name[0] == '~')
                return true;
        }
        return false;
    }

    CRecordingHost m_host;
};

TEST_F(CompileAllTest, SuccessfulRunWritesEveryFileAndStoresTheImageCrcAsSignature)
{
    CScopedLimits limits(16, 16);
    AddSubroutine("Fill", 1);
    auto* symbol = new CZULSymbol;
    symbol->name = "Start";
    symbol->address = "%I0.0";
    symbol->dataType = "BOOL";
    Project().AddSymbol(symbol);

    CProjectCompiler compiler(*m_app, m_host);
    ASSERT_TRUE(compiler.CompileAll());

    // MAIN's program first, then the subroutine's, both through their work copies.
    EXPECT_EQ((std::vector<std::string>{"$$$ compiling   : POU \"MAIN\" ...", "$$$ compiling   : POU \"Fill\" ..."}),
              CompiledPrograms());
    EXPECT_EQ("$$$ Compilation successful   :  0 errors, 0 warnings. Total instructions 6 .", LastCompileLine());
    for (const char* name : {"demo.EPL", "demo.COI", "demo.qgv", "demo.obj"})
        EXPECT_TRUE(FileSystem::FileExists(InProject(name))) << name;
    EXPECT_FALSE(WorkCopiesLeft());

    const Bytes image = ReadFileBytes(InProject("demo.obj"));
    const size_t block3 = image[0] | (image[1] << 8);
    size_t covered = 0;
    for (int i = 0; i < 4; ++i)
        covered += image[6 + 2 * i] | (image[7 + 2 * i] << 8);
    const WORD crc = CRC16Modbus(image.data() + block3, static_cast<DWORD>(covered));
    EXPECT_EQ(crc, Project().ProjectSignature);
    EXPECT_EQ(LOBYTE(crc), image[block3 - 2]);
    EXPECT_EQ(HIBYTE(crc), image[block3 - 1]);
    EXPECT_EQ(2u, Project().MonitorAddressLists[0].size()); // %I0.0 and %Q0.0
    EXPECT_EQ(1, Project().CompileResult);
    EXPECT_EQ(1, Project().ImageResult);
    EXPECT_EQ((std::vector<std::string>{"end edit", "output", "wait", "save", "scroll", "xref", "end wait"}),
              m_host.calls);
}

// The work copies and the copy of the global variables are read by the
// compiler, yet none of them lies in the project folder while it runs.
TEST_F(CompileAllTest, WorkCopiesStayOutOfTheProjectFolderWhileTheCompilerReadsThem)
{
    CScopedLimits limits(16, 16);
    AddSubroutine("Fill", 1);
    auto* symbol = new CZULSymbol;
    symbol->name = "Start";
    symbol->address = "%I0.0";
    symbol->dataType = "BOOL";
    Project().AddSymbol(symbol);
    WritePou("MAIN_MAIN", "(* Network 0 *)\r\nLD Start\r\nST %Q0.0\r\n");
    m_host.watchedFolder = Project().ProjectFolder;

    CProjectCompiler compiler(*m_app, m_host);
    ASSERT_TRUE(compiler.CompileAll());

    EXPECT_EQ((std::vector<std::string>{"$$$ compiling   : POU \"MAIN\" ...", "$$$ compiling   : POU \"Fill\" ..."}),
              CompiledPrograms());
    ASSERT_FALSE(m_host.namesWhileCompiled.empty());
    for (const std::string& name : m_host.namesWhileCompiled) {
        EXPECT_NE(name[0], '~') << name;
        EXPECT_NE(ByteString::Upper(GetFileExtension(name)), "CGV") << name;
    }
}

// A program that gets no work copy (here an empty file) is reported, even
// when an interrupted earlier run left a work copy of its name behind.
TEST_F(CompileAllTest, ProgramWithoutWorkCopyIsReportedNotTakenFromAnEarlierRun)
{
    CScopedLimits limits(16, 16);
    AddSubroutine("Fill", 1);
    WriteFileText(InProject("SBR01_Fill.ilp"), "");
    WriteFileText(InProject("~SBR01_Fill.ilp"), std::string("(*1*)\r\n") + kProgram);

    CProjectCompiler compiler(*m_app, m_host);
    EXPECT_FALSE(compiler.CompileAll());

    const std::vector<std::string> lines = m_ui.output.Lines(1);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.find("File open failed.") != std::string::npos; }));
    EXPECT_TRUE(ByteString::StartsWith(LastCompileLine(), "$$$ Compilation failed   : ")) << LastCompileLine();
    EXPECT_FALSE(WorkCopiesLeft());
}

TEST_F(CompileAllTest, FailedCompilationLeavesNoImageAndNoWorkCopies)
{
    CScopedLimits limits(16, 16);
    AddSubroutine("Fill", 1);
    WritePou("SBR01_Fill", "LD %I0.0\r\nNOSUCH %Q0.0\r\n");

    CProjectCompiler compiler(*m_app, m_host);
    EXPECT_FALSE(compiler.CompileAll());

    EXPECT_EQ(0, Project().CompileResult);
    EXPECT_FALSE(FileSystem::FileExists(InProject("demo.obj")));
    EXPECT_FALSE(FileSystem::FileExists(InProject("demo.EPL")));
    EXPECT_TRUE(ByteString::StartsWith(LastCompileLine(), "$$$ Compilation failed   : ")) << LastCompileLine();
    EXPECT_FALSE(WorkCopiesLeft());
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(CompileAllTest, AnObjectFileThatCannotBeSavedIsReportedAndFailsTheRun)
{
    CScopedLimits limits(16, 16);
    // A folder where the object file goes: the save cannot replace it.
    ASSERT_TRUE(FileSystem::CreateFolder(InProject("demo.obj")));

    CProjectCompiler compiler(*m_app, m_host);
    EXPECT_FALSE(compiler.CompileAll());

    EXPECT_EQ(0, Project().CompileResult);
    EXPECT_EQ(std::vector<std::string>{"An unpredictable error occured while creating the object file, \r\nMaybe "
                                       "because the version of OrvelBuilder does not match that of the connected "
                                       "CPU's firmware."},
              m_ui.box.Texts());
    EXPECT_TRUE(FileSystem::FolderExists(InProject("demo.obj")));
}

TEST_F(CompileAllTest, RunsThatStopEarlyNeitherCompileNorKeepAnEarlierResult)
{
    CScopedLimits limits(16, 16);
    CProjectCompiler compiler(*m_app, m_host);
    ASSERT_TRUE(compiler.CompileAll());

    m_host.saveResult = FALSE;
    m_host.calls.clear();
    EXPECT_FALSE(compiler.CompileAll());
    EXPECT_EQ(0, Project().CompileResult);
    EXPECT_EQ((std::vector<std::string>{"end edit", "output", "wait", "save", "end wait"}), m_host.calls);

    m_host.saveResult = TRUE;
    Project().MainPresent = 0;
    EXPECT_EQ(COMPILE_ALL_STOPPED, Run());
    EXPECT_EQ(std::vector<std::string>{"$$$ compilation aborted due to missing 'MAIN' program."},
              m_ui.output.Lines(1));
}

TEST_F(CompileAllTest, IncompleteFileListIsReportedAndStillCompiled)
{
    CScopedLimits limits(16, 16);
    Project().MainNode.language = POU_LANGUAGE_UNKNOWN;

    EXPECT_EQ(COMPILE_ALL_RAN, Run());
    EXPECT_EQ(std::vector<std::string>{"Failed to creat the list of the files to be compiled."}, m_ui.box.Texts());
    // Only the project file reached the list: nothing to compile, yet the compiler ran.
    EXPECT_TRUE(CompiledPrograms().empty());
    EXPECT_TRUE(ByteString::StartsWith(LastCompileLine(), "$$$ Compilation failed   : "));
}

TEST_F(CompileAllTest, MissingHardwareIsReportedInTheCompileList)
{
    Project().Modules.clear();

    EXPECT_EQ(COMPILE_ALL_STOPPED, Run());
    EXPECT_EQ(std::vector<std::string>{"$$$ compilation aborted due to missing hardware configuration."},
              m_ui.output.Lines(1));
    EXPECT_FALSE(FileSystem::FileExists(InProject("demo.COI")));
}

TEST_F(CompileAllTest, SubroutineNumberOutOfRangeStopsWithAReasonInTheCompileList)
{
    CScopedLimits limits(16, 16);
    AddSubroutine("Last", 99);

    EXPECT_EQ(COMPILE_ALL_NUMBER_OUT_OF_RANGE, Run());
    EXPECT_EQ(std::vector<std::string>{"$$$ compilation aborted due to a POU number out of range: " +
                                       ByteString::Upper(InProject("SBR99_Last.ilp"))},
              m_ui.output.Lines(1));
    EXPECT_FALSE(FileSystem::FileExists(InProject("demo.COI")));
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(CompileAllTest, TooManySubroutinesShowTheLimitAndCompileNothing)
{
    CScopedLimits limits(1, 16);
    AddSubroutine("One", 1);
    AddSubroutine("Two", 2);

    EXPECT_EQ(COMPILE_ALL_STOPPED, Run());
    EXPECT_EQ(std::vector<std::string>{"Compilation aborted because the number of subroutines reaches the upper "
                                       "limit.\r\nThe current CPU supports 1 subroutines at most."},
              m_ui.box.Texts());
    EXPECT_FALSE(FileSystem::FileExists(InProject("demo.COI")));
}

TEST_F(CompileAllTest, SubTypeFollowsTheFamilyUnlessDownloadSetIt)
{
    CScopedLimits limits(16, 16);
    CCompileAll command(*m_app, m_host);
    UseFamily(VB14EX, 3);
    command.OnCompileAll();
    EXPECT_EQ(PROFILE_SUBTYPE_VB16, m_app->ProfileSubType);
    EXPECT_EQ(1, Project().ImageResult);

    UseFamily(VB14EX, 3);
    m_app->CompilingForDownload = 1;
    command.OnCompileAll();
    EXPECT_EQ(PROFILE_SUBTYPE_VB, m_app->ProfileSubType);
    EXPECT_EQ(0, Project().ImageResult);
    EXPECT_EQ(std::vector<std::string>{"An unpredictable error occured while creating the object file, \r\nMaybe "
                                       "because the version of OrvelBuilder does not match that of the connected "
                                       "CPU's firmware."},
              m_ui.box.Texts());
}

TEST_F(CompileAllTest, SubTypesOfTheFamilies)
{
    struct Row {
        DWORD family;
        BOOL known;
        BYTE subType;
    };
    const Row rows[] = {
        {CPU_FAMILY_VA10, TRUE, 0},   {CPU_FAMILY_VB12, TRUE, 3},  {CPU_FAMILY_VB14, TRUE, 3},
        {CPU_FAMILY_NONE8, TRUE, 3},  {CPU_FAMILY_VB16, TRUE, 1},  {CPU_FAMILY_VB14EX, TRUE, 1},
        {CPU_FAMILY_VC14, TRUE, 2},   {CPU_FAMILY_VC16, TRUE, 2},  {0, FALSE, 7},
    };
    for (const Row& row : rows) {
        BYTE subType = 7;
        EXPECT_EQ(row.known, CCompileAll::SubTypeOfFamily(row.family, subType)) << row.family;
        EXPECT_EQ(row.subType, subType) << row.family;
    }
}

} // namespace
