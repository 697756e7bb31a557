// The tab gallery: tab sets in every look, position and colour set drawn
// into image device contexts and saved beside the test binary, with pixel
// probes at frames, the selected tab, gradient ends and the buttons.

#include "TestTabSet.h"
#include "platform/CSystemMetrics.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/docking/tabs/CTKTabColorSet.h"
#include "toolkit/docking/tabs/CTKTabLook.h"

#include <gtest/gtest.h>

namespace {

constexpr int kCellWidth = 230;
constexpr int kCellHeight = 130;
constexpr int kCellGap = 10;
constexpr int kLookCount = 9;
constexpr int kPositionCount = 4;
constexpr int kColorTypes[] = {0, 1, 2, 4};   // 0: the look's own
constexpr COLORREF kBackdrop = RGB(255, 0, 255);

// A tab set of the gallery: more tabs than fit, the second selected, a
// disabled one, one with an icon and the close button shown.
void FillGallerySet(CTestTabSet* set)
{
    const char* captions[] = {"Main", "Program", "Symbols", "Data", "Cross reference", "Status"};
    for (int i = 0; i < 6; ++i)
        set->Add(captions[i], i == 1);
    set->GetTab(3)->SetEnabled(FALSE);
    set->SetSelectedTab(set->GetTab(1));
    set->FindNavigateButton(CTKTabNavigateButton::kClose)->SetMode(CTKTabNavigateButton::kAlways);
}

// Draws one tab set into the rectangle of the device context.
void DrawSet(CTKTabRenderer* renderer, CTestTabSet* set, CDC* dc, const CRect& rect)
{
    renderer->RepositionTabs(set, dc, rect);
    renderer->DrawTabSet(dc, rect, set);
}

class TabGalleryTest : public ::testing::Test {
protected:
    void SetUp() override { PinPlatformDefaults(); }
    void TearDown() override { CSystemMetrics::Instance().Reset(); }

    COLORREF Entry(int index) const { return CTKSystemColors::Instance().LookupColor(static_cast<UINT>(index)); }

