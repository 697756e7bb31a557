// Speed of the IL line check on a long program: the full check that
// structural edits run, the 70-line window that editing keys run, and the
// normalisation of a typed line.

#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "pouedit/CILEditor.h"
#include "pouedit/CILProgram.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kVB16FamilyIndex = 2;
constexpr int kNetworks = 500;

// A program of networks that each load, combine in brackets, jump and start a timer.
std::unique_ptr<CILProgram> MakeProgram(CZULAppData& app)
{
    auto program = std::make_unique<CILProgram>(app, nullptr);
    std::vector<std::string>& lines = program->GetLines();
    lines.clear();
    for (int n = 0; n < kNetworks; ++n) {
        lines.push_back(ByteString::Format("(* Network %d *)", n));
        lines.push_back(ByteString::Format("L%d:", n));
        lines.push_back("LD      %I0.0");
        lines.push_back("AND(");
        lines.push_back("LD      %I0.1");
        lines.push_back("OR      %M0.0");
        lines.push_back(")");
        lines.push_back(ByteString::Format("JMPC    L%d", n));
        lines.push_back("MOVE    %VW0, %VW2    (* copy *)");
    }
    return program;
}

class LineCheck : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_app->Project.CPUFamilyIndex = kVB16FamilyIndex;
        m_app->LoadAreaTable();
        m_app->ApplyFamilyProfile();
        m_program = MakeProgram(*m_app);
    }
    void TearDown(const benchmark::State&) override
    {
        m_program.reset();
        g_pAppData = nullptr;
        m_app.reset();
    }

protected:
    std::unique_ptr<CZULAppData> m_app;
    std::unique_ptr<CILProgram> m_program;
};

BENCHMARK_F(LineCheck, AllLines)(benchmark::State& state)
{
    for (auto _ : state)
        m_program->GetILEditor().CheckLines(TRUE, 0);
    state.SetItemsProcessed(state.iterations() * m_program->GetLineCount());
}

BENCHMARK_F(LineCheck, WindowFarDown)(benchmark::State& state)
{
    const int first = m_program->GetLineCount() - 100;
    for (auto _ : state)
        m_program->GetILEditor().CheckLines(FALSE, first);
}

BENCHMARK_F(LineCheck, NormaliseTypedLine)(benchmark::State& state)
{
    for (auto _ : state) {
        std::string line = "move vw0,vw2 (* copy it *)";
        m_program->GetILEditor().NormaliseLine(line);
        benchmark::DoNotOptimize(line);
    }
}

} // namespace
