// The coil: the IL lines of its types and chains, the empty coil's rule,
// networks held as IL, its record, its place in the network's last column,
// its drawing while editing, monitoring and forced, its live state, hit
// tests, find and replace, and the labels of label coils.

#include "ElementFixture.h"
#include "ladder/CCoil.h"
#include "ladder/CContact.h"
#include "model/CZULStatus.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

CCoil* MakeCoil(const std::string& type, const std::string& operand, CLDElement* input = nullptr)
{
    auto* coil = new CCoil;
    coil->SetTypeText(type);
    coil->SetOperand(operand);
    coil->SetChildA(input);
    if (input)
        input->SetParent(coil);
    return coil;
}

// Coils chained below the first one, every one with link 2.
CCoil* Chain(CCoil* first, std::initializer_list<CCoil*> below)
{
    CCoil* holder = first;
    for (CCoil* coil : below) {
        holder->SetLink(LD_LINK_PARALLEL);
        holder->SetChildB(coil);
        coil->SetLink(LD_LINK_PARALLEL);
        holder = coil;
    }
    return first;
}

// An input part whose IL text is given.
class FixedInput : public CTestElement {
public:
    explicit FixedInput(std::string text) : m_text(std::move(text)) {}
    std::string GetILText() override { return m_text; }

private:
    std::string m_text;
};

class CoilTest : public ElementFixture {
protected:
    void TearDown() override
    {
        for (CLDElement* root : m_roots)
            root->DeleteTree(FALSE);
        ElementFixture::TearDown();
    }

    CCoil* Keep(CCoil* root)
    {
        root->AttachNames(&m_names);
        m_roots.push_back(root);
        return root;
    }

    std::vector<CLDElement*> m_roots;
};

