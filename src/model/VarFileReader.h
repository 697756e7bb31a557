#pragma once
// Readers of a POU variable file (".ilv"): section lines "VAR_INPUT",
// "VAR_IN_OUT", "VAR_OUTPUT" and "VAR", each closed by "END_VAR", and one
// declaration per line, "name AT address : TYPE ; (* comment *)", with any
// white space around the parts.

#include "CLocalVarEntry.h"
#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

class CSourceFileCache;

#include <string>
#include <unordered_map>
#include <vector>

// The four parts of a declaration line, each trimmed.
struct VarDeclaration {
    std::string symbol;
    std::string address;
    std::string dataType;
    std::string comment;
};

// One line of a variable file as the readers see it.
enum class VarLineKind { Other, Section, EndVar, Declaration };

// Classifies a line (trimmed here). A section line gives its class flags
// (VAR 0x18000, whose variables are not parameters); a declaration line its
// parts: the symbol ends at the word "AT" that stands between blanks, so
// names such as DATA or START keep their letters.
VarLineKind ParseVarFileLine(const std::string& line, OperandTypeFlags& sectionFlags, VarDeclaration& declaration);

// The class flags of a section keyword ("VAR_INPUT", "VAR_IN_OUT",
// "VAR_OUTPUT", "VAR"); FALSE, the flags untouched, for any other text.
BOOL GetVarSectionFlags(const std::string& keyword, OperandTypeFlags& flags);

// Appends the lines of a text, split at each line feed; dropCarriageReturn
// also removes a CR that ends a line.
void AppendTextLines(const std::string& text, bool dropCarriageReturn, std::vector<std::string>& lines);

// The lines of a variable file; FALSE when it cannot be read. A run's cache,
// when given, reads the file once for the whole run.
BOOL ReadVarFileLines(const std::string& path, std::vector<std::string>& lines, CSourceFileCache* cache = nullptr);

// Adds a new entry under the upper-cased symbol for every declaration with a
// known data type; a later duplicate replaces the earlier entry.
// A missing file adds nothing.
void LoadVarFileSymbols(const std::string& path, CLocalVarMap& map, CSourceFileCache* cache = nullptr);

// Releases the local address of every declaration with a known data type
// from the two occupancy maps.
void FreeVarFileAddresses(const std::string& path, std::vector<BYTE>& bitCells, std::vector<BYTE>& byteCells);
