// The menu bar of an MDI frame: a maximised child's minimise, restore and
// close buttons (and, when asked, its system-menu icon) on the bar, the
// system commands reaching the child, and the menu following the active
// child's document type.

#include "platform/ui/CMDIChildWnd.h"
#include "platform/ui/CMDIClient.h"
#include "toolkit/ToolkitFixture.h"
#include "toolkit/commandbars/CTKCommandBars.h"
#include "toolkit/commandbars/CTKControl.h"
#include "toolkit/commandbars/CTKControls.h"
#include "toolkit/commandbars/CTKMenuBar.h"
#include "toolkit/commandbars/CTKMenuBarMDIButton.h"
#include "toolkit/commandbars/CTKMenuBarSysMenuControl.h"
#include "toolkit/commandbars/CTKPopupTracker.h"
#include "toolkit/commandbars/draw/CTKBarRenderer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr UINT kMainMenu = 123;
constexpr UINT kTabMenu = 161;
constexpr UINT kCustomizeCommand = 35001;
const CRect kFrameRect(0, 0, 900, 500);
constexpr int kWaitMs = 2000;

// Lets events run until the condition holds; false when it never does.
template <class Condition>
bool WaitFor(Condition condition)
{
    return QTest::qWaitFor(condition, kWaitMs);
}

// A frame that may have a Customize command, so the menu bar parks the
// menus of other document types.
class MenuFrame : public CTKFixtureFrame {
public:
    explicit MenuFrame(BOOL customise) : m_customise(customise) {}
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override
    {
        if (m_customise && id == kCustomizeCommand && code == CN_COMMAND)
            return TRUE;
        return CTKFixtureFrame::OnCmdMsg(id, code, extra, info);
    }

private:
    BOOL m_customise;
};

class MDIMenuBarTest : public ::testing::Test {
protected:
    void Open(BOOL customise)
    {
        PinPlatformDefaults();
        CTKBarRenderer::SelectTheme(kTKThemeClassic);
        frame = std::make_unique<MenuFrame>(customise);
        ASSERT_TRUE(frame->Open(kFrameRect));
        bars = AttachCommandBars(*frame);
        ASSERT_NE(bars, nullptr);
        menuBar = bars->CreateMenuBar("Menu Bar", kMainMenu);
        ASSERT_NE(menuBar, nullptr);
        bars->RelayoutFrame(FALSE);
        ProcessEvents();
    }
    void TearDown() override
    {
        CTKPopupTracker::Get().CloseTrackedBars();
        if (frame)
            frame->DestroyWindow();
        ProcessEvents();
    }

    std::vector<UINT> MDIControlIds() const
    {
        std::vector<UINT> ids;
        for (int i = 0; i < menuBar->GetControlCount(); ++i) {
            const UINT id = menuBar->GetControl(i)->GetID();
            if (id == kTKMDISysMenuId || id == kTKMDIMinimizeId || id == kTKMDIRestoreId || id == kTKMDICloseId)
                ids.push_back(id);
        }
        return ids;
    }

    void Maximise(CMDIChildWnd* child)
    {
        child->MDIActivate();
        child->MDIMaximize();
        ProcessEvents();
    }

    struct DocumentChildren {
        CMDIChildWnd* first;
        CMDIChildWnd* second;
    };
    // The first child holds a document of the main menu's type, the second
    // one of the tab menu's; each is activated once, the second last.
    DocumentChildren ActivateTwoDocumentTypes()
    {
        const DocumentChildren children {frame->Child(0), frame->Child(1)};
        children.first->SetResourceId(kMainMenu);
        children.second->SetResourceId(kTabMenu);
        children.first->MDIActivate();
        children.second->MDIActivate();
        return children;
    }

    // Presses and releases the left button over the control, as the user does.
    void Click(CTKControl* control)
    {
        const CPoint centre = control->GetRect().CenterPoint();
        QPoint global = menuBar->mapToGlobal(QPoint(centre.x, centre.y));
        auto send = [this, global](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons) {
            QMouseEvent event(type, menuBar->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
            QApplication::sendEvent(menuBar, &event);
        };
        QTimer::singleShot(0, menuBar, [send] { send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton); });
        send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    }

    std::unique_ptr<MenuFrame> frame;
    CTKCommandBars* bars = nullptr;
    CTKMenuBar* menuBar = nullptr;
};

