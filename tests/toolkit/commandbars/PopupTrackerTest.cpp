// The popup tracker: which bars track, and what a mouse event outside them
// does: presses close them, a left release closes them only outside modal
// loops, events inside a tracked bar close nothing, repeated moves are eaten.

#include "platform/ui/CTimerService.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QCursor>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const CRect kMenuRect(100, 100, 250, 300);
const CRect kSubmenuRect(250, 120, 400, 220);
const CRect kOtherRect(500, 400, 700, 600);

class PopupTrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        menu = MakeBar(kMenuRect);
        submenu = MakeBar(kSubmenuRect);
        ASSERT_TRUE(other.Create(nullptr, kOtherRect, 0, WS_POPUP));
        other.ShowWindow(SW_SHOWNA);
        // The tracker remembers the last move; start from a point no case uses.
        tracker().OnMouseMessage(WM_MOUSEMOVE, {-1, -1});
        menu->SetTrackingMode(1, FALSE, FALSE);
        submenu->SetTrackingMode(1, FALSE, FALSE);
    }
    void TearDown() override
    {
        menu->SetTrackingMode(0, FALSE, FALSE);
        submenu->SetTrackingMode(0, FALSE, FALSE);
        while (tracker().GetModalDepth() > 0)
            tracker().LeaveModal();
        menu->InternalRelease();
        submenu->InternalRelease();
    }
    static CTKCommandBar* MakeBar(const CRect& rect)
    {
        auto* bar = new CTKCommandBar;
        bar->Create(nullptr, rect, 0, WS_POPUP);
        bar->ShowWindow(SW_SHOWNA);
        return bar;
    }
    static CTKPopupTracker& tracker() { return CTKPopupTracker::Get(); }
    BOOL Open() const { return menu->GetTrackingMode() != 0 && submenu->GetTrackingMode() != 0; }

    CTKCommandBar* menu = nullptr;
    CTKCommandBar* submenu = nullptr;
    CWnd other;
};

TEST_F(PopupTrackerTest, MouseEventsOutsideTheMenusCloseThem)
{
    struct Case {
        const char* name;
        UINT message;
        CPoint point;
        int modalDepth;
        BOOL stillOpen;
    };
    const Case cases[] = {
        {"press elsewhere", WM_LBUTTONDOWN, {600, 500}, 0, FALSE},
        {"right press elsewhere", WM_RBUTTONDOWN, {600, 500}, 0, FALSE},
        {"non-client press elsewhere", WM_NCLBUTTONDOWN, {10, 10}, 0, FALSE},
        {"press in the submenu", WM_LBUTTONDOWN, {300, 150}, 0, TRUE},
        {"press in the menu", WM_RBUTTONDOWN, {110, 290}, 0, TRUE},
        {"release elsewhere", WM_LBUTTONUP, {600, 500}, 0, FALSE},
        {"release elsewhere in a modal loop", WM_LBUTTONUP, {600, 500}, 1, TRUE},
        {"press elsewhere in a modal loop", WM_LBUTTONDOWN, {600, 500}, 1, FALSE},
        {"move elsewhere", WM_MOUSEMOVE, {610, 510}, 0, TRUE},
    };
    for (const Case& test : cases) {
        menu->SetTrackingMode(1, FALSE, FALSE);
        submenu->SetTrackingMode(1, FALSE, FALSE);
        for (int i = 0; i < test.modalDepth; ++i)
            tracker().EnterModal();
        EXPECT_FALSE(tracker().OnMouseMessage(test.message, test.point)) << test.name;
        EXPECT_EQ(Open(), test.stillOpen) << test.name;
        EXPECT_EQ(tracker().GetTrackedBars().empty(), !test.stillOpen) << test.name;
        for (int i = 0; i < test.modalDepth; ++i)
            tracker().LeaveModal();
    }
}

