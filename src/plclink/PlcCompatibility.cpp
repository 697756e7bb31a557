#include "PlcCompatibility.h"

#include "PlcProtocol.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

namespace {

struct ModelRange {
    DWORD familyBits;
    BYTE first;
    BYTE last;
};

// CPU model codes that each family bit accepts.
const ModelRange kModelRanges[] = {
    {CPU_FAMILY_VB12, 1, 3},
    {CPU_FAMILY_VB14 | CPU_FAMILY_NONE8, 4, 8},
    {CPU_FAMILY_VB14EX, 9, 11},
    {CPU_FAMILY_VB16, 12, 15},
    {CPU_FAMILY_VA10, 16, 16},
    {CPU_FAMILY_VC14, 17, 19},
    {CPU_FAMILY_VC16, 20, 23},
};

struct UntaggedRule {
    BYTE firmware[3];
    DWORD familyBits;
    BYTE subType;
};

// Older firmware without tags: one version per group of families.
const UntaggedRule kUntaggedRules[] = {
    {{1, 9, 5}, CPU_FAMILY_VB12 | CPU_FAMILY_VB14 | CPU_FAMILY_NONE8, PROFILE_SUBTYPE_VA10},
    {{2, 1, 0}, CPU_FAMILY_VB14EX, PROFILE_SUBTYPE_VB16},
    {{2, 2, 0}, CPU_FAMILY_VC14, PROFILE_SUBTYPE_VC},
};

struct UploadEditionRule {
    BYTE edition;
    BYTE firstModel;
    BYTE lastModel;
};

const UploadEditionRule kUploadEditionRules[] = {
    {0, 16, 16},
    {1, 1, 15},
    {3, 1, 8},
    {2, 17, 23},
};

bool IsVersion(const BYTE firmware[3], BYTE major, BYTE minor, BYTE patch)
{
    return firmware[0] == major && firmware[1] == minor && firmware[2] == patch;
}

bool ModelFitsFamily(BYTE model, DWORD familyBit)
{
    for (const ModelRange& range : kModelRanges) {
        if ((range.familyBits & familyBit) != 0 && familyBit != 0)
            return model >= range.first && model <= range.last;
    }
    return false;
}

bool IsOldUploadFirmware(const BYTE firmware[3])
{
    if (IsVersion(firmware, 2, 0, 0) || firmware[0] == 0)
        return true;
    if (firmware[0] != 1)
        return false;
    return firmware[1] < 9 || (firmware[1] == 9 && firmware[2] < 5);
}

void ShowNote(const std::string& text)
{
    ShowMessage("Note", text, MB_OK | MB_ICONINFORMATION);
}

std::string FirmwareRefusal(const char* verb, const BYTE firmware[3])
{
    return ByteString::Format("Unable to %s because the version of the firmware (%d.%d.%d) does not match that of OrvelBuilder.",
                              verb, firmware[0], firmware[1], firmware[2]);
}

bool LastIdentification(CPlcIdentification& identification)
{
    return identification.Parse(PlcReplyData(), PlcReplyDataLength()) != FALSE;
}

} // namespace

bool IsFirmwareNewerThan195(const BYTE firmware[3])
{
    if (firmware[0] != 1)
        return firmware[0] > 1;
    if (firmware[1] != 9)
        return firmware[1] > 9;
    return firmware[2] > 5;
}

bool IsTaggedIdentification(const CPlcIdentification& identification)
{
    return identification.ImageVariantValid && identification.CpuModelValid;
}

