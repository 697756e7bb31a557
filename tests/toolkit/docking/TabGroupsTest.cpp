// The MDI tab client in groups mode: groups stacked or side by side with
// splitters, the four group commands and their enable rules, moving tabs
// with their share arithmetic, drop targets, and tab drags across groups
// with the drop menu.

#include "TabClientFixture.h"

#include "platform/ui/CMDIClient.h"
#include "platform/ui/CMessagePump.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKPopupBar.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"
#include "toolkit/commandbars/images/CTKCommandIcon.h"
#include "toolkit/commandbars/images/CTKCommandImages.h"
#include "toolkit/docking/tabs/CTKMDITabGroup.h"
#include "toolkit/docking/tabs/CTKTabItem.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const CRect kFrameRect(0, 0, 560, 420);
using Groups = std::vector<std::vector<std::string>>;
using Step = std::function<void()>;

class TabGroupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        frame = std::make_unique<CTKTabFixtureFrame>(TRUE);
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
    CMDIClient* mdi() { return frame->GetMDIClient(); }
    CTKMDITabGroup* group(int index) { return client().GetGroup(index); }
    Groups Captions()
    {
        Groups groups;
        for (int g = 0; g < client().GetGroupCount(); ++g) {
            groups.emplace_back();
            for (int i = 0; i < group(g)->GetTabCount(); ++i)
                groups.back().push_back(group(g)->GetTab(i)->GetCaption());
        }
        return groups;
    }
    std::vector<double> Shares()
    {
        std::vector<double> shares;
        for (int g = 0; g < client().GetGroupCount(); ++g)
            shares.push_back(group(g)->GetShare());
        return shares;
    }
    void Command(UINT id)
    {
        frame->SendMessage(WM_COMMAND, id);
        ProcessEvents();
    }
    CTKTabItem* Tab(CWnd* child) { return client().FindTab(child); }
    // [[MAIN], [SBR01, SBR02]], stacked, SBR02 active.
    CMDIChildWnd* SplitIntoTwoStackedGroups()
    {
        Command(ID_TABGROUP_NEW_HORIZONTAL);
        return frame->OpenChild("SBR02");
    }
    static QPoint Q(CPoint point) { return QPoint(point.x, point.y); }
    // Presses on the tab and runs the steps inside the drag.
    void Drag(CTKTabItem* tab, const std::vector<Step>& steps)
    {
        QTimer::singleShot(0, [steps] {
            for (const Step& step : steps)
                step();
        });
        QTest::mousePress(mdi(), Qt::LeftButton, {}, Q(tab->GetRect().CenterPoint()));
        ProcessEvents();
    }
    Step MoveTo(CPoint point)
    {
        return [this, point] { QTest::mouseMove(mdi(), Q(point)); };
    }
    Step ReleaseAt(CPoint point)
    {
        return [this, point] { QTest::mouseRelease(mdi(), Qt::LeftButton, {}, Q(point)); };
    }

    std::unique_ptr<CTKTabFixtureFrame> frame;
};

