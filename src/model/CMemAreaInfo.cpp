#include "CMemAreaInfo.h"

#include "CZULAppData.h"
#include "CpuProfile.h"
#include "ILVocabulary.h"
#include "platform/ByteString.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr OperandTypeFlags kSixTypes = OT_BOOL | OT_BYTE | OT_WORD | OT_DWORD | OT_INT | OT_DINT;
constexpr OperandTypeFlags kReadForce = OT_READABLE | OT_FORCEABLE;
constexpr OperandTypeFlags kReadWrite = OT_READABLE | OT_WRITABLE;
constexpr OperandTypeFlags kReadWriteForce = OT_READABLE | OT_WRITABLE | OT_FORCEABLE;

constexpr OperandTypeFlags kFlagsI = OT_AREA_I | kSixTypes | kReadForce;
constexpr OperandTypeFlags kFlagsQ = OT_AREA_Q | kSixTypes | kReadWriteForce;
constexpr OperandTypeFlags kFlagsM = OT_AREA_M | kSixTypes | kReadWriteForce;
constexpr OperandTypeFlags kFlagsBR = OT_AREA_BR | OT_BOOL | kReadWrite;
constexpr OperandTypeFlags kFlagsTB = OT_AREA_T | OT_BOOL_WORD_INT | OT_READABLE;
constexpr OperandTypeFlags kFlagsCB = OT_AREA_C | OT_BOOL_WORD_INT | OT_READABLE;
constexpr OperandTypeFlags kFlagsRS = OT_AREA_RS;
constexpr OperandTypeFlags kFlagsSR = OT_AREA_SR;
constexpr OperandTypeFlags kFlagsSM = OT_AREA_SM | kSixTypes | kReadWrite;
constexpr OperandTypeFlags kFlagsV = OT_AREA_V | kSixTypes | OT_REAL | kReadWriteForce;
constexpr OperandTypeFlags kFlagsAI = OT_AREA_AI | OT_INT | kReadForce;
constexpr OperandTypeFlags kFlagsAQ = OT_AREA_AQ | OT_INT | kReadWriteForce;
constexpr OperandTypeFlags kFlagsT = OT_AREA_T | OT_BOOL_WORD_INT | OT_READABLE;
constexpr OperandTypeFlags kFlagsC = OT_AREA_C | OT_BOOL_WORD_INT | OT_READABLE;
constexpr OperandTypeFlags kFlagsHC = OT_AREA_HC | OT_DINT | OT_READABLE;
constexpr OperandTypeFlags kFlagsL = OT_AREA_L | kSixTypes | kReadWrite;

constexpr int kBitShift = 13;

int ParseNumber(const std::string& digits)
{
    return static_cast<int>(std::strtol(digits.c_str(), nullptr, 10));
}

EncodedPlcAddress Encode(int imageByte, int bit)
{
    return static_cast<EncodedPlcAddress>(imageByte + (bit << kBitShift));
}

} // namespace

// Fields: prefix, area flags, image offset, unit count, minimum index, maximum index, image bytes.

// Families 1 (VB12) and 32 (VA10): the small image.
constexpr CMemAreaInfo g_MemAreasVB12[MEM_AREA_ROW_COUNT] = {
    {"%I", kFlagsI, 0, 2, 0, 1, 8},
    {"%Q", kFlagsQ, 8, 1, 0, 0, 8},
    {"%M", kFlagsM, 16, 32, 0, 31, 32},
    {"%BR", kFlagsBR, 48, 2, 0, 1, 2},
    {"%TB", kFlagsTB, 50, 8, 0, 63, 16},
    {"%CB", kFlagsCB, 66, 16, 0, 63, 32},
    {"%RS", kFlagsRS, 98, 0, 0, 0, 4},
    {"%SR", kFlagsSR, 102, 0, 0, 0, 4},
    {"%SM", kFlagsSM, 110, 300, 0, 299, 300},
    {"%V", kFlagsV, 410, 2048, 0, 2047, 4096},
    {"%AI", kFlagsAI, 4522, 0, 0, 0, 64},
    {"%AQ", kFlagsAQ, 4586, 0, 0, 0, 64},
    {"%T", kFlagsT, 4650, 64, 0, 63, 512},
    {"%C", kFlagsC, 5162, 64, 0, 63, 512},
    {"%HC", kFlagsHC, 5674, 8, 0, 1, 24},
    {"%L", kFlagsL, 4506, 16, 0, 15, 16},
};

