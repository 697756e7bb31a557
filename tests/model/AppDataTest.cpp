#include "AppDataFixture.h"

#include "model/CCanOpenSlaveType.h"
#include "model/POULanguageTable.h"
#include "model/StringCRC16.h"

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

class AppDataTest : public AppDataFixture {};

TEST_F(AppDataTest, ConstructionState)
{
    const CZULAppData& app = *m_app;
    for (int i = 0; i < PROJECT_BLOB_COUNT; ++i) {
        ASSERT_EQ(app.BlobLengths[i], 0u) << i;
        ASSERT_TRUE(app.Blobs[i].empty()) << i;
    }
    EXPECT_EQ(app.Monitoring, 0);
    EXPECT_EQ(app.MonitorPause, 0);
    ASSERT_TRUE(app.MonitorRoundEvent);
    ASSERT_TRUE(app.MonitorEndEvent);
    EXPECT_FALSE(app.MonitorRoundEvent->IsSignalled());
    EXPECT_FALSE(app.MonitorEndEvent->IsSignalled());

    EXPECT_EQ(app.FullRedraw, 0);
    EXPECT_EQ(app.SearchFlag, 1);
    EXPECT_EQ(app.HardwareManualName, "Hardware manual for Orvel-Q7_V5_2011.pdf");
    EXPECT_EQ(app.HelpFileName, "OrvelBuilder_V1.1.3.1_En.chm");
    EXPECT_EQ(app.DownloadNoteText, "");
    EXPECT_EQ(app.ProfileSubType, 0);
    EXPECT_EQ(app.DataBackupUsed, 0);
    EXPECT_EQ(app.CompilingForDownload, 0);
    EXPECT_EQ(app.CheckLocalVarAllocation, 1);
    EXPECT_EQ(app.LocalVarMapOption, 0);
    EXPECT_EQ(app.NewStyleDialogs, 1);
    EXPECT_EQ(app.ProjectOpen, 0);
    EXPECT_EQ(app.OnlineFormat, 0);
    EXPECT_EQ(app.SymbolicAddressing, 1);
    EXPECT_EQ(app.PlcRunState, 0);
    EXPECT_EQ(app.Interface, 2);
    EXPECT_EQ(app.DefaultCPU, 6);
    EXPECT_EQ(app.DefaultPOULang, 2);
    EXPECT_EQ(app.IfCompileBeforeDown, 0);
    EXPECT_EQ(app.IfCompileBeforeOnline, 0);
    EXPECT_EQ(app.PIDSubroutineBase, 90);
    EXPECT_EQ(app.PIDLoops[0].VWBase, 2900);
    EXPECT_EQ(app.PIDLoops[7].DutyPeriod, 149);
    EXPECT_EQ(app.Find.ResultCount, 0);
    EXPECT_EQ(app.Find.MarkCount, 0);
    EXPECT_EQ(app.Project.ForceImageSize, 0);
}

TEST_F(AppDataTest, ClearProjectBlobsEmptiesEveryBlob)
{
    m_app->Blobs[0] = {'[', '[', ']', ']'};
    m_app->BlobLengths[0] = 4;
    m_app->Blobs[199].assign(1000, 0xAB);
    m_app->BlobLengths[199] = 1000;
    m_app->ClearProjectBlobs();
    for (int i = 0; i < PROJECT_BLOB_COUNT; ++i) {
        EXPECT_EQ(m_app->BlobLengths[i], 0u) << i;
        EXPECT_TRUE(m_app->Blobs[i].empty()) << i;
    }
}

TEST(DbcsByteKindTest, KindsOfTheBytes)
{
    struct Case {
        std::string text;
        std::vector<int> kinds;
    };
    const Case cases[] = {
        {"AB", {0, 0}},
        {"\xB0\xA1\xB0\xA2", {1, 2, 1, 2}},
        {"A\xB0\xA1" "B", {0, 1, 2, 0}},
        // The classification goes by the top bit alone: a single-byte
        // character does not restart the lead/trail alternation.
        {"\xB0" "A\xB0" "B", {1, 0, 2, 0}},
        // A trail byte without the top bit is taken for a single-byte character.
        {"\x81\x40\x81\x40", {1, 0, 2, 0}},
    };
    for (const Case& c : cases) {
        for (size_t i = 0; i < c.kinds.size(); ++i)
            EXPECT_EQ(CZULAppData::GetDbcsByteKind(c.text, static_cast<int>(i)), c.kinds[i]) << i;
    }
}

