#pragma once
// The names that the elements of one LD program share: the labels its
// "-(LBL)" coils define and the two maps between the addresses and names of
// the POU's local variables (rebuilt from the local-variable table before
// each paint), with the POU's local-variable table and the force-table query
// when the program has them, and the program's context. Each LD program has its own tables, so a label
// of another or of a closed POU never counts against this one.

#include "platform/WinTypes.h"

class CLDContext;
class ILocalVarLookup;
class ILDForceQuery;

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
    // Appends a label that is not listed yet.
    void AddLabel(const std::string& name);
    // FALSE without a force query.
    BOOL IsForced(const std::string& key) const;

    std::vector<std::string> LDLabelList;
    std::map<std::string, std::string> LocalAddressToSymbol;
    std::map<std::string, std::string> LocalSymbolToAddress;
    const ILocalVarLookup* LocalVariables = nullptr; // not owned; null: the POU declares no local names
    const ILDForceQuery* ForceQuery = nullptr;      // not owned; null: nothing is forced
    std::string POUName;                            // empty: no POU document is at hand
    const CLDContext* Context = nullptr;            // not owned; the program's view of the application
};