PlcCompatibilityVerdict JudgePlcCompatibility(const CPlcIdentification& identification, DWORD familyBit, BYTE& subType)
{
    const BYTE* firmware = identification.Firmware;
    bool tagged = IsTaggedIdentification(identification);
    if (!tagged) {
        for (const UntaggedRule& rule : kUntaggedRules) {
            if (!IsVersion(firmware, rule.firmware[0], rule.firmware[1], rule.firmware[2]))
                continue;
            if ((rule.familyBits & familyBit) == 0)
                return PLC_REFUSED_CPU;
            subType = rule.subType;
            return PLC_COMPATIBLE;
        }
        return PLC_REFUSED_FIRMWARE;
    }
    if (IsVersion(firmware, 1, 9, 5)) {
        if (familyBit != CPU_FAMILY_VA10)
            return PLC_REFUSED_CPU;
        subType = PROFILE_SUBTYPE_VA10;
        return PLC_COMPATIBLE;
    }
    if (!IsFirmwareNewerThan195(firmware))
        return PLC_REFUSED_FIRMWARE;
    subType = identification.ImageVariant;
    return ModelFitsFamily(identification.CpuModel, familyBit) ? PLC_COMPATIBLE : PLC_REFUSED_CPU;
}

PlcCompatibilityVerdict JudgeUploadCompatibility(const CPlcIdentification& identification, BYTE edition)
{
    const BYTE* firmware = identification.Firmware;
    bool tagged = IsTaggedIdentification(identification);
    if (!tagged && (IsVersion(firmware, 1, 9, 5) || IsVersion(firmware, 2, 1, 0) || IsVersion(firmware, 2, 2, 0)))
        return PLC_COMPATIBLE;
    if (tagged && IsFirmwareNewerThan195(firmware)) {
        BYTE model = identification.CpuModel;
        for (const UploadEditionRule& rule : kUploadEditionRules) {
            if (rule.edition == edition)
                return model >= rule.firstModel && model <= rule.lastModel ? PLC_COMPATIBLE : PLC_REFUSED_CPU;
        }
        return PLC_REFUSED_CPU;
    }
    if (!tagged && IsOldUploadFirmware(firmware))
        return PLC_REFUSED_FIRMWARE;
    return PLC_REFUSED_UNKNOWN;
}

void StoreConnectedPlc(const CPlcIdentification& identification)
{
    CZULAppData& app = *g_pAppData;
    app.PlcIdent[0] = identification.Firmware[0];
    app.PlcIdent[1] = identification.Firmware[1];
    app.PlcIdent[2] = identification.Firmware[2];
    app.PlcIdent[3] = identification.BrandFlags;
    app.PlcIdent[4] = identification.CpuTypeCode;
    app.ConnectedCpuModel = identification.CpuModel;
    app.ConnectedCpuModelValid = identification.CpuModelValid ? 1 : 0;
}

BOOL CheckPlcCompatibility(const CPlcIdentification& identification, const char* verb)
{
    BYTE subType = g_pAppData->ProfileSubType;
    PlcCompatibilityVerdict verdict = JudgePlcCompatibility(identification, GetCPUFamilyMask(), subType);
    g_pAppData->ProfileSubType = subType;
    if (verdict == PLC_COMPATIBLE)
        return TRUE;
    if (verdict == PLC_REFUSED_CPU)
        ShowNote(ByteString::Format("Unable to %s because the connected CPU is different from the one in the Hardware configuration.", verb));
    else
        ShowNote(FirmwareRefusal(verb, identification.Firmware));
    return FALSE;
}

BOOL CheckPlcCompatibility(const char* verb)
{
    CPlcIdentification identification;
    LastIdentification(identification);
    return CheckPlcCompatibility(identification, verb);
}

BOOL CheckUploadCompatibility()
{
    CPlcIdentification identification;
    LastIdentification(identification);
    // The middle copy of the edition byte; a tagged reply has room for it.
    int n = PlcReplyDataLength();
    BYTE edition = n >= 2 ? PlcReplyData()[n - 2] : 0;
    switch (JudgeUploadCompatibility(identification, edition)) {
    case PLC_COMPATIBLE:
        return TRUE;
    case PLC_REFUSED_CPU:
        ShowNote("Unable to upload because the connected CPU is different from the PLC information.");
        return FALSE;
    case PLC_REFUSED_FIRMWARE:
        ShowNote(FirmwareRefusal("upload", identification.Firmware));
        return FALSE;
    case PLC_REFUSED_UNKNOWN:
        break;
    }
    ShowNote("Unable to upload because Quillon can not get effective PLC information from the connected CPU.");
    return FALSE;
}
