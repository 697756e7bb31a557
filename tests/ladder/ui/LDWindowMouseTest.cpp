// The ladder editor in the POU window offscreen, driven only by real mouse
// and key events and the view's commands: a double click opens the
// element's dialog, the Block command its chooser, the Branch command takes
// its clicks on the diagram, and while monitoring the window only browses.

#include "LadderUiWindowFixture.h"

#include "ladder/CBlock.h"
#include "ladder/CLDCatalogueInsert.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "ladder/ui/CLDDialogs.h"
#include "model/CInstructionDef.h"
#include "model/InstructionCatalog.h"
#include "support/ScriptedUi.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

constexpr int kOkButton = 1;

const CInstructionDef* CatalogueRow(const char* name)
{
    for (const CInstructionDef& row : g_LDInstructionTable) {
        if (std::strcmp(row.name, name) == 0)
            return &row;
    }
    return nullptr;
}

// Runs the script on the next modal dialog as soon as it shows; records
// whether one came. A dialog that never comes leaves the flag unset.
class CModalWatch {
public:
    explicit CModalWatch(std::function<void(QDialog*)> script) : m_script(std::move(script))
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible())
                return;
            m_timer.stop();
            m_came = true;
            m_title = dialog->windowTitle().toStdString();
            m_script(dialog);
        });
        m_timer.start();
    }
    bool Came() const { return m_came; }
    const std::string& Title() const { return m_title; }

private:
    QTimer m_timer;
    std::function<void(QDialog*)> m_script;
    bool m_came = false;
    std::string m_title;
};

} // namespace

class LDWindowMouseTest : public LadderUiWindowFixture {
protected:
    void SetUp() override
    {
        LadderUiWindowFixture::SetUp();
        ASSERT_TRUE(OpenLadderWindow(m_folder / "MAIN.ilp", {"(* Network 0 *)", "LD %I0.0", "AND %I0.1", "ST %Q0.0"}));
        m_dialogs = std::make_unique<CLDDialogs>(*m_app, nullptr);
        Editor().SetDialogs(m_dialogs.get());
        ASSERT_TRUE(ShowFrameActive());
        Editor().LayoutAll();
    }

    std::string IL() const
    {
        std::vector<std::string> lines;
        Ladder()->GetILLines(lines);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    }

    // The element of the rung whose operand is the text.
    CLDElement* Operand(const std::string& operand) const
    {
        for (int row = 0; row < 4; ++row) {
            for (int column = 0; column < 12; ++column) {
                CLDElement* element = nullptr;
                if (Ladder()->LookupCell(column, row, &element) && element && element->GetOperand() == operand)
                    return element;
            }
        }
        return nullptr;
    }

    // Client pixels at an offset into a cell, the view's scroll position taken off.
    QPoint CellPoint(int column, int row, int dx, int dy) const
    {
        const QPoint scroll(m_view->GetScrollPosition(POU_SCROLL_HORZ, FALSE),
                            m_view->GetScrollPosition(POU_SCROLL_VERT, FALSE));
        return QPoint(column * LD_CELL_WIDTH + dx, row * LD_CELL_HEIGHT + dy) - scroll;
    }

    // The middle of an element's symbol, below its operand label.
    QPoint SymbolPoint(const CLDElement* element) const
    {
        const CLDCellRect cell = element->GetPosition();
        return CellPoint(cell.column, cell.row, LD_CELL_WIDTH / 2, LD_CELL_HEIGHT / 2);
    }

    std::unique_ptr<CLDDialogs> m_dialogs;
    CScopedUi m_ui;
};

TEST_F(LDWindowMouseTest, DoubleClickOpensTheContactDialogAndOkStoresTheOperand)
{
    CLDElement* contact = Operand("%I0.1");
    ASSERT_NE(contact, nullptr);
    const int snapshots = Ladder()->GetUndoCount();
    m_doc->SetModifiedFlag(FALSE);
    CModalWatch watch([](QDialog* dialog) {
        auto* address = dialog->findChild<QLineEdit*>("1019");
        ASSERT_NE(address, nullptr);
        EXPECT_EQ(address->text(), "%I0.1");
        address->setText("%I0.5");
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(kOkButton)), Qt::LeftButton);
    });
    // The first click of the pair selects, the second opens.
    QTest::mouseClick(m_view, Qt::LeftButton, {}, SymbolPoint(contact));
    QTest::mouseDClick(m_view, Qt::LeftButton, {}, SymbolPoint(contact));
    WaitFor([&] { return watch.Came() && QApplication::activeModalWidget() == nullptr; });
    ASSERT_TRUE(watch.Came());
    EXPECT_EQ(watch.Title(), "Contact");
    EXPECT_EQ(contact->GetOperand(), "%I0.5");
    EXPECT_EQ(Ladder()->GetUndoCount(), snapshots + 1);
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(LDWindowMouseTest, BlockCommandPutsTheChosenFunctionBehindTheSelection)
{
    CLDElement* contact = Operand("%I0.1");
    ASSERT_NE(contact, nullptr);
    QTest::mouseClick(m_view, Qt::LeftButton, {}, SymbolPoint(contact));
    WaitFor([&] { return Ladder()->GetSelection() == contact; });
    ASSERT_EQ(Ladder()->GetSelection(), contact);
    ASSERT_TRUE(IsEnabled(ID_LD_BLOCK));
    CModalWatch watch([](QDialog* dialog) {
        auto* functions = dialog->findChild<QComboBox*>("1216");
        ASSERT_NE(functions, nullptr);
        functions->setCurrentIndex(functions->findText("MOVE"));
        emit functions->activated(functions->currentIndex());
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::number(kOkButton)), Qt::LeftButton);
    });
    ASSERT_TRUE(RunCommand(ID_LD_BLOCK));
    ASSERT_TRUE(watch.Came());
    EXPECT_NE(IL().find("MOVE"), std::string::npos) << IL();
}

