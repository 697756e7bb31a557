#pragma once
// The hardware window as the main frame sees it: its configuration must
// pass the consistency check before the project is saved.

#include "platform/WinTypes.h"

class IHardwareWindow {
public:
    virtual ~IHardwareWindow() = default;
    // FALSE after the check showed why the configuration cannot be stored.
    virtual BOOL CheckHardwareConfig() = 0;
};
