// The LD editing commands by their menu ids: where a new network goes, the
// four limits at and past their bounds with their exact messages, the
// block chooser's answers and the FB instance names, the deletions, undo
// and redo with the POU's FB instances, and the update rules.

#include "ElementFixture.h"
#include "../pouedit/ILProgramFixture.h"
#include "ladder/CBlock.h"
#include "ladder/CCoil.h"
#include "ladder/CComment.h"
#include "ladder/CContact.h"
#include "ladder/CLDCatalogueInsert.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "ladder/ILDDialogs.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/InstructionCatalog.h"
#include "pouedit/ILDCommandTarget.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_REDO = 57644;

const std::string WIDTH_LIMIT = "The number of horizontal elements in this network has reached the upper limit. ";

class CommandState : public IPOUCommandUI {
public:
    void Enable(BOOL on) override { enabled = on; }
    void SetCheck(int) override {}
    BOOL enabled = -1;
};

// The block chooser answers from its script; the other dialogs are not opened here.
class ScriptedLDDialogs : public ILDDialogs {
public:
    BOOL SelectBlock(int* choice, std::string* name, std::string* instance) override
    {
        ++opened;
        *choice = answerChoice;
        *name = answerName;
        *instance = answerInstance;
        return ok;
    }
    BOOL EditContactCoil(CLDProgram&, CLDElement&, BOOL, std::string*) override { return FALSE; }
    BOOL EditBlockParameters(const std::string&, CLDProgram&, CBlock&) override { return FALSE; }
    BOOL EditComment(std::string*, BOOL*) override { return FALSE; }

    BOOL ok = TRUE;
    int answerChoice = 0;
    std::string answerName;
    std::string answerInstance;
    int opened = 0;
};

class LDEditCommandTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
        ASSERT_TRUE(m_program->LoadFromIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0"}));
        m_program->OnOpened("/p/MAIN_Main.ilp");
        Editor().SetDialogs(&m_dialogs);
    }
    void TearDown() override
    {
        m_program.reset();
        ElementFixture::TearDown();
    }

    CLDEditor& Editor() { return m_program->GetLDEditor(); }
    CLDElement* Item(int index) const { return m_program->GetItems()[size_t(index)].get(); }
    CLDElement* Root(int network) const { return Item(2 * network + 1); }
    CLDElement* Selection() const { return m_program->GetSelection(); }

    BOOL Enabled(UINT id)
    {
        CommandState state;
        Editor().OnUpdateLDCommand(id, state);
        return state.enabled;
    }
    BOOL UndoEnabled()
    {
        CommandState state;
        Editor().OnUpdateEditUndo(state);
        return state.enabled;
    }
    BOOL RedoEnabled()
    {
        CommandState state;
        Editor().OnUpdateEditRedo(state);
        return state.enabled;
    }

    std::vector<int> HeaderNumbers() const
    {
        std::vector<int> numbers;
        for (size_t i = 0; i < m_program->GetItems().size(); i += 2)
            numbers.push_back(static_cast<const CComment*>(Item(int(i)))->GetNetworkNumber());
        return numbers;
    }

    std::string IL()
    {
        std::vector<std::string> lines;
        m_program->GetILLines(lines);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    }

    CLDElement* NewContact()
    {
        auto* contact = new CContact;
        contact->SetOperand("%I0.1");
        contact->SetTypeText("-| |-");
        contact->SetLink(LD_LINK_SERIES);
        contact->AttachNames(&m_program->GetNames());
        return contact;
    }

    // Replaces the program by networks given as IL lines.
    void LoadIL(const std::vector<std::string>& lines)
    {
        ASSERT_TRUE(m_program->LoadFromIL(lines));
        m_program->PushUndoSnapshot();
    }

    FakePOUHost m_host;
    CScopedUi m_ui;
    ScriptedLDDialogs m_dialogs;
    std::unique_ptr<CLDProgram> m_program;
};

