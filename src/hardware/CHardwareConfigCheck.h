#pragma once
// The consistency check of the hardware configuration that must pass
// before the project is saved and before the hardware window closes: no
// empty slot, channel totals within the CPU's limits, and every module's
// address ranges inside their areas, even where required, and not shared.
// The checks only judge; the hardware window shows the finding and selects
// the offending module.

#include "platform/WinTypes.h"

#include <string>

class CZULProject;

// Where a finding points: the module's grid row and cell column (grid
// numbers, so the module in slot s is row s + 1) and its page tab.
struct CHardwareCheckResult {
    bool passed = true;
    std::string message;
    UINT icon = 0;
    int row = 0;    // 0: no module is selected
    int column = 0;
};

// A slot without record: the configuration is still being edited.
CHardwareCheckResult CheckNoEmptySlot(const CZULProject& project);
// DI, DO, AI and AO totals against the limits of the current CPU profile.
CHardwareCheckResult CheckChannelCounts(const CZULProject& project);
// The I, Q, AI and AQ ranges in slot order against the current memory areas.
CHardwareCheckResult CheckModuleAddresses(const CZULProject& project);
