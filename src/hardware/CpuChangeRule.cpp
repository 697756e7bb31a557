#include "CpuChangeRule.h"

#include "HardwareTexts.h"
#include "model/CZULAppData.h"

#include <algorithm>

namespace {

const CCpuChangeRule kCpuChangeRules[] = {
    {{0, 1, 31, 32}, 4, 1, 0, kReplaceVB12Question, 1, &CZULAppData::ApplyVB12Profile},
    {{2, 3, 33, 34, 35, 39}, 6, 5, 5, kReplaceVB14Question, 5, &CZULAppData::ApplyVB14Profile},
    {{36, 37, 40}, 3, 0, 0, nullptr, CPU_RULE_KEEPS_ALL, &CZULAppData::ApplyVB16Profile},
    {{4, 5, 43, 44}, 4, 0, 0, nullptr, CPU_RULE_KEEPS_ALL, &CZULAppData::ApplyVB16Profile},
    {{45, 46}, 2, 1, 0, kReplaceVC14Question, 1, &CZULAppData::ApplyVC14Profile},
    {{47, 48, 49, 51}, 4, 1, 0, kReplaceVC16Question, 1, &CZULAppData::ApplyVC16Profile},
    {{50}, 1, 1, 0, kReplaceVA10Question, 1, &CZULAppData::ApplyVA10Profile},
};

} // namespace

bool CCpuChangeRule::Asks(int rows, int slots) const
{
    return question != nullptr && rows > askAboveRows && slots > askAboveSlots;
}

const CCpuChangeRule* FindCpuChangeRule(BYTE hardwareCode)
{
    for (const CCpuChangeRule& rule : kCpuChangeRules) {
        const BYTE* end = rule.codes + rule.codeCount;
        if (std::find(rule.codes, end, hardwareCode) != end)
            return &rule;
    }
    return nullptr;
}
