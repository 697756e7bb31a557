#include "AppDataFixture.h"

#include "model/CMemAreaInfo.h"
#include "model/CpuProfile.h"

#include <string>
#include <vector>

namespace {

constexpr int kSmallImageBytes = 5698;

enum FamilyIndex { VB12 = 0, VB14 = 1, VB16 = 2, NONE8 = 3, VB14EX = 4, VA10 = 5, VC14 = 6, VC16 = 7 };

struct NamedTable {
    const char* name;
    const CMemAreaInfo* rows;
    bool large;
};

const NamedTable kTables[] = {
    {"VB12/VA10", g_MemAreasVB12, false},
    {"default", g_MemAreasDefault, false},
    {"VB16/VB14EX", g_MemAreasVB16, true},
    {"VC14", g_MemAreasVC14, true},
    {"VC16", g_MemAreasVC16, true},
};

const char* const kRowPrefixes[MEM_AREA_ROW_COUNT] = {
    "%I", "%Q", "%M", "%BR", "%TB", "%CB", "%RS", "%SR", "%SM", "%V", "%AI", "%AQ", "%T", "%C", "%HC", "%L",
};

// The highest index the unit count allows: bytes for byte areas, one index
// per timer or counter, four bytes per high-speed counter, eight flip-flops
// per status byte; the status-bit areas follow their timers and counters.
DWORD ExpectedMaxIndex(const CMemAreaInfo* table, int row)
{
    const DWORD units = table[row].unitCount;
    switch (row) {
    case MEM_ROW_TB:
        return table[MEM_ROW_T].maxIndex;
    case MEM_ROW_CB:
        return table[MEM_ROW_C].maxIndex;
    case MEM_ROW_RS:
    case MEM_ROW_SR:
        return units == 0 ? 0 : units * 8 - 1;
    case MEM_ROW_HC:
        return units / 4 - 1;
    default:
        return units == 0 ? 0 : units - 1;
    }
}

} // namespace

// Every table keeps the row order and flags, lays its areas out without
// overlap inside its image, keeps its units inside the stretch the image
// reserves and derives its maximum index from its units.
TEST(MemAreaTablesTest, RowsAreConsistentInEveryTable)
{
    for (const NamedTable& table : kTables) {
        SCOPED_TRACE(table.name);
        const CMemAreaInfo* layout = table.large ? g_MemAreasVB16 : g_MemAreasVB12;
        const DWORD imageEnd = table.large ? LARGE_IMAGE_BYTES : kSmallImageBytes;
        for (int row = 0; row < MEM_AREA_ROW_COUNT; ++row) {
            SCOPED_TRACE(row);
            const CMemAreaInfo& info = table.rows[row];
            EXPECT_STREQ(info.prefix, kRowPrefixes[row]);
            EXPECT_EQ(info.areaFlags, g_MemAreasDefault[row].areaFlags);
            EXPECT_EQ(info.imageOffset, layout[row].imageOffset);
            EXPECT_EQ(info.imageBytes, layout[row].imageBytes);
            EXPECT_LE(info.imageOffset + info.imageBytes, imageEnd);
            const bool twoBytesPerUnit = row == MEM_ROW_T || row == MEM_ROW_C;
            EXPECT_LE(info.unitCount * (twoBytesPerUnit ? 2u : 1u), info.imageBytes);
            EXPECT_EQ(info.minIndex, 0u);
            EXPECT_EQ(info.maxIndex, ExpectedMaxIndex(table.rows, row));
            for (int other = row + 1; other < MEM_AREA_ROW_COUNT; ++other) {
                const CMemAreaInfo& next = table.rows[other];
                const bool apart = info.imageOffset + info.imageBytes <= next.imageOffset
                    || next.imageOffset + next.imageBytes <= info.imageOffset;
                EXPECT_TRUE(apart) << info.prefix << " overlaps " << next.prefix;
            }
        }
    }
}

TEST(MemAreaTablesTest, AreaFlagsOfTheRows)
{
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_I].areaFlags, OT_AREA_I | 0x3Fu | OT_READABLE | OT_FORCEABLE);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_Q].areaFlags, OT_AREA_Q | 0x3Fu | OT_READABLE | OT_WRITABLE | OT_FORCEABLE);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_BR].areaFlags, OT_AREA_BR | OT_BOOL | OT_READABLE | OT_WRITABLE);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_TB].areaFlags, OT_AREA_T | 0x15u | OT_READABLE);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_RS].areaFlags, OT_AREA_RS);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_SM].areaFlags, OT_AREA_SM | 0x3Fu | OT_READABLE | OT_WRITABLE);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_V].areaFlags, OT_AREA_V | 0x7Fu | OT_READABLE | OT_WRITABLE | OT_FORCEABLE);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_AI].areaFlags, OT_AREA_AI | OT_INT | OT_READABLE | OT_FORCEABLE);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_HC].areaFlags, OT_AREA_HC | OT_DINT | OT_READABLE);
    EXPECT_EQ(g_MemAreasDefault[MEM_ROW_L].areaFlags, OT_AREA_L | 0x3Fu | OT_READABLE | OT_WRITABLE);
}

