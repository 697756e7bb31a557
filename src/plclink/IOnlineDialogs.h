#pragma once
// The modal dialogs that the PLC commands open. The workbench shows its Qt
// dialogs; tests script them. Each dialog does its own exchanges with the
// PLC over the global port.

#include "platform/WinTypes.h"

class IOnlineDialogs {
public:
    virtual ~IOnlineDialogs() = default;
    // PLC Information: the port is open and its receive buffer holds the
    // identification; the PLC run state is in the application data.
    virtual void ShowPlcInfo() = 0;
    // Time of Day Clock: the port is open and holds the clock reply.
    virtual void ShowPlcClock() = 0;
    // Password change of the PLC.
    virtual void ShowPassword() = 0;
    // Enter Password on the open port (it sends the password when one is
    // typed): IDOK or IDCANCEL.
    virtual int EnterPassword() = 0;
    // Download options, progress and result after a compilation for Download.
    virtual void ShowDownload() = 0;
    // Communications settings and station search.
    virtual void ShowCommSettings() = 0;
};
