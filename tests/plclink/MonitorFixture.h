#pragma once
// Monitoring against the simulator: a fresh application data object with a
// VB14 project whose monitor items cover every monitor class, the global
// port on the simulator's line with short time-outs, a poster whose calls
// the test runs as the user-interface thread would and can wait for, and
// the Monitor command with a recording main window and a scripted Compile All.

#include "LinkTestSupport.h"

#include "CPlcSimulator.h"
#include "model/CZULAppData.h"
#include "model/CZULStatus.h"
#include "model/MonitorItems.h"
#include "model/SharedServices.h"
#include "plclink/CMonitorCommand.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/MonitorLists.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The text ShowCommError shows for a link result.
inline std::string CommErrorText(int result)
{
    std::string caption;
    std::string text;
    UINT icon = 0;
    GetCommErrorText(result, caption, text, icon);
    return text;
}

class CRecordingFrame : public IMonitorFrame {
public:
    void CloseFindReplaceDialog() override
    {
        ++findDialogClosed;
        g_pAppData->Find.DialogMode = 0;
    }
    void RefreshMonitorDisplay(BOOL monitoring) override { refreshes.push_back(monitoring); }

    int findDialogClosed = 0;
    std::vector<BOOL> refreshes;
};

class CScriptedCompiler : public IProjectCompiler {
public:
    BOOL CompileAll() override
    {
        ++calls;
        if (succeeds)
            g_pAppData->Project.ProjectSignature = signature;
        return succeeds ? TRUE : FALSE;
    }

    BOOL succeeds = TRUE;
    WORD signature = 0x4C2B;
    int calls = 0;
};

// Whether another thread can take the lock at once (and gives it back).
inline bool FreeForOthers(CMutex& lock)
{
    return std::async(std::launch::async, [&lock] {
               if (!lock.Lock(0))
                   return false;
               lock.Unlock();
               return true;
           }).get();
}

// Holds a lock on a thread of its own until destroyed, as another command would.
class CLockHeldElsewhere {
public:
    explicit CLockHeldElsewhere(CMutex& lock) : m_lock(lock)
    {
        std::promise<void> taken;
        std::future<void> isTaken = taken.get_future();
        m_holder = std::thread([this, &taken] {
            m_lock.Lock(0);
            taken.set_value();
            m_release.get_future().wait();
            m_lock.Unlock();
        });
        isTaken.wait();
    }
    ~CLockHeldElsewhere()
    {
        m_release.set_value();
        m_holder.join();
    }

private:
    CMutex& m_lock;
    std::promise<void> m_release;
    std::thread m_holder;
};

class MonitorFixture : public ::testing::Test {
public:
    // Generous upper bound of every wait for the monitor thread.
    static constexpr int kWaitMs = 5000;
    static constexpr int kReplyMs = 200;

    void SetUp() override
    {
        CUserInterface::SetPoster(&poster);
        ASSERT_TRUE(sim.Start());
        port = std::make_unique<CScopedGlobalPort>(sim.SlavePath());
        app = std::make_unique<CZULAppData>();
        g_pAppData = app.get();
        app->ProjectOpen = 1;
        app->Project.CPUFamilyIndex = 1;  // VB14, which the simulator's CPU model suits
        app->LoadAreaTable();
        AddItems({"%VB100", "%VB101", "%QB0", "%AIW4", "%T5", "%T13", "%C3", "%HC0"});
        sim.SetSignature(compiler.signature);
        ServeProjectLists();
        command = std::make_unique<CMonitorCommand>(frame, compiler);
    }

    void TearDown() override
    {
        command.reset();
        CUserInterface::SetPoster(nullptr);
        g_pAppData = nullptr;
        app.reset();
    }

    void AddItems(const std::vector<std::string>& keys)
    {
        for (const std::string& key : keys)
            app->Project.Monitor.InsertMonitorEntry(key, new CZULStatus);
        BuildMonitorLists(*app);
    }

    const std::vector<WORD>& List(int index) const { return app->Project.MonitorAddressLists[index]; }

    WORD CodeOf(const std::string& key) const
    {
        WORD code = 0;
        WORD number = 0;
        app->ResolveAddressOffset(key, code, number);
        return code;
    }

    // The simulator answers 'L' with the project's lists.
    void ServeProjectLists() { sim.SetMonitorLists(List(0), List(1), List(2), List(3)); }

    CZULStatus* Item(const std::string& key) const { return app->Project.Monitor.MonitorTable.at(key).get(); }

    // An item's value and status bit as the editors read them: under the value lock.
    std::pair<int, int> Read(const std::string& key)
    {
        EXPECT_TRUE(app->MonitorValueLock.Lock(kWaitMs));
        std::pair<int, int> read {Item(key)->value, Item(key)->statusBit};
        app->MonitorValueLock.Unlock();
        return read;
    }

    // Switches monitoring on and waits for the notify of the first good cycle.
    void StartMonitoring()
    {
        command->ToggleMonitor();
        ASSERT_NE(command->MonitorThread(), nullptr) << (ui.box.Texts().empty() ? "" : ui.box.Texts().back());
        ASSERT_TRUE(poster.WaitForPending(1, kWaitMs));
    }

    // Runs the posted calls until one more good cycle has been notified.
    void NextCycle()
    {
        poster.RunPosted();
        ASSERT_TRUE(poster.WaitForPending(1, kWaitMs));
    }

    // Runs the posted calls, as they come, until monitoring has ended.
    void RunUntilMonitoringEnds()
    {
        for (int round = 0; round < 100; ++round) {
            if (!poster.WaitForPending(1, kWaitMs))
                break;
            poster.RunPosted();
            if (app->Monitoring.load() == 0 && command->MonitorThread() == nullptr)
                return;
        }
        ADD_FAILURE() << "monitoring did not end";
    }

    // Requests of one letter that the simulator received (checksums stripped).
    std::vector<std::vector<BYTE>> RequestsOf(BYTE letter) const
    {
        std::vector<std::vector<BYTE>> frames;
        for (const std::vector<BYTE>& frame : sim.Requests()) {
            if (frame.size() >= 5 && frame[1] == letter)
                frames.emplace_back(frame.begin(), frame.end() - 2);
        }
        return frames;
    }

    std::string LetterSequence() const
    {
        std::string letters;
        for (const std::vector<BYTE>& frame : sim.Requests())
            letters += static_cast<char>(frame[1]);
        return letters;
    }

    // Monitoring is fully off: no thread, flag clear, lock free, port closed, events reset.
    void ExpectMonitoringOff()
    {
        EXPECT_EQ(command->MonitorThread(), nullptr);
        EXPECT_EQ(app->Monitoring.load(), 0);
        EXPECT_EQ(app->MonitorPause.load(), 0);
        EXPECT_TRUE(FreeForOthers(app->PortLock));
        EXPECT_TRUE(FreeForOthers(app->MonitorValueLock));
        EXPECT_FALSE(g_PlcCommPort.IsOpen());
        EXPECT_FALSE(app->MonitorRoundEvent->IsSignalled());
        EXPECT_FALSE(app->MonitorEndEvent->IsSignalled());
    }

    CScopedUi ui;
    CQueuedPoster poster;
    CScopedTimeouts timeouts {kReplyMs, kReplyMs};
    CPlcSimulator sim;
    std::unique_ptr<CScopedGlobalPort> port;
    std::unique_ptr<CZULAppData> app;
    CRecordingFrame frame;
    CScriptedCompiler compiler;
    std::unique_ptr<CMonitorCommand> command;
};
