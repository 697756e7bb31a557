#pragma once
// The icon set of one command: one icon per width. Given icons come from a
// load, a paste or an archive; scaled copies are made on demand for widths
// the set lacks. Walks visit the icons as the set's hash table lays them
// out: buckets (width / 16) mod 17 ascending, newest entry first in each.

#include "toolkit/commandbars/images/CTKCommandIcon.h"

#include <map>
#include <memory>
#include <vector>

class CTKImageManagerIcons {
public:
    explicit CTKImageManagerIcons(UINT command) : m_command(command) {}
    virtual ~CTKImageManagerIcons() = default;
    CTKImageManagerIcons(const CTKImageManagerIcons&) = delete;
    CTKImageManagerIcons& operator=(const CTKImageManagerIcons&) = delete;

    UINT GetCommand() const { return m_command; }
    BOOL IsEmpty() const { return m_icons.empty(); }
    // The icon under the width, or nullptr.
    CTKCommandIcon* Lookup(UINT width) const;
    // The icon under the width, made (height 15) when there is none.
    CTKCommandIcon* GetIcon(UINT width);
    // Enters an icon under a width, replacing an earlier one.
    CTKCommandIcon* Enter(UINT width, std::unique_ptr<CTKCommandIcon> icon);
    // (width, icon) in walk order.
    std::vector<std::pair<UINT, CTKCommandIcon*>> Walk() const;

    void SetIcon(const CIconImage& icon, UINT width, BOOL alpha);
    void SetDisabledIcon(const CIconImage& icon, UINT width);
    void SetHotIcon(const CIconImage& icon, UINT width);

    // Deletes the scaled copies and clears the generated images of the others.
    void Refresh();
    void RemoveAll();

private:
    struct Entry {
        std::unique_ptr<CTKCommandIcon> icon;
        unsigned sequence = 0;
    };

    UINT m_command;
    std::map<UINT, Entry> m_icons;
    unsigned m_nextSequence = 0;
};

// The order in which a hash table of 17 buckets keyed by value / 16 walks
// its keys: buckets ascending, the newest entry first in each.
constexpr UINT kHashBuckets = 17;
constexpr UINT HashBucket(UINT key)
{
    return (key >> 4) % kHashBuckets;
}