TEST_F(LDEditCommandTest, NetworkGoesBeforeASelectedHeaderAndAfterAnyOtherElement)
{
    LoadIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0", "(* Network 1 *)", "LD %I0.1", "ST %Q0.1"});
    struct Case {
        const char* name;
        int selectItem; // the item whose element is selected
        BOOL header;
        int newRoot;
    };
    const Case cases[] = {
        {"header of the second network", 2, TRUE, 3},
        {"contact of the first network", 1, FALSE, 3},
        {"contact of the last network", 3, FALSE, 5},
        {"header of the first network", 0, TRUE, 1},
    };
    for (const Case& c : cases) {
        LoadIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0", "(* Network 1 *)", "LD %I0.1", "ST %Q0.1"});
        CLDElement* old = Item(c.selectItem);
        m_program->Select(c.header ? old : old->GetChildA());
        const int snapshots = m_program->GetUndoCount();

        Editor().OnLDCommand(ID_LD_NETWORK);

        ASSERT_EQ(m_program->GetNetworkCount(), 3) << c.name;
        EXPECT_EQ(HeaderNumbers(), (std::vector<int> {0, 1, 2})) << c.name;
        const CLDElement* root = Item(c.newRoot);
        EXPECT_EQ(root->GetTypeText(), "-(NUL)") << c.name;
        EXPECT_EQ(root->GetOperand(), "????") << c.name; // an empty coil operand shows as "????"
        ASSERT_NE(root->GetChildA(), nullptr) << c.name;
        EXPECT_EQ(Selection(), root->GetChildA()) << c.name;
        EXPECT_EQ(Selection()->GetOperand(), "????") << c.name;
        EXPECT_EQ(m_program->GetUndoCount(), snapshots + 1) << c.name;
        EXPECT_EQ(Editor().GetCurrentItem(), c.newRoot) << c.name;
    }
}

TEST_F(LDEditCommandTest, NetworkWithoutAnyNetworkCreatesTheFirstAndWithoutSelectionDoesNothing)
{
    m_program->Clear();
    EXPECT_TRUE(Enabled(ID_LD_NETWORK));
    Editor().OnLDCommand(ID_LD_NETWORK);
    ASSERT_EQ(m_program->GetNetworkCount(), 1);
    EXPECT_EQ(HeaderNumbers(), std::vector<int> {0});
    EXPECT_EQ(Root(0)->GetTypeText(), "-(NUL)");
    EXPECT_EQ(Selection(), Root(0)->GetChildA());

    m_program->ClearSelection();
    EXPECT_FALSE(Enabled(ID_LD_NETWORK));
    Editor().OnLDCommand(ID_LD_NETWORK);
    EXPECT_EQ(m_program->GetNetworkCount(), 1);
}

TEST_F(LDEditCommandTest, TheTwoHundredthNetworkIsTheLast)
{
    while (m_program->GetNetworkCount() < LD_MAX_NETWORKS - 1)
        ASSERT_TRUE(m_program->InsertNetwork());
    m_program->Select(Root(0)->GetChildA());

    Editor().OnLDCommand(ID_LD_NETWORK);
    ASSERT_EQ(m_program->GetNetworkCount(), LD_MAX_NETWORKS);
    EXPECT_TRUE(m_ui.box.Messages().empty());
    const int snapshots = m_program->GetUndoCount();

    Editor().OnLDCommand(ID_LD_NETWORK);
    EXPECT_EQ(m_program->GetNetworkCount(), LD_MAX_NETWORKS);
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].text, "The number of networks has reached the upper limit. ");
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note");
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_ICONINFORMATION);
    EXPECT_EQ(m_program->GetUndoCount(), snapshots);
}

TEST_F(LDEditCommandTest, ANetworkThirtyFiveCellsWideTakesOneMoreElement)
{
    const struct {
        const char* name;
        UINT id;
    } commands[] = {{"right contact", ID_LD_RIGHT_CONTACT}, {"left contact", ID_LD_LEFT_CONTACT}, {"block", ID_LD_BLOCK}};
    for (const auto& c : commands) {
        LoadIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0"});
        CLDElement* root = Root(0);
        while (root->GetSize(FALSE).cx < 35) {
            m_program->Select(root);
            ASSERT_TRUE(m_program->AppendSeries(NewContact()));
        }
        ASSERT_EQ(root->GetSize(FALSE).cx, 35);
        m_dialogs.answerName = "MOVE";
        m_ui.box.Clear();

        m_program->Select(root->GetChildA());
        EXPECT_TRUE(Enabled(c.id)) << c.name;
        Editor().OnLDCommand(c.id);
        EXPECT_GT(root->GetSize(FALSE).cx, 35) << c.name;
        EXPECT_TRUE(m_ui.box.Messages().empty()) << c.name;

        const std::string il = IL();
        const int snapshots = m_program->GetUndoCount();
        m_program->Select(root->GetChildA());
        EXPECT_FALSE(Enabled(c.id)) << c.name;
        Editor().OnLDCommand(c.id);
        EXPECT_EQ(IL(), il) << c.name;
        EXPECT_EQ(m_program->GetUndoCount(), snapshots) << c.name;
        ASSERT_EQ(m_ui.box.Messages().size(), 1u) << c.name;
        EXPECT_EQ(m_ui.box.Messages()[0].text, WIDTH_LIMIT) << c.name;
        EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note") << c.name;
    }
}

