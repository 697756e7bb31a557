#include "ImageProjectFixture.h"

#include "plclink/CDownloadImageBuilder.h"
#include "plclink/MonitorLists.h"

#include "model/CMemAreaInfo.h"
#include "model/CProjTreeNode.h"
#include "model/CZULAppData.h"
#include "model/CZULInitData.h"
#include "model/CZULStatus.h"
#include "model/CpuProfile.h"
#include "model/Crc16Modbus.h"
#include "model/POULanguageTable.h"
#include "model/StringCRC16.h"
#include "platform/FileSystem.h"

#include <sys/stat.h>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int VB12 = 0;
constexpr int VB14 = 1;
constexpr int VB16 = 2;
constexpr int VB14EX = 4;
constexpr int VA10 = 5;
constexpr int VC16 = 7;

int Word(const Bytes& bytes, size_t offset)
{
    return bytes[offset] | (bytes[offset + 1] << 8);
}

Bytes Slice(const Bytes& bytes, size_t offset, size_t count)
{
    return Bytes(bytes.begin() + static_cast<long>(offset), bytes.begin() + static_cast<long>(offset + count));
}

class DownloadImageTest : public ImageProjectFixture {
protected:
    const Bytes& Block(int number) const
    {
        return number == 9 ? m_app->Project.ImageBlock9 : m_app->Project.ImageBlocks[number - 3];
    }

    int Build()
    {
        CDownloadImageBuilder builder(*m_app);
        return builder.BuildDownloadImage();
    }

    // A CPU with its digital ranges at the start of I and Q.
    CZUL_Q7_PLC& AddCpu(BYTE code)
    {
        CZUL_Q7_PLC& cpu = AddModule(code);
        cpu.iStart = 0;
        cpu.iEnd = 1;
        cpu.qStart = 0;
        cpu.qEnd = 1;
        return cpu;
    }

    void SetModbusMaster(int switchValue)
    {
        Project().SetModbusInt(1, MODBUS_SWITCH_OFFSET, switchValue);
        Project().SetModbusInt(1, MODBUS_TIMEOUT_OFFSET, 1000);
        Project().ModbusRetries = 3;
    }

    void AddSubroutineAndInterrupt()
    {
        auto* sbr = new CProjTreeNode;
        sbr->kind = NODE_SUBROUTINE;
        sbr->name = "Fill";
        sbr->number = 0;
        Project().POUs.AddSubroutineNode(sbr);
        auto* isr = new CProjTreeNode;
        isr->kind = NODE_INTERRUPT;
        isr->name = "Tick";
        isr->number = 0;
        Project().POUs.AddInterruptNode(isr);
    }
};

TEST_F(DownloadImageTest, VA10WithOnlyTheCpuBuildsSixBlocksAndWritesThemInOrder)
{
    UseFamily(VA10, 0);
    CZUL_Q7_PLC& cpu = AddModule(50);
    cpu.iStart = 0;
    cpu.iEnd = 1;
    cpu.qStart = 0;
    cpu.qEnd = 0;
    WriteObjectCode({0xAA, 0xBB, 0xCC});

    CDownloadImageBuilder builder(*m_app);
    ASSERT_EQ(1, builder.BuildDownloadImage());

    EXPECT_TRUE(BytesEqual(BytesFromHex("18 00 03 06 03 00  0D 00 8F 00 09 00 08 00 0A 00  01  01 00 00 00 00  00 00"),
                           Block(3)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("0D 00 04 06 04 00 01  32 00 00 01 00 00"), Block(4)));
    ASSERT_EQ(143u, Block(5).size());
    EXPECT_TRUE(BytesEqual(BytesFromHex("8F 00 05 06 05 00"), Slice(Block(5), 0, 6)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("09 00 06 06 06 00 AA BB CC"), Block(6)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("08 00 07 06 07 00 02 00"), Block(7)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("0A 00 08 06 08 00 00 00 00 00"), Block(8)));

    Bytes covered;
    for (int number : {4, 5, 6, 7})
        covered.insert(covered.end(), Block(number).begin(), Block(number).end());
    EXPECT_EQ(CRC16Modbus(covered.data(), static_cast<DWORD>(covered.size())), builder.ComputeImageCRC());

    ASSERT_EQ(1, builder.WriteObjFile());
    Bytes expected;
    for (int number = 3; number <= 8; ++number)
        expected.insert(expected.end(), Block(number).begin(), Block(number).end());
    EXPECT_EQ(207u, expected.size());
    EXPECT_TRUE(BytesEqual(expected, ReadFileBytes(m_folder / "demo.obj")));
}

