// The tab renderer and the looks' geometry: shrinking, extents, scrolling
// a tab into view, header and client rectangles, the stacked layout and
// the choice of look, colour set and fonts.

#include "TestTabSet.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/docking/tabs/CTKTabColorSetDefault.h"
#include "toolkit/docking/tabs/CTKTabColorSetType2.h"
#include "toolkit/docking/tabs/CTKTabColorSetType4.h"
#include "toolkit/docking/tabs/CTKTabLook.h"

#include <gtest/gtest.h>

namespace {

class TabRendererTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override { CSystemMetrics::Instance().Reset(); }

    CTKTabRenderer renderer;
};

TEST(TabShrinkTest, WidestTabsAreCutFirst)
{
    struct Case {
        std::vector<int> extents;
        int available;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {{100, 100, 60}, 200, {70, 70, 60}},
        {{100, 80, 60}, 150, {50, 50, 50}},
        {{60, 100, 80}, 150, {50, 50, 50}},
        {{100, 60, 60}, 190, {70, 60, 60}},
        {{300}, 100, {100}},
        {{50, 50}, 200, {50, 50}},
        {{90, 90, 90}, 100, {33, 33, 33}},
    };
    for (const Case& c : cases) {
        std::vector<int> extents = c.extents;
        CTKTabRenderer::ShrinkTabsToFit(&extents, c.available);
        EXPECT_EQ(extents, c.expected) << c.available;
    }
}

TEST_F(TabRendererTest, ALookBringsItsOwnColourSet)
{
    struct Case {
        int look;
        int colorType;
        CRect margins;
    };
    const Case cases[] = {
        {0, 1, CRect(2, 3, 6, 0)}, {1, 1, CRect(2, 3, 6, 0)}, {2, 1, CRect(2, 2, 4, 0)},
        {4, 2, CRect(2, 2, 2, 2)}, {5, 2, CRect(4, 2, 4, 0)}, {6, 2, CRect(2, 2, 4, 0)},
        {8, 1, CRect(0, 0, 0, 0)}, {9, 1, CRect(2, 3, 6, 0)}, {-1, 1, CRect(2, 3, 6, 0)},
    };
    for (const Case& c : cases) {
        renderer.SetLook(c.look);
        EXPECT_EQ(renderer.GetLookType(), c.look);
        EXPECT_EQ(renderer.GetColorType(), c.colorType) << c.look;
        EXPECT_EQ(renderer.GetLook()->GetTabAreaMargins(), c.margins) << c.look;
        EXPECT_EQ(renderer.GetColorSet()->GetRenderer(), &renderer);
    }
    // The slanted and trapezoid looks leave room for their slopes.
    renderer.SetLook(3);
    const int text = renderer.GetLook()->GetTextHeight();
    EXPECT_EQ(renderer.GetColorType(), 4);
    EXPECT_EQ(renderer.GetLook()->GetTabAreaMargins(), CRect(2 + text, 3, 6, 0));
    renderer.SetLook(7);
    EXPECT_EQ(renderer.GetLook()->GetTabAreaMargins(), CRect(2 + text / 2, 3, 2 + text / 2, 0));

    // A colour set chosen after the look stays until the next look.
    renderer.SetColors(4);
    EXPECT_NE(dynamic_cast<CTKTabColorSetType4*>(renderer.GetColorSet()), nullptr);
    renderer.SetPosition(CTKTabRenderer::kBottom);
    EXPECT_NE(dynamic_cast<CTKTabColorSetType4*>(renderer.GetColorSet()), nullptr);
    renderer.SetLook(5);
    EXPECT_NE(dynamic_cast<CTKTabColorSetType2*>(renderer.GetColorSet()), nullptr);
    renderer.SetColors(3);
    EXPECT_NE(dynamic_cast<CTKTabColorSetDefault*>(renderer.GetColorSet()), nullptr);
    renderer.SetColors(8);
    EXPECT_FALSE(renderer.GetColorSet()->IsThemed());
}

