// Dragging panes: the edge rules, the outline shapes, the targets under the
// pointer in the program's frame, and whole drags with the mouse.

#include "DockingFixture.h"

#include "platform/CSystemMetrics.h"
#include "toolkit/docking/CTKDockingPaneDragTracker.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneMiniWnd.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

struct SideCase {
    const char* name;
    CPoint point;
    BOOL inside;
    BOOL found;
    int side;
    CRect preview;
};

TEST(DockingDragRulesTest, TheNearestEdgeWithinTheBandChoosesTheSide)
{
    const CRect rect(100, 100, 300, 200);
    const SideCase cases[] = {
        {"near the top", {200, 105}, TRUE, TRUE, 2, CRect(100, 100, 300, 150)},
        {"near the bottom", {200, 190}, TRUE, TRUE, 3, CRect(100, 150, 300, 200)},
        {"near the left", {110, 150}, TRUE, TRUE, 0, CRect(100, 100, 200, 200)},
        {"near the right", {295, 150}, TRUE, TRUE, 1, CRect(200, 100, 300, 200)},
        {"tie of top and left: top first", {110, 110}, TRUE, TRUE, 2, CRect(100, 100, 300, 150)},
        {"left nearer than top", {105, 112}, TRUE, TRUE, 0, CRect(100, 100, 200, 200)},
        {"19 pixels in", {200, 119}, TRUE, TRUE, 2, CRect(100, 100, 300, 150)},
        {"20 pixels in", {200, 120}, TRUE, FALSE, 0, CRect()},
        {"middle", {200, 150}, TRUE, FALSE, 0, CRect()},
        {"outside when inside is asked", {200, 95}, TRUE, FALSE, 0, CRect()},
        {"just above, from outside", {200, 90}, FALSE, TRUE, 2, CRect(100, 100, 300, 150)},
        {"on the edge, from outside", {200, 100}, FALSE, TRUE, 2, CRect(100, 100, 300, 150)},
        {"just inside, from outside", {200, 105}, FALSE, FALSE, 0, CRect()},
        {"beyond the right, from outside", {310, 150}, FALSE, TRUE, 1, CRect(200, 100, 300, 200)},
    };
    for (const SideCase& c : cases) {
        int side = -1;
        CRect preview;
        const BOOL found = CTKDockingPaneDragTracker::ChooseSide(rect, c.point.x, c.point.y, c.inside, &side, &preview);
        EXPECT_EQ(found, c.found) << c.name;
        if (!found || !c.found)
            continue;
        EXPECT_EQ(side, c.side) << c.name;
        EXPECT_EQ(preview, c.preview) << c.name;
    }
}

struct OutlineCase {
    const char* name;
    BOOL tab;
    QPoint point;
    bool in;
};

TEST(DockingDragRulesTest, OutlinesAreAFrameOrATabShapeOpenAtItsSeam)
{
    const CRect rect(0, 0, 200, 100);   // tab shape: body to 80, tab from x 5 to 55
    const OutlineCase cases[] = {
        {"frame corner", FALSE, {0, 0}, true},
        {"frame inner edge", FALSE, {3, 50}, true},
        {"frame inside", FALSE, {4, 50}, false},
        {"frame bottom", FALSE, {100, 99}, true},
        {"body top", TRUE, {100, 2}, true},
        {"body bottom away from the tab", TRUE, {100, 78}, true},
        {"seam between body and tab is open", TRUE, {30, 78}, false},
        {"tab's left side", TRUE, {6, 90}, true},
        {"tab's bottom", TRUE, {30, 98}, true},
        {"below the body beside the tab", TRUE, {100, 90}, false},
        {"inside the body", TRUE, {100, 40}, false},
    };
    for (const OutlineCase& c : cases)
        EXPECT_EQ(CTKDockingPaneDragTracker::Outline(rect, c.tab, FALSE).contains(c.point), c.in) << c.name;
    EXPECT_TRUE(CTKDockingPaneDragTracker::Outline(rect, TRUE, TRUE).isEmpty());
}

class DockingDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        ASSERT_TRUE(frame.Open(CRect(0, 0, 800, 560)));
        Relayout();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        CSystemMetrics::Instance().Reset();
    }
    void Relayout()
    {
        frame.RecalcLayout();
        ProcessEvents();
    }
    CTKDockingPaneTabbedContainer* ContainerOf(UINT id) { return frame.Pane(id)->GetContainer(); }
    CTKDockingPaneLayout* Layout() { return frame.Host().GetLayout(); }
    std::vector<int> Actions() const
    {
        std::vector<int> actions;
        for (const auto& notice : frame.notices) {
            if (notice.kind == CTKDockingPaneHost::kNotifyAction)
                actions.push_back(notice.action);
        }
        return actions;
    }
    bool Announced(int action) const
    {
        const std::vector<int> actions = Actions();
        return std::find(actions.begin(), actions.end(), action) != actions.end();
    }
    // A point of a container's caption, in its client coordinates.
    static QPoint Caption() { return QPoint(30, 8); }
    // Presses on the output's caption and runs the steps inside the drag loop.
    void DragOutput(const std::vector<std::function<void(CWnd*)>>& steps)
    {
        CTKDockingPaneTabbedContainer* output = ContainerOf(kOutputPane);
        ASSERT_EQ(output->HitTest(30, 8), CTKDockingPaneTabbedContainer::kHitCaption);
        QTimer::singleShot(0, [output, steps]() {
            for (const auto& step : steps)
                step(output);
        });
        QTest::mousePress(output, Qt::LeftButton, {}, Caption());
        ProcessEvents();
    }
    static std::function<void(CWnd*)> MoveTo(CPoint screen)
    {
        return [screen](CWnd* wnd) { QTest::mouseMove(wnd, wnd->mapFromGlobal(QPoint(screen.x, screen.y))); };
    }
    static std::function<void(CWnd*)> ReleaseAt(CPoint screen)
    {
        return [screen](CWnd* wnd) {
            QTest::mouseRelease(wnd, Qt::LeftButton, {}, wnd->mapFromGlobal(QPoint(screen.x, screen.y)));
        };
    }

    CTKDockingFixtureFrame frame;
};

TEST_F(DockingDragTest, TargetsUnderThePointer)
{
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    const CRect leftRect = left->GetScreenRect();
    const CRect client = Layout()->GetClient()->GetScreenRect();
    const CRect docked = Layout()->GetTopGroup()->GetScreenRect();
    struct TargetCase {
        const char* name;
        CPoint point;
        CTKDockingPaneNode* target;
        BOOL attach;
        int side;
    };
    const TargetCase cases[] = {
        {"caption of the workspace", {leftRect.left + 40, leftRect.top + 6}, left, TRUE, 0},
        {"tab row of the workspace", {leftRect.left + 20, leftRect.bottom - 5}, left, TRUE, 0},
        {"inside its left edge", {leftRect.left + 5, leftRect.CenterPoint().y}, left, FALSE, 0},
        {"inside its right edge", {leftRect.right - 3, leftRect.CenterPoint().y}, left, FALSE, 1},
        {"top of the client area", {client.CenterPoint().x, client.top + 10}, Layout()->GetClient(), FALSE, 2},
        {"middle of the client area", client.CenterPoint(), nullptr, FALSE, 0},
        {"just above the docked area", {docked.CenterPoint().x, docked.top - 10}, Layout()->GetTopGroup(), FALSE, 2},
    };
    for (const TargetCase& c : cases) {
        CTKDockingPaneDragTracker tracker(&frame.Host());
        tracker.Prepare(ContainerOf(kOutputPane), c.point.x, c.point.y);
        tracker.Move(c.point.x, c.point.y, FALSE);
        EXPECT_EQ(tracker.GetTarget(), c.target) << c.name;
        EXPECT_EQ(tracker.IsAttach(), c.attach) << c.name;
        if (c.target && !c.attach) {
            EXPECT_EQ(tracker.GetSide(), c.side) << c.name;
        }
        // Ctrl keeps every drag floating.
        tracker.Move(c.point.x, c.point.y, TRUE);
        EXPECT_EQ(tracker.GetTarget(), nullptr) << c.name;
    }
    // The node never targets itself.
    CTKDockingPaneDragTracker tracker(&frame.Host());
    tracker.Prepare(left, leftRect.left + 40, leftRect.top + 6);
    tracker.Move(leftRect.left + 40, leftRect.top + 6, FALSE);
    EXPECT_NE(tracker.GetTarget(), left);
}

