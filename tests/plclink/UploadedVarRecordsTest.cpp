#include "VarBlockBuilder.h"

#include "plclink/UploadedVarRecords.h"

#include <gtest/gtest.h>

TEST(UploadedVarRecords, TypeCodesAndGeneratedNames)
{
    const struct {
        BYTE code;
        WORD flags;
        const char* local;
        const char* global;
        const char* typeName;
    } cases[] = {
        {1, OT_BOOL, "bP4", "g_bP4", "BOOL"},     {2, OT_BYTE, "byP4", "g_byP4", "BYTE"},
        {3, OT_WORD, "wP4", "g_wP4", "WORD"},     {4, OT_DWORD, "dwP4", "g_dwP4", "DWORD"},
        {5, OT_INT, "iP4", "g_iP4", "INT"},       {6, OT_DINT, "diP4", "g_diP4", "DINT"},
        {7, OT_REAL, "fP4", "g_fP4", "REAL"},     {0, 0, "", "", ""},
        {8, 0, "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.flags, UploadTypeCodeToFlag(c.code)) << int(c.code);
        std::string name = "old";
        EXPECT_EQ(c.typeName, MakeParamName(c.flags, 4, FALSE, name));
        EXPECT_EQ(c.local, name);
        EXPECT_EQ(c.typeName, MakeParamName(c.flags, 4, TRUE, name));
        EXPECT_EQ(c.global, name);
    }
}

TEST(UploadedVarRecords, RecordsAreReadInOrder)
{
    const std::vector<BYTE> block = VarBlock({VarRecord(2, 0, {{4506, 0x15}, {4508, 0x55}}),
                                            VarRecord(3, 7, {{4510, 0x31}}), VarRecord(1, 0, {}),
                                            VarRecord(4, 63, {{420, 0x75}})});
    std::vector<CUploadedVarRecord> records;
    ASSERT_TRUE(ParseUploadedVarRecords(block, records));
    ASSERT_EQ(4u, records.size());
    EXPECT_EQ(UPLOAD_VARS_MAIN, records[0].kind);
    ASSERT_EQ(2u, records[0].entries.size());
    EXPECT_EQ(4508, records[0].entries[1].address);
    EXPECT_EQ(OT_INT, records[0].entries[1].type);
    EXPECT_EQ(UPLOAD_CLASS_LOCAL, records[0].entries[1].varClass);
    EXPECT_EQ(7, records[1].number);
    EXPECT_EQ(OT_WORD, records[1].entries[0].type);
    EXPECT_EQ(UPLOAD_CLASS_INPUT, records[1].entries[0].varClass);
    EXPECT_TRUE(records[2].entries.empty());
    EXPECT_EQ(63, records[3].number);
    EXPECT_EQ(OT_REAL, records[3].entries[0].type);
}

TEST(UploadedVarRecords, BlocksThatDoNotHoldWhatTheyAnnounceAreRefused)
{
    const std::vector<BYTE> good = VarBlock({VarRecord(2, 0, {{4506, 0x15}}), VarRecord(3, 1, {{4506, 0x11}})});
    auto changed = [&](size_t at, BYTE value) {
        std::vector<BYTE> block = good;
        block[at] = value;
        return block;
    };
    std::vector<BYTE> cut = good;
    cut.pop_back();
    const struct {
        const char* what;
        std::vector<BYTE> block;
    } cases[] = {
        {"shorter than its header", {5, 0, 9, 6, 9}},
        {"size beyond the bytes", cut},
        {"one record more than present", changed(6, 3)},
        {"entries beyond the block", changed(7 + 6, 2)},
        {"unknown kind", changed(7 + 2, 5)},
        {"subroutine 99", changed(7 + 11 + 4, 99)},
        {"interrupt routine 64", VarBlock({VarRecord(4, 64, {})})},
    };
    for (const auto& c : cases) {
        std::vector<CUploadedVarRecord> records;
        EXPECT_FALSE(ParseUploadedVarRecords(c.block, records)) << c.what;
    }
    // Every truncation of a good block is refused, none reads past the bytes.
    for (size_t length = 0; length < good.size(); ++length) {
        std::vector<BYTE> part(good.begin(), good.begin() + static_cast<long>(length));
        std::vector<CUploadedVarRecord> records;
        EXPECT_FALSE(ParseUploadedVarRecords(part, records)) << length;
    }
}