TEST_F(TabRendererTest, SmallVerticalFontsAreRaisedToElevenPixels)
{
    struct Case {
        LONG height;
        LONG vertical;
    };
    const Case cases[] = {{-10, -11}, {-1, -11}, {-12, -12}, {-11, -11}, {12, 12}, {0, 0}};
    for (const Case& c : cases) {
        LOGFONT font = CSystemMetrics::Instance().GetIconTitleFont();
        font.lfHeight = c.height;
        CSystemMetrics::Instance().SetIconTitleFont(font);
        renderer.RefreshMetrics();
        EXPECT_EQ(renderer.GetRegularFont()->GetRecord().lfHeight, c.height);
        EXPECT_EQ(renderer.GetRegularFont()->GetRecord().lfWeight, FW_NORMAL);
        EXPECT_EQ(renderer.GetBoldFont()->GetRecord().lfWeight, FW_BOLD);
        for (CFont* vertical : {renderer.GetVerticalFont(), renderer.GetVerticalBoldFont()}) {
            EXPECT_EQ(vertical->GetRecord().lfHeight, c.vertical) << c.height;
            EXPECT_EQ(vertical->GetRecord().lfEscapement, 2700);
            EXPECT_EQ(vertical->GetRecord().lfOrientation, 900);
            EXPECT_STREQ(vertical->GetRecord().lfFaceName, "Arial");
        }
    }
}

TEST_F(TabRendererTest, TabExtentsFollowTheLayoutModeAndTheClamps)
{
    const int wide = CaptionWidth(&renderer, "Wide caption");
    const int narrow = CaptionWidth(&renderer, "Ab");
    struct Case {
        int mode;
        CRect insets;
        CSize minimum;
        CSize maximum;
        BOOL selectNarrow;
        int expectedNarrow;
        int expectedWide;
    };
    const Case cases[] = {
        {0, CRect(), CSize(), CSize(), FALSE, narrow + 16 + 12, wide + 12},
        {0, CRect(3, 0, 4, 0), CSize(), CSize(), FALSE, narrow + 16 + 12 + 7, wide + 12 + 7},
        {0, CRect(), CSize(60, 0), CSize(), FALSE, std::max(60, narrow + 28), std::max(60, wide + 12)},
        {0, CRect(), CSize(), CSize(40, 0), FALSE, std::min(40, narrow + 28), 40},
        {2, CRect(), CSize(), CSize(), FALSE, 70, 70},
        {2, CRect(1, 0, 1, 0), CSize(), CSize(50, 0), FALSE, 50, 50},
        // Only the selected tab shows its caption: as wide as the widest one.
        {3, CRect(), CSize(), CSize(), TRUE, wide + 16 + 12, 8 + 16},
        {3, CRect(2, 0, 2, 0), CSize(), CSize(), FALSE, 16 + 8 + 4, wide + 12 + 4},
    };
    for (const Case& c : cases) {
        renderer.SetLayoutMode(c.mode);
        renderer.SetTabInsets(c.insets);
        CTestTabSet set(&renderer);
        CTKTabItem* withIcon = set.Add("Ab", TRUE);
        CTKTabItem* plain = set.Add("Wide caption");
        set.SetTabSizes(CSize(70, 18), c.minimum, c.maximum);
        set.SetSelectedTab(c.selectNarrow ? withIcon : plain);
        CQtImageDC dc(1, 1);
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        EXPECT_EQ(renderer.GetLook()->GetTabExtent(&dc, withIcon), c.expectedNarrow);
        EXPECT_EQ(renderer.GetLook()->GetTabExtent(&dc, plain), c.expectedWide);
    }
}

