// The non-client area: border styles inset the client area; client
// coordinates, mouse positions, children and painting start at its corner;
// hit tests send frame clicks as non-client messages; the frame is painted
// by WM_NCPAINT.

#include "platform/CSystemMetrics.h"
#include "platform/ui/CPaintDC.h"
#include "platform/ui/CQtDC.h"
#include "platform/ui/CWnd.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const COLORREF kClientColour = RGB(255, 0, 0);

class CBorderedView : public CWnd {
public:
    std::vector<std::string> log;
    int ncPaints = 0;
    int captionHeight = 0;   // a frame of its own: a caption strip at the top

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, kClientColour);
    }
    void OnNcCalcSize(BOOL calcValidRects, CRect* rect) override
    {
        CWnd::OnNcCalcSize(calcValidRects, rect);
        rect->top += captionHeight;
    }
    void OnNcPaint(CDC* dc) override
    {
        ++ncPaints;
        CWnd::OnNcPaint(dc);
    }
    void OnSize(UINT, int cx, int cy) override { log.push_back("size " + std::to_string(cx) + "," + std::to_string(cy)); }
    void OnLButtonDown(UINT, CPoint p) override
    {
        log.push_back("ldown " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (message == WM_NCLBUTTONDOWN)
            log.push_back("ncldown " + std::to_string(wParam));
        return CWnd::OnWndMsg(message, wParam, lParam, result);
    }
};

class NonClientAreaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(top.Create(nullptr, CRect(0, 0, 200, 120), 0, WS_OVERLAPPED | WS_VISIBLE));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
    }
    void CreateView(DWORD style, DWORD exStyle)
    {
        view.ModifyStyleEx(0, exStyle);
        ASSERT_TRUE(view.Create(&top, CRect(10, 10, 110, 70), 1, WS_CHILD | WS_VISIBLE | style));
        view.log.clear();
    }
    void Click(QPoint widgetPoint)
    {
        QMouseEvent press(QEvent::MouseButtonPress, widgetPoint, view.mapToGlobal(widgetPoint), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &press);
    }
    CWnd top;
    CBorderedView view;
};

TEST_F(NonClientAreaTest, BorderStylesInsetTheClientArea)
{
    struct Case {
        DWORD style;
        DWORD exStyle;
        int inset;
    };
    const Case cases[] = {
        {0, 0, 0},
        {WS_BORDER, 0, 1},
        {0, WS_EX_CLIENTEDGE, 2},
        {WS_BORDER, WS_EX_CLIENTEDGE, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inset);
        CBorderedView v;
        v.ModifyStyleEx(0, c.exStyle);
        ASSERT_TRUE(v.Create(&top, CRect(10, 10, 110, 70), 1, WS_CHILD | WS_VISIBLE | c.style));
        CRect client;
        v.GetClientRect(&client);
        EXPECT_EQ(client, CRect(0, 0, 100 - 2 * c.inset, 60 - 2 * c.inset));
        EXPECT_EQ(v.log, (std::vector<std::string>{"size " + std::to_string(100 - 2 * c.inset) + ","
                                                   + std::to_string(60 - 2 * c.inset)}));
        CPoint origin(0, 0);
        v.ClientToScreen(&origin);
        EXPECT_EQ(QPoint(origin.x, origin.y), v.mapToGlobal(QPoint(c.inset, c.inset)));
        v.ScreenToClient(&origin);
        EXPECT_EQ(origin, CPoint(0, 0));
    }
}

TEST_F(NonClientAreaTest, ClicksOnTheFrameAreNonClientAndClientPointsStartInside)
{
    CreateView(WS_BORDER, WS_EX_CLIENTEDGE);
    Click(QPoint(3, 3));
    Click(QPoint(20, 15));
    Click(QPoint(1, 30));
    Click(QPoint(99, 59));
    const std::vector<std::string> expected = {
        "ldown 0,0", "ldown 17,12", "ncldown " + std::to_string(HTBORDER), "ncldown " + std::to_string(HTBORDER),
    };
    EXPECT_EQ(view.log, expected);
}

TEST_F(NonClientAreaTest, ChildrenArePlacedInTheClientArea)
{
    CreateView(0, WS_EX_CLIENTEDGE);
    CWnd child;
    ASSERT_TRUE(child.Create(&view, CRect(0, 0, 20, 10), 2, WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(child.pos(), QPoint(2, 2));
    child.MoveWindow(CRect(5, 6, 25, 16));
    EXPECT_EQ(child.geometry(), QRect(7, 8, 20, 10));
    view.ModifyStyle(0, WS_BORDER);   // a wider frame moves the children with the client area
    EXPECT_EQ(child.pos(), QPoint(8, 9));
}

TEST_F(NonClientAreaTest, TheFrameIsPaintedOnceAroundTheClientPaint)
{
    CreateView(WS_BORDER, WS_EX_CLIENTEDGE);
    view.ncPaints = 0;
    view.repaint();
    EXPECT_EQ(view.ncPaints, 1);
    QImage image = view.grab().toImage();
    auto colour = [&](int x, int y) { return CQtDC::FromQColor(QColor(image.pixel(x, y))); };
    EXPECT_EQ(colour(0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(colour(1, 30), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(colour(98, 30), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(colour(2, 30), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(colour(3, 3), kClientColour);
    EXPECT_EQ(colour(96, 56), kClientColour);
    EXPECT_NE(colour(97, 56), kClientColour);

    view.ncPaints = 0;
    view.InvalidateRect(nullptr);
    view.UpdateWindow();
    EXPECT_EQ(view.ncPaints, 0);   // a client invalidation leaves the frame alone
}

TEST_F(NonClientAreaTest, AWindowMayComputeAFrameOfItsOwn)
{
    view.captionHeight = 12;
    CreateView(0, 0);
    CRect client;
    view.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100, 48));
    Click(QPoint(5, 5));
    Click(QPoint(5, 15));
    EXPECT_EQ(view.log, (std::vector<std::string>{"ncldown " + std::to_string(HTBORDER), "ldown 5,3"}));
}

} // namespace
