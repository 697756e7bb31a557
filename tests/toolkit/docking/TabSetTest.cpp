// Tab sets: inserting and removing tabs, selection, scrolling, hit tests,
// tooltips and the navigation buttons' rules.

#include "TestTabSet.h"
#include "toolkit/ToolkitFixture.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/docking/tabs/CTKTabLook.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kAutoPalette[] = {
    RGB(138, 168, 228), RGB(255, 219, 117), RGB(189, 205, 159), RGB(240, 158, 159),
    RGB(186, 166, 225), RGB(154, 191, 180), RGB(247, 182, 131), RGB(216, 171, 192),
};

class TabSetTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override { CSystemMetrics::Instance().Reset(); }

    CTKTabRenderer renderer;
    CTestTabSet tabs {&renderer};
};

TEST_F(TabSetTest, InsertAppendsOutOfRangeIndicesAndCyclesTheAutomaticColours)
{
    CTKTabItem* first = tabs.InsertTab(5, nullptr);
    EXPECT_EQ(first->GetIndex(), 0);
    EXPECT_EQ(first->GetTabSet(), &tabs);
    CTKTabItem* front = tabs.InsertTab(0, nullptr);
    EXPECT_EQ(front->GetIndex(), 0);
    EXPECT_EQ(first->GetIndex(), 1);
    for (int i = 2; i < 9; ++i)
        tabs.InsertTab(-1, nullptr);
    // Colours follow the order of insertion, not the position.
    EXPECT_EQ(first->GetColor(), kAutoPalette[0]);
    EXPECT_EQ(front->GetColor(), kAutoPalette[1]);
    for (int i = 2; i < 8; ++i)
        EXPECT_EQ(tabs.GetTab(i)->GetColor(), kAutoPalette[i]) << i;
    EXPECT_EQ(tabs.GetTab(8)->GetColor(), first->GetColor());
    // A colour of the owner's own is returned as it is.
    tabs.GetTab(3)->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(tabs.GetTab(3)->GetColor(), RGB(1, 2, 3));
}

TEST_F(TabSetTest, RemovingTheSelectedTabSelectsItsNeighbour)
{
    struct Case {
        int count;
        int selected;
        int removed;
        int expected;   // index of the new selection, -1 for none
    };
    const Case cases[] = {
        {3, 2, 2, 1},    // the last tab: the new last one
        {3, 0, 0, 0},    // the first: the one that moved into its place
        {3, 1, 0, 0},    // another tab: the selection stays
        {1, 0, 0, -1},   // the only tab: nothing left to select
    };
    for (const Case& c : cases) {
        CTestTabSet set(&renderer);
        for (int i = 0; i < c.count; ++i)
            set.Add("Tab" + std::to_string(i));
        CTKTabItem* kept = c.selected != c.removed ? set.GetTab(c.selected) : nullptr;
        set.SetSelectedTab(set.GetTab(c.selected));
        ASSERT_TRUE(set.RemoveTabAt(c.removed));
        EXPECT_EQ(set.GetTabCount(), c.count - 1);
        CTKTabItem* expected = c.expected < 0 ? nullptr : set.GetTab(c.expected);
        EXPECT_EQ(set.GetSelectedTab(), expected) << c.removed;
        if (kept) {
            EXPECT_EQ(set.GetSelectedTab(), kept);
        }
    }
}

TEST_F(TabSetTest, RemovalRefusesBadIndicesAndForgetsTheHotTab)
{
    tabs.Add("One");
    tabs.Add("Two");
    EXPECT_FALSE(tabs.RemoveTabAt(-1));
    EXPECT_FALSE(tabs.RemoveTabAt(2));
    tabs.SetHotTab(tabs.GetTab(1));
    ASSERT_TRUE(tabs.RemoveTabAt(1));
    EXPECT_EQ(tabs.GetHotTab(), nullptr);
    tabs.SetSelectedTab(tabs.GetTab(0));
    tabs.RemoveAllTabs();
    EXPECT_EQ(tabs.GetTabCount(), 0);
    EXPECT_EQ(tabs.GetSelectedTab(), nullptr);
    EXPECT_EQ(tabs.FindNavigateButton(3), nullptr);
}

