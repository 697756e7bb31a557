#include "PlcInfo.h"

#include "CPlcCommandLock.h"
#include "CPlcIdentification.h"
#include "PlcProtocol.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/SharedServices.h"
#include "platform/ByteString.h"

#include <cstring>

namespace {

constexpr DWORD kRefreshLockMs = 1500;
constexpr int kLastGeneration = 3;

struct EditionClass {
    BYTE topBits;
    const char* text;
};

const EditionClass kEditionClasses[] = {
    {0x80, "Pro, "},
    {0x40, "Plus, "},
    {0x00, "Standard, "},
};

std::string ProjectText(const CPlcIdentification& identification)
{
    if (!identification.EditionValid)
        return " Unknown";
    int generation = identification.Edition & 0x3F;
    BYTE topBits = identification.Edition & 0xC0;
    if (generation > kLastGeneration)
        return " Unknown";
    for (const EditionClass& edition : kEditionClasses) {
        if (edition.topBits == topBits)
            return ByteString::Format(" %sV1.%d", edition.text, generation);
    }
    return " Unknown";
}

std::string FirmwareText(const CPlcIdentification& identification)
{
    const BYTE* v = identification.Firmware;
    BYTE model = identification.CpuModel;
    bool branded = identification.CpuModelValid && ((model >= 1 && model <= 8) || model == 16);
    if (branded && (identification.BrandFlags & 0x80) != 0)
        return ByteString::Format(" %d.%d.%d ZUL", v[0], v[1], v[2]);
    if (branded && (identification.BrandFlags & 0x40) != 0)
        return ByteString::Format(" %d.%d.%d Orvel", v[0], v[1], v[2]);
    return ByteString::Format(" %d.%d.%d", v[0], v[1], v[2]);
}

std::string ModuleName(BYTE hardwareCode)
{
    const CModuleCatalogEntry* row = FindCatalogRowByCode(hardwareCode);
    if (row == nullptr)
        return {};
    return std::string(row->model, strnlen(row->model, sizeof(row->model)));
}

} // namespace

BOOL BuildPlcInfoView(const BYTE* data, int n, int runState, PlcInfoView& view)
{
    view = PlcInfoView();
    CPlcIdentification identification;
    if (!identification.Parse(data, n))
        return FALSE;
    view.project = ProjectText(identification);
    view.running = runState != 0;
    view.mode = view.running ? " RUN" : " STOP";
    view.cpuType = GetCPUTypeName(identification.CpuTypeCode);
    view.firmware = FirmwareText(identification);
    int position = 1;
    for (const PlcModuleState& module : identification.Modules) {
        view.modules.push_back({ByteString::Format("%d", position), ModuleName(module.hardwareCode),
                                ByteString::Format("%d", module.failureCode)});
        ++position;
    }
    return TRUE;
}

BOOL BuildPlcInfoView(PlcInfoView& view)
{
    return BuildPlcInfoView(PlcReplyData(), PlcReplyDataLength(), g_pAppData->PlcRunState, view);
}

int RefreshPlcInfo()
{
    CPlcCommandLock lock;
    if (!lock.Take(kRefreshLockMs))
        return PLC_DECLINED;
    int result = PlcReadState();
    if (result != PLC_OK) {
        ShowCommError(nullptr, 1, 'A', result);
        return result;
    }
    g_pAppData->PlcRunState = PlcReplyData()[0];
    result = PlcReadInfo();
    if (result != PLC_OK)
        ShowCommError(nullptr, 1, 'E', result);
    return result;
}
