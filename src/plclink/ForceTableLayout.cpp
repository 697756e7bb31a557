#include "ForceTableLayout.h"

#include "ForceExchange.h"
#include "model/CMemAreaInfo.h"

const ForceTableSection g_ForceTableSections[FORCE_TABLE_SECTIONS] = {
    {OT_BOOL, OT_FORCEABLE | OT_BOOL, OT_BOOL, 0, 1},
    {OT_BYTE, OT_FORCEABLE | OT_BYTE, OT_BYTE, 1, 1},
    {OT_WORD, OT_FORCEABLE | OT_WORD_INT, OT_WORD_INT, 2, 2},
    {OT_DWORD, OT_FORCEABLE | OT_DWORD_DINT, OT_DWORD_DINT, 4, 4},
    {OT_REAL, OT_FORCEABLE | OT_REAL, OT_REAL, 4, 4},
};

namespace {

size_t SectionBytes(const ForceTableSection& section, size_t count)
{
    const size_t values = section.valueBytes == 0 ? (count + BITS_PER_BYTE - 1) / BITS_PER_BYTE
                                                  : count * size_t(section.valueBytes);
    return 2 * count + values;
}

bool InsideImage(const ForceTableSection& section, WORD address, size_t imageCells)
{
    if (section.valueBytes == 0)
        return size_t(address & ADDRESS_BYTE_MASK) < imageCells;
    return size_t(address) + size_t(section.imageCells) <= imageCells;
}

DWORD ReadValue(const std::vector<BYTE>& block, size_t at, int bytes)
{
    DWORD value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= DWORD(block[at + size_t(i)]) << (BITS_PER_BYTE * i);
    return value;
}

} // namespace

bool ParseForceTable(const std::vector<BYTE>& block, size_t imageCells, std::vector<ForceTableItem>& items)
{
    items.clear();
    if (block.size() < size_t(FORCE_TABLE_EMPTY_BYTES) || ForceTableLengthField(block) != int(block.size()))
        return false;
    size_t expected = FORCE_TABLE_EMPTY_BYTES;
    for (int s = 0; s < FORCE_TABLE_SECTIONS; ++s)
        expected += SectionBytes(g_ForceTableSections[s], block[FORCE_TABLE_COUNTS_OFFSET + s]);
    if (expected != block.size())
        return false;
    size_t at = FORCE_TABLE_EMPTY_BYTES;
    for (int s = 0; s < FORCE_TABLE_SECTIONS; ++s) {
        const ForceTableSection& section = g_ForceTableSections[s];
        const size_t count = block[FORCE_TABLE_COUNTS_OFFSET + s];
        const size_t values = at + 2 * count;
        for (size_t k = 0; k < count; ++k) {
            ForceTableItem item;
            item.section = s;
            item.address = WORD(block[at + 2 * k] | (block[at + 2 * k + 1] << BITS_PER_BYTE));
            if (!InsideImage(section, item.address, imageCells)) {
                items.clear();
                return false;
            }
            if (section.valueBytes == 0)
                item.value = (block[values + k / BITS_PER_BYTE] >> (k % BITS_PER_BYTE)) & 1;
            else
                item.value = ReadValue(block, values + k * size_t(section.valueBytes), section.valueBytes);
            items.push_back(item);
        }
        at += SectionBytes(section, count);
    }
    return true;
}
