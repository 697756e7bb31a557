#include "hardware/CpuPagesFixture.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "hardware/canopen/ui/CCanOpenBootDlg.h"
#include "hardware/canopen/ui/CCanOpenNetwork.h"
#include "hardware/canopen/ui/CCanOpenSlaveList.h"
#include "hardware/canopen/ui/CanOpenUiTexts.h"
#include "model/CCanOpenSlaveType.h"
#include "platform/FileSystem.h"
#include "platform/ui/CMessagePump.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/QtText.h"
#include "support/TempFolder.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;

template <class T>
T* Control(QWidget* parent, int id)
{
    return parent->findChild<T*>(QString::number(id));
}

class CanOpenNetworkTest : public CpuPagesFixture {
protected:
    void SetUp() override
    {
        CpuPagesFixture::SetUp();
        CMessagePump::Install();
        AddModule(CPU_CODE_VC16);
        m_app->SlaveLibrary.clear();
        AddType("PRL120", "CANOPENIO", 401);
        AddType("Servo", "CANOPENDRIVE", 402);
        AddType("Gateway", "OTHER", 405);
        m_page = std::make_unique<CCanOpenNetwork>(*m_app, m_folder.Path());
        m_sheet = std::make_unique<CPropertySheet>("CANopen");
        m_sheet->AddPage(m_page.get());
        m_sheet->Create(nullptr, WS_VISIBLE);
        m_sheet->resize(1100, 620);
    }
    void TearDown() override
    {
        m_sheet.reset();
        m_page.reset();
        CpuPagesFixture::TearDown();
    }
    void AddType(const std::string& name, const std::string& category, int code)
    {
        auto type = std::make_unique<CCanOpenSlaveType>();
        type->name = name;
        type->category = category;
        type->typeCode = code;
        m_app->ReplaceSlaveType(std::move(type));
    }
    std::vector<std::string> Children(const std::string& parent) const
    {
        std::vector<std::string> texts;
        const QTreeWidgetItem* item = m_page->FindTreeItem(parent);
        for (int i = 0; item && i < item->childCount(); ++i)
            texts.push_back(FromQString(item->child(i)->text(0)));
        return texts;
    }
    void Select(const std::string& text) { m_page->TypeTree()->SelectItem(m_page->FindTreeItem(text)); }
    std::string Cell(int column, int row)
    {
        std::string text;
        BYTE mark = 0;
        m_page->SlaveList()->GetCellText(column, row, text, mark);
        return text;
    }
    void Click(UINT id) { QTest::mouseClick(Control<QPushButton>(m_page.get(), int(id)), Qt::LeftButton); }

    TempFolder m_folder;
    std::unique_ptr<CCanOpenNetwork> m_page;
    std::unique_ptr<CPropertySheet> m_sheet;
};

TEST_F(CanOpenNetworkTest, TypeTreeSortsTheLibraryByCategoryWithRootAndDrivesExpanded)
{
    EXPECT_THAT(Children(kAllSlaveTypesItem), ElementsAre(kIoCategoryItem, kDriveCategoryItem, "Gateway"));
    EXPECT_THAT(Children(kIoCategoryItem), ElementsAre("PRL120"));
    EXPECT_THAT(Children(kDriveCategoryItem), ElementsAre("Servo"));
    EXPECT_TRUE(m_page->FindTreeItem(kAllSlaveTypesItem)->isExpanded());
    EXPECT_TRUE(m_page->FindTreeItem(kDriveCategoryItem)->isExpanded());
    EXPECT_FALSE(m_page->FindTreeItem(kIoCategoryItem)->isExpanded());
}

TEST_F(CanOpenNetworkTest, DoubleClickAddsTheTypeAtTheLowestFreeNodeAndACategoryIsRefused)
{
    Project().CanOpenSlaves[0].Name = "PRL120";
    Project().CanOpenSlaves[2].Name = "PRL120";
    m_sheet.reset();
    m_page = std::make_unique<CCanOpenNetwork>(*m_app, m_folder.Path());
    m_sheet = std::make_unique<CPropertySheet>("CANopen");
    m_sheet->AddPage(m_page.get());
    m_sheet->Create(nullptr, WS_VISIBLE);

    QTreeWidget* tree = m_page->TypeTree()->Tree();
    Select("Servo");
    emit tree->itemDoubleClicked(m_page->FindTreeItem("Servo"), 0);
    EXPECT_EQ("Servo", Cell(SLAVE_COL_NAME, 1));
    EXPECT_EQ("402", Cell(SLAVE_COL_TYPE, 1));
    EXPECT_TRUE(m_page->Model().IsRebuildNeeded());

    Select(kIoCategoryItem);
    emit tree->itemDoubleClicked(m_page->FindTreeItem(kIoCategoryItem), 0);
    EXPECT_THAT(m_ui.box.Texts(), ElementsAre(kNoSuchSlaveType));
    EXPECT_EQ("", Cell(SLAVE_COL_NAME, 3));
}

TEST_F(CanOpenNetworkTest, MovesAndSaveReachTheProjectOnlyThroughSave)
{
    Select("PRL120");
    m_page->AddSlaveToNetwork();
    m_page->SlaveList()->SetFocusCell(1, 0);
    Click(IDC_NETWORK_MOVE_DOWN);
    EXPECT_EQ("", Cell(SLAVE_COL_NAME, 0));
    EXPECT_EQ("PRL120", Cell(SLAVE_COL_NAME, 1));
    EXPECT_TRUE(Project().CanOpenSlaves[1].Name.empty());
    Click(IDC_NETWORK_SAVE);
    EXPECT_EQ("PRL120", Project().CanOpenSlaves[1].Name);
    EXPECT_TRUE(Project().CanOpenSlaves[0].Name.empty());
}

