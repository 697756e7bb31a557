#include "ImageProjectFixture.h"
#include "ObjectCodeBuilder.h"

#include "plclink/CDownloadImageBuilder.h"
#include "plclink/CUploadImageParser.h"

#include "model/CCanOpenSlaveType.h"
#include "model/CZULInitData.h"

#include <cstring>

namespace {

using B = ObjectCodeBuilder;

constexpr int VB14 = 1;
constexpr int VC16 = 7;

// An image built for download and uploaded back restores the settings it carries.
class ImageRoundTripTest : public ImageProjectFixture {
protected:
    void TearDown() override
    {
        m_upload.reset();
        ImageProjectFixture::TearDown();
    }

    std::vector<BYTE> BuildImage()
    {
        CDownloadImageBuilder builder(*m_app);
        EXPECT_EQ(1, builder.BuildDownloadImage());
        const WORD crc = builder.ComputeImageCRC();
        std::vector<BYTE>& directory = Project().ImageBlocks[0];
        directory[directory.size() - 2] = LOBYTE(crc);
        directory[directory.size() - 1] = HIBYTE(crc);
        EXPECT_EQ(1, builder.WriteObjFile());
        return ReadFileBytes(m_folder / "demo.obj");
    }

    CZULProject& Upload(int format, const std::vector<BYTE>& image)
    {
        m_upload = std::make_unique<CZULAppData>();
        g_pAppData = m_upload.get();
        m_upload->Project.ProjectFolder = m_uploadFolder.Path();
        m_upload->UploadFormat = format;
        m_upload->Project.TransferBuffer = image;
        EXPECT_TRUE(ParseUploadImage(*m_upload));
        return m_upload->Project;
    }

    TempFolder m_uploadFolder;
    std::unique_ptr<CZULAppData> m_upload;
};

TEST_F(ImageRoundTripTest, VariantThreeImageParsesBackIntoTheSameSettings)
{
    UseFamily(VB14, 3);
    CZUL_Q7_PLC& cpu = AddModule(2);
    cpu.iEnd = 1;
    cpu.qEnd = 1;
    cpu.retain[0] = {0, 100, 10};
    cpu.retain[1] = {1, 5, 3};
    const BYTE filters[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    std::copy(filters, filters + 8, cpu.inputFilters);
    cpu.ports[0] = {2, 3, 2, 1, 0};
    cpu.stopStates[0] = 1;
    cpu.stopStates[9] = 1;
    CZUL_Q7_PLC& mixed = AddModule(42);
    mixed.aiStart = 0;
    mixed.aiEnd = 3;
    mixed.aiFunction[0] = 3;
    mixed.aiFilter[0] = 2;
    mixed.aoStart = 0;
    mixed.aoEnd = 1;
    Project().SetModbusInt(1, MODBUS_SWITCH_OFFSET, 1);
    Project().SetModbusInt(1, MODBUS_TIMEOUT_OFFSET, 2500);
    Project().ModbusRetries = 5;
    auto* row = new CZULInitData;
    row->texts = {"%VW0", "7", "9"};
    row->values = {0, 7, 9};
    row->rowState1 = OT_INT;
    Project().InitialData.emplace_back(row);
    WriteObjectCode(B().Pou(1, 0xFF).Op(B::LD).Addr("%I0.0").Op(B::MPEND).Finish());

    const std::vector<BYTE> image = BuildImage();
    CZULProject& uploaded = Upload(3, image);

    ASSERT_EQ(2u, uploaded.Modules.size());
    const CZUL_Q7_PLC& back = *uploaded.Modules[0];
    EXPECT_EQ(2, back.hardwareCode);
    EXPECT_EQ(1, back.iEnd);
    EXPECT_EQ(1, back.qEnd);
    EXPECT_EQ(100, back.retain[0].start);
    EXPECT_EQ(10, back.retain[0].length);
    EXPECT_EQ(1, back.retain[1].area);
    EXPECT_EQ(5, back.retain[1].start);
    EXPECT_EQ(0, std::memcmp(filters, back.inputFilters, sizeof filters));
    EXPECT_EQ(2, back.ports[0].address);
    EXPECT_EQ(3, back.ports[0].baud);
    EXPECT_EQ(2, back.ports[0].parity);
    EXPECT_EQ(1, back.ports[0].dataBits);
    EXPECT_EQ(1u, back.stopStates[0]);
    EXPECT_EQ(1u, back.stopStates[9]);
    const CZUL_Q7_PLC& analog = *uploaded.Modules[1];
    EXPECT_EQ(3, analog.aiEnd);
    EXPECT_EQ(3, analog.aiFunction[0]);
    EXPECT_EQ(2, analog.aiFilter[0]);
    EXPECT_EQ(1, uploaded.GetModbusInt(1, MODBUS_SWITCH_OFFSET));
    EXPECT_EQ(2500, uploaded.GetModbusInt(1, MODBUS_TIMEOUT_OFFSET));
    EXPECT_EQ(5, uploaded.ModbusRetries);
    ASSERT_EQ(1u, uploaded.InitialData.size());
    EXPECT_EQ((std::vector<std::string>{"%VW0", "7", "9"}), uploaded.InitialData[0]->texts);
}

TEST_F(ImageRoundTripTest, VariantTwoImageRestoresTheCanOpenSlaves)
{
    UseFamily(VC16, 2);
    AddModule(47);
    Project().SetModbusInt(1, MODBUS_SWITCH_OFFSET, -1);
    Project().CanOpenBPS = 3;
    const CCanOpenSlaveType* type = m_app->FindSlaveType("CANOPEN_IO");
    ASSERT_NE(nullptr, type);
    const CCanOpenODEntry* mapped = nullptr;
    for (const CCanOpenODEntry* entry : type->objects) {
        if (entry->pdoMappable && entry->subIndex > 0) {
            mapped = entry;
            break;
        }
    }
    ASSERT_NE(nullptr, mapped);
    CCanOpenSlave& slave = Project().CanOpenSlaves[2];
    slave.Name = type->name;
    slave.HeartTime = 700;
    slave.TPDO[1].Rows[0] = {mapped->name, mapped->index, mapped->subIndex, 8, "%VB20"};
    WriteObjectCode(B().Pou(1, 0xFF).Op(B::LD).Addr("%I0.0").Op(B::MPEND).Finish());

    const std::vector<BYTE> image = BuildImage();
    CZULProject& uploaded = Upload(2, image);

    EXPECT_EQ(3, uploaded.CanOpenBPS);
    const CCanOpenSlave& back = uploaded.CanOpenSlaves[2];
    EXPECT_EQ(type->name, back.Name);
    EXPECT_EQ(700, back.HeartTime);
    EXPECT_EQ(mapped->name, back.TPDO[1].Rows[0].ODName);
    EXPECT_EQ(mapped->index, back.TPDO[1].Rows[0].Index);
    EXPECT_EQ("%VB20", back.TPDO[1].Rows[0].Mem);
    EXPECT_TRUE(m_ui.box.Messages().empty());
}

} // namespace