// Families 2 (VB14, VB12EX), 8 and any other value: the small image.
constexpr CMemAreaInfo g_MemAreasDefault[MEM_AREA_ROW_COUNT] = {
    {"%I", kFlagsI, 0, 8, 0, 7, 8},
    {"%Q", kFlagsQ, 8, 8, 0, 7, 8},
    {"%M", kFlagsM, 16, 32, 0, 31, 32},
    {"%BR", kFlagsBR, 48, 2, 0, 1, 2},
    {"%TB", kFlagsTB, 50, 16, 0, 127, 16},
    {"%CB", kFlagsCB, 66, 32, 0, 127, 32},
    {"%RS", kFlagsRS, 98, 0, 0, 0, 4},
    {"%SR", kFlagsSR, 102, 0, 0, 0, 4},
    {"%SM", kFlagsSM, 110, 300, 0, 299, 300},
    {"%V", kFlagsV, 410, 4096, 0, 4095, 4096},
    {"%AI", kFlagsAI, 4522, 32, 0, 31, 64},
    {"%AQ", kFlagsAQ, 4586, 32, 0, 31, 64},
    {"%T", kFlagsT, 4650, 128, 0, 127, 512},
    {"%C", kFlagsC, 5162, 128, 0, 127, 512},
    {"%HC", kFlagsHC, 5674, 24, 0, 5, 24},
    {"%L", kFlagsL, 4506, 16, 0, 15, 16},
};

// Families 4 (VB16) and 16 (VB14EX): the large image.
constexpr CMemAreaInfo g_MemAreasVB16[MEM_AREA_ROW_COUNT] = {
    {"%I", kFlagsI, 0, 32, 0, 31, 32},
    {"%Q", kFlagsQ, 32, 32, 0, 31, 32},
    {"%M", kFlagsM, 64, 32, 0, 31, 32},
    {"%BR", kFlagsBR, 96, 2, 0, 1, 2},
    {"%TB", kFlagsTB, 128, 32, 0, 255, 32},
    {"%CB", kFlagsCB, 160, 64, 0, 255, 64},
    {"%RS", kFlagsRS, 256, 4, 0, 31, 32},
    {"%SR", kFlagsSR, 288, 4, 0, 31, 32},
    {"%SM", kFlagsSM, 360, 300, 0, 299, 300},
    {"%V", kFlagsV, 660, 4096, 0, 4095, 4096},
    {"%AI", kFlagsAI, 4800, 64, 0, 63, 64},
    {"%AQ", kFlagsAQ, 4928, 64, 0, 63, 64},
    {"%T", kFlagsT, 5056, 256, 0, 255, 512},
    {"%C", kFlagsC, 5568, 256, 0, 255, 512},
    {"%HC", kFlagsHC, 6080, 24, 0, 5, 24},
    {"%L", kFlagsL, 6104, 272, 0, 271, 272},
};

// Family 64 (VC14): the large image.
constexpr CMemAreaInfo g_MemAreasVC14[MEM_AREA_ROW_COUNT] = {
    {"%I", kFlagsI, 0, 2, 0, 1, 32},
    {"%Q", kFlagsQ, 32, 2, 0, 1, 32},
    {"%M", kFlagsM, 64, 32, 0, 31, 32},
    {"%BR", kFlagsBR, 96, 2, 0, 1, 2},
    {"%TB", kFlagsTB, 128, 32, 0, 255, 32},
    {"%CB", kFlagsCB, 160, 64, 0, 255, 64},
    {"%RS", kFlagsRS, 256, 4, 0, 31, 32},
    {"%SR", kFlagsSR, 288, 4, 0, 31, 32},
    {"%SM", kFlagsSM, 360, 300, 0, 299, 300},
    {"%V", kFlagsV, 660, 4096, 0, 4095, 4096},
    {"%AI", kFlagsAI, 4800, 0, 0, 0, 64},
    {"%AQ", kFlagsAQ, 4928, 0, 0, 0, 64},
    {"%T", kFlagsT, 5056, 256, 0, 255, 512},
    {"%C", kFlagsC, 5568, 256, 0, 255, 512},
    {"%HC", kFlagsHC, 6080, 24, 0, 5, 24},
    {"%L", kFlagsL, 6104, 272, 0, 271, 272},
};

