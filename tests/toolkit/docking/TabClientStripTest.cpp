// The MDI tab client in strip mode on the fixture frame, attached as the
// program attaches it: tabs follow the children, a click activates, a
// right click opens the tab menu, the strip moves to the bottom and back,
// and the tabs take the look of each bar theme.

#include "TabClientFixture.h"

#include "platform/ui/CMDIClient.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/docking/tabs/CTKMDITabGroup.h"
#include "toolkit/docking/tabs/CTKTabItem.h"
#include "toolkit/docking/tabs/CTKTabLook.h"
#include "toolkit/docking/tabs/CTKTabNavigateButton.h"
#include "toolkit/docking/tabs/CTKTabRenderer.h"
#include "toolkit/docking/tabs/CTKTabWorkspace.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const CRect kFrameRect(0, 0, 560, 400);

// Answers the caption message with its own text.
class CCaptionedChild : public CMDIChildWnd {
public:
    explicit CCaptionedChild(const char* caption) : m_caption(caption) {}

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message != kTKMsgTabCaption)
            return CMDIChildWnd::OnWndMsg(message, wParam, lParam, result);
        *result = reinterpret_cast<LRESULT>(m_caption);
        return TRUE;
    }

private:
    const char* m_caption;
};

// Answers the tab icon message with its own icon when it has one.
class CIconAnsweringChild : public CMDIChildWnd {
public:
    CIconImage ownIcon;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message != kTKMsgTabIcon)
            return CMDIChildWnd::OnWndMsg(message, wParam, lParam, result);
        *result = ownIcon.IsEmpty() ? 0 : reinterpret_cast<LRESULT>(&ownIcon);
        return TRUE;
    }
};

class TabClientStripTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        frame = std::make_unique<CTKTabFixtureFrame>(FALSE);
        ASSERT_TRUE(frame->Open(kFrameRect));
        frame->activateWindow();
        ProcessEvents();
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        frame->DestroyWindow();
        ProcessEvents();
    }

    CTKTabClientWnd& client() { return frame->TabClient(); }
    CTKMDITabGroup* group() { return client().GetGroup(0); }
    CMDIClient* mdi() { return frame->GetMDIClient(); }
    std::vector<std::string> Captions()
    {
        std::vector<std::string> captions;
        for (int i = 0; group() != nullptr && i < group()->GetTabCount(); ++i)
            captions.push_back(group()->GetTab(i)->GetCaption());
        return captions;
    }
    std::string Selected() { return group() && group()->GetSelectedTab() ? group()->GetSelectedTab()->GetCaption() : ""; }
    CRect Geometry(CWnd* window)
    {
        CRect rect;
        window->GetWindowRect(&rect);
        frame->ScreenToClient(&rect);
        return rect;
    }
    // The centre of a tab, in the workspace's client coordinates.
    QPoint TabCentre(int index)
    {
        const CPoint centre = group()->GetTab(index)->GetRect().CenterPoint();
        return QPoint(centre.x, centre.y);
    }

    std::unique_ptr<CTKTabFixtureFrame> frame;
};

TEST_F(TabClientStripTest, AttachingAndDetachingAnswerOnlyOnce)
{
    EXPECT_EQ(mdi()->GetTabClient(), &client());
    EXPECT_FALSE(client().AttachToFrame(frame.get(), FALSE));
    CTKTabClientWnd detached;
    EXPECT_FALSE(detached.Detach());
    EXPECT_FALSE(detached.AttachToFrame(nullptr, FALSE));
    EXPECT_EQ(detached.HitTestTab(10, 10), nullptr);
    CPoint point(1, 1);
    EXPECT_FALSE(detached.TabPointToScreen(&point));
}

