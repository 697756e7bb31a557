#include "PlcCommandFixture.h"

#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "model/LanguageLibrary.h"
#include "model/CModuleCatalogEntry.h"
#include "model/POULanguageTable.h"
#include "plclink/CPlcCommands.h"
#include "plclink/CProjectCompiler.h"
#include "plclink/ICompileAllHost.h"
#include "plclink/PlcProtocol.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"
#include "support/FileBytes.h"

#include <memory>

namespace {

constexpr int kFamilyVB14 = 1;
constexpr BYTE kCpuCode = 2;

// MAIN: a network of LD/AND/ST on a global symbol, a jump over a call of the
// subroutine with an input and an output, and a timer behind the label.
const char kMainProgram[] = "(*1*)\r\n"
                            "(* Network 0 *)\r\n"
                            "LD Start\r\n"
                            "AND %I0.1\r\n"
                            "ST %Q0.0\r\n"
                            "(* Network 1 *)\r\n"
                            "LD %I0.2\r\n"
                            "JMPC L1\r\n"
                            "LD %I0.3\r\n"
                            "CAL SBR00 %I0.4, %Q0.1\r\n"
                            "L1:\r\n"
                            "LD %I0.5\r\n"
                            "TON T37, 100\r\n";
const char kMainVariables[] = "VAR\r\nEND_VAR\r\n";
const char kFillProgram[] = "(*1*)\r\n"
                            "(* Network 0 *)\r\n"
                            "LD IN1\r\n"
                            "ST OUT1\r\n";
const char kFillVariables[] = "VAR_INPUT\r\n"
                              "IN1 AT %L0.0 : BOOL;\r\n"
                              "END_VAR\r\n"
                              "VAR_OUTPUT\r\n"
                              "OUT1 AT %L0.1 : BOOL;\r\n"
                              "END_VAR\r\n";

// The main window as the commands see it: the project opens in "<name>/"
// beside its project file, the way the project document lays it out, and
// closing it empties the project.
class CProjectWindow : public ICompileAllHost, public IPlcCommandHost {
public:
    void EndPendingEdit() override {}
    void ShowOutputPane() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    BOOL SaveAllProjectFiles() override { return TRUE; }
    void ScrollCompileListToEnd() override {}
    void RefreshCrossReference(int, int) override {}

    BOOL ChooseUploadFile(const std::string& initialFolder, const std::string& initialName, std::string& path) override
    {
        path = initialFolder + "/" + initialName;
        return TRUE;
    }
    std::string PreviousProjectFolder() override { return previousFolder; }
    void SetPreviousProjectFolder(const std::string& folder) override { previousFolder = folder; }
    BOOL CheckProjectPathLength(const std::string&) override { return TRUE; }
    BOOL CloseProject() override
    {
        g_pAppData->Project.ClearProject();
        return TRUE;
    }
    BOOL CreateProject(const std::string& path) override
    {
        CZULProject& project = g_pAppData->Project;
        const size_t slash = path.find_last_of('/');
        const size_t dot = path.find_last_of('.');
        project.ProjectPath = path;
        project.ProjectName = path.substr(slash + 1, dot - slash - 1);
        project.ProjectFolder = path.substr(0, slash + 1) + project.ProjectName;
        return FileSystem::CreateFolder(project.ProjectFolder);
    }
    void ShowUploadedProject() override {}

