#include "model/CZULProjectPOUs.h"

#include "model/CLocalVarEntry.h"
#include "model/CProjTreeNode.h"
#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "model/CZULSymbol.h"
#include "model/CpuProfile.h"
#include "model/LanguageLibrary.h"

#include "AppDataFixture.h"
#include "support/TempFolder.h"

#include "platform/FileSystem.h"

#include <algorithm>

namespace {

const char* const MOTOR_VARIABLES = "VAR_INPUT\r\n"
                                    "    IN1  AT  %LW4 : INT ; (* speed *) \r\n"
                                    "    DATA  AT  %L0.1 : BOOL ; \r\n"
                                    "    BAD  AT  %LB9 : STRING ; \r\n"
                                    "END_VAR\r\n"
                                    "VAR_IN_OUT\r\n"
                                    "    RATE  AT  %LD8 : REAL ; (* r *) \r\n"
                                    "END_VAR\r\n"
                                    "VAR_OUTPUT\r\n"
                                    "    DONE  AT  %L0.2 : BOOL ; \r\n"
                                    "END_VAR\r\n"
                                    "VAR\r\n"
                                    "    TEMP  AT  %LB12 : BYTE ; \r\n"
                                    "END_VAR\r\n";

// A VB16 project with the small L area (4 BOOL bytes, 12 data bytes) in a temporary folder with MAIN, the subroutines Motor (7)
// and Pump (0) and the interrupt routine Timer (3).
class PouRegistryTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(2);
        m_savedBits = LocalBitBytes;
        m_savedData = LocalDataBytes;
        LocalBitBytes = 4;
        LocalDataBytes = 12;
        project().ProjectFolder = temp.Path();
        project().MainNode.name = "MAIN";
        project().MainNode.number = 0;
        AddSubroutine("Motor", 7);
        AddSubroutine("Pump", 0);
        auto* timer = new CProjTreeNode;
        timer->kind = 4;
        timer->name = "Timer";
        timer->number = 3;
        project().POUs.AddInterruptNode(timer);
        Write("SBR07_Motor.ilv", MOTOR_VARIABLES);
        Write("SBR07_Motor.ilp", "(*1*)\r\n");
        Write("SBR00_Pump.ilp", "(*1*)\r\n");
        Write("SBR00_Pump.ilv", "");
        Write("INT03_Timer.ilp", "(*1*)\r\n");
        Write("INT03_Timer.ilv", "");
        Write("SBR07_Motorized.ilp", "(*1*)\r\n");
        for (CProjTreeNode* node : {project().POUs.SubroutineNodes.at("Motor"), project().POUs.SubroutineNodes.at("Pump")})
            project().LoadSubroutineInterface(node);
    }
    void TearDown() override
    {
        project().SetSubroutineRemovedHandler(nullptr);
        LocalBitBytes = m_savedBits;
        LocalDataBytes = m_savedData;
        AppDataFixture::TearDown();
    }

    CZULProject& project() { return m_app->Project; }

    void AddSubroutine(const std::string& name, int number)
    {
        auto* node = new CProjTreeNode;
        node->kind = 3;
        node->name = name;
        node->number = number;
        node->language = 1;
        project().POUs.AddSubroutineNode(node);
    }

    void Write(const std::string& name, const std::string& text)
    {
        ASSERT_TRUE(FileSystem::SafeSave(temp / name, text));
    }

    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const CFileEntry& entry : FileSystem::ListFolder(temp.Path()))
            names.push_back(entry.name);
        return names;
    }

    static std::vector<std::string> Names(const CZULFBParaArray& params)
    {
        std::vector<std::string> names;
        for (int i = 0; i < params.GetSize(); ++i)
            names.push_back(params.GetAt(i)->name);
        return names;
    }

    TempFolder temp;

private:
    int m_savedBits = 0;
    int m_savedData = 0;
};

} // namespace

