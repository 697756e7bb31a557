// The LD editor in the POU window offscreen: the painted diagram, clicks
// and arrow keys that select elements and network ranges, scrolling by
// cells, GoToLine, and the printout to PDF through the print job.

#include "LadderWindowFixture.h"

#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "platform/ui/CQtPrintDevice.h"
#include "pouedit/ui/CPOUEditorView.h"
#include "support/FileBytes.h"
#include "support/ScriptedUi.h"
#include "support/TextLines.h"

#include <QImage>
#include <QPrinter>
#include <QTest>

#include <gtest/gtest.h>

#include <regex>

namespace {

int PdfPageCount(const std::string& path)
{
    const std::string bytes = ReadFileText(path);
    const std::regex page("/Type\\s*/Page[^s]");
    return static_cast<int>(std::distance(std::sregex_iterator(bytes.begin(), bytes.end(), page), std::sregex_iterator()));
}

// Contacts, coils, a box and a parallel branch, repeated over many networks.
std::string LadderSource(int networks)
{
    std::string il;
    for (int n = 0; n < networks; ++n) {
        const std::string k = std::to_string(n % 8);
        il += "(* Network " + std::to_string(n) + " *)\n";
        if (n % 3 == 0)
            il += "(*start\x01the pump*)\nLD %I0." + k + "\nOR %I0.1\nANDN %I1." + k + "\nMOVE %MW0, %MW2\nST %Q0." + k +
                  "\nS %Q1.0\n";
        else if (n % 3 == 1)
            il += "LD %I0." + k + "\nAND(\nLD %I0.2\nOR %I0.3\n)\nST %Q0." + k + "\n";
        else
            il += "LD %I1.0\nTON T19, %MW30\nST %Q1." + k + "\n";
    }
    return il;
}

} // namespace

class LadderEditorWindowTest : public LadderWindowFixture {
protected:
    BOOL OpenLadder(int networks)
    {
        if (!OpenLadderWindow(m_folder / "MAIN_Pump.ilp", SplitLines(LadderSource(networks))))
            return FALSE;
        m_frame->resize(900, 600);
        m_frame->show();
        return QTest::qWaitForWindowExposed(m_frame);
    }

    // Client pixels of a diagram cell, at its middle.
    QPoint CellPoint(int column, int row) const
    {
        const CSize cell = Editor().GetCellSize();
        const QPoint scroll(m_view->GetScrollPosition(POU_SCROLL_HORZ, FALSE),
                            m_view->GetScrollPosition(POU_SCROLL_VERT, FALSE));
        return QPoint(column * cell.cx + cell.cx / 2, row * cell.cy + cell.cy / 2) - scroll;
    }

    CScopedUi m_ui;
};

TEST_F(LadderEditorWindowTest, TheDiagramIsPaintedAndSavedAsAnImage)
{
    ASSERT_TRUE(OpenLadder(6));
    const QImage image = m_view->grab().toImage();
    ASSERT_FALSE(image.isNull());
    int dark = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    EXPECT_GT(dark, 100);
    EXPECT_TRUE(image.save(QString::fromStdString(m_folder / "ladder.png")));
    EXPECT_GE(Editor().GetFirstRows().size(), 2u);
}

TEST_F(LadderEditorWindowTest, ClicksAndArrowKeysSelectElements)
{
    ASSERT_TRUE(OpenLadder(3));
    // The rung of network 0 starts with a contact at column 1.
    const CLDCellRect root = Ladder()->GetItems()[1]->GetPosition();
    QTest::mouseClick(m_view, Qt::LeftButton, {}, CellPoint(1, root.row));
    WaitFor([&] { return Ladder()->GetSelection() != nullptr; });
    CLDElement* first = Ladder()->GetSelection();
    EXPECT_EQ(first->GetKind(), LD_KIND_CONTACT);
    EXPECT_EQ(first->GetPosition().row, root.row);

    QTest::keyClick(m_view, Qt::Key_Right);
    WaitFor([&] { return Ladder()->GetSelection() != first; });
    ASSERT_NE(Ladder()->GetSelection(), nullptr);
    EXPECT_EQ(Ladder()->GetSelection()->GetPosition().row, root.row);
    EXPECT_GT(Ladder()->GetSelection()->GetPosition().column, first->GetPosition().column);

    // A click on an empty cell leaves no selection.
    QTest::mouseClick(m_view, Qt::LeftButton, {}, CellPoint(0, 0));
    WaitFor([&] { return Ladder()->GetSelection() == nullptr; });
    EXPECT_EQ(Editor().GetFocusRect(), CRect(0, 0, LD_CELL_WIDTH, LD_CELL_HEIGHT));
}

TEST_F(LadderEditorWindowTest, ShiftArrowsSelectANetworkRange)
{
    ASSERT_TRUE(OpenLadder(4));
    const CLDCellRect root = Ladder()->GetItems()[1]->GetPosition();
    QTest::mouseClick(m_view, Qt::LeftButton, {}, CellPoint(root.column, root.row));
    WaitFor([&] { return Ladder()->GetSelection() != nullptr; });
    QTest::keyClick(m_view, Qt::Key_Right, Qt::ShiftModifier);
    WaitFor([&] { return Editor().IsNetworkSelection() != FALSE; });
    EXPECT_EQ(Editor().GetSelectionFirst(), 0);
    EXPECT_EQ(Editor().GetSelectionLast(), 0);
}

TEST_F(LadderEditorWindowTest, GoToLineScrollsTheViewByCells)
{
    ASSERT_TRUE(OpenLadder(30));
    ASSERT_TRUE(Ladder()->GoToLine(20));
    const int y = m_view->GetScrollPosition(POU_SCROLL_VERT, FALSE);
    EXPECT_GT(y, 0);
    EXPECT_EQ(y % LD_CELL_HEIGHT, 0);
    EXPECT_EQ(y, Editor().GetFirstRows()[20] * LD_CELL_HEIGHT);
    m_view->repaint();
    EXPECT_EQ(Editor().GetScrollOrigin().y, Editor().GetFirstRows()[20]);
}

TEST_F(LadderEditorWindowTest, PrintoutHasACoverAndTheNetworkPages)
{
    ASSERT_TRUE(OpenLadder(30));
    m_app->Project.ProjectName = "Plant";
    const std::string pdf = m_folder / "MAIN.pdf";
    std::unique_ptr<QPrinter> printer = CQtPrintDevice::MakePdfPrinter(pdf);
    CQtPrintDevice device(printer.get(), FALSE);
    ASSERT_TRUE(m_view->PrintOn(device));
    printer.reset();
    EXPECT_GE(PdfPageCount(pdf), 3);
    EXPECT_FALSE(Editor().IsPrinting());
    EXPECT_EQ(Editor().GetCellSize(), CSize(LD_CELL_WIDTH, LD_CELL_HEIGHT));
}
