// The LD program model: the default network and the network limit, the
// file form read back byte for byte, the undo snapshots (networks kept as IL
// included) and their type bytes, refused IL text, the POU name, the find
// drivers and the local maps used for the IL text.

#include "ElementFixture.h"
#include "../pouedit/ILProgramFixture.h"
#include "ladder/CCoil.h"
#include "ladder/CComment.h"
#include "ladder/CContact.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "ladder/CLadderProgramFactory.h"
#include "pid/PIDTemplate.h"
#include "pouedit/IPOUProgramFactory.h"
#include "support/ScriptedUi.h"
#include "support/TextLines.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

std::string FileText(CLDProgram& program)
{
    CArchive ar;
    program.Serialize(ar, TRUE);
    return std::string(ar.GetBuffer().begin(), ar.GetBuffer().end());
}

BOOL LoadFileText(CLDProgram& program, const std::string& text)
{
    CArchive ar(std::vector<BYTE>(text.begin(), text.end()));
    program.Serialize(ar, TRUE);
    return ar.IsOK();
}

std::vector<BYTE> Snapshot(CLDProgram& program)
{
    CArchive ar;
    program.Serialize(ar, FALSE);
    return ar.GetBuffer();
}

BOOL LoadSnapshot(CLDProgram& program, const std::vector<BYTE>& bytes)
{
    CArchive ar(bytes);
    program.Serialize(ar, FALSE);
    return ar.IsOK();
}

// Programs as loose IL; what the program writes of them is the editor's file form.
struct SourceCase {
    const char* name;
    const char* il;
    int networks;
    int keptAsIL; // networks held as IL lines
};

const SourceCase SOURCES[] = {
    {"series and parallel", "(* Network 0 *)\nLD a\nOR b\nAND c\nST q\nS r", 1, 0},
    {"comment, timer and block",
     "(* Network 0 *)\n(*first\x01second*)\nLD %I0.0\nTON T19, %MW30\n__CR_EQ_1\nMOVE T19, %MW26\n__CR_RESTORE\n"
     "ST %Q0.0\n(* Network 1 *)\nLD %I0.1\nAND(\nLD %I0.2\nOR %I0.3\n)\nMOVE %MW0, %MW2\nST %Q0.1",
     2, 0},
    {"undrawable network", "(* Network 0 *)\nLD I0.0\nST Q0.0\nAND I0.1\n(* Network 1 *)\nLD a\nST b", 2, 1},
    {"unknown instruction", "(* Network 0 *)\nLD a\nST q\n(* Network 1 *)\nLD a\nFROB %MW0\nST q", 2, 1},
};

} // namespace

class LDProgramTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
    }
    void TearDown() override
    {
        m_program.reset();
        ElementFixture::TearDown();
    }

    std::unique_ptr<CLDProgram> Fresh() { return std::make_unique<CLDProgram>(*m_app, &m_host); }

    int KeptAsIL(const CLDProgram& program) const
    {
        int kept = 0;
        for (int n = 0; n < program.GetNetworkCount(); ++n) {
            const auto* header = static_cast<const CComment*>(program.GetItems()[size_t(2 * n)].get());
            const auto* root = static_cast<const CCoil*>(program.GetItems()[size_t(2 * n + 1)].get());
            kept += header->GetValidFlag() == 0 && root->GetGraphicalFlag() == 0 ? 1 : 0;
        }
        return kept;
    }

    FakePOUHost m_host;
    std::unique_ptr<CLDProgram> m_program;
};

