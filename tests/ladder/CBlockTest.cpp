// Boxes of every catalogue group in trees built in code: the IL each form
// writes, label indices and Tab order, size, records read back, FB instance
// bookkeeping across POUs, drawing and find reports.

#include "ElementFixture.h"
#include "../pouedit/ILProgramFixture.h"
#include "ladder/CBlock.h"
#include "ladder/CBlockILWriter.h"
#include "ladder/CCoil.h"
#include "ladder/CContact.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "model/CFindResult.h"
#include "model/CZULFB.h"
#include "model/CZULStatus.h"
#include "model/CZULFunc.h"
#include "platform/CArchive.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Operands {
    std::vector<std::string> inputs;  // inputs 1 onward
    std::vector<std::string> outputs; // outputs 1 onward
};

void FillOperands(CZULFBParaArray& params, const std::vector<std::string>& operands)
{
    for (size_t i = 0; i < operands.size(); ++i) {
        CZULFBPara* para = params.GetAt(int(i) + 1);
        ASSERT_NE(para, nullptr) << "operand " << i + 1 << " has no parameter";
        para->typeText = operands[i];
    }
}

} // namespace

class CBlockTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        m_names.POUName = "MAIN";
    }

    // A box of a catalogue function or FB type with its operands; FB types get the instance.
    std::unique_ptr<CBlock> Box(const std::string& name, const Operands& operands, const std::string& instance = "")
    {
        auto block = std::make_unique<CBlock>();
        auto function = std::make_unique<CZULFunc>();
        if (m_app->LookupFunction(name, *function)) {
            FillOperands(function->inputs, operands.inputs);
            FillOperands(function->outputs, operands.outputs);
            block->SetFunction(std::move(function));
        } else {
            auto fb = std::make_unique<CZULFB>();
            EXPECT_TRUE(m_app->LookupFunctionBlock(name, *fb)) << name;
            fb->instanceName = instance;
            FillOperands(fb->inputs, operands.inputs);
            FillOperands(fb->outputs, operands.outputs);
            block->SetFB(std::move(fb));
        }
        block->AttachNames(&m_names);
        return block;
    }

    // A subroutine with EN and IN1.., ENO and OUT1..
    void AddSubroutine(const std::string& name, int number, int inputs, int outputs)
    {
        auto function = std::make_unique<CZULFunc>();
        function->name = name;
        function->number = number;
        for (int i = 0; i < inputs; ++i) {
            auto* para = new CZULFBPara;
            para->SetNameAndFlags(i == 0 ? "EN" : "IN" + std::to_string(i), i == 0 ? OT_EN_PARAM : 0x80A010);
            function->AddInput(para);
        }
        for (int j = 0; j < outputs; ++j) {
            auto* para = new CZULFBPara;
            para->SetNameAndFlags(j == 0 ? "ENO" : "OUT" + std::to_string(j), j == 0 ? OT_ENO_PARAM : 0x81C010);
            function->AddOutput(para);
        }
        Project().POUs.RegisterSubroutineInterface(function.release());
    }

    std::unique_ptr<CBlock> SubroutineBox(const std::string& name, const Operands& operands)
    {
        auto function = std::make_unique<CZULFunc>();
        EXPECT_TRUE(Project().POUs.CopySubroutineInterface(name, function.get()));
        FillOperands(function->inputs, operands.inputs);
        FillOperands(function->outputs, operands.outputs);
        auto block = std::make_unique<CBlock>();
        block->SetFunction(std::move(function));
        block->AttachNames(&m_names);
        return block;
    }
};

