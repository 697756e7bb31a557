// Auto-hidden panes: the strips along the frame's sides with their tab
// groups, and the sliding window driven by the fake clock.

#include "DockingFixture.h"

#include "platform/CSystemMetrics.h"
#include "platform/ui/CTimerService.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/docking/CTKDockingPaneAutoHideStrip.h"
#include "toolkit/docking/CTKDockingPaneAutoHideWnd.h"
#include "toolkit/docking/CTKDockingPaneItem.h"
#include "toolkit/docking/CTKDockingPaneLayout.h"
#include "toolkit/docking/CTKDockingPaneRenderer.h"
#include "toolkit/docking/CTKDockingPaneSplitGroup.h"
#include "toolkit/docking/CTKDockingPaneTabbedContainer.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabLook.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"

#include <QCursor>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

struct StepCase {
    int side;
    int step;
    CRect expected;
};

TEST(DockingAutoHideRulesTest, EachStepShowsItsShareOfTheTarget)
{
    const CRect target(10, 20, 110, 220);   // 100 wide, 200 high
    const StepCase cases[] = {
        {0, 0, CRect(10, 20, 22, 220)},   {0, 1, CRect(10, 20, 35, 220)},   {0, 7, CRect(10, 20, 110, 220)},
        {1, 1, CRect(85, 20, 110, 220)},  {1, 7, CRect(10, 20, 110, 220)},  {2, 1, CRect(10, 20, 110, 70)},
        {2, 3, CRect(10, 20, 110, 120)},  {3, 1, CRect(10, 170, 110, 220)}, {3, 6, CRect(10, 45, 110, 220)},
    };
    for (const StepCase& c : cases) {
        EXPECT_EQ(CTKDockingPaneAutoHideWnd::StepRect(target, c.side, c.step, 8), c.expected)
            << "side " << c.side << " step " << c.step;
    }
}

TEST(DockingAutoHideRulesTest, TargetGripAndTabsFaceAwayFromTheStrip)
{
    const CRect area(0, 0, 600, 400);
    struct SideCase {
        int side;
        CRect target;
        CRect grip;
        int tabPosition;
    };
    const SideCase cases[] = {
        {0, CRect(0, 0, 150, 400), CRect(146, 0, 150, 400), CTKTabRenderer::kRight},
        {1, CRect(450, 0, 600, 400), CRect(450, 0, 454, 400), CTKTabRenderer::kLeft},
        {2, CRect(0, 0, 600, 150), CRect(0, 146, 600, 150), CTKTabRenderer::kBottom},
        {3, CRect(0, 250, 600, 400), CRect(0, 250, 600, 254), CTKTabRenderer::kTop},
    };
    for (const SideCase& c : cases) {
        const CRect target = CTKDockingPaneAutoHideWnd::CutToExtent(area, c.side, 150);
        EXPECT_EQ(target, c.target) << c.side;
        EXPECT_EQ(CTKDockingPaneAutoHideWnd::GripRect(target, c.side), c.grip) << c.side;
        EXPECT_EQ(CTKDockingPaneAutoHideStrip::TabPositionOfSide(c.side), c.tabPosition) << c.side;
    }
}

class DockingAutoHideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTimerService::Instance().SetFakeClock(TRUE);
        ASSERT_TRUE(frame.Open(CRect(0, 0, 800, 560)));
        frame.activateWindow();
        Relayout();
    }
    void TearDown() override
    {
        frame.DestroyWindow();
        ProcessEvents();
        CTimerService::Instance().SetFakeClock(FALSE);
        CSystemMetrics::Instance().Reset();
    }
    void Relayout()
    {
        frame.RecalcLayout();
        ProcessEvents();
    }
    CTKDockingPaneAutoHideStrip* HideOutput()
    {
        frame.Host().AutoHidePane(frame.Pane(kOutputPane));
        Relayout();
        return frame.Host().GetLayout()->GetStrip(3);
    }
    QPoint TabPoint(CTKDockingPaneAutoHideStrip* strip, int group = 0, int tab = 0)
    {
        const CPoint center = strip->GetTabGroup(group)->GetTab(tab)->GetRect().CenterPoint();
        return QPoint(center.x, center.y);
    }
    void PointAt(CWnd* wnd, QPoint local) { QCursor::setPos(wnd->mapToGlobal(local)); }
    void Advance(UINT ms)
    {
        CTimerService::Instance().Advance(ms);
        ProcessEvents();
    }
    // Rests the pointer on the strip's tab until the hover slides the pane out.
    CTKDockingPaneAutoHideWnd* HoverOut(CTKDockingPaneAutoHideStrip* strip)
    {
        PointAt(strip, TabPoint(strip));
        QTest::mouseMove(strip, TabPoint(strip));
        Advance(CHoverTracker::kHoverTime);
        return strip->GetSlideWnd();
    }
    CRect FrameRectOf(CWnd* wnd)
    {
        CRect rect;
        wnd->GetWindowRect(&rect);
        frame.ScreenToClient(&rect);
        return rect;
    }

    CTKDockingFixtureFrame frame;
};

