#include "CanOpenFixture.h"
#include "hardware/canopen/CCanOpenCrossRefList.h"
#include "hardware/canopen/CCanOpenPdoMapping.h"
#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "model/CZULSymbol.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

class CrossRefListTest : public CanOpenFixture {
protected:
    void Map(int slot, bool receive, int pdo, int row, const std::string& name, int index, int sub, int bits,
             const std::string& memory)
    {
        CCanOpenSlave& slave = Project().CanOpenSlaves[slot];
        CCanOpenPdo& target = receive ? slave.RPDO[pdo] : slave.TPDO[pdo];
        target.Rows[row] = {name, index, sub, bits, memory};
    }
    std::vector<std::string> Column(const CCanOpenCrossRefList& list, int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list.GetGridRowCount(); ++row)
            texts.push_back(list.GetCellText(column, row, Project()));
        return texts;
    }
};

TEST_F(CrossRefListTest, ListsMappedObjectsWithMemoryOfConfiguredSlavesReceiveBeforeTransmit)
{
    Project().CanOpenSlaves[1].Name = "PRL120";
    Project().CanOpenSlaves[1].RPDO[1].COB_ID = 0x302;
    Map(1, false, 0, 0, "Input 1", 0x6000, 1, 8, "%VB3002");
    Map(1, true, 1, 3, "Output", 0x6200, -1, 16, "%VW3000");
    Map(1, true, 1, 1, "Switch", 0x6200, 2, 1, "");     // a bit without memory is not listed
    Map(1, true, 0, 5, "First", 0x6411, 1, 32, "%VD3004"); // PDO 1 before PDO 2
    Map(5, true, 0, 0, "Orphan", 0x6000, 1, 8, "%VB3010"); // free slot: skipped
    auto symbol = new CZULSymbol;
    symbol->name = "MOTOR";
    symbol->address = "VW3000";
    Project().AddSymbol(symbol);

    CCanOpenSlaveGrid slaves(Project());
    CCanOpenCrossRefList list;
    list.RebuildList(slaves);
    ASSERT_EQ(3, list.GetRowCount());
    EXPECT_EQ(13, list.GetGridRowCount());
    const std::vector<std::string> spare(10, "");
    auto withSpare = [&spare](std::vector<std::string> texts) {
        texts.insert(texts.end(), spare.begin(), spare.end());
        return texts;
    };
    EXPECT_EQ(withSpare({"1", "2", "3"}), Column(list, 0));
    EXPECT_EQ(withSpare({"2", "2", "2"}), Column(list, 1));
    EXPECT_EQ(withSpare({"PRL120", "PRL120", "PRL120"}), Column(list, 2));
    EXPECT_EQ(withSpare({"RPDO1 1600 202", "RPDO2 1601 302", "TPDO1 1A00 182"}), Column(list, 3));
    EXPECT_EQ(withSpare({"6411Sub1 - First", "6200 - Output", "6000Sub1 - Input 1"}), Column(list, 4));
    EXPECT_EQ(withSpare({"32", "16", "8"}), Column(list, 5));
    EXPECT_EQ(withSpare({"%VD3004", "%VW3000", "%VB3002"}), Column(list, 6));
    EXPECT_EQ(withSpare({"", "MOTOR", ""}), Column(list, 7));
}

TEST_F(CrossRefListTest, NoMappedObjectsGiveTenEmptyRowsAndARebuildForgetsOldRows)
{
    Project().CanOpenSlaves[0].Name = "PRL120";
    Map(0, true, 0, 0, "Output", 0x6200, 1, 8, "%VB3000");
    CCanOpenSlaveGrid slaves(Project());
    CCanOpenCrossRefList list;
    list.RebuildList(slaves);
    EXPECT_EQ(1, list.GetRowCount());
    slaves.Slave(0).Name.clear();
    list.RebuildList(slaves);
    EXPECT_EQ(0, list.GetRowCount());
    EXPECT_EQ(10, list.GetGridRowCount());
    EXPECT_EQ("", list.GetCellText(0, 0, Project()));
}

} // namespace
