// The program's four panes in the fixture frame: the tree they make, lazy
// views, closing and opening, split bars, floating and docking back, the
// renderers' captions and the pane notification.

#include "DockingFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CMessagePump.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/commandbars/draw/CTKDCSelectGuard.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneMiniWnd.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneSplitBar.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

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
    // The catalogues' emptied containers take no room and get no split bar.
    EXPECT_EQ(top->GetChildren().size(), 3u);
    EXPECT_TRUE(top->GetChildren()[0]->IsEmpty());
    EXPECT_TRUE(top->GetChildren()[1]->IsEmpty());
    EXPECT_EQ(top->GetSplitBarCount(), 0);
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
    floating->MoveWindow(CRect(480, 400, 900, 560));
    ProcessEvents();
    SaveScreenshot("docking_panes_style5.png");
    frame.SetInterface(3);
    Relayout();
    floating->RecalcLayout();
    ProcessEvents();
    SaveScreenshot("docking_panes_style3.png");
}

} // namespace

namespace {

TEST_F(DockingPaneTest, ViewsAreCreatedWhenTheirPaneFirstShows)
{
    // Shown panes got their views once; the tabs behind the workspace none yet.
    EXPECT_EQ(frame.viewsCreated[kWorkspacePane], 1);
    EXPECT_EQ(frame.viewsCreated[kOutputPane], 1);
    EXPECT_EQ(frame.viewsCreated.count(kInstructionsPane), 0u);
    EXPECT_EQ(frame.viewsCreated.count(kCatalogPane), 0u);
    CTKDockingPaneItem* workspace = frame.Pane(kWorkspacePane);
    ASSERT_TRUE(workspace->HasHostedWindow());
    EXPECT_EQ(workspace->GetHostedWindow()->GetParent(), ContainerOf(kWorkspacePane));
    EXPECT_TRUE(workspace->GetHostedWindow()->IsWindowVisible());

    // Each layout announces the selected pane again, without a second view.
    const int before = CountNotices(CTKDockingPaneHost::kNotifyShowing, kWorkspacePane);
    Relayout();
    EXPECT_GT(CountNotices(CTKDockingPaneHost::kNotifyShowing, kWorkspacePane), before);
    EXPECT_EQ(frame.viewsCreated[kWorkspacePane], 1);

    // A click on the second tab shows the instructions and creates their view.
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    const CPoint tab = left->GetTab(1)->GetRect().CenterPoint();
    EXPECT_EQ(left->HitTest(tab.x, tab.y), 1);
    QTest::mouseClick(left, Qt::LeftButton, {}, At(left, tab));
    ProcessEvents();
    EXPECT_EQ(left->GetSelected()->GetId(), kInstructionsPane);
    EXPECT_EQ(frame.viewsCreated[kInstructionsPane], 1);
    EXPECT_TRUE(frame.Pane(kInstructionsPane)->GetHostedWindow()->IsWindowVisible());
    EXPECT_FALSE(workspace->GetHostedWindow()->IsWindowVisible());

    // A right click tells the frame which container was clicked.
    frame.notices.clear();
    QTest::mousePress(left, Qt::RightButton, {}, At(left, CPoint(20, 5)));
    QTest::mouseRelease(left, Qt::RightButton, {}, At(left, CPoint(20, 5)));
    ASSERT_EQ(frame.notices.size(), 1u);
    EXPECT_EQ(frame.notices[0].kind, static_cast<WPARAM>(CTKDockingPaneHost::kNotifyRightClick));
    EXPECT_EQ(reinterpret_cast<CWnd*>(frame.notices[0].lParam), static_cast<CWnd*>(left));
}

TEST_F(DockingPaneTest, ClosedPanesComeBackIntoTheirContainer)
{
    CTKDockingPaneItem* output = frame.Pane(kOutputPane);
    CTKDockingPaneTabbedContainer* bottom = ContainerOf(kOutputPane);
    const int clientBottom = ClientRectOf(frame.GetMDIClient()).bottom;

    frame.vetoClose = true;
    frame.Host().ClosePane(output);
    EXPECT_FALSE(output->IsClosed());
    frame.vetoClose = false;

    frame.Host().ClosePane(output);
    EXPECT_EQ(CountNotices(CTKDockingPaneHost::kNotifyClosing, kOutputPane), 2);
    EXPECT_TRUE(output->IsClosed());
    EXPECT_FALSE(frame.shown[kOutputPane]);
    EXPECT_FALSE(bottom->IsWindow());
    EXPECT_FALSE(output->GetHostedWindow()->IsWindowVisible());
    Relayout();
    EXPECT_GT(ClientRectOf(frame.GetMDIClient()).bottom, clientBottom);

    frame.Host().OpenPaneById(kOutputPane);
    EXPECT_EQ(output->GetContainer(), bottom);
    EXPECT_TRUE(bottom->IsWindow());
    Relayout();
    EXPECT_EQ(ClientRectOf(frame.GetMDIClient()).bottom, clientBottom);
    EXPECT_TRUE(output->GetHostedWindow()->IsWindowVisible());
    EXPECT_EQ(frame.viewsCreated[kOutputPane], 1);

    // Closing the selected tab selects the last one left.
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    frame.Pane(kWorkspacePane)->Close();
    EXPECT_EQ(left->GetSelected()->GetId(), kCatalogPane);
    EXPECT_EQ(left->GetTabCount(), 2);
}

TEST_F(DockingPaneTest, HitTestSortsCaptionTabsAndPaneArea)
{
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    const CRect area = left->GetPaneArea();
    struct Case {
        CPoint point;
        int hit;
    };
    const Case cases[] = {
        {CPoint(20, 5), CTKDockingPaneTabbedContainer::kHitCaption},
        {CPoint(20, area.top - 1), CTKDockingPaneTabbedContainer::kHitCaption},
        {area.CenterPoint(), -1},
        {left->GetTab(0)->GetRect().CenterPoint(), 0},
        {left->GetTab(2)->GetRect().CenterPoint(), 2},
        {CPoint(-5, 5), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(left->HitTest(c.point.x, c.point.y), c.hit) << c.point.x << "," << c.point.y;
    EXPECT_EQ(left->GetPaneAt(3), nullptr);
    EXPECT_EQ(left->GetPaneAt(-1), nullptr);
}

// The pixels of one colour inside a rectangle of a window's picture.
int CountColor(CWnd* wnd, const CRect& rect, COLORREF color)
{
    const QImage picture = wnd->grab().toImage();
    const QRgb wanted = qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            count += picture.valid(x, y) && (picture.pixel(x, y) & 0xFFFFFFu) == (wanted & 0xFFFFFFu) ? 1 : 0;
    }
    return count;
}

// A pane's tab shows the icon of its icon id (its own id while that is -1)
// from the host's image store, whole, while the tab renderer shows icons.
TEST_F(DockingPaneTest, PaneTabsShowTheIconsOfTheirIconIds)
{
    constexpr COLORREF kInstructionsColor = RGB(20, 200, 40);
    constexpr COLORREF kCatalogColor = RGB(200, 30, 160);
    constexpr int kWholeIcon = 16 * 16;
    CTKDockingPaneItem* workspace = frame.Pane(kWorkspacePane);
    CTKDockingPaneItem* instructions = frame.Pane(kInstructionsPane);
    EXPECT_EQ(instructions->GetIcon(), nullptr);
    CTKCommandImages* images = frame.Host().GetImages();
    ASSERT_TRUE(images->SetIcon(CIconImage(16, 16, CIconImage::ArgbFromColor(kInstructionsColor)), kInstructionsPane,
                                0, 0, 0, FALSE));
    ASSERT_TRUE(
        images->SetIcon(CIconImage(16, 16, CIconImage::ArgbFromColor(kCatalogColor)), kCatalogPane, 0, 0, 0, FALSE));
    ASSERT_NE(instructions->GetIcon(), nullptr);
    EXPECT_EQ(instructions->GetIcon()->GetCommand(), kInstructionsPane);
    EXPECT_EQ(workspace->GetIcon(), nullptr);
    workspace->SetIconId(static_cast<int>(kCatalogPane));
    ASSERT_NE(workspace->GetIcon(), nullptr);
    EXPECT_EQ(workspace->GetIcon()->GetCommand(), kCatalogPane);

    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    Relayout();
    left->Invalidate();
    ProcessEvents();
    const CRect workspaceTab = left->GetTab(0)->GetRect();
    const CRect instructionsTab = left->GetTab(1)->GetRect();
    const CRect catalogTab = left->GetTab(2)->GetRect();
    EXPECT_EQ(CountColor(left, instructionsTab, kInstructionsColor), kWholeIcon);
    EXPECT_EQ(CountColor(left, catalogTab, kCatalogColor), kWholeIcon);
    EXPECT_EQ(CountColor(left, workspaceTab, kCatalogColor), kWholeIcon);
    SaveScreenshot("docking_pane_tab_icons.png");

    frame.Host().GetRenderer()->GetContainerTabRenderer()->SetShowIcons(FALSE);
    Relayout();
    left->Invalidate();
    ProcessEvents();
    EXPECT_EQ(CountColor(left, left->GetTab(1)->GetRect(), kInstructionsColor), 0);
    EXPECT_EQ(CountColor(left, left->GetTab(2)->GetRect(), kCatalogColor), 0);
}

TEST_F(DockingPaneTest, TheCloseButtonClosesOnReleaseOverIt)
{
    CTKDockingPaneItem* output = frame.Pane(kOutputPane);
    output->SetOptions(0);
    Relayout();
    CTKDockingPaneTabbedContainer* bottom = ContainerOf(kOutputPane);
    bottom->Invalidate();
    ProcessEvents();
    const CRect close = bottom->GetCloseButton()->GetRect();
    ASSERT_FALSE(close.IsRectEmpty());
    EXPECT_FALSE(bottom->GetPinButton()->GetRect().IsRectEmpty());

    // Escape ends the press without closing.
    QTimer::singleShot(0, [&]() { QTest::keyClick(bottom, Qt::Key_Escape); });
    QTest::mousePress(bottom, Qt::LeftButton, {}, At(bottom, close.CenterPoint()));
    EXPECT_FALSE(output->IsClosed());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    QTest::mouseRelease(bottom, Qt::LeftButton, {}, At(bottom, close.CenterPoint()));

    // Released away from the button: nothing.
    QTimer::singleShot(0, [&]() {
        QTest::mouseMove(bottom, At(bottom, CPoint(5, 40)));
        QTest::mouseRelease(bottom, Qt::LeftButton, {}, At(bottom, CPoint(5, 40)));
    });
    QTest::mousePress(bottom, Qt::LeftButton, {}, At(bottom, close.CenterPoint()));
    EXPECT_FALSE(output->IsClosed());

    frame.notices.clear();
    QTimer::singleShot(0, [&]() { QTest::mouseRelease(bottom, Qt::LeftButton, {}, At(bottom, close.CenterPoint())); });
    QTest::mousePress(bottom, Qt::LeftButton, {}, At(bottom, close.CenterPoint()));
    EXPECT_TRUE(output->IsClosed());
    EXPECT_EQ(Actions(), (std::vector<int> {CTKDockingPaneHost::kActionClosing, CTKDockingPaneHost::kActionClosed}));
}

TEST_F(DockingPaneTest, ARefusedCloseLeavesThePaneOpen)
{
    CTKDockingPaneItem* output = frame.Pane(kOutputPane);
    output->SetOptions(0);
    Relayout();
    CTKDockingPaneTabbedContainer* bottom = ContainerOf(kOutputPane);
    bottom->Invalidate();
    ProcessEvents();
    frame.refuseAction = CTKDockingPaneHost::kActionClosing;
    const CPoint close = bottom->GetCloseButton()->GetRect().CenterPoint();
    QTimer::singleShot(0, [&]() { QTest::mouseRelease(bottom, Qt::LeftButton, {}, At(bottom, close)); });
    QTest::mousePress(bottom, Qt::LeftButton, {}, At(bottom, close));
    EXPECT_FALSE(output->IsClosed());
    EXPECT_EQ(Actions(), (std::vector<int> {CTKDockingPaneHost::kActionClosing}));
}

TEST_F(DockingPaneTest, DraggingASplitBarResizesTheNeighbours)
{
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    auto* row = dynamic_cast<CTKDockingPaneSplitGroup*>(left->GetParentNode());
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->GetSplitBarCount(), 1);
    CTKDockingPaneSplitBar* bar = row->GetSplitBar(0);
    EXPECT_EQ(bar->GetBefore(), left);
    const CRect barRect = ClientRectOf(bar);
    EXPECT_EQ(barRect.left, ClientRectOf(left).right);
    EXPECT_EQ(barRect.Width(), CTKDockingPaneSplitGroup::kGap);

    const int moveBy = 70;
    QTimer::singleShot(0, [&]() {
        QTest::mouseMove(bar, At(bar, CPoint(1 + moveBy, 10)));
        QTest::mouseRelease(bar, Qt::LeftButton, {}, At(bar, CPoint(1 + moveBy, 10)));
    });
    QTest::mousePress(bar, Qt::LeftButton, {}, At(bar, CPoint(1, 10)));
    Relayout();
    EXPECT_NEAR(ClientRectOf(left).Width(), 230 + moveBy, 2);
    EXPECT_EQ(ClientRectOf(bar).left, ClientRectOf(left).right);
    EXPECT_EQ(ClientRectOf(frame.GetMDIClient()).left, ClientRectOf(bar).right);

    // Escape leaves the sizes alone.
    const int width = ClientRectOf(left).Width();
    QTimer::singleShot(0, [&]() {
        QTest::mouseMove(bar, At(bar, CPoint(-60, 10)));
        QTest::keyClick(bar, Qt::Key_Escape);
    });
    QTest::mousePress(bar, Qt::LeftButton, {}, At(bar, CPoint(1, 10)));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, At(bar, CPoint(-60, 10)));
    Relayout();
    EXPECT_EQ(ClientRectOf(left).Width(), width);
}

