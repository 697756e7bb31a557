#include "CanOpenFixture.h"
#include "hardware/canopen/CMasterAndGlobalModel.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "model/CMemAreaInfo.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAreArray;

const std::string kRangeStatus = "Please enter an integer between 0 and 12288.";
const std::string kNoNumber = "Please enter a positive integer.";

class MasterAndGlobalTest : public CanOpenFixture {
protected:
    int VBytes() const { return g_LiveAreaTable[MEM_ROW_V].unitCount; }
};

TEST_F(MasterAndGlobalTest, LoadsTheProjectsValuesWithTheMasterAt127AndAStoredBaudOutsideTheListUnselected)
{
    struct Case {
        int storedBaud;
        int selection;
    };
    const Case cases[] = {{0, 0}, {5, 5}, {7, 7}, {8, -1}, {9, -1}, {-1, -1}};
    for (const Case& c : cases) {
        Project().CanOpenBPS = c.storedBaud;
        Project().AllSalveStates = 2000;
        Project().NotHandleBoot = 0;
        Project().OverTime = 501;
        CMasterAndGlobalModel model(Project());
        EXPECT_FALSE(model.IsInitialised());
        model.OnInitDialog();
        EXPECT_TRUE(model.IsInitialised());
        EXPECT_EQ(c.selection, model.baudSelection) << c.storedBaud;
        EXPECT_EQ("2000", model.allSlaveStatesText);
        EXPECT_EQ("127", model.masterAddressText);
        EXPECT_EQ("1010", model.masterStatesText);
        EXPECT_EQ("1000", model.netStatesText);
        EXPECT_EQ("501", model.overTimeText);
        EXPECT_FALSE(model.configureAtStart);
    }
    EXPECT_THAT(CMasterAndGlobalModel::BaudRateItems(),
                ElementsAreArray({"10k bps", "20k bps", "50k bps", "125k bps", "250k bps", "500k bps", "800k bps",
                                  "1000k bps"}));
}

