#include "plclink/CCanopenImageDecoder.h"

#include "model/CCanOpenSlaveType.h"
#include "model/CMemAreaInfo.h"
#include "model/CZULAppData.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr WORD kKnownTypeId = 0x4D2B;
constexpr WORD kUnknownTypeId = 0x0001;

void Put16(std::vector<BYTE>& bytes, int value)
{
    bytes.push_back(static_cast<BYTE>(value & 0xFF));
    bytes.push_back(static_cast<BYTE>((value >> 8) & 0xFF));
}

struct Mapped {
    BYTE first; // bit 7: a sub-index follows; bits 0..6: size
    int index;
    BYTE sub;
    int address;
};

// One PDO record: COB-ID, inhibit time, transmission type, event time, number, mapped objects.
std::vector<BYTE> Pdo(int cobId, int number, const std::vector<Mapped>& mapped)
{
    std::vector<BYTE> pdo;
    Put16(pdo, cobId);
    Put16(pdo, 100);
    pdo.push_back(254);
    Put16(pdo, 20);
    pdo.push_back(static_cast<BYTE>(number));
    Put16(pdo, 0);
    pdo.push_back(static_cast<BYTE>(mapped.size()));
    for (const Mapped& m : mapped) {
        pdo.push_back(m.first);
        Put16(pdo, m.index);
        pdo.push_back(m.sub);
        pdo.push_back(0);
        Put16(pdo, m.address);
    }
    return pdo;
}

std::vector<BYTE> Slave(int node, WORD typeId, const std::vector<std::vector<BYTE>>& rpdos,
                        const std::vector<std::vector<BYTE>>& tpdos)
{
    std::vector<BYTE> record(54, 0);
    record[2] = static_cast<BYTE>(node);
    record[3] = 2;                         // Watch
    record[4] = 0x2C, record[5] = 0x01;    // HeartTime 300
    record[6] = 0xD0, record[7] = 0x07;    // NodeTime 2000
    record[8] = 4;                         // LifeGene
    record[10] = 0x84, record[11] = 0x03;  // HeartOverTime 900
    record[12] = 0;                        // ErrHandel
    record[13] = 0x91, record[14] = 0x01;  // Type 401
    record[15] = static_cast<BYTE>(typeId & 0xFF);
    record[16] = static_cast<BYTE>(typeId >> 8);
    record[17] = 0x34, record[18] = 0x12;  // BootProg
    record[43] = static_cast<BYTE>(rpdos.size());
    record[48] = static_cast<BYTE>(tpdos.size());
    record.insert(record.end(), 4 * rpdos.size(), 0);
    for (const auto& pdo : rpdos)
        record.insert(record.end(), pdo.begin(), pdo.end());
    record.insert(record.end(), 1 + 4 * tpdos.size(), 0);
    for (const auto& pdo : tpdos)
        record.insert(record.end(), pdo.begin(), pdo.end());
    return record;
}

std::vector<BYTE> Section(int bitRate, BYTE masterByte, const std::vector<std::vector<BYTE>>& slaves)
{
    std::vector<BYTE> section;
    Put16(section, 0);
    Put16(section, bitRate);
    Put16(section, 700);
    section.push_back(masterByte);
    Put16(section, 2000);
    Put16(section, 2010);
    Put16(section, 2030);
    section.push_back(static_cast<BYTE>(slaves.size()));
    for (const auto& slave : slaves) {
        Put16(section, 0);
        Put16(section, static_cast<int>(slave.size()));
    }
    section.insert(section.end(), 4, 0);
    for (const auto& slave : slaves)
        section.insert(section.end(), slave.begin(), slave.end());
    section[0] = static_cast<BYTE>(section.size() & 0xFF);
    section[1] = static_cast<BYTE>(section.size() >> 8);
    return section;
}

class CanopenDecoderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_app = std::make_unique<CZULAppData>();
        g_pAppData = m_app.get();
        m_app->Project.CPUFamilyIndex = 6;
        m_app->LoadAreaTable();
        auto type = std::make_unique<CCanOpenSlaveType>();
        type->name = "Test IO";
        type->typeId = kKnownTypeId;
        AddObject(*type, 0x6000, 1, "Read Input 8 Bit", 16);
        AddObject(*type, 0x6411, 2, "Write Analog Output", 4);
        m_app->SlaveLibrary.insert(m_app->SlaveLibrary.begin(), std::move(type));
    }
    void TearDown() override
    {
        g_pAppData = nullptr;
        m_app.reset();
    }
    static void AddObject(CCanOpenSlaveType& type, int index, int sub, const char* name, int dataType)
    {
        auto* entry = new CCanOpenODEntry;
        entry->index = index;
        entry->subIndex = sub;
        entry->name = name;
        entry->dataType = dataType;
        type.objects.push_back(entry);
    }
    int V(int byte) const { return g_LiveAreaTable[MEM_ROW_V].imageOffset + byte; }
    CZULProject& Project() { return m_app->Project; }

    CScopedUi m_ui;
    std::unique_ptr<CZULAppData> m_app;
};

} // namespace

TEST_F(CanopenDecoderTest, MasterSettingsSlavesPdosAndMappingsComeBack)
{
    const std::vector<BYTE> section =
        Section(125, 255,
                {Slave(3, kKnownTypeId,
                       {Pdo(0x203, 1, {{0x88, 0x6000, 1, V(100)}, {0x90, 0x6001, 1, V(101)}})},
                       {Pdo(0x183, 0, {{0x10, 0x6411, 2, V(200)}, {0x08, 0x7000, 5, V(202)}})}),
                 Slave(9, kUnknownTypeId, {Pdo(0x209, 0, {{0x88, 0x6000, 1, V(300)}})}, {})});
    CCanopenImageDecoder decoder(*m_app);
    ASSERT_TRUE(decoder.DecodeCanopenImage(section, Project()));
    EXPECT_EQ(3, Project().CanOpenBPS);
    EXPECT_EQ(700, Project().OverTime);
    EXPECT_EQ(127, Project().CanOpenMasterAddr);
    EXPECT_EQ(1, Project().NotHandleBoot);
    EXPECT_EQ(2000, Project().NetStates);
    EXPECT_EQ(2010, Project().MasterStates);
    EXPECT_EQ(2030, Project().AllSalveStates);

    const CCanOpenSlave& known = Project().CanOpenSlaves[2];
    EXPECT_EQ(3, known.Node);
    EXPECT_EQ("Test IO", known.Name);
    EXPECT_EQ(2, known.Watch);
    EXPECT_EQ(300, known.HeartTime);
    EXPECT_EQ(2000, known.NodeTime);
    EXPECT_EQ(4, known.LifeGene);
    EXPECT_EQ(900, known.HeartOverTime);
    EXPECT_EQ(0, known.ErrHandel);
    EXPECT_EQ(401, known.Type);
    EXPECT_EQ(0x1234, known.BootProg);
    const CCanOpenPdo& rpdo = known.RPDO[1];
    EXPECT_EQ(0x203, rpdo.COB_ID);
    EXPECT_EQ(100, rpdo.ForbiddenTime);
    EXPECT_EQ(254, rpdo.CommType);
    EXPECT_EQ(20, rpdo.EventTime);
    EXPECT_EQ("Read Input 8 Bit", rpdo.Rows[0].ODName);
    EXPECT_EQ(8, rpdo.Rows[0].Size);
    EXPECT_EQ(0x6000, rpdo.Rows[0].Index);
    EXPECT_EQ(1, rpdo.Rows[0].Sub);
    EXPECT_EQ("%VB100", rpdo.Rows[0].Mem);
    EXPECT_EQ("", rpdo.Rows[1].ODName); // not in the type: counted, no operand type
    EXPECT_EQ(16, rpdo.Rows[1].Size);
    const CCanOpenPdo& tpdo = known.TPDO[0];
    EXPECT_EQ(0x183, tpdo.COB_ID);
    EXPECT_EQ(-1, tpdo.Rows[0].Sub); // no sub-index flag: the sub byte is skipped
    EXPECT_EQ("", tpdo.Rows[0].ODName);
    EXPECT_EQ(-1, tpdo.Rows[1].Sub);

    const CCanOpenSlave& unknown = Project().CanOpenSlaves[8];
    EXPECT_EQ("", unknown.Name);
    EXPECT_EQ(0x209, unknown.RPDO[0].COB_ID);
    EXPECT_EQ("", unknown.RPDO[0].Rows[0].ODName);

    EXPECT_EQ(1, decoder.UnmatchedSlaves);
    EXPECT_EQ(3, decoder.UnmatchedMappings);
    // Slots the section does not name keep their defaults.
    EXPECT_EQ("", Project().CanOpenSlaves[0].Name);
    EXPECT_EQ(0x201, Project().CanOpenSlaves[0].RPDO[0].COB_ID);
}

