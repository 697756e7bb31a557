// A CANopen network configured through the real main window: a VC16
// project, the hardware window's CPU tab with its CANopen page, a real
// electronic data sheet imported through the file and category dialogs,
// slaves added, moved and mapped, the project saved, closed, opened again
// and compiled.

#include "WorkbenchFixture.h"

#include "hardware/canopen/CCanOpenSlaveGrid.h"
#include "hardware/canopen/CanOpenTexts.h"
#include "hardware/canopen/ui/CCanOpenCfg.h"
#include "hardware/canopen/ui/CCanOpenKindDlg.h"
#include "hardware/canopen/ui/CCanOpenSheet.h"
#include "hardware/canopen/ui/CCanOpenSlaveList.h"
#include "hardware/canopen/ui/RegisterCanopenUiClasses.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CChildFrameHW.h"
#include "hardware/ui/CHWInfoView.h"
#include "hardware/ui/CSheetCPU.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "model/CCanOpenSlaveType.h"
#include "model/CZULAppData.h"
#include "platform/ByteString.h"
#include "platform/CPathProvider.h"
#include "platform/FileSystem.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/QtText.h"
#include "shell/CGlobalVarTable.h"
#include "shell/ui/CGlobalVarView.h"
#include "shell/ui/COutputList.h"
#include "shell/ui/COutputView.h"
#include "shell/ui/CPageGenSetting.h"
#include "shell/ui/CSheetSettings.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"

#include "support/ModalScript.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_SAVE_PROJECT = 32779;
constexpr UINT ID_COMPILE_ALL = 32935;
constexpr UINT ID_OPTIONS = 32874;
constexpr UINT ID_GLOBAL_VARIABLE = 32936;
constexpr int kPositionVC16 = 15; // "VC16-40AR" in the Options sheet's CPU list
constexpr int kLanguagePositionIL = 0;
constexpr int kCpuTab = 1;
constexpr int kCanOpenTab = 3;
constexpr int kWaitMs = 20000;
constexpr const char* kScreenshotFolderVariable = "ORVEL_SCREENSHOT_DIR";
constexpr const char* kEdsFile = "PRL120.eds";

// Chooses the entry of the next context menu once it is up; records
// whether the menu came and what it offered.
struct CMenuAnswer {
    bool done = false;
    bool shown = false;
    std::vector<std::string> entries;
};

// waitMs 0: only a menu that is already up when the events are next run.
void WhenMenu(const std::string& entry, CMenuAnswer& answer, int waitMs = kWaitMs)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    auto deadline = std::make_shared<QElapsedTimer>();
    deadline->start();
    QObject::connect(timer, &QTimer::timeout, [timer, entry, deadline, waitMs, &answer] {
        const auto& open = CTKPopupTracker::Get().GetTrackedBars();
        auto* menu = open.empty() ? nullptr : dynamic_cast<CTKPopupBar*>(open.front());
        if (menu == nullptr && deadline->elapsed() < waitMs)
            return;
        timer->stop();
        timer->deleteLater();
        answer.done = true;
        if (menu == nullptr)
            return;
        answer.shown = true;
        CTKControl* chosen = nullptr;
        for (int i = 0; i < menu->GetControlCount(); ++i) {
            answer.entries.push_back(menu->GetControl(i)->GetCaption());
            if (answer.entries.back() == entry)
                chosen = menu->GetControl(i);
        }
        if (chosen == nullptr) {
            CTKPopupTracker::Get().CloseTrackedBars();
            return;
        }
        const QPoint centre(chosen->GetRect().CenterPoint().x, chosen->GetRect().CenterPoint().y);
        QTest::mouseMove(menu, centre);
        QTest::mouseClick(menu, Qt::LeftButton, {}, centre);
    });
    timer->start();
}

void RightPress(QAbstractItemView* view, const QRect& place)
{
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, place.center());
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, place.center());
}

void Snapshot(QWidget* window, const std::string& name)
{
    const char* folder = std::getenv(kScreenshotFolderVariable);
    if (folder == nullptr)
        return;
    window->grab().save(QString::fromStdString(std::string(folder) + "/canopen-" + name + ".png"));
}

