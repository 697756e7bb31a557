#include "CZULAppData.h"

#include "CCanOpenSlaveType.h"
#include "CLocalVarEntry.h"
#include "CMemAreaInfo.h"
#include "CZULFB.h"
#include "CZULFunc.h"
#include "CZULSymbol.h"
#include "DirectAddress.h"
#include "FBInstanceScan.h"
#include "CpuProfile.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <cstring>

CZULAppData* g_pAppData = nullptr;

namespace {

constexpr int kFindReplaceList = 2;
constexpr int kTextKindLimit = 255;

// The values one CPU-family profile writes.
struct CpuProfileValues {
    BYTE subType;
    int maxSubroutineCount;
    int maxInterruptCount;
    int maxSubroutineNumber;
    int maxInterruptNumber;
    int maxDigitalInputs;
    int maxDigitalOutputs;
    int maxAnalogInputs;
    int maxAnalogOutputs;
    int maxExpansionModules;
    int maxInstructions;
    int replyTimeout;
    int probeTimeout;
    int localBitBytes;
    int localDataBytes;
    int forceTableBlockType;
    int xrefCapacity;
    int maxEventNumber;
    int maxHscNumber;
    int maxHscMode;
    int maxPulseOutput;
    int maxPortNumber;
    int dataBackupFirstByte;
    int dataBackupLastByte;
    int forceImageSize;
    bool resetsPIDLoops;
};

enum ProfileColumn { PROFILE_VA10, PROFILE_VB12, PROFILE_VB14, PROFILE_VB16, PROFILE_VC14, PROFILE_VC16 };

// One column per profile; VB16 serves VB14EX too.
const CpuProfileValues kProfiles[] = {
    {PROFILE_SUBTYPE_VA10, 16, 16, 99, 64, 9, 7, 0, 0, 0, 1024, 8000, 600,
        4, 12, 9, 2200, 30, 1, 11, 1, 0, 1648, 1775, FORCE_IMAGE_CELLS, false},
    {PROFILE_SUBTYPE_VB, 16, 16, 99, 64, 9, 7, 0, 0, 0, 1024, 8000, 600,
        4, 12, 9, 2200, 30, 1, 11, 1, 0, 1648, 1775, FORCE_IMAGE_CELLS, false},
    {PROFILE_SUBTYPE_VB, 16, 16, 99, 64, 64, 64, 16, 16, 4, 1280, 2000, 300,
        4, 12, 9, 2200, 30, 5, 11, 1, 0, 3648, 3902, FORCE_IMAGE_CELLS, true},
    {PROFILE_SUBTYPE_VB16, 99, 64, 99, 64, 256, 256, 32, 32, 15, 4096, 2000, 300,
        16, 256, 10, 8200, 32, 5, 11, 1, 1, 3648, 3902, FORCE_IMAGE_CELLS, true},
    {PROFILE_SUBTYPE_VC, 99, 64, 99, 64, 14, 10, 0, 0, 0, 4096, 2000, 300,
        16, 256, 10, 8200, 32, 5, 11, 1, 1, 3648, 3902, FORCE_IMAGE_CELLS, true},
    {PROFILE_SUBTYPE_VC, 99, 64, 99, 64, 24, 16, 0, 0, 0, 4096, 2000, 300,
        16, 256, 10, 8200, 32, 5, 11, 1, 1, 3648, 3902, FORCE_IMAGE_CELLS, true},
};

struct CanBaudRow {
    int code;
    int kbitPerSecond;
};

const CanBaudRow kCanBaudRates[] = {
    {0, 10}, {1, 20}, {2, 50}, {3, 125}, {4, 250}, {5, 500}, {6, 800}, {7, 1000},
};
constexpr int kCanDefaultCode = 5;
constexpr int kCanDefaultBaud = 500;

// A prefix form and the memory-area row whose maximum index it reads, less
// the bytes the form spans beyond its first.
struct AreaMaxForm {
    const char* form;
    int row;
    int extraBytes;
};

const AreaMaxForm kAreaMaxForms[] = {
    {"%I", MEM_ROW_I, 0}, {"%IB", MEM_ROW_I, 0},
    {"%Q", MEM_ROW_Q, 0}, {"%QB", MEM_ROW_Q, 0},
    {"%M", MEM_ROW_M, 0}, {"%MB", MEM_ROW_M, 0},
    {"%V", MEM_ROW_V, 0}, {"%VB", MEM_ROW_V, 0},
    {"%SM", MEM_ROW_SM, 0}, {"%SMB", MEM_ROW_SM, 0},
    {"%L", MEM_ROW_L, 0}, {"%LB", MEM_ROW_L, 0},
    {"%BR", MEM_ROW_BR, 0},
    {"%T", MEM_ROW_T, 0},
    {"%C", MEM_ROW_C, 0},
    {"%HC", MEM_ROW_HC, 0},
    {"%SR", MEM_ROW_SR, 0},
    {"%RS", MEM_ROW_RS, 0},
    {"%IW", MEM_ROW_I, 1}, {"%QW", MEM_ROW_Q, 1}, {"%MW", MEM_ROW_M, 1}, {"%VW", MEM_ROW_V, 1},
    {"%SMW", MEM_ROW_SM, 1}, {"%LW", MEM_ROW_L, 1},
    {"%AI", MEM_ROW_AI, 1}, {"%AIW", MEM_ROW_AI, 1},
    {"%AQ", MEM_ROW_AQ, 1}, {"%AQW", MEM_ROW_AQ, 1},
    {"%ID", MEM_ROW_I, 3}, {"%QD", MEM_ROW_Q, 3}, {"%MD", MEM_ROW_M, 3}, {"%VD", MEM_ROW_V, 3},
    {"%VR", MEM_ROW_V, 3}, {"%SMD", MEM_ROW_SM, 3}, {"%LD", MEM_ROW_L, 3},
};

// A prefix form and the memory-area row whose image offset it names; "%T"
// and "%C" name the status-bit row when status bits are asked for.
struct AreaBaseForm {
    const char* form;
    int row;
    int statusRow;
};

const AreaBaseForm kAreaBaseForms[] = {
    {"%I", MEM_ROW_I, MEM_ROW_I}, {"%IB", MEM_ROW_I, MEM_ROW_I},
    {"%IW", MEM_ROW_I, MEM_ROW_I}, {"%ID", MEM_ROW_I, MEM_ROW_I},
    {"%Q", MEM_ROW_Q, MEM_ROW_Q}, {"%QB", MEM_ROW_Q, MEM_ROW_Q},
    {"%QW", MEM_ROW_Q, MEM_ROW_Q}, {"%QD", MEM_ROW_Q, MEM_ROW_Q},
    {"%M", MEM_ROW_M, MEM_ROW_M}, {"%MB", MEM_ROW_M, MEM_ROW_M},
    {"%MW", MEM_ROW_M, MEM_ROW_M}, {"%MD", MEM_ROW_M, MEM_ROW_M},
    {"%V", MEM_ROW_V, MEM_ROW_V}, {"%VB", MEM_ROW_V, MEM_ROW_V}, {"%VW", MEM_ROW_V, MEM_ROW_V},
    {"%VD", MEM_ROW_V, MEM_ROW_V}, {"%VR", MEM_ROW_V, MEM_ROW_V},
    {"%SM", MEM_ROW_SM, MEM_ROW_SM}, {"%SMB", MEM_ROW_SM, MEM_ROW_SM},
    {"%SMW", MEM_ROW_SM, MEM_ROW_SM}, {"%SMD", MEM_ROW_SM, MEM_ROW_SM},
    {"%L", MEM_ROW_L, MEM_ROW_L}, {"%LB", MEM_ROW_L, MEM_ROW_L},
    {"%LW", MEM_ROW_L, MEM_ROW_L}, {"%LD", MEM_ROW_L, MEM_ROW_L},
    {"%AI", MEM_ROW_AI, MEM_ROW_AI}, {"%AIW", MEM_ROW_AI, MEM_ROW_AI},
    {"%AQ", MEM_ROW_AQ, MEM_ROW_AQ}, {"%AQW", MEM_ROW_AQ, MEM_ROW_AQ},
    {"%BR", MEM_ROW_BR, MEM_ROW_BR},
    {"%HC", MEM_ROW_HC, MEM_ROW_HC},
    {"%SR", MEM_ROW_SR, MEM_ROW_SR},
    {"%RS", MEM_ROW_RS, MEM_ROW_RS},
    {"%T", MEM_ROW_T, MEM_ROW_TB},
    {"%C", MEM_ROW_C, MEM_ROW_CB},
};

// Trimmed, with a "%" in front when it is missing.
std::string WithPercent(const std::string& text)
{
    std::string result = ByteString::Trim(text);
    if (result.empty() || result[0] != '%')
        result.insert(result.begin(), '%');
    return result;
}

// Empties the find results, resets the PID loops where the column says so and
// writes the column's values.
void ApplyProfile(CZULAppData& app, const CpuProfileValues& values)
{
    app.ResetFindResults();
    if (values.resetsPIDLoops)
        app.InitPIDLoopDefaults();
    app.ProfileSubType = values.subType;
    MaxSubroutineCount = values.maxSubroutineCount;
    MaxInterruptCount = values.maxInterruptCount;
    MaxSubroutineNumber = values.maxSubroutineNumber;
    MaxInterruptNumber = values.maxInterruptNumber;
    MaxDigitalInputs = values.maxDigitalInputs;
    MaxDigitalOutputs = values.maxDigitalOutputs;
    MaxAnalogInputs = values.maxAnalogInputs;
    MaxAnalogOutputs = values.maxAnalogOutputs;
    MaxExpansionModules = values.maxExpansionModules;
    MaxInstructions = values.maxInstructions;
    ReplyTimeout = values.replyTimeout;
    ProbeTimeout = values.probeTimeout;
    LocalBitBytes = values.localBitBytes;
    LocalDataBytes = values.localDataBytes;
    ForceTableBlockType = values.forceTableBlockType;
    XrefCapacity = values.xrefCapacity;
    MaxEventNumber = values.maxEventNumber;
    MaxHscNumber = values.maxHscNumber;
    MaxHscMode = values.maxHscMode;
    MaxPulseOutput = values.maxPulseOutput;
    MaxPortNumber = values.maxPortNumber;
    DataBackupFirstByte = values.dataBackupFirstByte;
    DataBackupLastByte = values.dataBackupLastByte;
    app.Project.ForceImageSize = values.forceImageSize;
}

} // namespace