TEST_F(CanopenDecoderTest, SectionWithoutConfigurationChangesNothing)
{
    CCanopenImageDecoder decoder(*m_app);
    EXPECT_TRUE(decoder.DecodeCanopenImage({2, 0}, Project()));
    EXPECT_EQ(5, Project().CanOpenBPS);
    EXPECT_EQ(500, Project().OverTime);

    std::vector<BYTE> empty = Section(100, 127, {});
    EXPECT_TRUE(decoder.DecodeCanopenImage(empty, Project()));
    EXPECT_EQ(5, Project().CanOpenBPS); // 100 kbit/s has no code of its own
    EXPECT_EQ(127, Project().CanOpenMasterAddr);
    EXPECT_EQ(0, Project().NotHandleBoot);
}

TEST_F(CanopenDecoderTest, SectionsThatDoNotHoldWhatTheyAnnounceAreRefused)
{
    auto withSlave = [](std::vector<BYTE> slave) { return Section(250, 1, {slave}); };
    std::vector<BYTE> badPdoNumber = Slave(4, kKnownTypeId, {Pdo(0x204, 8, {})}, {});
    const std::vector<Mapped> rows(65, {0x08, 0x6000, 0, 0});
    std::vector<BYTE> tooManyRows = Slave(4, kKnownTypeId, {Pdo(0x204, 0, rows)}, {});
    std::vector<BYTE> tooManyPdos = Slave(4, kKnownTypeId, std::vector<std::vector<BYTE>>(9, Pdo(0x204, 0, {})), {});
    std::vector<BYTE> longDirectory = Section(250, 1, {Slave(4, kKnownTypeId, {}, {})});
    longDirectory[16] = 0xFF;
    const struct {
        const char* what;
        std::vector<BYTE> section;
    } cases[] = {
        {"13 bytes", std::vector<BYTE>(13, 0)},
        {"directory beyond the section", {14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3}},
        {"node 0", withSlave(Slave(0, kKnownTypeId, {}, {}))},
        {"node 127", withSlave(Slave(127, kKnownTypeId, {}, {}))},
        {"PDO number 8", withSlave(badPdoNumber)},
        {"65 mapped objects", withSlave(tooManyRows)},
        {"nine receive PDOs", withSlave(tooManyPdos)},
        {"record longer than the section", longDirectory},
    };
    for (const auto& c : cases) {
        CCanopenImageDecoder decoder(*m_app);
        EXPECT_FALSE(decoder.DecodeCanopenImage(c.section, Project())) << c.what;
    }
    const std::vector<BYTE> good =
        Section(250, 1, {Slave(4, kKnownTypeId, {Pdo(0x204, 0, {{0x88, 0x6000, 1, V(10)}})}, {Pdo(0x184, 0, {})})});
    for (size_t length = 14; length < good.size(); ++length) {
        CCanopenImageDecoder decoder(*m_app);
        const std::vector<BYTE> part(good.begin(), good.begin() + static_cast<long>(length));
        EXPECT_FALSE(decoder.DecodeCanopenImage(part, Project())) << length;
    }
}
