// Speed of opening an LD POU of 200 networks: the file read from disk, its
// conversion into networks and the first undo snapshot, as the POU document
// opens it.

#include "ladder/CLDProgram.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CArchive.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

constexpr int kVB16FamilyIndex = 2;

// Networks with series and parallel contacts, a bracket, a box and a coil
// chain, written as the LD editor writes them.
std::string MakeFileText(CZULAppData& app)
{
    std::vector<std::string> lines;
    for (int n = 0; n < LD_MAX_NETWORKS; ++n) {
        lines.push_back(ByteString::Format("(* Network %d *)", n));
        lines.push_back(ByteString::Format("LD    %%I%d.%d", n % 8, n % 8));
        lines.push_back("OR    %M0.0");
        lines.push_back("AND(");
        lines.push_back("LD    %I0.1");
        lines.push_back("OR    %I0.2");
        lines.push_back(")");
        lines.push_back(ByteString::Format("MOVE    %%MW%d, %%MW%d", 2 * n, 2 * n + 400));
        lines.push_back(ByteString::Format("ST   %%Q%d.%d", n % 8, n % 8));
        lines.push_back("S    %Q1.0");
    }
    CLDProgram program(app, nullptr);
    program.LoadFromIL(lines);
    CArchive ar;
    program.Serialize(ar, TRUE);
    return std::string(ar.GetBuffer().begin(), ar.GetBuffer().end());
}

class OpenLadderPOU : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_app->Project.CPUFamilyIndex = kVB16FamilyIndex;
        m_app->LoadAreaTable();
        m_app->ApplyFamilyProfile();
        m_app->BuildInstructionCatalog();
        char folder[] = "/tmp/ladder_openXXXXXX";
        m_folder = mkdtemp(folder) ? folder : "/tmp";
        m_path = m_folder + "/MAIN_MAIN.ilp";
        const std::string text = MakeFileText(*m_app);
        CArchive ar;
        ar.Write(text.data(), text.size());
        ar.SaveToFile(m_path);
    }
    void TearDown(const benchmark::State&) override
    {
        std::remove(m_path.c_str());
        rmdir(m_folder.c_str());
        g_pAppData = nullptr;
        m_app.reset();
    }

protected:
    std::unique_ptr<CZULAppData> m_app;
    std::string m_folder;
    std::string m_path;
};

BENCHMARK_F(OpenLadderPOU, FileConversionAndFirstSnapshot)(benchmark::State& state)
{
    for (auto _ : state) {
        CArchive ar = CArchive::FromFile(m_path);
        CLDProgram program(*m_app, nullptr);
        program.Serialize(ar, TRUE);
        program.OnOpened(m_path);
        if (program.GetNetworkCount() != LD_MAX_NETWORKS)
            state.SkipWithError("the networks were not converted");
        benchmark::DoNotOptimize(program.GetUndoCount());
    }
}

} // namespace
