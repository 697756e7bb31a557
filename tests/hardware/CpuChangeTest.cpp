#include "HardwareGridFixture.h"

#include "hardware/HardwareTexts.h"
#include "model/CMemAreaInfo.h"
#include "model/CpuProfile.h"

#include <algorithm>
#include <cstring>

namespace {

class CpuChangeTest : public HardwareGridFixture {
protected:
    // A VB16 CPU with this many 8-input modules, then the CPU removed.
    void BuildWithoutCpu(int expansions)
    {
        Build(CODE_VB16, std::vector<BYTE>(static_cast<size_t>(expansions), CODE_DI8));
        Remove(0, 0);
        m_ui.box.Clear();
        m_host.calls.clear();
    }
};

TEST_F(CpuChangeTest, EachRuleAsksDeletesAndLoadsItsProfileByRowsAndSlots)
{
    struct Case {
        const char* what;
        int expansions; // -1: an empty configuration
        BYTE cpu;
        int answer;
        const char* question;
        int slotsAfter;
        int rowsAfter;
        int family;
    };
    const Case cases[] = {
        {"VB14 over ten modules, Yes", 10, CODE_VB14, IDYES, kReplaceVB14Question, 5, 5, 1},
        {"VB14 over ten modules, No", 10, CODE_VB14, IDNO, kReplaceVB14Question, 11, 16, 2},
        {"VB14 over exactly four modules", 4, CODE_VB14, IDYES, nullptr, 5, 5, 1},
        {"VB14EX keeps every module", 10, CODE_VB14EX, IDYES, nullptr, 11, 16, 4},
        {"VB16 keeps every module", 10, CODE_VB16, IDYES, nullptr, 11, 16, 2},
        {"VB12 over modules, Yes", 2, CODE_VB12, IDYES, kReplaceVB12Question, 1, 1, 0},
        {"VB12 over modules, No", 2, CODE_VB12, IDNO, kReplaceVB12Question, 3, 16, 2},
        {"VC14 over a module", 1, CODE_VC14, IDYES, kReplaceVC14Question, 1, 1, 6},
        {"VC16 over a module", 1, CODE_VC16, IDYES, kReplaceVC16Question, 1, 1, 7},
        {"VA10 over a module", 1, CODE_VA10, IDYES, kReplaceVA10Question, 1, 1, 5},
        {"VA10 into an empty configuration", -1, CODE_VA10, IDYES, nullptr, 1, 1, 5},
        {"VC16 into an empty configuration", -1, CODE_VC16, IDYES, nullptr, 1, 1, 7},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.expansions >= 0)
            BuildWithoutCpu(c.expansions);
        const bool refused = c.answer == IDNO;
        m_ui.box.Answer(c.answer);

        InsertAt(0, c.cpu);

        const auto messages = m_ui.box.Messages();
        if (c.question) {
            ASSERT_EQ(1u, messages.size()) << c.what;
            EXPECT_EQ("Note", messages[0].caption) << c.what;
            EXPECT_EQ(c.question, messages[0].text) << c.what;
            EXPECT_EQ(MB_YESNO | MB_ICONQUESTION, messages[0].type) << c.what;
        } else {
            EXPECT_TRUE(messages.empty()) << c.what;
        }
        EXPECT_EQ(c.slotsAfter, Slots()) << c.what;
        EXPECT_EQ(c.rowsAfter, m_grid->GetRowCount()) << c.what;
        EXPECT_EQ(c.rowsAfter - 1, MaxExpansionModules) << c.what;
        EXPECT_EQ(c.family, Project().CPUFamilyIndex) << c.what;
        EXPECT_EQ(static_cast<size_t>(c.slotsAfter) + 1, m_host.tabs.size()) << c.what;
        if (refused) {
            EXPECT_EQ(nullptr, Slot(0)) << c.what;
            EXPECT_TRUE(m_host.calls.empty()) << c.what;
        } else {
            EXPECT_EQ(c.cpu, Slot(0)->hardwareCode) << c.what;
            EXPECT_EQ(Slot(0), m_host.tabs[1].record) << c.what;
            // The focus moves on to the next slot when the profile has one.
            EXPECT_EQ(std::min(2, c.rowsAfter), m_grid->GetFocusRow()) << c.what;
        }
        TearDown();
    }
}

