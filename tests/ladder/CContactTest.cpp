// The contact: its IL line by type, link and parent, its record, operand
// upkeep and validation against the catalogue masks, its drawing while
// editing, monitoring and forced, its live state, hit tests and find and
// replace with report lines that the output window reads back.

#include "ElementFixture.h"
#include "ladder/CContact.h"
#include "model/CZULStatus.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

CContact* MakeContact(const std::string& type, const std::string& operand, int link = LD_LINK_SERIES)
{
    auto* contact = new CContact;
    contact->SetTypeText(type);
    contact->SetOperand(operand);
    contact->SetLink(link);
    return contact;
}

class ContactTest : public ElementFixture {
protected:
    void TearDown() override
    {
        for (CLDElement* root : m_roots)
            root->DeleteTree(FALSE);
        ElementFixture::TearDown();
    }

    // The tree is freed when the test ends.
    template <typename T>
    T* Keep(T* root)
    {
        root->AttachNames(&m_names);
        m_roots.push_back(root);
        return root;
    }

    std::vector<CLDElement*> m_roots;
};

TEST_F(ContactTest, ILLineByTypeLinkAndParent)
{
    enum Parent { UNDER_COIL, AFTER_CONTACT, IN_PARALLEL_NODE, IN_SERIES_NODE };
    const struct {
        const char* type;
        int link;
        Parent parent;
        const char* line;
    } cases[] = {
        {"-| |-", LD_LINK_SERIES, UNDER_COIL, "LD    %I0.0\r\n"},
        {"-|/|-", LD_LINK_SERIES, UNDER_COIL, "LDN    %I0.0\r\n"},
        {"-|/I|-", LD_LINK_SERIES, UNDER_COIL, "LDNI    %I0.0\r\n"},
        {"-|/I|-", LD_LINK_SERIES, AFTER_CONTACT, "ANDNI    %I0.0\r\n"},
        {"-|I|-", LD_LINK_SERIES, IN_PARALLEL_NODE, "LDI    %I0.0\r\n"},
        {"-|I|-", LD_LINK_SERIES, IN_SERIES_NODE, "ANDI    %I0.0\r\n"},
        {"-| |-", LD_LINK_PARALLEL, IN_PARALLEL_NODE, "OR    %I0.0\r\n"},
        {"-|/|-", LD_LINK_PARALLEL, IN_SERIES_NODE, "LDN    %I0.0\r\n"},
        {"-|/I|-", LD_LINK_PARALLEL, AFTER_CONTACT, "ORNI    %I0.0\r\n"},
        {"-|I|-", LD_LINK_PARALLEL, UNDER_COIL, "ORI    %I0.0\r\n"},
        {"-|NOT|-", LD_LINK_SERIES, AFTER_CONTACT, "NOT    \r\n"},
        {"-|NOT|-", LD_LINK_SERIES, UNDER_COIL, "NOT    \r\n"},
        {"-|P|-", LD_LINK_SERIES, AFTER_CONTACT, "AND    %I0.0\r\n"},
        {"-|P|-", LD_LINK_PARALLEL, AFTER_CONTACT, "OR    %I0.0\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " parent " + std::to_string(c.parent) + " link " + std::to_string(c.link));
        CContact* contact = MakeContact(c.type, "i0.0", c.link);
        switch (c.parent) {
        case UNDER_COIL:
            Keep(Coil(contact));
            break;
        case AFTER_CONTACT:
            Keep(Contact("X", c.link, contact));
            break;
        case IN_PARALLEL_NODE:
            Keep(Parallel(contact, nullptr));
            break;
        case IN_SERIES_NODE:
            Keep(Series(contact, nullptr));
            break;
        }
        EXPECT_EQ(contact->GetILText(), c.line);
    }
}

TEST_F(ContactTest, ILTextWritesAddressesAndFollowsTheSuccessorOfItsLink)
{
    CContact* third = MakeContact("-|/|-", "flag", LD_LINK_PARALLEL);
    CContact* second = MakeContact("-| |-", "Start", LD_LINK_PARALLEL);
    second->SetChildB(third);
    third->SetParent(second);
    CContact* hidden = MakeContact("-| |-", "%I9.9");
    second->SetChildA(hidden); // not the successor of a parallel contact
    hidden->SetParent(second);
    CContact* first = MakeContact("-| |-", "", LD_LINK_SERIES);
    first->SetChildA(second);
    second->SetParent(first);
    Keep(Coil(first));
    EXPECT_EQ(first->GetILText(), "LD    ????\r\n"
                                  "OR    %I0.1\r\n"
                                  "ORN    %L0.0\r\n");
    EXPECT_EQ(second->GetTransferText(), "-| |-\x01%I0.1");
    CContact* inverter = Keep(MakeContact("-|NOT|-", "%I0.0"));
    EXPECT_EQ(inverter->GetTransferText(), "-|NOT|-\x01");
    CContact* unknown = Keep(MakeContact("-| |-", "nowhere"));
    EXPECT_EQ(unknown->GetTransferText(), "-| |-\x01nowhere");
}

TEST_F(ContactTest, RecordKeepsMarksLinksOperandAndType)
{
    CContact* contact = Keep(MakeContact("-|/I|-", "%I0.3", LD_LINK_PARALLEL));
    contact->SetOperand("Start");
    m_app->Find.MarksShown = 1;
    ASSERT_EQ(contact->Find("/I", LD_FIND_MARK), 1);
    std::vector<CLDElement*> elements;
    std::vector<BYTE> types;
    contact->Flatten(&elements, &types);
    EXPECT_EQ(types, std::vector<BYTE> {LD_TYPE_CONTACT});

    CContact copy;
    CArchive ar(Store(*contact));
    copy.Serialize(ar);
    ASSERT_TRUE(ar.IsOK());
    EXPECT_EQ(copy.GetTypeText(), "-|/I|-");
    EXPECT_EQ(copy.GetOperand(), "Start");
    EXPECT_EQ(copy.GetLink(), LD_LINK_PARALLEL);
    EXPECT_EQ(copy.GetKind(), LD_KIND_CONTACT);
    EXPECT_EQ(copy.GetTypeFoundMark(), 1);
    EXPECT_EQ(copy.GetOperandFoundMark(), 0);
    EXPECT_EQ(copy.GetChildAIndex(), -1);
    EXPECT_EQ(Store(copy), Store(*contact));
}

TEST_F(ContactTest, OperandUpkeepFollowsTheAddressingMode)
{
    const struct {
        const char* entered;
        int symbolic;
        const char* stored;
        const char* normalised;
    } cases[] = {
        {"  i0.2 ", 0, "I0.2", "%I0.2"},
        {"", 0, "????", "????"},
        {"   ", 1, "????", "????"},
        {"i0.1", 1, "I0.1", "Start"},
        {"start", 0, "start", "%I0.1"},
        {"flag", 1, "flag", "flag"},
        {"flag", 0, "flag", "%L0.0"},
        {"nosuch", 0, "nosuch", "nosuch"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entered);
        m_app->SymbolicAddressing = c.symbolic;
        CContact* contact = Keep(MakeContact("-| |-", c.entered));
        EXPECT_EQ(contact->GetOperand(), c.stored);
        contact->NormaliseTree();
        EXPECT_EQ(contact->GetOperand(), c.normalised);
    }
}

TEST_F(ContactTest, OperandValidationAgainstTheCatalogueMask)
{
    const struct {
        const char* type;
        const char* operand;
        BOOL valid;
    } cases[] = {
        {"-| |-", "%I0.0", TRUE},
        {"-| |-", "Q0.7", TRUE},
        {"-| |-", "%T3", TRUE},
        {"-| |-", "Start", TRUE},
        {"-| |-", "flag", TRUE},
        {"-| |-", "COUNT", FALSE},
        {"-| |-", "%IB0", FALSE},
        {"-| |-", "%VW10", FALSE},
        {"-| |-", "nosuch", FALSE},
        {"-| |-", "", TRUE},
        {"-| |-", "????", TRUE},
        {"-|/|-", "%M1.0", TRUE},
        {"-|I|-", "%I0.0", TRUE},
        {"-|I|-", "%Q0.0", FALSE},
        {"-|I|-", "Motor", FALSE},
        {"-|/I|-", "Start", TRUE},
        {"-|P|-", "%I0.0", FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.operand);
        CContact* contact = Keep(MakeContact(c.type, "????"));
        EXPECT_EQ(contact->IsOperandValidForMask(contact->GetOperandPinMask(), c.operand), c.valid);
    }
    CContact outside;
    outside.SetTypeText("-| |-");
    EXPECT_FALSE(outside.IsOperandValidForMask(outside.GetOperandPinMask(), "%I0.0")); // no POU at hand
    EXPECT_TRUE(outside.IsOperandValidForMask(outside.GetOperandPinMask(), "????"));
}

} // namespace

