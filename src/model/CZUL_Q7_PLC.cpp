#include "CZUL_Q7_PLC.h"

#include "CZULAppData.h"
#include "ProjectFileHeader.h"
#include "platform/CArchive.h"

#include <algorithm>

IMPLEMENT_SERIAL(CZUL_Q7_PLC, CObject, 1)

namespace {

// The header of the file being read; without application data, the current version.
bool ReadingPackedFilters()
{
    if (!g_pAppData)
        return true;
    return HeaderHasFullHardwareData(g_pAppData->ProjectFileHeader);
}

} // namespace

CZUL_Q7_PLC::CZUL_Q7_PLC()
{
    retain[2].area = 1;
    retain[3].area = 1;
}

int CZUL_Q7_PLC::StopStateCount(int count)
{
    return (count + 7) / 8 * 8;
}

void CZUL_Q7_PLC::InitFromCatalog(const CModuleCatalogEntry& row)
{
    model = row.model;
    hardwareCode = row.hardwareCode;
    kindMask = row.kind;
    description = row.description;
    diCount = static_cast<WORD>(row.diCount);
    doCount = static_cast<WORD>(row.doCount);
    aiCount = static_cast<WORD>(row.aiCount);
    aoCount = static_cast<WORD>(row.aoCount);
    // Rows with more channels than the record holds clear what it holds.
    const int aiSlots = std::min<int>(aiCount, MODULE_AI_SLOTS);
    for (int i = 0; i < aiSlots; ++i) {
        aiFunction[i] = 0;
        aiFilter[i] = 0;
    }
    const int aoSlots = std::min<int>(aoCount, MODULE_AO_SLOTS);
    for (int i = 0; i < aoSlots; ++i) {
        aoRange[i] = 0;
        aoStopMode[i] = 0;
    }
    std::fill(std::begin(diChannelWords), std::end(diChannelWords), 0);
    std::fill(std::begin(inputFilters), std::end(inputFilters), 0);
    const int stops = std::min(StopStateCount(doCount), MODULE_STOP_STATES);
    std::fill(stopStates, stopStates + stops, 0);
}

void CZUL_Q7_PLC::SerializePorts(CArchive& ar)
{
    for (CModulePortSettings& port : ports) {
        if (ar.IsStoring())
            ar << port.address << port.baud << port.dataBits << port.parity << port.stopBits;
        else
            ar >> port.address >> port.baud >> port.dataBits >> port.parity >> port.stopBits;
    }
}

void CZUL_Q7_PLC::SerializeFilters(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (int k = 0; k < MODULE_INPUT_FILTERS / 2; ++k)
            ar << static_cast<BYTE>((inputFilters[2 * k] & 0x0F) | ((inputFilters[2 * k + 1] & 0x0F) << 4));
        return;
    }
    if (!ReadingPackedFilters()) {
        ar >> inputFilters[0] >> inputFilters[1];
        return;
    }
    for (int k = 0; k < MODULE_INPUT_FILTERS / 2; ++k) {
        BYTE packed = 0;
        ar >> packed;
        inputFilters[2 * k] = packed & 0x0F;
        inputFilters[2 * k + 1] = packed >> 4;
    }
}

void CZUL_Q7_PLC::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << model << hardwareCode << kindMask << description;
    else
        ar >> model >> hardwareCode >> kindMask >> description;
    SerializePorts(ar);

    if (ar.IsStoring()) {
        ar << portOption;
        for (const CRetainRange& range : retain)
            ar << range.area << range.start << range.length;
        ar << optionWord;
        ar.Write(optionBytes, sizeof(optionBytes));
        ar << diCount << iStart << iEnd;
        for (DWORD word : diChannelWords)
            ar << word;
    } else {
        ar >> portOption;
        for (CRetainRange& range : retain)
            ar >> range.area >> range.start >> range.length;
        ar >> optionWord;
        ar.Read(optionBytes, sizeof(optionBytes));
        ar >> diCount >> iStart >> iEnd;
        for (DWORD& word : diChannelWords)
            ar >> word;
    }
    SerializeFilters(ar);

    if (ar.IsStoring()) {
        ar << doCount << qStart << qEnd;
        const int stops = std::min(StopStateCount(doCount), MODULE_STOP_STATES);
        for (int i = 0; i < stops; ++i)
            ar << stopStates[i];
        ar << aiCount << aiStart << aiEnd;
        for (int i = 0; i < MODULE_AI_SLOTS; ++i)
            ar << aiFunction[i] << aiFilter[i];
        ar << aoCount << aoStart << aoEnd;
        for (int i = 0; i < MODULE_AO_SLOTS; ++i)
            ar << aoRange[i] << aoStopMode[i] << aoFreezeValue[i];
        return;
    }
    ar >> doCount >> qStart >> qEnd;
    if (StopStateCount(doCount) > MODULE_STOP_STATES) {
        // More outputs than STOP states the record can hold: a damaged file.
        ar.SetError(CArchive::badCount);
        return;
    }
    for (int i = 0; i < StopStateCount(doCount); ++i)
        ar >> stopStates[i];
    ar >> aiCount >> aiStart >> aiEnd;
    for (int i = 0; i < MODULE_AI_SLOTS; ++i)
        ar >> aiFunction[i] >> aiFilter[i];
    ar >> aoCount >> aoStart >> aoEnd;
    for (int i = 0; i < MODULE_AO_SLOTS; ++i)
        ar >> aoRange[i] >> aoStopMode[i] >> aoFreezeValue[i];
}
