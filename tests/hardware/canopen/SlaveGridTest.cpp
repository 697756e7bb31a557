#include "hardware/canopen/CCanOpenSlaveGrid.h"

#include "CanOpenFixture.h"
#include "hardware/canopen/CanOpenTexts.h"

#include <functional>
#include <string>
#include <vector>

namespace {

const std::string kHeartbeat = kSupervisionEntries[0];
const std::string kGuarding = kSupervisionEntries[1];

class SlaveGridTest : public CanOpenFixture {
protected:
    // Slaves at nodes 3 and 5.
    void SetUp() override
    {
        CanOpenFixture::SetUp();
        Project().CanOpenSlaves[2].Name = "CANOPEN_IO";
        Project().CanOpenSlaves[2].Type = 401;
        Project().CanOpenSlaves[4].Name = "MX Servo";
    }

    std::vector<std::string> Row(const CCanOpenSlaveGrid& grid, int row) const
    {
        std::vector<std::string> cells;
        for (int column = 0; column < SLAVE_LIST_COLUMNS; ++column)
            cells.push_back(grid.GetCellText(column, row));
        return cells;
    }
};

TEST_F(SlaveGridTest, LoadsTheSlotsInUseAndShowsFreeRowsBlank)
{
    Project().CanOpenSlaves[7].Type = 55; // a free slot's fields are not loaded
    CCanOpenSlaveGrid grid(Project());
    const std::vector<std::string> blank(SLAVE_LIST_COLUMNS, "");
    for (int row = 0; row < CANOPEN_SLAVES; ++row) {
        if (row != 2 && row != 4) {
            EXPECT_EQ(blank, Row(grid, row)) << row;
        }
    }
    EXPECT_EQ(0, grid.Slave(7).Type);
    EXPECT_EQ((std::vector<std::string>{"3", "CANOPEN_IO", kGuarding, "1000", "3", "", kErrorHandlingEntries[1],
                                        "401", kValidEntries[1]}),
              Row(grid, 2));
    EXPECT_EQ("5", grid.GetCellText(SLAVE_COL_ADDRESS, 4));
    EXPECT_EQ("", grid.GetCellText(SLAVE_COL_TYPE, 4));
    EXPECT_EQ(std::string(kSlaveListHeaders[5]), CCanOpenSlaveGrid::ColumnHeader(SLAVE_COL_CONSUMER_TIME));
    EXPECT_EQ(90, CCanOpenSlaveGrid::ColumnWidth(SLAVE_COL_CONSUMER_TIME));
    EXPECT_EQ((std::vector<std::string>{kHeartbeat, kGuarding}), CCanOpenSlaveGrid::CreateCellCtrl(SLAVE_COL_SUPERVISION));
    EXPECT_EQ(3u, CCanOpenSlaveGrid::CreateCellCtrl(SLAVE_COL_ERROR_HANDLING).size());
    EXPECT_TRUE(CCanOpenSlaveGrid::CreateCellCtrl(SLAVE_COL_GUARD_TIME).empty());
}

struct DisplayCase {
    const char* name;
    std::function<void(CCanOpenSlave&)> set;
    std::vector<std::string> columns3to8;
};

TEST_F(SlaveGridTest, ShowingNormalisesValuesWithoutChangingTheRecord)
{
    const DisplayCase cases[] = {
        {"node guarding", [](CCanOpenSlave&) {}, {"1000", "3", "", kErrorHandlingEntries[1], "401", kValidEntries[1]}},
        {"heartbeat", [](CCanOpenSlave& s) { s.Watch = 0; }, {"500", "", "600", kErrorHandlingEntries[1], "401",
                                                               kValidEntries[1]}},
        {"guard values out of range",
         [](CCanOpenSlave& s) {
             s.NodeTime = 0;
             s.LifeGene = 65536;
         },
         {"1000", "3", "", kErrorHandlingEntries[1], "401", kValidEntries[1]}},
        {"heartbeat values out of range",
         [](CCanOpenSlave& s) {
             s.Watch = 0;
             s.HeartTime = -5;
             s.HeartOverTime = 70000;
         },
         {"500", "", "95", kErrorHandlingEntries[1], "401", kValidEntries[1]}},
        {"consumer not above producer",
         [](CCanOpenSlave& s) {
             s.Watch = 0;
             s.HeartTime = 800;
             s.HeartOverTime = 800;
         },
         {"800", "", "900", kErrorHandlingEntries[1], "401", kValidEntries[1]}},
        {"unknown supervision, error handling and valid",
         [](CCanOpenSlave& s) {
             s.Watch = 7;
             s.ErrHandel = 9;
             s.Valid = 4;
         },
         {"", "", "", kErrorHandlingEntries[0], "401", kValidEntries[1]}},
        {"stop network, not valid",
         [](CCanOpenSlave& s) {
             s.ErrHandel = 2;
             s.Valid = 0;
         },
         {"1000", "3", "", kErrorHandlingEntries[2], "401", kValidEntries[0]}},
    };
    for (const DisplayCase& c : cases) {
        SCOPED_TRACE(c.name);
        CCanOpenSlaveGrid grid(Project());
        c.set(grid.Slave(2));
        const CCanOpenSlave before = grid.Slave(2);
        std::vector<std::string> shown;
        for (int column = SLAVE_COL_GUARD_TIME; column < SLAVE_LIST_COLUMNS; ++column)
            shown.push_back(grid.GetCellText(column, 2));
        EXPECT_EQ(c.columns3to8, shown);
        EXPECT_EQ(before.NodeTime, grid.Slave(2).NodeTime);
        EXPECT_EQ(before.HeartOverTime, grid.Slave(2).HeartOverTime);
    }
}

struct SaveCase {
    const char* name;
    int watch;
    int column;
    std::string text;
    std::function<int(const CCanOpenSlave&)> field;
    int expected;
    bool stored = true; // FALSE: the column does not apply to the supervision
};

int NodeTime(const CCanOpenSlave& s) { return s.NodeTime; }
int HeartTime(const CCanOpenSlave& s) { return s.HeartTime; }
int Consumer(const CCanOpenSlave& s) { return s.HeartOverTime; }
int LifeGene(const CCanOpenSlave& s) { return s.LifeGene; }
int Watch(const CCanOpenSlave& s) { return s.Watch; }
int ErrHandel(const CCanOpenSlave& s) { return s.ErrHandel; }
int Valid(const CCanOpenSlave& s) { return s.Valid; }
int Type(const CCanOpenSlave& s) { return s.Type; }
int Node(const CCanOpenSlave& s) { return s.Node; }

TEST_F(SlaveGridTest, EditedCellsAreStoredByTheRulesOfTheirColumn)
{
    // Heartbeat slaves start with producer time 500 and consumer time 600.
    const SaveCase cases[] = {
        {"guard time", 1, SLAVE_COL_GUARD_TIME, " 250 ", NodeTime, 250},
        {"guard time 0", 1, SLAVE_COL_GUARD_TIME, "0", NodeTime, 1000},
        {"guard time 65536", 1, SLAVE_COL_GUARD_TIME, "65536", NodeTime, 1000},
        {"guard time 65535", 1, SLAVE_COL_GUARD_TIME, "65535", NodeTime, 65535},
        {"guard time negative", 1, SLAVE_COL_GUARD_TIME, "-4", NodeTime, 1000},
        {"producer time 800 lifts the consumer", 0, SLAVE_COL_GUARD_TIME, "800", Consumer, 900},
        {"producer time 200 keeps the consumer", 0, SLAVE_COL_GUARD_TIME, "200", Consumer, 600},
        {"producer time 0", 0, SLAVE_COL_GUARD_TIME, "0", HeartTime, 500},
        {"consumer time 400 below the producer", 0, SLAVE_COL_CONSUMER_TIME, "400", Consumer, 600},
        {"consumer time 700", 0, SLAVE_COL_CONSUMER_TIME, "700", Consumer, 700},
        {"consumer time 65536", 0, SLAVE_COL_CONSUMER_TIME, "65536", Consumer, 600},
        {"consumer time while guarding", 1, SLAVE_COL_CONSUMER_TIME, "700", Consumer, 600, false},
        {"life factor", 1, SLAVE_COL_LIFE_FACTOR, "5", LifeGene, 5},
        {"life factor 0", 1, SLAVE_COL_LIFE_FACTOR, "0", LifeGene, 3},
        {"life factor while heartbeat", 0, SLAVE_COL_LIFE_FACTOR, "5", LifeGene, 3, false},
        {"heartbeat chosen", 1, SLAVE_COL_SUPERVISION, kHeartbeat, Watch, 0},
        {"guarding chosen", 0, SLAVE_COL_SUPERVISION, kGuarding, Watch, 1},
        {"stop network", 1, SLAVE_COL_ERROR_HANDLING, kErrorHandlingEntries[2], ErrHandel, 2},
        {"none", 1, SLAVE_COL_ERROR_HANDLING, kErrorHandlingEntries[0], ErrHandel, 0},
        {"unknown error handling", 1, SLAVE_COL_ERROR_HANDLING, "x", ErrHandel, 0},
        {"not valid", 1, SLAVE_COL_VALID, kValidEntries[0], Valid, 0},
        {"valid", 1, SLAVE_COL_VALID, kValidEntries[1], Valid, 1},
        {"type", 1, SLAVE_COL_TYPE, "12", Type, 12},
        {"negative type", 1, SLAVE_COL_TYPE, "-12", Type, 0},
        {"address text ignored", 1, SLAVE_COL_ADDRESS, "99", Node, 3},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        CCanOpenSlaveGrid grid(Project());
        grid.Slave(2).Watch = c.watch;
        m_document.SetModifiedFlag(FALSE);
        grid.OnSaveCellData(c.column, 2, c.text);
        EXPECT_EQ(c.expected, c.field(grid.Slave(2)));
        EXPECT_EQ(c.stored, m_document.IsModified() != FALSE);
    }
}

TEST_F(SlaveGridTest, EditOfAFreeRowChangesNothing)
{
    CCanOpenSlaveGrid grid(Project());
    m_document.SetModifiedFlag(FALSE);
    grid.OnSaveCellData(SLAVE_COL_GUARD_TIME, 0, "250");
    grid.OnSaveCellData(SLAVE_COL_NAME, 0, "Sneaky");
    EXPECT_EQ(1000, grid.Slave(0).NodeTime);
    EXPECT_EQ("", grid.Slave(0).Name);
    EXPECT_FALSE(m_document.IsModified());
}

struct MoveCase {
    const char* name;
    std::vector<int> occupied; // slots in use besides the moved one
    int from;
    bool up;
    int to; // -1: nothing moves
};

TEST_F(SlaveGridTest, MovingGoesToTheNearestFreeNodeWithDefaultCobIds)
{
    const MoveCase cases[] = {
        {"up, nodes 1 to 4 taken", {0, 1, 2, 3}, 4, true, -1},
        {"up, only node 2 free", {0, 2, 3}, 4, true, 1},
        {"up from node 1", {}, 0, true, -1},
        {"up to the next node", {}, 4, true, 3},
        {"down over a taken node", {5}, 4, false, 6},
        {"down from node 126", {}, 125, false, -1},
        {"down, all nodes above taken", {122, 123, 124, 125}, 121, false, -1},
    };
    for (const MoveCase& c : cases) {
        SCOPED_TRACE(c.name);
        Project().ResetCanOpenConfig();
        for (int slot : c.occupied)
            Project().CanOpenSlaves[slot].Name = "other";
        CCanOpenSlave& moved = Project().CanOpenSlaves[c.from];
        moved.Name = "mover";
        moved.NodeTime = 4321;
        moved.TPDO[5].COB_ID = 0x1C0;
        moved.RPDO[0].Rows[3] = {"Out", 0x6200, 1, 16, "%VW3010"};
        CCanOpenSlaveGrid grid(Project());
        grid.SetFocusCell(c.from, SLAVE_COL_NAME);
        m_document.SetModifiedFlag(FALSE);
        const BOOL result = c.up ? grid.MoveSlaveUp() : grid.MoveSlaveDown();
        int row = 0;
        int column = 0;
        grid.GetFocusCell(row, column);
        if (c.to < 0) {
            EXPECT_FALSE(result);
            EXPECT_EQ("mover", grid.Slave(c.from).Name);
            EXPECT_EQ(c.from, row);
            EXPECT_FALSE(m_document.IsModified());
            continue;
        }
        EXPECT_TRUE(result);
        EXPECT_EQ(c.to, row);
        EXPECT_TRUE(m_document.IsModified());
        const CCanOpenSlave& slave = grid.Slave(c.to);
        const int node = c.to + 1;
        EXPECT_EQ("mover", slave.Name);
        EXPECT_EQ(node, slave.Node);
        EXPECT_EQ(4321, slave.NodeTime);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(0x200 + 0x100 * k + node, slave.RPDO[k].COB_ID);
            EXPECT_EQ(0x180 + 0x100 * k + node, slave.TPDO[k].COB_ID);
        }
        EXPECT_EQ(0x1C0, slave.TPDO[5].COB_ID);
        EXPECT_EQ("%VW3010", slave.RPDO[0].Rows[3].Mem);
        EXPECT_EQ("", grid.Slave(c.from).Name);
        EXPECT_EQ(c.from + 1, grid.Slave(c.from).Node);
        EXPECT_EQ(0x201 + c.from, grid.Slave(c.from).RPDO[0].COB_ID);
        EXPECT_EQ("", grid.Slave(c.from).RPDO[0].Rows[3].ODName);
        for (int slot : c.occupied)
            EXPECT_EQ("other", grid.Slave(slot).Name);
    }
}

