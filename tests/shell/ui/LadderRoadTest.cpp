// Ladder editing through the workbench as a person reaches it: a new
// project whose MAIN is a ladder diagram, the editor's commands sent to the
// main window as its menus and keys send them.

#include "WorkbenchFixture.h"

#include "ladder/CCoil.h"
#include "ladder/CContact.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDElement.h"
#include "ladder/CLDProgram.h"
#include "platform/ui/StandardCommands.h"
#include "pouedit/ui/CPOUEditorDoc.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "pouedit/ui/CPOUVarView.h"
#include "model/CZULAppData.h"
#include "model/CZULSymbol.h"
#include "platform/FileSystem.h"
#include "shell/ui/CProjTreeView.h"
#include "support/ModalScript.h"

#include <QTest>

namespace {

constexpr UINT ID_NEW_PROJECT = 32695;
constexpr int LANGUAGE_LD = 2;

class LadderRoadTest : public WorkbenchFixture {
protected:
    // A new project whose MAIN opens as a ladder diagram; its program.
    CLDProgram* NewLadderProject()
    {
        Start();
        App().DefaultPOULang = LANGUAGE_LD;
        AnswerFileDialog(m_folder / "Conveyor.qpj");
        Command(ID_NEW_PROJECT);
        m_main = m_frame->GetActivePOUDocument();
        if (!m_main)
            return nullptr;
        return dynamic_cast<CLDProgram*>(m_main->GetProgram());
    }
    static CLDElement* Item(CLDProgram& program, int item) { return program.GetItems()[size_t(item)].get(); }
    static void SelectItem(CLDProgram& program, int item)
    {
        program.Select(Item(program, item));
        program.GetLDEditor().SetCurrentItem(item);
    }

    CPOUEditorDoc* m_main = nullptr;
};

} // namespace

TEST_F(LadderRoadTest, EditCopyAndPasteOfACoilAddsItBelowTheSelectedCoil)
{
    CLDProgram* program = NewLadderProject();
    ASSERT_NE(program, nullptr);
    ASSERT_GE(program->GetItems().size(), 2u);
    CLDElement* root = Item(*program, 1);
    ASSERT_EQ(root->GetKind(), LD_KIND_COIL);
    SelectItem(*program, 1);
    Command(ID_EDIT_COPY);
    m_main->SetModifiedFlag(FALSE);

    ASSERT_TRUE(CommandEnabled(ID_EDIT_PASTE));
    Command(ID_EDIT_PASTE);
    CLDElement* pasted = program->GetSelection();
    ASSERT_NE(pasted, root);
    ASSERT_NE(pasted, nullptr);
    EXPECT_EQ(pasted->GetKind(), LD_KIND_COIL);
    EXPECT_EQ(pasted->GetTypeText(), root->GetTypeText());
    EXPECT_EQ(pasted->GetOperand(), root->GetOperand());
    EXPECT_EQ(root->GetChildB(), pasted);
    EXPECT_TRUE(m_main->IsModified());

    // One Undo takes the pasted coil away again.
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Item(*program, 1)->GetChildB(), nullptr);
}

// An LD POU opened from the project tree has its timer in the project's
// FB-instance table at once, before any paint or Undo.
TEST_F(LadderRoadTest, ALadderPOUOpenedFromTheTreeRegistersItsTimers)
{
    ASSERT_NE(NewLadderProject(), nullptr);
    const std::string path = m_main->GetPathName();
    const std::string pou = m_main->GetPOUName();
    Command(ID_WINDOW_CLOSE);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_frame->GetOpenPOUDocuments().empty(); }, 5000));
    App().Project.FBTable.RemoveFBInstancesOfPOU(pou);
    ASSERT_TRUE(FileSystem::SafeSave(path, std::string("(*2*)\r\n(* Network 0 *)\r\nLD    %I0.0\r\n"
                                                       "TON   T37, 100\r\nST   %Q0.0\r\n")));

    CProjTreeView* tree = m_frame->GetProjTreeView();
    tree->OpenTreeNode(tree->FindPOUItem("(MAIN) "));
    ASSERT_EQ(m_frame->GetOpenPOUDocuments().size(), 1u);
    std::vector<std::string> names;
    std::vector<std::string> types;
    App().Project.FBTable.GetFBInstancesOfPOU(pou, names, types);
    EXPECT_EQ(names, std::vector<std::string> {"T37"});
}

