#include "PlcCommandFixture.h"

#include "ObjectCodeBuilder.h"
#include "UploadImageBuilder.h"
#include "VarBlockBuilder.h"
#include "model/CMemAreaInfo.h"

#include "support/FileBytes.h"
#include "model/CZULAppData.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CpuProfile.h"
#include "plclink/CPlcCommPort.h"
#include "plclink/CPlcCommands.h"
#include "plclink/PlcCompatibility.h"
#include "platform/CPathProvider.h"
#include "platform/Tick.h"

#include <functional>

namespace {

const char* const kTimeoutText = "Communication time-out.\r\nCheck the port, communication parameters and the attached cable.";

struct NamedCommand {
    const char* name;
    std::function<void(CPlcCommands&)> run;
    DWORD lockWaitMs;
};

const NamedCommand kLockedCommands[] = {
    {"Information", [](CPlcCommands& c) { c.OnPlcInformation(); }, 1500},
    {"Clear", [](CPlcCommands& c) { c.OnPlcClear(); }, 1000},
    {"STOP", [](CPlcCommands& c) { c.OnPlcStop(); }, 1000},
    {"RUN", [](CPlcCommands& c) { c.OnPlcRun(); }, 1000},
    {"Clock", [](CPlcCommands& c) { c.OnPlcClock(); }, 1500},
    {"Compare", [](CPlcCommands& c) { c.OnPlcCompare(); }, 1000},
    {"Download", [](CPlcCommands& c) { c.OnPlcDownload(); }, 1500},
    {"Upload", [](CPlcCommands& c) { c.OnPlcUpload(); }, 1500},
};

PlcSimIdentity Identity(BYTE major, BYTE minor, BYTE patch, bool tagged, BYTE variant = 1, BYTE model = 7, BYTE edition = 0x41)
{
    PlcSimIdentity id;
    id.firmware[0] = major;
    id.firmware[1] = minor;
    id.firmware[2] = patch;
    id.tagged = tagged;
    id.imageVariant = variant;
    id.cpuModel = model;
    id.edition = edition;
    return id;
}

CPlcIdentification ParsedIdentity(const PlcSimIdentity& id)
{
    std::vector<BYTE> data = {id.firmware[0], id.firmware[1], id.firmware[2], id.brandFlags, 1, 0x16, 0};
    if (id.tagged) {
        for (BYTE tag : {id.imageVariant, id.cpuModel, id.edition})
            data.insert(data.end(), 3, tag);
    }
    CPlcIdentification identification;
    identification.Parse(data.data(), static_cast<int>(data.size()));
    return identification;
}

} // namespace

class PlcCommandsTest : public PlcCommandTest {
protected:
    void SetUp() override
    {
        PlcCommandTest::SetUp();
        g_pAppData->Project.CPUFamilyIndex = 1;  // VB14: CPU models 4..8
    }

    // The object file that Compile All would have written.
    std::vector<BYTE> WriteObjectFile(size_t size)
    {
        std::vector<BYTE> image(size);
        for (size_t k = 0; k < size; ++k)
            image[k] = static_cast<BYTE>(k * 7 + 1);
        WriteFileBytes(folder / "Line 3.obj", image);
        return image;
    }

    CPlcCommands commands {compiler, dialogs, host};
};

