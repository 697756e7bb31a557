// Network trees built in code: their sizes, the cells their contacts take
// in the position map, and their IL text; the two normalisation rules of a
// series node; the extra block cell on screen.

#include "TreeBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct CellAt {
    std::string name;
    int column;
    int row;
};

struct ShapeCase {
    const char* shape;
    std::function<CLDElement*()> build; // the root coil
    CSize size;
    std::vector<CellAt> cells;
    std::string il; // empty: not checked
};

const std::string ST = "ST    %Q0.0\r\n";

const std::vector<ShapeCase>& ShapeCases()
{
    static const std::vector<ShapeCase> cases = {
        {"lone contact", [] { return Coil(Contact("A")); }, CSize(1, 1), {{"A", 1, 0}}, "LD    A\r\n" + ST},
        {"series successor", [] { return Coil(Contact("A", LD_LINK_SERIES, Contact("B"))); }, CSize(2, 1),
         {{"A", 1, 0}, {"B", 2, 0}}, "LD    A\r\nAND    B\r\n" + ST},
        {"parallel successor directly below",
         [] { return Coil(Contact("A", LD_LINK_PARALLEL, Contact("B", LD_LINK_PARALLEL))); }, CSize(1, 2),
         {{"A", 1, 0}, {"B", 1, 1}}, ""},
        {"parallel node leaves a free row", [] { return Coil(Parallel(Contact("A"), Contact("B", LD_LINK_PARALLEL))); },
         CSize(1, 3), {{"A", 1, 0}, {"B", 1, 2}}, "OR(\r\nLD    A\r\n)\r\nOR    B\r\n" + ST},
        {"contact before a bracketed branch",
         [] {
             return Coil(Contact("A", LD_LINK_SERIES,
                                 Series(Parallel(Contact("B"), Contact("C", LD_LINK_PARALLEL)), nullptr)));
         },
         CSize(2, 3), {{"A", 1, 0}, {"B", 2, 0}, {"C", 2, 2}},
         "LD    A\r\nAND(\r\nLD    B\r\nOR    C\r\n)\r\n" + ST},
        {"branch at the coil input then a contact",
         [] { return Coil(Series(Parallel(Contact("B"), Contact("C", LD_LINK_PARALLEL)), Contact("D"))); },
         CSize(2, 3), {{"B", 1, 0}, {"C", 1, 2}, {"D", 2, 0}}, "LD    B\r\nOR    C\r\nAND    D\r\n" + ST},
        {"wide upper branch",
         [] {
             return Coil(Parallel(Contact("A", LD_LINK_SERIES, Contact("B", LD_LINK_SERIES, Contact("C"))),
                                  Contact("D", LD_LINK_PARALLEL)));
         },
         CSize(3, 3), {{"A", 1, 0}, {"B", 2, 0}, {"C", 3, 0}, {"D", 1, 2}}, ""},
        {"series node without left part", [] { return Coil(Series(nullptr, Contact("D"))); }, CSize(1, 1),
         {{"D", 1, 0}}, "AND    D\r\n" + ST},
        {"contact with no link hides its successor", [] { return Coil(Contact("A", 0, Contact("B"))); },
         CSize(0, 0), {{"A", 1, 0}}, ""},
        {"logic node with no link hides both parts", [] { return Coil(Node(0, Contact("A"), Contact("B"))); },
         CSize(0, 0), {}, ""},
    };
    return cases;
}

TEST(LDTreeLayout, ShapesTakeTheirSizeCellsAndILText)
{
    for (const ShapeCase& shape : ShapeCases()) {
        SCOPED_TRACE(shape.shape);
        CLDElement* root = shape.build();
        CLDPositionMap cells;
        root->SetLayoutRect(CLDCellRect(1, 0, 7, 1));
        EXPECT_EQ(root->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, &cells, 0, 0), shape.size);
        EXPECT_EQ(root->GetSize(FALSE), shape.size);
        ASSERT_EQ(cells.size(), shape.cells.size());
        for (const CellAt& cell : shape.cells) {
            const auto found = cells.find(CLDElement::PositionKey(cell.column, cell.row));
            ASSERT_NE(found, cells.end()) << cell.name;
            EXPECT_EQ(found->second->GetOperand(), cell.name);
            EXPECT_EQ(found->second->GetPosition(), CLDCellRect(cell.column, cell.row, 7, 1));
        }
        if (!shape.il.empty()) {
            EXPECT_EQ(root->GetILText(), shape.il);
        }
        root->DeleteTree(FALSE);
    }
}

TEST(LDTreeLayout, PositionKeysAreRowAndColumnAsSixteenBitHalves)
{
    const struct {
        int column;
        int row;
        const char* key;
    } cases[] = {
        {2, 3, "196610"},
        {1, 0, "1"},
        {0, 1, "65536"},
        {-1, 0, "65535"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CLDElement::PositionKey(c.column, c.row), c.key) << c.column << "," << c.row;

    CLDPositionMap cells;
    CTestElement first(LD_KIND_CONTACT, "A");
    CTestElement second(LD_KIND_CONTACT, "B");
    CLDElement::InsertPosition(2, 3, &first, &cells);
    CLDElement::InsertPosition(2, 3, &second, &cells);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells["196610"], &second);
}

