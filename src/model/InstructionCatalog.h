#pragma once
// The instruction catalogue of the ladder editor and the instruction tree,
// and the lookup maps of the application data built from it: every visible
// instruction by name, the contacts, the coils, a call interface for every
// function box and every function block.

#include "CInstructionDef.h"
#include "platform/WinTypes.h"

#include <string>

class CZULAppData;
class CZULFB;
class CZULFunc;

constexpr int LD_INSTRUCTION_COUNT = 119;
// PHOME and the rows after it are not searched by GetBoxInstructionGroup.
constexpr int BOX_GROUP_SEARCH_ROWS = 110;

extern const CInstructionDef g_LDInstructionTable[LD_INSTRUCTION_COUNT];

// The group of a function box or function block row before PHOME; -1 for an
// empty name, a contact or coil, PHOME and later rows, or an unknown name.
int GetBoxInstructionGroup(const std::string& name);

// Fills the application data's catalogue maps from the visible rows.
void BuildInstructionCatalog(CZULAppData& app);
// Deep copy of a catalogue interface (name trimmed and upper-cased); 1, or 0 when unknown.
int LookupFunction(const CZULAppData& app, const std::string& name, CZULFunc& function);
int LookupFunctionBlock(const CZULAppData& app, const std::string& name, CZULFB& block);
// The flags of a pin of an FB type; 0 when the type or the pin is unknown.
DWORD GetFBPinFlags(const CZULAppData& app, const std::string& pinName, const std::string& fbName);
// The flags of a parameter of a catalogue function or, failing that, of a
// subroutine interface of the open project; 0 when not found.
DWORD GetFunctionPinFlags(const CZULAppData& app, const std::string& pinName, const std::string& functionName);
