// Typed input that a table or a page of the running program must check:
// keys go into the real windows as a person types them, and what is wrong is
// said or refused where it is typed, never stored silently.

#include "WorkbenchFixture.h"

#include "hardware/canopen/ui/CCanOpenCfg.h"
#include "hardware/canopen/ui/CCanOpenSheet.h"
#include "hardware/canopen/ui/CMasterAndGlobal.h"
#include "hardware/canopen/ui/RegisterCanopenUiClasses.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CChildFrameHW.h"
#include "hardware/ui/CHWDIView.h"
#include "hardware/ui/CHWInfoView.h"
#include "hardware/ui/CHardwareGridView.h"
#include "hardware/ui/CSheetCPU.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "model/CModuleCatalogEntry.h"
#include "model/CZULSymbol.h"
#include "model/CProjTreeDOC.h"
#include "model/CZUL_Q7_PLC.h"
#include "platform/ui/QtText.h"
#include "shell/CGlobalVarTable.h"
#include "shell/ui/CGlobalVarView.h"
#include "support/ModalScript.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <iterator>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_GLOBAL_VARIABLE = 32936;
constexpr UINT ID_SAVE_PROJECT = 32779;
constexpr int kCatalogueRowVC16 = 20; // "VC16-40AR", a CPU with a CANopen master
constexpr int kCanOpenTab = 3;
constexpr int kStoredSdoTimeout = 500;
constexpr BYTE kHardwareCodeVE50_08DX = 6; // 8 digital inputs: one I byte

class BadInputRoadTest : public WorkbenchFixture {
protected:
    void SetUp() override
    {
        WorkbenchFixture::SetUp();
        std::string error;
        ASSERT_TRUE(RegisterHardwareUiClasses(&error) && RegisterCanopenUiClasses(&error)) << error;
    }

    void NewProject(int cpuRow = -1)
    {
        Start();
        App().DefaultPOULang = 1;
        if (cpuRow >= 0)
            App().DefaultCPU = cpuRow;
        AnswerFileDialog(m_folder / "Input.qpj");
        Command(ID_NEW_PROJECT);
        ASSERT_EQ(App().ProjectOpen, 1);
    }

    CGlobalVarView* OpenGlobals()
    {
        Command(ID_GLOBAL_VARIABLE);
        return ChildOf<CGlobalVarView>(m_frame);
    }

    CChildFrameHW* OpenHardware()
    {
        m_frame->OpenHardwareWindow();
        return dynamic_cast<CChildFrameHW*>(m_frame->GetSlot(SingletonWindow::Hardware).frame.data());
    }

