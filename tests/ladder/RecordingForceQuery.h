#pragma once
// The force table as the ladder elements ask for it: the forced keys, and
// every key asked for in order.

#include "ladder/ILDForceQuery.h"

#include <set>
#include <string>
#include <vector>

class RecordingForceQuery : public ILDForceQuery {
public:
    BOOL IsForced(const std::string& key) const override
    {
        asked.push_back(key);
        return forced.count(key) ? TRUE : FALSE;
    }

    std::set<std::string> forced;
    mutable std::vector<std::string> asked;
};