TEST(POUAliasTest, OnlyFirstThreeAndLastTwoCharactersCount)
{
    const struct {
        const char* text;
        const char* prefix;
        BOOL ok;
        int number;
    } cases[] = {
        {"SBR00", "SBR", TRUE, 0}, {"sbr07", "SBR", TRUE, 7},  {"SBR105", "SBR", TRUE, 5}, {"SBR5", "SBR", FALSE, 0},
        {"SBR0", "SBR", FALSE, 0}, {"INT63", "INT", TRUE, 63}, {"INT03", "SBR", FALSE, 0}, {"", "SBR", FALSE, 0},
    };
    for (const auto& c : cases) {
        int number = -1;
        EXPECT_EQ(ParsePOUAlias(c.text, c.prefix, number), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(number, c.number) << c.text;
        }
    }
    EXPECT_EQ(FormatPOUAlias("SBR", 7), "SBR07");
    EXPECT_EQ(FormatPOUAlias("INT", 63), "INT63");
}

TEST_F(PouRegistryTest, InterfaceFromTheVariableFile)
{
    CZULFunc* motor = nullptr;
    ASSERT_TRUE(project().POUs.FindSubroutineInterface(" motor ", motor));
    EXPECT_EQ(motor->number, 7);
    EXPECT_EQ(Names(motor->inputs), (std::vector<std::string>{"EN", "IN1", "DATA", "RATE"}));
    EXPECT_EQ(Names(motor->outputs), (std::vector<std::string>{"ENO", "DONE"}));
    EXPECT_EQ(motor->inputs.GetAt(0)->flags, 0x2001u);
    EXPECT_EQ(motor->outputs.GetAt(0)->flags, 0x4001u);
    const CZULFBPara* in1 = motor->inputs.GetAt(1);
    EXPECT_EQ(in1->flags, 0xA000u | 0x10u | 0x19FE1000u);
    EXPECT_EQ(in1->comment, "speed");
    EXPECT_EQ(motor->inputs.GetAt(2)->flags, 0xA000u | 0x1u | 0x61FE1000u);
    EXPECT_EQ(motor->inputs.GetAt(3)->flags, 0x1E000u | 0x40u | 0x1800000u);
    EXPECT_EQ(motor->outputs.GetAt(1)->flags, 0x1C000u | 0x1u | 0x18C0000u);

    // A file that is missing leaves EN and ENO only.
    CZULFunc* pump = nullptr;
    ASSERT_TRUE(project().POUs.FindSubroutineInterface("PUMP", pump));
    EXPECT_EQ(pump->inputs.GetSize(), 1);
    EXPECT_EQ(pump->outputs.GetSize(), 1);

    // Loading again replaces the registered interface.
    project().LoadSubroutineInterface(project().POUs.SubroutineNodes.at("Motor"));
    EXPECT_EQ(project().POUs.SubroutineInterfaces.size(), 2u);
    EXPECT_EQ(project().POUs.SubroutineInterfacesByNumber.size(), 2u);
    CZULFunc* again = nullptr;
    ASSERT_TRUE(project().POUs.FindSubroutineInterface("MOTOR", again));
    EXPECT_EQ(project().POUs.SubroutineInterfacesByNumber.at(7), again);
}

TEST_F(PouRegistryTest, RegisteringUnderAnotherCaseReplaces)
{
    auto* replacement = new CZULFunc;
    replacement->SetName("MOTOR");
    replacement->SetNumber(9);
    project().POUs.RegisterSubroutineInterface(replacement);
    project().POUs.RegisterSubroutineInterface(nullptr);
    EXPECT_EQ(project().POUs.SubroutineInterfaces.count("Motor"), 0u);
    EXPECT_EQ(project().POUs.SubroutineInterfaces.at("MOTOR"), replacement);
    EXPECT_EQ(project().POUs.SubroutineInterfacesByNumber.count(7), 0u);
    EXPECT_EQ(project().POUs.SubroutineInterfacesByNumber.at(9), replacement);
}