    // Selects the whole text of the field and types over it, key by key.
    static void TypeOver(QLineEdit* field, const QString& text)
    {
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_End, Qt::ShiftModifier);
        for (const QChar c : text)
            QTest::keyClicks(field, QString(c));
    }

    // Keys go where the grid sends them: into the cell editor while one is
    // open, else to the table.
    static QWidget* KeyTarget(QTableView* table)
    {
        for (QLineEdit* editor : table->findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return table;
    }
    static void Key(QTableView* table, Qt::Key key) { QTest::keyClick(KeyTarget(table), key); }
    static void Type(QTableView* table, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClicks(KeyTarget(table), QString(c));
            else
                QTest::sendKeyEvent(QTest::Click, KeyTarget(table), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
};

} // namespace

// Symbols typed as a person types them: a name, Tab, an address, Enter.
// Tab ends the name and moves to the Address cell; an illegal address and
// a duplicate name are stored and marked; a name stops at 16 bytes.
TEST_F(BadInputRoadTest, GlobalVariablesTypedWithTabAreStoredPerCellAndCheckedAsTyped)
{
    ASSERT_NO_FATAL_FAILURE(NewProject());
    CGlobalVarView* view = OpenGlobals();
    ASSERT_NE(view, nullptr);
    QTableView* table = view->GetGridCtrl().GetTableView();
    struct Row {
        const char* name;
        const char* address;
        const char* storedName;
        const char* storedAddress;
        BYTE nameMark;
        BYTE addressMark;
    };
    const Row rows[] = {
        {"Start", "%I0.0", "Start", "%I0.0", GRID_MARK_PLAIN, GRID_MARK_PLAIN},
        {"Pump", "%X9.9", "Pump", "%X9.9", GRID_MARK_PLAIN, GRID_MARK_ERROR},
        {"start", "%I0.1", "start", "%I0.1", GRID_MARK_ERROR, GRID_MARK_PLAIN},
        {"ConveyorMotorSpeed", "%Q0.0", "ConveyorMotorSpe", "%Q0.0", GRID_MARK_PLAIN, GRID_MARK_PLAIN},
    };
    CGlobalVarTable& symbols = view->GetTable();
    for (int row = 0; row < int(std::size(rows)); ++row) {
        const Row& r = rows[row];
        SCOPED_TRACE(r.name);
        table->setCurrentIndex(table->model()->index(row, CGlobalVarTable::COL_SYMBOL));
        Type(table, r.name);
        // The editor takes a name up to its stored length and no further.
        EXPECT_EQ(KeyTarget(table)->property("text").toString().toStdString(), r.storedName);
        Key(table, Qt::Key_Tab);
        EXPECT_EQ(table->currentIndex().column(), int(CGlobalVarTable::COL_ADDRESS));
        Type(table, r.address);
        Key(table, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->GetGridCtrl().IsEditing(); }));
        ASSERT_LT(row, symbols.GetRecordCount());
        EXPECT_EQ(symbols.GetRecord(row)->name, r.storedName);
        EXPECT_EQ(symbols.GetRecord(row)->address, r.storedAddress);
        std::string text;
        BYTE mark = 0;
        symbols.GetCellText(CGlobalVarTable::COL_SYMBOL, row, text, mark);
        EXPECT_EQ(mark, r.nameMark);
        symbols.GetCellText(CGlobalVarTable::COL_ADDRESS, row, text, mark);
        EXPECT_EQ(mark, r.addressMark);
    }

    // A Chinese character is two bytes of the name: the editor stops after eight.
    const int row = int(std::size(rows));
    table->setCurrentIndex(table->model()->index(row, CGlobalVarTable::COL_SYMBOL));
    const QString chinese = QString::fromUtf8("\u7535\u673a\u6e29\u5ea6\u4f20\u611f\u5668\u4e00\u53f7\u4e8c");
    Type(table, chinese);
    EXPECT_EQ(KeyTarget(table)->property("text").toString(), chinese.left(8));
    Key(table, Qt::Key_Tab);
    ASSERT_LT(row, symbols.GetRecordCount());
    EXPECT_EQ(symbols.GetRecord(row)->name, FromQString(chinese.left(8)));
    // Shift+Tab goes back across.
    QTest::keyClick(KeyTarget(table), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(table->currentIndex().column(), int(CGlobalVarTable::COL_SYMBOL));
}