TEST_F(CoilTest, ILLineOfEveryTypeWithoutInput)
{
    const struct {
        const char* type;
        const char* operand;
        const char* il;
    } cases[] = {
        {"-( )", "Q0.0", "LD    TRUE\r\nST   %Q0.0\r\n"},
        {"-(/)", "%Q0.0", "LD    TRUE\r\nSTN   %Q0.0\r\n"},
        {"-(I)", "%Q0.0", "LD    TRUE\r\nSTI   %Q0.0\r\n"},
        {"-(S)", "Motor", "LD    TRUE\r\nS    %Q0.1\r\n"},
        {"-(SI)", "%Q0.0", "LD    TRUE\r\nSI    %Q0.0\r\n"},
        {"-(R)", "flag", "LD    TRUE\r\nR    %L0.0\r\n"},
        {"-(RI)", "%Q0.0", "LD    TRUE\r\nRI    %Q0.0\r\n"},
        {"-(NUL)", "", "LD    TRUE\r\nST   %BR0.0\r\n"},
        {"-(LBL)", "L1", "L1:\r\n"},
        {"-(JMP)", "L1", "LD    TRUE\r\nJMP    L1\r\n"},
        {"-(JMPC)", "L1", "LD    TRUE\r\nJMPC    L1\r\n"},
        {"-(JMPCN)", "L1", "LD    TRUE\r\nJMPCN    L1\r\n"},
        {"-(NEXT)", "", "LD    TRUE\r\nNEXT\r\n"},
        {"-(RET)", "", "LD    TRUE\r\nRET\r\n"},
        {"-(RETC)", "", "LD    TRUE\r\nRETC\r\n"},
        {"-(RETCN)", "", "LD    TRUE\r\nRETCN\r\n"},
        {"-(END)", "", "LD    TRUE\r\nEND\r\n"},
        {"-(STOP)", "", "LD    TRUE\r\nSTOP\r\n"},
        {"-(WDR)", "", "LD    TRUE\r\nWDR\r\n"},
        {"-(ENI)", "", "LD    TRUE\r\nENI\r\n"},
        {"-(DISI)", "", "LD    TRUE\r\nDISI\r\n"},
        {"-(PLS)", "%Q0.0", "LD    TRUE\r\nST   %Q0.0\r\n"},
        {"-( )", "", "LD    TRUE\r\nST   ????\r\n"},
        {"-( )", "nowhere", "LD    TRUE\r\nST   nowhere\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        CCoil* coil = Keep(MakeCoil(c.type, c.operand));
        EXPECT_EQ(coil->GetILText(), c.il);
    }
}

TEST_F(CoilTest, ChainWritesItsInputOnceThenEveryCoil)
{
    CCoil* coil = Keep(Chain(MakeCoil("-( )", "%Q0.0", Contact("%I0.0")),
                             {MakeCoil("-(S)", "%Q0.1"), MakeCoil("-(R)", "%Q0.2")}));
    EXPECT_EQ(coil->GetILText(), "LD    %I0.0\r\n"
                                 "ST   %Q0.0\r\n"
                                 "S    %Q0.1\r\n"
                                 "R    %Q0.2\r\n");
}

TEST_F(CoilTest, EmptyCoilStoresTheResultOnlyAfterALogicInstruction)
{
    const struct {
        const char* input;
        bool last;
        bool stores;
    } cases[] = {
        {"LD    %I0.0\r\nAND    %I0.1\r\n", true, true},
        {"LD    %I0.0\r\n  ORN    %I0.1\r\n", true, true},
        {"LD    %I0.0\r\nMOVE    %VW0, %VW2\r\n", true, false},
        {"LD    %I0.0\r\nAND    %VB0, %VB1\r\n", true, false},
        {"LD    %I0.0\r\nXOR    %VB0, %VB1\r\n", true, false},
        {"LD    %I0.0\r\nLDN    %I0.1, %I0.2\r\n", true, true},
        {"LD    %I0.0", true, false},
        {"LD    %I0.0\r\nAND    %I0.1\r\n", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        CCoil* nul = MakeCoil("-(NUL)", "", new FixedInput(c.input));
        if (!c.last)
            Chain(nul, {MakeCoil("-( )", "%Q0.0")});
        Keep(nul);
        const std::string coilLines = nul->GetILText().substr(std::string(c.input).size());
        const std::string stored = c.stores ? "ST   %BR0.0\r\n" : "";
        EXPECT_EQ(coilLines, c.last ? stored : "ST   %Q0.0\r\n");
    }
}

TEST_F(CoilTest, NetworkHeldAsILIsWrittenBackAndDrawsNothing)
{
    CCoil* holder = Keep(MakeCoil("", ""));
    holder->SetGraphicalFlag(0);
    holder->SetHeldILText("LD    %I0.0\r\nFOO    1, 2\r\n");
    holder->SetLayoutRect(CLDCellRect(1, 3, 4, 1));
    EXPECT_EQ(holder->GetILText(), "LD    %I0.0\r\nFOO    1, 2\r\n");
    EXPECT_TRUE(Draw(*holder).empty());
    m_dc.ClearCalls();
    holder->DrawMonitorState(0, 0, LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_dc);
    EXPECT_TRUE(m_dc.Calls().empty());
}

TEST_F(CoilTest, SnapshotRecordKeepsANetworkHeldAsIL)
{
    // An undo snapshot of a network kept as IL must bring the network back, not an empty coil.
    CCoil* holder = Keep(MakeCoil("-( )", "%Q0.0"));
    holder->SetGraphicalFlag(0);
    holder->SetHeldILText("LD    %I0.0\r\nFOO    1, 2\r\n");
    CCoil copy;
    CArchive ar(Store(*holder));
    copy.Serialize(ar);
    ASSERT_TRUE(ar.IsOK());
    EXPECT_EQ(copy.GetGraphicalFlag(), 0);
    EXPECT_EQ(copy.GetILText(), "LD    %I0.0\r\nFOO    1, 2\r\n");
    EXPECT_EQ(Store(copy), Store(*holder));
}

TEST_F(CoilTest, RecordOfAChainWithItsInput)
{
    CCoil* root = Chain(MakeCoil("-(S)", "%Q0.0", MakeCoil("", "")), {MakeCoil("-(LBL)", "L7")});
    root->GetChildA()->DeleteTree(FALSE);
    auto* contact = new CContact;
    contact->SetTypeText("-|/|-");
    contact->SetOperand("%I0.3");
    contact->SetLink(LD_LINK_SERIES);
    root->SetChildA(contact);
    contact->SetParent(root);
    Keep(root);
    m_app->Find.MarksShown = 1;
    root->Find("(S)", LD_FIND_MARK);

    std::vector<CLDElement*> elements;
    std::vector<BYTE> types;
    root->Flatten(&elements, &types);
    ASSERT_EQ(types, (std::vector<BYTE> {LD_TYPE_COIL, LD_TYPE_CONTACT, LD_TYPE_COIL}));
    CArchive ar;
    for (CLDElement* element : elements)
        element->Serialize(ar);
    CArchive in(ar.GetBuffer());
    std::vector<CLDElement*> loaded = {new CCoil, new CContact, new CCoil};
    for (CLDElement* element : loaded)
        element->Serialize(in);
    ASSERT_TRUE(in.IsOK());
    ASSERT_TRUE(CLDElement::LinkSequence(loaded, 0));
    auto* back = static_cast<CCoil*>(loaded[0]);
    Keep(back);
    EXPECT_EQ(back->GetILText(), root->GetILText());
    EXPECT_EQ(back->GetILText(), "LDN    %I0.3\r\nS    %Q0.0\r\nL7:\r\n");
    EXPECT_EQ(back->GetCoilFoundMark(), 1);
    EXPECT_EQ(back->GetLink(), LD_LINK_PARALLEL);
    EXPECT_EQ(back->GetChildB()->GetTypeText(), "-(LBL)");
}

} // namespace

namespace {

class CoilDrawingTest : public CoilTest {
protected:
    CCoil* Placed(const std::string& type, const std::string& operand, CLDElement* input = nullptr)
    {
        CCoil* coil = Keep(MakeCoil(type, operand, input));
        coil->SetLayoutRect(CLDCellRect(2, 1, 1, 1));
        return coil;
    }
};

TEST_F(CoilDrawingTest, EditingDrawsLeadsArcsTextOperandWireAndRail)
{
    CCoil* coil = Placed("-(S)", "q0.1");
    const std::vector<std::string> expected = {
        "SelectPen(0,1,RGB(0,0,0))",
        "MoveTo(200,65)",
        "LineTo(235,65)",
        "MoveTo(265,65)",
        "LineTo(300,65)",
        "SelectPen(0,2,RGB(0,0,0))",
        "Arc(235,55,255,75,235,55,235,75)",
        "Arc(245,55,265,75,265,75,265,55)",
        "SelectPen(0,0,RGB(0,0,0))",
        "SelectFont(Text,16,0)",
        "TextOut(246,56,\"S\")",
        "SelectFont(DejaVu Sans,-12,400)",
        "SelectFont(Text,16,0)",
        "TextOut(230,41,\"%Q0.1\")",
        "SelectFont(DejaVu Sans,-12,400)",
        "SetTextColor(RGB(0,0,0))",
        "SetBkColor(RGB(255,255,255))",
        "SelectPen(0,1,RGB(0,0,0))",
        "MoveTo(200,65)",
        "LineTo(200,65)",
        "SelectPen(0,0,RGB(0,0,0))",
        "SelectPen(0,3,RGB(0,0,0))",
        "MoveTo(300,40)",
        "LineTo(300,80)",
        "SelectPen(0,0,RGB(0,0,0))",
    };
    EXPECT_EQ(Draw(*coil), expected);
    EXPECT_EQ(coil->GetOperand(), "%Q0.1");
    EXPECT_EQ(coil->GetRailX(), 300);
    EXPECT_EQ(coil->GetRailTop(), 40);
    EXPECT_EQ(coil->GetRailBottom(), 80);
}

TEST_F(CoilDrawingTest, CoilStandsInTheLastColumnWithItsChainBelow)
{
    CLDElement* input = Contact("A", LD_LINK_SERIES, Contact("B"));
    CCoil* coil = Keep(Chain(MakeCoil("-( )", "%Q0.0", input), {MakeCoil("-(S)", "%Q0.1"), MakeCoil("-(R)", "%Q0.2")}));
    coil->SetLayoutRect(CLDCellRect(1, 3, 5, 7));
    const std::vector<std::string> calls = Draw(*coil);

    EXPECT_EQ(coil->GetPosition(), CLDCellRect(5, 3, 5, 7));
    EXPECT_EQ(m_size, CSize(7, 3));
    EXPECT_EQ(m_cells.at(CLDElement::PositionKey(1, 3)), input);
    EXPECT_EQ(m_cells.at(CLDElement::PositionKey(5, 3)), coil);
    EXPECT_EQ(m_cells.at(CLDElement::PositionKey(5, 4)), coil->GetChildB());
    EXPECT_EQ(m_cells.at(CLDElement::PositionKey(5, 5)), coil->GetChildB()->GetChildB());
    EXPECT_EQ(coil->GetChildB()->GetChildB()->GetParent(), coil->GetChildB());
    EXPECT_EQ(coil->GetSize(FALSE), CSize(3, 3));
    EXPECT_EQ(coil->GetChainLength(), 3);

    // The wire from the input's end to the coil, the chain's left line and the rail beside all three coils.
    EXPECT_TRUE(Contains(calls, {"MoveTo(300,145)", "LineTo(500,145)"}));
    EXPECT_TRUE(Contains(calls, {"SelectPen(0,1,RGB(0,0,0))", "MoveTo(500,145)", "LineTo(500,225)"}));
    EXPECT_TRUE(Contains(calls, {"SelectPen(0,3,RGB(0,0,0))", "MoveTo(600,120)", "LineTo(600,240)"}));
    EXPECT_TRUE(Contains(calls, {"TextOut(546,176,\"S\")"}));
    EXPECT_TRUE(Contains(calls, {"TextOut(546,216,\"R\")"}));

    // Placement alone gives the same cells and size.
    const CLDPositionMap drawn = m_cells;
    m_cells.clear();
    EXPECT_EQ(coil->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_cells, 0, 0), CSize(7, 3));
    EXPECT_EQ(m_cells, drawn);
}

TEST_F(CoilDrawingTest, OperandColourAndMarksByState)
{
    const std::vector<std::string> padlock = {
        "FillSolidRect(266,58,273,64,RGB(0,0,0))", "FillSolidRect(267,59,272,63,RGB(255,255,0))",
        "SelectPen(0,1,RGB(0,0,0))",               "MoveTo(267,58)",
        "LineTo(267,56)",                          "MoveTo(271,58)",
        "LineTo(271,56)",                          "Arc(267,54,271,58,271,56,267,57)",
    };
    const struct {
        const char* state;
        const char* type;
        const char* operand;
        int monitoring;
        const char* forcedKey;
        std::function<void(CCoil&)> prepare;
        std::vector<std::string> run;
        const char* absent;
    } cases[] = {
        {"invalid operand in red", "-(I)", "%M0.0", 0, "", nullptr,
         {"SetTextColor(RGB(255,0,0))", "SelectFont(Text,16,0)", "TextOut(230,41,\"%M0.0\")"}, ""},
        {"missing operand in red", "-( )", "", 0, "", nullptr,
         {"SetTextColor(RGB(255,0,0))", "SelectFont(Text,16,0)", "TextOut(234,41,\"????\")"}, ""},
        {"operand-less type shows no operand", "-(RET)", "", 0, "", nullptr, {"TextOut(238,56,\"RET\")"},
         "TextOut(234,41,\"????\")"},
        {"label as entered", "-(JMP)", "loop_start_of_the_main", 0, "", nullptr,
         {"TextOut(186,41,\"loop_start_of_..\")"}, "SetTextColor(RGB(255,0,0))"},
        {"monitored operand in blue", "-( )", "Motor", 1, "", nullptr,
         {"SetTextColor(RGB(0,0,255))", "SelectFont(Text,16,0)", "TextOut(230,41,\"%Q0.1\")"},
         "FillSolidRect(266,58,273,64,RGB(0,0,0))"},
        {"forced by address", "-( )", "%Q0.1", 1, "%Q0.1", nullptr, padlock, ""},
        {"forced through its symbol", "-( )", "Motor", 1, "%Q0.1", nullptr, padlock, ""},
        {"operand hit framed", "-( )", "%Q0.1", 0, "", [](CCoil& coil) { coil.Find("Q0", LD_FIND_MARK); },
         {"SelectPen(0,2,RGB(0,0,255))", "SelectBrush(null)", "Rectangle(210,38,290,55)"}, "Rectangle(230,58,270,73)"},
        {"type hit framed", "-(S)", "%Q0.1", 0, "", [](CCoil& coil) { coil.Find("(S", LD_FIND_MARK); },
         {"SelectPen(0,2,RGB(0,0,255))", "SelectBrush(null)", "Rectangle(230,58,270,73)"}, "Rectangle(210,38,290,55)"},
        {"label being edited is not drawn", "-( )", "%Q0.1", 0, "", [](CCoil& coil) { coil.SetSelectedLabel(1); },
         {"TextOut(250,56,\"\")"}, "TextOut(230,41,\"%Q0.1\")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        m_app->Monitoring = c.monitoring;
        m_force.forced.clear();
        if (*c.forcedKey)
            m_force.forced.insert(c.forcedKey);
        CCoil* coil = Placed(c.type, c.operand);
        if (c.prepare)
            c.prepare(*coil);
        const std::vector<std::string> calls = Draw(*coil);
        EXPECT_TRUE(Contains(calls, c.run)) << ::testing::PrintToString(calls);
        if (*c.absent) {
            EXPECT_FALSE(Contains(calls, {c.absent}));
        }
        EXPECT_EQ(coil->GetForcedMark(), *c.forcedKey ? 1 : 0);
    }
}

TEST_F(CoilDrawingTest, HighlightedCoilIsLightOnBlack)
{
    CCoil* coil = Placed("-( )", "");
    const std::vector<std::string> calls = Draw(*coil, TRUE);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "SetBkColor(RGB(0,0,0))");
    EXPECT_EQ(calls[1], "SelectPen(0,1,RGB(250,250,250))");
    EXPECT_TRUE(Contains(calls, {"SelectPen(0,2,RGB(250,250,250))"}));
    EXPECT_TRUE(Contains(calls, {"SelectFont(Text,16,0)", "SetBkColor(RGB(0,0,0))", "SetTextColor(RGB(250,250,250))",
                                 "TextOut(234,41,\"????\")"}));
    EXPECT_TRUE(Contains(calls, {"SelectPen(0,3,RGB(250,250,250))", "MoveTo(300,40)", "LineTo(300,80)"}));
    EXPECT_EQ(coil->GetOperand(), "????");
}

TEST_F(CoilDrawingTest, LabelCoilsKeepTheProgramsLabelList)
{
    CCoil* label = Placed("-(LBL)", "  L1 ");
    CCoil* jump = Placed("-(JMP)", "L2");
    EXPECT_TRUE(m_names.LDLabelList.empty());
    label->NormaliseTree();
    jump->NormaliseTree();
    EXPECT_EQ(m_names.LDLabelList, std::vector<std::string> {"L1"}); // a jump defines no label
    EXPECT_EQ(label->GetOperand(), "L1");
    Draw(*label);
    EXPECT_EQ(m_names.LDLabelList, std::vector<std::string> {"L1"});

    CCoil* other = Placed("-(LBL)", "L3");
    Draw(*other); // the paint registers a label too
    EXPECT_EQ(m_names.LDLabelList, (std::vector<std::string> {"L1", "L3"}));
    m_roots.pop_back();
    other->DeleteTree(FALSE);
    EXPECT_EQ(m_names.LDLabelList, std::vector<std::string> {"L1"});
}

TEST_F(CoilDrawingTest, LiveStateShowsTheOutput)
{
    auto* outputs = new CZULStatus;
    outputs->value = 0x02; // Q0.1 on, Q0.0 off
    m_app->Project.Monitor.InsertMonitorEntry("%QB0", outputs);
    const struct {
        const char* type;
        const char* operand;
        const char* fill;
    } cases[] = {
        {"-( )", "%Q0.1", "RGB(0,0,255)"},
        {"-(S)", "Motor", "RGB(0,0,255)"},
        {"-( )", "%Q0.0", "RGB(255,255,255)"},
        {"-( )", "????", "RGB(255,255,255)"},
        {"-(/)", "%Q0.1", "RGB(0,0,255)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.operand);
        CCoil* coil = Placed(c.type, c.operand);
        coil->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
        m_dc.ClearCalls();
        coil->DrawMonitorState(0, 0, LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_dc);
        const std::string inner = coil->GetInnerText();
        const std::vector<std::string> expected = {
            std::string("FillSolidRect(246,55,254,75,") + c.fill + ")",
            "SelectFont(Text,16,0)",
            "TextOut(" + std::to_string(250 - 4 * int(inner.size())) + ",56,\"" + inner + "\")",
            "SelectFont(DejaVu Sans,-12,400)",
        };
        EXPECT_EQ(m_dc.Calls(), expected);
    }
}

TEST_F(CoilDrawingTest, OperandHitTestsAndEditPosition)
{
    CCoil* coil = Placed("-( )", "%Q0.1");
    coil->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
    const struct {
        int x;
        int y;
        BOOL hit;
    } cases[] = {
        {200, 40, TRUE}, {300, 58, TRUE}, {250, 59, FALSE}, {199, 45, FALSE}, {301, 45, FALSE}, {250, 39, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        std::string text = "kept";
        EXPECT_EQ(coil->HitTestOperandText(c.x, c.y, LD_CELL_WIDTH, LD_CELL_HEIGHT, &text), c.hit);
        EXPECT_EQ(text, "kept");
        CPoint point(c.x, c.y);
        coil->SetSelectedLabel(-1);
        EXPECT_EQ(coil->HitTestOperandLabel(&point, &text, LD_CELL_WIDTH, LD_CELL_HEIGHT, TRUE), c.hit);
        EXPECT_EQ(coil->GetSelectedLabel(), c.hit ? 1 : -1);
        EXPECT_EQ(text, c.hit ? "%Q0.1" : "kept");
        EXPECT_EQ(point, c.hit ? CPoint(200, 40) : CPoint(c.x, c.y));
    }
    m_app->SymbolicAddressing = 1;
    std::string text;
    CPoint point(250, 45);
    EXPECT_TRUE(coil->HitTestOperandLabel(&point, &text, LD_CELL_WIDTH, LD_CELL_HEIGHT, FALSE));
    EXPECT_EQ(text, "Motor");

    coil->SetSelectedLabel(-1);
    EXPECT_FALSE(coil->GetEditPosition(&point, LD_CELL_WIDTH, LD_CELL_HEIGHT)); // no input, link 1
    coil->SetLink(LD_LINK_PARALLEL);
    ASSERT_TRUE(coil->GetEditPosition(&point, LD_CELL_WIDTH, LD_CELL_HEIGHT));
    EXPECT_EQ(point, CPoint(205, 45));
    coil->SetSelectedLabel(1);
    EXPECT_FALSE(coil->GetEditPosition(&point, LD_CELL_WIDTH, LD_CELL_HEIGHT));

    CCoil* ret = Placed("-(RET)", "");
    ret->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
    ret->SetSelectedLabel(1);
    point = CPoint(250, 45);
    EXPECT_FALSE(ret->HitTestOperandText(250, 45, LD_CELL_WIDTH, LD_CELL_HEIGHT, &text));
    EXPECT_FALSE(ret->HitTestOperandLabel(&point, &text, LD_CELL_WIDTH, LD_CELL_HEIGHT, FALSE));
    EXPECT_EQ(ret->GetSelectedLabel(), -1);
    EXPECT_EQ(ret->GetExchangeText(), "-(RET)\x01????");
    EXPECT_EQ(coil->GetExchangeText(), "-( )\x01%Q0.1");
}

} // namespace

namespace {

class CoilFindTest : public CoilTest {
protected:
    // "-|/|-" Start into "-( )" %Q0.0 at (2,2), with "-(S)" %Q0.1 below it.
    CCoil* Network()
    {
        auto* contact = new CContact;
        contact->SetTypeText("-|/|-");
        contact->SetOperand("Start");
        contact->SetLink(LD_LINK_SERIES);
        CCoil* coil = Keep(Chain(MakeCoil("-( )", "%Q0.0", contact), {MakeCoil("-(S)", "%Q0.1")}));
        coil->SetLayoutRect(CLDCellRect(1, 2, 2, 5));
        coil->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
        return coil;
    }
};

TEST_F(CoilFindTest, ReportLinesOfInputCoilsAndChainAreReadBack)
{
    CCoil* coil = Network();
    auto* below = static_cast<CCoil*>(coil->GetChildB());
    coil->Find("(", LD_FIND_REPORT);
    coil->Find("q0.1", LD_FIND_REPORT);
    coil->Find("start", LD_FIND_REPORT);
    const std::vector<std::string> expected = {
        "    1. LD program \"MAIN\": (Network:4), Coil \"-( )\", Position(2,2) Size(1,1).",
        "    2. LD program \"MAIN\": (Network:4), Coil \"-(S)\", Position(2,3) Size(1,1).",
        "    3. LD program \"MAIN\": (Network:4), Parameter \"%Q0.1\" of coil \"-(S)\", Position(2,3) Size(1,1).",
        "    4. LD program \"MAIN\": (Network:4), Parameter \"Start\" of contact \"-|/|-\", Position(1,2), Size(1,1).",
    };
    ASSERT_EQ(Report(), expected);
    const FindReportElement type = ReadBack(expected[1]);
    EXPECT_EQ(type.kind, LD_KIND_COIL);
    EXPECT_EQ(type.column, 2);
    EXPECT_EQ(type.row, 3);
    const FindReportElement operand = ReadBack(expected[2]);
    EXPECT_EQ(operand.kind, LD_KIND_COIL);
    EXPECT_EQ(operand.paramText, "%Q0.1");
    EXPECT_EQ(operand.row, 3);

    const CFindResult& record = m_app->Find.Results[3];
    EXPECT_EQ(CLDElement::FromFindResult(record), below);
    EXPECT_EQ(record.ElementKind, LD_KIND_COIL);
    EXPECT_EQ(record.ElementText, "-(S)");
    EXPECT_EQ(record.LineText, "%Q0.1");
    EXPECT_EQ(record.Network, 4);
}

TEST_F(CoilFindTest, IgnoringCoilsStillSearchesTheirInput)
{
    CCoil* coil = Network();
    const struct {
        const char* text;
        int ignoreMask;
        int wholeWord;
        int hits;
    } cases[] = {
        {"%", 0, 0, 2},   {"%", 4, 0, 0}, {"t", 4, 0, 1},      {"-( )", 0, 1, 1},
        {"-(", 0, 1, 0},  {"T", 2, 0, 0}, {"%q0.0", 0, 1, 1}, {"-(S)", 4, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_app->Find.LdIgnoreMask = c.ignoreMask;
        m_app->Find.WholeWord = c.wholeWord;
        m_app->Find.ResultCount = 0;
        m_ui.output.Clear();
        coil->Find(c.text, LD_FIND_REPORT);
        EXPECT_EQ(m_app->Find.ResultCount, c.hits);
    }
    // An operand-less coil's operand is never a hit.
    CCoil* ret = Keep(MakeCoil("-(RET)", ""));
    m_app->Find.LdIgnoreMask = 0;
    m_app->Find.WholeWord = 0;
    m_app->Find.ResultCount = 0;
    ret->Find("??", LD_FIND_REPORT);
    EXPECT_EQ(m_app->Find.ResultCount, 0);
}

TEST_F(CoilFindTest, ReplaceAllReplacesTheSameBytesInAnyCase)
{
    const struct {
        const char* find;
        int matchCase;
        const char* result;
        int hits;
    } cases[] = {
        {"Q0", 1, "%M1.0", 2},
        {"q0", 0, "%M1.0", 2},
        {"q0", 1, "%Q0.0", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.find);
        CCoil* coil = Network();
        m_app->Find.MatchCase = c.matchCase;
        m_app->Find.ResultCount = 0;
        m_ui.output.Clear();
        coil->ReplaceAll(c.find, "M1");
        EXPECT_EQ(coil->GetOperand(), c.result);
        EXPECT_EQ(m_app->Find.ResultCount, c.hits);
    }
    const std::string line = "    1. LD program \"MAIN\": (Network:4), Parameter \"%Q0.0\" of coil \"-( )\", "
                             "Position(2,2) Size(1,1). \r \"q0\" is replaced as \"M1\".";
    m_app->Find.MatchCase = 0;
    m_app->Find.ResultCount = 0;
    m_ui.output.Clear();
    for (size_t i = 1; i < 3; ++i)
        m_app->Find.Results[i] = CFindResult();
    CCoil* coil = Network();
    coil->ReplaceAll("q0", "M1");
    ASSERT_EQ(Report().size(), 2u);
    EXPECT_EQ(Report()[0], line);
    EXPECT_EQ(ReadBack(line).paramText, "%Q0.0");
    EXPECT_EQ(m_app->Find.Results[1].Action, LD_FIND_ACTION_REPLACED);
    EXPECT_EQ(m_app->Find.Results[1].LineText, "%M1.0");
    EXPECT_TRUE(m_document.IsModified());
}

TEST_F(CoilFindTest, ReplaceOneChangesOnlyTheFirstCoilMet)
{
    CCoil* coil = Network();
    auto* below = static_cast<CCoil*>(coil->GetChildB());
    coil->ReplaceOne("%Q", "%M");
    EXPECT_EQ(coil->GetOperand(), "%M0.0");
    EXPECT_EQ(below->GetOperand(), "%Q0.1");
    EXPECT_EQ(coil->GetOperandFoundMark(), 1);
    EXPECT_EQ(below->GetOperandFoundMark(), 0);
    EXPECT_EQ(m_app->Find.ResultCount, 2);
    EXPECT_TRUE(Report().empty());
    EXPECT_FALSE(m_document.IsModified());
}

} // namespace