TEST_F(LDProgramTest, ANewPOUHasOneDefaultNetworkWithTheContactSelectedAndOneSnapshot)
{
    ASSERT_TRUE(m_program->InitNew());

    ASSERT_EQ(m_program->GetItems().size(), 2u);
    const auto* header = dynamic_cast<const CComment*>(m_program->GetItems()[0].get());
    const auto* coil = dynamic_cast<const CCoil*>(m_program->GetItems()[1].get());
    ASSERT_NE(header, nullptr);
    ASSERT_NE(coil, nullptr);
    EXPECT_EQ(header->GetNetworkNumber(), 0);
    EXPECT_EQ(coil->GetTypeText(), "-(NUL)");
    EXPECT_EQ(coil->GetOperand(), "????");
    const auto* contact = dynamic_cast<const CContact*>(coil->GetChildA());
    ASSERT_NE(contact, nullptr);
    EXPECT_EQ(contact->GetOperand(), "????");
    EXPECT_EQ(contact->GetTypeText(), "-| |-");
    EXPECT_EQ(contact->GetParent(), coil);
    EXPECT_EQ(m_program->GetSelection(), contact);
    EXPECT_EQ(m_program->GetSelectionFlag(), 1);
    EXPECT_EQ(m_program->GetUndoCount(), 1);
    EXPECT_EQ(m_program->GetLanguage(), POU_LANGUAGE_LD);
    EXPECT_EQ(m_program->GetEditor(), &m_program->GetLDEditor());
}

TEST_F(LDProgramTest, TheTwoHundredAndFirstNetworkIsRefused)
{
    for (int n = 0; n < LD_MAX_NETWORKS; ++n)
        ASSERT_TRUE(m_program->InsertNetwork()) << n;
    EXPECT_FALSE(m_program->InsertNetwork());
    EXPECT_EQ(m_program->GetItems().size(), 400u);
    EXPECT_EQ(static_cast<const CComment*>(m_program->GetItems()[398].get())->GetNetworkNumber(), 199);
}

TEST_F(LDProgramTest, TheFileFormIsReadBackByteForByte)
{
    for (const SourceCase& c : SOURCES) {
        ASSERT_TRUE(m_program->LoadFromIL(SplitLines(c.il))) << c.name;
        ASSERT_EQ(m_program->GetNetworkCount(), c.networks) << c.name;
        EXPECT_EQ(KeptAsIL(*m_program), c.keptAsIL) << c.name;
        const std::string written = FileText(*m_program);

        auto reread = Fresh();
        ASSERT_TRUE(LoadFileText(*reread, written)) << c.name;
        EXPECT_EQ(reread->GetNetworkCount(), c.networks) << c.name;
        EXPECT_EQ(KeptAsIL(*reread), c.keptAsIL) << c.name;
        EXPECT_EQ(FileText(*reread), written) << c.name;
        EXPECT_TRUE(reread->IsLayoutChanged()) << c.name;
    }
}

TEST_F(LDProgramTest, UndoAndRedoOfANewNetworkGiveBackTheSameFileBytes)
{
    for (const SourceCase& c : SOURCES) {
        auto program = Fresh();
        ASSERT_TRUE(program->LoadFromIL(SplitLines(c.il))) << c.name;
        program->OnOpened("/p/MAIN_Main.ilp");
        const std::string opened = FileText(*program);

        ASSERT_TRUE(program->InsertNetwork());
        program->PushUndoSnapshot();
        const std::string grown = FileText(*program);
        ASSERT_NE(grown, opened);

        ASSERT_TRUE(program->Undo()) << c.name;
        EXPECT_EQ(FileText(*program), opened) << c.name;
        EXPECT_EQ(KeptAsIL(*program), c.keptAsIL) << c.name;
        ASSERT_TRUE(program->Redo()) << c.name;
        EXPECT_EQ(FileText(*program), grown) << c.name;
        EXPECT_EQ(KeptAsIL(*program), c.keptAsIL) << c.name;
    }
}

