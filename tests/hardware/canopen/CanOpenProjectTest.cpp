#include "CanOpenFixture.h"
#include "compiler/CanOpenConfigCheck.h"
#include "hardware/canopen/CCanOpenPdoMapping.h"
#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZUL_Q7_PLC.h"
#include "model/CanOpenConfigText.h"
#include "plclink/CCanOpenImageSection.h"
#include "plclink/CCanopenImageDecoder.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

namespace {

constexpr BYTE kVC16Code = 47;
constexpr int kIOSlot = 1;    // node 2
constexpr int kDriveSlot = 4; // node 5, moved down to node 7

struct Finding {
    int code;
    int kind;
    std::string detail;
};

// A VC16 project saved and opened through the project document, its
// CANopen slaves configured through the slave list and the mapping commands.
class CanOpenProjectTest : public CanOpenFixture {
protected:
    void SetUp() override
    {
        CanOpenFixture::SetUp();
        m_path = m_folder / "conveyor.qpj";
        ASSERT_TRUE(m_document.CreateProject(m_path));
        auto cpu = std::make_unique<CZUL_Q7_PLC>();
        cpu->InitFromCatalog(*FindCatalogRowByCode(kVC16Code));
        Project().Modules.push_back(std::move(cpu));
        UseFamily(kFamilyVC16);
    }

    // The configuration as the text writes it.
    std::string Configuration() { return BuildCanOpenConfigText(Project()); }

    void SaveAndReopen()
    {
        ASSERT_TRUE(m_document.OnSaveDocument(m_path));
        Project().ResetCanOpenConfig();
        ASSERT_TRUE(m_document.OpenProject(m_path));
    }

    std::vector<Finding> Compile(int& errors)
    {
        std::vector<Finding> findings;
        int warnings = 0;
        errors = 0;
        CheckCanOpenConfig(errors, warnings, [&](int code, int kind, const std::string& detail) {
            findings.push_back({code, kind, detail});
        });
        return findings;
    }

    void ConfigureThroughTheModel()
    {
        CCanOpenSlaveGrid grid(Project());
        grid.Slave(kIOSlot).Name = "CANOPEN_IO";
        grid.Slave(kIOSlot).Type = 401;
        grid.Slave(kDriveSlot).Name = "MX Servo";
        grid.Slave(kDriveSlot).Type = 402;
        grid.Slave(kDriveSlot + 1).Name = "CANOPEN_IO"; // passed over by the move
        grid.Slave(kDriveSlot + 1).Type = 401;
        grid.SetFocusCell(kDriveSlot, SLAVE_COL_NAME);
        ASSERT_TRUE(grid.MoveSlaveDown());
        grid.OnSaveCellData(SLAVE_COL_SUPERVISION, 6, kSupervisionEntries[0]);
        grid.OnSaveCellData(SLAVE_COL_GUARD_TIME, 6, "800");

        CCanOpenPdoMapping mapping(grid, *m_app);
        mapping.ShowPdo(kIOSlot, PDO_LIST_RECEIVE, 0, grid.Slave(kIOSlot).RPDO[0].COB_ID);
        ASSERT_TRUE(mapping.InsertMappedObject("0 - uIO_outPut", "CANOPEN_IO", 0x6200, 0, PDO_LIST_RECEIVE));
        mapping.ShowPdo(kIOSlot, PDO_LIST_TRANSMIT, 0, grid.Slave(kIOSlot).TPDO[0].COB_ID);
        ASSERT_TRUE(mapping.InsertMappedObject("1 - uIO_inPut", "CANOPEN_IO", 0x6000, 1, PDO_LIST_TRANSMIT));
        mapping.ShowPdo(6, PDO_LIST_RECEIVE, 0, grid.Slave(6).RPDO[0].COB_ID);
        ASSERT_TRUE(mapping.InsertMappedObject("6040 - controlword", "MX Servo", 0x6040, 0, PDO_LIST_RECEIVE));
        mapping.ShowPdo(6, PDO_LIST_TRANSMIT, 1, grid.Slave(6).TPDO[1].COB_ID);
        ASSERT_TRUE(mapping.InsertMappedObject("6041 - statusword", "MX Servo", 0x6041, 0, PDO_LIST_TRANSMIT));
        ASSERT_TRUE(mapping.InsertMappedObject("6 - master_position_actual_value", "MX Servo", 0x2509, 6,
                                               PDO_LIST_TRANSMIT));
        grid.StoreToProject(Project());
    }

