#include "CZULProject.h"

#include "CStatusInput.h"
#include "DirectAddress.h"

#include <algorithm>

namespace {

// Cells of the force image that both buffers have.
size_t ForceCells(const CZULProject& project)
{
    return std::min({project.ForceValues.size(), project.ForceMarks.size(),
                     size_t(std::max(project.ForceImageSize, 0))});
}

// Cells a forced operand of these flags covers: 0 for a bit, -1 for no forced type.
int ForcedWidth(OperandTypeFlags flags)
{
    if (flags & OT_BOOL)
        return 0;
    if (flags & OT_BYTE)
        return 1;
    if (flags & (OT_WORD | OT_INT))
        return 2;
    if (flags & (OT_DWORD | OT_DINT | OT_REAL))
        return 4;
    return -1;
}

} // namespace

void CZULProject::AllocateForceBuffers()
{
    ForceValues.assign(static_cast<size_t>(std::max(ForceImageSize, 0)), 0);
    ForceMarks.assign(static_cast<size_t>(std::max(ForceImageSize, 0)), 0);
}

void CZULProject::FreeForceBuffers()
{
    ForceValues.clear();
    ForceValues.shrink_to_fit();
    ForceMarks.clear();
    ForceMarks.shrink_to_fit();
}

BOOL CZULProject::StoreForcedValue(const CStatusInput* row)
{
    const size_t cells = ForceCells(*this);
    if (!row || cells == 0 || !(row->flags & OT_FORCEABLE))
        return FALSE;
    const int width = ForcedWidth(row->flags);
    if (width == 0) {
        const size_t index = row->encodedAddress & ADDRESS_BYTE_MASK;
        const DWORD bit = DWORD(1) << (row->encodedAddress >> ADDRESS_BIT_SHIFT);
        if (index >= cells)
            return FALSE;
        DWORD& cell = ForceValues[index];
        cell = (row->newValue & 1) ? (cell | bit) : (cell & ~bit);
        return TRUE;
    }
    if (width < 0)
        return TRUE;
    const size_t index = row->encodedAddress;
    if (index + size_t(width) > cells)
        return FALSE;
    for (int i = 0; i < width; ++i) {
        DWORD& cell = ForceValues[index + size_t(i)];
        cell = (cell & ~DWORD(0xFF)) | ((row->newValue >> (8 * i)) & 0xFF);
    }
    return TRUE;
}

BOOL CZULProject::GetForcedValue(WORD address, OperandTypeFlags flags, int& value) const
{
    const size_t cells = ForceCells(*this);
    if (cells == 0 || !(flags & OT_FORCEABLE))
        return FALSE;
    const int width = ForcedWidth(flags);
    if (width == 0) {
        const size_t index = address & ADDRESS_BYTE_MASK;
        if (index >= cells)
            return FALSE;
        value = int((ForceValues[index] >> (address >> ADDRESS_BIT_SHIFT)) & 1);
        return TRUE;
    }
    if (width < 0)
        return TRUE;
    if (size_t(address) + size_t(width) > cells)
        return FALSE;
    DWORD result = 0;
    for (int i = 0; i < width; ++i)
        result |= (ForceValues[address + size_t(i)] & 0xFF) << (8 * i);
    value = int(result);
    return TRUE;
}