TEST_F(CBlockTest, WritesTheFormOfItsCatalogueGroup)
{
    AddSymbol("Speed", "%VD40"); // typed DINT below
    CZULSymbol* speed = nullptr;
    ASSERT_TRUE(m_app->FindGlobalSymbol("Speed", speed));
    speed->typeFlags = OT_DINT;
    AddSymbol("Ratio", "%VD44");
    CZULSymbol* ratio = nullptr;
    ASSERT_TRUE(m_app->FindGlobalSymbol("Ratio", ratio));
    ratio->typeFlags = OT_REAL;
    struct Case {
        const char* name;
        Operands operands;
        const char* instance;
        const char* il;
    };
    const Case cases[] = {
        // call form
        {"MOVE", {{"%VW0"}, {"%VW2"}}, "", "MOVE    %VW0, %VW2\r\n"},
        {"GT", {{"%VW0", "%VW2"}, {}}, "", "GT    %VW0, %VW2\r\n"},
        {"READ_RTC", {{}, {"%VB10"}}, "", "READ_RTC    %VB10\r\n"},
        {"R_TRIG", {{}, {}}, "", "R_TRIG\r\n"},
        {"RS", {{"%M0.1"}, {}}, "RS1", "RS   RS1   %M0.1\r\n"},
        // reordered form
        {"BLKMOVE", {{"%VW0", "4"}, {"%VW100"}}, "", "BLKMOVE  %VW0, %VW100, 4\r\n"},
        // shift form
        {"SHL", {{"%VW0", "3"}, {"%VW2"}}, "", "MOVE   %VW0, %VW2\r\nSHL  %VW2, 3\r\n"},
        {"SHL", {{"%VW2", "3"}, {"%VW2"}}, "", "SHL  %VW2, 3\r\n"},
        // arithmetic form: in place, result over IN2, all different
        {"ADD", {{"%VW0", "%VW2"}, {"%VW0"}}, "", "ADD    %VW2, %VW0\r\n"},
        {"ADD", {{"%VW0", "%VW2"}, {"%VW2"}}, "", "ADD    %VW0, %VW2\r\n"},
        {"ADD", {{"%VW0", "%VW2"}, {"%VW4"}}, "", "MOVE    %VW0, %VW4\r\nADD    %VW2, %VW4\r\n"},
        {"INC", {{"%VW0"}, {"%VW4"}}, "", "MOVE    %VW0, %VW4\r\nINC    %VW4\r\n"},
        {"SUB", {{"%VW0", "%VW2"}, {"%VW2"}}, "", "NOT    %VW2\r\nINC    %VW2\r\nADD    %VW0, %VW2\r\n"},
        {"SUB", {{"%VD0", "Ratio"}, {"Ratio"}}, "", "MUL     -1.0, Ratio\r\nADD    %VD0, Ratio\r\n"},
        // a double word of a DINT symbol or of no declared type is negated as an integer
        {"SUB", {{"%VD0", "Speed"}, {"Speed"}}, "", "NOT    Speed\r\nINC    Speed\r\nADD    %VD0, Speed\r\n"},
        {"SUB", {{"%VD0", "%LD8"}, {"%LD8"}}, "", "NOT    %LD8\r\nINC    %LD8\r\nADD    %VD0, %LD8\r\n"},
        // DIV and MOD over their second input keep all three operands
        {"DIV", {{"%VW0", "%VW2"}, {"%VW2"}}, "", "DIV    %VW0, %VW2, %VW2\r\n"},
        {"MOD", {{"%VW0", "%VW2"}, {"%VW2"}}, "", "MOD    %VW0, %VW2, %VW2\r\n"},
        // counter/timer form
        {"TON", {{"%VW2930"}, {"%VW2926"}}, "T19",
         "TON   T19, %VW2930\r\n__CR_EQ_1\r\nMOVE    T19, %VW2926\r\n__CR_RESTORE\r\n"},
        {"TON", {{"%VW2930"}, {""}}, "T19", "TON   T19, %VW2930\r\n"},
        {"CTUD", {{"%I0.1", "%I0.2", "%I0.3", "10"}, {"%M0.2", "%VW8"}}, "C3",
         "CTUD   C3, %I0.1, %I0.2, %I0.3, 10, %M0.2\r\n__CR_EQ_1\r\nMOVE    C3, %VW8\r\n__CR_RESTORE\r\n"},
        // interrupt form: a routine's name and its alias trade places
        {"ATCH", {{"Alarm", "10"}, {}}, "", "ATCH    INT03, 10\r\n"},
        {"ATCH", {{"INT03", "10"}, {}}, "", "ATCH    ALARM, 10\r\n"},
        {"DTCH", {{"10"}, {}}, "", "DTCH    10\r\n"},
    };
    auto* alarm = new CProjTreeNode;
    alarm->name = "ALARM";
    alarm->number = 3;
    Project().POUs.AddInterruptNode(alarm);
    for (const Case& c : cases) {
        auto block = Box(c.name, c.operands, c.instance);
        EXPECT_EQ(CBlockILWriter().WriteBlock(*block), c.il) << c.name;
    }
}

