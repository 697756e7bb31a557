#include "CanOpenFixture.h"
#include "hardware/canopen/CCanOpenMapODModel.h"
#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "platform/ByteString.h"

#include <gmock/gmock.h>

#include <memory>
#include <string>

namespace {

class MapODModelTest : public CanOpenFixture {
protected:
    void SetUp() override
    {
        CanOpenFixture::SetUp();
        Project().CanOpenSlaves[0].Name = "A";
        Project().CanOpenSlaves[1].Name = "B";
        Project().CanOpenSlaves[0].RPDO[0].Rows[0] = {"Out16", 0x6411, 1, 16, "%VW3000"};
        Project().CanOpenSlaves[0].RPDO[0].Rows[1] = {"Bit", 0x6200, 1, 1, ""};
        Project().CanOpenSlaves[0].TPDO[2].Rows[0] = {"In8", 0x6000, -1, 8, "%VB3002"};
        m_slaves = std::make_unique<CCanOpenSlaveGrid>(Project());
        m_model = std::make_unique<CCanOpenMapODModel>(*m_slaves);
        m_model->SetInitialised(true);
    }
    std::unique_ptr<CCanOpenSlaveGrid> m_slaves;
    std::unique_ptr<CCanOpenMapODModel> m_model;
};

TEST_F(MapODModelTest, SelectingASlaveShowsItsFirstReceivePdoAndFreeNodesAreIgnored)
{
    m_model->SelectSlave(3);
    EXPECT_EQ(NO_SLAVE, m_model->CurrentSlave());
    EXPECT_EQ("", m_model->GetMapCellText(MAP_COL_NAME, 0));
    m_model->SelectSlave(1);
    EXPECT_EQ(1, m_model->CurrentSlave());
    EXPECT_EQ(PDO_LIST_RECEIVE, m_model->ShownList());
    EXPECT_EQ("Out16", m_model->GetMapCellText(MAP_COL_NAME, 0));
    EXPECT_EQ("6411Sub1", m_model->GetMapCellText(MAP_COL_INDEX, 0));
    EXPECT_EQ("16", m_model->GetMapCellText(MAP_COL_SIZE, 0));
    EXPECT_EQ("%VW3000", m_model->GetMapCellText(MAP_COL_MEMORY, 0));
    EXPECT_EQ("RPDO 1", m_model->ReceiveTable().GetCellText(PDO_COL_NAME, 0));
    EXPECT_EQ(ByteString::Format(kReceiveMapLabel, 1, 1), m_model->MapLabel());
    EXPECT_EQ(ByteString::Format(kSlaveTransmitGridLabel, 1), m_model->TransmitLabel());
    m_model->OnSelectPdo(2, PDO_LIST_TRANSMIT);
    EXPECT_EQ("6000", m_model->GetMapCellText(MAP_COL_INDEX, 0));
    EXPECT_EQ(ByteString::Format(kTransmitMapLabel, 1, 3), m_model->MapLabel());
    m_model->Clear();
    EXPECT_EQ(kMapGridLabel, m_model->MapLabel());
    EXPECT_EQ(kReceiveGridLabel, m_model->ReceiveLabel());
}

TEST_F(MapODModelTest, LocalMemoryEditsMustSuitTheSizeAndTheDirection)
{
    struct Case {
        int list;
        int pdo;
        int row;
        std::string text;
        std::string stored;
    };
    const Case cases[] = {
        {PDO_LIST_RECEIVE, 0, 0, "vw3004", "%VW3004"},
        {PDO_LIST_RECEIVE, 0, 0, "vb3004", "%VW3000"},
        {PDO_LIST_RECEIVE, 0, 0, "%VD3004", "%VW3000"},
        {PDO_LIST_RECEIVE, 0, 0, "nonsense", "%VW3000"},
        {PDO_LIST_RECEIVE, 0, 1, "V10.3", "%V10.3"},
        {PDO_LIST_RECEIVE, 0, 1, "I0.0", ""},
        {PDO_LIST_TRANSMIT, 2, 0, "IB0", "%IB0"},
        {PDO_LIST_TRANSMIT, 2, 0, " vb3010 ", "%VB3010"},
    };
    for (const Case& c : cases) {
        m_model = std::make_unique<CCanOpenMapODModel>(*m_slaves);
        m_model->SetInitialised(true);
        m_model->SelectSlave(1);
        m_model->OnSelectPdo(c.pdo, c.list);
        m_document.SetModifiedFlag(FALSE);
        m_model->OnSaveMapCell(MAP_COL_MEMORY, c.row, c.text);
        EXPECT_EQ(c.stored, m_model->GetMapCellText(MAP_COL_MEMORY, c.row)) << c.text;
        EXPECT_TRUE(m_document.IsModified());
    }
}

TEST_F(MapODModelTest, EditsReachTheWorkingListWhenLeavingTheSlaveOrOnStore)
{
    m_model->SelectSlave(1);
    m_model->OnSaveMapCell(MAP_COL_MEMORY, 0, "VW3010");
    m_model->ReceiveTable().OnSaveCellData(PDO_COL_COB_ID, 5, "16#1C0");
    m_document.SetModifiedFlag(FALSE);
    m_model->SelectSlave(2);
    EXPECT_EQ("%VW3010", m_slaves->Slave(0).RPDO[0].Rows[0].Mem);
    EXPECT_EQ(0x1C0, m_slaves->Slave(0).RPDO[5].COB_ID);
    EXPECT_FALSE(m_document.IsModified());
    // The project itself only sees the network page's Save.
    EXPECT_EQ("%VW3000", Project().CanOpenSlaves[0].RPDO[0].Rows[0].Mem);

    m_model->TransmitTable().OnSaveCellData(PDO_COL_INHIBIT_TIME, 0, "50");
    m_document.SetModifiedFlag(FALSE);
    EXPECT_TRUE(m_model->StoreCurrentSlave());
    EXPECT_EQ(50, m_slaves->Slave(1).TPDO[0].ForbiddenTime);
    EXPECT_TRUE(m_document.IsModified());

    m_model->Clear();
    EXPECT_EQ(NO_SLAVE, m_model->CurrentSlave());
    m_document.SetModifiedFlag(FALSE);
    EXPECT_TRUE(m_model->StoreCurrentSlave());
    EXPECT_FALSE(m_document.IsModified());
}

TEST_F(MapODModelTest, AnUninitialisedPageWritesNothingBack)
{
    m_model->SetInitialised(false);
    m_model->SelectSlave(1);
    m_model->OnSaveMapCell(MAP_COL_MEMORY, 0, "VW3010");
    m_model->SelectSlave(2);
    EXPECT_EQ("%VW3000", m_slaves->Slave(0).RPDO[0].Rows[0].Mem);
}

} // namespace
