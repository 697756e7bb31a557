#include "AppDataFixture.h"

#include "model/ILVocabulary.h"

#include <cstring>
#include <set>
#include <string>

namespace {

TEST(SeparatorTable, RowsAndModes)
{
    ASSERT_EQ(std::size(g_SeparatorTable), size_t(SEPARATOR_COUNT));
    EXPECT_EQ(SEPARATOR_COUNT, 23);
    // Rows 9 to 11 carry the ids 10, 11 and 9; every other id is its row.
    for (int row = 0; row < SEPARATOR_COUNT; ++row) {
        const DWORD expected = row == 9 ? 10 : row == 10 ? 11 : row == 11 ? 9 : DWORD(row);
        EXPECT_EQ(g_SeparatorTable[row].id, expected) << row;
    }

    struct Case {
        const char* text;
        bool mode0;
        bool mode1;
        bool any;
    };
    const Case cases[] = {
        {"(*", true, true, true}, {":=", true, true, true}, {" ", true, true, true}, {"\t", true, true, true},
        {",", true, true, true}, {"(", true, false, true}, {"[", true, false, true}, {")", true, false, true},
        {"=>", false, false, false}, {"+", false, false, false}, {"<>", false, false, false},
        {"", false, false, false}, {"((", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsSeparatorMode0(c.text), c.mode0) << c.text;
        EXPECT_EQ(IsSeparatorMode1(c.text), c.mode1) << c.text;
        EXPECT_EQ(IsAnySeparator(c.text), c.any) << c.text;
    }
}

TEST(SeparatorTable, TextOfRowOnlyWhenEnabledForDeclarations)
{
    EXPECT_EQ(GetSeparatorText(2), ":=");
    EXPECT_EQ(GetSeparatorText(8), ";");
    EXPECT_EQ(GetSeparatorText(9), "");  // "[" is a program-line separator only
    EXPECT_EQ(GetSeparatorText(3), "");  // "=>" is disabled
    EXPECT_EQ(GetSeparatorText(23), "");
    EXPECT_EQ(GetSeparatorText(-1), "");
}

TEST(MemAreaDefTable, LongerPrefixesComeFirst)
{
    ASSERT_EQ(std::size(g_MemAreaDefTable), size_t(MEM_AREA_DEF_COUNT));
    EXPECT_EQ(MEM_AREA_DEF_COUNT, 33);
    for (int row = 0; row < MEM_AREA_DEF_COUNT; ++row) {
        const std::string prefix = g_MemAreaDefTable[row].prefix;
        EXPECT_EQ(prefix.size(), g_MemAreaDefTable[row].prefixLength) << prefix;
        // The lookup takes the first row whose prefix begins the text, so no
        // earlier row may begin this one.
        for (int earlier = 0; earlier < row; ++earlier)
            EXPECT_NE(prefix.rfind(g_MemAreaDefTable[earlier].prefix, 0), 0u) << prefix;
    }
}

TEST(MemAreaDefTable, FindMemoryArea)
{
    struct Case {
        const char* text;
        bool found;
        int row;
    };
    const Case cases[] = {
        {"%SMB10", true, 3}, {"%SM0.1", true, 25}, {"%AIW0", true, 11}, {"%AI0", false, 0},
        {"%LD4", true, 21}, {"%L0.0", true, 29}, {"%VR8", true, 19}, {"%T5", true, 27},
        {"%BR1.0", true, 32}, {"%vb0", false, 0}, {"VB0", false, 0}, {"", false, 0},
    };
    for (const Case& c : cases) {
        WORD row = 999;
        EXPECT_EQ(FindMemoryArea(c.text, row), c.found) << c.text;
        if (c.found) {
            EXPECT_EQ(row, c.row) << c.text;
        }
    }
}

TEST(MemAreaDefTable, GetMemoryAreaDefCopiesRows)
{
    CMemAreaDef def{};
    ASSERT_TRUE(GetMemoryAreaDef(21, def));
    EXPECT_STREQ(def.prefix, "%LD");
    EXPECT_EQ(def.typeBits, OT_DWORD | OT_DINT | OT_REAL);
    EXPECT_EQ(def.areaFlags, OT_AREA_L | OT_READABLE | OT_WRITABLE);
    ASSERT_TRUE(GetMemoryAreaDef(27, def));
    EXPECT_EQ(def.typeBits, OT_BOOL_WORD_INT);
    EXPECT_EQ(def.areaFlags, OT_AREA_T | OT_READABLE | OT_WRITABLE);
    ASSERT_TRUE(GetMemoryAreaDef(11, def));
    EXPECT_EQ(def.areaFlags, OT_AREA_AI | OT_READABLE | OT_FORCEABLE);
    EXPECT_FALSE(GetMemoryAreaDef(33, def));
    EXPECT_FALSE(GetMemoryAreaDef(-1, def));
}

TEST(KeywordTable, RowsIdsAndNames)
{
    ASSERT_EQ(std::size(g_KeywordTable), size_t(KEYWORD_COUNT));
    EXPECT_EQ(KEYWORD_COUNT, 286);
    std::set<std::string> names;
    for (int row = 0; row < KEYWORD_COUNT; ++row) {
        const CKeywordDef& k = g_KeywordTable[row];
        const DWORD expectedId = row == 40 ? 41 : row == 41 ? 42 : row == 42 ? 40 : DWORD(row);
        EXPECT_EQ(k.id, expectedId) << k.name;
        EXPECT_EQ(k.mode0, k.mode1) << k.name;
        const bool clockOrPid = !std::strcmp(k.name, "READ_RTC") || !std::strcmp(k.name, "SET_RTC") ||
                                !std::strcmp(k.name, "PID");
        EXPECT_EQ(k.supportMask, clockOrPid ? 2u : 0xFFu) << k.name;
        EXPECT_TRUE(names.insert(k.name).second) << "twice: " << k.name;
    }
    EXPECT_STREQ(g_KeywordTable[0].name, "FALSE");
    EXPECT_STREQ(g_KeywordTable[156].name, ":=");
    EXPECT_STREQ(g_KeywordTable[285].name, "SDO_WRITE");
}

TEST(KeywordTable, Lookups)
{
    struct Case {
        const char* name;
        int id;               // GetKeywordId
        bool functionKeyword; // IsFunctionKeyword
        bool reserved;        // IsReservedWord
    };
    const Case cases[] = {
        {"VAR", 41, false, true},
        {"VAR_CONFIG", KEYWORD_NONE, false, true}, // disabled
        {"MAX", KEYWORD_NONE, false, true},        // disabled function
        {"max", KEYWORD_NONE, false, true},        // lookups compare exactly, the reserved check upper-cases
        {"ADD", 65, true, true},
        {"TON", 102, false, true},                 // an FB type, not a function
        {"END_VAR", 49, false, true},
        {":=", 156, false, true},
        {"=>", KEYWORD_NONE, false, true},
        {"SDO_WRITE", 285, true, true},
        {"ADD_INT", KEYWORD_NONE, false, false},   // a variant name, not a user mnemonic
        {"CAL", 116, false, true},
        {"LBL", KEYWORD_NONE, false, false},       // internal row: no second name
        {"MOTOR", KEYWORD_NONE, false, false},
        {"", KEYWORD_NONE, false, true},           // internal rows carry an empty second name
        {" ", KEYWORD_NONE, false, true},          // ... or a single blank
        {"  ", KEYWORD_NONE, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetKeywordId(c.name), c.id) << c.name;
        EXPECT_EQ(IsFunctionKeyword(c.name), c.functionKeyword) << c.name;
        EXPECT_EQ(IsReservedWord(c.name), c.reserved) << '"' << c.name << '"';
    }
}

TEST(KeywordTable, LookupCopiesEnabledRowsOnly)
{
    CKeywordDef def{};
    def.mode1 = 7;
    EXPECT_EQ(LookupKeywordMode0("VAR_INPUT", def), 45);
    EXPECT_EQ(def.id, 45u);
    EXPECT_STREQ(def.name, "VAR_INPUT");
    EXPECT_EQ(def.keywordClass, KEYWORD_CLASS_SECTION);
    EXPECT_EQ(def.mode0, 1);
    EXPECT_EQ(def.mode1, 7); // the mode-0 lookup copies only its own byte

    CKeywordDef untouched{};
    EXPECT_EQ(LookupKeywordMode1("VAR_ACCESS", untouched), KEYWORD_NONE);
    EXPECT_EQ(untouched.id, 0u);
    EXPECT_EQ(LookupKeywordMode1("LD", untouched), 105);
    EXPECT_EQ(untouched.keywordClass, KEYWORD_CLASS_INSTRUCTION);
    EXPECT_EQ(LookupKeywordMode0("NOBODY", untouched), KEYWORD_NONE);
}

} // namespace