TEST_F(LDProgramTest, ASnapshotKeepsEveryTreeAndItsLinks)
{
    ASSERT_TRUE(m_program->LoadFromIL(SplitLines(SOURCES[1].il)));
    const std::vector<BYTE> bytes = Snapshot(*m_program);

    auto copy = Fresh();
    ASSERT_TRUE(LoadSnapshot(*copy, bytes));
    ASSERT_EQ(copy->GetItems().size(), m_program->GetItems().size());
    for (size_t i = 0; i < copy->GetItems().size(); ++i) {
        std::vector<CLDElement*> a, b;
        std::vector<BYTE> ta, tb;
        m_program->GetItems()[i]->Flatten(&a, &ta);
        copy->GetItems()[i]->Flatten(&b, &tb);
        EXPECT_EQ(ta, tb) << i;
        ASSERT_EQ(a.size(), b.size()) << i;
        for (size_t k = 0; k < a.size(); ++k) {
            EXPECT_EQ(a[k]->GetChildAIndex(), b[k]->GetChildAIndex()) << i << ":" << k;
            EXPECT_EQ(a[k]->GetChildBIndex(), b[k]->GetChildBIndex()) << i << ":" << k;
            EXPECT_EQ(b[k]->GetNames(), &copy->GetNames()) << i << ":" << k;
        }
    }
    EXPECT_EQ(Snapshot(*copy), bytes);

    auto empty = Fresh();
    CArchive ar;
    empty->Serialize(ar, FALSE);
    EXPECT_EQ(ar.GetBuffer(), (std::vector<BYTE> {0, 0, 0, 0}));
}

TEST_F(LDProgramTest, OnlyTheLowThreeBitsOfATypeByteCountAndAnUnknownClassEndsTheLoad)
{
    ASSERT_TRUE(m_program->LoadFromIL(SplitLines("(* Network 0 *)\nLD a\nST q\n(* Network 1 *)\nLD b\nST r")));
    const std::vector<BYTE> bytes = Snapshot(*m_program);
    // The first record of item 0 starts after the item count and the record count.
    constexpr size_t FIRST_TYPE_BYTE = 8;
    ASSERT_EQ(bytes[FIRST_TYPE_BYTE], LD_TYPE_OTHER);

    struct TypeCase {
        BYTE type;
        size_t items;
    };
    const TypeCase cases[] = {{8, 4}, {0x80, 4}, {3, 0}, {5, 0}, {7, 0}};
    for (const TypeCase& c : cases) {
        std::vector<BYTE> changed = bytes;
        changed[FIRST_TYPE_BYTE] = c.type;
        auto program = Fresh();
        LoadSnapshot(*program, changed);
        EXPECT_EQ(program->GetItems().size(), c.items) << int(c.type);
    }

    // A bad class in the last item keeps the items read before it.
    CArchive head;
    head << 3;
    for (size_t i = 0; i < 3; ++i) {
        std::vector<CLDElement*> elements;
        std::vector<BYTE> types;
        m_program->GetItems()[i]->Flatten(&elements, &types);
        head << static_cast<int>(elements.size());
        for (size_t k = 0; k < elements.size(); ++k) {
            head << types[k];
            elements[k]->Serialize(head);
            if (types[k] == LD_TYPE_OTHER)
                head << 1;
        }
    }
    head << 1 << BYTE(3);
    std::vector<BYTE> stream = head.GetBuffer();
    stream[0] = 4; // four items announced, the fourth one's class unknown
    auto partial = Fresh();
    LoadSnapshot(*partial, stream);
    EXPECT_EQ(partial->GetItems().size(), 3u);
}

TEST_F(LDProgramTest, IllegibleILLeavesTheNetworksAsTheyWere)
{
    ASSERT_TRUE(m_program->InitNew());
    const std::string before = FileText(*m_program);
    const std::vector<std::vector<std::string>> refused = {
        {},
        {""},
        {"", "   "},
    };
    for (const auto& lines : refused) {
        EXPECT_FALSE(m_program->LoadFromIL(lines)) << lines.size();
        EXPECT_EQ(FileText(*m_program), before) << lines.size();
    }
    EXPECT_EQ(m_program->GetSelection(), nullptr);
}

TEST_F(LDProgramTest, AFileThatGivesNoNetworkReportsAnError)
{
    auto program = Fresh();
    const std::string text = "\r\n   \r\n";
    CArchive ar(std::vector<BYTE>(text.begin(), text.end()));
    program->Serialize(ar, TRUE);
    EXPECT_FALSE(ar.IsOK());
    EXPECT_TRUE(program->GetItems().empty());
}

