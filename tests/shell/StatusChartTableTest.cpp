#include "ShellFixture.h"

#include "model/CStatusInput.h"
#include "model/CMemAreaInfo.h"
#include "model/CZULStatus.h"
#include "model/CZULSymbol.h"
#include "model/DirectAddress.h"
#include "model/MonitorItems.h"
#include "model/ProjectModified.h"
#include "shell/CStatusChartTable.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;
using Col = CStatusChartTable::Column;

constexpr int kVB14 = 1;
const Texts kIntegerFormats = {"Signed", "Unsigned", "Hexadecimal", "Binary"};

class StatusChartTableTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        m_app->Project.CPUFamilyIndex = kVB14;
        m_app->LoadAreaTable();
        AttachProjectDocument(&m_document);
        m_table = std::make_unique<CStatusChartTable>(*m_app);
        m_table->SetRowCount(CStatusChartTable::MIN_ROWS);
    }
    void TearDown() override
    {
        AttachProjectDocument(nullptr);
        ShellFixture::TearDown();
    }

    CStatusInput& Row(int row) { return *m_table->GetRecord(row); }
    std::string Cell(int column, int row, BYTE* mark = nullptr)
    {
        std::string text;
        BYTE shown = 0;
        m_table->GetCellText(column, row, text, shown);
        if (mark)
            *mark = shown;
        return text;
    }
    // Types an address, a format (when given) and a new value into a row.
    void TypeRow(int row, const std::string& address, const std::string& format = "", const std::string& value = "")
    {
        m_table->SaveCellData(Col::COL_ADDRESS, row, address);
        if (!format.empty())
            m_table->SaveCellData(Col::COL_FORMAT, row, format);
        if (!value.empty())
            m_table->SaveCellData(Col::COL_NEW, row, value);
    }
    Texts Addresses()
    {
        Texts texts;
        for (int row = 0; row < m_table->GetRecordCount(); ++row)
            texts.push_back(Row(row).addressText);
        return texts;
    }

    std::unique_ptr<CStatusChartTable> m_table;
};

TEST_F(StatusChartTableTest, TypedAddressBecomesStoredTextWithDefaultFormatAndChoices)
{
    struct Case {
        const char* typed;
        const char* stored;
        BYTE mark;
        const char* format;
        Texts choices;
    };
    const Case cases[] = {
        {"qb0", "%QB0", 0, "Unsigned", kIntegerFormats},
        {" t5 ", "T5", 0, "Unsigned", kIntegerFormats},
        {"c3", "C3", 0, "Unsigned", kIntegerFormats},
        {"%i0.0", "%I0.0", 0, "BOOL", {"BOOL"}},
        {"vw10", "%VW10", 0, "Unsigned", kIntegerFormats},
        {"vd4", "%VD4", 0, "Unsigned", {"Signed", "Unsigned", "Hexadecimal", "Binary", "REAL"}},
        {"vw3", "vw3", 255, "", {}},
        {"motor", "motor", 255, "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TypeRow(0, c.typed);
        BYTE mark = 0;
        EXPECT_EQ(Cell(Col::COL_ADDRESS, 0, &mark), c.stored);
        EXPECT_EQ(mark, c.mark);
        EXPECT_EQ(Cell(Col::COL_FORMAT, 0), c.format);
        EXPECT_EQ(m_table->GetFormatChoices(0), c.choices);
        EXPECT_EQ(Row(0).valid, c.mark == 0 ? 1u : 0u);
        if (c.mark == 0) {
            OperandTypeFlags flags = 0;
            ASSERT_TRUE(ParseDirectAddress(c.stored, flags));
            EXPECT_EQ(Row(0).flags, flags);
            EXPECT_EQ(Row(0).encodedAddress, EncodeAddress(c.stored, 0));
        }
    }
}

TEST_F(StatusChartTableTest, SymbolColumnShowsTheGlobalSymbolOfTheAddress)
{
    for (const auto& [name, address] : {std::pair{"Lamp", "%Q0.0"}, std::pair{"Delay", "%T5"}}) {
        auto* symbol = new CZULSymbol;
        symbol->name = name;
        symbol->address = address;
        m_app->Project.AddSymbol(symbol);
    }
    TypeRow(0, "q0.0");
    TypeRow(1, "t5");
    TypeRow(2, "%Q0.1");
    TypeRow(3, "Lamp");
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 0), "Lamp");
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 1), "Delay");
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 2), "");
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 3), "");
}