class MemAreaTest : public AppDataFixture {};

// Unit count and highest index of the address prefixes on each family.
TEST_F(MemAreaTest, UnitCountAndMaxIndexPerFamily)
{
    struct Case {
        int family;
        const char* prefix;
        int units;
        int maxIndex;
    };
    const Case cases[] = {
        {VB12, "%I", 2, 1}, {VB12, "%Q", 1, 0}, {VA10, "%Q", 1, 0}, {VB12, "%V", 2048, 2047},
        {VB12, "%HC", 8, 1}, {VB12, "%T", 64, 63}, {VB12, "%RS", 0, 0}, {VB12, "%L", 16, 15},
        {VB14, "%I", 8, 7}, {VB14, "%AI", 32, 30}, {VB14, "%T", 128, 127}, {VB14, "%HC", 24, 5},
        {NONE8, "%V", 4096, 4095}, {NONE8, "%C", 128, 127},
        {VB16, "%I", 32, 31}, {VB16, "%SR", 4, 31}, {VB16, "%L", 272, 271}, {VB16, "%AQ", 64, 62},
        {VB14EX, "%Q", 32, 31}, {VB14EX, "%C", 256, 255},
        {VA10, "%AI", 0, -1}, {VA10, "%V", 2048, 2047}, {VA10, "%C", 64, 63},
        {VC14, "%I", 2, 1}, {VC14, "%Q", 2, 1}, {VC14, "%AQ", 0, -1}, {VC14, "%RS", 4, 31},
        {VC16, "%I", 3, 2}, {VC16, "%Q", 2, 1}, {VC16, "%L", 272, 271},
        {9, "%I", 8, 7}, {-1, "%V", 4096, 4095},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.family) + " " + c.prefix);
        UseFamily(c.family);
        EXPECT_EQ(m_app->GetAreaUnitCount(std::string(c.prefix) + "0"), c.units);
        EXPECT_EQ(m_app->GetAreaMaxIndex(c.prefix), c.maxIndex);
    }
}

TEST_F(MemAreaTest, MaxIndexOfTheWordAndDoubleWordForms)
{
    struct Case {
        int family;
        const char* prefix;
        int maxIndex;
    };
    const Case cases[] = {
        {VB14, "VW", 4094}, {VB14, "%VD", 4092}, {VB14, " %vr ", 4092}, {VB14, "%vb", 4095},
        {VB14, "%SMW", 298}, {VB14, "%SMD", 296}, {VB14, "%IW", 6}, {VB14, "%QD", 4},
        {VB14, "%AIW", 30}, {VB14, "%AQW", 30}, {VB14, "%LD", 12}, {VB14, "%LW", 14},
        {VA10, "%AIW", -1}, {VB16, "%LD", 268}, {VB16, "%MD", 28},
        {VB14, "%TB", -1}, {VB14, "%CB", -1}, {VB14, "", -1}, {VB14, "%VW100", -1}, {VB14, "%X", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.family) + " '" + c.prefix + "'");
        UseFamily(c.family);
        EXPECT_EQ(m_app->GetAreaMaxIndex(c.prefix), c.maxIndex);
        EXPECT_EQ(m_app->GetAreaMinIndex(c.prefix), 0);
        EXPECT_EQ(m_app->GetBitMaxIndex(c.prefix), 7);
    }
}

TEST_F(MemAreaTest, UnitCountTakesTheFirstRowWhosePrefixBeginsTheText)
{
    UseFamily(VB12);
    EXPECT_EQ(m_app->GetAreaUnitCount("%T5"), 64);      // the value row, not a status row
    EXPECT_EQ(m_app->GetAreaUnitCount("%TB3"), 8);
    EXPECT_EQ(m_app->GetAreaUnitCount(" vw100 "), 2048);
    EXPECT_EQ(m_app->GetAreaUnitCount("%SMB3"), 300);
    EXPECT_EQ(m_app->GetAreaUnitCount("%AIW0"), 0);
    EXPECT_EQ(m_app->GetAreaUnitCount(""), 0);
    EXPECT_EQ(m_app->GetAreaUnitCount("%X1"), 0);
}

