#include "PlcCommandFixture.h"

#include "model/CZULAppData.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/PlcClock.h"
#include "plclink/PlcInfo.h"
#include "plclink/PlcPassword.h"

namespace {

std::vector<BYTE> IdentificationData(BYTE brandFlags, BYTE model, std::vector<BYTE> editions)
{
    std::vector<BYTE> data = {2, 1, 3, brandFlags, 2, 0x16, 0, 0x31, 4};
    data.insert(data.end(), 3, 1);
    data.insert(data.end(), 3, model);
    data.insert(data.end(), editions.begin(), editions.end());
    return data;
}

} // namespace

TEST(PlcInfoViewTest, EditionFirmwareSuffixAndModulesFollowTheIdentification)
{
    struct Case {
        BYTE brandFlags;
        BYTE model;
        std::vector<BYTE> editions;
        const char* project;
        const char* firmware;
    };
    const Case cases[] = {
        {0x40, 5, {0x02, 0x02, 0x02}, " Standard, V1.2", " 2.1.3 Orvel"},
        {0xC0, 16, {0x81, 0x81, 0x81}, " Pro, V1.1", " 2.1.3 ZUL"},
        {0x40, 12, {0x41, 0x41, 0x41}, " Plus, V1.1", " 2.1.3"},
        {0x00, 5, {0xC1, 0xC1, 0xC1}, " Unknown", " 2.1.3"},
        {0x40, 5, {0x02, 0x02, 0x03}, " Unknown", " 2.1.3 Orvel"},
        {0x40, 5, {0x04, 0x04, 0x04}, " Unknown", " 2.1.3 Orvel"},
        {0x40, 5, {0xFE, 0xFE, 0xFE}, " Unknown", " 2.1.3 Orvel"},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> data = IdentificationData(c.brandFlags, c.model, c.editions);
        PlcInfoView view;
        ASSERT_TRUE(BuildPlcInfoView(data.data(), static_cast<int>(data.size()), 1, view));
        EXPECT_EQ(view.project, c.project) << c.project;
        EXPECT_EQ(view.firmware, c.firmware) << c.firmware;
        EXPECT_EQ(view.mode, " RUN");
        EXPECT_TRUE(view.running);
        ASSERT_EQ(view.modules.size(), 2u);
        EXPECT_EQ(view.modules[1].position, "2");
        EXPECT_EQ(view.modules[1].failure, "4");
    }
    std::vector<BYTE> truncated = {2, 1, 3, 0, 4, 0x16, 0};
    PlcInfoView view;
    EXPECT_FALSE(BuildPlcInfoView(truncated.data(), static_cast<int>(truncated.size()), 0, view));
}

TEST(PlcClockTest, DecodesPackedBcdAndRefusesGarbledBytes)
{
    struct Case {
        std::vector<BYTE> bcd;
        BOOL valid;
        PlcClockTime time;
        BYTE storedYear;
    };
    const Case cases[] = {
        {{0x26, 0x12, 0x10, 0x13, 0x05, 0x59}, TRUE, {2026, 12, 10, 13, 5, 59}, 0x26},
        {{0x45, 0x01, 0x31, 0x23, 0x59, 0x00}, TRUE, {2037, 1, 31, 23, 59, 0}, 0x37},
        {{0x37, 0x02, 0x28, 0x00, 0x00, 0x00}, TRUE, {2037, 2, 28, 0, 0, 0}, 0x37},
        {{0x11, 0x1A, 0x01, 0x00, 0x00, 0x00}, FALSE, {}, 0x11},
        {{0x11, 0x13, 0x01, 0x00, 0x00, 0x00}, FALSE, {}, 0x11},
        {{0x11, 0x02, 0x30, 0x00, 0x00, 0x00}, FALSE, {}, 0x11},
        {{0x11, 0x07, 0x17, 0x24, 0x00, 0x00}, FALSE, {}, 0x11},
        {{0x11, 0x07, 0x17, 0x10, 0x60, 0x00}, FALSE, {}, 0x11},
        {{0x2F, 0x07, 0x17, 0x10, 0x00, 0x00}, FALSE, {}, 0x2F},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = c.bcd;
        PlcClockTime time;
        EXPECT_EQ(DecodePlcClock(bytes.data(), time), c.valid) << int(c.bcd[1]);
        EXPECT_EQ(bytes[0], c.storedYear);
        if (!c.valid)
            continue;
        EXPECT_EQ(time.year, c.time.year);
        EXPECT_EQ(time.month, c.time.month);
        EXPECT_EQ(time.day, c.time.day);
        EXPECT_EQ(time.hour, c.time.hour);
        EXPECT_EQ(time.minute, c.time.minute);
        EXPECT_EQ(time.second, c.time.second);
    }
}

TEST(PlcClockTest, EncodesTheDateTimeAndTheWeekdayFromMonday)
{
    BYTE request[PLC_CLOCK_REQUEST_BYTES] = {};
    EncodePlcClock({2011, 7, 17, 10, 20, 30}, request);
    EXPECT_EQ(std::vector<BYTE>(request, request + 7), (std::vector<BYTE>{0x11, 0x07, 0x17, 0x10, 0x20, 0x30, 0x07}));
    EXPECT_EQ(PlcWeekday(2011, 7, 18), 1);
    EXPECT_EQ(PlcWeekday(2000, 1, 1), 6);
    EncodePlcClock({2037, 12, 31, 23, 59, 59}, request);
    EXPECT_EQ(std::vector<BYTE>(request, request + 7), (std::vector<BYTE>{0x37, 0x12, 0x31, 0x23, 0x59, 0x59, 0x04}));
}

