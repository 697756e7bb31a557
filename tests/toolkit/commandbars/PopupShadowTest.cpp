// Popup shadows: the alpha ramps of the two strips, where the strips go
// beside a popup, and how they follow the popup's visibility and end.

#include "platform/CSystemMetrics.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBar.h"
#include "toolkit/commandbars/CTKPopupShadow.h"
#include "toolkit/commandbars/CTKShadowWnd.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(ShadowImageTest, AlphaRampsFadeOutwardsAndInAtTheEnds)
{
    struct Case {
        const char* name;
        BOOL bottom;
        BOOL flat;
        int x;
        int y;
        int alpha;
    };
    // Right strip 4 x 20: column 0 lies against the popup. Bottom strip
    // 30 x 4: row 0 lies against the popup.
    const Case cases[] = {
        {"right, against the popup", FALSE, FALSE, 0, 10, 120},
        {"right, second column", FALSE, FALSE, 1, 10, 90},
        {"right, outer column", FALSE, FALSE, 3, 10, 30},
        {"right, flat owner", FALSE, TRUE, 0, 10, 60},
        {"right, corner inner bottom", FALSE, FALSE, 0, 3, 96},
        {"right, corner outer top", FALSE, FALSE, 3, 0, 6},
        {"right, corner inner top", FALSE, FALSE, 0, 0, 24},
        {"bottom, against the popup", TRUE, FALSE, 10, 0, 120},
        {"bottom, outer row", TRUE, FALSE, 10, 3, 30},
        {"bottom, flat owner", TRUE, TRUE, 10, 0, 60},
        {"bottom, left end", TRUE, FALSE, 0, 0, 24},
        {"bottom, right end", TRUE, FALSE, 29, 0, 24},
        {"bottom, left end inner column", TRUE, FALSE, 3, 0, 96},
        {"bottom, right end inner column", TRUE, FALSE, 26, 0, 96},
        {"bottom, left end outer row", TRUE, FALSE, 0, 3, 6},
    };
    for (const Case& test : cases) {
        QImage image = test.bottom ? CTKShadowWnd::BuildImage(TRUE, test.flat, 30, 4, 0)
                                   : CTKShadowWnd::BuildImage(FALSE, test.flat, 4, 20, 0);
        EXPECT_EQ(qAlpha(image.pixel(test.x, test.y)), test.alpha) << test.name;
    }
}

TEST(ShadowImageTest, AColouredShadowStaysAValidPremultipliedPixel)
{
    const COLORREF shadow = RGB(200, 100, 0);
    QImage image = CTKShadowWnd::BuildImage(FALSE, FALSE, 4, 20, shadow);
    const QRgb body = image.pixel(0, 10);
    EXPECT_EQ(qAlpha(body), 120);
    EXPECT_EQ(qRed(body), 120);
    EXPECT_EQ(qGreen(body), 100);
    EXPECT_EQ(qBlue(body), 0);
    const QRgb faint = image.pixel(3, 0);
    EXPECT_LE(qRed(faint), qAlpha(faint));
    EXPECT_TRUE(CTKShadowWnd::BuildImage(TRUE, FALSE, 0, 4, shadow).isNull());
}

class PopupShadowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        popup = new CTKCommandBar;
        ASSERT_TRUE(popup->Create(nullptr, kPopupRect, 0, WS_POPUP));
        popup->ShowWindow(SW_SHOWNA);
    }
    void TearDown() override
    {
        shadows.RemoveShadows(popup);
        popup->InternalRelease();
        CSystemMetrics::Instance().SetDropShadow(TRUE);
    }

    const CRect kPopupRect{100, 100, 250, 300};
    CTKPopupShadow shadows;
    CTKCommandBar* popup = nullptr;
};

TEST_F(PopupShadowTest, StripsLieUnderAndRightOfThePopup)
{
    shadows.ShowShadow(popup, nullptr);
    ASSERT_EQ(shadows.GetShadowCount(), 2);
    EXPECT_TRUE(shadows.GetShadow(0)->IsBottom());
    EXPECT_EQ(shadows.GetShadow(0)->GetWindowRect(), CRect(104, 300, 254, 304));
    EXPECT_EQ(shadows.GetShadow(1)->GetWindowRect(), CRect(250, 104, 254, 300));
    EXPECT_TRUE(shadows.GetShadow(1)->isVisible());
    ProcessEvents();
    SaveScreenshot("popup_shadow.png");
}

