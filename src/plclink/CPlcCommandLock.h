#pragma once
// The port lock of one PLC command or dialog exchange: taken with the
// command's wait, or the user is told that the port is busy; released
// exactly once, at the latest when the holder goes out of scope.

#include "platform/WinTypes.h"

class CPlcCommandLock {
public:
    CPlcCommandLock() = default;
    ~CPlcCommandLock();
    CPlcCommandLock(const CPlcCommandLock&) = delete;
    CPlcCommandLock& operator=(const CPlcCommandLock&) = delete;

    // Waits up to ms for the port lock; FALSE after the busy message.
    BOOL Take(DWORD ms);
    // The same without a message.
    BOOL TakeQuietly(DWORD ms);
    void Release();

private:
    // "Unable to communicate because the communication port is busy now."
    static void ShowBusy();

    BOOL m_held = FALSE;
};
