// Speed of the images a theme needs on every refresh: the faded, shadow and
// grey images of a toolbar's worth of icons, and one scaled copy each.

#include "toolkit/commandbars/images/CTKCommandImages.h"

#include <benchmark/benchmark.h>

namespace {

constexpr UINT kFirstCommand = 100;

void FillStore(CTKCommandImages& store, int icons, BOOL alpha)
{
    CIconImage icon(16, 16, 0xFF336699);
    icon.SetAlpha(alpha);
    for (int i = 0; i < icons; ++i)
        store.SetIcon(icon, kFirstCommand + static_cast<UINT>(i), 16, 16, CTKCommandImages::kNormal, alpha);
}

void BM_GeneratedImages(benchmark::State& state)
{
    CTKCommandImages store;
    const int icons = static_cast<int>(state.range(0));
    FillStore(store, icons, state.range(1) != 0);
    for (auto _ : state) {
        store.RefreshAll();
        for (int i = 0; i < icons; ++i) {
            CTKCommandIcon* icon = store.FindIcon(kFirstCommand + static_cast<UINT>(i), 16);
            benchmark::DoNotOptimize(icon->GetFadedImage().GetIcon().Pixels().data());
            benchmark::DoNotOptimize(icon->GetShadowImage().GetIcon().Pixels().data());
            benchmark::DoNotOptimize(icon->GetDisabledImage().GetIcon().Pixels().data());
        }
    }
    state.SetItemsProcessed(state.iterations() * icons);
}
BENCHMARK(BM_GeneratedImages)->Args({40, 0})->Args({40, 1});

void BM_ScaledCopies(benchmark::State& state)
{
    CTKCommandImages store;
    const int icons = static_cast<int>(state.range(0));
    FillStore(store, icons, FALSE);
    for (auto _ : state) {
        store.RefreshAll();
        for (int i = 0; i < icons; ++i)
            benchmark::DoNotOptimize(store.FindIcon(kFirstCommand + static_cast<UINT>(i), 24));
    }
    state.SetItemsProcessed(state.iterations() * icons);
}
BENCHMARK(BM_ScaledCopies)->Arg(40);

} // namespace