    TempFolder m_folder;
    std::string m_path;
};

TEST_F(CanOpenProjectTest, ConfiguredSlavesSurviveSaveOpenCompileAndImage)
{
    ConfigureThroughTheModel();
    const CCanOpenSlave& drive = Project().CanOpenSlaves[6];
    EXPECT_EQ("%VB3000", Project().CanOpenSlaves[kIOSlot].RPDO[0].Rows[0].Mem);
    EXPECT_EQ("%VB3001", Project().CanOpenSlaves[kIOSlot].TPDO[0].Rows[0].Mem);
    EXPECT_EQ("%VW3002", drive.RPDO[0].Rows[0].Mem);
    EXPECT_EQ("%VW3004", drive.TPDO[1].Rows[0].Mem);
    EXPECT_EQ("%VD3006", drive.TPDO[1].Rows[1].Mem);
    EXPECT_EQ(0x287, drive.TPDO[1].COB_ID);
    EXPECT_TRUE(m_ui.box.Texts().empty());

    Project().CanOpenBPS = 3;
    const std::string before = Configuration();
    SaveAndReopen();
    EXPECT_EQ(before, Configuration());
    EXPECT_EQ(3, Project().CanOpenBPS);
    EXPECT_EQ("MX Servo", drive.Name);
    EXPECT_EQ(7, drive.Node);
    EXPECT_EQ(0, drive.Watch);
    EXPECT_EQ(800, drive.HeartTime);
    EXPECT_EQ(900, drive.HeartOverTime);
    EXPECT_EQ("", Project().CanOpenSlaves[kDriveSlot].Name);
    EXPECT_EQ("master_position_actual_value", drive.TPDO[1].Rows[1].ODName);
    EXPECT_EQ(6, drive.TPDO[1].Rows[1].Sub);
    EXPECT_EQ(-1, drive.RPDO[0].Rows[0].Sub);

    int errors = 0;
    const std::vector<Finding> findings = Compile(errors);
    EXPECT_EQ(0, errors);
    // Only the slave without mappings at node 6 is left out of the download.
    ASSERT_EQ(1u, findings.size());
    EXPECT_EQ(44, findings[0].code);
    EXPECT_NE(std::string::npos, findings[0].detail.find(" 6 "));

    std::vector<BYTE> section;
    ASSERT_TRUE(CCanOpenImageSection(Project()).Build(section));
    CCanopenImageDecoder decoder(*m_app);
    Project().ResetCanOpenConfig();
    ASSERT_TRUE(decoder.DecodeCanopenImage(section, Project()));
    EXPECT_EQ(0, decoder.UnmatchedSlaves);
    EXPECT_EQ(0, decoder.UnmatchedMappings);
    EXPECT_EQ("MX Servo", drive.Name);
    EXPECT_EQ("%VD3006", drive.TPDO[1].Rows[1].Mem);
}

TEST_F(CanOpenProjectTest, AnUploadedConfigurationIsKeptThroughSaveAndOpen)
{
    ConfigureThroughTheModel();
    std::vector<BYTE> section;
    ASSERT_TRUE(CCanOpenImageSection(Project()).Build(section));

    // An upload fills the slots of a fresh project from the image.
    Project().ResetCanOpenConfig();
    m_app->ClearProjectBlobs();
    CCanopenImageDecoder decoder(*m_app);
    ASSERT_TRUE(decoder.DecodeCanopenImage(section, Project()));
    const std::string uploaded = Configuration();
    ASSERT_EQ("MX Servo", Project().CanOpenSlaves[6].Name);

    SaveAndReopen();
    EXPECT_EQ(uploaded, Configuration());
    const CCanOpenSlave& io = Project().CanOpenSlaves[kIOSlot];
    EXPECT_EQ("CANOPEN_IO", io.Name);
    EXPECT_EQ("uIO_inPut", io.TPDO[0].Rows[0].ODName);
    EXPECT_EQ("%VB3001", io.TPDO[0].Rows[0].Mem);
    EXPECT_EQ("statusword", Project().CanOpenSlaves[6].TPDO[1].Rows[0].ODName);
    int errors = 0;
    Compile(errors);
    EXPECT_EQ(0, errors);
}

} // namespace
