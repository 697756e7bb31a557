#pragma once
// The monitor thread: reads the monitored values cycle after cycle on the
// port the Monitor command opened, stores each good cycle into the monitor
// items and tells the user-interface thread.
//
// It stops cooperatively: asked to stop, it ends its pauses at once and
// leaves after the exchange under way (bounded by the reply time-out); the
// port is closed only after the join, never under the thread's feet.

#include "platform/WinTypes.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class CMonitorThread {
public:
    // The pause after each notified cycle.
    static constexpr DWORD CyclePauseMs = 150;
    static constexpr int TimeoutRetries = 3;

    // notify posts the monitor-notify call to the user-interface thread.
    explicit CMonitorThread(std::function<void()> notify);
    // Stops and joins a thread that is still there.
    ~CMonitorThread();
    CMonitorThread(const CMonitorThread&) = delete;
    CMonitorThread& operator=(const CMonitorThread&) = delete;

    void Start();
    // Asks the thread to leave: its pauses end at once and it stops after
    // the exchange under way, as it does when the monitoring flag is cleared.
    void RequestStop();
    // Asks the thread to leave, waits up to boundMs for MonitorEndEvent,
    // then joins it; FALSE when the event did not come in that time (the
    // join then waits for the thread's bounded exchange to end).
    BOOL Finish(DWORD boundMs);
    BOOL IsRunning() const { return m_thread.joinable(); }
    // What the thread returned: 0 switched off, else the code that ended it.
    UINT ExitCode() const { return m_exitCode.load(); }

    // Stores the data of one cycle into the monitor items in list order:
    // bytes, words, timers and counters (status byte and value), double
    // words. FALSE, storing nothing, when the data is shorter than the lists
    // need. The caller holds MonitorValueLock.
    static BOOL StoreCycleValues(const std::vector<BYTE>& data);

private:
    UINT MonitorThreadProc();
    UINT EndOnFailure(int code);
    // Waits up to ms, less when asked to stop.
    void PauseFor(DWORD ms);
    bool StopRequested();

    std::function<void()> m_notify;
    std::thread m_thread;
    std::atomic<UINT> m_exitCode {0};
    std::mutex m_stopGuard;
    std::condition_variable m_stopSignal;
    bool m_stopRequested = false;
    std::vector<BYTE> m_cycle;
};