TEST_F(DockingPaneTest, ApplySplitSharesTheNeighboursTotal)
{
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    auto* row = dynamic_cast<CTKDockingPaneSplitGroup*>(left->GetParentNode());
    CTKDockingPaneSplitBar* bar = row->GetSplitBar(0);
    CTKDockingPaneNode* after = bar->GetAfter();
    struct Case {
        const char* name;
        CRect bar;
        CRect limits;
        int before;
        int after;
    };
    // The client child's extent is 0, so the pane keeps the whole total.
    const Case cases[] = {
        {"half way", CRect(248, 0, 252, 10), CRect(0, 0, 500, 10), 100, 100},
        {"at the start", CRect(-2, 0, 2, 10), CRect(0, 0, 500, 10), 0, 200},
        {"at the end", CRect(498, 0, 502, 10), CRect(0, 0, 500, 10), 200, 0},
        {"limits without length", CRect(10, 0, 14, 10), CRect(10, 0, 10, 10), 60, 140},
    };
    for (const Case& c : cases) {
        left->dockingCX = 60;
        after->dockingCX = 140;
        bar->ApplySplit(c.bar, c.limits);
        EXPECT_EQ(left->dockingCX, c.before) << c.name;
        EXPECT_EQ(after->dockingCX, c.after) << c.name;
    }
}

