#include "CompilerFixture.h"

#include "model/CLocalVarTable.h"
#include "model/CZULFB.h"
#include "model/SourceCollection.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <fstream>

namespace {

using Lines = std::vector<std::string>;

class SourceCollectionTest : public CompilerFixture {
protected:
    void SetUp() override
    {
        CompilerFixture::SetUp();
        UseProjectFolder(m_folder);
    }

    void Write(const std::string& name, const std::string& text) { std::ofstream(m_folder / name) << text; }
    std::string Read(const std::string& name) const
    {
        const std::vector<unsigned char> bytes = ReadFileBytes(m_folder / name);
        return std::string(bytes.begin(), bytes.end());
    }
    bool Exists(const std::string& name) const { return std::ifstream(m_folder / name).good(); }

    static Lines Expand(const CLocalVarTable& table, Lines lines)
    {
        table.ExpandIndirectOperands(&lines);
        return lines;
    }

    TempFolder m_folder;
};

TEST_F(SourceCollectionTest, IndirectOperandsBecomePointerLines)
{
    CLocalVarTable table;
    struct ExpandCase {
        int family;
        Lines in;
        Lines out;
    } const cases[] = {
        {FAMILY_INDEX_VB16, {"ADD *VD100, VW0"}, {"PTR_R   *VD100,   33", "ADD     %VW100 , VW0", "PTR_W  *VD100,   33"}},
        {FAMILY_INDEX_VC16, {"ADD *VD100, VW0 (* sum *)"},
         {"PTR_R   *VD100,   33", "ADD     %VW100 , VW0", "PTR_W  *VD100,   33"}},
        {FAMILY_INDEX_VB14, {"ADD *VD100, VW0"}, {"ADD *VD100, VW0"}},
        {FAMILY_INDEX_VB16, {"LD *VD0"}, {"LD *VD0"}},
        {FAMILY_INDEX_VB16, {"LD %I0.0 (* c *)", "", "(* only *)"}, {"LD %I0.0 (* c *)", "", "(* only *)"}},
        {FAMILY_INDEX_VB16, {"ADD *VD100, NOTHING"}, {"ADD *VD100, NOTHING"}},
        {FAMILY_INDEX_VB16, {"ADD *VW100, VW0"}, {"ADD *VW100, VW0"}},
        {FAMILY_INDEX_VB16, {"MOVE *VD0, *VD4", "SUB VW2, *VD8"},
         {"PTR_R   *VD0,   01", "PTR_R   *VD4 , 02", "MOVE     %VD0 , %VD4", "PTR_W  *VD0,   01",
          "PTR_W  *VD4 , 02", "PTR_R   *VD8 , 34", "SUB     VW2 , %VW8", "PTR_W  *VD8 , 34"}},
        {FAMILY_INDEX_VB16, {"SQRT *VD0, VD4"}, {"SQRT *VD0, VD4"}},
        {FAMILY_INDEX_VB16, {"SQRT *VD0, %VR4"}, {"PTR_R   *VD0,   33", "SQRT     %VR0 , %VR4", "PTR_W  *VD0,   33"}},
        {FAMILY_INDEX_VB16, {"INC *VD0"}, {"PTR_R   *VD0,   33", "INC     %VD0", "PTR_W  *VD0,   33"}},
        {FAMILY_INDEX_VB16, {"AND *VD0, VB4"}, {"PTR_R   *VD0,   01", "AND     %VB0 , VB4", "PTR_W  *VD0,   01"}},
    };
    for (const ExpandCase& c : cases) {
        UseFamily(c.family);
        EXPECT_EQ(Expand(table, c.in), c.out) << c.in[0];
    }
}

TEST_F(SourceCollectionTest, VariableFileSectionsAndFlags)
{
    Write("SBR01_PUMP.ilv", "VAR_INPUT\r\n"
                            "    IN1  AT  %L0.0 : BOOL ; (* start *) \r\n"
                            "END_VAR\r\n"
                            "VAR_TEMP\r\n"
                            "    T1  AT  %LW2 : INT ;\r\n"
                            "END_VAR\r\n"
                            "VAR_IN_OUT\r\n"
                            "    IO AT %LD4 : REAL;\r\n"
                            "    BROKEN AT %LB8 : BYTE\r\n"
                            "VAR_OUTPUT\r\n"
                            "    Q AT %LB9 : TIME ;\r\n"
                            "VAR\r\n"
                            "    W AT %LW10 : WORD ;");
    CLocalVarTable table;
    ASSERT_TRUE(table.LoadVarFile(m_folder / "SBR01_PUMP.ilv"));
    ASSERT_EQ(table.Entries().size(), 5u);
    EXPECT_EQ(table.Entries()[0].name, "IN1");
    EXPECT_EQ(table.Entries()[0].address, "L0.0");
    EXPECT_EQ(table.Entries()[0].dataType, "BOOL");
    EXPECT_EQ(table.Entries()[0].section, "VAR_INPUT");
    EXPECT_EQ(table.Entries()[1].section, "VAR_INPUT"); // VAR_TEMP keeps the section before it

    struct FlagCase {
        const char* name;
        bool found;
        OperandTypeFlags flags;
    } const cases[] = {
        {"in1", true, OT_AREA_L | OT_BOOL | OT_VAR_INPUT},
        {"T1", true, OT_AREA_L | OT_INT | OT_VAR_INPUT},
        {"IO", true, OT_AREA_L | OT_REAL | OT_VAR_IN_OUT},
        {"Q", true, OT_VAR_OUTPUT},
        {"W", true, OT_AREA_L | OT_WORD | OT_VAR},
        {"BROKEN", false, 0},
    };
    for (const FlagCase& c : cases) {
        OperandTypeFlags flags = 0;
        EXPECT_EQ(table.FindLocalVar(c.name, flags) != FALSE, c.found) << c.name;
        if (c.found) {
            EXPECT_EQ(flags, c.flags) << c.name;
        }
    }
    EXPECT_FALSE(table.LoadVarFile(m_folder / "MISSING.ilv"));
    EXPECT_TRUE(table.Entries().empty());
}

TEST_F(SourceCollectionTest, LocalVariablesResolveInWorkCopies)
{
    Write("SBR01_PUMP.ilv", "VAR\r\n    LEVEL AT %LW0 : INT ;\r\nEND_VAR\r\n");
    Write("SBR01_PUMP.ilp", "(*1*)\r\nADD *VD100, level\r\nLD %I0.0");
    ASSERT_TRUE(PrepareSubroutineSource(m_folder / "SBR01_PUMP.ilp", m_folder / "~SBR01_PUMP.ilp"));
    EXPECT_EQ(Read("~SBR01_PUMP.ilp"),
              "(*1*)\r\nPTR_R   *VD100,   33\r\nADD     %VW100 , level\r\nPTR_W  *VD100,   33\r\nLD %I0.0\r\n");
    EXPECT_FALSE(PrepareSubroutineSource(m_folder / "SBR02_NONE.ilp", m_folder / "~SBR02_NONE.ilp"));
    EXPECT_FALSE(Exists("~SBR02_NONE.ilp"));
    Write("SBR03_EMPTY.ilp", "");
    EXPECT_FALSE(PrepareSubroutineSource(m_folder / "SBR03_EMPTY.ilp", m_folder / "~SBR03_EMPTY.ilp"));
}

TEST_F(SourceCollectionTest, FilesAreListedInTheFixedOrder)
{
    AddPou(true, "Pump", 1, 1);
    AddPou(true, "Fan", 12, 2);
    AddPou(true, "Text", 3, 3);
    AddPou(false, "Tick", 0, 1);
    const std::string f = m_folder.Path();
    Lines list;
    EXPECT_EQ(CollectPouFiles(&list, COLLECT_LIST_ONLY), 1);
    const Lines expected = {
        f + "/SBR12_Fan.ilp", f + "/SBR12_Fan.ilv", f + "/SBR01_Pump.ilp", f + "/SBR01_Pump.ilv",
        f + "/INT00_Tick.ilp", f + "/INT00_Tick.ilv", f + "/MAIN_MAIN.ilp", f + "/MAIN_MAIN.ilv", f + "/Demo.qpj",
    };
    EXPECT_EQ(list, expected);

    m_app->Project.FBTable.FBInstances.push_back(std::make_unique<CZULFB>());
    m_app->Project.MainNode.language = 5;
    CollectPouFiles(&list, COLLECT_LIST_ONLY);
    EXPECT_EQ(list[list.size() - 3], f + "/INT00_Tick.ilv");
    EXPECT_EQ(list[list.size() - 2], f + "/Demo.qgv");
    EXPECT_EQ(GetStringArrayItem(list, 0), f + "/SBR12_Fan.ilp");
    EXPECT_EQ(GetStringArrayItem(list, 99), "");
}

TEST_F(SourceCollectionTest, WorkCopiesAreWrittenOnlyForACompilation)
{
    AddPou(true, "Pump", 1, 1);
    Write("SBR01_Pump.ilp", "(*1*)\r\nMOVE *VD0, VW2\r\n");
    Write("SBR01_Pump.ilv", "VAR\r\nEND_VAR\r\n");
    Write("MAIN_MAIN.ilp", "(*1*)\nLD %I0.0\n");
    Lines list;
    CollectPouFiles(&list, COLLECT_LIST_ONLY);
    EXPECT_FALSE(Exists("~SBR01_Pump.ilp"));
    EXPECT_FALSE(Exists("~MAIN_MAIN.ilp"));

    CollectPouFiles(&list, COLLECT_FOR_COMPILE);
    EXPECT_EQ(Read("~SBR01_Pump.ilp"), "(*1*)\r\nPTR_R   *VD0,   01\r\nMOVE     %VW0 , VW2\r\nPTR_W  *VD0,   01\r\n");
    EXPECT_EQ(Read("~SBR01_Pump.ilv"), "VAR\r\nEND_VAR\r\n");
    EXPECT_EQ(Read("~MAIN_MAIN.ilp"), "(*1*)\r\nLD %I0.0\r\n");
    EXPECT_FALSE(Exists("~MAIN_MAIN.ilv"));
}

} // namespace
