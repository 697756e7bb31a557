// The mapping page's PDO grids as the user clicks them: a row of either
// grid shows that PDO's mapped objects below, with its label; rows of a
// page without a current slave select nothing.

#include "CanOpenSheetFixture.h"

#include "hardware/canopen/CanOpenTexts.h"
#include "platform/ByteString.h"
#include "platform/ui/QtText.h"

#include <QLabel>

#include <string>

namespace {

constexpr const char* kSlaveItem = "\xB4\xD3\xD5\xBE" "1 - CANOPEN_IO";

class CanOpenMapPageTest : public CanOpenSheetFixture {
protected:
    void SetUp() override
    {
        CanOpenSheetFixture::SetUp();
        CCanOpenSlave& slave = Project().CanOpenSlaves[0];
        slave.Name = "CANOPEN_IO";
        slave.TPDO[2].Rows[0] = {"uIO_inPut", 0x6000, 1, 8, "%VB3100"};
        slave.RPDO[5].Rows[0] = {"uIO_outPut", 0x6200, 1, 8, "%VB3000"};
        OpenFrame();
        CCanOpenSheet* sheet = ShowCanOpenTab();
        ASSERT_NE(sheet, nullptr);
        m_map = &sheet->MapPage();
        sheet->SetActivePage(m_map);
    }

    CCPGridCtrl* Grid(UINT id) { return m_map->findChild<CCPGridCtrl*>(QString::number(id)); }
    std::string MapLabel()
    {
        return FromQString(m_map->findChild<QLabel*>(QString::number(IDC_MAP_MAPPING_LABEL))->text());
    }

    CCanOpenMapOD* m_map = nullptr;
};

TEST_F(CanOpenMapPageTest, ClickingAPdoRowShowsItsMappedObjects)
{
    EXPECT_EQ(kMapGridLabel, MapLabel());
    // No slave yet: the empty rows select nothing.
    Grid(IDC_MAP_TRANSMIT_GRID)->SetActiveCell(0, 2);
    EXPECT_FALSE(m_map->Model().IsMapLoaded());
    EXPECT_EQ(kMapGridLabel, MapLabel());

    m_map->OnTreeItemClicked(m_map->FindTreeItem(kSlaveItem));
    ASSERT_EQ(1, m_map->Model().CurrentSlave());
    struct Case {
        UINT grid;
        int column;
        int row;
        const char* label;
        int pdo;
        const char* object;
    };
    const Case cases[] = {
        {IDC_MAP_TRANSMIT_GRID, 0, 2, kTransmitMapLabel, 3, "uIO_inPut"},
        {IDC_MAP_RECEIVE_GRID, 2, 5, kReceiveMapLabel, 6, "uIO_outPut"},
        {IDC_MAP_TRANSMIT_GRID, 1, 7, kTransmitMapLabel, 8, ""},
        {IDC_MAP_RECEIVE_GRID, 0, 0, kReceiveMapLabel, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pdo);
        ASSERT_TRUE(Grid(c.grid)->SetActiveCell(c.column, c.row));
        EXPECT_EQ(ByteString::Format(c.label, 1, c.pdo), MapLabel());
        EXPECT_EQ(c.object, m_map->Model().GetMapCellText(MAP_COL_NAME, 0));
    }
}

} // namespace