TEST_F(TabClientStripTest, GroupCommandsNeedGroupsMode)
{
    for (UINT id : {ID_TABGROUP_PREVIOUS, ID_TABGROUP_NEXT, ID_TABGROUP_NEW_HORIZONTAL, ID_TABGROUP_NEW_VERTICAL})
        EXPECT_FALSE(client().IsGroupCommandEnabled(id, nullptr)) << id;
    frame->SendMessage(WM_COMMAND, ID_TABGROUP_NEW_HORIZONTAL);
    EXPECT_EQ(client().GetGroupCount(), 1);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"MAIN", "SBR01"}));
}

TEST_F(TabClientStripTest, TabsFollowTheChildren)
{
    EXPECT_EQ(Captions(), (std::vector<std::string>{"MAIN", "SBR01"}));
    EXPECT_EQ(Selected(), "SBR01");
    ASSERT_NE(group()->GetWorkspace(), nullptr);
    EXPECT_TRUE(group()->GetWorkspace()->IsWindowVisible());

    CMDIChildWnd* third = frame->OpenChild("SBR02");
    EXPECT_EQ(Captions(), (std::vector<std::string>{"MAIN", "SBR01", "SBR02"}));
    EXPECT_EQ(Selected(), "SBR02");

    frame->Child(0)->MDIActivate();
    EXPECT_EQ(Selected(), "MAIN");

    frame->Child(1)->SetWindowText("INT0");
    client().SyncTabs();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"MAIN", "INT0", "SBR02"}));

    // A hidden child loses its tab; shown again it comes back at the end.
    frame->Child(0)->ShowWindow(SW_HIDE);
    client().SyncTabs();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"INT0", "SBR02"}));
    frame->Child(0)->ShowWindow(SW_SHOW);
    client().SyncTabs();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"INT0", "SBR02", "MAIN"}));

    third->SendMessage(WM_CLOSE);
    ProcessEvents();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"INT0", "MAIN"}));
    EXPECT_EQ(client().FindTab(third), nullptr);
}

TEST_F(TabClientStripTest, TheLastClosedChildTakesTheWorkspaceAlong)
{
    QPointer<CTKTabWorkspace> workspace = group()->GetWorkspace();
    const CRect whole = Geometry(workspace);
    frame->Child(0)->SendMessage(WM_CLOSE);
    frame->Child(1)->SendMessage(WM_CLOSE);
    ProcessEvents();
    EXPECT_EQ(client().GetGroupCount(), 0);
    EXPECT_TRUE(workspace.isNull() || !workspace->IsWindow());
    // With no tabs the MDI client takes the whole area again.
    EXPECT_EQ(Geometry(mdi()), whole);

    frame->OpenChild("NEW");
    ASSERT_EQ(client().GetGroupCount(), 1);
    EXPECT_NE(group()->GetWorkspace(), nullptr);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"NEW"}));
}

TEST_F(TabClientStripTest, AChildThatVanishedLosesItsTab)
{
    CMDIChildWnd* child = frame->OpenChild("GONE");
    ASSERT_NE(client().FindTab(child), nullptr);
    delete child;
    client().SyncTabs();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"MAIN", "SBR01"}));
    // Painting and tooltips after the loss touch no dead window.
    group()->GetWorkspace()->repaint();
}

TEST_F(TabClientStripTest, CaptionsComeFromTheChildThenItsText)
{
    struct Case {
        const char* name;
        const char* answer;
        std::string caption;
    };
    const Case cases[] = {
        {"own caption", "POU: MAIN", "POU: MAIN"},
        {"empty answer takes the window text", "", "TEXT"},
    };
    for (const Case& test : cases) {
        auto* child = new CCaptionedChild(test.answer);
        ASSERT_TRUE(child->Create("TEXT", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80),
                                  frame.get()));
        ASSERT_NE(client().FindTab(child), nullptr) << test.name;
        EXPECT_EQ(client().FindTab(child)->GetCaption(), test.caption) << test.name;
        EXPECT_EQ(group()->GetTabTooltip(client().FindTab(child)), test.caption) << test.name;
        child->SendMessage(WM_CLOSE);
        ProcessEvents();
    }
}

