// Dragging controls between customised bars: the result by target and
// keys (move, copy with Ctrl or on request, away, onto its own place, no
// move at all), the drop marker, the cursor by state, the bar registered
// last winning where bars overlap, and whole drags with the mouse that end
// on the release, on Escape or on the right button.

#include "BarsFrame.h"

#include "platform/ui/CWnd.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControlDragTracker.h"
#include "toolkit/commandbars/CTKToolBar.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const CRect kFrameRect(0, 0, 900, 500);
constexpr UINT kFirstBarId = 123;
constexpr UINT kSecondBarId = 284;

class ControlDragTrackerTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenClassicFrameWithBars(frame, bars, kFrameRect));
        ASSERT_NO_FATAL_FAILURE(AddLoadedToolBars(*bars, *frame, {kFirstBarId, kSecondBarId}));
        tracker = std::make_unique<CTKControlDragTracker>(bars);
        tracker->AddDropTarget(First());
        tracker->AddDropTarget(Second());
    }
    void TearDown() override
    {
        tracker.reset();
        frame->DestroyWindow();
        ProcessEvents();
    }

    CTKToolBar* First() const { return bars->GetBarAt(0); }
    CTKToolBar* Second() const { return bars->GetBarAt(1); }

    // The screen point at the centre of a bar's control.
    static CPoint Centre(CTKCommandBar* bar, int index)
    {
        CPoint point = bar->GetControl(index)->GetRect().CenterPoint();
        bar->ClientToScreen(&point);
        return point;
    }

    std::unique_ptr<CTKFixtureFrame> frame;
    CTKCommandBars* bars = nullptr;
    std::unique_ptr<CTKControlDragTracker> tracker;
};

