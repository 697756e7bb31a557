#pragma once
// Builds the per-POU variable block of an uploaded image (block 9): six
// header bytes, the record count, then records of an 8-byte header and
// 3-byte entries {encoded address, type code << 4 | class}.

#include "platform/WinTypes.h"

#include <utility>
#include <vector>

inline std::vector<BYTE> VarRecord(BYTE kind, BYTE number, const std::vector<std::pair<WORD, BYTE>>& entries)
{
    std::vector<BYTE> record = {0, 0, kind, 0, number, 0, static_cast<BYTE>(entries.size()), 0};
    for (const auto& [address, typeAndClass] : entries) {
        record.push_back(static_cast<BYTE>(address & 0xFF));
        record.push_back(static_cast<BYTE>(address >> 8));
        record.push_back(typeAndClass);
    }
    return record;
}

inline std::vector<BYTE> VarBlock(const std::vector<std::vector<BYTE>>& records)
{
    std::vector<BYTE> block = {0, 0, 9, 6, 9, 0, static_cast<BYTE>(records.size())};
    for (const std::vector<BYTE>& record : records)
        block.insert(block.end(), record.begin(), record.end());
    block[0] = static_cast<BYTE>(block.size() & 0xFF);
    block[1] = static_cast<BYTE>(block.size() >> 8);
    return block;
}
