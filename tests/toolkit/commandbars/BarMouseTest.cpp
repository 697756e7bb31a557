// Hot tracking on a bar: the control under the mouse becomes selected and,
// after a pause, gets its hover event; nothing is tracked while a modal
// loop runs or while other bars track; leaving the bar clears the hot item.

#include "platform/ui/CTimerService.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QApplication>
#include <QCursor>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int kButtonWidth = 30;
constexpr int kButtonHeight = 22;

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

class BarMouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        CTimerService::Instance().SetFakeClock(TRUE);
        for (int i = 0; i < 3; ++i) {
            CTKControl* control = bar->GetControls()->AddNewControl(kTKControlButton, 32801 + i);
            control->SetRect(CRect(i * kButtonWidth, 0, (i + 1) * kButtonWidth, kButtonHeight));
        }
        ASSERT_TRUE(bar->Create(nullptr, CRect(100, 100, 100 + 4 * kButtonWidth, 100 + kButtonHeight), 0, WS_POPUP));
        bar->ShowWindow(SW_SHOWNA);
        QApplication::setActiveWindow(bar.get());
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().TrackMouseLeave(nullptr);
        bar->SetTrackingMode(0, FALSE, FALSE);
        CTimerService::Instance().SetFakeClock(FALSE);
    }
    void MoveTo(int x)
    {
        bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, kButtonHeight / 2));
    }

    std::unique_ptr<CTKCommandBar, Releaser> bar{new CTKCommandBar};
};

TEST_F(BarMouseTest, TheControlUnderTheMouseBecomesHot)
{
    struct Case {
        const char* name;
        std::function<void()> before;
        std::function<void()> after;
        int x;
        int selected;
    };
    CTKPopupTracker& tracker = CTKPopupTracker::Get();
    std::unique_ptr<CTKCommandBar, Releaser> other{new CTKCommandBar};
    const Case cases[] = {
        {"over the second button", nullptr, nullptr, kButtonWidth + 5, 1},
        {"over the empty end", nullptr, nullptr, 3 * kButtonWidth + 5, -1},
        {"in a modal loop", [&] { tracker.EnterModal(); }, [&] { tracker.LeaveModal(); }, 5, -1},
        {"while another bar tracks", [&] { other->SetTrackingMode(1, FALSE, FALSE); },
         [&] { other->SetTrackingMode(0, FALSE, FALSE); }, 5, -1},
        {"while the bar itself tracks", [&] { bar->SetTrackingMode(1, FALSE, FALSE); },
         [&] { bar->SetTrackingMode(0, FALSE, FALSE); }, 2 * kButtonWidth + 5, 2},
    };
    for (const Case& test : cases) {
        bar->SetSelected(-1, FALSE);
        if (test.before)
            test.before();
        MoveTo(test.x);
        EXPECT_EQ(bar->GetSelectedIndex(), test.selected) << test.name;
        if (test.selected >= 0) {
            EXPECT_EQ(bar->GetControl(test.selected)->GetSelected(), kTKSelectedHot) << test.name;
        }
        if (test.after)
            test.after();
    }
}

TEST_F(BarMouseTest, TheHoverPauseEndsAndAMouseGoneElsewhereClearsTheHotControl)
{
    QCursor::setPos(0, 0);
    MoveTo(5);
    ASSERT_EQ(bar->GetSelectedIndex(), 0);
    EXPECT_EQ(CTKPopupTracker::Get().GetMouseLeaveWindow(), bar.get());
    CTimerService::Instance().Advance(kTKHoverDelay);
    ProcessEvents();
    EXPECT_EQ(CTimerService::Instance().GetTimerCount(bar.get()), 0u);
    EXPECT_EQ(CTKPopupTracker::Get().GetMouseLeaveWindow(), nullptr);
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
}

TEST_F(BarMouseTest, LeavingTheBarClearsTheHotControl)
{
    MoveTo(5);
    ASSERT_EQ(bar->GetSelectedIndex(), 0);
    bar->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(bar->GetSelectedIndex(), -1);

    bar->SetTrackingMode(1, TRUE, TRUE);
    bar->SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(bar->GetSelectedIndex(), 0) << "a tracking bar keeps its selection";
}

} // namespace