namespace {

class ContactDrawingTest : public ContactTest {
protected:
    CContact* Placed(const std::string& type, const std::string& operand)
    {
        CContact* contact = Keep(MakeContact(type, operand));
        contact->SetLayoutRect(CLDCellRect(1, 2, 0, 3));
        return contact;
    }
};

TEST_F(ContactDrawingTest, EditingDrawsRungBarsInnerTextAndOperand)
{
    CContact* contact = Placed("-|/|-", "i0.1");
    const std::vector<std::string> expected = {
        "SelectPen(0,1,RGB(0,0,0))",
        "MoveTo(100,105)",
        "LineTo(140,105)",
        "MoveTo(160,105)",
        "LineTo(200,105)",
        "SelectFont(Text,16,0)",
        "TextOut(146,96,\"/\")",
        "SelectFont(DejaVu Sans,-12,400)",
        "SelectPen(0,2,RGB(0,0,0))",
        "MoveTo(140,97)",
        "LineTo(140,112)",
        "MoveTo(160,97)",
        "LineTo(160,112)",
        "SelectPen(0,0,RGB(0,0,0))",
        "SetBkMode(OPAQUE)",
        "SelectFont(Text,16,0)",
        "TextOut(130,78,\"%I0.1\")",
        "SelectFont(DejaVu Sans,-12,400)",
        "SetBkMode(OPAQUE)",
        "SetTextColor(RGB(0,0,0))",
        "SetBkColor(RGB(255,255,255))",
    };
    EXPECT_EQ(Draw(*contact), expected);
    EXPECT_EQ(contact->GetOperand(), "%I0.1");
    EXPECT_EQ(m_size, CSize(1, 1));
    EXPECT_EQ(m_cells.at(CLDElement::PositionKey(1, 2)), contact);
    EXPECT_TRUE(m_force.asked.empty()); // the force table is asked only while monitoring
}

TEST_F(ContactDrawingTest, OperandColourAndMarksByState)
{
    const std::vector<std::string> padlock = {
        "FillSolidRect(162,98,169,104,RGB(0,0,0))", "FillSolidRect(163,99,168,103,RGB(255,255,0))",
        "SelectPen(0,1,RGB(0,0,0))",                "MoveTo(163,98)",
        "LineTo(163,96)",                           "MoveTo(167,98)",
        "LineTo(167,96)",                           "Arc(163,94,167,98,167,96,163,97)",
        "MoveTo(165,96)",                           "LineTo(165,97)",
    };
    const struct {
        const char* state;
        const char* type;
        const char* operand;
        int monitoring;
        const char* forcedKey;
        std::function<void(CContact&)> prepare;
        std::vector<std::string> run; // calls that follow one another
        const char* absent;           // a call that must not be made
    } cases[] = {
        {"invalid operand in red", "-|I|-", "%Q0.0", 0, "", nullptr,
         {"SetTextColor(RGB(255,0,0))", "SelectFont(Text,16,0)", "TextOut(130,78,\"%Q0.0\")"}, "SetTextColor(RGB(0,0,255))"},
        {"missing operand in red", "-| |-", "", 0, "", nullptr,
         {"SetTextColor(RGB(255,0,0))", "SelectFont(Text,16,0)", "TextOut(134,78,\"????\")"}, ""},
        {"inverter shows no operand", "-|NOT|-", "", 0, "", nullptr, {"TextOut(138,96,\"NOT\")"}, "TextOut(134,78,\"????\")"},
        {"long operand cut", "-| |-", "ABCDEFGHIJKLMNOPQRS", 0, "", nullptr,
         {"SetTextColor(RGB(255,0,0))", "SelectFont(Text,16,0)", "TextOut(86,78,\"ABCDEFGHIJKLMN..\")"}, ""},
        {"monitored operand in blue", "-| |-", "Start", 1, "", nullptr,
         {"SetTextColor(RGB(0,0,255))", "SelectFont(Text,16,0)", "TextOut(130,78,\"%I0.1\")"}, "FillSolidRect(162,98,169,104,RGB(0,0,0))"},
        {"forced by address", "-| |-", "%I0.1", 1, "%I0.1", nullptr, padlock, ""},
        {"forced through its symbol", "-| |-", "Start", 1, "%I0.1", nullptr, padlock, ""},
        {"operand hit framed", "-| |-", "%I0.1", 0, "",
         [](CContact& contact) { contact.Find("I0", LD_FIND_MARK); },
         {"SelectPen(0,2,RGB(0,0,255))", "SelectBrush(null)", "Rectangle(110,78,190,95)"}, "Rectangle(130,98,170,113)"},
        {"type hit framed", "-|/|-", "%I0.1", 0, "",
         [](CContact& contact) { contact.Find("|/|", LD_FIND_MARK); },
         {"SelectPen(0,2,RGB(0,0,255))", "SelectBrush(null)", "Rectangle(130,98,170,113)"}, "Rectangle(110,78,190,95)"},
        {"label being edited is not drawn", "-| |-", "%I0.1", 0, "",
         [](CContact& contact) { contact.SetSelectedLabel(1); }, {"SelectPen(0,0,RGB(0,0,0))"}, "TextOut(130,78,\"%I0.1\")"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        m_app->Monitoring = c.monitoring;
        m_force.forced.clear();
        if (*c.forcedKey)
            m_force.forced.insert(c.forcedKey);
        CContact* contact = Placed(c.type, c.operand);
        if (c.prepare)
            c.prepare(*contact);
        const std::vector<std::string> calls = Draw(*contact);
        EXPECT_TRUE(Contains(calls, c.run)) << ::testing::PrintToString(calls);
        if (*c.absent) {
            EXPECT_FALSE(Contains(calls, {c.absent}));
        }
        EXPECT_EQ(contact->GetForcedMark(), *c.forcedKey ? 1 : 0);
    }
}

TEST_F(ContactDrawingTest, DrawingKeepsTheWholeOperand)
{
    // The operand is only shown cut; the stored one stays whole, also while
    // the in-place editor works on it.
    CContact* contact = Placed("-| |-", "ABCDEFGHIJKLMNOPQRS");
    Draw(*contact);
    EXPECT_EQ(contact->GetOperand(), "ABCDEFGHIJKLMNOPQRS");
    contact->SetSelectedLabel(1);
    Draw(*contact);
    EXPECT_EQ(contact->GetOperand(), "ABCDEFGHIJKLMNOPQRS");
}

TEST_F(ContactDrawingTest, HighlightAndForcedMarkOutsideMonitoring)
{
    CContact* contact = Placed("-| |-", "%I0.1");
    const std::vector<std::string> calls = Draw(*contact, TRUE);
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "SetBkColor(RGB(0,0,0))");
    EXPECT_EQ(calls[1], "SelectPen(0,1,RGB(250,250,250))");
    EXPECT_TRUE(Contains(calls, {"SelectPen(0,2,RGB(250,250,250))"}));

    // The forced mark keeps its value after monitoring, but only monitoring shows the padlock.
    m_app->Monitoring = 1;
    m_force.forced.insert("%I0.1");
    Draw(*contact);
    m_app->Monitoring = 0;
    m_force.forced.clear();
    EXPECT_FALSE(Contains(Draw(*contact), {"FillSolidRect(162,98,169,104,RGB(0,0,0))"}));
    EXPECT_EQ(contact->GetForcedMark(), 1);
}

TEST_F(ContactDrawingTest, ParallelSuccessorIsPlacedBelowAndJoined)
{
    const struct {
        int lowerCells;
        std::vector<std::string> lines;
        CSize size;
    } cases[] = {
        {1, {"MoveTo(100,105)", "LineTo(100,145)", "MoveTo(200,105)", "LineTo(200,145)"}, CSize(1, 2)},
        {3, {"MoveTo(100,105)", "LineTo(100,145)", "MoveTo(200,105)", "LineTo(400,105)", "LineTo(400,145)"},
         CSize(3, 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lowerCells);
        CContact* upper = Placed("-| |-", "%I0.1");
        upper->SetLink(LD_LINK_PARALLEL);
        CLDElement* lower = nullptr;
        for (int i = c.lowerCells; i > 0; --i)
            lower = Contact("X" + std::to_string(i), LD_LINK_SERIES, lower);
        upper->SetChildB(lower);
        const std::vector<std::string> calls = Draw(*upper);
        std::vector<std::string> run = {"SelectPen(0,1,RGB(0,0,0))"};
        run.insert(run.end(), c.lines.begin(), c.lines.end());
        run.push_back("SelectPen(0,0,RGB(0,0,0))");
        EXPECT_TRUE(Contains(calls, run)) << ::testing::PrintToString(calls);
        EXPECT_EQ(m_size, c.size);
        EXPECT_EQ(m_cells.at(CLDElement::PositionKey(1, 3)), lower);
        EXPECT_EQ(upper->GetSize(FALSE), c.size);
    }
}

TEST_F(ContactDrawingTest, LiveStateShowsPowerFlowThroughTheContact)
{
    auto* inputs = new CZULStatus;
    inputs->value = 0x02; // I0.1 on, I0.2 off
    m_app->Project.Monitor.InsertMonitorEntry("%IB0", inputs);
    const struct {
        const char* type;
        const char* operand;
        bool closed;
    } cases[] = {
        {"-| |-", "%I0.1", true},   {"-|I|-", "Start", true},  {"-|/|-", "%I0.1", false},
        {"-|/I|-", "%I0.1", false}, {"-| |-", "%I0.2", false}, {"-|/|-", "%I0.2", true},
        {"-|/I|-", "%I0.2", true},  {"-| |-", "%M5.0", false}, {"-|/|-", "%M5.0", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.operand);
        CContact* contact = Placed(c.type, c.operand);
        contact->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
        m_dc.ClearCalls();
        contact->DrawMonitorState(0, 0, LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_dc);
        const std::string inner = contact->GetInnerText();
        const std::vector<std::string> expected = {
            std::string("FillSolidRect(146,95,154,115,") + (c.closed ? "RGB(0,0,255))" : "RGB(255,255,255))"),
            "SelectFont(Text,16,0)",
            "TextOut(" + std::to_string(150 - 4 * int(inner.size())) + ",96,\"" + inner + "\")",
            "SelectFont(DejaVu Sans,-12,400)",
        };
        EXPECT_EQ(m_dc.Calls(), expected);
    }
}

TEST_F(ContactDrawingTest, TimerContactShowsItsStatusBitNotItsValue)
{
    const struct {
        int value;
        int statusBit;
        const char* fill;
    } cases[] = {
        {1, 0, "RGB(255,255,255)"},
        {0, 1, "RGB(0,0,255)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        m_app->Project.Monitor.ClearMonitorTable();
        auto* timer = new CZULStatus;
        timer->value = c.value;
        timer->statusBit = c.statusBit;
        m_app->Project.Monitor.InsertMonitorEntry("%T3", timer);
        CContact* contact = Placed("-| |-", "%T3");
        contact->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
        m_dc.ClearCalls();
        contact->DrawMonitorState(0, 0, LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_dc);
        ASSERT_FALSE(m_dc.Calls().empty());
        EXPECT_EQ(m_dc.Calls()[0], std::string("FillSolidRect(146,95,154,115,") + c.fill + ")");
    }
}

TEST_F(ContactDrawingTest, OperandHitTests)
{
    CContact* contact = Placed("-| |-", "%I0.1");
    contact->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
    const struct {
        int x;
        int y;
        BOOL text;
        BOOL label;
    } cases[] = {
        {100, 80, TRUE, TRUE},  {200, 95, TRUE, TRUE},   {150, 98, TRUE, FALSE},
        {150, 99, FALSE, FALSE}, {99, 85, FALSE, FALSE}, {201, 85, FALSE, FALSE},
        {150, 79, FALSE, FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        std::string text;
        EXPECT_EQ(contact->HitTestOperandText(c.x, c.y, LD_CELL_WIDTH, LD_CELL_HEIGHT, &text), c.text);
        EXPECT_EQ(text, "%I0.1");
        CPoint point(c.x, c.y);
        contact->SetSelectedLabel(-1);
        EXPECT_EQ(contact->HitTestOperandLabel(&point, &text, LD_CELL_WIDTH, LD_CELL_HEIGHT, TRUE), c.label);
        EXPECT_EQ(contact->GetSelectedLabel(), c.label ? 1 : -1);
        EXPECT_EQ(point, c.label ? CPoint(100, 80) : CPoint(c.x, c.y));
    }

    std::string text = "kept";
    CPoint point(150, 85);
    m_app->SymbolicAddressing = 1;
    EXPECT_TRUE(contact->HitTestOperandLabel(&point, &text, LD_CELL_WIDTH, LD_CELL_HEIGHT, FALSE));
    EXPECT_EQ(text, "Start"); // the symbol's name while symbolic addressing is on
    contact->SetSelectedLabel(1);
    EXPECT_FALSE(contact->GetEditPosition(&point, LD_CELL_WIDTH, LD_CELL_HEIGHT)); // the label is selected
    contact->SetSelectedLabel(-1);
    ASSERT_TRUE(contact->GetEditPosition(&point, LD_CELL_WIDTH, LD_CELL_HEIGHT));
    EXPECT_EQ(point, CPoint(105, 82));

    CContact* inverter = Placed("-|NOT|-", "");
    inverter->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
    text = "kept";
    EXPECT_FALSE(inverter->HitTestOperandText(150, 85, LD_CELL_WIDTH, LD_CELL_HEIGHT, &text));
    EXPECT_EQ(text, "kept");
    inverter->SetSelectedLabel(1);
    EXPECT_FALSE(inverter->HitTestOperandLabel(&point, &text, LD_CELL_WIDTH, LD_CELL_HEIGHT, FALSE));
    EXPECT_EQ(inverter->GetSelectedLabel(), -1);
}

} // namespace

namespace {

class ContactFindTest : public ContactTest {
protected:
    // Two contacts in series at (1,2) and (2,2): "-|/|-" Start, "-| |-" %Q0.1.
    CContact* Chain()
    {
        CContact* first = Keep(MakeContact("-|/|-", "Start"));
        CContact* second = MakeContact("-| |-", "%Q0.1");
        first->SetChildA(second);
        first->SetLayoutRect(CLDCellRect(1, 2, 0, 9));
        first->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
        return first;
    }
};

TEST_F(ContactFindTest, ReportLinesNameTypeAndOperandAndAreReadBack)
{
    CContact* first = Chain();
    auto* second = static_cast<CContact*>(first->GetChildA());
    first->Find("|", LD_FIND_REPORT);
    // Only the first hit of a current-file search is marked.
    EXPECT_EQ(first->GetTypeFoundMark(), 1);
    EXPECT_EQ(second->GetTypeFoundMark(), 0);
    first->Find("T", LD_FIND_REPORT);
    const std::vector<std::string> expected = {
        "    1. LD program \"MAIN\": (Network:4), Contact \"-|/|-\", Position(1,2), Size(1,1).",
        "    2. LD program \"MAIN\": (Network:4), Contact \"-| |-\", Position(2,2), Size(1,1).",
        "    3. LD program \"MAIN\": (Network:4), Parameter \"Start\" of contact \"-|/|-\", Position(1,2), Size(1,1).",
    };
    ASSERT_EQ(Report(), expected);
    EXPECT_EQ(m_app->Find.ResultCount, 3);

    const FindReportElement type = ReadBack(expected[1]);
    EXPECT_EQ(type.kind, LD_KIND_CONTACT);
    EXPECT_EQ(type.column, 2);
    EXPECT_EQ(type.row, 2);
    const FindReportElement operand = ReadBack(expected[2]);
    EXPECT_EQ(operand.kind, LD_KIND_CONTACT);
    EXPECT_EQ(operand.paramText, "Start");
    EXPECT_EQ(operand.column, 1);

    const CFindResult& typeRecord = m_app->Find.Results[2];
    EXPECT_EQ(CLDElement::FromFindResult(typeRecord), second);
    EXPECT_EQ(typeRecord.Action, LD_FIND_ACTION_FOUND);
    EXPECT_EQ(typeRecord.Network, 4);
    EXPECT_EQ(typeRecord.ElementKind, LD_KIND_CONTACT);
    EXPECT_EQ(typeRecord.ElementText, "-| |-");
    EXPECT_EQ(typeRecord.LineText, "");
    EXPECT_EQ(m_app->Find.Results[3].LineText, "Start");
    EXPECT_EQ(m_app->Find.Results[3].RowOrColumn, 1);
    EXPECT_EQ(first->GetTypeFoundMark(), 0); // the second pass cleared the mark of the first
    EXPECT_EQ(first->GetOperandFoundMark(), 0);
}

TEST_F(ContactFindTest, OptionsDecideWhatMatches)
{
    const struct {
        const char* text;
        int matchCase;
        int wholeWord;
        int ignoreMask;
        int hits;
    } cases[] = {
        {"start", 0, 0, 0, 1},   {"start", 1, 0, 0, 0}, {"Start", 1, 1, 0, 1}, {"star", 0, 1, 0, 0},
        {"start", 0, 1, 0, 1},   {"q0.1", 0, 0, 0, 1},  {"-| |-", 0, 1, 0, 1}, {"|-", 0, 0, 0, 2},
        {"start", 0, 0, 2, 0},   {"start", 0, 0, 5, 1}, {"%", 0, 0, 0, 1},
    };
    CContact* first = Chain();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        m_app->Find.MatchCase = c.matchCase;
        m_app->Find.WholeWord = c.wholeWord;
        m_app->Find.LdIgnoreMask = c.ignoreMask;
        m_app->Find.ResultCount = 0;
        m_ui.output.Clear();
        EXPECT_EQ(first->Find(c.text, LD_FIND_REPORT), c.hits);
        EXPECT_EQ(m_app->Find.ResultCount, c.hits);
        EXPECT_EQ(Report().size(), size_t(c.hits));
    }
}

TEST_F(ContactFindTest, MarkAndClearModes)
{
    CContact* first = Chain();
    auto* second = static_cast<CContact*>(first->GetChildA());
    first->Find("-|", LD_FIND_MARK);
    EXPECT_EQ(first->GetTypeFoundMark(), 1);
    EXPECT_EQ(second->GetTypeFoundMark(), 1);
    EXPECT_EQ(m_app->Find.MarkCounter, 2);
    EXPECT_EQ(m_app->Find.ResultCount, 0);
    first->Find("-|", LD_FIND_CLEAR);
    EXPECT_EQ(first->GetTypeFoundMark(), 0);
    EXPECT_EQ(second->GetTypeFoundMark(), 0);
    EXPECT_TRUE(Report().empty());
}

TEST_F(ContactFindTest, ReplaceAllChangesOperandsReportsAndMarksTheProject)
{
    CContact* first = Chain();
    auto* second = static_cast<CContact*>(first->GetChildA());
    second->SetOperand("%Q0.1");
    EXPECT_EQ(first->ReplaceAll("q0", "M7"), 1);
    EXPECT_EQ(second->GetOperand(), "%M7.1");
    EXPECT_EQ(first->GetOperand(), "Start");
    const std::string line = "    1. LD program \"MAIN\": (Network:4), Parameter \"%Q0.1\" of contact \"-| |-\", "
                             "Position(2,2), Size(1,1).\r \"q0\" is replaced as \"M7\".";
    ASSERT_EQ(Report(), std::vector<std::string> {line});
    EXPECT_EQ(ReadBack(line).paramText, "%Q0.1");
    EXPECT_TRUE(m_document.IsModified());
    EXPECT_EQ(m_app->Find.Results[1].Action, LD_FIND_ACTION_REPLACED);
    EXPECT_EQ(m_app->Find.Results[1].LineText, "%Q0.1");
    EXPECT_EQ(second->GetOperandFoundMark(), 0); // marks only with the marks flag
}

TEST_F(ContactFindTest, WholeWordReplaceFindsMixedCaseOperands)
{
    // Find reports the symbol "Start" for a whole-word "start"; Replace All replaces it too.
    CContact* first = Chain();
    m_app->Find.WholeWord = 1;
    m_app->Find.MarksShown = 1;
    first->Find("start", LD_FIND_REPORT);
    ASSERT_EQ(m_app->Find.ResultCount, 1);
    m_app->Find.ResultCount = 0;
    first->ReplaceAll("start", "Motor");
    EXPECT_EQ(first->GetOperand(), "Motor");
    EXPECT_EQ(first->GetOperandFoundMark(), 1);
    EXPECT_EQ(m_app->Find.ResultCount, 1);
}

TEST_F(ContactFindTest, ReplaceOneChangesOnlyTheFirstMatchAndNumbersAll)
{
    CContact* first = Chain();
    auto* second = static_cast<CContact*>(first->GetChildA());
    first->SetOperand("%I0.1");
    second->SetOperand("%I0.2");
    first->ReplaceOne("i0", "M3");
    EXPECT_EQ(first->GetOperand(), "%M3.1");
    EXPECT_EQ(second->GetOperand(), "%I0.2");
    EXPECT_EQ(first->GetOperandFoundMark(), 1);
    EXPECT_EQ(second->GetOperandFoundMark(), 0);
    EXPECT_EQ(m_app->Find.ResultCount, 2);
    EXPECT_EQ(m_app->Find.Results[1].LineText, "%M3.1");
    EXPECT_EQ(m_app->Find.Results[2].LineText, "%I0.2");
    EXPECT_TRUE(Report().empty());
    EXPECT_FALSE(m_document.IsModified());
}

} // namespace