TEST_F(StatusChartTableTest, FormatChosenForADoubleWordIsKeptWhileTheAddressOffersIt)
{
    TypeRow(0, "%VD8", "REAL", "1.5");
    EXPECT_EQ(Cell(Col::COL_NEW, 0), "1.50000");
    // Typing the address again keeps REAL; a word address has no REAL.
    TypeRow(0, "vd8");
    EXPECT_EQ(Cell(Col::COL_FORMAT, 0), "REAL");
    EXPECT_EQ(Cell(Col::COL_NEW, 0), "1.50000");
    TypeRow(0, "%VW8");
    EXPECT_EQ(Cell(Col::COL_FORMAT, 0), "Unsigned");
    // A format the address does not offer is not taken.
    EXPECT_FALSE(m_table->SaveCellData(Col::COL_FORMAT, 0, "BOOL"));
    EXPECT_EQ(Cell(Col::COL_FORMAT, 0), "Unsigned");
}

TEST_F(StatusChartTableTest, NewValueIsRewrittenForFormatAndWidth)
{
    struct Case {
        const char* address;
        const char* format;
        const char* typed;
        const char* text;
        DWORD value;
    };
    const Case cases[] = {
        {"%VW0", "Hexadecimal", "255", "W#16#ff", 255},
        {"%VW0", "Binary", "255", "W#2#11111111", 255},
        {"%VW0", "Binary", "0", "W#2#0", 0},
        {"%VW0", "Signed", "3.7", "3", 3},
        {"%VW0", "Signed", "-3.7", "-3", DWORD(-3)},
        {"%VW0", "Signed", "W#16#FFFF", "-1", DWORD(-1)},
        {"%VW0", "Unsigned", "-1", "W#65535", 65535},
        {"%VB0", "Unsigned", "-1", "B#255", 255},
        {"%VB0", "Signed", "200", "-56", DWORD(-56)},
        {"%VB0", "Hexadecimal", "16#1FF", "B#16#ff", 255},
        {"%VD0", "Signed", "-5", "DI#-5", DWORD(-5)},
        {"%VD0", "Unsigned", "DW#16#FFFFFFFF", "DW#4294967295", 0xFFFFFFFF},
        {"%VD0", "Hexadecimal", "DW#16#ABCD", "DW#16#abcd", 0xABCD},
        {"%VD0", "Binary", "5", "DW#2#101", 5},
        {"%VD0", "REAL", "1.5", "1.50000", 0x3FC00000},
        {"%VD0", "REAL", "-2", "-2.00000", 0xC0000000},
        {"%I0.0", "BOOL", "1", "2#1", 1},
        {"%I0.0", "BOOL", "0", "2#0", 0},
        {"%I0.0", "BOOL", "TRUE", "2#1", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.address) + " " + c.format + " " + c.typed);
        TypeRow(0, c.address, c.format, c.typed);
        BYTE mark = 0;
        EXPECT_EQ(Cell(Col::COL_NEW, 0, &mark), c.text);
        EXPECT_EQ(mark, 0);
        EXPECT_EQ(Row(0).newValue, c.value);
        EXPECT_EQ(Row(0).newValueValid, 1u);
    }

    // Switching the format rewrites the value already there.
    TypeRow(1, "%VW0", "Hexadecimal", "255");
    m_table->SaveCellData(Col::COL_FORMAT, 1, "Binary");
    EXPECT_EQ(Cell(Col::COL_NEW, 1), "W#2#11111111");
}

TEST_F(StatusChartTableTest, BadNewValuesAreMarkedAndDroppedWithoutAValidAddress)
{
    TypeRow(0, "%VW0", "Signed", "abc");
    BYTE mark = 0;
    EXPECT_EQ(Cell(Col::COL_NEW, 0, &mark), "abc");
    EXPECT_EQ(mark, 255);
    EXPECT_EQ(Row(0).newValueValid, 0u);
    EXPECT_EQ(Row(0).newValue, 0u);

    TypeRow(1, "nothing", "", "5");
    EXPECT_EQ(Cell(Col::COL_NEW, 1), "");

    // Emptying the address empties the whole row.
    TypeRow(2, "%VW0", "Hexadecimal", "1");
    m_table->SaveCellData(Col::COL_ADDRESS, 2, "");
    EXPECT_EQ(Cell(Col::COL_FORMAT, 2), "");
    EXPECT_EQ(Cell(Col::COL_NEW, 2), "");
    EXPECT_EQ(Row(2).valid, 0u);
    EXPECT_EQ(Row(2).newValueValid, 0u);
}

