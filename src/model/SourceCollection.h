#pragma once
// The POU files of the open project in their fixed order: for every
// subroutine, then every interrupt routine, then MAIN (IL or LD POUs only),
// the program file and the variable file; then the global-variable file
// when there is anything global, and the project file. For a compilation
// it also writes the "~" work copies beside them.

#include <string>
#include <vector>

class CSourceFileCache;

// Modes of CollectPouFiles.
constexpr int COLLECT_FOR_COMPILE = 1; // also writes the work copies
constexpr int COLLECT_LIST_ONLY = 2;

// Fills the list; returns 1. A run's cache, when given, reads each file once
// and keeps the work copies' texts for the compiler.
int CollectPouFiles(std::vector<std::string>* list, int mode, CSourceFileCache* cache = nullptr);
// Writes the work copy of a POU program with its indirect operands
// expanded; FALSE when the program cannot be read or has no line.
bool PrepareSubroutineSource(const std::string& sourcePath, const std::string& workPath,
                             CSourceFileCache* cache = nullptr);
// A copy of one element; "" outside the array.
std::string GetStringArrayItem(const std::vector<std::string>& array, int index);