TEST_F(MemAreaTest, AreaBaseOfThePrefixes)
{
    struct Case {
        int family;
        const char* prefix;
        BOOL statusBits;
        int base;
    };
    const Case cases[] = {
        {VB14, "%I", FALSE, 0}, {VB14, "%QW", FALSE, 8}, {VB14, "MD", FALSE, 16}, {VB14, "%VR", FALSE, 410},
        {VB14, "%SMB", FALSE, 110}, {VB14, "%LD", FALSE, 4506}, {VB14, "%AIW", FALSE, 4522},
        {VB14, "%AQ", FALSE, 4586}, {VB14, "%BR", FALSE, 48}, {VB14, "%HC", FALSE, 5674},
        {VB14, "%T", FALSE, 4650}, {VB14, "%T", TRUE, 50}, {VB14, "%C", FALSE, 5162}, {VB14, "%C", TRUE, 66},
        {VB14, "%SR", TRUE, 102}, {VB14, "%RS", FALSE, 98},
        {VC16, "%V", FALSE, 660}, {VC16, "%L", FALSE, 6104}, {VC16, "%T", TRUE, 128}, {VC16, "%C", FALSE, 5568},
        {VB14, "%TB", FALSE, -1}, {VB14, "%CB", TRUE, -1}, {VB14, "%vw", FALSE, -1}, {VB14, "", FALSE, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.family) + " '" + c.prefix + "'");
        UseFamily(c.family);
        EXPECT_EQ(m_app->GetAreaBase(c.prefix, c.statusBits), c.base);
    }
}

TEST_F(MemAreaTest, SwitchingFamilySwitchesTheLiveTable)
{
    UseFamily(VA10);
    EXPECT_EQ(m_app->GetAreaMaxIndex("%AIW"), -1);
    EXPECT_EQ(m_app->GetAreaBase("%V", FALSE), 410);
    EXPECT_EQ(m_app->GetAreaUnitCount("%V0"), 2048);

    UseFamily(VB16);
    EXPECT_EQ(m_app->GetAreaMaxIndex("%AIW"), 62);
    EXPECT_EQ(m_app->GetAreaBase("%V", FALSE), 660);
    EXPECT_EQ(m_app->GetAreaUnitCount("%V0"), 4096);

    for (int family = -1; family <= 8; ++family) {
        SCOPED_TRACE(family);
        UseFamily(family);
        const CMemAreaInfo* expected = GetMemAreaTable(m_app->GetCPUFamilyMask());
        for (int row = 0; row < MEM_AREA_ROW_COUNT; ++row) {
            EXPECT_EQ(g_LiveAreaTable[row].unitCount, expected[row].unitCount);
            EXPECT_EQ(g_LiveAreaTable[row].imageOffset, expected[row].imageOffset);
        }
    }
    EXPECT_EQ(GetMemAreaTable(CPU_FAMILY_VB12), GetMemAreaTable(CPU_FAMILY_VA10));
    EXPECT_EQ(GetMemAreaTable(CPU_FAMILY_VB16), GetMemAreaTable(CPU_FAMILY_VB14EX));
    EXPECT_EQ(GetMemAreaTable(CPU_FAMILY_VB14), g_MemAreasDefault);
    EXPECT_EQ(GetMemAreaTable(CPU_FAMILY_NONE8), g_MemAreasDefault);
    EXPECT_EQ(GetMemAreaTable(0), g_MemAreasDefault);
}

// Encoded addresses: byte in the low 13 bits, bit number in the high 3.
TEST_F(MemAreaTest, EncodeAddressPerFamily)
{
    struct Case {
        int family;
        const char* address;
        short statusBits;
        int encoded;
    };
    const Case cases[] = {
        {VB12, "%I1.3", 0, 1 + 3 * 8192},
        {VB16, "%I1.3", 0, 1 + 3 * 8192},
        {VB12, "%T5", 0, 4650 + 10},
        {VB12, "%T13", 1, 51 + 5 * 8192},
        {VB16, "%SR9", 0, 288 + 1 + 1 * 8192},
        {VB16, "%RS12", 0, 256 + 1 + 4 * 8192},
        {VC14, "%C7", 0, 5568 + 14},
        {VC14, "%C7", 1, 160 + 7 * 8192},
        {VB14, "%C127", 1, 66 + 15 + 7 * 8192},
        {VB14, "%SM0.1", 0, 110 + 8192},
        {VB16, "%V100.7", 0, 760 + 7 * 8192},
        {VB14, "%VW100", 0, 510},
        {VB16, "%VW100", 0, 760},
        {VB14, "%vb10", 0, 420},
        {VB14, "%VR0", 0, 410},
        {VB14, "%VD4092", 0, 4502},
        {VB16, "%AIW4", 0, 4804},
        {VB16, "%AQW62", 0, 4990},
        {VB16, "%HC2", 0, 6082},
        {VB14, "%LD4", 0, 4510},
        {VC16, "%LD4", 0, 6108},
        {VC16, "%L3.1", 0, 6107 + 8192},
        {VB14, "%BR1.2", 0, 49 + 2 * 8192},
        {VC16, "%Q1.1", 0, 33 + 8192},
        {VB16, "%MB31", 0, 95},
        {VB16, "%V4095.7", 0, 4755 + 7 * 8192},
        {VB16, "%L271.7", 0, 6375 + 7 * 8192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.family) + " " + c.address);
        UseFamily(c.family);
        EXPECT_EQ(EncodeAddress(c.address, c.statusBits), c.encoded);
    }
}