// A floating frame's system menu: Move, Size and a Close named Hide, which
// is greyed, and closes nothing, while every pane of the frame must stay.
TEST_F(DockingPaneTest, TheFloatingFramesSystemMenuHidesItsPanes)
{
    CTKDockingPaneItem* output = frame.Pane(kOutputPane);
    output->SetOptions(0);
    frame.Host().ToggleDocking(output);
    Relayout();
    auto* mini = dynamic_cast<CTKDockingPaneMiniWnd*>(output->GetContainer()->GetFrame());
    ASSERT_NE(mini, nullptr);
    const CMenu& menu = mini->GetSystemMenu();
    std::vector<UINT> ids;
    std::vector<std::string> texts;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        ids.push_back(menu.GetMenuItemID(i));
        texts.push_back(menu.GetMenuString(static_cast<UINT>(i), MF_BYPOSITION));
    }
    EXPECT_EQ(ids, (std::vector<UINT>{SC_MOVE, SC_SIZE, 0, SC_CLOSE}));
    EXPECT_EQ(texts, (std::vector<std::string>{"&Move", "&Size", "", "&Hide"}));

    struct Case {
        DWORD options;
        bool closeGreyed;
        bool closes;
    };
    const Case cases[] = {
        {CTKDockingPaneItem::kNoClose, true, false},
        {0, false, true},
    };
    for (const Case& c : cases) {
        output->SetOptions(c.options);
        mini->OnChildChanged(mini->GetTopGroup());
        EXPECT_EQ((menu.GetMenuState(SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED) != 0, c.closeGreyed) << c.options;
        EXPECT_EQ(mini->IsCloseEnabled() == FALSE, c.closeGreyed) << c.options;
        mini->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        ProcessEvents();
        EXPECT_EQ(output->IsClosed() != FALSE, c.closes) << c.options;
    }
}

