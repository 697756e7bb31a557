#pragma once
// One configured hardware module: the CPU (always the first module of the
// project) or an expansion module. Its identity comes from a catalogue row;
// it holds its I/O address ranges and every per-module setting: the CPU's
// two serial ports, retentive ranges, input filters and outputs in STOP,
// and the channel settings of digital and analog modules.

#include "CModuleCatalogEntry.h"
#include "platform/CObject.h"

#include <string>

constexpr int MODULE_PORTS = 2;
constexpr int MODULE_RETAIN_RANGES = 4;
constexpr int MODULE_OPTION_BYTES = 24;
constexpr int MODULE_DI_WORDS = 16;
constexpr int MODULE_INPUT_FILTERS = 8;
constexpr int MODULE_STOP_STATES = 32;
constexpr int MODULE_AI_SLOTS = 4;
constexpr int MODULE_AO_SLOTS = 2;

struct CModulePortSettings {
    BYTE address = 1; // station address 1..31
    BYTE baud = 2;
    BYTE parity = 0;
    BYTE dataBits = 1;
    BYTE stopBits = 0;
};

struct CRetainRange {
    BYTE area = 0; // 0 V bytes, otherwise counters
    WORD start = 0;
    WORD length = 0;
};

class CZUL_Q7_PLC : public CObject {
    DECLARE_SERIAL(CZUL_Q7_PLC)
public:
    CZUL_Q7_PLC();

    // Loading reads the input filters by the version of the project file being
    // opened, and refuses a DO count whose STOP states the record cannot hold.
    void Serialize(CArchive& ar) override;

    // Identity and channel counts from the row; clears the channel settings
    // those counts cover. Addresses, ports, retentive ranges and options stay.
    void InitFromCatalog(const CModuleCatalogEntry& row);

    // STOP states stored for a DO count: 8 per started group of eight outputs.
    static int StopStateCount(int doCount);

    std::string model;
    BYTE hardwareCode = 0xFF;
    DWORD kindMask = 0;
    std::string description;
    CModulePortSettings ports[MODULE_PORTS];
    BYTE portOption = 10;
    CRetainRange retain[MODULE_RETAIN_RANGES];
    DWORD optionWord = 0;
    BYTE optionBytes[MODULE_OPTION_BYTES] = {};
    WORD diCount = 0;
    BYTE iStart = 0;
    BYTE iEnd = 0;
    DWORD diChannelWords[MODULE_DI_WORDS] = {};
    BYTE inputFilters[MODULE_INPUT_FILTERS] = {};
    WORD doCount = 0;
    BYTE qStart = 0;
    BYTE qEnd = 0;
    DWORD stopStates[MODULE_STOP_STATES] = {};
    WORD aiCount = 0;
    BYTE aiStart = 0;
    BYTE aiEnd = 0;
    BYTE aiFunction[MODULE_AI_SLOTS] = {};
    BYTE aiFilter[MODULE_AI_SLOTS] = {};
    WORD aoCount = 0;
    BYTE aoStart = 0;
    BYTE aoEnd = 0;
    BYTE aoRange[MODULE_AO_SLOTS] = {};
    DWORD aoStopMode[MODULE_AO_SLOTS] = {};
    DWORD aoFreezeValue[MODULE_AO_SLOTS] = {};

private:
    void SerializePorts(CArchive& ar);
    void SerializeFilters(CArchive& ar);
};
