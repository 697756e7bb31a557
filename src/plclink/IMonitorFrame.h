#pragma once
// What switching monitoring on and off needs of the main window: closing the
// Find/Replace dialog and refreshing the live values of the active child.

#include "platform/WinTypes.h"

class IMonitorFrame {
public:
    virtual ~IMonitorFrame() = default;
    // Closes the open Find/Replace dialog through its cancel operation.
    virtual void CloseFindReplaceDialog() = 0;
    // Refreshes the active POU editor (its live values while monitoring, none
    // otherwise) or repaints the status chart without erasing.
    virtual void RefreshMonitorDisplay(BOOL monitoring) = 0;
};
