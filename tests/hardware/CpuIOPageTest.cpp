#include "CpuPagesFixture.h"
#include "hardware/CPageCPUIOModel.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace {

class CpuIOPageTest : public CpuPagesFixture {
protected:
    CPageCPUIOModel& Open(CZUL_Q7_PLC& module)
    {
        m_page = std::make_unique<CPageCPUIOModel>(*m_app);
        m_page->Context().SetModule(&module);
        m_page->OnInitDialog();
        return *m_page;
    }
    static int CountOf(const bool* flags, int n) { return static_cast<int>(std::count(flags, flags + n, true)); }

    std::unique_ptr<CPageCPUIOModel> m_page;
};

TEST_F(CpuIOPageTest, RangesFiltersAndStopBoxesFollowTheChannelCounts)
{
    struct Case {
        int di;
        int dout;
        const char* iLength;
        const char* qLength;
        int filters;
        int stopBoxes;
    };
    const Case cases[] = {
        {9, 7, "2", "1", 4, 7},   {24, 16, "3", "2", 6, 16}, {8, 6, "1", "1", 2, 6},
        {16, 10, "2", "2", 4, 10}, {25, 17, "4", "3", 8, 16}, {14, 10, "2", "2", 4, 10},
    };
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    for (const Case& c : cases) {
        cpu.diCount = static_cast<WORD>(c.di);
        cpu.doCount = static_cast<WORD>(c.dout);
        cpu.iStart = 3;
        cpu.qStart = 4;
        CPageCPUIOModel& page = Open(cpu);
        EXPECT_EQ(c.iLength, page.iLengthText) << c.di;
        EXPECT_EQ(c.qLength, page.qLengthText) << c.dout;
        EXPECT_EQ("0", page.iStartText);
        EXPECT_EQ("0", page.qStartText);
        EXPECT_EQ(0, cpu.iStart);
        EXPECT_EQ(0, cpu.qStart);
        EXPECT_EQ(c.filters, CountOf(page.filterEnabled, CPU_FILTER_GROUPS)) << c.di;
        EXPECT_TRUE(page.filterEnabled[c.filters - 1]);
        EXPECT_EQ(c.stopBoxes, CountOf(page.stopEnabled, CPU_STOP_BOXES)) << c.dout;
        EXPECT_TRUE(page.stopEnabled[c.stopBoxes - 1]);
        EXPECT_EQ("Q0.x", page.rowLabel[0]);
        EXPECT_EQ("Q1.x", page.rowLabel[1]);
    }
    EXPECT_FALSE(Modified());
}

TEST_F(CpuIOPageTest, SelectAllChecksTheCpusOutputsOnly)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    cpu.doCount = 10;
    CPageCPUIOModel& page = Open(cpu);
    page.selectAll = true;
    page.OnSelectAllClicked();
    EXPECT_EQ(10, CountOf(page.stop, CPU_STOP_BOXES));
    EXPECT_TRUE(page.stop[9]);
    EXPECT_FALSE(page.stop[10]);
    EXPECT_TRUE(Modified());

    page.stop[3] = false;
    page.OnStopBoxClicked(3);
    EXPECT_FALSE(page.selectAll);
    EXPECT_EQ(9, CountOf(page.stop, CPU_STOP_BOXES));

    page.selectAll = true;
    page.OnSelectAllClicked();
    page.selectAll = false;
    page.OnSelectAllClicked();
    EXPECT_EQ(10, CountOf(page.stop, CPU_STOP_BOXES));
}

TEST_F(CpuIOPageTest, ApplyStoresEveryFilterAndTheStartedOutputBytes)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    cpu.diCount = 9;
    cpu.doCount = 7;
    cpu.inputFilters[1] = 5;
    cpu.stopStates[2] = 1;
    cpu.stopStates[9] = 1;   // beyond the started byte
    cpu.stopStates[20] = 1;  // beyond the page's boxes
    CPageCPUIOModel& page = Open(cpu);
    EXPECT_EQ(5, page.filterSelection[1]);
    EXPECT_EQ("12.8", CPageCPUIOModel::FilterItems()[5]);
    EXPECT_TRUE(page.stop[2]);
    EXPECT_FALSE(page.stop[9]);

    for (int group = 0; group < CPU_FILTER_GROUPS; ++group)
        page.filterSelection[group] = group % 6;
    page.stop[2] = false;
    page.stop[6] = true;
    ASSERT_TRUE(page.ApplyIOSettings());
    EXPECT_THAT(cpu.inputFilters, ::testing::ElementsAre(0, 1, 2, 3, 4, 5, 0, 1));
    EXPECT_EQ(1, cpu.iEnd);
    EXPECT_EQ(0, cpu.qEnd);
    EXPECT_EQ(0u, cpu.stopStates[2]);
    EXPECT_EQ(1u, cpu.stopStates[6]);
    EXPECT_EQ(1u, cpu.stopStates[9]);
    EXPECT_EQ(1u, cpu.stopStates[20]);
}

TEST_F(CpuIOPageTest, ApplyRefusesAFilterWithoutSelectionAndARecordThatIsNotTheCpu)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB14);
    cpu.inputFilters[4] = 9;
    CPageCPUIOModel& page = Open(cpu);
    EXPECT_EQ(NO_SELECTION, page.filterSelection[4]);
    page.filterSelection[0] = 3;
    EXPECT_FALSE(page.ApplyIOSettings());
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ("Error", m_ui.box.Messages()[0].caption);
    EXPECT_EQ("An unknown error with the Input Filter.", m_ui.box.Messages()[0].text);
    EXPECT_EQ(3, cpu.inputFilters[0]);

    CZUL_Q7_PLC& other = AddModule(CPU_CODE_VB14);
    CPageCPUIOModel& second = Open(other);
    second.filterSelection[0] = 2;
    EXPECT_FALSE(second.ApplyIOSettings());
    EXPECT_EQ(0, other.inputFilters[0]);
}

TEST_F(CpuIOPageTest, DefaultClearsTheControlsAndCancelReloadsTheRecord)
{
    CZUL_Q7_PLC& cpu = AddModule(CPU_CODE_VB16);
    cpu.doCount = 10;
    cpu.inputFilters[0] = 2;
    cpu.stopStates[1] = 1;
    CPageCPUIOModel& page = Open(cpu);
    page.selectAll = true;
    page.OnSelectAllClicked();

    page.SetDefaultSettings();
    EXPECT_THAT(page.filterSelection, ::testing::Each(0));
    EXPECT_THAT(page.stop, ::testing::Each(false));
    EXPECT_FALSE(page.selectAll);
    EXPECT_EQ(2, cpu.inputFilters[0]);
    EXPECT_EQ(1u, cpu.stopStates[1]);

    page.ReloadSettings();
    EXPECT_EQ(2, page.filterSelection[0]);
    EXPECT_TRUE(page.stop[1]);
    EXPECT_EQ(1, CountOf(page.stop, CPU_STOP_BOXES));
    EXPECT_TRUE(Modified());
}

} // namespace
