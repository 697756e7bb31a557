// The scroll-bar window: what SetScrollInfo gives it and the codes its
// parent hears; re-parenting a window.

#include "platform/ui/CScrollBar.h"

#include <QScrollBar>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Scroll {
    UINT code;
    int position;
    LPARAM bar;
};

class CScrollHost : public CWnd {
public:
    CScrollHost()
    {
        static const CMsgEntry<CScrollHost> table[] = {{WM_HSCROLL, &CScrollHost::OnHScroll}};
        AddMessageTable(table);
    }
    std::vector<Scroll> scrolls;

private:
    LRESULT OnHScroll(WPARAM wParam, LPARAM lParam)
    {
        scrolls.push_back({LOWORD(static_cast<DWORD>(wParam)), HIWORD(static_cast<DWORD>(wParam)), lParam});
        return 0;
    }
};

class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Create(nullptr, CRect(0, 0, 300, 100), 0, WS_OVERLAPPED | WS_VISIBLE));
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(0, 80, 300, 97), &host, 7));
    }

    CScrollHost host;
    CScrollBar bar;
};

TEST_F(ScrollBarTest, KeepsTheRangeAndPageItWasGiven)
{
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMin = 0;
    info.nMax = 999;
    info.nPage = 200;
    info.nPos = 900;   // beyond the last position
    ASSERT_TRUE(bar.SetScrollInfo(&info));
    SCROLLINFO back;
    ASSERT_TRUE(bar.GetScrollInfo(&back));
    EXPECT_EQ(back.nMin, 0);
    EXPECT_EQ(back.nMax, 999);
    EXPECT_EQ(back.nPage, 200u);
    EXPECT_EQ(back.nPos, 800);   // nMax - nPage + 1
    EXPECT_EQ(bar.Bar()->geometry().size(), QSize(300, 17));
    // Setting the position alone keeps the range.
    info.fMask = SIF_POS;
    info.nPos = 50;
    bar.SetScrollInfo(&info);
    EXPECT_EQ(bar.GetScrollPos(), 50);
    EXPECT_EQ(bar.Bar()->maximum(), 800);
    EXPECT_TRUE(host.scrolls.empty());   // the owner's own settings are not echoed
    bar.EnableScrollBar(ESB_DISABLE_BOTH);
    EXPECT_FALSE(bar.Bar()->isEnabled());
    bar.EnableScrollBar(ESB_ENABLE_BOTH);
    EXPECT_TRUE(bar.Bar()->isEnabled());
}

TEST_F(ScrollBarTest, TellsTheParentEveryMoveWithItsCode)
{
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    info.nMax = 999;
    info.nPage = 200;
    info.nPos = 100;
    bar.SetScrollInfo(&info);
    struct Row {
        QAbstractSlider::SliderAction action;
        UINT code;
    };
    const Row rows[] = {
        {QAbstractSlider::SliderSingleStepAdd, SB_LINERIGHT}, {QAbstractSlider::SliderSingleStepSub, SB_LINELEFT},
        {QAbstractSlider::SliderPageStepAdd, SB_PAGERIGHT},   {QAbstractSlider::SliderPageStepSub, SB_PAGELEFT},
        {QAbstractSlider::SliderToMaximum, SB_RIGHT},         {QAbstractSlider::SliderToMinimum, SB_LEFT},
    };
    for (const Row& row : rows) {
        host.scrolls.clear();
        bar.Bar()->triggerAction(row.action);
        ASSERT_EQ(host.scrolls.size(), 1u) << row.code;
        EXPECT_EQ(host.scrolls[0].code, row.code);
        EXPECT_EQ(host.scrolls[0].bar, reinterpret_cast<LPARAM>(&bar));
    }
    host.scrolls.clear();
    bar.Bar()->setSliderPosition(321);
    ASSERT_EQ(host.scrolls.size(), 1u);
    EXPECT_EQ(host.scrolls[0].code, SB_THUMBTRACK);
    EXPECT_EQ(host.scrolls[0].position, 321);
}

TEST_F(ScrollBarTest, ReparentedWindowKeepsItsPlaceAndVisibility)
{
    CWnd other;
    ASSERT_TRUE(other.Create(nullptr, CRect(0, 0, 200, 200), 0, WS_OVERLAPPED | WS_VISIBLE));
    CWnd child;
    ASSERT_TRUE(child.Create(&host, CRect(5, 6, 25, 26), 3, WS_CHILD));
    EXPECT_EQ(child.SetParent(&other), &host);
    EXPECT_EQ(child.GetParent(), &other);
    EXPECT_FALSE(child.IsWindowVisible());
    child.ShowWindow(SW_SHOW);
    CRect rect;
    child.GetWindowRect(&rect);
    other.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(5, 6, 25, 26));
    EXPECT_EQ(child.SetParent(nullptr), &other);
    EXPECT_EQ(child.GetParent(), nullptr);
    EXPECT_TRUE(child.IsWindow());
    child.ShowWindow(SW_HIDE);
}

} // namespace