TEST_F(TabRendererTest, EnsureVisibleScrollsTheTabIntoTheHeader)
{
    renderer.SetLayoutMode(CTKTabRenderer::kLayoutFixed);
    struct Case {
        int position;
        int startOffset;
        int tab;
        int expectedOffset;
    };
    // Ten tabs of 70 in a 300-pixel strip; the tab area starts 2 pixels in.
    const Case cases[] = {
        {CTKTabRenderer::kTop, 0, 0, 0},         // already in view
        {CTKTabRenderer::kTop, 0, 5, -151},      // right edge 2 + 420 to the header's end at 299 - 2 x 14
        {CTKTabRenderer::kTop, -300, 1, -70},    // left edge back to the tab area's start
        {CTKTabRenderer::kTop, 0, 9, -431},
        {CTKTabRenderer::kLeft, 0, 5, -153},     // buttons are 15 high in a vertical strip
        {CTKTabRenderer::kBottom, -300, 0, 0},
    };
    for (const Case& c : cases) {
        renderer.SetPosition(c.position);
        CTestTabSet set(&renderer);
        for (int i = 0; i < 10; ++i)
            set.Add("T" + std::to_string(i));
        set.SetScrollOffset(c.startOffset);
        const CRect place = CTKTabRenderer::IsHorizontal(c.position) ? CRect(0, 0, 300, 80) : CRect(0, 0, 80, 300);
        set.Place(place);
        set.EnsureVisible(set.GetTab(c.tab));
        SCOPED_TRACE(testing::Message() << "position " << c.position << " tab " << c.tab);
        EXPECT_EQ(set.GetScrollOffset(), c.expectedOffset);
        const CRect header = set.GetHeaderRect();
        const CRect tab = set.GetTab(c.tab)->GetRect();
        if (CTKTabRenderer::IsHorizontal(c.position)) {
            EXPECT_GE(tab.left, header.left);
            EXPECT_LE(tab.right, header.right);
        } else {
            EXPECT_GE(tab.top, header.top);
            EXPECT_LE(tab.bottom, header.bottom);
        }
    }
}

TEST_F(TabRendererTest, HeaderAndClientRectanglesPerLookAndPosition)
{
    // With icons shown the strip is 16 + 4 high; the look's margins add to it.
    const CRect rect(0, 0, 200, 100);
    struct Case {
        int look;
        int position;
        CRect header;
        CRect clientArea;
    };
    const Case cases[] = {
        {0, CTKTabRenderer::kTop, CRect(0, 0, 200, 23), CRect(0, 22, 200, 100)},
        {0, CTKTabRenderer::kLeft, CRect(0, 0, 23, 100), CRect(22, 0, 200, 100)},
        {0, CTKTabRenderer::kBottom, CRect(0, 77, 200, 100), CRect(0, 0, 200, 78)},
        {0, CTKTabRenderer::kRight, CRect(177, 0, 200, 100), CRect(0, 0, 178, 100)},
        {4, CTKTabRenderer::kTop, CRect(0, 0, 200, 24), CRect(0, 23, 200, 100)},
        {4, CTKTabRenderer::kRight, CRect(176, 0, 200, 100), CRect(0, 0, 177, 100)},
        {5, CTKTabRenderer::kBottom, CRect(0, 78, 200, 100), CRect(0, 0, 200, 79)},
        {2, CTKTabRenderer::kLeft, CRect(0, 0, 22, 100), CRect(21, 0, 200, 100)},
    };
    for (const Case& c : cases) {
        renderer.SetLook(c.look);
        renderer.SetPosition(c.position);
        CTestTabSet set(&renderer);
        SCOPED_TRACE(testing::Message() << "look " << c.look << " position " << c.position);
        EXPECT_EQ(renderer.GetLook()->GetHeaderRect(rect, &set), c.header);
        EXPECT_EQ(renderer.GetLook()->GetClientAreaRect(rect, &set), c.clientArea);
    }
}

TEST_F(TabRendererTest, HeaderHeightHasAFloorAndGrowsWithTheIcons)
{
    renderer.SetTabInsets(CRect(0, 2, 0, 3));
    CTestTabSet set(&renderer);
    renderer.SetShowIcons(FALSE);
    EXPECT_EQ(renderer.GetLook()->GetHeaderHeight(&set), 18 + 5);
    renderer.SetShowIcons(TRUE);
    renderer.SetImageSize(CSize(32, 32));
    EXPECT_EQ(renderer.GetLook()->GetHeaderHeight(&set), 36 + 5);
    set.SetTabSizes(CSize(70, 18), CSize(0, 50), CSize());
    EXPECT_EQ(renderer.GetLook()->GetHeaderHeight(&set), 50);
}

