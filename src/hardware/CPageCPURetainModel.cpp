#include "CPageCPURetainModel.h"

#include "CKeepModifiedFlag.h"

#include "model/CMemAreaInfo.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "model/SharedStrings.h"
#include "platform/CUserInterface.h"

#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

constexpr RetainArea kDefaultAreas[CPU_RETAIN_RANGES] = {RETAIN_AREA_VB, RETAIN_AREA_VB, RETAIN_AREA_C, RETAIN_AREA_C};

const CMemAreaInfo& AreaRow(int area)
{
    return g_LiveAreaTable[area == RETAIN_AREA_C ? MEM_ROW_C : MEM_ROW_V];
}

int Units(int area)
{
    return AreaRow(area).unitCount;
}

int LowestIndex(int area)
{
    return static_cast<int>(AreaRow(area).minIndex);
}

int HighestIndex(int area)
{
    return static_cast<int>(AreaRow(area).maxIndex);
}

int NumberOf(const std::string& text)
{
    return std::atoi(text.c_str());
}

} // namespace

CPageCPURetainModel::CPageCPURetainModel(CZULAppData& app) : m_context(app) {}

std::vector<std::string> CPageCPURetainModel::AreaItems()
{
    return {std::begin(kRetainAreas), std::end(kRetainAreas)};
}

void CPageCPURetainModel::SetLengthSpin(int range, int start)
{
    lengthSpin[range] = {0, Units(area[range]) - start};
}

void CPageCPURetainModel::OnInitDialog()
{
    CKeepModifiedFlag keep;
    if (m_context.IsFirstModule())
        ReloadSettings();
    else
        SetDefaultSettings();
}

void CPageCPURetainModel::SetDefaultSettings()
{
    for (int range = 0; range < CPU_RETAIN_RANGES; ++range) {
        area[range] = kDefaultAreas[range];
        startText[range] = "0";
        lengthText[range] = "0";
        startSpin[range] = {LowestIndex(area[range]), HighestIndex(area[range])};
        lengthSpin[range] = {0, Units(area[range])};
    }
    SetProjectModified(TRUE);
}

void CPageCPURetainModel::ReloadSettings()
{
    if (!m_context.IsFirstModule())
        return;
    const CZUL_Q7_PLC& module = *m_context.Module();
    for (int range = 0; range < CPU_RETAIN_RANGES; ++range) {
        const CRetainRange& stored = module.retain[range];
        area[range] = stored.area == RETAIN_AREA_VB ? RETAIN_AREA_VB : RETAIN_AREA_C;
        startSpin[range] = {LowestIndex(area[range]), HighestIndex(area[range])};
        startText[range] = std::to_string(stored.start);
        SetLengthSpin(range, stored.start);
        lengthText[range] = std::to_string(stored.length);
    }
    SetProjectModified(TRUE);
}

void CPageCPURetainModel::OnAreaChanged(int range)
{
    startSpin[range] = {LowestIndex(area[range]), HighestIndex(area[range])};
    int start = NumberOf(startText[range]);
    if (start > HighestIndex(area[range]))
        start = HighestIndex(area[range]);
    startText[range] = std::to_string(start);
    SetLengthSpin(range, start);
    if (NumberOf(lengthText[range]) > lengthSpin[range].high)
        lengthText[range] = std::to_string(lengthSpin[range].high);
    SetProjectModified(TRUE);
}

void CPageCPURetainModel::OnStartChanged(int range)
{
    if (!m_startChangedOnce[range]) {
        m_startChangedOnce[range] = true;
        return;
    }
    int start = NumberOf(startText[range]);
    if (start >= HighestIndex(area[range]))
        start = HighestIndex(area[range]);
    if (start <= 0)
        start = 0;
    startText[range] = std::to_string(start);
    SetLengthSpin(range, start);
    SetProjectModified(TRUE);
}

void CPageCPURetainModel::OnLengthChanged(int range)
{
    if (!m_lengthChangedOnce[range]) {
        m_lengthChangedOnce[range] = true;
        return;
    }
    int length = NumberOf(lengthText[range]);
    if (length >= lengthSpin[range].high)
        length = lengthSpin[range].high;
    if (length <= lengthSpin[range].low)
        length = lengthSpin[range].low;
    lengthText[range] = std::to_string(length);
    SetProjectModified(TRUE);
}

BOOL CPageCPURetainModel::ApplyRetentiveRanges()
{
    int starts[CPU_RETAIN_RANGES] = {};
    int lengths[CPU_RETAIN_RANGES] = {};
    for (int range = 0; range < CPU_RETAIN_RANGES; ++range) {
        starts[range] = NumberOf(startText[range]);
        lengths[range] = NumberOf(lengthText[range]);
        if (starts[range] + lengths[range] - 1 > HighestIndex(area[range])) {
            char text[96];
            std::snprintf(text, sizeof text, "%s %d %s", "The configuration of Retentive Range ", range + 1,
                          " is out of range. ");
            ShowMessage("Error", text, MB_OK | MB_ICONERROR);
            return FALSE;
        }
    }
    if (!m_context.IsFirstModule())
        return FALSE;
    CZUL_Q7_PLC& module = *m_context.Module();
    for (int range = 0; range < CPU_RETAIN_RANGES; ++range)
        module.retain[range] = {static_cast<BYTE>(area[range]), static_cast<WORD>(starts[range]),
                                static_cast<WORD>(lengths[range])};
    return TRUE;
}
