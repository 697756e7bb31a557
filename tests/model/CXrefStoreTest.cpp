#include "model/CXrefStore.h"

#include "AppDataFixture.h"

#include <vector>

namespace {

constexpr int READ = 0x8000;
constexpr int WRITTEN = 0x10000;

// A store of its own on a VB16 project (pointer operands exist there),
// compiling an IL program "MAIN".
class CXrefStoreTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(2);
        position.pou = "MAIN";
        SetXrefPositionSource([this] { return position; });
    }
    void TearDown() override
    {
        SetXrefPositionSource(nullptr);
        AppDataFixture::TearDown();
    }

    std::vector<CXrefEntry> Collect(DWORD filter, DWORD setting, int capacity, BOOL& result)
    {
        std::vector<CXrefEntry> rows(static_cast<size_t>(capacity));
        int count = capacity;
        result = store.Collect(filter, setting, count, rows.data());
        rows.resize(size_t(count));
        return rows;
    }

    static std::vector<std::string> Addresses(const std::vector<CXrefEntry>& rows)
    {
        std::vector<std::string> texts;
        for (const CXrefEntry& row : rows)
            texts.push_back(row.address);
        return texts;
    }

    CXrefStore store;
    XrefPosition position;
};

} // namespace

TEST_F(CXrefStoreTest, BitsBytesAndPositions)
{
    position.number = 4;
    EXPECT_TRUE(store.AddAddressXref(READ, "%I0.3"));
    position.number = 5;
    EXPECT_TRUE(store.AddAddressXref(READ, "%I0.3"));
    position = {XREF_POSITION_LADDER_NETWORK, 2, "PUMP"};
    EXPECT_TRUE(store.AddAddressXref(WRITTEN, "%Q0.0"));

    const CXrefEntry* first = store.Slot(XREF_I, 0)->bitLists[3];
    ASSERT_NE(first, nullptr);
    ASSERT_NE(first->next, nullptr);
    EXPECT_EQ(first->next->next, nullptr);
    EXPECT_EQ(first->type, XREF_TYPE_BOOL);
    EXPECT_EQ(first->access, READ);
    EXPECT_EQ(first->positionKind, XREF_POSITION_IL_ROW);
    EXPECT_EQ(first->number, 4);
    EXPECT_EQ(first->next->number, 5);
    EXPECT_EQ(first->pou, "MAIN");
    const CXrefEntry* coil = store.Slot(XREF_Q, 0)->bitLists[0];
    ASSERT_NE(coil, nullptr);
    EXPECT_EQ(coil->access, WRITTEN);
    EXPECT_EQ(coil->positionKind, XREF_POSITION_LADDER_NETWORK);
    EXPECT_EQ(coil->number, 2);
    EXPECT_EQ(coil->pou, "PUMP");
}

TEST_F(CXrefStoreTest, ReferencesKeepTheirOrderAcrossAClear)
{
    // Rows 1..3 on a bit, a byte and an instance; then a new compilation.
    for (int row = 1; row <= 3; ++row) {
        position.number = row;
        ASSERT_TRUE(store.AddAddressXref(READ, "%I0.3"));
        ASSERT_TRUE(store.AddAddressXref(READ, "%VB10"));
        ASSERT_TRUE(store.AddInstanceXref(READ, "T37"));
    }
    // One added through the list head alone is kept when the store appends again.
    ASSERT_TRUE(AddBitXref("%I0.3", &store.Slot(XREF_I, 0)->bitLists[3], WRITTEN));
    position.number = 4;
    ASSERT_TRUE(store.AddAddressXref(READ, "%I0.3"));
    std::vector<int> accesses;
    for (const CXrefEntry* entry = store.Slot(XREF_I, 0)->bitLists[3]; entry; entry = entry->next)
        accesses.push_back(entry->number * 10 + (entry->access == WRITTEN));
    EXPECT_EQ(accesses, (std::vector<int>{10, 20, 30, 31, 40}));
    store.Clear();
    position.number = 9;
    ASSERT_TRUE(store.AddAddressXref(WRITTEN, "%I0.3"));
    ASSERT_TRUE(store.AddAddressXref(WRITTEN, "%VB10"));
    position.number = 10;
    ASSERT_TRUE(store.AddAddressXref(READ, "%I0.3"));

    const std::vector<std::pair<const CXrefEntry*, std::vector<int>>> lists = {
        {store.Slot(XREF_I, 0)->bitLists[3], {9, 10}},
        {store.Slot(XREF_V, 10)->byteList, {9}},
        {store.Slot(XREF_T, 37)->byteList, {}},
    };
    for (const auto& [head, rows] : lists) {
        std::vector<int> seen;
        for (const CXrefEntry* entry = head; entry; entry = entry->next)
            seen.push_back(entry->number);
        EXPECT_EQ(seen, rows);
    }
}