TEST_F(LDWindowMouseTest, BranchIsDrawnWithClicksOnTheDiagram)
{
    const CLDElement* first = Operand("%I0.0");
    const CLDElement* second = Operand("%I0.1");
    ASSERT_TRUE(first != nullptr && second != nullptr);
    const int rung = first->GetPosition().row;
    const int left = first->GetPosition().column;
    const int right = second->GetPosition().column + 1;
    const std::string before = IL();

    // Escape leaves the diagram as it was.
    ASSERT_TRUE(RunCommand(ID_LD_BRANCH));
    ASSERT_TRUE(Editor().IsDrawingBranch());
    QTest::mouseClick(m_view, Qt::LeftButton, {}, CellPoint(left, rung, 10, 10));
    QTest::mouseClick(m_view, Qt::LeftButton, {}, CellPoint(left, rung + 1, 10, 10));
    QTest::keyClick(m_view, Qt::Key_Escape);
    WaitFor([&] { return Editor().IsDrawingBranch() == FALSE; });
    EXPECT_FALSE(Editor().IsDrawingBranch());
    EXPECT_EQ(IL(), before);

    const int snapshots = Ladder()->GetUndoCount();
    ASSERT_TRUE(RunCommand(ID_LD_BRANCH));
    for (const QPoint& point : {CellPoint(left, rung, 10, 10), CellPoint(left, rung + 1, 10, 10),
                                CellPoint(right, rung + 1, 10, 10), CellPoint(right, rung, 10, 10)})
        QTest::mouseClick(m_view, Qt::LeftButton, {}, point);
    WaitFor([&] { return Editor().IsDrawingBranch() == FALSE; });
    EXPECT_FALSE(Editor().IsDrawingBranch());
    EXPECT_EQ(IL(), "(* Network 0 *)\nLD    %I0.0\nAND    %I0.1\nOR    ????\nST   %Q0.0\n") << IL();
    EXPECT_EQ(Ladder()->GetUndoCount(), snapshots + 1);
}

TEST_F(LDWindowMouseTest, WhileMonitoringTheWindowOnlyBrowses)
{
    CLDElement* contact = Operand("%I0.1");
    ASSERT_NE(contact, nullptr);
    m_app->Monitoring = 1;
    m_doc->SetModifiedFlag(FALSE);
    const std::string before = IL();
    const int snapshots = Ladder()->GetUndoCount();
    // A dialog that should not come is closed at once, so the test cannot hang.
    CModalWatch watch([](QDialog* dialog) { dialog->reject(); });

    QTest::mouseClick(m_view, Qt::LeftButton, {}, SymbolPoint(contact));
    WaitFor([&] { return Ladder()->GetSelection() == contact; });
    EXPECT_EQ(Ladder()->GetSelection(), contact);
    QTest::keyClick(m_view, Qt::Key_Delete);
    QTest::keyClick(m_view, Qt::Key_Backspace);
    QTest::mouseDClick(m_view, Qt::LeftButton, {}, SymbolPoint(contact));
    QTest::mouseClick(m_view, Qt::LeftButton, {}, CellPoint(contact->GetPosition().column,
                                                              contact->GetPosition().row, LD_CELL_WIDTH / 2, 3));
    QApplication::processEvents();

    EXPECT_FALSE(watch.Came()) << watch.Title();
    EXPECT_FALSE(Editor().IsEditingOperand());
    EXPECT_EQ(IL(), before);
    EXPECT_EQ(Ladder()->GetUndoCount(), snapshots);
    // Delete and Backspace still mark the document, as they do outside monitoring.
    EXPECT_TRUE(m_doc->IsModified());
}

TEST_F(LDWindowMouseTest, CatalogueRowsSentToTheWindowLandAtTheSelection)
{
    struct Case {
        const char* row;
        const char* selected; // the operand of the element selected first
        const char* il;       // what the network's IL holds afterwards
    };
    const Case cases[] = {
        {"-|/|-", "%I0.1", "ANDN    ????"},
        {"-(S)", "%Q0.0", "S       ????"},
        {"ADD", "%I0.1", "ADD     ????"},
        {"TON", "%I0.1", "TON     ????"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        CLDElement* selected = Operand(c.selected);
        ASSERT_NE(selected, nullptr);
        Ladder()->Select(selected);
        m_doc->SetModifiedFlag(FALSE);
        const int snapshots = Ladder()->GetUndoCount();
        const CInstructionDef* row = CatalogueRow(c.row);
        ASSERT_NE(row, nullptr);
        m_view->SendMessage(WM_INSERT_FROM_CATALOGUE, LD_INSERT_CATALOGUE_ROW, reinterpret_cast<LPARAM>(row));
        std::string il = IL();
        for (size_t at = il.find("  "); at != std::string::npos; at = il.find("  "))
            il.erase(at, 1);
        std::string wanted = c.il;
        for (size_t at = wanted.find("  "); at != std::string::npos; at = wanted.find("  "))
            wanted.erase(at, 1);
        EXPECT_NE(il.find(wanted), std::string::npos) << IL();
        EXPECT_EQ(Ladder()->GetUndoCount(), snapshots + 1);
        EXPECT_TRUE(m_doc->IsModified());
        ASSERT_TRUE(RunCommand(ID_EDIT_UNDO));
    }
}
