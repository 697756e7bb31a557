#pragma once
// Little-endian writers of the byte images sent to the PLC.

#include "platform/WinTypes.h"

#include <cstddef>
#include <vector>

namespace ImageBytes {

inline void AppendByte(std::vector<BYTE>& bytes, int value)
{
    bytes.push_back(static_cast<BYTE>(value));
}

inline void AppendWord(std::vector<BYTE>& bytes, int value)
{
    bytes.push_back(static_cast<BYTE>(value));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}

// Overwrites the word at offset, which must lie inside the bytes.
inline void PutWord(std::vector<BYTE>& bytes, std::size_t offset, int value)
{
    bytes[offset] = static_cast<BYTE>(value);
    bytes[offset + 1] = static_cast<BYTE>(value >> 8);
}

} // namespace ImageBytes
