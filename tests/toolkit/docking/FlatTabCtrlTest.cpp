// The flat tab control in a child frame of the fixture frame: geometry and
// tab widths from the strip height and the label extents, hit tests, the
// navigation commands and their buttons, selection with the owner's veto,
// the splitter and its limit, the scroll bar standing in for a wide list's
// own, and the painted strip.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CQtImageDC.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/draw/CTKUIMetrics.h"
#include "toolkit/docking/tabs/CTKFlatTabCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

constexpr UINT kCtrlId = 700;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr int kWaitMs = 10000;

// The owner of the control: records the notifications and may veto.
class COwnerWnd : public CWnd {
public:
    std::vector<UINT> codes;
    LRESULT veto = 0;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* result) override
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        codes.push_back(header->code);
        *result = header->code == TCN_SELCHANGING ? veto : 0;
        return TRUE;
    }
};

// A page that counts the Escape keys that reach it.
class CPageWnd : public CWnd {
public:
    int escapes = 0;

protected:
    void OnKeyDown(UINT ch, UINT, UINT) override
    {
        if (ch == VK_ESCAPE)
            ++escapes;
    }
};

QPoint At(CPoint point)
{
    return QPoint(point.x, point.y);
}

class FlatTabCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PinPlatformDefaults();
        ASSERT_TRUE(frame.Open(CRect(0, 0, 700, 400)));
        // One child frame large enough to show the strip with its page, on top.
        frame.Child(0)->SetWindowPos(CWnd::wndTop, 0, 0, 620, 300, SWP_NOACTIVATE);
        ASSERT_TRUE(owner.Create(frame.Child(0), CRect(), 1, WS_CHILD));
        QApplication::setActiveWindow(&frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    void TearDown() override
    {
        ctrl.reset();
        pages.clear();
        frame.DestroyWindow();
        CSystemMetrics::Instance().Reset();
    }

    // A control of the style filling width by height in the first child.
    void Make(DWORD style, int width = 500, int height = 200)
    {
        ctrl = std::make_unique<CTKFlatTabCtrl>();
        ASSERT_TRUE(ctrl->Create(kChild | style, CRect(0, 0, width, height), frame.Child(0), kCtrlId));
        ctrl->SetOwner(&owner);
        ProcessEvents();
    }
    CPageWnd* NewPage()
    {
        pages.push_back(std::make_unique<CPageWnd>());
        pages.back()->Create(frame.Child(1), CRect(0, 0, 10, 10), 2, kChild);
        return pages.back().get();
    }
    // The label's extent in the font the control draws it with.
    static int Extent(const std::string& label, BOOL bold)
    {
        CQtImageDC dc(1, 1);
        dc.SelectObject(&GetUIMetrics()->fonts[bold ? CTKUIMetrics::kBold : CTKUIMetrics::kRegular]);
        return dc.GetTextExtent(label).cx;
    }
    void Click(CPoint point)
    {
        QTest::mouseClick(ctrl.get(), Qt::LeftButton, Qt::NoModifier, At(point));
    }

    CTKFixtureFrame frame;
    COwnerWnd owner;
    std::vector<std::unique_ptr<CPageWnd>> pages;
    std::unique_ptr<CTKFlatTabCtrl> ctrl;
};

