#pragma once
// What the recent-file list item of a menu needs of the program's list of
// recently used files. The program's main frame implements it.

#include "platform/WinTypes.h"

#include <string>

class ITKRecentFileSource {
public:
    virtual ~ITKRecentFileSource() = default;
    // The number of the first entry in the menu, less one (0 numbers from 1).
    virtual int GetRecentStartIndex() const = 0;
    virtual int GetRecentFileCount() const = 0;
    // The entry's name for the menu, shortened against the current folder
    // (which ends with '/'); FALSE for an empty or missing entry.
    virtual BOOL GetRecentDisplayName(int index, const std::string& currentFolder, std::string* name) const = 0;
};