TEST_F(ControlDragTrackerTest, ResultsFollowTheTargetAndTheKeys)
{
    enum Target { kOtherBar, kOwnPlace, kAway, kNoMove };
    struct Case {
        const char* name;
        Target target;
        BOOL ctrl;
        BOOL copyOnly;
        int result;
        int added;   // controls the second bar gains
    };
    const Case cases[] = {
        {"moved to another bar", kOtherBar, FALSE, FALSE, CTKControlDragTracker::kMoved, 1},
        {"copied with Ctrl", kOtherBar, TRUE, FALSE, CTKControlDragTracker::kCopied, 1},
        {"copied on request", kOtherBar, FALSE, TRUE, CTKControlDragTracker::kCopied, 1},
        {"dropped on its own place", kOwnPlace, FALSE, FALSE, CTKControlDragTracker::kNothing, 0},
        {"dropped away from every bar", kAway, FALSE, FALSE, CTKControlDragTracker::kDroppedAway, 0},
        {"pressed and released without a move", kNoMove, FALSE, FALSE, CTKControlDragTracker::kNothing, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTKControl* dragged = First()->GetControl(1);
        const int firstCount = First()->GetControlCount();
        const int secondCount = Second()->GetControlCount();
        const CPoint start = Centre(First(), 1);
        CPoint drop = start;
        if (c.target == kOtherBar)
            drop = Centre(Second(), 2);
        else if (c.target == kAway)
            drop = CPoint(start.x, start.y + 300);
        tracker->Begin(dragged, c.copyOnly, start);
        if (c.target != kNoMove) {
            tracker->MouseStep(drop, c.ctrl);
            tracker->MouseStep(drop, c.ctrl);
        }
        EXPECT_EQ(tracker->Drop(drop), c.result);
        EXPECT_EQ(First()->GetControlCount(), firstCount);
        EXPECT_EQ(Second()->GetControlCount(), secondCount + c.added);
        EXPECT_TRUE(Second()->GetDropMarker().IsRectEmpty());
        if (c.added) {
            EXPECT_EQ(Second()->GetControl(2)->GetID(), dragged->GetID());
        }
    }
}

TEST_F(ControlDragTrackerTest, TheCursorAndTheMarkerShowTheDragsState)
{
    CTKControl* dragged = First()->GetControl(0);
    tracker->Begin(dragged, FALSE, Centre(First(), 0));
    EXPECT_EQ(tracker->GetCursorId(), CTKControlDragTracker::kNoDropCursor);
    // Entering the bar takes it as the target; staying shows the marker there.
    tracker->MouseStep(Centre(Second(), 1), FALSE);
    EXPECT_EQ(tracker->GetCurrentTarget(), Second());
    EXPECT_FALSE(Second()->GetDropMarker().IsRectEmpty());
    EXPECT_EQ(tracker->GetCursorId(), CTKControlDragTracker::kMoveCursor);
    tracker->CtrlKey(TRUE);
    EXPECT_EQ(tracker->GetCursorId(), CTKControlDragTracker::kCopyCursor);
    tracker->CtrlKey(FALSE);
    EXPECT_EQ(tracker->GetCursorId(), CTKControlDragTracker::kMoveCursor);
    // Straight onto the other bar: this one is left first.
    tracker->MouseStep(Centre(First(), 2), FALSE);
    EXPECT_EQ(tracker->GetCurrentTarget(), nullptr);
    EXPECT_TRUE(Second()->GetDropMarker().IsRectEmpty());
    tracker->MouseStep(Centre(First(), 2), FALSE);
    EXPECT_EQ(tracker->GetCurrentTarget(), First());
    EXPECT_EQ(tracker->Cancel(), CTKControlDragTracker::kNothing);
    EXPECT_TRUE(First()->GetDropMarker().IsRectEmpty());

    tracker->Begin(dragged, TRUE, Centre(First(), 0));
    tracker->MouseStep(Centre(Second(), 1), FALSE);
    EXPECT_EQ(tracker->GetCursorId(), CTKControlDragTracker::kCopyCursor);
    tracker->Cancel();
}

TEST_F(ControlDragTrackerTest, WhereBarsOverlapTheOneRegisteredLastWins)
{
    CTKToolBar* floating = bars->AddCustomToolBar("Floating", 0xE800, TRUE);
    ASSERT_NE(floating, nullptr);
    CRect over;
    Second()->GetWindowRect(&over);
    floating->MoveWindow(over, TRUE);
    ProcessEvents();
    const CPoint inside = Centre(Second(), 0);
    struct Case {
        CTKCommandBar* registered[2];
        CTKCommandBar* winner;
    };
    const Case cases[] = {{{Second(), floating}, floating}, {{floating, Second()}, Second()}};
    for (const Case& c : cases) {
        CTKControlDragTracker overlap(bars);
        overlap.AddDropTarget(c.registered[0]);
        overlap.AddDropTarget(c.registered[1]);
        overlap.Begin(First()->GetControl(0), FALSE, Centre(First(), 0));
        overlap.MouseStep(inside, FALSE);
        EXPECT_EQ(overlap.GetCurrentTarget(), c.winner);
        overlap.Cancel();
    }
    tracker->AddDropTarget(Second());
    tracker->RemoveDropTarget(Second());
    EXPECT_EQ(tracker->GetDropTargets(), std::vector<CTKCommandBar*> {First()});
}

TEST_F(ControlDragTrackerTest, AMouseDragEndsOnTheReleaseOnEscapeOrOnTheRightButton)
{
    enum Ending { kRelease, kEscape, kRightButton };
    struct Case {
        const char* name;
        Ending ending;
        int result;
        int added;
    };
    const Case cases[] = {
        {"released over the other bar", kRelease, CTKControlDragTracker::kMoved, 1},
        {"Escape", kEscape, CTKControlDragTracker::kNothing, 0},
        {"right button", kRightButton, CTKControlDragTracker::kNothing, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int count = Second()->GetControlCount();
        const QPoint target = frame->mapFromGlobal(QPoint(Centre(Second(), 1).x, Centre(Second(), 1).y));
        QTest::mousePress(frame.get(), Qt::LeftButton, {}, frame->mapFromGlobal(QPoint(Centre(First(), 0).x, Centre(First(), 0).y)));
        QTimer::singleShot(0, frame.get(), [&] {
            QTest::mouseMove(frame.get(), target);
            QTest::mouseMove(frame.get(), target + QPoint(1, 0));
            if (c.ending == kRelease)
                QTest::mouseRelease(frame.get(), Qt::LeftButton, {}, target + QPoint(1, 0));
            else if (c.ending == kEscape)
                QTest::keyClick(frame.get(), Qt::Key_Escape);
            else
                QTest::mousePress(frame.get(), Qt::RightButton, {}, target);
        });
        // Should the ending go astray, Escape ends the drag.
        QTimer::singleShot(5000, frame.get(), [&] { QTest::keyClick(frame.get(), Qt::Key_Escape); });
        EXPECT_EQ(tracker->Track(First()->GetControl(0), FALSE), c.result);
        EXPECT_EQ(Second()->GetControlCount(), count + c.added);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        EXPECT_TRUE(Second()->GetDropMarker().IsRectEmpty());
        if (c.ending != kRelease)
            QTest::mouseRelease(frame.get(), Qt::LeftButton, {}, target);
        if (c.ending == kRightButton)
            QTest::mouseRelease(frame.get(), Qt::RightButton, {}, target);
        ProcessEvents();
    }
}

} // namespace
