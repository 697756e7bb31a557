// The program's main menu as the menu bar of the fixture frame: it is made
// from the menu resource, Alt or F10 released alone selects its first
// menu, and Alt+letter opens the menu with that mnemonic.

#include "BarsFrame.h"

#include "platform/ui/CMDIChildWnd.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kMainMenu = 123;
constexpr UINT kMissingMenu = 9999;
constexpr LPARAM kAltHeld = 1 << 29;
const CRect kFrameRect(0, 0, 900, 500);

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(OpenClassicFrameWithBars(frame, bars, kFrameRect));
        menuBar = bars->CreateMenuBar("Standard", kMainMenu);
        ASSERT_NE(menuBar, nullptr);
        bars->RelayoutFrame(FALSE);
        ProcessEvents();
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        frame->DestroyWindow();
        ProcessEvents();
    }

    BOOL PreTranslate(UINT message, UINT key, LPARAM lParam)
    {
        MSG msg;
        msg.hwnd = frame.get();
        msg.message = message;
        msg.wParam = key;
        msg.lParam = lParam;
        return frame->PreTranslateMessage(&msg);
    }

    std::unique_ptr<CTKFixtureFrame> frame;
    CTKCommandBars* bars = nullptr;
    CTKMenuBar* menuBar = nullptr;
};

TEST_F(MenuBarTest, TheMainMenuBecomesTheFirstBarDockedAtTheTop)
{
    const std::vector<std::string> captions = {"&File", "&Edit",  "&View",   "&Project", "L&D",
                                               "P&LC",  "&Tools", "&Window", "&Help"};
    ASSERT_EQ(bars->GetBarAt(0), menuBar);
    EXPECT_EQ(bars->GetMenuBar(), menuBar);
    EXPECT_EQ(menuBar->GetType(), kTKBarMenu);
    EXPECT_EQ(menuBar->GetBarID(), kTKMenuBarId);
    EXPECT_EQ(menuBar->GetPosition(), kTKPositionTop);
    EXPECT_EQ(bars->GetDefaultMenuId(), kMainMenu);
    EXPECT_EQ(menuBar->GetCurrentMenuId(), kMainMenu);
    ASSERT_EQ(menuBar->GetControlCount(), static_cast<int>(captions.size()));
    for (int i = 0; i < menuBar->GetControlCount(); ++i)
        EXPECT_EQ(menuBar->GetControl(i)->GetCaption(), captions[i]) << i;
    CRect rect;
    menuBar->GetWindowRect(&rect);
    EXPECT_GT(rect.Height(), 0);
}

TEST_F(MenuBarTest, AMissingMenuMakesNoBar)
{
    const int before = bars->GetCount();
    EXPECT_EQ(bars->CreateMenuBar("Other", kMissingMenu), nullptr);
    EXPECT_EQ(bars->GetCount(), before);
    EXPECT_EQ(bars->GetMenuBar(), menuBar);
}

TEST_F(MenuBarTest, AltOrF10ReleasedAloneSelectsTheFirstMenuAndAgainLeavesIt)
{
    struct Case {
        std::vector<UINT> downs;
        UINT up;
        BOOL tracks;
    };
    const Case cases[] = {
        {{VK_MENU}, VK_MENU, TRUE},
        {{VK_F10}, VK_F10, TRUE},
        {{VK_MENU, 'Q'}, VK_MENU, FALSE},
        {{VK_MENU}, VK_F10, FALSE},
    };
    CWnd* child = frame->Child(0);
    for (const Case& test : cases) {
        for (UINT key : test.downs)
            child->SendMessage(WM_SYSKEYDOWN, key, kAltHeld);
        child->SendMessage(WM_SYSKEYUP, test.up, 0);
        EXPECT_EQ(menuBar->GetTrackingMode() != 0, test.tracks) << test.up;
        EXPECT_EQ(menuBar->GetSelectedIndex(), test.tracks ? 0 : -1) << test.up;
        if (!test.tracks)
            continue;
        // The second press ends the tracking before the frame sees it.
        EXPECT_TRUE(PreTranslate(WM_SYSKEYDOWN, VK_MENU, kAltHeld));
        EXPECT_EQ(menuBar->GetTrackingMode(), 0);
    }
}

TEST_F(MenuBarTest, AltLetterOpensTheMenuWithThatMnemonic)
{
    struct Case {
        UINT key;
        LPARAM lParam;
        BOOL handled;
        int popuped;
    };
    const Case cases[] = {
        {'P', kAltHeld, TRUE, 3},
        {'L', kAltHeld, TRUE, 5},
        {'D', kAltHeld, TRUE, 4},
        {'F', kAltHeld, TRUE, 0},
        {'Q', kAltHeld, FALSE, -1},
        {'F', 0, FALSE, -1},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(PreTranslate(WM_SYSKEYDOWN, test.key, test.lParam), test.handled) << char(test.key);
        EXPECT_EQ(menuBar->GetPopupedIndex(), test.popuped) << char(test.key);
        CTKPopupTracker::Get().CloseTrackedBars();
        ProcessEvents();
    }
}

} // namespace