// A tab's icon: the child's answer, else its class's small icon, its own
// small icon, its class's big icon, its own big icon, else the window logo.
TEST_F(TabClientStripTest, TabIconsComeFromTheChildThenItsClassAndWindowIcons)
{
    enum Source { kAnswer, kClassSmall, kSmall, kClassBig, kBig, kNone };
    struct Case {
        const char* name;
        std::vector<Source> given;
        Source shown;
    };
    const Case cases[] = {
        {"answer wins", {kAnswer, kClassSmall, kSmall, kClassBig, kBig}, kAnswer},
        {"class small before window small", {kClassSmall, kSmall, kClassBig, kBig}, kClassSmall},
        {"window small before class big", {kSmall, kClassBig, kBig}, kSmall},
        {"class big before window big", {kClassBig, kBig}, kClassBig},
        {"window big", {kBig}, kBig},
        {"nothing given", {}, kNone},
    };
    const DWORD colors[] = {0xFF100000, 0xFF200000, 0xFF300000, 0xFF400000, 0xFF500000};
    for (const Case& test : cases) {
        auto* child = new CIconAnsweringChild;
        for (Source source : test.given) {
            const CIconImage icon(16, 16, colors[source]);
            if (source == kAnswer)
                child->ownIcon = icon;
            else if (source == kClassSmall || source == kClassBig)
                child->SetClassIcon(icon, source == kClassBig);
            else
                child->SetIcon(icon, source == kBig);
        }
        ASSERT_TRUE(child->Create("icons", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 100, 80),
                                  frame.get()));
        CTKTabItem* tab = client().FindTab(child);
        ASSERT_NE(tab, nullptr) << test.name;
        const CIconImage* icon = group()->GetTabIcon(tab);
        ASSERT_NE(icon, nullptr) << test.name;
        if (test.shown == kNone)
            EXPECT_EQ(icon, client().GetDefaultIcon()) << test.name;
        else
            EXPECT_EQ(icon->GetPixel(0, 0), colors[test.shown]) << test.name;
        child->SendMessage(WM_CLOSE);
        ProcessEvents();
    }
}

TEST_F(TabClientStripTest, TheStripTakesItsEdgeAndTheClientTheRest)
{
    const CRect whole = Geometry(group()->GetWorkspace());
    const CRect page = Geometry(mdi());
    ASSERT_FALSE(page.IsRectEmpty());
    EXPECT_TRUE(whole.PtInRect(page.TopLeft()));
    EXPECT_LE(page.right, whole.right);
    EXPECT_LE(page.bottom, whole.bottom);
    EXPECT_LE(group()->GetHeaderRect().bottom, page.top - whole.top);

    client().GetRenderer()->SetPosition(CTKTabRenderer::kBottom);
    client().Refresh(TRUE);
    ProcessEvents();
    const CRect above = Geometry(mdi());
    EXPECT_LT(above.top, page.top);
    EXPECT_LT(above.bottom, page.bottom);
    EXPECT_GE(group()->GetHeaderRect().top, above.bottom - whole.top);
    SaveScreenshot("tabclient_strip_bottom.png");

    client().GetRenderer()->SetPosition(CTKTabRenderer::kTop);
    client().Refresh(TRUE);
    EXPECT_EQ(Geometry(mdi()), page);

    // Hidden tabs give the client the whole area.
    client().SetTabsVisible(FALSE);
    EXPECT_EQ(Geometry(mdi()), whole);
    client().SetTabsVisible(TRUE);
    EXPECT_EQ(Geometry(mdi()), page);
}

