#include "CompilerFixture.h"

#include "compiler/CLoopTargetTable.h"

namespace {

class CompilerSymbolsTest : public CompilerFixture {
protected:
    static void Declare(const std::string& name, int section, OperandTypeFlags type = OT_BOOL)
    {
        AddVariable(name, type, "", CMemAreaDef{}, 0, CConstantValue{}, 0, 0, section);
    }
};

TEST_F(CompilerSymbolsTest, POUListFindsByLabelAndKind)
{
    AddPOU("sbr01", "Motor", 1, POU_KIND_SUBROUTINE);
    AddPOU("INT02", "Alarm", 2, POU_KIND_INTERRUPT);

    const CPOUEntry* motor = GetPOU("SBR01");
    ASSERT_NE(motor, nullptr);
    EXPECT_EQ(motor->subroutineNumber, 1);
    EXPECT_EQ(motor->interruptNumber, -1);
    EXPECT_EQ(motor->inputCount, -1);
    EXPECT_EQ(motor->GetName(TRUE), "Motor");
    EXPECT_EQ(motor->GetName(FALSE), "SBR01");
    EXPECT_EQ(GetPOU("INT02")->interruptNumber, 2);
    EXPECT_FALSE(FindPOU("sbr01")); // labels are compared exactly
    EXPECT_TRUE(IsSubroutineLabel("SBR01"));
    EXPECT_FALSE(IsSubroutineLabel("INT02"));
    EXPECT_TRUE(IsInterruptLabel("INT02"));
    EXPECT_EQ(FindPOUNameByName("motor"), "Motor");
    EXPECT_EQ(FindPOUNameByName("Pump"), "Pump");
    EXPECT_EQ(FirstPOU(), motor);
    EXPECT_EQ(FirstPOU()->next, GetPOU("INT02"));

    ClearPOULists();
    EXPECT_FALSE(FindPOU("SBR01"));
}

TEST_F(CompilerSymbolsTest, CalleesAreKeptOnceUpToAHundred)
{
    AddPOU("SBR00", "A", 0, POU_KIND_SUBROUTINE);
    CPOUEntry* caller = GetPOU("SBR00");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(caller->AddCallee("SBR05"));
    EXPECT_EQ(caller->calleeCount, 1);
    EXPECT_FALSE(caller->AddCallee(""));
    for (int i = 0; caller->calleeCount < MAX_CALLEES; ++i)
        caller->AddCallee("L" + std::to_string(i));
    EXPECT_FALSE(caller->AddCallee("ONE_MORE"));
    EXPECT_EQ(caller->GetCallee(0), "SBR05");
    EXPECT_EQ(caller->GetCallee(MAX_CALLEES), "");
}

TEST_F(CompilerSymbolsTest, LabelsAreUpperCasedAndClearedWithThePOUs)
{
    AddLabel("SBR01.Loop");
    EXPECT_TRUE(FindLabel("SBR01.LOOP"));
    EXPECT_EQ(GetLabel("SBR01.LOOP")->GetName(TRUE), "SBR01.Loop");
    ClearPOULists();
    EXPECT_FALSE(FindLabel("SBR01.LOOP"));
}

TEST_F(CompilerSymbolsTest, QualifiedNames)
{
    std::string label;
    EXPECT_EQ(SplitLabel("SBR03_PUMP.ILP", label), "SBR03");
    EXPECT_EQ(label, "SBR03");
    EXPECT_EQ(SplitLabel("SBR7.ILP", label), "");
    EXPECT_EQ(GetOwnerLabel("SBR01.EN"), "SBR01");
    EXPECT_EQ(GetOwnerLabel("EN"), "");

    std::string name = "SPEED";
    EXPECT_FALSE(QualifyName("", name));
    EXPECT_EQ(name, "SPEED");
    EXPECT_TRUE(QualifyName("SBR03", name));
    EXPECT_EQ(name, "SBR03.SPEED");

    AddPOU("SBR03", "Pump", 3, POU_KIND_SUBROUTINE);
    AddPOU("INT01", "Tick", 1, POU_KIND_INTERRUPT);
    EXPECT_TRUE(IsSubroutineMember("SBR03.SPEED"));
    EXPECT_FALSE(IsSubroutineMember("INT01.SPEED"));
    EXPECT_TRUE(IsInterruptMember("INT01.SPEED"));
    EXPECT_FALSE(IsSubroutineMember("SBR03"));
}

TEST_F(CompilerSymbolsTest, ParametersAreWalkedPerClassInDeclarationOrder)
{
    AddPOU("SBR01", "Motor", 1, POU_KIND_SUBROUTINE);
    AddPOU("SBR02", "Empty", 2, POU_KIND_SUBROUTINE);
    Declare("SBR01.EN", SECTION_NUMBER_OTHER);
    Declare("SBR01.ENO", SECTION_NUMBER_OTHER);
    Declare("SBR01.IN1", SECTION_NUMBER_INPUT);
    Declare("SBR01.OUT1", SECTION_NUMBER_OUTPUT);
    Declare("SBR02.X", SECTION_NUMBER_INPUT);
    Declare("SBR01.IN2", SECTION_NUMBER_INPUT, OT_WORD);
    Declare("SBR01.IO1", SECTION_NUMBER_IN_OUT);
    Declare("SBR01.TMP", SECTION_NUMBER_VAR);
    Declare("GLOBAL", SECTION_NUMBER_INPUT);

    int inputs = 9, outputs = 9, inOuts = 9;
    EXPECT_TRUE(CountParameters("SBR01", inputs, outputs, inOuts));
    EXPECT_EQ(inputs, 2);
    EXPECT_EQ(outputs, 1);
    EXPECT_EQ(inOuts, 1);
    EXPECT_FALSE(CountParameters("SBR09", inputs, outputs, inOuts));
    AddPOU("SBR04", "NoParameters", 4, POU_KIND_SUBROUTINE);
    EXPECT_TRUE(CountParameters("SBR04", inputs, outputs, inOuts));
    EXPECT_EQ(inputs + outputs + inOuts, 0);

    CVariableEntry* first = FirstInputParam("SBR01");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->name, "SBR01.IN1");
    CVariableEntry* second = NextInputParam("SBR01", first->next);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->name, "SBR01.IN2");
    EXPECT_EQ(NextInputParam("SBR01", second), second);
    EXPECT_EQ(NextInputParam("SBR01", second->next), nullptr);
    EXPECT_EQ(FirstOutputParam("SBR01")->name, "SBR01.OUT1");
    EXPECT_EQ(FirstInOutParam("SBR01")->name, "SBR01.IO1");
    EXPECT_EQ(FirstInputParam("SBR09"), nullptr);
}

