// The docking renderers in the fixture frame: metrics from pinned fonts,
// caption buttons per style, the style switch and the painted captions.

#include "DockingFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/draw/CTKSystemColors.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneRendererGradient.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

LOGFONT PinnedFont(int height)
{
    LOGFONT font;
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    std::strcpy(font.lfFaceName, "DejaVu Sans");
    return font;
}

int Brightness(COLORREF color)
{
    return GetRValue(color) + GetGValue(color) + GetBValue(color);
}

int SpaceHeight(const LOGFONT& record)
{
    CFont font;
    font.CreateFontIndirect(&record);
    CQtImageDC dc(1, 1);
    CTKDCSelectGuard guard(&dc, &font);
    return dc.GetTextExtent(" ").cy;
}

class DockingRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CSystemMetrics::Instance().SetSmallCaptionFont(PinnedFont(kCaptionFont));
        CSystemMetrics::Instance().SetIconTitleFont(PinnedFont(kTabFont));
        ASSERT_TRUE(frame.Open(CRect(0, 0, 800, 560)));
        frame.RecalcLayout();
        ProcessEvents();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        CSystemMetrics::Instance().Reset();
    }

    // Paints the container as its window would and returns the picture.
    QImage Paint(CTKDockingPaneTabbedContainer* container)
    {
        CRect client;
        container->CWnd::GetClientRect(&client);
        CQtImageDC dc(client.Width(), client.Height());
        frame.Host().GetRenderer()->DrawContainer(&dc, container, client);
        return dc.GetImage().copy();
    }

    static constexpr int kCaptionFont = -12;
    static constexpr int kTabFont = -16;
    CTKDockingFixtureFrame frame;
};

TEST_F(DockingRendererTest, MetricsFollowThePinnedFontsPerStyle)
{
    const int caption = SpaceHeight(PinnedFont(kCaptionFont));
    const int tab = SpaceHeight(PinnedFont(kTabFont));
    struct Case {
        int type;
        int captionHeight;
        int stripHeight;
    };
    const Case cases[] = {
        {0, caption + 4, std::max(tab + 10, 24)},
        {1, caption + 4, std::max(tab + 10, 24)},
        {2, caption + 4, std::max(tab + 10, 24)},
        {3, caption + 2, tab + 5},
        {5, std::max(caption + 2, 20), std::max(tab + 10, 24)},
        {6, caption + 4, std::max(tab + 10, 24)},
    };
    for (const Case& c : cases) {
        auto renderer = CTKDockingPaneRenderer::CreateOfType(c.type);
        ASSERT_NE(renderer, nullptr) << c.type;
        EXPECT_EQ(renderer->GetType(), c.type);
        EXPECT_EQ(renderer->GetCaptionHeight(), c.captionHeight) << c.type;
        EXPECT_EQ(renderer->GetStripHeight(), c.stripHeight) << c.type;
    }
    // A setting change measures the live renderer again.
    CTKDockingPaneRenderer* live = frame.Host().GetRenderer();
    CSystemMetrics::Instance().SetSmallCaptionFont(PinnedFont(-24));
    frame.Host().SendMessage(WM_SETTINGCHANGE);
    EXPECT_EQ(live->GetCaptionHeight(), std::max(SpaceHeight(PinnedFont(-24)) + 2, 20));
    EXPECT_GT(live->GetCaptionHeight(), caption + 4);

    // A small tab font still gives the minimum strip.
    CSystemMetrics::Instance().SetIconTitleFont(PinnedFont(-8));
    EXPECT_EQ(CTKDockingPaneRenderer::CreateOfType(1)->GetStripHeight(), 24);
}

TEST_F(DockingRendererTest, OnlyTheSixStylesReplaceTheRenderer)
{
    CTKDockingPaneHost& host = frame.Host();
    CTKDockingPaneRenderer* gradient = host.GetRenderer();
    EXPECT_EQ(gradient->GetType(), 5);
    for (int type : {-1, 4, 7}) {
        EXPECT_FALSE(host.SetStyle(type)) << type;
        EXPECT_EQ(host.GetRenderer(), gradient) << type;
    }
    EXPECT_TRUE(host.SetStyle(5));
    EXPECT_EQ(host.GetRenderer(), gradient);
    // The interface settings choose style 3 or 5.
    const int styles[] = {3, 5, 5, 3, 5};
    for (int setting = 0; setting < 5; ++setting) {
        frame.SetInterface(setting);
        EXPECT_EQ(host.GetStyleType(), styles[setting]) << setting;
    }
}

