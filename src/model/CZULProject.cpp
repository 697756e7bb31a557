#include "CZULProject.h"

#include "CMemAreaInfo.h"
#include "CStatusInput.h"
#include "CZULAppData.h"
#include "CZULFB.h"
#include "CZULFunc.h"
#include "CZULInitData.h"
#include "CZULStatus.h"
#include "CZULSymbol.h"
#include "CZUL_Q7_PLC.h"
#include "CpuProfile.h"
#include "CanOpenConfigText.h"
#include "ProjectFileHeader.h"
#include "platform/ByteString.h"
#include "platform/CArchive.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_set>

IMPLEMENT_SERIAL(CZULProject, CObject, 1)

namespace {

// Least bytes each stored element takes; a count that cannot fit the rest
// of the file is refused before anything is allocated for it.
constexpr size_t kMinFuncBytes = 7;
constexpr size_t kMinNodeBytes = 13;
constexpr size_t kMinModuleBytes = 100;
constexpr size_t kMinStatusRowBytes = 29;
constexpr size_t kMinSymbolBytes = 8;
constexpr size_t kMinFBBytes = 8;
constexpr size_t kMinInitDataBytes = 14;

// Names the configuration text read from blob 0.
constexpr const char* kCanOpenReadFailed = "%s open failed, CANopen read failed";

// Register pairs of a Modbus slave record after its reset.
constexpr int kModbusRegisterPairs[MODBUS_RECORD_PAIRS][2] = {
    {0, 15}, {0, 15}, {0, 63}, {0, 63}, {64, 319}, {16, 2063}, {0, 2047}, {0, 2047}, {0, 255}, {0, 255},
};

DWORD ReadBodyCount(CArchive& ar, size_t minElementBytes)
{
    DWORD count = 0;
    ar >> count;
    if (!ar.IsOK())
        return 0;
    if (count > ar.GetRemaining() / minElementBytes) {
        ar.SetError(CArchive::badCount);
        return 0;
    }
    return count;
}

template <typename Records>
void StoreRecords(CArchive& ar, const Records& records)
{
    ar << static_cast<DWORD>(records.size());
    for (const auto& record : records)
        record->Serialize(ar);
}

template <typename Record>
void LoadRecords(CArchive& ar, std::vector<std::unique_ptr<Record>>& records, size_t minElementBytes)
{
    records.clear();
    const DWORD count = ReadBodyCount(ar, minElementBytes);
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        records.push_back(std::make_unique<Record>());
        records.back()->Serialize(ar);
    }
}

// Hardware codes that no module of this program carries.
bool IsUnknownModuleCode(BYTE code)
{
    return code == 7 || code == 19 || code == 24 || (code >= 25 && code <= 30) || code >= 52;
}

void StoreByteArray(CArchive& ar, const std::vector<BYTE>& bytes)
{
    ar << static_cast<DWORD>(bytes.size());
    ar.Write(bytes.data(), bytes.size());
}

void LoadByteArray(CArchive& ar, std::vector<BYTE>& bytes, size_t size)
{
    bytes.clear();
    const DWORD count = ReadBodyCount(ar, 1);
    bytes.resize(count);
    ar.Read(bytes.data(), count);
    bytes.resize(size, 0);
}

} // namespace

CZULProject::CZULProject()
{
    for (int i = 0; i < IMAGE_BLOCKS_3_TO_8; ++i)
        ImageBlocks[i].assign(IMAGE_BLOCK_HEADER_BYTES, 0);
    ImageBlock9.assign(IMAGE_BLOCK_HEADER_BYTES, 0);
    ResetCanOpenConfig();
    ResetModbusMasterConfig();
    ResetPOUVariableLists();
}

CZULProject::~CZULProject()
{
    POUs.ClearSubroutines();
    POUs.ClearInterrupts();
    InitialData.clear();
    DeleteSymbols();
    FBTable.FBInstances.clear();
    FBTable.FBScanBuffer.clear();
    Monitor.ClearMonitorTable();
    StatusRows.clear();
    DeleteModules();
}

