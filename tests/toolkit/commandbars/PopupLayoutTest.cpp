// Popup bars: the menu measures, rarely used commands behind the expand
// button, where a context menu goes near the work area's edges, and the
// scrolling of a menu taller than the work area.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/CTimerService.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKCommandBarsOptions.h"
#include "toolkit/commandbars/CTKControlExpandButton.h"
#include "toolkit/commandbars/CTKControlPopup.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupPlacement.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QCursor>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr UINT kFirstId = 33000;

struct Releaser {
    void operator()(CCmdTarget* target) const { target->InternalRelease(); }
};

// Every command of the site has a handler, so items are enabled; it
// records the commands it gets.
class CLayoutSite : public CWnd {
public:
    std::vector<UINT> commands;

    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(LOWORD(wParam));
        return TRUE;
    }
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        if (id >= kFirstId && id < kFirstId + 1000 && code == CN_COMMAND)
            return TRUE;
        return CWnd::OnCmdMsg(id, code, extra, info);
    }
};

class PopupLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        ASSERT_TRUE(site.Create(nullptr, CRect(0, 0, 300, 200), 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        bars->GetCommandBarsOptions()->bAlwaysShowFullMenus = FALSE;
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        site.DestroyWindow();
    }

    // count items "Item n", a group starting at each index in groups.
    std::unique_ptr<CTKPopupBar, Releaser> MakePopup(int count, const std::set<int>& groups = {},
                                                     const std::string& caption = "Item")
    {
        CMenu menu;
        menu.CreatePopupMenu();
        for (int i = 0; i < count; ++i) {
            if (groups.count(i))
                menu.AppendMenu(MF_SEPARATOR);
            menu.AppendMenu(MF_STRING, kFirstId + static_cast<UINT>(i), caption + " " + std::to_string(i));
        }
        std::unique_ptr<CTKPopupBar, Releaser> popup(CTKPopupBar::NewPopupBar(bars.get()));
        popup->SetSite(&site);
        popup->LoadMenu(&menu, TRUE);
        return popup;
    }
    CRect Margins(CTKPopupBar* popup) const
    {
        CRect margins;
        CTKBarRenderer::GetCurrent()->GetCommandBarBorders(&margins, popup);
        return margins;
    }
    CRect WindowRect(CTKPopupBar* popup) const
    {
        CRect rect;
        popup->GetWindowRect(&rect);
        return rect;
    }

    std::unique_ptr<CTKCommandBars, Releaser> bars{new CTKCommandBars};
    CLayoutSite site;
};

TEST_F(PopupLayoutTest, MenuItemsStackInOneColumnOfOneWidth)
{
    auto popup = MakePopup(3, {2});
    const CRect margins = Margins(popup.get());
    const CSize size = popup->CalcDynamicLayout(0, 0);
    const CRect first = popup->GetControl(0)->GetRect();
    const CRect second = popup->GetControl(1)->GetRect();
    const CRect third = popup->GetControl(2)->GetRect();
    EXPECT_EQ(first.TopLeft(), CPoint(margins.left, margins.top));
    EXPECT_EQ(second.top, first.bottom);
    EXPECT_GT(third.top, second.bottom) << "a separator lies between the groups";
    EXPECT_EQ(first.Width(), third.Width());
    EXPECT_EQ(size, CSize(margins.left + margins.right + first.Width(), third.bottom + margins.bottom));
}

TEST_F(PopupLayoutTest, MeasuresAtTheEdges)
{
    struct Case {
        const char* name;
        int count;
        std::string caption;
        int width;   // item width; 0: only at least the least extent
    };
    const int cap = CSystemMetrics::Instance().GetWorkArea().right / 3;
    const Case cases[] = {
        {"empty menu", 0, "", kTKPopupMinimumExtent},
        {"caption wider than a third of the work area", 1, std::string(200, 'W'), cap},
        {"short caption", 1, "x", 0},
    };
    for (const Case& test : cases) {
        auto popup = MakePopup(test.count, {}, test.caption);
        const CRect margins = Margins(popup.get());
        const CSize size = popup->CalcDynamicLayout(0, 0);
        const int itemWidth = size.cx - margins.left - margins.right;
        if (test.width > 0) {
            EXPECT_EQ(itemWidth, test.width) << test.name;
        }
        EXPECT_GE(itemWidth, kTKPopupMinimumExtent) << test.name;
        if (test.count == 0) {
            EXPECT_EQ(size.cy, kTKPopupMinimumExtent + margins.bottom) << test.name;
        }
    }
}

