#pragma once
// What inserting a CPU does to the configuration: whether it asks before
// deleting expansion modules, which slots it deletes and which CPU profile
// it loads. One rule per group of hardware codes.

#include "platform/WinTypes.h"

class CZULAppData;

constexpr int CPU_RULE_MAX_CODES = 6;
constexpr int CPU_RULE_KEEPS_ALL = -1;

struct CCpuChangeRule {
    BYTE codes[CPU_RULE_MAX_CODES];
    int codeCount;
    // The question is asked when the grid had more rows than askAboveRows and
    // the configuration more slots than askAboveSlots; null: never asked.
    int askAboveRows;
    int askAboveSlots;
    const char* question;
    // Slots from this one up are deleted after a Yes; CPU_RULE_KEEPS_ALL: none.
    int firstDeletedSlot;
    void (CZULAppData::*loadProfile)();

    // TRUE when the rule's question must be asked for this configuration.
    bool Asks(int rows, int slots) const;
};

// The rule of a CPU hardware code, or null for a code no rule lists.
const CCpuChangeRule* FindCpuChangeRule(BYTE hardwareCode);