TEST_F(SlaveGridTest, DeletingResetsTheWholeSlot)
{
    CCanOpenSlaveGrid grid(Project());
    grid.Slave(4).TPDO[5].COB_ID = 0x1C0;
    grid.Slave(4).Watch = 0;
    grid.Slave(4).RPDO[1].Rows[0] = {"Out", 0x6200, 1, 8, "%VB3000"};
    grid.SetFocusCell(4, SLAVE_COL_VALID);
    m_document.SetModifiedFlag(FALSE);
    EXPECT_TRUE(grid.DeleteSlave());
    EXPECT_TRUE(m_document.IsModified());
    int row = 0;
    int column = 0;
    grid.GetFocusCell(row, column);
    EXPECT_EQ(SLAVE_COL_ADDRESS, column);
    const CCanOpenSlave& slot = grid.Slave(4);
    EXPECT_EQ("", slot.Name);
    EXPECT_EQ(0, slot.TPDO[5].COB_ID);
    EXPECT_EQ(1, slot.Watch);
    EXPECT_EQ(0x305, slot.RPDO[1].COB_ID);
    EXPECT_EQ("", slot.RPDO[1].Rows[0].ODName);

    m_document.SetModifiedFlag(FALSE);
    EXPECT_FALSE(grid.DeleteSlave());
    grid.SetFocusCell(200, 0);
    EXPECT_FALSE(grid.DeleteSlave());
    EXPECT_FALSE(grid.MoveSlaveUp());
    EXPECT_FALSE(m_document.IsModified());
}

TEST_F(SlaveGridTest, SaveCopiesTheWorkingCopyIntoTheProject)
{
    CCanOpenSlaveGrid grid(Project());
    grid.SetFocusCell(2, 0);
    ASSERT_TRUE(grid.MoveSlaveUp());
    EXPECT_EQ("CANOPEN_IO", Project().CanOpenSlaves[2].Name); // the project is untouched until then
    grid.StoreToProject(Project());
    EXPECT_EQ("", Project().CanOpenSlaves[2].Name);
    EXPECT_EQ("CANOPEN_IO", Project().CanOpenSlaves[1].Name);
    EXPECT_EQ(2, Project().CanOpenSlaves[1].Node);
    EXPECT_EQ(0x182, Project().CanOpenSlaves[1].TPDO[0].COB_ID);
}

} // namespace
