// The window base: Qt events as messages and handlers, private messages
// sent and posted, hooks, timers, text, focus, capture, tool tips.

#include "platform/Gbk.h"
#include "platform/ui/CWindowHook.h"
#include "platform/ui/CWnd.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Pt(CPoint p)
{
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

class CRecordingWnd : public CWnd {
public:
    CRecordingWnd()
    {
        SetClassStyle(CS_DBLCLKS);
        static const CMsgEntry<CRecordingWnd> kMessages[] = {
            {1155, &CRecordingWnd::OnTabIcon},
        };
        AddMessageTable(kMessages);
    }

    std::vector<std::string> log;
    int createResult = 0;
    int paints = 0;
    bool paintHadEvent = false;
    std::string tip = "Tip";

    LRESULT OnTabIcon(WPARAM wParam, LPARAM lParam)
    {
        log.push_back("1155 " + std::to_string(wParam) + " " + std::to_string(lParam));
        return static_cast<LRESULT>(wParam) + lParam;
    }

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override
    {
        if (point.x >= 50)
            return -1;
        info->uId = 1;
        info->rect = CRect(0, 0, 50, 50);
        info->text = tip;
        return 1;
    }

protected:
    int OnCreate() override
    {
        log.push_back("create");
        return createResult;
    }
    void OnDestroy() override { log.push_back("destroy"); }
    void OnClose() override
    {
        log.push_back("close");
        CWnd::OnClose();
    }
    void OnPaint() override
    {
        paintHadEvent = GetPaintEvent() != nullptr;
        ++paints;
    }
    void OnSize(UINT type, int cx, int cy) override
    {
        log.push_back("size " + std::to_string(type) + " " + std::to_string(cx) + "," + std::to_string(cy));
    }
    void OnShowWindow(BOOL show, UINT) override { log.push_back("show " + std::to_string(show)); }
    void OnTimer(UINT_PTR id) override { log.push_back("timer " + std::to_string(id)); }
    void OnSetFocus(CWnd*) override { log.push_back("setfocus"); }
    void OnKillFocus(CWnd*) override { log.push_back("killfocus"); }
    void OnCaptureChanged(CWnd* wnd) override { log.push_back(std::string("capturechanged ") + (wnd ? "to" : "none")); }
    void OnLButtonDown(UINT flags, CPoint p) override { log.push_back("ldown " + std::to_string(flags) + " " + Pt(p)); }
    void OnLButtonUp(UINT flags, CPoint p) override { log.push_back("lup " + std::to_string(flags) + " " + Pt(p)); }
    void OnLButtonDblClk(UINT flags, CPoint p) override { log.push_back("ldbl " + std::to_string(flags) + " " + Pt(p)); }
    void OnRButtonDown(UINT flags, CPoint p) override { log.push_back("rdown " + std::to_string(flags) + " " + Pt(p)); }
    void OnContextMenu(CWnd* wnd, CPoint) override { log.push_back(std::string("context ") + (wnd == this ? "self" : "other")); }
    void OnKeyDown(UINT ch, UINT repeat, UINT) override
    {
        log.push_back("keydown " + std::to_string(ch) + " x" + std::to_string(repeat));
    }
    void OnKeyUp(UINT ch, UINT, UINT) override { log.push_back("keyup " + std::to_string(ch)); }
    void OnChar(UINT ch, UINT, UINT) override { log.push_back("char " + std::to_string(ch)); }
    void OnSysKeyDown(UINT ch, UINT, UINT) override { log.push_back("syskeydown " + std::to_string(ch)); }
    void OnSysChar(UINT ch, UINT, UINT) override { log.push_back("syschar " + std::to_string(ch)); }
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(wnd.Create(nullptr, CRect(10, 10, 210, 110), 0, WS_OVERLAPPED | WS_VISIBLE));
        QApplication::setActiveWindow(&wnd);
        wnd.log.clear();
    }
    CRecordingWnd wnd;
};

void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods)
{
    QMouseEvent event(type, p, w->mapToGlobal(p), button, buttons, mods);
    QApplication::sendEvent(w, &event);
}