TEST_F(CXrefStoreTest, ClearEmptiesEveryListOfEveryAreaAfterRepeatedCompilations)
{
    const char* const texts[] = {"%VB0", "%VB12287", "%V12287.7", "%I63.7", "%SMB299", "%AIW62", "%HC5"};
    const char* const instances[] = {"T255", "C0", "RS31", "SR0"};
    const DWORD everything = 0xFFFFFFFF;
    for (int compilation = 0; compilation < 3; ++compilation) {
        for (const char* text : texts)
            ASSERT_TRUE(store.AddAddressXref(READ, text)) << text;
        for (const char* text : instances)
            ASSERT_TRUE(store.AddInstanceXref(WRITTEN, text)) << text;
        ASSERT_TRUE(AddBitXref("%M31.7", &store.Slot(XREF_M, 31)->bitLists[7], READ));
        BOOL result = FALSE;
        EXPECT_EQ(Collect(everything, everything, 64, result).size(), std::size(texts) + std::size(instances) + 1);
        store.Clear();
        EXPECT_TRUE(Collect(everything, everything, 64, result).empty());
        EXPECT_TRUE(result);
    }
}

TEST_F(CXrefStoreTest, WhereEachAddressGoes)
{
    const struct {
        const char* text;
        XrefArea area;
        int slot;
        int type;
    } recorded[] = {
        {"%VD100", XREF_V, 100, XREF_TYPE_DWORD}, {"*VD100", XREF_V, 100, XREF_TYPE_DWORD},
        {"&VB7", XREF_V, 7, XREF_TYPE_BYTE},      {"%MW4", XREF_M, 4, XREF_TYPE_WORD},
        {"%SMB30", XREF_SM, 30, XREF_TYPE_BYTE},  {"%AIW2", XREF_AI, 2, XREF_TYPE_WORD},
        {"%AQW4", XREF_AQ, 4, XREF_TYPE_WORD},    {"%HC1", XREF_HC, 1, XREF_TYPE_DWORD},
    };
    for (const auto& r : recorded) {
        EXPECT_TRUE(store.AddAddressXref(READ, r.text)) << r.text;
        const CXrefEntry* ref = store.Slot(r.area, r.slot)->byteList;
        while (ref && ref->next)
            ref = ref->next;
        ASSERT_NE(ref, nullptr) << r.text;
        EXPECT_EQ(ref->address, r.text);
        EXPECT_EQ(ref->type, r.type) << r.text;
    }
    for (const char* text : {"%VR100", "%LB0", "%L0.1", "%T5", "%BR0.0", "ABC", "%SR3"})
        EXPECT_TRUE(store.AddAddressXref(READ, text)) << text;
    EXPECT_EQ(store.Slot(XREF_V, 100)->byteList->next->next, nullptr);
    EXPECT_FALSE(store.AddAddressXref(READ, "%V.1"));
    EXPECT_FALSE(store.AddAddressXref(READ, "%VB99999"));

    EXPECT_TRUE(store.AddInstanceXref(READ, "T37"));
    EXPECT_TRUE(store.AddInstanceXref(WRITTEN, "C3"));
    EXPECT_TRUE(store.AddInstanceXref(WRITTEN, "RS2"));
    EXPECT_TRUE(store.AddInstanceXref(WRITTEN, "SR31"));
    EXPECT_TRUE(store.AddInstanceXref(READ, "TON"));
    EXPECT_FALSE(store.AddInstanceXref(READ, "T999"));
    EXPECT_EQ(store.Slot(XREF_T, 37)->byteList->type, XREF_TYPE_WORD);
    EXPECT_EQ(store.Slot(XREF_C, 3)->byteList->type, XREF_TYPE_WORD);
    EXPECT_EQ(store.Slot(XREF_RS, 2)->byteList->type, XREF_TYPE_BOOL);
    EXPECT_EQ(store.Slot(XREF_SR, 31)->byteList->type, XREF_TYPE_BOOL);

    EXPECT_FALSE(AddBitXref("", &store.Slot(XREF_I, 1)->bitLists[0], READ));
    EXPECT_EQ(store.Slot(XREF_I, 1)->bitLists[0], nullptr);

    store.Clear();
    EXPECT_EQ(store.Slot(XREF_V, 100)->byteList, nullptr);
    EXPECT_EQ(store.Slot(XREF_T, 37)->byteList, nullptr);
}

