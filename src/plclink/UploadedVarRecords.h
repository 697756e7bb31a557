#pragma once
// The per-POU variable block of an uploaded image (block 9): the global
// symbols and the local variables of MAIN, of each subroutine and of each
// interrupt routine, as encoded addresses with a type code and a class.
// The records are read with every count checked against the block.

#include "model/CMemAreaInfo.h"
#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <vector>

// Record kinds.
constexpr int UPLOAD_VARS_GLOBAL = 1;
constexpr int UPLOAD_VARS_MAIN = 2;
constexpr int UPLOAD_VARS_SBR = 3;
constexpr int UPLOAD_VARS_INT = 4;

// Variable classes of an entry.
constexpr int UPLOAD_CLASS_INPUT = 1;
constexpr int UPLOAD_CLASS_IN_OUT = 2;
constexpr int UPLOAD_CLASS_OUTPUT = 3;
constexpr int UPLOAD_CLASS_LOCAL = 5;

struct CUploadedVarEntry {
    EncodedPlcAddress address = 0;
    OperandTypeFlags type = 0;
    int varClass = 0;
};

struct CUploadedVarRecord {
    int kind = 0;
    int number = 0;
    std::vector<CUploadedVarEntry> entries;
};

// Type codes 1..7 of an entry: BOOL, BYTE, WORD, DWORD, INT, DINT, REAL; any other 0.
WORD UploadTypeCodeToFlag(BYTE typeCode);

// The generated name of entry index of a local ("bP3") or global ("g_bP3")
// variable; returns the type name ("BOOL"), both empty for an unknown type.
std::string MakeParamName(OperandTypeFlags typeFlags, int index, BOOL global, std::string& name);

// Reads the records of block 9; FALSE when the block is shorter than it
// announces, a record runs past its end, a kind is not 1..4 or a POU
// number is out of range.
BOOL ParseUploadedVarRecords(const std::vector<BYTE>& block9, std::vector<CUploadedVarRecord>& records);