// Family 128 (VC16): the large image.
constexpr CMemAreaInfo g_MemAreasVC16[MEM_AREA_ROW_COUNT] = {
    {"%I", kFlagsI, 0, 3, 0, 2, 32},
    {"%Q", kFlagsQ, 32, 2, 0, 1, 32},
    {"%M", kFlagsM, 64, 32, 0, 31, 32},
    {"%BR", kFlagsBR, 96, 2, 0, 1, 2},
    {"%TB", kFlagsTB, 128, 32, 0, 255, 32},
    {"%CB", kFlagsCB, 160, 64, 0, 255, 64},
    {"%RS", kFlagsRS, 256, 4, 0, 31, 32},
    {"%SR", kFlagsSR, 288, 4, 0, 31, 32},
    {"%SM", kFlagsSM, 360, 300, 0, 299, 300},
    {"%V", kFlagsV, 660, 4096, 0, 4095, 4096},
    {"%AI", kFlagsAI, 4800, 0, 0, 0, 64},
    {"%AQ", kFlagsAQ, 4928, 0, 0, 0, 64},
    {"%T", kFlagsT, 5056, 256, 0, 255, 512},
    {"%C", kFlagsC, 5568, 256, 0, 255, 512},
    {"%HC", kFlagsHC, 6080, 24, 0, 5, 24},
    {"%L", kFlagsL, 6104, 272, 0, 271, 272},
};

CMemAreaInfo g_LiveAreaTable[MEM_AREA_ROW_COUNT] = {
    g_MemAreasDefault[0], g_MemAreasDefault[1], g_MemAreasDefault[2], g_MemAreasDefault[3],
    g_MemAreasDefault[4], g_MemAreasDefault[5], g_MemAreasDefault[6], g_MemAreasDefault[7],
    g_MemAreasDefault[8], g_MemAreasDefault[9], g_MemAreasDefault[10], g_MemAreasDefault[11],
    g_MemAreasDefault[12], g_MemAreasDefault[13], g_MemAreasDefault[14], g_MemAreasDefault[15],
};

const CMemAreaInfo* GetMemAreaTable(DWORD familyBit)
{
    switch (familyBit) {
    case CPU_FAMILY_VB12:
    case CPU_FAMILY_VA10:
        return g_MemAreasVB12;
    case CPU_FAMILY_VB16:
    case CPU_FAMILY_VB14EX:
        return g_MemAreasVB16;
    case CPU_FAMILY_VC14:
        return g_MemAreasVC14;
    case CPU_FAMILY_VC16:
        return g_MemAreasVC16;
    default:
        return g_MemAreasDefault;
    }
}

EncodedPlcAddress EncodeAddress(const std::string& address, short statusBits)
{
    const std::string text = ByteString::Upper(ByteString::Trim(address));
    WORD row = 0;
    CMemAreaDef def {};
    if (!FindMemoryArea(text, row) || !GetMemoryAreaDef(row, def))
        return 0;
    const std::string prefix = def.prefix;
    const std::string number = text.substr(def.prefixLength);
    const int n = ParseNumber(number);

    if (prefix == "%SR" || prefix == "%RS")
        return Encode(g_pAppData->GetAreaBase(prefix, FALSE) + n / 8, n % 8);
    if (prefix == "%T" || prefix == "%C") {
        if (statusBits == 1)
            return Encode(g_pAppData->GetAreaBase(prefix, TRUE) + n / 8, n % 8);
        return Encode(g_pAppData->GetAreaBase(prefix, FALSE) + 2 * n, 0);
    }
    const int base = g_pAppData->GetAreaBase(prefix, FALSE);
    const size_t point = number.find('.');
    if ((def.typeBits & OT_TYPE_BITS) == OT_BOOL && point != std::string::npos)
        return Encode(base + n, ParseNumber(number.substr(point + 1)));
    return Encode(base + n, 0);
}