TEST_F(TabSetTest, ATabHeldElsewhereOutlivesItsSet)
{
    CTKTabItem* removed = tabs.Add("Removed");
    removed->InternalAddRef();
    ASSERT_TRUE(tabs.RemoveTabAt(0));
    CTKTabItem* orphan = nullptr;
    {
        CTestTabSet set(&renderer);
        orphan = set.Add("Orphan");
        orphan->InternalAddRef();
    }
    for (CTKTabItem* tab : {removed, orphan}) {
        EXPECT_EQ(tab->GetTabSet(), nullptr);
        EXPECT_EQ(tab->GetIndex(), -1);
        EXPECT_FALSE(tab->GetCaption().empty());
        tab->SetCaption("Renamed");
        tab->SetColor(RGB(1, 2, 3));
        tab->Remove();
        EXPECT_EQ(tab->GetCaption(), "Renamed");
        EXPECT_EQ(tab->GetColor(), RGB(1, 2, 3));
        EXPECT_EQ(tab->InternalRelease(), 0);
    }
}

TEST_F(TabSetTest, AnEqualCaptionChangesNothing)
{
    CTKTabItem* tab = tabs.Add("Main");
    const int before = tabs.layouts;
    tab->SetCaption("Main");
    EXPECT_EQ(tabs.layouts, before);
    tab->SetCaption("Main2");
    EXPECT_EQ(tabs.layouts, before + 1);
    EXPECT_EQ(tab->GetCaption(), "Main2");
}

TEST_F(TabSetTest, TheScrollOffsetIsNeverPositive)
{
    tabs.SetScrollOffset(15);
    EXPECT_EQ(tabs.GetScrollOffset(), 0);
    tabs.SetScrollOffset(-10);
    tabs.FindNavigateButton(CTKTabNavigateButton::kScrollStart)->OnClick(TRUE);
    EXPECT_EQ(tabs.GetScrollOffset(), 0);
    tabs.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->OnClick(TRUE);
    EXPECT_EQ(tabs.GetScrollOffset(), -20);
    // A click without repeat does not scroll.
    tabs.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->OnClick(FALSE);
    EXPECT_EQ(tabs.GetScrollOffset(), -20);
    // The close button acts on the click, not on the repeat.
    tabs.FindNavigateButton(CTKTabNavigateButton::kClose)->OnClick(TRUE);
    EXPECT_TRUE(tabs.clicks.empty());
    tabs.FindNavigateButton(CTKTabNavigateButton::kClose)->OnClick(FALSE);
    EXPECT_EQ(tabs.clicks, std::vector<int>{CTKTabNavigateButton::kClose});
}

TEST_F(TabSetTest, HitTestSkipsDisabledTabsAndPointsOutsideTheHeader)
{
    renderer.SetLayoutMode(CTKTabRenderer::kLayoutFixed);
    tabs.Add("One");
    tabs.Add("Two");
    tabs.Add("Three");
    tabs.Place(CRect(0, 0, 400, 100));
    const CRect second = tabs.GetTab(1)->GetRect();
    const CPoint inside = second.CenterPoint();
    EXPECT_EQ(tabs.HitTest(inside.x, inside.y), tabs.GetTab(1));
    tabs.GetTab(1)->SetEnabled(FALSE);
    EXPECT_EQ(tabs.HitTest(inside.x, inside.y), nullptr);
    tabs.GetTab(1)->SetEnabled(TRUE);
    tabs.GetTab(1)->SetVisible(FALSE);
    EXPECT_EQ(tabs.HitTest(inside.x, inside.y), nullptr);
    // Below the strip, in the client area.
    EXPECT_EQ(tabs.HitTest(inside.x, 80), nullptr);
    EXPECT_EQ(tabs.HitTest(-1, inside.y), nullptr);
}

TEST_F(TabSetTest, ToolInfoNamesTheTabByIndex)
{
    renderer.SetLayoutMode(CTKTabRenderer::kLayoutFixed);
    tabs.Add("One");
    CTKTabItem* second = tabs.Add("Two");
    tabs.Place(CRect(0, 0, 400, 100));
    TOOLINFO info;
    EXPECT_EQ(tabs.FillToolInfo(nullptr, second, &info), -1);
    EXPECT_EQ(tabs.FillToolInfo(nullptr, nullptr, &info), -1);
    second->SetTooltip("Second tab");
    EXPECT_EQ(tabs.FillToolInfo(nullptr, second, &info), 1);
    EXPECT_EQ(info.uId, 1u);
    EXPECT_EQ(info.text, "Second tab");
    EXPECT_EQ(info.rect, second->GetRect());
    EXPECT_EQ(tabs.FillToolInfo(nullptr, second, nullptr), 1);
}