TEST_F(DockingPaneTest, APaneFloatsAndDocksBackOnCaptionDoubleClicks)
{
    CTKDockingPaneItem* output = frame.Pane(kOutputPane);
    CTKDockingPaneTabbedContainer* bottom = ContainerOf(kOutputPane);

    // The program's panes may not float.
    QTest::mouseDClick(bottom, Qt::LeftButton, {}, At(bottom, CPoint(30, 6)));
    ProcessEvents();
    EXPECT_EQ(output->GetContainer(), bottom);
    EXPECT_TRUE(Actions().empty());

    output->SetOptions(CTKDockingPaneItem::kNoClose);
    QTest::mouseDClick(bottom, Qt::LeftButton, {}, At(bottom, CPoint(30, 6)));
    ProcessEvents();
    CTKDockingPaneTabbedContainer* floated = output->GetContainer();
    ASSERT_NE(floated, bottom);
    auto* mini = dynamic_cast<CTKDockingPaneMiniWnd*>(floated->GetFrame());
    ASSERT_NE(mini, nullptr);
    EXPECT_TRUE(mini->IsWindowVisible());
    EXPECT_FALSE(floated->IsCaptionVisible());
    EXPECT_EQ(mini->GetWindowText(), "Output");
    EXPECT_FALSE(mini->IsCloseEnabled());
    EXPECT_FALSE(bottom->IsWindow());
    EXPECT_EQ(output->GetHostedWindow()->GetParent(), floated);
    EXPECT_EQ(Actions(), (std::vector<int> {CTKDockingPaneHost::kActionFloating, CTKDockingPaneHost::kActionFloated}));
    EXPECT_EQ(frame.Host().GetLayout()->FindEntry(output)->floatingHolder, floated);
    EXPECT_EQ(frame.Host().GetLayout()->FindEntry(output)->dockingHolder, bottom);
    mini->MoveWindow(CRect(520, 420, 820, 560));
    mini->RecalcLayout();
    ProcessEvents();
    SaveScreenshot("docking_panes_floating.png");

    // A copy of the layout keeps the floating frame, without its window.
    {
        CTKDockingPaneLayout copy(&frame.Host());
        frame.Host().CopyLayoutTo(&copy);
        CTKDockingPaneNode* holder = copy.GetEntries()[1].floatingHolder;
        ASSERT_NE(holder, nullptr);
        ASSERT_NE(holder->GetParentNode(), nullptr);
        auto* copiedFrame = dynamic_cast<CTKDockingPaneMiniWnd*>(holder->GetParentNode()->GetParentNode());
        ASSERT_NE(copiedFrame, nullptr);
        EXPECT_FALSE(copiedFrame->IsWindow());
        EXPECT_EQ(copiedFrame->GetRect(), CRect(520, 420, 820, 560));
    }

    // A close of the floating frame leaves a pane that may not close.
    mini->SendMessage(WM_CLOSE);
    EXPECT_FALSE(output->IsClosed());

    frame.notices.clear();
    const QPoint caption(CTKDockingPaneMiniWnd::kBorder + 20, CTKDockingPaneMiniWnd::kBorder + 4);
    QTest::mouseDClick(mini, Qt::LeftButton, {}, caption);
    ProcessEvents();
    EXPECT_EQ(output->GetContainer(), bottom);
    EXPECT_TRUE(bottom->IsWindow());
    EXPECT_FALSE(mini->IsWindowVisible());
    EXPECT_EQ(Actions(), (std::vector<int> {CTKDockingPaneHost::kActionDocking, CTKDockingPaneHost::kActionDocked}));
    Relayout();
    EXPECT_TRUE(output->GetHostedWindow()->IsWindowVisible());
    EXPECT_EQ(output->GetHostedWindow()->GetParent(), bottom);
}

} // namespace

