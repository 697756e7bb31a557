// The POU window with its real local-variable pane: declarations typed into
// the grid reach the variable table, the project's occupancy maps, the
// document's symbol look-ups and the ".ilv" file.

#include "POUWindowFixture.h"

#include "platform/ui/WinMessages.h"
#include "support/FileBytes.h"
#include "support/FullFileSystem.h"
#include "support/ReadOnlyFolder.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <QPixmap>

namespace {

using Col = CPOUVarTable::Column;

const std::string IL_FILE = "(*1*)\r\n"
                            "(* Network 0 *)\r\n"
                            "LD      %I0.0\r\n"
                            "ST      %Q0.0\r\n"
                            "\r\n";

class POUVarPaneTest : public POUWindowFixture {
protected:
    void SetUp() override
    {
        POUWindowFixture::SetUp();
        m_varPaneClass = RUNTIME_CLASS(CPOUVarView);
        m_path = m_folder / "SBR01_MOTOR.ilp";
        WriteFileText(m_path, IL_FILE);
        ASSERT_TRUE(OpenWindow(m_path, POU_LANGUAGE_IL, NODE_SUBROUTINE));
        ASSERT_NE(m_varTableView, nullptr);
    }

    // Stores a cell's text as the grid's editor does when it closes.
    void Type(int column, int row, const std::string& text)
    {
        m_varTableView->GetGridCtrl().GetHost().OnSaveCellData(column, row, text);
    }
    void Declare(int row, const std::string& symbol, const std::string& klass, const std::string& type)
    {
        Type(Col::COL_CLASS, row, klass);
        Type(Col::COL_TYPE, row, type);
        Type(Col::COL_SYMBOL, row, symbol);
    }
    // The text and mark the grid shows in a cell.
    std::pair<std::string, BYTE> Cell(int column, int row)
    {
        std::string text;
        BYTE mark = 0;
        m_varTableView->GetGridCtrl().GetHost().GetCellText(column, row, text, mark);
        return {text, mark};
    }

    CScopedUi m_ui;
    std::string m_path;
};

TEST_F(POUVarPaneTest, TypedDeclarationsGetFirstFitAddressesAndAreSavedToTheVariableFile)
{
    struct Case {
        const char* symbol;
        const char* klass;
        const char* type;
        const char* address;
    };
    const Case cases[] = {
        {"START", "VAR_INPUT", "BOOL", "%L0.0"},
        {"COUNT", "VAR_IN_OUT", "INT", "%LW16"},
        {"DONE", "VAR_OUTPUT", "BOOL", "%L0.1"},
        {"TMP", "VAR", "BYTE", "%LB18"},
    };
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(cases[row].symbol);
        Declare(row, cases[row].symbol, cases[row].klass, cases[row].type);
        EXPECT_EQ(Cell(Col::COL_ADDRESS, row).first, cases[row].address);
        EXPECT_EQ(Cell(Col::COL_SYMBOL, row).second, GRID_MARK_PLAIN);
        std::string address;
        EXPECT_TRUE(m_doc->FindLocalAddress(cases[row].symbol, address));
        EXPECT_EQ(address, cases[row].address);
    }
    EXPECT_TRUE(m_doc->IsModified());

    // The code view's look-up reaches the table, whatever the case of the name.
    OperandTypeFlags flags = 0;
    ASSERT_TRUE(m_doc->LookupLocalSymbolType("count", flags));
    EXPECT_TRUE(flags & OT_INT);
    EXPECT_FALSE(m_doc->LookupLocalSymbolType("NOTHERE", flags));

    std::vector<std::string> lines{"kept"};
    m_doc->GetLocalVarDeclLines(lines);
    EXPECT_NE(lines, std::vector<std::string>{"kept"});

    ASSERT_TRUE(m_doc->OnSaveDocument(m_path));
    EXPECT_EQ(ReadFileText(m_folder / "SBR01_MOTOR.ilv"), "VAR_INPUT\r\n"
                                                          "    START  AT  %L0.0 : BOOL ; (*  *) \r\n"
                                                          "END_VAR\r\n"
                                                          "VAR_IN_OUT\r\n"
                                                          "    COUNT  AT  %LW16 : INT ; (*  *) \r\n"
                                                          "END_VAR\r\n"
                                                          "VAR_OUTPUT\r\n"
                                                          "    DONE  AT  %L0.1 : BOOL ; (*  *) \r\n"
                                                          "END_VAR\r\n"
                                                          "VAR\r\n"
                                                          "    TMP  AT  %LB18 : BYTE ; (*  *) \r\n"
                                                          "END_VAR\r\n");