TEST_F(MasterAndGlobalTest, ApplyStoresTheFieldsWithTheirMessagesAndMarksTheProjectModified)
{
    struct Case {
        const char* name;
        std::string allSlaves, masterStates, netStates, overTime;
        int baud;
        BOOL configure;
        std::vector<std::string> messages;
        int storedAllSlaves, storedMasterStates, storedOverTime, storedBaud, storedConfigure;
        std::string shownAllSlaves;
    };
    const Case cases[] = {
        {"plain values", "2000", "1500", "1000", "700", 3, FALSE, {}, 2000, 1500, 700, 3, 0, "2000"},
        {"odd slaves start lowered", "1031", "1010", "1000", "500", 5, TRUE, {kOddSlavesStatusStart}, 1030, 1010,
         500, 5, 1, "1030"},
        {"no baud selected gives 500k", "1030", "1010", "1000", "500", -1, TRUE, {}, 1030, 1010, 500, 5, 1, "1030"},
        {"odd SDO time-out kept", "1030", "1010", "1000", "333", 5, TRUE, {}, 1030, 1010, 333, 5, 1, "1030"},
        // The range message stops the reading: the later fields keep their loaded values.
        {"SDO time-out over range keeps the old one", "1030", "1010", "1000", "70000", 5, TRUE,
         {"Please enter an integer between 0 and 65535."}, 1030, 1010, 500, 5, 1, "1030"},
        {"SDO time-out past every integer keeps the old one", "1030", "1010", "1000", "99999999999", 5, TRUE,
         {"Please enter an integer between 0 and 65535."}, 1030, 1010, 500, 5, 1, "1030"},
        {"slaves start over range keeps the old one", "12289", "1010", "1000", "500", 5, TRUE,
         {"Please enter an integer between 0 and 12288."}, 1030, 1010, 500, 5, 1, "1030"},
        {"no number keeps the old start", "abc", "1500", "1000", "700", 2, FALSE, {kNoNumber}, 1030, 1010, 500, 2,
         1, "1030"},
        {"master status not a number", "2000", "", "1000", "700", 2, FALSE, {kNoNumber}, 2000, 1010, 500, 2, 1,
         "2000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project().ResetCanOpenConfig();
        m_ui.box.Clear();
        m_document.SetModifiedFlag(FALSE);
        CMasterAndGlobalModel model(Project());
        model.OnInitDialog();
        model.allSlaveStatesText = c.allSlaves;
        model.masterStatesText = c.masterStates;
        model.netStatesText = c.netStates;
        model.overTimeText = c.overTime;
        model.baudSelection = c.baud;
        model.configureAtStart = c.configure;
        EXPECT_TRUE(model.ApplyMasterSettings());
        EXPECT_EQ(c.messages, m_ui.box.Texts());
        EXPECT_EQ(c.storedAllSlaves, Project().AllSalveStates);
        EXPECT_EQ(c.storedMasterStates, Project().MasterStates);
        EXPECT_EQ(c.storedOverTime, Project().OverTime);
        EXPECT_EQ(c.storedBaud, Project().CanOpenBPS);
        EXPECT_EQ(c.storedConfigure, Project().NotHandleBoot);
        EXPECT_EQ(127, Project().CanOpenMasterAddr);
        EXPECT_EQ(c.shownAllSlaves, model.allSlaveStatesText);
        EXPECT_TRUE(m_document.IsModified());
    }
}

TEST_F(MasterAndGlobalTest, OddSlavesStartMessageHasTheApplicationCaptionAndAnOkButton)
{
    CMasterAndGlobalModel model(Project());
    model.OnInitDialog();
    model.allSlaveStatesText = "1031";
    model.ApplyMasterSettings();
    ASSERT_EQ(1u, m_ui.box.Messages().size());
    EXPECT_EQ(kMessageCaption, m_ui.box.Messages()[0].caption);
    EXPECT_EQ(MB_OK, m_ui.box.Messages()[0].type);
}

TEST_F(MasterAndGlobalTest, NeverInitialisedPageStoresNothing)
{
    CMasterAndGlobalModel model(Project());
    model.allSlaveStatesText = "1031";
    m_document.SetModifiedFlag(FALSE);
    EXPECT_TRUE(model.ApplyMasterSettings());
    EXPECT_EQ(1030, Project().AllSalveStates);
    EXPECT_TRUE(m_ui.box.Texts().empty());
    EXPECT_FALSE(m_document.IsModified());
}

// A status area that a changed start pushes past the CPU's V area is
// refused with a message; a start the project already holds is kept.
TEST_F(MasterAndGlobalTest, ChangedStatusAreaOutsideTheVAreaIsRefusedButAStoredOneSaves)
{
    const int last = VBytes() - 1;
    ASSERT_GT(VBytes(), 0);
    struct Case {
        const char* name;
        int storedAllSlaves;
        std::string allSlaves, masterStates, netStates;
        bool refused;
        const char* area;
    };
    const Case cases[] = {
        {"slaves area ends on the last byte", 1030, std::to_string(VBytes() - 128), "1010", "1000", false, nullptr},
        {"slaves area one byte over", 1030, std::to_string(VBytes() - 126), "1010", "1000", true, kSlavesStatusName},
        {"master byte on the last byte", 1030, "1030", std::to_string(last), "1000", false, nullptr},
        {"master byte past the end", 1030, "1030", std::to_string(VBytes()), "1000", true, kMasterStatusName},
        {"network status past the end", 1030, "1030", "1010", std::to_string(VBytes() - 2), true, kNetStatusName},
        {"stored start outside kept", VBytes(), std::to_string(VBytes()), "1010", "1000", false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project().ResetCanOpenConfig();
        Project().AllSalveStates = c.storedAllSlaves;
        m_ui.box.Clear();
        m_document.SetModifiedFlag(FALSE);
        CMasterAndGlobalModel model(Project());
        model.OnInitDialog();
        model.allSlaveStatesText = c.allSlaves;
        model.masterStatesText = c.masterStates;
        model.netStatesText = c.netStates;
        model.overTimeText = "800";
        EXPECT_EQ(c.refused, !model.ApplyMasterSettings());
        EXPECT_EQ(c.refused ? 500 : 800, Project().OverTime);
        EXPECT_EQ(!c.refused, m_document.IsModified() != FALSE);
        if (!c.refused)
            continue;
        ASSERT_EQ(1u, m_ui.box.Texts().size());
        EXPECT_NE(std::string::npos, m_ui.box.Texts()[0].find(c.area));
        EXPECT_NE(std::string::npos, m_ui.box.Texts()[0].find("VB" + std::to_string(last)));
    }
}

} // namespace