TEST_F(DockingDragTest, DroppingOnACaptionAttachesAsATab)
{
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    const CRect leftRect = left->GetScreenRect();
    const CPoint caption(leftRect.left + 40, leftRect.top + 6);
    bool dragging = false;
    DragOutput({MoveTo(caption), [&](CWnd* wnd) {
                    dragging = CWnd::GetCapture() == wnd;
                    SaveScreenshot("docking_drag_outline.png");
                },
                ReleaseAt(caption)});
    EXPECT_TRUE(dragging);
    EXPECT_EQ(ContainerOf(kOutputPane), left);
    EXPECT_EQ(left->GetPanes().size(), 4u);
    EXPECT_TRUE(Announced(CTKDockingPaneHost::kActionAttaching));
    EXPECT_TRUE(Announced(CTKDockingPaneHost::kActionAttached));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(DockingDragTest, DroppingNearAnEdgeDocksBesideIt)
{
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    const CRect client = Layout()->GetClient()->GetScreenRect();
    const CPoint point(client.right - 5, client.CenterPoint().y);
    DragOutput({MoveTo(point), ReleaseAt(point)});
    CTKDockingPaneTabbedContainer* output = ContainerOf(kOutputPane);
    ASSERT_NE(output, nullptr);
    EXPECT_NE(output, left);
    Relayout();
    // Right of the client area, as high as it.
    EXPECT_GT(output->GetScreenRect().left, client.CenterPoint().x);
    EXPECT_TRUE(Announced(CTKDockingPaneHost::kActionDocked));
}

TEST_F(DockingDragTest, APaneThatMayFloatFloatsAtTheOutline)
{
    frame.Pane(kOutputPane)->SetOptions(CTKDockingPaneItem::kNoClose);
    const CRect client = Layout()->GetClient()->GetScreenRect();
    const CPoint point = client.CenterPoint();
    DragOutput({MoveTo(point), ReleaseAt(point)});
    CTKDockingPaneTabbedContainer* output = ContainerOf(kOutputPane);
    ASSERT_NE(output, nullptr);
    auto* floating = dynamic_cast<CTKDockingPaneMiniWnd*>(output->GetFrame());
    ASSERT_NE(floating, nullptr);
    CRect window;
    floating->GetWindowRect(&window);
    EXPECT_TRUE(window.PtInRect(point));
    EXPECT_TRUE(Announced(CTKDockingPaneHost::kActionFloated));
}

TEST_F(DockingDragTest, CtrlFloatsOverAContainer)
{
    frame.Pane(kOutputPane)->SetOptions(CTKDockingPaneItem::kNoClose);
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    const CRect leftRect = left->GetScreenRect();
    const CPoint caption(leftRect.left + 40, leftRect.top + 6);
    DragOutput({[caption](CWnd* wnd) {
                    QTest::mouseMove(wnd, wnd->mapFromGlobal(QPoint(caption.x, caption.y)));
                    QTest::keyPress(wnd, Qt::Key_Control);
                },
                [caption](CWnd* wnd) {
                    QTest::mouseRelease(wnd, Qt::LeftButton, Qt::ControlModifier,
                                        wnd->mapFromGlobal(QPoint(caption.x, caption.y)));
                }});
    EXPECT_NE(ContainerOf(kOutputPane), left);
    EXPECT_NE(dynamic_cast<CTKDockingPaneMiniWnd*>(ContainerOf(kOutputPane)->GetFrame()), nullptr);
}

TEST_F(DockingDragTest, NothingHappensWithoutARealDragOrAfterEscape)
{
    CTKDockingPaneTabbedContainer* output = ContainerOf(kOutputPane);
    const CPoint press(output->GetScreenRect().left + 30, output->GetScreenRect().top + 8);
    const CPoint nearby(press.x + 4, press.y - 4);
    struct Gesture {
        const char* name;
        std::vector<std::function<void(CWnd*)>> steps;
    };
    const CRect client = Layout()->GetClient()->GetScreenRect();
    const Gesture gestures[] = {
        {"within the threshold", {MoveTo(nearby), ReleaseAt(nearby)}},
        {"escape", {MoveTo(client.CenterPoint()), [](CWnd* wnd) { QTest::keyClick(wnd, Qt::Key_Escape); }}},
    };
    for (const Gesture& g : gestures) {
        frame.Pane(kOutputPane)->SetOptions(CTKDockingPaneItem::kNoClose);
        frame.notices.clear();
        DragOutput(g.steps);
        EXPECT_EQ(ContainerOf(kOutputPane), output) << g.name;
        EXPECT_FALSE(Announced(CTKDockingPaneHost::kActionFloated)) << g.name;
        EXPECT_EQ(CWnd::GetCapture(), nullptr) << g.name;
    }
}

TEST_F(DockingDragTest, APaneThatMayNotFloatShowsNoOutlineAndStays)
{
    CTKDockingPaneTabbedContainer* output = ContainerOf(kOutputPane);
    const CPoint point = Layout()->GetClient()->GetScreenRect().CenterPoint();
    DragOutput({MoveTo(point), ReleaseAt(point)});
    EXPECT_EQ(ContainerOf(kOutputPane), output);
    EXPECT_FALSE(Announced(CTKDockingPaneHost::kActionFloated));

    CTKDockingPaneDragTracker tracker(&frame.Host());
    tracker.Prepare(output, point.x, point.y);
    EXPECT_FALSE(tracker.CanFloat());
    tracker.Move(point.x + 10, point.y, FALSE);
    EXPECT_FALSE(tracker.GetOutline().IsShown());
}

} // namespace
