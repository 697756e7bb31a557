#include "CEditorMonitorFrame.h"
#include "ILProgramFixture.h"
#include "MonitorFixture.h"

#include "model/CZULSymbol.h"
#include "platform/CRecordingDC.h"
#include "platform/CSystemMetrics.h"

namespace {

std::vector<BYTE> Le(DWORD value, int bytes)
{
    std::vector<BYTE> out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
    return out;
}

// An open IL POU whose editor the Monitor command refreshes through the
// editor frame, with the simulator's memory as the PLC's.
class ILLiveValuesTest : public MonitorFixture {
public:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        app->ApplyFamilyProfile();
        app->Fonts[0] = CSystemMetrics::Instance().GetFixedFont();
        auto* symbol = new CZULSymbol;
        symbol->name = "Lamp";
        symbol->address = "%Q0.0";
        symbol->typeFlags = OT_BOOL;
        app->Project.AddSymbol(symbol);
        app->SymbolicAddressing = 1;
        program = std::make_unique<CILProgram>(*app, &host);
        program->GetLines() = {"(* Network 0 *)", "LD      %V101.1", "MOVE    %VW100, %VW100", "LD      %T13",
                               "ST      %Q0.0"};
        Editor().OnInitialUpdate();
        editorFrame.SetActiveEditor(&Editor());
        command = std::make_unique<CMonitorCommand>(editorFrame, compiler);
        sim.SetMemory(CodeOf("%VB100"), {0x12, 0xFE});
        sim.SetMemory(CodeOf("%QB0"), {0x05});
        sim.SetMemory(CodeOf("%T13"), Le(7, 2));
        sim.SetTimerStatus(CodeOf("%T13"), 0x20);
    }
    void TearDown() override
    {
        command.reset();
        program.reset();
        MonitorFixture::TearDown();
    }

    CILEditor& Editor() { return program->GetILEditor(); }

    // The monitor texts of a paint, one per line that has operands.
    std::vector<std::string> PaintedMonitorTexts()
    {
        CRecordingDC dc(CSize(800, 200));
        Editor().PaintClient(dc);
        std::vector<std::string> texts;
        for (const auto& list : Editor().GetMonitorLists())
            texts.push_back(list->GetText());
        return texts;
    }

    FakePOUHost host;
    std::unique_ptr<CILProgram> program;
    CEditorMonitorFrame editorFrame;
};

TEST_F(ILLiveValuesTest, PaintShowsTheSimulatorsValuesUntilMonitoringEnds)
{
    ASSERT_EQ(program->GetLines()[4], "ST      Lamp");
    StartMonitoring();
    poster.RunPosted();
    ASSERT_GE(editorFrame.refreshes, 1);
    EXPECT_EQ(Editor().GetMonitorColumnWidth(), 300);
    EXPECT_EQ(PaintedMonitorTexts(), (std::vector<std::string> {
                                         "%V101.1:       1;  \t",
                                         "%VW100:    fe12;  \t",
                                         "%T13:       1;  \t",
                                         "Lamp:       1;  \t",
                                     }));

    // The next cycles bring the PLC's new values.
    sim.SetMemory(CodeOf("%QB0"), {0x04});
    for (int cycle = 0; cycle < 10 && Read("%QB0").first != 0x04; ++cycle)
        NextCycle();
    EXPECT_EQ(PaintedMonitorTexts().back(), "Lamp:       0;  \t");

    command->ToggleMonitor();
    poster.RunPosted();
    ExpectMonitoringOff();
    EXPECT_EQ(Editor().GetMonitorColumnWidth(), 0);
    CRecordingDC dc(CSize(800, 200));
    Editor().PaintClient(dc);
    for (const std::string& call : dc.Calls())
        EXPECT_EQ(call.find("fe12"), std::string::npos) << call;
}

} // namespace
