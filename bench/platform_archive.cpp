// Speed of the archive format on a project-sized stream of strings and
// integers, stored and loaded again.

#include "platform/CArchive.h"

#include <benchmark/benchmark.h>

namespace {

void StoreRecords(CArchive& ar, int records)
{
    ar.WriteCount(static_cast<DWORD>(records));
    for (int i = 0; i < records; ++i)
        ar << std::string("Symbol_") << static_cast<DWORD>(i) << static_cast<WORD>(i & 0xFFFF) << std::string("comment");
}

void BM_ArchiveStore(benchmark::State& state)
{
    for (auto _ : state) {
        CArchive ar;
        StoreRecords(ar, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(ar.GetBuffer().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ArchiveStore)->Arg(1000)->Arg(100000);

void BM_ArchiveLoad(benchmark::State& state)
{
    CArchive stored;
    StoreRecords(stored, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CArchive ar(stored.GetBuffer());
        const DWORD count = ar.ReadCount();
        std::string name, comment;
        DWORD address = 0;
        WORD word = 0;
        for (DWORD i = 0; i < count; ++i)
            ar >> name >> address >> word >> comment;
        benchmark::DoNotOptimize(address);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ArchiveLoad)->Arg(1000)->Arg(100000);

} // namespace
