#include "CForceCommands.h"

#include "CStatusChartTable.h"
#include "model/CMemAreaInfo.h"
#include "model/CStatusInput.h"
#include "model/CZULAppData.h"
#include "model/CpuProfile.h"
#include "model/DirectAddress.h"
#include "model/ProjectModified.h"
#include "plclink/ForceExchange.h"
#include "plclink/ForceTableLayout.h"
#include "plclink/MonitorLists.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

// The force-table block type each profile sub-type asks for.
constexpr int kBlockTypeVA10 = 9;
constexpr int kBlockTypeOthers = 10;
constexpr int kLengthOffset = 0;
constexpr int kTypeOffset = 2;
constexpr int kTypeAgainOffset = 4;

// The format a chart row gets for an operand read from the PLC, by section.
constexpr DWORD kReadRowFormats[FORCE_TABLE_SECTIONS] = {
    STATUS_FORMAT_BOOL, STATUS_FORMAT_UNSIGNED, STATUS_FORMAT_UNSIGNED, STATUS_FORMAT_UNSIGNED, STATUS_FORMAT_REAL,
};

// The section an entry of these flags belongs to; -1 for none.
int SectionOf(OperandTypeFlags flags)
{
    for (int s = 0; s < FORCE_TABLE_SECTIONS; ++s) {
        if (flags & g_ForceTableSections[s].sortBits)
            return s;
    }
    return -1;
}

void UpdateBlockType(BYTE subType)
{
    if (subType == PROFILE_SUBTYPE_VA10)
        ForceTableBlockType = kBlockTypeVA10;
    else if (subType == PROFILE_SUBTYPE_VB16 || subType == PROFILE_SUBTYPE_VC || subType == PROFILE_SUBTYPE_VB)
        ForceTableBlockType = kBlockTypeOthers;
}

void AppendLittleEndian(std::vector<BYTE>& block, DWORD value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        block.push_back(BYTE(value >> (BITS_PER_BYTE * i)));
}

struct SectionEntry {
    WORD address;
    DWORD value;
};

} // namespace

CForceCommands::CForceCommands(CZULAppData& app) : m_app(app)
{
    SetForceMapBuilder(this);
}

CForceCommands::~CForceCommands()
{
    SetForceMapBuilder(nullptr);
}

void CForceCommands::ClearImage()
{
    std::fill(m_app.Project.ForceValues.begin(), m_app.Project.ForceValues.end(), 0);
    std::fill(m_app.Project.ForceMarks.begin(), m_app.Project.ForceMarks.end(), 0);
}

void CForceCommands::BackUpImage()
{
    m_app.Project.ForceMarks = m_app.Project.ForceValues;
}

void CForceCommands::RestoreImage()
{
    m_app.Project.ForceValues = m_app.Project.ForceMarks;
}

void CForceCommands::RebuildForceMap(const std::vector<BYTE>& forceTable)
{
    CZULProject& project = m_app.Project;
    std::vector<ForceTableItem> items;
    if (!ParseForceTable(forceTable, project.ForceValues.size(), items))
        return;
    project.ForceMap.clear();
    ClearImage();
    for (const ForceTableItem& item : items) {
        const ForceTableSection& section = g_ForceTableSections[item.section];
        const std::string text = CZULProject::FormatAddress(item.address, section.type);
        if (!text.empty())
            AddEntry(text, item.address, section.entryFlags, 0);
        if (text.empty() && section.valueBytes == 0)
            continue;
        CStatusInput forced;
        forced.encodedAddress = item.address;
        forced.flags = section.entryFlags;
        forced.newValue = item.value;
        project.StoreForcedValue(&forced);
    }
}

