#include "CPageCPUIOModel.h"

#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "model/SharedStrings.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

constexpr int kBitsPerByte = 8;
constexpr int kFilterCount = static_cast<int>(std::size(kFilterTimes));

// Filter groups a CPU with up to this many inputs has; more inputs keep all eight.
struct CFilterLimit {
    int maxInputs;
    int groups;
};
constexpr CFilterLimit kFilterLimits[] = {{8, 2}, {16, 4}, {24, 6}};

int BytesFor(int count)
{
    return (count + kBitsPerByte - 1) / kBitsPerByte;
}

int FilterGroupsFor(int diCount)
{
    for (const CFilterLimit& limit : kFilterLimits)
        if (diCount <= limit.maxInputs)
            return limit.groups;
    return CPU_FILTER_GROUPS;
}

int NumberOf(const std::string& text)
{
    return std::atoi(text.c_str());
}

} // namespace

CPageCPUIOModel::CPageCPUIOModel(CZULAppData& app) : m_context(app) {}

std::vector<std::string> CPageCPUIOModel::FilterItems()
{
    return {std::begin(kFilterTimes), std::end(kFilterTimes)};
}

int CPageCPUIOModel::StartedOutputs() const
{
    return std::min(CZUL_Q7_PLC::StopStateCount(m_context.Module()->doCount), CPU_STOP_BOXES);
}

void CPageCPUIOModel::CopyStopStatesFromRecord()
{
    const CZUL_Q7_PLC& module = *m_context.Module();
    std::fill(std::begin(stop), std::end(stop), false);
    for (int output = 0; output < StartedOutputs(); ++output)
        stop[output] = module.stopStates[output] != 0;
}

void CPageCPUIOModel::SelectRecordFilters()
{
    const CZUL_Q7_PLC& module = *m_context.Module();
    for (int group = 0; group < CPU_FILTER_GROUPS; ++group) {
        const int code = module.inputFilters[group];
        filterSelection[group] = code < kFilterCount ? code : NO_SELECTION;
    }
}

void CPageCPUIOModel::OnInitDialog()
{
    if (!m_context.Module())
        return;
    CZUL_Q7_PLC& module = *m_context.Module();
    module.iStart = 0;
    module.qStart = 0;
    m_iLength = BytesFor(module.diCount);
    m_qLength = BytesFor(module.doCount);
    iLengthText = std::to_string(m_iLength);
    qLengthText = std::to_string(m_qLength);
    iStartText = "0";
    qStartText = "0";
    const int groups = FilterGroupsFor(module.diCount);
    for (int group = 0; group < CPU_FILTER_GROUPS; ++group)
        filterEnabled[group] = group < groups;
    for (int output = 0; output < CPU_STOP_BOXES; ++output)
        stopEnabled[output] = output < module.doCount;
    SelectRecordFilters();
    for (int row = 0; row < CPU_STOP_ROWS; ++row)
        rowLabel[row] = "Q" + std::to_string(module.qStart + row) + ".x";
    selectAll = false;
    CopyStopStatesFromRecord();
}

void CPageCPUIOModel::SetDefaultSettings()
{
    if (!m_context.Module())
        return;
    CZUL_Q7_PLC& module = *m_context.Module();
    module.iStart = 0;
    module.qStart = 0;
    iStartText = "0";
    qStartText = "0";
    std::fill(std::begin(filterSelection), std::end(filterSelection), 0);
    selectAll = false;
    std::fill(std::begin(stop), std::end(stop), false);
    SetProjectModified(TRUE);
}

void CPageCPUIOModel::ReloadSettings()
{
    if (!m_context.Module())
        return;
    CZUL_Q7_PLC& module = *m_context.Module();
    module.iStart = 0;
    module.iEnd = static_cast<BYTE>(m_iLength - 1);
    module.qStart = 0;
    module.qEnd = static_cast<BYTE>(m_qLength - 1);
    iStartText = "0";
    qStartText = "0";
    SelectRecordFilters();
    selectAll = false;
    CopyStopStatesFromRecord();
    SetProjectModified(TRUE);
}

void CPageCPUIOModel::OnSelectAllClicked()
{
    if (selectAll && m_context.Module()) {
        const int outputs = std::min<int>(m_context.Module()->doCount, CPU_STOP_BOXES);
        std::fill(stop, stop + outputs, true);
    }
    SetProjectModified(TRUE);
}

void CPageCPUIOModel::OnStopBoxClicked(int output)
{
    if (!stop[output])
        selectAll = false;
    SetProjectModified(TRUE);
}

BOOL CPageCPUIOModel::ApplyIOSettings()
{
    if (!m_context.IsFirstModule())
        return FALSE;
    CZUL_Q7_PLC& module = *m_context.Module();
    module.iStart = 0;
    module.iEnd = static_cast<BYTE>(NumberOf(iLengthText) - 1);
    for (int group = 0; group < CPU_FILTER_GROUPS; ++group) {
        if (filterSelection[group] == NO_SELECTION) {
            ShowMessage("Error", "An unknown error with the Input Filter.", MB_OK | MB_ICONERROR);
            return FALSE;
        }
        module.inputFilters[group] = static_cast<BYTE>(filterSelection[group]);
    }
    module.qStart = 0;
    module.qEnd = static_cast<BYTE>(NumberOf(qLengthText) - 1);
    for (int output = 0; output < StartedOutputs(); ++output)
        module.stopStates[output] = stop[output] ? 1 : 0;
    return TRUE;
}
