// The four CANopen pages with a configured network, as the user sees them:
// grid columns wide enough for their headers and texts, no blank header
// column, and no control lying over another.

#include "CanOpenSheetFixture.h"

#include "hardware/canopen/ui/CCanOpenSlaveList.h"
#include "platform/ui/QtText.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QTableView>

#include <memory>
#include <string>
#include <vector>

namespace {

// Margins of a cell's text inside its column.
constexpr int kTextMargin = 6;

class CanOpenPagesLayoutTest : public CanOpenSheetFixture {
protected:
    void SetUp() override
    {
        CanOpenSheetFixture::SetUp();
        // Node 1 with one mapped object, node 126 with the highest node numbers in its texts.
        for (int slot : {0, CANOPEN_SLAVES - 1}) {
            CCanOpenSlave& slave = Project().CanOpenSlaves[slot];
            slave.Name = "CANOPEN_IO";
            slave.RPDO[7].COB_ID = 0x57F;
            slave.TPDO[7].COB_ID = 0x57F;
            slave.TPDO[7].Rows[0] = {"uIO_outPut", 0x6200, 1, 8, "%VB3000"};
        }
        OpenFrame();
        m_sheet = ShowCanOpenTab();
        ASSERT_NE(m_sheet, nullptr);
    }

    CCanOpenSheet* m_sheet = nullptr;
};

std::string CellText(CCPGridCtrl& grid, int column, int row)
{
    std::string text;
    BYTE mark = 0;
    grid.GetHost().GetCellText(column, row, text, mark);
    return text;
}

TEST_F(CanOpenPagesLayoutTest, GridColumnsShowTheirHeadersAndFixedFormatTextsWhole)
{
    CCanOpenMapOD& map = m_sheet->MapPage();
    m_sheet->SetActivePage(&map);
    map.OnTreeItemClicked(map.FindTreeItem("\xB4\xD3\xD5\xBE" "126 - CANOPEN_IO"));
    ASSERT_EQ(CANOPEN_SLAVES, map.Model().CurrentSlave());
    m_sheet->SetActivePage(&m_sheet->CrossRefPage());
    ASSERT_EQ(2, m_sheet->CrossRefPage().List().GetRowCount());

    struct Case {
        const char* name;
        CCPGridCtrl* grid;
        // Columns whose texts have a fixed format; the others hold names of any length.
        std::vector<int> fixedFormat;
    };
    auto pdoGrid = [&](UINT id) { return map.findChild<CCPGridCtrl*>(QString::number(id)); };
    const Case cases[] = {
        {"slave list", m_sheet->NetworkPage().SlaveList(), {SLAVE_COL_ADDRESS}},
        {"transmit PDOs", pdoGrid(IDC_MAP_TRANSMIT_GRID), {0, 1, 2, 3, 4}},
        {"receive PDOs", pdoGrid(IDC_MAP_RECEIVE_GRID), {0, 1, 2, 3}},
        {"overview", m_sheet->CrossRefPage().Grid(), {0, 1, 3, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.grid, nullptr);
        QTableView* table = c.grid->GetTableView();
        EXPECT_FALSE(table->verticalHeader()->isVisibleTo(c.grid));
        const QFontMetrics headerFont = table->horizontalHeader()->fontMetrics();
        for (int column = 0; column < c.grid->GetGridColCount(); ++column) {
            const QString header = table->model()->headerData(column, Qt::Horizontal).toString();
            EXPECT_LE(headerFont.horizontalAdvance(header) + kTextMargin, table->columnWidth(column))
                << header.toStdString();
        }
        for (int column : c.fixedFormat) {
            for (int row = 0; row < c.grid->GetGridRowCount(); ++row) {
                const QString text = ToQString(CellText(*c.grid, column, row));
                EXPECT_LE(table->fontMetrics().horizontalAdvance(text) + kTextMargin, table->columnWidth(column))
                    << text.toStdString();
            }
        }
    }
}

TEST_F(CanOpenPagesLayoutTest, NoControlOfAPageLiesOverAnother)
{
    for (int index = 0; index < m_sheet->GetPageCount(); ++index) {
        CPropertyPage* page = m_sheet->GetPage(index);
        m_sheet->SetActivePage(page);
        SCOPED_TRACE(FromQString(ToQString(m_sheet->GetTabText(index))));
        std::vector<QWidget*> controls;
        for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisibleTo(page) && !qobject_cast<QGroupBox*>(child))
                controls.push_back(child);
        for (size_t i = 0; i < controls.size(); ++i) {
            EXPECT_TRUE(page->rect().contains(controls[i]->geometry())) << controls[i]->objectName().toStdString();
            for (size_t j = i + 1; j < controls.size(); ++j)
                EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                    << controls[i]->objectName().toStdString() << " / " << controls[j]->objectName().toStdString();
        }
    }
}

} // namespace
