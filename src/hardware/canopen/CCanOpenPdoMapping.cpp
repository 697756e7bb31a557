#include "CCanOpenPdoMapping.h"

#include "CCanOpenSlaveGrid.h"
#include "CanOpenTexts.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CMemAreaInfo.h"
#include "model/CZULAppData.h"
#include "model/CanOpenNumbers.h"
#include "model/ProjectModified.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

#include <algorithm>
#include <climits>

namespace {

constexpr const char* kSeparator = " - ";
constexpr int kSeparatorWidth = 3;
constexpr int kIndexChars = 4;
constexpr int kMaxSubChars = 2;
constexpr int kBitsPerByte = 8;
constexpr int kUnmappableBits = PDO_MAX_BITS + 1;
constexpr int kMaxNumberDigits = 9;
constexpr int kDecimalBase = 10;

// Bits of each library data-type flag.
struct DataTypeBits {
    int dataType;
    int bits;
};

constexpr DataTypeBits kDataTypeBits[] = {
    {OD_TYPE_BOOLEAN, 1},     {OD_TYPE_INTEGER8, 8},    {OD_TYPE_UNSIGNED8, 8},   {OD_TYPE_INTEGER16, 16},
    {OD_TYPE_UNSIGNED16, 16}, {OD_TYPE_INTEGER32, 32},  {OD_TYPE_UNSIGNED32, 32}, {OD_TYPE_REAL32, 32},
};

// Local memory prefixes with the bytes each covers.
struct LocalMemoryForm {
    char width;
    int bytes;
    const char* format;
};

constexpr LocalMemoryForm kLocalMemoryForms[] = {
    {'B', 1, "%%VB%d"},
    {'W', 2, "%%VW%d"},
    {'D', 4, "%%VD%d"},
};

const LocalMemoryForm* FormOfWidth(char width)
{
    for (const LocalMemoryForm& form : kLocalMemoryForms) {
        if (form.width == width)
            return &form;
    }
    return nullptr;
}

// Objects of 8, 16 and 32 bits get local memory; bits and other sizes do not.
bool NeedsLocalMemory(int bits)
{
    return std::any_of(std::begin(kLocalMemoryForms), std::end(kLocalMemoryForms),
                       [bits](const LocalMemoryForm& form) { return form.bytes * kBitsPerByte == bits; });
}

bool AccessSuits(int access, int list)
{
    if (list == PDO_LIST_TRANSMIT)
        return access != OD_ACCESS_WO && access != OD_ACCESS_RWW;
    return access != OD_ACCESS_RO && access != OD_ACCESS_RWR;
}

const CCanOpenODEntry* FindEntry(const CCanOpenSlaveType& type, const std::string& name, int index, int subIndex)
{
    for (const CCanOpenODEntry* entry : type.objects) {
        if (entry->name == name && entry->index == index && (entry->subIndex == -1 || entry->subIndex == subIndex))
            return entry;
    }
    return nullptr;
}

int UsedBits(const CCanOpenPdo& pdo, int& firstEmpty)
{
    int used = 0;
    firstEmpty = -1;
    for (int row = 0; row < CANOPEN_PDO_ROWS; ++row) {
        if (!pdo.Rows[row].ODName.empty())
            used += std::clamp(pdo.Rows[row].Size, 0, kUnmappableBits);
        else if (firstEmpty < 0)
            firstEmpty = row;
    }
    return used;
}

bool HasMappedRows(const CCanOpenPdo& pdo)
{
    return std::any_of(std::begin(pdo.Rows), std::end(pdo.Rows),
                       [](const CCanOpenMappedObject& row) { return !row.ODName.empty(); });
}

void ShowRefusal(const std::string& text)
{
    ShowMessage(kMessageCaption, text, MB_OK);
}

int HexValue(const std::string& text, int maxDigits)
{
    int digits = 0;
    return static_cast<int>(ReadHexPrefix(text, maxDigits, digits));
}

} // namespace

CCanOpenPdoMapping::CCanOpenPdoMapping(CCanOpenSlaveGrid& slaves, const CZULAppData& library)
    : m_slaves(slaves), m_library(library)
{
}