TEST_F(FlatTabCtrlTest, StripPageAndButtonsFollowTheStyle)
{
    const int h = GetSystemMetrics(SM_CYHSCROLL);
    const int bw = GetSystemMetrics(SM_CXHSCROLL) - 1;
    struct Row {
        DWORD style;
        CRect strip, page;
        int buttons;
        UINT commands[4];
    };
    const Row rows[] = {
        {0x00, CRect(0, 0, 500, h), CRect(0, h, 500, 200), 0, {0, 0, 0, 0}},
        {0x01, CRect(0, 200 - h, 500, 200), CRect(0, 0, 500, 200 - h), 0, {0, 0, 0, 0}},
        {0x03, CRect(0, 200 - h, 500, 200), CRect(0, 0, 500, 200 - h), 2, {9116, 9117, 0, 0}},
        // First and last bring the scroll buttons with them.
        {0x04, CRect(0, 0, 500, h), CRect(0, h, 500, 200), 4, {9118, 9116, 9117, 9119}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.style);
        Make(row.style);
        EXPECT_EQ(ctrl->GetStripRect(), row.strip);
        EXPECT_EQ(ctrl->GetPageRect(), row.page);
        EXPECT_EQ(ctrl->GetButtonsWidth(), row.buttons * bw);
        EXPECT_EQ(ctrl->GetOverlap(), h / 2 + 2);
        for (int k = 0; k < CTKFlatTabCtrl::kButtonCount; ++k) {
            const auto& button = ctrl->GetButton(k);
            EXPECT_EQ(button.commandId, row.commands[k]) << k;
            const CRect expected = k < row.buttons ? CRect(k * bw, row.strip.top + 1, (k + 1) * bw, row.strip.bottom)
                                                   : CRect();
            EXPECT_EQ(button.rect, expected) << k;
        }
    }
}

TEST_F(FlatTabCtrlTest, TabWidthsOverlapsAndRectanglesFromTheLabels)
{
    Make(0x03);
    const int h = ctrl->GetStripHeight();
    const int overlap = ctrl->GetOverlap();
    const char* labels[] = {"Main", "Variables", "IO"};
    for (int i = 0; i < 3; ++i)
        ctrl->InsertItem(i, labels[i]);
    ctrl->SetCurSel(1);
    int start = ctrl->GetButtonsWidth();
    int total = 0;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const int width = Extent(labels[i], i == 1) + h + h / 2;
        EXPECT_EQ(ctrl->GetTabWidth(i), width);
        CRect rect;
        ASSERT_TRUE(ctrl->GetItemRect(i, &rect));
        EXPECT_EQ(rect, CRect(start, ctrl->GetStripRect().top, start + width, ctrl->GetStripRect().bottom));
        start += width - overlap;
        total += width;
    }
    EXPECT_EQ(ctrl->GetTotalTabWidth(), total - 2 * overlap);
    CRect rect;
    EXPECT_FALSE(ctrl->GetItemRect(3, &rect));
    EXPECT_FALSE(ctrl->GetItemRect(-1, &rect));
}

TEST_F(FlatTabCtrlTest, HitTestSpansEndWhereTheNextTabBegins)
{
    Make(0x13);
    ctrl->InsertItem(0, "One");
    ctrl->InsertItem(1, "Two");
    ctrl->InsertItem(2, "Three");
    CRect r0, r1, r2;
    ctrl->GetItemRect(0, &r0);
    ctrl->GetItemRect(1, &r1);
    ctrl->GetItemRect(2, &r2);
    const int overlap = ctrl->GetOverlap();
    struct Row {
        int x;
        int tab;
    };
    const Row rows[] = {
        {ctrl->GetButtonsWidth() - 1, -1},   // on the buttons
        {r0.left, 0},
        {r0.right - overlap, 0},             // both ends belong to the span
        {r0.right - overlap + 1, 1},
        {r1.right - overlap, 1},
        {r2.right, 2},                       // the last tab keeps its full width
        {r2.right + 1, -1},
        {ctrl->GetSplitterRect().left + 1, -1},   // right of the splitter
    };
    for (const Row& row : rows) {
        const CPoint point(row.x, ctrl->GetStripRect().top + 2);
        EXPECT_EQ(ctrl->HitTest(&point), row.tab) << row.x;
    }
    const CPoint onFirstButton(1, ctrl->GetStripRect().top + 2);
    EXPECT_EQ(ctrl->HitTestButton(&onFirstButton), 0);
    const CPoint onTab(r0.left + 2, ctrl->GetStripRect().top + 2);
    EXPECT_EQ(ctrl->HitTestButton(&onTab), -1);
}