TEST_F(TabGroupsTest, GroupCommandsAreEnabledByTheActiveTabsPlace)
{
    struct Case {
        const char* state;
        std::function<void()> prepare;
        BOOL previous, next, horizontal, vertical;
    };
    const Case cases[] = {
        {"one group of two", [] {}, FALSE, FALSE, TRUE, TRUE},
        {"alone in the second of two stacked", [this] { Command(ID_TABGROUP_NEW_HORIZONTAL); }, TRUE, FALSE, FALSE,
         FALSE},
        {"one of two in the second stacked", [this] { frame->OpenChild("SBR02"); }, TRUE, FALSE, TRUE, FALSE},
        {"alone in the first stacked", [this] { frame->Child(0)->MDIActivate(); }, FALSE, TRUE, FALSE, FALSE},
    };
    for (const Case& test : cases) {
        test.prepare();
        EXPECT_EQ(client().IsGroupCommandEnabled(ID_TABGROUP_PREVIOUS, nullptr), test.previous) << test.state;
        EXPECT_EQ(client().IsGroupCommandEnabled(ID_TABGROUP_NEXT, nullptr), test.next) << test.state;
        EXPECT_EQ(client().IsGroupCommandEnabled(ID_TABGROUP_NEW_HORIZONTAL, nullptr), test.horizontal) << test.state;
        EXPECT_EQ(client().IsGroupCommandEnabled(ID_TABGROUP_NEW_VERTICAL, nullptr), test.vertical) << test.state;
        CTKTabItem* tab = nullptr;
        EXPECT_TRUE(client().IsGroupCommandEnabled(ID_TABGROUP_CANCEL, &tab)) << test.state;
        EXPECT_EQ(tab, Tab(mdi()->GetActive())) << test.state;
    }
    // A disabled command moves nothing.
    const Groups before = Captions();
    Command(ID_TABGROUP_NEW_VERTICAL);
    EXPECT_EQ(Captions(), before);
}

TEST_F(TabGroupsTest, MovingTabsSharesTheSpace)
{
    Command(ID_TABGROUP_NEW_HORIZONTAL);
    EXPECT_EQ(Captions(), (Groups{{"MAIN"}, {"SBR01"}}));
    EXPECT_EQ(Shares(), (std::vector<double>{50, 50}));
    EXPECT_TRUE(client().IsHorizontalArrangement());
    EXPECT_EQ(client().GetCurrentGroup(), group(1));
    EXPECT_TRUE(group(1)->IsActive());
    EXPECT_FALSE(group(0)->IsActive());

    // The only tab of the second group goes back: its share returns to the first.
    Command(ID_TABGROUP_PREVIOUS);
    EXPECT_EQ(Captions(), (Groups{{"MAIN", "SBR01"}}));
    EXPECT_EQ(Shares(), (std::vector<double>{100}));

    // The only tab of the first group goes on: its share goes to the new first group.
    Command(ID_TABGROUP_NEW_VERTICAL);
    EXPECT_FALSE(client().IsHorizontalArrangement());
    frame->Child(0)->MDIActivate();
    Command(ID_TABGROUP_NEXT);
    EXPECT_EQ(Captions(), (Groups{{"SBR01", "MAIN"}}));
    EXPECT_EQ(Shares(), (std::vector<double>{100}));
    EXPECT_EQ(client().GetCurrentGroup(), group(0));

    // Kinds other than the three move nothing.
    EXPECT_EQ(Captions(), (Groups{{"SBR01", "MAIN"}}));
    client().MoveTab(Tab(frame->Child(0)), group(0), CTKTabClientWnd::kDropMenu);
    EXPECT_EQ(Captions(), (Groups{{"SBR01", "MAIN"}}));
}

TEST_F(TabGroupsTest, StackedGroupsShareTheHeightWithASplitterBetween)
{
    SplitIntoTwoStackedGroups();
    CRect area;
    mdi()->GetClientRect(&area);
    const int boundary = area.Height() * 50 / 100;
    EXPECT_EQ(group(0)->GetWholeRect(), CRect(0, 0, area.right, boundary - CTKTabClientWnd::kSplitterSize));
    EXPECT_EQ(group(0)->GetSplitterRect(),
              CRect(0, boundary - CTKTabClientWnd::kSplitterSize, area.right, boundary));
    EXPECT_EQ(group(1)->GetWholeRect(), CRect(0, boundary, area.right, area.bottom));
    EXPECT_TRUE(group(1)->GetSplitterRect().IsRectEmpty());
    // Every child fills the page area of its group.
    CRect place;
    frame->Child(0)->GetWindowRect(&place);
    mdi()->ScreenToClient(&place);
    EXPECT_EQ(group(0)->GetClientRect(), place);
    frame->Child(1)->GetWindowRect(&place);
    mdi()->ScreenToClient(&place);
    EXPECT_EQ(group(1)->GetClientRect(), place);
    EXPECT_EQ(frame->Child(0)->GetStyle() & WS_CAPTION, 0u);
    SaveScreenshot("tabgroups_stacked.png");

    frame->Child(0)->MDIActivate();
    client().MoveTab(Tab(frame->Child(0)), group(1), CTKTabClientWnd::kDropNewVertical);
    client().MoveTab(Tab(frame->Child(1)), group(0), CTKTabClientWnd::kDropNewVertical);
    ProcessEvents();
    SaveScreenshot("tabgroups_side_by_side.png");
    EXPECT_FALSE(client().IsHorizontalArrangement());
    EXPECT_EQ(group(0)->GetWholeRect().top, group(1)->GetWholeRect().top);
    EXPECT_LT(group(0)->GetWholeRect().right, group(1)->GetWholeRect().left);
}

