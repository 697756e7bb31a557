#include "MonitorFixture.h"

#include "model/CMemAreaInfo.h"
#include "model/CStatusInput.h"
#include "model/CpuProfile.h"
#include "model/DirectAddress.h"
#include "plclink/ForceExchange.h"
#include "plclink/ForceTableLayout.h"
#include "shell/CForceCommands.h"
#include "shell/CStatusChartTable.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<BYTE>;
using Texts = std::vector<std::string>;
using Col = CStatusChartTable::Column;

constexpr BYTE kType = 9; // the VB14 profile's block type

// A table with its length field filled in: counts, then the section bytes.
Bytes Table(const std::vector<BYTE>& counts, const Bytes& sections, BYTE type = kType)
{
    Bytes table = {0, 0, type, 6, type, 0};
    table.insert(table.end(), counts.begin(), counts.end());
    table.insert(table.end(), sections.begin(), sections.end());
    table[0] = LOBYTE(table.size());
    table[1] = HIBYTE(table.size());
    return table;
}

class ForceCommandsTest : public MonitorFixture {
public:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        m_blockType = ForceTableBlockType;
        ForceTableBlockType = kType;
        app->ProfileSubType = PROFILE_SUBTYPE_VA10;
        app->Project.ForceImageSize = FORCE_IMAGE_CELLS;
        app->Project.AllocateForceBuffers();
        commands = std::make_unique<CForceCommands>(*app);
        chart = std::make_unique<CStatusChartTable>(*app);
        chart->SetRowCount(CStatusChartTable::MIN_ROWS);
    }
    void TearDown() override
    {
        commands.reset();
        ForceTableBlockType = m_blockType;
        MonitorFixture::TearDown();
    }

    WORD Encoded(const std::string& address) { return EncodeAddress(address, 0); }
    // Types an address and a new value into a chart row.
    CStatusInput* TypeRow(int row, const std::string& address, const std::string& value = "")
    {
        chart->SaveCellData(Col::COL_ADDRESS, row, address);
        if (!value.empty())
            chart->SaveCellData(Col::COL_NEW, row, value);
        return chart->GetRecord(row);
    }
    Texts ForcedKeys() const
    {
        Texts keys;
        for (const auto& [key, entry] : app->Project.ForceMap)
            keys.push_back(key);
        return keys;
    }
    BYTE CurrentValueMark(int row)
    {
        std::string text;
        BYTE mark = 0;
        chart->GetCellText(Col::COL_CURRENT, row, text, mark);
        return mark;
    }
    int ForcedValue(const std::string& address)
    {
        OperandTypeFlags flags = 0;
        EXPECT_TRUE(ParseDirectAddress(address, flags));
        int value = -1;
        EXPECT_TRUE(app->Project.GetForcedValue(Encoded(address), flags, value));
        return value;
    }

    std::unique_ptr<CForceCommands> commands;
    std::unique_ptr<CStatusChartTable> chart;
    int m_blockType = 0;
};

TEST_F(ForceCommandsTest, BuiltTablesHaveTheirSectionsInBlockOrder)
{
    // One BOOL forced to 1: the 14-byte block.
    CStatusInput* q01 = TypeRow(0, "%Q0.1", "1");
    ASSERT_TRUE(commands->Force(q01));
    const WORD q = Encoded("%Q0.1");
    EXPECT_EQ(sim.ForceTable(), Bytes({14, 0, kType, 6, kType, 0, 1, 0, 0, 0, 0, LOBYTE(q), HIBYTE(q), 1}));

    // Nine BOOLs need two value bytes; the ninth is bit 0 of the second.
    commands->ClearForceMap();
    Bytes addresses;
    for (int k = 0; k < 9; ++k) {
        const std::string address = "%V" + std::to_string(k / 8) + "." + std::to_string(k % 8);
        const WORD encoded = Encoded(address);
        app->Project.ForceMap.emplace(address, std::make_unique<CForceEntry>(address, encoded, 0x201, 1));
        CStatusInput row;
        row.encodedAddress = encoded;
        row.flags = 0x201;
        row.newValue = (k == 1 || k == 8) ? 1 : 0;
        app->Project.StoreForcedValue(&row);
        addresses.push_back(LOBYTE(encoded));
        addresses.push_back(HIBYTE(encoded));
    }
    ASSERT_TRUE(commands->BuildForceTable());
    Bytes sections = addresses;
    sections.push_back(0x02);
    sections.push_back(0x01);
    EXPECT_EQ(app->Project.ForceTableBlock, Table({9, 0, 0, 0, 0}, sections));

    // A WORD of 258 at encoded address 16 beside a BYTE and a REAL.
    commands->ClearForceMap();
    struct Entry {
        WORD address;
        OperandTypeFlags flags;
        DWORD value;
    };
    const Entry entries[] = {{16, 0x214, 258}, {40, 0x202, 0xAB}, {64, 0x240, 0x3FC00000}};
    for (const Entry& entry : entries) {
        const std::string key = "key" + std::to_string(entry.address);
        app->Project.ForceMap.emplace(key, std::make_unique<CForceEntry>(key, entry.address, entry.flags, 0));
        CStatusInput row;
        row.encodedAddress = entry.address;
        row.flags = entry.flags;
        row.newValue = entry.value;
        app->Project.StoreForcedValue(&row);
    }
    ASSERT_TRUE(commands->BuildForceTable());
    const Bytes expected =
        Table({0, 1, 1, 0, 1}, {40, 0, 0xAB, 16, 0, 2, 1, 64, 0, 0x00, 0x00, 0xC0, 0x3F});
    EXPECT_EQ(app->Project.ForceTableBlock, expected);

    // The block read back gives the same image and builds the same block again.
    commands->RebuildForceMap(expected);
    EXPECT_EQ(app->Project.ForceMap.size(), 3u);
    ASSERT_TRUE(commands->BuildForceTable());
    EXPECT_EQ(app->Project.ForceTableBlock, expected);
}

