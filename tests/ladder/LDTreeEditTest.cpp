// Tree edits of an LD program: tables of a network before, the selected
// element and the edit, with the network after or the refusal's message;
// the branch the user draws; the picked branch ends; and random edit
// sequences after which every parent link holds, no shape is left that
// the layout would rewrite, and the network's IL reads back as the same tree.

#include "ElementFixture.h"
#include "../pouedit/ILProgramFixture.h"
#include "ladder/CCoil.h"
#include "ladder/CComment.h"
#include "ladder/CContact.h"
#include "ladder/CILToLDConverter.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

// The network as text: a contact or block by its operand ("^" for link 2),
// its childA after a blank and its childB after " / "; S(left; right) and
// P(upper; lower) for the logic nodes; a coil as [input]name.
std::string Render(const CLDElement* e)
{
    if (!e)
        return "";
    const std::string mark = e->GetLink() == LD_LINK_PARALLEL ? "^" : "";
    std::string text;
    if (e->GetKind() == LD_KIND_LOGIC_NODE) {
        if (e->GetLink() == LD_LINK_SERIES)
            return "S(" + Render(e->GetChildB()) + "; " + Render(e->GetChildA()) + ")";
        return "P(" + Render(e->GetChildA()) + "; " + Render(e->GetChildB()) + ")";
    }
    if (e->GetKind() == LD_KIND_COIL)
        text = "[" + Render(e->GetChildA()) + "]" + e->GetOperand() + mark;
    else
        text = e->GetOperand() + mark + (e->GetChildA() ? " " + Render(e->GetChildA()) : "");
    if (e->GetChildB())
        text += " / " + Render(e->GetChildB());
    return text;
}

// The first fault of the tree: a child whose parent link names another
// element, an element in the wrong slot for its link, a series node as the
// left part of another, a logic node without its first part.
std::string Fault(const CLDElement* e, const CLDElement* parent)
{
    if (!e)
        return "";
    const std::string name = Render(e);
    if (e->GetParent() != parent)
        return "parent of " + name;
    const BOOL inColumn = parent && parent->GetChildB() == e;
    const int kind = e->GetKind();
    if ((kind == LD_KIND_CONTACT || kind == LD_KIND_BLOCK) && parent && parent->GetKind() != LD_KIND_LOGIC_NODE &&
        e->GetLink() != (inColumn ? LD_LINK_PARALLEL : LD_LINK_SERIES))
        return "link of " + name;
    if ((kind == LD_KIND_CONTACT || kind == LD_KIND_BLOCK) && parent && parent->GetKind() == LD_KIND_LOGIC_NODE &&
        e->GetLink() != (inColumn ? LD_LINK_PARALLEL : LD_LINK_SERIES))
        return "link in node of " + name;
    if (kind == LD_KIND_LOGIC_NODE && e->GetLink() == LD_LINK_SERIES) {
        const CLDElement* left = e->GetChildB();
        if (!left)
            return "series node without left part " + name;
        if (left->GetKind() == LD_KIND_LOGIC_NODE && left->GetLink() == LD_LINK_SERIES)
            return "series node as left part in " + name;
    }
    if (kind == LD_KIND_LOGIC_NODE && e->GetLink() == LD_LINK_PARALLEL && !e->GetChildA())
        return "parallel node without upper branch " + name;
    if (kind == LD_KIND_COIL && parent && (e->GetChildA() || e->GetLink() != LD_LINK_PARALLEL))
        return "parallel coil " + name;
    if (kind == LD_KIND_COIL && !parent && e->GetLink() != (e->GetChildB() ? LD_LINK_PARALLEL : LD_LINK_SERIES))
        return "root coil link " + name;
    const std::string a = Fault(e->GetChildA(), e);
    return a.empty() ? Fault(e->GetChildB(), e) : a;
}

CLDElement* Find(CLDElement* e, const std::string& operand)
{
    if (!e)
        return nullptr;
    if (e->GetKind() != LD_KIND_LOGIC_NODE && e->GetOperand() == operand)
        return e;
    CLDElement* found = Find(e->GetChildA(), operand);
    return found ? found : Find(e->GetChildB(), operand);
}

CLDElement* Col(const std::string& name, CLDElement* below = nullptr)
{
    return Contact(name, LD_LINK_PARALLEL, below);
}