namespace {

TEST_F(DockingPaneTest, DraggingATabOverItsNeighbourReordersThePanes)
{
    CTKDockingPaneTabbedContainer* left = ContainerOf(kWorkspacePane);
    const CPoint first = left->GetTab(0)->GetRect().CenterPoint();
    const CPoint second = left->GetTab(1)->GetRect().CenterPoint();
    QTest::mousePress(left, Qt::LeftButton, {}, At(left, first));
    QTest::mouseMove(left, At(left, second));
    QTest::mouseRelease(left, Qt::LeftButton, {}, At(left, second));
    ProcessEvents();
    ASSERT_EQ(left->GetPanes().size(), 3u);
    EXPECT_EQ(left->GetPanes()[0]->GetId(), kInstructionsPane);
    EXPECT_EQ(left->GetPanes()[1]->GetId(), kWorkspacePane);
    EXPECT_EQ(left->GetSelected()->GetId(), kWorkspacePane);
    EXPECT_EQ(left->GetTab(1)->GetCaption(), "Workspace");
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // Off the tab row the gesture becomes a pane drag; Escape cancels it and the order stays.
    const CPoint tab = left->GetTab(1)->GetRect().CenterPoint();
    QTest::mousePress(left, Qt::LeftButton, {}, At(left, tab));
    bool dragging = false;
    QTimer::singleShot(0, [&]() {
        dragging = CWnd::GetCapture() == left;
        QTest::keyClick(left, Qt::Key_Escape);
    });
    QTest::mouseMove(left, At(left, CPoint(tab.x, 40)));
    EXPECT_TRUE(dragging);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    QTest::mouseRelease(left, Qt::LeftButton, {}, At(left, first));
    EXPECT_EQ(left->GetPanes()[1]->GetId(), kWorkspacePane);
    EXPECT_EQ(left->GetPanes().size(), 3u);
}

} // namespace

