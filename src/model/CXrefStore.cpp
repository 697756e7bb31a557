#include "CXrefStore.h"

#include "CZULAppData.h"
#include "DirectAddress.h"
#include "ILVocabulary.h"
#include "LanguageLibrary.h"
#include "platform/ByteString.h"

#include <new>

CXrefStore g_XrefStore;

namespace {

struct XrefAreaDef {
    XrefArea area;
    int slots;
    DWORD filterBit;
};

// In collection order.
const XrefAreaDef XREF_AREAS[XREF_AREA_COUNT] = {
    {XREF_AI, 64, OT_AREA_AI},     {XREF_AQ, 64, OT_AREA_AQ},     {XREF_I, 64, OT_AREA_I},
    {XREF_M, 32, OT_AREA_M},       {XREF_Q, 64, OT_AREA_Q},       {XREF_SM, 300, OT_AREA_SM},
    {XREF_V, 12288, OT_AREA_V},    {XREF_HC, 6, OT_AREA_HC},      {XREF_T, 256, OT_AREA_T},
    {XREF_C, 256, OT_AREA_C},      {XREF_RS, 32, OT_AREA_RS},     {XREF_SR, 32, OT_AREA_SR},
};

// Instance prefixes of timers, counters and flip-flops.
struct XrefInstanceDef {
    const char* prefix;
    XrefArea area;
    int type;
};

const XrefInstanceDef XREF_INSTANCES[] = {
    {"T", XREF_T, XREF_TYPE_WORD},
    {"C", XREF_C, XREF_TYPE_WORD},
    {"RS", XREF_RS, XREF_TYPE_BOOL},
    {"SR", XREF_SR, XREF_TYPE_BOOL},
};

bool IsPointerText(const std::string& text)
{
    return !text.empty() && text[0] == '*';
}

bool IsAddressOfText(const std::string& text)
{
    return !text.empty() && text[0] == '&';
}

bool AreaOfFlags(OperandTypeFlags flags, XrefArea& area)
{
    const struct {
        OperandTypeFlags flag;
        XrefArea area;
    } areas[] = {
        {OT_AREA_I, XREF_I}, {OT_AREA_Q, XREF_Q}, {OT_AREA_M, XREF_M},   {OT_AREA_SM, XREF_SM},
        {OT_AREA_V, XREF_V}, {OT_AREA_AI, XREF_AI}, {OT_AREA_AQ, XREF_AQ}, {OT_AREA_HC, XREF_HC},
    };
    for (const auto& row : areas) {
        if (flags & row.flag) {
            area = row.area;
            return true;
        }
    }
    return false;
}

void FreeList(CXrefEntry*& head)
{
    while (head) {
        CXrefEntry* next = head->next;
        delete head;
        head = next;
    }
}

// Appends a reference at the end of the list at head with the compiler's
// current position. The walk to the end starts at tail, the list's last
// entry as last seen (nullptr: start at head); tail becomes the new entry.
BOOL AppendXref(const std::string& address, CXrefEntry** head, CXrefEntry*& tail, int access, int type)
{
    if (address.empty() || !head)
        return FALSE;
    CXrefEntry* entry = new (std::nothrow) CXrefEntry;
    if (!entry)
        return FALSE;
    entry->address = address;
    entry->type = type;
    // The compiler installs its position on the program's store; every
    // list, the program's own or another, records where the compiler is.
    const XrefPosition position = g_XrefStore.CurrentPosition();
    entry->positionKind = WORD(position.kind);
    entry->access = access;
    entry->number = position.number;
    entry->pou = position.pou;
    CXrefEntry* last = tail ? tail : *head;
    while (last && last->next)
        last = last->next;
    if (last)
        last->next = entry;
    else
        *head = entry;
    tail = entry;
    return TRUE;
}

enum class Verdict { Skip, Copy, Full };

// Whether a reference of the byte list is copied; the capacity counts as soon
// as the filter's own test of a step is passed.
Verdict SelectByteReference(const CXrefEntry& ref, DWORD filter, DWORD setting, bool full)
{
    const int t = ref.type;
    const bool pointer = IsPointerText(ref.address);
    const bool addressOf = IsAddressOfText(ref.address);
    if ((t == XREF_TYPE_BYTE && (filter & OT_BYTE)) || (t == XREF_TYPE_WORD && (filter & OT_WORD))) {
        if (full)
            return Verdict::Full;
        return addressOf && !(setting & OT_ADDRESS_OF) ? Verdict::Skip : Verdict::Copy;
    }
    if (t == XREF_TYPE_DWORD && (filter & OT_DWORD)) {
        if (full)
            return Verdict::Full;
        if ((pointer && !(setting & OT_POINTER)) || (addressOf && !(setting & OT_ADDRESS_OF)))
            return Verdict::Skip;
        return Verdict::Copy;
    }
    if (t == XREF_TYPE_DWORD && (filter & OT_POINTER)) {
        if (full)
            return Verdict::Full;
        return (setting & OT_POINTER) && !(setting & OT_DWORD) && pointer ? Verdict::Copy : Verdict::Skip;
    }
    if ((t == XREF_TYPE_BYTE || t == XREF_TYPE_WORD || t == XREF_TYPE_DWORD) && (filter & OT_ADDRESS_OF)) {
        if (full)
            return Verdict::Full;
        return (setting & OT_ADDRESS_OF) && addressOf ? Verdict::Copy : Verdict::Skip;
    }
    return Verdict::Skip;
}

void CopyReference(const CXrefEntry& ref, CXrefEntry& row)
{
    row.address = ref.address;
    row.type = ref.type;
    row.positionKind = ref.positionKind;
    row.access = ref.access;
    row.number = ref.number;
    row.pou = ref.pou;
    row.next = nullptr;
}

// Copies a whole list; FALSE when the array is full first.
bool CopyList(const CXrefEntry* ref, int capacity, int& count, CXrefEntry* array)
{
    for (; ref; ref = ref->next) {
        if (count >= capacity)
            return false;
        CopyReference(*ref, array[count++]);
    }
    return true;
}

} // namespace