TEST_F(PopupLayoutTest, RarelyUsedCommandsHideBehindTheExpandButton)
{
    struct Case {
        const char* name;
        std::set<UINT> hidden;
        BOOL alwaysFull;
        BOOL hasHidden;
        int visibleItems;
    };
    const Case cases[] = {
        {"two of four hidden", {kFirstId + 1, kFirstId + 3}, FALSE, TRUE, 2},
        {"every item hidden: all shown", {kFirstId, kFirstId + 1, kFirstId + 2, kFirstId + 3}, FALSE, FALSE, 4},
        {"always full menus", {kFirstId + 1}, TRUE, FALSE, 4},
        {"nothing hidden", {}, FALSE, FALSE, 4},
    };
    for (const Case& test : cases) {
        CTKCommandBarsOptions* options = bars->GetCommandBarsOptions();
        options->hiddenCommands = test.hidden;
        options->bAlwaysShowFullMenus = test.alwaysFull;
        auto popup = MakePopup(4);
        popup->CalcDynamicLayout(0, 0);
        EXPECT_EQ(popup->HasHiddenCommands(), test.hasHidden) << test.name;
        int visible = 0;
        for (int i = 0; i < 4; ++i)
            visible += popup->GetControl(i)->IsVisible() ? 1 : 0;
        EXPECT_EQ(visible, test.visibleItems) << test.name;
        CTKControl* expand = popup->GetControls()->FindControl(kTKControlButton, kTKMenuExpandButtonId, TRUE, FALSE);
        EXPECT_EQ(expand != nullptr, test.hasHidden) << test.name;
    }
}

TEST_F(PopupLayoutTest, ExpandingShowsEveryCommandAndSwallowsTheNextRelease)
{
    struct Case {
        const char* name;
        std::function<void(CTKPopupBar*)> act;
    };
    const Case cases[] = {
        {"expand button", [](CTKPopupBar* popup) {
             popup->GetControls()->FindControl(kTKMenuExpandButtonId)->Execute();
         }},
        {"down past the last shown item",
         [](CTKPopupBar* popup) {
             popup->SetSelected(2, TRUE);
             popup->OnHookKeyDown(VK_DOWN);
         }},
    };
    for (const Case& test : cases) {
        // The previous case ran the hidden command, which made it a used one.
        bars->GetCommandBarsOptions()->hiddenCommands = {kFirstId + 1};
        bars->GetCommandBarsOptions()->usedCommands.clear();
        auto popup = MakePopup(3);
        ASSERT_TRUE(popup->SetPopupPosition(50, 50, nullptr)) << test.name;
        ASSERT_TRUE(popup->HasHiddenCommands()) << test.name;
        const int collapsedHeight = WindowRect(popup.get()).Height();
        test.act(popup.get());
        EXPECT_TRUE(popup->IsExpanded()) << test.name;
        EXPECT_TRUE(popup->GetControl(1)->IsVisible()) << test.name;
        EXPECT_GT(WindowRect(popup.get()).Height(), collapsedHeight) << test.name;
        EXPECT_TRUE(CTKPopupTracker::Get().IsMenuExpanded()) << test.name;
        EXPECT_TRUE(popup->IsReleaseSuppressed()) << test.name;
        // The release that ends the click on the expand button executes nothing; the next one does.
        site.commands.clear();
        const CPoint item = popup->GetControl(1)->GetRect().CenterPoint();
        popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.x, item.y));
        EXPECT_TRUE(site.commands.empty()) << test.name;
        EXPECT_EQ(popup->GetTrackingMode(), 1) << test.name;
        popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(item.x, item.y));
        EXPECT_EQ(site.commands, std::vector<UINT>{kFirstId + 1}) << test.name;
        EXPECT_FALSE(CTKPopupTracker::Get().IsMenuExpanded()) << "the next tracking starts collapsed";
    }
}