TEST(LDTreeLayout, SeriesNodeWithoutRightPartStandsForItsSeriesLeftPart)
{
    CLDElement* root = Coil(Series(Series(Contact("A"), Contact("B")), nullptr));
    const size_t live = CLDElement::LiveCount();
    CLDPositionMap cells;
    root->SetLayoutRect(CLDCellRect(1, 0, 0, 1));

    EXPECT_EQ(root->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, &cells, 0, 0), CSize(2, 1));

    // One node fewer; the node at the input now joins A and B itself.
    EXPECT_EQ(CLDElement::LiveCount(), live - 1);
    CLDElement* input = root->GetChildA();
    ASSERT_EQ(input->GetKind(), LD_KIND_LOGIC_NODE);
    EXPECT_EQ(input->GetLink(), LD_LINK_SERIES);
    EXPECT_EQ(input->GetChildB()->GetOperand(), "A");
    EXPECT_EQ(input->GetChildA()->GetOperand(), "B");
    EXPECT_EQ(input->GetChildB()->GetParent(), input);
    EXPECT_EQ(input->GetChildA()->GetParent(), input);
    root->DeleteTree(FALSE);
}

TEST(LDTreeLayout, SeriesLeftPartOfAFullSeriesNodeBecomesParallel)
{
    CLDElement* left = Series(Contact("A"), Contact("B", LD_LINK_PARALLEL));
    CLDElement* root = Coil(Series(left, Contact("C")));
    root->SetLayoutRect(CLDCellRect(1, 0, 0, 1));

    EXPECT_EQ(root->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0), CSize(2, 3));

    EXPECT_EQ(left->GetLink(), LD_LINK_PARALLEL);
    EXPECT_EQ(left->GetChildB()->GetPosition(), CLDCellRect(1, 2, 0, 1));
    root->DeleteTree(FALSE);
}

TEST(LDTreeLayout, BlockAfterASeriesPartTakesOneMoreCellOnScreenOnly)
{
    CLDElement* root = Coil(Series(Contact("A"), Block("T37")));
    root->SetLayoutRect(CLDCellRect(1, 0, 0, 1));

    EXPECT_EQ(root->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0), CSize(3, 1));
    EXPECT_EQ(root->GetChildA()->GetChildA()->GetPosition().column, 3);
    EXPECT_EQ(root->GetSize(FALSE), CSize(3, 1));
    EXPECT_EQ(root->GetSize(TRUE), CSize(2, 1));
    root->DeleteTree(FALSE);
}

TEST(LDTreeLayout, ParallelNodeWithoutLowerBranchHasNoFreeRow)
{
    auto* node = Parallel(Contact("A"), nullptr);
    node->SetLayoutRect(CLDCellRect(1, 0, 0, 1));

    EXPECT_EQ(node->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0), CSize(1, 1));
    EXPECT_EQ(node->GetExtraRows(), 0);
    EXPECT_EQ(node->GetSize(FALSE), CSize(1, 1));
    node->DeleteTree(FALSE);
}

TEST(LDTreeLayout, FitTextCutsAndNeverSplitsADoubleByteCharacter)
{
    const struct {
        std::string text;
        int n;
        std::string fitted;
    } cases[] = {
        {"ABCDEFGH", 8, "ABCDEFGH"},
        {"ABCDEFGH", 6, "ABCD.."},
        {"%VD100_LONG_NAME", 16, "%VD100_LONG_NAME"},
        {"%VD100_LONG_NAMES", 16, "%VD100_LONG_NA.."},
        // The byte at n - 1 leads a GBK character: one byte less is kept.
        {"ABCD\xB5\xE7\xBB\xFA", 7, "ABCD.."},
        {"AB\xB5\xE7\xBB\xFA", 5, "AB.."},
        // A trail byte at n - 1 ends its character: n - 2 bytes are kept.
        {"ABCD\xB5\xE7\xBB\xFA", 6, "ABCD.."},
        {"ABCDEF", 1, ".."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CLDElement::FitText(c.text, c.n), c.fitted) << c.text << " to " << c.n;
}

TEST(LDTreeLayout, AddUniqueStringKeepsTheFirstOfEqualTexts)
{
    CTestElement element(LD_KIND_CONTACT, "A");
    std::vector<std::string> list;
    for (const char* text : {"A", "b", "A", "B", "b"})
        element.AddUniqueString(text, &list);
    EXPECT_EQ(list, (std::vector<std::string> {"A", "b", "B"}));
}

} // namespace

namespace {

TEST(LDTreeSearch, PassesVisitANetworkInReadingOrder)
{
    // A, then the branch (upper B C, lower D), then E.
    CLDElement* input = Contact("A", LD_LINK_SERIES,
                                Series(Parallel(Contact("B", LD_LINK_SERIES, Contact("C")),
                                                Contact("D", LD_LINK_PARALLEL)),
                                       Contact("E")));
    CLDElement* hidden = Node(0, Contact("X"), Contact("Y"));
    const std::vector<std::string> order = {"A", "B", "C", "D", "E"};
    const struct {
        const char* pass;
        std::function<int(CLDElement*)> run;
    } passes[] = {
        {"find", [](CLDElement* e) { return e->Find("A", LD_FIND_REPORT); }},
        {"all", [](CLDElement* e) { return e->ReplaceAll("A", "B"); }},
        {"one", [](CLDElement* e) { return e->ReplaceOne("A", "B"); }},
    };
    for (const auto& pass : passes) {
        CTestElement::VisitLog().clear();
        EXPECT_EQ(pass.run(input), 5) << pass.pass;
        EXPECT_EQ(pass.run(hidden), 0) << pass.pass;
        std::vector<std::string> expected;
        for (const std::string& name : order)
            expected.push_back(std::string(pass.pass) + " " + name);
        EXPECT_EQ(CTestElement::VisitLog(), expected);
    }
    input->DeleteTree(FALSE);
    hidden->DeleteTree(FALSE);
}

} // namespace
