#pragma once
// Whether the connected PLC suits the project: the check that Download and
// Monitor share (it also chooses the download image variant) and the check
// of Upload. Both read the identification of the last 'E' reply.

#include "CPlcIdentification.h"
#include "platform/WinTypes.h"

enum PlcCompatibilityVerdict {
    PLC_COMPATIBLE = 0,
    PLC_REFUSED_CPU,        // the connected CPU is not the project's
    PLC_REFUSED_FIRMWARE,   // the firmware version is not supported
    PLC_REFUSED_UNKNOWN,    // Upload only: no usable identification
};

// Newer than firmware 1.9.5.
bool IsFirmwareNewerThan195(const BYTE firmware[3]);
// Both the image variant and the CPU model are valid triples.
bool IsTaggedIdentification(const CPlcIdentification& identification);

// Download/Monitor rules for a project of the family bit; subType is set
// when a rule chooses the image variant (also when the CPU range refuses).
PlcCompatibilityVerdict JudgePlcCompatibility(const CPlcIdentification& identification, DWORD familyBit, BYTE& subType);
// Upload rules; edition is the middle copy of the edition byte.
PlcCompatibilityVerdict JudgeUploadCompatibility(const CPlcIdentification& identification, BYTE edition);

// Keeps the connected PLC's firmware, brand flags, CPU type code and CPU
// model in the application data.
void StoreConnectedPlc(const CPlcIdentification& identification);

// The check of Download ("download") and Monitor ("monitor") on the last
// identification reply in the port's receive buffer: TRUE when accepted;
// otherwise the user has been told why. May set the profile sub-type.
BOOL CheckPlcCompatibility(const char* verb);
BOOL CheckPlcCompatibility(const CPlcIdentification& identification, const char* verb);

// The Upload check on the last identification reply: TRUE when accepted,
// otherwise the user has been told why. Changes nothing in the application data.
BOOL CheckUploadCompatibility();
