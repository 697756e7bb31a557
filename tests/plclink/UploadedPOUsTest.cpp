#include "DecompilerFixture.h"
#include "VarBlockBuilder.h"

#include "model/CProjTreeNode.h"
#include "model/LanguageLibrary.h"
#include "model/CZULFunc.h"
#include "model/CZULSymbol.h"
#include "model/POULanguageTable.h"
#include "plclink/UploadedPOUs.h"

#include <cstring>

using B = ObjectCodeBuilder;

namespace {

// Type code in the high nibble, class in the low nibble.
constexpr BYTE Entry(BYTE typeCode, BYTE varClass)
{
    return static_cast<BYTE>(typeCode << 4 | varClass);
}

} // namespace

class UploadedPOUsTest : public DecompilerFixture {
protected:
    void SetUp() override
    {
        DecompilerFixture::SetUp();
        m_app->Project.ProjectFolder = m_folder.Path();
        std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
    }
    void TearDown() override
    {
        std::memset(g_POULanguageTable, 0, sizeof g_POULanguageTable);
        DecompilerFixture::TearDown();
    }
    CZULProject& Project() { return m_app->Project; }
    static WORD Addr(const char* address) { return EncodeAddress(address, 0); }

    // MAIN, SBR03 and INT01, each a single load before its end marker.
    static std::vector<BYTE> ThreePous(BYTE mainLanguage)
    {
        return B()
            .Pou(1, 0xFF, mainLanguage).Op(B::LD).Addr("%I0.0").Op(B::MPEND)
            .Pou(2, 3).Op(B::LD).Addr("%I0.1").Op(B::SPEND)
            .Pou(3, 1).Op(B::LD).Addr("%I0.2").Op(B::INTEND)
            .Finish();
    }
};

TEST_F(UploadedPOUsTest, VariableRecordsReplaceTheInferredVariableFiles)
{
    m_app->UploadFormat = 1;
    const std::vector<BYTE> block9 = VarBlock({
        VarRecord(2, 0, {{Addr("%L0.0"), Entry(1, 5)}, {Addr("%LW2"), Entry(5, 5)}}),
        VarRecord(3, 3, {{Addr("%L0.0"), Entry(1, 1)}, {Addr("%LW2"), Entry(5, 3)}, {Addr("%LD4"), Entry(7, 5)}}),
        VarRecord(4, 1, {{Addr("%LB1"), Entry(2, 5)}}),
        VarRecord(1, 0, {{Addr("%VD0"), Entry(6, 0)}, {Addr("%VD4"), Entry(6, 0)}}),
    });
    const std::vector<BYTE> code = ThreePous(1);
    ASSERT_TRUE(RebuildUploadedPOUs(code.data(), static_cast<int>(code.size()), &block9, m_app->UploadFormat,
                                    Project()));

    EXPECT_EQ("VAR\nbP0 AT %L0.0 : BOOL ;\niP1 AT %LW2 : INT ;\nEND_VAR\n", ReadText("MAIN_MAIN.ilv"));
    EXPECT_EQ("VAR_INPUT\nbP0 AT %L0.0 : BOOL ;\nEND_VAR\n"
              "VAR_IN_OUT\nEND_VAR\n"
              "VAR_OUTPUT\niP1 AT %LW2 : INT ;\nEND_VAR\n"
              "VAR\nfP2 AT %LD4 : REAL ;\nEND_VAR\n",
              ReadText("SBR03_SBR_3.ilv"));
    EXPECT_EQ("VAR\nbyP0 AT %LB1 : BYTE ;\nEND_VAR\n", ReadText("INT01_INT_1.ilv"));
    EXPECT_EQ("(*1*)\nLD      %I0.1\n", ReadText("SBR03_SBR_3.ilp"));
    // The subroutine's call interface comes from the final variable file: EN and the input, ENO and the output.
    ASSERT_EQ(1u, Project().POUs.SubroutineInterfaces.count("SBR_3"));
    const CZULFunc* function = Project().POUs.SubroutineInterfaces["SBR_3"];
    EXPECT_EQ(2, function->GetInputCount());
    EXPECT_EQ(2, function->GetOutputCount());

    ASSERT_EQ(2u, Project().OrderedSymbols.size());
    const CZULSymbol* second = Project().OrderedSymbols[1];
    EXPECT_EQ("g_diP1", second->name);
    EXPECT_EQ("%VD4", second->address);
    EXPECT_EQ("DINT", second->dataType);
    EXPECT_EQ("", second->comment);
    EXPECT_EQ(1, second->orderIndex);
    // The area flags of the address above bit 16, the type below.
    EXPECT_EQ(OT_AREA_V | OT_DINT, second->typeFlags & (OT_AREA_V | 0x1FFFF));
    EXPECT_EQ(second, Project().SymbolLookup["g_diP1"]);
    EXPECT_EQ(second, Project().SymbolLookup["%VD4"]);
    EXPECT_EQ(second, Project().SymbolsUpper["G_DIP1"]);
}

