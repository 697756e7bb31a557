// Speed of opening a project with 10,000 global symbols: reading the file,
// ordering the symbols and indexing them by name and by address. Beside it
// the floor: reading the same file's bytes.

#include "SymbolProjectFixture.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_OpenProjectWithSymbols(benchmark::State& state)
{
    SymbolProjectFixture fixture;
    if (!fixture.IsReady()) {
        state.SkipWithError("no project");
        return;
    }
    for (auto _ : state) {
        if (!fixture.document.OpenProject(fixture.Path())
            || fixture.Project().OrderedSymbols.size() != size_t(SymbolProjectFixture::kSymbolCount)) {
            state.SkipWithError("the project did not open");
            break;
        }
    }
}
BENCHMARK(BM_OpenProjectWithSymbols)->Unit(benchmark::kMillisecond);

// The floor: the project file's bytes read into memory.
void BM_ReadProjectFileBytes(benchmark::State& state)
{
    SymbolProjectFixture fixture;
    if (!fixture.IsReady()) {
        state.SkipWithError("no project");
        return;
    }
    std::vector<BYTE> bytes;
    for (auto _ : state) {
        if (!FileSystem::ReadFileBytes(fixture.Path(), bytes)) {
            state.SkipWithError("the file was not read");
            break;
        }
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}
BENCHMARK(BM_ReadProjectFileBytes)->Unit(benchmark::kMillisecond);

} // namespace