TEST(DbcsByteKindTest, OnlyTheFirst255BytesAreClassified)
{
    std::string text(300, '\xB0');
    EXPECT_EQ(CZULAppData::GetDbcsByteKind(text, 253), DBCS_TRAIL);
    EXPECT_EQ(CZULAppData::GetDbcsByteKind(text, 254), DBCS_LEAD);
    EXPECT_EQ(CZULAppData::GetDbcsByteKind(text, 255), DBCS_SINGLE);
    EXPECT_EQ(CZULAppData::GetDbcsByteKind(text, 299), DBCS_SINGLE);
    EXPECT_EQ(CZULAppData::GetDbcsByteKind(text, 100000), DBCS_SINGLE);
    EXPECT_EQ(CZULAppData::GetDbcsByteKind(text, -1), DBCS_SINGLE);
    EXPECT_EQ(CZULAppData::GetDbcsByteKind("", 0), DBCS_SINGLE);
    EXPECT_EQ(CZULAppData::GetDbcsByteKind("\xB0", 1), DBCS_SINGLE);
}

TEST(POULanguageTableTest, ClearSetsAll199BytesToZero)
{
    for (BYTE& entry : g_POULanguageTable)
        entry = 2;
    ClearPOULanguageTable();
    for (int i = 0; i < POU_LANGUAGE_TABLE_BYTES; ++i)
        EXPECT_EQ(g_POULanguageTable[i], 0) << i;
}

// A release by a thread that does not hold the port lock (closing the
// project, the destructor) leaves the holder's lock in place.
TEST_F(AppDataTest, PortLockReleaseByNonHolderIsHarmless)
{
    std::atomic<bool> taken {false};
    std::atomic<bool> release {false};
    std::thread holder([&] {
        ASSERT_TRUE(m_app->PortLock.Lock(1000));
        taken = true;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        m_app->PortLock.Unlock();
    });
    while (!taken)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    m_app->PortLock.Unlock();
    EXPECT_FALSE(m_app->PortLock.Lock(50));
    release = true;
    holder.join();
    EXPECT_TRUE(m_app->PortLock.Lock(1000));
    m_app->PortLock.Unlock();
}

TEST_F(AppDataTest, MonitorValueLockWaitsAtMostItsTime)
{
    std::atomic<bool> taken {false};
    std::atomic<bool> release {false};
    std::thread monitor([&] {
        ASSERT_TRUE(m_app->MonitorValueLock.Lock(100));
        taken = true;
        while (!release)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        m_app->MonitorValueLock.Unlock();
    });
    while (!taken)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(m_app->MonitorValueLock.Lock(50));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(45));
    release = true;
    monitor.join();
    EXPECT_TRUE(m_app->MonitorValueLock.Lock(100));
    m_app->MonitorValueLock.Unlock();
}

// The round event lets one waiting force command through per signal.
TEST_F(AppDataTest, MonitorRoundEventIsAutoReset)
{
    std::atomic<bool> released {false};
    std::thread waiter([&] { released = m_app->MonitorRoundEvent->Lock(5000) != FALSE; });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    m_app->MonitorRoundEvent->SetEvent();
    waiter.join();
    EXPECT_TRUE(released);
    EXPECT_FALSE(m_app->MonitorRoundEvent->Lock(20));

    m_app->MonitorEndEvent->SetEvent();
    m_app->MonitorEndEvent->ResetEvent();
    EXPECT_FALSE(m_app->MonitorEndEvent->Lock(20));
}

TEST(StringCRC16Test, TypeIdsOfNames)
{
    WORD id = 0;
    EXPECT_TRUE(StringCRC16("abc", id));
    EXPECT_EQ(id, 0x4957);
    EXPECT_TRUE(StringCRC16("", id));
    EXPECT_EQ(id, 0xFFFF);
}

TEST_F(AppDataTest, SlaveLibraryHoldsTheBuiltInTypes)
{
    ASSERT_EQ(m_app->SlaveLibrary.size(), 2u);
    const CCanOpenSlaveType* drive = m_app->SlaveLibrary[0].get();
    const CCanOpenSlaveType* io = m_app->SlaveLibrary[1].get();
    EXPECT_EQ(drive->name, "MX Servo");
    EXPECT_EQ(drive->typeCode, 402);
    EXPECT_EQ(drive->category, "CANOPENDRIVE");
    EXPECT_EQ(drive->objects.size(), 132u);
    EXPECT_EQ(io->name, "CANOPEN_IO");
    EXPECT_EQ(io->typeCode, 401);
    EXPECT_EQ(io->category, "CANOPENIO");
    EXPECT_EQ(io->objects.size(), 4u);
    WORD id = 0;
    StringCRC16("MX Servo", id);
    EXPECT_EQ(drive->typeId, id);
    EXPECT_EQ(m_app->FindSlaveType(id), drive);
    StringCRC16("CANOPEN_IO", id);
    EXPECT_EQ(io->typeId, id);
    EXPECT_EQ(m_app->FindSlaveType(std::string("CANOPEN_IO")), io);
    EXPECT_EQ(m_app->FindSlaveType(std::string("canopen_io")), nullptr);
    EXPECT_EQ(m_app->FindSlaveType(WORD {0}), nullptr);
}

