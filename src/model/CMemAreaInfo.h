#pragma once
// The memory areas of the PLC: which areas a CPU family has, how many units
// each holds, where each lies in the PLC's flat memory image, and the 16-bit
// encoded address that the compiler, the download image, the monitor and the
// force commands send to the PLC.

#include "OperandTypeFlags.h"
#include "platform/WinTypes.h"

#include <string>

// Bits 0..12: byte in the flat memory image; bits 13..15: bit number within it.
using EncodedPlcAddress = WORD;
constexpr EncodedPlcAddress ADDRESS_BYTE_MASK = 0x1FFF;
constexpr int ADDRESS_BIT_SHIFT = 13;

// The encoded address of a bit: its byte in the image and its bit number.
constexpr EncodedPlcAddress EncodeBitAddress(long long imageByte, long long bit)
{
    return static_cast<EncodedPlcAddress>((imageByte & ADDRESS_BYTE_MASK) | (bit << ADDRESS_BIT_SHIFT));
}

// One row of a family's memory-area table.
struct CMemAreaInfo {
    char prefix[8];             // "%I" etc., zero-padded
    OperandTypeFlags areaFlags; // data types, access, forceable, the area bit
    WORD imageOffset;           // first byte of the area in the flat memory image
    WORD unitCount;             // bytes, timers or counters, or status bytes; 0: the CPU lacks the area
    DWORD minIndex;             // always 0
    DWORD maxIndex;             // highest number an address may use
    DWORD imageBytes;           // stretch the image reserves for the area
};

// Rows of every memory-area table, in their fixed order (lookups scan it and
// the first match wins: "%TB" and "%CB" come before "%T" and "%C").
enum MemAreaRow {
    MEM_ROW_I = 0,
    MEM_ROW_Q = 1,
    MEM_ROW_M = 2,
    MEM_ROW_BR = 3,
    MEM_ROW_TB = 4,
    MEM_ROW_CB = 5,
    MEM_ROW_RS = 6,
    MEM_ROW_SR = 7,
    MEM_ROW_SM = 8,
    MEM_ROW_V = 9,
    MEM_ROW_AI = 10,
    MEM_ROW_AQ = 11,
    MEM_ROW_T = 12,
    MEM_ROW_C = 13,
    MEM_ROW_HC = 14,
    MEM_ROW_L = 15,
};
constexpr int MEM_AREA_ROW_COUNT = 16;

// Largest flat memory image (families 4, 16, 64 and 128).
constexpr int LARGE_IMAGE_BYTES = 6376;

// The five tables: families 1 and 32; 2, 8 and every other value; 4 and 16; 64; 128.
extern const CMemAreaInfo g_MemAreasVB12[MEM_AREA_ROW_COUNT];
extern const CMemAreaInfo g_MemAreasDefault[MEM_AREA_ROW_COUNT];
extern const CMemAreaInfo g_MemAreasVB16[MEM_AREA_ROW_COUNT];
extern const CMemAreaInfo g_MemAreasVC14[MEM_AREA_ROW_COUNT];
extern const CMemAreaInfo g_MemAreasVC16[MEM_AREA_ROW_COUNT];

// The table of the current CPU family; every address query reads it. It
// holds the default table until the first project sets a family
// (CZULAppData::LoadAreaTable).
extern CMemAreaInfo g_LiveAreaTable[MEM_AREA_ROW_COUNT];

// The constant table that serves a family bit.
const CMemAreaInfo* GetMemAreaTable(DWORD familyBit);

// The encoded address of a direct address that has passed ParseDirectAddress;
// statusBits 1 makes "%T" and "%C" name the status bit instead of the value.
EncodedPlcAddress EncodeAddress(const std::string& address, short statusBits);