void Click(QWidget* page, UINT id)
{
    auto* button = page->findChild<QPushButton*>(QString::number(id));
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

// The child of an item with that text; null when none.
QTreeWidgetItem* ChildItem(QTreeWidgetItem* parent, const std::string& text)
{
    for (int i = 0; parent != nullptr && i < parent->childCount(); ++i)
        if (FromQString(parent->child(i)->text(0)) == text)
            return parent->child(i);
    return nullptr;
}

// The first object below a branch that has no children of its own.
QTreeWidgetItem* FirstLeaf(QTreeWidgetItem* item)
{
    if (item == nullptr || item->childCount() == 0)
        return item;
    return FirstLeaf(item->child(0));
}

// The folder of real electronic data sheets that the build found; empty when none.
constexpr const char* kEdsDir = ORVEL_EDS_DIR;

class CanOpenMainWindowTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        if (!FileSystem::FolderExists(kEdsDir))
            GTEST_SKIP() << "no real data sheets at \"" << kEdsDir << "\" (../shared/eds or -DORVEL_EDS_DIR)";
        WorkbenchFixture::SetUp();
        std::string error;
        ASSERT_TRUE(RegisterHardwareUiClasses(&error) && RegisterCanopenUiClasses(&error)) << error;
    }

    void NewVC16Project(const std::string& path)
    {
        WhenModal<QDialog>([](QDialog* dialog) {
            CSheetSettings* sheet = ChildOf<CSheetSettings>(dialog);
            ASSERT_NE(sheet, nullptr);
            CPropertyPage& page = sheet->GeneralPage();
            page.findChild<QComboBox*>(QString::number(IDC_DEFAULT_CPU))->setCurrentIndex(kPositionVC16);
            page.findChild<QComboBox*>(QString::number(IDC_DEFAULT_LANGUAGE))->setCurrentIndex(kLanguagePositionIL);
            sheet->PressButton(IDOK);
        });
        Command(ID_OPTIONS);
        AnswerFileDialog(path);
        Command(ID_NEW_PROJECT);
    }

    // The hardware window opened from the main frame, the CPU's tab in
    // front and its CANopen page shown; null after a failure.
    CCanOpenSheet* OpenCanOpenSheet()
    {
        m_frame->OpenHardwareWindow();
        auto* hw = dynamic_cast<CChildFrameHW*>(m_frame->GetSlot(SingletonWindow::Hardware).frame.data());
        if (hw == nullptr)
            return nullptr;
        hw->SetCurrentTab(kCpuTab);
        auto* cpu = dynamic_cast<CCanOpenFrame*>(hw->GetInfoView()->GetPage(kCpuTab));
        if (cpu == nullptr)
            return nullptr;
        cpu->GetSheet()->GetTabControl()->setCurrentIndex(kCanOpenTab);
        auto* page = dynamic_cast<CCanOpenCfg*>(cpu->GetSheet()->CanOpenPage());
        return page != nullptr ? page->GetCanOpenSheet() : nullptr;
    }

    std::string SlaveCell(CCanOpenNetwork& network, int column, int row)
    {
        std::string text;
        BYTE mark = 0;
        network.SlaveList()->GetCellText(column, row, text, mark);
        return text;
    }

    std::vector<std::string> TypeNames()
    {
        std::vector<std::string> names;
        for (int position = 0; position < App().GetSlaveTypeCount(); ++position)
            names.push_back(App().GetSlaveType(position)->name);
        return names;
    }

    std::vector<std::string> CompileLines() const
    {
        std::vector<std::string> lines;
        const COutputList* list = m_frame->GetOutputView()->GetList(OUTPUT_LIST_COMPILE);
        for (int row = 0; row < list->GetItemCount(); ++row)
            lines.push_back(list->GetItemText(row, 0));
        return lines;
    }
};