// Coils below a root, each with link 2; the root's link becomes 2.
CLDElement* WithCoils(CLDElement* root, std::vector<std::string> names)
{
    CLDElement* above = root;
    for (const std::string& name : names) {
        auto* coil = new CTestElement(LD_KIND_COIL, name, LD_LINK_PARALLEL, "-( )");
        above->SetChildB(coil);
        coil->SetParent(above);
        above->SetLink(LD_LINK_PARALLEL);
        above = coil;
    }
    return root;
}

enum class Edit { Right, Left, ParallelContact, ParallelCoil, Block, Delete, Branch };

struct EditCase {
    const char* name;
    std::function<CLDElement*()> network;
    const char* select; // operand of the selected element
    Edit edit;
    const char* after;   // the network after the edit
    const char* message; // the message shown, or ""
};

const char* const INDIVIDUALLY = "The element can not be deleted individually.\r\n"
                                 "If you want to delete it, please delete the whole network.  ";

const EditCase EDITS[] = {
    // New contacts in series.
    {"right of the coil: end of the input", [] { return Coil(Contact("a", 1, Contact("b")), "Q"); }, "Q",
     Edit::Right, "[a b n]Q", ""},
    {"right of a contact: between it and the next", [] { return Coil(Contact("a", 1, Contact("b")), "Q"); }, "a",
     Edit::Right, "[a n b]Q", ""},
    {"left of the first contact", [] { return Coil(Contact("a", 1, Contact("b")), "Q"); }, "a", Edit::Left,
     "[n a b]Q", ""},
    {"left of the second contact", [] { return Coil(Contact("a", 1, Contact("b")), "Q"); }, "b", Edit::Left,
     "[a n b]Q", ""},
    {"left of the coil: end of the input", [] { return Coil(Contact("a", 1, Contact("b")), "Q"); }, "Q", Edit::Left,
     "[a b n]Q", ""},
    {"right of a column element: a branch of its own", [] { return Coil(Series(Col("a", Col("b")), Contact("c")), "Q"); },
     "b", Edit::Right, "[S(a^ / P(b n; ); c)]Q", ""},
    {"right of a column head keeps the column below", [] { return Coil(Series(Col("a", Col("b")), Contact("c")), "Q"); },
     "a", Edit::Right, "[S(P(a n; b^); c)]Q", ""},
    {"left of a column element", [] { return Coil(Series(Col("a", Col("b")), Contact("c")), "Q"); }, "b", Edit::Left,
     "[S(a^ / P(n b; ); c)]Q", ""},
    {"after an input that ends in a parallel node", [] { return Coil(Parallel(Contact("a", 1, Contact("b")), Col("c")), "Q"); },
     "Q", Edit::Right, "[S(P(a b; c^); n)]Q", ""},
    {"no contact beside a parallel coil", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R"}); }, "R", Edit::Right,
     "[a]Q^ / []R^", ""},
    // A coil below the root shares the root's input and writes no IL of its
    // own input: a contact given to it would be lost at the next save.
    {"no contact left of a parallel coil", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R"}); }, "R", Edit::Left,
     "[a]Q^ / []R^", ""},
    // Parallel contacts and coils.
    {"below a contact in a run", [] { return Coil(Contact("a", 1, Contact("b")), "Q"); }, "a", Edit::ParallelContact,
     "[S(a^ / n^; b)]Q", ""},
    {"below the last contact of a run", [] { return Coil(Contact("a", 1, Contact("b")), "Q"); }, "b",
     Edit::ParallelContact, "[a S(b^ / n^; )]Q", ""},
    {"below a column element", [] { return Coil(Series(Col("a", Col("b")), Contact("c")), "Q"); }, "a",
     Edit::ParallelContact, "[S(a^ / n^ / b^; c)]Q", ""},
    {"no parallel contact below a block", [] { return Coil(Contact("a", 1, Block("T1")), "Q"); }, "T1",
     Edit::ParallelContact, "[a T1]Q", ""},
    {"a coil below the lone root", [] { return Coil(Contact("a"), "Q"); }, "Q", Edit::ParallelCoil, "[a]Q^ / []n^", ""},
    {"a coil directly below the root", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R"}); }, "Q",
     Edit::ParallelCoil, "[a]Q^ / []n^ / []R^", ""},
    {"a coil below a parallel coil", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R", "T"}); }, "R",
     Edit::ParallelCoil, "[a]Q^ / []R^ / []n^ / []T^", ""},
    // Blocks.
    {"a block at the end of the input", [] { return Coil(Contact("a"), "Q"); }, "Q", Edit::Block, "[a n]Q", ""},
    {"a block after a block", [] { return Coil(Contact("a", 1, Block("T1")), "Q"); }, "T1", Edit::Block,
     "[a T1 n]Q", ""},
    {"no block beside a parallel coil", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R"}); }, "R", Edit::Block,
     "[a]Q^ / []R^", ""},
    // Coils deleted.
    {"the lone root coil stays", [] { return Coil(Contact("a"), "Q"); }, "Q", Edit::Delete, "[a]Q", INDIVIDUALLY},
    {"the root gives way to the coil below", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R", "T"}); }, "Q",
     Edit::Delete, "[a]R^ / []T^", ""},
    {"the last of two roots has link 1", [] { return WithCoils(Coil(Contact("a"), "R"), {"T"}); }, "R", Edit::Delete,
     "[a]T", ""},
    {"a parallel coil leaves the column", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R", "T"}); }, "R",
     Edit::Delete, "[a]Q^ / []T^", ""},
    {"the only parallel coil: the root gets link 1", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R"}); }, "R",
     Edit::Delete, "[a]Q", ""},
    // Contacts deleted, by the place they hold.
    {"first right of a series node with a successor",
     [] { return Coil(Series(Col("a", Col("b")), Contact("r", 1, Contact("x"))), "Q"); }, "r", Edit::Delete,
     "[S(a^ / b^; x)]Q", ""},
    {"an upper branch shrinks to a column in a column",
     [] { return Coil(Series(Col("d", Parallel(Series(Col("a", Col("b")), Contact("r")), Col("c"))), Contact("e")), "Q"); },
     "r", Edit::Delete, "[S(d^ / a^ / b^ / c^; e)]Q", ""},
    {"an upper branch shrinks to a column at the coil",
     [] { return Coil(Parallel(Series(Col("a", Col("b")), Contact("r")), Col("c")), "Q"); }, "r", Edit::Delete,
     "[S(a^ / b^ / c^; )]Q", ""},
    {"last right of a series node that follows one",
     [] { return Coil(Series(Col("x", Col("y")), Series(Col("a", Col("b")), Contact("r"))), "Q"); }, "r",
     Edit::Delete, "[S(x^ / y^; S(a^ / b^; ))]Q", ""},
    {"last right of a series node in a column",
     [] { return Coil(Series(Col("d", Series(Col("a", Col("b")), Contact("r"))), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[S(d^ / a^ / b^; e)]Q", ""},
    {"the head of an upper branch before a block",
     [] { return Coil(Parallel(Contact("r", 1, Block("T1")), Col("c")), "Q"); }, "r", Edit::Delete,
     "[P(r T1; c^)]Q", "The element can not be deleted.  "},
    {"the head of a long upper branch", [] { return Coil(Parallel(Contact("r", 1, Contact("x", 1, Contact("y"))), Col("c")), "Q"); },
     "r", Edit::Delete, "[P(x y; c^)]Q", ""},
    {"the head before a series node that ends the branch",
     [] { return Coil(Series(Col("d", Parallel(Contact("r", 1, Series(Col("a", Col("b")), nullptr)), Col("c"))), Contact("e")), "Q"); },
     "r", Edit::Delete, "[S(d^ / a^ / b^ / c^; e)]Q", ""},
    {"the first of a two-element upper branch leaves the second",
     [] { return Coil(Series(Col("d", Parallel(Contact("r", 1, Contact("x")), Col("c"))), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[S(d^ / x^ / c^; e)]Q", ""},
    {"the first of a two-element upper branch at the coil",
     [] { return Coil(Parallel(Contact("r", 1, Contact("x")), Col("c")), "Q"); }, "r", Edit::Delete,
     "[S(x^ / c^; )]Q", ""},
    {"the first contact of the input", [] { return Coil(Contact("r", 1, Contact("b")), "Q"); }, "r", Edit::Delete,
     "[b]Q", ""},
    {"the second of a two-element upper branch leaves the first",
     [] { return Coil(Series(Col("d", Parallel(Contact("a", 1, Contact("r")), Col("c"))), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[S(d^ / a^ / c^; e)]Q", ""},
    {"a contact in the middle of a run", [] { return Coil(Contact("a", 1, Contact("r", 1, Contact("b"))), "Q"); }, "r",
     Edit::Delete, "[a b]Q", ""},
    {"the first of several lower branches", [] { return Coil(Parallel(Contact("a", 1, Contact("b")), Col("r", Col("c"))), "Q"); },
     "r", Edit::Delete, "[P(a b; c^)]Q", ""},
    {"the only lower branch: the upper branch in series",
     [] { return Coil(Series(Parallel(Contact("a", 1, Contact("b")), Col("r")), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[a b e]Q", ""},
    {"the only lower branch in a column",
     [] { return Coil(Series(Col("d", Parallel(Contact("a", 1, Contact("b")), Col("r"))), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[S(d^ / P(a b; ); e)]Q", ""},
    {"the only lower branch at the coil", [] { return Coil(Parallel(Contact("a", 1, Contact("b")), Col("r")), "Q"); },
     "r", Edit::Delete, "[a b]Q", ""},
    {"the head of a column of three", [] { return Coil(Series(Col("r", Col("a", Col("b"))), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[S(a^ / b^; e)]Q", ""},
    {"the head of a column of two", [] { return Coil(Series(Col("r", Col("a")), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[a e]Q", ""},
    {"the head of a column before a parallel node",
     [] { return Coil(Series(Col("r", Parallel(Contact("a", 1, Contact("b")), nullptr)), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[a b e]Q", ""},
    {"inside a column", [] { return Coil(Series(Col("a", Col("r", Col("b"))), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[S(a^ / b^; e)]Q", ""},
    {"the second of a column of two", [] { return Coil(Series(Col("a", Col("r")), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[a e]Q", ""},
    {"the last of a column of three", [] { return Coil(Series(Col("a", Col("b", Col("r"))), Contact("e")), "Q"); }, "r",
     Edit::Delete, "[S(a^ / b^; e)]Q", ""},
    // Branches drawn from the selection to the element named in the case.
    {"a branch from an element to itself", [] { return Coil(Contact("a", 1, Contact("b")), "Q"); }, "a", Edit::Branch,
     "[S(a^ / ????^; b)]Q", ""},
    {"a branch from a column element to itself", [] { return Coil(Series(Col("a", Col("b")), Contact("c")), "Q"); }, "a",
     Edit::Branch, "[S(a^ / ????^ / b^; c)]Q", ""},
};

class LDTreeEditTest : public ElementFixture {
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

    CLDElement* Load(CLDElement* root)
    {
        auto* header = new CComment;
        header->SetNetworkNumber(m_program->GetNetworkCount());
        m_program->AppendItem(LDItemPtr(header));
        m_program->AppendItem(LDItemPtr(root));
        return root;
    }

    CLDElement* Root(int network = 0) const { return m_program->GetItems()[size_t(2 * network + 1)].get(); }

    void Apply(Edit edit, CLDElement* selected)
    {
        switch (edit) {
        case Edit::Right:
            Place([&](CLDElement* e) { return m_program->AppendSeries(e); }, Contact("n"));
            break;
        case Edit::Left:
            m_program->InsertLeft(Contact("n"));
            break;
        case Edit::ParallelContact:
            m_program->AddParallelContact(Col("n"));
            break;
        case Edit::ParallelCoil:
            Place([&](CLDElement* e) { return m_program->AddParallelCoil(e); },
                  new CTestElement(LD_KIND_COIL, "n", LD_LINK_PARALLEL, "-( )"));
            break;
        case Edit::Block:
            Place([&](CLDElement* e) { return m_program->InsertBlock(e); }, Block("n", TRUE));
            break;
        case Edit::Delete:
            m_program->DeleteSelected();
            break;
        case Edit::Branch:
            m_program->SetBranchEnds(selected, selected);
            m_program->ConnectBranch();
            break;
        }
    }

    // An insertion that leaves a refused element to its caller.
    template <typename Insert>
    static void Place(Insert insert, CLDElement* element)
    {
        if (!insert(element))
            element->DeleteTree(FALSE);
    }

    FakePOUHost m_host;
    CScopedUi m_ui;
    std::unique_ptr<CLDProgram> m_program;
};

TEST_F(LDTreeEditTest, EachEditGivesItsNetworkOrItsMessage)
{
    for (const EditCase& c : EDITS) {
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
        m_ui.box.Clear();
        CLDElement* root = Load(c.network());
        m_program->GetLDEditor().LayoutAll();
        CLDElement* selected = Find(root, c.select);
        ASSERT_NE(selected, nullptr) << c.name;
        m_program->Select(selected);

        Apply(c.edit, selected);

        EXPECT_EQ(Render(Root()), c.after) << c.name;
        EXPECT_EQ(Fault(Root(), nullptr), "") << c.name;
        const std::vector<std::string> texts = m_ui.box.Texts();
        if (*c.message) {
            ASSERT_EQ(texts.size(), 1u) << c.name;
            EXPECT_EQ(texts[0], c.message) << c.name;
            EXPECT_EQ(m_ui.box.Messages()[0].caption, "Note") << c.name;
            EXPECT_EQ(m_program->GetSelection(), selected) << c.name;
        } else {
            EXPECT_TRUE(texts.empty()) << c.name;
        }
        if (c.edit == Edit::Delete && !*c.message) {
            EXPECT_EQ(m_program->GetSelection(), nullptr) << c.name;
        }
    }
}

TEST_F(LDTreeEditTest, ALogicNodeIsNotDeleted)
{
    CLDElement* root = Load(Coil(Series(Col("a", Col("b")), Contact("c")), "Q"));
    m_program->Select(root->GetChildA());

    m_program->DeleteSelected();

    EXPECT_EQ(Render(Root()), "[S(a^ / b^; c)]Q");
    ASSERT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(m_ui.box.Messages()[0].text, "The element can not be deleted. ");
    EXPECT_EQ(m_ui.box.Messages()[0].type, MB_ICONINFORMATION);
}

TEST_F(LDTreeEditTest, AnFBInstanceLeavesTheProjectOnlyWithItsBlock)
{
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T1", "TON", "MAIN", FB_LIST_TABLE));
    ASSERT_TRUE(Project().FBTable.AddFBInstance("T2", "TON", "MAIN", FB_LIST_TABLE));
    CLDElement* root = Load(Coil(Parallel(Contact("r", 1, Block("T1")), Col("c")), "Q"));
    CLDElement* kept = Load(Coil(Contact("a", 1, Block("T2")), "R"));

    // The contact before the block cannot go; the block itself can.
    m_program->Select(Find(root, "r"));
    m_program->DeleteSelected();
    EXPECT_EQ(InstancesOfMain(), (std::vector<std::string> {"T1", "T2"}));
    m_program->Select(Find(kept, "T2"));
    m_program->DeleteSelected();

    EXPECT_EQ(Render(Root(1)), "[a]R");
    EXPECT_EQ(InstancesOfMain(), std::vector<std::string> {"T1"});
}

TEST_F(LDTreeEditTest, ABranchAroundARunWrapsItInAParallelNode)
{
    struct Case {
        const char* name;
        std::function<CLDElement*()> network;
        const char* start;
        const char* end;
        BOOL result;
        const char* after;
    };
    const Case cases[] = {
        {"first to last of a run of three", [] { return Coil(Contact("a", 1, Contact("b", 1, Contact("c"))), "Q"); }, "a",
         "c", TRUE, "[S(P(a b c; ????^); )]Q"},
        {"first two of three keep the third after them",
         [] { return Coil(Contact("a", 1, Contact("b", 1, Contact("c"))), "Q"); }, "a", "b", TRUE,
         "[S(P(a b; ????^); c)]Q"},
        {"a whole upper branch gets one more lower branch",
         [] { return Coil(Parallel(Contact("a", 1, Contact("b")), Col("c")), "Q"); }, "a", "b", TRUE,
         "[P(a b; ????^ / c^)]Q"},
        {"from a column element to the run after its series node",
         [] { return Coil(Series(Col("a", Col("b")), Contact("c", 1, Contact("d"))), "Q"); }, "b", "d", TRUE,
         "[S(P(S(a^ / b^; c d); ????^); )]Q"},
        {"from a column element into the same column", [] { return Coil(Series(Col("a", Col("b")), Contact("c")), "Q"); },
         "a", "b", TRUE, "[S(a^ / b^ / ????^; c)]Q"},
        {"a block does not start a branch", [] { return Coil(Block("T1"), "Q"); }, "T1", "T1", FALSE, "[T1]Q"},
        {"a coil does not start a branch", [] { return WithCoils(Coil(Contact("a"), "Q"), {"R"}); }, "R", "R", FALSE,
         "[a]Q^ / []R^"},
    };
    for (const Case& c : cases) {
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
        CLDElement* root = Load(c.network());
        m_program->SetBranchEnds(Find(root, c.start), Find(root, c.end));
        const int snapshots = m_program->GetUndoCount();
        const std::string before = Render(root);

        EXPECT_EQ(m_program->ConnectBranch(), c.result) << c.name;

        EXPECT_EQ(Render(Root()), c.after) << c.name;
        EXPECT_EQ(Fault(Root(), nullptr), "") << c.name;
        const BOOL wrapped = Render(Root()) != before;
        EXPECT_EQ(m_program->GetUndoCount(), snapshots + (wrapped ? 1 : 0)) << c.name;
    }
}

TEST_F(LDTreeEditTest, BranchEndsArePickedFromTheCellsOfTheLayout)
{
    CLDElement* root = Load(Coil(Series(Col("a", Col("b")), Contact("c", 1, Contact("d"))), "Q"));
    m_program->GetLDEditor().LayoutAll();
    const CLDCellRect a = Find(root, "a")->GetPosition();
    const CLDCellRect b = Find(root, "b")->GetPosition();
    const CLDCellRect c = Find(root, "c")->GetPosition();
    const CLDCellRect d = Find(root, "d")->GetPosition();

    EXPECT_EQ(m_program->PickBranchStart(c.column, c.row), 1);
    EXPECT_EQ(m_program->GetBranchStart(), Find(root, "c"));
    EXPECT_EQ(m_program->PickBranchStart(b.column, b.row), 3);
    EXPECT_EQ(m_program->GetBranchStart(), Find(root, "b"));
    // The cell left of an element finds it too; an empty cell keeps the start.
    EXPECT_EQ(m_program->PickBranchStart(a.column - 1, a.row), 2);
    EXPECT_EQ(m_program->GetBranchStart(), Find(root, "a"));
    EXPECT_EQ(m_program->PickBranchStart(d.column + 5, b.row), -1);
    EXPECT_EQ(m_program->GetBranchStart(), Find(root, "a"));

    // The end is the nearest element at or left of the cell, not left of the limit.
    EXPECT_EQ(m_program->PickBranchEnd(a.column, a.row, d.column + 3), 1);
    EXPECT_EQ(m_program->GetBranchEnd(), Find(root, "d"));
    EXPECT_EQ(m_program->PickBranchEnd(d.column + 1, d.row, d.column + 3), -1);
    EXPECT_EQ(m_program->GetBranchEnd(), Find(root, "d"));
    m_program->ClearBranchEnds();
    EXPECT_EQ(m_program->GetBranchStart(), nullptr);
    EXPECT_EQ(m_program->GetBranchEnd(), nullptr);

    // To the right: the next cell.
    EXPECT_TRUE(m_program->SelectRightNeighbour(Find(root, "c")));
    EXPECT_EQ(m_program->GetSelection(), Find(root, "d"));
    EXPECT_FALSE(m_program->SelectRightNeighbour(Find(root, "b")));
    EXPECT_EQ(m_program->GetSelection(), Find(root, "b"));
    EXPECT_FALSE(m_program->SelectRightNeighbour(nullptr));
    EXPECT_TRUE(CLDProgram::IsInSeriesRun(Find(root, "c"), Find(root, "d")));
    EXPECT_TRUE(CLDProgram::IsInSeriesRun(Find(root, "c"), Find(root, "c")));
    EXPECT_FALSE(CLDProgram::IsInSeriesRun(Find(root, "d"), Find(root, "c")));
}

TEST_F(LDTreeEditTest, NoInsertionWhileMonitoring)
{
    Load(Coil(Contact("a"), "Q"));
    m_program->Select(Find(Root(), "a"));
    m_app->Monitoring = 1;

    CLDElement* contact = Contact("n");
    EXPECT_FALSE(m_program->AppendSeries(contact));
    EXPECT_FALSE(m_program->InsertBlock(contact));
    m_program->AddParallelContact(Col("m"));
    m_program->Select(Root());
    EXPECT_FALSE(m_program->AddParallelCoil(contact));
    m_app->Monitoring = 0;

    EXPECT_EQ(Render(Root()), "[a]Q");
    contact->DeleteTree(FALSE);
}

// Random edits on a network read from IL: after each one the tree is sound
// and its IL reads back as the same tree.
class LDTreeEditPropertyTest : public LDTreeEditTest {
protected:
    std::vector<CLDElement*> Elements(CLDElement* e)
    {
        std::vector<CLDElement*> found;
        Collect(e, &found);
        return found;
    }

    void Collect(CLDElement* e, std::vector<CLDElement*>* found)
    {
        if (!e)
            return;
        if (e->GetKind() != LD_KIND_LOGIC_NODE)
            found->push_back(e);
        Collect(e->GetChildA(), found);
        Collect(e->GetChildB(), found);
    }

    CLDElement* NewContact(int link)
    {
        auto* contact = new CContact;
        contact->SetTypeText("-| |-");
        contact->SetOperand("%I0." + std::to_string(m_next++ % 8));
        contact->SetLink(link);
        contact->AttachNames(&m_program->GetNames());
        return contact;
    }

    std::string ReadBack()
    {
        std::vector<std::string> lines;
        m_program->GetILLines(lines);
        CILToLDConverter converter(*m_context);
        std::string error;
        if (!converter.Parse(lines, &error) || !converter.Build())
            return "unreadable: " + error;
        std::vector<LDItemPtr> items = converter.TakeResults();
        return items.size() == 2 ? Render(items[1].get()) : "networks: " + std::to_string(items.size() / 2);
    }

    int m_next = 1;
};

TEST_F(LDTreeEditPropertyTest, RandomEditsKeepTheTreeSoundAndItsILReadsBackAsTheSameTree)
{
    std::mt19937 random(20261211);
    constexpr int SEQUENCES = 60;
    constexpr int EDITS_PER_SEQUENCE = 60;
    for (int sequence = 0; sequence < SEQUENCES; ++sequence) {
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
        ASSERT_TRUE(m_program->LoadFromIL({"(* Network 0 *)", "LD %I0.0", "AND %I0.1", "ST %Q0.0"}));
        std::string history;
        for (int step = 0; step < EDITS_PER_SEQUENCE; ++step) {
            std::vector<CLDElement*> elements = Elements(Root());
            CLDElement* selected = elements[random() % elements.size()];
            m_program->Select(selected);
            const int edit = static_cast<int>(random() % 6);
            const std::string before = Render(Root());
            const std::string selectedText = Render(selected);
            switch (edit) {
            case 0:
                if (!m_program->AppendSeries(NewContact(LD_LINK_SERIES)))
                    continue;
                break;
            case 1:
                m_program->InsertLeft(NewContact(LD_LINK_SERIES));
                break;
            case 2:
                m_program->AddParallelContact(NewContact(LD_LINK_PARALLEL));
                break;
            case 3: {
                // The last contact of a network goes only with the network.
                const BOOL last = selected->GetParent() == Root() && !selected->GetChildA();
                if (!last)
                    m_program->DeleteSelected();
                break;
            }
            case 4: {
                CLDElement* end = elements[random() % elements.size()];
                m_program->SetBranchEnds(selected, end);
                m_program->ConnectBranch();
                break;
            }
            default: {
                auto* coil = new CCoil;
                coil->SetTypeText("-( )");
                coil->SetOperand("%Q0." + std::to_string(m_next++ % 8));
                coil->SetLink(LD_LINK_PARALLEL);
                coil->AttachNames(&m_program->GetNames());
                if (!m_program->AddParallelCoil(coil))
                    coil->DeleteTree(FALSE);
                break;
            }
            }
            m_program->ClearBranchEnds();
            m_program->GetLDEditor().LayoutAll();
            history += std::to_string(edit) + " on " + selectedText + " in " + before + "\n";
            const std::string now = Render(Root());
            ASSERT_EQ(Fault(Root(), nullptr), "") << history << now;
            ASSERT_EQ(ReadBack(), now) << history;
        }
    }
}

} // namespace