void CZULProject::DeleteSymbols()
{
    SymbolLookup.clear();
    SymbolsUpper.clear();
    OrderedSymbols.clear();
    SymbolsByAddress.clear();
    m_symbolStore.Clear();
}

void CZULProject::DeleteModules()
{
    Modules.clear();
}

void CZULProject::ClearProject()
{
    ProjectName.clear();
    ProjectPath.clear();
    ProjectFolder.clear();
    MainPresent = 0;
    CompileResult = 0;
    ImageResult = 0;
    ProjectSignature = 0;
    if (g_pAppData) {
        g_pAppData->SymbolicAddressing = 0;
        g_pAppData->MonitorPause = 0;
        g_pAppData->Monitoring = 0;
        g_pAppData->MonitorRoundEvent->ResetEvent();
        g_pAppData->MonitorEndEvent->ResetEvent();
    }
    MainNode.Reset();
    POUs.ClearSubroutines();
    POUs.ClearInterrupts();
    InitialData.clear();
    DeleteSymbols();
    SymbolTextMaps[0].clear();
    SymbolTextMaps[1].clear();
    Monitor.ClearMonitorTable();
    StatusRows.clear();
    ForceMap.clear();
    for (std::vector<WORD>& list : MonitorAddressLists)
        list.clear();
    FBTable.FBInstances.clear();
    DeleteModules();
    if (g_pAppData) {
        g_pAppData->PortLock.Unlock();
        g_pAppData->MonitorValueLock.Unlock();
    }
    ForceImageSize = 0;
    FreeForceBuffers();
    LocalBitUsage.clear();
    LocalByteUsage.clear();
}

void CZULProject::ResetPOUVariableLists()
{
    for (int i = 0; i < POU_VAR_LISTS; ++i) {
        CPOUVarList& list = POUVarLists[i];
        if (i < POU_VAR_LIST_MAIN) {
            list.kind = POU_VAR_LIST_GLOBALS;
            list.number = 0;
        } else if (i == POU_VAR_LIST_MAIN) {
            list.kind = NODE_MAIN;
            list.number = 0;
        } else if (i < POU_VAR_LIST_FIRST_INTERRUPT) {
            list.kind = NODE_SUBROUTINE;
            list.number = i - POU_VAR_LIST_FIRST_SUBROUTINE;
        } else {
            list.kind = NODE_INTERRUPT;
            list.number = i - POU_VAR_LIST_FIRST_INTERRUPT;
        }
        list.varCount = 0;
        list.vars.clear();
    }
}

void CZULProject::ResetCanOpenConfig()
{
    CanOpenReserved1 = 500;
    CanOpenReserved2 = 1000;
    OverTime = 500;
    NetStates = 1000;
    CanOpenMasterAddr = 127;
    MasterStates = 1010;
    AllSalveStates = 1030;
    NotHandleBoot = 1;
    CanOpenBPS = 5;
    CanOpenAllTime = 1000;
    for (int i = 0; i < CANOPEN_SLAVES; ++i)
        ResetCanOpenSlave(CanOpenSlaves[i], i);
}

void CZULProject::ResetCanOpenSlave(CCanOpenSlave& slave, int slot)
{
    slave.Node = slot + 1;
    slave.Name.clear();
    slave.Type = 0;
    slave.Watch = 1;
    slave.ErrHandel = 1;
    slave.NodeTime = 1000;
    slave.HeartTime = 500;
    slave.LifeGene = 3;
    slave.HeartOverTime = 600;
    slave.BootProg = 0xFFFF;
    slave.Valid = 1;
    for (int k = 0; k < CANOPEN_PDOS; ++k) {
        ResetPdo(slave.RPDO[k], DefaultCobId(true, k, slave.Node), CanOpenFreeSub::none);
        ResetPdo(slave.TPDO[k], DefaultCobId(false, k, slave.Node), CanOpenFreeSub::zero);
    }
}

