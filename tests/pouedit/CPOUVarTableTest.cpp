#include "pouedit/CPOUVarTable.h"

#include "model/CZULAppData.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "model/CpuProfile.h"
#include "platform/FileSystem.h"
#include "platform/IMessageBox.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Col = CPOUVarTable::Column;

// A VA10-sized L area (4 BOOL bytes, 12 data bytes), empty occupancy maps
// and a subroutine's table of four empty rows.
class VarTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_savedBits = LocalBitBytes;
        m_savedData = LocalDataBytes;
        LocalBitBytes = 4;
        LocalDataBytes = 12;
        m_table = std::make_unique<CPOUVarTable>(m_bits, m_bytes, true);
        m_table->EnsureRowCount(4);
    }
    void TearDown() override
    {
        m_table.reset();
        LocalBitBytes = m_savedBits;
        LocalDataBytes = m_savedData;
        g_pAppData = nullptr;
    }

    // Types a declaration into a row, cell by cell as the user does.
    void Declare(int row, const std::string& symbol, const std::string& klass, const std::string& type)
    {
        m_table->OnCellEdited(Col::COL_CLASS, row, klass);
        m_table->OnCellEdited(Col::COL_TYPE, row, type);
        m_table->OnCellEdited(Col::COL_SYMBOL, row, symbol);
    }
    std::string Address(int row) const { return m_table->GetEntry(row)->Address; }
    BYTE Mark(int column, int row) const
    {
        std::string text;
        BYTE mark = 0;
        EXPECT_TRUE(m_table->GetCellText(column, row, text, mark));
        return mark;
    }

    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app;
    std::vector<BYTE> m_bits;
    std::vector<BYTE> m_bytes;
    std::unique_ptr<CPOUVarTable> m_table;
    TempFolder m_folder;
    int m_savedBits = 0;
    int m_savedData = 0;
};

TEST_F(VarTableTest, NewRowsOfASubroutineTakeTheParameterClassesInTurn)
{
    const char* expected[] = {"VAR_INPUT", "VAR_IN_OUT", "VAR_OUTPUT", "VAR"};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(m_table->GetEntry(row)->ClassName, expected[row]);
        EXPECT_EQ(m_table->GetEntry(row)->DataType, "BOOL");
    }
    m_table->EnsureRowCount(40);
    EXPECT_EQ(m_table->GetRowCount(), CPOUVarTable::MAX_ROWS);
    EXPECT_EQ(m_table->GetEntry(31)->ClassName, "VAR");

    CPOUVarTable main(m_bits, m_bytes, false);
    main.EnsureRowCount(2);
    EXPECT_EQ(main.GetEntry(0)->ClassName, "VAR");
    EXPECT_EQ(main.GetColumnChoices(Col::COL_CLASS), std::vector<std::string>{"VAR"});
}

// Declarations typed in order get first-fit addresses; a DWORD skips the
// pair that a BYTE has broken.
TEST_F(VarTableTest, TypedDeclarationsGetFirstFitAddresses)
{
    m_table->EnsureRowCount(6);
    struct Case {
        const char* symbol;
        const char* type;
        const char* address;
    };
    const Case cases[] = {
        {"B0", "BOOL", "%L0.0"}, {"W0", "WORD", "%LW4"}, {"Y0", "BYTE", "%LB6"},
        {"D0", "DWORD", "%LD8"}, {"W1", "INT", "%LW12"}, {"B1", "BOOL", "%L0.1"},
    };
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(cases[row].symbol);
        Declare(row, cases[row].symbol, "VAR", cases[row].type);
        EXPECT_EQ(Address(row), cases[row].address);
        EXPECT_EQ(Mark(Col::COL_SYMBOL, row), CPOUVarTable::MARK_PLAIN);
        ASSERT_EQ(m_table->GetUpperSymbolMap().count(cases[row].symbol), 1u);
        EXPECT_EQ(m_table->GetAddressMap().count(cases[row].address), 1u);
    }
    // The L-area bit is part of a complete row's mask.
    EXPECT_EQ(m_table->GetEntry(1)->DataTypeMask, OT_WORD | OT_AREA_L);
}