TEST_F(CBlockTest, SubroutineCallsUseTheAliasAndFallBackWhenDeleted)
{
    AddSubroutine("Scale", 5, 3, 2);
    AddSubroutine("Outs", 6, 1, 3);
    auto call = SubroutineBox("Scale", {{"%VW0", "5"}, {"%VW2"}});
    EXPECT_EQ(CBlockILWriter().WriteBlock(*call), "CAL    SBR05    %VW0, 5, %VW2\r\n");
    auto outs = SubroutineBox("Outs", {{}, {"%VW4", "%VW6"}});
    EXPECT_EQ(CBlockILWriter().WriteBlock(*outs), "CAL    SBR06    %VW4, %VW6\r\n");
    Project().POUs.RemoveSubroutine("Scale");
    Project().POUs.RemoveSubroutine("Outs");
    EXPECT_EQ(CBlockILWriter().WriteBlock(*call), "CAL  Scale\r\n");
}

TEST_F(CBlockTest, RungTextOpensWithLoadTrueOnlyUnderTheCoil)
{
    auto* add = Box("ADD", {{"%VW0", "%VW2"}, {"%VW4"}}).release();
    auto* move = Box("MOVE", {{"%VW10"}, {"%VW12"}}).release();
    move->SetChildA(add);
    add->SetParent(move);
    CCoil coil;
    coil.SetTypeText("-( )");
    coil.SetChildA(move);
    move->SetParent(&coil);
    EXPECT_EQ(move->GetILText(), "LD TRUE\r\nMOVE    %VW10, %VW12\r\nMOVE    %VW0, %VW4\r\nADD    %VW2, %VW4\r\n");

    CContact contact;
    contact.SetTypeText("-| |-");
    contact.SetOperand("%I0.0");
    coil.SetChildA(&contact);
    contact.SetChildA(move);
    move->SetParent(&contact);
    EXPECT_EQ(move->GetILText().rfind("MOVE", 0), 0u);
    contact.SetChildA(nullptr);
    coil.SetChildA(nullptr);
    move->DeleteTree(FALSE);
}

TEST_F(CBlockTest, HeightFollowsTheLargerPinColumnAndSeriesBoxesKeepAWiringCell)
{
    const struct {
        const char* name;
        int height;
    } cases[] = {{"MOVE", 2}, {"ADD", 2}, {"CTUD", 3}, {"PID", 7}};
    for (const auto& c : cases) {
        auto block = Box(c.name, {}, "T1");
        EXPECT_EQ(block->GetSize(FALSE), CSize(2, c.height)) << c.name;
    }
    auto first = Box("MOVE", {{"%VW0"}, {"%VW2"}});
    auto* second = Box("ADD", {{"%VW2", "1"}, {"%VW2"}}).release();
    first->SetChildA(second);
    second->SetParent(first.get());
    EXPECT_EQ(first->GetSize(FALSE), CSize(5, 2));
    EXPECT_EQ(first->GetSize(TRUE), CSize(4, 2));
    first->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_cells, 0, 0);
    EXPECT_EQ(second->GetPosition().column, 3);
    EXPECT_EQ(m_cells.at(CLDElement::PositionKey(1, 1)), first.get());
    EXPECT_EQ(m_cells.at(CLDElement::PositionKey(4, 1)), second);
    EXPECT_EQ(m_cells.count(CLDElement::PositionKey(2, 0)), 0u);
}

