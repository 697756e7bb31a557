// The metrics service takes the screen size and work area from the screen
// a window is on once a follower watches that window, and keeps its fixed
// defaults without one.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CScreenMetricsFollower.h"

#include <QScreen>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class ScreenMetricsFollowerTest : public ::testing::Test {
protected:
    void TearDown() override { CSystemMetrics::Instance().Reset(); }
};

TEST_F(ScreenMetricsFollowerTest, TheScreenOfTheWindowGivesSizeAndWorkArea)
{
    CSystemMetrics& metrics = CSystemMetrics::Instance();
    metrics.Reset();
    QWidget window;
    window.resize(200, 100);
    window.show();
    QScreen* screen = window.screen();
    ASSERT_NE(screen, nullptr);
    const QRect whole = screen->geometry();
    const QRect free = screen->availableGeometry();
    ASSERT_NE(whole.width(), metrics.GetMetric(SM_CXSCREEN)) << "the fixed default must differ to show anything";

    CScreenMetricsFollower follower(&window);
    EXPECT_EQ(metrics.GetMetric(SM_CXSCREEN), whole.width());
    EXPECT_EQ(metrics.GetMetric(SM_CYSCREEN), whole.height());
    EXPECT_EQ(metrics.GetWorkArea(),
              CRect(free.left(), free.top(), free.left() + free.width(), free.top() + free.height()));

    // Something else changing them is put right by the next look at the screen.
    metrics.SetWorkArea(CRect(0, 0, 10, 10));
    follower.Apply();
    EXPECT_EQ(metrics.GetWorkArea().Width(), free.width());
}

TEST_F(ScreenMetricsFollowerTest, AGoneWindowLeavesTheMetricsAlone)
{
    CSystemMetrics& metrics = CSystemMetrics::Instance();
    metrics.Reset();
    auto* window = new QWidget;
    window->show();
    CScreenMetricsFollower follower(window);
    delete window;
    metrics.Reset();
    follower.Apply();
    EXPECT_EQ(metrics.GetMetric(SM_CXSCREEN), 1280);
    EXPECT_EQ(metrics.GetWorkArea(), CRect(0, 0, 1280, 994));
}

} // namespace