TEST_F(TabClientStripTest, ButtonFlagsChooseTheNavigateButtons)
{
    struct Case {
        int flags;
        int scroll;
        int close;
    };
    const Case cases[] = {
        {0, CTKTabNavigateButton::kAlways, CTKTabNavigateButton::kAlways},
        {1, CTKTabNavigateButton::kWhenNeeded, CTKTabNavigateButton::kAlways},
        {2, CTKTabNavigateButton::kAlways, CTKTabNavigateButton::kHidden},
        {3, CTKTabNavigateButton::kWhenNeeded, CTKTabNavigateButton::kHidden},
    };
    for (const Case& test : cases) {
        client().SetTabButtonFlags(test.flags);
        EXPECT_EQ(group()->FindNavigateButton(CTKTabNavigateButton::kScrollStart)->GetMode(), test.scroll)
            << test.flags;
        EXPECT_EQ(group()->FindNavigateButton(CTKTabNavigateButton::kScrollEnd)->GetMode(), test.scroll)
            << test.flags;
        EXPECT_EQ(group()->FindNavigateButton(CTKTabNavigateButton::kClose)->GetMode(), test.close) << test.flags;
    }
    // A group made later gets the flags too.
    frame->Child(0)->SendMessage(WM_CLOSE);
    frame->Child(1)->SendMessage(WM_CLOSE);
    ProcessEvents();
    frame->OpenChild("NEW");
    EXPECT_EQ(group()->FindNavigateButton(CTKTabNavigateButton::kClose)->GetMode(), CTKTabNavigateButton::kHidden);
}

TEST_F(TabClientStripTest, AClickActivatesTheTabsChild)
{
    ASSERT_EQ(mdi()->GetActive(), frame->Child(1));
    // The press holds the tab (it may be dragged) until the button is released.
    CTKTabWorkspace* workspace = group()->GetWorkspace();
    const QPoint centre = TabCentre(0);
    QTimer::singleShot(0, [workspace, centre] { QTest::mouseRelease(workspace, Qt::LeftButton, {}, centre); });
    QTest::mousePress(workspace, Qt::LeftButton, {}, centre);
    ProcessEvents();
    EXPECT_EQ(mdi()->GetActive(), frame->Child(0));
    EXPECT_EQ(Selected(), "MAIN");
    EXPECT_EQ(frame->notices, (std::vector<WPARAM>{WM_LBUTTONDOWN}));
    EXPECT_TRUE(frame->commands.empty());
}

TEST_F(TabClientStripTest, ARightClickOpensTheTabMenuAndItsCommandReachesTheFrame)
{
    ASSERT_EQ(mdi()->GetActive(), frame->Child(1));
    BOOL opened = FALSE;
    QTimer::singleShot(0, [&] {
        const auto& tracked = CTKPopupTracker::Get().GetTrackedBars();
        auto* popup = tracked.empty() ? nullptr : dynamic_cast<CTKPopupBar*>(tracked.front());
        opened = popup != nullptr;
        CTKControl* close = popup ? popup->GetControls()->FindControl(kTabMenuClose) : nullptr;
        if (close == nullptr) {
            CTKPopupTracker::Get().CloseTrackedBars();
            return;
        }
        const CPoint centre = close->GetRect().CenterPoint();
        QTest::mouseMove(popup, QPoint(centre.x, centre.y));
        QTest::mouseClick(popup, Qt::LeftButton, {}, QPoint(centre.x, centre.y));
    });
    QTest::mouseClick(group()->GetWorkspace(), Qt::RightButton, {}, TabCentre(0));
    ProcessEvents();
    EXPECT_TRUE(opened);
    EXPECT_EQ(frame->notices, (std::vector<WPARAM>{WM_RBUTTONDOWN}));
    EXPECT_EQ(mdi()->GetActive(), frame->Child(0));
    EXPECT_EQ(frame->commands, (std::vector<UINT>{kTabMenuClose}));
    EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty());
}