TEST_F(DockingAutoHideTest, HidingTheOutputMovesItIntoTheBottomStrip)
{
    const CRect before = frame.Pane(kOutputPane)->GetContainer()->GetScreenRect();
    CTKDockingPaneAutoHideStrip* strip = HideOutput();
    ASSERT_NE(strip, nullptr);
    CTKDockingPaneItem* output = frame.Pane(kOutputPane);
    EXPECT_TRUE(output->IsAutoHidden());
    EXPECT_EQ(output->GetContainer()->GetParentNode(), strip);
    EXPECT_FALSE(output->GetContainer()->isVisible());
    EXPECT_FALSE(frame.Host().GetLayout()->GetTopGroup()->ContainsNode(output));
    ASSERT_TRUE(strip->IsWindow());
    EXPECT_TRUE(strip->isVisible());
    // The band lies along the bottom of the docked area, as thick as the strip look asks.
    CTKTabLook* look = frame.Host().GetRenderer()->GetStripTabRenderer()->GetLook();
    const int thickness = look->GetHeaderHeight(nullptr) + look->GetTabAreaMargins().top +
                          look->GetTabAreaMargins().bottom;
    EXPECT_EQ(strip->GetThickness(), thickness);
    const CRect band = FrameRectOf(strip);
    EXPECT_EQ(band.Height(), thickness);
    EXPECT_EQ(band.bottom, frame.Host().GetLayout()->GetTopGroup()->GetRect().bottom + thickness);
    EXPECT_GT(frame.Host().GetLayout()->GetClient()->GetScreenRect().bottom, before.top);
    // Its docking holder stays the emptied container it came from.
    CTKDockingPaneLayout::PaneEntry* entry = frame.Host().GetLayout()->FindEntry(output);
    EXPECT_NE(entry->dockingHolder, output->GetContainer());
    SaveScreenshot("docking_autohide_strip.png");

    // Hiding it again only closes a sliding window; it stays on its strip.
    frame.Host().AutoHidePane(output);
    EXPECT_EQ(output->GetContainer()->GetParentNode(), strip);
}

TEST_F(DockingAutoHideTest, ThePinHidesAPaneAndInTheSlidingWindowDocksItBack)
{
    frame.Pane(kOutputPane)->SetOptions(CTKDockingPaneItem::kNoClose);
    CTKDockingPaneTabbedContainer* docked = frame.Pane(kOutputPane)->GetContainer();
    const auto clickPin = [](CTKDockingPaneTabbedContainer* container) {
        const CPoint pin = container->GetPinButton()->GetRect().CenterPoint();
        QTimer::singleShot(0, [container, pin]() {
            QTest::mouseRelease(container, Qt::LeftButton, {}, QPoint(pin.x, pin.y));
        });
        QTest::mousePress(container, Qt::LeftButton, {}, QPoint(pin.x, pin.y));
        ProcessEvents();
    };
    clickPin(docked);
    ASSERT_TRUE(frame.Pane(kOutputPane)->IsAutoHidden());
    std::vector<int> actions;
    for (const auto& notice : frame.notices) {
        if (notice.kind == CTKDockingPaneHost::kNotifyAction)
            actions.push_back(notice.action);
    }
    EXPECT_EQ(actions, (std::vector<int>{CTKDockingPaneHost::kActionAutoHiding, CTKDockingPaneHost::kActionAutoHidden}));
    Relayout();

    CTKDockingPaneAutoHideStrip* strip = frame.Host().GetLayout()->GetStrip(3);
    QTest::mouseClick(strip, Qt::LeftButton, {}, TabPoint(strip));
    ASSERT_NE(strip->GetSlideWnd(), nullptr);
    Advance(8 * CTKDockingPaneAutoHideWnd::kStepMs);
    clickPin(frame.Pane(kOutputPane)->GetContainer());
    // Back in the container it left, and the strip is empty.
    EXPECT_EQ(frame.Pane(kOutputPane)->GetContainer(), docked);
    EXPECT_FALSE(frame.Pane(kOutputPane)->IsAutoHidden());
    Relayout();
    EXPECT_EQ(strip->GetSlideWnd(), nullptr);
    EXPECT_FALSE(strip->IsWindow());
    EXPECT_TRUE(docked->isVisible());
}