    CTKTabRenderer renderer;
};

TEST_F(TabGalleryTest, EveryLookPositionAndColourSetIsDrawn)
{
    for (int look = 0; look < kLookCount; ++look) {
        const int columns = kPositionCount;
        const int rows = static_cast<int>(std::size(kColorTypes));
        CQtImageDC dc(columns * (kCellWidth + kCellGap), rows * (kCellHeight + kCellGap));
        dc.FillSolidRect(CRect(0, 0, columns * (kCellWidth + kCellGap), rows * (kCellHeight + kCellGap)), kBackdrop);
        for (int row = 0; row < rows; ++row) {
            for (int position = 0; position < kPositionCount; ++position) {
                renderer.SetLook(look);
                if (kColorTypes[row] != 0)
                    renderer.SetColors(kColorTypes[row]);
                renderer.SetPosition(position);
                CTestTabSet set(&renderer);
                FillGallerySet(&set);
                const CRect cell(position * (kCellWidth + kCellGap), row * (kCellHeight + kCellGap),
                                 position * (kCellWidth + kCellGap) + kCellWidth,
                                 row * (kCellHeight + kCellGap) + kCellHeight);
                DrawSet(&renderer, &set, &dc, cell);
                // Nothing is left undrawn inside the tab set, nothing drawn outside it.
                const CPoint centre = set.GetClientRect().CenterPoint();
                EXPECT_NE(ProbeColor(dc.GetImage(), centre.x, centre.y), kBackdrop)
                    << "look " << look << " row " << row << " position " << position;
                EXPECT_EQ(ProbeColor(dc.GetImage(), cell.right + 1, cell.top + 1), kBackdrop);
            }
        }
        SaveArtefact(dc.GetImage(), "tab_gallery_look" + std::to_string(look) + ".png");
    }
}

TEST_F(TabGalleryTest, ClassicLookFramesTheClientAndRaisesTheSelectedTab)
{
    renderer.SetImageSize(CSize(16, 16));
    CTestTabSet set(&renderer);
    FillGallerySet(&set);
    CQtImageDC dc(kCellWidth, kCellHeight);
    DrawSet(&renderer, &set, &dc, CRect(0, 0, kCellWidth, kCellHeight));
    const QImage& image = dc.GetImage();
    const CTKTabColorSet* colors = renderer.GetColorSet();
    // Client frame: light at the left, dark shadow and the inner shadow at the right.
    const CRect client = renderer.GetLook()->GetClientAreaRect(CRect(0, 0, kCellWidth, kCellHeight), &set);
    const int middle = client.CenterPoint().y;
    EXPECT_EQ(ProbeColor(image, client.left, middle), colors->light3D);
    EXPECT_EQ(ProbeColor(image, client.right - 1, middle), colors->darkShadow3D);
    EXPECT_EQ(ProbeColor(image, client.right - 2, middle), colors->shadow3D);
    // The selected tab stands 2 pixels higher than the others and joins the client.
    const CRect selected = set.GetSelectedTab()->GetRect();
    const CRect other = set.GetTab(0)->GetRect();
    EXPECT_EQ(ProbeColor(image, selected.left + 4, selected.top - 2), colors->light3D);
    EXPECT_EQ(ProbeColor(image, other.left + 4, other.top), colors->light3D);
    EXPECT_NE(ProbeColor(image, other.left + 4, other.top - 2), colors->light3D);
    EXPECT_EQ(ProbeColor(image, selected.left + 4, selected.bottom - 1), colors->selectedTabColor);
    // The icon of the selected tab.
    EXPECT_EQ(ProbeColor(image, selected.left + 6 + 2, selected.CenterPoint().y), RGB(0, 128, 0));
}

TEST_F(TabGalleryTest, NavigationButtonsDrawFilledOrOutlinedGlyphs)
{
    CTestTabSet set(&renderer);
    FillGallerySet(&set);
    set.SetScrollOffset(0);
    CQtImageDC dc(kCellWidth, kCellHeight);
    DrawSet(&renderer, &set, &dc, CRect(0, 0, kCellWidth, kCellHeight));
    const QImage& image = dc.GetImage();
    const COLORREF glyph = Entry(COLOR_BTNTEXT);
    // Inside each arrow, right of its tip.
    const CPoint start = set.FindNavigateButton(CTKTabNavigateButton::kScrollStart)->GetRect().CenterPoint();
    const CPoint end = set.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->GetRect().CenterPoint();
    EXPECT_FALSE(set.FindNavigateButton(CTKTabNavigateButton::kScrollStart)->IsEnabled());
    EXPECT_NE(ProbeColor(image, start.x + 1, start.y - 1), glyph);
    EXPECT_EQ(ProbeColor(image, start.x + 2, start.y - 1), glyph);
    EXPECT_EQ(ProbeColor(image, end.x - 1, end.y - 1), glyph);
    // The close cross, two pixels thick.
    const CRect close = set.FindNavigateButton(CTKTabNavigateButton::kClose)->GetRect();
    EXPECT_EQ(ProbeColor(image, close.left + 3, close.top + 3), glyph);
    EXPECT_EQ(ProbeColor(image, close.left + 4, close.top + 3), glyph);
    // Tabs under the buttons are clipped away.
    EXPECT_EQ(ProbeColor(image, end.x, close.bottom + 1), ProbeColor(image, end.x, close.top - 2));
}

TEST_F(TabGalleryTest, GradientStripsRunFromTheOuterEdge)
{
    renderer.SetLook(5);
    renderer.SetColors(4);
    renderer.SetLunaColorsOff(TRUE);
    renderer.SetColors(4);
    // No client frame line on the strip's inner edge.
    renderer.SetClientFrame(CTKTabRenderer::kFrameNone);
    const CTKTabColorSet* colors = renderer.GetColorSet();
    ASSERT_NE(colors->headerGradient.first, colors->headerGradient.second);
    for (int position : {CTKTabRenderer::kTop, CTKTabRenderer::kBottom}) {
        renderer.SetPosition(position);
        CTestTabSet set(&renderer);
        set.Add("One");
        CQtImageDC dc(kCellWidth, kCellHeight);
        const CRect rect(0, 0, kCellWidth, kCellHeight);
        DrawSet(&renderer, &set, &dc, rect);
        const CRect header = renderer.GetLook()->GetHeaderRect(rect, &set);
        const int x = header.right - 10;
        // The band nearest the top is the gradient's start: the strip's first
        // colour at the top, its second for a strip at the bottom.
        const COLORREF start = position == CTKTabRenderer::kTop ? colors->headerGradient.first
                                                                : colors->headerGradient.second;
        const COLORREF end = position == CTKTabRenderer::kTop ? colors->headerGradient.second
                                                              : colors->headerGradient.first;
        EXPECT_EQ(ProbeColor(dc.GetImage(), x, header.top), start) << position;
        EXPECT_NE(ProbeColor(dc.GetImage(), x, header.bottom - 2), start) << position;
        EXPECT_NE(ProbeColor(dc.GetImage(), x, header.top), end) << position;
    }
}

TEST_F(TabGalleryTest, EdgesInTheNoColourAreLeftOutAndFillsStay)
{
    struct Case {
        int look;
        BOOL noEdges;
        int tab;
        BOOL edgeDrawn;   // the light edge at the tab's left side
    };
    const Case cases[] = {
        {0, FALSE, 0, TRUE},
        {0, TRUE, 0, FALSE},
        {1, FALSE, 0, FALSE},   // neither selected nor hot: the label alone
        {1, FALSE, 1, TRUE},
    };
    for (const Case& c : cases) {
        renderer.SetLook(c.look);
        CTKTabColorSet* colors = renderer.GetColorSet();
        const COLORREF light = colors->light3D;
        if (c.noEdges) {
            colors->light3D = CTKTabColorSet::kNoColor;
            colors->shadow3D = CTKTabColorSet::kNoColor;
            colors->darkShadow3D = CTKTabColorSet::kNoColor;
        }
        CTestTabSet set(&renderer);
        FillGallerySet(&set);
        CQtImageDC dc(kCellWidth, kCellHeight);
        const CRect rect(0, 0, kCellWidth, kCellHeight);
        DrawSet(&renderer, &set, &dc, rect);
        const CRect tab = set.GetTab(c.tab)->GetRect();
        const int grown = c.tab == 1 ? 2 : 0;
        const COLORREF edge = ProbeColor(dc.GetImage(), tab.left - grown, tab.top + 6);
        SCOPED_TRACE(testing::Message() << "look " << c.look << " tab " << c.tab);
        EXPECT_EQ(edge == light, c.edgeDrawn != FALSE);
        // The tab's inside and the client area are filled either way.
        EXPECT_EQ(ProbeColor(dc.GetImage(), tab.right - 4, tab.top + 3), colors->normalTabColor);
        const CRect client = renderer.GetLook()->GetClientAreaRect(rect, &set);
        EXPECT_EQ(ProbeColor(dc.GetImage(), client.left, client.CenterPoint().y) == light, c.noEdges == FALSE);
    }
}

TEST_F(TabGalleryTest, TheStaticFrameSurroundsTheTabSetAndOpensOnTheStrip)
{
    renderer.SetStaticFrame(TRUE);
    renderer.SetPosition(CTKTabRenderer::kBottom);
    CTestTabSet set(&renderer);
    FillGallerySet(&set);
    CQtImageDC dc(kCellWidth, kCellHeight);
    DrawSet(&renderer, &set, &dc, CRect(0, 0, kCellWidth, kCellHeight));
    const QImage& image = dc.GetImage();
    const CTKTabColorSet* colors = renderer.GetColorSet();
    const int middle = kCellHeight / 2;
    EXPECT_EQ(ProbeColor(image, 0, middle), colors->frameColor);
    EXPECT_EQ(ProbeColor(image, kCellWidth - 1, middle), colors->frameColor);
    EXPECT_EQ(ProbeColor(image, kCellWidth / 2, kCellHeight - 1), colors->frameColor);
    EXPECT_EQ(ProbeColor(image, 1, middle), colors->faceColor);
    // The tabs lie inside the frames: 2 in at the sides, 1 on the strip's side.
    const CRect first = set.GetTab(0)->GetRect();
    EXPECT_GE(first.left, 2);
    EXPECT_LE(first.bottom, kCellHeight - 1);
    EXPECT_EQ(set.GetHeaderRect().bottom, kCellHeight - 1);
    EXPECT_EQ(set.GetHeaderRect().left, 2);
    SaveArtefact(image, "tab_static_frame.png");
}

TEST_F(TabGalleryTest, WorkspacePartsOfTheTabClient)
{
    renderer.SetColors(4);
    const CTKTabColorSet* colors = renderer.GetColorSet();
    CTKTabLook* look = renderer.GetLook();
    {
        CQtImageDC dc(40, 30);
        CRect client(10, 10, 20, 20);
        look->DrawWorkspacePart(&dc, &client, 1);
        EXPECT_EQ(client, CRect(8, 8, 22, 22));
        CRect corner(0, 0, 10, 10);
        look->DrawWorkspacePart(&dc, &corner, 2);
        EXPECT_EQ(ProbeColor(dc.GetImage(), 9, 9), colors->headerGradient.first);
        CRect frame(0, 0, 40, 30);
        look->DrawWorkspacePart(&dc, &frame, 0);
        EXPECT_EQ(ProbeColor(dc.GetImage(), 39, 29), RGB(255, 255, 255));
    }
    renderer.SetStaticFrame(TRUE);
    CQtImageDC dc(40, 30);
    CRect client(10, 10, 20, 20);
    look->DrawWorkspacePart(&dc, &client, 1);
    EXPECT_EQ(client, CRect(10, 9, 20, 20));
    CRect frame(0, 0, 40, 30);
    look->DrawWorkspacePart(&dc, &frame, 0);
    EXPECT_EQ(ProbeColor(dc.GetImage(), 0, 15), colors->frameColor);
    EXPECT_EQ(ProbeColor(dc.GetImage(), 39, 15), colors->frameColor);
    EXPECT_EQ(ProbeColor(dc.GetImage(), 1, 15), colors->faceColor);
    CRect right(20, 5, 30, 15);
    look->DrawWorkspacePart(&dc, &right, 2);
    EXPECT_EQ(ProbeColor(dc.GetImage(), 29, 10), colors->frameColor);
    EXPECT_EQ(ProbeColor(dc.GetImage(), 28, 14), colors->faceColor);
    CRect bottom(5, 20, 15, 25);
    look->DrawWorkspacePart(&dc, &bottom, 3);
    EXPECT_EQ(ProbeColor(dc.GetImage(), 10, 24), colors->frameColor);
    EXPECT_EQ(ProbeColor(dc.GetImage(), 14, 23), colors->faceColor);
}

} // namespace
