#include "MonitorFixture.h"

#include "model/CpuProfile.h"
#include "model/SharedServices.h"
#include "platform/CSerialDevice.h"

#include <algorithm>
#include <string>

namespace {

const char kTimeoutText[] = "Communication time-out. \r\nCheck the port, communication parameters and the attached cable.";
const char kWrongReplyText[] = "PLC responsed wrongly.\r\nCheck the port, communication parameters and the attached cable.";
const char kCrcText[] = "Received data error (CRC check).\r\nCheck the port, communication parameters and the attached cable.";
const char kShortCycleText[] = "An unpredictable communication error occured. \r\nPlease contact with us.";

std::vector<BYTE> Le(DWORD value, int bytes)
{
    std::vector<BYTE> out;
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<BYTE>(value >> (8 * i)));
    return out;
}

class MonitorCommandTest : public MonitorFixture {
public:
    std::string Shown(const std::string& operand, OperandTypeFlags flags)
    {
        std::string valueText;
        std::string bitText;
        int value = 0;
        EXPECT_TRUE(app->MonitorValueLock.Lock(kWaitMs));
        EXPECT_TRUE(FormatMonitoredValue(operand, valueText, value, bitText, flags)) << operand;
        app->MonitorValueLock.Unlock();
        return valueText;
    }

    // One distinct value per item, so that a value in the wrong item shows.
    void FillImage()
    {
        sim.SetMemory(CodeOf("%VB100"), {0x12, 0xFE});
        sim.SetMemory(CodeOf("%QB0"), {0x05});
        sim.SetMemory(CodeOf("%AIW4"), Le(0x8123, 2));
        sim.SetMemory(CodeOf("%T5"), Le(300, 2));
        sim.SetTimerStatus(CodeOf("%T5"), 0xDF);  // every bit but bit 5
        sim.SetMemory(CodeOf("%T13"), Le(7, 2));
        sim.SetTimerStatus(CodeOf("%T13"), 0x20); // bit 5 alone
        sim.SetMemory(CodeOf("%C3"), Le(2, 2));
        sim.SetTimerStatus(CodeOf("%C3"), 0xFF);
        sim.SetMemory(CodeOf("%HC0"), Le(0x89ABCDEF, 4));
    }
};

TEST_F(MonitorCommandTest, ValuesOfEveryKindLandInTheirItemsCycleAfterCycleUntilSwitchedOff)
{
    // Enough bytes for a cycle of two blocks.
    std::vector<std::string> many;
    for (int n = 200; n < 460; ++n)
        many.push_back("%VB" + std::to_string(n));
    AddItems(many);
    ServeProjectLists();
    for (int n = 200; n < 460; ++n)
        sim.SetMemory(CodeOf("%VB" + std::to_string(n)), {static_cast<BYTE>(n * 3)});
    FillImage();
    app->Find.DialogMode = 1;

    StartMonitoring();

    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>({"Please close 'Find/Replace..' dialog at first!"}));
    EXPECT_EQ(frame.findDialogClosed, 1);
    EXPECT_EQ(compiler.calls, 1);
    EXPECT_EQ(app->PlcIdent[0], 5);
    EXPECT_EQ(app->ProfileSubType, 1);
    EXPECT_EQ(Read("%VB100").first, 0x12);
    EXPECT_EQ(Read("%VB101").first, 0xFE);
    EXPECT_EQ(Read("%QB0").first, 0x05);
    EXPECT_EQ(Read("%AIW4").first, 0x8123);
    EXPECT_EQ(Read("%T5"), std::make_pair(300, 0));
    EXPECT_EQ(Read("%T13"), std::make_pair(7, 1));
    EXPECT_EQ(Read("%C3"), std::make_pair(2, 1));
    EXPECT_EQ(Read("%HC0").first, static_cast<int>(0x89ABCDEFu));
    for (int n = 200; n < 460; n += 37)
        EXPECT_EQ(Read("%VB" + std::to_string(n)).first, static_cast<BYTE>(n * 3)) << n;
    EXPECT_EQ(Read("%VB459").first, static_cast<BYTE>(459 * 3));
    // Bits and words as the editors show them from the byte items.
    EXPECT_EQ(Shown("%V101.1", OT_BOOL), "1");
    EXPECT_EQ(Shown("%V101.0", OT_BOOL), "0");
    EXPECT_EQ(Shown("%VW100", OT_WORD), "fe12");

    // The values follow the PLC's image.
    sim.SetMemory(CodeOf("%VB100"), {0x34});
    sim.SetMemory(CodeOf("%HC0"), Le(1, 4));
    for (int cycle = 0; cycle < 10 && Read("%HC0").first != 1; ++cycle)
        NextCycle();
    EXPECT_EQ(Read("%HC0").first, 1);
    EXPECT_EQ(Read("%VB100").first, 0x34);
    poster.RunPosted();
    ASSERT_FALSE(frame.refreshes.empty());
    EXPECT_EQ(std::count(frame.refreshes.begin(), frame.refreshes.end(), FALSE), 0);

    // Force table, identification and signature first; every cycle starts at block 255.
    EXPECT_EQ(LetterSequence().substr(0, 4), "PEHL");
    std::vector<std::vector<BYTE>> cycles = RequestsOf('L');
    ASSERT_GE(cycles.size(), 4u);
    EXPECT_EQ(cycles[0], std::vector<BYTE>({1, 'L', 255}));
    EXPECT_EQ(cycles[1], std::vector<BYTE>({1, 'L', 0}));
    EXPECT_EQ(cycles[2], std::vector<BYTE>({1, 'L', 255}));
    EXPECT_EQ(cycles[3], std::vector<BYTE>({1, 'L', 0}));

    command->ToggleMonitor();
    EXPECT_EQ(app->Monitoring.load(), 0);
    poster.RunPosted();
    ExpectMonitoringOff();
    EXPECT_EQ(frame.refreshes.back(), FALSE);
    EXPECT_EQ(ui.box.Texts().size(), 1u);
    // Switching off read the force table on the monitor's open port, after its cycles.
    std::string letters = LetterSequence();
    EXPECT_EQ(letters.back(), 'P');
    EXPECT_EQ(letters.find('P', 1), letters.size() - 1);
}