TEST_F(TabGroupsTest, TheSplitterDividesThePairsShares)
{
    Command(ID_TABGROUP_NEW_VERTICAL);
    struct Case {
        const char* name;
        CRect limit;
        int released;
        std::vector<double> shares;
    };
    const Case cases[] = {
        {"released at the middle", CRect(0, 0, 400, 300), 198, {50, 50}},
        {"released at a quarter", CRect(100, 0, 500, 300), 198, {25, 75}},
        // Two empty neighbours leave a limit of no length: nothing to divide.
        {"a limit of no length", CRect(100, 0, 100, 300), 100, {25, 75}},
    };
    for (const Case& test : cases) {
        client().ApplySplitterMove(0, test.limit, test.released);
        EXPECT_EQ(Shares(), test.shares) << test.name;
    }
}

TEST_F(TabGroupsTest, DraggingTheSplitterMovesTheBoundary)
{
    SplitIntoTwoStackedGroups();
    const CRect splitter = group(0)->GetSplitterRect();
    const CPoint grip = splitter.CenterPoint();
    CRect area;
    mdi()->GetClientRect(&area);
    QTimer::singleShot(0, [this, grip] {
        QTest::mouseMove(mdi(), QPoint(grip.x, grip.y - 60));
        QTest::mouseRelease(mdi(), Qt::LeftButton, {}, QPoint(grip.x, grip.y - 60));
    });
    QTest::mousePress(mdi(), Qt::LeftButton, {}, Q(grip));
    ProcessEvents();
    EXPECT_LT(group(0)->GetShare(), 50.0);
    EXPECT_DOUBLE_EQ(group(0)->GetShare() + group(1)->GetShare(), 100.0);
    EXPECT_LT(group(0)->GetSplitterRect().top, splitter.top);
}