TEST_F(TabSetTest, ScrollButtonsShowAndEnableByTheTabsThatDoNotFit)
{
    renderer.GetLook()->SetTabAreaMargins(CRect());
    struct Case {
        int length;   // of each of three tabs
        int offset;
        BOOL shown;
        BOOL startEnabled;
        BOOL endEnabled;
    };
    const Case cases[] = {
        {60, 0, TRUE, FALSE, TRUE},     // 180 > 122
        {60, -40, TRUE, TRUE, TRUE},    // 140 > 122
        {60, -60, TRUE, TRUE, FALSE},   // 120 is not above 122; shown for the offset
        {40, 0, FALSE, FALSE, FALSE},   // everything fits
        {50, 0, FALSE, FALSE, TRUE},    // 149 does not exceed 150, yet 150 > 122
    };
    for (const Case& c : cases) {
        CTestTabSet set(&renderer);
        for (int i = 0; i < 3; ++i)
            set.Add("T")->SetLength(c.length);
        set.SetScrollOffset(c.offset);
        CRect header(0, 0, 150, 24);
        for (int i = set.GetNavigateButtonCount() - 1; i >= 0; --i)
            set.GetNavigateButton(i)->Layout(&header);
        CTKTabNavigateButton* start = set.FindNavigateButton(CTKTabNavigateButton::kScrollStart);
        CTKTabNavigateButton* end = set.FindNavigateButton(CTKTabNavigateButton::kScrollEnd);
        SCOPED_TRACE(testing::Message() << c.length << " at " << c.offset);
        EXPECT_EQ(!start->GetRect().IsRectEmpty(), c.shown != FALSE);
        EXPECT_EQ(!end->GetRect().IsRectEmpty(), c.shown != FALSE);
        EXPECT_EQ(start->IsEnabled(), c.startEnabled);
        EXPECT_EQ(end->IsEnabled(), c.endEnabled);
        EXPECT_TRUE(set.FindNavigateButton(CTKTabNavigateButton::kClose)->GetRect().IsRectEmpty());
        EXPECT_EQ(header.right, c.shown ? 150 - 28 : 150);
    }
}

TEST_F(TabSetTest, ButtonsArePlacedFromTheEndOfTheStrip)
{
    struct Case {
        int position;
        CRect header;
        CRect close;
        CRect end;
        CRect start;
        CRect remaining;
    };
    const Case cases[] = {
        {CTKTabRenderer::kTop, CRect(0, 0, 150, 24), CRect(136, 4, 150, 19), CRect(122, 4, 136, 19),
         CRect(108, 4, 122, 19), CRect(0, 0, 108, 24)},
        {CTKTabRenderer::kLeft, CRect(0, 0, 24, 150), CRect(5, 135, 19, 150), CRect(5, 120, 19, 135),
         CRect(5, 105, 19, 120), CRect(0, 0, 24, 105)},
    };
    for (const Case& c : cases) {
        renderer.SetPosition(c.position);
        CTestTabSet set(&renderer);
        set.Add("T")->SetLength(400);
        set.FindNavigateButton(CTKTabNavigateButton::kClose)->SetMode(CTKTabNavigateButton::kAlways);
        CRect header = c.header;
        for (int i = set.GetNavigateButtonCount() - 1; i >= 0; --i)
            set.GetNavigateButton(i)->Layout(&header);
        EXPECT_EQ(set.FindNavigateButton(CTKTabNavigateButton::kClose)->GetRect(), c.close);
        EXPECT_EQ(set.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->GetRect(), c.end);
        EXPECT_EQ(set.FindNavigateButton(CTKTabNavigateButton::kScrollStart)->GetRect(), c.start);
        EXPECT_EQ(header, c.remaining);
        int edge = 100;
        set.FindNavigateButton(CTKTabNavigateButton::kClose)->ReserveSpace(&edge);
        set.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->ReserveSpace(&edge);
        EXPECT_EQ(edge, c.position == CTKTabRenderer::kTop ? 86 : 85);
    }
}

TEST_F(TabSetTest, ShrinkToFitHidesTheScrollButtons)
{
    renderer.SetLayoutMode(CTKTabRenderer::kLayoutShrink);
    for (int i = 0; i < 6; ++i)
        tabs.Add("A rather long caption " + std::to_string(i));
    tabs.Place(CRect(0, 0, 200, 60));
    EXPECT_TRUE(tabs.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->GetRect().IsRectEmpty());
    EXPECT_LE(tabs.GetTab(5)->GetRect().right, 200);
}

} // namespace