TEST_F(FlatTabCtrlTest, InsertDeleteAndSelectKeepTheCurrentTabAndItsPage)
{
    Make(0x03);
    EXPECT_EQ(ctrl->GetCurSel(), -1);
    CPageWnd* a = NewPage();
    CPageWnd* b = NewPage();
    CPageWnd* c = NewPage();
    EXPECT_EQ(ctrl->InsertItem(0, "A", a), 0);
    EXPECT_EQ(ctrl->GetCurSel(), 0);
    EXPECT_EQ(a->GetParent(), ctrl.get());
    EXPECT_TRUE(a->IsWindowVisible());
    CRect placed;
    a->GetWindowRect(&placed);
    ctrl->ScreenToClient(&placed);
    EXPECT_EQ(placed, ctrl->GetPageRect());

    EXPECT_EQ(ctrl->InsertItem(1, "B", b), 1);
    EXPECT_EQ(ctrl->InsertItem(0, "C", c), 0);
    EXPECT_EQ(ctrl->GetCurSel(), 0);
    EXPECT_TRUE(c->IsWindowVisible());
    EXPECT_FALSE(a->IsWindowVisible());
    EXPECT_FALSE(b->IsWindowVisible());
    EXPECT_EQ(ctrl->GetTabWindow(1), a);
    EXPECT_EQ(ctrl->GetTabWindow(3), nullptr);
    EXPECT_EQ(ctrl->InsertItem(5, "X"), -1);
    EXPECT_EQ(ctrl->GetTipText(2), "B");

    struct Step {
        int select;   // -2: none
        int remove;   // -2: none
        int current;
        int count;
    };
    // Tabs: C, A, B with C current.
    const Step steps[] = {
        {2, -2, 2, 3},    // B
        {-2, 0, 1, 2},    // removing a tab before the current one moves it down
        {-2, 1, 0, 1},    // removing the current tab selects tab 0
        {-2, 5, 0, 1},    // an invalid index changes nothing
        {-2, 0, -1, 0},   // the last tab leaves no current tab
    };
    for (const Step& step : steps) {
        if (step.select != -2)
            ctrl->SetCurSel(step.select);
        if (step.remove != -2) {
            const bool valid = step.remove < ctrl->GetItemCount();
            EXPECT_EQ(ctrl->DeleteItem(step.remove) != FALSE, valid);
        }
        EXPECT_EQ(ctrl->GetCurSel(), step.current);
        EXPECT_EQ(ctrl->GetItemCount(), step.count);
    }
    // The pages are detached and hidden, never destroyed.
    for (CPageWnd* page : {a, b, c}) {
        EXPECT_TRUE(page->IsWindow());
        EXPECT_FALSE(page->IsWindowVisible());
        EXPECT_NE(page->GetParent(), ctrl.get());
    }
    EXPECT_EQ(ctrl->SetCurSel(0), -1);
}

TEST_F(FlatTabCtrlTest, DeletingTheLastCurrentTabShowsTabZero)
{
    Make(0x01);
    CPageWnd* a = NewPage();
    CPageWnd* b = NewPage();
    CPageWnd* c = NewPage();
    ctrl->InsertItem(0, "A", a);
    ctrl->InsertItem(1, "B", b);
    ctrl->InsertItem(2, "C", c);
    ASSERT_EQ(ctrl->GetCurSel(), 2);
    EXPECT_TRUE(ctrl->DeleteItem(2));
    EXPECT_EQ(ctrl->GetCurSel(), 0);
    EXPECT_TRUE(a->IsWindowVisible());
    EXPECT_FALSE(b->IsWindowVisible());
    EXPECT_TRUE(ctrl->DeleteAllItems());
    EXPECT_EQ(ctrl->GetCurSel(), -1);
    EXPECT_FALSE(a->IsWindowVisible());
}

