// The LD dialogs offscreen over the elements of an LD POU open in its
// window: Contact/Coil, Comment, Select Function/FB/SBR and Function/FB
// Parameters with their checks, OK and Cancel, every refusal as the
// message box shows it, and one screenshot of each dialog.

#include "LadderUiWindowFixture.h"

#include "ladder/CBlock.h"
#include "ladder/CCoil.h"
#include "ladder/CComment.h"
#include "ladder/CContact.h"
#include "ladder/CLDProgram.h"
#include "ladder/ui/CLDBlockParamDlg.h"
#include "ladder/ui/CLDCommentDlg.h"
#include "ladder/ui/CLDContactCoilDlg.h"
#include "ladder/ui/CLDDialogs.h"
#include "ladder/ui/CLDSelectBlockDlg.h"
#include "model/CInstructionDef.h"
#include "model/CZULFB.h"
#include "model/CZULFBPara.h"
#include "model/CZULFunc.h"
#include "model/CZULSymbol.h"
#include "platform/ui/CInPlaceEdit.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/QtText.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const char* const MEMORY_MISMATCH = "The data type or memory type is not valid for the instruction operand.";
const char* const NOT_LEGAL = "The input is not legal.";
const char* const BAD_INSTANCE = "This is not a legal FB instance name, or A duplicate FB instance already existed.";

// Network 0: a contact and a label coil; network 1: a timer box; network 2:
// an addition box.
const std::vector<std::string> LADDER_IL = {
    "(* Network 0 *)", "(*fill the tank*)", "LD %I0.0", "LBL LOOP",
    "(* Network 1 *)", "LD %I0.1", "TON T37, 100", "ST %Q0.1",
    "(* Network 2 *)", "LD %I0.2", "ADD %VW0, %VW2, %VW4", "ST %Q0.2",
};

// The inverting contact, a contact type without an operand, as the contact catalogue would list it.
CInstructionDef NOT_ROW = {"-|NOT|-", INSTRUCTION_KIND_CONTACT, 0, 0, {}, {}, 1, "Not", 0xFF, 0};

template <typename T>
T* Child(QWidget* dialog, const char* name)
{
    T* child = dialog->findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return child;
}

// Saves the dialog as a PNG in the test's working folder.
void Screenshot(QWidget& dialog, const char* file)
{
    dialog.adjustSize();
    EXPECT_TRUE(dialog.grab().save(file)) << file;
}

} // namespace

class LDDialogsTest : public LadderUiWindowFixture {
protected:
    void SetUp() override
    {
        LadderUiWindowFixture::SetUp();
        m_app->ContactCatalog[NOT_ROW.name] = &NOT_ROW;
        ASSERT_TRUE(OpenLadderWindow(m_folder / "MAIN.ilp", LADDER_IL));
        m_varView->symbols["FLAG"] = OT_VAR_INPUT | OT_BOOL;
        m_varView->symbols["COUNT"] = OT_VAR | OT_INT;
        m_ui.box.Clear();
    }

    CLDElement* Root(int network) const { return Ladder()->GetItems()[size_t(2 * network + 1)].get(); }
    CComment* Header(int network) const
    {
        return dynamic_cast<CComment*>(Ladder()->GetItems()[size_t(2 * network)].get());
    }
    CLDElement* FirstInput(int network) const { return Root(network)->GetChildA(); }

    std::vector<std::string> Messages()
    {
        std::vector<std::string> texts = m_ui.box.Texts();
        m_ui.box.Clear();
        return texts;
    }

    static void Type(QLineEdit* edit, const char* text)
    {
        edit->setText(QString::fromUtf8(text));
    }
};

