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

// What the hardware window tells the main frame: while it is the active
// child the HW Catalog pane counts as shown and the Instructions pane not,
// and the other way round when it goes to the back.
class IHardwareWindowHost {
public:
    virtual ~IHardwareWindowHost() = default;
    virtual void OnHardwareWindowActivated(BOOL active) = 0;
};