int CZULProject::DefaultCobId(bool receive, int pdo, int node)
{
    constexpr int kPredefinedPdos = 4;
    constexpr int kFirstReceive = 0x200;
    constexpr int kFirstTransmit = 0x180;
    constexpr int kPdoStep = 0x100;
    if (pdo < 0 || pdo >= kPredefinedPdos)
        return 0;
    return (receive ? kFirstReceive : kFirstTransmit) + kPdoStep * pdo + node;
}

void CZULProject::ResetPdo(CCanOpenPdo& pdo, int cobId, CanOpenFreeSub freeSub)
{
    pdo.CommType = 255;
    pdo.EventTime = 10;
    pdo.ForbiddenTime = 1000;
    pdo.COB_ID = cobId;
    pdo.Rows.Reset(freeSub);
}

void CZULProject::ResetModbusBlock(BYTE* block)
{
    auto put = [block](int offset, int value) { std::memcpy(block + offset, &value, sizeof value); };
    put(MODBUS_TIMEOUT_OFFSET, 1000);
    block[MODBUS_ENABLE_OFFSET] = 0;
    put(MODBUS_SWITCH_OFFSET, -1);
    for (int i = 0; i < MODBUS_SLAVE_RECORDS; ++i) {
        const int record = i * MODBUS_SLAVE_RECORD_BYTES;
        put(record, 0);
        put(record + MODBUS_RECORD_SECOND_OFFSET, 0);
        for (int p = 0; p < MODBUS_RECORD_PAIRS; ++p) {
            const int pair = record + MODBUS_RECORD_PAIRS_OFFSET + MODBUS_RECORD_PAIR_BYTES * p;
            put(pair, kModbusRegisterPairs[p][0]);
            put(pair + 4, kModbusRegisterPairs[p][1]);
        }
        put(record + MODBUS_RECORD_TIMEOUT_OFFSET, 1000);
        put(record + MODBUS_RECORD_ADDRESS_OFFSET, i + 1);
    }
}

void CZULProject::ResetModbusMasterConfig()
{
    for (BYTE* block : ModbusMaster)
        ResetModbusBlock(block);
}

int CZULProject::GetModbusInt(int port, int offset) const
{
    int value = 0;
    std::memcpy(&value, ModbusMaster[port] + offset, sizeof value);
    return value;
}

void CZULProject::SetModbusInt(int port, int offset, int value)
{
    std::memcpy(ModbusMaster[port] + offset, &value, sizeof value);
}

void CZULProject::WriteCanOpenConfig()
{
    if (g_pAppData == nullptr)
        return;
    const std::string text = BuildCanOpenConfigText(*this);
    g_pAppData->Blobs[0].assign(text.begin(), text.end());
    g_pAppData->BlobLengths[0] = static_cast<DWORD>(text.size());
}

void CZULProject::ReadCanOpenConfig()
{
    if (g_pAppData == nullptr)
        return;
    const std::vector<BYTE>& blob = g_pAppData->Blobs[0];
    if (g_pAppData->BlobLengths[0] != blob.size()) {
        ShowMessage("Error", ByteString::Format(kCanOpenReadFailed, (ProjectName + "CanOpenRead").c_str()),
                    MB_OK | MB_ICONERROR);
        return;
    }
    ResetCanOpenConfig();
    const std::string text(blob.begin(), blob.end());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        ParseCanOpenLine(*this, line);
        start = end + 1;
    }
}

void CZULProject::AddSymbol(CZULSymbol* symbol)
{
    m_symbolStore.Adopt(symbol);
    SymbolLookup[symbol->name] = symbol;
    SymbolLookup[symbol->address] = symbol;
    SymbolsUpper[ByteString::Upper(symbol->name)] = symbol;
    symbol->orderIndex = static_cast<int>(OrderedSymbols.size());
    OrderedSymbols.push_back(symbol);
    IndexSymbolAddress(symbol);
}