TEST_F(LDProgramTest, TheOpenedPathNamesThePOUAndTakesTheFirstSnapshot)
{
    const std::pair<const char*, const char*> cases[] = {
        {"/work/proj/SBR01_Motor_A.ilp", "Motor_A"},
        {"C:\\proj\\MAIN_ Pump .ilp", "Pump"},
        {"INT02_Tick.v2.ilp", "Tick.v2"},
    };
    for (const auto& [path, name] : cases) {
        auto program = Fresh();
        ASSERT_TRUE(program->OnOpened(path));
        EXPECT_EQ(program->GetName(), name) << path;
        EXPECT_TRUE(program->IsLayoutChanged()) << path;
        EXPECT_EQ(program->GetUndoCount(), 1) << path;
    }
}

TEST_F(LDProgramTest, ILLinesUseTheProgramsOwnLocalVariables)
{
    // Two POUs name a local variable alike; each one's IL gets its own address.
    const std::string il = "(* Network 0 *)\nLD RUN\nST %Q0.0";
    m_host.locals["RUN"] = {"L0.4", OT_BOOL};
    ASSERT_TRUE(m_program->LoadFromIL(SplitLines(il)));
    FakePOUHost other;
    other.locals["RUN"] = {"%L1.0", OT_BOOL};
    CLDProgram second(*m_app, &other);
    ASSERT_TRUE(second.LoadFromIL(SplitLines(il)));

    std::vector<std::string> lines;
    m_program->GetILLines(lines);
    std::vector<std::string> otherLines;
    second.GetILLines(otherLines);
    ASSERT_EQ(lines.size(), 3u);
    ASSERT_EQ(otherLines.size(), 3u);
    EXPECT_EQ(lines[1], "LD    %L0.4");
    EXPECT_EQ(otherLines[1], "LD    %L1.0");
}

TEST_F(LDProgramTest, FindReportsInTheFindReplaceListAndVisitsTheNetworksInTheSearchDirection)
{
    CScopedUi ui;
    auto empty = Fresh();
    ASSERT_TRUE(empty->Find("x", LD_FIND_REPORT));
    EXPECT_EQ(ui.output.Lines(2), (std::vector<std::string> {"\r\n", "$$$ Find \"x\" in the program \"MAIN\"..."}));
    EXPECT_EQ(empty->GetUndoCount(), 0);

    ASSERT_TRUE(m_program->LoadFromIL(SplitLines("(* Network 0 *)\nLD %I0.5\nST q\n(* Network 1 *)\nLD %I0.5\nST r")));
    for (int direction : {0, 1}) {
        ui.output.Clear();
        m_app->Find.Direction = direction;
        m_program->Find("%I0.5", LD_FIND_REPORT);
        const std::vector<std::string> lines = ui.output.Lines(2);
        ASSERT_EQ(lines.size(), 4u) << direction;
        const char* first = direction == 1 ? "(Network:1)" : "(Network:0)";
        const char* second = direction == 1 ? "(Network:0)" : "(Network:1)";
        EXPECT_NE(lines[2].find(first), std::string::npos) << lines[2];
        EXPECT_NE(lines[3].find(second), std::string::npos) << lines[3];
    }
    EXPECT_EQ(m_program->GetUndoCount(), 2);
}

TEST_F(LDProgramTest, WhileThePIDWizardGeneratesANewPOUHoldsTheLoopsTemplate)
{
    m_app->PIDGenerateMode = 1;
    struct LoopCase {
        int loop;
        bool networks;
    };
    const LoopCase cases[] = {{0, true}, {7, true}, {8, false}, {-1, false}};
    for (const LoopCase& c : cases) {
        m_app->CurrentPIDLoop = c.loop;
        std::vector<std::string> lines;
        BuildCurrentPIDLoopIL(*m_app, lines);
        auto program = Fresh();
        ASSERT_TRUE(program->InitNew()) << c.loop;
        EXPECT_EQ(program->GetNetworkCount() > 0, c.networks) << c.loop;
        EXPECT_EQ(program->GetUndoCount(), 1) << c.loop;
        if (!c.networks)
            continue;
        std::vector<std::string> written;
        program->GetILLines(written);
        EXPECT_EQ(written.front(), "(* Network 0 *)") << c.loop;
        EXPECT_EQ(KeptAsIL(*program), 0) << c.loop;
    }
}

