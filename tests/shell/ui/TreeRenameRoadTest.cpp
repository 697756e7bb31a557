// Renaming a closed subroutine in place in the project tree of the running
// program, with the program's real message boxes: a refused name is
// answered with OK, then a long name is committed with Return. The Return
// that ends the edit ends only the edit: no POU opens and nothing crashes.

#include "WorkbenchFixture.h"

#include "model/CZULAppData.h"
#include "platform/ui/CQtMessageBox.h"
#include "platform/ui/CTreeCtrl.h"
#include "platform/ui/QtText.h"
#include "shell/ui/CPOUDocTemplate.h"
#include "shell/ui/CProjTreeView.h"
#include "support/ModalScript.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>

namespace {

constexpr UINT kNewProjectCommand = 32695;
constexpr UINT kNewSubroutineCommand = 32921;

class TreeRenameRoadTest : public WorkbenchFixture {
protected:
    CProjTreeView& Tree() { return *m_frame->GetProjTreeView(); }
    QLineEdit* Editor() { return Tree().GetTreeCtrl().Tree()->findChild<QLineEdit*>(); }

    // Rename from the item's menu, the name typed over the selected one, Return.
    void RenameTo(HTREEITEM item, const std::string& name)
    {
        // The right click that opens the item's menu selects it.
        Tree().GetTreeCtrl().SelectItem(item);
        Tree().SetCurrentItem(item);
        Tree().SendMessage(WM_COMMAND, ID_PROJTREE_RENAME);
        QLineEdit* edit = Editor();
        ASSERT_NE(edit, nullptr);
        QTest::keyClicks(edit, ToQString(name));
        QTest::keyClick(edit, Qt::Key_Return);
    }
};

} // namespace

TEST_F(TreeRenameRoadTest, ReturnThatEndsARenameEndsOnlyTheEditAlsoAfterARefusedName)
{
    Start();
    App().DefaultPOULang = 1;
    AnswerFileDialog(m_folder / "Rename.qpj");
    Command(kNewProjectCommand);
    ASSERT_EQ(App().ProjectOpen, 1);
    Command(kNewSubroutineCommand);
    Command(ID_WINDOW_CLOSE_ALL);
    ASSERT_TRUE(m_app->GetPOUTemplate()->GetDocuments().empty());
    HTREEITEM item = Tree().FindPOUItem("(SBR00)  SBR_0");
    ASSERT_NE(item, nullptr);

    // The program's own modal box, OK pressed by the user.
    CQtMessageBox realBox;
    CUserInterface::SetMessageBox(&realBox);
    std::string refusal;
    WhenModal<QMessageBox>([&refusal](QMessageBox* box) {
        refusal = FromQString(box->text());
        box->button(QMessageBox::Ok)->click();
    });
    RenameTo(item, "Bad name!");
    QTRY_VERIFY(!Tree().IsRenaming());
    QTRY_VERIFY(!refusal.empty());
    EXPECT_EQ(Tree().GetTreeCtrl().GetItemText(item), "(SBR00)  SBR_0");

    const std::string longName = "ConveyorBeltStartSequence";
    RenameTo(item, longName);
    QTRY_VERIFY(!Tree().IsRenaming());
    QTRY_VERIFY(Editor() == nullptr);
    CUserInterface::SetMessageBox(&m_ui.box);

    EXPECT_EQ(Tree().GetTreeCtrl().GetItemText(item), "(SBR00)  " + longName);
    EXPECT_EQ(App().Project.POUs.SubroutineNodes.count(longName), 1u);
    EXPECT_TRUE(m_app->GetPOUTemplate()->GetDocuments().empty()) << "the Return opened the POU";
}