TEST_F(MDIMenuBarTest, AMaximisedChildShowsItsButtonsAtTheRightEnd)
{
    Open(FALSE);
    struct Case {
        const char* what;
        DWORD removedStyle;
        DWORD docking;
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        {"both boxes", 0, kTKMenuBarDocking, {kTKMDIMinimizeId, kTKMDIRestoreId, kTKMDICloseId}},
        {"icon asked for", 0, kTKMenuBarDocking | kTKMenuBarSysMenu,
         {kTKMDISysMenuId, kTKMDIMinimizeId, kTKMDIRestoreId, kTKMDICloseId}},
        {"no minimise box", WS_MINIMIZEBOX, kTKMenuBarDocking, {kTKMDIRestoreId, kTKMDICloseId}},
        {"no maximise box", WS_MAXIMIZEBOX, kTKMenuBarDocking, {kTKMDIMinimizeId, kTKMDICloseId}},
        {"close left out", 0, kTKMenuBarDocking | kTKMenuBarNoClose, {kTKMDIMinimizeId, kTKMDIRestoreId}},
    };
    CMDIChildWnd* child = frame->Child(0);
    const DWORD style = child->GetStyle();
    for (const Case& c : cases) {
        menuBar->EnableDocking(c.docking);
        child->ModifyStyle(c.removedStyle, 0);
        EXPECT_TRUE(MDIControlIds().empty()) << c.what;
        Maximise(child);
        EXPECT_TRUE(WaitFor([&] { return MDIControlIds() == c.ids; })) << c.what;
        // The buttons stay at the right end of the bar, the icon comes first.
        CRect bar;
        menuBar->GetClientRect(&bar);
        for (UINT id : c.ids) {
            const CRect rect = menuBar->GetControls()->FindControl(id)->GetRect();
            EXPECT_EQ(rect.Width(), kTKMDIControlSize) << c.what << " " << id;
            if (id == kTKMDISysMenuId)
                EXPECT_LT(rect.left, bar.Width() / 2) << c.what;
            else
                EXPECT_GT(rect.left, bar.Width() / 2) << c.what << " " << id;
        }
        child->MDIRestore();
        ProcessEvents();
        EXPECT_TRUE(WaitFor([&] { return MDIControlIds().empty(); })) << c.what;
        child->ModifyStyle(0, style);
    }
}

TEST_F(MDIMenuBarTest, EachButtonActsOnTheActiveChild)
{
    Open(FALSE);
    CMDIChildWnd* first = frame->Child(0);
    CMDIChildWnd* second = frame->Child(1);

    Maximise(first);
    ASSERT_TRUE(WaitFor([&] { return MDIControlIds().size() == 3u; }));
    Click(menuBar->GetControls()->FindControl(kTKMDIRestoreId));
    EXPECT_TRUE(WaitFor([&] { return !first->IsMaximized(); }));
    EXPECT_TRUE(WaitFor([&] { return MDIControlIds().empty(); }));

    Maximise(first);
    ASSERT_TRUE(WaitFor([&] { return MDIControlIds().size() == 3u; }));
    Click(menuBar->GetControls()->FindControl(kTKMDIMinimizeId));
    EXPECT_TRUE(WaitFor([&] { return first->IsIconic(); }));
    // The other child takes over; it is not maximised, so the buttons go.
    EXPECT_EQ(frame->MDIGetActive(), second);
    EXPECT_TRUE(WaitFor([&] { return MDIControlIds().empty(); }));

    QPointer<CMDIChildWnd> closing(second);
    Maximise(second);
    ASSERT_TRUE(WaitFor([&] { return MDIControlIds().size() == 3u; }));
    Click(menuBar->GetControls()->FindControl(kTKMDICloseId));
    EXPECT_TRUE(WaitFor([&] { return closing.isNull(); }));
    // The client stays maximised: the child that takes over is maximised
    // in its turn, so the buttons stay.
    EXPECT_EQ(frame->MDIGetActive(), first);
    EXPECT_TRUE(WaitFor([&] { return first->IsMaximized(); }));
    EXPECT_TRUE(WaitFor([&] { return MDIControlIds().size() == 3u; }));
}

