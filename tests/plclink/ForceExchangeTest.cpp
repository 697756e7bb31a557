#include "MonitorFixture.h"

#include "model/CpuProfile.h"
#include "model/SharedServices.h"
#include "plclink/ForceExchange.h"
#include "support/TempFolder.h"

#include <string>

namespace {

class CRecordingForceMapBuilder : public IForceMapBuilder {
public:
    void RebuildForceMap(const std::vector<BYTE>& forceTable) override { tables.push_back(forceTable); }
    std::vector<std::vector<BYTE>> tables;
};

// A force table of n BYTE entries: addresses 16, 17, ... with values 0x40 + k.
std::vector<BYTE> ByteEntriesTable(int n, BYTE blockType = 9)
{
    std::vector<BYTE> table = {0, 0, blockType, 6, blockType, 0, 0, static_cast<BYTE>(n), 0, 0, 0};
    for (int k = 0; k < n; ++k) {
        table.push_back(static_cast<BYTE>(16 + k));
        table.push_back(0);
    }
    for (int k = 0; k < n; ++k)
        table.push_back(static_cast<BYTE>(0x40 + k));
    table[0] = LOBYTE(table.size());
    table[1] = HIBYTE(table.size());
    return table;
}

class ForceExchangeTest : public MonitorFixture {
public:
    void SetUp() override
    {
        MonitorFixture::SetUp();
        SetForceMapBuilder(&builder);
        m_blockType = ForceTableBlockType;
        // Every entry of a table read must lie inside the force image.
        app->Project.ForceImageSize = FORCE_IMAGE_CELLS;
        app->Project.AllocateForceBuffers();
    }
    void TearDown() override
    {
        SetForceMapBuilder(nullptr);
        ForceTableBlockType = m_blockType;
        MonitorFixture::TearDown();
    }

    // After an exchange outside monitoring the port is closed and the lock free.
    void ExpectPortGivenBack()
    {
        EXPECT_FALSE(g_PlcCommPort.IsOpen());
        EXPECT_TRUE(FreeForOthers(app->PortLock));
    }

    std::vector<BYTE>& Block() { return app->Project.ForceTableBlock; }

    CRecordingForceMapBuilder builder;
    TempFolder folder;
    int m_blockType = 0;
};

TEST_F(ForceExchangeTest, OutsideMonitoringEachExchangeOpensThePortUnderTheLockAndGivesItBack)
{
    std::vector<BYTE> plcTable = ByteEntriesTable(3);
    sim.SetForceTable(plcTable);
    EXPECT_TRUE(RequestForcedTable());
    EXPECT_EQ(Block(), plcTable);
    ExpectPortGivenBack();

    // A table of three blocks goes out as blocks 2, 1, 0.
    Block() = ByteEntriesTable(140);
    ASSERT_GT(Block().size(), 400u);
    EXPECT_TRUE(SendForceTable());
    EXPECT_EQ(sim.ForceTable(), Block());
    std::vector<std::vector<BYTE>> writes = RequestsOf('J');
    ASSERT_EQ(writes.size(), 3u);
    EXPECT_EQ(writes[0][2], 2);
    EXPECT_EQ(writes[2][2], 0);
    ExpectPortGivenBack();

    EXPECT_TRUE(SendUnforceAll());
    EXPECT_TRUE(sim.ForceTable().empty());
    EXPECT_EQ(RequestsOf('K').size(), 1u);
    ExpectPortGivenBack();
    EXPECT_TRUE(ui.box.Texts().empty());
}

TEST_F(ForceExchangeTest, ReadingTheForceTableStartsFromAnEmptyTableAndChecksTheLengthField)
{
    // A PLC without a force table: the empty table of the profile's block type stands.
    Block() = ByteEntriesTable(2);
    ForceTableBlockType = 10;
    EXPECT_TRUE(ReadForcedTable());
    const std::vector<BYTE> empty = {11, 0, 10, 6, 10, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Block(), empty);
    EXPECT_EQ(MakeEmptyForceTable(10), empty);

    std::vector<BYTE> plcTable = ByteEntriesTable(5);
    sim.SetForceTable(plcTable);
    EXPECT_TRUE(ReadForcedTable());
    EXPECT_EQ(Block(), plcTable);
    EXPECT_EQ(builder.tables, std::vector<std::vector<BYTE>>({empty, plcTable}));
    EXPECT_TRUE(ui.box.Texts().empty());

    // Tables whose length field is not their size reach no force map.
    for (std::vector<BYTE> bad : {std::vector<BYTE>{9}, ByteEntriesTable(5)}) {
        if (bad.size() > 1)
            bad[0] = static_cast<BYTE>(bad[0] + 1);
        sim.SetForceTable(bad);
        ui.box.Clear();
        EXPECT_FALSE(ReadForcedTable());
        std::vector<RecordedMessage> messages = ui.box.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, "Error");
        EXPECT_EQ(messages[0].text, "Received Data error.");
        EXPECT_EQ(messages[0].type, MB_OK | MB_ICONERROR);
        EXPECT_EQ(builder.tables.size(), 2u);
        ExpectPortGivenBack();
    }
}

