#include "InstrSignature.h"

#include "OperandTypeFlags.h"

#include <cstring>

const InstrSignature g_InstrSignatureTable[INSTR_SIGNATURE_COUNT] = {
    {"ABS", 1, 2, {0x19FE30F0, 0x119C40F0}},
    {"ACOS", 2, 2, {0x018030C0, 0x018040C0}},
    {"ADD", 1, 2, {0x1DFE30F0, 0x119C40F0}},
    {"AND", 1, 2, {0x019E308E, 0x019C408E}},
    {"ANDN", 1, 2, {0x019E308E, 0x019C408E}},
    {"ASIN", 2, 2, {0x018030C0, 0x018040C0}},
    {"ATAN", 2, 2, {0x018030C0, 0x018040C0}},
    {"COS", 2, 2, {0x018030C0, 0x018040C0}},
    {"DEC", 2, 1, {0x119C20B2}},
    {"DIV", 1, 2, {0x1DFE30F0, 0x119C00F0}},
    {"EQ", 1, 2, {0x1DFE30F2, 0x1DFE30F2}},
    {"EXP", 2, 2, {0x018030C0, 0x018040C0}},
    {"GE", 1, 2, {0x1DFE30F2, 0x1DFE30F2}},
    {"GT", 1, 2, {0x1DFE30F2, 0x1DFE30F2}},
    {"INC", 2, 1, {0x119C20B2}},
    {"LE", 1, 2, {0x1DFE30F2, 0x1DFE30F2}},
    {"LN", 2, 2, {0x018030C0, 0x018040C0}},
    {"LOG", 2, 2, {0x018030C0, 0x018040C0}},
    {"LT", 1, 2, {0x1DFE30F2, 0x1DFE30F2}},
    {"MOD", 1, 2, {0x1DFE30B0, 0x119C00B0}},
    {"MOVE", 1, 2, {0x1DFE30FE, 0x119C40FE}},
    {"MUL", 1, 2, {0x1DFE30F0, 0x119C00F0}},
    {"NE", 1, 2, {0x1DFE30F2, 0x1DFE30F2}},
    {"NOT", 2, 1, {0x019C208E}},
    {"OR", 1, 2, {0x019E308E, 0x019C408E}},
    {"ORN", 1, 2, {0x019E308E, 0x019C408E}},
    {"SHL", 2, 2, {0x019C408E, 0x019E3082}},
    {"SHL_BLK", 2, 4, {0x018E2001, 0x19FE3090, 0x018C2001, 0x19FE3090}},
    {"SHR", 2, 2, {0x019C408E, 0x019E3082}},
    {"SHR_BLK", 2, 4, {0x018E2001, 0x19FE3090, 0x018C2001, 0x19FE3090}},
    {"SIN", 2, 2, {0x018030C0, 0x018040C0}},
    {"SQRT", 2, 2, {0x018030C0, 0x018040C0}},
    {"SUB", 1, 2, {0x1DFE30F0, 0x119C00F0}},
    {"TAN", 2, 2, {0x018030C0, 0x018040C0}},
    {"XOR", 1, 2, {0x019E308E, 0x019C008E}},
};

namespace {

// Areas, constant and pointer: an operand must share one of them with the row.
constexpr DWORD PLACE_BITS = 0xFFFE1080;
constexpr DWORD POINTED_TYPES = 0x7F;

const InstrSignature* FindSignature(const char* name)
{
    int low = 0;
    int high = INSTR_SIGNATURE_COUNT - 1;
    while (low <= high) {
        const int middle = (low + high) / 2;
        const int order = std::strcmp(name, g_InstrSignatureTable[middle].name);
        if (order == 0)
            return &g_InstrSignatureTable[middle];
        if (order < 0)
            high = middle - 1;
        else
            low = middle + 1;
    }
    return nullptr;
}

bool PairFirstTwo(InstrSignature& query)
{
    const DWORD common = query.operandMasks[0] & query.operandMasks[1];
    if (common == 0)
        return false;
    query.operandMasks[0] = common;
    query.operandMasks[1] = common;
    return true;
}

} // namespace

BOOL MatchInstructionSignature(InstrSignature* query)
{
    if (!query || std::memchr(query->name, '\0', sizeof query->name) == nullptr)
        return FALSE;
    const InstrSignature* row = FindSignature(query->name);
    if (!row || query->operandCount != row->operandCount)
        return FALSE;
    query->kind = row->kind;
    for (int i = 0; i < row->operandCount; ++i) {
        const DWORD common = row->operandMasks[i] & query->operandMasks[i];
        if ((common & PLACE_BITS) == 0 || (common & OT_TYPE_BITS) == 0)
            return FALSE;
        const DWORD types = common & OT_TYPE_BITS;
        query->operandMasks[i] = types == OT_POINTER ? (row->operandMasks[i] & POINTED_TYPES) : types;
    }
    switch (row->kind) {
    case 2:
        return TRUE;
    case 1:
        if (row->operandCount == 1)
            return TRUE;
        return row->operandCount == 2 && PairFirstTwo(*query);
    case 3:
        if (row->operandCount <= 2)
            return row->operandCount >= 1;
        return row->operandCount == 3 && PairFirstTwo(*query);
    default:
        return FALSE;
    }
}

BOOL StripCallMnemonic(std::string& text)
{
    for (const char* mnemonic : {"CALCN", "CALC", "CAL"}) {
        const size_t length = std::strlen(mnemonic);
        if (text.compare(0, length, mnemonic) != 0)
            continue;
        const bool whole = text.size() == length;
        text.erase(0, length);
        return whole ? FALSE : TRUE;
    }
    return TRUE;
}
