// Boxes of every catalogue group in trees built in code: the IL each form
// writes, label indices and Tab order, size, records read back, FB instance
// bookkeeping across POUs, drawing and find reports.

#include "ElementFixture.h"
#include "ladder/CBlock.h"
#include "ladder/CBlockILWriter.h"
#include "ladder/CCoil.h"
#include "ladder/CContact.h"
#include "model/CFindResult.h"
#include "model/CZULFB.h"
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
