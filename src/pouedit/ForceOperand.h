#pragma once
// The address that a force command of an editor sends for the operand it
// picked, and the symbol that names it in the Force dialog: a global symbol
// (named by its address or by its name), else a local variable of the POU,
// else the operand itself with no symbol. The force commands of the IL and
// the ladder editor send it through their host.

#include <string>

class CZULAppData;
class IPOUEditorHost;

void ResolveForceOperand(const CZULAppData& app, const IPOUEditorHost* host, const std::string& operand,
                         std::string& symbol, std::string& address);

// The value that unforces the operand instead of forcing it to a value.
constexpr int UNFORCE_VALUE = -1;

// The operand's address forced to the value, or unforced for UNFORCE_VALUE.
void ForceOrUnforceOperand(const CZULAppData& app, IPOUEditorHost& host, const std::string& operand, int value);

// The Force dialog on the operand; the editor takes the focus back after it.
void RunForceDialogOn(const CZULAppData& app, IPOUEditorHost& host, const std::string& operand);