TEST_F(DownloadImageTest, VariantZeroCpuBlockCarriesRangesOptionsStopStatesChannelsAndPorts)
{
    UseFamily(VB14, 0);
    CZUL_Q7_PLC& cpu = AddCpu(2);
    cpu.retain[0] = {0, 100, 50};
    cpu.retain[1] = {1, 5, 3};
    for (int i = 0; i < MODULE_OPTION_BYTES; ++i)
        cpu.optionBytes[i] = static_cast<BYTE>(i + 1);
    cpu.stopStates[8] = 1;
    cpu.ports[0] = {3, 4, 2, 1, 1};
    CZUL_Q7_PLC& relays = AddModule(12);
    relays.qStart = 2;
    relays.qEnd = 3;
    relays.stopStates[0] = 1;
    relays.stopStates[9] = 1;
    CZUL_Q7_PLC& thermo = AddModule(20);
    thermo.aiStart = 0;
    thermo.aiEnd = 7;
    const BYTE functions[4] = {10, 7, 8, 9};
    const BYTE filters[4] = {2, 0, 1, 0};
    std::copy(functions, functions + 4, thermo.aiFunction);
    std::copy(filters, filters + 4, thermo.aiFilter);
    CZUL_Q7_PLC& ao = AddModule(23);
    ao.aoStart = 2;
    ao.aoEnd = 5;
    ao.aoRange[0] = 3;
    ao.aoStopMode[0] = 1;
    ao.aoFreezeValue[0] = 0x1234;
    ao.aoRange[1] = 1;
    ao.aoFreezeValue[1] = 0x10005;
    WriteObjectCode({0x01});

    ASSERT_EQ(1, Build());

    EXPECT_TRUE(BytesEqual(BytesFromHex("1F 00 04 06 04 00 04  02 00 00 01 00 01  0C 01 FF FF 02 03"
                                        "  14 02 00 07 FF FF  17 03 FF FF 02 05"),
                           Block(4)));
    const Bytes& b5 = Block(5);
    ASSERT_EQ(191u, b5.size());
    // V starts at 410 and C at 5162 in this family's image.
    EXPECT_TRUE(BytesEqual(BytesFromHex("00 00 FE 01 32 00  01 01 2F 14 03 00  02 01 2A 14 00 00"),
                           Slice(b5, 6, 18)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("00 01 02 03 04 05 06 07 08  01 09 0A 0B 0C 0D 0E 0F 10"),
                           Slice(b5, 30, 18)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("00 01 01 02 00"), Slice(b5, 57, 5)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("8A 70 79 80 00"), Slice(b5, 91, 5)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("03 04 01 02 01  01 02 01 00 00"), Slice(b5, 133, 10)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("00 00 00  38 34 12  10 05 00  00 00 00"), Slice(b5, 143, 12)));
}

