#pragma once
// The 15-byte header of a project file: magic "ZUL" and four zero bytes,
// product letter, blob flag, and the version major.minor.patch.build in
// bytes 11..14. Readers of the body ask the header copy of the file being
// opened which version wrote it.

#include "platform/WinTypes.h"

constexpr int HEADER_PRODUCT_LETTER = 7;
constexpr int HEADER_BLOB_FLAG = 9;
constexpr int HEADER_VERSION = 11;

// The header that every save writes: version 2.0.1.0, blob table present.
constexpr BYTE CURRENT_PROJECT_HEADER[15] = {'Z', 'U', 'L', 0, 0, 0, 0, 'C', 0, 2, 0, 2, 0, 1, 0};

inline bool HeaderVersionIs(const BYTE* header, BYTE major, BYTE minor, BYTE patch, BYTE build)
{
    return header[HEADER_VERSION] == major && header[HEADER_VERSION + 1] == minor &&
           header[HEADER_VERSION + 2] == patch && header[HEADER_VERSION + 3] == build;
}

// 2.0.1.0, the version this program writes.
inline bool HeaderIsCurrentVersion(const BYTE* header)
{
    return HeaderVersionIs(header, 2, 0, 1, 0);
}

// Versions 2.0.0.1, 2.0.0.2 and 2.0.1.0 store the Modbus master blocks and
// the eight input filters of a module packed into four bytes.
inline bool HeaderHasFullHardwareData(const BYTE* header)
{
    return HeaderVersionIs(header, 2, 0, 0, 1) || HeaderVersionIs(header, 2, 0, 0, 2) || HeaderIsCurrentVersion(header);
}