BOOL CForceCommands::BuildForceTable()
{
    CZULProject& project = m_app.Project;
    std::vector<SectionEntry> sections[FORCE_TABLE_SECTIONS];
    for (const auto& [key, entry] : project.ForceMap) {
        int value = 0;
        const int s = SectionOf(entry->flags);
        if (s < 0 || !project.GetForcedValue(entry->encodedAddress, entry->flags, value))
            continue;
        sections[s].push_back({entry->encodedAddress, DWORD(value)});
    }
    for (const std::vector<SectionEntry>& section : sections) {
        if (section.size() > size_t(FORCE_TABLE_MAX_ENTRIES)) {
            ShowMessage("Note", FORCE_TOO_MANY_TEXT, MB_OK | MB_ICONINFORMATION);
            return FALSE;
        }
    }
    UpdateBlockType(m_app.ProfileSubType);
    std::vector<BYTE> block = MakeEmptyForceTable(BYTE(ForceTableBlockType));
    for (int s = 0; s < FORCE_TABLE_SECTIONS; ++s)
        block[size_t(FORCE_TABLE_COUNTS_OFFSET + s)] = BYTE(sections[s].size());
    for (int s = 0; s < FORCE_TABLE_SECTIONS; ++s) {
        const int valueBytes = g_ForceTableSections[s].valueBytes;
        for (const SectionEntry& entry : sections[s])
            AppendLittleEndian(block, entry.address, 2);
        if (valueBytes != 0) {
            for (const SectionEntry& entry : sections[s])
                AppendLittleEndian(block, entry.value, valueBytes);
            continue;
        }
        std::vector<BYTE> bits((sections[s].size() + BITS_PER_BYTE - 1) / BITS_PER_BYTE, 0);
        for (size_t k = 0; k < sections[s].size(); ++k)
            SetByteBit(&bits[k / BITS_PER_BYTE], int(k % BITS_PER_BYTE), int(sections[s][k].value));
        block.insert(block.end(), bits.begin(), bits.end());
    }
    block[kLengthOffset] = LOBYTE(block.size());
    block[kLengthOffset + 1] = HIBYTE(block.size());
    block[kTypeOffset] = BYTE(ForceTableBlockType);
    block[kTypeAgainOffset] = BYTE(ForceTableBlockType);
    project.ForceTableBlock = std::move(block);
    return TRUE;
}

bool CForceCommands::AddEntry(const std::string& key, WORD encoded, OperandTypeFlags flags, DWORD value)
{
    auto& map = m_app.Project.ForceMap;
    if (map.count(key) != 0)
        return false;
    map.emplace(key, std::make_unique<CForceEntry>(key, encoded, flags, value));
    return true;
}

void CForceCommands::RemoveEntry(const std::string& key)
{
    m_app.Project.ForceMap.erase(key);
}

class CForceCommands::CExchangeCursor {
public:
    explicit CExchangeCursor(const std::function<void(bool)>& hook) : m_hook(hook)
    {
        if (m_hook)
            m_hook(true);
    }
    ~CExchangeCursor()
    {
        if (m_hook)
            m_hook(false);
    }
    CExchangeCursor(const CExchangeCursor&) = delete;
    CExchangeCursor& operator=(const CExchangeCursor&) = delete;

private:
    const std::function<void(bool)>& m_hook;
};

BOOL CForceCommands::WriteTable()
{
    return BuildForceTable() && SendForceTable();
}

BOOL CForceCommands::ForceAddress(const std::string& address, int value)
{
    CExchangeCursor wait(m_waitCursor);
    OperandTypeFlags flags = 0;
    if (!ParseDirectAddress(address, flags))
        return FALSE;
    CStatusInput forced;
    forced.addressText = address;
    // Encoded from the canonical text: one without its "%" would encode to
    // address 0 and force another operand.
    forced.encodedAddress = EncodeAddress(CStatusChartTable::CanonicalAddress(address, flags), 0);
    forced.flags = flags;
    forced.newValue = DWORD(value);
    if (!ReadForcedTable())
        return FALSE;
    BackUpImage();
    m_app.Project.StoreForcedValue(&forced);
    const bool added = AddEntry(address, forced.encodedAddress, flags, forced.newValue);
    if (WriteTable())
        return TRUE;
    RestoreImage();
    if (added)
        RemoveEntry(address);
    return FALSE;
}

BOOL CForceCommands::UnforceAddress(const std::string& address)
{
    CExchangeCursor wait(m_waitCursor);
    OperandTypeFlags flags = 0;
    const std::string key =
        ParseDirectAddress(address, flags) ? CStatusChartTable::CanonicalAddress(address, flags) : address;
    if (!ReadForcedTable())
        return FALSE;
    BackUpImage();
    auto& map = m_app.Project.ForceMap;
    std::unique_ptr<CForceEntry> taken;
    if (auto found = map.find(key); found != map.end()) {
        taken = std::move(found->second);
        map.erase(found);
    }
    if (WriteTable())
        return TRUE;
    RestoreImage();
    if (taken)
        map.emplace(key, std::move(taken));
    return FALSE;
}

BOOL CForceCommands::SendUnforceAll()
{
    CExchangeCursor wait(m_waitCursor);
    if (!::SendUnforceAll())
        return FALSE;
    ClearForceMap();
    return TRUE;
}

BOOL CForceCommands::ForceMapHasEntries() const
{
    return m_app.Project.ForceMap.empty() ? FALSE : TRUE;
}

