#include "ImageProjectFixture.h"

#include "plclink/CCanOpenImageSection.h"
#include "plclink/CDownloadImageBuilder.h"

#include "model/CMemAreaInfo.h"
#include "model/StringCRC16.h"
#include "platform/ByteString.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int VC16 = 7;

// "从站 %d 中没有添加任何正确OD映射或未启用, 将忽略此从站"
const char* const SLAVE_SKIPPED_GBK =
    "\xB4\xD3\xD5\xBE %d \xD6\xD0\xC3\xBB\xD3\xD0\xCC\xED\xBC\xD3\xC8\xCE\xBA\xCE\xD5\xFD\xC8\xB7OD\xD3\xB3\xC9\xE4"
    "\xBB\xF2\xCE\xB4\xC6\xF4\xD3\xC3, \xBD\xAB\xBA\xF6\xC2\xD4\xB4\xCB\xB4\xD3\xD5\xBE";
// "CanOpen网络最多支持 64 个RPDO  64 个TPDO, 请删除多余的PDO映射, 重新编译"
const char* const TOO_MANY_PDOS_GBK =
    "CanOpen\xCD\xF8\xC2\xE7\xD7\xEE\xB6\xE0\xD6\xA7\xB3\xD6 64 \xB8\xF6RPDO  64 \xB8\xF6TPDO, "
    "\xC7\xEB\xC9\xBE\xB3\xFD\xB6\xE0\xD3\xE0\xB5\xC4PDO\xD3\xB3\xC9\xE4, \xD6\xD8\xD0\xC2\xB1\xE0\xD2\xEB";
// "CanOpen网络最多支持 64 个从站, 多出的从站将被忽略"
const char* const TOO_MANY_SLAVES_GBK =
    "CanOpen\xCD\xF8\xC2\xE7\xD7\xEE\xB6\xE0\xD6\xA7\xB3\xD6 64 \xB8\xF6\xB4\xD3\xD5\xBE, "
    "\xB6\xE0\xB3\xF6\xB5\xC4\xB4\xD3\xD5\xBE\xBD\xAB\xB1\xBB\xBA\xF6\xC2\xD4";

void AppendWord(Bytes& bytes, int value)
{
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
}

class CanOpenImageSectionTest : public ImageProjectFixture {
protected:
    void SetUp() override
    {
        ImageProjectFixture::SetUp();
        UseFamily(VC16, 2);
    }

    CCanOpenSlave& Slave(int slot) { return Project().CanOpenSlaves[slot]; }

    void MapOne(int slot, bool receive)
    {
        CCanOpenSlave& slave = Slave(slot);
        slave.Name = "IO";
        CCanOpenMappedObject& row = (receive ? slave.RPDO : slave.TPDO)[0].Rows[0];
        row.ODName = "Out";
        row.Index = 0x6200;
        row.Sub = 1;
        row.Size = 8;
        row.Mem = "%VB10";
    }

    BOOL Build(Bytes& section) { return CCanOpenImageSection(Project()).Build(section); }
};

