#pragma once
// The POU registry of the open project: MAIN, the subroutines SBR0..SBR98
// with their call interfaces and the interrupt routines INT0..INT63. A
// subroutine is named by its name or its alias "SBRnn", an interrupt routine
// by its name or "INTnn". The operations that keep the project's POU maps,
// its FB-instance table and the POU files of the project folder consistent
// are members of CZULProject (defined in PouRegistry.cpp); the helpers
// around them are declared here.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <functional>
#include <string>

class CZULAppData;
class CZULProject;

// "SBR" or "INT" and the number as two digits.
std::string FormatPOUAlias(const char* prefix, int number);
// Reads an alias back: its first three characters must be the prefix and
// its last two "00" or a number whose low 16 bits are not 0 (SBR105 reads
// as 5, SBR5 is no alias).
BOOL ParsePOUAlias(const std::string& text, const char* prefix, int& number);

// Called with the name of a deleted subroutine so that the instruction tree drops it.
void SetSubroutineRemovedHandler(std::function<void(const std::string&)> handler);

// The forceable bit of a direct address, or of a global symbol's address
// when the text is a symbol's name or address; 0 otherwise.
int IsForceableOperand(const CZULProject& project, const std::string& operand, OperandTypeFlags& flags);
// Refills the application's local-variable map from a variable file; 1.
int ReloadLocalVarMap(CZULAppData& app, const std::string& path);
