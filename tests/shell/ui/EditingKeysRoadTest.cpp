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
