#include "HardwareGridFixture.h"

namespace {

using Texts = std::vector<std::string>;

class ModuleGridTest : public HardwareGridFixture {};

// VB16 CPU: 24 inputs in I 0..2, 16 outputs in Q 0..1. The modules take the
// first free run of their areas, two bytes per analog channel.
TEST_F(ModuleGridTest, MixedConfigurationGetsFirstFitRangesAndItsCellTexts)
{
    Build(CODE_VB16, {CODE_DI16, CODE_DO8, CODE_DIO16, CODE_AI4, CODE_AO2, CODE_AIO3, CODE_THERMO});

    struct Row {
        int slot;
        Texts texts;
    };
    const Row rows[] = {
        {0, {"VB16-40AR", "0...2", "0...1", "AC220V Power Suply, DI 24*DC24V, DO 16*Relays"}},
        {1, {"VE50-16DX", "3...4", "", "DI 16*DC24V"}},
        {2, {"VE60-08DT", "", "2...2", "DO 8*DC24V"}},
        {3, {"VE70-16DT", "5...5", "3...3", "DI 8*DC24V, DO 8*DC24V"}},
        {4, {"VF50-04IV", "0...7", "", "AI*4, 4-20mA/0-20mA/1-5V/-10V-+10V"}},
        {5, {"VF60-02IV", "", "0...3", "AO*2, 4-20mA/0-20mA/1-5V/-10V-+10V"}},
        {6, {"VF70-03IV", "8...11", "4...5", "AI*2, AO*1, 4-20mA/0-20mA/1-5V/-10V-+10V"}},
        {7, {"VF50-04TC", "12...19", "", "AI*4, thermocouple typ J/K, ext./int. comp."}},
        {8, {"", "", "", ""}},
        {20, {"", "", "", ""}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.texts, RowTexts(row.slot)) << "slot " << row.slot;
    for (int column = 0; column < HW_GRID_DATA_COLUMNS; ++column) {
        const int style = column == 3 ? HW_GRID_COMMENT_STYLE : 0;
        EXPECT_EQ(style, m_grid->GetCellText(column, 1).style);
        EXPECT_EQ(style, m_grid->GetCellText(column, 12).style);
    }

    // Removing the 16-input module frees I 3..4; an 8-input module refills its slot at I 3.
    Remove(1, 1);
    EXPECT_EQ((Texts{"", "", "", ""}), RowTexts(1));
    InsertAt(1, CODE_DI8);
    EXPECT_EQ((Texts{"VE50-08DX", "3...3", "", "DI 8*DC24V"}), RowTexts(1));
    // The next input module takes the first free run after it.
    InsertAt(8, CODE_DI16);
    EXPECT_EQ("6...7", RowTexts(8)[1]);
}

TEST_F(ModuleGridTest, NewModulesStartWithTheirKindsChannelSettings)
{
    Build(CODE_VB16, {CODE_AI4, CODE_THERMO, 21, 22, CODE_AO2, 24, CODE_AIO3});
    struct Case {
        int slot;
        BYTE aiFunction;
        DWORD aoFreezeValue;
    };
    const Case cases[] = {
        {1, 0, 0}, {2, 7, 0}, {3, 5, 0}, {4, 4, 0}, {5, 0, 4000}, {6, 0, 0}, {7, 0, 4000},
    };
    for (const Case& c : cases) {
        const CZUL_Q7_PLC& module = *Slot(c.slot);
        for (int i = 0; i < MODULE_AI_SLOTS; ++i) {
            EXPECT_EQ(c.aiFunction, module.aiFunction[i]) << module.model << " channel " << i;
            EXPECT_EQ(0, module.aiFilter[i]) << module.model;
        }
        for (int i = 0; i < MODULE_AO_SLOTS; ++i) {
            EXPECT_EQ(0, module.aoRange[i]) << module.model;
            EXPECT_EQ(0u, module.aoStopMode[i]) << module.model;
            EXPECT_EQ(c.aoFreezeValue, module.aoFreezeValue[i]) << module.model;
        }
    }
}

TEST_F(ModuleGridTest, SelectingARowBringsItsPageOrTheNotePageToTheFront)
{
    Build(CODE_VB16, {CODE_DI8, CODE_DO8});
    struct Case {
        int row;
        int column;
        int focusRow;
        int tab;
    };
    const Case cases[] = {
        {2, 3, 2, 2}, // the module's page
        {5, 1, 5, 0}, // a row without page: the note page
        {0, 1, 5, 0}, // the header row: nothing
        {3, 0, 5, 0}, // the row-header column: nothing
        {17, 1, 5, 0}, // below the last row: nothing
        {3, 4, 3, 3},
    };
    for (const Case& c : cases) {
        m_grid->SelectModuleRow(c.row, c.column);
        EXPECT_EQ(c.focusRow, m_grid->GetFocusRow()) << "row " << c.row << " column " << c.column;
        EXPECT_EQ(c.focusRow - 1, m_grid->GetSelectionFirst());
        EXPECT_EQ(c.focusRow - 1, m_grid->GetSelectionLast());
        EXPECT_EQ(c.tab, m_host.currentTab) << "row " << c.row;
    }
}

TEST_F(ModuleGridTest, KeysMoveWrapAndExtendTheSelection)
{
    Build(CODE_VB14, {CODE_DI8});
    ASSERT_EQ(5, m_grid->GetRowCount());
    m_grid->OnInitialUpdate();
    ASSERT_EQ(6, m_grid->GetPageRows()) << "five rows and the header";
    Remove(0, 0);
    InsertAt(0, CODE_VB16);
    ASSERT_EQ(16, m_grid->GetRowCount());
    ASSERT_EQ(6, m_grid->GetPageRows()) << "the page stays as the grid opened";

    struct Case {
        const char* what;
        int fromRow;
        HardwareGridKey key;
        bool shift;
        int focusRow;
        int first;
        int last;
    };
    const Case cases[] = {
        {"Up on row 1 wraps to the last row", 1, HardwareGridKey::Up, false, 16, 15, 15},
        {"Down on the last row wraps to row 1", 16, HardwareGridKey::Down, false, 1, 0, 0},
        {"Up", 7, HardwareGridKey::Up, false, 6, 5, 5},
        {"Down", 7, HardwareGridKey::Down, false, 8, 7, 7},
        {"Shift Up on row 1 stays", 1, HardwareGridKey::Up, true, 1, 0, 0},
        {"Shift Down on the last row stays", 16, HardwareGridKey::Down, true, 16, 15, 15},
        {"Shift Down extends", 7, HardwareGridKey::Down, true, 8, 6, 7},
        {"Shift Up extends", 7, HardwareGridKey::Up, true, 6, 5, 6},
        {"Page Up", 9, HardwareGridKey::PageUp, false, 3, 2, 2},
        {"Page Up stops at row 1", 4, HardwareGridKey::PageUp, false, 1, 0, 0},
        {"Page Down", 9, HardwareGridKey::PageDown, false, 15, 14, 14},
        {"Page Down stops at the last row", 12, HardwareGridKey::PageDown, false, 16, 15, 15},
        {"Shift Page Down extends", 3, HardwareGridKey::PageDown, true, 9, 2, 8},
        {"Shift Page Up extends to row 1", 4, HardwareGridKey::PageUp, true, 1, 0, 3},
        {"any other key", 4, HardwareGridKey::Other, false, 4, 3, 3},
    };
    for (const Case& c : cases) {
        m_grid->SelectModuleRow(c.fromRow, 2);
        EXPECT_TRUE(m_grid->OnKeyDown(c.key, c.shift)) << c.what;
        EXPECT_EQ(c.focusRow, m_grid->GetFocusRow()) << c.what;
        EXPECT_EQ(2, m_grid->GetFocusColumn()) << c.what;
        EXPECT_EQ(c.first, m_grid->GetSelectionFirst()) << c.what;
        EXPECT_EQ(c.last, m_grid->GetSelectionLast()) << c.what;
    }

    // Shift and Ctrl are the grid library's; F1 goes to the main frame.
    EXPECT_FALSE(m_grid->OnKeyDown(HardwareGridKey::Shift, true));
    EXPECT_FALSE(m_grid->OnKeyDown(HardwareGridKey::Control, false));
    m_host.calls.clear();
    EXPECT_TRUE(m_grid->OnKeyDown(HardwareGridKey::F1, false));
    EXPECT_EQ((std::vector<std::string>{"help"}), m_host.calls);
}

TEST_F(ModuleGridTest, RightButtonInsideAMultiRowSelectionKeepsIt)
{
    Build(CODE_VB16, {CODE_DI8, CODE_DO8, CODE_DI8});
    m_grid->SelectModuleRow(2, 1);
    m_grid->OnKeyDown(HardwareGridKey::Down, true);
    m_grid->OnKeyDown(HardwareGridKey::Down, true);

    m_grid->OnRightButtonCell(3, 2);
    EXPECT_EQ(3, m_grid->GetFocusRow());
    EXPECT_EQ(1, m_grid->GetSelectionFirst());
    EXPECT_EQ(3, m_grid->GetSelectionLast());

    m_grid->OnRightButtonCell(6, 2);
    EXPECT_EQ(6, m_grid->GetFocusRow());
    EXPECT_EQ(5, m_grid->GetSelectionFirst());
    EXPECT_EQ(5, m_grid->GetSelectionLast());
}

} // namespace