TEST_F(ForceCommandsTest, BlockTypeFollowsTheProfileSubType)
{
    const struct {
        BYTE subType;
        int before;
        BYTE type;
    } cases[] = {{PROFILE_SUBTYPE_VA10, 10, 9}, {PROFILE_SUBTYPE_VB16, 9, 10}, {PROFILE_SUBTYPE_VC, 9, 10},
                 {PROFILE_SUBTYPE_VB, 9, 10}, {7, 9, 9}};
    for (const auto& c : cases) {
        app->ProfileSubType = c.subType;
        ForceTableBlockType = c.before;
        ASSERT_TRUE(commands->BuildForceTable());
        EXPECT_EQ(app->Project.ForceTableBlock, Bytes({11, 0, c.type, 6, c.type, 0, 0, 0, 0, 0, 0}));
    }
}

TEST_F(ForceCommandsTest, ChartCommandsChangeThePlcTableAndTheMarksWhileMonitoring)
{
    AddItems({"%QB0", "%VB100", "%VB101"});
    ServeProjectLists();
    StartMonitoring();
    poster.RunPosted();
    EXPECT_TRUE(commands->CanRunCommands());

    CStatusInput* q = TypeRow(0, "%Q0.1", "1");
    CStatusInput* vw = TypeRow(1, "%VW100", "258");
    EXPECT_TRUE(commands->CanForce(q));
    ASSERT_TRUE(commands->Force(q));
    EXPECT_EQ(ForcedKeys(), Texts({"%Q0.1"}));
    EXPECT_EQ(CurrentValueMark(0), 1);
    EXPECT_EQ(CurrentValueMark(1), 0);
    EXPECT_EQ(q->newValueText, "");
    EXPECT_EQ(q->newValueValid, 0u);
    EXPECT_FALSE(commands->CanForce(q));

    ASSERT_TRUE(commands->ForceAll(*chart));
    EXPECT_EQ(ForcedKeys(), Texts({"%Q0.1", "%VW100"}));
    EXPECT_EQ(ForcedValue("%VW100"), 258);
    EXPECT_EQ(ForcedValue("%Q0.1"), 1);
    EXPECT_EQ(vw->newValueText, "");
    EXPECT_EQ(sim.ForceTable()[6], 1);
    EXPECT_EQ(sim.ForceTable()[8], 1);

    ASSERT_TRUE(commands->Unforce(q));
    EXPECT_EQ(ForcedKeys(), Texts({"%VW100"}));
    EXPECT_EQ(CurrentValueMark(0), 0);
    EXPECT_EQ(CurrentValueMark(1), 1);
    EXPECT_EQ(sim.ForceTable()[6], 0);

    // Read All Forced appends the PLC's operands after the last row, twice when run twice.
    EXPECT_EQ(commands->ReadAllForced(*chart), 1);
    EXPECT_EQ(commands->ReadAllForced(*chart), 1);
    ASSERT_EQ(chart->GetRecordCount(), 8);
    for (int row : {6, 7}) {
        EXPECT_EQ(chart->GetRecord(row)->addressText, "%VW100");
        EXPECT_EQ(chart->GetRecord(row)->format, STATUS_FORMAT_UNSIGNED);
        EXPECT_EQ(chart->GetRecord(row)->flags, 0x214u);
    }

    EXPECT_TRUE(commands->UnforceAll());
    EXPECT_TRUE(ForcedKeys().empty());
    EXPECT_TRUE(sim.ForceTable().empty());
    EXPECT_EQ(CurrentValueMark(1), 0);
    NextCycle();
    EXPECT_TRUE(ui.box.Texts().empty());

    app->PIDTrendOpen = 1;
    EXPECT_FALSE(commands->CanRunCommands());
    app->PIDTrendOpen = 0;
}

