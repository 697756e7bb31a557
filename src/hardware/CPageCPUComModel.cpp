#include "CPageCPUComModel.h"

#include "CKeepModifiedFlag.h"

#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/ProjectModified.h"
#include "model/SharedStrings.h"
#include "platform/CUserInterface.h"

#include <charconv>
#include <iterator>

namespace {

constexpr BYTE kPort1Codes[] = {4, 5, 36, 37, 40, 43, 44, 45, 46, 47, 48, 49, 51};
constexpr int kAddressCount = 31;
// The baud list starts with 1200, whose stored code is the last one.
constexpr int kBaudCode1200 = 5;
constexpr int kDefaultBaudItem = 3; // "9600"
constexpr int kModbusPort = 1;
constexpr int kMasterOn = 1;
constexpr int kMasterOff = -1;

struct CPortMessage {
    CpuPortList list;
    const char* port0;
    const char* port1;
};

// The apply's order of the lists and the message of a list without selection.
constexpr CPortMessage kPortMessages[] = {
    {PORT_LIST_ADDRESS, "An unknown error with the Address of Port0. ", "An unknown error with the Address of Port1. "},
    {PORT_LIST_BAUD, "An unknown error with the Baudrate of Port0. ", "An unknown error with the Baudrate of Port1. "},
    {PORT_LIST_DATA_BITS, "An unknown error with the DataBits of Port0. ", "An unknown error with the DataBits of Port1. "},
    {PORT_LIST_PARITY, "An unknown error with the Parity of Port0. ", "An unknown error with the Parity of Port1. "},
    {PORT_LIST_STOP_BITS, "An unknown error with the StopBits of Port0. ", "An unknown error with the StopBits of Port1. "},
};

int ItemOrNone(int item, CpuPortList list)
{
    const int count = static_cast<int>(CPageCPUComModel::ListItems(list).size());
    return item >= 0 && item < count ? item : NO_SELECTION;
}

} // namespace

CPageCPUComModel::CPageCPUComModel(CZULAppData& app) : m_context(app) {}

std::vector<std::string> CPageCPUComModel::ListItems(CpuPortList list)
{
    switch (list) {
    case PORT_LIST_ADDRESS: {
        std::vector<std::string> items;
        for (int address = 1; address <= kAddressCount; ++address)
            items.push_back(std::to_string(address));
        return items;
    }
    case PORT_LIST_BAUD:
        return {std::begin(kBaudRates), std::end(kBaudRates)};
    case PORT_LIST_PARITY:
        return {std::begin(kParityNames), std::end(kParityNames)};
    case PORT_LIST_DATA_BITS:
        return {std::begin(kDataBitsChoices), std::end(kDataBitsChoices)};
    case PORT_LIST_STOP_BITS:
        return {std::begin(kStopBitsChoices), std::end(kStopBitsChoices)};
    }
    return {};
}

bool CPageCPUComModel::HasPort1(BYTE hardwareCode)
{
    for (BYTE code : kPort1Codes)
        if (code == hardwareCode)
            return true;
    return false;
}

int CPageCPUComModel::BaudItemOfCode(int code)
{
    if (code == kBaudCode1200)
        return 0;
    return ItemOrNone(code + 1, PORT_LIST_BAUD);
}

int CPageCPUComModel::BaudCodeOfItem(int item)
{
    return item == 0 ? kBaudCode1200 : item - 1;
}

void CPageCPUComModel::OnInitDialog()
{
    CKeepModifiedFlag keep;
    CZUL_Q7_PLC* module = m_context.Module();
    port1Enabled = module && HasPort1(module->hardwareCode);
    CZULProject& project = m_context.App().Project;
    master = project.ModbusMaster[kModbusPort][MODBUS_ENABLE_OFFSET] != 0;
    port1AddressEnabled = port1Enabled && !master;
    masterFieldsEnabled = master;
    project.SetModbusInt(kModbusPort, MODBUS_SWITCH_OFFSET, master ? kMasterOn : kMasterOff);
    if (m_context.IsFirstModule())
        ReloadSettings();
    else
        SetDefaultSettings();
}

void CPageCPUComModel::SelectDefaults(int port)
{
    selection[port][PORT_LIST_ADDRESS] = 0;
    selection[port][PORT_LIST_BAUD] = kDefaultBaudItem;
    selection[port][PORT_LIST_PARITY] = 0;
    selection[port][PORT_LIST_DATA_BITS] = DATA_BITS_EIGHT_ITEM;
    selection[port][PORT_LIST_STOP_BITS] = 0;
}

void CPageCPUComModel::SelectFromRecord(int port)
{
    const CModulePortSettings& stored = m_context.Module()->ports[port];
    selection[port][PORT_LIST_ADDRESS] = ItemOrNone(stored.address - 1, PORT_LIST_ADDRESS);
    selection[port][PORT_LIST_BAUD] = BaudItemOfCode(stored.baud);
    selection[port][PORT_LIST_PARITY] = ItemOrNone(stored.parity, PORT_LIST_PARITY);
    selection[port][PORT_LIST_DATA_BITS] = ItemOrNone(stored.dataBits, PORT_LIST_DATA_BITS);
    selection[port][PORT_LIST_STOP_BITS] = ItemOrNone(stored.stopBits, PORT_LIST_STOP_BITS);
}

