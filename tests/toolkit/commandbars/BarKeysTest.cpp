// Keys while a bar tracks: arrows by the bar's orientation, the special key
// codes, mnemonics, and the frame's pre-translation that hands key-downs to
// the tracking bars and closes them on Alt.

#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKWindowHookMap.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(BarKeysTest, ArrowsFollowTheBarsOrientation)
{
    struct Case {
        UINT key;
        int horizontal;
        int vertical;
    };
    const Case cases[] = {
        {VK_END, kTKKeyLast, kTKKeyLast},
        {VK_HOME, kTKKeyFirst, kTKKeyFirst},
        {VK_LEFT, kTKKeyPrevious, kTKKeyClosePopup},
        {VK_UP, kTKKeyClosePopup, kTKKeyPrevious},
        {VK_RIGHT, kTKKeyNext, kTKKeyOpenPopup},
        {VK_DOWN, kTKKeyOpenPopup, kTKKeyNext},
        {VK_PRIOR, -1, -1},
        {'A', -1, -1},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(CTKCommandBar::GetNavigationCode(test.key, FALSE), test.horizontal) << test.key;
        EXPECT_EQ(CTKCommandBar::GetNavigationCode(test.key, TRUE), test.vertical) << test.key;
    }
}

constexpr UINT kFirstId = 32801;

// A tracking popup-like bar (vertical) with five buttons in the fixture
// frame, whose command bars pre-translate the frame's keys.
class TrackingBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        ASSERT_TRUE(frame.Open(CRect(40, 30, 640, 330)));
        auto* bars = new CTKCommandBars;
        frame.SetCommandBars(bars);
        bars->SetFrame(&frame);
        const char* captions[] = {"&Open", "&Save", "Sa&ve As", "&Print", "Print Pre&view"};
        UINT id = kFirstId;
        for (const char* caption : captions)
            bar->GetControls()->AddNewControl(kTKControlButton, id++)->SetCaption(std::string(caption));
        ASSERT_TRUE(bar->Create(&frame, CRect(100, 100, 200, 200), 0, WS_POPUP));
        bar->SetReturnCommandSlot(&executed);
        bar->SetTrackingMode(1, TRUE, TRUE);
    }
    void TearDown() override
    {
        bar->SetTrackingMode(0, FALSE, FALSE);
        bar.reset();
        frame.DestroyWindow();
    }
    BOOL Key(UINT message, UINT key)
    {
        MSG msg;
        msg.hwnd = &frame;
        msg.message = message;
        msg.wParam = key;
        return frame.PreTranslateMessage(&msg);
    }

    struct Releaser {
        void operator()(CCmdTarget* target) const { target->InternalRelease(); }
    };
    CTKFixtureFrame frame;
    std::unique_ptr<CTKCommandBar, Releaser> bar{new CTKCommandBar};
    UINT executed = 0;
};

TEST_F(TrackingBarTest, StartingWithSelectFirstSelectsTheFirstControl)
{
    EXPECT_EQ(bar->GetSelectedIndex(), 0);
    EXPECT_EQ(CTKWindowHookMap::Get().GetTrackingHookCount(), 1);
}

TEST_F(TrackingBarTest, SpecialKeysMoveTheSelection)
{
    struct Case {
        int selected;
        int code;
        BOOL result;
        int selectedAfter;
    };
    const Case cases[] = {
        {0, kTKKeyNext, TRUE, 1},
        {4, kTKKeyNext, TRUE, 0},
        {0, kTKKeyPrevious, TRUE, 4},
        {2, kTKKeyFirst, TRUE, 0},
        {2, kTKKeyLast, TRUE, 4},
        {2, kTKKeyClosePopup, FALSE, 2},  // no popup is open
        {2, kTKKeyOpenPopup, FALSE, 2},   // a button has no popup
        {2, 99, FALSE, 2},
    };
    for (const Case& test : cases) {
        bar->SetSelected(test.selected, TRUE);
        EXPECT_EQ(bar->ProcessSpecialKey(test.code), test.result) << test.selected << "/" << test.code;
        EXPECT_EQ(bar->GetSelectedIndex(), test.selectedAfter) << test.selected << "/" << test.code;
    }
}

TEST_F(TrackingBarTest, KeysReachTheTrackingBarThroughTheFrame)
{
    // A control that executes ends the tracking (selection -1).
    struct Case {
        UINT key;
        int selectedBefore;
        int selectedAfter;
        UINT executedAfter;
    };
    const Case cases[] = {
        {VK_DOWN, 0, 1, 0},
        {VK_UP, 1, 0, 0},
        {VK_END, 0, 4, 0},
        {'S', 4, -1, kFirstId + 1},   // the only S executes
        {'V', 1, 2, 0},               // two captions answer to V: select only
        {'V', 2, 4, 0},               // the next press moves on
        {'O', 4, -1, kFirstId},       // the only O executes
        {'Q', 0, 0, 0},               // no control: swallowed
        {VK_RETURN, 0, -1, kFirstId},
    };
    for (const Case& test : cases) {
        executed = 0;
        if (bar->GetTrackingMode() == 0)
            bar->SetTrackingMode(1, TRUE, TRUE);
        bar->SetSelected(test.selectedBefore, TRUE);
        EXPECT_TRUE(Key(WM_KEYDOWN, test.key)) << test.key;
        EXPECT_EQ(bar->GetSelectedIndex(), test.selectedAfter) << test.key;
        EXPECT_EQ(executed, test.executedAfter) << test.key;
        EXPECT_EQ(bar->GetTrackingMode() == 0, test.executedAfter != 0) << test.key;
    }
}

TEST_F(TrackingBarTest, EscapeAndAltEndTheTracking)
{
    EXPECT_TRUE(Key(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_EQ(bar->GetTrackingMode(), 0);
    EXPECT_EQ(bar->GetSelectedIndex(), -1);
    EXPECT_EQ(CTKWindowHookMap::Get().GetTrackingHookCount(), 0);
    EXPECT_FALSE(Key(WM_KEYDOWN, VK_DOWN));

    bar->SetTrackingMode(1, TRUE, TRUE);
    EXPECT_TRUE(Key(WM_SYSKEYDOWN, VK_MENU));
    EXPECT_EQ(bar->GetTrackingMode(), 0);
}

} // namespace