TEST_F(CBlockTest, TabWalksTheLabelsInOrderAndStopsAtTheLast)
{
    const struct {
        const char* name;
        const char* instance;
        std::vector<int> labels; // the labels Tab reaches from no selection
    } cases[] = {
        {"GT", "", {1, 2}},
        {"ADD", "", {1, 2, 4}},
        {"TON", "T19", {0, 1, 3}},
        {"R_TRIG", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto block = Box(c.name, {}, c.instance);
        block->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
        CPoint point;
        for (const int label : c.labels) {
            ASSERT_TRUE(block->GetEditPosition(&point, LD_CELL_WIDTH, LD_CELL_HEIGHT)) << "before label " << label;
            CPoint expected = block->GetLabelAnchor(label);
            if (label > 0) {
                expected.x += label < block->GetInputCount() ? LD_CELL_WIDTH : 0;
                expected.y += 1;
            }
            EXPECT_EQ(point, expected) << "label " << label;
            block->SetSelectedLabel(label);
        }
        EXPECT_FALSE(block->GetEditPosition(&point, LD_CELL_WIDTH, LD_CELL_HEIGHT));
    }
}

TEST_F(CBlockTest, SubroutineBeyondTheLabelSlotsKeepsEveryParameterInIL)
{
    AddSubroutine("Wide", 7, 21, 14); // 20 inputs and 13 outputs beyond EN and ENO
    Operands operands;
    for (int i = 1; i < 21; ++i)
        operands.inputs.push_back("%VW" + std::to_string(2 * i));
    for (int j = 1; j < 14; ++j)
        operands.outputs.push_back("%VW" + std::to_string(100 + 2 * j));
    auto block = SubroutineBox("Wide", operands);
    const std::string il = CBlockILWriter().WriteBlock(*block);
    EXPECT_EQ(il.rfind("CAL    SBR07    %VW2, %VW4, ", 0), 0u) << il;
    EXPECT_NE(il.find(", %VW40, %VW102, "), std::string::npos) << il;
    EXPECT_NE(il.find(", %VW126\r\n"), std::string::npos) << il;
    EXPECT_EQ(block->OutputLabel(8), 29);
    EXPECT_EQ(block->OutputLabel(9), -1);

    block->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
    block->SetSelectedLabel(29);
    CPoint point;
    EXPECT_FALSE(block->GetEditPosition(&point, LD_CELL_WIDTH, LD_CELL_HEIGHT));
    block->SetOperand("%VW500");
    EXPECT_EQ(block->GetOutputOperand(8), "%VW500");
    EXPECT_EQ(block->GetOutputOperand(9), "%VW118");
}

TEST_F(CBlockTest, RecordsReadBackWithTheirNestedInterface)
{
    std::vector<std::unique_ptr<CBlock>> blocks;
    blocks.push_back(Box("ADD", {{"%VW0", "%VW2"}, {"%VW4"}}));
    blocks.push_back(Box("CTUD", {{"%I0.1", "%I0.2", "%I0.3", "10"}, {"%M0.2", "%VW8"}}, "C3"));
    m_app->Find.MarksShown = 1;
    blocks[1]->Find("%I0.2", LD_FIND_MARK);
    ASSERT_EQ(blocks[1]->GetLabelFound(2), 1);
    for (const auto& block : blocks) {
        SCOPED_TRACE(block->GetName());
        CArchive ar(Store(*block));
        CBlock copy;
        copy.Serialize(ar);
        ASSERT_TRUE(ar.IsOK());
        EXPECT_EQ(copy.IsFunction(), block->IsFunction());
        EXPECT_EQ(copy.GetLink(), LD_LINK_SERIES);
        EXPECT_EQ(copy.GetOperand(), block->GetOperand());
        EXPECT_EQ(copy.GetSize(FALSE), block->GetSize(FALSE));
        EXPECT_EQ(copy.GetILText(), block->GetILText());
        for (int label = 0; label < BLOCK_LABEL_SLOTS; ++label)
            EXPECT_EQ(copy.GetLabelFound(label), block->GetLabelFound(label)) << label;
    }
    // A record cut short leaves the box without an interface and the archive in error.
    std::vector<BYTE> bytes = Store(*blocks[1]);
    bytes.resize(bytes.size() - 3);
    CArchive ar(std::move(bytes));
    CBlock cut;
    cut.Serialize(ar);
    EXPECT_FALSE(ar.IsOK());
}

TEST_F(CBlockTest, InstanceRenameGoesThroughTheProjectTable)
{
    auto timer = Box("TON", {{"%VW0"}, {}}, "T19");
    auto other = Box("TON", {{"%VW2"}, {}}, "T20");
    CLDNameTables otherNames;
    otherNames.POUName = "SBR_A";
    other->AttachNames(&otherNames);
    EXPECT_TRUE(timer->RegisterFBInstance("MAIN"));
    EXPECT_TRUE(other->RegisterFBInstance("SBR_A"));
    EXPECT_FALSE(Box("MOVE", {})->RegisterFBInstance("MAIN"));

    timer->SetSelectedLabel(0);
    timer->SetOperand("t21");
    EXPECT_EQ(timer->GetOperand(), "T21");
    EXPECT_EQ(InstancesOfMain(), std::vector<std::string>({"T21"}));

    // The name the other POU uses is refused.
    timer->SetOperand("T20");
    EXPECT_EQ(timer->GetOperand(), "????");
    EXPECT_TRUE(InstancesOfMain().empty());
    std::vector<std::string> names;
    std::vector<std::string> types;
    Project().FBTable.GetFBInstancesOfPOU("SBR_A", names, types);
    EXPECT_EQ(names, std::vector<std::string>({"T20"}));

    // Without the POU at hand the name stays and leaves the table.
    timer->SetOperand("T22");
    EXPECT_EQ(InstancesOfMain(), std::vector<std::string>({"T22"}));
    m_names.POUName.clear();
    timer->SetOperand("T23");
    EXPECT_EQ(timer->GetOperand(), "T22");
    EXPECT_TRUE(InstancesOfMain().empty());
}

TEST_F(CBlockTest, OperandsStoreGlobalAddressesAndUnsetMarks)
{
    AddSymbol("Level", "%VW20");
    auto block = Box("MOVE", {{"%VW0"}, {"%VW2"}});
    const struct {
        int label;
        const char* typed;
        const char* input;
        const char* output;
    } cases[] = {
        {1, "Level", "%VW20", "%VW2"},
        {1, "  ", "????", "%VW2"},
        {3, "%vw8", "????", "%VW8"},
        {3, "%VW20", "????", "%VW20"},
    };
    for (const auto& c : cases) {
        block->SetSelectedLabel(c.label);
        block->SetOperand(c.typed);
        EXPECT_EQ(block->GetInputOperand(1), c.input) << c.typed;
        EXPECT_EQ(block->GetOutputOperand(1), c.output) << c.typed;
    }
    block->SetSelectedLabel(-1);
    block->SetOperand("%VW30");
    EXPECT_EQ(block->GetOutputOperand(1), "%VW20");
}

TEST_F(CBlockTest, DrawsTheBoxPinsAndOperandsInTheirColours)
{
    auto div = Box("DIV", {{"%VW0", "%VW2"}, {"%VW2"}});
    auto calls = Draw(*div);
    EXPECT_TRUE(Contains(calls, {"FillSolidRect(50,4,150,76,RGB(255,128,128))"})) << ::testing::PrintToString(calls);
    const auto red = std::find(calls.begin(), calls.end(), "SetTextColor(RGB(255,0,0))");
    ASSERT_NE(red, calls.end());
    const std::vector<std::string> after(red, calls.end());
    EXPECT_TRUE(Contains(after, {"TextOut(161,37,\"%VW2\")"})) << ::testing::PrintToString(after);

    auto timer = Box("TON", {{"%VW0"}, {}}, "");
    calls = Draw(*timer);
    EXPECT_NE(std::find_if(calls.begin(), calls.end(),
                           [](const std::string& call) { return call.find("\"????\"") != std::string::npos; }),
              calls.end());
    EXPECT_TRUE(InstancesOfMain().empty());
}

TEST_F(CBlockTest, FindReportsEveryTextAndReplaceChangesOperandsOnly)
{
    auto block = Box("TON", {{"%VW10"}, {"%VW12"}}, "T10");
    block->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
    EXPECT_EQ(block->Find("T", LD_FIND_REPORT), 2); // the FB type and the instance
    EXPECT_EQ(block->Find("%VW1", LD_FIND_REPORT), 2);
    const auto lines = Report();
    ASSERT_EQ(lines.size(), 4u);
    const struct {
        int kind;
        const char* text;
        const char* param;
        int number;
    } expected[] = {
        {2, "TON", "", 0},
        {2, "TON", "T10", 0},
        {2, "TON", "%VW10", 1},
        {2, "TON", "%VW12", 1},
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const FindReportElement element = ReadBack(lines[i]);
        EXPECT_EQ(element.kind, expected[i].kind) << lines[i];
        EXPECT_EQ(element.text, expected[i].text) << lines[i];
        EXPECT_EQ(element.paramText, expected[i].param) << lines[i];
        EXPECT_EQ(element.paramNumber, expected[i].number) << lines[i];
    }
    EXPECT_EQ(block->ReplaceAll("%VW1", "%VW3"), 2);
    EXPECT_EQ(block->GetInputOperand(1), "%VW30");
    EXPECT_EQ(block->GetOutputOperand(1), "%VW32");
    EXPECT_EQ(block->GetOperand(), "T10");
    const auto replaced = Report();
    ASSERT_EQ(replaced.size(), 6u);
    EXPECT_EQ(replaced[4], "    5. LD program \"MAIN\": (Network:4), Input Para. 1 \"%VW10\" of instruction \"TON\", "
                           "Position(0,0), Size(2,2).\r \"%VW1\" is replaced as \"%VW3\".");
    ReadBack(replaced[5]);

    // Find without match case leaves a lower-case instance name as it is.
    block->GetFB()->instanceName = "t11";
    block->Find("T11", LD_FIND_REPORT);
    EXPECT_EQ(block->GetOperand(), "t11");
}

TEST_F(CBlockTest, ClipboardTextNamesTheBoxAndWarnsAboutSubroutines)
{
    AddSubroutine("Scale", 5, 3, 2);
    EXPECT_EQ(Box("MOVE", {{"%VW0"}, {"%VW2"}})->GetTransferText(), "MOVE %VW0 %VW2 ");
    EXPECT_EQ(Box("TON", {{"%VW0"}, {"%VW4"}}, "T19")->GetTransferText(), "TON T19 %VW0 %VW4 ");
    EXPECT_TRUE(m_ui.box.Texts().empty());

    auto call = SubroutineBox("Scale", {{"%VW0", "5"}, {"%VW2"}});
    EXPECT_EQ(call->GetTransferText(), "CAL SBR05 %VW0 5 %VW2 ");
    Project().POUs.RemoveSubroutine("Scale");
    EXPECT_EQ(call->GetTransferText(), "CAL ");
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>({"Actual Parameters maybe need to be adjusted after pasting!",
                                                          "The subroutine has been deleted!"}));
}

