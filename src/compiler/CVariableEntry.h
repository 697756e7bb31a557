#pragma once
// One symbol of a compilation: a declared variable or parameter (names of a
// POU qualified as "SBR03.SPEED") or a function-block instance.

#include "model/CMemAreaInfo.h"
#include "model/ILVocabulary.h"
#include "model/TypedConstants.h"
#include "platform/WinTypes.h"

#include <string>

constexpr int VARIABLE_KIND_DECLARED = 0;
constexpr int VARIABLE_KIND_FB_INSTANCE = 2;

// Section numbers of declared variables.
constexpr int SECTION_NUMBER_OTHER = 0;
constexpr int SECTION_NUMBER_INPUT = 1;
constexpr int SECTION_NUMBER_IN_OUT = 2;
constexpr int SECTION_NUMBER_OUTPUT = 3;
constexpr int SECTION_NUMBER_VAR = 5;

class CVariableEntry {
public:
    CVariableEntry() = default;
    virtual ~CVariableEntry() = default;
    CVariableEntry(const CVariableEntry&) = delete;
    CVariableEntry& operator=(const CVariableEntry&) = delete;

    int kind = VARIABLE_KIND_DECLARED;
    BYTE globalFlag = 0;
    int sectionNumber = SECTION_NUMBER_OTHER;
    OperandTypeFlags typeFlags = 0;
    std::string name;
    std::string addressText;
    EncodedPlcAddress encodedAddress = 0;
    CMemAreaDef areaRow = {};
    CConstantValue initialValue;
    BYTE hasInitialValue = 0;
    std::string fbType;
    CVariableEntry* next = nullptr; // the entry after it in its list
};