// Whatever cell of a valid row is edited, the comment and the name
// included, its variable moves to the first free address that fits.
TEST_F(VarTableTest, EveryEditOfAValidRowMovesItToTheFirstFreeAddress)
{
    struct Case {
        const char* name;
        int column;
        const char* text;
        const char* address;
    };
    const Case cases[] = {
        {"comment", Col::COL_COMMENT, "speed", "%LB4"},
        {"rename", Col::COL_SYMBOL, "C", "%LB4"},
        {"same class again", Col::COL_CLASS, "VAR_INPUT", "%LB4"},
        {"other class", Col::COL_CLASS, "VAR", "%LB4"},
        {"data type", Col::COL_TYPE, "BOOL", "%L0.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_bits.clear();
        m_bytes.clear();
        m_table = std::make_unique<CPOUVarTable>(m_bits, m_bytes, true);
        m_table->EnsureRowCount(4);
        Declare(0, "A", "VAR_INPUT", "BYTE");
        Declare(1, "B", "VAR_INPUT", "BYTE");
        ASSERT_EQ(Address(1), "%LB5");
        // A grows to a WORD and leaves %LB4 free below B.
        m_table->OnCellEdited(Col::COL_TYPE, 0, "WORD");
        ASSERT_EQ(Address(0), "%LW6");

        m_table->OnCellEdited(c.column, 1, c.text);
        EXPECT_EQ(Address(1), c.address);
        EXPECT_EQ(m_table->GetAddressMap().count("%LB5"), 0u);
        ASSERT_EQ(m_table->GetAddressMap().count(c.address), 1u);
        EXPECT_EQ(m_table->GetAddressMap().at(c.address), m_table->GetEntry(1));
        EXPECT_EQ(m_table->GetSymbolMap().count(m_table->GetEntry(1)->Symbol), 1u);
    }
    EXPECT_EQ(m_table->GetSymbolMap().count("B"), 1u);
}

TEST_F(VarTableTest, DuplicateNamesInvalidateBothRowsUntilOneIsRenamed)
{
    Declare(0, "Speed", "VAR", "WORD");
    Declare(1, "SPEED", "VAR", "WORD");
    for (int row : {0, 1}) {
        EXPECT_TRUE(Address(row).empty());
        EXPECT_EQ(Mark(Col::COL_SYMBOL, row), CPOUVarTable::MARK_ERROR);
        EXPECT_EQ(Mark(Col::COL_TYPE, row), CPOUVarTable::MARK_ERROR);
    }
    EXPECT_TRUE(m_table->GetUpperSymbolMap().empty());
    ASSERT_NE(m_table->FindDuplicateSet("speed"), nullptr);
    EXPECT_EQ(m_table->FindDuplicateSet("speed")->GetCount(), 2);
    EXPECT_EQ(m_bytes[0], 0);

    // A third row joins the set; renaming two of them revives the last.
    Declare(2, "speed", "VAR", "BYTE");
    m_table->OnCellEdited(Col::COL_SYMBOL, 0, "Level");
    EXPECT_EQ(Address(0), "%LW4");
    EXPECT_TRUE(Address(1).empty());
    m_table->OnCellEdited(Col::COL_SYMBOL, 2, "Count");
    EXPECT_EQ(m_table->FindDuplicateSet("SPEED"), nullptr);
    EXPECT_EQ(Address(1), "%LW6");
    EXPECT_EQ(Address(2), "%LB8");
    EXPECT_EQ(Mark(Col::COL_SYMBOL, 1), CPOUVarTable::MARK_PLAIN);
}

TEST_F(VarTableTest, IllegalNamesAreRefusedAndMarked)
{
    const char* names[] = {"1ABC", "%VB10", "LD", "A B"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        Declare(0, name, "VAR", "BOOL");
        EXPECT_TRUE(Address(0).empty());
        EXPECT_EQ(Mark(Col::COL_SYMBOL, 0), CPOUVarTable::MARK_ERROR);
        EXPECT_TRUE(m_table->GetSymbolMap().empty());
    }
    EXPECT_EQ(m_bits[0], 0);
}

TEST_F(VarTableTest, EditsAreRefusedWhileMonitoring)
{
    m_app->Monitoring = 1;
    EXPECT_FALSE(m_table->OnCellEdited(Col::COL_SYMBOL, 0, "X"));
    EXPECT_FALSE(m_table->InsertRows(0, 1, true));
    EXPECT_FALSE(m_table->DeleteRows(0, 1));
    EXPECT_FALSE(m_table->ClearCells(1, 0, 1, 0));
    EXPECT_TRUE(m_table->GetEntry(0)->Symbol.empty());
    EXPECT_EQ(m_table->GetRowCount(), 4);
}

TEST_F(VarTableTest, ClearEmptiesNamesOrDeletesWholeRows)
{
    Declare(0, "A", "VAR", "BOOL");
    Declare(1, "B", "VAR", "BOOL");
    m_table->OnCellEdited(Col::COL_COMMENT, 1, "note");
    ASSERT_TRUE(m_table->ClearCells(Col::COL_SYMBOL, 0, Col::COL_COMMENT, 1));
    EXPECT_EQ(m_table->GetRowCount(), 4);
    EXPECT_TRUE(m_table->GetEntry(0)->Symbol.empty());
    EXPECT_TRUE(m_table->GetEntry(1)->Comment.empty());
    EXPECT_TRUE(m_table->GetSymbolMap().empty());
    EXPECT_EQ(m_bits[0] + m_bits[1], 0);

    Declare(2, "C", "VAR", "BOOL");
    ASSERT_TRUE(m_table->ClearCells(Col::COL_ADDRESS, 0, Col::COL_COMMENT, 1));
    EXPECT_EQ(m_table->GetRowCount(), 2);
    EXPECT_EQ(m_table->GetEntry(0)->Symbol, "C");
    EXPECT_EQ(m_table->GetEntry(0)->Row, 0);
    // Deleting every row keeps one.
    EXPECT_TRUE(m_table->DeleteRows(0, 2));
    EXPECT_EQ(m_table->GetRowCount(), 1);
    EXPECT_FALSE(m_table->DeleteRows(0, 1));
}

TEST_F(VarTableTest, InsertAndDeleteRenumberRowsAndDuplicateSets)
{
    Declare(1, "X", "VAR", "BOOL");
    Declare(3, "X", "VAR", "BOOL");
    ASSERT_TRUE(m_table->InsertRows(1, 2, false));
    EXPECT_EQ(m_table->GetRowCount(), 6);
    EXPECT_EQ(m_table->GetEntry(1)->ClassName, "VAR");
    EXPECT_EQ(m_table->GetEntry(1)->DataType, "BOOL");
    EXPECT_TRUE(m_table->FindDuplicateSet("X")->Contains(3));
    EXPECT_TRUE(m_table->FindDuplicateSet("X")->Contains(5));
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(m_table->GetEntry(row)->Row, row);

    // Deleting one of the pair gives the name back to the other, renumbered.
    ASSERT_TRUE(m_table->DeleteRows(3, 1));
    EXPECT_EQ(m_table->FindDuplicateSet("X"), nullptr);
    EXPECT_EQ(m_table->GetEntry(4)->Symbol, "X");
    EXPECT_EQ(m_table->GetEntry(4)->Row, 4);
    EXPECT_EQ(Address(4), "%L0.0");
    EXPECT_EQ(m_table->GetUpperSymbolMap().at("X"), m_table->GetEntry(4));

    m_table->EnsureRowCount(CPOUVarTable::MAX_ROWS);
    EXPECT_FALSE(m_table->InsertRows(0, 1, true));
}

const char* const SUBROUTINE_FILE = "VAR_INPUT\r\n"
                                    "    IN1  AT  %L0.0 : BOOL ; (* start *) \r\n"
                                    "    CNT  AT  %LW4 : INT ; (*  *) \r\n"
                                    "END_VAR\r\n"
                                    "VAR_IN_OUT\r\n"
                                    "    IO  AT  %LB6 : BYTE ; (*  *) \r\n"
                                    "END_VAR\r\n"
                                    "VAR_OUTPUT\r\n"
                                    "    OUT  AT  %LD8 : REAL ; (* result *) \r\n"
                                    "END_VAR\r\n"
                                    "VAR\r\n"
                                    "    T  AT  %L0.1 : BOOL ; (*  *) \r\n"
                                    "END_VAR\r\n";

TEST_F(VarTableTest, ReadingAndWritingAFileKeepsItsBytes)
{
    const std::string path = (m_folder / "SBR01_MOTOR.ilv");
    WriteFileText(path, SUBROUTINE_FILE);
    ASSERT_TRUE(m_table->ReadDocumentVarFile(path));
    EXPECT_EQ(m_table->GetRowCount(), 5);
    // Reading marks no cells.
    EXPECT_EQ(m_bits[0], 0);
    EXPECT_EQ(m_table->GetEntry(3)->ClassFlags, OT_VAR_OUTPUT);

    const std::string copy = (m_folder / "copy.ilv");
    ASSERT_TRUE(m_table->WriteVarFile(copy));
    EXPECT_EQ(ReadFileText(copy), SUBROUTINE_FILE);
    // Writing reserves every saved address.
    EXPECT_EQ(m_bits[0], 1);
    EXPECT_EQ(m_bits[1], 1);
    for (int cell : {0, 1, 2, 4, 5, 6, 7})
        EXPECT_EQ(m_bytes[size_t(cell)], 1) << cell;
    EXPECT_EQ(m_bytes[3], 0);
}

TEST_F(VarTableTest, LooseFilesAreReadAndWrittenInSectionOrder)
{
    const std::string path = (m_folder / "MAIN.ilv");
    WriteFileText(path, "  LOOSE AT %LB4:BYTE;\n"
                        "VAR\n"
                        "START AT %L0.0 : BOOL ; (* go *)\n"
                        "garbage line\n"
                        "ODD AT %LB5 : STRING ;\n"
                        "END_VAR\n"
                        "VAR_INPUT\n"
                        "END_VAR\n");
    ASSERT_TRUE(m_table->ReadVarFile(path, false));
    ASSERT_EQ(m_table->GetRowCount(), 3);
    EXPECT_EQ(m_table->GetEntry(0)->ClassName, "");
    EXPECT_EQ(m_table->GetEntry(1)->Symbol, "START");
    EXPECT_EQ(m_table->GetEntry(1)->Comment, "go");
    // An unknown type stays as an incomplete row, neither saved nor registered.
    EXPECT_EQ(m_table->GetEntry(2)->Symbol, "ODD");
    EXPECT_EQ(m_table->GetSymbolMap().count("ODD"), 0u);

    ASSERT_TRUE(m_table->WriteVarFile(path));
    EXPECT_EQ(ReadFileText(path), "VAR\r\n"
                                  "    LOOSE  AT  %LB4 : BYTE ; (*  *) \r\n"
                                  "    START  AT  %L0.0 : BOOL ; (* go *) \r\n"
                                  "END_VAR\r\n");

    std::vector<std::string> lines {"kept"};
    CPOUVarTable empty(m_bits, m_bytes, false);
    empty.GetDeclarationLines(lines);
    EXPECT_EQ(lines, std::vector<std::string>{"kept"});
    m_table->GetDeclarationLines(lines);
    const std::vector<std::string> expected {"",
                                             "(* Local Variable Definition *)",
                                             "",
                                             "VAR",
                                             "    LOOSE  AT  %LB4 : BYTE ; (*  *)",
                                             "    START  AT  %L0.0 : BOOL ; (* go *)",
                                             "END_VAR",
                                             ""};
    EXPECT_EQ(lines, expected);
}

TEST_F(VarTableTest, AReallocationRequestAssignsFreshAddressesOnce)
{
    const std::string path = (m_folder / "SBR01_MOTOR.ilv");
    WriteFileText(path, SUBROUTINE_FILE);
    m_app->LocalVarMapOption = 1;
    ASSERT_TRUE(m_table->ReadDocumentVarFile(path));
    EXPECT_EQ(m_app->LocalVarMapOption, 0);
    const char* expected[] = {"%L0.0", "%LW4", "%LB6", "%LD8", "%L0.1"};
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(Address(row), expected[row]);
    EXPECT_EQ(m_bits[1], 1);

    // The next POU's table continues in the same maps.
    WriteFileText(path, "VAR\r\n    Z  AT  %L0.0 : BOOL ; (*  *) \r\nEND_VAR\r\n");
    m_app->LocalVarMapOption = 1;
    CPOUVarTable other(m_bits, m_bytes, false);
    ASSERT_TRUE(other.ReadDocumentVarFile(path));
    EXPECT_EQ(other.GetEntry(0)->Address, "%L0.2");
    ASSERT_TRUE(other.WriteVarFile(path));
    EXPECT_EQ(ReadFileText(path), "VAR\r\n    Z  AT  %L0.2 : BOOL ; (*  *) \r\nEND_VAR\r\n");
}

TEST_F(VarTableTest, APIDGenerationWritesTheWizardsFileBeforeItIsRead)
{
    m_app->PIDVarFilePath = m_folder / "SBR90_PID_0.ilv";
    m_app->CurrentPIDLoop = 0;
    m_app->PIDGenerateMode = 2;
    ASSERT_TRUE(m_table->ReadDocumentVarFile(""));
    EXPECT_EQ(m_app->PIDGenerateMode, 0);
    ASSERT_GT(m_table->GetRowCount(), 0);
    EXPECT_EQ(m_table->GetEntry(0)->Symbol, "P0_PV");
    EXPECT_EQ(m_table->GetEntry(0)->ClassName, "VAR_INPUT");
    EXPECT_EQ(m_table->GetUpperSymbolMap().count("P0_PV"), 1u);
}

TEST_F(VarTableTest, AFailedSaveReportsAndLeavesWhatIsThereWhole)
{
    Declare(0, "A", "VAR", "BOOL");
    // A folder in the file's place cannot be replaced; nothing in it is touched.
    const std::string path = m_folder / "MAIN.ilv";
    ASSERT_TRUE(FileSystem::CreateFolder(path));
    WriteFileText(path + "/inside", SUBROUTINE_FILE);
    EXPECT_FALSE(m_table->WriteVarFile(path));
    EXPECT_EQ(ReadFileText(path + "/inside"), SUBROUTINE_FILE);
    EXPECT_EQ(FileSystem::ListFolder(m_folder.Path()).size(), 1u);
    EXPECT_FALSE(m_table->WriteVarFile(m_folder / "missing/MAIN.ilv"));

    const auto messages = m_ui.box.Messages();
    ASSERT_EQ(messages.size(), 2u);
    for (const RecordedMessage& message : messages) {
        EXPECT_EQ(message.caption, "System Error");
        EXPECT_EQ(message.text, "Unable to create the local variable file.");
        EXPECT_EQ(message.type, UINT(MB_OK | MB_ICONSTOP));
    }
}

TEST_F(VarTableTest, CallInterfaceTakesTheCompleteParametersWithTheirAreas)
{
    auto* function = new CZULFunc;
    function->SetName("MOTOR");
    function->SetNumber(1);
    m_app->Project.POUs.AddSubroutineInterface(function);
    const std::string path = (m_folder / "SBR01_MOTOR.ilv");
    WriteFileText(path, SUBROUTINE_FILE);
    ASSERT_TRUE(m_table->ReadVarFile(path, false));
    ASSERT_TRUE(m_table->RebuildCallInterface((m_folder / "SBR01_MOTOR.ilp"), m_app->Project));

    struct Pin {
        const char* name;
        DWORD flags;
    };
    const Pin inputs[] = {
        {"EN", 0x2001},
        {"IN1", OT_BOOL | OT_AREA_L | OT_VAR_INPUT | 0x61FE1000},
        {"CNT", OT_INT | OT_AREA_L | OT_VAR_INPUT | 0x19FE1000},
        {"IO", OT_BYTE | OT_AREA_L | OT_VAR_IN_OUT | 0x18C0000},
    };
    const Pin outputs[] = {
        {"ENO", 0x4001},
        {"OUT", OT_REAL | OT_AREA_L | OT_VAR_OUTPUT | 0x1800000},
    };
    ASSERT_EQ(function->GetInputCount(), 4);
    ASSERT_EQ(function->GetOutputCount(), 2);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(function->inputs.GetAt(i)->name, inputs[i].name);
        EXPECT_EQ(function->inputs.GetAt(i)->flags, inputs[i].flags) << inputs[i].name;
    }
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(function->outputs.GetAt(i)->name, outputs[i].name);
        EXPECT_EQ(function->outputs.GetAt(i)->flags, outputs[i].flags) << outputs[i].name;
    }
    EXPECT_FALSE(m_table->RebuildCallInterface((m_folder / "SBR02_OTHER.ilp"), m_app->Project));
}