TEST_F(LDDialogsTest, ContactDialogChecksTheOperandBeforeItCloses)
{
    CLDElement* contact = FirstInput(0);
    ASSERT_EQ(contact->GetKind(), LD_KIND_CONTACT);
    CLDContactCoilDlg dialog;
    dialog.m_addressText = contact->GetOperand();
    dialog.m_typeText = " -| |- ";
    dialog.m_element = contact;
    dialog.m_program = Ladder();
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Contact");
    QLineEdit* address = Child<QLineEdit>(&dialog, "1019");
    QComboBox* type = Child<QComboBox>(&dialog, "1003");
    QPushButton* ok = Child<QPushButton>(&dialog, "1");
    EXPECT_EQ(type->currentText(), "-| |-");
    EXPECT_EQ(address->text(), "%I0.0");
    EXPECT_NE(type->findText("-|NOT|-"), -1);
    Screenshot(dialog, "ld_contact_coil_dialog.png");

    struct Row {
        const char* text;
        std::vector<std::string> messages;
        bool closes;
        const char* stored;
    };
    const Row rows[] = {
        {"VB10", {MEMORY_MISMATCH}, false, "%I0.0"},
        {"what?", {NOT_LEGAL}, false, "%I0.0"},
        {"FLAG", {}, true, "FLAG"},
    };
    for (const Row& row : rows) {
        Type(address, row.text);
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_EQ(Messages(), row.messages) << row.text;
        EXPECT_EQ(dialog.isVisible(), !row.closes) << row.text;
        EXPECT_EQ(contact->GetOperand(), row.stored) << row.text;
    }
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(LDDialogsTest, TypeChoiceSwitchesTheAddressAndParallelContactsLoseNot)
{
    CLDElement* contact = FirstInput(0);
    CLDContactCoilDlg dialog;
    dialog.m_addressText = "%I0.0";
    dialog.m_typeText = "-| |-";
    dialog.m_element = contact;
    dialog.m_program = Ladder();
    dialog.show();
    QLineEdit* address = Child<QLineEdit>(&dialog, "1019");
    QComboBox* type = Child<QComboBox>(&dialog, "1003");
    type->setCurrentIndex(type->findText("-|NOT|-"));
    emit type->activated(type->currentIndex());
    EXPECT_FALSE(address->isEnabled());
    EXPECT_TRUE(address->text().isEmpty());
    QTest::mouseClick(Child<QPushButton>(&dialog, "1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_typeText, "-|NOT|-");
    EXPECT_EQ(contact->GetOperand(), "????"); // the empty address becomes unset

    // The same contact as the head of a parallel branch is not offered "-|NOT|-".
    contact->SetLink(LD_LINK_PARALLEL);
    CLDContactCoilDlg parallel;
    parallel.m_typeText = "-| |-";
    parallel.m_element = contact;
    parallel.m_program = Ladder();
    parallel.show();
    EXPECT_EQ(Child<QComboBox>(&parallel, "1003")->findText("-|NOT|-"), -1);
    contact->SetLink(LD_LINK_SERIES);
}

TEST_F(LDDialogsTest, CoilDialogProposesNulAndKeepsAnUnchangedLabel)
{
    CLDElement* coil = Root(0);
    CLDContactCoilDlg empty;
    empty.m_coil = 1;
    empty.m_element = coil;
    empty.m_program = Ladder();
    empty.show();
    EXPECT_EQ(empty.windowTitle(), "Coil");
    EXPECT_EQ(Child<QComboBox>(&empty, "1003")->currentText(), "-(NUL)");
    EXPECT_EQ(empty.m_typeText, "-(NUL)");
    EXPECT_FALSE(Child<QLineEdit>(&empty, "1019")->isEnabled());
    empty.reject();

    // Reopened and confirmed without a change, the label coil keeps its label quietly.
    ASSERT_EQ(coil->GetOperand(), "LOOP");
    Ladder()->GetNames().LDLabelList = {"LOOP"};
    CLDDialogs dialogs(*m_app, nullptr);
    std::string type;
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        QTest::mouseClick(modal->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialogs.EditContactCoil(*Ladder(), *coil, TRUE, &type));
    EXPECT_EQ(type, "-(LBL)");
    EXPECT_EQ(coil->GetOperand(), "LOOP");
    EXPECT_EQ(Ladder()->GetNames().LDLabelList, std::vector<std::string>{"LOOP"});
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LDDialogsTest, CancelLeavesTheElementAsItWas)
{
    CLDElement* contact = FirstInput(0);
    CLDDialogs dialogs(*m_app, nullptr);
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        modal->findChild<QLineEdit*>("1019")->setText("Q0.5");
        QTest::mouseClick(modal->findChild<QPushButton*>("2"), Qt::LeftButton);
    });
    std::string type = "unchanged";
    EXPECT_FALSE(dialogs.EditContactCoil(*Ladder(), *contact, FALSE, &type));
    EXPECT_EQ(type, "unchanged");
    EXPECT_EQ(contact->GetOperand(), "%I0.0");
}

TEST_F(LDDialogsTest, CommentDialogReturnsTheTextWithItsLineBreaks)
{
    CLDCommentDlg dialog;
    dialog.m_comment = Header(0)->GetText();
    dialog.m_document = m_doc.get();
    dialog.show();
    QPlainTextEdit* edit = Child<QPlainTextEdit>(&dialog, "2031");
    EXPECT_EQ(edit->toPlainText(), "fill the tank");
    Screenshot(dialog, "ld_comment_dialog.png");
    m_doc->SetModifiedFlag(FALSE);
    QTest::mouseClick(Child<QPushButton>(&dialog, "1"), Qt::LeftButton);
    EXPECT_FALSE(m_doc->IsModified()); // unchanged text: the document stays clean

    CLDDialogs dialogs(*m_app, nullptr);
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        QPlainTextEdit* text = modal->findChild<QPlainTextEdit*>("2031");
        text->moveCursor(QTextCursor::End);
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, "slowly");
        QTest::mouseClick(modal->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    std::string text = "fill the tank";
    BOOL modified = FALSE;
    EXPECT_TRUE(dialogs.EditComment(&text, &modified));
    EXPECT_EQ(text, "fill the tank\r\nslowly");
    EXPECT_TRUE(modified);
}

TEST_F(LDDialogsTest, SelectBlockOffersFunctionsFBsAndSubroutines)
{
    CLDSelectBlockDlg dialog(*m_app);
    dialog.show();
    QComboBox* functions = Child<QComboBox>(&dialog, "1216");
    QLineEdit* instance = Child<QLineEdit>(&dialog, "1217");
    EXPECT_EQ(dialog.m_choice, LD_CHOICE_FUNCTION);
    EXPECT_EQ(dialog.m_name, FromQString(functions->itemText(0)));
    EXPECT_FALSE(instance->isEnabled());
    EXPECT_FALSE(Child<QRadioButton>(&dialog, "1215")->isEnabled()); // no subroutines
    EXPECT_FALSE(Child<QComboBox>(&dialog, "1218")->isEnabled());
    functions->setCurrentIndex(functions->findText("TON"));
    emit functions->activated(functions->currentIndex());
    EXPECT_TRUE(instance->isEnabled());
    EXPECT_EQ(instance->text(), "????");
    EXPECT_EQ(dialog.m_name, "TON");
    Screenshot(dialog, "ld_select_block_dialog.png");
    functions->setCurrentIndex(functions->findText("ADD"));
    emit functions->activated(functions->currentIndex());
    EXPECT_FALSE(instance->isEnabled());

    for (const char* name : {"Mix", "Fill"}) {
        auto* node = new CProjTreeNode;
        node->name = name;
        node->number = name[0] == 'M' ? 1 : 2;
        m_app->Project.POUs.AddSubroutineNode(node);
    }
    CLDDialogs dialogs(*m_app, nullptr);
    QTimer::singleShot(0, [] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        QRadioButton* subroutine = modal->findChild<QRadioButton*>("1215");
        ASSERT_TRUE(subroutine->isEnabled());
        QTest::mouseClick(subroutine, Qt::LeftButton);
        QComboBox* subroutines = modal->findChild<QComboBox*>("1218");
        EXPECT_TRUE(subroutines->isEnabled());
        EXPECT_EQ(subroutines->itemText(0), "Fill");
        subroutines->setCurrentIndex(1);
        emit subroutines->activated(1);
        QTest::mouseClick(modal->findChild<QPushButton*>("1"), Qt::LeftButton);
    });
    int choice = LD_CHOICE_NONE;
    std::string name;
    std::string chosenInstance;
    EXPECT_TRUE(dialogs.SelectBlock(&choice, &name, &chosenInstance));
    EXPECT_EQ(choice, LD_CHOICE_SUBROUTINE);
    EXPECT_EQ(name, "Mix");
}