TEST_F(WindowTest, MouseEventsReachTheButtonHandlersWithFlagsAndPoint)
{
    SendMouse(&wnd, QEvent::MouseButtonPress, {5, 7}, Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    SendMouse(&wnd, QEvent::MouseButtonRelease, {5, 7}, Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    SendMouse(&wnd, QEvent::MouseButtonDblClick, {6, 8}, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    SendMouse(&wnd, QEvent::MouseButtonPress, {-3, 2}, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
    SendMouse(&wnd, QEvent::MouseButtonRelease, {-3, 2}, Qt::RightButton, Qt::NoButton, Qt::ShiftModifier);
    const std::vector<std::string> expected = {
        "ldown 9 5,7", "lup 8 5,7", "ldbl 1 6,8", "rdown 6 -3,2", "context self",
    };
    EXPECT_EQ(wnd.log, expected);
}

TEST_F(WindowTest, KeysBecomeKeyMessagesAndGbkCharacters)
{
    QTest::keyClick(&wnd, Qt::Key_A);
    QKeyEvent chinese(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("中"));
    QApplication::sendEvent(&wnd, &chinese);
    QTest::keyClick(&wnd, Qt::Key_F10);
    QKeyEvent altX(QEvent::KeyPress, Qt::Key_X, Qt::AltModifier, QStringLiteral("x"));
    QApplication::sendEvent(&wnd, &altX);
    QTest::keyClick(&wnd, Qt::Key_Delete);
    const std::vector<std::string> expected = {
        "keydown 65 x1", "char 97", "keyup 65",
        "char 214", "char 208",   // GBK bytes of the character
        "syskeydown 121",
        "syskeydown 88", "syschar 120",
        "keydown 46 x1", "keyup 46",
    };
    EXPECT_EQ(wnd.log, expected);
}

TEST_F(WindowTest, SizeShowCloseAndDestroyFollowTheWindowsLife)
{
    CRecordingWnd child;
    ASSERT_TRUE(child.Create(&wnd, CRect(0, 0, 30, 20), 7, WS_CHILD));
    EXPECT_EQ(child.log, (std::vector<std::string>{"create", "size 0 30,20"}));
    child.MoveWindow(CRect(0, 0, 40, 25));   // hidden windows hear of their size at once
    child.ShowWindow(SW_SHOW);
    EXPECT_EQ(child.log.at(2), "size 0 40,25");
    EXPECT_EQ(child.log.at(3), "show 1");
    EXPECT_EQ(wnd.GetDlgItem(7), &child);
    EXPECT_EQ(child.GetParent(), &wnd);

    wnd.close();   // WM_CLOSE; its default processing destroys the window and its children
    EXPECT_EQ(wnd.log.front(), "close");
    EXPECT_EQ(wnd.log.at(1), "destroy");
    EXPECT_FALSE(wnd.IsWindow());
    EXPECT_FALSE(child.IsWindow());
    EXPECT_EQ(child.log.back(), "destroy");
    EXPECT_FALSE(wnd.IsWindowVisible());
}

TEST_F(WindowTest, CreationFailsWhenOnCreateRefuses)
{
    CRecordingWnd refused;
    refused.createResult = -1;
    EXPECT_FALSE(refused.Create(&wnd, CRect(0, 0, 10, 10), 1, WS_CHILD | WS_VISIBLE));
    EXPECT_FALSE(refused.IsWindow());
    EXPECT_EQ(refused.log, (std::vector<std::string>{"create", "destroy"}));
}

TEST_F(WindowTest, PrivateMessagesAreSentAtOnceAndPostedThroughTheQueue)
{
    EXPECT_EQ(wnd.SendMessage(1155, 2, 3), 5);
    EXPECT_TRUE(wnd.PostMessage(1155, 4, 5));
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"1155 2 3"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"1155 2 3", "1155 4 5"}));
    EXPECT_EQ(wnd.SendMessage(1158), 0);   // nobody answers: default processing gives 0
}

TEST_F(WindowTest, TextIsGbkAndCopiesNeverSplitACharacter)
{
    const std::string text = "a" + Utf8ToGbk("中") + "b";
    wnd.SetWindowText(text);
    EXPECT_EQ(wnd.GetWindowText(), text);
    EXPECT_EQ(wnd.windowTitle(), QString::fromUtf8("a中b"));
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(wnd.SendMessage(WM_GETTEXT, 3, reinterpret_cast<LPARAM>(buffer)), 1);
    EXPECT_STREQ(buffer, "a");
}

TEST_F(WindowTest, TimersFireUntilKilled)
{
    EXPECT_EQ(wnd.SetTimer(7, 5), 7u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !wnd.log.empty(); }));
    EXPECT_EQ(wnd.log.front(), "timer 7");
    EXPECT_TRUE(wnd.KillTimer(7));
    wnd.log.clear();
    QTest::qWait(20);
    EXPECT_TRUE(wnd.log.empty());
    EXPECT_FALSE(wnd.KillTimer(7));
    EXPECT_EQ(wnd.SetTimer(0, 5), 0u);
}

TEST_F(WindowTest, PaintRunsInsideThePaintEvent)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wnd));
    wnd.paints = 0;
    wnd.repaint();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_TRUE(wnd.paintHadEvent);
    wnd.SendMessage(WM_PAINT);
    EXPECT_FALSE(wnd.paintHadEvent);
}