TEST_F(FlatTabCtrlTest, PagesAndTheControlOutliveEachOther)
{
    Make(0x01);
    CPageWnd* a = NewPage();
    ctrl->InsertItem(0, "A", a);
    // A page its owner deletes leaves a tab without a window behind.
    auto gone = std::make_unique<CPageWnd>();
    gone->Create(frame.Child(1), CRect(0, 0, 10, 10), 2, kChild);
    ctrl->InsertItem(1, "Gone", gone.get());
    gone.reset();
    EXPECT_EQ(ctrl->GetTabWindow(1), nullptr);
    EXPECT_EQ(ctrl->SetCurSel(0), 1);
    EXPECT_TRUE(a->IsWindowVisible());
    EXPECT_TRUE(ctrl->DeleteItem(1));
    // The control going first detaches its pages.
    ctrl.reset();
    EXPECT_TRUE(a->IsWindow());
    EXPECT_FALSE(a->IsWindowVisible());
}

TEST_F(FlatTabCtrlTest, ScrollCommandsMoveTheRowByWholeTabs)
{
    Make(0x05, 300);
    for (int i = 0; i < 10; ++i)
        ctrl->InsertItem(i, "Sheet" + std::to_string(i));
    ctrl->ScrollHome();
    const int buttons = ctrl->GetButtonsWidth();
    const int area = ctrl->GetTabAreaWidth();
    const int total = ctrl->GetTotalTabWidth();
    ASSERT_GT(total, area);
    auto command = [&](UINT id) { ctrl->SendMessage(WM_COMMAND, id, 0); };
    auto enabled = [&]() {
        std::string s;
        for (int k = 0; k < 4; ++k)
            s += ctrl->GetButton(k).enabled ? '1' : '0';
        return s;
    };
    auto startOf = [&](int i) {
        CRect r;
        ctrl->GetItemRect(i, &r);
        return r.left;
    };
    EXPECT_EQ(ctrl->GetScrollOffset(), 0);
    EXPECT_EQ(enabled(), "0011");
    // Scroll left on the first tab stays at 0.
    command(CTKFlatTabCtrl::kCmdScrollLeft);
    EXPECT_EQ(ctrl->GetScrollOffset(), 0);
    command(CTKFlatTabCtrl::kCmdScrollRight);
    EXPECT_EQ(startOf(1), buttons);
    command(CTKFlatTabCtrl::kCmdScrollRight);
    EXPECT_EQ(startOf(2), buttons);
    EXPECT_EQ(enabled(), "1111");
    command(CTKFlatTabCtrl::kCmdScrollLeft);
    EXPECT_EQ(startOf(1), buttons);
    command(CTKFlatTabCtrl::kCmdLast);
    EXPECT_EQ(ctrl->GetScrollOffset(), total - area + 1);
    EXPECT_EQ(enabled(), "1100");
    command(CTKFlatTabCtrl::kCmdFirst);
    EXPECT_EQ(ctrl->GetScrollOffset(), 0);
    // Selecting a tab out of view brings it in at the right edge.
    ctrl->SetCurSel(9);
    CRect last;
    ctrl->GetItemRect(9, &last);
    EXPECT_EQ(last.right, buttons + area);
    ctrl->SetCurSel(0);
    EXPECT_EQ(ctrl->GetScrollOffset(), 0);
}

TEST_F(FlatTabCtrlTest, LastOnAShortRowKeepsTheOffsetAtZero)
{
    Make(0x05, 400);
    ctrl->InsertItem(0, "Only");
    ctrl->SendMessage(WM_COMMAND, CTKFlatTabCtrl::kCmdLast, 0);
    EXPECT_EQ(ctrl->GetScrollOffset(), 0);
    CRect rect;
    ctrl->GetItemRect(0, &rect);
    EXPECT_EQ(rect.left, ctrl->GetButtonsWidth());
}