TEST_F(PopupTrackerTest, ARepeatedMoveIsEatenWhileMenusAreOpen)
{
    EXPECT_FALSE(tracker().OnMouseMessage(WM_MOUSEMOVE, {600, 450}));
    EXPECT_TRUE(tracker().OnMouseMessage(WM_MOUSEMOVE, {600, 450}));
    EXPECT_FALSE(tracker().OnMouseMessage(WM_MOUSEMOVE, {601, 450}));
    menu->SetTrackingMode(0, FALSE, FALSE);
    submenu->SetTrackingMode(0, FALSE, FALSE);
    EXPECT_FALSE(tracker().OnMouseMessage(WM_MOUSEMOVE, {601, 450}));
}

TEST_F(PopupTrackerTest, AClickOnAnotherWindowClosesTheMenusAndStillReachesIt)
{
    QTest::mouseClick(&other, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(Open());
    EXPECT_TRUE(tracker().GetTrackedBars().empty());
}

TEST_F(PopupTrackerTest, TrackedBarsKeepTheirOrderAndLeaveWhenTheyGo)
{
    ASSERT_EQ(tracker().GetTrackedBars(), (std::vector<CTKCommandBar*>{menu, submenu}));
    tracker().AddTrackedBar(menu);
    EXPECT_EQ(tracker().GetTrackedBars().size(), 2u);
    tracker().CloseTrackedBars();
    EXPECT_EQ(menu->GetTrackingMode(), 0);
    EXPECT_EQ(tracker().GetTrackedBars(), std::vector<CTKCommandBar*>{submenu});
    submenu->DestroyWindow();
    EXPECT_TRUE(tracker().GetTrackedBars().empty());
}

TEST_F(PopupTrackerTest, TheFirstTrackingBarClearsAnotherHotBar)
{
    menu->SetTrackingMode(0, FALSE, FALSE);
    submenu->SetTrackingMode(0, FALSE, FALSE);
    tracker().SetMenuExpanded(TRUE);
    submenu->GetControls()->AddNewControl(kTKControlButton, 1);
    submenu->SetSelected(0, FALSE);
    EXPECT_EQ(tracker().GetHotBar(), submenu);
    menu->SetTrackingMode(1, FALSE, FALSE);
    EXPECT_EQ(submenu->GetSelectedIndex(), -1);
    menu->SetTrackingMode(0, FALSE, FALSE);
    EXPECT_FALSE(tracker().IsMenuExpanded());
}

// Counts the WM_MOUSELEAVE it gets.
class CLeaveCounter : public CWnd {
public:
    int leaves = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSELEAVE)
            ++leaves;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

TEST_F(PopupTrackerTest, AWatchedWindowHearsWhenTheMouseLeavesIt)
{
    CTimerService::Instance().SetFakeClock(TRUE);
    CLeaveCounter first;
    CLeaveCounter second;
    ASSERT_TRUE(first.Create(nullptr, CRect(500, 100, 600, 200), 0, WS_POPUP));
    ASSERT_TRUE(second.Create(nullptr, CRect(650, 100, 750, 200), 0, WS_POPUP));
    first.ShowWindow(SW_SHOWNA);
    QCursor::setPos(550, 150);
    tracker().TrackMouseLeave(&first);
    CTimerService::Instance().Advance(kTKMouseLeavePeriod * 3);
    ProcessEvents();
    EXPECT_EQ(first.leaves, 0) << "the cursor rests inside";

    QCursor::setPos(550, 250);
    CTimerService::Instance().Advance(kTKMouseLeavePeriod);
    ProcessEvents();
    EXPECT_EQ(first.leaves, 1);
    EXPECT_EQ(tracker().GetMouseLeaveWindow(), nullptr);
    CTimerService::Instance().Advance(kTKMouseLeavePeriod * 3);
    ProcessEvents();
    EXPECT_EQ(first.leaves, 1) << "the watch has ended";

    // Watching another window tells the previous one at once.
    tracker().TrackMouseLeave(&first);
    tracker().TrackMouseLeave(&second);
    EXPECT_EQ(first.leaves, 2);
    EXPECT_EQ(tracker().GetMouseLeaveWindow(), &second);
    tracker().TrackMouseLeave(nullptr);
    EXPECT_EQ(second.leaves, 1);
    CTimerService::Instance().SetFakeClock(FALSE);
}

} // namespace