CZULSymbol* CZULProject::NewSymbolRecord()
{
    return m_symbolStore.Adopt(new CZULSymbol);
}

void CZULProject::DestroySymbol(CZULSymbol* symbol)
{
    if (!symbol)
        return;
    const auto unregister = [symbol](auto& map) {
        for (auto entry = map.begin(); entry != map.end();) {
            if (entry->second == symbol)
                entry = map.erase(entry);
            else
                ++entry;
        }
    };
    unregister(SymbolLookup);
    unregister(SymbolsUpper);
    unregister(SymbolsByAddress);
    OrderedSymbols.erase(std::remove(OrderedSymbols.begin(), OrderedSymbols.end(), symbol), OrderedSymbols.end());
    m_symbolStore.Destroy(symbol);
}

std::string CZULProject::NormalisedSymbolAddress(const std::string& address)
{
    const std::string key = ByteString::Upper(ByteString::Trim(address));
    if (key.empty() || key[0] == '%')
        return key;
    return "%" + key;
}

void CZULProject::IndexSymbolAddress(CZULSymbol* symbol)
{
    const std::string key = NormalisedSymbolAddress(symbol->address);
    // A symbol listed earlier keeps the address.
    if (!key.empty())
        SymbolsByAddress.emplace(key, symbol);
}

int CZULProject::AllocArea(CZUL_Q7_PLC* module, int bytesNeeded, DWORD kinds, int areaSize, bool cpuAtStart,
                           BYTE CZUL_Q7_PLC::*startField, BYTE CZUL_Q7_PLC::*endField)
{
    if (cpuAtStart && (module->kindMask & MODULE_KIND_CPU)) {
        module->*startField = 0;
        module->*endField = static_cast<BYTE>(bytesNeeded - 1);
        return 1;
    }
    if (!(module->kindMask & kinds))
        return 0;
    std::vector<bool> used(static_cast<size_t>(std::max(areaSize, 0)), false);
    for (const auto& owned : Modules) {
        const CZUL_Q7_PLC* other = owned.get();
        if (!other || other == module || !(other->kindMask & kinds))
            continue;
        for (int b = other->*startField; b <= other->*endField && b < areaSize; ++b)
            used[static_cast<size_t>(b)] = true;
    }
    for (int i = 0; i + bytesNeeded <= areaSize; ++i) {
        const auto first = used.begin() + i;
        if (std::find(first, first + bytesNeeded, true) != first + bytesNeeded)
            continue;
        module->*startField = static_cast<BYTE>(i);
        module->*endField = static_cast<BYTE>(i + bytesNeeded - 1);
        return 1;
    }
    return 0;
}

int CZULProject::AllocInputBytes(CZUL_Q7_PLC* module)
{
    return AllocArea(module, (module->diCount + 7) / 8, MODULE_KINDS_WITH_I, g_LiveAreaTable[MEM_ROW_I].unitCount, true,
                     &CZUL_Q7_PLC::iStart, &CZUL_Q7_PLC::iEnd);
}

int CZULProject::AllocOutputBytes(CZUL_Q7_PLC* module)
{
    return AllocArea(module, (module->doCount + 7) / 8, MODULE_KINDS_WITH_Q, g_LiveAreaTable[MEM_ROW_Q].unitCount, true,
                     &CZUL_Q7_PLC::qStart, &CZUL_Q7_PLC::qEnd);
}

int CZULProject::AllocAnalogInputWords(CZUL_Q7_PLC* module)
{
    return AllocArea(module, 2 * module->aiCount, MODULE_KINDS_WITH_AI, g_LiveAreaTable[MEM_ROW_AI].unitCount, false,
                     &CZUL_Q7_PLC::aiStart, &CZUL_Q7_PLC::aiEnd);
}

