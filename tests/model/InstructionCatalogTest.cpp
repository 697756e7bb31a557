#include "model/InstructionCatalog.h"

#include "model/CZULFB.h"
#include "model/CZULFunc.h"
#include "model/HelpTopics.h"

#include "AppDataFixture.h"

#include <cstring>
#include <set>
#include <string>
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
            if (mask == 0) {
                // Only the ENO of the Modbus and SDO boxes goes unchecked.
                EXPECT_EQ(row.group == 16 || row.group == 17, true) << row.name;
                EXPECT_STREQ(row.pinNames[pin], "ENO") << row.name;
                continue;
            }
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

namespace {

const CInstructionDef* FindRow(const CInstructionDef* table, int count, const char* name)
{
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(table[i].name, name) == 0)
            return &table[i];
    }
    return nullptr;
}

DWORD PinMask(const CInstructionDef& row, const char* pin)
{
    for (int i = 0; i < row.pinCount; ++i) {
        if (std::strcmp(row.pinNames[i], pin) == 0)
            return row.pinMasks[i];
    }
    return 0xFFFFFFFF;
}

// The first IL row that repeats an LD row, and the LD rows that the IL
// table replaces with statements ("Program Control" and the interrupt coils).
constexpr int IL_SHARED_OFFSET = 10;
constexpr int LD_STATEMENT_FIRST = 77;
constexpr int LD_STATEMENT_LAST = 89;

} // namespace

TEST(InstructionTableTest, ILRowsRepeatTheirLDRowsWithoutPointerInBlockMoves)
{
    const std::set<std::string> pointerless = {"MOVE", "BLKMOVE", "FILL", "SWAP", "SHL_BLK", "SHR_BLK"};
    for (int ld = 19; ld < LD_INSTRUCTION_COUNT; ++ld) {
        if (ld >= LD_STATEMENT_FIRST && ld <= LD_STATEMENT_LAST)
            continue;
        const CInstructionDef& l = g_LDInstructionTable[ld];
        const CInstructionDef& i = g_ILInstructionTable[ld + IL_SHARED_OFFSET];
        SCOPED_TRACE(l.name);
        EXPECT_STREQ(i.name, l.name);
        EXPECT_EQ(i.kind, l.kind);
        EXPECT_EQ(i.group, l.group);
        EXPECT_EQ(i.pinCount, l.pinCount);
        EXPECT_EQ(i.visible, l.visible);
        EXPECT_STREQ(i.description, l.description);
        EXPECT_EQ(i.cpuMask, l.cpuMask);
        EXPECT_EQ(i.iecFlag, l.iecFlag);
        bool pointerDropped = false;
        for (int pin = 0; pin < INSTRUCTION_PIN_SLOTS; ++pin) {
            EXPECT_STREQ(i.pinNames[pin], l.pinNames[pin]);
            if (i.pinMasks[pin] == l.pinMasks[pin])
                continue;
            EXPECT_EQ(i.pinMasks[pin], l.pinMasks[pin] & ~OT_POINTER) << l.pinNames[pin];
            pointerDropped = true;
        }
        EXPECT_EQ(pointerDropped, pointerless.count(l.name) == 1);
    }
    // The first category: the LD boxes of bit logic stay, as the last rows.
    for (int ld = 15; ld <= 18; ++ld)
        EXPECT_EQ(std::memcmp(&g_ILInstructionTable[ld + 10], &g_LDInstructionTable[ld], sizeof(CInstructionDef)), 0) << ld;
    EXPECT_EQ(std::memcmp(&g_ILInstructionTable[15], &g_LDInstructionTable[4], sizeof(CInstructionDef)), 0);
}

TEST(InstructionTableTest, ILRowsAreWellFormed)
{
    int statements = 0;
    for (const CInstructionDef& row : g_ILInstructionTable) {
        SCOPED_TRACE(row.name);
        EXPECT_GE(row.kind, INSTRUCTION_KIND_IL);
        EXPECT_NE(row.kind, INSTRUCTION_KIND_CONTACT);
        EXPECT_NE(row.kind, INSTRUCTION_KIND_COIL);
        statements += row.kind == INSTRUCTION_KIND_IL;
        EXPECT_LE(row.pinCount, 16);
        EXPECT_EQ(row.pinMasks[INSTRUCTION_PIN_SLOTS - 1], 0u);
        if (row.kind == INSTRUCTION_KIND_IL) {
            EXPECT_LE(row.pinCount, 1);
            EXPECT_EQ(row.pinNames[0][0], '\0');
        }
    }
    EXPECT_EQ(statements, 37);
}

TEST(InstructionTableTest, NamesAndDescriptionsFitTheirFields)
{
    const struct {
        const CInstructionDef* rows;
        int count;
    } tables[] = {{g_LDInstructionTable, LD_INSTRUCTION_COUNT}, {g_ILInstructionTable, IL_INSTRUCTION_COUNT}};
    for (const auto& table : tables) {
        for (int r = 0; r < table.count; ++r) {
            const CInstructionDef& row = table.rows[r];
            EXPECT_GT(std::strlen(row.name), 0u);
            EXPECT_LT(strnlen(row.name, sizeof row.name), sizeof row.name) << r;
            EXPECT_LT(strnlen(row.description, sizeof row.description), sizeof row.description) << row.name;
            EXPECT_GT(std::strlen(row.description), 0u) << row.name;
            for (const auto& pin : row.pinNames)
                EXPECT_LT(strnlen(pin, sizeof pin), sizeof pin) << row.name;
        }
    }
}

