// A tab set in a window of the fixture frame, driven by the mouse: held
// scroll buttons repeat, the close button acts on release, tabs reorder by
// dragging, the hot tab follows the mouse and tabs show their tooltips.

#include "TestTabSet.h"
#include "platform/CSystemMetrics.h"
#include "platform/ui/CMessagePump.h"
#include "platform/ui/CPaintDC.h"
#include "toolkit/ToolkitFixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QToolTip>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int kStep = CTKTabNavigateButton::kScrollStep;

// The window a tab set is drawn in; it forwards the mouse to the set.
class CTabStripWnd : public CWnd {
public:
    CTabStripWnd() { tabs.onRedraw = [this]() { Invalidate(FALSE); }; }

    CTKTabRenderer renderer;
    CTestTabSet tabs {&renderer};

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        renderer.DrawTabSet(&dc, client, &tabs);
    }
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    void OnSize(UINT, int cx, int cy) override { tabs.Place(CRect(0, 0, cx, cy)); }
    void OnLButtonDown(UINT, CPoint point) override { tabs.OnMouseDown(this, point.x, point.y, FALSE); }
    void OnMouseMove(UINT, CPoint point) override { tabs.OnMouseMove(this, point.x, point.y); }
    void OnMouseLeave() override { tabs.OnMouseMove(this, -1, -1); }

public:
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override
    {
        return tabs.FillToolInfo(const_cast<CTabStripWnd*>(this), tabs.HitTest(point.x, point.y), info);
    }
};

QPoint At(CPoint point)
{
    return QPoint(point.x, point.y);
}

class TabWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        ASSERT_TRUE(frame.Open(CRect(0, 0, 640, 400)));
        strip.renderer.SetHotTracking(TRUE);
        strip.renderer.SetLayoutMode(CTKTabRenderer::kLayoutFixed);
        for (int i = 0; i < 8; ++i)
            strip.tabs.Add("Tab" + std::to_string(i))->SetTooltip("Tooltip " + std::to_string(i));
        strip.tabs.FindNavigateButton(CTKTabNavigateButton::kClose)->SetMode(CTKTabNavigateButton::kAlways);
        CRect client;
        frame.Child(0)->GetClientRect(&client);
        ASSERT_TRUE(strip.Create(frame.Child(0), CRect(0, 0, client.Width(), 80), 1, WS_CHILD | WS_VISIBLE));
        strip.EnableToolTips(TRUE);
        QApplication::setActiveWindow(&frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
        ProcessEvents();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        CSystemMetrics::Instance().Reset();
    }

    CPoint ButtonCentre(int kind) const { return strip.tabs.FindNavigateButton(kind)->GetRect().CenterPoint(); }

    CTKFixtureFrame frame;
    CTabStripWnd strip;
};

TEST_F(TabWindowTest, AHeldScrollButtonRepeatsUntilReleased)
{
    const CPoint end = ButtonCentre(CTKTabNavigateButton::kScrollEnd);
    ASSERT_TRUE(strip.tabs.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->IsEnabled());
    // The release is sent from inside the button's loop once three steps have run.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&]() {
        if (strip.tabs.GetScrollOffset() <= -3 * kStep) {
            watch.stop();
            QTest::mouseRelease(&strip, Qt::LeftButton, {}, At(end));
        }
    });
    watch.start(1);
    QElapsedTimer held;
    held.start();
    QTest::mousePress(&strip, Qt::LeftButton, {}, At(end));
    // One step per 20 ms at most, however long the button is held.
    const qint64 steps = -strip.tabs.GetScrollOffset() / kStep;
    EXPECT_LE(steps, held.elapsed() / static_cast<qint64>(CTKTabNavigateButton::kRepeatMs) + 1);
    EXPECT_FALSE(watch.isActive());
    EXPECT_LE(strip.tabs.GetScrollOffset(), -3 * kStep);
    EXPECT_EQ(strip.tabs.GetScrollOffset() % kStep, 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_FALSE(strip.tabs.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->IsPressed());
    SaveScreenshot("tab_window_scrolled.png");

    // Scrolling back stops at the start.
    const CPoint start = ButtonCentre(CTKTabNavigateButton::kScrollStart);
    QTimer back;
    QObject::connect(&back, &QTimer::timeout, [&]() {
        if (strip.tabs.GetScrollOffset() == 0) {
            back.stop();
            QTest::mouseRelease(&strip, Qt::LeftButton, {}, At(start));
        }
    });
    back.start(1);
    QTest::mousePress(&strip, Qt::LeftButton, {}, At(start));
    EXPECT_EQ(strip.tabs.GetScrollOffset(), 0);
}