TEST_F(PopupLayoutTest, AnOpenSubmenuExpandsAfterThePauseWhileTheMouseRestsOnItsItem)
{
    struct Case {
        const char* name;
        BOOL showFullAfterDelay;
        BOOL cursorOnItem;
        BOOL expanded;
    };
    const Case cases[] = {
        {"option on, mouse on the item", TRUE, TRUE, TRUE},
        {"option on, mouse elsewhere", TRUE, FALSE, FALSE},
        {"option off", FALSE, TRUE, FALSE},
    };
    CTimerService& timers = CTimerService::Instance();
    for (const Case& test : cases) {
        CTKCommandBarsOptions* options = bars->GetCommandBarsOptions();
        options->hiddenCommands = {kFirstId + 1};
        options->bShowFullAfterDelay = test.showFullAfterDelay;
        CMenu sub;
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, kFirstId, "Shown");
        sub.AppendMenu(MF_STRING, kFirstId + 1, "Rarely used");
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendPopup(MF_POPUP, sub, "Sub");
        std::unique_ptr<CTKPopupBar, Releaser> popup(CTKPopupBar::NewPopupBar(bars.get()));
        popup->SetSite(&site);
        popup->LoadMenu(&menu, TRUE);
        timers.SetFakeClock(TRUE);
        ASSERT_TRUE(popup->SetPopupPosition(50, 50, nullptr)) << test.name;
        ASSERT_TRUE(popup->SetPopuped(0, FALSE)) << test.name;
        auto* child = dynamic_cast<CTKPopupBar*>(popup->GetControl(0)->GetCommandBar());
        ASSERT_NE(child, nullptr);
        ASSERT_TRUE(child->HasHiddenCommands()) << test.name;
        CRect item = popup->GetControl(0)->GetRect();
        popup->ClientToScreen(&item);
        const CPoint cursor = test.cursorOnItem ? item.CenterPoint() : CPoint(900, 700);
        QCursor::setPos(cursor.x, cursor.y);
        timers.Advance(kTKExpandDelay - 1);
        ProcessEvents();
        EXPECT_FALSE(child->IsExpanded()) << test.name << ": not before the pause";
        timers.Advance(1);
        ProcessEvents();
        EXPECT_EQ(child->IsExpanded(), test.expanded) << test.name;
        timers.SetFakeClock(FALSE);
        popup->SetTrackingMode(0, FALSE, FALSE);
    }
}

TEST_F(PopupLayoutTest, MenuCommandsAndDeactivationCloseTheOpenMenus)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        BOOL closes;
    };
    const Case cases[] = {
        {"command from a menu", WM_COMMAND, kFirstId, TRUE},
        {"command 0", WM_COMMAND, 0, TRUE},
        {"control notification", WM_COMMAND, static_cast<WPARAM>(MAKELONG(kFirstId, 1)), FALSE},
        {"system command", WM_SYSCOMMAND, 0xF060, TRUE},
        {"application deactivated", WM_ACTIVATEAPP, 0, TRUE},
        {"application activated", WM_ACTIVATEAPP, 1, FALSE},
        {"other message", WM_SIZE, 0, FALSE},
    };
    for (const Case& test : cases) {
        auto popup = MakePopup(2);
        ASSERT_TRUE(popup->SetPopupPosition(50, 50, nullptr)) << test.name;
        LRESULT result = 0;
        EXPECT_FALSE(bars->HookFrameMessage(test.message, test.wParam, 0, &result)) << test.name;
        EXPECT_EQ(popup->GetTrackingMode() == 0, test.closes) << test.name;
        popup->SetTrackingMode(0, FALSE, FALSE);
    }
}