TEST_F(LDEditCommandTest, BranchesEndSixteenRowsBelowTheHeader)
{
    const struct {
        const char* name;
        UINT id;
        BOOL coil;
        const char* message;
    } commands[] = {
        {"parallel contact", ID_LD_PARALLEL_CONTACT, FALSE, "The number of branches has reached the upper limit. "},
        {"coil", ID_LD_COIL, TRUE, "The number of branches has reached the upper limit.  "},
    };
    for (const auto& c : commands) {
        LoadIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0"});
        CLDElement* anchor = c.coil ? Root(0) : Root(0)->GetChildA();
        m_ui.box.Clear();
        int added = 0;
        while (m_ui.box.Messages().empty() && added < 40) {
            m_program->Select(anchor);
            Editor().OnLDCommand(c.id);
            ++added;
        }
        ASSERT_EQ(m_ui.box.Messages().size(), 1u) << c.name;
        EXPECT_EQ(m_ui.box.Messages()[0].text, c.message) << c.name;
        EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note") << c.name;
        EXPECT_EQ(m_ui.box.Messages()[0].type, MB_TASKMODAL | MB_ICONINFORMATION) << c.name;
        Editor().LayoutAll();
        const int headerRow = Item(0)->GetPosition().row;
        EXPECT_EQ(CLDEditor::LastInParallelChain(anchor)->GetPosition().row - headerRow, 16) << c.name;
    }
}

TEST_F(LDEditCommandTest, TheDiagramEndsAtRowTwoThousand)
{
    m_program->Clear();
    EXPECT_TRUE(Editor().CheckDiagramHeight());
    std::vector<std::string> lines;
    for (int n = 0; n < 120; ++n) {
        lines.push_back("(* Network " + std::to_string(n) + " *)");
        lines.push_back("LD %I0.0");
        for (int coil = 0; coil < 16; ++coil)
            lines.push_back("ST %Q0." + std::to_string(coil % 8));
    }
    LoadIL(lines);
    Editor().LayoutAll();
    ASSERT_GE(Editor().GetEndRow(), 2000);
    m_program->Select(Root(0));
    EXPECT_FALSE(Editor().CheckDiagramHeight());
    EXPECT_FALSE(Enabled(ID_LD_COIL));
    m_program->Select(Root(0)->GetChildA());
    EXPECT_FALSE(Enabled(ID_LD_PARALLEL_CONTACT));

    // Fewer networks leave room again.
    m_program->DeleteNetworks(100, 119);
    Editor().LayoutAll();
    ASSERT_LT(Editor().GetEndRow(), 2000);
    m_program->Select(Root(0));
    EXPECT_TRUE(Enabled(ID_LD_COIL));
}

TEST_F(LDEditCommandTest, CommandsThatFindNoAnchorChangeNothing)
{
    LoadIL({"(* Network 0 *)", "LD %I0.0", "NOT", "ST %Q0.0", "ST %Q0.1"});
    CLDElement* root = Root(0);
    CLDElement* notContact = root->GetChildA()->GetChildA();
    ASSERT_EQ(notContact->GetTypeText(), "-|NOT|-");
    CLDElement* parallelCoil = root->GetChildB();
    ASSERT_NE(parallelCoil, nullptr);
    const std::string il = IL();
    const int snapshots = m_program->GetUndoCount();

    m_program->Select(notContact);
    Editor().OnLDCommand(ID_LD_PARALLEL_CONTACT);
    m_program->Select(parallelCoil);
    Editor().OnLDCommand(ID_LD_RIGHT_CONTACT);
    Editor().OnLDCommand(ID_LD_LEFT_CONTACT);
    m_dialogs.answerName = "MOVE";
    Editor().OnLDCommand(ID_LD_BLOCK);

    EXPECT_EQ(IL(), il);
    EXPECT_EQ(m_program->GetUndoCount(), snapshots);
    EXPECT_EQ(m_dialogs.opened, 0);
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].text, "Block and the coil cannot be parallel. ");
    EXPECT_EQ(m_ui.box.Messages()[0].caption, "Error");
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_TASKMODAL | MB_ICONERROR);
}

