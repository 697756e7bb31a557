// Speed of a whole compilation at the largest sizes the CPU limits allow:
// MAIN calling 99 subroutines, 64 interrupt routines, and close to the
// instruction limit of the family in all.

#include "compiler/CILCompiler.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kVC16FamilyIndex = 7;
constexpr int kAssignmentsPerPOU = 11;

void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// Writes the program, its work copy and its variables; returns the stem.
std::string WritePOU(const std::string& folder, const std::string& stem, const std::string& body)
{
    const std::string program = "(*1*)\r\n(* Network 0 *)\r\n" + body;
    WriteText(folder + "/" + stem + ".ilp", program);
    WriteText(folder + "/~" + stem + ".ilp", program);
    WriteText(folder + "/" + stem + ".ilv", "VAR\r\nEND_VAR\r\n");
    return stem;
}

std::string Assignments()
{
    std::string body;
    for (int i = 0; i < kAssignmentsPerPOU; ++i)
        body += "LD %I0.0\r\nST %Q0.0\r\n";
    return body;
}

// The generated project's file list in compile order.
std::vector<std::string> GenerateProject(const std::string& root)
{
    const std::string folder = root + "/Big";
    FileSystem::CreateFolder(folder);
    std::string mainBody = Assignments();
    for (int n = 0; n < MaxSubroutineCount; ++n)
        mainBody += ByteString::Format("CAL SBR%02d\r\n", n);
    std::vector<std::string> stems{WritePOU(folder, "MAIN_Main", mainBody)};
    for (int n = 0; n < MaxSubroutineCount; ++n)
        stems.push_back(WritePOU(folder, ByteString::Format("SBR%02d_Sub%d", n, n), Assignments()));
    for (int n = 0; n < MaxInterruptCount; ++n)
        stems.push_back(WritePOU(folder, ByteString::Format("INT%02d_Int%d", n, n), Assignments()));
    std::vector<std::string> files{root + "/Big.qpj"};
    for (const std::string& stem : stems)
        files.push_back(folder + "/" + stem + ".ilv");
    for (const std::string& stem : stems)
        files.push_back(folder + "/" + stem + ".ilp");
    return files;
}

void BM_CompileLargestProject(benchmark::State& state)
{
    auto app = std::make_unique<CZULAppData>();
    g_pAppData = app.get();
    app->Project.CPUFamilyIndex = kVC16FamilyIndex;
    app->LoadAreaTable();
    app->ApplyFamilyProfile();
    char pattern[] = "/tmp/orvel-bench-XXXXXX";
    const char* root = ::mkdtemp(pattern);
    if (!root) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::vector<std::string> files = GenerateProject(root);
    for (auto _ : state)
        benchmark::DoNotOptimize(CompileProjectFiles(files));
    state.SetItemsProcessed(state.iterations() * int64_t(files.size()));
    FileSystem::DeleteTree(root);
    g_pAppData = nullptr;
}
BENCHMARK(BM_CompileLargestProject)->Unit(benchmark::kMillisecond);

} // namespace