TEST_F(PlcCommandsTest, InformationShowsTheDialogOnTheOpenPortWithStateAndIdentification)
{
    struct Case {
        PlcSimIdentity identity;
        bool running;
        const char* project;
        const char* mode;
        const char* firmware;
    };
    PlcSimIdentity branded = Identity(2, 1, 3, true, 1, 5, 0x02);
    branded.brandFlags = 0x40;
    const Case cases[] = {
        {Identity(5, 2, 1, true), true, " Plus, V1.1", " RUN", " 5.2.1"},
        {branded, false, " Standard, V1.2", " STOP", " 2.1.3 Orvel"},
        {Identity(1, 9, 5, false), false, " Unknown", " STOP", " 1.9.5"},
    };
    for (const Case& c : cases) {
        sim.SetIdentity(c.identity);
        sim.SetRunning(c.running);
        sim.ClearRequests();
        dialogs = CScriptedDialogs();
        commands.OnPlcInformation();
        ASSERT_EQ(dialogs.shown, std::vector<std::string>{"info"}) << c.firmware;
        EXPECT_TRUE(dialogs.portOpenWhenShown);
        EXPECT_EQ(RequestLetters(), "AE");
        EXPECT_EQ(g_pAppData->PlcRunState, c.running ? 1 : 0);
        EXPECT_EQ(dialogs.infoView.project, c.project);
        EXPECT_EQ(dialogs.infoView.mode, c.mode);
        EXPECT_EQ(dialogs.infoView.firmware, c.firmware);
        ASSERT_EQ(dialogs.infoView.modules.size(), 1u);
        EXPECT_EQ(dialogs.infoView.modules[0].position, "1");
        ExpectPortReleased();
    }
    EXPECT_TRUE(ui.box.Messages().empty());
}

// How long a command took to give up on the busy port.
DWORD TimeToGiveUp(const NamedCommand& command, CPlcCommands& commands)
{
    DWORD start = GetTickCount();
    command.run(commands);
    return GetTickCount() - start;
}

TEST_F(PlcCommandsTest, EveryCommandWaitsForABusyPortAndThenGivesUpWithoutSendingAnything)
{
    CLockHolder holder;
    for (const NamedCommand& command : kLockedCommands) {
        ui.box.Clear();
        DWORD waited = TimeToGiveUp(command, commands);
        DWORD lockWait = g_PlcCommPort.LockWait(command.lockWaitMs);
        EXPECT_GE(waited + 20, lockWait) << command.name;
        EXPECT_LT(waited, lockWait + 500) << command.name;
        std::vector<RecordedMessage> messages = ui.box.Messages();
        ASSERT_FALSE(messages.empty()) << command.name;
        EXPECT_EQ(messages.back().caption, "Note") << command.name;
        EXPECT_EQ(messages.back().text, kBusyText) << command.name;
        EXPECT_EQ(messages.back().type, MB_OK | MB_ICONINFORMATION) << command.name;
        EXPECT_FALSE(g_PlcCommPort.IsOpen()) << command.name;
    }
    EXPECT_TRUE(sim.Requests().empty());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(compiler.calls, 0);
}

TEST_F(PlcCommandsTest, ABusyPortIsWaitedForTheCommandsFullTimeInTheProgram)
{
    g_PlcCommPort.LockWaitPercent = kRealWaits.lockWait;
    CLockHolder holder;
    const NamedCommand& information = kLockedCommands[0];
    DWORD waited = TimeToGiveUp(information, commands);
    EXPECT_GE(waited + 20, information.lockWaitMs);
    EXPECT_LT(waited, information.lockWaitMs + 500);
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{kBusyText});
}

TEST_F(PlcCommandsTest, ClearAndRunStopAskFirstAndConfirmWhatThePlcDid)
{
    ui.box.Answer(IDNO);
    commands.OnPlcClear();
    EXPECT_TRUE(sim.Requests().empty());
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"Are you sure you want to clear all the project information in the PLC?"});

    ui.box.Clear();
    commands.OnPlcClear();
    EXPECT_EQ(sim.ClearCount(), 1);
    EXPECT_EQ(ui.box.Messages().back().text, "All the project information in the PLC has been cleared.  ");
    ExpectPortReleased();

    ui.box.Clear();
    commands.OnPlcRun();
    EXPECT_TRUE(sim.Running());
    EXPECT_EQ(ui.box.Texts(), (std::vector<std::string>{"Place the PLC in RUN mode?", "The PLC is now in RUN mode.  "}));
    EXPECT_EQ(ui.box.Messages()[0].type, MB_YESNO | MB_ICONQUESTION);

    ui.box.Clear();
    commands.OnPlcStop();
    EXPECT_FALSE(sim.Running());
    EXPECT_EQ(ui.box.Texts(), (std::vector<std::string>{"Place the PLC in STOP mode?", "The PLC is now in STOP mode. "}));

    ui.box.Clear();
    ui.box.Answer(IDNO);
    sim.ClearRequests();
    commands.OnPlcRun();
    EXPECT_TRUE(sim.Requests().empty());
    EXPECT_FALSE(sim.Running());
    ExpectPortReleased();
}