int CZULProject::AllocAnalogOutputWords(CZUL_Q7_PLC* module)
{
    return AllocArea(module, 2 * module->aoCount, MODULE_KINDS_WITH_AQ, g_LiveAreaTable[MEM_ROW_AQ].unitCount, false,
                     &CZUL_Q7_PLC::aoStart, &CZUL_Q7_PLC::aoEnd);
}

void CZULProject::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreBody(ar);
    else
        LoadBody(ar);
}

void CZULProject::StoreBody(CArchive& ar)
{
    ar << static_cast<DWORD>(MainPresent);
    MainNode.Serialize(ar);
    ar << static_cast<DWORD>(POUs.SubroutineInterfaces.size());
    for (auto& entry : POUs.SubroutineInterfaces)
        entry.second->Serialize(ar);
    ar << static_cast<DWORD>(POUs.SubroutineNodes.size());
    for (auto& entry : POUs.SubroutineNodes)
        entry.second->Serialize(ar);
    ar << static_cast<DWORD>(POUs.InterruptNodes.size());
    for (auto& entry : POUs.InterruptNodes)
        entry.second->Serialize(ar);
    StoreRecords(ar, Modules);
    for (const BYTE* block : ModbusMaster) {
        // The spare bytes are written as zeros.
        BYTE copy[MODBUS_MASTER_BLOCK_BYTES];
        std::memcpy(copy, block, sizeof copy);
        std::memset(copy + MODBUS_SPARE_OFFSET, 0, MODBUS_ENABLE_OFFSET - MODBUS_SPARE_OFFSET);
        std::memset(copy + MODBUS_ENABLE_OFFSET + 1, 0, 3);
        ar.Write(copy, sizeof copy);
    }
    ar << static_cast<DWORD>(ModbusRetries);
    StoreRecords(ar, StatusRows);
    ar << static_cast<DWORD>(SymbolLookup.size());
    for (auto& entry : SymbolLookup)
        entry.second->Serialize(ar);
    StoreRecords(ar, FBTable.FBInstances);
    std::vector<CZULInitData*> rows;
    for (const auto& row : InitialData) {
        if (row->HasText())
            rows.push_back(row.get());
    }
    StoreRecords(ar, rows);
    StoreByteArray(ar, LocalBitUsage);
    StoreByteArray(ar, LocalByteUsage);
    WriteCanOpenConfig();
}

void CZULProject::LoadSubroutineInterfaces(CArchive& ar)
{
    POUs.ClearSubroutines();
    const DWORD count = ReadBodyCount(ar, kMinFuncBytes);
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        CZULFunc* func = new CZULFunc;
        func->Serialize(ar);
        POUs.AddSubroutineInterface(func);
    }
}

void CZULProject::LoadSubroutineNodes(CArchive& ar)
{
    const DWORD count = ReadBodyCount(ar, kMinNodeBytes);
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        CProjTreeNode* node = new CProjTreeNode;
        node->Serialize(ar);
        POUs.AddSubroutineNode(node);
    }
}

void CZULProject::LoadInterruptNodes(CArchive& ar)
{
    POUs.ClearInterrupts();
    const DWORD count = ReadBodyCount(ar, kMinNodeBytes);
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        CProjTreeNode* node = new CProjTreeNode;
        node->Serialize(ar);
        POUs.AddInterruptNode(node);
    }
}

