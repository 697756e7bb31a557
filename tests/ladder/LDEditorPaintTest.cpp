// The LD editor's geometry and painting: networks stacked one below another,
// the visible range, the scroll sizes, the live values under the monitor
// lock, and selection and navigation that do not wait for a paint.

#include "ElementFixture.h"
#include "../pouedit/ILProgramFixture.h"
#include "ladder/CComment.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "model/CFindResult.h"
#include "model/CFindState.h"
#include "platform/ui/WinMessages.h"
#include "support/ScriptedUi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <thread>

namespace {

constexpr const char* RED_TEXT = "SetTextColor(RGB(255,0,0))";
constexpr DWORD HOLDER_WAIT_MS = 1000;

std::vector<std::string> NetworksOf(int count)
{
    std::vector<std::string> lines;
    for (int n = 0; n < count; ++n) {
        lines.push_back("(* Network " + std::to_string(n) + " *)");
        lines.push_back("LD %I0." + std::to_string(n % 8));
        if (n % 2 == 1)
            lines.push_back("OR %I1.0");
        lines.push_back("ST %Q0." + std::to_string(n % 8));
    }
    return lines;
}

int CountCalls(const std::vector<std::string>& calls, const std::string& call)
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

} // namespace

class LDEditorPaintTest : public ElementFixture {
protected:
    void SetUp() override
    {
        ElementFixture::SetUp();
        m_host.clientSize = CSize(800, 400);
        m_program = std::make_unique<CLDProgram>(*m_app, &m_host);
    }
    void TearDown() override
    {
        m_program.reset();
        ElementFixture::TearDown();
    }

    CLDEditor& Editor() { return m_program->GetLDEditor(); }

    void Load(int networks) { ASSERT_TRUE(m_program->LoadFromIL(NetworksOf(networks))); }

    void Paint()
    {
        m_dc.ClearCalls();
        Editor().Draw(&m_dc);
    }

    int HeaderRow(int network) const
    {
        return m_program->GetItems()[size_t(2 * network)]->GetPosition().row;
    }

    FakePOUHost m_host;
    CRecordingDC m_dc {CSize(800, 400)};
    std::unique_ptr<CLDProgram> m_program;
};

TEST_F(LDEditorPaintTest, NetworksStackWithOneBlankRowBetween)
{
    Load(6);
    Paint();
    const auto& rows = Editor().GetFirstRows();
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], 1);
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        const auto& items = m_program->GetItems();
        EXPECT_EQ(HeaderRow(k), rows[size_t(k)]);
        const int headerRows = items[size_t(2 * k)]->GetSize(FALSE).cy;
        const int rootRows = items[size_t(2 * k + 1)]->GetSize(FALSE).cy;
        EXPECT_EQ(items[size_t(2 * k + 1)]->GetPosition().row, rows[size_t(k)] + headerRows);
        EXPECT_EQ(rows[size_t(k + 1)], rows[size_t(k)] + headerRows + rootRows + 1);
    }
    EXPECT_EQ(Editor().GetEndRow(), rows.back());
}

TEST_F(LDEditorPaintTest, EmptyProgramPaintsOnlyTheBackground)
{
    m_program->Clear();
    m_host.totalSize = CSize(123, 456);
    Paint();
    EXPECT_EQ(Editor().GetFirstRows(), std::vector<int>{1});
    EXPECT_EQ(m_host.totalSize, CSize(123, 456));
    EXPECT_EQ(CountCalls(m_dc.Calls(), RED_TEXT), 0);
}

TEST_F(LDEditorPaintTest, ScrollHeightLeavesTenRowsBelowTheLastNetwork)
{
    Load(30);
    m_program->SetLayoutChanged(TRUE);
    m_app->FullRedraw = 1;
    Paint();
    const int rows = std::max(m_program->GetExtent().cy, Editor().GetFirstRows().back() + 10);
    EXPECT_EQ(m_host.totalSize, CSize(m_program->GetExtent().cx * LD_CELL_WIDTH, rows * LD_CELL_HEIGHT));
    EXPECT_FALSE(m_program->IsLayoutChanged());
}

// The visible networks for a scroll position and client height, in cells.
struct VisibleCase {
    const char* name;
    int topRow;
    int clientRows;
    int first;
    int last;
};