TEST_F(PopupLayoutTest, ContextMenusStayOnTheWorkArea)
{
    const CRect work = CSystemMetrics::Instance().GetWorkArea();
    struct Case {
        const char* name;
        CPoint point;
        BOOL opensAbove;
        BOOL opensLeft;
    };
    const Case cases[] = {
        {"room below and right", {100, 100}, FALSE, FALSE},
        {"near the bottom: above the point", {100, work.bottom - 20}, TRUE, FALSE},
        {"near the right edge: pushed back", {work.right - 10, 100}, FALSE, TRUE},
    };
    for (const Case& test : cases) {
        auto popup = MakePopup(6);
        ASSERT_TRUE(popup->SetPopupPosition(test.point.x, test.point.y, nullptr)) << test.name;
        const CRect rect = WindowRect(popup.get());
        EXPECT_EQ(rect.bottom == test.point.y, test.opensAbove) << test.name;
        EXPECT_EQ(rect.top == test.point.y, !test.opensAbove) << test.name;
        EXPECT_EQ(rect.left < test.point.x, test.opensLeft) << test.name;
        EXPECT_LE(rect.right, work.right) << test.name;
        popup->SetTrackingMode(0, FALSE, FALSE);
    }
}

TEST_F(PopupLayoutTest, ATallMenuScrollsBetweenArrowBands)
{
    const CRect work = CSystemMetrics::Instance().GetWorkArea();
    auto popup = MakePopup(80);
    ASSERT_TRUE(popup->SetPopupPosition(100, 100, nullptr));
    ASSERT_TRUE(popup->IsScrolling());
    const CRect rect = WindowRect(popup.get());
    EXPECT_LE(rect.bottom, work.bottom - kTKPopupBottomGap);
    EXPECT_EQ(popup->GetFirstShown(), 0);
    EXPECT_TRUE(popup->GetScrollUpArea().IsRectEmpty());
    EXPECT_EQ(popup->GetScrollDownArea().Height(), kTKScrollBandHeight);
    const int shown = popup->GetEndShown();
    ASSERT_LT(shown, 80);
    EXPECT_TRUE(popup->GetControl(shown - 1)->IsVisible());
    EXPECT_EQ(popup->GetControl(shown)->GetHideFlags(), kTKHideScroll);
    EXPECT_LE(popup->GetControl(shown - 1)->GetRect().bottom, popup->GetScrollDownArea().top);

    // Each step of the down timer shows one more item until the last.
    for (int step = 0; step < 200 && popup->GetEndShown() < 80; ++step)
        popup->ScrollDownStep();
    EXPECT_EQ(popup->GetEndShown(), 80);
    EXPECT_TRUE(popup->GetControl(79)->IsVisible());
    EXPECT_FALSE(popup->GetControl(0)->IsVisible());
    EXPECT_EQ(popup->GetScrollUpArea().Height(), kTKScrollBandHeight);
    EXPECT_TRUE(popup->GetScrollDownArea().IsRectEmpty());

    // Choosing a scrolled-away item by the keyboard brings it into view.
    popup->SetSelected(3, TRUE);
    EXPECT_TRUE(popup->GetControl(3)->IsVisible());
    EXPECT_EQ(popup->GetFirstShown(), 3);
    popup->SetTrackingMode(0, FALSE, FALSE);
}

TEST_F(PopupLayoutTest, ASplitButtonInAMenuExecutesLeftAndOpensRight)
{
    struct Case {
        const char* name;
        int fromRight;   // press and release this far left of the right edge
        BOOL opens;
        BOOL executes;
    };
    const Case cases[] = {
        {"main part", 40, FALSE, TRUE},
        {"arrow part", 10, TRUE, FALSE},
    };
    for (const Case& test : cases) {
        auto popup = MakePopup(1);
        auto* split = dynamic_cast<CTKControlPopup*>(
            popup->GetControls()->AddNewControl(kTKControlSplitButtonPopup, kFirstId + 5));
        ASSERT_NE(split, nullptr);
        std::unique_ptr<CTKPopupBar, Releaser> child(CTKPopupBar::NewPopupBar(bars.get()));
        child->GetControls()->AddNewControl(kTKControlButton, kFirstId + 6);
        split->SetCommandBar(child.get());
        ASSERT_TRUE(popup->SetPopupPosition(50, 50, nullptr)) << test.name;
        site.commands.clear();
        const CRect rect = split->GetRect();
        const CPoint point(rect.right - test.fromRight, rect.CenterPoint().y);
        popup->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        EXPECT_EQ(child->GetTrackingMode() != 0, test.opens) << test.name;
        popup->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        EXPECT_EQ(site.commands == std::vector<UINT>{kFirstId + 5}, test.executes) << test.name;
        CTKPopupTracker::Get().CloseTrackedBars();
    }
}

} // namespace
