// Speed of building the application data, as every start of the program
// does, and of putting its CANopen settings back to those of a new project,
// as New, Open and Close do.

#include "model/CZULAppData.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void BM_ConstructAppData(benchmark::State& state)
{
    for (auto _ : state) {
        auto app = std::make_unique<CZULAppData>();
        benchmark::DoNotOptimize(app.get());
    }
}
BENCHMARK(BM_ConstructAppData)->Unit(benchmark::kMicrosecond);

void BM_ResetCanOpenConfig(benchmark::State& state)
{
    auto app = std::make_unique<CZULAppData>();
    for (auto _ : state) {
        app->Project.ResetCanOpenConfig();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ResetCanOpenConfig)->Unit(benchmark::kMicrosecond);

} // namespace