// The members start with their values after construction; the constructor
// adds the steps that build something.
CZULAppData::CZULAppData()
{
    InitPIDLoopDefaults();
    LoadSlaveLibrary();
    ClearProjectBlobs();
    FunctionCatalog.reserve(173);
    FBCatalog.reserve(23);
    InstructionCatalog.reserve(231);
    CoilCatalog.reserve(91);
    ContactCatalog.reserve(91);
    MonitorRoundEvent = std::make_unique<CEvent>();
    MonitorEndEvent = std::make_unique<CEvent>();
}

CZULAppData::~CZULAppData()
{
    SlaveLibrary.clear();
    Monitoring = 0;
    MonitorPause = 0;
    MonitorRoundEvent->ResetEvent();
    MonitorEndEvent->ResetEvent();
    MonitorRoundEvent.reset();
    MonitorEndEvent.reset();
    FunctionCatalog.clear();
    FBCatalog.clear();
    InstructionCatalog.clear();
    CoilCatalog.clear();
    ContactCatalog.clear();
    PortLock.Unlock();
    MonitorValueLock.Unlock();
    ClearLDClipboard();
    Find.DialogMode = 0;
    LocalVarMap.clear();
}

void CZULAppData::ClearLDClipboard()
{
    LDClipboard.clear();
}