TEST_F(CanOpenNetworkTest, DeleteTypeButtonRemovesTheTypeAndItsTreeItemAfterTheQuestion)
{
    Select("Servo");
    m_ui.box.Answer(IDYES);
    Click(IDC_NETWORK_DELETE_TYPE);
    EXPECT_EQ(nullptr, m_page->FindTreeItem("Servo"));
    EXPECT_EQ(nullptr, m_app->FindSlaveType("Servo"));

    Select(kDriveCategoryItem);
    Click(IDC_NETWORK_DELETE_TYPE);
    EXPECT_NE(nullptr, m_page->FindTreeItem(kDriveCategoryItem));
    EXPECT_EQ(kOnlyTypesDeleted, m_ui.box.Texts().back());
}

TEST_F(CanOpenNetworkTest, F1OpensTheNetworkTopicOnceAndTellsTheMainWindow)
{
    m_app->HelpShownByPage = 0;
    QTest::keyClick(m_page->SlaveList()->GetTableView(), Qt::Key_F1);
    ASSERT_FALSE(m_ui.help.Requests().empty());
    EXPECT_EQ(kNetworkPageCaption, m_ui.help.Requests().back().topic);
    EXPECT_EQ(1, m_app->HelpShownByPage);
}

TEST_F(CanOpenNetworkTest, PagePictureShowsTreeAndSlaveList)
{
    Select("PRL120");
    m_page->AddSlaveToNetwork();
    Select("Servo");
    m_page->AddSlaveToNetwork();
    const QImage picture = m_sheet->grab().toImage();
    EXPECT_FALSE(picture.isNull());
    const std::string path = QCoreApplication::applicationDirPath().toStdString() + "/canopen_network.png";
    EXPECT_TRUE(picture.save(QString::fromStdString(path)));
}

// The page with the file and category choosers answered as a user would.
class ScriptedNetworkPage : public CCanOpenNetwork {
public:
    using CCanOpenNetwork::CCanOpenNetwork;
    std::string ChooseEdsFile() override { return std::string(ORVEL_EDS_DIR) + "/PRL120.eds"; }
    std::string ChooseCategory() override { return "CANOPENIO"; }
};

TEST_F(CanOpenNetworkTest, ImportButtonReadsARealSheetIntoTheLibraryTheTreeAndTheUsersFolder)
{
    if (!FileSystem::FolderExists(ORVEL_EDS_DIR))
        GTEST_SKIP() << "no real data sheets at \"" << ORVEL_EDS_DIR << "\" (../shared/eds or -DORVEL_EDS_DIR)";
    m_sheet.reset();
    m_app->SlaveLibrary.clear();
    m_page = std::make_unique<ScriptedNetworkPage>(*m_app, m_folder.Path());
    m_sheet = std::make_unique<CPropertySheet>("CANopen");
    m_sheet->AddPage(m_page.get());
    m_sheet->Create(nullptr, WS_VISIBLE);
    Click(IDC_NETWORK_IMPORT_EDS);
    ASSERT_EQ(1, m_app->GetSlaveTypeCount());
    const std::string name = m_app->GetSlaveType(0)->name;
    EXPECT_THAT(Children(kIoCategoryItem), ElementsAre(name));
    EXPECT_TRUE(m_page->FindTreeItem(kIoCategoryItem)->isExpanded());
    EXPECT_TRUE(FileSystem::FileExists(m_folder / name));
}

TEST(CanOpenBootDlgTest, SavingStoresExactlyTheTickedStepsAndCancelKeepsThem)
{
    struct Case {
        WORD steps;
        int untick;
        bool save;
        WORD result;
        BOOL saved;
    };
    const Case cases[] = {
        {0xFFFF, -1, true, 0x007F, TRUE},
        {0xFFFF, 3, true, 0x0077, TRUE},
        {0x0005, -1, true, 0x0005, TRUE},
        {0xFFFF, 0, false, 0xFFFF, FALSE},
    };
    for (const Case& c : cases) {
        CCanOpenBootDlg dialog(7, c.steps);
        for (int bit = 0; bit < CANOPEN_BOOT_STEPS; ++bit)
            EXPECT_EQ(((c.steps >> bit) & 1) != 0, dialog.StepBox(bit)->isChecked()) << bit;
        EXPECT_EQ("\xB5\xB1\xC7\xB0\xB4\xD3\xD5\xBE\xB5\xD8\xD6\xB7: 7",
                  FromQString(Control<QLabel>(&dialog, IDC_BOOT_NODE_LABEL)->text()));
        if (c.untick >= 0)
            dialog.StepBox(c.untick)->setChecked(false);
        if (c.save)
            QTest::mouseClick(Control<QPushButton>(&dialog, IDOK), Qt::LeftButton);
        else
            QTest::mouseClick(Control<QPushButton>(&dialog, IDCANCEL), Qt::LeftButton);
        EXPECT_EQ(c.result, dialog.GetSteps()) << c.steps;
        EXPECT_EQ(c.saved, dialog.IsSaved());
    }
}

TEST(CanOpenBootDlgTest, HelpOpensTheFirstContextOfTheHelpTable)
{
    CScopedUi ui;
    CCanOpenBootDlg dialog(3, 0x007F);
    QTest::mouseClick(Control<QPushButton>(&dialog, IDC_BOOT_HELP), Qt::LeftButton);
    ASSERT_EQ(1u, ui.help.Requests().size());
    EXPECT_EQ(1, ui.help.Requests()[0].context);
    EXPECT_FALSE(dialog.IsSaved());
}

} // namespace