TEST_F(VarTableTest, RefusedPastesAreReportedAsNotes)
{
    struct Case {
        int code;
        const char* text;
    };
    const Case cases[] = {
        {1, "Unable to paste because the shape of source is different from the destination"},
        {2, "Unable to retrieve the data from the clipboard."},
        {3, "Unable to paste because the data format in the clipboard is not porper."},
        {4, "Unable to paste because the starting column of source is different from destination."},
        {5, "Unable to paste because the type of source table is different from the destination."},
    };
    EXPECT_TRUE(CPOUVarTable::ReportPasteResult(0));
    for (const Case& c : cases)
        EXPECT_FALSE(CPOUVarTable::ReportPasteResult(c.code));
    const auto messages = m_ui.box.Messages();
    ASSERT_EQ(messages.size(), std::size(cases));
    for (size_t i = 0; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].caption, "Note");
        EXPECT_EQ(messages[i].text, cases[i].text);
        EXPECT_EQ(messages[i].type, UINT(MB_OK | MB_ICONINFORMATION));
    }
}

TEST_F(VarTableTest, EnterWalksTheRowsAndAppendsUpToTheLimit)
{
    int column = 0, row = 0;
    ASSERT_TRUE(m_table->GetEnterTarget(Col::COL_TYPE, 1, column, row));
    EXPECT_EQ(column, Col::COL_COMMENT);
    EXPECT_EQ(row, 1);
    ASSERT_TRUE(m_table->GetEnterTarget(Col::COL_COMMENT, 1, column, row));
    EXPECT_EQ(column, Col::COL_SYMBOL);
    EXPECT_EQ(row, 2);
    ASSERT_TRUE(m_table->GetEnterTarget(Col::COL_COMMENT, 3, column, row));
    EXPECT_EQ(row, 4);
    EXPECT_EQ(m_table->GetRowCount(), 5);
    EXPECT_EQ(m_table->GetEntry(4)->ClassName, "VAR");

    m_table->EnsureRowCount(CPOUVarTable::MAX_ROWS);
    EXPECT_FALSE(m_table->GetEnterTarget(Col::COL_COMMENT, CPOUVarTable::MAX_ROWS - 1, column, row));
    EXPECT_FALSE(m_table->CanInsertRow(1, 1));
    EXPECT_TRUE(m_table->CanDeleteRow(2, 2));
    EXPECT_FALSE(m_table->CanDeleteRow(1, 2));
    EXPECT_FALSE(CPOUVarTable::CanClear(Col::COL_TYPE));
    EXPECT_TRUE(CPOUVarTable::CanClear(Col::COL_SYMBOL));
    EXPECT_EQ(CPOUVarTable::GetCopyStartColumn(Col::COL_ADDRESS), Col::COL_SYMBOL);
}

TEST_F(VarTableTest, AFileOfMoreThanTheTablesRowsLosesNone)
{
    std::string text = "VAR\r\n";
    for (int i = 0; i < 40; ++i)
        text += "    V" + std::to_string(i) + "  AT  %L" + std::to_string(i / 8) + "." + std::to_string(i % 8)
                + " : BOOL ; (*  *) \r\n";
    text += "END_VAR\r\n";
    const std::string path = m_folder / "MAIN.ilv";
    WriteFileText(path, text);
    ASSERT_TRUE(m_table->ReadVarFile(path, false));
    EXPECT_EQ(m_table->GetRowCount(), 40);
    ASSERT_TRUE(m_table->WriteVarFile(path));
    EXPECT_EQ(ReadFileText(path), text);
}

} // namespace