void CZULAppData::ClearProjectBlobs()
{
    for (int i = 0; i < PROJECT_BLOB_COUNT; ++i) {
        BlobLengths[i] = 0;
        Blobs[i].clear();
    }
}

BYTE CZULAppData::GetDbcsByteKind(const std::string& text, int index)
{
    const int length = static_cast<int>(std::min<size_t>(text.size(), kTextKindLimit));
    if (index < 0 || index >= length)
        return DBCS_SINGLE;
    int highBytes = 0;
    BYTE kind = DBCS_SINGLE;
    for (int i = 0; i <= index; ++i) {
        if ((static_cast<BYTE>(text[i]) & 0x80) == 0) {
            kind = DBCS_SINGLE;
            continue;
        }
        kind = (highBytes % 2 == 0) ? DBCS_LEAD : DBCS_TRAIL;
        ++highBytes;
    }
    return kind;
}

DWORD CZULAppData::GetCPUFamilyMask() const
{
    return CpuFamilyMaskOfIndex(Project.CPUFamilyIndex);
}

void CZULAppData::ApplyVA10Profile()
{
    ApplyProfile(*this, kProfiles[PROFILE_VA10]);
}

void CZULAppData::ApplyVB12Profile()
{
    ApplyProfile(*this, kProfiles[PROFILE_VB12]);
}

