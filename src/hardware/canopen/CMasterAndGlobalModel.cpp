#include "CMasterAndGlobalModel.h"

#include "CanOpenTexts.h"
#include "model/CMemAreaInfo.h"
#include "model/CZULProject.h"
#include "model/ProjectModified.h"
#include "platform/CUserInterface.h"
#include "platform/IMessageBox.h"

#include <charconv>
#include <cstdio>

namespace {

constexpr const char* kBaudRates[CANOPEN_BAUD_RATES] = {"10k bps",  "20k bps",  "50k bps",  "125k bps",
                                                        "250k bps", "500k bps", "800k bps", "1000k bps"};

// One status area of the master in V memory.
struct CStatusArea {
    const char* name;
    unsigned start;
    unsigned bytes;
    int stored;
};

} // namespace

CMasterAndGlobalModel::CMasterAndGlobalModel(CZULProject& project) : m_project(project) {}

std::vector<std::string> CMasterAndGlobalModel::BaudRateItems()
{
    return {std::begin(kBaudRates), std::end(kBaudRates)};
}

void CMasterAndGlobalModel::OnInitDialog()
{
    m_netStates = static_cast<unsigned>(m_project.NetStates);
    m_masterStates = static_cast<unsigned>(m_project.MasterStates);
    m_allSlaveStates = static_cast<unsigned>(m_project.AllSalveStates);
    m_masterAddress = CANOPEN_MASTER_ADDRESS;
    m_overTime = static_cast<unsigned>(m_project.OverTime);
    m_configureAtStart = m_project.NotHandleBoot;
    const int baud = m_project.CanOpenBPS;
    baudSelection = baud >= 0 && baud < CANOPEN_BAUD_RATES ? baud : -1;
    ShowValues();
    m_initialised = true;
}

void CMasterAndGlobalModel::ShowValues()
{
    allSlaveStatesText = std::to_string(m_allSlaveStates);
    masterAddressText = std::to_string(m_masterAddress);
    masterStatesText = std::to_string(m_masterStates);
    netStatesText = std::to_string(m_netStates);
    overTimeText = std::to_string(m_overTime);
    configureAtStart = m_configureAtStart != 0 ? TRUE : FALSE;
}

// Text that is no number, and a number outside the field's range, are
// refused with a message and keep the previous value: the PLC never gets a
// time-out or a status start it cannot use.
bool CMasterAndGlobalModel::ReadField(const std::string& text, unsigned low, unsigned high, unsigned& value) const
{
    unsigned number = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    const bool isNumber = result.ptr == end && (result.ec == std::errc() || result.ec == std::errc::result_out_of_range);
    if (!isNumber) {
        ShowMessage("", "Please enter a positive integer.", MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (result.ec == std::errc() && number >= low && number <= high) {
        value = number;
        return true;
    }
    ShowMessage("", "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".",
                MB_OK | MB_ICONEXCLAMATION);
    return false;
}

// The first field that fails ends the reading; the later ones keep their values.
void CMasterAndGlobalModel::ReadFields()
{
    if (!ReadField(allSlaveStatesText, 0, CANOPEN_MAX_STATUS_START, m_allSlaveStates))
        return;
    if (!ReadField(masterAddressText, CANOPEN_MASTER_ADDRESS, CANOPEN_MASTER_ADDRESS, m_masterAddress))
        return;
    if (!ReadField(masterStatesText, 0, CANOPEN_MAX_STATUS_START, m_masterStates))
        return;
    if (!ReadField(netStatesText, 0, CANOPEN_MAX_STATUS_START, m_netStates))
        return;
    if (!ReadField(overTimeText, 0, CANOPEN_MAX_SDO_TIMEOUT, m_overTime))
        return;
    m_configureAtStart = configureAtStart ? 1 : 0;
}

// The master writes its status bytes into V memory: a start that the user
// changed must leave the whole area inside the CPU's V area. Values the
// project already holds pass, so that an old project can still be saved.
bool CMasterAndGlobalModel::StatusAreasFit(unsigned allSlaveStates) const
{
    const unsigned vBytes = g_LiveAreaTable[MEM_ROW_V].unitCount;
    const CStatusArea areas[] = {
        {kNetStatusName, m_netStates, CANOPEN_NET_STATUS_BYTES, m_project.NetStates},
        {kMasterStatusName, m_masterStates, CANOPEN_MASTER_STATUS_BYTES, m_project.MasterStates},
        {kSlavesStatusName, allSlaveStates, CANOPEN_SLAVES_STATUS_BYTES, m_project.AllSalveStates},
    };
    for (const CStatusArea& area : areas) {
        if (static_cast<int>(area.start) == area.stored || area.start + area.bytes <= vBytes)
            continue;
        if (m_bringToFront)
            m_bringToFront();
        char text[256];
        std::snprintf(text, sizeof text, kStatusAreaOutsideV, area.name, static_cast<int>(vBytes) - 1);
        ShowMessage(kMessageCaption, text, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

BOOL CMasterAndGlobalModel::ApplyMasterSettings()
{
    if (!m_initialised)
        return TRUE;
    ReadFields();
    const bool odd = m_allSlaveStates % 2 != 0;
    if (!StatusAreasFit(odd ? m_allSlaveStates - 1 : m_allSlaveStates))
        return FALSE;
    m_project.OverTime = static_cast<int>(m_overTime);
    m_project.NetStates = static_cast<int>(m_netStates);
    m_project.MasterStates = static_cast<int>(m_masterStates);
    if (odd) {
        ShowMessage(kMessageCaption, kOddSlavesStatusStart, MB_OK);
        --m_allSlaveStates;
    }
    m_project.AllSalveStates = static_cast<int>(m_allSlaveStates);
    m_project.CanOpenBPS = baudSelection >= 0 ? baudSelection : CANOPEN_DEFAULT_BAUD;
    m_project.NotHandleBoot = m_configureAtStart;
    SetProjectModified(TRUE);
    ShowValues();
    return TRUE;
}
