// Timers on a fake clock, activation and show messages by window kind,
// UpdateWindow painting only what is pending, and the start-up's choice
// of platform.

#include "platform/ui/CQtStartup.h"
#include "platform/ui/CTimerService.h"
#include "platform/ui/CWnd.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CLogWnd : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    std::string name;
    UINT_PTR killOn = 0;
    QRegion lastPaint;
    int paints = 0;

protected:
    void Write(const std::string& line)
    {
        if (log)
            log->push_back(name + " " + line);
    }
    void OnTimer(UINT_PTR id) override
    {
        Write("timer " + std::to_string(id));
        if (id == killOn)
            KillTimer(id);
    }
    void OnActivate(UINT state, CWnd*, BOOL) override { Write("activate " + std::to_string(state)); }
    void OnShowWindow(BOOL show, UINT) override { Write("show " + std::to_string(show)); }
    void OnPaint() override
    {
        ++paints;
        lastPaint = GetPaintEvent() ? GetPaintEvent()->region() : QRegion();
    }
};

class TimerServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CTimerService::Instance().SetFakeClock(TRUE);
        wnd.log = &log;
        wnd.name = "w";
        ASSERT_TRUE(wnd.Create(nullptr, CRect(0, 0, 50, 50), 0, WS_OVERLAPPED));
    }
    void TearDown() override { CTimerService::Instance().SetFakeClock(FALSE); }
    std::vector<std::string> log;
    CLogWnd wnd;
};

TEST_F(TimerServiceTest, TheFakeClockFiresTimersInTimeOrder)
{
    CTimerService& timers = CTimerService::Instance();
    EXPECT_EQ(wnd.SetTimer(1, 100), 1u);
    EXPECT_EQ(wnd.SetTimer(2, 30), 2u);
    timers.Advance(29);
    EXPECT_TRUE(log.empty());
    timers.Advance(71);
    EXPECT_EQ(log, (std::vector<std::string>{"w timer 2", "w timer 2", "w timer 2", "w timer 1"}));
    log.clear();
    EXPECT_EQ(wnd.SetTimer(2, 50), 2u);   // restarted from now
    timers.Advance(50);
    EXPECT_EQ(log, (std::vector<std::string>{"w timer 2"}));
}

TEST_F(TimerServiceTest, KilledTimersAndDestroyedWindowsFireNoMore)
{
    CTimerService& timers = CTimerService::Instance();
    wnd.killOn = 3;
    wnd.SetTimer(3, 10);
    wnd.SetTimer(4, 0);   // clamped to the shortest period, 10
    timers.Advance(30);
    EXPECT_EQ(log, (std::vector<std::string>{"w timer 3", "w timer 4", "w timer 4", "w timer 4"}));
    EXPECT_EQ(timers.GetTimerCount(&wnd), 1u);
    log.clear();
    wnd.DestroyWindow();
    EXPECT_EQ(timers.GetTimerCount(&wnd), 0u);
    timers.Advance(100);
    EXPECT_TRUE(log.empty());
}

TEST(WindowMessagesTest, ActivationAndShowMessagesGoToTheRightWindows)
{
    std::vector<std::string> log;
    CLogWnd top;
    CLogWnd child;
    top.log = child.log = &log;
    top.name = "top";
    child.name = "child";
    ASSERT_TRUE(top.Create(nullptr, CRect(0, 0, 100, 100), 0, WS_OVERLAPPED));
    ASSERT_TRUE(child.Create(&top, CRect(0, 0, 10, 10), 1, WS_CHILD | WS_VISIBLE));
    log.clear();

    top.ShowWindow(SW_SHOW);   // the child becomes visible with it, unannounced
    QApplication::setActiveWindow(&top);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
    child.ShowWindow(SW_HIDE);
    child.ShowWindow(SW_HIDE);   // no change, no message
    child.ShowWindow(SW_SHOW);
    const std::vector<std::string> expected = {"top show 1", "top activate 1", "child show 0", "child show 1"};
    EXPECT_EQ(log, expected);
}

TEST(WindowMessagesTest, UpdateWindowPaintsOnlyWhatIsPending)
{
    CLogWnd wnd;
    ASSERT_TRUE(wnd.Create(nullptr, CRect(0, 0, 200, 100), 0, WS_OVERLAPPED | WS_VISIBLE));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wnd));
    QCoreApplication::processEvents();
    wnd.paints = 0;
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 0);   // nothing pending

    CRect part(10, 20, 30, 40);
    wnd.InvalidateRect(&part);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_EQ(wnd.lastPaint, QRegion(10, 20, 20, 20));
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1);
}

TEST(StartupTest, TheProgramRunsOnXcbUnlessTheUserChoseAPlatform)
{
    struct Case {
        std::vector<const char*> argv;
        const char* variable;
        const char* expected;
    };
    const Case cases[] = {
        {{"orvelbuilder"}, nullptr, "xcb"},
        {{"orvelbuilder", "project.qpj"}, "", "xcb"},
        {{"orvelbuilder"}, "wayland", nullptr},
        {{"orvelbuilder", "-platform", "offscreen"}, nullptr, nullptr},
        {{"orvelbuilder", "--platform", "offscreen"}, nullptr, nullptr},
        {{"orvelbuilder", "-platform=vnc"}, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        const char* chosen = CQtStartup::PlatformToSelect(static_cast<int>(c.argv.size()), c.argv.data(), c.variable);
        EXPECT_STREQ(chosen, c.expected);
    }
}

} // namespace