TEST_F(DownloadImageTest, VariantOneCpuBlockPlacesModbusAndAnalogOutputsBehindTheMasterSection)
{
    UseFamily(VB16, 1);
    CZUL_Q7_PLC& cpu = AddCpu(5);
    const BYTE inputFilters[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    std::copy(inputFilters, inputFilters + 8, cpu.inputFilters);
    CZUL_Q7_PLC& mixed = AddModule(42);
    mixed.aiStart = 0;
    mixed.aiEnd = 3;
    mixed.aiFunction[1] = 2;
    mixed.aiFilter[1] = 1;
    mixed.aoStart = 0;
    mixed.aoEnd = 1;
    mixed.aoRange[0] = 2;
    mixed.aoFreezeValue[0] = 0x0102;
    WriteObjectCode({0x01});

    SetModbusMaster(-1);
    ASSERT_EQ(1, Build());
    const Bytes off = Block(5);
    ASSERT_EQ(398u, off.size());
    EXPECT_TRUE(BytesEqual(BytesFromHex("21 43 65 87"), Slice(off, 121, 4)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("00 21"), Slice(off, 125, 2)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("02 00  20 02 01"), Slice(off, 202, 5)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("02 00"), Slice(off, 396, 2)));

    SetModbusMaster(1);
    ASSERT_EQ(1, Build());
    const Bytes on = Block(5);
    ASSERT_EQ(402u, on.size());
    EXPECT_TRUE(BytesEqual(BytesFromHex("06 00 01 E8 03 03  20 02 01"), Slice(on, 202, 9)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("02 00"), Slice(on, 400, 2)));
}

TEST_F(DownloadImageTest, VariantOneCarriesLanguageAreaVariableRecordsAndPouEntries)
{
    UseFamily(VB16, 1);
    AddCpu(5);
    SetModbusMaster(-1);
    WriteObjectCode({0x01, 0x02});
    AddSubroutineAndInterrupt();
    ClearPOULanguageTable();
    g_POULanguageTable[0] = 2;
    g_POULanguageTable[3] = 2;
    CPOUVarList& globals = Project().POUVarLists[0];
    globals.varCount = 1;
    globals.vars.push_back({0x029A, 4, OT_BOOL, "Start"});
    CPOUVarList& sbr = Project().POUVarLists[2];
    sbr.varCount = 2;
    sbr.vars.push_back({0x0010, 1, OT_INT, "IN1"});
    sbr.vars.push_back({0x2011, 5, OT_REAL, "TMP"});
    CPOUVarList& mismatched = Project().POUVarLists[101];
    mismatched.varCount = 2;
    mismatched.vars.push_back({0x0020, 5, OT_BYTE, "B"});

    ASSERT_EQ(1, Build());

    EXPECT_TRUE(BytesEqual(BytesFromHex("24 00 03 06 03 01  0D 00 8E 01 08 00 08 00 0A 02 20 00  03"
                                        "  01 00 00 00 00  02 00 00 00 00  02 00 00 00 00  00 00"),
                           Block(3)));
    const Bytes& b8 = Block(8);
    ASSERT_EQ(522u, b8.size());
    EXPECT_TRUE(BytesEqual(BytesFromHex("02 20 00"), Slice(b8, 8, 3)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("00 00 00 00"), Slice(b8, 518, 4)));
    EXPECT_TRUE(BytesEqual(BytesFromHex("20 00 09 06 09 00  02"
                                        "  0B 00 01 06 00 00 01 00  9A 02 14"
                                        "  0E 00 03 06 00 00 02 00  10 00 51  11 20 75"),
                           Block(9)));

    sbr.vars[0].typeBits = OT_INT | OT_WORD;
    EXPECT_EQ(0, Build());
}

TEST_F(DownloadImageTest, ImageBuilderFollowsFamilyAndSubType)
{
    struct Row {
        DWORD family;
        BYTE subType;
        int builder;
    };
    const Row rows[] = {
        {CPU_FAMILY_VA10, 0, IMAGE_BUILDER_TYPE0},  {CPU_FAMILY_VA10, 3, IMAGE_BUILDER_NONE},
        {CPU_FAMILY_VB12, 0, IMAGE_BUILDER_TYPE0},  {CPU_FAMILY_VB14, 1, IMAGE_BUILDER_TYPE1},
        {CPU_FAMILY_NONE8, 3, IMAGE_BUILDER_TYPE1}, {CPU_FAMILY_VB14, 2, IMAGE_BUILDER_NONE},
        {CPU_FAMILY_VB14EX, 1, IMAGE_BUILDER_TYPE1}, {CPU_FAMILY_VB14EX, 3, IMAGE_BUILDER_NONE},
        {CPU_FAMILY_VB16, 2, IMAGE_BUILDER_TYPE1},  {CPU_FAMILY_VC14, 2, IMAGE_BUILDER_TYPE2},
        {CPU_FAMILY_VC16, 1, IMAGE_BUILDER_NONE},   {0, 0, IMAGE_BUILDER_NONE},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.builder, CDownloadImageBuilder::ImageBuilderOf(row.family, row.subType))
            << "family " << row.family << " sub-type " << int(row.subType);
}

TEST_F(DownloadImageTest, VariantByteAndAcceptedModuleKindsDependOnFamilyAndSubType)
{
    WriteObjectCode({0x01});
    SetModbusMaster(-1);
    AddCpu(1);
    UseFamily(VB12, 3);
    ASSERT_EQ(1, Build());
    EXPECT_EQ(3, Block(3)[5]);
    UseFamily(VB12, 1);
    ASSERT_EQ(1, Build());
    EXPECT_EQ(1, Block(3)[5]);

    AddModule(42); // analog input/output of kind 8192
    UseFamily(VB14, 0);
    EXPECT_EQ(0, Build());
    UseFamily(VB14, 3);
    EXPECT_EQ(1, Build());

    UseFamily(VB14EX, 3);
    EXPECT_EQ(0, Build());
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

TEST_F(DownloadImageTest, MissingObjectFileIsReportedInTheBuildersLanguage)
{
    AddCpu(5);
    SetModbusMaster(-1);
    UseFamily(VB16, 1);
    EXPECT_EQ(0, Build());
    UseFamily(VC16, 2);
    EXPECT_EQ(0, Build());

    const auto messages = m_ui.box.Messages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("Error", messages[0].caption);
    EXPECT_EQ("The compiled programs do not exist.\r\nPlease retry or contact with us.", messages[0].text);
    EXPECT_EQ("\xB4\xED\xCE\xF3", messages[1].caption);
    EXPECT_EQ(0u, messages[1].text.find("\xB1\xE0\xD2\xEB\xCE\xC4\xBC\xFE\xB2\xBB\xB4\xE6\xD4\xDA"));
}

// Block 7 byte for byte: header, the records' length, then per row with
// values its address, byte count, values low byte first and type code; a
// row of no value type gives its two address bytes and nothing else.
TEST_F(DownloadImageTest, InitialDataRecordsTakeRowsWithValuesAndUntypedRowsGiveTheirAddressAlone)
{
    UseFamily(VA10, 0);
    AddCpu(50);
    WriteObjectCode({0x01});
    auto addRow = [this](std::vector<std::string> texts, std::vector<DWORD> values, DWORD flags) {
        auto* row = new CZULInitData;
        row->texts = std::move(texts);
        row->values = std::move(values);
        row->rowState1 = flags;
        Project().InitialData.emplace_back(row);
        return row;
    };
    CZULInitData* words = addRow({"%VW0", "1", "2"}, {0xFFFFFFFF, 1, 2}, OT_WORD | OT_INT);
    addRow({"%VB7"}, {}, OT_BYTE);
    CZULInitData* untyped = addRow({"%VD4", "3"}, {0, 3}, 0);
    addRow({"%VD8", "1.0"}, {0, 0x3F800000}, OT_REAL);

    ASSERT_EQ(1, Build());

    const WORD vw0 = EncodeAddress("%VW0", 0);
    const WORD vd4 = EncodeAddress("%VD4", 0);
    const WORD vd8 = EncodeAddress("%VD8", 0);
    Bytes expected = {0x1A, 0x00, 0x07, 0x06, 0x07, 0x00, 0x14, 0x00};
    for (BYTE b : {BYTE(vw0), BYTE(vw0 >> 8), BYTE(4), BYTE(1), BYTE(0), BYTE(2), BYTE(0), BYTE(2)})
        expected.push_back(b);
    for (BYTE b : {BYTE(vd4), BYTE(vd4 >> 8)})
        expected.push_back(b);
    for (BYTE b : {BYTE(vd8), BYTE(vd8 >> 8), BYTE(4), BYTE(0), BYTE(0), BYTE(0x80), BYTE(0x3F), BYTE(4)})
        expected.push_back(b);
    EXPECT_TRUE(BytesEqual(expected, Block(7)));
    EXPECT_EQ(vw0, words->values[0]);
    EXPECT_EQ(vd4, untyped->values[0]);
    EXPECT_TRUE(m_ui.output.Lines(1).empty());
}

TEST_F(DownloadImageTest, ImageCrcCoversBlocksFourToSevenOnly)
{
    UseFamily(VB16, 1);
    AddCpu(5);
    SetModbusMaster(-1);
    WriteObjectCode({0x10, 0x20});
    CDownloadImageBuilder builder(*m_app);
    ASSERT_EQ(1, builder.BuildDownloadImage());
    const WORD first = builder.ComputeImageCRC();

    m_app->Project.Monitor.InsertMonitorEntry("%VB3", new CZULStatus);
    ASSERT_EQ(1, builder.BuildDownloadImage());
    EXPECT_EQ(first, builder.ComputeImageCRC());

    auto* row = new CZULInitData;
    row->texts = {"%VB0", "B#1"};
    row->values = {0, 1};
    row->rowState1 = OT_BYTE;
    Project().InitialData.emplace_back(row);
    ASSERT_EQ(1, builder.BuildDownloadImage());
    EXPECT_NE(first, builder.ComputeImageCRC());
}

TEST_F(DownloadImageTest, MonitorListsFillBlockEightInClassOrder)
{
    UseFamily(VB16, 1);
    AddCpu(5);
    SetModbusMaster(-1);
    WriteObjectCode({0x01});
    for (const char* key : {"%VB3", "%VB4", "%T2", "%AIW0"})
        m_app->Project.Monitor.InsertMonitorEntry(key, new CZULStatus);

    ASSERT_EQ(1, Build());

    const WORD vb3 = WORD(m_app->GetAreaBase("%V", FALSE) + 3);
    const WORD t2 = WORD(m_app->GetAreaBase("%T", FALSE) + 4);
    const WORD aiw0 = WORD(m_app->GetAreaBase("%AI", FALSE));
    const auto& lists = Project().MonitorAddressLists;
    EXPECT_EQ((std::vector<WORD>{vb3, WORD(vb3 + 1)}), lists[0]);
    EXPECT_EQ(std::vector<WORD>{aiw0}, lists[1]);
    EXPECT_EQ(std::vector<WORD>{t2}, lists[2]);
    EXPECT_TRUE(lists[3].empty());
    ASSERT_EQ(1u, Project().Monitor.MonitorCodeMap.count(t2));
    EXPECT_EQ("%T2", Project().Monitor.MonitorCodeMap[t2]->operand);
    EXPECT_EQ(t2, Project().Monitor.MonitorCodeMap[t2]->address);

    const Bytes& b8 = Block(8);
    EXPECT_EQ(4, Word(b8, 518));
    EXPECT_EQ(vb3, Word(b8, 520));
    EXPECT_EQ(vb3 + 1, Word(b8, 522));
    EXPECT_EQ(aiw0, Word(b8, 524));
    EXPECT_EQ(t2, Word(b8, 526));
    EXPECT_EQ(7, Word(b8, 528));
    EXPECT_EQ(530, Word(b8, 0));
}

TEST_F(DownloadImageTest, BitHelpersSetAndClearSingleBits)
{
    BYTE byte = 0xFF;
    EXPECT_EQ(0x7F, *SetByteBit(&byte, 7, 0));
    EXPECT_EQ(0xFF, *SetByteBit(&byte, 7, 5));
    byte = 0x80;
    EXPECT_EQ(0x81, *SetBit(&byte, 0));
}

TEST_F(DownloadImageTest, OversizedImagesAreRefusedNotTruncated)
{
    UseFamily(VB16, 1);
    AddCpu(5);
    SetModbusMaster(-1);
    WriteObjectCode(Bytes(51000, 0x11));
    EXPECT_EQ(0, Build());
    WriteObjectCode(Bytes(70000, 0x22));
    EXPECT_EQ(0, Build());

    const auto messages = m_ui.box.Messages();
    ASSERT_EQ(2u, messages.size());
    EXPECT_EQ("The download image is too large (51980 bytes in the image); at most 51197 bytes are allowed.",
              messages[0].text);
    EXPECT_EQ("The download image is too large (70006 bytes in block 6); at most 65535 bytes are allowed.",
              messages[1].text);
}

TEST_F(DownloadImageTest, ReadOnlyObjectFileFromAnEarlierBuildIsReplaced)
{
    UseFamily(VA10, 0);
    AddCpu(50);
    WriteObjectCode({0x01});
    WriteFileBytes(m_folder / "demo.obj", {0xDE, 0xAD});
    chmod((m_folder / "demo.obj").c_str(), 0444);

    CDownloadImageBuilder builder(*m_app);
    ASSERT_EQ(1, builder.BuildDownloadImage());
    ASSERT_EQ(1, builder.WriteObjFile());
    EXPECT_EQ(Block(3).size() + 13 + 143 + 7 + 8 + 10, ReadFileBytes(m_folder / "demo.obj").size());
}

} // namespace
