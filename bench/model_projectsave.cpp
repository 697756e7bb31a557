// Speed of saving a project with 10,000 global symbols: the project body
// stored into bytes and written durably in place of the old file. Beside it
// the floor: a durable write of the same bytes (temporary file beside the
// target, fsync, rename).

#include "SymbolProjectFixture.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr mode_t kFileMode = 0644;

void BM_SaveProjectWithSymbols(benchmark::State& state)
{
    // The project as a person saves it: opened from its file, then saved.
    SymbolProjectFixture fixture;
    if (!fixture.IsReady() || !fixture.document.OpenProject(fixture.Path())) {
        state.SkipWithError("no project");
        return;
    }
    for (auto _ : state) {
        if (!fixture.document.OnSaveDocument(fixture.Path())) {
            state.SkipWithError("the project was not saved");
            break;
        }
    }
}
BENCHMARK(BM_SaveProjectWithSymbols)->Unit(benchmark::kMillisecond);

bool DurableWrite(const std::string& path, const std::vector<BYTE>& bytes)
{
    const std::string temp = path + ".floor";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kFileMode);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written && ::rename(temp.c_str(), path.c_str()) == 0;
}

// The floor: the saved file's bytes written durably in its place.
void BM_DurableWriteOfSameBytes(benchmark::State& state)
{
    SymbolProjectFixture fixture;
    std::vector<BYTE> bytes;
    if (!fixture.IsReady() || !FileSystem::ReadFileBytes(fixture.Path(), bytes)) {
        state.SkipWithError("no project");
        return;
    }
    for (auto _ : state) {
        if (!DurableWrite(fixture.Path(), bytes)) {
            state.SkipWithError("the bytes were not written");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bytes.size()));
}
BENCHMARK(BM_DurableWriteOfSameBytes)->Unit(benchmark::kMillisecond);

} // namespace
