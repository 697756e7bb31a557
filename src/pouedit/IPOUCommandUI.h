#pragma once
// The state of one command as an editor's update handler sets it; the POU
// view hands the window layer's command state in through this.

#include "platform/WinTypes.h"

class IPOUCommandUI {
public:
    virtual ~IPOUCommandUI() = default;
    virtual void Enable(BOOL on) = 0;
    virtual void SetCheck(int check) = 0;
};
