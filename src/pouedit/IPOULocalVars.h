#pragma once
// The POU's local-variable table as the POU document reaches it: the local
// symbols, the declarations for printing and the call interface with the
// ".ilv" file.

#include "model/OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>
#include <utility>
#include <vector>

class IPOULocalVars {
public:
    virtual ~IPOULocalVars() = default;
    // The data-type mask ORed with the variable-class flags of an upper-cased local symbol.
    virtual BOOL LookupLocalSymbol(const std::string& upperName, OperandTypeFlags& flags) const = 0;
    virtual BOOL FindLocalAddress(const std::string& upperName, std::string& address) const = 0;
    virtual BOOL FindLocalName(const std::string& address, std::string& name) const = 0;
    // Every local variable as (symbol as written, address without "%").
    virtual void GetLocalSymbols(std::vector<std::pair<std::string, std::string>>& symbols) const = 0;
    // FALSE, leaving the lines alone, when the table holds no complete declaration.
    virtual BOOL GetDeclarationLines(std::vector<std::string>& lines) const = 0;
    // Rebuilds the POU's call interface from the rows; with writeFile also
    // writes the ".ilv" file. FALSE when that file could not be written
    // (reported; the old file stays whole).
    virtual BOOL CommitRows(BOOL writeFile) = 0;
};
