#pragma once
// The "Communication Ports" page without its window: the selections of the
// five lists of Port0 and Port1, the "Modbus Master" switch with the
// master's time-out and retries, and what the page enables. The window
// copies its controls in before each operation and shows the state after.
// Port settings go into the CPU's record, the master settings into the
// project's Port1 Modbus block.

#include "CpuPageContext.h"

#include <string>
#include <vector>

enum CpuPortList { PORT_LIST_ADDRESS, PORT_LIST_BAUD, PORT_LIST_PARITY, PORT_LIST_DATA_BITS, PORT_LIST_STOP_BITS };
constexpr int PORT_LIST_COUNT = 5;
constexpr int CPU_PORT_COUNT = 2;

constexpr int MASTER_TIMEOUT_MIN = 1;
constexpr int MASTER_TIMEOUT_MAX = 65535;
constexpr int MASTER_TIMEOUT_DEFAULT = 1000;
constexpr int MASTER_RETRIES_MAX = 10;
constexpr int MASTER_RETRIES_DEFAULT = 3;
// The data-bits list item that stands for 8 data bits.
constexpr int DATA_BITS_EIGHT_ITEM = 1;

class CPageCPUComModel {
public:
    explicit CPageCPUComModel(CZULAppData& app);

    CpuPageContext& Context() { return m_context; }

    // The items of a list, in order.
    static std::vector<std::string> ListItems(CpuPortList list);
    // Port1 exists only on these hardware codes.
    static bool HasPort1(BYTE hardwareCode);
    // Baud list item of a stored code and back; -1 for a code outside the list.
    static int BaudItemOfCode(int code);
    static int BaudCodeOfItem(int item);

    void OnInitDialog();
    void SetDefaultSettings();
    void ReloadSettings();
    void OnDataBitsChanged(int port);
    void OnModbusMasterClicked();
    BOOL ApplyPortSettings();

    // Control state.
    int selection[CPU_PORT_COUNT][PORT_LIST_COUNT] = {};
    bool port1Enabled = false;        // the five Port1 lists and the switch
    bool port1AddressEnabled = false;
    bool master = false;              // the "Modbus Master" box
    bool masterFieldsEnabled = false; // time-out and retries
    std::string timeoutText;
    std::string retriesText;

private:
    void SelectDefaults(int port);
    void SelectFromRecord(int port);
    void ShowTimeoutAndRetries(int timeout, int retries);
    BOOL StorePort(int port);
    // The field as a number in its range; the framework's message otherwise.
    bool ReadNumber(const std::string& text, int low, int high, int& value) const;
    void WriteMasterSwitch(bool on);

    CpuPageContext m_context;
};