TEST_F(LDEditorPaintTest, VisibleRangeFollowsTheScrollPosition)
{
    Load(12);
    m_app->FullRedraw = 1;
    Paint();
    m_app->FullRedraw = 0;
    const auto& rows = Editor().GetFirstRows();
    const VisibleCase cases[] = {
        {"top", 0, rows[1], 0, 3},
        {"inside network 3", rows[3] + 1, 1, 3, 5},
        {"exactly on network 4", rows[4], rows[6] - rows[4], 4, 8},
        {"bottom reaches past the last", rows[10], 100, 10, 11},
        {"below every network", rows[12] + 5, 5, 11, 11},
    };
    for (const VisibleCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_host.scrollY = c.topRow * LD_CELL_HEIGHT;
        m_host.clientSize = CSize(800, c.clientRows * LD_CELL_HEIGHT);
        int first = -1;
        int last = -1;
        ASSERT_TRUE(Editor().GetVisibleNetworks(&first, &last));
        EXPECT_EQ(first, c.first);
        EXPECT_EQ(last, c.last);
    }
}

TEST_F(LDEditorPaintTest, GrowthOfAVisibleNetworkShiftsTheNetworksBelow)
{
    Load(12);
    Paint();
    const std::vector<int> before = Editor().GetFirstRows();
    // Network 0 gains a parallel branch: one more row.
    std::vector<std::string> lines = NetworksOf(12);
    lines.insert(lines.begin() + 2, "OR %I2.0");
    ASSERT_TRUE(m_program->LoadFromIL(lines));
    // Keep the stored rows of the networks below the visible range.
    m_host.clientSize = CSize(800, 2 * LD_CELL_HEIGHT);
    Paint();
    const auto& after = Editor().GetFirstRows();
    ASSERT_EQ(after.size(), before.size());
    for (size_t k = 1; k + 1 < after.size(); ++k)
        EXPECT_EQ(after[k], before[k] + 1) << k;
}

TEST_F(LDEditorPaintTest, GeometryConvertsPixelsToCells)
{
    CPoint cell;
    EXPECT_FALSE(Editor().PointToCell(-1, 5, &cell, FALSE));
    m_host.scrollX = 2 * LD_CELL_WIDTH;
    m_host.scrollY = 3 * LD_CELL_HEIGHT + 7;
    ASSERT_TRUE(Editor().PointToCell(250, 95, &cell, TRUE));
    EXPECT_EQ(cell, CPoint(4, 5));
    ASSERT_TRUE(Editor().PointToCell(250, 95, &cell, FALSE));
    EXPECT_EQ(cell, CPoint(2, 2));
    EXPECT_EQ(Editor().SnapToGrid(151, 41), CPoint(200, 65));
    EXPECT_EQ(Editor().SnapToGrid(150, 79), CPoint(100, 65));
}

TEST_F(LDEditorPaintTest, LiveValuesOnlyWhileMonitoringAndTheLockIsFree)
{
    Load(2);
    Editor().OnInitialUpdate();
    m_app->Monitoring = 1;
    Paint();
    const std::vector<std::string> live = m_dc.Calls();

    std::promise<void> held;
    std::promise<void> release;
    std::thread holder([&] {
        while (!m_app->MonitorValueLock.Lock(HOLDER_WAIT_MS)) {}
        held.set_value();
        release.get_future().wait();
        m_app->MonitorValueLock.Unlock();
    });
    held.get_future().wait();
    Paint();
    release.set_value();
    holder.join();
    m_app->Monitoring = 0;

    // The paint without the lock is the diagram alone; the live values follow it in red.
    const std::vector<std::string>& diagram = m_dc.Calls();
    ASSERT_LT(diagram.size(), live.size());
    EXPECT_TRUE(std::equal(diagram.begin(), diagram.end(), live.begin()));
    EXPECT_EQ(live[diagram.size()], RED_TEXT);
}

TEST_F(LDEditorPaintTest, ClickSelectsWithoutAPaint)
{
    Load(3);
    // The contact of network 1 sits in the root's first row, next to the rail.
    Editor().LayoutAll();
    const CLDCellRect root = m_program->GetItems()[3]->GetPosition();
    m_program->ClearCellMap();
    Editor().OnLButtonDown(0, root.column * LD_CELL_WIDTH + 5, root.row * LD_CELL_HEIGHT + 5);
    ASSERT_NE(m_program->GetSelection(), nullptr);
    EXPECT_EQ(m_program->GetSelection()->GetPosition().row, root.row);
}

TEST_F(LDEditorPaintTest, GoToLineScrollsToTheNetworkWithoutAPaint)
{
    Load(20);
    ASSERT_TRUE(m_program->GoToLine(15));
    EXPECT_EQ(m_host.scrollY, Editor().GetFirstRows()[15] * LD_CELL_HEIGHT);
    EXPECT_EQ(m_host.scrollY, HeaderRow(15) * LD_CELL_HEIGHT);
    m_host.scrollY = 0;
    EXPECT_FALSE(m_program->GoToLine(21));
    EXPECT_FALSE(m_program->GoToLine(-1));
    EXPECT_EQ(m_host.scrollY, 0);
}

