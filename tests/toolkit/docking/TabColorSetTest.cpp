// Tab colour sets: caption colours, the colours each set and look pair
// chooses, the luna palettes and the gradient and halftone fills.

#include "TestTabSet.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/commandbars/draw/CTKVisualStyles.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabColorSetType4.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kText = RGB(1, 1, 1);
constexpr COLORREF kInactive = RGB(2, 2, 2);
constexpr COLORREF kSelected = RGB(3, 3, 3);
constexpr COLORREF kHot = RGB(4, 4, 4);
constexpr COLORREF kDisabled = RGB(5, 5, 5);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

COLORREF Entry(int index)
{
    return CTKSystemColors::Instance().LookupColor(static_cast<UINT>(index));
}

class TabColorSetTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override
    {
        CTKVisualStyles::PretendThemeName("", "");
        CSystemMetrics::Instance().Reset();
    }

    CTKTabRenderer renderer;
};

TEST_F(TabColorSetTest, CaptionColourPrecedence)
{
    struct Case {
        BOOL enabled;
        BOOL active;
        BOOL hot;
        BOOL selected;
        COLORREF expected;
    };
    const Case cases[] = {
        {FALSE, FALSE, TRUE, TRUE, kDisabled}, {TRUE, FALSE, TRUE, TRUE, kInactive},
        {TRUE, TRUE, TRUE, TRUE, kHot},        {TRUE, TRUE, FALSE, TRUE, kSelected},
        {TRUE, TRUE, FALSE, FALSE, kText},
    };
    CTKTabColorSet* colors = renderer.GetColorSet();
    colors->textColor = kText;
    colors->inactiveTextColor = kInactive;
    colors->selectedTextColor = kSelected;
    colors->hotTextColor = kHot;
    colors->disabledTextColor = kDisabled;
    for (const Case& c : cases) {
        CTestTabSet set(&renderer);
        CTKTabItem* tab = set.Add("Tab");
        set.Add("Other");
        tab->SetEnabled(c.enabled);
        set.SetActive(c.active);
        set.SetHotTab(c.hot ? tab : nullptr);
        set.SetSelectedTab(c.selected ? tab : set.GetTab(1));
        CQtImageDC dc(1, 1);
        colors->SetTabTextColor(&dc, tab);
        EXPECT_EQ(dc.GetTextColor(), c.expected);
    }
}

TEST_F(TabColorSetTest, EachLookAndSetPairChoosesItsColours)
{
    struct Case {
        int look;
        int colors;
        COLORREF selected;
        COLORREF normal;
        COLORREF frame;
        COLORREF headerFirst;
    };
    const Case cases[] = {
        {0, 1, Entry(15), Entry(15), Entry(16), Entry(15)},
        {7, 1, Entry(15), Entry(5), Entry(18), Entry(15)},
        {7, 2, Entry(5), Entry(15), Entry(16), Entry(15)},
        {0, 2, Entry(15), Entry(15), Entry(16), Entry(48)},
        {4, 2, Entry(15), Entry(15), Entry(16), Entry(15)},
        {0, 4, Entry(36), Entry(15), Entry(16), Entry(15)},
    };
    for (const Case& c : cases) {
        renderer.SetLook(c.look);
        renderer.SetColors(c.colors);
        const CTKTabColorSet* set = renderer.GetColorSet();
        SCOPED_TRACE(testing::Message() << "look " << c.look << " colours " << c.colors);
        EXPECT_EQ(set->selectedTabColor, c.selected);
        EXPECT_EQ(set->normalTabColor, c.normal);
        EXPECT_EQ(set->frameColor, c.frame);
        EXPECT_EQ(set->headerGradient.first, c.headerFirst);
        EXPECT_EQ(set->secondGradient.first, set->headerGradient.first);
    }
    // The flat look greys its captions in set 2.
    renderer.SetLook(5);
    EXPECT_EQ(renderer.GetColorSet()->textColor, Entry(49));
    // The default set's selected button is a halftone, framed as a sunken edge.
    renderer.SetColors(1);
    EXPECT_EQ(renderer.GetColorSet()->buttonFill.first, CTKTabColorSet::kHalftone);
    EXPECT_EQ(renderer.GetColorSet()->buttonBorder.first, Entry(16));
    EXPECT_EQ(renderer.GetColorSet()->buttonBorder.second, Entry(20));
}