TEST_F(LDProgramTest, PastedILBecomesNetworkItemsInTheLDClipboard)
{
    RegisterLadderProgramFactory(*m_app);
    ASSERT_NE(m_app->ProgramFactory, nullptr);
    std::vector<int> values(LD_PASTE_VALUE_COUNT, 0);
    values[0] = 7;
    values[1] = 9;
    const std::string text = "(* Network 0 *)\r\nLD    %I0.0\r\nST   %Q0.0\r\n"
                             "(* Network 1 *)\r\nLD    %I0.1\r\nST   %Q0.1\r\n";

    ASSERT_TRUE(m_app->ProgramFactory->ConvertILToNetworks(text, values.data(), *m_app));
    ASSERT_EQ(m_app->LDClipboard.size(), 4u);
    EXPECT_EQ(static_cast<CComment*>(m_app->LDClipboard[0].get())->GetNetworkNumber(), 7);
    EXPECT_EQ(static_cast<CComment*>(m_app->LDClipboard[2].get())->GetNetworkNumber(), 9);
    EXPECT_EQ(static_cast<CLDElement*>(m_app->LDClipboard[1].get())->GetILText(), "LD    %I0.0\r\nST   %Q0.0\r\n");
    EXPECT_EQ(m_app->PastingIL, 0);

    EXPECT_FALSE(m_app->ProgramFactory->ConvertILToNetworks("\r\n", nullptr, *m_app));
    EXPECT_TRUE(m_app->LDClipboard.empty());
}