TEST_F(ForceCommandsTest, CommandsNeedMonitoringAndAForceableRow)
{
    CStatusInput* q = TypeRow(0, "%Q0.1", "1");
    CStatusInput* ai = TypeRow(1, "%AIW4", "1");
    CStatusInput* noValue = TypeRow(2, "%Q0.2");
    EXPECT_FALSE(commands->CanRunCommands());
    EXPECT_FALSE(commands->CanForce(q));
    app->Monitoring = 1;
    EXPECT_TRUE(commands->CanForce(q));
    EXPECT_EQ(commands->CanForce(ai), CForceCommands::IsUsableRow(ai));
    EXPECT_FALSE(commands->CanForce(noValue));
    EXPECT_TRUE(commands->CanUnforce(noValue));
    EXPECT_FALSE(commands->CanUnforce(chart->GetRecord(3)));
    EXPECT_FALSE(commands->CanUnforce(nullptr));
    app->Monitoring = 0;
}

TEST_F(ForceCommandsTest, EditorCommandsForceAndUnforceOneOperand)
{
    EXPECT_TRUE(commands->ForceAddress("q0.3", 1));
    EXPECT_EQ(ForcedKeys(), Texts({"q0.3"}));
    // The entry goes under the text given; the next read of the PLC's table names it as the PLC does.
    EXPECT_TRUE(commands->ForceAddress("vw10", 0x1234));
    EXPECT_EQ(ForcedKeys(), Texts({"%Q0.3", "vw10"}));
    EXPECT_TRUE(commands->ForceMapHasEntries());
    std::vector<ForceTableItem> items;
    ASSERT_TRUE(ParseForceTable(sim.ForceTable(), FORCE_IMAGE_CELLS, items));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].address, Encoded("%VW10"));
    EXPECT_EQ(items[1].value, 0x1234u);

    // A text that is no direct address changes nothing.
    EXPECT_FALSE(commands->ForceAddress("motor", 1));
    EXPECT_EQ(ForcedKeys(), Texts({"%Q0.3", "vw10"}));

    EXPECT_TRUE(commands->UnforceAddress("%q0.3"));
    EXPECT_EQ(ForcedKeys(), Texts({"%VW10"}));
    ASSERT_TRUE(ParseForceTable(sim.ForceTable(), FORCE_IMAGE_CELLS, items));
    EXPECT_EQ(items.size(), 1u);

    // Unforce All with nothing in the map still asks the PLC.
    commands->ClearForceMap();
    EXPECT_FALSE(commands->ForceMapHasEntries());
    sim.ClearRequests();
    EXPECT_TRUE(commands->SendUnforceAll());
    EXPECT_EQ(RequestsOf('K').size(), 1u);
    EXPECT_TRUE(sim.ForceTable().empty());
}

