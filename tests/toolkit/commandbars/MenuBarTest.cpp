// The program's main menu as the menu bar of the fixture frame: it is made
// from the menu resource, Alt or F10 released alone selects its first
// menu, Alt+letter opens the menu with that mnemonic, and the shadow of an
// open title goes with its menu.

#include "BarsFrame.h"

#include "platform/ui/CMDIChildWnd.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKPopupShadow.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/CTKShadowWnd.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <gtest/gtest.h>

#include <functional>
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

    // The shadow strips on screen; with an owner, only that window's.
    static std::vector<CRect> VisibleStrips(const CWnd* owner = nullptr)
    {
        std::vector<CRect> strips;
        const CTKPopupShadow& shadows = CTKPopupShadow::Get();
        for (int i = 0; i < shadows.GetShadowCount(); ++i) {
            const CTKShadowWnd* strip = shadows.GetShadow(i);
            if (strip->isVisible() && (!owner || strip->GetOwner() == owner))
                strips.push_back(strip->GetWindowRect());
        }
        return strips;
    }

    CRect TitleOnScreen(int index) const
    {
        CRect rect = menuBar->GetControl(index)->GetRect();
        menuBar->ClientToScreen(&rect);
        return rect;
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

TEST_F(MenuBarTest, AnOpenTitlesShadowGoesWithItsMenuAndFollowsTheSlideToTheNextTitle)
{
    struct Case {
        const char* name;
        std::function<void()> close;
    };
    const Case cases[] = {
        {"all menus closed", [] { CTKPopupTracker::Get().CloseTrackedBars(); }},
        {"the bar leaves tracking", [this] { menuBar->SetTrackingMode(0, FALSE, FALSE); }},
        {"a second click on the title", [this] { menuBar->GetControl(2)->OnClick(FALSE, CPoint()); }},
    };
    CTKBarRenderer::SelectTheme(kTKThemeOfficeXP);
    bars->RefreshAllBars();
    ProcessEvents();
    for (const Case& test : cases) {
        ASSERT_TRUE(menuBar->SetPopuped(0, FALSE)) << test.name;
        ASSERT_EQ(VisibleStrips(menuBar).size(), 2u) << test.name;
        // Sliding to View: File's strips go, View's come.
        ASSERT_TRUE(menuBar->SetPopuped(2, FALSE)) << test.name;
        const std::vector<CRect> strips = VisibleStrips(menuBar);
        ASSERT_EQ(strips.size(), 2u) << test.name;
        const CRect view = TitleOnScreen(2);
        for (const CRect& strip : strips)
            EXPECT_GE(strip.left, view.left) << test.name;
        test.close();
        ProcessEvents();
        EXPECT_EQ(menuBar->GetPopupedIndex(), -1) << test.name;
        EXPECT_TRUE(VisibleStrips().empty()) << test.name;
    }
    CTKBarRenderer::SelectTheme(kTKThemeClassic);
}

} // namespace
