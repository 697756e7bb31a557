// Speed of the whole Compile All command (global-variable file, work copies,
// compiler, download image and ".obj" file) on the largest legal project:
// MAIN calling 99 subroutines, 64 interrupt routines and close to the
// instruction limit of the family in all, with and without 2,048 global
// symbols. The project lives in the benchmark's own temporary folder.
// Beside it the floor: reading every source file of the same project.

#include "plclink/CCompileAll.h"
#include "plclink/ICompileAllHost.h"

#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "model/LanguageLibrary.h"
#include "model/POULanguageTable.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"
#include "platform/FileSystem.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kVC16FamilyIndex = 7;
constexpr BYTE kVC16CpuCode = 51;
constexpr int kAssignmentsPerPOU = 11;
constexpr int kGlobalSymbolCount = 2048;
constexpr int kWordBytes = 2;

// The window side of a run: nothing to show, everything saved.
class CQuietHost : public ICompileAllHost {
public:
    void EndPendingEdit() override {}
    void ShowOutputPane() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    BOOL SaveAllProjectFiles() override { return TRUE; }
    void ScrollCompileListToEnd() override {}
    void RefreshCrossReference(int, int) override {}
};

// The Output pane and the message boxes, counted instead of shown.
class CQuietOutput : public IOutputSink {
public:
    BOOL AppendOutputLine(unsigned, const std::string&) override
    {
        ++lines;
        return TRUE;
    }
    void ClearOutputList(unsigned) override {}
    void LogStatusMessage(int, int, int) override {}

    int lines = 0;
};

class CQuietMessageBox : public IMessageBox {
public:
    int Show(const std::string&, const std::string&, UINT) override
    {
        ++shown;
        return IDOK;
    }

    int shown = 0;
};

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string Assignments()
{
    std::string body;
    for (int i = 0; i < kAssignmentsPerPOU; ++i)
        body += "LD %I0.0\r\nST %Q0.0\r\n";
    return body;
}

void WritePOU(const std::string& folder, const std::string& stem, const std::string& body)
{
    WriteText(folder + "/" + stem + ".ilp", "(*1*)\r\n(* Network 0 *)\r\n" + body);
    WriteText(folder + "/" + stem + ".ilv", "VAR\r\nEND_VAR\r\n");
}

void AddNode(CZULProject& project, int kind, int number, const std::string& name)
{
    auto* node = new CProjTreeNode;
    node->kind = kind;
    node->name = name;
    node->number = number;
    node->language = POU_LANGUAGE_IL;
    if (kind == NODE_SUBROUTINE)
        project.POUs.AddSubroutineNode(node);
    else
        project.POUs.AddInterruptNode(node);
}

// The project "Big" beside its folder: a VC16 CPU, MAIN, every subroutine
// and interrupt routine the family allows, and the global symbols asked for.
void BuildProject(CZULAppData& app, const std::string& root, int symbols)
{
    CZULProject& project = app.Project;
    project.CPUFamilyIndex = kVC16FamilyIndex;
    app.LoadAreaTable();
    app.ApplyFamilyProfile();
    project.ProjectName = "Big";
    project.ProjectPath = root + "/Big.qpj";
    project.ProjectFolder = root + "/Big";
    FileSystem::CreateFolder(project.ProjectFolder);
    WriteText(project.ProjectPath, "project");

    auto* cpu = new CZUL_Q7_PLC;
    cpu->InitFromCatalog(*FindCatalogRowByCode(kVC16CpuCode));
    project.Modules.emplace_back(cpu);

    std::string mainBody = Assignments();
    for (int n = 0; n < MaxSubroutineCount; ++n) {
        const std::string name = ByteString::Format("Sub%d", n);
        mainBody += ByteString::Format("CAL SBR%02d\r\n", n);
        AddNode(project, NODE_SUBROUTINE, n, name);
        WritePOU(project.ProjectFolder, ByteString::Format("SBR%02d_%s", n, name.c_str()), Assignments());
    }
    for (int n = 0; n < MaxInterruptCount; ++n) {
        const std::string name = ByteString::Format("Int%d", n);
        AddNode(project, NODE_INTERRUPT, n, name);
        WritePOU(project.ProjectFolder, ByteString::Format("INT%02d_%s", n, name.c_str()), Assignments());
    }
    project.MainPresent = 1;
    project.MainNode.name = "Main";
    project.MainNode.language = POU_LANGUAGE_IL;
    WritePOU(project.ProjectFolder, "MAIN_Main", mainBody);

    for (int n = 0; n < symbols; ++n) {
        auto* symbol = new CZULSymbol;
        symbol->name = ByteString::Format("g_wLevel%04d", n);
        symbol->address = ByteString::Format("%%VW%d", n * kWordBytes);
        symbol->dataType = "INT";
        project.AddSymbol(symbol);
    }
}

// A new folder in the system's temporary folder ($TMPDIR, else /tmp), or
// empty when none can be made.
std::string MakeBenchFolder()
{
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "orvel-bench-XXXXXX").string();
    const char* root = error ? nullptr : ::mkdtemp(pattern.data());
    return root ? std::string(root) : std::string();
}

void BM_CompileAllLargestProject(benchmark::State& state)
{
    const std::string root = MakeBenchFolder();
    if (root.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    CQuietOutput output;
    CQuietMessageBox box;
    CUserInterface::SetOutput(&output);
    CUserInterface::SetMessageBox(&box);
    auto app = std::make_unique<CZULAppData>();
    g_pAppData = app.get();
    BuildProject(*app, root, static_cast<int>(state.range(0)));

    CQuietHost host;
    CCompileAll command(*app, host);
    for (auto _ : state) {
        command.OnCompileAll();
        if (!app->Project.CompileResult || !app->Project.ImageResult || box.shown != 0) {
            state.SkipWithError("the project did not compile");
            break;
        }
    }
    state.counters["symbols"] = static_cast<double>(state.range(0));

    ClearPOULanguageTable();
    g_pAppData = nullptr;
    app.reset();
    CUserInterface::SetOutput(nullptr);
    CUserInterface::SetMessageBox(nullptr);
    FileSystem::DeleteTree(root);
}
BENCHMARK(BM_CompileAllLargestProject)->Arg(0)->Arg(kGlobalSymbolCount)->Unit(benchmark::kMillisecond);

// The floor: the project file and every program and variable file of the
// same project read into memory.
void BM_ReadAllSources(benchmark::State& state)
{
    const std::string root = MakeBenchFolder();
    if (root.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    auto app = std::make_unique<CZULAppData>();
    g_pAppData = app.get();
    BuildProject(*app, root, static_cast<int>(state.range(0)));
    std::vector<std::string> files{app->Project.ProjectPath};
    for (const auto& entry : std::filesystem::directory_iterator(app->Project.ProjectFolder))
        files.push_back(entry.path().string());
    std::vector<BYTE> bytes;
    int64_t total = 0;
    for (auto _ : state) {
        for (const std::string& file : files) {
            if (!FileSystem::ReadFileBytes(file, bytes)) {
                state.SkipWithError("a source was not read");
                break;
            }
            total += int64_t(bytes.size());
        }
    }
    state.SetBytesProcessed(total);
    state.counters["files"] = static_cast<double>(files.size());
    g_pAppData = nullptr;
    app.reset();
    FileSystem::DeleteTree(root);
}
BENCHMARK(BM_ReadAllSources)->Arg(kGlobalSymbolCount)->Unit(benchmark::kMillisecond);

} // namespace