TEST_F(CXrefStoreTest, FilterSelectsAreasTypesPointersAndAddressOf)
{
    store.AddAddressXref(READ, "%VD100");
    store.AddAddressXref(READ, "*VD100");
    store.AddAddressXref(READ, "&VB100");
    store.AddAddressXref(READ, "%VW102");
    store.AddAddressXref(READ, "%V104.1");
    store.AddAddressXref(READ, "%MB0");
    store.AddInstanceXref(READ, "RS1");
    store.AddInstanceXref(READ, "T2");

    const DWORD V = OT_AREA_V;
    const struct {
        DWORD filter;
        DWORD setting;
        std::vector<std::string> expected;
    } cases[] = {
        {V | OT_DWORD, 0, {"%VD100"}},
        {V | OT_DWORD, OT_POINTER, {"%VD100", "*VD100"}},
        {V | OT_BYTE, 0, {}},
        {V | OT_BYTE, OT_ADDRESS_OF, {"&VB100"}},
        {V | OT_POINTER, OT_POINTER, {"*VD100"}},
        {V | OT_POINTER, OT_POINTER | OT_DWORD, {}},
        {V | OT_ADDRESS_OF, OT_ADDRESS_OF, {"&VB100"}},
        {V | OT_WORD | OT_BOOL, 0, {"%VW102", "%V104.1"}},
        {OT_AREA_M | V | OT_BYTE, 0, {"%MB0"}},
        {OT_AREA_RS | OT_BOOL, 0, {"RS1"}},
        {OT_AREA_T | OT_WORD, 0, {"T2"}},
        {OT_AREA_T, 0, {}},
    };
    for (const auto& c : cases) {
        BOOL result = FALSE;
        EXPECT_EQ(Addresses(Collect(c.filter, c.setting, 50, result)), c.expected) << std::hex << c.filter;
        EXPECT_TRUE(result);
    }
}

TEST_F(CXrefStoreTest, FullArrayStopsTheCollection)
{
    for (int i = 0; i < 11; ++i) {
        position.number = i;
        store.AddAddressXref(READ, "%I0.0");
    }
    BOOL result = TRUE;
    std::vector<CXrefEntry> rows = Collect(OT_AREA_I | OT_BOOL, 0, 10, result);
    EXPECT_FALSE(result);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[9].number, 9);
    EXPECT_EQ(rows[9].next, nullptr);

    rows = Collect(OT_AREA_I | OT_BOOL, 0, 11, result);
    EXPECT_TRUE(result);
    EXPECT_EQ(rows.size(), 11u);

    // The capacity counts before the setting is looked at: a skipped
    // pointer reference still finds the array full.
    CXrefStore other;
    other.AddAddressXref(READ, "%VD0");
    other.AddAddressXref(READ, "*VD0");
    std::vector<CXrefEntry> one(1);
    int count = 1;
    EXPECT_FALSE(other.Collect(OT_AREA_V | OT_DWORD, 0, count, one.data()));
    EXPECT_EQ(count, 1);
}

TEST_F(CXrefStoreTest, ProgramStoreUsesTheTypeSetting)
{
    ClearXrefTables();
    SetXrefPositionSource(nullptr);
    EXPECT_TRUE(AddAddressXref(READ, "*VD8"));
    EXPECT_TRUE(AddInstanceXref(READ, "C1"));
    std::vector<CXrefEntry> rows(4);
    int count = 4;
    m_app->TypesOfArea = 0;
    EXPECT_TRUE(CollectXrefEntries(OT_AREA_V | OT_DWORD, count, rows.data()));
    EXPECT_EQ(count, 0);
    count = 4;
    m_app->TypesOfArea = OT_POINTER;
    EXPECT_TRUE(CollectXrefEntries(OT_AREA_V | OT_DWORD | OT_AREA_C | OT_WORD, count, rows.data()));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(rows[0].address, "*VD8");
    EXPECT_EQ(rows[0].positionKind, XREF_POSITION_IL_ROW);
    EXPECT_EQ(rows[0].number, 0);
    EXPECT_EQ(rows[0].pou, "");
    EXPECT_EQ(rows[1].address, "C1");
    ClearXrefTables();
}