TEST_F(LDEditCommandTest, TheBlockChoosersAnswerDecidesTheBox)
{
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T7", "TON", "OTHER", FB_LIST_TABLE));
    struct Case {
        const char* name;
        BOOL ok;
        int choice;
        const char* blockName;
        const char* instance;
        BOOL inserted;
        const char* shownInstance;
        const char* message;
    };
    const Case cases[] = {
        {"cancelled", FALSE, 0, "TON", "T5", FALSE, "", ""},
        {"a timer with a free name", TRUE, 0, "TON", " t5 ", TRUE, "T5", ""},
        {"a timer without a name", TRUE, 0, "TON", "", TRUE, "????", ""},
        {"a timer named as another POU's", TRUE, 0, "TON", "T7", TRUE, "????", "A duplicate FB instance exists. "},
        {"a timer with a counter's name", TRUE, 0, "TON", "C3", TRUE, "????", "This is not a legal FB instance name. "},
        {"a function", TRUE, 0, "MOVE", "", TRUE, "", ""},
        {"a subroutine calling itself", TRUE, 1, " Main ", "", FALSE, "", "A subroutine can not call itself. "},
    };
    for (const Case& c : cases) {
        LoadIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0"});
        Project().FBTable.RemoveFBInstancesOfPOU("Main");
        m_ui.box.Clear();
        m_dialogs.ok = c.ok;
        m_dialogs.answerChoice = c.choice;
        m_dialogs.answerName = c.blockName;
        m_dialogs.answerInstance = c.instance;
        CLDElement* contact = Root(0)->GetChildA();
        m_program->Select(contact);
        const int snapshots = m_program->GetUndoCount();

        Editor().OnLDCommand(ID_LD_BLOCK);

        auto* block = dynamic_cast<CBlock*>(contact->GetChildA());
        EXPECT_EQ(block != nullptr, c.inserted != FALSE) << c.name;
        EXPECT_EQ(m_program->GetUndoCount(), snapshots + (c.inserted ? 1 : 0)) << c.name;
        const std::vector<std::string> texts = m_ui.box.Texts();
        EXPECT_EQ(texts, *c.message ? std::vector<std::string> {c.message} : std::vector<std::string> {}) << c.name;
        std::vector<std::string> names, types;
        Project().FBTable.GetFBInstancesOfPOU("Main", names, types);
        const BOOL registered = std::string(c.shownInstance) == "T5";
        EXPECT_EQ(names, registered ? std::vector<std::string> {"T5"} : std::vector<std::string> {}) << c.name;
        if (!block)
            continue;
        EXPECT_EQ(Selection(), block) << c.name;
        EXPECT_EQ(block->GetOperand(), c.shownInstance) << c.name;
        EXPECT_EQ(block->GetInputOperand(0), "????") << c.name;
        if (block->GetFB()) {
            // A timer's last output is its status bit: no operand.
            ASSERT_GE(block->GetOutputCount(), 1) << c.name;
            EXPECT_EQ(block->GetOutputOperand(block->GetOutputCount() - 1), "") << c.name;
        }
    }
}