TEST_F(ForceCommandsTest, RefusedWriteLeavesForceMapAndImageAsTheyWere)
{
    commands->ForceAddress("%VB7", 0x55);
    const Bytes before = sim.ForceTable();
    const std::vector<DWORD> image = app->Project.ForceValues;
    sim.ClearRequests();
    ASSERT_TRUE(ReadForcedTable());
    const int readReplies = int(RequestsOf('P').size());
    ASSERT_GT(readReplies, 0);

    CStatusInput* vb7 = TypeRow(0, "%VB7", "1");
    CStatusInput* q = TypeRow(1, "%Q0.0", "1");
    const struct {
        const char* what;
        std::function<BOOL()> run;
    } cases[] = {
        {"force a new operand", [&] { return commands->Force(q); }},
        {"force an operand already forced", [&] { return commands->Force(vb7); }},
        {"unforce", [&] { return commands->Unforce(vb7); }},
        {"force all", [&] { return commands->ForceAll(*chart); }},
        {"editor force", [&] { return commands->ForceAddress("%Q0.0", 1); }},
        {"editor unforce", [&] { return commands->UnforceAddress("%VB7"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sim.SetForceTable(before);
        sim.ClearRequests();
        // The PLC answers the read, then the write fails.
        sim.InjectFault(PlcSimFault::BadChecksum, readReplies);
        ui.box.Clear();
        EXPECT_FALSE(c.run());
        EXPECT_EQ(ui.box.Texts(), Texts({CommErrorText(PLC_CHECKSUM)}));
        EXPECT_EQ(ForcedKeys(), Texts({"%VB7"}));
        EXPECT_EQ(app->Project.ForceValues, image);
        // The rows keep their new values for another try.
        EXPECT_EQ(vb7->newValueText, "B#1");
        EXPECT_EQ(q->newValueText, "2#1");
    }
}

TEST_F(ForceCommandsTest, MalformedPlcTablesAreRefusedAndChangeNothing)
{
    commands->ForceAddress("%VB7", 0x55);
    const std::vector<DWORD> image = app->Project.ForceValues;
    const WORD outside = WORD(FORCE_IMAGE_CELLS);
    const struct {
        const char* what;
        Bytes table;
    } cases[] = {
        {"short", {5, 0, kType, 6, kType}},
        {"length field not the size", Table({0, 1, 0, 0, 0}, {16, 0}) },
        {"counts overrun the block", Table({0, 2, 0, 0, 0}, {16, 0, 0x40})},
        {"counts leave bytes over", Table({0, 1, 0, 0, 0}, {16, 0, 0x40, 0})},
        {"byte outside the image", Table({0, 1, 0, 0, 0}, {LOBYTE(outside), HIBYTE(outside), 1})},
        {"word reaching past the image", Table({0, 0, 1, 0, 0}, {LOBYTE(outside - 1), HIBYTE(outside - 1), 1, 2})},
        {"bool outside the image", Table({1, 0, 0, 0, 0}, {LOBYTE(outside), HIBYTE(outside), 1})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes table = c.table;
        if (std::string(c.what) == "length field not the size")
            table[0] = BYTE(table[0] + 2);
        sim.SetForceTable(table);
        ui.box.Clear();
        EXPECT_FALSE(ReadForcedTable());
        EXPECT_EQ(ui.box.Texts(), Texts({"Received Data error."}));
        EXPECT_EQ(ForcedKeys(), Texts({"%VB7"}));
        EXPECT_EQ(app->Project.ForceValues, image);
    }
    // A sound table of every type is taken.
    sim.SetForceTable(Table({1, 1, 1, 1, 1}, {8, 0, 1, 9, 0, 7, 10, 0, 1, 0, 12, 0, 1, 2, 3, 4, 16, 0, 0, 0, 0x80, 0x3F}));
    ui.box.Clear();
    EXPECT_TRUE(ReadForcedTable());
    EXPECT_TRUE(ui.box.Texts().empty());
    EXPECT_FALSE(app->Project.ForceMap.empty());
}

TEST_F(ForceCommandsTest, A256thEntryOfOneTypeIsRefused)
{
    for (int k = 0; k < FORCE_TABLE_MAX_ENTRIES; ++k) {
        const std::string key = "%VB" + std::to_string(k);
        app->Project.ForceMap.emplace(key, std::make_unique<CForceEntry>(key, Encoded(key), 0x202, 0));
    }
    EXPECT_TRUE(commands->BuildForceTable());
    ASSERT_TRUE(SendForceTable());
    const Bytes full = sim.ForceTable();
    EXPECT_EQ(full[7], 255);

    CStatusInput* extra = TypeRow(0, "%VB300", "1");
    sim.ClearRequests();
    ui.box.Clear();
    EXPECT_FALSE(commands->Force(extra));
    EXPECT_EQ(ui.box.Texts(), Texts({FORCE_TOO_MANY_TEXT}));
    EXPECT_TRUE(RequestsOf('J').empty());
    EXPECT_EQ(sim.ForceTable(), full);
    EXPECT_EQ(app->Project.ForceMap.size(), 255u);
    EXPECT_EQ(app->Project.ForceMap.count("%VB300"), 0u);
}

TEST_F(ForceCommandsTest, ForceSaysSoWhenNoMonitorCycleEnds)
{
    // Monitoring with a monitor that never ends a cycle.
    app->Monitoring = 1;
    CStatusInput* q = TypeRow(0, "%Q0.1", "1");
    EXPECT_FALSE(commands->Force(q));
    EXPECT_EQ(ui.box.Texts(), Texts({FORCE_NO_MONITOR_CYCLE_TEXT}));
    EXPECT_TRUE(ForcedKeys().empty());
    EXPECT_EQ(q->newValueText, "2#1");
    EXPECT_EQ(app->MonitorPause.load(), 0);
    EXPECT_TRUE(sim.Requests().empty());
    app->Monitoring = 0;
}

} // namespace
