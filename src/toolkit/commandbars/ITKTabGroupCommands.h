#pragma once
// What the workspace-actions item of a menu needs of the MDI tab client:
// which of the tab-group commands 9420 to 9423 it can carry out now. The
// tab client implements it.

#include "platform/WinTypes.h"

class ITKTabGroupCommands {
public:
    virtual ~ITKTabGroupCommands() = default;
    virtual BOOL IsGroupCommandEnabled(UINT id) const = 0;
};