TEST_F(TabColorSetTest, LunaPalettesReplaceTheColoursOfSetFour)
{
    struct Case {
        const char* scheme;
        int look;
        BOOL lunaOff;
        COLORREF selected;
        COLORREF headerFirst;
        COLORREF frame;
        BOOL palette;
    };
    const Case cases[] = {
        {"", 0, FALSE, Entry(36), Entry(15), Entry(16), FALSE},
        {"HomeStead", 0, FALSE, RGB(255, 194, 115), RGB(242, 241, 228), RGB(96, 128, 88), TRUE},
        {"NormalColor", 3, FALSE, RGB(255, 194, 115), RGB(196, 218, 250), RGB(59, 97, 156), TRUE},
        {"Metallic", 0, FALSE, RGB(255, 194, 115), RGB(243, 243, 247), RGB(124, 124, 148), TRUE},
        // The button look keeps a plain strip even with a palette.
        {"HomeStead", 4, FALSE, RGB(255, 194, 115), Entry(15), RGB(96, 128, 88), TRUE},
        {"HomeStead", 0, TRUE, Entry(15), Entry(15), Entry(16), FALSE},
    };
    for (const Case& c : cases) {
        CTKVisualStyles::PretendThemeName(*c.scheme ? "C:/Windows/Resources/Themes/Luna/Luna.msstyles" : "",
                                          c.scheme);
        renderer.SetLunaColorsOff(c.lunaOff);
        renderer.SetLook(c.look);
        renderer.SetColors(4);
        const auto* set = dynamic_cast<const CTKTabColorSetType4*>(renderer.GetColorSet());
        ASSERT_NE(set, nullptr);
        SCOPED_TRACE(testing::Message() << c.scheme << " look " << c.look);
        EXPECT_EQ(set->selectedTabColor, c.selected);
        EXPECT_EQ(set->headerGradient.first, c.headerFirst);
        EXPECT_EQ(set->frameColor, c.frame);
        EXPECT_EQ(set->lunaPalette, c.palette);
        const COLORREF outline = set->frameColor;
        EXPECT_EQ(set->outline[0], outline);
        EXPECT_EQ(set->selectedOutline[2], outline);
        EXPECT_EQ(set->outline[3], CTKTabColorSet::kNoColor);
    }
}

TEST_F(TabColorSetTest, GradientsRunFromTheOuterEdgeUnlessExchanged)
{
    struct Case {
        int position;
        BOOL reversed;
        COLORREF outerEnd;   // at the top (left) edge of the rectangle
    };
    const Case cases[] = {
        {CTKTabRenderer::kTop, FALSE, kRed},    {CTKTabRenderer::kBottom, FALSE, kBlue},
        {CTKTabRenderer::kLeft, FALSE, kRed},   {CTKTabRenderer::kRight, FALSE, kBlue},
        {CTKTabRenderer::kTop, TRUE, kBlue},    {CTKTabRenderer::kBottom, TRUE, kRed},
    };
    for (const Case& c : cases) {
        renderer.SetGradientReversed(c.reversed);
        CQtImageDC dc(40, 40);
        renderer.GetColorSet()->FillGradientByPosition(&dc, CRect(0, 0, 40, 40), kRed, kBlue, c.position);
        const BOOL horizontal = CTKTabRenderer::IsHorizontal(c.position);
        const COLORREF first = ProbeColor(dc.GetImage(), 20, 0);
        const COLORREF firstAcross = ProbeColor(dc.GetImage(), 0, 20);
        SCOPED_TRACE(testing::Message() << "position " << c.position << " reversed " << c.reversed);
        EXPECT_EQ(horizontal ? first : firstAcross, c.outerEnd);
        // The bands run along the strip's depth only.
        if (horizontal)
            EXPECT_EQ(ProbeColor(dc.GetImage(), 0, 0), ProbeColor(dc.GetImage(), 39, 0));
        else
            EXPECT_EQ(ProbeColor(dc.GetImage(), 0, 0), ProbeColor(dc.GetImage(), 0, 39));
    }
}

TEST_F(TabColorSetTest, HalftoneAndBlendedTabFills)
{
    CQtImageDC dc(8, 8);
    renderer.GetColorSet()->FillGradientByPosition(&dc, CRect(0, 0, 8, 8), CTKTabColorSet::kHalftone, kBlue,
                                                   CTKTabRenderer::kTop);
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const COLORREF light = GetSysColor(COLOR_3DHIGHLIGHT);
    EXPECT_NE(ProbeColor(dc.GetImage(), 0, 0), ProbeColor(dc.GetImage(), 1, 0));
    EXPECT_EQ(ProbeColor(dc.GetImage(), 0, 0), ProbeColor(dc.GetImage(), 1, 1));
    for (const CPoint p : {CPoint(0, 0), CPoint(1, 0)}) {
        const COLORREF c = ProbeColor(dc.GetImage(), p.x, p.y);
        EXPECT_TRUE(c == face || c == light);
    }

    // Set four fills a tab from a 30 % lightening down to its colour.
    renderer.SetColors(4);
    renderer.SetColorCoded(TRUE);
    CTestTabSet set(&renderer);
    CTKTabItem* tab = set.Add("Tab");
    tab->SetColor(RGB(100, 50, 0));
    CQtImageDC tabDc(10, 30);
    EXPECT_EQ(renderer.GetColorSet()->FillTab(&tabDc, CRect(0, 0, 10, 30), tab), RGB(100, 50, 0));
    EXPECT_EQ(ProbeColor(tabDc.GetImage(), 5, 0), CTKSystemColors::BlendColors(RGB(100, 50, 0), RGB(255, 255, 255), 300));
    // The hot tab takes the hot colour.
    set.SetHotTab(tab);
    const auto* four = dynamic_cast<const CTKTabColorSetType4*>(renderer.GetColorSet());
    EXPECT_EQ(renderer.GetColorSet()->FillTab(&tabDc, CRect(0, 0, 10, 30), tab), four->hotTabColor);
}

} // namespace
