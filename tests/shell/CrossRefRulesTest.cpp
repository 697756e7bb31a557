#include "shell/CrossRefRules.h"

#include "model/AppDataFixture.h"
#include "model/CXrefStore.h"
#include "model/CZULSymbol.h"
#include "model/CpuProfile.h"
#include "platform/ByteString.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int READ = 0x8000;
constexpr int WRITTEN = 0x10000;
constexpr DWORD INT_AND_DINT = 0x30;

struct MaskCase {
    const char* name;
    std::vector<int> areasUnticked;
    std::vector<int> typesUnticked;
    DWORD areaMask;
    DWORD typeMask;
};

void TickAll(int* boxes, int count, const std::vector<int>& unticked)
{
    std::fill(boxes, boxes + count, 1);
    for (const int box : unticked)
        boxes[box] = 0;
}

std::vector<int> AllBut(int count, int kept)
{
    std::vector<int> boxes;
    for (int box = 0; box < count; ++box) {
        if (box != kept)
            boxes.push_back(box);
    }
    return boxes;
}

TEST(CrossRefFilterMasks, FollowTheTickedBoxes)
{
    const MaskCase cases[] = {
        {"all ticked", {}, {}, 0xFFFE0000, 0x1CF},
        {"I unticked", {0}, {}, 0xFFFC0000, 0x1CF},
        {"Bit unticked", {}, {0}, 0xFFFE0000, 0x1CE},
        {"AC and BR unticked", {8, 14}, {}, 0x7DFE0000, 0x1CF},
        {"only V and Word", AllBut(15, 6), AllBut(7, 2), 0x800000, 0x4},
        {"only I and Bit", AllBut(15, 0), AllBut(7, 0), 0x20000, 0x1},
        {"nothing ticked", AllBut(15, -1), AllBut(7, -1), 0, 0},
        {"pointer and physical address unticked", {}, {5, 6}, 0xFFFE0000, 0x4F},
    };
    for (const MaskCase& test : cases) {
        int areas[XREF_AREA_BOX_COUNT];
        int types[XREF_TYPE_BOX_COUNT];
        TickAll(areas, XREF_AREA_BOX_COUNT, test.areasUnticked);
        TickAll(types, XREF_TYPE_BOX_COUNT, test.typesUnticked);
        EXPECT_EQ(XrefAreaMask(areas), test.areaMask) << test.name;
        EXPECT_EQ(XrefTypeMask(types), test.typeMask) << test.name;
        EXPECT_EQ(XrefTypeMask(types) & INT_AND_DINT, 0u) << test.name;
    }
}

// A VB16 project with a main program, subroutine 1 "Pump" in LD and
// interrupt routine 2 "Tick", and the program's cross-reference store.
class CrossRefRowsTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        UseFamily(2);
        m_app->Project.ProjectFolder = "/projects/tank";
        m_app->Project.MainNode.name = "Tank";
        m_app->Project.MainNode.language = 1;
        AddRoutine(NODE_SUBROUTINE, "Pump", 1, 2);
        AddRoutine(NODE_INTERRUPT, "Tick", 2, 1);
        std::fill(std::begin(m_app->SelArea), std::end(m_app->SelArea), 1);
        std::fill(std::begin(m_app->SelType), std::end(m_app->SelType), 1);
        ApplyXrefFilter(*m_app);
        SetXrefPositionSource([this] { return position; });
        ClearXrefTables();
    }
    void TearDown() override
    {
        ClearXrefTables();
        SetXrefPositionSource(nullptr);
        AppDataFixture::TearDown();
    }

    void AddRoutine(int kind, const std::string& name, int number, int language)
    {
        auto* node = new CProjTreeNode;
        node->kind = kind;
        node->name = name;
        node->number = number;
        node->language = language;
        if (kind == NODE_INTERRUPT) {
            m_app->Project.POUs.AddInterruptNode(node);
            return;
        }
        m_app->Project.POUs.AddSubroutineNode(node);
        auto* function = new CZULFunc;
        function->name = name;
        function->number = number;
        m_app->Project.POUs.AddSubroutineInterface(function);
    }

    void Add(const XrefPosition& at, int access, const std::string& address)
    {
        position = at;
        ASSERT_TRUE(AddAddressXref(access, address)) << address;
    }

    static std::vector<std::string> Addresses(const CXrefRows& list)
    {
        std::vector<std::string> texts;
        for (const CXrefRow& row : list.rows)
            texts.push_back(row.address);
        return texts;
    }

    XrefPosition position;
};

