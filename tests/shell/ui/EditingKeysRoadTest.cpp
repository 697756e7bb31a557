// The keys a person uses while typing into the running program: Enter in a
// table's cell editor, the editing keys of a text field.

#include "WorkbenchFixture.h"

#include "hardware/canopen/ui/CCanOpenCfg.h"
#include "hardware/canopen/ui/CCanOpenSheet.h"
#include "hardware/canopen/ui/CMasterAndGlobal.h"
#include "hardware/canopen/ui/RegisterCanopenUiClasses.h"
#include "hardware/ui/CCanOpenFrame.h"
#include "hardware/ui/CChildFrameHW.h"
#include "hardware/ui/CHWInfoView.h"
#include "hardware/ui/CSheetCPU.h"
#include "hardware/ui/RegisterHardwareUiClasses.h"
#include "shell/CGlobalVarTable.h"
#include "shell/ui/CGlobalVarView.h"
#include "support/ModalScript.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr UINT ID_GLOBAL_VARIABLE = 32936;
constexpr int kCatalogueRowVC16 = 20; // "VC16-40AR", a CPU with a CANopen master
constexpr int kCanOpenTab = 3;
constexpr int kFirstTableRows = 6;

class EditingKeysRoadTest : public WorkbenchFixture {
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
        AnswerFileDialog(m_folder / "Keys.qpj");
        Command(ID_NEW_PROJECT);
        ASSERT_EQ(App().ProjectOpen, 1);
    }

    // The open cell editor, or null.
    static QLineEdit* CellEditor(QTableView* table)
    {
        for (QLineEdit* editor : table->findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }
    // Types key by key where the grid sends keys: into the cell editor once
    // the first key has opened it.
    static void Type(QTableView* table, const char* text)
    {
        for (const char* c = text; *c != 0; ++c) {
            QLineEdit* editor = CellEditor(table);
            QTest::keyClicks(editor != nullptr ? static_cast<QWidget*>(editor) : table, QString(QChar(*c)));
        }
    }
};

} // namespace

// Enter in an open cell editor stores the typing and moves the active cell
// right, from the last column to the first of the next row, and past the
// last cell of the last row onto a new row.
TEST_F(EditingKeysRoadTest, EnterInACellEditorStoresTheTextAndMovesToTheNextCell)
{
    ASSERT_NO_FATAL_FAILURE(NewProject());
    Command(ID_GLOBAL_VARIABLE);
    auto* view = ChildOf<CGlobalVarView>(m_frame);
    ASSERT_NE(view, nullptr);
    QTableView* table = view->GetGridCtrl().GetTableView();
    ASSERT_EQ(table->model()->rowCount(), kFirstTableRows);
    constexpr int kLastColumn = CGlobalVarTable::COL_COMMENT;
    constexpr int kLastRow = kFirstTableRows - 1;
    struct Case {
        int row;
        int column;
        const char* typed;
        int nextRow;
        int nextColumn;
    };
    const Case cases[] = {
        {0, CGlobalVarTable::COL_SYMBOL, "Start", 0, CGlobalVarTable::COL_ADDRESS},
        {0, CGlobalVarTable::COL_ADDRESS, "%I0.0", 0, CGlobalVarTable::COL_TYPE},
        {0, kLastColumn, "Button", 1, CGlobalVarTable::COL_SYMBOL},
        {kLastRow, kLastColumn, "Last", kLastRow + 1, CGlobalVarTable::COL_SYMBOL},
    };
    CGlobalVarTable& symbols = view->GetTable();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        table->setCurrentIndex(table->model()->index(c.row, c.column));
        Type(table, c.typed);
        QLineEdit* editor = CellEditor(table);
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->GetGridCtrl().IsEditing(); }));
        std::string text;
        BYTE mark = 0;
        symbols.GetCellText(c.column, c.row, text, mark);
        EXPECT_EQ(text, c.typed);
        EXPECT_EQ(table->currentIndex().row(), c.nextRow);
        EXPECT_EQ(table->currentIndex().column(), c.nextColumn);
    }
    EXPECT_EQ(table->model()->rowCount(), kFirstTableRows + 1);
    // Typing goes on in the cell Enter moved to.
    Type(table, "Next");
    ASSERT_NE(CellEditor(table), nullptr);
    QTest::keyClick(CellEditor(table), Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->GetGridCtrl().IsEditing(); }));
    std::string text;
    BYTE mark = 0;
    symbols.GetCellText(CGlobalVarTable::COL_SYMBOL, kLastRow + 1, text, mark);
    EXPECT_EQ(text, "Next");
}

// A text field of a hardware page keeps its editing keys: Ctrl+A selects
// the field's text (not the frame's Select All), and Ctrl+C, Ctrl+X, Ctrl+V
// and Ctrl+Z copy, cut, paste and undo in the field.
TEST_F(EditingKeysRoadTest, ATextFieldOfAHardwarePageTakesItsOwnEditingKeys)
{
    ASSERT_NO_FATAL_FAILURE(NewProject(kCatalogueRowVC16));
    m_frame->OpenHardwareWindow();
    auto* hardware = dynamic_cast<CChildFrameHW*>(m_frame->GetSlot(SingletonWindow::Hardware).frame.data());
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
    auto* field = master.findChild<QLineEdit*>(QString::number(IDC_CANOPEN_SDO_TIMEOUT));
    ASSERT_NE(field, nullptr);
    const QString stored = field->text();
    ASSERT_FALSE(stored.isEmpty());
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_End);
    QGuiApplication::clipboard()->clear();

    struct Step {
        Qt::Key key;
        const char* name;
        QString text;
        QString selected;
        QString clipboard;
    };
    const Step steps[] = {
        {Qt::Key_A, "Ctrl+A", stored, stored, ""},
        {Qt::Key_C, "Ctrl+C", stored, stored, stored},
        {Qt::Key_X, "Ctrl+X", "", "", stored},
        {Qt::Key_V, "Ctrl+V", stored, "", stored},
        {Qt::Key_Z, "Ctrl+Z", "", "", stored},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        QTest::keyClick(field, step.key, Qt::ControlModifier);
        EXPECT_EQ(field->text().toStdString(), step.text.toStdString());
        EXPECT_EQ(field->selectedText().toStdString(), step.selected.toStdString());
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), step.clipboard.toStdString());
    }
}