TEST_F(CBlockTest, MarksFoundLabelsAndLocksForcedOperandsWhileMonitoring)
{
    auto block = Box("MOVE", {{"%VW0"}, {"%VW2"}});
    m_app->Find.MarksShown = 1;
    block->Find("%VW2", LD_FIND_MARK);
    m_force.forced.insert("%VW0");
    m_app->Monitoring = 1;
    const auto calls = Draw(*block);
    m_app->Monitoring = 0;
    EXPECT_EQ(block->GetForced(1), 1);
    EXPECT_EQ(block->GetForced(3), 0);
    EXPECT_EQ(block->GetLabelFound(3), 1);
    const CPoint out = block->GetLabelAnchor(3);
    const std::string frame = "Rectangle(" + std::to_string(out.x) + "," + std::to_string(out.y + 2) + ","
        + std::to_string(out.x + LD_CELL_WIDTH - 10) + "," + std::to_string(out.y + LD_CELL_HEIGHT / 2 - 1) + ")";
    EXPECT_TRUE(Contains(calls, {frame})) << ::testing::PrintToString(calls);
    const CPoint in = block->GetLabelAnchor(1);
    const std::string lock = "FillSolidRect(" + std::to_string(in.x + LD_CELL_WIDTH + 3) + ","
        + std::to_string(in.y + 3);
    EXPECT_NE(std::find_if(calls.begin(), calls.end(),
                           [&](const std::string& call) { return call.rfind(lock, 0) == 0; }),
              calls.end())
        << ::testing::PrintToString(calls);
}

