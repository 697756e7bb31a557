#include "CanOpenFixture.h"
#include "hardware/canopen/CCanOpenPdoTable.h"

#include <gmock/gmock.h>

#include <string>

namespace {

class PdoTableTest : public CanOpenFixture {
protected:
    // Slot 4 (node 5) with the defaults of a free slot.
    CCanOpenSlave Slave() const
    {
        CCanOpenSlave slave;
        CZULProject::ResetCanOpenSlave(slave, 4);
        return slave;
    }
};

TEST_F(PdoTableTest, RowsShowNamesDefaultCobIdsAndTheColumnsOfTheirList)
{
    const CCanOpenSlave slave = Slave();
    struct Case {
        int list;
        int row;
        int column;
        std::string text;
    };
    const Case cases[] = {
        {PDO_LIST_RECEIVE, 0, PDO_COL_NAME, "RPDO 1"},   {PDO_LIST_TRANSMIT, 7, PDO_COL_NAME, "TPDO 8"},
        {PDO_LIST_RECEIVE, 0, PDO_COL_COB_ID, "16#205"}, {PDO_LIST_TRANSMIT, 0, PDO_COL_COB_ID, "16#185"},
        {PDO_LIST_RECEIVE, 3, PDO_COL_COB_ID, "16#505"}, {PDO_LIST_RECEIVE, 4, PDO_COL_COB_ID, ""},
        {PDO_LIST_RECEIVE, 0, PDO_COL_TYPE, "255"},      {PDO_LIST_RECEIVE, 0, PDO_COL_EVENT_TIME, ""},
        {PDO_LIST_TRANSMIT, 0, PDO_COL_EVENT_TIME, "10"}, {PDO_LIST_TRANSMIT, 0, PDO_COL_INHIBIT_TIME, "1000"},
        {PDO_LIST_RECEIVE, 0, PDO_COL_INHIBIT_TIME, ""},
    };
    for (const Case& c : cases) {
        CCanOpenPdoTable table(c.list);
        table.Load(slave);
        EXPECT_EQ(c.text, table.GetCellText(c.column, c.row)) << c.list << " " << c.row << " " << c.column;
    }
    CCanOpenPdoTable receive(PDO_LIST_RECEIVE);
    EXPECT_EQ(4, receive.ColumnCount());
    EXPECT_FALSE(receive.IsEditableColumn(PDO_COL_INHIBIT_TIME));
    EXPECT_EQ("", receive.GetCellText(PDO_COL_NAME, 0));
    receive.Load(slave);
    receive.Clear();
    EXPECT_EQ("", receive.GetCellText(PDO_COL_NAME, 0));
    EXPECT_EQ(5, CCanOpenPdoTable(PDO_LIST_TRANSMIT).ColumnCount());
}

TEST_F(PdoTableTest, ShowingARowBringsOutOfRangeValuesToTheirDefaults)
{
    CCanOpenSlave slave = Slave();
    slave.TPDO[5].CommType = 200;
    slave.TPDO[5].EventTime = 0;
    slave.TPDO[5].ForbiddenTime = 70000;
    slave.TPDO[5].COB_ID = 0x580;
    slave.RPDO[5].CommType = 254;
    slave.RPDO[5].EventTime = 0;
    slave.RPDO[5].COB_ID = 0x180;
    CCanOpenPdoTable transmit(PDO_LIST_TRANSMIT);
    transmit.Load(slave);
    EXPECT_EQ("", transmit.GetCellText(PDO_COL_COB_ID, 5));
    EXPECT_EQ("255", transmit.GetCellText(PDO_COL_TYPE, 5));
    EXPECT_EQ("10", transmit.GetCellText(PDO_COL_EVENT_TIME, 5));
    EXPECT_EQ("1000", transmit.GetCellText(PDO_COL_INHIBIT_TIME, 5));
    transmit.Store(slave);
    EXPECT_EQ(0, slave.TPDO[5].COB_ID);
    EXPECT_EQ(255, slave.TPDO[5].CommType);
    EXPECT_EQ(10, slave.TPDO[5].EventTime);
    EXPECT_EQ(1000, slave.TPDO[5].ForbiddenTime);

    CCanOpenPdoTable receive(PDO_LIST_RECEIVE);
    receive.Load(slave);
    EXPECT_EQ("", receive.GetCellText(PDO_COL_COB_ID, 5));
    EXPECT_EQ("10", receive.GetCellText(PDO_COL_EVENT_TIME, 5));
}

TEST_F(PdoTableTest, EditedCellsFollowTheRulesOfTheirListAndPdo)
{
    struct Case {
        const char* name;
        int list;
        int row;
        int column;
        int startType;
        std::string text;
        int cobId, commType, eventTime, inhibitTime;
    };
    // Row 5 of a slave at node 5 starts with COB-ID 0x2A0 stored.
    const Case cases[] = {
        {"receive hex COB-ID", PDO_LIST_RECEIVE, 5, PDO_COL_COB_ID, 255, "16#1C0", 0x1C0, 255, 10, 1000},
        {"receive decimal COB-ID", PDO_LIST_RECEIVE, 5, PDO_COL_COB_ID, 255, "500", 500, 255, 10, 1000},
        {"receive COB-ID out of range", PDO_LIST_RECEIVE, 5, PDO_COL_COB_ID, 255, "16#600", 0, 255, 10, 1000},
        {"receive empty COB-ID", PDO_LIST_RECEIVE, 5, PDO_COL_COB_ID, 255, "", 0, 255, 10, 1000},
        {"transmit COB-ID out of range kept", PDO_LIST_TRANSMIT, 5, PDO_COL_COB_ID, 255, "16#600", 0x2A0, 255, 10,
         1000},
        {"transmit empty COB-ID", PDO_LIST_TRANSMIT, 5, PDO_COL_COB_ID, 255, "", 0, 255, 10, 1000},
        {"transmit hex COB-ID in lower case", PDO_LIST_TRANSMIT, 5, PDO_COL_COB_ID, 255, "16#1c0", 0x1C0, 255,
         10, 1000},
        {"PDO 1 COB-ID follows the node", PDO_LIST_RECEIVE, 0, PDO_COL_COB_ID, 255, "16#1C0", 0x205, 255, 10, 1000},
        {"PDO 4 COB-ID follows the node", PDO_LIST_TRANSMIT, 3, PDO_COL_COB_ID, 255, "", 0x485, 255, 10, 1000},
        {"type 254", PDO_LIST_RECEIVE, 5, PDO_COL_TYPE, 255, "254", 0x2A0, 254, 10, 1000},
        {"type other", PDO_LIST_TRANSMIT, 5, PDO_COL_TYPE, 254, "1", 0x2A0, 255, 10, 1000},
        {"receive event time with 254", PDO_LIST_RECEIVE, 5, PDO_COL_EVENT_TIME, 254, "250", 0x2A0, 254, 250, 1000},
        {"receive event time with 255 dropped", PDO_LIST_RECEIVE, 5, PDO_COL_EVENT_TIME, 255, "250", 0x2A0, 255, 10,
         1000},
        {"transmit event time always", PDO_LIST_TRANSMIT, 5, PDO_COL_EVENT_TIME, 255, "250", 0x2A0, 255, 250, 1000},
        {"event time 0", PDO_LIST_TRANSMIT, 5, PDO_COL_EVENT_TIME, 255, "0", 0x2A0, 255, 10, 1000},
        {"event time over 65535", PDO_LIST_TRANSMIT, 5, PDO_COL_EVENT_TIME, 255, "65536", 0x2A0, 255, 10, 1000},
        {"inhibit time", PDO_LIST_TRANSMIT, 5, PDO_COL_INHIBIT_TIME, 255, "65535", 0x2A0, 255, 10, 65535},
        {"inhibit time 0", PDO_LIST_TRANSMIT, 5, PDO_COL_INHIBIT_TIME, 255, "0", 0x2A0, 255, 10, 1000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CCanOpenSlave slave = Slave();
        for (CCanOpenPdo* list : {slave.RPDO, slave.TPDO}) {
            list[5].COB_ID = 0x2A0;
            list[c.row].CommType = c.startType;
        }
        m_document.SetModifiedFlag(FALSE);
        CCanOpenPdoTable table(c.list);
        table.Load(slave);
        table.OnSaveCellData(c.column, c.row, c.text);
        EXPECT_TRUE(m_document.IsModified());
        const CCanOpenPdoRow& row = table.Row(c.row);
        EXPECT_EQ(c.cobId, row.cobId);
        EXPECT_EQ(c.commType, row.commType);
        EXPECT_EQ(c.eventTime, row.eventTime);
        EXPECT_EQ(c.inhibitTime, row.inhibitTime);
    }
}

TEST_F(PdoTableTest, SwitchingTheReceiveTypeHidesTheEventTimeButKeepsItStored)
{
    CCanOpenSlave slave = Slave();
    slave.RPDO[2].CommType = 254;
    slave.RPDO[2].EventTime = 300;
    CCanOpenPdoTable table(PDO_LIST_RECEIVE);
    table.Load(slave);
    EXPECT_EQ("300", table.GetCellText(PDO_COL_EVENT_TIME, 2));
    table.OnSaveCellData(PDO_COL_TYPE, 2, "255");
    EXPECT_EQ("", table.GetCellText(PDO_COL_EVENT_TIME, 2));
    table.OnSaveCellData(PDO_COL_TYPE, 2, "254");
    EXPECT_EQ("300", table.GetCellText(PDO_COL_EVENT_TIME, 2));
}

} // namespace
