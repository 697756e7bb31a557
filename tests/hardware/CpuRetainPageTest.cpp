#include "CpuPagesFixture.h"
#include "hardware/CPageCPURetainModel.h"

#include <gmock/gmock.h>

namespace {

// The VB14 family has 4096 V bytes and 128 counters.
class CpuRetainPageTest : public CpuPagesFixture {
protected:
    void SetUp() override
    {
        CpuPagesFixture::SetUp();
        m_cpu = &AddModule(CPU_CODE_VB14);
    }
    CPageCPURetainModel& Open()
    {
        m_page = std::make_unique<CPageCPURetainModel>(*m_app);
        m_page->Context().SetModule(m_cpu);
        m_page->OnInitDialog();
        // Loading set every field once.
        for (int range = 0; range < CPU_RETAIN_RANGES; ++range) {
            m_page->OnStartChanged(range);
            m_page->OnLengthChanged(range);
        }
        return *m_page;
    }

    CZUL_Q7_PLC* m_cpu = nullptr;
    std::unique_ptr<CPageCPURetainModel> m_page;
};

TEST_F(CpuRetainPageTest, DefaultShowsTwoVRangesAndTwoCounterRanges)
{
    CPageCPURetainModel& page = Open();
    page.SetDefaultSettings();
    EXPECT_THAT(page.area, ::testing::ElementsAre(RETAIN_AREA_VB, RETAIN_AREA_VB, RETAIN_AREA_C, RETAIN_AREA_C));
    EXPECT_THAT(page.startText, ::testing::Each("0"));
    EXPECT_THAT(page.lengthText, ::testing::Each("0"));
    EXPECT_EQ(4095, page.startSpin[0].high);
    EXPECT_EQ(127, page.startSpin[2].high);
    EXPECT_EQ(4096, page.lengthSpin[1].high);
    EXPECT_EQ(128, page.lengthSpin[3].high);
    m_cpu->retain[0] = {1, 5, 5};
    ASSERT_TRUE(page.ApplyRetentiveRanges());
    EXPECT_EQ(0, m_cpu->retain[0].area);
    EXPECT_EQ(0, m_cpu->retain[0].length);
    EXPECT_EQ(1, m_cpu->retain[3].area);
}

TEST_F(CpuRetainPageTest, LoadingShowsTheRecordWithoutMarking)
{
    m_cpu->retain[0] = {0, 4000, 50};
    m_cpu->retain[2] = {1, 100, 20};
    CPageCPURetainModel& page = Open();
    EXPECT_FALSE(Modified());
    EXPECT_EQ("4000", page.startText[0]);
    EXPECT_EQ("50", page.lengthText[0]);
    EXPECT_EQ(96, page.lengthSpin[0].high);
    EXPECT_EQ(RETAIN_AREA_C, page.area[2]);
    EXPECT_EQ(28, page.lengthSpin[2].high);
    EXPECT_THAT(CPageCPURetainModel::AreaItems(), ::testing::ElementsAre("VB", "C"));
}

TEST_F(CpuRetainPageTest, TypedValuesAreClampedToTheirArea)
{
    struct Case {
        int area;
        const char* start;
        const char* length;
        const char* shownStart;
        const char* shownLength;
        int lengthHigh;
    };
    const Case cases[] = {
        {RETAIN_AREA_VB, "4000", "200", "4000", "96", 96}, {RETAIN_AREA_VB, "5000", "0", "4095", "0", 1},
        {RETAIN_AREA_VB, "-3", "-1", "0", "0", 4096},      {RETAIN_AREA_C, "127", "9", "127", "1", 1},
        {RETAIN_AREA_C, "10", "118", "10", "118", 118},
    };
    for (const Case& c : cases) {
        CPageCPURetainModel& page = Open();
        page.area[1] = c.area;
        page.OnAreaChanged(1);
        page.startText[1] = c.start;
        page.OnStartChanged(1);
        page.lengthText[1] = c.length;
        page.OnLengthChanged(1);
        EXPECT_EQ(c.shownStart, page.startText[1]) << c.start;
        EXPECT_EQ(c.shownLength, page.lengthText[1]) << c.length;
        EXPECT_EQ(c.lengthHigh, page.lengthSpin[1].high) << c.start;
    }
}

TEST_F(CpuRetainPageTest, TheFirstChangeOfEachFieldIsTheLoadingsOwn)
{
    m_page = std::make_unique<CPageCPURetainModel>(*m_app);
    m_page->Context().SetModule(m_cpu);
    m_page->OnInitDialog();
    m_page->startText[0] = "9000";
    m_page->OnStartChanged(0);
    EXPECT_EQ("9000", m_page->startText[0]);
    m_page->OnStartChanged(0);
    EXPECT_EQ("4095", m_page->startText[0]);
    EXPECT_TRUE(Modified());
}

TEST_F(CpuRetainPageTest, SwitchingToCountersPullsStartAndLengthIntoTheCounters)
{
    CPageCPURetainModel& page = Open();
    page.area[0] = RETAIN_AREA_VB;
    page.startText[0] = "300";
    page.lengthText[0] = "50";
    page.area[0] = RETAIN_AREA_C;
    page.OnAreaChanged(0);
    EXPECT_EQ("127", page.startText[0]);
    EXPECT_EQ(1, page.lengthSpin[0].high);
    EXPECT_EQ("1", page.lengthText[0]);
    EXPECT_TRUE(Modified());
}

TEST_F(CpuRetainPageTest, ApplyRefusesARangeBeyondItsArea)
{
    CPageCPURetainModel& page = Open();
    page.startText[0] = "4090";
    page.lengthText[0] = "10";
    EXPECT_FALSE(page.ApplyRetentiveRanges());
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ("Error", m_ui.box.Messages()[0].caption);
    EXPECT_EQ("The configuration of Retentive Range  1  is out of range. ", m_ui.box.Messages()[0].text);
    EXPECT_EQ(0, m_cpu->retain[0].start);

    m_ui.box.Clear();
    page.lengthText[0] = "6";
    page.area[3] = RETAIN_AREA_C;
    page.startText[3] = "127";
    page.lengthText[3] = "0";
    ASSERT_TRUE(page.ApplyRetentiveRanges());
    EXPECT_TRUE(m_ui.box.Messages().empty());
    EXPECT_EQ(4090, m_cpu->retain[0].start);
    EXPECT_EQ(6, m_cpu->retain[0].length);
    EXPECT_EQ(127, m_cpu->retain[3].start);
}

TEST_F(CpuRetainPageTest, ARecordThatIsNotTheCpuIsNeverStored)
{
    CZUL_Q7_PLC& other = AddModule(CPU_CODE_VB14);
    other.retain[0] = {1, 7, 7};
    m_page = std::make_unique<CPageCPURetainModel>(*m_app);
    m_page->Context().SetModule(&other);
    m_page->OnInitDialog();
    EXPECT_EQ("0", m_page->startText[0]);
    m_page->ReloadSettings();
    EXPECT_EQ("0", m_page->startText[0]);
    EXPECT_FALSE(m_page->ApplyRetentiveRanges());
    EXPECT_EQ(7, other.retain[0].start);
}

} // namespace