void CCanOpenPdoMapping::ShowPdo(int slot, int list, int pdo, int gridCobId)
{
    m_slot = slot;
    m_list = list;
    m_pdo = pdo;
    m_gridCobId = gridCobId;
}

CCanOpenPdo* CCanOpenPdoMapping::ShownPdo()
{
    if (!m_slaves.IsConfigured(m_slot) || m_pdo < 0 || m_pdo >= CANOPEN_PDOS)
        return nullptr;
    CCanOpenSlave& slave = m_slaves.Slave(m_slot);
    if (m_list == PDO_LIST_TRANSMIT)
        return &slave.TPDO[m_pdo];
    if (m_list == PDO_LIST_RECEIVE)
        return &slave.RPDO[m_pdo];
    return nullptr;
}

bool CCanOpenPdoMapping::IsShownPdo(int slot, int list, int pdo) const
{
    return slot == m_slot && list == m_list && pdo == m_pdo;
}

int CCanOpenPdoMapping::ObjectBits(int dataType)
{
    for (const DataTypeBits& entry : kDataTypeBits) {
        if (entry.dataType == dataType)
            return entry.bits;
    }
    return kUnmappableBits;
}

std::string CCanOpenPdoMapping::LocalMemoryText(int bits, int address)
{
    for (const LocalMemoryForm& form : kLocalMemoryForms) {
        if (form.bytes * kBitsPerByte == bits)
            return ByteString::Format(form.format, address);
    }
    return "";
}

BOOL CCanOpenPdoMapping::OnAddMappedObject(const CMapTreeItem& item)
{
    if (ShownPdo() == nullptr)
        return FALSE;
    if (item.hasChildren) {
        ShowRefusal(kSelectLeafObject);
        return FALSE;
    }
    std::string slaveName;
    int index = 0;
    int subIndex = 0;
    int treeList = 0;
    bool haveIndex = false;
    bool haveSub = false;
    for (const CMapTreeItem* node = &item; node != nullptr; node = node->parent) {
        const int separator = ByteString::Find(node->text, kSeparator);
        if (ByteString::StartsWith(node->text, kSlaveItemPrefix)) {
            if (separator >= 0)
                slaveName = ByteString::Trim(ByteString::Mid(node->text, separator + kSeparatorWidth));
            const int prefixWidth = static_cast<int>(std::string(kSlaveItemPrefix).size());
            const int number = ReadDecimal(ByteString::Mid(node->text, prefixWidth));
            if (number >= 1 && number <= CANOPEN_SLAVES)
                break;
            continue;
        }
        if (separator < 0) {
            if (ByteString::StartsWith(node->text, kTransmitBranchPrefix))
                treeList = PDO_LIST_TRANSMIT;
            else if (ByteString::StartsWith(node->text, kReceiveBranchPrefix))
                treeList = PDO_LIST_RECEIVE;
            continue;
        }
        const std::string part = ByteString::Trim(ByteString::Left(node->text, separator));
        if (part.size() == kIndexChars && !haveIndex) {
            index = HexValue(part, kIndexChars);
            haveIndex = true;
        } else if (!node->hasChildren && part.size() <= kMaxSubChars && !haveSub) {
            subIndex = HexValue(part, kMaxSubChars);
            haveSub = true;
        }
    }
    return InsertMappedObject(item.text, slaveName, index, subIndex, treeList);
}

