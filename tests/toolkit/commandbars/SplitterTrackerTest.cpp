// A splitter drag over the fixture frame: the halftone bar follows the
// mouse inside its limits, Escape leaves the splitter where it was and
// leaves no trace on the screen, releasing the button moves it (clamped).

#include "platform/ui/CScreenShot.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKSplitterTracker.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

const CRect kFrameRect(60, 40, 560, 400);
constexpr int kBarWidth = 4;
constexpr int kMargin = 40;

void SendMouse(QWidget* widget, QEvent::Type type, CPoint screen, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    const QPoint global(screen.x, screen.y);
    QMouseEvent event(type, widget->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// How many pixels of the rectangle differ between two screen pictures.
int ChangedPixels(const QImage& before, const QImage& after, const CRect& rect)
{
    int changed = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            changed += before.pixel(x, y) != after.pixel(x, y) ? 1 : 0;
    }
    return changed;
}

class SplitterTrackerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        ASSERT_TRUE(frame.Open(kFrameRect));
        QApplication::setActiveWindow(&frame);
        owner = frame.GetMDIClient();
        CRect client;
        owner->GetWindowRect(&client);
        // A vertical splitter bar in the middle of the client area.
        splitX = client.left + client.Width() / 2;
        bar = CRect(splitX, client.top, splitX + kBarWidth, client.bottom);
        limits = CRect(client.left + kMargin, client.top, client.right - kMargin - kBarWidth, client.bottom);
        before = CScreenShot::Compose();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        ProcessEvents();
    }

    // Runs the drag; the action runs once the drag's loop is running.
    BOOL Drag(std::function<void()> action)
    {
        QTimer::singleShot(0, &frame, std::move(action));
        CTKSplitterTracker tracker;
        const BOOL accepted = tracker.Track(owner, limits, &bar, CPoint(), TRUE);
        if (accepted)
            splitX = bar.left;
        return accepted;
    }
    void MoveTo(int screenX)
    {
        SendMouse(owner, QEvent::MouseMove, CPoint(screenX, bar.top + 10), Qt::NoButton, Qt::LeftButton);
    }

    CWinApp app{"ToolkitTest"};
    CTKFixtureFrame frame;
    CWnd* owner = nullptr;
    int splitX = 0;
    CRect bar;
    CRect limits;
    QImage before;
};

TEST_F(SplitterTrackerTest, EscapeLeavesTheSplitterAndNoTraceOfTheBar)
{
    const int start = splitX;
    QImage during;
    const BOOL accepted = Drag([&] {
        MoveTo(start - 60);
        during = CScreenShot::Compose();
        SaveScreenshot("splitter_drag.png");
        QTest::keyClick(&frame, Qt::Key_Escape);
    });
    EXPECT_FALSE(accepted);
    EXPECT_EQ(splitX, start);
    // The bar was shown at the mouse, in halftone over the frame.
    const CRect shown(start - 60, bar.top, start - 60 + kBarWidth, bar.bottom);
    EXPECT_EQ(bar, shown);
    EXPECT_GT(ChangedPixels(before, during, shown), shown.Width() * shown.Height() / 4);
    EXPECT_EQ(ChangedPixels(before, during, CRect(start - 30, bar.top, start - 20, bar.bottom)), 0);
    ProcessEvents();
    EXPECT_EQ(ChangedPixels(before, CScreenShot::Compose(), shown), 0);
}

TEST_F(SplitterTrackerTest, ReleasingAcceptsThePositionClampedToTheLimits)
{
    // Within the limits, beyond the right one, beyond the left one.
    const int offsets[] = {+50, +1000, -1000};
    for (int offset : offsets) {
        const int start = splitX;
        const int target = std::clamp(start + offset, limits.left, limits.right);
        EXPECT_TRUE(Drag([&] {
            MoveTo(start + offset);
            SendMouse(owner, QEvent::MouseButtonRelease, CPoint(start + offset, bar.top + 10), Qt::LeftButton,
                      Qt::NoButton);
        })) << offset;
        EXPECT_EQ(splitX, target) << offset;
        EXPECT_EQ(bar.Width(), kBarWidth);
        ProcessEvents();
        EXPECT_EQ(ChangedPixels(before, CScreenShot::Compose(), bar), 0) << offset;
    }
}

} // namespace
