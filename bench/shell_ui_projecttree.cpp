// Speed of opening the largest project the PLC takes, from Open to the
// filled project tree and the subroutines in the instruction catalogue:
// MAIN, 99 subroutines, 64 interrupt routines, 2048 global symbols and a
// VB16 CPU with a full rack of expansion modules.

#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"
#include "shell/ProjTreeRules.h"
#include "shell/ui/CInsTreeView.h"
#include "shell/ui/CProjTreeView.h"
#include "shell/ui/RegisterShellUiClasses.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kSymbolCount = 2048;
constexpr BYTE kVB16CpuCode = 4;
constexpr int kWordBytes = 2;
// A full rack of expansion modules the catalogue offers.
constexpr BYTE kExpansionCodes[] = {6, 8, 9, 10, 11, 12, 13};
constexpr int kSubroutines = 99;
constexpr int kInterrupts = 64;
constexpr int kTreeWidth = 300;
constexpr int kTreeHeight = 800;

void AddPOU(CZULProject& project, int type)
{
    CNewPOUPlan plan;
    std::string message;
    if (PlanNewPOU(*g_pAppData, type, plan, message) != NEW_POU_OK)
        return;
    RegisterNewPOU(project, plan, 2);
    // Every POU has its program file, as a stored project has.
    FileSystem::SafeSave(FileSystem::JoinPath(project.ProjectFolder, plan.base + ".ilp"), std::string("LD\n"));
}

void BuildLargestProject(CZULProject& project)
{
    auto* cpu = new CZUL_Q7_PLC;
    cpu->InitFromCatalog(*FindCatalogRowByCode(kVB16CpuCode));
    project.Modules.emplace_back(cpu);
    for (BYTE code : kExpansionCodes) {
        auto* module = new CZUL_Q7_PLC;
        module->InitFromCatalog(*FindCatalogRowByCode(code));
        project.Modules.emplace_back(module);
    }
    AddPOU(project, NEW_POU_MAIN);
    for (int n = 0; n < kSubroutines; ++n)
        AddPOU(project, NEW_POU_SUBROUTINE);
    for (int n = 0; n < kInterrupts; ++n)
        AddPOU(project, NEW_POU_INTERRUPT);
    for (int n = 0; n < kSymbolCount; ++n) {
        auto* symbol = new CZULSymbol;
        symbol->name = ByteString::Format("g_wLevel%04d", n);
        symbol->address = ByteString::Format("%%VW%d", n * kWordBytes);
        symbol->dataType = "INT";
        project.AddSymbol(symbol);
    }
}

void BM_OpenLargestProjectToFilledTree(benchmark::State& state)
{
    std::error_code error;
    std::string pattern = (std::filesystem::temp_directory_path(error) / "orvel-bench-XXXXXX").string();
    const char* root = error ? nullptr : ::mkdtemp(pattern.data());
    if (!root) {
        state.SkipWithError("no temporary folder");
        return;
    }
    auto app = std::make_unique<CZULAppData>();
    g_pAppData = app.get();
    CProjTreeDOC document;
    const std::string path = std::string(root) + "/Plant.qpj";
    CZULProject& project = app->Project;
    if (!document.CreateProject(path)) {
        state.SkipWithError("no project");
        return;
    }
    BuildLargestProject(project);
    if (!document.OnSaveDocument(path)) {
        state.SkipWithError("the project was not saved");
        return;
    }
    CProjTreeView tree;
    tree.m_bAutoDelete = FALSE;
    tree.Attach(app.get(), nullptr);
    CInsTreeView catalogue;
    catalogue.m_bAutoDelete = FALSE;
    catalogue.Attach(app.get(), nullptr);
    if (!tree.Create(nullptr, CRect(0, 0, kTreeWidth, kTreeHeight), 1, WS_VISIBLE)
        || !catalogue.Create(nullptr, CRect(0, 0, kTreeWidth, kTreeHeight), 1, WS_VISIBLE)) {
        state.SkipWithError("no windows");
        return;
    }

    const size_t programChildren = 1 + 1 + kSubroutines + kInterrupts;
    for (auto _ : state) {
        tree.ClearProjectTree();
        if (!document.OpenProject(path)) {
            state.SkipWithError("the project did not open");
            break;
        }
        tree.FillProjectTree();
        catalogue.RebuildInstructionTree(TRUE);
        catalogue.AddSubroutines(project.POUs.SubroutineInterfaces);
        QCoreApplication::processEvents();
        size_t shown = 0;
        for (HTREEITEM item = tree.GetTreeCtrl().GetChildItem(tree.GetProgramItem()); item;
             item = tree.GetTreeCtrl().GetNextSiblingItem(item))
            ++shown;
        if (shown != programChildren || project.OrderedSymbols.size() != size_t(kSymbolCount)) {
            state.SkipWithError("the tree is not complete");
            break;
        }
    }

    tree.ClearProjectTree();
    g_pAppData = nullptr;
    app.reset();
    FileSystem::DeleteTree(root);
}
BENCHMARK(BM_OpenLargestProjectToFilledTree)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qtApp(argc, argv);
    std::string error;
    if (!RegisterShellUiClasses(&error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