TEST_F(PouRegistryTest, NamesAndAliases)
{
    std::string result;
    EXPECT_EQ(project().POUs.ConvertSubroutineName("motor", result, TRUE), 1);
    EXPECT_EQ(result, "SBR07");
    EXPECT_EQ(project().POUs.ConvertSubroutineName("SBR00", result, FALSE), 1);
    EXPECT_EQ(result, "Pump");
    EXPECT_EQ(project().POUs.ConvertSubroutineName("SBR0", result, FALSE), 0);
    EXPECT_EQ(project().POUs.ConvertSubroutineName("Nothing", result, TRUE), 0);

    EXPECT_EQ(project().POUs.ConvertInterruptName("timer", result, TRUE), 1);
    EXPECT_EQ(result, "INT03");
    EXPECT_EQ(project().POUs.ConvertInterruptName("int03", result, TRUE), 1);
    EXPECT_EQ(result, "INT03");
    EXPECT_EQ(project().POUs.ConvertInterruptName("INT03", result, FALSE), 1);
    EXPECT_EQ(result, "Timer");
    EXPECT_EQ(project().POUs.ConvertInterruptName("timer", result, FALSE), 1);
    EXPECT_EQ(result, "TIMER");
    EXPECT_EQ(project().POUs.ConvertInterruptName("INT04", result, TRUE), 0);

    int isSubroutine = -1;
    EXPECT_TRUE(project().POUs.ConvertPOUName("SBR07", result, isSubroutine));
    EXPECT_EQ(result, "Motor");
    EXPECT_EQ(isSubroutine, 1);
    EXPECT_TRUE(project().POUs.ConvertPOUName("Timer", result, isSubroutine));
    EXPECT_EQ(result, "INT03");
    EXPECT_EQ(isSubroutine, 0);
    EXPECT_FALSE(project().POUs.ConvertPOUName("MAIN", result, isSubroutine));

    for (const char* name : {"main", " Motor", "PUMP", "timer"})
        EXPECT_EQ(project().IsPOUName(name), 1) << name;
    for (const char* name : {"", "SBR07", "Motorized"})
        EXPECT_EQ(project().IsPOUName(name), 0) << name;

    CZULFunc copy;
    EXPECT_EQ(project().POUs.CopySubroutineInterface("SBR07", &copy), 1);
    EXPECT_EQ(copy.name, "Motor");
    EXPECT_EQ(copy.inputs.GetSize(), 4);
    EXPECT_EQ(project().POUs.CopySubroutineInterface("motor", nullptr), 0);
    EXPECT_EQ(project().POUs.CopySubroutineInterface("SBR08", &copy), 0);

    std::string pou;
    int row = 0;
    EXPECT_TRUE(ParseMessagePosition("POU \"Motor\" (row 3): [E1] x", pou, row));
    EXPECT_EQ(pou, "Motor");
    EXPECT_FALSE(ParseMessagePosition("POU \"Gone\" (row 3): [E1] x", pou, row));
}

TEST_F(PouRegistryTest, FBInstances)
{
    EXPECT_TRUE(project().FBTable.AddFBInstance("t37", "ton", "main", FB_LIST_TABLE));
    ASSERT_EQ(project().FBTable.FBInstances.size(), 1u);
    EXPECT_EQ(project().FBTable.FBInstances[0]->instanceName, "T37");
    EXPECT_EQ(project().FBTable.FBInstances[0]->typeName, "TON");
    EXPECT_EQ(project().FBTable.FBInstances[0]->ownerPou, "MAIN");
    EXPECT_FALSE(project().FBTable.AddFBInstance("T37", "TON", "MAIN", FB_LIST_TABLE));
    EXPECT_TRUE(project().FBTable.AddFBInstance("T37", "TON", "MAIN", FB_LIST_SCAN));
    EXPECT_FALSE(project().FBTable.AddFBInstance("C1", "TON", "MAIN", FB_LIST_TABLE));
    EXPECT_FALSE(project().FBTable.AddFBInstance("T38", "TON", " ", FB_LIST_TABLE));
    EXPECT_TRUE(project().FBTable.AddFBInstance("C1", "CTU", "Motor", FB_LIST_TABLE));
    EXPECT_TRUE(project().FBTable.AddFBInstance("T40", "TOF", "Motor", FB_LIST_TABLE));

    std::vector<std::string> names{"stale"}, types;
    EXPECT_TRUE(project().FBTable.GetFBInstancesOfPOU("motor", names, types));
    EXPECT_EQ(names, (std::vector<std::string>{"C1", "T40"}));
    EXPECT_EQ(types, (std::vector<std::string>{"CTU", "TOF"}));
    EXPECT_FALSE(project().FBTable.GetFBInstancesOfPOU("Pump", names, types));
    EXPECT_TRUE(names.empty());

    EXPECT_FALSE(project().FBTable.RenameFBInstance("T37", "C1"));
    EXPECT_EQ(project().FBTable.FBInstances[0]->instanceName, "T37");
    EXPECT_FALSE(project().FBTable.RenameFBInstance("T37", "XYZ"));
    EXPECT_FALSE(project().FBTable.RenameFBInstance("T99", "T98"));
    EXPECT_TRUE(project().FBTable.RenameFBInstance("t37", "T37"));
    EXPECT_TRUE(project().FBTable.RenameFBInstance("T37", "t41"));
    EXPECT_EQ(project().FBTable.FBInstances[0]->instanceName, "T41");

    project().FBTable.RemoveFBInstance("c1");
    ASSERT_EQ(project().FBTable.FBInstances.size(), 2u);
    project().FBTable.FBInstances.push_back(nullptr);
    project().FBTable.RemoveFBInstancesOfPOU("MOTOR");
    ASSERT_EQ(project().FBTable.FBInstances.size(), 1u);
    EXPECT_EQ(project().FBTable.FBInstances[0]->instanceName, "T41");
}

