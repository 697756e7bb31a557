#include "UploadedVarRecords.h"

#include "platform/ByteString.h"

namespace {

struct ParamNameRow {
    OperandTypeFlags type;
    const char* localFormat;
    const char* globalFormat;
    const char* typeName;
};

const ParamNameRow kParamNames[] = {
    {OT_BOOL, "bP%d", "g_bP%d", "BOOL"},      {OT_BYTE, "byP%d", "g_byP%d", "BYTE"},
    {OT_WORD, "wP%d", "g_wP%d", "WORD"},      {OT_DWORD, "dwP%d", "g_dwP%d", "DWORD"},
    {OT_INT, "iP%d", "g_iP%d", "INT"},        {OT_DINT, "diP%d", "g_diP%d", "DINT"},
    {OT_REAL, "fP%d", "g_fP%d", "REAL"},
};

constexpr int BLOCK_COUNT_OFFSET = 6;
constexpr int BLOCK_FIRST_RECORD = 7;
constexpr int RECORD_HEADER_BYTES = 8;
constexpr int ENTRY_BYTES = 3;
constexpr int MAX_SBR_NUMBER = 99;
constexpr int MAX_INT_NUMBER = 64;

int Word16(const std::vector<BYTE>& bytes, int offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8);
}

bool NumberFitsKind(int kind, int number)
{
    if (kind == UPLOAD_VARS_SBR)
        return number < MAX_SBR_NUMBER;
    if (kind == UPLOAD_VARS_INT)
        return number < MAX_INT_NUMBER;
    return kind == UPLOAD_VARS_GLOBAL || kind == UPLOAD_VARS_MAIN;
}

} // namespace

WORD UploadTypeCodeToFlag(BYTE typeCode)
{
    static const WORD kFlags[] = {OT_BOOL, OT_BYTE, OT_WORD, OT_DWORD, OT_INT, OT_DINT, OT_REAL};
    if (typeCode < 1 || typeCode > 7)
        return 0;
    return kFlags[typeCode - 1];
}

std::string MakeParamName(OperandTypeFlags typeFlags, int index, BOOL global, std::string& name)
{
    for (const ParamNameRow& row : kParamNames) {
        if (row.type == typeFlags) {
            name = ByteString::Format(global ? row.globalFormat : row.localFormat, index);
            return row.typeName;
        }
    }
    name.clear();
    return std::string();
}

BOOL ParseUploadedVarRecords(const std::vector<BYTE>& block9, std::vector<CUploadedVarRecord>& records)
{
    records.clear();
    if (block9.size() < static_cast<size_t>(BLOCK_FIRST_RECORD))
        return FALSE;
    const int size = Word16(block9, 0);
    if (size < BLOCK_FIRST_RECORD || size > static_cast<int>(block9.size()))
        return FALSE;
    const int count = block9[BLOCK_COUNT_OFFSET];
    int offset = BLOCK_FIRST_RECORD;
    for (int r = 0; r < count; ++r) {
        if (offset + RECORD_HEADER_BYTES > size)
            return FALSE;
        CUploadedVarRecord record;
        record.kind = block9[offset + 2];
        record.number = block9[offset + 4];
        const int entries = Word16(block9, offset + 6);
        if (!NumberFitsKind(record.kind, record.number))
            return FALSE;
        offset += RECORD_HEADER_BYTES;
        if (offset + ENTRY_BYTES * entries > size)
            return FALSE;
        for (int k = 0; k < entries; ++k, offset += ENTRY_BYTES) {
            CUploadedVarEntry entry;
            entry.address = static_cast<EncodedPlcAddress>(Word16(block9, offset));
            entry.type = UploadTypeCodeToFlag(static_cast<BYTE>(block9[offset + 2] >> 4));
            entry.varClass = block9[offset + 2] & 0x0F;
            record.entries.push_back(entry);
        }
        records.push_back(record);
    }
    return TRUE;
}