BOOL CForceCommands::IsForced(const std::string& key) const
{
    return m_app.Project.ForceMap.count(key) != 0 ? TRUE : FALSE;
}

void CForceCommands::ClearForceMap()
{
    m_app.Project.ForceMap.clear();
    ClearImage();
}

void CForceCommands::ClearRowNewValue(CStatusInput& row)
{
    row.newValueText.clear();
    row.newValue = 0;
    row.spare = 0;
    row.newValueValid = 0;
    SetProjectModified(TRUE);
}

BOOL CForceCommands::Force(CStatusInput* row)
{
    CExchangeCursor wait(m_waitCursor);
    if (!IsUsableRow(row) || !row->newValueValid || !ReadForcedTable())
        return FALSE;
    BackUpImage();
    m_app.Project.StoreForcedValue(row);
    const bool added = AddEntry(row->addressText, row->encodedAddress, row->flags, row->newValue);
    if (WriteTable()) {
        ClearRowNewValue(*row);
        return TRUE;
    }
    RestoreImage();
    if (added)
        RemoveEntry(row->addressText);
    return FALSE;
}

BOOL CForceCommands::Unforce(CStatusInput* row)
{
    CExchangeCursor wait(m_waitCursor);
    if (!row || !row->valid || !ReadForcedTable())
        return FALSE;
    BackUpImage();
    auto& map = m_app.Project.ForceMap;
    std::unique_ptr<CForceEntry> taken;
    if (auto found = map.find(row->addressText); found != map.end()) {
        taken = std::move(found->second);
        map.erase(found);
    }
    if (WriteTable()) {
        ClearRowNewValue(*row);
        return TRUE;
    }
    RestoreImage();
    if (taken)
        map.emplace(row->addressText, std::move(taken));
    return FALSE;
}

BOOL CForceCommands::ForceAll(CStatusChartTable& chart)
{
    CExchangeCursor wait(m_waitCursor);
    if (!ReadForcedTable())
        return FALSE;
    BackUpImage();
    auto& map = m_app.Project.ForceMap;
    std::set<std::string> kept;
    for (const auto& [key, entry] : map)
        kept.insert(key);
    std::vector<CStatusInput*> rows;
    for (int r = 0; r < chart.GetRecordCount(); ++r) {
        CStatusInput* row = chart.GetRecord(r);
        if (IsUsableRow(row) && row->newValueValid)
            rows.push_back(row);
    }
    for (CStatusInput* row : rows)
        m_app.Project.StoreForcedValue(row);
    for (CStatusInput* row : rows) {
        if (auto found = map.find(row->addressText); found != map.end())
            found->second->value = row->newValue;
        else
            AddEntry(row->addressText, row->encodedAddress, row->flags, row->newValue);
    }
    if (WriteTable()) {
        for (int r = 0; r < chart.GetRecordCount(); ++r) {
            if (chart.GetRecord(r)->newValueValid || !chart.GetRecord(r)->newValueText.empty())
                ClearRowNewValue(*chart.GetRecord(r));
        }
        return TRUE;
    }
    RestoreImage();
    for (auto it = map.begin(); it != map.end();)
        it = kept.count(it->first) != 0 ? std::next(it) : map.erase(it);
    return FALSE;
}

BOOL CForceCommands::UnforceAll()
{
    return SendUnforceAll();
}

int CForceCommands::ReadAllForced(CStatusChartTable& chart)
{
    CExchangeCursor wait(m_waitCursor);
    if (!ReadForcedTable())
        return 0;
    std::vector<ForceTableItem> items;
    if (!ParseForceTable(m_app.Project.ForceTableBlock, m_app.Project.ForceValues.size(), items))
        return 0;
    int appended = 0;
    for (const ForceTableItem& item : items) {
        const ForceTableSection& section = g_ForceTableSections[item.section];
        const std::string text = CZULProject::FormatAddress(item.address, section.type);
        if (text.empty())
            continue;
        chart.AppendForcedRow(text, item.address, section.entryFlags, kReadRowFormats[item.section]);
        ++appended;
    }
    return appended;
}

BOOL CForceCommands::CanRunCommands() const
{
    return m_app.Monitoring.load() != 0 && m_app.PIDTrendOpen == 0;
}

BOOL CForceCommands::IsUsableRow(const CStatusInput* row)
{
    return row && row->valid && (row->flags & OT_FORCEABLE);
}

BOOL CForceCommands::CanForce(const CStatusInput* row) const
{
    return CanRunCommands() && IsUsableRow(row) && row->newValueValid;
}

BOOL CForceCommands::CanUnforce(const CStatusInput* row) const
{
    return CanRunCommands() && IsUsableRow(row);
}
