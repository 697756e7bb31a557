// Operand texts of 16-bit encoded addresses, as the user writes them: the
// upload shows the addresses of rebuilt programs, variable files, initial
// data and CANopen mappings this way. The texts follow the live memory-area
// table of the current CPU family.

#include "CZULProject.h"

#include "CMemAreaInfo.h"
#include "platform/ByteString.h"

#include <cstring>

std::string CZULProject::FindAreaOfOffset(int imageOffset, int& index)
{
    for (const CMemAreaInfo& row : g_LiveAreaTable) {
        const int first = row.imageOffset;
        if (imageOffset >= first && imageOffset < first + static_cast<int>(row.imageBytes)) {
            index = static_cast<int>(row.minIndex) + (imageOffset - first);
            return std::string(row.prefix, strnlen(row.prefix, sizeof(row.prefix)));
        }
    }
    index = -1;
    return std::string();
}

namespace {

// Timers, counters and flip-flops are written without "%" and count bits
// or two-byte values; the high-speed counters count bytes.
bool FormatCountedArea(const std::string& area, int index, int bit, std::string& text)
{
    if (area == "%TB") {
        text = ByteString::Format("%s%d", "T", 8 * index + bit);
    } else if (area == "%T") {
        text = ByteString::Format("%s%d", "T", index / 2);
    } else if (area == "%CB") {
        text = ByteString::Format("%s%d", "C", 8 * index + bit);
    } else if (area == "%C") {
        text = ByteString::Format("%s%d", "C", index / 2);
    } else if (area == "%RS") {
        text = ByteString::Format("%s%d", "RS", 8 * index + bit);
    } else if (area == "%SR") {
        text = ByteString::Format("%s%d", "SR", 8 * index + bit);
    } else if (area == "%HC") {
        text = ByteString::Format("%s%d", "%HC", index);
    } else {
        return false;
    }
    return true;
}

} // namespace

std::string CZULProject::FormatAddress(EncodedPlcAddress address, OperandTypeFlags typeFlags)
{
    int index = -1;
    const std::string area = FindAreaOfOffset(address & ADDRESS_BYTE_MASK, index);
    if (index < 0 || area.empty())
        return std::string();
    const int bit = address >> ADDRESS_BIT_SHIFT;
    std::string text;
    if (FormatCountedArea(area, index, bit, text))
        return text;
    const char* prefix = area.c_str();
    if (typeFlags & OT_BOOL)
        return ByteString::Format("%s%d.%d", prefix, index, bit);
    if (typeFlags & OT_BYTE)
        return ByteString::Format("%sB%d", prefix, index);
    if (typeFlags & (OT_INT | OT_WORD))
        return ByteString::Format("%sW%d", prefix, index);
    if (typeFlags & (OT_DINT | OT_DWORD))
        return ByteString::Format("%sD%d", prefix, index);
    if ((typeFlags & OT_REAL) && area == "%L")
        return ByteString::Format("%sD%d", prefix, index);
    if ((typeFlags & OT_REAL) && area == "%V")
        return ByteString::Format("%sR%d", prefix, index);
    return std::string();
}