TEST_F(DockingAutoHideTest, TabGroupsLieAlongEachSide)
{
    CTKDockingPaneHost& host = frame.Host();
    CTKDockingPaneItem* right = host.NewPane(1001, CRect(0, 0, 120, 100), CTKDockingPaneHost::kDockRight, nullptr);
    CTKDockingPaneItem* top = host.NewPane(1002, CRect(0, 0, 120, 90), CTKDockingPaneHost::kDockTop, nullptr);
    Relayout();
    for (UINT id : {kWorkspacePane, kOutputPane, 1001u, 1002u})
        host.AutoHidePane(frame.Pane(id));
    Relayout();
    CTKDockingPaneLayout* layout = host.GetLayout();
    EXPECT_EQ(right->GetContainer()->GetParentNode(), layout->GetStrip(1));
    EXPECT_EQ(top->GetContainer()->GetParentNode(), layout->GetStrip(2));
    const int topThickness = layout->GetStrip(2)->GetThickness();
    struct Placement {
        int side;
        int tabs;
        BOOL alongX;
        int start;
    };
    const Placement placements[] = {
        {0, 3, FALSE, topThickness},
        {1, 1, FALSE, topThickness},
        {2, 1, TRUE, 0},
        {3, 1, TRUE, 0},
    };
    for (const Placement& p : placements) {
        CTKDockingPaneAutoHideStrip* strip = layout->GetStrip(p.side);
        ASSERT_NE(strip, nullptr) << p.side;
        ASSERT_EQ(strip->GetTabGroupCount(), 1) << p.side;
        CTKTabSet* group = strip->GetTabGroup(0);
        EXPECT_EQ(group->GetTabCount(), p.tabs) << p.side;
        EXPECT_EQ(group->GetPosition(), CTKDockingPaneAutoHideStrip::TabPositionOfSide(p.side));
        const CRect first = group->GetTab(0)->GetRect();
        const CRect margins = host.GetRenderer()->GetStripTabRenderer()->GetLook()->GetTabAreaMargins();
        EXPECT_EQ(p.alongX ? first.left : first.top, p.start + margins.left) << p.side;
        const CRect band = FrameRectOf(strip);
        EXPECT_EQ(p.alongX ? band.Height() : band.Width(), strip->GetThickness()) << p.side;
    }
    // A second container on the same strip starts after the first group and the gap.
    host.AutoHidePane(frame.Pane(kWorkspacePane));
    CTKDockingPaneItem* lower = host.NewPane(1003, CRect(0, 0, 100, 80), CTKDockingPaneHost::kDockBottom, nullptr);
    Relayout();
    host.AutoHidePane(lower);
    Relayout();
    CTKDockingPaneAutoHideStrip* bottom = layout->GetStrip(3);
    ASSERT_EQ(bottom->GetTabGroupCount(), 2);
    const CRect margins = host.GetRenderer()->GetStripTabRenderer()->GetLook()->GetTabAreaMargins();
    const int second = margins.left + bottom->GetTabGroup(0)->GetTotalTabLength() + margins.left + margins.right +
                       CTKDockingPaneAutoHideStrip::kGroupGap;
    EXPECT_EQ(bottom->GetTabGroup(1)->GetTab(0)->GetRect().left, second);
    EXPECT_EQ(bottom->HitTestPane(TabPoint(bottom, 1).x(), TabPoint(bottom, 1).y()), lower);
    SaveScreenshot("docking_autohide_four_strips.png");
}

