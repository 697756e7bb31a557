// The grid control in a view: columns and their editors, the host's texts
// and marks, editing through the hooks, selection, keys, header clicks and
// the copy and paste of ranges with every paste result.

#include "platform/CClipboard.h"
#include "platform/CMemoryClipboard.h"
#include "platform/ui/CCPCellCtrl.h"
#include "platform/ui/CCPGridView.h"
#include "platform/ui/GridClipboard.h"
#include "platform/ui/WinMessages.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kNameEditorId = 2001;
constexpr UINT kTypeEditorId = 2002;
constexpr int kColumns = 4;
constexpr int kRows = 4;
constexpr int kTableType = 7;

struct SavedCell {
    int column;
    int row;
    std::string text;
    bool operator==(const SavedCell&) const = default;
};

// A table of four columns: a read-only number, a name (edit box of at most
// 8 characters), a type (drop-down list) and a comment; it records every hook.
class CTestGridView : public CCPGridView {
public:
    CTestGridView()
        : m_cells(kRows, std::vector<std::string>(kColumns))
        , m_marks(kRows, std::vector<BYTE>(kColumns, GRID_MARK_PLAIN))
    {
        CCPGridCtrl& grid = GetGridCtrl();
        grid.AddCol(50, "No.");
        grid.AddCol(100, "Name");
        grid.AddCol(100, "Type");
        grid.AddCol(150, "Comment");
        grid.DefineColCtrl(1, CCPCellCtrl::KIND_EDIT, 0, kNameEditorId);
        grid.DefineColCtrl(2, CCPCellCtrl::KIND_DROPDOWN, 0, kTypeEditorId);
        grid.DefineColCtrl(3, CCPCellCtrl::KIND_EDIT, 0, kNameEditorId + 10);
        grid.SetFixedColCount(1, TRUE);
        grid.SetFixedColWidth(15, TRUE);
        grid.SetGridRowCount(kRows, TRUE);
        grid.GetCore().SetTableType(kTableType);
        for (int row = 0; row < kRows; ++row)
            m_cells[size_t(row)][0] = std::to_string(row + 1);
    }

    BOOL GetCellText(int column, int row, std::string& text, BYTE& mark) override
    {
        if (row < 0 || row >= int(m_cells.size()) || column < 0 || column >= kColumns)
            return FALSE;
        text = m_cells[size_t(row)][size_t(column)];
        mark = m_marks[size_t(row)][size_t(column)];
        return TRUE;
    }
    void OnSaveCellData(int column, int row, const std::string& text) override
    {
        saved.push_back({column, row, text});
        m_cells[size_t(row)][size_t(column)] = text;
    }
    void CreateCellCtrl(UINT id, CCPCellCtrl& control) override
    {
        createdIds.push_back(id);
        if (id == kNameEditorId)
            control.LimitText(8);
        if (id == kTypeEditorId) {
            control.AddString("BOOL");
            control.AddString("WORD");
        }
    }
    BOOL ActivateCtrl(int column, int row, BOOL editable) override
    {
        return editable && !(column == lockedColumn && row == lockedRow);
    }
    void OnSetActiveCell(int column, int row) override { activeCells.push_back({column, row, {}}); }
    void OnFixedRowDown(int column) override { headerClicks.push_back(column); }
    void OnKeyDown(UINT ch, UINT repeat, UINT flags) override
    {
        keys.push_back(ch);
        CCPGridView::OnKeyDown(ch, repeat, flags);
    }

    void Set(int column, int row, const std::string& text, BYTE mark = GRID_MARK_PLAIN)
    {
        m_cells[size_t(row)][size_t(column)] = text;
        m_marks[size_t(row)][size_t(column)] = mark;
    }
    std::string Cell(int column, int row) const { return m_cells[size_t(row)][size_t(column)]; }

    std::vector<SavedCell> saved;
    std::vector<UINT> createdIds;
    std::vector<SavedCell> activeCells;
    std::vector<int> headerClicks;
    std::vector<UINT> keys;
    int lockedColumn = -1;
    int lockedRow = -1;

private:
    std::vector<std::vector<std::string>> m_cells;
    std::vector<std::vector<BYTE>> m_marks;
};

class GridControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CClipboard::Set(&m_clipboard);
        m_view = new CTestGridView;
        ASSERT_TRUE(m_view->Create(nullptr, CRect(20, 20, 460, 200), 0, WS_OVERLAPPED | WS_VISIBLE));
        m_table = m_view->GetGridCtrl().GetTableView();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view));
    }
    void TearDown() override
    {
        m_view->m_bAutoDelete = FALSE;
        m_view->DestroyWindow();
        delete m_view;
        CClipboard::Set(nullptr);
    }

    CCPGridCtrl& Grid() { return m_view->GetGridCtrl(); }
    QModelIndex Index(int column, int row) const { return m_table->model()->index(row, column); }
    CCPGridRange Selection() { return Grid().GetCore().GetSelection(); }
    // The centre of a cell in the grid's client coordinates.
    CPoint CellCentre(int column, int row) const
    {
        const QRect cell = m_table->visualRect(Index(column, row));
        const QPoint centre = m_table->viewport()->mapTo(&m_view->GetGridCtrl(), cell.center());
        return CPoint(centre.x(), centre.y());
    }

    CMemoryClipboard m_clipboard;
    CTestGridView* m_view = nullptr;
    QTableView* m_table = nullptr;
};

TEST_F(GridControlTest, ShowsTheHostsTextsByTheirMarks)
{
    m_view->Set(1, 0, "Plain");
    m_view->Set(1, 1, "Broken", GRID_MARK_ERROR);
    m_view->Set(3, 1, "note", GRID_MARK_COMMENT);
    m_view->Set(1, 2, "Forced", GRID_MARK_FORCED);
    Grid().RefreshCells();

    EXPECT_EQ(m_table->model()->rowCount(), kRows);
    EXPECT_EQ(m_table->model()->columnCount(), kColumns);
    EXPECT_EQ(m_table->model()->headerData(2, Qt::Horizontal).toString(), "Type");
    EXPECT_EQ(m_table->columnWidth(3), 150);
    EXPECT_TRUE(m_table->verticalHeader()->isVisible());
    EXPECT_EQ(m_table->verticalHeader()->width(), 15);

    EXPECT_EQ(Index(1, 0).data().toString(), "Plain");
    EXPECT_FALSE(Index(1, 0).data(Qt::ForegroundRole).isValid());
    EXPECT_EQ(Index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(Index(3, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
    EXPECT_EQ(Index(1, 2).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 0));
    EXPECT_FALSE(Index(0, 0).flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(Index(2, 0).flags() & Qt::ItemIsEditable);

    m_table->resize(440, 180);
    const QImage picture = m_view->grab().toImage();
    EXPECT_FALSE(picture.isNull());
    const std::string path = QCoreApplication::applicationDirPath().toStdString() + "/grid_control.png";
    EXPECT_TRUE(picture.save(QString::fromStdString(path)));
}

// The cells as drawn: the viewport alone, as a refresh repaints it.
QImage CellsPicture(QTableView* table)
{
    QImage picture(table->viewport()->size(), QImage::Format_RGB32);
    table->viewport()->render(&picture);
    return picture;
}

// How many pixels of a cell, inside its grid lines, have the colour.
int CountInCell(const QImage& picture, const QRect& cell, const QColor& colour)
{
    int count = 0;
    for (int y = cell.top() + 1; y < cell.bottom(); ++y)
        for (int x = cell.left() + 1; x < cell.right(); ++x)
            count += picture.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

// Pixels of a cell, inside its grid lines, that differ from the colour.
int CountNotInCell(const QImage& picture, const QRect& cell, const QColor& colour)
{
    const QRect inner = cell.adjusted(1, 1, -1, -1);
    return inner.width() * inner.height() - CountInCell(picture, cell, colour);
}

TEST_F(GridControlTest, CellsAreDrawnByTheirMarksAndStayTheSameFromRepaintToRepaint)
{
    m_view->Set(1, 0, "Plain");
    m_view->Set(1, 1, "Broken", GRID_MARK_ERROR);
    m_view->Set(3, 1, "note", GRID_MARK_COMMENT);
    m_view->Set(1, 2, "Forced", GRID_MARK_FORCED);
    m_view->Set(3, 0, std::string(80, 'W'));
    Grid().RefreshCells();
    Grid().SetSelectRange(2, 2, 3, 3);

    const QImage first = CellsPicture(m_table);
    const QColor base = m_table->palette().color(QPalette::Active, QPalette::Base);
    const QColor highlight = m_table->palette().color(QPalette::Active, QPalette::Highlight);
    struct Probe {
        const char* what;
        int column;
        int row;
        QColor colour;
        bool present;
    };
    const Probe probes[] = {
        {"error text is red", 1, 1, QColor(255, 0, 0), true},
        {"comment text is green", 3, 1, QColor(0, 128, 0), true},
        {"plain text is not red", 1, 0, QColor(255, 0, 0), false},
        {"a forced cell is yellow", 1, 2, QColor(255, 255, 0), true},
        {"a selected cell is lit", 2, 3, highlight, true},
    };
    for (const Probe& probe : probes) {
        const int count = CountInCell(first, m_table->visualRect(Index(probe.column, probe.row)), probe.colour);
        EXPECT_EQ(count > 0, probe.present) << probe.what << ": " << count;
    }
    EXPECT_GT(CountNotInCell(first, m_table->visualRect(Index(1, 0)), base), 0) << "plain text is drawn";
    EXPECT_EQ(CountNotInCell(first, m_table->visualRect(Index(2, 0)), base), 0) << "an empty cell stays blank";
    // A text wider than its cell stays inside it: the cell beyond the last
    // column is blank, not covered by the rest of the Ws.
    const QRect wide = m_table->visualRect(Index(3, 0));
    const QRect beyond(wide.right() + 2, wide.top(), first.width() - wide.right() - 2, wide.height());
    ASSERT_GT(beyond.width(), 2);
    EXPECT_EQ(CountNotInCell(first, beyond, base), 0);

    // Texts seen again are drawn from their kept layout: not a pixel moves.
    const QImage second = CellsPicture(m_table);
    const QImage third = CellsPicture(m_table);
    EXPECT_EQ(second, first);
    EXPECT_EQ(third, first);
}

TEST_F(GridControlTest, RowsAreInsertedAndRemovedWithTheSelectionKeptInside)
{
    ASSERT_TRUE(Grid().InsertRows(4, 2));
    EXPECT_EQ(m_table->model()->rowCount(), 6);
    ASSERT_TRUE(Grid().SetFocusCell(1, 5));
    ASSERT_TRUE(Grid().RemoveRows(3, 3));
    EXPECT_EQ(Grid().GetGridRowCount(), 3);
    EXPECT_EQ(Grid().GetCore().GetActiveRow(), 2);
    EXPECT_EQ(Selection().lastRow, 2);
    EXPECT_FALSE(Grid().RemoveRows(2, 5));
    EXPECT_FALSE(Grid().InsertRows(9, 1));
}

TEST_F(GridControlTest, EditorsAreMadeByTheHostAndSaveThroughIt)
{
    ASSERT_TRUE(Grid().SetFocusCell(1, 0));
    m_table->edit(Index(1, 0));
    auto* edit = qobject_cast<QLineEdit*>(m_table->focusWidget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->maxLength(), 8);
    QTest::keyClicks(edit, "MotorSpeed");
    Grid().SaveModifyed();
    EXPECT_FALSE(Grid().IsEditing());
    ASSERT_FALSE(m_view->saved.empty());
    EXPECT_EQ(m_view->saved.back(), (SavedCell {1, 0, "MotorSpe"}));

    ASSERT_TRUE(Grid().SetFocusCell(2, 1));
    m_table->edit(Index(2, 1));
    auto* combo = qobject_cast<QComboBox*>(m_table->focusWidget());
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    combo->setCurrentIndex(1);
    // Moving to another cell ends the edit and stores it.
    ASSERT_TRUE(Grid().SetFocusCell(1, 1));
    EXPECT_EQ(m_view->saved.back(), (SavedCell {2, 1, "WORD"}));
    EXPECT_EQ(m_view->createdIds, (std::vector<UINT> {kNameEditorId, kTypeEditorId}));

    // No editor on the read-only column or where the host refuses one.
    m_view->lockedColumn = 3;
    m_view->lockedRow = 2;
    for (const QModelIndex& cell : {Index(0, 0), Index(3, 2)}) {
        m_table->edit(cell);
        EXPECT_FALSE(Grid().IsEditing());
    }
}

TEST_F(GridControlTest, SelectionFocusAndHitTesting)
{
    ASSERT_TRUE(Grid().SetSelectRange(3, 1, 2, 0));
    int firstCol = -1, lastCol = -1, firstRow = -1, lastRow = -1;
    Grid().GetSelectRange(firstCol, lastCol, firstRow, lastRow);
    EXPECT_EQ((std::vector<int> {firstCol, lastCol, firstRow, lastRow}), (std::vector<int> {1, 3, 0, 2}));
    EXPECT_EQ(m_table->selectionModel()->selectedIndexes().size(), 9);

    // Clicks select in the view and reach the core.
    QTest::mouseClick(m_table->viewport(), Qt::LeftButton, {}, m_table->visualRect(Index(2, 3)).center());
    EXPECT_EQ(Selection().firstCol, 2);
    EXPECT_EQ(Selection().firstRow, 3);
    ASSERT_FALSE(m_view->activeCells.empty());
    EXPECT_EQ(m_view->activeCells.back(), (SavedCell {2, 3, {}}));

    const CPoint centre = CellCentre(3, 1);
    EXPECT_EQ(Grid().XToCol(centre.x), 3);
    EXPECT_EQ(Grid().YToRow(centre.y), 1);
    EXPECT_EQ(Grid().XToCol(5), -1);
    ASSERT_TRUE(Grid().SetFocusCell(centre));
    EXPECT_EQ(Grid().GetCore().GetActiveCol(), 3);
    EXPECT_EQ(Grid().GetCore().GetActiveRow(), 1);
    EXPECT_FALSE(Grid().SetFocusCell(CPoint(5, 5)));
    EXPECT_FALSE(Grid().SetFocusCell(9, 0));

    Grid().SelectAllGridCells();
    EXPECT_EQ(Selection().RowCount(), kRows);
    EXPECT_EQ(Selection().ColCount(), kColumns);

    QTest::mouseClick(m_table->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(m_table->horizontalHeader()->sectionViewportPosition(2) + 10, 5));
    EXPECT_EQ(m_view->headerClicks, std::vector<int> {2});
    Grid().SetSortCol(2, FALSE);
    EXPECT_EQ(Grid().GetSortCol(), 2);
    EXPECT_EQ(m_table->horizontalHeader()->sortIndicatorSection(), 2);
}

TEST_F(GridControlTest, EnterMovesOnAndDeleteClearsThroughTheHost)
{
    ASSERT_TRUE(Grid().SetFocusCell(2, 0));
    m_table->setFocus();
    QTest::keyClick(m_table, Qt::Key_Return);
    EXPECT_EQ(Grid().GetCore().GetActiveCol(), 3);
    QTest::keyClick(m_table, Qt::Key_Return);
    EXPECT_EQ(Grid().GetCore().GetActiveCol(), 1);
    EXPECT_EQ(Grid().GetCore().GetActiveRow(), 1);
    ASSERT_TRUE(Grid().SetFocusCell(3, kRows - 1));
    QTest::keyClick(m_table, Qt::Key_Return);
    EXPECT_EQ(Grid().GetCore().GetActiveRow(), kRows - 1) << "the last cell stays";

    m_view->Set(1, 1, "A");
    m_view->Set(3, 1, "B");
    ASSERT_TRUE(Grid().SetSelectRange(0, 3, 1, 1));
    QTest::keyClick(m_table, Qt::Key_Delete);
    EXPECT_EQ(m_view->Cell(0, 1), "2") << "the read-only column is not cleared";
    EXPECT_EQ(m_view->Cell(1, 1), "");
    EXPECT_EQ(m_view->Cell(3, 1), "");
    EXPECT_EQ(m_view->keys, (std::vector<UINT> {VK_RETURN, VK_RETURN, VK_RETURN, VK_DELETE}));
}

TEST_F(GridControlTest, CopyAndCutPutTextAndTheGridFormatOnTheClipboard)
{
    m_view->Set(1, 1, "X1");
    m_view->Set(2, 1, "BOOL");
    m_view->Set(1, 2, "X2");
    ASSERT_TRUE(Grid().SetSelectRange(1, 2, 1, 2));
    ASSERT_TRUE(m_view->OnEditCopy());
    std::string text;
    ASSERT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "X1\tBOOL\r\nX2\t\r\n");
    std::vector<BYTE> format;
    ASSERT_TRUE(m_clipboard.GetData(CClipboard::RegisterFormat(kGridCellsFormat), &format));
    EXPECT_EQ(std::string(format.begin(), format.end()), "7,1,2,2");

    ASSERT_TRUE(m_view->OnEditCut());
    EXPECT_EQ(m_view->Cell(1, 1), "");
    EXPECT_EQ(m_view->Cell(2, 1), "");
    ASSERT_TRUE(GetClipboardText(text));
    EXPECT_EQ(text, "X1\tBOOL\r\nX2\t\r\n");

    ASSERT_TRUE(SetClipboardText("plain"));
    EXPECT_FALSE(m_clipboard.IsFormatAvailable(CClipboard::RegisterFormat(kGridCellsFormat)));
}

TEST_F(GridControlTest, PasteGivesEachResultCode)
{
    struct Case {
        const char* name;
        const char* text; // null: no text on the clipboard
        const char* format; // null: plain text from elsewhere
        CCPGridRange selection;
        int result;
    };
    const Case cases[] = {
        {"grid copy into its own shape", "a\tBOOL\r\nb\tWORD\r\n", "7,1,2,2", {1, 2, 0, 1}, GRID_PASTE_OK},
        {"plain text from one cell", "c\td\r\n", nullptr, {2, 2, 3, 3}, GRID_PASTE_OK},
        {"selection of another shape", "a\tb\r\n", nullptr, {1, 3, 0, 0}, GRID_PASTE_SHAPE_DIFFERS},
        {"runs past the last row", "a\r\nb\r\n", nullptr, {1, 1, 3, 3}, GRID_PASTE_SHAPE_DIFFERS},
        {"empty clipboard", nullptr, nullptr, {1, 1, 0, 0}, GRID_PASTE_NO_DATA},
        {"ragged lines", "a\tb\r\nc\r\n", nullptr, {1, 2, 0, 1}, GRID_PASTE_BAD_FORMAT},
        {"empty text", "", nullptr, {1, 1, 0, 0}, GRID_PASTE_BAD_FORMAT},
        {"broken grid format", "a\r\n", "7;1", {1, 1, 0, 0}, GRID_PASTE_BAD_FORMAT},
        {"number past any row", "a\r\n", "7,1,99999999999,1", {1, 1, 0, 0}, GRID_PASTE_BAD_FORMAT},
        {"grid format of another shape", "a\r\n", "7,1,2,1", {1, 1, 0, 1}, GRID_PASTE_BAD_FORMAT},
        {"other start column", "a\r\n", "7,3,1,1", {1, 1, 0, 0}, GRID_PASTE_START_COLUMN_DIFFERS},
        {"other table type", "a\r\n", "9,1,1,1", {1, 1, 0, 0}, GRID_PASTE_TABLE_TYPE_DIFFERS},
    };
    const UINT gridFormat = CClipboard::RegisterFormat(kGridCellsFormat);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_clipboard.Empty();
        if (c.text)
            m_clipboard.SetText(c.text);
        if (c.format)
            m_clipboard.SetData(gridFormat, std::vector<BYTE>(c.format, c.format + std::strlen(c.format)));
        ASSERT_TRUE(Grid().SetSelectRange(c.selection.firstCol, c.selection.lastCol, c.selection.firstRow,
                                          c.selection.lastRow));
        m_view->saved.clear();
        EXPECT_EQ(m_view->OnEditPaste(), c.result);
        if (c.result != GRID_PASTE_OK) {
            EXPECT_TRUE(m_view->saved.empty());
        }
    }
    EXPECT_EQ(m_view->Cell(1, 1), "b");
    EXPECT_EQ(m_view->Cell(2, 1), "WORD");
    EXPECT_EQ(m_view->Cell(2, 3), "c");
    EXPECT_EQ(m_view->Cell(3, 3), "d");
}

TEST_F(GridControlTest, PastedTextSkipsTheReadOnlyColumn)
{
    ASSERT_TRUE(SetClipboardText("9\tName\r\n"));
    ASSERT_TRUE(Grid().SetSelectRange(0, 1, 2, 2));
    EXPECT_EQ(m_view->OnEditPaste(), GRID_PASTE_OK);
    EXPECT_EQ(m_view->Cell(0, 2), "3");
    EXPECT_EQ(m_view->Cell(1, 2), "Name");
}

} // namespace
