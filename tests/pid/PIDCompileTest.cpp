#include "PIDGeneratorFixture.h"

#include "pid/CPIDGenerator.h"

#include "plclink/CProjectCompiler.h"
#include "plclink/ICompileAllHost.h"

namespace {

constexpr int VB16 = 2;
constexpr BYTE VB16_CPU = 4;

class CSilentCompileHost : public ICompileAllHost {
public:
    void EndPendingEdit() override {}
    void ShowOutputPane() override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    BOOL SaveAllProjectFiles() override { return TRUE; }
    void ScrollCompileListToEnd() override {}
    void RefreshCrossReference(int, int) override {}
};

struct CompileCase {
    int loop;
    int mode;
    int analog;
    const char* call; // MAIN's call: PV, SP, AUTO, TUNE in mode 2, then the output
};

// The regenerated subroutine compiles with the project, and MAIN calls it
// with exactly the parameters its variable file declares.
TEST_F(PIDGeneratorFixture, TheRegeneratedSubroutineCompilesWithTheProject)
{
    const CompileCase cases[] = {
        {0, PID_GENERATE_WIZARD, 1, "CAL SBR90 %VW0, %VW2, %I0.0, %VW4"},
        {3, PID_GENERATE_AUTOTUNE, 0, "CAL SBR93 %VW0, %VW2, %I0.0, %I0.1, %Q0.0"},
    };
    UseFamily(VB16, 1);
    m_app->ApplyVB16Profile();
    AddModule(VB16_CPU);
    Project().MainPresent = 1;
    Project().MainNode.name = "MAIN";
    Project().MainNode.language = POU_LANGUAGE_IL;
    for (const CompileCase& c : cases) {
        WriteFileText(InProject("MAIN_MAIN.ilp"), std::string("(*1*)\r\n(* Network 0 *)\r\nLD    %SM0.0\r\n") + c.call + "\r\n");
        WriteFileText(InProject("MAIN_MAIN.ilv"), "VAR\r\nEND_VAR\r\n");
        AddPIDSubroutine(c.loop);
        m_app->PIDLoops[c.loop].AnalogOutput = c.analog;
        m_app->PIDLoops[c.loop].KP = 2.0f;
        CPIDGenerator generator(*m_app, m_host);
        ASSERT_TRUE(generator.GeneratePIDCode(c.mode));

        CSilentCompileHost host;
        CProjectCompiler compiler(*m_app, host);
        EXPECT_TRUE(compiler.CompileAll()) << c.loop;
        const std::vector<std::string> lines = m_ui.output.Lines(1);
        ASSERT_FALSE(lines.empty());
        std::string all;
        for (const std::string& line : lines)
            all += line + "\n";
        EXPECT_EQ(0u, lines.back().find("$$$ Compilation successful   :  0 errors, 0 warnings.")) << all;
        EXPECT_EQ(1, Project().CompileResult);
        m_ui.output.Clear();
    }
}

} // namespace
