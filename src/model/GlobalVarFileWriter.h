#pragma once
// The global-variable file of a project (its name with ".qgv" in the
// project folder): the global symbols in address order and the FB instances
// in table order, as two VAR_GLOBAL sections of declarations that the
// compiler reads as the project's global declarations. Every save of the
// project and every Compile All write it anew.

#include "platform/WinTypes.h"

#include <string>

class CZULProject;

// At most this many symbols are written, the first in address order.
constexpr int GLOBAL_VAR_FILE_MAX_SYMBOLS = 2048;

// The number of distinct symbol addresses; those past
// GLOBAL_VAR_FILE_MAX_SYMBOLS in address order do not fit into the file.
int CountGlobalVarFileSymbols(const CZULProject& project);

// The path of the project's global-variable file.
std::string GlobalVarFilePath(const CZULProject& project);

// The file's text: lines ended by CR LF, the last "END_VAR" without one.
std::string FormatGlobalVarFile(const CZULProject& project);

// Writes the file; a stored address without "%" gets it in the project too.
// A file that cannot be created is reported in a message box and FALSE
// returned, the project unchanged.
BOOL WriteGlobalVarFile(CZULProject& project);