class LDBlockParamDialogTest : public LDDialogsTest {
protected:
    CBlock* Timer() const { return dynamic_cast<CBlock*>(FirstInput(1)->GetChildA()); }

    void Open(CLDBlockParamDlg& dialog, CBlock& block)
    {
        dialog.m_pouName = "MAIN";
        dialog.m_program = Ladder();
        dialog.m_block = &block;
        dialog.m_isFunction = block.IsFunction() ? 1 : 0;
        dialog.m_functionMode = dialog.m_isFunction;
        dialog.m_fb = block.GetFB();
        dialog.m_function = block.GetFunction();
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    }

    // Edits the Variable cell of a row through its cell editor, as a double click opens it.
    void EditCell(CLDBlockParamDlg& dialog, int row, const char* text)
    {
        CListCtrl* list = dialog.GetList();
        list->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        dialog.EditSelectedRow();
        CInPlaceEdit* edit = list->findChild<CInPlaceEdit*>();
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->GetDlgCtrlID(), 61446u);
        edit->SetWindowText(text);
        edit->SendMessage(WM_KILLFOCUS);
        WaitFor([&] { return list->findChild<CInPlaceEdit*>() == nullptr; });
    }
};

TEST_F(LDBlockParamDialogTest, TimerParametersAreCheckedAndCancelRestoresThem)
{
    CBlock* timer = Timer();
    ASSERT_NE(timer, nullptr);
    ASSERT_FALSE(timer->IsFunction());
    CLDBlockParamDlg dialog;
    Open(dialog, *timer);
    CListCtrl* list = dialog.GetList();
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemText(0, 0), "PT");
    EXPECT_EQ(list->GetItemText(0, 1), "VAR_INPUT");
    EXPECT_EQ(list->GetItemText(0, 2), "100");
    EXPECT_EQ(list->GetItemText(1, 0), "ET");
    EXPECT_EQ(list->GetItemText(1, 1), "VAR_OUTPUT");
    EXPECT_EQ(Child<QLineEdit>(&dialog, "2016")->text(), "T37");
    EXPECT_EQ(Child<QLineEdit>(&dialog, "2015")->text(), "TON");
    Screenshot(dialog, "ld_block_param_dialog.png");

    struct Row {
        int row;
        const char* text;
        const char* cell;
        const char* actual;
    };
    const Row rows[] = {
        {0, "VB10", "100", "100"},        // refused silently
        {0, "COUNT", "COUNT", "COUNT"},   // a local INT
        {1, "", "", ""},                  // a timer output may stay empty
        {1, "vw8", "vw8", "VW8"},
    };
    for (const Row& row : rows) {
        EditCell(dialog, row.row, row.text);
        EXPECT_EQ(list->GetItemText(row.row, 2), row.cell) << row.text;
        const std::string actual = row.row == 0 ? timer->GetInputOperand(1) : timer->GetOutputOperand(1);
        EXPECT_EQ(actual, row.actual) << row.text;
    }
    EXPECT_TRUE(Messages().empty());
    Child<QLineEdit>(&dialog, "2016")->setText("T38");
    QTest::mouseClick(Child<QPushButton>(&dialog, "2"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(timer->GetInputOperand(1), "100");
    EXPECT_EQ(timer->GetFB()->instanceName, "T37");
}

TEST_F(LDBlockParamDialogTest, InstanceRenameRefusesADuplicateAndKeepsTheDialogOpen)
{
    CBlock* timer = Timer();
    // The diagram registered its own timer T37 when it was laid out.
    EXPECT_FALSE(m_app->Project.FBTable.AddFBInstance("T37", "TON", "MAIN", FB_LIST_TABLE));
    ASSERT_TRUE(m_app->Project.FBTable.AddFBInstance("T40", "TON", "MAIN", FB_LIST_TABLE));
    CLDBlockParamDlg dialog;
    Open(dialog, *timer);
    QLineEdit* instance = Child<QLineEdit>(&dialog, "2016");
    QPushButton* ok = Child<QPushButton>(&dialog, "1028");
    instance->setText("T40");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(Messages(), std::vector<std::string>{BAD_INSTANCE});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(instance->selectedText(), "T40");
    instance->setText("t41");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(timer->GetFB()->instanceName, "T41");
}

TEST_F(LDBlockParamDialogTest, FunctionBoxesHaveNoInstanceAndKeepTheirOutputs)
{
    auto* add = dynamic_cast<CBlock*>(FirstInput(2)->GetChildA());
    ASSERT_NE(add, nullptr);
    ASSERT_TRUE(add->IsFunction());
    CLDBlockParamDlg dialog;
    Open(dialog, *add);
    EXPECT_FALSE(Child<QLineEdit>(&dialog, "2016")->isEnabled());
    CListCtrl* list = dialog.GetList();
    ASSERT_EQ(list->GetItemCount(), 3); // IN1, IN2, OUT
    EXPECT_EQ(list->GetSelectionMark(), 0);
    EditCell(dialog, 2, "");
    EXPECT_EQ(list->GetItemText(2, 2), "%VW4"); // a function output may not be cleared
    EXPECT_EQ(add->GetOutputOperand(1), "%VW4");
    // A global symbol's name stays in the cell; the box keeps its address.
    auto* level = new CZULSymbol;
    level->name = "Level";
    level->address = "%VW10";
    m_app->Project.AddSymbol(level);
    EditCell(dialog, 0, "Level");
    EXPECT_EQ(list->GetItemText(0, 2), "Level");
    EXPECT_EQ(add->GetInputOperand(1), "%VW10");
    QTest::mouseClick(Child<QPushButton>(&dialog, "1028"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(LDDialogsTest, HelpButtonsAndF1OpenEachDialogsTopic)
{
    CLDContactCoilDlg contact;
    CLDCommentDlg comment;
    CLDSelectBlockDlg select(*m_app);
    CLDBlockParamDlg parameters;
    struct Row {
        QDialog* dialog;
        const char* button;
        const char* topic;
    };
    const Row rows[] = {
        {&contact, "3", "canshu-LD"},
        {&comment, "1237", "wangluo-LD"},
        {&select, "1243", "canshu-LD"},
        {&parameters, "4", "canshu-LD"},
    };
    for (const Row& row : rows) {
        row.dialog->show();
        row.dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(row.dialog)) << row.button;
        m_ui.help.Clear();
        QTest::mouseClick(Child<QPushButton>(row.dialog, row.button), Qt::LeftButton);
        QTest::keyClick(row.dialog, Qt::Key_F1);
        const std::vector<RecordedHelp> requests = m_ui.help.Requests();
        ASSERT_EQ(requests.size(), 2u) << row.button;
        EXPECT_EQ(requests[0].topic, row.topic);
        EXPECT_EQ(requests[1].topic, row.topic);
        row.dialog->hide();
    }
}

TEST_F(LDBlockParamDialogTest, ArrowKeysWrapAndEnterOpensTheCellEditor)
{
    auto* add = dynamic_cast<CBlock*>(FirstInput(2)->GetChildA());
    ASSERT_NE(add, nullptr);
    CLDBlockParamDlg dialog;
    Open(dialog, *add);
    CListCtrl* list = dialog.GetList();
    QTableWidget* table = list->Table();
    struct Step {
        Qt::Key key;
        int row;  // the selected row afterwards
    };
    const Step steps[] = {{Qt::Key_Up, 2}, {Qt::Key_Down, 0}, {Qt::Key_Down, 1}, {Qt::Key_Down, 2}, {Qt::Key_Down, 0}};
    for (const Step& step : steps) {
        QTest::keyClick(table, step.key);
        EXPECT_EQ(list->GetSelectionMark(), step.row);
        EXPECT_EQ(list->GetNextItem(-1, LVNI_SELECTED), step.row);
    }
    QTest::keyClick(table, Qt::Key_Return);
    CInPlaceEdit* edit = list->findChild<CInPlaceEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetRow(), 0);
    EXPECT_EQ(edit->GetColumn(), 2);
    EXPECT_EQ(edit->GetWindowText(), "%VW0");
    CRect cell;
    ASSERT_TRUE(list->GetSubItemRect(0, 2, &cell));
    CRect placed;
    edit->GetWindowRect(&placed);
    EXPECT_EQ(placed.Width(), cell.Width() + 1);
    EXPECT_EQ(placed.Height(), cell.Height() + 2);
    edit->SendMessage(WM_KILLFOCUS);
    WaitFor([&] { return list->findChild<CInPlaceEdit*>() == nullptr; });
    EXPECT_EQ(list->GetItemText(0, 2), "%VW0");
}

namespace {

// A workbench that offers a set of ladder dialogs.
class CDialogWorkbench : public CRecordingWorkbench {
public:
    ILDDialogs* GetLDDialogs() override { return dialogs; }
    ILDDialogs* dialogs = nullptr;
};

} // namespace

TEST_F(LDDialogsTest, POUDocumentsHandTheEditorTheWorkbenchsDialogs)
{
    CLDDialogs dialogs(*m_app, nullptr);
    CDialogWorkbench workbench;
    workbench.dialogs = &dialogs;
    CPOUEditorDoc offered(*m_app, &workbench, nullptr);
    EXPECT_EQ(offered.GetLDDialogs(), &dialogs);
    CPOUEditorDoc plain(*m_app, &m_workbench, nullptr);
    EXPECT_EQ(plain.GetLDDialogs(), nullptr);
    CPOUEditorDoc alone(*m_app, nullptr, nullptr);
    EXPECT_EQ(alone.GetLDDialogs(), nullptr);
}