TEST_F(CanOpenImageSectionTest, OneSlaveWithTwoMappedObjectsInOneReceivePdo)
{
    CCanOpenSlave& slave = Slave(0);
    slave.Name = "Drive";
    slave.Type = 0x191;
    CCanOpenPdo& pdo = slave.RPDO[1];
    pdo.COB_ID = 0x301;
    pdo.Rows[0] = {"Speed", 0x6042, 0, 16, "%VW100"};
    pdo.Rows[1] = {"Unmapped", 0x6041, 0, 16, ""};
    pdo.Rows[3] = {"Control", 0x6040, -1, 16, "%VW102"};

    Bytes section;
    ASSERT_TRUE(Build(section));

    WORD typeId = 0;
    StringCRC16("Drive", typeId);
    const WORD vw100 = EncodeAddress("%VW100", 0);
    const WORD vw102 = EncodeAddress("%VW102", 0);
    Bytes expected;
    AppendWord(expected, 362);
    AppendWord(expected, 500); // code 5
    for (int b : {0xF4, 0x01, 0xFF, 0xE8, 0x03, 0xF2, 0x03, 0x06, 0x04, 0x01})
        expected.push_back(static_cast<unsigned char>(b));
    for (int b : {22, 0, 84, 0, 106, 0, 0, 1})
        expected.push_back(static_cast<unsigned char>(b));
    // Slave record at 22: 84 bytes.
    for (int b : {43, 0, 1, 1, 0xF4, 0x01, 0xE8, 0x03, 3, 0, 0x58, 0x02, 1, 0x91, 0x01})
        expected.push_back(static_cast<unsigned char>(b));
    AppendWord(expected, typeId);
    AppendWord(expected, 0xFFFF);
    expected.insert(expected.end(), 24, 0);
    for (int b : {1, 75, 0, 30, 0, 0, 105, 0, 1, 0})
        expected.push_back(static_cast<unsigned char>(b));
    // Receive part at 75: one entry, the record at 80 of 25 bytes.
    for (int b : {1, 80, 0, 25, 0})
        expected.push_back(static_cast<unsigned char>(b));
    for (int b : {0x01, 0x03, 0xE8, 0x03, 0xFF, 0x0A, 0x00, 1, 0, 0, 2})
        expected.push_back(static_cast<unsigned char>(b));
    for (int b : {0x90, 0x42, 0x60, 0x00, 0x00})
        expected.push_back(static_cast<unsigned char>(b));
    AppendWord(expected, vw100);
    for (int b : {0x10, 0x40, 0x60, 0xFF, 0x00})
        expected.push_back(static_cast<unsigned char>(b));
    AppendWord(expected, vw102);
    expected.push_back(0); // empty transmit part
    expected.insert(expected.end(), 256, 0);
    EXPECT_TRUE(BytesEqual(expected, section));
}

TEST_F(CanOpenImageSectionTest, NoQualifyingSlaveGivesTheBareLengthInBlockFive)
{
    AddModule(47);
    Project().SetModbusInt(1, MODBUS_SWITCH_OFFSET, -1);
    WriteObjectCode({0x01});
    Slave(3).Name = "Unused";
    Slave(3).Valid = 0;
    Slave(3).RPDO[0].Rows[0] = {"Out", 0x6200, 1, 8, "%VB0"};

    CDownloadImageBuilder builder(*m_app);
    ASSERT_EQ(1, builder.BuildDownloadImage());

    const Bytes& b5 = Project().ImageBlocks[2];
    ASSERT_EQ(400u, b5.size());
    EXPECT_TRUE(BytesEqual(BytesFromHex("02 00  02 00"), Bytes(b5.begin() + 202, b5.begin() + 206)));
    EXPECT_TRUE(BytesEqual(Bytes(192, 0), Bytes(b5.begin() + 206, b5.begin() + 398)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("02 00"), Bytes(b5.begin() + 398, b5.end())));
    EXPECT_EQ(2, Project().ImageBlocks[0][5]);
    EXPECT_EQ(std::vector<std::string>{ByteString::Format(SLAVE_SKIPPED_GBK, 4)}, m_ui.box.Texts());
    EXPECT_EQ("ZUL_Q7", m_ui.box.Messages()[0].caption);
}

TEST_F(CanOpenImageSectionTest, PdoLimitIsCheckedBeforeTheSlaveLimit)
{
    for (int slot = 0; slot < 65; ++slot)
        MapOne(slot, true);
    Bytes section;
    EXPECT_FALSE(Build(section));
    EXPECT_EQ(std::vector<std::string>{TOO_MANY_PDOS_GBK}, m_ui.box.Texts());
}

TEST_F(CanOpenImageSectionTest, MoreThanSixtyFourSlavesKeepTheFirstSixtyFour)
{
    for (int slot = 0; slot < 70; ++slot)
        MapOne(slot, slot < 40);
    Bytes section;
    ASSERT_TRUE(Build(section));
    EXPECT_EQ(std::vector<std::string>{TOO_MANY_SLAVES_GBK}, m_ui.box.Texts());
    ASSERT_GT(section.size(), 14u);
    EXPECT_EQ(64, section[13]);
    EXPECT_EQ(section.size(), size_t(section[0] | (section[1] << 8)));
    // The last directory entry names the record of slot 63 (node 64).
    const int lastRecord = section[14 + 4 * 63] | (section[15 + 4 * 63] << 8);
    EXPECT_EQ(64, section[lastRecord + 2]);
}

} // namespace