TEST_F(PlcCommandsTest, AFailedExchangeIsReportedAndNoDialogOpens)
{
    sim.InjectFault(PlcSimFault::Stall);
    commands.OnPlcClock();
    EXPECT_TRUE(dialogs.shown.empty());
    ASSERT_EQ(ui.box.Messages().size(), 1u);
    EXPECT_EQ(ui.box.Messages()[0].caption, "Communication error");
    EXPECT_EQ(ui.box.Messages()[0].text, kTimeoutText);
    ExpectPortReleased();

    ui.box.Clear();
    commands.OnPlcClock();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"clock"});
    EXPECT_TRUE(dialogs.portOpenWhenShown);
    EXPECT_TRUE(ui.box.Messages().empty());
    ExpectPortReleased();
}

TEST_F(PlcCommandsTest, CompareComparesThePlcSignatureWithTheCompiledProject)
{
    sim.SetSignature(0x1234);
    struct Case {
        WORD projectSignature;
        BOOL compiles;
        std::vector<std::string> texts;
    };
    const Case cases[] = {
        {0x1234, TRUE, {"The current project is the same as that in the PLC."}},
        {0x3412, TRUE, {"The current project is different from that in the PLC."}},
        {0x1234, FALSE, {}},
    };
    for (const Case& c : cases) {
        ui.box.Clear();
        sim.ClearRequests();
        compiler.succeeds = c.compiles;
        compiler.onCompile = [&c] { g_pAppData->Project.ProjectSignature = c.projectSignature; };
        commands.OnPlcCompare();
        EXPECT_EQ(RequestLetters(), "H");
        EXPECT_EQ(ui.box.Texts(), c.texts);
        ExpectPortReleased();
    }
    EXPECT_EQ(compiler.calls, 3);
}

TEST_F(PlcCommandsTest, CompatibilityRulesAcceptRefuseAndChooseTheImageVariant)
{
    struct Case {
        PlcSimIdentity identity;
        DWORD family;
        PlcCompatibilityVerdict verdict;
        BYTE subType;  // 9: unchanged
    };
    const Case cases[] = {
        {Identity(1, 9, 5, false), CPU_FAMILY_VB12, PLC_COMPATIBLE, PROFILE_SUBTYPE_VA10},
        {Identity(1, 9, 5, false), CPU_FAMILY_NONE8, PLC_COMPATIBLE, PROFILE_SUBTYPE_VA10},
        {Identity(1, 9, 5, false), CPU_FAMILY_VC14, PLC_REFUSED_CPU, 9},
        {Identity(1, 9, 5, true, 1, 16), CPU_FAMILY_VA10, PLC_COMPATIBLE, PROFILE_SUBTYPE_VA10},
        {Identity(1, 9, 5, true, 1, 16), CPU_FAMILY_VB12, PLC_REFUSED_CPU, 9},
        {Identity(2, 1, 0, false), CPU_FAMILY_VB14EX, PLC_COMPATIBLE, PROFILE_SUBTYPE_VB16},
        {Identity(2, 2, 0, false), CPU_FAMILY_VC14, PLC_COMPATIBLE, PROFILE_SUBTYPE_VC},
        {Identity(2, 2, 0, false), CPU_FAMILY_VC16, PLC_REFUSED_CPU, 9},
        {Identity(2, 3, 0, true, 1, 10), CPU_FAMILY_VB14EX, PLC_COMPATIBLE, 1},
        {Identity(2, 3, 0, true, 1, 12), CPU_FAMILY_VB14EX, PLC_REFUSED_CPU, 1},
        {Identity(1, 9, 6, true, 2, 23), CPU_FAMILY_VC16, PLC_COMPATIBLE, 2},
        {Identity(1, 10, 0, true, 3, 5), CPU_FAMILY_NONE8, PLC_COMPATIBLE, 3},
        {Identity(1, 8, 0, false), CPU_FAMILY_VB12, PLC_REFUSED_FIRMWARE, 9},
        {Identity(1, 9, 4, true, 1, 2), CPU_FAMILY_VB12, PLC_REFUSED_FIRMWARE, 9},
        {Identity(3, 0, 0, false), CPU_FAMILY_VB12, PLC_REFUSED_FIRMWARE, 9},
    };
    for (const Case& c : cases) {
        BYTE subType = 9;
        EXPECT_EQ(JudgePlcCompatibility(ParsedIdentity(c.identity), c.family, subType), c.verdict)
            << int(c.identity.firmware[1]) << " family " << c.family;
        EXPECT_EQ(subType, c.subType) << int(c.identity.firmware[1]) << " family " << c.family;
    }
}