TEST_F(AppDataTest, BuiltInEntriesTakeIndexAndSubIndexFromTheirKeys)
{
    struct Case {
        int type;
        const char* name;
        int index, subIndex, access, dataType, objectType, mappable, defaultValue, subNumber;
        const char* key;
    };
    const Case cases[] = {
        {1, "uIO_inPut", 0x6000, 1, OD_ACCESS_RO, OD_TYPE_UNSIGNED8, OD_OBJECT_VAR, 1, 0, 0, "6000SUB1"},
        {1, "uIO_outPut", 0x6200, 0, OD_ACCESS_RWW, OD_TYPE_UNSIGNED8, OD_OBJECT_VAR, 1, 0, 0, "6200SUB0"},
        {1, "tx_pdo1_maping_list", 0x6000, -1, -1, -1, OD_OBJECT_ARRAY, 0, 0, 2, "6000"},
        {0, "deftype_Integer8", 0x0002, -1, OD_ACCESS_RWW, OD_TYPE_INTEGER8, OD_OBJECT_DEFTYPE, 1, 8, 0, "0002"},
        {0, "univeral variable10", 0x2100, 10, OD_ACCESS_RW, OD_TYPE_INTEGER32, OD_OBJECT_VAR, 1, 0, 0, "2100SUBA"},
        {0, "output0_cfg", 0x2160, -1, OD_ACCESS_RO, 0, OD_OBJECT_RECORD, 0, 0, 8, "2160"},
        {0, "joy_cfg.joy_val", 0x250A, 15, OD_ACCESS_RO, OD_TYPE_INTEGER32, OD_OBJECT_VAR, 1, -8064000, 0, "250ASUBF"},
        {0, "joy_cfg.joy_output", 0x250A, 16, OD_ACCESS_RO, OD_TYPE_INTEGER32, OD_OBJECT_VAR, 1, 0, 0, "250ASUB10"},
        {0, "modes_of_operation", 0x6060, -1, OD_ACCESS_WO, OD_TYPE_INTEGER8, OD_OBJECT_VAR, 1, 0, 0, "6060"},
        {0, "torque_ctrl_para.dac_offset1", 0x60F6, 19, OD_ACCESS_RWW, OD_TYPE_INTEGER16, OD_OBJECT_VAR, 1, 2100, 0,
            "60F6SUB13"},
        {0, "supp_drive_modes", 0x6502, -1, OD_ACCESS_RO, OD_TYPE_UNSIGNED32, OD_OBJECT_VAR, 1, 37, 0, "6502"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CCanOpenSlaveType* type = m_app->SlaveLibrary[c.type].get();
        const CCanOpenODEntry* entry = type->FindEntryByName(c.name);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(type->FindEntry(c.index, c.subIndex), entry);
        EXPECT_EQ(entry->index, c.index);
        EXPECT_EQ(entry->subIndex, c.subIndex);
        EXPECT_EQ(entry->access, c.access);
        EXPECT_EQ(entry->dataType, c.dataType);
        EXPECT_EQ(entry->objectType, c.objectType);
        EXPECT_EQ(entry->pdoMappable, c.mappable);
        EXPECT_EQ(entry->defaultValue, c.defaultValue);
        EXPECT_EQ(entry->subNumber, c.subNumber);
        EXPECT_EQ(entry->sectionKey, c.key);
    }
    EXPECT_EQ(m_app->SlaveLibrary[0]->objects.front()->name, "deftype_Integer8");
    EXPECT_EQ(m_app->SlaveLibrary[0]->objects.back()->name, "supp_drive_modes");
    EXPECT_EQ(m_app->SlaveLibrary[1]->FindEntry(0x6000, 2), nullptr);
    EXPECT_EQ(m_app->SlaveLibrary[1]->FindEntryByName("uio_input"), nullptr);
}
