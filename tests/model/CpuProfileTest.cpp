#include "AppDataFixture.h"

#include "model/CpuProfile.h"

#include <string>

namespace {

struct ProfileColumn {
    const char* name;
    int subType;
    int subroutines, interrupts, subroutineNumber, interruptNumber;
    int digitalInputs, digitalOutputs, analogInputs, analogOutputs, expansionModules;
    int instructions, replyTimeout, probeTimeout, localBitBytes, localDataBytes;
    int forceTableBlockType, xrefCapacity, eventNumber, hscNumber, hscMode, pulseOutput, portNumber;
    int backupFirst, backupLast;
};

const ProfileColumn kVA10 = {"VA10", 0, 16, 16, 99, 64, 9, 7, 0, 0, 0, 1024, 8000, 600, 4, 12,
    9, 2200, 30, 1, 11, 1, 0, 1648, 1775};
const ProfileColumn kVB12 = {"VB12", 3, 16, 16, 99, 64, 9, 7, 0, 0, 0, 1024, 8000, 600, 4, 12,
    9, 2200, 30, 1, 11, 1, 0, 1648, 1775};
const ProfileColumn kVB14 = {"VB14", 3, 16, 16, 99, 64, 64, 64, 16, 16, 4, 1280, 2000, 300, 4, 12,
    9, 2200, 30, 5, 11, 1, 0, 3648, 3902};
const ProfileColumn kVB16 = {"VB16", 1, 99, 64, 99, 64, 256, 256, 32, 32, 15, 4096, 2000, 300, 16, 256,
    10, 8200, 32, 5, 11, 1, 1, 3648, 3902};
const ProfileColumn kVC14 = {"VC14", 2, 99, 64, 99, 64, 14, 10, 0, 0, 0, 4096, 2000, 300, 16, 256,
    10, 8200, 32, 5, 11, 1, 1, 3648, 3902};
const ProfileColumn kVC16 = {"VC16", 2, 99, 64, 99, 64, 24, 16, 0, 0, 0, 4096, 2000, 300, 16, 256,
    10, 8200, 32, 5, 11, 1, 1, 3648, 3902};

void ExpectColumn(const CZULAppData& app, const ProfileColumn& c)
{
    SCOPED_TRACE(c.name);
    EXPECT_EQ(app.ProfileSubType, c.subType);
    EXPECT_EQ(MaxSubroutineCount, c.subroutines);
    EXPECT_EQ(MaxInterruptCount, c.interrupts);
    EXPECT_EQ(MaxSubroutineNumber, c.subroutineNumber);
    EXPECT_EQ(MaxInterruptNumber, c.interruptNumber);
    EXPECT_EQ(MaxDigitalInputs, c.digitalInputs);
    EXPECT_EQ(MaxDigitalOutputs, c.digitalOutputs);
    EXPECT_EQ(MaxAnalogInputs, c.analogInputs);
    EXPECT_EQ(MaxAnalogOutputs, c.analogOutputs);
    EXPECT_EQ(MaxExpansionModules, c.expansionModules);
    EXPECT_EQ(MaxInstructions, c.instructions);
    EXPECT_EQ(ReplyTimeout, c.replyTimeout);
    EXPECT_EQ(ProbeTimeout, c.probeTimeout);
    EXPECT_EQ(LocalBitBytes, c.localBitBytes);
    EXPECT_EQ(LocalDataBytes, c.localDataBytes);
    EXPECT_EQ(ForceTableBlockType, c.forceTableBlockType);
    EXPECT_EQ(XrefCapacity, c.xrefCapacity);
    EXPECT_EQ(MaxEventNumber, c.eventNumber);
    EXPECT_EQ(MaxHscNumber, c.hscNumber);
    EXPECT_EQ(MaxHscMode, c.hscMode);
    EXPECT_EQ(MaxPulseOutput, c.pulseOutput);
    EXPECT_EQ(MaxPortNumber, c.portNumber);
    EXPECT_EQ(DataBackupFirstByte, c.backupFirst);
    EXPECT_EQ(DataBackupLastByte, c.backupLast);
    EXPECT_EQ(app.Project.ForceImageSize, 6402);
}

// Puts values into every profile global so that a profile must write each one.
void ScrambleProfileValues(CZULAppData& app)
{
    for (int* value : {&MaxSubroutineCount, &MaxInterruptCount, &MaxSubroutineNumber, &MaxInterruptNumber,
             &MaxDigitalInputs, &MaxDigitalOutputs, &MaxAnalogInputs, &MaxAnalogOutputs, &MaxExpansionModules,
             &MaxInstructions, &ReplyTimeout, &ProbeTimeout, &LocalBitBytes, &LocalDataBytes,
             &ForceTableBlockType, &XrefCapacity, &MaxEventNumber, &MaxHscNumber, &MaxHscMode, &MaxPulseOutput,
             &MaxPortNumber, &DataBackupFirstByte, &DataBackupLastByte})
        *value = -7;
    app.ProfileSubType = 99;
    app.Project.ForceImageSize = 0;
}

} // namespace

