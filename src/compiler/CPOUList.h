#pragma once
// The POUs or the jump labels of one compilation in the order they were
// added, with an index by label: the first entry added under a label is
// the one found, as a walk of the list would find it.

#include "CEntryList.h"
#include "CPOUEntry.h"

#include <memory>
#include <string>
#include <unordered_map>

class CPOUList {
public:
    CPOUEntry* Head() const { return m_entries.Head(); }
    CPOUEntry* Append(std::unique_ptr<CPOUEntry> entry);
    void Clear();

    // The first entry with this label; nullptr when there is none.
    CPOUEntry* FindByLabel(const std::string& label) const;

private:
    CEntryList<CPOUEntry> m_entries;
    std::unordered_map<std::string, CPOUEntry*> m_byLabel;
};