// The tab look of each interface setting, by its bar theme; an unknown
// theme number looks like Classic.
TEST_F(TabClientStripTest, TheTabsTakeTheLookOfEachBarTheme)
{
    constexpr int kOwnColors = 0;
    struct Case {
        int setting;
        int theme;
        int look;
        int colors;   // kOwnColors: the look's own colour set
        BOOL staticFrame;
        int clientFrame;
        BOOL colorCoded;
        BOOL hotTracking;
    };
    const Case cases[] = {
        {0, kTKThemeWindowsXP, 0, 8, FALSE, CTKTabRenderer::kFrame3D, FALSE, TRUE},
        {1, kTKThemeOfficeXP, 5, kOwnColors, TRUE, CTKTabRenderer::kFrameSingle, FALSE, FALSE},
        {2, kTKThemeOffice2003, 3, kOwnColors, FALSE, CTKTabRenderer::kFrame3D, TRUE, TRUE},
        {3, kTKThemeClassic, 0, kOwnColors, FALSE, CTKTabRenderer::kFrame3D, FALSE, FALSE},
    };
    std::vector<QImage> strips;
    for (const Case& test : cases) {
        frame->SetInterface(test.setting);
        ProcessEvents();
        const CTKTabRenderer* renderer = client().GetRenderer();
        EXPECT_EQ(client().GetAppliedTheme(), test.theme) << test.setting;
        EXPECT_EQ(renderer->GetLookType(), test.look) << test.setting;
        const int colors = test.colors == kOwnColors ? renderer->GetLook()->GetDefaultColorType() : test.colors;
        EXPECT_EQ(renderer->GetColorType(), colors) << test.setting;
        EXPECT_EQ(renderer->IsStaticFrame(), test.staticFrame) << test.setting;
        EXPECT_EQ(renderer->GetClientFrame(), test.clientFrame) << test.setting;
        EXPECT_EQ(renderer->IsColorCoded(), test.colorCoded) << test.setting;
        EXPECT_EQ(renderer->IsHotTracking(), test.hotTracking) << test.setting;
        SaveScreenshot("tabclient_interface_" + std::to_string(test.setting) + ".png");
        const QImage strip = group()->GetWorkspace()->grab().toImage();
        const CRect header = group()->GetHeaderRect();
        // The strip is drawn: its header is not one flat colour.
        const COLORREF first = ProbeColor(strip, header.left + 1, header.top + 1);
        BOOL varied = FALSE;
        const CRect tab = group()->GetTab(0)->GetRect();
        for (int x = tab.left; x < tab.right && !varied; ++x)
            varied = ProbeColor(strip, x, tab.CenterPoint().y) != first;
        EXPECT_TRUE(varied) << test.setting;
        strips.push_back(strip.copy(header.left, header.top, header.Width(), header.Height()));
    }
    for (std::size_t i = 1; i < strips.size(); ++i)
        EXPECT_NE(strips[i], strips[i - 1]) << i;

    // A theme number no theme has maps like Classic, and the same theme twice changes nothing.
    CTKBarRenderer::SelectTheme(kTKThemeOffice2003);
    client().ApplyBarTheme();
    CTKBarRenderer::SelectTheme(7);
    client().ApplyBarTheme();
    EXPECT_EQ(client().GetAppliedTheme(), 7);
    EXPECT_EQ(client().GetRenderer()->GetLookType(), 0);
    EXPECT_FALSE(client().GetRenderer()->IsHotTracking());
    client().GetRenderer()->SetLook(6);
    client().ApplyBarTheme();
    EXPECT_EQ(client().GetRenderer()->GetLookType(), 6);
}

TEST_F(TabClientStripTest, TabPointsConvertThroughTheWorkspace)
{
    CPoint point(5, 6);
    ASSERT_TRUE(client().TabPointToScreen(&point));
    CPoint expected(5, 6);
    group()->GetWorkspace()->ClientToScreen(&expected);
    EXPECT_EQ(point, expected);
    ASSERT_TRUE(client().TabPointFromScreen(&point));
    EXPECT_EQ(point, CPoint(5, 6));
    const CPoint centre = group()->GetTab(1)->GetRect().CenterPoint();
    EXPECT_EQ(client().HitTestTab(centre.x, centre.y), group()->GetTab(1));
    EXPECT_EQ(client().HitTestTab(-5, -5), nullptr);
}

} // namespace