TEST_F(LDEditCommandTest, DeleteComponentSelectsWhatTakesThePlace)
{
    LoadIL({"(* Network 0 *)", "LD %I0.0", "AND %I0.1", "AND %I0.2", "ST %Q0.0"});
    CLDElement* first = Root(0)->GetChildA();
    CLDElement* third = first->GetChildA()->GetChildA();
    m_program->Select(first->GetChildA());
    const int snapshots = m_program->GetUndoCount();

    EXPECT_TRUE(Enabled(ID_LD_DELETE_COMPONENT));
    Editor().OnLDCommand(ID_LD_DELETE_COMPONENT);

    EXPECT_EQ(first->GetChildA(), third);
    EXPECT_EQ(Selection(), third);
    EXPECT_EQ(m_program->GetUndoCount(), snapshots + 1);
    EXPECT_TRUE(m_host.modified);

    // The lone root coil is refused with the program's message; the refused
    // deletion still ends as an edit: a snapshot, the document modified and
    // the element at its place selected again.
    m_program->Select(Root(0));
    m_host.modified = FALSE;
    EXPECT_FALSE(Enabled(ID_LD_DELETE_COMPONENT));
    Editor().OnLDCommand(ID_LD_DELETE_COMPONENT);
    EXPECT_EQ(m_ui.box.Texts().size(), 1u);
    EXPECT_EQ(m_program->GetUndoCount(), snapshots + 2);
    EXPECT_TRUE(m_host.modified);
    EXPECT_EQ(m_program->GetNetworkCount(), 1);
    EXPECT_EQ(Root(0)->GetChildA(), first);
}

TEST_F(LDEditCommandTest, DeleteNetworkFindsTheNetworkInTheTreeNotInTheLastLayout)
{
    LoadIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0", "(* Network 1 *)", "LD %I0.1", "ST %Q0.1",
            "(* Network 2 *)", "LD %I0.2", "ST %Q0.2"});
    Editor().LayoutAll();
    // A network put in front with no layout since: the elements of the later
    // networks still carry the items they had at the last layout.
    auto* root = new CCoil;
    root->SetTypeText("-( )");
    root->SetOperand("%Q1.0");
    CLDElement* contact = NewContact();
    root->SetChildA(contact);
    contact->SetParent(root);
    m_program->InsertItems(0, LDItemPtr(new CComment), LDItemPtr(root));
    Editor().RenumberHeaders();
    CLDElement* doomed = Root(2);
    ASSERT_EQ(doomed->GetChildA()->GetOperand(), "%I0.1");
    ASSERT_EQ(doomed->GetChildA()->GetPosition().itemIndex, 3);
    m_program->Select(doomed->GetChildA());

    Editor().OnLDCommand(ID_LD_DELETE_NETWORK);

    ASSERT_EQ(m_program->GetNetworkCount(), 3);
    EXPECT_EQ(Root(0)->GetOperand(), "%Q1.0");
    EXPECT_EQ(Root(1)->GetChildA()->GetOperand(), "%I0.0");
    EXPECT_EQ(Root(2)->GetChildA()->GetOperand(), "%I0.2");
    EXPECT_EQ(HeaderNumbers(), (std::vector<int> {0, 1, 2}));
    EXPECT_EQ(Selection(), Root(1));

    // The first network leaves nothing selected.
    m_program->Select(Root(0)->GetChildA());
    Editor().OnLDCommand(ID_LD_DELETE_NETWORK);
    EXPECT_EQ(m_program->GetNetworkCount(), 2);
    EXPECT_EQ(Selection(), nullptr);
}

TEST_F(LDEditCommandTest, ABlockTheNetworkRefusesTakesItsNewInstanceBack)
{
    LoadIL({"(* Network 0 *)", "LD %I0.0", "OR %I0.1", "AND %I0.2", "ST %Q0.0"});
    CLDElement* node = Root(0)->GetChildA();
    ASSERT_EQ(node->GetKind(), LD_KIND_LOGIC_NODE);
    m_program->Select(node);
    m_dialogs.answerName = "TON";
    m_dialogs.answerInstance = "T5";
    const std::string il = IL();

    Editor().OnLDCommand(ID_LD_BLOCK);

    EXPECT_EQ(m_dialogs.opened, 1);
    EXPECT_EQ(IL(), il);
    EXPECT_EQ(Selection(), nullptr);
    std::vector<std::string> names, types;
    Project().FBTable.GetFBInstancesOfPOU("Main", names, types);
    EXPECT_TRUE(names.empty());
}

