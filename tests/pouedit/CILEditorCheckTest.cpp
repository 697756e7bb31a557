#include "ILProgramFixture.h"

#include "model/CZULProjectPOUs.h"

namespace {

using Lines = std::vector<std::string>;
using States = std::vector<int>;
constexpr int E = IL_LINE_ERROR;

// Parameter flags of the test subroutine: an INT input and a BOOL output.
constexpr DWORD SPEED_FLAGS = OT_VAR_INPUT | OT_INT | OT_CONSTANT | OT_AREA_V | OT_AREA_M;
constexpr DWORD DONE_FLAGS = OT_VAR_OUTPUT | OT_BOOL | OT_AREA_Q | OT_AREA_M | OT_AREA_V;

class CILEditorCheckTest : public ILProgramFixture {
protected:
    struct Case {
        Lines lines;
        States states;
    };

    void ExpectVerdicts(const Case& c)
    {
        SetLines(c.lines);
        EXPECT_EQ(CheckAll(), c.states) << ::testing::PrintToString(c.lines);
    }
};

TEST_F(CILEditorCheckTest, PlainLines)
{
    ExpectVerdicts({{"(* Network 0 *)", "", "   ", "(* note *)", "LD      %I0.0", "AND(", "ST      %Q0.0",
                     "FOO     %Q0.0", "LD      %I0.0, %I0.1", "LD      NoSuchSymbol"},
                    {0, 0, 0, 0, 0, E, 0, E, E, E}});
}

TEST_F(CILEditorCheckTest, LabelsAndJumps)
{
    ExpectVerdicts({{"(* Network 0 *)", "loop:", "JMP     down", "JMPC    loop", "down :", "loop:", "JMP     nowhere",
                     "JMP", "JMP     loop, down", "L1: LD %I0.0", "%I0.0:", "RET", "RETC    x", "Motor:"},
                    {0, 0, 0, 0, 0, E, E, E, E, E, E, 0, E, 0}});
    // A label that names a subroutine is no valid label.
    AddSubroutine("Motor", 7);
    ExpectVerdicts({{"Motor:"}, {E}});
    EXPECT_EQ(Editor().GetLabels().count("MOTOR"), 0u);
}

TEST_F(CILEditorCheckTest, AttachNeedsAnInterruptAndAnEventUpTo32)
{
    AddInterrupt("Timer", 3);
    ExpectVerdicts({{"ATCH    Timer, 32", "ATCH    INT03, 0", "ATCH    Timer, 33", "ATCH    Pump, 1", "ATCH    Timer",
                     "ATCH    Timer, 1, 2", "ATCH    Timer, +1", "ATCH    Timer, 00000000000000000000001"},
                    {0, 0, E, E, E, E, E, 0}});
}

TEST_F(CILEditorCheckTest, BracketsPairWithinOneNetwork)
{
    const Lines network0 = {"(* Network 0 *)", "LD      %I0.0", "AND(", "LD      %I0.1", "OR      %I0.2", ")"};
    Lines paired = network0;
    paired.push_back("ST      %Q0.0");
    ExpectVerdicts({paired, {0, 0, 0, 0, 0, 0, 0}});

    // ")" without "(" marks its own line; an unclosed "(" marks its line.
    ExpectVerdicts({{"(* Network 0 *)", "LD      %I0.0", ")", "AND(", "LD      %I0.1"}, {0, 0, E, E, 0}});

    // "(" in one network and ")" in the next mark both lines.
    ExpectVerdicts({{"(* Network 0 *)", "LD      %I0.0", "AND(", "LD      %I0.1", "(* Network 1 *)", ")"},
                    {0, 0, E, 0, 0, E}});
}

TEST_F(CILEditorCheckTest, FullCheckForgetsBracketsOfLinesThatAreGone)
{
    // A longer text, then a shorter one as an undo reloads it.
    ExpectVerdicts({{"(* Network 0 *)", "LD      %I0.0", "AND(", "LD      %I0.1", "OR      %I0.2", ")", "ST      %Q0.0"},
                    {0, 0, 0, 0, 0, 0, 0}});
    ExpectVerdicts({{"(* Network 0 *)", "LD      %I0.0", "AND(", "LD      %I0.1"}, {0, 0, E, 0}});
}

TEST_F(CILEditorCheckTest, NumericOperandRanges)
{
    ExpectVerdicts({{"HSC     24", "HSC     25", "HDEF    0, 30", "HDEF    24, 31", "PLS     1", "PLS     2"},
                    {0, E, 0, E, 0, E}});
}

TEST_F(CILEditorCheckTest, PointerOperandsOnFamiliesThatHaveThem)
{
    const Case pointers = {{"MOVE    *VD100, %VW0", "MOVE    %VW0, *VD100", "MOVE    *VD100, 5", "INC     *VD100",
                            "SIN     *VD100, *VD104"},
                           {0, 0, E, 0, 0}};
    ExpectVerdicts(pointers);

    UseFamily(FAMILY_VB14_INDEX);
    m_app->ApplyFamilyProfile();
    ExpectVerdicts({{"MOVE    *VD100, %VW0"}, {E}});
}

TEST_F(CILEditorCheckTest, SubroutineCalls)
{
    AddSubroutine("Motor", 7, {{"SPEED", SPEED_FLAGS}}, {{"DONE", DONE_FLAGS}});
    ExpectVerdicts({{"CAL     Motor 100, %Q0.0", "CALC    Motor %VW0, %M0.0", "CALCN   SBR07 1, %Q0.0",
                     "CAL     Motor 100", "CAL     Motor 100, %Q0.0, %Q0.1",
                     "CAL     Motor %Q0.0, %Q0.0", "CAL     Motor %IW0, %Q0.0", "CAL", "CAL     Pump 1, %Q0.0"},
                    {0, 0, 0, E, E, E, E, E, E}});

    // A POU does not call itself: the call, upper-cased, is compared with
    // the POU's name as the POU has it.
    const struct {
        const char* pouName;
        States verdicts;
    } selfCalls[] = {
        {"MOTOR", {E, E}},
        {"Motor", {0, 0}},
    };
    for (const auto& row : selfCalls) {
        SCOPED_TRACE(row.pouName);
        m_host.pouName = row.pouName;
        ExpectVerdicts({{"CAL     Motor 100, %Q0.0", "CAL     motor 100, %Q0.0"}, row.verdicts});
    }
}

TEST_F(CILEditorCheckTest, LocalVariablesAndSymbolsAsOperands)
{
    AddSymbol("Start", "%I0.0", OT_BOOL);
    AddSymbol("Level", "%VW10", OT_INT);
    m_host.locals["FLAG"] = {"L0.0", OT_VAR | OT_BOOL | OT_AREA_L};
    ExpectVerdicts({{"LD      Start", "LD      Flag", "LD      Level", "MOVE    Level, %VW0"}, {0, 0, E, 0}});
}

TEST_F(CILEditorCheckTest, TimerDeclaredTwiceInOnePOU)
{
    SetLines({"(* Network 0 *)", "LD      %I0.0", "TON     T37, 100", "TON     %T37, 50", "CTU     C5, %I0.1, 10"});
    EXPECT_EQ(CheckAll(), (States{0, 0, 0, E, 0}));
    ASSERT_EQ(Editor().GetInstanceEntries().size(), 2u);
    EXPECT_EQ(Editor().GetInstanceEntries()[0].name, "C5");
    EXPECT_EQ(Editor().GetInstanceEntries()[0].row, 4);
    EXPECT_EQ(Editor().GetInstanceEntries()[1].fbType, "TON");

    // Deleting the first declaration and checking again clears the error.
    Text().erase(Text().begin() + 2);
    EXPECT_EQ(CheckAll(), (States{0, 0, 0, 0}));
    Lines names;
    Lines types;
    ASSERT_TRUE(Project().FBTable.GetFBInstancesOfPOU("MAIN", names, types));
    EXPECT_EQ(names.size(), 2u);
}

TEST_F(CILEditorCheckTest, InstanceEnteredByAScanBeforeTheFirstCheckIsClaimedByItsLine)
{
    // Compile All scanned the typed text before the editor ever checked it.
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T37", "TON", "MAIN", FB_LIST_TABLE));
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T38", "TON", "PUMP", FB_LIST_TABLE));
    ASSERT_TRUE(Project().FBTable.AddFBInstance("C5", "CTU", "MAIN", FB_LIST_TABLE));
    SetLines({"(* Network 0 *)", "TON     T37, 100", "TON     %T37, 50", "TON     T38, 10", "CTD     C5, %I0.1, 10"});
    // The first declaration takes the scanned entry; a second one, another
    // POU's instance and another type stay errors.
    EXPECT_EQ(CheckAll(), (States{0, 0, E, E, E}));
    EXPECT_FALSE(m_program->IsValid());
    Text().erase(Text().begin() + 2, Text().end());
    EXPECT_EQ(CheckAll(), (States{0, 0}));
    EXPECT_TRUE(m_program->IsValid());
    ASSERT_EQ(Editor().GetInstanceEntries().size(), 1u);
    EXPECT_EQ(Editor().GetInstanceEntries()[0].row, 1);
}

TEST_F(CILEditorCheckTest, InstanceDeclaredInTwoPOUsOfOneProject)
{
    FakePOUHost pumpHost;
    pumpHost.pouName = "PUMP";
    CILProgram pump(*m_app, &pumpHost);
    pump.GetLines() = {"(* Network 0 *)", "TON     T37, 100"};
    SetLines({"(* Network 0 *)", "TON     T37, 200"});

    EXPECT_EQ(CheckAll(), (States{0, 0}));
    pump.GetILEditor().CheckLines(TRUE, 0);
    EXPECT_EQ(pump.GetILEditor().GetLineState(1), E);
    EXPECT_TRUE(pump.GetILEditor().GetInstanceEntries().empty());

    // MAIN gives the timer up; PUMP may now declare it.
    Text()[1] = "TON     T38, 200";
    EXPECT_EQ(CheckAll(), (States{0, 0}));
    pump.GetILEditor().CheckLines(TRUE, 0);
    EXPECT_EQ(pump.GetILEditor().GetLineState(1), 0);
    Lines names;
    Lines types;
    ASSERT_TRUE(Project().FBTable.GetFBInstancesOfPOU("PUMP", names, types));
    EXPECT_EQ(names, (Lines{"T37"}));
    ASSERT_TRUE(Project().FBTable.GetFBInstancesOfPOU("MAIN", names, types));
    EXPECT_EQ(names, (Lines{"T38"}));
}

TEST_F(CILEditorCheckTest, InstanceEntriesLoadShiftAndRelease)
{
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T1", "TON", "MAIN", FB_LIST_TABLE));
    Editor().LoadInstanceEntries();
    ASSERT_EQ(Editor().GetInstanceEntries().size(), 1u);
    EXPECT_EQ(Editor().GetInstanceEntries()[0].row, -1);

    SetLines({"(* Network 0 *)", "TON     T2, 1", "TON     T3, 1"});
    EXPECT_EQ(CheckAll(), (States{0, 0, 0}));
    // The loaded entry was released with its project instance.
    Lines names;
    Lines types;
    Project().FBTable.GetFBInstancesOfPOU("MAIN", names, types);
    EXPECT_EQ(names, (Lines{"T2", "T3"}));

    Editor().ShiftInstanceEntries(2, 1);
    EXPECT_EQ(Editor().GetInstanceEntries()[0].row, 3);
    EXPECT_EQ(Editor().GetInstanceEntries()[1].row, 1);
    Editor().ReleaseInstanceEntries(3, 3);
    Project().FBTable.GetFBInstancesOfPOU("MAIN", names, types);
    EXPECT_EQ(names, (Lines{"T2"}));
    Editor().ClearInstanceEntries();
    EXPECT_TRUE(Editor().GetInstanceEntries().empty());
    Project().FBTable.GetFBInstancesOfPOU("MAIN", names, types);
    EXPECT_EQ(names, (Lines{"T2"}));
}

TEST_F(CILEditorCheckTest, WindowCheckLeavesLinesBelowAlone)
{
    Lines lines(200, "LD      %I0.0");
    SetLines(lines);
    CheckAll();
    Text()[10] = "FOO";
    Text()[150] = "FOO";
    Editor().CheckLines(FALSE, 100);
    EXPECT_EQ(Editor().GetLineState(150), E);
    EXPECT_EQ(Editor().GetLineState(10), 0);
    Text()[150] = "LD      %I0.0";
    Editor().CheckLines(FALSE, 0);
    EXPECT_EQ(Editor().GetLineState(10), E);
    EXPECT_EQ(Editor().GetLineState(150), E); // outside the 70 lines from the first visible line
}

TEST_F(CILEditorCheckTest, NoCheckWhileMonitoring)
{
    SetLines({"FOO"});
    m_app->Monitoring = 1;
    Editor().CheckLines(TRUE, 0);
    EXPECT_EQ(Editor().GetLineState(0), 0);
}

TEST_F(CILEditorCheckTest, Tokenising)
{
    const struct {
        std::string line;
        BOOL result;
        Lines tokens;
    } cases[] = {
        {"LD      %I0.0    (* start *)", TRUE, {"LD", "%I0.0"}},
        {"CAL     Motor SPEED:=1, DONE=>%Q0.0", TRUE, {"Motor", "SPEED", "1", "DONE", "%Q0.0"}},
        {"CALCN Pump", TRUE, {"Pump"}},
        {"CALIBRATE x", TRUE, {"IBRATE", "x"}},
        {"MOVE\t%VW0,,%VW2", TRUE, {"MOVE", "%VW0", "%VW2"}},
        {"   ", TRUE, {}},
        {"CAL", FALSE, {}},
        {" CALC ", FALSE, {}},
    };
    for (const auto& c : cases) {
        Lines tokens{"old"};
        EXPECT_EQ(Editor().TokenizeLine(c.line, tokens), c.result) << c.line;
        EXPECT_EQ(tokens, c.tokens) << c.line;
    }
}

TEST_F(CILEditorCheckTest, LabelLines)
{
    const struct {
        std::string line;
        int kind;
        std::string name;
    } cases[] = {
        {"loop:", LABEL_VALID, "loop"},
        {"  loop  :  (* back *)", LABEL_VALID, "loop"},
        {"LD %I0.0", LABEL_NONE, ""},
        {"L1: LD %I0.0", LABEL_NONE, ""},
        {"%M0.0:", LABEL_INVALID, "%M0.0"},
        {"100:", LABEL_INVALID, "100"},
        {"LD:", LABEL_INVALID, "LD"},
        {"__x:", LABEL_INVALID, "__x"},
        {":", LABEL_INVALID, ""},
    };
    for (const auto& c : cases) {
        std::string name;
        EXPECT_EQ(Editor().ParseLabelLine(c.line, name), c.kind) << c.line;
        if (c.kind != LABEL_NONE) {
            EXPECT_EQ(name, c.name) << c.line;
        }
    }
}

TEST(CParenMatcherTest, KeepsEntriesSortedAndShiftsRows)
{
    CParenMatcher matcher;
    matcher.AddBracketsOfLine("AND(", 4, 1);
    matcher.AddBracketsOfLine("(a)(", 1, 0);
    matcher.AddBracketsOfLine(")", 6, 1);
    auto positions = [&] {
        std::vector<std::pair<int, int>> out;
        for (const CParenEntry& e : matcher.GetEntries())
            out.emplace_back(e.row, e.column);
        return out;
    };
    using P = std::vector<std::pair<int, int>>;
    EXPECT_EQ(positions(), (P{{1, 0}, {1, 2}, {1, 3}, {4, 3}, {6, 0}}));
    EXPECT_EQ(matcher.GetEntries()[1].token, ")");
    EXPECT_EQ(matcher.GetEntries()[3].network, 1);

    matcher.ShiftRows(1, 2, 1);
    EXPECT_EQ(positions(), (P{{1, 0}, {2, 2}, {2, 3}, {5, 3}, {7, 0}}));
    matcher.RemoveRange(2, 3, 5, 3);
    EXPECT_EQ(positions(), (P{{1, 0}, {2, 2}, {7, 0}}));
}

} // namespace
