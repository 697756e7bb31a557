#pragma once
// The variables, parameters and function-block instances of one compilation
// in the order they were declared, with indexes by name and by address so
// that declaring and resolving thousands of globals stays linear. A lookup
// gives the first entry declared under the name or address, as a walk of
// the list would.

#include "CEntryList.h"
#include "CVariableEntry.h"

#include <memory>
#include <string>
#include <unordered_map>

class CVariableList {
public:
    CVariableEntry* Head() const { return m_entries.Head(); }
    CVariableEntry* Append(std::unique_ptr<CVariableEntry> entry);
    void Clear();

    // The first entry with this name; nullptr when there is none.
    CVariableEntry* FindByName(const std::string& name) const;
    // The first declared variable (not an instance) with this address text.
    CVariableEntry* FindByAddress(const std::string& addressText) const;

private:
    CEntryList<CVariableEntry> m_entries;
    std::unordered_map<std::string, CVariableEntry*> m_byName;
    std::unordered_map<std::string, CVariableEntry*> m_byAddress;
};