void CZULAppData::ApplyVB14Profile()
{
    ApplyProfile(*this, kProfiles[PROFILE_VB14]);
}

void CZULAppData::ApplyVB16Profile()
{
    ApplyProfile(*this, kProfiles[PROFILE_VB16]);
}

void CZULAppData::ApplyVC14Profile()
{
    ApplyProfile(*this, kProfiles[PROFILE_VC14]);
}

void CZULAppData::ApplyVC16Profile()
{
    ApplyProfile(*this, kProfiles[PROFILE_VC16]);
}

void CZULAppData::ApplyFamilyProfile()
{
    switch (GetCPUFamilyMask()) {
    case CPU_FAMILY_VB12:
        ApplyVB12Profile();
        return;
    case CPU_FAMILY_VB16:
    case CPU_FAMILY_VB14EX:
        ApplyVB16Profile();
        return;
    case CPU_FAMILY_VA10:
        ApplyVA10Profile();
        return;
    case CPU_FAMILY_VC14:
        ApplyVC14Profile();
        return;
    case CPU_FAMILY_VC16:
        ApplyVC16Profile();
        return;
    default:
        ApplyVB14Profile();
        return;
    }
}

void CZULAppData::ResetFindResults()
{
    Find.DialogMode = 0;
    Find.ResultCount = 0;
    CUserInterface::Output().ClearOutputList(kFindReplaceList);
    Find.ResetResultTable();
    Find.LdIgnoreMask = 0;
    Find.CurrentResult = 1;
    Find.SearchPOUName.clear();
}

void CZULAppData::InitPIDLoopDefaults()
{
    PIDMonitor.RequestFlag = 0;
    PIDGenerateMode = 0;
    CurrentPIDLoop = 0;
    PIDVarFilePath.clear();
    PIDTrendOpen = 0;
    PIDSubroutineBase = 90;
    for (int n = 0; n < PID_LOOPS_USED; ++n)
        PIDLoops[n].SetDefaults(n);
}

int CZULAppData::CanBaudToCode(int kbitPerSecond)
{
    for (const CanBaudRow& row : kCanBaudRates) {
        if (row.kbitPerSecond == kbitPerSecond)
            return row.code;
    }
    return kCanDefaultCode;
}

int CZULAppData::CanCodeToBaud(int code)
{
    for (const CanBaudRow& row : kCanBaudRates) {
        if (row.code == code)
            return row.kbitPerSecond;
    }
    return kCanDefaultBaud;
}

void CZULAppData::LoadAreaTable()
{
    std::memcpy(g_LiveAreaTable, GetMemAreaTable(GetCPUFamilyMask()), sizeof g_LiveAreaTable);
}

int CZULAppData::GetAreaMaxIndex(const std::string& prefix) const
{
    const std::string form = ByteString::Upper(WithPercent(prefix));
    for (const AreaMaxForm& row : kAreaMaxForms) {
        if (form == row.form)
            return static_cast<int>(g_LiveAreaTable[row.row].maxIndex) - row.extraBytes;
    }
    return -1;
}

int CZULAppData::GetAreaMinIndex(const std::string&) const
{
    return 0;
}

int CZULAppData::GetBitMaxIndex(const std::string&) const
{
    return 7;
}

WORD CZULAppData::GetAreaUnitCount(const std::string& address) const
{
    const std::string text = ByteString::Upper(WithPercent(address));
    for (const CMemAreaInfo& row : g_LiveAreaTable) {
        if (ByteString::StartsWith(text, row.prefix))
            return row.unitCount;
    }
    return 0;
}

