#pragma once
// The address that a force command of an editor sends for the operand it
// picked, and the symbol that names it in the Force dialog: a global symbol
// (named by its address or by its name), else a local variable of the POU,
// else the operand itself with no symbol.

#include <string>

class CZULAppData;
class IPOUEditorHost;

void ResolveForceOperand(const CZULAppData& app, const IPOUEditorHost* host, const std::string& operand,
                         std::string& symbol, std::string& address);