void CPageCPUComModel::ShowTimeoutAndRetries(int timeout, int retries)
{
    timeoutText = std::to_string(timeout);
    retriesText = std::to_string(retries);
}

void CPageCPUComModel::SetDefaultSettings()
{
    SelectDefaults(0);
    if (port1Enabled)
        SelectDefaults(1);
    ShowTimeoutAndRetries(MASTER_TIMEOUT_DEFAULT, MASTER_RETRIES_DEFAULT);
    SetProjectModified(TRUE);
}

void CPageCPUComModel::ReloadSettings()
{
    if (!m_context.IsFirstModule())
        return;
    SelectFromRecord(0);
    if (port1Enabled)
        SelectFromRecord(1);
    const CZULProject& project = m_context.App().Project;
    int timeout = project.GetModbusInt(kModbusPort, MODBUS_TIMEOUT_OFFSET);
    if (timeout < MASTER_TIMEOUT_MIN || timeout > MASTER_TIMEOUT_MAX)
        timeout = MASTER_TIMEOUT_DEFAULT;
    int retries = project.ModbusRetries;
    if (retries < 0 || retries > MASTER_RETRIES_MAX)
        retries = MASTER_RETRIES_DEFAULT;
    ShowTimeoutAndRetries(timeout, retries);
    SetProjectModified(TRUE);
}

void CPageCPUComModel::OnDataBitsChanged(int port)
{
    selection[port][PORT_LIST_DATA_BITS] = DATA_BITS_EIGHT_ITEM;
    SetProjectModified(TRUE);
}

void CPageCPUComModel::WriteMasterSwitch(bool on)
{
    CZULProject& project = m_context.App().Project;
    project.ModbusMaster[kModbusPort][MODBUS_ENABLE_OFFSET] = on ? 1 : 0;
    project.SetModbusInt(kModbusPort, MODBUS_SWITCH_OFFSET, on ? kMasterOn : kMasterOff);
}

void CPageCPUComModel::OnModbusMasterClicked()
{
    port1AddressEnabled = port1Enabled && !master;
    masterFieldsEnabled = master;
    WriteMasterSwitch(master);
    // The switch changes the project at once, so the project must be saved.
    SetProjectModified(TRUE);
}

bool CPageCPUComModel::ReadNumber(const std::string& text, int low, int high, int& value) const
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (result.ec == std::errc() && result.ptr == end && value >= low && value <= high)
        return true;
    ShowMessage("", "Please enter an integer between " + std::to_string(low) + " and " + std::to_string(high) + ".",
                MB_OK | MB_ICONEXCLAMATION);
    return false;
}

BOOL CPageCPUComModel::StorePort(int port)
{
    const int* chosen = selection[port];
    for (const CPortMessage& item : kPortMessages) {
        if (chosen[item.list] == NO_SELECTION) {
            ShowMessage("Error", port == 0 ? item.port0 : item.port1, MB_OK | MB_ICONERROR);
            return FALSE;
        }
        CModulePortSettings& stored = m_context.Module()->ports[port];
        switch (item.list) {
        case PORT_LIST_ADDRESS:
            stored.address = static_cast<BYTE>(chosen[item.list] + 1);
            break;
        case PORT_LIST_BAUD:
            stored.baud = static_cast<BYTE>(BaudCodeOfItem(chosen[item.list]));
            break;
        case PORT_LIST_DATA_BITS:
            stored.dataBits = static_cast<BYTE>(chosen[item.list]);
            break;
        case PORT_LIST_PARITY:
            stored.parity = static_cast<BYTE>(chosen[item.list] + (chosen[PORT_LIST_DATA_BITS] != DATA_BITS_EIGHT_ITEM));
            break;
        case PORT_LIST_STOP_BITS:
            stored.stopBits = static_cast<BYTE>(chosen[item.list]);
            break;
        }
    }
    return TRUE;
}

BOOL CPageCPUComModel::ApplyPortSettings()
{
    int timeout = MASTER_TIMEOUT_DEFAULT;
    int retries = MASTER_RETRIES_DEFAULT;
    if (!ReadNumber(timeoutText, MASTER_TIMEOUT_MIN, MASTER_TIMEOUT_MAX, timeout))
        timeout = MASTER_TIMEOUT_DEFAULT;
    if (!ReadNumber(retriesText, 0, MASTER_RETRIES_MAX, retries))
        retries = MASTER_RETRIES_DEFAULT;
    if (!m_context.IsFirstModule())
        return TRUE;
    if (!StorePort(0))
        return FALSE;
    if (port1Enabled && !StorePort(1))
        return FALSE;
    CZULProject& project = m_context.App().Project;
    project.SetModbusInt(kModbusPort, MODBUS_TIMEOUT_OFFSET, timeout);
    project.ModbusRetries = retries;
    return TRUE;
}
