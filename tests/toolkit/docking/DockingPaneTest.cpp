// The program's four panes in the fixture frame: the tree they make, lazy
// views, closing and opening, split bars, floating and docking back, the
// renderers' captions and the pane notification.

#include "DockingFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneMiniWnd.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneSplitBar.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabItem.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QPoint At(CWnd* wnd, CPoint client)
{
    const CPoint origin = wnd->GetClientOrigin();
    return QPoint(client.x + origin.x, client.y + origin.y);
}

class DockingPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        ASSERT_TRUE(frame.Open(CRect(0, 0, 800, 560)));
        Relayout();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        CSystemMetrics::Instance().Reset();
    }

    void Relayout()
    {
        frame.RecalcLayout();
        ProcessEvents();
    }
    CTKDockingPaneTabbedContainer* ContainerOf(UINT id) { return frame.Pane(id)->GetContainer(); }
    int CountNotices(WPARAM kind, UINT paneId) const
    {
        int count = 0;
        for (const auto& notice : frame.notices) {
            if (notice.kind == kind && reinterpret_cast<CTKDockingPaneItem*>(notice.lParam)->GetId() == paneId)
                ++count;
        }
        return count;
    }
    std::vector<int> Actions() const
    {
        std::vector<int> actions;
        for (const auto& notice : frame.notices) {
            if (notice.kind == CTKDockingPaneHost::kNotifyAction)
                actions.push_back(notice.action);
        }
        return actions;
    }
    CRect ClientRectOf(CWnd* wnd)
    {
        CRect rect;
        wnd->GetWindowRect(&rect);
        frame.ScreenToClient(&rect);
        return rect;
    }

    CTKDockingFixtureFrame frame;
};

TEST_F(DockingPaneTest, TheFourPanesMakeTheProgramsTree)
{
    CTKDockingPaneLayout* layout = frame.Host().GetLayout();
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(ContainerOf(kInstructionsPane), left);
    EXPECT_EQ(ContainerOf(kCatalogPane), left);
    ASSERT_EQ(left->GetPanes().size(), 3u);
    EXPECT_EQ(left->GetPanes()[0]->GetId(), kWorkspacePane);
    EXPECT_EQ(left->GetPanes()[1]->GetId(), kInstructionsPane);
    EXPECT_EQ(left->GetPanes()[2]->GetId(), kCatalogPane);
    EXPECT_EQ(left->GetSelected()->GetId(), kWorkspacePane);
    EXPECT_TRUE(left->IsTabsVisible());
    EXPECT_EQ(left->GetTabCount(), 3);
    EXPECT_EQ(left->GetTab(2)->GetCaption(), "Catalog");

    CTKDockingPaneTabbedContainer* bottom = ContainerOf(kOutputPane);
    ASSERT_NE(bottom, nullptr);
    EXPECT_FALSE(bottom->IsTabsVisible());

    // Left of the client area: the workspace's group, with the output below both.
    CTKDockingPaneSplitGroup* top = layout->GetTopGroup();
    EXPECT_TRUE(top->IsHorizontal());
    auto* column = dynamic_cast<CTKDockingPaneSplitGroup*>(bottom->GetParentNode());
    ASSERT_NE(column, nullptr);
    EXPECT_FALSE(column->IsHorizontal());
    auto* row = dynamic_cast<CTKDockingPaneSplitGroup*>(left->GetParentNode());
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(row->ContainsNode(layout->GetClient()));
    EXPECT_EQ(layout->GetAutoHideSide(left), 0);
    EXPECT_EQ(layout->GetAutoHideSide(bottom), 3);

    // Every pane's holder is the container it sits in.
    for (const auto& entry : layout->GetEntries()) {
        EXPECT_EQ(entry.dockingHolder, entry.pane->GetContainer()) << entry.pane->GetId();
        EXPECT_EQ(entry.lastHolder, entry.pane->GetContainer()) << entry.pane->GetId();
        EXPECT_EQ(entry.floatingHolder, nullptr);
    }

    // On screen: the panes left and below, the MDI client in between.
    const CRect leftRect = ClientRectOf(left);
    const CRect bottomRect = ClientRectOf(bottom);
    const CRect clientRect = ClientRectOf(frame.GetMDIClient());
    EXPECT_EQ(leftRect.left, 0);
    EXPECT_EQ(leftRect.right + CTKDockingPaneSplitGroup::kGap, clientRect.left);
    EXPECT_EQ(bottomRect.top, clientRect.bottom + CTKDockingPaneSplitGroup::kGap);
    CRect frameClient;
    frame.GetClientRect(&frameClient);
    EXPECT_EQ(bottomRect.bottom + CTKFixtureStatusStrip::kHeight, frameClient.bottom);
    EXPECT_GT(clientRect.Width(), 0);
    EXPECT_GT(clientRect.Height(), 0);
}

} // namespace

namespace {

TEST_F(DockingPaneTest, FourPanesAndAFloatingPaneOnScreen)
{
    CTKDockingPaneItem* output = frame.Pane(kOutputPane);
    output->SetOptions(CTKDockingPaneItem::kNoClose);
    frame.Host().ToggleDocking(output);
    Relayout();
    auto* floating = dynamic_cast<CTKDockingPaneMiniWnd*>(output->GetContainer()->GetFrame());
    ASSERT_NE(floating, nullptr);
    floating->RecalcLayout();
    ProcessEvents();
    SaveScreenshot("docking_panes_style5.png");
    frame.SetInterface(3);
    Relayout();
    floating->RecalcLayout();
    ProcessEvents();
    SaveScreenshot("docking_panes_style3.png");
}

} // namespace