    // A second window on the saved files shows the same rows.
    CloseWindow();
    ASSERT_TRUE(OpenWindow(m_path, POU_LANGUAGE_IL, NODE_SUBROUTINE));
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(Cell(Col::COL_SYMBOL, row).first, cases[row].symbol);
        EXPECT_EQ(Cell(Col::COL_ADDRESS, row).first, cases[row].address);
    }

    const QImage picture = m_frame->grab().toImage();
    EXPECT_FALSE(picture.isNull());
    picture.save(QString::fromStdString(m_folder / "pou_window.png"));
    if (const char* keep = std::getenv("ORVEL_KEEP_SCREENSHOT"))
        picture.save(keep);
}

TEST_F(POUVarPaneTest, DuplicateNamesAreMarkedUntilOneIsRenamed)
{
    Declare(0, "SPEED", "VAR", "INT");
    Declare(1, "speed", "VAR", "INT");
    for (int row = 0; row < 2; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(Cell(Col::COL_SYMBOL, row).second, GRID_MARK_ERROR);
    }
    OperandTypeFlags flags = 0;
    EXPECT_FALSE(m_doc->LookupLocalSymbolType("SPEED", flags));

    Type(Col::COL_SYMBOL, 1, "RATE");
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 0).second, GRID_MARK_PLAIN);
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 1).second, GRID_MARK_PLAIN);
    EXPECT_TRUE(m_doc->LookupLocalSymbolType("SPEED", flags));
    EXPECT_TRUE(m_doc->LookupLocalSymbolType("RATE", flags));
    EXPECT_NE(Cell(Col::COL_ADDRESS, 0).first, Cell(Col::COL_ADDRESS, 1).first);
}

TEST_F(POUVarPaneTest, EnterMovesOnAndAppendsARowAtTheLastCell)
{
    CCPGridCtrl& grid = m_varTableView->GetGridCtrl();
    const int rows = grid.GetGridRowCount();
    ASSERT_TRUE(grid.SetActiveCell(Col::COL_SYMBOL, 0));
    m_varTableView->OnKeyDown(VK_RETURN, 1, 0);
    EXPECT_EQ(grid.GetCore().GetActiveCol(), Col::COL_CLASS);
    EXPECT_EQ(grid.GetCore().GetActiveRow(), 0);

    ASSERT_TRUE(grid.SetActiveCell(Col::COL_COMMENT, rows - 1));
    m_varTableView->OnKeyDown(VK_RETURN, 1, 0);
    EXPECT_EQ(grid.GetGridRowCount(), rows + 1);
    EXPECT_EQ(grid.GetCore().GetActiveCol(), Col::COL_SYMBOL);
    EXPECT_EQ(grid.GetCore().GetActiveRow(), rows);
}