TEST_F(StatusChartTableTest, CurrentValueFollowsTheFormat)
{
    struct Case {
        const char* monitored;
        int value;
        DWORD format;
        OperandTypeFlags flags;
        const char* shown;
    };
    const Case cases[] = {
        {"1", 1, STATUS_FORMAT_BOOL, OT_BOOL, "2#1"},
        {"16#FF", 0xFF, STATUS_FORMAT_UNSIGNED, OT_BYTE, "B#255"},
        {"16#FF", 0xFF, STATUS_FORMAT_SIGNED, OT_BYTE, "-1"},
        {"16#FF", 0xFF, STATUS_FORMAT_BINARY, OT_BYTE, "B#2#11111111"},
        {"16#FF", 0xFF, STATUS_FORMAT_HEX, OT_BYTE, "B#16#ff"},
        {"", 0xFFFE, STATUS_FORMAT_SIGNED, OT_WORD_INT, "-2"},
        {"", 0x1234, STATUS_FORMAT_UNSIGNED, OT_WORD_INT, "W#4660"},
        {"", 0, STATUS_FORMAT_BINARY, OT_WORD_INT, "W#2#0"},
        {"", -7, STATUS_FORMAT_SIGNED, OT_DWORD_DINT, "DI#-7"},
        {"", -1, STATUS_FORMAT_HEX, OT_DWORD_DINT, "DW#16#ffffffff"},
        {"", -1, STATUS_FORMAT_UNSIGNED, OT_DWORD_DINT, "DW#4294967295"},
        {"2.5", 0, STATUS_FORMAT_REAL, OT_REAL, "2.5"},
        {"kept", 3, STATUS_FORMAT_NONE, OT_WORD, "kept"},
    };
    for (const Case& c : cases) {
        std::string text = c.monitored;
        CStatusChartTable::FormatCurrentValue(text, c.value, c.format, c.flags);
        EXPECT_EQ(text, c.shown) << c.shown;
    }
}

TEST_F(StatusChartTableTest, CurrentValueCellsShowLiveValuesAndForcedMarksOnlyWhileMonitoring)
{
    for (const char* key : {"%VB100", "%VB101", "%VB104", "%VB105", "%VB106", "%VB107", "%QB0"})
        m_app->Project.Monitor.InsertMonitorEntry(key, new CZULStatus);
    m_app->Project.Monitor.MonitorTable.at("%VB100")->value = 0x3F;
    m_app->Project.Monitor.MonitorTable.at("%VB101")->value = 0xC0;
    m_app->Project.Monitor.MonitorTable.at("%QB0")->value = 0x02;
    m_app->Project.Monitor.MonitorTable.at("%VB106")->value = 0xC0;
    m_app->Project.Monitor.MonitorTable.at("%VB107")->value = 0x3F;
    TypeRow(0, "%VW100", "Hexadecimal");
    TypeRow(1, "%Q0.1");
    TypeRow(2, "%VW200");
    TypeRow(3, "%VD104", "REAL");

    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(Cell(Col::COL_CURRENT, row), " ");

    m_app->Monitoring = 1;
    m_app->Project.ForceMap.emplace("%Q0.1", std::make_unique<CForceEntry>("%Q0.1", 0, OT_BOOL | OT_FORCEABLE, 1));
    BYTE mark = 0;
    // Words are read low byte first.
    EXPECT_EQ(Cell(Col::COL_CURRENT, 0, &mark), "W#16#c03f");
    EXPECT_EQ(mark, 0);
    EXPECT_EQ(Cell(Col::COL_CURRENT, 1, &mark), "2#1");
    EXPECT_EQ(mark, 1);
    // An address the monitor does not hold.
    EXPECT_EQ(Cell(Col::COL_CURRENT, 2), " ");
    // REAL shows the double word as a real number (0x3FC00000 = 1.5).
    EXPECT_NE(Cell(Col::COL_CURRENT, 3).find("1.5"), std::string::npos);
    m_app->Monitoring = 0;
}

