#pragma once
// One subroutine or interrupt routine of a compilation, or one jump label:
// its name as written, its label in upper case, the subroutines it calls,
// its parameter counts and where its code starts.

#include "platform/WinTypes.h"

#include <string>

constexpr int POU_KIND_SUBROUTINE = 2;
constexpr int POU_KIND_INTERRUPT = 3;
constexpr int MAX_CALLEES = 100;

class CPOUEntry {
public:
    CPOUEntry() = default;
    virtual ~CPOUEntry() = default;
    CPOUEntry(const CPOUEntry&) = delete;
    CPOUEntry& operator=(const CPOUEntry&) = delete;

    // The name as written when which is TRUE, the label when FALSE.
    std::string GetName(BOOL which) const;
    std::string GetCallee(int index) const;
    // Adds a non-empty label once; FALSE when the list is full or the label empty.
    BOOL AddCallee(const std::string& label);

    std::string calleeLabels[MAX_CALLEES];
    int calleeCount = 0;
    int kind = 0;
    int subroutineNumber = -1;
    int interruptNumber = -1;
    int inputCount = -1;
    int outputCount = -1;
    int inOutCount = -1;
    std::string name;
    std::string label;
    int firstInstruction = 0; // for a label: its instruction index + 1
    int objectSize = 0;
    CPOUEntry* next = nullptr; // the entry after it in its list
};
