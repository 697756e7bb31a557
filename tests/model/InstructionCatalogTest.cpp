#include "model/InstructionCatalog.h"

#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "model/HelpTopics.h"

#include "AppDataFixture.h"

#include <cstring>
#include <vector>

namespace {

std::vector<std::string> PinNames(const CZULFBParaArray& pins)
{
    std::vector<std::string> names;
    for (int i = 0; i < pins.GetSize(); ++i)
        names.push_back(pins.GetAt(i)->name);
    return names;
}

class InstructionCatalogTest : public AppDataFixture {
protected:
    void SetUp() override
    {
        AppDataFixture::SetUp();
        m_app->BuildInstructionCatalog();
    }
};

} // namespace

TEST(InstructionTableTest, RowsAreWellFormed)
{
    int kinds[5] = {};
    for (const CInstructionDef& row : g_LDInstructionTable) {
        ASSERT_GE(row.kind, 1) << row.name;
        ASSERT_LE(row.kind, 4) << row.name;
        ++kinds[row.kind];
        EXPECT_GE(row.group, 0) << row.name;
        EXPECT_LE(row.group, 17) << row.name;
        EXPECT_LE(row.pinCount, 16) << row.name;
        EXPECT_EQ(row.pinNames[INSTRUCTION_PIN_SLOTS - 1][0], '\0') << row.name;
        EXPECT_EQ(row.pinMasks[INSTRUCTION_PIN_SLOTS - 1], 0u) << row.name;
        for (int pin = 0; pin < row.pinCount; ++pin) {
            const DWORD mask = row.pinMasks[pin];
            EXPECT_NE(mask, 0u) << row.name << " pin " << pin;
            // Every box pin is an input or an output; contacts and coils have one operand.
            if (row.kind >= INSTRUCTION_KIND_FUNCTION) {
                EXPECT_NE(mask & (OT_INPUT | OT_OUTPUT), 0u) << row.name << " " << row.pinNames[pin];
            }
        }
        for (int pin = row.pinCount; pin < INSTRUCTION_PIN_SLOTS; ++pin)
            EXPECT_EQ(row.pinMasks[pin], 0u) << row.name;
    }
    EXPECT_EQ(kinds[1], 4);
    EXPECT_EQ(kinds[2], 21);
    EXPECT_EQ(kinds[3], 86);
    EXPECT_EQ(kinds[4], 8);
    EXPECT_STREQ(g_LDInstructionTable[BOX_GROUP_SEARCH_ROWS].name, "PHOME");
}

TEST_F(InstructionCatalogTest, MapsHoldTheVisibleRows)
{
    EXPECT_EQ(m_app->FunctionCatalog.size(), 83u);
    EXPECT_EQ(m_app->FBCatalog.size(), 8u);
    EXPECT_EQ(m_app->ContactCatalog.size(), 4u);
    EXPECT_EQ(m_app->CoilCatalog.size(), 20u);
    EXPECT_EQ(m_app->InstructionCatalog.size(), 115u);
    for (const char* hidden : {"-(RET)", "SDO_WRITE", "SDO_READ", "CUS"})
        EXPECT_EQ(m_app->InstructionCatalog.count(hidden), 0u) << hidden;
    const CInstructionDef* ton = m_app->InstructionCatalog.at("TON");
    EXPECT_STREQ(ton->description, "On-delay timing");
    EXPECT_EQ(ton->cpuMask, 0u);
    EXPECT_EQ(m_app->ContactCatalog.at("-| |-"), m_app->InstructionCatalog.at("-| |-"));

    // A second build replaces the interfaces instead of adding to them.
    m_app->BuildInstructionCatalog();
    EXPECT_EQ(m_app->FunctionCatalog.size(), 83u);
    EXPECT_EQ(m_app->FunctionCatalog.at("MOVE")->GetInputCount(), 2);
}

