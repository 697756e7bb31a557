// The status chart's Current Value column against the monitor thread of a
// simulated PLC: the chart reads the monitored values only while it holds
// the value lock that the thread stores them under.

#include "MonitorFixture.h"

#include "shell/CStatusChartTable.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Col = CStatusChartTable::Column;

class StatusChartMonitorTest : public MonitorFixture {
public:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        // %VD100 is read from the four byte items %VB100 to %VB103.
        AddItems({"%VB102", "%VB103"});
        ServeProjectLists();
        chart = std::make_unique<CStatusChartTable>(*app);
        chart->SetRowCount(CStatusChartTable::MIN_ROWS);
        chart->SaveCellData(Col::COL_ADDRESS, 0, "%VD100");
        chart->SaveCellData(Col::COL_FORMAT, 0, "Hexadecimal");
    }
    void TearDown() override
    {
        if (app->Monitoring.load() != 0) {
            command->ToggleMonitor();
            RunUntilMonitoringEnds();
        }
        chart.reset();
        MonitorFixture::TearDown();
    }

    std::string CurrentValue(BYTE* mark = nullptr)
    {
        std::string text;
        BYTE shown = 0;
        chart->GetCellText(Col::COL_CURRENT, 0, text, shown);
        if (mark)
            *mark = shown;
        return text;
    }

    // Runs monitor cycles until the chart shows the text.
    bool ShowsAfterSomeCycles(const std::string& text)
    {
        for (int cycle = 0; cycle < 50; ++cycle) {
            if (CurrentValue() == text)
                return true;
            NextCycle();
        }
        return false;
    }

    std::unique_ptr<CStatusChartTable> chart;
};

} // namespace

TEST_F(StatusChartMonitorTest, CurrentValueIsReadOnlyUnderTheMonitorValueLock)
{
    sim.SetMemory(CodeOf("%VB100"), {0x78, 0x56, 0x34, 0x12});
    StartMonitoring();
    ASSERT_TRUE(ShowsAfterSomeCycles("DW#16#12345678")) << CurrentValue();
    app->Project.ForceMap.emplace("%VD100", std::make_unique<CForceEntry>("%VD100", 0, OT_DWORD | OT_FORCEABLE, 1));

    {
        // While the values are being stored the chart shows none, but keeps the forced mark.
        CLockHeldElsewhere storing(app->MonitorValueLock);
        BYTE mark = 0;
        EXPECT_EQ(CurrentValue(&mark), " ");
        EXPECT_EQ(mark, 1);
    }
    EXPECT_EQ(CurrentValue(), "DW#16#12345678");
    EXPECT_TRUE(FreeForOthers(app->MonitorValueLock));
}

// The PLC's double word flips between all zeros and all ones from one cycle
// to the next; a chart that read the items while the thread stores a cycle
// could see half of each. Built with -fsanitize=thread this also shows that
// the chart and the monitor thread never touch the values unguarded.
TEST_F(StatusChartMonitorTest, ChartRefreshDuringMonitorCyclesSeesWholeCycles)
{
    constexpr int kCycles = 20;
    const std::string zeros = "DW#16#0";
    const std::string ones = "DW#16#ffffffff";
    sim.SetMemory(CodeOf("%VB100"), {0, 0, 0, 0});
    StartMonitoring();
    std::atomic<bool> stop {false};
    std::thread flipper([&] {
        for (BYTE fill = 0xFF; !stop.load(); fill = BYTE(~fill)) {
            sim.SetMemory(CodeOf("%VB100"), {fill, fill, fill, fill});
            std::this_thread::yield();
        }
    });
    std::vector<std::string> torn;
    int onesSeen = 0;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        poster.RunPosted();
        while (!poster.WaitForPending(1, 0)) {
            const std::string shown = CurrentValue();
            if (shown != zeros && shown != ones)
                torn.push_back(shown);
            onesSeen += shown == ones ? 1 : 0;
        }
    }
    stop = true;
    flipper.join();
    EXPECT_TRUE(torn.empty()) << ::testing::PrintToString(torn);
    EXPECT_GT(onesSeen, 0);
}