TEST_F(CpuChangeTest, EveryCpuInsertionResetsModbusCanOpenAndTheForceImages)
{
    BuildWithoutCpu(2);
    CZULProject& project = Project();
    project.ModbusRetries = 7;
    project.SetModbusInt(1, MODBUS_SWITCH_OFFSET, 55);
    project.CanOpenMasterAddr = 9;
    project.CanOpenBPS = 2;
    std::fill(project.ForceValues.begin(), project.ForceValues.end(), 0xAB);
    std::fill(project.ForceMarks.begin(), project.ForceMarks.end(), 0xCD);
    const auto fresh = std::make_unique<CZULProject>(); // too large for the stack

    // The same CPU again: no question, yet everything is reset.
    InsertAt(0, CODE_VB16);

    EXPECT_TRUE(m_ui.box.Messages().empty());
    EXPECT_EQ(3, project.ModbusRetries);
    EXPECT_EQ(0, std::memcmp(fresh->ModbusMaster, project.ModbusMaster, sizeof fresh->ModbusMaster));
    EXPECT_EQ(127, project.CanOpenMasterAddr);
    EXPECT_EQ(5, project.CanOpenBPS);
    ASSERT_EQ(static_cast<size_t>(project.ForceImageSize), project.ForceValues.size());
    ASSERT_EQ(project.ForceValues.size(), project.ForceMarks.size());
    EXPECT_GT(project.ForceValues.size(), 0u);
    EXPECT_TRUE(std::all_of(project.ForceValues.begin(), project.ForceValues.end(), [](DWORD v) { return v == 0; }));
    EXPECT_TRUE(std::all_of(project.ForceMarks.begin(), project.ForceMarks.end(), [](DWORD v) { return v == 0; }));
    EXPECT_EQ(3, Slots()) << "the VB16 rule deletes nothing";
}

TEST_F(CpuChangeTest, ARefusedCpuChangeLeavesTheSettingsAlone)
{
    BuildWithoutCpu(7);
    m_doc.SetModifiedFlag(FALSE);
    CZULProject& project = Project();
    project.ModbusRetries = 7;
    project.CanOpenMasterAddr = 9;
    const auto forceValues = project.ForceValues;
    m_ui.box.Answer(IDNO);

    InsertAt(0, CODE_VB14);

    EXPECT_EQ(7, project.ModbusRetries);
    EXPECT_EQ(9, project.CanOpenMasterAddr);
    EXPECT_EQ(forceValues, project.ForceValues);
    EXPECT_EQ(15, MaxExpansionModules);
    EXPECT_TRUE(m_host.calls.empty()) << "no redraw";
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(CpuChangeTest, ACpuSetsItsFamilyLocalTablesAndAreaTable)
{
    Project().LocalBitUsage.assign(3, 1);
    InsertAt(0, CODE_VC14);

    EXPECT_EQ(6, Project().CPUFamilyIndex);
    ASSERT_EQ(static_cast<size_t>(LOCAL_BIT_ENTRIES), Project().LocalBitUsage.size());
    EXPECT_EQ(1, Project().LocalBitUsage[2]) << "entries already there stay";
    EXPECT_EQ(static_cast<size_t>(LOCAL_BYTE_ENTRIES), Project().LocalByteUsage.size());
    EXPECT_EQ(0, std::memcmp(GetMemAreaTable(CPU_FAMILY_VC14), g_LiveAreaTable, sizeof g_LiveAreaTable))
        << "the VC14 area table is live";
    const CZUL_Q7_PLC& cpu = *Slot(0);
    EXPECT_EQ(0, cpu.iStart);
    EXPECT_EQ(1, cpu.iEnd);
    EXPECT_EQ(0, cpu.qStart);
    EXPECT_EQ(1, cpu.qEnd);
}

} // namespace