    std::string previousFolder;
};

// A CPU of the VB14 family whose image variant is the family's own, so that
// Download and Compare build the same image.
PlcSimIdentity VB14Identity()
{
    PlcSimIdentity id;
    id.imageVariant = PROFILE_SUBTYPE_VB;
    id.cpuModel = 7;
    id.edition = 1;
    return id;
}

class EndToEndTest : public PlcCommandTest {
protected:
    void SetUp() override
    {
        PlcCommandTest::SetUp();
        sim.SetIdentity(VB14Identity());
        CZULProject& project = Project();
        project.ProjectName = "demo";
        project.ProjectPath = folder / "demo.qpj";
        project.ProjectFolder = folder / "demo";
        ASSERT_TRUE(FileSystem::CreateFolder(project.ProjectFolder));
        project.CPUFamilyIndex = kFamilyVB14;
        g_pAppData->LoadAreaTable();
        auto* cpu = new CZUL_Q7_PLC;
        cpu->InitFromCatalog(*FindCatalogRowByCode(kCpuCode));
        cpu->iStart = 0;
        cpu->iEnd = 1;
        cpu->qStart = 0;
        cpu->qEnd = 1;
        project.Modules.emplace_back(cpu);
        WriteFileText(project.ProjectPath, "project");

        project.MainPresent = 1;
        project.MainNode.name = "MAIN";
        project.MainNode.language = POU_LANGUAGE_IL;
        WriteFileText(InProject("MAIN_MAIN.ilp"), kMainProgram);
        WriteFileText(InProject("MAIN_MAIN.ilv"), kMainVariables);
        auto* fill = new CProjTreeNode;
        fill->kind = NODE_SUBROUTINE;
        fill->name = "Fill";
        fill->number = 0;
        fill->language = POU_LANGUAGE_IL;
        project.POUs.AddSubroutineNode(fill);
        WriteFileText(InProject("SBR00_Fill.ilp"), kFillProgram);
        WriteFileText(InProject("SBR00_Fill.ilv"), kFillVariables);
        auto* start = new CZULSymbol;
        start->name = "Start";
        start->address = "%I0.0";
        start->dataType = "BOOL";
        project.AddSymbol(start);

        projectCompiler = std::make_unique<CProjectCompiler>(*g_pAppData, window);
        commands = std::make_unique<CPlcCommands>(*projectCompiler, dialogs, window);
    }
    void TearDown() override
    {
        commands.reset();
        projectCompiler.reset();
        ClearPOULanguageTable();
        PlcCommandTest::TearDown();
    }

    CZULProject& Project() { return g_pAppData->Project; }
    std::string InProject(const std::string& name) { return Project().ProjectFolder + "/" + name; }

    std::string LastCompileLine() const
    {
        const std::vector<std::string> lines = ui.output.Lines(1);
        return lines.empty() ? std::string() : lines.back();
    }

    void Download()
    {
        commands->OnPlcDownload();
        ASSERT_EQ(dialogs.downloadResult, PLC_OK);
        ASSERT_TRUE(ui.box.Texts().empty()) << ui.box.Texts().front();
    }

    CProjectWindow window;
    std::unique_ptr<CProjectCompiler> projectCompiler;
    std::unique_ptr<CPlcCommands> commands;
};

TEST_F(EndToEndTest, CompileAllTurnsTheProjectIntoObjectCodeMessagesGlobalsAndImage)
{
    ASSERT_TRUE(projectCompiler->CompileAll()) << LastCompileLine();

    EXPECT_EQ(LastCompileLine(), "$$$ Compilation successful   :  0 errors, 0 warnings. Total instructions 22 .");
    for (const char* name : {"demo.EPL", "demo.COI", "demo.qgv", "demo.obj"})
        EXPECT_TRUE(FileSystem::FileExists(InProject(name))) << name;
}

TEST_F(EndToEndTest, TheDownloadedProjectComparesEqual)
{
    Download();
    std::vector<BYTE> image = ReadFileBytes(InProject("demo.obj"));
    image.insert(image.end(), 3, 0);
    EXPECT_EQ(sim.Image(), image);

    commands->OnPlcCompare();
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"The current project is the same as that in the PLC."});
}

TEST_F(EndToEndTest, TheUploadedProjectCompilesToTheSameSignature)
{
    Download();
    const WORD signature = Project().ProjectSignature;
    window.previousFolder = folder / "uploads";
    ASSERT_TRUE(FileSystem::CreateFolder(window.previousFolder));

    commands->OnPlcUpload();
    ASSERT_TRUE(ui.box.Texts().empty()) << ui.box.Texts().front();
    ASSERT_NE(Project().ProjectName, "demo");
    for (const char* name : {"MAIN_MAIN.ilp", "MAIN_MAIN.ilv", "SBR00_SBR_0.ilp", "SBR00_SBR_0.ilv"})
        EXPECT_TRUE(FileSystem::FileExists(InProject(name))) << name;

    // The rebuilt IL files compile again into the image that the PLC holds.
    ASSERT_TRUE(projectCompiler->CompileAll()) << LastCompileLine();
    EXPECT_EQ(LastCompileLine(), "$$$ Compilation successful   :  0 errors, 0 warnings. Total instructions 22 .");
    EXPECT_EQ(Project().ProjectSignature, signature);
    commands->OnPlcCompare();
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"The current project is the same as that in the PLC."});
}

} // namespace