TEST_F(DockingRendererTest, CaptionButtonsSitAtTheRightOfTheBand)
{
    CTKDockingPaneTabbedContainer* left = frame.Pane(kWorkspacePane)->GetContainer();
    frame.Pane(kWorkspacePane)->SetOptions(0);
    CRect client;
    left->CWnd::GetClientRect(&client);
    const int r = client.right;
    struct Case {
        int type;
        int size;
        int inset;
        int step;
        int bandTop;
        int bandBottomPastCaption;
    };
    const Case cases[] = {
        {0, 12, 2, 14, 2, 1},
        {1, 14, 2, 16, 2, 1},
        {2, 14, 2, 16, 2, 1},
        {5, 16, 4, 16, 0, 3},
        {6, 14, 2, 16, 2, 1},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(frame.Host().SetStyle(c.type));
        Paint(left);
        const int height = frame.Host().GetRenderer()->GetCaptionHeight();
        const int cy = (c.bandTop + height + c.bandBottomPastCaption) / 2;
        const CRect close(r - c.inset - c.size, cy - c.size / 2, r - c.inset, cy + c.size / 2);
        EXPECT_EQ(left->GetCloseButton()->GetRect(), close) << c.type;
        CRect pin = close;
        pin.OffsetRect(-c.step, 0);
        EXPECT_EQ(left->GetPinButton()->GetRect(), pin) << c.type;
    }
    // Style 3: squares of the band's height, 1 pixel in from the right.
    ASSERT_TRUE(frame.Host().SetStyle(3));
    Paint(left);
    const int band = frame.Host().GetRenderer()->GetCaptionHeight() + 1;
    const CRect close = left->GetCloseButton()->GetRect();
    EXPECT_EQ(close.right, r - 1);
    EXPECT_EQ(close.Width(), band);
    EXPECT_EQ(close.Height(), band);
    EXPECT_EQ(left->GetPinButton()->GetRect().right, close.left);

    // Option 1 hides the close button, option 2 the pin.
    frame.Pane(kWorkspacePane)->SetOptions(CTKDockingPaneItem::kNoClose | CTKDockingPaneItem::kNoAutoHide);
    Paint(left);
    EXPECT_TRUE(left->GetCloseButton()->GetRect().IsRectEmpty());
    EXPECT_TRUE(left->GetPinButton()->GetRect().IsRectEmpty());
}

TEST_F(DockingRendererTest, CaptionsPaintInTheStylesColours)
{
    CTKDockingPaneTabbedContainer* left = frame.Pane(kWorkspacePane)->GetContainer();
    CTKDockingPaneTabbedContainer* bottom = frame.Pane(kOutputPane)->GetContainer();

    // Style 5: the band shades from light to dark, its corners in colour 51.
    auto* gradient = dynamic_cast<CTKDockingPaneRendererGradient*>(frame.Host().GetRenderer());
    ASSERT_NE(gradient, nullptr);
    EXPECT_EQ(gradient->GetGradientLight(),
              CTKSystemColors::BlendColors(gradient->LookupColor(15), gradient->LookupColor(5), 205));
    EXPECT_EQ(gradient->GetGradientDark(), gradient->LookupColor(15));
    QImage image = Paint(left);
    SaveArtefact(image, "docking_caption_style5.png");
    const int bandBottom = gradient->GetCaptionHeight() + 3;
    EXPECT_EQ(ProbeColor(image, 0, 1), gradient->LookupColor(51));
    EXPECT_EQ(ProbeColor(image, 120, 1), gradient->GetGradientLight());
    const COLORREF last = ProbeColor(image, 120, bandBottom - 1);
    EXPECT_LT(Brightness(last), Brightness(gradient->GetGradientLight()));
    EXPECT_GE(Brightness(last), Brightness(gradient->GetGradientDark()));
    // The gripper's first dot.
    EXPECT_EQ(ProbeColor(image, 6, 7), gradient->LookupColor(20));

    // Style 3: an inactive container in colour 30, an active one in colour 31.
    frame.SetInterface(0);
    CTKDockingPaneRenderer* stacked = frame.Host().GetRenderer();
    ASSERT_EQ(stacked->GetType(), 3);
    frame.Pane(kWorkspacePane)->GetHostedWindow()->SetFocus();
    left->UpdateIdle();
    bottom->UpdateIdle();
    ASSERT_TRUE(left->IsActive());
    ASSERT_FALSE(bottom->IsActive());
    image = Paint(left);
    SaveArtefact(image, "docking_caption_style3.png");
    EXPECT_EQ(ProbeColor(image, 1, image.height() / 2), stacked->LookupColor(31));
    EXPECT_EQ(ProbeColor(image, 0, image.height() - 1), stacked->LookupColor(51));
    image = Paint(bottom);
    EXPECT_EQ(ProbeColor(image, 1, image.height() / 2), stacked->LookupColor(30));

    // Style 1: the active caption band is filled with colour 2.
    frame.Host().SetStyle(1);
    image = Paint(left);
    EXPECT_EQ(ProbeColor(image, 60, 4), frame.Host().GetRenderer()->LookupColor(2));

    frame.RecalcLayout();
    ProcessEvents();
    SaveScreenshot("docking_panes_style1.png");
}

} // namespace
