// A window's own scroll bars: the room they take from the client area, the
// codes they send, a named bar control in their place, and a scroll view's
// bars following its position.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CScrollBar.h"
#include "platform/ui/CScrollView.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Scroll {
    UINT message;
    UINT code;
    LPARAM bar;
};

class CScrolled : public CWnd {
public:
    CScrolled()
    {
        static const CMsgEntry<CScrolled> table[] = {{WM_HSCROLL, &CScrolled::OnScrollMsg},
                                                     {WM_VSCROLL, &CScrolled::OnScrollMsg}};
        AddMessageTable(table);
    }
    CScrollBar* GetScrollBarCtrl(int bar) const override { return bar == SB_HORZ ? sibling : nullptr; }

    std::vector<Scroll> scrolls;
    CScrollBar* sibling = nullptr;

private:
    LRESULT OnScrollMsg(WPARAM wParam, LPARAM lParam)
    {
        scrolls.push_back({GetCurrentMessage()->message, LOWORD(static_cast<DWORD>(wParam)), lParam});
        return 0;
    }
};

class CPlainScrollView : public CScrollView {};

constexpr int kWidth = 200;
constexpr int kHeight = 150;

TEST(WindowScrollBarTest, OwnBarsShrinkTheClientAreaAndShowOnlyWhileStyled)
{
    CWnd host;
    ASSERT_TRUE(host.Create(nullptr, CRect(0, 0, 400, 300), 0, WS_OVERLAPPED | WS_VISIBLE));
    CScrolled wnd;
    ASSERT_TRUE(wnd.Create(&host, CRect(0, 0, kWidth, kHeight), 1, WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL));
    const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(barWidth, 17);
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client.Width(), kWidth - barWidth);
    EXPECT_EQ(client.Height(), kHeight - GetSystemMetrics(SM_CYHSCROLL));
    ASSERT_NE(wnd.GetOwnScrollBar(SB_VERT), nullptr);
    EXPECT_TRUE(wnd.GetOwnScrollBar(SB_VERT)->isVisible());
    EXPECT_EQ(wnd.GetOwnScrollBar(SB_VERT)->geometry(), QRect(kWidth - barWidth, 0, barWidth, client.Height()));
    // The own bars are no child windows of the window's content.
    EXPECT_TRUE(wnd.GetChildWindows().empty());

    wnd.ShowScrollBar(SB_BOTH, FALSE);
    wnd.GetClientRect(&client);
    EXPECT_EQ(client.Width(), kWidth);
    EXPECT_EQ(client.Height(), kHeight);
    EXPECT_FALSE(wnd.GetOwnScrollBar(SB_VERT)->isVisible());
}

TEST(WindowScrollBarTest, ClicksAndDragsOnTheOwnBarSendScrollCodesWithNoBar)
{
    CWnd host;
    ASSERT_TRUE(host.Create(nullptr, CRect(0, 0, 400, 300), 0, WS_OVERLAPPED | WS_VISIBLE));
    CScrolled wnd;
    ASSERT_TRUE(wnd.Create(&host, CRect(0, 0, kWidth, kHeight), 1, WS_CHILD | WS_VISIBLE | WS_VSCROLL));
    wnd.SetScrollRange(SB_VERT, 0, 99);
    wnd.SetScrollPos(SB_VERT, 40);
    EXPECT_EQ(wnd.GetScrollPos(SB_VERT), 40);
    QScrollBar* bar = wnd.GetOwnScrollBar(SB_VERT)->Bar();

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->setSliderDown(true);
    bar->setSliderPosition(70);
    bar->setSliderDown(false);

    const std::vector<UINT> expected = {SB_LINEDOWN, SB_PAGEUP, SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL};
    ASSERT_EQ(wnd.scrolls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(wnd.scrolls[i].message, WM_VSCROLL) << i;
        EXPECT_EQ(wnd.scrolls[i].code, expected[i]) << i;
        EXPECT_EQ(wnd.scrolls[i].bar, 0) << i;
    }
}

TEST(WindowScrollBarTest, NamedBarControlTakesTheCallsAndNoOwnBarShows)
{
    CWnd host;
    ASSERT_TRUE(host.Create(nullptr, CRect(0, 0, 400, 300), 0, WS_OVERLAPPED | WS_VISIBLE));
    CScrollBar sibling;
    ASSERT_TRUE(sibling.Create(WS_CHILD | WS_VISIBLE, CRect(0, 200, 200, 217), &host, 2));
    CScrolled wnd;
    wnd.sibling = &sibling;
    ASSERT_TRUE(wnd.Create(&host, CRect(0, 0, kWidth, kHeight), 1, WS_CHILD | WS_VISIBLE | WS_HSCROLL));
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client.Height(), kHeight);
    EXPECT_EQ(wnd.GetOwnScrollBar(SB_HORZ), nullptr);

    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMax = 499;
    info.nPage = 100;
    info.nPos = 120;
    ASSERT_TRUE(wnd.SetScrollInfo(SB_HORZ, &info));
    EXPECT_EQ(sibling.GetScrollPos(), 120);
    SCROLLINFO back;
    ASSERT_TRUE(wnd.GetScrollInfo(SB_HORZ, &back, SIF_ALL));
    EXPECT_EQ(back.nMax, 499);
    EXPECT_EQ(wnd.GetOwnScrollBar(SB_HORZ), nullptr);
}

TEST(WindowScrollBarTest, ScrollViewBarsShowForALargeTotalAndFollowThePosition)
{
    CWnd host;
    ASSERT_TRUE(host.Create(nullptr, CRect(0, 0, 400, 300), 0, WS_OVERLAPPED | WS_VISIBLE));
    CPlainScrollView view;
    ASSERT_TRUE(view.Create(&host, CRect(0, 0, kWidth, kHeight), 1, WS_CHILD | WS_VISIBLE));
    view.SetScrollSizes(MM_TEXT, CSize(100, 1000));
    EXPECT_TRUE(view.GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(view.GetStyle() & WS_HSCROLL);
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(client.Width(), kWidth - GetSystemMetrics(SM_CXVSCROLL));

    view.ScrollToPosition(CPoint(0, 300));
    QScrollBar* bar = view.GetOwnScrollBar(SB_VERT)->Bar();
    EXPECT_EQ(bar->value(), 300);
    EXPECT_EQ(bar->pageStep(), client.Height());

    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(view.GetScrollPosition().y, 1000 - client.Height());
    EXPECT_EQ(bar->value(), 1000 - client.Height());

    view.SetScrollSizes(MM_TEXT, CSize(100, 100));
    EXPECT_FALSE(view.GetStyle() & WS_VSCROLL);
    EXPECT_EQ(view.GetScrollPosition().y, 0);
}

} // namespace
