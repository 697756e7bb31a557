#pragma once
// The Monitor command of the Debug menu and the handler of the
// monitor-notify call: switching on checks that the connected PLC suits the
// project and holds exactly the compiled project, then starts the monitor
// thread with the port open and the port lock held; switching off, or a
// failure of the thread, ends monitoring, and the next notify joins the
// thread, resets the events, releases the lock and closes the port. All of
// it runs on the user-interface thread.

#include "CMonitorThread.h"
#include "IMonitorFrame.h"
#include "IProjectCompiler.h"
#include "platform/WinTypes.h"

#include <memory>

class CMonitorCommand {
public:
    static constexpr UINT CommandId = 32806;
    static constexpr UINT WM_MONITOR_NOTIFY = 0x0400 + 101;
    static constexpr DWORD PortLockWaitMs = 1000;
    // Added to the reply time-out: how long the stop waits for the thread's end.
    static constexpr DWORD EndWaitExtraMs = 1000;

    CMonitorCommand(IMonitorFrame& frame, IProjectCompiler& compiler);
    // Ends monitoring that is still on: the thread is joined, the lock
    // released and the port closed.
    ~CMonitorCommand();
    CMonitorCommand(const CMonitorCommand&) = delete;
    CMonitorCommand& operator=(const CMonitorCommand&) = delete;

    void ToggleMonitor();
    // Enabled with an open project while the PID trend display is closed;
    // checked while monitoring.
    void OnUpdateMonitor(BOOL& enabled, BOOL& checked) const;
    // The handler of WM_MONITOR_NOTIFY (both parameters 0); returns 1.
    int OnMonitorNotify();

    // The running monitor thread, or null.
    const CMonitorThread* MonitorThread() const { return m_thread.get(); }

private:
    void SwitchOn();
    // A refused switch-on: monitoring off, notify posted, lock released.
    void Refuse();
    void PostNotify();
    // Joins the thread, resets both events and releases the port lock.
    void EndMonitorThread();

    IMonitorFrame& m_frame;
    IProjectCompiler& m_compiler;
    std::unique_ptr<CMonitorThread> m_thread;
    // Posted calls run only while this command still exists.
    std::shared_ptr<CMonitorCommand*> m_self;
};