TEST_F(LDEditCommandTest, UndoAndRedoGiveBackTheStatesAndTheFBInstances)
{
    EXPECT_FALSE(UndoEnabled());
    EXPECT_FALSE(RedoEnabled());
    const std::string initial = IL();
    m_program->Select(Root(0)->GetChildA());
    m_dialogs.answerName = "TON";
    m_dialogs.answerInstance = "T5";
    Editor().OnLDCommand(ID_LD_BLOCK);
    const std::string withBlock = IL();
    ASSERT_NE(withBlock, initial);
    std::vector<std::string> names, types;
    ASSERT_TRUE(Project().FBTable.GetFBInstancesOfPOU("Main", names, types));

    EXPECT_TRUE(UndoEnabled());
    Editor().OnEditUndo();
    EXPECT_EQ(IL(), initial);
    EXPECT_EQ(Selection(), nullptr);
    names.clear();
    Project().FBTable.GetFBInstancesOfPOU("Main", names, types);
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(UndoEnabled());
    EXPECT_TRUE(RedoEnabled());

    Editor().OnEditRedo();
    EXPECT_EQ(IL(), withBlock);
    names.clear();
    Project().FBTable.GetFBInstancesOfPOU("Main", names, types);
    EXPECT_EQ(names, std::vector<std::string> {"T5"});

    // A new edit empties the redo list.
    Editor().OnEditUndo();
    m_program->Select(Root(0)->GetChildA());
    Editor().OnLDCommand(ID_LD_RIGHT_CONTACT);
    EXPECT_FALSE(RedoEnabled());
}

TEST_F(LDEditCommandTest, UpdateRulesFollowTheSelectionAndMonitoring)
{
    LoadIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0", "ST %Q0.1"});
    CLDElement* contact = Root(0)->GetChildA();
    struct Case {
        const char* name;
        CLDElement* selected;
        std::vector<UINT> enabled;
    };
    const std::vector<UINT> all = {ID_LD_NETWORK, ID_LD_LEFT_CONTACT, ID_LD_RIGHT_CONTACT, ID_LD_PARALLEL_CONTACT,
                                   ID_LD_BRANCH, ID_LD_COIL, ID_LD_BLOCK, ID_LD_DELETE_COMPONENT,
                                   ID_LD_DELETE_NETWORK};
    const Case cases[] = {
        {"a contact", contact,
         {ID_LD_NETWORK, ID_LD_LEFT_CONTACT, ID_LD_RIGHT_CONTACT, ID_LD_PARALLEL_CONTACT, ID_LD_BRANCH, ID_LD_BLOCK,
          ID_LD_DELETE_COMPONENT, ID_LD_DELETE_NETWORK}},
        {"the root coil with a coil below", Root(0),
         {ID_LD_NETWORK, ID_LD_BRANCH, ID_LD_COIL, ID_LD_DELETE_COMPONENT, ID_LD_DELETE_NETWORK}},
        {"a header", Item(0), {ID_LD_NETWORK, ID_LD_BRANCH}},
    };
    for (const Case& c : cases) {
        m_program->Select(c.selected);
        for (UINT id : all) {
            const BOOL expected = std::find(c.enabled.begin(), c.enabled.end(), id) != c.enabled.end();
            EXPECT_EQ(Enabled(id), expected) << c.name << " " << id;
        }
        m_app->Monitoring = 1;
        for (UINT id : all)
            EXPECT_FALSE(Enabled(id)) << c.name << " monitoring " << id;
        m_app->Monitoring = 0;
    }
    // The coil's lone-root rule: a root without coils below cannot be deleted alone.
    LoadIL({"(* Network 0 *)", "LD %I0.0", "ST %Q0.0"});
    m_program->Select(Root(0));
    EXPECT_FALSE(Enabled(ID_LD_DELETE_COMPONENT));
    EXPECT_TRUE(Enabled(ID_LD_DELETE_NETWORK));
}

} // namespace