TEST_F(CBlockTest, LiveValuesStandBesideTheOperandsButNotBesideConstants)
{
    auto* low = new CZULStatus;
    low->value = 42;
    m_app->Project.Monitor.InsertMonitorEntry("%VB0", low);
    m_app->Project.Monitor.InsertMonitorEntry("%VB1", new CZULStatus);
    auto block = Box("ADD", {{"%VW0", "7"}, {"%VW100"}});
    // The monitor refresh gives the pins the type of their live values.
    FakePOUHost host;
    CLDProgram program(*m_app, &host);
    program.GetLDEditor().FillGenericInstructionMap();
    ASSERT_TRUE(program.GetLDEditor().ResolveGenericBlockTypes(*block));
    block->LayoutOnly(LD_CELL_WIDTH, LD_CELL_HEIGHT, nullptr, 0, 0);
    m_dc.ClearCalls();
    block->DrawMonitorState(0, 0, LD_CELL_WIDTH, LD_CELL_HEIGHT, &m_dc);
    std::vector<std::string> texts;
    for (const std::string& call : m_dc.Calls()) {
        if (call.rfind("TextOut(", 0) == 0)
            texts.push_back(call.substr(call.find('"')));
    }
    // The value's width is kept; an operand without a value is shown alone.
    EXPECT_EQ(texts, std::vector<std::string>({"\"%VW0:    42\")", "\"%VW100\")"}));
    EXPECT_TRUE(Contains(m_dc.Calls(), {"SetTextColor(RGB(0,0,255))"}));
}