TEST_F(PopupShadowTest, StripsFollowThePopupsVisibility)
{
    shadows.ShowShadow(popup, nullptr);
    ASSERT_EQ(shadows.GetShadowCount(), 2);
    popup->ShowWindow(SW_HIDE);
    EXPECT_FALSE(shadows.GetShadow(0)->isVisible());
    EXPECT_FALSE(shadows.GetShadow(1)->isVisible());
    popup->ShowWindow(SW_SHOWNA);
    EXPECT_TRUE(shadows.GetShadow(0)->isVisible());
    popup->DestroyWindow();
    EXPECT_EQ(shadows.GetShadowCount(), 0);
}

TEST_F(PopupShadowTest, ANonFlatThemeCastsNoShadowWhenTheSystemSettingIsOff)
{
    CSystemMetrics::Instance().SetDropShadow(FALSE);
    shadows.ShowShadow(popup, nullptr);
    EXPECT_EQ(shadows.GetShadowCount(), 0);
}

TEST_F(PopupShadowTest, RemovingTheShadowsOfOneOwnerKeepsTheOthers)
{
    auto* second = new CTKCommandBar;
    ASSERT_TRUE(second->Create(nullptr, CRect(250, 120, 350, 200), 0, WS_POPUP));
    second->ShowWindow(SW_SHOWNA);
    shadows.ShowShadow(popup, nullptr);
    shadows.ShowShadow(second, nullptr);
    EXPECT_EQ(shadows.GetShadowCount(), 4);
    shadows.RemoveShadows(second);
    EXPECT_EQ(shadows.GetShadowCount(), 2);
    EXPECT_EQ(shadows.GetShadow(0)->GetOwner(), popup);
    second->InternalRelease();
}

TEST_F(PopupShadowTest, AStripIsCutWhereItWouldCoverAnotherPopup)
{
    auto* below = new CTKCommandBar;
    ASSERT_TRUE(below->Create(nullptr, CRect(240, 120, 400, 220), 0, WS_POPUP));
    below->ShowWindow(SW_SHOWNA);
    shadows.ShowShadow(below, nullptr);
    shadows.ShowShadow(popup, nullptr);
    ASSERT_EQ(shadows.GetShadowCount(), 4);
    const CTKShadowWnd* right = shadows.GetShadow(3);
    ASSERT_EQ(right->GetWindowRect(), CRect(250, 104, 254, 300));
    const QRegion mask = right->mask();
    EXPECT_TRUE(mask.contains(QPoint(1, 5)));      // above the other popup
    EXPECT_FALSE(mask.contains(QPoint(1, 50)));    // over it
    EXPECT_TRUE(mask.contains(QPoint(1, 150)));    // below it
    EXPECT_TRUE(shadows.GetShadow(0)->mask().isEmpty()) << "strips made earlier stay whole";
    shadows.RemoveShadows(below);
    below->InternalRelease();
}

TEST_F(PopupShadowTest, TheRightStripOfAPopupBelowJoinsTheBottomStripAboveIt)
{
    // The lower popup's right strip starts on the last row of the upper
    // popup's bottom strip and is drawn up over it.
    auto* lower = new CTKCommandBar;
    ASSERT_TRUE(lower->Create(nullptr, CRect(50, 299, 200, 400), 0, WS_POPUP));
    lower->ShowWindow(SW_SHOWNA);
    shadows.ShowShadow(popup, nullptr);
    shadows.ShowShadow(lower, nullptr);
    ASSERT_EQ(shadows.GetShadowCount(), 4);
    EXPECT_EQ(shadows.GetShadow(3)->GetWindowRect(), CRect(200, 295, 204, 400));
    shadows.RemoveShadows(lower);
    lower->InternalRelease();
}

} // namespace
