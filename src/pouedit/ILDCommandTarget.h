#pragma once
// The ladder editor's commands as the POU view forwards them: Block, Coil,
// the contacts, Network, Branch and the deletions, with their update rules.

#include "IPOUCommandUI.h"
#include "platform/WinTypes.h"

class ILDCommandTarget {
public:
    virtual ~ILDCommandTarget() = default;
    virtual void OnLDCommand(UINT id) = 0;
    virtual void OnUpdateLDCommand(UINT id, IPOUCommandUI& ui) = 0;
};