// A catalogue row double-clicked in the instruction tree reaches the real
// editor's tree: a contact joins the rung behind the selected contact as
// one edit with its undo snapshot; a full rung refuses it with its note.
TEST_F(LDEditCommandTest, ACatalogueContactJoinsTheRungBehindTheSelection)
{
    m_app->BuildInstructionCatalog();
    const CInstructionDef* contactRow = nullptr;
    for (const CInstructionDef& row : g_LDInstructionTable) {
        if (std::string(row.name) == "-|/|-")
            contactRow = &row;
    }
    ASSERT_NE(contactRow, nullptr);
    CLDElement* root = Root(0);
    CLDElement* first = root->GetChildA();
    ASSERT_EQ(first->GetKind(), LD_KIND_CONTACT);
    m_program->Select(first);
    const int snapshots = m_program->GetUndoCount();

    EXPECT_EQ(Editor().InsertFromInstructionTree(LD_INSERT_CATALOGUE_ROW, reinterpret_cast<std::intptr_t>(contactRow)),
              1);

    CLDElement* added = Selection();
    ASSERT_NE(added, nullptr);
    EXPECT_NE(added, first);
    EXPECT_EQ(added->GetTypeText(), "-|/|-");
    EXPECT_EQ(m_program->GetUndoCount(), snapshots + 1);
    EXPECT_NE(IL().find("AN"), std::string::npos) << IL();

    for (int i = 0; i < 40; ++i)
        Editor().InsertFromInstructionTree(LD_INSERT_CATALOGUE_ROW, reinterpret_cast<std::intptr_t>(contactRow));
    ASSERT_FALSE(m_ui.box.Messages().empty());
    EXPECT_EQ(m_ui.box.Messages().back().text, WIDTH_LIMIT);
}

namespace {

const CLDElement* FindOperand(const CLDElement* element, const std::string& operand)
{
    if (!element)
        return nullptr;
    if (element->GetKind() == LD_KIND_CONTACT && element->GetOperand() == operand)
        return element;
    if (const CLDElement* found = FindOperand(element->GetChildA(), operand))
        return found;
    return FindOperand(element->GetChildB(), operand);
}

} // namespace

// Branch: four clicks, down from the first contact, across and back up
// behind the second, put a "????" contact in parallel with both, as one
// edit; Esc after two clicks and a right press leave the diagram as it was.
TEST_F(LDEditCommandTest, BranchClicksPutAContactInParallelWithTheStretch)
{
    constexpr int kCell = LD_CELL_WIDTH;
    constexpr int kRow = LD_CELL_HEIGHT;
    constexpr UINT kEscape = 0x1B;
    LoadIL({"(* Network 0 *)", "LD %I0.0", "AND %I0.1", "ST %Q0.0"});
    Editor().RelayoutVisible();
    const CLDElement* first = FindOperand(Root(0), "%I0.0");
    const CLDElement* second = FindOperand(Root(0), "%I0.1");
    ASSERT_TRUE(first != nullptr && second != nullptr);
    const int left = first->GetPosition().column * kCell + 10;
    const int right = (second->GetPosition().column + 1) * kCell + 10;
    const int rung = first->GetPosition().row * kRow + 10;
    const std::string before = IL();

    ASSERT_TRUE(Enabled(ID_LD_BRANCH));
    Editor().OnLDCommand(ID_LD_BRANCH);
    ASSERT_TRUE(Editor().IsDrawingBranch());
    Editor().OnLButtonDown(0, left, rung);
    Editor().OnLButtonDown(0, left, rung + kRow);
    Editor().OnChar(kEscape, 1, 0);
    EXPECT_FALSE(Editor().IsDrawingBranch());
    EXPECT_EQ(IL(), before);

    Editor().OnLDCommand(ID_LD_BRANCH);
    Editor().OnLButtonDown(0, left, rung);
    Editor().OnRButtonDown(0, left, rung + kRow);
    EXPECT_FALSE(Editor().IsDrawingBranch());
    EXPECT_EQ(IL(), before);

    const int snapshots = m_program->GetUndoCount();
    Editor().OnLDCommand(ID_LD_BRANCH);
    Editor().OnLButtonDown(0, left, rung);
    Editor().OnLButtonDown(0, left, rung + kRow);
    Editor().OnLButtonDown(0, right, rung + kRow);
    EXPECT_EQ(Editor().GetBranchTracker().GetCount(), 3);
    Editor().OnLButtonDown(0, right, rung);
    EXPECT_FALSE(Editor().IsDrawingBranch());
    EXPECT_EQ(IL(), "(* Network 0 *)\nLD    %I0.0\nAND    %I0.1\nOR    ????\nST   %Q0.0\n") << IL();
    EXPECT_EQ(m_program->GetUndoCount(), snapshots + 1);
}