TEST(InstructionTableTest, CategoriesCoverBothTablesContiguously)
{
    int ldNext = 0;
    int ilNext = 0;
    for (const CInstructionCategory& category : g_InstructionCategories) {
        SCOPED_TRACE(category.name);
        EXPECT_EQ(category.ldFirst, ldNext);
        EXPECT_EQ(category.ilFirst, ilNext);
        EXPECT_LE(category.ldFirst, category.ldLast);
        ldNext = category.ldLast + 1;
        ilNext = category.ilLast + 1;
        // Past the first category both tables hold the same number of rows per category.
        if (category.ldFirst > 0) {
            EXPECT_EQ(category.ilLast - category.ilFirst, category.ldLast - category.ldFirst);
        }
    }
    EXPECT_EQ(ldNext, LD_INSTRUCTION_COUNT);
    EXPECT_EQ(ilNext, IL_INSTRUCTION_COUNT);
    EXPECT_STREQ(g_InstructionCategories[0].name, "Bit Logic");
    EXPECT_STREQ(g_InstructionCategories[INSTRUCTION_CATEGORY_COUNT - 1].name, "additional");
    // Rows where the tables part ways inside "Program Control".
    EXPECT_STREQ(g_LDInstructionTable[78].name, "-(LBL)");
    EXPECT_STREQ(g_ILInstructionTable[88].name, "CAL");
    EXPECT_STREQ(g_ILInstructionTable[98].description, "Enable Interrup");
    EXPECT_STREQ(g_LDInstructionTable[88].description, "Enable Interrupt");
}

TEST(InstructionTableTest, HiddenRows)
{
    const struct {
        const CInstructionDef* rows;
        int count;
        std::set<std::string> hidden;
    } tables[] = {
        {g_LDInstructionTable, LD_INSTRUCTION_COUNT, {"-(RET)", "SDO_WRITE", "SDO_READ", "CUS"}},
        {g_ILInstructionTable, IL_INSTRUCTION_COUNT, {"RET", "SDO_WRITE", "SDO_READ", "CUS"}},
    };
    for (const auto& table : tables) {
        std::set<std::string> hidden;
        for (int r = 0; r < table.count; ++r) {
            if (!table.rows[r].visible)
                hidden.insert(table.rows[r].name);
        }
        EXPECT_EQ(hidden, table.hidden);
    }
    EXPECT_EQ(FindRow(g_LDInstructionTable, LD_INSTRUCTION_COUNT, "-(RET)")->cpuMask, 0u);
    EXPECT_EQ(FindRow(g_ILInstructionTable, IL_INSTRUCTION_COUNT, "RET")->cpuMask, 0u);
}

TEST(InstructionTableTest, MasksOfTheTellingRows)
{
    const struct {
        bool ld;
        const char* row;
        const char* pin;
        DWORD mask;
    } cases[] = {
        {true, "-| |-", "", 0x61FEB001}, {false, "LD", "", 0x61FEB001},
        {true, "-|/|-", "", 0x61FEA001}, {true, "ADD", "EN", 0x61FEA001},
        {true, "-|I|-", "", 0x0002A001}, {false, "LDI", "", 0x0002A001},
        {true, "-( )", "", 0x019D4001}, {true, "-(S)", "", 0x019D4001}, {true, "-(R)", "", 0x019D4001},
        {false, "ST", "", 0x019D4001}, {false, "S", "", 0x019D4001}, {false, "R", "", 0x019D4001},
        {true, "TON", "Q", 0x019D4001}, {true, "ADD", "ENO", 0x019D4001},
        {true, "MBUSR", "ENO", 0}, {true, "MBUSW", "ENO", 0}, {true, "SDO_WRITE", "ENO", 0}, {true, "SDO_READ", "ENO", 0},
        {true, "-(I)", "", 0x00054001}, {true, "-(SI)", "", 0x00054001}, {true, "-(RI)", "", 0x00054001},
        {false, "STI", "", 0x00054001},
        {true, "MOVE", "IN", 0x1DFEB0FE}, {true, "MOVE", "OUT", 0x119D40FE},
        {false, "MOVE", "IN", 0x1DFEB07E}, {false, "MOVE", "OUT", 0x119D407E},
        {true, "GT", "IN1", 0x1DFEB0F2}, {true, "GT", "IN2", 0x1DFEB0F2}, {false, "GT", "IN2", 0x1DFEB0F2},
        {true, "ADD", "IN1", 0x1DFEB0F0}, {true, "ADD", "IN2", 0x1DFEB0F0}, {true, "ADD", "OUT", 0x119D40F0},
        {true, "TON", "PT", 0x19FEB010}, {true, "TON", "ET", 0x119D4010},
        {true, "PID", "PV", 0x0988A010}, {true, "PID", "X0", 0x0180A040},
        {true, "PID", "CYCLE", 0x0188A020}, {true, "PID", "XOUT", 0x01814040},
        {true, "-(LBL)", "", 0x00000400}, {true, "-(JMP)", "", 0x00000400},
        {false, "CAL", "", 0x00000400}, {false, "JMP", "", 0x00000400},
    };
    for (const auto& c : cases) {
        const CInstructionDef* row = c.ld ? FindRow(g_LDInstructionTable, LD_INSTRUCTION_COUNT, c.row)
                                          : FindRow(g_ILInstructionTable, IL_INSTRUCTION_COUNT, c.row);
        ASSERT_NE(row, nullptr) << c.row;
        EXPECT_EQ(PinMask(*row, c.pin), c.mask) << (c.ld ? "LD " : "IL ") << c.row << " " << c.pin;
    }
}