// The tabs of a strip that are not selected show no caption: their panes'
// icons are all there is of them.
TEST_F(DockingAutoHideTest, StripTabsShowThePanesIcons)
{
    constexpr COLORREF kColors[] = {RGB(20, 200, 40), RGB(200, 30, 160), RGB(240, 140, 10)};
    constexpr UINT kPanes[] = {kWorkspacePane, kInstructionsPane, kCatalogPane};
    constexpr int kWholeIcon = 16 * 16;
    constexpr int kIconExtent = 16;
    CTKDockingPaneHost& host = frame.Host();
    host.AutoHidePane(frame.Pane(kWorkspacePane));
    Relayout();
    CTKDockingPaneAutoHideStrip* strip = host.GetLayout()->GetStrip(0);
    ASSERT_NE(strip, nullptr);
    ASSERT_EQ(strip->GetTabGroupCount(), 1);
    ASSERT_EQ(strip->GetTabGroup(0)->GetTabCount(), 3);
    // The workspace is selected: its tab alone shows a caption.
    const int selectedWithoutIcon = strip->GetTabGroup(0)->GetTab(0)->GetRect().Height();

    for (std::size_t i = 0; i < std::size(kPanes); ++i) {
        ASSERT_TRUE(host.GetImages()->SetIcon(CIconImage(16, 16, CIconImage::ArgbFromColor(kColors[i])), kPanes[i], 0,
                                              0, 0, FALSE));
    }
    Relayout();
    strip->Invalidate();
    ProcessEvents();
    CTKTabSet* group = strip->GetTabGroup(0);
    // An icon-only tab is the icon and 8 pixels; the selected one adds its icon to its caption.
    EXPECT_EQ(group->GetTab(1)->GetRect().Height(), 24);
    EXPECT_EQ(group->GetTab(2)->GetRect().Height(), 24);
    EXPECT_EQ(group->GetTab(0)->GetRect().Height(), selectedWithoutIcon + kIconExtent);
    const QImage picture = strip->grab().toImage();
    for (int tab = 0; tab < 3; ++tab) {
        const CRect rect = group->GetTab(tab)->GetRect();
        const QRgb wanted = qRgb(GetRValue(kColors[tab]), GetGValue(kColors[tab]), GetBValue(kColors[tab]));
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x)
                count += picture.valid(x, y) && picture.pixel(x, y) == wanted ? 1 : 0;
        }
        EXPECT_EQ(count, kWholeIcon) << tab;
    }
    SaveScreenshot("docking_autohide_strip_icons.png");
}