// At a monitor refresh every box pin gets the type its live value is shown
// in: comparisons, arithmetic and moves the one the instruction variant of
// their operands gives, other boxes the types a pin shares with its operand.
TEST_F(CBlockTest, TheMonitorRefreshGivesEachPinTheTypeOfItsLiveValue)
{
    FakePOUHost host;
    CLDProgram program(*m_app, &host);
    // The map of generic instructions as a refresh fills it.
    program.GetLDEditor().FillGenericInstructionMap();
    struct Case {
        const char* name;
        const char* box;
        Operands operands;
        std::vector<OperandTypeFlags> inputs;  // type bits of inputs 1 onward
        std::vector<OperandTypeFlags> outputs; // type bits of outputs 1 onward
    };
    const Case cases[] = {
        {"ADD of INTs", "ADD", {{"%VW0", "%VW2"}, {"%VW4"}}, {OT_INT, OT_INT}, {OT_INT}},
        {"ADD of INTs into a double word", "ADD", {{"%VW0", "%VW2"}, {"%VD4"}}, {0, 0}, {0}},
        {"ADD of double words", "ADD", {{"%VD0", "%VD4"}, {"%VD8"}}, {OT_DINT, OT_DINT}, {OT_DINT}},
        {"comparison of a word and a constant", "GT", {{"%VW0", "5"}, {}}, {OT_INT, OT_INT}, {}},
        {"timer preset", "TON", {{"%VW0"}, {}}, {OT_INT}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto block = Box(c.box, c.operands, "T37");
        CLDEditor& editor = program.GetLDEditor();
        if (!editor.ResolveGenericBlockTypes(*block))
            editor.ResolveBlockPinTypes(*block);
        for (size_t i = 0; i < c.inputs.size(); ++i)
            EXPECT_EQ(block->GetActualType(TRUE, int(i) + 1) & OT_TYPE_BITS, c.inputs[i]) << "input " << i + 1;
        for (size_t j = 0; j < c.outputs.size(); ++j)
            EXPECT_EQ(block->GetActualType(FALSE, int(j) + 1) & OT_TYPE_BITS, c.outputs[j]) << "output " << j + 1;
        EXPECT_NE(block->GetActualType(TRUE, 1) & OT_AREA_V, 0u) << "the operand's area stays";
    }
}

TEST_F(CBlockTest, AddressOfSourcesPassAndChangedSubroutinesShowTeal)
{
    auto move = Box("MOVE", {{"&vb100"}, {"%VD4"}});
    const auto calls = Draw(*move);
    EXPECT_FALSE(Contains(calls, {"SetTextColor(RGB(255,0,0))"})) << ::testing::PrintToString(calls);

    AddSubroutine("Scale", 5, 3, 2);
    auto call = SubroutineBox("Scale", {{"%VW0", "5"}, {"%VW2"}});
    EXPECT_TRUE(Contains(Draw(*call), {"FillSolidRect(50,4,150,76,RGB(255,128,128))"}));
    AddSubroutine("Scale", 5, 4, 2); // the subroutine gained a parameter
    EXPECT_TRUE(Contains(Draw(*call), {"FillSolidRect(50,4,150,76,RGB(14,180,168))"}));
    EXPECT_EQ(call->GetInputCount(), 3);
}

TEST_F(CBlockTest, ReplaceOneChangesOnlyTheFirstHitOfThePass)
{
    auto block = Box("ADD", {{"%VW10", "%VW12"}, {"%VW14"}});
    m_app->Find.ResultCount = 0;
    EXPECT_EQ(block->ReplaceOne("%VW1", "%VW2"), 3);
    EXPECT_EQ(block->GetInputOperand(1), "%VW20");
    EXPECT_EQ(block->GetInputOperand(2), "%VW12");
    EXPECT_EQ(block->GetOutputOperand(1), "%VW14");
    EXPECT_TRUE(Report().empty());
}
