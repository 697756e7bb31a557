#include "CanOpenSheetFixture.h"
#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "hardware/canopen/ui/CCanOpenCfg.h"
#include "hardware/canopen/ui/CCanOpenKindDlg.h"
#include "hardware/canopen/ui/CCanOpenSheet.h"
#include "hardware/canopen/ui/CanOpenUiTexts.h"
#include "hardware/ui/CSheetCPU.h"
#include "model/CMemAreaInfo.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/QtText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gmock/gmock.h>

#include <string>

namespace {

template <class T>
T* Control(QWidget* parent, int id)
{
    return parent->findChild<T*>(QString::number(id));
}

class CanOpenCfgTest : public CanOpenSheetFixture {
protected:
    CCanOpenCfg& Page() { return *CanOpenPage(); }
    // The CANopen tab to the front, as a click on it does; its page.
    CCanOpenCfg& ShowCanOpenTab()
    {
        CanOpenSheetFixture::ShowCanOpenTab();
        return Page();
    }
};

TEST_F(CanOpenCfgTest, ThePageRegisteredByClassNameIsTheFourthTabOfTheCanOpenFrame)
{
    CSheetCPU& sheet = OpenFrame();
    ASSERT_EQ(4, sheet.GetPageCount());
    ASSERT_NE(nullptr, dynamic_cast<CCanOpenCfg*>(sheet.CanOpenPage()));
    EXPECT_EQ(kCanOpenCfgCaption, sheet.GetTabText(3));
    EXPECT_FALSE(Page().IsCreated());
    EXPECT_EQ(nullptr, Page().GetCanOpenSheet());
}

TEST_F(CanOpenCfgTest, NeverShownTabPassesTheCheckAndLeavesTheSettingsUntouched)
{
    CSheetCPU& sheet = OpenFrame();
    Project().AllSalveStates = 1031;
    Project().CanOpenBPS = 9;
    ClearModified();
    EXPECT_TRUE(sheet.ApplyPages());
    EXPECT_EQ(1031, Project().AllSalveStates);
    EXPECT_EQ(9, Project().CanOpenBPS);
    EXPECT_TRUE(m_ui.box.Texts().empty());
}

TEST_F(CanOpenCfgTest, FirstShowBuildsTheSheetWithEveryPageLoadedAndTheNetworkInFront)
{
    Project().CanOpenBPS = 3;
    Project().OverTime = 900;
    OpenFrame();
    CCanOpenCfg& page = ShowCanOpenTab();
    ASSERT_TRUE(page.IsCreated());
    CCanOpenSheet& canOpen = *page.GetCanOpenSheet();
    EXPECT_EQ(kMasterPageCaption, canOpen.GetTabText(0));
    EXPECT_EQ(kNetworkPageCaption, canOpen.GetTabText(1));
    EXPECT_EQ(&canOpen.NetworkPage(), canOpen.GetActivePage());
    EXPECT_TRUE(canOpen.NetworkPage().Model().IsInitialised());
    CMasterAndGlobal& master = canOpen.MasterPage();
    EXPECT_EQ(3, Control<QComboBox>(&master, IDC_CANOPEN_BAUD)->currentIndex());
    EXPECT_EQ(8, Control<QComboBox>(&master, IDC_CANOPEN_BAUD)->count());
    EXPECT_EQ("900", Control<QLineEdit>(&master, IDC_CANOPEN_SDO_TIMEOUT)->text().toStdString());
    EXPECT_EQ("127", Control<QLineEdit>(&master, IDC_CANOPEN_MASTER_ADDRESS)->text().toStdString());
    EXPECT_FALSE(Control<QLineEdit>(&master, IDC_CANOPEN_MASTER_ADDRESS)->isEnabled());
    EXPECT_FALSE(Control<QLineEdit>(&master, IDC_CANOPEN_NET_STATUS)->isVisible());

    canOpen.SetActivePage(&master);
    const QImage picture = m_frame->grab().toImage();
    const std::string path = QCoreApplication::applicationDirPath().toStdString() + "/canopen_master.png";
    EXPECT_TRUE(picture.save(QString::fromStdString(path)));
}

TEST_F(CanOpenCfgTest, TabSwitchesGrowAndShrinkTheTabControlToTheSameSizes)
{
    CSheetCPU& sheet = OpenFrame();
    QTabWidget* tabs = sheet.GetTabControl();
    const QSize cpuSize = tabs->size();
    ShowCanOpenTab();
    const QSize canOpenSize = tabs->size();
    EXPECT_EQ(cpuSize + QSize(CANOPEN_PAGE_EXTRA_WIDTH, CANOPEN_PAGE_EXTRA_HEIGHT), canOpenSize);
    QCoreApplication::processEvents();
    const QSize pageSize = Page().size();
    for (int round = 0; round < 3; ++round) {
        tabs->setCurrentIndex(0);
        EXPECT_EQ(cpuSize, tabs->size()) << round;
        tabs->setCurrentIndex(3);
        EXPECT_EQ(canOpenSize, tabs->size()) << round;
        QCoreApplication::processEvents();
        EXPECT_EQ(pageSize, Page().size()) << round;
    }
}

TEST_F(CanOpenCfgTest, MasterPageApplyStoresThroughTheCheckAndLowersAnOddStart)
{
    CSheetCPU& sheet = OpenFrame();
    CMasterAndGlobal& master = ShowCanOpenTab().GetCanOpenSheet()->MasterPage();
    Control<QLineEdit>(&master, IDC_CANOPEN_SLAVES_STATUS)->setText("1031");
    Control<QComboBox>(&master, IDC_CANOPEN_BAUD)->setCurrentIndex(2);
    ClearModified();
    EXPECT_TRUE(sheet.ApplyPages());
    EXPECT_EQ(1030, Project().AllSalveStates);
    EXPECT_EQ(2, Project().CanOpenBPS);
    EXPECT_EQ("1030", Control<QLineEdit>(&master, IDC_CANOPEN_SLAVES_STATUS)->text().toStdString());
    EXPECT_THAT(m_ui.box.Texts(), ::testing::ElementsAre(kOddSlavesStatusStart));
    EXPECT_TRUE(Modified());
}

TEST_F(CanOpenCfgTest, RefusingCanOpenPageComesToTheFrontAndStopsTheCheck)
{
    CSheetCPU& sheet = OpenFrame();
    CCanOpenCfg& page = ShowCanOpenTab();
    CMasterAndGlobal& master = page.GetCanOpenSheet()->MasterPage();
    sheet.GetTabControl()->setCurrentIndex(0);
    const int vBytes = g_LiveAreaTable[MEM_ROW_V].unitCount;
    Control<QLineEdit>(&master, IDC_CANOPEN_MASTER_STATUS)->setText(QString::number(vBytes));
    Control<QLineEdit>(&master, IDC_CANOPEN_SDO_TIMEOUT)->setText("800");
    EXPECT_FALSE(sheet.ApplyPages());
    EXPECT_EQ(&page, sheet.GetActivePage());
    EXPECT_EQ(&master, page.GetCanOpenSheet()->GetActivePage());
    EXPECT_EQ(500, Project().OverTime);
    EXPECT_EQ(1u, m_ui.box.Texts().size());
}

TEST_F(CanOpenCfgTest, SaveButtonAppliesAndHelpOpensTheMasterTopic)
{
    OpenFrame();
    CCanOpenSheet& canOpen = *ShowCanOpenTab().GetCanOpenSheet();
    CMasterAndGlobal& master = canOpen.MasterPage();
    canOpen.SetActivePage(&master);
    Control<QLineEdit>(&master, IDC_CANOPEN_SDO_TIMEOUT)->setText("1200");
    QTest::mouseClick(Control<QPushButton>(&master, IDC_CANOPEN_MASTER_SAVE), Qt::LeftButton);
    EXPECT_EQ(1200, Project().OverTime);
    QTest::mouseClick(Control<QPushButton>(&master, IDC_CANOPEN_MASTER_HELP), Qt::LeftButton);
    ASSERT_EQ(1u, m_ui.help.Requests().size());
    EXPECT_EQ(kMasterPageCaption, m_ui.help.Requests()[0].topic);
}

TEST_F(CanOpenCfgTest, OverviewRebuildsFromTheNetworksWorkingListWhenItComesToTheFront)
{
    Project().CanOpenSlaves[0].Name = "PRL120";
    OpenFrame();
    CCanOpenSheet& canOpen = *ShowCanOpenTab().GetCanOpenSheet();
    EXPECT_EQ(kCrossRefPageCaption, canOpen.GetTabText(3));
    CCanOpenCrossRef& overview = canOpen.CrossRefPage();
    EXPECT_EQ(0, overview.List().GetRowCount());
    // An unsaved mapping of the network page shows on the next activation.
    canOpen.NetworkPage().Model().SlaveGrid().Slave(0).RPDO[0].Rows[0] = {"Output", 0x6200, 1, 8, "%VB3000"};
    canOpen.SetActivePage(&overview);
    ASSERT_EQ(1, overview.List().GetRowCount());
    EXPECT_EQ(11, overview.Grid()->GetGridRowCount());
    EXPECT_EQ(0, Project().CanOpenSlaves[0].RPDO[0].Rows[0].Size);

    ClearModified();
    m_ui.box.Answer(IDNO);
    QTest::mouseClick(Control<QPushButton>(&overview, IDC_CROSSREF_REASSIGN), Qt::LeftButton);
    EXPECT_FALSE(Modified());
    m_ui.box.Answer(IDYES);
    canOpen.NetworkPage().Model().SlaveGrid().Slave(0).RPDO[0].Rows[0].Mem = "%VB3100";
    QTest::mouseClick(Control<QPushButton>(&overview, IDC_CROSSREF_REASSIGN), Qt::LeftButton);
    EXPECT_TRUE(Modified());
    EXPECT_EQ("%VB3000", overview.List().Row(0).memory);
}

TEST_F(CanOpenCfgTest, MappingPageMapsIntoTheWorkingListAndTheApplyStoresIt)
{
    Project().CanOpenSlaves[0].Name = "CANOPEN_IO";
    CSheetCPU& sheet = OpenFrame();
    CCanOpenSheet& canOpen = *ShowCanOpenTab().GetCanOpenSheet();
    EXPECT_EQ(kMapPageCaption, canOpen.GetTabText(2));
    CCanOpenMapOD& map = canOpen.MapPage();
    canOpen.SetActivePage(&map);
    const std::string slaveItem = "\xB4\xD3\xD5\xBE" "1 - CANOPEN_IO";
    map.OnTreeItemClicked(map.FindTreeItem(slaveItem));
    EXPECT_EQ(1, map.Model().CurrentSlave());
    map.Tree()->SelectItem(map.FindTreeItem("0 - uIO_outPut"));
    map.OnAddMappedObject();
    EXPECT_EQ("uIO_outPut", map.Model().GetMapCellText(MAP_COL_NAME, 0));
    EXPECT_EQ("%VB3000", map.Model().GetMapCellText(MAP_COL_MEMORY, 0));

    const QImage picture = map.grab().toImage();
    const std::string path = QCoreApplication::applicationDirPath().toStdString() + "/canopen_mapping.png";
    EXPECT_TRUE(picture.save(QString::fromStdString(path)));

    canOpen.SetActivePage(&canOpen.NetworkPage());
    CCanOpenSlaveGrid& working = canOpen.NetworkPage().Model().SlaveGrid();
    EXPECT_EQ("uIO_outPut", working.Slave(0).RPDO[0].Rows[0].ODName);
    EXPECT_TRUE(Project().CanOpenSlaves[0].RPDO[0].Rows[0].ODName.empty());
    EXPECT_TRUE(sheet.ApplyPages());
    EXPECT_EQ("%VB3000", Project().CanOpenSlaves[0].RPDO[0].Rows[0].Mem);

    // A moved slave rebuilds the tree with its new node; no slave is current.
    canOpen.NetworkPage().Model().SlaveGrid().SetFocusCell(0, 0);
    canOpen.NetworkPage().OnMoveSlaveDown();
    canOpen.SetActivePage(&map);
    EXPECT_EQ(nullptr, map.FindTreeItem(slaveItem));
    EXPECT_NE(nullptr, map.FindTreeItem("\xB4\xD3\xD5\xBE" "2 - CANOPEN_IO"));
    EXPECT_EQ(NO_SLAVE, map.Model().CurrentSlave());
}

TEST(CanOpenKindDlgTest, OpensOnDrivesAndEveryWayOfClosingGivesTheKeyOfTheSelection)
{
    struct Case {
        int row;
        bool accept;
        const char* key;
    };
    const Case cases[] = {
        {-2, false, "CANOPENDRIVE"}, {-2, true, "CANOPENDRIVE"}, {0, true, "CANOPENIO"},
        {2, false, "CANOPENROOT"},   {-1, true, "CANOPENROOT"},
    };
    for (const Case& c : cases) {
        CCanOpenKindDlg dialog;
        dialog.OnInitDialog();
        ASSERT_EQ(3, dialog.List()->count());
        EXPECT_EQ(1, dialog.List()->currentRow());
        if (c.row == -1)
            dialog.List()->clearSelection();
        else if (c.row >= 0)
            dialog.List()->setCurrentRow(c.row);
        if (c.accept)
            dialog.accept();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_EQ(c.key, dialog.GetKey()) << c.row;
        EXPECT_EQ(c.accept ? QDialog::Accepted : QDialog::Rejected, dialog.result());
    }
}

} // namespace