TEST_F(DockingAutoHideTest, HoverSlidesThePaneOutStepByStepAndAwayBack)
{
    CTKDockingPaneAutoHideStrip* strip = HideOutput();
    CTKDockingPaneAutoHideWnd* wnd = HoverOut(strip);
    ASSERT_NE(wnd, nullptr);
    const CRect target = wnd->GetTarget();
    const CRect docked = frame.Host().GetLayout()->GetTopGroup()->GetRect();
    EXPECT_EQ(target, CRect(docked.left, docked.bottom - 120, docked.right, docked.bottom));
    EXPECT_FALSE(wnd->isVisible());
    for (int step = 1; step < 8; ++step) {
        Advance(CTKDockingPaneAutoHideWnd::kStepMs);
        ASSERT_TRUE(wnd->isVisible()) << step;
        EXPECT_EQ(FrameRectOf(wnd), CTKDockingPaneAutoHideWnd::StepRect(target, 3, step, 8)) << step;
    }
    Advance(CTKDockingPaneAutoHideWnd::kStepMs);
    EXPECT_EQ(wnd->GetStep(), 7);
    EXPECT_EQ(FrameRectOf(wnd), target);
    // The output sits in the window with its lying pin, above a 4-pixel grip.
    CTKDockingPaneTabbedContainer* container = frame.Pane(kOutputPane)->GetContainer();
    EXPECT_EQ(container->GetParent(), wnd);
    EXPECT_EQ(container->GetCaptionKind(), CTKDockingPaneTabbedContainer::kCaptionSliding);
    EXPECT_EQ(FrameRectOf(container).top, target.top + CTKDockingPaneAutoHideWnd::kGrip);
    SaveScreenshot("docking_autohide_slid_out.png");

    // While the pointer rests on the strip the window stays.
    Advance(10 * CTKDockingPaneAutoHideWnd::kCheckMs);
    EXPECT_FALSE(wnd->IsClosing());
    EXPECT_EQ(wnd->GetAwayCount(), CTKDockingPaneAutoHideWnd::kAwayChecks);

    // Away from strip and window it counts six checks down, then slides back.
    PointAt(&frame, QPoint(400, 40));
    for (int check = 5; check >= 1; --check) {
        Advance(CTKDockingPaneAutoHideWnd::kCheckMs);
        EXPECT_EQ(wnd->GetAwayCount(), check);
        EXPECT_FALSE(wnd->IsClosing());
    }
    Advance(CTKDockingPaneAutoHideWnd::kCheckMs);
    EXPECT_TRUE(wnd->IsClosing());
    // Back onto the window before it is gone: it slides out again from where it is.
    Advance(2 * CTKDockingPaneAutoHideWnd::kStepMs);
    const int step = wnd->GetStep();
    EXPECT_LT(step, 7);
    PointAt(wnd, QPoint(20, 1));
    QTest::mouseMove(wnd, QPoint(20, 1));
    EXPECT_FALSE(wnd->IsClosing());
    Advance(CTKDockingPaneAutoHideWnd::kStepMs);
    EXPECT_EQ(wnd->GetStep(), step + 1);

    // Away again: it closes and hands the container back to the frame.
    PointAt(&frame, QPoint(400, 40));
    QPointer<CTKDockingPaneAutoHideWnd> alive(wnd);
    Advance(7 * CTKDockingPaneAutoHideWnd::kCheckMs + 10 * CTKDockingPaneAutoHideWnd::kStepMs);
    ProcessEvents();
    EXPECT_EQ(strip->GetSlideWnd(), nullptr);
    EXPECT_EQ(container->GetParent(), &frame);
    EXPECT_FALSE(container->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&]() { return alive.isNull(); }));
}

TEST_F(DockingAutoHideTest, WithThePointerAwayTheFirstCheckStartsTheSlideBack)
{
    CTKDockingPaneAutoHideStrip* strip = HideOutput();
    CTKDockingPaneAutoHideWnd* wnd = HoverOut(strip);
    ASSERT_NE(wnd, nullptr);
    PointAt(&frame, QPoint(400, 40));
    Advance(CTKDockingPaneAutoHideWnd::kCheckMs);
    EXPECT_TRUE(wnd->IsClosing());
    EXPECT_EQ(wnd->GetAwayCount(), 0);
}

TEST_F(DockingAutoHideTest, AClickKeepsThePaneOutAndASecondClickOnlyRefocuses)
{
    CTKDockingPaneAutoHideStrip* strip = HideOutput();
    QTest::mouseClick(strip, Qt::LeftButton, {}, TabPoint(strip));
    CTKDockingPaneAutoHideWnd* wnd = strip->GetSlideWnd();
    ASSERT_NE(wnd, nullptr);
    CTKDockingPaneItem* output = frame.Pane(kOutputPane);
    ASSERT_TRUE(output->HasHostedWindow());
    EXPECT_TRUE(output->HasFocus());
    // The focus inside keeps it out with the pointer away.
    PointAt(&frame, QPoint(400, 40));
    Advance(20 * CTKDockingPaneAutoHideWnd::kCheckMs);
    EXPECT_FALSE(wnd->IsClosing());
    EXPECT_EQ(strip->GetSlideWnd(), wnd);

    QTest::mouseClick(strip, Qt::LeftButton, {}, TabPoint(strip));
    EXPECT_EQ(strip->GetSlideWnd(), wnd);

    // An idle pass that changes nothing leaves it open; a frame layout pass closes it.
    frame.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    ProcessEvents();
    EXPECT_EQ(strip->GetSlideWnd(), wnd);
    frame.RecalcLayout();
    EXPECT_EQ(strip->GetSlideWnd(), nullptr);
}

