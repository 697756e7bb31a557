#pragma once
// The project's POU operations that reach beyond the registry (the
// FB-instance table, the POU files of the project folder) and the helpers
// around them.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

class CSourceFileCache;
class CZULAppData;
class CZULProject;

// The forceable bit of a direct address, or of a global symbol's address
// when the text is a symbol's name or address; 0 otherwise.
int IsForceableOperand(const CZULProject& project, const std::string& operand, OperandTypeFlags& flags);
// Refills the application's local-variable map from a variable file; 1.
int ReloadLocalVarMap(CZULAppData& app, const std::string& path, CSourceFileCache* cache = nullptr);