TEST_F(PlcCommandsTest, DownloadRefusesAnUnsuitablePlcBeforeCompiling)
{
    struct Case {
        PlcSimIdentity identity;
        int familyIndex;
        const char* text;
    };
    const Case cases[] = {
        {Identity(1, 8, 0, false), 0,
         "Unable to download because the version of the firmware (1.8.0) does not match that of OrvelBuilder."},
        {Identity(1, 9, 5, false), 6,
         "Unable to download because the connected CPU is different from the one in the Hardware configuration."},
    };
    for (const Case& c : cases) {
        ui.box.Clear();
        sim.SetIdentity(c.identity);
        g_pAppData->Project.CPUFamilyIndex = c.familyIndex;
        commands.OnPlcDownload();
        EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{c.text});
        EXPECT_EQ(g_pAppData->PlcIdent[0], c.identity.firmware[0]);
        EXPECT_EQ(g_pAppData->PlcIdent[1], c.identity.firmware[1]);
        ExpectPortReleased();
    }
    EXPECT_EQ(compiler.calls, 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PlcCommandsTest, DownloadWithCompileErrorsLogsTheAbortAndShowsNoDialog)
{
    compiler.succeeds = FALSE;
    commands.OnPlcDownload();
    EXPECT_EQ(compiler.compilingForDownloadSeen, 1);
    EXPECT_EQ(g_pAppData->CompilingForDownload, 0);
    EXPECT_EQ(g_pAppData->ProfileSubType, 1);
    EXPECT_EQ(ui.output.StatusCodes(), std::vector<int>{1});
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(ui.box.Messages().empty());
    ExpectPortReleased();
}

TEST_F(PlcCommandsTest, DownloadStopsARunningPlcAndRetriesWithThePassword)
{
    std::vector<BYTE> image = WriteObjectFile(453);
    sim.SetRunning(true);
    sim.SetPassword("ab", CPlcSimulator::LevelPartial);
    g_pAppData->DataBackupUsed = 1;
    dialogs.password = "ab";
    dialogs.downloadOptions = 0x06;
    commands.OnPlcDownload();

    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"download", "enter password"}));
    EXPECT_EQ(dialogs.downloadResult, PLC_OK);
    image.insert(image.end(), 3, 0x06);
    EXPECT_EQ(sim.Image(), image);
    EXPECT_FALSE(sim.Running());
    std::vector<RecordedMessage> messages = ui.box.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text,
              "The \"Data Backup\" function is used in the project. \nPlease note that EEPROM only allows 100 thousand of times of writing operations.");
    EXPECT_EQ(messages[1].caption, "Note");
    EXPECT_EQ(messages[1].text, " The PLC is now in RUN mode.\r\nDo you want to place it in STOP mode and continue to download?");
    EXPECT_EQ(ui.output.StatusCodes(), std::vector<int>{2});
    EXPECT_EQ(g_pAppData->DataBackupUsed, 0);
    ExpectPortReleased();
}