TEST_F(FlatTabCtrlTest, ButtonsPostTheirCommandOnReleaseAndDisabledOnesDoNothing)
{
    Make(0x03, 250);
    for (int i = 0; i < 8; ++i)
        ctrl->InsertItem(i, "Sheet" + std::to_string(i));
    ctrl->SetCurSel(0);
    const CRect left = ctrl->GetButton(0).rect;
    const CRect right = ctrl->GetButton(1).rect;
    Click(left.CenterPoint());
    ProcessEvents();
    EXPECT_EQ(ctrl->GetScrollOffset(), 0);
    EXPECT_EQ(CWnd::GetCapture(), nullptr);

    QTest::mousePress(ctrl.get(), Qt::LeftButton, Qt::NoModifier, At(right.CenterPoint()));
    EXPECT_TRUE(ctrl->GetButton(1).pressed);
    EXPECT_EQ(CWnd::GetCapture(), ctrl.get());
    QTest::mouseRelease(ctrl.get(), Qt::LeftButton, Qt::NoModifier, At(right.CenterPoint()));
    EXPECT_FALSE(ctrl->GetButton(1).pressed);
    ASSERT_TRUE(QTest::qWaitFor([&]() { return ctrl->GetScrollOffset() > 0; }, kWaitMs));
    CRect second;
    ctrl->GetItemRect(1, &second);
    EXPECT_EQ(second.left, ctrl->GetButtonsWidth());
}

