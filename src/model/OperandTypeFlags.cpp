#include "OperandTypeFlags.h"

#include <bit>

const DataTypeName g_DataTypeNames[DATA_TYPE_COUNT] = {
    {"BOOL", OT_BOOL},
    {"BYTE", OT_BYTE},
    {"WORD", OT_WORD},
    {"DWORD", OT_DWORD},
    {"INT", OT_INT},
    {"DINT", OT_DINT},
    {"REAL", OT_REAL},
};

OperandTypeFlags AccessToParamFlags(OperandTypeFlags flags)
{
    return ((flags >> 15) & 3) << 13;
}

float DwordToFloat(DWORD bits)
{
    return std::bit_cast<float>(bits);
}

DWORD RebuildDwordFromBytes(DWORD value)
{
    const BYTE b0 = static_cast<BYTE>(value);
    const BYTE b1 = static_cast<BYTE>(value >> 8);
    const BYTE b2 = static_cast<BYTE>(value >> 16);
    const BYTE b3 = static_cast<BYTE>(value >> 24);
    return static_cast<DWORD>(b0) | (static_cast<DWORD>(b1) << 8) | (static_cast<DWORD>(b2) << 16)
        | (static_cast<DWORD>(b3) << 24);
}

BYTE BcdToByte(BYTE bcd)
{
    return static_cast<BYTE>(bcd - 6 * (bcd >> 4));
}

BYTE ByteToBcd(BYTE value)
{
    return static_cast<BYTE>((value / 10) * 16 + value % 10);
}

void FormatBinaryString(DWORD value, std::string& text)
{
    char digits[32];
    int count = 0;
    const int top = value == 0 ? 0 : 31 - std::countl_zero(value);
    for (int bit = top; bit >= 0; --bit)
        digits[count++] = ((value >> bit) & 1) ? '1' : '0';
    text.assign(digits, static_cast<size_t>(count));
}