TEST_F(TabRendererTest, ClientFramesAndTheStaticFrameShrinkTheClientRectangle)
{
    struct Case {
        int frame;
        BOOL staticFrame;
        int position;
        CRect client;
    };
    const Case cases[] = {
        {CTKTabRenderer::kFrame3D, FALSE, CTKTabRenderer::kTop, CRect(2, 24, 198, 98)},
        {CTKTabRenderer::kFrameSingle, FALSE, CTKTabRenderer::kTop, CRect(0, 24, 200, 100)},
        {CTKTabRenderer::kFrameSingle, FALSE, CTKTabRenderer::kBottom, CRect(0, 0, 200, 76)},
        {CTKTabRenderer::kFrameNone, FALSE, CTKTabRenderer::kLeft, CRect(22, 0, 200, 100)},
        // The static frame takes 2, 1, 2, 2 before the strip.
        {CTKTabRenderer::kFrameNone, TRUE, CTKTabRenderer::kTop, CRect(2, 23, 198, 98)},
    };
    for (const Case& c : cases) {
        renderer.SetClientFrame(c.frame);
        renderer.SetStaticFrame(c.staticFrame);
        renderer.SetPosition(c.position);
        CTestTabSet set(&renderer);
        set.Add("One");
        set.Place(CRect(0, 0, 200, 100));
        EXPECT_EQ(set.GetClientRect(), c.client) << c.frame << " " << c.position;
        EXPECT_EQ(set.GetWholeRect(), CRect(0, 0, 200, 100));
    }
    // Without tabs the whole area is the client.
    renderer.SetStaticFrame(FALSE);
    CTestTabSet empty(&renderer);
    empty.Place(CRect(0, 0, 200, 100));
    EXPECT_EQ(empty.GetClientRect(), CRect(0, 0, 200, 100));
}

TEST_F(TabRendererTest, StackedBarsLeaveTheClientAreaToTheSelectedTab)
{
    renderer.SetLook(8);
    struct Case {
        int height;
        int selected;
        std::vector<int> tops;
        CRect clientArea;
    };
    const Case cases[] = {
        {300, 2, {1, 21, 41, 260, 280}, CRect(1, 61, 199, 260)},
        // Too little room: the client area keeps one bar height.
        {100, 2, {1, 21, 41, 81, 101}, CRect(1, 61, 199, 81)},
        {300, 4, {1, 21, 41, 61, 81}, CRect(1, 101, 199, 299)},
        {300, 0, {1, 220, 240, 260, 280}, CRect(1, 21, 199, 220)},
    };
    for (const Case& c : cases) {
        CTestTabSet set(&renderer);
        for (int i = 0; i < 5; ++i)
            set.Add("Bar" + std::to_string(i));
        set.SetSelectedTab(set.GetTab(c.selected));
        set.Place(CRect(0, 0, 200, c.height));
        SCOPED_TRACE(testing::Message() << c.height << " selected " << c.selected);
        EXPECT_TRUE(set.GetHeaderRect().IsRectEmpty());
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(set.GetTab(i)->GetRect(), CRect(1, c.tops[i], 200, c.tops[i] + 20)) << i;
        EXPECT_EQ(set.GetClientRect(), c.clientArea);
    }
}

TEST_F(TabRendererTest, SlantedTabsStartOneTextHeightFurtherIn)
{
    renderer.SetLayoutMode(CTKTabRenderer::kLayoutFixed);
    CTestTabSet set(&renderer);
    set.Add("One");
    set.Place(CRect(0, 0, 300, 80));
    const int classic = set.GetTab(0)->GetRect().left;
    renderer.SetLook(3);
    set.Place(CRect(0, 0, 300, 80));
    EXPECT_EQ(set.GetTab(0)->GetRect().left, classic + renderer.GetLook()->GetTextHeight());
}

} // namespace
