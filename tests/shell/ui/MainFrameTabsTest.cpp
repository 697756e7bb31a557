// The main window's MDI children as tabs: the tab client attached as the
// program wants it, the side from the profile, and the tab menu on a right
// click.

#include "WorkbenchFixture.h"

#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIClient.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/docking/tabs/CTKMDITabGroup.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabNavigateButton.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>


namespace {

using MainFrameTabsTest = WorkbenchFixture;

CMDIChildWnd* OpenChild(CMainFrame* frame, const std::string& title)
{
    auto* child = new CMDIChildWnd;
    if (!child->Create(title, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 150), frame))
        return nullptr;
    return child;
}

TEST_F(MainFrameTabsTest, TheChildrenShowAsTabsOnTheProfilesSideWithTheTabMenu)
{
    const int kBottom = 2;
    ASSERT_TRUE(Settings().WriteInt("TabDocking", "Position", kBottom));
    Start();
    m_frame->ShowWindow(SW_SHOW);
    CTKTabClientWnd& tabs = m_frame->GetTabClient();
    EXPECT_TRUE(tabs.IsAttached());
    EXPECT_FALSE(tabs.IsGroupsMode());
    EXPECT_EQ(m_frame->GetMDIClient()->GetTabClient(), &tabs);
    EXPECT_FALSE(tabs.GetRenderer()->IsShowIcons());
    EXPECT_EQ(tabs.GetRenderer()->GetPosition(), kBottom);
    EXPECT_EQ(tabs.GetTabButtonFlags(), 2);

    // A right click on a tab activates its window and opens the tab menu there.
    CMDIChildWnd* first = OpenChild(m_frame, "MAIN");
    CMDIChildWnd* second = OpenChild(m_frame, "SBR01");
    ASSERT_TRUE(first != nullptr && second != nullptr);
    m_frame->RecalcLayout();
    // The menu closes when the application loses activation: let it settle first.
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&]() { return m_frame->isActiveWindow(); }));
    QCoreApplication::processEvents();
    CTKTabItem* tab = m_frame->GetTabClient().FindTab(first);
    ASSERT_NE(tab, nullptr);
    ASSERT_EQ(m_frame->GetMDIClient()->GetActive(), second);
    CTKMDITabGroup* group = m_frame->GetTabClient().GetGroup(0);
    EXPECT_EQ(group->FindNavigateButton(CTKTabNavigateButton::kClose)->GetMode(), CTKTabNavigateButton::kHidden);
    EXPECT_EQ(group->FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->GetMode(), CTKTabNavigateButton::kAlways);

    // The menu is closed as soon as it is open.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] { CTKPopupTracker::Get().CloseTrackedBars(); });
    watch.start(0);
    const CPoint centre = tab->GetRect().CenterPoint();
    EXPECT_EQ(m_frame->SendMessage(kTKMsgTabNotify, WM_RBUTTONDOWN, MAKELPARAM(centre.x, centre.y)), 1);
    watch.stop();
    EXPECT_EQ(m_frame->GetMDIClient()->GetActive(), first);
    EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty());
    // Other buttons go on to the tabs.
    EXPECT_EQ(m_frame->SendMessage(kTKMsgTabNotify, WM_LBUTTONDOWN, MAKELPARAM(centre.x, centre.y)), 0);
}

} // namespace

namespace {

using MainFrameToggleTabTest = WorkbenchFixture;

// Toggle Tab moves the strip from the top to the bottom and back, and the
// side it stands on at close is the one written for the next start.
TEST_F(MainFrameToggleTabTest, ToggleTabSwitchesTheSideAndCloseStoresIt)
{
    const int kTop = 0;
    const int kBottom = 2;
    const UINT kToggleTab = 32879;
    Start();
    CTKTabRenderer* renderer = m_frame->GetTabClient().GetRenderer();
    ASSERT_EQ(renderer->GetPosition(), kTop);
    m_frame->SendMessage(WM_COMMAND, kToggleTab);
    EXPECT_EQ(renderer->GetPosition(), kBottom);
    m_frame->SendMessage(WM_COMMAND, kToggleTab);
    EXPECT_EQ(renderer->GetPosition(), kTop);
    m_frame->SendMessage(WM_COMMAND, kToggleTab);

    m_frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(Settings().GetInt("TabDocking", "Position", -1), kBottom);
    Stop();
}

} // namespace