TEST_F(PlcCommandsTest, DownloadEndsQuietlyOnNoAndReportsACancelledPassword)
{
    WriteObjectFile(120);
    sim.SetRunning(true);
    ui.box.Answer(IDNO);
    commands.OnPlcDownload();
    EXPECT_EQ(dialogs.downloadResult, PLC_DECLINED);
    EXPECT_EQ(ui.box.Messages().size(), 1u);
    EXPECT_TRUE(sim.Image().empty());
    EXPECT_TRUE(sim.Running());
    ExpectPortReleased();

    ui.box.Clear();
    sim.SetRunning(false);
    sim.SetPassword("ab", CPlcSimulator::LevelPartial);
    dialogs.passwordAnswer = IDCANCEL;
    commands.OnPlcDownload();
    EXPECT_EQ(dialogs.downloadResult, PLC_PASSWORD_CANCELLED);
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"Current operation need a password, current operation canceled."});
    EXPECT_TRUE(sim.Image().empty());
    EXPECT_TRUE(ui.output.StatusCodes().empty());
    ExpectPortReleased();

    ui.box.Clear();
    dialogs.passwordAnswer = IDOK;
    dialogs.password = "xy";
    commands.OnPlcDownload();
    EXPECT_EQ(dialogs.downloadResult, PLC_PASSWORD);
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"Wrong password."});
}

TEST_F(PlcCommandsTest, UploadRulesAcceptOnlyAKnownPlc)
{
    struct Case {
        PlcSimIdentity identity;
        BYTE edition;
        PlcCompatibilityVerdict verdict;
    };
    const Case cases[] = {
        {Identity(1, 9, 5, false), 0, PLC_COMPATIBLE},
        {Identity(2, 2, 0, false), 0, PLC_COMPATIBLE},
        {Identity(2, 3, 0, true, 1, 16), 0, PLC_COMPATIBLE},
        {Identity(2, 3, 0, true, 1, 16), 0x40, PLC_REFUSED_CPU},
        {Identity(2, 3, 0, true, 1, 15), 1, PLC_COMPATIBLE},
        {Identity(2, 3, 0, true, 1, 9), 3, PLC_REFUSED_CPU},
        {Identity(2, 3, 0, true, 1, 17), 2, PLC_COMPATIBLE},
        {Identity(2, 0, 0, false), 0, PLC_REFUSED_FIRMWARE},
        {Identity(1, 9, 4, false), 0, PLC_REFUSED_FIRMWARE},
        {Identity(0, 9, 9, false), 0, PLC_REFUSED_FIRMWARE},
        {Identity(3, 0, 0, false), 0, PLC_REFUSED_UNKNOWN},
        {Identity(1, 9, 5, true, 1, 16), 0, PLC_REFUSED_UNKNOWN},
    };
    for (const Case& c : cases)
        EXPECT_EQ(JudgeUploadCompatibility(ParsedIdentity(c.identity), c.edition), c.verdict)
            << int(c.identity.firmware[0]) << "." << int(c.identity.firmware[1]) << " edition " << int(c.edition);
}

TEST_F(PlcCommandsTest, UploadRefusalsAndFailuresEndBeforeTheProjectIsTouched)
{
    struct Case {
        PlcSimIdentity identity;
        bool uploadDisabled;
        const char* text;
    };
    const Case cases[] = {
        {Identity(3, 0, 0, false), false,
         "Unable to upload because Quillon can not get effective PLC information from the connected CPU."},
        {Identity(2, 3, 0, true, 1, 16, 0x40), false,
         "Unable to upload because the connected CPU is different from the PLC information."},
        {Identity(1, 8, 0, false), false,
         "Unable to upload because the version of the firmware (1.8.0) does not match that of OrvelBuilder."},
        {Identity(2, 3, 0, true, 1, 16, 0x00), true, "The PLC was set to \"upload disabled\"."},
    };
    for (const Case& c : cases) {
        ui.box.Clear();
        sim.SetIdentity(c.identity);
        sim.SetUploadDisabled(c.uploadDisabled);
        commands.OnPlcUpload();
        EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{c.text});
        EXPECT_TRUE(host.offeredName.empty());
        ExpectPortReleased();
    }
    EXPECT_EQ(host.closeProjectCalls, 0);
    EXPECT_EQ(g_pAppData->ProfileSubType, 0);
}

