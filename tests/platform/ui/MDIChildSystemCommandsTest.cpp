// The system commands of an MDI child frame: minimise to a strip at the
// bottom of the client, maximise, restore, close, the system menu's states
// following the size state, the icons it answers, and the client telling
// its hooks whenever the active child changes.

#include "FixtureFrame.h"

#include "platform/ui/CWindowHook.h"

#include <QApplication>
#include <QPointer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kIconicWidth = 160;

CRect GeometryOf(const QWidget& w)
{
    return CRect(w.x(), w.y(), w.x() + w.width(), w.y() + w.height());
}

// Counts the client's announcements of a changed active child.
class MenuChangeCounter : public CWindowHook {
public:
    int count = 0;

protected:
    int OnHookMessage(CWnd*, UINT message, WPARAM*, LPARAM*, LRESULT*) override
    {
        count += message == WM_MDISETMENU ? 1 : 0;
        return 0;
    }
};

class MDIChildSystemCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadFixtureResources();
        frame = std::make_unique<CFixtureFrame>();
        ASSERT_TRUE(frame->LoadFrame(122));
        frame->MoveWindow(CRect(0, 0, 400, 300));
        frame->ShowWindow(SW_SHOW);
        a = frame->OpenChild("A");
        b = frame->OpenChild("B");
        ASSERT_NE(a, nullptr);
        ASSERT_NE(b, nullptr);
    }
    void TearDown() override
    {
        frame->DestroyWindow();
        frame.reset();
        QCoreApplication::processEvents();
    }

    UINT State(CMDIChildWnd* child, WPARAM command) const
    {
        return child->GetSystemMenu(FALSE)->GetMenuState(static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED;
    }

    std::unique_ptr<CFixtureFrame> frame;
    CFixtureChild* a = nullptr;
    CFixtureChild* b = nullptr;
};

TEST_F(MDIChildSystemCommandsTest, MinimiseMaximiseAndRestoreMoveTheChildAndTheActivation)
{
    const CRect normal = GeometryOf(*b);
    CRect client;
    frame->GetMDIClient()->GetClientRect(&client);
    ASSERT_EQ(frame->MDIGetActive(), b);

    const int activations = a->activations;
    b->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(b->IsIconic());
    // The next child is activated, not only moved to the front.
    EXPECT_EQ(a->activations, activations + 1);
    EXPECT_EQ(GeometryOf(*b).left, 0);
    EXPECT_EQ(GeometryOf(*b).Width(), kIconicWidth);
    EXPECT_EQ(GeometryOf(*b).bottom, client.bottom);
    EXPECT_EQ(frame->MDIGetActive(), a);
    EXPECT_EQ(State(b, SC_RESTORE), 0u);
    EXPECT_EQ(State(b, SC_MINIMIZE), static_cast<UINT>(MF_GRAYED));

    // A second minimised child takes the next place along the bottom.
    a->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_EQ(GeometryOf(*a).left, kIconicWidth);

    b->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(b->IsIconic());
    EXPECT_EQ(GeometryOf(*b), normal);
    EXPECT_EQ(frame->MDIGetActive(), b);

    b->SendMessage(WM_SYSCOMMAND, SC_MAXIMIZE);
    EXPECT_TRUE(b->IsMaximized());
    EXPECT_EQ(State(b, SC_MAXIMIZE), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(State(b, SC_RESTORE), 0u);
    b->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(b->IsMaximized());
    EXPECT_EQ(GeometryOf(*b), normal);
    EXPECT_EQ(State(b, SC_RESTORE), static_cast<UINT>(MF_GRAYED));
    // The system menu never moves or sizes a child.
    EXPECT_EQ(State(b, SC_MOVE), static_cast<UINT>(MF_GRAYED));
    EXPECT_EQ(State(b, SC_SIZE), static_cast<UINT>(MF_GRAYED));
}

TEST_F(MDIChildSystemCommandsTest, AMissingBoxRefusesItsCommand)
{
    struct Case {
        const char* what;
        DWORD removed;
        WPARAM command;
    };
    const Case cases[] = {
        {"no minimise box", WS_MINIMIZEBOX, SC_MINIMIZE},
        {"no maximise box", WS_MAXIMIZEBOX, SC_MAXIMIZE},
    };
    for (const Case& c : cases) {
        b->ModifyStyle(c.removed, 0);
        b->SendMessage(WM_SYSCOMMAND, c.command);
        EXPECT_FALSE(b->IsIconic()) << c.what;
        EXPECT_FALSE(b->IsMaximized()) << c.what;
        EXPECT_EQ(State(b, c.command), static_cast<UINT>(MF_GRAYED)) << c.what;
        b->ModifyStyle(0, c.removed);
    }
}

TEST_F(MDIChildSystemCommandsTest, CloseAndNextReachTheChildAndTheClient)
{
    a->MDIActivate();
    a->SendMessage(WM_SYSCOMMAND, SC_NEXTWINDOW);
    EXPECT_EQ(frame->MDIGetActive(), b);

    QPointer<CFixtureChild> closing(b);
    b->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    QCoreApplication::processEvents();
    EXPECT_TRUE(closing.isNull());
    EXPECT_EQ(frame->MDIGetActive(), a);
}

TEST_F(MDIChildSystemCommandsTest, TheChildAnswersTheIconsItWasGiven)
{
    EXPECT_EQ(a->SendMessage(WM_GETICON, ICON_SMALL), 0);
    EXPECT_EQ(a->SendMessage(WM_GETICON, ICON_BIG), 0);
    a->SetIcon(CIconImage(16, 16, 0xFF0000FF), FALSE);
    const auto* small = reinterpret_cast<const CIconImage*>(a->SendMessage(WM_GETICON, ICON_SMALL));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->GetPixel(3, 3), 0xFF0000FFu);
    EXPECT_EQ(a->SendMessage(WM_GETICON, ICON_BIG), 0);
    a->SetIcon(CIconImage(), FALSE);
    EXPECT_EQ(a->SendMessage(WM_GETICON, ICON_SMALL), 0);
}

TEST_F(MDIChildSystemCommandsTest, TheClientAnnouncesEveryChangeOfTheActiveChild)
{
    MenuChangeCounter counter;
    counter.HookWindow(frame->GetMDIClient());
    struct Step {
        const char* what;
        std::function<void()> act;
        int announced;
    };
    const Step steps[] = {
        {"activating the other child", [this] { a->MDIActivate(); }, 1},
        {"activating the active child again", [this] { a->MDIActivate(); }, 0},
        {"minimising the active child", [this] { a->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE); }, 1},
        {"closing an inactive child", [this] { a->MDIDestroy(); }, 0},
        {"closing the last child", [this] { b->MDIDestroy(); }, 1},
    };
    for (const Step& step : steps) {
        counter.count = 0;
        step.act();
        EXPECT_EQ(counter.count, step.announced) << step.what;
    }
}

} // namespace