TEST_F(MDIMenuBarTest, TheSystemMenuOfTheIconSendsItsCommandsToTheChild)
{
    Open(FALSE);
    menuBar->EnableDocking(kTKMenuBarDocking | kTKMenuBarSysMenu);
    CMDIChildWnd* child = frame->Child(0);
    CIconImage icon(32, 32, 0xFF00FF00);
    child->SetIcon(icon, TRUE);
    Maximise(child);
    ASSERT_TRUE(WaitFor([&] { return MDIControlIds().size() == 4u; }));
    auto* control = dynamic_cast<CTKMenuBarSysMenuControl*>(menuBar->GetControl(0));
    ASSERT_NE(control, nullptr);
    // The big icon stands in for a missing small one, shrunk to 16 by 16.
    EXPECT_EQ(control->GetIconImage().GetSize(), CSize(16, 16));
    EXPECT_EQ(control->GetIconImage().GetPixel(8, 8), 0xFF00FF00u);
    SaveScreenshot("menubar_mdi_controls.png");

    // Restore, minimise, maximise and close have the menu bar's pictures.
    struct Item {
        UINT id;
        std::string caption;
        BOOL enabled;
        BOOL beginGroup;
        BOOL pictured;
    };
    const Item items[] = {
        {SC_RESTORE, "&Restore", TRUE, FALSE, TRUE},    {SC_MOVE, "&Move", FALSE, FALSE, FALSE},
        {SC_SIZE, "&Size", FALSE, FALSE, FALSE},        {SC_MINIMIZE, "Mi&nimize", TRUE, FALSE, TRUE},
        {SC_MAXIMIZE, "Ma&ximize", FALSE, FALSE, TRUE}, {SC_CLOSE, "&Close", TRUE, TRUE, TRUE},
        {SC_NEXTWINDOW, "Nex&t", TRUE, TRUE, FALSE},
    };
    CTKCommandBar* popup = control->GetCommandBar();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->GetControlCount(), static_cast<int>(std::size(items)));
    for (int i = 0; i < popup->GetControlCount(); ++i) {
        CTKControl* item = popup->GetControl(i);
        EXPECT_EQ(item->GetID(), static_cast<UINT>(items[i].id)) << i;
        EXPECT_EQ(item->GetCaption(), items[i].caption) << i;
        EXPECT_EQ(item->GetEnabled(), items[i].enabled) << i;
        EXPECT_EQ(item->GetBeginGroup(), items[i].beginGroup) << i;
        EXPECT_EQ(item->GetIcon(kTKMDIControlSize) != nullptr, items[i].pictured) << i;
    }
    EXPECT_EQ(popup->GetControl(0)->GetDescription(), "Brings the window back to its normal size");

    popup->GetControl(3)->Execute();
    EXPECT_TRUE(WaitFor([&] { return child->IsIconic(); }));
    child->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(child->IsIconic());
    EXPECT_EQ(frame->MDIGetActive(), child);
}

TEST_F(MDIMenuBarTest, AChildWithoutAnyIconShowsTheWindowPicture)
{
    Open(FALSE);
    const CIconImage picture = CTKMenuBarSysMenuControl::FindChildIcon(frame->Child(1));
    EXPECT_EQ(picture.GetSize(), CSize(16, 16));
    EXPECT_NE(picture.GetPixel(8, 8), 0u);
    EXPECT_EQ(picture.GetPixel(0, 0), 0u);
}

TEST_F(MDIMenuBarTest, TheMenuFollowsTheActiveChildsDocumentType)
{
    struct Case {
        const char* what;
        BOOL customise;
        BOOL customisationKept;
    };
    const Case cases[] = {
        {"with customising", TRUE, TRUE},
        {"without customising", FALSE, FALSE},
    };
    for (const Case& c : cases) {
        Open(c.customise);
        const auto [first, second] = ActivateTwoDocumentTypes();
        EXPECT_EQ(menuBar->GetCurrentMenuId(), kTabMenu) << c.what;
        const int tabMenuCount = menuBar->GetControlCount();
        // The user takes the last menu off the tab menu.
        menuBar->GetControls()->Remove(tabMenuCount - 1);

        first->MDIActivate();
        EXPECT_EQ(menuBar->GetCurrentMenuId(), kMainMenu) << c.what;
        EXPECT_EQ(menuBar->GetControl(0)->GetCaption(), "&File") << c.what;
        EXPECT_EQ(menuBar->GetParkedControls(kTabMenu) != nullptr, c.customise) << c.what;

        second->MDIActivate();
        EXPECT_EQ(menuBar->GetCurrentMenuId(), kTabMenu) << c.what;
        EXPECT_EQ(menuBar->GetControlCount(), c.customisationKept ? tabMenuCount - 1 : tabMenuCount) << c.what;

        // No child left: the default menu comes back.
        first->MDIDestroy();
        second->MDIDestroy();
        ProcessEvents();
        EXPECT_EQ(menuBar->GetCurrentMenuId(), kMainMenu) << c.what;
        TearDown();
        frame.reset();
    }
}

TEST_F(MDIMenuBarTest, SavingShowsTheDefaultMenuAndKeepsOnlyChangedMenus)
{
    Open(TRUE);
    const auto [first, second] = ActivateTwoDocumentTypes();
    first->MDIActivate();
    second->MDIActivate();
    // The main menu is parked unchanged, the tab menu shows.
    ASSERT_NE(menuBar->GetParkedControls(kMainMenu), nullptr);
    menuBar->PrepareForSave();
    EXPECT_TRUE(menuBar->IsSwitchedForSaving());
    EXPECT_EQ(menuBar->GetCurrentMenuId(), kMainMenu);
    // The tab menu was not changed, so nothing of it is kept for saving.
    EXPECT_EQ(menuBar->GetParkedCount(), 0);
    menuBar->FinishSave();
    EXPECT_FALSE(menuBar->IsSwitchedForSaving());
    EXPECT_EQ(menuBar->GetCurrentMenuId(), kTabMenu);

    menuBar->GetControls()->Remove(0);
    first->MDIActivate();
    menuBar->PrepareForSave();
    EXPECT_EQ(menuBar->GetParkedCount(), 1);
    EXPECT_NE(menuBar->GetParkedControls(kTabMenu), nullptr);
}

} // namespace