TEST_F(DockingAutoHideTest, OpeningAnAutoHiddenPaneSlidesItOut)
{
    CTKDockingPaneAutoHideStrip* strip = HideOutput();
    frame.Host().OpenPane(frame.Pane(kOutputPane));
    ASSERT_NE(strip->GetSlideWnd(), nullptr);
    EXPECT_EQ(strip->GetShownPane(), frame.Pane(kOutputPane));
}

TEST_F(DockingAutoHideTest, TheResizeGripStoresTheNewExtent)
{
    CTKDockingPaneAutoHideStrip* strip = HideOutput();
    QTest::mouseClick(strip, Qt::LeftButton, {}, TabPoint(strip));
    CTKDockingPaneAutoHideWnd* wnd = strip->GetSlideWnd();
    ASSERT_NE(wnd, nullptr);
    Advance(8 * CTKDockingPaneAutoHideWnd::kStepMs);
    const QPoint grip(100, 2);
    QTimer::singleShot(0, [&]() {
        QTest::mouseMove(wnd, grip - QPoint(0, 30));
        QTest::mouseRelease(wnd, Qt::LeftButton, {}, grip - QPoint(0, 30));
    });
    QTest::mousePress(wnd, Qt::LeftButton, {}, grip);
    // The grip follows the pointer 30 pixels up (the tracker keeps its bar inside the limits).
    const int extent = frame.Pane(kOutputPane)->dockingCY;
    EXPECT_GT(extent, 140);
    EXPECT_LE(extent, 150);
    EXPECT_EQ(wnd->GetTarget().Height(), extent);
    // The next slide-out uses it.
    frame.RecalcLayout();
    ProcessEvents();
    QTest::mouseClick(strip, Qt::LeftButton, {}, TabPoint(strip));
    ASSERT_NE(strip->GetSlideWnd(), nullptr);
    EXPECT_EQ(strip->GetSlideWnd()->GetTarget().Height(), extent);
}

TEST_F(DockingAutoHideTest, WithoutTheTrackerTheGripResizesLive)
{
    frame.Host().trackSplitters = FALSE;
    CTKDockingPaneAutoHideStrip* strip = HideOutput();
    QTest::mouseClick(strip, Qt::LeftButton, {}, TabPoint(strip));
    CTKDockingPaneAutoHideWnd* wnd = strip->GetSlideWnd();
    ASSERT_NE(wnd, nullptr);
    Advance(8 * CTKDockingPaneAutoHideWnd::kStepMs);
    const CRect before = FrameRectOf(wnd);
    int during = 0;
    QTimer::singleShot(0, [&]() {
        QTest::mouseMove(wnd, QPoint(100, -20));
        during = frame.Pane(kOutputPane)->dockingCY;
        QTest::mouseRelease(wnd, Qt::LeftButton, {}, QPoint(100, 0));
    });
    QTest::mousePress(wnd, Qt::LeftButton, {}, QPoint(100, 0));
    EXPECT_EQ(during, 140);
    EXPECT_EQ(FrameRectOf(wnd).bottom, before.bottom);
    EXPECT_EQ(FrameRectOf(wnd).top, before.top - 20);
    EXPECT_FALSE(wnd->IsResizing());
}

TEST_F(DockingAutoHideTest, AStripOfEmptyContainersTakesNoRoom)
{
    CTKDockingPaneAutoHideStrip* strip = HideOutput();
    const CRect client = frame.Host().GetLayout()->GetTopGroup()->GetRect();
    frame.Pane(kOutputPane)->Close();
    Relayout();
    EXPECT_FALSE(strip->IsWindow());
    EXPECT_EQ(frame.Host().GetLayout()->GetTopGroup()->GetRect().bottom, client.bottom + strip->GetThickness());
}

} // namespace
