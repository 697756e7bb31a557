// Drawing a parallel branch: clicks snapped to cell boundaries on the rung
// line, the points of the path, its completion by the third or fourth
// click with the start and end cells on the first click's row, and the
// preview in black and red.

#include "ladder/CLDBranchTracker.h"
#include "ladder/CLDEditor.h"
#include "ladder/CLDProgram.h"
#include "model/AppDataFixture.h"
#include "platform/CRecordingDC.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr const char* BLACK_PEN_CALL = "SelectPen(0,1,RGB(0,0,0))";
constexpr const char* RED_PEN_CALL = "SelectPen(0,1,RGB(250,0,0))";

// The calls of a line from (x1, y1) to (x2, y2).
std::vector<std::string> LineCalls(int x1, int y1, int x2, int y2)
{
    return {"MoveTo(" + std::to_string(x1) + "," + std::to_string(y1) + ")",
            "LineTo(" + std::to_string(x2) + "," + std::to_string(y2) + ")"};
}

// Whether the calls hold the sequence, in order and back to back.
bool Holds(const std::vector<std::string>& calls, const std::vector<std::string>& sequence)
{
    return std::search(calls.begin(), calls.end(), sequence.begin(), sequence.end()) != calls.end();
}

size_t Position(const std::vector<std::string>& calls, const std::vector<std::string>& sequence)
{
    return static_cast<size_t>(std::search(calls.begin(), calls.end(), sequence.begin(), sequence.end()) -
                               calls.begin());
}

} // namespace

class LDBranchTrackerTest : public AppDataFixture {};

TEST_F(LDBranchTrackerTest, ClicksSnapToTheNearestCellBoundaryOnTheRungLine)
{
    CLDProgram program(*m_app, nullptr);
    const CLDEditor& editor = program.GetLDEditor();
    struct Case {
        int x;
        int y;
        CPoint snapped;
    } cases[] = {
        {151, 90, CPoint(200, 105)},
        {150, 90, CPoint(100, 105)},
        {249, 80, CPoint(200, 105)},
        {0, 119, CPoint(0, 105)},
        {99, 0, CPoint(100, 25)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(editor.SnapToGrid(c.x, c.y), c.snapped);
    }
}

TEST_F(LDBranchTrackerTest, ThePathCompletesOnTheFirstRowByTheThirdOrFourthClick)
{
    struct Click {
        int x;
        int y;
        int result;
    };
    struct Case {
        const char* name;
        std::vector<Click> clicks;
        CPoint start;
        CPoint end;
    } cases[] = {
        {"down, across and back up",
         {{200, 105, 1}, {500, 185, 2}, {500, 185, 3}, {500, 105, 4}},
         CPoint(2, 2),
         CPoint(4, 2)},
        {"the third click back on the rung row completes at once",
         {{200, 105, 1}, {300, 185, 2}, {600, 107, 4}},
         CPoint(2, 2),
         CPoint(5, 2)},
        {"a path drawn upwards keeps the first click's row",
         {{100, 225, 1}, {100, 145, 2}, {300, 145, 3}, {300, 225, 4}},
         CPoint(1, 5),
         CPoint(2, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CLDBranchTracker tracker;
        CPoint start(-1, -1);
        CPoint end(-1, -1);
        for (const Click& click : c.clicks)
            EXPECT_EQ(tracker.AddPoint(click.x, click.y, &start, &end), click.result);
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(end, c.end);
        // Complete, the tracker starts over.
        EXPECT_EQ(tracker.GetCount(), 0);
        EXPECT_EQ(tracker.GetPoint(0), CPoint(-1, -1));
    }

    // The second point lies straight below the first; the third on the second's row.
    CLDBranchTracker tracker;
    CPoint start;
    CPoint end(-7, -7);
    tracker.AddPoint(200, 105, &start, &end);
    EXPECT_EQ(start, CPoint(2, 2));
    EXPECT_EQ(end, CPoint(-7, -7));
    tracker.AddPoint(700, 185, &start, &end);
    EXPECT_EQ(tracker.GetPoint(1), CPoint(200, 185));
    tracker.AddPoint(400, 300, &start, &end);
    EXPECT_EQ(tracker.GetPoint(2), CPoint(400, 185));
    // Reset forgets the points, not the mouse.
    tracker.SetMouse(33, 44);
    tracker.Reset();
    EXPECT_EQ(tracker.GetCount(), 0);
    EXPECT_EQ(tracker.GetMouse(), CPoint(33, 44));
}

TEST_F(LDBranchTrackerTest, PreviewDrawsThePathInBlackAndTheFollowingPartInRed)
{
    CLDBranchTracker tracker;
    CRecordingDC dc;
    tracker.SetMouse(450, 190);
    tracker.Draw(&dc, 0, 0);
    EXPECT_TRUE(dc.Calls().empty());

    // One point: a red line down to the mouse and a red contact there; scrolled by (100, 40).
    tracker.AddPoint(200, 105, nullptr, nullptr);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.ClearCalls();
    tracker.Draw(&dc, 100, 40);
    std::vector<std::string> calls = dc.Calls();
    EXPECT_EQ(calls.front(), RED_PEN_CALL);
    EXPECT_TRUE(Holds(calls, LineCalls(100, 65, 100, 150)));
    EXPECT_TRUE(Holds(calls, LineCalls(100, 150, 140, 150)));
    EXPECT_TRUE(Holds(calls, LineCalls(140, 140, 140, 160)));
    EXPECT_TRUE(Holds(calls, LineCalls(160, 140, 160, 160)));
    EXPECT_TRUE(Holds(calls, LineCalls(160, 150, 200, 150)));
    EXPECT_EQ(std::count(calls.begin(), calls.end(), BLACK_PEN_CALL), 0);
    EXPECT_EQ(dc.GetTextColor(), RGB(1, 2, 3));

    // Two points: the path down and its contact in black, then red across and to the mouse.
    tracker.AddPoint(200, 185, nullptr, nullptr);
    dc.ClearCalls();
    tracker.Draw(&dc, 0, 0);
    calls = dc.Calls();
    const size_t black = Position(calls, {BLACK_PEN_CALL});
    const size_t red = Position(calls, {RED_PEN_CALL});
    EXPECT_LT(black, Position(calls, LineCalls(200, 105, 200, 185)));
    EXPECT_LT(Position(calls, LineCalls(260, 175, 260, 195)), red);
    EXPECT_LT(red, Position(calls, LineCalls(300, 185, 450, 185)));
    EXPECT_LT(red, Position(calls, LineCalls(450, 185, 450, 190)));
    EXPECT_LT(Position(calls, LineCalls(450, 185, 450, 190)), calls.size());

    // Three points: the path across in black, red from the third point to the mouse's row.
    tracker.AddPoint(500, 185, nullptr, nullptr);
    tracker.SetMouse(510, 100);
    dc.ClearCalls();
    tracker.Draw(&dc, 0, 0);
    calls = dc.Calls();
    const size_t across = Position(calls, LineCalls(300, 185, 500, 185));
    const size_t up = Position(calls, LineCalls(500, 185, 500, 100));
    ASSERT_LT(up, calls.size());
    EXPECT_LT(across, Position(calls, {RED_PEN_CALL}));
    EXPECT_LT(Position(calls, {RED_PEN_CALL}), up);
}
