#include "model/AppDataFixture.h"

#include "model/CZULInitData.h"
#include "shell/CInitDataTable.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

enum FamilyIndex { VB12 = 0, VB16 = 2 };

using Codes = std::map<int, DWORD>;
using Texts = std::vector<std::string>;

class InitDataTableTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(VB16);
        m_table = std::make_unique<CInitDataTable>(*m_app);
        m_table->SetRowCount(CInitDataTable::MIN_ROWS);
    }

    // Types the address, then the values in order, into a row.
    void TypeRow(int row, const std::string& address, const Texts& values = {})
    {
        m_table->SaveCellData(CInitDataTable::COL_ADDRESS, row, address);
        for (size_t i = 0; i < values.size(); ++i)
            m_table->SaveCellData(int(i) + 1, row, values[i]);
    }
    CZULInitData& Row(int row) { return *m_table->GetRecord(row); }
    Codes CodesOf(int row)
    {
        Codes codes;
        for (int column = 0; column < CInitDataTable::COLUMN_COUNT; ++column) {
            DWORD code = 0;
            if (Row(row).LookupCode(DWORD(column), code))
                codes[column] = code;
        }
        return codes;
    }
    int VMax(const char* prefix) { return m_app->GetAreaMaxIndex(prefix); }
    DWORD VBase() { return DWORD(m_app->GetAreaBase("%VB", FALSE)); }

    std::unique_ptr<CInitDataTable> m_table;
};

TEST_F(InitDataTableTest, CodesPerAddressAndValue)
{
    struct Case {
        std::string address;
        Texts values;
        Texts stored;
        Codes codes;
    };
    const std::string lastWord = "%VW" + std::to_string(VMax("%VW"));
    const Case cases[] = {
        {"%VB0", {"1", "2"}, {"%VB0", "1", "2"}, {{1, INIT_CODE_WRONG_TYPE}, {2, INIT_CODE_WRONG_TYPE}}},
        {"vb0", {"b#1", "B#2"}, {"%VB0", "B#1", "B#2"}, {}},
        {"%VW10", {"1", "-2", "W#16#FF", "4"}, {"%VW10", "1", "-2", "W#16#FF", "4"}, {}},
        {"%VD20", {"DI#5", "DW#16#1", "7"}, {"%VD20", "DI#5", "DW#16#1", "7"}, {{3, INIT_CODE_WRONG_TYPE}}},
        {"%VR20", {"1.5", "2"}, {"%VR20", "1.5", "2"}, {{2, INIT_CODE_WRONG_TYPE}}},
        {"%VW10", {"1x"}, {"%VW10", "1x"}, {{1, INIT_CODE_ILLEGAL_VALUE}}},
        {lastWord, {"1", "2", "3"}, {lastWord, "1", "2", "3"},
         {{2, INIT_CODE_OUT_OF_RANGE}, {3, INIT_CODE_OUT_OF_RANGE}}},
        {"%MB0", {}, {"%MB0"}, {{0, INIT_CODE_NOT_V_MEMORY}}},
        {"%V0.1", {}, {"%V0.1"}, {{0, INIT_CODE_NOT_V_MEMORY}}},
        {"%Q0.0", {}, {"%Q0.0"}, {{0, INIT_CODE_NOT_V_MEMORY}}},
        {"nothing", {}, {"nothing"}, {{0, INIT_CODE_ILLEGAL_ADDRESS}}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.address);
        const int row = int(i);
        m_table->SetRowCount(row + 1);
        TypeRow(row, c.address, c.values);
        EXPECT_EQ(Row(row).texts, c.stored);
        EXPECT_EQ(CodesOf(row), c.codes);
        EXPECT_EQ(Row(row).values.size(), Row(row).texts.size());
    }
}