TEST_F(TabGroupsTest, DropTargetsFollowThePointer)
{
    SplitIntoTwoStackedGroups();
    const CRect first = group(0)->GetWholeRect();
    const int x = first.CenterPoint().x;
    CTKTabItem* fromSecond = Tab(frame->Child(1));
    CTKTabItem* alone = Tab(frame->Child(0));
    struct Case {
        const char* name;
        CPoint point;
        CTKTabItem* tab;
        int kind;
        int group;
        CRect drop;
    };
    CRect lowerHalf = first;
    lowerHalf.top = (first.top + first.bottom) / 2;
    const Case cases[] = {
        {"on another group's header", group(0)->GetHeaderRect().CenterPoint(), fromSecond, CTKTabClientWnd::kDropMove,
         0, group(0)->GetClientRect()},
        {"near a stacked group's lower edge", CPoint(x, first.bottom - 10), fromSecond,
         CTKTabClientWnd::kDropNewHorizontal, 0, lowerHalf},
        {"farther from the edge", CPoint(x, first.bottom - 30), fromSecond, CTKTabClientWnd::kDropMenu, -1, CRect()},
        {"the only tab on its own group's edge", CPoint(x, first.bottom - 10), alone, CTKTabClientWnd::kDropMenu, -1,
         CRect()},
        {"near the right edge of stacked groups", CPoint(first.right - 10, first.CenterPoint().y), fromSecond,
         CTKTabClientWnd::kDropMenu, -1, CRect()},
        {"outside the client", CPoint(-20, -20), fromSecond, CTKTabClientWnd::kDropNone, -1, CRect()},
    };
    for (const Case& test : cases) {
        client().UpdateDropTarget(test.point.x, test.point.y, test.tab);
        EXPECT_EQ(client().GetDropKind(), test.kind) << test.name;
        EXPECT_EQ(client().GetDropGroup(), group(test.group)) << test.name;
        EXPECT_EQ(client().GetDropRect(), test.drop) << test.name;
    }

    // One group alone takes a new group at either edge.
    frame->Child(0)->MDIActivate();
    Command(ID_TABGROUP_NEXT);
    ASSERT_EQ(client().GetGroupCount(), 1);
    const CRect whole = group(0)->GetWholeRect();
    client().UpdateDropTarget(whole.right - 10, whole.CenterPoint().y, fromSecond);
    EXPECT_EQ(client().GetDropKind(), CTKTabClientWnd::kDropNewVertical);
    client().UpdateDropTarget(whole.CenterPoint().x, whole.bottom - 10, fromSecond);
    EXPECT_EQ(client().GetDropKind(), CTKTabClientWnd::kDropNewHorizontal);
}

TEST_F(TabGroupsTest, ATabDroppedOnAnotherGroupsHeaderMovesThere)
{
    CMDIChildWnd* third = SplitIntoTwoStackedGroups();
    const CPoint header = group(0)->GetHeaderRect().CenterPoint();
    const CPoint page = group(0)->GetClientRect().CenterPoint();
    Drag(Tab(third), {MoveTo(page), MoveTo(CPoint(header.x + 1, header.y)), ReleaseAt(header)});
    EXPECT_EQ(Captions(), (Groups{{"MAIN", "SBR02"}, {"SBR01"}}));
    EXPECT_EQ(mdi()->GetActive(), third);
    EXPECT_EQ(client().GetCurrentGroup(), group(0));
    EXPECT_EQ(client().GetDragOutline(), nullptr);

    // Near the lower edge of the first group a new group opens after it.
    const CPoint edge(group(0)->GetWholeRect().CenterPoint().x, group(0)->GetWholeRect().bottom - 10);
    Drag(Tab(third), {MoveTo(page), MoveTo(edge), ReleaseAt(edge)});
    EXPECT_EQ(Captions(), (Groups{{"MAIN"}, {"SBR02"}, {"SBR01"}}));
}

TEST_F(TabGroupsTest, ADropOnEmptySpaceOpensTheDropMenu)
{
    CMDIChildWnd* third = SplitIntoTwoStackedGroups();
    struct Case {
        const char* name;
        UINT choice;
        Groups after;
    };
    const Case cases[] = {
        {"cancel moves nothing", ID_TABGROUP_CANCEL, {{"MAIN"}, {"SBR01", "SBR02"}}},
        {"a group command from the menu", ID_TABGROUP_PREVIOUS, {{"MAIN", "SBR02"}, {"SBR01"}}},
    };
    for (const Case& test : cases) {
        std::vector<UINT> items;
        const CPoint page = group(0)->GetClientRect().CenterPoint();
        auto choose = [&] {
            QTimer::singleShot(0, [&] {
                const auto& tracked = CTKPopupTracker::Get().GetTrackedBars();
                auto* popup = tracked.empty() ? nullptr : dynamic_cast<CTKPopupBar*>(tracked.front());
                CTKControl* chosen = popup ? popup->GetControls()->FindControl(test.choice) : nullptr;
                for (int i = 0; popup != nullptr && i < popup->GetControls()->GetCount(); ++i)
                    items.push_back(popup->GetControls()->GetAt(i)->GetID());
                if (chosen == nullptr) {
                    CTKPopupTracker::Get().CloseTrackedBars();
                    return;
                }
                const QPoint centre = Q(chosen->GetRect().CenterPoint());
                QTest::mouseMove(popup, centre);
                QTest::mouseClick(popup, Qt::LeftButton, {}, centre);
            });
        };
        Drag(Tab(third), {MoveTo(page), choose, ReleaseAt(page)});
        EXPECT_EQ(items, (std::vector<UINT>{ID_TABGROUP_NEW_HORIZONTAL, ID_TABGROUP_PREVIOUS, ID_TABGROUP_CANCEL}))
            << test.name;
        EXPECT_EQ(Captions(), test.after) << test.name;
        EXPECT_TRUE(CTKPopupTracker::Get().GetTrackedBars().empty()) << test.name;
    }
}

