#pragma once
// CPU families and the limits of the last applied CPU-family profile. The
// values are process-wide and written only by the profile functions of
// CZULAppData (and the two time-outs by the application when no project is
// open); every other code reads them.

#include "platform/WinTypes.h"

#include <string>

// Family bits: 1 shifted left by the project's family index.
constexpr DWORD CPU_FAMILY_VB12 = 0x01;
constexpr DWORD CPU_FAMILY_VB14 = 0x02;   // also the VB12EX models
constexpr DWORD CPU_FAMILY_VB16 = 0x04;
constexpr DWORD CPU_FAMILY_NONE8 = 0x08;  // no model selects it; only from stored data
constexpr DWORD CPU_FAMILY_VB14EX = 0x10; // loads the VB16 limits
constexpr DWORD CPU_FAMILY_VA10 = 0x20;
constexpr DWORD CPU_FAMILY_VC14 = 0x40;
constexpr DWORD CPU_FAMILY_VC16 = 0x80;
// Families with the large memory image and the wider instruction set.
constexpr DWORD CPU_FAMILIES_LARGE = CPU_FAMILY_VB16 | CPU_FAMILY_VB14EX | CPU_FAMILY_VC14 | CPU_FAMILY_VC16;

// Profile sub-types (the download image variant), CZULAppData::ProfileSubType.
constexpr BYTE PROFILE_SUBTYPE_VA10 = 0;
constexpr BYTE PROFILE_SUBTYPE_VB16 = 1; // VB16 and VB14EX
constexpr BYTE PROFILE_SUBTYPE_VC = 2;   // VC14 and VC16
constexpr BYTE PROFILE_SUBTYPE_VB = 3;   // VB12 and VB14

// Time-outs while no project is open.
constexpr int DEFAULT_REPLY_TIMEOUT = 8000;
constexpr int DEFAULT_PROBE_TIMEOUT = 600;

extern int MaxSubroutineCount;
extern int MaxInterruptCount;
extern int MaxSubroutineNumber;
extern int MaxInterruptNumber;
extern int MaxDigitalInputs;
extern int MaxDigitalOutputs;
extern int MaxAnalogInputs;
extern int MaxAnalogOutputs;
extern int MaxExpansionModules;
extern int MaxInstructions;
extern int ReplyTimeout;      // ms to wait for the first byte of a PLC reply
extern int ProbeTimeout;      // ms to wait for the reply to a station probe
extern int LocalBitBytes;     // L bytes at the start that hold BOOL locals
extern int LocalDataBytes;    // L bytes after them for BYTE, WORD and DWORD locals
extern int ForceTableBlockType;
extern int XrefCapacity;
extern int MaxEventNumber;
extern int MaxHscNumber;
extern int MaxHscMode;
extern int MaxPulseOutput;
extern int MaxPortNumber;
extern int DataBackupFirstByte;
extern int DataBackupLastByte;

// The family bit of the current project (forwards to g_pAppData).
DWORD GetCPUFamilyMask();

// The family bit of a family index 0..7; 0 for any other index.
DWORD CpuFamilyMaskOfIndex(int familyIndex);

// The family index that a CPU module's hardware code selects; 1 (VB14) for
// any code no family lists.
int CpuFamilyIndexFromHardwareCode(int hardwareCode);

// The family index of the default CPU setting (a row 0..22 of the CPU part
// of the module catalogue); 1 for any other row.
int CpuFamilyIndexFromDefaultCpuRow(int row);

// " CPUVB12" and so on for a CPU hardware code; " 未知类型" for any other code.
std::string GetCPUTypeName(int hardwareCode);