namespace {

TEST_F(DockingPaneTest, ACopyOfTheLayoutHasItsShapeAndNoWindows)
{
    frame.Pane(kOutputPane)->Close();
    CTKDockingPaneLayout copy(&frame.Host());
    frame.Host().CopyLayoutTo(&copy);
    CTKDockingPaneLayout* live = frame.Host().GetLayout();
    EXPECT_EQ(copy.GetNodeCount(), live->GetNodeCount());
    ASSERT_EQ(copy.GetEntries().size(), 4u);
    EXPECT_TRUE(copy.GetTopGroup()->ContainsNode(copy.GetClient()));
    EXPECT_EQ(copy.GetTopGroup()->GetChildren().size(), live->GetTopGroup()->GetChildren().size());
    EXPECT_EQ(copy.GetAutoHideSide(copy.GetEntries()[0].pane->GetContainer()), 0);
    for (std::size_t i = 0; i < copy.GetEntries().size(); ++i) {
        const auto& own = live->GetEntries()[i];
        const auto& copied = copy.GetEntries()[i];
        EXPECT_NE(copied.pane, own.pane);
        EXPECT_EQ(copied.pane->GetId(), own.pane->GetId());
        EXPECT_EQ(copied.pane->GetTitle(), own.pane->GetTitle());
        EXPECT_EQ(copied.pane->GetOptions(), own.pane->GetOptions());
        EXPECT_FALSE(copied.pane->HasHostedWindow());
        EXPECT_EQ(copied.pane->IsClosed(), own.pane->IsClosed());
        ASSERT_NE(copied.dockingHolder, nullptr);
        EXPECT_EQ(copied.lastHolder, copied.dockingHolder);
        EXPECT_FALSE(static_cast<CTKDockingPaneTabbedContainer*>(copied.dockingHolder)->IsWindow());
    }
    // The closed output pane's holder is copied empty; the tabs keep order and selection.
    EXPECT_TRUE(copy.GetEntries()[1].dockingHolder->IsEmpty());
    auto* left = copy.GetEntries()[0].pane->GetContainer();
    ASSERT_EQ(left->GetPanes().size(), 3u);
    EXPECT_EQ(left->GetPanes()[2]->GetId(), kCatalogPane);
    EXPECT_EQ(left->GetSelected()->GetId(), kWorkspacePane);
}

} // namespace

namespace {

TEST_F(DockingPaneTest, CaptionButtonPressesEndOnARightClickAndOnQuit)
{
    CTKDockingPaneTabbedContainer* bottom = ContainerOf(kOutputPane);
    frame.Pane(kOutputPane)->SetOptions(0);
    Relayout();
    bottom->Invalidate();
    ProcessEvents();
    CTKDockingPaneCaptionButton* close = bottom->GetCloseButton();
    const CPoint inside = close->GetRect().CenterPoint();

    QTimer::singleShot(0, [&]() { QTest::mousePress(bottom, Qt::RightButton, {}, At(bottom, inside)); });
    EXPECT_FALSE(close->TrackCaptionButton(inside));
    EXPECT_FALSE(close->IsPressed());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    // The quit ends the press and still reaches the main loop.
    BOOL result = TRUE;
    bool afterTrack = false;
    QTimer::singleShot(0, &frame, [&] {
        QTimer::singleShot(0, &frame, [] { CMessagePump::PostQuitMessage(3); });
        result = close->TrackCaptionButton(inside);
        afterTrack = true;
    });
    EXPECT_EQ(QApplication::exec(), 3);
    EXPECT_TRUE(afterTrack);
    EXPECT_FALSE(result);
    EXPECT_FALSE(close->IsPressed());
    EXPECT_FALSE(frame.Pane(kOutputPane)->IsClosed());
}

} // namespace
