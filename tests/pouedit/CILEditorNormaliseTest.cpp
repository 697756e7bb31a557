#include "ILProgramFixture.h"

namespace {

using Lines = std::vector<std::string>;

// A project with the global symbols Start (%I0.0) and Lamp (%Q0.1), the
// subroutine Motor (7), the interrupt routine Timer (3) and the local
// variable SPEED at LW4.
class CILEditorNormaliseTest : public ILProgramFixture {
protected:
    void SetUp() override
    {
        ILProgramFixture::SetUp();
        AddSymbol("Start", "%I0.0", OT_BOOL);
        AddSymbol("Lamp", "%Q0.1", OT_BOOL);
        AddSubroutine("Motor", 7, {{"SPEED", OT_VAR_INPUT | OT_INT | OT_CONSTANT | OT_AREA_V}});
        AddInterrupt("Timer", 3);
        m_host.locals["SPEED"] = {"LW4", OT_VAR | OT_INT | OT_AREA_L};
    }

    std::string Normalised(std::string line)
    {
        Editor().NormaliseLine(line);
        return line;
    }

    struct Case {
        std::string typed;
        std::string shown;
    };
};

TEST_F(CILEditorNormaliseTest, LinesWithAddressesShown)
{
    m_app->SymbolicAddressing = 0;
    const Case cases[] = {
        {"ld i0.0", "LD      %I0.0"},
        {"  ld   %i0.0,  ", "LD      %I0.0"},
        {"ton t37, 100", "TON     T37, 100"},
        {"ctu c5,i0.1,10", "CTU     C5, %I0.1, 10"},
        {"move vw0 vw2", "MOVE    %VW0, %VW2"},
        {"ld Start", "LD      %I0.0"},
        {"st lamp", "ST      %Q0.1"},
        {"move speed, vw0", "MOVE    %LW4, %VW0"},
        {"ld true", "LD      TRUE"},
        {"ld i0.0 (* start *)", "LD      %I0.0           (* start *)"},
        {"blkmove vb0, vb100, 10    (* copy it *)", "BLKMOVE %VB0, %VB100, 10    (* copy it *)"},
        {"cal Motor 1", "CAL     Motor 1"},
        {"cal motor speed", "CAL     motor %LW4"},
        {"atch timer, 10", "ATCH    timer, 10"},
        {"jmp Loop", "JMP     Loop"},
        {"move *vd100, vw0", "MOVE    *VD100, %VW0"},
        {"movedwords &vb0, vd4", "movedwords &VB0, %VD4"},
        {"and(", "AND("},
        {"(* Network 3 *)", "(* Network 3 *)"},
        {"(* ld i0.0 *)", "(* ld i0.0 *)"},
        {"ld i0.0 (* a *) x", "LD %I0.0 (* a *) x"},
        {"ld i0.0 (* open", "LD %I0.0 (* open"},
        {"loop  :", "loop:"},
        {"Loop:(* back *)", "Loop:(* back *)"},
        {"100  :", "100  :"},
        {"", ""},
        {"   ", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Normalised(c.typed), c.shown) << c.typed;
}

TEST_F(CILEditorNormaliseTest, LinesWithSymbolsShown)
{
    m_app->SymbolicAddressing = 1;
    const Case cases[] = {
        {"ld i0.0", "LD      Start"},
        {"ld %Q0.1", "LD      Lamp"},
        {"ld q0.2", "LD      %Q0.2"},
        {"move lw4, vw0", "MOVE    SPEED, %VW0"},
        {"ld Start", "LD      Start"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Normalised(c.typed), c.shown) << c.typed;
}

TEST_F(CILEditorNormaliseTest, DoubleByteSymbolIsOneToken)
{
    // The trail byte 0x5B reads as "[" on its own, a separator.
    const std::string name = "\xB1\x5B\xC2\xED";
    AddSymbol(name, "%Q0.2", OT_BOOL);
    m_app->SymbolicAddressing = 0;
    EXPECT_EQ(Normalised("st " + name), "ST      %Q0.2");
    m_app->SymbolicAddressing = 1;
    EXPECT_EQ(Normalised("st q0.2"), "ST      " + name);
}

TEST_F(CILEditorNormaliseTest, PinNamesAfterADotAreUpperCased)
{
    m_app->SymbolicAddressing = 0;
    EXPECT_EQ(Normalised("ld inst.in"), "LD      inst.IN");
    EXPECT_EQ(Normalised("ld a.in b.pt"), "LD      a.IN, b.PT");
}

TEST_F(CILEditorNormaliseTest, NoLayoutWhileMonitoring)
{
    m_app->Monitoring = 1;
    std::string line = "ld   %I0.0,%I0.1";
    Editor().FormatLine(line);
    EXPECT_EQ(line, "ld   %I0.0,%I0.1");
}

TEST_F(CILEditorNormaliseTest, FormatLineClampsTheCaret)
{
    SetLines({"(* Network 0 *)", "ld     i0.0    "});
    Editor().SetCaret(1, 15);
    Editor().FormatLine(Text()[1]);
    EXPECT_EQ(Text()[1], "ld      i0.0");
    EXPECT_EQ(Editor().GetCaretColumn(), 12);
}

TEST_F(CILEditorNormaliseTest, OperandRewritesInBothForms)
{
    const struct {
        std::string line;
        BOOL toAddresses;
        int routineMode;
        std::string rewritten;
    } cases[] = {
        {"LD      Start", TRUE, ROUTINES_UNCHANGED, "LD      %I0.0"},
        {"LD      %I0.0", FALSE, ROUTINES_UNCHANGED, "LD      Start"},
        {"LD      i0.0", FALSE, ROUTINES_UNCHANGED, "LD      Start"},
        {"MOVE    SPEED, %VW0", TRUE, ROUTINES_UNCHANGED, "MOVE    %LW4, %VW0"},
        {"MOVE    %LW4, %VW0", FALSE, ROUTINES_UNCHANGED, "MOVE    SPEED, %VW0"},
        {"CAL     Motor %VW0", TRUE, ROUTINES_TO_NUMBERED, "CAL     SBR07 %VW0"},
        {"CAL     SBR07 %VW0", FALSE, ROUTINES_TO_NAMES, "CAL     Motor %VW0"},
        {"ATCH    Timer, 1", TRUE, ROUTINES_TO_NUMBERED, "ATCH    INT03, 1"},
        {"ATCH    INT03, 1", TRUE, ROUTINES_TO_NAMES, "ATCH    Timer, 1"},
        {"CAL     Motor %VW0", TRUE, ROUTINES_UNCHANGED, "CAL     Motor %VW0"},
        {"ld Start (* Start *),", TRUE, ROUTINES_UNCHANGED, "ld %I0.0 (* Start *) "},
        {"LD      Unknown", TRUE, ROUTINES_TO_NUMBERED, "LD      Unknown"},
    };
    for (const auto& c : cases) {
        std::string line = c.line;
        Editor().RewriteOperands(line, c.toAddresses, c.routineMode);
        EXPECT_EQ(line, c.rewritten) << c.line;
    }
}

TEST_F(CILEditorNormaliseTest, SwitchingTheAddressingFormRewritesEveryLine)
{
    SetLines({"(* Network 0 *)", "LD      %I0.0", "", "ST      %Q0.1    (* Lamp *)"});
    Editor().SetCaret(1, 13);
    Editor().RewriteAllLines(TRUE, ROUTINES_UNCHANGED);
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", "LD      Start", "", "ST      Lamp    (* Lamp *)"}));
    EXPECT_EQ(Editor().GetCaretColumn(), 13);
    Editor().RewriteAllLines(FALSE, ROUTINES_UNCHANGED);
    EXPECT_EQ(Text(), (Lines{"(* Network 0 *)", "LD      %I0.0", "", "ST      %Q0.1    (* Lamp *)"}));
}

} // namespace
