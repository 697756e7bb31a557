#pragma once
// The POU registry of the open project: MAIN, the subroutines SBR0..SBR98
// with their call interfaces and the interrupt routines INT0..INT63. A
// subroutine is named by its name or its alias "SBRnn", an interrupt routine
// by its name or "INTnn". These operations keep the project's POU maps, its
// FB-instance table and the POU files of the project folder consistent.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

class CProjTreeNode;
class CZULAppData;
class CZULFunc;
class CZULProject;

// The FB-instance lists of AddFBInstance.
constexpr int FB_LIST_TABLE = 1;
constexpr int FB_LIST_SCAN = 2;

// "SBR" or "INT" and the number as two digits.
std::string FormatPOUAlias(const char* prefix, int number);
// Reads an alias back: its first three characters must be the prefix and
// its last two "00" or a number whose low 16 bits are not 0 (SBR105 reads
// as 5, SBR5 is no alias).
BOOL ParsePOUAlias(const std::string& text, const char* prefix, int& number);

// Builds the subroutine's call interface from its variable file and registers it; 1.
int LoadSubroutineInterface(CZULProject& project, const CProjTreeNode* node);
// Enters the interface under its name, upper-case name and number; one
// registered under the same upper-case name before is deleted.
void RegisterSubroutineInterface(CZULProject& project, CZULFunc* function);
BOOL FindSubroutineInterface(const CZULProject& project, const std::string& name, CZULFunc*& function);
// Deep copy of the interface of a name or an "SBRnn" alias into destination; 1 or 0.
int CopySubroutineInterface(const CZULProject& project, const std::string& nameOrAlias, CZULFunc* destination);

// Name and alias conversions; 1 (TRUE) when the text named a routine.
int ConvertSubroutineName(const CZULProject& project, const std::string& text, std::string& result, BOOL toAlias);
int ConvertInterruptName(const CZULProject& project, const std::string& text, std::string& result, BOOL toAlias);
int SwapInterruptName(const CZULProject& project, const std::string& text, std::string& result);
BOOL ConvertPOUName(const CZULProject& project, const std::string& text, std::string& result, int& isSubroutine);
int IsPOUName(const CZULProject& project, const std::string& text);

// The project's FB instances (type, instance name and owning POU, upper case).
BOOL AddFBInstance(CZULProject& project, const std::string& instanceName, const std::string& fbType,
                   const std::string& ownerPou, int list);
BOOL GetFBInstancesOfPOU(const CZULProject& project, const std::string& pouName, std::vector<std::string>& names,
                         std::vector<std::string>& types);
void RemoveFBInstance(CZULProject& project, const std::string& instanceName);
void RemoveFBInstancesOfPOU(CZULProject& project, const std::string& pouName);
BOOL RenameFBInstance(CZULProject& project, const std::string& oldName, const std::string& newName);

// Deletes a subroutine (kind 3) or interrupt routine (kind 4) with its
// interface, its FB instances and its files; the local addresses of its
// variable file are released first.
void DeletePOU(CZULProject& project, const std::string& name, int kind);
// Re-keys MAIN (kind 2), a subroutine or an interrupt routine whose tree
// node already carries its new name, with its interface and FB instances.
void RenamePOU(CZULProject& project, const std::string& oldName, int kind);
// Called with the name of a deleted subroutine so that the instruction tree drops it.
void SetSubroutineRemovedHandler(std::function<void(const std::string&)> handler);

// The forceable bit of a direct address, or of a global symbol's address
// when the text is a symbol's name or address; 0 otherwise.
int IsForceableOperand(const CZULProject& project, const std::string& operand, OperandTypeFlags& flags);
// Refills the application's local-variable map from a variable file; 1.
int ReloadLocalVarMap(CZULAppData& app, const std::string& path);