CXrefStore::CXrefStore() = default;

CXrefStore::~CXrefStore()
{
    Clear();
}

void CXrefStore::Clear()
{
    for (XrefSlot* slot : m_touched)
        FreeXrefSlot(*slot);
    m_touched.clear();
}

int CXrefStore::SlotCount(XrefArea area)
{
    return XREF_AREAS[area].slots;
}

DWORD CXrefStore::AreaFilterBit(XrefArea area)
{
    return XREF_AREAS[area].filterBit;
}

XrefSlot* CXrefStore::Slot(XrefArea area, int number)
{
    if (number < 0 || number >= SlotCount(area))
        return nullptr;
    // An area's table is made when its first reference comes: the V area
    // alone takes close to 2 MB, which a program that never compiles keeps
    // from its start to its end untouched. A table is made once at its full
    // size, so the slots handed out stay where they are.
    std::vector<XrefSlot>& table = m_tables[area];
    if (table.empty())
        table.resize(size_t(SlotCount(area)));
    XrefSlot* slot = &table[size_t(number)];
    if (!slot->touched) {
        slot->touched = true;
        m_touched.push_back(slot);
    }
    return slot;
}

BOOL CXrefStore::AddAddressXref(int access, const std::string& address)
{
    std::string lookup = ByteString::Upper(address);
    if (IsIndirectOperand(address) || IsAddressOfOperand(address))
        lookup = "%" + lookup.substr(1);
    WORD row = 0;
    CMemAreaDef def {};
    if (!FindMemoryArea(lookup, row) || !GetMemoryAreaDef(row, def))
        return TRUE;
    XrefArea area = XREF_V;
    if (!AreaOfFlags(def.areaFlags, area))
        return TRUE;
    const std::string number = lookup.substr(def.prefixLength);
    const size_t point = number.find('.');
    if (point == 0)
        return FALSE;
    const int byte = SmallDecimalNumber(point == std::string::npos ? number : number.substr(0, point));
    const int bit = point == std::string::npos ? 0 : SmallDecimalNumber(number.substr(point + 1));
    XrefSlot* slot = Slot(area, byte);
    if (!slot || bit < 0 || bit > 7)
        return FALSE;

    if (area == XREF_AI || area == XREF_AQ)
        return AppendXref(address, &slot->byteList, slot->byteTail, access, XREF_TYPE_WORD);
    if (area == XREF_HC)
        return AppendXref(address, &slot->byteList, slot->byteTail, access, XREF_TYPE_DWORD);
    const int type = int(def.typeBits & OT_WIDTH_BITS);
    if (type == XREF_TYPE_BOOL)
        return AppendXref(address, &slot->bitLists[size_t(bit)], slot->bitTails[size_t(bit)], access, XREF_TYPE_BOOL);
    if (type == XREF_TYPE_BYTE || type == XREF_TYPE_WORD || type == XREF_TYPE_DWORD)
        return AppendXref(address, &slot->byteList, slot->byteTail, access, type);
    return TRUE;
}

