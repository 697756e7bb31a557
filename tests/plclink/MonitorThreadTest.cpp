#include "MonitorFixture.h"

#include "model/CpuProfile.h"
#include "platform/Tick.h"

#include <atomic>

namespace {

// The monitor thread alone on the open port, as the Monitor command leaves it.
class MonitorThreadTest : public MonitorFixture {
public:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        sim.SetMemory(CodeOf("%VB100"), {0x5A});
        ASSERT_TRUE(g_PlcCommPort.Open());
    }

    std::unique_ptr<CMonitorThread> StartThread()
    {
        app->Monitoring = 1;
        auto thread = std::make_unique<CMonitorThread>([this] { poster.Post([] {}); });
        thread->Start();
        return thread;
    }

    // Switches off as the notify handler does; the time it took in ms.
    DWORD SwitchOff(CMonitorThread& thread)
    {
        DWORD start = GetTickCount();
        app->Monitoring = 0;
        EXPECT_TRUE(thread.Finish(static_cast<DWORD>(ReplyTimeout) + CMonitorCommand::EndWaitExtraMs));
        return GetTickCount() - start;
    }
};

TEST_F(MonitorThreadTest, StartingAndStoppingManyTimesEndsEveryThreadCleanly)
{
    for (int round = 0; round < 24; ++round) {
        std::unique_ptr<CMonitorThread> thread = StartThread();
        // Stop at once, after a good cycle, or while the thread pauses between cycles.
        if (round % 3 != 0) {
            ASSERT_TRUE(poster.WaitForPending(1, kWaitMs)) << round;
        }
        if (round % 3 == 2)
            poster.RunPosted();
        SwitchOff(*thread);
        EXPECT_FALSE(thread->IsRunning());
        EXPECT_EQ(thread->ExitCode(), 0u) << round;
        EXPECT_TRUE(FreeForOthers(app->MonitorValueLock));
        poster.RunPosted();
        app->MonitorRoundEvent->ResetEvent();
        app->MonitorEndEvent->ResetEvent();
    }
    EXPECT_EQ(Read("%VB100").first, 0x5A);
    EXPECT_TRUE(ui.box.Texts().empty());
}

TEST_F(MonitorThreadTest, SwitchingOffWhileTheThreadWaitsForAReplyEndsItWithinTheBound)
{
    // A PLC that reads the request and never answers.
    CRawPty silentPlc;
    ASSERT_TRUE(silentPlc.IsValid());
    g_PlcCommPort.Close();
    g_PlcCommPort.PortName = silentPlc.SlavePath();
    ASSERT_TRUE(g_PlcCommPort.Open());
    std::unique_ptr<CMonitorThread> thread = StartThread();
    ASSERT_EQ(silentPlc.Read(kWaitMs), WithCrc({1, 'L', 255}));

    DWORD took = SwitchOff(*thread);

    EXPECT_LT(took, static_cast<DWORD>(ReplyTimeout) + CMonitorCommand::EndWaitExtraMs);
    EXPECT_EQ(thread->ExitCode(), 0u);
    EXPECT_EQ(poster.RunPosted(), 0);
    EXPECT_TRUE(ui.box.Texts().empty());
}

TEST_F(MonitorThreadTest, APausedThreadLeavesTheLineAloneUntilThePauseEnds)
{
    std::unique_ptr<CMonitorThread> thread = StartThread();
    // As a force command borrows the port: after a cycle, pause flag, then the line.
    ASSERT_TRUE(app->MonitorRoundEvent->Lock(kWaitMs));
    app->MonitorPause = 1;
    std::unique_lock<std::mutex> line(g_PlcCommPort.LineInUse());
    sim.ClearRequests();
    // Time for two cycles and their pauses, in which no request may go out.
    app->MonitorRoundEvent->Lock(2 * (CMonitorThread::CyclePauseMs + 200));
    EXPECT_TRUE(sim.Requests().empty());

    app->MonitorPause = 0;
    line.unlock();
    app->MonitorRoundEvent->ResetEvent();
    EXPECT_TRUE(app->MonitorRoundEvent->Lock(kWaitMs));
    EXPECT_FALSE(sim.Requests().empty());
    SwitchOff(*thread);
    EXPECT_EQ(thread->ExitCode(), 0u);
}

} // namespace