// Whether a diagram is opened from its file or made from a POU's IL, its
// timer's instance is in the project's table at once, without a paint or
// an Undo; laying it out registers nothing, the next edit does.
TEST_F(LDProgramTest, FBInstancesAreRegisteredWhenADiagramIsMadeOrChanged)
{
    RegisterLadderProgramFactory(*m_app);
    m_host.pouName = "MAIN";
    const std::string timerIL = "(* Network 0 *)\r\nLD    %I0.0\r\nTON   T37, 100\r\nST   %Q0.0\r\n";
    struct Case {
        const char* name;
        std::function<std::unique_ptr<CPOUProgram>()> make;
    };
    const Case cases[] = {
        {"file opened",
         [&] {
             auto program = Fresh();
             EXPECT_TRUE(LoadFileText(*program, timerIL));
             program->OnOpened("/proj/MAIN_MAIN.ilp");
             return std::unique_ptr<CPOUProgram>(std::move(program));
         }},
        {"switched from IL",
         [&] { return m_app->ProgramFactory->ConvertILLines(SplitLines(timerIL), *m_app, &m_host); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Project().FBTable.RemoveFBInstancesOfPOU("MAIN");
        std::unique_ptr<CPOUProgram> program = c.make();
        ASSERT_NE(program, nullptr);
        EXPECT_EQ(InstancesOfMain(), std::vector<std::string> {"T37"});

        auto* ladder = dynamic_cast<CLDProgram*>(program.get());
        ASSERT_NE(ladder, nullptr);
        Project().FBTable.RemoveFBInstancesOfPOU("MAIN");
        ladder->GetLDEditor().LayoutAll();
        EXPECT_TRUE(InstancesOfMain().empty()) << "the layout changes no table";
        // The next edit puts the instance back.
        ladder->InsertNetwork();
        ladder->PushUndoSnapshot();
        EXPECT_EQ(InstancesOfMain(), std::vector<std::string> {"T37"});
    }
}

TEST_F(LDProgramTest, GoingToAFindResultMovesTheCurrentHitMark)
{
    ASSERT_TRUE(m_program->LoadFromIL(SplitLines("(* Network 0 *)\nLD %I0.5\nST q\n(* Network 1 *)\nLD %I0.5\nST r")));
    CScopedUi ui;
    m_app->Find.ResultCount = 0;
    m_program->Find("%I0.5", LD_FIND_REPORT);
    ASSERT_EQ(m_app->Find.ResultCount, 2);
    m_program->Find("%I0.5", LD_FIND_CLEAR);
    const auto* first = static_cast<const CContact*>(m_program->GetItems()[1]->GetChildA());
    const auto* second = static_cast<const CContact*>(m_program->GetItems()[3]->GetChildA());
    ASSERT_EQ(first->GetOperandFoundMark(), 0);

    ASSERT_TRUE(m_program->GoToFindResult(1, 0, 0));
    EXPECT_EQ(first->GetOperandFoundMark(), 1);
    EXPECT_EQ(second->GetOperandFoundMark(), 0);
    EXPECT_EQ(m_app->Find.SavedResult, 1);
    EXPECT_EQ(m_app->Find.FindResultMode, 1);

    ASSERT_TRUE(m_program->GoToFindResult(2, 0, 0));
    EXPECT_EQ(first->GetOperandFoundMark(), 0);
    EXPECT_EQ(second->GetOperandFoundMark(), 1);

    // Results of elements that are gone, and numbers outside the table, show nothing.
    m_program->Clear();
    for (int result : {1, 0, FIND_TABLE_SIZE})
        EXPECT_FALSE(m_program->GoToFindResult(result, 0, 0)) << result;
}

TEST_F(LDProgramTest, DiscardingChangesRestoresTheFBInstancesThePOUHadWhenOpened)
{
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T37", "TON", "PUMP", FB_LIST_TABLE));
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T40", "TOF", "MAIN", FB_LIST_TABLE));
    m_host.pouName = "PUMP";
    m_program->OnOpened("/proj/SBR01_PUMP.ilp");
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T38", "TON", "PUMP", FB_LIST_TABLE));
    Project().FBTable.RemoveFBInstance("T37");

    m_program->DiscardChanges();
    std::vector<std::string> names;
    std::vector<std::string> types;
    Project().FBTable.GetFBInstancesOfPOU("PUMP", names, types);
    EXPECT_EQ(names, std::vector<std::string> {"T37"});
    EXPECT_EQ(types, std::vector<std::string> {"TON"});
    EXPECT_EQ(InstancesOfMain(), std::vector<std::string> {"T40"});
}

TEST_F(LDProgramTest, ReplaceAllChangesEveryNetworkAndTakesOneSnapshot)
{
    ASSERT_TRUE(m_program->LoadFromIL(SplitLines("(* Network 0 *)\nLD %I0.5\nST q\n(* Network 1 *)\nLD %I0.5\nST r")));
    m_program->PushUndoSnapshot();
    CScopedUi ui;

    ASSERT_TRUE(m_program->ReplaceAll("%I0.5", "%I0.6"));
    const std::vector<std::string> lines = ui.output.Lines(2);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\r\n");
    EXPECT_EQ(lines[1], "$$$ Replace string '%I0.5' in 'MAIN'...");
    std::vector<std::string> il;
    m_program->GetILLines(il);
    EXPECT_EQ(il, (std::vector<std::string> {"(* Network 0 *)", "LD    %I0.6", "ST   q", "(* Network 1 *)",
                                             "LD    %I0.6", "ST   r"}));
    EXPECT_EQ(m_program->GetUndoCount(), 2);

    m_program->Replace("%I0.6", "%I0.7");
    EXPECT_TRUE(m_host.modified);
    EXPECT_EQ(m_program->GetUndoCount(), 3);
    ASSERT_TRUE(m_program->Undo());
    il.clear();
    m_program->GetILLines(il);
    EXPECT_EQ(il[1], "LD    %I0.6");
}