TEST_F(MonitorCommandTest, SwitchingOnAndOffManyTimesLeavesNothingBehind)
{
    FillImage();
    for (int round = 0; round < 4; ++round) {
        StartMonitoring();
        EXPECT_EQ(Read("%VB100").first, 0x12);
        command->ToggleMonitor();
        poster.RunPosted();
        ExpectMonitoringOff();
    }
    EXPECT_TRUE(ui.box.Texts().empty());
    EXPECT_EQ(compiler.calls, 4);
}

enum class Refusal { NoIdentification, OldFirmware, OtherCpu, CompileFails, ProjectDiffers, SignatureUnread, PortInUse };

struct RefusalCase {
    Refusal refusal;
    const char* message;  // the last message shown, "" for none
    int statusLine;       // the status line logged, 0 for none
};

class MonitorRefusalTest : public MonitorCommandTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(MonitorRefusalTest, ARefusedSwitchOnLeavesMonitoringOffWithOneReport)
{
    const RefusalCase& c = GetParam();
    PlcSimIdentity identity;
    CSerialDevice otherProgram;
    switch (c.refusal) {
    case Refusal::NoIdentification:
        sim.InjectFault(PlcSimFault::Stall, 1);  // after the force-table read
        break;
    case Refusal::OldFirmware:
        identity.firmware[0] = 1;
        identity.firmware[1] = 8;
        identity.firmware[2] = 0;
        identity.tagged = false;
        sim.SetIdentity(identity);
        break;
    case Refusal::OtherCpu:
        identity.cpuModel = 20;
        sim.SetIdentity(identity);
        break;
    case Refusal::CompileFails:
        compiler.succeeds = FALSE;
        break;
    case Refusal::ProjectDiffers:
        sim.SetSignature(static_cast<WORD>(compiler.signature + 1));
        break;
    case Refusal::SignatureUnread:
        sim.InjectFault(PlcSimFault::WrongEcho, 2);
        break;
    case Refusal::PortInUse:
        ASSERT_EQ(otherProgram.Open(sim.SlavePath()), CSerialDevice::OpenOk);
        break;
    }

    command->ToggleMonitor();
    EXPECT_EQ(command->MonitorThread(), nullptr);
    EXPECT_EQ(app->Monitoring.load(), 0);
    poster.RunPosted();

    ExpectMonitoringOff();
    std::vector<std::string> texts = ui.box.Texts();
    if (c.message[0] == '\0')
        EXPECT_TRUE(texts.empty());
    else
        EXPECT_EQ(texts.empty() ? "" : texts.back(), c.message);
    std::vector<int> expectedStatus;
    if (c.statusLine != 0)
        expectedStatus.push_back(c.statusLine);
    EXPECT_EQ(ui.output.StatusCodes(), expectedStatus);
    EXPECT_TRUE(RequestsOf('L').empty());
    EXPECT_EQ(frame.refreshes, std::vector<BOOL>({FALSE}));
}

const std::string kSignatureUnreadText = CommErrorText(PLC_WRONG_REPLY);

