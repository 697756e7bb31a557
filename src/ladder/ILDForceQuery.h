#pragma once
// What the ladder elements ask of the force table while the PLC is
// monitored: whether an address (or other force key) is forced. The main
// window answers it; a program without one has nothing forced.

#include "platform/WinTypes.h"

#include <string>

class ILDForceQuery {
public:
    virtual ~ILDForceQuery() = default;
    virtual BOOL IsForced(const std::string& key) const = 0;
};