TEST_F(TabWindowTest, TheCloseButtonActsOnReleaseOverIt)
{
    const CPoint close = ButtonCentre(CTKTabNavigateButton::kClose);
    BOOL pressedWhileHeld = FALSE;
    std::vector<int> clicksWhileHeld;
    QTimer::singleShot(0, [&]() {
        pressedWhileHeld = strip.tabs.FindNavigateButton(CTKTabNavigateButton::kClose)->IsPressed();
        clicksWhileHeld = strip.tabs.clicks;
        QTest::mouseRelease(&strip, Qt::LeftButton, {}, At(close));
    });
    QTest::mousePress(&strip, Qt::LeftButton, {}, At(close));
    EXPECT_TRUE(pressedWhileHeld);
    EXPECT_TRUE(clicksWhileHeld.empty());
    EXPECT_EQ(strip.tabs.clicks, std::vector<int>{CTKTabNavigateButton::kClose});

    // Released elsewhere: nothing happens.
    QTimer::singleShot(0, [&]() {
        QTest::mouseMove(&strip, QPoint(5, 60));
        QTest::mouseRelease(&strip, Qt::LeftButton, {}, QPoint(5, 60));
    });
    QTest::mousePress(&strip, Qt::LeftButton, {}, At(close));
    EXPECT_EQ(strip.tabs.clicks.size(), 1u);
}

TEST_F(TabWindowTest, DraggingATabMovesItAndSelectsIt)
{
    const CPoint from = strip.tabs.GetTab(0)->GetRect().CenterPoint();
    const CPoint over = strip.tabs.GetTab(2)->GetRect().CenterPoint();
    QTimer::singleShot(0, [&]() {
        QTest::mouseMove(&strip, At(over));
        QTest::mouseRelease(&strip, Qt::LeftButton, {}, At(over));
    });
    QTest::mousePress(&strip, Qt::LeftButton, {}, At(from));
    EXPECT_EQ(strip.tabs.Captions(),
              (std::vector<std::string>{"Tab2", "Tab1", "Tab0", "Tab3", "Tab4", "Tab5", "Tab6", "Tab7"}));
    EXPECT_EQ(strip.tabs.GetSelectedTab()->GetCaption(), "Tab0");
    EXPECT_EQ(strip.tabs.GetSelectedTab()->GetIndex(), 2);

    // Escape ends a drag where it stands.
    const CPoint third = strip.tabs.GetTab(2)->GetRect().CenterPoint();
    const CPoint fourth = strip.tabs.GetTab(3)->GetRect().CenterPoint();
    QTimer::singleShot(0, [&]() {
        QTest::mouseMove(&strip, At(fourth));
        QTest::keyClick(&strip, Qt::Key_Escape);
    });
    QTest::mousePress(&strip, Qt::LeftButton, {}, At(third));
    EXPECT_EQ(strip.tabs.GetTab(3)->GetCaption(), "Tab0");
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TabWindowTest, TheHotTabFollowsTheMouseAndTabsShowTooltips)
{
    const CPoint second = strip.tabs.GetTab(1)->GetRect().CenterPoint();
    QTest::mouseMove(&strip, At(second));
    EXPECT_EQ(strip.tabs.GetHotTab(), strip.tabs.GetTab(1));
    QTest::mouseMove(&strip, QPoint(5, 60));
    EXPECT_EQ(strip.tabs.GetHotTab(), nullptr);

    const CPoint end = ButtonCentre(CTKTabNavigateButton::kScrollEnd);
    QTest::mouseMove(&strip, At(end));
    EXPECT_TRUE(strip.tabs.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->IsHover());
    QTest::mouseMove(&strip, QPoint(5, 60));
    EXPECT_FALSE(strip.tabs.FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->IsHover());

    QHelpEvent help(QEvent::ToolTip, At(second), strip.mapToGlobal(At(second)));
    QApplication::sendEvent(&strip, &help);
    EXPECT_EQ(QToolTip::text(), "Tooltip 1");
    TOOLINFO info;
    EXPECT_EQ(strip.OnToolHitTest(second, &info), 1);
    EXPECT_EQ(info.text, "Tooltip 1");
    EXPECT_LT(strip.OnToolHitTest(CPoint(5, 60), &info), 0);
}

TEST_F(TabWindowTest, QuitEndsHeldButtonsAndDragsAndReachesTheMainLoop)
{
    const CPoint places[] = {ButtonCentre(CTKTabNavigateButton::kScrollEnd), ButtonCentre(CTKTabNavigateButton::kClose),
                             strip.tabs.GetTab(0)->GetRect().CenterPoint()};
    for (const CPoint place : places) {
        bool afterPress = false;
        QTimer::singleShot(0, &strip, [&] {
            QTimer::singleShot(0, &strip, [] { CMessagePump::PostQuitMessage(3); });
            QTest::mousePress(&strip, Qt::LeftButton, {}, At(place));
            afterPress = true;
        });
        EXPECT_EQ(QApplication::exec(), 3);
        EXPECT_TRUE(afterPress);
        EXPECT_EQ(CWnd::GetCapture(), nullptr);
        QTest::mouseRelease(&strip, Qt::LeftButton, {}, At(place));
    }
    // A quit is no release: the close button did not act.
    EXPECT_TRUE(strip.tabs.clicks.empty());
    EXPECT_EQ(strip.tabs.GetTab(0)->GetCaption(), "Tab0");
}

} // namespace