INSTANTIATE_TEST_SUITE_P(Refusals, MonitorRefusalTest,
    ::testing::Values(
        RefusalCase {Refusal::NoIdentification,
                     "Unable to monitor because OrvelBuilder fails to get the PLC information from the connected CPU.", 0},
        RefusalCase {Refusal::OldFirmware,
                     "Unable to monitor because the version of the firmware (1.8.0) does not match that of OrvelBuilder.", 0},
        RefusalCase {Refusal::OtherCpu,
                     "Unable to monitor because the connected CPU is different from the one in the Hardware configuration.", 0},
        RefusalCase {Refusal::CompileFails, "", 4},
        RefusalCase {Refusal::ProjectDiffers, "", 3},
        RefusalCase {Refusal::SignatureUnread, kSignatureUnreadText.c_str(), 0},
        RefusalCase {Refusal::PortInUse, "The specified port is busy now.", 0}));

TEST_F(MonitorCommandTest, APortLockHeldElsewhereRefusesMonitoringWithoutTalkingToThePlc)
{
    {
        CLockHeldElsewhere otherCommand(app->PortLock);
        command->ToggleMonitor();
    }
    poster.RunPosted();

    ExpectMonitoringOff();
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>({
                                  "Unable to communicate because the communication port is busy now.",
                                  "Unable to monitor because the communication port is busy now.",
                              }));
    EXPECT_TRUE(sim.Requests().empty());
}

TEST_F(MonitorCommandTest, ThreeTimeOutsInACycleAreRetriedFromTheFirstBlockAndAFourthEndsMonitoring)
{
    FillImage();
    StartMonitoring();
    poster.RunPosted();
    for (int skip = 0; skip < 3; ++skip)
        sim.InjectFault(PlcSimFault::Stall, skip);
    size_t before = RequestsOf('L').size();
    sim.SetMemory(CodeOf("%QB0"), {0x77});
    for (int cycle = 0; cycle < 10 && Read("%QB0").first != 0x77; ++cycle)
        NextCycle();

    EXPECT_EQ(Read("%QB0").first, 0x77);
    EXPECT_EQ(app->Monitoring.load(), 1);
    EXPECT_TRUE(ui.box.Texts().empty());
    std::vector<std::vector<BYTE>> cycles = RequestsOf('L');
    ASSERT_GE(cycles.size(), before + 4);
    for (size_t i = before; i < before + 4; ++i)
        EXPECT_EQ(cycles[i], std::vector<BYTE>({1, 'L', 255})) << i;

    for (int skip = 0; skip < 4; ++skip)
        sim.InjectFault(PlcSimFault::Stall, skip);
    RunUntilMonitoringEnds();

    ExpectMonitoringOff();
    std::vector<RecordedMessage> messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Note");
    EXPECT_EQ(messages[0].text, kTimeoutText);
    EXPECT_EQ(messages[0].type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(Read("%QB0").first, 0x77);
}

struct ThreadFailureCase {
    PlcSimFault fault;
    const char* text;
};

class MonitorThreadFailureTest : public MonitorCommandTest, public ::testing::WithParamInterface<ThreadFailureCase> {};

TEST_P(MonitorThreadFailureTest, AFaultyCycleReplyEndsMonitoringWithItsMessage)
{
    FillImage();
    StartMonitoring();
    poster.RunPosted();
    sim.InjectFault(GetParam().fault);
    RunUntilMonitoringEnds();

    ExpectMonitoringOff();
    std::vector<RecordedMessage> messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Communication Error");
    EXPECT_EQ(messages[0].text, GetParam().text);
    EXPECT_EQ(messages[0].type, MB_OK | MB_ICONERROR);
    EXPECT_EQ(Read("%VB100").first, 0x12);
}

INSTANTIATE_TEST_SUITE_P(Faults, MonitorThreadFailureTest,
    ::testing::Values(ThreadFailureCase {PlcSimFault::BadChecksum, kCrcText},
                      ThreadFailureCase {PlcSimFault::WrongEcho, kWrongReplyText},
                      ThreadFailureCase {PlcSimFault::ShortReply, kWrongReplyText},
                      ThreadFailureCase {PlcSimFault::TruncatedReply, kCrcText}));

TEST_F(MonitorCommandTest, ACycleOneByteShortEndsMonitoringAndFreesTheValueLock)
{
    // The PLC sends one byte value fewer than the project's lists need.
    sim.SetMonitorLists(std::vector<WORD>(List(0).begin(), List(0).end() - 1), List(1), List(2), List(3));
    sim.SetMemory(CodeOf("%HC0"), Le(0x01020304, 4));

    command->ToggleMonitor();
    ASSERT_NE(command->MonitorThread(), nullptr);
    RunUntilMonitoringEnds();

    ExpectMonitoringOff();
    std::vector<RecordedMessage> messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "Communication Error");
    EXPECT_EQ(messages[0].text, kShortCycleText);
    EXPECT_EQ(Read("%HC0").first, 0);
}

} // namespace