TEST_F(CompilerSymbolsTest, VariablesAndInstancesAreFoundByNameOrAddress)
{
    AddVariable("SBR01.SPEED", OT_WORD | OT_INPUT, "%VW10", CMemAreaDef{}, 10, CConstantValue{}, 0, 0,
                SECTION_NUMBER_INPUT);
    AddFBInstanceEntry("T37", "TON");
    EXPECT_TRUE(FindVariable("SBR01.SPEED"));
    EXPECT_EQ(GetVariable("T37")->kind, VARIABLE_KIND_FB_INSTANCE);
    EXPECT_EQ(GetVariable("T37")->fbType, "TON");
    EXPECT_EQ(GetVariableByAddress("%VW10")->name, "SBR01.SPEED");
    EXPECT_EQ(GetVariableByAddress(""), nullptr);
    ClearVariableList();
    EXPECT_FALSE(FindVariable("T37"));
}

TEST_F(CompilerSymbolsTest, TheFirstEntryOfANameAddressOrLabelIsFound)
{
    AddVariable("LEVEL", OT_WORD, "%VW10", CMemAreaDef{}, 10, CConstantValue{}, 0, 1, SECTION_NUMBER_VAR);
    AddVariable("LEVEL", OT_INT, "%VW20", CMemAreaDef{}, 20, CConstantValue{}, 0, 1, SECTION_NUMBER_VAR);
    AddVariable("SPARE", OT_WORD, "%VW10", CMemAreaDef{}, 10, CConstantValue{}, 0, 1, SECTION_NUMBER_VAR);
    AddFBInstanceEntry("T37", "TON");
    AddFBInstanceEntry("T37", "TOF");

    EXPECT_EQ(GetVariable("LEVEL")->addressText, "%VW10");
    EXPECT_EQ(GetVariable("T37")->fbType, "TON");
    EXPECT_EQ(GetVariableByAddress("%VW10")->name, "LEVEL");
    EXPECT_EQ(GetVariableByAddress("%VW20")->typeFlags, OT_INT);
    EXPECT_EQ(GetVariable("level"), nullptr) << "names are compared as given";
    EXPECT_EQ(GetVariableByAddress("T37"), nullptr) << "an instance has no address";

    AddPOU("SBR01", "Motor", 1, POU_KIND_SUBROUTINE);
    AddPOU("sbr01", "Pump", 2, POU_KIND_SUBROUTINE);
    AddLabel("MAIN.Loop");
    AddLabel("MAIN.LOOP");
    EXPECT_EQ(GetPOU("SBR01")->name, "Motor");
    EXPECT_EQ(GetLabel("MAIN.LOOP")->name, "MAIN.Loop");
    ClearPOULists();
    EXPECT_EQ(GetPOU("SBR01"), nullptr);
    AddPOU("SBR01", "Pump", 2, POU_KIND_SUBROUTINE);
    EXPECT_EQ(GetPOU("SBR01")->name, "Pump");

    // After clearing, a name declared again is found as its new declaration.
    ClearVariableList();
    EXPECT_EQ(GetVariableByAddress("%VW10"), nullptr);
    AddVariable("LEVEL", OT_DINT, "%VD0", CMemAreaDef{}, 0, CConstantValue{}, 0, 1, SECTION_NUMBER_VAR);
    EXPECT_EQ(GetVariable("LEVEL")->addressText, "%VD0");
    EXPECT_EQ(GetVariableByAddress("%VD0")->name, "LEVEL");
}

TEST_F(CompilerSymbolsTest, ANewCompilationKeepsNothingOfTheLastOne)
{
    AddPOU("SBR01", "Motor", 1, POU_KIND_SUBROUTINE);
    AddLabel("SBR01.LOOP");
    Declare("SBR01.SPEED", 1);
    AddFBInstanceEntry("T37", "TON");
    ASSERT_TRUE(AddLoopTarget(3, 9));
    g_CompileState.CurrentPOULabel = "SBR01";
    g_CompileState.InDeclarationBlock = true;

    g_CompileState.Reset();

    WORD target = 0;
    EXPECT_EQ(FirstPOU(), nullptr);
    EXPECT_FALSE(FindLabel("SBR01.LOOP"));
    EXPECT_FALSE(FindVariable("SBR01.SPEED"));
    EXPECT_FALSE(FindVariable("T37"));
    EXPECT_FALSE(LookupLoopTarget(3, target));
    EXPECT_EQ(g_CompileState.CurrentPOULabel, "");
    EXPECT_FALSE(g_CompileState.InDeclarationBlock);

    AddPOU("INT00", "Alarm", 0, POU_KIND_INTERRUPT);
    ASSERT_NE(FirstPOU(), nullptr);
    EXPECT_EQ(FirstPOU()->next, nullptr);
}

} // namespace