TEST_F(WindowTest, FocusAndCaptureMovesAreAnnounced)
{
    CRecordingWnd a;
    CRecordingWnd b;
    ASSERT_TRUE(a.Create(&wnd, CRect(0, 0, 10, 10), 1, WS_CHILD | WS_VISIBLE));
    ASSERT_TRUE(b.Create(&wnd, CRect(20, 0, 30, 10), 2, WS_CHILD | WS_VISIBLE));
    a.log.clear();
    b.log.clear();

    a.SetFocus();
    b.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &b);
    EXPECT_EQ(a.log, (std::vector<std::string>{"setfocus", "killfocus"}));

    a.SetCapture();
    b.SetCapture();
    EXPECT_EQ(CWnd::GetCapture(), &b);
    CWnd::ReleaseCapture();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(a.log.back(), "capturechanged to");
    EXPECT_EQ(b.log.back(), "capturechanged none");
}

TEST_F(WindowTest, ToolTipsComeFromTheHitTest)
{
    wnd.EnableToolTips();
    QHelpEvent inside(QEvent::ToolTip, QPoint(10, 10), wnd.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(&wnd, &inside);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Tip"));
    QHelpEvent outside(QEvent::ToolTip, QPoint(80, 10), wnd.mapToGlobal(QPoint(80, 10)));
    QApplication::sendEvent(&wnd, &outside);
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 10000));
}

// Records what it sees and answers as told.
class CTestHook : public CWindowHook {
public:
    CTestHook(std::vector<std::string>* log, const char* name) : m_log(log), m_name(name) {}
    int answer = 0;
    WPARAM newWParam = 0;
    bool destroyed = false;

protected:
    int OnHookMessage(CWnd*, UINT message, WPARAM* wParam, LPARAM*, LRESULT* result) override
    {
        if (message != 1155 && message != WM_LBUTTONDOWN)
            return 0;
        m_log->push_back(m_name + " " + std::to_string(message));
        if (newWParam)
            *wParam = newWParam;
        *result = 99;
        return answer;
    }
    void OnWindowDestroyed(CWnd*) override { destroyed = true; }

private:
    std::vector<std::string>* m_log;
    std::string m_name;
};

TEST_F(WindowTest, HooksSeeMessagesNewestFirstAndMayAnswerHideOrChangeThem)
{
    CTestHook first(&wnd.log, "first");
    CTestHook second(&wnd.log, "second");
    EXPECT_TRUE(first.HookWindow(&wnd));
    EXPECT_TRUE(second.HookWindow(&wnd));
    EXPECT_FALSE(first.HookWindow(&wnd));   // attaching again keeps the order

    second.newWParam = 8;
    EXPECT_EQ(wnd.SendMessage(1155, 1, 1), 9);
    second.newWParam = 0;
    QTest::mouseClick(&wnd, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"second 1155", "first 1155", "1155 8 1", "second 513", "first 513",
                                                 "ldown 1 3,4", "lup 0 3,4"}));

    wnd.log.clear();
    second.answer = 2;
    wnd.SendMessage(1155, 1, 1);
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"second 1155", "1155 1 1"}));

    wnd.log.clear();
    second.answer = 1;
    EXPECT_EQ(wnd.SendMessage(1155, 1, 1), 99);
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"second 1155"}));

    EXPECT_TRUE(second.UnhookWindow(&wnd));
    EXPECT_FALSE(second.UnhookWindow(&wnd));
    wnd.DestroyWindow();
    EXPECT_TRUE(first.destroyed);
    EXPECT_FALSE(first.IsHooked(&wnd));
}

// Eats F2 for its children.
class CFilteringParent : public CRecordingWnd {
public:
    BOOL PreTranslateMessage(MSG* msg) override { return msg->message == WM_KEYDOWN && msg->wParam == VK_F1 + 1; }
};

TEST(WindowPreTranslateTest, ParentsFilterTheirChildrensKeysFirst)
{
    CFilteringParent parent;
    CRecordingWnd child;
    ASSERT_TRUE(parent.Create(nullptr, CRect(0, 0, 100, 100), 0, WS_VISIBLE));
    ASSERT_TRUE(child.Create(&parent, CRect(0, 0, 50, 50), 1, WS_CHILD | WS_VISIBLE));
    child.log.clear();
    QTest::keyPress(&child, Qt::Key_F2);
    QTest::keyPress(&child, Qt::Key_F3);
    EXPECT_EQ(child.log, (std::vector<std::string>{"keydown 114 x1"}));
}

} // namespace