TEST_F(PlcCommandsTest, UploadAsksForThePasswordAndOffersANewProjectFile)
{
    std::vector<BYTE> image(300, 0);
    image[5] = 0x80;  // a variant byte this program does not know
    sim.SetImage(image);
    sim.SetIdentity(Identity(2, 3, 0, true, 1, 16, 0x00));
    sim.SetPassword("pw", CPlcSimulator::LevelMinimum);
    dialogs.password = "pw";
    commands.OnPlcUpload();
    EXPECT_EQ(dialogs.shown, std::vector<std::string>{"enter password"});
    EXPECT_EQ(g_pAppData->Project.TransferBuffer, image);
    EXPECT_EQ(host.offeredFolder, CPathProvider::DefaultProjectFolder());
    EXPECT_EQ(host.offeredName.rfind("project-", 0), 0u);
    EXPECT_EQ(host.offeredName.substr(host.offeredName.size() - 4), ".qpj");
    EXPECT_TRUE(ui.box.Messages().empty());
    ExpectPortReleased();

    // The open project is closed first; then the image is refused and no project is made.
    host.chooses = TRUE;
    host.closes = TRUE;
    host.previousFolder = folder / "uploads";
    commands.OnPlcUpload();
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"Unknown project in the PLC."});
    EXPECT_EQ(ui.box.Messages()[0].caption, "Error");
    EXPECT_EQ(host.offeredFolder, folder / "uploads");
    EXPECT_EQ(host.calls, std::vector<std::string>{"close"});
    ExpectPortReleased();
}