TEST_F(PouRegistryTest, DeleteSubroutineWithItsFiles)
{
    std::vector<std::string> removedFromTree;
    project().SetSubroutineRemovedHandler([&removedFromTree](const std::string& name) { removedFromTree.push_back(name); });
    project().LocalBitUsage.assign(128, 1);
    project().LocalByteUsage.assign(256, 1);
    project().FBTable.AddFBInstance("T1", "TON", "Motor", FB_LIST_TABLE);
    project().FBTable.AddFBInstance("T2", "TON", "MAIN", FB_LIST_TABLE);

    project().DeletePOU("Motor", 3);
    EXPECT_EQ(removedFromTree, (std::vector<std::string>{"Motor"}));
    EXPECT_EQ(Files(), (std::vector<std::string>{"INT03_Timer.ilp", "INT03_Timer.ilv", "SBR00_Pump.ilp",
                                                 "SBR00_Pump.ilv", "SBR07_Motorized.ilp"}));
    EXPECT_EQ(project().POUs.SubroutineNodes.count("Motor"), 0u);
    EXPECT_EQ(project().POUs.SubroutineInterfaces.count("Motor"), 0u);
    EXPECT_EQ(project().POUs.SubroutineInterfacesUpper.count("MOTOR"), 0u);
    EXPECT_EQ(project().POUs.SubroutineInterfacesByNumber.count(7), 0u);
    ASSERT_EQ(project().FBTable.FBInstances.size(), 1u);
    EXPECT_EQ(project().FBTable.FBInstances[0]->ownerPou, "MAIN");
    // The local addresses of the variable file were released: %L0.1, %L0.2, %LW4, %LD8, %LB12 (not BAD).
    EXPECT_EQ(project().LocalBitUsage[1], 0);
    EXPECT_EQ(project().LocalBitUsage[2], 0);
    EXPECT_EQ(project().LocalBitUsage[0], 1);
    const std::vector<BYTE> bytes(project().LocalByteUsage.begin(), project().LocalByteUsage.begin() + 13);
    EXPECT_EQ(bytes, (std::vector<BYTE>{0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1, 1}));
    EXPECT_TRUE(m_ui.box.Messages().empty());

    project().DeletePOU("Timer", 4);
    EXPECT_EQ(Files(), (std::vector<std::string>{"SBR00_Pump.ilp", "SBR00_Pump.ilv", "SBR07_Motorized.ilp"}));
    EXPECT_TRUE(project().POUs.InterruptNodes.empty());
    EXPECT_TRUE(project().POUs.InterruptNodesUpper.empty());
    EXPECT_TRUE(project().POUs.InterruptNodesByNumber.empty());

    project().DeletePOU("Pump", 5);
    project().DeletePOU("Nothing", 3);
    EXPECT_EQ(Files().size(), 3u);
    EXPECT_EQ(project().POUs.SubroutineNodes.size(), 1u);
}

