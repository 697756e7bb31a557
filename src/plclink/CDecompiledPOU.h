#pragma once
// The work record of one POU while uploaded object code is turned back into
// IL: its lines, the lines that still name labels, jump targets, callees and
// interrupt routines by number, the call blocks that pass parameters, and
// the parameter table inferred for a called subroutine.

#include "model/OperandTypeFlags.h"

#include <string>
#include <vector>

// Capacities of the tables of one work record.
constexpr int DECOMPILED_MAX_LINES = 6700;
constexpr int DECOMPILED_MAX_LIST = 256;
constexpr int DECOMPILED_MAX_PARAMS = 128;

// A label: its generated name (LBL1, LBL2, ...) and the number that the
// object code uses for it (the LBL instruction's number plus 1).
struct CDecompiledLabel {
    std::string name;
    int id = -1;
};

// A MOVE inside a call block and the type of its first operand.
struct CDecompiledMove {
    int line = -1;
    OperandTypeFlags type = 0;
};

// The compiled form of a call with parameters: __ZUL_EN, loads, stores and
// moves, the CAL, and __ZUL_ENO.
struct CDecompiledCallBlock {
    std::string text; // the rebuilt CAL line, ending with a comma
    int enLine = -1;
    int calLine = -1;
    int enoLine = -1;
    std::vector<CDecompiledMove> moves;
};

// Parameter classes of an inferred subroutine interface.
constexpr int PARAM_CLASS_INPUT = 1;
constexpr int PARAM_CLASS_IN_OUT = 2;
constexpr int PARAM_CLASS_OUTPUT = 3;

struct CDecompiledParam {
    std::string location; // the operand the caller writes to or reads from
    std::string name;
    OperandTypeFlags type = 0;
    std::string typeName;
    int paramClass = PARAM_CLASS_INPUT;
};

struct CDecompiledPOU {
    std::vector<std::string> lines;
    std::string programFile;  // MAIN_MAIN.ilp, SBR05_SBR_5.ilp, INT03_INT_3.ilp
    std::string variableFile; // the same with ".ilv"
    std::string pouName;
    int language = 1;
    std::string languageLine;
    std::vector<CDecompiledLabel> labels;
    std::vector<int> labelLines;
    std::vector<int> jumpLines;
    std::vector<int> callLines;
    std::vector<int> attachLines;
    std::vector<CDecompiledCallBlock> callBlocks;
    int firstByte = 0;
    int lastByte = 0;
    int networkCounter = 0;
    std::vector<CDecompiledParam> params;
    int firstInstruction = -1;
};
