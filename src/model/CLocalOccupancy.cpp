#include "CLocalOccupancy.h"

#include "CZULAppData.h"
#include "CpuProfile.h"
#include "LanguageLibrary.h"
#include "platform/ByteString.h"
#include "platform/CUserInterface.h"

#include <algorithm>

namespace {

const char* const ALLOCATION_MESSAGE = "The memory allocation for the local variables does not suit the current CPU. \n"
                                       "Please execute 'Reallocate Local Variables' menu command to correct it.";

void WarnAllocation()
{
    if (g_pAppData && !g_pAppData->CheckLocalVarAllocation)
        return;
    ShowMessage("", ALLOCATION_MESSAGE, MB_OK);
}

int BitCellCount()
{
    return std::min(8 * LocalBitBytes, LOCAL_BIT_CELLS);
}

int ByteCellCount()
{
    return std::min(LocalDataBytes, LOCAL_BYTE_CELLS);
}

} // namespace

CLocalOccupancy::CLocalOccupancy(std::vector<BYTE>& bitCells, std::vector<BYTE>& byteCells)
    : m_bits(bitCells)
    , m_bytes(byteCells)
{
    if (m_bits.size() < size_t(LOCAL_BIT_CELLS))
        m_bits.resize(LOCAL_BIT_CELLS, 0);
    if (m_bytes.size() < size_t(LOCAL_BYTE_CELLS))
        m_bytes.resize(LOCAL_BYTE_CELLS, 0);
}

BOOL CLocalOccupancy::FindFreeBytes(int count, int step, int& first) const
{
    const int cells = ByteCellCount();
    for (int i = 0; i + count <= cells; i += step) {
        bool free = true;
        for (int k = i; k < i + count && free; ++k)
            free = m_bytes[size_t(k)] == 0;
        if (free) {
            first = i;
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CLocalOccupancy::AssignNewAddress(CLocalVarEntry& entry)
{
    entry.Address.clear();
    const OperandTypeFlags mask = entry.DataTypeMask;
    if (mask & OT_BOOL) {
        for (int i = 0; i < BitCellCount(); ++i) {
            if (m_bits[size_t(i)] == 0) {
                m_bits[size_t(i)] = 1;
                entry.Address = ByteString::Format("%s%d.%d", "%L", i / 8, i % 8);
                return TRUE;
            }
        }
        return FALSE;
    }
    int count = 0;
    const char* prefix = "";
    if (mask & OT_BYTE) {
        count = 1;
        prefix = "%LB";
    } else if (mask & (OT_WORD | OT_INT)) {
        count = 2;
        prefix = "%LW";
    } else if (mask & (OT_DWORD | OT_DINT | OT_REAL)) {
        count = 4;
        prefix = "%LD";
    } else {
        return FALSE;
    }
    int first = 0;
    if (!FindFreeBytes(count, count == 1 ? 1 : 2, first))
        return FALSE;
    std::fill(m_bytes.begin() + first, m_bytes.begin() + first + count, BYTE(1));
    entry.Address = ByteString::Format("%s%d", prefix, LocalBitBytes + first);
    return TRUE;
}

void CLocalOccupancy::Release(CLocalVarEntry& entry)
{
    if (entry.Address.empty())
        return;
    SetAddressCells(entry.Address, 0);
    entry.Address.clear();
}

void CLocalOccupancy::MarkUsed(const CLocalVarEntry& entry)
{
    if (!entry.Address.empty())
        SetAddressCells(entry.Address, 1);
}

void CLocalOccupancy::SetByteCell(int byte, BYTE value)
{
    const int cell = byte - LocalBitBytes;
    if (byte < 0 || cell < 0 || cell >= ByteCellCount()) {
        WarnAllocation();
        return;
    }
    m_bytes[size_t(cell)] = value;
}

void CLocalOccupancy::SetBitCell(int position, BYTE value)
{
    if (position < 0 || position >= BitCellCount()) {
        WarnAllocation();
        return;
    }
    m_bits[size_t(position)] = value;
}

void CLocalOccupancy::SetAddressCells(const std::string& address, BYTE value)
{
    const int point = ByteString::Find(address, '.');
    if (point < 0) {
        const int byte = SmallDecimalNumber(ByteString::Mid(address, 3));
        int size = 0;
        if (ByteString::Find(address, 'B') >= 0)
            size = 1;
        else if (ByteString::Find(address, 'W') >= 0)
            size = 2;
        else if (ByteString::Find(address, 'D') >= 0)
            size = 4;
        for (int b = byte; b >= 0 && b < byte + size; ++b)
            SetByteCell(b, value);
        if (byte < 0 && size > 0)
            WarnAllocation();
        return;
    }
    const int byte = SmallDecimalNumber(ByteString::Mid(address, 2, point - 2));
    const int bit = SmallDecimalNumber(ByteString::Right(address, 1));
    SetBitCell(byte < 0 || bit < 0 || bit > 7 ? -1 : 8 * byte + bit, value);
}