TEST_F(StatusChartTableTest, RowEditsMarkTheProjectModified)
{
    struct Step {
        const char* what;
        std::function<void()> run;
    };
    const Step steps[] = {
        {"address", [&] { TypeRow(0, "%VW0"); }},
        {"format", [&] { m_table->SaveCellData(Col::COL_FORMAT, 0, "Signed"); }},
        {"new value", [&] { m_table->SaveCellData(Col::COL_NEW, 0, "7"); }},
        {"clear", [&] { m_table->ClearCells(Col::COL_NEW, Col::COL_NEW, 0, 0); }},
        {"insert", [&] { m_table->InsertStatusRows(0, 1); }},
        {"delete", [&] { m_table->DeleteStatusRows(0, 1); }},
        {"sort", [&] { m_table->SortByAddress(true); }},
    };
    for (const Step& step : steps) {
        m_document.SetModifiedFlag(FALSE);
        step.run();
        EXPECT_TRUE(m_document.IsModified()) << step.what;
    }
}

TEST_F(StatusChartTableTest, DeletingRowsNeverEmptiesTheChart)
{
    ASSERT_EQ(m_table->GetRecordCount(), 6);
    EXPECT_FALSE(m_table->DeleteStatusRows(0, 6));
    EXPECT_FALSE(m_table->DeleteStatusRows(-1, 2));
    EXPECT_FALSE(m_table->DeleteStatusRows(4, 3));
    EXPECT_FALSE(m_table->DeleteStatusRows(0, 0));
    EXPECT_EQ(m_table->GetRecordCount(), 6);
    TypeRow(5, "%VW6");
    EXPECT_TRUE(m_table->DeleteStatusRows(0, 5));
    ASSERT_EQ(m_table->GetRecordCount(), 1);
    EXPECT_EQ(Row(0).addressText, "%VW6");
    EXPECT_FALSE(m_table->DeleteStatusRows(0, 1));

    // Clearing every column of a selection deletes its rows; part of a row empties cells.
    EXPECT_TRUE(m_table->InsertStatusRows(1, 3));
    TypeRow(1, "%VW2", "Signed", "4");
    TypeRow(2, "%VW4");
    m_table->ClearCells(Col::COL_FORMAT, Col::COL_NEW, 1, 1);
    EXPECT_EQ(Row(1).addressText, "%VW2");
    EXPECT_EQ(Cell(Col::COL_FORMAT, 1), "");
    EXPECT_EQ(Cell(Col::COL_NEW, 1), "");
    m_table->ClearCells(Col::COL_ADDRESS, Col::COL_NEW, 0, 1);
    EXPECT_EQ(Addresses(), Texts({"%VW4", ""}));
}

TEST_F(StatusChartTableTest, AddressHeaderSortsTheRowsUpToTheLastAddress)
{
    TypeRow(0, "%VW4");
    TypeRow(1, "%IB0");
    TypeRow(3, "%QB0");
    m_table->SortByAddress(true);
    EXPECT_EQ(Addresses(), Texts({"", "%IB0", "%QB0", "%VW4", "", ""}));
    m_table->SortByAddress(false);
    EXPECT_EQ(Addresses(), Texts({"%VW4", "%QB0", "%IB0", "", "", ""}));
}

TEST_F(StatusChartTableTest, RowsTravelWithTheProjectFile)
{
    NewProject(m_folder / "chart.qpj");
    m_table->SetRowCount(CStatusChartTable::MIN_ROWS);
    TypeRow(0, "vd4", "REAL", "2.5");
    TypeRow(1, "t5", "Hexadecimal", "16");
    m_commands.OnSaveProject();
    ASSERT_TRUE(m_commands.CloseProject());
    m_commands.OpenProjectByPath(m_folder / "chart.qpj");
    ASSERT_GE(m_table->GetRecordCount(), 2);
    EXPECT_EQ(Cell(Col::COL_ADDRESS, 0), "%VD4");
    EXPECT_EQ(Cell(Col::COL_FORMAT, 0), "REAL");
    EXPECT_EQ(Cell(Col::COL_NEW, 0), "2.50000");
    EXPECT_EQ(Row(0).newValue, 0x40200000u);
    EXPECT_EQ(Cell(Col::COL_ADDRESS, 1), "T5");
    EXPECT_EQ(Cell(Col::COL_NEW, 1), "W#16#10");
}

} // namespace
