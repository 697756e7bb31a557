// Sinks on a window see its messages newest first; answers 1 and 2 stop the
// walk; sinks that add or remove hooks during the walk do not upset it; a
// destroyed window leaves the map; the tracking hooks answer the frame.

#include "platform/ui/CWnd.h"
#include "toolkit/commandbars/CTKWindowHookMap.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kProbe = WM_USER + 7;
constexpr LRESULT kWindowAnswer = 11;
constexpr LRESULT kHookAnswer = 22;

class CProbeWnd : public CWnd {
public:
    std::vector<std::string>* log = nullptr;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kProbe) {
            log->push_back("window");
            return kWindowAnswer;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CLogSink : public CTKHookSink {
public:
    CLogSink(std::string name, std::vector<std::string>& log, int answer = kTKHookNotHandled)
        : m_name(std::move(name)), m_log(log), m_answer(answer)
    {
    }
    std::function<void()> onMessage;
    int OnHookMessage(CWnd*, UINT message, WPARAM*, LPARAM*, LRESULT* result) override
    {
        if (message != kProbe && message != WM_KEYDOWN)
            return kTKHookNotHandled;
        m_log.push_back(m_name);
        if (onMessage)
            onMessage();
        *result = kHookAnswer;
        return m_answer;
    }

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    int m_answer;
};

class WindowHookMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.log = &log;
        ASSERT_TRUE(window.Create(nullptr, CRect(0, 0, 50, 50), 0, WS_POPUP));
    }
    void TearDown() override
    {
        map.RemoveHookFromAll(&a);
        map.RemoveHookFromAll(&b);
        map.RemoveHookFromAll(&c);
    }
    LRESULT Send() { return window.SendMessage(kProbe); }

    std::vector<std::string> log;
    CProbeWnd window;
    CTKWindowHookMap map;
    CLogSink a{"a", log};
    CLogSink b{"b", log};
    CLogSink c{"c", log};
};

using Log = std::vector<std::string>;

TEST_F(WindowHookMapTest, AnswersOfTheNewestHookDecideWhoElseSeesTheMessage)
{
    struct Case {
        int answerOfB;
        Log seen;
        LRESULT result;
    };
    const Case cases[] = {
        {kTKHookNotHandled, {"b", "a", "window"}, kWindowAnswer},
        {kTKHookHandled, {"b"}, kHookAnswer},
        {kTKHookStop, {"b", "window"}, kWindowAnswer},
    };
    for (const Case& test : cases) {
        CLogSink newest("b", log, test.answerOfB);
        map.AddHook(&window, &a);
        map.AddHook(&window, &newest);
        map.AddHook(&window, &a);
        log.clear();
        EXPECT_EQ(Send(), test.result) << test.answerOfB;
        EXPECT_EQ(log, test.seen) << test.answerOfB;
        map.RemoveHookFromAll(&newest);
        map.RemoveHookFromAll(&a);
    }
}

TEST_F(WindowHookMapTest, RemovingTheLastHookLeavesTheWindowAndAddingAgainWatchesItAnew)
{
    map.AddHook(&window, &a);
    map.AddHook(&window, &b);
    map.RemoveHook(&window, &a);
    map.RemoveHook(&window, &a);
    EXPECT_EQ(map.GetHookCount(&window), 1);
    map.RemoveHook(&window, &b);
    EXPECT_FALSE(map.IsHooked(&window));
    Send();
    EXPECT_EQ(log, Log{"window"});

    map.AddHook(&window, &c);
    log.clear();
    Send();
    EXPECT_EQ(log, (Log{"c", "window"}));
}

TEST_F(WindowHookMapTest, HooksChangedDuringTheWalkAreLookedUpAgain)
{
    // c removes b before b's turn: b is skipped. c removes every hook: the
    // window leaves the map during the walk and still gets its message.
    struct Case {
        std::function<void()> duringC;
        Log seen;
        BOOL hookedAfter;
    };
    const Case cases[] = {
        {[&] { map.RemoveHook(&window, &b); }, {"c", "a", "window"}, TRUE},
        {[&] {
             map.RemoveHook(&window, &a);
             map.RemoveHook(&window, &b);
             map.RemoveHook(&window, &c);
         },
         {"c", "window"}, FALSE},
        {[&] { map.AddHook(&window, &b); }, {"c", "b", "a", "window"}, TRUE},
    };
    for (const Case& test : cases) {
        map.AddHook(&window, &a);
        map.AddHook(&window, &b);
        map.AddHook(&window, &c);
        c.onMessage = test.duringC;
        log.clear();
        Send();
        EXPECT_EQ(log, test.seen);
        EXPECT_EQ(map.IsHooked(&window), test.hookedAfter);
        c.onMessage = nullptr;
        TearDown();
    }
}

TEST_F(WindowHookMapTest, ADestroyedWindowLeavesTheMap)
{
    auto doomed = std::make_unique<CProbeWnd>();
    doomed->log = &log;
    ASSERT_TRUE(doomed->Create(nullptr, CRect(0, 0, 10, 10), 0, WS_POPUP));
    map.AddHook(doomed.get(), &a);
    doomed->DestroyWindow();
    EXPECT_FALSE(map.IsHooked(doomed.get()));
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowHookMapTest, TrackingHooksAnswerNewestFirst)
{
    struct Case {
        int answerOfB;
        Log seen;
        BOOL handled;
    };
    const Case cases[] = {
        {kTKHookNotHandled, {"b", "a"}, TRUE},
        {kTKHookHandled, {"b"}, TRUE},
        {kTKHookStop, {"b"}, FALSE},
    };
    for (const Case& test : cases) {
        CLogSink newest("b", log, test.answerOfB);
        map.AddTrackingHook(&a);
        map.AddTrackingHook(&newest);
        map.AddTrackingHook(&a);
        EXPECT_EQ(map.GetTrackingHookCount(), 2);
        log.clear();
        EXPECT_EQ(map.DispatchToTrackingHooks(WM_KEYDOWN, VK_DOWN, 0), test.handled);
        EXPECT_EQ(log, test.seen);
        map.RemoveTrackingHook(&newest);
        map.RemoveTrackingHook(&a);
    }
    EXPECT_EQ(map.GetTrackingHookCount(), 0);
    EXPECT_TRUE(map.DispatchToTrackingHooks(WM_KEYDOWN, VK_DOWN, 0));
}

TEST_F(WindowHookMapTest, ATrackingHookThatLeavesDuringTheWalkTakesOthersWithIt)
{
    map.AddTrackingHook(&a);
    map.AddTrackingHook(&b);
    b.onMessage = [&] { map.RemoveTrackingHook(&a); };
    EXPECT_TRUE(map.DispatchToTrackingHooks(WM_KEYDOWN, VK_ESCAPE, 0));
    EXPECT_EQ(log, Log{"b"});
    map.RemoveTrackingHook(&b);
}

} // namespace