BOOL CXrefStore::AddInstanceXref(int access, const std::string& operand)
{
    for (const XrefInstanceDef& def : XREF_INSTANCES) {
        const std::string prefix = def.prefix;
        if (operand.compare(0, prefix.size(), prefix) != 0)
            continue;
        const int number = SmallDecimalNumber(operand.substr(prefix.size()));
        if (number < 0)
            return TRUE;
        XrefSlot* slot = Slot(def.area, number);
        if (!slot)
            return FALSE;
        return AppendXref(operand, &slot->byteList, slot->byteTail, access, def.type);
    }
    return TRUE;
}

BOOL CXrefStore::CollectArea(XrefArea area, DWORD filter, DWORD typesOfArea, int capacity, int& count,
                             CXrefEntry* array) const
{
    const bool flipFlops = (filter & OT_BOOL) && (filter & (OT_AREA_SR | OT_AREA_RS));
    for (const XrefSlot& slot : m_tables[area]) {
        if (flipFlops && slot.byteList && slot.byteList->type == XREF_TYPE_BOOL) {
            if (!CopyList(slot.byteList, capacity, count, array))
                return FALSE;
        } else {
            for (const CXrefEntry* ref = slot.byteList; ref; ref = ref->next) {
                const Verdict verdict = SelectByteReference(*ref, filter, typesOfArea, count >= capacity);
                if (verdict == Verdict::Full)
                    return FALSE;
                if (verdict == Verdict::Copy)
                    CopyReference(*ref, array[count++]);
            }
        }
        if (!(filter & OT_BOOL))
            continue;
        for (const CXrefEntry* list : slot.bitLists) {
            if (!CopyList(list, capacity, count, array))
                return FALSE;
        }
    }
    return TRUE;
}

BOOL CXrefStore::Collect(DWORD filter, DWORD typesOfArea, int& count, CXrefEntry* array) const
{
    const int capacity = count;
    int copied = 0;
    for (const XrefAreaDef& def : XREF_AREAS) {
        if (!(filter & def.filterBit))
            continue;
        if (!CollectArea(def.area, filter, typesOfArea, capacity, copied, array))
            return FALSE;
    }
    count = copied;
    return TRUE;
}

BOOL AddXref(const std::string& address, CXrefEntry** listHead, int access, int type)
{
    CXrefEntry* tail = nullptr;
    return AppendXref(address, listHead, tail, access, type);
}

BOOL AddBitXref(const std::string& address, CXrefEntry** listHead, int access)
{
    return AddXref(address, listHead, access, XREF_TYPE_BOOL);
}

BOOL AddAddressXref(int access, const std::string& address)
{
    return g_XrefStore.AddAddressXref(access, address);
}

BOOL AddInstanceXref(int access, const std::string& operand)
{
    return g_XrefStore.AddInstanceXref(access, operand);
}

void SetXrefPositionSource(std::function<XrefPosition()> source)
{
    g_XrefStore.SetPositionSource(std::move(source));
}

void CXrefStore::SetPositionSource(std::function<XrefPosition()> source)
{
    m_positionSource = std::move(source);
}

XrefPosition CXrefStore::CurrentPosition() const
{
    return m_positionSource ? m_positionSource() : XrefPosition();
}

void FreeXrefSlot(XrefSlot& slot)
{
    FreeList(slot.byteList);
    for (CXrefEntry*& list : slot.bitLists)
        FreeList(list);
    slot.byteTail = nullptr;
    slot.bitTails.fill(nullptr);
    slot.touched = false;
}

void FreeXrefTable(std::vector<XrefSlot>& table)
{
    for (XrefSlot& slot : table)
        FreeXrefSlot(slot);
}

void ClearXrefTables()
{
    g_XrefStore.Clear();
}

BOOL CollectXrefEntries(DWORD filter, int& count, CXrefEntry* array)
{
    const DWORD setting = g_pAppData ? DWORD(g_pAppData->TypesOfArea) : 0;
    return g_XrefStore.Collect(filter, setting, count, array);
}