// While the PLC is monitored Delete changes no element but marks the POU
// modified; a deletion the program refuses still ends as an edit with its
// undo step.
TEST_F(LadderRoadTest, DeleteWhileMonitoringAndARefusedDeletionMarkThePOUModified)
{
    CLDProgram* program = NewLadderProject();
    ASSERT_NE(program, nullptr);
    QWidget* view = m_main->GetEditorView();
    CLDElement* root = Item(*program, 1);
    CLDElement* contact = root->GetChildA();
    ASSERT_NE(contact, nullptr);

    SelectItem(*program, 1);
    program->Select(contact);
    m_main->SetModifiedFlag(FALSE);
    App().Monitoring = 1;
    QTest::keyClick(view, Qt::Key_Delete);
    App().Monitoring = 0;
    EXPECT_EQ(root->GetChildA(), contact);
    EXPECT_TRUE(m_main->IsModified());

    // The lone root coil is not deleted.
    SelectItem(*program, 1);
    m_main->SetModifiedFlag(FALSE);
    m_ui.box.Clear();
    const int snapshots = program->GetUndoCount();
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(m_ui.box.Messages().size(), 1u);
    EXPECT_EQ(Item(*program, 1), root);
    EXPECT_EQ(program->GetUndoCount(), snapshots + 1);
    EXPECT_TRUE(m_main->IsModified());
}

// View > LD on an IL subroutine whose network cannot be drawn (RET is a
// box that no ladder draws): the POU stays IL with its lines, and the
// Compile list says it cannot be converted.
TEST_F(LadderRoadTest, ASubroutineWithANetworkThatCannotBeDrawnStaysIL)
{
    constexpr UINT ID_NEW_SUBROUTINE = 32921;
    constexpr int LANGUAGE_IL = 1;
    Start();
    App().DefaultPOULang = LANGUAGE_IL;
    AnswerFileDialog(m_folder / "Mixer.qpj");
    Command(ID_NEW_PROJECT);
    Command(ID_NEW_SUBROUTINE);
    CPOUEditorDoc* sub = m_frame->GetActivePOUDocument();
    ASSERT_NE(sub, nullptr);
    ASSERT_EQ(sub->GetLanguage(), LANGUAGE_IL);
    CPOUEditorView* view = sub->GetEditorView();
    QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Return);
    for (const char* line : {"LD %I0.0", "RET"}) {
        QTest::keyClicks(view, line);
        QTest::keyClick(view, Qt::Key_Return);
    }
    ASSERT_TRUE(sub->GetProgram()->IsValid());
    std::vector<std::string> before;
    sub->GetProgram()->GetILLines(before);

    Command(ID_LANGUAGE_LD);
    EXPECT_EQ(sub->GetLanguage(), LANGUAGE_IL);
    std::vector<std::string> after;
    sub->GetProgram()->GetILLines(after);
    EXPECT_EQ(after, before);
    const std::vector<std::string> compile = OutputLines(OUTPUT_LIST_COMPILE);
    ASSERT_FALSE(compile.empty());
    EXPECT_EQ(compile.back().rfind("$$$ Some errors exist in '", 0), 0u) << compile.back();
    EXPECT_NE(compile.back().find("' , and unable to convert. "), std::string::npos) << compile.back();
}

// The painter draws an operand in the invalid colour only when it does not
// suit its element: addresses, global symbols and the POU's own local
// variables of the right kind are valid.
TEST_F(LadderRoadTest, OnlyOperandsThatDoNotSuitTheirElementAreInvalid)
{
    CLDProgram* program = NewLadderProject();
    ASSERT_NE(program, nullptr);
    auto* symbol = new CZULSymbol;
    symbol->name = "Start";
    symbol->address = "%I0.1";
    App().Project.AddSymbol(symbol);
    auto* coil = dynamic_cast<CCoil*>(Item(*program, 1));
    ASSERT_NE(coil, nullptr);
    auto* contact = dynamic_cast<CContact*>(coil->GetChildA());
    ASSERT_NE(contact, nullptr);
    auto* vars = dynamic_cast<CPOUVarView*>(m_main->GetVarView());
    ASSERT_NE(vars, nullptr);
    ASSERT_TRUE(vars->GetTable()->OnCellEdited(CPOUVarTable::COL_SYMBOL, 0, "Lamp"));

    const struct {
        const char* operand;
        bool valid;
    } contactCases[] = {{"%I0.0", true}, {"Start", true}, {"Lamp", true}, {"%X9.9", false}, {"Unknown", false}};
    for (const auto& c : contactCases) {
        contact->SetOperand(c.operand);
        EXPECT_EQ(contact->IsOperandValidForMask(contact->GetOperandPinMask(), contact->GetOperand()) != FALSE,
                  c.valid)
            << c.operand;
    }
    const struct {
        const char* operand;
        bool valid;
    } coilCases[] = {{"%Q0.0", true}, {"%X9.9", false}};
    coil->SetTypeText("-( )");
    for (const auto& c : coilCases) {
        coil->SetOperand(c.operand);
        EXPECT_EQ(coil->IsOperandValidForMask(coil->GetOperandPinMask(), coil->GetOperand()) != FALSE, c.valid)
            << c.operand;
    }
}