TEST_F(FlatTabCtrlTest, ClicksSelectUnlessTheOwnerVetoes)
{
    Make(0x01);
    CPageWnd* a = NewPage();
    CPageWnd* b = NewPage();
    ctrl->InsertItem(0, "First", a);
    ctrl->InsertItem(1, "Second", b);
    ctrl->SetCurSel(0);
    CRect first, second;
    ctrl->GetItemRect(0, &first);
    ctrl->GetItemRect(1, &second);
    const CPoint onSecond(second.right - 5, second.top + 3);
    const CPoint onFirst(first.left + 5, first.top + 3);

    owner.veto = 1;
    Click(onSecond);
    EXPECT_EQ(owner.codes, std::vector<UINT>{TCN_SELCHANGING});
    EXPECT_EQ(ctrl->GetCurSel(), 0);
    EXPECT_TRUE(a->IsWindowVisible());

    owner.codes.clear();
    owner.veto = 0;
    Click(onSecond);
    EXPECT_EQ(owner.codes, (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(ctrl->GetCurSel(), 1);
    EXPECT_TRUE(b->IsWindowVisible());
    EXPECT_FALSE(a->IsWindowVisible());

    owner.codes.clear();
    Click(CPoint(onSecond.x, onSecond.y));   // the current tab
    EXPECT_TRUE(owner.codes.empty());
    Click(onFirst);
    EXPECT_EQ(ctrl->GetCurSel(), 0);
}

TEST_F(FlatTabCtrlTest, SplitterStartsAtSixtyPercentAndStopsAtItsLimit)
{
    Make(0x13, 500);
    const int limit = 500 - 4 * ctrl->GetButtonWidth() - ctrl->GetStripHeight();
    EXPECT_EQ(ctrl->GetSplitterPos(), 300);
    EXPECT_EQ(ctrl->GetSplitterPercent(), 60);
    struct Row {
        int value;
        BOOL percent;
        int position;
        int percentAfter;
    };
    const Row rows[] = {
        {200, FALSE, 200, 40},
        {499, FALSE, limit, 99},
        {-30, FALSE, 0, -6},
        {50, TRUE, 250, 50},
        {100, TRUE, limit, 100},
    };
    for (const Row& row : rows) {
        ctrl->SetSplitterPos(row.value, row.percent);
        EXPECT_EQ(ctrl->GetSplitterPos(), row.position) << row.value;
        EXPECT_EQ(ctrl->GetSplitterPercent(), row.percentAfter) << row.value;
        EXPECT_EQ(ctrl->GetSplitterRect(), CRect(row.position, ctrl->GetStripRect().top, row.position + 6,
                                                 ctrl->GetStripRect().bottom));
    }
    const CRect bar = ctrl->GetScrollBarRect();
    EXPECT_EQ(bar.left, ctrl->GetSplitterRect().right);
    EXPECT_EQ(bar.right, 500 - ctrl->GetStripHeight());
    // Bottom tabs: the bar reaches one pixel past the strip, over the control's edge.
    EXPECT_EQ(bar.top, ctrl->GetStripRect().top);
    EXPECT_EQ(bar.bottom, ctrl->GetStripRect().bottom + 1);
    // The percentage holds when the control grows.
    ctrl->SetSplitterPos(50, TRUE);
    ctrl->MoveWindow(CRect(0, 0, 600, 200));
    EXPECT_EQ(ctrl->GetSplitterPos(), 300);
}

TEST_F(FlatTabCtrlTest, SplitterByPixelsBeforeTheFirstSizingKeepsThePercentage)
{
    ctrl = std::make_unique<CTKFlatTabCtrl>();
    ASSERT_TRUE(ctrl->Create(kChild | 0x13, CRect(), frame.Child(0), kCtrlId));
    EXPECT_EQ(ctrl->GetSplitterPercent(), 60);
    ctrl->SetSplitterPos(120, FALSE);
    EXPECT_EQ(ctrl->GetSplitterPercent(), 60);
    ctrl->MoveWindow(CRect(0, 0, 500, 200));
    EXPECT_EQ(ctrl->GetSplitterPos(), 300);
}

TEST_F(FlatTabCtrlTest, SplitterDragFollowsTheMouseAndEscapeEndsIt)
{
    Make(0x13, 500);
    CPageWnd* page = NewPage();
    ctrl->InsertItem(0, "Page", page);
    page->SetFocus();
    const int limit = 500 - 4 * ctrl->GetButtonWidth() - ctrl->GetStripHeight();
    const CPoint grip(ctrl->GetSplitterRect().left + 2, ctrl->GetStripRect().top + 5);

    QTest::mouseMove(ctrl.get(), At(grip));
    EXPECT_TRUE(ctrl->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(ctrl->cursor().shape(), GetUIMetrics()->cursors[CTKUIMetrics::kCursorSplitter].shape());
    QTest::mousePress(ctrl.get(), Qt::LeftButton, Qt::NoModifier, At(grip));
    ASSERT_TRUE(ctrl->IsTrackingSplitter());
    QTest::mouseMove(ctrl.get(), At(CPoint(grip.x - 100, grip.y)));
    EXPECT_EQ(ctrl->GetSplitterPos(), 200);
    QTest::mouseMove(ctrl.get(), At(CPoint(490, grip.y)));
    EXPECT_EQ(ctrl->GetSplitterPos(), limit);
    QTest::mouseRelease(ctrl.get(), Qt::LeftButton, Qt::NoModifier, At(CPoint(490, grip.y)));
    EXPECT_FALSE(ctrl->IsTrackingSplitter());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), page);
    QTest::mouseMove(ctrl.get(), At(CPoint(2, 2)));
    EXPECT_FALSE(ctrl->testAttribute(Qt::WA_SetCursor));

    // Escape during a drag ends it and goes no further.
    const CPoint grip2(ctrl->GetSplitterRect().left + 2, grip.y);
    QTest::mousePress(ctrl.get(), Qt::LeftButton, Qt::NoModifier, At(grip2));
    ASSERT_TRUE(ctrl->IsTrackingSplitter());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(ctrl->IsTrackingSplitter());
    EXPECT_EQ(page->escapes, 0);
    QTest::mouseRelease(ctrl.get(), Qt::LeftButton, Qt::NoModifier, At(grip2));

    // Without a drag the page has its Escape (an in-place edit cancels with it).
    page->SetFocus();
    ASSERT_TRUE(QTest::qWaitFor([&]() { return CWnd::GetFocus() == page; }, kWaitMs));
    QTest::keyClick(page, Qt::Key_Escape);
    EXPECT_EQ(page->escapes, 1);
}

TEST_F(FlatTabCtrlTest, ScrollBarStandsInForTheWideListsOwn)
{
    Make(0x17, 600, 250);
    CListCtrl list;
    ASSERT_TRUE(list.Create(frame.Child(1), CRect(0, 0, 100, 100), 3, kChild | LVS_REPORT));
    for (int c = 0; c < 8; ++c)
        list.InsertColumn(c, "Column " + std::to_string(c), LVCFMT_LEFT, 150);
    for (int r = 0; r < 20; ++r)
        list.InsertItem(r, "Row " + std::to_string(r));
    CPageWnd* plain = NewPage();
    ctrl->InsertItem(0, "Plain", plain);
    ctrl->InsertItem(1, "Wide", &list);
    ProcessEvents();
    CScrollBar* bar = ctrl->GetScrollBarCtrl(SB_HORZ);
    ASSERT_NE(bar, nullptr);
    QScrollBar* own = list.Table()->horizontalScrollBar();
    auto expectInSync = [&]() {
        SCOPED_TRACE("sync");
        SCROLLINFO mine, theirs;
        bar->GetScrollInfo(&mine);
        ASSERT_TRUE(CScrollBar::GetWindowScrollInfo(&list, SB_HORZ, &theirs));
        EXPECT_EQ(mine.nMin, theirs.nMin);
        EXPECT_EQ(mine.nMax, theirs.nMax);
        EXPECT_EQ(mine.nPage, theirs.nPage);
        EXPECT_EQ(mine.nPos, theirs.nPos);
    };
    ctrl->SyncScrollBar();
    EXPECT_TRUE(bar->Bar()->isEnabled());
    EXPECT_GT(own->maximum(), 0);
    expectInSync();
    // The list's own bar gives way to the strip's.
    EXPECT_EQ(list.Table()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    bar->Bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_GT(own->value(), 0);
    expectInSync();
    bar->Bar()->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(own->value(), 0);

    // Dragging the thumb scrolls the list by the difference.
    bar->Bar()->setSliderPosition(120);
    EXPECT_EQ(own->value(), 120);
    expectInSync();

    // A column that grows changes the range; the strip's bar follows.
    const int before = bar->Bar()->maximum();
    list.SetColumnWidth(0, 400);
    EXPECT_EQ(bar->Bar()->maximum(), before + 250);
    expectInSync();

    // A page without a horizontal bar leaves the strip's disabled.
    ctrl->SetCurSel(0);
    EXPECT_FALSE(bar->Bar()->isEnabled());
    ctrl->DeleteAllItems();
}

TEST_F(FlatTabCtrlTest, CurrentTabOpensIntoItsPage)
{
    struct Shot {
        DWORD style;
        const char* name;
    };
    const Shot shots[] = {
        {0x03, "flattab_bottom_two_buttons.png"},
        {0x02, "flattab_top_two_buttons.png"},
        {0x07, "flattab_bottom_four_buttons.png"},
        {0x04, "flattab_top_four_buttons.png"},
        {0x17, "flattab_bottom_scrollbar.png"},
        {0x14, "flattab_top_scrollbar.png"},
    };
    for (const Shot& shot : shots) {
        SCOPED_TRACE(shot.name);
        CRect client;
        frame.Child(0)->GetClientRect(&client);
        Make(shot.style, client.Width(), client.Height());
        CListCtrl list;
        ASSERT_TRUE(list.Create(frame.Child(1), CRect(0, 0, 100, 100), 3, kChild | LVS_REPORT));
        for (int c = 0; c < 6; ++c)
            list.InsertColumn(c, "Column " + std::to_string(c), LVCFMT_LEFT, 120);
        list.InsertItem(0, "Row");
        ctrl->InsertItem(0, "Main", NewPage());
        ctrl->InsertItem(1, "Vars", &list);
        ctrl->InsertItem(2, "Notes", NewPage());
        for (int i = 3; i < 9; ++i)
            ctrl->InsertItem(i, "Sheet " + std::to_string(i), NewPage());
        if (shot.style & 0x10)
            ctrl->SetSplitterPos(80, TRUE);
        ctrl->SetCurSel(1);
        ctrl->ScrollHome();
        ProcessEvents();
        SaveScreenshot(shot.name);
        const QImage image = ctrl->grab().toImage();
        const BOOL bottom = (shot.style & 0x01) != 0;
        const int yb = bottom ? ctrl->GetStripRect().top : ctrl->GetStripRect().bottom - 1;
        CRect current, other;
        ctrl->GetItemRect(1, &current);
        ctrl->GetItemRect(2, &other);
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        // The base of the current tab is open to the page; other tabs close it.
        EXPECT_EQ(ProbeColor(image, current.CenterPoint().x, yb), window);
        EXPECT_EQ(ProbeColor(image, current.left + 10, ctrl->GetStripRect().CenterPoint().y), window);
        EXPECT_EQ(ProbeColor(image, other.right - 12, yb), GetSysColor(COLOR_BTNSHADOW));
        // The scroll-left button is disabled: its glyph is in the shadow colour.
        const CRect left = ctrl->GetButton(shot.style & 0x04 ? 1 : 0).rect;
        bool shadowGlyph = false;
        for (int x = left.left + 2; x < left.right - 2; ++x)
            shadowGlyph = shadowGlyph || ProbeColor(image, x, left.CenterPoint().y) == GetSysColor(COLOR_BTNSHADOW);
        EXPECT_TRUE(shadowGlyph);
        ctrl.reset();
        pages.clear();
    }
}

TEST_F(FlatTabCtrlTest, TabsTellTheirTipTexts)
{
    Make(0x0B);
    ctrl->InsertItem(0, "Main");
    ctrl->InsertItem(1, "Data");
    ctrl->SetTipText(1, "The data blocks");
    ctrl->SetTipText(7, "ignored");
    CRect second;
    ctrl->GetItemRect(1, &second);
    TOOLINFO info;
    EXPECT_EQ(ctrl->OnToolHitTest(CPoint(second.right - 3, second.top + 4), &info), 1);
    EXPECT_EQ(info.text, "The data blocks");
    EXPECT_EQ(info.rect, second);
    EXPECT_EQ(ctrl->OnToolHitTest(CPoint(2, second.top + 4), &info), -1);   // a button
    EXPECT_EQ(ctrl->GetTipText(0), "Main");
    EXPECT_EQ(ctrl->GetTipText(7), "");
}

TEST_F(FlatTabCtrlTest, SystemColourChangeRebuildsTheColoursAndPens)
{
    Make(0x01);
    ctrl->InsertItem(0, "Main");
    CRect tab;
    ctrl->GetItemRect(0, &tab);
    const CPoint inside(tab.left + 10, tab.CenterPoint().y);
    const COLORREF red = RGB(255, 0, 0);
    CSystemMetrics::Instance().SetSysColor(COLOR_WINDOW, red);
    EXPECT_EQ(ProbeColor(ctrl->grab().toImage(), inside.x, inside.y), RGB(255, 255, 255));
    ctrl->SendMessage(WM_SYSCOLORCHANGE);
    const QImage image = ctrl->grab().toImage();
    EXPECT_EQ(ProbeColor(image, inside.x, inside.y), red);
    EXPECT_EQ(ProbeColor(image, inside.x, tab.top), red);   // the base line opening into the page
}

} // namespace