TEST_F(InstructionCatalogTest, LookupCopiesTheInterface)
{
    CZULFunc move;
    EXPECT_EQ(m_app->LookupFunction("  move ", move), 1);
    EXPECT_EQ(move.name, "MOVE");
    EXPECT_EQ(PinNames(move.inputs), (std::vector<std::string>{"EN", "IN"}));
    EXPECT_EQ(PinNames(move.outputs), (std::vector<std::string>{"ENO", "OUT"}));
    EXPECT_NE(move.inputs.GetAt(0), m_app->FunctionCatalog.at("MOVE")->inputs.GetAt(0));
    EXPECT_EQ(move.inputs.GetAt(0)->flags, 0x61FEA001u);
    EXPECT_EQ(m_app->LookupFunction("TON", move), 0);

    CZULFB ton;
    EXPECT_EQ(m_app->LookupFunctionBlock("ton", ton), 1);
    EXPECT_EQ(ton.typeName, "TON");
    EXPECT_EQ(PinNames(ton.inputs), (std::vector<std::string>{"IN", "PT"}));
    EXPECT_EQ(PinNames(ton.outputs), (std::vector<std::string>{"Q", "ET"}));
    EXPECT_EQ(m_app->LookupFunctionBlock("MOVE", ton), 0);

    EXPECT_EQ(m_app->GetFBPinFlags("PT", "TON"), 0x19FEB010u);
    EXPECT_EQ(m_app->GetFBPinFlags("Q", "TON"), 0x019D4001u);
    EXPECT_EQ(m_app->GetFBPinFlags("CV", "TON"), 0u);
    EXPECT_EQ(m_app->GetFBPinFlags("PT", "NOFB"), 0u);

    // Functions of the catalogue first, then the subroutines of the project.
    auto* motor = new CZULFunc;
    motor->SetName("Motor");
    motor->SetNumber(3);
    auto* speed = new CZULFBPara;
    speed->name = "SPEED";
    speed->flags = 0xA010;
    motor->AddInput(speed);
    m_app->Project.POUs.AddSubroutineInterface(motor);
    EXPECT_EQ(m_app->GetFunctionPinFlags("IN1", "add"), m_app->FunctionCatalog.at("ADD")->inputs.GetAt(1)->flags);
    EXPECT_EQ(m_app->GetFunctionPinFlags("SPEED", "Motor"), 0xA010u);
    EXPECT_EQ(m_app->GetFunctionPinFlags("SPEED", "Pump"), 0u);
    EXPECT_EQ(m_app->GetFunctionPinFlags("X", "ADD"), 0u);
}

TEST(InstructionTableTest, BoxGroups)
{
    const struct {
        const char* name;
        int group;
    } cases[] = {
        {"ADD", 6}, {"TON", 12}, {" ctu ", 10}, {"MOVE", 14}, {"PID", 13}, {"SDO_READ", 17},
        {"PHOME", -1}, {"CRC16", -1}, {"-( )", -1}, {"-| |-", -1}, {"", -1}, {"NOSUCH", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetBoxInstructionGroup(c.name), c.group) << c.name;
}

TEST(HelpTopicsTest, ContextsByTopic)
{
    const struct {
        const char* topic;
        BOOL found;
        int context;
    } cases[] = {
        {"wangluo-LD", TRUE, 241},
        {"MOVE", TRUE, 20},
        {"bianliang-IL", TRUE, 223},
        {"yingjianpeizhibiao", TRUE, 191},
        {"canshu-LD", TRUE, 244},
        {"-(NEXT)", TRUE, 84},
        {"VE70-16DT", TRUE, 195},
        {"ANALOG MODULES", TRUE, 311},
        {"\xB1\xE4\xC1\xBF-LD\xB1\xE0\xBC\xAD\xC6\xF7", TRUE, 243},
        {"", TRUE, 1},
        {"   ", TRUE, 1},
        {"NO SUCH TOPIC", FALSE, 1},
    };
    for (const auto& c : cases) {
        int context = -5;
        EXPECT_EQ(CZULAppData::FindHelpContext(c.topic, context), c.found) << c.topic;
        EXPECT_EQ(context, c.context) << c.topic;
    }
    for (int i = 0; i < HELP_TOPIC_COUNT; ++i)
        EXPECT_EQ(g_HelpTopicTable[i].id, i);
    EXPECT_STREQ(g_HelpTopicTable[HELP_TOPIC_COUNT - 1].name, "ANALOG MODULES");
}
