#include "HardwareGridFixture.h"

#include "hardware/HardwareTexts.h"
#include "model/CpuProfile.h"

namespace {

class ModuleInsertionTest : public HardwareGridFixture {};

TEST_F(ModuleInsertionTest, OnlyAnEmptySlotOrTheOneAfterTheLastTakesAModuleOfItsKind)
{
    struct Case {
        const char* what;
        std::vector<BYTE> expansions; // after a VB16 CPU; 0 leaves the slot empty
        int slot;
        BYTE code;
        bool accepted;
    };
    const Case cases[] = {
        {"digital module after the CPU", {}, 1, CODE_DI8, true},
        {"analog module after two modules", {CODE_DI8, CODE_DO8}, 3, CODE_AI4, true},
        {"module into an emptied middle slot", {CODE_DI8, 0, CODE_DO8}, 2, CODE_DO8, true},
        {"CPU into an expansion slot", {}, 1, CODE_VB16, false},
        {"module onto the CPU", {}, 0, CODE_DI8, false},
        {"CPU onto the CPU", {}, 0, CODE_VB14, false},
        {"module onto a module", {CODE_DI8}, 1, CODE_DO8, false},
        {"module beyond the slot after the last", {CODE_DI8}, 3, CODE_DO8, false},
    };
    for (const Case& c : cases) {
        SetUp();
        Build(CODE_VB16, std::vector<BYTE>(c.expansions.size(), CODE_DI16));
        for (size_t i = 0; i < c.expansions.size(); ++i) {
            if (c.expansions[i] == 0)
                Remove(static_cast<int>(i) + 1, static_cast<int>(i) + 1);
        }
        const int slotsBefore = Slots();
        const CZUL_Q7_PLC* before = c.slot < slotsBefore ? Slot(c.slot) : nullptr;
        m_host.calls.clear();
        m_doc.SetModifiedFlag(FALSE);

        InsertAt(c.slot, c.code);

        if (c.accepted) {
            ASSERT_LT(c.slot, Slots()) << c.what;
            EXPECT_EQ(c.code, Slot(c.slot)->hardwareCode) << c.what;
            EXPECT_EQ(c.slot + 2, m_grid->GetFocusRow()) << c.what << ": the focus moves to the next slot";
            EXPECT_EQ((std::vector<std::string>{"initial data", "globals", "redraw"}), m_host.calls) << c.what;
            EXPECT_EQ(Slot(c.slot), m_host.tabs[static_cast<size_t>(c.slot) + 1].record) << c.what;
            EXPECT_TRUE(m_doc.IsModified()) << c.what;
        } else {
            EXPECT_EQ(slotsBefore, Slots()) << c.what;
            EXPECT_EQ(before, c.slot < Slots() ? Slot(c.slot) : nullptr) << c.what;
            EXPECT_TRUE(m_host.calls.empty()) << c.what;
            EXPECT_FALSE(m_doc.IsModified()) << c.what;
        }
        TearDown();
    }
}

TEST_F(ModuleInsertionTest, AnEmptyConfigurationShowsTwoRowsAndTakesOnlyACpuOnTheFirst)
{
    EXPECT_EQ(2, m_grid->GetRowCount());
    EXPECT_EQ(3, m_grid->GetPageRows());
    InsertAt(0, CODE_DI8);
    InsertAt(1, CODE_DI8);
    InsertAt(1, CODE_VB16);
    EXPECT_EQ(0, Slots());
    // The first row tells why it refuses a module; rows beyond the end stay silent.
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>{kCpuSlotOnlyMessage});

    InsertAt(0, CODE_VB16);
    ASSERT_EQ(1, Slots());
    EXPECT_EQ(16, m_grid->GetRowCount());
    EXPECT_EQ(2, Project().CPUFamilyIndex);
    EXPECT_EQ((std::vector<std::string>{"Note", "1"}), m_host.Labels());
    EXPECT_EQ((std::vector<std::string>{"catalogue", "fb instances", "initial data", "globals", "redraw"}),
              m_host.calls);
}

// A stored configuration whose CPU slot was emptied is dropped when the grid opens.
TEST_F(ModuleInsertionTest, OpeningOnAConfigurationWithoutCpuEmptiesIt)
{
    Build(CODE_VB16, {CODE_DI8, CODE_DO8});
    Project().Modules[0].reset();

    m_grid->OnInitialUpdate();

    EXPECT_EQ(0, Slots());
    EXPECT_EQ(2, m_grid->GetRowCount());
    EXPECT_EQ(0, m_grid->GetSelectionFirst());
    EXPECT_EQ(0, m_grid->GetSelectionLast());
}

// Fills the VB14's eight I bytes: the CPU takes two, three 16-input modules six.
TEST_F(ModuleInsertionTest, AModuleWithoutRoomInItsAreaIsReportedAndNotAdded)
{
    Build(CODE_VB14, {CODE_DI16, CODE_DI16, CODE_DI16});
    m_host.calls.clear();

    InsertAt(4, CODE_DIO16);

    EXPECT_EQ(4, Slots());
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ("Error", m_ui.box.Messages()[0].caption);
    EXPECT_EQ(kNoRoomInI, m_ui.box.Messages()[0].text);
    EXPECT_EQ(MB_OK | MB_ICONSTOP, m_ui.box.Messages()[0].type);
    EXPECT_EQ(5, m_grid->GetFocusRow()) << "the focus stays on the slot";
    EXPECT_EQ((std::vector<std::string>{"redraw"}), m_host.calls);
    EXPECT_EQ(5u, m_host.tabs.size());

    // An output module still finds room in Q.
    InsertAt(4, CODE_DO8);
    EXPECT_EQ(5, Slots());
}

} // namespace
