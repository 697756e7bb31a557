#pragma once
// The entries of one compiler list in the order they were added. The list
// owns them; each entry links to the one after it so that lookups can walk
// on from any entry.

#include <memory>
#include <vector>

template <typename Entry>
class CEntryList {
public:
    Entry* Head() const { return m_entries.empty() ? nullptr : m_entries.front().get(); }

    Entry* Append(std::unique_ptr<Entry> entry)
    {
        Entry* added = entry.get();
        if (!m_entries.empty())
            m_entries.back()->next = added;
        m_entries.push_back(std::move(entry));
        return added;
    }

    void Clear() { m_entries.clear(); }

private:
    std::vector<std::unique_ptr<Entry>> m_entries;
};