TEST_F(PouRegistryTest, RemovingAPOUThatLostItsProgramFileKeepsItsOtherFiles)
{
    project().LocalBitUsage.assign(128, 1);
    project().LocalByteUsage.assign(256, 1);
    project().FBTable.AddFBInstance("T1", "TON", "Motor", FB_LIST_TABLE);
    const std::vector<std::string> before = Files();

    project().RemovePOUKeepingFiles("Motor", 3);
    EXPECT_EQ(Files(), before);
    EXPECT_EQ(project().POUs.SubroutineNodes.count("Motor"), 0u);
    EXPECT_EQ(project().POUs.SubroutineInterfacesByNumber.count(7), 0u);
    EXPECT_TRUE(project().FBTable.FBInstances.empty());
    // The locals of its variable file are free for other POUs.
    EXPECT_EQ(project().LocalBitUsage[1], 0);
    EXPECT_EQ(project().LocalByteUsage[4], 0);

    project().RemovePOUKeepingFiles("Timer", 4);
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(project().POUs.InterruptNodes.empty());
}

TEST_F(PouRegistryTest, RenameKeepsInterfaceAndInstances)
{
    project().FBTable.AddFBInstance("T1", "TON", "Motor", FB_LIST_TABLE);
    project().FBTable.AddFBInstance("T2", "TON", "Timer", FB_LIST_TABLE);
    project().FBTable.AddFBInstance("T3", "TON", "MAIN", FB_LIST_TABLE);
    CZULFunc* motor = project().POUs.SubroutineInterfaces.at("Motor");

    project().POUs.SubroutineNodes.at("Motor")->name = "Drive";
    project().RenamePOU("Motor", 3);
    EXPECT_EQ(project().POUs.SubroutineNodes.count("Motor"), 0u);
    EXPECT_EQ(project().POUs.SubroutineNodes.at("Drive")->number, 7);
    EXPECT_EQ(project().POUs.SubroutineInterfaces.at("Drive"), motor);
    EXPECT_EQ(project().POUs.SubroutineInterfacesUpper.at("DRIVE"), motor);
    EXPECT_EQ(project().POUs.SubroutineInterfacesUpper.count("MOTOR"), 0u);
    EXPECT_EQ(project().POUs.SubroutineInterfacesByNumber.at(7), motor);
    EXPECT_EQ(motor->name, "Drive");

    project().POUs.InterruptNodes.at("Timer")->name = "Tick";
    project().RenamePOU("Timer", 4);
    EXPECT_EQ(project().POUs.InterruptNodesUpper.count("TICK"), 1u);
    EXPECT_EQ(project().POUs.InterruptNodes.count("Timer"), 0u);

    project().MainNode.name = "Start";
    project().RenamePOU("MAIN", 2);
    std::vector<std::string> owners;
    for (const auto& entry : project().FBTable.FBInstances)
        owners.push_back(entry->ownerPou);
    EXPECT_EQ(owners, (std::vector<std::string>{"DRIVE", "TICK", "START"}));

    project().RenamePOU("Nothing", 3);
    EXPECT_EQ(project().FBTable.FBInstances.size(), 3u);
}

TEST_F(PouRegistryTest, ForceableOperandsAndLocalVariables)
{
    auto* symbol = new CZULSymbol;
    symbol->name = "Lamp";
    symbol->address = "%Q0.1";
    project().AddSymbol(symbol);
    OperandTypeFlags flags = 0;
    EXPECT_EQ(IsForceableOperand(project(), "%Q0.0", flags), 1);
    EXPECT_NE(flags & OT_AREA_Q, 0u);
    EXPECT_EQ(IsForceableOperand(project(), "Lamp", flags), 1);
    EXPECT_EQ(IsForceableOperand(project(), "%SM0.0", flags), 0);
    EXPECT_EQ(IsForceableOperand(project(), "Unknown", flags), 0);

    m_app->LocalVarMap["OLD"] = std::make_unique<CLocalVarEntry>();
    EXPECT_EQ(ReloadLocalVarMap(*m_app, temp / "SBR07_Motor.ilv"), 1);
    EXPECT_EQ(m_app->LocalVarMap.count("OLD"), 0u);
    EXPECT_EQ(m_app->LocalVarMap.size(), 5u);
    EXPECT_EQ(m_app->LocalVarMap.at("RATE")->ClassFlags, 0x1E000u);
    EXPECT_EQ(ReloadLocalVarMap(*m_app, temp / "missing.ilv"), 1);
    EXPECT_TRUE(m_app->LocalVarMap.empty());
}
