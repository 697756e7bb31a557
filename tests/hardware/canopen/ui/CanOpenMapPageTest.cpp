// The mapping page as the user clicks it: a row of either PDO grid shows
// that PDO's mapped objects below, with its label; rows of a page without a
// current slave select nothing. The object tree keeps one branch open and
// ignores the keys that would move its selection; a click on a read-only
// cell of a grid selects the whole row.

#include "CanOpenSheetFixture.h"

#include "hardware/canopen/CanOpenTexts.h"
#include "platform/ByteString.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/QtText.h"

#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <string>

namespace {

constexpr const char* kSlaveItem = "\xB4\xD3\xD5\xBE" "1 - CANOPEN_IO";
constexpr const char* kSecondSlaveItem = "\xB4\xD3\xD5\xBE" "2 - CANOPEN_IO";

class CanOpenMapPageTest : public CanOpenSheetFixture {
protected:
    void SetUp() override
    {
        CanOpenSheetFixture::SetUp();
        CCanOpenSlave& slave = Project().CanOpenSlaves[0];
        slave.Name = "CANOPEN_IO";
        slave.TPDO[2].Rows[0] = {"uIO_inPut", 0x6000, 1, 8, "%VB3100"};
        slave.RPDO[5].Rows[0] = {"uIO_outPut", 0x6200, 1, 8, "%VB3000"};
        Project().CanOpenSlaves[1].Name = "CANOPEN_IO";
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

    // A slave item, or with a branch text that branch of the slave.
    QTreeWidgetItem* TreeItem(const char* slave, const char* branch = nullptr)
    {
        QTreeWidgetItem* item = m_map->FindTreeItem(slave);
        if (!item || !branch)
            return item;
        for (int child = 0; child < item->childCount(); ++child)
            if (FromQString(item->child(child)->text(0)) == branch)
                return item->child(child);
        return nullptr;
    }
    void ClickTreeItem(QTreeWidgetItem* item, Qt::MouseButton button = Qt::LeftButton)
    {
        QTreeWidget* tree = m_map->Tree()->Tree();
        QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(item).center());
    }
    void ClickCell(CCPGridCtrl* grid, int column, int row)
    {
        QTableView* table = grid->GetTableView();
        const QModelIndex cell = table->model()->index(row, column);
        table->scrollTo(cell);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(cell).center());
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

TEST_F(CanOpenMapPageTest, SelectingATreeItemClosesTheBranchSelectedBefore)
{
    QTreeWidgetItem* slave = TreeItem(kSlaveItem);
    QTreeWidgetItem* second = TreeItem(kSecondSlaveItem);
    QTreeWidgetItem* transmit = TreeItem(kSlaveItem, kTransmitBranchItem);
    QTreeWidgetItem* receive = TreeItem(kSlaveItem, kReceiveBranchItem);
    ASSERT_TRUE(slave && second && transmit && receive);
    QTreeWidgetItem* const watched[] = {slave, transmit, receive, second};
    struct Step {
        QTreeWidgetItem* clicked;
        Qt::MouseButton button;
        bool expanded[4];   // slave 1, its transmit branch, its receive branch, slave 2
    };
    const Step steps[] = {
        {slave, Qt::LeftButton, {true, false, false, false}},
        {transmit, Qt::LeftButton, {true, true, false, false}},
        {receive, Qt::LeftButton, {true, false, true, false}},
        {second, Qt::RightButton, {false, false, false, true}},
        {slave, Qt::LeftButton, {true, false, false, false}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(FromQString(step.clicked->text(0)));
        ClickTreeItem(step.clicked, step.button);
        EXPECT_EQ(step.clicked, m_map->Tree()->GetSelectedItem());
        for (int item = 0; item < 4; ++item)
            EXPECT_EQ(step.expanded[item], watched[item]->isExpanded()) << "item " << item;
        EXPECT_TRUE(m_map->Tree()->GetRootItem()->isExpanded());
    }
    EXPECT_EQ(1, m_map->Model().CurrentSlave());
}

TEST_F(CanOpenMapPageTest, TreeIgnoresKeysThatMoveTheSelection)
{
    QTreeWidgetItem* slave = TreeItem(kSlaveItem);
    ASSERT_NE(slave, nullptr);
    ClickTreeItem(slave);
    ASSERT_EQ(slave, m_map->Tree()->GetSelectedItem());
    const Qt::Key keys[] = {Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End,  Qt::Key_Home,
                            Qt::Key_Left,   Qt::Key_Up,       Qt::Key_Right, Qt::Key_Down};
    for (Qt::Key key : keys) {
        SCOPED_TRACE(key);
        QTest::keyClick(m_map->Tree()->Tree(), key);
        EXPECT_EQ(slave, m_map->Tree()->GetSelectedItem());
        EXPECT_TRUE(slave->isExpanded());
        EXPECT_EQ(1, m_map->Model().CurrentSlave());
    }
}

TEST_F(CanOpenMapPageTest, ClickOnAReadOnlyCellSelectsTheWholeRow)
{
    ClickTreeItem(TreeItem(kSlaveItem));
    ASSERT_EQ(1, m_map->Model().CurrentSlave());
    struct Case {
        UINT grid;
        int column;
        int row;
        bool wholeRow;
    };
    const Case cases[] = {
        {IDC_MAP_TRANSMIT_GRID, 0, 2, true},  {IDC_MAP_TRANSMIT_GRID, 1, 3, false},
        {IDC_MAP_TRANSMIT_GRID, 4, 4, false}, {IDC_MAP_RECEIVE_GRID, 0, 5, true},
        {IDC_MAP_RECEIVE_GRID, 3, 6, false},  {IDC_MAP_MAPPING_GRID, 0, 0, true},
        {IDC_MAP_MAPPING_GRID, 1, 1, true},   {IDC_MAP_MAPPING_GRID, 2, 2, true},
        {IDC_MAP_MAPPING_GRID, 3, 3, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "grid " << c.grid << " cell " << c.column << "," << c.row);
        CCPGridCtrl* grid = Grid(c.grid);
        ASSERT_NE(grid, nullptr);
        ClickCell(grid, c.column, c.row);
        const int lastCol = grid->GetGridColCount() - 1;
        int firstCol = -1, lastSelCol = -1, firstRow = -1, lastRow = -1;
        grid->GetSelectRange(firstCol, lastSelCol, firstRow, lastRow);
        EXPECT_EQ(c.wholeRow ? 0 : c.column, firstCol);
        EXPECT_EQ(c.wholeRow ? lastCol : c.column, lastSelCol);
        EXPECT_EQ(c.row, firstRow);
        EXPECT_EQ(c.row, lastRow);
        EXPECT_EQ(c.wholeRow ? lastCol + 1 : 1, grid->GetTableView()->selectionModel()->selectedIndexes().size());
        EXPECT_EQ(c.column, grid->GetCore().GetActiveCol());
    }
}

TEST_F(CanOpenMapPageTest, ShowingAnotherPdoShrinksTheOtherGridsSelectionToItsFirstCell)
{
    // A new slave starts with the receive grid on its first cell.
    ClickTreeItem(TreeItem(kSlaveItem));
    ASSERT_EQ(1, m_map->Model().CurrentSlave());
    struct Case {
        UINT clicked;
        int column;
        int row;
        UINT other;
        int otherRow;
    };
    const Case cases[] = {
        {IDC_MAP_TRANSMIT_GRID, 0, 2, IDC_MAP_RECEIVE_GRID, 0},
        {IDC_MAP_RECEIVE_GRID, 0, 5, IDC_MAP_TRANSMIT_GRID, 2},
        {IDC_MAP_TRANSMIT_GRID, 3, 6, IDC_MAP_RECEIVE_GRID, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "grid " << c.clicked << " row " << c.row);
        ClickCell(Grid(c.clicked), c.column, c.row);
        CCPGridCtrl* other = Grid(c.other);
        int firstCol = -1, lastCol = -1, firstRow = -1, lastRow = -1;
        other->GetSelectRange(firstCol, lastCol, firstRow, lastRow);
        EXPECT_EQ(0, firstCol);
        EXPECT_EQ(0, lastCol);
        EXPECT_EQ(c.otherRow, firstRow);
        EXPECT_EQ(c.otherRow, lastRow);
        EXPECT_EQ(0, other->GetCore().GetActiveCol());
    }
}

} // namespace
