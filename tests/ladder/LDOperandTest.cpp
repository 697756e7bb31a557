// Operands between their forms: what an element shows with symbolic
// addressing on and off, what it writes to IL, and its live value text.

#include "LadderFixture.h"
#include "model/CZULStatus.h"

#include <gtest/gtest.h>

namespace {

class LDOperandTest : public LadderFixture {
protected:
    void SetUp() override
    {
        LadderFixture::SetUp();
        AddSymbol("Speed", "%VB10");
        AddSymbol("Level", "%VW20");
        AddLocal("TMP", "%LW0");
        m_contact.AttachNames(&m_names);
    }

    CTestElement m_contact {LD_KIND_CONTACT, "A"};
};

TEST_F(LDOperandTest, DisplayFormFollowsSymbolicAddressing)
{
    const struct {
        const char* operand;
        const char* absolute;
        const char* symbolic;
    } cases[] = {
        {"16#ff", "16#FF", "16#FF"},
        {"true", "TRUE", "TRUE"},
        {"vb10", "%VB10", "Speed"},
        {"%vb10", "%VB10", "Speed"},
        {"vb11", "%VB11", "%VB11"},
        {"t5", "T5", "T5"},
        {"Level", "%VW20", "Level"},
        {"%lw0", "%LW0", "TMP"},
        {"tmp", "%LW0", "tmp"},
        {"*vd100", "*VD100", "*VD100"},
        {"Unknown", "Unknown", "Unknown"},
    };
    for (const auto& c : cases) {
        m_app->SymbolicAddressing = 0;
        EXPECT_EQ(m_contact.ToDisplayOperand(c.operand), c.absolute) << c.operand;
        m_app->SymbolicAddressing = 1;
        EXPECT_EQ(m_contact.ToDisplayOperand(c.operand), c.symbolic) << c.operand;
    }
}

TEST_F(LDOperandTest, LocalNamesBelongToTheirProgram)
{
    CTestElement elsewhere(LD_KIND_CONTACT, "A");
    CLDNameTables otherProgram;
    elsewhere.AttachNames(&otherProgram);
    m_app->SymbolicAddressing = 0;
    EXPECT_EQ(elsewhere.ToDisplayOperand("tmp"), "tmp");
    std::string address;
    EXPECT_FALSE(elsewhere.ToAddressOperand("tmp", &address));
}

TEST_F(LDOperandTest, AddressFormForILAndForcing)
{
    const struct {
        const char* operand;
        BOOL ok;
        const char* address;
    } cases[] = {
        {"16#FF", TRUE, "16#FF"},
        {"VB10", TRUE, "%VB10"},
        {"%I0.1", TRUE, "%I0.1"},
        {"T5", TRUE, "T5"},
        {"%T5", TRUE, "T5"},
        {"Speed", TRUE, "%VB10"},
        {"speed", TRUE, "%VB10"},
        {"TMP", TRUE, "%LW0"},
        {"tmp", TRUE, "%LW0"},
        {"Unknown", FALSE, ""},
    };
    for (const auto& c : cases) {
        std::string address;
        EXPECT_EQ(m_contact.ToAddressOperand(c.operand, &address), c.ok) << c.operand;
        EXPECT_EQ(address, c.address) << c.operand;
    }
}

TEST_F(LDOperandTest, LabelCoilWritesItsOperandUnchanged)
{
    m_app->BuildInstructionCatalog();
    CTestElement label(LD_KIND_COIL, "loop", LD_LINK_SERIES, "-(LBL)");
    CTestElement output(LD_KIND_COIL, "loop", LD_LINK_SERIES, "-( )");
    std::string address;
    EXPECT_TRUE(label.ToAddressOperand("loop", &address));
    EXPECT_EQ(address, "loop");
    EXPECT_FALSE(output.ToAddressOperand("loop", &address));
}

TEST_F(LDOperandTest, LiveValueOfConstantsAndUnmonitoredOperands)
{
    const struct {
        const char* operand;
        BOOL ok;
        const char* value;
        int flags;
    } cases[] = {
        {"TRUE", TRUE, "1", 0},
        {"true", TRUE, "1", 0},
        {"False", TRUE, "0", 0},
        {"100", TRUE, "100", -1}, // the constant's own flags
        {"Unknown", FALSE, "", 0},
        {"%VB10", FALSE, "", -1}, // a direct address without a monitored value
    };
    for (const auto& c : cases) {
        std::string value;
        std::string bits;
        int flags = 0;
        EXPECT_EQ(m_contact.GetLiveValueText(c.operand, &value, &bits, 1, &flags), c.ok) << c.operand;
        EXPECT_EQ(value, c.value) << c.operand;
        if (c.flags == 0) {
            EXPECT_EQ(flags, 0) << c.operand;
        } else {
            EXPECT_NE(flags, 0) << c.operand;
        }
    }
}

} // namespace

namespace {

TEST_F(LDOperandTest, LiveValueOfASymbolIsTheValueAtItsAddress)
{
    AddSymbol("Start", "%I0.1");
    AddLocal("FLAG", "%I0.2");
    auto* item = new CZULStatus;
    item->value = 0x02; // I0.1 on, I0.2 off
    m_app->Project.Monitor.InsertMonitorEntry("%IB0", item);
    const struct {
        const char* operand;
        const char* value;
    } cases[] = {
        {"%I0.1", "1"},
        {"Start", "1"},
        {"flag", "0"},
    };
    for (const auto& c : cases) {
        std::string value;
        int flags = 0;
        EXPECT_TRUE(m_contact.GetLiveValueText(c.operand, &value, nullptr, OT_BOOL, &flags)) << c.operand;
        EXPECT_EQ(value, c.value) << c.operand;
        EXPECT_TRUE(flags & OT_AREA_I) << c.operand;
    }
}

} // namespace