class CpuProfileTest : public AppDataFixture {};

TEST_F(CpuProfileTest, EveryProfileWritesItsColumn)
{
    struct Case {
        void (CZULAppData::*apply)();
        const ProfileColumn* column;
    };
    const Case cases[] = {
        {&CZULAppData::ApplyVA10Profile, &kVA10}, {&CZULAppData::ApplyVB12Profile, &kVB12},
        {&CZULAppData::ApplyVB14Profile, &kVB14}, {&CZULAppData::ApplyVB16Profile, &kVB16},
        {&CZULAppData::ApplyVC14Profile, &kVC14}, {&CZULAppData::ApplyVC16Profile, &kVC16},
    };
    for (const Case& c : cases) {
        ScrambleProfileValues(*m_app);
        (m_app.get()->*c.apply)();
        ExpectColumn(*m_app, *c.column);
    }
}

// Family 8 and families outside 0..7 load the VB14 limits; VB14EX the VB16 ones.
TEST_F(CpuProfileTest, FamilyIndexSelectsTheProfile)
{
    struct Case {
        int familyIndex;
        DWORD familyBit;
        const ProfileColumn* column;
    };
    const Case cases[] = {
        {0, 1, &kVB12}, {1, 2, &kVB14}, {2, 4, &kVB16}, {3, 8, &kVB14}, {4, 16, &kVB16},
        {5, 32, &kVA10}, {6, 64, &kVC14}, {7, 128, &kVC16}, {8, 0, &kVB14}, {-1, 0, &kVB14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.familyIndex);
        m_app->Project.CPUFamilyIndex = c.familyIndex;
        EXPECT_EQ(m_app->GetCPUFamilyMask(), c.familyBit);
        EXPECT_EQ(GetCPUFamilyMask(), c.familyBit);
        ScrambleProfileValues(*m_app);
        m_app->ApplyFamilyProfile();
        ExpectColumn(*m_app, *c.column);
    }
}

TEST_F(CpuProfileTest, TimeoutsChangeOnlyWhenTheNextProfileIsApplied)
{
    m_app->Project.CPUFamilyIndex = 5;
    m_app->ApplyFamilyProfile();
    EXPECT_EQ(ReplyTimeout, 8000);
    m_app->Project.CPUFamilyIndex = 2;
    EXPECT_EQ(ReplyTimeout, 8000);
    m_app->ApplyFamilyProfile();
    EXPECT_EQ(ReplyTimeout, 2000);
    EXPECT_EQ(ProbeTimeout, 300);
}