TEST_F(InitDataTableTest, WordsOfAUsableAddress)
{
    TypeRow(0, "%VW10", {"258", "-1"});
    EXPECT_EQ(Row(0).values, (std::vector<DWORD>{VBase() + 10, 258, 0xFFFFFFFF}));
    EXPECT_EQ(Row(0).rowState1 & (OT_AREA_V | OT_WORD_INT), OT_AREA_V | OT_WORD_INT);
    EXPECT_EQ(Row(0).rowState2, DWORD((VMax("%VW") - 10) / 2 + 1));

    // A faulty value keeps its text and gives 0.
    m_table->SaveCellData(2, 0, "B#1");
    EXPECT_EQ(Row(0).values[2], 0u);

    TypeRow(1, "%MB0");
    EXPECT_EQ(Row(1).values[0], 0xFFFFFFFF);
    EXPECT_EQ(Row(1).rowState1, 0u);
    EXPECT_EQ(Row(1).rowState2, 0u);
}

TEST_F(InitDataTableTest, ARefusedAddressLeavesValueCodesAsTheyWere)
{
    TypeRow(0, "%VB0", {"B#1", "7"});
    ASSERT_EQ(CodesOf(0), (Codes{{2, INIT_CODE_WRONG_TYPE}}));
    m_table->SaveCellData(CInitDataTable::COL_ADDRESS, 0, "rubbish");
    EXPECT_EQ(CodesOf(0), (Codes{{0, INIT_CODE_ILLEGAL_ADDRESS}, {2, INIT_CODE_WRONG_TYPE}}));
    // A value stored now cannot be judged.
    m_table->SaveCellData(3, 0, "B#3");
    EXPECT_EQ(CodesOf(0), (Codes{{0, INIT_CODE_ILLEGAL_ADDRESS}, {2, INIT_CODE_WRONG_TYPE},
                                 {3, INIT_CODE_ADDRESS_UNKNOWN}}));
    // An empty address of a row with values is illegal too.
    m_table->SaveCellData(CInitDataTable::COL_ADDRESS, 0, "");
    EXPECT_EQ(CodesOf(0)[0], INIT_CODE_ILLEGAL_ADDRESS);
    EXPECT_EQ(Row(0).values[0], 0xFFFFFFFF);
}

