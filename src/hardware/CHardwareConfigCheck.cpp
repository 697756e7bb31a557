#include "CHardwareConfigCheck.h"

#include "HardwareTexts.h"
#include "model/CMemAreaInfo.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULProject.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "platform/IMessageBox.h"

#include <iterator>

#include <vector>

namespace {

// Grid columns that take the focus for a finding.
constexpr int GRID_COLUMN_MODULE = 1;
constexpr int GRID_COLUMN_I_ADDRESS = 2;

struct CChannelLimit {
    const char* name;
    DWORD kinds;
    WORD CZUL_Q7_PLC::*count;
    int* limit;
};

// In the order the totals are compared.
const CChannelLimit kChannelLimits[] = {
    {"DI", MODULE_KINDS_WITH_I, &CZUL_Q7_PLC::diCount, &MaxDigitalInputs},
    {"DO", MODULE_KINDS_WITH_Q, &CZUL_Q7_PLC::doCount, &MaxDigitalOutputs},
    {"AI", MODULE_KINDS_WITH_AI, &CZUL_Q7_PLC::aiCount, &MaxAnalogInputs},
    {"AO", MODULE_KINDS_WITH_AQ, &CZUL_Q7_PLC::aoCount, &MaxAnalogOutputs},
};

struct CAddressArea {
    DWORD kinds;
    MemAreaRow area;
    BYTE CZUL_Q7_PLC::*start;
    BYTE CZUL_Q7_PLC::*end;
    bool analog; // starts must be even; skipped while the CPU has no such area
    int focusColumn;
    const char* outOfRange;   // both texts take the module number between their parts
    const char* assigned;
    const char* mustBeEven;   // null: any start
};

// In the order a record's ranges are examined.
const CAddressArea kAddressAreas[] = {
    {MODULE_KINDS_WITH_I, MEM_ROW_I, &CZUL_Q7_PLC::iStart, &CZUL_Q7_PLC::iEnd, false, GRID_COLUMN_MODULE,
     "I Address of Module %d is out of range.", "I Address of Module %d has been assigned.", nullptr},
    {MODULE_KINDS_WITH_Q, MEM_ROW_Q, &CZUL_Q7_PLC::qStart, &CZUL_Q7_PLC::qEnd, false, GRID_COLUMN_I_ADDRESS,
     "Q Address of Module %d is out of range.", "Q Address of Module %d has been assigned.", nullptr},
    {MODULE_KINDS_WITH_AI, MEM_ROW_AI, &CZUL_Q7_PLC::aiStart, &CZUL_Q7_PLC::aiEnd, true, GRID_COLUMN_MODULE,
     "AI Address of Module %d is out of range.", "AI Address of Module %d has been assigned.",
     "AI address of module \"%d\" must be even."},
    {MODULE_KINDS_WITH_AQ, MEM_ROW_AQ, &CZUL_Q7_PLC::aoStart, &CZUL_Q7_PLC::aoEnd, true, GRID_COLUMN_I_ADDRESS,
     "AQ Address of Module %d is out of range.", "AQ Address of Module%d has been assigned.",
     "AQ address of module \"%d\" must be even."},
};

std::string WithNumber(const char* pattern, int number)
{
    std::string text = pattern;
    const size_t at = text.find("%d");
    return text.replace(at, 2, std::to_string(number));
}

CHardwareCheckResult Failure(std::string message, UINT icon, int row, int column)
{
    return CHardwareCheckResult{false, std::move(message), icon, row, column};
}

// The bytes of one area that earlier modules took.
struct CAreaUse {
    std::vector<bool> used;
    int highestIndex = 0;
    bool examined = true;
};

} // namespace

CHardwareCheckResult CheckNoEmptySlot(const CZULProject& project)
{
    for (const auto& record : project.Modules) {
        if (!record)
            return Failure(kHardwareInconsistent, MB_ICONSTOP, 0, 0);
    }
    return {};
}

CHardwareCheckResult CheckChannelCounts(const CZULProject& project)
{
    for (const CChannelLimit& limit : kChannelLimits) {
        long total = 0;
        for (const auto& record : project.Modules) {
            if (record && (record->kindMask & limit.kinds))
                total += (*record).*(limit.count);
        }
        if (total <= *limit.limit)
            continue;
        const std::string name = limit.name;
        return Failure("The number of " + name + " channel is out of range.\r\nThe current CPU permits " +
                           std::to_string(*limit.limit) + " " + name + " channels at most.",
                       MB_ICONINFORMATION, 0, 0);
    }
    return {};
}

CHardwareCheckResult CheckModuleAddresses(const CZULProject& project)
{
    CAreaUse uses[std::size(kAddressAreas)];
    for (size_t a = 0; a < std::size(kAddressAreas); ++a) {
        const CMemAreaInfo& info = g_LiveAreaTable[kAddressAreas[a].area];
        uses[a].used.assign(info.unitCount, false);
        uses[a].highestIndex = static_cast<int>(info.maxIndex);
        uses[a].examined = !kAddressAreas[a].analog || info.unitCount > 0;
    }
    for (size_t slot = 0; slot < project.Modules.size(); ++slot) {
        const CZUL_Q7_PLC* record = project.Modules[slot].get();
        if (!record)
            continue;
        const int number = static_cast<int>(slot) + 1;
        for (size_t a = 0; a < std::size(kAddressAreas); ++a) {
            const CAddressArea& area = kAddressAreas[a];
            CAreaUse& use = uses[a];
            if (!(record->kindMask & area.kinds) || !use.examined)
                continue;
            const int start = (*record).*(area.start);
            const int end = (*record).*(area.end);
            if (end > use.highestIndex)
                return Failure(WithNumber(area.outOfRange, number), MB_ICONSTOP, number, area.focusColumn);
            if (area.mustBeEven && start % 2 != 0)
                return Failure(WithNumber(area.mustBeEven, number), MB_ICONSTOP, number, area.focusColumn);
            for (int b = start; b <= end && b < static_cast<int>(use.used.size()); ++b) {
                if (use.used[static_cast<size_t>(b)])
                    return Failure(WithNumber(area.assigned, number), MB_ICONSTOP, number, area.focusColumn);
                use.used[static_cast<size_t>(b)] = true;
            }
        }
    }
    return {};
}
