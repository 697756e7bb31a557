#include "CpuProfile.h"

#include "CZULAppData.h"

// Before the first profile is applied: the VB14 limits with the time-outs of no open project.
int MaxSubroutineCount = 16;
int MaxInterruptCount = 16;
int MaxSubroutineNumber = 99;
int MaxInterruptNumber = 64;
int MaxDigitalInputs = 64;
int MaxDigitalOutputs = 64;
int MaxAnalogInputs = 16;
int MaxAnalogOutputs = 16;
int MaxExpansionModules = 4;
int MaxInstructions = 1280;
int ReplyTimeout = DEFAULT_REPLY_TIMEOUT;
int ProbeTimeout = DEFAULT_PROBE_TIMEOUT;
int LocalBitBytes = 4;
int LocalDataBytes = 12;
int ForceTableBlockType = 9;
int XrefCapacity = 2200;
int MaxEventNumber = 30;
int MaxHscNumber = 5;
int MaxHscMode = 11;
int MaxPulseOutput = 1;
int MaxPortNumber = 0;
int DataBackupFirstByte = 3648;
int DataBackupLastByte = 3902;

namespace {

struct CpuTypeNameRow {
    int firstCode;
    int lastCode;
    const char* name;
};

// Hardware codes in ranges, each with its name; GBK text.
const CpuTypeNameRow kCpuTypeNames[] = {
    {0, 1, " CPUVB12"},
    {31, 32, " CPUVB12"},
    {33, 34, " CPUVB12EX"},
    {2, 3, " CPUVB14"},
    {35, 35, " CPUVB14"},
    {39, 39, " CPUVB14"},
    {36, 37, " CPUVB14EX"},
    {40, 40, " CPUVB14EX"},
    {4, 5, " CPUVB16"},
    {43, 44, " CPUVB16"},
    {45, 46, " CPUVC14"},
    {47, 49, " CPUVC16"},
    {51, 51, " CPUVC16"},
    {50, 50, " CPUVA10"},
};
const char kUnknownCpuType[] = " \xCE\xB4\xD6\xAA\xC0\xE0\xD0\xCD";

struct CpuFamilyCodeRow {
    int code;
    int familyIndex;
};

const CpuFamilyCodeRow kCpuFamilyCodes[] = {
    {0, 0}, {1, 0}, {31, 0}, {32, 0},
    {2, 1}, {3, 1}, {33, 1}, {34, 1}, {35, 1}, {39, 1},
    {4, 2}, {5, 2}, {43, 2}, {44, 2},
    {36, 4}, {37, 4}, {40, 4},
    {50, 5},
    {45, 6}, {46, 6},
    {47, 7}, {48, 7}, {49, 7}, {51, 7},
};
constexpr int kFallbackFamilyIndex = 1;

struct DefaultCpuRow {
    int firstRow;
    int lastRow;
    int familyIndex;
};

const DefaultCpuRow kDefaultCpuRows[] = {
    {0, 0, 5}, {1, 3, 0}, {4, 9, 1}, {10, 12, 4}, {13, 16, 2}, {17, 18, 6}, {19, 22, 7},
};

} // namespace

DWORD GetCPUFamilyMask()
{
    return g_pAppData->GetCPUFamilyMask();
}

DWORD CpuFamilyMaskOfIndex(int familyIndex)
{
    constexpr int kFamilyCount = 8;
    if (familyIndex < 0 || familyIndex >= kFamilyCount)
        return 0;
    return 1u << familyIndex;
}

int CpuFamilyIndexFromHardwareCode(int hardwareCode)
{
    for (const CpuFamilyCodeRow& row : kCpuFamilyCodes) {
        if (row.code == hardwareCode)
            return row.familyIndex;
    }
    return kFallbackFamilyIndex;
}

int CpuFamilyIndexFromDefaultCpuRow(int row)
{
    for (const DefaultCpuRow& range : kDefaultCpuRows) {
        if (row >= range.firstRow && row <= range.lastRow)
            return range.familyIndex;
    }
    return kFallbackFamilyIndex;
}

std::string GetCPUTypeName(int hardwareCode)
{
    for (const CpuTypeNameRow& row : kCpuTypeNames) {
        if (hardwareCode >= row.firstCode && hardwareCode <= row.lastCode)
            return row.name;
    }
    return kUnknownCpuType;
}