TEST_F(ForceExchangeTest, OutsideMonitoringABusyPortOrAFailedExchangeIsReported)
{
    {
        CLockHeldElsewhere otherCommand(app->PortLock);
        EXPECT_FALSE(SendUnforceAll());
    }
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>({"Unable to communicate because the communication port is busy now."}));
    EXPECT_TRUE(sim.Requests().empty());

    ui.box.Clear();
    sim.InjectFault(PlcSimFault::BadChecksum);
    Block() = ByteEntriesTable(1);
    EXPECT_FALSE(SendForceTable());
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>({CommErrorText(PLC_CHECKSUM)}));
    ExpectPortGivenBack();

    ui.box.Clear();
    sim.InjectFault(PlcSimFault::Stall);
    EXPECT_FALSE(RequestForcedTable());
    EXPECT_EQ(ui.box.Texts(), std::vector<std::string>({CommErrorText(PLC_TIMEOUT)}));
    ExpectPortGivenBack();
}

TEST_F(ForceExchangeTest, APortThatCannotBeOpenedIsReportedOnceMoreOnlyForTheTableRead)
{
    port.reset();
    port = std::make_unique<CScopedGlobalPort>(folder / "no-such-port");
    const std::string missing = "The specified port does not exist.";
    const struct {
        const char* what;
        BOOL (*run)();
        std::vector<std::string> shown;
    } cases[] = {
        {"read", RequestForcedTable, {missing, CommErrorText(PLC_OPEN_FAILED)}},
        {"write", SendForceTable, {missing}},
        {"unforce all", SendUnforceAll, {missing}},
    };
    for (const auto& c : cases) {
        ui.box.Clear();
        EXPECT_FALSE(c.run()) << c.what;
        EXPECT_EQ(ui.box.Texts(), c.shown) << c.what;
        ExpectPortGivenBack();
    }
}

TEST_F(ForceExchangeTest, WhileMonitoringAFailedExchangeFailsWithoutAMessage)
{
    StartMonitoring();
    // The thread rests between two cycles: the next reply is the force table's.
    sim.InjectFault(PlcSimFault::BadChecksum);
    Block() = ByteEntriesTable(1);
    EXPECT_FALSE(SendForceTable());
    EXPECT_TRUE(ui.box.Texts().empty()) << ui.box.Texts().front();
    EXPECT_EQ(app->MonitorPause.load(), 0);
}

TEST_F(ForceExchangeTest, WhileMonitoringTheExchangesFallBetweenTwoCyclesOnTheOpenPort)
{
    StartMonitoring();
    poster.RunPosted();
    sim.ClearRequests();

    Block() = ByteEntriesTable(140);
    EXPECT_TRUE(SendForceTable());
    EXPECT_EQ(sim.ForceTable(), Block());
    std::vector<BYTE> plcTable = sim.ForceTable();
    Block().clear();
    EXPECT_TRUE(RequestForcedTable());
    EXPECT_EQ(Block(), plcTable);
    EXPECT_TRUE(SendUnforceAll());
    EXPECT_TRUE(sim.ForceTable().empty());

    // The monitor went on afterwards, on the same port and lock.
    NextCycle();
    EXPECT_TRUE(ui.box.Texts().empty());
    EXPECT_TRUE(g_PlcCommPort.IsOpen());
    EXPECT_FALSE(FreeForOthers(app->PortLock));
    EXPECT_EQ(app->MonitorPause.load(), 0);
    EXPECT_EQ(app->Monitoring.load(), 1);
    // No monitor cycle broke into a block transfer.
    std::string letters = LetterSequence();
    size_t first = letters.find('J');
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(letters.substr(first, 3), "JJJ");
    size_t read = letters.find('P');
    ASSERT_NE(read, std::string::npos);
    EXPECT_EQ(letters.substr(read, 3), "PPP");
    EXPECT_NE(letters.find('K', read), std::string::npos);
    EXPECT_EQ(letters.back(), 'L');
}

} // namespace
