// Speed of opening a project with 10,000 global symbols: reading the file,
// ordering the symbols and indexing them by name and by address.

#include "model/CModuleCatalogEntry.h"
#include "model/CProjTreeDOC.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "model/CZUL_Q7_PLC.h"
#include "platform/ByteString.h"
#include "platform/FileSystem.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kSymbolCount = 10000;
constexpr BYTE kVC16CpuCode = 51;
constexpr int kWordBytes = 2;

void BM_OpenProjectWithSymbols(benchmark::State& state)
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
    auto* cpu = new CZUL_Q7_PLC;
    cpu->InitFromCatalog(*FindCatalogRowByCode(kVC16CpuCode));
    project.Modules.emplace_back(cpu);
    for (int n = 0; n < kSymbolCount; ++n) {
        auto* symbol = new CZULSymbol;
        symbol->name = ByteString::Format("g_wLevel%05d", n);
        symbol->address = ByteString::Format("%%VW%d", n * kWordBytes);
        symbol->dataType = "INT";
        project.AddSymbol(symbol);
    }
    if (!document.OnSaveDocument(path)) {
        state.SkipWithError("the project was not saved");
        return;
    }

    for (auto _ : state) {
        if (!document.OpenProject(path) || project.OrderedSymbols.size() != size_t(kSymbolCount)) {
            state.SkipWithError("the project did not open");
            break;
        }
    }

    g_pAppData = nullptr;
    app.reset();
    FileSystem::DeleteTree(root);
}
BENCHMARK(BM_OpenProjectWithSymbols)->Unit(benchmark::kMillisecond);

} // namespace
