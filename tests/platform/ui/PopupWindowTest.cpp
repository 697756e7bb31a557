// Pop-up windows: top-level windows of their owner that keep out of its
// children, take no focus when shown so, and stack as the layer says;
// screenshots compose the windows in that order.

#include "platform/ui/CPaintDC.h"
#include "platform/ui/CScreenShot.h"
#include "platform/ui/CWindowStack.h"
#include "platform/ui/CWnd.h"

#include "support/TempFolder.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class CColourWnd : public CWnd {
public:
    explicit CColourWnd(COLORREF colour = RGB(255, 255, 255)) : m_colour(colour) {}

protected:
    void OnPaint() override
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, m_colour);
    }

private:
    COLORREF m_colour;
};

class PopupWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(owner.Create(nullptr, CRect(0, 0, 300, 200), 0, WS_OVERLAPPED | WS_VISIBLE));
        QApplication::setActiveWindow(&owner);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    }
    CColourWnd owner;
};

TEST_F(PopupWindowTest, APopUpIsATopLevelWindowOfItsOwnerWithFlagsByRole)
{
    struct Case {
        DWORD style;
        bool takesFocus;
    };
    const Case cases[] = {
        {WS_POPUP, false},                      // menus, shadows, outlines
        {WS_POPUP | WS_BORDER, false},
        {WS_POPUP | WS_CAPTION, true},          // floating frames
        {WS_POPUP | WS_THICKFRAME, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        CColourWnd popup;
        ASSERT_TRUE(popup.Create(&owner, CRect(40, 40, 140, 90), 3, c.style));
        EXPECT_TRUE(popup.isWindow());
        EXPECT_EQ(popup.parentWidget(), &owner);   // the transient parent
        EXPECT_EQ(popup.GetOwner(), &owner);
        EXPECT_EQ(popup.windowType(), Qt::Tool);   // never Qt::Popup with its own grab
        EXPECT_EQ(popup.testAttribute(Qt::WA_ShowWithoutActivating), !c.takesFocus);
        EXPECT_EQ(bool(popup.windowFlags() & Qt::WindowDoesNotAcceptFocus), !c.takesFocus);
        EXPECT_EQ(bool(popup.windowFlags() & Qt::FramelessWindowHint), !c.takesFocus);
        EXPECT_EQ(popup.geometry(), QRect(40, 40, 100, 50));   // screen coordinates
        EXPECT_EQ(owner.GetDlgItem(3), nullptr);
        EXPECT_TRUE(owner.GetChildWindows().empty());
    }
}

TEST_F(PopupWindowTest, APopUpShownWithoutActivationLeavesTheFocusAlone)
{
    CColourWnd focused;
    ASSERT_TRUE(focused.Create(&owner, CRect(0, 0, 50, 50), 1, WS_CHILD | WS_VISIBLE));
    focused.setFocusPolicy(Qt::StrongFocus);
    focused.SetFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return focused.hasFocus(); }));

    for (DWORD style : {WS_POPUP, WS_POPUP | WS_CAPTION}) {
        CColourWnd popup;
        ASSERT_TRUE(popup.Create(&owner, CRect(40, 40, 140, 90), 0, style));
        popup.ShowWindow(SW_SHOWNA);
        EXPECT_TRUE(popup.isVisible());
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), &owner);
        EXPECT_TRUE(focused.hasFocus());
    }
}

TEST_F(PopupWindowTest, DestroyingTheOwnerDestroysItsPopUps)
{
    CColourWnd popup;
    ASSERT_TRUE(popup.Create(&owner, CRect(40, 40, 140, 90), 0, WS_POPUP | WS_VISIBLE));
    owner.DestroyWindow();
    EXPECT_FALSE(popup.IsWindow());
    EXPECT_FALSE(popup.isVisible());
}

std::vector<QWidget*> Stack()
{
    return CWindowStack::Instance().VisibleBottomToTop();
}

TEST_F(PopupWindowTest, TheLayerKeepsTheStackingOrderAndScreenshotsFollowIt)
{
    CColourWnd red(RGB(255, 0, 0));
    CColourWnd blue(RGB(0, 0, 255));
    ASSERT_TRUE(red.Create(&owner, CRect(100, 100, 200, 200), 0, WS_POPUP | WS_VISIBLE));
    ASSERT_TRUE(blue.Create(&owner, CRect(150, 150, 250, 250), 0, WS_POPUP | WS_VISIBLE));
    EXPECT_EQ(Stack(), (std::vector<QWidget*>{&owner, &red, &blue}));

    const QPoint overlap(175, 175);
    EXPECT_EQ(CScreenShot::Compose().pixel(overlap), qRgb(0, 0, 255));
    EXPECT_EQ(CScreenShot::Compose().pixel(QPoint(120, 120)), qRgb(255, 0, 0));
    EXPECT_EQ(CScreenShot::Compose(QSize(640, 480)).size(), QSize(640, 480));

    red.SetWindowPos(CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_EQ(Stack(), (std::vector<QWidget*>{&owner, &blue, &red}));
    EXPECT_EQ(CScreenShot::Compose().pixel(overlap), qRgb(255, 0, 0));

    red.SetWindowPos(&owner, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);   // beneath the owner
    EXPECT_EQ(Stack(), (std::vector<QWidget*>{&red, &owner, &blue}));

    blue.SetWindowPos(CWnd::wndBottom, 10, 20, 30, 40, SWP_NOACTIVATE);
    EXPECT_EQ(Stack(), (std::vector<QWidget*>{&blue, &red, &owner}));
    EXPECT_EQ(blue.geometry(), QRect(10, 20, 30, 40));

    blue.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW);
    EXPECT_EQ(Stack(), (std::vector<QWidget*>{&red, &owner}));
}

TEST(ScreenShotTest, WritesAPngFileOfThePinnedScreenSize)
{
    TempFolder folder;
    ASSERT_TRUE(CScreenShot::SavePng(folder / "screen.png", QSize(320, 240)));
    QImage image(QString::fromStdString(folder / "screen.png"));
    EXPECT_EQ(image.size(), QSize(320, 240));
    EXPECT_FALSE(CScreenShot::SavePng(folder / "missing/screen.png", QSize(320, 240)));
}

} // namespace