TEST_F(CpuProfileTest, PIDLoopDefaults)
{
    m_app->PIDLoops[3].KP = 5.0f;
    m_app->PIDLoops[3].VWBase = 1;
    m_app->PIDMonitor.RequestFlag = 1;
    m_app->CurrentPIDLoop = 4;
    m_app->PIDGenerateMode = 2;
    m_app->PIDVarFilePath = "x.ilv";
    m_app->PIDTrendOpen = 1;
    m_app->PIDSubroutineBase = 7;
    m_app->InitPIDLoopDefaults();

    EXPECT_EQ(m_app->PIDMonitor.RequestFlag, 0);
    EXPECT_EQ(m_app->CurrentPIDLoop, 0);
    EXPECT_EQ(m_app->PIDGenerateMode, 0);
    EXPECT_EQ(m_app->PIDVarFilePath, "");
    EXPECT_EQ(m_app->PIDTrendOpen, 0);
    EXPECT_EQ(m_app->PIDSubroutineBase, 90);
    struct Case {
        int n;
        int vw, vr, vb, timer, duty;
    };
    for (const Case& c : {Case {0, 2900, 3890, 2940, 19, 100}, Case {3, 2600, 3854, 2640, 13, 121},
             Case {7, 2200, 3806, 2240, 5, 149}}) {
        SCOPED_TRACE(c.n);
        const CPIDLoopConfig& loop = m_app->PIDLoops[c.n];
        EXPECT_EQ(loop.VWBase, c.vw);
        EXPECT_EQ(loop.VWLength, 40);
        EXPECT_EQ(loop.VRBase, c.vr);
        EXPECT_EQ(loop.VRLength, 12);
        EXPECT_EQ(loop.VBBase, c.vb);
        EXPECT_EQ(loop.VBLength, 60);
        EXPECT_EQ(loop.AutoFlagByte, 30);
        EXPECT_EQ(loop.AutoFlagBit, c.n);
        EXPECT_EQ(loop.SecondFlagByte, 31);
        EXPECT_EQ(loop.SecondFlagBit, c.n);
        EXPECT_EQ(loop.TimerNumber, c.timer);
        EXPECT_EQ(loop.TimerSpare, 2);
        EXPECT_EQ(loop.KP, 0.0f);
        EXPECT_EQ(loop.CYCLE, 0);
        EXPECT_EQ(loop.DutyPeriod, c.duty);
        EXPECT_EQ(loop.AnalogOutput, 1);
        EXPECT_EQ(loop.TuneControl, 0x8C);
        EXPECT_EQ(loop.PVFIL, 1);
        EXPECT_FLOAT_EQ(loop.HYS, 0.02f);
        EXPECT_FLOAT_EQ(loop.DEV, 0.08f);
        EXPECT_FLOAT_EQ(loop.STEP, 0.1f);
        EXPECT_FLOAT_EQ(loop.WDG, 7200.0f);
    }
    // Records 8 to 23 are not used and keep their values.
    EXPECT_EQ(m_app->PIDLoops[8].VWBase, 0);
    EXPECT_EQ(m_app->PIDLoops[23].DutyPeriod, 0);
}

TEST_F(CpuProfileTest, OnlyTheLargerProfilesResetThePIDLoops)
{
    struct Case {
        void (CZULAppData::*apply)();
        bool resets;
    };
    const Case cases[] = {
        {&CZULAppData::ApplyVA10Profile, false}, {&CZULAppData::ApplyVB12Profile, false},
        {&CZULAppData::ApplyVB14Profile, true}, {&CZULAppData::ApplyVB16Profile, true},
        {&CZULAppData::ApplyVC14Profile, true}, {&CZULAppData::ApplyVC16Profile, true},
    };
    for (const Case& c : cases) {
        m_app->PIDLoops[2].KP = 1.5f;
        m_app->PIDLoops[2].VWBase = 100;
        m_app->PIDGenerateMode = 1;
        (m_app.get()->*c.apply)();
        EXPECT_EQ(m_app->PIDLoops[2].VWBase, c.resets ? 2700 : 100);
        EXPECT_EQ(m_app->PIDLoops[2].KP, c.resets ? 0.0f : 1.5f);
        EXPECT_EQ(m_app->PIDGenerateMode, c.resets ? 0 : 1);
    }
}

TEST_F(CpuProfileTest, EveryProfileEmptiesTheProjectWideFindResults)
{
    CFindState& find = m_app->Find;
    find.DialogMode = 2;
    find.ResultCount = 3;
    find.CurrentResult = 3;
    find.LdIgnoreMask = 5;
    find.SearchPOUName = "MAIN";
    for (int i : {0, 1, 9999}) {
        find.Results[i].POUName = "SBR01";
        find.Results[i].Action = 2;
        find.Results[i].Language = 2;
        find.Results[i].Network = 4;
        find.Results[i].ElementKind = 1;
        find.Results[i].ParamIndex = 3;
        find.Results[i].LineText = "LD %I0.0";
        find.Results[i].Length2OrHeight = 6;
    }
    find.MarkTable[1].POUName = "MAIN";
    CUserInterface::Output().AppendOutputLine(2, "    1. IL program \"MAIN\": Row 1");
    CUserInterface::Output().AppendOutputLine(0, "kept");

    m_app->ApplyVA10Profile();

    EXPECT_EQ(find.DialogMode, 0);
    EXPECT_EQ(find.ResultCount, 0);
    EXPECT_EQ(find.CurrentResult, 1);
    EXPECT_EQ(find.LdIgnoreMask, 0);
    EXPECT_EQ(find.SearchPOUName, "");
    for (int i : {1, 9999}) {
        const CFindResult& r = find.Results[i];
        EXPECT_EQ(r.Element, nullptr);
        EXPECT_EQ(r.Action, 1);
        EXPECT_EQ(r.Language, 0);
        EXPECT_EQ(r.POUName, "");
        EXPECT_EQ(r.Network, -1);
        EXPECT_EQ(r.ElementKind, 255);
        EXPECT_EQ(r.ElementText, "");
        EXPECT_EQ(r.InstanceFlag, 0);
        EXPECT_EQ(r.ParamIndex, 0);
        EXPECT_EQ(r.ParamGroup, 0);
        EXPECT_EQ(r.LineText, "");
        EXPECT_EQ(r.Length2OrHeight, 0);
    }
    EXPECT_EQ(find.Results[0].POUName, "SBR01");   // entry 0 is never used
    EXPECT_EQ(find.MarkTable[1].POUName, "MAIN");  // the editors' marks are not project-wide results
    EXPECT_TRUE(m_ui.output.Lines(2).empty());
    EXPECT_EQ(m_ui.output.Lines(0), std::vector<std::string> {"kept"});
}

