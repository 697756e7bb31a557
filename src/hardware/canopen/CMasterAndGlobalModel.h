#pragma once
// The CANopen master and global settings page without its window: the
// field texts of the status starts, the master address and the SDO
// time-out, the configure-at-start box and the baud-rate list, loaded from
// the project and stored back by the apply. The window copies its controls
// in before the apply and shows the texts afterwards.

#include "platform/WinTypes.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class CZULProject;

constexpr int CANOPEN_BAUD_RATES = 8;
constexpr int CANOPEN_DEFAULT_BAUD = 5;
constexpr unsigned CANOPEN_MASTER_ADDRESS = 127;
constexpr unsigned CANOPEN_MAX_STATUS_START = 12288;
constexpr unsigned CANOPEN_MAX_SDO_TIMEOUT = 65535;
// Bytes of the status areas that the master writes into V memory.
constexpr unsigned CANOPEN_NET_STATUS_BYTES = 4;
constexpr unsigned CANOPEN_MASTER_STATUS_BYTES = 1;
constexpr unsigned CANOPEN_SLAVES_STATUS_BYTES = 128;

class CMasterAndGlobalModel {
public:
    explicit CMasterAndGlobalModel(CZULProject& project);

    // "10k bps" .. "1000k bps", by position.
    static std::vector<std::string> BaudRateItems();

    // The project's values into the fields; the page is initialised from then on.
    void OnInitDialog();
    // Reads the fields, checks the status areas against the CPU's V area and
    // stores; FALSE after a message when a changed status area does not fit.
    BOOL ApplyMasterSettings();
    bool IsInitialised() const { return m_initialised; }
    // Called before the status-area warning, so that the warning is seen
    // with the page in front.
    void SetBringToFront(std::function<void()> bringToFront) { m_bringToFront = std::move(bringToFront); }

    // Control state.
    std::string allSlaveStatesText;
    std::string masterAddressText;
    std::string masterStatesText;
    std::string netStatesText;
    std::string overTimeText;
    BOOL configureAtStart = FALSE;
    int baudSelection = -1;

private:
    void ReadFields();
    bool ReadField(const std::string& text, unsigned low, unsigned high, unsigned& value) const;
    bool StatusAreasFit(unsigned allSlaveStates) const;
    void ShowValues();

    CZULProject& m_project;
    std::function<void()> m_bringToFront;
    bool m_initialised = false;
    unsigned m_allSlaveStates = 0;
    unsigned m_masterAddress = 0;
    unsigned m_masterStates = 0;
    unsigned m_netStates = 0;
    unsigned m_overTime = 0;
    int m_configureAtStart = 0;
};
