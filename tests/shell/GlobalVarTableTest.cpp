#include "model/AppDataFixture.h"

#include "model/CZULSymbol.h"
#include "model/GlobalVarFileWriter.h"
#include "platform/ByteString.h"
#include "shell/CGlobalVarTable.h"

#include <memory>
#include <string>
#include <vector>

namespace {

enum FamilyIndex { VB12 = 0, VB16 = 2 };

class GlobalVarTableTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(VB16);
        m_table = std::make_unique<CGlobalVarTable>(m_app->Project);
        m_table->SetRowCount(CGlobalVarTable::MIN_ROWS);
    }

    CZULProject& Project() { return m_app->Project; }

    // Types a whole row: name, address, then (when given) a data type and a comment.
    void TypeRow(int row, const std::string& name, const std::string& address, const std::string& type = "",
                 const std::string& comment = "")
    {
        m_table->SaveCellData(CGlobalVarTable::COL_SYMBOL, row, name);
        m_table->SaveCellData(CGlobalVarTable::COL_ADDRESS, row, address);
        if (!type.empty())
            m_table->SaveCellData(CGlobalVarTable::COL_TYPE, row, type);
        if (!comment.empty())
            m_table->SaveCellData(CGlobalVarTable::COL_COMMENT, row, comment);
    }
    const CZULSymbol& Row(int row) { return *m_table->GetRecord(row); }
    std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (const CZULSymbol* symbol : Project().OrderedSymbols)
            names.push_back(symbol->name);
        return names;
    }
    BYTE Mark(int column, int row)
    {
        std::string text;
        BYTE mark = 0;
        m_table->GetCellText(column, row, text, mark);
        return mark;
    }

    std::unique_ptr<CGlobalVarTable> m_table;
};