BOOL CCanOpenPdoMapping::InsertMappedObject(const std::string& itemText, const std::string& slaveName, int index,
                                            int subIndex, int treeList)
{
    CCanOpenPdo* pdo = ShownPdo();
    if (pdo == nullptr || itemText.empty())
        return FALSE;
    const int separator = ByteString::Find(itemText, kSeparator);
    const std::string name = separator < 0 ? std::string() : ByteString::Trim(ByteString::Mid(itemText, separator + kSeparatorWidth));
    const CCanOpenSlaveType* type = m_library.FindSlaveType(slaveName);
    if (type == nullptr) {
        ShowRefusal(kNoTypeForSlave);
        return FALSE;
    }
    const CCanOpenODEntry* entry = FindEntry(*type, name, index, subIndex);
    if (entry == nullptr)
        return FALSE;
    if (!AccessSuits(entry->access, m_list) || treeList != m_list) {
        ShowRefusal(kObjectDoesNotSuitPdo);
        return FALSE;
    }
    int firstEmpty = -1;
    const int used = UsedBits(*pdo, firstEmpty);
    if (!CheckPdoLimits())
        return FALSE;
    const int bits = ObjectBits(entry->dataType);
    if (firstEmpty < 0 || used >= PDO_MAX_BITS || used + bits > PDO_MAX_BITS) {
        ShowRefusal(ByteString::Format(kPdoBitsFull, PDO_MAX_BITS, std::max(PDO_MAX_BITS - used, 0), bits));
        return FALSE;
    }
    CCanOpenMappedObject& row = pdo->Rows[firstEmpty];
    row.ODName = entry->name;
    row.Size = bits;
    row.Index = entry->index;
    row.Sub = entry->subIndex;
    row.Mem.clear();
    int address = 0;
    if (AllocLocalMemory(bits, address, FALSE))
        row.Mem = LocalMemoryText(bits, address);
    else if (NeedsLocalMemory(bits))
        ShowRefusal(kNoLocalMemory);
    if (m_gridCobId != 0)
        pdo->COB_ID = m_gridCobId;
    SetProjectModified(TRUE);
    return TRUE;
}

int CCanOpenPdoMapping::CountMappedPdos(int list, bool& shownListed) const
{
    int count = 0;
    shownListed = false;
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot) {
        if (!m_slaves.IsConfigured(slot))
            continue;
        const CCanOpenSlave& slave = m_slaves.Slave(slot);
        const CCanOpenPdo* pdos = list == PDO_LIST_RECEIVE ? slave.RPDO : slave.TPDO;
        for (int k = 0; k < CANOPEN_PDOS; ++k) {
            if (!HasMappedRows(pdos[k]))
                continue;
            if (count < NETWORK_MAX_PDOS && IsShownPdo(slot, list, k))
                shownListed = true;
            ++count;
        }
    }
    return count;
}

BOOL CCanOpenPdoMapping::CheckPdoLimits()
{
    CCanOpenPdo* pdo = ShownPdo();
    if (pdo == nullptr)
        return FALSE;
    if (m_gridCobId == 0 && pdo->COB_ID == 0) {
        ShowRefusal(ByteString::Format(kPdoNeedsCobId, PDO_MIN_COB_ID, PDO_MAX_COB_ID));
        return FALSE;
    }
    bool receiveListed = false;
    bool transmitListed = false;
    const int receive = CountMappedPdos(PDO_LIST_RECEIVE, receiveListed);
    const int transmit = CountMappedPdos(PDO_LIST_TRANSMIT, transmitListed);
    const int count = m_list == PDO_LIST_RECEIVE ? receive : transmit;
    const bool listed = m_list == PDO_LIST_RECEIVE ? receiveListed : transmitListed;
    if (count < NETWORK_MAX_PDOS || (count == NETWORK_MAX_PDOS && listed))
        return TRUE;
    ShowRefusal(ByteString::Format(kNetworkPdoLimit, NETWORK_MAX_PDOS, NETWORK_MAX_PDOS, receive, transmit));
    return FALSE;
}

int CCanOpenPdoMapping::UsableMarks() const
{
    const int vBytes = g_LiveAreaTable[MEM_ROW_V].unitCount;
    return std::clamp(vBytes - LOCAL_MEMORY_FIRST_BYTE, 0, LOCAL_MEMORY_MARKS);
}