TEST_F(CrossRefRowsTest, RowTextsNameSymbolPOUPositionAndAccess)
{
    auto* level = new CZULSymbol;
    level->name = "Level";
    level->address = "%VW10";
    m_app->Project.AddSymbol(level);
    Add({XREF_POSITION_IL_ROW, 3, "MAIN"}, READ, "%VW10");
    Add({XREF_POSITION_LADDER_NETWORK, 12, "SBR01"}, WRITTEN, "%Q0.0");
    Add({XREF_POSITION_IL_ROW, 105, "INT02"}, READ | WRITTEN, "%M1.2");
    Add({XREF_POSITION_IL_ROW, 7, "SBR44"}, 0, "%MB3");

    const CXrefRows list = CollectXrefRows(*m_app, XrefCapacity);
    ASSERT_EQ(list.rows.size(), 4u);
    EXPECT_FALSE(list.cutShort);
    struct Expected {
        const char* index;
        const char* address;
        const char* symbol;
        const char* pou;
        const char* position;
        const char* access;
    };
    // Collected area by area in the store's order.
    const Expected expected[] = {
        {"   0", "%M1.2", "", "Tick", "Row 105", "RW"},
        {"   1", "%MB3", "", "", "Row   7", ""},
        {"   2", "%Q0.0", "", "Pump", "Network  12", "Write"},
        {"   3", "%VW10", "Level", "Tank", "Row   3", "Read"},
    };
    for (size_t row = 0; row < list.rows.size(); ++row) {
        const CXrefRow& got = list.rows[row];
        const Expected& want = expected[row];
        EXPECT_EQ(got.index, want.index) << row;
        EXPECT_EQ(got.address, want.address) << row;
        EXPECT_EQ(got.symbol, want.symbol) << row;
        EXPECT_EQ(got.pou, want.pou) << row;
        EXPECT_EQ(got.position, want.position) << row;
        EXPECT_EQ(got.access, want.access) << row;
    }
}

TEST_F(CrossRefRowsTest, OnlyVAndWordShowOnlyWordAccessesToV)
{
    const XrefPosition main{XREF_POSITION_IL_ROW, 1, "MAIN"};
    Add(main, READ, "%VB4");
    Add(main, READ, "%VW20");
    Add(main, READ, "%IW0");
    Add(main, READ, "%V2.1");
    Add(main, WRITTEN, "%VD40");
    std::fill(std::begin(m_app->SelArea), std::end(m_app->SelArea), 0);
    std::fill(std::begin(m_app->SelType), std::end(m_app->SelType), 0);
    m_app->SelArea[6] = 1;
    m_app->SelType[2] = 1;
    ApplyXrefFilter(*m_app);

    EXPECT_EQ(Addresses(CollectXrefRows(*m_app, XrefCapacity)), std::vector<std::string>{"%VW20"});
}

TEST_F(CrossRefRowsTest, MoreReferencesThanTheCapacityShowTheFirstOnes)
{
    for (int row = 0; row < 5; ++row)
        Add({XREF_POSITION_IL_ROW, row, "MAIN"}, READ, ByteString::Format("%%VB%d", row));
    struct CapacityCase {
        int capacity;
        size_t rows;
        BOOL cutShort;
    };
    const CapacityCase cases[] = {{3, 3, TRUE}, {4, 4, TRUE}, {5, 5, FALSE}, {6, 5, FALSE}, {0, 0, FALSE}};
    for (const CapacityCase& test : cases) {
        const CXrefRows list = CollectXrefRows(*m_app, test.capacity);
        ASSERT_EQ(list.rows.size(), test.rows) << test.capacity;
        EXPECT_EQ(list.cutShort, test.cutShort) << test.capacity;
        for (size_t row = 0; row < list.rows.size(); ++row)
            EXPECT_EQ(list.rows[row].address, ByteString::Format("%%VB%zu", row)) << test.capacity;
    }
    EXPECT_EQ(XrefCutShortNote(3), "More references than 3: the list is cut short.");
}

TEST_F(CrossRefRowsTest, APOUTextLeadsToItsLabelAndProgramFile)
{
    AddRoutine(NODE_SUBROUTINE, "Spare", 7, 0);
    struct TargetCase {
        const char* pou;
        const char* label;
        const char* file;
    };
    const TargetCase cases[] = {
        {"Pump", "(SBR01) ", "/projects/tank/SBR01_Pump.ilp"},
        {"Tick", "(INT02) ", "/projects/tank/INT02_Tick.ilp"},
        {"Tank", "(MAIN) ", "/projects/tank/MAIN_Tank.ilp"},
        {"Spare", "(SBR07) ", ""},
        {"", "(MAIN) ", "/projects/tank/MAIN_Tank.ilp"},
    };
    for (const TargetCase& test : cases) {
        const CXrefTarget target = XrefTargetOfPOU(m_app->Project, test.pou);
        EXPECT_EQ(target.label, test.label) << test.pou;
        EXPECT_EQ(target.file, test.file) << test.pou;
    }
}

TEST(CrossRefPositions, TheNumberFollowsRowOrNetwork)
{
    const std::pair<const char*, int> cases[] = {
        {"Row   7", 7},     {"Network  12", 12}, {"Row 105", 105}, {"Network 1234", 1234},
        {"", 0},            {"Row", 0},          {"Step 4", 0},    {"Row 99999999999", 99999999},
    };
    for (const auto& [text, number] : cases)
        EXPECT_EQ(XrefPositionNumber(text), number) << text;
}

} // namespace