TEST_F(GlobalVarTableTest, AddressEditsGiveStoredTextTypeAndFlags)
{
    struct Case {
        const char* typed;
        const char* typeBefore; // chosen before the address is typed again
        const char* address;
        const char* dataType;
        DWORD typeFlags;
        bool illegal;
    };
    const Case cases[] = {
        {"vw10", "", "%VW10", "INT", OT_AREA_V | OT_INT, false},
        {"%VW10", "WORD", "%VW10", "WORD", OT_AREA_V | OT_WORD, false},
        {"%VW12", "BOOL", "%VW12", "INT", OT_AREA_V | OT_INT, false},
        {"vd4", "", "%VD4", "DINT", OT_AREA_V | OT_DINT, false},
        {"%VD8", "DWORD", "%VD8", "DWORD", OT_AREA_V | OT_DWORD, false},
        {"%vr0", "", "%VR0", "REAL", OT_AREA_V | OT_REAL, false},
        {"i0.0", "", "%I0.0", "BOOL", OT_AREA_I | OT_BOOL, false},
        {" %VB3 ", "", "%VB3", "BYTE", OT_AREA_V | OT_BYTE, false},
        {"%L0.0", "", "%L0.0", "", 0, true},
        {"T3", "", "T3", "", 0, true},
        {"C1", "", "C1", "", 0, true},
        {"%SR1", "", "%SR1", "", 0, true},
        {"%VW3", "", "%VW3", "", 0, true}, // odd word address
        {"motor", "", "motor", "", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_table->SaveCellData(CGlobalVarTable::COL_ADDRESS, 0, "");
        m_table->SaveCellData(CGlobalVarTable::COL_TYPE, 0, c.typeBefore);
        m_table->SaveCellData(CGlobalVarTable::COL_ADDRESS, 0, c.typed);
        EXPECT_EQ(Row(0).address, c.address);
        EXPECT_EQ(Row(0).dataType, c.dataType);
        EXPECT_EQ((Row(0).errorFlags & SYMBOL_ILLEGAL_ADDRESS) != 0, c.illegal);
        EXPECT_EQ(Mark(CGlobalVarTable::COL_ADDRESS, 0), c.illegal ? 255 : 0);
        if (!c.illegal) {
            EXPECT_EQ(Row(0).typeFlags, c.typeFlags);
        }
    }
}

TEST_F(GlobalVarTableTest, ChosenWordTypeSurvivesLaterChecks)
{
    TypeRow(0, "Speed", "vw10", "WORD");
    m_table->Revalidate();
    RecheckGlobalVariables(Project());
    EXPECT_EQ(Row(0).dataType, "WORD");
    EXPECT_EQ(Row(0).typeFlags, OT_AREA_V | OT_WORD);
}

TEST_F(GlobalVarTableTest, NameEditsAreCutAndChecked)
{
    const std::string gbk = "\xB5\xE7\xBB\xFA"; // two double-byte characters
    struct Case {
        std::string typed;
        std::string stored;
        bool illegal;
    };
    const Case cases[] = {
        {"Motor", "Motor", false},
        {"  Pump_1  ", "Pump_1", false},
        {"ABCDEFGHIJKLMNOPQRST", "ABCDEFGHIJKLMNOP", false},
        {"ABCDEFGHIJKLMNO" + gbk, "ABCDEFGHIJKLMNO", false},
        {gbk, gbk, false},
        {"1abc", "1abc", true},
        {"%I0.0", "%I0.0", true},
        {"LD", "LD", true},
        {"", "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_table->SaveCellData(CGlobalVarTable::COL_SYMBOL, 0, "Placeholder");
        m_table->SaveCellData(CGlobalVarTable::COL_SYMBOL, 0, c.typed);
        EXPECT_EQ(Row(0).name, c.stored);
        EXPECT_EQ((Row(0).errorFlags & SYMBOL_ILLEGAL_NAME) != 0, c.illegal);
        EXPECT_EQ(Mark(CGlobalVarTable::COL_SYMBOL, 0), c.illegal ? 255 : 0);
    }
}

TEST_F(GlobalVarTableTest, CellTextsAndMarks)
{
    TypeRow(0, "Motor", "%Q0.0", "", "drives the belt");
    const struct {
        int column;
        const char* text;
        BYTE mark;
    } cells[] = {
        {CGlobalVarTable::COL_SYMBOL, "Motor", 0},
        {CGlobalVarTable::COL_ADDRESS, "%Q0.0", 0},
        {CGlobalVarTable::COL_TYPE, "BOOL", 0},
        {CGlobalVarTable::COL_COMMENT, "drives the belt", 254},
    };
    for (const auto& cell : cells) {
        std::string text;
        BYTE mark = 1;
        m_table->GetCellText(cell.column, 0, text, mark);
        EXPECT_EQ(text, cell.text);
        EXPECT_EQ(mark, cell.mark);
    }
    std::string text = "x";
    BYTE mark = 1;
    m_table->GetCellText(CGlobalVarTable::COL_SYMBOL, 99, text, mark);
    EXPECT_EQ(text, "");
    EXPECT_EQ(mark, 0);
}

TEST_F(GlobalVarTableTest, DuplicateScenarios)
{
    struct RowInput {
        const char* name;
        const char* address;
    };
    struct Case {
        const char* title;
        std::vector<RowInput> rows;
        std::vector<DWORD> flags; // duplicate flags per row
        std::vector<std::string> registered; // names in the upper-case map
    };
    const Case cases[] = {
        {"names differing in case", {{"Motor", "%Q0.0"}, {"MOTOR", "%Q0.1"}},
         {0, SYMBOL_DUPLICATE_NAME}, {"MOTOR"}},
        {"equal addresses", {{"Pump", "%Q0.0"}, {"Fan", "%q0.0"}},
         {0, SYMBOL_DUPLICATE_ADDRESS}, {"PUMP"}},
        // The complete record wins even when it stands below; the other one is marked.
        {"incomplete first row", {{"Valve", ""}, {"Valve", "%Q0.2"}},
         {SYMBOL_DUPLICATE_NAME, 0}, {"VALVE"}},
        {"faulty first row", {{"Valve", "%L0.0"}, {"valve", "%Q0.2"}},
         {SYMBOL_DUPLICATE_NAME, 0}, {"VALVE"}},
        {"incomplete later row", {{"Lamp", "%Q0.3"}, {"LAMP", ""}},
         {0, SYMBOL_DUPLICATE_NAME}, {"LAMP"}},
        {"both taken", {{"A1", "%M0.0"}, {"B1", "%M0.1"}, {"a1", "%M0.1"}},
         {0, 0, SYMBOL_DUPLICATE_NAME | SYMBOL_DUPLICATE_ADDRESS}, {"A1", "B1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        Project().ClearProject();
        m_table->SetRowCount(CGlobalVarTable::MIN_ROWS);
        for (size_t i = 0; i < c.rows.size(); ++i)
            TypeRow(int(i), c.rows[i].name, c.rows[i].address);
        for (size_t i = 0; i < c.flags.size(); ++i)
            EXPECT_EQ(Row(int(i)).errorFlags & (SYMBOL_DUPLICATE_NAME | SYMBOL_DUPLICATE_ADDRESS), c.flags[i]) << i;
        std::vector<std::string> registered;
        for (const auto& entry : Project().SymbolsUpper)
            registered.push_back(entry.first);
        EXPECT_EQ(registered, c.registered);
        // Each clean symbol stands under its name and its address, and nothing else.
        EXPECT_EQ(Project().SymbolLookup.size(), 2 * c.registered.size());
        EXPECT_EQ(Project().SymbolsByAddress.size(), c.registered.size());
        for (const auto& entry : Project().SymbolLookup)
            EXPECT_EQ(entry.second->errorFlags, 0u) << entry.first;
    }
}

TEST_F(GlobalVarTableTest, DeletingTheFirstOfTwoClearsTheMarkOfTheSecond)
{
    TypeRow(0, "Motor", "%Q0.0");
    TypeRow(1, "MOTOR", "%Q0.1");
    ASSERT_EQ(Mark(CGlobalVarTable::COL_SYMBOL, 1), 255);
    ASSERT_TRUE(m_table->DeleteSymbolRows(0, 1));
    EXPECT_EQ(Row(0).name, "MOTOR");
    EXPECT_EQ(Row(0).errorFlags, 0u);
    EXPECT_EQ(Project().SymbolsUpper.count("MOTOR"), 1u);
    EXPECT_EQ(Project().SymbolLookup.count("Motor"), 0u);
    EXPECT_EQ(Project().SymbolTextMaps[0].size(), 1u);
    EXPECT_EQ(Project().SymbolTextMaps[1].count("%Q0.1"), 1u);
}

TEST_F(GlobalVarTableTest, TypeChoicesFollowTheAddress)
{
    using Choices = std::vector<std::string>;
    struct Case {
        const char* name;
        const char* address;
        Choices atCreation;
        Choices atActivation;
    };
    const Case cases[] = {
        {"Bit1", "%M0.0", {"BOOL"}, {"BOOL"}},
        {"Byte1", "%VB1", {"BYTE"}, {"BYTE"}},
        {"Word1", "%VW2", {"INT", "WORD"}, {"INT", "WORD"}},
        {"Dword1", "%VD4", {"DINT", "DWORD"}, {"DINT", "DWORD"}},
        {"Real1", "%VR8", {"REAL"}, {"REAL"}},
        {"Timer", "T3", {}, {}},
        {"", "%VW20", {}, {"INT", "WORD"}}, // no name: a finding that does not block the list on activation
        {"Empty", "", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        TypeRow(0, c.name, c.address);
        EXPECT_EQ(m_table->GetTypeChoices(0, false), c.atCreation);
        EXPECT_EQ(m_table->GetTypeChoices(0, true), c.atActivation);
    }
    EXPECT_TRUE(m_table->GetTypeChoices(50, true).empty());
}

TEST_F(GlobalVarTableTest, ClearEmptiesCellsByTheirRules)
{
    TypeRow(0, "Motor", "%Q0.0", "", "belt");
    TypeRow(1, "Pump", "%Q0.1");
    m_table->ClearCells(CGlobalVarTable::COL_ADDRESS, CGlobalVarTable::COL_ADDRESS, 0, 0);
    EXPECT_EQ(Row(0).address, "");
    EXPECT_EQ(Row(0).dataType, "");
    EXPECT_NE(Row(0).errorFlags & SYMBOL_ILLEGAL_ADDRESS, 0u);
    EXPECT_EQ(Project().SymbolsUpper.count("MOTOR"), 0u);

    // A clean row keeps its data type; the comment goes.
    m_table->ClearCells(CGlobalVarTable::COL_TYPE, CGlobalVarTable::COL_COMMENT, 1, 1);
    EXPECT_EQ(Row(1).dataType, "BOOL");
    m_table->ClearCells(CGlobalVarTable::COL_SYMBOL, CGlobalVarTable::COL_SYMBOL, 1, 1);
    EXPECT_EQ(Row(1).name, "");
    EXPECT_NE(Row(1).errorFlags & SYMBOL_ILLEGAL_NAME, 0u);
    m_table->ClearCells(CGlobalVarTable::COL_TYPE, CGlobalVarTable::COL_COMMENT, 1, 1);
    EXPECT_EQ(Row(1).dataType, "");
    EXPECT_EQ(Row(1).typeFlags, OT_AREA_Q);

    // A range over every column deletes its rows.
    const int before = m_table->GetRecordCount();
    m_table->ClearCells(CGlobalVarTable::COL_SYMBOL, CGlobalVarTable::COL_COMMENT, 0, 1);
    EXPECT_EQ(m_table->GetRecordCount(), before - 2);
}

TEST_F(GlobalVarTableTest, RowInsertAndDelete)
{
    TypeRow(0, "A", "%M0.0");
    TypeRow(1, "B", "%M0.1");
    TypeRow(5, "F", "%M0.5");
    struct Case {
        const char* title;
        int index;
        int n;
        bool done;
        std::vector<std::string> names;
    };
    const Case inserts[] = {
        {"above the first", 0, 1, true, {"", "A", "B", "", "", "", "F"}},
        // Inserting above the last row puts the new row above it, not below.
        {"above the last", 6, 1, true, {"", "A", "B", "", "", "", "", "F"}},
        {"after the last", 8, 2, true, {"", "A", "B", "", "", "", "", "F", "", ""}},
        {"beyond the end", 11, 1, false, {"", "A", "B", "", "", "", "", "F", "", ""}},
        {"none", 0, 0, false, {"", "A", "B", "", "", "", "", "F", "", ""}},
    };
    for (const Case& c : inserts) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(m_table->InsertSymbolRows(c.index, c.n) != FALSE, c.done);
        EXPECT_EQ(Names(), c.names);
    }
    for (int row = 0; row < m_table->GetRecordCount(); ++row)
        EXPECT_EQ(Row(row).orderIndex, row);

    EXPECT_FALSE(m_table->DeleteSymbolRows(9, 2));
    EXPECT_FALSE(m_table->DeleteSymbolRows(-1, 1));
    EXPECT_TRUE(m_table->DeleteSymbolRows(0, 1));
    EXPECT_EQ(Names()[0], "A");
}

TEST_F(GlobalVarTableTest, DeletingEveryRowLeavesOne)
{
    m_table->DeleteSymbolRows(3, 3);
    ASSERT_EQ(m_table->GetRecordCount(), 3);
    TypeRow(0, "A", "%M0.0");
    TypeRow(1, "B", "%M0.1");
    TypeRow(2, "C", "%M0.2");
    EXPECT_TRUE(m_table->DeleteSymbolRows(0, 3));
    EXPECT_EQ(Names(), (std::vector<std::string>{"C"}));
    EXPECT_FALSE(m_table->DeleteSymbolRows(0, 1));
    EXPECT_EQ(Project().SymbolsUpper.size(), 1u);
}

TEST_F(GlobalVarTableTest, HeaderSortIsByteWiseAndKeepsEmptyKeysAtTheEnd)
{
    TypeRow(0, "beta", "%VB2");
    TypeRow(1, "Alpha", "%VB10");
    TypeRow(2, "alpha2", "%VW4", "WORD");
    TypeRow(4, "Gamma", "%Q0.0");
    struct Case {
        int column;
        bool ascending;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        // The empty name in row 3 lies inside the sorted range.
        {CGlobalVarTable::COL_SYMBOL, true, {"", "Alpha", "Gamma", "alpha2", "beta", ""}},
        {CGlobalVarTable::COL_SYMBOL, false, {"beta", "alpha2", "Gamma", "Alpha", "", ""}},
        {CGlobalVarTable::COL_ADDRESS, true, {"Gamma", "Alpha", "beta", "alpha2", "", ""}},
        {CGlobalVarTable::COL_TYPE, true, {"Gamma", "Alpha", "beta", "alpha2", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_TRUE(m_table->SortByColumn(c.column, c.ascending));
        EXPECT_EQ(Names(), c.names);
        for (int row = 0; row < m_table->GetRecordCount(); ++row)
            EXPECT_EQ(Row(row).orderIndex, row);
    }
    EXPECT_FALSE(m_table->SortByColumn(CGlobalVarTable::COL_COMMENT, true));
}

// Opening the window again lists the clean symbols by address text (byte
// order: %VB10 before %VB2); faulty and incomplete rows are not dropped but
// follow them as they stood, and only empty rows go.
TEST_F(GlobalVarTableTest, OpeningSortsCleanSymbolsAndKeepsFaultyRows)
{
    TypeRow(0, "Two", "%VB2");
    TypeRow(1, "Broken", "%L0.0", "", "keep me");
    TypeRow(3, "Ten", "%VB10");
    TypeRow(4, "NoAddress", "");
    TypeRow(5, "TWO", "%VB4");

    CGlobalVarTable reopened(Project());
    reopened.RebuildSortedByAddress();
    EXPECT_EQ(Names(), (std::vector<std::string>{"Ten", "Two", "Broken", "NoAddress", "TWO"}));
    EXPECT_EQ(Project().OrderedSymbols[2]->comment, "keep me");
    EXPECT_NE(Project().OrderedSymbols[4]->errorFlags & SYMBOL_DUPLICATE_NAME, 0u);
    EXPECT_TRUE(m_ui.box.Messages().empty());

    // The global-variable file sees the clean symbols only.
    const std::string file = FormatGlobalVarFile(Project());
    EXPECT_NE(file.find("Ten"), std::string::npos);
    EXPECT_EQ(file.find("Broken"), std::string::npos);
    EXPECT_EQ(file.find("NoAddress"), std::string::npos);
    EXPECT_EQ(file.find("TWO "), std::string::npos);
}

TEST_F(GlobalVarTableTest, OpeningKeepsAndReportsMoreSymbolsThanTheFileTakes)
{
    // As a project file with that many symbols loads them.
    Project().ClearProject();
    const int count = CGlobalVarTable::MAX_SYMBOLS + 2;
    for (int i = 0; i < count; ++i) {
        auto* symbol = new CZULSymbol;
        symbol->name = ByteString::Format("Sym%d", i);
        symbol->address = ByteString::Format("%%VB%d", i);
        symbol->dataType = "BYTE";
        Project().AddSymbol(symbol);
    }
    CGlobalVarTable reopened(Project());
    reopened.RebuildSortedByAddress();
    EXPECT_EQ(reopened.GetRecordCount(), count);
    EXPECT_EQ(Project().SymbolsUpper.size(), size_t(count));
    const auto messages = m_ui.box.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Note");
    EXPECT_NE(messages[0].text.find("2050"), std::string::npos);
}

TEST_F(GlobalVarTableTest, CpuChangeRevalidatesAddresses)
{
    TypeRow(0, "High", "%VW4094");
    TypeRow(1, "Low", "%VW10");
    ASSERT_EQ(Row(0).errorFlags, 0u);
    UseFamily(VB12);
    RecheckGlobalVariables(Project());
    EXPECT_NE(Row(0).errorFlags & SYMBOL_ILLEGAL_ADDRESS, 0u);
    EXPECT_EQ(Row(1).errorFlags, 0u);
    EXPECT_EQ(Project().SymbolsUpper.count("HIGH"), 0u);
    EXPECT_EQ(Project().SymbolsUpper.count("LOW"), 1u);
}

} // namespace