void CZULProject::LoadModules(CArchive& ar)
{
    DeleteModules();
    const DWORD count = ReadBodyCount(ar, kMinModuleBytes);
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        CZUL_Q7_PLC* module = Modules.emplace_back(std::make_unique<CZUL_Q7_PLC>()).get();
        module->Serialize(ar);
        if (!ar.IsOK() || !g_pAppData || g_pAppData->LoadError || !IsUnknownModuleCode(module->hardwareCode))
            continue;
        const std::string question = ByteString::Format(
            "There is a unknown module whose index is \"%d\" in the current project's Hardware configuration.\n"
            "The project maybe fail to be opened. Are you sure you want to continue?",
            module->hardwareCode);
        if (ShowMessage("Note", question, MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
            g_pAppData->LoadError = 1;
    }
}

void CZULProject::LoadHardwareSettings(CArchive& ar)
{
    const BYTE* header = g_pAppData ? g_pAppData->ProjectFileHeader : CURRENT_PROJECT_HEADER;
    if (!HeaderIsCurrentVersion(header) && !Modules.empty())
        std::fill(std::begin(Modules[0]->inputFilters), std::end(Modules[0]->inputFilters), 0);
    if (HeaderHasFullHardwareData(header)) {
        for (BYTE* block : ModbusMaster) {
            ar.Read(block, MODBUS_MASTER_BLOCK_BYTES);
            std::memset(block + MODBUS_SPARE_OFFSET, 0, MODBUS_ENABLE_OFFSET - MODBUS_SPARE_OFFSET);
            std::memset(block + MODBUS_ENABLE_OFFSET + 1, 0, MODBUS_ENABLE_SPARE_BYTES);
        }
    }
    ModbusRetries = 3;
    if (HeaderIsCurrentVersion(header)) {
        DWORD retries = 0;
        ar >> retries;
        ModbusRetries = static_cast<int>(retries);
    }
    CPUFamilyIndex = Modules.empty() ? 1 : CpuFamilyIndexFromHardwareCode(Modules[0]->hardwareCode);
}

void CZULProject::LoadSymbols(CArchive& ar)
{
    DeleteSymbols();
    // Every symbol is stored once per key, so a name comes again with each
    // copy: the first record of a name is the symbol, later ones go. Records
    // are read into one scratch symbol; only a new name becomes a symbol.
    std::vector<CZULSymbol*> read;
    std::unordered_set<std::string_view> names;
    const DWORD count = ReadBodyCount(ar, kMinSymbolBytes);
    CZULSymbol record;
    for (DWORD i = 0; i < count && ar.IsOK(); ++i) {
        record.Serialize(ar);
        if (names.count(record.name))
            continue;
        CZULSymbol* symbol = m_symbolStore.Adopt(new CZULSymbol(record));
        names.insert(symbol->name);
        read.push_back(symbol);
    }
    FillSymbolLookup(read, ClaimSymbolAddresses(read));
    RebuildSymbolOrder(read);
}

std::vector<std::pair<std::string, CZULSymbol*>> CZULProject::ClaimSymbolAddresses(std::vector<CZULSymbol*> read)
{
    // Symbols on one address: the first one read keeps it, so that opening
    // and saving a project never moves an address to another symbol. A
    // symbol whose name sorts before its address is written ahead of the
    // address's holder; those come last, by name, to keep that order stable.
    const auto sortsBeforeAddress = [](const CZULSymbol* symbol) {
        return symbol->name < symbol->StoredAddress();
    };
    const auto late = std::stable_partition(read.begin(), read.end(),
                                            [&](const CZULSymbol* symbol) { return !sortsBeforeAddress(symbol); });
    std::sort(late, read.end(), [](const CZULSymbol* a, const CZULSymbol* b) { return a->name < b->name; });
    std::vector<std::pair<std::string, CZULSymbol*>> claims;
    claims.reserve(read.size());
    for (CZULSymbol* symbol : read)
        claims.emplace_back(symbol->StoredAddress(), symbol);
    return claims;
}

void CZULProject::FillSymbolLookup(const std::vector<CZULSymbol*>& read,
                                   std::vector<std::pair<std::string, CZULSymbol*>> claims)
{
    // Both key lists are sorted and merged into the map in ascending order,
    // which adds every entry at the end without searching the tree. A name
    // keeps its key against an address of the same text, and of the claims
    // on one address the first keeps it.
    std::vector<std::pair<std::string_view, CZULSymbol*>> byName;
    byName.reserve(read.size());
    for (CZULSymbol* symbol : read)
        byName.emplace_back(symbol->name, symbol);
    const auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    // A file written by this program holds its records in key order, so the
    // lists often come sorted already.
    if (!std::is_sorted(byName.begin(), byName.end(), byKey))
        std::sort(byName.begin(), byName.end(), byKey);
    if (!std::is_sorted(claims.begin(), claims.end(), byKey))
        std::stable_sort(claims.begin(), claims.end(), byKey);
    auto name = byName.begin();
    auto claim = claims.begin();
    const auto add = [this](std::string_view key, CZULSymbol* symbol) {
        if (SymbolLookup.empty() || SymbolLookup.rbegin()->first < key)
            SymbolLookup.emplace_hint(SymbolLookup.end(), std::string(key), symbol);
    };
    while (name != byName.end() || claim != claims.end()) {
        if (claim == claims.end() || (name != byName.end() && name->first <= std::string_view(claim->first))) {
            add(name->first, name->second);
            ++name;
            continue;
        }
        add(claim->first, claim->second);
        ++claim;
    }
}

void CZULProject::RebuildSymbolOrder(const std::vector<CZULSymbol*>& symbols)
{
    // Of names that differ only in case, the one that sorts last holds the
    // upper-case entry; the others are listed after the ordered ones, in the
    // order of the lookup map. An order index of -1 marks "not listed yet".
    constexpr int kNotListed = -1;
    SymbolsUpper.clear();
    for (CZULSymbol* symbol : symbols)
        symbol->orderIndex = kNotListed;
    for (auto& entry : SymbolLookup) {
        if (entry.first != entry.second->name)
            continue;
        std::string upper = ByteString::Upper(entry.first);
        if (SymbolsUpper.empty() || SymbolsUpper.rbegin()->first < upper)
            SymbolsUpper.emplace_hint(SymbolsUpper.end(), std::move(upper), entry.second);
        else
            SymbolsUpper[upper] = entry.second;
    }
    OrderedSymbols.clear();
    OrderedSymbols.reserve(symbols.size());
    const auto list = [this](CZULSymbol* symbol) {
        symbol->orderIndex = static_cast<int>(OrderedSymbols.size());
        OrderedSymbols.push_back(symbol);
    };
    for (auto& entry : SymbolsUpper)
        list(entry.second);
    for (auto& entry : SymbolLookup) {
        if (entry.second->orderIndex == kNotListed)
            list(entry.second);
    }
    SymbolsByAddress.clear();
    SymbolsByAddress.reserve(OrderedSymbols.size());
    for (CZULSymbol* symbol : OrderedSymbols)
        IndexSymbolAddress(symbol);
}

void CZULProject::LoadBody(CArchive& ar)
{
    DWORD mainPresent = 0;
    ar >> mainPresent;
    MainPresent = static_cast<int>(mainPresent);
    MainNode.Serialize(ar);
    LoadSubroutineInterfaces(ar);
    LoadSubroutineNodes(ar);
    LoadInterruptNodes(ar);
    LoadModules(ar);
    LoadHardwareSettings(ar);
    StatusRows.clear();
    LoadRecords(ar, StatusRows, kMinStatusRowBytes);
    LoadSymbols(ar);
    FBTable.FBInstances.clear();
    LoadRecords(ar, FBTable.FBInstances, kMinFBBytes);
    InitialData.clear();
    LoadRecords(ar, InitialData, kMinInitDataBytes);
    LoadByteArray(ar, LocalBitUsage, LOCAL_BIT_ENTRIES);
    LoadByteArray(ar, LocalByteUsage, LOCAL_BYTE_ENTRIES);
    // These families have no Modbus master: their blocks go back to the defaults.
    constexpr DWORD kFamiliesWithoutModbusMaster = CPU_FAMILY_VB12 | CPU_FAMILY_VB14 | CPU_FAMILY_NONE8 | CPU_FAMILY_VA10;
    if (CpuFamilyMaskOfIndex(CPUFamilyIndex) & kFamiliesWithoutModbusMaster)
        ResetModbusMasterConfig();
}