TEST_F(PlcCommandsTest, PasswordAndCommunicationsOpenTheirDialogs)
{
    commands.OnPlcPassword();
    EXPECT_TRUE(sim.Requests().empty());
    EXPECT_TRUE(commands.OnUpdateToolsCommunications());
    commands.OnToolsCommunications();
    EXPECT_EQ(dialogs.shown, (std::vector<std::string>{"password", "communications"}));
    ExpectPortReleased();

    dialogs.shown.clear();
    g_pAppData->Monitoring = 1;
    EXPECT_FALSE(commands.OnUpdateToolsCommunications());
    commands.OnToolsCommunications();
    g_pAppData->Monitoring = 0;
    g_pAppData->MonitorPause = 1;
    commands.OnToolsCommunications();
    g_pAppData->MonitorPause = 0;
    g_pAppData->PIDTrendOpen = 1;
    EXPECT_FALSE(commands.OnUpdateToolsCommunications());
    g_pAppData->PIDTrendOpen = 0;
    {
        CLockHolder holder;
        commands.OnToolsCommunications();
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(ui.box.Messages().empty());
}

TEST_F(PlcCommandsTest, UploadReplacesTheOpenProjectWithTheRestoredOne)
{
    using B = ObjectCodeBuilder;
    g_pAppData->LoadAreaTable();
    UploadImageBuilder image(1);
    image.Module(2, 0, 1, 0, 1).Module(9, 255, 255, 2, 2);
    image.CpuWord(202, 2);
    image.ObjectCode(B()
                         .Pou(1, 0xFF).Op(B::NETWORK).Op(B::LD).Addr("%I0.0").Op(B::CAL).Word(3).Op(B::MPEND)
                         .Pou(2, 0).Op(B::LD).Addr("%L0.0").Op(B::ST).Addr("%Q2.0").Op(B::SPEND)
                         .Finish());
    image.VariableBlock(VarBlock({VarRecord(3, 0, {{EncodeAddress("%L0.0", 0), 0x11}})}));
    sim.SetImage(image.Build());
    sim.SetIdentity(Identity(2, 3, 0, true, 1, 5, 0x01));
    ASSERT_EQ(mkdir((folder / "uploads").c_str(), 0700), 0);
    host.previousFolder = folder / "uploads";
    host.chooses = TRUE;
    host.closes = TRUE;

    commands.OnPlcUpload();
    EXPECT_TRUE(ui.box.Messages().empty());
    EXPECT_EQ(host.calls, (std::vector<std::string>{"close", "create", "save", "show", "save"}));
    EXPECT_EQ(host.createdPath, folder / "uploads/" + host.offeredName);
    EXPECT_TRUE(host.projectOpenWhenShown);
    EXPECT_EQ(g_pAppData->UploadFormat, 1);
    EXPECT_EQ(g_pAppData->Project.Modules.size(), 2u);
    ExpectPortReleased();

    // Cancelling the close of the open project ends the upload there.
    host.calls.clear();
    host.closes = FALSE;
    commands.OnPlcUpload();
    EXPECT_EQ(host.calls, std::vector<std::string>{"close"});
    ExpectPortReleased();
}

// An image that cannot be restored in full still gives the new project: the
// failure is reported, and what was restored is saved and shown.
TEST_F(PlcCommandsTest, AFailedRestoreIsReportedAndTheUploadGoesOn)
{
    constexpr BYTE kDigitalOut8 = 9;
    constexpr BYTE kBeyondTheStopStates = 200;
    g_pAppData->LoadAreaTable();
    UploadImageBuilder image(1);
    image.Module(2, 0, 1, 0, 1).Module(kDigitalOut8, 255, 255, kBeyondTheStopStates, kBeyondTheStopStates);
    image.CpuWord(202, 2);
    sim.SetImage(image.Build());
    sim.SetIdentity(Identity(2, 3, 0, true, 1, 5, 0x01));
    host.previousFolder = folder.Path();
    host.chooses = TRUE;
    host.closes = TRUE;

    commands.OnPlcUpload();
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>{"Failed to restore the project."});
    EXPECT_EQ(host.calls, (std::vector<std::string>{"close", "create", "save", "show", "save"}));
    EXPECT_TRUE(host.projectOpenWhenShown);
    // The modules restored before the output module's settings failed stay.
    ASSERT_EQ(g_pAppData->Project.Modules.size(), 2u);
    EXPECT_EQ(g_pAppData->Project.Modules[1]->hardwareCode, kDigitalOut8);
    ExpectPortReleased();
}

TEST_F(PlcCommandsTest, TheUploadedProjectGetsItsFBInstancesAfterItIsShownAndSavesThem)
{
    using B = ObjectCodeBuilder;
    g_pAppData->LoadAreaTable();
    UploadImageBuilder image(1);
    image.Module(2, 0, 1, 0, 1);
    image.CpuWord(202, 2);
    image.ObjectCode(B()
                         .Pou(1, 0xFF).Op(B::NETWORK).Op(B::LD).Addr("%I0.0").Op(B::TON).Addr("%T5").Word(100)
                         .Op(B::MPEND)
                         .Finish());
    sim.SetImage(image.Build());
    sim.SetIdentity(Identity(2, 3, 0, true, 1, 5, 0x01));
    host.previousFolder = folder.Path();
    host.chooses = TRUE;
    host.closes = TRUE;

    commands.OnPlcUpload();
    ASSERT_TRUE(ui.box.Messages().empty());
    EXPECT_TRUE(host.fbInstancesWhenShown.empty());
    EXPECT_EQ(host.fbInstancesWhenSaved, std::vector<std::string>{"TON T5 MAIN"});
    EXPECT_EQ(g_pAppData->Project.FBTable.FBInstances.size(), 1u);
}
