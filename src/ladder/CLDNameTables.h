#pragma once
// The names that the elements of one LD program share: the labels its
// "-(LBL)" coils define and the two maps between the addresses and names of
// the POU's local variables (rebuilt from the local-variable table before
// each paint). Each LD program has its own tables, so a label of another or
// of a closed POU never counts against this one.

#include "platform/WinTypes.h"

#include <map>
#include <string>
#include <vector>

class CLDNameTables {
public:
    // Removes the first label equal to the name; FALSE when there is none.
    BOOL RemoveLabel(const std::string& name);

    // Local address (upper case) -> local symbol name, and back.
    BOOL FindLocalSymbol(const std::string& address, std::string& symbol) const;
    BOOL FindLocalAddress(const std::string& symbol, std::string& address) const;

    std::vector<std::string> LDLabelList;
    std::map<std::string, std::string> LocalAddressToSymbol;
    std::map<std::string, std::string> LocalSymbolToAddress;
};