short CZULAppData::GetAreaBase(const std::string& prefix, BOOL statusBits) const
{
    const std::string form = WithPercent(prefix);
    for (const AreaBaseForm& row : kAreaBaseForms) {
        if (form == row.form)
            return static_cast<short>(g_LiveAreaTable[statusBits ? row.statusRow : row.row].imageOffset);
    }
    return -1;
}

BOOL CZULAppData::TypeNameToMask(const std::string& typeName, int& mask)
{
    const std::string name = ByteString::Upper(ByteString::Trim(typeName));
    for (const DataTypeName& row : g_DataTypeNames) {
        if (name == row.name) {
            mask = static_cast<int>(row.bit);
            return TRUE;
        }
    }
    mask = 0;
    return FALSE;
}

void CZULAppData::LoadSlaveLibrary()
{
    SlaveLibrary.push_back(CCanOpenSlaveType::CreateBuiltinDrive());
    SlaveLibrary.push_back(CCanOpenSlaveType::CreateBuiltinIO());
}

CCanOpenSlaveType* CZULAppData::FindSlaveType(WORD typeId) const
{
    for (const auto& type : SlaveLibrary) {
        if (type->typeId == typeId)
            return type.get();
    }
    return nullptr;
}

CCanOpenSlaveType* CZULAppData::FindSlaveType(const std::string& typeName) const
{
    for (const auto& type : SlaveLibrary) {
        if (type->name == typeName)
            return type.get();
    }
    return nullptr;
}

void CZULAppData::ReplaceSlaveType(std::unique_ptr<CCanOpenSlaveType> type)
{
    for (auto it = SlaveLibrary.begin(); it != SlaveLibrary.end(); ++it) {
        if ((*it)->name == type->name) {
            SlaveLibrary.erase(it);
            break;
        }
    }
    SlaveLibrary.push_back(std::move(type));
}

BOOL CZULAppData::RemoveSlaveType(const std::string& typeName)
{
    const auto found = std::find_if(SlaveLibrary.begin(), SlaveLibrary.end(),
                                    [&typeName](const auto& type) { return type->name == typeName; });
    if (found == SlaveLibrary.end())
        return FALSE;
    SlaveLibrary.erase(found);
    return TRUE;
}

int CZULAppData::GetSlaveTypeCount() const
{
    return static_cast<int>(SlaveLibrary.size());
}

CCanOpenSlaveType* CZULAppData::GetSlaveType(int position) const
{
    if (position < 0 || position >= GetSlaveTypeCount())
        return nullptr;
    return SlaveLibrary[position].get();
}

BOOL CZULAppData::CopyToSharedMemory(const std::string& text, int kind, int count, const int* values, int extra)
{
    return SharedCopyBlock.Copy(text, kind, count, values, extra, ProfileSubType, GetCPUFamilyMask());
}

BOOL CZULAppData::PasteFromSharedMemory(int& kind, int& count, int* values, int capacity, int& extra,
                                        BOOL valuesOnly)
{
    SharedCopyContent content;
    if (!SharedCopyBlock.Paste(content, values, capacity, valuesOnly))
        return FALSE;
    kind = content.kind;
    count = content.count;
    extra = content.extra;
    if (!valuesOnly)
        PasteText = content.text;
    return TRUE;
}

BOOL CZULAppData::FindGlobalSymbol(const std::string& text, CZULSymbol*& symbol) const
{
    const std::string key = ByteString::Upper(ByteString::Trim(text));
    if (key.empty())
        return FALSE;
    OperandTypeFlags flags = 0;
    if (ParseDirectAddress(key, flags)) {
        const auto byAddress = Project.SymbolsByAddress.find(CZULProject::NormalisedSymbolAddress(key));
        if (byAddress == Project.SymbolsByAddress.end())
            return FALSE;
        symbol = byAddress->second;
        return TRUE;
    }
    const auto found = Project.SymbolsUpper.find(key);
    if (found == Project.SymbolsUpper.end() || !found->second)
        return FALSE;
    symbol = found->second;
    return TRUE;
}

void CZULAppData::RebuildFBInstanceTable(CSourceFileCache* cache)
{
    Project.FBTable.FBScanBuffer.clear();
    if (ScanPOUSources(*this, cache))
        return;
    Project.FBTable.TakeScannedInstances();
}