TEST_F(POUVarPaneTest, RowCommandsAndPasteRunThroughTheContextMenuCommands)
{
    CCPGridCtrl& grid = m_varTableView->GetGridCtrl();
    Declare(0, "START", "VAR_INPUT", "BOOL");
    const int rows = grid.GetGridRowCount();

    m_varTableView->SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(m_varTableView), MAKELPARAM(5, 6));
    ASSERT_FALSE(m_workbench.calls.empty());
    EXPECT_EQ(m_workbench.calls.back(), "ShowContextMenu:102@5,6");

    ASSERT_TRUE(grid.SetSelectRange(Col::COL_SYMBOL, Col::COL_SYMBOL, 0, 0));
    EXPECT_TRUE(m_varTableView->OnCmdMsg(ID_TABLE_INSERT_ROW_ABOVE, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(grid.GetGridRowCount(), rows + 1);
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 1).first, "START");

    // The declaration copied into another row clashes with the original.
    ASSERT_TRUE(grid.SetSelectRange(Col::COL_SYMBOL, Col::COL_COMMENT, 1, 1));
    EXPECT_TRUE(m_varTableView->OnCmdMsg(ID_EDIT_COPY, CN_COMMAND, nullptr, nullptr));
    ASSERT_TRUE(grid.SetSelectRange(Col::COL_SYMBOL, Col::COL_COMMENT, 3, 3));
    EXPECT_TRUE(m_varTableView->OnCmdMsg(ID_EDIT_PASTE, CN_COMMAND, nullptr, nullptr));
    EXPECT_TRUE(m_ui.box.Texts().empty());
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 3).first, "START");
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 1).second, GRID_MARK_ERROR);
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 3).second, GRID_MARK_ERROR);

    // A paste starting in another column is refused with its message.
    ASSERT_TRUE(grid.SetSelectRange(Col::COL_CLASS, Col::COL_CLASS, 2, 2));
    m_varTableView->OnCmdMsg(ID_EDIT_PASTE, CN_COMMAND, nullptr, nullptr);
    ASSERT_EQ(m_ui.box.Texts().size(), 1u);
    EXPECT_EQ(m_ui.box.Texts()[0], CPOUVarTable::GetPasteMessage(GRID_PASTE_START_COLUMN_DIFFERS));

    // Deleting the copy revives the original.
    ASSERT_TRUE(grid.SetSelectRange(Col::COL_SYMBOL, Col::COL_SYMBOL, 3, 3));
    EXPECT_TRUE(m_varTableView->OnCmdMsg(ID_TABLE_DELETE_ROW, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(grid.GetGridRowCount(), rows);
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 1).second, GRID_MARK_PLAIN);
}

TEST_F(POUVarPaneTest, AVariableFileThatCannotBeWrittenFailsTheSaveAndKeepsTheOldFile)
{
    enum class Fault { ReadOnlyFolder, FullFileSystem };
    const Fault faults[] = {Fault::ReadOnlyFolder, Fault::FullFileSystem};
    const std::string varPath = m_folder / "SBR01_MOTOR.ilv";
    Declare(0, "START", "VAR_INPUT", "BOOL");
    ASSERT_TRUE(m_doc->OnSaveDocument(m_path));
    const std::string savedVars = ReadFileText(varPath);
    const std::string savedProgram = ReadFileText(m_path);

    for (const Fault fault : faults) {
        SCOPED_TRACE(fault == Fault::ReadOnlyFolder ? "read-only folder" : "full file system");
        Declare(1, "SPEED", "VAR_INPUT", "BOOL");
        ASSERT_TRUE(m_doc->IsModified());
        m_ui.box.Clear();
        BOOL saved = TRUE;
        if (fault == Fault::ReadOnlyFolder) {
            ReadOnlyFolder readOnly(m_folder.Path());
            saved = m_doc->OnSaveDocument(m_path);
        } else {
            FullFileSystem full;
            saved = m_doc->OnSaveDocument(m_path);
        }
        EXPECT_FALSE(saved);
        ASSERT_EQ(m_ui.box.Messages().size(), 1u);
        EXPECT_EQ(m_ui.box.Messages()[0].caption, "System Error");
        EXPECT_EQ(m_ui.box.Messages()[0].text, "Unable to create the local variable file.");
        EXPECT_TRUE(m_doc->IsModified()) << "the local variables are still to be saved";
        EXPECT_EQ(ReadFileText(varPath), savedVars);
        EXPECT_EQ(ReadFileText(m_path), savedProgram);
        EXPECT_EQ(Cell(Col::COL_SYMBOL, 1).first, "SPEED");
        Type(Col::COL_SYMBOL, 1, "");
    }

    // Once the disk takes the file again the save goes through.
    Declare(1, "SPEED", "VAR_INPUT", "BOOL");
    ASSERT_TRUE(m_doc->OnSaveDocument(m_path));
    EXPECT_FALSE(m_doc->IsModified());
    EXPECT_NE(ReadFileText(varPath).find("SPEED"), std::string::npos);
}

TEST_F(POUVarPaneTest, NothingChangesWhileMonitoring)
{
    m_app->Monitoring = 1;
    Declare(0, "START", "VAR_INPUT", "BOOL");
    m_app->Monitoring = 0;
    EXPECT_EQ(Cell(Col::COL_SYMBOL, 0).first, "");
    EXPECT_FALSE(m_doc->IsModified());
}

} // namespace
