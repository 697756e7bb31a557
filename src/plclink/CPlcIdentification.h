#pragma once
// The PLC's identification, as the reply to 'E' carries it in its data bytes:
// firmware version, brand flags, the modules with their failure codes, and
// on newer firmware three tagged triples at the end (image variant, CPU
// model, edition).

#include "platform/WinTypes.h"

#include <vector>

struct PlcModuleState {
    BYTE hardwareCode = 0;
    BYTE failureCode = 0;
};

class CPlcIdentification {
public:
    // Reads the n data bytes of an identification reply. FALSE (and nothing
    // valid) when they are too few for the header or the module pairs they
    // announce; a reply too short for the tags counts as untagged.
    BOOL Parse(const BYTE* data, int n);

    BYTE Firmware[3] = {};       // major, minor, patch
    BYTE BrandFlags = 0;         // bits 7 and 6 select the firmware text's suffix
    std::vector<PlcModuleState> Modules;  // the CPU first
    BYTE CpuTypeCode = 0;        // hardware code of the first module
    BYTE ImageVariant = 0;
    BOOL ImageVariantValid = FALSE;
    BYTE CpuModel = 0;           // 1..23
    BOOL CpuModelValid = FALSE;
    BYTE Edition = 0;            // bits 7-6 edition class, bits 5-0 generation
    BOOL EditionValid = FALSE;
};