TEST_F(TabGroupsTest, EscapeOrTheRightButtonEndTheDragWithoutAMove)
{
    CMDIChildWnd* third = SplitIntoTwoStackedGroups();
    const CPoint header = group(0)->GetHeaderRect().CenterPoint();
    Drag(Tab(third), {MoveTo(header), [this] { QTest::keyClick(mdi(), Qt::Key_Escape); }});
    EXPECT_EQ(Captions(), (Groups{{"MAIN"}, {"SBR01", "SBR02"}}));
    Drag(Tab(third), {MoveTo(header), [this, header] { QTest::mousePress(mdi(), Qt::RightButton, {}, Q(header)); }});
    EXPECT_EQ(Captions(), (Groups{{"MAIN"}, {"SBR01", "SBR02"}}));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TabGroupsTest, TheOnlyTabOfTheOnlyGroupDoesNotDrag)
{
    frame->Child(1)->SendMessage(WM_CLOSE);
    ProcessEvents();
    ASSERT_EQ(Captions(), (Groups{{"MAIN"}}));
    BOOL captured = TRUE;
    QTimer::singleShot(0, [&] {
        captured = CWnd::GetCapture() != nullptr;
        QTest::mouseRelease(mdi(), Qt::LeftButton);
    });
    QTest::mousePress(mdi(), Qt::LeftButton, {}, Q(group(0)->GetTab(0)->GetRect().CenterPoint()));
    ProcessEvents();
    EXPECT_FALSE(captured);
}

TEST_F(TabGroupsTest, AQuitEndsATabDragAndStillEndsTheMainLoop)
{
    CMDIChildWnd* third = SplitIntoTwoStackedGroups();
    BOOL dragEnded = FALSE;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [] { CMessagePump::PostQuitMessage(0); });
        QTest::mousePress(mdi(), Qt::LeftButton, {}, Q(Tab(third)->GetRect().CenterPoint()));
        dragEnded = TRUE;
    });
    // Returns only when the quit reached this loop too.
    QCoreApplication::exec();
    EXPECT_TRUE(dragEnded);
    EXPECT_EQ(Captions(), (Groups{{"MAIN"}, {"SBR01", "SBR02"}}));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(TabGroupsTest, TheNewGroupCommandsHaveIcons)
{
    CTKCommandImages& images = CTKCommandImages::Global();
    for (UINT id : {ID_TABGROUP_NEW_HORIZONTAL, ID_TABGROUP_NEW_VERTICAL}) {
        CTKCommandIcon* icon = images.FindIcon(id, 16);
        ASSERT_NE(icon, nullptr) << id;
        const CIconImage& image = icon->GetNormalImage().GetIcon();
        ASSERT_EQ(image.GetSize(), CSize(16, 16)) << id;
        // The green background is transparent, the window frames are drawn.
        EXPECT_EQ(CIconImage::AlphaOf(image.GetPixel(0, 0)), 0) << id;
        EXPECT_EQ(CIconImage::AlphaOf(image.GetPixel(1, 1)), 255) << id;
    }
}

} // namespace