TEST_F(UploadedPOUsTest, EveryRebuiltPouGetsItsNodeWithTheLanguageOfItsFile)
{
    // Format 0 takes the language from the POU header: MAIN in LD.
    m_app->UploadFormat = 0;
    const std::vector<BYTE> code = ThreePous(2);
    ASSERT_TRUE(RebuildUploadedPOUs(code.data(), static_cast<int>(code.size()), nullptr, m_app->UploadFormat,
                                    Project()));

    EXPECT_EQ(1, Project().MainPresent);
    EXPECT_EQ(NODE_MAIN, Project().MainNode.kind);
    EXPECT_EQ("MAIN", Project().MainNode.name);
    EXPECT_EQ("(MAIN)  MAIN", Project().MainNode.label);
    EXPECT_EQ(POU_LANGUAGE_LD, Project().MainNode.language);

    ASSERT_EQ(1u, Project().POUs.SubroutineNodes.count("SBR_3"));
    const CProjTreeNode* sbr = Project().POUs.SubroutineNodes["SBR_3"];
    EXPECT_EQ(NODE_SUBROUTINE, sbr->kind);
    EXPECT_EQ(3, sbr->number);
    EXPECT_EQ("(SBR03)  SBR_3", sbr->label);
    EXPECT_EQ(POU_LANGUAGE_IL, sbr->language);

    ASSERT_EQ(1u, Project().POUs.InterruptNodesByNumber.count(1));
    const CProjTreeNode* intr = Project().POUs.InterruptNodesByNumber[1];
    EXPECT_EQ("INT_1", intr->name);
    EXPECT_EQ("(INT01)  INT_1", intr->label);
    EXPECT_EQ(NODE_INTERRUPT, intr->kind);
    EXPECT_EQ(intr, Project().POUs.InterruptNodesUpper["INT_1"]);
}

TEST_F(UploadedPOUsTest, UploadFormatsWithALanguageTableTakeTheLanguageFromIt)
{
    m_app->UploadFormat = 2;
    g_POULanguageTable[POU_LANGUAGE_FIRST_SBR + 3] = 2;
    const std::vector<BYTE> block9 = VarBlock({});
    const std::vector<BYTE> code = ThreePous(2);
    ASSERT_TRUE(RebuildUploadedPOUs(code.data(), static_cast<int>(code.size()), &block9, m_app->UploadFormat,
                                    Project()));
    EXPECT_EQ(POU_LANGUAGE_IL, Project().MainNode.language);
    EXPECT_EQ(POU_LANGUAGE_LD, Project().POUs.SubroutineNodes["SBR_3"]->language);
    EXPECT_EQ("(*2*)\nLD      %I0.1\n", ReadText("SBR03_SBR_3.ilp"));
}

TEST_F(UploadedPOUsTest, FailuresOfTheVariableRecordsFailTheRebuild)
{
    const std::vector<BYTE> code = ThreePous(1);
    std::vector<BYTE> cut = VarBlock({VarRecord(2, 0, {{Addr("%L0.0"), Entry(1, 5)}})});
    cut.pop_back();
    EXPECT_FALSE(RebuildUploadedPOUs(code.data(), static_cast<int>(code.size()), &cut, m_app->UploadFormat,
                                    Project()));
    EXPECT_TRUE(m_ui.box.Texts().empty());

    // A folder that cannot take the file.
    Project().ProjectFolder = m_folder / "missing";
    const std::vector<BYTE> block9 = VarBlock({VarRecord(2, 0, {})});
    EXPECT_FALSE(WriteUploadedVarFiles(block9, Project()));
    EXPECT_EQ(std::vector<std::string>{"\xBD\xE2\xCE\xF6\xB1\xE4\xC1\xBF\xCE\xC4\xBC\xFE\xCA\xB1\xCA\xA7\xB0\xDC"},
              m_ui.box.Texts());
}

TEST_F(UploadedPOUsTest, AFailedObjectCodeRunDoesNotFailTheRebuild)
{
    // The interrupt routine's code is broken: the run stops in pass 2 and no POU gets files or a node.
    std::vector<BYTE> code = ThreePous(1);
    code[code.size() - 3] = 0xFF;
    ASSERT_TRUE(RebuildUploadedPOUs(code.data(), static_cast<int>(code.size()), nullptr, m_app->UploadFormat,
                                    Project()));
    EXPECT_EQ(0, Project().MainPresent);
    EXPECT_TRUE(Project().POUs.SubroutineNodes.empty());
    EXPECT_EQ(std::vector<std::string>{"Error in \"POU\" 3 in second process."}, m_ui.box.Texts());
}
