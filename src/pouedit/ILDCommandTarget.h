#pragma once
// The ladder editor's commands as the POU view forwards them: Block, Coil,
// the contacts, Network, Branch and the deletions, with their update rules.

#include "IPOUCommandUI.h"
#include "platform/WinTypes.h"

// The LD menu's commands.
constexpr UINT ID_LD_NETWORK = 32814;
constexpr UINT ID_LD_PARALLEL_CONTACT = 32816;
constexpr UINT ID_LD_BLOCK = 32817;
constexpr UINT ID_LD_COIL = 32818;
constexpr UINT ID_LD_DELETE_COMPONENT = 32819;
constexpr UINT ID_LD_DELETE_NETWORK = 32820;
constexpr UINT ID_LD_RIGHT_CONTACT = 32912;
constexpr UINT ID_LD_LEFT_CONTACT = 32914;
constexpr UINT ID_LD_BRANCH = 32915;

class ILDCommandTarget {
public:
    virtual ~ILDCommandTarget() = default;
    virtual void OnLDCommand(UINT id) = 0;
    virtual void OnUpdateLDCommand(UINT id, IPOUCommandUI& ui) = 0;
};