TEST_F(InitDataTableTest, EditRules)
{
    struct Step {
        int column;
        const char* text;
        bool stored;
        Texts after;
    };
    struct Case {
        const char* title;
        Texts start; // address and values typed first
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"a value after a gap", {"%VW0", "1"}, {{3, "5", false, {"%VW0", "1"}}}},
        {"a value without an address", {}, {{1, "5", false, {}}}},
        {"the next value", {"%VW0", "1"}, {{2, "5", true, {"%VW0", "1", "5"}}}},
        {"a value replaced", {"%VW0", "1", "2"}, {{1, " 9 ", true, {"%VW0", "9", "2"}}}},
        {"only the last value clears",
         {"%VW0", "1", "2"},
         {{1, "", false, {"%VW0", "1", "2"}}, {2, "", true, {"%VW0", "1"}}, {1, "", true, {"%VW0"}}}},
        {"an empty cell after the last", {"%VW0", "1"}, {{3, "", false, {"%VW0", "1"}}}},
        {"address alone cleared", {"%VW0"}, {{0, "", true, {""}}, {1, "", true, {}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Row(0) = CZULInitData();
        if (!c.start.empty())
            TypeRow(0, c.start[0], Texts(c.start.begin() + 1, c.start.end()));
        for (const Step& step : c.steps) {
            EXPECT_EQ(m_table->SaveCellData(step.column, 0, step.text) != FALSE, step.stored) << step.column;
            EXPECT_EQ(Row(0).texts, step.after) << step.column;
            EXPECT_EQ(Row(0).values.size(), Row(0).texts.size());
        }
    }
}

TEST_F(InitDataTableTest, ClearingTheLastValueDropsCodesOfRemovedCells)
{
    TypeRow(0, "%VB0", {"B#1", "1"});
    ASSERT_EQ(CodesOf(0), (Codes{{2, INIT_CODE_WRONG_TYPE}}));
    m_table->ClearCells(2, 2, 0, 0);
    EXPECT_EQ(Row(0).texts, (Texts{"%VB0", "B#1"}));
    EXPECT_TRUE(CodesOf(0).empty());

    // One pass over a row clears its trailing value only.
    TypeRow(1, "%VB0", {"B#1", "B#2"});
    m_table->ClearCells(1, 2, 1, 1);
    EXPECT_EQ(Row(1).texts, (Texts{"%VB0", "B#1"}));

    // Every column selected deletes the rows.
    const int before = m_table->GetRecordCount();
    m_table->ClearCells(0, CInitDataTable::COLUMN_COUNT - 1, 0, 0);
    EXPECT_EQ(m_table->GetRecordCount(), before - 1);
    EXPECT_EQ(Row(0).texts, (Texts{"%VB0", "B#1"}));
}

TEST_F(InitDataTableTest, MonitoringLocksEditsButNotInserts)
{
    TypeRow(0, "%VW0", {"1"});
    m_app->Monitoring = 1;
    EXPECT_FALSE(m_table->SaveCellData(CInitDataTable::COL_ADDRESS, 0, "%VW2"));
    EXPECT_FALSE(m_table->SaveCellData(1, 0, "5"));
    EXPECT_FALSE(m_table->SaveCellData(2, 0, "5"));
    EXPECT_FALSE(m_table->ClearCells(0, CInitDataTable::COLUMN_COUNT - 1, 0, 0));
    EXPECT_EQ(Row(0).texts, (Texts{"%VW0", "1"}));
    const int before = m_table->GetRecordCount();
    EXPECT_TRUE(m_table->InsertInitRows(0, 1));
    EXPECT_EQ(m_table->GetRecordCount(), before + 1);
}

TEST_F(InitDataTableTest, RowInsertAndDelete)
{
    TypeRow(0, "%VW0");
    TypeRow(1, "%VW2");
    TypeRow(2, "%VW4");
    struct Case {
        const char* title;
        int first;
        int n;
        bool done;
        int countAfter;
    };
    const Case cases[] = {
        {"past the end", 5, 2, false, 6},
        {"negative", -1, 1, false, 6},
        {"none", 0, 0, false, 6},
        {"one", 1, 1, true, 5},
        {"all of them", 0, 5, true, 1},
        {"the last one", 0, 1, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(m_table->DeleteInitRows(c.first, c.n) != FALSE, c.done);
        EXPECT_EQ(m_table->GetRecordCount(), c.countAfter);
    }
    // All but the last record went; the survivor is the old fifth row.
    EXPECT_TRUE(Row(0).texts.empty());
    EXPECT_TRUE(m_table->InsertInitRows(1, 1));
    EXPECT_FALSE(m_table->InsertInitRows(3, 1));
    EXPECT_EQ(m_table->GetRecordCount(), 2);
}

TEST_F(InitDataTableTest, CellTextsAndMarks)
{
    TypeRow(0, "%VB0", {"B#1", "7"});
    const struct {
        int column;
        const char* text;
        BYTE mark;
    } cells[] = {{0, "%VB0", 0}, {1, "B#1", 0}, {2, "7", 255}, {3, "", 0}};
    for (const auto& cell : cells) {
        std::string text;
        BYTE mark = 1;
        m_table->GetCellText(cell.column, 0, text, mark);
        EXPECT_EQ(text, cell.text);
        EXPECT_EQ(mark, cell.mark);
    }
    std::string text = "x";
    BYTE mark = 1;
    m_table->GetCellText(0, 40, text, mark);
    EXPECT_EQ(text, "");
    EXPECT_EQ(mark, 0);
}

TEST_F(InitDataTableTest, CpuChangeRechecksRows)
{
    TypeRow(0, "%VW4000", {"1"});
    TypeRow(1, "%VW10", {"1", "2"});
    ASSERT_TRUE(CodesOf(0).empty());
    UseFamily(VB12);
    EXPECT_TRUE(RecheckInitialData(*m_app));
    EXPECT_EQ(CodesOf(0), (Codes{{0, INIT_CODE_ILLEGAL_ADDRESS}}));
    EXPECT_TRUE(CodesOf(1).empty());
    EXPECT_EQ(Row(1).rowState2, DWORD((VMax("%VW") - 10) / 2 + 1));
    EXPECT_EQ(Row(1).values[0], VBase() + 10);
}

} // namespace