TEST_F(CanOpenMainWindowTest, ImportAddMoveMapSaveReopenAndCompile)
{
    Start();
    const std::string projectPath = m_folder / "CanRoad.qpj";
    NewVC16Project(projectPath);
    ASSERT_EQ(App().ProjectOpen, 1) << ::testing::PrintToString(m_ui.box.Texts());
    m_frame->resize(1400, 1000);

    SCOPED_TRACE("the CANopen page of the VC16 CPU");
    CCanOpenSheet* sheet = OpenCanOpenSheet();
    ASSERT_NE(sheet, nullptr);
    CCanOpenNetwork& network = sheet->NetworkPage();
    EXPECT_EQ(&network, sheet->GetActivePage());

    SCOPED_TRACE("a real data sheet imported into the I/O category");
    // The dialog offers data sheets and starts in the default project folder.
    QStringList offeredFilters;
    std::string startFolder;
    WhenModal<QFileDialog>([&](QFileDialog* dialog) {
        offeredFilters = dialog->nameFilters();
        startFolder = FromQString(dialog->directory().absolutePath());
        dialog->selectFile(ToQString(std::string(kEdsDir) + "/" + kEdsFile));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    bool categoryAsked = false;
    WhenModal<CCanOpenKindDlg>([&](CCanOpenKindDlg* dialog) {
        categoryAsked = true;
        dialog->List()->setCurrentRow(0);
        dialog->accept();
    });
    m_ui.box.Clear();
    const std::vector<std::string> shipped = TypeNames();
    Click(&network, IDC_NETWORK_IMPORT_EDS);
    EXPECT_EQ(offeredFilters, QStringList {"Electronic Data Sheet (*.eds)"});
    EXPECT_EQ(startFolder, CPathProvider::DefaultProjectFolder());
    ASSERT_TRUE(categoryAsked);
    // The sheet's string objects are left out with the one note.
    EXPECT_THAT(m_ui.box.Texts(), ::testing::ElementsAre(kUnparsedItems));
    std::vector<std::string> added;
    for (const std::string& name : TypeNames())
        if (std::find(shipped.begin(), shipped.end(), name) == shipped.end())
            added.push_back(name);
    ASSERT_EQ(1u, added.size());
    const std::string type = added.front();
    EXPECT_EQ("CANOPENIO", App().FindSlaveType(type)->category);
    QTreeWidgetItem* typeItem = ChildItem(network.FindTreeItem(kIoCategoryItem), type);
    ASSERT_NE(typeItem, nullptr);
    EXPECT_TRUE(FileSystem::FileExists(FileSystem::JoinPath(CPathProvider::UserCanOpenFolder(), type)));

    SCOPED_TRACE("two slaves added by double clicks, the second moved down");
    QTreeWidget* types = network.TypeTree()->Tree();
    for (int i = 0; i < 2; ++i) {
        types->scrollToItem(typeItem);
        QTest::mouseClick(types->viewport(), Qt::LeftButton, {}, types->visualItemRect(typeItem).center());
        QTest::mouseDClick(types->viewport(), Qt::LeftButton, {}, types->visualItemRect(typeItem).center());
    }
    CCanOpenSlaveGrid& working = network.Model().SlaveGrid();
    ASSERT_TRUE(working.IsConfigured(0));
    ASSERT_TRUE(working.IsConfigured(1));
    network.SlaveList()->SetActiveCell(SLAVE_COL_ADDRESS, 1);
    Click(&network, IDC_NETWORK_MOVE_DOWN);
    EXPECT_TRUE(working.IsConfigured(0));
    EXPECT_FALSE(working.IsConfigured(1));
    EXPECT_TRUE(working.IsConfigured(2));
    EXPECT_EQ(type, SlaveCell(network, SLAVE_COL_NAME, 2));
    Snapshot(sheet, "network");

    SCOPED_TRACE("an object of each slave mapped into a PDO with its local address");
    CCanOpenMapOD& map = sheet->MapPage();
    sheet->SetActivePage(&map);
    QTreeWidgetItem* root = map.Tree()->Tree()->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    ASSERT_EQ(2, root->childCount());
    struct Mapping {
        int node;
        int list;
        const char* branch;
    };
    const Mapping mappings[] = {
        {1, PDO_LIST_RECEIVE, kReceiveBranchItem},
        {3, PDO_LIST_TRANSMIT, kTransmitBranchItem},
    };
    std::vector<std::string> mapped;
    for (const Mapping& m : mappings) {
        QTreeWidgetItem* slave = ChildItem(root, ByteString::Format(kSlaveItemFormat, m.node, type.c_str()));
        ASSERT_NE(slave, nullptr) << m.node;
        map.OnTreeItemClicked(slave);
        ASSERT_EQ(m.node, map.Model().CurrentSlave());
        map.OnSelectPdo(0, m.list);
        QTreeWidgetItem* object = FirstLeaf(ChildItem(slave, m.branch));
        ASSERT_NE(object, nullptr) << m.branch;
        map.Tree()->SelectItem(object);
        Click(&map, IDC_MAP_ADD_OBJECT);
        const std::string name = map.Model().GetMapCellText(MAP_COL_NAME, 0);
        ASSERT_FALSE(name.empty()) << FromQString(object->text(0));
        EXPECT_THAT(map.Model().GetMapCellText(MAP_COL_MEMORY, 0), ::testing::StartsWith("%V"));
        mapped.push_back(name);
    }
    Snapshot(sheet, "mapping");

    SCOPED_TRACE("a global symbol at the first object's local address");
    // Leaving the mapping page writes its grids into the working list.
    sheet->SetActivePage(&network);
    const std::string receiveAddress = working.Slave(0).RPDO[0].Rows[0].Mem;
    ASSERT_FALSE(receiveAddress.empty());
    Command(ID_GLOBAL_VARIABLE);
    auto* globals = ChildOf<CGlobalVarView>(m_frame);
    ASSERT_NE(globals, nullptr);
    CCPGridHost& symbols = globals->GetGridCtrl().GetHost();
    symbols.OnSaveCellData(CGlobalVarTable::COL_SYMBOL, 0, "Control");
    symbols.OnSaveCellData(CGlobalVarTable::COL_ADDRESS, 0, receiveAddress);

    SCOPED_TRACE("the overview lists both objects, receive first, and ten empty rows");
    CCanOpenCrossRef& overview = sheet->CrossRefPage();
    sheet->SetActivePage(&overview);
    ASSERT_EQ(2, overview.List().GetRowCount());
    EXPECT_EQ(12, overview.Grid()->GetGridRowCount());
    EXPECT_EQ(mapped[0], overview.List().Row(0).odName);
    EXPECT_EQ(mapped[1], overview.List().Row(1).odName);
    const std::string receiveMemory = overview.List().Row(0).memory;
    const std::string transmitMemory = overview.List().Row(1).memory;
    EXPECT_NE(receiveMemory, transmitMemory);
    EXPECT_EQ(receiveAddress, receiveMemory);
    std::string symbol;
    BYTE mark = 0;
    overview.Grid()->GetCellText(CROSS_REF_COLUMNS - 1, 0, symbol, mark);
    EXPECT_EQ("Control", symbol);
    Snapshot(sheet, "overview");
    sheet->SetActivePage(&sheet->MasterPage());
    Snapshot(sheet, "master");

    SCOPED_TRACE("Save runs the hardware check and writes blob 0");
    m_ui.box.Clear();
    Command(ID_SAVE_PROJECT);
    EXPECT_TRUE(m_ui.box.Texts().empty()) << ::testing::PrintToString(m_ui.box.Texts());
    EXPECT_EQ(type, App().Project.CanOpenSlaves[0].Name);
    EXPECT_EQ(type, App().Project.CanOpenSlaves[2].Name);
    ASSERT_GT(App().BlobLengths[0], 0u);
    const std::string blob(App().Blobs[0].begin(), App().Blobs[0].end());
    EXPECT_NE(blob.find(type), std::string::npos);
    EXPECT_NE(blob.find(receiveMemory), std::string::npos);

    SCOPED_TRACE("the project closed and opened again shows the same network");
    ASSERT_TRUE(m_frame->CloseProject()) << ::testing::PrintToString(m_ui.box.Texts());
    m_frame->OpenProjectByPath(projectPath);
    ASSERT_EQ(App().ProjectOpen, 1) << ::testing::PrintToString(m_ui.box.Texts());
    sheet = OpenCanOpenSheet();
    ASSERT_NE(sheet, nullptr);
    CCanOpenNetwork& reopened = sheet->NetworkPage();
    EXPECT_EQ(type, SlaveCell(reopened, SLAVE_COL_NAME, 0));
    EXPECT_EQ("", SlaveCell(reopened, SLAVE_COL_NAME, 1));
    EXPECT_EQ(type, SlaveCell(reopened, SLAVE_COL_NAME, 2));
    sheet->SetActivePage(&sheet->CrossRefPage());
    ASSERT_EQ(2, sheet->CrossRefPage().List().GetRowCount());
    EXPECT_EQ(receiveMemory, sheet->CrossRefPage().List().Row(0).memory);
    EXPECT_EQ(transmitMemory, sheet->CrossRefPage().List().Row(1).memory);
    symbol.clear();
    sheet->CrossRefPage().Grid()->GetCellText(CROSS_REF_COLUMNS - 1, 0, symbol, mark);
    EXPECT_EQ("Control", symbol);

    SCOPED_TRACE("Compile All");
    Command(ID_COMPILE_ALL);
    const std::vector<std::string> compiled = CompileLines();
    ASSERT_FALSE(compiled.empty());
    EXPECT_NE(compiled.back().find("$$$ Compilation successful   :  0 errors"), std::string::npos)
        << ::testing::PrintToString(compiled);
}

TEST_F(CanOpenMainWindowTest, ContextMenusAddMoveAndMapThroughThePages)
{
    Start();
    NewVC16Project(m_folder / "Menus.qpj");
    ASSERT_EQ(App().ProjectOpen, 1) << ::testing::PrintToString(m_ui.box.Texts());
    CCanOpenSheet* sheet = OpenCanOpenSheet();
    ASSERT_NE(sheet, nullptr);
    CCanOpenNetwork& network = sheet->NetworkPage();
    ASSERT_GT(App().GetSlaveTypeCount(), 0);
    const std::string type = App().GetSlaveType(0)->name;
    QTreeWidget* types = network.TypeTree()->Tree();

    SCOPED_TRACE("a category offers no menu; a type adds a slave");
    QTreeWidgetItem* category = network.FindTreeItem(kIoCategoryItem);
    ASSERT_NE(category, nullptr);
    CMenuAnswer none;
    WhenMenu("", none, 0);
    RightPress(types, types->visualItemRect(category));
    ASSERT_TRUE(QTest::qWaitFor([&] { return none.done; }));
    EXPECT_FALSE(none.shown);
    QTreeWidgetItem* typeItem = network.FindTreeItem(type);
    ASSERT_NE(typeItem, nullptr);
    types->scrollToItem(typeItem);
    CMenuAnswer add;
    WhenMenu("\xCC\xED\xBC\xD3\xB4\xD3\xD5\xBE\xB5\xBD\xCD\xF8\xC2\xE7(&A)", add);
    RightPress(types, types->visualItemRect(typeItem));
    ASSERT_TRUE(add.shown);
    EXPECT_EQ(2u, add.entries.size());
    CCanOpenSlaveGrid& working = network.Model().SlaveGrid();
    ASSERT_TRUE(working.IsConfigured(0)) << ::testing::PrintToString(add.entries);

    SCOPED_TRACE("the slave list's menu moves the slave down");
    QTableView* slaves = network.SlaveList()->GetTableView();
    CMenuAnswer down;
    WhenMenu("\xCF\xC2\xD2\xC6(X)", down);
    RightPress(slaves, slaves->visualRect(slaves->model()->index(0, SLAVE_COL_NAME)));
    ASSERT_TRUE(down.shown);
    EXPECT_EQ(4u, down.entries.size());
    EXPECT_FALSE(working.IsConfigured(0));
    EXPECT_TRUE(working.IsConfigured(1));

    SCOPED_TRACE("the object tree's menu maps an object, the mapping grid's menu deletes it");
    CCanOpenMapOD& map = sheet->MapPage();
    sheet->SetActivePage(&map);
    QTreeWidgetItem* slave = map.FindTreeItem(ByteString::Format(kSlaveItemFormat, 2, type.c_str()));
    ASSERT_NE(slave, nullptr);
    QTreeWidget* objects = map.Tree()->Tree();
    RightPress(objects, objects->visualItemRect(slave));
    ASSERT_EQ(2, map.Model().CurrentSlave());
    QTreeWidgetItem* object = FirstLeaf(ChildItem(slave, kReceiveBranchItem));
    ASSERT_NE(object, nullptr);
    for (QTreeWidgetItem* up = object->parent(); up; up = up->parent())
        up->setExpanded(true);
    objects->scrollToItem(object);
    CMenuAnswer map_;
    WhenMenu("\xCC\xED\xBC\xD3OD\xCF\xEE\xB5\xBDPDO(&A)", map_);
    RightPress(objects, objects->visualItemRect(object));
    ASSERT_TRUE(map_.shown);
    EXPECT_FALSE(map.Model().GetMapCellText(MAP_COL_NAME, 0).empty()) << ::testing::PrintToString(map_.entries);
    QTableView* mapped = map.MapGrid()->GetTableView();
    CMenuAnswer remove;
    WhenMenu("\xC9\xBE\xB3\xFD\xB4\xCBOD\xCF\xEE(&D)", remove);
    RightPress(mapped, mapped->visualRect(mapped->model()->index(0, MAP_COL_NAME)));
    ASSERT_TRUE(remove.shown);
    EXPECT_TRUE(map.Model().GetMapCellText(MAP_COL_NAME, 0).empty()) << ::testing::PrintToString(remove.entries);
}

} // namespace
