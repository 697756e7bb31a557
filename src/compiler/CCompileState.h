#pragma once
// The state that one compilation shares between its parts: the compile unit
// sets what file is being compiled and which row, the token classifier, the
// statement checker, the comment filter and the message output read it.
// Each compilation starts from a freshly built state.

#include "CLoopTargetTable.h"
#include "CPOUList.h"
#include "CVariableList.h"
#include "platform/WinTypes.h"

#include <string>
#include <unordered_set>

class CSourceFileCache;

// Kinds of the file being compiled (CurrentFileKind).
constexpr int FILE_KIND_NONE = 0;
constexpr int FILE_KIND_GLOBAL_VARS = 2;
constexpr int FILE_KIND_MAIN_VARS = 9;
constexpr int FILE_KIND_MAIN_PROGRAM = 10;
constexpr int FILE_KIND_INT_PROGRAM = 11;
constexpr int FILE_KIND_INT_VARS = 12;
constexpr int FILE_KIND_SBR_PROGRAM = 13;
constexpr int FILE_KIND_SBR_VARS = 14;
constexpr int FILE_KIND_UNKNOWN = 15;

// LadderSourceFlag values.
constexpr int LADDER_SOURCE = 1;
constexpr int IL_SOURCE = 2;

struct CCompileState {
    int ObjectOffset = 0;        // bytes written to the object file
    int FileErrorCount = 0;      // errors written for the current file
    int FileWarningCount = 0;    // warnings written for the current file
    int CurrentFileKind = 0;
    std::string CurrentPOULabel; // "MAIN", "SBR01", "INT00" or ""
    int CurrentRow = 0;
    int CurrentNetwork = 0;
    int InstructionCounter = -1; // the number of instructions is the counter + 1
    int LadderSourceFlag = IL_SOURCE;
    bool InDeclarationBlock = false; // between a VAR section keyword and END_VAR
    bool RowStartFlag = false;       // the line begins a new row of the user's file
    bool WrappedLineFlag = false;    // the line that PTR_R lines wrap
    CPOUList POUList;                         // subroutines and interrupt routines
    CPOUList LabelList;                       // jump labels, qualified by their POU
    CVariableList VariableList;               // variables, parameters and FB instances
    CLoopTargetTable LoopTargets;
    // The files of the run, each read once; set by the compiler driver for
    // the length of a compilation (not owned). Without it every read goes
    // to the disk.
    CSourceFileCache* SourceFiles = nullptr;
    // Operand texts already given to the monitor table in this compilation.
    std::unordered_set<std::string> MonitoredOperands;

    // Replaced by a freshly built state: nothing of an earlier compilation stays.
    void Reset();
    // The file being compiled is one of the POU programs.
    bool IsProgramFile() const;
    // A source file of the compilation can be read (it exists, is no folder).
    bool SourceExists(const std::string& path) const;
    // The text of a source file of the compilation; false when it cannot be read.
    bool ReadSource(const std::string& path, std::string& text) const;
    // The language line of a POU program file: 1 IL, 2 LD, 255 anything else.
    BYTE SourceLanguage(const std::string& path) const;
    // Enters the bytes of a direct address into the monitor table; every pass
    // meets the same operands again, and the table keeps its first entry for
    // a key, so each text is entered once per compilation.
    void AddMonitorOperand(const std::string& text);
};

extern CCompileState g_CompileState;