TEST_F(LDEditorPaintTest, SelectAllBandsEveryNetworkInBlack)
{
    Load(4);
    Editor().OnEditSelectAll();
    EXPECT_TRUE(Editor().IsNetworkSelection());
    EXPECT_EQ(Editor().GetSelectionFirst(), 0);
    EXPECT_EQ(Editor().GetSelectionLast(), 3);
    EXPECT_EQ(Editor().GetBandTop(), LD_CELL_HEIGHT);
    EXPECT_EQ(Editor().GetBandBottom(), Editor().GetEndRow() * LD_CELL_HEIGHT);
    Paint();
    const std::string band = "FillSolidRect(0," + std::to_string(Editor().GetBandTop()) + ",800," +
                             std::to_string(Editor().GetBandBottom()) + ",RGB(0,0,0))";
    EXPECT_EQ(CountCalls(m_dc.Calls(), band), 1);

    m_app->Monitoring = 1;
    Editor().UpdateMonitorDisplay();
    EXPECT_FALSE(Editor().IsNetworkSelection());
    Editor().OnEditSelectAll();
    EXPECT_FALSE(Editor().IsNetworkSelection());
    m_app->Monitoring = 0;
}

TEST_F(LDEditorPaintTest, HeaderIndexForRowFindsTheNetworkAbove)
{
    Load(5);
    Editor().LayoutAll();
    const auto& rows = Editor().GetFirstRows();
    const struct {
        int row;
        int header;
    } cases[] = {
        {0, 0}, {1, 0}, {rows[1], 2}, {rows[3] + 1, 6}, {rows[4], 8}, {rows[5], 8}, {rows[5] + 50, 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Editor().HeaderIndexForRow(c.row), c.header) << c.row;
}

TEST_F(LDEditorPaintTest, DeletingMiddleNetworksMovesTheRestUpAndRenumbers)
{
    Load(5);
    Editor().LayoutAll();
    const std::vector<int> before = Editor().GetFirstRows();
    Editor().SelectNetworksByRows(1, before[1], 1, before[2] + 1);
    ASSERT_TRUE(Editor().IsNetworkSelection());
    EXPECT_EQ(Editor().GetSelectionFirst(), 1);
    EXPECT_EQ(Editor().GetSelectionLast(), 2);
    const int undo = m_program->GetUndoCount();
    Editor().DeleteSelectedNetworks();

    ASSERT_EQ(m_program->GetNetworkCount(), 3);
    const int removed = before[3] - before[1];
    EXPECT_EQ(Editor().GetFirstRows(), (std::vector<int> {before[0], before[3] - removed, before[4] - removed,
                                                          before[5] - removed}));
    for (int k = 0; k < 3; ++k)
        EXPECT_EQ(static_cast<CComment*>(m_program->GetItems()[size_t(2 * k)].get())->GetNetworkNumber(), k);
    EXPECT_EQ(m_program->GetUndoCount(), undo + 1);
    EXPECT_FALSE(Editor().IsNetworkSelection());
    // The kept table agrees with a fresh layout.
    const std::vector<int> kept = Editor().GetFirstRows();
    Editor().LayoutAll();
    EXPECT_EQ(Editor().GetFirstRows(), kept);
}

TEST_F(LDEditorPaintTest, DeletingEveryNetworkLeavesOnlyTheEndRow)
{
    Load(3);
    Editor().OnEditSelectAll();
    Editor().DeleteSelectedNetworks();
    EXPECT_EQ(m_program->GetNetworkCount(), 0);
    EXPECT_EQ(Editor().GetFirstRows(), std::vector<int> {1});
    Paint();
}

TEST_F(LDEditorPaintTest, ArrowKeysMoveTheFocusFromAnEmptyCell)
{
    Load(2);
    Editor().OnInitialUpdate();
    Editor().LayoutAll();
    const CLDCellRect root = m_program->GetItems()[1]->GetPosition();
    // The empty cell left of the rung: column 0 of the root's row.
    EXPECT_FALSE(Editor().SelectAtPoint(5, root.row * LD_CELL_HEIGHT + 5));
    EXPECT_EQ(Editor().GetFocusRect(), CRect(0, root.row * LD_CELL_HEIGHT, LD_CELL_WIDTH, (root.row + 1) * LD_CELL_HEIGHT));
    Editor().MoveFocus(VK_RIGHT);
    ASSERT_NE(m_program->GetSelection(), nullptr);
    EXPECT_EQ(m_program->GetSelection()->GetPosition().column, 1);
    EXPECT_EQ(m_program->GetSelection()->GetPosition().row, root.row);
    Paint();
    EXPECT_EQ(Editor().GetFocusRect().left, LD_CELL_WIDTH);
    // Up from row 0 goes nowhere; left from column 0 neither.
    EXPECT_FALSE(Editor().SelectAtPoint(5, 5));
    Editor().MoveFocus(VK_UP);
    Editor().MoveFocus(VK_LEFT);
    EXPECT_EQ(Editor().GetFocusRect(), CRect(0, 0, LD_CELL_WIDTH, LD_CELL_HEIGHT));
}

TEST_F(LDEditorPaintTest, FindResultOfADeletedElementIsReportedNotShown)
{
    CScopedUi ui;
    Load(4);
    ASSERT_TRUE(m_program->Find("%Q0.3", LD_FIND_REPORT));
    ASSERT_FALSE(m_app->Find.Results.empty());
    const auto& results = m_app->Find.Results;
    const auto hit = std::find_if(results.begin(), results.end(), [](const CFindResult& r) { return r.Element; });
    ASSERT_NE(hit, results.end());
    const int result = static_cast<int>(hit - results.begin());
    const CFindResult record = *hit;
    ASSERT_TRUE(Editor().ShowFindResult(result, record.RowOrColumn, record.ColumnOrRow));
    EXPECT_GT(m_host.scrollY, 0);

    m_host.scrollY = 0;
    Editor().SelectNetworksByRows(1, Editor().GetFirstRows()[3], 1, Editor().GetFirstRows()[3]);
    Editor().DeleteSelectedNetworks();
    ASSERT_EQ(m_program->GetNetworkCount(), 3);
    EXPECT_FALSE(Editor().ShowFindResult(result, record.RowOrColumn, record.ColumnOrRow));
    EXPECT_FALSE(m_program->GoToFindResult(result, record.RowOrColumn, record.ColumnOrRow));
    EXPECT_EQ(m_host.scrollY, 0);
    ASSERT_EQ(ui.box.Texts().size(), 2u);
    EXPECT_EQ(ui.box.Texts()[0], "\xB5\xB1\xC7\xB0\xCE\xBB\xD6\xC3\xB6\xD4\xD3\xA6\xB5\xC4\xD4\xAA\xBC\xFE\xB2\xBB"
                                        "\xB4\xE6\xD4\xDA\xA3\xAC\xC7\xEB\xD6\xD8\xD0\xC2\xB2\xE9\xD5\xD2");
}

// Networks given as (columns, rows) on a page of 1200 x 1600 print units.
struct PageCase {
    const char* name;
    std::vector<CSize> networks;
    std::vector<int> tops;
    std::vector<float> scales;
    std::vector<int> pageBreaks;
};

TEST(LDPrintPages, NetworksAreDistributedAndScaledOverPages)
{
    constexpr float PAGE_WIDTH = 1200;
    constexpr float PAGE_HEIGHT = 1600;
    const PageCase cases[] = {
        {"nothing to print", {}, {}, {}, {}},
        {"one small network", {CSize(4, 2)}, {140}, {1.0f}, {1}},
        {"too wide: fitted to the width", {CSize(20, 2)}, {140}, {0.5f}, {1}},
        {"too tall and too wide: the smaller factor", {CSize(11, 40)}, {140}, {1360.0f / 1680.0f}, {1}},
        {"third does not fit below the second", {CSize(4, 10), CSize(4, 10), CSize(4, 10)}, {140, 660, 140},
         {1.0f, 1.0f, 1.0f}, {3, 5}},
        {"wide network below another keeps its width scale", {CSize(4, 2), CSize(40, 10)}, {140, 340},
         {1.0f, 0.25f}, {3}},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.name);
        CLDEditor::CPrintLayout layout;
        CLDEditor::DistributeNetworks(c.networks, PAGE_WIDTH, PAGE_HEIGHT, &layout);
        EXPECT_EQ(layout.tops, c.tops);
        ASSERT_EQ(layout.scales.size(), c.scales.size());
        for (size_t k = 0; k < c.scales.size(); ++k)
            EXPECT_FLOAT_EQ(layout.scales[k], c.scales[k]) << k;
        EXPECT_EQ(layout.pageBreaks, c.pageBreaks);
    }
}
