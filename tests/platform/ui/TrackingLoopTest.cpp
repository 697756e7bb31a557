// Nested tracking loops: how each of them ends, the mouse going to the
// tracking window, and the quit that still ends the main loop.

#include "platform/ui/CMessagePump.h"
#include "platform/ui/CTrackingLoop.h"
#include "platform/ui/CWnd.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using EndReason = CTrackingLoop::EndReason;

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, p, w->mapToGlobal(p), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

class CTrackWnd : public CWnd {
public:
    std::vector<CPoint> moves;

protected:
    void OnMouseMove(UINT, CPoint point) override { moves.push_back(point); }
};

class TrackingLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.Create(nullptr, CRect(100, 100, 400, 300), 0, WS_VISIBLE));
        ASSERT_TRUE(tracker.Create(&top, CRect(10, 10, 110, 60), 1, WS_CHILD | WS_VISIBLE));
        ASSERT_TRUE(other.Create(&top, CRect(150, 10, 250, 60), 2, WS_CHILD | WS_VISIBLE));
        QApplication::setActiveWindow(&top);
    }

    // Runs the action once the loop is running.
    EndReason RunWhile(CTrackingLoop& loop, std::function<void()> action)
    {
        QTimer::singleShot(0, &top, std::move(action));
        return loop.Run();
    }

    CWnd top;
    CTrackWnd tracker;
    CTrackWnd other;
};

TEST_F(TrackingLoopTest, EscapeEndsTheLoopAndGivesTheCaptureBack)
{
    CTrackingLoop loop(&tracker);
    EXPECT_EQ(RunWhile(loop, [&] {
                  EXPECT_TRUE(loop.IsRunning());
                  EXPECT_EQ(CWnd::GetCapture(), &tracker);
                  QTest::keyClick(&other, Qt::Key_Escape);
              }),
              EndReason::Escape);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_FALSE(loop.IsRunning());
}

TEST_F(TrackingLoopTest, LosingTheCaptureEndsTheLoop)
{
    CTrackingLoop loop(&tracker);
    EXPECT_EQ(RunWhile(loop, [&] { other.SetCapture(); }), EndReason::CaptureLost);
    EXPECT_EQ(CWnd::GetCapture(), &other);
    CWnd::ReleaseCapture();

    CTrackingLoop destroyed(&tracker);
    EXPECT_EQ(RunWhile(destroyed, [&] { tracker.DestroyWindow(); }), EndReason::CaptureLost);
}

TEST_F(TrackingLoopTest, AModalDialogEndsTheLoop)
{
    CTrackingLoop loop(&tracker);
    bool dialogRan = false;
    EXPECT_EQ(RunWhile(loop, [&] {
                  QDialog dialog(&top);
                  QTimer::singleShot(0, &dialog, &QDialog::reject);
                  dialog.exec();
                  dialogRan = true;
              }),
              EndReason::ModalDialog);
    EXPECT_TRUE(dialogRan);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TrackingLoopTest, MouseGoesToTheTrackerInItsCoordinatesUntilTheTrackerEndsIt)
{
    CTrackingLoop loop(&tracker);
    std::vector<UINT> filtered;
    loop.SetFilter([&](const MSG& msg) {
        filtered.push_back(msg.message);
        if (msg.message == WM_LBUTTONUP)
            loop.End();
        return msg.message != WM_MOUSEMOVE;   // moves go on to the window
    });
    EXPECT_EQ(RunWhile(loop, [&] {
                  SendMouse(&other, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::LeftButton);
                  SendMouse(&other, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
              }),
              EndReason::Ended);
    EXPECT_EQ(filtered, (std::vector<UINT>{WM_MOUSEMOVE, WM_LBUTTONUP}));
    ASSERT_EQ(tracker.moves.size(), 1u);
    EXPECT_EQ(tracker.moves[0], CPoint(145, 5));   // other's (5,5) in the tracker's client coordinates
    EXPECT_TRUE(other.moves.empty());
}

TEST_F(TrackingLoopTest, WithoutTheCaptureTheMouseStaysWhereItIs)
{
    CTrackingLoop loop(&tracker, FALSE);
    std::vector<CWnd*> targets;
    loop.SetFilter([&](const MSG& msg) {
        targets.push_back(msg.hwnd);
        if (msg.message == WM_LBUTTONUP)
            loop.End();
        return FALSE;
    });
    EXPECT_EQ(RunWhile(loop, [&] {
                  EXPECT_EQ(CWnd::GetCapture(), nullptr);
                  other.SetCapture();
                  CWnd::ReleaseCapture();
                  SendMouse(&other, QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::LeftButton);
                  SendMouse(&other, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
              }),
              EndReason::Ended);
    EXPECT_EQ(targets, (std::vector<CWnd*>{&other, &other}));
    ASSERT_EQ(other.moves.size(), 1u);
    EXPECT_EQ(other.moves[0], CPoint(5, 5));
    EXPECT_TRUE(tracker.moves.empty());
}

TEST_F(TrackingLoopTest, QuitEndsTheNestedLoopAndThenTheMainLoop)
{
    CTrackingLoop loop(&tracker);
    EndReason reason = EndReason::None;
    bool afterLoop = false;
    QTimer::singleShot(0, &top, [&] {
        QTimer::singleShot(0, &top, [] { CMessagePump::PostQuitMessage(3); });
        reason = loop.Run();
        afterLoop = true;
    });
    EXPECT_EQ(QApplication::exec(), 3);
    EXPECT_TRUE(afterLoop);
    EXPECT_EQ(reason, EndReason::Quit);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TrackingLoopTest, AQuitWithNoLoopRunningLeavesLaterLoopsRunning)
{
    // As when the main window is destroyed before or after the main loop.
    CMessagePump::PostQuitMessage(0);
    QEventLoop later;
    QTimer::singleShot(0, &top, [&later] { later.exit(5); });
    EXPECT_EQ(later.exec(), 5);
}

TEST(TrackingLoopNoWindowTest, ALoopWithoutWindowDoesNotRun)
{
    CTrackingLoop loop(nullptr);
    EXPECT_EQ(loop.Run(), EndReason::NoWindow);
}

} // namespace