// A V address text marks the bytes its width and number name, also when the
// CPU would refuse it (beyond its V area, trailing characters): a text that
// is in use is never handed out a second time. Other areas are not tracked.
void CCanOpenPdoMapping::MarkLocalMemory(const std::string& text)
{
    const std::string address = ByteString::Upper(ByteString::Trim(text));
    const size_t area = !address.empty() && address[0] == '%' ? 1 : 0;
    if (address.size() < area + 3 || address[area] != 'V')
        return;
    const LocalMemoryForm* form = FormOfWidth(address[area + 1]);
    if (form == nullptr)
        return;
    const size_t digits = area + 2;
    long long number = 0;
    size_t pos = digits;
    for (; pos < address.size() && pos < digits + kMaxNumberDigits && address[pos] >= '0' && address[pos] <= '9'; ++pos)
        number = number * kDecimalBase + (address[pos] - '0');
    if (pos == digits)
        return;
    std::vector<BYTE>& marks = m_slaves.UsageMap();
    for (long long i = number - LOCAL_MEMORY_FIRST_BYTE; i < number - LOCAL_MEMORY_FIRST_BYTE + form->bytes; ++i) {
        if (i >= 0 && i < static_cast<long long>(marks.size()))
            marks[static_cast<size_t>(i)] = 1;
    }
}

void CCanOpenPdoMapping::RebuildUsageMap()
{
    std::vector<BYTE>& marks = m_slaves.UsageMap();
    std::fill(marks.begin(), marks.end(), 0);
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot) {
        if (!m_slaves.IsConfigured(slot))
            continue;
        const CCanOpenSlave& slave = m_slaves.Slave(slot);
        for (const CCanOpenPdo* pdos : {slave.RPDO, slave.TPDO}) {
            for (int k = 0; k < CANOPEN_PDOS; ++k) {
                for (const CCanOpenMappedObject& row : pdos[k].Rows)
                    MarkLocalMemory(row.Mem);
            }
        }
    }
}

BOOL CCanOpenPdoMapping::AllocLocalMemory(int bits, int& address, BOOL noRebuild)
{
    if (!NeedsLocalMemory(bits))
        return FALSE;
    if (!noRebuild)
        RebuildUsageMap();
    std::vector<BYTE>& marks = m_slaves.UsageMap();
    const int bytes = bits / kBitsPerByte;
    const int step = bytes == 2 || bytes == 4 ? 2 : 1;
    const int limit = UsableMarks();
    for (int i = 0; i + bytes <= limit; i += step) {
        const auto first = marks.begin() + i;
        if (std::any_of(first, first + bytes, [](BYTE mark) { return mark != 0; }))
            continue;
        std::fill(first, first + bytes, 1);
        address = LOCAL_MEMORY_FIRST_BYTE + i;
        return TRUE;
    }
    return FALSE;
}

BOOL CCanOpenPdoMapping::OnDeleteMappedObject(int row)
{
    CCanOpenPdo* pdo = ShownPdo();
    if (pdo == nullptr || row < 0 || row >= CANOPEN_PDO_ROWS || pdo->Rows[row].ODName.empty())
        return FALSE;
    pdo->Rows[row] = CCanOpenMappedObject{};
    SetProjectModified(TRUE);
    return TRUE;
}

BOOL CCanOpenPdoMapping::OnReassignMemory()
{
    if (ShowMessage(kNoteCaption, kReassignQuestion, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return FALSE;
    ReassignLocalMemory();
    SetProjectModified(TRUE);
    return TRUE;
}

void CCanOpenPdoMapping::ReassignLocalMemory()
{
    std::vector<BYTE>& marks = m_slaves.UsageMap();
    std::fill(marks.begin(), marks.end(), 0);
    bool withoutRoom = false;
    for (int slot = 0; slot < CANOPEN_SLAVES; ++slot) {
        if (!m_slaves.IsConfigured(slot))
            continue;
        CCanOpenSlave& slave = m_slaves.Slave(slot);
        for (CCanOpenPdo* pdos : {slave.RPDO, slave.TPDO}) {
            for (int k = 0; k < CANOPEN_PDOS; ++k) {
                for (CCanOpenMappedObject& row : pdos[k].Rows) {
                    if (row.ODName.empty())
                        continue;
                    int address = 0;
                    if (AllocLocalMemory(row.Size, address, TRUE)) {
                        row.Mem = LocalMemoryText(row.Size, address);
                    } else if (NeedsLocalMemory(row.Size)) {
                        // Its old place may now belong to another object.
                        row.Mem.clear();
                        withoutRoom = true;
                    }
                }
            }
        }
    }
    if (withoutRoom)
        ShowRefusal(kNoLocalMemory);
}
