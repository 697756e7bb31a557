#pragma once
// Finds a global symbol of the project by its direct address ("%VB10",
// "vb10") or by its name, case-insensitively.

#include "platform/WinTypes.h"

#include <string>

class CZULProject;
class CZULSymbol;

// The text is trimmed; an empty text finds nothing. A text that parses as a
// direct address is looked up under its upper-case address with "%",
// anything else under its upper-case name.
BOOL FindGlobalSymbol(const CZULProject& project, const std::string& text, CZULSymbol*& symbol);