TEST_F(BadInputRoadTest, TheSdoTimeOutTakesDigitsOnlyAndKeepsItsValueWhenANumberIsOutOfRange)
{
    ASSERT_NO_FATAL_FAILURE(NewProject(kCatalogueRowVC16));
    CChildFrameHW* hardware = OpenHardware();
    ASSERT_NE(hardware, nullptr);
    auto* cpu = dynamic_cast<CCanOpenFrame*>(hardware->GetInfoView()->GetPage(1));
    ASSERT_NE(cpu, nullptr);
    CSheetCPU* sheet = cpu->GetSheet();
    ASSERT_NE(sheet, nullptr);
    sheet->GetTabControl()->setCurrentIndex(kCanOpenTab);
    auto* canOpen = dynamic_cast<CCanOpenCfg*>(sheet->CanOpenPage());
    ASSERT_NE(canOpen, nullptr);
    ASSERT_NE(canOpen->GetCanOpenSheet(), nullptr);
    CMasterAndGlobal& master = canOpen->GetCanOpenSheet()->MasterPage();
    canOpen->GetCanOpenSheet()->SetActivePage(&master);
    auto* timeout = master.findChild<QLineEdit*>(QString::number(IDC_CANOPEN_SDO_TIMEOUT));
    auto* save = master.findChild<QPushButton*>(QString::number(IDC_CANOPEN_MASTER_SAVE));
    ASSERT_NE(timeout, nullptr);
    ASSERT_NE(save, nullptr);
    ASSERT_EQ(App().Project.OverTime, kStoredSdoTimeout);

    // The field takes digits only; a number past the range is refused when
    // the page stores, and the stored time-out stays.
    const std::string rangeMessage = "Please enter an integer between 0 and 65535.";
    struct Case {
        const char* typed;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"abc99999999", {rangeMessage}},
        {"70000", {rangeMessage}},
        {"abc", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        m_ui.box.Clear();
        TypeOver(timeout, c.typed);
        QTest::mouseClick(save, Qt::LeftButton);
        EXPECT_EQ(m_ui.box.Texts(), c.messages);
        EXPECT_EQ(App().Project.OverTime, kStoredSdoTimeout);
        EXPECT_EQ(timeout->text().toStdString(), std::to_string(kStoredSdoTimeout));
    }
    // A time-out in range is stored.
    m_ui.box.Clear();
    TypeOver(timeout, "1200");
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_TRUE(m_ui.box.Texts().empty());
    EXPECT_EQ(App().Project.OverTime, 1200);
}

// Two input modules typed onto the same I byte: the hardware window's check
// refuses the save and the close with the later module's number, and
// selects that module.
TEST_F(BadInputRoadTest, AnOverlappingModuleAddressIsRefusedWhenTheProjectIsSavedOrTheWindowClosed)
{
    ASSERT_NO_FATAL_FAILURE(NewProject());
    CChildFrameHW* hardware = OpenHardware();
    ASSERT_NE(hardware, nullptr);
    CHardwareGridView* grid = hardware->GetGridView();
    const CModuleCatalogEntry* input = FindCatalogRowByCode(kHardwareCodeVE50_08DX);
    ASSERT_NE(input, nullptr);
    grid->SelectModuleRow(2, 1);
    grid->InsertCatalogModule(input);
    grid->InsertCatalogModule(input);
    const auto& modules = App().Project.Modules;
    ASSERT_EQ(modules.size(), 3u);
    const int firstStart = modules[1]->iStart;
    ASSERT_NE(modules[2]->iStart, firstStart);

    auto* page = dynamic_cast<CHWDIView*>(hardware->GetInfoView()->GetPage(3));
    ASSERT_NE(page, nullptr);
    TypeOver(page->InputStart().edit, QString::number(firstStart));
    ASSERT_EQ(modules[2]->iStart, firstStart);

    const std::string message = "I Address of Module 3 has been assigned.";
    // Ctrl+S with the start field still in hand, and File > Save.
    m_ui.box.Clear();
    hardware->GetInfoView()->SetCurrentTab(1);
    QTest::keyClick(page->InputStart().edit, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>{message});
    EXPECT_TRUE(m_frame->GetProjectDocument()->IsModified());
    EXPECT_EQ(hardware->GetInfoView()->GetCurrentTab(), 3);
    m_ui.box.Clear();
    Command(ID_SAVE_PROJECT);
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>{message});
    EXPECT_TRUE(m_frame->GetProjectDocument()->IsModified());

    m_ui.box.Clear();
    hardware->SendMessage(WM_CLOSE);
    EXPECT_EQ(m_ui.box.Texts(), std::vector<std::string>{message});
    EXPECT_EQ(m_frame->GetSlot(SingletonWindow::Hardware).frame.data(), hardware);
}