class OnlineExchangeTest : public PlcCommandTest {
protected:
    void SetUp() override
    {
        PlcCommandTest::SetUp();
        ASSERT_EQ(OpenPlcPort(), PLC_OK);
    }
};

TEST_F(OnlineExchangeTest, ClockDialogReadsAndSetsThePlcTime)
{
    sim.SetClock({0x45, 0x07, 0x17, 0x10, 0x20, 0x30});
    PlcClockTime time;
    ASSERT_EQ(ReadPlcClockTime(time), PLC_OK);
    EXPECT_EQ(time.year, 2037);
    EXPECT_EQ(time.second, 30);

    ASSERT_EQ(WritePlcClockTime({2011, 7, 17, 10, 20, 30}), PLC_OK);
    EXPECT_EQ(sim.LastClockWrite(), (std::vector<BYTE>{0x11, 0x07, 0x17, 0x10, 0x20, 0x30, 0x07, 0x00}));

    sim.SetClock({0x11, 0x9A, 0x17, 0x10, 0x20, 0x30});
    EXPECT_EQ(ReadPlcClockTime(time), PLC_WRONG_REPLY);
    ASSERT_EQ(ui.box.Messages().size(), 1u);
    EXPECT_EQ(ui.box.Messages()[0].caption, "Communication error");

    ui.box.Clear();
    {
        CLockHolder holder;
        EXPECT_EQ(ReadPlcClockTime(time), PLC_DECLINED);
    }
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{kBusyText});
    EXPECT_TRUE(g_PlcCommPort.IsOpen());
    ExpectLockFree();
}

TEST_F(OnlineExchangeTest, InformationRefreshReadsStateAndIdentificationAgain)
{
    sim.SetRunning(true);
    ASSERT_EQ(RefreshPlcInfo(), PLC_OK);
    EXPECT_EQ(g_pAppData->PlcRunState, 1);
    EXPECT_EQ(RequestLetters(), "AE");
    PlcInfoView view;
    ASSERT_TRUE(BuildPlcInfoView(view));
    EXPECT_EQ(view.mode, " RUN");

    sim.InjectFault(PlcSimFault::BadChecksum);
    EXPECT_EQ(RefreshPlcInfo(), PLC_CHECKSUM);
    ASSERT_EQ(ui.box.Messages().size(), 1u);
    EXPECT_EQ(ui.box.Messages()[0].text,
              "Received data error (CRC check). \r\nCheck the port, communication parameters and the attached cable.");
    ExpectLockFree();
}

TEST_F(OnlineExchangeTest, PasswordChangeChecksTheEntriesBeforeSendingAnything)
{
    struct Case {
        PlcPasswordChange change;
        const char* text;
    };
    const Case cases[] = {
        {{"", PLC_LEVEL_FULL, "", ""}, "Please enter the old password."},
        {{"  ", PLC_LEVEL_FULL, "", ""}, "Please enter the old password."},
        {{"", PLC_LEVEL_PARTIAL, "  ", ""}, "Invalid new password."},
        {{"old", PLC_LEVEL_MINIMUM, "abc", "abd"}, "The confirmed password is different from the new password."},
    };
    for (const Case& c : cases) {
        ui.box.Clear();
        EXPECT_FALSE(ApplyPlcPasswordChange(c.change));
        EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{c.text});
    }
    ui.box.Clear();
    ui.box.Answer(IDNO);
    EXPECT_FALSE(ApplyPlcPasswordChange({"", PLC_LEVEL_PARTIAL, "ab", "ab"}));
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"Are you sure you want to modify the password."});
    EXPECT_TRUE(sim.Requests().empty());
}

TEST_F(OnlineExchangeTest, PasswordChangeTellsAWrongPasswordFromAFailedLine)
{
    g_PlcCommPort.Close();
    EXPECT_TRUE(ApplyPlcPasswordChange({"", PLC_LEVEL_PARTIAL, " ab ", "ab"}));
    EXPECT_EQ(RequestLetters(), "O");
    EXPECT_EQ(sim.PrivilegeLevel(), CPlcSimulator::LevelPartial);
    std::vector<BYTE> expected(8);
    EncipherPasswordBlock("ab", expected.data());
    EXPECT_EQ(sim.PasswordBlock(), expected);
    EXPECT_EQ(ui.box.Texts().back(), "Password modified successfully and the new password takes effect.");
    ExpectPortReleased();

    struct Case {
        std::string oldPassword;
        bool stall;
        const char* caption;
        const char* text;
    };
    const Case cases[] = {
        {"zz", false, "Error", "Wrong old password, please enter the old password again."},
        {"ab", true, "Communication error", "Communication time-out.\r\nCheck the port, communication parameters and the attached cable."},
    };
    for (const Case& c : cases) {
        ui.box.Clear();
        if (c.stall)
            sim.InjectFault(PlcSimFault::Stall);
        EXPECT_FALSE(ApplyPlcPasswordChange({c.oldPassword, PLC_LEVEL_FULL, "ignored", "other"}));
        ASSERT_EQ(ui.box.Messages().size(), 2u);
        EXPECT_EQ(ui.box.Messages()[1].caption, c.caption);
        EXPECT_EQ(ui.box.Messages()[1].text, c.text);
        ExpectPortReleased();
    }
}

TEST_F(OnlineExchangeTest, EnterPasswordSendsOnlyATypedPassword)
{
    SendPlcPassword("");
    EXPECT_TRUE(sim.Requests().empty());
    sim.SetPassword("secret", CPlcSimulator::LevelPartial);
    SendPlcPassword("secret");
    EXPECT_EQ(RequestLetters(), "N");
    EXPECT_TRUE(sim.Authorised());
}