TEST(CpuTypeNameTest, NamesByHardwareCode)
{
    const std::string unknown = " \xCE\xB4\xD6\xAA\xC0\xE0\xD0\xCD";
    struct Case {
        int code;
        std::string name;
    };
    const Case cases[] = {
        {0, " CPUVB12"}, {1, " CPUVB12"}, {31, " CPUVB12"}, {32, " CPUVB12"},
        {33, " CPUVB12EX"}, {34, " CPUVB12EX"},
        {2, " CPUVB14"}, {3, " CPUVB14"}, {35, " CPUVB14"}, {39, " CPUVB14"},
        {36, " CPUVB14EX"}, {37, " CPUVB14EX"}, {40, " CPUVB14EX"},
        {4, " CPUVB16"}, {5, " CPUVB16"}, {43, " CPUVB16"}, {44, " CPUVB16"},
        {45, " CPUVC14"}, {46, " CPUVC14"},
        {47, " CPUVC16"}, {48, " CPUVC16"}, {49, " CPUVC16"}, {51, " CPUVC16"},
        {50, " CPUVA10"},
        {6, unknown}, {30, unknown}, {38, unknown}, {41, unknown}, {52, unknown}, {255, unknown}, {-1, unknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetCPUTypeName(c.code), c.name) << c.code;
}

TEST(CpuFamilyIndexTest, FromHardwareCodeAndDefaultCpuRow)
{
    const int byCode[][2] = {
        {0, 0}, {1, 0}, {31, 0}, {32, 0}, {2, 1}, {3, 1}, {33, 1}, {34, 1}, {35, 1}, {39, 1},
        {4, 2}, {5, 2}, {43, 2}, {44, 2}, {36, 4}, {37, 4}, {40, 4}, {50, 5}, {45, 6}, {46, 6},
        {47, 7}, {48, 7}, {49, 7}, {51, 7}, {38, 1}, {99, 1}, {-3, 1},
    };
    for (const auto& c : byCode)
        EXPECT_EQ(CpuFamilyIndexFromHardwareCode(c[0]), c[1]) << "code " << c[0];

    const int byRow[][2] = {
        {0, 5}, {1, 0}, {3, 0}, {4, 1}, {9, 1}, {10, 4}, {12, 4}, {13, 2}, {16, 2},
        {17, 6}, {18, 6}, {19, 7}, {22, 7}, {23, 1}, {-1, 1},
    };
    for (const auto& c : byRow)
        EXPECT_EQ(CpuFamilyIndexFromDefaultCpuRow(c[0]), c[1]) << "row " << c[0];
}

TEST(CanBaudCodeTest, BothDirectionsWithTheirFallbacks)
{
    const int table[][2] = {{0, 10}, {1, 20}, {2, 50}, {3, 125}, {4, 250}, {5, 500}, {6, 800}, {7, 1000}};
    for (const auto& row : table) {
        EXPECT_EQ(CZULAppData::CanCodeToBaud(row[0]), row[1]);
        EXPECT_EQ(CZULAppData::CanBaudToCode(row[1]), row[0]);
    }
    EXPECT_EQ(CZULAppData::CanBaudToCode(100), 5);
    EXPECT_EQ(CZULAppData::CanBaudToCode(0), 5);
    EXPECT_EQ(CZULAppData::CanCodeToBaud(9), 500);
    EXPECT_EQ(CZULAppData::CanCodeToBaud(-1), 500);
    EXPECT_EQ(CZULAppData::CanCodeToBaud(8), 500);
}
